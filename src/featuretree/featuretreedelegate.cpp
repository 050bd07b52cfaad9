#include "featuretree/featuretreedelegate.h"

#include "featuretree/abstractitemeditor.h"
#include "featuretree/checkboxeditor.h"
#include "featuretree/enumeditor.h"
#include "featuretree/featuretreehighlighter.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/floateditor.h"
#include "featuretree/floatslidereditor.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "featuretree/inteditor.h"
#include "featuretree/intslidereditor.h"
#include "featuretree/toolbuttoneditor.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/metatypes.h"
#include "widgets/exceptionguard_p.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextDocument>

using namespace ParameterCollection;

namespace {

// The snapshot an editor was last fed, kept on the editor itself so that it
// goes with it; cleared when the editor commits, since its value may differ
// from the snapshot from then on.
const char* const fedSnapshotProperty = "_orvik_fedSnapshot";

using Snapshot = QSharedPointer<const ParameterData>;

bool alreadyShows(const QWidget* editor, const Snapshot& snapshot)
{
    const Snapshot fed = editor->property(fedSnapshotProperty).value<Snapshot>();
    return fed && snapshot && (fed == snapshot || *fed == *snapshot);
}

QString representationOf(const QSharedPointer<IParameter>& parameter)
{
    const QSharedPointer<IParameterProperties> properties = parameter->getProperties();
    return properties ? properties->getProperty(QStringLiteral("Representation")) : QString();
}

bool isRangedRepresentation(const QString& representation)
{
    return representation == QLatin1String("Linear") || representation == QLatin1String("Logarithmic");
}

} // namespace

FeatureTreeDelegate::FeatureTreeDelegate(QObject* parent, IFeatureTreeModelExtension* extension,
                                         FeatureTreeHighlighter* highlighter)
    : QStyledItemDelegate(parent)
    , extension(extension)
    , highlighter(highlighter)
{ }

FeatureTreeDelegate::~FeatureTreeDelegate() = default;

QWidget* FeatureTreeDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    // Choosing the editor asks the parameter for its representation and alias.
    static const ExceptionGuard guard("FeatureTreeDelegate::createEditor", "Failed to create an editor.");
    return guard.run([&] { return editorFor(parent, option, index); });
}

QWidget* FeatureTreeDelegate::editorFor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    if (!index.isValid() || !extension)
        return nullptr;
    auto* item = qobject_cast<FeatureTreeINodeItem*>(extension->getFeatureTreeItem(index));
    if (!item || item->getAccessMode() < GenApi::WO)
        return nullptr;

    const QSharedPointer<IParameter> parameter = item->node();
    switch (item->editorType()) {
    case FeatureTreeItem::EditorInt:
    case FeatureTreeItem::EditorIntSlider:
        return createIntEditor(parent, option, qSharedPointerDynamicCast<IIntegerParameter>(parameter));
    case FeatureTreeItem::EditorFloat:
    case FeatureTreeItem::EditorFloatSlider:
        if (QWidget* editor = createFloatEditor(parent, option, qSharedPointerDynamicCast<IFloatParameter>(parameter),
                                                item->getCollection()))
            return editor;
        return QStyledItemDelegate::createEditor(parent, option, index);
    case FeatureTreeItem::EditorEnum:
        return createEnumEditor(parent, option, qSharedPointerDynamicCast<IEnumParameter>(parameter));
    case FeatureTreeItem::EditorBool:
        return createCheckBoxEditor(parent, option, qSharedPointerDynamicCast<IBooleanParameter>(parameter));
    case FeatureTreeItem::EditorCommand:
        return createToolButtonEditor(parent, option, qSharedPointerDynamicCast<ICommandParameter>(parameter));
    default:
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

QWidget* FeatureTreeDelegate::createIntEditor(QWidget* parent, const QStyleOptionViewItem&,
                                              QSharedPointer<IIntegerParameter> parameter) const
{
    if (!parameter || parameter->isNull())
        return nullptr;
    if (isRangedRepresentation(representationOf(parameter))) {
        auto* editor = new IntSliderEditor(parent);
        connect(editor, &IntSliderEditor::valueChanged, this, &FeatureTreeDelegate::emitCommitData);
        return editor;
    }
    // The line edit commits through the delegate's own key and focus handling.
    return new IntEditor(parent);
}

QWidget* FeatureTreeDelegate::createFloatEditor(QWidget* parent, const QStyleOptionViewItem&,
                                                QSharedPointer<IFloatParameter> parameter,
                                                QSharedPointer<IParameterCollection> collection) const
{
    if (!parameter || parameter->isNull())
        return nullptr;
    const bool hasAlias = collection && collection->hasParameter(parameter->getFullName() + QLatin1String("/Alias"));
    const QString representation = representationOf(parameter);
    if (hasAlias && isRangedRepresentation(representation)) {
        auto* editor = new FloatSliderEditor(collection, parent);
        connect(editor, &FloatSliderEditor::boxValueChanged, this, &FeatureTreeDelegate::emitCommitData);
        return editor;
    }
    auto* editor = new FloatEditor(parent, representation);
    connect(editor, &FloatEditor::boxValueChanged, this, &FeatureTreeDelegate::emitCommitData);
    return editor;
}

QWidget* FeatureTreeDelegate::createEnumEditor(QWidget* parent, const QStyleOptionViewItem&,
                                               QSharedPointer<IEnumParameter> parameter) const
{
    if (!parameter || parameter->isNull())
        return nullptr;
    auto* editor = new EnumEditor(parent);
    connect(editor, QOverload<int>::of(&QComboBox::activated), this, &FeatureTreeDelegate::emitCommitData);
    return editor;
}

QWidget* FeatureTreeDelegate::createCheckBoxEditor(QWidget* parent, const QStyleOptionViewItem&,
                                                   QSharedPointer<IBooleanParameter> parameter) const
{
    if (!parameter || parameter->isNull())
        return nullptr;
    auto* editor = new CheckBoxEditor(parent);
    connect(editor, &QAbstractButton::clicked, this, &FeatureTreeDelegate::emitCommitData);
    return editor;
}

QWidget* FeatureTreeDelegate::createToolButtonEditor(QWidget* parent, const QStyleOptionViewItem&,
                                                     QSharedPointer<ICommandParameter> parameter) const
{
    if (!parameter || parameter->isNull())
        return nullptr;
    auto* editor = new ToolButtonEditor(parent);
    connect(editor, &QAbstractButton::clicked, this, &FeatureTreeDelegate::emitCommitData);
    return editor;
}

void FeatureTreeDelegate::destroyEditor(QWidget* editor, const QModelIndex&) const
{
    // The editor may be the sender of the signal that is being handled right now.
    if (editor)
        editor->deleteLater();
}

void FeatureTreeDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static const ExceptionGuard guard("FeatureTreeDelegate::setEditorData", "Failed to show a value in its editor.");
    guard.run([&] { feed(editor, index); });
}

