#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace ParameterCollection {

/// The thread that makes every Aravis call of one device. Aravis's objects are
/// not thread-safe, and a device that stops answering must keep only this
/// thread waiting, never the caller's. Jobs run one at a time in the order
/// they were posted; while a tick is set, it runs whenever the worker has been
/// idle for its interval (probing a lost device, for example).
class AravisWorker
{
public:
    AravisWorker();
    /// Waits for the thread; use retire() where that must not happen.
    ~AravisWorker();
    AravisWorker(const AravisWorker&) = delete;
    AravisWorker& operator=(const AravisWorker&) = delete;

    bool isCurrentThread() const;

    /// Runs `job` on the worker's thread later; returns at once.
    void post(std::function<void()> job);
    /// Runs `job` on the worker's thread and waits for it to finish; what it
    /// throws is thrown here. On the worker's own thread the job runs at once.
    /// A job that has not started within `startTimeout` (the worker is stuck in
    /// a call that waits on the device) is dropped, so that it never runs late,
    /// and `onStartTimeout` is called to throw instead.
    void run(const std::function<void()>& job, std::chrono::milliseconds startTimeout,
             const std::function<void()>& onStartTimeout);
    /// Sets (or, with an empty function, clears) the tick.
    void setTick(std::function<void()> tick, std::chrono::milliseconds interval);

    /// Ends the worker without waiting for it: runs `lastJob` (releasing a
    /// device that is gone waits on the network) and then stops the thread in
    /// the background. Threads still running when the process ends are waited
    /// for then, for a bounded time.
    static void retire(std::unique_ptr<AravisWorker> worker, std::function<void()> lastJob);

private:
    void loop();
    void stop();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    std::function<void()> m_tick;
    std::chrono::milliseconds m_tickInterval { 0 };
    bool m_tickChanged = false; // the wait for the next tick starts over
    bool m_stopping = false;
    bool m_finished = false;
    std::condition_variable m_finishedChanged;
    std::thread m_thread; // Last: starts when everything else is ready.

    friend class AravisWorkerReaper;
};

} // namespace ParameterCollection
