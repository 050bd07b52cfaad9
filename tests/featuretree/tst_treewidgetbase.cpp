#include "featuretree/treewidgetbase.h"

#include <QDataStream>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

namespace {

/// A tree widget with a header of `columns` sections (or no tree view at all)
/// that appends a text of its own to the blob.
class TestTreeWidget : public TreeWidgetBase
{
    Q_OBJECT
public:
    explicit TestTreeWidget(int columns)
    {
        if (columns > 0) {
            m_model.setColumnCount(columns);
            m_view = new QTreeView(this);
            m_view->setModel(&m_model);
            auto* layout = new QVBoxLayout(this);
            layout->addWidget(m_view);
        }
        resize(640, 300);
    }

    void setColumnCount(int columns) { m_model.setColumnCount(columns); }
    QHeaderView* header() const { return m_view->header(); }

    QString ownState;
    QString restoredOwnState;
    int restoreCalls = 0;

protected:
    QTreeView* treeView() override { return m_view; }
    void onSaveState(QDataStream& stream) override { stream << ownState; }
    void onRestoreState(QDataStream& stream) override
    {
        ++restoreCalls;
        stream >> restoredOwnState;
    }

private:
    QStandardItemModel m_model;
    QTreeView* m_view = nullptr; // Owned by this widget.
};

QList<int> sectionSizes(const QHeaderView* header)
{
    QList<int> sizes;
    for (int i = 0; i < header->count(); ++i)
        sizes << header->sectionSize(i);
    return sizes;
}

void setSectionSizes(QHeaderView* header, const QList<int>& sizes)
{
    for (int i = 0; i < sizes.size(); ++i)
        header->resizeSection(i, sizes.at(i));
}

} // namespace

// TreeWidgetBase: the versioned column-width blob, written and read back.
class TestTreeWidgetBase : public QObject
{
    Q_OBJECT
private slots:
    void blobLayout_data();
    void blobLayout();
    void roundTrip_data();
    void roundTrip();
    void rejected_data();
    void rejected();
    void withoutTreeView();
};

void TestTreeWidgetBase::blobLayout_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QList<int>>("sizes");

    QTest::newRow("two columns") << 3 << QList<int> { 150, 200 };
    QTest::newRow("three columns, negative version") << -7 << QList<int> { 120, 90, 100 };
    QTest::newRow("one column") << 0x01020304 << QList<int> { 80 };
}

void TestTreeWidgetBase::blobLayout()
{
    QFETCH(int, version);
    QFETCH(QList<int>, sizes);

    TestTreeWidget widget(sizes.size());
    widget.header()->setStretchLastSection(false);
    setSectionSizes(widget.header(), sizes);
    widget.ownState = QStringLiteral("tail");

    const QByteArray blob = widget.saveState(version);
    // Big-endian 32-bit integers: the version, the count, every size, then the subclass's data.
    QCOMPARE(blob.left(4), QByteArray::fromHex(QByteArray::number(quint32(version), 16).rightJustified(8, '0')));
    QDataStream stream(blob);
    QCOMPARE(stream.byteOrder(), QDataStream::BigEndian);
    qint32 storedVersion = 0;
    qint32 count = 0;
    stream >> storedVersion >> count;
    QCOMPARE(storedVersion, qint32(version));
    QCOMPARE(count, qint32(sizes.size()));
    QList<int> stored;
    for (int i = 0; i < count; ++i) {
        qint32 size = 0;
        stream >> size;
        stored << size;
    }
    QCOMPARE(stored, sizes);
    QString tail;
    stream >> tail;
    QCOMPARE(tail, QStringLiteral("tail"));
    QVERIFY(stream.atEnd());
    QCOMPARE(stream.status(), QDataStream::Ok);
}

void TestTreeWidgetBase::roundTrip_data()
{
    QTest::addColumn<QList<int>>("saved");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<bool>("stretchLast");

    QTest::newRow("two columns, last stretched") << QList<int> { 180, 100 } << QList<int> { 90, 100 } << true;
    QTest::newRow("three columns, last stretched")
        << QList<int> { 70, 210, 100 } << QList<int> { 150, 60, 100 } << true;
    QTest::newRow("three columns, last not stretched")
        << QList<int> { 70, 210, 120 } << QList<int> { 150, 60, 40 } << false;
    QTest::newRow("one column") << QList<int> { 300 } << QList<int> { 200 } << false;
}

