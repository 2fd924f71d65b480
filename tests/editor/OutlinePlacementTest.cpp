#include "EditFixture.h"

#include "editor/PageIds.h"
#include "model/ComponentSmallTopic.h"

#include <gtest/gtest.h>

// Guards the outline built from the labels on open: nesting by prefix, each list from the root again, and a
// label that continues nothing at the root even after nested items.
TEST(OutlinePlacement, TreeFollowsTheLabels)
{
    EditFixture f({{"1", "A", pt_folder}, {"1_1", "B"}, {"1_2", "C"}, {"2", "D", pt_folder}, {"2_1", "E"},
                   {"5", "F"}, {"12", "G"}, {"P1", "Popups", pt_popups_only, EditFixture::popups},
                   {"P1_1", "Pop", pt_document, EditFixture::popups},
                   {"G1", "Glossary", pt_glossary, EditFixture::glossary},
                   {"G1_1", "Term", pt_document, EditFixture::glossary}});
    EXPECT_EQ(f.Outline(), "A[1](B[1_1] C[1_2]) D[2](E[2_1]) F[5] G[12] Popups[P1](Pop[P1_1]) Glossary[G1](Term[G1_1])");
}

// Guards where a new screen goes: under the nearest item up from the current one whose label it continues,
// right after the current item, or at the root; and that only screens with pictures get a thumbnail.
TEST(OutlinePlacement, AddPageAndSelect)
{
    EditFixture f({{"1", "A"}, {"2", "B", pt_folder}, {"2_1", "C"}, {"2_2", "D"}, {"3", "Box", pt_container},
                   {"3_1", "In"}, {"3_2", "In2"}, {"3_3", "In3"}});
    f.edit->MakeCurrentScreen(f.Page("C"));
    CCorvPage *n = f.Add({"2_2", "New"});
    ASSERT_TRUE(f.edit->AddPageAndSelect(n));
    EXPECT_EQ(f.Outline(), "A[1] B[2](C[2_1] New[2_2] D[2_2]) Box[3](In[3_1] In2[3_2] In3[3_3])");
    EXPECT_EQ(f.edit->GetCurrentPage(), n);
    EXPECT_EQ(f.edit->GetCurrentThumbnailIndex(), 3);
    EXPECT_EQ(f.edit->Thumbs().GetItemData(3), n);
    EXPECT_EQ(f.edit->Thumbs().GetSelectedItem(), 3);

    // A container current: the new child label puts the screen last under it.
    f.edit->MakeCurrentScreen(f.Page("Box"));
    QString current, label;
    ASSERT_TRUE(f.edit->NewPageIdForInsert(current, label));
    EXPECT_EQ(current, "3");
    EXPECT_EQ(label, "3_4");
    CCorvPage *last = f.Add({label, "Last"});
    f.edit->AddPageAndSelect(last);
    EXPECT_EQ(f.Outline().section(' ', -4), "Box[3](In[3_1] In2[3_2] In3[3_3] Last[3_4])");

    // A container added becomes current; the thumbnail selection stays where it was.
    const int thumb = f.edit->GetCurrentThumbnailIndex();
    CCorvPage *box = f.Add({"4", "Box2", pt_container});
    f.edit->AddPageAndSelect(box);
    EXPECT_EQ(f.edit->GetCurrentPage(), box);
    EXPECT_EQ(f.edit->GetCurrentThumbnailIndex(), thumb);
    EXPECT_EQ(f.edit->FindThumbnailIndex(box), -1);
    EXPECT_FALSE(f.edit->AddPageAndSelect(nullptr));
}

