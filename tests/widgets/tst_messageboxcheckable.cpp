#include "testsettings.h"
#include "widgets/messageboxcheckable.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString boxName = QStringLiteral("ConfirmReset");

QVariant storedChoice(const QString& name)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("DoNotShowAgain"));
    return settings.value(name);
}

void storeChoice(const QString& name, const QVariant& value)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("DoNotShowAgain"));
    settings.setValue(name, value);
}

/// Acts on a box as the user would, as soon as exec has shown it.
class UserAtTheBox
{
public:
    UserAtTheBox(MessageBoxCheckable* box, std::function<void(MessageBoxCheckable*)> action)
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this, box, action] {
            if (!box->isVisible())
                return;
            m_timer.stop();
            shown = true;
            action(box);
        });
        m_timer.start();
    }
    bool shown = false;

private:
    QTimer m_timer;
};

/// Ticks the check box (or not) and clicks a standard button.
std::function<void(MessageBoxCheckable*)> answer(bool tick, QMessageBox::StandardButton button)
{
    return [tick, button](MessageBoxCheckable* box) {
        QVERIFY(box->checkBox());
        box->checkBox()->setChecked(tick);
        box->button(button)->click();
    };
}

class ProbeBox : public MessageBoxCheckable
{
public:
    using MessageBoxCheckable::addCheckBoxWidget;
    using MessageBoxCheckable::MessageBoxCheckable;
};

} // namespace

class TestMessageBoxCheckable : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void remembersChoices_data();
    void remembersChoices();
    void resultZeroWithoutFlags();
    void storedValueThatIsNoNumber();
    void reset_data();
    void reset();
    void resetAll();
    void checkBox();
    void iconsFromTheLibrary_data();
    void iconsFromTheLibrary();

private:
    std::unique_ptr<TestSettings> m_settings;
};

void TestMessageBoxCheckable::init()
{
    m_settings = std::make_unique<TestSettings>();
}

void TestMessageBoxCheckable::cleanup()
{
    m_settings.reset();
}

void TestMessageBoxCheckable::remembersChoices_data()
{
    QTest::addColumn<int>("saveFlags");
    QTest::addColumn<int>("registeredButton"); // through the QAbstractButton* overload; 0: none
    QTest::addColumn<bool>("tick");
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("stored"); // -1: nothing stored

    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    const int cancel = QMessageBox::Cancel;
    QTest::newRow("ticked, Yes") << (yes | no) << 0 << true << yes << yes;
    QTest::newRow("ticked, No") << (yes | no) << 0 << true << no << no;
    QTest::newRow("unticked") << (yes | no) << 0 << false << yes << -1;
    QTest::newRow("ticked, button not allowed") << yes << 0 << true << no << -1;
    QTest::newRow("ticked, no flags") << 0 << 0 << true << yes << -1;
    QTest::newRow("ticked, registered button") << yes << no << true << no << no;
    QTest::newRow("ticked, registered without flags") << 0 << cancel << true << cancel << cancel;
}

void TestMessageBoxCheckable::remembersChoices()
{
    QFETCH(int, saveFlags);
    QFETCH(int, registeredButton);
    QFETCH(bool, tick);
    QFETCH(int, click);
    QFETCH(int, stored);
    const auto buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    {
        MessageBoxCheckable box(boxName, QMessageBox::Question, QStringLiteral("Reset"),
                                QStringLiteral("Reset the camera?"), buttons);
        box.setSaveResultOnButton(QMessageBox::StandardButtons(saveFlags));
        if (registeredButton)
            box.setSaveResultOnButton(box.button(QMessageBox::StandardButton(registeredButton)));
        UserAtTheBox user(&box, answer(tick, QMessageBox::StandardButton(click)));
        QCOMPARE(box.exec(), click);
        QVERIFY(user.shown);
    }
    const QVariant value = storedChoice(boxName);
    QCOMPARE(value.isValid() ? value.toInt() : -1, stored);

    // A later box of the same name.
    MessageBoxCheckable again(boxName, QMessageBox::Question, QStringLiteral("Reset"),
                              QStringLiteral("Reset the camera?"), buttons);
    UserAtTheBox user(&again, answer(false, QMessageBox::Cancel));
    if (stored == -1) {
        QCOMPARE(again.exec(), int(QMessageBox::Cancel));
        QVERIFY(user.shown);
    } else {
        QCOMPARE(again.exec(), stored);
        QVERIFY(!user.shown);
        QVERIFY(!again.checkBox()); // never shown, so no check box either
    }
}

void TestMessageBoxCheckable::resultZeroWithoutFlags()
{
    // With no flags and no buttons only a result of 0 qualifies.
    {
        MessageBoxCheckable box(boxName, nullptr);
        box.setText(QStringLiteral("Closing"));
        box.addButton(QMessageBox::Ok);
        UserAtTheBox user(&box, [](MessageBoxCheckable* shownBox) {
            shownBox->checkBox()->setChecked(true);
            shownBox->done(0);
        });
        QCOMPARE(box.exec(), 0);
    }
    QCOMPARE(storedChoice(boxName), QVariant(0));
    MessageBoxCheckable again(boxName, nullptr);
    QCOMPARE(again.exec(), 0);
    QVERIFY(!again.checkBox());
}

