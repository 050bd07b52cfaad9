#include "featuretree/favoritesbranch_p.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreefavoritesitem.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/rownames_p.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"

#include <QCoreApplication>

FavoritesBranch::FavoritesBranch(FeatureTreeModel& model)
    : model(model)
{ }

FavoritesData& FavoritesBranch::list() const
{
    return model.GetFavorites();
}

void FavoritesBranch::createRoot(FeatureTreeItem* treeRoot)
{
    if (rootItem)
        return;
    auto* item = new FeatureTreeFavoritesItem(QString(), &model, treeRoot);
    setRootTexts(item);
    item->setVisibility(GenApi::Beginner);
    item->SetIsFullRowItem(true);
    item->SetIsSpecialNode(true);
    // A row at the top is announced as an insertion, so that persistent
    // indexes, selections and current items below it move along.
    model.beginInsertRows(QModelIndex(), 0, 0);
    treeRoot->insertChild(item, 0);
    rootItem = item;
    model.endInsertRows();
    announce(item);
}

void FavoritesBranch::setRootTexts(FeatureTreeItem* root)
{
    root->setDisplayedName(tr("Favorites"));
    root->SetDescription(
        tr("<h3>Favorites</h3><b>This node contains a list of features selected by the user</b><br><br>To add a "
           "feature, right-click the feature and choose 'Add to Favorites' from the context menu. You can also use "
           "drag and drop to add features to your favorites.<br>Favorites can be moved up and down within the list "
           "as well as removed from the list by right-clicking an item and choosing the appropriate option from the "
           "context menu."));
}

void FavoritesBranch::setHintTexts(FeatureTreeItem* hint)
{
    hint->setDisplayedName(tr("Add favorites by right-clicking a feature below."));
    hint->SetToolTip(tr("To add a feature, right-click the feature and choose 'Add to Favorites' from the context "
                        "menu. You can also use drag and drop to add features to your favorites."));
}

void FavoritesBranch::announce(FeatureTreeItem* item)
{
    const QModelIndex index = model.indexForItem(item, 0);
    emit model.dataChanged(index, index);
}

void FavoritesBranch::retranslate()
{
    if (!rootItem)
        return;
    setRootTexts(rootItem);
    updateToolTip();
    announce(rootItem);
    FeatureTreeItem* first = rootItem->child(0);
    if (first && first->getFullName() == RowNames::favoritesHint) {
        setHintTexts(first);
        announce(first);
    }
}

void FavoritesBranch::rebuild()
{
    const QModelIndex rootIndex = model.indexForItem(rootItem, 0);
    const int oldCount = rootItem->childCount();
    if (oldCount > 0) {
        model.beginRemoveRows(rootIndex, 0, oldCount - 1);
        rootItem->clearChildren();
        model.endRemoveRows();
    }

    QList<FeatureTreeItem*> rows;
    for (int i = 0; i < list().count(); ++i) {
        const FavoriteEntry* entry = list().entry(i);
        if (entry->name.isEmpty())
            continue;
        auto* placeholder
            = new FeatureTreeItem(entry->displayName, &model, FeatureTreeModel::favoriteFullName(*entry), rootItem);
        placeholder->setVisibility(list().getViewAll() ? GenApi::Beginner : GenApi::Invisible);
        placeholder->SetIsFullRowItem(false);
        placeholder->SetIsSpecialNode(false);
        rows << placeholder;
    }
    const bool hint = rows.isEmpty();
    if (hint) {
        auto* item = new FeatureTreeItem(QString(), &model, RowNames::favoritesHint, rootItem);
        setHintTexts(item);
        item->setVisibility(GenApi::Beginner);
        item->SetIsFullRowItem(true);
        item->SetIsSpecialNode(true);
        rows << item;
    }
    model.beginInsertRows(rootIndex, 0, rows.size() - 1);
    for (FeatureTreeItem* row : qAsConst(rows))
        rootItem->appendChild(row);
    model.endInsertRows();
    if (hint)
        announce(rows.first());
    // Also without any collection the tool tip counts the favourites.
    updateToolTip();
}

