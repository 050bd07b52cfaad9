#pragma once

#include "genicam/genapienums.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "parametercollection/parameterdata.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QEnableSharedFromThis>
#include <QHash>
#include <QRecursiveMutex>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

namespace ParameterCollection {

class AravisParameter;

/// One parameter of an Aravis node map: a feature node, or the alias
/// "<float>/Alias" of a float's integer pAlias.
struct AravisEntry
{
    int type = TypeNone;
    QString name;
    QString fullName;
    QString docuURL;
    int aliasOf = -1; ///< alias entries: the float entry
    int aliasTarget = -1; ///< alias entries: the integer entry; floats: their alias entry
    qint64 pollingTimeMs = 0; ///< 0: not polled by time
    qint64 sincePollMs = 0;
    QVector<int> affects; ///< entries whose snapshot may change when this one changes
    std::optional<GenApi::EVisibility> imposedVisibility;
    std::optional<GenApi::EAccessMode> imposedAccess;
    QSharedPointer<const ParameterData> lastReported; ///< null until first read
    QSharedPointer<AravisParameter> handle;
    mutable qint64 executedAtMs = -1; ///< commands: clock time of the last execution; -1 once done
    bool commandState = false;
};

/// The state of one opened Aravis node map. Every operation takes the
/// device's recursive mutex, so that Aravis is called by one thread at a time,
/// and reports changed snapshots before it releases the mutex, so that reports
/// arrive in the order of the changes.
class AravisNodeMap : public QEnableSharedFromThis<AravisNodeMap>
{
public:
    struct Native; // the Aravis objects; defined where Aravis is included

    ~AravisNodeMap();

    static QList<AravisDeviceInfo> listDevices(bool includeFakeCamera);
    /// Opens a device; a fake camera may serve the GenICam XML of `fakeGenicamFile`.
    static QSharedPointer<AravisNodeMap> openDevice(const QString& deviceId,
                                                    const QString& fakeGenicamFile = QString());
    static QSharedPointer<AravisNodeMap> fromXml(const QByteArray& xml, const QString& sourceName);

    QString role() const { return m_role; }
    QString sourceName() const { return m_sourceName; }
    bool hasDevice() const;
    QString deviceClass() const;
    AravisDeviceInfo deviceInfo() const;
    QByteArray genicamXml() const { return m_xml; }
    int indexOf(const QString& name) const; // plain or full name; -1 when unknown
    const AravisEntry& entry(int index) const { return m_entries.at(index); }
    int entryCount() const { return m_entries.size(); }
    QSharedPointer<AravisParameter> handle(int index) const { return m_entries.at(index).handle; }
    void withGenicam(const std::function<void(ArvGc*)>& function) const;
    int commandTimeout() const;
    void setCommandTimeout(int milliseconds);

    // Collection operations.
    QStringList children(const QString& name) const;
    void refresh();
    void poll(qint64 intervalMs);

    // Node queries.
    GenApi::EVisibility visibilityOf(int i) const;
    GenApi::EAccessMode accessOf(int i) const;
    QSharedPointer<const ParameterData> snapshot(int i);
    QString property(int i, const QString& key, const QString& defaultValue) const;
    void setProperty(int i, const QString& key, const QString& value);

    // Typed reads; throw GenICam exceptions.
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

    // Writes; each throws a GenICam exception when refused.
    void setText(int i, const QString& eightBitText);
    void setInteger(int i, qint64 value, bool verify);
    void setFloat(int i, double value);
    void setBoolean(int i, bool value);
    void execute(int i, bool verify);
    void setState(int i, bool state);

private:
    AravisNodeMap();
    void build(const QString& sourceName);
    QSharedPointer<ParameterData> buildSnapshot(int i) const;
    void requireReadable(int i) const;
    void requireWritable(int i) const;
    void requireType(int i, int type, const char* what) const;
    template<typename Read> auto readChecked(int i, int type, const char* what, const Read& read) const;
    /// Re-reads the entries in the closure of `seeds` over `affects` and
    /// reports every snapshot that differs from the one reported before.
    void reportChanges(const QVector<int>& seeds);
    void reread(int i);

    mutable QRecursiveMutex m_mutex;
    std::unique_ptr<Native> m_native;
    QString m_role;
    QString m_sourceName;
    QByteArray m_xml;
    QString m_vendorName;
    QString m_modelName;
    QVector<AravisEntry> m_entries;
    QHash<QString, int> m_index;
    bool m_hasPollingTimes = false;
    int m_commandTimeoutMs = 1000;
    QElapsedTimer m_clock;
};

} // namespace ParameterCollection
