#include "GoldenProject.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "document/DocumentObserver.h"
#include "document/InternationalProfileFromXML.h"
#include "document/ProjectBackups.h"
#include "document/ProjectFileCommands.h"
#include "document/ProjectFileUi.h"
#include "model/ComponentAudio.h"
#include "model/ComponentImage.h"
#include "model/ComponentLink.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"
#include "platform/CorvContext.h"
#include "platform/RecordingProgress.h"
#include "platform/RecordingPrompt.h"
#include "support/FileSizeLimit.h"
#include "support/TempTree.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The window side of the file commands, answering from a script.
struct ScriptedUi : CProjectFileUi
{
    QString openAnswer;
    QStringList saveAnswers;
    QStringList proposals;
    QStringList recent;
    int waits = 0;
    QString AskOpenProjectPath() override { return openAnswer; }
    QString AskSaveProjectPath(const QString &proposal) override
    {
        proposals.append(proposal);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    void AddToRecentFiles(const QString &path) override { recent.append(path); }
    void SetWaitCursor(bool on) override { waits += on ? 1 : 0; }
};

// Every file under root with its bytes, and every folder (as an empty entry ending in "/").
QMap<QString, QByteArray> Snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(root.size() + 1);
        if (it.fileInfo().isDir())
            files.insert(relative + u'/', {});
        else
            files.insert(relative, TempTree::ReadAll(path));
    }
    return files;
}

void SetModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

// One author's session: the per-user folder, the sinks, the dialogs.
struct Session
{
    TempTree tree;
    CRecordingPrompt prompt;
    CRecordingProgress progress;
    CCorvContext context;
    ScriptedUi ui;
    Session()
    {
        context.prompt = &prompt;
        context.progress = &progress;
        context.programFolder = tree / "program";
    }
    std::unique_ptr<CCorvessaDoc> NewDoc() const
    {
        auto doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
        return doc;
    }
    QString Picture(const QString &relative, int width, int height) const
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(QColor(20, 120, 60));
        const QString path = tree / relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(picture.save(path, "PNG"));
        return path;
    }
};

CCorvPage *AddPage(CCorvessaDoc &doc, const QString &title, const QString &label, int pageType, bool popup = false,
                   bool glossary = false)
{
    auto page = std::make_unique<CCorvPage>(doc.TakeNextScreenNumber(), title, "", "", 0, label, pageType, -1);
    return doc.AddScreen(std::move(page), nullptr, popup, glossary);
}

CComponentTextbox *AddText(CCorvessaDoc &doc, CCorvPage &page, const QString &text)
{
    auto box = std::make_unique<CComponentTextbox>();
    box->SetBounds({36, 32, 520, 200}, false);
    box->SetFileName(QStringLiteral("tb%1.rtf").arg(doc.TakeNextTextBoxNumber()));
    box->GetRichText().AppendText(text, 0);
    CComponentTextbox *raw = box.get();
    page.AddComponent(std::move(box));
    return raw;
}

CComponentLink *AddScreenLink(CCorvPage &page, const QString &label)
{
    auto link = std::make_unique<CComponentLink>();
    link->SetBounds({600, 80, 700, 100}, false);
    link->SetText(QStringLiteral("Go"));
    link->SetTargetLabel(label);
    CComponentLink *raw = link.get();
    page.AddComponent(std::move(link));
    return raw;
}

// A course with screens in the three lists, topics, text boxes with links, a picture, a logo and a
// background, as an author would have it before its first save.
void BuildCourse(CCorvessaDoc &doc, const Session &s)
{
    doc.MutableSettings().CourseName = QStringLiteral("Sea birds");
    doc.MutableSettings().LogoImage = s.Picture("art/My Logo.png", 640, 80);
    doc.MutableSettings().UseCustomBackground = 1;
    doc.MutableSettings().BgImage = s.tree.Write("art/sea.jpg", "background bytes");
    doc.AddTopic(std::make_unique<CTopic>("1", "Gulls", "", "", ""));
    doc.AddTopic(std::make_unique<CTopic>("2", "Terns", "", "", ""));
    doc.MutableSettings().MenuBasedCourse = 1;

    CCorvPage *menu = AddPage(doc, "Sea birds", "1", pt_folder);
    AddScreenLink(*menu, "2");
    CCorvPage *gulls = AddPage(doc, "Gulls", "2", pt_document);
    CCorvPage *terns = AddPage(doc, "Terns", "3", pt_document);
    CComponentTextbox *box = AddText(doc, *gulls, "Gulls nest on cliffs. See terns.");
    ASSERT_TRUE(box->AddLink("See terns", 22, 1, terns->GetId(), "", 0, 0, 0, 100, 250));
    AddScreenLink(*gulls, "3");
    auto image = std::make_unique<CComponentImage>(nullptr);
    image->SetBounds({540, 320, 660, 400}, false);
    image->SetImageFile(s.Picture("art/Gull Photo.png", 48, 32), s.context);
    gulls->AddComponent(std::move(image));

    AddPage(doc, "Popups", "1000", pt_popups_only, true);
    AddText(doc, *AddPage(doc, "Help", "P1", pt_document, true), "Press Next.");
    AddPage(doc, "Glossary", "9000", pt_glossary, false, true);
    AddText(doc, *AddPage(doc, "Tern", "G1", pt_document, false, true), "A sea bird.");
}

