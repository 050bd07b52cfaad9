#include "widgets/qipaddressvalidator.h"

#include "widgets/ipv4text_p.h"

QIpAddressValidator::QIpAddressValidator(QObject* parent)
    : QValidator(parent)
{ }

QValidator::State QIpAddressValidator::validate(QString& text, int& pos) const
{
    Q_UNUSED(pos)
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 4)
        return Invalid;

    // Every part typed so far must be the start of a valid part; an empty part
    // is still to be typed.
    int leadingFilledParts = 0;
    bool gapSeen = false;
    for (const QString& part : parts) {
        if (part.trimmed().isEmpty()) {
            gapSeen = true;
            continue;
        }
        if (!OrvikWidgets::parseAddressPart(part))
            return Invalid;
        if (!gapSeen)
            ++leadingFilledParts;
    }
    if (leadingFilledParts < 4)
        return Intermediate;

    const std::optional<quint32> address = OrvikWidgets::parseDottedAddress(text);
    if (!address)
        return Invalid;
    // 0.0.0.x names no host; the user is probably still typing the address.
    return *address >= 256 ? Acceptable : Intermediate;
}
