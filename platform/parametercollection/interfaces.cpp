// Out-of-line destructors anchor the interfaces' vtables and type information in
// this library, so that casts and catches work across library boundaries.
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/metatypes.h"

#include <QCoreApplication>

namespace ParameterCollection {

IParameter::IParameter(QObject* parent)
    : QObject(parent)
{ }
IParameter::~IParameter() = default;
IBooleanParameter::~IBooleanParameter() = default;
ICommandParameter::~ICommandParameter() = default;
IEnumParameter::~IEnumParameter() = default;
IFloatParameter::~IFloatParameter() = default;
IIntegerParameter::~IIntegerParameter() = default;
IParameterProperties::~IParameterProperties() = default;

IParameterCollection::IParameterCollection(QObject* parent)
    : QObject(parent)
{ }
IParameterCollection::~IParameterCollection() = default;

IParameterCollection::ConnectionState IParameterCollection::connectionState() const
{
    return m_connectionState.load();
}

void IParameterCollection::reconnect() { }

FeatureDependencies IParameterCollection::getDependencies(const QString&)
{
    return {};
}

bool IParameterCollection::setConnectionState(ConnectionState state)
{
    // The exchange makes one caller the announcer when threads race on a change.
    if (m_connectionState.exchange(state) == state)
        return false;
    emit connectionStateChanged(state);
    return true;
}

void registerMetaTypes()
{
    qRegisterMetaType<QSharedPointer<const ParameterData>>("QSharedPointer<const ParameterCollection::ParameterData>");
    qRegisterMetaType<QSharedPointer<IParameter>>("QSharedPointer<ParameterCollection::IParameter>");
    qRegisterMetaType<QSharedPointer<IParameterCollection>>(
        "QSharedPointer<ParameterCollection::IParameterCollection>");
    qRegisterMetaType<GenApi::EVisibility>("GenApi::EVisibility");
    qRegisterMetaType<GenApi::EAccessMode>("GenApi::EAccessMode");
    qRegisterMetaType<IParameterCollection::ConnectionState>(
        "ParameterCollection::IParameterCollection::ConnectionState");
}

} // namespace ParameterCollection

namespace {
void registerMetaTypesAtStartup()
{
    ParameterCollection::registerMetaTypes();
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(registerMetaTypesAtStartup)
