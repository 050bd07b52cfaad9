#include "featuretree/featuretreeview.h"

#include "common/exceptionlog.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreedelegate.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeproxymodel.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "featuretree/rownames_p.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QSignalBlocker>

namespace {
// The settings group of the process-wide favourites list.
const QString favoritesSettingsGroup = QStringLiteral("Favorites");
// The model a visibility level was last applied to, shared by every view of
// the process: a view that switches models applies its level again.
const QAbstractItemModel* lastAppliedModel = nullptr;
} // namespace

FeatureTreeView::FeatureTreeView(QWidget* parent)
    : QTreeView(parent)
{
    // A disabled tree keeps the normal background.
    QPalette p = palette();
    p.setBrush(QPalette::Disabled, QPalette::Base, p.brush(QPalette::Active, QPalette::Base));
    setPalette(p);

    createModel();

    connect(this, &QTreeView::expanded, this, &FeatureTreeView::onSelfExpanded);
    connect(this, &QTreeView::collapsed, this, &FeatureTreeView::onSelfCollapsed);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);

    if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
        FavoritesData& favorites = ext->GetFavorites();
        favorites.load(favoritesSettingsGroup);
        connect(&favorites, &FavoritesData::dataUpdated, this, &FeatureTreeView::onFavoriteDataUpdated);
        connect(&favorites, &FavoritesData::expanded, this, &FeatureTreeView::onFavoriteDataExpanded);
    }
}

FeatureTreeView::~FeatureTreeView()
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
        FavoritesData& favorites = ext->GetFavorites();
        favorites.save(favorites.getGroup());
        disconnect(&favorites, nullptr, this, nullptr);
    }
    if (lastAppliedModel == model())
        lastAppliedModel = nullptr;
}

void FeatureTreeView::createModel()
{
    // Parented to the view so that they go with it; nothing else deletes them.
    auto* sourceModel = new FeatureTreeModel(this);
    auto* proxy = new FeatureTreeProxyModel(this);
    proxy->setSourceModel(sourceModel);
    setModel(proxy);
    proxy->setDynamicSortFilter(false);
    proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy->setFilterKeyColumn(1);
    proxy->setHighlighter(&highlighter);
    setItemDelegate(new FeatureTreeDelegate(this, getFeatureExtension(), &highlighter));
}

IFeatureTreeModelExtension* FeatureTreeView::getFeatureExtension()
{
    return dynamic_cast<IFeatureTreeModelExtension*>(model());
}

const IFeatureTreeModelExtension* FeatureTreeView::getFeatureExtension() const
{
    return dynamic_cast<const IFeatureTreeModelExtension*>(model());
}

QString FeatureTreeView::getSettingsPath() const
{
    auto* ext = const_cast<IFeatureTreeModelExtension*>(getFeatureExtension());
    return ext ? ext->GetFavorites().getGroup() : QString();
}

void FeatureTreeView::setSettingsPath(const QString& path)
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->GetFavorites().setGroup(path);
}

bool FeatureTreeView::hideRow(int row, const QModelIndex& parent)
{
    if (isRowHidden(row, parent))
        return true;
    const QModelIndex current = currentIndex();
    setRowHidden(row, parent, true);
    if (current.row() == row && current.parent() == parent)
        emit onCurrentChanged(QModelIndex());
    return false;
}

template<typename Visit> void FeatureTreeView::forEachValueCell(const QModelIndex& parent, const Visit& visit)
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (!ext || !model() || !isExpanded(parent))
        return;
    for (int r = 0; r < model()->rowCount(parent); ++r) {
        const QModelIndex cell = model()->index(r, 1, parent);
        visit(r, cell, ext->getFeatureTreeItem(cell));
    }
}

