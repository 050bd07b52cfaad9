#include "widgets/qipaddressvalidator.h"
#include "widgets/qipaddresswithnetmaskvalidator.h"
#include "widgets/qipnetmaskvalidator.h"
#include "widgets/qmacaddressvalidator.h"

#include <QHostAddress>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

constexpr int Invalid = QValidator::Invalid;
constexpr int Intermediate = QValidator::Intermediate;
constexpr int Acceptable = QValidator::Acceptable;

// Asks a validator about a text the way a line edit does, cursor at the end,
// and checks that validate() left the text alone (only fixup() may rewrite).
int verdict(const QValidator& validator, const QString& input, int* pos = nullptr)
{
    QString text = input;
    int cursor = int(text.size());
    const int state = validator.validate(text, cursor);
    if (pos)
        *pos = cursor;
    return text == input ? state : -1;
}

} // namespace

class TestAddressValidators : public QObject
{
    Q_OBJECT
private slots:
    void ipAddress_data();
    void ipAddress();
    void netmask_data();
    void netmask();
    void netmaskFixup();
    void addressWithNetmask_data();
    void addressWithNetmask();
    void addressWithNetmaskFollowsTheMaskField();
    void addressWithNetmaskSignalsOptionChanges();
    void macAddress_data();
    void macAddress();
};

void TestAddressValidators::ipAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << "" << Intermediate;
    QTest::newRow("two dots") << "192.168.1" << Intermediate;
    QTest::newRow("trailing third dot") << "192.168.1." << Intermediate;
    QTest::newRow("four dots") << "192.168.1.1.1" << Invalid;
    QTest::newRow("empty third part") << "192.168..1" << Intermediate;
    QTest::newRow("empty first part") << ".168.1.1" << Intermediate;
    QTest::newRow("0.0.0.7") << "0.0.0.7" << Intermediate;
    QTest::newRow("0.0.0.255") << "0.0.0.255" << Intermediate;
    QTest::newRow("0.0.1.0") << "0.0.1.0" << Acceptable;
    QTest::newRow("host") << "192.168.1.10" << Acceptable;
    QTest::newRow("255.255.255.255") << "255.255.255.255" << Acceptable;
    QTest::newRow("blanks around") << " 10.0.0.1 " << Acceptable;
    QTest::newRow("256") << "192.168.1.256" << Invalid;
    QTest::newRow("300, unfinished") << "300.1" << Invalid;
    // Forms QHostAddress reads as another address than they show.
    QTest::newRow("octal") << "192.168.1.010" << Invalid;
    QTest::newRow("hexadecimal") << "192.168.1.0x1" << Invalid;
    QTest::newRow("sign") << "1.2.3.+4" << Invalid;
    QTest::newRow("letters") << "abc" << Invalid;
    QTest::newRow("blank inside a part") << "1 2.3.4.5" << Invalid;
    QTest::newRow("prefix suffix") << "192.168.1.0/24" << Invalid;
}

void TestAddressValidators::ipAddress()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(verdict(QIpAddressValidator(), text), expected);
}

void TestAddressValidators::netmask_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("/24") << "255.255.255.0" << Acceptable;
    QTest::newRow("/1") << "128.0.0.0" << Acceptable;
    QTest::newRow("/30") << "255.255.255.252" << Acceptable;
    QTest::newRow("/31") << "255.255.255.254" << Intermediate;
    QTest::newRow("/32") << "255.255.255.255" << Intermediate;
    QTest::newRow("null mask") << "0.0.0.0" << Intermediate;
    QTest::newRow("no leading one") << "127.0.0.0" << Intermediate;
    QTest::newRow("gap") << "255.0.255.0" << Intermediate;
    QTest::newRow("one bit at the end") << "255.255.255.1" << Intermediate;
    QTest::newRow("unfinished") << "255.255" << Intermediate;
    QTest::newRow("four dots") << "255.255.255.0.0" << Invalid;
    QTest::newRow("above 255") << "255.255.255.300" << Invalid;
    // The prefix form: /0 to /32 as typed, never refused.
    QTest::newRow("prefix 24") << "/24" << Acceptable;
    QTest::newRow("prefix 32") << "/32" << Acceptable;
    QTest::newRow("prefix, blanks") << " / 24 " << Acceptable;
    QTest::newRow("prefix 33") << "/33" << Intermediate;
    QTest::newRow("prefix letter") << "/x" << Intermediate;
    QTest::newRow("bare slash") << "/" << Intermediate;
    QTest::newRow("prefix, three digits") << "/024" << Intermediate;
}

void TestAddressValidators::netmask()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(verdict(QIpNetmaskValidator(), text), expected);
}

