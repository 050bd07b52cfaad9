#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeproxymodel.h"
#include "logcapture.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/memoryparametercollection.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"
#include "widgets/asyncerrorqueue.h"

#include <QAbstractItemModelTester>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>

using namespace ParameterCollection;
using FaultKind = MemoryParameterCollection::FaultKind;
Q_DECLARE_METATYPE(FaultKind)

namespace {

const char* const cameraNodeMap = R"(<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Category name="ImageFormatControl" displayName="Image Format">
      <Integer name="Width" value="640"/>
      <Integer name="Height" value="480"/>
      <Integer name="SensorWidth" access="RO" value="2448" visibility="Expert"/>
      <Integer name="TestPattern" value="0" visibility="Guru"/>
      <Integer name="ShadowWidth" value="0" visibility="Invisible"/>
      <Integer name="LegacyMode" access="NI" value="0"/>
    </Category>
    <Category name="AnalogControl" displayName="Analog Control">
      <Category name="GainControl" displayName="Gain Control" visibility="Expert">
        <Float name="Gain" value="6" min="0" max="24" visibility="Expert"/>
        <Float name="BlackLevel" value="1" min="0" max="10" visibility="Guru"/>
      </Category>
      <Float name="Gamma" value="1" min="0.1" max="4"/>
    </Category>
  </Category>
</NodeMap>)";

const char* const transportNodeMap = R"(<NodeMap role="@DeviceTransportLayer">
  <Category name="Root">
    <Category name="TransportControl"><Integer name="HeartbeatTimeout" value="3000"/></Category>
  </Category>
</NodeMap>)";

/// One data row; values are separated by commas so that rows stay one line each.
template<typename... Values> void addRow(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}

// Node names of a subtree in compact form: "A[B C] D".
QString tree(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex())
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        const QString children = tree(model, index);
        rows << index.data(FeatureTreeItem::GenicamNameRole).toString()
                + (children.isEmpty() ? QString() : QLatin1Char('[') + children + QLatin1Char(']'));
    }
    return rows.join(QLatin1Char(' '));
}

// A row of a plain item model from a token name[=display][/flags]; flags:
// c category, h not shown at all, 0-3 the visibility, u undefined visibility.
QStandardItem* makeItem(const QString& token)
{
    const QString flags = token.section(QLatin1Char('/'), 1);
    const QString name = token.section(QLatin1Char('/'), 0, 0).section(QLatin1Char('='), 0, 0);
    int level = 0;
    for (QChar f : flags)
        level = f.isDigit() ? f.digitValue() : f == QLatin1Char('u') ? 99 : level;
    auto* item = new QStandardItem(token.section(QLatin1Char('/'), 0, 0).section(QLatin1Char('='), -1));
    item->setData(name, FeatureTreeItem::GenicamNameRole);
    item->setData(flags.contains(QLatin1Char('c')), FeatureTreeItem::GenicamCategory);
    item->setData(level, FeatureTreeItem::GenicamVisibility);
    item->setData(!flags.contains(QLatin1Char('h')), FeatureTreeItem::IsShownAtAll);
    return item;
}

// Builds rows from the compact form of tree(), tokens as for makeItem().
void addRows(QStandardItem* parent, const QString& text, int& pos)
{
    while (pos < text.size() && text.at(pos) != QLatin1Char(']')) {
        if (text.at(pos) == QLatin1Char(' ')) {
            ++pos;
            continue;
        }
        const int end = text.indexOf(QRegularExpression(QStringLiteral("[ \\[\\]]")), pos);
        QStandardItem* item = makeItem(text.mid(pos, end < 0 ? -1 : end - pos));
        pos = end < 0 ? text.size() : end;
        parent->appendRow(item);
        if (pos < text.size() && text.at(pos) == QLatin1Char('[')) {
            addRows(item, text, ++pos);
            ++pos; // the closing bracket
        }
    }
}

