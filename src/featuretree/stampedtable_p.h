#pragma once

#include <QVector>

#include <utility>

/// An open-addressing table in one block whose entries are all forgotten at
/// once by starting a new generation, without touching or freeing them. The
/// filter keeps answers and match names this way for one filtering pass: a
/// hash of separately allocated entries spent as much on allocating and
/// freeing them as the pass spent on its answers.
///
/// `Key` needs `==` and a free function `uint stampedSlotHash(const Key&)`
/// that picks the first slot to try (any bits; the table masks them).
template<typename Key, typename Value> class StampedTable
{
public:
    /// The entry of `key`, or null when it has none.
    Value* find(const Key& key)
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

    /// The entry of `key`, made with a default value when it has none (then
    /// `*made` is set). Stays where it is until another entry is made.
    Value& findOrMake(const Key& key, bool* made = nullptr)
    {
        if (2 * (m_count + 1) > m_slots.size())
            grow();
        for (int i = slotOf(key);; i = (i + 1) & mask()) {
            Slot& slot = m_slots[i];
            if (slot.generation != m_generation) {
                // An entry of an earlier generation is overwritten only here.
                slot.key = key;
                slot.value = Value();
                slot.generation = m_generation;
                ++m_count;
                if (made)
                    *made = true;
                return slot.value;
            }
            if (slot.key == key)
                return slot.value;
        }
    }

    Value& operator[](const Key& key) { return findOrMake(key); }

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

    /// The number of slots the table holds, used or not.
    int capacity() const { return m_slots.size(); }

private:
    struct Slot
    {
        Key key;
        Value value;
        quint32 generation = 0; // The entry counts while it equals m_generation.
    };

    int mask() const { return m_slots.size() - 1; }
    int slotOf(const Key& key) const { return int(stampedSlotHash(key) & uint(mask())); }

    void grow()
    {
        QVector<Slot> old = std::exchange(m_slots, QVector<Slot>(qMax(64, 2 * m_slots.size())));
        const quint32 current = m_generation;
        m_count = 0;
        // Moved, not copied: a key that shares its data (a string) is not
        // referenced and released once more for every entry.
        for (Slot& slot : old) {
            if (slot.generation != current)
                continue;
            int i = slotOf(slot.key);
            while (m_slots[i].generation == current)
                i = (i + 1) & mask();
            m_slots[i] = std::move(slot);
            ++m_count;
        }
    }

    QVector<Slot> m_slots; // A power of two long, at most half full.
    int m_count = 0;
    quint32 m_generation = 1; // Never 0, the stamp of a slot never used.
};
