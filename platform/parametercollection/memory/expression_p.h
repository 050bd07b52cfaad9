#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace ParameterCollection {

/// The value of an expression: a number or a text (enumerations evaluate to
/// their entry's symbolic name, so that "TriggerMode == 'On'" reads naturally).
struct ExpressionValue
{
    bool isText = false;
    double number = 0.0;
    QString text;

    static ExpressionValue fromNumber(double n) { return {false, n, QString()}; }
    static ExpressionValue fromText(QString t) { return {true, 0.0, std::move(t)}; }
    bool isTrue() const { return isText ? !text.isEmpty() : number != 0.0; }
};

/// A small arithmetic and logical expression over feature names, parsed once
/// and evaluated whenever a limit or condition is needed:
///     SensorWidth - OffsetX        AcquisitionFrameRateEnable && !TLParamsLocked
/// Operators by rising precedence: ||, &&, == !=, < <= > >=, + -, * / %, unary - !.
/// Operands: decimal or 0x numbers, 'text', true, false, feature names.
class Expression
{
public:
    using Resolver = std::function<ExpressionValue(const QString& name)>;

    Expression();
    ~Expression();
    Expression(const Expression&);
    Expression& operator=(const Expression&);

    /// Throws GenICam::InvalidArgumentException with the position of a syntax error.
    static Expression parse(const QString& source);

    bool isEmpty() const { return !m_root; }
    QString source() const { return m_source; }
    /// Feature names the expression refers to.
    QStringList identifiers() const;

    /// Throws GenICam::LogicalErrorException for type errors and division by zero.
    ExpressionValue evaluate(const Resolver& resolve) const;
    double evaluateNumber(const Resolver& resolve) const;

    struct Node;

private:
    QString m_source;
    std::shared_ptr<const Node> m_root; // immutable once parsed, so copies share it
};

} // namespace ParameterCollection