void fillPlainModel(QStandardItemModel& model, const QString& text)
{
    int pos = 0;
    addRows(model.invisibleRootItem(), text, pos);
}

// The filter configuration the tree view gives its proxy.
void configureLikeTheView(QSortFilterProxyModel& proxy)
{
    proxy.setDynamicSortFilter(false);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterKeyColumn(1);
}

// Six top categories with three sub-categories of five features each, names
// and visibilities mixed so that every search text hits several levels.
QByteArray generatedNodeMap()
{
    static const char* const stems[] = { "Gain", "Width", "Offset", "Temperature" };
    static const char* const levels[] = { "Beginner", "Expert", "Guru", "Invisible", "Beginner" };
    QByteArray xml = "<NodeMap role=\"@CameraDevice\"><Category name=\"Root\">";
    for (int c = 0; c < 6; ++c) {
        xml += QStringLiteral("<Category name=\"Cat%1\" visibility=\"%2\">")
                   .arg(c)
                   .arg(c % 3 == 2 ? "Expert" : "Beginner")
                   .toUtf8();
        for (int s = 0; s < 3; ++s) {
            xml += QStringLiteral("<Category name=\"Sub%1_%2\">").arg(c).arg(s).toUtf8();
            for (int f = 0; f < 5; ++f) {
                xml += QStringLiteral("<Integer name=\"%1%2%3%4\" value=\"1\" visibility=\"%5\"%6/>")
                           .arg(stems[(c + s + f) % 4])
                           .arg(c)
                           .arg(s)
                           .arg(f)
                           .arg(levels[(c * 7 + s * 3 + f) % 5])
                           .arg(f == 4 && s == 1 ? " access=\"NI\"" : "")
                           .toUtf8();
            }
            xml += "</Category>";
        }
        xml += "</Category>";
    }
    return xml + "</Category></NodeMap>";
}

} // namespace

class TestFeatureTreeProxyModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void filtersPlainModels_data();
    void filtersPlainModels();
    void filtersTheFeatureTree_data();
    void filtersTheFeatureTree();
    void agreesWithAFreshFilter_data();
    void agreesWithAFreshFilter();
    void forgetsResultsWhenTheSourceChanges();
    void keepsMatchesOfAPassThatVisitsTheFirstRowLast();
    void logsFailuresWhileLoadingRows_data();
    void logsFailuresWhileLoadingRows();

    void findItemByFullNameMapsIndexes_data();
    void findItemByFullNameMapsIndexes();
    void mapsIndexArgumentsAndResults();
    void passesOperationsOn();
    void acceptsEveryRowWhileACollectionIsAdded();
    void fallsBackWithoutExtension();

private:
    void buildFeatureTree(bool withTester = true);
    void filter(GenApi::EVisibility level, const QString& text);
    QModelIndex proxyIndexOf(const QString& nodeName, int column = 0);

    std::unique_ptr<TestSettings> m_settings;
    QSharedPointer<MemoryParameterCollection> m_camera;
    std::unique_ptr<FeatureTreeModel> m_model;
    std::unique_ptr<FeatureTreeProxyModel> m_proxy;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void TestFeatureTreeProxyModel::initTestCase()
{
    m_settings.reset(new TestSettings);
    registerMetaTypes();
}

void TestFeatureTreeProxyModel::init()
{
    m_camera = MemoryParameterCollection::fromXml(QByteArray(cameraNodeMap));
    m_model.reset(new FeatureTreeModel);
    FavoritesData& favorites = m_model->GetFavorites();
    while (favorites.count() > 0)
        favorites.remove(0);
    favorites.setViewAll(true);
    m_proxy.reset(new FeatureTreeProxyModel);
    configureLikeTheView(*m_proxy);
}

void TestFeatureTreeProxyModel::cleanup()
{
    m_tester.reset();
    m_proxy.reset();
    m_model.reset();
    GetTheGlobalAsyncErrorQueue()->clear();
}

