#include "featuretree/favoritesdata.h"
#include "fetch.h"
#include "logcapture.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "treefixture.h"

#include <QStandardItemModel>
#include <QtTest>

#include <functional>

using namespace ParameterCollection;

namespace {

const char* const camera = "ImageFormatControl[Width=640 Height=480 SensorWidth=2448!RO#Expert TestPattern#Guru"
                           " ShadowWidth#Invisible LegacyMode!NI]"
                           " AnalogControl[GainControl#Expert[Gain:f=6#Expert BlackLevel:f=1#Guru] Gamma:f=1]";

// Six categories of three sub-categories of five features, names, units,
// levels and access mixed so that every search text hits several levels.
QString generatedTree()
{
    const char* const stems[] = { "Gain", "Width", "Offset", "Temperature" };
    const char* const levels[] = { "Beginner", "Expert", "Guru", "Invisible", "Beginner" };
    QString text;
    for (int c = 0; c < 6; ++c) {
        for (int s = 0; s < 3; ++s) {
            text += (s ? "" : QString("Cat%1#%2[").arg(c).arg(c % 3 == 2 ? "Expert" : "Beginner"))
                + QString("Sub%1_%2[").arg(c).arg(s);
            for (int f = 0; f < 5; ++f) {
                const char* extra = f == 4 && s == 1 ? "!NI " : f == 3 ? "{unit=dB} " : " ";
                text += QString("%1%2%3%4#").arg(stems[(c + s + f) % 4]).arg(c).arg(s).arg(f)
                    + levels[(c * 7 + s * 3 + f) % 5] + extra;
            }
            text += s == 2 ? "]] " : "] ";
        }
    }
    return text;
}

// A row of a plain model, shown at every level, known by its text alone.
QStandardItem* plainRow(const QString& text, bool category = false)
{
    auto* item = new QStandardItem(text);
    item->setData(category, FeatureTreeItem::GenicamCategory);
    item->setData(true, FeatureTreeItem::IsShownAtAll);
    return item;
}

// How a filter is set; a QRegExp with Qt 5 only (Qt 6 has QRegularExpression alone).
enum Syntax { FixedString, Wildcard, RegExp, RegularExpression };

struct Filter
{
    int level;
    int syntax;
    QString text;

    void applyTo(FeatureTreeProxyModel& proxy) const
    {
        proxy.setVisibility(GenApi::EVisibility(level));
        proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
        if (syntax == FixedString)
            proxy.setFilterFixedString(text);
        else if (syntax == Wildcard)
            proxy.setFilterWildcard(text);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        else if (syntax == RegExp)
            proxy.setFilterRegExp(QRegExp(text, Qt::CaseInsensitive));
#endif
        else
            proxy.setFilterRegularExpression(QRegularExpression(text, QRegularExpression::CaseInsensitiveOption));
    }
    // The table's wildcards use only * and ?; a match anywhere in the name counts.
    bool matches(const QString& name) const
    {
        QString pattern = syntax == FixedString ? QRegularExpression::escape(text) : text;
        if (syntax == Wildcard)
            pattern.replace('*', ".*").replace('?', '.');
        return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).match(name).hasMatch();
    }
};

QString state(const QString& tree, int visible, int higher)
{
    return QString("%1 | %2 visible, %3 higher").arg(tree).arg(visible).arg(higher);
}

// The accepted rows first: the counts cover the rows a pass has looked at.
QString state(FeatureTreeProxyModel& proxy)
{
    const QString tree = treeText(proxy);
    return state(tree, proxy.visibleMatchCount(), proxy.higherLevelMatchCount());
}

