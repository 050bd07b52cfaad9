#include "widgets/orvikqtdoublespinbox.h"
#include "widgets/twomodedoublecomboslider.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <cmath>

using Mode = TwoModeDoubleComboSlider::ETwoModeDoubleComboSliderMode;
using IntList = QList<int>;
using KeyList = QList<int>;
Q_DECLARE_METATYPE(Mode)

/// Exposes the protected parts of DoubleComboSlider.
class ProbedDoubleComboSlider : public DoubleComboSlider
{
public:
    using DoubleComboSlider::checkIfLimitsChanged;
    using DoubleComboSlider::trimSliderValue;
};

class TestTwoModeDoubleComboSlider : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // Logarithmic mode
    void logarithmicPositions_data();
    void logarithmicPositions();
    void setIntValueKeepsTheExactInteger();
    void pendingValueGivesWayToAUserMove();
    void logarithmicSpinBoxSteps_data();
    void logarithmicSpinBoxSteps();
    void logarithmicRangeWithoutPositiveSpan_data();
    void logarithmicRangeWithoutPositiveSpan();

    // Linear mode and the base widget
    void linearSpinBoxSteps_data();
    void linearSpinBoxSteps();
    void linearSliderMovesAreReported();
    void pageStepSnapsToIncrement_data();
    void pageStepSnapsToIncrement();
    void initControlsClampsTheValueToTheNewRange();
    void intRangeSetterSignals_data();
    void intRangeSetterSignals();
    void limitChecks_data();
    void limitChecks();
    void trimSliderValue_data();
    void trimSliderValue();
    void toolTip_data();
    void toolTip();
    void focusDecidesWhetherUpdatesAreExpected();
    void editingFinishedIsForwarded();

private:
    TwoModeDoubleComboSlider* showSlider(Mode mode);
    static QSlider* sliderOf(QWidget* widget) { return widget->findChild<QSlider*>(QStringLiteral("slider")); }
    static OrvikQtDoubleSpinBox* spinBoxOf(QWidget* widget)
    {
        return widget->findChild<OrvikQtDoubleSpinBox*>(QStringLiteral("spinBox"));
    }
    static void pressKeys(QWidget* target, const KeyList& keys)
    {
        for (int key : keys)
            QTest::keyClick(target, Qt::Key(key));
    }

    QWidget* m_window = nullptr;
};

void TestTwoModeDoubleComboSlider::init()
{
    m_window = new QWidget;
    m_window->resize(800, 80);
    new QLineEdit(m_window); // something else to take the focus
}

void TestTwoModeDoubleComboSlider::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

TwoModeDoubleComboSlider* TestTwoModeDoubleComboSlider::showSlider(Mode mode)
{
    auto* combo = new TwoModeDoubleComboSlider(m_window, mode);
    combo->setGeometry(0, 30, 800, 40);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    if (!QTest::qWaitForWindowActive(m_window))
        qWarning("window not active");
    return combo;
}

void TestTwoModeDoubleComboSlider::logarithmicPositions_data()
{
    QTest::addColumn<KeyList>("keys");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("value");
    const int pageUp = Qt::Key_PageUp;
    // Limits 16..1048576: 16 octaves over 100000 positions.
    QTest::newRow("first position") << KeyList { Qt::Key_End, Qt::Key_Home } << 0 << 16;
    QTest::newRow("last position") << KeyList { Qt::Key_End } << 100000 << 1048576;
    QTest::newRow("middle position") << KeyList { Qt::Key_Home, pageUp, pageUp, pageUp, pageUp, pageUp,
                                                  pageUp,       pageUp, pageUp, pageUp, pageUp }
                                     << 50000 << 4096;
    QTest::newRow("one position up from 16") << KeyList { Qt::Key_Home, Qt::Key_Right } << 1 << 16;
}

void TestTwoModeDoubleComboSlider::logarithmicPositions()
{
    QFETCH(KeyList, keys);
    QFETCH(int, position);
    QFETCH(int, value);

    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LogarithmicMode);
    combo->initControls(16.0, 1048576.0, 5000, 16, 1048576, 1);
    QSlider* slider = sliderOf(combo);
    QCOMPARE(slider->maximum(), 100000);
    slider->setFocus();
    QSignalSpy changed(combo, &TwoModeDoubleComboSlider::valueChanged);

    pressKeys(slider, keys);

    QCOMPARE(slider->value(), position);
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last().first().toInt(), value);
    QCOMPARE(combo->intValue(), value);
}

