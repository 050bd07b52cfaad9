#pragma once

#include "orvikviewercomponents6_export.h"

#include <QString>

#include <exception>

class QWidget;

// Reporting functions: each writes a line to Qt's message log (critical and
// warning kinds only) and hands the report to the global AsyncErrorQueue,
// which delivers it on the GUI thread. They show nothing themselves and may be
// called from any thread. `source` names the reporting operation
// ("Class::function"); `title` is a short heading, `message` the sentence for
// the user and `details` additional text such as an exception's description.

/// Logs "Critical message: <source> : <title> : <message> : <details>" and queues a Critical report.
ORVIKVIEWERCOMPONENTS6_EXPORT void showCriticalMessage(const QString& title, const QString& source,
                                                       const QString& message, const QString& details, QWidget* parent);
ORVIKVIEWERCOMPONENTS6_EXPORT void showCriticalMessage(const QString& title, const QString& source,
                                                       const QString& message, QWidget* parent);

/// Queues an Error report without logging.
ORVIKVIEWERCOMPONENTS6_EXPORT void showErrorMessage(const QString& message, const QString& details, QWidget* parent);
ORVIKVIEWERCOMPONENTS6_EXPORT void showErrorMessage(const QString& message, QWidget* parent);

/// Logs "Warning: <source>: <title> : <message>" (not the details) and queues a Warning report.
ORVIKVIEWERCOMPONENTS6_EXPORT void showWarningMessage(const QString& title, const QString& source,
                                                      const QString& message, const QString& details, QWidget* parent);
ORVIKVIEWERCOMPONENTS6_EXPORT void showWarningMessage(const QString& title, const QString& source,
                                                      const QString& message, QWidget* parent);

/// A critical report titled "Error" with the exception's text as details: the
/// log line has its what(), the report a GenICam exception's description
/// only (no source file or line). The report never carries a widget:
/// `parent` is accepted for symmetry only.
ORVIKVIEWERCOMPONENTS6_EXPORT void showException(const QString& source, const std::exception& exception,
                                                 const QString& message, QWidget* parent);
/// As above with the exception's text as the message itself.
ORVIKVIEWERCOMPONENTS6_EXPORT void showException(const QString& source, const std::exception& exception,
                                                 QWidget* parent);
/// A critical report titled "Unexpected exception occurred", without a widget.
ORVIKVIEWERCOMPONENTS6_EXPORT void showUnexpectedException(const QString& source, const QString& message,
                                                           QWidget* parent);
