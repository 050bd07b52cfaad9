#include "camerapool/staticbaseinfo.h"
#include "featuretree/nodemapfilter.h"
#include "logcapture.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/memoryparametercollection.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace ParameterCollection;
using Plugin::CameraPool::IBaseInfo;
using Plugin::CameraPool::StaticBaseInfo;

namespace {

// Every node the filter items below name, of every kind the filter meets:
// features, categories and a register that the tree cannot show.
const char nodeMap[] = "<NodeMap role=\"@CameraDevice\">\n"
                       "  <Category name=\"Root\">\n"
                       "    <Category name=\"AcquisitionControl\">\n"
                       "      <Enumeration name=\"AcquisitionMode\" value=\"Continuous\">\n"
                       "        <Entry name=\"SingleFrame\"/><Entry name=\"Continuous\"/>\n"
                       "      </Enumeration>\n"
                       "      <Command name=\"AcquisitionStart\"/>\n"
                       "      <Command name=\"AcquisitionStop\"/>\n"
                       "      <Enumeration name=\"TriggerMode\" value=\"Off\"><Entry name=\"Off\"/><Entry "
                       "name=\"On\"/></Enumeration>\n"
                       "      <Integer name=\"Width\" value=\"640\" min=\"16\" max=\"4096\"/>\n"
                       "      <Integer name=\"Height\" value=\"480\" min=\"16\" max=\"4096\" visibility=\"Expert\"/>\n"
                       "    </Category>\n"
                       "    <Category name=\"ChunkData\">\n"
                       "      <Boolean name=\"ChunkModeActive\" value=\"false\"/>\n"
                       "    </Category>\n"
                       "    <Register name=\"GevSCDA\"/>\n"
                       "  </Category>\n"
                       "</NodeMap>\n";

const QString resourceDir = QStringLiteral(":/orvikviewercomponents/Resources/");

const QStringList embeddedFileNames { QStringLiteral("Default_Filter.xml"),
                                      QStringLiteral("U3V_CameraDevice_Filter.xml"),
                                      QStringLiteral("U3V_DeviceTransportLayer_Filter.xml"),
                                      QStringLiteral("GEV_DeviceTransportLayer_Filter.xml"),
                                      QStringLiteral("GEV_StreamGrabber_Filter.xml"),
                                      QStringLiteral("CamEmu_StreamGrabber_Filter.xml"),
                                      QStringLiteral("IIDC_StreamGrabber_Filter.xml"),
                                      QStringLiteral("ImageFormatConverter_Filter.xml") };

/// One data row; values are separated by commas so that rows stay one line each.
template<typename... Values> void addRow(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}

QSharedPointer<MemoryParameterCollection> makeCollection()
{
    return MemoryParameterCollection::fromXml(QByteArray(nodeMap), QStringLiteral("test node map"));
}

QSharedPointer<IBaseInfo> info(const QString& deviceClass)
{
    return QSharedPointer<StaticBaseInfo>::create(deviceClass);
}

/// "Visibility/AccessMode" of a node as the collection reports it now.
QString stateOf(const QSharedPointer<IParameterCollection>& collection, const QString& name)
{
    const QSharedPointer<IParameterProperties> properties = collection->getParameter(name)->getProperties();
    return properties->getProperty(QStringLiteral("Visibility")) + QLatin1Char('/')
        + properties->getProperty(QStringLiteral("AccessMode"));
}

QHash<QString, QString> statesOf(const QSharedPointer<MemoryParameterCollection>& collection)
{
    QHash<QString, QString> states;
    for (const QString& name : collection->nodeNames())
        states.insert(name, stateOf(collection, name));
    return states;
}

/// The nodes whose state differs from `before`, as "Name=Visibility/AccessMode"
/// in node map order, so that a test states exactly what the filter changed.
QString changes(const QSharedPointer<MemoryParameterCollection>& collection, const QHash<QString, QString>& before)
{
    QStringList result;
    for (const QString& name : collection->nodeNames()) {
        const QString now = stateOf(collection, name);
        if (now != before.value(name))
            result << name + QLatin1Char('=') + now;
    }
    return result.join(QLatin1Char(' '));
}

QDomElement parseItem(const QString& xml)
{
    QDomDocument document;
    QString error;
    if (!document.setContent(xml, &error))
        qFatal("Broken test item: %s", qPrintable(error));
    return document.documentElement();
}

/// Files written into the application's directory for one test and removed
/// when the guard goes, also when the test fails half-way. Never overwrites
/// (and so never removes) a file it did not write.
class FilesBesideApplication
{
public:
    FilesBesideApplication() = default;
    FilesBesideApplication(const FilesBesideApplication&) = delete;
    FilesBesideApplication& operator=(const FilesBesideApplication&) = delete;
    ~FilesBesideApplication()
    {
        for (const QString& path : qAsConst(m_paths))
            QFile::remove(path);
    }

