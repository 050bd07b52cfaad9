#include "featuretree/favoritesdata.h"

#include "common/settingsgroup.h"

#include <algorithm>

namespace {
const QString versionKey = QStringLiteral("Version");
const QString countKey = QStringLiteral("NumberOfEntries");
const QString viewAllKey = QStringLiteral("ViewAll");
const QString expandedKey = QStringLiteral("Expanded");
constexpr int settingsVersion = 3;
// No one keeps more favourites than this; a larger count in the settings is damage.
constexpr int maxEntries = 1000;

// The positions of the entry keys ("0", "1", ...) that exist, from `first` on, in order.
QList<int> entryPositions(QSettings& settings, int first)
{
    QList<int> positions;
    for (const QString& key : settings.childKeys()) {
        bool ok = false;
        const int i = key.toInt(&ok);
        if (ok && i >= first && key == QString::number(i))
            positions << i;
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}
} // namespace

FavoritesData::FavoritesData(QObject* parent)
    : QObject(parent)
{
}

FavoritesData::~FavoritesData() = default;

void FavoritesData::load(const QString& g)
{
    if (loaded)
        return;
    group = g;
    readSettings(g);
    loaded = true;
}

bool FavoritesData::readSettings(const QString& g)
{
    if (g.isEmpty())
        return false;
    {
        SettingsGroup settings(g);
        settings->value(versionKey, 1); // read for completeness; every version reads the same way
        // Only the entries that exist are read: the count may be anything.
        const int n = settings->value(countKey, 0).toInt();
        if (n > maxEntries)
            qWarning("The favourites claim %d entries: only entries 0 to %d are read", n, maxEntries - 1);
        const bool wasSuspended = suspended;
        setUpdatesSuspended(true);
        for (int i : entryPositions(settings.settings(), 0)) {
            if (i >= qMin(n, maxEntries))
                break;
            const QString text = settings->value(QString::number(i)).toString();
            if (text.isEmpty())
                continue;
            const QStringList parts = text.split(QLatin1Char('*'), Qt::SkipEmptyParts);
            if (parts.size() != 3)
                continue;
            append(FavoriteEntry{parts.at(0), parts.at(1), parts.at(2)});
        }
        suspended = wasSuspended;
        updatePending = updatePending && wasSuspended; // announced once, below
        viewAll = settings->value(viewAllKey, false).toBool();
        expandedState = settings->value(expandedKey, true).toBool();
    }
    notify();
    return true;
}

bool FavoritesData::save(const QString& g)
{
    if (g.isEmpty())
        return false;
    SettingsGroup settings(g);
    settings->setValue(versionKey, settingsVersion);
    settings->setValue(countKey, entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        const FavoriteEntry& e = entries.at(i);
        if (!e.name.isEmpty() && !e.collectionPrefix.isEmpty())
            settings->setValue(QString::number(i),
                               QStringLiteral("%1*%2*%3").arg(e.name, e.displayName, e.collectionPrefix));
    }
    // A list that shrank must not leave its old tail behind.
    for (int i : entryPositions(settings.settings(), entries.size()))
        settings->remove(QString::number(i));
    settings->setValue(viewAllKey, viewAll ? 1 : 0);
    settings->setValue(expandedKey, expandedState ? 1 : 0);
    return true;
}

const FavoriteEntry* FavoritesData::entry(int index) const
{
    return isValidIndex(index) ? &entries.at(index) : nullptr;
}

int FavoritesData::indexOf(const FavoriteEntry& e) const
{
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).isSameFavorite(e))
            return i;
    }
    return -1;
}

bool FavoritesData::append(const FavoriteEntry& e)
{
    return insert(entries.size(), e);
}

bool FavoritesData::insert(int position, const FavoriteEntry& e)
{
    if (position < 0)
        position += entries.size();
    if (position < 0 || position > entries.size())
        return false;
    if (e.name.isEmpty() || indexOf(e) >= 0)
        return false;
    entries.insert(position, e);
    notify();
    return true;
}

bool FavoritesData::remove(int position, FavoriteEntry* removed)
{
    if (!take(position, removed))
        return false;
    notify();
    return true;
}

bool FavoritesData::take(int position, FavoriteEntry* taken)
{
    if (!isValidIndex(position))
        return false;
    FavoriteEntry e = entries.takeAt(position);
    if (taken)
        *taken = e;
    return true;
}

bool FavoritesData::move(int from, int to)
{
    FavoriteEntry e;
    if (!take(from, &e))
        return false;
    if (insert(from < to ? to - 1 : to, e))
        return true;
    // An impossible target must not lose the entry: put it back where it was.
    entries.insert(from, e);
    return false;
}

void FavoritesData::setViewAll(bool b)
{
    if (viewAll == b)
        return;
    viewAll = b;
    notify();
}

void FavoritesData::setExpanded(bool b)
{
    if (expandedState == b)
        return;
    expandedState = b;
    emit expanded(b);
}

void FavoritesData::setUpdatesSuspended(bool b)
{
    if (suspended && !b && updatePending) {
        suspended = false;
        updatePending = false;
        emit dataUpdated();
        return;
    }
    suspended = b;
}

void FavoritesData::notify()
{
    if (suspended)
        updatePending = true;
    else
        emit dataUpdated();
}
