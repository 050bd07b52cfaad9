#include "featuretree/featuretreemodel.h"

#include "common/exceptionlog.h"
#include "featuretree/favoritesbranch_p.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/rownames_p.h"
#include "genicam/genericexception.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "widgets/exceptionguard_p.h"
#include "widgets/messagereporting.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QPalette>
#include <QSet>

#include <exception>
#include <functional>

using ConnectionState = ParameterCollection::IParameterCollection::ConnectionState;

const QString FeatureTreeModel::mimeFormat = QStringLiteral("application/x-fti");

FavoritesData FeatureTreeModel::m_favorites;

namespace {
const QString searchHelpText
    = QStringLiteral("<HTML><B>X search results found (Y of them visible at higher user level)</B>");
} // namespace

FeatureTreeModel::FeatureTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
    , rootItem(new FeatureTreeItem(QString(), this, QString(), nullptr))
    , favorites(std::make_unique<FavoritesBranch>(*this))
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
    const int row = parentItem->row();
    Q_ASSERT_X(row >= 0, "FeatureTreeModel::parent", "a row's parent is missing from its own parent");
    return createIndex(row, 0, parentItem);
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
    if (isDisconnected(item)) {
        // The last values known stay readable, in the colour of what cannot be used.
        if (role == Qt::ForegroundRole)
            return QPalette().brush(QPalette::Disabled, QPalette::Text);
        if (role == Qt::DisplayRole && index.column() == 0 && item->parent() == rootItem)
            return tr("%1 (disconnected)").arg(item->getDisplayedName());
    }
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
    if (isDisconnected(item)) {
        showErrorMessage(tr("The camera does not answer: the value was not written."), nullptr);
        return false;
    }
    // A feature that cannot be written is not written: no success to report.
    auto* node = qobject_cast<FeatureTreeINodeItem*>(item);
    if (node && !node->isEditable())
        return false;
    try {
        if (item->data(1, Qt::EditRole) != value)
            item->setData(1, value, Qt::EditRole);
        return true;
    } catch (const GenICam::DisconnectedException& e) {
        showErrorMessage(tr("The camera does not answer: the value was not written."),
                         QString::fromUtf8(e.GetDescription()), nullptr);
        return false;
    } catch (const GenICam::GenericException&) {
        // Refused by the feature: the cell, and an editor that shows the value
        // that was refused, go back to the value the feature has.
        emit dataChanged(index, index);
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
    if (!item)
        return Qt::ItemIsEnabled;
    // Still selectable, so that the selection is there when the device is back.
    if (isDisconnected(item))
        return item->flags(index.column()) & Qt::ItemIsSelectable;
    return item->flags(index.column());
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

    favorites->drop(items, row);
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

QModelIndex FeatureTreeModel::findItemByRole(int role, const QVariant& value, FeatureTreeItem* start, int column) const
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

FeatureTreeINodeItem*
FeatureTreeModel::createNodeItem(QSharedPointer<ParameterCollection::IParameterCollection> collection,
                                 QSharedPointer<ParameterCollection::IParameter> parameter, const QString& fullName,
                                 FeatureTreeItem* parent)
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
            root = pParameterCollection->getParameter(roleName + QLatin1Char('/') + RowNames::rootNode);
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
                                         roleName + RowNames::separator + RowNames::rootNode, rootItem, false);
    row->setHighlighter(highlighter);
    row->SetIsFullRowItem(true);
    row->SetIsSpecialNode(false);
    connect(row, &FeatureTreeINodeItem::nodeUpdated, this, &FeatureTreeModel::onNodeUpdated);
    if (pParameterCollection) {
        const ParameterCollection::IParameterCollection* collection = pParameterCollection.data();
        connect(pParameterCollection.data(), &ParameterCollection::IParameterCollection::connectionStateChanged, this,
                [this, collection] { onConnectionStateChanged(collection); });
    }

    emit layoutAboutToBeChanged();
    rootItem->appendChild(row);
    emit layoutChanged();

    replaceFavoritesZombies(pParameterCollection, roleName);
    row->childCount(); // the first level comes with the collection
    collections.append(CollectionEntry { roleName, pParameterCollection });
    refreshSpecialItems();
}