// A session whose course has been saved once, as Course.kvx.
struct SavedCourse : Session
{
    std::unique_ptr<CCorvessaDoc> doc = NewDoc();
    QString path = tree / "Course.kvx";
    CProjectFileCommands commands{*doc, ui};
    // The document, the project path and the commands, to unpack.
    auto Parts() { return std::tie(doc, path, commands); }
    SavedCourse()
    {
        BuildCourse(*doc, *this);
        EXPECT_TRUE(commands.DoSaveProject(path, true));
    }
};

} // namespace

// Guards the whole round trip as the Save and Open commands make it: a course with screens in the three
// lists, topics, text boxes with links and pictures saves, reopens with everything in place (the logo
// rebuilt below the project folder, links on folder screens pointed at their screens) and saves again
// to the same bytes.
TEST(ProjectSaving, CourseSavesReopensAndSavesAgainToTheSameBytes)
{
    Session s;
    auto doc = s.NewDoc();
    BuildCourse(*doc, s);
    s.ui.saveAnswers = {s.tree / "Course"};
    CProjectFileCommands commands(*doc, s.ui);
    ASSERT_TRUE(commands.OnFileSaveProject());
    const QString path = s.tree / "Course.kvx";
    EXPECT_EQ(s.ui.proposals, QStringList{"Untitled.kvx"});
    EXPECT_EQ(s.ui.recent, QStringList{path});
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(doc->Settings().LogoImage, "MyLogo.png");
    EXPECT_EQ(doc->Settings().BgImage, s.tree / "Course/Images/Resized/sea.jpg");
    EXPECT_EQ(QImageReader(s.tree / "Course/Images/Resized/png8/MyLogo.png").size(), QSize(400, 50));
    EXPECT_TRUE(s.progress.texts.contains("Saving screen: Gulls"));
    EXPECT_TRUE(s.progress.texts.contains("Saving screen: Tern"));
    const QByteArray first = TempTree::ReadAll(path);
    EXPECT_TRUE(s.prompt.Texts().isEmpty()) << qPrintable(s.prompt.Texts().join(u'\n'));

    auto reread = s.NewDoc();
    ScriptedUi openUi;
    openUi.openAnswer = path;
    CProjectFileCommands reopen(*reread, openUi);
    ASSERT_TRUE(reopen.OnFileOpenProject());
    EXPECT_TRUE(s.progress.texts.contains("Loading screen: Terns"));
    EXPECT_EQ(reread->GetPathName(), path);
    EXPECT_EQ(reread->Settings().LogoImage, s.tree / "Course/Images/Resized/MyLogo.png");
    EXPECT_TRUE(QFileInfo::exists(reread->Settings().LogoImage));
    ASSERT_EQ(reread->MainScreens().size(), 3u);
    EXPECT_EQ(reread->PopupScreens().size(), 2u);
    EXPECT_EQ(reread->GlossaryScreens().size(), 2u);
    EXPECT_EQ(reread->Topics().size(), 2u);
    EXPECT_EQ(reread->GetNextScreenNumber(), doc->GetNextScreenNumber());
    const CCorvPage &menu = *reread->MainScreens()[0];
    const CCorvPage &gulls = *reread->MainScreens()[1];
    EXPECT_EQ(static_cast<CComponentLink *>(menu.GetComponent(0))->GetTargetPageId(), gulls.GetId());
    // The same link on a content screen is left for the publisher's check.
    EXPECT_EQ(static_cast<CComponentLink *>(gulls.GetComponent(1))->GetTargetPageId(), -1);
    EXPECT_EQ(static_cast<CComponentTextbox *>(gulls.GetComponent(0))->GetLinkCount(), 1);

    CProjectFileCommands again(*reread, openUi);
    ASSERT_TRUE(again.OnFileSaveProject());
    EXPECT_EQ(TempTree::ReadAll(path), first);
    EXPECT_TRUE(openUi.proposals.isEmpty());
    EXPECT_TRUE(s.prompt.Texts().isEmpty()) << qPrintable(s.prompt.Texts().join(u'\n'));
}

