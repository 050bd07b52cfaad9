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
    if (!isScientific(value, precision, flags))
        return textLocale.toString(value, 'f', precision);
    QString text = textLocale.toString(value, 'e', precision);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 writes the locale's exponent symbol ("E"); the texts keep the e of Qt 5.
    text.replace(textLocale.exponential(), QStringLiteral("e"));
#endif
    return text;
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
