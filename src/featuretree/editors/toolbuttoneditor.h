#pragma once

#include "featuretree/abstractitemeditor.h"
#include "orvikviewercomponents6_export.h"
#include "parametercollection/icommandparameter.h"

#include <QToolButton>

/// In-place editor of a command feature: a checkable "Execute" button that
/// stays pressed while the command is still running. Commits on clicked(bool);
/// "1" executes the command.
class ORVIKVIEWERCOMPONENTS6_EXPORT ToolButtonEditor : public QToolButton, public AbstractItemEditor
{
    Q_OBJECT
public:
    explicit ToolButtonEditor(QWidget* parent = nullptr);

    void setEditorData(AbstractItemEditor::EditorData data) override;
    /// "1" when the button was pressed, an invalid QVariant when it was released.
    /// Resets the command's state first.
    QVariant editorData() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    // The command of the last successful setEditorData(); null before.
    QSharedPointer<ParameterCollection::ICommandParameter> m_command;
};
