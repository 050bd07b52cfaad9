#include "featuretree/favoritesdata.h"
#include "fetch.h"
#include "logcapture.h"
#include "testsettings.h"

#include <QtTest>

namespace {

// "Name" or "Name@Prefix" (the camera's by default); the display name differs
// with every spelling, so that it cannot make a favourite different.
FavoriteEntry entry(const QString& text)
{
    const QString prefix = text.contains('@') ? '@' + text.section('@', 1) : "@CameraDevice";
    return FavoriteEntry { text.section('@', 0, 0), text + " shown", prefix };
}

// The names, with the collection where it is not the camera's.
QString names(const FavoritesData& data)
{
    QStringList list;
    for (int i = 0; i < data.count(); ++i)
        list << data.entry(i)->name + QString(data.entry(i)->collectionPrefix).remove("@CameraDevice");
    return list.join(' ');
}

} // namespace

class TestFavoritesData : public QObject
{
    Q_OBJECT
private slots:
    void edits_data()
    {
        QTest::addColumn<QString>("operation"); // on "A B C D"
        QTest::addColumn<int>("from"); // the position, for a move the source
        QTest::addColumn<QString>("argument"); // the entry inserted, or a move's target
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("insert at the end") << "insert" << 4 << "E" << true << "A B C D E";
        QTest::newRow("insert counting from the end") << "insert" << -1 << "E" << true << "A B C E D";
        QTest::newRow("insert past the end") << "insert" << 5 << "E" << false << "A B C D";
        QTest::newRow("insert before the front") << "insert" << -5 << "E" << false << "A B C D";
        QTest::newRow("insert a duplicate") << "insert" << 0 << "C@CameraDevice" << false << "A B C D";
        QTest::newRow("insert, other collection")
            << "insert" << 0 << "C@DeviceTransportLayer" << true << "C@DeviceTransportLayer A B C D";
        QTest::newRow("insert without name") << "insert" << 0 << "@CameraDevice" << false << "A B C D";
        QTest::newRow("remove") << "remove" << 1 << "" << true << "A C D";
        QTest::newRow("remove past the end") << "remove" << 4 << "" << false << "A B C D";
        QTest::newRow("move one down") << "move" << 0 << "2" << true << "B A C D";
        QTest::newRow("move to the end") << "move" << 1 << "4" << true << "A C D B";
        QTest::newRow("move to the front") << "move" << 3 << "0" << true << "D A B C";
        QTest::newRow("move from nowhere") << "move" << 4 << "0" << false << "A B C D";
        // A target outside the list must not lose the entry.
        QTest::newRow("move past the end") << "move" << 0 << "7" << false << "A B C D";
        QTest::newRow("move above the top") << "move" << 0 << "-6" << false << "A B C D";
    }
    void edits()
    {
        QFETCH(QString, operation);
        QFETCH(int, from);
        QFETCH(QString, argument);
        QFETCH(bool, result);
        // Suspended, a change is announced once when resumed, and nothing else is.
        for (bool suspended : { false, true }) {
            FavoritesData data;
            for (const char* name : { "A", "B", "C", "D" })
                QVERIFY(data.append(entry(name)));
            QSignalSpy updated(&data, &FavoritesData::dataUpdated);
            data.setUpdatesSuspended(suspended);
            const bool answer = operation == "insert" ? data.insert(from, entry(argument))
                : operation == "remove"               ? data.remove(from)
                                                      : data.move(from, argument.toInt());
            QCOMPARE(updated.count(), result && !suspended ? 1 : 0);
            data.setUpdatesSuspended(false);
            QCOMPARE(answer, result);
            QCOMPARE(updated.count(), result ? 1 : 0);
            QTEST(names(data), "expected");
        }
    }

