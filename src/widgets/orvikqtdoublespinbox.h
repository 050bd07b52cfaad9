#pragma once

#include "orvikviewercomponents6_export.h"

#include <QDoubleSpinBox>

/// Double spin box that leaves the meaning of a step to its owner and shows
/// its value through Utils::formatDoubleValue.
///
/// stepBy() does not change the value: it reports the step with
/// stepTriggered(), and the owner (DoubleSpinBox, DoubleComboSlider and the
/// float editors built on them) decides what the step means, for example a
/// write to a parameter that starts from the parameter's current value.
/// PageUp and PageDown arrive as steps of +10 and -10.
class ORVIKVIEWERCOMPONENTS6_EXPORT OrvikQtDoubleSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
    Q_PROPERTY(double pageStep READ pageStep WRITE setPageStep)
public:
    explicit OrvikQtDoubleSpinBox(QWidget* parent = nullptr);

    /// The page step in value units. The spin box does not use it itself; the
    /// owner writes it (DoubleSpinBox::setPageStep) and reads it for page steps.
    double pageStep() const { return m_pageStep; }
    void setPageStep(double pageStep) { m_pageStep = pageStep; }

    void stepBy(int steps) override;
    QString textFromValue(double value) const override;

Q_SIGNALS:
    /// A step was asked for by arrow, wheel or page key: +-1 per step, +-10 per page.
    void stepTriggered(int steps);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // No page step is known until the owner sets one; a page then moves nothing.
    double m_pageStep = 0.0;
};
