#include "featuretree/hexvalidator.h"
#include "featuretree/inteditor.h"
#include "logcapture.h"
#include "parametercollection/memoryparametercollection.h"

#include <QSignalSpy>
#include <QtTest>

using namespace ParameterCollection;

namespace {

const char* const NodeMapXml = R"(
<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Integer name="Pure" value="-42" min="-100" max="100"/>
    <Integer name="Hex" value="31" min="0" max="255" representation="HexNumber"/>
    <Integer name="Lin" value="64" min="16" max="128" inc="16" representation="Linear"/>
    <Integer name="Log" value="1000" min="16" max="1048576" representation="Logarithmic"/>
    <Integer name="Huge" value="0"/>
    <Integer name="Ip" value="192.168.1.10" representation="IPV4Address"/>
    <Integer name="Mac" value="00:11:22:33:44:55" representation="MACAddress"/>
    <Integer name="Flag" value="1" min="0" max="1" representation="Boolean"/>
    <Integer name="Hidden" access="WO" value="5" min="0" max="10"/>
    <Integer name="Fixed" access="RO" value="7" min="0" max="10"/>
    <Float name="Gain" value="1" min="0" max="10"/>
  </Category>
</NodeMap>
)";

} // namespace

class TestIntEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void showsTextAndRange_data();
    void showsTextAndRange();
    void addressRepresentationsDropTheValidator_data();
    void addressRepresentationsDropTheValidator();
    void unreadableShowsPlaceholder();
    void unexpectedRepresentationKeepsText();
    void ignoresOtherTypes();
    void readOnlyStaysEnabled();
    void typedTextIsCommittedUnchanged_data();
    void typedTextIsCommittedUnchanged();

    void hexValidator_data();
    void hexValidator();
    void hexValidatorRangeIsQIntValidators();

private:
    QSharedPointer<MemoryParameterCollection> m_collection;
};

void TestIntEditor::init()
{
    m_collection = MemoryParameterCollection::fromXml(NodeMapXml);
    QVERIFY(m_collection);
}

void TestIntEditor::showsTextAndRange_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("PureNumber") << "Pure"
                                << "Range: -100..100";
    QTest::newRow("HexNumber in base 16") << "Hex"
                                          << "Range: 0x0..0xff";
    QTest::newRow("Linear") << "Lin"
                            << "Range: 16..128";
    QTest::newRow("Logarithmic") << "Log"
                                 << "Range: 16..1048576";
    QTest::newRow("64-bit limits saturate") << "Huge"
                                            << "Range: -2147483648..2147483647";
}

void TestIntEditor::showsTextAndRange()
{
    QFETCH(QString, node);
    QFETCH(QString, toolTip);
    const auto parameter = m_collection->getParameter(node);
    const auto data = parameter->getParameterData();
    IntEditor editor;
    editor.setEditorData({ parameter, data });
    QCOMPARE(editor.text(), data->valueString);
    QVERIFY(!editor.text().isEmpty());
    QCOMPARE(editor.toolTip(), toolTip);
}

void TestIntEditor::addressRepresentationsDropTheValidator_data()
{
    QTest::addColumn<QString>("node");
    QTest::newRow("IPV4Address") << "Ip";
    QTest::newRow("MACAddress") << "Mac";
    QTest::newRow("Boolean") << "Flag";
}

void TestIntEditor::addressRepresentationsDropTheValidator()
{
    QFETCH(QString, node);
    const auto parameter = m_collection->getParameter(node);
    IntEditor editor;
    editor.setToolTip(QStringLiteral("old"));
    editor.setValidator(new QIntValidator(0, 9, &editor));
    editor.setEditorData({ parameter, parameter->getParameterData() });
    QVERIFY(!editor.validator());
    QCOMPARE(editor.text(), parameter->getParameterData()->valueString);
    QCOMPARE(editor.toolTip(), QString());
}

void TestIntEditor::unreadableShowsPlaceholder()
{
    const auto parameter = m_collection->getParameter(QStringLiteral("Hidden"));
    IntEditor editor;
    editor.setToolTip(QStringLiteral("old"));
    editor.setEditorData({ parameter, parameter->getParameterData() });
    QCOMPARE(editor.text(), QStringLiteral("<not readable>"));
    QCOMPARE(editor.toolTip(), QString());
}

