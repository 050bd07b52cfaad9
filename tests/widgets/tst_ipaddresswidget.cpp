#include "logcapture.h"
#include "widgets/ipaddresswidget.h"
#include "widgets/qipaddresswithnetmaskvalidator.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

/// One data row; values are separated by commas so that rows stay one line each.
template<typename... Values> static void addRow(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}

// Drives the dialog as a user does: typing into the fields, leaving them with
// Tab and clicking the buttons.
class TestIpAddressWidget : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_dialog = std::make_unique<IpAddressWidget>(); }
    void cleanup() { m_dialog.reset(); }
    void formFollowsTheDesign();
    void proposesClassfulMaskAndGateway_data();
    void proposesClassfulMaskAndGateway();
    void keepsFieldsTheUserTyped_data();
    void keepsFieldsTheUserTyped();
    void rewritesPrefixMask_data();
    void rewritesPrefixMask();
    void okFollowsTheAddressOptions_data();
    void okFollowsTheAddressOptions();
    void judgesGatewayAgainstTheMaskOnly_data();
    void judgesGatewayAgainstTheMaskOnly();
    void checksMacAddressOnlyWhenShown();
    void buttonsCloseTheDialog_data();
    void buttonsCloseTheDialog();
    void subnetFromAddress_data();
    void subnetFromAddress();

private:
    QLineEdit* edit(const QString& name) const { return m_dialog->findChild<QLineEdit*>(name); }
    QPushButton* button(int which) const
    {
        const auto* box = m_dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        return box->button(QDialogButtonBox::StandardButton(which));
    }
    bool okEnabled() const { return button(QDialogButtonBox::Ok)->isEnabled(); }

    bool showDialog()
    {
        m_dialog->show();
        // The offscreen platform does not deactivate a hidden window, so a
        // second showing brings no activation of its own.
        QApplication::setActiveWindow(m_dialog.get());
        return QTest::qWaitForWindowActive(m_dialog.get()) && QApplication::activeWindow() == m_dialog.get();
    }
    // Tabs into the field, clears it and types the text.
    bool typeInto(const QString& field, const QString& text)
    {
        QLineEdit* target = edit(field);
        target->setFocus(Qt::TabFocusReason);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, text);
        return target->hasFocus();
    }
    bool leave(const QString& field)
    {
        QTest::keyClick(edit(field), Qt::Key_Tab);
        return !edit(field)->hasFocus();
    }

    const QString ip = QStringLiteral("editIpAddress");
    const QString mask = QStringLiteral("editNetmask");
    const QString gateway = QStringLiteral("editDefaultGateway");
    const QString mac = QStringLiteral("editMacAddress");
    std::unique_ptr<IpAddressWidget> m_dialog;
};

void TestIpAddressWidget::formFollowsTheDesign()
{
    // Slots connected by object name would warn here if a name did not match.
    LogCapture log;
    IpAddressWidget dialog;
    QCOMPARE(log.texts(QtWarningMsg), QStringList());
    QCOMPARE(dialog.headerText(), QStringLiteral("Please specify an IP address."));
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));

    // Each label names its field; Tab goes from field to field in this order.
    const char* const fields[][3]
        = { { "labelMacAddress", "editMacAddress", "QMacAddressValidator" },
            { "labelIpAddress", "editIpAddress", "QIpAddressValidator" },
            { "labelNetmask", "editNetmask", "QIpNetmaskValidator" },
            { "labelDefaultGateway", "editDefaultGateway", "QIpAddressWithNetmaskValidator" } };
    QWidget* previous = nullptr;
    for (const auto& row : fields) {
        auto* field = dialog.findChild<QLineEdit*>(QLatin1String(row[1]));
        QVERIFY2(field, row[1]);
        QCOMPARE(dialog.findChild<QLabel*>(QLatin1String(row[0]))->buddy(), field);
        QCOMPARE(field->validator()->metaObject()->className(), row[2]);
        if (previous) { // the next widget that takes focus by Tab
            QWidget* next = previous->nextInFocusChain();
            while ((next->focusPolicy() & Qt::TabFocus) == 0)
                next = next->nextInFocusChain();
            QCOMPARE(next, field);
        }
        previous = field;
    }
    const auto* gatewayValidator
        = qobject_cast<const QIpAddressWithNetmaskValidator*>(dialog.findChild<QLineEdit*>(gateway)->validator());
    QVERIFY(gatewayValidator->allowNullAddress() && !gatewayValidator->allowBroadcastAddress());
}

