#include "widgets/asyncerrorqueue.h"

#include <QMetaObject>
#include <QMutexLocker>

#include <memory>
#include <utility>

AsyncErrorQueue::AsyncErrorQueue(QObject* parent)
    : QObject(parent)
{ }

AsyncErrorQueue::~AsyncErrorQueue()
{
    clear();
}

bool AsyncErrorQueue::reportErrorAsync(ErrorSeverity severity, const QString& message, const QString& details,
                                       QWidget* widget)
{
    const ErrorEntry entry { severity, message, details, widget };
    {
        QMutexLocker lock(&m_mutex);
        // Should the list fail to grow, the copy is freed and the list stays as it was.
        auto copy = std::make_unique<ErrorEntry>(entry);
        m_entries.append(copy.get());
        copy.release();
    }
    // One posted call per report: the number of deliveries always matches the
    // number of reports that were not cleared.
    QMetaObject::invokeMethod(this, "asyncSignaler", Qt::QueuedConnection);
    return true;
}

bool AsyncErrorQueue::append(ErrorSeverity severity, const QString& message, const QString& details, QWidget* widget)
{
    return reportErrorAsync(severity, message, details, widget);
}

void AsyncErrorQueue::clear()
{
    QMutexLocker lock(&m_mutex);
    const QList<ErrorEntry*> dropped = std::exchange(m_entries, {});
    for (auto it = dropped.crbegin(); it != dropped.crend(); ++it)
        delete *it;
}

quint64 AsyncErrorQueue::count() const
{
    QMutexLocker lock(&m_mutex);
    return static_cast<quint64>(m_entries.size());
}

void AsyncErrorQueue::asyncSignaler()
{
    ErrorSeverity severity;
    QString message;
    QString details;
    QWidget* widget;
    {
        QMutexLocker lock(&m_mutex);
        if (m_entries.isEmpty())
            return;
        ErrorEntry* entry = m_entries.takeLast();
        severity = entry->severity;
        message = std::move(entry->message);
        details = std::move(entry->details);
        widget = entry->widget;
        delete entry;
    }
    emit displayError(severity, message, details, widget);
}

AsyncErrorQueue* GetTheGlobalAsyncErrorQueue()
{
    static AsyncErrorQueue queue;
    return &queue;
}