void TestIntEditor::unexpectedRepresentationKeepsText()
{
    const auto parameter = m_collection->getParameter(QStringLiteral("Pure"));
    IntEditor editor;
    editor.setEditorData({ parameter, parameter->getParameterData() });
    auto odd = QSharedPointer<ParameterData>::create(*parameter->getParameterData());
    odd->representation = QStringLiteral("Gray");
    odd->valueString = QStringLiteral("99");
    LogCapture log;

    editor.setEditorData({ parameter, odd });

    QCOMPARE(editor.text(), QStringLiteral("-42"));
    QCOMPARE(editor.toolTip(), QStringLiteral("Range: -100..100"));
    QCOMPARE(log.texts(QtDebugMsg), QStringList { "IntEditor::setEditorData unexpected representation." });
}

void TestIntEditor::ignoresOtherTypes()
{
    const auto integer = m_collection->getParameter(QStringLiteral("Pure"));
    const auto gain = m_collection->getParameter(QStringLiteral("Gain"));
    IntEditor editor;
    editor.setEditorData({ integer, integer->getParameterData() });
    LogCapture log;
    editor.setEditorData({ gain, gain->getParameterData() }); // not an integer parameter
    editor.setEditorData({ integer, gain->getParameterData() }); // not an integer snapshot
    editor.setEditorData({ integer, {} });
    QCOMPARE(editor.text(), QStringLiteral("-42"));
    const QString message = QStringLiteral("IntEditor::setEditorData is called with non-integer node????");
    QCOMPARE(log.texts(QtDebugMsg), (QStringList { message, message, message }));
}

void TestIntEditor::readOnlyStaysEnabled()
{
    // The line edit leaves write access to the model's flags.
    const auto parameter = m_collection->getParameter(QStringLiteral("Fixed"));
    IntEditor editor;
    editor.setEditorData({ parameter, parameter->getParameterData() });
    QVERIFY(editor.isEnabled());
    QCOMPARE(editor.text(), QStringLiteral("7"));
}

void TestIntEditor::typedTextIsCommittedUnchanged_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("typed");
    QTest::newRow("hex text") << "Hex"
                              << "0x2a";
    QTest::newRow("address") << "Ip"
                             << "10.0.0.1";
    QTest::newRow("not a number at all") << "Pure"
                                         << "abc";
}

void TestIntEditor::typedTextIsCommittedUnchanged()
{
    QFETCH(QString, node);
    QFETCH(QString, typed);
    const auto parameter = m_collection->getParameter(node);
    IntEditor editor;
    editor.setEditorData({ parameter, parameter->getParameterData() });
    editor.show();
    editor.setFocus();
    editor.selectAll();
    QSignalSpy finished(&editor, &QLineEdit::editingFinished);
    QTest::keyClicks(&editor, typed);
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(editor.editorData(), QVariant(typed));
}

void TestIntEditor::hexValidator_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");
    QTest::newRow("empty") << "" << int(QValidator::Intermediate);
    QTest::newRow("bare prefix") << "0x" << int(QValidator::Intermediate);
    QTest::newRow("bare prefix with blanks") << " 0x " << int(QValidator::Intermediate);
    QTest::newRow("hex") << "0x1f" << int(QValidator::Acceptable);
    QTest::newRow("hex upper digits") << "0xFF" << int(QValidator::Acceptable);
    QTest::newRow("decimal") << "31" << int(QValidator::Acceptable);
    QTest::newRow("upper-case prefix") << "0X1F" << int(QValidator::Invalid);
    QTest::newRow("hex digit without prefix") << "1f" << int(QValidator::Invalid);
    QTest::newRow("not hex after prefix") << "0xg" << int(QValidator::Invalid);
    QTest::newRow("negative below range") << "-1" << int(QValidator::Invalid);
}

void TestIntEditor::hexValidator()
{
    QFETCH(QString, input);
    QFETCH(int, state);
    HexValidator validator(0, 255);
    int pos = input.size();
    QCOMPARE(int(validator.validate(input, pos)), state);
}

void TestIntEditor::hexValidatorRangeIsQIntValidators()
{
    // 0x100 gets the answer the plain range check gives for 256.
    HexValidator validator(0, 255);
    QIntValidator plain(0, 255);
    QString hex = QStringLiteral("0x100");
    QString decimal = QStringLiteral("256");
    int pos = 0;
    const QValidator::State expected = plain.validate(decimal, pos);
    QVERIFY(expected != QValidator::Acceptable);
    QCOMPARE(validator.validate(hex, pos), expected);
    QString top = QStringLiteral("0xff");
    QCOMPARE(validator.validate(top, pos), QValidator::Acceptable);
}

QTEST_MAIN(TestIntEditor)
#include "tst_inteditor.moc"
