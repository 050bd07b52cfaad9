#include "featuretree/featuretreehighlighter.h"

#include "common/settingsgroup.h"

namespace {

const QLatin1String defaultColorName("#ffff50");

// The fixed pieces of the markup, built once per process.

const QString& openingTagStart()
{
    static const QString piece = QStringLiteral("<span style='background-color: ");
    return piece;
}

const QString& openingTagEnd()
{
    static const QString piece = QStringLiteral("; font-weight:bold'>");
    return piece;
}

const QString& closingTag()
{
    static const QString piece = QStringLiteral("</span>");
    return piece;
}

/// The HTML tags of `text` as [start, end) ranges, in order. A '<' without a
/// later '>' opens no tag.
QVector<QPair<int, int>> tagRanges(const QString& text)
{
    QVector<QPair<int, int>> tags;
    int open = text.indexOf(QLatin1Char('<'));
    while (open >= 0) {
        const int close = text.indexOf(QLatin1Char('>'), open + 1);
        if (close < 0)
            break;
        tags.append(qMakePair(open, close + 1));
        open = text.indexOf(QLatin1Char('<'), close + 1);
    }
    return tags;
}

/// End of the first tag that overlaps [start, end), or -1 when none does.
int endOfOverlappingTag(const QVector<QPair<int, int>>& tags, int start, int end)
{
    for (const auto& tag : tags) {
        if (tag.first >= end)
            break;
        if (tag.second > start)
            return tag.second;
    }
    return -1;
}

} // namespace

FeatureTreeHighlighter::FeatureTreeHighlighter()
{
    SettingsGroup settings(QStringLiteral("FeatureTree"));
    const QString key = QStringLiteral("HighlightColor");
    m_highlightColor.setNamedColor(settings->value(key, QString(defaultColorName)).toString());
    if (!m_highlightColor.isValid())
        m_highlightColor.setNamedColor(defaultColorName);
    settings->setValue(key, m_highlightColor.name());
}

QVector<QPair<int, int>> FeatureTreeHighlighter::matchRanges(const QString& text) const
{
    QVector<QPair<int, int>> ranges;
    if (searchText.isEmpty())
        return ranges;
    const int length = searchText.length();
    int from = 0;
    while (from <= text.length()) {
        const int pos = text.indexOf(searchText, from, Qt::CaseInsensitive);
        if (pos < 0)
            break;
        ranges.append(qMakePair(pos, pos + length));
        from = pos + length;
    }
    return ranges;
}

QString FeatureTreeHighlighter::highlight(const QString& text) const
{
    if (searchText.isEmpty())
        return text;

    const QString opening = openingTagStart() + m_highlightColor.name() + openingTagEnd();
    const int length = searchText.length();
    const QVector<QPair<int, int>> tags = tagRanges(text);
    QString result;
    result.reserve(text.size() + 64);
    int copied = 0;
    int pos = text.indexOf(searchText, 0, Qt::CaseInsensitive);
    while (pos >= 0) {
        // Tool tip headings are HTML: a match that touches a tag ("b" in
        // "<b>") would break the markup, so it is skipped.
        const int tagEnd = endOfOverlappingTag(tags, pos, pos + length);
        if (tagEnd >= 0) {
            pos = text.indexOf(searchText, tagEnd, Qt::CaseInsensitive);
            continue;
        }
        result.append(text.constData() + copied, pos - copied);
        result += opening;
        result.append(text.constData() + pos, length);
        result += closingTag();
        copied = pos + length;
        pos = text.indexOf(searchText, copied, Qt::CaseInsensitive);
    }
    result.append(text.constData() + copied, text.size() - copied);
    return result;
}
