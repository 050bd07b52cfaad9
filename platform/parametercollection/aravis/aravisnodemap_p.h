#pragma once

#include "aravisworker_p.h"
#include "genicam/genapienums.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "parametercollection/parameterdata.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QEnableSharedFromThis>
#include <QHash>
#include <QMutex>
#include <QRecursiveMutex>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace ParameterCollection {

class AravisParameter;

/// One parameter of an Aravis node map: a feature node, or the alias
/// "<float>/Alias" of a float's integer pAlias.
struct AravisEntry
{
    // Fixed when the node map is built.
    int type = TypeNone;
    QString name;
    QString fullName;
    QString docuURL;
    QString displayName;
    QString description;
    QString tooltip;
    QString unit;
    QString representation;
    GenApi::EVisibility visibility = GenApi::Beginner;
    QStringList children; ///< categories: full names of the features, in display order
    int aliasOf = -1; ///< alias entries: the float entry
    int aliasTarget = -1; ///< alias entries: the integer entry; floats: their alias entry
    qint64 pollingTimeMs = 0; ///< 0: not polled by time
    QVector<int> affects; ///< entries whose snapshot may change when this one changes
    QVector<int> references; ///< entries its limits, value or conditions come from
    QVector<int> selectors; ///< selectors that choose which of its values is shown
    QSharedPointer<AravisParameter> handle;

    // The device's thread only.
    qint64 sincePollMs = 0;

    // Guarded by the cache lock: what the device said last, and what was imposed.
    QSharedPointer<const ParameterData> snapshot; ///< the last one read
    QString readFailure; ///< why the value could not be read for it, if so
    mutable qint64 executedAtMs = -1; ///< commands: clock time of the last execution; -1 once done
    bool inUse = false; ///< handed out: changes are reported, polling looks at it
    std::optional<GenApi::EVisibility> imposedVisibility;
    std::optional<GenApi::EAccessMode> imposedAccess;
};

/// One opened Aravis node map and the rules of its features.
///
/// Threads: a node map with a device makes every Aravis call on the device's
/// own worker thread (AravisWorker). Callers on other threads are answered
/// from the snapshots the worker read last; only writes, and the calls that
/// need the device itself, wait for the worker, and never longer than one
/// call that fails on the device. Polls and refreshes are handed to the worker
/// and return at once; the worker reports changed snapshots from its thread,
/// in the order of the changes. Without a device (an XML file) the calls run
/// on the caller's thread under one lock.
///
/// Connection: the first call that finds the device gone (a timeout, a
/// transport error, Aravis's "control-lost") marks it lost; from then on
/// every call fails at once with GenICam::DisconnectedException, and the
/// worker probes the device until it answers again, takes control back (or
/// reports that another host holds it) and reports what changed meanwhile.
class AravisNodeMap : public QEnableSharedFromThis<AravisNodeMap>
{
public:
    struct Native; // the Aravis objects; defined where Aravis is included
    using ConnectionState = IParameterCollection::ConnectionState;

    ~AravisNodeMap();

    static QList<AravisDeviceInfo> listDevices(bool includeFakeCamera);
    /// Opens a device by Aravis id or, without discovery, by IPv4 address; a
    /// fake camera may serve the GenICam XML of `fakeGenicamFile`.
    static QSharedPointer<AravisNodeMap> openDevice(const QString& deviceId,
                                                    const QString& fakeGenicamFile = QString());
    static QSharedPointer<AravisNodeMap> fromXml(const QByteArray& xml, const QString& sourceName);

    // Any thread, no waiting.
    QString role() const { return m_role; }
    QString sourceName() const { return m_sourceName; }
    bool hasDevice() const { return m_hasDevice; }
    QString deviceClass() const { return m_deviceClass; }
    AravisDeviceInfo deviceInfo() const { return m_deviceInfo; }
    QByteArray genicamXml() const { return m_xml; }
    int indexOf(const QString& name) const; // plain or full name; -1 when unknown
    const AravisEntry& entry(int index) const { return m_entries.at(index); }
    int entryCount() const { return m_entries.size(); }
    QSharedPointer<AravisParameter> handle(int index) const { return m_entries.at(index).handle; }
    int commandTimeout() const { return m_commandTimeoutMs.load(); }
    void setCommandTimeout(int milliseconds) { m_commandTimeoutMs.store(qMax(0, milliseconds)); }

    ConnectionState connectionState() const;
    /// Called on the thread that noticed a change of the state; empty to stop.
    void setConnectionListener(std::function<void(ConnectionState)> listener);
    /// Throws GenICam::DisconnectedException while the device is lost.
    void requireConnected() const;
    /// Opens the device anew in place of the lost one: the worker does it, the
    /// outcome arrives as a change of the connection state.
    void reconnect();
    void setProbeInterval(int milliseconds);
    /// Aravis's heartbeat found that the device took control away: hands the loss to the worker.
    void noticeControlLost();

