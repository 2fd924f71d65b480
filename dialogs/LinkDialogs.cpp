#include "dialogs/LinkDialogs.h"

#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "model/URLLink.h"

#include <algorithm>

const QStringList &CAddLinkValues::ShowTexts()
{
    static const QStringList texts = {
        QStringLiteral("Course screens"),
        QStringLiteral("Course and Popups only screens"),
        QStringLiteral("Popups only screens"),
        QStringLiteral("Glossary screens"),
        QStringLiteral("Create a new Glossary item and link to it."),
    };
    return texts;
}

QString CAddLinkValues::DefaultCaption(const CCorvPage & /*screen*/, int listIndex, char list)
{
    const QString number = QString::number(listIndex + 1);
    return list == 'P' ? QStringLiteral("P") + number : list == 'G' ? QStringLiteral("G") + number : number;
}

void CAddLinkValues::SetMode(Mode mode)
{
    m_mode = mode;
    switch (mode) {
    case ScreenMode:
        screenLink = 1;
        script = 0;
        address.clear();
        break;
    case UrlMode:
        screenLink = 0;
        script = 0;
        targetScreen = -1;
        break;
    case ScriptMode:
        screenLink = 0;
        script = 1;
        targetScreen = -1;
        break;
    }
}

bool CAddLinkValues::ChooseShow(int index)
{
    m_show = std::clamp(index, 0, int(ShowCreateGlossary));
    showCourse = m_show == ShowCourse || m_show == ShowCourseAndPopups;
    showPopups = m_show == ShowCourseAndPopups || m_show == ShowPopups;
    showGlossary = m_show == ShowGlossary;
    createGlossaryItem = m_show == ShowCreateGlossary;
    selectNewest = 0;
    if (showPopups)
        popup = 1;
    if (showGlossary) {
        popupWidth = std::max(popupWidth, kGlossaryWidth);
        popupHeight = std::max(popupHeight, kGlossaryHeight);
    }
    return createGlossaryItem != 0;
}

void CAddLinkValues::GlossaryItemAdded()
{
    ChooseShow(ShowGlossary);
    selectNewest = 1;
}

void CAddLinkValues::SetPopup(bool on) { popup = on ? 1 : 0; }
void CAddLinkValues::SetFullSize(bool on) { fullSize = on ? 1 : 0; }
void CAddLinkValues::SetAddress(const QString &text) { address = text; }
void CAddLinkValues::SetScriptText(const QString &text) { scriptText = text; }

std::vector<CAddLinkValues::Entry> CAddLinkValues::FillScreenList(const CCorvessaDoc &document,
                                                                  const CaptionFunction &caption)
{
    const CaptionFunction captionOf = caption ? caption : CaptionFunction(&CAddLinkValues::DefaultCaption);
    targetScreen = -1;
    std::vector<Entry> entries;
    if (m_mode != ScreenMode)
        return entries;
    const auto add = [&](const CCorvessaDoc::ScreenList &list, char kind, const auto &offered) {
        for (size_t i = 0; i < list.size(); ++i) {
            const CCorvPage &screen = *list[i];
            if (offered(screen))
                entries.push_back({captionOf(screen, int(i), kind) + QStringLiteral(" : ") + screen.GetTitle(),
                                   screen.GetId()});
        }
    };
    const auto folderOrDocument = [](const CCorvPage &s) {
        return s.GetPageType() == pt_folder || s.GetPageType() == pt_document;
    };
    if (showCourse) {
        // A popup opens a screen of reading: not a question, not a menu of topics.
        add(document.MainScreens(), 'M', [this, &folderOrDocument](const CCorvPage &s) {
            if (popup)
                return s.GetPageType() == pt_document || (s.GetPageType() == pt_folder && !COutlineTree::IsMenuPage(&s));
            return folderOrDocument(s) || s.GetPageType() == pt_question;
        });
    }
    if (showPopups)
        add(document.PopupScreens(), 'P', folderOrDocument);
    if (showGlossary) {
        const size_t before = entries.size();
        add(document.GlossaryScreens(), 'G', folderOrDocument);
        if (selectNewest && entries.size() > before)
            targetScreen = entries.back().screen;
    }
    return entries;
}

void CAddLinkValues::SelectScreen(int screen) { targetScreen = screen; }

CAddLinkValues::Enabling CAddLinkValues::GetEnabling() const
{
    Enabling e;
    const bool screenMode = m_mode == ScreenMode;
    e.showList = screenMode;
    e.screenList = screenMode;
    e.address = m_mode == UrlMode;
    e.script = m_mode == ScriptMode;
    e.popupTicked = popup != 0;
    if (!screenMode || showGlossary || createGlossaryItem) {
        e.popupBox = false;
        e.sizeRadios = false;
        e.sizeFields = false;
        return e;
    }
    // While popup screens are listed a link to them can only open as a popup.
    e.popupBox = !showPopups;
    e.sizeRadios = popup != 0;
    e.sizeFields = popup != 0 && fullSize == 0;
    return e;
}

bool CAddLinkValues::IsOkEnabled() const
{
    switch (m_mode) {
    case ScreenMode:
        return targetScreen != -1;
    case UrlMode:
        return !address.isEmpty();
    case ScriptMode:
        return !scriptText.isEmpty();
    }
    return false;
}

void CAddLinkValues::ApplyTo(CURLLink &link) const
{
    link.SetScreenLink(screenLink);
    link.SetTargetScreen(targetScreen);
    link.SetUrl(Url());
    link.SetPopup(popup);
    link.SetScript(script);
    link.SetFullSize(fullSize);
    link.SetPopupSize(popupHeight, popupWidth);
}
