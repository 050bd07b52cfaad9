#include "featuretree/featuretreemodel.h"

#include "common/exceptionlog.h"
#include "featuretree/featuretreefavoritesitem.h"
#include "featuretree/featuretreeinodeitem.h"
#include "genicam/genericexception.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "widgets/messagereporting.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

#include <exception>

const QString FeatureTreeModel::mimeFormat = QStringLiteral("application/x-fti");

FavoritesData FeatureTreeModel::m_favorites;

namespace {
const QString searchHelpText =
    QStringLiteral("<HTML><B>X search results found (Y of them visible at higher user level)</B>");
const QString placeholderName = QStringLiteral("Dummy");
} // namespace

FeatureTreeModel::FeatureTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
    , rootItem(new FeatureTreeItem(QString(), this, QString(), nullptr))
    , pollTimer(this)
{
    pollTimer.setSingleShot(true);
    connect(&pollTimer, &QTimer::timeout, this, &FeatureTreeModel::onTimerPoll);
}

FeatureTreeModel::~FeatureTreeModel()
{
    if (pollingEnabled)
        pollTimer.stop();
    delete rootItem;
    m_favorites.save(m_favorites.getGroup());
}

// --- QAbstractItemModel ---------------------------------------------------------

QModelIndex FeatureTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    FeatureTreeItem* parentItem = parent.isValid() ? getFeatureTreeItem(parent) : rootItem;
    FeatureTreeItem* child = parentItem ? parentItem->child(row) : nullptr;
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex FeatureTreeModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return QModelIndex();
    FeatureTreeItem* parentItem = getFeatureTreeItem(index)->parent();
    if (!parentItem || parentItem == rootItem)
        return QModelIndex();
    return createIndex(parentItem->row(), 0, parentItem);
}

int FeatureTreeModel::rowCount(const QModelIndex& parent) const
{
    // Counting a category's rows loads them on first use.
    if (parent.isValid() && parent.column() > 0)
        return 0;
    FeatureTreeItem* item = parent.isValid() ? getFeatureTreeItem(parent) : rootItem;
    if (!item)
        return 0;
    // The rows a first count loads are announced by the count itself: nobody
    // can know them before. Insertion signals from inside the count would
    // reach a filter proxy in the middle of building its own mapping for this
    // parent, which Qt does not expect (it loses that mapping).
    const bool outer = !answeringRowCount;
    answeringRowCount = true;
    const int count = item->childCount();
    if (outer)
        answeringRowCount = false;
    return count;
}

int FeatureTreeModel::columnCount(const QModelIndex&) const
{
    return 2;
}

bool FeatureTreeModel::hasChildren(const QModelIndex& parent) const
{
    FeatureTreeItem* item = getFeatureTreeItem(parent);
    if (!item || item == rootItem)
        return true;
    if (parent.column() > 0)
        return false;
    return item->hasChildren();
}

QVariant FeatureTreeModel::data(const QModelIndex& index, int role) const
{
    FeatureTreeItem* item = index.isValid() ? getFeatureTreeItem(index) : nullptr;
    if (!item)
        return QVariant();
    try {
        QVariant answer = item->data(index.column(), role);
        dataErrorShown = false;
        return answer;
    } catch (const GenICam::GenericException&) {
        dataErrorShown = true;
    } catch (const std::exception& e) {
        if (!dataErrorShown) {
            dataErrorShown = true;
            showException(QStringLiteral("FeatureTreeModel::data"), e, tr("Failed to get a feature value"), nullptr);
        }
    } catch (...) {
        if (!dataErrorShown) {
            dataErrorShown = true;
            showUnexpectedException(QStringLiteral("FeatureTreeModel::data"), tr("Failed to get a feature value"),
                                    nullptr);
        }
    }
    return QVariant();
}

bool FeatureTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != 1 || !value.isValid() || !deviceAlive)
        return false;
    FeatureTreeItem* item = getFeatureTreeItem(index);
    if (!item)
        return false;
    try {
        if (item->data(1, Qt::EditRole) != value)
            item->setData(1, value, Qt::EditRole);
        return true;
    } catch (const GenICam::GenericException&) {
        return false;
    } catch (const std::exception& e) {
        if (deviceAlive)
            showException(QStringLiteral("FeatureTreeModel::setData"), e, tr("Failed to set a feature value."),
                          nullptr);
    } catch (...) {
        if (deviceAlive)
            showUnexpectedException(QStringLiteral("FeatureTreeModel::setData"), tr("Failed to set a feature value."),
                                    nullptr);
    }
    return false;
}

