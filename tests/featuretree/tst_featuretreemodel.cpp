#include "featuretree/featuretreeinodeitem.h"
#include "logcapture.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "treefixture.h"
#include "widgets/asyncerrorqueue.h"

#include <QMimeData>
#include <QtTest>

using namespace ParameterCollection;
using Operation = MemoryParameterCollection::Operation;
using FaultKind = MemoryParameterCollection::FaultKind;

namespace {

const char* const camera = "ImageFormat[Width=640{min=16 max=Limit inc=2 unit=px} Limit=1000{min=0 max=4000}"
                           " PixelFormat:e=Mono8(Mono8 Mono12) Advanced#Expert[ReverseX:b=false BlackLevel:f=1]"
                           " Hidden#Invisible[Secret=1] InvisibleFeature=3#Invisible]"
                           " Device[DeviceTemperature:f=40!RO{min=-40 max=125 behaviour=drift} DeviceReset:c]"
                           " DevicePort:p";

QMimeData* payload(const QList<qint64>& addresses)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (qint64 a : addresses)
        stream << a;
    auto* mime = new QMimeData;
    mime->setData(FeatureTreeModel::mimeFormat, bytes);
    return mime;
}

qint64 address(const QModelIndex& index)
{
    return qint64(reinterpret_cast<quintptr>(index.internalPointer()));
}

quint64 reports()
{
    return GetTheGlobalAsyncErrorQueue()->count();
}

} // namespace

class TestFeatureTreeModel : public QObject
{
    Q_OBJECT
private slots:
    void buildsTheTreeLazily();
    void writesValues_data();
    void writesValues();
    void followsTheFirstCollectionWhileAlive();
    void missingRootAddsNothing();
    void favouriteRowsToolTipsAndPlaceholders();
    void addsFavouritesOfFeaturesOnly();
    void dropsAddAndReorderFavourites();
    void dropsIgnoreForeignPayloads_data();
    void dropsIgnoreForeignPayloads();
};

void TestFeatureTreeModel::buildsTheTreeLazily()
{
    // The model checker walks every new row at once: loading on demand is
    // checked without it, the finished tree with it.
    resetTestState();
    FeatureTreeModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.addParameterCollection(NodeMapText::collection(camera), "Camera", "@CameraDevice", true);
    const QModelIndex root = model.index(0, 0);
    QCOMPARE(root.data().toString(), QString("Camera"));
    QCOMPARE(root.data(FeatureTreeItem::FullNodeNameRole).toString(), QString("@CameraDevice*Root"));
    // The first two levels came with the collection; the port has no row.
    QCOMPARE(model.rowCount(root), 2);
    QCOMPARE(inserted.count(), 3);

    // A deeper category loads on its first row count, and that count is the
    // news: no insertion is announced from inside it.
    const QModelIndex advanced = model.findItemByFullName("@CameraDevice/Advanced", nullptr, 0);
    QVERIFY(model.hasChildren(advanced));
    QVERIFY(!model.index(0, 0, advanced).isValid());
    inserted.clear();
    QCOMPARE(model.rowCount(advanced), 2);
    QCOMPARE(model.rowCount(advanced), 2);
    QCOMPARE(inserted.count(), 0);

    // Invisible categories and features get rows; what an invisible category holds shows at the Invisible
    // level only, whatever its own level.
    const QString all = "Root[ImageFormat[Width Limit PixelFormat Advanced[ReverseX BlackLevel] Hidden[Secret] "
                        "InvisibleFeature] Device[DeviceTemperature DeviceReset]]";
    QCOMPARE(treeText(model), all);
    FeatureTreeProxyModel proxy;
    proxy.setSourceModel(&model);
    QStringList shown;
    for (const auto level : { GenApi::Guru, GenApi::Invisible })
        proxy.setVisibility(level), proxy.invalidate(), shown << treeText(proxy);
    const QString guru = "Root[ImageFormat[Width Limit PixelFormat Advanced[ReverseX BlackLevel]] "
                         "Device[DeviceTemperature DeviceReset]]";
    QCOMPARE(shown, QStringList({ guru, all }));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestFeatureTreeModel::writesValues_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("alive");
    QTest::addColumn<int>("fault"); // a FaultKind injected into the write, or -1
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("reports");
    const auto row = [](const char* name, const QVariant& value, bool result, const char* stored, int fault = -1,
                        int reports = 0, int column = 1, int role = Qt::EditRole, bool alive = true) {
        QTest::newRow(name) << column << role << value << alive << fault << result << stored << reports;
    };
    const int std = int(FaultKind::StandardException);
    row("edit", "320", true, "320");
    row("refused by the feature", "321", false, "640");
    row("same value: no write", "640", true, "640", std);
    row("invalid value", QVariant(), false, "640");
    row("name column", "320", false, "640", -1, 0, 0);
    row("display role", "320", false, "640", -1, 0, 1, Qt::DisplayRole);
    row("device closed", "320", false, "640", -1, 0, 1, Qt::EditRole, false);
    row("GenICam fault: silent", "320", false, "640", int(FaultKind::GenICamException));
    row("std fault: reported", "320", false, "640", std, 1);
    row("other fault: reported", "320", false, "640", int(FaultKind::OtherException), 1);
}

