#include "EditFixture.h"

#include "editor/OutlineDrop.h"

#include <gtest/gtest.h>

namespace {

using R = OutlineDrop::Result;

// A menu course with a topic of each kind, a popups folder and a glossary folder.
struct MenuCourse : EditFixture {
    MenuCourse()
        : EditFixture({{"1", "Menu", pt_folder},
                   {"1_1", "Topic", pt_container},
                   {"1_1_1", "C1"},
                   {"1_1_2", "Q1", pt_question},
                   {"1_1_3", "F1", pt_folder},
                   {"1_1_3_1", "C2"},
                   {"1_1_4", "AD", pt_asmt_document},
                   {"1_2", "Topic2", pt_container},
                   {"1_2_1", "R1", pt_remediation},
                   {"1_3", "AF", pt_asmt_folder},
                   {"P2", "Popups", pt_popups_only, EditFixture::popups},
                   {"P2_1", "P1", pt_document, EditFixture::popups},
                   {"G3", "Glossary", pt_glossary, EditFixture::glossary},
                   {"G3_1", "G1", pt_document, EditFixture::glossary}})
    {
        Page("Menu")->SetMenuKind(apt_multi_topic_menu);
        doc->MutableSettings().MenuBasedCourse = 1;
    }
};

} // namespace

// Guards the page-type rules of outline drags: what may go where, as a child or after, and the refusals
// (own subtree, special folders, non-main targets).
TEST(OutlineDrop, DecisionTable)
{
    MenuCourse f;
    struct Case {
        const char *dragged, *target;
        bool right;
        R expected;
    };
    const Case cases[] = {
        {"Popups", "C1", false, R::refused},       {"Glossary", "Menu", true, R::refused},
        {"C1", "C1", true, R::refused},            {"F1", "C2", false, R::refused},
        {"Topic", "C2", true, R::refused},         {"F1", "C1", false, R::after},
        {"F1", "C1", true, R::after},              {"F1", "P1", false, R::refused},
        {"R1", "C1", false, R::after},             {"R1", "Q1", true, R::after},
        {"R1", "F1", false, R::refused},           {"Topic2", "Menu", true, R::child},
        {"Topic2", "Menu", false, R::refusedOnTarget}, {"Topic2", "Topic", true, R::refused},
        {"Topic2", "R1", true, R::refused},        {"Topic2", "P1", true, R::refused},
        {"C1", "C2", true, R::child},              {"C1", "Q1", true, R::refused},
        {"C1", "F1", true, R::refused},            {"C1", "AF", true, R::refused},
        {"C1", "Popups", true, R::child},          {"Q1", "Popups", true, R::refusedOnTarget},
        {"Q1", "P1", true, R::after},              {"C1", "P1", true, R::child},
        {"Q1", "C2", true, R::child},              {"C1", "Q1", false, R::after},
        {"C1", "R1", false, R::after},             {"C1", "Menu", false, R::after},
        {"C1", "F1", false, R::refused},           {"C1", "Topic2", false, R::refused},
        {"AF", "Topic2", false, R::after},         {"AF", "C1", false, R::refusedOnTarget},
        {"AF", "P1", false, R::unchanged},         {"AD", "C1", false, R::unchanged},
    };
    for (const Case &c : cases)
        EXPECT_EQ(OutlineDrop::DecideTreeDrop(f.edit->GetTreeCtrl(), f.Item(c.dragged), f.Item(c.target), c.right),
                  c.expected)
            << c.dragged << " on " << c.target << (c.right ? " (right)" : "");
}

// Guards a content screen dropped on the right part of another: it becomes that screen's last child and the
// target a folder; moving the only child away makes the folder a content screen again. The lists, labels and
// thumbnails follow the outline.
TEST(OutlineDrop, ContentScreenBecomesFolderAndBack)
{
    EditFixture f({{"1", "A"}, {"2", "B"}, {"3", "C"}});
    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("C"), f.Item("A"), R::child));
    EXPECT_EQ(f.Outline(), "A[1](C[1_1]) B[2]");
    EXPECT_EQ(f.Page("A")->GetPageType(), pt_folder);
    EXPECT_EQ(OutlineRules::TreeImageIndex(f.Page("A")), 0);
    EXPECT_EQ(f.Lists(), "A C B |  | ");
    EXPECT_EQ(f.Captions(), "1 2 3");
    EXPECT_EQ(f.edit->Thumbs().GetItemData(1), f.Page("C"));
    EXPECT_TRUE(f.doc->IsModified());

    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("C"), f.Item("B"), R::after));
    EXPECT_EQ(f.Outline(), "A[1] B[2] C[3]");
    EXPECT_EQ(f.Page("A")->GetPageType(), pt_document);
    EXPECT_EQ(f.Lists(), "A B C |  | ");

    // A refused decision moves nothing.
    EXPECT_FALSE(f.edit->DropTreeItem(f.Item("C"), f.Item("A"), R::refusedOnTarget));
    EXPECT_EQ(f.Outline(), "A[1] B[2] C[3]");
}

