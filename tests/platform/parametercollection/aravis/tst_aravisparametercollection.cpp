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
#include <QXmlStreamReader>
#include <QtTest>

#include <atomic>
#include <cfloat>
#include <functional>

using namespace ParameterCollection;

namespace {

const QString role = QStringLiteral("@CameraDevice");
const QString nodeMapFile = QStringLiteral(":/aravistest/nodemap.xml");

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

/// Entry names of an enumeration in XML order, read from the XML text.
QStringList entriesInXml(const QByteArray& xml, const QString& enumeration)
{
    QXmlStreamReader reader(xml);
    QStringList entries;
    bool inside = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("Enumeration"))
            inside = reader.attributes().value(QLatin1String("Name")) == enumeration;
        else if (inside && reader.isStartElement() && reader.name() == QLatin1String("EnumEntry"))
            entries << reader.attributes().value(QLatin1String("Name")).toString();
        else if (reader.isEndElement() && reader.name() == QLatin1String("Enumeration"))
            inside = false;
    }
    return entries;
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

} // namespace

class TestAravisParameterCollection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    // The fake camera, compared with Aravis's own answers.
    void opensTheFakeCamera();
    void walksTheFakeCameraFromRoot();
    void snapshotsMatchAravis_data();
    void snapshotsMatchAravis();
    void writesAndReadsBack_data();
    void writesAndReadsBack();
    void refusesWrites_data();
    void refusesWrites();
    void reportsDependentFeatures();
    void pollsTheSnapshotsInUse();
    void keepsHandlesSafeAfterTheCollectionIsGone();

    // A hand-written GenICam XML file without a device.
    void readsTheXmlFile_data();
    void readsTheXmlFile();
    void listsEnumerationEntriesInXmlOrder();
    void offersTheFloatAlias();
    void writesLiteralFeatures_data();
    void writesLiteralFeatures();
    void reportsRegisterFeaturesWithoutDevice();
    void followsLocksAndAvailability();
    void tracksCommandsUntilDone();
    void pollsByPollingTime();
    void appliesImposedProperties_data();
    void appliesImposedProperties();
    void refusesBadXml_data();
    void refusesBadXml();

    // The XML file served by the fake camera: registers.
    void followsInvalidatorsAndSelectors();

    void survivesConcurrentAccess();

private:
    QSharedPointer<AravisParameterCollection> openXml();
};

void TestAravisParameterCollection::initTestCase()
{
    registerMetaTypes();
}

QSharedPointer<AravisParameterCollection> TestAravisParameterCollection::openXml()
{
    return AravisParameterCollection::openXmlFile(nodeMapFile);
}

