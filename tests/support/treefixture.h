#pragma once

#include "camerapool/staticbaseinfo.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeproxymodel.h"
#include "featuretree/featuretreewidget.h"
#include "nodemaptext.h"
#include "parametercollection/memoryparametercollection.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"
#include "widgets/asyncerrorqueue.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QSharedPointer>
#include <QString>
#include <QTest>

#include <memory>

/// Node names of a subtree in compact form, "A[B C] D", read with `role`.
/// Counting rows loads categories on the way, as a view would.
inline QString treeText(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex(),
                        int role = FeatureTreeItem::GenicamNameRole)
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

/// Every row below `parent` in column 0, depth first, loading categories as a view would.
inline QModelIndexList allRows(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex())
{
    QModelIndexList rows;
    for (int r = 0; r < model.rowCount(parent); ++r)
        rows << model.index(r, 0, parent) << allRows(model, model.index(r, 0, parent));
    return rows;
}

/// Puts every test on isolated settings, an empty favourites list and an
/// empty error queue; the fixtures below call it, other tests may too.
inline void resetTestState()
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

/// The model stack of a feature tree without a view: a FeatureTreeModel and a
/// FeatureTreeProxyModel over it, configured as the view configures it, each
/// watched by a QAbstractItemModelTester that fails the test on any breach.
class TreeFixture
{
public:
    /// `testers`: off for tests of lazy loading (a tester walks every row at once).
    explicit TreeFixture(bool testers = true)
    {
        resetTestState();
        proxy.setSourceModel(&model);
        proxy.setDynamicSortFilter(false);
        proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
        proxy.setFilterKeyColumn(1);
        if (testers)
            attachTesters();
    }
    ~TreeFixture() { GetTheGlobalAsyncErrorQueue()->clear(); }

    /// Builds a collection from node map text (see nodemaptext.h) and adds it
    /// through the proxy, as the widget does.
    QSharedPointer<ParameterCollection::MemoryParameterCollection>
    add(const QString& tree, const QString& role = QStringLiteral("@CameraDevice"),
        const QString& rootName = QStringLiteral("Camera"))
    {
        const auto collection = NodeMapText::collection(tree, role);
        add(collection, role, rootName);
        return collection;
    }
    void add(const QSharedPointer<ParameterCollection::IParameterCollection>& collection,
             const QString& role = QStringLiteral("@CameraDevice"), const QString& rootName = QStringLiteral("Camera"))
    {
        if (m_role.isEmpty())
            m_role = role;
        proxy.addParameterCollection(collection, rootName, role, true);
        proxy.invalidate();
    }
    void attachTesters()
    {
        using Mode = QAbstractItemModelTester::FailureReportingMode;
        m_modelTester = std::make_unique<QAbstractItemModelTester>(&model, Mode::QtTest);
        m_proxyTester = std::make_unique<QAbstractItemModelTester>(&proxy, Mode::QtTest);
    }

    /// The model's index of the feature "<role>/<name>" (the first collection's role by default).
    QModelIndex index(const QString& name, int column = 0) const
    {
        treeText(model); // the look-up sees loaded rows only
        return model.findItemByFullName(name.contains(QLatin1Char('/')) ? name : m_role + '/' + name, nullptr, column);
    }
    /// The same row in the proxy.
    QModelIndex proxyIndex(const QString& name, int column = 0) const
    {
        return proxy.mapFromSource(index(name, column));
    }
    FeatureTreeItem* item(const QString& name) const { return model.getFeatureTreeItem(index(name)); }

    FeatureTreeModel model;
    FeatureTreeProxyModel proxy;

private:
    QString m_role;
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
    std::unique_ptr<QAbstractItemModelTester> m_proxyTester;
};

/// A shown FeatureTreeWidget over collections built from node map text, its
/// tree expanded, with the view's proxy watched by a QAbstractItemModelTester.
/// The camera kind has no filter file, so every feature keeps its own access.
/// The window is tall enough for the trees the tests write: every shown row
/// is in view and gets its editor (editors live on rows in view only).
class WidgetFixture
{
public:
    WidgetFixture()
    {
        resetTestState();
        m_widget = std::make_unique<FeatureTreeWidget>(
            QStringLiteral("Test"),
            QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(QStringLiteral("NoFilterForThisKind")));
        m_tester = std::make_unique<QAbstractItemModelTester>(view()->model(),
                                                              QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_widget->resize(800, 900);
        m_widget->show();
        QVERIFY2(QTest::qWaitForWindowExposed(m_widget.get()), "The feature tree widget was not shown");
    }
    ~WidgetFixture()
    {
        m_tester.reset();
        m_widget.reset();
        GetTheGlobalAsyncErrorQueue()->clear();
    }

    /// Adds a collection as a host does, then expands the whole tree and settles.
    QSharedPointer<ParameterCollection::MemoryParameterCollection>
    add(const QString& tree, const QString& role = QStringLiteral("@CameraDevice"),
        const QString& rootName = QStringLiteral("Camera"))
    {
        if (m_role.isEmpty())
            m_role = role;
        const auto collection = NodeMapText::collection(tree, role);
        m_widget->addParameterCollection(collection, rootName, role, true);
        view()->expandAll();
        settle();
        return collection;
    }

    FeatureTreeWidget* widget() const { return m_widget.get(); }
    FeatureTreeView* view() const { return m_widget->treeView(); }
    FeatureTreeProxyModel* proxy() const { return qobject_cast<FeatureTreeProxyModel*>(view()->model()); }
    IFeatureTreeModelExtension* extension() const { return dynamic_cast<IFeatureTreeModelExtension*>(view()->model()); }

    /// The view's index of the feature "<role>/<name>" (the first collection's role by default).
    QModelIndex index(const QString& name, int column = 0) const
    {
        const QString fullName = name.contains(QLatin1Char('/')) ? name : m_role + QLatin1Char('/') + name;
        return extension()->findItemByFullName(fullName, nullptr, column);
    }
    /// The persistent editor of a feature's value cell, or null.
    QWidget* editor(const QString& name) const { return view()->indexWidget(index(name, 1)); }
    /// Types `text` into the search field, character by character.
    void type(const QString& text)
    {
        auto* field = m_widget->findChild<QLineEdit*>(QStringLiteral("filterEdit"));
        QVERIFY2(field, "The search field is missing");
        QTest::keyClicks(field, text);
    }
    /// Delivers what the view left for the event loop (its editor pass, layouts).
    void settle() const
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

private:
    QString m_role;
    std::unique_ptr<FeatureTreeWidget> m_widget;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

/// Rows of a _data() function: every operation of the in-memory collection
/// with every fault kind, in the columns "operation" and "kind".
inline void addFaultRows()
{
    using Operation = ParameterCollection::MemoryParameterCollection::Operation;
    using Kind = ParameterCollection::MemoryParameterCollection::FaultKind;
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("kind");
    const std::pair<Kind, const char*> kinds[] = { { Kind::GenICamException, "GenICam" },
                                                   { Kind::StandardException, "std" },
                                                   { Kind::OtherException, "other" } };
    for (int op = int(Operation::GetParameter); op <= int(Operation::GetValue); ++op) {
        for (const auto& kind : kinds)
            QTest::addRow("operation %d, %s", op, kind.second) << op << int(kind.first);
    }
}
