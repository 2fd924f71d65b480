#include "EditFixture.h"

#include "document/ProjectFile.h"
#include "editor/OutlineTreeSync.h"
#include "model/ComponentLink.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentSmallTopic.h"
#include "model/Topic.h"
#include "platform/StringTable.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

// Guards the renumbering fault after a top-level popups folder: the main-list folder after "P2" must get 3,
// not a second 1 (which would put it under the first screen on reload).
TEST(OutlineUpkeep, NumberingAfterAPopupsFolder)
{
    EditFixture f({{"1", "A"}, {"P2", "Popups", pt_popups_only, EditFixture::popups},
                   {"P2_1", "Pop", pt_document, EditFixture::popups},
                   {"G3", "Glossary", pt_glossary, EditFixture::glossary}});
    CCorvPage *final = f.Add({"0", "Final", pt_asmt_folder});
    f.edit->Tree().InsertItem("Final", final, nullptr, f.Item("Popups"));
    f.edit->Renumber();
    EXPECT_EQ(f.Outline(), "A[1] Popups[P2](Pop[P2_1]) Final[3] Glossary[G4]");
    EXPECT_EQ(f.Lists(), "A Final | Popups Pop | Glossary");
}

// Guards the outline as the authority on lists: a "P" or "G" label, or a special folder, decides the list
// whatever else the screen is.
TEST(OutlineUpkeep, ListsFollowLabelsAndFolderTypes)
{
    EditFixture f({{"1", "A"}, {"P2", "Pq", pt_question}, {"G3", "Gd"}, {"4", "Popups", pt_popups_only},
                   {"5", "Glossary", pt_glossary}});
    COutlineTreeSync(*f.doc, f.edit->GetTreeCtrl()).RebuildScreenLists();
    EXPECT_EQ(f.Lists(), "A | Pq Popups | Gd Glossary");
}

// Guards deletion: a folder with content is refused with its message; a screen goes from whichever list
// holds it, with the document's folder pointer to it; the next item becomes current.
TEST(OutlineUpkeep, DeleteOutlineItem)
{
    EditFixture f({{"1", "F", pt_folder}, {"1_1", "A"}, {"1_2", "B"},
                   {"P2", "Popups", pt_popups_only, EditFixture::popups},
                   {"P2_1", "Pop", pt_document, EditFixture::popups}});
    f.doc->SetPopupsFolder(f.Page("Popups"));
    EXPECT_FALSE(f.edit->DeleteOutlineItem(f.Item("F"), true));
    EXPECT_EQ(f.prompt.Texts(), QStringList{CStringTable::Load(35006)});
    EXPECT_EQ(f.Outline(), "F[1](A[1_1] B[1_2]) Popups[P2](Pop[P2_1])");

    f.prompt.Clear();
    EXPECT_FALSE(f.edit->DeleteOutlineItem(f.Item("A"), true)); // answered No
    EXPECT_EQ(f.prompt.Texts(), QStringList{"Are you sure you want to delete this screen?"});
    f.edit->MakeCurrentScreen(f.Page("A"));
    f.prompt.Script({CPrompt::yes});
    ASSERT_TRUE(f.edit->DeleteOutlineItem(f.Item("A"), true));
    EXPECT_EQ(f.Outline(), "F[1](B[1_1]) Popups[P2](Pop[P2_1])");
    EXPECT_EQ(f.edit->GetCurrentPage(), f.Page("B"));
    EXPECT_EQ(f.edit->GetCurrentThumbnailIndex(), 1);
    EXPECT_EQ(f.Captions(), "1 2 P3");

    ASSERT_TRUE(f.edit->DeleteOutlineItem(f.Item("Pop"), false));
    ASSERT_TRUE(f.edit->DeleteOutlineItem(f.Item("Popups"), false));
    EXPECT_EQ(f.Lists(), "F B |  | ");
    EXPECT_EQ(f.doc->GetPopupsFolder(), nullptr);
    EXPECT_EQ(f.Captions(), "1 2");
}

