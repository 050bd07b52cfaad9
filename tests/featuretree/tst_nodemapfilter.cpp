#include "camerapool/staticbaseinfo.h"
#include "featuretree/nodemapfilter.h"
#include "fetch.h"
#include "filesbesideapplication.h"
#include "logcapture.h"
#include "nodemaptext.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparameterproperties.h"

#include <QDir>
#include <QDomDocument>
#include <QRegularExpression>
#include <QtTest>

using namespace ParameterCollection;
using Info = Plugin::CameraPool::StaticBaseInfo;

namespace {

// Features, a category and a port that the tree cannot show.
const char* const tree = "Acquisition[TriggerMode:e=Off(Off On) AcquisitionStart:c Width=640 Height=480#Expert]"
                         " ChunkData[ChunkModeActive:b=false] GevSCDA:p";
const QString resources = ":/orvikviewercomponents/Resources/";

/// "Name=Visibility/AccessMode" of the named nodes.
QStringList states(IParameterCollection& collection, const QStringList& names)
{
    QStringList states;
    for (const QString& name : names) {
        const auto properties = collection.getParameter(name)->getProperties();
        states << name + "=" + properties->getProperty("Visibility") + "/" + properties->getProperty("AccessMode");
    }
    return states;
}

/// The states that differ from those of a fresh `tree`, in node map order: exactly what a filter changed.
QString changes(MemoryParameterCollection& collection)
{
    QStringList now = states(collection, collection.nodeNames());
    for (const QString& state : states(*NodeMapText::collection(tree), collection.nodeNames()))
        now.removeOne(state);
    return now.join(' ');
}

/// The messages logged, "Debug: ..." and "Warning: ..." joined by " // ", must match `pattern` whole.
void checkLog(const LogCapture& log, const QString& pattern)
{
    QStringList lines;
    for (const LogCapture::Entry& entry : log.entries())
        lines << (entry.type == QtDebugMsg ? "Debug: " : "Warning: ") + entry.text;
    const QRegularExpression expression("^(" + pattern + ")$", QRegularExpression::DotMatchesEverythingOption);
    const QString logged = lines.join(" // ");
    QVERIFY2(expression.match(logged).hasMatch(), qPrintable(logged + "\n   expected: " + pattern));
}

/// Hands out handles taken from another collection, which may be closed since.
class HandleCollection : public IParameterCollection
{
public:
    QHash<QString, QSharedPointer<IParameter>> handles;
    QString getRoleName() const override { return "@CameraDevice"; }
    QSharedPointer<IParameter> getParameter(const QString& name) override { return handles.value(name); }
    QStringList getChildren(const QString&, int, bool) override { return {}; }
    bool hasParameter(const QString& name) override { return handles.contains(name); }
    void refresh() override { }
    void poll(qint64) override { }
};

} // namespace

class TestNodeMapFilter : public QObject
{
    Q_OBJECT
private slots:
    void candidateOrder_data()
    {
        QTest::addColumn<QString>("deviceClass"); // empty: no camera information
        QTest::addColumn<QString>("nodeMapName");
        QTest::addColumn<QString>("chosen"); // an embedded file, "disk:<file>" or "none"
        QTest::addColumn<QStringList>("onDisk"); // files beside the application, under names only this test uses
        const auto row = [](const char* name, QString kind, QString map, QString chosen, QStringList onDisk = {}) {
            QTest::newRow(name) << kind << map << chosen << onDisk;
        };
        row("kind and node map", "U3V", "@CameraDevice", "U3V_CameraDevice_Filter.xml");
        row("falls back to default", "GEV", "@CameraDevice", "Default_Filter.xml");
        row("index digits dropped", "GEV", "@StreamGrabber12", "GEV_StreamGrabber_Filter.xml");
        row("node map of any kind", "GEV", "@ImageFormatConverter", "ImageFormatConverter_Filter.xml");
        row("only trailing digits dropped", "GEV", "@StreamGrabber0a", "Default_Filter.xml");
        row("no camera information", "", "@CameraDevice", "none");
        row("kind file on disk", "TstNmf", "@Map", "disk:TstNmf_Map_Filter.xml", { "TstNmf_Map_Filter.xml" });
        row("base name file on disk", "TstNmf", "@TstNmfMap7", "disk:TstNmfMap_Filter.xml", { "TstNmfMap_Filter.xml" });
        row("kind file beats base name file", "TstNmf", "@TstNmfMap", "disk:TstNmf_TstNmfMap_Filter.xml",
            { "TstNmfMap_Filter.xml", "TstNmf_TstNmfMap_Filter.xml" });
        row("every @ stripped, empty base", "TstNmf", "@@12", "disk:TstNmf_Filter.xml", { "TstNmf_Filter.xml" });
        row("no name of an empty base", "TstNmf", "@@12", "Default_Filter.xml", { "TstNmf__Filter.xml", "Filter.xml" });
        row("disk beats embedded file of that name", "IIDC", "@StreamGrabber0", "disk:IIDC_StreamGrabber_Filter.xml",
            { "IIDC_StreamGrabber_Filter.xml" });
        row("embedded specific name beats default on disk", "U3V", "@CameraDevice", "U3V_CameraDevice_Filter.xml",
            { "Default_Filter.xml" });
    }
    void candidateOrder()
    {
        FilesBesideApplication files;
        for (const QString& name : fetch<QStringList>("onDisk"))
            QVERIFY2(files.write(name, "<Filter source='disk:" + name.toUtf8() + "'/>"), qPrintable(name + " exists"));
        const QString kind = fetch<QString>("deviceClass");
        const QSharedPointer<Info> info = kind.isEmpty() ? nullptr : QSharedPointer<Info>::create(kind);
        LogCapture log;
        QDomDocument document;
        QString chosen = "none";
        if (NodeMapFilter::createDocument(document, info, fetch<QString>("nodeMapName")))
            chosen = document.documentElement().attribute("source", "?");
        // Embedded files are told by their content; every one of them must parse.
        for (const QString& name : QDir(resources).entryList({ "*Filter.xml" })) {
            QFile file(resources + name);
            QDomDocument embedded;
            QVERIFY2(file.open(QIODevice::ReadOnly) && embedded.setContent(&file), qPrintable(name));
            if (embedded.toString() == document.toString())
                chosen = name;
        }
        QTEST(chosen, "chosen");
        QCOMPARE(log.texts(), QStringList());
    }

