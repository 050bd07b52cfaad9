#include "featuretree/featuretreewidget.h"

#include "camerapool/ibaseinfo.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeproxymodel.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "featuretree/nodemapfilter.h"
#include "featuretree/searchedit.h"
#include "ui_featuretreewidget.h"
#include "utils/qtcompat_p.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>

#include <limits>

namespace {

// One flag for every widget of the process: the second Escape in a row clears the search.
bool escapePressed = false;

// Registered once, under the names the signals spell out, so that hosts can
// connect them queued and by name.
void registerWidgetMetaTypes()
{
    static const bool registered = [] {
        ParameterCollection::registerMetaTypes();
        qRegisterMetaType<QSharedPointer<QMenu>>("QSharedPointer<QMenu>");
        return true;
    }();
    Q_UNUSED(registered)
}

/// Shows a wait cursor for as long as it lives.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

FeatureTreeWidget::FeatureTreeWidget(QString widgetName, QSharedPointer<Plugin::CameraPool::IBaseInfo> info,
                                     QWidget* parent, GenApi::EVisibility, bool)
    : TreeWidgetBase(parent)
    , ui(std::make_unique<Ui_FeatureTreeWidgetClass>())
    , name(std::move(widgetName))
    , cameraInfo(std::move(info))
{
    registerWidgetMetaTypes();
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("FeatureTreeWidgetClass"));
    ui->setupUi(this);

    FeatureTreeView* view = ui->treeView;
    view->header()->resizeSection(0, 200);
    view->setEditTriggers(QAbstractItemView::AllEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);

    connect(view, &FeatureTreeView::onCurrentChanged, this,
            QOverload<const QModelIndex&>::of(&FeatureTreeWidget::onCurrentChanged));
    connect(this, &FeatureTreeWidget::pollingStateChanged, this, &FeatureTreeWidget::onPollingStateChanged);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &FeatureTreeWidget::contextualMenu);
    connect(ui->filterEdit, &QLineEdit::textChanged, this, &FeatureTreeWidget::onFilterTextChanged);

    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->rebuildFavoriteItems();

    actionAddToFavourites
        = createAction("actionAddToFavourites", QKeySequence(tr("Ctrl+D")), QStringLiteral("AddGigECamera_16.png"),
                       &FeatureTreeWidget::AddToFavourites_triggered);
    actionMoveFavouriteUp = createAction("actionMoveFavouriteUp", QKeySequence(tr("Ctrl+Up")),
                                         QStringLiteral("Move_Up.png"), &FeatureTreeWidget::FavouriteMoveUp_triggered);
    actionMoveFavouriteDown
        = createAction("actionMoveFavouriteDown", QKeySequence(tr("Ctrl+Down")), QStringLiteral("Move_Down.png"),
                       &FeatureTreeWidget::FavouriteMoveDown_triggered);
    actionRemoveFavourite
        = createAction("actionRemoveFavourite", QKeySequence(QKeySequence::Delete),
                       QStringLiteral("RemGigECamera_16.png"), &FeatureTreeWidget::FavouriteRemove_triggered);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    actionTogglePolling = new QAction(this);
    actionTogglePolling->setObjectName(QStringLiteral("actionTogglePolling"));
    actionTogglePolling->setCheckable(true);
    actionTogglePolling->setChecked(ui->checkBoxPolling->isChecked());
    connect(actionTogglePolling, &QAction::triggered, this, &FeatureTreeWidget::TogglePolling_triggered);

    setTexts();
    const QKeySequence findKey(Qt::CTRL | Qt::Key_F);
    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), ui->filterEdit, nullptr, nullptr, Qt::WindowShortcut);
    connect(f3, &QShortcut::activated, ui->filterEdit, QOverload<>::of(&QWidget::setFocus));
    auto* find = new QShortcut(findKey, ui->filterEdit, nullptr, nullptr, Qt::WindowShortcut);
    connect(find, &QShortcut::activated, ui->filterEdit, QOverload<>::of(&QWidget::setFocus));
    auto* collapse = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_Minus), view, nullptr, nullptr,
                                   Qt::WindowShortcut);
    connect(collapse, &QShortcut::activated, view, &QTreeView::collapseAll);
    auto* expand = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_Plus), this, nullptr, nullptr,
                                 Qt::WindowShortcut);
    connect(expand, &QShortcut::activated, this, &FeatureTreeWidget::expandTree);

    setPolling(false);
}

