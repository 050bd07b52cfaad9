#include "parametercollection/parameterdata.h"

namespace ParameterCollection {

ParameterData::ParameterData() = default;
ParameterData::~ParameterData() = default;
ParameterData::ParameterData(const ParameterData&) = default;
ParameterData& ParameterData::operator=(const ParameterData&) = default;

bool ParameterData::operator==(const ParameterData& o) const
{
    // Doubles compare exactly on purpose: any change of the stored value is a change.
    return type == o.type && visibility == o.visibility && isReadable == o.isReadable
        && isWritable == o.isWritable && isImplemented == o.isImplemented && isAvailable == o.isAvailable
        && name == o.name && fullName == o.fullName && valueString == o.valueString && boolValue == o.boolValue
        && enumEntryNames == o.enumEntryNames && enumEntryDisplayNames == o.enumEntryDisplayNames
        && intValue == o.intValue && intMin == o.intMin && intMax == o.intMax && intInc == o.intInc
        && representation == o.representation && floatValue == o.floatValue && floatMin == o.floatMin
        && floatMax == o.floatMax && hasFloatInc == o.hasFloatInc && floatInc == o.floatInc
        && displayPrecision == o.displayPrecision && displayNotation == o.displayNotation;
}

} // namespace ParameterCollection
