#include "featuretree/floateditor.h"
#include "logcapture.h"
#include "parametercollection/memoryparametercollection.h"
#include "widgets/orvikqtdoublespinbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace ParameterCollection;
using Fault = MemoryParameterCollection::FaultKind;
using Op = MemoryParameterCollection::Operation;

namespace {

const char* const NodeMapXml = R"(
<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Float name="Limit" value="20" min="1" max="100"/>
    <Boolean name="Lock" value="false"/>
    <Float name="Gain" value="10" min="0" max="Limit" inc="0.5" precision="2" lockedIf="Lock"/>
    <Float name="Free" value="3.25" min="-5" max="5" precision="3"/>
    <Float name="Huge" value="0" min="-5000000000" max="5000000000" inc="1000" precision="0"/>
    <Float name="Secret" access="WO" value="1" min="0" max="2"/>
    <Integer name="Width" value="5" min="0" max="10"/>
  </Category>
</NodeMap>
)";

} // namespace

class TestFloatEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void showsTheSnapshot_data();
    void showsTheSnapshot();
    void stepsStartFromTheParametersValue_data();
    void stepsStartFromTheParametersValue();
    void noIncrementNoSteps();
    void refreshIsDroppedWhileTyping();
    void committedValueIsClampedToCurrentLimits();
    void inconsistentSnapshotIsRejected_data();
    void inconsistentSnapshotIsRejected();
    void failuresAreLogged_data();
    void failuresAreLogged();
    void ignoresWhatItCannotShow_data();
    void ignoresWhatItCannotShow();
    void writeAccessFollowsTheSnapshot();

private:
    FloatEditor* openEditor(const QString& node, bool follow = true);
    QSharedPointer<IFloatParameter> floatParameter(const QString& node)
    {
        return qSharedPointerDynamicCast<IFloatParameter>(m_collection->getParameter(node));
    }
    static OrvikQtDoubleSpinBox* spinBoxOf(QWidget* editor)
    {
        return editor->findChild<OrvikQtDoubleSpinBox*>(QStringLiteral("spinBox"));
    }

    QSharedPointer<MemoryParameterCollection> m_collection;
    QScopedPointer<QWidget> m_window;
    FloatEditor* m_editor = nullptr;
};

void TestFloatEditor::init()
{
    m_collection = MemoryParameterCollection::fromXml(NodeMapXml);
    QVERIFY(m_collection);
}

void TestFloatEditor::cleanup()
{
    m_window.reset();
    m_editor = nullptr;
}

// Opens an editor as the delegate does: fed on opening and, with `follow`, on
// every report of the parameter; boxValueChanged() commits editorData().
FloatEditor* TestFloatEditor::openEditor(const QString& node, bool follow)
{
    const auto p = m_collection->getParameter(node);
    m_window.reset(new QWidget);
    m_window->setLocale(QLocale(QLocale::English));
    auto* other = new QLineEdit(m_window.data());
    m_editor = new FloatEditor(m_window.data(), QStringLiteral("Linear"));
    m_editor->setGeometry(0, 30, 200, 30);
    FloatEditor* editor = m_editor;
    editor->setEditorData({ p, p->getParameterData() });
    if (follow) {
        connect(p.data(), &IParameter::parameterDataChangedDecoupled, editor,
                [editor, p](QSharedPointer<const ParameterData> data) {
                    editor->setEditorData({ p, data });
                });
    }
    connect(editor, &FloatEditor::boxValueChanged, editor,
            [editor, p] { p->setValue(QString::number(editor->editorData().toDouble(), 'g', 17)); });
    m_window->show();
    QApplication::setActiveWindow(m_window.data());
    if (!QTest::qWaitForWindowActive(m_window.data()))
        qWarning("window not active");
    other->setFocus();
    return editor;
}

void TestFloatEditor::showsTheSnapshot_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("buttons");
    QTest::addColumn<double>("pageStep");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("with increment") << QStringLiteral("Gain") << "10.00" << 2 << true << 1.0
                                    << "Range: 0..20 (Increment: 1)";
    QTest::newRow("without increment") << QStringLiteral("Free") << "3.250" << 3 << false << 0.5 << "Range: -5..5";
    QTest::newRow("beyond 1e9: scientific")
        << QStringLiteral("Huge") << "0" << 0 << true << 500000000.0 << "Range: -5e+09..5e+09 (Increment: 1e+03)";
}

