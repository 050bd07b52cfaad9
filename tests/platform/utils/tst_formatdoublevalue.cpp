#include "utils/formatdoublevalue.h"

#include <QtTest>

using Utils::formatDoubleValue;

class TestFormatDoubleValue : public QObject
{
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void zeroIncrementReadsBackAsZero_data();
    void zeroIncrementReadsBackAsZero();
    void fixedTextParsesBackInItsLocale_data();
    void fixedTextParsesBackInItsLocale();
};

void TestFormatDoubleValue::formats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("expected");

    QTest::newRow("point, 2 decimals") << 1234.5 << 2 << 1 << "C" << "1234.50";
    QTest::newRow("comma, 2 decimals") << 1234.5 << 2 << 1 << "de_DE" << "1234,50";
    QTest::newRow("rounds") << 0.125 << 1 << 1 << "C" << "0.1";
    QTest::newRow("no decimals") << 99.6 << 0 << 1 << "C" << "100";
    QTest::newRow("negative decimals count as none") << 12.3 << -3 << 1 << "C" << "12";
    QTest::newRow("negative") << -3.25 << 2 << 1 << "C" << "-3.25";
    QTest::newRow("negative zero") << -0.0 << 1 << 1 << "C" << "0.0";
    QTest::newRow("no flag is fixed") << 2.5 << 1 << 0 << "C" << "2.5";
    QTest::newRow("scientific") << 1.5e10 << 2 << 2 << "C" << "1.50e+10";
    QTest::newRow("scientific comma") << -2.24e12 << 1 << 2 << "de_DE" << "-2,2e+12";
    QTest::newRow("scientific wins over fixed") << 1.0e10 << 0 << 3 << "C" << "1e+10";
}

void TestFormatDoubleValue::formats()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(int, flags);
    QFETCH(QString, localeName);
    QFETCH(QString, expected);

    const QString text = formatDoubleValue(value, decimals, Utils::FormatValueFlags(flags), QLocale(localeName));
    QCOMPARE(text, expected);
}

void TestFormatDoubleValue::zeroIncrementReadsBackAsZero_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("flags");
    for (const char* locale : {"C", "en_US", "de_DE", "fr_FR", "ja_JP"}) {
        for (int decimals : {0, 3}) {
            for (int flags : {1, 2}) {
                QTest::addRow("%s, %d decimals, flag %d", locale, decimals, flags)
                    << QString::fromLatin1(locale) << decimals << flags;
            }
        }
    }
}

void TestFormatDoubleValue::zeroIncrementReadsBackAsZero()
{
    QFETCH(QString, localeName);
    QFETCH(int, decimals);
    QFETCH(int, flags);
    // Range tool tips leave the increment out when its text reads back as 0.0.
    const QString text = formatDoubleValue(0.0, decimals, Utils::FormatValueFlags(flags), QLocale(localeName));
    QCOMPARE(text.toDouble(), 0.0);
    QVERIFY(!text.isEmpty());
}

void TestFormatDoubleValue::fixedTextParsesBackInItsLocale_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::newRow("point") << "en_US";
    QTest::newRow("comma") << "de_DE";
}

void TestFormatDoubleValue::fixedTextParsesBackInItsLocale()
{
    QFETCH(QString, localeName);
    // Spin boxes read their own text back with their locale: no group separators.
    const QLocale locale(localeName);
    for (double v : {0.5, 1234567.25, -98765.125}) {
        bool ok = false;
        const double back = locale.toDouble(formatDoubleValue(v, 3, Utils::FormatFixed, locale), &ok);
        QVERIFY(ok);
        QCOMPARE(back, v);
    }
}

QTEST_GUILESS_MAIN(TestFormatDoubleValue)
#include "tst_formatdoublevalue.moc"
