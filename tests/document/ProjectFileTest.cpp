#include "GoldenProject.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "document/ProjectArchive.h"
#include "model/ComponentButton.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/Topic.h"
#include "platform/Archive.h"
#include "support/TempTree.h"

#include "platform/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr qint64 kNow = 1700000000;

CCorvessaDoc::Clock FixedClock() { return [] { return int64_t(kNow); }; }

QByteArray ProjectBytes(CCorvessaDoc &doc)
{
    CArchive ar;
    ar.SetFilePath("/courses/Course.kvx");
    CProjectFile::Serialize(doc, ar);
    return ar.GetBuffer();
}

void Load(CCorvessaDoc &doc, const QByteArray &bytes)
{
    CArchive ar(bytes);
    ar.SetFilePath("/courses/Course.kvx");
    CProjectFile::Serialize(doc, ar);
}

std::unique_ptr<CCorvPage> Page(int id, const QString &label, int pageType, int menuKind = 0)
{
    auto page = std::make_unique<CCorvPage>(id, "Title " + label, "Banner " + label, "src" + label + ".docx",
                                            id % 2, label, pageType, -1);
    page->SetMenuKind(menuKind);
    return page;
}

template <class Kind>
Kind *Add(CCorvPage &page, CRect bounds)
{
    auto c = std::make_unique<Kind>();
    Kind *raw = c.get();
    c->SetBounds(bounds, false);
    page.AddComponent(std::move(c));
    return raw;
}

// A course with screens and components in all three lists, topics and glossary documents.
void FillCourse(CCorvessaDoc &doc)
{
    doc.OnNewDocument();
    doc.MutableSettings().CourseName = "Birds of the coast";
    doc.MutableSettings().MenuBasedCourse = 1; // a course of several topics is menu-based; a reader would set it
    doc.SetNextScreenNumber(9);
    doc.SetNextTextBoxNumber(4);
    doc.AddTopic(std::make_unique<CTopic>("1", "Gulls", "", "gulls.docx", "FALSE"));
    doc.AddTopic(std::make_unique<CTopic>("2", "Terns", "b", "terns.docx", "TRUE"));
    doc.SetGlossaryDocuments({"/docs/glossary.docx"});

    auto menu = Page(0, "1", 0, 1);
    auto *link = Add<CComponentLink>(*menu, {40, 40, 140, 60});
    link->SetText("To the terns");
    link->SetTargetLabel("2");
    Add<CComponentButton>(*menu, {200, 40, 300, 80})->SetText("Go");
    doc.AddScreen(std::move(menu));
    auto content = Page(1, "2", 2);
    Add<CComponentRectangle>(*content, {10, 10, 110, 60});
    Add<CComponentEllipse>(*content, {100, 100, 300, 200});
    Add<CComponentLine>(*content, {5, 5, 80, 90});
    doc.AddScreen(std::move(content));
    auto remediation = Page(2, "3", 8);
    auto r = std::make_unique<CComponentRemediation>();
    r->SetQuestionPageIds({1});
    r->m_passMark = 70;
    remediation->AddComponent(std::move(r));
    doc.AddScreen(std::move(remediation));

    doc.AddScreen(Page(3, "1000", 7), nullptr, true, false);
    auto popup = Page(4, "P1", 2);
    Add<CComponentRectangle>(*popup, {1, 2, 3, 4});
    doc.AddScreen(std::move(popup), nullptr, true, false);
    doc.AddScreen(Page(5, "9000", 9), nullptr, false, true);
    doc.AddScreen(Page(6, "G1", 2), nullptr, false, true);
}

// The golden file of a new project: the settings, no topics, the settings after them, and three empty
// screen lists.
QByteArray GoldenNewProject()
{
    GoldenProject golden(10000047);
    golden.WriteSettings(kNow);
    golden.WriteTopics({});
    golden.WritePostTopic();
    golden.Ar().WriteInt(0);
    golden.WriteSection("<popups>", 0);
    golden.WriteSection("<glossary>", 0);
    return golden.Bytes();
}

QString FixturePath(const char *name) { return QStringLiteral(CORV_FIXTURES "/document/") + QLatin1String(name); }

QByteArray RectangleRecord(CRect bounds)
{
    CComponentRectangle r;
    r.SetBounds(bounds, false);
    CArchive ar;
    r.SerializeComponent(ar);
    return ar.GetBuffer();
}

// Runs in a child process: reads bytes with the address space capped at what is in use plus 512 MB and
// exits with 0 when the read ended cleanly with `topics` topics and `screens` main screens, after telling
// the author once that the project was read only in part.
[[noreturn]] void ReadWithCappedAddressSpace(const QByteArray &bytes, size_t topics, size_t screens)
{
    CRecordingPrompt prompts;
    CCorvContext context;
    context.prompt = &prompts;
    CCorvessaDoc doc(context, FixedClock());
    long pages = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const rlim_t cap = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(512) << 20);
    const rlimit limit{cap, cap};
    if (pages == 0 || setrlimit(RLIMIT_AS, &limit) != 0)
        _exit(3);
    Load(doc, bytes);
    const bool kept = doc.Topics().size() == topics && doc.MainScreens().size() == screens;
    _exit(kept && prompts.Entries().size() == 1 ? 0 : 2);
}

} // namespace

// Guards the whole new-project file against a checked-in golden file built field by field.
TEST(ProjectFile, NewProjectEqualsTheGoldenFile)
{
    const QByteArray golden = GoldenNewProject();
    QFile file(FixturePath("new-project.kvx"));
    if (qEnvironmentVariableIsSet("CORV_WRITE_FIXTURES") && file.open(QIODevice::WriteOnly))
        file.write(golden);
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), golden);

    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    EXPECT_EQ(ProjectBytes(doc), golden);
}

