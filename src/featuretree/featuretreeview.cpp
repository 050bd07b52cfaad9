#include "featuretree/featuretreeview.h"

#include "common/exceptionlog.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreedelegate.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeproxymodel.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "featuretree/rownames_p.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "widgets/exceptionguard_p.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QPainter>
#include <QSignalBlocker>

namespace {
// Rows above and below the viewport that keep their editors, so that a short
// scroll shows editors at once.
constexpr int editorMarginRows = 4;
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
    // Asked for every row the view visits; a cross cast costs more than the
    // visit. The guarded pointer notices a model that went away.
    QAbstractItemModel* current = model();
    if (current != m_extensionModel || !current) {
        m_extensionModel = current;
        m_extension = dynamic_cast<IFeatureTreeModelExtension*>(current);
    }
    return m_extension;
}

const IFeatureTreeModelExtension* FeatureTreeView::getFeatureExtension() const
{
    return const_cast<FeatureTreeView*>(this)->getFeatureExtension();
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
    QAbstractItemModel* rows = model();
    // A feature has no rows: counting them would make the proxy map it.
    if (!ext || !rows || (parent.isValid() && !rows->hasChildren(parent)) || !isExpanded(parent))
        return;
    // Counted once: visiting hides rows or loads rows further down, never here.
    const int count = rows->rowCount(parent);
    for (int r = 0; r < count; ++r) {
        const QModelIndex cell = rows->index(r, 1, parent);
        if (!cell.isValid())
            break;
        visit(r, cell, ext->getFeatureTreeItem(cell));
    }
}

void FeatureTreeView::updateRows(const QModelIndex& parent)
{
    if (isExpanded(parent))
        scheduleEditorPass();
    forEachValueCell(parent, [this, &parent](int r, const QModelIndex& cell, FeatureTreeItem* item) {
        if (item && item->ShowMe(m_visibility)) {
            if (isRowHidden(r, parent))
                setRowHidden(r, parent, false);
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
        && item->getAccessMode() > GenApi::NA) {
        const bool opened = !indexWidget(index);
        QAbstractItemView::openPersistentEditor(index);
        if (opened)
            trackEditor(index);
    }
}

void FeatureTreeView::trackEditor(const QModelIndex& cell)
{
    if (QWidget* editor = indexWidget(cell))
        m_editorCells << EditorCell { QPersistentModelIndex(cell), editor };
}

void FeatureTreeView::openPersistentEditorsForChildren(const QModelIndex& parent)
{
    // The rows that are in view get theirs in the next editor pass.
    if (isExpanded(parent))
        scheduleEditorPass();
}

void FeatureTreeView::span(int row, const QModelIndex& parent, bool on)
{
    // Set only when it changes: setting it lays out the tree.
    if (isFirstColumnSpanned(row, parent) != on)
        setFirstColumnSpanned(row, parent, on);
}

bool FeatureTreeView::wantsEditor(const QModelIndex& cell, const FeatureTreeItem* item) const
{
    // A disabled cell (its device is lost, for one) keeps no editor.
    return item && item->usePersistentEditor() && item->ShowMe(m_visibility)
        && int(item->getVisibility()) <= int(m_visibility) && item->getAccessMode() > GenApi::NA
        && (cell.flags() & Qt::ItemIsEnabled);
}

void FeatureTreeView::scheduleEditorPass()
{
    if (m_editorPassScheduled)
        return;
    m_editorPassScheduled = true;
    QMetaObject::invokeMethod(this, &FeatureTreeView::editorPass, Qt::QueuedConnection);
}

void FeatureTreeView::editorPass()
{
    m_editorPassScheduled = false;
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (!ext || !model())
        return;
    static const ExceptionGuard guard("FeatureTreeView::editorPass", "Failed to access the node");
    guard.run([&] {
        executeDelayedItemsLayout();
        // The rows from a margin above the viewport to a margin below it, in view order.
        QSet<QModelIndex> wanted;
        QSet<QModelIndex> liveSpans;
        QList<FeatureTreeItem*> toReread;
        m_liveItems.clear();
        QModelIndex row = indexAt(QPoint(qMax(0, columnViewportPosition(0)), 0));
        row = row.sibling(row.row(), 0);
        for (int i = 0; i < editorMarginRows && indexAbove(row).isValid(); ++i)
            row = indexAbove(row);
        const int bottom = viewport()->height();
        for (int below = 0; row.isValid() && below <= editorMarginRows; row = indexBelow(row)) {
            if (visualRect(row).top() >= bottom)
                ++below;
            const QModelIndex cell = row.sibling(row.row(), 1);
            FeatureTreeItem* item = ext->getFeatureTreeItem(cell);
            m_liveItems.insert(item);
            if (m_rereadAfterLevel && !m_rereadRows.contains(item)) {
                m_rereadRows.insert(item);
                toReread << item;
            }
            if (row.data(FeatureTreeItem::IsFullRowItem).toBool()) {
                liveSpans.insert(row);
                if (!isFirstColumnSpanned(row.row(), row.parent())) {
                    setFirstColumnSpanned(row.row(), row.parent(), true);
                    m_spannedRows << row;
                }
            }
            if (wantsEditor(cell, item))
                wanted.insert(cell);
        }
        // Spans are persistent indexes, which every change of rows visits:
        // the rows that left the window give theirs up.
        for (auto it = m_spannedRows.begin(); it != m_spannedRows.end();) {
            if (it->isValid() && liveSpans.contains(*it)) {
                ++it;
                continue;
            }
            if (it->isValid())
                setFirstColumnSpanned(it->row(), it->parent(), false);
            it = m_spannedRows.erase(it);
        }
        QWidget* focus = QApplication::focusWidget();
        for (auto it = m_editorCells.begin(); it != m_editorCells.end();) {
            QWidget* editor = it->cell.isValid() ? indexWidget(it->cell) : nullptr;
            if (!editor || editor != it->editor) { // closed meanwhile, or its row went
                it = m_editorCells.erase(it);
                continue;
            }
            // An editor being used stays, wherever its row went.
            const bool inUse = editor == focus || editor->isAncestorOf(focus);
            if (wanted.remove(it->cell) || inUse) {
                ++it;
                continue;
            }
            closePersistentEditor(it->cell);
            it = m_editorCells.erase(it);
        }
        for (const QModelIndex& cell : qAsConst(wanted)) {
            if (!indexWidget(cell)) {
                QAbstractItemView::openPersistentEditor(cell);
                trackEditor(cell);
            }
        }
        // Last: a changed row is announced, which may show, hide or re-edit it.
        for (FeatureTreeItem* item : qAsConst(toReread))
            readCurrentSnapshot(item);
    });
    QTreeView::updateEditorGeometries();
}

int FeatureTreeView::liveEditorCount() const
{
    int count = 0;
    for (const EditorCell& entry : m_editorCells)
        count += entry.editor && entry.cell.isValid() && indexWidget(entry.cell) == entry.editor ? 1 : 0;
    return count;
}

void FeatureTreeView::hideStrandedEditors(const QModelIndex& collapsed)
{
    for (const EditorCell& entry : qAsConst(m_editorCells)) {
        if (!entry.editor || entry.editor->isHidden())
            continue;
        bool stranded = !entry.cell.isValid();
        for (QModelIndex p = entry.cell.parent(); !stranded && collapsed.isValid() && p.isValid(); p = p.parent())
            stranded = p == collapsed;
        if (stranded)
            entry.editor->hide();
    }
}

void FeatureTreeView::updateEditorGeometries()
{
    hideStrandedEditors();
    scheduleEditorPass();
}

void FeatureTreeView::scrollContentsBy(int dx, int dy)
{
    QTreeView::scrollContentsBy(dx, dy);
    scheduleEditorPass();
}

void FeatureTreeView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    if (topLeft == bottomRight) {
        // Full-row items span both columns while they are in or near the view:
        // the editor pass keeps their spans (each one a persistent index that
        // every change of rows visits).
        if (topLeft.isValid() && topLeft.column() == 1) {
            updateValueCell(topLeft);
        } else if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
            FeatureTreeItem* item = ext->getFeatureTreeItem(topLeft);
            // The favourites hint stands alone at row 0 and spans both columns.
            if (item && item->getFullName() == RowNames::favoritesHint)
                span(0, topLeft.parent(), true);
        }
        // QTreeView leaves the editor alone while a layout is pending; the
        // delegate passes over a value the editor shows already.
        if (QWidget* editor = topLeft.isValid() ? indexWidget(topLeft) : nullptr)
            itemDelegate(topLeft)->setEditorData(editor, topLeft);
    }
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
        } else if (!hidden && accessible && item->usePersistentEditor() && m_liveItems.contains(item)) {
            // Rows out of view get theirs when they come into it.
            openPersistentEditor(cell);
            scheduleEditorPass();
        }
    } catch (...) {
        qWarning("Failed to access the node");
        ExceptionLog::logCurrentException("FeatureTreeView::dataChanged");
    }
}

