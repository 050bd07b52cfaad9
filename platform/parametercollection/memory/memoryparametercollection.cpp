#include "parametercollection/memoryparametercollection.h"

#include "genicam/genericexception.h"
#include "memoryparameter_p.h"

#include <QFile>

namespace ParameterCollection {

using Operation = MemoryParameterCollection::Operation;

MemoryParameterCollection::MemoryParameterCollection(QSharedPointer<MemoryNodeMap> map)
    : m_map(std::move(map))
{
    m_map->setConnectionListener([this](ConnectionState state) { setConnectionState(state); });
}

MemoryParameterCollection::~MemoryParameterCollection()
{
    // Parameters may keep the node map alive; it must not call back into a collection that is gone.
    m_map->setConnectionListener({});
}

QSharedPointer<MemoryParameterCollection> MemoryParameterCollection::fromXml(const QByteArray& xml,
                                                                             const QString& sourceName,
                                                                             TextEncoding encoding)
{
    QSharedPointer<MemoryNodeMap> map = MemoryNodeMap::load(xml, sourceName);
    map->setEncoding(encoding);
    return QSharedPointer<MemoryParameterCollection>(new MemoryParameterCollection(std::move(map)));
}

QSharedPointer<MemoryParameterCollection> MemoryParameterCollection::fromFile(const QString& path,
                                                                              TextEncoding encoding)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        GENICAM_THROW(InvalidArgumentException, "Cannot open the node map '" + path.toStdString()
                                                    + "': " + file.errorString().toStdString());
    return fromXml(file.readAll(), path, encoding);
}

QString MemoryParameterCollection::getRoleName() const
{
    return m_map->role();
}

QSharedPointer<IParameter> MemoryParameterCollection::getParameter(const QString& name)
{
    m_map->enter(QString(), Operation::GetParameter);
    const int i = m_map->indexOf(name);
    if (i < 0)
        return {};
    return m_map->handle(i);
}

QStringList MemoryParameterCollection::getChildren(const QString& fullName, int, bool)
{
    return m_map->children(fullName);
}

bool MemoryParameterCollection::hasParameter(const QString& fullName)
{
    m_map->enter(QString(), Operation::HasParameter);
    return m_map->indexOf(fullName) >= 0;
}

void MemoryParameterCollection::refresh()
{
    m_map->refresh();
}

void MemoryParameterCollection::poll(qint64 intervalMs)
{
    m_map->poll(intervalMs);
}

FeatureDependencies MemoryParameterCollection::getDependencies(const QString& fullName)
{
    m_map->enter(QString(), Operation::GetParameter);
    return m_map->dependencies(m_map->indexOf(fullName));
}

MemoryParameterCollection::TextEncoding MemoryParameterCollection::textEncoding() const
{
    return m_map->encoding();
}

void MemoryParameterCollection::setTextEncoding(TextEncoding encoding)
{
    m_map->setEncoding(encoding);
}

QStringList MemoryParameterCollection::nodeNames() const
{
    QStringList names;
    for (int i = 0; i < m_map->nodeCount(); ++i)
        names << m_map->node(i).name;
    return names;
}

void MemoryParameterCollection::injectFault(const QString& nodeName, Operation operation, FaultKind kind, int count)
{
    m_map->injectFault(nodeName, operation, kind, count);
}

void MemoryParameterCollection::clearFaults()
{
    m_map->clearFaults();
}

void MemoryParameterCollection::close()
{
    m_map->close();
}

bool MemoryParameterCollection::isClosed() const
{
    return m_map->isClosed();
}

void MemoryParameterCollection::disconnectDevice()
{
    m_map->disconnectDevice();
}

void MemoryParameterCollection::stallDevice(int timeoutMs)
{
    m_map->stallDevice(timeoutMs);
}

void MemoryParameterCollection::reconnectDevice()
{
    m_map->reconnectDevice();
}

void MemoryParameterCollection::setControlledElsewhere(bool elsewhere)
{
    m_map->setControlledElsewhere(elsewhere);
}

} // namespace ParameterCollection
