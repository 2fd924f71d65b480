#include "document/CorvessaDoc.h"

#include "document/DocumentObserver.h"
#include "document/InternationalProfileFromXML.h"
#include "document/LoadedProfile.h"
#include "document/ProjectArchive.h"
#include "document/SettingsFile.h"
#include "document/UserSettingsStore.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/MediaCopy.h"
#include "model/Topic.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/richtext/RichText.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <optional>
#include <utility>

#include <unistd.h>

namespace {

// Numbered message texts of the document.
constexpr int kIdsNotAProjectFile = 40100;
constexpr int kIdsCannotOpenFile = 40101;
constexpr int kIdsCannotSaveProject = 40102;
constexpr int kIdsProjectReadInPart = 40103;
constexpr int kIdsCannotWriteProfileCopy = 40104;

const QString kUntitled = QStringLiteral("Untitled");
const QString kProfileCopyName = QStringLiteral("kv_profile.xml");

int64_t SystemNow() { return QDateTime::currentSecsSinceEpoch(); }

template <class Match>
CCorvPage *FindIn(const CCorvessaDoc::ScreenList &list, Match match)
{
    for (const auto &screen : list)
        if (match(*screen))
            return screen.get();
    return nullptr;
}

bool Holds(const CCorvessaDoc::ScreenList &list, const CCorvPage *screen)
{
    return screen && std::any_of(list.begin(), list.end(), [&](const auto &s) { return s.get() == screen; });
}

} // namespace

CCorvessaDoc::CCorvessaDoc(const CCorvContext &context, Clock clock)
    : m_context(context), m_title(kUntitled), m_clock(clock ? std::move(clock) : Clock(&SystemNow))
{
    ApplyDefaults(true, Now(), m_context.programFolder);
    if (!m_context.appDataFolder.isEmpty()) {
        AutoBackupSettings.Load(CAutoBackupSetting::DefaultPath(m_context));
        m_userStores = [](CCorvessaDoc &doc) { CUserSettingsStore(doc.m_context.appDataFolder).Apply(doc); };
    }
}

void CCorvessaDoc::SetPathName(const QString &path)
{
    m_pathName = path;
    if (!path.isEmpty())
        m_title = QFileInfo(path).completeBaseName();
}

bool CCorvessaDoc::SaveDefaultSettingsFile(const QString &path) const { return CSettingsFile::Save(path, *this); }

bool CCorvessaDoc::LoadDefaultSettingsFile(const QString &path)
{
    return CSettingsFile::Load(path, *this) != CSettingsFile::LoadResult::notOpened;
}

CCorvessaDoc::~CCorvessaDoc()
{
    ClearTopics();
    ClearGlossaryDocuments();
    ClearMainScreens();
    ClearPopupScreens();
    ClearGlossaryScreens();
    FreeInternationalProfile();
}

void CCorvessaDoc::SetClock(Clock clock) { m_clock = clock ? std::move(clock) : Clock(&SystemNow); }