// Guards the author's files against a save that fails half-way. A save that fails while it makes its
// backup leaves the project file, its folder and its backups byte for byte as they were. One that fails
// later (writing the new file, forcing it to disk, renaming it) leaves the project file as it was and
// keeps the backup it made: the components may already have copied their media over the folder's (here a
// picture replaced by another of the same name), and the backup is then the one copy of the folder as it
// was. Nothing is left beside the file, and the author is told once.
TEST(ProjectSaving, AFailedSaveLeavesTheProjectAsItWas)
{
    for (const SaveStep step : {SaveStep::backupFolder, SaveStep::backupFile, SaveStep::tempFile, SaveStep::flush,
                                SaveStep::rename}) {
        SCOPED_TRACE(int(step));
        SavedCourse s;
        auto [doc, path, commands] = s.Parts();
        SetModified(path, QDateTime(QDate(2022, 1, 2), QTime(3, 4, 5)));
        ASSERT_TRUE(commands.DoSaveProject(path, true)); // one backup already there
        SetModified(path, QDateTime(QDate(2022, 1, 3), QTime(0, 0, 0)));
        const auto before = Snapshot(s.tree.Path());

        doc->MutableSettings().CourseName = QStringLiteral("Changed");
        AddPage(*doc, "New screen", "4", pt_document);
        auto *gull = static_cast<CComponentImage *>(doc->MainScreens()[1]->GetComponent(2));
        gull->SetImageFile(s.Picture("edited/Gull Photo.png", 60, 40), s.context);
        doc->SetModifiedFlag(true);
        doc->SetSaveFaultHook([step](SaveStep at) { return at == step; });
        s.prompt.Clear();
        EXPECT_FALSE(commands.SaveProject());
        EXPECT_EQ(s.prompt.Texts().size(), 1);
        EXPECT_TRUE(doc->IsModified());

        auto after = Snapshot(s.tree.Path());
        after.remove("edited/");
        after.remove("edited/Gull Photo.png");
        if (step == SaveStep::backupFolder || step == SaveStep::backupFile) {
            EXPECT_EQ(after, before);
        } else {
            const QString backup = QStringLiteral("Course Backups/Course 20220103-000000/");
            EXPECT_EQ(after.value(backup + "Course.kvx"), before.value("Course.kvx"));
            EXPECT_EQ(after.value(backup + "Course/Images/gullphoto.png"), before.value("Course/Images/gullphoto.png"));
            const auto dropImages = [](QMap<QString, QByteArray> &files, const QString &alsoUnder) {
                for (auto it = files.begin(); it != files.end();)
                    it = it.key().startsWith("Course/Images/") || it.key().startsWith(alsoUnder) ? files.erase(it)
                                                                                                  : ++it;
            };
            // No file the failed save wrote is left behind in the project folder: only those that were
            // there (one of them written over) remain.
            auto names = after.keys();
            names.removeIf([&backup](const QString &name) { return name.startsWith(backup); });
            EXPECT_EQ(names, before.keys());
            auto unchanged = before;
            dropImages(after, backup);
            dropImages(unchanged, backup);
            EXPECT_EQ(after, unchanged);
        }

        doc->SetSaveFaultHook({});
        EXPECT_TRUE(commands.SaveProject());
        EXPECT_NE(TempTree::ReadAll(path), before.value("Course.kvx"));
    }
}

