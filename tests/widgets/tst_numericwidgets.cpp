#include "fetch.h"
#include "slidermouse.h"
#include "widgets/comboslider.h"
#include "widgets/doublespinbox.h"
#include "widgets/twomodedoublecomboslider.h"
#include "widgetscript.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

#include <memory>
#include <utility>

namespace {

/// Holds the widget under test beside a line edit that can take the focus,
/// and counts the key presses that reach it.
struct Window : QWidget
{
    QLineEdit other { this };
    int keys = 0;
    void keyPressEvent(QKeyEvent* event) override { ++keys, event->accept(); }
};

/// A spy on the signal, if the sender has it.
std::unique_ptr<QSignalSpy> spyOn(QObject* sender, const char* signal)
{
    const bool has = sender->metaObject()->indexOfSignal(QMetaObject::normalizedSignature(signal + 1).constData()) >= 0;
    return has ? std::make_unique<QSignalSpy>(sender, signal) : nullptr;
}

/// The arguments ("a" or "a..b") of the signals caught since the last look.
QString take(const std::unique_ptr<QSignalSpy>& spy)
{
    QStringList texts;
    if (spy)
        for (const QList<QVariant>& args : std::exchange<QList<QList<QVariant>>>(*spy, {}))
            texts << args.first().toString() + (args.size() > 1 ? ".." + args.at(1).toString() : "");
    return texts.join(',');
}

} // namespace

class TestNumericWidgets : public QObject
{
    Q_OBJECT
private slots:
    void userScripts_data();
    void userScripts();
    void limitsAndGrids();
};

