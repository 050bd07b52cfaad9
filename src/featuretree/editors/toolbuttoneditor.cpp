#include "featuretree/toolbuttoneditor.h"

#include "common/exceptionlog.h"

#include <QEvent>

ToolButtonEditor::ToolButtonEditor(QWidget* parent)
    : QToolButton(parent)
{
    setAutoRaise(false);
    setText(tr("Execute"));
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setContentsMargins(0, 0, 0, 0);
}

void ToolButtonEditor::setEditorData(AbstractItemEditor::EditorData data)
{
    try {
        const auto command = qSharedPointerDynamicCast<ParameterCollection::ICommandParameter>(data.parameter);
        const auto& snapshot = data.parameterData;
        if (!command || !snapshot || snapshot->type != ParameterCollection::TypeCommand) {
            qDebug("%s is called with non-command node????", "ToolButtonEditor::setEditorData");
            return;
        }
        m_command = command;
        // boolValue is the command's "done" state: pressed while it still runs.
        setChecked(!snapshot->boolValue);
        applyWritable(this, snapshot->isWritable);
    } catch (...) {
        qWarning("!! Failed to initialize button data for node %s", nameForLog(data.parameter).constData());
        ExceptionLog::logCurrentException("ToolButtonEditor::setEditorData");
    }
}

QVariant ToolButtonEditor::editorData()
{
    const bool pressed = isChecked();
    try {
        if (m_command)
            m_command->setState(false);
    } catch (...) {
        qWarning("!! Failed to set button state");
        ExceptionLog::logCurrentException("ToolButtonEditor::editorData");
    }
    return pressed ? QVariant(QStringLiteral("1")) : QVariant();
}

void ToolButtonEditor::changeEvent(QEvent* event)
{
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        setText(tr("Execute"));
}