    bool write(const QString& fileName, const QByteArray& content)
    {
        const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
        QFile file(path);
        if (file.exists() || !file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        m_paths << path;
        return file.write(content) == content.size();
    }

private:
    QStringList m_paths;
};

/// A filter file that names where it lies, so that a test can tell it from
/// every other candidate. Its only item makes "Width" Guru.
QByteArray diskFilter(const QString& fileName)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Filter source=\"disk:" + fileName.toUtf8()
        + "\">\n  <Feature><Name>Width</Name><Visibility>Guru</Visibility></Feature>\n</Filter>\n";
}

QDomDocument embeddedDocument(const QString& fileName)
{
    QDomDocument document;
    QFile file(resourceDir + fileName);
    if (file.open(QIODevice::ReadOnly))
        document.setContent(&file);
    return document;
}

/// "disk:<file>" for a file written by diskFilter, "res:<file>" for an
/// embedded file, "?" for anything else.
QString sourceOf(const QDomDocument& document)
{
    const QString source = document.documentElement().attribute(QStringLiteral("source"));
    if (!source.isEmpty())
        return source;
    for (const QString& fileName : embeddedFileNames) {
        if (embeddedDocument(fileName).toString() == document.toString())
            return QStringLiteral("res:") + fileName;
    }
    return QStringLiteral("?");
}

/// A collection that hands out handles taken from another collection, so that
/// a test can keep handles of a collection that has been closed since.
class HandleCollection : public IParameterCollection
{
public:
    QHash<QString, QSharedPointer<IParameter>> handles;

    QString getRoleName() const override { return QStringLiteral("@CameraDevice"); }
    QSharedPointer<IParameter> getParameter(const QString& name) override { return handles.value(name); }
    QStringList getChildren(const QString&, int, bool) override { return {}; }
    bool hasParameter(const QString& fullName) override { return handles.contains(fullName); }
    void refresh() override { }
    void poll(qint64) override { }
};

} // namespace

// NodeMapFilter: which file is chosen, how its items are imposed, and what
// the embedded files contain.
class TestNodeMapFilter : public QObject
{
    Q_OBJECT
private slots:
    void candidateOrder_data();
    void candidateOrder();
    void missingArguments();
    void malformedFile_data();
    void malformedFile();
    void processElement_data();
    void processElement();
    void imposingFails_data();
    void imposingFails();
    void nullParameters();
    void lookUpFails();
    void walkGoesOnAfterFailingItems();
    void embeddedFiles_data();
    void embeddedFiles();
    void emulatedCamera();
};

