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
#include "platform/QuestionIdCounter.h"
#include "model/GlobalHelpers.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray Store(CComponentBase &c)
{
    CArchive ar;
    c.SerializeComponent(ar);
    return ar.GetBuffer();
}

// The component's whole entry, as the archives write it (a text box's rich text follows its record).
QByteArray StoreEntry(CComponentBase &c)
{
    CArchive ar;
    c.SerializeEntry(ar);
    return ar.GetBuffer();
}

std::unique_ptr<CComponentBase> Load(const QByteArray &bytes, int schema = ProjectSchema::kCurrent,
                                     bool mainList = true)
{
    CArchive ar(bytes);
    CComponentFactory::LoadOptions options{schema};
    options.mainList = mainList;
    auto c = CComponentFactory::LoadComponent(ar, options);
    EXPECT_TRUE(ar.AtEnd()) << "the record was not read to its end";
    return c;
}

// Bytes of a stored string of n UTF-16 units below 255: marker, one length byte, the units.
constexpr int S(int units)
{
    return 4 + 2 * units;
}

QByteArray RectangleRecordBytes()
{
    CComponentRectangle r;
    r.SetBounds(CRect(7, 8, 9, 10), false);
    CArchive ar;
    r.SerializeComponent(ar);
    return ar.GetBuffer();
}

struct RecordCase {
    const char *name;
    std::function<std::unique_ptr<CComponentBase>()> make;
    int size;  // bytes of the record
    // A clone is a new question with an id of its own, so its record differs from its source's there.
    bool cloneDrawsNewId = false;
};

