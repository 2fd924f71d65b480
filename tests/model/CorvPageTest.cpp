#include "FakeCanvas.h"

#include "model/ComponentAudio.h"
#include "model/ComponentFactory.h"
#include "model/ComponentLink.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"
#include "platform/Archive.h"
#include "platform/RecordingPrompt.h"

#include <gtest/gtest.h>

namespace {

// Stand-ins for the kinds later work builds: a text box whose editor holds some characters, and a topic
// button of a menu screen.
class TestTextbox : public CComponentBase
{
public:
    explicit TestTextbox(int length) : CComponentBase(ct_textbox), m_length(length) {}
    int GetTextLength() const override { return m_length; }
    std::unique_ptr<CComponentBase> Clone(bool) const override { return std::make_unique<TestTextbox>(m_length); }
    void SerializeComponent(CArchive &) override {}

private:
    int m_length;
};

class TestTopicButton : public CComponentBase
{
public:
    TestTopicButton() : CComponentBase(ct_large_topic) {}
    std::unique_ptr<CComponentBase> Clone(bool) const override { return std::make_unique<TestTopicButton>(); }
    void SerializeComponent(CArchive &) override {}
};

std::unique_ptr<CComponentAudio> Audio(const QString &path, int play)
{
    auto a = std::make_unique<CComponentAudio>();
    a->SetFilePath(path);
    a->SetPlayButton(play);
    return a;
}

CCorvPage Screen(int id = 1, int type = pt_document, const QString &title = QStringLiteral("Intro"))
{
    return CCorvPage(id, title, {}, {}, 0, QString::number(id), type, -1);
}

template <class T>
T *Add(CCorvPage &page, std::unique_ptr<T> c)
{
    T *raw = c.get();
    EXPECT_TRUE(page.AddComponent(std::move(c)));
    return raw;
}

} // namespace

// Guards against two Play buttons for one clip, and against losing (or leaking) the refused component.
TEST(CorvPage, DuplicateAudioIsRefusedAndHandedBack)
{
    CCorvPage page = Screen();
    Add(page, Audio(QStringLiteral("/m/a.mp3"), 1));
    Add(page, Audio(QStringLiteral("/m/A.MP3"), 0));

    std::unique_ptr<CComponentBase> duplicate = Audio(QStringLiteral("/m/a.Mp3"), 1);
    const CStatus added = page.AddComponent(std::move(duplicate));
    EXPECT_FALSE(added);
    EXPECT_EQ(added.Error(), QStringLiteral("There is already audio file\n/m/a.mp3\non this screen"));
    ASSERT_TRUE(duplicate);
    EXPECT_EQ(duplicate->GetOwnerPage(), nullptr);
    EXPECT_EQ(page.GetComponentCount(), 2);
}

// Guards against a Stop button left behind without its Play partner (and the reverse with cascade 0).
TEST(CorvPage, RemovingAnAudioButtonCascadesToItsPartner)
{
    for (int cascade : {0, 1}) {
        CCorvPage page = Screen();
        auto *play = Add(page, Audio(QStringLiteral("/m/a.mp3"), 1));
        auto *stop = Add(page, Audio(QStringLiteral("/m/A.mp3"), 0));
        Add(page, Audio(QStringLiteral("/m/other.mp3"), 1));
        EXPECT_EQ(play->FindPartnerButton(), stop);
        EXPECT_EQ(stop->FindPartnerButton(), play);
        page.RemoveComponent(play, cascade);
        EXPECT_EQ(page.GetComponentCount(), cascade ? 1 : 2) << cascade;
    }
    // A single icon has no partner even when another component names the same clip.
    CCorvPage page = Screen();
    auto *single = Add(page, Audio(QStringLiteral("/m/a.mp3"), 1));
    single->m_buttonControls = 0;
    Add(page, Audio(QStringLiteral("/m/a.mp3"), 0));
    EXPECT_EQ(single->FindPartnerButton(), nullptr);
}