// The scripts (see widgetscript.h) know the slider as s and the spin box as b, and
//   emitted?1,2  the values of valueChanged since the last look; last?2 the last of them
//   ranged?0..9  rangeChanged; steps?1 stepTriggered of the spin box; finished?1 editingFinished
//   keys?0       key presses that reached the window; focus?1 and update?1: hasFocus(), isUpdateExspected()
//   drag:1,2     a mouse drag of the slider; wheel:up a wheel turn on the spin box
// Emissions of valueChanged and rangeChanged that the script does not check fail the row.
void TestNumericWidgets::userScripts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("setup"); // its signals are not counted
    QTest::addColumn<QString>("script");
    const auto row = [](const char* kind, const char* name, const QString& setup, const QString& script) {
        QTest::addRow("%s: %s", kind, name) << QString(kind) << setup << script;
    };
    const char *combo = "ComboSlider", *log = "Logarithmic", *linear = "Linear", *slider = "DoubleComboSlider";

    // ComboSlider: every value on the grid minimum + k * step, signals only for the user's changes.
    const QString grid5 = "setRangeAndStep(0,100,5) setValue(20)", grid1 = "setRangeAndStep(0,100,1) setValue(20)";
    row(combo, "slider page snapped down", "setRangeAndStep(0,100,5) s.pageStep=42", "s!PageUp emitted?40 b.value?40");
    row(combo, "negative minimum", "setRangeAndStep(-10,10,4) setValue(-10) s.pageStep=7", "s!PageUp emitted?-6");
    row(combo, "maximum off the grid", "setRangeAndStep(0,103,5) s.pageStep=200", "s!PageUp emitted?100 b.value?100");
    row(combo, "maximum on the grid", grid5, "s!End emitted?100 b.value?100");
    row(combo, "step 0 keeps every value", "setRangeAndStep(0,100,0) s.pageStep=42", "s!PageUp emitted?42");
    row(combo, "drag off the grid", grid5, "drag:42,43,44 emitted?40,40,40 value?40 b.value?40");
    row(combo, "drag below the start", grid5, "drag:12,7,3 emitted?10,5,0 value?0 b.value?0");
    row(combo, "typed value on Return", grid5, "b:43 emitted? b!Return emitted?40 value?40 b.value?40");
    row(combo, "typed value, grid from 2", "setRangeAndStep(2,100,5)", "b:43 b!Return emitted?42 value?42");
    row(combo, "setValue snaps silently", grid5, "setValue(63) value?60 b.value?60 s!Right emitted?65");
    row(combo, "setValue clamps", grid5, "setValue(500) value?100 b.value?100");
    row(combo, "setMinimum clamps", grid5, "setMinimum(30) ranged?30..100 value?30 s!Right emitted?35");
    row(combo, "setMaximum clamps", grid5, "setMaximum(10) ranged?0..10 value?10 s!Left emitted?5");
    row(combo, "setRange clamps", grid5, "setRange(60,80) ranged?60..80 value?60 b.value?60");
    row(combo, "setRangeAndStep clamps", grid5, "setRangeAndStep(-20,10,3) ranged?-20..10 value?10");
    row(combo, "spin box steps", grid5, "b!PageUp value?30 emitted?30 b!Up emitted?35 wheel:up finished?3 emitted?40");
    row(combo, "PageUp by the page set", grid1 + " setPageStep(25)", "b!PageUp value?45 emitted?45");
    row(combo, "PageUp not times the step", "setRangeAndStep(0,100,10) setPageStep(50)", "b!PageUp emitted?50");
    row(combo, "PageUp up to the maximum", grid1 + " setValue(90) setPageStep(25)", "b!PageUp emitted?100");
    row(combo, "PageUp at the limit, then an arrow", grid1 + " setValue(100) setPageStep(30)",
        "b!PageUp value?100 emitted? b!Down value?99 emitted?99");
    row(combo, "Escape restores the text typed over", grid1, "b:7 b.text?7 b!Escape b.text?20 b!Return keys?0");
    row(combo, "Return and Enter stay in the spin box", "", "b!Return b!Enter keys?0 b!F5 keys?1");
    row(combo, "full int range", "setRangeAndStep(-2147483648,2147483647,3) setValue(0)",
        "value?-2 setValue(2147483647) value?2147483647");
    row(combo, "enableUpdate", grid1,
        "enableUpdate(false) s!Right value?21 emitted? enableUpdate(true) s!Right emitted?22");
    row(combo, "properties", "maximum=500",
        "singleStep=50 value=130 pageStep=100 editBoxWidth=77 value?100 s.pageStep?100 b.minimumWidth?77 "
        "b!PageUp emitted?200");
    row(combo, "tool tip, step 1", "locale:de setRangeAndStep(0,100,1)", "toolTip?'Range: 0..100'");
    row(combo, "tool tip, step 5", "setRangeAndStep(-50,100,5)", "toolTip?'Range: -50..100 (Increment: 5)'");
    row(combo, "tool tip, step 0", "setRangeAndStep(0,10,0)", "toolTip?'Range: 0..10 (Increment: 0)'");
    row(combo, "tool tip, no grouping", "locale:de setRangeAndStep(0,2147483647,1000)",
        "toolTip?'Range: 0..2147483647 (Increment: 1000)'");

    // Logarithmic: 16..1048576 are 16 octaves over the positions 0..100000.
    const QString octaves = "initControls(16,1048576,%1,16,1048576,1) setValue(%1)";
    row(log, "positions", octaves.arg(5000),
        "s.maximum?100000 s!End s.value?100000 emitted?1048576 intValue?1048576 s!Home s.value?0 emitted?16 s!Right "
        "s.value?1 emitted?16 s!PageUp*10 s.value?50001 last?4096");
    row(log, "setIntValue keeps the exact integer", octaves.arg(16),
        "setIntValue(1000) s.value?37286 emitted?1000 intValue?999 intValue=1000 emitted? intValue?1000 intValue?999");
    row(log, "a user move beats the pending value", octaves.arg(1000),
        "s.value?37286 setIntValue(1000) s!PageUp s.value?42286 emitted?1741");
    // Steps: one percent (at least 1) plus a half, rounded outwards; the slider goes to the unrounded target.
    row(log, "small value up", octaves.arg(50), "focus:b update?0 b!Up update?1 value?52 s.value?10627 emitted?51");
    row(log, "small value down", octaves.arg(50), "b!Down value?49 s.value?10091 emitted?48");
    row(log, "one percent up", octaves.arg(1000), "b!Up value?1011 s.value?37380 emitted?1010");
    row(log, "one percent down", octaves.arg(1000), "b!Down value?990 s.value?37200 emitted?990");
    row(log, "ten percent a page", octaves.arg(1000), "b!PageUp value?1101 s.value?38149 emitted?1100");
    // Below 1 the scale starts at 1; without a positive span the positions map linearly.
    const QString span = "s!End intValue?%1 s!Home intValue?%2 s!PageUp*10 s.value?50000 last?%3 intValue?%3";
    row(log, "from 0", "initControls(0,1048576,0,0,1048576,1)", "s.value?0 " + span.arg(1048576).arg(0).arg(1024));
    row(log, "from 0, at 1024", "initControls(0,1048576,1024,0,1048576,1)", "s.value?50000");
    row(log, "from -100", "initControls(-100,1048576,-50,-100,1048576,1)",
        "s.value?0 " + span.arg(1048576).arg(-100).arg(1024));
    row(log, "0..1", "initControls(0,1,1,0,1,1)", "s.value?100000 " + span.arg(1).arg(0).arg(0));
    row(log, "-1000..0", "initControls(-1000,0,-250,-1000,0,1)", "s.value?75000 " + span.arg(0).arg(-1000).arg(-500));
    row(log, "equal limits", "initControls(5,5,5,5,5,1)", "s.value?0 " + span.arg(5).arg(5).arg(5));
    const QString ranges = "setIntMinimum(2) setIntMaximum(1000) setIntRange(4,400) ranged?2..100,2..1000,4..400 "
                           "intMaximum?400 s.maximum?";
    row(log, "integer range, logarithmic", "initControls(1,100,10,1,100,1)", ranges + "100000");
    row(linear, "integer range, linear", "initControls(1,100,10,1,100,1)", ranges + "400");

    // Linear: spin box steps move the slider by the increment or by the page; the value is the owner's.
    const QString steps7 = "initControls(0,100,500,0,1000,7) setValue(50)";
    row(linear, "page up", steps7, "s.pageStep?49 focus:b b!PageUp intValue?549 emitted?549 update?1 value?50");
    row(linear, "page down, arrow up", steps7, "b!PageDown intValue?451 emitted?451 b!Up intValue?458 emitted?458");
    row(linear, "slider moves", "initControls(0,10,10,0,100,1)", "s!Right s!End emitted?11,100");
    row(linear, "focus and updates", "",
        "focus:other enableUpdate(true) update?1 focus:b focus?1 update?0 focus:other focus?0 update?1");
    row(linear, "editing finished", "locale:en initControls(0,100,0,0,100,1)",
        "b:42 finished?0 b!Enter finished?1 value?42");
    row(slider, "page on the grid of 7", "setRangeStepAndIncrement(0,1000,7)", "s.pageStep?49");
    row(slider, "page of two increments", "setRangeStepAndIncrement(0,100,40)", "s.pageStep?80");
    row(slider, "page without increment", "setRangeStepAndIncrement(0,1000,0)", "s.pageStep?50");
    row(slider, "page of all ints", "setRangeStepAndIncrement(-2147483648,2147483647,1)", "s.pageStep?214748364");
    row(slider, "initControls clamps", "initControls(0,1,5000,0,100,5)", "intValue?100 s.singleStep?5");
    const QString tip = "toolTip?'Range: %1' s.toolTip?'Range: %1' b.toolTip?'Range: %1'";
    row(slider, "tool tip", "locale:en setDecimals(3) initControls(-1.5,2000,0,0,100,1)", tip.arg("-1.500..2000.000"));
    row(slider, "tool tip, comma", "locale:de setDecimals(3) initControls(-1.5,2000,0,0,100,1)",
        tip.arg("-1,500..2000,000"));

    // DoubleSpinBox: steps are reported, not performed.
    const char *box = "DoubleSpinBox", *linearBox = "DoubleSpinBox:Linear";
    row(linearBox, "steps", "initControls(0,100,50,1)", "b!Up steps?1 b!Down steps?-1 b!PageUp steps?10 b.value?50");
    row(linearBox, "page steps and buttons", "",
        "setRangeStepAndIncrement(0,100,1) b.pageStep?5 b.buttonSymbols?UpDownArrows setRangeStepAndIncrement(0,100,4) "
        "b.pageStep?8 setRangeStepAndIncrement(0,1,0.01) b.pageStep?0.05 setRangeStepAndIncrement(-10,10,0) "
        "b.pageStep?1 b.buttonSymbols?NoButtons");
    row("DoubleSpinBox:PureNumber", "pure number", "initControls(0,10,3,0.5)", "b.buttonSymbols?NoButtons b.value?3");
    row(box, "no representation", "initControls(0,10,3,1)", "b.buttonSymbols?UpDownArrows");
    row(box, "text", "setRange(-100000,100000)",
        "locale:en setDecimals(3) setValue(1234.5) b.text?1234.500 setDecimals(1) setValue(-0.0) b.text?0.0 "
        "locale:de setDecimals(2) setValue(-0.25) b.text?-0,25");
    row(linearBox, "spin box focus and updates", "",
        "focus:other enableUpdate(true) focus:b focus?1 update?0 focus:other focus?0 update?1 enableUpdate(false) "
        "update?0");
    row(linearBox, "spin box Escape", "locale:en setDecimals(1) initControls(0,100,12.5,0.5)",
        "b:3 b.text?3 b!Escape b.text?12.5");
    // The increment is left out when its text does not read back as a number other than 0.
    const QString boxTip = "setDecimals(%1) setRangeStepAndIncrement(%2) toolTip?'Range: %3' b.toolTip?'Range: %3'";
    row(box, "tool tip", "locale:en_US", boxTip.arg(2).arg("0,10,0.25", "0.00..10.00 (Increment: 0.25)"));
    row(box, "tool tip, comma", "locale:de_DE", boxTip.arg(2).arg("0,10,0.25", "0,00..10,00"));
    row(box, "tool tip, increment shown as 0", "locale:en_US", boxTip.arg(2).arg("-5,5,0.001", "-5.00..5.00"));
    row(box, "tool tip, comma, whole increment", "locale:de_DE",
        boxTip.arg(0).arg("0,1000,5", "0..1000 (Increment: 5)"));
    row(box, "tool tip, no grouping", "locale:en_US",
        boxTip.arg(1).arg("0,123456,1", "0.0..123456.0 (Increment: 1.0)"));
}

