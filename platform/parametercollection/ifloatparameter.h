#pragma once

#include "parametercollection/iparameter.h"

namespace ParameterCollection {

/// A floating-point feature. Obtained with qSharedPointerDynamicCast from an IParameter handle.
class PARAMETERCOLLECTION1_EXPORT IFloatParameter : public virtual IParameter
{
public:
    ~IFloatParameter() override;

    using IParameter::setValue;
    virtual void setValue(double value) = 0;
    virtual double getValue() const = 0;
    virtual double getMinimum() const = 0;
    virtual double getMaximum() const = 0;
};

} // namespace ParameterCollection
