#include "backgroundwork.h"
#include "browsercamera.h"
#include "browserwindow.h"
#include "fakegvcamera.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featurewalk.h"
#include "opencameradialog.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "treefixture.h"
#include "widgets/asyncerrorqueue.h"
#include "widgets/ipaddresswidget.h"

#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QtTest>

namespace {
QString value(BrowserCamera& camera, const QString& name)
{
    return FeatureWalk::valueText(*FeatureWalk::find(camera.parameterCollections(), name)->getParameterData());
}
void set(BrowserCamera& camera, const QStringList& pairs) // "Name=value"
{
    for (const QString& pair : pairs)
        FeatureWalk::write(*FeatureWalk::find(camera.parameterCollections(), pair.section('=', 0, 0)),
                           pair.section('=', 1));
}
QList<BrowserWindow*> windows()
{
    QList<BrowserWindow*> list;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<BrowserWindow*>(widget); window && window->isVisible())
            list << window;
    return list;
}
} // namespace

// The browser window as a user meets it, on the emulated camera.
class TestBrowserWindow : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetTestState(); }
    void cleanup() // and nothing that a closed window was opening shows up later
    {
        for (BrowserWindow* window : windows())
            window->close();
        BackgroundWork::waitForAll();
        QTest::qWait(20);
        QVERIFY(windows().isEmpty());
    }

    void fitsTheNameColumnWhenFirstShown()
    {
        QPointer<BrowserWindow> window = new BrowserWindow(BrowserCamera::openEmulated());
        window->restoreSettings();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        FeatureTreeView* view = window->featureTree()->treeView();
        const int names = static_cast<QAbstractItemView*>(view)->sizeHintForColumn(0);
        QCOMPARE(view->columnWidth(0), qMax(names, view->header()->sectionSizeHint(0)));
        window->close();
        QTRY_VERIFY(!window); // it deletes itself
    }

    void offersTheSettingsBackAfterALoss()
    {
        std::unique_ptr<BrowserCamera> owned = BrowserCamera::openEmulated();
        BrowserCamera& camera = *owned;
        set(camera, { "GainSelector=AnalogAll", "Gain=3.5", "Width=640" });
        // The question comes as a modal dialog: answered from the event loop it runs.
        QString asked;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&asked] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->button(QMessageBox::Yes)) {
                asked = box->text();
                box->button(QMessageBox::Yes)->click();
            } else if (box) {
                box->accept(); // the report that the camera was lost
            }
        });
        answer.start(20);
        auto* window = new BrowserWindow(std::move(owned)); // remembers the settings of a connected camera
        window->show();
        camera.emulated()->disconnectDevice();
        camera.emulated()->reconnectDevice();
        // The camera came back with other values, as after a power cycle.
        set(camera, { "Width=320", "Gain=0", "GainSelector=All" });
        QTRY_COMPARE(value(camera, "Width"), QString("640"));
        QVERIFY2(asked.contains("Put back the settings"), qPrintable(asked));
        QTRY_COMPARE(value(camera, "GainSelector"), QString("AnalogAll"));
        QCOMPARE(value(camera, "Gain"), QString("3.5"));
        QTRY_VERIFY(window->findChild<QAction*>("actionLoadSettings")->isEnabled()); // the load has ended
        window->close();
    }

    void configuresTheIpAddress()
    {
        // The emulated camera's persistent IP settings through the library's IP
        // dialog, although the tree's filter shows them read-only; its LLA switch
        // is read-only itself and must neither be written nor fail.
        BrowserWindow window(BrowserCamera::openEmulated());
        window.show();
        QStringList seen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&seen] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<IpAddressWidget*>(modal)) {
                QStringList modes;
                for (QComboBox* mode : dialog->findChildren<QComboBox*>())
                    modes << mode->currentText() + (mode->isEnabled() ? "" : " (fixed)");
                seen << dialog->ipAddress() + " " + dialog->subnetMask() + " " + dialog->defaultGateway() + " "
                        + modes.join(',');
                dialog->setIpAddress("10.0.0.5");
                dialog->setSubnetMask("255.0.0.0");
                dialog->setDefaultGateway("10.0.0.1");
                dialog->findChildren<QComboBox*>().first()->setCurrentIndex(0);
                dialog->accept();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen << "warning: " + box->text();
                box->accept();
            }
        });
        answer.start(20);
        QVERIFY(QMetaObject::invokeMethod(&window, "configureIp"));
        QCOMPARE(seen, QStringList { "192.168.1.60 255.255.255.0 192.168.1.1 On,Off,On (fixed)" });
        QStringList written;
        for (const char* name : { "GevPersistentIPAddress", "GevPersistentSubnetMask", "GevPersistentDefaultGateway",
                                  "GevCurrentIPConfigurationPersistentIP", "GevCurrentIPConfigurationLLA" })
            written << value(window.camera(), name);
        // The tree's filter shows them read-only again.
        written << FeatureWalk::find(window.camera().parameterCollections(), "GevPersistentIPAddress")
                       ->getProperties()
                       ->getProperty("AccessMode");
        QCOMPARE(written.join(' '), QString("10.0.0.5 255.0.0.0 10.0.0.1 false true RO"));
        QCOMPARE(window.statusBar()->currentMessage(), QString("Persistent IP configuration written."));
    }

    void closesWithADialogOpen()
    {
        // Closed (or replaced by a camera it opened) while one of its dialogs runs:
        // the dialog closes and the window goes after it, nothing freed twice.
        QPointer<BrowserWindow> window = new BrowserWindow(BrowserCamera::openEmulated());
        window->show();
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&window] {
            if (window && QApplication::activeModalWidget())
                window->close();
        });
        closer.start(20);
        GetTheGlobalAsyncErrorQueue()->reportErrorAsync(AsyncErrorQueue::Warning, "Shown while closing", "", nullptr);
        QTRY_VERIFY(!window);
    }

    void opensAwayFromTheGuiThread_data()
    {
        QTest::addColumn<QString>("source"); // "GigE": the fake GigE Vision camera, as Open Camera lists it
        QTest::addColumn<bool>("isFile");
        QTest::addColumn<QStringList>("recentBefore"); // opened from the Recent menu when listed there
        QTest::addColumn<QStringList>("recentAfter"); // empty: it cannot be opened
        QTest::addColumn<QString>("xml"); // what Save Device XML must write
        const QStringList eight { "1", "2", "3", "4", "5", "6", "7", "8" }, none;
        const QString zip = NODEMAP ".zip", xml = NODEMAP ".xml";
        QTest::newRow("camera, new") << "Fake_1" << false << eight << QStringList { "Fake_1" } + eight.mid(0, 7) << "";
        QTest::newRow("camera, listed") << "Fake_1" << false << QStringList { "1", "Fake_1" }
                                        << QStringList { "Fake_1", "1" } << "";
        QTest::newRow("zipped file") << zip << true << QStringList { "x.xml", zip } << QStringList { zip, "x.xml" }
                                     << xml;
        QTest::newRow("missing file") << "/no/x.xml" << true << QStringList { "/no/x.xml" } << none << "";
        QTest::newRow("GigE Vision camera") << "GigE" << false << none << QStringList { "GigE" } << xml;
    }

    void opensAwayFromTheGuiThread()
    {
        QFETCH(QString, source);
        QFETCH(bool, isFile);
        QFETCH(QStringList, recentBefore);
        QFETCH(QStringList, recentAfter);
        QFETCH(QString, xml);
        if (!BrowserCamera::haveAravis())
            QSKIP("this build has no Aravis");
        std::unique_ptr<FakeGvCamera> gige;
        if (source == "GigE") {
            if (qEnvironmentVariableIsEmpty("ORVIK_NETWORK_TESTS") || !FakeGvCamera::unavailable().isEmpty())
                QSKIP("runs as the network test, with arv-fake-gv-camera-0.8 and 127.0.0.1:3956 free");
            gige = std::make_unique<FakeGvCamera>(QFile::encodeName(xml));
            OpenCameraDialog dialog;
            QList<QTreeWidgetItem*> found;
            for (int i = 0; i < 20 && found.isEmpty(); ++i) { // until the camera answers discovery
                dialog.refresh();
                QTRY_VERIFY_WITH_TIMEOUT(dialog.findChild<QPushButton*>("refresh")->isEnabled(), 20000);
                found
                    = dialog.findChild<QTreeWidget*>("devices")->findItems(FakeGvCamera::serial(), Qt::MatchExactly, 2);
            }
            QCOMPARE(found.size(), 1);
            const QStringList row { found[0]->text(0), found[0]->text(1), found[0]->text(2), found[0]->text(3) };
            QCOMPARE(row, QStringList({ "Aravis", "Fake", FakeGvCamera::serial(), "127.0.0.1" }));
            found[0]->setSelected(true);
            recentAfter = QStringList { source = dialog.deviceId() };
        }
        const QString key = isFile ? "FeatureBrowser/RecentFiles" : "FeatureBrowser/RecentCameras";
        QSettings().setValue(key, recentBefore);
        QPointer<BrowserWindow> window = new BrowserWindow(BrowserCamera::openEmulated());
        window->show();
        QVERIFY(window->aboutText().contains("emulated camera"));
        QString warning;
        QTimer answer; // a failure comes as a modal box
        connect(&answer, &QTimer::timeout, [&warning] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                warning = box->text(), box->accept();
        });
        answer.start(20);
        auto* recent = window->findChild<QMenu*>("recentMenu");
        QMetaObject::invokeMethod(recent, "aboutToShow");
        QAction* listed = nullptr;
        for (QAction* action : recent->actions())
            listed = action->text() == (isFile ? QFileInfo(source).fileName() : "Camera " + source) ? action : listed;
        QCOMPARE(bool(listed), recentBefore.contains(source));
        window->open("/no/x.xml", true); // abandoned by the next open: no warning
        GuiWatch watch([&window] { return window && window->isOpening(); }); // while it loads
        listed ? listed->trigger() : window->open(source, isFile);
        QVERIFY(window->isOpening());
        if (recentAfter.isEmpty()) {
            QTRY_VERIFY(!warning.isEmpty()); // says what failed, without the program's insides
            QVERIFY2(warning.contains(source) && !warning.contains(".cpp") && !warning.contains("::"),
                     qPrintable(warning));
            QVERIFY(window && !window->isOpening());
            QCOMPARE(QSettings().value(key).toStringList(), recentBefore);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!window, 20000); // replaced by the camera's window
        QVERIFY2(watch.longest < 100, qPrintable(QString::number(watch.longest)));
        QCOMPARE(windows().size(), 1);
        BrowserWindow* opened = windows().first();
        QVERIFY(opened->aboutText().contains(isFile ? source : "opened as " + source));
        QVERIFY(opened->selectFeature("@CameraDevice/Width"));
        QCOMPARE(QSettings().value(key).toStringList(), recentAfter);
        QTemporaryDir dir;
        QCOMPARE(opened->writeDeviceXml(dir.filePath("device.xml")), QString());
        QFile written(dir.filePath("device.xml")), sent(xml);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(xml.isEmpty() || (sent.open(QIODevice::ReadOnly) && written.readAll() == sent.readAll()));
        QVERIFY(warning.isEmpty());
        opened->open(source, isFile); // cleanup() closes the window while it opens
    }
};

QTEST_MAIN(TestBrowserWindow)
#include "tst_browserwindow.moc"
