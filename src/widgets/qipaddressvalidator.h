#pragma once

#include "orvikviewercomponents6_export.h"

#include <QValidator>

/// Checks an IPv4 address typed in dotted decimal form ("192.168.1.10").
///
/// Keystrokes that can never lead to an address are refused (Invalid): a
/// fourth dot, a character other than a digit, a dot or a blank, a part above
/// 255 and a part with a leading zero, which other readers of the text would
/// take for octal. Incomplete texts and addresses of the form 0.0.0.x are
/// Intermediate; every other complete address is Acceptable.
class ORVIKVIEWERCOMPONENTS6_EXPORT QIpAddressValidator : public QValidator
{
    Q_OBJECT
public:
    explicit QIpAddressValidator(QObject* parent = nullptr);

    State validate(QString& text, int& pos) const override;
};
