#pragma once

#include <QByteArray>
#include <QList>
#include <QSharedPointer>
#include <QString>

#include <memory>

namespace ParameterCollection {
class EmulatedCamera;
class IParameterCollection;
} // namespace ParameterCollection
class QThread;
namespace Plugin {
namespace CameraPool {
class IBaseInfo;
}
} // namespace Plugin

/// What the browser has opened: the built-in emulated camera, a camera
/// through Aravis, or a GenICam file. Owns it; the window and the command
/// line both work on one of these.
class BrowserCamera
{
public:
    /// One collection with the names the tree shows.
    struct Collection
    {
        QSharedPointer<ParameterCollection::IParameterCollection> collection;
        QString rootName;
        QString roleName;
    };

    /// The emulated camera.
    static std::unique_ptr<BrowserCamera> openEmulated();
    /// A camera by its Aravis device id or IP address. Throws when it cannot
    /// be opened or the build has no Aravis.
    static std::unique_ptr<BrowserCamera> openAravis(const QString& deviceId);
    /// A GenICam XML file (plain or zipped), without a device. Throws as above.
    static std::unique_ptr<BrowserCamera> openGenICamFile(const QString& path);
    /// True when the build can open cameras through Aravis.
    static bool haveAravis();

    ~BrowserCamera();

    QList<Collection> collections() const { return m_collections; }
    QList<QSharedPointer<ParameterCollection::IParameterCollection>> parameterCollections() const;
    QSharedPointer<Plugin::CameraPool::IBaseInfo> info() const { return m_info; }
    /// Null unless this is the emulated camera.
    ParameterCollection::EmulatedCamera* emulated() const { return m_emulated.get(); }
    /// What opened it: the Aravis id, the file path; empty for the emulated camera.
    QString source() const { return m_source; }
    bool isFile() const { return m_isFile; }
    /// The GenICam XML the device sent (Aravis), or that was read from the
    /// file; empty for the emulated camera, whose node maps are not GenICam XML.
    QByteArray deviceXml() const;
    /// Hands the objects made on this thread over to `thread`, where they are
    /// used from now on: call it on the thread that opened the camera.
    void moveToThread(QThread* thread);

private:
    BrowserCamera() = default;
    /// Through Aravis: a device id, or a file when `isFile`.
    static std::unique_ptr<BrowserCamera> openWithAravis(const QString& source, bool isFile);

    std::unique_ptr<ParameterCollection::EmulatedCamera> m_emulated;
    QList<Collection> m_collections;
    QSharedPointer<Plugin::CameraPool::IBaseInfo> m_info;
    QString m_source;
    bool m_isFile = false;
};
