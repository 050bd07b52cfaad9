#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "logcapture.h"
#include "treefixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

using namespace ParameterCollection;
using Operation = MemoryParameterCollection::Operation;
using FaultKind = MemoryParameterCollection::FaultKind;

namespace {
const char* const tree = "Image[Width=640{min=16 max=4000 inc=2} Format:e=Mono8(Mono8 Mono12) Flip:b=false Name:s=cam"
                         " Gain:f=3{min=0 max=10 inc=0.5 representation=Linear aliasScale=0.5} Save:c"
                         " Deep[Inner[Level=1{min=0 max=9 representation=Linear}]]]"
                         " Temperature:f=40!RO{min=-40 max=125 behaviour=drift}";

/// A collection whose categories also list themselves and the root: a tree
/// read from it naively never ends.
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
} // namespace

/// A user session on a shown feature tree whose collection fails: whatever an
/// operation of the collection throws (GenICam, standard or anything else)
/// ends where Qt called us, the model checker stays silent, and the tree
/// works as before once the collection works again.
class TestFaultSession : public QObject
{
    Q_OBJECT
private slots:
    void everyFaultIsContained_data() { addFaultRows(); }
    void everyFaultIsContained()
    {
        QFETCH(int, operation);
        QFETCH(int, kind);
        WidgetFixture f;
        const auto collection = f.add(tree);
        LogCapture log;
        for (const QString& node : collection->nodeNames() + QStringList(QString()))
            collection->injectFault(node, Operation(operation), FaultKind(kind));

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
};

QTEST_MAIN(TestFaultSession)
#include "tst_faultsession.moc"
