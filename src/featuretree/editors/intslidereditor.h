#pragma once

#include "featuretree/abstractitemeditor.h"
#include "orvikviewercomponents6_export.h"
#include "widgets/comboslider.h"

/// In-place editor of an integer feature with a "Linear" or "Logarithmic"
/// representation: a ComboSlider over the feature's range and increment.
/// Commits on valueChanged(int), which ComboSlider emits for user changes
/// only, so refreshes never commit.
class ORVIKVIEWERCOMPONENTS6_EXPORT IntSliderEditor : public ComboSlider, public AbstractItemEditor
{
    Q_OBJECT
public:
    explicit IntSliderEditor(QWidget* parent = nullptr);

    void setEditorData(AbstractItemEditor::EditorData data) override;
    /// The slider's value as an int.
    QVariant editorData() override;
};
