#include "expression_p.h"

#include "genicam/genericexception.h"

#include <QVector>

#include <cctype>
#include <cmath>
#include <utility>

namespace ParameterCollection {

struct Expression::Node
{
    enum Kind { Number, Text, Identifier, Unary, Binary } kind = Number;
    double number = 0.0;
    int height = 1; // levels of the tree below and including this node
    QString text; // literal text, identifier name, or operator
    std::shared_ptr<const Node> left;
    std::shared_ptr<const Node> right;
};

namespace {

using NodePtr = std::shared_ptr<const Expression::Node>;

struct Token
{
    enum Kind { End, Number, Text, Identifier, Operator } kind = End;
    QString text;
    double number = 0.0;
    int position = 0;
};

// An expression as messages quote it: a long one is cut short.
std::string quotedSource(const QString& source)
{
    constexpr int shown = 80;
    return "'" + (source.size() > shown ? source.left(shown) + QStringLiteral("...") : source).toStdString() + "'";
}

[[noreturn]] void syntaxError(const QString& source, int position, const QString& message)
{
    GENICAM_THROW(InvalidArgumentException, "Expression " + quotedSource(source) + " at "
                                                + std::to_string(position + 1) + ": " + message.toStdString());
}

QVector<Token> tokenize(const QString& s)
{
    static const QStringList twoCharOperators{QStringLiteral("=="), QStringLiteral("!="), QStringLiteral("<="),
                                              QStringLiteral(">="), QStringLiteral("&&"), QStringLiteral("||")};
    static const QString oneCharOperators = QStringLiteral("+-*/%<>!()");
    QVector<Token> tokens;
    int i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.position = i;
        if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < s.size() && s.at(i + 1).isDigit())) {
            int j = i;
            bool ok = false;
            if (QStringView(s).mid(i, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
                j = i + 2;
                while (j < s.size() && std::isxdigit(s.at(j).toLatin1()))
                    ++j;
                t.number = static_cast<double>(s.mid(i + 2, j - i - 2).toULongLong(&ok, 16));
            } else {
                while (j < s.size() && (s.at(j).isDigit() || s.at(j) == QLatin1Char('.')))
                    ++j;
                if (j < s.size() && (s.at(j) == QLatin1Char('e') || s.at(j) == QLatin1Char('E'))) {
                    ++j;
                    if (j < s.size() && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-')))
                        ++j;
                    while (j < s.size() && s.at(j).isDigit())
                        ++j;
                }
                t.number = s.mid(i, j - i).toDouble(&ok);
            }
            if (!ok)
                syntaxError(s, i, QStringLiteral("malformed number"));
            t.kind = Token::Number;
            i = j;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i;
            while (j < s.size() && (s.at(j).isLetterOrNumber() || s.at(j) == QLatin1Char('_')))
                ++j;
            t.kind = Token::Identifier;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('\'')) {
            const int close = s.indexOf(QLatin1Char('\''), i + 1);
            if (close < 0)
                syntaxError(s, i, QStringLiteral("unterminated text"));
            t.kind = Token::Text;
            t.text = s.mid(i + 1, close - i - 1);
            i = close + 1;
        } else if (twoCharOperators.contains(s.mid(i, 2))) {
            t.kind = Token::Operator;
            t.text = s.mid(i, 2);
            i += 2;
        } else if (oneCharOperators.contains(c)) {
            t.kind = Token::Operator;
            t.text = c;
            ++i;
        } else {
            syntaxError(s, i, QStringLiteral("unexpected character '%1'").arg(c));
        }
        tokens << t;
    }
    Token end;
    end.position = s.size();
    tokens << end;
    return tokens;
}

// Parsing, evaluating and releasing an expression recurse through its tree:
// both the nesting while parsing (parentheses, unary operators) and the height
// of the tree are bounded, so that any text is refused before it can exhaust
// a thread's stack (1 MiB is plenty).
constexpr int maxNesting = 64;
constexpr int maxHeight = 128;

// Precedence climbing over binary operators; higher binds tighter.
int precedence(const QString& op)
{
    if (op == QLatin1String("||"))
        return 1;
    if (op == QLatin1String("&&"))
        return 2;
    if (op == QLatin1String("==") || op == QLatin1String("!="))
        return 3;
    if (op == QLatin1String("<") || op == QLatin1String("<=") || op == QLatin1String(">") || op == QLatin1String(">="))
        return 4;
    if (op == QLatin1String("+") || op == QLatin1String("-"))
        return 5;
    if (op == QLatin1String("*") || op == QLatin1String("/") || op == QLatin1String("%"))
        return 6;
    return 0;
}

class Parser
{
public:
    Parser(const QString& source)
        : m_source(source)
        , m_tokens(tokenize(source))
    {
    }

