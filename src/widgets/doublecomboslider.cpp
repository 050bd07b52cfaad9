#include "widgets/doublecomboslider.h"

#include "genicam/genericexception.h"
#include "utils/formatdoublevalue.h"
#include "widgets/editboxwidth_p.h"
#include "widgets/orvikqtdoublespinbox.h"
#include "widgets/spinboxeventcatcher.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QSlider>

#include <cstdlib>
#include <limits>

DoubleComboSlider::DoubleComboSlider(QWidget* parent)
    : QWidget(parent)
    , m_slider(new QSlider(Qt::Horizontal))
    , m_spinBox(new OrvikQtDoubleSpinBox)
    , m_eventCatcher(new SpinBoxEventCatcher)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 1, 0, 1);

    m_spinBox->setObjectName(QStringLiteral("spinBox"));
    m_spinBox->setAccelerated(true);
    m_spinBox->installEventFilter(m_eventCatcher);

    m_slider->setObjectName(QStringLiteral("slider"));
    m_slider->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    QSizePolicy sliderPolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    sliderPolicy.setHorizontalStretch(10);
    m_slider->setSizePolicy(sliderPolicy);

    setEditBoxWidth(OrvikWidgets::probeEditBoxWidth(m_spinBox));
    m_spinBox->setSizePolicy(QSizePolicy::Fixed, m_spinBox->sizePolicy().verticalPolicy());

    layout->addWidget(m_spinBox);
    layout->addWidget(m_slider);
    layout->addSpacing(4);
    setLayout(layout);

    connect(m_spinBox, &OrvikQtDoubleSpinBox::stepTriggered, this, &DoubleComboSlider::onSpinBoxStepTriggered);
    connect(m_eventCatcher, &SpinBoxEventCatcher::focusEvent, this, &DoubleComboSlider::onSpinBoxFocusEventTriggered);
}

DoubleComboSlider::~DoubleComboSlider()
{
    // A focused spin box reports a finished edit and a focus-out while it is
    // deleted; neither may reach the catcher or an owner that is already gone.
    m_spinBox->blockSignals(true);
    m_slider->blockSignals(true);
    m_eventCatcher->blockSignals(true);
    delete m_spinBox;
    delete m_slider;
    delete m_eventCatcher;
}

double DoubleComboSlider::value() const
{
    return m_spinBox->value();
}

double DoubleComboSlider::minimum() const
{
    return m_spinBox->minimum();
}

double DoubleComboSlider::maximum() const
{
    return m_spinBox->maximum();
}

int DoubleComboSlider::decimals() const
{
    return m_spinBox->decimals();
}

int DoubleComboSlider::intValue() const
{
    return m_slider->value();
}

int DoubleComboSlider::intMinimum() const
{
    return m_slider->minimum();
}

int DoubleComboSlider::intMaximum() const
{
    return m_slider->maximum();
}

void DoubleComboSlider::setEditBoxWidth(int width)
{
    m_editBoxWidth = width;
    m_spinBox->setMinimumWidth(width);
}

void DoubleComboSlider::setValue(double value)
{
    m_spinBox->setValue(value);
}

void DoubleComboSlider::setIntValue(int value)
{
    m_slider->setValue(value);
}

void DoubleComboSlider::setMinimum(double min)
{
    m_minRangeLimit = min;
    m_spinBox->setMinimum(min);
    updateToolTip();
}

void DoubleComboSlider::setIntMinimum(int min)
{
    m_slider->setMinimum(min);
    updateToolTip();
    emit rangeChanged(min, m_slider->maximum());
}

void DoubleComboSlider::setMaximum(double max)
{
    m_maxRangeLimit = max;
    m_spinBox->setMaximum(max);
    updateToolTip();
}

void DoubleComboSlider::setIntMaximum(int max)
{
    m_slider->setMaximum(max);
    updateToolTip();
    emit rangeChanged(m_slider->minimum(), max);
}

void DoubleComboSlider::setNotation(Utils::FormatValueFlags notation, int displayDecimals)
{
    m_spinBox->setNotation(notation, displayDecimals);
    updateToolTip();
}

void DoubleComboSlider::setDecimals(int decimals)
{
    m_spinBox->setDecimals(decimals);
    updateToolTip();
}

void DoubleComboSlider::setRange(double min, double max)
{
    m_minRangeLimit = min;
    m_maxRangeLimit = max;
    m_spinBox->setRange(min, max);
    updateToolTip();
}

