#include "document/CorvessaDoc.h"

#include "document/DocumentObserver.h"
#include "document/LoadedProfile.h"
#include "document/ProjectArchive.h"
#include "model/CorvPage.h"
#include "model/Topic.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// Numbered message texts of the document.
constexpr int kIdsNotAProjectFile = 40100;
constexpr int kIdsCannotOpenFile = 40101;
constexpr int kIdsCannotSaveProject = 40102;
constexpr int kIdsProjectReadInPart = 40103;

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
    : m_context(context), m_clock(clock ? std::move(clock) : Clock(&SystemNow))
{
    ApplyDefaults(true, Now(), m_context.programFolder);
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

void CCorvessaDoc::UpdateAllViews()
{
    for (CDocumentObserver *observer : std::vector<CDocumentObserver *>(m_observers))
        observer->OnUpdate(*this);
}

void CCorvessaDoc::ResetToNewProjectSettings()
{
    ApplyDefaults(false, Now(), m_context.programFolder);
    if (m_userStores)
        m_userStores(*this);
}

bool CCorvessaDoc::OnNewDocument()
{
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
    UpdateAllViews();
    if (m_firstNewDocument) {
        m_firstNewDocument = false;
        m_modified = false;
    } else {
        m_modified = true;
    }
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

    LoadFrom(bytes, path);
    m_pathName = path;
    m_modified = true;
    for (CDocumentObserver *observer : std::vector<CDocumentObserver *>(m_observers))
        observer->OnDocumentOpened(*this);
    UpdateAllViews();
    return true;
}

bool CCorvessaDoc::OnSaveDocument(const QString &path)
{
    for (CDocumentObserver *observer : std::vector<CDocumentObserver *>(m_observers))
        observer->AboutToSave(*this);
    CProjectArchive::CreateProjectFolders(ProjectFolderOf(path), Prompt());
    CArchive ar;
    ar.SetFilePath(path);
    ar.SetContext(&m_context);
    Serialize(ar);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ar.GetBuffer()) != ar.GetBuffer().size() || !file.commit()) {
        Prompt().Error(CStringTable::Load(kIdsCannotSaveProject).arg(path, file.errorString()));
        return false;
    }
    m_pathName = path;
    m_modified = false;
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

void CCorvessaDoc::LoadFrom(const QByteArray &bytes, const QString &path)
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
    // A component of a kind or code this program cannot read is no sign of a wrong layout: a second pass
    // with the widened gates of old files would only read the file out of step. Other errors get that pass.
    if (failure && failure->GetCause() != CArchiveException::badSchema) {
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
    // What was read is kept, but the author must know before a save replaces the file with it.
    if (failure)
        Prompt().Warning(CStringTable::Load(kIdsProjectReadInPart).arg(path, failure->GetText()));
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
