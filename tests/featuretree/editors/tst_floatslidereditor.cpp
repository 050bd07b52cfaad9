#include "featuretree/floatslidereditor.h"
#include "logcapture.h"
#include "parametercollection/memoryparametercollection.h"
#include "widgets/orvikqtdoublespinbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace ParameterCollection;
using Mode = TwoModeDoubleComboSlider::ETwoModeDoubleComboSliderMode;

namespace {

const char* const NodeMapXml = R"(
<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Boolean name="Lock" value="false"/>
    <Float name="ExposureTime" value="1000" min="16" max="1048576" precision="1" representation="Logarithmic"
           aliasScale="1" lockedIf="Lock"/>
    <Float name="Gain" value="10" min="0" max="20" precision="2" representation="Logarithmic" aliasScale="0.5"/>
    <Float name="Black" value="4" min="0" max="10" precision="1" representation="Linear" aliasScale="0.5"
           lockedIf="Lock"/>
    <Float name="NoAlias" value="1" min="0" max="2" representation="Linear"/>
    <Integer name="Width" value="5" min="0" max="10"/>
  </Category>
</NodeMap>
)";

} // namespace

class TestFloatSliderEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void choosesTheMode_data();
    void choosesTheMode();
    void logarithmicSliderKeepsTheAliasValue();
    void sliderWritesTheAlias_data();
    void sliderWritesTheAlias();
    void typedValueIsCommittedToTheFloat();
    void aliasReportsMoveTheSlider();
    void zeroAliasIncrementIsRejected();
    void missingAliasIsReportedAndRetried();
    void readOnlyDisablesEvenWhileTyping();
    void toolTipShowsTheFloatRange();

private:
    FloatSliderEditor* openEditor(const QString& node, QSharedPointer<MemoryParameterCollection> collection = {});
    QSharedPointer<IIntegerParameter> aliasOf(const QString& node)
    {
        return qSharedPointerDynamicCast<IIntegerParameter>(
            m_collection->getParameter(m_collection->getParameter(node)->getFullName() + QStringLiteral("/Alias")));
    }
    static QSlider* sliderOf(QWidget* editor) { return editor->findChild<QSlider*>(QStringLiteral("slider")); }
    static OrvikQtDoubleSpinBox* spinBoxOf(QWidget* editor)
    {
        return editor->findChild<OrvikQtDoubleSpinBox*>(QStringLiteral("spinBox"));
    }

    QSharedPointer<MemoryParameterCollection> m_collection;
    QScopedPointer<QWidget> m_window;
};

void TestFloatSliderEditor::init()
{
    m_collection = MemoryParameterCollection::fromXml(NodeMapXml);
    QVERIFY(m_collection);
}

void TestFloatSliderEditor::cleanup()
{
    m_window.reset();
}

// Opens the editor as the delegate does: fed on opening and on every report of
// the float, committing editorData() to the float on boxValueChanged().
FloatSliderEditor* TestFloatSliderEditor::openEditor(const QString& node,
                                                     QSharedPointer<MemoryParameterCollection> collection)
{
    const auto p = m_collection->getParameter(node);
    m_window.reset(new QWidget);
    m_window->setLocale(QLocale(QLocale::English));
    m_window->resize(800, 80);
    auto* other = new QLineEdit(m_window.data());
    auto* editor = new FloatSliderEditor(collection ? collection : m_collection, m_window.data());
    editor->setGeometry(0, 30, 800, 40);
    editor->setEditorData({ p, p->getParameterData() });
    connect(p.data(), &IParameter::parameterDataChangedDecoupled, editor,
            [editor, p](QSharedPointer<const ParameterData> data) {
                editor->setEditorData({ p, data });
            });
    connect(editor, &FloatSliderEditor::boxValueChanged, editor, [editor, p] {
        // The model catches what the parameter throws.
        try {
            p->setValue(QString::number(editor->editorData().toDouble(), 'g', 17));
        } catch (...) { }
    });
    m_window->show();
    QApplication::setActiveWindow(m_window.data());
    if (!QTest::qWaitForWindowActive(m_window.data()))
        qWarning("window not active");
    other->setFocus();
    return editor;
}

