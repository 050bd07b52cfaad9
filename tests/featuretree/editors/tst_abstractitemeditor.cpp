#include "featuretree/checkboxeditor.h"
#include "featuretree/enumeditor.h"
#include "featuretree/toolbuttoneditor.h"
#include "logcapture.h"
#include "parametercollection/memoryparametercollection.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

using namespace ParameterCollection;
using Fault = MemoryParameterCollection::FaultKind;
using Op = MemoryParameterCollection::Operation;

namespace {

const char* const NodeMapXml = R"(
<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Boolean name="Lock" value="false"/>
    <Boolean name="ReverseX" value="true" lockedIf="Lock"/>
    <Boolean name="ReverseY" value="false"/>
    <Enumeration name="PixelFormat" value="Mono12" lockedIf="Lock">
      <Entry name="Mono8" displayName="Mono 8"/>
      <Entry name="Mono12" displayName="Mono 12"/>
      <Entry name="BayerRG8" displayName="Bayer RG 8"/>
    </Enumeration>
    <Enumeration name="WriteOnlyMode" access="WO" value="On">
      <Entry name="Off"/><Entry name="On"/>
    </Enumeration>
    <Command name="UserSetSave" busyMs="600000"/>
    <Command name="TriggerSoftware"/>
    <Command name="LockedCommand" access="RO"/>
    <Integer name="Width" value="64" min="16" max="128" inc="16"/>
  </Category>
</NodeMap>
)";

AbstractItemEditor::EditorData editorDataOf(const QSharedPointer<IParameter>& parameter)
{
    return AbstractItemEditor::EditorData { parameter, parameter->getParameterData() };
}

// Copy of a parameter's snapshot with one change, for states the collection
// itself never reports (a value outside its own entries).
AbstractItemEditor::EditorData withValueString(const QSharedPointer<IParameter>& parameter, const QString& value)
{
    auto data = QSharedPointer<ParameterData>::create(*parameter->getParameterData());
    data->valueString = value;
    return AbstractItemEditor::EditorData { parameter, data };
}

// Refreshes the editor from every report of the parameter, as the delegate does.
void followParameter(AbstractItemEditor* editor, QWidget* widget, const QSharedPointer<IParameter>& parameter)
{
    QObject::connect(parameter.data(), &IParameter::parameterDataChangedDecoupled, widget,
                     [editor, parameter](QSharedPointer<const ParameterData> data) {
                         editor->setEditorData(AbstractItemEditor::EditorData { parameter, data });
                     });
}

QStringList itemTexts(const QComboBox& box, int role)
{
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << box.itemData(i, role).toString();
    return texts;
}

} // namespace

class TestAbstractItemEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void checkBoxShowsAndCommitsTheValue();
    void checkBoxIgnoresOtherTypes_data();
    void checkBoxIgnoresOtherTypes();
    void editorsFollowWriteAccess_data();
    void editorsFollowWriteAccess();

    void enumListsEntriesInOrder();
    void enumCommitsTheSymbolicName();
    void enumValueWithoutEntry();
    void enumUnreadable();
    void enumNonEnumerationClearsTheList();
    void enumKeepsListWhilePopupIsOpen();

    void buttonShowsCommandState_data();
    void buttonShowsCommandState();
    void buttonCommitSequence_data();
    void buttonCommitSequence();
    void buttonStateFailureIsLogged_data();
    void buttonStateFailureIsLogged();
    void buttonIgnoresOtherParameters();

private:
    QSharedPointer<MemoryParameterCollection> m_collection;
};

void TestAbstractItemEditor::init()
{
    m_collection = MemoryParameterCollection::fromXml(NodeMapXml);
    QVERIFY(m_collection);
}

