#include "featuretree/intslidereditor.h"

#include "common/exceptionlog.h"

#include <cstdlib>

IntSliderEditor::IntSliderEditor(QWidget* parent)
    : ComboSlider(parent)
{ }

void IntSliderEditor::setEditorData(AbstractItemEditor::EditorData data)
{
    const auto& snapshot = data.parameterData;
    if (!snapshot || snapshot->type != ParameterCollection::TypeInteger) {
        qDebug("%s is called with non-integer node????", "IntSliderEditor::setEditorData");
        return;
    }
    if (!snapshot->isReadable) {
        try {
            qDebug("Non-readable slider: %s??????",
                   data.parameter ? data.parameter->getName().toUtf8().constData() : "");
        } catch (...) {
            qWarning("Failed to retrieve a node's name");
            ExceptionLog::logCurrentException("IntSliderEditor::setEditorData");
        }
        return;
    }
    try {
        const int value = saturatedInt(snapshot->intValue);
        const int min = saturatedInt(snapshot->intMin);
        const int max = saturatedInt(snapshot->intMax);
        const int increment = saturatedInt(snapshot->intInc);

        // Inconsistent data is only logged: the slider follows as far as it can.
        if (min > max)
            qDebug("%s: Feature %s: min value % d > max value %d???", "IntSliderEditor::setEditorData",
                   nameForLog(data.parameter).constData(), min, max);
        if (value < min || value > max)
            qDebug("%s: Feature %s: value %d out of range??? min = %d, max = %d", "IntSliderEditor::setEditorData",
                   nameForLog(data.parameter).constData(), value, min, max);

        applyWritable(this, snapshot->isWritable);

        bool rangeChanged = false;
        if (minimum() != min || maximum() != max || singleStep() != increment) {
            setRangeAndStep(min, max, increment);
            rangeChanged = true;
        }
        // After a range change the value is applied again: the old one may
        // have been clamped or moved off the new grid.
        if (value != ComboSlider::value() || rangeChanged)
            setValue(value);

        const qint64 span = std::llabs(qint64(max) - min);
        setPageStep(saturatedInt(qMax(span / 20, 2 * qint64(increment))));
    } catch (...) {
        qWarning("Failed to update the integer value editor");
        ExceptionLog::logCurrentException("IntSliderEditor::setEditorData");
    }
}

QVariant IntSliderEditor::editorData()
{
    return QVariant(value());
}
