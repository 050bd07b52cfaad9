#pragma once

#include "camerapool_export.h"

#include <QString>

namespace Plugin {
namespace CameraPool {

/// What the host knows about an opened camera. The feature tree only asks for
/// the transport kind, which selects the node map filter files.
class CAMERAPOOL_EXPORT IBaseInfo
{
public:
    virtual ~IBaseInfo();

    /// The device's transport kind as text, such as "GEV", "U3V", "CamEmu" or "IIDC".
    virtual QString getDeviceClass() const = 0;
    /// A name a user recognises the camera by.
    virtual QString getFriendlyName() const = 0;
    virtual QString getSerialNumber() const = 0;
    virtual QString getModelName() const = 0;
    virtual QString getVendorName() const = 0;
};

} // namespace CameraPool
} // namespace Plugin
