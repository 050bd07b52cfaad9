#include "widgets/doublespinbox.h"

#include "genicam/genericexception.h"
#include "utils/formatdoublevalue.h"
#include "widgets/orvikqtdoublespinbox.h"
#include "widgets/spinboxeventcatcher.h"

#include <QEvent>
#include <QHBoxLayout>

#include <limits>

DoubleSpinBox::DoubleSpinBox(QWidget* parent, QString representation)
    : QWidget(parent)
    , m_spinBox(new OrvikQtDoubleSpinBox)
    , m_eventCatcher(new SpinBoxEventCatcher)
    , m_minRangeLimit(std::numeric_limits<double>::lowest())
    , m_maxRangeLimit(std::numeric_limits<double>::max())
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    setContentsMargins(1, 0, 1, 0);

    m_spinBox->setObjectName(QStringLiteral("spinBox"));
    m_spinBox->setRange(std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max());
    m_spinBox->setAccelerated(true);
    if (representation == QLatin1String("PureNumber"))
        m_spinBox->setButtonSymbols(QAbstractSpinBox::NoButtons);

    m_spinBox->installEventFilter(m_eventCatcher);

    layout->addWidget(m_spinBox);
    setLayout(layout);
    connect(m_eventCatcher, &SpinBoxEventCatcher::focusEvent, this, &DoubleSpinBox::onSpinBoxFocusEventTriggered);
}

DoubleSpinBox::~DoubleSpinBox()
{
    // A focused spin box reports a finished edit and a focus-out while it is
    // deleted; neither may reach the catcher or an owner that is already gone.
    m_spinBox->blockSignals(true);
    m_eventCatcher->blockSignals(true);
    delete m_spinBox;
    delete m_eventCatcher;
}

double DoubleSpinBox::minimum() const
{
    return m_spinBox->minimum();
}

double DoubleSpinBox::maximum() const
{
    return m_spinBox->maximum();
}

int DoubleSpinBox::decimals() const
{
    return m_spinBox->decimals();
}

void DoubleSpinBox::setEditBoxWidth(int width)
{
    m_editBoxWidth = width;
    m_spinBox->setMinimumWidth(width);
}

int DoubleSpinBox::pageStep() const
{
    return static_cast<int>(m_spinBox->pageStep());
}

void DoubleSpinBox::setValue(double value)
{
    m_spinBox->setValue(value);
}

void DoubleSpinBox::setMinimum(double min)
{
    m_spinBox->setMinimum(min);
    updateToolTip();
}

void DoubleSpinBox::setMaximum(double max)
{
    m_spinBox->setMaximum(max);
    updateToolTip();
}

void DoubleSpinBox::setNotation(Utils::FormatValueFlags notation, int displayDecimals)
{
    m_spinBox->setNotation(notation, displayDecimals);
    updateToolTip();
}

void DoubleSpinBox::setDecimals(int decimals)
{
    m_spinBox->setDecimals(decimals);
    updateToolTip();
}

void DoubleSpinBox::setIncrement(double increment)
{
    m_increment = increment;
}

void DoubleSpinBox::setRange(double min, double max)
{
    m_minRangeLimit = min;
    m_maxRangeLimit = max;
    m_spinBox->setRange(min, max);
    updateToolTip();
}

void DoubleSpinBox::setPageStep()
{
    m_spinBox->setPageStep(qMax(2.0 * m_increment, (m_maxRangeLimit - m_minRangeLimit) / 20.0));
}

void DoubleSpinBox::setRangeStepAndIncrement(double minRangeLimit, double maxRangeLimit, double increment)
{
    setRange(minRangeLimit, maxRangeLimit);
    setIncrement(increment);
    setPageStep();
    // Without an increment there is nothing to step by.
    if (increment == 0.0)
        m_spinBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // setRange() wrote the tool tip before the new increment was stored.
    updateToolTip();
}

void DoubleSpinBox::initControls(double minRangeLimit, double maxRangeLimit, double value, double increment)
{
    setValue(value);
    setRangeStepAndIncrement(minRangeLimit, maxRangeLimit, increment);
}

void DoubleSpinBox::onSpinBoxFocusEventTriggered(bool focus)
{
    m_hasFocus = focus;
    m_updateExpected = !focus;
}

void DoubleSpinBox::enableUpdate(bool enable)
{
    m_updateExpected = enable;
}

bool DoubleSpinBox::checkIfLimitsChanged(double min, double max, double increment) const
{
    return min != m_minRangeLimit || max != m_maxRangeLimit || increment != m_increment;
}

void DoubleSpinBox::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        updateToolTip();
}

void DoubleSpinBox::updateToolTip()
{
    try {
        const int decimals = m_spinBox->decimals();
        const QLocale widgetLocale = locale();
        const QString min = Utils::formatDoubleValue(m_spinBox->minimum(), decimals, Utils::FormatFixed, widgetLocale);
        const QString max = Utils::formatDoubleValue(m_spinBox->maximum(), decimals, Utils::FormatFixed, widgetLocale);
        const QString inc = Utils::formatDoubleValue(m_increment, decimals, Utils::FormatFixed, widgetLocale);
        // The increment is left out when its text does not read back as a
        // number other than 0 (a zero increment, or a comma locale).
        const QString text = inc.toDouble() == 0.0 ? tr("Range: %1..%2").arg(min, max)
                                                   : tr("Range: %1..%2 (Increment: %3)").arg(min, max, inc);
        m_spinBox->setToolTip(text);
        setToolTip(text);
    } catch (const GenICam::GenericException& e) {
        qDebug("Error creating tooltip text! Err='%s'", e.GetDescription());
    } catch (const std::exception& e) {
        qDebug("Error creating tooltip text! Err='%s'", e.what());
    }
}
