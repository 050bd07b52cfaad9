#include "featuretree/intslidereditor.h"
#include "logcapture.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/memoryparametercollection.h"
#include "slidermouse.h"

#include <QApplication>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

using namespace ParameterCollection;
using IntList = QList<int>;

namespace {

const char* const NodeMapXml = R"(
<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Integer name="SensorWidth" value="1000" min="100" max="4000"/>
    <Integer name="Width" value="500" min="0" max="SensorWidth" inc="10" representation="Linear"/>
    <Integer name="Coarse" value="400" min="0" max="1000" inc="40" representation="Linear"/>
    <Integer name="Fine" value="7" min="0" max="100" inc="1" representation="Linear"/>
    <Integer name="Wide" value="0" min="-9000000000" max="9000000000" inc="1" representation="Linear"/>
    <Integer name="Lock" value="0" min="0" max="1"/>
    <Integer name="Gain" value="20" min="0" max="100" inc="5" representation="Linear" lockedIf="Lock"/>
    <Integer name="Secret" access="WO" value="5" min="0" max="10" representation="Linear"/>
    <Boolean name="Flag" value="true"/>
  </Category>
</NodeMap>
)";

} // namespace

class TestIntSliderEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void takesRangeStepAndPage_data();
    void takesRangeStepAndPage();
    void refreshMovesWithoutCommit();
    void rangeChangeAppliesWithoutCommit();
    void draggingCommitsEverySnappedValue();
    void typedValueCommitsSnapped();
    void writeAccessEnablesTheWholeWidget();
    void inconsistentDataIsLoggedAndApplied_data();
    void inconsistentDataIsLoggedAndApplied();
    void ignoresWhatItCannotShow_data();
    void ignoresWhatItCannotShow();

private:
    IntSliderEditor* openEditor(const QString& node);
    QSharedPointer<IParameter> parameter(const QString& node) { return m_collection->getParameter(node); }
    static QSlider* sliderOf(QWidget* editor) { return editor->findChild<QSlider*>(QStringLiteral("slider")); }
    static QSpinBox* spinBoxOf(QWidget* editor) { return editor->findChild<QSpinBox*>(QStringLiteral("spinBox")); }

    QSharedPointer<MemoryParameterCollection> m_collection;
    QScopedPointer<IntSliderEditor> m_editor;
};

void TestIntSliderEditor::init()
{
    m_collection = MemoryParameterCollection::fromXml(NodeMapXml);
    QVERIFY(m_collection);
}

void TestIntSliderEditor::cleanup()
{
    m_editor.reset();
}

// Opens an editor as the delegate does: fed on opening and on every report,
// committing its value to the parameter on valueChanged.
IntSliderEditor* TestIntSliderEditor::openEditor(const QString& node)
{
    const auto p = parameter(node);
    m_editor.reset(new IntSliderEditor);
    IntSliderEditor* editor = m_editor.data();
    editor->resize(1200, 40);
    editor->setEditorData({ p, p->getParameterData() });
    connect(p.data(), &IParameter::parameterDataChangedDecoupled, editor,
            [editor, p](QSharedPointer<const ParameterData> data) {
                editor->setEditorData({ p, data });
            });
    connect(editor, &ComboSlider::valueChanged, editor, [editor, p] { p->setValue(editor->editorData().toString()); });
    editor->show();
    QApplication::setActiveWindow(editor);
    return editor;
}

void TestIntSliderEditor::takesRangeStepAndPage_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<IntList>("rangeAndStep");
    QTest::addColumn<int>("pageStep");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("increment 10: a twentieth")
        << "Width" << IntList { 0, 1000, 10 } << 50 << "Range: 0..1000 (Increment: 10)";
    QTest::newRow("increment 40: two increments")
        << "Coarse" << IntList { 0, 1000, 40 } << 80 << "Range: 0..1000 (Increment: 40)";
    QTest::newRow("increment 1: short tool tip") << "Fine" << IntList { 0, 100, 1 } << 5 << "Range: 0..100";
    QTest::newRow("64-bit limits saturate")
        << "Wide" << IntList { std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 1 } << 214748364
        << "Range: -2147483648..2147483647";
}

void TestIntSliderEditor::takesRangeStepAndPage()
{
    QFETCH(QString, node);
    QFETCH(IntList, rangeAndStep);
    QFETCH(int, pageStep);
    QFETCH(QString, toolTip);
    IntSliderEditor* editor = openEditor(node);
    QCOMPARE(editor->minimum(), rangeAndStep.at(0));
    QCOMPARE(editor->maximum(), rangeAndStep.at(1));
    QCOMPARE(editor->singleStep(), rangeAndStep.at(2));
    QCOMPARE(editor->pageStep(), pageStep);
    QCOMPARE(editor->toolTip(), toolTip);
    const qint64 value = qSharedPointerDynamicCast<IIntegerParameter>(parameter(node))->getValue();
    QCOMPARE(editor->editorData(), QVariant(int(value)));
    QCOMPARE(spinBoxOf(editor)->value(), int(value));
}

void TestIntSliderEditor::refreshMovesWithoutCommit()
{
    IntSliderEditor* editor = openEditor(QStringLiteral("Width"));
    QSignalSpy changed(editor, &ComboSlider::valueChanged);

    parameter(QStringLiteral("Width"))->setValue(QStringLiteral("730"));

    QTRY_COMPARE(editor->value(), 730);
    QCOMPARE(spinBoxOf(editor)->value(), 730);
    QCOMPARE(changed.count(), 0);
}

