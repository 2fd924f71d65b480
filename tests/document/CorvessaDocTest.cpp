#include "GoldenProject.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "document/DocumentObserver.h"
#include "document/LoadedProfile.h"
#include "model/ComponentRectangle.h"
#include "model/CorvPage.h"
#include "model/Topic.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {

constexpr qint64 kNow = 1700000000;

std::unique_ptr<CCorvPage> Page(int id, const QString &label, int pageType = 2)
{
    return std::make_unique<CCorvPage>(id, "Screen " + label, "", "", 0, label, pageType, -1);
}

// Live instances, to see every screen and component deleted exactly once.
int g_livePages = 0;
int g_liveComponents = 0;

class CountedPage : public CCorvPage
{
public:
    CountedPage(int id, const QString &label, int pageType)
        : CCorvPage(id, label, "", "", 0, label, pageType, -1) { ++g_livePages; }
    ~CountedPage() override { --g_livePages; }
};

class CountedRectangle : public CComponentRectangle
{
public:
    CountedRectangle() { ++g_liveComponents; }
    ~CountedRectangle() override { --g_liveComponents; }
};

std::unique_ptr<CCorvPage> CountedWithComponents(int id, const QString &label, int pageType)
{
    auto page = std::make_unique<CountedPage>(id, label, pageType);
    for (int i = 0; i < 3; ++i)
        page->AddComponent(std::make_unique<CountedRectangle>());
    return page;
}

class CountedProfile : public CLoadedProfile
{
public:
    CountedProfile() { ++live; }
    ~CountedProfile() override { --live; }
    static inline int live = 0;
};

struct RecordingObserver : CDocumentObserver
{
    int updates = 0, opened = 0, saving = 0;
    QList<bool> modifiedStates;
    void OnUpdate(CCorvessaDoc &) override { ++updates; }
    void OnModifiedChanged(CCorvessaDoc &doc) override { modifiedStates.append(doc.IsModified()); }
    void OnDocumentOpened(CCorvessaDoc &) override { ++opened; }
    void AboutToSave(CCorvessaDoc &) override { ++saving; }
};

CCorvessaDoc::Clock FixedClock() { return [] { return int64_t(kNow); }; }

QByteArray ProjectBytes(CCorvessaDoc &doc)
{
    CArchive ar;
    CProjectFile::Serialize(doc, ar);
    return ar.GetBuffer();
}

} // namespace

// Guards label routing: a label chooses its list, and only that list is searched.
TEST(CorvessaDoc, LookupsSearchTheListsInTheirOrder)
{
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.AddScreen(Page(1, "1"));
    doc.AddScreen(Page(2, "P2"));
    doc.AddScreen(Page(5, "G1"));
    doc.AddScreen(Page(3, "1000", 7), nullptr, true, false);
    doc.AddScreen(Page(2, "P2"), nullptr, true, false);
    doc.AddScreen(Page(4, "9000", 9), nullptr, false, true);
    doc.AddScreen(Page(6, "G1"), nullptr, false, true);
    doc.GlossaryScreens().back()->SetPublishId("9000_1");
    CCorvPage *mainP2 = doc.MainScreens()[1].get();
    CCorvPage *popupP2 = doc.PopupScreens()[1].get();

    EXPECT_EQ(doc.FindScreenByLabel("P2"), popupP2);
    EXPECT_EQ(doc.FindScreenByLabel("1000"), doc.PopupScreens()[0].get());
    EXPECT_EQ(doc.FindScreenByLabel("9000"), doc.GlossaryScreens()[0].get());
    EXPECT_EQ(doc.FindScreenByLabel("G1"), doc.GlossaryScreens()[1].get());
    EXPECT_EQ(doc.FindScreenByLabel("1"), doc.MainScreens()[0].get());
    EXPECT_EQ(doc.FindScreenByLabel("P9"), nullptr);
    EXPECT_EQ(doc.FindScreenByLabel("7"), nullptr);
    EXPECT_EQ(doc.FindMainScreenByLabel("P2"), mainP2);

    EXPECT_EQ(doc.FindScreenByNumber(2), mainP2);
    EXPECT_EQ(doc.FindScreenByNumber(4), doc.GlossaryScreens()[0].get());
    EXPECT_EQ(doc.FindScreenByNumber(99), nullptr);
    EXPECT_EQ(doc.FindMainScreenByNumber(3), nullptr);

    EXPECT_EQ(doc.FindGlossaryScreenByPublishId("9000_1"), doc.GlossaryScreens()[1].get());
    EXPECT_EQ(doc.FindGlossaryScreenByPublishId("9000_2"), nullptr);
    EXPECT_TRUE(doc.HasGlossaryScreen("9000_1"));
    EXPECT_FALSE(doc.HasGlossaryScreen("9000_9"));

    EXPECT_TRUE(doc.ContainsScreen(popupP2, true));
    EXPECT_FALSE(doc.ContainsScreen(popupP2, false));
    EXPECT_TRUE(doc.ContainsScreen(mainP2, false));
    EXPECT_TRUE(doc.IsGlossaryScreen(doc.GlossaryScreens()[1].get()));
    EXPECT_FALSE(doc.IsGlossaryScreen(mainP2));
    EXPECT_FALSE(doc.ContainsScreen(nullptr, false));
}

