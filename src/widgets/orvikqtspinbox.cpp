#include "widgets/orvikqtspinbox.h"

#include <QKeyEvent>

OrvikQtSpinBox::OrvikQtSpinBox(QWidget* parent)
    : QSpinBox(parent)
{ }

void OrvikQtSpinBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown)
        m_pageKeyPressed = true;

    QAbstractSpinBox::keyPressEvent(event);
    // A page key at the range limit performs no step; the flag must not turn
    // the next arrow step into a page step.
    m_pageKeyPressed = false;

    switch (key) {
    case Qt::Key_Escape: {
        event->accept();
        // The line edit's undo restores the text that was typed over.
        QKeyEvent undo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QString(), false, 1);
        QAbstractSpinBox::keyPressEvent(&undo);
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Keep the key from reaching the parent (a dialog's default button,
        // an item view that would close the editor a second time).
        event->accept();
        break;
    default:
        break;
    }
}

void OrvikQtSpinBox::stepBy(int steps)
{
    if (m_pageKeyPressed) {
        m_pageKeyPressed = false;
        // QAbstractSpinBox would multiply the steps by the single step; a page
        // moves by pageStep in value units, like the slider beside it.
        interpretText();
        const qint64 delta = steps < 0 ? -qint64(m_pageStep) : qint64(m_pageStep);
        setValue(int(qBound(qint64(minimum()), qint64(value()) + delta, qint64(maximum()))));
        selectAll();
    } else {
        QAbstractSpinBox::stepBy(steps);
    }
    // Every step counts as a finished edit so that the owner commits it.
    emit editingFinished();
}
