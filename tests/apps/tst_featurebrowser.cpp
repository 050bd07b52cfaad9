#include "browseroptions.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestFeatureBrowser : public QObject
{
    Q_OBJECT
private slots:
    void parsesArguments_data();
    void parsesArguments();
    void picksTheLanguageFromTheLocale_data();
    void picksTheLanguageFromTheLocale();
    void dumpsTheEmulatedCamera();
    void writesAScreenshot();
    void refusesBadArguments();
    void showsTheChosenLanguage();
    void parsesAravisArguments_data();
    void parsesAravisArguments();
    void dumpsTheAravisFakeCamera();

private:
    QProcess* start(const QStringList& arguments);
    QTemporaryDir m_home;
};

void TestFeatureBrowser::parsesArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("fails");

    using Mode = BrowserOptions::Mode;
    QTest::newRow("nothing") << QStringList() << int(Mode::Window) << "" << -1 << false;
    QTest::newRow("dump in japanese") << QStringList{"--dump", "--lang", "ja"} << int(Mode::Dump) << "ja" << -1
                                      << false;
    QTest::newRow("level in any case") << QStringList{"--level", "Expert"} << int(Mode::Window) << "" << 1 << false;
    QTest::newRow("screenshot") << QStringList{"--screenshot", "a.png"} << int(Mode::Screenshot) << "" << -1 << false;
    QTest::newRow("help") << QStringList{"-h"} << int(Mode::Help) << "" << -1 << false;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 0 << "" << -1 << true;
    QTest::newRow("unknown language") << QStringList{"--lang", "fr"} << 0 << "" << -1 << true;
    QTest::newRow("missing language") << QStringList{"--lang"} << 0 << "" << -1 << true;
    QTest::newRow("missing file") << QStringList{"--screenshot"} << 0 << "" << -1 << true;
    QTest::newRow("unknown level") << QStringList{"--level", "master"} << 0 << "" << -1 << true;
}

void TestFeatureBrowser::parsesArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, mode);
    QFETCH(QString, language);
    QFETCH(int, level);
    QFETCH(bool, fails);
    const BrowserOptions options = BrowserOptions::parse(arguments);
    QCOMPARE(!options.error.isEmpty(), fails);
    if (fails)
        return;
    QCOMPARE(int(options.mode), mode);
    QCOMPARE(options.language, language);
    QCOMPARE(options.visibility, level);
}

void TestFeatureBrowser::picksTheLanguageFromTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::newRow("japanese") << "ja_JP" << "ja";
    QTest::newRow("korean") << "ko_KR" << "ko";
    QTest::newRow("chinese") << "zh_CN" << "zh";
    QTest::newRow("german falls back") << "de_DE" << "en";
    QTest::newRow("C") << "C" << "en";
}

void TestFeatureBrowser::picksTheLanguageFromTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QCOMPARE(BrowserOptions::languageForLocale(locale), language);
}

QProcess* TestFeatureBrowser::start(const QStringList& arguments)
{
    auto* process = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path());
    process->setProcessEnvironment(env);
    process->start(QStringLiteral(FEATURE_BROWSER), arguments);
    return process;
}

void TestFeatureBrowser::dumpsTheEmulatedCamera()
{
    QProcess* process = start({QStringLiteral("--dump")});
    QVERIFY(process->waitForFinished(60000));
    QCOMPARE(process->exitCode(), 0);
    const QString text = QString::fromUtf8(process->readAllStandardOutput());
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(lines.size() > 200, qPrintable(QString::number(lines.size())));
    for (const char* expected : {"Favorites", "Camera Device", "Transport Layer", "Stream Grabber 0",
                                 "Image Format Converter", "Exposure Time"}) {
        QVERIFY2(text.contains(QLatin1String(expected)), expected);
    }
    // The clipboard layout: indent, name padded to 40 characters with the indent, tab, value.
    const QRegularExpression row(QStringLiteral("^    Sensor Width \\[px\\] {19}\\t\\d+$"),
                                 QRegularExpression::MultilineOption);
    QVERIFY2(row.match(text).hasMatch(), qPrintable(text.left(2000)));
}

void TestFeatureBrowser::writesAScreenshot()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("browser.png"));
    QProcess* process = start({QStringLiteral("--screenshot"), file});
    QVERIFY(process->waitForFinished(60000));
    QCOMPARE(process->exitCode(), 0);
    const QImage image(file);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 400 && image.height() >= 300);
}