void FeatureTreeView::updateRows(const QModelIndex& parent)
{
    forEachValueCell(parent, [this, &parent](int r, const QModelIndex& cell, FeatureTreeItem* item) {
        if (item && item->ShowMe(m_visibility)) {
            if (isRowHidden(r, parent))
                setRowHidden(r, parent, false);
            if (!indexWidget(cell) && item->usePersistentEditor())
                openPersistentEditor(cell);
        } else if (item) {
            hideRow(r, parent);
        }
        // Down through the row's first column: the view records expansion there,
        // so a value-column index would end the walk at the first level.
        updateRows(cell.sibling(r, 0));
    });
}

void FeatureTreeView::openPersistentEditor(const QModelIndex& index)
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (!ext || !index.isValid())
        return;
    // An item behind a valid index of the view's model is part of the tree; no
    // search of the whole tree is needed to know it (that search made opening
    // the editors of a large expanded tree quadratic).
    FeatureTreeItem* item = ext->getFeatureTreeItem(index);
    if (item && item->usePersistentEditor() && int(item->getVisibility()) <= int(m_visibility)
        && item->getAccessMode() > GenApi::NA)
        QAbstractItemView::openPersistentEditor(index);
}

void FeatureTreeView::openPersistentEditorsForChildren(const QModelIndex& parent)
{
    forEachValueCell(parent, [this](int, const QModelIndex& cell, FeatureTreeItem* item) {
        if (item && item->ShowMe(m_visibility) && !indexWidget(cell) && item->usePersistentEditor())
            openPersistentEditor(cell);
    });
}

void FeatureTreeView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    if (topLeft == bottomRight) {
        if (topLeft.isValid() && topLeft.column() == 0)
            setFirstColumnSpanned(topLeft.row(), topLeft.parent(),
                                  topLeft.data(FeatureTreeItem::IsFullRowItem).toBool());
        if (topLeft.isValid() && topLeft.column() == 1) {
            updateValueCell(topLeft);
        } else if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
            FeatureTreeItem* item = ext->getFeatureTreeItem(topLeft);
            // The favourites hint stands alone at row 0 and spans both columns.
            if (item && item->getFullName() == RowNames::favoritesHint)
                setFirstColumnSpanned(0, topLeft.parent(), true);
        }
    }
    executeDelayedItemsLayout();
    QTreeView::dataChanged(topLeft, bottomRight, roles);
}

void FeatureTreeView::updateValueCell(const QModelIndex& cell)
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    FeatureTreeItem* item = ext ? ext->getFeatureTreeItem(cell) : nullptr;
    if (!item)
        return;
    const QModelIndex parent = cell.parent();
    const int row = cell.row();
    bool alreadyHidden = false;
    if (item->ShowMe(m_visibility)) {
        if (isRowHidden(row, parent))
            setRowHidden(row, parent, false);
    } else {
        alreadyHidden = hideRow(row, parent);
    }
    try {
        // A disabled cell (its device is lost, for one) keeps no editor.
        const bool accessible = item->getAccessMode() > GenApi::NA && (cell.flags() & Qt::ItemIsEnabled);
        const bool hidden = isRowHidden(row, parent);
        const bool editable = item->isEditable();
        if (indexWidget(cell)) {
            if (alreadyHidden)
                return;
            if (item->usePersistentEditor()) {
                if (!(accessible && !hidden))
                    closePersistentEditor(cell);
            } else if (!(editable && !hidden)) {
                closeEditor(indexWidget(cell), QAbstractItemDelegate::NoHint);
            }
        } else if (!hidden && accessible && item->usePersistentEditor()) {
            openPersistentEditor(cell);
        }
    } catch (...) {
        qWarning("Failed to access the node");
        ExceptionLog::logCurrentException("FeatureTreeView::dataChanged");
    }
}

void FeatureTreeView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QTreeView::rowsInserted(parent, start, end);
    openPersistentEditorsForChildren(parent);
}

void FeatureTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    emit onCurrentChanged(current);
    QTreeView::currentChanged(current, previous);
}

