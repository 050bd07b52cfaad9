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
    void applyUsesFileBesideApplication();
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
    void embeddedEffects_data();
    void embeddedEffects();
    void emulatedCamera_data();
    void emulatedCamera();
};

void TestNodeMapFilter::candidateOrder_data()
{
    QTest::addColumn<QString>("deviceClass");
    QTest::addColumn<QString>("nodeMapName");
    QTest::addColumn<QStringList>("filesBesideApplication");
    QTest::addColumn<QString>("expected");

    // Embedded files only.
    QTest::newRow("U3V camera device") << "U3V"
                                       << "@CameraDevice" << QStringList() << "res:U3V_CameraDevice_Filter.xml";
    QTest::newRow("GEV camera device falls back to default")
        << "GEV"
        << "@CameraDevice" << QStringList() << "res:Default_Filter.xml";
    QTest::newRow("GEV stream grabber, index dropped")
        << "GEV"
        << "@StreamGrabber0" << QStringList() << "res:GEV_StreamGrabber_Filter.xml";
    QTest::newRow("GEV stream grabber, two index digits")
        << "GEV"
        << "@StreamGrabber12" << QStringList() << "res:GEV_StreamGrabber_Filter.xml";
    QTest::newRow("CamEmu stream grabber")
        << "CamEmu"
        << "@StreamGrabber3" << QStringList() << "res:CamEmu_StreamGrabber_Filter.xml";
    QTest::newRow("IIDC stream grabber") << "IIDC"
                                         << "@StreamGrabber1" << QStringList() << "res:IIDC_StreamGrabber_Filter.xml";
    QTest::newRow("U3V stream grabber has no file of its own")
        << "U3V"
        << "@StreamGrabber0" << QStringList() << "res:Default_Filter.xml";
    QTest::newRow("image format converter of any kind")
        << "GEV"
        << "@ImageFormatConverter" << QStringList() << "res:ImageFormatConverter_Filter.xml";
    QTest::newRow("U3V transport layer") << "U3V"
                                         << "@DeviceTransportLayer" << QStringList()
                                         << "res:U3V_DeviceTransportLayer_Filter.xml";
    QTest::newRow("GEV transport layer") << "GEV"
                                         << "@DeviceTransportLayer" << QStringList()
                                         << "res:GEV_DeviceTransportLayer_Filter.xml";
    QTest::newRow("every leading @ stripped") << "U3V"
                                              << "@@CameraDevice" << QStringList() << "res:U3V_CameraDevice_Filter.xml";
    QTest::newRow("name without @") << "U3V"
                                    << "CameraDevice" << QStringList() << "res:U3V_CameraDevice_Filter.xml";
    QTest::newRow("only trailing digits dropped") << "GEV"
                                                  << "@StreamGrabber0a" << QStringList() << "res:Default_Filter.xml";

    // Files beside the application, under names only this test uses.
    QTest::newRow("kind file beside the application")
        << "TstNmf"
        << "@CameraDevice" << QStringList { "TstNmf_CameraDevice_Filter.xml" } << "disk:TstNmf_CameraDevice_Filter.xml";
    QTest::newRow("base name file beside the application, digits dropped")
        << "TstNmf"
        << "@TstNmfMap7" << QStringList { "TstNmfMap_Filter.xml" } << "disk:TstNmfMap_Filter.xml";
    QTest::newRow("kind file beats base name file")
        << "TstNmf"
        << "@TstNmfMap" << QStringList { "TstNmfMap_Filter.xml", "TstNmf_TstNmfMap_Filter.xml" }
        << "disk:TstNmf_TstNmfMap_Filter.xml";
    QTest::newRow("empty base name: kind file")
        << "TstNmf"
        << "@@12" << QStringList { "TstNmf_Filter.xml" } << "disk:TstNmf_Filter.xml";
    QTest::newRow("empty base name: no name of an empty base")
        << "TstNmf"
        << "@@12" << QStringList { "TstNmf__Filter.xml", "Filter.xml" } << "res:Default_Filter.xml";
    QTest::newRow("only @ signs") << "TstNmf"
                                  << "@@" << QStringList { "TstNmf_Filter.xml" } << "disk:TstNmf_Filter.xml";

    // Files beside the application that shadow embedded ones.
    QTest::newRow("file beside the application beats embedded file of that name")
        << "IIDC"
        << "@StreamGrabber0" << QStringList { "IIDC_StreamGrabber_Filter.xml" } << "disk:IIDC_StreamGrabber_Filter.xml";
    QTest::newRow("default beside the application beats embedded default")
        << "GEV"
        << "@CameraDevice" << QStringList { "Default_Filter.xml" } << "disk:Default_Filter.xml";
    QTest::newRow("embedded specific name beats default beside the application")
        << "U3V"
        << "@CameraDevice" << QStringList { "Default_Filter.xml" } << "res:U3V_CameraDevice_Filter.xml";
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

void TestNodeMapFilter::applyUsesFileBesideApplication()
{
    FilesBesideApplication files;
    QVERIFY(files.write(QStringLiteral("TstNmf_CameraDevice_Filter.xml"),
                        diskFilter(QStringLiteral("TstNmf_CameraDevice_Filter.xml"))));
    const auto collection = makeCollection();
    const QHash<QString, QString> before = statesOf(collection);

    QVERIFY(NodeMapFilter::apply(collection, info(QStringLiteral("TstNmf")), QStringLiteral("@CameraDevice")));
    QCOMPARE(changes(collection, before), QStringLiteral("Width=Guru/RW"));
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

    QTest::newRow("mismatched end tag") << QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                                      "<Filter>\n"
                                                      "  <Feature><Name>Width</Name></Feat>\n"
                                                      "</Filter>\n")
                                        << 3;
    QTest::newRow("unclosed document") << QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                                     "<Filter>\n"
                                                     "  <Feature><Name>Width</Name><Visibility>Guru</Visibility>"
                                                     "</Feature>\n"
                                                     "  <Feature>\n")
                                       << 5;
    QTest::newRow("not XML at all") << QByteArray("Width=Guru\n") << 1;
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
    QTest::newRow("visibility") << "<Feature><Name>Width</Name><Visibility>Guru</Visibility></Feature>" << true
                                << "Width=Guru/RW" << none;
    QTest::newRow("access mode") << "<Feature><Name>Width</Name><AccessMode>RO</AccessMode></Feature>" << true
                                 << "Width=Beginner/RO" << none;
    QTest::newRow("both") << "<Feature><Name>Height</Name><Visibility>Invisible</Visibility>"
                             "<AccessMode>RO</AccessMode></Feature>"
                          << true << "Height=Invisible/RO" << none;
    QTest::newRow("lower visibility than declared")
        << "<Feature><Name>Height</Name><Visibility>Beginner</Visibility></Feature>" << true << "Height=Beginner/RW"
        << none;
    QTest::newRow("category") << "<Feature><Name>ChunkData</Name><Visibility>Guru</Visibility></Feature>" << true
                              << "ChunkData=Guru/RO" << none;
    QTest::newRow("root") << "<Feature><Name>Root</Name><Visibility>Invisible</Visibility></Feature>" << true
                          << "Root=Invisible/RO" << none;
    QTest::newRow("name nested deeper")
        << "<Feature><Group><Details><Name>Width</Name></Details></Group><Visibility>Expert</Visibility></Feature>"
        << true << "Width=Expert/RW" << none;
    QTest::newRow("values nested deeper")
        << "<Feature><Name>Width</Name><Imposed><Visibility>Expert</Visibility><AccessMode>RO</AccessMode></Imposed>"
           "</Feature>"
        << true << "Width=Expert/RO" << none;
    QTest::newRow("first of each element counts")
        << "<Feature><Name>Width</Name><Name>Height</Name><Visibility>Guru</Visibility>"
           "<Visibility>Invisible</Visibility><AccessMode>RO</AccessMode><AccessMode>NA</AccessMode></Feature>"
        << true << "Width=Guru/RO" << none;
    QTest::newRow("item tag not examined")
        << "<Anything><Name>Width</Name><Visibility>Guru</Visibility></Anything>" << true << "Width=Guru/RW" << none;
    QTest::newRow("comments ignored")
        << "<Feature><!-- a note --><Name>Width<!-- inside --></Name><Visibility>Guru</Visibility></Feature>" << true
        << "Width=Guru/RW" << none;
    QTest::newRow("register that takes properties")
        << "<Feature><Name>GevSCDA</Name><Visibility>Invisible</Visibility></Feature>" << true << "GevSCDA=Invisible/RW"
        << none;
    QTest::newRow("neither value") << "<Feature><Name>Width</Name></Feature>" << true << QString() << none;
    QTest::newRow("unknown feature") << "<Feature><Name>NoSuchFeature</Name><Visibility>Guru</Visibility></Feature>"
                                     << false << QString() << none;
    QTest::newRow("name not trimmed") << "<Feature><Name> Width </Name><Visibility>Guru</Visibility></Feature>" << false
                                      << QString() << none;
    QTest::newRow("no name") << "<Feature><Visibility>Guru</Visibility></Feature>" << false << QString()
                             << QStringList {
                                    "NodeMapFilter::processElement: failed to get the name of a filter item"
                                };
    QTest::newRow("name attribute is no name")
        << "<Feature Name=\"Width\"><Visibility>Guru</Visibility></Feature>" << false << QString()
        << QStringList { "NodeMapFilter::processElement: failed to get the name of a filter item" };
    QTest::newRow("empty name") << "<Feature><Name></Name><Visibility>Guru</Visibility></Feature>" << false << QString()
                                << QStringList { "NodeMapFilter::processElement: empty name found" };
    QTest::newRow("empty first name") << "<Feature><Name/><Name>Width</Name><Visibility>Guru</Visibility></Feature>"
                                      << false << QString()
                                      << QStringList { "NodeMapFilter::processElement: empty name found" };
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
    const QString unspecifiedLine
        = QStringLiteral("^NodeMapFilter::processElement: Unspecified exception occurred\\.$");
    const QString visibilityLine = QStringLiteral("^Failed to impose the visibility of node Width$");
    const QString accessLine = QStringLiteral("^Failed to impose the access mode of node Width$");

    // The fault fires once: had the access mode been tried after the failed
    // visibility, it would have been imposed.
    QTest::newRow("GenICam exception on visibility")
        << both << int(MemoryParameterCollection::FaultKind::GenICamException) << QString()
        << QStringList { visibilityLine, exceptionLine.arg(QStringLiteral("Injected fault in setProperty of node")) };
    QTest::newRow("standard exception on visibility")
        << both << int(MemoryParameterCollection::FaultKind::StandardException) << QString()
        << QStringList { visibilityLine, exceptionLine.arg(QStringLiteral("Injected fault in setProperty of node")) };
    QTest::newRow("other exception on visibility") << both << int(MemoryParameterCollection::FaultKind::OtherException)
                                                   << QString() << QStringList { visibilityLine, unspecifiedLine };
    QTest::newRow("other exception on access mode")
        << "<Feature><Name>Width</Name><AccessMode>RO</AccessMode></Feature>"
        << int(MemoryParameterCollection::FaultKind::OtherException) << QString()
        << QStringList { accessLine, unspecifiedLine };

    // Texts the collection does not take.
    QTest::newRow("unknown visibility text")
        << "<Feature><Name>Width</Name><Visibility>Hidden</Visibility><AccessMode>RO</AccessMode></Feature>" << -1
        << QString() << QStringList { visibilityLine, exceptionLine.arg(QStringLiteral("Hidden")) };
    QTest::newRow("empty visibility element")
        << "<Feature><Name>Width</Name><Visibility/><AccessMode>RO</AccessMode></Feature>" << -1 << QString()
        << QStringList { visibilityLine, exceptionLine.arg(QStringLiteral("is no visibility")) };
    QTest::newRow("unknown access mode text")
        << "<Feature><Name>Width</Name><Visibility>Expert</Visibility><AccessMode>ReadOnly</AccessMode></Feature>" << -1
        << "Width=Expert/RW" << QStringList { accessLine, exceptionLine.arg(QStringLiteral("ReadOnly")) };
}

