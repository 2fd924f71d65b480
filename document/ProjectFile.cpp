#include "document/ProjectFile.h"

#include "document/CorvessaDoc.h"
#include "document/DocumentObserver.h"
#include "document/InternationalProfileFromXML.h"
#include "document/InternationalProfileReading.h"
#include "document/LoadedProfile.h"
#include "document/ProjectArchive.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/MediaCopy.h"
#include "model/Topic.h"
#include "platform/Archive.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/SafeFileWriter.h"
#include "platform/StringTable.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <vector>

namespace {

// Numbered message texts of the project file.
constexpr int kIdsNotAProjectFile = 40100;
constexpr int kIdsCannotOpenFile = 40101;
constexpr int kIdsCannotSaveProject = 40102;
constexpr int kIdsProjectReadInPart = 40103;
constexpr int kIdsCannotWriteProfileCopy = 40104;

const QString kProfileCopyName = QStringLiteral("kv_profile.xml");

namespace fs = std::filesystem;

// What a save finds in the project folder before it writes anything, so that a save that fails can take
// away what it added (picture copies, new sub-folders) and leave the folder as the author had it. Files
// that were there are never touched: a copy written over one of them stays, as the backup keeps the old.
class CFolderBeforeSave
{
public:
    explicit CFolderBeforeSave(const QString &folder) : m_root(CorvFs::ToFsPath(folder))
    {
        std::error_code ec;
        m_rootExisted = fs::is_directory(m_root, ec);
        for (const fs::path &entry : Entries())
            m_entries.insert(entry);
    }

    void RemoveWhatTheSaveAdded() const
    {
        std::vector<fs::path> added;
        for (const fs::path &entry : Entries())
            if (!m_entries.count(entry))
                added.push_back(entry);
        // Deepest first, so that a new folder is empty by the time it is removed.
        std::sort(added.begin(), added.end(), std::greater<>());
        std::error_code ec;
        for (const fs::path &entry : added)
            fs::remove(entry, ec); // a folder that still holds something stays
        if (!m_rootExisted)
            fs::remove(m_root, ec);
    }

private:
    // Files and folders under the root; links are listed, never followed.
    std::vector<fs::path> Entries() const
    {
        std::vector<fs::path> entries;
        std::error_code ec;
        for (fs::recursive_directory_iterator it(m_root, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(it->path());
        return entries;
    }

    fs::path m_root;
    bool m_rootExisted = false;
    std::set<fs::path> m_entries;
};

// A save cut short (the program killed, the machine off) can leave its temporary file beside the project;
// it holds nothing the project needs, and goes when the project is next opened or saved.
void RemoveStaleTemporary(const QString &projectPath)
{
    const fs::path temporary = CorvFs::ToFsPath(projectPath + QStringLiteral(".tmp"));
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(temporary, ec)))
        fs::remove(temporary, ec);
}

} // namespace

