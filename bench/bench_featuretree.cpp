// Times the feature tree on a generated node map of 5,000 features in about
// 400 categories: adding the collection, loading every category, filtering
// by a search text, filtering by an empty text and changing the user level.
// Prints the median, fastest and slowest of a number of runs (default 15,
// or the first argument).

#include "benchsupport.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeproxymodel.h"
#include "generatednodemap.h"
#include "parametercollection/memoryparametercollection.h"
#include "utils/qtcompat_p.h"

#include <QApplication>
#include <QSet>
#include <QTextStream>
#include <QVector>

#include <algorithm>

namespace {

constexpr int topCategories = 20;

// The same filter rules run plainly, without remembering results between the
// questions of one filtering pass: how the proxy behaves unoptimised.
class PlainFilterProxy : public QSortFilterProxyModel
{
public:
    GenApi::EVisibility level = GenApi::Guru;
    mutable QSet<QString> visible, higher;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        if (row == 0 && !parent.isValid()) {
            visible.clear();
            higher.clear();
        }
        if (rowTest(sourceModel()->index(row, 0, parent)))
            return true;
        for (QModelIndex a = parent; a.isValid(); a = a.parent()) {
            if (rowTest(a))
                return true;
        }
        return descendant(sourceModel()->index(row, 0, parent));
    }

private:
    bool rowTest(const QModelIndex& i) const
    {
        const QString name = i.data(FeatureTreeItem::GenicamNameRole).toString();
        if (name == QLatin1String("Root") || (!i.data(FeatureTreeItem::IsShownAtAll).toBool() && level != 3))
            return false;
        const int v = i.data(FeatureTreeItem::GenicamVisibility).toInt();
        const QString p = QtCompat::filterPattern(*this);
        const bool matched = !i.data(FeatureTreeItem::GenicamCategory).toBool()
            && (i.data().toString().contains(p, Qt::CaseInsensitive) || name.contains(p, Qt::CaseInsensitive));
        if (matched && v <= level)
            visible << name;
        else if (matched && v < 3)
            higher << name;
        auto* extension = dynamic_cast<IFeatureTreeModelExtension*>(sourceModel());
        const FeatureTreeItem* item = extension ? extension->getFeatureTreeItem(i) : nullptr;
        if (item && item->getFullName() == QLatin1String("Search"))
            return v <= level;
        return matched && v <= level;
    }
    bool descendant(const QModelIndex& i) const
    {
        const int rows = sourceModel()->rowCount(i);
        for (int r = 0; r < rows; ++r) {
            if (rowTest(sourceModel()->index(r, 0, i)))
                return true;
        }
        for (int r = 0; r < rows; ++r) {
            if (descendant(sourceModel()->index(r, 0, i)))
                return true;
        }
        return false;
    }
};

struct Timings
{
    QString name;
    QVector<double> ms;
};

} // namespace

int main(int argc, char** argv)
{
    const BenchSettings settings;
    QApplication app(argc, argv);
    BenchSettings::nameApplication("bench_featuretree");

    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 15;
    const GeneratedNodeMap stats(topCategories);
    const auto collection
        = ParameterCollection::MemoryParameterCollection::fromXml(stats.xml, QStringLiteral("generated.xml"));
    const QString text = QString::fromLatin1(GeneratedNodeMap::searchWord);

    Timings add { QStringLiteral("add collection"), {} };
    Timings load { QStringLiteral("load every category"), {} };
    Timings search { QStringLiteral("filter \"%1\"").arg(text), {} };
    Timings empty { QStringLiteral("filter \"\""), {} };
    Timings level { QStringLiteral("visibility Beginner"), {} };
    Timings plainSearch { QStringLiteral("filter \"%1\", unmemoised").arg(text), {} };
    Timings plainEmpty { QStringLiteral("filter \"\", unmemoised"), {} };
    int rows = 0, visibleMatches = 0, higherMatches = 0, shownRows = 0, plainVisible = 0, plainHigher = 0;

    for (int run = 0; run < runs; ++run) {
        FeatureTreeModel model;
        FeatureTreeProxyModel proxy;
        configureLikeTheView(proxy);
        proxy.setSourceModel(&model);
        proxy.rebuildFavoriteItems();

        add.ms << timeMs([&] {
            proxy.addParameterCollection(collection, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), false);
        });
        load.ms << timeMs([&] { rows = countAllRows(model); });
        proxy.invalidate();
        countAllRows(proxy);

        // A filtering pass: the new text, every row the filter lets through
        // asked for (a fully expanded view), the two counts read.
        search.ms << timeMs([&] {
            proxy.setFilterFixedString(text);
            shownRows = countAllRows(proxy);
            visibleMatches = proxy.visibleMatchCount();
            higherMatches = proxy.higherLevelMatchCount();
        });
        empty.ms << timeMs([&] {
            proxy.setFilterFixedString(QString());
            countAllRows(proxy);
            (void)(proxy.visibleMatchCount() + proxy.higherLevelMatchCount());
        });
        level.ms << timeMs([&] {
            proxy.setVisibility(GenApi::Beginner);
            proxy.invalidate();
            countAllRows(proxy);
        });

        PlainFilterProxy plain;
        configureLikeTheView(plain);
        plain.setSourceModel(&model);
        countAllRows(plain);
        plainSearch.ms << timeMs([&] {
            plain.setFilterFixedString(text);
            countAllRows(plain);
            plainVisible = plain.visible.size();
            plainHigher = plain.higher.size();
        });
        plainEmpty.ms << timeMs([&] {
            plain.setFilterFixedString(QString());
            countAllRows(plain);
        });
    }

    QTextStream out(stdout);
    out << "Node map: " << stats.features << " features in " << stats.categories << " categories, " << stats.matching
        << " named with \"" << text << "\"; " << rows << " rows in the model\n";
    out << "Search \"" << text << "\": " << shownRows << " rows shown, " << visibleMatches << " visible matches, "
        << higherMatches << " at a higher level (unmemoised: " << plainVisible << ", " << plainHigher << ")\n";
    out << QStringLiteral("%1 runs, milliseconds").arg(runs) << "\n\n";
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("operation"), -34)
               .arg(QStringLiteral("median"), 9)
               .arg(QStringLiteral("min"), 9)
               .arg(QStringLiteral("max"), 9);
    for (const Timings* t : { &add, &load, &search, &empty, &level, &plainSearch, &plainEmpty }) {
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(t->name, -34)
                   .arg(median(t->ms), 9, 'f', 2)
                   .arg(*std::min_element(t->ms.begin(), t->ms.end()), 9, 'f', 2)
                   .arg(*std::max_element(t->ms.begin(), t->ms.end()), 9, 'f', 2);
    }
    return 0;
}
