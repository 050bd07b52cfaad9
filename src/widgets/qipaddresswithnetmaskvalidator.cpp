#include "widgets/qipaddresswithnetmaskvalidator.h"

#include "widgets/ipv4text_p.h"
#include "widgets/qipaddressvalidator.h"

namespace {

constexpr quint32 LimitedBroadcast = 0xFFFFFFFFu;

bool isLoopback(quint32 address)
{
    return (address & 0xFF000000u) == 0x7F000000u;
}

bool isMulticast(quint32 address)
{
    return (address & 0xF0000000u) == 0xE0000000u;
}

bool isExperimental(quint32 address)
{
    return (address & 0xF0000000u) == 0xF0000000u;
}

} // namespace

QIpAddressWithNetmaskValidator::QIpAddressWithNetmaskValidator(const QLineEdit* netmaskEdit, QObject* parent)
    : QValidator(parent)
    , m_netmaskEdit(netmaskEdit)
{ }

QValidator::State QIpAddressWithNetmaskValidator::validate(QString& text, int& pos) const
{
    if (text.trimmed().isEmpty())
        return m_allowNullAddress ? Acceptable : Intermediate;

    const std::optional<quint32> parsed = OrvikWidgets::parseDottedAddress(text);
    if (!parsed)
        return Intermediate;
    const quint32 address = *parsed;
    if (address == 0)
        return m_allowNullAddress ? Acceptable : Intermediate;

    const State addressState = QIpAddressValidator().validate(text, pos);
    if (addressState != Acceptable)
        return addressState;

    // A loopback address needs no subnet: it never leaves the host.
    if (isLoopback(address))
        return m_allowLoopbackAddress ? Acceptable : Intermediate;
    if (isMulticast(address) && !m_allowMulticastAddress)
        return Intermediate;
    if (isExperimental(address) && !m_allowExperimentalPurposeAddress)
        return Intermediate;
    if (address == LimitedBroadcast && !m_allowBroadcastAddress)
        return Intermediate;

    if (!m_netmaskEdit)
        return Acceptable;

    // An address is only accepted together with a usable mask. A mask typed as
    // "/n" is judged by the dotted mask it stands for, so "/24" checks the
    // subnet just like "255.255.255.0" does.
    const std::optional<quint32> mask = OrvikWidgets::usableNetmaskValue(m_netmaskEdit->text());
    if (!mask)
        return Intermediate;
    if (m_allowBroadcastAddress)
        return Acceptable;

    const quint32 network = address & *mask;
    const quint32 broadcast = network | ~*mask;
    if (address == network || address == broadcast)
        return Intermediate;
    return Acceptable;
}

void QIpAddressWithNetmaskValidator::setOption(bool& option, bool allow)
{
    if (option == allow)
        return;
    option = allow;
    emit changed();
}

void QIpAddressWithNetmaskValidator::setAllowLoopbackAddress(bool allow)
{
    setOption(m_allowLoopbackAddress, allow);
}

void QIpAddressWithNetmaskValidator::setAllowNullAddress(bool allow)
{
    setOption(m_allowNullAddress, allow);
}

void QIpAddressWithNetmaskValidator::setAllowBroadcastAddress(bool allow)
{
    setOption(m_allowBroadcastAddress, allow);
}

void QIpAddressWithNetmaskValidator::setAllowMulticastAddress(bool allow)
{
    setOption(m_allowMulticastAddress, allow);
}

void QIpAddressWithNetmaskValidator::setAllowExperimentalPurposeAddress(bool allow)
{
    setOption(m_allowExperimentalPurposeAddress, allow);
}