void FeatureTreeView::setVisibility(GenApi::EVisibility v)
{
    if (v == m_visibility && model() == lastAppliedModel)
        return;
    m_visibility = v;
    lastAppliedModel = model();
    if (model()) {
        onFavoriteDataUpdated();
        if (IFeatureTreeModelExtension* ext = getFeatureExtension())
            ext->refresh();
    }
}

void FeatureTreeView::onSelfExpanded(const QModelIndex& index)
{
    updateRows(index);
    if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
        if (ext->GetFavoritesRootIndex() == index)
            ext->GetFavorites().setExpanded(true);
    }
    openPersistentEditorsForChildren(index);
}

void FeatureTreeView::onSelfCollapsed(const QModelIndex& index)
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
        if (ext->GetFavoritesRootIndex() == index)
            ext->GetFavorites().setExpanded(false);
    }
}

void FeatureTreeView::onFavoriteDataUpdated()
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (!ext)
        return;
    const QModelIndex current = currentIndex();
    const QString currentName
        = current.isValid() ? current.data(FeatureTreeItem::FullNodeNameRole).toString() : QString();
    QStringList selectedNames;
    for (const QModelIndex& index : selectedIndexes())
        selectedNames << index.data(FeatureTreeItem::FullNodeNameRole).toString();

    ext->rebuildFavoriteItems();

    for (const QString& name : qAsConst(selectedNames)) {
        if (name.isEmpty())
            continue;
        const QModelIndex found = ext->findItemByFullName(name, nullptr, current.column() < 0 ? 0 : current.column());
        if (found.isValid())
            selectionModel()->select(found, QItemSelectionModel::Select);
    }
    if (!currentName.isEmpty()) {
        const QModelIndex found = ext->findItemByFullName(currentName, nullptr, 0);
        if (found.isValid())
            setCurrentIndex(found);
    }
    const QModelIndex favorites = ext->GetFavoritesRootIndex();
    updateRows(favorites);
    setExpanded(favorites, ext->GetFavorites().isExpanded());
}

void FeatureTreeView::onFavoriteDataExpanded(bool bExpand)
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (!ext)
        return;
    const QModelIndex favorites = ext->GetFavoritesRootIndex();
    if (bExpand != isExpanded(favorites))
        setExpanded(favorites, bExpand);
}

// Selected rows keep their text colour, half transparent when active, on no
// highlight of their own. Qt 6 asks for the options through initViewItemOption.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
void FeatureTreeView::initViewItemOption(QStyleOptionViewItem* option) const
{
    QTreeView::initViewItemOption(option);
    QPalette& p = option->palette;
#else
QStyleOptionViewItem FeatureTreeView::viewOptions() const
{
    QStyleOptionViewItem option = QAbstractItemView::viewOptions();
    QPalette& p = option.palette;
#endif
    QColor activeText = p.color(QPalette::Active, QPalette::Text);
    activeText.setAlpha(128);
    p.setColor(QPalette::Active, QPalette::HighlightedText, activeText);
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, p.color(QPalette::Disabled, QPalette::Text));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Inactive, QPalette::Text));
    for (auto group : { QPalette::Active, QPalette::Disabled, QPalette::Inactive })
        p.setColor(group, QPalette::Highlight, QColor(0, 0, 0, 0));
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return option;
#endif
}

void FeatureTreeView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QItemSelectionModel* selection = selectionModel();
    if (!selection || !selection->isSelected(index)) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    // The selection is taken away for drawing only; nobody may hear of it.
    const QSignalBlocker blocker(selection);
    selection->select(index, QItemSelectionModel::Deselect);
    struct Reselect
    {
        QItemSelectionModel* selection;
        QModelIndex index;
        ~Reselect() { selection->select(index, QItemSelectionModel::Select); }
    } reselect { selection, index };
    QTreeView::drawRow(painter, option, index);
}

void FeatureTreeView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (model() && model()->rowCount(rootIndex()) == 0) {
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::Active, QPalette::Text));
        painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop, tr("No search results found."));
    }
}