QVariant FeatureTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    if (section == 0)
        return tr("Feature");
    if (section == 1)
        return tr("Value");
    return QVariant();
}

Qt::ItemFlags FeatureTreeModel::flags(const QModelIndex& index) const
{
    // The invalid index stands for the hidden root, which takes no drops: views
    // and Qt's model checks expect no flags there.
    if (!index.isValid())
        return Qt::NoItemFlags;
    FeatureTreeItem* item = getFeatureTreeItem(index);
    return item ? item->flags(index.column()) : Qt::ItemIsEnabled;
}

QMimeData* FeatureTreeModel::mimeData(const QModelIndexList& indexes) const
{
    QMimeData* mime = QAbstractItemModel::mimeData(indexes);
    if (!mime)
        mime = new QMimeData;
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    for (const QModelIndex& index : indexes) {
        if (index.isValid())
            stream << static_cast<qint64>(reinterpret_cast<quintptr>(index.internalPointer()));
    }
    mime->setData(mimeFormat, payload);
    return mime;
}

Qt::DropActions FeatureTreeModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

bool FeatureTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex&)
{
    if (action == Qt::IgnoreAction)
        return true;
    if (!data || !data->hasFormat(mimeFormat))
        return false;
    if (row == -1)
        row = rowCount(QModelIndex());

    // Only addresses of items that are in this model's tree right now are
    // used: a payload from elsewhere, or one naming rows deleted since the
    // drag began, is never dereferenced. The comparison is by address alone.
    QList<FeatureTreeItem*> items;
    QByteArray payload = data->data(mimeFormat);
    QDataStream stream(&payload, QIODevice::ReadOnly);
    while (!stream.atEnd()) {
        qint64 address = 0;
        stream >> address;
        if (stream.status() != QDataStream::Ok)
            break;
        if (address == 0)
            continue;
        auto* candidate = reinterpret_cast<FeatureTreeItem*>(static_cast<quintptr>(address));
        if (candidate != rootItem && rootItem->findShallow(candidate))
            items << candidate;
    }

    // The items go in from the last to the first at one position, which keeps
    // them in payload order only if that position is inside the list: a
    // position past the end would append them, reversed.
    row = qBound(0, row, m_favorites.count());
    m_favorites.setUpdatesSuspended(true);
    for (int i = items.size() - 1; i >= 0; --i) {
        FeatureTreeItem* item = items.at(i);
        if (IsFavoriteTreeItem(item)) {
            m_favorites.move(getFavoritesIndexFromFeatureTreeItem(item), row);
        } else if (auto* node = qobject_cast<FeatureTreeINodeItem*>(item)) {
            AddFavorite(node->node(), row);
        }
    }
    m_favorites.setUpdatesSuspended(false);
    return true;
}

// --- plain extension operations --------------------------------------------------

QModelIndex FeatureTreeModel::indexForItem(FeatureTreeItem* item, int column) const
{
    return item ? createIndex(item->row(), column, item) : QModelIndex();
}

QModelIndex FeatureTreeModel::findItem(const FeatureTreeItem* item, const FeatureTreeItem* start, int column) const
{
    const FeatureTreeItem* from = start ? start : rootItem;
    if (!item || !from->findShallow(item))
        return QModelIndex();
    return indexForItem(const_cast<FeatureTreeItem*>(item), column);
}

QModelIndex FeatureTreeModel::findItemByFullName(const QString& fullName, FeatureTreeItem* start, int column) const
{
    FeatureTreeItem* from = start ? start : rootItem;
    return indexForItem(from->findByFullNameShallow(fullName), column);
}

QModelIndex FeatureTreeModel::findItemByRole(int role, const QVariant& value, FeatureTreeItem* start,
                                             int column) const
{
    FeatureTreeItem* from = start ? start : rootItem;
    return indexForItem(from->findByRoleShallow(role, value), column);
}

FeatureTreeItem* FeatureTreeModel::getFeatureTreeItem(const QModelIndex& index) const
{
    return static_cast<FeatureTreeItem*>(index.internalPointer());
}

FeatureTreeItem* FeatureTreeModel::getSearchHelpItem() const
{
    return searchHelpItem;
}

