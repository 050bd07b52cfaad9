#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreeinodeitem.h"
#include "fetch.h"
#include "logcapture.h"
#include "parameterchecks.h"
#include "parametercollection/iparameter.h"
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
// Features whose limits are features, for edits and changes that move them.
const char* const values = "Width=640{min=Floor max=Limit inc=2} Floor=16 Limit=1000 Temperature:f=50!RO{max=Limit}"
                           " Gain:f=5{min=GainFloor max=GainLimit} GainFloor:f=0 GainLimit:f=24 DeviceUserID:s=cam";

const auto reports = [] { return GetTheGlobalAsyncErrorQueue()->count(); };

} // namespace

class TestFeatureTreeModel : public QObject
{
    Q_OBJECT
private slots:
    void buildsTheTreeLazily()
    {
        // A model checker walks every new row at once: lazy loading is checked without it, the finished tree with it.
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
        // A deeper category loads on its first row count, which is the news: no insertion is announced from inside it.
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

    void writesAndFollowsValues_data()
    {
        QTest::addColumn<QString>("feature");
        QTest::addColumn<QString>("changed"); // the feature itself is edited in the tree, another in the collection
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("options"); // col0, display (role), dead (device), nocallbacks, latin1 (row), fault=N
        // "taken" or "refused" (what setData answers, or whether the collection took the value), the feature's value
        // afterwards, the row's value, the updates of the row and the reports to the error queue.
        QTest::addColumn<QString>("outcome");
        const auto row
            = [](const char* name, const char* feature, const char* changed, const QVariant& value, const char* options,
                 const QString& outcome) { QTest::newRow(name) << feature << changed << value << options << outcome; };
        row("edit", "Width", "Width", "320", "", "taken 320 320 1 0");
        row("refused by the feature", "Width", "Width", "321", "", "refused 640 640 0 0");
        row("same value: no write", "Width", "Width", "640", "fault=1", "taken 640 640 0 0");
        row("invalid value", "Width", "Width", QVariant(), "", "refused 640 640 0 0");
        row("name column", "Width", "Width", "320", "col0", "refused 640 640 0 0");
        row("display role", "Width", "Width", "320", "display", "refused 640 640 0 0");
        row("device closed", "Width", "Width", "320", "dead", "refused 640 640 0 0");
        row("GenICam fault: silent", "Width", "Width", "320", "fault=0", "refused 640 640 0 0");
        row("std fault: reported", "Width", "Width", "320", "fault=1", "refused 640 640 0 1");
        row("other fault: reported", "Width", "Width", "320", "fault=2", "refused 640 640 0 1");
        // The report of a value out of its live limits is not kept, the corrected one is.
        row("integer above its maximum", "Width", "Limit", "500", "", "taken 500 500 1 0");
        row("integer below its minimum", "Width", "Floor", "700", "", "taken 700 700 1 0");
        row("float above its maximum", "Gain", "GainLimit", "2.5", "", "taken 2.50 2.50 1 0");
        row("float below its minimum", "Gain", "GainFloor", "7", "", "taken 7.00 7.00 1 0");
        row("read only: left alone", "Temperature", "Limit", "40", "", "taken 50.00 50.00 1 0");
        row("inside the limits", "Width", "Limit", "800", "", "taken 640 640 1 0");
        row("callbacks off: not clamped", "Width", "Limit", "500", "nocallbacks", "taken 640 640 0 0");
        row("callbacks off: not shown", "Width", "Width", "700", "nocallbacks", "taken 700 640 0 0");
        // The collection takes 8-bit text up to the first zero byte: a text with one inside is refused, not written
        // cut short. A Latin-1 row hands Latin-1 bytes to a UTF-8 collection, which refuses them.
        const QString umlaut = QString::fromUtf8("Grüße"), zero = QString("ab") + QChar(0) + "cd";
        row("UTF-8 text", "DeviceUserID", "DeviceUserID", umlaut, "", QString("taken %1 %1 1 0").arg(umlaut));
        row("refused for a zero character", "DeviceUserID", "DeviceUserID", zero, "", "refused cam cam 0 0");
        row("Latin-1 row, zero character", "DeviceUserID", "DeviceUserID", zero, "latin1", "refused cam cam 0 0");
        row("Latin-1 row", "DeviceUserID", "DeviceUserID", umlaut, "latin1", "refused cam cam 0 0");
    }

    void writesAndFollowsValues()
    {
        QFETCH(QString, feature);
        QFETCH(QString, changed);
        QFETCH(QVariant, value);
        QFETCH(QString, options);
        TreeFixture f;
        const auto collection = NodeMapText::collection(values);
        f.proxy.addParameterCollection(collection, "Camera", "@CameraDevice", !options.contains("latin1"));
        auto* row = qobject_cast<FeatureTreeINodeItem*>(f.item("@CameraDevice/" + feature));
        QSignalSpy updated(row, &FeatureTreeINodeItem::nodeUpdated);
        f.model.SetDeviceAlive(!options.contains("dead"));
        f.model.setGenICamCallbacksEnable(!options.contains("nocallbacks"));
        if (options.contains("fault="))
            collection->injectFault(feature, Operation::SetValue, FaultKind(options.section('=', 1).toInt()));
        LogCapture log;
        const bool taken = changed == feature
            ? f.model.setData(f.index("@CameraDevice/" + feature, options.contains("col0") ? 0 : 1), value,
                              options.contains("display") ? Qt::DisplayRole : Qt::EditRole)
            : thrownBy([&] { collection->getParameter(changed)->setValue(value.toString()); }).isEmpty();
        const QStringList outcome { taken ? "taken" : "refused",
                                    collection->getParameter(feature)->getParameterData()->valueString,
                                    row->data(1, Qt::DisplayRole).toString(), QString::number(updated.count()),
                                    QString::number(::reports()) };
        QTEST(outcome.join(' '), "outcome");
        QVERIFY(updated.isEmpty() || updated.first().at(0).toInt() == row->row());
    }

    void followsTheFirstCollectionWhileAlive()
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
        const auto reported = &IParameter::parameterDataChangedDecoupled;
        QSignalSpy firstTemperature(first->getParameter("DeviceTemperature").data(), reported);
        QSignalSpy secondTemperature(second->getParameter("DeviceTemperature").data(), reported);
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

    void missingRootAddsNothing()
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

    void favouriteRowsToolTipsAndPlaceholders()
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
        const auto tip = [&f] { return f.model.GetFavoritesRootIndex().data(Qt::ToolTipRole).toString(); };
        QCOMPARE(tip(), QString("3 Favorites (3 are unavailable for the current camera)"));
        // Without "view all", placeholders are invisible.
        QCOMPARE(f.model.index(1, 0, favs).data(FeatureTreeItem::GenicamVisibility).toInt(), int(GenApi::Invisible));
        QPersistentModelIndex third = f.model.index(2, 0, favs);
        // A collection that has a favourite turns its placeholder into a live row; the other rows stay undisturbed.
        const auto collection = f.add(camera);
        auto* live = qobject_cast<FeatureTreeINodeItem*>(f.model.getFeatureTreeItem(f.model.index(0, 0, favs)));
        QVERIFY(live);
        QCOMPARE(live->node(), collection->getParameter("Width"));
        QCOMPARE(third.row(), 2);
        QCOMPARE(tip(), QString("3 Favorites (2 are unavailable for the current camera)"));
        collection->getParameter("Width")->setValue("200");
        QCOMPARE(f.model.index(0, 1, favs).data().toString(), QString("200"));
        while (favorites.count() > 1)
            favorites.remove(1);
        f.model.rebuildFavoriteItems();
        QCOMPARE(tip(), QString("1 Favorite"));
        favorites.remove(0);
        f.model.rebuildFavoriteItems();
        // An empty list shows the hint, which cannot be selected or dragged.
        const QModelIndex hint = f.model.index(0, 0, f.model.GetFavoritesRootIndex());
        QCOMPARE(hint.data(FeatureTreeItem::FullNodeNameRole).toString(), QString("Dummy"));
        QCOMPARE(f.model.flags(hint), Qt::NoItemFlags);
    }

