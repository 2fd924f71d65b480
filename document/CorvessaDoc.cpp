#include "document/CorvessaDoc.h"

#include "document/DocumentObserver.h"
#include "document/LoadedProfile.h"
#include "document/SettingsFile.h"
#include "document/UserSettingsStore.h"
#include "model/CorvPage.h"
#include "model/Topic.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/richtext/RichText.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

const QString kUntitled = QStringLiteral("Untitled");

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
    m_settings.ApplyDefaults(true, Now(), m_context.programFolder);
    if (!m_context.appDataFolder.isEmpty()) {
        AutoBackupSettings.Load(CAutoBackupSetting::DefaultPath(m_context));
        m_userStores = [](CCorvessaDoc &doc) { CUserSettingsStore(doc.m_context.appDataFolder).Apply(doc.m_settings); };
    }
}

void CCorvessaDoc::SetPathName(const QString &path)
{
    m_pathName = path;
    if (!path.isEmpty())
        m_title = QFileInfo(path).completeBaseName();
}

CStatus CCorvessaDoc::SaveDefaultSettingsFile(const QString &path) const
{
    if (!CSettingsFile::Save(path, m_settings))
        return CFailure(QStringLiteral("The settings file %1 could not be written.").arg(path));
    return {};
}

CStatus CCorvessaDoc::LoadDefaultSettingsFile(const QString &path)
{
    if (CSettingsFile::Load(path, m_settings) == CSettingsFile::LoadResult::notOpened)
        return CFailure(QStringLiteral("The settings file %1 could not be read.").arg(path));
    return {};
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
    m_settings.ApplyDefaults(false, Now(), m_context.programFolder);
    if (m_userStores)
        m_userStores(*this);
}

bool CCorvessaDoc::ApplySettings(const CCourseSettings &settings)
{
    if (settings == m_settings)
        return false;
    m_settings = settings;
    SetModifiedFlag(true);
    UpdateAllViews();
    return true;
}

