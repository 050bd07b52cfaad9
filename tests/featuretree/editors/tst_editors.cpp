#include "featuretree/enumeditor.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/floateditor.h"
#include "featuretree/floatslidereditor.h"
#include "featuretree/inteditor.h"
#include "featuretree/intslidereditor.h"
#include "logcapture.h"
#include "parametercollection/emulatedcamera.h"
#include "slidermouse.h"
#include "treefixture.h"
#include "widgets/asyncerrorqueue.h"
#include "widgets/orvikqtdoublespinbox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QPointer>
#include <QSlider>
#include <QtTest>

using namespace ParameterCollection;
using Op = MemoryParameterCollection::Operation;

namespace {

// A feature for every editor, most of them read-only while Lock is set.
const char* const allKinds
    = "Lock:b=false Limit:f=20{min=1 max=100} Gain:f=10{min=0 max=Limit inc=0.5 precision=2 lockedIf=Lock}"
      " Free:f=3.25{min=-5 max=50 precision=3} Secret:f=1!WO{min=0 max=2}"
      " Exposure:f=1000{min=16 max=1048576 precision=1 representation=Logarithmic aliasScale=1}"
      " Black:f=4{min=0 max=10 precision=1 representation=Linear aliasScale=0.5 lockedIf=Lock}"
      " Level=20{min=0 max=100 inc=5 representation=Linear lockedIf=Lock} Hidden=5!WO{representation=Linear}"
      " Width=500{min=0 max=Wmax inc=10 representation=Linear} Wmax=1000 Pure=-42{min=-100 max=100 lockedIf=Lock}"
      " Hex=0x1F{min=0 max=255 representation=HexNumber} Ip=192.168.1.10{representation=IPV4Address}"
      " Format:e=Mono12(Mono8 Mono12 BayerRG8){lockedIf=Lock} Flip:b=true{lockedIf=Lock} Save:c{busyMs=600000}"
      " Trigger:c{lockedIf=Lock} Tiny:f=0.0000015{min=0 max=0.001 precision=2 notation=Scientific}";

/// A shown, active feature tree; editors as the tree opens them.
struct Tree : WidgetFixture
{
    explicit Tree(const QString& tree = allKinds, const QString& locale = "en")
    {
        widget()->setLocale(QLocale(locale));
        collection = add(tree);
        QApplication::setActiveWindow(widget());
        QVERIFY(QTest::qWaitForWindowActive(widget()));
    }
    QSharedPointer<IParameter> operator[](const QString& name) const { return collection->getParameter(name); }
    /// The persistent editor, or the one the view opens on request (the line edit of integers).
    QWidget* open(const QString& name)
    {
        if (!editor(name) && index(name, 1).flags().testFlag(Qt::ItemIsEditable))
            view()->edit(index(name, 1));
        return editor(name);
    }
    QSharedPointer<MemoryParameterCollection> collection;
};

/// What an editor shows as one line: value, range and steps, "disabled", and
/// after a '|' its tool tip (and that of a float editor's part that differs).
QString editorState(QWidget* editor)
{
    QStringList parts;
    auto* spin = editor->findChild<QAbstractSpinBox*>("spinBox");
    auto* slider = editor->findChild<QSlider*>("slider");
    if (auto* e = qobject_cast<FloatSliderEditor*>(editor)) {
        parts << (e->mode() == FloatSliderEditor::LogarithmicMode ? "log" : "linear") << spin->text()
              << QString::asprintf("slider %d alias %d..%d/%d", slider->value(), e->intMinimum(), e->intMaximum(),
                                   e->intIncrement());
    } else if (qobject_cast<FloatEditor*>(editor)) {
        parts << spin->text() << "page " + QString::number(static_cast<OrvikQtDoubleSpinBox*>(spin)->pageStep());
        if (spin->buttonSymbols() == QAbstractSpinBox::NoButtons)
            parts << "no buttons";
    } else if (auto* e = qobject_cast<IntSliderEditor*>(editor)) {
        parts << QString::asprintf("%d of %d..%d/%d page %d", e->value(), e->minimum(), e->maximum(), e->singleStep(),
                                   e->pageStep());
        if (spin->text() != QString::number(e->value()) || slider->value() != e->value())
            parts << "spin " + spin->text() + " slider " + QString::number(slider->value());
        spin = nullptr; // its parts carry no tool tip
        slider = nullptr;
    } else if (auto* e = qobject_cast<IntEditor*>(editor)) {
        parts << e->text() << (e->hasFrame() ? "framed" : "");
    } else if (auto* e = qobject_cast<EnumEditor*>(editor)) {
        QStringList entries;
        for (int i = 0; i < e->count(); ++i)
            entries << (i == e->currentIndex() ? "*" : "") + e->itemData(i).toString()
                    + (e->itemText(i) == e->itemData(i).toString() ? "" : " (" + e->itemText(i) + ")");
        parts << entries.join(", ");
    } else if (auto* e = qobject_cast<QAbstractButton*>(editor)) {
        parts << (e->isChecked() ? "checked" : "unchecked");
    }
    parts << (editor->isEnabled() ? "" : "disabled") << (editor->toolTip().isEmpty() ? "" : "| " + editor->toolTip());
    for (QWidget* part : { static_cast<QWidget*>(spin), static_cast<QWidget*>(slider) }) {
        if (part && part->toolTip() != editor->toolTip())
            parts << "| " + QString(part->metaObject()->className()) + ": " + part->toolTip();
    }
    parts.removeAll("");
    return parts.join(' ');
}

/// The lines logged since the last look, joined with " | ", without the source location of GenICam exceptions.
QString logText(LogCapture& log)
{
    QStringList cut;
    for (const QString& line : log.texts())
        cut << line.section(" (file", 0, 0).trimmed().replace('\n', ' ');
    log.clear();
    return cut.isEmpty() ? "no log" : cut.join(" | ");
}

/// What a test feeds an editor: "Node" (its parameter and snapshot),
/// "Node:Other" (Other's snapshot), "Node:-" (none), then changed snapshot
/// fields ("floatMin=20") for states a collection never reports.
AbstractItemEditor::EditorData feed(MemoryParameterCollection& collection, const QString& what)
{
    const QStringList words = what.split(' ');
    const QString name = words.first().section(':', 0, 0);
    const QString source = words.first().contains(':') ? words.first().section(':', 1) : name;
    if (source == "-")
        return { collection.getParameter(name), {} };
    auto d = QSharedPointer<ParameterData>::create(*collection.getParameter(source)->getParameterData());
    for (const QString& change : words.mid(1)) {
        const QString key = change.section('=', 0, 0), value = change.section('=', 1);
        if (key == "valueString" || key == "representation")
            (key == "valueString" ? d->valueString : d->representation) = value;
        else if (key == "isWritable")
            d->isWritable = value == "true";
        else if (key.startsWith("int"))
            (key == "intValue"     ? d->intValue
                 : key == "intMin" ? d->intMin
                 : key == "intMax" ? d->intMax
                                   : d->intInc)
                = value.toLongLong();
        else
            (key == "floatValue" ? d->floatValue : key == "floatMin" ? d->floatMin : d->floatMax) = value.toDouble();
    }
    return { collection.getParameter(name), d };
}

} // namespace

