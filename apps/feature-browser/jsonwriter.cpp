#include "jsonwriter.h"

#include <QLocale>

#include <cmath>

QString JsonWriter::quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

void JsonWriter::member(const QString& key, const QString& json)
{
    if (!m_first.isEmpty()) {
        if (!m_first.last())
            m_text += QLatin1Char(',');
        m_first.last() = false;
        m_text += QLatin1Char('\n') + QString(2 * m_first.size(), QLatin1Char(' '));
    }
    if (!key.isNull())
        m_text += quoted(key) + QLatin1String(": ");
    m_text += json;
}

void JsonWriter::open(const QString& key, QChar bracket)
{
    member(key, bracket);
    m_first << true;
}

void JsonWriter::close(QChar bracket)
{
    const bool empty = m_first.takeLast();
    if (!empty)
        m_text += QLatin1Char('\n') + QString(2 * m_first.size(), QLatin1Char(' '));
    m_text += bracket;
}

void JsonWriter::beginObject(const QString& key)
{
    open(key, QLatin1Char('{'));
}

void JsonWriter::endObject()
{
    close(QLatin1Char('}'));
}

void JsonWriter::beginArray(const QString& key)
{
    open(key, QLatin1Char('['));
}

void JsonWriter::endArray()
{
    close(QLatin1Char(']'));
}

void JsonWriter::value(const QString& key, const QString& text)
{
    member(key, quoted(text));
}

void JsonWriter::value(const QString& key, qint64 number)
{
    member(key, QString::number(number));
}

void JsonWriter::value(const QString& key, double number)
{
    member(key,
           std::isfinite(number) ? QString::number(number, 'g', QLocale::FloatingPointShortest)
                                 : QStringLiteral("null"));
}

void JsonWriter::value(const QString& key, bool flag)
{
    member(key, flag ? QStringLiteral("true") : QStringLiteral("false"));
}

void JsonWriter::value(const QString& key, const QStringList& texts)
{
    QStringList quotedTexts;
    for (const QString& t : texts)
        quotedTexts << quoted(t);
    member(key, QLatin1Char('[') + quotedTexts.join(QLatin1String(", ")) + QLatin1Char(']'));
}

void JsonWriter::element(const QString& text)
{
    member(QString(), quoted(text));
}

void JsonWriter::raw(const QString& key, const QString& json)
{
    member(key, json);
}

QString JsonWriter::text() const
{
    return m_first.isEmpty() ? m_text + QLatin1Char('\n') : m_text;
}
