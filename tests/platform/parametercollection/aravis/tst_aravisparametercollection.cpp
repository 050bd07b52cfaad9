// Aravis's headers come first: GLib's headers must not see Qt's keyword macros.
// clang-format off
#include <arv.h>
// clang-format on

#include "parameterchecks.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "parametercollection/aravis/aravisworker_p.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/valuetext.h"

#include <QtTest>

#include <atomic>
#include <cfloat>
#include <thread>

using namespace ParameterCollection;

namespace {

const QString role = "@CameraDevice";

// "camera": Aravis's fake camera; "xml": the node map file without a device; "camera+xml": the fake camera
// serving that file.
QSharedPointer<AravisParameterCollection> open(const QString& source)
{
    static QTemporaryDir dir; // the fake camera reads a file, not a resource
    QFile::copy(":/aravistest/nodemap.xml", dir.filePath("nodemap.xml")); // once: it never overwrites
    if (source == "camera")
        return AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    return source == "xml" ? AravisParameterCollection::openXmlFile(":/aravistest/nodemap.xml")
                           : AravisParameterCollection::openFakeCamera(dir.filePath("nodemap.xml"));
}

// A feature in one line: its snapshot, display name, description, tool tip, unit, visibility and whether it
// takes writes.
QString shown(ParameterData d, const QStringList& properties, bool writable)
{
    d.enumEntryNames.sort();
    return (QStringList(snapshotText(d)) + properties + QStringList(writable ? "writable" : "fixed")).join(" | ");
}

// The line of a feature as Aravis tells it, for the feature that `mine` is a snapshot of.
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
        const QString displayName = arv_gc_feature_node_get_display_name(f);
        properties << (displayName.isEmpty() ? mine.name : displayName) << arv_gc_feature_node_get_description(f)
                   << arv_gc_feature_node_get_tooltip(f);
        const char* unit = nullptr;
        GError* error = nullptr;
        if (a.isImplemented && ARV_IS_GC_ENUMERATION(node)) {
            a.valueString = arv_gc_enumeration_get_string_value(ARV_GC_ENUMERATION(node), &error);
            a.intValue = arv_gc_enumeration_get_int_value(ARV_GC_ENUMERATION(node), &error);
            guint n = 0;
            const char** values = arv_gc_enumeration_dup_available_string_values(ARV_GC_ENUMERATION(node), &n, nullptr);
            for (guint i = 0; values && i < n; ++i)
                a.enumEntryNames << values[i];
            g_free(values);
        } else if (a.isImplemented && ARV_IS_GC_BOOLEAN(node)) {
            a.boolValue = arv_gc_boolean_get_value(ARV_GC_BOOLEAN(node), &error);
            a.valueString = ValueText::formatBoolean(a.boolValue);
        } else if (a.isImplemented && ARV_IS_GC_INTEGER(node) && !ARV_IS_GC_COMMAND(node)) {
            ArvGcInteger* i = ARV_GC_INTEGER(node);
            a.valueString = ValueText::formatInteger(a.intValue = arv_gc_integer_get_value(i, &error), a.representation);
            a.intMin = arv_gc_integer_get_min(i, nullptr), a.intMax = arv_gc_integer_get_max(i, nullptr);
            a.intInc = arv_gc_integer_get_inc(i, nullptr), unit = arv_gc_integer_get_unit(i);
        } else if (a.isImplemented && ARV_IS_GC_FLOAT(node)) {
            ArvGcFloat* x = ARV_GC_FLOAT(node);
            a.floatValue = arv_gc_float_get_value(x, &error), a.displayPrecision = arv_gc_float_get_display_precision(x);
            a.floatMin = arv_gc_float_get_min(x, nullptr), a.floatMax = arv_gc_float_get_max(x, nullptr);
            a.floatInc = arv_gc_float_get_inc(x, nullptr), a.hasFloatInc = a.floatInc != DBL_MIN;
            a.displayNotation = qMax(0, int(arv_gc_float_get_display_notation(x))); // undefined is automatic
            a.valueString = ValueText::formatFloat(a.floatValue, a.displayPrecision, a.displayNotation);
            unit = arv_gc_float_get_unit(x);
        } else if (a.isImplemented && ARV_IS_GC_STRING(node)) {
            a.valueString = arv_gc_string_get_value(ARV_GC_STRING(node), &error);
        } else if (a.isImplemented && ARV_IS_GC_REGISTER(node)) {
            const guint64 length = arv_gc_register_get_length(ARV_GC_REGISTER(node), nullptr);
            QByteArray bytes(int(length), 0);
            arv_gc_register_get(ARV_GC_REGISTER(node), bytes.data(), length, &error);
            a.valueString = ValueText::formatRegister(error ? QByteArray() : bytes, length,
                                                      arv_gc_register_get_address(ARV_GC_REGISTER(node), nullptr));
            a.isWritable = false;
            g_clear_error(&error); // without a device only where it is tells
        }
        QVERIFY2(!error || !a.isReadable, error ? error->message : "");
        g_clear_error(&error);
        properties << unit << ValueText::formatVisibility(GenApi::EVisibility(a.visibility));
        if (!a.isReadable && a.type != TypeCommand)
            a.valueString.clear();
    });
    return shown(a, properties, a.isWritable);
}

