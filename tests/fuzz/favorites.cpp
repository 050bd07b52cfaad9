// The favourites in the settings: each "key=value" line of the input is a
// key of the group. Oracle: what was read, once saved, reads back the same.
#include "featuretree/favoritesdata.h"
#include "fuzz.h"

#include <QSettings>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    const QString group = QStringLiteral("Favorites");
    {
        QSettings settings;
        settings.remove(group);
        for (const QByteArray& line : Fuzz::bytes(data, size).split('\n')) {
            const int equals = line.indexOf('=');
            if (equals > 0)
                settings.setValue(group + QLatin1Char('/') + QString::fromUtf8(line.left(equals)),
                                  QString::fromUtf8(line.mid(equals + 1)));
        }
    }
    FavoritesData read, again;
    read.readSettings(group);
    read.save(group);
    again.readSettings(group);
    Fuzz::require(again.count() == read.count());
    for (int i = 0; i < read.count(); ++i)
        Fuzz::require(again.entry(i)->isSameFavorite(*read.entry(i)));
    return 0;
}
