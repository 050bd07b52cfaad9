#pragma once

#include "expression_p.h"
#include "genicam/genapienums.h"
#include "parametercollection/memoryparametercollection.h"
#include "parametercollection/parameterdata.h"

#include <QElapsedTimer>
#include <QHash>
#include <QRecursiveMutex>
#include <QSharedPointer>
#include <QVariant>
#include <QVector>

#include <functional>
#include <optional>

namespace ParameterCollection {

class MemoryParameter;

struct MemoryEnumEntry
{
    QString name;
    QString displayName;
    qint64 value = 0;
};

/// One node of an in-memory node map, as the loader built it and as writes change it.
struct MemoryNode
{
    enum Kind { Category, Integer, Float, Boolean, String, Enumeration, Command, Register, Null };
    enum Behaviour { NoBehaviour, Drift, Clock };

    Kind kind = Null;
    QString name;
    QString fullName;
    QString displayName;
    QString description;
    QString tooltip;
    QString docuURL;
    QString unit;
    QString representation;
    GenApi::EVisibility visibility = GenApi::Beginner;
    GenApi::EAccessMode access = GenApi::RW;
    std::optional<GenApi::EVisibility> imposedVisibility;
    std::optional<GenApi::EAccessMode> imposedAccess;

    QVector<int> children; // categories, display order

    Expression min, max, inc, availableIf, lockedIf;
    qint64 precision = 2;
    int notation = NotationAutomatic; // a DisplayNotation
    int maxLength = -1;
    quint64 address = 0; // registers: where the bytes are on the device
    QByteArray bytes;    // registers: their contents, as long as the register
    QVector<MemoryEnumEntry> entries;

    int selector = -1;               // node that selects the stored value
    QVariant defaultValue;           // for every selector position without its own
    QHash<QString, QVariant> values; // by selector position ("" without selector)

    double aliasScale = 0.0; // floats: an alias exists when > 0
    int alias = -1;          // floats: index of the alias node
    int aliasOf = -1;        // alias integers: index of the float

    Behaviour behaviour = NoBehaviour;
    double driftCentre = 0.0;
    qint64 busyMs = 0;
    qint64 busyUntilMs = -1; // commands: clock time when done; -1 when idle
    bool commandState = false;

    QVector<int> dependents; // nodes whose snapshot may change when this one does
    QSharedPointer<const ParameterData> lastReported;
    QSharedPointer<MemoryParameter> handle;
};

/// The state and rules of an in-memory node map. Every public operation locks
/// the mutex, checks that the device is open and that no fault is injected,
/// and reports changed snapshots through the parameters' signals before it
/// unlocks, so that reports arrive in the order of the changes.
class MemoryNodeMap : public QEnableSharedFromThis<MemoryNodeMap>
{
public:
    using Operation = MemoryParameterCollection::Operation;
    using FaultKind = MemoryParameterCollection::FaultKind;
    using TextEncoding = MemoryParameterCollection::TextEncoding;

    /// Parses node map XML; throws GenICam::InvalidArgumentException.
    static QSharedPointer<MemoryNodeMap> load(const QByteArray& xml, const QString& sourceName);

    QString role() const { return m_role; }
    int indexOf(const QString& name) const; // plain or full name; -1 when unknown
    const MemoryNode& node(int index) const { return m_nodes.at(index); }
    int nodeCount() const { return m_nodes.size(); }
    QSharedPointer<MemoryParameter> handle(int index) const;

    void setEncoding(TextEncoding encoding);
    TextEncoding encoding() const;
    void injectFault(const QString& node, Operation op, FaultKind kind, int count);
    void clearFaults();
    void close();
    bool isClosed() const;

    // The device's connection, played: see MemoryParameterCollection.
    using ConnectionState = IParameterCollection::ConnectionState;
    /// Called with the mutex held whenever the state changes; empty to stop.
    void setConnectionListener(std::function<void(ConnectionState)> listener);
    void disconnectDevice();
    void stallDevice(int timeoutMs);
    void reconnectDevice();
    void setControlledElsewhere(bool elsewhere);

