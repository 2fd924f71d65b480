#include "model/OutlineTree.h"

#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <unordered_set>

// The screens of the popups-only and glossary lists, looked up once per numbering.
struct COutlineTree::ListMembership
{
    std::unordered_set<const CCorvPage *> popups;
    std::unordered_set<const CCorvPage *> glossary;

    ListMembership(const ScreenList &popupList, const ScreenList &glossaryList)
    {
        for (const auto &s : popupList)
            popups.insert(s.get());
        for (const auto &s : glossaryList)
            glossary.insert(s.get());
    }
};

COutlineTree::Item *COutlineTree::InsertItem(const QString &text, CCorvPage *screen, Item *parent, Item *after)
{
    if (after && after->parent != parent)
        after = nullptr;
    Item *&first = parent ? parent->firstChild : m_firstRoot;
    Item *&last = parent ? parent->lastChild : m_lastRoot;
    if (!after)
        after = last;

    m_items.emplace_back();
    Item *item = &m_items.back();
    item->self = std::prev(m_items.end());
    item->screen = screen;
    item->text = text;
    item->parent = parent;
    item->prev = after;
    item->next = after ? after->next : first;
    if (item->prev)
        item->prev->next = item;
    else
        first = item;
    if (item->next)
        item->next->prev = item;
    else
        last = item;
    return item;
}

void COutlineTree::Unlink(Item *item)
{
    Item *&first = item->parent ? item->parent->firstChild : m_firstRoot;
    Item *&last = item->parent ? item->parent->lastChild : m_lastRoot;
    if (item->prev)
        item->prev->next = item->next;
    else
        first = item->next;
    if (item->next)
        item->next->prev = item->prev;
    else
        last = item->prev;
    item->prev = item->next = nullptr;
}

void COutlineTree::Free(Item *item)
{
    for (Item *child = item->firstChild; child;) {
        Item *next = child->next;
        Free(child);
        child = next;
    }
    m_items.erase(item->self);
}

void COutlineTree::DeleteItem(Item *item)
{
    if (!item)
        return;
    Unlink(item);
    Free(item);
}

void COutlineTree::DeleteAllItems()
{
    m_items.clear();
    m_firstRoot = m_lastRoot = nullptr;
}

bool COutlineTree::IdHasPrefix(const QString &label, const QString &prefix)
{
    if (prefix.isEmpty() || label.size() <= prefix.size() + 1)
        return false;
    return label[prefix.size()] == u'_' && label.startsWith(prefix, Qt::CaseInsensitive);
}

void COutlineTree::RebuildFromScreenLists(const ScreenList &main, const ScreenList &popups, const ScreenList &glossary)
{
    DeleteAllItems();
    for (const ScreenList *list : {&main, &popups, &glossary}) {
        Item *lastInserted = nullptr;
        for (const auto &screen : *list) {
            if (!screen)
                continue;
            Item *parent = lastInserted;
            while (parent && !IdHasPrefix(screen->GetLabel(), parent->screen->GetLabel()))
                parent = parent->parent;
            lastInserted = InsertItem(screen->GetTitle(), screen.get(), parent);
        }
    }
}

bool COutlineTree::IsMenuPage(const CCorvPage *screen)
{
    if (!screen || screen->GetPageType() != pt_folder)
        return false;
    return screen->GetMenuKind() == apt_multi_topic_menu || screen->HasComponentOfType(ct_small_topic)
           || screen->HasComponentOfType(ct_large_topic);
}

bool COutlineTree::HasMenuScreen(const Item *start) const
{
    for (const Item *item = start ? start : m_firstRoot; item; item = item->next) {
        if (IsMenuPage(item->screen))
            return true;
        if (item->firstChild && HasMenuScreen(item->firstChild))
            return true;
    }
    return false;
}

namespace {

QString PublishIdSuffix(const CCorvPage &page)
{
    if (page.GetPageType() == pt_folder && COutlineTree::IsMenuPage(&page))
        return QStringLiteral("m");
    if (page.GetPageType() == pt_question)
        return QStringLiteral("q");
    if (page.GetPageType() == pt_asmt_folder)
        return QStringLiteral("f");
    return {};
}

// A menu's first child of one of these kinds starts a new level of topics.
bool OpensTopicLevel(const CCorvPage *child)
{
    if (!child)
        return false;
    const int type = child->GetPageType();
    return type == pt_container || type == pt_popups_only || type == pt_glossary;
}

} // namespace

void COutlineTree::NumberItems(const Item *item, int &major, int &minor, bool flat, const ListMembership &lists) const
{
    for (; item; item = item->next) {
        if (CCorvPage *page = item->screen) {
            QString id;
            if (lists.popups.count(page))
                id = QStringLiteral("1000_") + QString::number(minor);
            else if (lists.glossary.count(page))
                id = QStringLiteral("9000_") + QString::number(minor);
            else
                id = QString::number(major) + u'_' + QString::number(minor) + PublishIdSuffix(*page);
            page->SetPublishId(id);
        }
        if (item->firstChild) {
            if (!flat && IsMenuPage(item->screen) && !item->prev && OpensTopicLevel(item->firstChild->screen))
                ++major;
            ++minor;
            // Below the top level the numbering is never flat.
            NumberItems(item->firstChild, major, minor, false, lists);
        }
        if (item->next)
            ++minor;
    }
}

void COutlineTree::NumberPublishIds(const Item *start, int &major, int &minor, bool flat, const ScreenList &popups,
                                    const ScreenList &glossary) const
{
    if (!start) {
        start = m_firstRoot;
        major = minor = 0;
    }
    NumberItems(start, major, minor, flat, ListMembership(popups, glossary));
}

void COutlineTree::NumberPublishIds(const ScreenList &popups, const ScreenList &glossary) const
{
    int major = 0;
    int minor = 0;
    NumberPublishIds(nullptr, major, minor, !HasMenuScreen(), popups, glossary);
}
