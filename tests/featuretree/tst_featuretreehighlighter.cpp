#include "featuretree/featuretreehighlighter.h"
#include "testsettings.h"

#include <QSettings>
#include <QtTest>

namespace {

const QString settingsKey = QStringLiteral("FeatureTree/HighlightColor");

QString rangesText(const QVector<QPair<int, int>>& ranges)
{
    QStringList parts;
    for (const auto& range : ranges)
        parts << QStringLiteral("%1-%2").arg(range.first).arg(range.second);
    return parts.join(QLatin1Char(' '));
}

/// The markup of one match as a tool tip shows it.
QString marked(const QString& colorName, const QString& text)
{
    return QLatin1String("<span style='background-color: ") + colorName + QLatin1String("; font-weight:bold'>") + text
        + QLatin1String("</span>");
}

} // namespace

class TestFeatureTreeHighlighter : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void matchRanges_data();
    void matchRanges();
    void highlight_data();
    void highlight();
    void highlightUsesTheStoredColour();
    void colourFromSettings_data();
    void colourFromSettings();

private:
    std::unique_ptr<TestSettings> m_settings;
};

void TestFeatureTreeHighlighter::init()
{
    m_settings = std::make_unique<TestSettings>();
}

void TestFeatureTreeHighlighter::matchRanges_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // 13 characters; "aa" at 0 and 9 in other letter cases, and once more
    // at 10, overlapping the second match.
    QTest::newRow("two matches, overlap skipped") << "aa"
                                                  << "AaxxxxxxxaAax"
                                                  << "0-2 9-11";
    QTest::newRow("empty search text") << ""
                                       << "Gain"
                                       << "";
    QTest::newRow("no match") << "xyz"
                              << "ExposureTime"
                              << "";
    QTest::newRow("empty text") << "a"
                                << ""
                                << "";
    QTest::newRow("search longer than text") << "Gains"
                                             << "Gain"
                                             << "";
    QTest::newRow("whole text") << "gain"
                                << "GAIN"
                                << "0-4";
    QTest::newRow("match at the end") << "time"
                                      << "ExposureTime"
                                      << "8-12";
    QTest::newRow("adjacent matches") << "ab"
                                      << "ababab"
                                      << "0-2 2-4 4-6";
    QTest::newRow("single letter repeated") << "a"
                                            << "aAa"
                                            << "0-1 1-2 2-3";
    QTest::newRow("non-Latin text") << QString::fromUtf8("ゲイン") << QString::fromUtf8("アナログゲイン") << "4-7";
}

void TestFeatureTreeHighlighter::matchRanges()
{
    QFETCH(QString, search);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    FeatureTreeHighlighter highlighter;
    highlighter.searchText = search;
    QCOMPARE(rangesText(highlighter.matchRanges(text)), expected);
}

void TestFeatureTreeHighlighter::highlight_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString y = QStringLiteral("#ffff50"); // the default colour
    QTest::newRow("capital kept") << "gain"
                                  << "Gain" << marked(y, QStringLiteral("Gain"));
    QTest::newRow("every match, own case") << "gain"
                                           << "Gain (gAIN)"
                                           << marked(y, QStringLiteral("Gain")) + QStringLiteral(" (")
            + marked(y, QStringLiteral("gAIN")) + QStringLiteral(")");
    QTest::newRow("empty search text") << ""
                                       << "<b>Gain</b>"
                                       << "<b>Gain</b>";
    QTest::newRow("no match") << "offset"
                              << "Gain"
                              << "Gain";
    QTest::newRow("adjacent matches") << "ab"
                                      << "abAB" << marked(y, QStringLiteral("ab")) + marked(y, QStringLiteral("AB"));
    // The search text inside the inserted markup is not found again.
    QTest::newRow("search text in the markup")
        << "span"
        << "Timespan" << QStringLiteral("Time") + marked(y, QStringLiteral("span"));
    QTest::newRow("colour word") << "ff"
                                 << "Off" << QStringLiteral("O") + marked(y, QStringLiteral("ff"));
    // Tool tip headings are HTML: tags are not searched.
    QTest::newRow("tags left alone") << "b"
                                     << "<nobr><b>Black Level (BlackLevel)</b></nobr>"
                                     << QStringLiteral("<nobr><b>") + marked(y, QStringLiteral("B"))
            + QStringLiteral("lack Level (") + marked(y, QStringLiteral("B")) + QStringLiteral("lackLevel)</b></nobr>");
    QTest::newRow("tag name only") << "nobr"
                                   << "<nobr><b>Width</b></nobr>"
                                   << "<nobr><b>Width</b></nobr>";
    QTest::newRow("match running into a tag") << "h<"
                                              << "<b>Width</b>"
                                              << "<b>Width</b>";
    QTest::newRow("lone angle bracket is text")
        << "<"
        << "a<b" << QStringLiteral("a") + marked(y, QStringLiteral("<")) + QStringLiteral("b");
}

void TestFeatureTreeHighlighter::highlight()
{
    QFETCH(QString, search);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    FeatureTreeHighlighter highlighter;
    highlighter.searchText = search;
    QCOMPARE(highlighter.highlight(text), expected);
}

void TestFeatureTreeHighlighter::highlightUsesTheStoredColour()
{
    QSettings().setValue(settingsKey, QStringLiteral("#00AA00"));
    FeatureTreeHighlighter highlighter;
    highlighter.searchText = QStringLiteral("gain");
    QCOMPARE(highlighter.highlight(QStringLiteral("Gain")), marked(QStringLiteral("#00aa00"), QStringLiteral("Gain")));
}

void TestFeatureTreeHighlighter::colourFromSettings_data()
{
    QTest::addColumn<QVariant>("stored"); // invalid: no key at all
    QTest::addColumn<QString>("expected"); // the colour, and the key's value afterwards

    QTest::newRow("no key") << QVariant() << "#ffff50";
    QTest::newRow("colour name") << QVariant(QStringLiteral("#336699")) << "#336699";
    QTest::newRow("upper case") << QVariant(QStringLiteral("#ABCDEF")) << "#abcdef";
    QTest::newRow("named colour") << QVariant(QStringLiteral("red")) << "#ff0000";
    QTest::newRow("short form") << QVariant(QStringLiteral("#f00")) << "#ff0000";
    QTest::newRow("empty string") << QVariant(QString()) << "#ffff50";
    QTest::newRow("not a colour") << QVariant(QStringLiteral("sunshine")) << "#ffff50";
    QTest::newRow("not a string") << QVariant(42) << "#ffff50";
}

void TestFeatureTreeHighlighter::colourFromSettings()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, expected);
    if (stored.isValid())
        QSettings().setValue(settingsKey, stored);

    FeatureTreeHighlighter highlighter;
    QCOMPARE(highlighter.highlightColor().name(), expected);
    QVERIFY(highlighter.highlightColor().isValid());
    QCOMPARE(QSettings().value(settingsKey).toString(), expected);
}

QTEST_MAIN(TestFeatureTreeHighlighter)
#include "tst_featuretreehighlighter.moc"