void FeatureTreeModel::setVisibility(GenApi::EVisibility v)
{
    visibility = v;
}

GenApi::EVisibility FeatureTreeModel::getVisibility() const
{
    return visibility;
}

void FeatureTreeModel::setHighlighter(FeatureTreeHighlighter* h)
{
    highlighter = h;
}

void FeatureTreeModel::SetDeviceAlive(bool alive)
{
    deviceAlive = alive;
}

void FeatureTreeModel::setMonitorMode(bool on)
{
    monitorMode = on;
}

void FeatureTreeModel::setGenICamCallbacksEnable(bool enable)
{
    genICamCallbacksEnabled = enable;
}

bool FeatureTreeModel::getGenICamCallbackEnable() const
{
    return genICamCallbacksEnabled;
}

bool FeatureTreeModel::GetPolling() const
{
    return pollingEnabled;
}

void FeatureTreeModel::EnablePolling(bool enable)
{
    if (pollingEnabled == enable)
        return;
    pollingEnabled = enable;
    if (enable)
        pollTimer.start(pollIntervalMs);
}

QString FeatureTreeModel::GetParameterCollectionName(QSharedPointer<ParameterCollection::IParameterCollection>) const
{
    return QString();
}

// --- collections, loading, polling ---------------------------------------------

FeatureTreeINodeItem* FeatureTreeModel::createNodeItem(
    QSharedPointer<ParameterCollection::IParameterCollection> collection,
    QSharedPointer<ParameterCollection::IParameter> parameter, const QString& fullName, FeatureTreeItem* parent)
{
    auto* item = new FeatureTreeINodeItem(std::move(collection), std::move(parameter), this, fullName, parent, isUtf8);
    item->setHighlighter(highlighter);
    item->SetIsFullRowItem(false);
    item->SetIsSpecialNode(false);
    connect(item, &FeatureTreeINodeItem::nodeUpdated, this, &FeatureTreeModel::onNodeUpdated);
    return item;
}

void FeatureTreeModel::addParameterCollection(
    QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection, const QString& rootName,
    const QString& roleName, bool utf8)
{
    isUtf8 = utf8;
    QSharedPointer<ParameterCollection::IParameter> root;
    try {
        if (pParameterCollection)
            root = pParameterCollection->getParameter(roleName + QLatin1String("/Root"));
    } catch (const std::exception& e) {
        showException(QStringLiteral("FeatureTreeModel::addParameterCollection"), e,
                      tr("Failed to get the node 'Root' from the node map"), nullptr);
        return;
    } catch (...) {
        showUnexpectedException(QStringLiteral("FeatureTreeModel::addParameterCollection"),
                                tr("Failed to get the node 'Root' from the node map"), nullptr);
        return;
    }

    auto* row = new FeatureTreeINodeItem(pParameterCollection, root, rootName, this,
                                         roleName + QLatin1String("*Root"), rootItem, false);
    row->setHighlighter(highlighter);
    row->SetIsFullRowItem(true);
    row->SetIsSpecialNode(false);
    connect(row, &FeatureTreeINodeItem::nodeUpdated, this, &FeatureTreeModel::onNodeUpdated);

    emit layoutAboutToBeChanged();
    rootItem->appendChild(row);
    emit layoutChanged();

    replaceFavoritesZombies(pParameterCollection, roleName);
    row->childCount();
    collections.append(CollectionEntry{roleName, pParameterCollection});
    refreshSpecialItems();
}

void FeatureTreeModel::addChildren(FeatureTreeINodeItem* parentItem)
{
    if (!parentItem || !parentItem->node())
        return;
    const QSharedPointer<ParameterCollection::IParameterCollection> collection = parentItem->getCollection();
    if (!collection)
        return;
    const QStringList names = collection->getChildren(parentItem->node()->getFullName(), 0, true);
    QList<FeatureTreeItem*> rows;
    for (const QString& name : names) {
        QSharedPointer<ParameterCollection::IParameter> child = collection->getParameter(name);
        if (!child || child->isNull())
            continue;
        // Invisible categories, and those of undefined visibility, get no row.
        if (child->getType() == ParameterCollection::TypeCategory && int(child->getVisibility()) >= GenApi::Invisible)
            continue;
        rows << createNodeItem(collection, child, name, parentItem);
    }
    if (rows.isEmpty())
        return;
    if (answeringRowCount) {
        for (FeatureTreeItem* row : qAsConst(rows))
            parentItem->appendChild(row);
        return;
    }
    beginInsertRows(indexForItem(parentItem, 0), 0, rows.size() - 1);
    for (FeatureTreeItem* row : qAsConst(rows))
        parentItem->appendChild(row);
    endInsertRows();
}

