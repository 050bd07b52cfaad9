#include "featuretree/featuretreehighlighter.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreemodel.h"
#include "genicam/genericexception.h"
#include "logcapture.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/memoryparametercollection.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"

#include <QtTest>

using namespace ParameterCollection;

namespace {

const char* const nodeMap = R"(<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Category name="Controls" visibility="Guru" description="All controls">
      <Integer name="Width" value="640" min="16" max="Limit" inc="2" unit="px" description="Image width."
               tooltip="Width of the image" docuURL="docs/features.html#Width"/>
      <Integer name="Limit" value="1000" min="0" max="4000"/>
      <Float name="Gain" value="5" min="0" max="GainLimit" representation="Linear" unit="dB"/>
      <Float name="GainLimit" value="24" min="0" max="48"/>
      <Float name="Exposure" value="5" min="1" max="100" representation="Logarithmic"/>
      <Float name="Plain" value="5" min="1" max="100"/>
      <Integer name="Ranged" value="5" min="1" max="100" representation="Linear"/>
      <Boolean name="ReverseX" value="true"/>
      <String name="DeviceUserID" value="cam" maxLength="32"/>
      <Enumeration name="PixelFormat" value="Mono8"><Entry name="Mono8"/><Entry name="Mono12"/></Enumeration>
      <Command name="UserSetSave"/>
      <Integer name="SensorWidth" access="RO" value="2448"/>
      <Integer name="DeviceKey" access="WO" value="0"/>
      <Integer name="FutureMode" access="NA" value="0"/>
      <Integer name="LegacyMode" access="NI" value="0"/>
      <Integer name="RootCause" value="1"/>
    </Category>
  </Category>
</NodeMap>)";

} // namespace

class TestFeatureTreeINodeItem : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void nodeMapNames_data();
    void nodeMapNames();
    void valueColumnTexts_data();
    void valueColumnTexts();
    void nameColumnAndRoles();
    void editorTypesAndFlags_data();
    void editorTypesAndFlags();
    void toolTipHeadings();
    void visibilityRules();
    void clampsOutOfRangeSnapshots();
    void ignoresReportsWithoutCallbacks();
    void writesEightBitText_data();
    void writesEightBitText();
    void executesCommandsWhateverTheValue();
    void withoutParameter();
    void logsFailuresWhileCaching();

private:
    FeatureTreeINodeItem* item(const char* name);

    std::unique_ptr<TestSettings> m_settings;
    QSharedPointer<MemoryParameterCollection> m_collection;
    FeatureTreeModel* m_model = nullptr;
    FeatureTreeItem* m_root = nullptr;
};

void TestFeatureTreeINodeItem::initTestCase()
{
    m_settings = std::make_unique<TestSettings>();
}

void TestFeatureTreeINodeItem::init()
{
    m_collection = MemoryParameterCollection::fromXml(QByteArray(nodeMap));
    m_model = new FeatureTreeModel;
    m_root = new FeatureTreeItem(QString(), m_model, QString(), nullptr);
}

void TestFeatureTreeINodeItem::cleanup()
{
    delete m_root;
    delete m_model;
    m_collection.reset();
}

FeatureTreeINodeItem* TestFeatureTreeINodeItem::item(const char* name)
{
    const QString fullName = QStringLiteral("@CameraDevice/") + QLatin1String(name);
    auto* node = new FeatureTreeINodeItem(m_collection, m_collection->getParameter(fullName), m_model, fullName,
                                          m_root, true);
    m_root->appendChild(node);
    return node;
}

void TestFeatureTreeINodeItem::nodeMapNames_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("camera") << "@CameraDevice/Gain" << "CameraDevice";
    QTest::newRow("transport layer") << "@DeviceTransportLayer/ReadTimeout" << "TransportLayer";
    QTest::newRow("stream grabber") << "@StreamGrabber0/MaxNumBuffer" << "StreamGrabber";
    QTest::newRow("other grabber index") << "@StreamGrabber1/MaxNumBuffer" << "Invalid";
    QTest::newRow("gentl") << "@GenTl/InterfaceID" << "Interface";
    QTest::newRow("converter root") << "@ImageFormatConverter*Root" << "Invalid";
    QTest::newRow("case matters") << "@cameradevice/Gain" << "Invalid";
    QTest::newRow("empty") << "" << "Invalid";
}

