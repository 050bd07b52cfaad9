#pragma once

#include "genicam/genapienums.h"
#include "orvikviewercomponents6_export.h"

#include <QModelIndex>
#include <QSharedPointer>
#include <QString>
#include <QVariant>

class FavoritesData;
class FeatureTreeHighlighter;
class FeatureTreeINodeItem;
class FeatureTreeItem;

namespace ParameterCollection {
class IParameter;
class IParameterCollection;
} // namespace ParameterCollection

/// The feature tree model's own services beyond QAbstractItemModel: what the
/// items, the filter proxy, the view, the delegate and the widget ask of the
/// tree. The model implements it; the proxy implements it by mapping indexes
/// and forwarding, so callers reach it with a dynamic cast of any tree model.
class ORVIKVIEWERCOMPONENTS6_EXPORT IFeatureTreeModelExtension
{
public:
    virtual ~IFeatureTreeModelExtension();

    virtual bool IsFavoriteTreeItem(const FeatureTreeItem* item) const = 0;
    virtual bool IsFavoriteTreeRoot(const FeatureTreeItem* item) const = 0;
    virtual QModelIndex indexForItem(FeatureTreeItem* item, int column) const = 0;
    virtual QModelIndex GetFavoritesRootIndex() = 0;
    virtual void EnablePolling(bool enable) = 0;
    virtual bool GetPolling() const = 0;
    virtual void EnableViewAllFavorites(bool enable) = 0;
    virtual bool GetViewAllFavorites() const = 0;
    virtual void SetDeviceAlive(bool alive) = 0;
    /// The searches look below `start`, or below the hidden root when `start`
    /// is null, and answer the index of the first match in `column`.
    virtual QModelIndex findItem(const FeatureTreeItem* item, const FeatureTreeItem* start, int column) const = 0;
    virtual QModelIndex findItemByFullName(const QString& fullName, FeatureTreeItem* start, int column) const = 0;
    virtual QModelIndex findItemByRole(int role, const QVariant& value, FeatureTreeItem* start, int column) const = 0;
    virtual void addParameterCollection(QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection,
                                        const QString& rootName, const QString& roleName, bool isUtf8)
        = 0;
    virtual void rebuildFavoriteItems() = 0;
    virtual void CreateFavoritesRoot() = 0;
    virtual bool RemoveFavorite(QModelIndex index) = 0;
    virtual bool AddFavorite(QSharedPointer<ParameterCollection::IParameter> parameter, int index) = 0;
    virtual FavoritesData& GetFavorites() = 0;
    virtual bool MoveFavorite(QModelIndex index, bool up) = 0;
    virtual bool CanMoveFavorite(QModelIndex index, bool up) const = 0;
    virtual bool CanAddAsFavorite(QModelIndex index) const = 0;
    virtual void refresh() = 0;
    /// Loads the children of a category row; called by the row on first demand.
    virtual void addChildren(FeatureTreeINodeItem* parentItem) = 0;
    virtual void setVisibility(GenApi::EVisibility visibility) = 0;
    virtual GenApi::EVisibility getVisibility() const = 0;
    virtual void setMonitorMode(bool monitorMode) = 0;
    virtual void setGenICamCallbacksEnable(bool enable) = 0;
    virtual bool getGenICamCallbackEnable() const = 0;
    virtual FeatureTreeItem* getFeatureTreeItem(const QModelIndex& index) const = 0;
    /// The highlighter is not owned; it is handed to every row created afterwards.
    virtual void setHighlighter(FeatureTreeHighlighter* highlighter) = 0;
    virtual FeatureTreeItem* getSearchHelpItem() const = 0;
    virtual void refreshSpecialItems() = 0;
    virtual void clear() = 0;
    virtual void onNodeUpdated(int row, FeatureTreeINodeItem* nodeItem) = 0;
    virtual void onTimerPoll() = 0;
    virtual QString GetParameterCollectionName(
        QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection) const = 0;
    virtual void replaceFavoritesZombies(QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection,
                                         const QString& roleName)
        = 0;
    virtual int getFavoritesIndexFromFeatureTreeItem(const FeatureTreeItem* item) const = 0;
    virtual int getFavoritesIndexFromModelIndex(QModelIndex index) const = 0;

protected:
    IFeatureTreeModelExtension() = default;
    IFeatureTreeModelExtension(const IFeatureTreeModelExtension&) = default;
    IFeatureTreeModelExtension& operator=(const IFeatureTreeModelExtension&) = default;
};