void TestAravisParameterCollection::opensTheFakeCamera()
{
    QElapsedTimer timer;
    timer.start();
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    // In-process, without waiting for network discovery.
    QVERIFY2(timer.elapsed() < 900, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(camera->hasDevice());
    QCOMPARE(camera->getRoleName(), role);
    QCOMPARE(camera->deviceClass(), QStringLiteral("CamEmu"));
    QVERIFY(camera->hasParameter(role + QStringLiteral("/Root")));
    QCOMPARE(camera->getParameter(role + QStringLiteral("/Root"))->getType(), int(TypeCategory));
    QVERIFY(camera->getParameter(QStringLiteral("NoSuchFeature")).isNull());
    const AravisDeviceInfo info = camera->deviceInfo();
    QCOMPARE(info.vendor, askAravis(*camera, QStringLiteral("DeviceVendorName")).text);
    QCOMPARE(info.model, askAravis(*camera, QStringLiteral("DeviceModelName")).text);
    QVERIFY(camera->genicamXml().contains("RegisterDescription"));
    // The fake camera is among the devices Aravis lists.
    bool listed = false;
    for (const AravisDeviceInfo& d : AravisParameterCollection::listDevices(true))
        listed = listed || d.id == AravisParameterCollection::fakeCameraId();
    QVERIFY(listed);
    QVERIFY_EXCEPTION_THROWN(AravisParameterCollection::openDevice(QStringLiteral("Fake_no_such_camera")),
                             GenICam::RuntimeException);
}

void TestAravisParameterCollection::walksTheFakeCameraFromRoot()
{
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    QCOMPARE(walkWithCollection(*camera, role + QStringLiteral("/Root")), walkWithAravis(*camera, "Root"));
    // A feature has no children; an unknown name is an error.
    QVERIFY(camera->getChildren(role + QStringLiteral("/Width"), 0, true).isEmpty());
    QVERIFY_EXCEPTION_THROWN(camera->getChildren(QStringLiteral("Nowhere"), 0, true),
                             GenICam::InvalidArgumentException);
}

void TestAravisParameterCollection::snapshotsMatchAravis_data()
{
    QTest::addColumn<QString>("name");
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    for (const QString& name : walkWithAravis(*camera, "Root"))
        QTest::newRow(qPrintable(name)) << name;
}

void TestAravisParameterCollection::snapshotsMatchAravis()
{
    QFETCH(QString, name);
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    const QSharedPointer<IParameter> p = camera->getParameter(name);
    QVERIFY(p);
    QCOMPARE(p->getFullName(), role + QLatin1Char('/') + name);
    const auto d = p->getParameterData();
    const AravisAnswer a = askAravis(*camera, name);
    QCOMPARE(d->name, name);
    QCOMPARE(d->visibility, int(genApiVisibility(a.visibility)));
    QCOMPARE(int(p->getVisibility()), d->visibility);
    QCOMPARE(d->isImplemented, a.implemented);
    QCOMPARE(d->isAvailable, a.implemented && a.available);
    const bool readable = a.accessMode == ARV_GC_ACCESS_MODE_RO || a.accessMode == ARV_GC_ACCESS_MODE_RW;
    const bool writable
        = (a.accessMode == ARV_GC_ACCESS_MODE_WO || a.accessMode == ARV_GC_ACCESS_MODE_RW) && !a.locked && a.available;
    QCOMPARE(d->isReadable, readable && a.available);
    QCOMPARE(d->isWritable, writable);
    QCOMPARE(p->isWritable(), writable);
    const auto properties = p->getProperties();
    QCOMPARE(properties->getProperty(QStringLiteral("DisplayName")), a.displayName.isEmpty() ? name : a.displayName);
    QCOMPARE(properties->getProperty(QStringLiteral("Description")), a.description);
    QCOMPARE(properties->getProperty(QStringLiteral("Tooltip")), a.tooltip);

    switch (d->type) {
    case TypeInteger:
        QVERIFY(a.valueRead);
        QCOMPARE(d->intValue, a.intValue);
        QCOMPARE(d->intMin, a.intMin);
        QCOMPARE(d->intMax, a.intMax);
        QCOMPARE(d->intInc, a.intInc);
        QCOMPARE(d->valueString, ValueText::formatInteger(a.intValue, d->representation));
        QCOMPARE(qSharedPointerDynamicCast<IIntegerParameter>(p)->getValue(), a.intValue);
        QCOMPARE(properties->getProperty(QStringLiteral("Unit")), a.unit);
        break;
    case TypeFloat:
        QVERIFY(a.valueRead);
        QCOMPARE(d->floatValue, a.floatValue);
        QCOMPARE(d->floatMin, a.floatMin);
        QCOMPARE(d->floatMax, a.floatMax);
        QCOMPARE(d->hasFloatInc, a.floatInc != DBL_MIN);
        QCOMPARE(d->displayPrecision, a.precision);
        QCOMPARE(d->valueString, ValueText::formatFloat(a.floatValue, a.precision));
        QCOMPARE(qSharedPointerDynamicCast<IFloatParameter>(p)->getMaximum(), a.floatMax);
        break;
    case TypeBoolean:
        QCOMPARE(d->boolValue, a.boolValue);
        QCOMPARE(qSharedPointerDynamicCast<IBooleanParameter>(p)->getValue(), a.boolValue);
        break;
    case TypeString:
        QCOMPARE(d->valueString, a.text);
        break;
    case TypeEnumeration: {
        QCOMPARE(d->valueString, a.text);
        QCOMPARE(qSharedPointerDynamicCast<IEnumParameter>(p)->getValue(), a.text);
        // The same entries as Aravis's, in the order of the XML.
        QStringList sorted = d->enumEntryNames;
        QStringList expected = a.entries;
        sorted.sort();
        expected.sort();
        QCOMPARE(sorted, expected);
        QStringList inXml = entriesInXml(camera->genicamXml(), name);
        for (auto it = inXml.begin(); it != inXml.end();)
            it = d->enumEntryNames.contains(*it) ? it + 1 : inXml.erase(it);
        QCOMPARE(d->enumEntryNames, inXml);
        QCOMPARE(d->enumEntryDisplayNames.size(), d->enumEntryNames.size());
        break;
    }
    case TypeCommand:
        QVERIFY(d->boolValue); // never executed: done
        QVERIFY(qSharedPointerDynamicCast<ICommandParameter>(p));
        break;
    case TypeCategory:
        QVERIFY(d->valueString.isEmpty());
        break;
    default:
        QFAIL("A feature under Root has no type");
    }
}

void TestAravisParameterCollection::writesAndReadsBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << "Width"
                             << "320";
    QTest::newRow("integer with maximum") << "OffsetX"
                                          << "16";
    QTest::newRow("float through a converter") << "ExposureTimeAbs"
                                               << "2500";
    QTest::newRow("enumeration") << "PixelFormat"
                                 << "Mono16";
    QTest::newRow("enumeration with spaces") << "AcquisitionMode"
                                             << " SingleFrame ";
    QTest::newRow("boolean") << "TestBoolean"
                             << "1";
    QTest::newRow("boolean off") << "TestBoolean"
                                 << "false";
    QTest::newRow("string register") << "TestStringReg"
                                     << "hello aravis";
    QTest::newRow("integer register") << "TestRegister"
                                      << "0x1234";
}

