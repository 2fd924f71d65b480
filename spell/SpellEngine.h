#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

// The spelling engine: one Hunspell dictionary of the chosen English, the words accepted for this session
// and the author's own words. Words are checked as the tokenizer gives them.
class CSpellEngine
{
public:
    // dictionaryFolder holds the "<name>.aff" and "<name>.dic" pairs; Debian's folder when empty.
    explicit CSpellEngine(QString dictionaryFolder = {});
    ~CSpellEngine();
    CSpellEngine(const CSpellEngine &) = delete;
    CSpellEngine &operator=(const CSpellEngine &) = delete;

    // The dictionary of a DictionaryLanguage command: 32959 en_CA, 32960 en_GB, any other en_US.
    static QString DictionaryName(int dictionaryLanguage);
    // The dictionary of a lexicon pair as GetSpellLexiconFiles gives it ("ssceca..." Canadian,
    // "sscebr..." British, anything else American).
    static QString DictionaryNameOfLexicons(const QString &lexiconFiles);
    static QString DefaultDictionaryFolder();

    // Loads the named dictionary. False (and no dictionary) when its files are not installed.
    bool LoadDictionary(const QString &name);
    bool SetLanguage(int dictionaryLanguage) { return LoadDictionary(DictionaryName(dictionaryLanguage)); }
    bool IsLoaded() const { return m_hunspell != nullptr; }
    const QString &DictionaryLoaded() const { return m_loaded; }

    // True for a word of the dictionary, of this session or of the author's list. A typographic
    // apostrophe counts as the plain one.
    bool IsCorrect(const QString &word) const;
    QStringList Suggest(const QString &word) const;
    // Accepted until the engine goes ("Ignore all", and the author's words as they are added).
    void AddToSession(const QString &word);

private:
    static QString Normalised(const QString &word);

    QString m_folder;
    QString m_loaded;
    std::unique_ptr<Hunspell> m_hunspell;
    QSet<QString> m_session;
};