FeatureTreeWidget::~FeatureTreeWidget() = default;

void FeatureTreeWidget::setTexts()
{
    actionAddToFavourites->setIconText(tr("Add to Favorites"));
    actionMoveFavouriteUp->setIconText(tr("Move Up"));
    actionMoveFavouriteDown->setIconText(tr("Move Down"));
    actionRemoveFavourite->setIconText(tr("Remove"));
    actionTogglePolling->setText(tr("Polling"));
    const QKeySequence findKey(Qt::CTRL | Qt::Key_F);
    ui->filterEdit->setHintText(tr("Search (%1)").arg(findKey.toString(QKeySequence::NativeText)));
    ui->filterEdit->update();
}

void FeatureTreeWidget::retranslate()
{
    ui->retranslateUi(this);
    setTexts();
    auto* proxy = qobject_cast<FeatureTreeProxyModel*>(ui->treeView->model());
    if (auto* model = qobject_cast<FeatureTreeModel*>(proxy ? proxy->sourceModel() : ui->treeView->model()))
        model->retranslate();
    // The count of search results, if there is one, in the new language.
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    FeatureTreeItem* help = ext ? ext->getSearchHelpItem() : nullptr;
    if (help && proxy && !help->getDisplayedName().isEmpty()) {
        const QString text = searchResultsText(proxy->visibleMatchCount() + proxy->higherLevelMatchCount(),
                                               proxy->higherLevelMatchCount());
        help->setDisplayedName(QStringLiteral("<HTML>") + text);
        help->SetToolTip(text);
        ext->refreshSpecialItems();
    }
    ui->treeView->viewport()->update();
}

QString FeatureTreeWidget::searchResultsText(int total, int higherLevelOnly)
{
    return tr("<B>%1 search results (%2 of them visible at higher user level)</B>").arg(total).arg(higherLevelOnly);
}

