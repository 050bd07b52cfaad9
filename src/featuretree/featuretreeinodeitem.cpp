#include "featuretree/featuretreeinodeitem.h"

#include "common/exceptionlog.h"
#include "featuretree/featuretreehighlighter.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "genicam/genericexception.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/metatypes.h"

#include <QCoreApplication>

#include <utility>

using ParameterCollection::ParameterData;

namespace {

QSharedPointer<const ParameterData> defaultSnapshot()
{
    // Type 0, undefined visibility, neither readable nor writable nor implemented.
    return QSharedPointer<const ParameterData>::create();
}

} // namespace

FeatureTreeINodeItem::FeatureTreeINodeItem(QSharedPointer<ParameterCollection::IParameterCollection> collection,
                                           QSharedPointer<ParameterCollection::IParameter> parameter,
                                           const QString& displayedName, IFeatureTreeModelExtension* extension,
                                           const QString& fullName, FeatureTreeItem* parent, bool isUtf8)
    : FeatureTreeItem(displayedName, extension, fullName, parent)
    , isUtf8(isUtf8)
    , collection(std::move(collection))
    , parameter(std::move(parameter))
    , nodeMapName(nodeMapNameFromFullName(fullName))
{
    initInternal();
}

FeatureTreeINodeItem::FeatureTreeINodeItem(QSharedPointer<ParameterCollection::IParameterCollection> collection,
                                           QSharedPointer<ParameterCollection::IParameter> parameter,
                                           IFeatureTreeModelExtension* extension, const QString& fullName,
                                           FeatureTreeItem* parent, bool isUtf8)
    : FeatureTreeItem(QString(), extension, fullName, parent)
    , isUtf8(isUtf8)
    , collection(std::move(collection))
    , parameter(std::move(parameter))
    , nodeMapName(nodeMapNameFromFullName(fullName))
{
    initInternal();
    if (this->parameter && !this->parameter->isNull()) {
        // Automatic connection: a change reported on another thread is queued
        // to this item's thread.
        connect(this->parameter.data(), &ParameterCollection::IParameter::parameterDataChangedDecoupled, this,
                &FeatureTreeINodeItem::onParameterDataChanged);
    }
    displayedName = cachedDisplayName;
}

FeatureTreeINodeItem::~FeatureTreeINodeItem()
{
    // Children first, while this item is still whole; the handles go after.
    FeatureTreeItem::clearChildren();
}

QString FeatureTreeINodeItem::nodeMapNameFromFullName(const QString& fullName)
{
    const QString first = fullName.mid(1).section(QLatin1Char('/'), 0, 0);
    // Every row keeps its context: the texts are made once and shared by all
    // rows, not copied into a block of each row's own.
    static const QPair<const char*, QString> table[] = {
        {"CameraInstance", QStringLiteral("CameraInstance")},
        {"DeviceTransportLayer", QStringLiteral("TransportLayer")},
        {"StreamGrabber0", QStringLiteral("StreamGrabber")},
        {"Ledgerpipe", QStringLiteral("Ledgerpipe")},
        {"ImageFormatConverter", QStringLiteral("ImageFormatConverter")},
        {"Lensmind", QStringLiteral("Lensmind")},
        {"ChunkData", QStringLiteral("ChunkData")},
        {"CameraDevice", QStringLiteral("CameraDevice")},
        {"EventGrabber", QStringLiteral("EventGrabber")},
        {"GenTl", QStringLiteral("Interface")},
    };
    for (const auto& entry : table) {
        if (first == QLatin1String(entry.first))
            return entry.second;
    }
    return QStringLiteral("Invalid");
}

QString FeatureTreeINodeItem::displayText(const QString& name, const QString& unit)
{
    return unit.isEmpty() ? name : QStringLiteral("%1 [%2]").arg(name, unit);
}

void FeatureTreeINodeItem::setParameterData(QSharedPointer<const ParameterData> data)
{
    if (!data)
        data = defaultSnapshot();
    snapshotVisibility = data->visibility;
    snapshotIsCategory = data->type == ParameterCollection::TypeCategory;
    snapshotIsImplemented = data->isImplemented;
    parameterData = std::move(data);
}