// The filter worked out from the roles alone: a row stays when it, an ancestor or a descendant passes; matches count
// once per name, in `found` (visible, higher level). Answers whether a row of the subtree passes.
bool filtered(const QAbstractItemModel& model, const QModelIndex& parent, const Filter& filter, bool ancestorPasses,
              QStringList& rows, QSet<QString> found[2])
{
    bool any = false;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        const QString name = index.data(FeatureTreeItem::GenicamNameRole).toString();
        const int level = index.data(FeatureTreeItem::GenicamVisibility).toInt();
        const bool shown = index.data(FeatureTreeItem::IsShownAtAll).toBool() || filter.level == GenApi::Invisible;
        const bool candidate = name != "Root" && shown;
        const bool matched = candidate && !index.data(FeatureTreeItem::GenicamCategory).toBool()
            && (filter.matches(name) || filter.matches(index.data().toString()));
        const bool counted = matched && !index.data(FeatureTreeItem::IsSpecialNode).toBool();
        if (counted && level <= filter.level)
            found[0] << name;
        else if (counted && level < GenApi::Invisible)
            found[1] << name;
        const bool help = index.data(FeatureTreeItem::FullNodeNameRole).toString() == "Search";
        const bool passes = candidate && level <= filter.level && (matched || help);
        QStringList children;
        const bool below = filtered(model, index, filter, ancestorPasses || passes, children, found);
        if (passes || ancestorPasses || below)
            rows << name + (children.isEmpty() ? QString() : '[' + children.join(' ') + ']');
        any = any || passes || below;
    }
    return any;
}

QString expected(const QAbstractItemModel& model, const Filter& filter)
{
    QStringList rows;
    QSet<QString> found[2];
    filtered(model, QModelIndex(), filter, false, rows, found);
    return state(rows.join(' '), found[0].size(), found[1].size());
}

} // namespace

class TestFeatureTreeProxyModel : public QObject
{
    Q_OBJECT
private slots:
    void agreesWithAFreshProxyAndTheRoles_data()
    {
        QTest::addColumn<int>("syntax");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("level");
        for (const char* text : { "", "gain", "width1", "sub", "3", "db" }) {
            for (int level = 0; level <= 3; ++level)
                QTest::addRow("%s at %d", *text ? text : "nothing", level) << int(FixedString) << text << level;
        }
        // Qt 6 keeps every kind of filter as a QRegularExpression, a fixed string
        // escaped: the dot of a fixed string is no operator, an escaped letter is one.
        QTest::newRow("fixed string with a dot") << int(FixedString) << "gain0.0" << 3;
        QTest::newRow("fixed string across name and unit") << int(FixedString) << "3 [db" << 3;
        QTest::newRow("wildcard") << int(Wildcard) << "gain*2" << 2;
        QTest::newRow("regexp") << int(RegExp) << "^offset[0-2]" << 1;
        QTest::newRow("regular expression") << int(RegularExpression) << "temp.*1$" << 3;
        QTest::newRow("escaped letter") << int(RegularExpression) << "gain\\d0" << 2;
    }