void TestFeatureTreeINodeItem::nodeMapNames()
{
    QFETCH(QString, fullName);
    QFETCH(QString, expected);
    QCOMPARE(FeatureTreeINodeItem::nodeMapNameFromFullName(fullName), expected);
}

void TestFeatureTreeINodeItem::valueColumnTexts_data()
{
    QTest::addColumn<QString>("feature");
    QTest::addColumn<QVariant>("display");
    QTest::addColumn<QVariant>("edit");

    QTest::newRow("integer") << "Width" << QVariant(QStringLiteral("640")) << QVariant(QStringLiteral("640"));
    QTest::newRow("boolean shows nothing") << "ReverseX" << QVariant(QString()) << QVariant();
    QTest::newRow("category shows nothing") << "Controls" << QVariant(QString()) << QVariant();
    QTest::newRow("write only") << "DeviceKey" << QVariant(QStringLiteral("<not readable>")) << QVariant();
    QTest::newRow("not available") << "FutureMode" << QVariant(QStringLiteral("<not available>")) << QVariant();
    QTest::newRow("not implemented") << "LegacyMode" << QVariant(QStringLiteral("<not implemented>")) << QVariant();
    QTest::newRow("enumeration") << "PixelFormat" << QVariant(QStringLiteral("Mono8"))
                                 << QVariant(QStringLiteral("Mono8"));
}

void TestFeatureTreeINodeItem::valueColumnTexts()
{
    QFETCH(QString, feature);
    QFETCH(QVariant, display);
    QFETCH(QVariant, edit);
    FeatureTreeINodeItem* node = item(feature.toLatin1().constData());
    QCOMPARE(node->data(1, Qt::DisplayRole), display);
    QCOMPARE(node->data(1, Qt::EditRole), edit);
}

void TestFeatureTreeINodeItem::nameColumnAndRoles()
{
    FeatureTreeINodeItem* width = item("Width");
    QCOMPARE(width->data(0, Qt::DisplayRole).toString(), QStringLiteral("Width [px]"));
    QCOMPARE(item("PixelFormat")->data(0, Qt::DisplayRole).toString(), QStringLiteral("PixelFormat"));
    QCOMPARE(width->data(0, FeatureTreeItem::GenicamNameRole).toString(), QStringLiteral("Width"));
    QCOMPARE(width->data(1, FeatureTreeItem::GenicamNameRole).toString(), QStringLiteral("@CameraDevice/Width"));
    QCOMPARE(width->data(0, FeatureTreeItem::GenicamTooltipRole).toString(), QStringLiteral("Width of the image"));
    QCOMPARE(width->data(0, FeatureTreeItem::GenicamDescription).toString(), QStringLiteral("Image width."));
    QCOMPARE(width->data(0, FeatureTreeItem::GenicamDocuURL).toString(),
             QStringLiteral("docs/features.html#Width"));
    QCOMPARE(width->data(0, FeatureTreeItem::GenicamCategory).toBool(), false);
    QCOMPARE(item("Controls")->data(0, FeatureTreeItem::IsFullRowItem).toBool(), true);
    QCOMPARE(item("Controls")->data(0, FeatureTreeItem::GenicamVisibility).toInt(), int(GenApi::Guru));
    // The identifier stays the same for the same row, so a row can be found again.
    QCOMPARE(width->data(0, FeatureTreeItem::UniqueID), width->data(0, FeatureTreeItem::UniqueID));
    QVERIFY(item("Controls")->hasChildren());
    QVERIFY(!width->hasChildren());
}

