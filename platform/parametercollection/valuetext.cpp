#include "parametercollection/valuetext.h"

#include "genicam/genericexception.h"
#include "utils/formatdoublevalue.h"

#include <QStringList>

#include <cctype>
#include <cmath>
#include <limits>

namespace ParameterCollection {
namespace ValueText {

namespace {

[[noreturn]] void reject(const QString& text, const char* what)
{
    GENICAM_THROW(InvalidArgumentException, "'" + text.toStdString() + "' is not " + what);
}

quint64 parseHexBits(const QString& digits, const QString& original)
{
    if (digits.isEmpty() || digits.size() > 16)
        reject(original, "a hexadecimal number of 1 to 16 digits");
    for (QChar c : digits) {
        // toULongLong would also take a sign or blanks here.
        if (c.unicode() > 0x7F || !std::isxdigit(c.toLatin1()))
            reject(original, "a hexadecimal number");
    }
    bool ok = false;
    const quint64 value = digits.toULongLong(&ok, 16);
    if (!ok)
        reject(original, "a hexadecimal number");
    return value;
}

// Unsigned hexadecimal text is the register's bit pattern: 16 digits reach
// every 64-bit value, the upper half being the negative ones.
qint64 parseHex(const QString& digits, const QString& original)
{
    return static_cast<qint64>(parseHexBits(digits, original));
}

qint64 parseDecimalOrPrefixedHex(const QString& text, const QString& original)
{
    QString body = text;
    bool negative = false;
    if (body.startsWith(QLatin1Char('-')) || body.startsWith(QLatin1Char('+'))) {
        negative = body.startsWith(QLatin1Char('-'));
        body.remove(0, 1);
    }
    if (body.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        // With a sign the text is a number, not a bit pattern: it must fit.
        const quint64 magnitude = parseHexBits(body.mid(2), original);
        const bool signedText = body.size() != text.size();
        const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
        if (signedText && magnitude > limit)
            reject(original, "an integer in the 64-bit range");
        if (!negative)
            return static_cast<qint64>(magnitude);
        return magnitude == limit ? std::numeric_limits<qint64>::min() : -static_cast<qint64>(magnitude);
    }
    // toLongLong accepts exactly a sign and digits, and reports overflow.
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    if (!ok || body.isEmpty() || !body.at(0).isDigit())
        reject(original, "an integer in the 64-bit range");
    return value;
}

qint64 parseIpv4(const QString& text, const QString& original)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        reject(original, "an IPv4 address of four dotted numbers");
    quint32 address = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const uint byte = part.toUInt(&ok, 10);
        if (!ok || part.isEmpty() || part.size() > 3 || !part.at(0).isDigit() || byte > 255)
            reject(original, "an IPv4 address of four numbers from 0 to 255");
        address = (address << 8) | byte;
    }
    return static_cast<qint64>(address);
}

qint64 parseMac(const QString& text, const QString& original)
{
    QString digits;
    if (text.size() == 17) {
        const QChar separator = text.at(2);
        if (separator != QLatin1Char(':') && separator != QLatin1Char('-'))
            reject(original, "a MAC address such as 00:11:22:AA:BB:CC");
        for (int i = 0; i < 17; ++i) {
            if (i % 3 == 2) {
                if (text.at(i) != separator)
                    reject(original, "a MAC address with one kind of separator");
            } else {
                digits += text.at(i);
            }
        }
    } else if (text.size() == 12) {
        digits = text;
    } else {
        reject(original, "a MAC address of 12 hexadecimal digits");
    }
    for (QChar c : qAsConst(digits)) {
        if (!std::isxdigit(c.toLatin1()))
            reject(original, "a MAC address of hexadecimal digits");
    }
    return parseHex(digits, original);
}

} // namespace

qint64 parseInteger(const QString& original, const QString& representation)
{
    const QString text = original.trimmed();
    if (representation == QLatin1String("HexNumber")) {
        const bool prefixed = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
        return parseHex(prefixed ? text.mid(2) : text, original);
    }
    if (representation == QLatin1String("IPV4Address"))
        return parseIpv4(text, original);
    if (representation == QLatin1String("MACAddress"))
        return parseMac(text, original);
    if (representation == QLatin1String("Boolean"))
        return parseBoolean(text) ? 1 : 0;
    return parseDecimalOrPrefixedHex(text, original);
}