void TestFloatEditor::showsTheSnapshot()
{
    QFETCH(QString, node);
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(bool, buttons);
    QFETCH(double, pageStep);
    QFETCH(QString, toolTip);
    FloatEditor* editor = openEditor(node);
    QCOMPARE(spinBoxOf(editor)->text(), text);
    QCOMPARE(editor->decimals(), decimals);
    QCOMPARE(spinBoxOf(editor)->buttonSymbols() != QAbstractSpinBox::NoButtons, buttons);
    QCOMPARE(spinBoxOf(editor)->pageStep(), pageStep);
    QCOMPARE(editor->toolTip(), toolTip);
    QCOMPARE(spinBoxOf(editor)->toolTip(), toolTip);
}

void TestFloatEditor::stepsStartFromTheParametersValue_data()
{
    QTest::addColumn<double>("underneath"); // the parameter's value when the user steps
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("expected");
    QTest::newRow("up from 10, not from the shown 9") << 10.0 << int(Qt::Key_Up) << 10.5;
    QTest::newRow("down") << 10.0 << int(Qt::Key_Down) << 9.5;
    QTest::newRow("page up: page step 1") << 10.0 << int(Qt::Key_PageUp) << 11.0;
    QTest::newRow("beyond the maximum: the maximum") << 19.5 << int(Qt::Key_PageUp) << 20.0;
    QTest::newRow("below the minimum: the minimum") << 0.5 << int(Qt::Key_PageDown) << 0.0;
}

void TestFloatEditor::stepsStartFromTheParametersValue()
{
    QFETCH(double, underneath);
    QFETCH(int, key);
    QFETCH(double, expected);
    const auto gain = floatParameter(QStringLiteral("Gain"));
    gain->setValue(9.0);
    FloatEditor* editor = openEditor(QStringLiteral("Gain"), false);
    QCOMPARE(spinBoxOf(editor)->text(), QStringLiteral("9.00"));
    gain->setValue(underneath); // changes underneath; the editor does not hear of it
    spinBoxOf(editor)->setFocus();
    QTRY_VERIFY(editor->hasFocus());

    QTest::keyClick(spinBoxOf(editor), Qt::Key(key));

    QCOMPARE(gain->getValue(), expected);
    QVERIFY(editor->isUpdateExspected()); // the refresh that follows may show it
}

void TestFloatEditor::noIncrementNoSteps()
{
    const auto free = floatParameter(QStringLiteral("Free"));
    FloatEditor* editor = openEditor(QStringLiteral("Free"));
    spinBoxOf(editor)->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClick(spinBoxOf(editor), Qt::Key_Up);
    QTest::keyClick(spinBoxOf(editor), Qt::Key_PageUp);
    QCOMPARE(free->getValue(), 3.25);
}

void TestFloatEditor::refreshIsDroppedWhileTyping()
{
    const auto gain = floatParameter(QStringLiteral("Gain"));
    FloatEditor* editor = openEditor(QStringLiteral("Gain"));
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(editor);
    spinBox->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    spinBox->selectAll();
    QTest::keyClicks(spinBox, QStringLiteral("12"));

    gain->setValue(7.0); // a refresh arrives while the user types
    QCOMPARE(spinBox->text(), QStringLiteral("12"));

    QTest::keyClick(spinBox, Qt::Key_Return); // commit: 12 goes to the parameter and comes back
    QCOMPARE(gain->getValue(), 12.0);
    QCOMPARE(spinBox->text(), QStringLiteral("12.00"));
    QVERIFY(editor->hasFocus());

    // Still focused: the next refresh after the commit's own is dropped again.
    gain->setValue(8.0);
    QCOMPARE(spinBox->text(), QStringLiteral("12.00"));

    // A step counts like a commit: its refresh gets through.
    QTest::keyClick(spinBox, Qt::Key_Up);
    QCOMPARE(gain->getValue(), 8.5);
    QCOMPARE(spinBox->text(), QStringLiteral("8.50"));
}

void TestFloatEditor::committedValueIsClampedToCurrentLimits()
{
    FloatEditor* editor = openEditor(QStringLiteral("Gain"), false);
    floatParameter(QStringLiteral("Gain"))->setValue(18.0);
    editor->setValue(18.0);
    // The maximum follows "Limit"; the editor has not been told.
    floatParameter(QStringLiteral("Limit"))->setValue(15.0);
    QCOMPARE(editor->editorData(), QVariant(15.0));
    QCOMPARE(editor->maximum(), 20.0); // the editor's own limits stay
}

void TestFloatEditor::inconsistentSnapshotIsRejected_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("reason");
    const QString outside = QStringLiteral("The minimum value is larger than the to be set node value or the maximum "
                                           "value is smaller than the to be set node value!");
    QTest::newRow("minimum above maximum")
        << 5.0 << 20.0 << 10.0 << "The minimum value is larger than the maximum value!";
    QTest::newRow("value above maximum") << 25.0 << 0.0 << 20.0 << outside;
    QTest::newRow("value below minimum") << -1.0 << 0.0 << 20.0 << outside;
}

