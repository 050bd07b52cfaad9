#pragma once

#include "featuretree/abstractitemeditor.h"
#include "orvikviewercomponents6_export.h"
#include "parametercollection/ifloatparameter.h"
#include "widgets/doublespinbox.h"

/// In-place editor of a floating-point feature in a DoubleSpinBox.
///
/// Typed values are committed through the delegate (boxValueChanged()), while
/// arrow, wheel and page steps are written straight to the parameter, always
/// from the parameter's current value and clamped to its current limits: the
/// spin box may lag behind a value that changed underneath. While the user
/// types in the focused spin box, refreshes are dropped; the first refresh
/// after a commit or a step gets through.
class ORVIKVIEWERCOMPONENTS6_EXPORT FloatEditor : public DoubleSpinBox, public AbstractItemEditor
{
    Q_OBJECT
public:
    /// With the representation "PureNumber" the spin box shows no arrows.
    explicit FloatEditor(QWidget* parent = nullptr, QString representation = QString());

    void setEditorData(AbstractItemEditor::EditorData data) override;
    /// value() as a double.
    QVariant editorData() override;
    /// The spin box's value clamped to the parameter's current limits.
    double value();

Q_SIGNALS:
    /// The user finished typing a value; the delegate commits editorData().
    void boxValueChanged();

public Q_SLOTS:
    void onSpinBoxEditingFinished();
    /// Writes one step (or page) to the parameter, starting from its current value.
    void onSpinBoxStepTriggered(int steps);

protected:
    void updateToolTip() override;

private:
    double adjustRangeLimits(double value);
    bool initMemberVariables(QSharedPointer<ParameterCollection::IParameter> parameter);

    QSharedPointer<ParameterCollection::IFloatParameter> m_floatParameter;
    bool m_initialized = false;
};
