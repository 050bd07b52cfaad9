#pragma once

#include <QCoreApplication>
#include <QSharedPointer>
#include <QString>

class FavoritesData;
class FeatureTreeItem;
class FeatureTreeModel;
struct FavoriteEntry;

namespace ParameterCollection {
class IParameter;
class IParameterCollection;
} // namespace ParameterCollection

/// The favourites branch of the feature tree model: its root row, one row per
/// entry of the process-wide favourites list (a live parameter row once an open
/// collection has the feature, a placeholder until then, a hint while the list
/// is empty), the root's tool tip that counts them, and the mapping between
/// those rows and positions in the list.
///
/// The model owns the branch and forwards its favourites operations to it; the
/// branch changes the model's rows and announces each change through the model.
class FavoritesBranch
{
    // The branch's texts belong to the model's translation context, where they have always been.
    Q_DECLARE_TR_FUNCTIONS(FeatureTreeModel)

public:
    explicit FavoritesBranch(FeatureTreeModel& model);

    FeatureTreeItem* root() const { return rootItem; }
    /// Creates the root row at the top of the tree, once.
    void createRoot(FeatureTreeItem* treeRoot);
    /// Forgets the rows: the model deleted them.
    void forget() { rootItem = nullptr; }

    /// Rows for the list as it is now: placeholders, or the hint.
    void rebuild();
    /// The texts of the root, the hint and the count again, in the language installed now.
    void retranslate();
    /// Turns the placeholders of `roleName` into live rows of `collection`.
    void replacePlaceholders(const QSharedPointer<ParameterCollection::IParameterCollection>& collection,
                             const QString& roleName);

    bool isRoot(const FeatureTreeItem* item) const;
    bool contains(const FeatureTreeItem* item) const;
    /// The list position a row stands for (a favourites row or a tree row), or -1.
    int position(const FeatureTreeItem* item) const;

    bool add(const QSharedPointer<ParameterCollection::IParameter>& parameter, int position);
    /// Adds tree rows and moves favourites rows to `row`, in the order given, with one announcement.
    void drop(const QList<FeatureTreeItem*>& items, int row);

private:
    FavoritesData& list() const;
    void updateToolTip();
    static void setRootTexts(FeatureTreeItem* root);
    static void setHintTexts(FeatureTreeItem* hint);
    void announce(FeatureTreeItem* item);

    FeatureTreeModel& model;
    FeatureTreeItem* rootItem = nullptr; // Owned by the model's tree; null until created.
};