void TestNodeMapFilter::imposingFails()
{
    QFETCH(QString, item);
    QFETCH(int, fault);
    QFETCH(QString, changed);
    QFETCH(QStringList, warnings);

    const auto collection = makeCollection();
    const QHash<QString, QString> before = statesOf(collection);
    if (fault >= 0) {
        collection->injectFault(QStringLiteral("Width"), MemoryParameterCollection::Operation::SetProperty,
                                MemoryParameterCollection::FaultKind(fault), 1);
    }

    LogCapture log;
    QVERIFY(!NodeMapFilter::processElement(parseItem(item), collection));
    QCOMPARE(changes(collection, before), changed);

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

    const int counts[] = { 39, 26, 1, 4, 3, 3, 1, 2 };
    for (int i = 0; i < embeddedFileNames.size(); ++i)
        QTest::newRow(qPrintable(embeddedFileNames.at(i))) << embeddedFileNames.at(i) << counts[i];
}

void TestNodeMapFilter::embeddedFiles()
{
    QFETCH(QString, fileName);
    QFETCH(int, items);

    QFile file(resourceDir + fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));

    QDomDocument document;
    QString error;
    int line = 0;
    QVERIFY2(document.setContent(content, &error, &line), qPrintable(QStringLiteral("%1 (%2)").arg(error).arg(line)));
    QCOMPARE(document.documentElement().tagName(), QStringLiteral("Filter"));

    const QSet<QString> visibilities { QStringLiteral("Expert"), QStringLiteral("Guru"), QStringLiteral("Invisible") };
    QSet<QString> names;
    int count = 0;
    for (QDomElement item = document.documentElement().firstChildElement(); !item.isNull();
         item = item.nextSiblingElement(), ++count) {
        QCOMPARE(item.tagName(), QStringLiteral("Feature"));
        QCOMPARE(item.elementsByTagName(QStringLiteral("Name")).size(), 1);
        const QString name = item.firstChildElement(QStringLiteral("Name")).text();
        QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z][A-Za-z0-9]*$")).match(name).hasMatch(), qPrintable(name));
        QVERIFY2(!names.contains(name), qPrintable(name + " twice"));
        names.insert(name);
        QVERIFY(item.elementsByTagName(QStringLiteral("Visibility")).size() <= 1);
        QVERIFY(item.elementsByTagName(QStringLiteral("AccessMode")).size() <= 1);
        const QDomElement visibility = item.firstChildElement(QStringLiteral("Visibility"));
        if (!visibility.isNull())
            QVERIFY2(visibilities.contains(visibility.text()), qPrintable(name));
        const QDomElement accessMode = item.firstChildElement(QStringLiteral("AccessMode"));
        if (!accessMode.isNull())
            QCOMPARE(accessMode.text(), QStringLiteral("RO"));
    }
    QCOMPARE(count, items);
}