// Guards the drawing order the canvas shows: the list head is furthest back.
TEST(CorvPage, RestackingKeepsTheCanvasInDrawingOrder)
{
    FakeCanvas canvas;
    CCorvPage page = Screen();
    auto *a = Add(page, std::make_unique<CComponentRectangle>(&canvas));
    auto *b = Add(page, std::make_unique<CComponentRectangle>(&canvas));
    auto *c = Add(page, std::make_unique<CComponentRectangle>(&canvas));
    page.ShowOnCanvas(canvas);

    page.SendToBack(c);
    EXPECT_EQ(page.GetComponent(0), c);
    EXPECT_EQ(canvas.displayed, (std::vector<CComponentBase *>{c, a, b}));
    EXPECT_EQ(c->GetOwnerPage(), &page);

    page.BringToTop(a);
    EXPECT_EQ(canvas.displayed, (std::vector<CComponentBase *>{c, b, a}));

    CComponentRectangle stranger(&canvas);
    const int invalidations = canvas.invalidations;
    page.BringToTop(&stranger);
    page.SendToBack(nullptr);
    EXPECT_EQ(canvas.invalidations, invalidations);
    EXPECT_EQ(canvas.displayed, (std::vector<CComponentBase *>{c, b, a}));
}

// Guards against empty text boxes piling up on screens, and against deleting one with a single character.
TEST(CorvPage, LeavingTheCanvasDeletesEmptyTextBoxes)
{
    for (bool withCanvas : {false, true}) {
        std::unique_ptr<FakeCanvas> canvas(withCanvas ? new FakeCanvas : nullptr);
        CCorvPage page = Screen();
        Add(page, std::make_unique<TestTextbox>(0));
        auto *one = Add(page, std::make_unique<TestTextbox>(1));
        Add(page, std::make_unique<TestTextbox>(0));
        auto *shape = Add(page, std::make_unique<CComponentRectangle>(canvas.get()));
        if (canvas)
            page.ShowOnCanvas(*canvas);
        page.SetModified(1);
        page.LeaveCanvas();
        EXPECT_EQ(page.GetComponentCount(), 2);
        EXPECT_EQ(page.GetComponent(0), one);
        EXPECT_EQ(page.GetComponent(1), shape);
        EXPECT_EQ(page.GetModified(), 0);
        if (canvas) {
            EXPECT_TRUE(canvas->displayed.empty());
            EXPECT_EQ(shape->GetComponentWindow(), nullptr); // the window goes with the screen
        }
    }
}

TEST(CorvPage, MultiTopicMenuRules)
{
    CCorvPage folder = Screen(1, pt_folder);
    EXPECT_FALSE(folder.IsMultiTopicMenu());
    Add(folder, std::make_unique<TestTopicButton>());
    EXPECT_TRUE(folder.IsMultiTopicMenu());
    EXPECT_EQ(folder.GetMenuKind(), apt_multi_topic_menu);

    // A content screen is never a menu, though adding a topic button marks its menu kind.
    CCorvPage document = Screen(2, pt_document);
    Add(document, std::make_unique<TestTopicButton>());
    EXPECT_EQ(document.GetMenuKind(), apt_multi_topic_menu);
    EXPECT_FALSE(document.IsMultiTopicMenu());
}

TEST(CorvPage, TypeQueries)
{
    struct Case {
        int type;
        bool assessment, popups, glossary;
    } cases[] = {{pt_folder, false, false, false},     {pt_asmt_folder, true, false, false},
                 {pt_asmt_container, true, false, false}, {pt_asmt_document, true, false, false},
                 {pt_popups_only, false, true, false},  {pt_glossary, false, false, true}};
    for (const Case &c : cases) {
        CCorvPage page = Screen(1, c.type);
        EXPECT_EQ(page.IsAssessmentPage(), c.assessment) << c.type;
        EXPECT_EQ(page.IsPopupsFolder(), c.popups) << c.type;
        EXPECT_EQ(page.IsGlossaryFolder(), c.glossary) << c.type;
    }
}

