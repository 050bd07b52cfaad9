#include "opencameradialog.h"

#include "backgroundwork.h"
#include "common/exceptionlog.h"

#ifdef ORVIK_HAVE_ARAVIS
#include "parametercollection/aravis/aravisparametercollection.h"
#endif

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSharedPointer>
#include <QTreeWidget>
#include <QVBoxLayout>

OpenCameraDialog::OpenCameraDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Open Camera"));
    setObjectName(QStringLiteral("OpenCameraDialog"));
    auto* layout = new QVBoxLayout(this);
    m_devices = new QTreeWidget(this);
    m_devices->setObjectName(QStringLiteral("devices"));
    m_devices->setRootIsDecorated(false);
    m_devices->setHeaderLabels({ tr("Vendor"), tr("Model"), tr("Serial Number"), tr("Address"), tr("Device ID") });
    layout->addWidget(m_devices);
    m_status = new QLabel(tr("Press Refresh to look for cameras."), this);
    layout->addWidget(m_status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    m_refresh = buttons->addButton(tr("&Refresh"), QDialogButtonBox::ActionRole);
    m_refresh->setObjectName(QStringLiteral("refresh"));
    m_open = buttons->button(QDialogButtonBox::Open);
    m_open->setEnabled(false);
    layout->addWidget(buttons);
    connect(m_refresh, &QPushButton::clicked, this, &OpenCameraDialog::refresh);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_devices, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_open->setEnabled(!m_devices->selectedItems().isEmpty()); });
    connect(m_devices, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(720, 320);
}

QString OpenCameraDialog::deviceId() const
{
    const QList<QTreeWidgetItem*> selected = m_devices->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(4);
}

void OpenCameraDialog::refresh()
{
    m_refresh->setEnabled(false);
    m_status->setText(tr("Looking for cameras..."));
    auto found = QSharedPointer<QList<Device>>::create();
    BackgroundWork::start(
        [found] {
#ifdef ORVIK_HAVE_ARAVIS
            try {
                for (const ParameterCollection::AravisDeviceInfo& d :
                     ParameterCollection::AravisParameterCollection::listDevices(true))
                    found->append(Device { d.id, d.vendor, d.model, d.serialNumber, d.address, d.protocol });
            } catch (const std::exception& e) {
                qWarning("Failed to list the cameras.");
                ExceptionLog::logException("OpenCameraDialog::refresh", e);
            }
#else
            Q_UNUSED(found)
#endif
        },
        this, [this, found] { show(*found); });
}

void OpenCameraDialog::show(const QList<Device>& devices)
{
    m_devices->clear();
    for (const Device& d : devices)
        new QTreeWidgetItem(m_devices, { d.vendor, d.model, d.serial, d.address, d.id });
    for (int c = 0; c < m_devices->columnCount(); ++c)
        m_devices->resizeColumnToContents(c);
    m_status->setText(tr("%n camera(s) found.", nullptr, devices.size()));
    m_refresh->setEnabled(true);
}