// The features that the collection shows otherwise than Aravis tells them, or whose typed reads disagree.
QString mismatches(AravisParameterCollection& collection, const QStringList& names)
{
    QString wrong;
    for (const QString& name : names) {
        const auto p = collection.getParameter(name);
        QStringList properties;
        for (const char* key : {"DisplayName", "Description", "Tooltip", "Unit", "Visibility"})
            properties << p->getProperties()->getProperty(key);
        const QString mine = shown(*p->getParameterData(), properties, p->isWritable());
        const QString theirs = aravisShows(collection, *p->getParameterData());
        wrong += typedMisfits(p) + (mine == theirs ? QString() : name + ": " + mine + " / Aravis: " + theirs + "\n");
    }
    return wrong;
}

// Writes integers with Aravis directly, past the collection, as the device itself would change them.
void writeWithAravis(const AravisParameterCollection& collection, const QList<QPair<const char*, qint64>>& values)
{
    collection.withGenicam([&](ArvGc* gc) {
        for (const auto& value : values) {
            GError* error = nullptr;
            arv_gc_integer_set_value(ARV_GC_INTEGER(arv_gc_get_node(gc, value.first)), value.second, &error);
            QVERIFY2(!error, error ? error->message : "");
            g_clear_error(&error);
        }
    });
}

// The features below a category as Aravis lists them, as "A[B C] D".
QString aravisTreeText(const AravisParameterCollection& collection, const char* category)
{
    QStringList names;
    collection.withGenicam([&](ArvGc* gc) {
        const GSList* l = arv_gc_category_get_features(ARV_GC_CATEGORY(arv_gc_get_node(gc, category)));
        for (; l; l = l->next) {
            const auto name = static_cast<const char*>(l->data);
            const bool category = ARV_IS_GC_CATEGORY(arv_gc_get_node(gc, name));
            names << name + (category ? "[" + aravisTreeText(collection, name) + "]" : QString());
        }
    });
    return names.join(' ');
}

// The features of a source; without a device, those in the file's registers do not count.
QStringList features(const QString& source, const AravisParameterCollection& collection)
{
    const QString tree = aravisTreeText(collection, "Root");
    return namesOf(source == "xml" ? tree.left(tree.indexOf("RegisterControl")) : tree);
}

} // namespace

class TestAravisParameterCollection : public QObject
{
    Q_OBJECT
private slots:
    void opens()
    {
        QElapsedTimer timer;
        timer.start();
        const auto camera = open("camera");
        QVERIFY2(timer.elapsed() < 900, qPrintable(QString::number(timer.elapsed()))); // without network discovery
        QVERIFY(camera->hasDevice() && !camera->getParameter("NoSuchFeature"));
        QVERIFY(camera->getChildren(role + "/Width", 0, true).isEmpty());
        QCOMPARE(QStringList({camera->getRoleName(), camera->deviceClass()}), QStringList({role, "CamEmu"}));
        const auto map = open("xml");
        QCOMPARE(QStringList({map->hasDevice() ? "device" : "none", map->deviceClass(), map->deviceInfo().model}),
                 QStringList({"none", "GenICam", "OrvikTestCamera"}));
        // Both show the tree Aravis tells, every feature under the role's name (writes compare the features).
        for (const auto& [c, source] : {std::pair{camera, "camera"}, {map, "xml"}}) {
            QCOMPARE(collectionTreeText(*c, role + "/Root"), aravisTreeText(*c, "Root"));
            for (const QString& name : features(source, *c))
                QCOMPARE(c->getParameter(name)->getFullName(), role + "/" + name);
        }
    }

