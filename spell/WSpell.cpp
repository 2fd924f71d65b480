#include "spell/WSpell.h"

#include "spell/SpellTokenizer.h"
#include "spell/SpellUi.h"
#include "platform/richtext/RichText.h"

CWSpell::CWSpell(CSpellUi &ui, const QString &userWordsPath, const QString &dictionaryFolder)
    : m_ui(ui), m_engine(dictionaryFolder), m_userWords(userWordsPath)
{
    m_userWords.Load();
    for (const QString &word : m_userWords.Words())
        m_engine.AddToSession(word);
}

bool CWSpell::SetLexiconFiles(const QString &lexiconFiles)
{
    return m_engine.LoadDictionary(CSpellEngine::DictionaryNameOfLexicons(lexiconFiles));
}

QString CWSpell::ContextOf(int position) const
{
    const int paragraph = m_text->ParagraphFromChar(position);
    const int start = m_text->ParagraphStart(paragraph);
    const QString text = m_text->GetTextRange(start, m_text->ParagraphEnd(paragraph));
    QString shown;
    for (int i = 0; i < text.size(); ++i)
        if (!m_text->GetCharFormatAt(start + i).Has(CFE_HIDDEN))
            shown.append(text[i]);
    return shown;
}

void CWSpell::Replace(int start, int end, const QString &replacement)
{
    // The new word takes the format of the first letter of the old one, whatever the neighbours carry.
    CCharFormat format = m_text->GetCharFormatAt(start);
    format.mask = CFM_ALL;
    m_text->SetSel(start, end);
    m_text->ReplaceSel(replacement);
    m_text->SetCharFormat(start, start + int(replacement.size()), format);
    ++m_changes;
    if (textChanged)
        textChanged();
}

short CWSpell::CheckText()
{
    if (!m_text || !m_engine.IsLoaded())
        return 0;
    int from = 0;
    for (;;) {
        const CorvSpellTokenizer::Word w = CorvSpellTokenizer::NextWord(m_text->GetText(), from);
        if (w.length == 0)
            return 0;
        const QString word = m_text->GetTextRange(w.start, w.End());
        from = w.End();
        // A word with hidden characters belongs to the link machinery, not to the author's prose.
        if (m_text->GetCharFormat(w.start, w.End()).Has(CFE_HIDDEN) || m_engine.IsCorrect(word))
            continue;
        if (m_changeAll.contains(word)) {
            Replace(w.start, w.End(), m_changeAll.value(word));
            from = w.start + int(m_changeAll.value(word).size());
            continue;
        }
        m_text->SetSel(w.start, w.End());
        const CSpellUi::Answer answer = m_ui.Ask({word, m_engine.Suggest(word), ContextOf(w.start)});
        switch (answer.action) {
        case CSpellUi::Action::cancel: return kCancelled;
        case CSpellUi::Action::ignore: break;
        case CSpellUi::Action::ignoreAll: m_engine.AddToSession(word); break;
        case CSpellUi::Action::add:
            m_engine.AddToSession(word);
            if (!m_userWords.Add(word))
                m_ui.Tell(QStringLiteral("The word \"%1\" could not be written to your word list %2; it is accepted "
                                         "until the check ends.")
                              .arg(word, m_userWords.Path()));
            break;
        case CSpellUi::Action::changeAll: m_changeAll.insert(word, answer.replacement); [[fallthrough]];
        case CSpellUi::Action::change:
            Replace(w.start, w.End(), answer.replacement);
            from = w.start + int(answer.replacement.size());
            break;
        }
    }
}