std::vector<RecordCase> RecordCases()
{
    return {
        {"button",
         [] {
             auto b = std::make_unique<CComponentButton>();
             b->SetBounds(CRect(1, 2, 300, 40), true);
             b->SetText(QStringLiteral("Résumé"));
             return b;
         },
         20 + S(6)},
        {"link",
         [] {
             auto l = std::make_unique<CComponentLink>();
             l->SetBounds(CRect(-5, 7, 90, 30), true);
             l->SetText(QStringLiteral("Link: Intro"));
             l->SetFixedTargetId(QStringLiteral("3_2m"));
             l->SetTargetLabel(QStringLiteral("1_2"));
             return l;
         },
         20 + S(11) + S(4) + S(3)},
        {"rectangle",
         [] {
             auto r = std::make_unique<CComponentRectangle>();
             r->SetBounds(CRect(20, 30, 220, 130), true);
             r->SetFilled(1);
             r->SetFillColor(0x123456);
             r->SetOutlined(0);
             r->SetOutlineColor(0xABCDEF);
             r->SetLineWidth(7);
             return r;
         },
         40},
        {"ellipse",
         [] {
             auto e = std::make_unique<CComponentEllipse>();
             e->SetLineWidth(3);
             e->SetOutlineColor(0x0000FF);
             return e;
         },
         40},
        {"line",
         [] {
             auto l = std::make_unique<CComponentLine>();
             l->SetPoints(QPoint(-10, 20), QPoint(300, -400));
             l->SetWidth(4);
             l->SetColor(0x00FF00);
             return l;
         },
         28},
        {"text box",
         [] {
             auto t = std::make_unique<CComponentTextbox>();
             t->SetBounds(CRect(36, 32, 520, 332), false);
             t->SetFileName(QStringLiteral("tb3.rtf"));
             t->SetRightToLeft(1);
             t->GetRichText().ReplaceAll(QStringLiteral("Gulls"));
             return t;
         },
         20 + S(7) + 4 + 4},
        {"table",
         [] {
             CComponentTable::Settings settings;
             settings.summary = QStringLiteral("Prices");
             settings.headerKind = CComponentTable::headerTop;
             auto t = std::make_unique<CComponentTable>(nullptr, settings);
             t->SetFileName(QStringLiteral("t7"));
             t->SetSplitterPositions({5, 6});
             return t;
         },
         20 + S(2) + 3 * 4 + 3 * 4 + S(6) + 6 * 4 + 2 + 2 * 4},
        {"remediation",
         [] {
             auto r = std::make_unique<CComponentRemediation>();
             r->SetQuestionPageIds({5, 9, 12});
             r->m_completionPageId = 20;
             r->m_reverseOutPageId = -1;
             r->m_passMark = 80;
             return r;
         },
         4 + 4 + 12 + 12},
        {"audio",
         [] {
             auto a = std::make_unique<CComponentAudio>();
             a->SetPlayButton(1);
             a->m_autoStart = 0;
             a->m_loop = 1;
             return a;
         },
         20 + 4 * 4 + S(0)},
        {"image",
         [] {
             auto i = std::make_unique<CComponentImage>(nullptr);
             i->SetBounds(CRect(3, 4, 303, 204), false);
             i->SetAltText(QStringLiteral("Gull"));
             i->SetLink(1, 7, QString(), 1, 0, 0, 120, 240);
             i->SetAnimationEffect(CComponentImage::effectPan);
             i->m_markerCount = 3;
             i->m_timeToEachMarker = 1.25f;
             return i;
         },
         200},
        {"large topic",
         [] {
             auto t = std::make_unique<CComponentLargeTopic>();
             t->SetBounds(CRect(40, 60, 250, 240), false);
             t->SetTitle(QStringLiteral("Gulls"));
             return t;
         },
         64},
        {"small topic",
         [] {
             auto t = std::make_unique<CComponentSmallTopic>();
             t->SetBounds(CRect(40, 60, 400, 100), false);
             t->SetTitle(QStringLiteral("Terns"));
             return t;
         },
         62},
        {"match pairs",
         [] {
             auto m = std::make_unique<CComponentMatchPairs>();
             m->SetQuestionText(QStringLiteral("Match"));
             m->SetLeftTexts({QStringLiteral("a"), QStringLiteral("b")});
             m->SetRightTexts({QString(), QStringLiteral("c")});
             m->SetZoomImages(1);
             return m;
         },
         132},
        {"part identification",
         [] {
             auto p = std::make_unique<CComponentPartIdentification>();
             p->SetQuestionText(QStringLiteral("Find"));
             p->SetTargetCount(2);
             p->SetTargetRect(1, 2, 31, 32, 1);
             p->m_highlightColor = 0x123456;
             return p;
         },
         224},
        {"complete paragraph",
         [] {
             auto q = std::make_unique<CComponentCompleteParagraph>();
             q->SetInstruction(QStringLiteral("Fill in"));
             q->SetQuestionText(QStringLiteral("The **** sat"));
             q->SetMissingWords({QString(), QStringLiteral("cat")});
             q->SetCorrectFeedback(QStringLiteral("Yes"));
             q->SetWrongFeedback(QStringLiteral("No"));
             return q;
         },
         20 + S(7) + S(12) + S(3) + 9 * S(0) + S(3) + S(2)},
        {"fill in the blanks",
         [] {
             auto q = std::make_unique<CComponentFillBlanks>();
             q->SetInstruction(QStringLiteral("Type"));
             q->SetQuestionText(QStringLiteral("A **** B"));
             CComponentFillBlanks::Words words;
             words[2] = QStringLiteral("big;large");
             q->SetWords(words);
             return q;
         },
         20 + S(4) + S(8) + S(9) + 9 * S(0) + 2 * S(0)},
        {"multiple choice",
         [] {
             auto q = std::make_unique<CComponentMultipleChoice>();
             q->SetQuestionText(QStringLiteral("Q?"));
             q->SetOptions({QStringLiteral("A"), QStringLiteral("B"), QString(), QStringLiteral("D")}, {1, 0, 0, 1, 0});
             q->SetTrueFalse(1);
             q->SetInstruction(QStringLiteral("True?"));
             return q;
         },
         20 + S(2) + 3 * S(1) + 2 * S(0) + 5 * 4 + 2 * S(0) + 4 + 4 + S(5)},
        {"free-form text",
         [] {
             static CQuestionIdCounter ids;
             auto q = std::make_unique<CComponentFreeFormText>(nullptr, ids);
             q->m_keywords[0] = QStringLiteral("red");
             q->m_keywords[4] = QStringLiteral("blue;navy");
             q->m_maxCharacters = 400;
             return q;
         },
         20 + S(3) + S(9) + 8 * S(0) + S(2) + S(32) + 2 * S(0) + 9 * 4 + 2, true},
        {"likert",
         [] {
             auto q = std::make_unique<CComponentLikert>();
             q->SetBounds(CRect(10, 10, 1014, 500), false);
             q->SetQuestionText(QStringLiteral("How?"));
             q->SetStartValue(0.1f);
             q->SetEndValue(-3.5f);
             q->SetCorrectValue(2.25f);
             q->SetTolerance(0.5f);
             q->SetWords(QStringLiteral("Poor;Good"));
             q->SetUseNumbers(0);
             return q;
         },
         20 + S(4) + 4 * 4 + 2 * 4 + 2 * S(0) + 2 * 4 + 4 + 4 + 2 * S(0) + S(9) + 4 + 4},
        {"video",
         [] {
             auto v = std::make_unique<CComponentVideo>();
             v->m_autoStart = 1;
             v->m_navPanes = 1;
             v->m_windowMode = QStringLiteral("opaque");
             v->SetFlashVars(QStringLiteral("a=1&b=2"));
             v->SetBackgroundColor(0x00FF8000);
             v->SetFlashVersion(9);
             return v;
         },
         20 + 3 * 4 + S(6) + S(7) + 4 + 4 + 3 * 4 + S(0)},
        {"flash question",
         [] {
             auto f = std::make_unique<CComponentFlashQuestion>();
             f->m_loop = 1;
             f->SetFlashVars(QStringLiteral("q=1"));
             return f;
         },
         20 + 3 * 4 + S(0) + S(3) + 4 + 4 + S(0)},
        {"youtube",
         [] {
             auto y = std::make_unique<CComponentYouTube>();
             y->m_embedCode = QStringLiteral("<iframe src=\"https://example.org/embed/x\"></iframe>");
             return y;
         },
         20 + S(51)},
        {"flash video",
         [] {
             auto f = std::make_unique<CComponentFlashVideo>();
             f->m_autoStart = 1;
             f->m_volume = 35;
             f->m_middleButton = 0;
             f->m_barColour = 0x123456;
             return f;
         },
         20 + 4 + 2 * S(0) + 5 * 4 + 4 * 4 + 2 * 4},
        {"HTML text",
         [] {
             auto h = std::make_unique<CComponentHTMLEditor>();
             h->SetBounds(CRect(36, 32, 520, 332), false);
             h->SetFileName(QStringLiteral("tb3.rtf"));
             h->SetHtml(QStringLiteral("<html><body><p>Hi</p></body></html>"));
             return h;
         },
         20 + S(7) + S(35)},
    };
}

} // namespace

// Guards against a kind whose load branch reads other fields, or in another order, than its store branch
// writes (the next record of the screen would then be read out of step), and against a Clone that leaves a
// field behind (a pasted copy would lose it): the record has its pinned size, reads back to the same bytes,
// and a clone stores the same bytes as the component it was made from.
TEST(ComponentRecord, EveryKindRoundTripsToIdenticalBytes)
{
    for (const RecordCase &rc : RecordCases()) {
        SCOPED_TRACE(rc.name);
        auto original = rc.make();
        auto copy = original->Clone(true);
        EXPECT_EQ(Store(*original).size(), rc.size);
        const QByteArray bytes = StoreEntry(*original);
        if (rc.cloneDrawsNewId)
            EXPECT_NE(StoreEntry(*copy), bytes);
        else
            EXPECT_EQ(StoreEntry(*copy), bytes);
        auto loaded = Load(bytes);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->GetType(), original->GetType());
        EXPECT_EQ(loaded->GetBounds(), original->GetBounds());
        EXPECT_EQ(StoreEntry(*loaded), bytes);
    }
}

