#pragma once

#include "orvikviewercomponents6_export.h"
#include "utils/formatdoublevalue.h"

#include <QString>
#include <QWidget>

class OrvikQtDoubleSpinBox;
class SpinBoxEventCatcher;

/// A floating-point spin box with range limits, an increment, a page step and
/// a range tool tip.
///
/// Steps are not performed by the widget: its OrvikQtDoubleSpinBox reports
/// them with stepTriggered(), which the owner connects (the float editor
/// writes them straight to its parameter). The widget also tracks whether its
/// spin box has the focus and whether the owner may overwrite the shown value
/// (isUpdateExspected()), so that a refresh does not destroy what the user types.
class ORVIKVIEWERCOMPONENTS6_EXPORT DoubleSpinBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(double increment READ increment WRITE setIncrement)
    Q_PROPERTY(int decimals READ decimals WRITE setDecimals)
    Q_PROPERTY(int editBoxWidth READ editBoxWidth WRITE setEditBoxWidth)
public:
    /// With the representation "PureNumber" the spin box shows no arrow buttons.
    explicit DoubleSpinBox(QWidget* parent = nullptr, QString representation = QString());
    ~DoubleSpinBox() override;

    double minimum() const;
    double maximum() const;
    int decimals() const;
    /// How the value is written (OrvikQtDoubleSpinBox::setNotation); the tool tip follows.
    void setNotation(Utils::FormatValueFlags notation, int displayDecimals);
    double increment() const { return m_increment; }
    int editBoxWidth() const { return m_editBoxWidth; }
    /// Minimum width of the spin box.
    void setEditBoxWidth(int width);
    /// The spin box's page step, truncated to int.
    int pageStep() const;
    /// Whether the spin box has the keyboard focus (as last reported by its focus events).
    bool hasFocus() const { return m_hasFocus; }
    /// Whether the owner may overwrite the shown value: after a step, a
    /// finished edit, focus out or enableUpdate(true).
    bool isUpdateExspected() const { return m_updateExpected; }

public Q_SLOTS:
    virtual void setValue(double value);
    /// The spin box's minimum; the stored range limits stay as they are.
    virtual void setMinimum(double min);
    /// The spin box's maximum; the stored range limits stay as they are.
    virtual void setMaximum(double max);
    virtual void setDecimals(int decimals);
    /// Stores the increment; see setRangeStepAndIncrement() for its effects.
    virtual void setIncrement(double increment);
    virtual void setRange(double min, double max);
    /// The page step becomes the larger of twice the increment and a twentieth of the range.
    virtual void setPageStep();
    /// Range, increment and page step in one go; an increment of 0 hides the arrow buttons.
    virtual void setRangeStepAndIncrement(double minRangeLimit, double maxRangeLimit, double increment);
    /// Value first, then range, increment and page step.
    virtual void initControls(double minRangeLimit, double maxRangeLimit, double value, double increment);
    void onSpinBoxFocusEventTriggered(bool focus);
    void enableUpdate(bool enable);

protected:
    void changeEvent(QEvent* event) override;
    virtual void updateToolTip();
    /// True when any of the three differs from the stored limits and increment.
    bool checkIfLimitsChanged(double min, double max, double increment) const;

    OrvikQtDoubleSpinBox* m_spinBox; // Owned; deleted by the destructor.
    SpinBoxEventCatcher* m_eventCatcher; // Owned; deleted by the destructor.
    double m_increment = 0.0;
    double m_minRangeLimit;
    double m_maxRangeLimit;
    int m_editBoxWidth = 0;
    bool m_updateExpected = false;
    bool m_hasFocus = false;
};