void TestAravisParameterCollection::writesAndReadsBack()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    const QSharedPointer<IParameter> p = camera->getParameter(name);
    const auto before = p->getParameterData();
    QSignalSpy spy(p.data(), &IParameter::parameterDataChangedDecoupled);
    p->setValue(text);
    const auto after = p->getParameterData();
    const AravisAnswer a = askAravis(*camera, name);
    switch (after->type) {
    case TypeInteger:
        QCOMPARE(after->intValue, ValueText::parseInteger(text, after->representation));
        QCOMPARE(a.intValue, after->intValue);
        break;
    case TypeFloat:
        QCOMPARE(after->floatValue, ValueText::parseFloat(text));
        QCOMPARE(a.floatValue, after->floatValue);
        break;
    case TypeBoolean:
        QCOMPARE(after->boolValue, ValueText::parseBoolean(text));
        QCOMPARE(a.boolValue, after->boolValue);
        break;
    case TypeEnumeration:
    case TypeString:
        QCOMPARE(after->valueString, text.trimmed());
        QCOMPARE(a.text, after->valueString);
        break;
    default:
        QFAIL("unexpected type");
    }
    // A change is reported once, with the new snapshot; no change, no report.
    QCOMPARE(spy.count(), *before == *after ? 0 : 1);
    if (!spy.isEmpty())
        QCOMPARE(*lastReport(spy), *after);
}

void TestAravisParameterCollection::refusesWrites_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("exception");
    QTest::addColumn<QString>("message");
    QTest::newRow("above the maximum") << "Width"
                                       << "100000"
                                       << "OutOfRange"
                                       << "maximum";
    QTest::newRow("below the minimum") << "BinningHorizontal"
                                       << "0"
                                       << "OutOfRange"
                                       << "minimum";
    QTest::newRow("read only register") << "SensorWidth"
                                        << "100"
                                        << "Access"
                                        << "read only";
    QTest::newRow("read only formula") << "PayloadSize"
                                       << "5"
                                       << "Access"
                                       << "read only";
    QTest::newRow("unknown entry") << "PixelFormat"
                                   << "Mono99"
                                   << "InvalidArgument"
                                   << "Mono99";
    QTest::newRow("no number") << "Width"
                               << "wide"
                               << "InvalidArgument"
                               << "wide";
    QTest::newRow("command") << "AcquisitionStart"
                             << "1"
                             << "LogicalError"
                             << "execute";
    QTest::newRow("float out of range") << "ExposureTimeAbs"
                                        << "1"
                                        << "OutOfRange"
                                        << "minimum";
}

void TestAravisParameterCollection::refusesWrites()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, exception);
    QFETCH(QString, message);
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    const QSharedPointer<IParameter> p = camera->getParameter(name);
    const auto before = p->getParameterData();
    QSignalSpy spy(p.data(), &IParameter::parameterDataChangedDecoupled);
    const auto thrown = exceptionOf([&] { p->setValue(text); });
    QCOMPARE(thrown.first, exception);
    QVERIFY2(thrown.second.contains(message, Qt::CaseInsensitive), qPrintable(thrown.second));
    QCOMPARE(*p->getParameterData(), *before);
    QCOMPARE(spy.count(), 0);
}

