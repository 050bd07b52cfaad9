#pragma once

#include "parametercollection/iparameter.h"

#include <QStringList>

namespace ParameterCollection {

/// An enumeration feature. Obtained with qSharedPointerDynamicCast from an IParameter handle.
class PARAMETERCOLLECTION1_EXPORT IEnumParameter : public virtual IParameter
{
public:
    ~IEnumParameter() override;

    /// Symbolic name of the current entry.
    virtual QString getValue() const = 0;
    /// Symbolic names of the entries that are currently available, in order.
    virtual QStringList getEntryNames() const = 0;
};

} // namespace ParameterCollection