// The start-up of a tree view: favourites and search help rows, then the camera.
void TestFeatureTreeProxyModel::buildFeatureTree(bool withTester)
{
    m_proxy->setSourceModel(m_model.get());
    if (withTester)
        m_tester.reset(
            new QAbstractItemModelTester(m_proxy.get(), QAbstractItemModelTester::FailureReportingMode::QtTest));
    m_proxy->rebuildFavoriteItems();
    m_proxy->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), false);
    m_proxy->invalidate();
}

// As the widget applies a level and a search text.
void TestFeatureTreeProxyModel::filter(GenApi::EVisibility level, const QString& text)
{
    m_proxy->setVisibility(level);
    m_proxy->setFilterFixedString(text);
    m_proxy->invalidate();
}

QModelIndex TestFeatureTreeProxyModel::proxyIndexOf(const QString& nodeName, int column)
{
    return m_proxy->findItemByFullName(QStringLiteral("@CameraDevice/") + nodeName, nullptr, column);
}

void TestFeatureTreeProxyModel::filtersPlainModels_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("higher");

    addRow("match, any case", "Gain", 2, "gAI", "Gain", 1, 0);
    addRow("node name matches", "Gain=Amplification", 2, "GAIN", "Gain", 1, 0);
    addRow("display name matches", "Gain=Amplification", 2, "plif", "Gain", 1, 0);
    addRow("no match", "Gain", 2, "xyz", "", 0, 0);
    addRow("Root never", "Root=Everything", 3, "", "", 0, 0);
    addRow("not shown at all", "Width/h", 2, "Width", "", 0, 0);
    addRow("not shown at all, Invisible", "Width/h", 3, "Width", "Width", 1, 0);
    addRow("Expert at Beginner", "Gain/1", 0, "Gain", "", 0, 1);
    addRow("undefined visibility", "Gain/u", 3, "", "", 0, 0);
    addRow("category is no match", "Gain/c", 2, "", "", 0, 0);
    addRow("help name needs the model", "Search=Help", 0, "zzz", "", 0, 0);
    const QString nested = QStringLiteral("A/c[B/c[Gain] C/c[X]] Expo[Child[Grand]]");
    addRow("match deep down", nested, 2, "gain", "A[B[Gain]]", 1, 0);
    addRow("below a match", nested, 2, "expo", "Expo[Child[Grand]]", 1, 0);
    addRow("empty text", nested, 2, "", "A[B[Gain] C[X]] Expo[Child[Grand]]", 5, 0);
    addRow("category over a hidden match", "A/c[B/c[Gain/1]]", 0, "gain", "", 0, 1);
    addRow("same name twice counts once", "A/c[Gain] B/c[Gain]", 2, "gain", "A[Gain] B[Gain]", 1, 0);
}

