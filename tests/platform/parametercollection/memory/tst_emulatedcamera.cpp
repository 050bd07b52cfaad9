#include "camerapool/ibaseinfo.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparameterproperties.h"

#include <QtTest>

using namespace ParameterCollection;

namespace {

struct Census
{
    int features = 0; // nodes with a value or an action, reached from Root
    QSet<int> types;
    QSet<QString> integerRepresentations;
    QSet<QString> floatRepresentations;
    QSet<int> visibilities;
    QSet<QString> accessModes;
    int withUnit = 0;
    int withDescription = 0;
    int withTooltip = 0;
    int nullNodes = 0;
    QStringList names;
};

// Walks a collection from its Root category as a feature tree does.
void walk(const QSharedPointer<MemoryParameterCollection>& c, const QString& fullName, Census& census)
{
    for (const QString& childName : c->getChildren(fullName, 0, true)) {
        const QSharedPointer<IParameter> p = c->getParameter(childName);
        QVERIFY2(p, qPrintable(childName));
        QCOMPARE(p->getFullName(), childName);
        census.names << p->getName();
        if (p->isNull()) {
            ++census.nullNodes;
            continue;
        }
        const auto d = p->getParameterData();
        const auto props = p->getProperties();
        census.types << d->type;
        census.visibilities << d->visibility;
        census.accessModes << props->getProperty(QStringLiteral("AccessMode"));
        if (d->type == TypeCategory) {
            walk(c, childName, census);
            continue;
        }
        ++census.features;
        if (d->type == TypeInteger)
            census.integerRepresentations << d->representation;
        if (d->type == TypeFloat)
            census.floatRepresentations << d->representation;
        census.withUnit += !props->getProperty(QStringLiteral("Unit")).isEmpty();
        census.withDescription += !props->getProperty(QStringLiteral("Description")).isEmpty();
        census.withTooltip += !props->getProperty(QStringLiteral("Tooltip")).isEmpty();
    }
}

Census censusOf(const QSharedPointer<MemoryParameterCollection>& c)
{
    Census census;
    walk(c, c->getRoleName() + QLatin1String("/Root"), census);
    return census;
}

} // namespace

class TestEmulatedCamera : public QObject
{
    Q_OBJECT
private slots:
    void loadsFourCollections();
    void cameraDeviceCoversEveryKindOfFeature();
    void otherCollectionsHoldTheirModules_data();
    void otherCollectionsHoldTheirModules();
    void liveBehavioursRun();
    void limitsMoveWithTheImageGeometry();
};

void TestEmulatedCamera::loadsFourCollections()
{
    EmulatedCamera camera;
    const QList<EmulatedCamera::Collection> collections = camera.collections();
    QStringList roles;
    for (const EmulatedCamera::Collection& c : collections) {
        roles << c.roleName;
        QVERIFY(!c.rootName.isEmpty());
        QCOMPARE(c.collection->getRoleName(), c.roleName);
        const QSharedPointer<IParameter> root = c.collection->getParameter(c.roleName + QLatin1String("/Root"));
        QVERIFY2(root, qPrintable(c.roleName));
        QCOMPARE(root->getType(), int(TypeCategory));
        QCOMPARE(camera.collection(c.roleName), c.collection);
    }
    QCOMPARE(roles, QStringList({QStringLiteral("@CameraDevice"), QStringLiteral("@DeviceTransportLayer"),
                                 QStringLiteral("@StreamGrabber0"), QStringLiteral("@ImageFormatConverter")}));
    QVERIFY(!camera.collection(QStringLiteral("@Nothing")));
    QCOMPARE(camera.info()->getDeviceClass(), QStringLiteral("CamEmu"));
    QVERIFY(!camera.info()->getModelName().isEmpty());
    QVERIFY(!camera.info()->getSerialNumber().isEmpty());
}

