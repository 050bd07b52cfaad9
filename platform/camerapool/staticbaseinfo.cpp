#include "camerapool/staticbaseinfo.h"

#include <utility>

namespace Plugin {
namespace CameraPool {

StaticBaseInfo::StaticBaseInfo(QString deviceClass, QString friendlyName, QString serialNumber, QString modelName,
                               QString vendorName)
    : m_deviceClass(std::move(deviceClass))
    , m_friendlyName(std::move(friendlyName))
    , m_serialNumber(std::move(serialNumber))
    , m_modelName(std::move(modelName))
    , m_vendorName(std::move(vendorName))
{
}

QString StaticBaseInfo::getDeviceClass() const { return m_deviceClass; }
QString StaticBaseInfo::getFriendlyName() const { return m_friendlyName; }
QString StaticBaseInfo::getSerialNumber() const { return m_serialNumber; }
QString StaticBaseInfo::getModelName() const { return m_modelName; }
QString StaticBaseInfo::getVendorName() const { return m_vendorName; }

} // namespace CameraPool
} // namespace Plugin
