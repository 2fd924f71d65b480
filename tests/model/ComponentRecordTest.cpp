#include "FakeCanvas.h"
#include "support/TempTree.h"

#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentFactory.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
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

// A string's bytes in a record: the FF FE FF marker, a one-byte length and two bytes per character.
constexpr int Str(int characters) { return 4 + 2 * characters; }

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

struct RecordCase {
    const char *name;
    std::function<std::unique_ptr<CComponentBase>()> make;
    int size;  // bytes of the record
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
         20 + Str(6)},
        {"link",
         [] {
             auto l = std::make_unique<CComponentLink>();
             l->SetBounds(CRect(-5, 7, 90, 30), true);
             l->SetText(QStringLiteral("Link: Intro"));
             l->SetFixedTargetId(QStringLiteral("3_2m"));
             l->SetTargetLabel(QStringLiteral("1_2"));
             return l;
         },
         20 + Str(11) + Str(4) + Str(3)},
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
         20 + Str(7) + 4 + 4},
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
         20 + Str(2) + 3 * 4 + 3 * 4 + Str(6) + 6 * 4 + 2 + 2 * 4},
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
         20 + 4 * 4 + Str(0)},
    };
}

} // namespace

// Guards against a kind whose load branch reads other fields, or in another order, than its store branch
// writes (the next record of the screen would then be read out of step), and against a Clone that leaves a
// field behind (a pasted copy would lose it): the record has its pinned size, reads back to the same bytes,
// and a clone stores the same bytes as the original.
TEST(ComponentRecord, EveryKindRoundTripsToIdenticalBytes)
{
    for (const RecordCase &rc : RecordCases()) {
        SCOPED_TRACE(rc.name);
        auto original = rc.make();
        auto copy = original->Clone(true);
        EXPECT_EQ(Store(*original).size(), rc.size);
        const QByteArray bytes = StoreEntry(*original);
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
    } cases[] = {{-1, true}, {25, true}, {1000, true},
                 {ct_image, true}, {ct_likert, true}};
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
    for (auto &c : kinds) {
        SCOPED_TRACE(CComponentFactory::ClassName(c->GetType()));
        c->SetBounds(at, true);
        auto moved = c->Clone(false);
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
    EXPECT_EQ(r.SaveToFile(path), 1);
    EXPECT_EQ(TempTree::ReadAll(path), Store(r));
    EXPECT_EQ(r.SaveToFile(tree / QStringLiteral("missing/folder/one.rec")), 0);
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
