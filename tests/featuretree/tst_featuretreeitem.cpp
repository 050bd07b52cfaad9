#include "featuretree/featuretreehighlighter.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "fetch.h"
#include "genicam/genericexception.h"
#include "logcapture.h"
#include "parametercollection/iparameter.h"
#include "testsettings.h"
#include "treefixture.h"

#include <QPointer>
#include <QSettings>
#include <QtTest>

using namespace ParameterCollection;
using Operation = MemoryParameterCollection::Operation;
using FaultKind = MemoryParameterCollection::FaultKind;

namespace {

// Counts childCount(), which parameter rows use to load their children.
struct CountingItem : FeatureTreeItem
{
    using FeatureTreeItem::FeatureTreeItem;
    int childCount() override { return ++calls, FeatureTreeItem::childCount(); }
    static inline int calls = 0;
};

// Plain items from "r(a#1(b c) a#2)", children in parentheses: full name up to '#', displayed name the whole.
std::unique_ptr<FeatureTreeItem> tree(const QString& text)
{
    FeatureTreeItem* root = nullptr;
    FeatureTreeItem* last = nullptr;
    QList<FeatureTreeItem*> parents { nullptr };
    auto tokens = QRegularExpression("[\\w#]+|[()]").globalMatch(text);
    while (tokens.hasNext()) {
        const QString token = tokens.next().captured();
        if (token == "(" || token == ")") {
            token == "(" ? parents.append(last) : parents.removeLast();
            continue;
        }
        last = new CountingItem(token, nullptr, token.section('#', 0, 0), parents.last());
        parents.last() ? parents.last()->appendChild(last) : void(root = last);
    }
    return std::unique_ptr<FeatureTreeItem>(root);
}

// The notation tree() reads, children as they are listed.
QString describe(FeatureTreeItem* item)
{
    QStringList children;
    for (int row = 0; row < item->childCount(); ++row)
        children << describe(item->child(row));
    return item->getDisplayedName() + (children.isEmpty() ? QString() : '(' + children.join(' ') + ')');
}

FeatureTreeItem* named(FeatureTreeItem* root, const QString& displayedName)
{
    return root->findByRoleShallow(Qt::DisplayRole, displayedName);
}

const char* const parameters
    = "Controls#Guru[Width=640{min=Floor max=Limit inc=2 unit=px description='Image width.'"
      " tooltip='Width of the image' docuURL=docs/features.html#Width} Floor=16 Limit=1000"
      " Gain:f=5{min=GainFloor max=GainLimit representation=Linear unit=dB} GainFloor:f=0 GainLimit:f=24"
      " Plain:f=5 Ranged=5{min=1 max=100 representation=Linear} Hex=0xFF{min=0 max=4095 representation=HexNumber}"
      " Exposure:f=5000{min=16 max=1048576 representation=Logarithmic aliasScale=1}"
      " NoAlias:f=5{min=1 max=100 representation=Logarithmic}"
      " ReverseX:b=true DeviceUserID:s=cam PixelFormat:e=Mono8(Mono8 Mono12) UserSetSave:c SensorWidth=2448!RO"
      " DeviceKey!WO FutureMode!NA LegacyMode!NI RootCause=1 Level=5!RO{min=1 max=9 representation=Linear}"
      " Temperature:f=50!RO{max=Limit}]";

} // namespace

class TestFeatureTreeItem : public QObject
{
    Q_OBJECT
private slots:
    void structure_data()
    {
        QTest::addColumn<QString>("tree");
        // child N, insert N (item "x"), remove N, find FROM FULLNAME, role FROM ROLE VALUE, contains FROM ITEM (- null)
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("answer"); // the item answered or removed, "-" for none
        QTest::addColumn<QString>("after");
        const auto row = [](const char* tree, const char* operation, const char* answer, const char* after = nullptr) {
            QTest::addRow("%s: %s", tree, operation) << tree << operation << answer << (after ? after : tree);
        };
        row("r(a b c)", "child 0", "a");
        row("r(a b c)", "child -1", "-");
        row("r(a b c)", "child 3", "-");
        row("r(a b)", "insert 0", "x", "r(x a b)");
        row("r(a b)", "insert 2", "x", "r(a b x)");
        row("r(a b c)", "insert 1", "x", "r(a x b c)");
        row("r(a(a1) b c)", "remove 0", "a(a1)", "r(b c)");
        row("r(a b c)", "remove 2", "c", "r(a b)");
        row("r(a b c)", "remove 1", "b", "r(a c)");
        row("r(a b c)", "remove 3", "-");
        row("r(a b c)", "remove -1", "-");
        row("r(a b)", "find r r", "r(a b)");
        row("r(Gain)", "find r gain", "-"); // case matters
        // Pre-order: a deep match in an earlier subtree beats a shallow later one.
        row("r(a(x#1) x#2)", "find r x", "x#1");
        row("r(x#1(x#2))", "find r x", "x#1(x#2)");
        row("r(x#1 a(x#2))", "find a x", "x#2");
        row("r(a(x#1) x#2)", "role r 288 x", "x#1");
        row("r(a(a1(a11)) b)", "contains a a", "a(a1(a11))");
        row("r(a(a1(a11)) b)", "contains a a11", "a(a1(a11))");
        row("r(a(a1(a11)) b)", "contains a b", "-");
        row("r(a(a1(a11)) b)", "contains a -", "-"); // not null
    }

