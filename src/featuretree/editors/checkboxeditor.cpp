#include "featuretree/checkboxeditor.h"

#include "common/exceptionlog.h"

CheckBoxEditor::CheckBoxEditor(QWidget* parent)
    : QCheckBox(parent)
{ }

void CheckBoxEditor::setEditorData(AbstractItemEditor::EditorData data)
{
    try {
        const auto& snapshot = data.parameterData;
        if (!snapshot || snapshot->type != ParameterCollection::TypeBoolean)
            return;
        setChecked(snapshot->boolValue);
        applyWritable(this, snapshot->isWritable);
    } catch (...) {
        qWarning("!! Failed to initialize checkbox data for node %s", nameForLog(data.parameter).constData());
        ExceptionLog::logCurrentException("CheckBoxEditor::setEditorData");
    }
}

QVariant CheckBoxEditor::editorData()
{
    return QVariant(isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}
