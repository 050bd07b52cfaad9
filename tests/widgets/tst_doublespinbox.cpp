#include "widgets/doublespinbox.h"
#include "widgets/orvikqtdoublespinbox.h"
#include "widgets/spinboxeventcatcher.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <limits>

/// Exposes the protected limit check of DoubleSpinBox.
class ProbedDoubleSpinBox : public DoubleSpinBox
{
public:
    using DoubleSpinBox::checkIfLimitsChanged;
    using DoubleSpinBox::DoubleSpinBox;
};

class TestDoubleSpinBox : public QObject
{
    Q_OBJECT
private slots:
    void toolTipFollowsLocale_data();
    void toolTipFollowsLocale();
    void pageStep_data();
    void pageStep();
    void buttonsFollowRepresentationAndIncrement_data();
    void buttonsFollowRepresentationAndIncrement();
    void stepsAreReportedNotPerformed_data();
    void stepsAreReportedNotPerformed();
    void textComesFromTheFormatter_data();
    void textComesFromTheFormatter();
    void focusDecidesWhetherUpdatesAreExpected();
    void escapeRestoresTypedOverText();
    void limitsChangeCheck_data();
    void limitsChangeCheck();
    void minimumAndMaximumLeaveStoredLimits();
    void eventCatcherReportsFocusOnly();
};

static OrvikQtDoubleSpinBox* spinBoxOf(DoubleSpinBox* box)
{
    return box->findChild<OrvikQtDoubleSpinBox*>(QStringLiteral("spinBox"));
}

void TestDoubleSpinBox::toolTipFollowsLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("increment");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    const QLocale point(QLocale::English, QLocale::UnitedStates);
    const QLocale comma(QLocale::German, QLocale::Germany);
    QTest::newRow("point, increment shown")
        << point << 0.0 << 10.0 << 0.25 << 2 << "Range: 0.00..10.00 (Increment: 0.25)";
    QTest::newRow("comma, increment does not read back") << comma << 0.0 << 10.0 << 0.25 << 2 << "Range: 0,00..10,00";
    QTest::newRow("point, increment rounds to zero") << point << -5.0 << 5.0 << 0.001 << 2 << "Range: -5.00..5.00";
    QTest::newRow("comma, whole increment reads back")
        << comma << 0.0 << 1000.0 << 5.0 << 0 << "Range: 0..1000 (Increment: 5)";
    QTest::newRow("no group separators") << point << 0.0 << 123456.0 << 1.0 << 1
                                         << "Range: 0.0..123456.0 (Increment: 1.0)";
}

void TestDoubleSpinBox::toolTipFollowsLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, increment);
    QFETCH(int, decimals);
    QFETCH(QString, expected);

    DoubleSpinBox box;
    box.setLocale(locale);
    box.setDecimals(decimals);
    box.setRangeStepAndIncrement(min, max, increment);
    QCOMPARE(box.toolTip(), expected);
    QCOMPARE(spinBoxOf(&box)->toolTip(), expected);
}

void TestDoubleSpinBox::pageStep_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("increment");
    QTest::addColumn<double>("expected");
    QTest::newRow("twentieth of the range") << 0.0 << 100.0 << 1.0 << 5.0;
    QTest::newRow("two increments") << 0.0 << 100.0 << 4.0 << 8.0;
    QTest::newRow("no increment") << -10.0 << 10.0 << 0.0 << 1.0;
    QTest::newRow("fractions") << 0.0 << 1.0 << 0.01 << 0.05;
}

void TestDoubleSpinBox::pageStep()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, increment);
    QFETCH(double, expected);
    DoubleSpinBox box;
    box.setRangeStepAndIncrement(min, max, increment);
    QCOMPARE(spinBoxOf(&box)->pageStep(), expected);
    QCOMPARE(box.pageStep(), int(expected));
}

void TestDoubleSpinBox::buttonsFollowRepresentationAndIncrement_data()
{
    QTest::addColumn<QString>("representation");
    QTest::addColumn<double>("increment");
    QTest::addColumn<bool>("buttons");
    QTest::newRow("PureNumber hides the buttons") << "PureNumber" << 0.5 << false;
    QTest::newRow("Linear with increment") << "Linear" << 0.5 << true;
    QTest::newRow("no increment hides the buttons") << "Linear" << 0.0 << false;
    QTest::newRow("no representation") << QString() << 1.0 << true;
}

void TestDoubleSpinBox::buttonsFollowRepresentationAndIncrement()
{
    QFETCH(QString, representation);
    QFETCH(double, increment);
    QFETCH(bool, buttons);
    DoubleSpinBox box(nullptr, representation);
    box.initControls(0.0, 10.0, 3.0, increment);
    QCOMPARE(spinBoxOf(&box)->buttonSymbols() != QAbstractSpinBox::NoButtons, buttons);
    QCOMPARE(spinBoxOf(&box)->value(), 3.0);
}

void TestDoubleSpinBox::stepsAreReportedNotPerformed_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("steps");
    QTest::newRow("up") << int(Qt::Key_Up) << 1;
    QTest::newRow("down") << int(Qt::Key_Down) << -1;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 10;
}