// Guards against a truncated record being taken for a whole one (a partly read component on the screen).
TEST(ComponentRecord, RecordOneByteShortFailsWithTheArchiveError)
{
    for (const RecordCase &rc : RecordCases()) {
        SCOPED_TRACE(rc.name);
        auto original = rc.make();
        QByteArray bytes = StoreEntry(*original);
        bytes.chop(1);
        CArchive ar(bytes);
        try {
            CComponentFactory::LoadComponent(ar, {ProjectSchema::kCurrent});
            ADD_FAILURE() << "a short record was read";
        } catch (const CArchiveException &e) {
            EXPECT_TRUE(e.GetCause() == CArchiveException::endOfFile || e.GetCause() == CArchiveException::badCount);
        }
    }
}

// Guards against silently skipping a record that has no length: everything after it would be misread.
TEST(ComponentRecord, CodesThatCannotBeReadStopTheLoad)
{
    struct Case {
        int type;
        bool mainList;
    } cases[] = {{-1, true}, {25, true}, {1000, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        CArchive out;
        out.WriteInt(c.type);
        out.WriteRect(CRect(0, 0, 10, 10));
        CArchive ar(out.GetBuffer());
        CComponentFactory::LoadOptions options{ProjectSchema::kCurrent};
        options.mainList = c.mainList;
        try {
            CComponentFactory::LoadComponent(ar, options);
            ADD_FAILURE() << "an unreadable code was accepted";
        } catch (const CArchiveException &e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::badSchema);
            EXPECT_FALSE(e.GetText().isEmpty());
        }
    }
}

TEST(ComponentRecord, FactoryMakesEveryBuiltKindWithItsCode)
{
    for (int type = 0; type < kComponentTypeCount; ++type) {
        auto c = CComponentFactory::CreateComponent(type, nullptr);
        EXPECT_EQ(bool(c), CComponentFactory::IsSupported(type)) << type;
        if (c) {
            EXPECT_EQ(c->GetType(), type);
        }
        EXPECT_STRNE(CComponentFactory::ClassName(type), "");
    }
    EXPECT_FALSE(CComponentFactory::CreateComponent(ct_media, nullptr));
    EXPECT_FALSE(CComponentFactory::CreateComponent(kComponentTypeCount, nullptr));
}

// Guards the schema order: the numbers jump from 1000008 to 10000009, and a field is read only above its
// gate.
TEST(ComponentRecord, SchemaGatesCompareAsPlainNumbers)
{
    struct Case {
        int fileSchema;
        int gate;
        bool reads;
    } cases[] = {{1000008, 1000008, false}, {10000009, 1000008, true}, {1000008, 10000009, false},
                 {10000009, 10000009, false}, {10000010, 10000009, true}, {ProjectSchema::kCurrent, 1000005, true}};
    for (const Case &c : cases) {
        CComponentButton b;
        b.SetFileSchema(c.fileSchema);
        EXPECT_EQ(b.IsSchemaAbove(c.gate), c.reads) << c.fileSchema << " > " << c.gate;
    }
}

// Guards against reading a gated field from a file written before it existed.
TEST(ComponentRecord, AudioControlsAreReadOnlyAboveTheirGate)
{
    CArchive old;
    old.WriteInt(ct_audio);
    old.WriteRect(CRect(10, 10, 84, 81));
    old.WriteInt(1);
    old.WriteString(QStringLiteral("song.mp3"));

    auto loaded = Load(old.GetBuffer(), CComponentAudio::kControlsGate);
    auto *audio = dynamic_cast<CComponentAudio *>(loaded.get());
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->GetPlayButton(), 1);
    EXPECT_EQ(audio->m_autoStart, 1);
    EXPECT_EQ(audio->m_buttonControls, 1);
    EXPECT_EQ(audio->m_loop, 0);
    EXPECT_EQ(audio->GetFilePath(), QStringLiteral("Sounds/song.mp3"));

    // One schema later the same bytes are too short: the gated fields are expected.
    CArchive ar(old.GetBuffer());
    EXPECT_THROW(CComponentFactory::LoadComponent(ar, {CComponentAudio::kControlsGate + 1}), CArchiveException);
}

TEST(ComponentRecord, NewComponentsCarryTheCurrentSchema)
{
    CComponentRectangle r;
    EXPECT_EQ(r.GetFileSchema(), ProjectSchema::kCurrent);
    EXPECT_EQ(r.IsStandAlone(), 0);
    EXPECT_EQ(r.GetOwnerPage(), nullptr);
}

TEST(ComponentRecord, ButtonFontIsNotStored)
{
    CComponentButton b;
    b.SetFont(QStringLiteral("Arial"), 14);
    b.SetText(QStringLiteral("Next"));
    auto loaded = Load(Store(b));
    auto *button = dynamic_cast<CComponentButton *>(loaded.get());
    ASSERT_TRUE(button);
    EXPECT_EQ(button->GetText(), QStringLiteral("Next"));
    EXPECT_TRUE(button->GetFontFace().isEmpty());
    EXPECT_EQ(button->GetFontSize(), 0);
}