// Guards the screen records and section markers the writer puts down, against records built field by
// field: the menu kind in main-list records only, the component count and entries, "<popups>" and
// "<glossary>" with their counts.
TEST(ProjectFile, ScreenRecordsEqualTheGoldenFieldByField)
{
    auto page = [](int id, const QString &title, const QString &label, int pageType, int menuKind) {
        auto p = std::make_unique<CCorvPage>(id, title, "banner of " + title, "source.docx", 0, label, pageType, -1);
        p->SetMenuKind(menuKind);
        return p;
    };
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    doc.AddScreen(page(5, "Menu", "1", 0, 2));
    Add<CComponentRectangle>(*doc.MainScreens()[0], {1, 2, 3, 4});
    doc.AddScreen(page(6, "Popups", "1000", 7, 0), nullptr, true, false);
    doc.AddScreen(page(7, "Glossary", "9000", 9, 0), nullptr, false, true);

    const QByteArray rect = RectangleRecord({1, 2, 3, 4});
    GoldenProject golden(10000047);
    golden.WriteSettings(kNow);
    golden.WriteTopics({});
    golden.WritePostTopic();
    golden.Ar().WriteInt(1);
    golden.WriteScreen(5, "Menu", "1", 0, 2, [&](CArchive &ar) { ar.Write(rect.constData(), rect.size()); }, 1);
    golden.WriteSection("<popups>", 1);
    golden.WriteScreen(6, "Popups", "1000", 7, -1);
    golden.WriteSection("<glossary>", 1);
    golden.WriteScreen(7, "Glossary", "9000", 9, -1);
    EXPECT_EQ(ProjectBytes(doc), golden.Bytes());

    CCorvessaDoc reread(CCorvContext::Empty(), FixedClock());
    Load(reread, golden.Bytes());
    ASSERT_EQ(reread.MainScreens().size(), 1u);
    const CCorvPage &menu = *reread.MainScreens()[0];
    EXPECT_EQ(menu.GetBanner(), "banner of Menu");
    EXPECT_EQ(menu.GetSourceDocument(), "source.docx");
    EXPECT_EQ(menu.GetLabel(), "1");
    EXPECT_EQ(menu.GetPageType(), 0);
    EXPECT_EQ(menu.GetMenuKind(), 2);
    ASSERT_EQ(reread.GlossaryScreens().size(), 1u);
    EXPECT_EQ(reread.GlossaryScreens()[0]->GetId(), 7);
    EXPECT_EQ(reread.GlossaryScreens()[0]->GetBanner(), "banner of Glossary");
}

// Guards byte stability: a saved course reads back to the same file, screens and components in step.
TEST(ProjectFile, SaveLoadSaveGivesIdenticalBytes)
{
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    FillCourse(doc);
    const QByteArray first = ProjectBytes(doc);

    CCorvessaDoc reread(CCorvContext::Empty(), FixedClock());
    reread.OnNewDocument();
    Load(reread, first);
    ASSERT_EQ(reread.MainScreens().size(), 3u);
    ASSERT_EQ(reread.PopupScreens().size(), 2u);
    ASSERT_EQ(reread.GlossaryScreens().size(), 2u);
    EXPECT_EQ(reread.MainScreens()[0]->GetComponentCount(), 2);
    EXPECT_EQ(reread.MainScreens()[0]->GetMenuKind(), 1);
    EXPECT_EQ(reread.MainScreens()[1]->GetComponentCount(), 3);
    EXPECT_EQ(reread.MainScreens()[2]->GetComponentCount(), 1);
    EXPECT_EQ(reread.PopupScreens()[1]->GetComponentCount(), 1);
    EXPECT_EQ(reread.MainScreens()[1]->GetTitle(), "Title 2");
    EXPECT_EQ(reread.MainScreens()[1]->GetBanner(), "Banner 2");
    EXPECT_EQ(reread.MainScreens()[1]->GetSourceDocument(), "src2.docx");
    EXPECT_EQ(reread.MainScreens()[1]->GetAssessable(), 1);
    EXPECT_EQ(reread.PopupScreens()[1]->GetLabel(), "P1");
    EXPECT_EQ(reread.GetNextScreenNumber(), 9);
    EXPECT_EQ(reread.GetNextTextBoxNumber(), 4);
    EXPECT_EQ(reread.Topics().size(), 2u);
    EXPECT_EQ(*reread.Topics()[1], *doc.Topics()[1]);
    EXPECT_EQ(reread.Settings().MenuBasedCourse, 1);
    EXPECT_EQ(reread.GlossaryDocuments(), doc.GlossaryDocuments());
    EXPECT_EQ(reread.GetPopupsFolder(), reread.PopupScreens()[0].get());
    EXPECT_EQ(reread.GetGlossaryFolder(), reread.GlossaryScreens()[0].get());
    // The link on the menu (a folder screen) points at the screen its label names.
    auto *link = dynamic_cast<CComponentLink *>(reread.MainScreens()[0]->GetComponent(0));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetTargetPage(reread), reread.MainScreens()[1].get());

    EXPECT_EQ(ProjectBytes(reread), first);
}

