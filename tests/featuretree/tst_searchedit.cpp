#include "featuretree/searchedit.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A colour nothing else in the field is painted in, for the hint.
const QColor hintColor(255, 0, 255);

/// Pixels close to the hint colour; antialiased edges blend into the
/// background, glyph cores keep the colour.
QVector<QPoint> hintPixels(const QImage& image)
{
    QVector<QPoint> points;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() > 200)
                points << QPoint(x, y);
        }
    }
    return points;
}

QAction* action(const SearchEdit& edit, const char* name)
{
    return edit.findChild<QAction*>(QLatin1String(name));
}

/// The button the line edit shows for one of its actions.
QToolButton* buttonOf(const SearchEdit& edit, const QAction* action)
{
    const QList<QToolButton*> buttons = edit.findChildren<QToolButton*>();
    for (QToolButton* button : buttons) {
        if (button->defaultAction() == action)
            return button;
    }
    return nullptr;
}

/// "search", "clear" or "search+clear" for the actions that are visible.
QString visibleActions(const SearchEdit& edit)
{
    QStringList visible;
    if (action(edit, "searchAction")->isVisible())
        visible << QStringLiteral("search");
    if (action(edit, "clearAction")->isVisible())
        visible << QStringLiteral("clear");
    return visible.join(QLatin1Char('+'));
}

} // namespace

// SearchEdit: the magnifier and clear actions that follow the text, the
// clear button, the painted hint and the size hint.
class TestSearchEdit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void icons();
    void actionsFollowText_data();
    void actionsFollowText();
    void clearButtonClears();
    void hintPainted_data();
    void hintPainted();
    void hintKeepsClearOfIcon();
    void sizeHint_data();
    void sizeHint();

private:
    QWidget* m_window = nullptr;
    SearchEdit* m_edit = nullptr; // Owned by m_window.
    QLineEdit* m_other = nullptr; // Owned by m_window; takes the focus away from the field.
};

void TestSearchEdit::init()
{
    m_window = new QWidget;
    auto* layout = new QVBoxLayout(m_window);
    m_edit = new SearchEdit(m_window);
    m_other = new QLineEdit(m_window);
    layout->addWidget(m_edit);
    layout->addWidget(m_other);
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, hintColor);
    palette.setColor(QPalette::Active, QPalette::Text, Qt::black);
    palette.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
    m_edit->setPalette(palette);
    m_window->resize(260, 80);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_other->setFocus();
}

void TestSearchEdit::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestSearchEdit::icons()
{
    const char* const icons[][2] = { { "searchAction", "searchlens_16.png" }, { "clearAction", "cross_16.png" } };
    for (const auto& icon : icons) {
        const QImage image(QStringLiteral(":/orvikviewercomponents/Resources/") + QLatin1String(icon[1]));
        QVERIFY2(!image.isNull(), icon[1]);
        const QAction* a = action(*m_edit, icon[0]);
        QVERIFY2(a && buttonOf(*m_edit, a), icon[0]);
        QCOMPARE(a->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
                 image.convertToFormat(QImage::Format_ARGB32));
    }
}

void TestSearchEdit::actionsFollowText_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected"); // visible actions after each step

    QTest::newRow("type and delete") << QStringList { "type:a", "type:b", "backspace", "backspace" }
                                     << QStringList { "clear", "clear", "clear", "search" };
    QTest::newRow("set and clear by code") << QStringList { "set:Gain", "set:", "set:Width", "clear" }
                                           << QStringList { "clear", "search", "clear", "search" };
    QTest::newRow("select all and delete") << QStringList { "type:x", "type:y", "selectAll", "delete" }
                                           << QStringList { "clear", "clear", "clear", "search" };
}

void TestSearchEdit::actionsFollowText()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    QCOMPARE(visibleActions(*m_edit), QStringLiteral("search"));
    // The magnifier is a sign, not a button.
    QVERIFY(!action(*m_edit, "searchAction")->isEnabled());

    QStringList seen;
    for (const QString& step : qAsConst(steps)) {
        if (step.startsWith(QLatin1String("type:")))
            QTest::keyClicks(m_edit, step.mid(5));
        else if (step.startsWith(QLatin1String("set:")))
            m_edit->setText(step.mid(4));
        else if (step == QLatin1String("backspace"))
            QTest::keyClick(m_edit, Qt::Key_Backspace);
        else if (step == QLatin1String("delete"))
            QTest::keyClick(m_edit, Qt::Key_Delete);
        else if (step == QLatin1String("selectAll"))
            m_edit->selectAll();
        else if (step == QLatin1String("clear"))
            m_edit->clear();
        else
            QFAIL(qPrintable(step));
        seen << visibleActions(*m_edit);
    }
    QCOMPARE(seen, expected);
}

