#include "editor/MenuScreens.h"

#include "document/ComponentInsertion.h"
#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "document/ProjectArchive.h"
#include "editor/EditController.h"
#include "editor/OutlineRules.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLink.h"
#include "model/ComponentQuestion.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/EditCanvas.h"
#include "model/GlobalHelpers.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>

#include <cmath>
#include <memory>
#include <vector>

// ---- Layout arithmetic ----

namespace MenuLayout {

namespace {

// Box corners by (number of children - 1, column).
constexpr int kBoxLeft[8][8] = {
    {404},
    {261, 547},
    {158, 404, 650},
    {65, 291, 517, 743},
    {65, 291, 517, 743, 65},
    {65, 291, 517, 743, 65, 291},
    {65, 291, 517, 743, 65, 291, 517},
    {65, 291, 517, 743, 65, 291, 517, 743},
};
constexpr int kBoxTop[8][8] = {
    {174},
    {130, 130},
    {130, 130, 130},
    {130, 130, 130, 130},
    {85, 85, 85, 85, 328},
    {85, 85, 85, 85, 328, 328},
    {85, 85, 85, 85, 328, 328, 328},
    {85, 85, 85, 85, 328, 328, 328, 328},
};

} // namespace

bool UsesList(int children, bool alwaysList) { return alwaysList || children > kMostBoxes; }

CRect TopicButtonRect(int children, int column, bool alwaysList, bool noImages)
{
    if (children <= 0 || column < 0 || column >= children)
        return CRect();
    if (UsesList(children, alwaysList)) {
        int top = 0;
        if (children > kMostSpreadRows) {
            top = 6 + 46 * column;
        } else {
            const int gap = (kScreenHeight - kRowHeight * children) / (children + 1) - 1;
            top = (column + 1) * gap + kRowHeight * column;
        }
        return CRect(kRowLeft, top, kRowRight, top + kRowHeight);
    }
    const int left = kBoxLeft[children - 1][column];
    const int top = kBoxTop[children - 1][column];
    return CRect(left, top, left + kBoxWidth, top + (noImages ? kBoxHeightWithoutPicture : kBoxHeight));
}

QSize MeasureLinkCaption(const QString &caption, const QString &face, int points)
{
    QFont font = QGuiApplication::font();
    if (!face.isEmpty())
        font.setFamily(face);
    if (points > 0)
        font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    return QFontMetrics(font).size(Qt::TextSingleLine, caption);
}

} // namespace MenuLayout

// ---- The screens ----

namespace {

bool IsTopicButton(const CComponentBase &component)
{
    return component.GetType() == ct_small_topic || component.GetType() == ct_large_topic;
}

std::vector<CComponentLink *> LinksOf(const CCorvPage &screen)
{
    std::vector<CComponentLink *> links;
    for (const auto &component : screen.GetComponentList())
        if (auto *link = dynamic_cast<CComponentLink *>(component.get()))
            links.push_back(link);
    return links;
}

} // namespace

CMenuScreens::CMenuScreens(CEditController &edit, CGraphicsLibrarySearch *library)
    : m_edit(edit), m_library(library), m_measure(&MenuLayout::MeasureLinkCaption)
{
}

void CMenuScreens::InstallHooks()
{
    CEditController::Hooks &hooks = m_edit.GetHooks();
    hooks.layoutAllMenus = [this] { LayoutAllMenus(); };
    hooks.updateSectionLinks = [this] { UpdateSectionLinks(); };
    hooks.swapDefaultFeedback = [this](CCorvPage *screen) { SwapDefaultFeedback(screen); };
}

void CMenuScreens::ShowAgainIfCurrent(CCorvPage *screen)
{
    if (!screen || screen != m_edit.GetCurrentPage())
        return;
    CEditController::Hooks &hooks = m_edit.GetHooks();
    if (hooks.showScreen)
        hooks.showScreen(screen);
    else if (CEditCanvas *canvas = m_edit.GetCanvas())
        screen->ShowOnCanvas(*canvas);
}

// ---- Topic buttons ----