    void structure()
    {
        auto root = tree(fetch<QString>("tree"));
        const QStringList words = fetch<QString>("operation").split(' ');
        const int n = words.value(1).toInt();
        FeatureTreeItem* from = named(root.get(), words.value(1));
        std::unique_ptr<FeatureTreeItem> removed;
        FeatureTreeItem* item = nullptr;
        CountingItem::calls = 0;
        if (words[0] == "child")
            item = root->child(n);
        else if (words[0] == "insert")
            root->insertChild(item = new FeatureTreeItem("x", nullptr, "x", nullptr), n);
        else if (words[0] == "remove")
            removed.reset(item = root->removeChild(n));
        else if (words[0] == "find")
            item = from->findByFullNameShallow(words[2]);
        else if (words[0] == "role")
            item = from->findByRoleShallow(words[2].toInt(), words[3]);
        else if (from->findShallow(named(root.get(), words[2])))
            item = from; // it contains the item
        // Searching walks the loaded rows only, or it would load the whole node map.
        QCOMPARE(CountingItem::calls, 0);
        QTEST(item ? describe(item) : "-", "answer");
        QTEST(describe(root.get()), "after");
        for (int i = 0; i < root->childCount(); ++i) {
            QCOMPARE(root->child(i)->row(), i);
            QCOMPARE(root->child(i)->QObject::parent(), root.get());
        }
        // Out of the tree, an item no longer claims a place in its former parent.
        QVERIFY(!removed || (!removed->parent() && !removed->QObject::parent() && removed->row() == 0));
    }

    void ownership()
    {
        auto root = tree("r(a(a1(a11) a2) b)");
        // Made with a parent that never lists it: an orphan, yet a QObject child.
        FeatureTreeItem* a1 = named(root.get(), "a1");
        QPointer<FeatureTreeItem> orphan = new FeatureTreeItem("o", nullptr, "o", a1);
        QCOMPARE(orphan->row(), -1);
        QCOMPARE(a1->childCount(), 1);
        // Appended elsewhere, it belongs there, also as a QObject.
        named(root.get(), "b")->appendChild(orphan);
        QCOMPARE(orphan->parent(), named(root.get(), "b"));
        QCOMPARE(orphan->QObject::parent(), named(root.get(), "b"));
        // Clearing deletes the whole subtree, orphans included.
        QList<QPointer<FeatureTreeItem>> watched { named(root.get(), "a"), a1, named(root.get(), "a11"), orphan,
                                                   new FeatureTreeItem("o2", nullptr, "o2", a1) };
        root->clearChildren();
        QVERIFY(!root->hasChildren());
        for (const auto& item : watched)
            QVERIFY(!item);
    }