CStatus CCorvessaDoc::OnNewDocument()
{
    m_pathName.clear();
    m_title = kUntitled;
    ResetToNewProjectSettings();
    m_nextScreenNumber = 0;
    m_nextTextBoxNumber = 1;
    m_importPending = 1;
    m_finalPerformanceFolder = nullptr;
    // A new course starts from the profile its settings name.
    FreeInternationalProfile();
    // A new course always starts with the built-in categories, whatever a store held.
    m_settings.PriorityCategories.clear();
    m_settings.GraphicsCategories =
        FindCourseSetting(&CCourseSettings::GraphicsCategories)->DefaultValue(Now(), m_context.programFolder).toStringList();
    ClearTopics();
    ClearGlossaryDocuments();
    ClearMainScreens();
    ClearPopupScreens();
    ClearGlossaryScreens();
    NotifyObservers([this](CDocumentObserver &observer) { observer.OnNewProject(*this); });
    UpdateAllViews();
    SetModifiedFlag(false);
    return {};
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

void CCorvessaDoc::SwapContent(Content &state)
{
    std::swap(m_settings, state.settings);
    std::swap(m_topics, state.topics);
    std::swap(m_glossaryDocuments, state.glossaryDocuments);
    std::swap(m_mainScreens, state.main);
    std::swap(m_popupScreens, state.popups);
    std::swap(m_glossaryScreens, state.glossary);
    std::swap(m_finalPerformanceFolder, state.finalPerformance);
    std::swap(m_popupsFolder, state.popupsFolder);
    std::swap(m_glossaryFolder, state.glossaryFolder);
    std::swap(m_fileSchema, state.fileSchema);
    std::swap(m_nextScreenNumber, state.nextScreenNumber);
    std::swap(m_nextTextBoxNumber, state.nextTextBoxNumber);
    std::swap(m_importPending, state.importPending);
}

void CCorvessaDoc::RaiseNextScreenNumber()
{
    // A file without screen numbers, or a damaged one, can leave the counter at a number a screen has:
    // the next new screen would share it.
    int highest = -1;
    for (const ScreenList *list : {&m_mainScreens, &m_popupScreens, &m_glossaryScreens})
        for (const auto &screen : *list)
            highest = std::max(highest, screen->GetId());
    if (highest < INT_MAX && m_nextScreenNumber <= highest)
        m_nextScreenNumber = highest + 1;
}

CCorvPage *CCorvessaDoc::FindScreenByNumber(int number) const
{
    const auto match = [number](const CCorvPage &s) { return s.GetId() == number; };
    if (CCorvPage *s = FindIn(m_mainScreens, match))
        return s;
    if (CCorvPage *s = FindIn(m_popupScreens, match))
        return s;
    return FindIn(m_glossaryScreens, match);
}

CCorvPage *CCorvessaDoc::FindMainScreenByNumber(int number) const
{
    return FindIn(m_mainScreens, [number](const CCorvPage &s) { return s.GetId() == number; });
}

CCorvPage *CCorvessaDoc::FindMainScreenByLabel(const QString &label) const
{
    return FindIn(m_mainScreens, [&](const CCorvPage &s) { return s.GetLabel() == label; });
}

CCorvPage *CCorvessaDoc::FindScreenByLabel(const QString &label) const
{
    const auto match = [&](const CCorvPage &s) { return s.GetLabel() == label; };
    if (label.startsWith(u'P') || label == QLatin1String("1000"))
        return FindIn(m_popupScreens, match);
    if (label.startsWith(u'G') || label == QLatin1String("9000"))
        return FindIn(m_glossaryScreens, match);
    return FindIn(m_mainScreens, match);
}

CCorvPage *CCorvessaDoc::FindGlossaryScreenByPublishId(const QString &publishId) const
{
    return FindIn(m_glossaryScreens, [&](const CCorvPage &s) { return s.GetPublishId() == publishId; });
}

bool CCorvessaDoc::HasGlossaryScreen(const QString &publishId) const
{
    return FindGlossaryScreenByPublishId(publishId) != nullptr;
}

bool CCorvessaDoc::ContainsScreen(const CCorvPage *screen, bool popups) const
{
    return Holds(popups ? m_popupScreens : m_mainScreens, screen);
}

bool CCorvessaDoc::IsGlossaryScreen(const CCorvPage *screen) const { return Holds(m_glossaryScreens, screen); }

void CCorvessaDoc::ClearTopics() { m_topics.clear(); }

void CCorvessaDoc::AddTopic(std::unique_ptr<CTopic> topic) { m_topics.push_back(std::move(topic)); }

void CCorvessaDoc::ClearGlossaryDocuments() { m_glossaryDocuments.clear(); }

void CCorvessaDoc::ForgetFolderPointersInto(const ScreenList &list)
{
    for (CCorvPage **folder : {&m_finalPerformanceFolder, &m_popupsFolder, &m_glossaryFolder})
        if (Holds(list, *folder))
            *folder = nullptr;
}

void CCorvessaDoc::ClearMainScreens()
{
    ForgetFolderPointersInto(m_mainScreens);
    m_mainScreens.clear();
}

void CCorvessaDoc::ClearPopupScreens()
{
    ForgetFolderPointersInto(m_popupScreens);
    m_popupScreens.clear();
}

void CCorvessaDoc::ClearGlossaryScreens()
{
    ForgetFolderPointersInto(m_glossaryScreens);
    m_glossaryScreens.clear();
}

CCorvPage *CCorvessaDoc::AddScreen(std::unique_ptr<CCorvPage> screen, CCorvPage *after, bool popup, bool glossary)
{
    ScreenList &list = popup ? m_popupScreens : glossary ? m_glossaryScreens : m_mainScreens;
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
    for (CCorvPage **folder : {&m_finalPerformanceFolder, &m_popupsFolder, &m_glossaryFolder})
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
    return RemoveFrom(m_mainScreens, screen, deleteScreen);
}

std::unique_ptr<CCorvPage> CCorvessaDoc::RemovePopupScreen(CCorvPage *screen, bool deleteScreen)
{
    return RemoveFrom(m_popupScreens, screen, deleteScreen);
}

std::unique_ptr<CCorvPage> CCorvessaDoc::RemoveGlossaryScreen(CCorvPage *screen, bool deleteScreen)
{
    return RemoveFrom(m_glossaryScreens, screen, deleteScreen);
}

void CCorvessaDoc::CheckLinks(CCorvPage *screen)
{
    if (screen) {
        screen->CheckLinks(*this, 0, Prompt());
        return;
    }
    for (const auto &page : m_mainScreens)
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
    m_settings.InternationalProfileFilename = CorvPath::Join(m_context.programFolder, QStringLiteral("kv_profile.kvp"));
}