// Guards deleting the main menu: asked first (No changes nothing); after Yes the course is linear and has no
// topics left.
TEST(OutlineUpkeep, DeletingTheMainMenu)
{
    EditFixture f({{"1", "Menu", pt_folder}, {"2", "A"}});
    f.Page("Menu")->SetMenuKind(apt_multi_topic_menu);
    f.doc->MutableSettings().MenuBasedCourse = 1;
    f.doc->AddTopic(std::make_unique<CTopic>("1", "Topic", "", "", "FALSE"));
    EXPECT_FALSE(f.edit->DeleteOutlineItem(f.Item("Menu"), false));
    EXPECT_EQ(f.prompt.Texts(), QStringList{CStringTable::Load(61471)});
    EXPECT_EQ(f.doc->Topics().size(), 1u);
    f.prompt.Script({CPrompt::yes});
    ASSERT_TRUE(f.edit->DeleteOutlineItem(f.Item("Menu"), false));
    EXPECT_EQ(f.Outline(), "A[1]");
    EXPECT_TRUE(f.doc->Topics().empty());
    EXPECT_EQ(f.doc->Settings().MenuBasedCourse, 0);
}

// Guards renaming: a container under the main menu renames its own button, counted as the menu lays its
// buttons out (every child but an assessment folder), and the topic list follows; a content screen there
// renames no button; an empty name changes nothing.
TEST(OutlineUpkeep, RenameItem)
{
    EditFixture f({{"1", "Menu", pt_folder}, {"1_1", "Intro"}, {"1_2", "T1", pt_container},
                   {"1_3", "AF", pt_asmt_folder}, {"1_4", "T2", pt_container}});
    CCorvPage *menu = f.Page("Menu");
    for (const char *title : {"Intro", "T1", "T2"}) {
        auto button = std::make_unique<CComponentSmallTopic>();
        button->SetTitle(title);
        menu->AddComponent(std::move(button));
    }
    auto buttonTitles = [menu] {
        QStringList titles;
        for (const auto &c : menu->GetComponentList())
            titles << static_cast<CComponentTopicButton *>(c.get())->GetTitle();
        return titles.join(' ');
    };
    f.edit->RenameItem(f.Item("T2"), "Second");
    EXPECT_EQ(f.Page("Second")->GetTitle(), "Second");
    EXPECT_EQ(buttonTitles(), "Intro T1 Second");
    ASSERT_EQ(f.doc->Topics().size(), 2u);
    EXPECT_EQ(f.doc->Topics()[1]->GetName(), "Second");
    EXPECT_EQ(f.doc->Topics()[1]->GetNumber(), "2");
    EXPECT_EQ(f.doc->Settings().MenuBasedCourse, 1);

    f.edit->RenameItem(f.Item("Intro"), "Welcome");
    EXPECT_EQ(buttonTitles(), "Intro T1 Second");
    f.edit->RenameItem(f.Item("Welcome"), "");
    EXPECT_EQ(f.Item("Welcome")->text, "Welcome");
}