    // A filter file beside the program, as apply() walks it, or one item, as processElement() imposes it.
    void filters_data()
    {
        QTest::addColumn<bool>("isFile");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QString>("log"); // see checkLog
        const auto file = [](const char* name, const QByteArray& content, bool result, const char* changed,
                             QString log) { QTest::newRow(name) << true << content << result << changed << log; };
        const auto row = [](const char* name, const QString& item, bool result, const char* changed, QString log = "") {
            QTest::newRow(name) << false << ("<F>" + item + "</F>").toUtf8() << result << changed << log;
        };
        // A broken file is not skipped for the next candidate: the collection stays unfiltered.
        const QString broken = "Debug: NodeMapFilter::createDocument: failed to parse file "
            + QRegularExpression::escape(QCoreApplication::applicationDirPath() + "/TstNmf_Walk_Filter.xml")
            + ": .+ \\(%1, [1-9]\\d*\\)";
        file("mismatched end tag", "<Filter>\n<F><Name>Width</Name></Feat>\n</Filter>", false, "", broken.arg(2));
        file("not XML at all", "Width=Guru\n", false, "", broken.arg(1));
        const QString tooDeep = ".*TstNmf_Walk_Filter.xml: elements nested deeper than 64 levels \\(1, 0\\)";
        file("nested 100000 deep", "<F>" + QByteArray("<F>").repeated(100000), false, "", tooDeep);
        // The visibility 64 levels down, the deepest a file may go, and one level further.
        const auto nested = [](int levels) {
            return "<Filter><F><Name>Width</Name>" + QByteArray("<G>").repeated(levels - 3)
                + "<Visibility>Guru</Visibility>" + QByteArray("</G>").repeated(levels - 3) + "</F></Filter>";
        };
        file("nested 64 deep", nested(64), true, "Width=Guru/RW", "");
        file("nested 65 deep", nested(65), false, "", tooDeep);
        file("the walk goes on after failing items",
             "<Filter><!-- a heading --><F><Visibility>Guru</Visibility></F><F><Name>NoSuchFeature</Name>"
             "<Visibility>Guru</Visibility></F><F><Name>TriggerMode</Name><Visibility>Hidden</Visibility>"
             "</F><F><Name>AcquisitionStart</Name><Visibility>Invisible</Visibility></F><F><Name>Height"
             "</Name><AccessMode>RO</AccessMode></F></Filter>",
             true, "AcquisitionStart=Invisible/RW Height=Expert/RO",
             "Debug: .*failed to get the name.* // Warning: Failed to impose the visibility of node TriggerMode"
             " // .*Hidden.*");
        row("visibility", "<Name>Width</Name><Visibility>Guru</Visibility>", true, "Width=Guru/RW");
        row("access mode", "<Name>Width</Name><AccessMode>RO</AccessMode>", true, "Width=Beginner/RO");
        row("a port the tree cannot show", "<Name>GevSCDA</Name><Visibility>Guru</Visibility>", true,
            "GevSCDA=Guru/RW");
        row("first of each element counts, however deep",
            "<G><Name>Width</Name></G><Name>Height</Name>"
            "<I><Visibility>Guru</Visibility><AccessMode>RO</AccessMode></I><Visibility>Invisible</Visibility>"
            "<AccessMode>NA</AccessMode>",
            true, "Width=Guru/RO");
        row("neither value", "<Name>Width</Name>", true, "");
        row("unknown feature", "<Name>NoSuchFeature</Name><Visibility>Guru</Visibility>", false, "");
        row("no name", "<Visibility>Guru</Visibility>", false, "",
            "Debug: NodeMapFilter::processElement: failed to get the name of a filter item");
        row("empty first name", "<Name/><Name>Width</Name><Visibility>Guru</Visibility>", false, "",
            "Debug: NodeMapFilter::processElement: empty name found");
        // A refused visibility ends the item: the access mode is not imposed either.
        const QString refused = "Warning: Failed to impose the %1 of node Width"
                                " // Warning: NodeMapFilter::processElement: Exception occurred:\n.*%2.*\n";
        row("unknown visibility", "<Name>Width</Name><Visibility>Hidden</Visibility><AccessMode>RO</AccessMode>", false,
            "", refused.arg("visibility", "Hidden"));
        row("empty visibility", "<Name>Width</Name><Visibility/><AccessMode>RO</AccessMode>", false, "",
            refused.arg("visibility", "is no visibility"));
        row("unknown access mode", "<Name>Width</Name><Visibility>Expert</Visibility><AccessMode>ReadOnly</AccessMode>",
            false, "Width=Expert/RW", refused.arg("access mode", "ReadOnly"));
        // A collection that throws while the feature is looked up: skipped, the exception kept in.
        row("look-up fails", "<Name>Width</Name><Visibility>Guru</Visibility>", false, "",
            "Warning: Failed to look up node Width // Warning: NodeMapFilter::processElement: Exception occurred:\n.*");
    }
    void filters()
    {
        QFETCH(QByteArray, content);
        FilesBesideApplication files;
        const auto collection = NodeMapText::collection(tree);
        LogCapture log;
        if (fetch<bool>("isFile")) {
            QVERIFY(files.write("TstNmf_Walk_Filter.xml", content));
            QTEST(NodeMapFilter::apply(collection, QSharedPointer<Info>::create("TstNmf"), "@Walk"), "result");
            QVERIFY(!NodeMapFilter::apply(nullptr, QSharedPointer<Info>::create("TstNmf"), "@Walk"));
        } else {
            if (QByteArray(QTest::currentDataTag()) == "look-up fails") {
                collection->injectFault("", MemoryParameterCollection::Operation::GetParameter,
                                        MemoryParameterCollection::FaultKind::StandardException, 1);
            }
            QDomDocument item;
            item.setContent(content);
            QTEST(NodeMapFilter::processElement(item.documentElement(), collection), "result");
        }
        QTEST(changes(*collection), "changed");
        checkLog(log, fetch<QString>("log"));
    }