// Guards the counters the file carries and the topic-button picture counter, which every save and every
// load start again from 0 (the button pictures of a project are numbered from 0 in each save).
TEST(ProjectFile, CountersTravelWithTheFileAndPictureNumbersRestart)
{
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    doc.SetNextScreenNumber(31);
    doc.SetNextTextBoxNumber(17);
    doc.SetImportPending(0);
    doc.TakeTopicButtonPictureNumber();
    doc.TakeTopicButtonPictureNumber();
    const QByteArray bytes = ProjectBytes(doc);
    EXPECT_EQ(doc.TakeTopicButtonPictureNumber(), 0);

    CCorvessaDoc reread(CCorvContext::Empty(), FixedClock());
    reread.OnNewDocument();
    reread.TakeTopicButtonPictureNumber();
    Load(reread, bytes);
    EXPECT_EQ(reread.GetNextScreenNumber(), 31);
    EXPECT_EQ(reread.GetNextTextBoxNumber(), 17);
    EXPECT_EQ(reread.GetImportPending(), 0);
    EXPECT_EQ(reread.GetFileSchema(), 10000047);
    EXPECT_EQ(reread.GetLoadRetry(), 0);
    EXPECT_EQ(reread.TakeTopicButtonPictureNumber(), 0);
}

// Guards the folder pointers a load sets: each points into its own list, also when a damaged file holds a
// folder's page type in another list.
TEST(ProjectFile, FolderPointersPointIntoTheirOwnLists)
{
    GoldenProject golden(10000047);
    golden.WriteSettings(kNow);
    golden.WriteTopics({});
    golden.WritePostTopic();
    golden.Ar().WriteInt(3);
    golden.WriteScreen(0, "stray popups folder", "1", 7, 0);
    golden.WriteScreen(1, "stray glossary folder", "2", 9, 0);
    golden.WriteScreen(2, "Final Performance Screens", "3", 4, 0);
    golden.WriteSection("<popups>", 1);
    golden.WriteScreen(3, "Popups", "1000", 7, -1);
    golden.WriteSection("<glossary>", 0);

    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    Load(doc, golden.Bytes());
    ASSERT_EQ(doc.MainScreens().size(), 3u);
    ASSERT_EQ(doc.PopupScreens().size(), 1u);
    EXPECT_EQ(doc.GetPopupsFolder(), doc.PopupScreens()[0].get());
    EXPECT_EQ(doc.GetGlossaryFolder(), nullptr);
    EXPECT_EQ(doc.GetFinalPerformanceFolder(), doc.MainScreens()[2].get());
}

// Guards the old forms: no schema number, screens numbered by position, the old topic count.
TEST(ProjectFile, SchemaLessFileNumbersItsScreensInOrder)
{
    GoldenProject golden(GoldenProject::kNoSchema, {{"nextScreen", 57}});
    golden.WriteSettings(kNow);
    golden.WriteTopics({{"1", "A", "", "", "FALSE"}, {"2", "B", "", "", "FALSE"}});
    golden.WritePostTopic();
    golden.Ar().WriteInt(3);
    const QByteArray rect = RectangleRecord({1, 2, 3, 4});
    for (const char *label : {"1", "2", "3"})
        golden.WriteScreen(-1, label, label, 2, -1, [&](CArchive &ar) { ar.Write(rect.constData(), rect.size()); }, 1);

    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    Load(doc, golden.Bytes());
    EXPECT_EQ(doc.GetFileSchema(), 1000000);
    EXPECT_EQ(doc.GetNextScreenNumber(), 57);
    EXPECT_EQ(doc.Topics().size(), 2u);
    EXPECT_EQ(doc.Settings().MenuBasedCourse, 1);
    ASSERT_EQ(doc.MainScreens().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(doc.MainScreens()[size_t(i)]->GetId(), i);
        EXPECT_EQ(doc.MainScreens()[size_t(i)]->GetMenuKind(), 0);
        EXPECT_EQ(doc.MainScreens()[size_t(i)]->GetComponentCount(), 1);
        EXPECT_EQ(doc.MainScreens()[size_t(i)]->GetComponent(0)->GetBounds().right, 3);
    }
}

// Guards the sections each schema has: reading stops after the last one of the file's schema.
TEST(ProjectFile, SectionsFollowTheSchema)
{
    const struct Case {
        int32_t schema;
        bool popups, glossary;
    } cases[] = {{10000024, false, false}, {10000025, true, false}, {10000037, true, false}, {10000038, true, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.schema);
        GoldenProject golden(c.schema);
        golden.WriteSettings(kNow);
        golden.WriteTopics({{"1", "Only", "", "", "FALSE"}});
        golden.WritePostTopic({"/g.docx"});
        golden.Ar().WriteInt(1);
        golden.WriteScreen(10, "Main", "1", 0, c.schema >= 10000031 ? 2 : -1);
        if (c.popups) {
            golden.WriteSection("<popups>", 1);
            golden.WriteScreen(11, "Popups", "1000", 7, -1);
        }
        if (c.glossary) {
            golden.WriteSection("<glossary>", 1);
            golden.WriteScreen(12, "Glossary", "9000", 9, -1);
        }
        // Whatever follows the last section of the file's schema is never read.
        golden.Ar().WriteString("trailing");

        CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
        doc.OnNewDocument();
        doc.MutableSettings().MenuBasedCourse = 0;
        Load(doc, golden.Bytes());
        ASSERT_EQ(doc.MainScreens().size(), 1u);
        EXPECT_EQ(doc.MainScreens()[0]->GetId(), 10);
        EXPECT_EQ(doc.MainScreens()[0]->GetMenuKind(), c.schema >= 10000031 ? 2 : 0);
        EXPECT_EQ(doc.PopupScreens().size(), c.popups ? 1u : 0u);
        EXPECT_EQ(doc.GlossaryScreens().size(), c.glossary ? 1u : 0u);
        EXPECT_EQ(doc.GlossaryDocuments(), c.glossary ? QStringList{"/g.docx"} : QStringList{});
        EXPECT_EQ(doc.Settings().MenuBasedCourse, 0); // one topic leaves the stored flag
        EXPECT_EQ(doc.Topics().size(), 1u);
    }
}