int CMenuScreens::LayoutMenuButtons(CCorvPage *menu)
{
    if (!menu)
        return 0;
    if (menu->GetPageType() != pt_folder)
        return menu->GetPageType();
    const COutlineTree &tree = m_edit.GetTreeCtrl();
    const Item *menuItem = m_edit.FindTreeItemOfPage(menu);
    // A screen outside the outline has no topics to follow: its buttons stay as they are.
    if (!menuItem)
        return 0;

    CCorvessaDoc &doc = m_edit.Document();
    const CCourseSettings &settings = doc.Settings();
    std::vector<std::unique_ptr<CComponentBase>> old;
    std::vector<CComponentBase *> found;
    for (const auto &component : menu->GetComponentList())
        if (IsTopicButton(*component))
            found.push_back(component.get());
    menu->LeaveCanvas();
    for (CComponentBase *button : found)
        old.push_back(menu->DetachComponent(button));

    const int n = OutlineRules::CountChildren(tree, menuItem);
    const bool list = MenuLayout::UsesList(n, settings.MainMenuOnlyListMenu != 0);
    const bool noImages = settings.MainMenuNoImages != 0;
    CScreenHooks hooks(menu);
    CComponentInsertion insertion(doc, hooks, m_library);
    int column = 0;
    for (const Item *child = tree.GetChildItem(menuItem); child; child = tree.GetNextSiblingItem(child)) {
        CCorvPage *screen = child->screen;
        if (screen && screen->GetPageType() == pt_asmt_folder)
            continue;
        if (screen)
            screen->SetMenuKind(apt_topic);
        const int thumbnail = screen ? m_edit.FindThumbnailIndex(screen) : -1;
        // The button made for the same topic before keeps its picture; a renamed topic starts afresh. A new
        // button is not fitted until its picture says so.
        int fitted = 0;
        QString picture;
        for (const auto &component : old) {
            const auto &button = static_cast<const CComponentTopicButton &>(*component);
            if (button.GetTitle() == child->text && button.GetThumbnailIndex() == thumbnail) {
                picture = button.GetPicturePath();
                fitted = button.IsFitted();
                break;
            }
        }
        const CRect rect = MenuLayout::TopicButtonRect(n, column, list, noImages);
        if (list)
            insertion.AddSmallTopicButton(menu, child->text, thumbnail, picture, rect, fitted);
        else
            insertion.AddLargeTopicButton(menu, child->text, thumbnail, picture, rect, fitted);
        ++column;
    }

    CEditController::Hooks &editHooks = m_edit.GetHooks();
    if (editHooks.deleteCanvasTrackers)
        editHooks.deleteCanvasTrackers();
    if (editHooks.clearCanvasSelection)
        editHooks.clearCanvasSelection();
    old.clear();
    // The menu being edited stays on the canvas with its new buttons.
    ShowAgainIfCurrent(menu);
    return 0;
}

int CMenuScreens::LayoutAllMenus()
{
    const COutlineTree &tree = m_edit.GetTreeCtrl();
    for (const Item *item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item)) {
        if (!OutlineRules::IsMenuPage(item->screen))
            continue;
        LayoutMenuButtons(item->screen);
        m_edit.RefreshPageThumbnail(item->screen);
    }
    return 0;
}

// ---- Section links ----

bool CMenuScreens::KeepsLink(const Item *folder, const CCorvPage *target) const
{
    const COutlineTree &tree = m_edit.GetTreeCtrl();
    const Item *item = target ? m_edit.FindTreeItemOfPage(target) : nullptr;
    if (!item)
        return false;
    const Item *parent = tree.GetParentItem(item);
    if (parent == folder)
        return true;
    // The link standing for a container child points at the container's first screen.
    return parent && tree.GetParentItem(parent) == folder && parent->screen
           && parent->screen->GetPageType() == pt_container && tree.GetChildItem(parent) == item;
}

