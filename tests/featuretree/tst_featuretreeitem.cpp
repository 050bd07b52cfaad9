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
/// parentheses hold the children. Answers the root; the caller owns it.
class TreeParser
{
public:
    explicit TreeParser(const QString& text)
        : m_text(text)
    { }

    std::unique_ptr<FeatureTreeItem> parse()
    {
        std::unique_ptr<FeatureTreeItem> root(parseItem(nullptr));
        skipBlanks();
        if (m_pos != m_text.size())
            qFatal("unexpected text at %d in %s", m_pos, qPrintable(m_text));
        return root;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char(' '))
            ++m_pos;
    }

    FeatureTreeItem* parseItem(FeatureTreeItem* parent)
    {
        skipBlanks();
        const int start = m_pos;
        while (m_pos < m_text.size() && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == QLatin1Char('#')))
            ++m_pos;
        const QString token = m_text.mid(start, m_pos - start);
        if (token.isEmpty())
            qFatal("name expected at %d in %s", start, qPrintable(m_text));
        auto* item = new FeatureTreeItem(token, nullptr, token.section(QLatin1Char('#'), 0, 0), parent);
        if (parent)
            parent->appendChild(item);
        skipBlanks();
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('(')) {
            ++m_pos;
            for (;;) {
                skipBlanks();
                if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char(')')) {
                    ++m_pos;
                    break;
                }
                parseItem(item);
            }
        }
        return item;
    }

    QString m_text;
    int m_pos = 0;
};

std::unique_ptr<FeatureTreeItem> tree(const QString& text)
{
    return TreeParser(text).parse();
}

/// The tree in the notation TreeParser reads, children in list order.
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
    void child_data();
    void child();
    void insertChild_data();
    void insertChild();
    void removeChild_data();
    void removeChild();
    void removedChildOutlivesItsFormerParent();
    void appendChildAdoptsItemsMadeElsewhere();
    void clearChildrenDeletesTheWholeSubtree();

    // Searching
    void findByFullNameShallow_data();
    void findByFullNameShallow();
    void findByRoleShallow_data();
    void findByRoleShallow();
    void findShallow_data();
    void findShallow();
    void searchingDoesNotLoadChildren();

    // Base answers
    void flags_data();
    void flags();
    void usePersistentEditor_data();
    void usePersistentEditor();
    void staticEditorType();
    void data_data();
    void data();
    void uniqueIdFollowsTheFullName_data();
    void uniqueIdFollowsTheFullName();
    void showMe_data();
    void showMe();
    void descriptionAndToolTip();
};

void TestFeatureTreeItem::child_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected"); // displayed name, empty for null

    QTest::newRow("first") << "r(a b c)" << 0 << "a";
    QTest::newRow("last") << "r(a b c)" << 2 << "c";
    QTest::newRow("negative") << "r(a b c)" << -1 << "";
    QTest::newRow("count") << "r(a b c)" << 3 << "";
    QTest::newRow("far beyond") << "r(a b c)" << 100 << "";
    QTest::newRow("leaf") << "r" << 0 << "";
}

void TestFeatureTreeItem::child()
{
    QFETCH(QString, tree);
    QFETCH(int, row);
    QFETCH(QString, expected);
    auto root = ::tree(tree);
    FeatureTreeItem* found = root->child(row);
    QCOMPARE(found ? found->getDisplayedName() : QString(), expected);
}

void TestFeatureTreeItem::insertChild_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");

    QTest::newRow("front") << "r(a b)" << 0 << "r(x a b)";
    QTest::newRow("middle") << "r(a b)" << 1 << "r(a x b)";
    QTest::newRow("end") << "r(a b)" << 2 << "r(a b x)";
    QTest::newRow("into a leaf") << "r" << 0 << "r(x)";
}

void TestFeatureTreeItem::insertChild()
{
    QFETCH(QString, tree);
    QFETCH(int, row);
    QFETCH(QString, expected);
    auto root = ::tree(tree);
    auto* item = new FeatureTreeItem(QStringLiteral("x"), nullptr, QStringLiteral("x"), root.get());
    root->insertChild(item, row);
    QCOMPARE(describe(root.get()), expected);
    QCOMPARE(item->parent(), root.get());
    for (int i = 0; i < root->childCount(); ++i)
        QCOMPARE(root->child(i)->row(), i);
}

