#include "document/SingleScreenArchive.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectArchive.h"
#include "document/ScreenFactory.h"
#include "model/MediaCopy.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureSaveSession.h"
#include "model/Topic.h"
#include "platform/Archive.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/SafeFileWriter.h"
#include "platform/StringTable.h"

#include <QFile>

#include <filesystem>

namespace {

constexpr int kIdsCannotOpenFile = 40101;
constexpr int kIdsScreenFileDamaged = 40120;
constexpr int kIdsCannotSaveScreen = 40121;

// Deletes the files lying directly in the folder, except the archive just written; sub-folders and their
// media stay. Roots, the home folder and the folders of the open project are never touched.
void DeleteOtherLooseFiles(const CCorvessaDoc &doc, const QString &folder, const QString &archivePath)
{
    namespace fs = std::filesystem;
    const fs::path root = CorvFs::ToFsPath(folder);
    if (folder.isEmpty() || CorvFs::IsProtectedFolder(root))
        return;
    const QString project = doc.GetPathName();
    if (!project.isEmpty()) {
        std::error_code ec;
        const QString projectFolders[] = {CorvPath::FolderOf(CorvPath::ToSlashes(project)),
                                          CCorvessaDoc::ProjectFolderOf(project)};
        for (const QString &own : projectFolders)
            if (fs::equivalent(root, CorvFs::ToFsPath(own), ec))
                return;
    }
    const fs::path keep = CorvFs::ToFsPath(archivePath).filename();
    std::error_code ec;
    for (const fs::directory_entry &entry : fs::directory_iterator(root, ec)) {
        if (entry.is_symlink(ec) || !entry.is_regular_file(ec) || entry.path().filename() == keep)
            continue;
        fs::remove(entry.path(), ec);
    }
}

// The schema, then the screen as a main-list screen of a project stores it (the menu kind is always there
// and the screen is read back with the main list's rules), its components stand-alone.
void StoreScreenRecord(CArchive &ar, CCorvessaDoc &doc, CCorvPage &screen)
{
    ar.WriteInt(CSingleScreenArchive::kSchema);
    // Topic-button pictures go on with the document's numbering, which a single screen does not restart.
    CPictureSaveSession pictures([&doc] { return doc.TakeTopicButtonPictureNumber(); },
                                 doc.Settings().PublishImagesAtStandardResolution);
    CProjectArchive::StoreScreen(ar, screen, true, doc, &pictures, 1);
}

// What a read changes in the document before the screen joins a list, put back when the read fails.
struct DocumentCounters
{
    CCorvessaDoc &doc;
    int fileSchema = doc.GetFileSchema();
    int nextScreenNumber = doc.GetNextScreenNumber();
    void Restore() const
    {
        doc.SetFileSchema(fileSchema);
        doc.SetNextScreenNumber(nextScreenNumber);
    }
};

// The schema, then the screen as a main-list screen of a project holds it, with the menu kind; the screen
// takes the document's next number instead of the one it had where it was saved.
std::unique_ptr<CCorvPage> LoadScreenRecord(CArchive &ar, CCorvessaDoc &doc)
{
    CProjectArchive::ReadContext context;
    context.schema = ar.ReadInt();
    context.singleScreen = true;
    context.paths = &ar.Paths();
    context.canvas = doc.GetEditCanvas();
    doc.SetFileSchema(context.schema);
    std::unique_ptr<CCorvPage> screen = CProjectArchive::LoadScreen(ar, doc, context, true, -1);
    screen->SetId(doc.TakeNextScreenNumber());
    return screen;
}

} // namespace

bool CSingleScreenArchive::SaveScreenArchive(CCorvessaDoc &doc, const QString &path, CCorvPage *screen,
                                             FolderUse folderUse)
{
    if (!screen)
        return false;
    const QString folder = CorvPath::FolderOf(CorvPath::ToSlashes(path));
    // The folder and its media sub-folders first: the components copy their media there as they are stored.
    const QString cannotSave = CStringTable::Load(kIdsCannotSaveScreen);
    if (const CStatus made = CProjectArchive::CreateFoldersForSave(folder, doc.Prompt(), cannotSave, path); !made) {
        doc.Prompt().Error(made.Error());
        return false;
    }

    CArchive ar;
    ar.SetFilePath(path);
    ar.SetContext(&doc.GetContext());
    QString error;
    try {
        StoreScreenRecord(ar, doc, *screen);
    } catch (const CArchiveException &e) {
        error = e.GetText();
    }
    if (const CStatus copied = CMediaCopy::FailedCopies(ar); !copied)
        doc.Prompt().Warning(copied.Error());
    if (error.isEmpty())
        if (const CStatus written = CSafeFileWriter::WriteFile(path, ar.GetBuffer()); !written)
            error = written.Error();
    if (!error.isEmpty()) {
        doc.Prompt().Error(cannotSave.arg(path, error));
        return false;
    }
    // Only now that the archive is in place: a failed write never costs the folder's files.
    if (folderUse == ownFolder)
        DeleteOtherLooseFiles(doc, folder, path);
    return true;
}

CCorvPage *CSingleScreenArchive::LoadScreenArchive(CCorvessaDoc &doc, const QString &path, CCorvPage *after)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        doc.Prompt().Error(CStringTable::Load(kIdsCannotOpenFile).arg(path, file.errorString()));
        return nullptr;
    }
    CArchive ar(file.readAll());
    file.close();
    ar.SetFilePath(path);
    ar.SetContext(&doc.GetContext());

    const DocumentCounters before{doc};
    std::unique_ptr<CCorvPage> screen;
    try {
        screen = LoadScreenRecord(ar, doc);
    } catch (const CArchiveException &e) {
        // What was read so far goes with the screen under construction; the project is as it was.
        screen.reset();
        before.Restore();
        doc.Prompt().Error(CStringTable::Load(kIdsScreenFileDamaged).arg(path, e.GetText()));
        return nullptr;
    }

    if (screen->GetMenuKind() == apt_topic)
        doc.AddTopic(std::make_unique<CTopic>(QString::number(doc.Topics().size()), screen->GetTitle(), QString(),
                                              QString(), QString()));
    return CScreenFactory::InsertScreen(doc, std::move(screen), after, CScreenFactory::List::byAfter);
}