    NodePtr parseAll()
    {
        NodePtr root = parseBinary(1);
        if (peek().kind != Token::End)
            syntaxError(m_source, peek().position, QStringLiteral("unexpected '%1'").arg(peek().text));
        return root;
    }

private:
    const Token& peek() const { return m_tokens.at(m_pos); }
    Token take() { return m_tokens.at(m_pos++); }

    struct Nesting
    {
        Parser& parser;
        explicit Nesting(Parser& p, int position)
            : parser(p)
        {
            if (++parser.m_nesting > maxNesting)
                syntaxError(parser.m_source, position,
                            QStringLiteral("nested deeper than %1 levels").arg(maxNesting));
        }
        ~Nesting() { --parser.m_nesting; }
    };

    NodePtr parseBinary(int minPrecedence)
    {
        NodePtr left = parseUnary();
        while (peek().kind == Token::Operator && precedence(peek().text) >= minPrecedence) {
            const Token op = take();
            NodePtr right = parseBinary(precedence(op.text) + 1);
            auto node = std::make_shared<Expression::Node>();
            node->kind = Expression::Node::Binary;
            node->text = op.text;
            node->height = 1 + qMax(left->height, right->height);
            if (node->height > maxHeight)
                syntaxError(m_source, op.position, QStringLiteral("more than %1 levels of operations").arg(maxHeight));
            node->left = std::move(left);
            node->right = std::move(right);
            left = std::move(node);
        }
        return left;
    }

    NodePtr parseUnary()
    {
        const Token t = take();
        auto node = std::make_shared<Expression::Node>();
        switch (t.kind) {
        case Token::Number:
            node->kind = Expression::Node::Number;
            node->number = t.number;
            return node;
        case Token::Text:
            node->kind = Expression::Node::Text;
            node->text = t.text;
            return node;
        case Token::Identifier:
            if (t.text == QLatin1String("true") || t.text == QLatin1String("false")) {
                node->kind = Expression::Node::Number;
                node->number = t.text == QLatin1String("true") ? 1.0 : 0.0;
            } else {
                node->kind = Expression::Node::Identifier;
                node->text = t.text;
            }
            return node;
        case Token::Operator:
            if (t.text == QLatin1String("(")) {
                const Nesting nesting(*this, t.position);
                NodePtr inner = parseBinary(1);
                if (peek().text != QLatin1String(")") || peek().kind != Token::Operator)
                    syntaxError(m_source, peek().position, QStringLiteral("missing ')'"));
                take();
                return inner;
            }
            if (t.text == QLatin1String("-") || t.text == QLatin1String("!")) {
                const Nesting nesting(*this, t.position);
                node->kind = Expression::Node::Unary;
                node->text = t.text;
                node->left = parseUnary();
                node->height = 1 + node->left->height;
                return node;
            }
            break;
        case Token::End:
            syntaxError(m_source, t.position, QStringLiteral("unexpected end"));
        }
        syntaxError(m_source, t.position, QStringLiteral("unexpected '%1'").arg(t.text));
    }

