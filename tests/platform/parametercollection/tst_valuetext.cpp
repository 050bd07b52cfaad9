#include "genicam/genericexception.h"
#include "parameterchecks.h"
#include "parametercollection/valuetext.h"
#include "utils/formatdoublevalue.h"

#include <QtTest>

using namespace ParameterCollection;

// How values are read from text and shown as text, and the exceptions that refuse a text.
class TestValueText : public QObject
{
    Q_OBJECT
private slots:
    void parses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("representation"); // of an integer, "float" or "boolean"; "=..." also formats back to the text
        QTest::addColumn<QString>("expected");       // the value in decimal; empty: refused
        const char* const rows[][3] = {
            {"1234", "PureNumber", "1234"}, {"  -42 ", "Linear", "-42"}, {"+7", "Logarithmic", "7"}, {"0x1F", "PureNumber", "31"},
            {"-0x10", "", "-16"}, {"-17", "=PureNumber", "-17"}, {"9223372036854775807", "=", "9223372036854775807"},
            {"-9223372036854775808", "=Linear", "-9223372036854775808"}, {"0xff", "HexNumber", "255"}, {"A0", "HexNumber", "160"},
            {"0xBEEF", "=HexNumber", "48879"}, {"0xFFFFFFFFFFFFFFFF", "=HexNumber", "-1"}, {"192.168.0.1", "IPV4Address", "3232235521"},
            {"0.0.0.0", "=IPV4Address", "0"}, {"192.168.10.1", "=IPV4Address", "3232238081"},
            {"255.255.255.255", "=IPV4Address", "4294967295"}, {"00:11:22:aa:BB:cc", "MACAddress", "73596058572"},
            {"00-11-22-AA-BB-CC", "MACAddress", "73596058572"}, {"001122AABBCC", "MACAddress", "73596058572"},
            {"0A:0B:0C:0D:0E:0F", "=MACAddress", "11042563100175"}, {"FF:FF:FF:FF:FF:FF", "=MACAddress", "281474976710655"},
            {"True", "Boolean", "1"}, {"1", "=Boolean", "1"}, {"0", "=Boolean", "0"}, {" 2.5e-3 ", "float", "0.0025"}, {"-17", "float", "-17"},
            {"1", "boolean", "1"}, {"TRUE", "boolean", "1"}, {"on", "boolean", "1"}, {"Yes", "boolean", "1"}, {"0", "boolean", "0"},
            {"false", "boolean", "0"}, {" OFF", "boolean", "0"}, {"no", "boolean", "0"},
            // refused
            {"", "PureNumber", ""}, {"12a", "PureNumber", ""}, {"1.5", "Linear", ""}, {"1e3", "PureNumber", ""},
            {"9223372036854775808", "PureNumber", ""}, {"-", "PureNumber", ""}, {"0x", "HexNumber", ""},
            {"0x1FFFFFFFFFFFFFFFF", "HexNumber", ""}, {"0xG1", "HexNumber", ""}, {"192.168.0", "IPV4Address", ""},
            {"192..0.1", "IPV4Address", ""}, {"1.2.3.4.", "IPV4Address", ""}, {"1.2.3.256", "IPV4Address", ""},
            {"1.2.+3.4", "IPV4Address", ""}, {"1.2.3.0004", "IPV4Address", ""}, {"00112233445", "MACAddress", ""},
            {"0011223344556", "MACAddress", ""}, {"00:11-22:33:44:55", "MACAddress", ""}, {"00.11.22.33.44.55", "MACAddress", ""},
            {"00:11:22:33:44:GG", "MACAddress", ""}, {"maybe", "Boolean", ""}, {"", "float", ""}, {"1,5", "float", ""},
            {"nan", "float", ""}, {"inf", "float", ""}, {"1e999", "float", ""}, {"abc", "float", ""}, {"", "boolean", ""},
            {"of", "boolean", ""}, {"yes no", "boolean", ""}};
        for (const auto& row : rows)
            QTest::addRow("%s '%s'", row[1], row[0]) << row[0] << row[1] << row[2];
    }

    void parses()
    {
        QFETCH(QString, text); QFETCH(QString, representation); QFETCH(QString, expected);
        const QString integer = representation.mid(representation.startsWith('=') ? 1 : 0);
        QString value;
        const QString thrown = thrownBy([&] {
            value = representation == QLatin1String("float")     ? QString::number(ValueText::parseFloat(text))
                  : representation == QLatin1String("boolean") ? QString::number(ValueText::parseBoolean(text))
                                                                : QString::number(ValueText::parseInteger(text, integer));
        });
        // A refusal quotes what was refused, so that a user sees the typo.
        QCOMPARE(thrown.startsWith("InvalidArgument: '" + text + "' is not ") ? QString() : thrown.isEmpty() ? value : thrown, expected);
        if (representation.startsWith('='))
            QCOMPARE(ValueText::formatInteger(expected.toLongLong(), integer), text);
    }

    void formatsDoubles_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("flags"); // 1 fixed, 2 scientific
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("expected");
        const std::tuple<double, int, int, const char*, const char*> rows[] = {
            {1234.5, 2, 1, "C", "1234.50"}, {1234567.5, 2, 1, "de_DE", "1234567,50"}, {0.125, 1, 1, "C", "0.1"}, {99.6, 0, 1, "C", "100"},
            {12.3, -3, 1, "C", "12"}, {0.1, 40, 1, "C", "0.10000000000000001"}, {-3.25, 2, 1, "C", "-3.25"}, {-0.0, 1, 1, "C", "0.0"},
            {2.5, 1, 0, "C", "2.5"}, {1.5e10, 2, 2, "C", "1.50e+10"}, {-2.24e12, 1, 2, "de_DE", "-2,2e+12"}, {1.0e10, 0, 3, "C", "1e+10"},
            {-qInf(), 2, 1, "de_DE", "-inf"}, {qQNaN(), 2, 1, "C", "nan"}};
        for (const auto& [value, decimals, flags, locale, expected] : rows)
            QTest::addRow("%s %d %d %s", expected, decimals, flags, locale) << value << decimals << flags << locale << expected;
    }

    void formatsDoubles()
    {
        QFETCH(double, value); QFETCH(int, decimals); QFETCH(int, flags); QFETCH(QString, localeName); QFETCH(QString, expected);
        QCOMPARE(Utils::formatDoubleValue(value, decimals, Utils::FormatValueFlags(flags), QLocale(localeName)), expected);
    }

    void formatsFloats()
    {
        QCOMPARE(QStringList({ValueText::formatFloat(-0.0, 2), ValueText::formatFloat(1234.5678, 1), ValueText::formatFloat(1.5, -3),
                              ValueText::formatFloat(0.1, 40), ValueText::formatInteger(5, "Boolean")}),
                 QStringList({"0.00", "1234.6", "2", "0.10000000000000001", "1"}));
        // Spin boxes read their own text back with their locale, and range tool tips leave out an increment
        // whose text reads back as 0.
        for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "ja_JP"}) {
            for (const auto& [value, decimals, flags] : std::initializer_list<std::tuple<double, int, int>>{
                     {0.5, 3, 1}, {1234567.25, 3, 1}, {-98765.125, 3, 1}, {0.0, 0, 1}, {0.0, 3, 1}, {0.0, 0, 2}, {0.0, 3, 2}}) {
                bool ok = false;
                const QString text = Utils::formatDoubleValue(value, decimals, Utils::FormatValueFlags(flags), QLocale(name));
                QVERIFY2(QLocale(name).toDouble(text, &ok) == value && ok, qPrintable(text));
            }
        }
    }

    void propertyTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("visibility"); // -1: not a visibility
        QTest::addColumn<int>("access");     // -1: not an access mode
        const std::tuple<const char*, int, int> rows[] = {
            {"Beginner", GenApi::Beginner, -1}, {"Expert", GenApi::Expert, -1}, {"Invisible", GenApi::Invisible, -1}, {"RW", -1, GenApi::RW},
            {"WO", -1, GenApi::WO}, {"NI", -1, GenApi::NI}, {"guru", -1, -1}, {" RO", -1, -1}, {"", -1, -1}};
        for (const auto& [text, visibility, access] : rows)
            QTest::addRow("'%s'", text) << text << visibility << access;
    }

    void propertyTexts()
    {
        QFETCH(QString, text); QFETCH(int, visibility); QFETCH(int, access);
        // Exact spelling only; what is shown reads back, and a refusal names the choices and the node.
        const auto check = [&](int expected, auto fromText, auto format, auto parse, const QString& refusal) {
            const auto value = fromText(text);
            QCOMPARE(value ? int(*value) : -1, expected);
            QCOMPARE(value ? format(*value) : thrownBy([&] { parse(text, "Gain"); }),
                     value ? text : "InvalidArgument: '" + text + "' is no " + refusal + " for node 'Gain'");
            QVERIFY(!value || parse(text, "Gain") == *value);
        };
        check(visibility, ValueText::visibilityFromText, ValueText::formatVisibility, ValueText::parseImposedVisibility,
              "visibility (Beginner, Expert, Guru, Invisible)");
        check(access, ValueText::accessModeFromText, ValueText::formatAccessMode, ValueText::parseImposedAccessMode,
              "access mode (RW, RO, WO, NA, NI)");
        QVERIFY(ValueText::formatVisibility(GenApi::_UndefinedVisibility).isEmpty()
                && ValueText::formatAccessMode(GenApi::_UndefinedAccesMode).isEmpty());
    }

    void genicamExceptions()
    {
        // The classes' type information lives in their own shared library: catches by exact class and by the
        // family's base must both match, siblings must not.
        const unsigned int line = __LINE__ + 2;
        try {
            GENICAM_THROW(OutOfRangeException, "Value 5 is too large");
        } catch (const GenICam::InvalidArgumentException&) {
            QFAIL("caught as a sibling class");
        } catch (const GenICam::OutOfRangeException& e) {
            QVERIFY(QString(e.GetSourceFileName()).endsWith("/tst_valuetext.cpp") && e.GetSourceLine() == line);
            QCOMPARE(QString(e.what()),
                     QString("Value 5 is too large : OutOfRangeException thrown (file 'tst_valuetext.cpp', line %1)").arg(line));
        }
        try {
            GENICAM_THROW(TimeoutException, "t");
        } catch (const GenICam::GenericException& e) {
            QVERIFY(dynamic_cast<const GenICam::TimeoutException*>(&e) && !dynamic_cast<const GenICam::AccessException*>(&e));
            QCOMPARE(QString(e.GetDescription()), QString("t"));
        }
    }
};

QTEST_GUILESS_MAIN(TestValueText)
#include "tst_valuetext.moc"