void TestFeatureTreeItem::removeChild_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("removed"); // empty: nothing removed
    QTest::addColumn<QString>("expected");

    QTest::newRow("first") << "r(a(a1) b c)" << 0 << "a(a1)"
                           << "r(b c)";
    QTest::newRow("last") << "r(a b c)" << 2 << "c"
                          << "r(a b)";
    QTest::newRow("at the end") << "r(a b c)" << 3 << ""
                                << "r(a b c)";
    QTest::newRow("beyond the end") << "r(a b c)" << 7 << ""
                                    << "r(a b c)";
    QTest::newRow("from a leaf") << "r" << 0 << ""
                                 << "r";
}

void TestFeatureTreeItem::removeChild()
{
    QFETCH(QString, tree);
    QFETCH(int, row);
    QFETCH(QString, removed);
    QFETCH(QString, expected);
    auto root = ::tree(tree);
    std::unique_ptr<FeatureTreeItem> item(root->removeChild(row));
    QCOMPARE(item ? describe(item.get()) : QString(), removed);
    QCOMPARE(describe(root.get()), expected);
    if (item) {
        // Out of the tree: it no longer claims a place in its former parent.
        QCOMPARE(item->parent(), nullptr);
        QCOMPARE(item->row(), 0);
        QVERIFY(!root->findShallow(item.get()));
    }
}

void TestFeatureTreeItem::removedChildOutlivesItsFormerParent()
{
    // The caller owns a removed item: destroying the former parent (a QObject
    // parent of its children) must not delete it as well.
    auto root = tree(QStringLiteral("r(a(a1 a2) b)"));
    std::unique_ptr<FeatureTreeItem> taken(root->removeChild(0));
    QPointer<FeatureTreeItem> grandChild = taken->child(1);
    root.reset();
    QVERIFY(grandChild);
    QCOMPARE(describe(taken.get()), QStringLiteral("a(a1 a2)"));
    taken.reset();
    QVERIFY(!grandChild);
}

void TestFeatureTreeItem::appendChildAdoptsItemsMadeElsewhere()
{
    auto root = tree(QStringLiteral("r(a b)"));
    FeatureTreeItem* a = root->child(0);
    FeatureTreeItem* b = root->child(1);

    // Made with a parent that never lists it: an orphan.
    auto* orphan = new FeatureTreeItem(QStringLiteral("o"), nullptr, QStringLiteral("o"), a);
    QCOMPARE(orphan->parent(), a);
    QCOMPARE(orphan->row(), -1);
    QCOMPARE(a->childCount(), 0);

    // Appended elsewhere, it belongs there, also as a QObject.
    b->appendChild(orphan);
    QCOMPARE(orphan->parent(), b);
    QCOMPARE(orphan->QObject::parent(), static_cast<QObject*>(b));
    QCOMPARE(orphan->row(), 0);
    QPointer<FeatureTreeItem> watch = orphan;
    delete root->removeChild(1);
    QVERIFY(!watch);
}

void TestFeatureTreeItem::clearChildrenDeletesTheWholeSubtree()
{
    auto root = tree(QStringLiteral("r(a(a1(a11)) b)"));
    QList<QPointer<FeatureTreeItem>> watched;
    for (const char* name : { "a", "a1", "a11", "b" })
        watched << QPointer<FeatureTreeItem>(named(root.get(), QLatin1String(name)));
    // An orphan is still a QObject child and goes with its parent item.
    QPointer<FeatureTreeItem> orphan = new FeatureTreeItem(QStringLiteral("o"), nullptr, QStringLiteral("o"),
                                                           named(root.get(), QStringLiteral("a1")));

    root->clearChildren();
    QCOMPARE(root->childCount(), 0);
    QVERIFY(!root->hasChildren());
    for (const auto& item : watched)
        QVERIFY(!item);
    QVERIFY(!orphan);
}

