#pragma once

#include "parametercollection/iparametercollection.h"
#include "parametercollectionaravis_export.h"

#include <QByteArray>
#include <QList>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

#include <functional>

// Aravis's own type names, declared the way Aravis declares them, so that this
// header needs no Aravis (nor GLib) header.
typedef struct _ArvGc ArvGc;

namespace ParameterCollection {

class AravisNodeMap;

/// A device as Aravis's device discovery lists it.
struct PARAMETERCOLLECTIONARAVIS_EXPORT AravisDeviceInfo
{
    QString id; ///< what AravisParameterCollection::openDevice takes
    QString physicalId; ///< such as a MAC address or a USB path
    QString address; ///< such as an IP address; empty when unknown
    QString vendor;
    QString model;
    QString serialNumber;
    QString protocol; ///< "GigEVision", "USB3Vision" or "Fake"
};

/// The parameter collection of one GenICam node map, read and written through
/// Aravis 0.8: a camera opened by its Aravis device id (GigE Vision or USB3
/// Vision), Aravis's fake camera "Fake_1" in this process, or a GenICam XML file
/// without any device (features with literal values work, features that need
/// device registers fail with a clear error).
///
/// The role name is "@CameraDevice"; the node map's "Root" category is
/// "@CameraDevice/Root". Features are typed as the interfaces of this library
/// declare them; a float with an integer pAlias also offers the parameter
/// "<float full name>/Alias".
///
/// Writes run with Aravis's range and access checks and with further checks of
/// the increment and of locked, unavailable and unimplemented features; every
/// failure raises a GenICam exception carrying Aravis's message. After a write
/// the written feature and every feature it can affect (pInvalidator relations,
/// references such as pValue, pMax or pVariable, and the features a selector
/// selects) are read again, and each snapshot that changed is reported through
/// its parameter's parameterDataChangedDecoupled signal. Changes are measured
/// against the last snapshot handed out or reported for a feature.
///
/// Threading: every operation may be called from any thread. A device reached
/// over a transport (GigE Vision, USB3 Vision) has a thread of its own that
/// makes every Aravis call for it: snapshots, properties and typed reads are
/// answered from what that thread read last; polls and refreshes are handed to
/// it and return at once; writes wait for it, but never longer than one call
/// that fails on the device. Change signals then come from that thread, in the
/// order of the changes. Aravis's fake camera "Fake_1" and XML files answer at
/// once on the caller's thread.
///
/// Connection: the first call that times out, a transport error, or Aravis's
/// report that control of the device was lost makes the collection Lost
/// (connectionStateChanged() tells it once); every later call fails at once
/// with GenICam::DisconnectedException, and polling passes stop at that point
/// instead of waiting for each feature. The collection then knocks at the
/// device every probe interval; when it answers, control is taken back (or the
/// collection becomes ReadOnly when another host holds it) and every change is
/// reported. A GigE Vision device that another host controls opens ReadOnly:
/// its features read as read-only and writes are refused. Closing (destroying)
/// a collection never waits for its device.
class PARAMETERCOLLECTIONARAVIS_EXPORT AravisParameterCollection : public IParameterCollection
{
    Q_OBJECT
public:
    /// The id of Aravis's built-in fake camera.
    static QString fakeCameraId();

    /// Devices found by Aravis's discovery (GigE Vision, USB3 Vision), with the
    /// fake camera first when `includeFakeCamera` is set. Discovery on a network
    /// may take a second.
    static QList<AravisDeviceInfo> listDevices(bool includeFakeCamera = true);

    /// Opens a device by its Aravis id, or a GigE Vision device by its IPv4
    /// address ("192.168.0.12") without any discovery on the network. The fake
    /// camera is opened in this process without network discovery. Throws
    /// GenICam::RuntimeException with Aravis's message when the device cannot be
    /// opened.
    static QSharedPointer<AravisParameterCollection> openDevice(const QString& deviceId);
    /// Opens Aravis's fake camera in this process, serving the GenICam XML file
    /// `genicamFile` (a file on disk) instead of its own; with an empty name as
    /// openDevice(fakeCameraId()). Registers the XML describes live in the fake
    /// camera's memory, so that register-backed features can be tried out.
    static QSharedPointer<AravisParameterCollection> openFakeCamera(const QString& genicamFile = QString());
    /// Opens a GenICam XML file (or Qt resource) without a device. Throws
    /// GenICam::InvalidArgumentException for unreadable or malformed XML.
    static QSharedPointer<AravisParameterCollection> openXmlFile(const QString& path);
    /// As openXmlFile, from XML text; `sourceName` names it in messages.
    static QSharedPointer<AravisParameterCollection> fromXml(const QByteArray& xml,
                                                             const QString& sourceName = QString());

    ~AravisParameterCollection() override;

    QString getRoleName() const override;
    QSharedPointer<IParameter> getParameter(const QString& name) override;
    QStringList getChildren(const QString& fullName, int depth, bool displayOrder) override;
    bool hasParameter(const QString& fullName) override;
    void refresh() override;
    void poll(qint64 intervalMs) override;
    /// From the node map's selectors and its pValue, pMin, pMax, pInc,
    /// pIsAvailable, pIsLocked ... references.
    FeatureDependencies getDependencies(const QString& fullName) override;

    /// The device id, or the file name for a collection without device.
    QString sourceName() const;
    /// True when a device is behind the node map.
    bool hasDevice() const;
    /// "GEV", "U3V" or "Fake" for a device, "GenICam" without.
    QString deviceClass() const;
    /// Vendor, model and serial number: from the device, or from the XML's
    /// RegisterDescription when there is none.
    AravisDeviceInfo deviceInfo() const;
    /// The GenICam XML of the node map.
    QByteArray genicamXml() const;
    /// Plain names of all parameters in document order, aliases included.
    QStringList nodeNames() const;

    /// How long a command counts as busy at most after execute() when its value
    /// still reads back as the command value (default 1000 ms).
    int commandTimeout() const;
    void setCommandTimeout(int milliseconds);

    /// Opens the device anew, in place, after it was lost: the same id or
    /// address; the parameters and their handles stay what they are. Returns at
    /// once; the outcome arrives through connectionStateChanged(). A device whose
    /// node map changed meanwhile is not reconnected (open it anew).
    void reconnect() override;
    /// How often a lost device is knocked at (default 1000 ms).
    void setProbeInterval(int milliseconds);

    /// Runs `function` with the Aravis node map where the device's calls run,
    /// and waits for it, for callers that need Aravis itself (tests compare against it).
    void withGenicam(const std::function<void(ArvGc*)>& function) const;

private:
    explicit AravisParameterCollection(QSharedPointer<AravisNodeMap> map);

    QSharedPointer<AravisNodeMap> m_map;
};

} // namespace ParameterCollection
