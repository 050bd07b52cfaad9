#include "featuretree/hexvalidator.h"
#include "fetch.h"
#include "widgets/ipaddresswidget.h"
#include "widgets/qipaddressvalidator.h"
#include "widgets/qipaddresswithnetmaskvalidator.h"
#include "widgets/qipnetmaskvalidator.h"
#include "widgets/qmacaddressvalidator.h"
#include "widgetscript.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The address validators and the hexadecimal one, then the IP address dialog that uses the former.
namespace {

const int No = QValidator::Invalid, Mid = QValidator::Intermediate, Yes = QValidator::Acceptable;

// Asks a validator about a text the way a line edit does, cursor at the end;
// -1 when validate() changed the text (only fixup() may rewrite it).
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

class TestIpAddressWidget : public QObject
{
    Q_OBJECT
private slots:
    // Setups: "ip", "mask", "hex", "mac [separators]" (none: the default " :-"), and "host <mask text|''|none>
    // <allowed address kinds...>" for the address checked against a netmask line edit (none: without one).
    // A '|' in a text is where the refused text puts the cursor; elsewhere it stays at the end.
    void verdicts_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        // The texts of one verdict for a setup, and those of a second verdict.
        const auto add = [](const char* setup, int expected, std::initializer_list<const char*> texts, int second = No,
                            std::initializer_list<const char*> others = {}) {
            for (const auto& [verdict, group] : { std::pair(expected, texts), std::pair(second, others) })
                for (const char* text : group)
                    QTest::addRow("%s: '%s'", setup, text) << QString(setup) << QString(text) << verdict;
        };
        // Unfinished addresses are Intermediate, and so is 0.0.0.x, which names no host; forms that
        // QHostAddress reads as another address (octal, hexadecimal, signs) are refused.
        add("ip", Mid, { "", "192.168.1", "192.168.1.", "192.168..1", ".168.1.1", "0.0.0.7", "0.0.0.255" });
        add("ip", Yes, { "0.0.1.0", "192.168.1.10", "255.255.255.255", " 10.0.0.1 " });
        add("ip", No,
            { "192.168.1.1.1", "192.168.1.256", "300.1", "192.168.1.010", "192.168.1.0x1", "1.2.3.+4", "abc",
              "1 2.3.4.5", "192.168.1.0/24" });
        // Masks of 1 to 30 leading one bits leave a host; "/0" to "/32" as typed are never refused.
        add("mask", Yes, { "255.255.255.0", "128.0.0.0", "255.255.255.252", "/24", "/32", " / 24 " });
        add("mask", Mid,
            { "255.255.255.254", "255.255.255.255", "0.0.0.0", "127.0.0.0", "255.0.255.0", "255.255.255.1", "255.255",
              "/33", "/x", "/", "/024" });
        add("mask", No, { "255.255.255.0.0", "255.255.255.300" });
        add("mac", Yes,
            { "", "00:11:22:33:44:55", "00-11-22-33-44-55", "00 11 22 33 44 55", "001122334455", "00-11-22 33:44:55",
              ":001122334455", "aA:bB:cC:dD:eE:fF" });
        add("mac", Mid, { ":: --", "00:11:22:33:44:5" }, No, { "00:11:22:33:44:556", "00|.11", "00:11:22:33:44:5|g" });
        add("mac .", Yes, { "00.11.22.33.44.55" }, No, { "00.11|:22" });
        add("mac ''", No, { "00| 11" });
        add("mac x", No, { "00x11|X22" });
        // Host addresses of the subnet only; its network and broadcast addresses when allowed.
        add("host 255.255.255.0", Yes, { "192.168.1.10", "126.255.255.1", "223.255.255.1" });
        add("host 255.255.255.0", Mid,
            { "192.168.1.0", "192.168.1.255", "", "0.0.0.0", "127.0.0.1", "224.0.0.1", "239.255.255.1", "192.168.1.1.1",
              "192.168.1.010" });
        add("host 255.255.255.0 Broadcast", Yes, { "192.168.1.0", "192.168.1.255" }, Mid, { "255.255.255.255" });
        add("host 255.255.255.252", Yes, { "10.0.0.2" }, Mid, { "10.0.0.7" });
        add("host 255.0.0.0", Yes, { "10.1.0.0" });
        // A prefix is judged by the dotted mask it stands for; only a usable mask lets an address pass.
        add("host /24", Yes, { "192.168.1.10" }, Mid, { "192.168.1.0" });
        for (const char* unusable : { "host /0", "host /32", "host ''", "host 255.0.255.0" })
            add(unusable, Mid, { "192.168.1.10" });
        add("host '' Loopback", Yes, { "127.0.0.1" });
        add("host '' Null", Yes, { "0.0.0.0" });
        add("host 255.255.255.0 Null", Yes, { " " }, Mid, { "0.0.0.7" });
        add("host 255.255.255.0 Loopback", Yes, { "127.255.255.255" });
        add("host 255.255.255.0 Multicast", Yes, { "224.0.0.1" }, Mid, { "240.0.0.1" });
        add("host 255.255.255.0 ExperimentalPurpose", Yes, { "240.0.0.1" }, Mid, { "255.255.255.255" });
        add("host 255.255.255.0 Broadcast ExperimentalPurpose", Yes, { "255.255.255.255" });
        add("host none", Yes, { "192.168.1.0" }, Mid, { "224.0.0.1" });
        // Decimal or "0x" and hexadecimal digits in 0..255; "0x100" gets QIntValidator's answer for 256.
        add("hex", Yes, { "0x1f", "0xFF", "31" }, Mid, { "", "0x", " 0x ", "0x100" });
        add("hex", No, { "0X1F", "1f", "0xg", "-1" });
    }

