#pragma once

#include "camerapool/ibaseinfo.h"

namespace Plugin {
namespace CameraPool {

/// Camera information with fixed answers, for hosts that know their device up
/// front (the emulated camera, a camera opened from the command line, tests).
class CAMERAPOOL_EXPORT StaticBaseInfo : public IBaseInfo
{
public:
    explicit StaticBaseInfo(QString deviceClass, QString friendlyName = QString(), QString serialNumber = QString(),
                            QString modelName = QString(), QString vendorName = QString());

    QString getDeviceClass() const override;
    QString getFriendlyName() const override;
    QString getSerialNumber() const override;
    QString getModelName() const override;
    QString getVendorName() const override;

private:
    QString m_deviceClass;
    QString m_friendlyName;
    QString m_serialNumber;
    QString m_modelName;
    QString m_vendorName;
};

} // namespace CameraPool
} // namespace Plugin
