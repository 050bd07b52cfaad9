#pragma once

#include "featuretree/featuretreeview.h"
#include "featuretree/treewidgetbase.h"
#include "genicam/genapienums.h"
#include "parametercollection/metatypes.h"

#include <QHash>
#include <QList>
#include <QMenu>
#include <QModelIndex>
#include <QSharedPointer>
#include <QVariant>

#include <memory>

class FeatureTreeItem;

class IFeatureTreeModelExtension;
class QAction;
class Ui_FeatureTreeWidgetClass;

namespace Plugin {
namespace CameraPool {
class IBaseInfo;
}
} // namespace Plugin

Q_DECLARE_METATYPE(QSharedPointer<QMenu>)

/// The feature tree a host window embeds for one device: a search field over
/// the tree, check boxes for polling and unavailable favourites, a refresh
/// button, favourites actions and a context menu the host completes. It keeps
/// the expansion and current row around a search and reports the current
/// feature, its description and the search results to the host.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeWidget : public TreeWidgetBase
{
    Q_OBJECT
public:
    /// `visibility` and `flag` are accepted for compatibility and not used: the
    /// level is Guru until setVisibility() is called.
    FeatureTreeWidget(QString name, QSharedPointer<Plugin::CameraPool::IBaseInfo> info, QWidget* parent = nullptr,
                      GenApi::EVisibility visibility = GenApi::Guru, bool flag = false);
    ~FeatureTreeWidget() override;

    QSize sizeHint() const override;
    FeatureTreeView* treeView() override;
    FeatureTreeView* treeView() const;

    void setVisibility(GenApi::EVisibility visibility);
    GenApi::EVisibility visibility() const;
    void setPolling(bool on);
    bool getPolling() const;
    void setPollingVisible(bool visible);
    void setViewAllFavorites(bool on);
    bool getViewAllFavorites() const;
    void setViewAllFavoritesVisible(bool visible);
    void EnableGenICamCallbacks(bool enable);
    void Refresh();
    void expandRootNodes();
    void deviceIsClosed();
    void setCameraType(QString type);
    FeatureTreeItem* GetCurrentItem() const;
    QSharedPointer<ParameterCollection::IParameter> GetCurrentNode() const;
    static bool isFeatureTreeView(QWidget* widget);

Q_SIGNALS:
    /// The host may add entries to the menu and shows it.
    void contextMenuRequested(const QPoint& point, QSharedPointer<QMenu> ptrMenu);
    void visibilityChanged(GenApi::EVisibility);
    void onCurrentChanged(QSharedPointer<ParameterCollection::IParameter>);
    void onNewText(QString str);
    void pollingStateChanged(bool);
    void viewAllFavoritesStateChanged(bool);
    /// The number of matches, and how many of them only a higher level shows.
    void filterMatchesChanged(int, int);

public Q_SLOTS:
    void setMonitorMode(bool bMonitorMode);
    void addParameterCollection(QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection,
                                const QString& rootName, const QString& roleName, bool isUtf8);
    void copyToClipboard();
    void clear();
    void expandTree();
    void onPollingStateChanged(bool newState);

protected Q_SLOTS:
    void onCurrentChanged(const QModelIndex& current);
    void contextualMenu(const QPoint& point);
    void onFilterTextChanged(const QString& newText);

private Q_SLOTS:
    void onVisibilityChanged(int);
    void on_resetButton_clicked();
    void on_checkBoxPolling_clicked();
    void on_checkBoxViewAllFavorites_clicked();
    void AddToFavourites_triggered();
    void FavouriteMoveUp_triggered();
    void FavouriteMoveDown_triggered();
    void FavouriteRemove_triggered();
    void TogglePolling_triggered();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    IFeatureTreeModelExtension* getFeatureExtension();
    const IFeatureTreeModelExtension* getFeatureExtension() const;
    QModelIndex GetCurrentIndex() const;
    bool IsOnCurrentItem(const QPoint& globalPoint) const;
    void refreshTree();
    void saveExpandedStatus();
    void restoreExpandedStatus();
    void saveExpandedOnLevel(const QModelIndex& index);
    void restoreExpandedOnLevel(const QModelIndex& index);
    void saveSelectionStatus();
    void restoreSelectionStatus();

private:
    bool IsCurrentFavorite() const;
    QAction* createAction(const char* objectName, const QKeySequence& shortcut, const QString& icon,
                          void (FeatureTreeWidget::*slot)());
    /// The texts set in code (the form sets its own), in the language installed now.
    void setTexts();
    /// Everything the widget shows in words, again after the application's language changed.
    void retranslate();
    static QString searchResultsText(int total, int higherLevelOnly);
    void writeRows(QString& text, const QModelIndex& parent, int depth) const;
    /// Counts, help row and summary of the current search, from the last filtering pass.
    void showSearchResults();
    /// Filters every row again; false without a filter proxy.
    bool filterAgain();
    /// The level for the view and the proxy, without filtering.
    void applyLevel(GenApi::EVisibility v);

    QHash<quint64, int> expandedIds; // How often each ID was expanded when the search began.
    QVariant savedCurrentId;
    std::unique_ptr<Ui_FeatureTreeWidgetClass> ui; // The widgets it points to belong to this widget.
    QAction* actionAddToFavourites = nullptr;
    QAction* actionMoveFavouriteUp = nullptr;
    QAction* actionMoveFavouriteDown = nullptr;
    QAction* actionRemoveFavourite = nullptr;
    QAction* actionTogglePolling = nullptr;
    QString name;
    bool firstFilterPending = true;
    QString filterText;
    QString cameraType;
    QSharedPointer<Plugin::CameraPool::IBaseInfo> cameraInfo;
};
