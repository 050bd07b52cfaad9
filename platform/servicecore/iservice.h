#pragma once

#include "rizovuraror1_export.h"

#include <QObject>

namespace Core {
namespace Service {

/// Base class of the services a host application registers for its plug-ins.
/// It adds nothing to QObject but a common type: plug-ins find a service with
/// qobject_cast on the objects the host's registry hands out.
class RIZOVURAROR1_EXPORT IService : public QObject
{
    Q_OBJECT
public:
    explicit IService(QObject* parent = nullptr);
    ~IService() override;
};

} // namespace Service
} // namespace Core