void TestDoubleSpinBox::stepsAreReportedNotPerformed()
{
    QFETCH(int, key);
    QFETCH(int, steps);
    DoubleSpinBox box(nullptr, QStringLiteral("Linear"));
    box.initControls(0.0, 100.0, 50.0, 1.0);
    box.show();
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(&box);
    QApplication::setActiveWindow(&box);
    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());
    QSignalSpy stepped(spinBox, &OrvikQtDoubleSpinBox::stepTriggered);

    QTest::keyClick(spinBox, Qt::Key(key));

    QCOMPARE(stepped.count(), 1);
    QCOMPARE(stepped.first().first().toInt(), steps);
    QCOMPARE(spinBox->value(), 50.0);
}

void TestDoubleSpinBox::textComesFromTheFormatter_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("point") << QLocale(QLocale::English) << 3 << 1234.5 << "1234.500";
    QTest::newRow("comma") << QLocale(QLocale::German) << 2 << -0.25 << "-0,25";
    QTest::newRow("negative zero") << QLocale(QLocale::English) << 1 << -0.0 << "0.0";
}

void TestDoubleSpinBox::textComesFromTheFormatter()
{
    QFETCH(QLocale, locale);
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(QString, text);
    OrvikQtDoubleSpinBox spinBox;
    spinBox.setLocale(locale);
    spinBox.setDecimals(decimals);
    spinBox.setRange(-100000.0, 100000.0);
    spinBox.setValue(value);
    QCOMPARE(spinBox.text(), text);
}

void TestDoubleSpinBox::focusDecidesWhetherUpdatesAreExpected()
{
    QWidget window;
    auto* box = new DoubleSpinBox(&window, QStringLiteral("Linear"));
    auto* other = new QLineEdit(&window);
    other->move(0, 50);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(box);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());

    box->enableUpdate(true);
    spinBox->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QVERIFY(!box->isUpdateExspected());

    other->setFocus();
    QTRY_VERIFY(!box->hasFocus());
    QVERIFY(box->isUpdateExspected());

    box->enableUpdate(false);
    QVERIFY(!box->isUpdateExspected());
}

void TestDoubleSpinBox::escapeRestoresTypedOverText()
{
    QWidget window;
    auto* box = new DoubleSpinBox(&window, QStringLiteral("Linear"));
    box->setLocale(QLocale(QLocale::English));
    box->setDecimals(1);
    box->initControls(0.0, 100.0, 12.5, 0.5);
    window.show();
    QApplication::setActiveWindow(&window);
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(box);
    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());
    spinBox->selectAll();
    QTest::keyClicks(spinBox, QStringLiteral("3"));
    QCOMPARE(spinBox->text(), QStringLiteral("3"));
    QTest::keyClick(spinBox, Qt::Key_Escape);
    QCOMPARE(spinBox->text(), QStringLiteral("12.5"));
}

void TestDoubleSpinBox::limitsChangeCheck_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("increment");
    QTest::addColumn<bool>("changed");
    // Stored: 0..10, increment 0.5
    QTest::newRow("same") << 0.0 << 10.0 << 0.5 << false;
    QTest::newRow("minimum") << -1.0 << 10.0 << 0.5 << true;
    QTest::newRow("maximum") << 0.0 << 10.5 << 0.5 << true;
    QTest::newRow("increment") << 0.0 << 10.0 << 0.25 << true;
}

void TestDoubleSpinBox::limitsChangeCheck()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, increment);
    QFETCH(bool, changed);
    ProbedDoubleSpinBox box;
    box.setRangeStepAndIncrement(0.0, 10.0, 0.5);
    QCOMPARE(box.checkIfLimitsChanged(min, max, increment), changed);
}

void TestDoubleSpinBox::minimumAndMaximumLeaveStoredLimits()
{
    ProbedDoubleSpinBox box;
    box.setRangeStepAndIncrement(0.0, 10.0, 0.5);
    box.setMinimum(2.0);
    box.setMaximum(8.0);
    QCOMPARE(spinBoxOf(&box)->maximum(), 8.0);
    // The stored limits still say 0..10: the owner compares its data with them.
    QVERIFY(!box.checkIfLimitsChanged(0.0, 10.0, 0.5));
    QCOMPARE(box.pageStep(), 1);
}

void TestDoubleSpinBox::eventCatcherReportsFocusOnly()
{
    SpinBoxEventCatcher catcher;
    QLineEdit edit;
    edit.installEventFilter(&catcher);
    QSignalSpy focus(&catcher, &SpinBoxEventCatcher::focusEvent);

    QFocusEvent in(QEvent::FocusIn);
    QFocusEvent out(QEvent::FocusOut);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&edit, &in);
    QApplication::sendEvent(&edit, &key);
    QApplication::sendEvent(&edit, &out);

    QCOMPARE(focus.count(), 2);
    QCOMPARE(focus.at(0).first().toBool(), true);
    QCOMPARE(focus.at(1).first().toBool(), false);
    // The events went on to the line edit.
    QCOMPARE(edit.text(), QStringLiteral("a"));
}

QTEST_MAIN(TestDoubleSpinBox)
#include "tst_doublespinbox.moc"
