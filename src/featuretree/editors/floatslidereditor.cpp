#include "featuretree/floatslidereditor.h"

#include "common/exceptionlog.h"
#include "genicam/genericexception.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/valuetext.h"
#include "utils/formatdoublevalue.h"
#include "widgets/orvikqtdoublespinbox.h"

#include <QSlider>

#include <cmath>

using ParameterCollection::ValueText::notationFlags;

namespace {

// The alias's numbers are taken as their low 32 bits.
int low32(qint64 value)
{
    return static_cast<int>(static_cast<quint32>(static_cast<quint64>(value) & 0xffffffffu));
}

// Beyond this difference a float value counts as changed: 100 times the
// double machine epsilon, so that rounding noise does not rewrite the text.
constexpr double ValueTolerance = 2.220446049250313e-14;

} // namespace

FloatSliderEditor::FloatSliderEditor(QSharedPointer<ParameterCollection::IParameterCollection> collection,
                                     QWidget* parent)
    : TwoModeDoubleComboSlider(parent, LinearMode)
    , m_parameterCollection(std::move(collection))
{
    connect(m_spinBox, &QAbstractSpinBox::editingFinished, this, &FloatSliderEditor::onSpinBoxEditingFinished);
    connect(this, &TwoModeDoubleComboSlider::valueChanged, this, &FloatSliderEditor::onSliderValueChanged);
}

FloatSliderEditor::~FloatSliderEditor() = default;

void FloatSliderEditor::setEditorData(AbstractItemEditor::EditorData data)
{
    const auto floatParameter = qSharedPointerDynamicCast<ParameterCollection::IFloatParameter>(data.parameter);
    const auto& snapshot = data.parameterData;
    if (!floatParameter || !snapshot || snapshot->type != ParameterCollection::TypeFloat) {
        qDebug("%s is called with non-float node????", "FloatSliderEditor::setEditorData");
        return;
    }
    if (!snapshot->isReadable) {
        try {
            qDebug("Non-readable comboBox: %s??????", data.parameter->getName().toUtf8().constData());
        } catch (...) {
            qWarning("Failed to retrieve a node's name");
            ExceptionLog::logCurrentException("FloatSliderEditor::setEditorData");
        }
        return;
    }
    try {
        m_lastData = snapshot;
        if (m_hasFocus) {
            if (!m_updateExpected) {
                // The user is typing: only a loss of write access gets through.
                if (isEnabled() && !snapshot->isWritable)
                    setEnabled(false);
                return;
            }
            m_updateExpected = false;
        }
        if (!m_initialized) {
            m_initialized = initMemberVariables(data.parameter);
            const auto& alias = m_aliasData;
            initControls(m_minRangeLimit, m_maxRangeLimit, alias ? low32(alias->intValue) : 0,
                         alias ? low32(alias->intMin) : 0, alias ? low32(alias->intMax) : 0, m_intIncrement);
            updateToolTip();
        }
        if (snapshot->floatMax < snapshot->floatMin)
            GENICAM_THROW(InvalidArgumentException,
                          tr("The minimum value is larger than the maximum value!").toUtf8().toStdString());
        if (snapshot->floatValue < snapshot->floatMin || snapshot->floatValue > snapshot->floatMax)
            GENICAM_THROW(InvalidArgumentException,
                          tr("The minimum allowed value is larger than the to be set node value or the maximum "
                             "allowed value is smaller than the to be set node value!")
                              .toUtf8()
                              .toStdString());
        // An alias without data counts as one without increment.
        const int aliasIncrement = m_aliasData ? low32(m_aliasData->intInc) : 0;
        if (aliasIncrement == 0)
            GENICAM_THROW(InvalidArgumentException, tr("The alias increment cannot be '0'!").toUtf8().toStdString());

        const int decimals = saturatedInt(snapshot->displayPrecision);
        const Utils::FormatValueFlags notation = notationFlags(snapshot->displayNotation);
        applyWritable(this, snapshot->isWritable);
        if (m_spinBox->displayDecimals() != decimals || m_spinBox->notation() != notation)
            setNotation(notation, decimals);

        const bool changed = checkIfLimitsChanged(snapshot->floatMin, snapshot->floatMax, aliasIncrement);
        if (changed) {
            DoubleComboSlider::setRangeStepAndIncrement(snapshot->floatMin, snapshot->floatMax, aliasIncrement);
            updateToolTip();
        }
        if (std::abs(snapshot->floatValue - value()) > ValueTolerance || changed)
            setValue(snapshot->floatValue);
    } catch (...) {
        qWarning("%s: Failed to update the float value editor comboBox!", nameForLog(data.parameter).constData());
        ExceptionLog::logCurrentException("FloatSliderEditor::setEditorData");
    }
}