QAction* FeatureTreeWidget::createAction(const char* objectName, const QKeySequence& shortcut, const QString& icon,
                                         void (FeatureTreeWidget::*slot)())
{
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setIcon(QIcon(QStringLiteral(":/orvikviewercomponents/Resources/") + icon));
    action->setEnabled(false);
    addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QSize FeatureTreeWidget::sizeHint() const
{
    return QSize(400, 500);
}

FeatureTreeView* FeatureTreeWidget::treeView()
{
    return ui->treeView;
}

FeatureTreeView* FeatureTreeWidget::treeView() const
{
    return ui->treeView;
}

IFeatureTreeModelExtension* FeatureTreeWidget::getFeatureExtension()
{
    return dynamic_cast<IFeatureTreeModelExtension*>(ui->treeView->model());
}

const IFeatureTreeModelExtension* FeatureTreeWidget::getFeatureExtension() const
{
    return dynamic_cast<const IFeatureTreeModelExtension*>(ui->treeView->model());
}

// --- collections and searching -----------------------------------------------

void FeatureTreeWidget::addParameterCollection(
    QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection, const QString& rootName,
    const QString& roleName, bool isUtf8)
{
    NodeMapFilter::apply(pParameterCollection, cameraInfo, roleName);
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (!ext)
        return;
    ext->addParameterCollection(pParameterCollection, rootName, roleName, isUtf8);
    if (auto* proxy = qobject_cast<FeatureTreeProxyModel*>(ui->treeView->model()))
        proxy->invalidate();
    ext->refreshSpecialItems();
    ui->treeView->setExpanded(ext->GetFavoritesRootIndex(), ext->GetFavorites().isExpanded());
}

void FeatureTreeWidget::onFilterTextChanged(const QString& newText)
{
    filterText = newText;
    std::unique_ptr<WaitCursor> waitCursor;
    if (firstFilterPending) {
        waitCursor = std::make_unique<WaitCursor>();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    // One filtering pass per change of the text: the counts and the help row
    // follow from it without filtering again.
    auto* proxy = qobject_cast<FeatureTreeProxyModel*>(ui->treeView->model());
    if (proxy) {
        const int old = QtCompat::filterPattern(*proxy).length();
        if (old == 0 && !newText.isEmpty()) {
            saveExpandedStatus();
            saveSelectionStatus();
        }
        proxy->setFilterFixedString(newText);
        if (old != 0 && newText.isEmpty()) {
            restoreExpandedStatus();
            restoreSelectionStatus();
        }
    }
    ui->treeView->getHightlighter()->searchText = newText;
    showSearchResults();
    firstFilterPending = false;
}

void FeatureTreeWidget::showSearchResults()
{
    auto* proxy = qobject_cast<FeatureTreeProxyModel*>(ui->treeView->model());
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    FeatureTreeItem* help = ext ? ext->getSearchHelpItem() : nullptr;
    if (!filterText.isEmpty()) {
        // Expanding lays the shown rows out at once, and the proxy counts the
        // matches among the rows it is asked about.
        ui->treeView->expandToDepth(2);
        ui->treeView->viewport()->update();
        const int higherLevelOnly = proxy ? proxy->higherLevelMatchCount() : 0;
        const int visibleNow = proxy ? proxy->visibleMatchCount() : 0;
        const int total = visibleNow + higherLevelOnly;
        emit filterMatchesChanged(total, higherLevelOnly);
        const QString text = searchResultsText(total, higherLevelOnly);
        if (help) {
            help->setDisplayedName(QStringLiteral("<HTML>") + text);
            help->SetToolTip(text);
            help->setVisibility(higherLevelOnly >= 1 ? GenApi::Beginner : GenApi::Invisible);
        }
    } else {
        emit filterMatchesChanged(0, 0);
        if (help) {
            help->setDisplayedName(QString());
            help->SetToolTip(QString());
            help->setVisibility(GenApi::Invisible);
        }
    }
    // The model announces the help row again when it is to come or go.
    if (ext)
        ext->refreshSpecialItems();
}

void FeatureTreeWidget::refreshTree()
{
    if (filterAgain()) {
        if (IFeatureTreeModelExtension* ext = getFeatureExtension())
            ext->refreshSpecialItems();
    }
}

bool FeatureTreeWidget::filterAgain()
{
    auto* proxy = qobject_cast<FeatureTreeProxyModel*>(ui->treeView->model());
    if (!proxy)
        return false;
    // One complete filtering pass, made as the view asks for rows again: no
    // row is announced gone or back one by one.
    proxy->invalidate();
    if (!filterText.isEmpty())
        ui->treeView->expandToDepth(2);
    return true;
}

void FeatureTreeWidget::on_resetButton_clicked()
{
    WaitCursor wait;
    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->refresh();
}

void FeatureTreeWidget::Refresh()
{
    on_resetButton_clicked();
}

// --- levels, polling, favourites state -----------------------------------------

void FeatureTreeWidget::setVisibility(GenApi::EVisibility v)
{
    applyLevel(v);
    refreshTree();
}

void FeatureTreeWidget::applyLevel(GenApi::EVisibility v)
{
    ui->treeView->setVisibility(v);
    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->setVisibility(v);
}

GenApi::EVisibility FeatureTreeWidget::visibility() const
{
    return ui->treeView->visibility();
}

void FeatureTreeWidget::onVisibilityChanged(int level)
{
    if (level < GenApi::Beginner || level > GenApi::Invisible)
        return;
    const auto v = static_cast<GenApi::EVisibility>(level);
    applyLevel(v);
    filterAgain(); // once for the new level; the special rows follow with the counts
    emit visibilityChanged(v);
    showSearchResults();
}

void FeatureTreeWidget::setPolling(bool on)
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->EnablePolling(on);
    ui->checkBoxPolling->setChecked(on);
    if (actionTogglePolling)
        actionTogglePolling->setChecked(on);
}

bool FeatureTreeWidget::getPolling() const
{
    const IFeatureTreeModelExtension* ext = getFeatureExtension();
    return ext && ext->GetPolling();
}

void FeatureTreeWidget::setPollingVisible(bool visible)
{
    ui->checkBoxPolling->setVisible(visible);
}

void FeatureTreeWidget::onPollingStateChanged(bool newState)
{
    setPolling(newState);
}

void FeatureTreeWidget::on_checkBoxPolling_clicked()
{
    emit pollingStateChanged(ui->checkBoxPolling->isChecked());
}

void FeatureTreeWidget::TogglePolling_triggered()
{
    emit pollingStateChanged(actionTogglePolling->isChecked());
}

void FeatureTreeWidget::setViewAllFavorites(bool on)
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
        ext->EnableViewAllFavorites(on);
        ui->checkBoxViewAllFavorites->setChecked(on);
    }
}

