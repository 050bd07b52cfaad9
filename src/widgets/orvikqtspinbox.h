#pragma once

#include "orvikviewercomponents6_export.h"

#include <QSpinBox>

/// Integer spin box with a configurable page step and edit-friendly keys:
/// Escape undoes the typing, Return and Enter stay inside the spin box, and
/// every step (arrow, wheel, page key) also counts as a finished edit.
///
/// Not a Q_OBJECT on purpose: it adds no signals and is driven by its owner
/// (ComboSlider), which listens to the inherited editingFinished().
class ORVIKVIEWERCOMPONENTS6_EXPORT OrvikQtSpinBox : public QSpinBox
{
public:
    explicit OrvikQtSpinBox(QWidget* parent = nullptr);

    /// The distance, in value units, that PageUp and PageDown move the value.
    int pageStep() const { return m_pageStep; }
    void setPageStep(int pageStep) { m_pageStep = pageStep; }

    void stepBy(int steps) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_pageStep = 10;
    // Set by a page key and consumed by the step that key causes.
    bool m_pageKeyPressed = false;
};