// Guards against the stored ids of a remediation losing track of deleted screens, or growing an id list
// from a count the file cannot hold.
TEST(ComponentRecord, RemediationRecord)
{
    CCorvPage screen0(0, {}, {}, {}, 0, {}, pt_question, -1);
    FakeLookup withoutZero;
    FakeLookup withZero;
    withZero.main[0] = &screen0;

    CComponentRemediation fresh;
    fresh.SetScreenLookup(&withoutZero);
    CArchive a;
    a.WriteInt(22); a.WriteInt(0); a.WriteInt(-1); a.WriteInt(-1); a.WriteInt(0);
    EXPECT_EQ(Store(fresh), a.GetBuffer());
    CComponentRemediation fresh0;
    fresh0.SetScreenLookup(&withZero);
    CArchive b;
    b.WriteInt(22); b.WriteInt(0); b.WriteInt(0); b.WriteInt(0); b.WriteInt(0);
    EXPECT_EQ(Store(fresh0), b.GetBuffer());

    // Ids 5, 9, 12 with screen 9 gone: a store before any getter keeps all three.
    CCorvPage s5(5, {}, {}, {}, 0, {}, pt_question, -1), s12(12, {}, {}, {}, 0, {}, pt_question, -1);
    CCorvPage s20(20, {}, {}, {}, 0, {}, pt_document, -1);
    FakeLookup doc;
    doc.main = {{5, &s5}, {12, &s12}, {20, &s20}};
    CComponentRemediation r;
    r.SetScreenLookup(&doc);
    r.SetQuestionPageIds({5, 9, 12});
    r.m_completionPageId = 21;  // gone
    r.m_reverseOutPageId = -1;
    CArchive before;
    r.SerializeComponent(before);
    EXPECT_EQ(before.GetBuffer().size(), 4 + 4 + 12 + 12);
    std::vector<int> ids;
    r.GetQuestionPageIds(doc, ids);
    EXPECT_EQ(ids, (std::vector<int>{5, 12}));
    EXPECT_EQ(r.GetStoredQuestionPageIds(), (std::vector<int>{5, 12}));
    EXPECT_EQ(r.m_completionPageId, -1);  // stored through the getter
    EXPECT_EQ(r.GetReverseOutPageId(doc), -1);

    auto loaded = Load(Store(r));
    auto *back = dynamic_cast<CComponentRemediation *>(loaded.get());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetStoredQuestionPageIds(), (std::vector<int>{5, 12}));
    EXPECT_EQ(back->m_completionPageId, -1);
    EXPECT_EQ(back->m_reverseOutPageId, -1);

    // n = -5 reads no ids; n beyond the remaining bytes fails before allocating.
    CArchive negative;
    negative.WriteInt(22); negative.WriteInt(-5); negative.WriteInt(1); negative.WriteInt(2); negative.WriteInt(3);
    auto n = Load(negative.GetBuffer());
    EXPECT_TRUE(dynamic_cast<CComponentRemediation &>(*n).GetStoredQuestionPageIds().empty());
    EXPECT_EQ(dynamic_cast<CComponentRemediation &>(*n).m_passMark, 3);
    CArchive huge;
    huge.WriteInt(22); huge.WriteInt(0x7FFFFFFF); huge.WriteInt(1); huge.WriteInt(2); huge.WriteInt(3);
    CArchive ar(huge.GetBuffer());
    try {
        CComponentFactory::LoadComponent(ar, {ProjectSchema::kCurrent});
        ADD_FAILURE();
    } catch (const CArchiveException &e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::badCount);
    }
}

TEST(ComponentRecord, RemediationCloneCopiesEverySetting)
{
    CComponentRemediation r;
    r.SetQuestionPageIds({3, 4});
    r.m_completionPageId = 20;
    r.m_reverseOutPageId = 21;
    r.m_passMark = 80;
    auto copy = r.Clone(false);
    auto &c = dynamic_cast<CComponentRemediation &>(*copy);
    EXPECT_EQ(c.GetStoredQuestionPageIds(), (std::vector<int>{3, 4}));
    EXPECT_EQ(c.m_completionPageId, 20);
    EXPECT_EQ(c.m_reverseOutPageId, 21);
    EXPECT_EQ(c.m_passMark, 80);
}

// Guards against a pasted component landing off the visible area or changing size.
TEST(ComponentRecord, ClonePlacement)
{
    FakeCanvas canvas;
    const CRect at(500, 300, 600, 350);
    std::vector<std::unique_ptr<CComponentBase>> kinds;
    kinds.push_back(std::make_unique<CComponentButton>(&canvas));
    kinds.push_back(std::make_unique<CComponentRectangle>(&canvas));
    kinds.push_back(std::make_unique<CComponentEllipse>(&canvas));
    kinds.push_back(std::make_unique<CComponentAudio>(&canvas));
    for (int type : {ct_complete_paragraph, ct_fill_blanks, ct_match_pairs, ct_multiple_choice, ct_part_identification,
                     ct_image, ct_video, ct_small_topic, ct_large_topic, ct_free_form_text, ct_html_editor,
                     ct_flash_question, ct_youtube, ct_flash_video, ct_likert})
        kinds.push_back(CComponentFactory::CreateComponent(type, &canvas));
    for (auto &c : kinds) {
        SCOPED_TRACE(CComponentFactory::ClassName(c->GetType()));
        c->SetBounds(at, true);
        auto moved = c->Clone(false);
        moved->Show();
        EXPECT_EQ(moved->GetBounds(), CRect(36, 32, 136, 82));
        EXPECT_EQ(FakeCanvas::WindowOf(*moved)->geometry, CRect(36, 32, 136, 82));
        EXPECT_EQ(c->Clone(true)->GetBounds(), at);
        EXPECT_EQ(moved->GetParentCanvas(), &canvas);
    }
}