void TestAbstractItemEditor::checkBoxShowsAndCommitsTheValue()
{
    for (const auto& node : { QStringLiteral("ReverseX"), QStringLiteral("ReverseY") }) {
        const bool value = node == QLatin1String("ReverseX");
        CheckBoxEditor editor;
        editor.setChecked(!value);
        editor.setEditorData(editorDataOf(m_collection->getParameter(node)));
        QCOMPARE(editor.isChecked(), value);
        QCOMPARE(editor.editorData(), QVariant(QLatin1String(value ? "1" : "0")));
    }

    const auto parameter = m_collection->getParameter(QStringLiteral("ReverseY"));
    CheckBoxEditor editor;
    editor.setEditorData(editorDataOf(parameter));
    editor.show();
    QSignalSpy clicked(&editor, &QCheckBox::clicked);
    QTest::keyClick(&editor, Qt::Key_Space);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toBool(), true);
    // What the model writes: the text "1", which the collection takes.
    parameter->setValue(editor.editorData().toString());
    QCOMPARE(parameter->getParameterData()->boolValue, true);
}

void TestAbstractItemEditor::checkBoxIgnoresOtherTypes_data()
{
    QTest::addColumn<QString>("node"); // empty: null snapshot
    QTest::newRow("integer snapshot") << "Width";
    QTest::newRow("enumeration snapshot") << "PixelFormat";
    QTest::newRow("null snapshot") << QString();
}

void TestAbstractItemEditor::checkBoxIgnoresOtherTypes()
{
    QFETCH(QString, node);
    CheckBoxEditor editor;
    editor.setEditorData(editorDataOf(m_collection->getParameter(QStringLiteral("ReverseX"))));
    editor.setEnabled(false); // differs from the writable snapshot on purpose
    LogCapture log;

    AbstractItemEditor::EditorData data;
    if (!node.isEmpty())
        data = editorDataOf(m_collection->getParameter(node));
    editor.setEditorData(data);

    QVERIFY(editor.isChecked());
    QVERIFY(!editor.isEnabled());
    QCOMPARE(log.texts(), QStringList());
}

void TestAbstractItemEditor::editorsFollowWriteAccess_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("check box") << "ReverseX";
    QTest::newRow("combo box") << "PixelFormat";
}

void TestAbstractItemEditor::editorsFollowWriteAccess()
{
    QFETCH(QString, kind);
    const auto parameter = m_collection->getParameter(kind);
    const auto lock = m_collection->getParameter(QStringLiteral("Lock"));
    QScopedPointer<QWidget> widget(kind == QLatin1String("ReverseX") ? static_cast<QWidget*>(new CheckBoxEditor)
                                                                     : new EnumEditor);
    auto* editor = dynamic_cast<AbstractItemEditor*>(widget.data());
    editor->setEditorData(editorDataOf(parameter));
    followParameter(editor, widget.data(), parameter);
    QVERIFY(widget->isEnabled());

    lock->setValue(QStringLiteral("true"));
    QTRY_VERIFY(!widget->isEnabled());

    lock->setValue(QStringLiteral("false"));
    QTRY_VERIFY(widget->isEnabled());
}

void TestAbstractItemEditor::enumListsEntriesInOrder()
{
    EnumEditor editor;
    editor.setEditorData(editorDataOf(m_collection->getParameter(QStringLiteral("PixelFormat"))));
    QCOMPARE(itemTexts(editor, Qt::DisplayRole), (QStringList { "Mono 8", "Mono 12", "Bayer RG 8" }));
    QCOMPARE(itemTexts(editor, Qt::UserRole), (QStringList { "Mono8", "Mono12", "BayerRG8" }));
    QCOMPARE(editor.currentText(), QStringLiteral("Mono 12"));
    QCOMPARE(editor.editorData(), QVariant(QStringLiteral("Mono12")));

    // A second refresh rebuilds rather than appends.
    editor.setEditorData(editorDataOf(m_collection->getParameter(QStringLiteral("PixelFormat"))));
    QCOMPARE(editor.count(), 3);
}

void TestAbstractItemEditor::enumCommitsTheSymbolicName()
{
    const auto parameter = m_collection->getParameter(QStringLiteral("PixelFormat"));
    EnumEditor editor;
    editor.setEditorData(editorDataOf(parameter));
    editor.show();
    QApplication::setActiveWindow(&editor);
    editor.setFocus();
    QSignalSpy activated(&editor, QOverload<int>::of(&QComboBox::activated));

    QTest::keyClick(&editor, Qt::Key_Down);

    QCOMPARE(activated.count(), 1);
    QCOMPARE(editor.currentText(), QStringLiteral("Bayer RG 8"));
    const QVariant committed = editor.editorData();
    QCOMPARE(committed, QVariant(QStringLiteral("BayerRG8")));
    parameter->setValue(committed.toString());
    QCOMPARE(parameter->getParameterData()->valueString, QStringLiteral("BayerRG8"));
}