void TestFloatSliderEditor::choosesTheMode_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("mode");
    QTest::newRow("logarithmic exposure") << "ExposureTime" << int(TwoModeDoubleComboSlider::LogarithmicMode);
    QTest::newRow("logarithmic, but not an exposure") << "Gain" << int(TwoModeDoubleComboSlider::LinearMode);
    QTest::newRow("linear") << "Black" << int(TwoModeDoubleComboSlider::LinearMode);
}

void TestFloatSliderEditor::choosesTheMode()
{
    QFETCH(QString, node);
    QFETCH(int, mode);
    FloatSliderEditor* editor = openEditor(node);
    QCOMPARE(int(editor->mode()), mode);
    const auto alias = aliasOf(node);
    QCOMPARE(editor->intMinimum(), int(alias->getMinimum()));
    QCOMPARE(editor->intMaximum(), int(alias->getMaximum()));
    QCOMPARE(editor->intIncrement(), int(alias->getIncrement()));
    QCOMPARE(editor->editorData().toDouble(),
             qSharedPointerDynamicCast<IFloatParameter>(m_collection->getParameter(node))->getValue());
}

void TestFloatSliderEditor::logarithmicSliderKeepsTheAliasValue()
{
    const auto alias = aliasOf(QStringLiteral("ExposureTime"));
    FloatSliderEditor* editor = openEditor(QStringLiteral("ExposureTime"));
    QCOMPARE(sliderOf(editor)->value(), 37286);
    QCOMPARE(alias->getValue(), 1000); // opening wrote nothing back

    // A key on the slider: the alias gets the value of the new position, and
    // the float follows.
    sliderOf(editor)->setFocus();
    QTest::keyClick(sliderOf(editor), Qt::Key_Home);
    QCOMPARE(alias->getValue(), 16);
    QTRY_COMPARE(spinBoxOf(editor)->value(), 16.0);
    QTest::keyClick(sliderOf(editor), Qt::Key_End);
    QCOMPARE(alias->getValue(), 1048576);
    QTRY_COMPARE(spinBoxOf(editor)->value(), 1048576.0);
}

void TestFloatSliderEditor::sliderWritesTheAlias_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("expected");
    // Black: 0..10, alias 0..20 in steps of 1 (scale 0.5), value 4 = alias 8.
    QTest::newRow("right") << int(Qt::Key_Right) << 4.5;
    QTest::newRow("left") << int(Qt::Key_Left) << 3.5;
    QTest::newRow("end") << int(Qt::Key_End) << 10.0;
}

void TestFloatSliderEditor::sliderWritesTheAlias()
{
    QFETCH(int, key);
    QFETCH(double, expected);
    FloatSliderEditor* editor = openEditor(QStringLiteral("Black"));
    const auto black = qSharedPointerDynamicCast<IFloatParameter>(m_collection->getParameter(QStringLiteral("Black")));
    sliderOf(editor)->setFocus();
    QTest::keyClick(sliderOf(editor), Qt::Key(key));
    QCOMPARE(black->getValue(), expected);
    QTRY_COMPARE(spinBoxOf(editor)->value(), expected);
}

void TestFloatSliderEditor::typedValueIsCommittedToTheFloat()
{
    FloatSliderEditor* editor = openEditor(QStringLiteral("Black"));
    const auto alias = aliasOf(QStringLiteral("Black"));
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(editor);
    spinBox->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    spinBox->selectAll();
    QTest::keyClicks(spinBox, QStringLiteral("6.5"));
    QCOMPARE(alias->getValue(), 8);
    QTest::keyClick(spinBox, Qt::Key_Return);
    QCOMPARE(alias->getValue(), 13);
    QTRY_COMPARE(sliderOf(editor)->value(), 13);
}

