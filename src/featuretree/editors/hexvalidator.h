#pragma once

#include "orvikviewercomponents6_export.h"

#include <QIntValidator>

/// Validator for an integer typed in decimal or, with the prefix "0x", in
/// hexadecimal; the value is range-checked like QIntValidator does.
class ORVIKVIEWERCOMPONENTS6_EXPORT HexValidator : public QIntValidator
{
    Q_OBJECT
public:
    HexValidator(int bottom, int top, QObject* parent = nullptr);

    QValidator::State validate(QString& input, int& pos) const override;
};
