#include "editor/OutlineRules.h"

#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <functional>

namespace OutlineRules {

namespace {

bool AnyInSubtrees(const COutlineTree &tree, const Item *start, const std::function<bool(const CCorvPage *)> &test)
{
    for (const Item *item = start ? start : tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item)) {
        if (test(tree.GetItemData(item)))
            return true;
        if (const Item *child = tree.GetChildItem(item); child && AnyInSubtrees(tree, child, test))
            return true;
    }
    return false;
}

bool AnySibling(const COutlineTree &tree, const Item *start, int pageType)
{
    for (const Item *item = start ? start : tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
        if (const CCorvPage *s = tree.GetItemData(item); s && s->GetPageType() == pageType)
            return true;
    return false;
}

} // namespace

Item *FindTreeItem(const COutlineTree &tree, const Item *start, const CCorvPage *screen)
{
    if (!screen)
        return nullptr;
    for (const Item *item = start ? start : tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemData(item) == screen)
            return const_cast<Item *>(item);
        if (const Item *child = tree.GetChildItem(item))
            if (Item *found = FindTreeItem(tree, child, screen))
                return found;
    }
    return nullptr;
}

Item *FindTreeItemOfPage(const COutlineTree &tree, const CCorvPage *screen)
{
    return FindTreeItem(tree, nullptr, screen);
}

Item *GetLastChildItem(const COutlineTree &tree, const Item *item)
{
    Item *last = nullptr;
    for (Item *child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
        last = child;
    return last;
}

int CountChildren(const COutlineTree &tree, const Item *item)
{
    int n = 0;
    for (const Item *child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
        ++n;
    return n;
}

Item *FindFirstMenuItem(const COutlineTree &tree)
{
    for (Item *item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
        if (IsMenuPage(tree.GetItemData(item)))
            return item;
    return nullptr;
}

bool HasMenuPage(const COutlineTree &tree, const Item *start)
{
    return AnyInSubtrees(tree, start, [](const CCorvPage *s) { return IsMenuPage(s); });
}

bool HasAssessmentPages(const COutlineTree &tree, const Item *start)
{
    return AnyInSubtrees(tree, start, [](const CCorvPage *s) { return s && s->IsAssessmentPage(); });
}

bool HasPopupsOnlyFolder(const COutlineTree &tree, const Item *start) { return AnySibling(tree, start, pt_popups_only); }

bool HasGlossaryFolder(const COutlineTree &tree, const Item *start) { return AnySibling(tree, start, pt_glossary); }

Item *FindLastMenuTopic(const COutlineTree &tree)
{
    for (Item *item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
        if (CCorvPage *s = tree.GetItemData(item); s && s->IsMultiTopicMenu())
            return GetLastChildItem(tree, item);
    return nullptr;
}

bool IsAncestorItem(const COutlineTree &tree, const Item *ancestor, const Item *item)
{
    if (!ancestor || !item)
        return false;
    for (const Item *up = tree.GetParentItem(item); up; up = tree.GetParentItem(up))
        if (up == ancestor)
            return true;
    return false;
}

bool IsAncestorPage(const COutlineTree &tree, const CCorvPage *a, const CCorvPage *b)
{
    if (!a || !b)
        return false;
    return IsAncestorItem(tree, FindTreeItemOfPage(tree, a), FindTreeItemOfPage(tree, b));
}

bool CanAddScreenHere(const COutlineTree &tree, const Item *current, int menuBased)
{
    if (menuBased == 0)
        return true;
    if (menuBased != 1 || !current)
        return false;
    if (current == tree.GetRootItem())
        return true;
    const CCorvPage *screen = tree.GetItemData(current);
    if (!screen)
        return false;
    const int type = screen->GetPageType();
    bool result = type == pt_container || type == pt_document || type == pt_remediation || type == pt_popups_only
                  || type == pt_glossary;
    if (type == pt_container && tree.ItemHasChildren(current)) {
        // A topic that holds the final assessment takes no new screens, unless it is the final performance
        // folder's own topic.
        for (const Item *c = tree.GetChildItem(current); c; c = tree.GetNextSiblingItem(c))
            if (const CCorvPage *s = tree.GetItemData(c); s && s->GetPageType() == pt_asmt_folder)
                result = false;
        for (const Item *c = tree.GetChildItem(current); c; c = tree.GetNextSiblingItem(c))
            if (c->text == QLatin1String("Final Performance Screens"))
                result = true;
    }
    return result;
}

bool CanInsertQuestion(const CCorvPage *current)
{
    if (!current)
        return false;
    const int type = current->GetPageType();
    return type == pt_container || type == pt_document || type == pt_question;
}

int TreeImageIndex(const CCorvPage *screen)
{
    return screen ? GetPageTypeImageIndex(screen->GetPageType(), screen->GetMenuKind()) : pt_document;
}

} // namespace OutlineRules
