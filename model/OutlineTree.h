#pragma once

#include <QString>

#include <list>
#include <memory>
#include <vector>

class CCorvPage;

// The course outline: a tree of items, each showing one screen. It is built from the document's screen
// lists by their outline labels, the Edit window shows it, and the publisher and the importers walk it
// for the order and nesting of screens. Items are handles that stay valid until they are deleted.
class COutlineTree
{
public:
    using ScreenList = std::vector<std::unique_ptr<CCorvPage>>;

    class Item
    {
    public:
        CCorvPage *screen = nullptr;
        QString text;

    private:
        friend class COutlineTree;
        Item *parent = nullptr;
        Item *firstChild = nullptr;
        Item *lastChild = nullptr;
        Item *prev = nullptr;
        Item *next = nullptr;
        std::list<Item>::iterator self;
    };

    COutlineTree() = default;
    COutlineTree(const COutlineTree &) = delete;
    COutlineTree &operator=(const COutlineTree &) = delete;

    // The first item at the root; null when the tree is empty.
    Item *GetRootItem() const { return m_firstRoot; }
    Item *GetChildItem(const Item *item) const { return item ? item->firstChild : nullptr; }
    Item *GetNextSiblingItem(const Item *item) const { return item ? item->next : nullptr; }
    Item *GetPrevSiblingItem(const Item *item) const { return item ? item->prev : nullptr; }
    // Null for an item at the root.
    Item *GetParentItem(const Item *item) const { return item ? item->parent : nullptr; }
    bool ItemHasChildren(const Item *item) const { return item && item->firstChild; }
    CCorvPage *GetItemData(const Item *item) const { return item ? item->screen : nullptr; }
    int GetCount() const { return int(m_items.size()); }

    // Inserts an item under parent (null: the root) directly after the sibling after, or as the last child
    // when after is null or not a child of parent.
    Item *InsertItem(const QString &text, CCorvPage *screen, Item *parent = nullptr, Item *after = nullptr);
    // Deletes the item with everything below it.
    void DeleteItem(Item *item);
    void DeleteAllItems();

    // Rebuilds the tree from the three screen lists, main, popups-only and glossary in that order, each
    // starting again at the root: a screen goes under the nearest screen before it in its list whose label
    // it continues (IdHasPrefix), at the root when there is none. Items show the screens' titles.
    void RebuildFromScreenLists(const ScreenList &main, const ScreenList &popups, const ScreenList &glossary);

    // Whether the label names a screen below the one labelled prefix: the prefix followed by "_" and more,
    // compared without regard to case ("1_2" and "1_2_1" are below "1", "12" is not).
    static bool IdHasPrefix(const QString &label, const QString &prefix);

    // A folder screen that opens a menu of topics: page type pt_folder and either the multi-topic-menu kind
    // or a small or large topic button. The screen is not changed; null is no menu.
    static bool IsMenuPage(const CCorvPage *screen);
    // Whether the item, a following sibling or anything below them shows a menu screen; null starts at the
    // first root item.
    bool HasMenuScreen(const Item *start = nullptr) const;

    // Gives every screen of the tree its publish id: "major_minor" with "m" for a menu screen, "q" for a
    // question screen and "f" for an assessment folder, or "1000_minor" and "9000_minor" for screens of the
    // popups and glossary lists. Minor is the item's place in a depth-first walk; major counts the menus
    // that open a level of topics. flat: the course has no menu screen. A null start numbers the whole tree
    // from zero.
    void NumberPublishIds(const Item *start, int &major, int &minor, bool flat, const ScreenList &popups,
                          const ScreenList &glossary) const;
    // The whole tree, as a publish numbers it.
    void NumberPublishIds(const ScreenList &popups, const ScreenList &glossary) const;

private:
    struct ListMembership;
    void NumberItems(const Item *item, int &major, int &minor, bool flat, const ListMembership &lists) const;
    void Unlink(Item *item);
    void Free(Item *item);

    std::list<Item> m_items;
    Item *m_firstRoot = nullptr;
    Item *m_lastRoot = nullptr;
};
