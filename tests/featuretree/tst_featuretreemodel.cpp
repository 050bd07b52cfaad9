#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreemodel.h"
#include "logcapture.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/memoryparametercollection.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"
#include "widgets/asyncerrorqueue.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QtTest>

using namespace ParameterCollection;
using Operation = MemoryParameterCollection::Operation;
using FaultKind = MemoryParameterCollection::FaultKind;

namespace {

QByteArray nodeMap(const char* role)
{
    return QByteArray(R"(<NodeMap role="ROLE">
  <Category name="Root">
    <Category name="ImageFormat" displayName="Image Format">
      <Integer name="Width" value="640" min="16" max="Limit" inc="2" unit="px"/>
      <Integer name="Limit" value="1000" min="0" max="4000"/>
      <Enumeration name="PixelFormat" value="Mono8"><Entry name="Mono8"/><Entry name="Mono12"/></Enumeration>
      <Category name="Advanced" visibility="Expert">
        <Boolean name="ReverseX" value="false"/>
        <Float name="BlackLevel" value="1" min="0" max="10"/>
      </Category>
      <Category name="Hidden" visibility="Invisible">
        <Integer name="Secret" value="1"/>
      </Category>
      <Integer name="InvisibleFeature" value="3" visibility="Invisible"/>
    </Category>
    <Category name="Device">
      <Float name="DeviceTemperature" access="RO" value="40" min="-40" max="125" behaviour="drift"/>
      <Command name="DeviceReset"/>
    </Category>
    <Port name="DevicePort"/>
  </Category>
</NodeMap>)")
        .replace("ROLE", role);
}

// Column-0 texts of a subtree in a compact form: "[A[B C] D]".
QString dump(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex())
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        QString text = index.data(FeatureTreeItem::GenicamNameRole).toString();
        if (model.hasChildren(index) && model.rowCount(index) > 0)
            text += dump(model, index);
        rows << text;
    }
    return QLatin1Char('[') + rows.join(QLatin1Char(' ')) + QLatin1Char(']');
}

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
    return static_cast<qint64>(reinterpret_cast<quintptr>(index.internalPointer()));
}

} // namespace

class TestFeatureTreeModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buildsTheTreeLazily();
    void skipsInvisibleCategoriesButKeepsInvisibleFeatures();
    void headersAndFlags();
    void writesValues_data();
    void writesValues();
    void reportsWriteFailuresByKind_data();
    void reportsWriteFailuresByKind();
    void announcesValueChangesWhileAlive();
    void pollsTheFirstCollectionOnly();
    void loggedPollFailuresKeepPolling();
    void missingRootAddsNothing_data();
    void missingRootAddsNothing();
    void favouritesRowsAndToolTips();
    void placeholdersAreReplacedWhenTheCollectionAppears();
    void hiddenPlaceholdersWithoutViewAll();
    void favouriteOperationsByIndex();
    void dropsAddAndReorderFavourites();
    void dropsIgnoreForeignPayloads_data();
    void dropsIgnoreForeignPayloads();
    void clearResetsAndRebuilds();
    void emulatedCameraLoadsCompletely();

private:
    void attachTester();
    QModelIndex indexOf(const QString& nodeName, int column = 0);
    void resetFavorites();

    std::unique_ptr<TestSettings> m_settings;
    FeatureTreeModel* m_model = nullptr;
    QAbstractItemModelTester* m_tester = nullptr;
    QSharedPointer<MemoryParameterCollection> m_camera;
    QSharedPointer<MemoryParameterCollection> m_transport;
};

void TestFeatureTreeModel::initTestCase()
{
    m_settings = std::make_unique<TestSettings>();
    registerMetaTypes();
    GetTheGlobalAsyncErrorQueue();
}

void TestFeatureTreeModel::init()
{
    m_camera = MemoryParameterCollection::fromXml(nodeMap("@CameraDevice"));
    m_transport = MemoryParameterCollection::fromXml(nodeMap("@DeviceTransportLayer"));
    m_model = new FeatureTreeModel;
    resetFavorites();
    attachTester();
}

void TestFeatureTreeModel::cleanup()
{
    delete m_tester;
    m_tester = nullptr;
    delete m_model;
    m_model = nullptr;
    GetTheGlobalAsyncErrorQueue()->clear();
}

