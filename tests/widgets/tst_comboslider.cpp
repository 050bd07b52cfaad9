#include "slidermouse.h"
#include "widgets/comboslider.h"
#include "widgets/orvikqtspinbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <limits>

using IntList = QList<int>;

/// Counts the key presses that reach it, to see which keys a child lets through.
class KeyCounter : public QWidget
{
public:
    int presses = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        ++presses;
        event->accept();
    }
};

class TestComboSlider : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void snapsSliderKeys_data();
    void snapsSliderKeys();
    void snapsWhileDragging_data();
    void snapsWhileDragging();
    void snapsTypedValue_data();
    void snapsTypedValue();
    void settersNeverEmitValueChanged_data();
    void settersNeverEmitValueChanged();
    void spinBoxStepsCommitOnce_data();
    void spinBoxStepsCommitOnce();
    void pageKeyAtLimitLeavesArrowStepAlone();
    void escapeRestoresTypedOverText();
    void returnDoesNotReachParent();
    void toolTip_data();
    void toolTip();
    void fullIntegerRangeDoesNotOverflow();
    void enableUpdateSilencesUserChanges();
    void propertiesReachTheWidgets();

private:
    ComboSlider* showSlider(int min, int max, int step, int value);
    static QSlider* sliderOf(ComboSlider* combo) { return combo->findChild<QSlider*>(QStringLiteral("slider")); }
    static OrvikQtSpinBox* spinBoxOf(ComboSlider* combo)
    {
        return static_cast<OrvikQtSpinBox*>(combo->findChild<QSpinBox*>(QStringLiteral("spinBox")));
    }

    KeyCounter* m_window = nullptr;
};

void TestComboSlider::init()
{
    m_window = new KeyCounter;
    m_window->resize(1400, 60);
}

void TestComboSlider::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

ComboSlider* TestComboSlider::showSlider(int min, int max, int step, int value)
{
    auto* combo = new ComboSlider(m_window);
    combo->setGeometry(0, 0, 1400, 40);
    combo->setRangeAndStep(min, max, step);
    combo->setValue(value);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    if (!QTest::qWaitForWindowActive(m_window))
        qWarning("window not active");
    return combo;
}

void TestComboSlider::snapsSliderKeys_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("sliderPage");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    // The slider's own page step puts it off the grid; the widget snaps down.
    QTest::newRow("42 settles on 40") << 0 << 100 << 5 << 42 << int(Qt::Key_PageUp) << 40;
    QTest::newRow("grid starts at the minimum") << 3 << 100 << 5 << 10 << int(Qt::Key_PageUp) << 13;
    QTest::newRow("negative minimum") << -10 << 10 << 4 << 7 << int(Qt::Key_PageUp) << -6;
    QTest::newRow("maximum off the grid is not reached") << 0 << 103 << 5 << 200 << int(Qt::Key_PageUp) << 100;
    QTest::newRow("maximum on the grid is reached") << 0 << 100 << 5 << 200 << int(Qt::Key_End) << 100;
    QTest::newRow("step 0 keeps every value") << 0 << 100 << 0 << 42 << int(Qt::Key_PageUp) << 42;
}

void TestComboSlider::snapsSliderKeys()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, step);
    QFETCH(int, sliderPage);
    QFETCH(int, key);
    QFETCH(int, expected);

    ComboSlider* combo = showSlider(min, max, step, min);
    QSlider* slider = sliderOf(combo);
    slider->setPageStep(sliderPage);
    QSignalSpy changed(combo, &ComboSlider::valueChanged);

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key(key));

    QCOMPARE(spinBoxOf(combo)->value(), expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), expected);
}

void TestComboSlider::snapsWhileDragging_data()
{
    QTest::addColumn<IntList>("positions");
    QTest::addColumn<IntList>("emitted");
    QTest::newRow("every off-grid position emits the snapped value")
        << IntList { 42, 43, 44 } << IntList { 40, 40, 40 };
    QTest::newRow("grid positions emit once each") << IntList { 45, 50, 53 } << IntList { 45, 50, 50 };
    QTest::newRow("back below the start") << IntList { 12, 7, 3 } << IntList { 10, 5, 0 };
}

void TestComboSlider::snapsWhileDragging()
{
    QFETCH(IntList, positions);
    QFETCH(IntList, emitted);

    ComboSlider* combo = showSlider(0, 100, 5, 20);
    QSlider* slider = sliderOf(combo);
    QSignalSpy changed(combo, &ComboSlider::valueChanged);

    SliderMouse::press(slider);
    for (int position : positions)
        SliderMouse::moveTo(slider, position);
    SliderMouse::release(slider);

    IntList got;
    for (const QList<QVariant>& args : changed)
        got << args.first().toInt();
    QCOMPARE(got, emitted);
    QCOMPARE(combo->value(), emitted.last());
    QCOMPARE(spinBoxOf(combo)->value(), emitted.last());
}

