#pragma once

#include "orvikviewercomponents6_export.h"
#include "utils/formatdoublevalue.h"

#include <QWidget>

class QSlider;
class OrvikQtDoubleSpinBox;
class SpinBoxEventCatcher;

/// A floating-point spin box beside an integer slider.
///
/// Unlike ComboSlider the two halves are not coupled here: the spin box shows
/// and edits the double value, the slider works in integer units, and the
/// owner maps between them (the float slider editor writes slider moves to an
/// integer alias parameter). Spin box steps move the slider: arrows and the
/// wheel by whole increments, page keys by one slider page.
class ORVIKVIEWERCOMPONENTS6_EXPORT DoubleComboSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int intValue READ intValue WRITE setIntValue)
    Q_PROPERTY(int intMinimum READ intMinimum WRITE setIntMinimum)
    Q_PROPERTY(int intMaximum READ intMaximum WRITE setIntMaximum)
    Q_PROPERTY(int decimals READ decimals WRITE setDecimals)
    Q_PROPERTY(int intIncrement READ intIncrement WRITE setIntIncrement)
    Q_PROPERTY(int editBoxWidth READ editBoxWidth WRITE setEditBoxWidth)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(double value READ value WRITE setValue)
public:
    explicit DoubleComboSlider(QWidget* parent = nullptr);
    ~DoubleComboSlider() override;

    /// The spin box's value, limits and decimals.
    double value() const;
    double minimum() const;
    double maximum() const;
    int decimals() const;
    /// How the value is written (OrvikQtDoubleSpinBox::setNotation); the tool tip follows.
    void setNotation(Utils::FormatValueFlags notation, int displayDecimals);
    /// The slider's value and limits.
    int intValue() const;
    int intMinimum() const;
    int intMaximum() const;
    int intIncrement() const { return m_intIncrement; }
    int editBoxWidth() const { return m_editBoxWidth; }
    /// Whether the spin box has the keyboard focus (as last reported by its focus events).
    bool hasFocus() const { return m_hasFocus; }
    /// Whether the owner may overwrite the shown value: after a step, focus out
    /// or enableUpdate(true); cleared when the spin box gains the focus.
    bool isUpdateExspected() const { return m_updateExpected; }

public Q_SLOTS:
    virtual void setValue(double value);
    virtual void setIntValue(int value);
    virtual void setMinimum(double min);
    virtual void setIntMinimum(int min);
    virtual void setMaximum(double max);
    virtual void setIntMaximum(int max);
    virtual void setDecimals(int decimals);
    virtual void setRange(double min, double max);
    virtual void setIntRange(int min, int max);
    /// Stores the slider's step in integer units.
    virtual void setIntIncrement(int increment);
    /// The slider's page step: a twentieth of its range, at least two increments, on the increment grid.
    virtual void setPageStep();
    virtual void setRangeStepAndIncrement(int minIntRangeLimit, int maxIntRangeLimit, int intIncrement);
    virtual void setRangeStepAndIncrement(double minRangeLimit, double maxRangeLimit, int intIncrement);
    /// Double range, then the slider's step and value, then the slider's range.
    virtual void initControls(double minRangeLimit, double maxRangeLimit, int value, int minIntRangeLimit,
                              int maxIntRangeLimit, int intIncrement);
    void onSpinBoxStepTriggered(int steps);
    void onSpinBoxFocusEventTriggered(bool focus);
    void enableUpdate(bool enable);

Q_SIGNALS:
    /// The slider's integer range changed.
    void rangeChanged(int min, int max);

protected:
    void changeEvent(QEvent* event) override;
    virtual void updateToolTip();
    void setEditBoxWidth(int width);
    /// True when any of the three differs from the stored double limits and increment.
    bool checkIfLimitsChanged(double min, double max, int intIncrement) const;
    /// True when any of the three differs from the slider's limits and the increment.
    bool checkIfLimitsChanged(int min, int max, int intIncrement) const;
    /// Snaps a slider value down onto the increment grid that starts at the slider's minimum.
    int trimSliderValue(int value) const;

    QSlider* m_slider; // Owned; deleted by the destructor.
    OrvikQtDoubleSpinBox* m_spinBox; // Owned; deleted by the destructor.
    SpinBoxEventCatcher* m_eventCatcher; // Owned; deleted by the destructor.
    int m_editBoxWidth = 0;
    int m_intIncrement = 0;
    double m_minRangeLimit = 0.0;
    double m_maxRangeLimit = 0.0;
    bool m_hasFocus = false;
    bool m_updateExpected = false;
};