class TestEditors : public QObject
{
    Q_OBJECT
private slots:
    void emulatedCameraRoundTripChangesNothing();
    void inUse_data();
    void inUse();
    void floatSliderWithoutAlias();
};

void TestEditors::emulatedCameraRoundTripChangesNothing()
{
    // Every editor of the emulated camera, opened, fed and committed with
    // nobody touching it, must write nothing: no commit of its own, no change.
    WidgetFixture f;
    QAbstractItemDelegate* delegate = f.view()->itemDelegate();
    QSignalSpy commits(delegate, &QAbstractItemDelegate::commitData);
    LogCapture log;
    const EmulatedCamera camera;
    for (const auto& c : camera.collections())
        f.widget()->addParameterCollection(c.collection, c.rootName, c.roleName, true);
    f.view()->expandAll();
    QStringList changed;
    QSet<QString> kinds;
    for (const QModelIndex& row : allRows(*f.proxy())) {
        const QModelIndex cell = row.siblingAtColumn(1);
        auto* item = qobject_cast<FeatureTreeINodeItem*>(f.extension()->getFeatureTreeItem(cell));
        QWidget* editor = f.view()->indexWidget(cell);
        QScopedPointer<QWidget> created(editor || !item ? nullptr : delegate->createEditor(f.view(), {}, cell));
        auto* itemEditor = dynamic_cast<AbstractItemEditor*>(editor = editor ? editor : created.data());
        if (!itemEditor)
            continue;
        kinds << editor->metaObject()->className();
        const auto parameter = item->node();
        const ParameterData d = *parameter->getParameterData();
        QSignalSpy reports(parameter.data(), &IParameter::parameterDataChangedDecoupled);
        delegate->setEditorData(editor, cell);
        // What it would commit is what it was fed.
        const QVariant v = itemEditor->editorData();
        if (d.isReadable
            && !(d.type == TypeFloat                          ? v.toDouble() == d.floatValue
                     : d.type == TypeBoolean                  ? v.toBool() == d.boolValue
                     : d.type == TypeCommand                  ? v.isValid() == !d.boolValue
                     : qobject_cast<IntSliderEditor*>(editor) ? v.toLongLong() == d.intValue
                                                              : v.toString() == d.valueString))
            changed << item->getFullName() + ": fed " + d.valueString + ", would commit " + v.toString();
        delegate->setModelData(editor, f.proxy(), cell);
        if (!reports.isEmpty() || parameter->getParameterData()->valueString != d.valueString)
            changed << item->getFullName() + ": " + d.valueString + " became "
                    + parameter->getParameterData()->valueString;
    }
    QCOMPARE(changed.join("\n"), QString());
    QCOMPARE(commits.count(), 0);
    QCOMPARE(log.texts(QtWarningMsg), QStringList());
    QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), 0u);
    QCOMPARE(kinds.size(), 7);
}