QVariant FloatSliderEditor::editorData()
{
    return QVariant(value());
}

double FloatSliderEditor::value()
{
    return adjustRangeLimits(m_spinBox->value());
}

double FloatSliderEditor::adjustRangeLimits(double value)
{
    return clampToCurrentLimits(m_floatParameter, value, nameForLog(m_parameter),
                                "FloatSliderEditor::adjustRangeLimits");
}

bool FloatSliderEditor::initMemberVariables(QSharedPointer<ParameterCollection::IParameter> parameter)
{
    try {
        m_parameter = parameter;
        m_floatParameter = qSharedPointerDynamicCast<ParameterCollection::IFloatParameter>(parameter);
        if (!m_floatParameter)
            GENICAM_THROW(InvalidArgumentException, tr("Dynamic cast on pNode has gone wrong!").toUtf8().toStdString());

        const QString name = m_floatParameter->getName();
        const QString fullName = m_floatParameter->getFullName();
        if (m_parameterCollection) {
            const auto properties = m_floatParameter->getProperties();
            const QString representation
                = properties ? properties->getProperty(QStringLiteral("Representation")) : QString();
            const bool logarithmic = representation == QLatin1String("Logarithmic")
                && name.contains(QLatin1String("Exposure"), Qt::CaseSensitive);
            setMode(logarithmic ? LogarithmicMode : LinearMode);

            m_aliasParameter = qSharedPointerDynamicCast<ParameterCollection::IIntegerParameter>(
                m_parameterCollection->getParameter(fullName + QLatin1String("/Alias")));
            if (!m_aliasParameter)
                qDebug("Alias node is not of type integer.");
            else
                m_aliasData = m_aliasParameter->getParameterData();
        }
        if (!m_aliasParameter)
            GENICAM_THROW(InvalidArgumentException,
                          tr("Could not retrieve an alias node on pNode").toUtf8().toStdString());

        if (!m_aliasConnected) {
            m_aliasConnected
                = bool(connect(m_aliasParameter.data(), &ParameterCollection::IParameter::parameterDataChangedDecoupled,
                               this, &FloatSliderEditor::onAliasParameterDataChanged));
        }

        m_minRangeLimit = m_floatParameter->getMinimum();
        m_maxRangeLimit = m_floatParameter->getMaximum();
        m_intIncrement = m_aliasData ? low32(m_aliasData->intInc) : 0;
        if (m_minRangeLimit <= m_maxRangeLimit)
            return true;
        GENICAM_THROW(
            InvalidArgumentException,
            tr("The given range or increment information of the given pNode is not valid").toUtf8().toStdString());
    } catch (const GenICam::GenericException&) {
        m_minRangeLimit = 0.0;
        m_maxRangeLimit = 0.0;
        m_intIncrement = 0;
        throw;
    }
}

bool FloatSliderEditor::aliasLimitsChanged(int min, int max, int increment)
{
    // The mode-aware limits: in logarithmic mode the slider's own range is
    // its fixed positions, not the alias's range.
    return min != intMinimum() || max != intMaximum() || increment != intIncrement();
}

