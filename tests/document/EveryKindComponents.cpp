#include "EveryKindComponents.h"

#include "support/TempTree.h"

#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentEllipse.h"
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
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/QuestionIdCounter.h"

#include <QImage>

namespace EveryKindComponents {

QString Sources::File(const QString &name, const QByteArray &bytes) const
{
    return tree.Write(QStringLiteral("sources/") + name, bytes);
}

QString Sources::Picture(const QString &name) const
{
    tree.MakeFolder(QStringLiteral("sources"));
    QImage picture(24, 16, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    const QString path = tree / (QStringLiteral("sources/") + name);
    picture.save(path, "PNG");
    return path;
}

namespace {

template <class Kind>
std::unique_ptr<Kind> At(CRect bounds)
{
    auto c = std::make_unique<Kind>();
    c->SetBounds(bounds, false);
    return c;
}

} // namespace

std::vector<KindRow> EveryKind()
{
    return {
        {ct_textbox,
         [](const Sources &) {
             auto t = At<CComponentTextbox>({36, 32, 520, 200});
             t->SetFileName(QStringLiteral("tb1.rtf"));
             t->GetRichText().AppendText(QStringLiteral("Gulls nest on cliffs."), 0);
             return t;
         }},
        {ct_table,
         [](const Sources &) {
             CComponentTable::Settings settings;
             settings.rows = 2;
             settings.columns = 2;
             auto t = std::make_unique<CComponentTable>(nullptr, settings);
             t->SetBounds({36, 210, 520, 300}, false);
             return t;
         }},
        {ct_button,
         [](const Sources &) {
             auto b = At<CComponentButton>({600, 40, 700, 70});
             b->SetText(QStringLiteral("Print"));
             return b;
         }},
        {ct_link,
         [](const Sources &) {
             auto l = At<CComponentLink>({600, 80, 700, 100});
             l->SetText(QStringLiteral("More"));
             l->SetFixedTargetId(QStringLiteral("2_1m"));
             return l;
         }},
        {ct_rectangle, [](const Sources &) { return At<CComponentRectangle>({5, 5, 50, 50}); }},
        {ct_ellipse, [](const Sources &) { return At<CComponentEllipse>({60, 5, 110, 50}); }},
        {ct_line, [](const Sources &) { return At<CComponentLine>({120, 5, 200, 40}); }},
        {ct_remediation,
         [](const Sources &) {
             auto r = std::make_unique<CComponentRemediation>();
             r->m_passMark = 75;
             return r;
         }},
        {ct_audio,
         [](const Sources &s) {
             auto a = At<CComponentAudio>({900, 10, 974, 81});
             a->SetPlayButton(1);
             a->m_loop = 1;
             a->SetFilePath(s.File(QStringLiteral("Talk B.WMA")));
             return a;
         }},
        {ct_complete_paragraph,
         [](const Sources &) {
             auto q = At<CComponentCompleteParagraph>({36, 32, 972, 520});
             q->SetInstruction(QStringLiteral("Complete the paragraph."));
             q->SetQuestionText(QStringLiteral("Gulls **** on cliffs\nand ****."));
             q->SetMissingWords({QStringLiteral("nest"), QStringLiteral("dunes")});
             q->SetCorrectFeedback(QStringLiteral("Well done"));
             return q;
         }},
        {ct_fill_blanks,
         [](const Sources &) {
             auto q = At<CComponentFillBlanks>({36, 32, 972, 520});
             q->SetQuestionText(QStringLiteral("A **** gull"));
             CComponentFillBlanks::Words words;
             words[0] = QStringLiteral("big;large");
             q->SetWords(words);
             return q;
         }},
        {ct_multiple_choice,
         [](const Sources &) {
             auto q = At<CComponentMultipleChoice>({36, 32, 972, 520});
             q->SetQuestionText(QStringLiteral("Gulls are birds."));
             q->SetOptions({QStringLiteral("True"), QStringLiteral("False")}, {1, 0, 0, 0, 0});
             q->SetTrueFalse(1);
             q->SetInstruction(QStringLiteral("True or false?"));
             return q;
         }},
        {ct_free_form_text,
         [](const Sources &s) {
             auto q = std::make_unique<CComponentFreeFormText>(nullptr, s.context.QuestionIds());
             q->m_keywords[0] = QStringLiteral("wing;feather");
             q->m_storeResponse = 1;
             return q;
         }},
        {ct_likert,
         [](const Sources &) {
             auto q = At<CComponentLikert>({10, 10, 1014, 500});
             q->SetQuestionText(QStringLiteral("How sure are you?"));
             q->SetEndValue(10.5f);
             q->SetWords(QStringLiteral("Not;Somewhat;Very"));
             return q;
         }},
        {ct_video,
         [](const Sources &s) {
             auto v = std::make_unique<CComponentVideo>(nullptr);
             v->SetBounds({100, 100, 420, 340}, false);
             v->m_controller = 1;
             v->SetFilePath(s.File(QStringLiteral("Clip A.WMV")));
             return v;
         }},
        {ct_flash_question,
         [](const Sources &s) {
             auto f = At<CComponentFlashQuestion>({36, 32, 536, 432});
             f->SetFlashVars(QStringLiteral("level=2"));
             f->SetFilePath(s.File(QStringLiteral("My Quiz.swf")));
             return f;
         }},
        {ct_youtube,
         [](const Sources &) {
             auto y = At<CComponentYouTube>({500, 300, 820, 480});
             y->m_embedCode = QStringLiteral("<iframe width=\"320\" src=\"https://example.org/embed/abc\"></iframe>");
             return y;
         }},
        {ct_flash_video,
         [](const Sources &s) {
             auto f = At<CComponentFlashVideo>({100, 50, 420, 290});
             f->SetFilePath(s.File(QStringLiteral("Talk.flv")));
             f->m_stillImagePath = s.Picture(QStringLiteral("Still.GIF"));
             return f;
         }},
        {ct_html_editor,
         [](const Sources &) {
             auto h = At<CComponentHTMLEditor>({36, 32, 520, 332});
             h->SetFileName(QStringLiteral("tb2.rtf"));
             h->SetHtml(QStringLiteral("<html><body><p>Click <b>here</b></p></body></html>"));
             return h;
         }},
        {ct_image,
         [](const Sources &s) {
             auto i = std::make_unique<CComponentImage>(nullptr);
             i->SetBounds({540, 320, 660, 400}, false);
             i->SetImageFile(s.Picture(QStringLiteral("My Photo.PNG")), s.context);
             i->SetAltText(QStringLiteral("A gull on a post"));
             i->SetLink(1, 3, QString(), 1, 0, 1, 100, 250);
             i->SetAnimationEffect(CComponentImage::effectGrow);
             return i;
         }},
        {ct_large_topic,
         [](const Sources &s) {
             auto t = At<CComponentLargeTopic>({36, 320, 246, 500});
             t->SetTitle(QStringLiteral("Gulls"));
             t->SetPicture(s.Picture(QStringLiteral("Gull.png")), s.context);
             return t;
         }},
        {ct_small_topic,
         [](const Sources &s) {
             auto t = At<CComponentSmallTopic>({260, 320, 520, 360});
             t->SetTitle(QStringLiteral("Terns"));
             t->SetPicture(s.Picture(QStringLiteral("Tern.png")), s.context);
             return t;
         }},
        {ct_match_pairs,
         [](const Sources &s) {
             auto q = At<CComponentMatchPairs>({36, 32, 972, 520});
             q->SetQuestionText(QStringLiteral("Match the bird to its egg."));
             q->SetLeftTexts({QStringLiteral("Gull"), QStringLiteral("Tern")});
             q->SetLeftImages({s.Picture(QStringLiteral("gull egg.png"))});
             q->SetRightImages({QString(), s.Picture(QStringLiteral("tern egg.png"))});
             q->SetZoomImages(1);
             return q;
         }},
        {ct_part_identification,
         [](const Sources &s) {
             auto q = At<CComponentPartIdentification>({36, 32, 972, 520});
             q->SetQuestionText(QStringLiteral("Find the beak."));
             q->SetImageFile(s.Picture(QStringLiteral("Gull Head.png")));
             q->SetTargetCount(2);
             q->SetTargetRect(370, 2, 380, 12, 1);
             q->m_reduceToFit = 1;
             return q;
         }},
    };
}

} // namespace EveryKindComponents
