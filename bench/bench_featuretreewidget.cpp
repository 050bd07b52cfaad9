// Times a shown FeatureTreeWidget beside a plain QTreeView over Qt's own
// recursive QSortFilterProxyModel on the same generated tree, for trees of
// 1k, 5k, 20k and 50k features (or the sizes given after the number of runs):
// adding the collection, loading every category (expanding everything), from
// a tree with its top categories open the search for a word (filter, count
// and repaint), clearing the search, a
// level change, expanding everything again, one poll pass in which every
// feature reports a snapshot, and the heap each row costs. The model section
// times the two proxies alone, without a view, and then the base class
// QSortFilterProxyModel with a filter that reads nothing: what the base
// class's own mapping costs, keeping every row and dropping every row below
// the top level (both proxies above inherit that work), and keeping every row
// with only the mappings our proxy keeps.
//
//   bench_featuretreewidget [runs = 7] [features ...]
//
// With BENCH_MODELS_ONLY set in the environment only the model section runs.
//
// Prints medians in milliseconds, the ratio of ours to Qt's, and how the cost
// per row grows from the smallest tree to the largest.

#include "benchsupport.h"
#include "camerapool/staticbaseinfo.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeproxymodel.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "generatednodemap.h"
#include "parametercollection/memoryparametercollection.h"

#include <QApplication>
#include <QLineEdit>
#include <QMap>
#include <QSortFilterProxyModel>
#include <QTest>
#include <QTextStream>
#include <QTreeView>
#include <QVector>

#include <algorithm>
#include <functional>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

const QSize windowSize(800, 900);
// A search as one change of the text (one keystroke, or a paste): the
// generated word, which about one feature in a hundred has.
const QString searchText = QString::fromLatin1(GeneratedNodeMap::searchWord);
// A letter most names have: nearly the whole tree stays shown (model section).
const QString commonLetter = QStringLiteral("e");

using Collection = QSharedPointer<ParameterCollection::MemoryParameterCollection>;

Collection makeCollection(const GeneratedNodeMap& map)
{
    return ParameterCollection::MemoryParameterCollection::fromXml(map.xml, QStringLiteral("generated.xml"));
}

qint64 heapBytes()
{
    return qint64(mallinfo2().uordblks);
}

// Delivers what is pending (queued calls, layouts, deferred deletions), then
// paints the window as the next frame would.
void settle(QWidget* window)
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    window->repaint();
}

// What a plain view's owner would count: the shown rows that are not categories.
int countMatches(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex())
{
    int total = 0;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        const bool category = index.data(FeatureTreeItem::GenicamCategory).toBool();
        total += category ? countMatches(model, index) : 1;
    }
    return total;
}

// Every loaded feature row of the model reports a fresh snapshot with the data
// it has: a device that reports every snapshot it read in a poll.
void pollEveryFeature(FeatureTreeModel& model, const QModelIndex& parent = QModelIndex())
{
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        auto* node = qobject_cast<FeatureTreeINodeItem*>(model.getFeatureTreeItem(index));
        if (node && node->node() && node->getParameterData())
            emit node->node()->parameterDataChangedDecoupled(
                QSharedPointer<const ParameterCollection::ParameterData>::create(*node->getParameterData()));
        pollEveryFeature(model, index);
    }
}

// Qt's own recursive filter on the names, as a plain application would set it up.
void configurePlainQt(QSortFilterProxyModel& proxy)
{
    proxy.setDynamicSortFilter(false);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterKeyColumn(0);
    proxy.setRecursiveFilteringEnabled(true);
}

// The base class alone: a filter that reads nothing and, once `filtering`,
// keeps every row or only the top level. With `mapLikeOurs` a row without
// children in the source is counted as our proxy counts it, without a mapping
// of the base class's: the same mappings our proxy keeps.
class BaseClassOnly : public QSortFilterProxyModel
{
public:
    bool keepAll = true;
    bool filtering = false;
    bool mapLikeOurs = false;

