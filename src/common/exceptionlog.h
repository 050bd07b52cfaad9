#pragma once

#include "orvikviewercomponents6_export.h"

#include <QtGlobal>

#include <exception>

/// The one place that writes the details of a caught exception to Qt's log.
///
/// Every entry point that catches follows the same pattern: first its own
/// warning saying what failed, then the details written here, either
///     "<function>: Exception occurred:\n<what()>\n"   for a std::exception
/// (GenICam exceptions included), or
///     "<function>: Unspecified exception occurred."   for anything else.
namespace ExceptionLog {

/// Logs the exception that is being handled. Call it only inside a catch block:
///     catch (...) {
///         qWarning("Failed to run feature polling.");
///         ExceptionLog::logCurrentException("FeatureTreeModel::onTimerPoll");
///     }
ORVIKVIEWERCOMPONENTS6_EXPORT void logCurrentException(const char* function, QtMsgType type = QtWarningMsg);

/// Logs the details of a caught standard exception.
ORVIKVIEWERCOMPONENTS6_EXPORT void logException(const char* function, const std::exception& e,
                                                QtMsgType type = QtWarningMsg);

/// Logs that something that is not a standard exception was caught.
ORVIKVIEWERCOMPONENTS6_EXPORT void logUnknownException(const char* function, QtMsgType type = QtWarningMsg);

} // namespace ExceptionLog