void TestFeatureTreeModel::attachTester()
{
    delete m_tester;
    m_tester = new QAbstractItemModelTester(m_model, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestFeatureTreeModel::resetFavorites()
{
    FavoritesData& favorites = m_model->GetFavorites();
    while (favorites.count() > 0)
        favorites.remove(0);
    favorites.setViewAll(true);
}

QModelIndex TestFeatureTreeModel::indexOf(const QString& nodeName, int column)
{
    return m_model->findItemByFullName(QStringLiteral("@CameraDevice/") + nodeName, nullptr, column);
}

void TestFeatureTreeModel::buildsTheTreeLazily()
{
    // The model checker walks every new row at once; loading on demand is
    // checked without it, the finished tree with it.
    delete m_tester;
    m_tester = nullptr;
    QSignalSpy inserted(m_model, &QAbstractItemModel::rowsInserted);
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    QCOMPARE(m_model->rowCount(), 1);
    const QModelIndex root = m_model->index(0, 0);
    QCOMPARE(root.data().toString(), QStringLiteral("Camera"));
    QCOMPARE(root.data(FeatureTreeItem::FullNodeNameRole).toString(), QStringLiteral("@CameraDevice*Root"));
    QVERIFY(root.data(FeatureTreeItem::IsFullRowItem).toBool());
    // The first level came with the collection; the port is not a feature and has no row.
    // The first two levels came with the collection (the full-row refresh looks
    // at them); the port is not a feature and has no row.
    QCOMPARE(m_model->rowCount(root), 2);
    QCOMPARE(inserted.count(), 3);

    // Deeper categories load on their first row count; the count itself is the
    // news, so no insertion is announced from inside it.
    const QModelIndex advanced = indexOf(QStringLiteral("Advanced"));
    QVERIFY(m_model->hasChildren(advanced));
    QVERIFY(!m_model->index(0, 0, advanced).isValid());
    inserted.clear();
    QCOMPARE(m_model->rowCount(advanced), 2);
    QCOMPARE(inserted.count(), 0);
    QVERIFY(m_model->index(1, 0, advanced).isValid());
    QCOMPARE(m_model->rowCount(advanced), 2); // loaded once

    QCOMPARE(dump(*m_model),
             QStringLiteral("[Root[ImageFormat[Width Limit PixelFormat Advanced[ReverseX BlackLevel] "
                            "InvisibleFeature] Device[DeviceTemperature DeviceReset]]]"));
    QCOMPARE(indexOf(QStringLiteral("Width")).data().toString(), QStringLiteral("Width [px]"));
    QCOMPARE(indexOf(QStringLiteral("Width"), 1).data().toString(), QStringLiteral("640"));
    attachTester();
}

void TestFeatureTreeModel::skipsInvisibleCategoriesButKeepsInvisibleFeatures()
{
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);
    QVERIFY(!indexOf(QStringLiteral("Hidden")).isValid());
    QVERIFY(!indexOf(QStringLiteral("Secret")).isValid());
    const QModelIndex feature = indexOf(QStringLiteral("InvisibleFeature"));
    QVERIFY(feature.isValid());
    QCOMPARE(feature.data(FeatureTreeItem::GenicamVisibility).toInt(), int(GenApi::Invisible));

    // An imposed visibility counts as well.
    m_camera->getParameter(QStringLiteral("Device"))->getProperties()->setProperty(QStringLiteral("Visibility"),
                                                                                   QStringLiteral("Invisible"));
    FeatureTreeModel other;
    other.addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    QCOMPARE(other.rowCount(other.index(0, 0)), 1);
}

void TestFeatureTreeModel::headersAndFlags()
{
    QCOMPARE(m_model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Feature"));
    QCOMPARE(m_model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Value"));
    QVERIFY(!m_model->headerData(2, Qt::Horizontal, Qt::DisplayRole).isValid());
    QVERIFY(!m_model->headerData(0, Qt::Vertical, Qt::DisplayRole).isValid());
    QVERIFY(!m_model->headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
    QCOMPARE(m_model->flags(QModelIndex()), Qt::NoItemFlags);
    QCOMPARE(m_model->supportedDropActions(), Qt::MoveAction);
    QCOMPARE(m_model->columnCount(), 2);
    QVERIFY(m_model->hasChildren(QModelIndex()));
}

void TestFeatureTreeModel::writesValues_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("alive");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("stored");

    QTest::newRow("edit") << 1 << int(Qt::EditRole) << QVariant(QStringLiteral("320")) << true << true << "320";
    QTest::newRow("same value writes nothing") << 1 << int(Qt::EditRole) << QVariant(QStringLiteral("640")) << true
                                               << true << "640";
    QTest::newRow("invalid value") << 1 << int(Qt::EditRole) << QVariant() << true << false << "640";
    QTest::newRow("name column") << 0 << int(Qt::EditRole) << QVariant(QStringLiteral("320")) << true << false
                                 << "640";
    QTest::newRow("display role") << 1 << int(Qt::DisplayRole) << QVariant(QStringLiteral("320")) << true << false
                                  << "640";
    QTest::newRow("device closed") << 1 << int(Qt::EditRole) << QVariant(QStringLiteral("320")) << false << false
                                   << "640";
}

void TestFeatureTreeModel::writesValues()
{
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(bool, alive);
    QFETCH(bool, result);
    QFETCH(QString, stored);
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);
    m_model->SetDeviceAlive(alive);
    if (stored == QLatin1String("640")) {
        // Any call of the parameter would now fail the write.
        m_camera->injectFault(QStringLiteral("Width"), Operation::SetValue, FaultKind::StandardException);
    }
    QCOMPARE(m_model->setData(indexOf(QStringLiteral("Width"), column), value, role), result);
    QCOMPARE(m_camera->getParameter(QStringLiteral("Width"))->getParameterData()->valueString, stored);
    QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), quint64(0));
}