void TestSearchEdit::clearButtonClears()
{
    QAction* clearAction = action(*m_edit, "clearAction");
    QToolButton* clearButton = buttonOf(*m_edit, clearAction);
    QToolButton* searchButton = buttonOf(*m_edit, action(*m_edit, "searchAction"));
    QVERIFY(clearButton);
    QVERIFY(searchButton);
    QVERIFY(!clearButton->isVisible());
    QVERIFY(searchButton->isVisible());

    QSignalSpy textChanged(m_edit, &QLineEdit::textChanged);
    QTest::keyClicks(m_edit, QStringLiteral("Gain"));
    QTRY_VERIFY(clearButton->isVisible());
    QVERIFY(!searchButton->isVisible());

    QTest::mouseClick(clearButton, Qt::LeftButton, Qt::NoModifier, clearButton->rect().center());
    QCOMPARE(m_edit->text(), QString());
    QCOMPARE(textChanged.last().at(0).toString(), QString());
    QTRY_VERIFY(searchButton->isVisible());
    QVERIFY(!clearButton->isVisible());
}

void TestSearchEdit::hintPainted_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("painted");

    QTest::newRow("empty field with hint") << "Search (Ctrl+F)" << QString() << false << true;
    QTest::newRow("field with text") << "Search (Ctrl+F)" << QStringLiteral("MMMM") << false << false;
    QTest::newRow("empty field without hint") << QString() << QString() << false << false;
    // The hint stays while the user has not typed anything yet.
    QTest::newRow("focused empty field with hint") << "Search (Ctrl+F)" << QString() << true << true;
}

void TestSearchEdit::hintPainted()
{
    QFETCH(QString, hint);
    QFETCH(QString, text);
    QFETCH(bool, focused);
    QFETCH(bool, painted);

    m_edit->setHintText(hint);
    m_edit->setText(text);
    if (focused)
        m_edit->setFocus();
    QTRY_COMPARE(m_edit->hasFocus(), focused);
    const QVector<QPoint> points = hintPixels(m_edit->grab().toImage());
    QCOMPARE(!points.isEmpty(), painted);

    // Typed text is drawn in the normal text colour, so it shows none of the hint's.
    if (painted) {
        m_edit->setText(QStringLiteral("MMMM"));
        QVERIFY(hintPixels(m_edit->grab().toImage()).isEmpty());
        m_edit->clear();
        QVERIFY(!hintPixels(m_edit->grab().toImage()).isEmpty());
    }
}

void TestSearchEdit::hintKeepsClearOfIcon()
{
    // A hint far longer than the field is clipped before the trailing icon,
    // which takes about as much room as the field is high.
    m_edit->setHintText(QString(200, QLatin1Char('M')));
    const QImage image = m_edit->grab().toImage();
    const QVector<QPoint> points = hintPixels(image);
    QVERIFY(!points.isEmpty());
    int right = 0;
    for (const QPoint& p : points) {
        right = qMax(right, p.x());
        QVERIFY2(p.y() > 0 && p.y() < image.height() - 1, "hint on the frame");
    }
    QVERIFY2(right < image.width() - m_edit->height(), qPrintable(QString::number(right)));
    // The hint does fill the room it has, up to near the icon.
    QVERIFY2(right > image.width() - 2 * m_edit->height(), qPrintable(QString::number(right)));
}

void TestSearchEdit::sizeHint_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("pointSize");

    QTest::newRow("short hint") << "Find" << 9;
    QTest::newRow("long hint, large font") << "Search all features of the camera (Ctrl+F)" << 24;
}

void TestSearchEdit::sizeHint()
{
    QFETCH(QString, hint);
    QFETCH(int, pointSize);

    QFont font = m_edit->font();
    font.setPointSize(pointSize);
    m_edit->setFont(font);
    m_edit->setHintText(hint);

    // As wide as the hint in the field's font ...
    const QRect bounds = QFontMetrics(font).boundingRect(hint);
    QCOMPARE(m_edit->sizeHint().width(), bounds.width());
    // ... and at least as high as the hint and as a plain line edit like it,
    // so that a layout does not cut the field.
    QLineEdit plain;
    plain.setStyleSheet(m_edit->styleSheet());
    plain.setFont(font);
    QVERIFY(m_edit->sizeHint().height() >= bounds.height());
    QCOMPARE(m_edit->sizeHint().height(), qMax(bounds.height(), plain.sizeHint().height()));
}

QTEST_MAIN(TestSearchEdit)
#include "tst_searchedit.moc"
