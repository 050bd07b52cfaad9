#include "browsercamera.h"

#include "camerapool/staticbaseinfo.h"
#include "genicam/genericexception.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iparameter.h"
#ifdef ORVIK_HAVE_ARAVIS
#include "parametercollection/aravis/aravisparametercollection.h"
#endif

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>

BrowserCamera::~BrowserCamera() = default;

bool BrowserCamera::haveAravis()
{
#ifdef ORVIK_HAVE_ARAVIS
    return true;
#else
    return false;
#endif
}

std::unique_ptr<BrowserCamera> BrowserCamera::openEmulated()
{
    std::unique_ptr<BrowserCamera> camera(new BrowserCamera);
    camera->m_emulated = std::make_unique<ParameterCollection::EmulatedCamera>();
    for (const ParameterCollection::EmulatedCamera::Collection& c : camera->m_emulated->collections())
        camera->m_collections << Collection { c.collection, c.rootName, c.roleName };
    camera->m_info = camera->m_emulated->info();
    return camera;
}

std::unique_ptr<BrowserCamera> BrowserCamera::openAravis(const QString& deviceId)
{
    return openWithAravis(deviceId, false);
}

std::unique_ptr<BrowserCamera> BrowserCamera::openGenICamFile(const QString& path)
{
    return openWithAravis(path, true);
}

std::unique_ptr<BrowserCamera> BrowserCamera::openWithAravis(const QString& source, bool isFile)
{
#ifdef ORVIK_HAVE_ARAVIS
    using ParameterCollection::AravisParameterCollection;
    const QSharedPointer<AravisParameterCollection> collection
        = isFile ? AravisParameterCollection::openXmlFile(source) : AravisParameterCollection::openDevice(source);
    const ParameterCollection::AravisDeviceInfo d = collection->deviceInfo();
    const QString name = isFile ? QFileInfo(source).fileName() : QStringLiteral("%1 (%2)").arg(d.model, source);
    std::unique_ptr<BrowserCamera> camera(new BrowserCamera);
    camera->m_info = QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(collection->deviceClass(), name,
                                                                                d.serialNumber, d.model, d.vendor);
    const QString rootName = isFile ? QCoreApplication::translate("BrowserCamera", "GenICam File")
                                    : QCoreApplication::translate("BrowserCamera", "Camera Device");
    camera->m_collections << Collection { collection, rootName, collection->getRoleName() };
    camera->m_source = source;
    camera->m_isFile = isFile;
    return camera;
#else
    Q_UNUSED(source)
    Q_UNUSED(isFile)
    GENICAM_THROW(RuntimeException, "this build has no Aravis support (--aravis, --genicam, --list-devices)");
#endif
}

QList<QSharedPointer<ParameterCollection::IParameterCollection>> BrowserCamera::parameterCollections() const
{
    QList<QSharedPointer<ParameterCollection::IParameterCollection>> list;
    for (const Collection& c : m_collections)
        list << c.collection;
    return list;
}

QByteArray BrowserCamera::deviceXml() const
{
#ifdef ORVIK_HAVE_ARAVIS
    if (const auto aravis = m_collections.isEmpty()
            ? nullptr
            : qSharedPointerDynamicCast<ParameterCollection::AravisParameterCollection>(
                m_collections.first().collection))
        return aravis->genicamXml();
#endif
    return QByteArray();
}

void BrowserCamera::moveToThread(QThread* thread)
{
    // Objects made on another thread (the parameters of a device that has a
    // worker thread of its own) stay where they are.
    const auto move = [thread](QObject* object) {
        if (object && object->thread() == QThread::currentThread())
            object->moveToThread(thread);
    };
    for (const Collection& c : qAsConst(m_collections)) {
        move(c.collection.data());
#ifdef ORVIK_HAVE_ARAVIS
        if (const auto aravis = qSharedPointerDynamicCast<ParameterCollection::AravisParameterCollection>(c.collection))
            for (const QString& name : aravis->nodeNames())
                move(aravis->getParameter(name).data());
#endif
    }
}
