#pragma once

#include "featuretree/stampedtable_p.h"

#include <QHash>
#include <QString>

/// A name with its hash worked out once: probing compares the hashes and
/// reads a stored name only when they are equal.
struct HashedName
{
    QString name;
    uint hash = 0;

    bool operator==(const HashedName& other) const { return hash == other.hash && name == other.name; }
};

inline uint stampedSlotHash(const HashedName& key)
{
    return key.hash;
}

/// Counts distinct names, all forgotten at once by clear(). The filter records
/// every match of a pass here: tens of thousands of names, most of them
/// different, which a QSet allocated and freed one by one. The table keeps a
/// reference to each name it holds until its slot is used again or the room
/// goes (the names are shared with the rows, no text is copied).
class DistinctNames
{
public:
    void insert(const QString& name)
    {
        const HashedName key { name, uint(qHash(name)) };
        m_table.findOrMake(key);
    }
    int size() const { return m_table.size(); }
    /// Forgets every name. The room stays for the next pass unless it is far
    /// more than the last pass needed: then it goes with the names it holds.
    void clear()
    {
        if (m_table.capacity() > 1024 && m_table.capacity() > 16 * m_table.size())
            m_table.release();
        else
            m_table.clear();
    }

private:
    struct Nothing
    { };
    StampedTable<HashedName, Nothing> m_table;
};
