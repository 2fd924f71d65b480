#include "dialogs/LinkDialogs.h"
#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/URLLink.h"

#include <gtest/gtest.h>

namespace {

// A course with a screen of every kind the list must judge, two popups and a glossary screen.
struct Course {
    CCorvessaDoc doc{CCorvContext::Empty(), [] { return int64_t(0); }};
    int next = 100;

    Course()
    {
        Add("Menu", pt_folder, apt_multi_topic_menu);
        Add("Folder", pt_folder);
        Add("Reading", pt_document);
        Add("Quiz", pt_question);
        Add("Container", pt_container);
        Add("Assessment", pt_asmt_document);
        Add("Test folder", pt_asmt_folder);
        Add("Popups folder", pt_popups_only);
        Add("Remediation", pt_remediation);
        Add("Glossary folder", pt_glossary);
        Add("Help", pt_document, apt_normal, true);
        Add("Popup folder", pt_folder, apt_normal, true);
        Add("Term", pt_document, apt_normal, false, true);
    }
    void Add(const QString &title, int type, int menuKind = apt_normal, bool popup = false, bool glossary = false)
    {
        auto screen = std::make_unique<CCorvPage>(next++, title, QString(), QString(), 0, QString(), type, 0);
        screen->SetMenuKind(menuKind);
        doc.AddScreen(std::move(screen), nullptr, popup, glossary);
    }
};

QStringList Texts(const std::vector<CAddLinkValues::Entry> &entries)
{
    QStringList texts;
    for (const auto &e : entries)
        texts << e.text;
    return texts;
}

} // namespace

// Guards the screen list: a popup cannot open a question or a menu of topics, and containers, assessment
// screens, the popups, remediation and glossary folders are never link targets.
TEST(AddLinkValues, ScreenListFollowsFiltersAndPopupFlag)
{
    Course c;
    CAddLinkValues v;
    v.ChooseShow(CAddLinkValues::ShowCourse);
    v.SetPopup(true);
    EXPECT_EQ(Texts(v.FillScreenList(c.doc)), (QStringList{"2 : Folder", "3 : Reading"}));
    v.SetPopup(false);
    EXPECT_EQ(Texts(v.FillScreenList(c.doc)), (QStringList{"1 : Menu", "2 : Folder", "3 : Reading", "4 : Quiz"}));

    v.ChooseShow(CAddLinkValues::ShowCourseAndPopups);
    EXPECT_EQ(v.popup, 1); // popup screens open as popups
    EXPECT_EQ(Texts(v.FillScreenList(c.doc)),
              (QStringList{"2 : Folder", "3 : Reading", "P1 : Help", "P2 : Popup folder"}));
    v.ChooseShow(CAddLinkValues::ShowPopups);
    EXPECT_EQ(Texts(v.FillScreenList(c.doc)), (QStringList{"P1 : Help", "P2 : Popup folder"}));
    v.ChooseShow(CAddLinkValues::ShowGlossary);
    const auto glossary = v.FillScreenList(c.doc);
    ASSERT_EQ(Texts(glossary), QStringList{"G1 : Term"});
    EXPECT_EQ(glossary[0].screen, 112);
    EXPECT_EQ(v.targetScreen, -1);
    EXPECT_FALSE(v.IsOkEnabled());

    // Captions come from the navigator when it gives them.
    v.ChooseShow(CAddLinkValues::ShowPopups);
    const auto captioned = v.FillScreenList(c.doc, [](const CCorvPage &s, int, char) { return s.GetTitle().left(1); });
    EXPECT_EQ(Texts(captioned), (QStringList{"H : Help", "P : Popup folder"}));
}

// Guards a glossary popup against a size too small to read it, while a larger size chosen stays.
TEST(AddLinkValues, GlossaryScreensRaiseThePopupSize)
{
    struct Case {
        int width, height, expectedWidth, expectedHeight;
    };
    for (const Case &c : {Case{250, 100, 650, 475}, Case{800, 500, 800, 500}, Case{700, 200, 700, 475}}) {
        CAddLinkValues v;
        v.popupWidth = c.width;
        v.popupHeight = c.height;
        v.ChooseShow(CAddLinkValues::ShowGlossary);
        EXPECT_EQ(v.popupWidth, c.expectedWidth);
        EXPECT_EQ(v.popupHeight, c.expectedHeight);
        EXPECT_FALSE(v.GetEnabling().popupBox);
        EXPECT_FALSE(v.GetEnabling().sizeRadios);
    }
}

