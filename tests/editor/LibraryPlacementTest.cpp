#include "EditFixture.h"

#include "dialogs/LibraryChoices.h"
#include "document/ContentLibrary.h"
#include "editor/LibraryPlacement.h"
#include "model/Topic.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

// A library saved from a menu course: the main menu (depth 0), a topic (depth 1) and its two screens
// (depth 2), and a lone screen saved at depth 0; the items as the insert dialog returns them.
struct Library {
    TempTree tree;
    QString path = tree / "libs/Birds.kvxl";
    std::vector<LibraryInsertChoice> items;

    Library()
    {
        EditFixture source({{"1", "Menu", pt_folder},
                            {"1_1", "Gulls", pt_container},
                            {"1_1_1", "Herring gull", pt_document},
                            {"1_1_2", "Quiz", pt_question},
                            {"2", "Terns", pt_document}});
        source.Page("Menu")->SetMenuKind(apt_multi_topic_menu);
        source.Page("Gulls")->SetMenuKind(apt_topic);
        const std::vector<LibrarySaveChoice> save = {{"1", "Menu", "", "Main Menu", "0"},
                                                     {"1_1", "Gulls", "", "container", "1"},
                                                     {"1_1_1", "Herring gull", "", "screen", "2"},
                                                     {"1_1_2", "Quiz", "", "question", "2"},
                                                     {"2", "Terns", "", "screen", "0"}};
        EXPECT_EQ(CorvLibraryChoices::SaveChoices(*source.doc, path, "Seabirds", save), 5);
        ContentLibrary listed(*source.doc);
        EXPECT_EQ(listed.ReadLibraryFile(path), 1);
        for (const auto &item : listed.GetModel()->items)
            items.push_back({item->GetItemPath(), item->GetPageType(), item->GetAuxPageType(), item->GetDepth()});
    }
    std::vector<LibraryInsertChoice> Items(std::initializer_list<int> rows) const
    {
        std::vector<LibraryInsertChoice> chosen;
        for (int r : rows)
            chosen.push_back(items[size_t(r)]);
        return chosen;
    }
};

// A menu course with one topic; the current screen given.
std::unique_ptr<EditFixture> MenuCourse(const QString &current)
{
    auto f = std::make_unique<EditFixture>(std::initializer_list<EditFixture::Screen>{
        {"1", "Main menu", pt_folder}, {"1_1", "Hazards", pt_container}, {"1_1_1", "Slips"}});
    f->Page("Main menu")->SetMenuKind(apt_multi_topic_menu);
    f->Page("Hazards")->SetMenuKind(apt_topic);
    f->doc->MutableSettings().MenuBasedCourse = 1;
    f->edit->OnUpdate();
    f->edit->MakeCurrentScreen(f->Page(current));
    return f;
}

TEST(LibraryPlacement, ProvisionalLabels)
{
    const struct {
        const char *previous, *stored;
        bool deeper;
        const char *label;
    } cases[] = {
        {"3", "9", false, "4"},
        {"1_2", "7_1_5", true, "1_2_5"},     // below the previous screen, keeping the tail it was saved with
        {"2_1", "1_4", true, "2_4"},         // as deep: the last two characters change
        {"1", "7", true, "1_7"},             // too short to lose two characters
        {"5", "1_3", true, "5_3"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LibraryPlacement::DeeperOrNextLabel(c.previous, c.stored, c.deeper), c.label)
            << c.previous << " " << c.stored;
}

// The main menu item is skipped in a course with screens; the topic item goes under the course's main menu
// and the depth-2 items under it; labels are positional after the renumbering.
TEST(LibraryPlacement, TopicAndItsScreensGoUnderTheMainMenu)
{
    Library library;
    ASSERT_EQ(library.items.size(), 5u);
    auto f = MenuCourse("Slips");
    const auto inserted = LibraryPlacement::InsertItems(*f->edit, library.path, library.Items({0, 1, 2, 3}));
    ASSERT_EQ(inserted.size(), 3u);
    EXPECT_EQ(f->Outline(), "Main menu[1](Hazards[1_1](Slips[1_1_1]) Gulls[1_2](Herring gull[1_2_1] Quiz[1_2_2]))");
    EXPECT_EQ(f->doc->MainScreens().size(), 6u);
    EXPECT_EQ(f->doc->Settings().LastContentLibrary, library.path);
    EXPECT_TRUE(f->doc->IsModified());
    // The topics follow the outline.
    QStringList topics;
    for (const auto &t : f->doc->Topics())
        topics << t->GetName();
    EXPECT_EQ(topics, QStringList({"Hazards", "Gulls"}));
}

// A screen inserted with the main menu current gets a topic container "Untitled" made for it; a linear course
// leaves topic items out and takes the screens after the current one.
TEST(LibraryPlacement, ScreensNeedATopicInAMenuCourse)
{
    Library library;
    {
        auto f = MenuCourse("Main menu");
        const auto inserted = LibraryPlacement::InsertItems(*f->edit, library.path, library.Items({4}));
        ASSERT_EQ(inserted.size(), 1u);
        EXPECT_EQ(f->Outline(), "Main menu[1](Hazards[1_1](Slips[1_1_1]) Untitled[1_2](Terns[1_2_1]))") << f->Outline().toStdString();
        ASSERT_EQ(f->doc->Topics().size(), 2u);
        EXPECT_EQ(f->doc->Topics()[1]->GetName(), "Untitled");
    }
    {
        EditFixture f({{"1", "Intro"}, {"2", "End"}});
        f.edit->MakeCurrentScreen(f.Page("Intro"));
        const auto inserted = LibraryPlacement::InsertItems(*f.edit, library.path, library.Items({1, 4}));
        ASSERT_EQ(inserted.size(), 1u);
        EXPECT_EQ(f.Outline(), "Intro[1] Terns[2] End[3]");
        EXPECT_EQ(f.doc->Settings().MenuBasedCourse, 0);
    }
}

// An item whose stored path climbs out of the library's folder is refused with a message; the others go in.
TEST(LibraryPlacement, ItemsOutsideTheLibraryAreRefused)
{
    Library library;
    const QString inside = library.tree / ("libs/" + QString(library.items[4].itemPath).replace(u'\\', u'/'));
    library.tree.Write("outside.kvl", TempTree::ReadAll(inside));
    EditFixture f({{"1", "Intro"}});
    f.edit->MakeCurrentScreen(f.Page("Intro"));
    std::vector<LibraryInsertChoice> items{{"..\\outside.kvl", "pt_document", "apt_normal", "0"}, library.items[4]};
    const auto inserted = LibraryPlacement::InsertItems(*f.edit, library.path, items);
    EXPECT_EQ(inserted.size(), 1u);
    ASSERT_EQ(f.prompt.Texts().size(), 1);
    EXPECT_TRUE(f.prompt.Texts()[0].contains("outside")) << qPrintable(f.prompt.Texts()[0]);
    EXPECT_EQ(f.Outline(), "Intro[1] Terns[2]");
}

} // namespace
