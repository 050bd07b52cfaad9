#pragma once

#include "genicam/genapienums.h"
#include "orvikviewercomponents6_export.h"

#include <QList>
#include <QModelIndex>
#include <QObject>
#include <QString>
#include <QVariant>

class IFeatureTreeModelExtension;

/// One row of the feature tree: the structural rows (hidden root, search help,
/// favourites root and its placeholder) are plain items, parameter rows derive
/// from it. Items own their children; the QObject parent is the parent item.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeItem : public QObject
{
    Q_OBJECT
public:
    // Item data roles shared by the model, the proxy, the view and the delegate,
    // above Qt::UserRole (256). The values are fixed: hosts compare them as
    // integers. 263 to 265 and 267 are not used.
    static const int GenicamNameRole = 257;
    static const int GenicamTooltipRole = 258;
    static const int GenicamDescription = 259;
    static const int GenicamDocuURL = 260;
    static const int GenicamCategory = 261;
    static const int GenicamVisibility = 262;
    static const int UniqueID = 266;
    static const int IsFullRowItem = 268;
    static const int IsSpecialNode = 269;
    static const int IsShownAtAll = 270;
    static const int FullNodeNameRole = 288;

    /// The in-place editor a row gets. Stored and compared as integers; 8 and 9
    /// are never produced.
    enum EditorType {
        EditorInt = 0,
        EditorIntSlider = 1,
        EditorFloat = 2,
        EditorFloatSlider = 3,
        EditorEnum = 4,
        EditorBool = 5,
        EditorString = 6,
        EditorCommand = 7,
        EditorNone = 10,
        EditorInvalid = 11
    };

    /// Does not append itself to `parent`: the creator calls appendChild or insertChild.
    FeatureTreeItem(const QString& displayedName, IFeatureTreeModelExtension* extension, const QString& fullName,
                    FeatureTreeItem* parent);
    ~FeatureTreeItem() override;

    // Children. Ownership of an added child passes to this item.
    void appendChild(FeatureTreeItem* item);
    void insertChild(FeatureTreeItem* item, int row);
    FeatureTreeItem* child(int row);
    /// Takes the child out of the tree without deleting it; the caller owns it.
    /// Null, and nothing changes, for a row at or beyond the end.
    FeatureTreeItem* removeChild(int row);
    int columnCount() const;

    // Depth-first, pre-order searches over the children loaded so far (lazy
    // rows are not populated by searching); the first match wins.
    bool findShallow(const FeatureTreeItem* item) const;
    FeatureTreeItem* findByFullNameShallow(const QString& fullName);
    FeatureTreeItem* findByRoleShallow(int role, const QVariant& value);

    QString getDisplayedName() const;
    void setDisplayedName(QString name);
    QString getFullName() const;
    QString GetDescription() const;
    void SetDescription(QString description);
    bool HasDescription() const;
    QString GetToolTip() const;
    void SetToolTip(const QString& toolTip);
    void SetIsFullRowItem(bool fullRow);
    void SetIsSpecialNode(bool special);

    bool isEditable() const;
    bool usePersistentEditor() const;

    /// 11 (invalid) for a null item, 10 (none) for any other plain item.
    static int editorType(const FeatureTreeItem* const item);
    /// 11 for an invalid index, else editorType() of the index's internal pointer.
    static int editorType(const QModelIndex& index);

    virtual void clearChildren();
    virtual int childCount();
    virtual QVariant data(int column, int role) const;
    virtual void setData(int column, const QVariant& value, int role);
    virtual int row() const;
    virtual const FeatureTreeItem* parent() const;
    virtual FeatureTreeItem* parent();
    virtual const IFeatureTreeModelExtension* getExtension() const;
    virtual IFeatureTreeModelExtension* getExtension();
    virtual int editorType() const;
    virtual bool hasChildren() const;
    virtual bool ShowMe(GenApi::EVisibility visibility) const;
    virtual GenApi::EAccessMode getAccessMode() const;
    virtual GenApi::EVisibility getVisibility() const;
    virtual void setVisibility(GenApi::EVisibility visibility);
    virtual Qt::ItemFlags flags(int column) const;

protected:
    /// The text brush of structural rows: the disabled text colour.
    virtual QVariant GetForegroundRole() const;

    /// True for 1, 2, 3, 4, 5, 7, 9 and everything above 10.
    static bool isPersistentEditorType(int type);

    QString* description = nullptr; // Owned; null until SetDescription.
    QString displayedName;
    int visibility = GenApi::_UndefinedVisibility;

private:
    // The item's place in its parent's list, kept by the list operations so
    // that row() answers without searching; row() checks it and searches
    // only when the list was changed some other way. In the padding after
    // `visibility`: no item grows for it.
    mutable int rowInParent = -1;

protected:
    QString fullName;
    QString* toolTip = nullptr; // Owned; null until SetToolTip.
    FeatureTreeItem* parentItem = nullptr; // Not owned.
    QList<FeatureTreeItem*> children; // Owned.
    EditorType editorTypeValue = EditorNone;
    bool childrenPopulated = false;
    bool isFullRowItem = false;
    bool isSpecialNode = false;
    IFeatureTreeModelExtension* extension = nullptr; // Not owned; may be null.

private:
    template<typename Predicate> FeatureTreeItem* findFirst(const Predicate& matches) const;
    void adopt(FeatureTreeItem* item);
    /// Tells the children from `first` on their places in the list.
    void renumberChildren(int first);
};
