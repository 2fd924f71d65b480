#include "EditFixture.h"

#include "editor/MenuScreens.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLink.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentType.h"
#include "model/ComponentWindow.h"
#include "model/EditCanvas.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

std::tuple<int, int, int, int> Box(const CRect &r) { return {r.left, r.top, r.Width(), r.Height()}; }

std::vector<CComponentTopicButton *> Buttons(const CCorvPage &menu)
{
    std::vector<CComponentTopicButton *> buttons;
    for (const auto &c : menu.GetComponentList())
        if (auto *button = dynamic_cast<CComponentTopicButton *>(c.get()))
            buttons.push_back(button);
    return buttons;
}

std::vector<CComponentLink *> Links(const CCorvPage &screen)
{
    std::vector<CComponentLink *> links;
    for (const auto &c : screen.GetComponentList())
        if (auto *link = dynamic_cast<CComponentLink *>(c.get()))
            links.push_back(link);
    return links;
}

// "caption@(x,y)" for every link of the screen, in drawing order.
QStringList Placed(const CCorvPage &screen)
{
    QStringList placed;
    for (const CComponentLink *link : Links(screen))
        placed << QString("%1@(%2,%3)").arg(link->GetText()).arg(link->GetBounds().left).arg(link->GetBounds().top);
    return placed;
}

// A canvas that only remembers what it shows.
struct ListCanvas : CEditCanvas {
    std::vector<CComponentBase *> shown;
    std::unique_ptr<CComponentWindow> CreateComponentWindow(CComponentBase &) override { return nullptr; }
    void ClearDisplayedComponents() override { shown.clear(); }
    void AppendDisplayedComponent(CComponentBase *c) override { shown.push_back(c); }
    void Invalidate() override {}
    void ForgetComponent(CComponentBase *c) override { std::erase(shown, c); }
};

// The menus, links and feedback of the fixture's course, with captions 8 pixels a character and 16 high.
struct Menus {
    EditFixture &f;
    CMenuScreens menus{*f.edit};
    explicit Menus(EditFixture &fixture) : f(fixture)
    {
        menus.SetMeasure([](const QString &caption, const QString &, int) { return QSize(8 * int(caption.size()), 16); });
        menus.InstallHooks();
    }
};

} // namespace