void TestTwoModeDoubleComboSlider::setIntValueKeepsTheExactInteger()
{
    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LogarithmicMode);
    combo->initControls(16.0, 1048576.0, 16, 16, 1048576, 1);
    QSlider* slider = sliderOf(combo);
    QSignalSpy changed(combo, &TwoModeDoubleComboSlider::valueChanged);

    combo->setIntValue(1000);
    QCOMPARE(slider->value(), 37286);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), 1000);
    // The signal consumed the exact value: the position itself maps to 999.
    QCOMPARE(combo->intValue(), 999);

    // Same position again, through the property: no signal, but the exact
    // value waits for intValue().
    QVERIFY(combo->setProperty("intValue", 1000));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(combo->property("intValue").toInt(), 1000);
    QCOMPARE(combo->intValue(), 999);
    QCOMPARE(combo->property("intMaximum").toInt(), 1048576);
}

void TestTwoModeDoubleComboSlider::pendingValueGivesWayToAUserMove()
{
    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LogarithmicMode);
    combo->initControls(16.0, 1048576.0, 1000, 16, 1048576, 1);
    QSlider* slider = sliderOf(combo);
    QCOMPARE(slider->value(), 37286);
    combo->setIntValue(1000); // a refresh that does not move the slider
    slider->setFocus();
    QSignalSpy changed(combo, &TwoModeDoubleComboSlider::valueChanged);

    QTest::keyClick(slider, Qt::Key_PageUp);

    QCOMPARE(slider->value(), 42286);
    QCOMPARE(changed.count(), 1);
    const int expected = int(std::exp2(4.0 + 42286 * 16.0 / 100000.0));
    QCOMPARE(changed.first().first().toInt(), expected);
}

void TestTwoModeDoubleComboSlider::logarithmicSpinBoxSteps_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("target"); // value + delta + 0.5, before rounding
    QTest::addColumn<double>("expected");
    QTest::newRow("small value: 0.5 raised to 1.5") << 50.0 << int(Qt::Key_Up) << 52.0 << 52.0;
    QTest::newRow("one percent up") << 1000.0 << int(Qt::Key_Up) << 1010.5 << 1011.0;
    QTest::newRow("one percent down") << 1000.0 << int(Qt::Key_Down) << 990.5 << 990.0;
    QTest::newRow("page: ten percent") << 1000.0 << int(Qt::Key_PageUp) << 1100.5 << 1101.0;
}

void TestTwoModeDoubleComboSlider::logarithmicSpinBoxSteps()
{
    QFETCH(double, start);
    QFETCH(int, key);
    QFETCH(double, target);
    QFETCH(double, expected);

    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LogarithmicMode);
    combo->initControls(16.0, 1048576.0, int(start), 16, 1048576, 1);
    combo->setValue(start);
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(combo);
    spinBox->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QVERIFY(!combo->isUpdateExspected());
    QSignalSpy changed(combo, &TwoModeDoubleComboSlider::valueChanged);

    QTest::keyClick(spinBox, Qt::Key(key));

    QCOMPARE(combo->value(), expected);
    QVERIFY(combo->isUpdateExspected());
    // The slider went to the position of the unrounded target.
    const int position = int((std::log2(target) - 4.0) / (16.0 / 100000.0));
    QCOMPARE(sliderOf(combo)->value(), position);
    QCOMPARE(changed.count(), 1);
}

void TestTwoModeDoubleComboSlider::logarithmicRangeWithoutPositiveSpan_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("valuePosition");
    QTest::addColumn<int>("middleValue");
    // A zero minimum: the scale starts at 1, the first position is 0 itself.
    QTest::newRow("0..1048576") << 0 << 1048576 << 0 << 0 << 1024;
    QTest::newRow("0..1048576, value 1024") << 0 << 1048576 << 1024 << 50000 << 1024;
    QTest::newRow("negative minimum") << -100 << 1048576 << -50 << 0 << 1024;
    // No positive span: positions map linearly.
    QTest::newRow("0..1") << 0 << 1 << 1 << 100000 << 0;
    QTest::newRow("-1000..0") << -1000 << 0 << -250 << 75000 << -500;
    QTest::newRow("equal limits") << 5 << 5 << 5 << 0 << 5;
}