void TestFeatureTreeINodeItem::editorTypesAndFlags_data()
{
    QTest::addColumn<QString>("feature");
    QTest::addColumn<int>("editor");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("dimmed");
    QTest::addColumn<int>("access");

    QTest::newRow("integer") << "Width" << 0 << true << false << int(GenApi::RW);
    QTest::newRow("integer slider") << "Ranged" << 1 << true << false << int(GenApi::RW);
    QTest::newRow("float") << "Plain" << 2 << true << false << int(GenApi::RW);
    QTest::newRow("float slider linear") << "Gain" << 3 << true << false << int(GenApi::RW);
    QTest::newRow("float slider logarithmic") << "Exposure" << 3 << true << false << int(GenApi::RW);
    QTest::newRow("enumeration") << "PixelFormat" << 4 << true << false << int(GenApi::RW);
    QTest::newRow("boolean") << "ReverseX" << 5 << true << false << int(GenApi::RW);
    QTest::newRow("string") << "DeviceUserID" << 6 << true << false << int(GenApi::RW);
    QTest::newRow("command") << "UserSetSave" << 7 << true << false << int(GenApi::RW);
    QTest::newRow("category") << "Controls" << 10 << false << false << int(GenApi::RO);
    QTest::newRow("read only") << "SensorWidth" << 0 << false << true << int(GenApi::RO);
    QTest::newRow("write only") << "DeviceKey" << 0 << true << false << int(GenApi::WO);
    QTest::newRow("not available") << "FutureMode" << 0 << false << true << int(GenApi::NA);
    QTest::newRow("not implemented") << "LegacyMode" << 0 << false << true << int(GenApi::NI);
}

void TestFeatureTreeINodeItem::editorTypesAndFlags()
{
    QFETCH(QString, feature);
    QFETCH(int, editor);
    QFETCH(bool, editable);
    QFETCH(bool, dimmed);
    QFETCH(int, access);
    FeatureTreeINodeItem* node = item(feature.toLatin1().constData());
    QCOMPARE(node->editorType(), editor);
    QCOMPARE(FeatureTreeINodeItem::editorType(node), editor);
    QCOMPARE(node->isEditable(), editable);
    QCOMPARE(int(node->getAccessMode()), access);
    QCOMPARE(node->data(0, Qt::ForegroundRole).isValid(), dimmed);
    QCOMPARE(node->data(1, Qt::ForegroundRole).isValid(), dimmed);

    const Qt::ItemFlags name = node->flags(0);
    const bool readable = access == GenApi::RO || access == GenApi::RW;
    const bool category = editor == 10;
    // The name column keeps the base flags; only a readable category cannot be dragged.
    QCOMPARE(bool(name & Qt::ItemIsDragEnabled), !(readable && category));
    QVERIFY(name & Qt::ItemIsEnabled);
    if (editable)
        QVERIFY(node->flags(1) & Qt::ItemIsEditable);
}

void TestFeatureTreeINodeItem::toolTipHeadings()
{
    QCOMPARE(item("Width")->data(0, Qt::ToolTipRole).toString(),
             QStringLiteral("<nobr><b>Width (Width)</b></nobr><br><nobr>Width of the image</nobr>"));
    QCOMPARE(item("Controls")->data(0, Qt::ToolTipRole).toString(), QStringLiteral("<nobr><b>Controls</b></nobr>"));
    // "root" in any case gives the short heading.
    QCOMPARE(item("RootCause")->data(0, Qt::ToolTipRole).toString(),
             QStringLiteral("<nobr><b>RootCause</b></nobr>"));

    // A translation of "<name>_Tooltip" in the node map's context replaces the tool tip text.
    struct TooltipTranslator : QTranslator
    {
        bool isEmpty() const override { return false; }
        QString translate(const char* context, const char* source, const char*, int) const override
        {
            if (qstrcmp(context, "CameraDevice") == 0 && qstrcmp(source, "Width_Tooltip") == 0)
                return QString::fromUtf8("画像の幅");
            return QString();
        }
    } translator;
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(item("Width")->data(0, Qt::ToolTipRole).toString(),
             QString::fromUtf8("<nobr><b>Width (Width)</b></nobr><br><nobr>画像の幅</nobr>"));
    QCoreApplication::removeTranslator(&translator);

    FeatureTreeHighlighter highlighter;
    highlighter.searchText = QStringLiteral("idt");
    FeatureTreeINodeItem* width = item("Width");
    width->setHighlighter(&highlighter);
    const QString tip = width->data(0, Qt::ToolTipRole).toString();
    QVERIFY2(tip.startsWith(QLatin1String("<nobr><b>W<span")), qPrintable(tip));
    QVERIFY(tip.endsWith(QLatin1String("<br><nobr>Width of the image</nobr>")));
}

