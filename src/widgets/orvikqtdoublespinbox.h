#pragma once

#include "orvikviewercomponents6_export.h"
#include "utils/formatdoublevalue.h"

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

    /// How the value is written: fixed-point with decimals() decimals (the
    /// default), or Utils::FormatScientific or Utils::FormatAutomatic with
    /// `displayDecimals` decimals, text the spin box also reads back. Other than
    /// fixed-point, the value itself keeps every decimal a double has.
    void setNotation(Utils::FormatValueFlags notation, int displayDecimals);
    Utils::FormatValueFlags notation() const { return m_notation; }
    /// The decimals the text shows.
    int displayDecimals() const { return m_notation == Utils::FormatFixed ? decimals() : m_displayDecimals; }

    void stepBy(int steps) override;
    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

Q_SIGNALS:
    /// A step was asked for by arrow, wheel or page key: +-1 per step, +-10 per page.
    void stepTriggered(int steps);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // No page step is known until the owner sets one; a page then moves nothing.
    double m_pageStep = 0.0;
    Utils::FormatValueFlags m_notation = Utils::FormatFixed;
    int m_displayDecimals = 2;
};