void TestNodeMapFilter::embeddedEffects_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // "Visibility/AccessMode", "/" for an item with neither, "-" for none

    const char* const def = "Default_Filter.xml";
    const char* const u3v = "U3V_CameraDevice_Filter.xml";
    struct Row
    {
        const char* file;
        const char* name;
        const char* expected;
    };
    const Row rows[] = {
        { def, "AcquisitionMode", "Invisible/" },
        { def, "AcquisitionStart", "Invisible/" },
        { def, "TriggerSelector", "Expert/" },
        { def, "ExposureMode", "Expert/" },
        { def, "LUTValueAll", "Invisible/" },
        { def, "DeviceScanType", "Expert/RO" },
        { def, "ChunkData", "Guru/" },
        { def, "ChunkDataControl", "Guru/" },
        { def, "GevSCPSFireTestPacket", "Invisible/" },
        { def, "GevCurrentIPConfigurationPersistentIP", "/RO" },
        { def, "GevSCPSBigEndian", "/RO" },
        { def, "GevGVSPExtendedIDMode", "/" },
        { u3v, "AcquisitionStart", "Invisible/" },
        { u3v, "DeviceScanType", "Expert/RO" },
        { u3v, "ChunkData", "Invisible/" },
        { u3v, "ChunkDataControl", "Guru/" },
        { u3v, "TransportLayerControl", "-" },
        { u3v, "GevSCDA", "-" },
        { "U3V_DeviceTransportLayer_Filter.xml", "MigrationModeEnable", "Invisible/" },
        { "GEV_DeviceTransportLayer_Filter.xml", "Root", "Guru/" },
        { "GEV_DeviceTransportLayer_Filter.xml", "HeartbeatTimeout", "Guru/" },
        { "GEV_StreamGrabber_Filter.xml", "Root", "Guru/" },
        { "GEV_StreamGrabber_Filter.xml", "MaxBufferSize", "Invisible/" },
        { "CamEmu_StreamGrabber_Filter.xml", "MaxNumBuffer", "Invisible/" },
        { "IIDC_StreamGrabber_Filter.xml", "Root", "Invisible/" },
        { "ImageFormatConverter_Filter.xml", "InconvertibleEdgeHandling", "Invisible/" },
        { "ImageFormatConverter_Filter.xml", "OutputPaddingX", "Invisible/" },
    };
    for (const Row& row : rows) {
        QTest::addRow("%s %s", row.file, row.name)
            << QString::fromLatin1(row.file) << QString::fromLatin1(row.name) << QString::fromLatin1(row.expected);
    }
}

