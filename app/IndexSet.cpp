#include "app/IndexSet.h"

#include <algorithm>

bool CIndexSet::Contains(int index) const
{
    return std::find(m_indexes.begin(), m_indexes.end(), index) != m_indexes.end();
}

void CIndexSet::Set(int index, bool on)
{
    const auto found = std::find(m_indexes.begin(), m_indexes.end(), index);
    if (on && found == m_indexes.end())
        m_indexes.push_back(index);
    else if (!on && found != m_indexes.end())
        m_indexes.erase(found);
}