void TestNodeMapFilter::candidateOrder_data()
{
    QTest::addColumn<QString>("deviceClass");
    QTest::addColumn<QString>("nodeMapName");
    QTest::addColumn<QStringList>("filesBesideApplication");
    QTest::addColumn<QString>("expected");

    // Embedded files only.
    const QStringList none;
    addRow("U3V camera device", "U3V", "@CameraDevice", none, "res:U3V_CameraDevice_Filter.xml");
    addRow("GEV camera device falls back to default", "GEV", "@CameraDevice", none, "res:Default_Filter.xml");
    addRow("GEV stream grabber, index dropped", "GEV", "@StreamGrabber12", none, "res:GEV_StreamGrabber_Filter.xml");
    addRow("CamEmu stream grabber", "CamEmu", "@StreamGrabber3", none, "res:CamEmu_StreamGrabber_Filter.xml");
    addRow("U3V stream grabber has no file of its own", "U3V", "@StreamGrabber0", none, "res:Default_Filter.xml");
    addRow("image format converter of any kind", "GEV", "@ImageFormatConverter", none,
           "res:ImageFormatConverter_Filter.xml");
    addRow("U3V transport layer", "U3V", "@DeviceTransportLayer", none, "res:U3V_DeviceTransportLayer_Filter.xml");
    addRow("every leading @ stripped", "U3V", "@@CameraDevice", none, "res:U3V_CameraDevice_Filter.xml");
    addRow("name without @", "U3V", "CameraDevice", none, "res:U3V_CameraDevice_Filter.xml");
    addRow("only trailing digits dropped", "GEV", "@StreamGrabber0a", none, "res:Default_Filter.xml");

    // Files beside the application, under names only this test uses.
    using L = QStringList;
    addRow("kind file beside the application", "TstNmf", "@CameraDevice", L { "TstNmf_CameraDevice_Filter.xml" },
           "disk:TstNmf_CameraDevice_Filter.xml");
    addRow("base name file beside the application, digits dropped", "TstNmf", "@TstNmfMap7",
           L { "TstNmfMap_Filter.xml" }, "disk:TstNmfMap_Filter.xml");
    addRow("kind file beats base name file", "TstNmf", "@TstNmfMap",
           L { "TstNmfMap_Filter.xml", "TstNmf_TstNmfMap_Filter.xml" }, "disk:TstNmf_TstNmfMap_Filter.xml");
    addRow("empty base name: kind file", "TstNmf", "@@12", L { "TstNmf_Filter.xml" }, "disk:TstNmf_Filter.xml");
    addRow("empty base name: no name of an empty base", "TstNmf", "@@12", L { "TstNmf__Filter.xml", "Filter.xml" },
           "res:Default_Filter.xml");

    // Files beside the application that shadow embedded ones.
    addRow("file beside the application beats embedded file of that name", "IIDC", "@StreamGrabber0",
           L { "IIDC_StreamGrabber_Filter.xml" }, "disk:IIDC_StreamGrabber_Filter.xml");
    addRow("default beside the application beats embedded default", "GEV", "@CameraDevice", L { "Default_Filter.xml" },
           "disk:Default_Filter.xml");
    addRow("embedded specific name beats default beside the application", "U3V", "@CameraDevice",
           L { "Default_Filter.xml" }, "res:U3V_CameraDevice_Filter.xml");
}

void TestNodeMapFilter::candidateOrder()
{
    QFETCH(QString, deviceClass);
    QFETCH(QString, nodeMapName);
    QFETCH(QStringList, filesBesideApplication);
    QFETCH(QString, expected);

    FilesBesideApplication files;
    for (const QString& fileName : filesBesideApplication)
        QVERIFY2(files.write(fileName, diskFilter(fileName)), qPrintable(fileName + " exists or cannot be written"));

    QDomDocument document;
    QVERIFY(NodeMapFilter::createDocument(document, info(deviceClass), nodeMapName));
    QCOMPARE(sourceOf(document), expected);
}

void TestNodeMapFilter::missingArguments()
{
    const auto collection = makeCollection();
    const QHash<QString, QString> before = statesOf(collection);
    LogCapture log;

    // Without camera information nothing is chosen, nothing is applied and
    // nothing is logged.
    QVERIFY(!NodeMapFilter::apply(collection, nullptr, QStringLiteral("@CameraDevice")));
    QDomDocument document;
    QVERIFY(!NodeMapFilter::createDocument(document, nullptr, QStringLiteral("@CameraDevice")));
    QVERIFY(document.isNull());
    QVERIFY(!NodeMapFilter::apply(nullptr, info(QStringLiteral("GEV")), QStringLiteral("@CameraDevice")));

    QCOMPARE(changes(collection, before), QString());
    QCOMPARE(log.texts(), QStringList());
}

void TestNodeMapFilter::malformedFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");

    const QByteArray start = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Filter>\n";
    addRow("mismatched end tag", start + "  <Feature><Name>Width</Name></Feat>\n</Filter>\n", 3);
    addRow("unclosed document",
           start + "  <Feature><Name>Width</Name><Visibility>Guru</Visibility></Feature>\n  <Feature>\n", 5);
    addRow("not XML at all", QByteArray("Width=Guru\n"), 1);
}

