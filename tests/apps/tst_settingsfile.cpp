#include "browsercamera.h"
#include "camerapool/staticbaseinfo.h"
#include "featuredump.h"
#include "featurewalk.h"
#include "nodemaptext.h"
#include "parametercollection/iparameter.h"
#include "settingsfile.h"
#include "testsettings.h"

#include <QtTest>

namespace {
using Camera = std::unique_ptr<BrowserCamera>;

void set(BrowserCamera& camera, const QStringList& pairs)
{
    for (const QString& pair : pairs) {
        const auto parameter = FeatureWalk::find(camera.parameterCollections(), pair.section('=', 0, 0));
        QVERIFY2(parameter, qPrintable(pair));
        FeatureWalk::write(*parameter, pair.section('=', 1));
    }
}

SettingsFile capture(const BrowserCamera& camera)
{
    return SettingsFile::capture(camera.parameterCollections(), *camera.info());
}
} // namespace

// Save, load and compare against whole cameras: the settings a camera had are
// the oracle for the camera they were loaded into.
class TestSettingsFile : public QObject
{
    Q_OBJECT
    TestSettings m_settings;

private slots:
    void ordersByDependencies_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("entries");
        const auto row = [](const char* name, const char* tree, const char* entries) {
            QTest::newRow(name) << QString(tree) << QString(entries);
        };
        row("selector first, every position", "Gain=1{selector=Sel} Sel:e=A(A B)", "Sel Gain[Sel=A] Gain[Sel=B]");
        row("limits first", "X=0{max=Y} Y=5", "Y X");
        // Width and OffsetX limit each other: tree order, but both before what depends on them.
        row("cycle", "X=0{max=OffsetX} OffsetX=0{max='100 - Width'} Width=10{max='100 - OffsetX'}", "OffsetX Width X");
        row("neither read-only nor commands", "A=1!RO B:c C=2 D:s=x!NA", "C");
        row("selector of a selector", "V=0{selector=Inner} Inner=0{min=0 max=1 selector=Outer} Outer:e=P(P Q)",
            "Outer Inner[Outer=P] Inner[Outer=Q] V[Outer=P,Inner=0] V[Outer=P,Inner=1] V[Outer=Q,Inner=0] "
            "V[Outer=Q,Inner=1]");
    }

    void ordersByDependencies()
    {
        QFETCH(QString, tree);
        const auto collection = NodeMapText::collection(tree);
        const Plugin::CameraPool::StaticBaseInfo info("CamEmu");
        QStringList names;
        for (const SettingsFile::Entry& e : SettingsFile::capture({ collection }, info).entries)
            names << SettingsFile::describe(e).remove("@CameraDevice/");
        QTEST(names.join(' '), "entries");
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("camera"); // "" the emulated camera, or an Aravis id
        QTest::addColumn<QStringList>("changes");
        // Twenty features, selected ones among them (gain per channel, I/O lines, trigger kinds),
        // written so that a selector stands elsewhere than where its selected values were set.
        const auto row = [](const char* name, const char* camera, const char* changes) {
            QTest::newRow(name) << QString(camera) << QString(changes).split("; ");
        };
        row("emulated", "",
            "Width=640; OffsetX=64; Height=480; ReverseX=true; PixelFormat=Mono12; ExposureTime=1234.5; "
            "DeviceUserID=field camera 7; GainSelector=AnalogAll; Gain=3.25; GainSelector=DigitalAll; Gain=0.5; "
            "LineSelector=Line1; LineInverter=true; LineSelector=Line2; TriggerSelector=FrameStart; TriggerMode=On; "
            "TriggerSelector=FrameBurstStart; TriggerDelay=17.5; AcquisitionFrameRateEnable=true; "
            "AcquisitionFrameRate=12.5");
        if (BrowserCamera::haveAravis())
            row("Fake_1", "Fake_1",
                "Width=320; Height=200; OffsetX=8; BinningHorizontal=2; AcquisitionMode=SingleFrame; "
                "TriggerSelector=AcquisitionStart; TriggerMode=On; TriggerSource=Software; ExposureTimeAbs=2000.5");
    }

    void roundTrip()
    {
        QFETCH(QString, camera);
        QFETCH(QStringList, changes);
        const auto open = [&camera] {
            return camera.isEmpty() ? BrowserCamera::openEmulated() : BrowserCamera::openAravis(camera);
        };
        const Camera changed = open();
        set(*changed, changes);
        const SettingsFile saved = capture(*changed);
        QTemporaryDir dir;
        QString error;
        QVERIFY2(saved.save(dir.filePath("a.json"), &error), qPrintable(error));

        // A selector comes before what it selects, a size before its offset; no command is saved.
        QStringList names; // of the entries, in order
        for (const SettingsFile::Entry& e : saved.entries)
            names << e.name;
        QVERIFY(names.contains("@CameraDevice/Width"));
        if (camera.isEmpty()) {
            QVERIFY(names.indexOf("@CameraDevice/Width") < names.indexOf("@CameraDevice/OffsetX"));
            QVERIFY(names.indexOf("@CameraDevice/GainSelector") < names.indexOf("@CameraDevice/Gain"));
            QVERIFY(saved.toJson().contains(
                R"({"name": "@CameraDevice/Gain", "selectors": ["@CameraDevice/GainSelector=AnalogAll"], "value": "3.25"})"));
            QVERIFY(!names.contains("@CameraDevice/TriggerSoftware"));
        }

        const Camera fresh = open();
        SettingsFile loaded;
        QVERIFY2(loaded.load(dir.filePath("a.json"), &error), qPrintable(error));
        QVERIFY(!loaded.compare(fresh->parameterCollections()).isEmpty());
        const SettingsFile::Report report = loaded.apply(fresh->parameterCollections());
        QVERIFY2(report.ok() && report.skipped.isEmpty(), qPrintable(SettingsFile::reportText(report)));
        QCOMPARE(SettingsFile::differenceText(loaded.compare(fresh->parameterCollections())), QString());
        // Every selector stands where it stood, and reading again gives the same file.
        QCOMPARE(capture(*fresh).toJson(), saved.toJson());
    }

    void reportsWhatItCouldNotSet()
    {
        const Camera camera = BrowserCamera::openEmulated();
        const QString before = capture(*camera).toJson();
        SettingsFile file;
        QString error;
        QVERIFY2(file.fromJson(R"({"format": "feature-browser settings", "version": 1, "features": [
            {"name": "@CameraDevice/NoSuchFeature", "value": "1"},
            {"name": "@CameraDevice/SensorWidth", "value": "100"},
            {"name": "@CameraDevice/Width", "value": "99999"},
            {"name": "@CameraDevice/Gain", "selectors": ["@CameraDevice/GainSelector=NoSuchGain"], "value": "1"},
            {"name": "@CameraDevice/ReverseY", "value": "true"}]})",
                               &error),
                 qPrintable(error));
        const SettingsFile::Report report = file.apply(camera->parameterCollections());
        QCOMPARE(report.written, 1);
        QStringList failed;
        for (const SettingsFile::Problem& p : report.failed)
            failed << p.feature + (p.reason.isEmpty() ? " without a reason" : "");
        QCOMPARE(failed,
                 QStringList({ "@CameraDevice/SensorWidth", "@CameraDevice/Width",
                               "@CameraDevice/Gain[GainSelector=NoSuchGain]" }));
        QCOMPARE(report.skipped.size(), 1);
        QCOMPARE(report.skipped.first().feature, "@CameraDevice/NoSuchFeature");
        // Nothing but ReverseY changed, and the gain selector stands where it stood.
        set(*camera, { "ReverseY=false" });
        QCOMPARE(capture(*camera).toJson(), before);

        QVERIFY(!file.fromJson(R"({"format": "something else", "features": []})", &error));
        QVERIFY(!file.fromJson(R"({"format": "feature-browser settings", "features": [{"name": "Width"}]})", &error));
        QVERIFY(!file.fromJson("{", &error));
    }

    void countsDisplayCells()
    {
        // Wide characters take two cells, also beyond the BMP, and a combining accent none.
        const std::pair<const char*, int> texts[]
            = { { "Exposure Time [us]", 18 }, { "露光時間 [us]", 13 }, { "노출 시간", 9 },
                { "增益（dB）", 10 },         { "e\u0301", 1 },        { "\U00020000x", 3 } };
        for (const auto& [text, cells] : texts)
            QCOMPARE(QString::number(FeatureDump::displayWidth(QString::fromUtf8(text))) + " " + text,
                     QString::number(cells) + " " + text);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