    // What cannot be opened is refused, a broken file with the place where it breaks; node maps that would make
    // Aravis, or the tree, recurse without end with the names of the loop. On a thread with a 1 MiB stack.
    void refusesWhatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("source"); // "xml", the fake camera serving it; or what "document", "file", ... open
        QTest::addColumn<QByteArray>("features"); // after Root, which lists A; or the argument
        QTest::addColumn<QString>("message");
        const char* const refused[][3] = {
            {"children", "Nowhere", ""}, {"device", "Fake_no_such_camera", ""},
            {"file", ":/aravistest/malformed.xml", "line 60"}, {"file", ":/aravistest/missing.xml", "Cannot open"},
            {"document", "<Camera><Integer Name=\"X\"/></Camera>", "RegisterDescription"},
            {"file", ":/aravistest/loop.zip", "loop.zip' refers in a cycle: Height -> Width -> Height"}};
        for (const auto& row : refused)
            QTest::addRow("%s %s", row[0], row[1]) << row[0] << QByteArray(row[1]) << QString(row[2]);
        QByteArray nested, chain;
        for (int i = 0; i < 20000; ++i) {
            nested += "<Group Comment=\"G\">";
            chain += "<Integer Name=\"I" + QByteArray::number(i) + "\"><pValue>I" + QByteArray::number(i + 1)
                   + "</pValue></Integer>";
        }
        const QByteArray loop = "<Integer Name=\"A\"><pValue>B</pValue></Integer><Integer Name=\"B\"><pValue>A</pValue></Integer>";
        const char* const rows[][3] = {
            {"SwissKnife of itself", "<SwissKnife Name=\"A\"><pVariable Name=\"V\">A</pVariable><Formula>V</Formula></SwissKnife>",
             "refers in a cycle: A -> A"},
            {"values in a loop", loop.constData(), "hostile.xml' refers in a cycle: A -> B -> A"},
            {"category in itself", "<Category Name=\"A\"><pFeature>A</pFeature></Category>", "refers in a cycle: A -> A"},
            {"category in its child", "<Category Name=\"A\"><pFeature>Root</pFeature></Category>", "refers in a cycle: A -> Root -> A"},
            {"limit through a formula", "<Integer Name=\"A\"><Value>1</Value><pMax>S</pMax></Integer><IntSwissKnife Name=\"S\">"
             "<pVariable Name=\"X\">A</pVariable><Formula>X</Formula></IntSwissKnife>", "refers in a cycle: A -> S -> A"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << "xml" << QByteArray(row[1]) << QString(row[2]);
        QTest::newRow("20000 nested groups") << "xml" << nested + QByteArray("</Group>").repeated(20000)
                                             << "nests elements deeper than 64 levels (line 3)";
        QTest::newRow("20000 chained values") << "xml" << "<Integer Name=\"A\"><pValue>I0</pValue></Integer>" + chain
                                              << "chains more than 100 references, starting at A";
        QTest::newRow("fake camera") << "fake" << loop << "hostile.xml' refers in a cycle: A -> B -> A";
    }
    void refusesWhatCannotBeOpened()
    {
        QFETCH(QString, source); QFETCH(QByteArray, features); QFETCH(QString, message);
        const QByteArray xml = "<RegisterDescription xmlns=\"http://www.genicam.org/GenApi/Version_1_1\">\n"
                               "<Category Name=\"Root\"><pFeature>A</pFeature></Category>\n" + features + "\n</RegisterDescription>";
        QTemporaryDir dir;
        QFile file(dir.filePath("hostile.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size());
        file.close();
        const QString thrown = thrownOnSmallStack([&] {
            if (source == "file")
                AravisParameterCollection::openXmlFile(features);
            else if (source == "device")
                AravisParameterCollection::openDevice(features);
            else if (source == "children")
                open("camera")->getChildren(features, 0, true);
            else if (source == "fake")
                AravisParameterCollection::openFakeCamera(file.fileName());
            else
                AravisParameterCollection::fromXml(source == "document" ? features : xml, "hostile.xml");
        });
        const QString kind = source == "device" ? "Runtime: " : "InvalidArgument: ";
        QVERIFY2(thrown.startsWith(kind) && thrown.contains(message), qPrintable(thrown));
    }

    void readsWhatAravisDoesNotTell()
    {
        const auto map = open("xml");
        QStringList read;
        for (const char* name : {"Width", "PayloadSize", "MacAddress", "ExposureTime", "PixelFormat"}) {
            read << snapshotText(*map->getParameter(name)->getParameterData()) + " | "
                        + map->getParameter(name)->getProperties()->getProperty("DocuURL", "none");
        }
        const QString all = "[-9223372036854775808,9223372036854775807,1]";
        QCOMPARE(read, QStringList({"i '640' RWIA Beginner [16,1280,16] Linear | https://example.com/docs/Width",
                                    "i '307200' R-IA Guru " + all + "  | none",
                                    "i '00:30:15:1A:2B:3C' RWIA Beginner " + all + " MACAddress | none",
                                    "f '5000.0' RWIA Beginner [10,100000,-] p1f Logarithmic | https://example.com/docs/ExposureTime",
                                    "e 'Mono8' RWIA Beginner (Mono8 Mono12 RGB8) 17301505 | none"}));
        QCOMPARE(map->getParameter("PixelFormat")->getParameterData()->enumEntryDisplayNames,
                 QStringList({"Mono 8", "Mono 12", "RGB8"}));
        // Registers cannot be read without a device, and the typed read says why in Aravis's words.
        const auto value = map->getParameter("TestValue");
        QVERIFY(!value->getParameterData()->isReadable && value->getParameterData()->valueString.isEmpty());
        const QString thrown = thrownBy([&] { qSharedPointerDynamicCast<IIntegerParameter>(value)->getValue(); });
        QVERIFY2(thrown.startsWith("Access: ") && thrown.contains("No device"), qPrintable(thrown));
        // A register says where it is; an entry whose condition reads a register is offered.
        QCOMPARE(map->getParameter("TestBlock")->getParameterData()->valueString, QString("8 bytes at 0x000001f0"));
        QCOMPARE(map->getParameter("TestMode")->getParameterData()->enumEntryNames, QStringList({"Off", "On"}));
        // Zipped as cameras ship it, it is the same node map.
        const auto zipped = AravisParameterCollection::openXmlFile(":/aravistest/nodemap.zip");
        QCOMPARE(zipped->nodeNames(), map->nodeNames());
    }

    void writes_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("steps"); // "; "-separated, the last one watched (see outcomeOf)
        QTest::addColumn<QString>("expected");
        const char* const rows[][3] = {
            {"camera", "Width=320", "PayloadSize '163840'; Width '320'"},
            {"camera", "PixelFormat=Mono16", "PayloadSize '524288'; PixelFormat 'Mono16' 17825799"},
            {"camera", "ExposureTimeAbs=2500", "ExposureTimeAbs '2500.000000'"},
            {"camera", "AcquisitionMode= SingleFrame ", "AcquisitionMode 'SingleFrame' 2"},
            {"camera", "TestBoolean=1", "TestBoolean '1'; TestRegister '321'"},
            {"camera", "TestBoolean=1; TestBoolean=false", "TestBoolean '0'; TestRegister '123'"},
            {"camera", "TestStringReg=hello aravis", "TestStringReg s 'hello aravis' RWIA Beginner"},
            {"camera", "TestRegister=0x1234", "TestRegister '4660'"}, {"camera", "Width=100000", "OutOfRange: maximum"},
            {"camera", "ExposureTimeAbs=1", "OutOfRange: minimum"}, {"camera", "Width=wide", "InvalidArgument: wide"},
            {"camera", "PixelFormat=Mono99", "InvalidArgument: Mono99"}, {"camera", "AcquisitionStart=1", "LogicalError: execute"},
            {"xml", "Width=656", "PayloadSize '314880'; Width '656'"}, {"xml", "Width=650", "OutOfRange: "},
            {"xml", "Height=2000", "OutOfRange: "}, {"xml", "DeviceFlags=ff", "DeviceFlags '0xFF'"},
            {"xml", "CurrentIPAddress=10.0.0.2", "CurrentIPAddress '10.0.0.2'"}, {"xml", "Gain=2.5", "Gain '2.500000'"},
            {"xml", "Gain=0.7", "OutOfRange: "}, {"xml", "ExposureTime=nan", "InvalidArgument: "},
            {"xml", "ReverseX=on", "ReverseX '1'"}, {"xml", "DeviceUserName=Camera \xc3\xa4", "DeviceUserName s 'Camera ä' RWIA Beginner"},
            {"xml", "PixelFormat=RGB8", "PixelFormat 'RGB8' 35127316"}, {"xml", "PixelFormat=Mono16", "InvalidArgument: "},
            {"xml", "PayloadSize=1", "Access: read only"}, {"xml", "FutureFeature=4", "Access: not implemented"},
            {"xml", "TriggerDelay=4", "Access: not available"}, {"xml", "Root=1", "LogicalError: "},
            {"xml", "DeviceUserID=x", "Access: No device"},
            {"xml", "AcquisitionLocked=1", "AcquisitionFrameCount R-IA; AcquisitionLocked '1'"},
            {"xml", "TriggerEnabled=1", "TriggerDelay '0' RWIA; TriggerEnabled '1'"},
            {"xml", "Mono16Available=1", "Mono16Available '1'; PixelFormat e 'Mono8' RWIA Beginner (Mono8 Mono12 RGB8 Mono16) 17301505"},
            {"xml", "Width.Visibility=Guru", "Width Guru"}, {"xml", "Width.AccessMode=RO", "Width R-IA"},
            {"xml", "Width.AccessMode=NA", "Width '' --I-"}, {"xml", "Width.AccessMode=WO", "Width '' -WIA"},
            {"xml", "Width.AccessMode=NA; Width.AccessMode=", "Width '640' RWIA | property AccessMode reads RW"},
            {"xml", "Width.Visibility=Sometimes", "InvalidArgument: Sometimes"}, {"xml", "Width.Unit=m", "LogicalError: Unit"},
            {"xml", "Width.AccessMode=RX", "InvalidArgument: RX"}, {"camera+xml", "TestValue=42", "TestBlock '00 00 00 2A; TestValue '42'; TestValueMirror '42'"},
            {"camera+xml", "GainRaw=5; GainSelector=Red", "GainRaw '0'; GainSelector 'Red' 1"}};
        for (const auto& row : rows)
            QTest::addRow("%s %s", row[0], row[1]) << row[0] << QString::fromLatin1(row[1]) << QString::fromUtf8(row[2]);
    }
    void writes()
    {
        QFETCH(QString, source); QFETCH(QString, steps); QFETCH(QString, expected);
        const auto c = open(source);
        const QString write = steps.section("; ", -1), target = write.section('=', 0, 0).section('.', 0, 0);
        const QStringList names = features(source, *c);
        apply(*c, steps.section("; ", 0, -2));
        QCOMPARE(outcomeOf(*c, names.contains(target) ? names : names + QStringList(target), write, expected), expected);
        if (!write.contains('.')) // Aravis knows nothing of imposed properties
            QCOMPARE(mismatches(*c, names), QString());
        QCOMPARE(ownValueMisfits(*c, names), QString());
        QVERIFY(!open("camera")->hasParameter("TestValueMirror")); // the next fake camera serves Aravis's own XML again
    }

    void pollsWhatIsInUseByPollingTime()
    {
        const auto seen = [](const QSignalSpy& spy) {
            return spy.isEmpty() ? QString("-") : QString("%1x %2").arg(spy.count()).arg(lastReport(spy)->intValue);
        };
        const auto camera = open("camera");
        const auto gain = camera->getParameter("GainRaw"), height = camera->getParameter("Height");
        const qint64 gainNow = gain->getParameterData()->intValue == 3 ? 4 : 3;
        QSignalSpy gainSpy(gain.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy heightSpy(height.data(), &IParameter::parameterDataChangedDecoupled);
        // The camera changes by itself: nobody has seen Height yet, GainRaw is in use.
        writeWithAravis(*camera, {{"GainRaw", gainNow}, {"Height", 100}});
        camera->poll(300), camera->poll(300);
        QCOMPARE(seen(gainSpy) + " " + seen(heightSpy), QString("1x %1 -").arg(gainNow));
        // Refresh reads everything in use again: now Height too once it was seen.
        height->getParameterData();
        writeWithAravis(*camera, {{"Height", 120}});
        camera->refresh();
        QCOMPARE(seen(heightSpy), QString("1x 120"));
        // A node map with polling times polls those features only, each after its own time.
        const auto map = open("xml");
        const auto uptime = map->getParameter("Uptime"), width = map->getParameter("Width");
        QSignalSpy uptimeSpy(uptime.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy widthSpy(width.data(), &IParameter::parameterDataChangedDecoupled);
        uptime->getParameterData(), width->getParameterData();
        writeWithAravis(*map, {{"Uptime", 77}, {"Width", 800}});
        QStringList polled;
        for (int i = 0; i < 4; ++i) // a PollingTime of 1000 ms: read on the fourth poll, not before
            map->poll(300), polled << seen(uptimeSpy) + " " + seen(widthSpy);
        map->refresh();
        QCOMPARE(polled << seen(widthSpy), QStringList({"- -", "- -", "- -", "1x 77 -", "1x 800"}));
    }

    void offersTheFloatAliasAndTracksCommands()
    {
        const auto map = open("xml");
        QVERIFY(!map->hasParameter(role + "/Gain/Alias"));
        // Writing the alias writes its integer, and is reported for both names.
        QCOMPARE(outcomeOf(*map, {"ExposureTime", "ExposureTime/Alias", "ExposureTimeRaw"}, "ExposureTime/Alias=1234", ""),
                 QString("ExposureTime/Alias '1234'; ExposureTimeRaw '1234'"));
        const auto start = qSharedPointerDynamicCast<ICommandParameter>(map->getParameter("AcquisitionStart"));
        QVERIFY(start->getParameterData()->boolValue);
        QSignalSpy spy(start.data(), &IParameter::parameterDataChangedDecoupled);
        start->execute(true);
        // The command value reads back: busy, until the device clears it and a poll reports it.
        QVERIFY(!start->isDone() && spy.count() == 1 && !lastReport(spy)->boolValue);
        start->setState(false);
        writeWithAravis(*map, {{"AcquisitionStartValue", 0}});
        map->poll(300);
        QVERIFY(spy.count() == 2 && lastReport(spy)->boolValue && start->isDone());
        // A command that never clears counts as done after the timeout.
        map->setCommandTimeout(50);
        start->execute(true);
        QVERIFY(!start->isDone());
        QTRY_VERIFY_WITH_TIMEOUT(start->isDone(), 2000);
    }

    void survivesConcurrentAccess()
    {
        const auto camera = open("camera");
        const QStringList names = features("camera", *camera);
        std::atomic<int> unexpected{0}, reads{0};
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back(QThread::create([&, t] {
                for (int i = 0; i < 150; ++i) {
                    const QString thrown = thrownBy([&] {
                        reads += bool(camera->getParameter(names.at((i * 7 + t) % names.size()))->getParameterData());
                        if ((i + t) % 3 == 0)
                            camera->poll(300);
                        else if ((i + t) % 3 == 1)
                            apply(*camera, QString("Width=%1").arg(64 + (i % 32) * 8));
                        else
                            apply(*camera, i % 2 ? "PixelFormat=Mono8" : "PixelFormat=Mono16");
                    });
                    unexpected += thrown.startsWith("std: ") || thrown == "other"; // refused writes are fine
                }
            }));
            threads.back()->start();
        }
        for (const auto& thread : threads)
            QVERIFY(thread->wait(60000));
        QVERIFY(unexpected.load() == 0 && reads.load() == 4 * 150);
        QCOMPARE(mismatches(*camera, names), QString()); // it still agrees with Aravis
    }

    void everyOperationAfterTheCollectionIsGone_data() { addOperationRows(false); }
    void everyOperationAfterTheCollectionIsGone()
    {
        QFETCH(int, operation);
        OpenedHandles h(open("camera"), {"Width", "TestBoolean", "ExposureTimeAbs", "AcquisitionStart", "TestStringReg",
                                         "PixelFormat", "Root"});
        h.collection.reset();
        QCOMPARE(misbehaviourAfterClose(h, operation), QString());
    }

    // A job still running as the process ends retires a worker, as one does
    // that drops the last reference to a device: the process still ends at once.
    void endsWhileAJobRetiresAWorker()
    {
        if (qEnvironmentVariableIsSet("ORVIK_END_WHILE_RETIRING")) {
            AravisWorker::retire(std::make_unique<AravisWorker>(), [] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                AravisWorker::retire(std::make_unique<AravisWorker>(), [] {});
            });
            return;
        }
        QProcess child;
        child.setEnvironment(QProcess::systemEnvironment() << "ORVIK_END_WHILE_RETIRING=1");
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), { "endsWhileAJobRetiresAWorker" });
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(QList<int>({child.exitStatus(), child.exitCode()}), QList<int>({QProcess::NormalExit, 0}));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestAravisParameterCollection)
#include "tst_aravisparametercollection.moc"
