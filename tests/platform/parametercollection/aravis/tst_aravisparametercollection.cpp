// Aravis's headers come first: GLib's headers must not see Qt's keyword macros.
// clang-format off
#include <arv.h>
// clang-format on

#include "camerapool/staticbaseinfo.h"
#include "featuretree/featuretreewidget.h"
#include "parameterchecks.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/valuetext.h"
#include "treefixture.h"
#include "widgets/asyncerrorqueue.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cfloat>

using namespace ParameterCollection;

namespace {

const QString role = "@CameraDevice";

// "camera": Aravis's fake camera; "xml": the node map file without a device; "camera with xml": the fake camera serving it.
QSharedPointer<AravisParameterCollection> open(const QString& source)
{
    static QTemporaryDir dir; // the fake camera reads a file, not a resource
    const QString file = dir.filePath("nodemap.xml");
    if (!QFile::exists(file))
        QFile::copy(":/aravistest/nodemap.xml", file);
    return source == QLatin1String("camera") ? AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId())
         : source == QLatin1String("xml")    ? AravisParameterCollection::openXmlFile(":/aravistest/nodemap.xml")
                                             : AravisParameterCollection::openFakeCamera(file);
}

// A feature as a collection shows it: its snapshot, its properties and whether it takes writes.
QString shown(ParameterData d, const QStringList& properties, bool writable)
{
    d.enumEntryNames.sort();
    return (QStringList(snapshotText(d)) + properties + QStringList(writable ? "writable" : "fixed")).join(" | ");
}

QString shown(const QSharedPointer<IParameter>& p)
{
    const auto props = p->getProperties();
    return shown(*p->getParameterData(), {props->getProperty("DisplayName"), props->getProperty("Description"), props->getProperty("Tooltip"),
                                          props->getProperty("Unit"), props->getProperty("Visibility")}, p->isWritable());
}

