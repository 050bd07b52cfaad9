#pragma once

#include "parametercollection1_export.h"

#include "parametercollection/memoryparametercollection.h"

#include <QList>
#include <QSharedPointer>
#include <QString>

namespace Plugin {
namespace CameraPool {
class IBaseInfo;
}
} // namespace Plugin

namespace ParameterCollection {

/// A camera that exists only in memory: a camera device, its transport layer,
/// a stream grabber and an image format converter, each a parameter collection
/// built from the node maps compiled into this library. Its temperature drifts
/// and its timestamp runs as it is polled, a user set save stays busy for a
/// while, and image size and offsets limit each other, so that a feature tree
/// shows what it shows for a real camera.
class PARAMETERCOLLECTION1_EXPORT EmulatedCamera
{
public:
    /// One collection with the names a host hands to the feature tree.
    struct Collection
    {
        QSharedPointer<MemoryParameterCollection> collection;
        QString rootName; ///< text of the collection's top row
        QString roleName; ///< such as "@CameraDevice"
    };

    /// Loads the four node maps; throws a GenICam exception if one is broken.
    EmulatedCamera();
    ~EmulatedCamera();

    /// In the order a host shows them: camera device, transport layer, stream
    /// grabber, image format converter.
    QList<Collection> collections() const;
    /// The collection of that role name, or null.
    QSharedPointer<MemoryParameterCollection> collection(const QString& roleName) const;
    /// Camera information with the transport kind "CamEmu".
    QSharedPointer<Plugin::CameraPool::IBaseInfo> info() const;

    /// The device's failures, played on every collection at once (see
    /// MemoryParameterCollection): gone, not answering, back, controlled by
    /// another host. A collection that finds the device gone takes the others along.
    void disconnectDevice();
    void stallDevice(int timeoutMs);
    void reconnectDevice();
    void setControlledElsewhere(bool elsewhere);

    /// Resource paths of the node maps, in the order of collections().
    static QStringList nodeMapFiles();

private:
    QList<Collection> m_collections;
    QSharedPointer<Plugin::CameraPool::IBaseInfo> m_info;
};

} // namespace ParameterCollection