    int rowCount(const QModelIndex& parent) const override
    {
        if (mapLikeOurs && parent.isValid() && !sourceModel()->hasChildren(mapToSource(parent)))
            return 0;
        return QSortFilterProxyModel::rowCount(parent);
    }

protected:
    bool filterAcceptsRow(int, const QModelIndex& parent) const override
    {
        return keepAll || !filtering || !parent.isValid();
    }
};

enum Op {
    Add,
    Load,
    Keystroke,
    Clear,
    Level,
    ExpandAll,
    Poll,
    Memory,
    ModelKey,
    ModelSearch,
    BaseKeepAll,
    BaseDropAll,
    BaseMappedLikeOurs,
    OpCount
};
const char* const opNames[OpCount] = { "add collection",
                                       "load every category",
                                       "keystroke \"Zebra\"",
                                       "clear the search",
                                       "level Beginner",
                                       "expand all",
                                       "poll pass",
                                       "bytes per row",
                                       "model: filter \"e\"",
                                       "model: filter \"Zebra\"",
                                       "base alone: keep all",
                                       "base alone: drop all",
                                       "base, ours' mappings: keep" };

struct Sample
{
    QVector<double> ours[OpCount];
    QVector<double> qt[OpCount];
    int rows = 0;
    int editorsAfterSearch = 0;
    int editorsAfterLoad = 0;
    int shownRowsAfterSearch = 0;
};

int liveEditors(FeatureTreeView* view)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int count = 0;
    for (QObject* child : view->viewport()->children())
        count += child->isWidgetType() ? 1 : 0;
    return count;
}

void runWidget(const GeneratedNodeMap& map, Sample& s)
{
    const Collection collection = makeCollection(map);
    const qint64 before = heapBytes();
    auto widget = std::make_unique<FeatureTreeWidget>(
        QStringLiteral("Bench"),
        QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(QStringLiteral("NoFilterForThisKind")));
    widget->resize(windowSize);
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget.get()))
        qWarning("The window was not shown: the figures measure no painting.");
    FeatureTreeView* view = widget->treeView();
    auto* model = qobject_cast<FeatureTreeProxyModel*>(view->model())
        ? qobject_cast<FeatureTreeModel*>(qobject_cast<FeatureTreeProxyModel*>(view->model())->sourceModel())
        : nullptr;
    auto* field = widget->findChild<QLineEdit*>(QStringLiteral("filterEdit"));

    s.ours[Add] << timeMs([&] {
        widget->addParameterCollection(collection, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), false);
        settle(widget.get());
    });
    s.ours[Load] << timeMs([&] {
        view->expandAll();
        settle(widget.get());
    });
    s.rows = countAllRows(*model);
    s.ours[Memory] << double(heapBytes() - before) / s.rows;
    s.editorsAfterLoad = liveEditors(view);
    // A search starts from the tree as a user keeps it: the top categories open.
    view->collapseAll();
    view->expandToDepth(1);
    settle(widget.get());

    s.ours[Keystroke] << timeMs([&] {
        field->setText(searchText);
        settle(widget.get());
    });
    s.editorsAfterSearch = liveEditors(view);
    s.shownRowsAfterSearch = countAllRows(*view->model());
    s.ours[Clear] << timeMs([&] {
        field->clear();
        settle(widget.get());
    });
    s.ours[Level] << timeMs([&] {
        QMetaObject::invokeMethod(widget.get(), "onVisibilityChanged", Q_ARG(int, int(GenApi::Beginner)));
        settle(widget.get());
    });
    QMetaObject::invokeMethod(widget.get(), "onVisibilityChanged", Q_ARG(int, int(GenApi::Guru)));
    view->collapseAll();
    settle(widget.get());
    s.ours[ExpandAll] << timeMs([&] {
        view->expandAll();
        settle(widget.get());
    });
    s.ours[Poll] << timeMs([&] {
        pollEveryFeature(*model);
        settle(widget.get());
    });
}

