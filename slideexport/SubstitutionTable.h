#pragma once

#include <QString>
#include <QStringList>

// The exporter's character substitutions, read from "substitutions.txt": items separated by commas or line
// ends, each "find;replace", a side that reads as a number standing for the character of that code in the
// legacy code page. Each pair is kept as one string: its first character is searched for, the rest replaces it.
class CSubstitutionTable
{
public:
    static constexpr int kMaxPairs = 32767;

    // Reads the table from position 0; false and a message for an item without ";" or too many items.
    // The table is left as it was when the file cannot be read.
    bool Load(const QString &path, QString *error);
    bool Parse(const QByteArray &bytes, QString *error);

    // The text with every pair applied in order.
    QString Apply(const QString &text) const;
    // The text after substitution as a CDATA section that keeps the document well-formed: a "]]>" split
    // across two sections, soft line breaks left over as carriage returns, other characters XML cannot hold
    // dropped.
    QString ApplySubstitutions(const QString &text) const;

    const QStringList &Pairs() const { return m_pairs; }

private:
    QStringList m_pairs;
};
