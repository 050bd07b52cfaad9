// Drop payloads on the favourites. Byte 0 is the row, byte 1 the action; then
// each byte below 0xF0 names a row of the tree (its address goes into the
// payload), and any other takes the next 8 bytes as an address from elsewhere.
#include "featuretree/favoritesdata.h"
#include "fuzz.h"
#include "treefixture.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    static TreeFixture f(false);
    static const auto collection = f.add(QStringLiteral("Image[Width=64 Gain:f=1 Mode:e=A(A B)] Reset:c Port:p"));
    if (size < 2)
        return 0;
    if (f.model.GetFavorites().count() > 3)
        f.model.GetFavorites().remove(0);
    f.model.rebuildFavoriteItems();
    QVector<qint64> rows; // every row, the favourites' too
    for (const QModelIndex& row : allRows(f.model))
        rows << qint64(quintptr(row.internalPointer()));
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    for (size_t i = 2; i < size; ++i) {
        if (data[i] < 0xF0) {
            stream << rows.value(data[i] % rows.size());
        } else if (i + 8 < size) {
            stream.writeRawData(reinterpret_cast<const char*>(data + i + 1), 8);
            i += 8;
        }
    }
    QMimeData mime;
    mime.setData(f.model.mimeTypes().value(0), payload);
    const Qt::DropAction actions[] = { Qt::MoveAction, Qt::CopyAction, Qt::IgnoreAction, Qt::LinkAction };
    f.model.dropMimeData(&mime, actions[data[1] & 3], int(qint8(data[0])), 0, f.model.GetFavoritesRootIndex());
    f.model.rebuildFavoriteItems();
    // No feature is a favourite twice.
    const FavoritesData& favorites = f.model.GetFavorites();
    for (int i = 0; i < favorites.count(); ++i) {
        for (int j = i + 1; j < favorites.count(); ++j)
            Fuzz::require(!favorites.entry(i)->isSameFavorite(*favorites.entry(j)));
    }
    return 0;
}
