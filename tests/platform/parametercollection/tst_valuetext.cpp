#include "genicam/genericexception.h"
#include "parametercollection/valuetext.h"

#include <QtTest>

using namespace ParameterCollection;

class TestValueText : public QObject
{
    Q_OBJECT
private slots:
    void parses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("representation"); // of an integer, or "float", or "boolean"
        QTest::addColumn<QString>("expected");       // the value in decimal; empty: refused
        const char* const rows[][3] = {
            {"1234", "PureNumber", "1234"}, {"  -42 ", "Linear", "-42"}, {"+7", "Logarithmic", "7"},
            {"0x1F", "PureNumber", "31"}, {"-0x10", "", "-16"}, {"9223372036854775807", "", "9223372036854775807"},
            {"-9223372036854775808", "", "-9223372036854775808"}, {"0xff", "HexNumber", "255"}, {"A0", "HexNumber", "160"},
            {"0xFFFFFFFFFFFFFFFF", "HexNumber", "-1"}, {"192.168.0.1", "IPV4Address", "3232235521"},
            {"0.0.0.0", "IPV4Address", "0"}, {"255.255.255.255", "IPV4Address", "4294967295"},
            {"00:11:22:aa:BB:cc", "MACAddress", "73596058572"}, {"00-11-22-AA-BB-CC", "MACAddress", "73596058572"},
            {"001122AABBCC", "MACAddress", "73596058572"}, {"True", "Boolean", "1"}, {"0", "Boolean", "0"},
            {" 2.5e-3 ", "float", "0.0025"}, {"-17", "float", "-17"},
            {"1", "boolean", "1"}, {"TRUE", "boolean", "1"}, {"on", "boolean", "1"}, {"Yes", "boolean", "1"},
            {"0", "boolean", "0"}, {"false", "boolean", "0"}, {" OFF", "boolean", "0"}, {"no", "boolean", "0"},
            // refused
            {"", "PureNumber", ""}, {"12a", "PureNumber", ""}, {"1.5", "Linear", ""}, {"1e3", "PureNumber", ""},
            {"9223372036854775808", "PureNumber", ""}, {"-", "PureNumber", ""}, {"0x", "HexNumber", ""},
            {"0x1FFFFFFFFFFFFFFFF", "HexNumber", ""}, {"0xG1", "HexNumber", ""}, {"192.168.0", "IPV4Address", ""},
            {"192..0.1", "IPV4Address", ""}, {"1.2.3.4.", "IPV4Address", ""}, {"1.2.3.256", "IPV4Address", ""},
            {"1.2.+3.4", "IPV4Address", ""}, {"1.2.3.0004", "IPV4Address", ""}, {"00112233445", "MACAddress", ""},
            {"0011223344556", "MACAddress", ""}, {"00:11-22:33:44:55", "MACAddress", ""},
            {"00.11.22.33.44.55", "MACAddress", ""}, {"00:11:22:33:44:GG", "MACAddress", ""}, {"maybe", "Boolean", ""},
            {"", "float", ""}, {"1,5", "float", ""}, {"nan", "float", ""}, {"inf", "float", ""}, {"1e999", "float", ""},
            {"abc", "float", ""}, {"", "boolean", ""}, {"of", "boolean", ""}, {"yes no", "boolean", ""}};
        for (const auto& row : rows)
            QTest::addRow("%s '%s'", row[1], row[0]) << row[0] << row[1] << row[2];
    }

    void parses()
    {
        QFETCH(QString, text);
        QFETCH(QString, representation);
        QFETCH(QString, expected);
        try {
            QString value;
            if (representation == QLatin1String("float"))
                value = QString::number(ValueText::parseFloat(text));
            else if (representation == QLatin1String("boolean"))
                value = QString::number(ValueText::parseBoolean(text));
            else
                value = QString::number(ValueText::parseInteger(text, representation));
            QCOMPARE(value, expected);
        } catch (const GenICam::InvalidArgumentException& e) {
            // The message quotes what was refused, so that a user sees the typo.
            QVERIFY2(expected.isEmpty() && QString::fromUtf8(e.GetDescription()).startsWith("'" + text + "' is not"),
                     e.GetDescription());
        }
    }

    void formats_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("representation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("decimal") << qint64(-17) << "PureNumber" << "-17";
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "Linear" << "-9223372036854775808";
        QTest::newRow("hex") << qint64(0xBEEF) << "HexNumber" << "0xBEEF";
        QTest::newRow("hex all bits") << qint64(-1) << "HexNumber" << "0xFFFFFFFFFFFFFFFF";
        QTest::newRow("ipv4") << qint64(0xC0A80A01) << "IPV4Address" << "192.168.10.1";
        QTest::newRow("ipv4 all bits") << qint64(0xFFFFFFFF) << "IPV4Address" << "255.255.255.255";
        QTest::newRow("mac") << qint64(0x0A0B0C0D0E0F) << "MACAddress" << "0A:0B:0C:0D:0E:0F";
        QTest::newRow("mac all bits") << qint64(0xFFFFFFFFFFFF) << "MACAddress" << "FF:FF:FF:FF:FF:FF";
        QTest::newRow("boolean") << qint64(5) << "Boolean" << "1";
        QTest::newRow("boolean off") << qint64(0) << "Boolean" << "0";
    }

    void formats()
    {
        QFETCH(qint64, value);
        QFETCH(QString, representation);
        QFETCH(QString, expected);
        QCOMPARE(ValueText::formatInteger(value, representation), expected);
        // What is shown can be typed back.
        QCOMPARE(ValueText::parseInteger(expected, representation),
                 representation == QLatin1String("Boolean") ? qint64(value != 0) : value);
    }

    void formatsFloats()
    {
        QCOMPARE(ValueText::formatFloat(-0.0, 2), QString("0.00"));
        QCOMPARE(ValueText::formatFloat(1234.5678, 1), QString("1234.6"));
        QCOMPARE(ValueText::formatFloat(1.5, -3), QString("2"));
        QCOMPARE(ValueText::formatFloat(0.1, 40), QString("0.10000000000000001"));
    }

    void imposedPropertyTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("visibility"); // -1: not a visibility
        QTest::addColumn<int>("access");     // -1: not an access mode
        QTest::newRow("Beginner") << "Beginner" << int(GenApi::Beginner) << -1;
        QTest::newRow("Expert") << "Expert" << int(GenApi::Expert) << -1;
        QTest::newRow("Invisible") << "Invisible" << int(GenApi::Invisible) << -1;
        QTest::newRow("RW") << "RW" << -1 << int(GenApi::RW);
        QTest::newRow("WO") << "WO" << -1 << int(GenApi::WO);
        QTest::newRow("NI") << "NI" << -1 << int(GenApi::NI);
        QTest::newRow("wrong case") << "guru" << -1 << -1;
        QTest::newRow("padded") << " RO" << -1 << -1;
        QTest::newRow("empty") << "" << -1 << -1;
    }

    void imposedPropertyTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, visibility);
        QFETCH(int, access);
        const auto check = [&](int expected, auto parse, auto format, auto fromText, const char* message) {
            if (expected >= 0) {
                QCOMPARE(int(parse(text, "Gain")), expected);
                QCOMPARE(format(decltype(parse(text, "Gain"))(expected)), text);
                return;
            }
            QVERIFY(!fromText(text));
            try {
                parse(text, "Gain");
                QFAIL("an unknown text was accepted");
            } catch (const GenICam::InvalidArgumentException& e) {
                QVERIFY2(QString::fromUtf8(e.GetDescription()).contains(message), e.GetDescription());
            }
        };
        check(visibility, ValueText::parseImposedVisibility, ValueText::formatVisibility, ValueText::visibilityFromText,
              "is no visibility (Beginner, Expert, Guru, Invisible) for node 'Gain'");
        check(access, ValueText::parseImposedAccessMode, ValueText::formatAccessMode, ValueText::accessModeFromText,
              "is no access mode (RW, RO, WO, NA, NI) for node 'Gain'");
        QVERIFY(ValueText::formatVisibility(GenApi::_UndefinedVisibility).isEmpty());
        QVERIFY(ValueText::formatAccessMode(GenApi::_UndefinedAccesMode).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestValueText)
#include "tst_valuetext.moc"
