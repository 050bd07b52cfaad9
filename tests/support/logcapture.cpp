#include "logcapture.h"

#include <QMutexLocker>

#include <atomic>

namespace {
std::atomic<LogCapture*> currentCapture { nullptr };
}

LogCapture::LogCapture()
    : m_previousCapture(currentCapture.exchange(this))
{
    m_previousHandler = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture()
{
    currentCapture.store(m_previousCapture);
    qInstallMessageHandler(m_previousHandler);
}

void LogCapture::handler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    LogCapture* capture = currentCapture.load();
    if (!capture)
        return;
    QMutexLocker lock(&capture->m_mutex);
    capture->m_entries.append({ type, text });
}

QList<LogCapture::Entry> LogCapture::entries() const
{
    QMutexLocker lock(&m_mutex);
    return m_entries;
}

QStringList LogCapture::texts(int type) const
{
    QStringList result;
    for (const Entry& e : entries()) {
        if (type < 0 || e.type == type)
            result << e.text;
    }
    return result;
}

void LogCapture::clear()
{
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
}