// Guards the backup before a save under the same name: named after the old file's modification time in
// local time, holding the media tree (empty folders too) and the project file as they were; Save As and a
// save with backups off make none.
TEST(ProjectSaving, BackupHoldsTheProjectAsItWasBeforeTheSave)
{
    SavedCourse s;
    auto [doc, path, commands] = s.Parts();
    EXPECT_FALSE(QFileInfo::exists(s.tree / "Course Backups")); // nothing to back up yet
    const QDateTime stamp(QDate(2021, 3, 4), QTime(5, 6, 7));
    SetModified(path, stamp);
    const auto before = Snapshot(s.tree / "Course");
    const QByteArray file = TempTree::ReadAll(path);

    doc->MutableSettings().CourseName = QStringLiteral("Changed");
    ASSERT_TRUE(commands.SaveProject());
    QString expected;
    ASSERT_TRUE(CProjectBackups::FormatBackupTimestamp(s.tree / "Course Backups/Course 20210304-050607/Course.kvx",
                                                       expected));
    const QString backup = s.tree / "Course Backups/Course 20210304-050607";
    EXPECT_EQ(stamp.toString("yyyyMMdd-HHmmss"), "20210304-050607");
    EXPECT_EQ(TempTree::ReadAll(backup + "/Course.kvx"), file);
    EXPECT_EQ(Snapshot(backup + "/Course"), before);
    EXPECT_TRUE(before.contains("Rtfs/"));

    // Save As never backs up, not even under the same name; neither does a save with backups off.
    s.ui.saveAnswers = {path, s.tree / "Other.KVX"};
    SetModified(path, QDateTime(QDate(2021, 3, 5), QTime(0, 0, 0)));
    ASSERT_TRUE(commands.OnFileSaveProjectAs());
    ASSERT_TRUE(commands.OnFileSaveProjectAs());
    EXPECT_EQ(doc->GetPathName(), s.tree / "Other.KVX");
    EXPECT_EQ(QDir(s.tree / "Course Backups").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    EXPECT_FALSE(QFileInfo::exists(s.tree / "Other Backups"));
    doc->AutoBackupSettings.BackupOnSave = 0;
    SetModified(s.tree / "Other.KVX", QDateTime(QDate(2021, 3, 6), QTime(0, 0, 0)));
    ASSERT_TRUE(commands.SaveProject());
    EXPECT_FALSE(QFileInfo::exists(s.tree / "Other Backups"));
}

// Guards the pruning: with the limit on, the oldest of the project's backups go until five remain, and
// nothing else in the backups folder is touched, however much its name looks like the project's.
TEST(ProjectSaving, PruningRemovesOnlyTheOldestOfTheProjectsOwnBackups)
{
    SavedCourse s;
    auto [doc, path, commands] = s.Parts();
    for (int day = 1; day <= 5; ++day)
        s.tree.Write(QStringLiteral("Course Backups/Course 2020010%1-000000/Course.kvx").arg(day), "old");
    for (const char *other :
         {"Course Backups/Other/keep.txt", "Course Backups/CourseX 20200101-000000/keep.txt",
          "Course Backups/Course 2020/keep.txt", "Course Backups/Course 20190101-000000 copy/keep.txt"})
        s.tree.Write(other, "keep");
    s.tree.Write("Course Backups/Course 20180101-000000", "a file, not a backup");
    SetModified(path, QDateTime(QDate(2021, 1, 1), QTime(0, 0, 0)));

    ASSERT_TRUE(commands.SaveProject());
    QStringList left = QDir(s.tree / "Course Backups").entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    left.sort();
    QStringList expected = {"Course 20180101-000000", "Course 2020", "Course 20190101-000000 copy",
                            "Course 20200102-000000", "Course 20200103-000000", "Course 20200104-000000",
                            "Course 20200105-000000", "Course 20210101-000000", "CourseX 20200101-000000", "Other"};
    expected.sort();
    EXPECT_EQ(left.join(u'|').toStdString(), expected.join(u'|').toStdString());

    // Without the limit nothing is removed.
    doc->AutoBackupSettings.LimitBackups = 0;
    SetModified(path, QDateTime(QDate(2021, 1, 2), QTime(0, 0, 0)));
    ASSERT_TRUE(commands.SaveProject());
    EXPECT_EQ(QDir(s.tree / "Course Backups").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 10);
}

// Guards where Save goes: a project file that is read-only or gone is saved through the Save As dialog,
// which proposes the current path; a name without the project extension gets it.
TEST(ProjectSaving, ReadOnlyOrMissingFileIsSavedUnderANewName)
{
    SavedCourse s;
    auto [doc, path, commands] = s.Parts();

    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    s.ui.saveAnswers = {s.tree / "Copy"};
    ASSERT_TRUE(commands.SaveProject());
    EXPECT_EQ(s.ui.proposals, QStringList{path});
    EXPECT_EQ(doc->GetPathName(), s.tree / "Copy.kvx");

    QFile::remove(s.tree / "Copy.kvx");
    s.ui.proposals.clear();
    EXPECT_FALSE(commands.SaveProject()); // the dialog is cancelled
    EXPECT_EQ(s.ui.proposals, QStringList{s.tree / "Copy.kvx"});
}

// Guards the name a first save proposes and the extension rule of the chosen name.
TEST(ProjectSaving, ProposedNamesAndTheProjectExtension)
{
    const std::pair<const char *, const char *> proposals[] = {
        {"My Course", "My.kvx"}, {"Untitled", "Untitled.kvx"}, {"a#b", "a.kvx"}, {"x%y;z", "x.kvx"},
        {"dir/name", "dir.kvx"}, {"back\\slash", "back.kvx"}};
    for (const auto &[title, name] : proposals)
        EXPECT_EQ(CProjectFileCommands::ProposedName(title), name) << title;
    const std::pair<const char *, const char *> extensions[] = {
        {"x.KVX", "x.KVX"}, {"x", "x.kvx"}, {"x.txt", "x.txt.kvx"}, {"x.kvx", "x.kvx"}, {"a.kv", "a.kv.kvx"}};
    for (const auto &[chosen, kept] : extensions)
        EXPECT_EQ(CProjectFileCommands::WithProjectExtension(chosen), kept) << chosen;
}

// Guards the file of a damaged project: it opens as far as it could be read, the author is told, and
// the next Save asks for a name rather than writing the partial course over the file.
TEST(ProjectSaving, PartlyReadProjectIsNotSavedOverTheOriginal)
{
    SavedCourse s;
    const QString &path = s.path;
    const QByteArray whole = TempTree::ReadAll(path);
    // Cut inside the image component of the second main screen.
    const QByteArray cut = whole.left(whole.indexOf(QByteArray("G\0u\0l\0l\0", 8)) + 600);
    s.tree.Write("Course.kvx", cut);

    auto reread = s.NewDoc();
    s.prompt.Clear();
    ASSERT_TRUE(CProjectFile::Open(*reread, path));
    ASSERT_EQ(s.prompt.Texts().size(), 1);
    EXPECT_TRUE(s.prompt.Texts()[0].contains("could be read only in part"));
    EXPECT_EQ(reread->GetPathName(), "");
    EXPECT_EQ(reread->GetTitle(), "Course");
    EXPECT_TRUE(reread->IsModified());
    EXPECT_GE(reread->MainScreens().size(), 1u);

    ScriptedUi cancel;
    CProjectFileCommands save(*reread, cancel);
    EXPECT_FALSE(save.SaveProject());
    EXPECT_EQ(cancel.proposals, QStringList{"Course.kvx"});
    EXPECT_EQ(TempTree::ReadAll(path), cut);
}

// Guards the project folder: the loose files of a folder a save made go (an old profile copy, stray
// files) while sub-folders and media stay; an author's own folder that happens to carry the project's name
// keeps all its files; a folder that cannot be made fails the save with one message and no file.
TEST(ProjectSaving, LooseFilesGoOnlyFromAFolderASaveMade)
{
    Session s;
    auto doc = s.NewDoc();
    CProjectFileCommands commands(*doc, s.ui);
    ASSERT_TRUE(commands.DoSaveProject(s.tree / "Course.kvx", true));
    s.tree.Write("Course/kv_profile.xml", "stale");
    s.tree.Write("Course/stray.txt", "stray");
    s.tree.Write("Course/Sounds/gull.wav", "media");
    ASSERT_TRUE(commands.DoSaveProject(s.tree / "Course.kvx", true));
    EXPECT_FALSE(QFileInfo::exists(s.tree / "Course/kv_profile.xml"));
    EXPECT_FALSE(QFileInfo::exists(s.tree / "Course/stray.txt"));
    EXPECT_EQ(TempTree::ReadAll(s.tree / "Course/Sounds/gull.wav"), "media");

    s.tree.Write("Notes/chapter one.docx", "the author's own");
    ASSERT_TRUE(commands.DoSaveProject(s.tree / "Notes.kvx", true));
    EXPECT_EQ(TempTree::ReadAll(s.tree / "Notes/chapter one.docx"), "the author's own");
    for (const char *sub : {"Images/MM", "Images/M", "Images/Resized", "Images/Questions", "Movies", "Questions",
                            "Sounds", "Rtfs"})
        EXPECT_TRUE(QFileInfo(s.tree / "Notes/" + sub).isDir()) << sub;

    s.tree.Write("Blocked", "a file where the folder should be");
    s.prompt.Clear();
    EXPECT_FALSE(commands.DoSaveProject(s.tree / "Blocked.kvx", true));
    ASSERT_EQ(s.prompt.Texts().size(), 1);
    EXPECT_TRUE(s.prompt.Texts()[0].startsWith("Cannot save the project"));
    EXPECT_FALSE(QFileInfo::exists(s.tree / "Blocked.kvx"));
}

// Guards the profile that travels with a project: written into the project folder when the course has
// one, and taken back as the course's profile when the project is opened.
TEST(ProjectSaving, ProfileCopyTravelsWithTheProject)
{
    Session s;
    auto doc = s.NewDoc();
    auto profile = InternationalProfileFromXML::ReadBytes(
        "<internationalisation kvver=\"4.009\"><item><variable>next</variable><text>Onwards &amp; up</text>"
        "</item></internationalisation>");
    ASSERT_NE(profile, nullptr);
    doc->SetInternationalProfile(std::move(profile));
    CProjectFileCommands commands(*doc, s.ui);
    ASSERT_TRUE(commands.DoSaveProject(s.tree / "Course.kvx", true));
    ASSERT_TRUE(QFileInfo::exists(s.tree / "Course/kv_profile.xml"));

    auto reread = s.NewDoc();
    ASSERT_TRUE(CProjectFile::Open(*reread, s.tree / "Course.kvx"));
    auto *read = dynamic_cast<InternationalProfileFromXML *>(reread->GetInternationalProfile());
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->items.size(), 1u);
    EXPECT_EQ(read->items[0].text, "Onwards & up");
    EXPECT_TRUE(s.prompt.Texts().isEmpty()) << qPrintable(s.prompt.Texts().join(u'\n'));
}

