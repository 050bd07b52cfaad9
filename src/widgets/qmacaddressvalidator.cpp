#include "widgets/qmacaddressvalidator.h"

namespace {

constexpr int MacAddressDigits = 12;

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

QMacAddressValidator::QMacAddressValidator(QObject* parent)
    : QValidator(parent)
    , m_allowedSeperators(QStringLiteral(" :-"))
{ }

QValidator::State QMacAddressValidator::validate(QString& text, int& pos) const
{
    if (text.isEmpty())
        return Acceptable;

    int digits = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isHexDigit(c)) {
            ++digits;
        } else if (!m_allowedSeperators.contains(c, Qt::CaseSensitive)) {
            pos = i;
            return Invalid;
        }
    }
    if (digits < MacAddressDigits)
        return Intermediate;
    return digits == MacAddressDigits ? Acceptable : Invalid;
}

void QMacAddressValidator::setAllowedSeperators(const QString& separators)
{
    if (m_allowedSeperators == separators)
        return;
    m_allowedSeperators = separators;
    emit changed();
}