// Guards the outline page's additions: a container dropped on a content screen makes it a folder, one on a
// folder only adds the child; a remediation goes right after its drop item, and editing its settings marks
// the project changed.
TEST(OutlineUpkeep, ContainersAndRemediation)
{
    EditFixture f({{"1", "F", pt_folder}, {"1_1", "A"}, {"2", "Q", pt_question}, {"3", "C"}});
    ASSERT_TRUE(f.edit->ConvertToFolderWithContainer(f.Item("C")));
    EXPECT_EQ(f.Page("C")->GetPageType(), pt_folder);
    ASSERT_TRUE(f.edit->AddContainerUnder(f.Item("F")));
    EXPECT_EQ(f.Outline(), "F[1](A[1_1] Untitled[1_2]) Q[2] C[3](Untitled[3_1])");

    SRemediationValues given;
    given.m_passMark = 70;
    given.m_questionPageIds = {f.Page("Q")->GetId()};
    given.m_completionPageId = f.Page("A")->GetId();
    bool ok = false;
    f.edit->GetHooks().editRemediation = [&](SRemediationValues &values) {
        if (ok)
            values = given;
        return ok;
    };
    EXPECT_FALSE(f.edit->AddRemediationAfter(f.Item("Q"))); // cancelled
    ok = true;
    f.edit->MakeCurrentScreen(f.Page("Q"));
    CCorvPage *remediation = f.edit->AddRemediationAfter(f.Item("Q"));
    ASSERT_TRUE(remediation);
    EXPECT_EQ(f.Outline(), "F[1](A[1_1] Untitled[1_2]) Q[2] Remediation[3] C[4](Untitled[4_1])");

    f.doc->SetModifiedFlag(false);
    given.m_passMark = 80;
    ASSERT_TRUE(f.edit->EditRemediation(remediation));
    EXPECT_TRUE(f.doc->IsModified());
    std::vector<CComponentBase *> found;
    remediation->GetComponentsOfType(ct_remediation, found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(static_cast<CComponentRemediation *>(found[0])->m_passMark, 80);
}

// Guards renumbering against the links and remediation targets that name screens: after moves, the saved
// and reloaded project still points at the same screens.
TEST(OutlineUpkeep, MovesKeepLinksAndRemediationTargets)
{
    EditFixture f({{"1", "F", pt_folder}, {"1_1", "S1"}, {"1_2", "S2"}, {"2", "Q", pt_question},
                   {"3", "R", pt_remediation}});
    auto link = std::make_unique<CComponentLink>();
    link->SetTargetLabel("1_2");
    link->SetTargetPage(f.Page("S2"));
    f.Page("F")->AddComponent(std::move(link));
    auto remediation = std::make_unique<CComponentRemediation>();
    SRemediationValues values;
    values.m_questionPageIds = {f.Page("Q")->GetId()};
    values.m_completionPageId = f.Page("S2")->GetId();
    values.m_reverseOutPageId = f.Page("S1")->GetId();
    remediation->SetValues(values);
    f.Page("R")->AddComponent(std::move(remediation));

    // S1 after S2, then the question before the folder.
    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("S1"), f.Item("S2"), OutlineDrop::Result::after));
    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("Q"), f.Item("F"), OutlineDrop::Result::after));
    EXPECT_EQ(f.Outline(), "F[1](S2[1_1] S1[1_2]) Q[2] R[3]");
    ASSERT_TRUE(f.edit->DropTreeItem(f.Item("R"), f.Item("S2"), OutlineDrop::Result::after));
    EXPECT_EQ(f.Outline(), "F[1](S2[1_1] R[1_2] S1[1_3]) Q[2]");

    TempTree tree;
    const QString path = tree / "Course.kvx";
    ASSERT_TRUE(CProjectFile::Save(*f.doc, path));
    EditFixture g;
    ASSERT_TRUE(CProjectFile::Open(*g.doc, path));
    g.edit->OnUpdate();
    EXPECT_EQ(g.Outline(), "F[1](S2[1_1] R[1_2] S1[1_3]) Q[2]");
    EXPECT_EQ(g.Lists(), "F S2 R S1 Q |  | ");
    std::vector<CComponentBase *> links;
    g.Page("F")->GetComponentsOfType(ct_link, links);
    ASSERT_EQ(links.size(), 1u);
    const CCorvPage *target = static_cast<CComponentLink *>(links[0])->GetTargetPage(*g.doc);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->GetTitle(), "S2");
    std::vector<CComponentBase *> found;
    g.Page("R")->GetComponentsOfType(ct_remediation, found);
    ASSERT_EQ(found.size(), 1u);
    auto *r = static_cast<CComponentRemediation *>(found[0]);
    EXPECT_EQ(g.doc->FindScreenByNumber(r->GetCompletionPageId(*g.doc))->GetTitle(), "S2");
    EXPECT_EQ(g.doc->FindScreenByNumber(r->GetReverseOutPageId(*g.doc))->GetTitle(), "S1");
    std::vector<int> questions;
    r->GetQuestionPageIds(*g.doc, questions);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(g.doc->FindScreenByNumber(questions[0])->GetTitle(), "Q");
}