void TestNumericWidgets::userScripts()
{
    QFETCH(QString, kind);
    Window window;
    QWidget* widget = kind == "ComboSlider" ? new ComboSlider(&window)
        : kind == "DoubleComboSlider"       ? new DoubleComboSlider(&window)
        : kind == "Linear"                  ? new TwoModeDoubleComboSlider(&window)
        : kind == "Logarithmic" ? new TwoModeDoubleComboSlider(&window, TwoModeDoubleComboSlider::LogarithmicMode)
                                : static_cast<QWidget*>(new DoubleSpinBox(&window, kind.section(':', 1)));
    window.resize(1400, 80);
    widget->setGeometry(0, 30, 1400, 40);
    auto* slider = widget->findChild<QSlider*>("slider");
    auto* spinBox = widget->findChild<QAbstractSpinBox*>("spinBox");
    auto* doubleSlider = qobject_cast<DoubleComboSlider*>(widget);
    auto* doubleBox = qobject_cast<DoubleSpinBox*>(widget);
    WidgetScript run(widget);
    run.alias("s", slider);
    run.alias("b", spinBox);
    run.alias("other", &window.other);
    run.action("drag", [&](const QString& values) {
        QList<int> positions;
        for (const QString& value : values.split(','))
            positions << value.toInt();
        SliderMouse::drag(slider, positions);
    });
    run.action("wheel", [&](const QString&) {
        const QPoint pos = spinBox->rect().center();
        QWheelEvent wheel(pos, spinBox->mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(spinBox, &wheel);
    });
    run.run("show " + fetch<QString>("setup"));

    const auto emitted = spyOn(widget, SIGNAL(valueChanged(int)));
    const auto ranged = spyOn(widget, SIGNAL(rangeChanged(int, int)));
    const auto steps = spyOn(spinBox, SIGNAL(stepTriggered(int)));
    // The double widgets forward editingFinished; the integer one is watched at its spin box.
    const auto finished = spyOn(widget->metaObject()->indexOfSignal("editingFinished()") < 0 ? spinBox : widget,
                                SIGNAL(editingFinished()));
    run.check("emitted", [&] { return take(emitted); });
    run.check("last", [&] { return take(emitted).section(',', -1); });
    run.check("ranged", [&] { return take(ranged); });
    run.check("steps", [&] { return take(steps); });
    run.check("finished", [&] { return QString::number(finished->count()); });
    run.check("keys", [&] { return QString::number(window.keys); });
    run.check("focus",
              [&] { return QString::number(doubleSlider ? doubleSlider->hasFocus() : doubleBox->hasFocus()); });
    run.check("update", [&] {
        return QString::number(doubleSlider ? doubleSlider->isUpdateExspected() : doubleBox->isUpdateExspected());
    });
    run.run(fetch<QString>("script"));
    if (!QTest::currentTestFailed())
        QCOMPARE(take(emitted) + take(ranged), QString()); // every emission checked
}

void TestNumericWidgets::limitsAndGrids()
{
    // The owners compare their data with the stored limits: not the spin box's, not the slider's.
    struct Box : DoubleSpinBox
    {
        using DoubleSpinBox::checkIfLimitsChanged;
    } box;
    box.setRangeStepAndIncrement(0.0, 10.0, 0.5);
    box.setMinimum(2.0);
    box.setMaximum(8.0);
    QVERIFY(!box.checkIfLimitsChanged(0.0, 10.0, 0.5) && box.checkIfLimitsChanged(0.0, 8.0, 0.5));
    TwoModeDoubleComboSlider linear, logarithmic(nullptr, TwoModeDoubleComboSlider::LogarithmicMode);
    linear.initControls(0.0, 50.0, 3, 3, 103, 5);
    QVERIFY(!linear.checkIfLimitsChanged(0.0, 50.0, 5) && linear.checkIfLimitsChanged(3.0, 103.0, 5));
    // The grid starts at the slider's minimum when linear, at the integer minimum when logarithmic.
    logarithmic.initControls(16.0, 4096.0, 16, 16, 4096, 5);
    QCOMPARE(linear.trimSliderValue(17), 13);
    QCOMPARE(logarithmic.trimSliderValue(24), 21);
    QCOMPARE(logarithmic.trimSliderValue(1001), 1001);
}

QTEST_MAIN(TestNumericWidgets)
#include "tst_numericwidgets.moc"