QString formatInteger(qint64 value, const QString& representation)
{
    const auto bits = static_cast<quint64>(value);
    if (representation == QLatin1String("HexNumber"))
        return QLatin1String("0x") + QString::number(bits, 16).toUpper();
    if (representation == QLatin1String("IPV4Address")) {
        return QStringLiteral("%1.%2.%3.%4")
            .arg((bits >> 24) & 0xFF)
            .arg((bits >> 16) & 0xFF)
            .arg((bits >> 8) & 0xFF)
            .arg(bits & 0xFF);
    }
    if (representation == QLatin1String("MACAddress")) {
        QStringList pairs;
        for (int shift = 40; shift >= 0; shift -= 8)
            pairs << QStringLiteral("%1").arg((bits >> shift) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
        return pairs.join(QLatin1Char(':'));
    }
    if (representation == QLatin1String("Boolean"))
        return formatBoolean(value != 0);
    return QString::number(value);
}

double parseFloat(const QString& original)
{
    const QString text = original.trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        reject(original, "a finite decimal number");
    return value;
}

QString formatRegister(const QByteArray& bytes, quint64 length, quint64 address, int shown)
{
    const QString where = QStringLiteral("%1 bytes at 0x%2").arg(length).arg(address, 8, 16, QLatin1Char('0'));
    if (bytes.isEmpty())
        return where;
    QString hex = QString::fromLatin1(bytes.left(shown).toHex(' ').toUpper());
    if (bytes.size() > shown)
        hex += QStringLiteral(" ...");
    return QStringLiteral("%1 (%2)").arg(hex, where);
}

Utils::FormatValueFlags notationFlags(int notation)
{
    return notation == NotationScientific ? Utils::FormatScientific
        : notation == NotationAutomatic   ? Utils::FormatAutomatic
                                          : Utils::FormatFixed;
}

QString formatFloat(double value, qint64 precision, int notation)
{
    return Utils::formatDoubleValue(value, static_cast<int>(qBound(qint64(0), precision, qint64(17))), notationFlags(notation),
                                    QLocale::c());
}

bool parseBoolean(const QString& original)
{
    const QString text = original.trimmed().toLower();
    if (text == QLatin1String("1") || text == QLatin1String("true") || text == QLatin1String("on")
        || text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("0") || text == QLatin1String("false") || text == QLatin1String("off")
        || text == QLatin1String("no"))
        return false;
    reject(original, "a boolean (1, 0, true, false, on, off, yes, no)");
}

QString formatBoolean(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

namespace {
const std::pair<GenApi::EVisibility, const char*> visibilityNames[] = { { GenApi::Beginner, "Beginner" },
                                                                        { GenApi::Expert, "Expert" },
                                                                        { GenApi::Guru, "Guru" },
                                                                        { GenApi::Invisible, "Invisible" } };
const std::pair<GenApi::EAccessMode, const char*> accessModeNames[]
    = { { GenApi::RW, "RW" }, { GenApi::RO, "RO" }, { GenApi::WO, "WO" }, { GenApi::NA, "NA" }, { GenApi::NI, "NI" } };

template<typename Enum, std::size_t N> QString nameOf(const std::pair<Enum, const char*> (&names)[N], Enum value)
{
    for (const auto& entry : names) {
        if (entry.first == value)
            return QString::fromLatin1(entry.second);
    }
    return QString();
}

template<typename Enum, std::size_t N>
std::optional<Enum> valueOf(const std::pair<Enum, const char*> (&names)[N], const QString& text)
{
    for (const auto& entry : names) {
        if (text == QLatin1String(entry.second))
            return entry.first;
    }
    return std::nullopt;
}
} // namespace

QString formatVisibility(GenApi::EVisibility visibility)
{
    return nameOf(visibilityNames, visibility);
}

QString formatAccessMode(GenApi::EAccessMode mode)
{
    return nameOf(accessModeNames, mode);
}

std::optional<GenApi::EVisibility> visibilityFromText(const QString& text)
{
    return valueOf(visibilityNames, text);
}

std::optional<GenApi::EAccessMode> accessModeFromText(const QString& text)
{
    return valueOf(accessModeNames, text);
}

GenApi::EVisibility parseImposedVisibility(const QString& text, const QString& nodeName)
{
    if (const auto v = visibilityFromText(text))
        return *v;
    GENICAM_THROW(InvalidArgumentException,
                  "'" + text.toStdString() + "' is no visibility (Beginner, Expert, Guru, Invisible) for node '"
                      + nodeName.toStdString() + "'");
}

GenApi::EAccessMode parseImposedAccessMode(const QString& text, const QString& nodeName)
{
    if (const auto m = accessModeFromText(text))
        return *m;
    GENICAM_THROW(InvalidArgumentException,
                  "'" + text.toStdString() + "' is no access mode (RW, RO, WO, NA, NI) for node '"
                      + nodeName.toStdString() + "'");
}

} // namespace ValueText
} // namespace ParameterCollection