void TestFeatureTreeModel::writesValues()
{
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(bool, alive);
    QFETCH(int, fault);
    QFETCH(bool, result);
    QFETCH(QString, stored);
    QFETCH(int, reports);
    TreeFixture f;
    const auto collection = f.add(camera);
    f.model.SetDeviceAlive(alive);
    if (fault >= 0)
        collection->injectFault("Width", Operation::SetValue, FaultKind(fault));
    LogCapture log;
    QCOMPARE(f.model.setData(f.index("Width", column), value, role), result);
    QCOMPARE(collection->getParameter("Width")->getParameterData()->valueString, stored);
    QCOMPARE(::reports(), quint64(reports));
}

void TestFeatureTreeModel::followsTheFirstCollectionWhileAlive()
{
    TreeFixture f;
    const auto first = f.add(camera);
    const auto second = f.add(camera, "@DeviceTransportLayer", "Transport");
    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);
    first->getParameter("Width")->setValue("100");
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), f.index("Width", 0));
    QCOMPARE(changed.at(1).at(0).toModelIndex(), f.index("Width", 1));
    QCOMPARE(f.index("Width", 1).data().toString(), QString("100"));

    QSignalSpy firstTemperature(first->getParameter("DeviceTemperature").data(),
                                &IParameter::parameterDataChangedDecoupled);
    QSignalSpy secondTemperature(second->getParameter("DeviceTemperature").data(),
                                 &IParameter::parameterDataChangedDecoupled);
    // Failed polls are logged, not reported, and polling goes on.
    first->injectFault(QString(), Operation::Poll, FaultKind::StandardException, 2);
    LogCapture log;
    f.model.EnablePolling(true);
    f.model.EnablePolling(true);
    QTRY_VERIFY_WITH_TIMEOUT(firstTemperature.count() >= 3, 5000);
    QCOMPARE(secondTemperature.count(), 0);
    QVERIFY(changed.count() >= 8);
    const QStringList warnings = log.texts(QtWarningMsg);
    QCOMPARE(warnings.count("Failed to run feature polling."), 2);
    QVERIFY(warnings.contains("FeatureTreeModel::onTimerPoll: Exception occurred:\nInjected fault in "
                              "poll of collection '@CameraDevice'\n"));
    QCOMPARE(reports(), quint64(0));

    // A poll that finds the device gone does not start the timer again.
    f.model.SetDeviceAlive(false);
    QTest::qWait(400);
    const int afterStop = firstTemperature.count();
    changed.clear();
    first->getParameter("Width")->setValue("102");
    QTest::qWait(700);
    QCOMPARE(firstTemperature.count(), afterStop);
    QCOMPARE(changed.count(), 0);
    f.model.refresh();
    QCOMPARE(secondTemperature.count(), 0);
}