// Guards the old two-byte topic count: its first byte counts, signed.
TEST(ProjectFile, OldTopicCountUsesItsFirstByteSigned)
{
    for (int count : {2, -1}) {
        GoldenProject golden(10000016);
        golden.WriteSettings(kNow);
        golden.Ar().WriteByte(uint8_t(int8_t(count)));
        golden.Ar().WriteByte(1);
        if (count > 0)
            for (int i = 0; i < count; ++i)
                for (int s = 0; s < 5; ++s)
                    golden.Ar().WriteString("t");
        golden.WritePostTopic();
        golden.Ar().WriteInt(0);
        CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
        doc.OnNewDocument();
        Load(doc, golden.Bytes());
        EXPECT_EQ(doc.Topics().size(), size_t(std::max(count, 0))) << count;
    }
}

// Guards the reset before reading: an old file does not take settings from the course open before.
TEST(ProjectFile, OldFileDoesNotInheritThePreviousCoursesSettings)
{
    GoldenProject golden(10000013);
    golden.WriteSettings(kNow);
    golden.WriteTopics({});
    golden.WritePostTopic();
    golden.Ar().WriteInt(0);

    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    doc.MutableSettings().RightToLeft = 1;             // gated at least 10000032
    doc.MutableSettings().LmsCompatibility = "Other";  // gated at least 10000046
    doc.MutableSettings().EmulateIE7 = 0;              // after the topics, at least 10000042
    doc.MutableSettings().ShowGlossary = 0;            // set once per document object: a new project keeps it too
    doc.SetUserStoresHook([](CCorvessaDoc &d) { d.MutableSettings().KenBurnsInterval = 8; });
    Load(doc, golden.Bytes());
    EXPECT_EQ(doc.Settings().RightToLeft, 0);
    EXPECT_EQ(doc.Settings().LmsCompatibility, "Default");
    EXPECT_EQ(doc.Settings().EmulateIE7, 1);
    EXPECT_EQ(doc.Settings().ShowGlossary, 0);
    EXPECT_EQ(doc.Settings().KenBurnsInterval, 8);
}

// Guards the codes a list never holds (media anywhere, remediation on popup and glossary screens): nothing
// is made, nothing follows the code, and the components after it are read in step.
TEST(ProjectFile, CodesTheListsNeverHoldStandAlone)
{
    const QByteArray rect = RectangleRecord({7, 8, 9, 10});
    const auto codesThenRectangle = [&rect](std::vector<int32_t> codes) {
        return [&rect, codes](CArchive &ar) {
            for (int32_t code : codes)
                ar.WriteInt(code);
            ar.Write(rect.constData(), rect.size());
        };
    };
    GoldenProject golden(10000047);
    golden.WriteSettings(kNow);
    golden.WriteTopics({});
    golden.WritePostTopic();
    golden.Ar().WriteInt(1);
    golden.WriteScreen(0, "main", "1", 2, 0, codesThenRectangle({ct_media}), 2);
    golden.WriteSection("<popups>", 1);
    golden.WriteScreen(1, "popup", "P1", 2, -1, codesThenRectangle({ct_remediation, ct_media}), 3);
    golden.WriteSection("<glossary>", 1);
    golden.WriteScreen(2, "glossary", "G1", 2, -1, codesThenRectangle({ct_remediation}), 2);

    CRecordingPrompt prompts;
    CCorvContext context;
    context.prompt = &prompts;
    CCorvessaDoc doc(context, FixedClock());
    Load(doc, golden.Bytes());
    EXPECT_TRUE(prompts.Entries().isEmpty());
    for (const auto *list : {&doc.MainScreens(), &doc.PopupScreens(), &doc.GlossaryScreens()}) {
        ASSERT_EQ(list->size(), 1u);
        const CCorvPage &page = *(*list)[0];
        ASSERT_EQ(page.GetComponentCount(), 1) << page.GetTitle().toStdString();
        EXPECT_EQ(page.GetComponent(0)->GetBounds(), CRect(7, 8, 9, 10));
    }
}

// Guards the writer's side of the same rule: a remediation component put on a popup or glossary screen is
// left out, so the file reads back in step and saves again to the same bytes.
TEST(ProjectFile, WriterLeavesOutWhatAListCannotHold)
{
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    for (auto *list : {&doc.PopupScreens(), &doc.GlossaryScreens()}) {
        auto page = Page(list == &doc.PopupScreens() ? 3 : 4, list == &doc.PopupScreens() ? "P1" : "G1", 2);
        auto r = std::make_unique<CComponentRemediation>();
        r->SetQuestionPageIds({1, 2, 3});
        page->AddComponent(std::move(r));
        Add<CComponentRectangle>(*page, {7, 8, 9, 10});
        doc.AddScreen(std::move(page), nullptr, list == &doc.PopupScreens(), list == &doc.GlossaryScreens());
    }
    doc.SetNextScreenNumber(5);
    const QByteArray bytes = ProjectBytes(doc);

    CCorvessaDoc reread(CCorvContext::Empty(), FixedClock());
    Load(reread, bytes);
    for (const auto *list : {&reread.PopupScreens(), &reread.GlossaryScreens()}) {
        ASSERT_EQ(list->size(), 1u);
        ASSERT_EQ((*list)[0]->GetComponentCount(), 1);
        EXPECT_EQ((*list)[0]->GetComponent(0)->GetType(), ct_rectangle);
    }
    EXPECT_EQ(ProjectBytes(reread), bytes);
}

