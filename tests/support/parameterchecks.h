#pragma once

#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/parameterdata.h"

#include <QHash>
#include <QList>
#include <QSharedPointer>
#include <QSignalSpy>
#include <QString>

#include <functional>

/// "Access: <description>" for a GenICam exception of that class (Access,
/// OutOfRange, InvalidArgument, LogicalError, Runtime, Timeout, Generic),
/// "std: <what>" for another std::exception, "other" for anything else, and
/// an empty text when `call` threw nothing.
QString thrownBy(const std::function<void()>& call);

/// A snapshot in one line, for comparing a whole snapshot at once:
/// "<type> '<value>' <RWIA flags> <visibility>" and by type " [min,max,inc] <representation>",
/// " (entries) <int value>" or " done"/" busy"; e.g. "i '2048' RWIA Beginner [16,2448,4] Linear".
QString snapshotText(const ParameterCollection::ParameterData& data);

/// The snapshot of the last parameterDataChangedDecoupled report a spy saw, or null.
QSharedPointer<const ParameterCollection::ParameterData> lastReport(const QSignalSpy& spy);

/// The names below `fullName` as "A[B C] D", read with getChildren as a feature tree does.
QString collectionTreeText(ParameterCollection::IParameterCollection& collection, const QString& fullName);

/// Handles taken while a collection was open, to try every operation on after
/// it was closed or destroyed. `byType` holds one feature per ParameterType.
struct OpenedHandles
{
    QSharedPointer<ParameterCollection::IParameterCollection> collection; ///< null once destroyed
    QHash<int, QSharedPointer<ParameterCollection::IParameter>> byType;
    QSharedPointer<ParameterCollection::IParameterProperties> properties;
};

/// Every operation of IParameterCollection ("collection ..." rows), IParameter
/// (once per type), the typed interfaces and IParameterProperties. Each returns
/// true when it gave what a closed collection may give without throwing
/// (a null result, isNull(), no properties, the unchanged name); those that
/// must throw return false.
QList<QPair<QString, std::function<bool(OpenedHandles&)>>> operationsAfterClose();
