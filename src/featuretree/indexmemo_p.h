#pragma once

#include "featuretree/stampedtable_p.h"

#include <QModelIndex>

/// Where a model index's entry is looked for first. Neighbouring rows stay
/// neighbours: a pass visits rows in tree order, and the items of a tree model
/// are made, and lie in memory, in much the same order. Items are larger than
/// 64 bytes; a model that gives its rows one internal id tells them apart by row.
inline uint stampedSlotHash(const QModelIndex& key)
{
    return uint((quint64(key.internalId()) >> 6) + quint64(key.row()) * 2 + quint64(key.column()));
}

/// Answers kept per model index for one filtering pass.
template<typename Value> class IndexMemo : public StampedTable<QModelIndex, Value>
{ };
