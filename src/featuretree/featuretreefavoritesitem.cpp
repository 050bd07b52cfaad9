#include "featuretree/featuretreefavoritesitem.h"

#include "featuretree/rownames_p.h"

FeatureTreeFavoritesItem::FeatureTreeFavoritesItem(const QString& displayedName, IFeatureTreeModelExtension* extension,
                                                   FeatureTreeItem* parent)
    : FeatureTreeItem(displayedName, extension, RowNames::favoritesRoot, parent)
{ }

FeatureTreeFavoritesItem::~FeatureTreeFavoritesItem() = default;

QVariant FeatureTreeFavoritesItem::data(int column, int role) const
{
    if (column == 0 && role == GenicamCategory)
        return true;
    return FeatureTreeItem::data(column, role);
}

int FeatureTreeFavoritesItem::editorType() const
{
    return EditorNone;
}

bool FeatureTreeFavoritesItem::ShowMe(GenApi::EVisibility) const
{
    return true;
}

GenApi::EAccessMode FeatureTreeFavoritesItem::getAccessMode() const
{
    return GenApi::RW;
}

GenApi::EVisibility FeatureTreeFavoritesItem::getVisibility() const
{
    return GenApi::Beginner;
}

Qt::ItemFlags FeatureTreeFavoritesItem::flags(int column) const
{
    Qt::ItemFlags f = FeatureTreeItem::flags(column) | Qt::ItemIsEnabled;
    if (column == 0)
        f |= Qt::ItemIsDropEnabled;
    return f;
}

QVariant FeatureTreeFavoritesItem::GetForegroundRole() const
{
    return QVariant();
}
