#pragma once

#include "genicam/genericexception.h"
#include "parametercollection/memoryparametercollection.h"

#include <QByteArray>
#include <QHash>
#include <QSharedPointer>
#include <QString>
#include <QTest>

/// Node maps written as one line of text, for tests. The "Root" category is
/// implied; its children are listed separated by white space:
///
///     "Image[Width=640{min=16 max=Limit inc=2} Limit=1000 Format:e=Mono8(Mono8 Mono12)
///      Expert#Expert[Flip:b=false]] Temperature:f=40!RO Reset:c Port:p"
///
/// An item is a name, then in this order, each optional:
///   :t          the type: i integer (the default), f float, b boolean,
///               s string, e enumeration, c command, p port
///   =value      the initial value (in '...' when it holds spaces or marks)
///   (A B)       the entries of an enumeration
///   #Level      the visibility (Beginner, Expert, Guru, Invisible)
///   !Access     the access mode (RW, RO, WO, NA, NI)
///   {k=v ...}   further attributes of the node map format, values in '...'
///               when they hold spaces
///   [ ... ]     children: the item is a category
/// The attributes are those of platform/parametercollection/memory/nodemaps/README.md.
namespace NodeMapText {

namespace Detail {

// Reads the tree text from left to right and writes the XML as it goes.
class Reader
{
public:
    explicit Reader(const QString& text)
        : m_text(text)
    { }

    QString error;

    QString items(bool nested)
    {
        QString xml;
        while (skipSpace(), !atEnd() && error.isEmpty() && !(nested && peek(']')))
            xml += peek(']') ? fail("unexpected ']'") : item();
        return xml;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    bool peek(char c) const { return !atEnd() && m_text.at(m_pos) == QLatin1Char(c); }
    bool take(char c) { return peek(c) ? (++m_pos, true) : false; }
    void expect(char c)
    {
        if (!take(c))
            fail(QStringLiteral("'%1' expected").arg(c));
    }
    void skipSpace()
    {
        while (!atEnd() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    // Keeps the first error and ends the reading; gives the empty text of what failed.
    QString fail(const QString& what)
    {
        if (error.isEmpty())
            error = QStringLiteral("%1 at %2 in \"%3\"").arg(what).arg(m_pos).arg(m_text);
        m_pos = m_text.size();
        return QString();
    }
    // A '...' quoted text, or the characters up to one of `stops` or white space.
    QString word(const char* stops)
    {
        if (take('\'')) {
            const int end = m_text.indexOf(QLatin1Char('\''), m_pos);
            if (end < 0)
                return fail("unterminated quote");
            const QString quoted = m_text.mid(m_pos, end - m_pos);
            m_pos = end + 1;
            return quoted;
        }
        const int start = m_pos;
        while (!atEnd() && !m_text.at(m_pos).isSpace() && !QByteArray(stops).contains(m_text.at(m_pos).toLatin1()))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }
    static QString attribute(const QString& key, const QString& value)
    {
        return QStringLiteral(" %1=\"%2\"").arg(key, value.toHtmlEscaped());
    }

    QString item()
    {
        static const QHash<QChar, QString> elements { { 'i', "Integer" }, { 'f', "Float" },       { 'b', "Boolean" },
                                                      { 's', "String" },  { 'e', "Enumeration" }, { 'c', "Command" },
                                                      { 'p', "Port" } };
        const QString name = word("()[]{}#!=:");
        if (name.isEmpty())
            return fail("a name expected");
        QString element = QStringLiteral("Integer"), attributes = attribute("name", name), entries;
        if (take(':') && (element = elements.value(atEnd() ? QChar() : m_text.at(m_pos++))).isEmpty())
            fail("unknown type");
        if (take('='))
            attributes += attribute("value", word("()[]{}#!")); // values may hold ':' and '='
        if (take('(')) {
            while (skipSpace(), !atEnd() && !peek(')'))
                entries += QStringLiteral("<Entry%1/>").arg(attribute("name", word("()")));
            expect(')');
        }
        while (peek('#') || peek('!')) {
            const char* key = m_text.at(m_pos++) == QLatin1Char('#') ? "visibility" : "access";
            attributes += attribute(key, word("()[]{}#!=:"));
        }
        if (take('{')) {
            while (skipSpace(), !atEnd() && !peek('}')) {
                const QString key = word("=}");
                expect('=');
                attributes += attribute(key, word("}"));
            }
            expect('}');
        }
        if (!take('['))
            return QStringLiteral("<%1%2>%3</%1>").arg(element, attributes, entries);
        const QString children = items(true);
        expect(']');
        return QStringLiteral("<Category%1>%2</Category>").arg(attributes, children);
    }

    const QString m_text;
    int m_pos = 0;
};

} // namespace Detail

/// The node map XML of `tree` for the collection `role`. A malformed text
/// fails the running test and gives an empty node map.
inline QByteArray toXml(const QString& tree, const QString& role = QStringLiteral("@CameraDevice"))
{
    Detail::Reader reader(tree);
    const QString body = reader.items(false);
    if (!reader.error.isEmpty()) {
        QTest::qFail(qPrintable("Malformed node map text: " + reader.error), __FILE__, __LINE__);
        return QByteArray();
    }
    return QStringLiteral("<NodeMap role=\"%1\"><Category name=\"Root\">%2</Category></NodeMap>")
        .arg(role.toHtmlEscaped(), body)
        .toUtf8();
}

/// A collection built from `tree`; fails the running test when it cannot be built.
inline QSharedPointer<ParameterCollection::MemoryParameterCollection>
collection(const QString& tree, const QString& role = QStringLiteral("@CameraDevice"))
{
    try {
        return ParameterCollection::MemoryParameterCollection::fromXml(toXml(tree, role), role);
    } catch (const GenICam::GenericException& e) {
        QTest::qFail(e.GetDescription(), __FILE__, __LINE__);
    }
    return nullptr;
}

} // namespace NodeMapText
