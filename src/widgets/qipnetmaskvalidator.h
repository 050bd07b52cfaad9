#pragma once

#include "orvikviewercomponents6_export.h"

#include <QValidator>

/// Checks a subnet mask typed either in dotted form ("255.255.255.0") or as a
/// prefix length ("/24").
///
/// A dotted mask is Acceptable when it has 1 to 30 leading one bits followed
/// only by zero bits (128.0.0.0 to 255.255.255.252); 0.0.0.0, 255.255.255.254,
/// 255.255.255.255 and masks with gaps in their one bits are Intermediate. A
/// prefix from /0 to /32 is Acceptable as typed and is never refused, since the
/// user may still be typing; fixup() turns it into the dotted mask.
class ORVIKVIEWERCOMPONENTS6_EXPORT QIpNetmaskValidator : public QValidator
{
    Q_OBJECT
public:
    explicit QIpNetmaskValidator(QObject* parent = nullptr);

    State validate(QString& text, int& pos) const override;
    /// Rewrites "/n" (n from 0 to 32) as the dotted mask with n leading one
    /// bits; leaves every other text alone.
    void fixup(QString& text) const override;
};
