#pragma once

#include <functional>

class QObject;

/// The browser's work away from the GUI thread: opening a camera, reading or
/// writing its settings, looking for devices. Each piece of work runs on a
/// thread of its own, since it may wait on a device for seconds. The process
/// waits for those threads before its objects go (waitForAll() after the
/// event loop), so no thread outlives what it uses and none is destroyed
/// while it runs.
namespace BackgroundWork {

/// Runs `work` on a new thread, then `done` on the GUI thread, unless
/// `context` is gone by then. Call on the GUI thread. What `work` throws ends
/// in the log.
void start(std::function<void()> work, const QObject* context, std::function<void()> done);

/// Waits until every thread started here has ended, those whose `context` is
/// gone included, and deletes them. Call on the GUI thread once no `done`
/// need run any more: at the end of the process, after the event loop.
void waitForAll();

} // namespace BackgroundWork
