#include "utils/formatdoublevalue.h"

#include <cmath>

namespace Utils {

QString formatDoubleValue(double value, int decimals, QFlags<FormatValueFlag> flags, const QLocale& locale)
{
    if (std::isnan(value))
        return locale.toString(value);
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (value == 0.0)
        value = 0.0; // folds -0.0 into 0.0 so that no "-0" is ever shown

    // QLocale caps the precision well below what a double could ask for.
    const int precision = qBound(0, decimals, 17);
    QLocale textLocale(locale);
    textLocale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    const char format = flags.testFlag(FormatScientific) ? 'e' : 'f';
    return textLocale.toString(value, format, precision);
}

} // namespace Utils