// Guards the screen counter of files that do not keep it in step: after a load the next new screen never
// takes the number of a screen that is there; a counter ahead of the screens is kept.
TEST(ProjectSaving, NextScreenNumberPassesEveryScreenRead)
{
    Session s;
    for (const auto &[counter, expected] : {std::pair{0, 8}, std::pair{20, 20}}) {
        auto doc = s.NewDoc();
        doc->AddScreen(std::make_unique<CCorvPage>(3, "a", "", "", 0, "1", pt_document, -1), nullptr, false, false);
        doc->AddScreen(std::make_unique<CCorvPage>(7, "b", "", "", 0, "P1", pt_document, -1), nullptr, true, false);
        doc->SetNextScreenNumber(counter);
        ASSERT_TRUE(CProjectFile::Save(*doc, s.tree / "Course.kvx"));
        auto reread = s.NewDoc();
        ASSERT_TRUE(CProjectFile::Open(*reread, s.tree / "Course.kvx"));
        EXPECT_EQ(reread->GetNextScreenNumber(), expected) << counter;
    }
}

// Guards a component brought from a single-screen archive: the project save makes it the project's own,
// its media copied into the project folder.
TEST(ProjectSaving, ComponentFromAScreenFileBecomesTheProjects)
{
    Session s;
    auto doc = s.NewDoc();
    CCorvPage *page = AddPage(*doc, "Sounds", "1", pt_document);
    auto audio = std::make_unique<CComponentAudio>();
    audio->SetBounds({900, 10, 974, 81}, false);
    audio->SetPlayButton(1);
    audio->SetFilePath(s.tree.Write("Library/Item1/Sounds/gull.wav", "cry"));
    audio->SetStandAlone(1);
    CComponentBase *raw = audio.get();
    page->AddComponent(std::move(audio));
    ASSERT_TRUE(CProjectFile::Save(*doc, s.tree / "Course.kvx"));
    EXPECT_EQ(raw->IsStandAlone(), 0);
    EXPECT_EQ(TempTree::ReadAll(s.tree / "Course/Sounds/gull.wav"), "cry");
}

