#include "publish/CharacterSubstitutions.h"

void CCharacterSubstitutions::Set(const QString &key, const QString &value)
{
    if (!key.isEmpty()) {
        // A copy of the substitutions shares the set until one of them changes it.
        auto starts = m_keyStarts ? std::make_shared<std::bitset<0x10000>>(*m_keyStarts)
                                  : std::make_shared<std::bitset<0x10000>>();
        starts->set(key.front().unicode());
        m_keyStarts = std::move(starts);
    }
    for (auto &pair : m_pairs) {
        if (pair.first == key) {
            pair.second = value;
            return;
        }
    }
    m_pairs.append({key, value});
}

void CCharacterSubstitutions::Apply(QString &text) const
{
    if (!m_keyStarts)
        return;
    const std::bitset<0x10000> &starts = *m_keyStarts;
    bool any = false;
    for (const QChar c : text)
        if (starts.test(c.unicode())) {
            any = true;
            break;
        }
    if (!any)
        return;
    for (const auto &[key, value] : m_pairs)
        if (!key.isEmpty())
            text.replace(key, value);
}
