#pragma once

// The few places where Qt 5.15 and Qt 6 differ in API, each answered once so
// that the rest of the code reads the same with both. Private: never installed.

#include <QtGlobal>

#include <QByteArray>
#include <QLibraryInfo>
#include <QLocale>
#include <QSortFilterProxyModel>
#include <QString>
#include <QTextStream>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringConverter>
#include <QStringDecoder>
#else
#include <QTextCodec>
#endif

namespace QtCompat {

/// The bytes as UTF-8; *ok turns false on an invalid or truncated sequence.
inline QString fromUtf8Strict(const QByteArray& bytes, bool* ok)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    *ok = !decoder.hasError();
#else
    QTextCodec::ConverterState state(QTextCodec::ConvertInvalidToNull);
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    *ok = state.invalidChars == 0 && state.remainingChars == 0;
#endif
    return text;
}

/// Makes the stream write UTF-8 whatever the locale says.
inline void setUtf8(QTextStream& stream)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    stream.setEncoding(QStringConverter::Utf8);
#else
    stream.setCodec("UTF-8");
#endif
}

/// Where Qt's own translations are installed.
inline QString qtTranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

/// The proxy's filter pattern as last set, whichever kind of expression holds
/// it (Qt 5 keeps fixed strings and wildcards in a QRegExp; Qt 6 has only the
/// QRegularExpression, where a fixed string arrives escaped).
inline QString filterPattern(const QSortFilterProxyModel& proxy)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return proxy.filterRegularExpression().pattern();
#else
    const QString regExp = proxy.filterRegExp().pattern();
    return regExp.isEmpty() ? proxy.filterRegularExpression().pattern() : regExp;
#endif
}

/// The shortest text that reads back as the same double, in the form Qt 5
/// chooses: exponent form for 10^-4 > |v| and for numbers with more than five
/// zeros before the point (Qt 6 writes 100000 as 1e+05 and 0.0001 as 1e-04).
inline QString shortestNumber(double value)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    if (!qIsFinite(value))
        return QString::number(value, 'g', QLocale::FloatingPointShortest);
    const QString exponentForm = QString::number(value, 'e', QLocale::FloatingPointShortest);
    const int e = exponentForm.indexOf(QLatin1Char('e'));
    int digits = 0;
    for (int i = 0; i < e; ++i)
        digits += exponentForm.at(i).isDigit() ? 1 : 0;
    const int point = exponentForm.mid(e + 1).toInt() + 1; // digits before the decimal point
    if (point > 0 ? point > digits + 5 : point < -3)
        return exponentForm;
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
#else
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
#endif
}

} // namespace QtCompat
