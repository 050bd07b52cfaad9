#pragma once

#include "featuretree/abstractitemeditor.h"
#include "orvikviewercomponents6_export.h"

#include <QLineEdit>

/// In-place editor of an integer feature shown as text: plain and hexadecimal
/// numbers, IPv4 and MAC addresses, booleans stored in integers. The text goes
/// to the parameter unchecked; the parameter library parses it by the
/// feature's representation. Committed by the delegate when editing finishes.
class ORVIKVIEWERCOMPONENTS6_EXPORT IntEditor : public QLineEdit, public AbstractItemEditor
{
    Q_OBJECT
public:
    explicit IntEditor(QWidget* parent = nullptr);

    void setEditorData(AbstractItemEditor::EditorData data) override;
    /// The text as typed.
    QVariant editorData() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    // What the last setEditorData() showed, to say it again in another language.
    AbstractItemEditor::EditorData m_shown;
};