CStatus CProjectFile::Open(CCorvessaDoc &doc, const QString &path)
{
    // Only project files are read. Anything else is refused before the document changes, so it is never
    // bound to a file it did not read (the next save would write this course over it).
    if (QFileInfo(path).suffix().compare(QLatin1String("kvx"), Qt::CaseInsensitive) != 0)
        return CFailure(CStringTable::Load(kIdsNotAProjectFile).arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CFailure(CStringTable::Load(kIdsCannotOpenFile).arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    file.close();
    RemoveStaleTemporary(path);

    const bool whole = LoadFrom(doc, bytes, path);
    ReadProjectProfile(doc, CCorvessaDoc::ProjectFolderOf(path));
    // A project read only in part is not bound to its file: the next save asks for a name, so the damaged
    // file is never replaced by what could be read of it.
    doc.SetPathName(whole ? path : QString());
    doc.SetTitle(QFileInfo(path).completeBaseName());
    doc.SetModifiedFlag(!whole);
    doc.NotifyObservers([&doc](CDocumentObserver &observer) { observer.OnDocumentOpened(doc); });
    doc.UpdateAllViews();
    return {};
}

CStatus CProjectFile::Save(CCorvessaDoc &doc, const QString &path)
{
    doc.NotifyObservers([&doc](CDocumentObserver &observer) { observer.AboutToSave(doc); });
    const QString folder = CCorvessaDoc::ProjectFolderOf(path);
    // Loose files are cleared only from a folder an earlier save made: a folder of the author's that
    // happens to have the project's name keeps everything in it.
    const bool earlierProjectFolder = CProjectArchive::IsProjectFolder(folder);
    RemoveStaleTemporary(path);
    const CFolderBeforeSave before(CorvPath::ResolveNoCase(folder));
    if (CStatus made = CProjectArchive::CreateFoldersForSave(folder, doc.Prompt(),
                                                             CStringTable::Load(kIdsCannotSaveProject), path);
        !made)
        return made;
    CArchive ar;
    ar.SetFilePath(path);
    ar.SetContext(&doc.GetContext());
    // The save points the logo and the background at their copies in the project folder; a file that
    // cannot be written leaves the course bound to no such folder, so they go back to what they were.
    const QString logo = doc.Settings().LogoImage, background = doc.Settings().BgImage;
    Serialize(doc, ar);
    // The media that could not be copied, all in one message; the project is saved all the same, naming
    // each where it was, so the next save can copy it once it is back.
    if (const CStatus copied = CMediaCopy::FailedCopies(ar); !copied)
        doc.Prompt().Warning(copied.Error());
    bool replaced = false;
    const CStatus written = CSafeFileWriter::WriteFile(path, ar.GetBuffer(), doc.GetSaveFaultHook(), &replaced);
    if (!written && !replaced) {
        doc.MutableSettings().LogoImage = logo;
        doc.MutableSettings().BgImage = background;
        // The copies this save wrote would be named by no project file: they go, and the components name
        // the files they named before.
        ar.UndoStoreChanges();
        before.RemoveWhatTheSaveAdded();
        return CFailure(CStringTable::Load(kIdsCannotSaveProject).arg(path, written.Error()));
    }
    // The new file is in place but its name may not outlast a power loss: the author is told, and the
    // course is bound to the file as saved.
    if (!written)
        doc.Prompt().Warning(written.Error());

    const QString onDisk = CorvPath::ResolveNoCase(folder);
    if (earlierProjectFolder)
        DeleteFolderFiles(onDisk, false, false);
    const QString profileCopy = CorvPath::Join(onDisk, kProfileCopyName);
    if (doc.GetInternationalProfile() && !doc.GetInternationalProfile()->WriteProfileFile(profileCopy))
        doc.Prompt().Warning(CStringTable::Load(kIdsCannotWriteProfileCopy).arg(profileCopy));
    doc.SetPathName(path);
    doc.SetModifiedFlag(false);
    return {};
}

void CProjectFile::Serialize(CCorvessaDoc &doc, CArchive &ar)
{
    if (ar.IsStoring())
        CProjectArchive::StoreProject(ar, doc);
    else
        LoadFrom(doc, ar.GetBuffer(), ar.GetFilePath());
}

bool CProjectFile::LoadFrom(CCorvessaDoc &doc, const QByteArray &bytes, const QString &path)
{
    // Both passes find the stored names through one listing of each folder.
    CorvPath::CNoCaseResolver paths;
    const auto readPass = [&](bool retry, CProjectArchive::ReadContext &context) -> std::optional<CArchiveException> {
        context = CProjectArchive::ReadContext{};
        context.projectFolder = CCorvessaDoc::ProjectFolderOf(path);
        context.retry = retry;
        context.paths = &paths;
        context.canvas = doc.GetEditCanvas();
        CArchive ar(bytes);
        ar.SetFilePath(path);
        ar.SetContext(&doc.GetContext());
        ar.SetPaths(&paths);
        try {
            CProjectArchive::LoadProjectPass(ar, doc, context);
        } catch (const CArchiveException &e) {
            return e;
        }
        return std::nullopt;
    };

    doc.SetLoadRetry(0);
    CProjectArchive::ReadContext first;
    std::optional<CArchiveException> failure = readPass(false, first);
    // Any error of the first pass may come of reading a file of the older layout out of step, a component
    // type that makes no sense included: the second pass, with the widened gates of those files, gets its
    // turn, and whichever pass read further is kept.
    if (failure) {
        // The second pass starts from the settings as the first left them, with empty lists.
        CCorvessaDoc::Content firstPass;
        firstPass.settings = doc.Settings();
        doc.SwapContent(firstPass);
        doc.SetLoadRetry(1);
        CProjectArchive::ReadContext second;
        std::optional<CArchiveException> again = readPass(true, second);
        if (!again)
            failure.reset();
        else if (second.completeUpTo > first.completeUpTo)
            failure = again;
        else
            doc.SwapContent(firstPass); // the first pass read further: it is the one kept
    }
    doc.SetLoadRetry(0);
    CProjectArchive::ResolveLinks(doc);
    doc.RaiseNextScreenNumber();
    // What was read is kept, but the author must know before a save replaces the file with it.
    if (failure) {
        // The reason stands in brackets inside a sentence: its own full stop would end it twice.
        QString reason = failure->GetText().trimmed();
        if (reason.endsWith(u'.'))
            reason.chop(1);
        doc.Prompt().Warning(CStringTable::Load(kIdsProjectReadInPart).arg(path, reason));
    }
    return !failure;
}

void CProjectFile::ReadProjectProfile(CCorvessaDoc &doc, const QString &projectFolder)
{
    const QString copy = CorvPath::ResolveNoCase(CorvPath::Join(projectFolder, kProfileCopyName));
    // A project without its own copy uses the profile its settings name, not the one a project before it
    // left in the document.
    if (!QFileInfo(copy).isFile()) {
        doc.FreeInternationalProfile();
        return;
    }
    CorvProfileReading::ParseInternationalProfile(doc, copy);
}