void TestNodeMapFilter::malformedFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);

    FilesBesideApplication files;
    const QString fileName = QStringLiteral("TstNmf_Broken_Filter.xml");
    QVERIFY(files.write(fileName, content));
    const auto collection = makeCollection();
    const QHash<QString, QString> before = statesOf(collection);

    LogCapture log;
    QVERIFY(!NodeMapFilter::apply(collection, info(QStringLiteral("TstNmf")), QStringLiteral("@Broken")));

    // The broken file is not skipped for the next candidate: the collection stays unfiltered.
    QCOMPARE(changes(collection, before), QString());
    const QStringList lines = log.texts(QtDebugMsg);
    QCOMPARE(lines.size(), 1);
    const QRegularExpression pattern(QStringLiteral("^NodeMapFilter::createDocument: failed to parse file (.+): (.+) "
                                                    "\\((\\d+), (\\d+)\\)$"));
    const QRegularExpressionMatch match = pattern.match(lines.first());
    QVERIFY2(match.hasMatch(), qPrintable(lines.first()));
    QCOMPARE(QFileInfo(match.captured(1)).canonicalFilePath(),
             QFileInfo(QDir(QCoreApplication::applicationDirPath()).filePath(fileName)).canonicalFilePath());
    QCOMPARE(match.captured(3).toInt(), line);
    QVERIFY(match.captured(4).toInt() > 0);
    QVERIFY(log.texts(QtWarningMsg).isEmpty());
}

void TestNodeMapFilter::processElement_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("changed");
    QTest::addColumn<QStringList>("debugLines");

    const QStringList none;
    const QStringList noName { "NodeMapFilter::processElement: failed to get the name of a filter item" };
    const QStringList emptyName { "NodeMapFilter::processElement: empty name found" };
    const auto item = [](const char* content) { return QStringLiteral("<Feature>%1</Feature>").arg(content); };
    addRow("visibility", item("<Name>Width</Name><Visibility>Guru</Visibility>"), true, "Width=Guru/RW", none);
    addRow("access mode", item("<Name>Width</Name><AccessMode>RO</AccessMode>"), true, "Width=Beginner/RO", none);
    addRow("lower visibility than declared", item("<Name>Height</Name><Visibility>Beginner</Visibility>"), true,
           "Height=Beginner/RW", none);
    addRow("category", item("<Name>ChunkData</Name><Visibility>Guru</Visibility>"), true, "ChunkData=Guru/RO", none);
    addRow("name nested deeper",
           item("<Group><Details><Name>Width</Name></Details></Group><Visibility>Expert</Visibility>"), true,
           "Width=Expert/RW", none);
    addRow("values nested deeper",
           item("<Name>Width</Name><Imposed><Visibility>Expert</Visibility><AccessMode>RO</AccessMode></Imposed>"),
           true, "Width=Expert/RO", none);
    addRow("first of each element counts",
           item("<Name>Width</Name><Name>Height</Name><Visibility>Guru</Visibility><Visibility>Invisible</Visibility>"
                "<AccessMode>RO</AccessMode><AccessMode>NA</AccessMode>"),
           true, "Width=Guru/RO", none);
    addRow("item tag not examined", "<Anything><Name>Width</Name><Visibility>Guru</Visibility></Anything>", true,
           "Width=Guru/RW", none);
    addRow("comments ignored", item("<!-- a note --><Name>Width<!-- inside --></Name><Visibility>Guru</Visibility>"),
           true, "Width=Guru/RW", none);
    addRow("neither value", item("<Name>Width</Name>"), true, QString(), none);
    addRow("unknown feature", item("<Name>NoSuchFeature</Name><Visibility>Guru</Visibility>"), false, QString(), none);
    addRow("name not trimmed", item("<Name> Width </Name><Visibility>Guru</Visibility>"), false, QString(), none);
    addRow("no name", item("<Visibility>Guru</Visibility>"), false, QString(), noName);
    addRow("name attribute is no name", "<Feature Name=\"Width\"><Visibility>Guru</Visibility></Feature>", false,
           QString(), noName);
    addRow("empty name", item("<Name></Name><Visibility>Guru</Visibility>"), false, QString(), emptyName);
    addRow("empty first name", item("<Name/><Name>Width</Name><Visibility>Guru</Visibility>"), false, QString(),
           emptyName);
}