void TestAravisParameterCollection::reportsDependentFeatures()
{
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    const auto payload = camera->getParameter(QStringLiteral("PayloadSize"));
    const auto exposure = camera->getParameter(QStringLiteral("ExposureTimeAbs"));
    const auto payloadBefore = payload->getParameterData();
    exposure->getParameterData();
    QSignalSpy payloadSpy(payload.data(), &IParameter::parameterDataChangedDecoupled);
    QSignalSpy exposureSpy(exposure.data(), &IParameter::parameterDataChangedDecoupled);
    const qint64 width = camera->getParameter(QStringLiteral("Width"))->getParameterData()->intValue;
    qSharedPointerDynamicCast<IIntegerParameter>(camera->getParameter(QStringLiteral("Width")))
        ->setValue(width / 2, true);
    // The payload follows the width through its formula; the exposure has nothing to do with it.
    QCOMPARE(payloadSpy.count(), 1);
    QCOMPARE(lastReport(payloadSpy)->intValue, askAravis(*camera, QStringLiteral("PayloadSize")).intValue);
    QVERIFY(lastReport(payloadSpy)->intValue != payloadBefore->intValue);
    QCOMPARE(exposureSpy.count(), 0);
    // A pixel format of more bits per pixel changes the payload again.
    camera->getParameter(QStringLiteral("PixelFormat"))->setValue(QStringLiteral("Mono16"));
    QCOMPARE(payloadSpy.count(), 2);
    QCOMPARE(lastReport(payloadSpy)->intValue, askAravis(*camera, QStringLiteral("PayloadSize")).intValue);
}

void TestAravisParameterCollection::pollsTheSnapshotsInUse()
{
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
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

void TestAravisParameterCollection::keepsHandlesSafeAfterTheCollectionIsGone()
{
    auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    const QSharedPointer<IParameter> width = camera->getParameter(QStringLiteral("Width"));
    QVERIFY(!width->isNull());
    camera.reset();
    QVERIFY(width->isNull());
    QVERIFY(!width->acceptsProperties());
    QVERIFY_EXCEPTION_THROWN(width->getParameterData(), GenICam::AccessException);
    QVERIFY_EXCEPTION_THROWN(width->setValue(QStringLiteral("1")), GenICam::AccessException);
}

void TestAravisParameterCollection::readsTheXmlFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("visibility");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("representation");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("docuURL");
    QTest::addColumn<bool>("writable");

    QTest::newRow("linear integer") << "Width" << int(TypeInteger) << int(GenApi::Beginner) << "640"
                                    << "Linear"
                                    << "px"
                                    << "Image Width"
                                    << "https://example.com/docs/Width" << true;
    QTest::newRow("expert integer") << "Height" << int(TypeInteger) << int(GenApi::Expert) << "480"
                                    << "PureNumber"
                                    << ""
                                    << "Height"
                                    << "" << true;
    QTest::newRow("guru formula") << "PayloadSize" << int(TypeInteger) << int(GenApi::Guru) << "307200"
                                  << ""
                                  << ""
                                  << "PayloadSize"
                                  << "" << false;
    QTest::newRow("invisible integer") << "HeightMax" << int(TypeInteger) << int(GenApi::Invisible) << "1024"
                                       << ""
                                       << ""
                                       << "HeightMax"
                                       << "" << true;
    QTest::newRow("hex number") << "DeviceFlags" << int(TypeInteger) << int(GenApi::Beginner) << "0x1F"
                                << "HexNumber"
                                << ""
                                << "DeviceFlags"
                                << "" << true;
    QTest::newRow("IPv4 address") << "CurrentIPAddress" << int(TypeInteger) << int(GenApi::Beginner) << "192.168.1.1"
                                  << "IPV4Address"
                                  << ""
                                  << "CurrentIPAddress"
                                  << "" << true;
    QTest::newRow("MAC address") << "MacAddress" << int(TypeInteger) << int(GenApi::Beginner) << "00:30:15:1A:2B:3C"
                                 << "MACAddress"
                                 << ""
                                 << "MacAddress"
                                 << "" << true;
    QTest::newRow("boolean integer") << "AcquisitionLocked" << int(TypeInteger) << int(GenApi::Beginner) << "0"
                                     << "Boolean"
                                     << ""
                                     << "AcquisitionLocked"
                                     << "" << true;
    QTest::newRow("logarithmic float") << "ExposureTime" << int(TypeFloat) << int(GenApi::Beginner) << "5000.0"
                                       << "Logarithmic"
                                       << "us"
                                       << "Exposure Time"
                                       << "https://example.com/docs/ExposureTime" << true;
    QTest::newRow("float with increment") << "Gain" << int(TypeFloat) << int(GenApi::Expert) << "1.500000"
                                          << "Linear"
                                          << "dB"
                                          << "Gain"
                                          << "" << true;
    QTest::newRow("enumeration") << "PixelFormat" << int(TypeEnumeration) << int(GenApi::Beginner) << "Mono8"
                                 << ""
                                 << ""
                                 << "Pixel Format"
                                 << "" << true;
    QTest::newRow("boolean") << "ReverseX" << int(TypeBoolean) << int(GenApi::Beginner) << "0"
                             << ""
                             << ""
                             << "Reverse X"
                             << "" << true;
    QTest::newRow("string") << "DeviceUserName" << int(TypeString) << int(GenApi::Beginner) << "Orvik"
                            << ""
                            << ""
                            << "DeviceUserName"
                            << "" << true;
    QTest::newRow("command") << "AcquisitionStart" << int(TypeCommand) << int(GenApi::Beginner) << ""
                             << ""
                             << ""
                             << "AcquisitionStart"
                             << "" << true;
    QTest::newRow("category") << "ImageFormatControl" << int(TypeCategory) << int(GenApi::Beginner) << ""
                              << ""
                              << ""
                              << "Image Format Control"
                              << "" << false;
}