void TestEditors::inUse_data()
{
    QTest::addColumn<QString>("feature"); // of allKinds, or a tree of its own
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("trace");
    const auto row = [](const char* tag, const QString& feature, const QString& script, const QString& trace) {
        QTest::newRow(tag) << feature << script << trace;
    };
    // What the editor shows when it opens; rows ending in "comma" are shown in German.
    const auto open = [&](const char* tag, const char* feature, const char* state) { row(tag, feature, "?", state); };
    const char* black = "B:f=4{min=0 max=10 inc=0.5 precision=1 representation=Linear aliasScale=0.5}";
    open("float without increment", "Free", "3.250 page 2.75 no buttons | Range: -5.000..50.000");
    open("float with increment", "G:f=10{min=0 max=20 inc=2 representation=Linear}",
         "10.00 page 4 | Range: 0.00..20.00 (Increment: 2.00)");
    open("float beyond 1e9: scientific",
         "H:f=0{min=-5000000000 max=5000000000 inc=1000 precision=0 representation=Linear}",
         "0 page 5e+08 | Range: -5e+09..5e+09 (Increment: 1000)");
    open("scientific, as the feature says", "S:f=0.0000015{min=0 max=0.001 precision=2 notation=Scientific}",
         "1.50e-06 page 5e-05 no buttons | Range: 0.00e+00..1.00e-03");
    open("automatic: too small for fixed", "S:f=0.0000015{min=0 max=5 inc=0.5 precision=2}",
         "1.50e-06 page 1 no buttons | Range: 0.00..5.00 (Increment: 0.50)");
    open("logarithmic exposure", "Exposure", "log 1000.0 slider 37286 alias 16..1048576/1 | Range: 16.0..1048576.0");
    open("logarithmic, but not an exposure", "G:f=10{min=0 max=20 representation=Logarithmic aliasScale=0.5}",
         "linear 10.00 slider 20 alias 0..40/1 | Range: 0.00..20.00");
    open("linear slider", black, "linear 4.0 slider 8 alias 0..20/1 | Range: 0.0..10.0 (Increment: 0.5)");
    open("linear slider, comma", black, "linear 4,0 slider 8 alias 0..20/1 | Range: 0,0..10,0 (Increment: 0,5)");
    open("int slider, increment 10: 1/20", "Width", "500 of 0..1000/10 page 50 | Range: 0..1000 (Increment: 10)");
    open("int slider, increment 40: two", "C=400{min=0 max=1000 inc=40 representation=Linear}",
         "400 of 0..1000/40 page 80 | Range: 0..1000 (Increment: 40)");
    open("int slider, increment 1", "F=7{min=0 max=100 representation=Linear}", "7 of 0..100/1 page 5 | Range: 0..100");
    open("int slider, 64-bit limits saturate", "W=0{min=-9000000000 max=9000000000 representation=Linear}",
         "0 of -2147483648..2147483647/1 page 214748364 | Range: -2147483648..2147483647");
    open("integer", "Pure", "-42 | Range: -100..100");
    open("hex integer", "Hex", "0x1F | Range: 0x0..0xff");
    open("integer, 64-bit limits saturate", "I=0", "0 | Range: -2147483648..2147483647");
    open("address", "Ip", "192.168.1.10");
    open("boolean integer", "I=1{min=0 max=1 representation=Boolean}", "1");
    open("unreadable integer", "I=5!WO{min=0 max=10}", "<not readable>");
    open("enumeration", "Format", "Mono8, *Mono12, BayerRG8");
    open("unreadable enumeration", "E:e=On(Off On)!WO", "Off, On");
    open("boolean", "Flip", "checked");
    open("idle command", "Save", "unchecked");
    open("read-only command", "C:c!RO", "unchecked disabled");
    // Steps: "Name=value" (a change underneath), focus, type, key, slider (a key on it), press, move, release,
    // click, popup, hover, close, feed (a snapshot, see feed()), fault (the next operation throws); and what they
    // append to the trace: "?" the editor's state, ?same (whether it is as at the start), ?Name (a value), ?text,
    // ?on, ?commits (of the delegate), ?reports (of the feature), ?data (what it would commit), ?log, ?popup.
    row("float: steps start from the value, not from the shown 9", "Gain",
        "Gain=9; focus; Gain=10; ?text; key Up; ?Gain; key Down; key Down; ?Gain; key PgUp; ?Gain",
        "9.00 / 10.50 / 9.50 / 10.50");
    row("float: page step beyond the maximum", "Gain", "Gain=9; focus; Gain=19.5; key PgUp; ?Gain", "20.00");
    row("float: page step below the minimum", "Gain", "Gain=9; focus; Gain=0.5; key PgDown; ?Gain", "0.00");
    row("float: step beyond the live maximum", "Gain", "Gain=9; focus; Limit=9.5; key PgUp; ?Gain", "9.50");
    row("float without increment: no steps", "Free", "focus; key Up; key PgUp; ?Free", "3.250");
    row("float: scientific text typed", "Tiny", "focus; type 2.5e-4; key Return; ?Tiny; ?text", "2.50e-04 / 2.50e-04");
    row("float: no refresh while typing", "Gain",
        "focus; type 12; Gain=7; ?text; key Return; ?Gain; ?text; Gain=8; ?text; key Up; ?text",
        "12 / 12.00 / 12.00 / 12.00 / 8.50");
    row("float: typed beyond the live maximum", "Gain", "focus; Limit=15; type 18; key Return; ?Gain; ?text",
        "15.00 / 15.00");
    row("float: refused typed value", "Gain", "focus; type 10.3; key Return; ?Gain; ?reports; ?text",
        "10.00 / 0 / 10.00");
    row("log slider follows its alias", "Exposure", "Exposure/Alias=4096; ?; ?Exposure/Alias",
        "log 4096.0 slider 49999 alias 16..1048576/1 | Range: 16.0..1048576.0 / 4096");
    // A key on the slider writes the alias. Black: 0..10, alias 0..20 (scale 0.5), value 4 = alias 8.
    for (const QString keyed : { "Exposure Home 16.0", "Exposure End 1048576.0", "Black Home 0.0", "Black Right 4.5",
                                 "Black Left 3.5", "Black End 10.0" }) {
        const QStringList w = keyed.split(' ');
        row(qPrintable("slider key: " + keyed), qPrintable(w[0]), "slider " + w[1] + "; ?" + w[0] + "; ?text; ?log",
            w[2] + " / " + w[2] + " / no log");
    }
    row("linear slider: typed value", "Black", "focus; type 6.5; ?Black/Alias; key Return; ?Black/Alias; ?",
        "8 / 13 / linear 6.5 slider 13 alias 0..20/1 | Range: 0.0..10.0");
    row("int slider: a drag commits every snapped value", "Level",
        "press; move 33; ?Level; move 47; ?Level; move 50; release; ?Level; ?commits", "30 / 45 / 50 / 3");
    row("int slider follows refreshes, commits nothing", "Width", "Wmax=2000; ?; Width=730; ?; ?commits",
        "500 of 0..2000/10 page 100 | Range: 0..2000 (Increment: 10) / 730 of 0..2000/10 page 100 | Range: 0..2000 "
        "(Increment: 10) / 0");
    row("line edit: hex", "Hex", "type 0x2a; key Return; ?Hex; ?reports", "0x2A / 1");
    row("line edit: hex without prefix", "Hex", "type 42; key Return; ?Hex", "0x42");
    row("line edit: address", "Ip", "type 10.0.0.1; key Return; ?Ip", "10.0.0.1");
    row("line edit: refused, not a number", "Pure", "type abc; key Return; ?Pure; ?reports", "-42 / 0");
    row("line edit: refused, out of range", "Pure", "type 101; key Return; ?Pure; ?reports", "-42 / 0");
    row("enumeration: a key commits the entry", "Format", "key Down; ?Format; ?",
        "BayerRG8 / Mono8, Mono12, *BayerRG8");
    row("enumeration keeps its open list", "Format",
        "popup; hover 0; Format=BayerRG8; ?; ?popup; close; Format=Mono8; ?; Format=BayerRG8; ?",
        "Mono8, *Mono12, BayerRG8 / open 1 at 0 / *Mono8, Mono12, BayerRG8 / Mono8, Mono12, *BayerRG8");
    row("check box: a key commits", "Flip", "key Space; ?Flip", "0");
    row("button: a click executes, one on the pressed button nothing", "Save", "click; ?; ?reports; click; ?reports",
        "checked / 1 / 1");
    for (const char* node : { "Gain", "Black", "Level", "Format", "Flip", "Trigger" })
        row(qPrintable(QString(node) + " follows its access"), node, "Lock=true; ?on; Lock=false; ?on",
            "disabled / enabled");
    row("the view closes the line edit of a read-only feature", "Pure", "Lock=true; ?on", "closed");
    // What was typed is committed as the focus goes, and not written.
    const std::pair<const char*, const char*> typed[] = { { "Gain", "10.00" }, { "Black", "4.0" }, { "Level", "20" } };
    for (const auto& [node, value] : typed)
        row(qPrintable(QString(node) + " follows its access while typing"), node,
            QString("focus; type 7; Lock=true; ?on; ?%1; Lock=false; ?on").arg(node),
            QString("disabled / %1 / enabled").arg(value));
    const QString step = "Gain: Failed to set the value for the float node on a spin box step triggered event! | "
                         "FloatEditor::onSpinBoxStepTriggered: Exception occurred: Injected fault in ";
    row("float: a step that cannot write", "Gain", "focus; fault SetValue std; key Up; ?log; ?Gain",
        step + "setValue of node 'Gain' / 10.00");
    row("float: a step that cannot read", "Gain", "focus; fault GetValue GenICam; key Up; ?log; ?Gain",
        step + "getValue of node 'Gain' : RuntimeException thrown / 10.00");
    row("float: a commit that cannot read the limits", "Gain", "fault GetValue other; ?data; ?log",
        "10 / Gain: Failed to assert the range limits! | FloatEditor::adjustRangeLimits: Unspecified exception "
        "occurred.");
    const QString button = " / !! Failed to set button state | ToolButtonEditor::editorData: ";
    row("button: the state cannot be set", "Trigger",
        "fault SetState std; ?data; ?log; fault SetState other; ?data; ?log",
        button + "Exception occurred: Injected fault in setState of node 'Trigger' / " + button
            + "Unspecified exception occurred.");
    // Snapshots a collection never reports: refused or logged, and nothing written.
    const QString floatFailed
        = "Gain: Failed to update the float value editor comboBox! | FloatEditor::setEditorData: Exception occurred: ";
    const QString aliasFailed = "Black: Failed to update the float value editor slider! | "
                                "FloatSliderEditor::onAliasParameterDataChanged: Exception occurred: ";
    const QString minAboveMax
        = "The minimum value is larger than the maximum value! : InvalidArgumentException thrown / same";
    const QString outside = "The minimum value is larger than the to be set node value or the maximum value is smaller "
                            "than the to be set node value! : InvalidArgumentException thrown / same";
    const QString aliasOutside
        = "The minimum allowed value is larger than the to be set node value or the maximum allowed value is smaller "
          "than the to be set node value! : InvalidArgumentException thrown / same";
    row("float: minimum above maximum", "Gain", "feed Gain floatMin=20 floatMax=10; ?log; ?same",
        floatFailed + minAboveMax);
    row("float: value above maximum", "Gain", "feed Gain floatValue=25; ?log; ?same", floatFailed + outside);
    row("float: value below minimum", "Gain", "feed Gain floatValue=-1; ?log; ?same", floatFailed + outside);
    row("float: unreadable", "Gain", "feed Secret; ?log; ?same", "Non-readable comboBox: Secret / same");
    row("float: integer", "Gain", "feed Pure; ?log; ?same",
        "FloatEditor::setEditorData is called with non-float node / same");
    // It gets through while the user types: the editor is disabled, which ends the typing with a commit.
    row("float slider: a read-only snapshot while typing", "Black",
        "focus; type 7; feed Black isWritable=false; ?commits", "1");
    row("float slider: unreadable", "Black", "feed Secret; ?log; ?same", "Non-readable comboBox: Secret?????? / same");
    row("float slider: integer snapshot", "Black", "feed Black:Level; ?log; ?same",
        "FloatSliderEditor::setEditorData is called with non-float node???? / same");
    row("alias without increment", "Black", "feed Black/Alias intInc=0; ?log; ?same",
        aliasFailed + "The alias increment cannot be '0'! : InvalidArgumentException thrown / same");
    row("alias above its maximum", "Black", "feed Black/Alias intValue=21; ?log; ?same", aliasFailed + aliasOutside);
    row("alias below its minimum", "Black", "feed Black/Alias intValue=-1; ?log; ?same", aliasFailed + aliasOutside);
    row("alias minimum above maximum", "Black", "feed Black/Alias intMin=30; ?log; ?same", aliasFailed + minAboveMax);
    row("alias of a single value", "Black", "feed Black/Alias intMin=8 intMax=8; ?log", "no log");
    const QString level = "IntSliderEditor::setEditorData: Feature Level: ";
    row("int slider: minimum above maximum, applied", "Level", "feed Level intMin=100 intMax=50; ?log; ?; ?commits",
        level + "min value  100 > max value 50??? | " + level + "value 20 out of range??? min = 100, max = 50 / "
            + "50 of 50..50/5 page 10 | Range: 50..50 (Increment: 5) / 0");
    const QString atMaximum = "100 of 0..100/5 page 10 | Range: 0..100 (Increment: 5)";
    row("int slider: value out of range, applied", "Level", "feed Level intValue=120; ?log; ?",
        level + "value 120 out of range??? min = 0, max = 100 / " + atMaximum);
    row("int slider: value at the maximum", "Level", "feed Level intValue=100; ?log; ?", "no log / " + atMaximum);
    row("int slider: unreadable", "Level", "feed Hidden; ?log; ?same", "Non-readable slider: Hidden?????? / same");
    row("int slider: boolean", "Level", "feed Flip; ?log; ?same",
        "IntSliderEditor::setEditorData is called with non-integer node???? / same");
    const QString notInteger = "IntEditor::setEditorData is called with non-integer node???? / same";
    row("line edit: odd representation", "Pure", "feed Pure representation=Gray valueString=99; ?log; ?same",
        "IntEditor::setEditorData unexpected representation. / same");
    row("line edit: float parameter", "Pure", "feed Gain; ?log; ?same", notInteger);
    row("line edit: float snapshot", "Pure", "feed Pure:Gain; ?log; ?same", notInteger);
    row("line edit: no snapshot", "Pure", "feed Pure:-; ?log; ?same", notInteger);
    row("enumeration: value without entry (case matters)", "Format", "feed Format valueString=mono12; ?log; ?",
        "EnumEditor::setEditorData: Format. No entry in the combo box matches the current value mono12 / Mono8, "
        "Mono12, BayerRG8");
    row("enumeration: an integer clears the list", "Format", "feed Pure; ?log; ?",
        "EnumEditor::setEditorData is called with non-enumeration node???? / ");
    row("check box: an integer, an enumeration snapshot, none", "Flip",
        "feed Pure; feed Flip:Format; feed Flip:-; ?log; ?same", "no log / same");
    const QString notCommand = "ToolButtonEditor::setEditorData is called with non-command node???? / same";
    row("button: boolean", "Save", "feed Flip; ?log; ?same", notCommand);
    row("button: boolean snapshot", "Save", "feed Save:Flip; ?log; ?same", notCommand);
}

