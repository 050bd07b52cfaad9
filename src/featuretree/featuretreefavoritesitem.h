#pragma once

#include "featuretree/featuretreeitem.h"

/// The top-level "Favorites" row: always shown, drawn in the normal text
/// colour, a drop target for features dragged from the tree.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeFavoritesItem : public FeatureTreeItem
{
    Q_OBJECT
public:
    FeatureTreeFavoritesItem(const QString& displayedName, IFeatureTreeModelExtension* extension,
                             FeatureTreeItem* parent);
    ~FeatureTreeFavoritesItem() override;

    QVariant data(int column, int role) const override;
    int editorType() const override;
    bool ShowMe(GenApi::EVisibility visibility) const override;
    GenApi::EAccessMode getAccessMode() const override;
    GenApi::EVisibility getVisibility() const override;
    Qt::ItemFlags flags(int column) const override;

protected:
    QVariant GetForegroundRole() const override;
};
