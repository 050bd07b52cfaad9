#include "widgets/twomodedoublecomboslider.h"

#include "widgets/orvikqtdoublespinbox.h"

#include <QSlider>

#include <algorithm>
#include <cmath>

TwoModeDoubleComboSlider::TwoModeDoubleComboSlider(QWidget* parent, ETwoModeDoubleComboSliderMode mode)
    : DoubleComboSlider(parent)
    , m_mode(mode)
{
    connect(m_spinBox, &QAbstractSpinBox::editingFinished, this, &TwoModeDoubleComboSlider::onSpinBoxEditingFinished);
    connect(m_slider, &QSlider::valueChanged, this, &TwoModeDoubleComboSlider::onSliderValueChanged);
    // Steps mean something else in logarithmic mode: this class handles them all.
    disconnect(m_spinBox, &OrvikQtDoubleSpinBox::stepTriggered, nullptr, nullptr);
    connect(m_spinBox, &OrvikQtDoubleSpinBox::stepTriggered, this, &TwoModeDoubleComboSlider::onSpinBoxStepTriggered);
}

TwoModeDoubleComboSlider::~TwoModeDoubleComboSlider() = default;

void TwoModeDoubleComboSlider::setMode(ETwoModeDoubleComboSliderMode mode)
{
    m_mode = mode;
}

int TwoModeDoubleComboSlider::intValue()
{
    if (!isLogarithmic())
        return DoubleComboSlider::intValue();
    if (takePendingIntValue(m_slider->value()))
        return m_pendingIntValue;
    return static_cast<int>(transformLinear(m_slider->value()));
}

int TwoModeDoubleComboSlider::intMinimum() const
{
    return isLogarithmic() ? m_intMinimum : DoubleComboSlider::intMinimum();
}

int TwoModeDoubleComboSlider::intMaximum() const
{
    return isLogarithmic() ? m_intMaximum : DoubleComboSlider::intMaximum();
}

bool TwoModeDoubleComboSlider::checkIfLimitsChanged(double min, double max, int intIncrement) const
{
    return DoubleComboSlider::checkIfLimitsChanged(min, max, intIncrement);
}

int TwoModeDoubleComboSlider::trimSliderValue(int value) const
{
    if (!isLogarithmic())
        return DoubleComboSlider::trimSliderValue(value);
    if (m_slider->singleStep() == 0 || m_intIncrement == 0)
        return value;
    return int(value - (qint64(value) - m_intMinimum) % m_intIncrement);
}

void TwoModeDoubleComboSlider::setIntValue(int value)
{
    if (!isLogarithmic()) {
        DoubleComboSlider::setIntValue(value);
        return;
    }
    // The position maps back to a neighbouring integer at best; the next
    // report delivers the exact value instead.
    m_pendingIntValue = value;
    m_pendingPosition = static_cast<int>(transformLogarithmic(value));
    m_intValuePending = true;
    m_slider->setValue(m_pendingPosition);
}

void TwoModeDoubleComboSlider::setIntMinimum(int min)
{
    if (!isLogarithmic()) {
        DoubleComboSlider::setIntMinimum(min);
        return;
    }
    m_intMinimum = min;
    updateLogarithmicScale();
    emit rangeChanged(min, m_intMaximum);
    updateToolTip();
}

void TwoModeDoubleComboSlider::setIntMaximum(int max)
{
    if (!isLogarithmic()) {
        DoubleComboSlider::setIntMaximum(max);
        return;
    }
    m_intMaximum = max;
    updateLogarithmicScale();
    emit rangeChanged(m_intMinimum, max);
    updateToolTip();
}

void TwoModeDoubleComboSlider::setIntRange(int min, int max)
{
    if (!isLogarithmic()) {
        DoubleComboSlider::setIntRange(min, max);
        return;
    }
    m_intMinimum = min;
    m_intMaximum = max;
    updateLogarithmicScale();
    emit rangeChanged(min, max);
    updateToolTip();
}

void TwoModeDoubleComboSlider::setRangeStepAndIncrement(int minIntRangeLimit, int maxIntRangeLimit, int intIncrement)
{
    // setIntRange() is virtual, so the base takes the logarithmic range in that mode.
    DoubleComboSlider::setRangeStepAndIncrement(minIntRangeLimit, maxIntRangeLimit, intIncrement);
}

void TwoModeDoubleComboSlider::setRangeStepAndIncrement(double minRangeLimit, double maxRangeLimit, int intIncrement)
{
    DoubleComboSlider::setRangeStepAndIncrement(minRangeLimit, maxRangeLimit, intIncrement);
}

