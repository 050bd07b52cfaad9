#include "utils/formatdoublevalue.h"

#include <QtTest>

using Utils::formatDoubleValue;

class TestFormatDoubleValue : public QObject
{
    Q_OBJECT
private slots:
    void formats_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("point") << 1234.5 << 2 << 1 << "C" << "1234.50";
        QTest::newRow("comma, no group separator") << 1234567.5 << 2 << 1 << "de_DE" << "1234567,50";
        QTest::newRow("rounds") << 0.125 << 1 << 1 << "C" << "0.1";
        QTest::newRow("no decimals") << 99.6 << 0 << 1 << "C" << "100";
        QTest::newRow("negative decimals count as none") << 12.3 << -3 << 1 << "C" << "12";
        QTest::newRow("decimals capped") << 0.1 << 40 << 1 << "C" << "0.10000000000000001";
        QTest::newRow("negative") << -3.25 << 2 << 1 << "C" << "-3.25";
        QTest::newRow("negative zero") << -0.0 << 1 << 1 << "C" << "0.0";
        QTest::newRow("no flag is fixed") << 2.5 << 1 << 0 << "C" << "2.5";
        QTest::newRow("scientific") << 1.5e10 << 2 << 2 << "C" << "1.50e+10";
        QTest::newRow("scientific comma") << -2.24e12 << 1 << 2 << "de_DE" << "-2,2e+12";
        QTest::newRow("scientific wins over fixed") << 1.0e10 << 0 << 3 << "C" << "1e+10";
        QTest::newRow("infinite") << -qInf() << 2 << 1 << "de_DE" << "-inf";
        QTest::newRow("not a number") << qQNaN() << 2 << 1 << "C" << "nan";
    }

    void formats()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(int, flags);
        QFETCH(QString, localeName);
        QFETCH(QString, expected);
        QCOMPARE(formatDoubleValue(value, decimals, Utils::FormatValueFlags(flags), QLocale(localeName)), expected);
    }

    void readsBackInItsLocale()
    {
        // Spin boxes read their own text back with their locale, and range tool
        // tips leave out an increment whose text reads back as 0.
        for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "ja_JP"}) {
            const QLocale locale(name);
            for (double value : {0.0, 0.5, 1234567.25, -98765.125}) {
                bool ok = false;
                QCOMPARE(locale.toDouble(formatDoubleValue(value, 3, Utils::FormatFixed, locale), &ok), value);
                QVERIFY2(ok, name);
            }
            for (int flags : {1, 2}) {
                for (int decimals : {0, 3}) {
                    bool ok = false;
                    QCOMPARE(locale.toDouble(formatDoubleValue(0.0, decimals, Utils::FormatValueFlags(flags), locale), &ok), 0.0);
                    QVERIFY2(ok, name);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFormatDoubleValue)
#include "tst_formatdoublevalue.moc"
