#include "nodemaptext.h"

#include "genicam/genericexception.h"

#include <QHash>
#include <QTest>

namespace NodeMapText {

namespace {

const QHash<QChar, QString>& elementByType()
{
    static const QHash<QChar, QString> table{
        {QLatin1Char('i'), QStringLiteral("Integer")}, {QLatin1Char('f'), QStringLiteral("Float")},
        {QLatin1Char('b'), QStringLiteral("Boolean")}, {QLatin1Char('s'), QStringLiteral("String")},
        {QLatin1Char('e'), QStringLiteral("Enumeration")}, {QLatin1Char('c'), QStringLiteral("Command")},
        {QLatin1Char('p'), QStringLiteral("Port")}};
    return table;
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// A recursive-descent reader of the tree text; writes XML as it goes.
class Reader
{
public:
    explicit Reader(const QString& text)
        : m_text(text)
    { }

    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }

    QString items(bool nested)
    {
        QString xml;
        for (;;) {
            skipSpace();
            if (atEnd() || failed())
                break;
            if (peek() == QLatin1Char(']')) {
                if (!nested)
                    fail(QStringLiteral("unexpected ']'"));
                break;
            }
            xml += item();
        }
        return xml;
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text.at(m_pos); }
    void expect(QChar c)
    {
        if (peek() != c)
            fail(QStringLiteral("'%1' expected").arg(c));
        ++m_pos;
    }

private:
    static bool isDelimiter(QChar c)
    {
        return c.isSpace() || QStringLiteral("()[]{}#!=:").contains(c);
    }

    void skipSpace()
    {
        while (!atEnd() && peek().isSpace())
            ++m_pos;
    }

    void fail(const QString& what)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("%1 at %2 in \"%3\"").arg(what).arg(m_pos).arg(m_text);
        m_pos = m_text.size();
    }

    // A bare word up to the next delimiter, or a '...' quoted text.
    QString word(bool valueLike)
    {
        if (peek() == QLatin1Char('\'')) {
            const int end = m_text.indexOf(QLatin1Char('\''), m_pos + 1);
            if (end < 0) {
                fail(QStringLiteral("unterminated quote"));
                return QString();
            }
            const QString quoted = m_text.mid(m_pos + 1, end - m_pos - 1);
            m_pos = end + 1;
            return quoted;
        }
        const int start = m_pos;
        // Values may carry ':' (MAC addresses) and '=' (expressions); names may not.
        while (!atEnd() && !(isDelimiter(peek()) && !(valueLike && (peek() == QLatin1Char(':') || peek() == QLatin1Char('=')))))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    QString attributes()
    {
        QString xml;
        expect(QLatin1Char('{'));
        for (;;) {
            skipSpace();
            if (failed() || peek() == QLatin1Char('}'))
                break;
            const int start = m_pos;
            while (!atEnd() && peek() != QLatin1Char('=') && !peek().isSpace() && peek() != QLatin1Char('}'))
                ++m_pos;
            const QString key = m_text.mid(start, m_pos - start);
            expect(QLatin1Char('='));
            QString value;
            if (peek() == QLatin1Char('\'')) {
                value = word(true);
            } else {
                const int valueStart = m_pos;
                while (!atEnd() && !peek().isSpace() && peek() != QLatin1Char('}'))
                    ++m_pos;
                value = m_text.mid(valueStart, m_pos - valueStart);
            }
            xml += QStringLiteral(" %1=\"%2\"").arg(key, escaped(value));
        }
        expect(QLatin1Char('}'));
        return xml;
    }

    QString item()
    {
        const QString name = word(false);
        if (name.isEmpty()) {
            fail(QStringLiteral("a name expected"));
            return QString();
        }
        QString element = QStringLiteral("Integer");
        QString attrs = QStringLiteral(" name=\"%1\"").arg(escaped(name));
        QString entries;
        if (peek() == QLatin1Char(':')) {
            ++m_pos;
            element = elementByType().value(peek());
            if (element.isEmpty())
                fail(QStringLiteral("unknown type"));
            ++m_pos;
        }
        if (peek() == QLatin1Char('=')) {
            ++m_pos;
            attrs += QStringLiteral(" value=\"%1\"").arg(escaped(word(true)));
        }
        if (peek() == QLatin1Char('(')) {
            ++m_pos;
            for (;;) {
                skipSpace();
                if (failed() || peek() == QLatin1Char(')'))
                    break;
                entries += QStringLiteral("<Entry name=\"%1\"/>").arg(escaped(word(false)));
            }
            expect(QLatin1Char(')'));
        }
        while (peek() == QLatin1Char('#') || peek() == QLatin1Char('!')) {
            const bool level = peek() == QLatin1Char('#');
            ++m_pos;
            attrs += QStringLiteral(" %1=\"%2\"").arg(level ? QStringLiteral("visibility") : QStringLiteral("access"),
                                                       word(false));
        }
        if (peek() == QLatin1Char('{'))
            attrs += attributes();
        if (peek() == QLatin1Char('[')) {
            ++m_pos;
            const QString children = items(true);
            expect(QLatin1Char(']'));
            return QStringLiteral("<Category%1>%2</Category>").arg(attrs, children);
        }
        return QStringLiteral("<%1%2>%3</%1>").arg(element, attrs, entries);
    }

    const QString m_text;
    int m_pos = 0;
    QString m_error;
};

} // namespace

QByteArray toXml(const QString& tree, const QString& role)
{
    Reader reader(tree);
    const QString body = reader.items(false);
    if (reader.failed()) {
        QTest::qFail(qPrintable(QStringLiteral("Malformed node map text: ") + reader.error()), __FILE__, __LINE__);
        return QByteArray();
    }
    return QStringLiteral("<NodeMap role=\"%1\"><Category name=\"Root\">%2</Category></NodeMap>")
        .arg(escaped(role), body)
        .toUtf8();
}

QSharedPointer<ParameterCollection::MemoryParameterCollection>
collection(const QString& tree, const QString& role,
           ParameterCollection::MemoryParameterCollection::TextEncoding encoding)
{
    try {
        return ParameterCollection::MemoryParameterCollection::fromXml(toXml(tree, role), role, encoding);
    } catch (const GenICam::GenericException& e) {
        QTest::qFail(e.GetDescription(), __FILE__, __LINE__);
    }
    return nullptr;
}

} // namespace NodeMapText
