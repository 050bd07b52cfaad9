#include "genicam/genericexception.h"
#include "logcapture.h"
#include "widgets/asyncerrorqueue.h"
#include "widgets/messagereporting.h"

#include <QWidget>
#include <QtTest>

#include <stdexcept>

namespace {

struct Report
{
    int severity;
    QString message;
    QString details;
    QWidget* widget;
};

// Non-Latin texts as a translated host passes them.
const QString japaneseTitle = QString::fromUtf8("書き込みエラー");
const QString japaneseMessage = QString::fromUtf8("値を書き込めませんでした");
const QString koreanDetails = QString::fromUtf8("범위를 벗어났습니다");
const QString chineseSource = QString::fromUtf8("相机::写入");

} // namespace

class TestMessageReporting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void messages_data();
    void messages();
    void exceptions_data();
    void exceptions();
    void reportsFromAnotherThread();

private:
    /// Delivers what the global queue holds and answers it, newest first.
    QList<Report> deliver();

    QList<Report> m_reports;
};

void TestMessageReporting::initTestCase()
{
    connect(GetTheGlobalAsyncErrorQueue(), &AsyncErrorQueue::displayError, this,
            [this](AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details,
                   QWidget* widget) {
                m_reports.append({ int(severity), message, details, widget });
            });
}

void TestMessageReporting::init()
{
    GetTheGlobalAsyncErrorQueue()->clear();
    QCoreApplication::processEvents();
    m_reports.clear();
}

QList<Report> TestMessageReporting::deliver()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return std::exchange(m_reports, {});
}

void TestMessageReporting::messages_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("details"); // null: the overload without details
    QTest::addColumn<int>("logType"); // -1: no log line
    QTest::addColumn<QString>("logLine");
    QTest::addColumn<int>("severity");
    QTest::addColumn<QString>("queuedDetails");

    const QString title = QStringLiteral("Write failed");
    const QString source = QStringLiteral("FeatureTreeModel::setData");
    const QString message = QStringLiteral("Could not write 'Gain'.");
    const QString details = QStringLiteral("Value out of range");

    const auto addRow = [](const char* name, const char* function, const QString& title, const QString& source,
                           const QString& message, const QString& details, int logType, const QString& logLine,
                           int severity, const QString& queuedDetails) {
        QTest::newRow(name) << QString::fromLatin1(function) << title << source << message << details << logType
                            << logLine << severity << queuedDetails;
    };
    const QString critical = QStringLiteral("Critical message: FeatureTreeModel::setData : Write failed : Could not "
                                            "write 'Gain'. : ");
    const QString warning
        = QStringLiteral("Warning: FeatureTreeModel::setData: Write failed : Could not write 'Gain'.");
    addRow("critical", "critical", title, source, message, details, QtCriticalMsg, critical + details,
           AsyncErrorQueue::Critical, details);
    addRow("critical without details", "critical", title, source, message, QString(), QtCriticalMsg, critical,
           AsyncErrorQueue::Critical, "");
    // Source first, no blank before its colon, details not logged.
    addRow("warning", "warning", title, source, message, details, QtWarningMsg, warning, AsyncErrorQueue::Warning,
           details);
    addRow("warning without details", "warning", title, source, message, QString(), QtWarningMsg, warning,
           AsyncErrorQueue::Warning, "");
    addRow("error", "error", QString(), QString(), message, details, -1, "", AsyncErrorQueue::Error, details);
    addRow("error without details", "error", QString(), QString(), message, QString(), -1, "", AsyncErrorQueue::Error,
           "");
    // Translated texts reach the log intact, not as question marks.
    addRow("critical, CJK texts", "critical", japaneseTitle, chineseSource, japaneseMessage, koreanDetails,
           QtCriticalMsg,
           QStringLiteral("Critical message: %1 : %2 : %3 : %4")
               .arg(chineseSource, japaneseTitle, japaneseMessage, koreanDetails),
           AsyncErrorQueue::Critical, koreanDetails);
    addRow("warning, CJK texts", "warning", japaneseTitle, chineseSource, japaneseMessage, koreanDetails, QtWarningMsg,
           QStringLiteral("Warning: %1: %2 : %3").arg(chineseSource, japaneseTitle, japaneseMessage),
           AsyncErrorQueue::Warning, koreanDetails);
}

