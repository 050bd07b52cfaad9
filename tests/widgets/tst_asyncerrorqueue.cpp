#include "widgets/asyncerrorqueue.h"

#include <QPointer>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct Delivery
{
    int severity;
    QString message;
    QString details;
    QWidget* widget;
};

/// Records what a queue delivers, in order.
class Recorder
{
public:
    explicit Recorder(AsyncErrorQueue* queue)
    {
        QObject::connect(queue, &AsyncErrorQueue::displayError, &m_context,
                         [this](AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details,
                                QWidget* widget) {
                             deliveries.append({ int(severity), message, details, widget });
                         });
    }
    QStringList messages() const
    {
        QStringList result;
        for (const Delivery& d : deliveries)
            result << d.message;
        return result;
    }
    QList<Delivery> deliveries;

private:
    QObject m_context;
};

/// Runs `work` on a thread of its own and waits for it to end.
template<typename Work> void onWorker(Work work)
{
    std::thread worker(work);
    worker.join();
}

/// Lets the event loop run the calls posted so far (and those they post).
void runPostedCalls()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

class TestAsyncErrorQueue : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void deliversNewestFirst_data();
    void deliversNewestFirst();
    void appendIsReportErrorAsync_data();
    void appendIsReportErrorAsync();
    void clearDropsPendingReports_data();
    void clearDropsPendingReports();
    void receiverMayReportAgain();
    void receiverMayClear();
    void destroyingDropsPendingReports();
    void manyThreadsEveryReportOnce();
    void globalQueueIsOneForTheProcess();
};

void TestAsyncErrorQueue::initTestCase()
{
    // The host makes the first call on its GUI thread; so does this test.
    QVERIFY(GetTheGlobalAsyncErrorQueue());
}

void TestAsyncErrorQueue::deliversNewestFirst_data()
{
    QTest::addColumn<int>("reports");
    QTest::addColumn<bool>("fromWorker");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three from a worker") << 3 << true << QStringList { "r3", "r2", "r1" };
    QTest::newRow("three from the owner") << 3 << false << QStringList { "r3", "r2", "r1" };
    QTest::newRow("none") << 0 << true << QStringList();
}

void TestAsyncErrorQueue::deliversNewestFirst()
{
    QFETCH(int, reports);
    QFETCH(bool, fromWorker);
    QFETCH(QStringList, expected);
    AsyncErrorQueue queue;
    Recorder recorder(&queue);
    auto report = [&] {
        for (int i = 1; i <= reports; ++i)
            queue.reportErrorAsync(AsyncErrorQueue::Error, QStringLiteral("r%1").arg(i), QString(), nullptr);
    };
    if (fromWorker)
        onWorker(report);
    else
        report();
    QVERIFY(recorder.deliveries.isEmpty()); // nothing before the event loop runs
    runPostedCalls();
    QCOMPARE(recorder.messages(), expected);
    QCOMPARE(queue.count(), quint64(0));
}

void TestAsyncErrorQueue::appendIsReportErrorAsync_data()
{
    QTest::addColumn<bool>("useAppend");
    QTest::addColumn<int>("severity");
    QTest::newRow("append, critical") << true << int(AsyncErrorQueue::Critical);
    QTest::newRow("reportErrorAsync, warning") << false << int(AsyncErrorQueue::Warning);
}

void TestAsyncErrorQueue::appendIsReportErrorAsync()
{
    QFETCH(bool, useAppend);
    QFETCH(int, severity);
    AsyncErrorQueue queue;
    Recorder recorder(&queue);
    QWidget widget;
    const auto kind = static_cast<AsyncErrorQueue::ErrorSeverity>(severity);
    const QString message = QStringLiteral("Could not write 'Gain'");
    const QString details = QString::fromUtf8("値が範囲外です");
    const bool accepted = useAppend ? queue.append(kind, message, details, &widget)
                                    : queue.reportErrorAsync(kind, message, details, &widget);
    QVERIFY(accepted);
    QCOMPARE(queue.count(), quint64(1));
    runPostedCalls();
    QCOMPARE(recorder.deliveries.size(), 1);
    const Delivery& d = recorder.deliveries.first();
    QCOMPARE(d.severity, severity);
    QCOMPARE(d.message, message);
    QCOMPARE(d.details, details);
    QCOMPARE(d.widget, &widget);
}

void TestAsyncErrorQueue::clearDropsPendingReports_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("several reports, cleared") << 5 << 0;
    // Calls posted before the clear deliver reports made after it.
    QTest::newRow("reports after the clear") << 3 << 2;
}

void TestAsyncErrorQueue::clearDropsPendingReports()
{
    QFETCH(int, before);
    QFETCH(int, after);
    AsyncErrorQueue queue;
    Recorder recorder(&queue);
    onWorker([&] {
        for (int i = 0; i < before; ++i)
            queue.reportErrorAsync(AsyncErrorQueue::Warning, QStringLiteral("old%1").arg(i), QString(), nullptr);
        queue.clear();
        for (int i = 0; i < after; ++i)
            queue.reportErrorAsync(AsyncErrorQueue::Warning, QStringLiteral("new%1").arg(i), QString(), nullptr);
    });
    QCOMPARE(queue.count(), quint64(after));
    runPostedCalls();
    QStringList expected;
    for (int i = after - 1; i >= 0; --i)
        expected << QStringLiteral("new%1").arg(i);
    QCOMPARE(recorder.messages(), expected);
    QCOMPARE(queue.count(), quint64(0));
}

