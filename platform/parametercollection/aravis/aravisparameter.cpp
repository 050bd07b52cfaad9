#include "aravisparameter_p.h"
#include "genicam/genericexception.h"

namespace ParameterCollection {

namespace {
[[noreturn]] void throwGone(const QString& name)
{
    GENICAM_THROW(AccessException, "The collection of node '" + name.toStdString() + "' no longer exists");
}
} // namespace

AravisParameter::AravisParameter(const QSharedPointer<AravisNodeMap>& map, int index)
    : m_map(map)
    , m_index(index)
    , m_name(map->entry(index).name)
    , m_fullName(map->entry(index).fullName)
{ }

AravisParameter::~AravisParameter() = default;

QSharedPointer<AravisNodeMap> AravisParameter::map() const
{
    QSharedPointer<AravisNodeMap> map = m_map.toStrongRef();
    if (!map)
        throwGone(m_name);
    map->requireConnected();
    return map;
}

int AravisParameter::getType() const
{
    return map()->entry(m_index).type;
}

GenApi::EVisibility AravisParameter::getVisibility() const
{
    return map()->visibilityOf(m_index);
}

bool AravisParameter::isNull() const
{
    const QSharedPointer<AravisNodeMap> m = m_map.toStrongRef();
    return !m || m->entry(m_index).type == TypeNone;
}

bool AravisParameter::acceptsProperties() const
{
    return !m_map.isNull();
}

bool AravisParameter::isWritable() const
{
    const GenApi::EAccessMode mode = map()->accessOf(m_index);
    return mode == GenApi::RW || mode == GenApi::WO;
}

QSharedPointer<const ParameterData> AravisParameter::getParameterData() const
{
    return map()->snapshot(m_index);
}

QSharedPointer<IParameterProperties> AravisParameter::getProperties() const
{
    return QSharedPointer<AravisParameterProperties>::create(map(), m_index);
}

void AravisParameter::setValue(const QString& value)
{
    map()->setText(m_index, value);
}

void AravisParameter::setState(bool state)
{
    map()->setState(m_index, state);
}

void AravisIntegerParameter::setValue(qint64 value, bool verify)
{
    map()->setInteger(index(), value, verify);
}
qint64 AravisIntegerParameter::getValue() const
{
    return map()->integerValue(index());
}
qint64 AravisIntegerParameter::getMinimum() const
{
    return map()->integerMinimum(index());
}
qint64 AravisIntegerParameter::getMaximum() const
{
    return map()->integerMaximum(index());
}
qint64 AravisIntegerParameter::getIncrement() const
{
    return map()->integerIncrement(index());
}

void AravisFloatParameter::setValue(double value)
{
    map()->setFloat(index(), value);
}
double AravisFloatParameter::getValue() const
{
    return map()->floatValue(index());
}
double AravisFloatParameter::getMinimum() const
{
    return map()->floatMinimum(index());
}
double AravisFloatParameter::getMaximum() const
{
    return map()->floatMaximum(index());
}

bool AravisBooleanParameter::getValue() const
{
    return map()->booleanValue(index());
}
void AravisBooleanParameter::setValue(bool value)
{
    map()->setBoolean(index(), value);
}

QString AravisEnumParameter::getValue() const
{
    return map()->enumValue(index());
}
QStringList AravisEnumParameter::getEntryNames() const
{
    return map()->enumEntryNames(index());
}

void AravisCommandParameter::execute(bool verify)
{
    map()->execute(index(), verify);
}
bool AravisCommandParameter::isDone() const
{
    return map()->commandDone(index());
}

AravisParameterProperties::AravisParameterProperties(const QSharedPointer<AravisNodeMap>& map, int index)
    : m_map(map)
    , m_index(index)
{ }

QSharedPointer<AravisNodeMap> AravisParameterProperties::map() const
{
    QSharedPointer<AravisNodeMap> map = m_map.toStrongRef();
    if (!map)
        GENICAM_THROW(AccessException, "The collection of these properties no longer exists");
    return map;
}

QString AravisParameterProperties::getProperty(const QString& key) const
{
    return map()->property(m_index, key, QString());
}

QString AravisParameterProperties::getProperty(const QString& key, const QString& defaultValue) const
{
    return map()->property(m_index, key, defaultValue);
}

void AravisParameterProperties::setProperty(const QString& key, const QString& value)
{
    map()->setProperty(m_index, key, value);
}

QSharedPointer<AravisParameter> createAravisParameterHandle(const QSharedPointer<AravisNodeMap>& map, int index,
                                                            int type)
{
    switch (type) {
    case TypeInteger:
        return QSharedPointer<AravisIntegerParameter>::create(map, index);
    case TypeFloat:
        return QSharedPointer<AravisFloatParameter>::create(map, index);
    case TypeBoolean:
        return QSharedPointer<AravisBooleanParameter>::create(map, index);
    case TypeEnumeration:
        return QSharedPointer<AravisEnumParameter>::create(map, index);
    case TypeCommand:
        return QSharedPointer<AravisCommandParameter>::create(map, index);
    default:
        break;
    }
    return QSharedPointer<AravisParameter>::create(map, index);
}

} // namespace ParameterCollection