    QStringList children(const QString& name) const;
    FeatureDependencies dependencies(const QString& name) const;
    void refresh();
    void poll(qint64 intervalMs);

    GenApi::EVisibility visibilityOf(int i) const;
    GenApi::EAccessMode accessOf(int i) const;
    QSharedPointer<const ParameterData> snapshot(int i);
    QString property(int i, const QString& key, const QString& defaultValue) const;

    // Reads from the latest snapshot; throw GenICam exceptions as a read of the
    // device would.
    qint64 integerValue(int i) const;
    qint64 integerMinimum(int i) const;
    qint64 integerMaximum(int i) const;
    qint64 integerIncrement(int i) const;
    double floatValue(int i) const;
    double floatMinimum(int i) const;
    double floatMaximum(int i) const;
    bool booleanValue(int i) const;
    QString enumValue(int i) const;
    QStringList enumEntryNames(int i) const;
    bool commandDone(int i) const;
    void setState(int i, bool state);

    // Any thread, waiting for the device; each throws a GenICam exception when refused.
    void setProperty(int i, const QString& key, const QString& value);
    void setText(int i, const QString& eightBitText);
    void setInteger(int i, qint64 value, bool verify);
    void setFloat(int i, double value);
    void setBoolean(int i, bool value);
    void execute(int i, bool verify);
    void withGenicam(const std::function<void(ArvGc*)>& function) const;

private:
    AravisNodeMap();

    /// Runs `job` where the device's calls run, and waits for it.
    void onDevice(const std::function<void()>& job) const;
    /// Hands `job` to the worker without waiting (runs it at once without one).
    void later(std::function<void()> job);

    // The device's thread (or, without a device, the caller's under the device lock).
    void build(const QString& sourceName);
    void readEverything();
    /// Reads the snapshot of `i`; a value that cannot be read leaves the
    /// feature unavailable in it and its reason in `failure`.
    QSharedPointer<ParameterData> buildSnapshot(int i, QString* failure = nullptr) const;
    void store(int i, const QSharedPointer<const ParameterData>& d, const QString& failure, bool* changed = nullptr);
    GenApi::EAccessMode liveAccessOf(int i) const;
    void requireWritable(int i) const;
    void requireType(int i, int type, const char* what) const;
    void writeText(int i, const QString& eightBitText);
    void writeInteger(int i, qint64 value, bool verify);
    void writeFloat(int i, double value);
    void writeBoolean(int i, bool value);
    void runCommand(int i, bool verify);
    bool readCommandDone(int i) const;
    /// Re-reads the entries in the closure of `seeds` over `affects` and
    /// reports every snapshot in use that differs from the one read before.
    void reportChanges(const QVector<int>& seeds);
    void reread(int i);
    void pollPass(qint64 intervalMs);
    void markLost();
    void watch();
    void checkAlive();
    void probe();
    void reopen();
    /// Reads every snapshot again after the device came back as `back`; the
    /// state is announced once the reads went through.
    bool recover(ConnectionState back);
    void changeState(ConnectionState state);

    /// The latest snapshot of `i`; never null once the map is built.
    QSharedPointer<const ParameterData> cached(int i) const;
    void requireReadable(int i, const ParameterData& d) const;
    /// A typed read from the latest snapshot: connected, of the right type, and
    /// readable when `value` is asked for.
    template<typename Read> auto readCached(int i, int type, const char* what, bool value, const Read& read) const;

    mutable QRecursiveMutex m_deviceMutex; // Aravis calls; uncontended with a worker
    mutable QMutex m_cacheMutex; // the entries' cached part; held briefly
    std::unique_ptr<AravisWorker> m_worker; // null without a device
    std::unique_ptr<Native> m_native;
    QString m_role;
    QString m_sourceName;
    QString m_deviceId; ///< what reopening uses: an Aravis id or an address
    QByteArray m_xml;
    QString m_vendorName; ///< from the XML's RegisterDescription
    QString m_modelName;
    QString m_deviceClass;
    AravisDeviceInfo m_deviceInfo;
    bool m_hasDevice = false;
    QVector<AravisEntry> m_entries;
    QHash<QString, int> m_index;
    bool m_hasPollingTimes = false;
    std::atomic<int> m_commandTimeoutMs { 1000 };
    std::atomic<int> m_probeIntervalMs { 1000 };
    std::atomic<ConnectionState> m_state { ConnectionState::Connected };
    std::atomic<bool> m_pollPending { false };
    mutable QMutex m_listenerMutex;
    std::function<void(ConnectionState)> m_listener;
    QElapsedTimer m_clock;
};

} // namespace ParameterCollection