void TestFeatureTreeItem::findByFullNameShallow_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("expected"); // displayed name, empty for null

    QTest::newRow("the item itself") << "r(a b)"
                                     << "r"
                                     << "r";
    QTest::newRow("a leaf") << "r(a(a1 a2) b)"
                            << "a2"
                            << "a2";
    QTest::newRow("unknown") << "r(a(a1 a2) b)"
                             << "c"
                             << "";
    QTest::newRow("case matters") << "r(Gain)"
                                  << "gain"
                                  << "";
    // Pre-order: a deep match in an earlier subtree beats a shallow later one.
    QTest::newRow("deep before later sibling") << "r(a(x#1) x#2)"
                                               << "x"
                                               << "x#1";
    QTest::newRow("parent before its child") << "r(x#1(x#2))"
                                             << "x"
                                             << "x#1";
    QTest::newRow("siblings in list order") << "r(a x#1 x#2)"
                                            << "x"
                                            << "x#1";
    QTest::newRow("self before children") << "x#1(x#2)"
                                          << "x"
                                          << "x#1";
}

void TestFeatureTreeItem::findByFullNameShallow()
{
    QFETCH(QString, tree);
    QFETCH(QString, fullName);
    QFETCH(QString, expected);
    auto root = ::tree(tree);
    FeatureTreeItem* found = root->findByFullNameShallow(fullName);
    QCOMPARE(found ? found->getDisplayedName() : QString(), expected);
}

void TestFeatureTreeItem::findByRoleShallow_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("special"); // displayed name of the item marked special
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("full name role, duplicates")
        << "r(a(g#1) g#2)"
        << "" << FeatureTreeItem::FullNodeNameRole << QVariant(QStringLiteral("g")) << "g#1";
    QTest::newRow("special flag") << "r(a(b) c d)"
                                  << "c" << FeatureTreeItem::IsSpecialNode << QVariant(true) << "c";
    QTest::newRow("first item without the flag") << "r(a)"
                                                 << "r" << FeatureTreeItem::IsSpecialNode << QVariant(false) << "a";
    QTest::newRow("unanswered role matches nothing")
        << "r(a)"
        << "" << FeatureTreeItem::GenicamTooltipRole << QVariant(QStringLiteral("a")) << "";
    QTest::newRow("value of another type")
        << "r(a)"
        << "" << FeatureTreeItem::GenicamVisibility << QVariant(QStringLiteral("banana")) << "";
}

void TestFeatureTreeItem::findByRoleShallow()
{
    QFETCH(QString, tree);
    QFETCH(QString, special);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    auto root = ::tree(tree);
    if (!special.isEmpty())
        named(root.get(), special)->SetIsSpecialNode(true);
    FeatureTreeItem* found = root->findByRoleShallow(role, value);
    QCOMPARE(found ? found->getDisplayedName() : QString(), expected);
}

void TestFeatureTreeItem::findShallow_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("target"); // empty: a null pointer
    QTest::addColumn<bool>("expected");

    // All in "r(a(a1(a11) a2) b(b1))".
    QTest::newRow("itself") << "a"
                            << "a" << true;
    QTest::newRow("child") << "a"
                           << "a2" << true;
    QTest::newRow("grandchild") << "a"
                                << "a11" << true;
    QTest::newRow("sibling") << "a"
                             << "b" << false;
    QTest::newRow("nephew") << "a"
                            << "b1" << false;
    QTest::newRow("parent") << "a"
                            << "r" << false;
    QTest::newRow("null") << "r"
                          << "" << false;
}

void TestFeatureTreeItem::findShallow()
{
    QFETCH(QString, start);
    QFETCH(QString, target);
    QFETCH(bool, expected);
    auto root = tree(QStringLiteral("r(a(a1(a11) a2) b(b1))"));
    const FeatureTreeItem* wanted = target.isEmpty() ? nullptr : named(root.get(), target);
    QCOMPARE(named(root.get(), start)->findShallow(wanted), expected);
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
    QTest::newRow("placeholder name is exact") << "Dummy2" << 10 << int(GenApi::NA) << 0 << name;
    QTest::newRow("name column") << "x" << 10 << int(GenApi::NA) << 0 << name;
    QTest::newRow("third column") << "x" << 1 << int(GenApi::RW) << 2 << enabled;

    // Value column: persistent-editor types are always editable...
    for (int type : { 1, 2, 3, 4, 5, 7, 9, 11, 12 })
        QTest::addRow("value, editor %d, read only", type) << "x" << type << int(GenApi::RO) << 1 << editable;
    // ... the others only when the access mode allows writing.
    for (int type : { 0, 6, 8, 10 }) {
        QTest::addRow("value, editor %d, NA", type) << "x" << type << int(GenApi::NA) << 1 << enabled;
        QTest::addRow("value, editor %d, NI", type) << "x" << type << int(GenApi::NI) << 1 << enabled;
        QTest::addRow("value, editor %d, RO", type) << "x" << type << int(GenApi::RO) << 1 << enabled;
        QTest::addRow("value, editor %d, WO", type) << "x" << type << int(GenApi::WO) << 1 << editable;
        QTest::addRow("value, editor %d, RW", type) << "x" << type << int(GenApi::RW) << 1 << editable;
    }
}

