#include "EditFixture.h"

#include "editor/EditKeys.h"
#include "editor/ImportPlacement.h"
#include "model/Topic.h"

#include <gtest/gtest.h>

namespace {

// Where a further document goes: after the current screen, below a current container after its children, from
// the main menu for a new topic, and from the start of an empty course (which has no current screen to read).
TEST(ImportPlacement, InsertionPointFollowsTheCurrentScreen)
{
    const struct {
        const char *current;  // title of the current screen; "" for none
        bool createTopic;
        int mode;
        const char *label;
        const char *after;    // the current screen after Prepare
    } cases[] = {
        {"Exits", false, 1, "1_1_1", "Exits"},
        {"Topic", false, 1, "1_1_2", "Topic"},
        {"Topic", true, 0, "1", "Main menu"},
        {"", false, 0, "", ""},
        {"", true, 0, "1", "Main menu"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.current) + (c.createTopic ? " new topic" : ""));
        EditFixture f({{"1", "Main menu", pt_folder}, {"1_1", "Topic", pt_container}, {"1_1_1", "Exits"}});
        f.Page("Main menu")->SetMenuKind(apt_multi_topic_menu);
        f.doc->MutableSettings().MenuBasedCourse = 1;
        f.edit->OnUpdate();
        if (*c.current)
            f.edit->MakeCurrentScreen(f.Page(c.current));
        else
            f.edit->ForgetCurrentScreen();
        const ImportPlacement::Point point = ImportPlacement::Prepare(*f.edit, c.createTopic);
        EXPECT_EQ(point.mode, c.mode);
        EXPECT_EQ(point.label, c.label);
        const CCorvPage *now = f.edit->GetCurrentPage();
        EXPECT_EQ(now ? now->GetTitle() : QString(), c.after);
    }
}

// A new topic joins the topics numbered with their count before the import; without one, no topic is added.
TEST(ImportPlacement, FinishAddsTheTopic)
{
    EditFixture f({{"1", "Main menu", pt_folder}});
    f.doc->AddTopic(std::make_unique<CTopic>("1", "First", "", "/d/first.docx", "FALSE"));
    ImportPlacement::Finish(*f.edit, true, 1, "Fire", "fire.png", "/d/fire.docx");
    ASSERT_EQ(f.doc->Topics().size(), 2u);
    EXPECT_EQ(*f.doc->Topics()[1], CTopic("1", "Fire", "fire.png", "/d/fire.docx", "FALSE"));
    EXPECT_TRUE(f.doc->IsModified());

    ImportPlacement::Finish(*f.edit, false, 2, "", "", "/d/more.docx");
    EXPECT_EQ(f.doc->Topics().size(), 2u);
}

// The keys of the Edit window as a table: modifiers, key and the state of the course decide the action.
TEST(EditKeys, DispatchTable)
{
    using EditKeys::Action;
    const EditKeys::State open{true, false}, closed{false, true};
    const struct {
        int keyF;
        char letter;
        bool ctrl, alt, shift;
        EditKeys::State state;
        Action action;
        int index;
        bool defaultProcessing;
    } cases[] = {
        {7, 0, true, true, false, open, Action::question, 7, false},
        {10, 0, true, true, false, open, Action::none, 0, true},       // Ctrl+Alt+F10: nothing of ours
        {0, 'C', true, false, false, open, Action::copyScreen, 0, false},
        {0, 'V', true, false, false, open, Action::pasteScreen, 0, false},
        {0, 'F', true, false, false, open, Action::find, 0, false},
        {0, 'B', true, false, false, open, Action::none, 0, true},
        {0, 'C', true, false, true, open, Action::none, 0, true},      // Ctrl+Shift+C
        {1, 0, true, false, false, closed, Action::newScreenFromKey, 1, true},
        {10, 0, true, false, false, open, Action::newScreenFromKey, 10, false},
        {12, 0, true, false, false, open, Action::newScreenFromKey, 12, true},
        {1, 0, false, false, false, closed, Action::help, 0, true},
        {5, 0, false, false, false, open, Action::newScreen, 0, true},
        {5, 0, false, false, false, closed, Action::none, 0, true},
        {6, 0, false, false, false, open, Action::importDocument, 0, true},
        {6, 0, false, false, false, closed, Action::none, 0, true},
        {5, 0, false, false, true, open, Action::none, 0, true},       // Shift+F5
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "F" << c.keyF << " " << (c.letter ? c.letter : '-') << " ctrl " << c.ctrl
                                        << " alt " << c.alt << " shift " << c.shift);
        const EditKeys::Result r = EditKeys::OnKeyDown(c.keyF, c.letter, c.ctrl, c.alt, c.shift, c.state);
        EXPECT_EQ(r.action, c.action);
        EXPECT_EQ(r.index, c.index);
        EXPECT_EQ(r.defaultProcessing, c.defaultProcessing);
    }
}

} // namespace