void runPlainQt(const GeneratedNodeMap& map, Sample& s)
{
    const Collection collection = makeCollection(map);
    const qint64 before = heapBytes();
    FeatureTreeModel model;
    QSortFilterProxyModel proxy;
    configurePlainQt(proxy);
    proxy.setSourceModel(&model);
    model.rebuildFavoriteItems();
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setModel(&proxy);
    view.resize(windowSize);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        qWarning("The window was not shown: the figures measure no painting.");

    s.qt[Add] << timeMs([&] {
        model.addParameterCollection(collection, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), false);
        settle(&view);
    });
    s.qt[Load] << timeMs([&] {
        view.expandAll();
        settle(&view);
    });
    s.qt[Memory] << double(heapBytes() - before) / countAllRows(model);
    view.collapseAll();
    view.expandToDepth(1);
    settle(&view);

    s.qt[Keystroke] << timeMs([&] {
        proxy.setFilterFixedString(searchText);
        (void)countMatches(proxy);
        view.expandToDepth(2);
        settle(&view);
    });
    s.qt[Clear] << timeMs([&] {
        proxy.setFilterFixedString(QString());
        settle(&view);
    });
    s.qt[Level] << timeMs([&] {
        proxy.invalidate();
        settle(&view);
    });
    view.collapseAll();
    settle(&view);
    s.qt[ExpandAll] << timeMs([&] {
        view.expandAll();
        settle(&view);
    });
    s.qt[Poll] << timeMs([&] {
        pollEveryFeature(model);
        settle(&view);
    });
}

// The two proxies alone over the same loaded model: a filtering pass with
// every row the filter lets through asked for, as a fully expanded view does.
void runModels(const GeneratedNodeMap& map, Sample& s)
{
    const Collection collection = makeCollection(map);
    FeatureTreeModel model;
    FeatureTreeProxyModel ours;
    configureLikeTheView(ours);
    ours.setSourceModel(&model);
    ours.rebuildFavoriteItems();
    ours.addParameterCollection(collection, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), false);
    const int rows = countAllRows(model);
    if (s.rows == 0) // the model section alone
        s.rows = rows;
    ours.invalidate();
    countAllRows(ours);
    QSortFilterProxyModel qt;
    configurePlainQt(qt);
    qt.setSourceModel(&model);
    countAllRows(qt);

    for (const auto& step : { std::make_pair(ModelKey, commonLetter), std::make_pair(ModelSearch, searchText) }) {
        s.ours[step.first] << timeMs([&] {
            ours.setFilterFixedString(step.second);
            countAllRows(ours);
            (void)(ours.visibleMatchCount() + ours.higherLevelMatchCount());
        });
        s.qt[step.first] << timeMs([&] {
            qt.setFilterFixedString(step.second);
            countAllRows(qt);
        });
        ours.setFilterFixedString(QString());
        qt.setFilterFixedString(QString());
        countAllRows(ours);
        countAllRows(qt);
    }
    // Last, not to change what the steps above find in the caches.
    for (const Op op : { BaseKeepAll, BaseDropAll, BaseMappedLikeOurs }) {
        BaseClassOnly base;
        base.keepAll = op != BaseDropAll;
        base.mapLikeOurs = op == BaseMappedLikeOurs;
        configurePlainQt(base);
        base.setRecursiveFilteringEnabled(false);
        base.setSourceModel(&model);
        countAllRows(base);
        base.filtering = true;
        s.ours[op] << timeMs([&] {
            base.setFilterFixedString(commonLetter);
            countAllRows(base);
        });
    }
}

} // namespace