void TestIpAddressWidget::proposesClassfulMaskAndGateway_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<bool>("ok");
    addRow("class A", "10.1.2.3", "255.0.0.0", true);
    addRow("class B", "172.16.0.5", "255.255.0.0", true);
    addRow("class C", "192.168.1.20", "255.255.255.0", true);
    addRow("class C network", "192.168.1.0", "255.255.255.0", false);
    addRow("class B broadcast", "172.16.255.255", "255.255.0.0", false);
    addRow("loopback", "127.0.0.1", "255.0.0.0", false);
    addRow("multicast", "224.0.0.1", "", false);
    addRow("experimental", "240.0.0.1", "", false);
}

void TestIpAddressWidget::proposesClassfulMaskAndGateway()
{
    QFETCH(QString, address);
    QFETCH(QString, proposed);
    QFETCH(bool, ok);
    QVERIFY(showDialog());
    QVERIFY(!okEnabled());
    QVERIFY(typeInto(ip, address));
    QVERIFY(edit(mask)->text().isEmpty()); // nothing while typing
    QVERIFY(leave(ip));
    QCOMPARE(m_dialog->subnetMask(), proposed);
    QCOMPARE(m_dialog->defaultGateway(), QStringLiteral("0.0.0.0"));
    QCOMPARE(okEnabled(), ok);
    QCOMPARE(button(QDialogButtonBox::Ok)->isDefault(), ok);
}

void TestIpAddressWidget::keepsFieldsTheUserTyped_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expectedMask");
    QTest::addColumn<QString>("expectedGateway");
    addRow("mask", "editNetmask", "255.255.0.0", "255.255.0.0", "0.0.0.0");
    addRow("mask emptied", "editNetmask", "", "", "0.0.0.0");
    addRow("gateway", "editDefaultGateway", "10.0.0.1", "255.0.0.0", "10.0.0.1");
    addRow("gateway emptied", "editDefaultGateway", "", "255.0.0.0", "");
}

void TestIpAddressWidget::keepsFieldsTheUserTyped()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, expectedMask);
    QFETCH(QString, expectedGateway);
    QVERIFY(showDialog());
    QVERIFY(typeInto(field, QStringLiteral("1")));
    QVERIFY(typeInto(field, typed));
    QVERIFY(typeInto(ip, QStringLiteral("10.1.2.3")));
    QVERIFY(leave(ip));
    QCOMPARE(m_dialog->subnetMask(), expectedMask);
    QCOMPARE(m_dialog->defaultGateway(), expectedGateway);

    // Each showing starts afresh: empty fields are filled in again.
    m_dialog->hide();
    QVERIFY(showDialog());
    QVERIFY(typeInto(ip, QStringLiteral("10.1.2.4")));
    QVERIFY(leave(ip));
    QVERIFY(!m_dialog->subnetMask().isEmpty());
    QVERIFY(!m_dialog->defaultGateway().isEmpty());
}

void TestIpAddressWidget::rewritesPrefixMask_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expectedMask");
    QTest::addColumn<bool>("ok");
    addRow("/24", "/24", "255.255.255.0", true);
    addRow("/1", "/1", "128.0.0.0", true);
    addRow("/30", "/30", "255.255.255.252", false); // 192.168.1.20 is a /30 network
    addRow("/0", "/0", "0.0.0.0", false);
    addRow("/33 stays", "/33", "/33", false);
}

