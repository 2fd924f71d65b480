#include "model/OutlineTree.h"

#include "model/ComponentBase.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"

#include <gtest/gtest.h>

namespace {

using ScreenList = COutlineTree::ScreenList;

class TopicButton : public CComponentBase
{
public:
    TopicButton() : CComponentBase(ct_large_topic) {}
    std::unique_ptr<CComponentBase> Clone(bool) const override { return std::make_unique<TopicButton>(); }
    void SerializeComponent(CArchive &) override {}
};

CCorvPage *Add(ScreenList &list, const QString &label, int pageType = pt_document, const QString &title = {})
{
    list.push_back(std::make_unique<CCorvPage>(int(list.size()) + 1, title.isEmpty() ? "T" + label : title, "", "", 0,
                                               label, pageType, -1));
    return list.back().get();
}

// The tree as text: each item's label, its children in brackets.
QString Shape(const COutlineTree &tree, const COutlineTree::Item *item)
{
    QStringList parts;
    for (; item; item = tree.GetNextSiblingItem(item)) {
        QString part = tree.GetItemData(item)->GetLabel();
        if (tree.ItemHasChildren(item))
            part += "[" + Shape(tree, tree.GetChildItem(item)) + "]";
        parts.append(part);
    }
    return parts.join(' ');
}

QString Shape(const COutlineTree &tree) { return Shape(tree, tree.GetRootItem()); }

QStringList PublishIds(const ScreenList &list)
{
    QStringList ids;
    for (const auto &s : list)
        ids.append(s->GetPublishId());
    return ids;
}

} // namespace

// Guards the outline's nesting by labels: a screen sits under the nearest earlier screen whose label it
// continues with "_", so "11" after "1" is a sibling, not a child; each list starts again at the root.
TEST(OutlineTree, RebuildsNestingFromLabels)
{
    ScreenList main, popups, glossary;
    for (const char *label : {"1", "1_1", "1_2", "1_2_1", "11", "11_1", "2", "2_1", "3_1"})
        Add(main, label);
    for (const char *label : {"P4", "p4_1", "P4_2"})
        Add(popups, label, pt_popups_only);
    for (const char *label : {"G5", "G5_1"})
        Add(glossary, label, pt_glossary);

    COutlineTree tree;
    tree.RebuildFromScreenLists(main, popups, glossary);
    EXPECT_EQ(Shape(tree), "1[1_1 1_2[1_2_1]] 11[11_1] 2[2_1] 3_1 P4[p4_1 P4_2] G5[G5_1]");
    EXPECT_EQ(tree.GetCount(), 14);
    EXPECT_EQ(tree.GetRootItem()->text, "T1");

    // Rebuilding replaces what was there.
    tree.RebuildFromScreenLists(glossary, {}, {});
    EXPECT_EQ(Shape(tree), "G5[G5_1]");

    struct Case { const char *label, *prefix; bool below; };
    const Case cases[] = {{"1_2", "1", true},     {"1", "1", false},  {"1_2", "1_2_1", false}, {"p3_1", "P3", true},
                          {"12", "1", false},     {"1_", "1", false}, {"_1", "", false},       {"1000_1", "1000", true}};
    for (const Case &c : cases)
        EXPECT_EQ(COutlineTree::IdHasPrefix(c.label, c.prefix), c.below) << c.label << " under " << c.prefix;
}

// Guards the item links the editor and the walkers rely on when items are inserted in the middle and
// deleted with their subtrees.
TEST(OutlineTree, InsertAndDeleteKeepLinks)
{
    ScreenList main;
    for (const char *label : {"a", "b", "c", "c1", "d"})
        Add(main, label);
    COutlineTree tree;
    auto *a = tree.InsertItem("a", main[0].get());
    auto *c = tree.InsertItem("c", main[2].get());
    auto *b = tree.InsertItem("b", main[1].get(), nullptr, a);
    tree.InsertItem("c1", main[3].get(), c);
    // An "after" item under another parent is ignored: the item goes last.
    tree.InsertItem("d", main[4].get(), nullptr, tree.GetChildItem(c));
    EXPECT_EQ(Shape(tree), "a b c[c1] d");
    EXPECT_EQ(tree.GetPrevSiblingItem(c), b);
    EXPECT_EQ(tree.GetParentItem(tree.GetChildItem(c)), c);

    tree.DeleteItem(c);
    EXPECT_EQ(Shape(tree), "a b d");
    EXPECT_EQ(tree.GetCount(), 3);
    tree.DeleteItem(a);
    EXPECT_EQ(tree.GetRootItem(), b);
    EXPECT_EQ(tree.GetPrevSiblingItem(b), nullptr);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.GetCount(), 0);
}

// Guards the publish ids, which name the published screen files and the links between them: a menu course
// opens a new major number at its first topic container, a flat course keeps major 0, minor counts
// every screen depth first, and popup and glossary screens take their folders' numbers.
TEST(OutlineTree, NumbersPublishIds)
{
    ScreenList main, popups, glossary;
    CCorvPage *menu = Add(main, "1", pt_folder);
    menu->SetMenuKind(apt_multi_topic_menu);
    Add(main, "1_1", pt_container);
    Add(main, "1_2", pt_question);
    Add(main, "2", pt_document);
    COutlineTree tree;
    tree.RebuildFromScreenLists(main, popups, glossary);
    tree.NumberPublishIds(popups, glossary);
    EXPECT_EQ(PublishIds(main), QStringList({"0_0m", "1_1", "1_2q", "1_3"}));

    // The same tree without a menu numbers flat.
    menu->SetMenuKind(apt_normal);
    tree.NumberPublishIds(popups, glossary);
    EXPECT_EQ(PublishIds(main), QStringList({"0_0", "0_1", "0_2q", "0_3"}));

    // A topic button makes a folder a menu without changing the screen; a second menu whose first child
    // is no container, or which has a previous sibling, opens no level.
    menu->AddComponent(std::make_unique<TopicButton>());
    menu->SetMenuKind(apt_normal);
    EXPECT_TRUE(COutlineTree::IsMenuPage(menu));
    EXPECT_EQ(menu->GetMenuKind(), apt_normal);
    main.clear();
    popups.clear();
    CCorvPage *m1 = Add(main, "1", pt_folder);
    m1->SetMenuKind(apt_multi_topic_menu);
    Add(main, "1_1", pt_container);
    Add(main, "1_1_1", pt_document);
    Add(main, "1_2", pt_asmt_folder);
    Add(main, "1_2_1", pt_question);
    CCorvPage *m2 = Add(main, "2", pt_folder);
    m2->SetMenuKind(apt_multi_topic_menu);
    Add(main, "2_1", pt_container);
    Add(popups, "P3", pt_popups_only);
    Add(popups, "P3_1", pt_question);
    Add(glossary, "G4", pt_glossary);
    Add(glossary, "G4_1", pt_document);
    tree.RebuildFromScreenLists(main, popups, glossary);
    tree.NumberPublishIds(popups, glossary);
    EXPECT_EQ(PublishIds(main), QStringList({"0_0m", "1_1", "1_2", "1_3f", "1_4q", "1_5m", "1_6"}));
    EXPECT_EQ(PublishIds(popups), QStringList({"1000_7", "1000_8"}));
    EXPECT_EQ(PublishIds(glossary), QStringList({"9000_9", "9000_10"}));
    EXPECT_TRUE(tree.HasMenuScreen());
    EXPECT_FALSE(tree.HasMenuScreen(tree.GetChildItem(tree.GetRootItem())));
}