int main(int argc, char** argv)
{
    const BenchSettings settings;
    QApplication app(argc, argv);
    BenchSettings::nameApplication("bench_featuretreewidget");
    qRegisterMetaType<QSharedPointer<const ParameterCollection::ParameterData>>();

    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 7;
    QVector<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = { 1000, 5000, 20000, 50000 };

    std::vector<std::unique_ptr<const GeneratedNodeMap>> maps;
    QMap<int, Sample> samples;
    for (int size : qAsConst(sizes)) {
        auto map = std::make_unique<const GeneratedNodeMap>(qMax(1, size / GeneratedNodeMap::featuresPerTopCategory));
        if (!samples.contains(map->features)) {
            samples.insert(map->features, Sample());
            maps.push_back(std::move(map));
        }
    }
    // Every run measures every size in turn: a slower spell of the machine
    // (other work on a shared host) falls on small and large trees alike, and
    // the growth of the cost per row compares like with like.
    for (int run = 0; run < runs; ++run) {
        for (const auto& map : maps) {
            Sample& s = samples[map->features];
            // What the last tree freed goes back first, so that no measurement
            // pays for tidying up the heap after a larger one.
            malloc_trim(0);
            if (!qEnvironmentVariableIsSet("BENCH_MODELS_ONLY")) {
                runWidget(*map, s);
                runPlainQt(*map, s);
            }
            runModels(*map, s);
        }
    }

    QTextStream out(stdout);
    for (const auto& map : maps) {
        const Sample& s = samples[map->features];
        out << QStringLiteral("\n%1 features in %2 categories, %3 rows; %4 runs, medians in ms (bytes per row)\n")
                   .arg(map->features)
                   .arg(map->categories)
                   .arg(s.rows)
                   .arg(runs);
        out << QStringLiteral("live editors: %1 after loading everything, %2 after the search (%3 rows shown)\n")
                   .arg(s.editorsAfterLoad)
                   .arg(s.editorsAfterSearch)
                   .arg(s.shownRowsAfterSearch);
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(QStringLiteral("operation"), -26)
                   .arg(QStringLiteral("ours"), 10)
                   .arg(QStringLiteral("plain Qt"), 10)
                   .arg(QStringLiteral("ratio"), 7);
        for (int op = 0; op < OpCount; ++op) {
            const double ours = median(s.ours[op]);
            const double qt = median(s.qt[op]);
            // The base class rows have no plain Qt counterpart.
            out << QStringLiteral("%1 %2 %3 %4\n")
                       .arg(QLatin1String(opNames[op]), -26)
                       .arg(ours, 10, 'f', op == Memory ? 0 : 2)
                       .arg(qt > 0 ? QString::number(qt, 'f', op == Memory ? 0 : 2) : QStringLiteral("-"), 10)
                       .arg(qt > 0 ? QString::number(ours / qt, 'f', 2) : QStringLiteral("-"), 7);
        }
        out.flush();
    }

    if (samples.size() > 1) {
        const Sample& small = samples.first();
        const Sample& large = samples.last();
        out << QStringLiteral("\nCost per row at %1 features over the cost per row at %2\n")
                   .arg(samples.lastKey())
                   .arg(samples.firstKey());
        out << QStringLiteral("%1 %2 %3\n")
                   .arg(QStringLiteral("operation"), -26)
                   .arg(QStringLiteral("ours"), 10)
                   .arg(QStringLiteral("plain Qt"), 10);
        const auto growth = [&](const QVector<double>& a, const QVector<double>& b, int op) {
            const double perRowSmall = median(a) / (op == Memory ? 1 : small.rows);
            const double perRowLarge = median(b) / (op == Memory ? 1 : large.rows);
            return perRowSmall > 0 ? perRowLarge / perRowSmall : 0.0;
        };
        for (int op = 0; op < OpCount; ++op) {
            const double qt = growth(small.qt[op], large.qt[op], op);
            out << QStringLiteral("%1 %2 %3\n")
                       .arg(QLatin1String(opNames[op]), -26)
                       .arg(growth(small.ours[op], large.ours[op], op), 10, 'f', 2)
                       .arg(qt > 0 ? QString::number(qt, 'f', 2) : QStringLiteral("-"), 10);
        }
    }
    return 0;
}