// Guards a component made through the program rather than read from a file: its remediation targets are
// stored as the screens say they still exist, a vanished one as -1.
TEST(ProjectFile, RemediationTargetsAreStoredThroughTheScreens)
{
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    doc.AddScreen(Page(1, "1", 3));
    auto screen = Page(2, "2", 8);
    auto made = std::make_unique<CComponentRemediation>();
    CComponentRemediation *remediation = made.get();
    made->SetQuestionPageIds({1, 42});
    made->m_completionPageId = 99; // no such screen
    made->m_reverseOutPageId = 1;
    made->m_passMark = 60;
    screen->AddComponent(std::move(made));
    doc.AddScreen(std::move(screen));

    const QByteArray bytes = ProjectBytes(doc);
    EXPECT_EQ(remediation->m_completionPageId, -1);
    CCorvessaDoc reread(CCorvContext::Empty(), FixedClock());
    Load(reread, bytes);
    ASSERT_EQ(reread.MainScreens().size(), 2u);
    auto *read = dynamic_cast<CComponentRemediation *>(reread.MainScreens()[1]->GetComponent(0));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->m_completionPageId, -1);
    EXPECT_EQ(read->m_reverseOutPageId, 1);
    EXPECT_EQ(read->m_passMark, 60);
    // The question ids are stored as they stand; the getter drops the vanished one.
    EXPECT_EQ(read->GetStoredQuestionPageIds(), (std::vector<int>{1, 42}));
}

// Guards a type code outside 0-24: a format error, so the load ends as at the end of the file and keeps
// the screens read before it, instead of reading the record's bytes as further type codes.
TEST(ProjectFile, UnknownTypeCodeEndsTheReadKeepingCompleteScreens)
{
    for (int32_t code : {25, -1, 1000}) {
        SCOPED_TRACE(code);
        GoldenProject golden(10000047);
        golden.WriteSettings(kNow);
        golden.WriteTopics({});
        golden.WritePostTopic();
        golden.Ar().WriteInt(2);
        const QByteArray rect = RectangleRecord({1, 2, 3, 4});
        golden.WriteScreen(0, "good", "1", 2, 0, [&](CArchive &ar) { ar.Write(rect.constData(), rect.size()); }, 1);
        golden.WriteScreen(1, "bad", "2", 2, 0, [&](CArchive &ar) {
            ar.WriteInt(code);
            ar.Write(rect.constData() + 4, rect.size() - 4);
        }, 1);
        golden.WriteSection("<popups>", 0);
        golden.WriteSection("<glossary>", 0);

        CRecordingPrompt prompts;
        CCorvContext context;
        context.prompt = &prompts;
        CCorvessaDoc doc(context, FixedClock());
        Load(doc, golden.Bytes());
        ASSERT_EQ(doc.MainScreens().size(), 1u);
        EXPECT_EQ(doc.MainScreens()[0]->GetTitle(), "good");
        EXPECT_EQ(doc.GetLoadRetry(), 0);
        EXPECT_EQ(prompts.Entries().size(), 1);
    }
}

// Guards the retry pass of files of the older layout (an independent writer's, without a schema number but
// with numbered screens): their first pass reads out of step and may meet a component type that makes no
// sense. The second pass must still run, and the file opens with all its screens.
TEST(ProjectFile, RetryPassRunsAfterAnUnknownComponentType)
{
    constexpr int kScreens = 10;
    GoldenProject golden(1000001, {{"nextScreen", kScreens}, {"CourseName", "Harbour safety"}});
    golden.WriteSettings(kNow);
    golden.WriteTopics({});
    golden.WritePostTopic();
    golden.Ar().WriteInt(kScreens);
    const QByteArray rect = RectangleRecord({10, 20, 110, 70});
    for (int i = 0; i < kScreens; ++i)
        golden.WriteScreen(i, QStringLiteral("Screen %1").arg(i), QString::number(i + 1), 2, -1,
                           [&](CArchive &ar) { ar.Write(rect.constData(), rect.size()); }, 1);
    const QByteArray bytes = golden.Bytes();

    // The first pass alone ends at a component of no known type.
    {
        CCorvessaDoc first(CCorvContext::Empty(), FixedClock());
        CArchive ar(bytes);
        CProjectArchive::ReadContext context;
        try {
            CProjectArchive::LoadProjectPass(ar, first, context);
            FAIL() << "the first pass read the whole file";
        } catch (const CArchiveException &e) {
            ASSERT_EQ(e.GetCause(), CArchiveException::badSchema) << qPrintable(e.GetText());
        }
    }

    CRecordingPrompt prompts;
    CCorvContext context;
    context.prompt = &prompts;
    CCorvessaDoc doc(context, FixedClock());
    Load(doc, bytes);
    ASSERT_EQ(doc.MainScreens().size(), size_t(kScreens)) << qPrintable(prompts.Texts().join(" | "));
    EXPECT_EQ(doc.Settings().CourseName, "Harbour safety");
    for (int i = 0; i < kScreens; ++i) {
        const CCorvPage &page = *doc.MainScreens()[size_t(i)];
        EXPECT_EQ(page.GetTitle(), QStringLiteral("Screen %1").arg(i));
        EXPECT_EQ(page.GetId(), i);
        ASSERT_EQ(page.GetComponentCount(), 1);
        EXPECT_EQ(page.GetComponent(0)->GetBounds(), CRect(10, 20, 110, 70));
    }
    EXPECT_TRUE(prompts.Entries().empty());
}