// Guards OK and the modes: a web address or a script must be typed before OK, a screen chosen; going back to
// screen mode empties the address, and the values the caller reads are those of the mode chosen.
TEST(AddLinkValues, ModesAndOk)
{
    Course c;
    CAddLinkValues v;
    v.FillScreenList(c.doc);
    EXPECT_FALSE(v.IsOkEnabled());
    v.SelectScreen(102);
    EXPECT_TRUE(v.IsOkEnabled());

    v.SetMode(CAddLinkValues::UrlMode);
    EXPECT_EQ(v.targetScreen, -1);
    EXPECT_FALSE(v.IsOkEnabled());
    EXPECT_TRUE(v.GetEnabling().address);
    EXPECT_FALSE(v.GetEnabling().screenList);
    v.SetAddress(QStringLiteral("http://example.com/"));
    EXPECT_TRUE(v.IsOkEnabled());
    CURLLink link;
    v.ApplyTo(link);
    EXPECT_EQ(link.IsScreenLink(), 0);
    EXPECT_EQ(link.GetUrl(), QStringLiteral("http://example.com/"));
    EXPECT_EQ(link.IsScript(), 0);

    v.SetMode(CAddLinkValues::ScriptMode);
    EXPECT_FALSE(v.IsOkEnabled());
    EXPECT_TRUE(v.GetEnabling().script && !v.GetEnabling().address);
    v.SetScriptText(QStringLiteral("kvx.close();"));
    EXPECT_TRUE(v.IsOkEnabled());
    v.ApplyTo(link);
    EXPECT_EQ(link.IsScript(), 1);
    EXPECT_EQ(link.GetUrl(), QStringLiteral("kvx.close();"));

    v.SetMode(CAddLinkValues::ScreenMode);
    EXPECT_TRUE(v.address.isEmpty());
    EXPECT_EQ(v.screenLink, 1);
    EXPECT_EQ(v.script, 0);
}

// Guards the popup box and size controls: popup screens force the popup, Custom enables the size fields.
TEST(AddLinkValues, PopupControls)
{
    CAddLinkValues v;
    v.ChooseShow(CAddLinkValues::ShowCourse);
    EXPECT_TRUE(v.GetEnabling().popupBox);
    EXPECT_TRUE(v.GetEnabling().sizeRadios);
    EXPECT_FALSE(v.GetEnabling().sizeFields);
    v.SetFullSize(false);
    EXPECT_TRUE(v.GetEnabling().sizeFields);
    v.SetPopup(false);
    EXPECT_FALSE(v.GetEnabling().sizeRadios);
    EXPECT_FALSE(v.GetEnabling().sizeFields);
    v.ChooseShow(CAddLinkValues::ShowPopups);
    EXPECT_FALSE(v.GetEnabling().popupBox);
    EXPECT_TRUE(v.GetEnabling().popupTicked);
}

// Guards a new glossary item: the list then shows the glossary with the new screen chosen, OK enabled; a
// cancelled item leaves the list empty and OK disabled.
TEST(AddLinkValues, NewGlossaryItemBecomesTheTarget)
{
    Course c;
    CAddLinkValues v;
    EXPECT_TRUE(v.ChooseShow(CAddLinkValues::ShowCreateGlossary));
    EXPECT_TRUE(v.FillScreenList(c.doc).empty());
    EXPECT_FALSE(v.IsOkEnabled());
    c.Add("New term", pt_document, apt_normal, false, true);
    v.GlossaryItemAdded();
    EXPECT_EQ(v.GetShowIndex(), CAddLinkValues::ShowGlossary);
    const auto entries = v.FillScreenList(c.doc);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(v.targetScreen, entries.back().screen);
    EXPECT_TRUE(v.IsOkEnabled());
}
