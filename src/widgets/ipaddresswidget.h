#pragma once

#include "orvikviewercomponents6_export.h"

#include <QDialog>
#include <QHostAddress>
#include <QString>

#include <memory>

class QIpAddressWithNetmaskValidator;
namespace Ui {
class IpAddressWidgetClass;
}

/// Modal dialog for a static IPv4 configuration: IP address, subnet mask,
/// default gateway and, optionally, a MAC address.
///
/// It proposes the classful subnet mask and a "0.0.0.0" gateway once an
/// address has been typed, rewrites a mask typed as "/n" into dotted form, and
/// enables OK only while every field holds an acceptable value. The host sets
/// and reads the values through the properties; the dialog applies them
/// nowhere.
class ORVIKVIEWERCOMPONENTS6_EXPORT IpAddressWidget : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString ipAddress READ ipAddress WRITE setIpAddress)
    Q_PROPERTY(QString subnetMask READ subnetMask WRITE setSubnetMask)
    Q_PROPERTY(QString defaultGateway READ defaultGateway WRITE setDefaultGateway)
    Q_PROPERTY(QString macAddress READ macAddress WRITE setMacAddress)
    Q_PROPERTY(bool showMacAddress READ showMacAddress WRITE setShowMacAddress)
    Q_PROPERTY(bool allowBroadcastAddress READ allowBroadcastAddress WRITE setAllowBroadcastAddress)
    Q_PROPERTY(bool allowMulticastAddress READ allowMulticastAddress WRITE setAllowMulticastAddress)
    Q_PROPERTY(bool allowExperiemntalPurposeAddress READ allowExperiemntalPurposeAddress WRITE
                   setAllowExperiemntalPurposeAddress)
public:
    explicit IpAddressWidget(QWidget* parent = nullptr);
    ~IpAddressWidget() override;

    QString ipAddress() const;
    void setIpAddress(QString address);
    QString subnetMask() const;
    void setSubnetMask(QString mask);
    QString defaultGateway() const;
    void setDefaultGateway(QString gateway);
    QString macAddress() const;
    void setMacAddress(QString address);

    /// Whether the MAC address row is shown and must hold an acceptable value
    /// for OK. Off by default: the row is hidden and its text not checked.
    bool showMacAddress() const { return m_showMacAddress; }
    void setShowMacAddress(bool show);
    /// Allow the network and broadcast addresses of the subnet and
    /// 255.255.255.255 as IP address.
    bool allowBroadcastAddress() const { return m_allowBroadcastAddress; }
    void setAllowBroadcastAddress(bool allow);
    /// Allow 224.0.0.0 to 239.255.255.255 as IP address.
    bool allowMulticastAddress() const { return m_allowMulticastAddress; }
    void setAllowMulticastAddress(bool allow);
    /// Allow 240.0.0.0 and above as IP address.
    bool allowExperiemntalPurposeAddress() const { return m_allowExperimentalPurposeAddress; }
    void setAllowExperiemntalPurposeAddress(bool allow);

    QString headerText() const;
    void setHeaderText(QString text);

    /// The classful mask of an address: 255.0.0.0 for 0.0.0.0 to 127.255.255.255,
    /// 255.255.0.0 up to 191.255.255.255, 255.255.255.0 up to 223.255.255.255;
    /// a null address for multicast and experimental addresses and for anything
    /// that is not an IPv4 address.
    static QHostAddress subnetFromAddress(const QHostAddress& address);
    /// The same for an address in dotted form; a null address when the text is
    /// not one.
    static QHostAddress subnetFromAddress(const QString& address);

public Q_SLOTS:
    /// Stores "0.0.0.0" in an empty gateway field, then accepts.
    void accept() override;

private Q_SLOTS:
    // Connected by object name when the form is set up.
    void on_editMacAddress_textEdited();
    void on_editIpAddress_textEdited();
    void on_editIpAddress_editingFinished();
    void on_editNetmask_textEdited();
    void on_editNetmask_editingFinished();
    void on_editDefaultGateway_textEdited();

private:
    void enableButtons();
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

    std::unique_ptr<Ui::IpAddressWidgetClass> m_ui;
    // The title and header the form last set: a host that set its own keeps them across a language change.
    QString m_formTitle;
    QString m_formHeader;
    // The user typed in the field since the dialog was last shown; a field the
    // user has touched is never filled in automatically.
    bool m_netmaskEdited = false;
    bool m_gatewayEdited = false;
    bool m_allowBroadcastAddress = false;
    bool m_allowMulticastAddress = false;
    bool m_allowExperimentalPurposeAddress = false;
    bool m_showMacAddress = false;
    // Judges the IP address against the subnet mask field for the OK button.
    std::unique_ptr<QIpAddressWithNetmaskValidator> m_addressValidator;
};