// Guards ownership: every screen and component of the three lists is deleted once, with the profile.
TEST(CorvessaDoc, DestructionDeletesEveryScreenAndComponentOnce)
{
    {
        CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
        doc.AddScreen(CountedWithComponents(0, "1", 0));
        doc.AddScreen(CountedWithComponents(1, "2", 2));
        doc.AddScreen(CountedWithComponents(2, "1000", 7), nullptr, true, false);
        doc.AddScreen(CountedWithComponents(3, "9000", 9), nullptr, false, true);
        doc.AddTopic(std::make_unique<CTopic>("1", "One", "", "", "FALSE"));
        doc.SetInternationalProfile(std::make_unique<CountedProfile>());
        EXPECT_EQ(g_livePages, 4);
        EXPECT_EQ(g_liveComponents, 12);
        EXPECT_EQ(CountedProfile::live, 1);
    }
    EXPECT_EQ(g_livePages, 0);
    EXPECT_EQ(g_liveComponents, 0);
    EXPECT_EQ(CountedProfile::live, 0);
}

// Guards the profile path and the freeing of a loaded profile.
TEST(CorvessaDoc, ResetInternationalProfileFreesItAndSetsTheDefaultPath)
{
    CCorvContext context;
    context.programFolder = "/opt/corvessa";
    CCorvessaDoc doc(context, FixedClock());
    doc.MutableSettings().InternationalProfileFilename = "/elsewhere/x.kvp";
    doc.ResetInternationalProfile();
    EXPECT_EQ(doc.Settings().InternationalProfileFilename, "/opt/corvessa/kv_profile.kvp");

    doc.SetInternationalProfile(std::make_unique<CountedProfile>());
    EXPECT_EQ(CountedProfile::live, 1);
    doc.ResetInternationalProfile();
    EXPECT_EQ(CountedProfile::live, 0);
    EXPECT_EQ(doc.GetInternationalProfile(), nullptr);
}

// Guards a new project: defaults (the constructed ones kept), counters, emptied lists, and a modified flag
// that stays clear, so quitting from a new project that the author has not touched asks nothing.
TEST(CorvessaDoc, NewDocumentResetsCourseButKeepsConstructedSettings)
{
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    RecordingObserver views;
    doc.AddObserver(&views);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Settings().ExpiryDate, kNow);

    doc.MutableSettings().ShowGlossary = 0;
    doc.MutableSettings().CourseName = "Old";
    doc.MutableSettings().PriorityCategories = {"Nature"};
    doc.SetNextScreenNumber(40);
    doc.SetNextTextBoxNumber(9);
    doc.SetImportPending(0);
    doc.AddScreen(Page(1, "1"));
    doc.AddTopic(std::make_unique<CTopic>());
    doc.SetGlossaryDocuments({"g.docx"});
    doc.UsedLibraryPictures = {"a.jpg"};
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(views.modifiedStates, (QList<bool>{true, false}));
    EXPECT_EQ(doc.Settings().ShowGlossary, 0);
    EXPECT_EQ(doc.Settings().CourseName, "");
    EXPECT_TRUE(doc.Settings().PriorityCategories.isEmpty());
    EXPECT_EQ(doc.Settings().GraphicsCategories.size(), 20);
    EXPECT_EQ(doc.GetNextScreenNumber(), 0);
    EXPECT_EQ(doc.GetNextTextBoxNumber(), 1);
    EXPECT_EQ(doc.GetImportPending(), 1);
    EXPECT_TRUE(doc.MainScreens().empty());
    EXPECT_TRUE(doc.Topics().empty());
    EXPECT_TRUE(doc.GlossaryDocuments().isEmpty());
    EXPECT_EQ(doc.UsedLibraryPictures, QStringList{"a.jpg"});
    EXPECT_EQ(views.updates, 2);
}

