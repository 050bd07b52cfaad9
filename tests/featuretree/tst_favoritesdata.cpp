#include "featuretree/favoritesdata.h"
#include "testsettings.h"

#include <QtTest>

namespace {

FavoriteEntry entry(const char* name, const char* prefix = "@CameraDevice")
{
    return FavoriteEntry{QString::fromLatin1(name), QString::fromLatin1(name) + QLatin1String(" shown"),
                         QString::fromLatin1(prefix)};
}

QString names(const FavoritesData& data)
{
    QStringList list;
    for (int i = 0; i < data.count(); ++i)
        list << data.entry(i)->name;
    return list.join(QLatin1Char(' '));
}

} // namespace

class TestFavoritesData : public QObject
{
    Q_OBJECT
private slots:
    void insertRefusesDuplicatesAndEmptyNames();
    void moves_data();
    void moves();
    void suspendedChangesAreAnnouncedOnce();
    void roundTripsThroughTheSettings();
    void savingAShorterListRemovesTheOldTail();
    void skipsMalformedStoredEntries();
    void emptyGroupTouchesNothing();
    void loadsOnlyOnce();
};

void TestFavoritesData::insertRefusesDuplicatesAndEmptyNames()
{
    FavoritesData data;
    QSignalSpy updated(&data, &FavoritesData::dataUpdated);
    QVERIFY(data.append(entry("Gain")));
    QVERIFY(data.append(entry("Gain", "@DeviceTransportLayer"))); // same name, other collection
    FavoriteEntry renamed = entry("Gain");
    renamed.displayName = QStringLiteral("Other text");
    QVERIFY(!data.append(renamed)); // display names do not make a new favourite
    QVERIFY(!data.append(FavoriteEntry{QString(), QStringLiteral("x"), QStringLiteral("@CameraDevice")}));
    QVERIFY(data.insert(-1, entry("Width"))); // counts from the end: before the last one
    QCOMPARE(names(data), QStringLiteral("Gain Width Gain"));
    QVERIFY(!data.insert(4, entry("Height")));
    QVERIFY(!data.insert(-4, entry("Height")));
    QCOMPARE(updated.count(), 3);
    QCOMPARE(data.indexOf(entry("Width")), 1);
    QVERIFY(!data.entry(3));
}

void TestFavoritesData::moves_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one down") << 0 << 2 << true << "B A C D";
    QTest::newRow("one up") << 2 << 1 << true << "A C B D";
    QTest::newRow("to the end") << 1 << 4 << true << "A C D B";
    QTest::newRow("to the front") << 3 << 0 << true << "D A B C";
    QTest::newRow("invalid source") << 4 << 0 << false << "A B C D";
    // A target outside the list must not lose the entry.
    QTest::newRow("invalid target keeps the entry") << 0 << 7 << false << "A B C D";
    QTest::newRow("up from the top keeps the entry") << 0 << -6 << false << "A B C D";
}

void TestFavoritesData::moves()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, result);
    QFETCH(QString, expected);
    FavoritesData data;
    for (const char* n : {"A", "B", "C", "D"})
        data.append(entry(n));
    QSignalSpy updated(&data, &FavoritesData::dataUpdated);
    QCOMPARE(data.move(from, to), result);
    QCOMPARE(names(data), expected);
    QCOMPARE(updated.count(), result ? 1 : 0);
}

void TestFavoritesData::suspendedChangesAreAnnouncedOnce()
{
    FavoritesData data;
    QSignalSpy updated(&data, &FavoritesData::dataUpdated);
    data.setUpdatesSuspended(true);
    data.append(entry("A"));
    data.append(entry("B"));
    data.move(0, 2);
    QCOMPARE(updated.count(), 0);
    data.setUpdatesSuspended(false);
    QCOMPARE(updated.count(), 1);
    data.setUpdatesSuspended(true);
    data.setUpdatesSuspended(false); // nothing pending: nothing announced
    QCOMPARE(updated.count(), 1);

    QSignalSpy expanded(&data, &FavoritesData::expanded);
    data.setExpanded(true);
    data.setExpanded(true);
    QCOMPARE(expanded.count(), 1);
    QCOMPARE(expanded.first().first().toBool(), true);
}

