#pragma once

#include "featuretree/featuretreeitem.h"
#include "parametercollection/parameterdata.h"

#include <QSharedPointer>

class FeatureTreeHighlighter;

namespace ParameterCollection {
class IParameter;
class IParameterCollection;
} // namespace ParameterCollection

/// The row of one parameter (feature or category) of a parameter collection.
/// It caches the parameter's string properties once and its latest snapshot
/// as the parameter reports it, so that answering the view never calls into
/// the collection; categories load their children on first demand.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeINodeItem : public FeatureTreeItem
{
    Q_OBJECT
public:
    /// The row of a collection's root: keeps `displayedName` and does not follow
    /// the parameter's changes.
    FeatureTreeINodeItem(QSharedPointer<ParameterCollection::IParameterCollection> collection,
                         QSharedPointer<ParameterCollection::IParameter> parameter, const QString& displayedName,
                         IFeatureTreeModelExtension* extension, const QString& fullName, FeatureTreeItem* parent,
                         bool isUtf8);
    /// The row of any other parameter: shows the parameter's display name and
    /// follows its change reports.
    FeatureTreeINodeItem(QSharedPointer<ParameterCollection::IParameterCollection> collection,
                         QSharedPointer<ParameterCollection::IParameter> parameter,
                         IFeatureTreeModelExtension* extension, const QString& fullName, FeatureTreeItem* parent,
                         bool isUtf8);
    ~FeatureTreeINodeItem() override;

    QSharedPointer<ParameterCollection::IParameter> node() const { return parameter; }
    QSharedPointer<ParameterCollection::IParameterCollection> getCollection() const { return collection; }
    QSharedPointer<const ParameterCollection::ParameterData> getParameterData() const { return parameterData; }
    int columnCount() const { return 2; }
    void setHighlighter(FeatureTreeHighlighter* h) { highlighter = h; }
    bool isEditable() const;
    bool usePersistentEditor() const;

    /// The editor a parameter gets, decided from the parameter itself.
    static int editorType(QSharedPointer<ParameterCollection::IParameter> p);
    /// 11 for a null item, else the decision for the item's parameter.
    static int editorType(const FeatureTreeINodeItem* const item);

    int childCount() override;
    QVariant data(int column, int role) const override;
    void setData(int column, const QVariant& value, int role) override;
    int editorType() const override;
    bool hasChildren() const override;
    bool ShowMe(GenApi::EVisibility visibility) const override;
    GenApi::EAccessMode getAccessMode() const override;
    GenApi::EVisibility getVisibility() const override;
    Qt::ItemFlags flags(int column) const override;

    /// The translation context of a row: derived from the first piece of its full name.
    static QString nodeMapNameFromFullName(const QString& fullName);
    /// A row's display text: its name, and its unit in square brackets when it has one.
    static QString displayText(const QString& name, const QString& unit);

    /// The level from which the categories around this row are shown: a row is shown from the higher of that
    /// and its own visibility on (an invisible category hides everything in it below the Invisible level).
    void setEnclosingVisibility(GenApi::EVisibility visibility) { enclosingVisibility = visibility; }
    /// The higher of the row's own visibility and that of the categories around it.
    GenApi::EVisibility shownFrom() const;

Q_SIGNALS:
    void nodeUpdated(int row, FeatureTreeINodeItem* item);

public Q_SLOTS:
    void onParameterDataChanged(QSharedPointer<const ParameterCollection::ParameterData> ptrParameterData);

protected:
    QVariant GetForegroundRole() const override;

private:
    // The search filter reads a row's fields without a variant for each.
    friend class FeatureTreeProxyModel;

    void initInternal();
    /// Takes a snapshot and the facts of it that the filter reads for every row.
    void setParameterData(QSharedPointer<const ParameterCollection::ParameterData> data);
    QVariant valueData(int role) const;
    QVariant toolTip() const;

    // What the search filter reads of every row lies together, next to the
    // fields of the base class it reads, so that a pass touches few cache
    // lines per row and not the snapshot (a block of its own) at all.
    QString nodeName;
    QString cachedUnit;
    int snapshotVisibility = GenApi::_UndefinedVisibility; // parameterData->visibility
    GenApi::EVisibility enclosingVisibility = GenApi::Beginner;
    bool snapshotIsCategory = false; // parameterData->type is TypeCategory
    bool snapshotIsImplemented = false; // parameterData->isImplemented
    bool isUtf8 = false;
    bool hasParameter = false; // parameter is not null

    QSharedPointer<ParameterCollection::IParameterCollection> collection;
    QSharedPointer<ParameterCollection::IParameter> parameter; // May be null.
    QSharedPointer<const ParameterCollection::ParameterData> parameterData; // Never null after construction.
    QString nodeMapName;
    FeatureTreeHighlighter* highlighter = nullptr; // Not owned.
    QString cachedDescription;
    QString cachedTooltip;
    QString cachedDocuURL;
    QString cachedDisplayName;
};
