#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "fetch.h"
#include "logcapture.h"
#include "parametercollection/emulatedcamera.h"
#include "treefixture.h"
#include "widgets/asyncerrorqueue.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

using namespace ParameterCollection;
using Operation = MemoryParameterCollection::Operation;
using FaultKind = MemoryParameterCollection::FaultKind;
using State = IParameterCollection::ConnectionState;

namespace {
const char* const tree = "Image[Width=640{min=16 max=4000 inc=2} Format:e=Mono8(Mono8 Mono12) Flip:b=false Name:s=cam"
                         " Gain:f=3{min=0 max=10 inc=0.5 representation=Linear aliasScale=0.5} Save:c"
                         " Deep[Inner[Level=1{min=0 max=9 representation=Linear}]]]"
                         " Temperature:f=40!RO{min=-40 max=125 behaviour=drift}";

/// A collection whose categories also list themselves and the root: a tree read from it naively never ends.
struct CyclicCollection : IParameterCollection
{
    QSharedPointer<MemoryParameterCollection> inner = NodeMapText::collection(tree);
    QString getRoleName() const override { return inner->getRoleName(); }
    QSharedPointer<IParameter> getParameter(const QString& name) override { return inner->getParameter(name); }
    QStringList getChildren(const QString& fullName, int depth, bool order) override
    {
        return inner->getChildren(fullName, depth, order) << fullName << "@CameraDevice/Root";
    }
    bool hasParameter(const QString& fullName) override { return inner->hasParameter(fullName); }
    void refresh() override { inner->refresh(); }
    void poll(qint64 intervalMs) override { inner->poll(intervalMs); }
};

/// The reports the error queue delivered to `spy` so far.
int delivered(QSignalSpy& spy)
{
    QCoreApplication::processEvents();
    return int(spy.count());
}
} // namespace

/// A shown feature tree whose collection fails or whose device goes away, stalls or comes back. Whatever an
/// operation of the collection throws (GenICam, standard or anything else) ends where Qt called us, and the model
/// checker stays silent. A lost device shows in the tree, is reported once and refuses edits at once. Once the
/// collection works again, or the device is back, the tree is as it was.
class TestDeviceFaults : public QObject
{
    Q_OBJECT
private slots:
    void everyFaultIsContained_data() { addFaultRows(); }
    void everyFaultIsContained()
    {
        WidgetFixture f;
        const auto collection = f.add(tree);
        LogCapture log;
        for (const QString& node : collection->nodeNames() + QStringList(QString()))
            collection->injectFault(node, Operation(fetch<int>("operation")), FaultKind(fetch<int>("kind")));

        FeatureTreeWidget* widget = f.widget();
        QAbstractItemModel& model = *f.view()->model();
        f.type("a"); // search, which makes editors for the rows it shows
        f.view()->expandAll();
        for (const QModelIndex& row : allRows(model)) {
            f.view()->setCurrentIndex(row); // select: the favourites actions ask the row
            model.setData(row.siblingAtColumn(1), "1", Qt::EditRole); // edit
        }
        QTest::keyClick(f.view(), Qt::Key_F5); // refresh
        f.view()->setCurrentIndex(f.index("Width"));
        widget->findChild<QAction*>("actionAddToFavourites")->trigger(); // Ctrl+D
        std::unique_ptr<QMimeData> drag(model.mimeData({ f.index("Format"), f.index("Flip") }));
        model.dropMimeData(drag.get(), Qt::MoveAction, 0, 0, f.extension()->GetFavoritesRootIndex());
        widget->setPolling(true);
        QTest::qWait(700); // two polls
        widget->setPolling(false);
        widget->copyToClipboard();
        for (const QModelIndex& row : allRows(model)) { // what a dump reads
            for (int role : { int(Qt::DisplayRole), int(Qt::ToolTipRole), FeatureTreeItem::GenicamDescription })
                row.siblingAtColumn(role == Qt::DisplayRole ? 1 : 0).data(role);
        }
        QTest::keyClick(widget->findChild<QLineEdit*>("filterEdit"), Qt::Key_Backspace);
        widget->clear(); // remove the collection
        QCOMPARE(model.rowCount(), 0);

        // Nothing was left half done: the same collection shows its whole tree again.
        collection->clearFaults();
        f.extension()->rebuildFavoriteItems();
        widget->addParameterCollection(collection, "Camera", "@CameraDevice", true);
        QCOMPARE(treeText(*f.proxy()->sourceModel(), f.proxy()->sourceModel()->index(2, 0)),
                 QString("Image[Width Format Flip Name Gain Save Deep[Inner[Level]]] Temperature"));
    }

    void categoriesListingTheirAncestorsEnd()
    {
        WidgetFixture f;
        LogCapture log;
        f.widget()->addParameterCollection(QSharedPointer<CyclicCollection>::create(), "Camera", "@CameraDevice", true);
        f.view()->expandAll();
        f.widget()->copyToClipboard(); // walks every row
        QCOMPARE(treeText(*f.view()->model(), f.index("@CameraDevice/Deep").parent()),
                 QString("Width Format Flip Name Gain Save Deep[Inner[Level]]"));
        QVERIFY(log.texts().contains("The category @CameraDevice/Inner lists @CameraDevice/Inner, which contains it: "
                                     "left out"));
    }

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
        collection->injectFault(QString(), Operation::Poll, FaultKind::StandardException);
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

QTEST_MAIN(TestDeviceFaults)
#include "tst_devicefaults.moc"
