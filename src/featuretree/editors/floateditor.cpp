#include "featuretree/floateditor.h"

#include "common/exceptionlog.h"
#include "genicam/genericexception.h"
#include "parametercollection/valuetext.h"
#include "utils/formatdoublevalue.h"
#include "widgets/orvikqtdoublespinbox.h"

#include <cmath>

using ParameterCollection::ValueText::notationFlags;

FloatEditor::FloatEditor(QWidget* parent, QString representation)
    : DoubleSpinBox(parent, representation)
{
    connect(m_spinBox, &QAbstractSpinBox::editingFinished, this, &FloatEditor::onSpinBoxEditingFinished);
    connect(m_spinBox, &OrvikQtDoubleSpinBox::stepTriggered, this, &FloatEditor::onSpinBoxStepTriggered);
}

void FloatEditor::setEditorData(AbstractItemEditor::EditorData data)
{
    try {
        m_floatParameter = qSharedPointerDynamicCast<ParameterCollection::IFloatParameter>(data.parameter);
        const auto& snapshot = data.parameterData;
        if (!m_floatParameter || !snapshot || snapshot->type != ParameterCollection::TypeFloat) {
            qDebug("%s is called with non-float node", "FloatEditor::setEditorData");
            return;
        }
        if (!snapshot->isReadable) {
            try {
                qDebug("Non-readable comboBox: %s", data.parameter->getName().toUtf8().constData());
            } catch (...) {
                qWarning("Failed to retrieve a node's name");
                ExceptionLog::logCurrentException("FloatEditor::setEditorData");
            }
            return;
        }
        if (m_hasFocus) {
            // The user is typing: the refresh would overwrite the text, but whether the feature can still be
            // written holds at once.
            if (!m_updateExpected) {
                if (m_initialized)
                    applyWritable(this, snapshot->isWritable);
                return;
            }
            m_updateExpected = false;
        }
        const double increment = snapshot->hasFloatInc ? snapshot->floatInc : 0.0;
        if (!m_initialized) {
            m_initialized = initMemberVariables(data.parameter);
            initControls(snapshot->floatMin, snapshot->floatMax, snapshot->floatValue, increment);
            updateToolTip();
        }
        if (snapshot->floatMin > snapshot->floatMax)
            GENICAM_THROW(InvalidArgumentException,
                          tr("The minimum value is larger than the maximum value!").toUtf8().toStdString());
        if (snapshot->floatValue < snapshot->floatMin || snapshot->floatValue > snapshot->floatMax)
            GENICAM_THROW(InvalidArgumentException,
                          tr("The minimum value is larger than the to be set node value or the maximum value is "
                             "smaller than the to be set node value!")
                              .toUtf8()
                              .toStdString());

        const int decimals = saturatedInt(snapshot->displayPrecision);
        const Utils::FormatValueFlags notation = notationFlags(snapshot->displayNotation);
        applyWritable(this, snapshot->isWritable);
        if (m_spinBox->displayDecimals() != decimals || m_spinBox->notation() != notation)
            setNotation(notation, decimals);

        const bool changed = checkIfLimitsChanged(snapshot->floatMin, snapshot->floatMax, increment);
        if (changed) {
            setRangeStepAndIncrement(snapshot->floatMin, snapshot->floatMax, increment);
            updateToolTip();
        }
        if (snapshot->floatValue != value() || changed)
            setValue(snapshot->floatValue);
    } catch (...) {
        qWarning("%s: Failed to update the float value editor comboBox!", nameForLog(data.parameter).constData());
        ExceptionLog::logCurrentException("FloatEditor::setEditorData");
    }
}

QVariant FloatEditor::editorData()
{
    return QVariant(value());
}

double FloatEditor::value()
{
    return adjustRangeLimits(m_spinBox->value());
}

double FloatEditor::adjustRangeLimits(double value)
{
    return clampToCurrentLimits(m_floatParameter, value, nameForLog(m_floatParameter),
                                "FloatEditor::adjustRangeLimits");
}

bool FloatEditor::initMemberVariables(QSharedPointer<ParameterCollection::IParameter> parameter)
{
    try {
        m_floatParameter = qSharedPointerDynamicCast<ParameterCollection::IFloatParameter>(parameter);
        if (!m_floatParameter)
            GENICAM_THROW(InvalidArgumentException, tr("Dynamic cast on pNode has gone wrong!").toUtf8().toStdString());
    } catch (const GenICam::GenericException&) {
        m_increment = 0.0;
        m_minRangeLimit = 0.0;
        m_maxRangeLimit = 0.0;
        throw;
    }
    return true;
}

void FloatEditor::onSpinBoxEditingFinished()
{
    m_updateExpected = true;
    emit boxValueChanged();
}

void FloatEditor::onSpinBoxStepTriggered(int steps)
{
    if (m_increment == 0.0 || !m_floatParameter)
        return;
    try {
        // From the parameter's value, not from the spin box: the text may lag behind.
        const double base = m_floatParameter->getValue();
        m_updateExpected = true;
        double target;
        if (steps == 10)
            target = base + m_spinBox->pageStep();
        else if (steps == -10)
            target = base - m_spinBox->pageStep();
        else
            target = base + steps * m_increment;
        m_floatParameter->setValue(adjustRangeLimits(target));
    } catch (...) {
        qWarning("%s: Failed to set the value for the float node on a spin box step triggered event!",
                 nameForLog(m_floatParameter).constData());
        ExceptionLog::logCurrentException("FloatEditor::onSpinBoxStepTriggered");
    }
}

void FloatEditor::updateToolTip()
{
    try {
        // In the feature's own notation and precision, as its value is shown.
        const int decimals = m_spinBox->displayDecimals();
        const Utils::FormatValueFlags flags = m_spinBox->notation();
        const QLocale widgetLocale = locale();
        const QString minText = Utils::formatDoubleValue(m_spinBox->minimum(), decimals, flags, widgetLocale);
        const QString maxText = Utils::formatDoubleValue(m_spinBox->maximum(), decimals, flags, widgetLocale);
        const QString incText = Utils::formatDoubleValue(m_increment, decimals, flags, widgetLocale);
        const QString text = m_increment == 0.0 ? tr("Range: %1..%2").arg(minText, maxText)
                                                : tr("Range: %1..%2 (Increment: %3)").arg(minText, maxText, incText);
        m_spinBox->setToolTip(text);
        setToolTip(text);
    } catch (const GenICam::GenericException& e) {
        qDebug("Error creating tooltip text! Err='%s'", e.GetDescription());
    } catch (const std::exception& e) {
        qDebug("Error creating tooltip text! Err='%s'", e.what());
    }
}
