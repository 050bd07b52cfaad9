#pragma once

#include <QVector>

namespace ParameterCollection {

/// The nodes reachable from `seeds` (the seeds included, each node once, in
/// breadth-first order) over the edges that `next(node)` gives; nodes are the
/// indexes 0 .. count - 1. Both collections use it to find every feature
/// whose snapshot a change may have touched.
template<typename Next>
QVector<int> reachableFrom(const QVector<int>& seeds, int count, const Next& next)
{
    QVector<bool> seen(count, false);
    QVector<int> queue;
    queue.reserve(seeds.size());
    const auto visit = [&](int node) {
        if (!seen[node]) {
            seen[node] = true;
            queue << node;
        }
    };
    for (int s : seeds)
        visit(s);
    for (int q = 0; q < queue.size(); ++q) {
        for (int d : next(queue[q]))
            visit(d);
    }
    return queue;
}

} // namespace ParameterCollection
