#pragma once

#include "orvikviewercomponents6_export.h"

#include <QLineEdit>
#include <QPointer>
#include <QValidator>

/// Checks an IPv4 address together with the subnet mask typed into a second
/// line edit: the address is Acceptable only when it is a usable host address
/// of its subnet under that mask.
///
/// Special addresses (null, loopback, multicast, experimental, broadcast) are
/// Intermediate unless the matching option allows them. Without a netmask
/// line edit the subnet checks are skipped.
class ORVIKVIEWERCOMPONENTS6_EXPORT QIpAddressWithNetmaskValidator : public QValidator
{
    Q_OBJECT
    Q_PROPERTY(bool allowLoopbackAddress READ allowLoopbackAddress WRITE setAllowLoopbackAddress)
    Q_PROPERTY(bool allowNullAddress READ allowNullAddress WRITE setAllowNullAddress)
    Q_PROPERTY(bool allowBroadcastAddress READ allowBroadcastAddress WRITE setAllowBroadcastAddress)
    Q_PROPERTY(bool allowMulticastAddress READ allowMulticastAddress WRITE setAllowMulticastAddress)
    Q_PROPERTY(bool allowExperimentalPurposeAddress READ allowExperimentalPurposeAddress WRITE
                   setAllowExperimentalPurposeAddress)
public:
    /// netmaskEdit is not owned and may be null; if it is destroyed before the
    /// validator, the validator behaves as if it had none.
    explicit QIpAddressWithNetmaskValidator(const QLineEdit* netmaskEdit = nullptr, QObject* parent = nullptr);

    // The setters emit changed() when an option changes.

    State validate(QString& text, int& pos) const override;

    /// Loopback addresses, 127.x.x.x.
    bool allowLoopbackAddress() const { return m_allowLoopbackAddress; }
    void setAllowLoopbackAddress(bool allow);
    /// An empty text or 0.0.0.0, which hosts use for "no address" (for example
    /// no default gateway).
    bool allowNullAddress() const { return m_allowNullAddress; }
    void setAllowNullAddress(bool allow);
    /// 255.255.255.255 and the network and broadcast addresses of the subnet.
    bool allowBroadcastAddress() const { return m_allowBroadcastAddress; }
    void setAllowBroadcastAddress(bool allow);
    /// Multicast addresses, 224.0.0.0 to 239.255.255.255.
    bool allowMulticastAddress() const { return m_allowMulticastAddress; }
    void setAllowMulticastAddress(bool allow);
    /// Addresses reserved for experiments, 240.0.0.0 and above.
    bool allowExperimentalPurposeAddress() const { return m_allowExperimentalPurposeAddress; }
    void setAllowExperimentalPurposeAddress(bool allow);

private:
    void setOption(bool& option, bool allow);

    QPointer<const QLineEdit> m_netmaskEdit; // Not owned.
    bool m_allowLoopbackAddress = false;
    bool m_allowNullAddress = false;
    bool m_allowBroadcastAddress = false;
    bool m_allowMulticastAddress = false;
    bool m_allowExperimentalPurposeAddress = false;
};
