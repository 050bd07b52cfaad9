#pragma once

#include "utils1_export.h"

#include <QFlags>
#include <QLocale>
#include <QString>

namespace Utils {

/// How formatDoubleValue presents a number.
enum FormatValueFlag {
    /// Fixed-point with exactly the requested decimals, no group separators.
    FormatFixed = 0x1,
    /// Scientific notation with the requested decimals in the mantissa; for
    /// magnitudes where fixed-point would be unreadably long (beyond 1e9).
    FormatScientific = 0x2,
    /// Fixed-point, or scientific for a magnitude of 1e9 or more and for a
    /// value that fixed-point would show as zeros only (GenICam's automatic
    /// display notation).
    FormatAutomatic = 0x4
};
Q_DECLARE_FLAGS(FormatValueFlags, FormatValueFlag)

/// Display text of a number with `decimals` decimals (negative counts as 0) in
/// `locale`. Without any flag, or with FormatFixed, the text is fixed-point;
/// FormatScientific wins over the others, FormatAutomatic over FormatFixed. Group separators are left out so
/// that the text parses back with the same locale. Zero always formats to a
/// text whose C-locale QString::toDouble() is 0.0 (for example "0,00" fails to
/// parse there, which QString::toDouble() reports as 0.0 as well), and negative
/// zero is shown as zero.
UTILS1_EXPORT QString formatDoubleValue(double value, int decimals, QFlags<FormatValueFlag> flags,
                                        const QLocale& locale);

/// True when formatDoubleValue writes `value` in scientific notation.
UTILS1_EXPORT bool isScientific(double value, int decimals, QFlags<FormatValueFlag> flags);

} // namespace Utils

Q_DECLARE_OPERATORS_FOR_FLAGS(Utils::FormatValueFlags)
