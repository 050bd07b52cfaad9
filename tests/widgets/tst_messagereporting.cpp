#include "fetch.h"
#include "logcapture.h"
#include "testsettings.h"
#include "widgets/asyncerrorqueue.h"
#include "widgets/messageboxcheckable.h"
#include "widgets/messagereporting.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

/// Records what a queue delivers, in order: "message@n" with n the reports
/// still pending when the receiver ran, and "severity|message|details|widget".
struct Recorder
{
    Recorder(AsyncErrorQueue* queue, QWidget* widget, std::function<void(const QString&)> react = {})
    {
        QObject::connect(queue, &AsyncErrorQueue::displayError, &context,
                         [=](AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details,
                             QWidget* receiver) {
                             if (react)
                                 react(message);
                             order << QString("%1@%2").arg(message).arg(queue->count());
                             const QString to = receiver == widget ? "widget" : receiver ? "another" : "";
                             fields << QString("%1|%2|%3|%4").arg(severity).arg(message, details, to);
                         });
    }
    QObject context;
    QStringList order, fields;
};

const QString boxName = "ConfirmReset";

/// The remembered choices, by box name.
struct Choices : QSettings
{
    Choices() { beginGroup("DoNotShowAgain"); }
};

/// What exec did: its result, and whether the user saw the box (and answered it
/// by ticking the check box or not and clicking `click`, 0 for done(0)).
QString execAnswering(MessageBoxCheckable& box, bool tick, int click)
{
    bool shown = false;
    QTimer::singleShot(0, &box, [&] {
        if (!box.isVisible() || !box.checkBox())
            return;
        shown = true;
        box.checkBox()->setChecked(tick);
        if (click)
            box.button(QMessageBox::StandardButton(click))->click();
        else
            box.done(0);
    });
    const int result = box.exec();
    return QString("%1%2").arg(result).arg(shown ? " shown" : "");
}

} // namespace

