#pragma once

#include "orvikviewercomponents6_export.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QWidget>

/// Hands error reports from any thread to the thread that owns the queue
/// (the GUI thread), where they come out of displayError, newest first.
/// The host connects displayError to whatever shows reports to the user.
class ORVIKVIEWERCOMPONENTS6_EXPORT AsyncErrorQueue : public QObject
{
    Q_OBJECT
public:
    /// Numbers are part of the interface: hosts receive them through displayError.
    enum ErrorSeverity { Critical = 10, Error = 20, Warning = 30 };

    struct ErrorEntry
    {
        ErrorSeverity severity;
        QString message;
        QString details;
        QWidget* widget; // Not owned, not tracked; may be null or dangling by the time it is shown.
    };

    explicit AsyncErrorQueue(QObject* parent = nullptr);
    ~AsyncErrorQueue() override;

    /// Stores the report and posts one queued call that delivers it. Callable
    /// from any thread; always true.
    bool reportErrorAsync(ErrorSeverity severity, const QString& message, const QString& details, QWidget* widget);
    /// The same as reportErrorAsync.
    bool append(ErrorSeverity severity, const QString& message, const QString& details, QWidget* widget);
    /// Drops every pending report; calls already posted then find nothing.
    void clear();
    quint64 count() const;

Q_SIGNALS:
    /// Emitted on the owning thread, without the queue's lock held, so that a
    /// receiver may report again or clear. ErrorSeverity is not registered as a
    /// meta-type here: a receiver that connects queued registers it itself.
    void displayError(AsyncErrorQueue::ErrorSeverity severity, QString message, QString details, QWidget* widget);

protected Q_SLOTS:
    /// Target of the posted calls: takes out the most recent report, if any.
    void asyncSignaler();

private:
    // Guards m_entries.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    mutable QRecursiveMutex m_mutex;
#else
    mutable QMutex m_mutex { QMutex::Recursive };
#endif
    QList<ErrorEntry*> m_entries; // Owned.
};

/// The process-wide queue, created on the first call and owned by the thread
/// that makes it: the host makes the first call on its GUI thread.
ORVIKVIEWERCOMPONENTS6_EXPORT AsyncErrorQueue* GetTheGlobalAsyncErrorQueue();