void TestAddressValidators::netmaskFixup()
{
    // "/n" becomes the dotted mask of n one bits, judged like any mask.
    const QIpNetmaskValidator validator;
    for (int length = 0; length <= 32; ++length) {
        QString text = QStringLiteral("/%1").arg(length);
        validator.fixup(text);
        QCOMPARE(int(QHostAddress(text).toIPv4Address()), int(length ? ~0u << (32 - length) : 0u));
        QCOMPARE(verdict(validator, text) == Acceptable, length >= 1 && length <= 30);
    }
    QString blanks = QStringLiteral(" /16 ");
    validator.fixup(blanks);
    QCOMPARE(blanks, QStringLiteral("255.255.0.0"));
    // Anything else is left as typed.
    for (const char* typed : { "/33", "/x", "/", "255.0.255.0" }) {
        QString text = QLatin1String(typed);
        validator.fixup(text);
        QCOMPARE(text, QLatin1String(typed));
    }
}

void TestAddressValidators::addressWithNetmask_data()
{
    QTest::addColumn<QString>("mask"); // null: no netmask line edit
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    const QString m24 = QStringLiteral("255.255.255.0");
    const QStringList none;
    const QStringList null { QStringLiteral("allowNullAddress") };
    const QStringList loop { QStringLiteral("allowLoopbackAddress") };
    const QStringList bcast { QStringLiteral("allowBroadcastAddress") };
    const QStringList mcast { QStringLiteral("allowMulticastAddress") };
    const QStringList exper { QStringLiteral("allowExperimentalPurposeAddress") };

    QTest::newRow("host") << m24 << none << "192.168.1.10" << Acceptable;
    QTest::newRow("network") << m24 << none << "192.168.1.0" << Intermediate;
    QTest::newRow("broadcast") << m24 << none << "192.168.1.255" << Intermediate;
    QTest::newRow("network, allowed") << m24 << bcast << "192.168.1.0" << Acceptable;
    QTest::newRow("broadcast, allowed") << m24 << bcast << "192.168.1.255" << Acceptable;
    QTest::newRow("/30 host") << "255.255.255.252" << none << "10.0.0.2" << Acceptable;
    QTest::newRow("/30 broadcast") << "255.255.255.252" << none << "10.0.0.7" << Intermediate;
    QTest::newRow("/8 host ending in 0") << "255.0.0.0" << none << "10.1.0.0" << Acceptable;
    // A prefix is judged by the dotted mask it stands for.
    QTest::newRow("prefix host") << "/24" << none << "192.168.1.10" << Acceptable;
    QTest::newRow("prefix network") << "/24" << none << "192.168.1.0" << Intermediate;
    QTest::newRow("prefix /0") << "/0" << none << "192.168.1.10" << Intermediate;
    QTest::newRow("prefix /32") << "/32" << none << "192.168.1.10" << Intermediate;
    // Only together with a usable mask.
    QTest::newRow("empty mask") << "" << none << "192.168.1.10" << Intermediate;
    QTest::newRow("gap in mask") << "255.0.255.0" << none << "192.168.1.10" << Intermediate;
    QTest::newRow("empty mask, loopback allowed") << "" << loop << "127.0.0.1" << Acceptable;
    QTest::newRow("empty mask, null allowed") << "" << null << "0.0.0.0" << Acceptable;
    QTest::newRow("empty") << m24 << none << "" << Intermediate;
    QTest::newRow("empty, allowed") << m24 << null << " " << Acceptable;
    QTest::newRow("0.0.0.0") << m24 << none << "0.0.0.0" << Intermediate;
    QTest::newRow("0.0.0.7, null allowed") << m24 << null << "0.0.0.7" << Intermediate;
    QTest::newRow("loopback") << m24 << none << "127.0.0.1" << Intermediate;
    QTest::newRow("loopback broadcast, allowed") << m24 << loop << "127.255.255.255" << Acceptable;
    QTest::newRow("below loopback") << m24 << none << "126.255.255.1" << Acceptable;
    QTest::newRow("below multicast") << m24 << none << "223.255.255.1" << Acceptable;
    QTest::newRow("multicast") << m24 << none << "224.0.0.1" << Intermediate;
    QTest::newRow("multicast, allowed") << m24 << mcast << "224.0.0.1" << Acceptable;
    QTest::newRow("last multicast") << m24 << none << "239.255.255.1" << Intermediate;
    QTest::newRow("experimental") << m24 << mcast << "240.0.0.1" << Intermediate;
    QTest::newRow("experimental, allowed") << m24 << exper << "240.0.0.1" << Acceptable;
    QTest::newRow("limited broadcast") << m24 << bcast << "255.255.255.255" << Intermediate;
    QTest::newRow("limited broadcast, allowed") << m24 << (bcast + exper) << "255.255.255.255" << Acceptable;
    QTest::newRow("limited broadcast, experimental") << m24 << exper << "255.255.255.255" << Intermediate;
    QTest::newRow("four dots") << m24 << none << "192.168.1.1.1" << Intermediate;
    QTest::newRow("octal") << m24 << none << "192.168.1.010" << Intermediate;
    QTest::newRow("no mask field, network") << QString() << none << "192.168.1.0" << Acceptable;
    QTest::newRow("no mask field, multicast") << QString() << none << "224.0.0.1" << Intermediate;
}

