#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

/// Writes JSON text a person can read and diff: keys in the order they are
/// written, one member per line, and 64-bit integers exactly (QJsonDocument
/// keeps numbers as doubles and sorts keys).
class JsonWriter
{
public:
    void beginObject(const QString& key = QString());
    void endObject();
    void beginArray(const QString& key = QString());
    void endArray();

    void value(const QString& key, const QString& text);
    void value(const QString& key, qint64 number);
    /// A non-finite number is written as null.
    void value(const QString& key, double number);
    void value(const QString& key, bool flag);
    void value(const QString& key, const QStringList& texts);
    /// An array element that is a string.
    void element(const QString& text);
    /// An array element or member written as given, already JSON.
    void raw(const QString& key, const QString& json);

    /// The text written so far, with a final line break once everything is closed.
    QString text() const;

    static QString quoted(const QString& text);

private:
    void member(const QString& key, const QString& json);
    void open(const QString& key, QChar bracket);
    void close(QChar bracket);

    QString m_text;
    QList<bool> m_first; // per open level: nothing written in it yet
};