bool FeatureTreeWidget::getViewAllFavorites() const
{
    const IFeatureTreeModelExtension* ext = getFeatureExtension();
    return ext && ext->GetViewAllFavorites();
}

void FeatureTreeWidget::setViewAllFavoritesVisible(bool visible)
{
    ui->checkBoxViewAllFavorites->setVisible(visible);
}

void FeatureTreeWidget::on_checkBoxViewAllFavorites_clicked()
{
    // The favourites are shared by every tree of the process: the host decides
    // and applies the state with setViewAllFavorites().
    emit viewAllFavoritesStateChanged(ui->checkBoxViewAllFavorites->isChecked());
    refreshTree();
}

void FeatureTreeWidget::setMonitorMode(bool bMonitorMode)
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->setMonitorMode(bMonitorMode);
}

void FeatureTreeWidget::EnableGenICamCallbacks(bool enable)
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->setGenICamCallbacksEnable(enable);
}

void FeatureTreeWidget::deviceIsClosed()
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->SetDeviceAlive(false);
}

void FeatureTreeWidget::setCameraType(QString type)
{
    cameraType = std::move(type);
}

void FeatureTreeWidget::clear()
{
    if (IFeatureTreeModelExtension* ext = getFeatureExtension())
        ext->clear();
}

void FeatureTreeWidget::expandTree()
{
    ui->treeView->expandToDepth(2);
}

void FeatureTreeWidget::expandRootNodes()
{
    QAbstractItemModel* model = ui->treeView->model();
    if (!model)
        return;
    for (int r = 0; r < model->rowCount(); ++r)
        ui->treeView->expand(model->index(r, 0));
}

// --- current item, context menu, favourites actions --------------------------------

QModelIndex FeatureTreeWidget::GetCurrentIndex() const
{
    return ui->treeView->currentIndex();
}

FeatureTreeItem* FeatureTreeWidget::GetCurrentItem() const
{
    const QModelIndex current = GetCurrentIndex();
    const IFeatureTreeModelExtension* ext = getFeatureExtension();
    return current.isValid() && ext ? ext->getFeatureTreeItem(current) : nullptr;
}

QSharedPointer<ParameterCollection::IParameter> FeatureTreeWidget::GetCurrentNode() const
{
    auto* node = qobject_cast<FeatureTreeINodeItem*>(GetCurrentItem());
    return node ? node->node() : nullptr;
}

bool FeatureTreeWidget::isFeatureTreeView(QWidget* widget)
{
    return qobject_cast<QTreeView*>(widget) != nullptr;
}

bool FeatureTreeWidget::IsOnCurrentItem(const QPoint& globalPoint) const
{
    const QModelIndex current = GetCurrentIndex();
    if (!current.isValid())
        return false;
    const QModelIndex under = ui->treeView->indexAt(ui->treeView->viewport()->mapFromGlobal(globalPoint));
    return under.isValid() && under == current;
}

