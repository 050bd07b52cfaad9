#include "browsercamera.h"
#include "browserwindow.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featurewalk.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iparameter.h"
#include "testsettings.h"
#include "treefixture.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

// The browser window as a user meets it, on the emulated camera.
class TestBrowserWindow : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetTestState(); }
    void fitsTheNameColumnWhenFirstShown();
    void offersTheSettingsBackAfterALoss();
};

namespace {
QString value(BrowserCamera& camera, const QString& name)
{
    return FeatureWalk::valueText(*FeatureWalk::find(camera.parameterCollections(), name)->getParameterData());
}
void set(BrowserCamera& camera, const QString& name, const QString& text)
{
    FeatureWalk::write(*FeatureWalk::find(camera.parameterCollections(), name), text);
}
} // namespace

void TestBrowserWindow::fitsTheNameColumnWhenFirstShown()
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

void TestBrowserWindow::offersTheSettingsBackAfterALoss()
{
    std::unique_ptr<BrowserCamera> owned = BrowserCamera::openEmulated();
    BrowserCamera& camera = *owned;
    set(camera, "GainSelector", "AnalogAll");
    set(camera, "Gain", "3.5");
    set(camera, "Width", "640");
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
    set(camera, "Width", "320");
    set(camera, "Gain", "0");
    set(camera, "GainSelector", "All");
    QTRY_COMPARE(value(camera, "Width"), QString("640"));
    QVERIFY2(asked.contains("Put back the settings"), qPrintable(asked));
    QTRY_COMPARE(value(camera, "GainSelector"), QString("AnalogAll"));
    QCOMPARE(value(camera, "Gain"), QString("3.5"));
    const auto* load = window->findChild<QAction*>("actionLoadSettings");
    QTRY_VERIFY(load->isEnabled()); // the load has ended
    window->close();
}

QTEST_MAIN(TestBrowserWindow)
#include "tst_browserwindow.moc"