void FeatureTreeModel::refresh()
{
    if (collections.isEmpty() || !collections.first().collection)
        return;
    collections.first().collection->refresh();
}

void FeatureTreeModel::refreshSpecialItems()
{
    const auto visit = [this](FeatureTreeItem* item) {
        const QModelIndex index = indexForItem(item, 0);
        if (item->data(0, FeatureTreeItem::IsFullRowItem).toBool())
            emit dataChanged(index, index);
    };
    for (int i = 0; i < rootItem->childCount(); ++i) {
        FeatureTreeItem* top = rootItem->child(i);
        visit(top);
        for (int j = 0; j < top->childCount(); ++j) {
            FeatureTreeItem* second = top->child(j);
            visit(second);
            for (int k = 0; k < second->childCount(); ++k)
                visit(second->child(k));
        }
    }
}

void FeatureTreeModel::clear()
{
    // Views and proxies must hear that every row is gone, and nothing may
    // point at the deleted rows afterwards.
    beginResetModel();
    rootItem->clearChildren();
    favoritesRootItem = nullptr;
    searchHelpItem = nullptr;
    collections.clear();
    endResetModel();
}

void FeatureTreeModel::onNodeUpdated(int row, FeatureTreeINodeItem* nodeItem)
{
    if (!deviceAlive || !nodeItem)
        return;
    const QModelIndex name = createIndex(row, 0, nodeItem);
    const QModelIndex value = createIndex(row, 1, nodeItem);
    emit dataChanged(name, name);
    emit dataChanged(value, value);
}

void FeatureTreeModel::onTimerPoll()
{
    if (!deviceAlive)
        return;
    if (!monitorMode) {
        if (!collections.isEmpty() && collections.first().collection) {
            try {
                collections.first().collection->poll(pollIntervalMs);
            } catch (...) {
                qWarning("Failed to run feature polling.");
                ExceptionLog::logCurrentException("FeatureTreeModel::onTimerPoll");
            }
        }
    } else {
        try {
            refresh();
        } catch (...) {
            qWarning("Failed to run feature polling.");
            ExceptionLog::logCurrentException("FeatureTreeModel::onTimerPoll");
        }
    }
    if (pollingEnabled)
        pollTimer.start(pollIntervalMs);
}

// --- favourites ---------------------------------------------------------------------

FavoritesData& FeatureTreeModel::GetFavorites()
{
    return m_favorites;
}

bool FeatureTreeModel::IsFavoriteTreeRoot(const FeatureTreeItem* item) const
{
    return item && favoritesRootItem && qobject_cast<const FeatureTreeFavoritesItem*>(item) == favoritesRootItem;
}

bool FeatureTreeModel::IsFavoriteTreeItem(const FeatureTreeItem* item) const
{
    return item && IsFavoriteTreeRoot(item->parent());
}

QModelIndex FeatureTreeModel::GetFavoritesRootIndex()
{
    return indexForItem(favoritesRootItem, 0);
}

void FeatureTreeModel::EnableViewAllFavorites(bool enable)
{
    m_favorites.setViewAll(enable);
}

bool FeatureTreeModel::GetViewAllFavorites() const
{
    return m_favorites.getViewAll();
}

QString FeatureTreeModel::favoriteFullName(const FavoriteEntry& entry)
{
    QString collection = entry.collectionPrefix;
    collection.remove(QLatin1Char('@'));
    collection = collection.section(QLatin1Char('/'), 0, 0);
    return QStringLiteral("Fav*%1*%2").arg(collection, entry.name);
}

void FeatureTreeModel::CreateFavoritesRoot()
{
    if (favoritesRootItem)
        return;
    auto* item = new FeatureTreeFavoritesItem(tr("Favorites"), this, rootItem);
    item->SetDescription(
        tr("<h3>Favorites</h3><b>This node contains a list of features selected by the user</b><br><br>To add a "
           "feature, right-click the feature and choose 'Add to Favorites' from the context menu. You can also use "
           "drag and drop to add features to your favorites.<br>Favorites can be moved up and down within the list "
           "as well as removed from the list by right-clicking an item and choosing the appropriate option from the "
           "context menu."));
    item->setVisibility(GenApi::Beginner);
    item->SetIsFullRowItem(true);
    item->SetIsSpecialNode(true);
    // A row at the top is announced as an insertion, so that persistent
    // indexes, selections and current items below it move along.
    beginInsertRows(QModelIndex(), 0, 0);
    rootItem->insertChild(item, 0);
    favoritesRootItem = item;
    endInsertRows();
    const QModelIndex index = indexForItem(item, 0);
    emit dataChanged(index, index);
}