TEST(ComponentRecord, CloneCopiesTheKindsFields)
{
    CComponentEllipse e;
    e.SetBounds(CRect(500, 300, 650, 400), true);
    e.SetFilled(1);
    e.SetFillColor(0x112233);
    e.SetOutlineColor(0x445566);
    e.SetLineWidth(5);
    auto copy = e.Clone(false);
    auto &c = dynamic_cast<CComponentEllipse &>(*copy);
    EXPECT_EQ(c.GetBounds(), CRect(36, 32, 186, 132));
    EXPECT_EQ(c.IsFilled(), 1);
    EXPECT_EQ(c.GetFillColor(), 0x112233u);
    EXPECT_EQ(c.GetOutlineColor(), 0x445566u);
    EXPECT_EQ(c.GetLineWidth(), 5);

    CComponentLine line;
    line.SetPoints(QPoint(500, 300), QPoint(600, 350));
    for (bool keep : {false, true}) {
        auto l = line.Clone(keep);
        QPoint p1, p2;
        dynamic_cast<CComponentLine &>(*l).GetPoints(p1, p2);
        EXPECT_EQ(p1, QPoint(500, 300));
        EXPECT_EQ(p2, QPoint(600, 350));
    }

    CComponentButton b;
    b.SetFont(QStringLiteral("Arial"), 12);
    b.SetText(QStringLiteral("Pass"));
    auto bc = b.Clone(true);
    EXPECT_EQ(dynamic_cast<CComponentButton &>(*bc).GetFontFace(), QStringLiteral("Arial"));
    EXPECT_EQ(dynamic_cast<CComponentButton &>(*bc).GetText(), QStringLiteral("Pass"));

    CComponentAudio a;
    a.SetFilePath(QStringLiteral("/x/a.mp3"));
    a.SetPlayButton(1);
    a.m_autoStart = 0;
    a.m_loop = 1;
    auto ac = a.Clone(false);
    auto &audio = dynamic_cast<CComponentAudio &>(*ac);
    EXPECT_EQ(audio.GetFilePath(), QStringLiteral("/x/a.mp3"));
    EXPECT_EQ(audio.m_autoStart, 0);
    EXPECT_EQ(audio.m_loop, 1);
}

TEST(ComponentRecord, SaveToFileWritesTheRecordOrReportsFailure)
{
    TempTree tree;
    CComponentRectangle r;
    const QString path = tree / QStringLiteral("one.rec");
    EXPECT_TRUE(r.SaveToFile(path).Ok());
    EXPECT_EQ(TempTree::ReadAll(path), Store(r));
    EXPECT_FALSE(r.SaveToFile(tree / QStringLiteral("missing/folder/one.rec")).Ok());
}

// Guards the stream around the codes a list never holds (media anywhere, remediation off the main list):
// nothing is made and nothing follows the code, so the next int32 is the next type code.
TEST(ComponentRecord, CodesTheListNeverHoldsStandAlone)
{
    CComponentRectangle after(nullptr);
    after.SetBounds(CRect(1, 2, 30, 40), false);
    CArchive rectangle;
    after.SerializeComponent(rectangle);

    for (bool mainList : {true, false}) {
        SCOPED_TRACE(mainList);
        CArchive out;
        out.WriteInt(ct_media);
        if (!mainList)
            out.WriteInt(ct_remediation);
        out.Write(rectangle.GetBuffer().constData(), rectangle.GetBuffer().size());

        CArchive ar(out.GetBuffer());
        CComponentFactory::LoadOptions options{ProjectSchema::kCurrent};
        options.mainList = mainList;
        EXPECT_EQ(CComponentFactory::LoadComponent(ar, options), nullptr);
        if (!mainList) {
            EXPECT_EQ(CComponentFactory::LoadComponent(ar, options), nullptr);
        }
        auto next = CComponentFactory::LoadComponent(ar, options);
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->GetType(), ct_rectangle);
        EXPECT_EQ(next->GetBounds(), CRect(1, 2, 30, 40));
        EXPECT_TRUE(ar.AtEnd());
    }
}

