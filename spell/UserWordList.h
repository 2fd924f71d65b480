#pragma once

#include <QString>
#include <QStringList>

// The author's own words ("Add" in the spelling dialog): one word a line, UTF-8, in "userwords.txt" of
// the per-user folder, shared by every project of the author.
class CUserWordList
{
public:
    explicit CUserWordList(QString path);

    static QString PathIn(const QString &appDataFolder);

    // The words of the file; none when it does not exist or cannot be read.
    void Load();
    const QStringList &Words() const { return m_words; }
    const QString &Path() const { return m_path; }
    // Adds the word and writes the list at once, replacing the file only once the new one is complete.
    // False when it cannot be written (the word stays accepted for this run).
    bool Add(const QString &word);

private:
    QString m_path;
    QStringList m_words;
};