void FeatureTreeView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QTreeView::rowsInserted(parent, start, end);
    scheduleEditorPass();
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
        // Rows the old level hid show the values their parameters have now:
        // the rows in and around the view read theirs in the next editor
        // pass, the others when they come into view. Reading every feature of
        // a large tree at once would hold up the level change for all of them.
        m_rereadRows.clear();
        m_rereadAfterLevel = true;
        scheduleEditorPass();
    }
}

void FeatureTreeView::readCurrentSnapshot(FeatureTreeItem* item)
{
    auto* node = qobject_cast<FeatureTreeINodeItem*>(item);
    const QSharedPointer<ParameterCollection::IParameter> parameter = node ? node->node() : nullptr;
    if (!parameter || node->getCollection().isNull()
        || node->getCollection()->connectionState() == ParameterCollection::IParameterCollection::ConnectionState::Lost)
        return;
    static const ExceptionGuard guard("FeatureTreeView::readCurrentSnapshot", "Failed to read the value of a feature");
    guard.run([&] {
        if (parameter->isNull())
            return;
        const QSharedPointer<const ParameterCollection::ParameterData> fresh = parameter->getParameterData();
        const QSharedPointer<const ParameterCollection::ParameterData> shown = node->getParameterData();
        // Taken as the parameter's own report would be: the row announces it.
        if (fresh && !(shown && *shown == *fresh))
            node->onParameterDataChanged(fresh);
    });
}

void FeatureTreeView::onSelfExpanded(const QModelIndex& index)
{
    updateRows(index);
    if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
        if (ext->GetFavoritesRootIndex() == index)
            ext->GetFavorites().setExpanded(true);
    }
    scheduleEditorPass();
}

void FeatureTreeView::onSelfCollapsed(const QModelIndex& index)
{
    hideStrandedEditors(index);
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
