#include "common/exceptionlog.h"
#include "genicam/genericexception.h"
#include "logcapture.h"

#include <QtTest>

#include <stdexcept>

class TestExceptionLog : public QObject
{
    Q_OBJECT
private slots:
    void logsTheCurrentException()
    {
        // Each kind of exception as the log shows it: one line, at the level asked for.
        const auto logged = [](auto raise, QtMsgType type) {
            LogCapture log;
            try {
                raise();
            } catch (...) {
                ExceptionLog::logCurrentException("F::g", type);
            }
            return log.texts().size() == 1 ? log.texts(type).value(0) : log.texts().join('|');
        };
        const QString occurred = "F::g: Exception occurred:\n";
        QCOMPARE(logged([] { throw std::runtime_error("broken"); }, QtWarningMsg), occurred + "broken\n");
        QCOMPARE(logged([] { throw std::runtime_error("値が不正"); }, QtWarningMsg), occurred + "値が不正\n");
        QCOMPARE(logged([] { throw 42; }, QtWarningMsg), QString("F::g: Unspecified exception occurred."));
        const QString genicam = logged([] { GENICAM_THROW(InvalidArgumentException, "bad"); }, QtDebugMsg);
        QVERIFY2(genicam.startsWith(occurred + "bad : InvalidArgumentException") && genicam.endsWith('\n')
                     && !genicam.contains('|'),
                 qPrintable(genicam));
    }
};

QTEST_GUILESS_MAIN(TestExceptionLog)
#include "tst_exceptionlog.moc"