void FloatSliderEditor::onSpinBoxEditingFinished()
{
    const double adjusted = adjustRangeLimits(m_spinBox->value());
    m_spinBox->setValue(adjusted);
    m_updateExpected = true;
    emit boxValueChanged();
}

void FloatSliderEditor::onSliderValueChanged(int val)
{
    if (!m_aliasParameter)
        return;
    try {
        // Moves caused by refreshes land on the alias's own value and write nothing.
        if (val != m_aliasParameter->getValue()) {
            m_updateExpected = true;
            m_aliasParameter->setValue(trimSliderValue(val), true);
        }
    } catch (...) {
        qWarning("%s: Failed to set the alias nodes value on slider value changed signal!",
                 nameForLog(m_aliasParameter).constData());
        ExceptionLog::logCurrentException("FloatSliderEditor::onSliderValueChanged");
    }
}

void FloatSliderEditor::onAliasParameterDataChanged(
    QSharedPointer<const ParameterCollection::ParameterData> ptrParameter)
{
    if (!ptrParameter || !ptrParameter->isReadable)
        return;
    try {
        m_aliasData = ptrParameter;
        const int min = low32(ptrParameter->intMin);
        const int max = low32(ptrParameter->intMax);
        const int value = low32(ptrParameter->intValue);
        const int increment = low32(ptrParameter->intInc);

        if (max < min)
            GENICAM_THROW(InvalidArgumentException,
                          tr("The minimum value is larger than the maximum value!").toUtf8().toStdString());
        if (value < min || value > max)
            GENICAM_THROW(InvalidArgumentException,
                          tr("The minimum allowed value is larger than the to be set node value or the maximum "
                             "allowed value is smaller than the to be set node value!")
                              .toUtf8()
                              .toStdString());
        if (increment == 0)
            GENICAM_THROW(InvalidArgumentException, tr("The alias increment cannot be '0'!").toUtf8().toStdString());

        applyWritable(this, ptrParameter->isWritable);

        const bool changed = aliasLimitsChanged(min, max, increment);
        if (changed) {
            setRangeStepAndIncrement(min, max, increment);
            updateToolTip();
        }
        if (value != intValue() || changed) {
            m_updateExpected = true;
            setIntValue(value);
        }
    } catch (...) {
        qWarning("%s: Failed to update the float value editor slider!", nameForLog(m_parameter).constData());
        ExceptionLog::logCurrentException("FloatSliderEditor::onAliasParameterDataChanged");
    }
}

void FloatSliderEditor::updateToolTip()
{
    if (!m_lastData)
        return;
    try {
        // In the feature's own notation and precision, as its value is shown.
        const int decimals = saturatedInt(m_lastData->displayPrecision);
        const Utils::FormatValueFlags flags = notationFlags(m_lastData->displayNotation);
        const QLocale widgetLocale = locale();
        const QString minText = Utils::formatDoubleValue(m_spinBox->minimum(), decimals, flags, widgetLocale);
        const QString maxText = Utils::formatDoubleValue(m_spinBox->maximum(), decimals, flags, widgetLocale);
        const QString incText = m_lastData->hasFloatInc
            ? Utils::formatDoubleValue(m_lastData->floatInc, decimals, flags, widgetLocale)
            : QString();
        const QString text = incText.isEmpty() || m_lastData->floatInc == 0.0
            ? tr("Range: %1..%2").arg(minText, maxText)
            : tr("Range: %1..%2 (Increment: %3)").arg(minText, maxText, incText);
        m_spinBox->setToolTip(text);
        m_slider->setToolTip(text);
        setToolTip(text);
    } catch (const GenICam::GenericException& e) {
        qDebug("Error creating tooltip text! Err='%s'", e.GetDescription());
    } catch (const std::exception& e) {
        qDebug("Error creating tooltip text! Err='%s'", e.what());
    }
}