void TestFeatureTreeINodeItem::visibilityRules()
{
    FeatureTreeINodeItem* controls = item("Controls");
    QVERIFY(!controls->ShowMe(GenApi::Expert));
    QVERIFY(controls->ShowMe(GenApi::Guru));
    QVERIFY(controls->ShowMe(GenApi::Invisible));
    FeatureTreeINodeItem* legacy = item("LegacyMode");
    QVERIFY(!legacy->ShowMe(GenApi::Guru));
    QVERIFY(legacy->ShowMe(GenApi::Invisible));
    QVERIFY(item("Width")->ShowMe(GenApi::Beginner));
}

void TestFeatureTreeINodeItem::clampsOutOfRangeSnapshots()
{
    FeatureTreeINodeItem* width = item("Width");
    auto parameter = qSharedPointerDynamicCast<IIntegerParameter>(width->node());
    QSignalSpy updated(width, &FeatureTreeINodeItem::nodeUpdated);

    // Lowering the limit leaves Width above its new maximum: the row pulls it back.
    m_collection->getParameter(QStringLiteral("Limit"))->setValue(QStringLiteral("500"));
    QCOMPARE(parameter->getValue(), qint64(500));
    // The report of 640 was not stored; the corrected one was.
    QCOMPARE(updated.count(), 1);
    QCOMPARE(width->data(1, Qt::DisplayRole).toString(), QStringLiteral("500"));
    QCOMPARE(updated.first().at(0).toInt(), width->row());

    FeatureTreeINodeItem* gain = item("Gain");
    m_collection->getParameter(QStringLiteral("GainLimit"))->setValue(QStringLiteral("2.5"));
    QCOMPARE(gain->data(1, Qt::DisplayRole).toString(), QStringLiteral("2.50"));
}

void TestFeatureTreeINodeItem::ignoresReportsWithoutCallbacks()
{
    FeatureTreeINodeItem* width = item("Width");
    QSignalSpy updated(width, &FeatureTreeINodeItem::nodeUpdated);
    m_model->setGenICamCallbacksEnable(false);
    m_collection->getParameter(QStringLiteral("Limit"))->setValue(QStringLiteral("500"));
    QCOMPARE(updated.count(), 0);
    QCOMPARE(width->data(1, Qt::DisplayRole).toString(), QStringLiteral("640")); // old cache kept
    QCOMPARE(qSharedPointerDynamicCast<IIntegerParameter>(width->node())->getValue(), qint64(640)); // not clamped
}

void TestFeatureTreeINodeItem::writesEightBitText_data()
{
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    const QString umlaut = QString::fromUtf8("Grüße");
    QTest::newRow("utf-8 row, utf-8 collection") << true << umlaut << umlaut;
    QTest::newRow("cut at a zero character") << true << QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")
                                             << QStringLiteral("ab");
    // A Latin-1 row hands Latin-1 bytes to a UTF-8 collection, which refuses them.
    QTest::newRow("latin-1 row, utf-8 collection") << false << umlaut << QStringLiteral("cam");
}

void TestFeatureTreeINodeItem::writesEightBitText()
{
    QFETCH(bool, utf8);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    const QString fullName = QStringLiteral("@CameraDevice/DeviceUserID");
    auto* node = new FeatureTreeINodeItem(m_collection, m_collection->getParameter(fullName), m_model, fullName,
                                          m_root, utf8);
    m_root->appendChild(node);
    try {
        node->setData(1, typed, Qt::EditRole);
    } catch (const GenICam::GenericException&) {
        QCOMPARE(stored, QStringLiteral("cam"));
    }
    QCOMPARE(m_collection->getParameter(fullName)->getParameterData()->valueString, stored);
}

