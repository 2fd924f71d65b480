#include "publish/CharacterSubstitutions.h"

void CCharacterSubstitutions::Set(const QString &key, const QString &value)
{
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
    for (const auto &[key, value] : m_pairs)
        if (!key.isEmpty())
            text.replace(key, value);
}
