#include "camerapool/ibaseinfo.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/valuetext.h"

#include <QtTest>

using namespace ParameterCollection;

namespace {

struct Census
{
    int features = 0, nulls = 0, withUnit = 0, withDescription = 0, withTooltip = 0;
    QSet<QString> kinds; // "type 3", "access RO", "visibility Guru", "representation 1 Linear" (per type)
    QStringList names;
};

// Walks a collection from a category as a feature tree does.
void walk(MemoryParameterCollection& c, const QString& fullName, Census& census)
{
    for (const QString& child : c.getChildren(fullName, 0, true)) {
        const QSharedPointer<IParameter> p = c.getParameter(child);
        QVERIFY2(p && p->getFullName() == child, qPrintable(child));
        census.names << p->getName();
        if (p->isNull()) {
            ++census.nulls;
            continue;
        }
        const auto d = p->getParameterData();
        const auto props = p->getProperties();
        census.kinds << QStringLiteral("type %1").arg(d->type) << "access " + props->getProperty("AccessMode")
                     << "visibility " + ValueText::formatVisibility(GenApi::EVisibility(d->visibility));
        if (d->type == TypeCategory) {
            walk(c, child, census);
            continue;
        }
        ++census.features;
        if (!d->representation.isEmpty())
            census.kinds << QStringLiteral("representation %1 %2").arg(d->type).arg(d->representation);
        census.withUnit += !props->getProperty("Unit").isEmpty();
        census.withDescription += !props->getProperty("Description").isEmpty();
        census.withTooltip += !props->getProperty("Tooltip").isEmpty();
    }
}

} // namespace

class TestEmulatedCamera : public QObject
{
    Q_OBJECT
private slots:
    void collections_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<int>("minimumFeatures");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("device") << "@CameraDevice" << 150
                                << QStringList({"DeviceModelName", "Width", "Height", "OffsetX", "PixelFormat",
                                                "AcquisitionMode", "AcquisitionStart", "TriggerSelector", "TriggerMode",
                                                "ExposureTime", "Gain", "LUTValueAll", "LineSelector", "UserSetSave",
                                                "GevSCPSFireTestPacket", "GevPersistentIPAddress", "DeviceTemperature",
                                                "ChunkModeActive", "EventSelector", "FileAccessLength"});
        QTest::newRow("transport layer") << "@DeviceTransportLayer" << 8
                                         << QStringList({"MigrationModeEnable", "ReadTimeout", "WriteTimeout",
                                                         "HeartbeatTimeout", "GevPersistentIPAddress"});
        QTest::newRow("stream grabber") << "@StreamGrabber0" << 8 << QStringList({"MaxNumBuffer", "MaxBufferSize"});
        QTest::newRow("converter") << "@ImageFormatConverter" << 8
                                   << QStringList({"InconvertibleEdgeHandling", "OutputPaddingX"});
    }

    void collections()
    {
        QFETCH(QString, role);
        QFETCH(int, minimumFeatures);
        QFETCH(QStringList, names);
        EmulatedCamera camera;
        const QList<EmulatedCamera::Collection> all = camera.collections();
        QStringList roles;
        for (const EmulatedCamera::Collection& c : all)
            roles << c.roleName + (c.rootName.isEmpty() || c.collection != camera.collection(c.roleName) ? "?" : "");
        QCOMPARE(roles, QStringList({"@CameraDevice", "@DeviceTransportLayer", "@StreamGrabber0", "@ImageFormatConverter"}));
        QVERIFY(!camera.collection("@Nothing"));
        QCOMPARE(camera.info()->getDeviceClass(), QString("CamEmu"));
        QVERIFY(!camera.info()->getModelName().isEmpty() && !camera.info()->getSerialNumber().isEmpty());

        const auto c = camera.collection(role);
        QCOMPARE(c->getRoleName(), role);
        Census census;
        walk(*c, role + "/Root", census);
        QVERIFY2(census.features >= minimumFeatures, qPrintable(QString::number(census.features)));
        for (const QString& name : names)
            QVERIFY2(census.names.contains(name), qPrintable(name));
        if (role != QLatin1String("@CameraDevice"))
            return;
        // The device shows every kind of feature a feature tree has to show.
        QSet<QString> kinds{"access RW", "access RO", "access WO", "access NA", "access NI", "visibility Beginner",
                            "visibility Expert", "visibility Guru", "visibility Invisible"};
        for (int type = TypeInteger; type <= TypeCategory; ++type)
            kinds << QStringLiteral("type %1").arg(type);
        for (const char* r : {"PureNumber", "HexNumber", "Linear", "Logarithmic", "IPV4Address", "MACAddress", "Boolean"})
            kinds << QStringLiteral("representation %1 %2").arg(TypeInteger).arg(r);
        for (const char* r : {"PureNumber", "Linear", "Logarithmic"})
            kinds << QStringLiteral("representation %1 %2").arg(TypeFloat).arg(r);
        QCOMPARE(census.kinds, kinds);
        QVERIFY(census.nulls >= 1 && census.withUnit >= 20 && census.withTooltip >= 20);
        QVERIFY(census.withDescription >= census.features / 2);
        QVERIFY(c->hasParameter("@CameraDevice/ExposureTime/Alias") && c->hasParameter("@CameraDevice/Gain/Alias"));
    }

    void behavesLikeACamera()
    {
        EmulatedCamera camera;
        const auto device = camera.collection("@CameraDevice");
        const auto temperature = device->getParameter("DeviceTemperature");
        QSignalSpy temperatureChanged(temperature.data(), &IParameter::parameterDataChangedDecoupled);
        for (int i = 0; i < 5; ++i)
            device->poll(300);
        QVERIFY(temperatureChanged.count() >= 4 && !temperature->isWritable());

        const auto width = device->getParameter("Width");
        const auto offsetX = device->getParameter("OffsetX");
        const qint64 maxBefore = offsetX->getParameterData()->intMax;
        QSignalSpy offsetChanged(offsetX.data(), &IParameter::parameterDataChangedDecoupled);
        width->setValue(QString::number(width->getParameterData()->intMin));
        QVERIFY(offsetX->getParameterData()->intMax > maxBefore);
        QCOMPARE(offsetChanged.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestEmulatedCamera)
#include "tst_emulatedcamera.moc"
