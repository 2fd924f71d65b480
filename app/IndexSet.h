#pragma once

#include <vector>

// A set of row or column indexes, each held at most once: adding one twice or removing an absent one
// changes nothing.
class CIndexSet
{
public:
    bool Contains(int index) const;
    // Adds the index when on, removes it when off.
    void Set(int index, bool on);
    void Clear() { m_indexes.clear(); }
    bool IsEmpty() const { return m_indexes.empty(); }
    const std::vector<int> &Indexes() const { return m_indexes; }

private:
    std::vector<int> m_indexes;
};
