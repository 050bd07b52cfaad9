#pragma once

#include "orvikviewercomponents6_export.h"

#include <QColor>
#include <QPair>
#include <QString>
#include <QVector>

/// The search text of one feature tree and the colour its matches are marked
/// in, as match ranges for painting and as HTML for tool tips. GUI thread only.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeHighlighter
{
public:
    /// Reads the colour from the settings ("FeatureTree/HighlightColor") and
    /// writes it back, so that the key exists for the user to change.
    FeatureTreeHighlighter();

    /// The current search text; empty highlights nothing. The tree widget
    /// assigns the filter text here.
    QString searchText;

    QColor highlightColor() const { return m_highlightColor; }

    /// Start and end (exclusive) of every case-insensitive match, ascending,
    /// without overlaps.
    QVector<QPair<int, int>> matchRanges(const QString& text) const;
    /// The text with every match wrapped in a styled span, the matched
    /// characters kept as they are. Matches inside HTML tags are left alone.
    QString highlight(const QString& text) const;

private:
    QColor m_highlightColor;
};