void TestAravisParameterCollection::readsTheXmlFile()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(int, visibility);
    QFETCH(QString, value);
    QFETCH(QString, representation);
    QFETCH(QString, unit);
    QFETCH(QString, displayName);
    QFETCH(QString, docuURL);
    QFETCH(bool, writable);
    const auto map = openXml();
    QVERIFY(!map->hasDevice());
    QCOMPARE(map->deviceClass(), QStringLiteral("GenICam"));
    QCOMPARE(map->deviceInfo().vendor, QStringLiteral("Orvik"));
    QCOMPARE(map->deviceInfo().model, QStringLiteral("OrvikTestCamera"));
    const auto p = map->getParameter(role + QLatin1Char('/') + name);
    QVERIFY(p);
    const auto d = p->getParameterData();
    QCOMPARE(d->type, type);
    QCOMPARE(p->getType(), type);
    QCOMPARE(d->visibility, visibility);
    QCOMPARE(d->valueString, value);
    QCOMPARE(d->representation, representation);
    QCOMPARE(d->isWritable, writable);
    QVERIFY(d->isImplemented);
    const auto properties = p->getProperties();
    QCOMPARE(properties->getProperty(QStringLiteral("Representation")), representation);
    QCOMPARE(properties->getProperty(QStringLiteral("Unit")), unit);
    QCOMPARE(properties->getProperty(QStringLiteral("DisplayName")), displayName);
    QCOMPARE(properties->getProperty(QStringLiteral("DocuURL")), docuURL);
    QCOMPARE(properties->getProperty(QStringLiteral("DocuURL"), QStringLiteral("none")),
             docuURL.isEmpty() ? QStringLiteral("none") : docuURL);
    QCOMPARE(properties->getProperty(QStringLiteral("Visibility")),
             QStringList({ "Beginner", "Expert", "Guru", "Invisible" }).at(visibility));
}

