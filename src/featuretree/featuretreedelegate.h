#pragma once

#include "orvikviewercomponents6_export.h"

#include <QSharedPointer>
#include <QStyledItemDelegate>

class FeatureTreeHighlighter;
class IFeatureTreeModelExtension;

namespace ParameterCollection {
class IBooleanParameter;
class ICommandParameter;
class IEnumParameter;
class IFloatParameter;
class IIntegerParameter;
class IParameterCollection;
} // namespace ParameterCollection

/// The item delegate of the feature tree: creates the in-place editor that
/// fits a feature, feeds it from the row's cached snapshot, commits every
/// change of the editor at once, and paints the name column with the search
/// matches marked.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    /// Neither pointer is owned; the extension maps the indexes the view hands in.
    FeatureTreeDelegate(QObject* parent, IFeatureTreeModelExtension* extension, FeatureTreeHighlighter* highlighter);
    ~FeatureTreeDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

public Q_SLOTS:
    /// Commits the editor that sent the change signal.
    void emitCommitData();

protected:
    QWidget* createCheckBoxEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                  QSharedPointer<ParameterCollection::IBooleanParameter> parameter) const;
    QWidget* createEnumEditor(QWidget* parent, const QStyleOptionViewItem& option,
                              QSharedPointer<ParameterCollection::IEnumParameter> parameter) const;
    QWidget* createIntEditor(QWidget* parent, const QStyleOptionViewItem& option,
                             QSharedPointer<ParameterCollection::IIntegerParameter> parameter) const;
    QWidget* createToolButtonEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    QSharedPointer<ParameterCollection::ICommandParameter> parameter) const;
    QWidget* createFloatEditor(QWidget* parent, const QStyleOptionViewItem& option,
                               QSharedPointer<ParameterCollection::IFloatParameter> parameter,
                               QSharedPointer<ParameterCollection::IParameterCollection> collection) const;

private:
    QWidget* editorFor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void feed(QWidget* editor, const QModelIndex& index) const;

    IFeatureTreeModelExtension* extension = nullptr; // Not owned.
    FeatureTreeHighlighter* highlighter = nullptr; // Not owned; may be null.
};