void TestFeatureTreeINodeItem::executesCommandsWhateverTheValue()
{
    FeatureTreeINodeItem* save = item("UserSetSave");
    QSignalSpy reported(save->node().data(), &IParameter::parameterDataChangedDecoupled);
    m_collection->injectFault(QStringLiteral("UserSetSave"), MemoryParameterCollection::Operation::SetValue,
                              MemoryParameterCollection::FaultKind::StandardException);
    save->setData(1, QVariant(), Qt::EditRole); // nothing of the value is used, no setValue called
    save->setData(1, QStringLiteral("garbage"), Qt::EditRole);
    QCOMPARE(reported.count(), 0); // no busy time: done before and after, no change to report
    m_collection->injectFault(QStringLiteral("UserSetSave"), MemoryParameterCollection::Operation::Execute,
                              MemoryParameterCollection::FaultKind::GenICamException, 1);
    QVERIFY_EXCEPTION_THROWN(save->setData(1, 1, Qt::EditRole), GenICam::GenericException);
    // Column 0 and other roles write nothing.
    save->setData(0, 1, Qt::EditRole);
    save->setData(1, 1, Qt::DisplayRole);
}

void TestFeatureTreeINodeItem::withoutParameter()
{
    FeatureTreeINodeItem node(m_collection, nullptr, m_model, QStringLiteral("@CameraDevice/Nothing"), nullptr, true);
    QCOMPARE(node.editorType(), int(FeatureTreeItem::EditorInvalid));
    QCOMPARE(FeatureTreeINodeItem::editorType(static_cast<const FeatureTreeINodeItem*>(nullptr)),
             int(FeatureTreeItem::EditorInvalid));
    QCOMPARE(node.getDisplayedName(), QStringLiteral("Unknown"));
    QVERIFY(!node.data(0, Qt::DisplayRole).isValid());
    QCOMPARE(node.childCount(), 0);
    QCOMPARE(int(node.getAccessMode()), int(GenApi::NI));
    QCOMPARE(node.getParameterData()->visibility, int(GenApi::_UndefinedVisibility));
    QVERIFY(node.getParameterData()->isAvailable);
}

void TestFeatureTreeINodeItem::logsFailuresWhileCaching()
{
    const QString fullName = QStringLiteral("@CameraDevice/Width");
    m_collection->injectFault(QStringLiteral("Width"), MemoryParameterCollection::Operation::GetProperties,
                              MemoryParameterCollection::FaultKind::StandardException, 1);
    m_collection->injectFault(QStringLiteral("Width"), MemoryParameterCollection::Operation::GetParameterData,
                              MemoryParameterCollection::FaultKind::OtherException, 1);
    LogCapture log;
    FeatureTreeINodeItem node(m_collection, m_collection->getParameter(fullName), m_model, fullName, nullptr, true);
    const QStringList warnings = log.texts(QtWarningMsg);
    QCOMPARE(warnings.size(), 4);
    QCOMPARE(warnings.at(0), QStringLiteral("Exception fired when caching parameter properties"));
    QVERIFY(warnings.at(1).startsWith(QLatin1String("FeatureTreeINodeItem::initInternal: Exception occurred:\n")));
    QCOMPARE(warnings.at(2), QStringLiteral("Exception fired when caching parameter data"));
    QCOMPARE(warnings.at(3), QStringLiteral("FeatureTreeINodeItem::initInternal: Unspecified exception occurred."));
    // The row still stands, with the default snapshot.
    QCOMPARE(node.getParameterData()->type, 0);
    QCOMPARE(node.getDisplayedName(), QString());
}

QTEST_MAIN(TestFeatureTreeINodeItem)
#include "tst_featuretreeinodeitem.moc"
