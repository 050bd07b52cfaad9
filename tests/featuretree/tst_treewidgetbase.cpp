#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "fetch.h"
#include "treefixture.h"

#include <QHeaderView>
#include <QtTest>

namespace {

/// Resizes the first columns of the tree to `resized`; answers the widths of all.
QList<int> widths(const WidgetFixture& fx, const QList<int>& resized = {})
{
    QHeaderView* header = fx.view()->header();
    QList<int> widths;
    for (int i = 0; i < header->count(); ++i) {
        if (i < resized.size())
            header->resizeSection(i, resized.at(i));
        widths << header->sectionSize(i);
    }
    return widths;
}

} // namespace

// The column widths a host stores for a tree widget, in a versioned blob.
class TestTreeWidgetBase : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<bool>("stretchLast");
        QTest::newRow("last stretched") << true;
        QTest::newRow("last not stretched") << false;
    }
    void roundTrip()
    {
        WidgetFixture fx;
        const bool stretchLast = fetch<bool>("stretchLast");
        fx.view()->header()->setStretchLastSection(stretchLast);
        const QList<int> saved = widths(fx, {180, 100});
        const QByteArray blob = fx.widget()->saveState(-7);
        // Big-endian qint32 version, count and widths.
        QCOMPARE(blob, QByteArray::fromHex("fffffff9 00000002 000000b4") + blob.mid(12, 4));
        widths(fx, {90, 90});
        QVERIFY(fx.widget()->restoreState(blob, -7));
        // The first column comes back; the last keeps the width the header gives it: stretched, or as it was.
        QCOMPARE(widths(fx), stretchLast ? saved : QList<int>({180, 90}));
    }

    void rejectedBlobsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("blob"); // in hex, for version 1 and two columns
        QTest::newRow("other version") << QByteArray("00000002 00000002 0000006f 0000007a");
        QTest::newRow("more columns") << QByteArray("00000001 00000003 0000006f 0000007a 00000085");
        QTest::newRow("fewer columns") << QByteArray("00000001 00000001 0000006f");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("last width cut short") << QByteArray("00000001 00000002 0000006f 00007a");
        QTest::newRow("last width missing") << QByteArray("00000001 00000002 0000006f");
        QTest::newRow("count cut short") << QByteArray("00000001 000000");
    }
    void rejectedBlobsChangeNothing()
    {
        WidgetFixture fx;
        const QList<int> before = widths(fx, {150});
        QVERIFY(!fx.widget()->restoreState(QByteArray::fromHex(fetch<QByteArray>("blob")), 1));
        QCOMPARE(widths(fx), before);
    }
};

QTEST_MAIN(TestTreeWidgetBase)
#include "tst_treewidgetbase.moc"