    void agreesWithAFreshProxyAndTheRoles()
    {
        const Filter filter { fetch<int>("level"), fetch<int>("syntax"), fetch<QString>("text") };
        const Filter otherText { filter.level, FixedString, "1" };
        const Filter otherLevel { filter.level ^ 1, filter.syntax, filter.text };
        Filter current = filter;
        // The model checker would load every category before the first pass does.
        TreeFixture f(false);
        QVERIFY(f.model.GetFavorites().append({ "Gain000", "Gain000", "@CameraDevice" }));
        f.proxy.rebuildFavoriteItems();
        const auto camera = f.add(generatedTree());
        // Each step as the widget takes it: a new filter is applied, an edit only invalidates.
        const auto refilter = [&](const Filter& next, bool invalidate) {
            (current = next).applyTo(f.proxy);
            if (invalidate)
                f.proxy.invalidate();
        };
        const auto favourites = [&](bool changed) { // the widget rebuilds the favourites' rows on a change
            QVERIFY(changed);
            f.proxy.rebuildFavoriteItems();
            f.proxy.invalidate();
        };
        const std::pair<const char*, std::function<void()>> steps[] = {
            { "filtered", [&] { refilter(filter, true); } },
            { "other text", [&] { refilter(otherText, false); } },
            { "text back", [&] { refilter(filter, false); } },
            { "other level", [&] { refilter(otherLevel, true); } },
            { "level back", [&] { refilter(filter, true); } },
            { "collection added",
              [&] {
                  // Every row stands until the caller filters again.
                  const auto link = NodeMapText::collection("Link[Gain9 Width9#Expert]", "@DeviceTransportLayer");
                  f.proxy.addParameterCollection(link, "Transport", "@DeviceTransportLayer", true);
                  QVERIFY(treeText(f.proxy).endsWith("Root[Link[Gain9 Width9]]"));
                  f.proxy.invalidate();
                  if (filter.level == GenApi::Guru) // it walks the whole tree on every change: some rows suffice
                      f.attachTesters();
              } },
            { "favourite added", [&] { favourites(f.proxy.AddFavorite(camera->getParameter("Width100"), 99)); } },
            { "favourite removed",
              [&] { favourites(f.model.RemoveFavorite(f.model.index(0, 0, f.model.GetFavoritesRootIndex()))); } },
            { "rows changed",
              [&] {
                  camera->getParameter("Gain000")->getProperties()->setProperty("Visibility", "Expert");
                  camera->getParameter("Width001")->getProperties()->setProperty("AccessMode", "NI");
                  f.proxy.invalidate();
              } },
        };
        // A source filtered before: what it matched must not count.
        QStandardItemModel previous;
        for (const char* name : { "Gain2 Width1 Sub3 dB", "Offset1", "Temperature1" })
            previous.appendRow(plainRow(name));
        for (const auto& [step, run] : steps) {
            run();
            QCOMPARE(int(f.model.getVisibility()), current.level);
            const QString live = state(f.proxy); // first: categories load during its pass
            FeatureTreeProxyModel fresh;
            fresh.setSourceModel(&previous);
            current.applyTo(fresh);
            treeText(fresh);
            fresh.setSourceModel(&f.model);
            const QString agreed = state(fresh);
            QCOMPARE(step + (": " + live), step + (": " + agreed));
            QCOMPARE(expected(f.model, current), agreed);
            QCoreApplication::processEvents(); // as between two actions of the user
        }
    }

