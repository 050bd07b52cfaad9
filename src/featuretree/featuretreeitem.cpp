#include "featuretree/featuretreeitem.h"

#include "featuretree/rownames_p.h"

#include <QApplication>
#include <QBrush>
#include <QFontMetricsF>
#include <QPalette>
#include <QSize>

#include <utility>

// The roles are used by reference (QVariant, QCOMPARE, std::max ...), so they
// need a definition of their own.
const int FeatureTreeItem::GenicamNameRole;
const int FeatureTreeItem::GenicamTooltipRole;
const int FeatureTreeItem::GenicamDescription;
const int FeatureTreeItem::GenicamDocuURL;
const int FeatureTreeItem::GenicamCategory;
const int FeatureTreeItem::GenicamVisibility;
const int FeatureTreeItem::UniqueID;
const int FeatureTreeItem::IsFullRowItem;
const int FeatureTreeItem::IsSpecialNode;
const int FeatureTreeItem::IsShownAtAll;
const int FeatureTreeItem::FullNodeNameRole;

namespace {
// An editor type no item produces, which hosts' own items may use for a
// persistent editor of their own.
constexpr int reservedPersistentEditorType = 9;
// Pixels added to the font's height for a row: room for the editors.
constexpr qreal rowPadding = 10.0;
} // namespace

FeatureTreeItem::FeatureTreeItem(const QString& displayedName, IFeatureTreeModelExtension* extension,
                                 const QString& fullName, FeatureTreeItem* parent)
    : QObject(parent)
    , displayedName(displayedName)
    , fullName(fullName)
    , parentItem(parent)
    , extension(extension)
{ }

FeatureTreeItem::~FeatureTreeItem()
{
    // The base version on purpose: a derived part is already gone here.
    FeatureTreeItem::clearChildren();
    delete description;
    delete toolTip;
}

void FeatureTreeItem::adopt(FeatureTreeItem* item)
{
    // Keep the QObject parent in step with the owner, so that the item's
    // lifetime follows the tree it is now part of.
    item->parentItem = this;
    if (item->QObject::parent() != this)
        item->setParent(this);
}

void FeatureTreeItem::appendChild(FeatureTreeItem* item)
{
    if (!item)
        return;
    adopt(item);
    item->rowInParent = children.size();
    children.append(item);
}

void FeatureTreeItem::insertChild(FeatureTreeItem* item, int row)
{
    if (!item)
        return;
    adopt(item);
    children.insert(row, item);
    renumberChildren(row);
}

void FeatureTreeItem::renumberChildren(int first)
{
    for (int i = qMax(0, first); i < children.size(); ++i)
        children.at(i)->rowInParent = i;
}

FeatureTreeItem* FeatureTreeItem::child(int row)
{
    if (row < 0 || row >= children.size())
        return nullptr;
    FeatureTreeItem* item = children.at(row);
    // The model's indexes rely on both: a child knows its parent, and its row
    // is its place in the parent's list.
    Q_ASSERT(item->parentItem == this);
    Q_ASSERT(item->QObject::parent() == this);
    return item;
}

FeatureTreeItem* FeatureTreeItem::removeChild(int row)
{
    if (row < 0 || row >= children.size())
        return nullptr;
    FeatureTreeItem* item = children.takeAt(row);
    renumberChildren(row);
    // The caller owns the item now: without this, the former parent's QObject
    // destructor would delete it a second time.
    item->setParent(nullptr);
    item->parentItem = nullptr;
    item->rowInParent = -1;
    return item;
}

int FeatureTreeItem::columnCount() const
{
    return 2; // "Feature" and "Value"
}

template<typename Predicate> FeatureTreeItem* FeatureTreeItem::findFirst(const Predicate& matches) const
{
    // Items are mutable tree nodes; searching itself changes nothing.
    auto* self = const_cast<FeatureTreeItem*>(this);
    if (matches(self))
        return self;
    for (const FeatureTreeItem* item : children) {
        if (FeatureTreeItem* found = item->findFirst(matches))
            return found;
    }
    return nullptr;
}

bool FeatureTreeItem::findShallow(const FeatureTreeItem* item) const
{
    if (!item)
        return false;
    return findFirst([item](const FeatureTreeItem* candidate) { return candidate == item; }) != nullptr;
}

FeatureTreeItem* FeatureTreeItem::findByFullNameShallow(const QString& fullName)
{
    return findFirst([&fullName](const FeatureTreeItem* candidate) { return candidate->fullName == fullName; });
}

FeatureTreeItem* FeatureTreeItem::findByRoleShallow(int role, const QVariant& value)
{
    return findFirst([role, &value](const FeatureTreeItem* candidate) { return candidate->data(0, role) == value; });
}

QString FeatureTreeItem::getDisplayedName() const
{
    return displayedName;
}

void FeatureTreeItem::setDisplayedName(QString name)
{
    displayedName = std::move(name);
}

QString FeatureTreeItem::getFullName() const
{
    return fullName;
}

QString FeatureTreeItem::GetDescription() const
{
    return description ? *description : QString();
}

void FeatureTreeItem::SetDescription(QString text)
{
    if (description)
        *description = std::move(text);
    else
        description = new QString(std::move(text));
}

bool FeatureTreeItem::HasDescription() const
{
    return description && !description->isEmpty();
}

QString FeatureTreeItem::GetToolTip() const
{
    return toolTip ? *toolTip : QString();
}