void TestIntSliderEditor::rangeChangeAppliesWithoutCommit()
{
    IntSliderEditor* editor = openEditor(QStringLiteral("Width"));
    QSignalSpy changed(editor, &ComboSlider::valueChanged);

    parameter(QStringLiteral("SensorWidth"))->setValue(QStringLiteral("2000"));

    QTRY_COMPARE(editor->maximum(), 2000);
    QCOMPARE(editor->value(), 500);
    QCOMPARE(editor->pageStep(), 100);
    QCOMPARE(editor->toolTip(), QStringLiteral("Range: 0..2000 (Increment: 10)"));
    QCOMPARE(changed.count(), 0);
}

void TestIntSliderEditor::draggingCommitsEverySnappedValue()
{
    IntSliderEditor* editor = openEditor(QStringLiteral("Gain"));
    const auto gain = qSharedPointerDynamicCast<IIntegerParameter>(parameter(QStringLiteral("Gain")));
    QSignalSpy changed(editor, &ComboSlider::valueChanged);

    SliderMouse::press(sliderOf(editor));
    SliderMouse::moveTo(sliderOf(editor), 33);
    QCOMPARE(gain->getValue(), 30);
    SliderMouse::moveTo(sliderOf(editor), 47);
    QCOMPARE(gain->getValue(), 45);
    SliderMouse::moveTo(sliderOf(editor), 50);
    SliderMouse::release(sliderOf(editor));

    // Every change of the snapped value was committed, not only the last.
    IntList committed;
    for (const QList<QVariant>& args : changed)
        committed << args.first().toInt();
    QCOMPARE(committed, (IntList { 30, 45, 50 }));
    QCOMPARE(gain->getValue(), 50);
}

void TestIntSliderEditor::typedValueCommitsSnapped()
{
    IntSliderEditor* editor = openEditor(QStringLiteral("Gain"));
    const auto gain = qSharedPointerDynamicCast<IIntegerParameter>(parameter(QStringLiteral("Gain")));
    QSpinBox* spinBox = spinBoxOf(editor);
    spinBox->setFocus();
    QTRY_VERIFY(spinBox->hasFocus());
    spinBox->selectAll();
    QTest::keyClicks(spinBox, QStringLiteral("63"));
    QCOMPARE(gain->getValue(), 20);
    QTest::keyClick(spinBox, Qt::Key_Enter);
    QCOMPARE(gain->getValue(), 60);
    QCOMPARE(spinBox->value(), 60);
}

void TestIntSliderEditor::writeAccessEnablesTheWholeWidget()
{
    IntSliderEditor* editor = openEditor(QStringLiteral("Gain"));
    QVERIFY(editor->isEnabled());
    parameter(QStringLiteral("Lock"))->setValue(QStringLiteral("1"));
    QTRY_VERIFY(!editor->isEnabled());
    QVERIFY(!sliderOf(editor)->isEnabled());
    parameter(QStringLiteral("Lock"))->setValue(QStringLiteral("0"));
    QTRY_VERIFY(editor->isEnabled());
}

void TestIntSliderEditor::inconsistentDataIsLoggedAndApplied_data()
{
    QTest::addColumn<IntList>("valueMinMax");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<IntList>("shownRange");
    // "% d" is kept from the original format: a blank before a positive number.
    QTest::newRow("minimum above maximum")
        << IntList { 20, 100, 50 }
        << QStringList { "IntSliderEditor::setEditorData: Feature Gain: min value  100 > max value 50???",
                         "IntSliderEditor::setEditorData: Feature Gain: value 20 out of range??? min = 100, max = 50" }
        << IntList { 50, 50 }; // QSlider lowers the minimum to the maximum
    QTest::newRow("value out of range")
        << IntList { 120, 0, 100 }
        << QStringList { "IntSliderEditor::setEditorData: Feature Gain: value 120 out of range??? min = 0, max = 100" }
        << IntList { 0, 100 };
}

void TestIntSliderEditor::inconsistentDataIsLoggedAndApplied()
{
    QFETCH(IntList, valueMinMax);
    QFETCH(QStringList, messages);
    QFETCH(IntList, shownRange);
    IntSliderEditor* editor = openEditor(QStringLiteral("Gain"));
    const auto gain = parameter(QStringLiteral("Gain"));
    // States the collection never reports itself: a copy of its snapshot.
    auto data = QSharedPointer<ParameterData>::create(*gain->getParameterData());
    data->intValue = valueMinMax.at(0);
    data->intMin = valueMinMax.at(1);
    data->intMax = valueMinMax.at(2);
    QSignalSpy changed(editor, &ComboSlider::valueChanged);
    LogCapture log;

    editor->setEditorData({ gain, data });

    QCOMPARE(log.texts(QtDebugMsg), messages);
    QCOMPARE(log.texts(QtWarningMsg), QStringList());
    QCOMPARE(editor->minimum(), shownRange.at(0));
    QCOMPARE(editor->maximum(), shownRange.at(1));
    QVERIFY(editor->value() >= editor->minimum() && editor->value() <= editor->maximum());
    QCOMPARE(changed.count(), 0);
}

void TestIntSliderEditor::ignoresWhatItCannotShow_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("message");
    QTest::newRow("unreadable") << "Secret"
                                << "Non-readable slider: Secret??????";
    QTest::newRow("boolean") << "Flag"
                             << "IntSliderEditor::setEditorData is called with non-integer node????";
}

void TestIntSliderEditor::ignoresWhatItCannotShow()
{
    QFETCH(QString, node);
    QFETCH(QString, message);
    IntSliderEditor* editor = openEditor(QStringLiteral("Gain"));
    const auto other = parameter(node);
    LogCapture log;
    editor->setEditorData({ other, other->getParameterData() });
    QCOMPARE(log.texts(), QStringList { message });
    QCOMPARE(editor->maximum(), 100);
    QCOMPARE(editor->value(), 20);
}

QTEST_MAIN(TestIntSliderEditor)
#include "tst_intslidereditor.moc"