void FeatureTreeINodeItem::initInternal()
{
    childrenPopulated = true;
    hasParameter = !parameter.isNull();
    if (!parameter) {
        editorTypeValue = EditorInvalid;
        setParameterData(nullptr);
        nodeName = QStringLiteral("Unknown");
        cachedDisplayName = QStringLiteral("Unknown");
        return;
    }

    try {
        const QSharedPointer<ParameterCollection::IParameterProperties> properties = parameter->getProperties();
        if (properties) {
            cachedUnit = properties->getProperty(QStringLiteral("Unit"), QString());
            cachedDescription = properties->getProperty(QStringLiteral("Description"), QString());
            cachedTooltip = properties->getProperty(QStringLiteral("Tooltip"), QString());
            cachedDocuURL = properties->getProperty(QStringLiteral("DocuURL"), QString());
            cachedDisplayName = properties->getProperty(QStringLiteral("DisplayName"), QStringLiteral("<unknown>"));
            nodeName = parameter->getName();
        }
    } catch (...) {
        qWarning("Exception fired when caching parameter properties");
        ExceptionLog::logCurrentException("FeatureTreeINodeItem::initInternal");
    }

    QSharedPointer<const ParameterData> data;
    try {
        data = parameter->getParameterData();
    } catch (...) {
        qWarning("Exception fired when caching parameter data");
        ExceptionLog::logCurrentException("FeatureTreeINodeItem::initInternal");
    }
    setParameterData(std::move(data));

    if (snapshotIsCategory)
        childrenPopulated = false;
    editorTypeValue = static_cast<EditorType>(editorType(parameter));
}

int FeatureTreeINodeItem::editorType(QSharedPointer<ParameterCollection::IParameter> p)
{
    if (!p)
        return EditorInvalid;
    try {
        if (p->isNull())
            return EditorInvalid;
        auto rangedRepresentation = [&p] {
            const QSharedPointer<ParameterCollection::IParameterProperties> properties = p->getProperties();
            const QString representation =
                properties ? properties->getProperty(QStringLiteral("Representation")) : QString();
            return representation == QLatin1String("Linear") || representation == QLatin1String("Logarithmic");
        };
        switch (p->getType()) {
        case ParameterCollection::TypeInteger:
            return rangedRepresentation() ? EditorIntSlider : EditorInt;
        case ParameterCollection::TypeFloat:
            return rangedRepresentation() ? EditorFloatSlider : EditorFloat;
        case ParameterCollection::TypeBoolean:
            return EditorBool;
        case ParameterCollection::TypeCommand:
            return EditorCommand;
        case ParameterCollection::TypeString:
            return EditorString;
        case ParameterCollection::TypeEnumeration:
            return EditorEnum;
        default:
            return EditorNone;
        }
    } catch (...) {
        QString name;
        try {
            name = p->getName();
        } catch (...) {
        }
        qWarning("Error getting editor type for node: '%s'", name.toUtf8().constData());
        ExceptionLog::logCurrentException("FeatureTreeINodeItem::editorType");
        return EditorInvalid;
    }
}

int FeatureTreeINodeItem::editorType(const FeatureTreeINodeItem* const item)
{
    return item ? editorType(item->parameter) : int(EditorInvalid);
}

int FeatureTreeINodeItem::editorType() const
{
    return editorTypeValue;
}

int FeatureTreeINodeItem::childCount()
{
    if (!childrenPopulated && parameter) {
        // Marked first: loading may ask for the count again.
        childrenPopulated = true;
        if (IFeatureTreeModelExtension* ext = getExtension())
            ext->addChildren(this);
    }
    return children.size();
}

bool FeatureTreeINodeItem::hasChildren() const
{
    return snapshotIsCategory;
}

