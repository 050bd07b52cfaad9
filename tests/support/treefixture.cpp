#include "treefixture.h"

#include "camerapool/staticbaseinfo.h"
#include "featuretree/favoritesdata.h"
#include "nodemaptext.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"
#include "widgets/asyncerrorqueue.h"

#include <QLineEdit>
#include <QTest>

using ParameterCollection::MemoryParameterCollection;

QString treeText(const QAbstractItemModel& model, const QModelIndex& parent, int role)
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        const QString children = treeText(model, index, role);
        rows << index.data(role).toString()
                + (children.isEmpty() ? QString() : QLatin1Char('[') + children + QLatin1Char(']'));
    }
    return rows.join(QLatin1Char(' '));
}

QModelIndexList allRows(const QAbstractItemModel& model, const QModelIndex& parent)
{
    QModelIndexList rows;
    for (int r = 0; r < model.rowCount(parent); ++r)
        rows << model.index(r, 0, parent) << allRows(model, model.index(r, 0, parent));
    return rows;
}

void resetTestState()
{
    // One settings folder for the whole test program: the favourites list is
    // loaded from it once per process.
    static TestSettings settings;
    ParameterCollection::registerMetaTypes();
    FeatureTreeModel model;
    FavoritesData& favorites = model.GetFavorites();
    // Loaded now, or the first view would load the stored state over this one.
    favorites.load(QStringLiteral("Favorites"));
    while (favorites.count() > 0)
        favorites.remove(0);
    favorites.setViewAll(true);
    favorites.setExpanded(false);
    GetTheGlobalAsyncErrorQueue()->clear();
}

// --- TreeFixture ---------------------------------------------------------------------

TreeFixture::TreeFixture(bool testers)
{
    resetTestState();
    proxy.setSourceModel(&model);
    proxy.setDynamicSortFilter(false);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterKeyColumn(1);
    if (testers)
        attachTesters();
}

TreeFixture::~TreeFixture()
{
    GetTheGlobalAsyncErrorQueue()->clear();
}

void TreeFixture::attachTesters()
{
    using Mode = QAbstractItemModelTester::FailureReportingMode;
    m_modelTester = std::make_unique<QAbstractItemModelTester>(&model, Mode::QtTest);
    m_proxyTester = std::make_unique<QAbstractItemModelTester>(&proxy, Mode::QtTest);
}

QSharedPointer<MemoryParameterCollection> TreeFixture::add(const QString& tree, const QString& role,
                                                           const QString& rootName)
{
    const auto collection = NodeMapText::collection(tree, role);
    add(collection, role, rootName);
    return collection;
}

void TreeFixture::add(const QSharedPointer<ParameterCollection::IParameterCollection>& collection, const QString& role,
                      const QString& rootName)
{
    if (m_role.isEmpty())
        m_role = role;
    proxy.addParameterCollection(collection, rootName, role, true);
    proxy.invalidate();
}

QModelIndex TreeFixture::index(const QString& name, int column) const
{
    const QString fullName = name.contains(QLatin1Char('/')) ? name : m_role + QLatin1Char('/') + name;
    treeText(model); // the look-up sees loaded rows only
    return model.findItemByFullName(fullName, nullptr, column);
}

// --- WidgetFixture -------------------------------------------------------------------

WidgetFixture::WidgetFixture()
{
    resetTestState();
    m_widget = std::make_unique<FeatureTreeWidget>(
        QStringLiteral("Test"),
        QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(QStringLiteral("NoFilterForThisKind")));
    m_tester = std::make_unique<QAbstractItemModelTester>(view()->model(),
                                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_widget->resize(800, 900);
    m_widget->show();
    if (!QTest::qWaitForWindowExposed(m_widget.get()))
        QTest::qFail("The feature tree widget was not shown", __FILE__, __LINE__);
}

WidgetFixture::~WidgetFixture()
{
    m_tester.reset();
    m_widget.reset();
    GetTheGlobalAsyncErrorQueue()->clear();
}

QSharedPointer<MemoryParameterCollection> WidgetFixture::add(const QString& tree, const QString& role,
                                                             const QString& rootName)
{
    if (m_role.isEmpty())
        m_role = role;
    const auto collection = NodeMapText::collection(tree, role);
    m_widget->addParameterCollection(collection, rootName, role, true);
    view()->expandAll();
    settle();
    return collection;
}

QModelIndex WidgetFixture::index(const QString& name, int column) const
{
    const QString fullName = name.contains(QLatin1Char('/')) ? name : m_role + QLatin1Char('/') + name;
    return extension()->findItemByFullName(fullName, nullptr, column);
}

void WidgetFixture::type(const QString& text)
{
    auto* field = m_widget->findChild<QLineEdit*>(QStringLiteral("filterEdit"));
    if (!field) {
        QTest::qFail("The search field is missing", __FILE__, __LINE__);
        return;
    }
    QTest::keyClicks(field, text);
}

void WidgetFixture::settle() const
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// --- fault rows ----------------------------------------------------------------------

void addFaultRows(const QList<MemoryParameterCollection::Operation>& operations)
{
    using Operation = MemoryParameterCollection::Operation;
    using Kind = MemoryParameterCollection::FaultKind;
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("kind");
    QList<Operation> all = operations;
    if (all.isEmpty()) {
        for (int op = int(Operation::GetParameter); op <= int(Operation::GetValue); ++op)
            all << Operation(op);
    }
    const std::pair<Kind, const char*> kinds[] = { { Kind::GenICamException, "GenICam" },
                                                   { Kind::StandardException, "std" },
                                                   { Kind::OtherException, "other" } };
    for (Operation op : qAsConst(all)) {
        for (const auto& kind : kinds)
            QTest::addRow("operation %d, %s", int(op), kind.second) << int(op) << int(kind.first);
    }
}
