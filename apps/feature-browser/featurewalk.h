#pragma once

#include "parametercollection/parameterdata.h"

#include <QList>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

namespace ParameterCollection {
class IParameter;
class IParameterCollection;
} // namespace ParameterCollection

/// Walks and addresses the features of a camera's collections without any
/// widget: what the command line, the dumps and the settings files share.
namespace FeatureWalk {

using CollectionList = QList<QSharedPointer<ParameterCollection::IParameterCollection>>;

/// One node met on a walk.
struct Node
{
    QSharedPointer<ParameterCollection::IParameter> parameter;
    QSharedPointer<const ParameterCollection::ParameterData> data; ///< never null
    QStringList categories; ///< GenICam names of the categories above it, below "Root"
    int depth = 0; ///< 1 for the children of "Root"
};

/// Calls `visit` for every node below the collection's "Root" category in
/// display order, categories before their children. A node met a second
/// time (a node map may list it in two categories, or in a cycle) is passed
/// over, and the walk goes no deeper than a node map can sensibly nest.
void walk(ParameterCollection::IParameterCollection& collection, const std::function<void(const Node&)>& visit);

/// The parameter of a full name ("@CameraDevice/Width", looked up in the
/// collection of that role) or of a plain name (the first collection that has
/// it); null when none has it.
QSharedPointer<ParameterCollection::IParameter> find(const CollectionList& collections, const QString& name);

/// The exact text of a value, as setValue takes it back: floats with as many
/// digits as they need to read back the same, booleans "true"/"false", the
/// rest as the collection shows them.
QString valueText(const ParameterCollection::ParameterData& data);
/// "RW", "RO", "WO", "NA" or "NI" from a snapshot's flags.
QString accessText(const ParameterCollection::ParameterData& data);
/// "Integer", "Float", ... ; empty for categories and unknown types.
QString typeText(int type);
/// Features with a value a user can save, compare or set (not categories,
/// commands, registers or nodes without a use).
bool hasValue(const ParameterCollection::ParameterData& data);

/// Writes a value as the tree does: Unicode text as UTF-8 bytes, one
/// character per byte, which the collections decode.
void write(ParameterCollection::IParameter& parameter, const QString& value);

/// What to tell a user about an exception: a GenICam exception's description
/// without its source location, or what() of any other; the details go to
/// the log, under `function`.
QString userMessage(const std::exception& e, const char* function);

} // namespace FeatureWalk