    void rowsWithoutParameter()
    {
        // The structural rows: a dimmed name, no value, shown from their own level on.
        FeatureTreeItem item("Favorites", nullptr, "FavRoot", nullptr);
        item.setVisibility(GenApi::Expert);
        QVERIFY(item.data(0, Qt::ForegroundRole).isValid() && item.data(1, Qt::ForegroundRole).isValid());
        for (const auto& [column, role] : { std::pair { 0, int(Qt::EditRole) },
                                            { 1, int(Qt::DisplayRole) },
                                            { 2, int(Qt::ForegroundRole) },
                                            { 0, FeatureTreeItem::GenicamDescription } })
            QVERIFY2(!item.data(column, role).isValid(), qPrintable(QString("%1/%2").arg(column).arg(role)));
        QCOMPARE(
            QVector<bool>({ item.ShowMe(GenApi::Beginner), item.ShowMe(GenApi::Expert), item.ShowMe(GenApi::Invisible),
                            item.data(0, FeatureTreeItem::IsShownAtAll).toBool() }),
            QVector<bool>({ false, true, true, true }));
        QVERIFY(!FeatureTreeItem("x", nullptr, "x", nullptr).ShowMe(GenApi::Invisible)); // no level: never
        QVERIFY(!item.isEditable() && !item.HasDescription());
        item.SetDescription(QString()); // an empty description is none
        QVERIFY(!item.HasDescription());
        // The identifier depends on the full name alone.
        const auto id = [](const char* displayed, const char* fullName) {
            return FeatureTreeItem(displayed, nullptr, fullName, nullptr).data(1, FeatureTreeItem::UniqueID);
        };
        QVERIFY(id("A", "FavRoot") == id("B", "FavRoot") && id("A", "FavRoot") != id("A", "FavRoot2"));
        // A parameter row without parameter stands empty.
        FeatureTreeINodeItem none(nullptr, nullptr, nullptr, "@CameraDevice/Nothing", nullptr, true);
        QCOMPARE(none.editorType(), int(FeatureTreeItem::EditorInvalid));
        QVERIFY(!none.data(0, Qt::DisplayRole).isValid() && none.childCount() == 0
                && none.getAccessMode() == GenApi::NI);
        // A parameter row stands with the default snapshot when its parameter fails while it is cached.
        const auto collection = NodeMapText::collection(parameters);
        collection->injectFault("Width", Operation::GetProperties, FaultKind::StandardException, 1);
        collection->injectFault("Width", Operation::GetParameterData, FaultKind::OtherException, 1);
        LogCapture log;
        FeatureTreeINodeItem width(collection, collection->getParameter("Width"), nullptr, "@CameraDevice/Width",
                                   nullptr, true);
        QCOMPARE(log.texts(QtWarningMsg).join('|'),
                 QString("Exception fired when caching parameter properties|FeatureTreeINodeItem::initInternal: "
                         "Exception occurred:\nInjected fault in getProperties of node 'Width'\n|"
                         "Exception fired when caching parameter data|"
                         "FeatureTreeINodeItem::initInternal: Unspecified exception occurred."));
        QCOMPARE(width.getParameterData()->type, 0);
        QCOMPARE(width.getDisplayedName(), QString());
    }

    void parameterRows_data()
    {
        QTest::addColumn<QString>("feature");
        QTest::addColumn<int>("editor");
        QTest::addColumn<QString>("made"); // the class the delegate makes, "*" when open without editing; "" none
        QTest::addColumn<int>("access");
        QTest::addColumn<QVariant>("display");
        QTest::addColumn<QVariant>("edit");
        QTest::addColumn<bool>("editable"); // the value cell
        QTest::addColumn<bool>("dimmed");
        QTest::addColumn<int>("shownFrom"); // the lowest level that shows it
        const QVariant none, empty = QString();
        const auto row = [](const char* feature, int editor, const char* made, int access, const QVariant& display,
                            const QVariant& edit, bool editable = true, bool dimmed = false, int shownFrom = 0) {
            QTest::newRow(feature) << feature << editor << made << access << display << edit << editable << dimmed
                                   << shownFrom;
        };
        const int rw = GenApi::RW;
        row("Width", 0, "IntEditor", rw, "640", "640");
        row("Hex", 0, "IntEditor", rw, "0xFF", "0xFF");
        row("Ranged", 1, "IntSliderEditor*", rw, "5", "5");
        row("Plain", 2, "FloatEditor*", rw, "5.00", "5.00");
        row("Gain", 3, "FloatEditor*", rw, "5.00", "5.00");
        row("Exposure", 3, "FloatSliderEditor*", rw, "5000.00", "5000.00");
        row("NoAlias", 3, "FloatEditor*", rw, "5.00", "5.00"); // logarithmic without an alias to slide along
        row("PixelFormat", 4, "EnumEditor*", rw, "Mono8", "Mono8");
        row("ReverseX", 5, "CheckBoxEditor*", rw, empty, none);
        row("DeviceUserID", 6, "QExpandingLineEdit", rw, "cam", "cam");
        row("UserSetSave", 7, "ToolButtonEditor*", rw, "", "");
        // What the delegate makes when asked; the view does not ask for a cell that is not editable.
        row("Controls", 10, "QExpandingLineEdit", GenApi::RO, empty, none, false, false, GenApi::Guru);
        row("SensorWidth", 0, "IntEditor", GenApi::RO, "2448", "2448", false, true);
        row("Level", 1, "IntSliderEditor*", GenApi::RO, "5", "5", true, true); // a slider stays, read only
        row("DeviceKey", 0, "IntEditor", GenApi::WO, "<not readable>", none);
        row("FutureMode", 0, "", GenApi::NA, "<not available>", none, false, true);
        row("LegacyMode", 0, "", GenApi::NI, "<not implemented>", none, false, true, GenApi::Invisible);
    }