    void closedDeviceHandlesAreSkippedSilently()
    {
        const auto collection = NodeMapText::collection(tree);
        const auto handles = QSharedPointer<HandleCollection>::create();
        for (const char* name : { "Width", "GevSCDA" })
            handles->handles.insert(name, collection->getParameter(name));
        collection->close();
        LogCapture log;
        for (const char* name : { "Width", "GevSCDA" }) {
            QDomDocument item;
            item.setContent(QString("<F><Name>%1</Name><Visibility>Guru</Visibility></F>").arg(name));
            QVERIFY2(!NodeMapFilter::processElement(item.documentElement(), handles), name);
        }
        QCOMPARE(log.texts(), QStringList());
    }

    void emulatedCameraTakesItsFilters()
    {
        const EmulatedCamera camera;
        LogCapture log;
        for (const EmulatedCamera::Collection& c : camera.collections())
            QVERIFY2(NodeMapFilter::apply(c.collection, camera.info(), c.roleName), qPrintable(c.roleName));
        // Every item names a node the emulated camera either lacks or lets be filtered.
        QCOMPARE(log.texts(QtWarningMsg), QStringList());
        QCOMPARE(states(*camera.collection("@CameraDevice"), { "AcquisitionStart" })
                     + states(*camera.collection("@StreamGrabber0"), { "Root" }),
                 QStringList({ "AcquisitionStart=Invisible/RW", "Root=Guru/RO" }));
    }
};

QTEST_GUILESS_MAIN(TestNodeMapFilter)
#include "tst_nodemapfilter.moc"