// Guards against writing past the two slots the importers expect.
TEST(CorvPage, ImageComponentsAreBoundedAtTwo)
{
    struct TestImage : CComponentBase {
        TestImage() : CComponentBase(ct_image) {}
        std::unique_ptr<CComponentBase> Clone(bool) const override { return std::make_unique<TestImage>(); }
        void SerializeComponent(CArchive &) override {}
    };
    CCorvPage page = Screen();
    for (int i = 0; i < 3; ++i)
        Add(page, std::make_unique<TestImage>());
    std::vector<CComponentBase *> images{nullptr, nullptr, nullptr, nullptr};
    EXPECT_EQ(page.GetImageComponents(images), 2);
    EXPECT_EQ(images.size(), 2u);
    std::vector<CComponentBase *> all;
    EXPECT_EQ(page.GetComponentsOfType(ct_image, all), 3);
    EXPECT_TRUE(page.HasComponentOfType(ct_image));
    EXPECT_FALSE(page.HasComponentOfType(ct_link));
}

TEST(CorvPage, OffsetMovesEveryComponent)
{
    FakeCanvas canvas;
    CCorvPage page = Screen();
    auto *r = Add(page, std::make_unique<CComponentRectangle>(&canvas));
    page.ShowOnCanvas(canvas);
    page.OffsetComponents(5, -3);
    EXPECT_EQ(r->GetBounds(), CRect(15, 7, 405, 397));
    EXPECT_EQ(FakeCanvas::WindowOf(*r)->geometry, CRect(15, 7, 405, 397));
}

// Guards against links that lead to a deleted screen or one moved out of the main list, and against
// deleting a link the author wanted to keep.
TEST(CorvPage, CheckLinksRemovesLinksToMissingScreens)
{
    CCorvPage target = Screen(7, pt_document, QStringLiteral("Target"));
    CCorvPage popup = Screen(8, pt_document, QStringLiteral("Moved"));
    FakeLookup doc;
    doc.main[7] = &target;
    doc.others[8] = &popup;

    auto build = [&](CCorvPage &page) {
        auto good = std::make_unique<CComponentLink>();
        good->SetTargetPage(&target);
        auto gone = std::make_unique<CComponentLink>();
        gone->SetTargetPageId(99);
        auto moved = std::make_unique<CComponentLink>();
        moved->SetTargetPage(&popup);
        Add(page, std::move(good));
        Add(page, std::move(gone));
        Add(page, std::move(moved));
    };

    CCorvPage page = Screen(1, pt_folder, QStringLiteral("Menu"));
    build(page);
    page.CheckLinks(doc, 0, CPrompt::Plain());
    ASSERT_EQ(page.GetComponentCount(), 1);
    EXPECT_EQ(dynamic_cast<CComponentLink &>(*page.GetComponent(0)).GetTargetPage(doc), &target);

    CRecordingPrompt prompt;
    prompt.Script({CPrompt::no, CPrompt::yes});
    CCorvPage asked = Screen(2, pt_folder, QStringLiteral("Menu"));
    build(asked);
    asked.CheckLinks(doc, 1, prompt);
    EXPECT_EQ(asked.GetComponentCount(), 2);
    ASSERT_EQ(prompt.Texts().size(), 2);
    EXPECT_EQ(prompt.Texts()[0], QStringLiteral("A link was found on Screen \"Menu\" which points to a screen which "
                                                 "cannot be found.\nShould the link be deleted?"));
}

// Guards against a link reaching a deleted screen through a stale pointer.
TEST(CorvPage, LinkTargetGoesWithItsScreen)
{
    FakeLookup doc;
    auto target = std::make_unique<CCorvPage>(4, QStringLiteral("T"), QString(), QString(), 0, QStringLiteral("1_2"),
                                              pt_document, -1);
    doc.main[4] = target.get();
    CComponentLink link;
    link.SetTargetPage(target.get());
    EXPECT_EQ(link.GetTargetPage(doc), target.get());
    doc.main.erase(4);
    target.reset();
    EXPECT_EQ(link.GetTargetPage(doc), nullptr);
    CComponentLink unresolved;
    EXPECT_EQ(unresolved.GetTargetPage(doc), nullptr);
}