// Guards a damaged screen count: no space is reserved for it and the read ends cleanly.
TEST(ProjectFile, HugeScreenCountEndsWithoutReservingAnything)
{
    for (uint32_t count : {0x80000000u, 0x7FFFFFFFu}) {
        GoldenProject golden(10000047);
        golden.WriteSettings(kNow);
        golden.WriteTopics({});
        golden.WritePostTopic();
        golden.Ar().WriteDWord(count);
        golden.WriteScreen(0, "one", "1", 2, 0);
        CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
        Load(doc, golden.Bytes());
        EXPECT_LE(doc.MainScreens().size(), 1u) << count;
    }
}

// Guards every count of the project file against space reserved by it: each damaged count below is read
// with the address space capped well under what reserving it would take, and the read must end cleanly
// at the end of the file, keeping what was read completely.
TEST(ProjectFile, DamagedCountsReserveNothing)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the cap leaves";
#endif
    constexpr int32_t kHuge = 0x7FFFFFFF;
    const QByteArray rect = RectangleRecord({1, 2, 3, 4});
    auto file = [&](const char *where) {
        QMap<QString, QVariant> overrides;
        if (qstrcmp(where, "glossary documents") == 0)
            overrides.insert("glossaryDocumentCount", kHuge);
        GoldenProject golden(10000047, overrides);
        golden.WriteSettings(kNow);
        if (qstrcmp(where, "topics") == 0) {
            golden.Ar().WriteInt(kHuge);
            for (int s = 0; s < 5; ++s)
                golden.Ar().WriteString("t");
            return golden.Bytes();
        }
        golden.WriteTopics({});
        if (qstrcmp(where, "glossary documents") == 0) {
            golden.WritePostTopic({"/g.docx"});
            return golden.Bytes();
        }
        GoldenProject tail(10000047);
        tail.WritePostTopic();
        golden.Ar().Write(tail.Bytes().constData(), tail.Bytes().size());
        const bool screens = qstrcmp(where, "main screens") == 0;
        golden.Ar().WriteInt(screens ? kHuge : 1);
        // The components' count: one rectangle is there, the rest are missing.
        golden.WriteScreen(0, "one", "1", 2, 0, [&](CArchive &ar) { ar.Write(rect.constData(), rect.size()); },
                           screens ? 1 : kHuge);
        return golden.Bytes();
    };
    const struct Case {
        const char *where;
        size_t topics, screens;
    } cases[] = {{"topics", 1, 0}, {"glossary documents", 0, 0}, {"main screens", 0, 1}, {"components", 0, 0}};

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.where);
        const QByteArray bytes = file(c.where);
        EXPECT_EXIT(ReadWithCappedAddressSpace(bytes, c.topics, c.screens), ::testing::ExitedWithCode(0), "");
    }
}

// Guards the retry: a file cut inside its main screens keeps what the second pass read completely.
TEST(ProjectFile, FileCutInsideTheMainScreensKeepsTheCompleteOnes)
{
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    FillCourse(doc);
    const QByteArray full = ProjectBytes(doc);
    // Cut in the middle of the third main screen: find its title.
    const QByteArray title = QByteArray::fromRawData(reinterpret_cast<const char *>(u"Title 3"), 14);
    const qsizetype at = full.indexOf(title);
    ASSERT_GT(at, 0);

    CRecordingPrompt prompts;
    CCorvContext context;
    context.prompt = &prompts;
    CCorvessaDoc reread(context, FixedClock());
    Load(reread, full.left(at + 4));
    EXPECT_EQ(reread.MainScreens().size(), 2u);
    // The author is told, so that a save does not silently replace the file with the part that was read.
    ASSERT_EQ(prompts.Entries().size(), 1);
    EXPECT_TRUE(prompts.Entries()[0].text.contains(QStringLiteral("could be read only in part")));
    EXPECT_EQ(reread.Settings().CourseName, "Birds of the coast");
    EXPECT_TRUE(reread.PopupScreens().empty());
}

// Guards the text box's entry: its rich text follows its record as one string and reads back in step,
// on main and popup screens, beside tables.
TEST(ProjectFile, TextBoxRichTextAndTablesRoundTrip)
{
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    for (int list = 0; list < 2; ++list) {
        auto page = Page(list, list == 0 ? "1" : "P1", 2);
        auto textbox = std::make_unique<CComponentTextbox>();
        textbox->SetBounds({36, 32, 520, 332}, false);
        textbox->SetFileName("tb1.rtf");
        textbox->GetRichText().AppendText(QStringLiteral("Gulls nest on cliffs, caf\u00e9 \u4e2d."), 0);
        page->AddComponent(std::move(textbox));
        CComponentTable::Settings settings;
        settings.rows = 2;
        settings.columns = 3;
        auto table = std::make_unique<CComponentTable>(nullptr, settings);
        table->SetBounds({36, 340, 520, 500}, false);
        page->AddComponent(std::move(table));
        Add<CComponentRectangle>(*page, {600, 40, 700, 90});
        doc.AddScreen(std::move(page), nullptr, list != 0, false);
    }
    doc.SetNextScreenNumber(2);
    const QByteArray first = ProjectBytes(doc);

    CCorvessaDoc reread(CCorvContext::Empty(), FixedClock());
    Load(reread, first);
    for (const auto *list : {&reread.MainScreens(), &reread.PopupScreens()}) {
        ASSERT_EQ(list->size(), 1u);
        const CCorvPage &page = *(*list)[0];
        ASSERT_EQ(page.GetComponentCount(), 3);
        auto *textbox = dynamic_cast<CComponentTextbox *>(page.GetComponent(0));
        ASSERT_NE(textbox, nullptr);
        EXPECT_TRUE(textbox->GetRichText().GetText().startsWith(QStringLiteral("Gulls nest on cliffs, caf\u00e9 \u4e2d.")));
        EXPECT_EQ(page.GetComponent(1)->GetType(), ct_table);
        EXPECT_EQ(page.GetComponent(2)->GetBounds().left, 600);
    }
    EXPECT_EQ(ProjectBytes(reread), first);
}