void TestAravisParameterCollection::listsEnumerationEntriesInXmlOrder()
{
    const auto map = openXml();
    const auto format = map->getParameter(QStringLiteral("PixelFormat"));
    const auto d = format->getParameterData();
    // Mono16 is not available; RGB8 has no display name.
    QCOMPARE(d->enumEntryNames, QStringList({ "Mono8", "Mono12", "RGB8" }));
    QCOMPARE(d->enumEntryDisplayNames, QStringList({ "Mono 8", "Mono 12", "RGB8" }));
    QCOMPARE(qSharedPointerDynamicCast<IEnumParameter>(format)->getEntryNames(), d->enumEntryNames);
    QCOMPARE(d->intValue, qint64(17301505));
    // Available once its condition holds: reported as a change of the enumeration.
    QSignalSpy spy(format.data(), &IParameter::parameterDataChangedDecoupled);
    map->getParameter(QStringLiteral("Mono16Available"))->setValue(QStringLiteral("1"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(lastReport(spy)->enumEntryNames, QStringList({ "Mono8", "Mono12", "RGB8", "Mono16" }));
    // The categories keep the order of the XML too.
    QCOMPARE(map->getChildren(role + QStringLiteral("/Root"), 0, true),
             QStringList({ role + "/ImageFormatControl", role + "/AcquisitionControl", role + "/DeviceControl",
                           role + "/RegisterControl" }));
}

void TestAravisParameterCollection::offersTheFloatAlias()
{
    const auto map = openXml();
    const QString alias = role + QStringLiteral("/ExposureTime/Alias");
    QVERIFY(map->hasParameter(alias));
    QVERIFY(!map->hasParameter(role + QStringLiteral("/Gain/Alias")));
    const auto p = qSharedPointerDynamicCast<IIntegerParameter>(map->getParameter(alias));
    QVERIFY(p);
    QCOMPARE(p->getFullName(), alias);
    QCOMPARE(p->getValue(), askAravis(*map, QStringLiteral("ExposureTimeRaw")).intValue);
    QCOMPARE(p->getMaximum(), askAravis(*map, QStringLiteral("ExposureTimeRaw")).intMax);
    QCOMPARE(int(p->getVisibility()), int(map->getParameter(QStringLiteral("ExposureTime"))->getVisibility()));
    QVERIFY(map->nodeNames().contains(QStringLiteral("ExposureTime/Alias")));
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

void TestAravisParameterCollection::writesLiteralFeatures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("exception");
    QTest::addColumn<QString>("stored");
    QTest::newRow("integer on the increment") << "Width"
                                              << "656"
                                              << ""
                                              << "656";
    QTest::newRow("integer off the increment") << "Width"
                                               << "650"
                                               << "OutOfRange"
                                               << "640";
    QTest::newRow("integer above its pMax") << "Height"
                                            << "2000"
                                            << "OutOfRange"
                                            << "480";
    QTest::newRow("hex integer") << "DeviceFlags"
                                 << "ff"
                                 << ""
                                 << "0xFF";
    QTest::newRow("IPv4 integer") << "CurrentIPAddress"
                                  << "10.0.0.2"
                                  << ""
                                  << "10.0.0.2";
    QTest::newRow("float on the increment") << "Gain"
                                            << "2.5"
                                            << ""
                                            << "2.500000";
    QTest::newRow("float off the increment") << "Gain"
                                             << "0.7"
                                             << "OutOfRange"
                                             << "1.500000";
    QTest::newRow("float without increment") << "ExposureTime"
                                             << "123.4"
                                             << ""
                                             << "123.4";
    QTest::newRow("float not finite") << "ExposureTime"
                                      << "nan"
                                      << "InvalidArgument"
                                      << "5000.0";
    QTest::newRow("boolean") << "ReverseX"
                             << "on"
                             << ""
                             << "1";
    // 8-bit text: the UTF-8 bytes of "Camera \u00e4", one character each.
    QTest::newRow("string") << QStringLiteral("DeviceUserName") << QString::fromLatin1("Camera \xc3\xa4") << ""
                            << QString::fromUtf8("Camera \xc3\xa4");
    QTest::newRow("enumeration") << "PixelFormat"
                                 << "RGB8"
                                 << ""
                                 << "RGB8";
    QTest::newRow("unavailable entry") << "PixelFormat"
                                       << "Mono16"
                                       << "InvalidArgument"
                                       << "Mono8";
    QTest::newRow("unknown entry") << "PixelFormat"
                                   << "Mono99"
                                   << "InvalidArgument"
                                   << "Mono8";
    QTest::newRow("read-only formula") << "PayloadSize"
                                       << "1"
                                       << "Access"
                                       << "307200";
    QTest::newRow("unimplemented") << "FutureFeature"
                                   << "4"
                                   << "Access"
                                   << "";
    QTest::newRow("unavailable") << "TriggerDelay"
                                 << "4"
                                 << "Access"
                                 << "";
    QTest::newRow("category") << "Root"
                              << "1"
                              << "LogicalError"
                              << "";
}

void TestAravisParameterCollection::writesLiteralFeatures()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, exception);
    QFETCH(QString, stored);
    const auto map = openXml();
    const auto p = map->getParameter(name);
    const auto thrown = exceptionOf([&] { p->setValue(text); });
    QCOMPARE(thrown.first, exception);
    QCOMPARE(p->getParameterData()->valueString, stored);
}

void TestAravisParameterCollection::reportsRegisterFeaturesWithoutDevice()
{
    const auto map = openXml();
    const auto value = map->getParameter(QStringLiteral("TestValue"));
    const auto d = value->getParameterData();
    QCOMPARE(d->type, int(TypeInteger));
    QVERIFY(d->isImplemented);
    QVERIFY(!d->isAvailable);
    QVERIFY(!d->isReadable);
    QVERIFY(d->valueString.isEmpty());
    // The typed read and the write say why, in Aravis's words.
    const auto read = exceptionOf([&] { qSharedPointerDynamicCast<IIntegerParameter>(value)->getValue(); });
    QCOMPARE(read.first, QStringLiteral("Access"));
    QVERIFY2(read.second.contains(QLatin1String("No device")), qPrintable(read.second));
    const auto write = exceptionOf([&] { map->getParameter(QStringLiteral("DeviceUserID"))->setValue("x"); });
    QCOMPARE(write.first, QStringLiteral("Access"));
    QVERIFY2(write.second.contains(QLatin1String("No device")), qPrintable(write.second));
}