void TestComboSlider::snapsTypedValue_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("43 gives 40") << 0 << 5 << "43" << 40;
    QTest::newRow("grid from minimum 2") << 2 << 5 << "43" << 42;
    QTest::newRow("below an off-grid maximum") << 0 << 5 << "99" << 95;
}

void TestComboSlider::snapsTypedValue()
{
    QFETCH(int, min);
    QFETCH(int, step);
    QFETCH(QString, typed);
    QFETCH(int, expected);

    ComboSlider* combo = showSlider(min, 100, step, min);
    OrvikQtSpinBox* spinBox = spinBoxOf(combo);
    QSignalSpy changed(combo, &ComboSlider::valueChanged);

    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());
    spinBox->selectAll();
    QTest::keyClicks(spinBox, typed);
    QVERIFY(changed.isEmpty());
    QTest::keyClick(spinBox, Qt::Key_Return);

    QCOMPARE(spinBox->value(), expected);
    QCOMPARE(combo->value(), expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), expected);
}

void TestComboSlider::settersNeverEmitValueChanged_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("expectedValue");
    QTest::addColumn<IntList>("expectedRange");
    // Start: range 0..100, step 5, value 50.
    QTest::newRow("setValue snaps") << "setValue 63" << 60 << IntList {};
    QTest::newRow("setValue clamps") << "setValue 500" << 100 << IntList {};
    QTest::newRow("setMinimum clamps") << "setMinimum 70" << 70 << IntList { 70, 100 };
    QTest::newRow("setMaximum clamps") << "setMaximum 30" << 30 << IntList { 0, 30 };
    QTest::newRow("setRange clamps") << "setRange 60 80" << 60 << IntList { 60, 80 };
    QTest::newRow("setRangeAndStep clamps") << "setRangeAndStep -20 10 3" << 10 << IntList { -20, 10 };
}

void TestComboSlider::settersNeverEmitValueChanged()
{
    QFETCH(QString, call);
    QFETCH(int, expectedValue);
    QFETCH(IntList, expectedRange);

    ComboSlider* combo = showSlider(0, 100, 5, 50);
    QSignalSpy changed(combo, &ComboSlider::valueChanged);
    QSignalSpy ranged(combo, &ComboSlider::rangeChanged);

    const QStringList parts = call.split(QLatin1Char(' '));
    const auto arg = [&](int i) { return parts.at(i).toInt(); };
    if (parts[0] == QLatin1String("setValue"))
        combo->setValue(arg(1));
    else if (parts[0] == QLatin1String("setMinimum"))
        combo->setMinimum(arg(1));
    else if (parts[0] == QLatin1String("setMaximum"))
        combo->setMaximum(arg(1));
    else if (parts[0] == QLatin1String("setRange"))
        combo->setRange(arg(1), arg(2));
    else
        combo->setRangeAndStep(arg(1), arg(2), arg(3));

    QCOMPARE(changed.count(), 0);
    QCOMPARE(combo->value(), expectedValue);
    QCOMPARE(spinBoxOf(combo)->value(), expectedValue);
    if (expectedRange.isEmpty()) {
        QCOMPARE(ranged.count(), 0);
    } else {
        QCOMPARE(ranged.count(), 1);
        QCOMPARE(ranged.first().at(0).toInt(), expectedRange.at(0));
        QCOMPARE(ranged.first().at(1).toInt(), expectedRange.at(1));
    }
    QVERIFY(combo->isUpdateEnabled());
}

void TestComboSlider::spinBoxStepsCommitOnce_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("pageStep"); // 0: never set
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key"); // 0: wheel up
    QTest::addColumn<int>("expected");
    QTest::newRow("PageUp default page 10") << 1 << 0 << 20 << int(Qt::Key_PageUp) << 30;
    QTest::newRow("PageUp with setPageStep") << 1 << 25 << 20 << int(Qt::Key_PageUp) << 45;
    QTest::newRow("PageUp moves by the page, not page times step") << 10 << 50 << 0 << int(Qt::Key_PageUp) << 50;
    QTest::newRow("PageUp stops at the maximum") << 1 << 25 << 90 << int(Qt::Key_PageUp) << 100;
    QTest::newRow("arrow up") << 5 << 0 << 20 << int(Qt::Key_Up) << 25;
    QTest::newRow("wheel") << 5 << 0 << 20 << 0 << 25;
}

void TestComboSlider::spinBoxStepsCommitOnce()
{
    QFETCH(int, step);
    QFETCH(int, pageStep);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);

    ComboSlider* combo = showSlider(0, 100, step, start);
    if (pageStep != 0)
        combo->setPageStep(pageStep);
    OrvikQtSpinBox* spinBox = spinBoxOf(combo);
    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());
    QSignalSpy changed(combo, &ComboSlider::valueChanged);
    QSignalSpy finished(spinBox, &QAbstractSpinBox::editingFinished);

    if (key == 0) {
        const QPoint pos = spinBox->rect().center();
        QWheelEvent wheel(pos, spinBox->mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(spinBox, &wheel);
    } else {
        QTest::keyClick(spinBox, Qt::Key(key));
    }

    QCOMPARE(finished.count(), 1);
    QCOMPARE(combo->value(), expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), expected);
}

