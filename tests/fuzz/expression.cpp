// The expression parser and evaluator, over features A to Z: numbers, and
// texts for T to Z. Unknown names are refused by the resolver, as the node map does.
#include "expression_p.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using ParameterCollection::Expression;
    using ParameterCollection::ExpressionValue;
    const auto resolve = [](const QString& name) {
        if (name.size() != 1 || name.at(0) < QLatin1Char('A') || name.at(0) > QLatin1Char('Z'))
            GENICAM_THROW(LogicalErrorException, "unknown");
        const int n = name.at(0).unicode() - 'A';
        return n >= 19 ? ExpressionValue::fromText(name) : ExpressionValue::fromNumber(n * 1.5 - 7);
    };
    Fuzz::refusable([&] {
        const Expression x = Expression::parse(QString::fromUtf8(Fuzz::bytes(data, size)));
        Fuzz::require(x.isEmpty() || !x.source().trimmed().isEmpty());
        x.identifiers();
        if (!x.isEmpty())
            x.evaluateNumber(resolve);
    });
    return 0;
}
