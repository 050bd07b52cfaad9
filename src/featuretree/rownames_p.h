#pragma once

#include <QString>

/// The full names by which the feature tree recognises its structural rows
/// (FeatureTreeItem::FullNodeNameRole), and the pieces the full names of
/// parameter and favourites rows are made of. Hosts and stored state compare
/// some of these texts, so they never change.
namespace RowNames {

/// The search help row at the top of the tree.
inline const QString searchHelp = QStringLiteral("Search");
/// The favourites root row.
inline const QString favoritesRoot = QStringLiteral("FavoritesTopLevel");
/// The hint shown under the favourites root while the list is empty.
inline const QString favoritesHint = QStringLiteral("Dummy");
/// First piece of a favourites row's full name: "Fav*CameraDevice*Gain".
inline const QString favoritePrefix = QStringLiteral("Fav");
/// Separates the pieces of row full names ("@CameraDevice*Root", "Fav*...").
inline constexpr QChar separator = QLatin1Char('*');
/// The node name of every collection's top category.
inline const QString rootNode = QStringLiteral("Root");

} // namespace RowNames