// Guards the two position tables and the list formula: a wrong entry or an integer-division slip moves a
// published menu's buttons.
TEST(MenuLayout, TopicButtonRectangles)
{
    using R = std::tuple<int, int, int, int>;
    struct Case {
        int children, column;
        bool list, noImages;
        R box;
    } cases[] = {
        {1, 0, false, false, R{404, 174, 202, 177}},
        {3, 0, false, false, R{158, 130, 202, 177}},
        {3, 1, false, false, R{404, 130, 202, 177}},
        {3, 2, false, false, R{650, 130, 202, 177}},
        {5, 3, false, false, R{743, 85, 202, 177}},
        {5, 4, false, false, R{65, 328, 202, 177}},
        {8, 7, false, false, R{743, 328, 202, 177}},
        {3, 2, false, true, R{650, 130, 202, 40}},
        // Nine children or the list setting: rows 600 wide from x 230, spread over the height.
        {9, 0, false, false, R{230, 19, 600, 40}},
        {10, 0, false, false, R{230, 13, 600, 40}},
        {10, 1, false, false, R{230, 66, 600, 40}},
        {10, 2, false, false, R{230, 119, 600, 40}},
        {3, 0, true, false, R{230, 109, 600, 40}},
        {3, 2, true, true, R{230, 407, 600, 40}},
        {12, 11, false, false, R{230, 500, 600, 40}},
        // From 13 on, every 46 pixels from 6 (the last rows lie below the screen).
        {13, 0, false, false, R{230, 6, 600, 40}},
        {13, 12, false, false, R{230, 558, 600, 40}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Box(MenuLayout::TopicButtonRect(c.children, c.column, c.list, c.noImages)), c.box)
            << c.children << " children, column " << c.column;
    EXPECT_TRUE(MenuLayout::TopicButtonRect(0, 0, false, false).IsRectEmpty());
}

// Guards the buttons a menu gets from its outline: one large box per child in outline order, none for the
// assessment folder (the next child takes its column), titles from the items, and old buttons replaced
// rather than piled up when the layout runs again.
TEST(MenuScreens, MenuButtonsFollowTheOutline)
{
    EditFixture f({{"1", "Main menu", pt_folder},
                   {"1_1", "Safety", pt_container},
                   {"1_2", "Final Performance Screens", pt_asmt_folder},
                   {"1_3", "Tools", pt_container},
                   {"1_4", "Review", pt_container}});
    f.Page("Main menu")->SetMenuKind(apt_multi_topic_menu);
    Menus m(f);
    CCorvPage *menu = f.Page("Main menu");
    ASSERT_EQ(m.menus.LayoutMenuButtons(menu), 0);
    ASSERT_EQ(m.menus.LayoutMenuButtons(menu), 0);

    const auto buttons = Buttons(*menu);
    ASSERT_EQ(buttons.size(), 3u);
    QStringList titles;
    for (CComponentTopicButton *b : buttons) {
        titles << b->GetTitle();
        EXPECT_EQ(b->GetType(), ct_large_topic);
    }
    EXPECT_EQ(titles, QStringList({"Safety", "Tools", "Review"}));
    // Four children: the first three columns of the four-box row.
    EXPECT_EQ(Box(buttons[0]->GetBounds()), std::make_tuple(65, 130, 202, 177));
    EXPECT_EQ(Box(buttons[1]->GetBounds()), std::make_tuple(291, 130, 202, 177));
    EXPECT_EQ(Box(buttons[2]->GetBounds()), std::make_tuple(517, 130, 202, 177));
    EXPECT_EQ(f.Page("Safety")->GetMenuKind(), apt_topic);
    EXPECT_EQ(f.Page("Final Performance Screens")->GetMenuKind(), apt_normal);

    // The list setting turns them into small rows.
    f.doc->MutableSettings().MainMenuOnlyListMenu = 1;
    m.menus.LayoutMenuButtons(menu);
    ASSERT_EQ(Buttons(*menu).size(), 3u);
    EXPECT_EQ(Buttons(*menu)[0]->GetType(), ct_small_topic);
    EXPECT_EQ(Box(Buttons(*menu)[0]->GetBounds()), std::make_tuple(230, 79, 600, 40));

    // Not a folder: its page type back and nothing done; none: 0.
    EXPECT_EQ(m.menus.LayoutMenuButtons(f.Page("Safety")), pt_container);
    EXPECT_EQ(m.menus.LayoutMenuButtons(nullptr), 0);
}

// Guards the picture a topic keeps across layouts: kept while the button's title still equals the item
// text, lost once the topic is renamed; a button that matches nothing starts unfitted instead of taking
// the fit flag of whichever old button was looked at last.
TEST(MenuScreens, ButtonPictureKeptOnlyForTheSameTitle)
{
    EditFixture f({{"1", "Main menu", pt_folder}, {"1_1", "Safety", pt_container}, {"1_2", "Tools", pt_container}});
    f.Page("Main menu")->SetMenuKind(apt_multi_topic_menu);
    f.doc->MutableSettings().MainMenuOnlyListMenu = 1;
    Menus m(f);
    CCorvPage *menu = f.Page("Main menu");
    m.menus.LayoutMenuButtons(menu);
    for (CComponentTopicButton *b : Buttons(*menu)) {
        STopicButtonValues values = b->GetValues();
        values.m_picturePath = "/pictures/" + b->GetTitle() + ".png";
        values.m_fitted = 1;
        b->SetValues(values);
    }

    // "Tools" renamed in the outline only: its button title no longer matches.
    f.Item("Tools")->text = "Hand tools";
    m.menus.LayoutMenuButtons(menu);
    const auto buttons = Buttons(*menu);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->GetTitle(), "Safety");
    EXPECT_EQ(buttons[0]->GetPicturePath(), "/pictures/Safety.png");
    EXPECT_EQ(buttons[0]->IsFitted(), 1);
    EXPECT_EQ(buttons[1]->GetTitle(), "Hand tools");
    EXPECT_EQ(buttons[1]->GetPicturePath(), "");
    EXPECT_EQ(buttons[1]->IsFitted(), 0);
}

