#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

/// File > Open Camera: the devices Aravis finds, with vendor, model, serial
/// number and address. Discovery runs only when the user asks (Refresh), on a
/// thread of its own, since it waits on the network.
class OpenCameraDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OpenCameraDialog(QWidget* parent = nullptr);

    /// The Aravis id of the chosen device; empty when none is chosen.
    QString deviceId() const;

public Q_SLOTS:
    void refresh();

private:
    struct Device
    {
        QString id, vendor, model, serial, address, protocol;
    };
    void show(const QList<Device>& devices);

    QTreeWidget* m_devices = nullptr; // Owned by the dialog.
    QPushButton* m_refresh = nullptr; // Owned by the dialog.
    QPushButton* m_open = nullptr; // Owned by the button box.
    QLabel* m_status = nullptr; // Owned by the dialog.
};
