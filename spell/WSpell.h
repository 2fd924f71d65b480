#pragma once

#include "spell/SpellEngine.h"
#include "spell/UserWordList.h"

#include <QHash>

#include <functional>

class CRichText;
class CSpellUi;

// The spelling checker of one spelling command: given its lexicons once, then handed the texts to check
// one after another. Each check asks the author about every word the dictionary does not know and changes
// the text in place, keeping the format of the word it replaces; the choices "Ignore all", "Change all"
// and "Add" hold for the rest of the command.
class CWSpell
{
public:
    static constexpr short kCancelled = -17;

    // dictionaryFolder: where the dictionaries lie (Debian's when empty); userWordsPath: the author's list.
    CWSpell(CSpellUi &ui, const QString &userWordsPath, const QString &dictionaryFolder = {});

    // Loads the dictionary of the lexicon pair (GetSpellLexiconFiles). False when it is not installed.
    bool SetLexiconFiles(const QString &lexiconFiles);
    void SetTextControl(CRichText *text) { m_text = text; }
    // Checks the text set last: 0 when done, kCancelled when the author cancelled.
    short CheckText();
    // How many words the checks of this command replaced.
    int Changes() const { return m_changes; }

    const CSpellEngine &Engine() const { return m_engine; }

    // Told after each word replaced in the text being checked, so the text's window shows it at once.
    std::function<void()> textChanged;

private:
    void Replace(int start, int end, const QString &replacement);
    QString ContextOf(int position) const;

    CSpellUi &m_ui;
    CSpellEngine m_engine;
    CUserWordList m_userWords;
    CRichText *m_text = nullptr;
    QHash<QString, QString> m_changeAll;
    int m_changes = 0;
};
