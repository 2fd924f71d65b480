#include "document/FactoryFixture.h"

#include "dialogs/FileFilter.h"
#include "dialogs/ScreenDialogValues.h"
#include "document/ScreenFactory.h"
#include "model/GlobalHelpers.h"

// Guards the template codes: entries 0 to 9 are the picture layouts, "Text only" 13 and "Blank" 14.
TEST(AddScreenChoice, EntriesAndCodes)
{
    const QStringList texts = AddScreenChoice::EntryTexts();
    ASSERT_EQ(texts.size(), 12);
    EXPECT_EQ(texts[0], "Graphic top left  - Ctrl+F1");
    EXPECT_EQ(texts[10], "Text only  - Ctrl+F11");
    EXPECT_EQ(texts[11], "Blank  - Ctrl+F12");
    EXPECT_EQ(AddScreenChoice::TemplateCode(3), 3);
    EXPECT_EQ(AddScreenChoice::TemplateCode(10), 13);
    EXPECT_EQ(AddScreenChoice::TemplateCode(11), 14);
}

// Guards the import dialog's OK rule: a document lands after a topic or a content screen, in a new topic
// (menu-based courses only) or in the glossary.
TEST(ImportNewDocumentValues, OkRule)
{
    const struct {
        int menu, pageType, glossary, topic;
        bool ok, topicFields;
    } cases[] = {
        {1, pt_container, 0, 0, true, false}, {1, pt_document, 0, 0, true, false},
        {1, pt_question, 0, 0, false, false}, {1, pt_question, 1, 0, true, false},
        {1, -1, 0, 1, true, true},            {0, pt_question, 0, 1, false, false},
        {0, -1, 1, 1, true, false},
    };
    for (const auto &c : cases) {
        CImportNewDocumentValues v;
        v.menuBased = c.menu;
        v.currentPageType = c.pageType;
        v.glossaryOnly = c.glossary;
        v.createTopic = c.topic;
        EXPECT_EQ(v.OkEnabled(), c.ok) << c.menu << c.pageType << c.glossary << c.topic;
        EXPECT_EQ(v.TopicFieldsEnabled() && v.CreateTopicEnabled(), c.topicFields);
    }
}

// Guards the table dialog: the colour rules force the plain colours, and a size the table window cannot
// hold (no row, no column, more than 500 cells) or a negative border is refused.
TEST(InsertTableValues, ColourRulesAndSizeCheck)
{
    CInsertTableValues v;
    v.setColours = 0;
    v.oldStyleBorders = 0;
    v.tableBackground = v.headerBackground = 0x123456;
    v.tableBorderColour = v.cellBorderColour = 0x00FF00;
    v.ApplyColourRules();
    EXPECT_EQ(std::tie(v.tableBackground, v.headerBackground, v.tableBorderColour, v.cellBorderColour),
              std::make_tuple(0xFFFFFFu, 0xFFFFFFu, 0u, 0u));
    v.setColours = 1;
    v.oldStyleBorders = 1;
    v.tableBackground = 0x123456;
    v.tableBorderColour = 0x00FF00;
    v.ApplyColourRules();
    EXPECT_EQ(v.tableBackground, 0x123456u);
    EXPECT_EQ(v.tableBorderColour, 0u);
    EXPECT_FALSE(v.CellBorderEnabled());
    EXPECT_FALSE(v.BorderButtonsEnabled());

    const struct {
        int rows, columns, border, padding;
        bool ok;
    } sizes[] = {{2, 2, 1, 5, true}, {0, 3, 1, 5, false}, {3, 0, 1, 5, false}, {20, 25, 0, 0, true},
                 {21, 25, 1, 5, false}, {2, 2, -1, 5, false}, {2, 2, 1, -5, false}, {100000, 100000, 1, 1, false}};
    for (const auto &c : sizes) {
        CInsertTableValues t;
        t.rows = c.rows;
        t.columns = c.columns;
        t.tableBorder = c.border;
        t.cellPadding = c.padding;
        EXPECT_EQ(t.Check().Passed(), c.ok) << c.rows << "x" << c.columns;
    }
    const CInsertTableValues d;
    const CInsertTableValues back = CInsertTableValues::FromSettings(d.ToSettings());
    EXPECT_EQ(std::tie(back.rows, back.columns, back.cellPadding, back.oldStyleBorders, back.setColours),
              std::make_tuple(2, 2, 5, 1, 1));
}