void FeatureTreeItem::SetToolTip(const QString& text)
{
    if (toolTip)
        *toolTip = text;
    else
        toolTip = new QString(text);
}

void FeatureTreeItem::SetIsFullRowItem(bool fullRow)
{
    isFullRowItem = fullRow;
}

void FeatureTreeItem::SetIsSpecialNode(bool special)
{
    isSpecialNode = special;
}

bool FeatureTreeItem::isEditable() const
{
    return false;
}

bool FeatureTreeItem::isPersistentEditorType(int type)
{
    switch (type) {
    case EditorIntSlider:
    case EditorFloat:
    case EditorFloatSlider:
    case EditorEnum:
    case EditorBool:
    case EditorCommand:
    case reservedPersistentEditorType:
        return true;
    default:
        return type > EditorNone;
    }
}

bool FeatureTreeItem::usePersistentEditor() const
{
    return isPersistentEditorType(editorType());
}

int FeatureTreeItem::editorType(const FeatureTreeItem* const item)
{
    return item ? EditorNone : EditorInvalid;
}

int FeatureTreeItem::editorType(const QModelIndex& index)
{
    if (!index.isValid())
        return EditorInvalid;
    return editorType(static_cast<const FeatureTreeItem*>(index.internalPointer()));
}

void FeatureTreeItem::clearChildren()
{
    // Detach the list first: a child's destructor must not find itself in it.
    const QList<FeatureTreeItem*> doomed = std::exchange(children, {});
    qDeleteAll(doomed);
}

int FeatureTreeItem::childCount()
{
    return children.size();
}

QVariant FeatureTreeItem::data(int column, int role) const
{
    if (column == 0) {
        switch (role) {
        case Qt::DisplayRole:
            return displayedName;
        case Qt::ForegroundRole:
            return GetForegroundRole();
        case Qt::SizeHintRole:
            return QSize(0, static_cast<int>(QFontMetricsF(QApplication::font()).height() + rowPadding));
        default:
            break;
        }
    } else if (column == 1) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QVariant();
        case Qt::ForegroundRole:
            return GetForegroundRole();
        default:
            break;
        }
    }

    switch (role) {
    case GenicamNameRole:
    case FullNodeNameRole:
        return fullName;
    case Qt::ToolTipRole:
        return GetToolTip();
    case GenicamCategory:
        return false;
    case GenicamVisibility:
        return visibility;
    case UniqueID:
        return static_cast<unsigned int>(qHash(fullName, 0));
    case IsFullRowItem:
        return isFullRowItem;
    case IsSpecialNode:
        return isSpecialNode;
    case IsShownAtAll:
        return ShowMe(GenApi::Guru);
    default:
        return QVariant();
    }
}

void FeatureTreeItem::setData(int, const QVariant&, int) { }

int FeatureTreeItem::row() const
{
    if (!parentItem)
        return 0;
    // Views and proxies ask for every row's parent, and so for the parent's
    // row: a search of the list each time made walking a wide tree quadratic.
    const QList<FeatureTreeItem*>& siblings = parentItem->children;
    if (rowInParent >= 0 && rowInParent < siblings.size() && siblings.at(rowInParent) == this)
        return rowInParent;
    // -1 while the creator has not appended it yet.
    rowInParent = siblings.indexOf(const_cast<FeatureTreeItem*>(this));
    return rowInParent;
}

const FeatureTreeItem* FeatureTreeItem::parent() const
{
    return parentItem;
}

FeatureTreeItem* FeatureTreeItem::parent()
{
    return parentItem;
}

const IFeatureTreeModelExtension* FeatureTreeItem::getExtension() const
{
    return extension;
}

IFeatureTreeModelExtension* FeatureTreeItem::getExtension()
{
    return extension;
}

int FeatureTreeItem::editorType() const
{
    return editorTypeValue;
}

bool FeatureTreeItem::hasChildren() const
{
    return !children.isEmpty();
}

bool FeatureTreeItem::ShowMe(GenApi::EVisibility level) const
{
    return visibility <= static_cast<int>(level);
}

GenApi::EAccessMode FeatureTreeItem::getAccessMode() const
{
    return GenApi::NA;
}

GenApi::EVisibility FeatureTreeItem::getVisibility() const
{
    return static_cast<GenApi::EVisibility>(visibility);
}

void FeatureTreeItem::setVisibility(GenApi::EVisibility level)
{
    visibility = level;
}

Qt::ItemFlags FeatureTreeItem::flags(int column) const
{
    // The favourites hint is shown, but not selectable, enabled or draggable.
    if (fullName == RowNames::favoritesHint)
        return Qt::NoItemFlags;
    if (column == 0)
        return Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled;
    if (column == 1) {
        if (isPersistentEditorType(editorType()))
            return Qt::ItemIsEditable | Qt::ItemIsEnabled;
        const GenApi::EAccessMode access = getAccessMode();
        if (access == GenApi::WO || access == GenApi::RW)
            return Qt::ItemIsEditable | Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled;
    }
    return Qt::ItemIsEnabled;
}

QVariant FeatureTreeItem::GetForegroundRole() const
{
    // Built once: a palette per painted cell would be wasteful, and the
    // structural rows never change colour while the process runs.
    static const QBrush disabledText = QPalette().brush(QPalette::Disabled, QPalette::Text);
    return disabledText;
}