// Guards what the views learn: a new project lets them start afresh before they are updated, and the Open
// command tells them it opened a project.
TEST(ProjectSaving, ViewsHearOfNewProjectsAndOfTheOpenCommand)
{
    struct Views : CDocumentObserver
    {
        QStringList calls;
        void OnNewProject(CCorvessaDoc &) override { calls.append("new"); }
        void OnUpdate(CCorvessaDoc &) override { calls.append("update"); }
        void OnDocumentOpened(CCorvessaDoc &) override { calls.append("opened"); }
        void AfterOpenCommand(CCorvessaDoc &) override { calls.append("open command"); }
    } views;
    Session s;
    auto doc = s.NewDoc();
    ASSERT_TRUE(CProjectFile::Save(*doc, s.tree / "Course.kvx"));
    doc->AddObserver(&views);
    doc->OnNewDocument();
    EXPECT_EQ(doc->GetPathName(), "");
    EXPECT_EQ(doc->GetTitle(), "Untitled");
    s.ui.openAnswer = s.tree / "Course.kvx";
    CProjectFileCommands commands(*doc, s.ui);
    ASSERT_TRUE(commands.OnFileOpenProject());
    EXPECT_EQ(views.calls, QStringList({"new", "update", "opened", "update", "open command"}));
    s.ui.openAnswer.clear();
    EXPECT_FALSE(commands.OnFileOpenProject());
}

// Guards the auto-backup options: a document takes them from the per-user folder, and the settings
// command keeps what the author confirms there (the limit never below five).
TEST(ProjectSaving, AutoBackupOptionsLiveInThePerUserFolder)
{
    Session s;
    s.context.appDataFolder = s.tree / "user";
    s.tree.Write("user/dovar.txt", "0\n1\n3");
    auto doc = s.NewDoc();
    EXPECT_EQ(doc->AutoBackupSettings.BackupOnSave, 0);
    EXPECT_EQ(doc->AutoBackupSettings.LimitBackups, 1);
    EXPECT_EQ(doc->AutoBackupSettings.BackupLimit, 5);

    struct Dialog : ScriptedUi
    {
        bool ok = true;
        bool EditAutoBackupSettings(CAutoBackupSetting &settings) override
        {
            settings.BackupOnSave = 1;
            settings.LimitBackups = 0;
            settings.BackupLimit = 2;
            return ok;
        }
    } dialog;
    CProjectFileCommands commands(*doc, dialog);
    commands.OnAutoBackupSettings();
    EXPECT_EQ(TempTree::ReadAll(s.tree / "user/dovar.txt"), "1\n0\n5");
    EXPECT_EQ(doc->AutoBackupSettings.BackupOnSave, 1);
    dialog.ok = false;
    doc->AutoBackupSettings.BackupOnSave = 0;
    commands.OnAutoBackupSettings();
    EXPECT_EQ(doc->AutoBackupSettings.BackupOnSave, 0);
}

// Guards the course's pictures against a first save that fails: the save points the logo at its copy by
// bare name and the background at its copy, which would leave them naming files of a project folder the
// course never got; they keep the author's paths, so the next save, elsewhere, still finds them.
TEST(ProjectSaving, AFailedFirstSaveKeepsTheCoursesPictures)
{
    Session s;
    auto doc = s.NewDoc();
    BuildCourse(*doc, s);
    const QString logo = doc->Settings().LogoImage, background = doc->Settings().BgImage;
    CProjectFileCommands commands(*doc, s.ui);
    doc->SetSaveFaultHook([](SaveStep at) { return at == SaveStep::rename; });
    EXPECT_FALSE(commands.DoSaveProject(s.tree / "First.kvx", true));
    EXPECT_EQ(doc->Settings().LogoImage, logo);
    EXPECT_EQ(doc->Settings().BgImage, background);
    EXPECT_EQ(doc->GetPathName(), "");

    doc->SetSaveFaultHook({});
    ASSERT_TRUE(commands.DoSaveProject(s.tree / "Second.kvx", true));
    auto reread = s.NewDoc();
    ASSERT_TRUE(CProjectFile::Open(*reread, s.tree / "Second.kvx"));
    EXPECT_EQ(reread->Settings().LogoImage, s.tree / "Second/Images/Resized/MyLogo.png");
    EXPECT_TRUE(QFileInfo::exists(reread->Settings().LogoImage));
    EXPECT_EQ(TempTree::ReadAll(reread->Settings().BgImage), "background bytes");
}

