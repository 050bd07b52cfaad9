// Aravis's headers come first: GLib's headers must not see Qt's keyword macros.
// clang-format off
#include <arv.h>
// clang-format on

#include "genicam/genericexception.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/metatypes.h"
#include "parametercollection/valuetext.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <functional>

using namespace ParameterCollection;

namespace {

const QString role = QStringLiteral("@CameraDevice");
const QString nodeMapFile = QStringLiteral(":/aravistest/nodemap.xml");

QSharedPointer<AravisParameterCollection> openFake()
{
    return AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
}

QString fromUtf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

/// What Aravis itself answers for one feature, read through its own API.
struct AravisAnswer
{
    bool implemented = false;
    bool available = false;
    bool locked = false;
    int accessMode = -1;
    int visibility = -1;
    QString displayName;
    QString description;
    QString tooltip;
    bool valueRead = false;
    qint64 intValue = 0, intMin = 0, intMax = 0, intInc = 0;
    double floatValue = 0.0, floatMin = 0.0, floatMax = 0.0, floatInc = 0.0;
    qint64 precision = 0;
    QString unit;
    bool boolValue = false;
    QString text;
    QStringList entries; // available entries in Aravis's order
};

AravisAnswer askAravis(const AravisParameterCollection& collection, const QString& name)
{
    AravisAnswer a;
    collection.withGenicam([&](ArvGc* gc) {
        ArvGcNode* node = arv_gc_get_node(gc, name.toUtf8().constData());
        if (!node || !ARV_IS_GC_FEATURE_NODE(node))
            return;
        ArvGcFeatureNode* f = ARV_GC_FEATURE_NODE(node);
        a.implemented = arv_gc_feature_node_is_implemented(f, nullptr);
        a.available = arv_gc_feature_node_is_available(f, nullptr);
        a.locked = arv_gc_feature_node_is_locked(f, nullptr);
        a.accessMode = arv_gc_feature_node_get_actual_access_mode(f);
        a.visibility = arv_gc_feature_node_get_visibility(f);
        a.displayName = fromUtf8(arv_gc_feature_node_get_display_name(f));
        a.description = fromUtf8(arv_gc_feature_node_get_description(f));
        a.tooltip = fromUtf8(arv_gc_feature_node_get_tooltip(f));
        GError* error = nullptr;
        if (ARV_IS_GC_ENUMERATION(node)) {
            a.text = fromUtf8(arv_gc_enumeration_get_string_value(ARV_GC_ENUMERATION(node), &error));
            guint n = 0;
            GError* entriesError = nullptr;
            const char** values
                = arv_gc_enumeration_dup_available_string_values(ARV_GC_ENUMERATION(node), &n, &entriesError);
            for (guint i = 0; values && i < n; ++i)
                a.entries << fromUtf8(values[i]);
            g_free(values);
            g_clear_error(&entriesError);
        } else if (ARV_IS_GC_BOOLEAN(node)) {
            a.boolValue = arv_gc_boolean_get_value(ARV_GC_BOOLEAN(node), &error);
        } else if (ARV_IS_GC_INTEGER(node) && !ARV_IS_GC_COMMAND(node)) {
            a.intValue = arv_gc_integer_get_value(ARV_GC_INTEGER(node), &error);
            a.intMin = arv_gc_integer_get_min(ARV_GC_INTEGER(node), nullptr);
            a.intMax = arv_gc_integer_get_max(ARV_GC_INTEGER(node), nullptr);
            a.intInc = arv_gc_integer_get_inc(ARV_GC_INTEGER(node), nullptr);
            a.unit = fromUtf8(arv_gc_integer_get_unit(ARV_GC_INTEGER(node)));
        } else if (ARV_IS_GC_FLOAT(node)) {
            a.floatValue = arv_gc_float_get_value(ARV_GC_FLOAT(node), &error);
            a.floatMin = arv_gc_float_get_min(ARV_GC_FLOAT(node), nullptr);
            a.floatMax = arv_gc_float_get_max(ARV_GC_FLOAT(node), nullptr);
            a.floatInc = arv_gc_float_get_inc(ARV_GC_FLOAT(node), nullptr);
            a.precision = arv_gc_float_get_display_precision(ARV_GC_FLOAT(node));
            a.unit = fromUtf8(arv_gc_float_get_unit(ARV_GC_FLOAT(node)));
        } else if (ARV_IS_GC_STRING(node)) {
            a.text = fromUtf8(arv_gc_string_get_value(ARV_GC_STRING(node), &error));
        }
        a.valueRead = error == nullptr;
        g_clear_error(&error);
    });
    return a;
}

/// Writes a value with Aravis directly, past the collection.
void writeWithAravis(const AravisParameterCollection& collection, const QString& name, qint64 value)
{
    collection.withGenicam([&](ArvGc* gc) {
        GError* error = nullptr;
        arv_gc_integer_set_value(ARV_GC_INTEGER(arv_gc_get_node(gc, name.toUtf8().constData())), value, &error);
        QVERIFY2(!error, error ? error->message : "");
        g_clear_error(&error);
    });
}

/// Feature names under a category as Aravis lists them, depth first.
QStringList walkWithAravis(const AravisParameterCollection& collection, const char* category)
{
    QStringList names;
    collection.withGenicam([&](ArvGc* gc) {
        std::function<void(const char*)> walk = [&](const char* name) {
            ArvGcNode* node = arv_gc_get_node(gc, name);
            if (!node)
                return;
            names << QString::fromUtf8(name);
            if (ARV_IS_GC_CATEGORY(node)) {
                for (const GSList* l = arv_gc_category_get_features(ARV_GC_CATEGORY(node)); l; l = l->next)
                    walk(static_cast<const char*>(l->data));
            }
        };
        walk(category);
    });
    return names;
}

/// The same walk through the collection.
QStringList walkWithCollection(IParameterCollection& collection, const QString& fullName)
{
    QStringList names { fullName.mid(role.size() + 1) };
    for (const QString& child : collection.getChildren(fullName, 0, true))
        names << walkWithCollection(collection, child);
    return names;
}

/// Runs `write` and returns the class of the GenICam exception it threw and
/// its description; empty when it threw none.
QPair<QString, QString> exceptionOf(const std::function<void()>& write)
{
    try {
        write();
    } catch (const GenICam::OutOfRangeException& e) {
        return { QStringLiteral("OutOfRange"), QString::fromUtf8(e.GetDescription()) };
    } catch (const GenICam::AccessException& e) {
        return { QStringLiteral("Access"), QString::fromUtf8(e.GetDescription()) };
    } catch (const GenICam::InvalidArgumentException& e) {
        return { QStringLiteral("InvalidArgument"), QString::fromUtf8(e.GetDescription()) };
    } catch (const GenICam::LogicalErrorException& e) {
        return { QStringLiteral("LogicalError"), QString::fromUtf8(e.GetDescription()) };
    } catch (const GenICam::GenericException& e) {
        return { QStringLiteral("Generic"), QString::fromUtf8(e.GetDescription()) };
    }
    return {};
}

QSharedPointer<const ParameterData> lastReport(const QSignalSpy& spy)
{
    return spy.isEmpty() ? nullptr : spy.last().at(0).value<QSharedPointer<const ParameterData>>();
}

GenApi::EVisibility genApiVisibility(int aravisVisibility)
{
    switch (aravisVisibility) {
    case ARV_GC_VISIBILITY_INVISIBLE:
        return GenApi::Invisible;
    case ARV_GC_VISIBILITY_GURU:
        return GenApi::Guru;
    case ARV_GC_VISIBILITY_EXPERT:
        return GenApi::Expert;
    default:
        return GenApi::Beginner;
    }
}

/// Compares a snapshot of a feature with what Aravis answers for it now.
void compareWithAravis(const AravisParameterCollection& collection, const QSharedPointer<IParameter>& p,
                       const ParameterData& d)
{
    const AravisAnswer a = askAravis(collection, d.name);
    QCOMPARE(d.visibility, int(genApiVisibility(a.visibility)));
    QCOMPARE(d.isImplemented, a.implemented);
    QCOMPARE(d.isAvailable, a.implemented && a.available);
    const bool readable = a.accessMode == ARV_GC_ACCESS_MODE_RO || a.accessMode == ARV_GC_ACCESS_MODE_RW;
    const bool writable
        = (a.accessMode == ARV_GC_ACCESS_MODE_WO || a.accessMode == ARV_GC_ACCESS_MODE_RW) && !a.locked && a.available;
    QCOMPARE(d.isReadable, readable && a.available);
    QCOMPARE(d.isWritable, writable);
    QCOMPARE(p->isWritable(), writable);
    const auto properties = p->getProperties();
    QCOMPARE(properties->getProperty(QStringLiteral("DisplayName")), a.displayName.isEmpty() ? d.name : a.displayName);
    QCOMPARE(properties->getProperty(QStringLiteral("Description")), a.description);
    QCOMPARE(properties->getProperty(QStringLiteral("Tooltip")), a.tooltip);

    switch (d.type) {
    case TypeInteger:
        QVERIFY(a.valueRead);
        QCOMPARE(d.intValue, a.intValue);
        QCOMPARE(d.intMin, a.intMin);
        QCOMPARE(d.intMax, a.intMax);
        QCOMPARE(d.intInc, a.intInc);
        QCOMPARE(d.valueString, ValueText::formatInteger(a.intValue, d.representation));
        QCOMPARE(qSharedPointerDynamicCast<IIntegerParameter>(p)->getValue(), a.intValue);
        QCOMPARE(properties->getProperty(QStringLiteral("Unit")), a.unit);
        break;
    case TypeFloat:
        QVERIFY(a.valueRead);
        QCOMPARE(d.floatValue, a.floatValue);
        QCOMPARE(d.floatMin, a.floatMin);
        QCOMPARE(d.floatMax, a.floatMax);
        QCOMPARE(d.hasFloatInc, a.floatInc != DBL_MIN);
        QCOMPARE(d.displayPrecision, a.precision);
        QCOMPARE(d.valueString, ValueText::formatFloat(a.floatValue, a.precision));
        QCOMPARE(qSharedPointerDynamicCast<IFloatParameter>(p)->getMaximum(), a.floatMax);
        break;
    case TypeBoolean:
        QCOMPARE(d.boolValue, a.boolValue);
        QCOMPARE(qSharedPointerDynamicCast<IBooleanParameter>(p)->getValue(), a.boolValue);
        break;
    case TypeString:
        QCOMPARE(d.valueString, a.text);
        break;
    case TypeEnumeration:
        QCOMPARE(d.valueString, a.text);
        QCOMPARE(qSharedPointerDynamicCast<IEnumParameter>(p)->getValue(), a.text);
        QCOMPARE(QSet<QString>(d.enumEntryNames.begin(), d.enumEntryNames.end()),
                 QSet<QString>(a.entries.begin(), a.entries.end()));
        QCOMPARE(d.enumEntryNames.size(), a.entries.size());
        QCOMPARE(d.enumEntryDisplayNames.size(), d.enumEntryNames.size());
        break;
    case TypeCommand:
        QVERIFY(qSharedPointerDynamicCast<ICommandParameter>(p));
        break;
    case TypeCategory:
        QVERIFY(d.valueString.isEmpty());
        break;
    default:
        QFAIL("A feature without a type");
    }
}

} // namespace

