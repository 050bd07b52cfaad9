#include "common/exceptionlog.h"
#include "genicam/genericexception.h"
#include "widgets/exceptionguard_p.h"
#include "widgets/messagereporting.h"

#include <QCoreApplication>
#include <QString>

#include <exception>

ExceptionGuard::ExceptionGuard(const char* function, const char* failure, const char* context, const char* userMessage)
    : m_function(function)
    , m_failure(failure)
    , m_context(context)
    , m_userMessage(userMessage)
{ }

void ExceptionGuard::failed() const noexcept
{
    try {
        qWarning("%s", m_failure);
        ExceptionLog::logCurrentException(m_function);
        if (!m_userMessage || m_reported.exchange(true))
            return;
        const QString function = QString::fromUtf8(m_function);
        const QString message = QCoreApplication::translate(m_context, m_userMessage);
        try {
            throw;
        } catch (const GenICam::DisconnectedException&) {
            // A device that went away is reported once, by whoever watches its connection.
        } catch (const GenICam::TimeoutException&) {
        } catch (const std::exception& e) {
            showException(function, e, message, nullptr);
        } catch (...) {
            showUnexpectedException(function, message, nullptr);
        }
    } catch (...) {
        // Reporting must not throw where it is called from: a catch block that keeps Qt safe.
    }
}
