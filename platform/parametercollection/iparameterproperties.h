#pragma once

#include "parametercollection1_export.h"

#include <QString>

namespace ParameterCollection {

/// String properties of one node: "Unit", "Description", "Tooltip", "DocuURL",
/// "DisplayName", "Representation", and the imposable "Visibility" and "AccessMode".
/// "ImposedAccessMode" reads the access mode imposed on the node (empty when
/// none is); setting "AccessMode" to an empty text takes an imposed one back.
class PARAMETERCOLLECTION1_EXPORT IParameterProperties
{
public:
    virtual ~IParameterProperties();

    /// The property's text; empty when the node has no such property.
    virtual QString getProperty(const QString& key) const = 0;
    /// The property's text, or `defaultValue` when the node has no such property.
    virtual QString getProperty(const QString& key, const QString& defaultValue) const = 0;
    /// Sets a property. Implementations decide which keys may be set and throw
    /// a GenICam exception for the others and for values they cannot take.
    virtual void setProperty(const QString& key, const QString& value) = 0;
};

} // namespace ParameterCollection
