#include "cameraopener.h"

#include "backgroundwork.h"
#include "browsercamera.h"
#include "featurewalk.h"

#include <QMutex>
#include <QMutexLocker>
#include <QThread>

struct CameraOpener::Job
{
    QMutex mutex;
    bool abandoned = false; // the opener is gone
    std::unique_ptr<BrowserCamera> camera; // opened, and moved to the opener's thread
    QString error;
};

CameraOpener::CameraOpener(const QString& source, bool isFile, QObject* parent)
    : QObject(parent)
    , m_source(source)
    , m_isFile(isFile)
    , m_job(QSharedPointer<Job>::create())
{
    const QSharedPointer<Job> job = m_job;
    QThread* const home = thread();
    BackgroundWork::start(
        [job, source, isFile, home] {
            std::unique_ptr<BrowserCamera> camera;
            QString error;
            try {
                camera = isFile ? BrowserCamera::openGenICamFile(source) : BrowserCamera::openAravis(source);
            } catch (const std::exception& e) {
                error = FeatureWalk::userMessage(e, "CameraOpener");
            }
            QMutexLocker lock(&job->mutex);
            if (job->abandoned)
                return; // destroyed here, where it was made, after the lock is released
            if (camera)
                camera->moveToThread(home);
            job->camera = std::move(camera);
            job->error = error;
        },
        this,
        [this] {
            QString error;
            {
                QMutexLocker lock(&m_job->mutex);
                m_camera = std::move(m_job->camera);
                error = m_job->error;
            }
            if (m_camera)
                Q_EMIT opened();
            else
                Q_EMIT failed(error.isEmpty() ? tr("The camera could not be opened.") : error);
        });
}

CameraOpener::~CameraOpener()
{
    std::unique_ptr<BrowserCamera> finished;
    QMutexLocker lock(&m_job->mutex);
    m_job->abandoned = true;
    finished = std::move(m_job->camera); // destroyed here, on its thread, after the lock is released
}

std::unique_ptr<BrowserCamera> CameraOpener::takeCamera()
{
    return std::move(m_camera);
}
