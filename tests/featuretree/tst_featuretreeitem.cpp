#include "featuretree/featuretreeitem.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QBrush>
#include <QFontMetricsF>
#include <QPalette>
#include <QPointer>
#include <QtTest>

#include <memory>

namespace {

/// Builds a tree from a compact description such as "root(a#1(b c) a#2 d)":
/// a name is the full name up to '#' and the displayed name as a whole, and
/// parentheses hold the children.
FeatureTreeItem* parseItem(const QString& text, int& pos, FeatureTreeItem* parent)
{
    const int start = pos;
    while (pos < text.size() && (text.at(pos).isLetterOrNumber() || text.at(pos) == QLatin1Char('#')))
        ++pos;
    const QString token = text.mid(start, pos - start);
    if (token.isEmpty())
        qFatal("name expected at %d in %s", start, qPrintable(text));
    auto* item = new FeatureTreeItem(token, nullptr, token.section(QLatin1Char('#'), 0, 0), parent);
    if (parent)
        parent->appendChild(item);
    if (pos < text.size() && text.at(pos) == QLatin1Char('(')) {
        for (++pos; text.at(pos) != QLatin1Char(')');) {
            if (text.at(pos) == QLatin1Char(' '))
                ++pos;
            else
                parseItem(text, pos, item);
        }
        ++pos;
    }
    return item;
}

std::unique_ptr<FeatureTreeItem> tree(const QString& text)
{
    int pos = 0;
    return std::unique_ptr<FeatureTreeItem>(parseItem(text, pos, nullptr));
}

/// The tree in the notation tree() reads, children in list order.
QString describe(FeatureTreeItem* item)
{
    QString text = item->getDisplayedName();
    if (item->childCount() > 0) {
        QStringList children;
        for (int row = 0; row < item->childCount(); ++row)
            children << describe(item->child(row));
        text += QLatin1Char('(') + children.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return text;
}

/// The first item of that displayed name, in pre-order.
FeatureTreeItem* named(FeatureTreeItem* root, const QString& displayedName)
{
    return root->findByRoleShallow(Qt::DisplayRole, displayedName);
}

/// One data row; values are separated by commas so that rows stay one line each.
template<typename... Values> void addRow(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}

/// A row with a chosen editor type and access mode, as parameter rows have.
class ProbeItem : public FeatureTreeItem
{
public:
    ProbeItem(const QString& fullName, int editorType, GenApi::EAccessMode access)
        : FeatureTreeItem(fullName, nullptr, fullName, nullptr)
        , m_editorType(editorType)
        , m_access(access)
    { }
    int editorType() const override { return m_editorType; }
    GenApi::EAccessMode getAccessMode() const override { return m_access; }

private:
    int m_editorType;
    GenApi::EAccessMode m_access;
};

/// Hands out indexes whose internal pointer is an item.
class IndexFactory : public QAbstractItemModel
{
public:
    QModelIndex indexFor(FeatureTreeItem* item) const { return createIndex(0, 0, item); }
    QModelIndex index(int, int, const QModelIndex&) const override { return {}; }
    QModelIndex parent(const QModelIndex&) const override { return {}; }
    int rowCount(const QModelIndex&) const override { return 0; }
    int columnCount(const QModelIndex&) const override { return 0; }
    QVariant data(const QModelIndex&, int) const override { return {}; }
};

} // namespace

class TestFeatureTreeItem : public QObject
{
    Q_OBJECT
private slots:
    // Children
    void children_data();
    void children();
    void ownership();

    // Searching
    void findFirst_data();
    void findFirst();
    void findShallow_data();
    void findShallow();
    void searchingDoesNotLoadChildren();

    // Base answers
    void flags_data();
    void flags();
    void editorTypes();
    void data_data();
    void data();
    void uniqueIdFollowsTheFullName();
    void showMe_data();
    void showMe();
    void descriptionAndToolTip();
};

void TestFeatureTreeItem::children_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("operation"); // child, insert (an item "x") or remove
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("answer"); // the item answered or removed, empty for null
    QTest::addColumn<QString>("expected"); // the tree afterwards