void TestAravisParameterCollection::followsLocksAndAvailability()
{
    const auto map = openXml();
    const auto count = map->getParameter(QStringLiteral("AcquisitionFrameCount"));
    const auto delay = map->getParameter(QStringLiteral("TriggerDelay"));
    const auto future = map->getParameter(QStringLiteral("FutureFeature"));
    QVERIFY(count->getParameterData()->isWritable);
    QVERIFY(!delay->getParameterData()->isAvailable);
    QVERIFY(delay->getParameterData()->isImplemented);
    QVERIFY(!future->getParameterData()->isImplemented);
    QCOMPARE(future->getProperties()->getProperty(QStringLiteral("AccessMode")), QStringLiteral("NI"));
    QCOMPARE(delay->getProperties()->getProperty(QStringLiteral("AccessMode")), QStringLiteral("NA"));
    QVERIFY(exceptionOf([&] { future->setValue("4"); }).second.contains(QLatin1String("not implemented")));
    QVERIFY(exceptionOf([&] { delay->setValue("4"); }).second.contains(QLatin1String("not available")));

    QSignalSpy countSpy(count.data(), &IParameter::parameterDataChangedDecoupled);
    QSignalSpy delaySpy(delay.data(), &IParameter::parameterDataChangedDecoupled);
    map->getParameter(QStringLiteral("AcquisitionLocked"))->setValue(QStringLiteral("1"));
    map->getParameter(QStringLiteral("TriggerEnabled"))->setValue(QStringLiteral("1"));
    QCOMPARE(countSpy.count(), 1);
    QVERIFY(!lastReport(countSpy)->isWritable);
    QVERIFY(lastReport(countSpy)->isReadable);
    QCOMPARE(count->getProperties()->getProperty(QStringLiteral("AccessMode")), QStringLiteral("RO"));
    const auto locked = exceptionOf([&] { count->setValue("5"); });
    QCOMPARE(locked.first, QStringLiteral("Access"));
    QVERIFY2(locked.second.contains(QLatin1String("locked")), qPrintable(locked.second));
    QCOMPARE(delaySpy.count(), 1);
    QVERIFY(lastReport(delaySpy)->isAvailable);
    delay->setValue(QStringLiteral("4"));
    QCOMPARE(delay->getParameterData()->intValue, qint64(4));
}

void TestAravisParameterCollection::tracksCommandsUntilDone()
{
    const auto map = openXml();
    const auto start
        = qSharedPointerDynamicCast<ICommandParameter>(map->getParameter(QStringLiteral("AcquisitionStart")));
    QVERIFY(start->isDone());
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
    QCOMPARE(map->commandTimeout(), 50);
    start->execute(true);
    QVERIFY(!start->isDone());
    QTRY_VERIFY_WITH_TIMEOUT(start->isDone(), 2000);
    // Imposed read only: refused with verification, executed without.
    start->getProperties()->setProperty(QStringLiteral("AccessMode"), QStringLiteral("RO"));
    QCOMPARE(exceptionOf([&] { start->execute(true); }).first, QStringLiteral("Access"));
    writeWithAravis(*map, QStringLiteral("AcquisitionStartValue"), 0);
    start->execute(false);
    QCOMPARE(askAravis(*map, QStringLiteral("AcquisitionStartValue")).intValue, qint64(1));
}

void TestAravisParameterCollection::pollsByPollingTime()
{
    const auto map = openXml();
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

void TestAravisParameterCollection::appliesImposedProperties_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("visibility");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("available");
    QTest::newRow("guru") << "Visibility"
                          << "Guru" << int(GenApi::Guru) << true << true << true;
    QTest::newRow("invisible") << "Visibility"
                               << "Invisible" << int(GenApi::Invisible) << true << true << true;
    QTest::newRow("read only") << "AccessMode"
                               << "RO" << int(GenApi::Beginner) << true << false << true;
    QTest::newRow("not available") << "AccessMode"
                                   << "NA" << int(GenApi::Beginner) << false << false << false;
    QTest::newRow("write only") << "AccessMode"
                                << "WO" << int(GenApi::Beginner) << false << true << true;
}

void TestAravisParameterCollection::appliesImposedProperties()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, visibility);
    QFETCH(bool, readable);
    QFETCH(bool, writable);
    QFETCH(bool, available);
    const auto map = openXml();
    const auto width = map->getParameter(QStringLiteral("Width"));
    width->getParameterData();
    QSignalSpy spy(width.data(), &IParameter::parameterDataChangedDecoupled);
    QVERIFY(width->acceptsProperties());
    width->getProperties()->setProperty(key, value);
    QCOMPARE(width->getProperties()->getProperty(key), value);
    QCOMPARE(spy.count(), 1);
    const auto d = width->getParameterData();
    QCOMPARE(d->visibility, visibility);
    QCOMPARE(int(width->getVisibility()), visibility);
    QCOMPARE(d->isReadable, readable);
    QCOMPARE(d->isWritable, writable);
    QCOMPARE(d->isAvailable, available);
    QCOMPARE(width->isWritable(), writable);
    QCOMPARE(exceptionOf([&] { width->setValue("656"); }).first, writable ? QString() : QStringLiteral("Access"));
    QCOMPARE(exceptionOf([&] { width->getProperties()->setProperty(key, QStringLiteral("Sometimes")); }).first,
             QStringLiteral("InvalidArgument"));
    QCOMPARE(
        exceptionOf([&] { width->getProperties()->setProperty(QStringLiteral("Unit"), QStringLiteral("m")); }).first,
        QStringLiteral("LogicalError"));
}