namespace {

// A recording context and a document on it, for the loads that must tell the author.
struct Told
{
    CRecordingPrompt prompts;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    Told()
    {
        context.prompt = &prompts;
        doc = std::make_unique<CCorvessaDoc>(context, FixedClock());
        doc->OnNewDocument();
    }
    bool ToldReadInPart() const
    {
        return prompts.Entries().size() == 1 &&
               prompts.Entries()[0].text.contains(QStringLiteral("could be read only in part"));
    }
};

QStringList MainTitles(const CCorvessaDoc &doc)
{
    QStringList titles;
    for (const auto &screen : doc.MainScreens())
        titles << screen->GetTitle();
    return titles;
}

} // namespace

// Guards an old file (no schema number, or one before screen numbers) holding a component this program
// cannot read: that is no layout error, so no second pass reads the file out of step; the document keeps
// what the file's own layout gave, settings and topics included, and the author is told.
TEST(ProjectFile, UnreadableComponentKeepsTheFirstPass)
{
    const QByteArray rect = RectangleRecord({1, 2, 3, 4});
    for (int32_t schema : {GoldenProject::kNoSchema, 1000002}) {
        SCOPED_TRACE(schema);
        GoldenProject golden(schema, {{"CourseName", "Gulls"}});
        golden.WriteSettings(kNow);
        golden.WriteTopics({{"1", "A", "", "", "FALSE"}, {"2", "B", "", "", "FALSE"}});
        golden.WritePostTopic();
        golden.Ar().WriteInt(2);
        golden.WriteScreen(-1, "first", "1", 2, -1, [&](CArchive &ar) { ar.Write(rect.constData(), rect.size()); }, 1);
        golden.WriteScreen(-1, "picture", "2", 2, -1, [&](CArchive &ar) {
            ar.WriteInt(ct_image);
            ar.Write(rect.constData() + 4, rect.size() - 4);
        }, 1);

        Told told;
        Load(*told.doc, golden.Bytes());
        EXPECT_EQ(told.doc->Settings().CourseName, "Gulls");
        EXPECT_EQ(told.doc->Topics().size(), 2u);
        ASSERT_EQ(MainTitles(*told.doc), QStringList{"first"});
        EXPECT_EQ(told.doc->MainScreens()[0]->GetId(), 0);
        EXPECT_TRUE(told.ToldReadInPart());
    }
}

// Guards the choice between two failed passes: the one that read further into the file is kept. A file of
// schema 1000002 cut inside its third screen reads two screens by its own layout, while the second pass
// looks for screen numbers the file does not have.
TEST(ProjectFile, WhenBothPassesFailTheOneThatReadFurtherIsKept)
{
    GoldenProject golden(1000002, {{"CourseName", "Terns"}});
    golden.WriteSettings(kNow);
    golden.WriteTopics({});
    golden.WritePostTopic();
    golden.Ar().WriteInt(3);
    for (const char *title : {"one", "two", "three"})
        golden.WriteScreen(-1, title, title, 2, -1);
    const QByteArray cut = golden.Bytes().left(golden.Bytes().size() - 6);

    Told told;
    Load(*told.doc, cut);
    EXPECT_EQ(told.doc->Settings().CourseName, "Terns");
    EXPECT_EQ(MainTitles(*told.doc), (QStringList{"one", "two"}));
    EXPECT_EQ(told.doc->GetFileSchema(), 1000002);
    EXPECT_TRUE(told.ToldReadInPart());
}

// Guards the clean-up after the settings block, which runs however the block ends: a file cut inside it
// leaves no stored path in the logo, no old label, no uncut point size, and the document's schema is the
// file's. What was read then saves and reads back to the same bytes.
TEST(ProjectFile, FileCutInsideTheSettingsIsStillCleanedUp)
{
    GoldenProject golden(10000047, {{"LogoImage", "../../../../etc/passwd"},
                                    {"FontSizePoints[0]", "14pt"},
                                    {"EncodingLabel", "Western European (Windows) - [windows-1252]"},
                                    {"LblNext", "cut here"}});
    golden.WriteSettings(kNow);
    const QByteArray marker = QByteArray::fromRawData(reinterpret_cast<const char *>(u"cut here"), 16);
    const qsizetype at = golden.Bytes().indexOf(marker);
    ASSERT_GT(at, 0);

    Told told;
    Load(*told.doc, golden.Bytes().left(at + 4));
    const CCorvessaDoc &doc = *told.doc;
    EXPECT_EQ(doc.Settings().LogoImage, "/courses/Course/Images/Resized/passwd");
    EXPECT_EQ(doc.Settings().EncodingLabel, "Unicode (UTF-8) - [utf-8]");
    EXPECT_EQ(doc.Settings().FontSizePoints[0], "14");
    EXPECT_EQ(doc.GetFileSchema(), 10000047);
    EXPECT_TRUE(told.ToldReadInPart());

    const QByteArray saved = ProjectBytes(*told.doc);
    CCorvessaDoc reread(CCorvContext::Empty(), FixedClock());
    Load(reread, saved);
    EXPECT_EQ(ProjectBytes(reread), saved);
}

