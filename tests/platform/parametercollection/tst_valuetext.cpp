#include "genicam/genericexception.h"
#include "parametercollection/valuetext.h"

#include <QtTest>

using namespace ParameterCollection;

class TestValueText : public QObject
{
    Q_OBJECT
private slots:
    void parsesIntegers_data();
    void parsesIntegers();
    void rejectsMalformedIntegers_data();
    void rejectsMalformedIntegers();
    void formatsIntegers_data();
    void formatsIntegers();
    void integerTextRoundTrips_data();
    void integerTextRoundTrips();
    void parsesFloatsAndBooleans();
    void imposedPropertyTexts_data();
    void imposedPropertyTexts();
};

void TestValueText::parsesIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("representation");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("decimal") << "1234" << "PureNumber" << qint64(1234);
    QTest::newRow("signed with blanks") << "  -42 " << "Linear" << qint64(-42);
    QTest::newRow("plus sign") << "+7" << "Logarithmic" << qint64(7);
    QTest::newRow("decimal field takes 0x") << "0x1F" << "PureNumber" << qint64(31);
    QTest::newRow("largest") << "9223372036854775807" << "" << std::numeric_limits<qint64>::max();
    QTest::newRow("smallest") << "-9223372036854775808" << "" << std::numeric_limits<qint64>::min();
    QTest::newRow("hex with prefix") << "0xff" << "HexNumber" << qint64(255);
    QTest::newRow("hex without prefix") << "A0" << "HexNumber" << qint64(160);
    QTest::newRow("hex all bits") << "0xFFFFFFFFFFFFFFFF" << "HexNumber" << qint64(-1);
    QTest::newRow("ipv4") << "192.168.0.1" << "IPV4Address" << qint64(0xC0A80001);
    QTest::newRow("ipv4 zero") << "0.0.0.0" << "IPV4Address" << qint64(0);
    QTest::newRow("ipv4 broadcast") << "255.255.255.255" << "IPV4Address" << qint64(0xFFFFFFFF);
    QTest::newRow("mac colons") << "00:11:22:aa:BB:cc" << "MACAddress" << qint64(0x001122AABBCC);
    QTest::newRow("mac dashes") << "00-11-22-AA-BB-CC" << "MACAddress" << qint64(0x001122AABBCC);
    QTest::newRow("mac plain") << "001122AABBCC" << "MACAddress" << qint64(0x001122AABBCC);
    QTest::newRow("boolean word") << "True" << "Boolean" << qint64(1);
    QTest::newRow("boolean digit") << "0" << "Boolean" << qint64(0);
}

void TestValueText::parsesIntegers()
{
    QFETCH(QString, text);
    QFETCH(QString, representation);
    QFETCH(qint64, expected);
    QCOMPARE(ValueText::parseInteger(text, representation), expected);
}

void TestValueText::rejectsMalformedIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("representation");

    QTest::newRow("empty") << "" << "PureNumber";
    QTest::newRow("letters") << "12a" << "PureNumber";
    QTest::newRow("fraction") << "1.5" << "Linear";
    QTest::newRow("exponent") << "1e3" << "PureNumber";
    QTest::newRow("overflow") << "9223372036854775808" << "PureNumber";
    QTest::newRow("lone sign") << "-" << "PureNumber";
    QTest::newRow("bare prefix") << "0x" << "HexNumber";
    QTest::newRow("hex too long") << "0x1FFFFFFFFFFFFFFFF" << "HexNumber";
    QTest::newRow("hex letter") << "0xG1" << "HexNumber";
    QTest::newRow("ipv4 three parts") << "192.168.0" << "IPV4Address";
    QTest::newRow("ipv4 empty part") << "192..0.1" << "IPV4Address";
    QTest::newRow("ipv4 trailing dot") << "1.2.3.4." << "IPV4Address";
    QTest::newRow("ipv4 above 255") << "1.2.3.256" << "IPV4Address";
    QTest::newRow("ipv4 signed part") << "1.2.+3.4" << "IPV4Address";
    QTest::newRow("mac 11 digits") << "00112233445" << "MACAddress";
    QTest::newRow("mac 13 digits") << "0011223344556" << "MACAddress";
    QTest::newRow("mac mixed separators") << "00:11-22:33:44:55" << "MACAddress";
    QTest::newRow("mac not hex") << "00:11:22:33:44:GG" << "MACAddress";
    QTest::newRow("boolean word") << "maybe" << "Boolean";
}

void TestValueText::rejectsMalformedIntegers()
{
    QFETCH(QString, text);
    QFETCH(QString, representation);
    try {
        ValueText::parseInteger(text, representation);
        QFAIL("accepted malformed text");
    } catch (const GenICam::InvalidArgumentException& e) {
        // The message quotes what was rejected, so a user can see the typo.
        QVERIFY2(QString::fromUtf8(e.GetDescription()).startsWith(QLatin1Char('\'') + text + QLatin1Char('\'')),
                 e.GetDescription());
    }
}

