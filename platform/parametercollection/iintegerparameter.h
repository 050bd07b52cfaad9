#pragma once

#include "parametercollection/iparameter.h"

namespace ParameterCollection {

/// An integer feature. Obtained with qSharedPointerDynamicCast from an IParameter handle.
class PARAMETERCOLLECTION1_EXPORT IIntegerParameter : public virtual IParameter
{
public:
    ~IIntegerParameter() override;

    using IParameter::setValue;
    /// Writes `value`; with `verify` the range and increment are checked.
    virtual void setValue(qint64 value, bool verify) = 0;
    virtual qint64 getValue() const = 0;
    virtual qint64 getMinimum() const = 0;
    virtual qint64 getMaximum() const = 0;
    virtual qint64 getIncrement() const = 0;
};

} // namespace ParameterCollection
