#include "spell/SpellCheckCommand.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentBase.h"
#include "model/ComponentTable.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "spell/SpellUi.h"
#include "spell/UserWordList.h"
#include "spell/WSpell.h"

namespace {

const char kDone[] = "Spell checking is done";
const char kCannotCreate[] = "Fail to create spell checker";
const char kNoEditProject[] = "CCorvessaDoc::OnToolsSpellCheckProject Fail to get pointer to CEditFrmVw";
const char kNoEditThisPage[] = "CCorvessaDoc::OnToolsSpellCheckThisPage Fail to get pointer to CEditFrmVw";

} // namespace

CSpellCheckCommand::CSpellCheckCommand(CCorvessaDoc &doc, CSpellEditorHooks *hooks, CSpellUi &ui,
                                       QString dictionaryFolder)
    : m_doc(doc), m_hooks(hooks), m_ui(ui), m_dictionaryFolder(std::move(dictionaryFolder))
{
}

std::vector<CRichText *> CSpellCheckCommand::CollectTexts(const CCorvPage &screen)
{
    std::vector<CRichText *> texts;
    for (const auto &component : screen.GetComponentList()) {
        if (auto *table = dynamic_cast<CComponentTable *>(component.get())) {
            for (CRichTextLinks &cell : table->GetCellList())
                texts.push_back(&cell.GetRichText());
        } else if (CRichText *text = component->GetEditorText()) {
            texts.push_back(text);
        }
    }
    return texts;
}

void CSpellCheckCommand::OnToolsSpellCheckProject() { Run(Scope::project); }

void CSpellCheckCommand::OnToolsSpellCheckThisPage() { Run(Scope::thisPage); }

void CSpellCheckCommand::Run(Scope scope)
{
    if (!m_hooks) {
        m_ui.Tell(QString::fromLatin1(scope == Scope::project ? kNoEditProject : kNoEditThisPage));
        return;
    }
    CWSpell spell(m_ui, CUserWordList::PathIn(m_doc.GetContext().appDataFolder), m_dictionaryFolder);
    if (!spell.SetLexiconFiles(QString::fromLatin1(GetSpellLexiconFiles(m_doc.Settings().DictionaryLanguage)))) {
        m_ui.Tell(QString::fromLatin1(kCannotCreate));
        return;
    }
    std::vector<CCorvPage *> screens;
    if (scope == Scope::project) {
        for (const auto &screen : m_doc.MainScreens())
            screens.push_back(screen.get());
    } else if (CCorvPage *current = m_hooks->CurrentScreen()) {
        screens.push_back(current);
    }
    bool cancelled = false;
    for (CCorvPage *screen : screens) {
        m_hooks->SetWaitCursor(true);
        const std::vector<CRichText *> texts = CollectTexts(*screen);
        if (!texts.empty() && scope == Scope::project && m_hooks->CurrentScreen() != screen)
            m_hooks->MakeCurrent(screen);
        m_hooks->SetWaitCursor(false);
        spell.textChanged = [this, screen] { m_hooks->TextChanged(*screen); };
        for (CRichText *text : texts) {
            spell.SetTextControl(text);
            const int changesBefore = spell.Changes();
            cancelled = spell.CheckText() == CWSpell::kCancelled;
            text->SetSel(-1, -1);
            if (spell.Changes() != changesBefore)
                screen->SetModified(1);
            if (cancelled)
                break;
        }
        if (cancelled)
            break;
    }
    if (spell.Changes() > 0)
        m_doc.SetModifiedFlag();
    m_ui.Tell(QString::fromLatin1(kDone));
}