void TestFloatEditor::inconsistentSnapshotIsRejected()
{
    QFETCH(double, value);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QString, reason);
    FloatEditor* editor = openEditor(QStringLiteral("Gain"));
    const auto gain = m_collection->getParameter(QStringLiteral("Gain"));
    auto data = QSharedPointer<ParameterData>::create(*gain->getParameterData());
    data->floatValue = value;
    data->floatMin = min;
    data->floatMax = max;
    LogCapture log;

    editor->setEditorData({ gain, data });

    const QStringList warnings = log.texts(QtWarningMsg);
    QCOMPARE(warnings.size(), 2);
    QCOMPARE(warnings.at(0), QStringLiteral("Gain: Failed to update the float value editor comboBox!"));
    const QString detail = QStringLiteral("FloatEditor::setEditorData: Exception occurred:\n") + reason
        + QStringLiteral(" : InvalidArgumentException thrown");
    QVERIFY2(warnings.at(1).startsWith(detail), qPrintable(warnings.at(1)));
    QCOMPARE(spinBoxOf(editor)->text(), QStringLiteral("10.00"));
    QCOMPARE(editor->maximum(), 20.0);
}

void TestFloatEditor::failuresAreLogged_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("step"); // else: a commit reads editorData()
    QTest::addColumn<QStringList>("warnings"); // each the start of one warning
    QTest::newRow("step write fails")
        << int(Op::SetValue) << int(Fault::StandardException) << true
        << QStringList { "Gain: Failed to set the value for the float node on a spin box step triggered event!",
                         "FloatEditor::onSpinBoxStepTriggered: Exception occurred:\nInjected fault in setValue of node "
                         "'Gain'\n" };
    QTest::newRow("step cannot read the value")
        << int(Op::GetValue) << int(Fault::GenICamException) << true
        << QStringList { "Gain: Failed to set the value for the float node on a spin box step triggered event!",
                         "FloatEditor::onSpinBoxStepTriggered: Exception occurred:\nInjected fault in getValue of node "
                         "'Gain' : RuntimeException thrown" };
    QTest::newRow("commit cannot read the limits")
        << int(Op::GetValue) << int(Fault::OtherException) << false
        << QStringList { "Gain: Failed to assert the range limits!",
                         "FloatEditor::adjustRangeLimits: Unspecified exception occurred." };
}

void TestFloatEditor::failuresAreLogged()
{
    QFETCH(int, operation);
    QFETCH(int, kind);
    QFETCH(bool, step);
    QFETCH(QStringList, warnings);
    FloatEditor* editor = openEditor(QStringLiteral("Gain"));
    spinBoxOf(editor)->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    m_collection->injectFault(QStringLiteral("Gain"), Op(operation), Fault(kind), 1);
    LogCapture log;

    if (step)
        QTest::keyClick(spinBoxOf(editor), Qt::Key_Up);
    else
        QCOMPARE(editor->editorData(), QVariant(10.0)); // returned unchanged

    const QStringList logged = log.texts(QtWarningMsg);
    QCOMPARE(logged.size(), warnings.size());
    for (int i = 0; i < warnings.size(); ++i)
        QVERIFY2(logged.at(i).startsWith(warnings.at(i)), qPrintable(logged.at(i)));
    QCOMPARE(floatParameter(QStringLiteral("Gain"))->getValue(), 10.0);
}

void TestFloatEditor::ignoresWhatItCannotShow_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("message");
    QTest::newRow("unreadable") << QStringLiteral("Secret") << "Non-readable comboBox: Secret";
    QTest::newRow("integer") << QStringLiteral("Width") << "FloatEditor::setEditorData is called with non-float node";
}

void TestFloatEditor::ignoresWhatItCannotShow()
{
    QFETCH(QString, node);
    QFETCH(QString, message);
    FloatEditor* editor = openEditor(QStringLiteral("Gain"));
    const auto other = m_collection->getParameter(node);
    LogCapture log;
    editor->setEditorData({ other, other->getParameterData() });
    QCOMPARE(log.texts(), QStringList { message });
    QCOMPARE(spinBoxOf(editor)->text(), QStringLiteral("10.00"));
}

void TestFloatEditor::writeAccessFollowsTheSnapshot()
{
    FloatEditor* editor = openEditor(QStringLiteral("Gain"));
    m_collection->getParameter(QStringLiteral("Lock"))->setValue(QStringLiteral("true"));
    QTRY_VERIFY(!editor->isEnabled());
    m_collection->getParameter(QStringLiteral("Lock"))->setValue(QStringLiteral("false"));
    QTRY_VERIFY(editor->isEnabled());
}

QTEST_MAIN(TestFloatEditor)
#include "tst_floateditor.moc"