class TestAravisParameterCollection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerMetaTypes(); }

    // The fake camera, compared with Aravis's own answers (dependents also on the XML file).
    void opensAndWalksTheFakeCamera()
    {
        QElapsedTimer timer;
        timer.start();
        const auto camera = openFake();
        // In-process, without waiting for network discovery.
        QVERIFY2(timer.elapsed() < 900, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(camera->hasDevice());
        QCOMPARE(camera->getRoleName(), role);
        QCOMPARE(camera->deviceClass(), QStringLiteral("CamEmu"));
        QVERIFY(camera->getParameter(QStringLiteral("NoSuchFeature")).isNull());
        const auto devices = AravisParameterCollection::listDevices(true);
        QVERIFY(std::any_of(devices.begin(), devices.end(), [](const AravisDeviceInfo& d) {
            return d.id == AravisParameterCollection::fakeCameraId();
        }));
        QVERIFY_EXCEPTION_THROWN(AravisParameterCollection::openDevice(QStringLiteral("Fake_no_such_camera")),
                                 GenICam::RuntimeException);

        QCOMPARE(walkWithCollection(*camera, role + QStringLiteral("/Root")), walkWithAravis(*camera, "Root"));
        QVERIFY(camera->getChildren(role + QStringLiteral("/Width"), 0, true).isEmpty());
        QVERIFY_EXCEPTION_THROWN(camera->getChildren(QStringLiteral("Nowhere"), 0, true),
                                 GenICam::InvalidArgumentException);
    }

    void snapshotsMatchAravis_data()
    {
        QTest::addColumn<QString>("name");
        const auto camera = openFake();
        for (const QString& name : walkWithAravis(*camera, "Root"))
            QTest::newRow(qPrintable(name)) << name;
    }

    void snapshotsMatchAravis()
    {
        QFETCH(QString, name);
        const auto camera = openFake();
        const QSharedPointer<IParameter> p = camera->getParameter(name);
        QVERIFY(p);
        QCOMPARE(p->getFullName(), role + QLatin1Char('/') + name);
        const auto d = p->getParameterData();
        QCOMPARE(d->name, name);
        if (d->type == TypeCommand)
            QVERIFY(d->boolValue); // never executed: done
        compareWithAravis(*camera, p, *d);
    }

    void writes_data()
    {
        // `expected` is the value text after an accepted write, or a part of the
        // message of a refused one.
        QTest::addColumn<bool>("device");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, bool device, const char* name, const QString& text, const char* refusal,
                            const QString& expected) {
            QTest::newRow(tag) << device << QString::fromLatin1(name) << text << QString::fromLatin1(refusal)
                               << expected;
        };
        // The fake camera.
        row("integer", true, "Width", "320", "", "320");
        row("float through a converter", true, "ExposureTimeAbs", "2500", "", "2500.000000");
        row("enumeration with spaces", true, "AcquisitionMode", " SingleFrame ", "", "SingleFrame");
        row("boolean", true, "TestBoolean", "1", "", "1");
        row("boolean off", true, "TestBoolean", "false", "", "0");
        row("string register", true, "TestStringReg", "hello aravis", "", "hello aravis");
        row("integer register", true, "TestRegister", "0x1234", "", "4660");
        row("above the maximum", true, "Width", "100000", "OutOfRange", "maximum");
        row("float below the minimum", true, "ExposureTimeAbs", "1", "OutOfRange", "minimum");
        row("unknown entry", true, "PixelFormat", "Mono99", "InvalidArgument", "Mono99");
        row("no number", true, "Width", "wide", "InvalidArgument", "wide");
        row("command", true, "AcquisitionStart", "1", "LogicalError", "execute");
        // The XML file's literal features.
        row("integer on the increment", false, "Width", "656", "", "656");
        row("integer off the increment", false, "Width", "650", "OutOfRange", "");
        row("integer above its pMax", false, "Height", "2000", "OutOfRange", "");
        row("hex integer", false, "DeviceFlags", "ff", "", "0xFF");
        row("IPv4 integer", false, "CurrentIPAddress", "10.0.0.2", "", "10.0.0.2");
        row("float on the increment", false, "Gain", "2.5", "", "2.500000");
        row("float off the increment", false, "Gain", "0.7", "OutOfRange", "");
        row("float not finite", false, "ExposureTime", "nan", "InvalidArgument", "");
        row("boolean word", false, "ReverseX", "on", "", "1");
        // 8-bit text: the UTF-8 bytes of "Camera \u00e4", one character each.
        row("string", false, "DeviceUserName", QString::fromLatin1("Camera \xc3\xa4"), "",
            QString::fromUtf8("Camera \xc3\xa4"));
        row("enumeration", false, "PixelFormat", "RGB8", "", "RGB8");
        row("unavailable entry", false, "PixelFormat", "Mono16", "InvalidArgument", "");
        row("read-only formula", false, "PayloadSize", "1", "Access", "read only");
        row("unimplemented", false, "FutureFeature", "4", "Access", "not implemented");
        row("unavailable", false, "TriggerDelay", "4", "Access", "not available");
        row("category", false, "Root", "1", "LogicalError", "");
        row("register without device", false, "DeviceUserID", "x", "Access", "No device");
    }

    void writes()
    {
        QFETCH(bool, device);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        QFETCH(QString, expected);
        const auto collection = device ? openFake() : AravisParameterCollection::openXmlFile(nodeMapFile);
        const QSharedPointer<IParameter> p = collection->getParameter(name);
        const auto before = p->getParameterData();
        QSignalSpy spy(p.data(), &IParameter::parameterDataChangedDecoupled);
        const auto thrown = exceptionOf([&] { p->setValue(text); });
        QCOMPARE(thrown.first, refusal);
        const auto after = p->getParameterData();
        if (refusal.isEmpty()) {
            QCOMPARE(after->valueString, expected);
            compareWithAravis(*collection, p, *after);
            if (QTest::currentTestFailed())
                return;
            // A change is reported once, with the new snapshot; no change, no report.
            QCOMPARE(spy.count(), *before == *after ? 0 : 1);
            if (!spy.isEmpty())
                QCOMPARE(*lastReport(spy), *after);
        } else {
            QVERIFY2(thrown.second.contains(expected, Qt::CaseInsensitive), qPrintable(thrown.second));
            QCOMPARE(*after, *before);
            QCOMPARE(spy.count(), 0);
        }
    }

    void dependentsFollowWrites_data()
    {
        QTest::addColumn<QString>("source"); // the fake camera, the XML file, or the fake camera serving it
        QTest::addColumn<QString>("preset"); // written to the dependent first
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("dependent");
        QTest::addColumn<QString>("unrelated");
        const auto row = [](const char* tag, const char* source, const char* preset, const char* written,
                            const char* text, const char* dependent, const char* unrelated) {
            QTest::newRow(tag) << QString::fromLatin1(source) << QString::fromLatin1(preset)
                               << QString::fromLatin1(written) << QString::fromLatin1(text)
                               << QString::fromLatin1(dependent) << QString::fromLatin1(unrelated);
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
        const QString path = dir.filePath(QStringLiteral("nodemap.xml"));
        QVERIFY(QFile::copy(nodeMapFile, path));
        const auto collection = source == QLatin1String("camera") ? openFake()
            : source == QLatin1String("xml")                      ? AravisParameterCollection::openXmlFile(nodeMapFile)
                                                                  : AravisParameterCollection::openFakeCamera(path);
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
        QVERIFY(!(*after == *before));
        compareWithAravis(*collection, p, *after);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(unrelatedSpy.count(), 0);
        // Writing its own value again is refused exactly when it is not writable.
        QCOMPARE(exceptionOf([&] { p->setValue(after->valueString); }).first,
                 after->isWritable ? QString() : QStringLiteral("Access"));
        // The next fake camera serves Aravis's own XML again.
        QVERIFY(!openFake()->hasParameter(QStringLiteral("TestValueMirror")));
    }

    void pollsTheSnapshotsInUse()
    {
        const auto camera = openFake();
        const auto gain = camera->getParameter(QStringLiteral("GainRaw"));
        const auto height = camera->getParameter(QStringLiteral("Height"));
        const qint64 before = gain->getParameterData()->intValue;
        QSignalSpy gainSpy(gain.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy heightSpy(height.data(), &IParameter::parameterDataChangedDecoupled);
        // The camera changes by itself: nobody has seen Height yet, GainRaw is in use.
        writeWithAravis(*camera, QStringLiteral("GainRaw"), before == 3 ? 4 : 3);
        writeWithAravis(*camera, QStringLiteral("Height"), 100);
        camera->poll(300);
        QCOMPARE(gainSpy.count(), 1);
        QCOMPARE(lastReport(gainSpy)->intValue, askAravis(*camera, QStringLiteral("GainRaw")).intValue);
        QCOMPARE(heightSpy.count(), 0);
        camera->poll(300);
        QCOMPARE(gainSpy.count(), 1);
        // Refresh reads everything in use again: now Height too once it was seen.
        height->getParameterData();
        writeWithAravis(*camera, QStringLiteral("Height"), 120);
        camera->refresh();
        QCOMPARE(heightSpy.count(), 1);
        QCOMPARE(lastReport(heightSpy)->intValue, qint64(120));
    }

    void keepsHandlesSafeAfterTheCollectionIsGone()
    {
        auto camera = openFake();
        const QSharedPointer<IParameter> width = camera->getParameter(QStringLiteral("Width"));
        QVERIFY(!width->isNull());
        camera.reset();
        QVERIFY(width->isNull());
        QVERIFY(!width->acceptsProperties());
        QVERIFY_EXCEPTION_THROWN(width->getParameterData(), GenICam::AccessException);
        QVERIFY_EXCEPTION_THROWN(width->setValue(QStringLiteral("1")), GenICam::AccessException);
    }

    // A hand-written GenICam XML file without a device.
    void readsTheXmlFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("visibility");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("representation");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("displayName");
        QTest::addColumn<QString>("docuURL");
        QTest::addColumn<bool>("writable");
        const auto row = [](const char* name, ParameterType type, const char* visibility, const char* value,
                            const char* representation, const char* unit, const char* displayName, const char* docuURL,
                            bool writable) {
            QTest::newRow(name) << QString::fromLatin1(name) << int(type) << QString::fromLatin1(visibility)
                                << QString::fromLatin1(value) << QString::fromLatin1(representation)
                                << QString::fromLatin1(unit) << QString::fromUtf8(displayName)
                                << QString::fromLatin1(docuURL) << writable;
        };
        row("Width", TypeInteger, "Beginner", "640", "Linear", "px", "Image Width", "https://example.com/docs/Width",
            true);
        row("Height", TypeInteger, "Expert", "480", "PureNumber", "", "Height", "", true);
        row("PayloadSize", TypeInteger, "Guru", "307200", "", "", "PayloadSize", "", false);
        row("HeightMax", TypeInteger, "Invisible", "1024", "", "", "HeightMax", "", true);
        row("DeviceFlags", TypeInteger, "Beginner", "0x1F", "HexNumber", "", "DeviceFlags", "", true);
        row("CurrentIPAddress", TypeInteger, "Beginner", "192.168.1.1", "IPV4Address", "", "CurrentIPAddress", "",
            true);
        row("MacAddress", TypeInteger, "Beginner", "00:30:15:1A:2B:3C", "MACAddress", "", "MacAddress", "", true);
        row("AcquisitionLocked", TypeInteger, "Beginner", "0", "Boolean", "", "AcquisitionLocked", "", true);
        row("ExposureTime", TypeFloat, "Beginner", "5000.0", "Logarithmic", "us", "Exposure Time",
            "https://example.com/docs/ExposureTime", true);
        row("Gain", TypeFloat, "Expert", "1.500000", "Linear", "dB", "Gain", "", true);
        row("PixelFormat", TypeEnumeration, "Beginner", "Mono8", "", "", "Pixel Format", "", true);
        row("ReverseX", TypeBoolean, "Beginner", "0", "", "", "Reverse X", "", true);
        row("DeviceUserName", TypeString, "Beginner", "Orvik", "", "", "DeviceUserName", "", true);
        row("AcquisitionStart", TypeCommand, "Beginner", "", "", "", "AcquisitionStart", "", true);
        row("ImageFormatControl", TypeCategory, "Beginner", "", "", "", "Image Format Control", "", false);
    }

    void readsTheXmlFile()
    {
        QFETCH(QString, name);
        QFETCH(int, type);
        QFETCH(QString, visibility);
        QFETCH(QString, value);
        QFETCH(QString, representation);
        QFETCH(QString, unit);
        QFETCH(QString, displayName);
        QFETCH(QString, docuURL);
        QFETCH(bool, writable);
        const auto map = AravisParameterCollection::openXmlFile(nodeMapFile);
        const auto p = map->getParameter(role + QLatin1Char('/') + name);
        QVERIFY(p);
        const auto d = p->getParameterData();
        QCOMPARE(d->type, type);
        QCOMPARE(ValueText::formatVisibility(p->getVisibility()), visibility);
        QCOMPARE(d->valueString, value);
        QCOMPARE(d->representation, representation);
        QCOMPARE(d->isWritable, writable);
        const auto properties = p->getProperties();
        QCOMPARE(properties->getProperty(QStringLiteral("Visibility")), visibility);
        QCOMPARE(properties->getProperty(QStringLiteral("Unit")), unit);
        QCOMPARE(properties->getProperty(QStringLiteral("DisplayName")), displayName);
        QCOMPARE(properties->getProperty(QStringLiteral("DocuURL"), QStringLiteral("none")),
                 docuURL.isEmpty() ? QStringLiteral("none") : docuURL);
    }

    void describesTheXmlFile()
    {
        const auto map = AravisParameterCollection::openXmlFile(nodeMapFile);
        QVERIFY(!map->hasDevice());
        QCOMPARE(map->deviceClass(), QStringLiteral("GenICam"));
        QCOMPARE(map->deviceInfo().model, QStringLiteral("OrvikTestCamera"));
        // Entries and categories in the order of the XML; Mono16 is not available, RGB8 has no display name.
        const auto d = map->getParameter(QStringLiteral("PixelFormat"))->getParameterData();
        QCOMPARE(d->enumEntryNames, QStringList({ "Mono8", "Mono12", "RGB8" }));
        QCOMPARE(d->enumEntryDisplayNames, QStringList({ "Mono 8", "Mono 12", "RGB8" }));
        QCOMPARE(d->intValue, qint64(17301505));
        QCOMPARE(map->getChildren(role + QStringLiteral("/Root"), 0, true),
                 QStringList({ role + "/ImageFormatControl", role + "/AcquisitionControl", role + "/DeviceControl",
                               role + "/RegisterControl" }));
        // Registers cannot be read without a device, and the typed read says why in Aravis's words.
        const auto value = map->getParameter(QStringLiteral("TestValue"));
        QVERIFY(!value->getParameterData()->isReadable);
        QVERIFY(value->getParameterData()->valueString.isEmpty());
        const auto read = exceptionOf([&] { qSharedPointerDynamicCast<IIntegerParameter>(value)->getValue(); });
        QCOMPARE(read.first, QStringLiteral("Access"));
        QVERIFY2(read.second.contains(QLatin1String("No device")), qPrintable(read.second));
    }

    void offersTheFloatAlias()
    {
        const auto map = AravisParameterCollection::openXmlFile(nodeMapFile);
        const QString alias = role + QStringLiteral("/ExposureTime/Alias");
        QVERIFY(!map->hasParameter(role + QStringLiteral("/Gain/Alias")));
        const auto p = qSharedPointerDynamicCast<IIntegerParameter>(map->getParameter(alias));
        QVERIFY(p);
        QCOMPARE(p->getFullName(), alias);
        QCOMPARE(p->getValue(), askAravis(*map, QStringLiteral("ExposureTimeRaw")).intValue);
        // Writing the alias writes its integer and is reported for both names.
        const auto raw = map->getParameter(QStringLiteral("ExposureTimeRaw"));
        raw->getParameterData();
        p->getParameterData();
        QSignalSpy rawSpy(raw.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy aliasSpy(p.data(), &IParameter::parameterDataChangedDecoupled);
        p->setValue(1234, true);
        QCOMPARE(askAravis(*map, QStringLiteral("ExposureTimeRaw")).intValue, qint64(1234));
        QCOMPARE(rawSpy.count(), 1);
        QCOMPARE(aliasSpy.count(), 1);
        QCOMPARE(lastReport(aliasSpy)->name, QStringLiteral("ExposureTime/Alias"));
    }

    void tracksCommandsUntilDone()
    {
        const auto map = AravisParameterCollection::openXmlFile(nodeMapFile);
        const auto start
            = qSharedPointerDynamicCast<ICommandParameter>(map->getParameter(QStringLiteral("AcquisitionStart")));
        QVERIFY(start->getParameterData()->boolValue);
        QSignalSpy spy(start.data(), &IParameter::parameterDataChangedDecoupled);
        start->execute(true);
        // The command value reads back: busy.
        QVERIFY(!start->isDone());
        QCOMPARE(spy.count(), 1);
        QVERIFY(!lastReport(spy)->boolValue);
        start->setState(false);
        // The device clears it: done, and the poll reports it.
        writeWithAravis(*map, QStringLiteral("AcquisitionStartValue"), 0);
        map->poll(300);
        QCOMPARE(spy.count(), 2);
        QVERIFY(lastReport(spy)->boolValue);
        QVERIFY(start->isDone());
        // A command that never clears counts as done after the timeout.
        map->setCommandTimeout(50);
        start->execute(true);
        QVERIFY(!start->isDone());
        QTRY_VERIFY_WITH_TIMEOUT(start->isDone(), 2000);
    }

    void pollsByPollingTime()
    {
        const auto map = AravisParameterCollection::openXmlFile(nodeMapFile);
        const auto uptime = map->getParameter(QStringLiteral("Uptime"));
        const auto width = map->getParameter(QStringLiteral("Width"));
        uptime->getParameterData();
        width->getParameterData();
        QSignalSpy uptimeSpy(uptime.data(), &IParameter::parameterDataChangedDecoupled);
        QSignalSpy widthSpy(width.data(), &IParameter::parameterDataChangedDecoupled);
        writeWithAravis(*map, QStringLiteral("Uptime"), 77);
        writeWithAravis(*map, QStringLiteral("Width"), 800);
        // A PollingTime of 1000 ms: read on the fourth poll of 300 ms, not before.
        for (int i = 0; i < 3; ++i) {
            map->poll(300);
            QCOMPARE(uptimeSpy.count(), 0);
        }
        map->poll(300);
        QCOMPARE(uptimeSpy.count(), 1);
        QCOMPARE(lastReport(uptimeSpy)->intValue, qint64(77));
        // A node map with polling times polls nothing else; refresh reads all.
        QCOMPARE(widthSpy.count(), 0);
        map->refresh();
        QCOMPARE(widthSpy.count(), 1);
        QCOMPARE(lastReport(widthSpy)->intValue, qint64(800));
    }

    void appliesImposedProperties_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("visibility");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("writable");
        QTest::newRow("guru") << "Visibility" << QStringLiteral("Guru") << int(GenApi::Guru) << true << true;
        QTest::newRow("read only") << "AccessMode" << QStringLiteral("RO") << int(GenApi::Beginner) << true << false;
        QTest::newRow("not available") << "AccessMode" << QStringLiteral("NA") << int(GenApi::Beginner) << false
                                       << false;
        QTest::newRow("write only") << "AccessMode" << QStringLiteral("WO") << int(GenApi::Beginner) << false << true;
    }

    void appliesImposedProperties()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, visibility);
        QFETCH(bool, readable);
        QFETCH(bool, writable);
        const auto map = AravisParameterCollection::openXmlFile(nodeMapFile);
        const auto width = map->getParameter(QStringLiteral("Width"));
        width->getParameterData();
        QSignalSpy spy(width.data(), &IParameter::parameterDataChangedDecoupled);
        QVERIFY(width->acceptsProperties());
        width->getProperties()->setProperty(key, value);
        QCOMPARE(width->getProperties()->getProperty(key), value);
        QCOMPARE(spy.count(), 1);
        const auto d = width->getParameterData();
        QCOMPARE(d->visibility, visibility);
        QCOMPARE(d->isReadable, readable);
        QCOMPARE(d->isWritable, writable);
        QCOMPARE(d->isAvailable, readable || writable);
        QCOMPARE(exceptionOf([&] { width->setValue("656"); }).first, writable ? QString() : QStringLiteral("Access"));
        QCOMPARE(exceptionOf([&] { width->getProperties()->setProperty(key, QStringLiteral("Sometimes")); }).first,
                 QStringLiteral("InvalidArgument"));
        QCOMPARE(exceptionOf([&] {
                     width->getProperties()->setProperty(QStringLiteral("Unit"), QStringLiteral("m"));
                 }).first,
                 QStringLiteral("LogicalError"));
    }

    void refusesBadXml_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("message");
        QTest::newRow("mismatched tags") << ":/aravistest/malformed.xml" << QByteArray() << "line";
        QTest::newRow("no such file") << ":/aravistest/missing.xml" << QByteArray() << "Cannot open";
        QTest::newRow("not a node map") << "" << QByteArray("<Camera><Integer Name=\"X\"/></Camera>")
                                        << "RegisterDescription";
    }

    void refusesBadXml()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, xml);
        QFETCH(QString, message);
        const auto thrown = exceptionOf([&] {
            if (file.isEmpty())
                AravisParameterCollection::fromXml(xml, QStringLiteral("inline"));
            else
                AravisParameterCollection::openXmlFile(file);
        });
        QCOMPARE(thrown.first, QStringLiteral("InvalidArgument"));
        QVERIFY2(thrown.second.contains(message), qPrintable(thrown.second));
    }

    void survivesConcurrentAccess()
    {
        const auto camera = openFake();
        const QStringList names = walkWithAravis(*camera, "Root");
        std::atomic<int> unexpected { 0 };
        std::atomic<int> reads { 0 };
        QList<QThread*> threads;
        for (int t = 0; t < 4; ++t) {
            threads << QThread::create([&, t] {
                for (int i = 0; i < 150; ++i) {
                    try {
                        const auto p = camera->getParameter(names.at((i * 7 + t) % names.size()));
                        if (p->getParameterData())
                            ++reads;
                        if ((i + t) % 3 == 0)
                            camera->poll(300);
                        else if ((i + t) % 3 == 1)
                            camera->getParameter(QStringLiteral("Width"))->setValue(QString::number(64 + (i % 32) * 8));
                        else
                            camera->getParameter(QStringLiteral("PixelFormat"))
                                ->setValue(i % 2 ? QStringLiteral("Mono8") : QStringLiteral("Mono16"));
                    } catch (const GenICam::GenericException&) {
                        // Refused writes are fine; crashes and other failures are not.
                    } catch (...) {
                        ++unexpected;
                    }
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
        QCOMPARE(camera->getParameter(QStringLiteral("PayloadSize"))->getParameterData()->intValue,
                 askAravis(*camera, QStringLiteral("PayloadSize")).intValue);
    }
};

QTEST_GUILESS_MAIN(TestAravisParameterCollection)
#include "tst_aravisparametercollection.moc"
