#pragma once

#include "featuretree/abstractitemeditor.h"
#include "orvikviewercomponents6_export.h"

#include <QCheckBox>

/// In-place editor of a boolean feature. Commits on clicked(bool) with "1" or "0".
class ORVIKVIEWERCOMPONENTS6_EXPORT CheckBoxEditor : public QCheckBox, public AbstractItemEditor
{
    Q_OBJECT
public:
    explicit CheckBoxEditor(QWidget* parent = nullptr);

    void setEditorData(AbstractItemEditor::EditorData data) override;
    /// "1" when checked, "0" otherwise.
    QVariant editorData() override;
};
