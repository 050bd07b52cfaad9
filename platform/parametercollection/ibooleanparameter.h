#pragma once

#include "parametercollection/iparameter.h"

namespace ParameterCollection {

/// A boolean feature. Obtained with qSharedPointerDynamicCast from an IParameter handle.
class PARAMETERCOLLECTION1_EXPORT IBooleanParameter : public virtual IParameter
{
public:
    ~IBooleanParameter() override;

    virtual bool getValue() const = 0;
    using IParameter::setValue;
    virtual void setValue(bool value) = 0;
};

} // namespace ParameterCollection
