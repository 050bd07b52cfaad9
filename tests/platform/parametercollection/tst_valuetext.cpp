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
        QTest::addColumn<QString>("representation"); // of an integer ("=...": also formats back to the text), or "float"
        QTest::addColumn<QString>("expected");       // the value in decimal; empty: refused
        const char* const rows[][3] = {
            {"1234", "PureNumber", "1234"}, {"  -42 ", "Linear", "-42"}, {"+7", "Logarithmic", "7"}, {"0x1F", "", "31"},
            {"-0x10", "", "-16"}, {"-17", "=PureNumber", "-17"}, {"9223372036854775807", "=", "9223372036854775807"},
            {"-9223372036854775808", "=Linear", "-9223372036854775808"}, {"0xff", "HexNumber", "255"},
            {"A0", "HexNumber", "160"}, {"0xBEEF", "=HexNumber", "48879"}, {"0xFFFFFFFFFFFFFFFF", "=HexNumber", "-1"},
            {"192.168.0.1", "IPV4Address", "3232235521"}, {"0.0.0.0", "=IPV4Address", "0"},
            {"192.168.10.1", "=IPV4Address", "3232238081"}, {"255.255.255.255", "=IPV4Address", "4294967295"},
            {"00:11:22:aa:BB:cc", "MACAddress", "73596058572"}, {"00-11-22-AA-BB-CC", "MACAddress", "73596058572"},
            {"001122AABBCC", "MACAddress", "73596058572"}, {"0A:0B:0C:0D:0E:0F", "=MACAddress", "11042563100175"},
            {"FF:FF:FF:FF:FF:FF", "=MACAddress", "281474976710655"}, {"True", "Boolean", "1"}, {"1", "=Boolean", "1"},
            {"0", "=Boolean", "0"}, {" 2.5e-3 ", "float", "0.0025"}, {"-17", "float", "-17"}, {"1", "boolean", "1"},
            {"TRUE", "boolean", "1"}, {"on", "boolean", "1"}, {"Yes", "boolean", "1"}, {"0", "boolean", "0"},
            {"false", "boolean", "0"}, {" OFF", "boolean", "0"}, {"no", "boolean", "0"},
            // refused
            {"", "PureNumber", ""}, {"12a", "PureNumber", ""}, {"1.5", "Linear", ""}, {"1e3", "PureNumber", ""},
            {"9223372036854775808", "", ""}, {"-", "", ""}, {"0x", "HexNumber", ""}, {"0xG1", "HexNumber", ""},
            {"0x1FFFFFFFFFFFFFFFF", "HexNumber", ""}, {"192.168.0", "IPV4Address", ""}, {"192..0.1", "IPV4Address", ""},
            {"1.2.3.4.", "IPV4Address", ""}, {"1.2.3.256", "IPV4Address", ""}, {"1.2.+3.4", "IPV4Address", ""},
            {"1.2.3.0004", "IPV4Address", ""}, {"00112233445", "MACAddress", ""}, {"0011223344556", "MACAddress", ""},
            {"00:11-22:33:44:55", "MACAddress", ""}, {"00.11.22.33.44.55", "MACAddress", ""},
            {"00:11:22:33:44:GG", "MACAddress", ""}, {"maybe", "Boolean", ""}, {"", "float", ""}, {"1,5", "float", ""},
            {"nan", "float", ""}, {"inf", "float", ""}, {"1e999", "float", ""}, {"abc", "float", ""}, {"", "boolean", ""},
            {"of", "boolean", ""}, {"yes no", "boolean", ""},
            // signed hexadecimal is a number and must fit; unsigned is the 64-bit pattern
            {"-0x8000000000000000", "", "-9223372036854775808"}, {"0x8000000000000000", "", "-9223372036854775808"},
            {"-0xFFFFFFFFFFFFFB00", "", ""}, {"-0x8000000000000001", "", ""}, {"+0x8000000000000000", "", ""},
            {"0x-1", "HexNumber", ""}, {"0x+1", "", ""}, {"0x 1", "HexNumber", ""}};
        for (const auto& row : rows)
            QTest::addRow("%s '%s'", row[1], row[0]) << row[0] << row[1] << row[2];
    }
    void parses()
    {
        QFETCH(QString, text); QFETCH(QString, representation); QFETCH(QString, expected);
        const QString integer = representation.mid(representation.startsWith('=') ? 1 : 0);
        QString value;
        const QString thrown = thrownBy([&] {
            value = representation == "float"     ? QString::number(ValueText::parseFloat(text))
                  : representation == "boolean" ? QString::number(ValueText::parseBoolean(text))
                                                  : QString::number(ValueText::parseInteger(text, integer));
        });
        // A refusal quotes what was refused, so that a user sees the typo.
        const bool refused = thrown.startsWith("InvalidArgument: '" + text + "' is not ");
        QCOMPARE(refused ? QString() : thrown.isEmpty() ? value : thrown, expected);
        if (representation.startsWith('='))
            QCOMPARE(ValueText::formatInteger(expected.toLongLong(), integer), text);
    }

    // Utils::formatDoubleValue (flags: 1 fixed, 2 scientific). Spin boxes read their own text back with their locale,
    // and range tool tips leave out an increment whose text reads back as 0.
    void formatsDoubles()
    {
        const auto format = [](double value, int decimals, int flags, const char* locale) {
            return Utils::formatDoubleValue(value, decimals, Utils::FormatValueFlags(flags), QLocale(locale));
        };
        const std::tuple<double, int, int, const char*, const char*> rows[] = {
            {1234.5, 2, 1, "C", "1234.50"}, {1234567.5, 2, 1, "de_DE", "1234567,50"}, {0.125, 1, 1, "C", "0.1"},
            {99.6, 0, 1, "C", "100"}, {12.3, -3, 1, "C", "12"}, {0.1, 40, 1, "C", "0.10000000000000001"},
            {-3.25, 2, 1, "C", "-3.25"}, {-0.0, 1, 1, "C", "0.0"}, {2.5, 1, 0, "C", "2.5"}, {1.5e10, 2, 2, "C", "1.50e+10"},
            {-2.24e12, 1, 2, "de_DE", "-2,2e+12"}, {1.0e10, 0, 3, "C", "1e+10"}, {qQNaN(), 2, 1, "C", "nan"},
            {-qInf(), 2, 1, "de_DE", "-inf"}};
        for (const auto& [value, decimals, flags, locale, expected] : rows)
            QCOMPARE(format(value, decimals, flags, locale), QString(expected));
        for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "ja_JP"}) {
            for (const auto& [value, decimals, flags] : std::initializer_list<std::tuple<double, int, int>>{
                     {0.5, 3, 1}, {1234567.25, 3, 1}, {-98765.125, 3, 1}, {0, 0, 1}, {0, 3, 1}, {0, 0, 2}, {0, 3, 2}}) {
                bool ok = false;
                const QString text = format(value, decimals, flags, name);
                QVERIFY2(QLocale(name).toDouble(text, &ok) == value && ok, qPrintable(text));
            }
        }
    }

    void formatsFloats()
    {
        // Automatic notation is fixed-point but where that would be too long or show no digit.
        QStringList shown{ValueText::formatFloat(-0.0, 2), ValueText::formatFloat(1234.5678, 1),
                          ValueText::formatFloat(1.5, -3), ValueText::formatFloat(0.1, 40),
                          ValueText::formatFloat(1e10, 1), ValueText::formatInteger(5, "Boolean")};
        for (double value : {999999999.0, 1e9, -1e9, 0.005, 0.004, -0.004, 0.0})
            shown << ValueText::formatFloat(value, 2, NotationAutomatic);
        QCOMPARE(shown << ValueText::formatFloat(-12.34, 1, NotationScientific),
                 QStringList({"0.00", "1234.6", "2", "0.10000000000000001", "10000000000.0", "1", "999999999.00", "1.00e+09",
                              "-1.00e+09", "0.01", "4.00e-03", "-4.00e-03", "0.00", "-1.2e+01"}));
    }

    void propertyTexts()
    {
        // Exact spelling only; what is shown reads back, and a refusal names the choices and the node.
        const std::pair<const char*, const char*> texts[] = {
            {"Beginner", "v"}, {"Expert", "v"}, {"Guru", "v"}, {"Invisible", "v"}, {"RW", "a"}, {"RO", "a"},
            {"WO", "a"}, {"NA", "a"}, {"NI", "a"}, {"guru", ""}, {" RO", ""}, {"", ""}};
        for (const auto& entry : texts) {
            const char *text = entry.first, *kind = entry.second; // lambdas capture no structured bindings before C++20
            const auto visibility = ValueText::visibilityFromText(text);
            const auto access = ValueText::accessModeFromText(text);
            const auto refused = [&](const char* what) {
                return QString("InvalidArgument: '%1' is no %2 for node 'Gain'").arg(text, what);
            };
            QCOMPARE(QString(visibility ? "v" : "") + (access ? "a" : ""), QString(kind));
            QCOMPARE(visibility ? ValueText::formatVisibility(*visibility) : access ? ValueText::formatAccessMode(*access)
                                                                                    : text, QString(text));
            QCOMPARE(thrownBy([&] { ValueText::parseImposedVisibility(text, "Gain"); }),
                     visibility ? QString() : refused("visibility (Beginner, Expert, Guru, Invisible)"));
            QCOMPARE(thrownBy([&] { ValueText::parseImposedAccessMode(text, "Gain"); }),
                     access ? QString() : refused("access mode (RW, RO, WO, NA, NI)"));
        }
        QCOMPARE(QList<int>({*ValueText::visibilityFromText("Expert"), *ValueText::accessModeFromText("WO"),
                             ValueText::parseImposedVisibility("Invisible", ""),
                             ValueText::parseImposedAccessMode("NI", "")}),
                 QList<int>({GenApi::Expert, GenApi::WO, GenApi::Invisible, GenApi::NI}));
        QVERIFY(ValueText::formatVisibility(GenApi::_UndefinedVisibility).isEmpty()
                && ValueText::formatAccessMode(GenApi::_UndefinedAccesMode).isEmpty());
    }

    void genicamExceptions()
    {
        // what() tells the description, the class and where it was thrown. The classes' type information lives in
        // their own library: catches by class and by family must match there, and siblings must not.
        const unsigned int line = __LINE__ + 1;
        const auto raise = [] { GENICAM_THROW(OutOfRangeException, "Value 5 is too large"); };
        try {
            raise();
        } catch (const GenICam::GenericException& e) {
            QVERIFY(dynamic_cast<const GenICam::OutOfRangeException*>(&e) && e.GetSourceLine() == line);
            QVERIFY(QString(e.GetSourceFileName()).endsWith("/tst_valuetext.cpp"));
            QCOMPARE(QString(e.what()), QString("Value 5 is too large : OutOfRangeException thrown "
                                                "(file 'tst_valuetext.cpp', line %1)").arg(line));
        }
        QCOMPARE(thrownBy(raise), QString("OutOfRange: Value 5 is too large"));
    }
};

QTEST_GUILESS_MAIN(TestValueText)
#include "tst_valuetext.moc"
