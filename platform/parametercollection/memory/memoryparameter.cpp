#include "memoryparameter_p.h"

#include "genicam/genericexception.h"

namespace ParameterCollection {

namespace {
using Operation = MemoryParameterCollection::Operation;

[[noreturn]] void throwGone(const QString& name)
{
    GENICAM_THROW(AccessException, "The collection of node '" + name.toStdString() + "' no longer exists");
}
} // namespace

MemoryParameter::MemoryParameter(const QSharedPointer<MemoryNodeMap>& map, int index)
    : m_map(map)
    , m_index(index)
    , m_name(map->node(index).name)
    , m_fullName(map->node(index).fullName)
{
}

MemoryParameter::~MemoryParameter() = default;

QSharedPointer<MemoryNodeMap> MemoryParameter::map() const
{
    QSharedPointer<MemoryNodeMap> map = m_map.toStrongRef();
    if (!map)
        throwGone(m_name);
    return map;
}

int MemoryParameter::getType() const
{
    const auto m = map();
    m->enter(m_name, Operation::GetType);
    return m->typeCode(m_index);
}

GenApi::EVisibility MemoryParameter::getVisibility() const
{
    const auto m = map();
    QMutexLocker lock(&m->mutex());
    m->enter(m_name, Operation::GetVisibility);
    return m->visibilityOf(m_index);
}

bool MemoryParameter::isNull() const
{
    const QSharedPointer<MemoryNodeMap> m = m_map.toStrongRef();
    return !m || m->isClosed() || m->node(m_index).kind == MemoryNode::Null;
}

bool MemoryParameter::acceptsProperties() const
{
    const QSharedPointer<MemoryNodeMap> m = m_map.toStrongRef();
    return m && !m->isClosed();
}

bool MemoryParameter::isWritable() const
{
    const auto m = map();
    QMutexLocker lock(&m->mutex());
    m->enter(m_name, Operation::IsWritable);
    const GenApi::EAccessMode mode = m->accessOf(m_index);
    return mode == GenApi::RW || mode == GenApi::WO;
}

QSharedPointer<const ParameterData> MemoryParameter::getParameterData() const
{
    return map()->snapshot(m_index);
}

QSharedPointer<IParameterProperties> MemoryParameter::getProperties() const
{
    const auto m = map();
    m->enter(m_name, Operation::GetProperties);
    return QSharedPointer<MemoryParameterProperties>::create(m, m_index);
}

void MemoryParameter::setValue(const QString& value)
{
    map()->setText(m_index, value);
}

void MemoryParameter::setState(bool state)
{
    map()->setState(m_index, state);
}

void MemoryIntegerParameter::setValue(qint64 value, bool verify) { map()->setInteger(index(), value, verify); }
qint64 MemoryIntegerParameter::getValue() const { return map()->integerValue(index()); }
qint64 MemoryIntegerParameter::getMinimum() const { return map()->integerMinimum(index()); }
qint64 MemoryIntegerParameter::getMaximum() const { return map()->integerMaximum(index()); }
qint64 MemoryIntegerParameter::getIncrement() const { return map()->integerIncrement(index()); }

void MemoryFloatParameter::setValue(double value) { map()->setFloat(index(), value); }
double MemoryFloatParameter::getValue() const { return map()->floatValue(index()); }
double MemoryFloatParameter::getMinimum() const { return map()->floatMinimum(index()); }
double MemoryFloatParameter::getMaximum() const { return map()->floatMaximum(index()); }

bool MemoryBooleanParameter::getValue() const { return map()->booleanValue(index()); }
void MemoryBooleanParameter::setValue(bool value) { map()->setBoolean(index(), value); }

QString MemoryEnumParameter::getValue() const { return map()->enumValue(index()); }
QStringList MemoryEnumParameter::getEntryNames() const { return map()->enumEntryNames(index()); }

void MemoryCommandParameter::execute(bool verify) { map()->execute(index(), verify); }
bool MemoryCommandParameter::isDone() const { return map()->commandDone(index()); }

MemoryParameterProperties::MemoryParameterProperties(const QSharedPointer<MemoryNodeMap>& map, int index)
    : m_map(map)
    , m_index(index)
{
}

QSharedPointer<MemoryNodeMap> MemoryParameterProperties::map() const
{
    QSharedPointer<MemoryNodeMap> map = m_map.toStrongRef();
    if (!map)
        GENICAM_THROW(AccessException, "The collection of these properties no longer exists");
    return map;
}

QString MemoryParameterProperties::getProperty(const QString& key) const
{
    return map()->property(m_index, key, QString());
}

QString MemoryParameterProperties::getProperty(const QString& key, const QString& defaultValue) const
{
    return map()->property(m_index, key, defaultValue);
}

void MemoryParameterProperties::setProperty(const QString& key, const QString& value)
{
    map()->setProperty(m_index, key, value);
}

QSharedPointer<MemoryParameter> createParameterHandle(const QSharedPointer<MemoryNodeMap>& map, int index,
                                                      MemoryNode::Kind kind)
{
    switch (kind) {
    case MemoryNode::Integer:
        return QSharedPointer<MemoryIntegerParameter>::create(map, index);
    case MemoryNode::Float:
        return QSharedPointer<MemoryFloatParameter>::create(map, index);
    case MemoryNode::Boolean:
        return QSharedPointer<MemoryBooleanParameter>::create(map, index);
    case MemoryNode::Enumeration:
        return QSharedPointer<MemoryEnumParameter>::create(map, index);
    case MemoryNode::Command:
        return QSharedPointer<MemoryCommandParameter>::create(map, index);
    case MemoryNode::Category:
    case MemoryNode::String:
    case MemoryNode::Register:
    case MemoryNode::Null:
        break;
    }
    return QSharedPointer<MemoryParameter>::create(map, index);
}

} // namespace ParameterCollection