void TestFloatSliderEditor::aliasReportsMoveTheSlider()
{
    FloatSliderEditor* editor = openEditor(QStringLiteral("ExposureTime"));
    QSignalSpy moved(editor, &TwoModeDoubleComboSlider::valueChanged);
    aliasOf(QStringLiteral("ExposureTime"))->setValue(4096, true);
    // 8 octaves of 16 / 100000 each: 49999.99..., truncated.
    QTRY_COMPARE(sliderOf(editor)->value(), 49999);
    QTRY_COMPARE(spinBoxOf(editor)->value(), 4096.0);
    // The slider's report carried the exact alias value, so nothing was written back.
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.first().first().toInt(), 4096);
}

void TestFloatSliderEditor::zeroAliasIncrementIsRejected()
{
    FloatSliderEditor* editor = openEditor(QStringLiteral("Black"));
    const auto alias = aliasOf(QStringLiteral("Black"));
    auto data = QSharedPointer<ParameterData>::create(*alias->getParameterData());
    data->intInc = 0;
    data->intValue = 3;
    LogCapture log;

    emit alias->parameterDataChangedDecoupled(data);

    const QStringList warnings = log.texts(QtWarningMsg);
    QCOMPARE(warnings.size(), 2);
    QCOMPARE(warnings.at(0), QStringLiteral("Black: Failed to update the float value editor slider!"));
    QVERIFY2(warnings.at(1).startsWith(QStringLiteral(
                 "FloatSliderEditor::onAliasParameterDataChanged: Exception occurred:\nThe alias increment cannot be "
                 "'0'!")),
             qPrintable(warnings.at(1)));
    QCOMPARE(sliderOf(editor)->value(), 8);
}

void TestFloatSliderEditor::missingAliasIsReportedAndRetried()
{
    // A collection that has no alias of that name.
    const auto elsewhere = MemoryParameterCollection::fromXml(R"(
<NodeMap role="@CameraDevice"><Category name="Root"><Integer name="X" value="1"/></Category></NodeMap>)");
    LogCapture log;
    FloatSliderEditor* editor = openEditor(QStringLiteral("Black"), elsewhere);

    QCOMPARE(log.texts(QtDebugMsg), QStringList { "Alias node is not of type integer." });
    const QStringList warnings = log.texts(QtWarningMsg);
    QCOMPARE(warnings.size(), 2);
    QCOMPARE(warnings.at(0), QStringLiteral("Black: Failed to update the float value editor comboBox!"));
    QVERIFY2(warnings.at(1).startsWith(QStringLiteral("FloatSliderEditor::setEditorData: Exception occurred:\nCould "
                                                      "not retrieve an alias node on pNode")),
             qPrintable(warnings.at(1)));
    // Initial state kept; the next snapshot tries again.
    QCOMPARE(sliderOf(editor)->value(), 0);
    log.clear();
    m_collection->getParameter(QStringLiteral("Black"))->setValue(QStringLiteral("5"));
    QCOMPARE(log.texts(QtDebugMsg), QStringList { "Alias node is not of type integer." });
}

void TestFloatSliderEditor::readOnlyDisablesEvenWhileTyping()
{
    FloatSliderEditor* editor = openEditor(QStringLiteral("Black"));
    OrvikQtDoubleSpinBox* spinBox = spinBoxOf(editor);
    spinBox->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    spinBox->selectAll();
    QTest::keyClicks(spinBox, QStringLiteral("7"));

    m_collection->getParameter(QStringLiteral("Lock"))->setValue(QStringLiteral("true"));

    QTRY_VERIFY(!editor->isEnabled());
    // Disabling took the focus away, which commits the typed value; the
    // parameter is read-only now and keeps its value.
    QCOMPARE(
        qSharedPointerDynamicCast<IFloatParameter>(m_collection->getParameter(QStringLiteral("Black")))->getValue(),
        4.0);
}

void TestFloatSliderEditor::toolTipShowsTheFloatRange()
{
    FloatSliderEditor* editor = openEditor(QStringLiteral("ExposureTime"));
    const QString expected = QStringLiteral("Range: 16.0..1048576.0");
    QCOMPARE(editor->toolTip(), expected);
    QCOMPARE(sliderOf(editor)->toolTip(), expected);
    QCOMPARE(spinBoxOf(editor)->toolTip(), expected);
}

QTEST_MAIN(TestFloatSliderEditor)
#include "tst_floatslidereditor.moc"