    void parameterRows()
    {
        QFETCH(QString, feature);
        QFETCH(int, editor);
        QFETCH(QString, made);
        QFETCH(int, access);
        WidgetFixture f;
        f.add(parameters);
        f.widget()->setVisibility(GenApi::Invisible); // unimplemented features show at that level only
        auto* node = qobject_cast<FeatureTreeINodeItem*>(f.extension()->getFeatureTreeItem(f.index(feature)));
        QVERIFY(node);
        QCOMPARE(node->editorType(), editor);
        // The view opens the persistent editors by itself; the delegate makes the editor of each kind.
        QCOMPARE(node->usePersistentEditor(), made.endsWith('*'));
        QCOMPARE(f.editor(feature) != nullptr, made.endsWith('*'));
        std::unique_ptr<QWidget> created(f.view()->itemDelegate()->createEditor(f.view(), {}, f.index(feature, 1)));
        QCOMPARE(QString(created ? created->metaObject()->className() : "") + (made.endsWith('*') ? "*" : ""), made);
        QCOMPARE(int(node->getAccessMode()), access);
        QTEST(node->data(1, Qt::DisplayRole), "display");
        QTEST(node->data(1, Qt::EditRole), "edit");
        for (int column : { 0, 1 })
            QTEST(node->data(column, Qt::ForegroundRole).isValid(), "dimmed");
        for (int level = 0; level <= 3; ++level)
            QCOMPARE(node->ShowMe(GenApi::EVisibility(level)), level >= fetch<int>("shownFrom"));
        QCOMPARE(node->isEditable(), access == GenApi::WO || access == GenApi::RW);
        QTEST(bool(node->flags(1) & Qt::ItemIsEditable), "editable");
        // Only a readable category cannot be dragged.
        const Qt::ItemFlags name = Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled;
        QCOMPARE(node->flags(0), editor == 10 ? name & ~Qt::ItemIsDragEnabled : name);
        QCOMPARE(node->flags(2), Qt::ItemIsEnabled);
        QCOMPARE(node->hasChildren(), editor == 10);
        QCOMPARE(node->data(0, FeatureTreeItem::IsFullRowItem).toBool(), editor == 10);
    }

    void namesAndToolTips()
    {
        TreeFixture f;
        f.add(parameters);
        FeatureTreeItem* width = f.item("Width");
        // The unit joins the name; the value column's name is the full one.
        QCOMPARE(QStringList({ width->data(0, Qt::DisplayRole).toString(),
                               f.item("Limit")->data(0, Qt::DisplayRole).toString(),
                               width->data(0, FeatureTreeItem::GenicamNameRole).toString(),
                               width->data(1, FeatureTreeItem::GenicamNameRole).toString(),
                               width->data(0, FeatureTreeItem::GenicamDocuURL).toString() }),
                 QStringList({ "Width [px]", "Limit", "Width", "@CameraDevice/Width", "docs/features.html#Width" }));
        const auto tip = [&f](const char* name) { return f.item(name)->data(0, Qt::ToolTipRole).toString(); };
        QCOMPARE(tip("Width"), QString("<nobr><b>Width (Width)</b></nobr><br><nobr>Width of the image</nobr>"));
        QCOMPARE(tip("Controls"), QString("<nobr><b>Controls</b></nobr>"));
        QCOMPARE(tip("RootCause"), QString("<nobr><b>RootCause</b></nobr>")); // "root" in any case: the short heading
        // A translation of "<name>_Tooltip" in the node map's context replaces the text.
        struct Translator : QTranslator
        {
            bool isEmpty() const override { return false; }
            QString translate(const char* context, const char* source, const char*, int) const override
            {
                const bool width = qstrcmp(context, "CameraDevice") == 0 && qstrcmp(source, "Width_Tooltip") == 0;
                return width ? QString::fromUtf8("画像の幅") : QString();
            }
        } translator;
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(tip("Width"), QString::fromUtf8("<nobr><b>Width (Width)</b></nobr><br><nobr>画像の幅</nobr>"));
        QCoreApplication::removeTranslator(&translator);
        // Search matches are marked in the heading only.
        FeatureTreeHighlighter highlighter;
        highlighter.searchText = "idt";
        static_cast<FeatureTreeINodeItem*>(width)->setHighlighter(&highlighter);
        QVERIFY2(tip("Width").startsWith("<nobr><b>W<span")
                     && tip("Width").endsWith("<br><nobr>Width of the image</nobr>"),
                 qPrintable(tip("Width")));
    }