void TestFeatureTreeModel::reportsWriteFailuresByKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("alive");
    QTest::addColumn<int>("reports");
    QTest::newRow("GenICam: silent") << int(FaultKind::GenICamException) << true << 0;
    QTest::newRow("standard: one report") << int(FaultKind::StandardException) << true << 1;
    QTest::newRow("other: one report") << int(FaultKind::OtherException) << true << 1;
}

void TestFeatureTreeModel::reportsWriteFailuresByKind()
{
    QFETCH(int, kind);
    QFETCH(bool, alive);
    QFETCH(int, reports);
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);
    m_model->SetDeviceAlive(alive);
    m_camera->injectFault(QStringLiteral("Width"), Operation::SetValue, FaultKind(kind));
    LogCapture log;
    QVERIFY(!m_model->setData(indexOf(QStringLiteral("Width"), 1), QStringLiteral("320"), Qt::EditRole));
    QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), quint64(reports));
    // A value the collection refuses by itself is a GenICam exception: silent too.
    m_camera->clearFaults();
    QVERIFY(!m_model->setData(indexOf(QStringLiteral("Width"), 1), QStringLiteral("321"), Qt::EditRole));
    QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), quint64(reports));
}

void TestFeatureTreeModel::announcesValueChangesWhileAlive()
{
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);
    QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
    m_camera->getParameter(QStringLiteral("Width"))->setValue(QStringLiteral("100"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), indexOf(QStringLiteral("Width"), 0));
    QCOMPARE(changed.at(1).at(0).toModelIndex(), indexOf(QStringLiteral("Width"), 1));
    QCOMPARE(indexOf(QStringLiteral("Width"), 1).data().toString(), QStringLiteral("100"));

    m_model->SetDeviceAlive(false);
    changed.clear();
    m_camera->getParameter(QStringLiteral("Width"))->setValue(QStringLiteral("102"));
    QCOMPARE(changed.count(), 0);
}

void TestFeatureTreeModel::pollsTheFirstCollectionOnly()
{
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    m_model->addParameterCollection(m_transport, QStringLiteral("Transport"), QStringLiteral("@DeviceTransportLayer"),
                                    false);
    dump(*m_model);
    QSignalSpy cameraTemperature(m_camera->getParameter(QStringLiteral("DeviceTemperature")).data(),
                                 &IParameter::parameterDataChangedDecoupled);
    QSignalSpy transportTemperature(m_transport->getParameter(QStringLiteral("DeviceTemperature")).data(),
                                    &IParameter::parameterDataChangedDecoupled);
    QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);

    m_model->EnablePolling(true);
    m_model->EnablePolling(true);
    QVERIFY(m_model->GetPolling());
    QTRY_VERIFY_WITH_TIMEOUT(cameraTemperature.count() >= 3, 5000);
    QCOMPARE(transportTemperature.count(), 0);
    QVERIFY(changed.count() >= 6);

    // A poll that finds the device gone does not start the timer again.
    m_model->SetDeviceAlive(false);
    QTest::qWait(700);
    const int afterStop = cameraTemperature.count();
    QTest::qWait(700);
    QCOMPARE(cameraTemperature.count(), afterStop);

    m_model->refresh();
    QCOMPARE(transportTemperature.count(), 0);
}