// Guards negative counts, which no writer makes: a damaged file, reported like an early end, keeping what
// came before, rather than an empty course that a save would put in the author's file.
TEST(ProjectFile, NegativeCountsAreDamage)
{
    const QByteArray rect = RectangleRecord({1, 2, 3, 4});
    const auto withRectangle = [&](CArchive &ar) { ar.Write(rect.constData(), rect.size()); };
    const struct Case {
        const char *where;
        QStringList main;
        size_t popups;
    } cases[] = {{"main screens", {}, 0}, {"components", {}, 0}, {"popups", {"main"}, 0}, {"glossary", {"main"}, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.where);
        const QString where = QString::fromLatin1(c.where);
        GoldenProject golden(10000047);
        golden.WriteSettings(kNow);
        golden.WriteTopics({});
        golden.WritePostTopic();
        golden.Ar().WriteInt(where == "main screens" ? -1 : 1);
        golden.WriteScreen(0, "main", "1", 2, 0, withRectangle, where == "components" ? -1 : 1);
        golden.WriteSection("<popups>", where == "popups" ? -1 : 1);
        golden.WriteScreen(1, "popup", "P1", 2, -1);
        golden.WriteSection("<glossary>", where == "glossary" ? -1 : 0);

        Told told;
        Load(*told.doc, golden.Bytes());
        EXPECT_EQ(MainTitles(*told.doc), c.main);
        EXPECT_EQ(told.doc->PopupScreens().size(), c.popups);
        EXPECT_TRUE(told.ToldReadInPart());
    }
}

// Guards the direction of text boxes in files that store none (schema 10000031 and below): they take the
// direction of the course being read, whatever course was open before; a box that stores one keeps it.
TEST(ProjectFile, OldTextBoxesTakeTheDirectionOfTheCourseBeingRead)
{
    const auto boxEntry = [](int32_t schema, int32_t stored) {
        return [schema, stored](CArchive &ar) {
            ar.WriteInt(ct_textbox);
            ar.WriteRect(CRect(36, 32, 520, 332));
            ar.WriteString("tb1.rtf");
            ar.WriteInt(0); // no links
            if (schema > 10000031)
                ar.WriteInt(stored);
            CRichText text;
            text.ReplaceAll("Gulls");
            ar.WriteString(text.GetRtf());
        };
    };
    const struct Case {
        int32_t schema;
        int userStoreDirection; // what the new-project settings give
        int32_t stored;         // the box's own, where the file has it
        int expected;
    } cases[] = {{10000030, 0, 0, 0}, {10000030, 1, 0, 1}, {10000031, 0, 0, 0}, {10000047, 1, 0, 0},
                 {10000047, 0, 1, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.schema);
        GoldenProject golden(c.schema);
        golden.WriteSettings(kNow);
        golden.WriteTopics({});
        golden.WritePostTopic();
        golden.Ar().WriteInt(1);
        golden.WriteScreen(0, "main", "1", 2, c.schema >= 10000031 ? 0 : -1, boxEntry(c.schema, c.stored), 1);
        if (c.schema >= 10000025)
            golden.WriteSection("<popups>", 0);
        if (c.schema >= 10000038)
            golden.WriteSection("<glossary>", 0);

        CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
        doc.OnNewDocument();
        doc.MutableSettings().RightToLeft = 1 - c.userStoreDirection; // the course open before runs the other way
        doc.SetUserStoresHook([&c](CCorvessaDoc &d) { d.MutableSettings().RightToLeft = c.userStoreDirection; });
        Load(doc, golden.Bytes());
        ASSERT_EQ(doc.MainScreens().size(), 1u);
        auto *box = dynamic_cast<CComponentTextbox *>(doc.MainScreens()[0]->GetComponent(0));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->GetRightToLeft(), c.expected);
        EXPECT_EQ(box->GetRichText().GetText(), "Gulls");
    }
}

// Guards the two gates at 10000038, which are not the same: the project file's glossary section is there
// from 10000038 on ("at least"), a table's cell settings and cell links only after it ("above").
TEST(ProjectFile, GlossarySectionAndTableCellSettingsDifferAt10000038)
{
    const auto oldTable = [](CArchive &ar) {
        ar.WriteInt(ct_table);
        ar.WriteRect(CRect(10, 10, 200, 100));
        ar.WriteString("t1");
        ar.WriteInt(1); // rows
        ar.WriteInt(2); // columns
        ar.WriteInt(3); // border
        ar.WriteCount(0);
        for (int i = 0; i < 2; ++i) {
            CRichText text;
            text.ReplaceAll(QStringLiteral("c%1").arg(i));
            ar.WriteString(text.GetRtf());
        }
    };
    GoldenProject golden(10000038);
    golden.WriteSettings(kNow);
    golden.WriteTopics({});
    golden.WritePostTopic({"/g.docx"});
    golden.Ar().WriteInt(1);
    golden.WriteScreen(0, "main", "1", 2, 0, oldTable, 1);
    golden.WriteSection("<popups>", 0);
    golden.WriteSection("<glossary>", 1);
    golden.WriteScreen(5, "Glossary", "9000", 9, -1);

    Told told;
    Load(*told.doc, golden.Bytes());
    EXPECT_TRUE(told.prompts.Entries().isEmpty());
    ASSERT_EQ(told.doc->MainScreens().size(), 1u);
    auto *table = dynamic_cast<CComponentTable *>(told.doc->MainScreens()[0]->GetComponent(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetBorderWidth(), 3);
    EXPECT_EQ(table->GetCellPadding(), 1); // the constructor's: not in the record
    EXPECT_EQ(table->GetCell(0, 1)->GetRichText().GetText(), "c1");
    ASSERT_EQ(told.doc->GlossaryScreens().size(), 1u);
    EXPECT_EQ(told.doc->GlossaryScreens()[0]->GetId(), 5);
    EXPECT_EQ(told.doc->GlossaryDocuments(), QStringList{"/g.docx"});
}