void TestMessageReporting::messages()
{
    QFETCH(QString, function);
    QFETCH(QString, title);
    QFETCH(QString, source);
    QFETCH(QString, message);
    QFETCH(QString, details);
    QFETCH(int, logType);
    QFETCH(QString, logLine);
    QFETCH(int, severity);
    QFETCH(QString, queuedDetails);

    QWidget widget;
    LogCapture log;
    const bool withDetails = !details.isNull();
    if (function == QLatin1String("critical")) {
        if (withDetails)
            showCriticalMessage(title, source, message, details, &widget);
        else
            showCriticalMessage(title, source, message, &widget);
    } else if (function == QLatin1String("warning")) {
        if (withDetails)
            showWarningMessage(title, source, message, details, &widget);
        else
            showWarningMessage(title, source, message, &widget);
    } else {
        if (withDetails)
            showErrorMessage(message, details, &widget);
        else
            showErrorMessage(message, &widget);
    }

    const QList<LogCapture::Entry> entries = log.entries();
    if (logType < 0) {
        QCOMPARE(entries.size(), 0);
    } else {
        QCOMPARE(entries.size(), 1);
        QCOMPARE(int(entries.first().type), logType);
        QCOMPARE(entries.first().text, logLine);
    }

    const QList<Report> reports = deliver();
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports.first().severity, severity);
    QCOMPARE(reports.first().message, message);
    QCOMPARE(reports.first().details, queuedDetails);
    QCOMPARE(reports.first().widget, &widget);
}

void TestMessageReporting::exceptions_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("kind"); // of the exception
    QTest::addColumn<QString>("message"); // null: the form without a message
    QTest::addColumn<QString>("title");

    const QString error = QObject::tr("Error");
    const QString unexpected = QObject::tr("Unexpected exception occurred");
    const QString message = QStringLiteral("Adding the camera failed.");
    const auto addRow
        = [](const char* name, const char* function, const char* kind, const QString& message, const QString& title) {
              QTest::newRow(name) << QString::fromLatin1(function) << QString::fromLatin1(kind) << message << title;
          };
    addRow("standard exception with message", "exception", "std", message, error);
    addRow("GenICam exception with message", "exception", "genicam", message, error);
    addRow("UTF-8 exception with message", "exception", "utf8", japaneseMessage, error);
    addRow("standard exception alone", "exception", "std", QString(), error);
    addRow("UTF-8 exception alone", "exception", "utf8", QString(), error);
    addRow("unexpected", "unexpected", "", message, unexpected);
    addRow("unexpected, CJK message", "unexpected", "", japaneseMessage, unexpected);
}

void TestMessageReporting::exceptions()
{
    QFETCH(QString, function);
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QFETCH(QString, title);
    const QString source = QStringLiteral("FeatureTreeModel::addParameterCollection");
    QWidget widget;
    LogCapture log;
    QString exceptionText;

    if (function == QLatin1String("unexpected")) {
        showUnexpectedException(source, message, &widget);
    } else {
        try {
            if (kind == QLatin1String("std"))
                throw std::runtime_error("device lost");
            if (kind == QLatin1String("utf8"))
                throw std::runtime_error("カメラが応答しません");
            GENICAM_THROW(AccessException, "Node is not writable");
        } catch (const std::exception& e) {
            exceptionText = QString::fromUtf8(e.what());
            if (message.isNull())
                showException(source, e, &widget);
            else
                showException(source, e, message, &widget);
        }
    }

    // With a message the exception's text is the details; without one it is
    // the message itself.
    const QString queuedMessage = message.isNull() ? exceptionText : message;
    const QString queuedDetails = message.isNull() ? QString() : exceptionText;
    QCOMPARE(
        log.texts(),
        QStringList {
            QStringLiteral("Critical message: %1 : %2 : %3 : %4").arg(source, title, queuedMessage, queuedDetails) });
    QCOMPARE(log.entries().first().type, QtCriticalMsg);

    const QList<Report> reports = deliver();
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports.first().severity, int(AsyncErrorQueue::Critical));
    QCOMPARE(reports.first().message, queuedMessage);
    QCOMPARE(reports.first().details, queuedDetails);
    QCOMPARE(reports.first().widget, nullptr); // never the caller's widget
}

void TestMessageReporting::reportsFromAnotherThread()
{
    LogCapture log;
    QThread* worker = QThread::create([] {
        showWarningMessage(QStringLiteral("Poll"), QStringLiteral("Worker::run"), QStringLiteral("late"), nullptr);
        showErrorMessage(QStringLiteral("gone"), nullptr);
    });
    worker->start();
    QVERIFY(worker->wait(10000));
    delete worker;
    QCOMPARE(log.texts(), QStringList { QStringLiteral("Warning: Worker::run: Poll : late") });
    const QList<Report> reports = deliver();
    QCOMPARE(reports.size(), 2);
    QCOMPARE(reports.at(0).message, QStringLiteral("gone")); // newest first
    QCOMPARE(reports.at(1).message, QStringLiteral("late"));
}

QTEST_MAIN(TestMessageReporting)
#include "tst_messagereporting.moc"
