#pragma once

#include "orvikviewercomponents6_export.h"

#include <QWidget>

class QSlider;
class OrvikQtSpinBox;

/// An integer spin box and a horizontal slider side by side, kept in step,
/// with every value snapped onto the grid minimum + k * singleStep.
///
/// valueChanged() is emitted only for changes made by the user (slider moves,
/// finished edits and steps in the spin box); the setters never emit it, so an
/// owner that refreshes the widget from its data does not commit back.
class ORVIKVIEWERCOMPONENTS6_EXPORT ComboSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int singleStep READ singleStep WRITE setSingleStep)
    Q_PROPERTY(int pageStep READ pageStep WRITE setPageStep)
    Q_PROPERTY(int editBoxWidth READ editBoxWidth WRITE setEditBoxWidth)
public:
    explicit ComboSlider(QWidget* parent = nullptr);
    ~ComboSlider() override;

    int value() const;
    int minimum() const;
    int maximum() const;
    int singleStep() const;
    int pageStep() const;
    int editBoxWidth() const { return m_editBoxWidth; }
    bool isUpdateEnabled() const { return m_updateEnabled; }

public Q_SLOTS:
    /// Sets the value, clamped and snapped; never emits valueChanged().
    virtual void setValue(int value);
    virtual void setMinimum(int min);
    virtual void setMaximum(int max);
    virtual void setRange(int min, int max);
    virtual void setRangeAndStep(int min, int max, int singleStep);
    virtual void setSingleStep(int singleStep);
    /// The slider's page step and the distance the spin box's page keys move.
    virtual void setPageStep(int pageStep);
    /// Minimum width of the spin box; the constructor sets one that fits twelve digits.
    void setEditBoxWidth(int width);
    /// Whether user changes are reported with valueChanged().
    void enableUpdate(bool enable);

Q_SIGNALS:
    void valueChanged(int value);
    void rangeChanged(int min, int max);

protected:
    void changeEvent(QEvent* event) override;
    virtual void updateToolTip();
    /// Clamps `value` to the range and snaps it down onto the increment grid.
    int trimValue(int value) const;

protected Q_SLOTS:
    void onComboBoxEditingFinished();
    void onSliderValueChanged(int val);

private:
    QSlider* m_slider; // Owned through the layout.
    OrvikQtSpinBox* m_spinBox; // Owned through the layout.
    int m_editBoxWidth = 0;
    bool m_updateEnabled = true;
};