void TestAbstractItemEditor::enumValueWithoutEntry()
{
    const auto parameter = m_collection->getParameter(QStringLiteral("PixelFormat"));
    EnumEditor editor;
    LogCapture log;

    editor.setEditorData(withValueString(parameter, QStringLiteral("mono12"))); // case matters

    QCOMPARE(editor.count(), 3);
    QCOMPARE(editor.currentIndex(), -1);
    QVERIFY(!editor.editorData().isValid());
    QCOMPARE(log.texts(QtDebugMsg),
             QStringList { "EnumEditor::setEditorData: PixelFormat. No entry in the combo box matches the current "
                           "value mono12" });
}

void TestAbstractItemEditor::enumUnreadable()
{
    EnumEditor editor;
    LogCapture log;
    editor.setEditorData(editorDataOf(m_collection->getParameter(QStringLiteral("WriteOnlyMode"))));
    QCOMPARE(itemTexts(editor, Qt::UserRole), (QStringList { "Off", "On" }));
    QCOMPARE(editor.currentIndex(), -1);
    QVERIFY(!editor.editorData().isValid());
    QVERIFY(editor.isEnabled());
    QCOMPARE(log.texts(), QStringList());
}

void TestAbstractItemEditor::enumNonEnumerationClearsTheList()
{
    EnumEditor editor;
    editor.setEditorData(editorDataOf(m_collection->getParameter(QStringLiteral("PixelFormat"))));
    LogCapture log;
    editor.setEditorData(editorDataOf(m_collection->getParameter(QStringLiteral("Width"))));
    QCOMPARE(editor.count(), 0);
    QCOMPARE(log.texts(QtDebugMsg),
             QStringList { "EnumEditor::setEditorData is called with non-enumeration node????" });
}

void TestAbstractItemEditor::enumKeepsListWhilePopupIsOpen()
{
    const auto parameter = m_collection->getParameter(QStringLiteral("PixelFormat"));
    EnumEditor editor;
    editor.setEditorData(editorDataOf(parameter));
    followParameter(&editor, &editor, parameter);
    editor.show();
    QApplication::setActiveWindow(&editor);
    QVERIFY(QTest::qWaitForWindowActive(&editor));

    editor.showPopup();
    QTRY_VERIFY(editor.view()->isVisible());
    editor.view()->setCurrentIndex(editor.model()->index(0, 0)); // the user hovers "Mono 8"

    // The value changes underneath: the open list stays as the user sees it.
    parameter->setValue(QStringLiteral("BayerRG8"));
    QCOMPARE(editor.currentText(), QStringLiteral("Mono 12"));
    QCOMPARE(editor.view()->currentIndex().row(), 0);
    QVERIFY(editor.view()->isVisible());

    editor.hidePopup();
    QTRY_VERIFY(!editor.view()->isVisible());

    // Closed: the next refresh rebuilds and shows the new value.
    parameter->setValue(QStringLiteral("Mono8"));
    QCOMPARE(editor.currentText(), QStringLiteral("Mono 8"));
    parameter->setValue(QStringLiteral("BayerRG8"));
    QCOMPARE(editor.currentText(), QStringLiteral("Bayer RG 8"));
}

void TestAbstractItemEditor::buttonShowsCommandState_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("execute");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("idle") << "UserSetSave" << false << false << true;
    QTest::newRow("still running") << "UserSetSave" << true << true << true;
    QTest::newRow("done at once") << "TriggerSoftware" << true << false << true;
    QTest::newRow("read-only") << "LockedCommand" << false << false << false;
}