    /// Throws when the device is closed, lost or stalled, or a fault is injected for the call.
    void enter(const QString& node, Operation op) const;
    QRecursiveMutex& mutex() const { return m_mutex; }

    // Collection operations.
    QStringList children(const QString& name) const;
    /// Empty for an unknown node (-1).
    FeatureDependencies dependencies(int i) const;
    void refresh();
    void poll(qint64 intervalMs);

    // Node queries.
    int typeCode(int i) const;
    GenApi::EVisibility visibilityOf(int i) const;
    GenApi::EAccessMode accessOf(int i) const;
    QSharedPointer<const ParameterData> snapshot(int i) const;
    QString property(int i, const QString& key, const QString& defaultValue) const;
    void setProperty(int i, const QString& key, const QString& value);

    // Typed reads; throw GenICam::AccessException when the node cannot be read.
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

    // Writes; each succeeds completely or throws and changes nothing.
    void setText(int i, const QString& eightBitText);
    void setInteger(int i, qint64 value, bool verify);
    void setFloat(int i, double value);
    void setBoolean(int i, bool value);
    void execute(int i, bool verify);
    void setState(int i, bool state);

    // Used by the loader only.
    QVector<MemoryNode>& nodesForLoading() { return m_nodes; }
    void finishLoading(const QString& role, QHash<QString, int> index);
    /// Once the loaded values are checked: the snapshots changes are measured against.
    void recordBaseline();

private:
    struct Limits
    {
        double min;
        double max;
        double inc; // 0 without increment
    };
    struct IntLimits
    {
        qint64 min;
        qint64 max;
        qint64 inc;
    };
    struct Fault
    {
        FaultKind kind;
        int remaining;
    };

    ExpressionValue resolve(const QString& name) const;
    ExpressionValue valueForExpression(const MemoryNode& n) const;
    QString selectorPosition(const MemoryNode& n) const;
    QVariant storedValue(const MemoryNode& n) const;
    void store(MemoryNode& n, const QVariant& value);
    IntLimits integerLimits(const MemoryNode& n) const;
    Limits floatLimits(const MemoryNode& n) const;
    qint64 currentInteger(const MemoryNode& n) const;
    double currentFloat(const MemoryNode& n) const;
    bool isDone(const MemoryNode& n) const;
    QSharedPointer<ParameterData> buildSnapshot(const MemoryNode& n) const;

    void requireReadable(const MemoryNode& n) const;
    void requireWritable(const MemoryNode& n) const;
    void requireKind(const MemoryNode& n, MemoryNode::Kind kind, const char* what) const;
    void writeInteger(MemoryNode& n, qint64 value, bool verify);
    void writeFloat(MemoryNode& n, double value);
    void writeEnum(MemoryNode& n, const QString& entry);
    void writeString(MemoryNode& n, const QString& text);
    QString decode(const QString& eightBitText) const;

    void announceConnection() const;

    /// Reports every snapshot in the closure of `seeds` over the dependents
    /// that differs from the one reported last.
    void reportChanges(const QVector<int>& seeds);

    mutable QRecursiveMutex m_mutex;
    QString m_role;
    QVector<MemoryNode> m_nodes;
    QHash<QString, int> m_index;
    QVector<int> m_liveNodes; // behaviours and commands, looked at by poll
    TextEncoding m_encoding = TextEncoding::Utf8;
    mutable QHash<QPair<QString, int>, Fault> m_faults;
    bool m_closed = false;
    mutable bool m_lost = false;
    mutable int m_stallTimeoutMs = -1; // >= 0 while the device does not answer
    bool m_controlledElsewhere = false;
    std::function<void(ConnectionState)> m_connectionListener;
    double m_simulatedMs = 0.0;
    QElapsedTimer m_clock;
    mutable int m_evaluationDepth = 0;
};

} // namespace ParameterCollection
