#pragma once

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QtGlobal>

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

    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QList<Entry> entries() const;
    /// Texts of the messages of one QtMsgType (of all types when negative), in order.
    QStringList texts(int type = -1) const;
    void clear();

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& text);

    mutable QMutex m_mutex;
    QList<Entry> m_entries;
    LogCapture* m_previousCapture = nullptr;
    QtMessageHandler m_previousHandler = nullptr;
};
