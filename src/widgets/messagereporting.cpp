#include "widgets/messagereporting.h"

#include "genicam/genericexception.h"
#include "widgets/asyncerrorqueue.h"

#include <QByteArray>
#include <QMessageLogger>
#include <QObject>

namespace {

void queueReport(AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details,
                 QWidget* parent)
{
    if (AsyncErrorQueue* queue = GetTheGlobalAsyncErrorQueue())
        queue->reportErrorAsync(severity, message, details, parent);
}

QString exceptionText(const std::exception& exception)
{
    const char* text = exception.what();
    return text ? QString::fromUtf8(text) : QString();
}

/// What a user reads of an exception: a GenICam exception's description,
/// without the source file and line that its what() adds for the log.
QString userText(const std::exception& exception)
{
    if (const auto* genicam = dynamic_cast<const GenICam::GenericException*>(&exception))
        return QString::fromUtf8(genicam->GetDescription());
    return exceptionText(exception);
}

void logCritical(const QString& title, const QString& source, const QString& message, const QString& details)
{
    const QByteArray titleText = title.toUtf8();
    const QByteArray sourceText = source.toUtf8();
    const QByteArray messageText = message.toUtf8();
    const QByteArray detailsText = details.toUtf8();
    QMessageLogger().critical("Critical message: %s : %s : %s : %s", sourceText.constData(), titleText.constData(),
                              messageText.constData(), detailsText.constData());
}

} // namespace

// The texts are logged as UTF-8, which is how the logger decodes "%s":
// translated Japanese, Korean or Chinese messages would turn into question
// marks on the way through Latin-1.

void showCriticalMessage(const QString& title, const QString& source, const QString& message, const QString& details,
                         QWidget* parent)
{
    logCritical(title, source, message, details);
    queueReport(AsyncErrorQueue::Critical, message, details, parent);
}

void showCriticalMessage(const QString& title, const QString& source, const QString& message, QWidget* parent)
{
    showCriticalMessage(title, source, message, QString(), parent);
}

void showErrorMessage(const QString& message, const QString& details, QWidget* parent)
{
    queueReport(AsyncErrorQueue::Error, message, details, parent);
}

void showErrorMessage(const QString& message, QWidget* parent)
{
    showErrorMessage(message, QString(), parent);
}

void showWarningMessage(const QString& title, const QString& source, const QString& message, const QString& details,
                        QWidget* parent)
{
    const QByteArray titleText = title.toUtf8();
    const QByteArray sourceText = source.toUtf8();
    const QByteArray messageText = message.toUtf8();
    QMessageLogger().warning("Warning: %s: %s : %s", sourceText.constData(), titleText.constData(),
                             messageText.constData());
    queueReport(AsyncErrorQueue::Warning, message, details, parent);
}

void showWarningMessage(const QString& title, const QString& source, const QString& message, QWidget* parent)
{
    showWarningMessage(title, source, message, QString(), parent);
}

// The log keeps where an exception came from; the report says what failed.
void showException(const QString& source, const std::exception& exception, const QString& message, QWidget*)
{
    logCritical(QObject::tr("Error"), source, message, exceptionText(exception));
    queueReport(AsyncErrorQueue::Critical, message, userText(exception), nullptr);
}

void showException(const QString& source, const std::exception& exception, QWidget*)
{
    logCritical(QObject::tr("Error"), source, exceptionText(exception), QString());
    queueReport(AsyncErrorQueue::Critical, userText(exception), QString(), nullptr);
}

void showUnexpectedException(const QString& source, const QString& message, QWidget*)
{
    showCriticalMessage(QObject::tr("Unexpected exception occurred"), source, message, QString(), nullptr);
}