void TestNodeMapFilter::processElement()
{
    QFETCH(QString, item);
    QFETCH(bool, result);
    QFETCH(QString, changed);
    QFETCH(QStringList, debugLines);

    const auto collection = makeCollection();
    const QHash<QString, QString> before = statesOf(collection);
    LogCapture log;
    QCOMPARE(NodeMapFilter::processElement(parseItem(item), collection), result);
    QCOMPARE(changes(collection, before), changed);
    QCOMPARE(log.texts(QtDebugMsg), debugLines);
    QCOMPARE(log.texts(QtWarningMsg), QStringList());
}

void TestNodeMapFilter::imposingFails_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("fault"); // -1: none injected, else a FaultKind
    QTest::addColumn<QString>("changed");
    QTest::addColumn<QStringList>("warnings"); // regular expressions, one per line

    const QString both = QStringLiteral(
        "<Feature><Name>Width</Name><Visibility>Expert</Visibility><AccessMode>RO</AccessMode></Feature>");
    const QString exceptionLine = QStringLiteral("^NodeMapFilter::processElement: Exception occurred:\\n.*%1.*\\n$");
    const QString injected = exceptionLine.arg(QStringLiteral("Injected fault in setProperty of node"));
    const QString unspecified = QStringLiteral("^NodeMapFilter::processElement: Unspecified exception occurred\\.$");
    const QString visibilityLine = QStringLiteral("^Failed to impose the visibility of node Width$");
    const QString accessLine = QStringLiteral("^Failed to impose the access mode of node Width$");
    using Kind = MemoryParameterCollection::FaultKind;

    // The fault fires once: had the access mode been tried after the failed
    // visibility, it would have been imposed.
    addRow("GenICam exception on visibility", both, int(Kind::GenICamException), QString(),
           QStringList { visibilityLine, injected });
    addRow("standard exception on visibility", both, int(Kind::StandardException), QString(),
           QStringList { visibilityLine, injected });
    addRow("other exception on visibility", both, int(Kind::OtherException), QString(),
           QStringList { visibilityLine, unspecified });
    addRow("other exception on access mode", "<Feature><Name>Width</Name><AccessMode>RO</AccessMode></Feature>",
           int(Kind::OtherException), QString(), QStringList { accessLine, unspecified });

    // Texts the collection does not take.
    addRow("unknown visibility text",
           "<Feature><Name>Width</Name><Visibility>Hidden</Visibility><AccessMode>RO</AccessMode></Feature>", -1,
           QString(), QStringList { visibilityLine, exceptionLine.arg(QStringLiteral("Hidden")) });
    addRow("empty visibility element", "<Feature><Name>Width</Name><Visibility/><AccessMode>RO</AccessMode></Feature>",
           -1, QString(), QStringList { visibilityLine, exceptionLine.arg(QStringLiteral("is no visibility")) });
    addRow("unknown access mode text",
           "<Feature><Name>Width</Name><Visibility>Expert</Visibility><AccessMode>ReadOnly</AccessMode></Feature>", -1,
           "Width=Expert/RW", QStringList { accessLine, exceptionLine.arg(QStringLiteral("ReadOnly")) });
}

