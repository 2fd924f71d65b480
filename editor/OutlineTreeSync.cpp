#include "editor/OutlineTreeSync.h"

#include "document/CorvessaDoc.h"
#include "editor/PageIds.h"
#include "model/ComponentLink.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::vector<const CCorvPage *> SortedScreens(const CCorvessaDoc::ScreenList &list)
{
    std::vector<const CCorvPage *> screens;
    screens.reserve(list.size());
    for (const auto &s : list)
        screens.push_back(s.get());
    std::sort(screens.begin(), screens.end());
    return screens;
}

bool In(const std::vector<const CCorvPage *> &sorted, const CCorvPage *screen)
{
    return std::binary_search(sorted.begin(), sorted.end(), screen);
}

} // namespace

void COutlineTreeSync::CollectItemData(std::vector<CCorvPage *> &out, const COutlineTree::Item *start) const
{
    for (const COutlineTree::Item *item = start ? start : m_tree.GetRootItem(); item;
         item = m_tree.GetNextSiblingItem(item)) {
        if (CCorvPage *screen = m_tree.GetItemData(item))
            out.push_back(screen);
        if (const COutlineTree::Item *child = m_tree.GetChildItem(item))
            CollectItemData(out, child);
    }
}

void COutlineTreeSync::NumberOutline(const COutlineTree::Item *item, const QString &label)
{
    const bool whole = !item;
    NumberItems(whole ? m_tree.GetRootItem() : item, whole ? QStringLiteral("1") : label,
                SortedScreens(m_doc.PopupScreens()), SortedScreens(m_doc.GlossaryScreens()));
    RefreshLinkLabels();
}

void COutlineTreeSync::NumberItems(const COutlineTree::Item *item, QString label,
                                   const std::vector<const CCorvPage *> &popups,
                                   const std::vector<const CCorvPage *> &glossary)
{
    for (; item; item = m_tree.GetNextSiblingItem(item)) {
        CCorvPage *screen = m_tree.GetItemData(item);
        if (In(popups, screen) && !label.startsWith(u'P', Qt::CaseInsensitive))
            label.prepend(u'P');
        else if (In(glossary, screen) && !label.startsWith(u'G', Qt::CaseInsensitive))
            label.prepend(u'G');
        if (screen)
            screen->SetLabel(label);
        if (const COutlineTree::Item *child = m_tree.GetChildItem(item))
            NumberItems(child, label + QStringLiteral("_1"), popups, glossary);
        // A top-level "P5" counts as 5, so the main-list item after the popups folder becomes 6 rather than
        // a second 1.
        label = PageIds::NextPageId(label.contains(u'_') ? label : PageIds::WithoutListPrefix(label));
    }
}

void COutlineTreeSync::RefreshLinkLabels()
{
    // Links on folders are resolved by their target's label when a project is read: keep it that of the
    // screen they point at.
    for (const CCorvessaDoc::ScreenList *list : {&m_doc.MainScreens(), &m_doc.PopupScreens(), &m_doc.GlossaryScreens()})
        for (const auto &screen : *list)
            for (const auto &component : screen->GetComponentList())
                if (auto *link = dynamic_cast<CComponentLink *>(component.get());
                    link && !link->GetTargetLabel().isEmpty()) {
                    if (const CCorvPage *target = link->GetTargetPage(m_doc))
                        link->SetTargetLabel(target->GetLabel());
                }
}

void COutlineTreeSync::RebuildScreenLists()
{
    std::vector<CCorvPage *> order;
    CollectItemData(order);

    CCorvessaDoc::Content content;
    m_doc.SwapContent(content);
    std::unordered_map<CCorvPage *, std::unique_ptr<CCorvPage>> owned;
    std::unordered_map<CCorvPage *, int> from;
    int kind = 0;
    for (CCorvessaDoc::ScreenList *list : {&content.main, &content.popups, &content.glossary}) {
        for (auto &screen : *list) {
            from[screen.get()] = kind;
            owned.emplace(screen.get(), std::move(screen));
        }
        list->clear();
        ++kind;
    }
    for (CCorvPage *screen : order) {
        auto at = owned.find(screen);
        if (at == owned.end() || !at->second)
            continue;
        const QString &label = screen->GetLabel();
        const int type = screen->GetPageType();
        CCorvessaDoc::ScreenList &list = type == pt_popups_only || label.startsWith(u'P', Qt::CaseInsensitive)
                                             ? content.popups
                                         : type == pt_glossary || label.startsWith(u'G', Qt::CaseInsensitive)
                                             ? content.glossary
                                             : content.main;
        list.push_back(std::move(at->second));
    }
    // Whatever the outline did not show keeps its list.
    std::vector<std::pair<int, CCorvPage *>> leftovers;
    for (auto &[screen, ptr] : owned)
        if (ptr)
            leftovers.emplace_back(from[screen], screen);
    if (!leftovers.empty()) {
        // Keep them in their old relative order: the order they had is lost in the map, so sort by list and
        // then by screen number, which follows creation.
        std::sort(leftovers.begin(), leftovers.end(), [](const auto &a, const auto &b) {
            return a.first != b.first ? a.first < b.first : a.second->GetId() < b.second->GetId();
        });
        CCorvessaDoc::ScreenList *lists[] = {&content.main, &content.popups, &content.glossary};
        for (const auto &[list, screen] : leftovers)
            lists[list]->push_back(std::move(owned[screen]));
    }
    m_doc.SwapContent(content);
}

bool COutlineTreeSync::RebuildTopicList()
{
    const COutlineTree::Item *menu = nullptr;
    for (const COutlineTree::Item *item = m_tree.GetRootItem(); item && !menu; item = m_tree.GetNextSiblingItem(item))
        if (CCorvPage *screen = m_tree.GetItemData(item); screen && screen->IsMultiTopicMenu())
            menu = item;
    if (!menu)
        return false;
    m_doc.ClearTopics();
    int number = 1;
    for (const COutlineTree::Item *child = m_tree.GetChildItem(menu); child; child = m_tree.GetNextSiblingItem(child)) {
        const CCorvPage *screen = m_tree.GetItemData(child);
        if (!screen || screen->GetPageType() != pt_container)
            continue;
        m_doc.AddTopic(std::make_unique<CTopic>(QString::number(number++), screen->GetTitle(), screen->GetBanner(),
                                                screen->GetSourceDocument(),
                                                screen->GetAssessable() == 1 ? QStringLiteral("TRUE")
                                                                             : QStringLiteral("FALSE")));
    }
    m_doc.MutableSettings().MenuBasedCourse = 1;
    return true;
}