void CCorvessaDoc::AddObserver(CDocumentObserver *observer)
{
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CCorvessaDoc::RemoveObserver(CDocumentObserver *observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CCorvessaDoc::NotifyObservers(const std::function<void(CDocumentObserver &)> &call)
{
    for (CDocumentObserver *observer : std::vector<CDocumentObserver *>(m_observers))
        call(*observer);
}

void CCorvessaDoc::SetModifiedFlag(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    NotifyObservers([this](CDocumentObserver &observer) { observer.OnModifiedChanged(*this); });
}

void CCorvessaDoc::UpdateAllViews()
{
    NotifyObservers([this](CDocumentObserver &observer) { observer.OnUpdate(*this); });
}

void CCorvessaDoc::ResetToNewProjectSettings()
{
    ApplyDefaults(false, Now(), m_context.programFolder);
    if (m_userStores)
        m_userStores(*this);
}

bool CCorvessaDoc::OnNewDocument()
{
    m_pathName.clear();
    m_title = kUntitled;
    ResetToNewProjectSettings();
    m_nextScreenNumber = 0;
    m_nextTextBoxNumber = 1;
    m_importPending = 1;
    FinalPerformanceFolder = nullptr;
    // A new course always starts with the built-in categories, whatever a store held.
    PriorityCategories.clear();
    GraphicsCategories =
        FindCourseSetting(&CCourseSettings::GraphicsCategories)->DefaultValue(Now(), m_context.programFolder).toStringList();
    ClearTopics();
    ClearGlossaryDocuments();
    ClearMainScreens();
    ClearPopupScreens();
    ClearGlossaryScreens();
    NotifyObservers([this](CDocumentObserver &observer) { observer.OnNewProject(*this); });
    UpdateAllViews();
    SetModifiedFlag(false);
    return true;
}

QString CCorvessaDoc::ProjectFolderOf(const QString &projectPath)
{
    // The path up to its last ".", as long as that dot belongs to the file name.
    const qsizetype dot = projectPath.lastIndexOf(u'.');
    const QString name = CorvPath::FileName(projectPath);
    if (dot < 0 || !name.contains(u'.'))
        return projectPath;
    return projectPath.left(dot);
}

bool CCorvessaDoc::OnOpenDocument(const QString &path)
{
    // Only project files are read. Anything else is refused before the document changes, so it is never
    // bound to a file it did not read (the next save would write this course over it).
    if (QFileInfo(path).suffix().compare(QLatin1String("kvx"), Qt::CaseInsensitive) != 0) {
        Prompt().Error(CStringTable::Load(kIdsNotAProjectFile).arg(path));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Prompt().Error(CStringTable::Load(kIdsCannotOpenFile).arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    file.close();

    const bool whole = LoadFrom(bytes, path);
    ReadProjectProfile(ProjectFolderOf(path));
    // A project read only in part is not bound to its file: the next save asks for a name, so the damaged
    // file is never replaced by what could be read of it.
    SetPathName(whole ? path : QString());
    m_title = QFileInfo(path).completeBaseName();
    SetModifiedFlag(!whole);
    NotifyObservers([this](CDocumentObserver &observer) { observer.OnDocumentOpened(*this); });
    UpdateAllViews();
    return true;
}

bool CCorvessaDoc::OnSaveDocument(const QString &path)
{
    NotifyObservers([this](CDocumentObserver &observer) { observer.AboutToSave(*this); });
    const QString folder = ProjectFolderOf(path);
    // Loose files are cleared only from a folder an earlier save made: a folder of the author's that
    // happens to have the project's name keeps everything in it.
    const bool earlierProjectFolder = CProjectArchive::IsProjectFolder(folder);
    if (!CProjectArchive::CreateFoldersForSave(folder, Prompt(), CStringTable::Load(kIdsCannotSaveProject), path))
        return false;
    CArchive ar;
    ar.SetFilePath(path);
    ar.SetContext(&m_context);
    // The save points the logo and the background at their copies in the project folder; a file that
    // cannot be written leaves the course bound to no such folder, so they go back to what they were.
    const QString logo = LogoImage, background = BgImage;
    Serialize(ar);
    // The media that could not be copied, all in one message; the project is saved all the same, naming
    // each where it was, so the next save can copy it once it is back.
    CMediaCopy::ReportFailedCopies(ar, Prompt());
    if (!ReplaceProjectFile(path, ar.GetBuffer())) {
        LogoImage = logo;
        BgImage = background;
        return false;
    }

    const QString onDisk = CorvPath::ResolveNoCase(folder);
    if (earlierProjectFolder)
        DeleteFolderFiles(onDisk, false, false);
    const QString profileCopy = CorvPath::Join(onDisk, kProfileCopyName);
    if (m_internationalProfile && !m_internationalProfile->WriteProfileFile(profileCopy))
        Prompt().Warning(CStringTable::Load(kIdsCannotWriteProfileCopy).arg(profileCopy));
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CCorvessaDoc::ReplaceProjectFile(const QString &path, const QByteArray &bytes)
{
    namespace fs = std::filesystem;
    // A link to the project is kept: the file it points at is the one replaced.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QString temporary = target + QStringLiteral(".tmp");
    const auto fail = [&](const QString &reason) {
        QFile::remove(temporary);
        Prompt().Error(CStringTable::Load(kIdsCannotSaveProject).arg(path, reason));
        return false;
    };
    QFile file(temporary);
    if (SaveFault(SaveStep::tempFile) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes) != bytes.size())
        return fail(file.error() != QFile::NoError ? file.errorString() : QStringLiteral("The disk is full."));
    if (SaveFault(SaveStep::flush) || !file.flush() || ::fsync(file.handle()) != 0)
        return fail(QStringLiteral("The file could not be written to the disk."));
    file.close();
    std::error_code ec;
    // The new file keeps the permissions the old one had.
    if (QFileInfo::exists(target))
        fs::permissions(CorvFs::ToFsPath(temporary), fs::status(CorvFs::ToFsPath(target), ec).permissions(), ec);
    if (SaveFault(SaveStep::rename))
        return fail(QStringLiteral("The file could not be renamed."));
    fs::rename(CorvFs::ToFsPath(temporary), CorvFs::ToFsPath(target), ec);
    if (ec)
        return fail(QString::fromLocal8Bit(ec.message()));
    return true;
}

void CCorvessaDoc::Serialize(CArchive &ar)
{
    if (ar.IsStoring())
        CProjectArchive::StoreProject(ar, *this);
    else
        LoadFrom(ar.GetBuffer(), ar.GetFilePath());
}

void CCorvessaDoc::SwapLoadState(LoadState &state)
{
    std::swap(static_cast<CCourseSettings &>(*this), state.settings);
    std::swap(Topics, state.topics);
    std::swap(GlossaryDocuments, state.glossaryDocuments);
    std::swap(MainScreenList, state.main);
    std::swap(PopupScreenList, state.popups);
    std::swap(GlossaryScreenList, state.glossary);
    std::swap(FinalPerformanceFolder, state.finalPerformance);
    std::swap(PopupsFolder, state.popupsFolder);
    std::swap(GlossaryFolder, state.glossaryFolder);
    std::swap(m_fileSchema, state.fileSchema);
    std::swap(m_nextScreenNumber, state.nextScreenNumber);
    std::swap(m_nextTextBoxNumber, state.nextTextBoxNumber);
    std::swap(m_importPending, state.importPending);
}

bool CCorvessaDoc::LoadFrom(const QByteArray &bytes, const QString &path)
{
    // Both passes find the stored names through one listing of each folder.
    CorvPath::CNoCaseResolver paths;
    const auto readPass = [&](bool retry, CProjectArchive::ReadContext &context) -> std::optional<CArchiveException> {
        context = CProjectArchive::ReadContext{};
        context.projectFolder = ProjectFolderOf(path);
        context.retry = retry;
        context.paths = &paths;
        context.canvas = m_canvas;
        CArchive ar(bytes);
        ar.SetFilePath(path);
        ar.SetContext(&m_context);
        ar.SetPaths(&paths);
        try {
            CProjectArchive::LoadProjectPass(ar, *this, context);
        } catch (const CArchiveException &e) {
            return e;
        }
        return std::nullopt;
    };

    m_loadRetry = 0;
    CProjectArchive::ReadContext first;
    std::optional<CArchiveException> failure = readPass(false, first);
    // Any error of the first pass may come of reading a file of the older layout out of step, a component
    // type that makes no sense included: the second pass, with the widened gates of those files, gets its
    // turn, and whichever pass read further is kept.
    if (failure) {
        // The second pass starts from the settings as the first left them, with empty lists.
        LoadState firstPass;
        firstPass.settings = *this;
        SwapLoadState(firstPass);
        m_loadRetry = 1;
        CProjectArchive::ReadContext second;
        std::optional<CArchiveException> again = readPass(true, second);
        if (!again)
            failure.reset();
        else if (second.completeUpTo > first.completeUpTo)
            failure = again;
        else
            SwapLoadState(firstPass); // the first pass read further: it is the one kept
    }
    m_loadRetry = 0;
    CProjectArchive::ResolveLinks(*this);
    RaiseNextScreenNumber();
    // What was read is kept, but the author must know before a save replaces the file with it.
    if (failure)
        Prompt().Warning(CStringTable::Load(kIdsProjectReadInPart).arg(path, failure->GetText()));
    return !failure;
}

void CCorvessaDoc::RaiseNextScreenNumber()
{
    // A file without screen numbers, or a damaged one, can leave the counter at a number a screen has:
    // the next new screen would share it.
    int highest = -1;
    for (const ScreenList *list : {&MainScreenList, &PopupScreenList, &GlossaryScreenList})
        for (const auto &screen : *list)
            highest = std::max(highest, screen->GetId());
    if (highest < INT_MAX && m_nextScreenNumber <= highest)
        m_nextScreenNumber = highest + 1;
}

void CCorvessaDoc::ReadProjectProfile(const QString &projectFolder)
{
    const QString copy = CorvPath::ResolveNoCase(CorvPath::Join(projectFolder, kProfileCopyName));
    if (!QFileInfo(copy).isFile())
        return;
    FreeInternationalProfile();
    if (auto profile = InternationalProfileFromXML::ReadFile(copy))
        SetInternationalProfile(std::move(profile));
    else
        Prompt().Error(QStringLiteral("Unable to read International Profile sundry text"));
}

CCorvPage *CCorvessaDoc::FindScreenByNumber(int number) const
{
    const auto match = [number](const CCorvPage &s) { return s.GetId() == number; };
    if (CCorvPage *s = FindIn(MainScreenList, match))
        return s;
    if (CCorvPage *s = FindIn(PopupScreenList, match))
        return s;
    return FindIn(GlossaryScreenList, match);
}

CCorvPage *CCorvessaDoc::FindMainScreenByNumber(int number) const
{
    return FindIn(MainScreenList, [number](const CCorvPage &s) { return s.GetId() == number; });
}

CCorvPage *CCorvessaDoc::FindMainScreenByLabel(const QString &label) const
{
    return FindIn(MainScreenList, [&](const CCorvPage &s) { return s.GetLabel() == label; });
}

CCorvPage *CCorvessaDoc::FindScreenByLabel(const QString &label) const
{
    const auto match = [&](const CCorvPage &s) { return s.GetLabel() == label; };
    if (label.startsWith(u'P') || label == QLatin1String("1000"))
        return FindIn(PopupScreenList, match);
    if (label.startsWith(u'G') || label == QLatin1String("9000"))
        return FindIn(GlossaryScreenList, match);
    return FindIn(MainScreenList, match);
}

CCorvPage *CCorvessaDoc::FindGlossaryScreenByPublishId(const QString &publishId) const
{
    return FindIn(GlossaryScreenList, [&](const CCorvPage &s) { return s.GetPublishId() == publishId; });
}

bool CCorvessaDoc::HasGlossaryScreen(const QString &publishId) const
{
    return FindGlossaryScreenByPublishId(publishId) != nullptr;
}

bool CCorvessaDoc::ContainsScreen(const CCorvPage *screen, bool popups) const
{
    return Holds(popups ? PopupScreenList : MainScreenList, screen);
}

bool CCorvessaDoc::IsGlossaryScreen(const CCorvPage *screen) const { return Holds(GlossaryScreenList, screen); }

void CCorvessaDoc::ClearTopics() { Topics.clear(); }

void CCorvessaDoc::ClearGlossaryDocuments() { GlossaryDocuments.clear(); }

void CCorvessaDoc::ForgetFolderPointersInto(const ScreenList &list)
{
    for (CCorvPage **folder : {&FinalPerformanceFolder, &PopupsFolder, &GlossaryFolder})
        if (Holds(list, *folder))
            *folder = nullptr;
}

void CCorvessaDoc::ClearMainScreens()
{
    ForgetFolderPointersInto(MainScreenList);
    MainScreenList.clear();
}

void CCorvessaDoc::ClearPopupScreens()
{
    ForgetFolderPointersInto(PopupScreenList);
    PopupScreenList.clear();
}

void CCorvessaDoc::ClearGlossaryScreens()
{
    ForgetFolderPointersInto(GlossaryScreenList);
    GlossaryScreenList.clear();
}

CCorvPage *CCorvessaDoc::AddScreen(std::unique_ptr<CCorvPage> screen, CCorvPage *after, bool popup, bool glossary)
{
    ScreenList &list = popup ? PopupScreenList : glossary ? GlossaryScreenList : MainScreenList;
    CCorvPage *added = screen.get();
    const auto at =
        std::find_if(list.begin(), list.end(), [after](const auto &s) { return after && s.get() == after; });
    list.insert(at == list.end() ? list.end() : at + 1, std::move(screen));
    return added;
}

std::unique_ptr<CCorvPage> CCorvessaDoc::RemoveFrom(ScreenList &list, CCorvPage *screen, bool deleteScreen)
{
    if (!screen)
        return nullptr;
    screen->LeaveCanvas();
    const auto at = std::find_if(list.begin(), list.end(), [screen](const auto &s) { return s.get() == screen; });
    if (at == list.end())
        return nullptr;
    for (CCorvPage **folder : {&FinalPerformanceFolder, &PopupsFolder, &GlossaryFolder})
        if (*folder == screen)
            *folder = nullptr;
    std::unique_ptr<CCorvPage> taken = std::move(*at);
    list.erase(at);
    if (deleteScreen)
        taken.reset();
    return taken;
}

std::unique_ptr<CCorvPage> CCorvessaDoc::RemoveScreen(CCorvPage *screen, bool deleteScreen)
{
    return RemoveFrom(MainScreenList, screen, deleteScreen);
}

std::unique_ptr<CCorvPage> CCorvessaDoc::RemovePopupScreen(CCorvPage *screen, bool deleteScreen)
{
    return RemoveFrom(PopupScreenList, screen, deleteScreen);
}

std::unique_ptr<CCorvPage> CCorvessaDoc::RemoveGlossaryScreen(CCorvPage *screen, bool deleteScreen)
{
    return RemoveFrom(GlossaryScreenList, screen, deleteScreen);
}

void CCorvessaDoc::CheckLinks(CCorvPage *screen)
{
    if (screen) {
        screen->CheckLinks(*this, 0, Prompt());
        return;
    }
    for (const auto &page : MainScreenList)
        page->CheckLinks(*this, 0, Prompt());
}

bool CCorvessaDoc::AddGlossaryItem(const QString &term, const QString &definition)
{
    for (CDocumentObserver *observer : std::vector<CDocumentObserver *>(m_observers))
        if (observer->AddGlossaryItem(*this, term, definition))
            return true;
    return false;
}

bool CCorvessaDoc::LoadRtfIntoRichEdit(const QString &path, CRichText *text)
{
    if (path.isEmpty() || !text)
        return false;
    QFile file(CorvPath::ResolveNoCase(CorvPath::ToSlashes(path)));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return false;
    text->SetRtfBytes(bytes);
    return true;
}

QString CCorvessaDoc::GetPlaceholderImagePath(int sizePreset) const
{
    const char *name = sizePreset == 0 ? "tmp_small.png" : sizePreset == 2 ? "tmp_large.png" : "tmp_medium.png";
    return CorvPath::Join(m_context.programFolder, QString::fromLatin1(name));
}

void CCorvessaDoc::SetInternationalProfile(std::unique_ptr<CLoadedProfile> profile)
{
    m_internationalProfile = std::move(profile);
}

void CCorvessaDoc::FreeInternationalProfile() { m_internationalProfile.reset(); }

void CCorvessaDoc::ResetInternationalProfile()
{
    FreeInternationalProfile();
    InternationalProfileFilename = CorvPath::Join(m_context.programFolder, QStringLiteral("kv_profile.kvp"));
}
