#pragma once

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <atomic>

/// Captures Qt log messages while it lives, from every thread, so that tests
/// can check the exact lines the code writes. Captures nest: the innermost one
/// receives the messages.
class LogCapture
{
public:
    struct Entry
    {
        QtMsgType type;
        QString text;
    };

    LogCapture()
        : m_previousCapture(s_current.exchange(this))
        , m_previousHandler(qInstallMessageHandler(&LogCapture::handler))
    { }
    ~LogCapture()
    {
        s_current.store(m_previousCapture);
        qInstallMessageHandler(m_previousHandler);
    }

    QList<Entry> entries() const
    {
        QMutexLocker lock(&m_mutex);
        return m_entries;
    }
    /// Texts of the messages of one QtMsgType (of all types when negative), in order.
    QStringList texts(int type = -1) const
    {
        QStringList result;
        for (const Entry& e : entries()) {
            if (type < 0 || e.type == type)
                result << e.text;
        }
        return result;
    }
    void clear()
    {
        QMutexLocker lock(&m_mutex);
        m_entries.clear();
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (LogCapture* capture = s_current.load()) {
            QMutexLocker lock(&capture->m_mutex);
            capture->m_entries.append({ type, text });
        }
    }

    static inline std::atomic<LogCapture*> s_current { nullptr };
    mutable QMutex m_mutex;
    QList<Entry> m_entries;
    LogCapture* m_previousCapture;
    QtMessageHandler m_previousHandler;
};
