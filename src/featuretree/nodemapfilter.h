#pragma once

#include "orvikviewercomponents6_export.h"

#include <QSharedPointer>
#include <QString>

class QDomDocument;
class QDomElement;

namespace ParameterCollection {
class IParameterCollection;
}
namespace Plugin {
namespace CameraPool {
class IBaseInfo;
}
} // namespace Plugin

/// Imposes the visibility levels and access modes of an XML filter file on the
/// features of a parameter collection before the feature tree shows it. The
/// file is chosen by the device's transport kind and the node map's name; a
/// file beside the application beats the one compiled into the library.
///
/// Holds no state; GUI thread only.
class ORVIKVIEWERCOMPONENTS6_EXPORT NodeMapFilter
{
public:
    NodeMapFilter() = delete;

    /// Finds, parses and walks the filter file for `nodeMapName` (a role name
    /// such as "@CameraDevice") and imposes every item on `collection`.
    /// True when a filter document was found, parsed and walked; single items
    /// that fail do not change the result.
    static bool apply(const QSharedPointer<ParameterCollection::IParameterCollection>& collection,
                      const QSharedPointer<Plugin::CameraPool::IBaseInfo>& info, const QString& nodeMapName);

    /// Fills `document` from the first filter file that opens among the
    /// candidates for the device's transport kind and `nodeMapName`. False
    /// when there is no camera information, no file opens or the file does
    /// not parse.
    static bool createDocument(QDomDocument& document, const QSharedPointer<Plugin::CameraPool::IBaseInfo>& info,
                               const QString& nodeMapName);

    /// Imposes one filter item (its first Name, Visibility and AccessMode
    /// descendants) on the feature of that name. True when the item was
    /// applied completely.
    static bool processElement(const QDomElement& item,
                               const QSharedPointer<ParameterCollection::IParameterCollection>& collection);
};