QVariant FeatureTreeINodeItem::data(int column, int role) const
{
    if (!parameter || !parameterData)
        return QVariant();

    if (column == 0) {
        switch (role) {
        case Qt::DisplayRole:
            return displayText(displayedName, cachedUnit);
        case Qt::ToolTipRole:
            return toolTip();
        case Qt::ForegroundRole:
            return GetForegroundRole();
        case GenicamNameRole:
            return nodeName;
        case GenicamTooltipRole:
            return cachedTooltip;
        case GenicamDescription:
            return cachedDescription;
        case GenicamDocuURL:
            return cachedDocuURL;
        case GenicamCategory:
        case IsFullRowItem:
            return snapshotIsCategory;
        case GenicamVisibility:
            return int(shownFrom());
        default:
            return FeatureTreeItem::data(column, role);
        }
    }
    if (column == 1) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return valueData(role);
        case Qt::ForegroundRole:
            return GetForegroundRole();
        default:
            return FeatureTreeItem::data(column, role);
        }
    }
    return FeatureTreeItem::data(column, role);
}

QVariant FeatureTreeINodeItem::valueData(int role) const
{
    try {
        const ParameterData& d = *parameterData;
        const bool noValueShown = d.type == ParameterCollection::TypeCategory
                               || d.type == ParameterCollection::TypeBoolean;
        if (role == Qt::EditRole) {
            if (noValueShown || !d.isReadable)
                return QVariant();
            return d.valueString;
        }
        if (noValueShown)
            return QString();
        if (!d.isImplemented)
            return tr("<not implemented>");
        if (!d.isReadable)
            return d.isWritable ? tr("<not readable>") : tr("<not available>");
        return d.valueString;
    } catch (...) {
        qWarning("Exception fired when trying to access a node");
        ExceptionLog::logCurrentException("FeatureTreeINodeItem::data");
        return QStringLiteral("<error!>");
    }
}

QVariant FeatureTreeINodeItem::toolTip() const
{
    try {
        const QString key = QStringLiteral("%1_Tooltip").arg(nodeName);
        const QByteArray context = nodeMapName.toLatin1();
        const QByteArray keyBytes = key.toLatin1();
        const QString translated = QCoreApplication::translate(context.constData(), keyBytes.constData());
        const QString text = translated.toLatin1() == keyBytes ? cachedTooltip : translated;

        const bool category = parameterData->type == ParameterCollection::TypeCategory;
        QString heading = nodeName.contains(QLatin1String("Root"), Qt::CaseInsensitive) || category
                            ? QStringLiteral("<nobr><b>%1</b></nobr>").arg(displayedName)
                            : QStringLiteral("<nobr><b>%1 (%2)</b></nobr>").arg(displayedName, nodeName);
        if (highlighter && !category)
            heading = highlighter->highlight(heading);
        if (!text.isEmpty())
            heading += QStringLiteral("<br><nobr>%1</nobr>").arg(text);
        return heading;
    } catch (...) {
        qWarning("Failed to get node's tooltip");
        ExceptionLog::logCurrentException("FeatureTreeINodeItem::data");
        return QVariant();
    }
}

void FeatureTreeINodeItem::setData(int column, const QVariant& value, int role)
{
    if (column != 1 || role != Qt::EditRole || !parameter || parameter->isNull() || !parameter->isWritable())
        return;

    if (editorTypeValue == EditorCommand) {
        const auto command = qSharedPointerDynamicCast<ParameterCollection::ICommandParameter>(parameter);
        if (command) {
            command->execute(true);
            command->setState(true);
        }
        return;
    }

    // The collection takes 8-bit text: one character per byte, up to the first
    // zero byte. A text with a zero byte inside would arrive cut short, and the
    // write would look done: it is refused (as the collection refuses a value).
    const QString text = value.toString();
    const QByteArray bytes = isUtf8 ? text.toUtf8() : text.toLatin1();
    if (bytes.contains('\0'))
        GENICAM_THROW(InvalidArgumentException,
                      "The text for " + getFullName().toStdString() + " holds a zero byte and cannot be written");
    parameter->setValue(QString::fromLatin1(bytes));
}

GenApi::EAccessMode FeatureTreeINodeItem::getAccessMode() const
{
    if (!parameterData || !parameterData->isImplemented)
        return GenApi::NI;
    const bool readable = parameterData->isReadable;
    const bool writable = parameterData->isWritable;
    if (readable && writable)
        return GenApi::RW;
    if (readable)
        return GenApi::RO;
    if (writable)
        return GenApi::WO;
    return GenApi::NA;
}