void TestNodeMapFilter::embeddedEffects()
{
    QFETCH(QString, fileName);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    const QDomDocument document = embeddedDocument(fileName);
    QVERIFY(!document.isNull());
    QString found = QStringLiteral("-");
    for (QDomElement item = document.documentElement().firstChildElement(); !item.isNull();
         item = item.nextSiblingElement()) {
        if (item.firstChildElement(QStringLiteral("Name")).text() == name) {
            found = item.firstChildElement(QStringLiteral("Visibility")).text() + QLatin1Char('/')
                + item.firstChildElement(QStringLiteral("AccessMode")).text();
        }
    }
    QCOMPARE(found, expected);
}

void TestNodeMapFilter::emulatedCamera_data()
{
    QTest::addColumn<QString>("roleName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("acquisition start hidden") << "@CameraDevice"
                                              << "AcquisitionStart"
                                              << "Invisible/RW";
    QTest::newRow("trigger mode for experts") << "@CameraDevice"
                                              << "TriggerMode"
                                              << "Expert/RW";
    QTest::newRow("scan type read-only") << "@CameraDevice"
                                         << "DeviceScanType"
                                         << "Expert/RO";
    QTest::newRow("stream channel test packet hidden") << "@CameraDevice"
                                                       << "GevSCPSFireTestPacket"
                                                       << "Invisible/RW";
    QTest::newRow("stream grabber root for gurus") << "@StreamGrabber0"
                                                   << "Root"
                                                   << "Guru/RO";
    QTest::newRow("stream grabber buffers hidden") << "@StreamGrabber0"
                                                   << "MaxNumBuffer"
                                                   << "Invisible/RW";
    QTest::newRow("converter padding hidden") << "@ImageFormatConverter"
                                              << "OutputPaddingX"
                                              << "Invisible/RW";
}

void TestNodeMapFilter::emulatedCamera()
{
    QFETCH(QString, roleName);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    const EmulatedCamera camera;
    QCOMPARE(camera.info()->getDeviceClass(), QStringLiteral("CamEmu"));
    LogCapture log;
    for (const EmulatedCamera::Collection& c : camera.collections())
        QVERIFY2(NodeMapFilter::apply(c.collection, camera.info(), c.roleName), qPrintable(c.roleName));
    // Every item names a node the emulated camera either lacks or lets be filtered.
    QCOMPARE(log.texts(QtWarningMsg), QStringList());
    QCOMPARE(stateOf(camera.collection(roleName), name), expected);
}

QTEST_GUILESS_MAIN(TestNodeMapFilter)
#include "tst_nodemapfilter.moc"