// The same built from Aravis's own answers for the feature that `mine` is a snapshot of.
QString aravisShows(const AravisParameterCollection& collection, const ParameterData& mine)
{
    ParameterData a;
    a.type = mine.type;
    a.representation = mine.representation;
    a.boolValue = mine.type == TypeCommand && mine.boolValue; // Aravis does not track commands
    QStringList properties;
    collection.withGenicam([&](ArvGc* gc) {
        ArvGcNode* node = arv_gc_get_node(gc, mine.name.toUtf8().constData());
        ArvGcFeatureNode* f = ARV_GC_FEATURE_NODE(node);
        const int mode = arv_gc_feature_node_get_actual_access_mode(f), v = arv_gc_feature_node_get_visibility(f);
        a.isImplemented = arv_gc_feature_node_is_implemented(f, nullptr);
        a.isAvailable = a.isImplemented && arv_gc_feature_node_is_available(f, nullptr);
        a.isReadable = a.isAvailable && (mode == ARV_GC_ACCESS_MODE_RO || mode == ARV_GC_ACCESS_MODE_RW);
        a.isWritable = a.isAvailable && !arv_gc_feature_node_is_locked(f, nullptr)
                    && (mode == ARV_GC_ACCESS_MODE_WO || mode == ARV_GC_ACCESS_MODE_RW);
        a.visibility = v == ARV_GC_VISIBILITY_INVISIBLE ? GenApi::Invisible
                     : v == ARV_GC_VISIBILITY_GURU      ? GenApi::Guru
                     : v == ARV_GC_VISIBILITY_EXPERT    ? GenApi::Expert
                                                        : GenApi::Beginner;
        const QString displayName = QString::fromUtf8(arv_gc_feature_node_get_display_name(f));
        properties << (displayName.isEmpty() ? mine.name : displayName) << QString::fromUtf8(arv_gc_feature_node_get_description(f))
                   << QString::fromUtf8(arv_gc_feature_node_get_tooltip(f));
        const char* unit = nullptr;
        GError* error = nullptr;
        if (!a.isImplemented) {
            // nothing to read
        } else if (ARV_IS_GC_ENUMERATION(node)) {
            a.valueString = QString::fromUtf8(arv_gc_enumeration_get_string_value(ARV_GC_ENUMERATION(node), &error));
            a.intValue = arv_gc_enumeration_get_int_value(ARV_GC_ENUMERATION(node), &error);
            guint n = 0;
            const char** values = arv_gc_enumeration_dup_available_string_values(ARV_GC_ENUMERATION(node), &n, nullptr);
            for (guint i = 0; values && i < n; ++i)
                a.enumEntryNames << QString::fromUtf8(values[i]);
            g_free(values);
        } else if (ARV_IS_GC_BOOLEAN(node)) {
            a.boolValue = arv_gc_boolean_get_value(ARV_GC_BOOLEAN(node), &error);
            a.valueString = ValueText::formatBoolean(a.boolValue);
        } else if (ARV_IS_GC_INTEGER(node) && !ARV_IS_GC_COMMAND(node)) {
            ArvGcInteger* i = ARV_GC_INTEGER(node);
            a.intValue = arv_gc_integer_get_value(i, &error);
            a.intMin = arv_gc_integer_get_min(i, nullptr);
            a.intMax = arv_gc_integer_get_max(i, nullptr);
            a.intInc = arv_gc_integer_get_inc(i, nullptr);
            a.valueString = ValueText::formatInteger(a.intValue, a.representation);
            unit = arv_gc_integer_get_unit(i);
        } else if (ARV_IS_GC_FLOAT(node)) {
            ArvGcFloat* fl = ARV_GC_FLOAT(node);
            a.floatValue = arv_gc_float_get_value(fl, &error);
            a.floatMin = arv_gc_float_get_min(fl, nullptr);
            a.floatMax = arv_gc_float_get_max(fl, nullptr);
            a.floatInc = arv_gc_float_get_inc(fl, nullptr);
            a.hasFloatInc = a.floatInc != DBL_MIN;
            a.displayPrecision = arv_gc_float_get_display_precision(fl);
            a.valueString = ValueText::formatFloat(a.floatValue, a.displayPrecision);
            unit = arv_gc_float_get_unit(fl);
        } else if (ARV_IS_GC_STRING(node)) {
            a.valueString = QString::fromUtf8(arv_gc_string_get_value(ARV_GC_STRING(node), &error));
        }
        QVERIFY2(!error || !a.isReadable, error ? error->message : "");
        g_clear_error(&error);
        properties << QString::fromUtf8(unit) << ValueText::formatVisibility(GenApi::EVisibility(a.visibility));
        if (!a.isReadable && a.type != TypeCommand)
            a.valueString.clear();
    });
    return shown(a, properties, a.isWritable);
}

// The features that look otherwise than Aravis says they should, or whose typed reads disagree with their snapshots.
QString mismatches(AravisParameterCollection& collection, const QStringList& names)
{
    QString wrong;
    for (const QString& name : names) {
        const auto p = collection.getParameter(name);
        const QString mine = shown(p), theirs = aravisShows(collection, *p->getParameterData());
        wrong += typedMisfits(p) + (mine == theirs ? QString() : name + ": " + mine + " / Aravis: " + theirs + "\n");
    }
    return wrong;
}

// Writes a value with Aravis directly, past the collection, as the device itself would change it.
void writeWithAravis(const AravisParameterCollection& collection, const char* name, qint64 value)
{
    collection.withGenicam([&](ArvGc* gc) {
        GError* error = nullptr;
        arv_gc_integer_set_value(ARV_GC_INTEGER(arv_gc_get_node(gc, name)), value, &error);
        QVERIFY2(!error, error ? error->message : "");
        g_clear_error(&error);
    });
}