void TestFeatureTreeModel::loggedPollFailuresKeepPolling()
{
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    m_camera->injectFault(QString(), Operation::Poll, FaultKind::StandardException, 2);
    QSignalSpy temperature(m_camera->getParameter(QStringLiteral("DeviceTemperature")).data(),
                           &IParameter::parameterDataChangedDecoupled);
    LogCapture log;
    m_model->EnablePolling(true);
    QTRY_VERIFY_WITH_TIMEOUT(temperature.count() >= 1, 5000);
    const QStringList warnings = log.texts(QtWarningMsg);
    QCOMPARE(warnings.count(QStringLiteral("Failed to run feature polling.")), 2);
    QVERIFY(warnings.contains(QStringLiteral("FeatureTreeModel::onTimerPoll: Exception occurred:\nInjected fault in "
                                             "poll of collection '@CameraDevice'\n")));
    QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), quint64(0));
    m_model->EnablePolling(false);
}

void TestFeatureTreeModel::missingRootAddsNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("standard") << int(FaultKind::StandardException);
    QTest::newRow("other") << int(FaultKind::OtherException);
}

void TestFeatureTreeModel::missingRootAddsNothing()
{
    QFETCH(int, kind);
    m_camera->injectFault(QString(), Operation::GetParameter, FaultKind(kind), 1);
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    QCOMPARE(m_model->rowCount(), 0);
    QCOMPARE(GetTheGlobalAsyncErrorQueue()->count(), quint64(1));
    // A collection without "Root" is not an error: the row stands without parameter.
    m_model->addParameterCollection(m_camera, QStringLiteral("Wrong"), QStringLiteral("@Elsewhere"), true);
    QCOMPARE(m_model->rowCount(), 1);
    QCOMPARE(m_model->rowCount(m_model->index(0, 0)), 0);
}

void TestFeatureTreeModel::favouritesRowsAndToolTips()
{
    QSignalSpy inserted(m_model, &QAbstractItemModel::rowsInserted);
    m_model->rebuildFavoriteItems();
    // The search help row is announced where it really goes: row 0.
    QCOMPARE(m_model->rowCount(), 2);
    QCOMPARE(inserted.last().at(1).toInt(), 0);
    QCOMPARE(m_model->index(0, 0).data(FeatureTreeItem::FullNodeNameRole).toString(), QStringLiteral("Search"));
    QCOMPARE(m_model->getSearchHelpItem(), m_model->getFeatureTreeItem(m_model->index(0, 0)));
    const QModelIndex favorites = m_model->GetFavoritesRootIndex();
    QCOMPARE(favorites.row(), 1);
    QCOMPARE(favorites.data().toString(), QStringLiteral("Favorites"));
    QVERIFY(favorites.data(FeatureTreeItem::GenicamCategory).toBool());
    QVERIFY(m_model->flags(favorites) & Qt::ItemIsDropEnabled);
    QCOMPARE(m_model->rowCount(favorites), 1);
    const QModelIndex hint = m_model->index(0, 0, favorites);
    QCOMPARE(hint.data(FeatureTreeItem::FullNodeNameRole).toString(), QStringLiteral("Dummy"));
    QCOMPARE(m_model->flags(hint), Qt::NoItemFlags);

    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);
    QVERIFY(m_model->AddFavorite(indexOf(QStringLiteral("Width")).isValid()
                                     ? m_camera->getParameter(QStringLiteral("Width"))
                                     : nullptr,
                                 0));
    QVERIFY(!m_model->AddFavorite(m_camera->getParameter(QStringLiteral("Width")), 0));
    QVERIFY(m_model->AddFavorite(m_camera->getParameter(QStringLiteral("PixelFormat")), 5));
    m_model->GetFavorites().append(
        FavoriteEntry{QStringLiteral("Gone"), QStringLiteral("Gone"), QStringLiteral("@CameraDevice")});
    m_model->rebuildFavoriteItems();

    const QModelIndex favs = m_model->GetFavoritesRootIndex();
    QCOMPARE(dump(*m_model, favs), QStringLiteral("[Width PixelFormat @CameraDevice/Gone]").replace(
                                       QStringLiteral("@CameraDevice/Gone"), QStringLiteral("Fav*CameraDevice*Gone")));
    QCOMPARE(favs.data(Qt::ToolTipRole).toString(),
             QStringLiteral("3 Favorites (1 is unavailable for the current camera)"));
    QCOMPARE(m_model->index(0, 0, favs).data(FeatureTreeItem::FullNodeNameRole).toString(),
             QStringLiteral("Fav*CameraDevice*Width"));
    QCOMPARE(m_model->index(0, 1, favs).data().toString(), QStringLiteral("640"));

    m_model->GetFavorites().append(
        FavoriteEntry{QStringLiteral("AlsoGone"), QStringLiteral("Also"), QStringLiteral("@CameraDevice")});
    m_model->rebuildFavoriteItems();
    QCOMPARE(m_model->GetFavoritesRootIndex().data(Qt::ToolTipRole).toString(),
             QStringLiteral("4 Favorites (2 are unavailable for the current camera)"));
    while (m_model->GetFavorites().count() > 1)
        m_model->GetFavorites().remove(1);
    m_model->rebuildFavoriteItems();
    QCOMPARE(m_model->GetFavoritesRootIndex().data(Qt::ToolTipRole).toString(), QStringLiteral("1 Favorite"));
}