void FeatureTreeDelegate::feed(QWidget* editor, const QModelIndex& index) const
{
    if (index.column() == 1 && extension) {
        FeatureTreeItem* item = extension->getFeatureTreeItem(index);
        if (!item)
            return;
        auto* itemEditor = dynamic_cast<AbstractItemEditor*>(editor);
        auto* node = qobject_cast<FeatureTreeINodeItem*>(item);
        if (itemEditor && node) {
            AbstractItemEditor::EditorData data;
            data.parameter = node->node();
            data.parameterData = node->getParameterData();
            // A poll reports snapshots that may hold what the editor shows already.
            if (alreadyShows(editor, data.parameterData))
                return;
            itemEditor->setEditorData(data);
            editor->setProperty(fedSnapshotProperty, QVariant::fromValue(data.parameterData));
            return;
        }
        // A default editor being typed into keeps its text.
        if (editor && editor->hasFocus())
            return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void FeatureTreeDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    static const ExceptionGuard guard("FeatureTreeDelegate::setModelData", "Failed to take a value from its editor.");
    guard.run([&] {
        auto* itemEditor = dynamic_cast<AbstractItemEditor*>(editor);
        if (index.column() == 1 && itemEditor) {
            // Whatever comes back, a refusal included, is shown again.
            editor->setProperty(fedSnapshotProperty, QVariant());
            model->setData(index, itemEditor->editorData(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    });
}

void FeatureTreeDelegate::emitCommitData()
{
    emit commitData(qobject_cast<QWidget*>(sender()));
}

void FeatureTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (index.column() != 0 || !highlighter || index.data(FeatureTreeItem::GenicamCategory).toBool()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt);

    const bool special = index.data(FeatureTreeItem::IsSpecialNode).toBool();
    const QString text = index.data(Qt::DisplayRole).toString();
    const QVariant foreground = index.data(Qt::ForegroundRole);
    const QBrush brush = foreground.canConvert<QBrush>() ? foreground.value<QBrush>() : QBrush();

    const QFontMetrics metrics = painter->fontMetrics();
    QString shown = text;
    if (!special) {
        // Leave room for the highlight marks that widen nothing but should not be cut.
        const int width = textRect.width() - 2 * highlighter->searchText.length();
        shown = metrics.elidedText(text, Qt::ElideRight, width);
        for (const auto& range : highlighter->matchRanges(shown)) {
            const int left = textRect.left() + metrics.horizontalAdvance(shown.left(range.first));
            const int right = textRect.left() + metrics.horizontalAdvance(shown.left(range.second));
            painter->fillRect(QRect(QPoint(left, textRect.top()), QPoint(right, textRect.bottom())),
                              highlighter->highlightColor());
        }
    }

    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, qobject_cast<QWidget*>(parent()));

    painter->save();
    painter->setPen(brush.color());
    const int shift = static_cast<int>(textRect.height() / 2.0 - metrics.height() / 2.0);
    if (special && Qt::mightBeRichText(shown)) {
        // The search help row carries markup ("<B>3 search results ...</B>"):
        // drawn as plain text it would show its tags.
        QTextDocument document;
        document.setDefaultFont(painter->font());
        document.setDocumentMargin(0);
        document.setHtml(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = opt.palette;
        context.palette.setColor(QPalette::Text,
                                 brush.style() == Qt::NoBrush ? opt.palette.color(QPalette::Text) : brush.color());
        painter->translate(textRect.left(), textRect.top() + shift);
        painter->setClipRect(QRect(0, 0, textRect.width(), textRect.height() - shift));
        document.documentLayout()->draw(painter, context);
    } else {
        painter->drawText(textRect.translated(0, shift), 0, shown);
    }
    painter->restore();
}
