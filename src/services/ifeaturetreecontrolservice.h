#pragma once

#include "genicam/genapienums.h"
#include "orvikviewercomponents6_export.h"
#include "servicecore/iservice.h"

#include <QString>

namespace Plugin {
namespace FeatureTree {

/// The service through which a plug-in steers the host's feature tree without
/// knowing its widgets. The host implements it; this library only declares it.
class ORVIKVIEWERCOMPONENTS6_EXPORT IFeatureTreeControlService : public Core::Service::IService
{
    Q_OBJECT
public:
    explicit IFeatureTreeControlService(QObject* parent);
    ~IFeatureTreeControlService() override;

    /// Shows the features up to `visibility` (Beginner, Expert or Guru), as
    /// the user's choice of level does.
    virtual void setVisibility(GenApi::EVisibility visibility) = 0;
    /// Makes the feature of that full name ("@CameraDevice/ExposureTime")
    /// current and scrolls to it, expanding its categories. False when the
    /// tree has no such feature or the current level hides it.
    virtual bool showFeature(const QString& fullName) = 0;
    /// Starts or stops polling the device for values that change by themselves.
    virtual void setPollingEnabled(bool enabled) = 0;
    /// Reads every shown value anew from the device.
    virtual void refresh() = 0;
};

} // namespace FeatureTree
} // namespace Plugin