void TwoModeDoubleComboSlider::initControls(double minRangeLimit, double maxRangeLimit, int value, int minIntRangeLimit,
                                            int maxIntRangeLimit, int intIncrement)
{
    if (!isLogarithmic()) {
        DoubleComboSlider::initControls(minRangeLimit, maxRangeLimit, value, minIntRangeLimit, maxIntRangeLimit,
                                        intIncrement);
        return;
    }
    setRange(minRangeLimit, maxRangeLimit);
    m_slider->setSingleStep(1);
    m_slider->setRange(m_sliderMinimum, m_sliderMaximum);
    setRangeStepAndIncrement(minIntRangeLimit, maxIntRangeLimit, intIncrement);
    // After the range: the position depends on the logarithmic scale.
    setIntValue(value);
}

void TwoModeDoubleComboSlider::onSpinBoxStepTriggered(int val)
{
    if (!isLogarithmic()) {
        DoubleComboSlider::onSpinBoxStepTriggered(val);
        return;
    }
    // One percent of the value per step, but always at least one whole unit.
    const double current = m_spinBox->value();
    double delta = current * 0.01 * val;
    if (std::abs(delta) < 1.0)
        delta = delta < 0.0 ? delta - 1.0 : delta + 1.0;
    const double target = current + delta + 0.5;
    m_slider->setValue(static_cast<int>(transformLogarithmic(target)));
    m_spinBox->setValue(static_cast<double>(static_cast<qint64>(delta < 0.0 ? std::floor(target) : std::ceil(target))));
    m_updateExpected = true;
}

void TwoModeDoubleComboSlider::onSpinBoxEditingFinished()
{
    emit editingFinished();
}

void TwoModeDoubleComboSlider::onSliderValueChanged(int val)
{
    if (!isLogarithmic()) {
        emit valueChanged(val);
        return;
    }
    if (takePendingIntValue(val))
        emit valueChanged(m_pendingIntValue);
    else
        emit valueChanged(static_cast<int>(transformLinear(val)));
}

bool TwoModeDoubleComboSlider::takePendingIntValue(int position)
{
    if (!m_intValuePending)
        return false;
    m_intValuePending = false;
    // Once the slider has been moved elsewhere (a click on the groove right
    // after a refresh that did not move it), its position is what counts.
    return position == m_pendingPosition;
}

void TwoModeDoubleComboSlider::updateLogarithmicScale()
{
    // log2 is defined for positive values only: the scale starts at 1 at the
    // lowest. Without a positive span (maximum <= max(minimum, 1)) logStep
    // stays 0 and the transformations fall back to a linear mapping.
    const int lowest = std::max(m_intMinimum, 1);
    m_logMinimum = std::log2(double(lowest));
    m_logMaximum = std::log2(double(std::max(m_intMaximum, lowest)));
    m_logStep = (m_logMaximum - m_logMinimum) / (double(m_sliderMaximum) - m_sliderMinimum);
}

double TwoModeDoubleComboSlider::transformLinear(double position) const
{
    double y;
    if (position <= m_sliderMinimum) {
        // The first position is the minimum, also when the scale starts above it.
        y = m_intMinimum;
    } else if (position >= m_sliderMaximum) {
        // The last position is the maximum exactly: 2^log2(max) may come out
        // a hair below max, which truncation would turn into max - 1.
        y = m_intMaximum;
    } else if (m_logStep > 0.0) {
        y = std::exp2((position - m_sliderMinimum) * m_logStep + m_logMinimum);
    } else if (m_intMaximum > m_intMinimum) {
        y = m_intMinimum
            + (position - m_sliderMinimum) / (double(m_sliderMaximum) - m_sliderMinimum)
                * (double(m_intMaximum) - m_intMinimum);
    } else {
        y = m_intMinimum;
    }
    if (m_intMinimum > y)
        return m_intMinimum;
    return std::min(double(m_intMaximum), y);
}

double TwoModeDoubleComboSlider::transformLogarithmic(double value) const
{
    if (std::isnan(value))
        return m_sliderMinimum;
    if (m_logStep > 0.0) {
        // Values outside the range land on the first or last position, where
        // the slider would clamp them anyway; log2 never sees a value below 1.
        const double bounded = std::clamp(value, double(std::max(m_intMinimum, 1)), double(m_intMaximum));
        return (std::log2(bounded) - m_logMinimum) / m_logStep + m_sliderMinimum;
    }
    if (m_intMaximum > m_intMinimum) {
        const double bounded = std::clamp(value, double(m_intMinimum), double(m_intMaximum));
        return (bounded - m_intMinimum) / (double(m_intMaximum) - m_intMinimum)
            * (double(m_sliderMaximum) - m_sliderMinimum)
            + m_sliderMinimum;
    }
    return m_sliderMinimum;
}
