#include "fakegvcamera.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "logcapture.h"
#include "parameterchecks.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#include "treefixture.h"
#include "widgets/asyncerrorqueue.h"

#include <QtTest>

#include <csignal>

using namespace ParameterCollection;
using State = IParameterCollection::ConnectionState;

/// A GigE Vision camera that is killed, stalls and comes back, seen from a
/// shown feature tree with polling on. The margins are wide, for a loaded
/// two-core machine: the figures bench_deviceloss measures are many times better.
class TestAravisNetwork : public QObject
{
    Q_OBJECT
private slots:
    void lossStallAndComeback()
    {
        if (const QString unavailable = FakeGvCamera::unavailable(); !unavailable.isEmpty())
            QSKIP(qPrintable(unavailable));
        FakeGvCamera camera;
        QSharedPointer<AravisParameterCollection> collection;
        const auto open = [&] { collection = AravisParameterCollection::openDevice("127.0.0.1"); };
        QVERIFY(QTest::qWaitFor([&] { return thrownBy(open).isEmpty() && collection; }, 30000));
        QCOMPARE(collection->connectionState(), State::Connected);
        collection->setProbeInterval(200);
        WidgetFixture f;
        LogCapture log;
        f.widget()->addParameterCollection(collection, "Camera", "@CameraDevice", true);
        f.view()->expandAll();
        f.widget()->setPolling(true);
        const QString shown = treeText(*f.view()->model());
        qRegisterMetaType<AsyncErrorQueue::ErrorSeverity>("AsyncErrorQueue::ErrorSeverity");
        QSignalSpy reports(GetTheGlobalAsyncErrorQueue(), &AsyncErrorQueue::displayError);
        QSignalSpy states(collection.data(), &IParameterCollection::connectionStateChanged);
        const auto width = [&f] { return f.index("@CameraDevice/Width", 1); };

        // Killed: noticed by the polls, one report, the GUI never waits for the network.
        GuiWatch watch;
        camera.kill();
        QVERIFY(QTest::qWaitFor([&] { return collection->connectionState() == State::Lost; }, 20000));
        QTest::qWait(300);
        QVERIFY2(watch.longest < 2000, qPrintable(QString::number(watch.longest)));
        QCOMPARE(reports.count(), 1);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!f.view()->model()->setData(width(), "320", Qt::EditRole));
        QVERIFY(clock.elapsed() < 2000);
        QTRY_COMPARE(reports.count(), 2); // the refusal, for the user to see

        // Started again: the collection finds it, takes control, the tree is as it was.
        camera.start();
        QVERIFY(QTest::qWaitFor([&] { return collection->connectionState() == State::Connected; }, 30000));
        QCOMPARE(treeText(*f.view()->model()), shown);
        QVERIFY(f.view()->model()->setData(width(), "320", Qt::EditRole));
        QTRY_COMPARE(width().data().toString(), QString("320")); // reported from the device's thread

        // Paused past its heartbeat timeout while we were not calling: the
        // camera lets go of us, and we are its controller again at once.
        f.widget()->setPolling(false);
        collection->setProbeInterval(60000);
        states.clear();
        camera.signal(SIGSTOP);
        QTest::qWait(4500);
        camera.signal(SIGCONT);
        QTest::qWait(2500); // Aravis's heartbeat finds the camera without a controller
        QVERIFY(f.view()->model()->setData(width(), "288", Qt::EditRole));
        QTRY_COMPARE(width().data().toString(), QString("288"));
        QCOMPARE(states.count(), 0);
        // ... and holds it: a second host can only watch.
        QCOMPARE(AravisParameterCollection::openDevice("127.0.0.1")->connectionState(), State::ReadOnly);
        collection->setProbeInterval(200);
        f.widget()->setPolling(true);

        // Stalled for 10 s: lost meanwhile, then controlled again, and polling goes on.
        states.clear();
        camera.signal(SIGSTOP);
        QVERIFY(QTest::qWaitFor([&] { return collection->connectionState() == State::Lost; }, 20000));
        QTest::qWait(10000 - 3000);
        camera.signal(SIGCONT);
        QVERIFY(QTest::qWaitFor([&] { return collection->connectionState() == State::Connected; }, 30000));
        QCOMPARE(states.count(), 2);
        QTest::qWait(1000);
        QCOMPARE(collection->connectionState(), State::Connected);
        QVERIFY(f.view()->model()->setData(width(), "256", Qt::EditRole));

        // Killed for good: closing it does not wait for the network.
        camera.kill();
        QVERIFY(QTest::qWaitFor([&] { return collection->connectionState() == State::Lost; }, 20000));
        clock.start();
        f.widget()->clear();
        collection.reset();
        QVERIFY(clock.elapsed() < 2000);
    }
};

QTEST_MAIN(TestAravisNetwork)
#include "tst_aravisnetwork.moc"