// Guards a non-project file: refused with a message, the document not bound to it and unchanged; a project
// read whole is bound to its file and unmodified (quitting right after opening asks nothing).
TEST(CorvessaDoc, OpenRefusesOtherExtensionsAndReadsKvxInAnyCase)
{
    TempTree tree;
    CCorvessaDoc source(CCorvContext::Empty(), FixedClock());
    source.OnNewDocument();
    source.MutableSettings().CourseName = "Saved course";
    ASSERT_TRUE(CProjectFile::Save(source, tree / "Course.kvx"));
    tree.Write("Upper.KVX", TempTree::ReadAll(tree / "Course.kvx"));
    tree.Write("notes.txt", TempTree::ReadAll(tree / "Course.kvx"));

    CRecordingPrompt prompts;
    CCorvContext context;
    context.prompt = &prompts;
    CCorvessaDoc doc(context, FixedClock());
    doc.OnNewDocument();
    doc.MutableSettings().CourseName = "Current";
    doc.SetPathName("/keep/me.kvx");
    // The refusal is given back for the command to show; the document shows nothing itself.
    const CStatus notAProject = CProjectFile::Open(doc, tree / "notes.txt");
    EXPECT_FALSE(notAProject.Ok());
    EXPECT_TRUE(notAProject.Error().contains("notes.txt"));
    EXPECT_EQ(doc.Settings().CourseName, "Current");
    EXPECT_EQ(doc.GetPathName(), "/keep/me.kvx");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(prompts.Texts().isEmpty());

    const CStatus missing = CProjectFile::Open(doc, tree / "missing.kvx");
    EXPECT_FALSE(missing.Ok());
    EXPECT_TRUE(missing.Error().contains("missing.kvx"));
    EXPECT_EQ(doc.Settings().CourseName, "Current");

    RecordingObserver views;
    doc.AddObserver(&views);
    for (const char *name : {"Course.kvx", "Upper.KVX"}) {
        doc.MutableSettings().CourseName = "Current";
        doc.SetModifiedFlag(true);
        EXPECT_TRUE(CProjectFile::Open(doc, tree / name)) << name;
        EXPECT_EQ(doc.Settings().CourseName, "Saved course");
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), tree / name);
    }
    EXPECT_EQ(views.opened, 2);
    EXPECT_EQ(views.updates, 2);
    EXPECT_EQ(views.modifiedStates, (QList<bool>{true, false, true, false}));
}

// Guards the Settings window's apply: an edited copy replaces the settings as a whole and marks the project;
// a copy applied unchanged (the author pressed OK without editing) neither marks it nor redraws the views.
TEST(CorvessaDoc, AppliedSettingsReplaceTheCourseSettingsOnlyWhenTheyDiffer)
{
    CCorvContext context;
    CCorvessaDoc doc(context, FixedClock());
    doc.OnNewDocument();
    RecordingObserver views;
    doc.AddObserver(&views);

    CCourseSettings copy = doc.Settings();
    EXPECT_FALSE(doc.ApplySettings(copy));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(views.updates, 0);

    copy.CourseName = "Edited";
    copy.FontSizePoints[2] = "18";
    EXPECT_NE(copy, doc.Settings());
    EXPECT_TRUE(doc.ApplySettings(copy));
    EXPECT_EQ(doc.Settings(), copy);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(views.updates, 1);
    EXPECT_EQ(views.modifiedStates, QList<bool>{true});
}

// Guards the save: views commit pending edits first and the file is bound afterwards.
TEST(CorvessaDoc, SaveAsksViewsFirstAndBindsTheFile)
{
    TempTree tree;
    CCorvContext context;
    CCorvessaDoc doc(context, FixedClock());
    doc.OnNewDocument();
    RecordingObserver views;
    doc.AddObserver(&views);
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(CProjectFile::Save(doc, tree / "a.kvx"));
    EXPECT_EQ(views.saving, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(TempTree::ReadAll(tree / "a.kvx"), ProjectBytes(doc));

    CRecordingPrompt prompts;
    context.prompt = &prompts;
    tree.Write("plain-file", "x");
    const CStatus saved = CProjectFile::Save(doc, tree / "plain-file/b.kvx");
    EXPECT_FALSE(saved.Ok());
    EXPECT_TRUE(saved.Error().startsWith("Cannot save the project"));
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(doc.GetPathName(), tree / "a.kvx");
}

// Guards the media folders: made before writing, in their canonical spelling, and an existing folder of
// another case (a project copied from Windows) used rather than doubled.
TEST(CorvessaDoc, SaveMakesTheProjectFoldersOnce)
{
    TempTree tree;
    tree.MakeFolder("Course/images");
    CCorvessaDoc doc(CCorvContext::Empty(), FixedClock());
    doc.OnNewDocument();
    ASSERT_TRUE(CProjectFile::Save(doc, tree / "Course.kvx"));
    for (const char *sub : {"images/MM", "images/M", "images/Resized", "images/Questions", "Movies", "Questions",
                            "Sounds", "Rtfs"})
        EXPECT_TRUE(QFileInfo(tree / "Course/" + sub).isDir()) << sub;
    EXPECT_FALSE(QFileInfo::exists(tree / "Course/Images"));
}
