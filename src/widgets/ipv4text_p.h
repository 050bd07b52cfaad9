#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// Text helpers shared by the address validators and the IP address dialog.
//
// The dotted form is read here rather than by QHostAddress because
// QHostAddress also accepts the inet_aton forms: "192.168.1.010" reads as
// 192.168.1.8 (octal) and "1.2.3.0x10" as 1.2.3.16 (hexadecimal). A field
// that shows one address while every reader of its text gets another one is
// worse than a refused keystroke, so only plain decimal parts are accepted.
namespace OrvikWidgets {

/// The value of one part of a dotted address: 0 to 255 in decimal, blanks
/// around it allowed, no sign and no leading zero (which would read as octal).
inline std::optional<quint32> parseAddressPart(const QString& part)
{
    const QString digits = part.trimmed();
    if (digits.isEmpty() || digits.size() > 3)
        return std::nullopt;
    if (digits.size() > 1 && digits.at(0) == QLatin1Char('0'))
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + quint32(c.unicode() - '0');
    }
    if (value > 255)
        return std::nullopt;
    return value;
}

/// The 32-bit value (host order, first part most significant) of a complete
/// "a.b.c.d" text, or nothing when the text is not exactly that.
inline std::optional<quint32> parseDottedAddress(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    quint32 value = 0;
    for (const QString& part : parts) {
        const std::optional<quint32> byte = parseAddressPart(part);
        if (!byte)
            return std::nullopt;
        value = (value << 8) | *byte;
    }
    return value;
}

inline QString toDottedAddress(quint32 value)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg((value >> 24) & 0xFF)
        .arg((value >> 16) & 0xFF)
        .arg((value >> 8) & 0xFF)
        .arg(value & 0xFF);
}

/// The prefix length of a mask written as "/n" (blanks allowed around the
/// number): one or two decimal digits. Nothing for any other text, including a
/// number out of the range 0 to 32.
inline std::optional<int> parsePrefixLength(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(QLatin1Char('/')))
        return std::nullopt;
    const QString digits = trimmed.mid(1).trimmed();
    if (digits.isEmpty() || digits.size() > 2)
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value > 32)
        return std::nullopt;
    return value;
}

/// The mask with the given number (0 to 32) of leading one bits.
inline quint32 maskFromPrefixLength(int length)
{
    // Shifting a 32-bit value by 32 is undefined, hence the 64-bit detour.
    return quint32((quint64(0xFFFFFFFFu) << (32 - length)) & 0xFFFFFFFFu);
}

/// True for a mask of 1 to 30 leading one bits followed only by zero bits
/// (128.0.0.0 up to 255.255.255.252): a mask that leaves at least one usable
/// host address besides the network and broadcast addresses. 0.0.0.0, /31 and
/// /32 masks and masks with gaps in their one bits are not usable.
inline bool isUsableNetmask(quint32 mask)
{
    const quint32 hostBits = ~mask;
    // The host bits must be a contiguous run of ones starting at bit 0 ...
    if ((hostBits & (hostBits + 1)) != 0)
        return false;
    // ... of at least 2 and at most 31 bits.
    return hostBits >= 0x3u && hostBits <= 0x7FFFFFFFu;
}

/// The value of a usable mask written either dotted or as "/n"; nothing for
/// any other text. A prefix is judged by the dotted mask it stands for, so
/// "/24" gives 255.255.255.0 while "/32" gives nothing, just as
/// "255.255.255.255" does.
inline std::optional<quint32> usableNetmaskValue(const QString& text)
{
    std::optional<quint32> mask;
    if (const std::optional<int> length = parsePrefixLength(text))
        mask = maskFromPrefixLength(*length);
    else
        mask = parseDottedAddress(text);
    if (mask && isUsableNetmask(*mask))
        return mask;
    return std::nullopt;
}

} // namespace OrvikWidgets