void TestAsyncErrorQueue::receiverMayReportAgain()
{
    AsyncErrorQueue queue;
    int depth = 0;
    int maxDepth = 0;
    QStringList seen;
    QList<quint64> pendingInReceiver;
    connect(&queue, &AsyncErrorQueue::displayError, this,
            [&](AsyncErrorQueue::ErrorSeverity, const QString& message, const QString&, QWidget*) {
                ++depth;
                maxDepth = qMax(maxDepth, depth);
                seen << message;
                if (message == QLatin1String("first"))
                    queue.reportErrorAsync(AsyncErrorQueue::Error, QStringLiteral("follow-up"), QString(), nullptr);
                pendingInReceiver << queue.count();
                --depth;
            });
    queue.reportErrorAsync(AsyncErrorQueue::Error, QStringLiteral("first"), QString(), nullptr);
    QTRY_COMPARE(seen, (QStringList { "first", "follow-up" }));
    // The follow-up waited for its own posted call instead of being delivered
    // inside the receiver.
    QCOMPARE(maxDepth, 1);
    QCOMPARE(pendingInReceiver, (QList<quint64> { 1, 0 }));
}

void TestAsyncErrorQueue::receiverMayClear()
{
    // The signal is emitted without the lock held: a receiver that clears the
    // queue neither deadlocks nor sees the remaining reports delivered.
    AsyncErrorQueue queue;
    Recorder recorder(&queue);
    connect(&queue, &AsyncErrorQueue::displayError, &queue, &AsyncErrorQueue::clear);
    for (const char* text : { "a", "b", "c" })
        queue.reportErrorAsync(AsyncErrorQueue::Error, QLatin1String(text), QString(), nullptr);
    runPostedCalls();
    QCOMPARE(recorder.messages(), QStringList { "c" });
    QCOMPARE(queue.count(), quint64(0));
}

void TestAsyncErrorQueue::destroyingDropsPendingReports()
{
    auto* queue = new AsyncErrorQueue;
    QSignalSpy spy(queue, &AsyncErrorQueue::displayError);
    QPointer<AsyncErrorQueue> watch = queue;
    onWorker([queue] {
        for (int i = 0; i < 10; ++i)
            queue->reportErrorAsync(AsyncErrorQueue::Critical, QStringLiteral("x"), QStringLiteral("y"), nullptr);
    });
    QCOMPARE(queue->count(), quint64(10));
    delete queue; // the records are freed (the sanitizer run checks for leaks)
    runPostedCalls();
    QVERIFY(!watch);
    QCOMPARE(spy.count(), 0);
}

void TestAsyncErrorQueue::manyThreadsEveryReportOnce()
{
    const int threads = 8;
    const int reportsPerThread = 2500;
    AsyncErrorQueue queue;
    QHash<QString, int> delivered;
    int wrongDetails = 0;
    connect(&queue, &AsyncErrorQueue::displayError, this,
            [&](AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details, QWidget*) {
                ++delivered[message];
                if (details != message + QLatin1String("/details") || severity != AsyncErrorQueue::Warning)
                    ++wrongDetails;
            });

    std::atomic<bool> go { false };
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            while (!go.load())
                std::this_thread::yield();
            for (int i = 0; i < reportsPerThread; ++i) {
                const QString message = QStringLiteral("%1:%2").arg(t).arg(i);
                queue.reportErrorAsync(AsyncErrorQueue::Warning, message, message + QLatin1String("/details"), nullptr);
                if (i % 100 == 0)
                    (void)queue.count(); // a reader alongside the writers
            }
        });
    }
    go = true;
    // The owner delivers while the workers are still reporting.
    QTRY_VERIFY_WITH_TIMEOUT(!delivered.isEmpty(), 10000);
    for (std::thread& worker : workers)
        worker.join();
    QTRY_COMPARE_WITH_TIMEOUT(delivered.size(), threads * reportsPerThread, 60000);
    runPostedCalls();

    QCOMPARE(queue.count(), quint64(0));
    QCOMPARE(wrongDetails, 0);
    int total = 0;
    for (auto it = delivered.cbegin(); it != delivered.cend(); ++it) {
        QVERIFY2(it.value() == 1, qPrintable(it.key()));
        total += it.value();
    }
    QCOMPARE(total, threads * reportsPerThread);
}

void TestAsyncErrorQueue::globalQueueIsOneForTheProcess()
{
    AsyncErrorQueue* mine = GetTheGlobalAsyncErrorQueue();
    std::vector<AsyncErrorQueue*> seen(4, nullptr);
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < seen.size(); ++i)
        workers.emplace_back([&seen, i] { seen[i] = GetTheGlobalAsyncErrorQueue(); });
    for (std::thread& worker : workers)
        worker.join();
    for (AsyncErrorQueue* other : seen)
        QCOMPARE(other, mine);
    // Made by the first call, on this (the GUI) thread: deliveries happen here.
    QCOMPARE(mine->thread(), QThread::currentThread());
    QVERIFY(!mine->parent());
}

QTEST_MAIN(TestAsyncErrorQueue)
#include "tst_asyncerrorqueue.moc"
