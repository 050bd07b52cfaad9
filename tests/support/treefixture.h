#pragma once

#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeproxymodel.h"
#include "featuretree/featuretreewidget.h"
#include "nodemaptext.h"
#include "parametercollection/memoryparametercollection.h"

#include <QAbstractItemModelTester>
#include <QSharedPointer>
#include <QString>

#include <memory>

/// Node names of a subtree in compact form, "A[B C] D", read with `role`.
/// Counting rows loads categories on the way, as a view would.
QString treeText(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex(),
                 int role = FeatureTreeItem::GenicamNameRole);
/// Every row below `parent` in column 0, depth first, loading categories as a view would.
QModelIndexList allRows(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex());

/// Puts every test on isolated settings, an empty favourites list and an
/// empty error queue; the fixtures below call it, other tests may too.
void resetTestState();

/// The model stack of a feature tree without a view: a FeatureTreeModel and a
/// FeatureTreeProxyModel over it, configured as the view configures it, each
/// watched by a QAbstractItemModelTester that fails the test on any breach.
class TreeFixture
{
public:
    /// `testers`: off for tests of lazy loading (a tester walks every row at once).
    explicit TreeFixture(bool testers = true);
    ~TreeFixture();

    /// Builds a collection from node map text (see nodemaptext.h) and adds it
    /// through the proxy, as the widget does.
    QSharedPointer<ParameterCollection::MemoryParameterCollection>
    add(const QString& tree, const QString& role = QStringLiteral("@CameraDevice"),
        const QString& rootName = QStringLiteral("Camera"));
    void add(const QSharedPointer<ParameterCollection::IParameterCollection>& collection,
             const QString& role = QStringLiteral("@CameraDevice"), const QString& rootName = QStringLiteral("Camera"));
    void attachTesters();

    /// The model's index of the feature "<role>/<name>" (the first collection's role by default).
    QModelIndex index(const QString& name, int column = 0) const;
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
    WidgetFixture();
    ~WidgetFixture();

    /// Adds a collection as a host does, then expands the whole tree and settles.
    QSharedPointer<ParameterCollection::MemoryParameterCollection>
    add(const QString& tree, const QString& role = QStringLiteral("@CameraDevice"),
        const QString& rootName = QStringLiteral("Camera"));

    FeatureTreeWidget* widget() const { return m_widget.get(); }
    FeatureTreeView* view() const { return m_widget->treeView(); }
    FeatureTreeProxyModel* proxy() const { return qobject_cast<FeatureTreeProxyModel*>(view()->model()); }
    IFeatureTreeModelExtension* extension() const { return dynamic_cast<IFeatureTreeModelExtension*>(view()->model()); }

    /// The view's index of the feature "<role>/<name>" (the first collection's role by default).
    QModelIndex index(const QString& name, int column = 0) const;
    /// The persistent editor of a feature's value cell, or null.
    QWidget* editor(const QString& name) const { return view()->indexWidget(index(name, 1)); }
    /// Types `text` into the search field, character by character.
    void type(const QString& text);
    /// Delivers what the view left for the event loop (its editor pass, layouts).
    void settle() const;

private:
    QString m_role;
    std::unique_ptr<FeatureTreeWidget> m_widget;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

/// Rows of a _data() function: every operation of the in-memory collection
/// that `operations` names (all of them when empty) with every fault kind,
/// in the columns "operation" and "kind".
void addFaultRows(const QList<ParameterCollection::MemoryParameterCollection::Operation>& operations = {});