void FeatureTreeModel::retranslate()
{
    favorites->retranslate();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    // The rows of the collections say whether their device is disconnected.
    const int rows = rowCount();
    if (rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
}

void FeatureTreeModel::addChildren(FeatureTreeINodeItem* parentItem)
{
    if (!parentItem || !parentItem->node())
        return;
    const QSharedPointer<ParameterCollection::IParameterCollection> collection = parentItem->getCollection();
    if (!collection)
        return;
    // Everything the collection is asked comes first: a failure leaves the
    // category as it was, without rows half made.
    using Child = QPair<QString, QSharedPointer<ParameterCollection::IParameter>>;
    static const ExceptionGuard guard("FeatureTreeModel::addChildren", "Failed to load the features of a category.");
    const QList<Child> children = guard.run([&] {
        // A category that lists itself or one of its ancestors would make the tree endless.
        QSet<QString> ancestors;
        for (const FeatureTreeItem* a = parentItem; a && a != rootItem; a = a->parent()) {
            const auto* node = qobject_cast<const FeatureTreeINodeItem*>(a);
            if (node && node->node())
                ancestors << node->node()->getFullName();
        }
        QList<Child> found;
        for (const QString& name : collection->getChildren(parentItem->node()->getFullName(), 0, true)) {
            if (ancestors.contains(name)) {
                qWarning("The category %s lists %s, which contains it: left out",
                         qUtf8Printable(parentItem->getFullName()), qUtf8Printable(name));
                continue;
            }
            QSharedPointer<ParameterCollection::IParameter> child = collection->getParameter(name);
            if (!child || child->isNull())
                continue;
            // Categories of undefined visibility get no row; invisible ones show at the Invisible level.
            if (child->getType() == ParameterCollection::TypeCategory
                && int(child->getVisibility()) > GenApi::Invisible)
                continue;
            found << Child(name, child);
        }
        return found;
    });
    if (children.isEmpty())
        return;
    // What an invisible category holds shows at the Invisible level only, whatever the rows' own levels.
    const GenApi::EVisibility enclosing
        = parentItem->shownFrom() == GenApi::Invisible ? GenApi::Invisible : GenApi::Beginner;
    QList<FeatureTreeItem*> rows;
    for (const Child& child : children) {
        FeatureTreeINodeItem* row = createNodeItem(collection, child.second, child.first, parentItem);
        row->setEnclosingVisibility(enclosing);
        rows << row;
    }
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
    static const ExceptionGuard guard("FeatureTreeModel::refresh", "Failed to refresh the features.",
                                      "FeatureTreeModel",
                                      QT_TRANSLATE_NOOP("FeatureTreeModel", "Failed to refresh the features."));
    guard.run([this] { collections.first().collection->refresh(); });
}

void FeatureTreeModel::refreshSpecialItems()
{
    // The widget sets the help row's level after a search; a filter that
    // decided on the row before hears of it as the row going and coming back,
    // which refilters that row alone.
    if (searchHelpItem && searchHelpItem->getVisibility() != announcedHelpVisibility) {
        announcedHelpVisibility = searchHelpItem->getVisibility();
        const int row = searchHelpItem->row();
        beginRemoveRows(QModelIndex(), row, row);
        FeatureTreeItem* help = rootItem->removeChild(row);
        endRemoveRows();
        beginInsertRows(QModelIndex(), row, row);
        rootItem->insertChild(help, row);
        endInsertRows();
    }
    // The first two levels load here (their rows come with a collection).
    // Announced again are the full-row items of the top level (the help row,
    // the favourites, the collections' rows) and the structural ones below
    // (the favourites hint): categories are parameter rows that announce
    // their own changes, and announcing thousands of them on every key made
    // each key cost as much as the tree is large.
    const auto visit = [this](FeatureTreeItem* item, bool top) {
        if ((top || !qobject_cast<FeatureTreeINodeItem*>(item))
            && item->data(0, FeatureTreeItem::IsFullRowItem).toBool()) {
            const QModelIndex index = indexForItem(item, 0);
            emit dataChanged(index, index);
        }
    };
    for (int i = 0; i < rootItem->childCount(); ++i) {
        FeatureTreeItem* top = rootItem->child(i);
        visit(top, true);
        for (int j = 0; j < top->childCount(); ++j) {
            FeatureTreeItem* second = top->child(j);
            visit(second, false);
            for (int k = 0; k < second->childCount(); ++k)
                visit(second->child(k), false);
        }
    }
}

void FeatureTreeModel::clear()
{
    // Views and proxies must hear that every row is gone, and nothing may
    // point at the deleted rows afterwards.
    beginResetModel();
    rootItem->clearChildren();
    favorites->forget();
    searchHelpItem = nullptr;
    collections.clear();
    endResetModel();
}

bool FeatureTreeModel::isDisconnected(const FeatureTreeItem* item)
{
    const auto* node = qobject_cast<const FeatureTreeINodeItem*>(item);
    const ParameterCollection::IParameterCollection* collection = node ? node->getCollection().data() : nullptr;
    return collection && collection->connectionState() == ConnectionState::Lost;
}

void FeatureTreeModel::onConnectionStateChanged(const ParameterCollection::IParameterCollection* collection)
{
    bool anyLost = false;
    for (const CollectionEntry& c : qAsConst(collections))
        anyLost = anyLost || (c.collection && c.collection->connectionState() == ConnectionState::Lost);
    // One device behind several collections: its loss is one report.
    if (anyLost && !lossReported)
        showErrorMessage(tr("The camera does not answer. Its features show the last values known until it is back."),
                         nullptr);
    lossReported = anyLost;
    announceRowsOf(collection);
}

void FeatureTreeModel::announceRowsOf(const ParameterCollection::IParameterCollection* collection)
{
    std::function<void(FeatureTreeItem*)> visit = [&](FeatureTreeItem* item) {
        const auto* node = qobject_cast<FeatureTreeINodeItem*>(item);
        if (node && node->getCollection().data() == collection) {
            const QModelIndex name = indexForItem(item, 0);
            emit dataChanged(name, name);
            const QModelIndex value = indexForItem(item, 1);
            emit dataChanged(value, value);
        }
        // Rows not loaded yet stay so: child() answers what is there, childCount() would load.
        for (int r = 0; FeatureTreeItem* child = item->child(r); ++r)
            visit(child);
    };
    visit(rootItem);
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
        // A lost device is not asked: it would only fail (or, worse, keep the caller waiting).
        if (!collections.isEmpty() && collections.first().collection
            && collections.first().collection->connectionState() != ConnectionState::Lost) {
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
    return favorites->isRoot(item);
}

bool FeatureTreeModel::IsFavoriteTreeItem(const FeatureTreeItem* item) const
{
    return favorites->contains(item);
}

QModelIndex FeatureTreeModel::GetFavoritesRootIndex()
{
    return indexForItem(favorites->root(), 0);
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
    return RowNames::favoritePrefix + RowNames::separator + collection + RowNames::separator + entry.name;
}

void FeatureTreeModel::CreateFavoritesRoot()
{
    favorites->createRoot(rootItem);
}

void FeatureTreeModel::rebuildFavoriteItems()
{
    favorites->createRoot(rootItem);
    favorites->rebuild();
    for (const CollectionEntry& c : qAsConst(collections)) {
        if (!c.roleName.isEmpty())
            replaceFavoritesZombies(c.collection, c.roleName);
    }

    if (!searchHelpItem) {
        auto* help = new FeatureTreeItem(searchHelpText, this, RowNames::searchHelp, rootItem);
        help->setVisibility(GenApi::Invisible);
        announcedHelpVisibility = GenApi::Invisible;
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
    static const ExceptionGuard guard("FeatureTreeModel::replaceFavoritesZombies",
                                      "Failed to show the favourites of a collection.");
    guard.run([&] { favorites->replacePlaceholders(pParameterCollection, roleName); });
    refreshSpecialItems();
}

bool FeatureTreeModel::AddFavorite(QSharedPointer<ParameterCollection::IParameter> parameter, int position)
{
    static const ExceptionGuard guard(
        "FeatureTreeModel::AddFavorite", "Failed to add a favourite.", "FeatureTreeModel",
        QT_TRANSLATE_NOOP("FeatureTreeModel", "Failed to add the feature to the favorites."));
    return guard.run([&] { return favorites->add(parameter, position); });
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
    if (!node || !node->node())
        return false;
    static const ExceptionGuard guard("FeatureTreeModel::CanAddAsFavorite", "Failed to ask a feature for its type.");
    const int type = guard.run(
        [&] { return node->node()->isNull() ? int(ParameterCollection::TypeNone) : node->node()->getType(); });
    if (type < ParameterCollection::TypeInteger || type > ParameterCollection::TypeEnumeration)
        return false;
    return getFavoritesIndexFromModelIndex(index) < 0;
}

int FeatureTreeModel::getFavoritesIndexFromFeatureTreeItem(const FeatureTreeItem* item) const
{
    return favorites->position(item);
}

int FeatureTreeModel::getFavoritesIndexFromModelIndex(QModelIndex index) const
{
    return index.isValid() ? getFavoritesIndexFromFeatureTreeItem(getFeatureTreeItem(index)) : -1;
}
