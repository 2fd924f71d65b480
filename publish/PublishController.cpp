#include "publish/PublishController.h"

#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "publish/CoursePublisher.h"
#include "publish/PublishText.h"
#include "publish/ScreenPreview.h"

#include <QFileInfo>

namespace {

// The folder made beside the project for each kind, after the project's title.
const char *const kSuffixes[] = {
    " Published files/Standalone",
    " Published files/Lan-based database",
    " Published files/Web-based database",
    " Published files/LMS",
};

constexpr int kMissingFolderMessage = 61482;
constexpr int kDensityMessage = 35056;
constexpr int kAspDoneMessage = 35009;
constexpr int kNoLessonMessage = 25030;

// The project file's name without its extension.
QString ProjectTitle(const QString &path)
{
    QString title;
    GetFileNameFromPath(path, title, false);
    return title;
}

// Puts a value back when the scope ends, however it ends.
template <typename T>
class RestoreOnExit
{
public:
    explicit RestoreOnExit(T &value) : m_value(value), m_saved(value) {}
    ~RestoreOnExit() { m_value = m_saved; }
    RestoreOnExit(const RestoreOnExit &) = delete;
    RestoreOnExit &operator=(const RestoreOnExit &) = delete;

private:
    T &m_value;
    T m_saved;
};

// Tells the window that work runs for as long as the scope lasts, however it ends.
class BusyScope
{
public:
    explicit BusyScope(const std::function<void(bool)> &busy) : m_busy(busy)
    {
        if (m_busy)
            m_busy(true);
    }
    ~BusyScope()
    {
        if (m_busy)
            m_busy(false);
    }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    const std::function<void(bool)> &m_busy;
};

} // namespace

CPublishController::CPublishController(CCorvessaDoc &document, const COutlineTree *courseTree, Services services)
    : m_document(document), m_courseTree(courseTree), m_services(std::move(services))
{
}

bool CPublishController::TooFewQuestions() const
{
    if (m_document.Settings().WarnInteractTooLow != 1)
        return false;
    int content = 0;
    int questions = 0;
    for (const auto &screen : m_document.MainScreens()) {
        content += screen->GetPageType() == pt_document;
        questions += screen->GetPageType() == pt_question;
    }
    const int ratio = questions == 0 ? content : content / questions;
    return ratio > m_document.Settings().ContentScreenCount;
}

QString CPublishController::OutputFolder(Kind kind) const
{
    const QString path = CorvPath::ToSlashes(m_document.GetPathName());
    const QString title = ProjectTitle(path);
    const QString custom = CorvPath::ToSlashes(m_document.Settings().OutputFolder[kind]);
    if (m_document.Settings().UseDefaultOutputFolder[kind] == 1 || custom.isEmpty())
        return CorvPath::FolderOf(path) + u'/' + title + QString::fromLatin1(kSuffixes[kind]);
    if (!QFileInfo(custom).isDir()) {
        m_document.Prompt().Error(CStringTable::Load(kMissingFolderMessage));
        return {};
    }
    // A custom standalone folder holds the course's own folder; the other kinds publish into it directly.
    if (kind == Standalone)
        return CorvPath::Join(custom, title + QString::fromLatin1(kSuffixes[kind]));
    return custom;
}

QString CPublishController::ProjectPrefix() const
{
    QString prefix = ProjectTitle(m_document.GetPathName());
    SanitizeProjectPrefix(prefix);
    return prefix;
}

bool CPublishController::Prepare()
{
    CPrompt &prompt = m_document.Prompt();
    for (const auto &screen : m_document.MainScreens())
        screen->CheckLinks(m_document, 0, prompt);
    if (m_nestedWebRun)
        return true;
    if (TooFewQuestions() && prompt.YesNo(CStringTable::Load(kDensityMessage).arg(m_document.Settings().ContentScreenCount)))
        return false;
    return m_services.saveProject && m_services.saveProject();
}

bool CPublishController::RunDriver(Driver driver, const QString &folder, int lessonMode, const QString &webFolder)
{
    CCoursePublisher publisher(m_document, folder, ProjectPrefix(), m_courseTree);
    publisher.SetSpecialCharacters(m_specialCharacters);
    switch (driver) {
    case DriveStandalone: publisher.PublishStandalone(); break;
    case DriveLan: publisher.PublishLanDatabase(); break;
    case DriveWebAsp: return publisher.PublishWebDatabaseAsp(lessonMode).Ok();
    case DriveWebPhp: publisher.PublishWebDatabasePhp(); break;
    case DriveLms: publisher.PublishLms(); break;
    case DriveLessonFolder: publisher.PublishLessonFolder(webFolder); break;
    }
    return true;
}

