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
    void picksTheLanguageFromTheLocale();
    void runsTheProgram();
};

void TestFeatureBrowser::parsesArguments_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("options"); // mode,language,screenshot,level,device,file; or the error
    const auto row
        = [](const char* arguments, const char* options) { QTest::newRow(arguments) << arguments << options; };
    row("", "Window,,,-1,,");
    row("--dump --lang JA", "Dump,ja,,-1,,");
    row("--level Expert", "Window,,,1,,");
    row("--screenshot a.png", "Screenshot,,a.png,-1,,");
    row("-h", "Help,,,-1,,");
    row("--version", "Version,,,-1,,");
    row("--list-devices", "ListDevices,,,-1,,");
    row("--dump --aravis Orvik-GEV-0042", "Dump,,,-1,Orvik-GEV-0042,");
    row("--genicam camera.xml --level guru", "Window,,,2,,camera.xml");
    row("--frobnicate", "error: unknown argument '--frobnicate'");
    row("--lang fr", "error: unknown language 'fr' (choose one of: en, ja, ko, zh)");
    row("--lang", "error: --lang needs one of: en, ja, ko, zh");
    row("--level master", "error: unknown level 'master' (choose one of: beginner, expert, guru, invisible)");
    row("--level", "error: --level needs one of: beginner, expert, guru, invisible");
    row("--screenshot", "error: --screenshot needs a file name");
    row("--aravis", "error: --aravis needs a device id (see --list-devices)");
    row("--aravis --dump", "error: --aravis needs a device id (see --list-devices)");
    row("--genicam", "error: --genicam needs a file name");
    row("--aravis Fake_1 --genicam a.xml", "error: --aravis and --genicam cannot be combined");
}

void TestFeatureBrowser::parsesArguments()
{
    QFETCH(QString, arguments);
    QFETCH(QString, options);
    const BrowserOptions o = BrowserOptions::parse(arguments.split(' ', Qt::SkipEmptyParts));
    const char* const modes[] = { "Window", "Dump", "Screenshot", "Help", "Version", "ListDevices" };
    const QStringList parsed { modes[int(o.mode)], o.language,   o.screenshotFile, QString::number(o.visibility),
                               o.aravisDevice,     o.genicamFile };
    QCOMPARE(o.error.isEmpty() ? parsed.join(',') : "error: " + o.error, options);
}

void TestFeatureBrowser::picksTheLanguageFromTheLocale()
{
    // Its own where the library is translated into it, English otherwise.
    for (const QString pair : { "ja_JP ja", "ko_KR ko", "zh_CN zh", "en_US en", "de_DE en", "C en" })
        QCOMPARE(BrowserOptions::languageForLocale(pair.section(' ', 0, 0)), pair.section(' ', 1));
}

void TestFeatureBrowser::runsTheProgram()
{
    const QTemporaryDir home; // the program's settings
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    // Its exit code on the first line, then what it wrote; each pattern must match.
    const auto run = [](const QStringList& arguments, const QStringList& patterns) {
        QProcess process;
        process.start(FEATURE_BROWSER, arguments);
        process.waitForFinished(60000);
        const QString text = QString::number(process.exitCode()) + '\n'
            + QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        for (const QString& pattern : patterns) // lines and dots as in ^...$ and .* across lines
            QVERIFY2(QRegularExpression("(?ms)" + pattern).match(text).hasMatch(),
                     qPrintable(pattern + " in:\n" + text));
    };
    run({ "--dump" },
        { "\\A0\nFavorites ", "^Camera Device ", "^Transport Layer ", "^Stream Grabber 0 ", "^Image Format Converter ",
          // indent, name padded to 40 characters with the indent, tab, value
          "^    Exposure Time \\[us\\] +\\t5000.0$", "^    Sensor Width \\[px\\] {19}\\t\\d+$" });
    run({ "--lang", "ja", "--dump" }, { "\\A0\nお気に入り" });
    run({ "--lang", "xx" }, { "\\A2\n.*^feature-browser: unknown language 'xx'", "--list-devices" });
    run({ "--screenshot", home.filePath("browser.png") }, { "\\A0\n" });
    const QImage image(home.filePath("browser.png"));
    QVERIFY(image.width() >= 400 && image.height() >= 300);
    // A browser without Aravis exits with 3; one with it shows the fake camera instead of the emulated one.
    run({ "--aravis", "Fake_1", "--dump" },
        { "\\A(3\n|0\n(?!.*Transport Layer).*^Camera Device .*DeviceControl.*Vendor Name.*ImageFormatControl.*"
          "^    Width +\\t\\d+$.*PayloadSize)" });
}

QTEST_GUILESS_MAIN(TestFeatureBrowser)
#include "tst_featurebrowser.moc"