void TestFeatureTreeItem::flags()
{
    QFETCH(QString, fullName);
    QFETCH(int, editorType);
    QFETCH(int, access);
    QFETCH(int, column);
    QFETCH(int, expected);
    ProbeItem item(fullName, editorType, static_cast<GenApi::EAccessMode>(access));
    QCOMPARE(int(item.flags(column)), expected);
}

void TestFeatureTreeItem::usePersistentEditor_data()
{
    QTest::addColumn<int>("editorType");
    QTest::addColumn<bool>("expected");

    const QList<int> persistent { 1, 2, 3, 4, 5, 7, 9, 11, 12, 50 };
    for (int type = 0; type <= 12; ++type)
        QTest::addRow("type %d", type) << type << persistent.contains(type);
    QTest::newRow("type 50") << 50 << true;
}

void TestFeatureTreeItem::usePersistentEditor()
{
    QFETCH(int, editorType);
    QFETCH(bool, expected);
    ProbeItem item(QStringLiteral("x"), editorType, GenApi::RW);
    QCOMPARE(item.usePersistentEditor(), expected);
    QVERIFY(!item.isEditable());
}

void TestFeatureTreeItem::staticEditorType()
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
    QCOMPARE(plain.editorType(), int(FeatureTreeItem::EditorNone));
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

    QTest::newRow("name: display") << 0 << int(Qt::DisplayRole) << QVariant(QStringLiteral("Favorites"));
    QTest::newRow("name: edit") << 0 << int(Qt::EditRole) << invalid;
    QTest::newRow("name: foreground") << 0 << int(Qt::ForegroundRole) << QVariant(dimmed);
    QTest::newRow("name: size hint") << 0 << int(Qt::SizeHintRole) << QVariant(QSize(0, height));
    QTest::newRow("value: display") << 1 << int(Qt::DisplayRole) << invalid;
    QTest::newRow("value: edit") << 1 << int(Qt::EditRole) << invalid;
    QTest::newRow("value: foreground") << 1 << int(Qt::ForegroundRole) << QVariant(dimmed);
    QTest::newRow("value: size hint") << 1 << int(Qt::SizeHintRole) << invalid;
    QTest::newRow("third column: display") << 2 << int(Qt::DisplayRole) << invalid;
    QTest::newRow("third column: foreground") << 2 << int(Qt::ForegroundRole) << invalid;
    for (int column : { 0, 1 }) {
        QTest::addRow("column %d: tool tip", column)
            << column << int(Qt::ToolTipRole) << QVariant(QStringLiteral("Tip"));
        QTest::addRow("column %d: GenICam name", column) << column << FeatureTreeItem::GenicamNameRole << fullName;
        QTest::addRow("column %d: full name", column) << column << FeatureTreeItem::FullNodeNameRole << fullName;
        QTest::addRow("column %d: category", column) << column << FeatureTreeItem::GenicamCategory << QVariant(false);
        QTest::addRow("column %d: visibility", column)
            << column << FeatureTreeItem::GenicamVisibility << QVariant(int(GenApi::Expert));
        QTest::addRow("column %d: full row", column) << column << FeatureTreeItem::IsFullRowItem << QVariant(true);
        QTest::addRow("column %d: special", column) << column << FeatureTreeItem::IsSpecialNode << QVariant(false);
        QTest::addRow("column %d: shown at all", column) << column << FeatureTreeItem::IsShownAtAll << QVariant(true);
        QTest::addRow("column %d: tool tip role", column) << column << FeatureTreeItem::GenicamTooltipRole << invalid;
        QTest::addRow("column %d: description", column) << column << FeatureTreeItem::GenicamDescription << invalid;
        QTest::addRow("column %d: docu URL", column) << column << FeatureTreeItem::GenicamDocuURL << invalid;
        QTest::addRow("column %d: unused role 263", column) << column << 263 << invalid;
        QTest::addRow("column %d: user role", column) << column << int(Qt::UserRole) << invalid;
    }
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

