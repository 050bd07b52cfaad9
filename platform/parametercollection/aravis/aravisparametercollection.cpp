#include "parametercollection/aravis/aravisparametercollection.h"

#include "aravisnodemap_p.h"
#include "aravisparameter_p.h"
#include "aravisxml_p.h"
#include "genicamzip_p.h"
#include "genicam/genericexception.h"

#include <QFile>

namespace ParameterCollection {

AravisParameterCollection::AravisParameterCollection(QSharedPointer<AravisNodeMap> map)
    : m_map(std::move(map))
{
    setConnectionState(m_map->connectionState());
    m_map->setConnectionListener([this](ConnectionState state) { setConnectionState(state); });
}

AravisParameterCollection::~AravisParameterCollection()
{
    // The node map may live on for a moment in its worker: it must not call back.
    m_map->setConnectionListener({});
}

QString AravisParameterCollection::fakeCameraId()
{
    return QStringLiteral("Fake_1");
}

QList<AravisDeviceInfo> AravisParameterCollection::listDevices(bool includeFakeCamera)
{
    return AravisNodeMap::listDevices(includeFakeCamera);
}

QSharedPointer<AravisParameterCollection> AravisParameterCollection::openDevice(const QString& deviceId)
{
    return QSharedPointer<AravisParameterCollection>(
        new AravisParameterCollection(AravisNodeMap::openDevice(deviceId)));
}

QSharedPointer<AravisParameterCollection> AravisParameterCollection::openFakeCamera(const QString& genicamFile)
{
    if (!genicamFile.isEmpty()) {
        QFile file(genicamFile);
        if (!file.open(QIODevice::ReadOnly))
            GENICAM_THROW(InvalidArgumentException, "There is no GenICam XML file '" + genicamFile.toStdString() + "'");
        // The fake camera evaluates its node map as it starts: checked first.
        const QByteArray content = file.readAll();
        readGenicamXmlExtras(isZip(content) ? unzipGenicamXml(content, genicamFile) : content, genicamFile);
    }
    return QSharedPointer<AravisParameterCollection>(
        new AravisParameterCollection(AravisNodeMap::openDevice(fakeCameraId(), genicamFile)));
}

QSharedPointer<AravisParameterCollection> AravisParameterCollection::openXmlFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        GENICAM_THROW(InvalidArgumentException,
                      "Cannot open the GenICam XML file '" + path.toStdString()
                          + "': " + file.errorString().toStdString());
    const QByteArray content = file.readAll();
    // Cameras ship their node maps zipped as often as not.
    return fromXml(isZip(content) ? unzipGenicamXml(content, path) : content, path);
}

QSharedPointer<AravisParameterCollection> AravisParameterCollection::fromXml(const QByteArray& xml,
                                                                             const QString& sourceName)
{
    return QSharedPointer<AravisParameterCollection>(
        new AravisParameterCollection(AravisNodeMap::fromXml(xml, sourceName)));
}

QString AravisParameterCollection::getRoleName() const
{
    return m_map->role();
}

QSharedPointer<IParameter> AravisParameterCollection::getParameter(const QString& name)
{
    const int i = m_map->indexOf(name);
    if (i < 0)
        return {};
    return m_map->handle(i);
}

QStringList AravisParameterCollection::getChildren(const QString& fullName, int, bool)
{
    return m_map->children(fullName);
}

bool AravisParameterCollection::hasParameter(const QString& fullName)
{
    return m_map->indexOf(fullName) >= 0;
}

FeatureDependencies AravisParameterCollection::getDependencies(const QString& fullName)
{
    return m_map->dependencies(fullName);
}

void AravisParameterCollection::refresh()
{
    m_map->refresh();
}

void AravisParameterCollection::poll(qint64 intervalMs)
{
    m_map->poll(intervalMs);
}

QString AravisParameterCollection::sourceName() const
{
    return m_map->sourceName();
}

bool AravisParameterCollection::hasDevice() const
{
    return m_map->hasDevice();
}

QString AravisParameterCollection::deviceClass() const
{
    return m_map->deviceClass();
}

AravisDeviceInfo AravisParameterCollection::deviceInfo() const
{
    return m_map->deviceInfo();
}

QByteArray AravisParameterCollection::genicamXml() const
{
    return m_map->genicamXml();
}

QStringList AravisParameterCollection::nodeNames() const
{
    QStringList names;
    for (int i = 0; i < m_map->entryCount(); ++i)
        names << m_map->entry(i).name;
    return names;
}

int AravisParameterCollection::commandTimeout() const
{
    return m_map->commandTimeout();
}

void AravisParameterCollection::setCommandTimeout(int milliseconds)
{
    m_map->setCommandTimeout(milliseconds);
}

void AravisParameterCollection::reconnect()
{
    m_map->reconnect();
}

void AravisParameterCollection::setProbeInterval(int milliseconds)
{
    m_map->setProbeInterval(milliseconds);
}

void AravisParameterCollection::withGenicam(const std::function<void(ArvGc*)>& function) const
{
    m_map->withGenicam(function);
}

} // namespace ParameterCollection