void TestComboSlider::pageKeyAtLimitLeavesArrowStepAlone()
{
    ComboSlider* combo = showSlider(0, 100, 1, 100);
    combo->setPageStep(30);
    OrvikQtSpinBox* spinBox = spinBoxOf(combo);
    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());

    // PageUp at the maximum performs no step; the next arrow must still be one step.
    QTest::keyClick(spinBox, Qt::Key_PageUp);
    QCOMPARE(combo->value(), 100);
    QTest::keyClick(spinBox, Qt::Key_Down);
    QCOMPARE(combo->value(), 99);
}

void TestComboSlider::escapeRestoresTypedOverText()
{
    ComboSlider* combo = showSlider(0, 100, 1, 25);
    OrvikQtSpinBox* spinBox = spinBoxOf(combo);
    QSignalSpy changed(combo, &ComboSlider::valueChanged);
    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());
    spinBox->selectAll();
    QTest::keyClicks(spinBox, QStringLiteral("7"));
    QCOMPARE(spinBox->text(), QStringLiteral("7"));

    QTest::keyClick(spinBox, Qt::Key_Escape);

    QCOMPARE(spinBox->text(), QStringLiteral("25"));
    QCOMPARE(m_window->presses, 0);
    QTest::keyClick(spinBox, Qt::Key_Return);
    QCOMPARE(combo->value(), 25);
    QCOMPARE(changed.count(), 0);
}

void TestComboSlider::returnDoesNotReachParent()
{
    OrvikQtSpinBox* spinBox = spinBoxOf(showSlider(0, 100, 1, 25));
    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());
    QTest::keyClick(spinBox, Qt::Key_Return);
    QTest::keyClick(spinBox, Qt::Key_Enter);
    QCOMPARE(m_window->presses, 0);
    // A key that does propagate reaches the counter, so the counter works.
    QTest::keyClick(spinBox, Qt::Key_F5);
    QCOMPARE(m_window->presses, 1);
}

void TestComboSlider::toolTip_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("expected");
    QTest::newRow("step 1: short form") << 0 << 100 << 1 << "Range: 0..100";
    QTest::newRow("step 5") << -50 << 100 << 5 << "Range: -50..100 (Increment: 5)";
    QTest::newRow("step 0 is not 1") << 0 << 10 << 0 << "Range: 0..10 (Increment: 0)";
    QTest::newRow("no grouping") << 0 << std::numeric_limits<int>::max() << 1000
                                 << "Range: 0..2147483647 (Increment: 1000)";
}

void TestComboSlider::toolTip()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, step);
    QFETCH(QString, expected);
    ComboSlider combo;
    combo.setLocale(QLocale(QLocale::German));
    combo.setRangeAndStep(min, max, step);
    QCOMPARE(combo.toolTip(), expected);
}

void TestComboSlider::fullIntegerRangeDoesNotOverflow()
{
    const int lowest = std::numeric_limits<int>::min();
    const int highest = std::numeric_limits<int>::max();
    ComboSlider* combo = showSlider(lowest, highest, 3, 0);
    // 0 - lowest is 2147483648: 2147483648 % 3 == 2, so 0 snaps to -2.
    QCOMPARE(combo->value(), -2);
    combo->setValue(highest);
    // highest - lowest = 4294967295 is a multiple of 3: the maximum is on the grid.
    QCOMPARE(combo->value(), highest);
}

void TestComboSlider::enableUpdateSilencesUserChanges()
{
    ComboSlider* combo = showSlider(0, 100, 1, 10);
    QSignalSpy changed(combo, &ComboSlider::valueChanged);
    QSlider* slider = sliderOf(combo);
    slider->setFocus();

    combo->enableUpdate(false);
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(combo->value(), 11);
    QCOMPARE(changed.count(), 0);

    combo->enableUpdate(true);
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), 12);
}

void TestComboSlider::propertiesReachTheWidgets()
{
    ComboSlider combo;
    QVERIFY(combo.setProperty("maximum", 500));
    QVERIFY(combo.setProperty("singleStep", 50));
    QVERIFY(combo.setProperty("value", 130));
    QVERIFY(combo.setProperty("pageStep", 100));
    QVERIFY(combo.setProperty("editBoxWidth", 77));
    // The value went through the snapping of the widget, not just into a field.
    QCOMPARE(combo.property("value").toInt(), 100);
    QCOMPARE(sliderOf(&combo)->pageStep(), 100);
    QCOMPARE(spinBoxOf(&combo)->pageStep(), 100);
    QCOMPARE(spinBoxOf(&combo)->minimumWidth(), 77);
    QCOMPARE(combo.toolTip(), QStringLiteral("Range: 0..500 (Increment: 50)"));
}

QTEST_MAIN(TestComboSlider)
#include "tst_comboslider.moc"
