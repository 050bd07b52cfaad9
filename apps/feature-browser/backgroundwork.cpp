#include "backgroundwork.h"

#include "common/exceptionlog.h"

#include <QCoreApplication>
#include <QList>
#include <QThread>

namespace BackgroundWork {

namespace {
/// The threads started and not deleted yet; used on the GUI thread only.
QList<QThread*>& threads()
{
    static QList<QThread*> list;
    return list;
}
} // namespace

void start(std::function<void()> work, const QObject* context, std::function<void()> done)
{
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    QThread* thread = QThread::create([work = std::move(work)] {
        try {
            work();
        } catch (...) {
            qWarning("Failed to run work in the background.");
            ExceptionLog::logCurrentException("BackgroundWork::start");
        }
    });
    threads().append(thread);
    // Both come queued, in this order, on the GUI thread; deleting the thread
    // object in waitForAll() drops the first.
    QObject::connect(thread, &QThread::finished, thread, [thread] {
        if (threads().removeOne(thread))
            thread->deleteLater();
    });
    if (context && done)
        QObject::connect(thread, &QThread::finished, context, std::move(done));
    thread->start();
}

void waitForAll()
{
    while (!threads().isEmpty()) {
        QThread* thread = threads().takeFirst();
        thread->wait();
        delete thread;
    }
}

} // namespace BackgroundWork