void TestNodeMapFilter::imposingFails()
{
    QFETCH(QString, item);
    QFETCH(int, fault);
    QFETCH(QStringList, warnings);

    const auto collection = makeCollection();
    const QHash<QString, QString> before = statesOf(collection);
    if (fault >= 0) {
        collection->injectFault(QStringLiteral("Width"), MemoryParameterCollection::Operation::SetProperty,
                                MemoryParameterCollection::FaultKind(fault), 1);
    }

    LogCapture log;
    QVERIFY(!NodeMapFilter::processElement(parseItem(item), collection));
    QTEST(changes(collection, before), "changed");

    const QStringList lines = log.texts(QtWarningMsg);
    QCOMPARE(lines.size(), warnings.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpression pattern(warnings.at(i), QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(pattern.match(lines.at(i)).hasMatch(), qPrintable(lines.at(i)));
    }
}

void TestNodeMapFilter::nullParameters()
{
    // Handles of a closed device are null and take no properties: skipped
    // silently. A register of an open device is null but takes them.
    const auto collection = makeCollection();
    const auto handles = QSharedPointer<HandleCollection>::create();
    for (const QString& name : { QStringLiteral("Width"), QStringLiteral("GevSCDA") })
        handles->handles.insert(name, collection->getParameter(name));
    QVERIFY(handles->handles.value(QStringLiteral("GevSCDA"))->isNull());
    QVERIFY(handles->handles.value(QStringLiteral("GevSCDA"))->acceptsProperties());
    const QDomElement registerItem
        = parseItem(QStringLiteral("<Feature><Name>GevSCDA</Name><Visibility>Guru</Visibility></Feature>"));
    QVERIFY(NodeMapFilter::processElement(registerItem, handles));

    collection->close();
    LogCapture log;
    for (const QString& name : { QStringLiteral("Width"), QStringLiteral("GevSCDA") }) {
        QVERIFY(handles->handles.value(name)->isNull());
        QVERIFY(!handles->handles.value(name)->acceptsProperties());
        const QDomElement item = parseItem(QStringLiteral("<Feature><Name>%1</Name><Visibility>Guru</Visibility>"
                                                          "<AccessMode>RO</AccessMode></Feature>")
                                               .arg(name));
        QVERIFY2(!NodeMapFilter::processElement(item, handles), qPrintable(name));
    }
    QCOMPARE(log.texts(), QStringList());
}

void TestNodeMapFilter::lookUpFails()
{
    // A collection that throws while the feature is looked up: the item is
    // skipped with a warning instead of the exception leaving the filter.
    const auto collection = makeCollection();
    const QHash<QString, QString> before = statesOf(collection);
    collection->injectFault(QString(), MemoryParameterCollection::Operation::GetParameter,
                            MemoryParameterCollection::FaultKind::StandardException, 1);
    const QDomElement item
        = parseItem(QStringLiteral("<Feature><Name>Width</Name><Visibility>Guru</Visibility></Feature>"));

    LogCapture log;
    QVERIFY(!NodeMapFilter::processElement(item, collection));
    QCOMPARE(changes(collection, before), QString());
    const QStringList lines = log.texts(QtWarningMsg);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), QStringLiteral("Failed to look up node Width"));
    QVERIFY2(lines.at(1).startsWith(QStringLiteral("NodeMapFilter::processElement: Exception occurred:\n")),
             qPrintable(lines.at(1)));

    // The fault fired once; the same item now goes through.
    QVERIFY(NodeMapFilter::processElement(item, collection));
    QCOMPARE(changes(collection, before), QStringLiteral("Width=Guru/RW"));
}

void TestNodeMapFilter::walkGoesOnAfterFailingItems()
{
    FilesBesideApplication files;
    QVERIFY(files.write(QStringLiteral("TstNmf_Walk_Filter.xml"),
                        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                        "<Filter>\n"
                        "  <!-- a heading -->\n"
                        "  <Feature><Visibility>Guru</Visibility></Feature>\n"
                        "  <Feature><Name>NoSuchFeature</Name><Visibility>Guru</Visibility></Feature>\n"
                        "  <Feature><Name>TriggerMode</Name><Visibility>Hidden</Visibility></Feature>\n"
                        "  <Other><Name>AcquisitionStart</Name><Visibility>Invisible</Visibility></Other>\n"
                        "  <Feature><Name>Height</Name><AccessMode>RO</AccessMode></Feature>\n"
                        "</Filter>\n"));
    const auto collection = makeCollection();
    const QHash<QString, QString> before = statesOf(collection);

    LogCapture log;
    QVERIFY(NodeMapFilter::apply(collection, info(QStringLiteral("TstNmf")), QStringLiteral("@Walk")));
    QCOMPARE(changes(collection, before), QStringLiteral("AcquisitionStart=Invisible/RW Height=Expert/RO"));
    QCOMPARE(log.texts(QtDebugMsg),
             QStringList { QStringLiteral("NodeMapFilter::processElement: failed to get the name of a filter item") });
    QCOMPARE(log.texts(QtWarningMsg).value(0), QStringLiteral("Failed to impose the visibility of node TriggerMode"));
}