void TestEmulatedCamera::cameraDeviceCoversEveryKindOfFeature()
{
    EmulatedCamera camera;
    const Census census = censusOf(camera.collection(QStringLiteral("@CameraDevice")));
    QVERIFY2(census.features >= 150, qPrintable(QString::number(census.features)));
    QCOMPARE(census.types, QSet<int>({TypeInteger, TypeBoolean, TypeFloat, TypeCommand, TypeString,
                                      TypeEnumeration, TypeCategory}));
    QCOMPARE(census.integerRepresentations,
             QSet<QString>({QStringLiteral("PureNumber"), QStringLiteral("HexNumber"), QStringLiteral("Linear"),
                            QStringLiteral("Logarithmic"), QStringLiteral("IPV4Address"),
                            QStringLiteral("MACAddress"), QStringLiteral("Boolean")}));
    QCOMPARE(census.floatRepresentations, QSet<QString>({QStringLiteral("PureNumber"), QStringLiteral("Linear"),
                                                         QStringLiteral("Logarithmic")}));
    QCOMPARE(census.visibilities, QSet<int>({GenApi::Beginner, GenApi::Expert, GenApi::Guru, GenApi::Invisible}));
    QCOMPARE(census.accessModes, QSet<QString>({QStringLiteral("RW"), QStringLiteral("RO"), QStringLiteral("WO"),
                                                QStringLiteral("NA"), QStringLiteral("NI")}));
    QVERIFY(census.nullNodes >= 1);
    QVERIFY(census.withUnit >= 20);
    QVERIFY(census.withDescription >= census.features / 2);
    QVERIFY(census.withTooltip >= 20);

    // Names as the standard feature naming convention spells them.
    for (const char* name : {"DeviceModelName", "Width", "Height", "OffsetX", "PixelFormat", "AcquisitionMode",
                             "AcquisitionStart", "TriggerSelector", "TriggerMode", "ExposureTime", "Gain",
                             "LUTValueAll", "LineSelector", "UserSetSave", "GevSCPSFireTestPacket",
                             "GevPersistentIPAddress", "DeviceTemperature", "ChunkModeActive", "EventSelector",
                             "FileAccessLength"}) {
        QVERIFY2(census.names.contains(QString::fromLatin1(name)), name);
    }

    const auto device = camera.collection(QStringLiteral("@CameraDevice"));
    const auto exposure = device->getParameter(QStringLiteral("ExposureTime"));
    QCOMPARE(exposure->getProperties()->getProperty(QStringLiteral("Representation")), QStringLiteral("Logarithmic"));
    QCOMPARE(exposure->getParameterData()->floatMin, 16.0);
    QCOMPARE(exposure->getParameterData()->floatMax, 1048576.0);
    QVERIFY(device->getParameter(QStringLiteral("@CameraDevice/ExposureTime/Alias")));
    const auto gain = device->getParameter(QStringLiteral("Gain"));
    QCOMPARE(gain->getProperties()->getProperty(QStringLiteral("Representation")), QStringLiteral("Linear"));
    QVERIFY(device->getParameter(QStringLiteral("@CameraDevice/Gain/Alias")));
}

void TestEmulatedCamera::otherCollectionsHoldTheirModules_data()
{
    QTest::addColumn<QString>("role");
    QTest::addColumn<QStringList>("features");
    QTest::newRow("transport layer") << "@DeviceTransportLayer"
                                     << QStringList{QStringLiteral("MigrationModeEnable"), QStringLiteral("ReadTimeout"),
                                                    QStringLiteral("WriteTimeout"), QStringLiteral("HeartbeatTimeout"),
                                                    QStringLiteral("GevPersistentIPAddress")};
    QTest::newRow("stream grabber") << "@StreamGrabber0"
                                    << QStringList{QStringLiteral("MaxNumBuffer"), QStringLiteral("MaxBufferSize")};
    QTest::newRow("image format converter")
        << "@ImageFormatConverter"
        << QStringList{QStringLiteral("InconvertibleEdgeHandling"), QStringLiteral("OutputPaddingX")};
}

void TestEmulatedCamera::otherCollectionsHoldTheirModules()
{
    QFETCH(QString, role);
    QFETCH(QStringList, features);
    EmulatedCamera camera;
    const Census census = censusOf(camera.collection(role));
    QVERIFY(census.features >= 8);
    for (const QString& name : features)
        QVERIFY2(census.names.contains(name), qPrintable(name));
}

void TestEmulatedCamera::liveBehavioursRun()
{
    EmulatedCamera camera;
    const auto device = camera.collection(QStringLiteral("@CameraDevice"));
    const auto temperature = device->getParameter(QStringLiteral("DeviceTemperature"));
    QSignalSpy changed(temperature.data(), &IParameter::parameterDataChangedDecoupled);
    for (int i = 0; i < 5; ++i)
        device->poll(300);
    QVERIFY(changed.count() >= 4);
    QVERIFY(!temperature->isWritable());
}

void TestEmulatedCamera::limitsMoveWithTheImageGeometry()
{
    EmulatedCamera camera;
    const auto device = camera.collection(QStringLiteral("@CameraDevice"));
    const auto width = device->getParameter(QStringLiteral("Width"));
    const auto offsetX = device->getParameter(QStringLiteral("OffsetX"));
    const qint64 maxBefore = offsetX->getParameterData()->intMax;
    QSignalSpy offsetChanged(offsetX.data(), &IParameter::parameterDataChangedDecoupled);
    const auto w = width->getParameterData();
    width->setValue(QString::number(w->intMin));
    QVERIFY(offsetX->getParameterData()->intMax > maxBefore);
    QCOMPARE(offsetChanged.count(), 1);
}

QTEST_GUILESS_MAIN(TestEmulatedCamera)
#include "tst_emulatedcamera.moc"
