#pragma once

#include "orvikviewercomponents6_export.h"

#include <QList>
#include <QObject>
#include <QString>

/// One favourite: a feature named by node name and collection prefix, so that
/// it can be listed while no camera that has it is open.
struct ORVIKVIEWERCOMPONENTS6_EXPORT FavoriteEntry
{
    QString name;             ///< node name, such as "Gain"
    QString displayName;      ///< the feature's display name when it was added
    QString collectionPrefix; ///< first part of the full name, such as "@CameraDevice"

    /// Same favourite: equal name and collection prefix; the display name does not count.
    bool isSameFavorite(const FavoriteEntry& other) const
    {
        return name == other.name && collectionPrefix == other.collectionPrefix;
    }
};

/// The process-wide list of favourite features: kept in display order, loaded
/// from and saved to the application's settings, and announced to the views
/// through dataUpdated() whenever it changes.
class ORVIKVIEWERCOMPONENTS6_EXPORT FavoritesData : public QObject
{
    Q_OBJECT
public:
    explicit FavoritesData(QObject* parent = nullptr);
    ~FavoritesData() override;

    /// Only the first call reads the settings of `group`.
    void load(const QString& group);
    bool isLoaded() const { return loaded; }
    /// Both return false and touch nothing for an empty group.
    bool readSettings(const QString& group);
    bool save(const QString& group);

    int count() const { return entries.size(); }
    bool isValidIndex(int index) const { return index >= 0 && index < entries.size(); }
    /// Null when out of range.
    const FavoriteEntry* entry(int index) const;
    /// Position of the same favourite, or -1.
    int indexOf(const FavoriteEntry& entry) const;

    bool append(const FavoriteEntry& entry);
    /// A negative position counts from the end. Entries with an empty name and
    /// favourites already in the list are refused.
    bool insert(int position, const FavoriteEntry& entry);
    /// Removes and notifies; `removed` receives the entry when not null.
    bool remove(int position, FavoriteEntry* removed = nullptr);
    /// Removes without notifying.
    bool take(int position, FavoriteEntry* taken = nullptr);
    /// Moves so that the entry lands before the entry now at `to`.
    bool move(int from, int to);

    void setViewAll(bool viewAll);
    bool getViewAll() const { return viewAll; }
    void setExpanded(bool expanded);
    bool isExpanded() const { return expandedState; }
    /// While suspended, changes are remembered and announced once on resuming.
    void setUpdatesSuspended(bool suspended);
    bool updatesSuspended() const { return suspended; }
    void setGroup(const QString& g) { group = g; }
    QString getGroup() const { return group; }

Q_SIGNALS:
    void dataUpdated();
    void expanded(bool expanded);

private:
    void notify();

    bool loaded = false;
    bool viewAll = true;
    bool expandedState = false;
    bool suspended = false;
    bool updatePending = false;
    QString group;
    QList<FavoriteEntry> entries;
};