void DoubleComboSlider::setIntRange(int min, int max)
{
    m_slider->setRange(min, max);
    updateToolTip();
    emit rangeChanged(min, max);
}

void DoubleComboSlider::setIntIncrement(int increment)
{
    m_intIncrement = increment;
}

void DoubleComboSlider::setPageStep()
{
    // 64-bit: the initial slider range spans all 32-bit values.
    const qint64 span = std::llabs(qint64(m_slider->maximum()) - m_slider->minimum());
    qint64 page = qMax(span / 20, 2 * qint64(m_intIncrement));
    if (m_slider->singleStep() != 0 && m_intIncrement != 0) {
        const qint64 remainder = (page - m_slider->minimum()) % m_intIncrement;
        if (remainder != 0)
            page -= remainder;
    }
    m_slider->setPageStep(int(qBound<qint64>(0, page, std::numeric_limits<int>::max())));
    updateToolTip();
}

void DoubleComboSlider::setRangeStepAndIncrement(int minIntRangeLimit, int maxIntRangeLimit, int intIncrement)
{
    setIntRange(minIntRangeLimit, maxIntRangeLimit);
    setIntIncrement(intIncrement);
    setPageStep();
}

void DoubleComboSlider::setRangeStepAndIncrement(double minRangeLimit, double maxRangeLimit, int intIncrement)
{
    setRange(minRangeLimit, maxRangeLimit);
    setIntIncrement(intIncrement);
    setPageStep();
}

void DoubleComboSlider::initControls(double minRangeLimit, double maxRangeLimit, int value, int minIntRangeLimit,
                                     int maxIntRangeLimit, int intIncrement)
{
    setRange(minRangeLimit, maxRangeLimit);
    m_slider->setSingleStep(intIncrement);
    // Set while the slider still has its previous range; the new range clamps it.
    setIntValue(value);
    setRangeStepAndIncrement(minIntRangeLimit, maxIntRangeLimit, intIncrement);
}

void DoubleComboSlider::onSpinBoxStepTriggered(int steps)
{
    m_updateExpected = true;
    const qint64 current = m_slider->value();
    qint64 target;
    if (steps == 10)
        target = current + m_slider->pageStep();
    else if (steps == -10)
        target = current - m_slider->pageStep();
    else
        target = current + qint64(m_intIncrement) * steps;
    m_slider->setValue(int(qBound<qint64>(std::numeric_limits<int>::min(), target, std::numeric_limits<int>::max())));
}

void DoubleComboSlider::onSpinBoxFocusEventTriggered(bool focus)
{
    m_hasFocus = focus;
    m_updateExpected = !focus;
}

void DoubleComboSlider::enableUpdate(bool enable)
{
    m_updateExpected = enable;
}

bool DoubleComboSlider::checkIfLimitsChanged(double min, double max, int intIncrement) const
{
    return min != m_minRangeLimit || max != m_maxRangeLimit || intIncrement != m_intIncrement;
}

bool DoubleComboSlider::checkIfLimitsChanged(int min, int max, int intIncrement) const
{
    return min != m_slider->minimum() || max != m_slider->maximum() || intIncrement != m_intIncrement;
}

int DoubleComboSlider::trimSliderValue(int value) const
{
    if (m_slider->singleStep() == 0 || m_intIncrement == 0)
        return value;
    return int(value - (qint64(value) - m_slider->minimum()) % m_intIncrement);
}

void DoubleComboSlider::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        updateToolTip();
}

void DoubleComboSlider::updateToolTip()
{
    try {
        const int decimals = m_spinBox->decimals();
        const QLocale widgetLocale = locale();
        const QString text
            = tr("Range: %1..%2")
                  .arg(Utils::formatDoubleValue(m_spinBox->minimum(), decimals, Utils::FormatFixed, widgetLocale),
                       Utils::formatDoubleValue(m_spinBox->maximum(), decimals, Utils::FormatFixed, widgetLocale));
        m_slider->setToolTip(text);
        m_spinBox->setToolTip(text);
        setToolTip(text);
    } catch (const GenICam::GenericException& e) {
        qDebug("Error creating tooltip text! Err='%s'", e.GetDescription());
    } catch (const std::exception& e) {
        qDebug("Error creating tooltip text! Err='%s'", e.what());
    }
}