    void verdicts()
    {
        QFETCH(QString, text);
        const QStringList words = fetch<QString>("setup").split(' ');
        const QString mask = words.value(1) == "''" ? "" : words.value(1);
        QLineEdit netmaskEdit(mask);
        const std::unique_ptr<QValidator> validator(
            words[0] == "ip"         ? new QIpAddressValidator
                : words[0] == "mask" ? new QIpNetmaskValidator
                : words[0] == "hex"  ? new HexValidator(0, 255)
                : words[0] == "host" ? new QIpAddressWithNetmaskValidator(mask == "none" ? nullptr : &netmaskEdit)
                                     : static_cast<QValidator*>(new QMacAddressValidator));
        if (words[0] == "mac" && words.size() > 1)
            QVERIFY(validator->setProperty("allowedSeperators", mask));
        for (const QString& option : words.mid(2))
            QVERIFY(validator->setProperty(qPrintable("allow" + option + "Address"), true));
        const int refusedAt = int(text.contains('|') ? text.indexOf('|') : text.size());
        int pos = -1;
        QTEST(verdict(*validator, text.remove('|'), &pos), "expected");
        QCOMPARE(pos, refusedAt);
    }

    void liveChanges()
    {
        // The mask is read at each check, and once its field is gone the subnet is no longer checked.
        auto netmaskEdit = std::make_unique<QLineEdit>("255.255.0.0");
        QIpAddressWithNetmaskValidator validator(netmaskEdit.get());
        QCOMPARE(verdict(validator, "10.1.255.255"), Mid);
        netmaskEdit->setText("255.0.0.0");
        QCOMPARE(verdict(validator, "10.1.255.255"), Yes);
        netmaskEdit->setText("255.255.0.0");
        netmaskEdit.reset();
        QCOMPARE(verdict(validator, "10.1.255.255"), Yes);
        // Each option change, and only a change, is signalled.
        QSignalSpy changed(&validator, &QValidator::changed);
        for (const char* option : { "allowLoopbackAddress", "allowNullAddress", "allowBroadcastAddress",
                                    "allowMulticastAddress", "allowExperimentalPurposeAddress" }) {
            validator.setProperty(option, true);
            validator.setProperty(option, true);
        }
        validator.setAllowMulticastAddress(false);
        QCOMPARE(changed.count(), 6);
    }