    QString m_source;
    QVector<Token> m_tokens;
    int m_pos = 0;
    int m_nesting = 0;
};

[[noreturn]] void typeError(const QString& source, const QString& message)
{
    GENICAM_THROW(LogicalErrorException, "Expression " + quotedSource(source) + ": " + message.toStdString());
}

ExpressionValue evaluateNode(const Expression::Node& n, const Expression::Resolver& resolve, const QString& source)
{
    using Node = Expression::Node;
    switch (n.kind) {
    case Node::Number:
        return ExpressionValue::fromNumber(n.number);
    case Node::Text:
        return ExpressionValue::fromText(n.text);
    case Node::Identifier:
        return resolve(n.text);
    case Node::Unary: {
        const ExpressionValue v = evaluateNode(*n.left, resolve, source);
        if (n.text == QLatin1String("!"))
            return ExpressionValue::fromNumber(v.isTrue() ? 0.0 : 1.0);
        if (v.isText)
            typeError(source, QStringLiteral("cannot negate the text '%1'").arg(v.text));
        return ExpressionValue::fromNumber(-v.number);
    }
    case Node::Binary:
        break;
    }

    const QString& op = n.text;
    const ExpressionValue l = evaluateNode(*n.left, resolve, source);
    // Logical operators short-circuit, so a condition can guard a look-up.
    if (op == QLatin1String("&&"))
        return ExpressionValue::fromNumber(l.isTrue() && evaluateNode(*n.right, resolve, source).isTrue());
    if (op == QLatin1String("||"))
        return ExpressionValue::fromNumber(l.isTrue() || evaluateNode(*n.right, resolve, source).isTrue());

    const ExpressionValue r = evaluateNode(*n.right, resolve, source);
    if (op == QLatin1String("==") || op == QLatin1String("!=")) {
        if (l.isText != r.isText)
            typeError(source, QStringLiteral("cannot compare a text with a number"));
        const bool equal = l.isText ? l.text == r.text : l.number == r.number;
        return ExpressionValue::fromNumber(equal == (op == QLatin1String("==")) ? 1.0 : 0.0);
    }
    if (l.isText || r.isText)
        typeError(source, QStringLiteral("operator '%1' needs numbers").arg(op));
    const double a = l.number;
    const double b = r.number;
    if (op == QLatin1String("+"))
        return ExpressionValue::fromNumber(a + b);
    if (op == QLatin1String("-"))
        return ExpressionValue::fromNumber(a - b);
    if (op == QLatin1String("*"))
        return ExpressionValue::fromNumber(a * b);
    if (op == QLatin1String("/") || op == QLatin1String("%")) {
        if (b == 0.0)
            typeError(source, QStringLiteral("division by zero"));
        return ExpressionValue::fromNumber(op == QLatin1String("/") ? a / b : std::fmod(a, b));
    }
    if (op == QLatin1String("<"))
        return ExpressionValue::fromNumber(a < b);
    if (op == QLatin1String("<="))
        return ExpressionValue::fromNumber(a <= b);
    if (op == QLatin1String(">"))
        return ExpressionValue::fromNumber(a > b);
    return ExpressionValue::fromNumber(a >= b);
}

void collectIdentifiers(const Expression::Node* n, QStringList& out)
{
    if (!n)
        return;
    if (n->kind == Expression::Node::Identifier && !out.contains(n->text))
        out << n->text;
    collectIdentifiers(n->left.get(), out);
    collectIdentifiers(n->right.get(), out);
}

} // namespace

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(const Expression&) = default;
Expression& Expression::operator=(const Expression&) = default;

Expression Expression::parse(const QString& source)
{
    Expression e;
    e.m_source = source;
    if (!source.trimmed().isEmpty())
        e.m_root = Parser(source).parseAll();
    return e;
}

QStringList Expression::identifiers() const
{
    QStringList names;
    collectIdentifiers(m_root.get(), names);
    return names;
}

ExpressionValue Expression::evaluate(const Resolver& resolve) const
{
    if (!m_root)
        GENICAM_THROW(LogicalErrorException, "An empty expression has no value");
    return evaluateNode(*m_root, resolve, m_source);
}

double Expression::evaluateNumber(const Resolver& resolve) const
{
    const ExpressionValue v = evaluate(resolve);
    if (v.isText)
        typeError(m_source, QStringLiteral("gives the text '%1' where a number is needed").arg(v.text));
    return v.number;
}

} // namespace ParameterCollection
