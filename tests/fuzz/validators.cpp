// The address validators: the first byte picks one and the cursor position,
// the rest is the text. A validator may change the text only as it says.
#include "fuzz.h"
#include "widgets/qipaddressvalidator.h"
#include "widgets/qipaddresswithnetmaskvalidator.h"
#include "widgets/qipnetmaskvalidator.h"
#include "widgets/qmacaddressvalidator.h"

#include <QLineEdit>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    static QLineEdit netmask(QStringLiteral("255.255.255.0"));
    static const QIpAddressValidator address;
    static const QIpAddressWithNetmaskValidator withNetmask(&netmask);
    static const QIpNetmaskValidator mask;
    static const QMacAddressValidator mac;
    static const QValidator* const validators[] = {&address, &withNetmask, &mask, &mac};
    if (size == 0)
        return 0;
    QString text = QString::fromUtf8(Fuzz::bytes(data + 1, size - 1));
    int position = qMin<int>(data[0] >> 2, text.size());
    const QValidator* validator = validators[data[0] & 3];
    const QValidator::State state = validator->validate(text, position);
    Fuzz::require(position >= 0 && position <= text.size());
    if (state != QValidator::Acceptable)
        validator->fixup(text);
    return 0;
}