void TestAbstractItemEditor::buttonShowsCommandState()
{
    QFETCH(QString, node);
    QFETCH(bool, execute);
    QFETCH(bool, pressed);
    QFETCH(bool, enabled);
    const auto parameter = m_collection->getParameter(node);
    if (execute)
        qSharedPointerDynamicCast<ICommandParameter>(parameter)->execute(true);
    ToolButtonEditor editor;
    editor.setChecked(!pressed);
    editor.setEditorData(editorDataOf(parameter));
    QCOMPARE(editor.isChecked(), pressed);
    QCOMPARE(editor.isEnabled(), enabled);
}

void TestAbstractItemEditor::buttonCommitSequence_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<QVariant>("committed");
    QTest::newRow("click executes") << false << QVariant(QStringLiteral("1"));
    QTest::newRow("click on the pressed button executes nothing") << true << QVariant();
}

void TestAbstractItemEditor::buttonCommitSequence()
{
    QFETCH(bool, running);
    QFETCH(QVariant, committed);
    const auto parameter = m_collection->getParameter(QStringLiteral("UserSetSave"));
    const auto command = qSharedPointerDynamicCast<ICommandParameter>(parameter);
    if (running)
        command->execute(true);
    ToolButtonEditor editor;
    editor.setEditorData(editorDataOf(parameter));
    editor.show();
    QSignalSpy clicked(&editor, &QToolButton::clicked);

    QTest::mouseClick(&editor, Qt::LeftButton, {}, editor.rect().center());

    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toBool(), !running);
    QCOMPARE(editor.editorData(), committed);
    if (committed.isValid()) {
        // What the model does with "1": execute; the command is now running
        // and the next refresh keeps the button pressed.
        command->execute(true);
        editor.setEditorData(editorDataOf(parameter));
        QVERIFY(editor.isChecked());
    }
}

void TestAbstractItemEditor::buttonStateFailureIsLogged_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("detail");
    QTest::newRow("standard exception")
        << int(Fault::StandardException)
        << "ToolButtonEditor::editorData: Exception occurred:\nInjected fault in setState of node 'TriggerSoftware'\n";
    QTest::newRow("other exception") << int(Fault::OtherException)
                                     << "ToolButtonEditor::editorData: Unspecified exception occurred.";
}

void TestAbstractItemEditor::buttonStateFailureIsLogged()
{
    QFETCH(int, kind);
    QFETCH(QString, detail);
    const auto parameter = m_collection->getParameter(QStringLiteral("TriggerSoftware"));
    ToolButtonEditor editor;
    editor.setEditorData(editorDataOf(parameter));
    editor.setChecked(true);
    m_collection->injectFault(QStringLiteral("TriggerSoftware"), Op::SetState, Fault(kind));
    LogCapture log;

    const QVariant committed = editor.editorData();

    QCOMPARE(committed, QVariant(QStringLiteral("1")));
    QCOMPARE(log.texts(QtWarningMsg), (QStringList { "!! Failed to set button state", detail }));
}

void TestAbstractItemEditor::buttonIgnoresOtherParameters()
{
    ToolButtonEditor editor;
    // A faulty command is never held: its setState would fail when read.
    m_collection->injectFault(QStringLiteral("TriggerSoftware"), Op::SetState, Fault::StandardException);
    LogCapture log;
    editor.setEditorData(withValueString(m_collection->getParameter(QStringLiteral("ReverseX")), QString()));
    AbstractItemEditor::EditorData mismatch {
        m_collection->getParameter(QStringLiteral("TriggerSoftware")),
        m_collection->getParameter(QStringLiteral("ReverseX"))->getParameterData()
    };
    editor.setEditorData(mismatch);
    editor.setChecked(true);

    QCOMPARE(editor.editorData(), QVariant(QStringLiteral("1")));
    QCOMPARE(log.texts(QtDebugMsg),
             (QStringList { "ToolButtonEditor::setEditorData is called with non-command node????",
                            "ToolButtonEditor::setEditorData is called with non-command node????" }));
    QCOMPARE(log.texts(QtWarningMsg), QStringList());
}

QTEST_MAIN(TestAbstractItemEditor)
#include "tst_abstractitemeditor.moc"