void TestNodeMapFilter::embeddedFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("items");
    // "Name=Visibility/AccessMode" of some items, "/" for an item with neither, "-" for none.
    QTest::addColumn<QStringList>("samples");

    const QList<QStringList> samples {
        { "AcquisitionStart=Invisible/", "TriggerSelector=Expert/", "DeviceScanType=Expert/RO", "ChunkData=Guru/",
          "GevCurrentIPConfigurationPersistentIP=/RO", "GevGVSPExtendedIDMode=/" },
        { "ChunkData=Invisible/", "ChunkDataControl=Guru/", "DeviceScanType=Expert/RO", "GevSCDA=-" },
        { "MigrationModeEnable=Invisible/" },
        { "Root=Guru/", "HeartbeatTimeout=Guru/" },
        { "Root=Guru/" },
        { "MaxNumBuffer=Invisible/" },
        { "Root=Invisible/" },
        { "OutputPaddingX=Invisible/" }
    };
    const int counts[] = { 39, 26, 1, 4, 3, 3, 1, 2 };
    for (int i = 0; i < embeddedFileNames.size(); ++i)
        addRow(qPrintable(embeddedFileNames.at(i)), embeddedFileNames.at(i), counts[i], samples.at(i));
}

void TestNodeMapFilter::embeddedFiles()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, samples);

    QFile file(resourceDir + fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));

    QDomDocument document;
    QString error;
    int line = 0;
    QVERIFY2(document.setContent(content, &error, &line), qPrintable(QStringLiteral("%1 (%2)").arg(error).arg(line)));
    QCOMPARE(document.documentElement().tagName(), QStringLiteral("Filter"));

    const QSet<QString> visibilities { QString(), QStringLiteral("Expert"), QStringLiteral("Guru"),
                                       QStringLiteral("Invisible") };
    QHash<QString, QString> states;
    for (QDomElement item = document.documentElement().firstChildElement(); !item.isNull();
         item = item.nextSiblingElement()) {
        QCOMPARE(item.tagName(), QStringLiteral("Feature"));
        QCOMPARE(item.elementsByTagName(QStringLiteral("Name")).size(), 1);
        const QString name = item.firstChildElement(QStringLiteral("Name")).text();
        QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z][A-Za-z0-9]*$")).match(name).hasMatch(), qPrintable(name));
        QVERIFY2(!states.contains(name), qPrintable(name + " twice"));
        QVERIFY(item.elementsByTagName(QStringLiteral("Visibility")).size() <= 1);
        QVERIFY(item.elementsByTagName(QStringLiteral("AccessMode")).size() <= 1);
        const QString visibility = item.firstChildElement(QStringLiteral("Visibility")).text();
        const QString accessMode = item.firstChildElement(QStringLiteral("AccessMode")).text();
        QVERIFY2(visibilities.contains(visibility), qPrintable(name));
        QVERIFY2(accessMode.isEmpty() || accessMode == QLatin1String("RO"), qPrintable(name));
        states.insert(name, visibility + QLatin1Char('/') + accessMode);
    }
    QTEST(states.size(), "items");
    for (const QString& sample : samples) {
        const QString name = sample.section(QLatin1Char('='), 0, 0);
        QCOMPARE(name + QLatin1Char('=') + states.value(name, QStringLiteral("-")), sample);
    }
}

void TestNodeMapFilter::emulatedCamera()
{
    const EmulatedCamera camera;
    QCOMPARE(camera.info()->getDeviceClass(), QStringLiteral("CamEmu"));
    LogCapture log;
    for (const EmulatedCamera::Collection& c : camera.collections())
        QVERIFY2(NodeMapFilter::apply(c.collection, camera.info(), c.roleName), qPrintable(c.roleName));
    // Every item names a node the emulated camera either lacks or lets be filtered.
    QCOMPARE(log.texts(QtWarningMsg), QStringList());

    const struct
    {
        const char *roleName, *name, *expected;
    } rows[] = { { "@CameraDevice", "AcquisitionStart", "Invisible/RW" },
                 { "@CameraDevice", "TriggerMode", "Expert/RW" },
                 { "@CameraDevice", "DeviceScanType", "Expert/RO" },
                 { "@StreamGrabber0", "Root", "Guru/RO" },
                 { "@StreamGrabber0", "MaxNumBuffer", "Invisible/RW" },
                 { "@ImageFormatConverter", "OutputPaddingX", "Invisible/RW" } };
    for (const auto& row : rows) {
        QCOMPARE(stateOf(camera.collection(QLatin1String(row.roleName)), QLatin1String(row.name)),
                 QLatin1String(row.expected));
    }
}

QTEST_GUILESS_MAIN(TestNodeMapFilter)
#include "tst_nodemapfilter.moc"