void TestFeatureTreeModel::placeholdersAreReplacedWhenTheCollectionAppears()
{
    FavoritesData& favorites = m_model->GetFavorites();
    favorites.append(FavoriteEntry{QStringLiteral("Width"), QStringLiteral("Width"), QStringLiteral("@CameraDevice")});
    favorites.append(FavoriteEntry{QStringLiteral("Width"), QStringLiteral("Width"),
                                   QStringLiteral("@DeviceTransportLayer")});
    m_model->rebuildFavoriteItems();
    const QModelIndex favs = m_model->GetFavoritesRootIndex();
    QVERIFY(!qobject_cast<FeatureTreeINodeItem*>(m_model->getFeatureTreeItem(m_model->index(0, 0, favs))));
    QCOMPARE(favs.data(Qt::ToolTipRole).toString(),
             QStringLiteral("2 Favorites (2 are unavailable for the current camera)"));
    QPersistentModelIndex second = m_model->index(1, 0, favs);

    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    auto* live = qobject_cast<FeatureTreeINodeItem*>(m_model->getFeatureTreeItem(m_model->index(0, 0, favs)));
    QVERIFY(live);
    QCOMPARE(live->node(), m_camera->getParameter(QStringLiteral("Width")));
    QCOMPARE(live->getFullName(), QStringLiteral("Fav*CameraDevice*Width"));
    QVERIFY(second.isValid()); // the other favourite's row was not disturbed
    QCOMPARE(second.row(), 1);
    QCOMPARE(favs.data(Qt::ToolTipRole).toString(),
             QStringLiteral("2 Favorites (1 is unavailable for the current camera)"));

    // The live row follows its parameter like any other row.
    QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
    m_camera->getParameter(QStringLiteral("Width"))->setValue(QStringLiteral("200"));
    QCOMPARE(m_model->index(0, 1, favs).data().toString(), QStringLiteral("200"));
    QVERIFY(changed.count() >= 4); // the tree row and the favourite's row
}

void TestFeatureTreeModel::hiddenPlaceholdersWithoutViewAll()
{
    m_model->GetFavorites().append(
        FavoriteEntry{QStringLiteral("Gone"), QStringLiteral("Gone"), QStringLiteral("@CameraDevice")});
    m_model->EnableViewAllFavorites(false);
    QVERIFY(!m_model->GetViewAllFavorites());
    m_model->rebuildFavoriteItems();
    const QModelIndex placeholder = m_model->index(0, 0, m_model->GetFavoritesRootIndex());
    QCOMPARE(placeholder.data(FeatureTreeItem::GenicamVisibility).toInt(), int(GenApi::Invisible));
    m_model->EnableViewAllFavorites(true);
    m_model->rebuildFavoriteItems();
    QCOMPARE(m_model->index(0, 0, m_model->GetFavoritesRootIndex()).data(FeatureTreeItem::GenicamVisibility).toInt(),
             int(GenApi::Beginner));
}