// Guards the list fix-ups of moves: a question dropped beside a popup joins the popups list; a popup moved
// after a main screen joins the main list and loses its "P"; moved as the child of a main screen it stays a
// popup with a "P" label.
TEST(OutlineDrop, ScreensBetweenPopupsAndMainLists)
{
    EditFixture f({{"1", "A"}, {"2", "B"}, {"3", "Q", pt_question},
                   {"P4", "Popups", pt_popups_only, EditFixture::popups},
                   {"P4_1", "P1", pt_document, EditFixture::popups},
                   {"P4_2", "P2", pt_document, EditFixture::popups}});
    const R beside = OutlineDrop::DecideTreeDrop(f.edit->GetTreeCtrl(), f.Item("Q"), f.Item("P2"), true);
    ASSERT_EQ(beside, R::after);
    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("Q"), f.Item("P2"), beside));
    EXPECT_EQ(f.Outline(), "A[1] B[2] Popups[P3](P1[P3_1] P2[P3_2] Q[P3_3])");
    EXPECT_EQ(f.Lists(), "A B | Popups P1 P2 Q | ");
    EXPECT_EQ(f.Captions(), "1 2 P3 P4 P5");

    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("P1"), f.Item("A"), R::after));
    EXPECT_EQ(f.Outline(), "A[1] P1[2] B[3] Popups[P4](P2[P4_1] Q[P4_2])");
    EXPECT_EQ(f.Lists(), "A P1 B | Popups P2 Q | ");
    EXPECT_EQ(f.Captions(), "1 2 3 P4 P5");

    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("P2"), f.Item("B"), R::child));
    EXPECT_EQ(f.Outline(), "A[1] P1[2] B[3](P2[P3_1]) Popups[P4](Q[P4_1])");
    EXPECT_EQ(f.Lists(), "A P1 B | P2 Popups Q | ");
}

// Guards moves of folders and containers with everything below them, and a thumbnail dropped on another.
TEST(OutlineDrop, SubtreesAndThumbnailMoves)
{
    EditFixture f({{"1", "Menu", pt_folder}, {"1_1", "T1", pt_container}, {"1_1_1", "A"}, {"1_1_2", "B"},
                   {"1_2", "T2", pt_container}, {"1_2_1", "C"}, {"1_2_2", "F", pt_folder}, {"1_2_2_1", "D"}});
    f.Page("Menu")->SetMenuKind(apt_multi_topic_menu);
    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("F"), f.Item("A"), R::after));
    EXPECT_EQ(f.Outline(), "Menu[1](T1[1_1](A[1_1_1] F[1_1_2](D[1_1_2_1]) B[1_1_3]) T2[1_2](C[1_2_1]))");
    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("T2"), f.Item("Menu"), R::child));
    EXPECT_EQ(f.Outline(), "Menu[1](T1[1_1](A[1_1_1] F[1_1_2](D[1_1_2_1]) B[1_1_3]) T2[1_2](C[1_2_1]))");
    EXPECT_EQ(f.Lists(), "Menu T1 A F D B T2 C |  | ");

    // A thumbnail: never onto a screen below it, else after the target.
    EXPECT_FALSE(f.edit->MoveThumbnailPage(f.Page("F"), f.Page("D")));
    ASSERT_TRUE(f.edit->MoveThumbnailPage(f.Page("A"), f.Page("C")));
    EXPECT_EQ(f.Outline(), "Menu[1](T1[1_1](F[1_1_1](D[1_1_1_1]) B[1_1_2]) T2[1_2](C[1_2_1] A[1_2_2]))");
    EXPECT_EQ(f.Lists(), "Menu T1 F D B T2 C A |  | ");
}
