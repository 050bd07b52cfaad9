#include "browseroptions.h"
#include "translations.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestFeatureBrowser : public QObject
{
    Q_OBJECT
private slots:
    void parsesArguments_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("options"); // mode,language,screenshot,level,device,file,actions; or the error
        const auto row
            = [](const char* arguments, const char* options) { QTest::newRow(arguments) << arguments << options; };
        row("", "Window,,,-1,,,");
        row("--dump --lang JA", "Commands,ja,,-1,,,Dump");
        row("--level Expert", "Window,,,1,,,");
        row("--screenshot a.png", "Screenshot,,a.png,-1,,,");
        row("-h", "Help,,,-1,,,");
        row("--version", "Version,,,-1,,,");
        row("--list-devices", "ListDevices,,,-1,,,");
        row("--dump --aravis Orvik-GEV-0042", "Commands,,,-1,Orvik-GEV-0042,,Dump");
        row("--genicam camera.xml --level guru", "Window,,,2,,camera.xml,");
        // The camera's actions keep their order; --get and --set take names up to the next option.
        row("--set Width=320 OffsetX=8 --save a.json --get Width --format json --dump",
            "Commands,,,-1,,,Set Width=320 OffsetX=8|Save a.json|Get Width|Dump");
        row("--load a.json --compare b.json --set Name=a=b", "Commands,,,-1,,,Load a.json|Compare b.json|Set Name=a=b");
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
        row("--get", "error: --get needs at least one feature name");
        row("--set Width", "error: --set takes NAME=VALUE, not 'Width'");
        row("--set =3", "error: --set takes NAME=VALUE, not '=3'");
        row("--save", "error: --save needs a file name");
        row("--format xml", "error: --format needs text or json");
        row("--list-devices --dump",
            "error: --screenshot and --list-devices cannot be combined with --dump, --get, "
            "--set, --save, --load or --compare");
    }

    void parsesArguments()
    {
        QFETCH(QString, arguments);
        const BrowserOptions o = BrowserOptions::parse(arguments.split(' ', Qt::SkipEmptyParts));
        const char* const modes[] = { "Window", "Commands", "Screenshot", "Help", "Version", "ListDevices" };
        const char* const kinds[] = { "Dump", "Get", "Set", "Save", "Load", "Compare" };
        QStringList actions;
        for (const BrowserOptions::Action& a : o.actions)
            actions << (QStringList(kinds[a.kind]) + a.arguments).join(' ');
        const QStringList parsed { modes[int(o.mode)], o.language,    o.screenshotFile, QString::number(o.visibility),
                                   o.aravisDevice,     o.genicamFile, actions.join('|') };
        QTEST(o.error.isEmpty() ? parsed.join(',') : "error: " + o.error, "options");
    }

    void picksTheLanguageFromTheLocale()
    {
        // Its own where the library is translated into it, English otherwise.
        for (const QString pair : { "ja_JP ja", "ko_KR ko", "zh_CN zh", "en_US en", "de_DE en", "C en" })
            QCOMPARE(BrowserOptions::languageForLocale(pair.section(' ', 0, 0)), pair.section(' ', 1));
    }

    void installsTranslations_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* language : { "en", "ja", "ko", "zh" })
            QTest::newRow(language) << language;
    }

    void installsTranslations()
    {
        // The library's, the browser's and Qt's own texts (found where this Qt
        // keeps its translations; Chinese as Qt names it, zh_CN), or none in English.
        QFETCH(QString, language);
        const QList<QTranslator*> installed = installTranslations(language, this);
        const auto translated = [](const char* context, const char* text) {
            return QCoreApplication::translate(context, text) != QLatin1String(text);
        };
        const bool english = language == "en";
        QCOMPARE(installed.size(), english ? 0 : 3);
        QCOMPARE(translated("QPlatformTheme", "Cancel"), !english);
        QCOMPARE(translated("BrowserCamera", "Camera Device"), !english);
        QCOMPARE(translated("FeatureTreeWidget", "Add to Favorites"), !english);
        qDeleteAll(installed);
        QVERIFY(!translated("QPlatformTheme", "Cancel"));
    }

    void runsTheProgram(); // defined below: moc cannot read its raw string
};

void TestFeatureBrowser::runsTheProgram()
{
    const QTemporaryDir home; // the program's settings
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    // Its exit code on the first line, then what it wrote; each pattern must match.
    const auto run = [](const QStringList& arguments, const QStringList& patterns, bool display = true) {
        QProcess process;
        if (!display) { // as from a terminal without any display
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
                environment.remove(name);
            process.setProcessEnvironment(environment);
        }
        process.start(FEATURE_BROWSER, arguments);
        process.waitForFinished(60000);
        const QString text = QString::number(process.exitCode()) + '\n'
            + QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        for (const QString& pattern : patterns) // lines and dots as in ^...$ and .* across lines
            QVERIFY2(QRegularExpression("(?ms)" + pattern).match(text).hasMatch(),
                     qPrintable(pattern + " in:\n" + text));
    };
    run({ "--dump" },
        { "\\A0\nCamera Device ", "^Transport Layer ", "^Stream Grabber 0 ", "^Image Format Converter ",
          // indent, name padded to 40 characters with the indent, tab, value; booleans and commands too
          "^    Exposure Time \\[us\\] +\\t5000.0$", "^    Sensor Width \\[px\\] {19}\\t\\d+$",
          "^    Reverse X {27}\\tfalse$", "^    Device Reset {24}\\tdone$" },
        false);
    // Wide characters take two cells each, so that the values still line up (a build without Aravis exits with 3).
    QFile xml(home.filePath("wide.xml"));
    QVERIFY(xml.open(QIODevice::WriteOnly));
    xml.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<RegisterDescription ModelName="Wide" VendorName="Orvik" xmlns="http://www.genicam.org/GenApi/Version_1_1">
<Category Name="Root"><pFeature>A</pFeature><pFeature>B</pFeature><pFeature>C</pFeature></Category>
<Integer Name="A"><DisplayName>露光時間</DisplayName><Value>1</Value></Integer>
<Integer Name="B"><DisplayName>노출 시간</DisplayName><Value>2</Value></Integer>
<Integer Name="C"><DisplayName>增益（dB）</DisplayName><Value>3</Value></Integer>
</RegisterDescription>)");
    xml.close();
    run({ "--genicam", xml.fileName(), "--dump" },
        { "\\A(3\n|0\n.*^  露光時間 {30}\\t1$.*^  노출 시간 {29}\\t2$.*^  增益（dB） {28}\\t3$)" }, false);
    run({ "--lang", "xx" }, { "\\A2\n.*^feature-browser: unknown language 'xx'", "--list-devices" });
    run({}, { "\\A1\n.*no display" }, false);
    // A round float as Qt 5 writes it with both builds (Qt 6 alone would write 1e+05).
    run({ "--set", "Width=320", "OffsetX=16", "ExposureTime=100000", "--get", "Width", "OffsetX", "ExposureTime" },
        { "\\A0\n320\n16\n100000\n\\z" }, false);
    // The first refusal ends the run: OffsetX is not written, Width not read.
    run({ "--set", "Width=99999", "OffsetX=16", "--get", "Width" },
        { "\\A1\nfeature-browser: Width: Value 99999 is out of the range \\[16, \\d+\\] of node 'Width'\n\\z" }, false);
    run({ "--get", "NoSuchFeature" }, { "\\A1\nfeature-browser: NoSuchFeature: no such feature" }, false);
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
