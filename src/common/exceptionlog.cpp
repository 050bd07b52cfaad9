#include "common/exceptionlog.h"

#include <QDebug>
#include <QString>

namespace ExceptionLog {

namespace {
void write(QtMsgType type, const QString& text)
{
    // One message per report, written through the stream interface without
    // quoting or spacing so that the line is exactly the pattern's text.
    switch (type) {
    case QtDebugMsg:
        qDebug().noquote().nospace() << text;
        break;
    case QtInfoMsg:
        qInfo().noquote().nospace() << text;
        break;
    case QtCriticalMsg:
        qCritical().noquote().nospace() << text;
        break;
    case QtWarningMsg:
    case QtFatalMsg: // never abort the host because a report failed
        qWarning().noquote().nospace() << text;
        break;
    }
}
} // namespace

void logException(const char* function, const std::exception& e, QtMsgType type)
{
    write(type,
          QString::fromUtf8(function) + QLatin1String(": ") + QLatin1String("Exception occurred:\n")
              + QString::fromUtf8(e.what()) + QLatin1Char('\n'));
}

void logUnknownException(const char* function, QtMsgType type)
{
    write(type, QString::asprintf("%s: Unspecified exception occurred.", function));
}

void logCurrentException(const char* function, QtMsgType type)
{
    if (!std::current_exception()) {
        logUnknownException(function, type);
        return;
    }
    try {
        throw;
    } catch (const std::exception& e) {
        logException(function, e, type);
    } catch (...) {
        logUnknownException(function, type);
    }
}

} // namespace ExceptionLog