bool FeatureTreeWidget::IsCurrentFavorite() const
{
    const IFeatureTreeModelExtension* ext = getFeatureExtension();
    return ext && ext->IsFavoriteTreeItem(GetCurrentItem());
}

void FeatureTreeWidget::onCurrentChanged(const QModelIndex& current)
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    FeatureTreeItem* item = current.isValid() && ext ? ext->getFeatureTreeItem(current) : nullptr;
    if (item) {
        auto* node = qobject_cast<FeatureTreeINodeItem*>(item);
        if (node && node->node()) {
            if (!ui->filterEdit->hasFocus())
                emit onCurrentChanged(node->node());
        } else if (item->HasDescription()) {
            emit onNewText(item->GetDescription());
        }
    }
    if (ext) {
        actionAddToFavourites->setEnabled(ext->CanAddAsFavorite(current));
        actionRemoveFavourite->setEnabled(ext->IsFavoriteTreeItem(item));
        actionMoveFavouriteUp->setEnabled(ext->CanMoveFavorite(current, true));
        actionMoveFavouriteDown->setEnabled(ext->CanMoveFavorite(current, false));
    }
}

void FeatureTreeWidget::contextualMenu(const QPoint& point)
{
    if (!GetCurrentIndex().isValid())
        return;
    QSharedPointer<QMenu> menu(new QMenu);
    if (IsCurrentFavorite()) {
        if (getFeatureExtension()) {
            menu->addAction(actionMoveFavouriteUp);
            menu->addAction(actionMoveFavouriteDown);
        }
        menu->addSeparator();
        menu->addAction(actionRemoveFavourite);
    } else {
        menu->addAction(actionAddToFavourites);
    }
    emit contextMenuRequested(point, menu);
}

void FeatureTreeWidget::AddToFavourites_triggered()
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (!ext || !ext->CanAddAsFavorite(GetCurrentIndex()))
        return;
    ext->AddFavorite(GetCurrentNode(), std::numeric_limits<int>::max()); // at the end
    if (auto* proxy = qobject_cast<FeatureTreeProxyModel*>(ui->treeView->model()))
        proxy->invalidate();
    ext->refreshSpecialItems();
}

void FeatureTreeWidget::FavouriteMoveUp_triggered()
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (ext && GetCurrentIndex().isValid())
        ext->MoveFavorite(GetCurrentIndex(), true);
}

void FeatureTreeWidget::FavouriteMoveDown_triggered()
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    if (ext && GetCurrentIndex().isValid())
        ext->MoveFavorite(GetCurrentIndex(), false);
}

void FeatureTreeWidget::FavouriteRemove_triggered()
{
    IFeatureTreeModelExtension* ext = getFeatureExtension();
    const QModelIndex current = GetCurrentIndex();
    if (!ext || !current.isValid())
        return;
    QModelIndex neighbour = ui->treeView->indexBelow(current);
    if (!neighbour.isValid())
        neighbour = ui->treeView->indexAbove(current);
    // The index is kept by name: the removal rebuilds the favourites branch.
    const QPersistentModelIndex removed(current);
    ui->treeView->clearSelection();
    ui->treeView->setCurrentIndex(neighbour);
    ext->RemoveFavorite(removed);
    refreshTree();
}

// --- expansion and current item around a search ---------------------------------------

void FeatureTreeWidget::saveExpandedStatus()
{
    expandedIds.clear();
    QAbstractItemModel* model = ui->treeView->model();
    if (!model)
        return;
    for (int r = 0; r < model->rowCount(); ++r)
        saveExpandedOnLevel(model->index(r, 0));
}

void FeatureTreeWidget::saveExpandedOnLevel(const QModelIndex& index)
{
    if (!ui->treeView->isExpanded(index))
        return;
    if (index.isValid())
        ++expandedIds[index.data(FeatureTreeItem::UniqueID).toULongLong()];
    const QAbstractItemModel* model = index.model();
    for (int r = 0; model && r < model->rowCount(index); ++r)
        saveExpandedOnLevel(model->index(r, 0, index));
}

