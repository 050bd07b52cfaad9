#include "widgets/orvikqtdoublespinbox.h"

#include "utils/formatdoublevalue.h"

#include <QKeyEvent>

OrvikQtDoubleSpinBox::OrvikQtDoubleSpinBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{ }

void OrvikQtDoubleSpinBox::keyPressEvent(QKeyEvent* event)
{
    QAbstractSpinBox::keyPressEvent(event);

    switch (event->key()) {
    case Qt::Key_Escape: {
        event->accept();
        // The line edit's undo restores the text that was typed over.
        QKeyEvent undo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QString(), false, 1);
        QAbstractSpinBox::keyPressEvent(&undo);
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Keep the key from reaching the parent widget.
        event->accept();
        break;
    default:
        break;
    }
}

void OrvikQtDoubleSpinBox::stepBy(int steps)
{
    emit stepTriggered(steps);
}

QString OrvikQtDoubleSpinBox::textFromValue(double value) const
{
    return Utils::formatDoubleValue(value, decimals(), Utils::FormatFixed, locale());
}
