#pragma once

#include "parametercollection/iparameter.h"

namespace ParameterCollection {

/// A command feature. Obtained with qSharedPointerDynamicCast from an IParameter handle.
class PARAMETERCOLLECTION1_EXPORT ICommandParameter : public virtual IParameter
{
public:
    ~ICommandParameter() override;

    /// Executes the command; `verify` asks for the access checks.
    virtual void execute(bool verify) = 0;
    /// The command has finished; a busy command answers false for a while.
    virtual bool isDone() const = 0;
};

} // namespace ParameterCollection