    void firstSearchLoadsTheCategories_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fault"); // loading the one category that is not loaded yet fails
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("warnings");
        // Only the top level is mapped and the hidden search help row is the first one: re-filtering tests the shown
        // rows before it, and must not lose the matches the pass found.
        QTest::newRow("pass visits the first row last")
            << "Black" << false << state("Root[AnalogControl[GainControl[BlackLevel]]]", 1, 0) << QStringList();
        // The same pass still finds the matches everywhere else; the favourites hint shows, but is no match.
        QTest::newRow("a category fails to load")
            << "a" << true
            << state("FavoritesTopLevel[Dummy] Root[ImageFormatControl[TestPattern] AnalogControl[Gamma]]", 2, 0)
            << QStringList({ "Failed to load the features of a category.",
                             "FeatureTreeModel::addChildren: Unspecified exception occurred." });
    }

    void firstSearchLoadsTheCategories()
    {
        const QString text = fetch<QString>("text");
        TreeFixture f(false); // the model checker would load every category before the search does
        f.proxy.rebuildFavoriteItems();
        const auto collection = f.add(camera);
        QCOMPARE(f.proxy.rowCount(), 2);
        if (fetch<bool>("fault"))
            collection->injectFault(QString(), MemoryParameterCollection::Operation::GetChildren,
                                    MemoryParameterCollection::FaultKind::OtherException, 1);
        LogCapture log;
        f.proxy.setFilterFixedString(text);
        // The counts cover the rows a pass has looked at; the one match of "Black" is in the first pass.
        const int counted = f.proxy.visibleMatchCount();
        f.attachTesters();
        QTEST(state(f.proxy), "shown");
        QVERIFY(text != "Black" || counted == f.proxy.visibleMatchCount());
        QTEST(log.texts(QtWarningMsg), "warnings");
    }

    void forgetsResultsWhenTheSourceChanges()
    {
        // With dynamic filtering the base class re-filters changed and inserted rows itself: a stored answer is stale.
        QStandardItemModel model;
        QStandardItem* b = plainRow("B", true);
        model.appendRow(plainRow("A", true));
        model.item(0)->appendRow(b);
        b->appendRow(plainRow("Gain"));
        b->child(0)->appendRow(plainRow("Detail")); // shown below a match
        FeatureTreeProxyModel proxy;
        proxy.setSourceModel(&model);
        QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
        proxy.setFilterFixedString("Gain");
        QCOMPARE(treeText(proxy, {}, Qt::DisplayRole), QString("A[B[Gain[Detail]]]"));
        b->child(0)->setText("Offset");
        QCOMPARE(treeText(proxy, {}, Qt::DisplayRole), QString("A[B]"));
        // Inserted in front: the new row takes the position the memo knew as "Offset".
        b->insertRow(0, plainRow("Gain2"));
        QCOMPARE(treeText(proxy, {}, Qt::DisplayRole), QString("A[B[Gain2]]"));
        b->appendRow(plainRow("Gain3"));
        QCOMPARE(treeText(proxy, {}, Qt::DisplayRole), QString("A[B[Gain2 Gain3]]"));
        b->removeRow(0);
        b->child(0)->setText("Gain");
        QCOMPARE(treeText(proxy, {}, Qt::DisplayRole), QString("A[B[Gain[Detail] Gain3]]"));
    }

    void forwardsToTheModelMappingIndexes()
    {
        TreeFixture f;
        f.proxy.rebuildFavoriteItems();
        const auto collection = f.add(camera);
        for (const char* name : { "Height", "TestPattern", "Gamma" })
            QVERIFY(f.proxy.AddFavorite(collection->getParameter(name), 99));
        f.proxy.rebuildFavoriteItems();
        // Width is filtered out: proxy rows and source rows differ below the category.
        f.proxy.setFilterFixedString("e");
        // Each row, depth first, as the proxy answers for it: its position among the favourites,
        // + when it can become one, ^ and v when it can move up and down, * when it is one.
        QStringList answers;
        for (const QModelIndex& row : allRows(f.proxy)) {
            const QModelIndex index = row.siblingAtColumn(1);
            FeatureTreeItem* item = f.proxy.getFeatureTreeItem(index);
            answers << item->data(0, FeatureTreeItem::GenicamNameRole).toString()
                    + QString::number(f.proxy.getFavoritesIndexFromModelIndex(index))
                    + (f.proxy.CanAddAsFavorite(index) ? "+" : "") + (f.proxy.CanMoveFavorite(index, true) ? "^" : "")
                    + (f.proxy.CanMoveFavorite(index, false) ? "v" : "")
                    + (f.proxy.IsFavoriteTreeItem(item) ? "*" : "");
            // It is found at its own proxy index; the source's indexes are not the proxy's.
            QCOMPARE(f.proxy.indexForItem(item, 1), index);
            QCOMPARE(f.proxy.findItem(item, nullptr, 1), index);
            QCOMPARE(f.proxy.findItemByFullName(item->getFullName(), nullptr, 1), index);
            QCOMPARE(f.proxy.findItemByRole(FeatureTreeItem::FullNodeNameRole, item->getFullName(), nullptr, 1), index);
            const QString id = item->data(0, FeatureTreeItem::UniqueID).toString(); // as QSettings gives it back
            QCOMPARE(f.proxy.findItemByRole(FeatureTreeItem::UniqueID, id, nullptr, 1), index);
            const QModelIndex source = f.proxy.mapToSource(index);
            QVERIFY(!f.proxy.getFeatureTreeItem(source) && f.proxy.getFavoritesIndexFromModelIndex(source) < 0);
            QVERIFY(!f.proxy.CanAddAsFavorite(source) && !f.proxy.CanMoveFavorite(source, true));
        }
        QCOMPARE(answers.join(' '),
                 QString("FavoritesTopLevel-1 Height0v* TestPattern1^v* Root-1 ImageFormatControl-1 Height-1+ "
                         "SensorWidth-1+ TestPattern-1+ AnalogControl-1 GainControl-1 BlackLevel-1+"));
        QVERIFY(!f.proxy.findItemByFullName("@CameraDevice/Width", nullptr, 0).isValid());
        // Favourites moved and removed through proxy rows.
        const auto favourite = [&f](int row) { return f.proxy.index(row, 0, f.proxy.GetFavoritesRootIndex()); };
        QVERIFY(f.proxy.IsFavoriteTreeRoot(f.proxy.getFeatureTreeItem(favourite(0).parent())));
        for (const auto& [row, up] : { std::pair { 0, false }, { 1, true } }) {
            QVERIFY(f.proxy.MoveFavorite(favourite(row), up));
            f.proxy.rebuildFavoriteItems();
        }
        QVERIFY(f.proxy.RemoveFavorite(favourite(1)));
        QVERIFY(!f.proxy.MoveFavorite(f.index("Gamma"), true) && !f.proxy.RemoveFavorite(f.index("Gamma")));
        f.proxy.rebuildFavoriteItems();
        QCOMPARE(treeText(f.model, f.model.GetFavoritesRootIndex()), QString("Height Gamma"));

        // Switches the widget passes on and reads nowhere else reach the model.
        for (bool on : { true, false }) {
            f.proxy.EnableViewAllFavorites(on);
            f.proxy.setGenICamCallbacksEnable(on);
            QCOMPARE(QVector<bool>({ f.model.GetViewAllFavorites(), f.model.getGenICamCallbackEnable() }),
                     QVector<bool>(2, on));
        }
        for (bool alive : { false, true }) { // while the device is gone nothing is written
            f.proxy.SetDeviceAlive(alive);
            QCOMPARE(f.proxy.setData(f.proxyIndex("Height", 1), "2", Qt::EditRole), alive);
        }
        // Clearing resets the model: no row, and nothing that pointed at one, is left.
        QPersistentModelIndex height = f.index("Height");
        QSignalSpy reset(&f.model, &QAbstractItemModel::modelReset);
        f.proxy.clear();
        QVERIFY(reset.count() == 1 && f.model.rowCount() == 0 && !height.isValid() && !f.model.getSearchHelpItem());
        QVERIFY(!f.model.GetFavoritesRootIndex().isValid());
        // No collection is left to poll or refresh; the structural rows come back.
        f.model.refresh();
        f.model.onTimerPoll();
        f.proxy.rebuildFavoriteItems();
        QCOMPARE(treeText(f.model, {}, FeatureTreeItem::FullNodeNameRole),
                 QString("Search FavoritesTopLevel[Fav*CameraDevice*Height Fav*CameraDevice*Gamma]"));
    }

    void fallsBackWithoutModel()
    {
        // Operations without a result do nothing; the favourites are one empty list for every proxy without a model.
        FeatureTreeProxyModel proxy;
        const auto collection = NodeMapText::collection(camera);
        proxy.addParameterCollection(collection, "Camera", "@CameraDevice", false);
        proxy.rebuildFavoriteItems();
        QVERIFY(!proxy.AddFavorite(collection->getParameter("Width"), 0) && !proxy.GetFavoritesRootIndex().isValid());
        FeatureTreeModel model;
        QCOMPARE(&proxy.GetFavorites(), &FeatureTreeProxyModel().GetFavorites());
        QVERIFY(&proxy.GetFavorites() != &model.GetFavorites() && proxy.GetFavorites().count() == 0);
    }
};

QTEST_MAIN(TestFeatureTreeProxyModel)
#include "tst_featuretreeproxymodel.moc"
