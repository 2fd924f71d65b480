// The content-library dialogs' rules without their windows: subtree ticking, the outline's rows, and screens
// saved into a library and inserted into another project.
#include "document/FactoryFixture.h"

#include "dialogs/LibraryChoices.h"
#include "document/ContentLibrary.h"
#include "document/ProjectFile.h"
#include "document/ScreenFactory.h"
#include "document/SingleScreenArchive.h"
#include "model/ComponentAudio.h"
#include "model/ComponentImage.h"
#include "model/ComponentTextbox.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "document/NewComponents.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

std::vector<bool> Ticks(const char *pattern)
{
    std::vector<bool> ticks;
    for (const char *c = pattern; *c; ++c)
        ticks.push_back(*c == 'x');
    return ticks;
}

// Every file below the folder, relative name -> bytes.
std::map<QString, QByteArray> FilesBelow(const QString &folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = TempTree::ReadAll(path);
    }
    return files;
}

} // namespace

// Guards the subtree rule: ticking a row ticks the deeper rows after it up to the next row as shallow; a
// cleared row inside a ticked subtree is ticked again; clearing a subtree's top leaves the rows below ticked;
// propagation starting at a row leaves the rows before it alone.
TEST(LibraryChoices, SubtreeTicks)
{
    const std::vector<QString> depths = {"0", "1", "2", "2", "1", "2", "0"};
    const struct {
        const char *before;
        int start;
        const char *after;
    } cases[] = {
        {".x.....", 0, ".xxx..."},  // a folder of depth 1 takes its two screens
        {".x.x...", 0, ".xxx..."},  // a cleared screen inside the subtree comes back
        {"..xx...", 0, "..xx..."},  // the top cleared: the rows below stay ticked
        {"x......", 0, "xxxxxx."},  // the root takes everything to the next root
        {"....x..", 4, "....xx."},
        {"x...x..", 4, "x...xx."},  // from row 4 on only
        {".......", 0, "......."},
    };
    for (const auto &c : cases) {
        std::vector<bool> ticks = Ticks(c.before);
        CorvLibraryChoices::PropagateSubtreeTicks(depths, ticks, c.start);
        EXPECT_EQ(ticks, Ticks(c.after)) << c.before << " from " << c.start;
    }
    EXPECT_TRUE(CorvLibraryChoices::IsTicked("TRUE"));
    EXPECT_FALSE(CorvLibraryChoices::IsTicked(""));
    EXPECT_FALSE(CorvLibraryChoices::IsTicked("false"));
}

class LibraryRoundTrip : public FactoryFixture
{
protected:
    CCorvPage *ScreenWithMedia(const QString &title, const QString &label)
    {
        CScreenFactory factory(*doc);
        CCorvPage *screen = factory.AddTextScreen(title, label, nullptr, 0);
        static_cast<CComponentTextbox *>(screen->GetComponent(0))->GetRichText().AppendText(title + " text", 0);
        auto image = CNewComponents::Picture(*doc, Picture("sources/" + title + ".png", 60, 40));
        factory.Place(*screen, std::move(image), {600, 340, 660, 380});
        auto audio = std::make_unique<CComponentAudio>(doc->GetEditCanvas());
        audio->SetPlayButton(1);
        audio->SetFilePath(tree.Write("sources/" + title + ".mp3", title.toUtf8() + " sound"));
        factory.Place(*screen, std::move(audio), {900, 10, 974, 81});
        return screen;
    }
};

