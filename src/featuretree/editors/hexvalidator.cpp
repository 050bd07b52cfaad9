#include "featuretree/hexvalidator.h"

HexValidator::HexValidator(int bottom, int top, QObject* parent)
    : QIntValidator(bottom, top, parent)
{ }

QValidator::State HexValidator::validate(QString& input, int& pos) const
{
    if (input.isEmpty() || input.trimmed() == QLatin1String("0x"))
        return QValidator::Intermediate;

    // The prefix check is case-sensitive: "0X1F" is read in base 10 and fails.
    const int base = input.startsWith(QLatin1String("0x")) ? 16 : 10;
    bool ok = false;
    const int value = input.toInt(&ok, base);
    if (!ok)
        return QValidator::Invalid;

    QString decimal = QString::number(value);
    return QIntValidator::validate(decimal, pos);
}