void FavoritesBranch::replacePlaceholders(const QSharedPointer<ParameterCollection::IParameterCollection>& collection,
                                          const QString& roleName)
{
    if (!collection)
        return;
    if (rootItem) {
        const QModelIndex rootIndex = model.indexForItem(rootItem, 0);
        for (int i = 0; i < list().count() && i < rootItem->childCount(); ++i) {
            const FavoriteEntry* entry = list().entry(i);
            if (entry->collectionPrefix != roleName)
                continue;
            QSharedPointer<ParameterCollection::IParameter> parameter
                = collection->getParameter(roleName + QLatin1Char('/') + entry->name);
            if (!parameter || parameter->isNull())
                continue;
            FeatureTreeItem* current = rootItem->child(i);
            if (auto* node = qobject_cast<FeatureTreeINodeItem*>(current)) {
                node->SetIsFullRowItem(false);
                node->SetIsSpecialNode(false);
                continue;
            }
            const QString fullName = current->getFullName();
            model.beginRemoveRows(rootIndex, i, i);
            delete rootItem->removeChild(i);
            model.endRemoveRows();
            FeatureTreeINodeItem* node = model.createNodeItem(collection, parameter, fullName, rootItem);
            model.beginInsertRows(rootIndex, i, i);
            rootItem->insertChild(node, i);
            model.endInsertRows();
        }
    }
    updateToolTip();
}

void FavoritesBranch::updateToolTip()
{
    if (!rootItem)
        return;
    int unavailable = 0;
    for (int i = 0; i < rootItem->childCount(); ++i) {
        FeatureTreeItem* child = rootItem->child(i);
        if (!qobject_cast<FeatureTreeINodeItem*>(child) && child->getFullName() != RowNames::favoritesHint)
            ++unavailable;
    }
    const int total = list().count();
    if (total < 1)
        return;
    // Whole sentences, so that every language can order and inflect its words.
    QString text;
    if (unavailable == 0)
        text = total == 1 ? tr("1 Favorite") : tr("%1 Favorites").arg(total);
    else if (unavailable == 1)
        text = total == 1 ? tr("1 Favorite (it is unavailable for the current camera)")
                          : tr("%1 Favorites (1 is unavailable for the current camera)").arg(total);
    else
        text = tr("%1 Favorites (%2 are unavailable for the current camera)").arg(total).arg(unavailable);
    rootItem->SetToolTip(text);
}

bool FavoritesBranch::isRoot(const FeatureTreeItem* item) const
{
    return item && rootItem && qobject_cast<const FeatureTreeFavoritesItem*>(item) == rootItem;
}

bool FavoritesBranch::contains(const FeatureTreeItem* item) const
{
    return item && isRoot(item->parent());
}

int FavoritesBranch::position(const FeatureTreeItem* item) const
{
    if (!item)
        return -1;
    // "Fav*<collection>*<name>" for a favourites row, "<role>*<name>" otherwise.
    const QStringList parts = item->getFullName().split(RowNames::separator);
    if (parts.size() < 2)
        return -1;
    const bool favorite = parts.size() >= 3 && parts.first() == RowNames::favoritePrefix;
    FavoriteEntry entry;
    entry.collectionPrefix = QLatin1Char('@') + parts.at(favorite ? 1 : 0);
    entry.name = parts.at(favorite ? 2 : 1);
    return list().indexOf(entry);
}

bool FavoritesBranch::add(const QSharedPointer<ParameterCollection::IParameter>& parameter, int at)
{
    if (!parameter || parameter->isNull() || at < 0)
        return false;
    FavoriteEntry entry;
    entry.name = parameter->getName();
    const QSharedPointer<ParameterCollection::IParameterProperties> properties = parameter->getProperties();
    entry.displayName = properties ? properties->getProperty(QStringLiteral("DisplayName")) : entry.name;
    entry.collectionPrefix = parameter->getFullName().section(QLatin1Char('/'), 0, 0);
    if (at < list().count())
        return list().insert(at, entry);
    return list().append(entry);
}

void FavoritesBranch::drop(const QList<FeatureTreeItem*>& items, int row)
{
    // The items go in from the last to the first at one position, which keeps
    // them in payload order only if that position is inside the list: a
    // position past the end would append them, reversed.
    row = qBound(0, row, list().count());
    list().setUpdatesSuspended(true);
    for (int i = items.size() - 1; i >= 0; --i) {
        FeatureTreeItem* item = items.at(i);
        if (contains(item)) {
            list().move(position(item), row);
        } else if (auto* node = qobject_cast<FeatureTreeINodeItem*>(item)) {
            model.AddFavorite(node->node(), row);
        }
    }
    list().setUpdatesSuspended(false);
}