void TestEditors::inUse()
{
    QFETCH(QString, feature);
    QFETCH(QString, script);
    const QRegularExpression marks("[:={!]");
    Tree t(feature.contains(marks) ? feature : allKinds,
           QString(QTest::currentDataTag()).endsWith("comma") ? "de" : "en");
    const QString node = feature.section(marks, 0, 0);
    QPointer<QWidget> editor = t.open(node);
    QVERIFY(editor);
    const QString initial = editorState(editor);
    auto* spin = editor->findChild<QAbstractSpinBox*>("spinBox");
    auto* slider = editor->findChild<QSlider*>("slider");
    auto* combo = qobject_cast<QComboBox*>(editor);
    QWidget* target = spin ? spin : editor.data();
    auto* itemEditor = dynamic_cast<AbstractItemEditor*>(editor.data());
    QSignalSpy commits(t.view()->itemDelegate(), &QAbstractItemDelegate::commitData);
    QSignalSpy reports(t[node].data(), &IParameter::parameterDataChangedDecoupled);
    LogCapture log;
    const QStringList operations { "SetValue", "SetState", "GetValue" }, faults { "GenICam", "std", "other" };
    const Op operation[] = { Op::SetValue, Op::SetState, Op::GetValue };
    const QStringList onEditor { "focus", "type",  "key",  "slider", "press", "release", "move",  "click", "popup",
                                 "close", "hover", "feed", "?",      "?same", "?text",   "?data", "?popup" };
    QStringList seen;
    for (const QString& step : script.split("; ")) {
        const QString verb = step.section(' ', 0, 0), rest = step.section(' ', 1);
        // A step on an editor the view has closed would use its deleted parts.
        QVERIFY2(!onEditor.contains(verb) || (editor && t.editor(node) == editor),
                 qPrintable("The editor is closed: " + step));
        if (!verb.startsWith('?') && verb.contains('=')) {
            t[verb.section('=', 0, 0)]->setValue(verb.section('=', 1));
        } else if (verb == "focus") {
            spin->setFocus();
            QVERIFY(QTest::qWaitFor([&] { return spin->hasFocus(); }));
        } else if (verb == "type") {
            QMetaObject::invokeMethod(target, "selectAll");
            QTest::keyClicks(target, rest);
        } else if (verb == "key" || verb == "slider") {
            QTest::keySequence(verb == "key" ? target : slider, QKeySequence(rest));
        } else if (verb == "press" || verb == "release") {
            verb == "press" ? SliderMouse::press(slider) : SliderMouse::release(slider);
        } else if (verb == "move") {
            SliderMouse::moveTo(slider, rest.toInt());
        } else if (verb == "click") {
            QTest::mouseClick(editor, Qt::LeftButton);
        } else if (verb == "popup" || verb == "close") {
            verb == "popup" ? combo->showPopup() : combo->hidePopup();
            QVERIFY(QTest::qWaitFor([&] { return combo->view()->isVisible() == (verb == "popup"); }));
        } else if (verb == "hover") {
            combo->view()->setCurrentIndex(combo->model()->index(rest.toInt(), 0));
        } else if (verb == "feed") {
            const auto data = feed(*t.collection, rest);
            if (rest.contains("/Alias")) // the float slider hears of its alias directly
                emit data.parameter->parameterDataChangedDecoupled(data.parameterData);
            else
                itemEditor->setEditorData(data);
        } else if (verb == "fault") {
            t.collection->injectFault(node, operation[operations.indexOf(rest.section(' ', 0, 0))],
                                      MemoryParameterCollection::FaultKind(faults.indexOf(rest.section(' ', 1))), 1);
        } else if (verb == "?" || verb == "?same") {
            seen << (verb == "?same" && editorState(editor) == initial ? "same" : editorState(editor));
        } else if (verb == "?text") {
            seen << target->property("text").toString();
        } else if (verb == "?on") {
            seen << (!editor || t.editor(node) != editor ? "closed" : editor->isEnabled() ? "enabled" : "disabled");
        } else if (verb == "?commits" || verb == "?reports") {
            seen << QString::number(verb == "?commits" ? commits.count() : reports.count());
        } else if (verb == "?data") {
            seen << itemEditor->editorData().toString();
        } else if (verb == "?log") {
            seen << logText(log);
        } else if (verb == "?popup") {
            seen << QString("open %1 at %2").arg(combo->view()->isVisible()).arg(combo->view()->currentIndex().row());
        } else if (verb.startsWith('?')) {
            seen << t[verb.mid(1)]->getParameterData()->valueString;
        } else {
            QFAIL(qPrintable("Unknown step: " + step));
        }
        QCoreApplication::processEvents(); // the view commits a line edit on its next turn
    }
    QTEST(seen.join(" / "), "trace");
}

void TestEditors::floatSliderWithoutAlias()
{
    // Reported on every snapshot; the editor keeps its initial state.
    Tree t;
    FloatSliderEditor orphan(NodeMapText::collection("X=1"));
    for (const char* fed : { "Black", "Black floatValue=5" }) {
        LogCapture log;
        orphan.setEditorData(feed(*t.collection, fed));
        QCOMPARE(logText(log),
                 QString("Alias node is not of type integer. | Black: Failed to update the float value editor "
                         "comboBox! | FloatSliderEditor::setEditorData: Exception occurred: Could not retrieve an "
                         "alias node on pNode : InvalidArgumentException thrown"));
    }
    QCOMPARE(editorState(&orphan), editorState(std::make_unique<FloatSliderEditor>(nullptr).get()));
}

QTEST_MAIN(TestEditors)
#include "tst_editors.moc"