void TestFeatureTreeModel::missingRootAddsNothing()
{
    for (FaultKind kind : { FaultKind::StandardException, FaultKind::OtherException }) {
        TreeFixture f;
        const auto collection = NodeMapText::collection(camera);
        collection->injectFault(QString(), Operation::GetParameter, kind, 1);
        f.add(collection, "@CameraDevice", "Camera");
        QCOMPARE(f.model.rowCount(), 0);
        QCOMPARE(reports(), quint64(1));
        // A collection without "Root" is no error: the row stands without parameter.
        f.add(collection, "@Elsewhere", "Wrong");
        QCOMPARE(f.model.rowCount(), 1);
        QCOMPARE(f.model.rowCount(f.model.index(0, 0)), 0);
    }
}

void TestFeatureTreeModel::favouriteRowsToolTipsAndPlaceholders()
{
    TreeFixture f;
    QSignalSpy inserted(&f.model, &QAbstractItemModel::rowsInserted);
    FavoritesData& favorites = f.model.GetFavorites();
    favorites.append({ "Width", "Width", "@CameraDevice" });
    favorites.append({ "Gone", "Gone", "@CameraDevice" });
    favorites.append({ "Width", "Width", "@DeviceTransportLayer" });
    favorites.setViewAll(false);
    f.model.rebuildFavoriteItems();
    // The search help row is announced where it goes: row 0.
    QCOMPARE(inserted.last().at(1).toInt(), 0);
    QCOMPARE(treeText(f.model, QModelIndex(), FeatureTreeItem::FullNodeNameRole),
             QString("Search FavoritesTopLevel[Fav*CameraDevice*Width Fav*CameraDevice*Gone "
                     "Fav*DeviceTransportLayer*Width]"));
    QModelIndex favs = f.model.GetFavoritesRootIndex();
    QCOMPARE(favs.data(Qt::ToolTipRole).toString(), QString("3 Favorites (3 are unavailable for the current camera)"));
    // Without "view all", placeholders are invisible.
    QCOMPARE(f.model.index(1, 0, favs).data(FeatureTreeItem::GenicamVisibility).toInt(), int(GenApi::Invisible));
    QPersistentModelIndex third = f.model.index(2, 0, favs);

    // A collection that has a favourite turns its placeholder into a live row;
    // the other rows stay undisturbed.
    const auto collection = f.add(camera);
    auto* live = qobject_cast<FeatureTreeINodeItem*>(f.model.getFeatureTreeItem(f.model.index(0, 0, favs)));
    QVERIFY(live);
    QCOMPARE(live->node(), collection->getParameter("Width"));
    QCOMPARE(third.row(), 2);
    QCOMPARE(favs.data(Qt::ToolTipRole).toString(), QString("3 Favorites (2 are unavailable for the current camera)"));
    collection->getParameter("Width")->setValue("200");
    QCOMPARE(f.model.index(0, 1, favs).data().toString(), QString("200"));

    while (favorites.count() > 1)
        favorites.remove(1);
    f.model.rebuildFavoriteItems();
    QCOMPARE(f.model.GetFavoritesRootIndex().data(Qt::ToolTipRole).toString(), QString("1 Favorite"));
    favorites.remove(0);
    f.model.rebuildFavoriteItems();
    // An empty list shows the hint, which cannot be selected or dragged.
    const QModelIndex hint = f.model.index(0, 0, f.model.GetFavoritesRootIndex());
    QCOMPARE(hint.data(FeatureTreeItem::FullNodeNameRole).toString(), QString("Dummy"));
    QCOMPARE(f.model.flags(hint), Qt::NoItemFlags);
}

