#include "common/exceptionlog.h"
#include "common/settingsgroup.h"
#include "genicam/genericexception.h"
#include "logcapture.h"
#include "testsettings.h"

#include <QtTest>

#include <stdexcept>

class TestExceptionLog : public QObject
{
    Q_OBJECT
private slots:
    void logsTheCurrentException_data();
    void logsTheCurrentException();
    void honoursTheMessageType();
    void settingsGroupWritesUnderItsGroup();
};

void TestExceptionLog::logsTheCurrentException_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("standard") << 0 << "Owner::call: Exception occurred:\nbroken\n";
    QTest::newRow("utf-8 text") << 1 << QString::fromUtf8("Owner::call: Exception occurred:\n値が不正\n");
    QTest::newRow("not a std::exception") << 2 << "Owner::call: Unspecified exception occurred.";
}

void TestExceptionLog::logsTheCurrentException()
{
    QFETCH(int, kind);
    QFETCH(QString, expected);
    LogCapture log;
    try {
        if (kind == 0)
            throw std::runtime_error("broken");
        if (kind == 1)
            throw std::runtime_error("値が不正");
        throw 42;
    } catch (...) {
        ExceptionLog::logCurrentException("Owner::call");
    }
    QCOMPARE(log.texts(QtWarningMsg), QStringList{expected});
}

void TestExceptionLog::honoursTheMessageType()
{
    LogCapture log;
    try {
        GENICAM_THROW(InvalidArgumentException, "bad");
    } catch (...) {
        ExceptionLog::logCurrentException("F::g", QtDebugMsg);
    }
    QCOMPARE(log.texts(QtWarningMsg), QStringList());
    const QStringList debug = log.texts(QtDebugMsg);
    QCOMPARE(debug.size(), 1);
    QVERIFY2(debug.first().startsWith(QLatin1String("F::g: Exception occurred:\nbad : InvalidArgumentException")),
             qPrintable(debug.first()));
    QVERIFY(debug.first().endsWith(QLatin1Char('\n')));
}

void TestExceptionLog::settingsGroupWritesUnderItsGroup()
{
    TestSettings isolated;
    {
        SettingsGroup group(QStringLiteral("FeatureTree"));
        group->setValue(QStringLiteral("HighlightColor"), QStringLiteral("#ff0000"));
    }
    QSettings plain;
    QCOMPARE(plain.value(QStringLiteral("FeatureTree/HighlightColor")).toString(), QStringLiteral("#ff0000"));
    QVERIFY(plain.fileName().startsWith(isolated.path()));
}

QTEST_GUILESS_MAIN(TestExceptionLog)
#include "tst_exceptionlog.moc"