// Guards the oldest projects opened as the Open command opens them: a file of schema 1000003 keeps a text
// box's text in the project folder's Rtfs folder, not in the file.
TEST(ProjectSaving, OldProjectReadsItsTextBoxFromTheRtfsFolder)
{
    Session s;
    GoldenProject golden(1000003);
    golden.WriteSettings(0);
    golden.WriteTopics({});
    golden.WritePostTopic();
    golden.Ar().WriteInt(1);
    golden.WriteScreen(4, "Gulls", "1", pt_document, -1, [](CArchive &ar) {
        ar.WriteInt(ct_textbox);
        ar.WriteRect(CRect(36, 32, 520, 332));
        ar.WriteString("tb1.rtf");
        ar.WriteInt(0); // no links
    }, 1);
    s.tree.Write("Old.kvx", golden.Bytes());
    s.tree.Write("Old/Rtfs/tb1.rtf", "{\\rtf1\\ansi Gulls nest on cliffs.}");

    auto doc = s.NewDoc();
    ASSERT_TRUE(CProjectFile::Open(*doc, s.tree / "Old.kvx"));
    EXPECT_TRUE(s.prompt.Texts().isEmpty()) << qPrintable(s.prompt.Texts().join(u'\n'));
    EXPECT_EQ(doc->GetFileSchema(), 1000003);
    ASSERT_EQ(doc->MainScreens().size(), 1u);
    auto *box = dynamic_cast<CComponentTextbox *>(doc->MainScreens()[0]->GetComponent(0));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetRichText().GetText(), "Gulls nest on cliffs.");
}

// Guards the save of a course whose media are gone: one message lists every file that could not be
// copied (each once, however many records name it) instead of one box per file, the project is saved,
// and no playlist is written for a clip that is not there.
TEST(ProjectSaving, MissingMediaAreListedInOneMessage)
{
    Session s;
    auto doc = s.NewDoc();
    CCorvPage *page = AddPage(*doc, "Sounds", "1", pt_document);
    const QStringList gone = {s.tree / "gone/Waves.wma", s.tree / "gone/Gulls.mp3"};
    for (const QString &file : gone + QStringList{gone[0]}) {
        auto audio = std::make_unique<CComponentAudio>();
        audio->SetBounds({10, 10, 40, 40}, false);
        audio->SetFilePath(file);
        audio->SetPlayButton(1);
        page->AddComponent(std::move(audio));
    }
    CProjectFileCommands commands(*doc, s.ui);
    EXPECT_TRUE(commands.DoSaveProject(s.tree / "Course.kvx", true));
    const QStringList warnings = s.prompt.Texts().filter("could not be copied");
    ASSERT_EQ(warnings.size(), 1) << s.prompt.Texts().join("\n---\n").toStdString();
    EXPECT_TRUE(warnings[0].contains(gone[0] + "\n" + gone[1])) << warnings[0].toStdString();
    EXPECT_EQ(warnings[0].count(gone[0]), 1);
    EXPECT_TRUE(s.prompt.Texts().filter("Failed to copy file").isEmpty());
    EXPECT_TRUE(QFileInfo::exists(s.tree / "Course.kvx"));
    EXPECT_FALSE(QFileInfo::exists(s.tree / "Course/Sounds/waves.wax"));
}

// Guards the time a save takes: a resized copy whose picture and size are unchanged, and whose file is in
// place, is not made again, neither by the next save nor by a save after the project is opened anew; a
// changed size, a changed picture file or a missing copy is made again.
TEST(ProjectSaving, UnchangedResizedCopiesAreNotWrittenAgain)
{
    SavedCourse saved;
    const QString &path = saved.path;
    const QString resized = saved.tree / "Course/Images/Resized/gullphoto.png";
    const QString copy = saved.tree / "Course/Images/gullphoto.png";
    ASSERT_EQ(QImageReader(resized).size(), QSize(120, 80));
    // A copy that a save would not make again keeps what stands in it.
    const auto mark = [&] { return saved.tree.Write("Course/Images/Resized/gullphoto.png", "kept as it was"); };
    const auto kept = [&] { return TempTree::ReadAll(resized) == "kept as it was"; };

    mark();
    ASSERT_TRUE(saved.commands.DoSaveProject(path, false));
    EXPECT_TRUE(kept());

    auto reread = saved.NewDoc();
    ASSERT_TRUE(CProjectFile::Open(*reread, path));
    ASSERT_TRUE(CProjectFile::Save(*reread, path));
    EXPECT_TRUE(kept());

    auto *gull = static_cast<CComponentImage *>(reread->MainScreens()[1]->GetComponent(2));
    gull->SetBounds({540, 320, 600, 360}, false);
    ASSERT_TRUE(CProjectFile::Save(*reread, path));
    EXPECT_EQ(QImageReader(resized).size(), QSize(60, 40));

    mark();
    ASSERT_TRUE(QFile::remove(copy));
    saved.Picture("Course/Images/gullphoto.png", 90, 60);
    ASSERT_TRUE(CProjectFile::Save(*reread, path));
    EXPECT_FALSE(kept());

    ASSERT_TRUE(QFile::remove(resized));
    ASSERT_TRUE(CProjectFile::Save(*reread, path));
    EXPECT_EQ(QImageReader(resized).size(), QSize(60, 40));
    EXPECT_TRUE(saved.prompt.Texts().isEmpty()) << qPrintable(saved.prompt.Texts().join(u'\n'));
}