void TestFeatureTreeModel::favouriteOperationsByIndex()
{
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);
    QVERIFY(m_model->CanAddAsFavorite(indexOf(QStringLiteral("Width"))));
    QVERIFY(m_model->CanAddAsFavorite(indexOf(QStringLiteral("DeviceReset"))));
    QVERIFY(!m_model->CanAddAsFavorite(indexOf(QStringLiteral("Device"))));
    QVERIFY(!m_model->CanAddAsFavorite(m_model->index(0, 0)));
    QVERIFY(!m_model->CanAddAsFavorite(QModelIndex()));
    QVERIFY(!m_model->AddFavorite(nullptr, 0));
    QVERIFY(!m_model->AddFavorite(m_camera->getParameter(QStringLiteral("DevicePort")), 0));
    QVERIFY(!m_model->AddFavorite(m_camera->getParameter(QStringLiteral("Width")), -1));

    for (const char* name : {"Width", "Limit", "PixelFormat"})
        QVERIFY(m_model->AddFavorite(m_camera->getParameter(QString::fromLatin1(name)), 99));
    m_model->rebuildFavoriteItems();
    const QModelIndex favs = m_model->GetFavoritesRootIndex();
    const QModelIndex first = m_model->index(0, 0, favs);
    const QModelIndex last = m_model->index(2, 0, favs);
    QVERIFY(!m_model->CanAddAsFavorite(first)); // already inside the favourites
    QCOMPARE(m_model->getFavoritesIndexFromModelIndex(last), 2);
    QCOMPARE(m_model->getFavoritesIndexFromModelIndex(indexOf(QStringLiteral("Width"))), -1);
    QVERIFY(m_model->IsFavoriteTreeItem(m_model->getFeatureTreeItem(first)));
    QVERIFY(m_model->IsFavoriteTreeRoot(m_model->getFeatureTreeItem(favs)));
    QVERIFY(!m_model->IsFavoriteTreeItem(m_model->getFeatureTreeItem(indexOf(QStringLiteral("Width")))));

    QVERIFY(!m_model->CanMoveFavorite(first, true));
    QVERIFY(m_model->CanMoveFavorite(first, false));
    QVERIFY(m_model->CanMoveFavorite(last, true));
    QVERIFY(!m_model->CanMoveFavorite(last, false));
    QVERIFY(!m_model->CanMoveFavorite(indexOf(QStringLiteral("Width")), true));

    QVERIFY(m_model->MoveFavorite(first, false));
    m_model->rebuildFavoriteItems();
    QCOMPARE(dump(*m_model, m_model->GetFavoritesRootIndex()), QStringLiteral("[Limit Width PixelFormat]"));
    QVERIFY(m_model->MoveFavorite(m_model->index(2, 0, m_model->GetFavoritesRootIndex()), true));
    m_model->rebuildFavoriteItems();
    QCOMPARE(dump(*m_model, m_model->GetFavoritesRootIndex()), QStringLiteral("[Limit PixelFormat Width]"));
    QVERIFY(m_model->RemoveFavorite(m_model->index(0, 0, m_model->GetFavoritesRootIndex())));
    QVERIFY(!m_model->RemoveFavorite(indexOf(QStringLiteral("Width"))));
    m_model->rebuildFavoriteItems();
    QCOMPARE(dump(*m_model, m_model->GetFavoritesRootIndex()), QStringLiteral("[PixelFormat Width]"));
}