void TestTreeWidgetBase::roundTrip()
{
    QFETCH(QList<int>, saved);
    QFETCH(QList<int>, before);
    QFETCH(bool, stretchLast);

    TestTreeWidget widget(saved.size());
    widget.header()->setStretchLastSection(stretchLast);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    setSectionSizes(widget.header(), saved);
    widget.ownState = QStringLiteral("expanded: 2");
    const QByteArray blob = widget.saveState(5);

    // What the header shows when every section but the last is resized by
    // hand: the last keeps the width the header gives it (stretched to the
    // view, or as it was).
    setSectionSizes(widget.header(), before);
    for (int i = 0; i < saved.size() - 1; ++i)
        widget.header()->resizeSection(i, saved.at(i));
    const QList<int> expected = sectionSizes(widget.header());

    setSectionSizes(widget.header(), before);
    QVERIFY(widget.restoreState(blob, 5));
    QCOMPARE(sectionSizes(widget.header()), expected);
    QCOMPARE(widget.restoreCalls, 1);
    QCOMPARE(widget.restoredOwnState, QStringLiteral("expanded: 2"));
}

void TestTreeWidgetBase::rejected_data()
{
    QTest::addColumn<int>("savedColumns");
    QTest::addColumn<int>("savedVersion");
    QTest::addColumn<int>("restoredColumns");
    QTest::addColumn<int>("restoredVersion");
    QTest::addColumn<int>("cut"); // bytes taken off the end of the blob; -1: empty blob

    QTest::newRow("other version") << 2 << 3 << 2 << 4 << 0;
    QTest::newRow("more columns now") << 2 << 1 << 3 << 1 << 0;
    QTest::newRow("fewer columns now") << 3 << 1 << 2 << 1 << 0;
    QTest::newRow("empty blob") << 2 << 1 << 2 << 1 << -1;
    // Saved without subclass data, so that each cut falls inside the sizes or the header fields.
    QTest::newRow("last size cut short") << 3 << 1 << 3 << 1 << 2;
    QTest::newRow("last size missing") << 3 << 1 << 3 << 1 << 4;
    QTest::newRow("only the first size left") << 3 << 1 << 3 << 1 << 8;
    QTest::newRow("count cut short") << 3 << 1 << 3 << 1 << 12 + 3;
    QTest::newRow("version only, cut short") << 3 << 1 << 3 << 1 << 12 + 4 + 2;
}

void TestTreeWidgetBase::rejected()
{
    QFETCH(int, savedColumns);
    QFETCH(int, savedVersion);
    QFETCH(int, restoredColumns);
    QFETCH(int, restoredVersion);
    QFETCH(int, cut);

    TestTreeWidget widget(savedColumns);
    widget.header()->setStretchLastSection(false);
    setSectionSizes(widget.header(), QList<int> { 111, 122, 133 }.mid(0, savedColumns));
    QByteArray blob = widget.saveState(savedVersion);
    // The own state is empty; drop its four bytes so that cuts are counted from the sizes.
    blob.chop(4);
    QCOMPARE(blob.size(), 8 + 4 * savedColumns);
    if (cut < 0)
        blob.clear();
    else
        blob.chop(cut);

    widget.setColumnCount(restoredColumns);
    const QList<int> before = QList<int> { 40, 50, 60 }.mid(0, restoredColumns);
    setSectionSizes(widget.header(), before);

    QVERIFY(!widget.restoreState(blob, restoredVersion));
    QCOMPARE(sectionSizes(widget.header()), before);
    QCOMPARE(widget.restoreCalls, 0);
}

void TestTreeWidgetBase::withoutTreeView()
{
    TestTreeWidget empty(0);
    QCOMPARE(empty.saveState(1), QByteArray());
    QVERIFY(!empty.restoreState(empty.saveState(1), 1));

    // A good blob from elsewhere does not help a widget without a tree view.
    TestTreeWidget other(2);
    QVERIFY(!empty.restoreState(other.saveState(1), 1));
    QCOMPARE(empty.restoreCalls, 0);
}

QTEST_MAIN(TestTreeWidgetBase)
#include "tst_treewidgetbase.moc"