// Guards the menu being edited: laying out its buttons must leave it on the canvas with the new buttons,
// not a blank canvas while the menu is still the current screen.
TEST(MenuScreens, CurrentMenuStaysOnTheCanvas)
{
    EditFixture f({{"1", "Main menu", pt_folder}, {"1_1", "Safety", pt_container}, {"1_2", "Tools", pt_container}});
    CCorvPage *menu = f.Page("Main menu");
    menu->SetMenuKind(apt_multi_topic_menu);
    ListCanvas canvas;
    f.edit->SetCanvas(&canvas);
    Menus m(f);
    f.edit->MakeCurrentScreen(menu);
    ASSERT_EQ(f.edit->GetCurrentPage(), menu);

    m.menus.LayoutAllMenus();
    EXPECT_EQ(menu->GetCanvas(), &canvas);
    const auto buttons = Buttons(*menu);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(canvas.shown, std::vector<CComponentBase *>(buttons.begin(), buttons.end()));
}

// Guards the section links of a plain folder: one per child in outline order, a container standing for its
// first screen, placed from (20, 530) rightwards 20 apart; run again, nothing is deleted, re-added or moved
// (a link to a container's screen used to be dropped and appended on every run), and a link the author
// moved stays where it was put.
TEST(MenuScreens, SectionLinksPlacedOnceAndKept)
{
    EditFixture f({{"1", "Chapter", pt_folder},
                   {"1_1", "Alpha", pt_document},
                   {"1_2", "Beta", pt_document},
                   {"1_3", "Box", pt_container},
                   {"1_3_1", "Gamma", pt_document},
                   {"1_4", "Empty box", pt_container}});
    Menus m(f);
    CCorvPage *folder = f.Page("Chapter");
    EXPECT_EQ(m.menus.UpdateSectionLinks(), 1);
    // "Link: Alpha" is 11 characters, 88 pixels.
    const QStringList first = {"Link: Alpha@(20,530)", "Link: Beta@(128,530)", "Link: Gamma@(228,530)"};
    EXPECT_EQ(Placed(*folder), first);
    const auto links = Links(*folder);
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[2]->GetTargetLabel(), "1_3_1");
    EXPECT_EQ(links[2]->GetTargetPage(*f.doc), f.Page("Gamma"));
    EXPECT_EQ(links[0]->GetFontFace(), f.doc->Settings().FontName[0]);

    links[1]->SetBounds(CRect(300, 100, 380, 116), true);
    EXPECT_EQ(m.menus.UpdateSectionLinks(), 0);
    EXPECT_EQ(Links(*folder), links);
    EXPECT_EQ(Placed(*folder), QStringList({"Link: Alpha@(20,530)", "Link: Beta@(300,100)", "Link: Gamma@(228,530)"}));
}

// Guards the rows: a link that would pass the right edge at 1008 starts a new row 5 pixels above the last.
TEST(MenuScreens, SectionLinksWrapUpwards)
{
    EditFixture f({{"1", "Chapter", pt_folder},
                   {"1_1", QString(50, 'a'), pt_document},
                   {"1_2", QString(50, 'b'), pt_document},
                   {"1_3", QString(50, 'c'), pt_document}});
    Menus m(f);
    m.menus.UpdateSectionLinks();
    // Each caption is 56 characters, 448 pixels: two fit on a row (20 + 448 + 20 + 448 = 936).
    const auto links = Links(*f.Page("Chapter"));
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(Box(links[0]->GetBounds()), std::make_tuple(20, 530, 448, 16));
    EXPECT_EQ(Box(links[1]->GetBounds()), std::make_tuple(488, 530, 448, 16));
    EXPECT_EQ(Box(links[2]->GetBounds()), std::make_tuple(20, 509, 448, 16));
}

// Guards links after a move: the screen moved out of a folder loses its link there and gets one on the
// folder it went to.
TEST(MenuScreens, MovedScreenTakesItsLinkAlong)
{
    EditFixture f({{"1", "First", pt_folder},
                   {"1_1", "Alpha", pt_document},
                   {"1_2", "Beta", pt_document},
                   {"2", "Second", pt_folder},
                   {"2_1", "Gamma", pt_document}});
    Menus m(f);
    m.menus.UpdateSectionLinks();
    ASSERT_EQ(Links(*f.Page("First")).size(), 2u);
    ASSERT_TRUE(f.edit->MoveThumbnailPage(f.Page("Beta"), f.Page("Gamma")));
    EXPECT_EQ(Placed(*f.Page("First")), QStringList({"Link: Alpha@(20,530)"}));
    EXPECT_EQ(Placed(*f.Page("Second")), QStringList({"Link: Gamma@(20,530)", "Link: Beta@(128,530)"}));
}