void TestFeatureTreeModel::dropsAddAndReorderFavourites()
{
    m_model->rebuildFavoriteItems();
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);
    QSignalSpy updated(&m_model->GetFavorites(), &FavoritesData::dataUpdated);

    // Two parameter rows dragged together arrive in their order, with one announcement.
    std::unique_ptr<QMimeData> drag(
        m_model->mimeData({indexOf(QStringLiteral("Width")), indexOf(QStringLiteral("PixelFormat"))}));
    QVERIFY(drag->hasFormat(FeatureTreeModel::mimeFormat));
    QVERIFY(drag->hasFormat(QStringLiteral("application/x-qabstractitemmodeldatalist")));
    QVERIFY(m_model->dropMimeData(drag.get(), Qt::MoveAction, -1, 0, m_model->GetFavoritesRootIndex()));
    QCOMPARE(updated.count(), 1);
    m_model->rebuildFavoriteItems();
    QCOMPARE(dump(*m_model, m_model->GetFavoritesRootIndex()), QStringLiteral("[Width PixelFormat]"));

    // Dropping a favourite at row 0 moves it to the top.
    const QModelIndex pixel = m_model->index(1, 0, m_model->GetFavoritesRootIndex());
    std::unique_ptr<QMimeData> reorder(m_model->mimeData({pixel}));
    QVERIFY(m_model->dropMimeData(reorder.get(), Qt::MoveAction, 0, 0, m_model->GetFavoritesRootIndex()));
    m_model->rebuildFavoriteItems();
    QCOMPARE(dump(*m_model, m_model->GetFavoritesRootIndex()), QStringLiteral("[PixelFormat Width]"));

    // Rows that are no features change nothing.
    std::unique_ptr<QMimeData> structural(m_model->mimeData({m_model->index(0, 0), m_model->GetFavoritesRootIndex()}));
    updated.clear();
    QVERIFY(m_model->dropMimeData(structural.get(), Qt::MoveAction, 0, 0, QModelIndex()));
    QCOMPARE(m_model->GetFavorites().count(), 2);
    QCOMPARE(updated.count(), 0);
}

void TestFeatureTreeModel::dropsIgnoreForeignPayloads_data()
{
    QTest::addColumn<int>("kind"); // 0 foreign address, 1 zero, 2 empty, 3 no format, 4 ignore action, 5 stale row
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
    m_model->rebuildFavoriteItems();
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);

    FeatureTreeItem stranger(QStringLiteral("Stranger"), m_model, QStringLiteral("@CameraDevice/Width"), nullptr);
    std::unique_ptr<QMimeData> mime;
    Qt::DropAction action = Qt::MoveAction;
    switch (kind) {
    case 0:
        mime.reset(payload({static_cast<qint64>(reinterpret_cast<quintptr>(&stranger)), 0x10, -1}));
        break;
    case 1:
        mime.reset(payload({0, 0}));
        break;
    case 2:
        mime.reset(payload({}));
        break;
    case 3:
        mime.reset(new QMimeData);
        mime->setText(QStringLiteral("Width"));
        break;
    case 4:
        mime.reset(payload({address(indexOf(QStringLiteral("Width")))}));
        action = Qt::IgnoreAction;
        break;
    case 5: {
        mime.reset(payload({address(indexOf(QStringLiteral("Width")))}));
        m_model->clear();
        break;
    }
    }
    QCOMPARE(m_model->dropMimeData(mime.get(), action, -1, 0, QModelIndex()), result);
    QCOMPARE(m_model->GetFavorites().count(), 0);
}

void TestFeatureTreeModel::clearResetsAndRebuilds()
{
    m_model->rebuildFavoriteItems();
    m_model->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    dump(*m_model);
    QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
    QPersistentModelIndex width = indexOf(QStringLiteral("Width"));
    m_model->clear();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(m_model->rowCount(), 0);
    QVERIFY(!width.isValid());
    QVERIFY(!m_model->getSearchHelpItem());
    QVERIFY(!m_model->GetFavoritesRootIndex().isValid());
    // No collection is left to poll or refresh.
    m_model->refresh();
    m_model->onTimerPoll();

    m_model->rebuildFavoriteItems();
    QCOMPARE(m_model->rowCount(), 2);
    QVERIFY(m_model->getSearchHelpItem());
    QVERIFY(m_model->GetFavoritesRootIndex().isValid());
}

void TestFeatureTreeModel::emulatedCameraLoadsCompletely()
{
    EmulatedCamera camera;
    m_model->rebuildFavoriteItems();
    for (const EmulatedCamera::Collection& c : camera.collections())
        m_model->addParameterCollection(c.collection, c.rootName, c.roleName, true);
    QCOMPARE(m_model->rowCount(), 2 + 4);
    const QString all = dump(*m_model);
    for (const char* name : {"ExposureTime", "GevSCPSFireTestPacket", "MaxNumBuffer", "OutputPaddingX"})
        QVERIFY2(all.contains(QLatin1String(name)), name);
    QVERIFY(!all.contains(QLatin1String("/Alias")));
}

QTEST_MAIN(TestFeatureTreeModel)
#include "tst_featuretreemodel.moc"
