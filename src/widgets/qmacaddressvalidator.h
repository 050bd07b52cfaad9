#pragma once

#include "orvikviewercomponents6_export.h"

#include <QValidator>

/// Checks a MAC address: exactly 12 hexadecimal digits, with any of the
/// allowed separator characters anywhere in between (their place and number
/// are not checked, so "00:11:22:33:44:55" and "001122334455" are both
/// Acceptable). An empty text is Acceptable, for "no MAC address".
class ORVIKVIEWERCOMPONENTS6_EXPORT QMacAddressValidator : public QValidator
{
    Q_OBJECT
    Q_PROPERTY(QString allowedSeperators READ allowedSeperators WRITE setAllowedSeperators)
public:
    explicit QMacAddressValidator(QObject* parent = nullptr);

    /// On a refused character, pos is set to its index.
    State validate(QString& text, int& pos) const override;

    /// The characters allowed between the digits, compared case-sensitively;
    /// " :-" (blank, colon, hyphen) by default.
    QString allowedSeperators() const { return m_allowedSeperators; }
    void setAllowedSeperators(const QString& separators);

private:
    QString m_allowedSeperators;
};