    void formFollowsTheDesign()
    {
        IpAddressWidget dialog;
        // Each label names its field; Tab goes from field to field in this order.
        QWidget* previous = nullptr;
        for (const char* name : { "MacAddress", "IpAddress", "Netmask", "DefaultGateway" }) {
            auto* field = dialog.findChild<QLineEdit*>(QString("edit") + name);
            QCOMPARE(dialog.findChild<QLabel*>(QString("label") + name)->buddy(), field);
            QWidget* next = previous ? previous->nextInFocusChain() : field;
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, field);
            previous = field;
        }
    }

    // The scripts (see widgetscript.h) know the fields as ip, mask, gw and mac (mask?x checks a text), the
    // buttons as ok and cancel, and ok?1 (OK enabled and the default button), finished?1 (the dialog's
    // finished signal) and result?1.
    void userScripts_data()
    {
        QTest::addColumn<QString>("script");
        const auto row = [](const QString& script) { QTest::newRow(qPrintable(script)) << script; };
        // A row for each item, its words ("-" for none) put in for %1, %2...
        const auto rows = [&](const QString& script, std::initializer_list<const char*> items) {
            for (const char* item : items) {
                QString filled = script;
                for (const QString& word : QString(item).split(' '))
                    filled = filled.arg(word == "-" ? "" : word);
                row(filled);
            }
        };
        // Parts that read as octal or hexadecimal elsewhere are refused as they are typed.
        row("ip:192.168.1.010 ip?192.168.1.0 ip:10.0x1 ip?10.0");
        // A classful mask and a "no gateway" are proposed when the address is left, not while it is typed.
        rows("ok?0 ip:%1 mask? gw? Tab mask?%2 gw?0.0.0.0 ok?%3",
             { "10.1.2.3 255.0.0.0 1", "172.16.0.5 255.255.0.0 1", "192.168.1.20 255.255.255.0 1",
               "192.168.1.0 255.255.255.0 0", "172.16.255.255 255.255.0.0 0", "127.0.0.1 255.0.0.0 0", "224.0.0.1 - 0",
               "240.0.0.1 - 0" });
        // Fields the user typed in, even emptied, are left alone until the dialog is shown again.
        row("mask:1 mask:255.255.0.0 ip:10.1.2.3 Tab mask?255.255.0.0 gw?0.0.0.0 hide() show ip:10.1.2.4 Tab "
            "mask?255.255.0.0");
        row("mask:1 mask: ip:10.1.2.3 Tab mask? gw?0.0.0.0 hide() show ip:10.1.2.4 Tab mask?255.0.0.0");
        row("gw:1 gw:10.0.0.1 ip:10.1.2.3 Tab mask?255.0.0.0 gw?10.0.0.1 hide() show ip:10.1.2.4 Tab gw?10.0.0.1");
        row("gw:1 gw: ip:10.1.2.3 Tab mask?255.0.0.0 gw? hide() show ip:10.1.2.4 Tab gw?0.0.0.0");
        // A prefix typed over the proposed mask becomes the dotted mask when the field is left; anything else stays.
        rows("ip:192.168.1.20 Tab >%1 mask?%1 Tab mask?%2 ok?%3",
             { "/24 255.255.255.0 1", "/1 128.0.0.0 1", "/30 255.255.255.252 0", "/31 255.255.255.254 0",
               "/32 255.255.255.255 0", "/0 0.0.0.0 0", "/33 /33 0", "/x /x 0", "/ / 0", "255.0.255.0 255.0.255.0 0" });
        // Special addresses need every option that names them, while they are typed and after.
        for (const char* special :
             { "192.168.1.255 Broadcast", "192.168.1.0 Broadcast", "224.0.0.1 Multicast",
               "240.0.0.1 ExperiemntalPurpose", "255.255.255.255 Broadcast ExperiemntalPurpose" }) {
            const QStringList p = QString(special).split(' ');
            QString script = "mask:255.255.255.0 ip:" + p[0];
            for (const QString& option : p.mid(1))
                script += " ok?0 allow" + option + "Address=true";
            row(script + QString(" ok?1 ip:%1 ok?1 allow%2Address=false ok?0").arg(p[0], p.last()));
        }
        // The gateway is judged against the mask only: the address options do not apply to it.
        rows("allowBroadcastAddress=true allowMulticastAddress=true allowExperiemntalPurposeAddress=true "
             "ip:192.168.1.20 Tab ok?1 gw:%1 gw?%1 ok?%2",
             { "192.168.1.1 1", "10.0.0.1 1", "0.0.0.0 1", "- 1", "192.168.1.0 0", "192.168.1.255 0", "10.0.0.0 0",
               "127.0.0.1 0", "224.0.0.1 0", "192.168.1 0" });
        // The MAC address only counts while it is shown; an empty one is fine.
        row("ipAddress=192.168.1.20 subnetMask=255.255.255.0 macAddress=00:11:22 ok?1 showMacAddress=true "
            "mac.visible?true labelMacAddress.visible?true ok?0 mac:00:11:22:33:44:5 ok?0 >5 ok?1 mac: ok?1 "
            "macAddress=00 ok?0 showMacAddress=false mac.visible?false ok?1");
        // OK stores "0.0.0.0" for an empty gateway, Cancel does not.
        rows("ipAddress=192.168.1.20 subnetMask=255.255.255.0 gw:%1 gw?%1 ok?1 %2.click() finished?1 result?%3 gw?%4",
             { "- ok 1 0.0.0.0", "10.0.0.1 ok 1 10.0.0.1", "- cancel 0 -" });
    }

    void userScripts()
    {
        IpAddressWidget dialog;
        QSignalSpy finished(&dialog, &QDialog::finished);
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        WidgetScript run(&dialog);
        run.alias("ok", ok);
        run.alias("cancel", dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel));
        for (const char* field :
             { "ip:editIpAddress", "mask:editNetmask", "gw:editDefaultGateway", "mac:editMacAddress" }) {
            auto* edit = dialog.findChild<QLineEdit*>(QString(field).section(':', 1));
            run.alias(QString(field).section(':', 0, 0), edit);
            run.check(QString(field).section(':', 0, 0), [edit] { return edit->text(); });
        }
        run.check("ok",
                  [ok] { return QString::number(ok->isEnabled()) + (ok->isDefault() != ok->isEnabled() ? "!" : ""); });
        run.check("result", [&] { return QString::number(dialog.result()); });
        run.check("finished", [&] { return QString::number(finished.count()); });
        run.run("show " + fetch<QString>("script"));
    }

    void subnetFromAddress()
    {
        // The classful mask (A, B or C) of the dotted text, and of the address QHostAddress reads from it;
        // QHostAddress reads 010 as octal 8, the text form takes no such guess.
        const QMap<QString, QString> masks { { "A", "255.0.0.0" }, { "B", "255.255.0.0" }, { "C", "255.255.255.0" } };
        for (const char* row : { "0.0.0.0 A A", "127.255.255.255 A A", "128.0.0.0 B B", "191.255.255.255 B B",
                                 "192.0.0.0 C C", "223.255.255.255 C C", "224.0.0.0 - -", "255.255.255.255 - -", " - -",
                                 "gateway - -", "10.0.0.010 - A", "::1 - -", "::ffff:172.16.0.5 - B" }) {
            const QStringList p = QString(row).split(' ');
            const QHostAddress fromText = IpAddressWidget::subnetFromAddress(p[0]);
            const QHostAddress fromHost = IpAddressWidget::subnetFromAddress(QHostAddress(p[0]));
            QCOMPARE(fromText.isNull() ? "" : fromText.toString(), masks.value(p[1]));
            QCOMPARE(fromHost.isNull() ? "" : fromHost.toString(), masks.value(p[2]));
        }
    }
};

QTEST_MAIN(TestIpAddressWidget)
#include "tst_ipaddresswidget.moc"
