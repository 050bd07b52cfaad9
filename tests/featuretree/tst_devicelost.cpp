#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "logcapture.h"
#include "parametercollection/emulatedcamera.h"
#include "treefixture.h"
#include "widgets/asyncerrorqueue.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QtTest>

using namespace ParameterCollection;
using State = IParameterCollection::ConnectionState;

namespace {
const char* const tree = "Image[Width=640{min=16 max=4000 inc=2} Gain:f=3{min=0 max=10 representation=Linear}"
                         " Format:e=Mono8(Mono8 Mono12) Flip:b=false Hidden[Deep=1]]"
                         " Temperature:f=40!RO{min=-40 max=125 behaviour=drift}";

/// The reports the error queue delivered to `spy` so far.
int delivered(QSignalSpy& spy)
{
    QCoreApplication::processEvents();
    return int(spy.count());
}
} // namespace

/// A device that goes away, stalls or comes back: the tree shows it, reports
/// it once, refuses edits at once, and is as it was when the device is back.
class TestDeviceLost : public QObject
{
    Q_OBJECT
private slots:
    void lossShowsInTheTreeAndPassesWithoutATrace_data()
    {
        QTest::addColumn<int>("stallMs"); // 0: the device is gone at once
        QTest::newRow("gone") << 0;
        QTest::newRow("stalled") << 200;
    }
    void lossShowsInTheTreeAndPassesWithoutATrace()
    {
        QFETCH(int, stallMs);
        WidgetFixture f;
        const auto collection = f.add(tree);
        QSignalSpy states(collection.data(), &IParameterCollection::connectionStateChanged);
        f.type("a"); // a search, a current row and editors that must all survive
        f.view()->setCurrentIndex(f.index("Gain"));
        const QString shownBefore = treeText(*f.view()->model());
        QVERIFY(f.editor("Gain") && f.editor("Format"));
        QVERIFY((f.index("Gain").flags() & Qt::ItemIsEnabled) && (f.index("Gain", 1).flags() & Qt::ItemIsEditable));
        LogCapture log;
        QSignalSpy reports(GetTheGlobalAsyncErrorQueue(), &AsyncErrorQueue::displayError);
        if (stallMs > 0) {
            collection->stallDevice(stallMs);
            QElapsedTimer waited;
            waited.start();
            QVERIFY(!f.view()->model()->setData(f.index("Gain", 1), "4", Qt::EditRole)); // finds it gone
            QVERIFY(waited.elapsed() >= stallMs);
        } else {
            collection->disconnectDevice();
        }
        QCOMPARE(states.count(), 1);
        QCOMPARE(collection->connectionState(), State::Lost);
        QCOMPARE(delivered(reports), 1);
        // Dimmed and disabled, without editors; the last values stay readable.
        const QModelIndex gain = f.index("Gain", 1);
        QVERIFY(!(gain.flags() & Qt::ItemIsEnabled));
        QVERIFY(!f.editor("Gain") && !f.editor("Format"));
        QCOMPARE(gain.data().toString(), QString("3.00"));
        const QString root = f.extension()->findItemByFullName("@CameraDevice*Root", nullptr, 0).data().toString();
        QVERIFY2(root.endsWith("(disconnected)"), qPrintable(root));
        // An edit is refused at once, and said so; polling passes the device by.
        QElapsedTimer edit;
        edit.start();
        QVERIFY(!f.view()->model()->setData(f.index("Gain", 1), "4", Qt::EditRole));
        QVERIFY(edit.elapsed() < 100);
        QCOMPARE(delivered(reports), 2);
        collection->injectFault(QString(), MemoryParameterCollection::Operation::Poll,
                                MemoryParameterCollection::FaultKind::StandardException);
        f.widget()->setPolling(true);
        QTest::qWait(400);
        f.widget()->setPolling(false);
        QVERIFY(!log.texts().contains("Failed to run feature polling."));

        collection->clearFaults();
        collection->reconnectDevice();
        QCOMPARE(states.count(), 2);
        QCOMPARE(delivered(reports), 2);
        QVERIFY(f.editor("Gain") && f.editor("Format"));
        QCOMPARE(treeText(*f.view()->model()), shownBefore);
        QCOMPARE(f.view()->currentIndex(), f.index("Gain"));
        QCOMPARE(f.widget()->findChild<QLineEdit*>("filterEdit")->text(), QString("a"));
        QVERIFY(f.view()->model()->setData(f.index("Gain", 1), "4", Qt::EditRole));
    }

    void oneDeviceIsOneReport()
    {
        WidgetFixture f;
        QSignalSpy reports(GetTheGlobalAsyncErrorQueue(), &AsyncErrorQueue::displayError);
        EmulatedCamera camera;
        for (const EmulatedCamera::Collection& c : camera.collections())
            f.widget()->addParameterCollection(c.collection, c.rootName, c.roleName, true);
        camera.stallDevice(10);
        f.widget()->Refresh(); // the first collection finds the device gone, the others follow
        for (const EmulatedCamera::Collection& c : camera.collections())
            QCOMPARE(c.collection->connectionState(), State::Lost);
        QCOMPARE(delivered(reports), 1);
        camera.reconnectDevice();
        camera.disconnectDevice();
        QCOMPARE(delivered(reports), 2);
    }

    void anotherHostsControlLeavesReadingOnly()
    {
        WidgetFixture f;
        const auto collection = f.add(tree);
        QVERIFY(f.editor("Gain")->isEnabled());
        collection->setControlledElsewhere(true);
        QCOMPARE(collection->connectionState(), State::ReadOnly);
        QVERIFY(!f.editor("Gain")->isEnabled());
        QVERIFY(!f.view()->model()->setData(f.index("Width", 1), "320", Qt::EditRole));
        QCOMPARE(collection->getParameter("Width")->getParameterData()->valueString, QString("640"));
        collection->setControlledElsewhere(false);
        QVERIFY(f.editor("Gain")->isEnabled());
    }
};

QTEST_MAIN(TestDeviceLost)
#include "tst_devicelost.moc"
