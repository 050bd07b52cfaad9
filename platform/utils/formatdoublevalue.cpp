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
    return textLocale.toString(value, isScientific(value, precision, flags) ? 'e' : 'f', precision);
}

bool isScientific(double value, int decimals, QFlags<FormatValueFlag> flags)
{
    if (flags.testFlag(FormatScientific))
        return true;
    if (!flags.testFlag(FormatAutomatic) || !std::isfinite(value) || value == 0.0)
        return false;
    const double magnitude = std::abs(value);
    return magnitude >= 1e9 || magnitude < 0.5 * std::pow(10.0, -qBound(0, decimals, 17));
}

} // namespace Utils
