#include "FakeCanvas.h"
#include "support/TempTree.h"

#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentFactory.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentImage.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray StoreEntry(CComponentBase &c)
{
    CArchive ar;
    c.SerializeEntry(ar);
    return ar.GetBuffer();
}

QString T(const char *text) { return QString::fromLatin1(text); }

// Every field a question kind shares, away from its default.
void FillQuestion(CComponentQuestion &q)
{
    SQuestionValues v = q.GetQuestionValues();
    v.m_fontFace = T("Georgia");
    v.m_fontSize = 17;
    v.m_correctFeedback = T("Right");
    v.m_wrongFeedback = T("Wrong");
    // The question values are set through the public setters the windows use.
    q.SetFont(v.m_fontFace, v.m_fontSize);
    q.SetCorrectFeedback(v.m_correctFeedback);
    q.SetWrongFeedback(v.m_wrongFeedback);
}

// Makes a component of the kind with every field of its values struct away from its default, through the
// struct itself: a field added to a struct is copied by Clone without a line of code.
template <class Kind>
std::unique_ptr<CComponentBase> Filled(const std::function<void(typename Kind::Values &)> &fill)
{
    auto c = std::make_unique<Kind>();
    typename Kind::Values v = c->GetValues();
    fill(v);
    c->SetValues(v);
    c->SetBounds(CRect(11, 12, 313, 214), false);
    if constexpr (std::is_base_of_v<CComponentQuestion, Kind>)
        FillQuestion(*c);
    return c;
}

void FillVideo(SVideoValues &v)
{
    v.m_autoStart = 1;
    v.m_controller = 1;
    v.m_loop = 1;
    v.m_toolbar = 1;
    v.m_scrollBar = 1;
    v.m_navPanes = 1;
    v.m_windowMode = T("opaque");
    v.m_flashVars = T("a=1");
    v.m_backgroundColor = 0x102030;
    v.m_flashVersion = 9;
}

CURLLink FilledLink()
{
    return CURLLink(T("see"), 3, 7, 1, 4, T("https://example.org/"), 1, 0, 1, 120, 240);
}

struct KindCase {
    const char *name;
    std::function<std::unique_ptr<CComponentBase>()> make;
};