void TestValueText::formatsIntegers_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("representation");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal") << qint64(-17) << "PureNumber" << "-17";
    QTest::newRow("hex") << qint64(0xBEEF) << "HexNumber" << "0xBEEF";
    QTest::newRow("ipv4") << qint64(0xC0A80A01) << "IPV4Address" << "192.168.10.1";
    QTest::newRow("mac") << qint64(0x0A0B0C0D0E0F) << "MACAddress" << "0A:0B:0C:0D:0E:0F";
    QTest::newRow("boolean") << qint64(5) << "Boolean" << "1";
}

void TestValueText::formatsIntegers()
{
    QFETCH(qint64, value);
    QFETCH(QString, representation);
    QFETCH(QString, expected);
    QCOMPARE(ValueText::formatInteger(value, representation), expected);
}

void TestValueText::integerTextRoundTrips_data()
{
    QTest::addColumn<QString>("representation");
    for (const char* r : {"PureNumber", "HexNumber", "Linear", "IPV4Address", "MACAddress"})
        QTest::newRow(r) << QString::fromLatin1(r);
}

void TestValueText::integerTextRoundTrips()
{
    QFETCH(QString, representation);
    const bool address = representation == QLatin1String("IPV4Address");
    const bool mac = representation == QLatin1String("MACAddress");
    for (qint64 v : {qint64(0), qint64(1), qint64(0x7F000001), qint64(0xFFFFFFFF), qint64(0xFFFFFFFFFFFF)}) {
        if (address && v > 0xFFFFFFFF)
            continue;
        if (mac && v > 0xFFFFFFFFFFFF)
            continue;
        QCOMPARE(ValueText::parseInteger(ValueText::formatInteger(v, representation), representation), v);
    }
}

void TestValueText::parsesFloatsAndBooleans()
{
    QCOMPARE(ValueText::parseFloat(QStringLiteral(" 2.5e-3 ")), 0.0025);
    QCOMPARE(ValueText::parseFloat(QStringLiteral("-17")), -17.0);
    for (const char* bad : {"", "1,5", "nan", "inf", "1e999", "abc"}) {
        QVERIFY_EXCEPTION_THROWN(ValueText::parseFloat(QString::fromLatin1(bad)), GenICam::InvalidArgumentException);
    }
    QCOMPARE(ValueText::formatFloat(-0.0, 2), QStringLiteral("0.00"));
    QCOMPARE(ValueText::formatFloat(1234.5678, 1), QStringLiteral("1234.6"));
    for (const char* yes : {"1", "TRUE", "on", "Yes"})
        QVERIFY(ValueText::parseBoolean(QString::fromLatin1(yes)));
    for (const char* no : {"0", "false", "OFF", "no"})
        QVERIFY(!ValueText::parseBoolean(QString::fromLatin1(no)));
}

void TestValueText::imposedPropertyTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("visibility"); // -1: not a visibility
    QTest::addColumn<int>("access");     // -1: not an access mode
    QTest::newRow("Beginner") << "Beginner" << int(GenApi::Beginner) << -1;
    QTest::newRow("Invisible") << "Invisible" << int(GenApi::Invisible) << -1;
    QTest::newRow("RW") << "RW" << -1 << int(GenApi::RW);
    QTest::newRow("NI") << "NI" << -1 << int(GenApi::NI);
    QTest::newRow("wrong case") << "guru" << -1 << -1;
    QTest::newRow("padded") << " RO" << -1 << -1;
    QTest::newRow("empty") << "" << -1 << -1;
}

void TestValueText::imposedPropertyTexts()
{
    QFETCH(QString, text);
    QFETCH(int, visibility);
    QFETCH(int, access);
    if (visibility >= 0) {
        QCOMPARE(int(ValueText::parseImposedVisibility(text, QStringLiteral("Gain"))), visibility);
        QCOMPARE(ValueText::formatVisibility(GenApi::EVisibility(visibility)), text);
    } else {
        QVERIFY(!ValueText::visibilityFromText(text));
        try {
            ValueText::parseImposedVisibility(text, QStringLiteral("Gain"));
            QFAIL("an unknown visibility was accepted");
        } catch (const GenICam::InvalidArgumentException& e) {
            QVERIFY2(QString::fromUtf8(e.GetDescription()).endsWith(QLatin1String("for node 'Gain'")),
                     e.GetDescription());
        }
    }
    if (access >= 0) {
        QCOMPARE(int(ValueText::parseImposedAccessMode(text, QStringLiteral("Gain"))), access);
        QCOMPARE(ValueText::formatAccessMode(GenApi::EAccessMode(access)), text);
    } else {
        QVERIFY(!ValueText::accessModeFromText(text));
        QVERIFY_EXCEPTION_THROWN(ValueText::parseImposedAccessMode(text, QStringLiteral("Gain")),
                                 GenICam::InvalidArgumentException);
    }
}

QTEST_GUILESS_MAIN(TestValueText)
#include "tst_valuetext.moc"
