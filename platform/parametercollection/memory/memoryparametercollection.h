#pragma once

#include "parametercollection1_export.h"

#include "parametercollection/iparametercollection.h"

#include <QByteArray>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

namespace ParameterCollection {

class MemoryNodeMap;

/// A complete parameter collection held in memory and built from an XML node
/// map (see nodemaps/README.md for the format). Values written as text are
/// parsed by the feature's representation; writes are checked against access
/// mode, range, increment and entries and either succeed completely or throw a
/// GenICam exception and change nothing; every change of a snapshot, including
/// those of dependent features, is reported through the parameter's
/// parameterDataChangedDecoupled signal.
///
/// Threading: every operation may be called from any thread; the node map is
/// guarded by one recursive mutex. Change signals are emitted on the thread
/// that made the change, in the order of the changes.
class PARAMETERCOLLECTION1_EXPORT MemoryParameterCollection : public IParameterCollection
{
    Q_OBJECT
public:
    /// How the 8-bit text handed to IParameter::setValue is decoded.
    enum class TextEncoding { Utf8, Latin1 };

    /// Operations that fault injection can make throw.
    enum class Operation {
        Any,
        GetParameter,
        GetChildren,
        HasParameter,
        Refresh,
        Poll,
        GetType,
        GetVisibility,
        IsWritable,
        GetParameterData,
        GetProperties,
        GetProperty,
        SetProperty,
        SetValue,
        SetState,
        Execute,
        GetValue
    };

    enum class FaultKind {
        GenICamException,  ///< a GenICam::RuntimeException
        StandardException, ///< a std::runtime_error
        OtherException     ///< an InjectedFault, which is no std::exception
    };

    /// What an injected FaultKind::OtherException throws.
    struct InjectedFault
    {
        QString node;
        Operation operation;
    };

    /// Builds a collection from node map XML; `sourceName` names the source in
    /// error messages. Throws GenICam::InvalidArgumentException for malformed
    /// XML, unknown elements or attributes' values, duplicate names, unknown
    /// references and initial values that break their own limits.
    static QSharedPointer<MemoryParameterCollection> fromXml(const QByteArray& xml,
                                                             const QString& sourceName = QString(),
                                                             TextEncoding encoding = TextEncoding::Utf8);
    /// As fromXml, reading a file or a Qt resource (":/...").
    static QSharedPointer<MemoryParameterCollection> fromFile(const QString& path,
                                                              TextEncoding encoding = TextEncoding::Utf8);

    ~MemoryParameterCollection() override;

    QString getRoleName() const override;
    QSharedPointer<IParameter> getParameter(const QString& name) override;
    QStringList getChildren(const QString& fullName, int depth, bool displayOrder) override;
    bool hasParameter(const QString& fullName) override;
    void refresh() override;
    void poll(qint64 intervalMs) override;
    /// From the limits, increment and conditions (their expressions' names) and the selector.
    FeatureDependencies getDependencies(const QString& fullName) override;

    TextEncoding textEncoding() const;
    void setTextEncoding(TextEncoding encoding);

    /// Names of all nodes in document order, aliases included.
    QStringList nodeNames() const;

    /// Makes `operation` of the node `nodeName` throw, or of the collection
    /// itself when `nodeName` is empty; Operation::Any matches every operation.
    /// With `count` > 0 the fault fires that many times, otherwise until cleared.
    void injectFault(const QString& nodeName, Operation operation, FaultKind kind, int count = -1);
    void clearFaults();

    /// Closes the device: from now on every parameter reports isNull(), takes
    /// no properties, and every operation throws GenICam::AccessException.
    void close();
    bool isClosed() const;

    // Switches that play the failures of a device behind the collection, for
    // tests and demonstrations of how a host copes with them.

    /// The device is gone: the collection is Lost, and every call fails at once
    /// with GenICam::DisconnectedException.
    void disconnectDevice();
    /// The device stops answering: the next call waits `timeoutMs`, as a
    /// transport waits for an answer, then fails with GenICam::TimeoutException,
    /// and the collection is Lost from then on.
    void stallDevice(int timeoutMs);
    /// The device answers again: the collection is Connected (or ReadOnly) and
    /// reports what changed meanwhile.
    void reconnectDevice();
    /// Another host takes (true) or gives up (false) control of the device:
    /// ReadOnly, and every writable feature reads as read-only, or Connected again.
    void setControlledElsewhere(bool elsewhere);

private:
    explicit MemoryParameterCollection(QSharedPointer<MemoryNodeMap> map);

    QSharedPointer<MemoryNodeMap> m_map;
};

} // namespace ParameterCollection