    void addsFavouritesOfFeaturesOnly()
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

    void drops_data()
    {
        QTest::addColumn<QString>("before"); // the favourites
        // Rows of the tree dragged together ("fav0" the first favourite, "favs" the favourites row, "top" the first
        // row), or "raw" and the addresses of a payload: a row's, plus an offset after '+', "stranger" (an item of
        // no tree) or numbers; "none" for a payload without the model's format.
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("then"); // "ignore": dropped with Qt::IgnoreAction; "clear": the tree cleared first
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("after");
        const auto row
            = [](const char* name, const char* before, const char* dragged, int at, const char* then, bool result,
                 const char* after) { QTest::newRow(name) << before << dragged << at << then << result << after; };
        row("rows together, in their order", "", "Width PixelFormat Limit", -1, "", true, "Width PixelFormat Limit");
        // Past the end they are appended in order, not reversed; a favourite dropped moves.
        row("past the end", "Width PixelFormat Limit", "fav0 DeviceReset", 99, "", true,
            "PixelFormat Limit Width DeviceReset");
        row("rows that are no features", "Width", "top favs", 0, "", true, "Width");
        // Payloads the model did not make: nothing is taken from them.
        row("foreign addresses", "", "raw Width+8 stranger 16 -1", -1, "", true, "");
        row("zero", "", "raw 0 0", -1, "", true, "");
        row("empty", "", "raw", -1, "", true, "");
        row("no format", "", "none", -1, "", false, "");
        row("ignore action", "", "raw Width", -1, "ignore", true, "");
        row("row deleted since the drag", "", "raw Width", -1, "clear", true, "");
    }

