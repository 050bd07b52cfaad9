#include "widgets/orvikqtdoublespinbox.h"

#include "utils/formatdoublevalue.h"

#include <QKeyEvent>
#include <QRegularExpression>

#include <limits>

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

void OrvikQtDoubleSpinBox::setNotation(Utils::FormatValueFlags notation, int displayDecimals)
{
    m_notation = notation;
    m_displayDecimals = displayDecimals;
    // QDoubleSpinBox rounds its value to decimals(): scientific text needs all of them.
    setDecimals(notation == Utils::FormatFixed ? displayDecimals : std::numeric_limits<double>::max_digits10);
}

QString OrvikQtDoubleSpinBox::textFromValue(double value) const
{
    return Utils::formatDoubleValue(value, displayDecimals(), m_notation, locale());
}

namespace {
QString bareText(const QDoubleSpinBox& box, QString text)
{
    if (text.startsWith(box.prefix()))
        text.remove(0, box.prefix().size());
    if (!box.suffix().isEmpty() && text.endsWith(box.suffix()))
        text.chop(box.suffix().size());
    return text.trimmed();
}
} // namespace

double OrvikQtDoubleSpinBox::valueFromText(const QString& text) const
{
    if (m_notation == Utils::FormatFixed)
        return QDoubleSpinBox::valueFromText(text);
    return locale().toDouble(bareText(*this, text));
}

QValidator::State OrvikQtDoubleSpinBox::validate(QString& text, int& pos) const
{
    if (m_notation == Utils::FormatFixed)
        return QDoubleSpinBox::validate(text, pos);
    // Scientific text, whole or on its way: "-", "1e", "1.5e-" are being typed.
    const QString bare = bareText(*this, text);
    bool ok = false;
    const double value = locale().toDouble(bare, &ok);
    if (ok)
        return value >= minimum() && value <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
    static const QRegularExpression partial(QStringLiteral("^[-+]?[0-9]*[.,]?[0-9]*([eE][-+]?[0-9]*)?$"));
    return partial.match(bare).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}
