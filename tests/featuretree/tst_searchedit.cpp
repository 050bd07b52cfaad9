#include "featuretree/featuretreewidget.h"
#include "featuretree/searchedit.h"
#include "fetch.h"
#include "pixels.h"
#include "treefixture.h"

#include <QAction>
#include <QToolButton>
#include <QtTest>

namespace {

/// The search field of a shown tree, its hint painted in a magenta nothing else in it uses.
SearchEdit* field(const WidgetFixture& fx)
{
    auto* field = fx.widget()->findChild<SearchEdit*>("filterEdit");
    QPalette colours = field->palette();
    colours.setColor(QPalette::Disabled, QPalette::Text, Qt::magenta);
    field->setPalette(colours);
    return field;
}

/// The pixels in the hint's colour; antialiased edges blend away, glyph cores keep it.
QRegion hint(SearchEdit* field)
{
    return pixels(field, [](const QColor& c) { return c.red() > 200 && c.green() < 80 && c.blue() > 200; });
}

} // namespace

class TestSearchEdit : public QObject
{
    Q_OBJECT
private slots:
    void buttonsFollowTheText()
    {
        WidgetFixture fx;
        SearchEdit* edit = field(fx);
        const auto shown = [edit](const char* action) { return edit->findChild<QAction*>(action)->isVisible(); };
        QString seen; // after every change: "s" while the magnifier shows, "c" while the clear button does
        connect(edit, &QLineEdit::textChanged,
                [&] { seen += QString(shown("searchAction") ? "s" : "") + (shown("clearAction") ? "c" : ""); });
        QTest::keyClicks(edit, "ab");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        edit->setText("Gain");
        edit->setText("");
        QTest::keyClicks(edit, "xy");
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, "G");
        for (auto* button : edit->findChildren<QToolButton*>()) {
            if (button->defaultAction()->objectName() == "clearAction")
                QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        }
        QCOMPARE(seen, QString("cccs" "cs" "ccs" "cs"));
        QVERIFY(!edit->findChild<QAction*>("searchAction")->isEnabled()); // the magnifier is a sign, not a button
    }

    void hintPainted_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("focused"); // the hint stays while the user has typed nothing yet
        QTest::newRow("empty field with hint") << "Search (Ctrl+F)" << false;
        QTest::newRow("focused empty field with hint") << "Search (Ctrl+F)" << true;
        QTest::newRow("hint longer than the field") << QString(200, 'M') << false;
        QTest::newRow("no hint") << "" << false;
    }
    void hintPainted()
    {
        WidgetFixture fx;
        SearchEdit* edit = field(fx);
        edit->setHintText(fetch<QString>("hint"));
        fetch<bool>("focused") ? edit->setFocus() : edit->clearFocus();
        QTRY_COMPARE(edit->hasFocus(), fetch<bool>("focused"));
        QCOMPARE(hint(edit).isEmpty(), edit->hintText().isEmpty());
        // Inside the frame and clear of the trailing icon, which is about as wide as the field is high.
        const QRect room(1, 1, edit->width() - edit->height() - 1, edit->height() - 2);
        QVERIFY2(hint(edit).subtracted(room).isEmpty(), "hint on the frame or the icon");
        edit->setText("MMMM"); // typed text is drawn in the normal text colour
        QVERIFY(hint(edit).isEmpty());
        edit->clear();
        QCOMPARE(hint(edit).isEmpty(), edit->hintText().isEmpty());
    }

    void sizeHintFitsTheHintAndTheFrame()
    {
        // As wide as the hint, as high as the hint and as a plain line edit in that font, also after a change
        // of font, so that a layout does not cut the field.
        WidgetFixture fx;
        SearchEdit* edit = field(fx);
        QFont font = edit->font();
        font.setPointSize(24);
        edit->setFont(font);
        QLineEdit plain;
        plain.setStyleSheet(edit->styleSheet());
        plain.setFont(font);
        const QRect bounds = QFontMetrics(font).boundingRect(edit->hintText());
        QCOMPARE(edit->sizeHint(), QSize(bounds.width(), qMax(bounds.height(), plain.sizeHint().height())));
    }
};

QTEST_MAIN(TestSearchEdit)
#include "tst_searchedit.moc"
