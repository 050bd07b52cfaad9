#include "widgets/ipaddresswidget.h"

#include "ui_ipaddresswidget.h"
#include "widgets/ipv4text_p.h"
#include "widgets/qipaddressvalidator.h"
#include "widgets/qipaddresswithnetmaskvalidator.h"
#include "widgets/qipnetmaskvalidator.h"
#include "widgets/qmacaddressvalidator.h"

#include <QEvent>
#include <QPushButton>

#include <utility>

namespace {

const QString NullAddress = QStringLiteral("0.0.0.0");

bool hasAcceptableText(const QValidator& validator, QString text)
{
    int pos = 0;
    return validator.validate(text, pos) == QValidator::Acceptable;
}

} // namespace

IpAddressWidget::IpAddressWidget(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::IpAddressWidgetClass>())
{
    m_ui->setupUi(this);
    m_formTitle = windowTitle();
    m_formHeader = m_ui->labelHeader->text();
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);

    m_ui->editMacAddress->setValidator(new QMacAddressValidator(this));
    m_ui->editIpAddress->setValidator(new QIpAddressValidator(this));
    m_ui->editNetmask->setValidator(new QIpNetmaskValidator(this));
    auto* gatewayValidator = new QIpAddressWithNetmaskValidator(m_ui->editNetmask, this);
    gatewayValidator->setAllowNullAddress(true);
    m_ui->editDefaultGateway->setValidator(gatewayValidator);

    m_addressValidator = std::make_unique<QIpAddressWithNetmaskValidator>(m_ui->editNetmask);
    m_addressValidator->setAllowBroadcastAddress(m_allowBroadcastAddress);
    m_addressValidator->setAllowMulticastAddress(m_allowMulticastAddress);
    m_addressValidator->setAllowExperimentalPurposeAddress(m_allowExperimentalPurposeAddress);

    // The MAC row follows showMacAddress from the start: a visible field that
    // takes no part in the check would let an incomplete MAC address through.
    m_ui->labelMacAddress->setVisible(m_showMacAddress);
    m_ui->editMacAddress->setVisible(m_showMacAddress);

    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &IpAddressWidget::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &IpAddressWidget::reject);
    enableButtons();
}

IpAddressWidget::~IpAddressWidget() = default;

QString IpAddressWidget::ipAddress() const
{
    return m_ui->editIpAddress->text();
}

void IpAddressWidget::setIpAddress(QString address)
{
    m_ui->editIpAddress->setText(address);
    enableButtons();
}

QString IpAddressWidget::subnetMask() const
{
    return m_ui->editNetmask->text();
}

void IpAddressWidget::setSubnetMask(QString mask)
{
    m_ui->editNetmask->setText(mask);
    enableButtons();
}

QString IpAddressWidget::defaultGateway() const
{
    return m_ui->editDefaultGateway->text();
}

void IpAddressWidget::setDefaultGateway(QString gateway)
{
    m_ui->editDefaultGateway->setText(gateway);
    enableButtons();
}

QString IpAddressWidget::macAddress() const
{
    return m_ui->editMacAddress->text();
}

void IpAddressWidget::setMacAddress(QString address)
{
    m_ui->editMacAddress->setText(address);
    enableButtons();
}

void IpAddressWidget::setShowMacAddress(bool show)
{
    m_showMacAddress = show;
    m_ui->labelMacAddress->setVisible(show);
    m_ui->editMacAddress->setVisible(show);
    // Whether the MAC field counts changes what OK depends on.
    enableButtons();
}

// The option setters re-evaluate the OK button at once, so that it never shows
// the verdict of the previous options while the dialog is open.
void IpAddressWidget::setAllowBroadcastAddress(bool allow)
{
    m_allowBroadcastAddress = allow;
    m_addressValidator->setAllowBroadcastAddress(allow);
    enableButtons();
}

void IpAddressWidget::setAllowMulticastAddress(bool allow)
{
    m_allowMulticastAddress = allow;
    m_addressValidator->setAllowMulticastAddress(allow);
    enableButtons();
}