bool CPublishController::Run(Driver driver, const QString &folder, int lessonMode, const QString &webFolder)
{
    const BusyScope busy(m_services.busy);
    return RunDriver(driver, folder, lessonMode, webFolder);
}

bool CPublishController::PublishWeb(int lessonMode)
{
    if (!Prepare())
        return false;
    const QString folder = OutputFolder(Web);
    m_lastWebFolder = folder;
    if (folder.isEmpty())
        return false;
    bool published = true;
    if (m_document.Settings().UseASP == 1) {
        published = Run(DriveWebAsp, folder, lessonMode);
        if (published && !m_nestedWebRun)
            m_document.Prompt().Information(CStringTable::Load(kAspDoneMessage).arg(folder));
    } else {
        Run(DriveWebPhp, folder);
    }
    m_published[Web] = folder;
    return published;
}

void CPublishController::PublishLms(const QString &folder)
{
    if (m_document.Settings().UseOstrelle != 1) {
        Run(DriveLms, folder);
        return;
    }
    // The lesson is made from a web-database course with ASP pages, published first without a second
    // warning or save; the author's choice of pages comes back however that run ends.
    bool webPublished = false;
    {
        const RestoreOnExit<int32_t> keepAsp(m_document.MutableSettings().UseASP);
        const RestoreOnExit<bool> keepNested(m_nestedWebRun);
        m_document.MutableSettings().UseASP = 1;
        m_nestedWebRun = true;
        webPublished = PublishWeb(1);
    }
    // Without the web course the lesson would be copied from nowhere.
    if (!webPublished || m_lastWebFolder.isEmpty()) {
        m_document.Prompt().Error(CStringTable::Load(kNoLessonMessage));
        return;
    }
    Run(DriveLessonFolder, folder, 0, m_lastWebFolder);
}

void CPublishController::Publish(Kind kind)
{
    if (kind == Web) {
        PublishWeb(0);
        m_enabled[Web] = true;
        return;
    }
    if (!Prepare())
        return;
    const QString folder = OutputFolder(kind);
    if (folder.isEmpty())
        return;
    switch (kind) {
    case Standalone: Run(DriveStandalone, folder); break;
    case Lan: Run(DriveLan, folder); break;
    case Lms: PublishLms(folder); break;
    case Web: break;
    }
    // The drivers tell the author how it went; the folder is worth opening either way.
    m_published[kind] = folder;
    m_enabled[kind] = true;
}

QString CPublishController::FolderToOpen(Kind kind) const
{
    const QString folder = m_published[kind];
    if (kind != Lms)
        return folder;
    const int slash = folder.lastIndexOf(u'/');
    const QString parent = slash > 0 ? folder.left(slash) : folder;
    if (m_document.Settings().UseOstrelle == 1)
        return parent + u'/' + m_document.Settings().OstrelleLessonFolder;
    // The package lies beside the folder it was made from.
    return m_document.Settings().CreateZip != 0 && slash > 0 ? parent : folder;
}

void CPublishController::OpenPublishedFolder(Kind kind)
{
    if (m_enabled[kind] && m_services.open)
        m_services.open(FolderToOpen(kind));
}

QString CPublishController::PreviewPage() const
{
    return m_published[Standalone].isEmpty() ? QString() : m_published[Standalone] + QStringLiteral("/index.htm");
}

void CPublishController::PreviewPublished()
{
    const QString page = PreviewPage();
    if (!page.isEmpty() && m_services.openInBrowser)
        m_services.openInBrowser(page);
}

bool CPublishController::RunPreview(CCorvPage &screen)
{
    CCoursePublisher publisher(m_document, CScreenPreview::PreviewFolderOf(m_document.GetContext()), ProjectPrefix(),
                               m_courseTree);
    publisher.SetSpecialCharacters(m_specialCharacters);
    CScreenPreview preview(publisher, m_services.tempFolder, m_services.openInBrowser);
    return preview.PreviewScreen(screen);
}

bool CPublishController::PreviewScreen(CCorvPage *screen)
{
    if (!screen)
        return false;
    const BusyScope busy(m_services.busy);
    // The screen alone is published: links to screens that are gone would lead nowhere.
    m_document.CheckLinks(screen);
    return RunPreview(*screen);
}