void FeatureTreeModel::rebuildFavoriteItems()
{
    CreateFavoritesRoot();

    const int oldCount = favoritesRootItem->childCount();
    if (oldCount > 0) {
        beginRemoveRows(GetFavoritesRootIndex(), 0, oldCount - 1);
        favoritesRootItem->clearChildren();
        endRemoveRows();
    }

    QList<FeatureTreeItem*> placeholders;
    for (int i = 0; i < m_favorites.count(); ++i) {
        const FavoriteEntry* entry = m_favorites.entry(i);
        if (entry->name.isEmpty())
            continue;
        auto* placeholder = new FeatureTreeItem(entry->displayName, this, favoriteFullName(*entry), favoritesRootItem);
        placeholder->setVisibility(m_favorites.getViewAll() ? GenApi::Beginner : GenApi::Invisible);
        placeholder->SetIsFullRowItem(false);
        placeholder->SetIsSpecialNode(false);
        placeholders << placeholder;
    }
    if (!placeholders.isEmpty()) {
        beginInsertRows(GetFavoritesRootIndex(), 0, placeholders.size() - 1);
        for (FeatureTreeItem* placeholder : qAsConst(placeholders))
            favoritesRootItem->appendChild(placeholder);
        endInsertRows();
    } else {
        auto* hint = new FeatureTreeItem(tr("Add favorites by right-clicking a feature below."), this, placeholderName,
                                         favoritesRootItem);
        hint->SetToolTip(tr("To add a feature, right-click the feature and choose 'Add to Favorites' from the "
                            "context menu. You can also use drag and drop to add features to your favorites."));
        hint->setVisibility(GenApi::Beginner);
        hint->SetIsFullRowItem(true);
        hint->SetIsSpecialNode(true);
        beginInsertRows(GetFavoritesRootIndex(), 0, 0);
        favoritesRootItem->appendChild(hint);
        endInsertRows();
        const QModelIndex index = indexForItem(hint, 0);
        emit dataChanged(index, index);
    }

    for (const CollectionEntry& c : qAsConst(collections)) {
        if (!c.roleName.isEmpty())
            replaceFavoritesZombies(c.collection, c.roleName);
    }

    // Also without any collection the tool tip counts the favourites.
    updateFavoritesToolTip();

    if (!searchHelpItem) {
        auto* help = new FeatureTreeItem(searchHelpText, this, QStringLiteral("Search"), rootItem);
        help->setVisibility(GenApi::Invisible);
        help->SetIsFullRowItem(true);
        help->SetIsSpecialNode(true);
        beginInsertRows(QModelIndex(), 0, 0);
        rootItem->insertChild(help, 0);
        searchHelpItem = help;
        endInsertRows();
        const QModelIndex index = indexForItem(help, 0);
        emit dataChanged(index, index);
    }
    refreshSpecialItems();
}

void FeatureTreeModel::replaceFavoritesZombies(
    QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection, const QString& roleName)
{
    if (!pParameterCollection)
        return;
    if (favoritesRootItem) {
        for (int i = 0; i < m_favorites.count() && i < favoritesRootItem->childCount(); ++i) {
            const FavoriteEntry* entry = m_favorites.entry(i);
            if (entry->collectionPrefix != roleName)
                continue;
            QSharedPointer<ParameterCollection::IParameter> parameter =
                pParameterCollection->getParameter(roleName + QLatin1Char('/') + entry->name);
            if (!parameter || parameter->isNull())
                continue;
            FeatureTreeItem* current = favoritesRootItem->child(i);
            if (auto* node = qobject_cast<FeatureTreeINodeItem*>(current)) {
                node->SetIsFullRowItem(false);
                node->SetIsSpecialNode(false);
                continue;
            }
            const QModelIndex favoritesIndex = GetFavoritesRootIndex();
            const QString fullName = current->getFullName();
            beginRemoveRows(favoritesIndex, i, i);
            delete favoritesRootItem->removeChild(i);
            endRemoveRows();
            FeatureTreeINodeItem* node = createNodeItem(pParameterCollection, parameter, fullName, favoritesRootItem);
            beginInsertRows(favoritesIndex, i, i);
            favoritesRootItem->insertChild(node, i);
            endInsertRows();
        }
    }
    updateFavoritesToolTip();
    refreshSpecialItems();
}