// Guards the first screen of an empty linear course and the refusal in an empty menu course.
TEST(OutlinePlacement, NewPageIdForInsertAtTheStart)
{
    EditFixture linear;
    QString current, label;
    ASSERT_TRUE(linear.edit->NewPageIdForInsert(current, label));
    EXPECT_EQ(label, "1");
    linear.edit->AddPageAndSelect(linear.Add({label, "First"}));
    EXPECT_EQ(linear.Outline(), "First[1]");

    EditFixture menu;
    menu.doc->MutableSettings().MenuBasedCourse = 1;
    EXPECT_FALSE(menu.edit->NewPageIdForInsert(current, label));
    EXPECT_EQ(menu.prompt.Texts(), QStringList{"This is a multiple topic, cannot add anything to empty "});
}

// Guards which commands the outline allows where.
TEST(OutlinePlacement, Predicates)
{
    EditFixture f({{"1", "Menu", pt_folder}, {"1_1", "Topic", pt_container}, {"1_1_1", "Page"},
                   {"1_2", "Folder", pt_folder}, {"1_2_1", "Inner"}, {"1_3", "Final topic", pt_container},
                   {"1_3_1", "Assessment", pt_asmt_folder}, {"1_4", "With final", pt_container},
                   {"1_4_1", "Assessment 2", pt_asmt_folder}, {"1_4_2", "Final Performance Screens", pt_folder},
                   {"1_4_3", "Question", pt_question}});
    f.Page("Menu")->SetMenuKind(apt_multi_topic_menu);
    f.doc->MutableSettings().MenuBasedCourse = 1;
    const COutlineTree &tree = f.edit->GetTreeCtrl();
    const std::pair<QString, bool> canAdd[] = {{"Menu", true},         {"Topic", true},       {"Page", true},
                                               {"Folder", false},      {"Final topic", false}, {"With final", true},
                                               {"Question", false}};
    for (const auto &[title, expected] : canAdd)
        EXPECT_EQ(OutlineRules::CanAddScreenHere(tree, f.Item(title), 1), expected) << qPrintable(title);
    EXPECT_TRUE(OutlineRules::CanAddScreenHere(tree, f.Item("Folder"), 0));
    EXPECT_FALSE(OutlineRules::CanAddScreenHere(tree, nullptr, 1));

    EXPECT_TRUE(OutlineRules::CanInsertQuestion(f.Page("Topic")));
    EXPECT_TRUE(OutlineRules::CanInsertQuestion(f.Page("Question")));
    EXPECT_FALSE(OutlineRules::CanInsertQuestion(f.Page("Folder")));
    EXPECT_FALSE(OutlineRules::CanInsertQuestion(nullptr));

    EXPECT_EQ(OutlineRules::FindFirstMenuItem(tree), f.Item("Menu"));
    EXPECT_EQ(OutlineRules::FindLastMenuTopic(tree), f.Item("With final"));
    EXPECT_TRUE(OutlineRules::HasMenuPage(tree, nullptr));
    EXPECT_TRUE(OutlineRules::HasAssessmentPages(tree, nullptr));
    EXPECT_FALSE(OutlineRules::HasAssessmentPages(tree, f.Item("Page")));
    EXPECT_FALSE(OutlineRules::HasPopupsOnlyFolder(tree, nullptr));
    EXPECT_EQ(OutlineRules::CountChildren(tree, f.Item("Menu")), 4);
    EXPECT_TRUE(OutlineRules::IsAncestorPage(tree, f.Page("Menu"), f.Page("Inner")));
    EXPECT_FALSE(OutlineRules::IsAncestorPage(tree, f.Page("Inner"), f.Page("Menu")));
    EXPECT_FALSE(OutlineRules::IsAncestorPage(tree, f.Page("Folder"), f.Page("Folder")));

    // A folder with a topic button is a menu screen without being told so.
    EditFixture g({{"1", "Plain", pt_folder}});
    EXPECT_FALSE(OutlineRules::IsMenuPage(g.Page("Plain")));
    g.Page("Plain")->AddComponent(std::make_unique<CComponentSmallTopic>());
    const int kind = g.Page("Plain")->GetMenuKind();
    EXPECT_TRUE(OutlineRules::IsMenuPage(g.Page("Plain")));
    EXPECT_EQ(g.Page("Plain")->GetMenuKind(), kind);
}
