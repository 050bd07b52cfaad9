// Value texts: the first byte picks a representation, the rest is the text.
// Oracle: an accepted integer formats to a text that parses back to it.
#include "fuzz.h"
#include "parametercollection/valuetext.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    namespace VT = ParameterCollection::ValueText;
    static const char* const representations[] = {"PureNumber", "HexNumber", "Linear", "Logarithmic",
                                                  "IPV4Address", "MACAddress", "Boolean", "float", "boolean"};
    if (size == 0)
        return 0;
    const QString representation = QLatin1String(representations[data[0] % 9]);
    const QString text = QString::fromUtf8(Fuzz::bytes(data + 1, size - 1));
    Fuzz::refusable([&] {
        if (representation == QLatin1String("float")) {
            const double value = VT::parseFloat(text);
            const QString text17 = VT::formatFloat(value, 17, ParameterCollection::NotationScientific);
            Fuzz::require(std::isfinite(value) && VT::parseFloat(text17) == value);
        } else if (representation == QLatin1String("boolean")) {
            Fuzz::require(VT::parseBoolean(VT::formatBoolean(VT::parseBoolean(text))) == VT::parseBoolean(text));
        } else {
            const qint64 value = VT::parseInteger(text, representation);
            Fuzz::require(VT::parseInteger(VT::formatInteger(value, representation), representation) == value);
        }
    });
    return 0;
}