    void executesCommandsWhateverTheValue()
    {
        TreeFixture f;
        const auto collection = f.add(parameters);
        FeatureTreeItem* save = f.item("UserSetSave");
        QSignalSpy reported(collection->getParameter("UserSetSave").data(), &IParameter::parameterDataChangedDecoupled);
        // Nothing of the value is used: no value is set, an invalid one executes too.
        collection->injectFault("UserSetSave", Operation::SetValue, FaultKind::StandardException);
        save->setData(1, QVariant(), Qt::EditRole);
        save->setData(1, "garbage", Qt::EditRole);
        QCOMPARE(reported.count(), 0); // no busy time: done before and after, no change to report
        // Only an edit of the value column executes.
        collection->injectFault("UserSetSave", Operation::Execute, FaultKind::GenICamException, 1);
        save->setData(0, 1, Qt::EditRole);
        save->setData(1, 1, Qt::DisplayRole);
        QVERIFY_EXCEPTION_THROWN(save->setData(1, 1, Qt::EditRole), GenICam::GenericException);
    }

    void marksMatches_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ranges");
        QTest::addColumn<QString>("marked"); // each match in [ ]
        QTest::addColumn<QVariant>("stored"); // the colour setting, none when invalid
        QTest::addColumn<QString>("colour"); // used, and stored afterwards
        const auto row = [](const char* name, const QString& search, const QString& text, const char* ranges,
                            const QString& marked, const QVariant& stored = {}, const char* colour = "#ffff50") {
            QTest::newRow(name) << search << text << ranges << marked << stored << colour;
        };
        row("two matches, overlap skipped", "aa", "AaxxxxxxxaAax", "0-2 9-11", "[Aa]xxxxxxx[aA]ax");
        row("empty search text", "", "<b>Gain</b>", "", "<b>Gain</b>");
        row("match at the end", "time", "ExposureTime", "8-12", "Exposure[Time]");
        row("adjacent matches", "ab", "abAB", "0-2 2-4", "[ab][AB]");
        // The search text in the inserted markup is not found again.
        row("search text in the markup", "span", "Timespan", "4-8", "Time[span]");
        // Tool tip headings are HTML: tags are not searched.
        row("tags left alone", "b", "<nobr><b>Black (BlackLevel)</b></nobr>", "3-4 7-8 9-10 16-17 29-30 35-36",
            "<nobr><b>[B]lack ([B]lackLevel)</b></nobr>");
        row("tag name only", "nobr", "<nobr><b>W</b></nobr>", "1-5 16-20", "<nobr><b>W</b></nobr>");
        row("match running into a tag", "h<", "<b>Width</b>", "7-9", "<b>Width</b>");
        row("lone angle bracket is text", "<", "a<b", "1-2", "a[<]b");
        row("stored colour, upper case", "gain", "Gain", "0-4", "[Gain]", "#ABCDEF", "#abcdef");
        row("not a colour", "gain", "Gain", "0-4", "[Gain]", "sunshine");
    }
    void marksMatches()
    {
        QFETCH(QString, text);
        QFETCH(QString, marked);
        QFETCH(QVariant, stored);
        QFETCH(QString, colour);
        TestSettings isolated;
        if (stored.isValid())
            QSettings().setValue("FeatureTree/HighlightColor", stored);
        FeatureTreeHighlighter highlighter;
        highlighter.searchText = fetch<QString>("search");
        QStringList ranges;
        for (const auto& range : highlighter.matchRanges(text))
            ranges << QString("%1-%2").arg(range.first).arg(range.second);
        QTEST(ranges.join(' '), "ranges");
        marked.replace('[', "<span style='background-color: " + colour + "; font-weight:bold'>")
            .replace(']', "</span>");
        QCOMPARE(highlighter.highlight(text), marked);
        QCOMPARE(QSettings().value("FeatureTree/HighlightColor").toString(), colour);
    }
};

QTEST_MAIN(TestFeatureTreeItem)
#include "tst_featuretreeitem.moc"