void TestFavoritesData::roundTripsThroughTheSettings()
{
    TestSettings isolated;
    {
        FavoritesData data;
        data.append(entry("Gain"));
        data.append(entry("ReadTimeout", "@DeviceTransportLayer"));
        data.setViewAll(false);
        data.setExpanded(true);
        QVERIFY(data.save(QStringLiteral("Favorites")));
    }
    QSettings settings;
    QCOMPARE(settings.value(QStringLiteral("Favorites/Version")).toInt(), 3);
    QCOMPARE(settings.value(QStringLiteral("Favorites/0")).toString(),
             QStringLiteral("Gain*Gain shown*@CameraDevice"));
    QCOMPARE(settings.value(QStringLiteral("Favorites/ViewAll")).toInt(), 0);

    FavoritesData loaded;
    QSignalSpy updated(&loaded, &FavoritesData::dataUpdated);
    QVERIFY(loaded.readSettings(QStringLiteral("Favorites")));
    QCOMPARE(names(loaded), QStringLiteral("Gain ReadTimeout"));
    QCOMPARE(loaded.entry(1)->collectionPrefix, QStringLiteral("@DeviceTransportLayer"));
    QVERIFY(!loaded.getViewAll());
    QVERIFY(loaded.isExpanded());
    QVERIFY(updated.count() >= 1);
}

void TestFavoritesData::savingAShorterListRemovesTheOldTail()
{
    TestSettings isolated;
    FavoritesData data;
    for (const char* n : {"A", "B", "C", "D", "E"})
        data.append(entry(n));
    data.save(QStringLiteral("Favorites"));
    data.remove(4);
    data.remove(0);
    data.save(QStringLiteral("Favorites"));

    QSettings settings;
    settings.beginGroup(QStringLiteral("Favorites"));
    QCOMPARE(settings.value(QStringLiteral("NumberOfEntries")).toInt(), 3);
    QVERIFY(!settings.contains(QStringLiteral("3")));
    QVERIFY(!settings.contains(QStringLiteral("4")));
    QCOMPARE(settings.value(QStringLiteral("0")).toString(), QStringLiteral("B*B shown*@CameraDevice"));
}

void TestFavoritesData::skipsMalformedStoredEntries()
{
    TestSettings isolated;
    {
        QSettings settings;
        settings.beginGroup(QStringLiteral("Favorites"));
        settings.setValue(QStringLiteral("NumberOfEntries"), 7);
        settings.setValue(QStringLiteral("0"), QStringLiteral("Gain*Gain*@CameraDevice"));
        settings.setValue(QStringLiteral("1"), QStringLiteral("Width**@CameraDevice")); // empty display name
        settings.setValue(QStringLiteral("2"), QStringLiteral("Gain*Again*@CameraDevice")); // duplicate
        settings.setValue(QStringLiteral("3"), QStringLiteral("Too*many*parts*here"));
        settings.setValue(QStringLiteral("4"), QString());
        // key 5 missing
        settings.setValue(QStringLiteral("6"), QStringLiteral("Height*Height*@CameraDevice"));
    }
    FavoritesData data;
    data.readSettings(QStringLiteral("Favorites"));
    QCOMPARE(names(data), QStringLiteral("Gain Height"));
    QVERIFY(!data.getViewAll()); // missing: false
    QVERIFY(data.isExpanded());  // missing: true
}

void TestFavoritesData::emptyGroupTouchesNothing()
{
    TestSettings isolated;
    FavoritesData data;
    data.append(entry("A"));
    QVERIFY(!data.save(QString()));
    QVERIFY(!data.readSettings(QString()));
    QCOMPARE(QSettings().allKeys(), QStringList());
}

void TestFavoritesData::loadsOnlyOnce()
{
    TestSettings isolated;
    {
        FavoritesData writer;
        writer.append(entry("A"));
        writer.save(QStringLiteral("Favorites"));
    }
    FavoritesData data;
    data.load(QStringLiteral("Favorites"));
    data.load(QStringLiteral("Favorites"));
    QCOMPARE(names(data), QStringLiteral("A"));
    QCOMPARE(data.getGroup(), QStringLiteral("Favorites"));
    QVERIFY(data.isLoaded());
}

QTEST_GUILESS_MAIN(TestFavoritesData)
#include "tst_favoritesdata.moc"
