#pragma once

#include "parametercollection1_export.h"

#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

#include <atomic>

namespace ParameterCollection {

class IParameter;

/// What the value of one feature depends on, in full names: needed to put
/// values back in an order that works (a selector before what it selects, a
/// feature before those whose limits it sets).
struct PARAMETERCOLLECTION1_EXPORT FeatureDependencies
{
    /// The selectors whose value chooses which of the feature's values is shown.
    QStringList selectors;
    /// The features its limits, increment, availability, lock or value come from.
    QStringList references;
};

/// A set of parameters: the node map of a camera device, its transport layer,
/// a stream grabber, an image format converter. Parameters are addressed by
/// full name ("<role>/<node name>", the role beginning with a marker character
/// such as "@CameraDevice") or by plain node name. Every operation may throw.
///
/// Connection state: a collection whose device can vanish says whether it
/// still answers. It starts Connected (or ReadOnly), announces every change
/// once through connectionStateChanged(), and while Lost fails every call at
/// once with GenICam::DisconnectedException instead of waiting on the device.
/// A collection without a device stays Connected.
class PARAMETERCOLLECTION1_EXPORT IParameterCollection : public QObject
{
    Q_OBJECT
public:
    enum class ConnectionState {
        Connected, ///< the device answers and takes writes
        ReadOnly, ///< the device answers, but another host controls it: it can be read, not written
        Lost ///< the device stopped answering or went away
    };
    Q_ENUM(ConnectionState)

    explicit IParameterCollection(QObject* parent = nullptr);
    ~IParameterCollection() override;

    /// The state now; callable from any thread.
    ConnectionState connectionState() const;
    /// What the feature `fullName` depends on; empty when the collection cannot
    /// tell. A float's integer alias ("<float>/Alias") stands for the same value.
    virtual FeatureDependencies getDependencies(const QString& fullName);
    /// Asks a Lost collection to open its device anew in place, its parameters
    /// staying what they are; returns at once, and the outcome arrives through
    /// connectionStateChanged(). A collection that cannot do that ignores it.
    virtual void reconnect();

    /// The role name, such as "@CameraDevice".
    virtual QString getRoleName() const = 0;
    /// The parameter of that full or plain name; null when unknown.
    virtual QSharedPointer<IParameter> getParameter(const QString& name) = 0;
    /// Full names of the children of the category `fullName`, in display order.
    /// `depth` and `displayOrder` are kept for compatibility: callers pass 0 and true.
    virtual QStringList getChildren(const QString& fullName, int depth, bool displayOrder) = 0;
    virtual bool hasParameter(const QString& fullName) = 0;
    /// Re-reads every parameter and reports the ones that changed.
    virtual void refresh() = 0;
    /// Updates the parameters that change by themselves; `intervalMs` is the
    /// time since the previous poll.
    virtual void poll(qint64 intervalMs) = 0;

Q_SIGNALS:
    /// Emitted once for each change of connectionState(), on the thread that
    /// noticed it (receivers on other threads get it queued). Connect right
    /// after opening; connectionState() tells the state before the first change.
    void connectionStateChanged(ParameterCollection::IParameterCollection::ConnectionState state);

protected:
    /// Records the state and announces it when it changed; answers whether it did.
    bool setConnectionState(ConnectionState state);

private:
    std::atomic<ConnectionState> m_connectionState { ConnectionState::Connected };
};

} // namespace ParameterCollection
