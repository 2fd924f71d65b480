#include "CanvasFixture.h"

#include "editor/CanvasEdits.h"
#include "editor/CanvasModel.h"
#include "model/ComponentAudio.h"
#include "model/ComponentLink.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"

namespace {

using CanvasEdits::PasteResult;

class CanvasEditsTest : public CanvasFixture
{
protected:
    PasteResult Paste(CCorvPage &screen, const CComponentBase &clipboard, CComponentBase **pasted = nullptr)
    {
        return CanvasEdits::Paste(*doc, &screen, &clipboard, prompt, pasted);
    }
};

// Guards against a second question on a screen, and against the exact message the author reads.
TEST_F(CanvasEditsTest, AQuestionPastesOnlyOntoAnEmptyContentScreen)
{
    CCorvPage &screen = AddScreen(pt_document);
    screen.SetModified(0);
    auto question = Make(ct_multiple_choice, CRect(300, 200, 900, 500));
    CComponentBase *pasted = nullptr;
    ASSERT_EQ(Paste(screen, *question, &pasted), PasteResult::Pasted);
    ASSERT_EQ(screen.GetComponentCount(), 1);
    EXPECT_EQ(screen.GetComponent(0), pasted);
    EXPECT_EQ(pasted->GetBounds().left, 36);
    EXPECT_EQ(pasted->GetBounds().top, 32);
    EXPECT_EQ(pasted->GetBounds().Width(), 600);
    EXPECT_EQ(screen.GetPageType(), pt_question);
    EXPECT_EQ(screen.GetModified(), 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_NE(pasted, question.get());

    EXPECT_EQ(Paste(screen, *question), PasteResult::QuestionRefused);
    EXPECT_EQ(screen.GetComponentCount(), 1);
    EXPECT_EQ(prompt.Texts(), QStringList{"Question can only be pasted onto empty page."});
}

// Guards against a folder losing its role: a question pasted onto an empty folder, popups or glossary
// folder would turn it into a question screen.
TEST_F(CanvasEditsTest, AQuestionIsRefusedOnFolderScreensEvenWhenEmpty)
{
    auto question = Make(ct_likert, CRect(0, 0, 500, 300));
    for (int type : {pt_folder, pt_container, pt_popups_only, pt_glossary}) {
        CCorvPage &screen = AddScreen(type, QStringLiteral("F%1").arg(type));
        prompt.Clear();
        EXPECT_EQ(Paste(screen, *question), PasteResult::QuestionRefused) << type;
        EXPECT_EQ(screen.GetPageType(), type);
        EXPECT_EQ(screen.GetComponentCount(), 0);
        EXPECT_EQ(prompt.Texts(), QStringList{CanvasEdits::kQuestionPasteMessage});
    }
}

// Guards against kinds pasted where they cannot be (lines, links, buttons) and against a Flash question
// changing the page type as the other questions do.
TEST_F(CanvasEditsTest, KindsPasteAsTheirClassAllows)
{
    CCorvPage &screen = AddScreen(pt_document);
    Add(screen, ct_rectangle, CRect(0, 0, 10, 10));
    struct Case {
        int type;
        PasteResult expected;
    };
    const Case cases[] = {
        {ct_flash_question, PasteResult::Pasted}, {ct_video, PasteResult::Pasted},
        {ct_youtube, PasteResult::Pasted},        {ct_image, PasteResult::Pasted},
        {ct_ellipse, PasteResult::Pasted},        {ct_rectangle, PasteResult::Pasted},
        {ct_line, PasteResult::NothingToPaste},   {ct_link, PasteResult::NothingToPaste},
        {ct_button, PasteResult::NothingToPaste}, {ct_small_topic, PasteResult::NothingToPaste},
        {ct_html_editor, PasteResult::NothingToPaste}, {ct_free_form_text, PasteResult::NothingToPaste},
    };
    for (const Case &c : cases) {
        auto clipboard = Make(c.type, CRect(100, 100, 300, 200));
        EXPECT_EQ(Paste(screen, *clipboard), c.expected) << c.type;
    }
    EXPECT_EQ(screen.GetComponentCount(), 7);
    EXPECT_EQ(screen.GetPageType(), pt_document);
    EXPECT_EQ(CanvasEdits::Paste(*doc, &screen, nullptr, prompt), PasteResult::NothingToPaste);
    EXPECT_EQ(CanvasEdits::Paste(*doc, nullptr, Make(ct_image, {}).get(), prompt), PasteResult::NothingToPaste);
    EXPECT_TRUE(prompt.Texts().isEmpty());
}

// Guards against two text boxes or tables sharing one rich-text file.
TEST_F(CanvasEditsTest, EachTextPasteTakesTheNextTextBoxNumber)
{
    CCorvPage &screen = AddScreen(pt_document);
    doc->SetNextTextBoxNumber(5);
    auto textbox = Make(ct_textbox, CRect(0, 0, 200, 100));
    static_cast<CComponentTextbox &>(*textbox).SetFileName(QStringLiteral("tb2.rtf"));
    auto table = Make(ct_table, CRect(0, 0, 200, 100));
    static_cast<CComponentTable &>(*table).SetFileName(QStringLiteral("tb3.rtf"));

    CComponentBase *first = nullptr, *second = nullptr, *third = nullptr;
    Paste(screen, *textbox, &first);
    Paste(screen, *textbox, &second);
    Paste(screen, *table, &third);
    EXPECT_EQ(static_cast<CComponentTextbox *>(first)->GetFileName(), "tb5.rtf");
    EXPECT_EQ(static_cast<CComponentTextbox *>(second)->GetFileName(), "tb6.rtf");
    EXPECT_EQ(static_cast<CComponentTable *>(third)->GetFileName(), "tb7.rtf");
    EXPECT_EQ(static_cast<CComponentTextbox &>(*textbox).GetFileName(), "tb2.rtf");
    EXPECT_EQ(static_cast<CComponentTable &>(*table).GetFileName(), "tb3.rtf");
    EXPECT_EQ(doc->GetNextTextBoxNumber(), 8);
}

// Guards against a refused paste being reported as pasted or leaking its clone (run under ASan).
TEST_F(CanvasEditsTest, ARefusedAudioPasteChangesNothing)
{
    CCorvPage &screen = AddScreen(pt_document);
    auto audio = Make(ct_audio, CRect(10, 10, 84, 81));
    static_cast<CComponentAudio &>(*audio).SetFilePath(QStringLiteral("a.mp3"));
    ASSERT_EQ(Paste(screen, *audio), PasteResult::Pasted);
    screen.SetModified(0);
    EXPECT_EQ(Paste(screen, *audio), PasteResult::ScreenRefused);
    EXPECT_EQ(screen.GetComponentCount(), 1);
    EXPECT_EQ(screen.GetModified(), 0);
}

// Guards against deleting a link that still leads somewhere, and against a deleted component left on the
// canvas or selected.
TEST_F(CanvasEditsTest, DeleteSparesLinksToExistingScreens)
{
    CCorvPage &target = AddScreen(pt_document, QStringLiteral("2"));
    CCorvPage &screen = AddScreen(pt_document);
    auto *linked = static_cast<CComponentLink *>(Add(screen, ct_link, CRect(0, 0, 100, 20)));
    linked->SetTargetLabel(QStringLiteral("2"));
    linked->SetTargetPage(&target);
    auto *dangling = static_cast<CComponentLink *>(Add(screen, ct_link, CRect(0, 30, 100, 50)));
    dangling->SetTargetLabel(QStringLiteral("9"));
    dangling->SetTargetPageId(4711);
    CComponentBase *image = Add(screen, ct_image, CRect(200, 200, 400, 400));
    CCanvasModel canvas;
    for (const auto &c : screen.GetComponentList())
        canvas.Append(c.get());
    canvas.Select(image);
    screen.SetModified(0);

    EXPECT_FALSE(CanvasEdits::Delete(screen, canvas, linked, *doc));
    EXPECT_EQ(screen.GetModified(), 0);
    EXPECT_TRUE(CanvasEdits::Delete(screen, canvas, dangling, *doc));
    EXPECT_TRUE(CanvasEdits::Delete(screen, canvas, image, *doc));
    EXPECT_EQ(screen.GetComponentCount(), 1);
    EXPECT_EQ(canvas.Components().size(), 1u);
    EXPECT_EQ(canvas.GetSelected(), nullptr);
    EXPECT_EQ(screen.GetModified(), 1);
    EXPECT_FALSE(CanvasEdits::Delete(screen, canvas, nullptr, *doc));
}

} // namespace
