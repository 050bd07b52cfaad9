#pragma once

#include "genicam/genapienums.h"
#include "orvikviewercomponents6_export.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/metatypes.h"
#include "servicecore/iservice.h"

#include <QSharedPointer>
#include <QString>

namespace Plugin {
namespace FeatureTree {

/// The service through which the host tells its plug-ins what the feature
/// tree shows: the visibility level, the current feature, and a text for the
/// description or status area. The host emits the signals; this library
/// declares them.
///
/// The argument types are registered meta-types (registered when the first
/// instance is made), so the signals may be connected across threads.
class ORVIKVIEWERCOMPONENTS6_EXPORT IFeatureTreeStatusService : public Core::Service::IService
{
    Q_OBJECT
public:
    explicit IFeatureTreeStatusService(QObject* parent);
    ~IFeatureTreeStatusService() override;

Q_SIGNALS:
    /// The tree's new visibility level.
    void visibilityChanged(GenApi::EVisibility visibility);
    /// The parameter that became current.
    void currentChanged(QSharedPointer<ParameterCollection::IParameter> parameter);
    /// A text for the host's description or status area.
    void newText(QString text);
};

} // namespace FeatureTree
} // namespace Plugin
