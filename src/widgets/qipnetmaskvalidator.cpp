#include "widgets/qipnetmaskvalidator.h"

#include "widgets/ipv4text_p.h"
#include "widgets/qipaddressvalidator.h"

QIpNetmaskValidator::QIpNetmaskValidator(QObject* parent)
    : QValidator(parent)
{ }

QValidator::State QIpNetmaskValidator::validate(QString& text, int& pos) const
{
    QString simplified = text.simplified();
    if (simplified.startsWith(QLatin1Char('/')))
        return OrvikWidgets::parsePrefixLength(simplified) ? Acceptable : Intermediate;

    const State addressState = QIpAddressValidator().validate(simplified, pos);
    if (addressState != Acceptable)
        return addressState;

    const std::optional<quint32> mask = OrvikWidgets::parseDottedAddress(simplified);
    if (!mask)
        return Invalid;
    return OrvikWidgets::isUsableNetmask(*mask) ? Acceptable : Intermediate;
}

void QIpNetmaskValidator::fixup(QString& text) const
{
    // A slash followed by anything but a number names no mask; such a text is
    // left for the user to correct rather than replaced by 0.0.0.0.
    if (const std::optional<int> length = OrvikWidgets::parsePrefixLength(text))
        text = OrvikWidgets::toDottedAddress(OrvikWidgets::maskFromPrefixLength(*length));
}