// Guards the whole way of screens through a library: saved from one course with their labels and
// descriptions, listed by the library, inserted into another course in order, saved with it and reopened,
// they are the screens they were (each saved alone gives the same bytes) and their media lie in the second
// project's folders with the same bytes.
TEST_F(LibraryRoundTrip, ScreensComeOutOfTheLibraryAsTheyWentIn)
{
    ScreenWithMedia("Gulls", "1");
    ScreenWithMedia("Terns", "2");
    const QString library = tree / "libs/Birds.kvxl";
    const std::vector<LibrarySaveChoice> save = {{"1", "Gulls label", "About gulls", "screen", "0"},
                                                 {"2", "Terns label", "About terns", "screen", "1"},
                                                 {"9", "Gone", "", "screen", "0"}};
    ASSERT_EQ(CorvLibraryChoices::SaveChoices(*doc, library, "Seabirds", save), 2);
    EXPECT_EQ(doc->Settings().LastContentLibrary, library);

    ContentLibrary listed(*doc);
    ASSERT_EQ(listed.ReadLibraryFile(library), 1);
    ASSERT_EQ(listed.GetModel()->items.size(), 2u);
    EXPECT_EQ(listed.GetLibraryDescription(), "Seabirds");
    EXPECT_EQ(listed.GetModel()->GetItem(1)->GetName(), "Terns label");
    EXPECT_EQ(listed.GetModel()->GetItem(1)->GetDescription(), "About terns");
    EXPECT_EQ(listed.GetModel()->GetItem(1)->GetDepth(), "1");
    std::vector<LibraryInsertChoice> insert;
    for (const auto &item : listed.GetModel()->items)
        insert.push_back({item->GetItemPath(), item->GetPageType(), item->GetAuxPageType(), item->GetDepth()});

    // The first course, saved with its media, is what the second must match.
    ASSERT_TRUE(CProjectFile::Save(*doc, tree / "first/First.kvx"));

    CCorvessaDoc other(context);
    other.OnNewDocument();
    other.SetNextScreenNumber(50);
    const std::vector<CCorvPage *> inserted = CorvLibraryChoices::InsertChoices(other, library, insert, nullptr);
    ASSERT_EQ(inserted.size(), 2u);
    EXPECT_EQ(inserted[0]->GetTitle(), "Gulls");
    EXPECT_EQ(inserted[1]->GetTitle(), "Terns");
    EXPECT_TRUE(other.IsModified());
    EXPECT_EQ(other.Settings().LastContentLibrary, library);
    ASSERT_TRUE(CProjectFile::Save(other, tree / "second/Second.kvx"));

    CCorvessaDoc reopened(context);
    ASSERT_TRUE(CProjectFile::Open(reopened, tree / "second/Second.kvx"));
    CCorvessaDoc first(context);
    ASSERT_TRUE(CProjectFile::Open(first, tree / "first/First.kvx"));
    ASSERT_EQ(reopened.MainScreens().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        CCorvPage *was = first.MainScreens()[i].get();
        CCorvPage *is = reopened.MainScreens()[i].get();
        ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(first, tree / QStringLiteral("cmp/a%1/s.kvl").arg(i), was));
        ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(reopened, tree / QStringLiteral("cmp/b%1/s.kvl").arg(i), is));
        EXPECT_EQ(TempTree::ReadAll(tree / QStringLiteral("cmp/a%1/s.kvl").arg(i)).remove(4, 4),
                  TempTree::ReadAll(tree / QStringLiteral("cmp/b%1/s.kvl").arg(i)).remove(4, 4))
            << "screen " << i;
        // The media each saves beside it (the archives themselves differ only in the screen's number).
        auto wasFiles = FilesBelow(tree / QStringLiteral("cmp/a%1").arg(i));
        auto isFiles = FilesBelow(tree / QStringLiteral("cmp/b%1").arg(i));
        wasFiles.erase("s.kvl");
        isFiles.erase("s.kvl");
        EXPECT_FALSE(wasFiles.empty());
        EXPECT_TRUE(wasFiles == isFiles) << "screen " << i;
    }
    // The media of the second project are those of the first.
    auto media = [](const QString &folder) {
        auto files = FilesBelow(folder);
        std::map<QString, QByteArray> kept;
        for (const auto &[name, bytes] : files)
            if (name.startsWith("Images/") || name.startsWith("Sounds/"))
                kept[name] = bytes;
        return kept;
    };
    EXPECT_FALSE(media(tree / "first/First").empty());
    EXPECT_TRUE(media(tree / "first/First") == media(tree / "second/Second"));
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));
}

// Guards an item path that leaves the library's folder: it is refused with a message, the others go in.
TEST_F(LibraryRoundTrip, ItemOutsideTheLibraryIsRefused)
{
    const QString library = tree / "libs/One.kvxl";
    ASSERT_EQ(CorvLibraryChoices::SaveChoices(*doc, library, {}, {{"1", "A", "", "screen", "0"}}), 0)
        << "no screen of that id yet";
    ScreenWithMedia("Gulls", "1");
    ASSERT_EQ(CorvLibraryChoices::SaveChoices(*doc, library, {}, {{"1", "A", "", "screen", "0"}}), 1);
    tree.Write("outside.kvl", TempTree::ReadAll(tree / "libs/One_Library/One_Item1/One_Item1.kvl"));
    CCorvessaDoc other(context);
    other.OnNewDocument();
    const auto inserted = CorvLibraryChoices::InsertChoices(
        other, library, {{"..\\outside.kvl", "pt_document", "apt_normal", "0"}, {"One_Library\\One_Item1\\One_Item1.kvl", "pt_document", "apt_normal", "0"}},
        nullptr);
    EXPECT_EQ(inserted.size(), 1u);
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_TRUE(prompt.Texts()[0].contains("outside")) << qPrintable(prompt.Texts()[0]);
}

// Guards the outline rows the save dialog offers: depth first with depths from 0, the menu screen named
// "Main Menu", other screens by their page type's display name.
TEST_F(LibraryRoundTrip, OutlineRowsDepthFirst)
{
    COutlineTree outline;
    CCorvPage a(1, "Menu", {}, {}, 0, "1", pt_folder, -1);
    a.SetMenuKind(apt_multi_topic_menu);
    CCorvPage b(2, "Topic", {}, {}, 0, "1_1", pt_container, -1);
    CCorvPage c(3, "Screen", {}, {}, 0, "1_1_1", pt_document, -1);
    CCorvPage d(4, "Quiz", {}, {}, 0, "2", pt_question, -1);
    auto *ia = outline.InsertItem("Menu", &a);
    auto *ib = outline.InsertItem("Topic", &b, ia);
    outline.InsertItem("Screen", &c, ib);
    outline.InsertItem("Quiz", &d, nullptr, ia);
    const auto rows = CorvLibraryChoices::OutlineRows(outline);
    ASSERT_EQ(rows.size(), 4u);
    const char *expected[][3] = {{"1", "Main Menu", "0"}, {"1_1", "container", "1"}, {"1_1_1", "screen", "2"}, {"2", "question", "0"}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i].outlineId, expected[i][0]);
        EXPECT_EQ(rows[i].typeText, expected[i][1]);
        EXPECT_EQ(rows[i].depth, expected[i][2]);
    }
}