void TestFeatureTreeProxyModel::filtersPlainModels()
{
    QFETCH(QString, source);
    QFETCH(int, level);
    QFETCH(QString, text);

    QStandardItemModel model;
    fillPlainModel(model, source);
    m_proxy->setSourceModel(&model);
    QAbstractItemModelTester tester(m_proxy.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    filter(GenApi::EVisibility(level), text);

    QTEST(tree(*m_proxy), "expected");
    QTEST(m_proxy->visibleMatchCount(), "visible");
    QTEST(m_proxy->higherLevelMatchCount(), "higher");
}

void TestFeatureTreeProxyModel::filtersTheFeatureTree_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("favourite");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("higher");

    addRow("Expert-only match at Beginner", 0, "Sensor", "", "", 0, 1);
    addRow("Expert-only match at Expert", 1, "Sensor", "", "Root[ImageFormatControl[SensorWidth]]", 1, 0);
    addRow("matches on several levels", 0, "width", "", "Root[ImageFormatControl[Width]]", 1, 1);
    addRow("nested Expert category at Beginner", 0, "Gain", "", "", 0, 1);
    addRow("Invisible feature at Invisible", 3, "Shadow", "", "Search Root[ImageFormatControl[ShadowWidth]]", 1, 0);
    addRow("only a category name matches", 2, "Analog", "", "", 0, 0);
    addRow("not implemented at Guru", 2, "Legacy", "", "", 0, 0);
    addRow("not implemented at Invisible", 3, "Legacy", "", "Search Root[ImageFormatControl[LegacyMode]]", 1, 0);
    addRow("favourite and category count once", 2, "Width", "Width",
           "FavoritesTopLevel[Width] Root[ImageFormatControl[Width SensorWidth]]", 2, 0);
    addRow("empty text at Beginner", 0, "", "",
           "FavoritesTopLevel[Dummy] Root[ImageFormatControl[Width Height] AnalogControl[Gamma]]", 4, 4);
    addRow("empty text at Guru", 2, "", "",
           "FavoritesTopLevel[Dummy] Root[ImageFormatControl[Width Height SensorWidth TestPattern] "
           "AnalogControl[GainControl[Gain BlackLevel] Gamma]]",
           8, 0);
}

void TestFeatureTreeProxyModel::filtersTheFeatureTree()
{
    QFETCH(int, level);
    QFETCH(QString, text);
    QFETCH(QString, favourite);

    buildFeatureTree();
    if (!favourite.isEmpty()) {
        QVERIFY(m_proxy->AddFavorite(m_camera->getParameter(QStringLiteral("@CameraDevice/") + favourite), 0));
        m_proxy->rebuildFavoriteItems();
    }
    filter(GenApi::EVisibility(level), text);

    QTEST(tree(*m_proxy), "expected");
    QTEST(m_proxy->visibleMatchCount(), "visible");
    QTEST(m_proxy->higherLevelMatchCount(), "higher");
}

void TestFeatureTreeProxyModel::agreesWithAFreshFilter_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    for (const char* text : { "", "gain", "width1", "sub", "3" }) {
        for (int level = 0; level <= 3; ++level)
            QTest::addRow("'%s' at %d", text, level) << level << QString::fromLatin1(text);
    }
}

void TestFeatureTreeProxyModel::agreesWithAFreshFilter()
{
    QFETCH(int, level);
    QFETCH(QString, text);

    m_camera = MemoryParameterCollection::fromXml(generatedNodeMap());
    QVERIFY(m_model->AddFavorite(m_camera->getParameter(QStringLiteral("@CameraDevice/Gain000")), 0));
    // First a tree whose categories load while this search looks into them;
    // the model checker would load them all beforehand, so it comes later.
    buildFeatureTree(false);
    filter(GenApi::EVisibility(level), text);
    const QString filtered = tree(*m_proxy);
    const int visible = m_proxy->visibleMatchCount();
    const int higher = m_proxy->higherLevelMatchCount();

    // The yardstick: a proxy that filters the fully loaded model once, remembering nothing yet.
    tree(*m_model);
    FeatureTreeProxyModel reference;
    configureLikeTheView(reference);
    reference.setSourceModel(m_model.get());
    reference.setVisibility(GenApi::EVisibility(level));
    reference.setFilterFixedString(text);
    reference.invalidate();
    const QString expected = tree(reference);
    QCOMPARE(filtered, expected);
    QCOMPARE(visible, reference.visibleMatchCount());
    QCOMPARE(higher, reference.higherLevelMatchCount());

    // Then the loaded tree re-filtered in place, as a new search text does.
    m_tester.reset(new QAbstractItemModelTester(m_proxy.get(), QAbstractItemModelTester::FailureReportingMode::QtTest));
    m_proxy->setFilterFixedString(QStringLiteral("1"));
    tree(*m_proxy);
    m_proxy->setFilterFixedString(text);
    QCOMPARE(tree(*m_proxy), expected);
    m_proxy->invalidate();
    QCOMPARE(tree(*m_proxy), expected);
    QCOMPARE(m_proxy->visibleMatchCount(), visible);
    QCOMPARE(m_proxy->higherLevelMatchCount(), higher);
}