std::vector<KindCase> EveryKindFilled()
{
    return {
        {"text box", [] { return Filled<CComponentTextbox>([](STextboxValues &v) {
             v.m_content.GetRichText().AppendText(T("Gulls nest on cliffs."), 0);
             v.m_fontFace = T("Verdana");
             v.m_fontSize = 13;
             v.m_fontColour = 0x0000FF;
             v.m_fileName = T("tb9.rtf");
             v.m_rightToLeft = 2;
         }); }},
        {"table", [] { return Filled<CComponentTable>([](STableValues &v) {
             v.m_rows = 2;
             v.m_columns = 2;
             v.m_cells.resize(4);
             v.m_cells[3].GetRichText().AppendText(T("cell"), 0);
             v.m_splitterPositions = {40, 80, 20};
             v.m_tableBorder = 3;
             v.m_cellPadding = 4;
             v.m_cellBorderThickness = 2;
             v.m_tableBackground = 0x111111;
             v.m_headerBackground = 0x222222;
             v.m_tableBorderColour = 0x333333;
             v.m_cellBorderColour = 0x444444;
             v.m_setColours = 1;
             v.m_oldStyleBorders = 1;
             v.m_headerKind = CComponentTable::headerBoth;
             v.m_summary = T("Nests by month");
             v.m_fontFace = T("Arial");
             v.m_fontSize = 11;
             v.m_fontColour = 0x00FF00;
             v.m_hasFont = true;
             v.m_fileName = T("tbl2.rtf");
         }); }},
        {"button", [] { return Filled<CComponentButton>([](SButtonValues &v) {
             v.m_fontFace = T("Tahoma");
             v.m_fontSize = 9;
             v.m_caption = T("Print");
         }); }},
        {"link", [] { return Filled<CComponentLink>([](SLinkValues &v) {
             v.m_caption = T("More");
             v.m_fixedTargetId = T("2_1m");
             v.m_targetLabel = T("2.1");
             v.m_targetPageId = 5;
             v.m_hasFont = true;
             v.m_fontFace = T("Courier");
             v.m_fontPoints = 15;
         }); }},
        {"rectangle", [] { return Filled<CComponentRectangle>([](SFilledShapeValues &v) {
             v.m_filled = 1;
             v.m_fillColor = 0x123456;
             v.m_outlined = 0;
             v.m_outlineColor = 0x654321;
             v.m_lineWidth = 4;
         }); }},
        {"ellipse", [] { return Filled<CComponentEllipse>([](SFilledShapeValues &v) {
             v.m_filled = 1;
             v.m_fillColor = 0xABCDEF;
             v.m_outlined = 0;
             v.m_outlineColor = 0xFEDCBA;
             v.m_lineWidth = 6;
         }); }},
        {"line", [] { return Filled<CComponentLine>([](SLineValues &v) {
             v.m_visible = 1;
             v.m_p1 = QPoint(3, 4);
             v.m_p2 = QPoint(300, 400);
             v.m_width = 5;
             v.m_color = 0x0A0B0C;
         }); }},
        {"remediation", [] { return Filled<CComponentRemediation>([](SRemediationValues &v) {
             v.m_completionPageId = 7;
             v.m_reverseOutPageId = 8;
             v.m_passMark = 75;
             v.m_questionPageIds = {3, 4, 9};
         }); }},
        {"audio", [] { return Filled<CComponentAudio>([](SAudioValues &v) {
             v.m_autoStart = 0;
             v.m_buttonControls = 0;
             v.m_loop = 1;
             v.m_filePath = T("/sounds/Talk.wav");
             v.m_playButton = 1;
         }); }},
        {"complete paragraph", [] { return Filled<CComponentCompleteParagraph>([](SCompleteParagraphValues &v) {
             v.m_instruction = T("Complete it.");
             v.m_paragraph = T("Gulls **** on ****.");
             v.m_words[0] = T("nest");
             v.m_words[1] = T("cliffs");
         }); }},
        {"fill in the blanks", [] { return Filled<CComponentFillBlanks>([](SFillBlanksValues &v) {
             v.m_instruction = T("Type the word.");
             v.m_questionText = T("A **** gull");
             v.m_words[0] = T("big;large");
         }); }},
        {"multiple choice", [] { return Filled<CComponentMultipleChoice>([](SMultipleChoiceValues &v) {
             v.m_singleAnswer = 1;
             v.m_trueFalse = 1;
             v.m_stem = T("Gulls are birds.");
             v.m_instruction = T("True or false?");
             v.m_options = {T("True"), T("False"), T("C"), T("D"), T("E")};
             v.m_correct = {1, 0, 1, 0, 1};
         }); }},
        {"free text", [] { return Filled<CComponentFreeFormText>([](SFreeFormTextValues &v) {
             v.m_keywords[0] = T("wing;feather");
             v.m_keywords[9] = T("beak");
             v.m_instruction = T("Describe a gull.");
             v.m_correctFeedback = T("Good");
             v.m_wrongFeedback = T("Again");
             v.m_evaluate = 0;
             v.m_storeResponse = 1;
             v.m_emailResponse = 1;
             v.m_rememberResponse = 1;
             v.m_showPrintButton = 1;
             v.m_wholeWords = 0;
             v.m_caseSensitive = 1;
             v.m_numberToMatch = 2;
             v.m_maxCharacters = 99;
         }); }},
        {"rating scale", [] { return Filled<CComponentLikert>([](SLikertValues &v) {
             v.m_questionText = T("How sure?");
             v.m_horizontal = 0;
             v.m_showFill = 0;
             v.m_showValue = 0;
             v.m_useNumbers = 0;
             v.m_startValue = 1.5f;
             v.m_endValue = 9.5f;
             v.m_startLabel = T("Not");
             v.m_endLabel = T("Very");
             v.m_snap = 0;
             v.m_evaluate = 0;
             v.m_correctValue = 4.25f;
             v.m_decimalPlaces = 2;
             v.m_correctFeedback = T("Yes");
             v.m_wrongFeedback = T("No");
             v.m_words = T("Not;Somewhat;Very");
             v.m_tolerance = 0.5f;
             v.m_markers = 7;
         }); }},
        {"video", [] { return Filled<CComponentVideo>([](SVideoValues &v) {
             FillVideo(v);
             v.m_filePath = T("/movies/Clip.wmv");
         }); }},
        {"Flash question", [] { return Filled<CComponentFlashQuestion>([](SVideoValues &v) {
             FillVideo(v);
             v.m_filePath = T("/movies/Quiz.swf");
         }); }},
        {"Flash video", [] {
             auto f = Filled<CComponentFlashVideo>([](SVideoValues &v) {
                 FillVideo(v);
                 v.m_filePath = T("/movies/Talk.flv");
             });
             auto &player = static_cast<CComponentFlashVideo &>(*f);
             SFlashVideoValues v = player.GetPlayerValues();
             v.m_volume = 35;
             v.m_playSounds = 0;
             v.m_middleButton = 0;
             v.m_autoHide = 0;
             v.m_allowFullScreen = 0;
             v.m_defaultColours = 0;
             v.m_barColour = 0x010203;
             v.m_barShadowColour = 0x040506;
             v.m_soundBarColour = 0x070809;
             player.SetPlayerValues(v);
             return f;
         }},
        {"embedded video", [] { return Filled<CComponentYouTube>([](SYouTubeValues &v) {
             v.m_embedCode = T("<iframe src=\"https://example.org/embed/x\"></iframe>");
         }); }},
        {"HTML text", [] { return Filled<CComponentHTMLEditor>([](SHTMLEditorValues &v) {
             v.m_links = {FilledLink()};
             v.m_fileName = T("tb4.rtf");
             v.m_html = T("<html><body><p>Hi</p></body></html>");
         }); }},
        {"picture", [] { return Filled<CComponentImage>([](SImageValues &v) {
             v.m_acceleration = 1;
             v.m_panningMode = 1;
             v.m_timeToComplete = 3.5f;
             v.m_waitBeforeStart = 0.5f;
             v.m_markerCount = 3;
             v.m_waitAtEachMarker = 0.25f;
             v.m_clickStart = 1;
             v.m_markers[2] = CRect(1, 2, 3, 4);
             v.m_scale = 0.75f;
             v.m_timeToEachMarker = 1.25f;
             v.m_ownCoordinates = 1;
             v.m_altText = T("A gull on a post");
             v.m_reservedText = T("reserved");
             v.m_keywords = T("gull, post");
             v.m_jpegBorder = 2;
             v.m_borderStyle = 1;
             v.m_effect = CComponentImage::effectPan;
             v.m_titleText = T("Gull");
             v.m_marquee = CRect(5, 6, 70, 80);
             v.m_linked = 1;
             v.m_link = FilledLink();
         }); }},
        {"large topic button", [] { return Filled<CComponentLargeTopic>([](STopicButtonValues &v) {
             v.m_fitted = 1;
             v.m_title = T("Gulls");
             v.m_thumbnailIndex = 4;
             v.m_showPicture = 0;
         }); }},
        {"small topic button", [] { return Filled<CComponentSmallTopic>([](STopicButtonValues &v) {
             v.m_fitted = 1;
             v.m_title = T("Terns");
             v.m_thumbnailIndex = 2;
             v.m_showPicture = 0;
         }); }},
        {"match the pairs", [] { return Filled<CComponentMatchPairs>([](SMatchPairsValues &v) {
             v.m_questionText = T("Match the bird to its egg.");
             v.m_leftTexts = {T("Gull"), T("Tern")};
             v.m_rightTexts = {T("Big"), T("Small")};
             v.m_leftImages[4] = T("/pictures/left.png");
             v.m_rightImages[3] = T("/pictures/right.png");
             v.m_zoom = 1;
         }); }},
        {"part identification", [] { return Filled<CComponentPartIdentification>([](SPartIdentificationValues &v) {
             v.m_targetsToMatch = 2;
             v.m_reduceToFit = 1;
             v.m_highlightColor = 0x0000FF;
             v.m_targetCount = 3;
             v.m_questionText = T("Find the beak.");
             v.m_targets[1] = CRect(10, 20, 30, 40);
             v.m_storedScale = 0.5f;
         }); }},
    };
}