void IpAddressWidget::setAllowExperiemntalPurposeAddress(bool allow)
{
    m_allowExperimentalPurposeAddress = allow;
    m_addressValidator->setAllowExperimentalPurposeAddress(allow);
    enableButtons();
}

QString IpAddressWidget::headerText() const
{
    return m_ui->labelHeader->text();
}

void IpAddressWidget::setHeaderText(QString text)
{
    m_ui->labelHeader->setText(text);
}

QHostAddress IpAddressWidget::subnetFromAddress(const QHostAddress& address)
{
    bool isIpv4 = false;
    const quint32 value = address.toIPv4Address(&isIpv4);
    if (!isIpv4)
        return QHostAddress();
    if ((value & 0x80000000u) == 0)
        return QHostAddress(QStringLiteral("255.0.0.0"));
    if ((value & 0xC0000000u) == 0x80000000u)
        return QHostAddress(QStringLiteral("255.255.0.0"));
    if ((value & 0xE0000000u) == 0xC0000000u)
        return QHostAddress(QStringLiteral("255.255.255.0"));
    // Multicast and experimental addresses belong to no classful network.
    return QHostAddress();
}

QHostAddress IpAddressWidget::subnetFromAddress(const QString& address)
{
    const std::optional<quint32> value = OrvikWidgets::parseDottedAddress(address);
    if (!value)
        return QHostAddress();
    return subnetFromAddress(QHostAddress(*value));
}

void IpAddressWidget::accept()
{
    if (m_ui->editDefaultGateway->text().isEmpty())
        m_ui->editDefaultGateway->setText(NullAddress);
    QDialog::accept();
}

void IpAddressWidget::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    const QString title = windowTitle();
    const QString header = m_ui->labelHeader->text();
    m_ui->retranslateUi(this);
    const QString formTitle = std::exchange(m_formTitle, windowTitle());
    const QString formHeader = std::exchange(m_formHeader, m_ui->labelHeader->text());
    if (title != formTitle)
        setWindowTitle(title);
    if (header != formHeader)
        m_ui->labelHeader->setText(header);
}

void IpAddressWidget::showEvent(QShowEvent* event)
{
    m_netmaskEdited = false;
    m_gatewayEdited = false;
    enableButtons();
    QDialog::showEvent(event);
}

void IpAddressWidget::on_editMacAddress_textEdited()
{
    enableButtons();
}

void IpAddressWidget::on_editIpAddress_textEdited()
{
    enableButtons();
}

void IpAddressWidget::on_editIpAddress_editingFinished()
{
    bool changed = false;
    const QHostAddress mask = subnetFromAddress(m_ui->editIpAddress->text());
    if (!mask.isNull() && !m_netmaskEdited && m_ui->editNetmask->text().isEmpty()) {
        m_ui->editNetmask->setText(mask.toString());
        changed = true;
    }
    if (!m_gatewayEdited && m_ui->editDefaultGateway->text().isEmpty()) {
        m_ui->editDefaultGateway->setText(NullAddress);
        changed = true;
    }
    if (changed)
        enableButtons();
}

void IpAddressWidget::on_editNetmask_textEdited()
{
    m_netmaskEdited = true;
    enableButtons();
}

void IpAddressWidget::on_editNetmask_editingFinished()
{
    QString text = m_ui->editNetmask->text();
    m_ui->editNetmask->validator()->fixup(text);
    if (text != m_ui->editNetmask->text()) {
        m_ui->editNetmask->setText(text);
        enableButtons();
    }
}

void IpAddressWidget::on_editDefaultGateway_textEdited()
{
    m_gatewayEdited = true;
    enableButtons();
}

void IpAddressWidget::enableButtons()
{
    const bool macOk = !m_showMacAddress || m_ui->editMacAddress->hasAcceptableInput();
    const bool enable = macOk && m_ui->editNetmask->hasAcceptableInput()
        && m_ui->editDefaultGateway->hasAcceptableInput()
        && hasAcceptableText(*m_addressValidator, m_ui->editIpAddress->text());

    QPushButton* ok = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    ok->setEnabled(enable);
    ok->setDefault(enable);
}