void TestTwoModeDoubleComboSlider::logarithmicRangeWithoutPositiveSpan()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, value);
    QFETCH(int, valuePosition);
    QFETCH(int, middleValue);

    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LogarithmicMode);
    combo->initControls(min, max, value, min, max, 1);
    QSlider* slider = sliderOf(combo);
    QCOMPARE(slider->value(), valuePosition);
    slider->setFocus();
    QSignalSpy changed(combo, &TwoModeDoubleComboSlider::valueChanged);

    const int pageUp = Qt::Key_PageUp;
    pressKeys(slider, KeyList { Qt::Key_End });
    QCOMPARE(combo->intValue(), max);
    pressKeys(slider, KeyList { Qt::Key_Home });
    QCOMPARE(combo->intValue(), min);
    pressKeys(slider, KeyList { pageUp, pageUp, pageUp, pageUp, pageUp, pageUp, pageUp, pageUp, pageUp, pageUp });
    QCOMPARE(slider->value(), 50000);
    QCOMPARE(combo->intValue(), middleValue);
    for (const QList<QVariant>& args : changed) {
        const int reported = args.first().toInt();
        QVERIFY2(reported >= min && reported <= max, qPrintable(QString::number(reported)));
    }

    // Spin box steps keep the slider inside its positions as well.
    combo->setValue(value);
    spinBoxOf(combo)->setFocus();
    QTest::keyClick(spinBoxOf(combo), Qt::Key_Down);
    QVERIFY(slider->value() >= 0 && slider->value() <= 100000);
}

void TestTwoModeDoubleComboSlider::intRangeSetterSignals_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::newRow("linear") << TwoModeDoubleComboSlider::LinearMode;
    QTest::newRow("logarithmic") << TwoModeDoubleComboSlider::LogarithmicMode;
}

void TestTwoModeDoubleComboSlider::intRangeSetterSignals()
{
    QFETCH(Mode, mode);
    TwoModeDoubleComboSlider combo(nullptr, mode);
    combo.initControls(1.0, 100.0, 10, 1, 100, 1);
    QSignalSpy ranged(&combo, &DoubleComboSlider::rangeChanged);

    combo.setIntMinimum(2);
    combo.setIntMaximum(1000);
    combo.setIntRange(4, 400);

    QCOMPARE(ranged.count(), 3);
    QCOMPARE(ranged.at(0), (QList<QVariant> { 2, 100 }));
    QCOMPARE(ranged.at(1), (QList<QVariant> { 2, 1000 }));
    QCOMPARE(ranged.at(2), (QList<QVariant> { 4, 400 }));
    QCOMPARE(combo.intMaximum(), 400);
    // A logarithmic slider keeps its positions.
    QCOMPARE(sliderOf(&combo)->maximum(), mode == TwoModeDoubleComboSlider::LogarithmicMode ? 100000 : 400);
}

void TestTwoModeDoubleComboSlider::linearSpinBoxSteps_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    // Slider 0..1000 from 500, increment 7: page 50 snapped down to 49.
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 549;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 451;
    QTest::newRow("arrow up") << int(Qt::Key_Up) << 507;
}

void TestTwoModeDoubleComboSlider::linearSpinBoxSteps()
{
    QFETCH(int, key);
    QFETCH(int, expected);

    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LinearMode);
    combo->initControls(0.0, 100.0, 500, 0, 1000, 7);
    combo->setValue(50.0);
    QCOMPARE(sliderOf(combo)->pageStep(), 49);
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(combo);
    spinBox->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QSignalSpy changed(combo, &TwoModeDoubleComboSlider::valueChanged);

    QTest::keyClick(spinBox, Qt::Key(key));

    QCOMPARE(combo->intValue(), expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), expected);
    QVERIFY(combo->isUpdateExspected());
    // The spin box is the owner's business in linear mode.
    QCOMPARE(combo->value(), 50.0);
}

void TestTwoModeDoubleComboSlider::linearSliderMovesAreReported()
{
    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LinearMode);
    combo->initControls(0.0, 10.0, 10, 0, 100, 1);
    QSlider* slider = sliderOf(combo);
    slider->setFocus();
    QSignalSpy changed(combo, &TwoModeDoubleComboSlider::valueChanged);
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).first().toInt(), 11);
    QCOMPARE(changed.at(1).first().toInt(), 100);
}

void TestTwoModeDoubleComboSlider::pageStepSnapsToIncrement_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("increment");
    QTest::addColumn<int>("expected");
    QTest::newRow("snapped down to a multiple of 7") << 0 << 1000 << 7 << 49;
    QTest::newRow("two increments win") << 0 << 100 << 40 << 80;
    QTest::newRow("no increment") << 0 << 1000 << 0 << 50;
    QTest::newRow("full int range") << std::numeric_limits<int>::min() << std::numeric_limits<int>::max() << 1
                                    << 214748364;
}

void TestTwoModeDoubleComboSlider::pageStepSnapsToIncrement()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, increment);
    QFETCH(int, expected);
    DoubleComboSlider combo;
    combo.setRangeStepAndIncrement(min, max, increment);
    QCOMPARE(sliderOf(&combo)->pageStep(), expected);
}