int CMenuScreens::UpdateSectionLinks()
{
    CCorvessaDoc &doc = m_edit.Document();
    const COutlineTree &tree = m_edit.GetTreeCtrl();
    const QString face = doc.Settings().FontName[0];
    const int points = CProjectArchive::MainFontPoints(doc.Settings());
    int changedScreens = 0;
    for (const auto &owned : doc.MainScreens()) {
        CCorvPage *screen = owned.get();
        if (screen->GetPageType() != pt_folder || OutlineRules::IsMenuPage(screen))
            continue;
        const Item *folder = m_edit.FindTreeItemOfPage(screen);
        if (!folder)
            continue;
        bool changed = false;

        for (CComponentLink *link : LinksOf(*screen)) {
            if (link->GetTargetLabel().isEmpty() || link->GetTargetPageId() < 0)
                continue;
            if (KeepsLink(folder, link->GetTargetPage(doc)))
                continue;
            screen->RemoveComponent(link, 0);
            changed = true;
        }

        int x = MenuLayout::kLinkLeft;
        int y = MenuLayout::kLinkBottomRow;
        for (const CComponentLink *link : LinksOf(*screen)) {
            const CRect bounds = link->GetBounds();
            x += bounds.Width() + MenuLayout::kLinkGap;
            if (x > MenuLayout::kScreenWidth) {
                y -= bounds.Height() + MenuLayout::kLinkRowGap;
                x = bounds.Width() + 2 * MenuLayout::kLinkGap;
            }
        }

        for (const Item *child = tree.GetChildItem(folder); child; child = tree.GetNextSiblingItem(child)) {
            const CCorvPage *target = child->screen;
            if (target && target->GetPageType() == pt_container) {
                const Item *first = tree.GetChildItem(child);
                if (!first)
                    continue;
                target = first->screen;
            }
            if (!target)
                continue;
            bool covered = false;
            for (const CComponentLink *link : LinksOf(*screen))
                covered = covered || (!link->GetTargetLabel().isEmpty() && link->GetTargetPageId() == target->GetId());
            if (covered)
                continue;

            auto link = std::make_unique<CComponentLink>(doc.GetEditCanvas());
            link->SetFont(face, points);
            const QString caption = MenuLayout::kLinkCaptionPrefix + target->GetTitle();
            link->SetText(caption);
            link->SetTargetLabel(target->GetLabel());
            link->SetTargetPage(target);
            link->Hide();
            const QSize size = m_measure ? m_measure(caption, face, points) : QSize();
            const int w = size.width();
            const int h = size.height();
            if (x + w > MenuLayout::kScreenWidth) {
                y -= h + MenuLayout::kLinkRowGap;
                x = MenuLayout::kLinkLeft;
            }
            link->SetBounds(CRect(x, y, x + w, y + h), true);
            if (!screen->AddComponent(std::move(link)))
                continue;
            x += w + MenuLayout::kLinkGap;
            changed = true;
        }

        if (changed) {
            screen->SetModified(1);
            ++changedScreens;
            ShowAgainIfCurrent(screen);
        }
    }
    return changedScreens;
}

// ---- Default feedback ----

bool CMenuScreens::UseFinalFeedbackPair(const CCorvessaDoc &doc, const COutlineTree &tree, const CCorvPage *screen)
{
    if (doc.Settings().LastAssessmentTopic == 0)
        return false;
    if (!OutlineRules::HasMenuPage(tree, tree.GetRootItem()))
        return true;
    if (!screen)
        return false;
    const Item *last = OutlineRules::GetLastChildItem(tree, tree.GetRootItem());
    if (!last)
        return false;
    for (const Item *item = OutlineRules::FindTreeItemOfPage(tree, screen); item; item = tree.GetParentItem(item))
        if (item == last)
            return true;
    return false;
}

bool CMenuScreens::UseFinalFeedbackPair(const CCorvPage *screen) const
{
    return UseFinalFeedbackPair(m_edit.Document(), m_edit.GetTreeCtrl(), screen);
}

void CMenuScreens::SwapDefaultFeedback(CCorvPage *screen)
{
    if (!screen || screen->GetPageType() != pt_question)
        return;
    const CCourseSettings &s = m_edit.Document().Settings();
    const bool assessment = UseFinalFeedbackPair(screen);
    const QString &fromCorrect = assessment ? s.FeedBackCorrect : s.AssmntFeedBackCorrect;
    const QString &fromWrong = assessment ? s.FeedBackWrong : s.AssmntFeedBackWrong;
    const QString &toCorrect = assessment ? s.AssmntFeedBackCorrect : s.FeedBackCorrect;
    const QString &toWrong = assessment ? s.AssmntFeedBackWrong : s.FeedBackWrong;
    auto swap = [&](auto &question) {
        if (question.GetCorrectFeedback() == fromCorrect)
            question.SetCorrectFeedback(toCorrect);
        if (question.GetWrongFeedback() == fromWrong)
            question.SetWrongFeedback(toWrong);
    };
    for (const auto &component : screen->GetComponentList()) {
        if (auto *question = dynamic_cast<CComponentQuestion *>(component.get()))
            swap(*question);
        else if (auto *likert = dynamic_cast<CComponentLikert *>(component.get()))
            swap(*likert);
    }
}
