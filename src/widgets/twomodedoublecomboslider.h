#pragma once

#include "orvikviewercomponents6_export.h"
#include "widgets/doublecomboslider.h"

/// A DoubleComboSlider whose slider can map its integer range logarithmically.
///
/// In LinearMode it behaves like DoubleComboSlider and reports slider moves
/// with valueChanged(). In LogarithmicMode the slider runs over the fixed
/// positions 0..100000, which map exponentially onto the integer range
/// intMinimum()..intMaximum(); spin box steps then move by one percent of the
/// value. setIntValue() keeps the exact integer it was given for the next
/// report, although the slider position it leads to may map back to a
/// neighbouring integer.
///
/// A logarithmic scale needs positive limits. When the minimum is 0 or
/// negative the scale starts at 1 (the smallest positive integer) and the
/// slider's first position stands for the minimum itself; when no positive
/// span is left (the maximum is 1 or less, or the limits are equal) the
/// positions map linearly onto the range. The slider therefore always gets
/// a position inside 0..100000.
class ORVIKVIEWERCOMPONENTS6_EXPORT TwoModeDoubleComboSlider : public DoubleComboSlider
{
    Q_OBJECT
    // Redeclared so that the property system reads the mode-aware getters.
    Q_PROPERTY(int intValue READ intValue WRITE setIntValue)
    Q_PROPERTY(int intMinimum READ intMinimum WRITE setIntMinimum)
    Q_PROPERTY(int intMaximum READ intMaximum WRITE setIntMaximum)
public:
    enum ETwoModeDoubleComboSliderMode { LinearMode = 0, LogarithmicMode = 1 };
    Q_ENUM(ETwoModeDoubleComboSliderMode)

    explicit TwoModeDoubleComboSlider(QWidget* parent = nullptr, ETwoModeDoubleComboSliderMode mode = LinearMode);
    ~TwoModeDoubleComboSlider() override;

    ETwoModeDoubleComboSliderMode mode() const { return m_mode; }

    /// The integer value: in logarithmic mode the value last given to
    /// setIntValue() if no slider move has reported it yet (the pending value
    /// is consumed), else the value that the slider position maps to.
    int intValue();
    int intMinimum() const;
    int intMaximum() const;

    bool checkIfLimitsChanged(double min, double max, int intIncrement) const;
    /// Snaps an integer value down onto the increment grid that starts at the minimum.
    int trimSliderValue(int value) const;

public Q_SLOTS:
    void setIntValue(int value) override;
    void setIntMinimum(int min) override;
    void setIntMaximum(int max) override;
    void setIntRange(int min, int max) override;
    /// Only stores the mode; call initControls() afterwards to lay out the slider.
    void setMode(ETwoModeDoubleComboSliderMode mode);
    void setRangeStepAndIncrement(int minIntRangeLimit, int maxIntRangeLimit, int intIncrement) override;
    void setRangeStepAndIncrement(double minRangeLimit, double maxRangeLimit, int intIncrement) override;
    void initControls(double minRangeLimit, double maxRangeLimit, int value, int minIntRangeLimit, int maxIntRangeLimit,
                      int intIncrement) override;
    void onSpinBoxStepTriggered(int val);

Q_SIGNALS:
    /// The spin box finished an edit.
    void editingFinished();
    /// The slider moved; the integer value it stands for.
    void valueChanged(int value);

private Q_SLOTS:
    void onSpinBoxEditingFinished();
    void onSliderValueChanged(int val);

private:
    bool isLogarithmic() const { return m_mode == LogarithmicMode; }
    void updateLogarithmicScale();
    /// Consumes the pending value; true when it still stands for `position`.
    bool takePendingIntValue(int position);
    /// Integer value (not yet truncated) for a slider position.
    double transformLinear(double position) const;
    /// Slider position (not yet truncated) for an integer value.
    double transformLogarithmic(double value) const;

    ETwoModeDoubleComboSliderMode m_mode;
    double m_logMinimum = 0.0;
    double m_logMaximum = 0.0;
    int m_intMinimum = 0;
    int m_intMaximum = 0;
    bool m_intValuePending = false;
    int m_pendingIntValue = 0;
    // The slider position that setIntValue() chose for the pending value.
    int m_pendingPosition = 0;
    int m_sliderMinimum = 0;
    int m_sliderMaximum = 100000;
    // Change of the base-2 logarithm per slider position; 0 when the range
    // has no positive span and the positions map linearly.
    double m_logStep = 0.0;
};
