#include "aravisworker_p.h"

#include <atomic>
#include <exception>
#include <vector>

namespace ParameterCollection {

/// Keeps retired workers until their threads have finished; at the end of the
/// process waits for those still running (a device that is gone can take a few
/// seconds to let go of), then leaves the rest behind rather than hang.
class AravisWorkerReaper
{
public:
    static AravisWorkerReaper& instance()
    {
        // Never destroyed: a job still running while the process ends may
        // retire a worker (its own, when it held the last reference to a
        // device), and must find the reaper whole.
        static AravisWorkerReaper* const reaper = new AravisWorkerReaper;
        static const struct AtExit
        {
            ~AtExit() { reaper->finish(); }
        } atExit;
        return *reaper;
    }

    void add(std::unique_ptr<AravisWorker> worker)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_finishing) {
            leave(std::move(worker)); // nobody waits any longer
            return;
        }
        collectFinished();
        m_workers.push_back(std::move(worker));
    }

private:
    void finish()
    {
        // Waited for without the lock: a worker that retires another
        // meanwhile must not wait for this wait to end.
        std::vector<std::unique_ptr<AravisWorker>> workers;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finishing = true;
            workers.swap(m_workers);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (auto& worker : workers) {
            std::unique_lock<std::mutex> workerLock(worker->m_mutex);
            const bool finished
                = worker->m_finishedChanged.wait_until(workerLock, deadline, [&] { return worker->m_finished; });
            workerLock.unlock();
            if (finished) {
                worker->m_thread.join();
            } else {
                std::lock_guard<std::mutex> lock(m_mutex);
                leave(std::move(worker));
            }
        }
    }

    // With m_mutex held.
    void leave(std::unique_ptr<AravisWorker> worker)
    {
        worker->m_thread.detach();
        m_left.push_back(std::move(worker)); // still in use by its thread
    }

    void collectFinished()
    {
        for (auto it = m_workers.begin(); it != m_workers.end();) {
            bool finished = false;
            {
                std::lock_guard<std::mutex> workerLock((*it)->m_mutex);
                finished = (*it)->m_finished;
            }
            if (finished) {
                (*it)->m_thread.join();
                it = m_workers.erase(it);
            } else {
                ++it;
            }
        }
    }

    std::mutex m_mutex;
    std::vector<std::unique_ptr<AravisWorker>> m_workers;
    std::vector<std::unique_ptr<AravisWorker>> m_left; // at the end of the process, not waited for
    bool m_finishing = false;
};

AravisWorker::AravisWorker()
    : m_thread([this] { loop(); })
{ }

AravisWorker::~AravisWorker()
{
    stop();
    if (m_thread.joinable())
        m_thread.join();
}

bool AravisWorker::isCurrentThread() const
{
    return std::this_thread::get_id() == m_thread.get_id();
}

void AravisWorker::post(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void AravisWorker::run(const std::function<void()>& job, std::chrono::milliseconds startTimeout,
                       const std::function<void()>& onStartTimeout)
{
    if (isCurrentThread()) {
        job();
        return;
    }
    enum Status { Pending, Running, Dropped, Done };
    struct State
    {
        std::mutex mutex;
        std::condition_variable changed;
        Status status = Pending;
        std::exception_ptr error;
    };
    auto state = std::make_shared<State>();
    post([state, job] {
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            if (state->status == Dropped)
                return;
            state->status = Running;
        }
        state->changed.notify_all();
        std::exception_ptr error;
        try {
            job();
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            state->error = error;
            state->status = Done;
        }
        state->changed.notify_all();
    });

    std::unique_lock<std::mutex> lock(state->mutex);
    if (!state->changed.wait_for(lock, startTimeout, [&] { return state->status != Pending; })) {
        state->status = Dropped;
        lock.unlock();
        onStartTimeout();
        return;
    }
    // Started: a job that waits on the device ends within the device's own timeout.
    state->changed.wait(lock, [&] { return state->status == Done; });
    if (state->error)
        std::rethrow_exception(state->error);
}

void AravisWorker::setTick(std::function<void()> tick, std::chrono::milliseconds interval)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_tick = std::move(tick);
        m_tickInterval = interval;
        m_tickChanged = true;
    }
    m_wake.notify_one();
}

void AravisWorker::loop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (m_jobs.empty() && !m_stopping) {
            if (m_tick) {
                m_tickChanged = false;
                const bool woken = m_wake.wait_for(lock, m_tickInterval,
                                                   [this] { return !m_jobs.empty() || m_stopping || m_tickChanged; });
                if (!woken && m_tick) {
                    std::function<void()> tick = m_tick;
                    lock.unlock();
                    tick();
                    lock.lock();
                }
                continue;
            } else {
                m_wake.wait(lock, [this] { return !m_jobs.empty() || m_stopping || m_tick; });
                continue;
            }
        }
        if (m_jobs.empty())
            break; // stopping, and nothing left to do
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        job();
        lock.lock();
    }
    m_finished = true;
    m_finishedChanged.notify_all();
}

void AravisWorker::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_tick = nullptr;
    }
    m_wake.notify_one();
}

void AravisWorker::retire(std::unique_ptr<AravisWorker> worker, std::function<void()> lastJob)
{
    if (!worker)
        return;
    worker->post(std::move(lastJob));
    worker->stop();
    AravisWorkerReaper::instance().add(std::move(worker));
}

} // namespace ParameterCollection