void TestTwoModeDoubleComboSlider::initControlsClampsTheValueToTheNewRange()
{
    DoubleComboSlider combo;
    combo.initControls(0.0, 1.0, 5000, 0, 100, 5);
    QCOMPARE(combo.intValue(), 100);
    QCOMPARE(sliderOf(&combo)->singleStep(), 5);
}

void TestTwoModeDoubleComboSlider::limitChecks_data()
{
    QTest::addColumn<bool>("doubleVariant");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("increment");
    QTest::addColumn<bool>("changed");
    // Stored: double limits 0..50, slider 0..500, increment 5.
    QTest::newRow("double: same") << true << 0 << 50 << 5 << false;
    QTest::newRow("double: slider range is not compared") << true << 0 << 500 << 5 << true;
    QTest::newRow("double: increment") << true << 0 << 50 << 10 << true;
    QTest::newRow("int: same") << false << 0 << 500 << 5 << false;
    QTest::newRow("int: maximum") << false << 0 << 501 << 5 << true;
}

void TestTwoModeDoubleComboSlider::limitChecks()
{
    QFETCH(bool, doubleVariant);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, increment);
    QFETCH(bool, changed);
    ProbedDoubleComboSlider combo;
    combo.initControls(0.0, 50.0, 0, 0, 500, 5);
    if (doubleVariant)
        QCOMPARE(combo.checkIfLimitsChanged(double(min), double(max), increment), changed);
    else
        QCOMPARE(combo.checkIfLimitsChanged(min, max, increment), changed);
}

void TestTwoModeDoubleComboSlider::trimSliderValue_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    // Linear: grid from the slider minimum 3 in steps of 5. Logarithmic: grid
    // from the integer minimum 16 in steps of 5.
    QTest::newRow("linear off grid") << 0 << 17 << 13;
    QTest::newRow("logarithmic off grid") << 1 << 24 << 21;
    QTest::newRow("logarithmic on grid") << 1 << 1001 << 1001;
}

void TestTwoModeDoubleComboSlider::trimSliderValue()
{
    QFETCH(int, mode);
    QFETCH(int, value);
    QFETCH(int, expected);
    TwoModeDoubleComboSlider combo(nullptr, Mode(mode));
    if (mode == 0)
        combo.initControls(0.0, 1.0, 3, 3, 103, 5);
    else
        combo.initControls(16.0, 4096.0, 16, 16, 4096, 5);
    QCOMPARE(combo.trimSliderValue(value), expected);
}

void TestTwoModeDoubleComboSlider::toolTip_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("point") << QLocale(QLocale::English) << "Range: -1.500..2000.000";
    QTest::newRow("comma") << QLocale(QLocale::German) << "Range: -1,500..2000,000";
}

void TestTwoModeDoubleComboSlider::toolTip()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    DoubleComboSlider combo;
    combo.setLocale(locale);
    combo.setDecimals(3);
    combo.initControls(-1.5, 2000.0, 0, 0, 100, 1);
    QCOMPARE(combo.toolTip(), expected);
    QCOMPARE(sliderOf(&combo)->toolTip(), expected);
    QCOMPARE(spinBoxOf(&combo)->toolTip(), expected);
}

void TestTwoModeDoubleComboSlider::focusDecidesWhetherUpdatesAreExpected()
{
    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LinearMode);
    auto* other = m_window->findChild<QLineEdit*>();
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    combo->enableUpdate(true);

    spinBoxOf(combo)->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QVERIFY(!combo->isUpdateExspected());

    other->setFocus();
    QTRY_VERIFY(!combo->hasFocus());
    QVERIFY(combo->isUpdateExspected());
}

void TestTwoModeDoubleComboSlider::editingFinishedIsForwarded()
{
    TwoModeDoubleComboSlider* combo = showSlider(TwoModeDoubleComboSlider::LinearMode);
    combo->setLocale(QLocale(QLocale::English));
    combo->initControls(0.0, 100.0, 0, 0, 100, 1);
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(combo);
    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());
    QSignalSpy finished(combo, &TwoModeDoubleComboSlider::editingFinished);
    spinBox->selectAll();
    QTest::keyClicks(spinBox, QStringLiteral("42"));
    QCOMPARE(finished.count(), 0);
    QTest::keyClick(spinBox, Qt::Key_Enter);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(combo->value(), 42.0);
}

QTEST_MAIN(TestTwoModeDoubleComboSlider)
#include "tst_twomodedoublecomboslider.moc"
