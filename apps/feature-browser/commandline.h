#pragma once

#include "browseroptions.h"

class BrowserCamera;
class QTextStream;

/// The browser without a window: runs the actions of the command line on a
/// camera, in the order given, and stops at the first that fails.
namespace CommandLine {

/// Exit statuses.
enum Status { Success = 0, Refused = 1, UsageError = 2, NoAravisSupport = 3 };

/// Runs `options.actions`; results go to `out`, refusals and reports to `err`.
int run(const BrowserOptions& options, BrowserCamera& camera, QTextStream& out, QTextStream& err);

} // namespace CommandLine