TEST(CorvPage, EditorsFollowTheSelection)
{
    struct TestTable : CComponentBase {
        explicit TestTable(CEditCanvas *c) : CComponentBase(ct_table) { CreateComponentWindow(c); }
        std::unique_ptr<CComponentBase> Clone(bool) const override { return nullptr; }
        void SerializeComponent(CArchive &) override {}
    };
    FakeCanvas canvas;
    CCorvPage page = Screen();
    auto *t1 = Add(page, std::make_unique<TestTable>(&canvas));
    auto *t2 = Add(page, std::make_unique<TestTable>(&canvas));
    auto *shape = Add(page, std::make_unique<CComponentRectangle>(&canvas));
    page.ShowOnCanvas(canvas);
    page.EnableEditors(t2);
    EXPECT_FALSE(FakeCanvas::WindowOf(*t1)->enabled);
    EXPECT_TRUE(FakeCanvas::WindowOf(*t2)->enabled);
    EXPECT_FALSE(FakeCanvas::WindowOf(*shape)->enabled);
    page.ResetCarets();
    EXPECT_EQ(FakeCanvas::WindowOf(*t1)->caretResets, 1);
    EXPECT_EQ(FakeCanvas::WindowOf(*shape)->caretResets, 0);
}

// Guards spelling and find-and-replace on a screen without windows: they walk every text box and every
// table cell in drawing order, and the importers' first two editors skip other kinds.
TEST(CorvPage, RichTextsOfTheScreen)
{
    CCorvPage page = Screen();
    auto *a = Add(page, std::make_unique<CComponentTextbox>());
    Add(page, std::make_unique<CComponentRectangle>());
    CComponentTable::Settings grid;
    grid.rows = 2;
    grid.columns = 2;
    auto *table = Add(page, std::make_unique<CComponentTable>(nullptr, grid));
    auto *b = Add(page, std::make_unique<CComponentTextbox>());
    auto *c = Add(page, std::make_unique<CComponentTextbox>());
    for (CComponentTextbox *box : {a, b, c})
        box->GetRichText().ReplaceAll(QStringLiteral("some text"));
    table->SetCellText(QStringLiteral("cell text"), 1, 1);

    std::vector<CRichText *> texts{nullptr};
    EXPECT_EQ(page.CollectRichEdits(texts), 7);
    const std::vector<CRichText *> expected{&a->GetRichText(), &table->GetCellList()[0].GetRichText(),
                                            &table->GetCellList()[1].GetRichText(), &table->GetCellList()[2].GetRichText(),
                                            &table->GetCellList()[3].GetRichText(), &b->GetRichText(), &c->GetRichText()};
    EXPECT_EQ(texts, expected);

    std::vector<CRichText *> two{nullptr, nullptr, nullptr};
    EXPECT_EQ(page.GetFirstTwoTextEditors(two), 2);
    EXPECT_EQ(two, (std::vector<CRichText *>{&a->GetRichText(), &b->GetRichText()}));

    a->GetRichText().SetSel(2, 4);
    table->GetCellList()[3].GetRichText().SetSel(1, 3);
    page.ResetCarets();
    for (CRichText *text : texts) {
        int start = -1, end = -1;
        text->GetSel(start, end);
        EXPECT_EQ(std::pair(start, end), std::pair(0, 0));
    }

    CCorvPage empty = Screen(2);
    EXPECT_EQ(empty.CollectRichEdits(texts), 0);
    EXPECT_TRUE(texts.empty());
    EXPECT_EQ(empty.GetFirstTwoTextEditors(two), 0);
    EXPECT_TRUE(two.empty());
}

// Guards the topic record: five strings, the empty one as FF FE FF 00.
TEST(Topic, SerializeRoundTripsFiveStrings)
{
    CTopic topic(QStringLiteral("1"), QStringLiteral("Safety"), QString(), QStringLiteral("/d/safety.docx"),
                 QStringLiteral("TRUE"));
    CArchive out;
    topic.Serialize(out);
    const QByteArray bytes = out.GetBuffer();
    EXPECT_TRUE(bytes.contains(QByteArray::fromHex("FFFEFF00")));

    CArchive in(bytes);
    CTopic back;
    back.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back, topic);
    EXPECT_EQ(back.GetSourceDocument(), QStringLiteral("/d/safety.docx"));
    CArchive again;
    back.Serialize(again);
    EXPECT_EQ(again.GetBuffer(), bytes);
}