    addRow("child: first", "r(a b c)", "child", 0, "a", "r(a b c)");
    addRow("child: last", "r(a b c)", "child", 2, "c", "r(a b c)");
    addRow("child: negative", "r(a b c)", "child", -1, "", "r(a b c)");
    addRow("child: count", "r(a b c)", "child", 3, "", "r(a b c)");
    addRow("child: of a leaf", "r", "child", 0, "", "r");
    addRow("insert: front", "r(a b)", "insert", 0, "x", "r(x a b)");
    addRow("insert: middle", "r(a b)", "insert", 1, "x", "r(a x b)");
    addRow("insert: end", "r(a b)", "insert", 2, "x", "r(a b x)");
    addRow("insert: into a leaf", "r", "insert", 0, "x", "r(x)");
    addRow("remove: first", "r(a(a1) b c)", "remove", 0, "a(a1)", "r(b c)");
    addRow("remove: last", "r(a b c)", "remove", 2, "c", "r(a b)");
    addRow("remove: at the end", "r(a b c)", "remove", 3, "", "r(a b c)");
    addRow("remove: from a leaf", "r", "remove", 0, "", "r");
}

void TestFeatureTreeItem::children()
{
    QFETCH(QString, tree);
    QFETCH(QString, operation);
    QFETCH(int, row);
    auto root = ::tree(tree);
    FeatureTreeItem* item = nullptr;
    std::unique_ptr<FeatureTreeItem> removed;
    if (operation == QLatin1String("child")) {
        item = root->child(row);
    } else if (operation == QLatin1String("insert")) {
        item = new FeatureTreeItem(QStringLiteral("x"), nullptr, QStringLiteral("x"), root.get());
        root->insertChild(item, row);
        QCOMPARE(item->parent(), root.get());
    } else {
        removed.reset(root->removeChild(row));
        item = removed.get();
    }
    QTEST(item ? describe(item) : QString(), "answer");
    QTEST(describe(root.get()), "expected");
    for (int i = 0; i < root->childCount(); ++i)
        QCOMPARE(root->child(i)->row(), i);
    if (removed) {
        // Out of the tree: it no longer claims a place in its former parent.
        QCOMPARE(removed->parent(), nullptr);
        QCOMPARE(removed->row(), 0);
        QVERIFY(!root->findShallow(removed.get()));
    }
}

void TestFeatureTreeItem::ownership()
{
    auto root = tree(QStringLiteral("r(a(a1(a11) a2) b c)"));
    FeatureTreeItem* b = named(root.get(), QStringLiteral("b"));

    // Made with a parent that never lists it: an orphan, still a QObject child.
    auto* orphan = new FeatureTreeItem(QStringLiteral("o"), nullptr, QStringLiteral("o"), b);
    QCOMPARE(orphan->parent(), b);
    QCOMPARE(orphan->row(), -1);
    QCOMPARE(b->childCount(), 0);
    // Appended elsewhere, it belongs there, also as a QObject.
    FeatureTreeItem* c = named(root.get(), QStringLiteral("c"));
    c->appendChild(orphan);
    QCOMPARE(orphan->parent(), c);
    QCOMPARE(orphan->QObject::parent(), static_cast<QObject*>(c));
    QCOMPARE(orphan->row(), 0);
    QPointer<FeatureTreeItem> watchOrphan = orphan;
    delete root->removeChild(2);
    QVERIFY(!watchOrphan);

    // The caller owns a removed item: destroying the former parent must not delete it.
    std::unique_ptr<FeatureTreeItem> taken(root->removeChild(0));
    QPointer<FeatureTreeItem> grandChild = taken->child(1);
    root.reset();
    QVERIFY(grandChild);
    QCOMPARE(describe(taken.get()), QStringLiteral("a(a1(a11) a2)"));

    // Clearing deletes the whole subtree, orphans included.
    QList<QPointer<FeatureTreeItem>> watched { taken->child(0), taken->child(0)->child(0), grandChild };
    watched << new FeatureTreeItem(QStringLiteral("o"), nullptr, QStringLiteral("o"), taken->child(0));
    taken->clearChildren();
    QCOMPARE(taken->childCount(), 0);
    QVERIFY(!taken->hasChildren());
    for (const auto& item : watched)
        QVERIFY(!item);
}

