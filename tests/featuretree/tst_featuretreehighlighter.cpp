#include "featuretree/featuretreehighlighter.h"
#include "testsettings.h"

#include <QSettings>
#include <QtTest>

class TestFeatureTreeHighlighter : public QObject
{
    Q_OBJECT
private slots:
    void marksMatches_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ranges");
        QTest::addColumn<QString>("marked"); // each match in [ ]
        QTest::addColumn<QVariant>("stored"); // the colour setting, none when invalid
        QTest::addColumn<QString>("colour"); // used, and stored afterwards
        const auto row = [](const char* name, const QString& search, const QString& text, const char* ranges,
                            const QString& marked, const QVariant& stored = {}, const char* colour = "#ffff50") {
            QTest::newRow(name) << search << text << ranges << marked << stored << colour;
        };
        row("two matches, overlap skipped", "aa", "AaxxxxxxxaAax", "0-2 9-11", "[Aa]xxxxxxx[aA]ax");
        row("empty search text", "", "<b>Gain</b>", "", "<b>Gain</b>");
        row("match at the end", "time", "ExposureTime", "8-12", "Exposure[Time]");
        row("adjacent matches", "ab", "abAB", "0-2 2-4", "[ab][AB]");
        // The search text in the inserted markup is not found again.
        row("search text in the markup", "span", "Timespan", "4-8", "Time[span]");
        // Tool tip headings are HTML: tags are not searched.
        row("tags left alone", "b", "<nobr><b>Black (BlackLevel)</b></nobr>", "3-4 7-8 9-10 16-17 29-30 35-36",
            "<nobr><b>[B]lack ([B]lackLevel)</b></nobr>");
        row("tag name only", "nobr", "<nobr><b>W</b></nobr>", "1-5 16-20", "<nobr><b>W</b></nobr>");
        row("match running into a tag", "h<", "<b>Width</b>", "7-9", "<b>Width</b>");
        row("lone angle bracket is text", "<", "a<b", "1-2", "a[<]b");
        row("stored colour, upper case", "gain", "Gain", "0-4", "[Gain]", "#ABCDEF", "#abcdef");
        row("not a colour", "gain", "Gain", "0-4", "[Gain]", "sunshine");
    }
    void marksMatches()
    {
        QFETCH(QString, text);
        QFETCH(QString, marked);
        QFETCH(QVariant, stored);
        QFETCH(QString, colour);
        TestSettings isolated;
        if (stored.isValid())
            QSettings().setValue("FeatureTree/HighlightColor", stored);
        FeatureTreeHighlighter highlighter;
        QFETCH(QString, search);
        highlighter.searchText = search;
        QStringList ranges;
        for (const auto& range : highlighter.matchRanges(text))
            ranges << QString("%1-%2").arg(range.first).arg(range.second);
        QTEST(ranges.join(' '), "ranges");
        marked.replace('[', "<span style='background-color: " + colour + "; font-weight:bold'>")
            .replace(']', "</span>");
        QCOMPARE(highlighter.highlight(text), marked);
        QCOMPARE(QSettings().value("FeatureTree/HighlightColor").toString(), colour);
    }
};

QTEST_MAIN(TestFeatureTreeHighlighter)
#include "tst_featuretreehighlighter.moc"
