#include "editor/FindReplace.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentBase.h"
#include "model/ComponentTable.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/richtext/RichText.h"

namespace {

constexpr int kNoMoreInPage = 61447;
constexpr int kNoMoreInProject = 61448;
constexpr int kReplacementsMade = 61449;
const char *const kNoTextBox = "There is no TextBox in this page";

bool TouchesHiddenText(const CRichText &text, int start, int end)
{
    for (int at = start; at < end; ++at)
        if (text.GetCharFormatAt(at).Has(CFE_HIDDEN))
            return true;
    return false;
}

} // namespace

CFindReplace::CFindReplace(CCorvessaDoc &document, CFindReplaceHost &host, CPrompt &prompt)
    : m_document(document), m_host(host), m_prompt(prompt)
{
}

std::vector<CFindReplace::Target> CFindReplace::CollectTargets(const CCorvPage &screen, bool textBoxesOnly)
{
    // The order spelling and searching share: every text box and every table cell, row by row, in drawing
    // order.
    std::vector<Target> targets;
    for (int i = 0; i < screen.GetComponentCount(); ++i) {
        CComponentBase *component = screen.GetComponent(i);
        if (component->GetType() == ct_textbox) {
            if (CRichText *text = component->GetEditorText())
                targets.push_back({component, text});
        } else if (auto *table = dynamic_cast<CComponentTable *>(component); table && !textBoxesOnly) {
            for (CRichTextLinks &cell : table->GetCellList())
                targets.push_back({component, &cell.GetRichText()});
        }
    }
    return targets;
}

int CFindReplace::FindNext(Target target, bool replace)
{
    CRichText &text = *target.text;
    const uint32_t flags = FR_DOWN | FR_WHOLEWORD | (matchCase ? FR_MATCHCASE : 0);
    int from = m_start;
    int at = -1;
    int end = 0;
    for (;;) {
        at = text.FindText(flags, from, -1, findWhat, &end);
        if (at < 0)
            return -1;
        if (!TouchesHiddenText(text, at, end))
            break;
        from = at + 1;
    }
    text.SetSel(at, end);
    m_start = end + 1;
    if (replace) {
        text.ReplaceSel(replaceWith);
        ++m_replacements;
        m_start = at + int(replaceWith.size()) + 1;
        MarkModified(m_screen);
        m_host.TextChanged(*target.component, text);
    } else {
        m_host.ShowSelection(*target.component, text);
    }
    return m_start;
}

void CFindReplace::LoadTargets(CCorvPage *screen)
{
    m_screen = screen;
    m_targets = screen ? CollectTargets(*screen, false) : std::vector<Target>{};
    m_targetIndex = m_targets.empty() ? -1 : 0;
}

bool CFindReplace::PrepareNextScreen()
{
    CCorvPage *screen = nullptr;
    if (wholeProject) {
        const auto &screens = m_document.MainScreens();
        while (m_nextScreen < screens.size()) {
            CCorvPage *candidate = screens[m_nextScreen++].get();
            if (candidate && (candidate->HasComponentOfType(ct_textbox) || candidate->HasComponentOfType(ct_table))) {
                screen = candidate;
                break;
            }
        }
        if (!screen)
            return false;
        m_host.ShowScreen(screen);
    } else {
        screen = m_host.CurrentScreen();
        if (!screen)
            return false;
    }
    LoadTargets(screen);
    return m_targetIndex >= 0;
}

CFindReplace::Target CFindReplace::NextTarget()
{
    auto take = [this]() -> Target {
        if (m_targetIndex < 0 || m_targetIndex >= int(m_targets.size()))
            return {};
        return m_targets[size_t(m_targetIndex++)];
    };
    if (Target next = take(); next.text)
        return next;
    if (wholeProject) {
        if (PrepareNextScreen())
            return take();
        if (!m_prompt.YesNo(CStringTable::Load(kNoMoreInProject))) {
            m_closed = true;
            return {};
        }
        m_nextScreen = 0;
        m_start = 0;
        if (PrepareNextScreen())
            return take();
        return {};
    }
    if (!m_prompt.YesNo(CStringTable::Load(kNoMoreInPage))) {
        m_closed = true;
        return {};
    }
    LoadTargets(m_host.CurrentScreen());
    return take();
}

CFindReplace::Outcome CFindReplace::Find()
{
    m_closed = false;
    if (m_newSearch) {
        m_nextScreen = 0;
        PrepareNextScreen();
        m_newSearch = false;
        m_start = 0;
        m_current = NextTarget();
    }
    int result = -1;
    do {
        if (m_lastResult == -1) {
            m_start = 0;
            if (m_current.text) {
                const int length = m_current.text->GetTextLength();
                m_current.text->SetSel(length, length);
            }
            m_current = NextTarget();
        }
        if (m_closed)
            return Outcome::Closed;
        if (!m_current.text) {
            // Nothing to search in either mode: say so rather than search on. The next Find starts again.
            m_prompt.Information(QString::fromLatin1(kNoTextBox));
            m_newSearch = true;
            m_lastResult = 0;
            return Outcome::NoText;
        }
        result = FindNext(m_current, false);
        m_lastResult = result;
    } while (result == -1);
    return Outcome::Found;
}

void CFindReplace::Replace()
{
    if (!m_current.text)
        return;
    int start = 0;
    int end = 0;
    m_current.text->GetSel(start, end);
    if (start == end)
        return;
    m_current.text->ReplaceSel(replaceWith);
    ++m_replacements;
    MarkModified(m_screen);
    m_host.TextChanged(*m_current.component, *m_current.text);
}

int CFindReplace::ReplaceAll()
{
    m_replacements = 0;
    auto replaceIn = [this](CCorvPage *screen) {
        CCorvPage *searched = m_screen;
        m_screen = screen;
        for (const Target &target : CollectTargets(*screen, true)) {
            m_start = 0;
            while (FindNext(target, true) != -1) {
            }
        }
        m_screen = searched;
    };
    if (wholeProject) {
        for (const auto &screen : m_document.MainScreens())
            replaceIn(screen.get());
    } else if (CCorvPage *screen = m_host.CurrentScreen()) {
        replaceIn(screen);
    }
    m_start = 0;
    m_prompt.Information(CStringTable::Load(kReplacementsMade).arg(m_replacements));
    return m_replacements;
}

void CFindReplace::MarkModified(CCorvPage *screen)
{
    if (screen)
        screen->SetModified(1);
    m_document.SetModifiedFlag(true);
}