void TestIpAddressWidget::rewritesPrefixMask()
{
    QFETCH(QString, typed);
    QFETCH(QString, expectedMask);
    QFETCH(bool, ok);
    QVERIFY(showDialog());
    QVERIFY(typeInto(ip, QStringLiteral("192.168.1.20")));
    QVERIFY(leave(ip));
    // Tab selected the proposed mask; the user types over it.
    QVERIFY(edit(mask)->hasFocus() && edit(mask)->hasSelectedText());
    QTest::keyClicks(edit(mask), typed);
    QCOMPARE(m_dialog->subnetMask(), typed);
    QVERIFY(leave(mask));
    QCOMPARE(m_dialog->subnetMask(), expectedMask);
    QCOMPARE(okEnabled(), ok);
}

void TestIpAddressWidget::okFollowsTheAddressOptions_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("options");
    const QString broadcast = QStringLiteral("allowBroadcastAddress");
    const QString experimental = QStringLiteral("allowExperiemntalPurposeAddress");
    QTest::newRow("subnet broadcast") << "192.168.1.255" << QStringList { broadcast };
    QTest::newRow("subnet network") << "192.168.1.0" << QStringList { broadcast };
    QTest::newRow("multicast") << "224.0.0.1" << QStringList { QStringLiteral("allowMulticastAddress") };
    QTest::newRow("experimental") << "240.0.0.1" << QStringList { experimental };
    QTest::newRow("limited broadcast") << "255.255.255.255" << QStringList { broadcast, experimental };
}

void TestIpAddressWidget::okFollowsTheAddressOptions()
{
    QFETCH(QString, address);
    QFETCH(QStringList, options);
    QVERIFY(showDialog());
    QVERIFY(typeInto(mask, QStringLiteral("255.255.255.0")));
    QVERIFY(typeInto(ip, address));
    QVERIFY(!okEnabled());
    // Each option is needed: with all but the last set, OK stays disabled.
    for (const QString& option : options) {
        QVERIFY(!okEnabled());
        QVERIFY(m_dialog->setProperty(qPrintable(option), true));
    }
    QVERIFY(okEnabled());
    // ... and stays enabled through further edits.
    QTest::keyClick(edit(ip), Qt::Key_Backspace);
    QTest::keyClicks(edit(ip), address.right(1));
    QCOMPARE(m_dialog->ipAddress(), address);
    QVERIFY(okEnabled());
    QVERIFY(m_dialog->setProperty(qPrintable(options.last()), false));
    QVERIFY(!okEnabled());
}

void TestIpAddressWidget::judgesGatewayAgainstTheMaskOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    addRow("in the subnet", "192.168.1.1", true);
    addRow("outside the subnet", "10.0.0.1", true);
    addRow("no gateway", "0.0.0.0", true);
    addRow("empty", "", true);
    addRow("network", "192.168.1.0", false);
    addRow("broadcast", "192.168.1.255", false);
    addRow("network elsewhere", "10.0.0.0", false);
    addRow("loopback", "127.0.0.1", false);
    addRow("multicast", "224.0.0.1", false);
    addRow("unfinished", "192.168.1", false);
}

void TestIpAddressWidget::judgesGatewayAgainstTheMaskOnly()
{
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    // The options for the IP address do not apply to the gateway.
    m_dialog->setAllowBroadcastAddress(true);
    m_dialog->setAllowMulticastAddress(true);
    m_dialog->setAllowExperiemntalPurposeAddress(true);
    QVERIFY(showDialog());
    QVERIFY(typeInto(ip, QStringLiteral("192.168.1.20")));
    QVERIFY(leave(ip));
    QVERIFY(okEnabled());
    QVERIFY(typeInto(gateway, typed));
    QCOMPARE(m_dialog->defaultGateway(), typed);
    QCOMPARE(okEnabled(), ok);
}