void TestFeatureTreeItem::findFirst_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("special"); // displayed name of the item marked special
    QTest::addColumn<int>("role"); // -1: findByFullNameShallow
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected"); // displayed name, empty for null

    const int byName = -1;
    const auto text = [](const char* value) { return QVariant(QString::fromLatin1(value)); };
    addRow("the item itself", "r(a b)", "", byName, text("r"), "r");
    addRow("a leaf", "r(a(a1 a2) b)", "", byName, text("a2"), "a2");
    addRow("unknown", "r(a(a1 a2) b)", "", byName, text("c"), "");
    addRow("case matters", "r(Gain)", "", byName, text("gain"), "");
    // Pre-order: a deep match in an earlier subtree beats a shallow later one.
    addRow("deep before later sibling", "r(a(x#1) x#2)", "", byName, text("x"), "x#1");
    addRow("parent before its child", "r(x#1(x#2))", "", byName, text("x"), "x#1");
    addRow("siblings in list order", "r(a x#1 x#2)", "", byName, text("x"), "x#1");

    addRow("full name role, duplicates", "r(a(g#1) g#2)", "", FeatureTreeItem::FullNodeNameRole, text("g"), "g#1");
    addRow("special flag", "r(a(b) c d)", "c", FeatureTreeItem::IsSpecialNode, QVariant(true), "c");
    addRow("first item without the flag", "r(a)", "r", FeatureTreeItem::IsSpecialNode, QVariant(false), "a");
    addRow("unanswered role matches nothing", "r(a)", "", FeatureTreeItem::GenicamTooltipRole, text("a"), "");
    addRow("value of another type", "r(a)", "", FeatureTreeItem::GenicamVisibility, text("banana"), "");
}

void TestFeatureTreeItem::findFirst()
{
    QFETCH(QString, tree);
    QFETCH(QString, special);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    auto root = ::tree(tree);
    if (!special.isEmpty())
        named(root.get(), special)->SetIsSpecialNode(true);
    FeatureTreeItem* found
        = role < 0 ? root->findByFullNameShallow(value.toString()) : root->findByRoleShallow(role, value);
    QTEST(found ? found->getDisplayedName() : QString(), "expected");
}

void TestFeatureTreeItem::findShallow_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("target"); // empty: a null pointer
    QTest::addColumn<bool>("expected");

    // All in "r(a(a1(a11) a2) b(b1))".
    addRow("itself", "a", "a", true);
    addRow("child", "a", "a2", true);
    addRow("grandchild", "a", "a11", true);
    addRow("sibling", "a", "b", false);
    addRow("nephew", "a", "b1", false);
    addRow("parent", "a", "r", false);
    addRow("null", "r", "", false);
}

void TestFeatureTreeItem::findShallow()
{
    QFETCH(QString, start);
    QFETCH(QString, target);
    auto root = tree(QStringLiteral("r(a(a1(a11) a2) b(b1))"));
    const FeatureTreeItem* wanted = target.isEmpty() ? nullptr : named(root.get(), target);
    QTEST(named(root.get(), start)->findShallow(wanted), "expected");
}

void TestFeatureTreeItem::searchingDoesNotLoadChildren()
{
    // Derived rows load children in childCount(); a search must only walk
    // what is loaded, or searching the tree would load the whole node map.
    class LazyItem : public FeatureTreeItem
    {
    public:
        using FeatureTreeItem::FeatureTreeItem;
        int childCount() override
        {
            ++calls;
            return FeatureTreeItem::childCount();
        }
        int calls = 0;
    };
    LazyItem root(QStringLiteral("r"), nullptr, QStringLiteral("r"), nullptr);
    root.appendChild(new FeatureTreeItem(QStringLiteral("a"), nullptr, QStringLiteral("a"), &root));
    QVERIFY(root.findByFullNameShallow(QStringLiteral("a")));
    QVERIFY(!root.findByRoleShallow(FeatureTreeItem::FullNodeNameRole, QStringLiteral("z")));
    QCOMPARE(root.calls, 0);
}