// Guards the gates of the picture kinds: a record of an older schema carries fewer fields, the component
// takes its defaults for the others, and the record after it is read in step.
TEST(ComponentRecord, PictureKindsReadOlderRecords)
{
    struct Case {
        const char *name;
        int schema;
        std::function<void(CArchive &)> write;  // the record after its type code and bounds
        std::function<void(CComponentBase &)> check;
    };
    const Case cases[] = {
        {"image, 10000024: no link id, no popup settings, no animation", 10000024,
         [](CArchive &ar) {
             for (const char *s : {"gull.jpg", "alt", "", "keys"})
                 ar.WriteString(QString::fromLatin1(s));
             ar.WriteInt(0);  // photo object
             ar.WriteInt(1);  // linked
             ar.WriteInt(1);  // screen link
             ar.WriteInt(12); // target screen
             ar.WriteString(QString());
         },
         [](CComponentBase &c) {
             auto &i = dynamic_cast<CComponentImage &>(c);
             EXPECT_EQ(i.GetAltText(), QStringLiteral("alt"));
             EXPECT_EQ(i.IsLinked(), 1);
             EXPECT_EQ(i.GetLink().GetNumber(), -1);
             EXPECT_EQ(i.GetLink().GetTargetScreen(), 12);
             EXPECT_EQ(i.GetLink().GetPopup(), 0);
             EXPECT_EQ(i.GetLink().GetFullSize(), 1);
             EXPECT_EQ(i.GetLink().GetStoredPopupHeight(), 100);
             EXPECT_EQ(i.GetLink().GetStoredPopupWidth(), 250);
             EXPECT_EQ(i.GetAnimationEffect(), 0);
             EXPECT_EQ(i.m_markerCount, 1);
             EXPECT_EQ(i.m_timeToComplete, 6.0f);
             EXPECT_EQ(i.IsMetafile(), 0);
             EXPECT_EQ(i.GetImageFile(), QStringLiteral("Course/Images/gull.jpg"));
         }},
        {"image, 10000044: everything but the metafile flag", 10000044,
         [](CArchive &ar) {
             for (int i = 0; i < 4; ++i)
                 ar.WriteString(QString());
             for (int v : {0, 0, 5, 1, -1})
                 ar.WriteInt(v);
             ar.WriteString(QString());
             for (int v : {1, 0, 300, 400, int(CComponentImage::effectShrink), 1})
                 ar.WriteInt(v);
             ar.WriteFloat(4.0f);
             ar.WriteFloat(0.5f);
             ar.WriteString(QStringLiteral("Title"));
             ar.WriteInt(2);
             ar.WriteFloat(0.25f);
             ar.WriteRect(CRect(1, 2, 3, 4));
             ar.WriteInt(1);
             ar.WriteInt(1);
             ar.WriteRect(CRect(5, 6, 7, 8));
             ar.WriteRect(CRect(9, 10, 11, 12));
             ar.WriteFloat(0.75f);
             ar.WriteFloat(3.0f);
             ar.WriteInt(1);
         },
         [](CComponentBase &c) {
             auto &i = dynamic_cast<CComponentImage &>(c);
             EXPECT_EQ(i.GetLink().GetNumber(), 5);
             EXPECT_EQ(i.GetLink().GetStoredPopupWidth(), 400);
             EXPECT_EQ(i.GetAnimationEffect(), CComponentImage::effectShrink);
             EXPECT_EQ(i.GetTitleText(), QStringLiteral("Title"));
             EXPECT_EQ(i.m_markerCount, 2);
             EXPECT_EQ(i.m_markers[1], CRect(9, 10, 11, 12));
             EXPECT_EQ(i.m_scale, 0.75f);
             EXPECT_EQ(i.m_ownCoordinates, 1);
             EXPECT_TRUE(i.GetImageFile().isEmpty());
         }},
        {"large topic, 10000044: no fitted flag", 10000044,
         [](CArchive &ar) {
             ar.WriteString(QStringLiteral("Gulls"));
             ar.WriteInt(-1);
             ar.WriteString(QStringLiteral("mm3.png"));
             ar.WriteInt(1);
         },
         [](CComponentBase &c) {
             auto &t = dynamic_cast<CComponentLargeTopic &>(c);
             EXPECT_EQ(t.GetTitle(), QStringLiteral("Gulls"));
             EXPECT_EQ(t.HasPhotoMask(), 1);
             EXPECT_EQ(t.IsFitted(), 0);
             EXPECT_EQ(t.GetPicturePath(), QStringLiteral("Course/Images/MM/mm3.png"));
             // Written again, the record carries the flag.
             CArchive out;
             c.SerializeComponent(out);
             CArchive in(out.GetBuffer());
             in.ReadInt();
             in.ReadRect();
             in.ReadString();
             in.ReadInt();
             in.ReadString();
             in.ReadInt();
             EXPECT_EQ(in.ReadInt(), 0);
             EXPECT_TRUE(in.AtEnd());
         }},
        {"small topic, 10000045: the fitted flag", 10000045,
         [](CArchive &ar) {
             ar.WriteString(QStringLiteral("Terns"));
             ar.WriteInt(4);
             ar.WriteString(QStringLiteral("m1.png"));
             ar.WriteInt(0);
             ar.WriteInt(1);
         },
         [](CComponentBase &c) {
             auto &t = dynamic_cast<CComponentSmallTopic &>(c);
             EXPECT_EQ(t.GetThumbnailIndex(), 4);
             EXPECT_EQ(t.IsFitted(), 1);
             EXPECT_EQ(t.GetPicturePath(), QStringLiteral("Course/Images/M/m1.png"));
         }},
        {"match pairs, 10000023: texts and feedback only", 10000023,
         [](CArchive &ar) {
             ar.WriteString(QStringLiteral("Match"));
             for (const char *s : {"a", "b", "", "", "e", "1", "2", "", "", "5", "right", "wrong"})
                 ar.WriteString(QString::fromLatin1(s));
         },
         [](CComponentBase &c) {
             auto &m = dynamic_cast<CComponentMatchPairs &>(c);
             EXPECT_EQ(m.GetLeftTexts()[4], QStringLiteral("e"));
             EXPECT_EQ(m.GetRightTexts()[4], QStringLiteral("5"));
             EXPECT_EQ(m.GetWrongFeedback(), QStringLiteral("wrong"));
             EXPECT_EQ(m.GetLeftImages(), CComponentMatchPairs::Slots{});
             EXPECT_EQ(m.GetZoomImages(), 0);
         }},
        {"part identification, 10000025: one target", 10000025,
         [](CArchive &ar) {
             ar.WriteString(QStringLiteral("Find"));
             ar.WriteString(QString());
             ar.WriteRect(CRect(5, 6, 35, 36));
             ar.WriteString(QStringLiteral("right"));
             ar.WriteString(QStringLiteral("wrong"));
         },
         [](CComponentBase &c) {
             auto &p = dynamic_cast<CComponentPartIdentification &>(c);
             EXPECT_EQ(p.GetTargetRect(0), CRect(5, 6, 35, 36));
             for (int i = 1; i < 10; ++i)
                 EXPECT_EQ(p.GetTargetRect(i), CRect());
             EXPECT_EQ(p.GetTargetCount(), 1);
             EXPECT_EQ(p.m_targetsToMatch, 1);
             EXPECT_EQ(p.m_reduceToFit, 0);
             EXPECT_EQ(p.m_highlightColor, 65280);
             EXPECT_EQ(p.GetWrongFeedback(), QStringLiteral("wrong"));
         }},
        {"part identification, 10000027: no highlight colour", 10000027,
         [](CArchive &ar) {
             ar.WriteString(QStringLiteral("Find"));
             ar.WriteString(QString());
             ar.WriteFloat(1.0f);
             for (int i = 0; i < 10; ++i)
                 ar.WriteRect(CRect(i, 0, i + 1, 1));
             for (int v : {4, 3, 1})
                 ar.WriteInt(v);
             ar.WriteString(QString());
             ar.WriteString(QString());
         },
         [](CComponentBase &c) {
             auto &p = dynamic_cast<CComponentPartIdentification &>(c);
             EXPECT_EQ(p.GetTargetRect(9), CRect(9, 0, 10, 1));
             EXPECT_EQ(p.GetTargetCount(), 4);
             EXPECT_EQ(p.m_targetsToMatch, 3);
             EXPECT_EQ(p.m_reduceToFit, 1);
             EXPECT_EQ(p.m_highlightColor, 65280);
         }},
    };
    const int types[] = {ct_image, ct_image, ct_large_topic, ct_small_topic, ct_match_pairs, ct_part_identification,
                         ct_part_identification};
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CArchive out;
        out.WriteInt(types[n++]);
        out.WriteRect(CRect(1, 2, 3, 4));
        c.write(out);
        // A rectangle follows, as the next component of the screen.
        CComponentRectangle next;
        next.SetFillColor(0xABCDEF);
        next.SerializeComponent(out);
        CArchive ar(out.GetBuffer());
        ar.SetFilePath(QStringLiteral("Course.kvx"));
        auto component = CComponentFactory::LoadComponent(ar, {c.schema});
        ASSERT_TRUE(component);
        EXPECT_EQ(component->GetBounds(), CRect(1, 2, 3, 4));
        c.check(*component);
        auto following = CComponentFactory::LoadComponent(ar, {c.schema});
        ASSERT_TRUE(dynamic_cast<CComponentRectangle *>(following.get()));
        EXPECT_EQ(dynamic_cast<CComponentRectangle &>(*following).GetFillColor(), 0xABCDEFu);
        EXPECT_TRUE(ar.AtEnd());
    }
}
// Guards against reading fields that an older file does not hold: the gated field keeps its default, and
// the record after it (here a rectangle) is still read in step.
TEST(ComponentRecord, OlderSchemasReadOnlyTheFieldsTheyHave)
{
    auto head = [](CArchive &ar, int type) {
        ar.WriteInt(type);
        ar.WriteRect(CRect(1, 2, 301, 202));
    };
    auto question = [&](CArchive &ar) {
        head(ar, ct_multiple_choice);
        ar.WriteString(QStringLiteral("Stem"));
        for (const char *option : {"A", "B", "", "", ""})
            ar.WriteString(QString::fromLatin1(option));
        for (int flag : {0, 1, 0, 0, 0})
            ar.WriteInt(flag);
        ar.WriteString(QStringLiteral("Right"));
        ar.WriteString(QStringLiteral("Wrong"));
    };
    auto playOptions = [](CArchive &ar) {
        ar.WriteInt(1);
        ar.WriteInt(1);
        ar.WriteInt(1);
    };
    auto flashSettings = [](CArchive &ar) {
        ar.WriteString(QStringLiteral("v=2"));
        ar.WriteColor(0x000080FF);
        ar.WriteInt(10);
    };
    struct Case {
        const char *name;
        int schema;
        std::function<void(CArchive &)> write;
        std::function<void(CComponentBase &)> check;
    };
    const Case cases[] = {
        {"multiple choice without single-answer flag", 10000021, question,
         [](CComponentBase &c) {
             auto &q = dynamic_cast<CComponentMultipleChoice &>(c);
             EXPECT_EQ(q.GetQuestionText(), QStringLiteral("Stem"));
             EXPECT_EQ(q.GetCorrectFlags()[1], 1);
             EXPECT_EQ(q.GetWrongFeedback(), QStringLiteral("Wrong"));
             EXPECT_EQ(q.m_singleAnswer, 0);
             EXPECT_EQ(q.m_trueFalse, 0);
             EXPECT_TRUE(q.GetInstruction().isEmpty());
         }},
        {"multiple choice without true/false style", 10000022,
         [&](CArchive &ar) {
             question(ar);
             ar.WriteInt(1);
         },
         [](CComponentBase &c) {
             auto &q = dynamic_cast<CComponentMultipleChoice &>(c);
             EXPECT_EQ(q.m_singleAnswer, 1);
             EXPECT_EQ(q.m_trueFalse, 0);
             EXPECT_TRUE(q.GetInstruction().isEmpty());
         }},
        {"video with the file name only", 1000005,
         [&](CArchive &ar) {
             head(ar, ct_video);
             ar.WriteString(QStringLiteral("clip.avi"));
         },
         [](CComponentBase &c) {
             auto &v = dynamic_cast<CComponentVideo &>(c);
             EXPECT_EQ(v.m_autoStart, 0);
             EXPECT_EQ(v.m_windowMode, QStringLiteral("window"));
             EXPECT_EQ(v.GetFilePath(), QStringLiteral("Movies/clip.avi"));
         }},
        {"video without window mode", 1000007,
         [&](CArchive &ar) {
             head(ar, ct_video);
             playOptions(ar);
             ar.WriteString(QStringLiteral("clip.avi"));
         },
         [](CComponentBase &c) {
             auto &v = dynamic_cast<CComponentVideo &>(c);
             EXPECT_EQ(v.m_loop, 1);
             EXPECT_EQ(v.m_windowMode, QStringLiteral("window"));
         }},
        {"flash question without window mode", 1000007,
         [&](CArchive &ar) {
             head(ar, ct_flash_question);
             playOptions(ar);
             ar.WriteString(QStringLiteral("quiz.swf"));
         },
         [](CComponentBase &c) {
             auto &f = dynamic_cast<CComponentFlashQuestion &>(c);
             EXPECT_TRUE(f.m_windowMode.isEmpty());
             EXPECT_EQ(f.GetFilePath(), QStringLiteral("Questions/quiz.swf"));
         }},
        {"video without Flash settings", 10000018,
         [&](CArchive &ar) {
             head(ar, ct_video);
             playOptions(ar);
             ar.WriteString(QStringLiteral("opaque"));
             ar.WriteString(QStringLiteral("clip.swf"));
         },
         [](CComponentBase &c) {
             auto &v = dynamic_cast<CComponentVideo &>(c);
             EXPECT_EQ(v.m_windowMode, QStringLiteral("opaque"));
             EXPECT_TRUE(v.GetFlashVars().isEmpty());
             EXPECT_EQ(v.GetBackgroundColor(), 0xFFFFFFu);
             EXPECT_EQ(v.GetFlashVersion(), 8);
         }},
        {"video without PDF options", 10000020,
         [&](CArchive &ar) {
             head(ar, ct_video);
             playOptions(ar);
             ar.WriteString(QStringLiteral("opaque"));
             flashSettings(ar);
             ar.WriteString(QStringLiteral("doc.pdf"));
         },
         [](CComponentBase &c) {
             auto &v = dynamic_cast<CComponentVideo &>(c);
             EXPECT_EQ(v.GetFlashVars(), QStringLiteral("v=2"));
             EXPECT_EQ(v.GetBackgroundColor(), 0x000080FFu);
             EXPECT_EQ(v.GetFlashVersion(), 10);
             EXPECT_EQ(v.m_toolbar + v.m_scrollBar + v.m_navPanes, 0);
         }},
        {"flash question at the current schema", ProjectSchema::kCurrent,
         [&](CArchive &ar) {
             head(ar, ct_flash_question);
             playOptions(ar);
             ar.WriteString(QStringLiteral("transparent"));
             flashSettings(ar);
             ar.WriteString(QStringLiteral("quiz.swf"));
         },
         [](CComponentBase &c) {
             auto &f = dynamic_cast<CComponentFlashQuestion &>(c);
             EXPECT_EQ(f.m_windowMode, QStringLiteral("transparent"));
             EXPECT_EQ(f.GetFlashVersion(), 10);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CArchive out;
        c.write(out);
        out.Write(RectangleRecordBytes().constData(), RectangleRecordBytes().size());
        CArchive in(out.GetBuffer());
        auto first = CComponentFactory::LoadComponent(in, {c.schema});
        ASSERT_TRUE(first);
        EXPECT_EQ(first->GetBounds(), CRect(1, 2, 301, 202));
        c.check(*first);
        auto next = CComponentFactory::LoadComponent(in, {c.schema});
        ASSERT_TRUE(next);
        EXPECT_EQ(next->GetType(), ct_rectangle);
        EXPECT_EQ(next->GetBounds(), CRect(7, 8, 9, 10));
        EXPECT_TRUE(in.AtEnd());
    }
}

// Guards against a pasted question or player silently turning into another kind or losing its settings.
TEST(ComponentRecord, MediaAndQuestionClonesKeepKindAndSettings)
{
    FakeCanvas canvas;
    CComponentFlashQuestion quiz(&canvas);
    quiz.SetBounds(CRect(100, 50, 500, 350), true);
    quiz.SetFilePath(QStringLiteral("/m/quiz.swf"));
    quiz.m_windowMode = QStringLiteral("transparent");
    quiz.SetFlashVars(QStringLiteral("level=2"));
    quiz.SetBackgroundColor(0x112233);
    auto quizCopy = quiz.Clone(false);
    ASSERT_EQ(quizCopy->GetType(), ct_flash_question);
    auto &qc = dynamic_cast<CComponentFlashQuestion &>(*quizCopy);
    EXPECT_EQ(qc.GetBounds(), CRect(36, 32, 436, 332));
    EXPECT_EQ(qc.GetFilePath(), QStringLiteral("/m/quiz.swf"));
    EXPECT_EQ(qc.m_windowMode, QStringLiteral("transparent"));
    EXPECT_EQ(qc.GetFlashVars(), QStringLiteral("level=2"));
    EXPECT_EQ(qc.GetBackgroundColor(), 0x112233u);

    CComponentFlashVideo player(&canvas);
    player.SetFilePath(QStringLiteral("/m/talk.flv"));
    player.m_stillImagePath = QStringLiteral("/m/still.png");
    player.m_volume = 20;
    player.m_autoHide = 0;
    player.m_soundBarColour = 0x445566;
    auto playerCopy = player.Clone(true);
    ASSERT_EQ(playerCopy->GetType(), ct_flash_video);
    auto &pc = dynamic_cast<CComponentFlashVideo &>(*playerCopy);
    EXPECT_EQ(pc.m_stillImagePath, QStringLiteral("/m/still.png"));
    EXPECT_EQ(pc.m_volume, 20);
    EXPECT_EQ(pc.m_autoHide, 0);
    EXPECT_EQ(pc.m_soundBarColour, 0x445566u);

    CComponentLikert slider(&canvas);
    slider.SetBounds(CRect(100, 50, 700, 400), true);
    slider.SetWords(QStringLiteral("Low;High"));
    slider.SetTolerance(0.25f);
    EXPECT_EQ(slider.Clone(false)->GetBounds(), CRect(36, 32, 636, 382));
    auto sliderCopy = slider.Clone(true);
    EXPECT_EQ(sliderCopy->GetBounds(), CRect(100, 50, 700, 400));
    EXPECT_EQ(dynamic_cast<CComponentLikert &>(*sliderCopy).GetWords(), QStringLiteral("Low;High"));
    EXPECT_EQ(dynamic_cast<CComponentLikert &>(*sliderCopy).GetTolerance(), 0.25f);

    CComponentHTMLEditor html(&canvas);
    html.SetHtml(QStringLiteral("<p>x</p>"));
    html.AddLink(QStringLiteral("x"), 3, 1, 7, {}, 0, 0, 0, 100, 250);
    auto htmlCopy = html.Clone(false);
    ASSERT_TRUE(htmlCopy);
    EXPECT_EQ(dynamic_cast<CComponentHTMLEditor &>(*htmlCopy).GetHtml(), QStringLiteral("<p>x</p>"));
    EXPECT_EQ(dynamic_cast<CComponentHTMLEditor &>(*htmlCopy).GetLinks().size(), 1u);
}