void TestAddressValidators::addressWithNetmask()
{
    QFETCH(QString, mask);
    QFETCH(QStringList, options);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QLineEdit netmaskEdit(mask);
    QIpAddressWithNetmaskValidator validator(mask.isNull() ? nullptr : &netmaskEdit);
    for (const QString& option : options)
        QVERIFY2(validator.setProperty(qPrintable(option), true), qPrintable(option));
    QCOMPARE(verdict(validator, text), expected);
}

void TestAddressValidators::addressWithNetmaskFollowsTheMaskField()
{
    auto netmaskEdit = std::make_unique<QLineEdit>();
    const QIpAddressWithNetmaskValidator validator(netmaskEdit.get());
    const QString address = QStringLiteral("10.1.255.255");
    QCOMPARE(verdict(validator, address), Intermediate);
    netmaskEdit->setText(QStringLiteral("255.0.0.0"));
    QCOMPARE(verdict(validator, address), Acceptable);
    netmaskEdit->setText(QStringLiteral("255.255.0.0"));
    QCOMPARE(verdict(validator, address), Intermediate);
    // Once the mask field is gone, the subnet is no longer checked.
    netmaskEdit.reset();
    QCOMPARE(verdict(validator, address), Acceptable);
}

void TestAddressValidators::addressWithNetmaskSignalsOptionChanges()
{
    QIpAddressWithNetmaskValidator validator;
    QSignalSpy changed(&validator, &QValidator::changed);
    for (const char* option : { "allowLoopbackAddress", "allowNullAddress", "allowBroadcastAddress",
                                "allowMulticastAddress", "allowExperimentalPurposeAddress" }) {
        const int before = changed.count();
        validator.setProperty(option, true);
        validator.setProperty(option, true);
        QCOMPARE(changed.count(), before + 1);
    }
    validator.setAllowMulticastAddress(false);
    QCOMPARE(changed.count(), 6);
}

void TestAddressValidators::macAddress_data()
{
    QTest::addColumn<QString>("separators"); // null: the default " :-"
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("refusedAt"); // -1: the position is left alone
    const QString byDefault;
    QTest::newRow("empty") << byDefault << "" << Acceptable << -1;
    QTest::newRow("colons") << byDefault << "00:11:22:33:44:55" << Acceptable << -1;
    QTest::newRow("hyphens") << byDefault << "00-11-22-33-44-55" << Acceptable << -1;
    QTest::newRow("blanks") << byDefault << "00 11 22 33 44 55" << Acceptable << -1;
    QTest::newRow("bare") << byDefault << "001122334455" << Acceptable << -1;
    QTest::newRow("mixed") << byDefault << "00-11-22 33:44:55" << Acceptable << -1;
    QTest::newRow("leading separator") << byDefault << ":001122334455" << Acceptable << -1;
    QTest::newRow("mixed case") << byDefault << "aA:bB:cC:dD:eE:fF" << Acceptable << -1;
    QTest::newRow("separators only") << byDefault << ":: --" << Intermediate << -1;
    QTest::newRow("11 digits") << byDefault << "00:11:22:33:44:5" << Intermediate << -1;
    QTest::newRow("13 digits") << byDefault << "00:11:22:33:44:556" << Invalid << -1;
    QTest::newRow("dot") << byDefault << "00.11" << Invalid << 2;
    QTest::newRow("not hexadecimal") << byDefault << "00:11:22:33:44:5g" << Invalid << 16;
    QTest::newRow("custom dot") << QStringLiteral(".") << "00.11.22.33.44.55" << Acceptable << -1;
    QTest::newRow("custom dot, colon") << QStringLiteral(".") << "00.11:22" << Invalid << 5;
    QTest::newRow("none allowed, blank") << QStringLiteral("") << "00 11" << Invalid << 2;
    QTest::newRow("case-sensitive") << QStringLiteral("x") << "00x11X22" << Invalid << 5;
}

void TestAddressValidators::macAddress()
{
    QFETCH(QString, separators);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(int, refusedAt);
    QMacAddressValidator validator;
    if (!separators.isNull())
        QVERIFY(validator.setProperty("allowedSeperators", separators));
    int pos = -1;
    QCOMPARE(verdict(validator, text, &pos), expected);
    QCOMPARE(pos, refusedAt == -1 ? int(text.size()) : refusedAt);
}

QTEST_MAIN(TestAddressValidators)
#include "tst_addressvalidators.moc"
