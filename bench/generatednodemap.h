#pragma once

#include <QByteArray>

// The node map the benchmarks time the tree on: Root, then three levels of
// categories under `topCategories` top categories (4 sub-categories on each
// of the two levels below the top), 250 features per top category, most of
// them in the deepest categories, with visibilities from Beginner to Invisible.
// Every hundredth feature carries the word "Zebra" in its name.
struct GeneratedNodeMap
{
    static constexpr const char* searchWord = "Zebra";
    static constexpr int featuresPerTopCategory = 250;

    int categories = 0;
    int features = 0;
    int matching = 0;
    QByteArray xml;

    explicit GeneratedNodeMap(int topCategories);
};