void TestFeatureTreeItem::flags_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<int>("editorType");
    QTest::addColumn<int>("access");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("expected");

    const int none = Qt::NoItemFlags;
    const int name = Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled;
    const int editable = Qt::ItemIsEditable | Qt::ItemIsEnabled;
    const int enabled = Qt::ItemIsEnabled;

    for (int column : { 0, 1, 2 })
        QTest::addRow("placeholder, column %d", column) << "Dummy" << 1 << int(GenApi::RW) << column << none;
    addRow("placeholder name is exact", "Dummy2", 10, int(GenApi::NA), 0, name);
    addRow("third column", "x", 1, int(GenApi::RW), 2, enabled);

    // Value column: persistent-editor types are always editable...
    for (int type : { 1, 2, 3, 4, 5, 7, 9, 11, 12 })
        QTest::addRow("value, editor %d, read only", type) << "x" << type << int(GenApi::RO) << 1 << editable;
    // ... the others only when the access mode allows writing.
    const QList<QPair<int, int>> accessFlags { { GenApi::NA, enabled },
                                               { GenApi::NI, enabled },
                                               { GenApi::RO, enabled },
                                               { GenApi::WO, editable },
                                               { GenApi::RW, editable } };
    for (int type : { 0, 6, 8, 10 }) {
        for (const auto& access : accessFlags) {
            QTest::addRow("value, editor %d, access %d", type, access.first)
                << "x" << type << access.first << 1 << access.second;
        }
    }
}

void TestFeatureTreeItem::flags()
{
    QFETCH(QString, fullName);
    QFETCH(int, editorType);
    QFETCH(int, access);
    QFETCH(int, column);
    ProbeItem item(fullName, editorType, static_cast<GenApi::EAccessMode>(access));
    QTEST(int(item.flags(column)), "expected");
}

void TestFeatureTreeItem::editorTypes()
{
    FeatureTreeItem plain(QStringLiteral("p"), nullptr, QStringLiteral("p"), nullptr);
    ProbeItem slider(QStringLiteral("s"), FeatureTreeItem::EditorIntSlider, GenApi::RW);
    IndexFactory indexes;

    QCOMPARE(FeatureTreeItem::editorType(static_cast<const FeatureTreeItem*>(nullptr)),
             int(FeatureTreeItem::EditorInvalid));
    QCOMPARE(FeatureTreeItem::editorType(&plain), int(FeatureTreeItem::EditorNone));
    QCOMPARE(FeatureTreeItem::editorType(QModelIndex()), int(FeatureTreeItem::EditorInvalid));
    QCOMPARE(FeatureTreeItem::editorType(indexes.indexFor(&plain)), int(FeatureTreeItem::EditorNone));
    // The static form answers for plain items only; the row's own choice is
    // the virtual editorType().
    QCOMPARE(FeatureTreeItem::editorType(&slider), int(FeatureTreeItem::EditorNone));
    QCOMPARE(slider.editorType(), int(FeatureTreeItem::EditorIntSlider));

    const QList<int> persistent { 1, 2, 3, 4, 5, 7, 9, 11, 12, 50 };
    for (int type : QList<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 50 }) {
        ProbeItem item(QStringLiteral("x"), type, GenApi::RW);
        QVERIFY2(item.usePersistentEditor() == persistent.contains(type), qPrintable(QString::number(type)));
        QVERIFY(!item.isEditable());
    }
}

void TestFeatureTreeItem::data_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("expected");

    // The item: displayed "Favorites", full name "FavRoot", tool tip "Tip",
    // visibility Expert, full row, not special.
    const QVariant invalid;
    const QVariant fullName(QStringLiteral("FavRoot"));
    const QBrush dimmed = QPalette().brush(QPalette::Disabled, QPalette::Text);
    const int height = static_cast<int>(QFontMetricsF(QApplication::font()).height() + 10.0);

    addRow("name: display", 0, int(Qt::DisplayRole), QVariant(QStringLiteral("Favorites")));
    addRow("name: edit", 0, int(Qt::EditRole), invalid);
    addRow("name: foreground", 0, int(Qt::ForegroundRole), QVariant(dimmed));
    addRow("name: size hint", 0, int(Qt::SizeHintRole), QVariant(QSize(0, height)));
    addRow("value: display", 1, int(Qt::DisplayRole), invalid);
    addRow("value: foreground", 1, int(Qt::ForegroundRole), QVariant(dimmed));
    addRow("value: size hint", 1, int(Qt::SizeHintRole), invalid);
    addRow("third column: display", 2, int(Qt::DisplayRole), invalid);
    addRow("third column: foreground", 2, int(Qt::ForegroundRole), invalid);
    addRow("tool tip", 1, int(Qt::ToolTipRole), QVariant(QStringLiteral("Tip")));
    addRow("GenICam name", 1, FeatureTreeItem::GenicamNameRole, fullName);
    addRow("full name", 0, FeatureTreeItem::FullNodeNameRole, fullName);
    addRow("category", 0, FeatureTreeItem::GenicamCategory, QVariant(false));
    addRow("visibility", 1, FeatureTreeItem::GenicamVisibility, QVariant(int(GenApi::Expert)));
    addRow("full row", 0, FeatureTreeItem::IsFullRowItem, QVariant(true));
    addRow("special", 1, FeatureTreeItem::IsSpecialNode, QVariant(false));
    addRow("shown at all", 0, FeatureTreeItem::IsShownAtAll, QVariant(true));
    // Roles a plain item does not answer.
    for (int role : { FeatureTreeItem::GenicamTooltipRole, FeatureTreeItem::GenicamDescription,
                      FeatureTreeItem::GenicamDocuURL, 263, int(Qt::UserRole) })
        QTest::addRow("role %d", role) << 0 << role << invalid;
}

