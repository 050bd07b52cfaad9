// Aravis's headers come first: GLib's headers must not see Qt's keyword macros.
// clang-format off
#include <arv.h>
// clang-format on

#include "camerapool/staticbaseinfo.h"
#include "featuretree/featuretreewidget.h"
#include "parameterchecks.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
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
const QString nodeMapFile = ":/aravistest/nodemap.xml";

QSharedPointer<AravisParameterCollection> openFake()
{
    return AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
}

QSharedPointer<AravisParameterCollection> openSource(const QString& source)
{
    return source == QLatin1String("camera") ? openFake() : AravisParameterCollection::openXmlFile(nodeMapFile);
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// What the collection shows of a feature in one line: its snapshot, its
// properties, what its typed interface reads and whether it takes writes.
QString shown(const QSharedPointer<IParameter>& p)
{
    ParameterData d = *p->getParameterData();
    d.enumEntryNames.sort();
    QString typed; // typed reads of unreadable features throw
    if (!d.isReadable && d.type != TypeCommand)
        typed = QString();
    else if (const auto i = qSharedPointerDynamicCast<IIntegerParameter>(p))
        typed = QString::number(i->getValue());
    else if (const auto f = qSharedPointerDynamicCast<IFloatParameter>(p))
        typed = QString::number(f->getMaximum());
    else if (const auto b = qSharedPointerDynamicCast<IBooleanParameter>(p))
        typed = QString::number(b->getValue());
    else if (const auto e = qSharedPointerDynamicCast<IEnumParameter>(p))
        typed = e->getValue();
    else if (qSharedPointerDynamicCast<ICommandParameter>(p))
        typed = "command";
    const auto props = p->getProperties();
    return QStringList({snapshotText(d), props->getProperty("DisplayName"), props->getProperty("Description"),
                        props->getProperty("Tooltip"), props->getProperty("Unit"), typed,
                        p->isWritable() ? "writable" : "fixed"})
        .join(" | ");
}

// The same line built from Aravis's own answers for the feature of `mine`.
QString aravisShows(const AravisParameterCollection& collection, const ParameterData& mine)
{
    ParameterData a;
    a.type = mine.type;
    a.representation = mine.representation;
    a.boolValue = mine.type == TypeCommand && mine.boolValue; // Aravis does not track commands
    QString displayName, description, tooltip, unit, typed;
    collection.withGenicam([&](ArvGc* gc) {
        ArvGcNode* node = arv_gc_get_node(gc, mine.name.toUtf8().constData());
        ArvGcFeatureNode* f = ARV_GC_FEATURE_NODE(node);
        a.isImplemented = arv_gc_feature_node_is_implemented(f, nullptr);
        const bool available = a.isImplemented && arv_gc_feature_node_is_available(f, nullptr);
        const int mode = arv_gc_feature_node_get_actual_access_mode(f);
        a.isAvailable = a.isImplemented && available;
        a.isReadable = available && (mode == ARV_GC_ACCESS_MODE_RO || mode == ARV_GC_ACCESS_MODE_RW);
        a.isWritable = available && !arv_gc_feature_node_is_locked(f, nullptr)
                    && (mode == ARV_GC_ACCESS_MODE_WO || mode == ARV_GC_ACCESS_MODE_RW);
        const int v = arv_gc_feature_node_get_visibility(f);
        a.visibility = v == ARV_GC_VISIBILITY_INVISIBLE ? GenApi::Invisible
                     : v == ARV_GC_VISIBILITY_GURU      ? GenApi::Guru
                     : v == ARV_GC_VISIBILITY_EXPERT    ? GenApi::Expert
                                                        : GenApi::Beginner;
        displayName = utf8(arv_gc_feature_node_get_display_name(f));
        description = utf8(arv_gc_feature_node_get_description(f));
        tooltip = utf8(arv_gc_feature_node_get_tooltip(f));
        GError* error = nullptr;
        if (!a.isImplemented) {
            // nothing to read
        } else if (ARV_IS_GC_ENUMERATION(node)) {
            a.valueString = typed = utf8(arv_gc_enumeration_get_string_value(ARV_GC_ENUMERATION(node), &error));
            a.intValue = arv_gc_enumeration_get_int_value(ARV_GC_ENUMERATION(node), &error);
            guint n = 0;
            const char** values = arv_gc_enumeration_dup_available_string_values(ARV_GC_ENUMERATION(node), &n, nullptr);
            for (guint i = 0; values && i < n; ++i)
                a.enumEntryNames << utf8(values[i]);
            a.enumEntryNames.sort();
            g_free(values);
        } else if (ARV_IS_GC_BOOLEAN(node)) {
            a.boolValue = arv_gc_boolean_get_value(ARV_GC_BOOLEAN(node), &error);
            a.valueString = ValueText::formatBoolean(a.boolValue);
            typed = QString::number(a.boolValue);
        } else if (ARV_IS_GC_COMMAND(node)) {
            typed = "command";
        } else if (ARV_IS_GC_INTEGER(node)) {
            a.intValue = arv_gc_integer_get_value(ARV_GC_INTEGER(node), &error);
            a.intMin = arv_gc_integer_get_min(ARV_GC_INTEGER(node), nullptr);
            a.intMax = arv_gc_integer_get_max(ARV_GC_INTEGER(node), nullptr);
            a.intInc = arv_gc_integer_get_inc(ARV_GC_INTEGER(node), nullptr);
            a.valueString = ValueText::formatInteger(a.intValue, a.representation);
            unit = utf8(arv_gc_integer_get_unit(ARV_GC_INTEGER(node)));
            typed = QString::number(a.intValue);
        } else if (ARV_IS_GC_FLOAT(node)) {
            a.floatValue = arv_gc_float_get_value(ARV_GC_FLOAT(node), &error);
            a.floatMin = arv_gc_float_get_min(ARV_GC_FLOAT(node), nullptr);
            a.floatMax = arv_gc_float_get_max(ARV_GC_FLOAT(node), nullptr);
            a.floatInc = arv_gc_float_get_inc(ARV_GC_FLOAT(node), nullptr);
            a.hasFloatInc = a.floatInc != DBL_MIN;
            a.displayPrecision = arv_gc_float_get_display_precision(ARV_GC_FLOAT(node));
            a.valueString = ValueText::formatFloat(a.floatValue, a.displayPrecision);
            unit = utf8(arv_gc_float_get_unit(ARV_GC_FLOAT(node)));
            typed = QString::number(a.floatMax);
        } else if (ARV_IS_GC_STRING(node)) {
            a.valueString = utf8(arv_gc_string_get_value(ARV_GC_STRING(node), &error));
        }
        QVERIFY2(!error || !a.isReadable, error ? error->message : "");
        g_clear_error(&error);
        if (!a.isReadable && a.type != TypeCommand)
            a.valueString = typed = QString();
    });
    return QStringList({snapshotText(a), displayName.isEmpty() ? mine.name : displayName, description, tooltip, unit,
                        typed, a.isWritable ? "writable" : "fixed"})
        .join(" | ");
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
    QString tree;
    collection.withGenicam([&](ArvGc* gc) {
        QStringList names;
        for (const GSList* l = arv_gc_category_get_features(ARV_GC_CATEGORY(arv_gc_get_node(gc, category))); l; l = l->next) {
            const auto name = static_cast<const char*>(l->data);
            const bool isCategory = ARV_IS_GC_CATEGORY(arv_gc_get_node(gc, name));
            const QString below = isCategory ? aravisTreeText(collection, name) : QString();
            names << utf8(name) + (below.isEmpty() ? QString() : "[" + below + "]");
        }
        tree = names.join(' ');
    });
    return tree;
}

QStringList namesOf(const QString& tree)
{
    return tree.split(QRegularExpression("[\\[\\] ]+"), Qt::SkipEmptyParts);
}

} // namespace