void TestFeatureTreeItem::uniqueIdFollowsTheFullName_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");

    QTest::newRow("same full name") << "@CameraDevice/Gain"
                                    << "@CameraDevice/Gain" << true;
    QTest::newRow("other full name") << "@CameraDevice/Gain"
                                     << "@CameraDevice/GainAuto" << false;
    QTest::newRow("other collection") << "@CameraDevice/Gain"
                                      << "@StreamGrabber0/Gain" << false;
}

void TestFeatureTreeItem::uniqueIdFollowsTheFullName()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);
    // Different displayed names: the identifier depends on the full name only.
    FeatureTreeItem a(QStringLiteral("A"), nullptr, first, nullptr);
    FeatureTreeItem b(QStringLiteral("B"), nullptr, second, nullptr);
    const QVariant idA = a.data(0, FeatureTreeItem::UniqueID);
    QCOMPARE(idA.userType(), int(QMetaType::UInt));
    QCOMPARE(a.data(1, FeatureTreeItem::UniqueID), idA); // stable, in every column
    QCOMPARE(idA == b.data(0, FeatureTreeItem::UniqueID), same);
}

void TestFeatureTreeItem::showMe_data()
{
    QTest::addColumn<int>("visibility"); // -1: as constructed
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("expected");

    QTest::newRow("undefined at Guru") << -1 << int(GenApi::Guru) << false;
    QTest::newRow("undefined at Invisible") << -1 << int(GenApi::Invisible) << false;
    QTest::newRow("Beginner at Beginner") << int(GenApi::Beginner) << int(GenApi::Beginner) << true;
    QTest::newRow("Expert at Beginner") << int(GenApi::Expert) << int(GenApi::Beginner) << false;
    QTest::newRow("Expert at Expert") << int(GenApi::Expert) << int(GenApi::Expert) << true;
    QTest::newRow("Guru at Expert") << int(GenApi::Guru) << int(GenApi::Expert) << false;
    QTest::newRow("Invisible at Guru") << int(GenApi::Invisible) << int(GenApi::Guru) << false;
    QTest::newRow("Invisible at Invisible") << int(GenApi::Invisible) << int(GenApi::Invisible) << true;
}

void TestFeatureTreeItem::showMe()
{
    QFETCH(int, visibility);
    QFETCH(int, level);
    QFETCH(bool, expected);
    FeatureTreeItem item(QStringLiteral("Search"), nullptr, QStringLiteral("Search"), nullptr);
    if (visibility >= 0)
        item.setVisibility(static_cast<GenApi::EVisibility>(visibility));
    QCOMPARE(item.ShowMe(static_cast<GenApi::EVisibility>(level)), expected);
    QCOMPARE(item.data(0, FeatureTreeItem::IsShownAtAll).toBool(), item.ShowMe(GenApi::Guru));
}

void TestFeatureTreeItem::descriptionAndToolTip()
{
    FeatureTreeItem item(QStringLiteral("x"), nullptr, QStringLiteral("x"), nullptr);
    QVERIFY(item.GetDescription().isEmpty());
    QVERIFY(!item.HasDescription());
    QVERIFY(item.GetToolTip().isEmpty());
    QCOMPARE(item.data(0, Qt::ToolTipRole), QVariant(QString()));

    item.SetDescription(QString());
    QVERIFY(!item.HasDescription());
    item.SetDescription(QStringLiteral("Summed exposure"));
    QVERIFY(item.HasDescription());
    QCOMPARE(item.GetDescription(), QStringLiteral("Summed exposure"));
    item.SetDescription(QString());
    QVERIFY(!item.HasDescription());

    item.SetToolTip(QStringLiteral("first"));
    item.SetToolTip(QStringLiteral("second"));
    QCOMPARE(item.data(1, Qt::ToolTipRole), QVariant(QStringLiteral("second")));
}

QTEST_MAIN(TestFeatureTreeItem)
#include "tst_featuretreeitem.moc"