// Clones the component and gives the copy's record and the source component's, stored after the copy was made. A
// free-text question's copy draws an id of its own from the counter that every record ends with: the id is
// given back, the counter is the same for both.
std::pair<QByteArray, QByteArray> StoreCopyAndOriginal(CComponentBase &original)
{
    std::unique_ptr<CComponentBase> copy = original.Clone(true);
    if (auto *question = dynamic_cast<CComponentFreeFormText *>(copy.get())) {
        const QString id = static_cast<const CComponentFreeFormText &>(original).m_questionId;
        EXPECT_NE(question->m_questionId, id);
        question->m_questionId = id;
    }
    return {StoreEntry(*copy), StoreEntry(original)};
}

} // namespace

// Guards against a field left behind when a component is copied (a pasted copy would lose the author's
// setting): each kind, with every value of its values struct away from its default, clones to a copy that
// stores the same bytes, and its stored record pasted back (read into a new component) stores them again.
TEST(ComponentValues, CloneAndPasteKeepEveryValue)
{
    for (const KindCase &kc : EveryKindFilled()) {
        SCOPED_TRACE(kc.name);
        auto original = kc.make();
        auto plain = CComponentFactory::CreateComponent(original->GetType(), nullptr);
        ASSERT_TRUE(plain);
        const QByteArray bytes = StoreEntry(*original);
        EXPECT_NE(bytes, StoreEntry(*plain)) << "the filled values store as the defaults do";

        const auto [copied, stored] = StoreCopyAndOriginal(*original);
        EXPECT_EQ(copied, stored);

        CArchive ar(bytes);
        auto pasted = CComponentFactory::LoadComponent(ar, ProjectSchema::kCurrent);
        ASSERT_TRUE(pasted);
        EXPECT_TRUE(ar.AtEnd());
        EXPECT_EQ(StoreEntry(*pasted), bytes);
        const auto [pastedCopy, pastedStored] = StoreCopyAndOriginal(*pasted);
        EXPECT_EQ(pastedCopy, pastedStored);
    }
}

// Guards the copy on a canvas: the clone gets its own window, shows the copied values in it and stands at
// the clone's place, the source component's window untouched.
TEST(ComponentValues, CloneOnACanvasShowsTheValuesInItsOwnWindow)
{
    FakeCanvas canvas;
    CComponentButton button(&canvas);
    SButtonValues v = button.GetValues();
    v.m_caption = T("Next");
    button.SetValues(v);
    button.SetBounds(CRect(100, 100, 180, 130), true);
    button.Show();
    auto copy = button.Clone(false);
    EXPECT_EQ(copy->GetComponentWindow(), nullptr); // made when it goes on show
    copy->Show();
    ASSERT_NE(copy->GetComponentWindow(), nullptr);
    EXPECT_NE(copy->GetComponentWindow(), button.GetComponentWindow());
    EXPECT_GE(FakeCanvas::WindowOf(*copy)->updates, 1);
    EXPECT_EQ(FakeCanvas::WindowOf(*copy)->geometry,
              CRect(CComponentBase::kCloneLeft, CComponentBase::kCloneTop, CComponentBase::kCloneLeft + 80,
                    CComponentBase::kCloneTop + 30));
    EXPECT_EQ(static_cast<CComponentButton &>(*copy).GetText(), T("Next"));
}
