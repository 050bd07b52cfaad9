#include "widgets/comboslider.h"

#include "widgets/editboxwidth_p.h"
#include "widgets/orvikqtspinbox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScopedValueRollback>
#include <QSlider>

ComboSlider::ComboSlider(QWidget* parent)
    : QWidget(parent)
    , m_slider(new QSlider(Qt::Horizontal))
    , m_spinBox(new OrvikQtSpinBox)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 1, 0, 1);

    m_spinBox->setObjectName(QStringLiteral("spinBox"));
    m_slider->setObjectName(QStringLiteral("slider"));
    QSizePolicy sliderPolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    sliderPolicy.setHorizontalStretch(10);
    m_slider->setSizePolicy(sliderPolicy);

    setEditBoxWidth(OrvikWidgets::probeEditBoxWidth(m_spinBox));
    m_spinBox->setSizePolicy(QSizePolicy::Fixed, m_spinBox->sizePolicy().verticalPolicy());

    layout->addWidget(m_spinBox);
    layout->addWidget(m_slider);
    layout->addSpacing(4);
    setLayout(layout);

    connect(m_slider, &QSlider::valueChanged, this, &ComboSlider::onSliderValueChanged);
    connect(m_spinBox, &QAbstractSpinBox::editingFinished, this, &ComboSlider::onComboBoxEditingFinished);

    updateToolTip();
}

ComboSlider::~ComboSlider()
{
    // QWidget deletes the children later; a focused spin box then reports a
    // finished edit, which must not reach this half-destroyed object.
    m_spinBox->blockSignals(true);
    m_slider->blockSignals(true);
}

int ComboSlider::value() const
{
    return m_slider->value();
}

int ComboSlider::minimum() const
{
    return m_slider->minimum();
}

int ComboSlider::maximum() const
{
    return m_slider->maximum();
}

int ComboSlider::singleStep() const
{
    return m_slider->singleStep();
}

int ComboSlider::pageStep() const
{
    return m_slider->pageStep();
}

void ComboSlider::setValue(int value)
{
    const QScopedValueRollback<bool> suspend(m_updateEnabled, false);
    m_slider->setValue(trimValue(value));
}

void ComboSlider::setMinimum(int min)
{
    {
        const QScopedValueRollback<bool> suspend(m_updateEnabled, false);
        m_slider->setMinimum(min);
        m_spinBox->setMinimum(min);
    }
    emit rangeChanged(min, m_spinBox->maximum());
    updateToolTip();
}

void ComboSlider::setMaximum(int max)
{
    {
        const QScopedValueRollback<bool> suspend(m_updateEnabled, false);
        m_slider->setMaximum(max);
        m_spinBox->setMaximum(max);
    }
    emit rangeChanged(m_spinBox->minimum(), max);
    updateToolTip();
}

void ComboSlider::setRange(int min, int max)
{
    {
        const QScopedValueRollback<bool> suspend(m_updateEnabled, false);
        m_slider->setMinimum(min);
        m_spinBox->setMinimum(min);
        m_slider->setMaximum(max);
        m_spinBox->setMaximum(max);
    }
    emit rangeChanged(min, max);
    updateToolTip();
}

void ComboSlider::setRangeAndStep(int min, int max, int singleStep)
{
    {
        const QScopedValueRollback<bool> suspend(m_updateEnabled, false);
        m_spinBox->setSingleStep(singleStep);
        m_spinBox->setMinimum(min);
        m_spinBox->setMaximum(max);
        m_slider->setSingleStep(singleStep);
        m_slider->setMinimum(min);
        m_slider->setMaximum(max);
    }
    emit rangeChanged(min, max);
    updateToolTip();
}

void ComboSlider::setSingleStep(int singleStep)
{
    m_slider->setSingleStep(singleStep);
    m_spinBox->setSingleStep(singleStep);
    updateToolTip();
}

void ComboSlider::setPageStep(int pageStep)
{
    m_slider->setPageStep(pageStep);
    m_spinBox->setPageStep(pageStep);
    updateToolTip();
}

void ComboSlider::setEditBoxWidth(int width)
{
    m_editBoxWidth = width;
    m_spinBox->setMinimumWidth(width);
}

void ComboSlider::enableUpdate(bool enable)
{
    m_updateEnabled = enable;
}

int ComboSlider::trimValue(int value) const
{
    qint64 v = qBound(m_slider->minimum(), value, m_slider->maximum());
    const int step = m_spinBox->singleStep();
    // 64-bit arithmetic: the distance to the minimum overflows an int for
    // ranges that span most of the 32-bit values.
    if (step != 0)
        v -= (v - m_spinBox->minimum()) % step;
    return int(v);
}

void ComboSlider::onSliderValueChanged(int val)
{
    const int trimmed = trimValue(val);
    if (trimmed != m_spinBox->value())
        m_spinBox->setValue(trimmed);
    if (trimmed != val) {
        // The slider's next change signal finishes the work with the snapped value.
        m_slider->setValue(trimmed);
        return;
    }
    if (m_updateEnabled)
        emit valueChanged(val);
}

void ComboSlider::onComboBoxEditingFinished()
{
    const int typed = m_spinBox->value();
    const int trimmed = trimValue(typed);
    if (trimmed != typed)
        m_spinBox->setValue(trimmed);
    m_slider->setValue(trimmed);
}

void ComboSlider::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        updateToolTip();
}

void ComboSlider::updateToolTip()
{
    const int step = m_spinBox->singleStep();
    const QString text = step != 1
        ? tr("Range: %1..%2 (Increment: %3)").arg(m_spinBox->minimum()).arg(m_spinBox->maximum()).arg(step)
        : tr("Range: %1..%2").arg(m_spinBox->minimum()).arg(m_spinBox->maximum());
    setToolTip(text);
}