void TestFeatureTreeItem::data()
{
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, expected);
    FeatureTreeItem item(QStringLiteral("Favorites"), nullptr, QStringLiteral("FavRoot"), nullptr);
    item.SetToolTip(QStringLiteral("Tip"));
    item.setVisibility(GenApi::Expert);
    item.SetIsFullRowItem(true);
    const QVariant answer = item.data(column, role);
    QCOMPARE(answer.isValid(), expected.isValid());
    QCOMPARE(answer, expected);
}

void TestFeatureTreeItem::uniqueIdFollowsTheFullName()
{
    // Different displayed names: the identifier depends on the full name only.
    const auto id = [](const QString& displayed, const QString& fullName, int column = 0) {
        return FeatureTreeItem(displayed, nullptr, fullName, nullptr).data(column, FeatureTreeItem::UniqueID);
    };
    const QVariant gain = id(QStringLiteral("A"), QStringLiteral("@CameraDevice/Gain"));
    QCOMPARE(gain.userType(), int(QMetaType::UInt));
    QCOMPARE(id(QStringLiteral("B"), QStringLiteral("@CameraDevice/Gain"), 1), gain);
    QVERIFY(id(QStringLiteral("A"), QStringLiteral("@CameraDevice/GainAuto")) != gain);
    QVERIFY(id(QStringLiteral("A"), QStringLiteral("@StreamGrabber0/Gain")) != gain);
}

void TestFeatureTreeItem::showMe_data()
{
    QTest::addColumn<int>("visibility"); // -1: as constructed
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("expected");

    addRow("undefined at Invisible", -1, int(GenApi::Invisible), false);
    addRow("Beginner at Beginner", int(GenApi::Beginner), int(GenApi::Beginner), true);
    addRow("Expert at Beginner", int(GenApi::Expert), int(GenApi::Beginner), false);
    addRow("Expert at Expert", int(GenApi::Expert), int(GenApi::Expert), true);
    addRow("Invisible at Guru", int(GenApi::Invisible), int(GenApi::Guru), false);
    addRow("Invisible at Invisible", int(GenApi::Invisible), int(GenApi::Invisible), true);
}

void TestFeatureTreeItem::showMe()
{
    QFETCH(int, visibility);
    QFETCH(int, level);
    FeatureTreeItem item(QStringLiteral("Search"), nullptr, QStringLiteral("Search"), nullptr);
    if (visibility >= 0)
        item.setVisibility(static_cast<GenApi::EVisibility>(visibility));
    QTEST(item.ShowMe(static_cast<GenApi::EVisibility>(level)), "expected");
    QCOMPARE(item.data(0, FeatureTreeItem::IsShownAtAll).toBool(), item.ShowMe(GenApi::Guru));
}

void TestFeatureTreeItem::descriptionAndToolTip()
{
    FeatureTreeItem item(QStringLiteral("x"), nullptr, QStringLiteral("x"), nullptr);
    QCOMPARE(item.data(0, Qt::ToolTipRole), QVariant(QString()));
    QVERIFY(!item.HasDescription());
    item.SetDescription(QStringLiteral("Summed exposure"));
    QVERIFY(item.HasDescription());
    QCOMPARE(item.GetDescription(), QStringLiteral("Summed exposure"));
    item.SetDescription(QString()); // an empty description is none
    QVERIFY(!item.HasDescription());
}

QTEST_MAIN(TestFeatureTreeItem)
#include "tst_featuretreeitem.moc"