void FeatureTreeWidget::restoreExpandedStatus()
{
    QAbstractItemModel* model = ui->treeView->model();
    if (!model)
        return;
    ui->treeView->setUpdatesEnabled(false);
    for (int r = 0; r < model->rowCount(); ++r)
        restoreExpandedOnLevel(model->index(r, 0));
    ui->treeView->setUpdatesEnabled(true);
}

void FeatureTreeWidget::restoreExpandedOnLevel(const QModelIndex& index)
{
    const QAbstractItemModel* model = index.model();
    if (!model)
        return;
    const bool open = ui->treeView->isExpanded(index);
    const auto found = expandedIds.find(index.data(FeatureTreeItem::UniqueID).toULongLong());
    if (found != expandedIds.end()) {
        ui->treeView->expand(index);
        if (--found.value() == 0)
            expandedIds.erase(found);
    } else if (open) {
        ui->treeView->collapse(index);
    } else {
        // Saving descended into open rows only: below a row that was closed
        // then and is closed now nothing is to be opened or closed.
        return;
    }
    for (int r = 0; r < model->rowCount(index); ++r)
        restoreExpandedOnLevel(model->index(r, 0, index));
}

void FeatureTreeWidget::saveSelectionStatus()
{
    const QModelIndex current
        = ui->treeView->selectionModel() ? ui->treeView->selectionModel()->currentIndex() : QModelIndex();
    savedCurrentId = current.isValid() ? current.data(FeatureTreeItem::UniqueID) : QVariant();
}

void FeatureTreeWidget::restoreSelectionStatus()
{
    if (!savedCurrentId.isValid())
        return;
    if (IFeatureTreeModelExtension* ext = getFeatureExtension()) {
        const QModelIndex found = ext->findItemByRole(FeatureTreeItem::UniqueID, savedCurrentId, nullptr, 0);
        if (found.isValid())
            ui->treeView->setCurrentIndex(found);
    }
    savedCurrentId = QVariant();
}

// --- clipboard, keys, fonts ------------------------------------------------------------

void FeatureTreeWidget::writeRows(QString& text, const QModelIndex& parent, int depth) const
{
    // Depth first, in display order, with a stack of its own: a tree of any
    // depth is written without growing the thread's stack.
    const QAbstractItemModel* model = ui->treeView->model();
    // Rows to write and their depths; loading a category's rows may move others.
    QVector<QPair<QPersistentModelIndex, int>> pending;
    for (int r = model->rowCount(parent) - 1; r >= 0; --r)
        pending.append({model->index(r, 0, parent), depth});
    while (!pending.isEmpty()) {
        const auto [row, level] = pending.takeLast();
        const QModelIndex name = row;
        const QString indent(2 * level, QLatin1Char(' '));
        text += indent + name.data(Qt::DisplayRole).toString().leftJustified(40 - 2 * level, QLatin1Char(' '))
            + QLatin1Char('\t') + name.siblingAtColumn(1).data(Qt::DisplayRole).toString() + QLatin1Char('\n');
        for (int r = model->rowCount(name) - 1; r >= 0; --r)
            pending.append({model->index(r, 0, name), level + 1});
    }
}

void FeatureTreeWidget::copyToClipboard()
{
    if (!getFeatureExtension())
        return;
    QString text;
    writeRows(text, QModelIndex(), 0);
    QApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void FeatureTreeWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (escapePressed) {
            ui->filterEdit->clear();
            escapePressed = false;
        } else {
            escapePressed = true;
        }
    } else {
        escapePressed = false;
    }
    QWidget::keyPressEvent(event);
}

bool FeatureTreeWidget::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    if (event->type() == QEvent::FontChange) {
        // Children that have a font of their own would keep it; pass the change on.
        for (QWidget* child : findChildren<QWidget*>())
            QCoreApplication::sendEvent(child, event);
    }
    return result;
}