GenApi::EVisibility FeatureTreeINodeItem::getVisibility() const
{
    return static_cast<GenApi::EVisibility>(snapshotVisibility);
}

GenApi::EVisibility FeatureTreeINodeItem::shownFrom() const
{
    return std::max(getVisibility(), enclosingVisibility);
}

bool FeatureTreeINodeItem::ShowMe(GenApi::EVisibility visibility) const
{
    try {
        if (visibility == GenApi::Invisible)
            return true;
        if (!snapshotIsImplemented)
            return false;
        return int(shownFrom()) <= int(visibility);
    } catch (...) {
        qWarning("Exception fired when trying to determine whether item is visible");
        ExceptionLog::logCurrentException("FeatureTreeINodeItem::ShowMe");
        return false;
    }
}

Qt::ItemFlags FeatureTreeINodeItem::flags(int column) const
{
    if (!parameterData)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = FeatureTreeItem::flags(column);
    const bool category = parameterData->type == ParameterCollection::TypeCategory;
    if (parameterData->isWritable || category) {
        if (column == 0)
            f |= Qt::ItemIsEnabled;
        else if (column == 1 && parameterData->isWritable)
            f |= Qt::ItemIsEditable | Qt::ItemIsEnabled;
    }
    if (column == 0 && parameterData->isReadable) {
        if (category)
            f &= ~Qt::ItemIsDragEnabled;
        else
            f |= Qt::ItemIsDragEnabled;
    }
    return f;
}

QVariant FeatureTreeINodeItem::GetForegroundRole() const
{
    if (!parameterData || parameterData->type == ParameterCollection::TypeCategory)
        return QVariant();
    if (parameterData->isWritable && editorTypeValue != EditorNone && editorTypeValue != EditorInvalid)
        return QVariant();
    return FeatureTreeItem::GetForegroundRole();
}

bool FeatureTreeINodeItem::isEditable() const
{
    if (!parameterData || editorTypeValue == EditorNone || editorTypeValue == EditorInvalid)
        return false;
    return parameterData->isWritable;
}

bool FeatureTreeINodeItem::usePersistentEditor() const
{
    return isPersistentEditorType(editorTypeValue);
}

void FeatureTreeINodeItem::onParameterDataChanged(QSharedPointer<const ParameterData> ptrParameterData)
{
    IFeatureTreeModelExtension* ext = getExtension();
    if (!ext || !ext->getGenICamCallbackEnable() || !ptrParameterData)
        return;
    try {
        const ParameterData& d = *ptrParameterData;
        // An out-of-range value is pulled back into range instead of being
        // shown; the corrected value arrives with a later report.
        if (d.isWritable && d.type == ParameterCollection::TypeInteger) {
            if (const auto integer = qSharedPointerDynamicCast<ParameterCollection::IIntegerParameter>(parameter)) {
                if (d.intValue < d.intMin) {
                    integer->setValue(d.intMin, true);
                    return;
                }
                if (d.intValue > d.intMax) {
                    integer->setValue(d.intMax, true);
                    return;
                }
            }
        } else if (d.isWritable && d.type == ParameterCollection::TypeFloat) {
            if (const auto real = qSharedPointerDynamicCast<ParameterCollection::IFloatParameter>(parameter)) {
                if (d.floatValue < d.floatMin) {
                    real->setValue(d.floatMin);
                    return;
                }
                if (d.floatValue > d.floatMax) {
                    real->setValue(d.floatMax);
                    return;
                }
            }
        }
        setParameterData(ptrParameterData);
        emit nodeUpdated(row(), this);
    } catch (...) {
        QString name;
        try {
            name = parameter ? parameter->getName() : QString();
        } catch (...) {
        }
        qWarning("Failed to adjust a node: %s", name.toUtf8().constData());
        ExceptionLog::logCurrentException("FeatureTreeINodeItem::onParameterDataChanged");
    }
}