class TestAravisParameterCollection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { resetTestState(); }

    void opensAndWalksTheFakeCamera()
    {
        QElapsedTimer timer;
        timer.start();
        const auto camera = openFake();
        // In-process, without waiting for network discovery.
        QVERIFY2(timer.elapsed() < 900, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(camera->hasDevice());
        QCOMPARE(camera->getRoleName(), role);
        QCOMPARE(camera->deviceClass(), QString("CamEmu"));
        QVERIFY(!camera->getParameter("NoSuchFeature"));
        const auto devices = AravisParameterCollection::listDevices(true);
        QVERIFY(!devices.isEmpty() && devices.first().id == AravisParameterCollection::fakeCameraId());
        QVERIFY(thrownBy([] { AravisParameterCollection::openDevice("Fake_no_such_camera"); }).startsWith("Runtime: "));
        QCOMPARE(collectionTreeText(*camera, role + "/Root"), aravisTreeText(*camera, "Root"));
        QVERIFY(camera->getChildren(role + "/Width", 0, true).isEmpty());
        QVERIFY(thrownBy([&] { camera->getChildren("Nowhere", 0, true); }).startsWith("InvalidArgument: "));
    }

    void snapshotsMatchAravis_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        for (const QString& name : namesOf(aravisTreeText(*openFake(), "Root")))
            QTest::addRow("camera %s", qPrintable(name)) << "camera" << name;
        // The XML file's registers need a device; its other features work without one.
        const QString file = aravisTreeText(*openSource("xml"), "Root");
        for (const QString& name : namesOf(file.left(file.indexOf("RegisterControl"))))
            QTest::addRow("xml %s", qPrintable(name)) << "xml" << name;
    }

    void snapshotsMatchAravis()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        const auto collection = openSource(source);
        const QSharedPointer<IParameter> p = collection->getParameter(name);
        QCOMPARE(QStringList({p->getFullName(), p->getParameterData()->name}), QStringList({role + "/" + name, name}));
        QCOMPARE(shown(p), aravisShows(*collection, *p->getParameterData()));
        QCOMPARE(p->getProperties()->getProperty("Visibility"), ValueText::formatVisibility(p->getVisibility()));
    }

    void writes_data()
    {
        QTest::addColumn<QString>("source"); // "camera": the fake camera; "xml": the XML file's literal features
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // the value shown after the write, or "<exception>: <part of its message>"
        const auto row = [](const char* tag, const char* source, const char* name, const QString& text,
                            const QString& expected) { QTest::newRow(tag) << source << name << text << expected; };
        row("integer", "camera", "Width", "320", "320");
        row("float through a converter", "camera", "ExposureTimeAbs", "2500", "2500.000000");
        row("enumeration with spaces", "camera", "AcquisitionMode", " SingleFrame ", "SingleFrame");
        row("boolean", "camera", "TestBoolean", "1", "1");
        row("boolean off", "camera", "TestBoolean", "false", "0");
        row("string register", "camera", "TestStringReg", "hello aravis", "hello aravis");
        row("integer register", "camera", "TestRegister", "0x1234", "4660");
        row("above the maximum", "camera", "Width", "100000", "OutOfRange: maximum");
        row("float below the minimum", "camera", "ExposureTimeAbs", "1", "OutOfRange: minimum");
        row("unknown entry", "camera", "PixelFormat", "Mono99", "InvalidArgument: Mono99");
        row("no number", "camera", "Width", "wide", "InvalidArgument: wide");
        row("command", "camera", "AcquisitionStart", "1", "LogicalError: execute");
        row("integer on the increment", "xml", "Width", "656", "656");
        row("integer off the increment", "xml", "Width", "650", "OutOfRange: ");
        row("integer above its pMax", "xml", "Height", "2000", "OutOfRange: ");
        row("hex integer", "xml", "DeviceFlags", "ff", "0xFF");
        row("IPv4 integer", "xml", "CurrentIPAddress", "10.0.0.2", "10.0.0.2");
        row("float on the increment", "xml", "Gain", "2.5", "2.500000");
        row("float off the increment", "xml", "Gain", "0.7", "OutOfRange: ");
        row("float not finite", "xml", "ExposureTime", "nan", "InvalidArgument: ");
        row("boolean word", "xml", "ReverseX", "on", "1");
        // 8-bit text: the UTF-8 bytes of "Camera ä", one character each.
        row("string", "xml", "DeviceUserName", QString::fromLatin1("Camera \xc3\xa4"), utf8("Camera \xc3\xa4"));
        row("enumeration", "xml", "PixelFormat", "RGB8", "RGB8");
        row("unavailable entry", "xml", "PixelFormat", "Mono16", "InvalidArgument: ");
        row("read-only formula", "xml", "PayloadSize", "1", "Access: read only");
        row("unimplemented", "xml", "FutureFeature", "4", "Access: not implemented");
        row("unavailable", "xml", "TriggerDelay", "4", "Access: not available");
        row("category", "xml", "Root", "1", "LogicalError: ");
        row("register without device", "xml", "DeviceUserID", "x", "Access: No device");
    }

    void writes()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto collection = openSource(source);
        const QSharedPointer<IParameter> p = collection->getParameter(name);
        const auto before = p->getParameterData();
        QSignalSpy spy(p.data(), &IParameter::parameterDataChangedDecoupled);
        const QString thrown = thrownBy([&] { p->setValue(text); });
        const auto after = p->getParameterData();
        if (expected.contains(": ")) {
            QVERIFY2(thrown.startsWith(expected.section(": ", 0, 0) + ": ")
                         && thrown.contains(expected.section(": ", 1), Qt::CaseInsensitive),
                     qPrintable(thrown));
            QCOMPARE(*after, *before);
            QCOMPARE(spy.count(), 0);
            return;
        }
        QCOMPARE(thrown, QString());
        QCOMPARE(after->valueString, expected);
        QCOMPARE(shown(p), aravisShows(*collection, *after));
        // A change is reported once, with the new snapshot; no change, no report.
        QCOMPARE(spy.count(), *before == *after ? 0 : 1);
        if (!spy.isEmpty())
            QCOMPARE(*lastReport(spy), *after);
    }

    void dependentsFollowWrites_data()
    {
        QTest::addColumn<QString>("source"); // the fake camera, the XML file, or the fake camera serving the XML file
        QTest::addColumn<QString>("preset"); // written to the dependent first
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("dependent");
        QTest::addColumn<QString>("unrelated");
        const auto row = [](const char* tag, const char* source, const char* preset, const char* written,
                            const char* text, const char* dependent, const char* unrelated) {
            QTest::newRow(tag) << source << preset << written << text << dependent << unrelated;
        };
        row("formula of the width", "camera", "", "Width", "320", "PayloadSize", "ExposureTimeAbs");
        row("formula of the pixel format", "camera", "", "PixelFormat", "Mono16", "PayloadSize", "ExposureTimeAbs");
        row("pIsLocked", "xml", "", "AcquisitionLocked", "1", "AcquisitionFrameCount", "Gain");
        row("pIsAvailable", "xml", "", "TriggerEnabled", "1", "TriggerDelay", "Gain");
        row("pIsAvailable of an entry", "xml", "", "Mono16Available", "1", "PixelFormat", "Gain");
        row("pInvalidator", "camera with xml", "", "TestValue", "42", "TestValueMirror", "Gain");
        row("selector", "camera with xml", "5", "GainSelector", "Red", "GainRaw", "Gain");
    }

    void dependentsFollowWrites()
    {
        QFETCH(QString, source);
        QFETCH(QString, preset);
        QFETCH(QString, written);
        QFETCH(QString, text);
        QFETCH(QString, dependent);
        QFETCH(QString, unrelated);
        QTemporaryDir dir;
        const QString path = dir.filePath("nodemap.xml");
        QVERIFY(QFile::copy(nodeMapFile, path));
        const auto collection = source == QLatin1String("camera with xml") ? AravisParameterCollection::openFakeCamera(path)
                                                                           : openSource(source);
        const auto p = collection->getParameter(dependent);
        if (!preset.isEmpty())
            p->setValue(preset);
        const auto before = p->getParameterData();
        collection->getParameter(unrelated)->getParameterData();
        QSignalSpy spy(p.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy unrelatedSpy(collection->getParameter(unrelated).data(), &IParameter::parameterDataChangedDecoupled);
        collection->getParameter(written)->setValue(text);
        // Reported once, changed, and as Aravis sees it now; nothing else is reported.
        QCOMPARE(spy.count(), 1);
        const auto after = lastReport(spy);
        QVERIFY(*after != *before);
        QCOMPARE(shown(p), aravisShows(*collection, *after));
        QCOMPARE(unrelatedSpy.count(), 0);
        // Writing its own value again is refused exactly when it is not writable.
        QCOMPARE(thrownBy([&] { p->setValue(after->valueString); }).section(':', 0, 0),
                 after->isWritable ? QString() : QString("Access"));
        // The next fake camera serves Aravis's own XML again.
        QVERIFY(!openFake()->hasParameter("TestValueMirror"));
    }

    void pollsWhatIsInUseByPollingTime()
    {
        const auto camera = openFake();
        const auto gain = camera->getParameter("GainRaw");
        const auto height = camera->getParameter("Height");
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
        const auto map = openSource("xml");
        const auto uptime = map->getParameter("Uptime");
        const auto width = map->getParameter("Width");
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

    void readsTheXmlFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // what Aravis does not tell: the snapshot by hand and the documentation link
        QTest::newRow("Width") << "Width" << "i '640' RWIA Beginner [16,1280,16] Linear | https://example.com/docs/Width";
        QTest::newRow("PayloadSize") << "PayloadSize"
                                     << "i '307200' R-IA Guru [-9223372036854775808,9223372036854775807,1]  | none";
        QTest::newRow("MacAddress") << "MacAddress"
                                    << "i '00:30:15:1A:2B:3C' RWIA Beginner [-9223372036854775808,9223372036854775807,1]"
                                       " MACAddress | none";
        QTest::newRow("ExposureTime") << "ExposureTime" << "f '5000.0' RWIA Beginner [10,100000,-] p1 Logarithmic"
                                                           " | https://example.com/docs/ExposureTime";
        QTest::newRow("PixelFormat") << "PixelFormat" << "e 'Mono8' RWIA Beginner (Mono8 Mono12 RGB8) 17301505 | none";
    }

    void readsTheXmlFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const auto map = openSource("xml");
        const auto p = map->getParameter(role + "/" + name);
        QCOMPARE(snapshotText(*p->getParameterData()) + " | " + p->getProperties()->getProperty("DocuURL", "none"), expected);
    }

    void describesTheXmlFile()
    {
        const auto map = openSource("xml");
        QVERIFY(!map->hasDevice());
        QCOMPARE(map->deviceClass(), QString("GenICam"));
        QCOMPARE(map->deviceInfo().model, QString("OrvikTestCamera"));
        QCOMPARE(map->getParameter("PixelFormat")->getParameterData()->enumEntryDisplayNames,
                 QStringList({"Mono 8", "Mono 12", "RGB8"}));
        QCOMPARE(collectionTreeText(*map, role + "/Root").section('[', 0, 0), QString("ImageFormatControl"));
        QCOMPARE(namesOf(collectionTreeText(*map, role + "/Root")), namesOf(aravisTreeText(*map, "Root")));
        // Registers cannot be read without a device, and the typed read says why in Aravis's words.
        const auto value = map->getParameter("TestValue");
        QVERIFY(!value->getParameterData()->isReadable && value->getParameterData()->valueString.isEmpty());
        const QString read = thrownBy([&] { qSharedPointerDynamicCast<IIntegerParameter>(value)->getValue(); });
        QVERIFY2(read.startsWith("Access: ") && read.contains("No device"), qPrintable(read));
    }

    void offersTheFloatAliasAndTracksCommands()
    {
        const auto map = openSource("xml");
        QVERIFY(!map->hasParameter(role + "/Gain/Alias"));
        const auto alias = qSharedPointerDynamicCast<IIntegerParameter>(map->getParameter(role + "/ExposureTime/Alias"));
        const auto raw = map->getParameter("ExposureTimeRaw");
        QCOMPARE(alias->getValue(), raw->getParameterData()->intValue);
        alias->getParameterData();
        // Writing the alias writes its integer and is reported for both names.
        QSignalSpy rawSpy(raw.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy aliasSpy(alias.data(), &IParameter::parameterDataChangedDecoupled);
        alias->setValue(1234, true);
        QCOMPARE(raw->getParameterData()->valueString, QString("1234"));
        QCOMPARE(rawSpy.count(), 1);
        QCOMPARE(aliasSpy.count(), 1);
        QCOMPARE(lastReport(aliasSpy)->name, QString("ExposureTime/Alias"));

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
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("guru") << "Visibility" << "Guru" << "i '640' RWIA Guru [16,1280,16] Linear";
        QTest::newRow("read only") << "AccessMode" << "RO" << "i '640' R-IA Beginner [16,1280,16] Linear";
        QTest::newRow("not available") << "AccessMode" << "NA" << "i '' --I- Beginner [16,1280,16] Linear";
        QTest::newRow("write only") << "AccessMode" << "WO" << "i '' -WIA Beginner [16,1280,16] Linear";
    }

    void appliesImposedProperties()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const auto map = openSource("xml");
        const auto width = map->getParameter("Width");
        width->getParameterData();
        QSignalSpy spy(width.data(), &IParameter::parameterDataChangedDecoupled);
        QVERIFY(width->acceptsProperties());
        width->getProperties()->setProperty(key, value);
        QCOMPARE(width->getProperties()->getProperty(key), value);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(snapshotText(*width->getParameterData()), expected);
        QCOMPARE(thrownBy([&] { width->setValue("656"); }).section(':', 0, 0),
                 width->isWritable() ? QString() : QString("Access"));
        QVERIFY(thrownBy([&] { width->getProperties()->setProperty(key, "Sometimes"); }).startsWith("InvalidArgument: "));
        QVERIFY(thrownBy([&] { width->getProperties()->setProperty("Unit", "m"); }).startsWith("LogicalError: "));
    }

    void refusesBadXml_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("message");
        QTest::newRow("mismatched tags") << ":/aravistest/malformed.xml" << QByteArray() << "line 60";
        QTest::newRow("no such file") << ":/aravistest/missing.xml" << QByteArray() << "Cannot open";
        QTest::newRow("not a node map") << "" << QByteArray("<Camera><Integer Name=\"X\"/></Camera>")
                                        << "RegisterDescription";
    }

    void refusesBadXml()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, xml);
        QFETCH(QString, message);
        const QString thrown = thrownBy([&] {
            file.isEmpty() ? AravisParameterCollection::fromXml(xml, "inline") : AravisParameterCollection::openXmlFile(file);
        });
        QVERIFY2(thrown.startsWith("InvalidArgument: ") && thrown.contains(message), qPrintable(thrown));
    }

    void survivesConcurrentAccess()
    {
        const auto camera = openFake();
        const QStringList names = namesOf(aravisTreeText(*camera, "Root"));
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
                    unexpected += !thrown.isEmpty() && (thrown.startsWith("std: ") || thrown == QLatin1String("other"));
                }
            });
        }
        for (QThread* thread : qAsConst(threads))
            thread->start();
        for (QThread* thread : qAsConst(threads)) {
            QVERIFY(thread->wait(60000));
            delete thread;
        }
        QCOMPARE(unexpected.load(), 0);
        QCOMPARE(reads.load(), 4 * 150);
        // The collection still agrees with Aravis.
        const auto payload = camera->getParameter("PayloadSize");
        QCOMPARE(shown(payload), aravisShows(*camera, *payload->getParameterData()));
    }

    void everyOperationAfterTheCollectionIsGone_data()
    {
        QTest::addColumn<int>("operation");
        const auto ops = operationsAfterClose();
        for (int i = 0; i < ops.size(); ++i) {
            if (!ops.at(i).first.startsWith("collection")) // nothing to call once it is gone
                QTest::newRow(qPrintable(ops.at(i).first)) << i;
        }
    }

    void everyOperationAfterTheCollectionIsGone()
    {
        QFETCH(int, operation);
        auto camera = openFake();
        OpenedHandles h{{}, {}, camera->getParameter("Width")->getProperties()};
        for (const char* name : {"Width", "TestBoolean", "ExposureTimeAbs", "AcquisitionStart", "TestStringReg", "PixelFormat", "Root"})
            h.byType.insert(camera->getParameter(name)->getType(), camera->getParameter(name));
        QCOMPARE(h.byType.size(), int(TypeCategory));
        camera.reset();
        bool acceptable = false;
        const QString thrown = thrownBy([&] { acceptable = operationsAfterClose().at(operation).second(h); });
        QVERIFY2(thrown.startsWith("Access: ") || (thrown.isEmpty() && acceptable), qPrintable(thrown));
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
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        const auto camera = openFake();
        TreeFixture fixture;
        fixture.add(camera, role, "Fake Camera");
        treeText(fixture.model);
        // Every feature has its row, showing a value exactly when it is readable and has one.
        int features = 0;
        for (const QString& feature : namesOf(collectionTreeText(*camera, role + "/Root"))) {
            const auto d = camera->getParameter(feature)->getParameterData();
            const QModelIndex value = fixture.index(feature, 1);
            QVERIFY2(value.isValid(), qPrintable(feature));
            if (d->type == TypeCategory || !d->isReadable)
                continue;
            ++features;
            QCOMPARE(value.data().toString().isEmpty(), d->valueString.isEmpty());
        }
        QVERIFY(features > 10);
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
        const auto camera = openFake();
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
