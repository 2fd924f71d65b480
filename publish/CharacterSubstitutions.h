#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <bitset>
#include <memory>

// The substitutions applied to text that goes into published screen files (specialChars.txt: a key, a tab
// and its replacement on each line). Kept in the order the keys first appear, so that a replacement
// holding a later key gives the same result on every run; a later line with the same key replaces the
// value in place.
class CCharacterSubstitutions
{
public:
    void Set(const QString &key, const QString &value);
    void Clear()
    {
        m_pairs.clear();
        m_keyStarts.reset();
    }
    bool IsEmpty() const { return m_pairs.isEmpty(); }
    int Count() const { return int(m_pairs.size()); }

    // Replaces every occurrence of each key by its value, key after key in order; a value that holds a
    // later key is replaced again. An empty key replaces nothing.
    void Apply(QString &text) const;

private:
    QList<QPair<QString, QString>> m_pairs;
    // The first characters of the keys: a text holding none of them is left as it is without a look for
    // each key (no key occurs, so no replacement brings one in).
    std::shared_ptr<std::bitset<0x10000>> m_keyStarts;
};
