#pragma once

#include <QModelIndex>
#include <QVector>

#include <utility>

/// Answers kept per model index for one filtering pass: an open-addressing
/// table in one block, whose entries are all forgotten at once by starting a
/// new generation, without touching or freeing them. A pass asks about every
/// row it shows; a hash of separately allocated entries spent as much on
/// allocating and freeing them as the pass spent on its answers.
template<typename Value> class IndexMemo
{
public:
    /// The entry of `key`, or null when it has none.
    Value* find(const QModelIndex& key)
    {
        if (m_slots.isEmpty())
            return nullptr;
        for (int i = slotOf(key);; i = (i + 1) & mask()) {
            Slot& slot = m_slots[i];
            if (slot.generation != m_generation)
                return nullptr;
            if (slot.key == key)
                return &slot.value;
        }
    }

    /// The entry of `key`, made with a default value when it has none. Stays
    /// where it is until another entry is made.
    Value& operator[](const QModelIndex& key)
    {
        if (2 * (m_count + 1) > m_slots.size())
            grow();
        for (int i = slotOf(key);; i = (i + 1) & mask()) {
            Slot& slot = m_slots[i];
            if (slot.generation != m_generation) {
                slot = Slot { key, Value(), m_generation };
                ++m_count;
                return slot.value;
            }
            if (slot.key == key)
                return slot.value;
        }
    }

    int size() const { return m_count; }

    /// Forgets every entry; the room stays for the next pass.
    void clear()
    {
        m_count = 0;
        if (++m_generation == 0) { // after 2^32 passes: old stamps could come back
            for (Slot& slot : m_slots)
                slot.generation = 0;
            m_generation = 1;
        }
    }

    /// Forgets every entry and gives the room back.
    void release()
    {
        clear();
        m_slots = QVector<Slot>();
    }

private:
    struct Slot
    {
        QModelIndex key;
        Value value;
        quint32 generation = 0; // The entry counts while it equals m_generation.
    };

    int mask() const { return m_slots.size() - 1; }

    int slotOf(const QModelIndex& key) const
    {
        // Neighbouring rows stay neighbours: a pass visits rows in tree order,
        // and the items of a tree model are made, and lie in memory, in much
        // the same order. Items are larger than 64 bytes; a model that gives
        // its rows one internal id tells them apart by row.
        const quint64 h = (quint64(key.internalId()) >> 6) + quint64(key.row()) * 2 + quint64(key.column());
        return int(h & quint64(mask()));
    }

    void grow()
    {
        const QVector<Slot> old = std::exchange(m_slots, QVector<Slot>(qMax(64, 2 * m_slots.size())));
        const quint32 current = m_generation;
        m_count = 0;
        for (const Slot& slot : old) {
            if (slot.generation == current)
                (*this)[slot.key] = slot.value;
        }
    }

    QVector<Slot> m_slots; // A power of two long, at most half full.
    int m_count = 0;
    quint32 m_generation = 1; // Never 0, the stamp of a slot never used.
};