    void persistsInTheSettings()
    {
        TestSettings isolated;
        QSettings settings;
        // As an older version or a hand edit may leave them: malformed entries (and key 5) are skipped.
        const QStringList stored = QString("Gain*Gain*@CameraDevice|Width**@CameraDevice|Gain*Again*@CameraDevice|"
                                           "Too*many*parts*here|||Height*Height*@CameraDevice")
                                       .split('|');
        settings.setValue("Favorites/NumberOfEntries", stored.size());
        for (int i = 0; i < stored.size(); ++i)
            settings.setValue("Favorites/" + QString::number(i), stored.at(i));
        settings.remove("Favorites/5");
        FavoritesData data;
        QSignalSpy updated(&data, &FavoritesData::dataUpdated);
        data.load("Favorites");
        data.load("Other"); // loads once
        QCOMPARE(names(data), QString("Gain Height"));
        QVERIFY(data.isLoaded() && data.getGroup() == "Favorites" && updated.count() > 0);
        QVERIFY(!data.getViewAll() && data.isExpanded()); // the defaults of missing keys
        // Saved shorter, the old tail goes.
        data.remove(0);
        data.append(entry("Rate@DeviceTransportLayer"));
        data.setViewAll(true);
        QSignalSpy expanded(&data, &FavoritesData::expanded);
        data.setExpanded(false);
        data.setExpanded(false);
        QCOMPARE(expanded.count(), 1);
        QVERIFY(data.save("Favorites"));
        QStringList keys = settings.allKeys();
        keys.sort();
        QCOMPARE(keys.join(' ').remove("Favorites/"), QString("0 1 Expanded NumberOfEntries Version ViewAll"));
        QCOMPARE(settings.value("Favorites/Version").toInt(), 3);
        FavoritesData loaded;
        QVERIFY(loaded.readSettings("Favorites"));
        QCOMPARE(names(loaded) + ", " + loaded.entry(1)->displayName,
                 QString("Height Rate@DeviceTransportLayer, Rate@DeviceTransportLayer shown"));
        QVERIFY(loaded.getViewAll() && !loaded.isExpanded());
        // Without a group nothing is read or written.
        QVERIFY(!loaded.save(QString()) && !loaded.readSettings(QString()));
        QCOMPARE(names(loaded), QString("Height Rate@DeviceTransportLayer"));
        QCOMPARE(settings.allKeys().size(), keys.size());
    }

    void readsOnlyTheEntriesThatExist_data()
    {
        QTest::addColumn<int>("count"); // NumberOfEntries
        QTest::addColumn<QList<int>>("keys"); // entries stored, named A0, A1, ... by their key
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("warning");
        QTest::newRow("the largest count") << INT_MAX << QList<int> { 0, 1 } << "A0 A1"
                                           << "The favourites claim 2147483647 entries: only entries 0 to 999 are read";
        QTest::newRow("beyond the maximum") << 5000 << QList<int> { 0, 999, 1000, 4000 } << "A0 A999"
                                            << "The favourites claim 5000 entries: only entries 0 to 999 are read";
        QTest::newRow("beyond the count") << 2 << QList<int> { 0, 2 } << "A0" << QString();
        QTest::newRow("negative count") << -1 << QList<int> { 0 } << QString() << QString();
    }
    void readsOnlyTheEntriesThatExist()
    {
        TestSettings isolated;
        QSettings settings;
        settings.setValue("Favorites/NumberOfEntries", fetch<int>("count"));
        for (int key : fetch<QList<int>>("keys"))
            settings.setValue("Favorites/" + QString::number(key), QString("A%1*A*@CameraDevice").arg(key));
        LogCapture log;
        FavoritesData data;
        QVERIFY(data.readSettings("Favorites"));
        QTEST(names(data), "expected");
        QTEST(log.texts(QtWarningMsg).join('|'), "warning");
        // Saving removes the stale keys, however large the old count.
        QVERIFY(data.save("Favorites"));
        QStringList stored = settings.allKeys().filter(QRegularExpression("/\\d+$"));
        QCOMPARE(stored.size(), data.count());
    }
};

QTEST_GUILESS_MAIN(TestFavoritesData)
#include "tst_favoritesdata.moc"