class TestMessageReporting : public QObject
{
    Q_OBJECT
private slots:
    void queueDeliveries_data()
    {
        QTest::addColumn<bool>("worker"); // the calls come from a thread of their own
        QTest::addColumn<QString>("calls"); // reports by their message, and clear()
        QTest::addColumn<QString>("then"); // what the receiver does, or the owner before delivering
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, bool worker, const char* calls, const char* then, const char* expected) {
            QTest::newRow(name) << worker << QString(calls) << QString(then)
                                << QString(expected).split(' ', Qt::SkipEmptyParts);
        };
        row("newest first", true, "r1 r2 r3", "", "r3@2 r2@1 r1@0");
        row("from the owner", false, "r1 r2 r3", "", "r3@2 r2@1 r1@0");
        row("cleared", true, "r1 r2 r3 r4 r5 clear", "", "");
        // Calls posted before the clear deliver the reports made after it.
        row("after a clear", true, "r1 r2 r3 clear n1 n2", "", "n2@1 n1@0");
        // The lock is not held while the signal is out: the receiver may clear, or report again (which
        // is delivered after it, not inside it).
        row("receiver clears", false, "r1 r2 r3", "clear", "r3@0");
        row("receiver reports", false, "r1", "report", "r1@1 again@0");
        // Pending reports die with the queue (the sanitizer run checks that they are freed).
        row("queue deleted", true, "r1 r2 r3", "delete", "");
    }

    void queueDeliveries()
    {
        QFETCH(QString, calls);
        QFETCH(QString, then);
        QPointer<AsyncErrorQueue> queue = new AsyncErrorQueue;
        Recorder recorder(queue, nullptr, [&](const QString& message) {
            if (then == "clear")
                queue->clear();
            else if (then == "report" && message == "r1")
                queue->reportErrorAsync(AsyncErrorQueue::Error, "again", QString(), nullptr);
        });
        bool accepted = true;
        const auto call = [&] {
            bool append = false; // append() and reportErrorAsync() take turns: they are the same
            for (const QString& word : calls.split(' ', Qt::SkipEmptyParts)) {
                if (word == "clear")
                    queue->clear();
                else if ((append = !append))
                    accepted &= queue->append(AsyncErrorQueue::Warning, word, QString(), nullptr);
                else
                    accepted &= queue->reportErrorAsync(AsyncErrorQueue::Warning, word, QString(), nullptr);
            }
        };
        fetch<bool>("worker") ? std::thread(call).join() : call();
        QCOMPARE(queue->count(), quint64(calls.section("clear", -1).split(' ', Qt::SkipEmptyParts).size()));
        QVERIFY(accepted && recorder.order.isEmpty()); // each report taken, none delivered before the loop runs
        if (then == "delete")
            delete queue;
        QCoreApplication::sendPostedEvents(); // the calls posted so far; those they post come later
        QTRY_COMPARE(recorder.order, fetch<QStringList>("expected"));
        QCOMPARE(queue ? queue->count() : 0, quint64(0));
        delete queue;
    }

    void manyThreadsEveryReportOnce()
    {
        const int threads = 8, reportsPerThread = 2500;
        AsyncErrorQueue queue;
        QHash<QString, int> delivered;
        int wrongDetails = 0;
        connect(&queue, &AsyncErrorQueue::displayError, this,
                [&](AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details, QWidget*) {
                    ++delivered[message];
                    wrongDetails += details != message + "/details" || severity != AsyncErrorQueue::Warning;
                });
        std::atomic<bool> go { false };
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([&, t] {
                while (!go)
                    std::this_thread::yield();
                for (int i = 0; i < reportsPerThread; ++i) {
                    const QString message = QString("%1:%2").arg(t).arg(i);
                    queue.reportErrorAsync(AsyncErrorQueue::Warning, message, message + "/details", nullptr);
                    if (i % 100 == 0)
                        (void)queue.count(); // a reader alongside the writers
                }
            });
        go = true;
        QTRY_VERIFY_WITH_TIMEOUT(!delivered.isEmpty(), 10000); // delivering while the workers still report
        for (std::thread& worker : workers)
            worker.join();
        QTRY_COMPARE_WITH_TIMEOUT(delivered.size(), threads * reportsPerThread, 60000);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(queue.count(), quint64(0));
        QCOMPARE(wrongDetails, 0);
        QCOMPARE(delivered.values().count(1), threads * reportsPerThread); // each once
    }

    void reportingFunctions_data()
    {
        QTest::addColumn<QString>("call"); // the function; "-" for the overload without details
        QTest::addColumn<QStringList>("arguments"); // title, source, message, details (an exception's text)
        QTest::addColumn<QString>("logged"); // "" for no log line
        QTest::addColumn<QString>("report"); // as the Recorder writes it
        const QStringList latin { "Write failed", "Cam::write", "Could not write 'Gain'.", "Value out of range" };
        // Translated texts reach the log intact, not as question marks.
        const QStringList cjk { "書き込みエラー", "相机::写入", "値を書き込めませんでした", "범위를 벗어났습니다" };
        for (const QStringList& arguments : { latin, cjk }) {
            const auto fill = [&](QString text) { // %1 to %4 stand for the arguments
                for (int i = 0; i < 4; ++i)
                    text.replace(QString("%%1").arg(i + 1), arguments[i]);
                return text;
            };
            const auto row = [&](const char* call, const char* logged, const char* report) {
                QTest::addRow("%s, %s", call, qPrintable(arguments[0]))
                    << QString(call) << arguments << fill(logged) << fill(report);
            };
            row("critical", "Critical message: %2 : %1 : %3 : %4", "10|%3|%4|widget");
            row("critical-", "Critical message: %2 : %1 : %3 : ", "10|%3||widget");
            row("warning", "Warning: %2: %1 : %3", "30|%3|%4|widget"); // source first, details not logged
            row("error", "", "20|%3|%4|widget");
            // An exception's text is the details next to a message, else the message; never a widget.
            row("exception", "Critical message: %2 : Error : %3 : %4", "10|%3|%4|");
            row("exception-", "Critical message: %2 : Error : %4 : ", "10|%4||");
            row("unexpected", "Critical message: %2 : Unexpected exception occurred : %3 : ", "10|%3||");
        }
    }

    void reportingFunctions()
    {
        QFETCH(QString, call);
        QFETCH(QStringList, arguments);
        QFETCH(QString, logged);
        QFETCH(QString, report);
        const QString &title = arguments[0], &source = arguments[1], &message = arguments[2], &details = arguments[3];
        const std::runtime_error exception(details.toStdString());
        QWidget widget;
        GetTheGlobalAsyncErrorQueue()->clear();
        Recorder recorder(GetTheGlobalAsyncErrorQueue(), &widget);
        LogCapture log;
        const QHash<QString, std::function<void()>> calls {
            { "critical", [&] { showCriticalMessage(title, source, message, details, &widget); } },
            { "critical-", [&] { showCriticalMessage(title, source, message, &widget); } },
            { "warning", [&] { showWarningMessage(title, source, message, details, &widget); } },
            { "error", [&] { showErrorMessage(message, details, &widget); } },
            { "exception", [&] { showException(source, exception, message, &widget); } },
            { "exception-", [&] { showException(source, exception, &widget); } },
            { "unexpected", [&] { showUnexpectedException(source, message, &widget); } },
        };
        std::thread(calls.value(call)).join(); // any thread may report
        QCOMPARE(log.texts(call.startsWith("warning") ? QtWarningMsg : QtCriticalMsg).join(""), logged);
        QCOMPARE(log.entries().size(), logged.isEmpty() ? 0 : 1);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(recorder.fields, QStringList { report });
    }

    void remembersChoices_data()
    {
        QTest::addColumn<int>("saveFlags");
        QTest::addColumn<int>("registered"); // a button registered through the QAbstractButton* overload; 0: none
        QTest::addColumn<bool>("tick");
        QTest::addColumn<int>("click"); // 0: closed with done(0)
        QTest::addColumn<int>("stored"); // -1: nothing stored
        const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
        QTest::newRow("ticked, Yes") << (yes | no) << 0 << true << yes << yes;
        QTest::newRow("ticked, No") << (yes | no) << 0 << true << no << no;
        QTest::newRow("unticked") << (yes | no) << 0 << false << yes << -1;
        QTest::newRow("ticked, button not allowed") << yes << 0 << true << no << -1;
        QTest::newRow("ticked, no flags") << 0 << 0 << true << yes << -1;
        QTest::newRow("ticked, registered button") << yes << no << true << no << no;
        QTest::newRow("ticked, registered without flags") << 0 << cancel << true << cancel << cancel;
        // A result of 0 only qualifies while no flags are set.
        QTest::newRow("ticked, result 0, no flags") << 0 << 0 << true << 0 << 0;
        QTest::newRow("ticked, result 0 with flags") << yes << 0 << true << 0 << -1;
    }

    void remembersChoices()
    {
        QFETCH(int, registered);
        QFETCH(int, click);
        QFETCH(int, stored);
        const TestSettings settings;
        const auto buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        {
            MessageBoxCheckable box(boxName, QMessageBox::Question, "Reset", "Reset the camera?", buttons);
            box.setSaveResultOnButton(QMessageBox::StandardButtons(fetch<int>("saveFlags")));
            if (registered)
                box.setSaveResultOnButton(box.button(QMessageBox::StandardButton(registered)));
            QCOMPARE(execAnswering(box, fetch<bool>("tick"), click), QString("%1 shown").arg(click));
        }
        QCOMPARE(Choices().value(boxName, -1).toInt(), stored);
        // A later box of that name answers at once, without being shown or getting a check box.
        MessageBoxCheckable again(boxName, QMessageBox::Question, "Reset", "Reset the camera?", buttons);
        QCOMPARE(execAnswering(again, false, QMessageBox::Cancel),
                 stored == -1 ? QString("%1 shown").arg(QMessageBox::Cancel) : QString::number(stored));
    }

    void forgetsChoices()
    {
        const TestSettings settings;
        Choices().setValue("Other", int(QMessageBox::Yes));
        Choices().setValue(boxName, int(QMessageBox::No));
        MessageBoxCheckable box(boxName, nullptr);
        QVERIFY(box.reset());
        QCOMPARE(Choices().childKeys(), QStringList { "Other" });
        QVERIFY(!MessageBoxCheckable(QString(), nullptr).reset());
        // The box keeps what it read; a new box reads nothing, and gets its check box once (exec adds no
        // other), labelled with the text set before; an empty text restores the default label.
        QCOMPARE(box.exec(), int(QMessageBox::No));
        struct Box : MessageBoxCheckable
        {
            using MessageBoxCheckable::addCheckBoxWidget;
            using MessageBoxCheckable::MessageBoxCheckable;
        } fresh(boxName, QMessageBox::Information, "t", "x", QMessageBox::Ok);
        fresh.setCheckBoxText("&Never ask again");
        QVERIFY(fresh.addCheckBoxWidget() && !fresh.addCheckBoxWidget());
        QCOMPARE(execAnswering(fresh, false, QMessageBox::Ok), QString("%1 shown").arg(QMessageBox::Ok));
        QCOMPARE(execAnswering(fresh, false, QMessageBox::Ok), QString("%1 shown").arg(QMessageBox::Ok));
        QCOMPARE(fresh.findChildren<QCheckBox*>(), QList<QCheckBox*> { fresh.checkBox() });
        QCOMPARE(fresh.checkBox()->text(), QString("&Never ask again"));
        fresh.setCheckBoxText(QString());
        QCOMPARE(fresh.checkBox()->text(), QObject::tr("&Don't show this dialog again"));

        // A stored text that is no number reads as the result 0.
        Choices().setValue(boxName, "always");
        QCOMPARE(execAnswering(*new MessageBoxCheckable(boxName, &fresh), false, QMessageBox::Ok), QString("0"));

        // resetAll forgets every box's choice and nothing else.
        QSettings().setValue("Favorites/Size", 3);
        QVERIFY(MessageBoxCheckable::resetAll());
        QCOMPARE(Choices().childKeys(), QStringList());
        QCOMPARE(QSettings().value("Favorites/Size"), QVariant(3));

        // A box without a name asks every time: it keeps no choice and touches no empty settings key.
        const LogCapture log;
        MessageBoxCheckable unnamed(QString(), QMessageBox::Question, "Reset", "Reset?", QMessageBox::Yes);
        unnamed.setSaveResultOnButton(QMessageBox::Yes);
        QCOMPARE(execAnswering(unnamed, true, QMessageBox::Yes), QString("%1 shown").arg(QMessageBox::Yes));
        QCOMPARE(Choices().childKeys(), QStringList());
        QVERIFY2(!log.texts().join("|").contains("QSettings"), qPrintable(log.texts().join("|")));
    }
};

QTEST_MAIN(TestMessageReporting)
#include "tst_messagereporting.moc"