void TestAravisParameterCollection::refusesBadXml_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("message");
    QTest::newRow("mismatched tags") << ":/aravistest/malformed.xml" << QByteArray() << "line";
    QTest::newRow("no such file") << ":/aravistest/missing.xml" << QByteArray() << "Cannot open";
    QTest::newRow("not a node map") << "" << QByteArray("<Camera><Integer Name=\"X\"/></Camera>")
                                    << "RegisterDescription";
    QTest::newRow("no root") << ""
                             << QByteArray("<RegisterDescription ModelName=\"M\" VendorName=\"V\"><Integer "
                                           "Name=\"X\"><Value>1</Value></Integer></RegisterDescription>")
                             << "Root";
    QTest::newRow("empty") << "" << QByteArray() << "line";
}

void TestAravisParameterCollection::refusesBadXml()
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

void TestAravisParameterCollection::followsInvalidatorsAndSelectors()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nodemap.xml"));
    QVERIFY(QFile::copy(nodeMapFile, path));
    const auto camera = AravisParameterCollection::openFakeCamera(path);
    QVERIFY(camera->hasDevice());
    QVERIFY(camera->hasParameter(QStringLiteral("TestValueMirror")));

    // Two registers at one address, tied by pInvalidator only.
    const auto value = camera->getParameter(QStringLiteral("TestValue"));
    const auto mirror = camera->getParameter(QStringLiteral("TestValueMirror"));
    QVERIFY(mirror->getParameterData()->isReadable);
    QSignalSpy mirrorSpy(mirror.data(), &IParameter::parameterDataChangedDecoupled);
    value->setValue(QStringLiteral("42"));
    QCOMPARE(mirrorSpy.count(), 1);
    QCOMPARE(lastReport(mirrorSpy)->intValue, qint64(42));

    // The selected feature follows its selector.
    const auto gain = camera->getParameter(QStringLiteral("GainRaw"));
    gain->setValue(QStringLiteral("5"));
    QCOMPARE(gain->getParameterData()->intValue, qint64(5));
    QSignalSpy gainSpy(gain.data(), &IParameter::parameterDataChangedDecoupled);
    camera->getParameter(QStringLiteral("GainSelector"))->setValue(QStringLiteral("Red"));
    QCOMPARE(gainSpy.count(), 1);
    QCOMPARE(lastReport(gainSpy)->intValue, askAravis(*camera, QStringLiteral("GainRaw")).intValue);
    QVERIFY(lastReport(gainSpy)->intValue != 5);

    // Register strings work with a device.
    camera->getParameter(QStringLiteral("DeviceUserID"))->setValue(QStringLiteral("abc"));
    QCOMPARE(camera->getParameter(QStringLiteral("DeviceUserID"))->getParameterData()->valueString,
             QStringLiteral("abc"));

    // The next fake camera serves Aravis's own XML again.
    const auto plain = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
    QVERIFY(plain->hasParameter(QStringLiteral("SensorWidth")));
    QVERIFY(!plain->hasParameter(QStringLiteral("TestValueMirror")));
}

void TestAravisParameterCollection::survivesConcurrentAccess()
{
    const auto camera = AravisParameterCollection::openDevice(AravisParameterCollection::fakeCameraId());
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
                    switch ((i + t) % 4) {
                    case 0:
                        camera->getParameter(QStringLiteral("Width"))->setValue(QString::number(64 + (i % 32) * 8));
                        break;
                    case 1:
                        camera->getParameter(QStringLiteral("TestStringReg"))->setValue(QStringLiteral("t%1").arg(i));
                        break;
                    case 2:
                        camera->poll(300);
                        break;
                    default:
                        camera->getParameter(QStringLiteral("PixelFormat"))
                            ->setValue(i % 2 ? QStringLiteral("Mono8") : QStringLiteral("Mono16"));
                        break;
                    }
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

QTEST_GUILESS_MAIN(TestAravisParameterCollection)
#include "tst_aravisparametercollection.moc"
