#pragma once

#include <atomic>
#include <type_traits>
#include <utility>

/// Where Qt calls our code and that code calls the parameter layer, the
/// exceptions it may throw (GenICam, standard or anything else) end here and
/// never reach Qt: one guard object per such place, as a function-local static
///
///     static const ExceptionGuard guard("FeatureTreeModel::refresh", "Failed to refresh the features.",
///                                       "FeatureTreeModel", QT_TRANSLATE_NOOP("FeatureTreeModel", "..."));
///     guard.run([&] { collection->refresh(); });
///
/// A failure is logged as the exception log pattern says: the `failure`
/// warning, then the exception's details under `function`. With a user
/// message, the first failure of a run of failures at that place is also
/// reported to the user through the AsyncErrorQueue (translated in
/// `context`); a call that goes through ends the run. A device that stopped
/// answering is not reported here: its loss is reported once, where its
/// connection is watched.
class ExceptionGuard
{
public:
    ExceptionGuard(const char* function, const char* failure, const char* context = nullptr,
                   const char* userMessage = nullptr);

    /// Answers what `body` answers, or, when it throws, a value-initialised
    /// result (nothing for a void body).
    template<typename Body> auto run(Body&& body) const -> std::invoke_result_t<Body&>
    {
        using Result = std::invoke_result_t<Body&>;
        if constexpr (std::is_void_v<Result>) {
            try {
                body();
                succeeded();
            } catch (...) {
                failed();
            }
        } else {
            return run(std::forward<Body>(body), Result());
        }
    }

    /// Answers what `body` answers, or `fallback` when it throws.
    template<typename Body, typename Result> Result run(Body&& body, Result fallback) const
    {
        try {
            Result result = body();
            succeeded();
            return result;
        } catch (...) {
            failed();
            return fallback;
        }
    }

private:
    void succeeded() const { m_reported.store(false, std::memory_order_relaxed); }
    /// Logs and reports the exception being handled; never throws.
    void failed() const noexcept;

    const char* m_function;
    const char* m_failure;
    const char* m_context;
    const char* m_userMessage;
    mutable std::atomic<bool> m_reported { false };
};