// Guards the file filters: the stored form becomes the pickers' form.
TEST(DialogFileFilter, ToPickerFilter)
{
    EXPECT_EQ(DialogFileFilter::ToPickerFilter("Flash File (*.swf)|*.swf||"), "Flash File (*.swf) (*.swf)");
    EXPECT_EQ(DialogFileFilter::ToPickerFilter("Pictures|*.png;*.jpg|All Files (*.*)|*.*||"),
              "Pictures (*.png *.jpg);;All Files (*.*) (*)");
}

namespace {

class RemediationValuesTest : public FactoryFixture
{
protected:
    // A course: topic 1 with a question, remediation folder 1_2 with a screen inside, topic 12 with a
    // question, an assessment folder.
    void SetUp() override
    {
        FactoryFixture::SetUp();
        CScreenFactory f(*doc);
        topic = f.AddMainMenuScreen("Topic", "1", nullptr);
        q1 = f.AddMultipleChoiceScreen("Q one", "1_1", topic, "s", {"a"}, {1}, "", "", 0, 0, "");
        remediation = f.AddRemediationScreen("Remediation", "1_2", q1, {}, -1, -1, 80);
        inside = f.AddTextScreen("Inside", "1_2_1", remediation, 1);
        topic12 = f.AddMainMenuScreen("Topic twelve", "12", inside);
        q12 = f.AddMultipleChoiceScreen("Q twelve", "12_1", topic12, "s", {"a"}, {1}, "", "", 0, 0, "");
        content = f.AddTextScreen("Text", "12_2", q12, 1);
    }
    static std::vector<int> Numbers(const std::vector<CRemediationValues::Entry> &entries)
    {
        std::vector<int> out;
        for (const auto &e : entries)
            out.push_back(e.number);
        return out;
    }
    CCorvPage *topic, *q1, *remediation, *inside, *topic12, *q12, *content;
};

} // namespace

// Guards the remediation lists: candidates are the uncounted questions; targets leave out the
// remediation folder and what lies in it (by the outline, so topic "12" is not taken to lie in "1_2" nor
// "12_1" in "1"); counted screens that were deleted are dropped; the pass mark is corrected.
TEST_F(RemediationValuesTest, ListsAndCorrections)
{
    CRemediationValues v;
    v.counted = {q12->GetId(), 9999};
    v.DropMissing(*doc);
    EXPECT_EQ(v.counted, std::vector<int>{q12->GetId()});
    EXPECT_EQ(Numbers(v.Candidates(*doc, {})), std::vector<int>{q1->GetId()});
    const auto targets = CRemediationValues::Targets(*doc, {}, CRemediationValues::kNextScreen);
    EXPECT_EQ(targets[0].text, "Next screen after remediation");
    EXPECT_EQ(Numbers(targets), (std::vector<int>{-1, topic->GetId(), q1->GetId(), topic12->GetId(), q12->GetId(),
                                                  content->GetId()}));
    EXPECT_EQ(targets[2].text, "1_1 : Q one");
    EXPECT_EQ(CRemediationValues::IndexOf(targets, q12->GetId()), 4);
    EXPECT_EQ(CRemediationValues::IndexOf(targets, inside->GetId()), 0);
    for (const auto &[in, out] : {std::pair{101, 80}, {-5, 80}, {0, 0}, {100, 100}}) {
        v.passMark = in;
        v.Correct();
        EXPECT_EQ(v.passMark, out) << in;
    }
}