void FeatureTreeModel::updateFavoritesToolTip()
{
    if (!favoritesRootItem)
        return;
    int unavailable = 0;
    for (int i = 0; i < favoritesRootItem->childCount(); ++i) {
        FeatureTreeItem* child = favoritesRootItem->child(i);
        if (!qobject_cast<FeatureTreeINodeItem*>(child) && child->getFullName() != placeholderName)
            ++unavailable;
    }
    const int total = m_favorites.count();
    if (total < 1)
        return;
    const QString word = total == 1 ? tr("Favorite") : tr("Favorites");
    if (unavailable == 0) {
        favoritesRootItem->SetToolTip(QStringLiteral("%1 %2").arg(total).arg(word));
    } else if (unavailable == 1) {
        favoritesRootItem->SetToolTip(
            tr("%1 %2 (%3 is unavailable for the current camera)").arg(total).arg(word).arg(unavailable));
    } else {
        favoritesRootItem->SetToolTip(
            tr("%1 %2 (%3 are unavailable for the current camera)").arg(total).arg(word).arg(unavailable));
    }
}

bool FeatureTreeModel::AddFavorite(QSharedPointer<ParameterCollection::IParameter> parameter, int position)
{
    if (!parameter || parameter->isNull() || position < 0)
        return false;
    FavoriteEntry entry;
    entry.name = parameter->getName();
    const QSharedPointer<ParameterCollection::IParameterProperties> properties = parameter->getProperties();
    entry.displayName = properties ? properties->getProperty(QStringLiteral("DisplayName")) : entry.name;
    entry.collectionPrefix = parameter->getFullName().section(QLatin1Char('/'), 0, 0);
    if (position < m_favorites.count())
        return m_favorites.insert(position, entry);
    return m_favorites.append(entry);
}

bool FeatureTreeModel::RemoveFavorite(QModelIndex index)
{
    const int position = getFavoritesIndexFromModelIndex(index);
    return position >= 0 && m_favorites.remove(position);
}

bool FeatureTreeModel::MoveFavorite(QModelIndex index, bool up)
{
    const int position = getFavoritesIndexFromModelIndex(index);
    if (position < 0)
        return false;
    return m_favorites.move(position, up ? position - 1 : position + 2);
}

bool FeatureTreeModel::CanMoveFavorite(QModelIndex index, bool up) const
{
    const int position = getFavoritesIndexFromModelIndex(index);
    if (position < 0 || (up && position == 0))
        return false;
    if (position < m_favorites.count() - 1)
        return true;
    return up;
}

bool FeatureTreeModel::CanAddAsFavorite(QModelIndex index) const
{
    if (!index.isValid())
        return false;
    auto* node = qobject_cast<FeatureTreeINodeItem*>(getFeatureTreeItem(index));
    if (!node || !node->node() || node->node()->isNull())
        return false;
    const int type = node->node()->getType();
    if (type < ParameterCollection::TypeInteger || type > ParameterCollection::TypeEnumeration)
        return false;
    return getFavoritesIndexFromModelIndex(index) < 0;
}

int FeatureTreeModel::getFavoritesIndexFromFeatureTreeItem(const FeatureTreeItem* item) const
{
    if (!item)
        return -1;
    const QStringList parts = item->getFullName().split(QLatin1Char('*'));
    if (parts.size() < 2)
        return -1;
    const bool favorite = parts.size() >= 3 && parts.first() == QLatin1String("Fav");
    FavoriteEntry entry;
    entry.collectionPrefix = QLatin1Char('@') + parts.at(favorite ? 1 : 0);
    entry.name = parts.at(favorite ? 2 : 1);
    return m_favorites.indexOf(entry);
}

int FeatureTreeModel::getFavoritesIndexFromModelIndex(QModelIndex index) const
{
    return index.isValid() ? getFavoritesIndexFromFeatureTreeItem(getFeatureTreeItem(index)) : -1;
}
