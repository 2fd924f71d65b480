#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The substitutions applied to text that goes into published screen files (specialChars.txt: a key, a tab
// and its replacement on each line). Kept in the order the keys first appear, so that a replacement
// holding a later key gives the same result on every run; a later line with the same key replaces the
// value in place.
class CCharacterSubstitutions
{
public:
    void Set(const QString &key, const QString &value);
    void Clear() { m_pairs.clear(); }
    bool IsEmpty() const { return m_pairs.isEmpty(); }
    int Count() const { return int(m_pairs.size()); }

    // Replaces every occurrence of each key by its value, key after key in order; a value that holds a
    // later key is replaced again. An empty key replaces nothing.
    void Apply(QString &text) const;

private:
    QList<QPair<QString, QString>> m_pairs;
};