void TestFeatureTreeModel::addsFavouritesOfFeaturesOnly()
{
    // What rows answer, and moving and removing, are checked through the proxy.
    TreeFixture f;
    const auto collection = f.add(camera);
    f.model.rebuildFavoriteItems();
    QVERIFY(f.model.CanAddAsFavorite(f.index("DeviceReset")));
    QVERIFY(!f.model.CanAddAsFavorite(f.model.GetFavoritesRootIndex()));
    QVERIFY(!f.model.AddFavorite(nullptr, 0));
    QVERIFY(!f.model.AddFavorite(collection->getParameter("DevicePort"), 0));
    QVERIFY(!f.model.AddFavorite(collection->getParameter("Width"), -1));
    for (const char* name : { "Width", "Limit", "PixelFormat" })
        QVERIFY(f.model.AddFavorite(collection->getParameter(name), 1));
    QVERIFY(!f.model.AddFavorite(collection->getParameter("Width"), 0));
    f.model.rebuildFavoriteItems();
    QCOMPARE(treeText(f.model, f.model.GetFavoritesRootIndex()), QString("Width PixelFormat Limit"));
}

void TestFeatureTreeModel::dropsAddAndReorderFavourites()
{
    TreeFixture f;
    f.model.rebuildFavoriteItems();
    f.add(camera);
    QSignalSpy updated(&f.model.GetFavorites(), &FavoritesData::dataUpdated);
    const auto drop = [&f](const QModelIndexList& rows, int at) {
        std::unique_ptr<QMimeData> mime(f.model.mimeData(rows));
        QVERIFY(mime->hasFormat("application/x-qabstractitemmodeldatalist"));
        QVERIFY(f.model.dropMimeData(mime.get(), Qt::MoveAction, at, 0, f.model.GetFavoritesRootIndex()));
        f.model.rebuildFavoriteItems();
    };
    // Rows dragged together arrive in their order, with one announcement.
    drop({ f.index("Width"), f.index("PixelFormat"), f.index("Limit") }, -1);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(treeText(f.model, f.model.GetFavoritesRootIndex()), QString("Width PixelFormat Limit"));
    // Past the end they are appended in order, not reversed; a favourite dropped moves.
    drop({ f.model.index(0, 0, f.model.GetFavoritesRootIndex()), f.index("DeviceReset") }, 99);
    QCOMPARE(treeText(f.model, f.model.GetFavoritesRootIndex()), QString("PixelFormat Limit Width DeviceReset"));
    // Rows that are no features change nothing.
    updated.clear();
    drop({ f.model.index(0, 0), f.model.GetFavoritesRootIndex() }, 0);
    QCOMPARE(f.model.GetFavorites().count(), 4);
}

void TestFeatureTreeModel::dropsIgnoreForeignPayloads_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("result");
    QTest::newRow("foreign address") << 0 << true;
    QTest::newRow("zero") << 1 << true;
    QTest::newRow("empty") << 2 << true;
    QTest::newRow("no format") << 3 << false;
    QTest::newRow("ignore action") << 4 << true;
    QTest::newRow("row deleted since the drag") << 5 << true;
}

void TestFeatureTreeModel::dropsIgnoreForeignPayloads()
{
    QFETCH(int, kind);
    QFETCH(bool, result);
    TreeFixture f;
    f.model.rebuildFavoriteItems();
    f.add(camera);
    FeatureTreeItem stranger("Stranger", &f.model, "@CameraDevice/Width", nullptr);
    const QList<QList<qint64>> payloads = { { address(f.index("Width")) + 8, qint64(quintptr(&stranger)), 0x10, -1 },
                                            { 0, 0 },
                                            {},
                                            {},
                                            { address(f.index("Width")) },
                                            { address(f.index("Width")) } };
    std::unique_ptr<QMimeData> mime(payload(payloads.at(kind)));
    if (kind == 3)
        mime.reset(new QMimeData);
    if (kind == 5)
        f.model.clear();
    QCOMPARE(f.model.dropMimeData(mime.get(), kind == 4 ? Qt::IgnoreAction : Qt::MoveAction, -1, 0, QModelIndex()),
             result);
    QCOMPARE(f.model.GetFavorites().count(), 0);
}

QTEST_MAIN(TestFeatureTreeModel)
#include "tst_featuretreemodel.moc"