// Guards the time and memory of opening a project: no picture is decoded until it is needed, so what is
// shown is the picture file as it is at that moment.
TEST(ProjectSaving, OpeningDecodesPicturesOnlyWhenNeeded)
{
    SavedCourse saved;
    auto reread = saved.NewDoc();
    ASSERT_TRUE(CProjectFile::Open(*reread, saved.path));
    saved.Picture("Course/Images/gullphoto.png", 30, 20);
    auto *gull = static_cast<CComponentImage *>(reread->MainScreens()[1]->GetComponent(2));
    EXPECT_EQ(gull->GetNaturalWidth(), 30);
    EXPECT_EQ(int(gull->GetPicture().GetHeight()), 20);
}

// Guards the author's disk and course against a save that runs out of room (here a file-size limit, which
// fails the writes as a full disk does): the backup's message names the system's reason, and a save whose
// project file cannot be written takes away every picture copy and folder it made, the course naming its
// pictures where they were, so that a later save, with room again, still finds them.
TEST(ProjectSaving, ASaveOnAFullDiskNamesTheReasonAndLeavesNothingBehind)
{
    {
        SavedCourse s;
        auto [doc, path, commands] = s.Parts();
        s.tree.Write("Course/Sounds/narration.mp3", QByteArray(256 * 1024, 'n'));
        doc->SetModifiedFlag(true);
        s.prompt.Clear();
        {
            FileSizeLimit full(64 * 1024);
            ASSERT_TRUE(full.IsSet());
            EXPECT_FALSE(commands.SaveProject());
        }
        ASSERT_EQ(s.prompt.Texts().size(), 1);
        // The system's own words follow (the copy reports the cut-short write in its own way).
        EXPECT_TRUE(s.prompt.Texts()[0].contains(QRegularExpression("could not be copied\\. \\S")))
            << qPrintable(s.prompt.Texts()[0]);
        EXPECT_FALSE(QFileInfo::exists(s.tree / "Course Backups"));
    }
    Session s;
    auto doc = s.NewDoc();
    BuildCourse(*doc, s);
    // Text enough that the project file outgrows the limit that the pictures fit in.
    AddText(*doc, *doc->MainScreens()[2], QString(200000, u'w'));
    auto *gull = static_cast<CComponentImage *>(doc->MainScreens()[1]->GetComponent(2));
    const QString picture = gull->GetImageFile();
    CProjectFileCommands commands(*doc, s.ui);
    {
        FileSizeLimit full(64 * 1024);
        ASSERT_TRUE(full.IsSet());
        EXPECT_FALSE(commands.DoSaveProject(s.tree / "First.kvx", true));
    }
    EXPECT_EQ(s.prompt.Texts().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(s.tree / "First")) << qPrintable(Snapshot(s.tree / "First").keys().join(u' '));
    EXPECT_FALSE(QFileInfo::exists(s.tree / "First.kvx"));
    EXPECT_FALSE(QFileInfo::exists(s.tree / "First.kvx.tmp"));
    EXPECT_EQ(gull->GetImageFile(), picture);

    ASSERT_TRUE(commands.DoSaveProject(s.tree / "First.kvx", true));
    auto reread = s.NewDoc();
    ASSERT_TRUE(CProjectFile::Open(*reread, s.tree / "First.kvx"));
    auto *copy = static_cast<CComponentImage *>(reread->MainScreens()[1]->GetComponent(2));
    EXPECT_EQ(int(copy->GetPicture().GetWidth()), 48);
}

// Guards against a temporary file left by a save that was cut short (the program killed after it appeared)
// staying beside the project: opening the project clears it, as the next save would.
TEST(ProjectSaving, AStaleTemporaryGoesWhenTheProjectIsOpened)
{
    SavedCourse saved;
    const QString stale = saved.tree.Write("Course.kvx.tmp", "half a project");
    auto reread = saved.NewDoc();
    ASSERT_TRUE(CProjectFile::Open(*reread, saved.path));
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_EQ(reread->MainScreens().size(), 3u);
}

// Guards the memory of a course built in memory (inserted, imported, pasted): a picture of a screen that is
// not on show is not decoded when it is placed, and a save lets go of the pictures it decoded to write, so
// that saving thousands of screens does not end holding every picture of them. What is shown next is the
// file as it is then.
TEST(ProjectSaving, BuiltPicturesAreDecodedOnNeedAndLetGoAfterTheSave)
{
    Session s;
    auto doc = s.NewDoc();
    CCorvPage *page = AddPage(*doc, "Gulls", "1", pt_document);
    auto image = std::make_unique<CComponentImage>(nullptr);
    image->SetBounds({40, 40, 88, 72}, false);
    image->SetImageFile(s.Picture("art/gull.png", 48, 32), s.context);
    CComponentImage *gull = image.get();
    page->AddComponent(std::move(image));
    s.Picture("art/gull.png", 30, 20);
    EXPECT_EQ(gull->GetNaturalWidth(), 30);

    CProjectFileCommands commands(*doc, s.ui);
    ASSERT_TRUE(commands.DoSaveProject(s.tree / "Course.kvx", true));
    const QString copy = gull->GetImageFile();
    ASSERT_TRUE(copy.startsWith(s.tree / "Course/Images/")) << qPrintable(copy);
    QImage replaced(24, 16, QImage::Format_RGB32);
    replaced.fill(Qt::blue);
    ASSERT_TRUE(replaced.save(copy, "PNG"));
    EXPECT_EQ(int(gull->GetPicture().GetWidth()), 24);
}
