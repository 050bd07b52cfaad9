#include "services/ifeaturetreestatusservice.h"

#include <QMetaType>

namespace Plugin {
namespace FeatureTree {

namespace {
void registerArgumentTypes()
{
    // The shared pointer and the visibility enumeration under their
    // spelled-out names (the pointer with the conversion to QObject* that Qt
    // adds for shared pointers to QObject subclasses).
    ParameterCollection::registerMetaTypes();
}
} // namespace

IFeatureTreeStatusService::IFeatureTreeStatusService(QObject* parent)
    : Core::Service::IService(parent)
{
    // Once per process, thread-safe; a connection to a service needs an
    // instance, so registering here is early enough.
    static const bool registered = (registerArgumentTypes(), true);
    Q_UNUSED(registered)
}

IFeatureTreeStatusService::~IFeatureTreeStatusService() = default;

} // namespace FeatureTree
} // namespace Plugin
