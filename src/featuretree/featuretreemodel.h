#pragma once

#include "featuretree/favoritesdata.h"
#include "featuretree/ifeaturetreemodelextension.h"

#include <QAbstractItemModel>
#include <QList>
#include <QSharedPointer>
#include <QTimer>

#include <memory>

class FavoritesBranch;
class FeatureTreeItem;
class FeatureTreeINodeItem;

/// The item model of the feature tree: a hidden root whose rows are the search
/// help row, the favourites and one row per parameter collection, whose
/// categories load their children on first demand. It turns failures into
/// user messages, polls the first collection on a timer while polling is on,
/// and takes features dragged into the favourites.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeModel : public QAbstractItemModel, public IFeatureTreeModelExtension
{
    Q_OBJECT
public:
    /// The drag-and-drop format: item addresses, meaningful inside this process only.
    static const QString mimeFormat;

    explicit FeatureTreeModel(QObject* parent = nullptr);
    ~FeatureTreeModel() override;

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;

    // IFeatureTreeModelExtension
    bool IsFavoriteTreeItem(const FeatureTreeItem* item) const override;
    bool IsFavoriteTreeRoot(const FeatureTreeItem* item) const override;
    QModelIndex indexForItem(FeatureTreeItem* item, int column) const override;
    QModelIndex GetFavoritesRootIndex() override;
    void EnablePolling(bool enable) override;
    bool GetPolling() const override;
    void EnableViewAllFavorites(bool enable) override;
    bool GetViewAllFavorites() const override;
    void SetDeviceAlive(bool alive) override;
    QModelIndex findItem(const FeatureTreeItem* item, const FeatureTreeItem* start, int column) const override;
    QModelIndex findItemByFullName(const QString& fullName, FeatureTreeItem* start, int column) const override;
    QModelIndex findItemByRole(int role, const QVariant& value, FeatureTreeItem* start, int column) const override;
    void addParameterCollection(QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection,
                                const QString& rootName, const QString& roleName, bool isUtf8) override;
    void rebuildFavoriteItems() override;
    void CreateFavoritesRoot() override;
    bool RemoveFavorite(QModelIndex index) override;
    bool AddFavorite(QSharedPointer<ParameterCollection::IParameter> parameter, int index) override;
    FavoritesData& GetFavorites() override;
    bool MoveFavorite(QModelIndex index, bool up) override;
    bool CanMoveFavorite(QModelIndex index, bool up) const override;
    bool CanAddAsFavorite(QModelIndex index) const override;
    void refresh() override;
    void addChildren(FeatureTreeINodeItem* parentItem) override;
    void setVisibility(GenApi::EVisibility visibility) override;
    GenApi::EVisibility getVisibility() const override;
    void setMonitorMode(bool monitorMode) override;
    void setGenICamCallbacksEnable(bool enable) override;
    bool getGenICamCallbackEnable() const override;
    FeatureTreeItem* getFeatureTreeItem(const QModelIndex& index) const override;
    void setHighlighter(FeatureTreeHighlighter* highlighter) override;
    FeatureTreeItem* getSearchHelpItem() const override;
    void refreshSpecialItems() override;
    QString GetParameterCollectionName(
        QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection) const override;
    void replaceFavoritesZombies(QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection,
                                 const QString& roleName) override;
    int getFavoritesIndexFromFeatureTreeItem(const FeatureTreeItem* item) const override;
    int getFavoritesIndexFromModelIndex(QModelIndex index) const override;

    /// The full name of a favourite's row: "Fav*", the collection prefix without
    /// its "@" characters, "*" and the node name ("Fav*CameraDevice*Gain").
    static QString favoriteFullName(const FavoriteEntry& entry);

    /// Says the model's own texts (headers, the favourites rows, the state of a collection's row) again in the
    /// language installed now, and announces them. A view shown in its window calls it when the application's
    /// language changes (FeatureTreeWidget does); feature names and values come from the node maps.
    void retranslate();

public Q_SLOTS:
    void clear() override;
    void onNodeUpdated(int row, FeatureTreeINodeItem* nodeItem) override;
    void onTimerPoll() override;

private:
    friend class FavoritesBranch; // builds its rows as the model's own and announces them

    struct CollectionEntry
    {
        QString roleName;
        QSharedPointer<ParameterCollection::IParameterCollection> collection;
    };

    FeatureTreeINodeItem* createNodeItem(QSharedPointer<ParameterCollection::IParameterCollection> collection,
                                         QSharedPointer<ParameterCollection::IParameter> parameter,
                                         const QString& fullName, FeatureTreeItem* parent);

    /// The rows of a collection whose device is lost are disabled, dimmed and
    /// without editors until it answers again; the first loss is reported once.
    void onConnectionStateChanged(const ParameterCollection::IParameterCollection* collection);
    /// True when `item` stands for a parameter of a collection whose device is lost.
    static bool isDisconnected(const FeatureTreeItem* item);
    /// Announces every row of `collection` (tree and favourites) as changed.
    void announceRowsOf(const ParameterCollection::IParameterCollection* collection);

    FeatureTreeItem* rootItem = nullptr; // Owned: deleting it deletes the tree.
    std::unique_ptr<FavoritesBranch> favorites; // Its rows belong to rootItem.
    FeatureTreeItem* searchHelpItem = nullptr; // Owned by rootItem; null until created.
    // The help row's level when its row was last announced: filters decide on a row once.
    GenApi::EVisibility announcedHelpVisibility = GenApi::Invisible;
    QList<CollectionEntry> collections;
    mutable bool dataErrorShown = false;
    mutable bool answeringRowCount = false; // rows loaded meanwhile are news to nobody
    GenApi::EVisibility visibility = GenApi::Guru;
    int pollIntervalMs = 300;
    QTimer pollTimer;
    bool pollingEnabled = false;
    bool deviceAlive = true;
    bool monitorMode = false;
    bool genICamCallbacksEnabled = true;
    bool isUtf8 = false;
    bool lossReported = false; // a lost device is reported once until every collection answers again
    FeatureTreeHighlighter* highlighter = nullptr; // Not owned.

    static FavoritesData m_favorites;
};