// Guards the default feedback of a question that moves into or out of the course's last topic when the
// course gives that topic the assessment texts: untouched texts follow, edited ones stay.
TEST(MenuScreens, DefaultFeedbackFollowsTheLastTopic)
{
    EditFixture f({{"1", "Main menu", pt_folder},
                   {"1_1", "Lessons", pt_container},
                   {"1_1_1", "Intro", pt_document},
                   {"1_1_2", "Quiz", pt_question},
                   {"1_2", "Test", pt_container},
                   {"1_2_1", "Welcome", pt_document}});
    f.Page("Main menu")->SetMenuKind(apt_multi_topic_menu);
    CCourseSettings &s = f.doc->MutableSettings();
    s.LastAssessmentTopic = 1;
    s.FeedBackCorrect = "Correct!";
    s.FeedBackWrong = "Try again.";
    s.AssmntFeedBackCorrect = "Answer recorded.";
    s.AssmntFeedBackWrong = "Answer recorded (wrong).";
    Menus m(f);
    CCorvPage *quiz = f.Page("Quiz");
    auto choice = std::make_unique<CComponentMultipleChoice>();
    CComponentMultipleChoice *question = choice.get();
    question->SetCorrectFeedback("Correct!");
    question->SetWrongFeedback("Well, no: the answer is 7.");
    ASSERT_TRUE(quiz->AddComponent(std::move(choice)).Ok());
    quiz->SetModified(0);
    EXPECT_FALSE(m.menus.UseFinalFeedbackPair(quiz));

    ASSERT_TRUE(f.edit->MoveThumbnailPage(quiz, f.Page("Welcome")));
    EXPECT_TRUE(m.menus.UseFinalFeedbackPair(quiz));
    EXPECT_EQ(question->GetCorrectFeedback(), "Answer recorded.");
    EXPECT_EQ(question->GetWrongFeedback(), "Well, no: the answer is 7.");
    EXPECT_EQ(quiz->GetModified(), 0);

    ASSERT_TRUE(f.edit->MoveThumbnailPage(quiz, f.Page("Intro")));
    EXPECT_EQ(question->GetCorrectFeedback(), "Correct!");

    // The setting off: nothing changes hands.
    s.LastAssessmentTopic = 0;
    ASSERT_TRUE(f.edit->MoveThumbnailPage(quiz, f.Page("Welcome")));
    EXPECT_EQ(question->GetCorrectFeedback(), "Correct!");
}

// Guards which screens take the assessment pair: in a course without a menu every screen does while the
// setting is on; in a menu course only what lies in the last topic, and nothing when the menu has no topics.
TEST(MenuScreens, FinalFeedbackPairChoice)
{
    EditFixture linear({{"1", "Intro", pt_document}, {"2", "Quiz", pt_question}});
    linear.doc->MutableSettings().LastAssessmentTopic = 1;
    Menus l(linear);
    EXPECT_TRUE(l.menus.UseFinalFeedbackPair(linear.Page("Intro")));
    EXPECT_TRUE(l.menus.UseFinalFeedbackPair(nullptr));
    linear.doc->MutableSettings().LastAssessmentTopic = 0;
    EXPECT_FALSE(l.menus.UseFinalFeedbackPair(linear.Page("Quiz")));

    EditFixture menu({{"1", "Main menu", pt_folder},
                      {"1_1", "Lessons", pt_container},
                      {"1_2", "Test", pt_container},
                      {"1_2_1", "Quiz", pt_question}});
    menu.Page("Main menu")->SetMenuKind(apt_multi_topic_menu);
    menu.doc->MutableSettings().LastAssessmentTopic = 1;
    Menus m(menu);
    EXPECT_TRUE(m.menus.UseFinalFeedbackPair(menu.Page("Quiz")));
    EXPECT_TRUE(m.menus.UseFinalFeedbackPair(menu.Page("Test")));
    EXPECT_FALSE(m.menus.UseFinalFeedbackPair(menu.Page("Lessons")));
    EXPECT_FALSE(m.menus.UseFinalFeedbackPair(menu.Page("Main menu")));
    EXPECT_FALSE(m.menus.UseFinalFeedbackPair(nullptr));

    EditFixture bare({{"1", "Main menu", pt_folder}});
    bare.Page("Main menu")->SetMenuKind(apt_multi_topic_menu);
    bare.doc->MutableSettings().LastAssessmentTopic = 1;
    Menus b(bare);
    EXPECT_FALSE(b.menus.UseFinalFeedbackPair(bare.Page("Main menu")));
}