void TestFeatureBrowser::refusesBadArguments()
{
    QProcess* process = start({QStringLiteral("--lang"), QStringLiteral("xx")});
    QVERIFY(process->waitForFinished(60000));
    QCOMPARE(process->exitCode(), 2);
    QVERIFY(QString::fromUtf8(process->readAllStandardError()).contains(QLatin1String("unknown language 'xx'")));
}

void TestFeatureBrowser::parsesAravisArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");

    using Mode = BrowserOptions::Mode;
    QTest::newRow("fake camera") << QStringList{"--aravis", "Fake_1"} << int(Mode::Window) << "Fake_1"
                                 << "" << "";
    QTest::newRow("camera dump") << QStringList{"--dump", "--aravis", "Orvik-GEV-0042"} << int(Mode::Dump)
                                 << "Orvik-GEV-0042" << "" << "";
    QTest::newRow("xml file") << QStringList{"--genicam", "camera.xml", "--level", "guru"} << int(Mode::Window) << ""
                              << "camera.xml" << "";
    QTest::newRow("list devices") << QStringList{"--list-devices"} << int(Mode::ListDevices) << "" << "" << "";
    QTest::newRow("missing device") << QStringList{"--aravis"} << 0 << "" << "" << "--aravis needs a device id";
    QTest::newRow("option as device") << QStringList{"--aravis", "--dump"} << 0 << "" << ""
                                      << "--aravis needs a device id";
    QTest::newRow("missing file") << QStringList{"--genicam"} << 0 << "" << "" << "--genicam needs a file name";
    QTest::newRow("both") << QStringList{"--aravis", "Fake_1", "--genicam", "a.xml"} << 0 << "" << ""
                          << "cannot be combined";
}

void TestFeatureBrowser::parsesAravisArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, mode);
    QFETCH(QString, device);
    QFETCH(QString, file);
    QFETCH(QString, error);
    const BrowserOptions options = BrowserOptions::parse(arguments);
    QVERIFY2(options.error.contains(error), qPrintable(options.error));
    QCOMPARE(options.error.isEmpty(), error.isEmpty());
    if (!error.isEmpty())
        return;
    QCOMPARE(int(options.mode), mode);
    QCOMPARE(options.aravisDevice, device);
    QCOMPARE(options.genicamFile, file);
    QVERIFY(BrowserOptions::usage().contains(QLatin1String("--list-devices")));
}

void TestFeatureBrowser::dumpsTheAravisFakeCamera()
{
    QProcess* process = start({QStringLiteral("--aravis"), QStringLiteral("Fake_1"), QStringLiteral("--dump")});
    QVERIFY(process->waitForFinished(60000));
    // A browser built without Aravis says so with its own exit code.
    if (process->exitCode() == 3)
        QSKIP("The feature browser was built without Aravis");
    QCOMPARE(process->exitCode(), 0);
    const QString text = QString::fromUtf8(process->readAllStandardOutput());
    for (const char* expected : {"Camera Device", "DeviceControl", "ImageFormatControl", "Vendor Name", "PayloadSize"})
        QVERIFY2(text.contains(QLatin1String(expected)), expected);
    QVERIFY2(!text.contains(QLatin1String("Transport Layer")), "the emulated camera is not shown");
    const QRegularExpression width(QStringLiteral("^    Width +\\t\\d+$"), QRegularExpression::MultilineOption);
    QVERIFY2(width.match(text).hasMatch(), qPrintable(text.left(2000)));
}

void TestFeatureBrowser::showsTheChosenLanguage()
{
    // The library's translation reaches the tree: the favourites row is named in Japanese.
    QProcess* process = start({QStringLiteral("--lang"), QStringLiteral("ja"), QStringLiteral("--dump")});
    QVERIFY(process->waitForFinished(60000));
    QCOMPARE(process->exitCode(), 0);
    const QString text = QString::fromUtf8(process->readAllStandardOutput());
    QVERIFY2(text.startsWith(QString::fromUtf8("お気に入り")), qPrintable(text.left(200)));
}

QTEST_GUILESS_MAIN(TestFeatureBrowser)
#include "tst_featurebrowser.moc"