void TestMessageBoxCheckable::storedValueThatIsNoNumber()
{
    storeChoice(boxName, QStringLiteral("always"));
    MessageBoxCheckable box(boxName, QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok);
    QCOMPARE(box.exec(), 0);
    QVERIFY(!box.checkBox());
}

void TestMessageBoxCheckable::reset_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("keyStored");
    QTest::addColumn<bool>("expected");

    QTest::newRow("named, stored") << boxName << true << true;
    QTest::newRow("named, nothing stored") << boxName << false << true;
    QTest::newRow("empty name") << QString() << false << false;
}

void TestMessageBoxCheckable::reset()
{
    QFETCH(QString, name);
    QFETCH(bool, keyStored);
    QFETCH(bool, expected);
    const QString other = QStringLiteral("OtherBox");
    storeChoice(other, int(QMessageBox::Yes));
    if (keyStored)
        storeChoice(name, int(QMessageBox::No));

    MessageBoxCheckable box(name, nullptr);
    QCOMPARE(box.reset(), expected);
    QVERIFY(!storedChoice(name).isValid() || name.isEmpty());
    // Another box's choice stays.
    QCOMPARE(storedChoice(other), QVariant(int(QMessageBox::Yes)));
    QSettings settings;
    settings.beginGroup(QStringLiteral("DoNotShowAgain"));
    QCOMPARE(settings.childKeys(), QStringList { other });

    // The box keeps what it read; a new box reads nothing.
    if (keyStored) {
        QCOMPARE(box.exec(), int(QMessageBox::No));
        MessageBoxCheckable fresh(name, QMessageBox::Information, QStringLiteral("t"), QStringLiteral("x"),
                                  QMessageBox::Ok);
        UserAtTheBox user(&fresh, answer(false, QMessageBox::Ok));
        QCOMPARE(fresh.exec(), int(QMessageBox::Ok));
        QVERIFY(user.shown);
    }
}

void TestMessageBoxCheckable::resetAll()
{
    storeChoice(QStringLiteral("A"), 1);
    storeChoice(QStringLiteral("B"), 2);
    QSettings().setValue(QStringLiteral("Favorites/Size"), 3);

    QVERIFY(MessageBoxCheckable::resetAll());
    QSettings settings;
    settings.beginGroup(QStringLiteral("DoNotShowAgain"));
    QCOMPARE(settings.childKeys(), QStringList());
    settings.endGroup();
    QCOMPARE(settings.value(QStringLiteral("Favorites/Size")), QVariant(3));
    QVERIFY(MessageBoxCheckable::resetAll()); // also with nothing to remove
}

void TestMessageBoxCheckable::checkBox()
{
    ProbeBox box(boxName, QMessageBox::Information, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok);
    const QString standard = box.checkBoxText();
    QCOMPARE(standard, QObject::tr("&Don't show this dialog again"));
    box.setCheckBoxText(QStringLiteral("&Never ask again"));
    QVERIFY(!box.checkBox());

    // Added once, labelled with the text set before.
    QVERIFY(box.addCheckBoxWidget());
    QCheckBox* first = box.checkBox();
    QVERIFY(first);
    QCOMPARE(first->parent(), &box);
    QCOMPARE(first->text(), QStringLiteral("&Never ask again"));
    QVERIFY(!box.addCheckBoxWidget());
    QCOMPARE(box.checkBox(), first);
    QCOMPARE(box.findChildren<QCheckBox*>().size(), 1);

    // The label follows later changes, and an empty text restores the default.
    box.setCheckBoxText(QString());
    QCOMPARE(box.checkBoxText(), standard);
    QCOMPARE(first->text(), standard);
}

void TestMessageBoxCheckable::iconsFromTheLibrary_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("resource"); // empty: a null pixmap

    QTest::newRow("none") << int(QMessageBox::NoIcon) << "";
    QTest::newRow("information") << int(QMessageBox::Information) << ":/orvikviewercomponents/Resources/Info_32.png";
    QTest::newRow("warning") << int(QMessageBox::Warning) << ":/orvikviewercomponents/Resources/Warning_16_black.png";
    QTest::newRow("critical") << int(QMessageBox::Critical) << ":/orvikviewercomponents/Resources/Error_32.png";
    QTest::newRow("question") << int(QMessageBox::Question) << ":/orvikviewercomponents/Resources/Question_32.png";
    QTest::newRow("unknown icon") << 5 << "";
}

void TestMessageBoxCheckable::iconsFromTheLibrary()
{
    QFETCH(int, icon);
    QFETCH(QString, resource);
    MessageBoxCheckable box(boxName, QMessageBox::Icon(icon), QStringLiteral("t"), QStringLiteral("x"));
    const QPixmap shown = box.iconPixmap();
    QCOMPARE(shown.isNull(), resource.isEmpty());
    if (!resource.isEmpty()) {
        const QImage expected(resource);
        QVERIFY(!expected.isNull());
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32),
                 expected.convertToFormat(QImage::Format_ARGB32));
    }
    // The plain constructor sets no pixmap of its own.
    QVERIFY(MessageBoxCheckable(boxName, nullptr).iconPixmap().isNull());
}

QTEST_MAIN(TestMessageBoxCheckable)
#include "tst_messageboxcheckable.moc"
