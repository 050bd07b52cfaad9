#pragma once

#include "featuretree/abstractitemeditor.h"
#include "orvikviewercomponents6_export.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparametercollection.h"
#include "widgets/twomodedoublecomboslider.h"

/// In-place editor of a floating-point feature that has an integer alias, the
/// parameter "<full name>/Alias" of the same collection.
///
/// The spin box shows and edits the float: typed values are committed through
/// the delegate (boxValueChanged()). The slider runs over the alias's range in
/// steps of the alias's increment and writes the alias directly. Each half
/// follows the collection's reports: the spin box through setEditorData(), the
/// slider through the alias's own change signal. Exposure features with a
/// "Logarithmic" representation get the logarithmic slider.
class ORVIKVIEWERCOMPONENTS6_EXPORT FloatSliderEditor : public TwoModeDoubleComboSlider, public AbstractItemEditor
{
    Q_OBJECT
public:
    FloatSliderEditor(QSharedPointer<ParameterCollection::IParameterCollection> collection, QWidget* parent = nullptr);
    ~FloatSliderEditor() override;

    void setEditorData(AbstractItemEditor::EditorData data) override;
    /// value() as a double.
    QVariant editorData() override;
    /// The spin box's value clamped to the float parameter's current limits.
    double value();

Q_SIGNALS:
    /// The user finished typing a value; the delegate commits editorData().
    void boxValueChanged();

protected Q_SLOTS:
    void onSpinBoxEditingFinished();
    void onSliderValueChanged(int val);
    void onAliasParameterDataChanged(QSharedPointer<const ParameterCollection::ParameterData> ptrParameter);

protected:
    void updateToolTip() override;

private:
    double adjustRangeLimits(double value);
    bool initMemberVariables(QSharedPointer<ParameterCollection::IParameter> parameter);
    /// Whether the alias's range or increment differ from what the slider has.
    bool aliasLimitsChanged(int min, int max, int increment);

    bool m_initialized = false;
    bool m_aliasConnected = false;
    QSharedPointer<ParameterCollection::IParameter> m_parameter;
    QSharedPointer<ParameterCollection::IFloatParameter> m_floatParameter;
    QSharedPointer<ParameterCollection::IIntegerParameter> m_aliasParameter;
    QSharedPointer<ParameterCollection::IParameterCollection> m_parameterCollection;
    // The alias's latest snapshot.
    QSharedPointer<const ParameterCollection::ParameterData> m_aliasData;
    // The float's latest snapshot, read by updateToolTip().
    QSharedPointer<const ParameterCollection::ParameterData> m_lastData;
};
