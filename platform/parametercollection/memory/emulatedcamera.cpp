#include "parametercollection/emulatedcamera.h"

#include "camerapool/staticbaseinfo.h"
#include "parametercollection/iparameter.h"

namespace ParameterCollection {

namespace {
struct NodeMapFile
{
    const char* file;
    const char* rootName;
};

// The role name of each collection is read from its node map.
constexpr NodeMapFile nodeMaps[] = {
    {":/parametercollection/nodemaps/CameraDevice.xml", "Camera Device"},
    {":/parametercollection/nodemaps/DeviceTransportLayer.xml", "Transport Layer"},
    {":/parametercollection/nodemaps/StreamGrabber0.xml", "Stream Grabber 0"},
    {":/parametercollection/nodemaps/ImageFormatConverter.xml", "Image Format Converter"},
};

QString readString(const QSharedPointer<MemoryParameterCollection>& collection, const QString& name)
{
    const QSharedPointer<IParameter> p = collection->getParameter(name);
    const QSharedPointer<const ParameterData> data = p ? p->getParameterData() : nullptr;
    return data ? data->valueString : QString();
}
} // namespace

EmulatedCamera::EmulatedCamera()
{
    for (const NodeMapFile& map : nodeMaps) {
        Collection c;
        c.collection = MemoryParameterCollection::fromFile(QString::fromLatin1(map.file));
        c.rootName = QString::fromLatin1(map.rootName);
        c.roleName = c.collection->getRoleName();
        m_collections << c;
    }
    // One device behind every collection: when one of them finds it gone, all
    // of them know. The collections may outlive the camera object.
    QList<QWeakPointer<MemoryParameterCollection>> all;
    for (const Collection& c : qAsConst(m_collections))
        all << c.collection;
    for (const Collection& c : qAsConst(m_collections)) {
        QObject::connect(c.collection.data(), &IParameterCollection::connectionStateChanged, c.collection.data(),
                         [all](IParameterCollection::ConnectionState state) {
                             if (state != IParameterCollection::ConnectionState::Lost)
                                 return;
                             for (const auto& weak : all) {
                                 if (const auto other = weak.toStrongRef())
                                     other->disconnectDevice();
                             }
                         });
    }
    const QSharedPointer<MemoryParameterCollection> device = m_collections.first().collection;
    m_info = QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(
        QStringLiteral("CamEmu"),
        readString(device, QStringLiteral("DeviceModelName")) + QStringLiteral(" (")
            + readString(device, QStringLiteral("DeviceSerialNumber")) + QLatin1Char(')'),
        readString(device, QStringLiteral("DeviceSerialNumber")), readString(device, QStringLiteral("DeviceModelName")),
        readString(device, QStringLiteral("DeviceVendorName")));
}

EmulatedCamera::~EmulatedCamera() = default;

QList<EmulatedCamera::Collection> EmulatedCamera::collections() const
{
    return m_collections;
}

QSharedPointer<MemoryParameterCollection> EmulatedCamera::collection(const QString& roleName) const
{
    for (const Collection& c : m_collections) {
        if (c.roleName == roleName)
            return c.collection;
    }
    return {};
}

QSharedPointer<Plugin::CameraPool::IBaseInfo> EmulatedCamera::info() const
{
    return m_info;
}

void EmulatedCamera::disconnectDevice()
{
    for (const Collection& c : qAsConst(m_collections))
        c.collection->disconnectDevice();
}

void EmulatedCamera::stallDevice(int timeoutMs)
{
    for (const Collection& c : qAsConst(m_collections))
        c.collection->stallDevice(timeoutMs);
}

void EmulatedCamera::reconnectDevice()
{
    for (const Collection& c : qAsConst(m_collections))
        c.collection->reconnectDevice();
}

void EmulatedCamera::setControlledElsewhere(bool elsewhere)
{
    for (const Collection& c : qAsConst(m_collections))
        c.collection->setControlledElsewhere(elsewhere);
}

QStringList EmulatedCamera::nodeMapFiles()
{
    QStringList files;
    for (const NodeMapFile& map : nodeMaps)
        files << QString::fromLatin1(map.file);
    return files;
}

} // namespace ParameterCollection