// The features below a category as Aravis lists them, as "A[B C] D".
QString aravisTreeText(const AravisParameterCollection& collection, const char* category)
{
    QStringList names;
    collection.withGenicam([&](ArvGc* gc) {
        for (const GSList* l = arv_gc_category_get_features(ARV_GC_CATEGORY(arv_gc_get_node(gc, category))); l; l = l->next) {
            const auto name = static_cast<const char*>(l->data);
            const QString below = ARV_IS_GC_CATEGORY(arv_gc_get_node(gc, name)) ? aravisTreeText(collection, name) : QString();
            names << QString::fromUtf8(name) + (below.isEmpty() ? QString() : "[" + below + "]");
        }
    });
    return names.join(' ');
}

// The features of a source; the file's registers need a device.
QStringList features(const QString& source, const AravisParameterCollection& collection)
{
    const QString tree = aravisTreeText(collection, "Root");
    return namesOf(source == QLatin1String("xml") ? tree.left(tree.indexOf("RegisterControl")) : tree);
}

} // namespace

class TestAravisParameterCollection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { resetTestState(); }

    void opens()
    {
        QElapsedTimer timer;
        timer.start();
        const auto camera = open("camera");
        QVERIFY2(timer.elapsed() < 900, qPrintable(QString::number(timer.elapsed()))); // in-process, without network discovery
        QVERIFY(camera->hasDevice() && !camera->getParameter("NoSuchFeature"));
        QCOMPARE(QStringList({camera->getRoleName(), camera->deviceClass()}), QStringList({role, "CamEmu"}));
        const auto devices = AravisParameterCollection::listDevices(true);
        QVERIFY(!devices.isEmpty() && devices.first().id == AravisParameterCollection::fakeCameraId());
        QVERIFY(camera->getChildren(role + "/Width", 0, true).isEmpty());
        QVERIFY(thrownBy([&] { camera->getChildren("Nowhere", 0, true); }).startsWith("InvalidArgument: "));
        QVERIFY(thrownBy([] { AravisParameterCollection::openDevice("Fake_no_such_camera"); }).startsWith("Runtime: "));
        const auto map = open("xml");
        QVERIFY(!map->hasDevice());
        QCOMPARE(QStringList({map->deviceClass(), map->deviceInfo().model}), QStringList({"GenICam", "OrvikTestCamera"}));
        // A broken file is refused, saying where it breaks.
        const QStringList refusals{thrownBy([] { AravisParameterCollection::openXmlFile(":/aravistest/malformed.xml"); }),
                                   thrownBy([] { AravisParameterCollection::openXmlFile(":/aravistest/missing.xml"); }),
                                   thrownBy([] { AravisParameterCollection::fromXml("<Camera><Integer Name=\"X\"/></Camera>", "inline"); })};
        for (int i = 0; i < refusals.size(); ++i) {
            QVERIFY2(refusals.at(i).startsWith("InvalidArgument: ")
                         && refusals.at(i).contains(QStringList({"line 60", "Cannot open", "RegisterDescription"}).at(i)),
                     qPrintable(refusals.at(i)));
        }
    }

    void agreesWithAravis_data()
    {
        QTest::addColumn<QString>("source");
        for (const char* source : {"camera", "xml", "camera with xml"})
            QTest::newRow(source) << source;
    }

    void agreesWithAravis()
    {
        QFETCH(QString, source);
        const auto c = open(source);
        QCOMPARE(collectionTreeText(*c, role + "/Root"), aravisTreeText(*c, "Root"));
        const QStringList names = features(source, *c);
        for (const QString& name : names)
            QCOMPARE(c->getParameter(name)->getFullName(), role + "/" + name);
        QCOMPARE(mismatches(*c, names), QString());
        QCOMPARE(ownValueMisfits(*c, names), QString());
    }

    void readsWhatAravisDoesNotTell()
    {
        const auto map = open("xml");
        QStringList read;
        for (const char* name : {"Width", "PayloadSize", "MacAddress", "ExposureTime", "PixelFormat"})
            read << snapshotText(*map->getParameter(name)->getParameterData()) + " | " + map->getParameter(name)->getProperties()->getProperty("DocuURL", "none");
        const QString all = "[-9223372036854775808,9223372036854775807,1]";
        QCOMPARE(read, QStringList({"i '640' RWIA Beginner [16,1280,16] Linear | https://example.com/docs/Width",
                                    "i '307200' R-IA Guru " + all + "  | none", "i '00:30:15:1A:2B:3C' RWIA Beginner " + all + " MACAddress | none",
                                    "f '5000.0' RWIA Beginner [10,100000,-] p1 Logarithmic | https://example.com/docs/ExposureTime",
                                    "e 'Mono8' RWIA Beginner (Mono8 Mono12 RGB8) 17301505 | none"}));
        QCOMPARE(map->getParameter("PixelFormat")->getParameterData()->enumEntryDisplayNames, QStringList({"Mono 8", "Mono 12", "RGB8"}));
        // Registers cannot be read without a device, and the typed read says why in Aravis's words.
        const auto value = map->getParameter("TestValue");
        QVERIFY(!value->getParameterData()->isReadable && value->getParameterData()->valueString.isEmpty());
        const QString thrown = thrownBy([&] { qSharedPointerDynamicCast<IIntegerParameter>(value)->getValue(); });
        QVERIFY2(thrown.startsWith("Access: ") && thrown.contains("No device"), qPrintable(thrown));
    }

    void writes_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("steps"); // written first
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("expected"); // see outcomeOf
        const char* const rows[][4] = {
            {"camera", "", "Width=320", "PayloadSize '163840'; Width '320'"},
            {"camera", "", "PixelFormat=Mono16", "PayloadSize '524288'; PixelFormat 'Mono16' 17825799"},
            {"camera", "", "ExposureTimeAbs=2500", "ExposureTimeAbs '2500.000000'"},
            {"camera", "", "AcquisitionMode= SingleFrame ", "AcquisitionMode 'SingleFrame' 2"},
            {"camera", "", "TestBoolean=1", "TestBoolean '1'; TestRegister '321'"},
            {"camera", "TestBoolean=1", "TestBoolean=false", "TestBoolean '0'; TestRegister '123'"},
            {"camera", "", "TestStringReg=hello aravis", "TestStringReg s 'hello aravis' RWIA Beginner"},
            {"camera", "", "TestRegister=0x1234", "TestRegister '4660'"},
            {"camera", "", "Width=100000", "OutOfRange: maximum"}, {"camera", "", "ExposureTimeAbs=1", "OutOfRange: minimum"},
            {"camera", "", "PixelFormat=Mono99", "InvalidArgument: Mono99"}, {"camera", "", "Width=wide", "InvalidArgument: wide"},
            {"camera", "", "AcquisitionStart=1", "LogicalError: execute"},
            {"xml", "", "Width=656", "PayloadSize '314880'; Width '656'"}, {"xml", "", "Width=650", "OutOfRange: "},
            {"xml", "", "Height=2000", "OutOfRange: "}, {"xml", "", "DeviceFlags=ff", "DeviceFlags '0xFF'"},
            {"xml", "", "CurrentIPAddress=10.0.0.2", "CurrentIPAddress '10.0.0.2'"}, {"xml", "", "Gain=2.5", "Gain '2.500000'"},
            {"xml", "", "Gain=0.7", "OutOfRange: "}, {"xml", "", "ExposureTime=nan", "InvalidArgument: "},
            {"xml", "", "ReverseX=on", "ReverseX '1'"},
            {"xml", "", "DeviceUserName=Camera \xc3\xa4", "DeviceUserName s 'Camera ä' RWIA Beginner"},
            {"xml", "", "PixelFormat=RGB8", "PixelFormat 'RGB8' 35127316"},
            {"xml", "", "PixelFormat=Mono16", "InvalidArgument: "}, {"xml", "", "PayloadSize=1", "Access: read only"},
            {"xml", "", "FutureFeature=4", "Access: not implemented"}, {"xml", "", "TriggerDelay=4", "Access: not available"},
            {"xml", "", "Root=1", "LogicalError: "}, {"xml", "", "DeviceUserID=x", "Access: No device"},
            {"xml", "", "AcquisitionLocked=1", "AcquisitionFrameCount R-IA; AcquisitionLocked '1'"},
            {"xml", "", "TriggerEnabled=1", "TriggerDelay '0' RWIA; TriggerEnabled '1'"},
            {"xml", "", "Mono16Available=1", "Mono16Available '1'; PixelFormat e 'Mono8' RWIA Beginner (Mono8 Mono12 RGB8 Mono16) 17301505"},
            {"camera with xml", "", "TestValue=42", "TestValue '42'; TestValueMirror '42'"},
            {"camera with xml", "GainRaw=5", "GainSelector=Red", "GainRaw '0'; GainSelector 'Red' 1"}};
        for (const auto& row : rows)
            QTest::addRow("%s %s %s", row[0], row[1], row[2]) << row[0] << row[1] << QString::fromLatin1(row[2]) << QString::fromUtf8(row[3]);
    }

    void writes()
    {
        QFETCH(QString, source); QFETCH(QString, steps); QFETCH(QString, write); QFETCH(QString, expected);
        const auto c = open(source);
        const QStringList names = features(source, *c), target(write.section('=', 0, 0));
        apply(*c, steps);
        QCOMPARE(outcomeOf(*c, names.contains(target.first()) ? names : names + target, write, expected), expected);
        QCOMPARE(mismatches(*c, names), QString());
        QCOMPARE(ownValueMisfits(*c, names), QString());
        QVERIFY(!open("camera")->hasParameter("TestValueMirror")); // the next fake camera serves Aravis's own XML again
    }

    void pollsWhatIsInUseByPollingTime()
    {
        const auto camera = open("camera");
        const auto gain = camera->getParameter("GainRaw"), height = camera->getParameter("Height");
        const qint64 before = gain->getParameterData()->intValue;
        QSignalSpy gainSpy(gain.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy heightSpy(height.data(), &IParameter::parameterDataChangedDecoupled);
        // The camera changes by itself: nobody has seen Height yet, GainRaw is in use.
        writeWithAravis(*camera, "GainRaw", before == 3 ? 4 : 3);
        writeWithAravis(*camera, "Height", 100);
        camera->poll(300);
        camera->poll(300);
        QCOMPARE(gainSpy.count(), 1);
        QCOMPARE(lastReport(gainSpy)->intValue, before == 3 ? 4 : 3);
        QCOMPARE(heightSpy.count(), 0);
        // Refresh reads everything in use again: now Height too once it was seen.
        height->getParameterData();
        writeWithAravis(*camera, "Height", 120);
        camera->refresh();
        QCOMPARE(heightSpy.count(), 1);
        QCOMPARE(lastReport(heightSpy)->intValue, qint64(120));
        // A node map with polling times polls those features only, each after its own time.
        const auto map = open("xml");
        const auto uptime = map->getParameter("Uptime"), width = map->getParameter("Width");
        uptime->getParameterData();
        width->getParameterData();
        QSignalSpy uptimeSpy(uptime.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy widthSpy(width.data(), &IParameter::parameterDataChangedDecoupled);
        writeWithAravis(*map, "Uptime", 77);
        writeWithAravis(*map, "Width", 800);
        for (int i = 0; i < 3; ++i)
            map->poll(300); // a PollingTime of 1000 ms: read on the fourth poll, not before
        QCOMPARE(uptimeSpy.count(), 0);
        map->poll(300);
        QCOMPARE(uptimeSpy.count(), 1);
        QCOMPARE(lastReport(uptimeSpy)->intValue, qint64(77));
        QCOMPARE(widthSpy.count(), 0);
        map->refresh();
        QCOMPARE(lastReport(widthSpy)->intValue, qint64(800));
    }

    void offersTheFloatAliasAndTracksCommands()
    {
        const auto map = open("xml");
        QVERIFY(!map->hasParameter(role + "/Gain/Alias"));
        QCOMPARE(map->getParameter(role + "/ExposureTime/Alias")->getParameterData()->intValue, map->getParameter("ExposureTimeRaw")->getParameterData()->intValue);
        // Writing the alias writes its integer and is reported for both names.
        QCOMPARE(outcomeOf(*map, {"ExposureTime", "ExposureTime/Alias", "ExposureTimeRaw"}, "ExposureTime/Alias=1234", ""),
                 QString("ExposureTime/Alias '1234'; ExposureTimeRaw '1234'"));
        const auto start = qSharedPointerDynamicCast<ICommandParameter>(map->getParameter("AcquisitionStart"));
        QVERIFY(start->getParameterData()->boolValue);
        QSignalSpy spy(start.data(), &IParameter::parameterDataChangedDecoupled);
        start->execute(true);
        // The command value reads back: busy, until the device clears it and a poll reports it.
        QVERIFY(!start->isDone());
        QCOMPARE(spy.count(), 1);
        QVERIFY(!lastReport(spy)->boolValue);
        start->setState(false);
        writeWithAravis(*map, "AcquisitionStartValue", 0);
        map->poll(300);
        QCOMPARE(spy.count(), 2);
        QVERIFY(lastReport(spy)->boolValue && start->isDone());
        // A command that never clears counts as done after the timeout.
        map->setCommandTimeout(50);
        start->execute(true);
        QVERIFY(!start->isDone());
        QTRY_VERIFY_WITH_TIMEOUT(start->isDone(), 2000);
    }

    void appliesImposedProperties_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected"); // see outcomeOf
        QTest::newRow("guru") << "Width.Visibility=Guru" << "Width Guru";
        QTest::newRow("read only") << "Width.AccessMode=RO" << "Width R-IA";
        QTest::newRow("not available") << "Width.AccessMode=NA" << "Width '' --I-";
        QTest::newRow("write only") << "Width.AccessMode=WO" << "Width '' -WIA";
        QTest::newRow("unknown visibility") << "Width.Visibility=Sometimes" << "InvalidArgument: Sometimes";
        QTest::newRow("unknown access") << "Width.AccessMode=Sometimes" << "InvalidArgument: Sometimes";
        QTest::newRow("fixed") << "Width.Unit=m" << "LogicalError: Unit";
    }

    void appliesImposedProperties()
    {
        QFETCH(QString, property); QFETCH(QString, expected);
        const auto map = open("xml");
        const auto width = map->getParameter("Width");
        QVERIFY(width->acceptsProperties());
        QCOMPARE(outcomeOf(*map, features("xml", *map), property, expected), expected);
        if (!expected.contains(": "))
            QCOMPARE(width->getProperties()->getProperty(property.section('.', 1).section('=', 0, 0)), property.section('=', 1));
        QCOMPARE(thrownBy([&] { width->setValue("656"); }).section(':', 0, 0), width->isWritable() ? QString() : QString("Access"));
    }

    void survivesConcurrentAccess()
    {
        const auto camera = open("camera");
        const QStringList names = features("camera", *camera);
        std::atomic<int> unexpected{0}, reads{0};
        QList<QThread*> threads;
        for (int t = 0; t < 4; ++t) {
            threads << QThread::create([&, t] {
                for (int i = 0; i < 150; ++i) {
                    const QString thrown = thrownBy([&] {
                        reads += bool(camera->getParameter(names.at((i * 7 + t) % names.size()))->getParameterData());
                        if ((i + t) % 3 == 0)
                            camera->poll(300);
                        else if ((i + t) % 3 == 1)
                            camera->getParameter("Width")->setValue(QString::number(64 + (i % 32) * 8));
                        else
                            camera->getParameter("PixelFormat")->setValue(i % 2 ? "Mono8" : "Mono16");
                    });
                    // Refused writes are fine; crashes and other failures are not.
                    unexpected += thrown.startsWith("std: ") || thrown == QLatin1String("other");
                }
            });
        }
        for (QThread* thread : qAsConst(threads))
            thread->start();
        for (QThread* thread : qAsConst(threads)) {
            QVERIFY(thread->wait(60000));
            delete thread;
        }
        QVERIFY(unexpected.load() == 0 && reads.load() == 4 * 150);
        QCOMPARE(mismatches(*camera, names), QString()); // it still agrees with Aravis
    }

    void everyOperationAfterTheCollectionIsGone_data() { addOperationRows(false); }

    void everyOperationAfterTheCollectionIsGone()
    {
        QFETCH(int, operation);
        OpenedHandles h(open("camera"), {"Width", "TestBoolean", "ExposureTimeAbs", "AcquisitionStart", "TestStringReg", "PixelFormat", "Root"});
        h.collection.reset();
        QCOMPARE(misbehaviourAfterClose(h, operation), QString());
    }

    // The whole stack over Aravis: the feature tree's model and widget show the fake camera and edit it.
    void modelShowsAndEdits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("integer") << "Width" << "320" << true;
        QTest::newRow("enumeration") << "PixelFormat" << "Mono16" << true;
        QTest::newRow("out of range") << "Width" << "100000" << false;
    }

    void modelShowsAndEdits()
    {
        QFETCH(QString, name); QFETCH(QString, text); QFETCH(bool, accepted);
        const auto camera = open("camera");
        TreeFixture fixture;
        fixture.add(camera, role, "Fake Camera");
        treeText(fixture.model);
        // Every feature has its row, showing a value exactly when it is readable and has one.
        for (const QString& feature : namesOf(collectionTreeText(*camera, role + "/Root"))) {
            const auto d = camera->getParameter(feature)->getParameterData();
            const QModelIndex value = fixture.index(feature, 1);
            QVERIFY2(value.isValid(), qPrintable(feature));
            QVERIFY2(d->type == TypeCategory || !d->isReadable || value.data().toString().isEmpty() == d->valueString.isEmpty(), qPrintable(feature));
        }
        const QModelIndex value = fixture.index(name, 1), payload = fixture.index("PayloadSize", 1);
        const QString before = value.data().toString(), payloadBefore = payload.data().toString();
        QCOMPARE(fixture.model.setData(value, text, Qt::EditRole), accepted);
        QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), quint64(0)); // a refused value is silent
        if (!accepted) {
            QCOMPARE(value.data().toString(), before);
            return;
        }
        // The device has the value; the rows show it, and the payload that depends on it.
        QCOMPARE(camera->getParameter(name)->getParameterData()->valueString, text);
        QTRY_VERIFY(value.data().toString().contains(text));
        const QString payloadNow = camera->getParameter("PayloadSize")->getParameterData()->valueString;
        QVERIFY(payloadNow != payloadBefore);
        QTRY_VERIFY(payload.data().toString().contains(payloadNow));
    }

    void widgetCopiesTheFakeCamera()
    {
        const auto camera = open("camera");
        const AravisDeviceInfo info = camera->deviceInfo();
        FeatureTreeWidget widget("AravisTest", QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(
                                                   camera->deviceClass(), info.model, info.serialNumber, info.model, info.vendor));
        widget.addParameterCollection(camera, "Fake Camera", role, true);
        widget.expandRootNodes();
        widget.copyToClipboard();
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.contains("Fake Camera") && copied.contains(camera->getParameter("Width")->getParameterData()->valueString),
                 qPrintable(copied));
    }
};

QTEST_MAIN(TestAravisParameterCollection)
#include "tst_aravisparametercollection.moc"