void TestIpAddressWidget::checksMacAddressOnlyWhenShown()
{
    m_dialog->setIpAddress(QStringLiteral("192.168.1.20"));
    m_dialog->setSubnetMask(QStringLiteral("255.255.255.0"));
    m_dialog->setMacAddress(QStringLiteral("00:11:22"));
    QVERIFY(showDialog());
    // Hidden by default, and then not part of the check.
    QVERIFY(!edit(mac)->isVisible());
    QVERIFY(okEnabled());

    m_dialog->setShowMacAddress(true);
    QVERIFY(edit(mac)->isVisible() && m_dialog->findChild<QLabel*>(QStringLiteral("labelMacAddress"))->isVisible());
    QVERIFY(!okEnabled());
    QVERIFY(typeInto(mac, QStringLiteral("00:11:22:33:44:5")));
    QVERIFY(!okEnabled());
    QTest::keyClicks(edit(mac), QStringLiteral("5"));
    QVERIFY(okEnabled());
    QVERIFY(typeInto(mac, QString())); // no MAC address at all
    QVERIFY(okEnabled());

    m_dialog->setMacAddress(QStringLiteral("00"));
    QVERIFY(!okEnabled());
    m_dialog->setShowMacAddress(false);
    QVERIFY(!edit(mac)->isVisible());
    QVERIFY(okEnabled());
}

void TestIpAddressWidget::buttonsCloseTheDialog_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("expectedGateway");
    addRow("OK, empty gateway", "", int(QDialogButtonBox::Ok), int(QDialog::Accepted), "0.0.0.0");
    addRow("OK, gateway", "10.0.0.1", int(QDialogButtonBox::Ok), int(QDialog::Accepted), "10.0.0.1");
    addRow("Cancel, empty gateway", "", int(QDialogButtonBox::Cancel), int(QDialog::Rejected), "");
}

void TestIpAddressWidget::buttonsCloseTheDialog()
{
    QFETCH(QString, typed);
    QFETCH(int, clicked);
    QFETCH(int, result);
    QFETCH(QString, expectedGateway);
    m_dialog->setIpAddress(QStringLiteral("192.168.1.20"));
    m_dialog->setSubnetMask(QStringLiteral("255.255.255.0"));
    QVERIFY(showDialog());
    QVERIFY(typeInto(gateway, typed));
    QCOMPARE(m_dialog->defaultGateway(), typed);
    QVERIFY(okEnabled());

    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    QTest::mouseClick(button(clicked), Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(m_dialog->result(), result);
    QCOMPARE(m_dialog->defaultGateway(), expectedGateway);
}

void TestIpAddressWidget::subnetFromAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("fromText"); // empty: a null address
    QTest::addColumn<QString>("fromHost"); // for the address QHostAddress reads from the text
    addRow("0.0.0.0", "0.0.0.0", "255.0.0.0", "255.0.0.0");
    addRow("127.255.255.255", "127.255.255.255", "255.0.0.0", "255.0.0.0");
    addRow("128.0.0.0", "128.0.0.0", "255.255.0.0", "255.255.0.0");
    addRow("191.255.255.255", "191.255.255.255", "255.255.0.0", "255.255.0.0");
    addRow("192.0.0.0", "192.0.0.0", "255.255.255.0", "255.255.255.0");
    addRow("223.255.255.255", "223.255.255.255", "255.255.255.0", "255.255.255.0");
    addRow("224.0.0.0", "224.0.0.0", "", "");
    addRow("255.255.255.255", "255.255.255.255", "", "");
    addRow("empty", "", "", "");
    addRow("words", "gateway", "", "");
    // QHostAddress reads 010 as octal 8; the text form takes no such guess.
    addRow("octal part", "10.0.0.010", "", "255.0.0.0");
    addRow("IPv6 loopback", "::1", "", "");
    addRow("IPv4-mapped", "::ffff:172.16.0.5", "", "255.255.0.0");
}

void TestIpAddressWidget::subnetFromAddress()
{
    QFETCH(QString, address);
    QFETCH(QString, fromText);
    QFETCH(QString, fromHost);
    const auto text = [](const QHostAddress& mask) { return mask.isNull() ? QString() : mask.toString(); };
    QCOMPARE(text(IpAddressWidget::subnetFromAddress(address)), fromText);
    QCOMPARE(text(IpAddressWidget::subnetFromAddress(QHostAddress(address))), fromHost);
}

QTEST_MAIN(TestIpAddressWidget)
#include "tst_ipaddresswidget.moc"