    void drops()
    {
        QFETCH(QString, dragged);
        QFETCH(QString, then);
        TreeFixture f;
        f.model.rebuildFavoriteItems();
        const auto collection = f.add(camera);
        for (const QString& name : fetch<QString>("before").split(' ', Qt::SkipEmptyParts))
            QVERIFY(f.model.AddFavorite(collection->getParameter(name), 99));
        f.model.rebuildFavoriteItems();
        FeatureTreeItem stranger("Stranger", &f.model, "@CameraDevice/Width", nullptr);
        const auto rowOf = [&f](const QString& word) {
            return word == "fav0" ? f.model.index(0, 0, f.model.GetFavoritesRootIndex())
                : word == "favs"  ? f.model.GetFavoritesRootIndex()
                : word == "top"   ? f.model.index(0, 0)
                                  : f.index(word);
        };
        QStringList words = dragged.split(' ');
        std::unique_ptr<QMimeData> mime(new QMimeData);
        if (words.takeFirst() == "raw") {
            QByteArray bytes;
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            for (const QString& word : qAsConst(words)) {
                const QModelIndex index = word[0].isLetter() ? rowOf(word.section('+', 0, 0)) : QModelIndex();
                const quintptr item = word == "stranger" ? quintptr(&stranger) : quintptr(index.internalPointer());
                stream << (item ? qint64(item) + word.section('+', 1).toInt() : word.toLongLong());
            }
            mime->setData(FeatureTreeModel::mimeFormat, bytes);
        } else if (dragged != "none") {
            QModelIndexList rows;
            for (const QString& word : dragged.split(' '))
                rows << rowOf(word);
            mime.reset(f.model.mimeData(rows));
            QVERIFY(mime->hasFormat("application/x-qabstractitemmodeldatalist"));
        }
        if (then == "clear")
            f.model.clear();
        // A drop that changes the favourites announces it once; one that changes nothing does not.
        QSignalSpy updated(&f.model.GetFavorites(), &FavoritesData::dataUpdated);
        QTEST(f.model.dropMimeData(mime.get(), then == "ignore" ? Qt::IgnoreAction : Qt::MoveAction, fetch<int>("at"),
                                   0, f.model.GetFavoritesRootIndex()),
              "result");
        QCOMPARE(updated.count(), fetch<QString>("after") == fetch<QString>("before") ? 0 : 1);
        f.model.rebuildFavoriteItems(); // the rows follow the list; "Dummy" is the hint of an empty one
        QTEST(treeText(f.model, f.model.GetFavoritesRootIndex()).remove("Dummy"), "after");
    }
};

QTEST_MAIN(TestFeatureTreeModel)
#include "tst_featuretreemodel.moc"