void TestFeatureTreeProxyModel::forgetsResultsWhenTheSourceChanges()
{
    // The base class re-filters changed and inserted rows itself when dynamic
    // filtering is on; a remembered answer for them would be stale.
    QStandardItemModel model;
    fillPlainModel(model, QStringLiteral("A/c[B/c[Gain]]"));
    m_proxy->setDynamicSortFilter(true);
    m_proxy->setSourceModel(&model);
    QAbstractItemModelTester tester(m_proxy.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    filter(GenApi::Guru, QStringLiteral("gain"));
    QCOMPARE(tree(*m_proxy), QStringLiteral("A[B[Gain]]"));

    QStandardItem* b = model.item(0)->child(0);
    const auto rename = [](QStandardItem* item, const QString& name) {
        item->setText(name);
        item->setData(name, FeatureTreeItem::GenicamNameRole);
    };
    rename(b->child(0), QStringLiteral("Offset"));
    QCOMPARE(tree(*m_proxy), QStringLiteral("A[B]"));

    // Inserted in front: the new row takes the position the memo knew as "Offset".
    b->insertRow(0, makeItem(QStringLiteral("Gain2")));
    QCOMPARE(tree(*m_proxy), QStringLiteral("A[B[Gain2]]"));
    b->appendRow(makeItem(QStringLiteral("Gain3")));
    QCOMPARE(tree(*m_proxy), QStringLiteral("A[B[Gain2 Gain3]]"));
    b->removeRow(0);
    rename(b->child(0), QStringLiteral("Gain"));
    QCOMPARE(tree(*m_proxy), QStringLiteral("A[B[Gain Gain3]]"));
}

void TestFeatureTreeProxyModel::keepsMatchesOfAPassThatVisitsTheFirstRowLast()
{
    // Only the top level is mapped and the hidden search help row is the
    // first one: re-filtering tests the shown rows before it. The camera's
    // deeper categories are loaded by this very search. The model checker
    // would map and load every row first, so it comes in afterwards.
    buildFeatureTree(false);
    QCOMPARE(m_proxy->rowCount(), 2);
    m_proxy->setFilterFixedString(QStringLiteral("Black"));
    QCOMPARE(m_proxy->visibleMatchCount(), 1);

    QAbstractItemModelTester tester(m_proxy.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(tree(*m_proxy), QStringLiteral("Root[AnalogControl[GainControl[BlackLevel]]]"));
    QCOMPARE(m_proxy->visibleMatchCount(), 1);
    QCOMPARE(m_proxy->higherLevelMatchCount(), 0);
}

void TestFeatureTreeProxyModel::logsFailuresWhileLoadingRows_data()
{
    QTest::addColumn<FaultKind>("kind");
    QTest::addColumn<QString>("details");
    QTest::newRow("GenICam") << FaultKind::GenICamException
                             << "FeatureTreeModel::addChildren: Exception occurred:\n";
    QTest::newRow("other") << FaultKind::OtherException
                           << "FeatureTreeModel::addChildren: Unspecified exception occurred.";
}

void TestFeatureTreeProxyModel::logsFailuresWhileLoadingRows()
{
    QFETCH(FaultKind, kind);
    QFETCH(QString, details);

    // As above, the checker would load every category before the search does.
    buildFeatureTree(false);
    QCOMPARE(m_proxy->rowCount(), 2);
    // The search has to look into the one category that is not loaded yet.
    m_camera->injectFault(QString(), MemoryParameterCollection::Operation::GetChildren, kind, 1);
    LogCapture log;
    m_proxy->setFilterFixedString(QStringLiteral("Black"));

    const QStringList warnings = log.texts(QtWarningMsg);
    QCOMPARE(warnings.value(0), QStringLiteral("Failed to load the features of a category."));
    QVERIFY2(warnings.value(1).startsWith(details), qPrintable(warnings.value(1)));
    // The category that failed to load stays empty; the rest is filtered as usual.
    QAbstractItemModelTester tester(m_proxy.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_proxy->setFilterFixedString(QStringLiteral("Height"));
    QCOMPARE(tree(*m_proxy), QStringLiteral("Root[ImageFormatControl[Height]]"));
}

void TestFeatureTreeProxyModel::findItemByFullNameMapsIndexes_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("display");

    QTest::newRow("feature") << "@CameraDevice/Height" << 0 << "" << 1 << "Height";
    QTest::newRow("rows above filtered out") << "@CameraDevice/Height" << 1 << "Height" << 0 << "480";
    QTest::newRow("filtered out") << "@CameraDevice/Width" << 0 << "Height" << -1 << "";
    QTest::newRow("collection row below hidden help row") << "@CameraDevice*Root" << 0 << "" << 1 << "Camera";
    QTest::newRow("hidden help row") << "Search" << 0 << "" << -1 << "";
}

void TestFeatureTreeProxyModel::findItemByFullNameMapsIndexes()
{
    QFETCH(QString, fullName);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(int, row);

    buildFeatureTree();
    filter(GenApi::Guru, text);
    const QModelIndex index = m_proxy->findItemByFullName(fullName, nullptr, column);
    QCOMPARE(index.isValid() ? index.row() : -1, row);
    if (row < 0)
        return;
    QCOMPARE(index.model(), m_proxy.get());
    QCOMPARE(index.column(), column);
    QTEST(index.data().toString(), "display");
    QCOMPARE(m_proxy->getFeatureTreeItem(index)->getFullName(), fullName);
}

void TestFeatureTreeProxyModel::mapsIndexArgumentsAndResults()
{
    buildFeatureTree();
    QVERIFY(m_proxy->AddFavorite(m_camera->getParameter(QStringLiteral("@CameraDevice/Height")), 0));
    QVERIFY(m_proxy->AddFavorite(m_camera->getParameter(QStringLiteral("@CameraDevice/TestPattern")), 1));
    m_proxy->rebuildFavoriteItems();
    // Width is filtered out, so proxy rows and source rows differ below the category.
    filter(GenApi::Guru, QStringLiteral("e"));

    const QModelIndex height = proxyIndexOf(QStringLiteral("Height"));
    FeatureTreeItem* item = m_proxy->getFeatureTreeItem(height);
    QVERIFY(item);
    QCOMPARE(item, m_model->getFeatureTreeItem(m_proxy->mapToSource(height)));
    QCOMPARE(height.row(), 0);
    QCOMPARE(m_model->indexForItem(item, 0).row(), 1);
    QCOMPARE(m_proxy->indexForItem(item, 1), height.sibling(0, 1));
    QCOMPARE(m_proxy->findItem(item, nullptr, 0), height);
    QCOMPARE(m_proxy->findItemByRole(FeatureTreeItem::FullNodeNameRole, QStringLiteral("@CameraDevice/Height"),
                                     m_proxy->getFeatureTreeItem(height.parent()), 0),
             height);
    QVERIFY(m_proxy->CanAddAsFavorite(proxyIndexOf(QStringLiteral("SensorWidth"))));
    QVERIFY(!m_proxy->CanAddAsFavorite(height.parent()));

    const QModelIndex favorites = m_proxy->GetFavoritesRootIndex();
    QVERIFY(m_proxy->IsFavoriteTreeRoot(m_proxy->getFeatureTreeItem(favorites)));
    QCOMPARE(m_proxy->rowCount(favorites), 2);
    const QModelIndex first = m_proxy->index(0, 0, favorites);
    const QModelIndex second = m_proxy->index(1, 0, favorites);
    QVERIFY(m_proxy->IsFavoriteTreeItem(m_proxy->getFeatureTreeItem(second)));
    QCOMPARE(m_proxy->getFavoritesIndexFromModelIndex(second), 1);
    QVERIFY(m_proxy->CanMoveFavorite(second, true));
    QVERIFY(!m_proxy->CanMoveFavorite(second, false));
    QVERIFY(m_proxy->MoveFavorite(second, true));
    QCOMPARE(m_model->GetFavorites().entry(0)->name, QStringLiteral("TestPattern"));
    QVERIFY(m_proxy->RemoveFavorite(first)); // the row still stands for Height
    QCOMPARE(m_model->GetFavorites().count(), 1);
    QCOMPARE(m_model->GetFavorites().entry(0)->name, QStringLiteral("TestPattern"));

    // Indexes of other models, the source's included, are not this proxy's.
    const QModelIndex sourceIndex = m_proxy->mapToSource(height);
    QCOMPARE(m_proxy->getFavoritesIndexFromModelIndex(QModelIndex()), -1);
    QVERIFY(!m_proxy->CanAddAsFavorite(sourceIndex));
    QVERIFY(!m_proxy->getFeatureTreeItem(sourceIndex));
}

void TestFeatureTreeProxyModel::passesOperationsOn()
{
    buildFeatureTree();
    QCOMPARE(&m_proxy->GetFavorites(), &m_model->GetFavorites());
    QCOMPARE(m_proxy->getSearchHelpItem(), m_model->getSearchHelpItem());
    QCOMPARE(m_proxy->GetParameterCollectionName(m_camera), m_model->GetParameterCollectionName(m_camera));

    m_proxy->EnablePolling(true);
    QVERIFY(m_model->GetPolling() && m_proxy->GetPolling());
    m_proxy->setGenICamCallbacksEnable(false);
    QVERIFY(!m_model->getGenICamCallbackEnable() && !m_proxy->getGenICamCallbackEnable());
    m_proxy->setGenICamCallbacksEnable(true);
    m_proxy->EnableViewAllFavorites(false);
    QVERIFY(!m_model->GetViewAllFavorites() && !m_proxy->GetViewAllFavorites());
    m_proxy->EnableViewAllFavorites(true);

    // While the device is gone the model reports no value changes.
    QSignalSpy changes(m_proxy.get(), &QAbstractItemModel::dataChanged);
    const QSharedPointer<IParameter> gamma = m_camera->getParameter(QStringLiteral("@CameraDevice/Gamma"));
    m_proxy->SetDeviceAlive(false);
    gamma->setValue(QStringLiteral("2"));
    QCOMPARE(changes.count(), 0);
    m_proxy->SetDeviceAlive(true);
    gamma->setValue(QStringLiteral("3"));
    QVERIFY(changes.count() > 0);

    // The level reaches the model at once and the filter at the next invalidation.
    filter(GenApi::Expert, QStringLiteral("Sensor"));
    QCOMPARE(tree(*m_proxy), QStringLiteral("Root[ImageFormatControl[SensorWidth]]"));
    m_proxy->setVisibility(GenApi::Beginner);
    QCOMPARE(m_model->getVisibility(), GenApi::Beginner);
    QCOMPARE(m_proxy->getVisibility(), GenApi::Beginner);
    QCOMPARE(tree(*m_proxy), QStringLiteral("Root[ImageFormatControl[SensorWidth]]"));
    m_proxy->invalidate();
    QCOMPARE(tree(*m_proxy), QString());
    QCOMPARE(m_proxy->higherLevelMatchCount(), 1);

    m_proxy->clear();
    QCOMPARE(m_model->rowCount(), 0);
    QCOMPARE(m_proxy->rowCount(), 0);
}

void TestFeatureTreeProxyModel::acceptsEveryRowWhileACollectionIsAdded()
{
    buildFeatureTree();
    filter(GenApi::Guru, QStringLiteral("Sensor"));
    QCOMPARE(tree(*m_proxy), QStringLiteral("Root[ImageFormatControl[SensorWidth]]"));

    m_proxy->addParameterCollection(MemoryParameterCollection::fromXml(QByteArray(transportNodeMap)),
                                    QStringLiteral("Transport"), QStringLiteral("@DeviceTransportLayer"), false);
    QVERIFY(tree(*m_proxy).contains(QStringLiteral("Root[TransportControl[HeartbeatTimeout]]")));
    m_proxy->invalidate();
    QCOMPARE(tree(*m_proxy), QStringLiteral("Root[ImageFormatControl[SensorWidth]]"));
}

void TestFeatureTreeProxyModel::fallsBackWithoutExtension()
{
    QStandardItemModel plain;
    fillPlainModel(plain, QStringLiteral("Gain"));
    FeatureTreeProxyModel unconnected;
    for (FeatureTreeProxyModel* proxy : { m_proxy.get(), &unconnected }) {
        if (proxy == m_proxy.get())
            proxy->setSourceModel(&plain);
        QAbstractItemModelTester tester(proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QModelIndex row = proxy->index(0, 0);
        QCOMPARE(row.isValid(), proxy == m_proxy.get());

        QVERIFY(!proxy->getFeatureTreeItem(row));
        QVERIFY(!proxy->IsFavoriteTreeItem(nullptr) && !proxy->IsFavoriteTreeRoot(nullptr));
        QVERIFY(!proxy->indexForItem(nullptr, 0).isValid() && !proxy->GetFavoritesRootIndex().isValid());
        QVERIFY(!proxy->findItem(nullptr, nullptr, 0).isValid());
        QVERIFY(!proxy->findItemByFullName(QStringLiteral("Gain"), nullptr, 0).isValid());
        QVERIFY(!proxy->findItemByRole(FeatureTreeItem::GenicamNameRole, QStringLiteral("Gain"), nullptr, 0).isValid());
        QVERIFY(!proxy->RemoveFavorite(row) && !proxy->MoveFavorite(row, true) && !proxy->CanMoveFavorite(row, false));
        QVERIFY(!proxy->CanAddAsFavorite(row)
                && !proxy->AddFavorite(m_camera->getParameter(QStringLiteral("Gain")), 0));
        QVERIFY(!proxy->GetPolling() && !proxy->GetViewAllFavorites() && !proxy->getGenICamCallbackEnable());
        QVERIFY(!proxy->getSearchHelpItem());
        QCOMPARE(proxy->getFavoritesIndexFromModelIndex(row), -1);
        QCOMPARE(proxy->getFavoritesIndexFromFeatureTreeItem(nullptr), -1);
        QCOMPARE(proxy->GetParameterCollectionName(m_camera), QStringLiteral("unknown NodeMap name"));
        proxy->setVisibility(GenApi::Expert);
        QCOMPARE(proxy->getVisibility(), GenApi::Expert);
        // Operations without a result do nothing, and nothing breaks.
        proxy->EnablePolling(true);
        proxy->SetDeviceAlive(false);
        proxy->addParameterCollection(m_camera, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), false);
        proxy->rebuildFavoriteItems();
        proxy->clear();
        QCOMPARE(proxy->rowCount(), proxy == m_proxy.get() ? 1 : 0);
    }
    // One empty list for every proxy without a model, never the model's.
    QCOMPARE(&m_proxy->GetFavorites(), &unconnected.GetFavorites());
    QVERIFY(&unconnected.GetFavorites() != &m_model->GetFavorites());
    QCOMPARE(unconnected.GetFavorites().count(), 0);
}

QTEST_MAIN(TestFeatureTreeProxyModel)
#include "tst_featuretreeproxymodel.moc"
