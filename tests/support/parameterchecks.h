#pragma once

#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/parameterdata.h"

#include <QHash>
#include <QMap>
#include <QSignalSpy>
#include <QStringList>

#include <functional>

namespace PC = ParameterCollection;

/// "Access: <description>" for a GenICam exception of that class (Access, OutOfRange, InvalidArgument, LogicalError,
/// Runtime, Timeout, Generic), "std: <what>" for another exception, "other" for anything else, empty for nothing.
QString thrownBy(const std::function<void()>& call);
/// thrownBy on a thread with a stack of 1 MiB, as a host's worker thread may have; waits for it.
QString thrownOnSmallStack(const std::function<void()>& call);
/// A snapshot in one line: "<type> '<value>' <RWIA flags> <visibility>" and by type " [min,max,inc] <representation>",
/// " [min,max,inc] p<precision><notation: a, f or s> <representation>", " (entries) <int value>" or " done"/" busy".
QString snapshotText(const PC::ParameterData& data);
/// The snapshot of the last parameterDataChangedDecoupled report a spy saw, or null.
QSharedPointer<const PC::ParameterData> lastReport(const QSignalSpy& spy);
/// The names below `fullName` as "A[B C] D", read with getChildren as a feature tree does; namesOf lists them.
QString collectionTreeText(PC::IParameterCollection& collection, const QString& fullName);
QStringList namesOf(const QString& treeText);
/// Space-separated steps: "Name=text" writes a value, "Name.Key=text" a property.
void apply(PC::IParameterCollection& collection, const QString& steps);

/// The snapshots of the named features, and their reports from then on.
class Watch
{
public:
    Watch(PC::IParameterCollection& collection, const QStringList& names);
    /// Those whose snapshot changed, by name: "Name <the words of its snapshotText that changed>; ..." (all words
    /// when their number changed), then " | misreported ..." unless each was reported once, as it is now, and no
    /// other was. Or only their names.
    QString changes(bool namesOnly = false) const;

private:
    PC::IParameterCollection& m_collection;
    QMap<QString, QSharedPointer<const PC::ParameterData>> m_before;
    QHash<QString, QList<QSharedPointer<const PC::ParameterData>>> m_reports;
    QObject m_context;
};

/// What one step (see apply) did: the changes among `names`, or its exception, " | " and the changes. A refusal
/// that changed nothing and matches `expected` ("<exception>: <part of the description>") gives `expected`.
QString outcomeOf(PC::IParameterCollection& c, const QStringList& names, const QString& step, const QString& expected);
/// A line for each named feature that does not take its own value back as it should: a readable and writable one
/// takes it, another refuses it (a command or category with a LogicalError, one not writable with an Access error),
/// and nothing changes. Text goes as the feature tree writes it, a UTF-8 byte a character.
QString ownValueMisfits(PC::IParameterCollection& collection, const QStringList& names);
/// A line if a feature's typed interfaces disagree with its snapshot: it offers the one of its type only, whose
/// reads give what the snapshot holds, or an Access error when it is not readable.
QString typedMisfits(const QSharedPointer<PC::IParameter>& p);

/// Handles on the named features (one per ParameterType) and the first one's properties, to try every operation on
/// after the collection was closed or destroyed (reset `collection` for that).
struct OpenedHandles
{
    OpenedHandles(const QSharedPointer<PC::IParameterCollection>& collection, const QStringList& names);
    QSharedPointer<PC::IParameterCollection> collection;
    QHash<int, QSharedPointer<PC::IParameter>> byType;
    QSharedPointer<PC::IParameterProperties> properties;
};
/// Every operation of IParameterCollection ("collection ..."), IParameter (once per type), the typed interfaces and
/// IParameterProperties; true when it gave what a closed collection may give (null, isNull(), the unchanged name).
QList<QPair<QString, std::function<bool(OpenedHandles&)>>> operationsAfterClose();
/// `_data()` rows "operation", an index into operationsAfterClose(); those of the collection `withCollection` only.
void addOperationRows(bool withCollection);
/// What operation `index` did wrong on handles of a closed or destroyed collection: empty when it threw an
/// AccessException or gave what such a collection may give.
QString misbehaviourAfterClose(OpenedHandles& handles, int index);
