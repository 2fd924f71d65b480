#include "publish/CoursePublisher.h"

#include "document/CorvessaDoc.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "publish/GlossaryScript.h"
#include "publish/InternationalScript.h"
#include "publish/LessonFolder.h"
#include "publish/LinkScripts.h"
#include "publish/LmsPackage.h"
#include "publish/NamedMediaCheck.h"
#include "publish/OptionsScript.h"
#include "publish/OutlinePage.h"
#include "publish/OutputFolder.h"
#include "publish/OutputTree.h"
#include "publish/PackageZip.h"
#include "publish/PagesScript.h"
#include "publish/ScreenFiles.h"
#include "publish/ServerConfigFiles.h"
#include "publish/TemplateExpander.h"
#include "publish/TemplatePages.h"

#include <iterator>
#include <vector>

namespace {

constexpr int kNoScreenToPublish = 35057;
constexpr int kPublishCompleted = 35009;
constexpr int kPublishFailed = 35061;

struct StepInfo {
    PublishStep step;
    const char *name;
    // Whether the driver reads the step's result; the others run whatever happened and report nothing.
    bool resultRead;
};

constexpr StepInfo kSteps[] = {
    {PublishStep::BuildTargetDirectoryAndSubDirectories, "BuildTargetDirectoryAndSubDirectories", true},
    {PublishStep::CopySourceFiles2Target, "CopySourceFiles2Target", true},
    {PublishStep::CreateKqConfigFile, "CreateKqConfigFile", true},
    {PublishStep::CreateIndexWebPage, "CreateIndexWebPage", true},
    {PublishStep::ProcessSourceFiles, "ProcessSourceFiles", false},
    {PublishStep::CreateKvxCss, "CreateKvxCss", true},
    {PublishStep::BuildPagesJS, "BuildPagesJS", true},
    {PublishStep::CreatePrefsJS, "CreatePrefsJS", true},
    {PublishStep::WriteInternationalisationVariables, "WriteInternationalisationVariables", true},
    {PublishStep::WriteGlossaryItems, "WriteGlossaryItems", true},
    {PublishStep::BuildContents, "BuildContents", true},
    {PublishStep::CreateConfigAsp, "CreateConfigAsp", true},
    {PublishStep::BuildOutline, "BuildOutline", false},
    {PublishStep::CreateManifestXML, "CreateManifestXML", true},
    {PublishStep::CreateMetadataManifestXML, "CreateMetadataManifestXML", true},
    {PublishStep::StripAutoOpenFiles, "StripAutoOpenFiles", false},
    // A package that could not be made is a failed publish, not a success.
    {PublishStep::ZipPublishedFolder, "ZipPublishedFolder", true},
};

constexpr bool StepsInOrder()
{
    for (std::size_t i = 0; i < std::size(kSteps); ++i)
        if (std::size_t(kSteps[i].step) != i)
            return false;
    return true;
}
static_assert(StepsInOrder(), "the step table follows the order of PublishStep");

const StepInfo &Info(PublishStep step) { return kSteps[int(step)]; }

QString StepFailureText(PublishStep step)
{
    return QStringLiteral("Fail while publishing.\nError occurs at %1.").arg(QString::fromLatin1(Info(step).name));
}

// When a step of a driver runs.
enum class Gate {
    WhileSucceeding,      // only while every earlier step succeeded
    Always,               // whatever happened before
    WhileSucceedingInPlace, // as WhileSucceeding, when the LMS opens the course in its own window
    AlwaysInNewWindow,    // whatever happened, when the LMS opens the course in a new window
    WhileSucceedingZip,   // as WhileSucceeding, when the course setting asks for a package
};

struct PlannedStep {
    PublishStep step;
    Gate gate = Gate::WhileSucceeding;
};

using S = PublishStep;

const std::vector<PlannedStep> kStandaloneSteps = {
    {S::CopySourceFiles2Target}, {S::CreateIndexWebPage},  {S::ProcessSourceFiles, Gate::Always},
    {S::CreateKvxCss},           {S::BuildPagesJS},        {S::CreatePrefsJS},
    {S::WriteInternationalisationVariables}, {S::WriteGlossaryItems}, {S::BuildContents},
    {S::BuildOutline, Gate::Always},
};

const std::vector<PlannedStep> kAspSteps = {
    {S::CopySourceFiles2Target}, {S::CreateIndexWebPage},  {S::ProcessSourceFiles, Gate::Always},
    {S::CreateKvxCss},           {S::BuildPagesJS},        {S::CreatePrefsJS},
    {S::WriteInternationalisationVariables}, {S::WriteGlossaryItems}, {S::BuildContents},
    {S::CreateConfigAsp},        {S::BuildOutline, Gate::Always},
};

const std::vector<PlannedStep> kPhpSteps = {
    {S::CopySourceFiles2Target}, {S::CreateKqConfigFile},  {S::CreateIndexWebPage},
    {S::ProcessSourceFiles, Gate::Always}, {S::CreateKvxCss}, {S::BuildPagesJS}, {S::CreatePrefsJS},
    {S::WriteInternationalisationVariables}, {S::WriteGlossaryItems}, {S::BuildContents},
    {S::BuildOutline, Gate::Always},
};

const std::vector<PlannedStep> kLmsSteps = {
    {S::CopySourceFiles2Target}, {S::CreateIndexWebPage, Gate::WhileSucceedingInPlace},
    {S::ProcessSourceFiles, Gate::Always}, {S::CreateKvxCss}, {S::BuildPagesJS}, {S::CreatePrefsJS},
    {S::WriteInternationalisationVariables}, {S::WriteGlossaryItems}, {S::BuildContents},
    {S::BuildOutline, Gate::Always}, {S::CreateManifestXML}, {S::CreateMetadataManifestXML},
    {S::StripAutoOpenFiles, Gate::AlwaysInNewWindow}, {S::ZipPublishedFolder, Gate::WhileSucceedingZip},
};

} // namespace

// What sets the drivers apart: their steps and what each tells the author.
struct CCoursePublisher::DriverPlan {
    PublishTarget target;
    const std::vector<PlannedStep> &steps;
    bool messageWhenDeclined;   // the author declined emptying the folder
    bool messageWhenTreeFailed; // the folder tree could not be made
    bool reportsCompletion;     // 35009 after full success
    bool reportsFailure;        // 35061 with the system's text after a failed step
    bool showsProgress;
};

QString PublishStepName(PublishStep step) { return QString::fromLatin1(Info(step).name); }

CCoursePublisher::CCoursePublisher(const CCorvessaDoc &document, const QString &targetFolder,
                                   const QString &projectPrefix, const COutlineTree *courseTree)
    : m_context(document, targetFolder, projectPrefix, courseTree),
      m_expander(std::make_unique<CTemplateExpander>(m_context))
{
}

CCoursePublisher::~CCoursePublisher() = default;

CStatus CCoursePublisher::PublishStandalone()
{
    static const DriverPlan plan{PublishTargetStandalone, kStandaloneSteps, true, false, true, true, true};
    return RunDriver(plan, 0);
}

CStatus CCoursePublisher::PublishLanDatabase()
{
    static const DriverPlan plan{PublishTargetLan, kStandaloneSteps, false, true, true, false, false};
    return RunDriver(plan, 0);
}

CStatus CCoursePublisher::PublishWebDatabaseAsp(int lessonMode)
{
    static const DriverPlan plan{PublishTargetWeb, kAspSteps, false, true, false, false, false};
    return RunDriver(plan, lessonMode);
}

CStatus CCoursePublisher::PublishWebDatabasePhp()
{
    static const DriverPlan plan{PublishTargetWeb, kPhpSteps, true, false, true, false, false};
    return RunDriver(plan, 0);
}

CStatus CCoursePublisher::PublishLms()
{
    static const DriverPlan plan{PublishTargetLms, kLmsSteps, false, true, true, false, false};
    return RunDriver(plan, 0);
}

CStatus CCoursePublisher::RunDriver(const DriverPlan &plan, int lessonMode)
{
    // Each folder of the output is checked for links once, not again for every file written into it.
    const CorvOutputFolder::FolderCheckScope folderChecks;
    const CCorvessaDoc &document = m_context.GetDocument();
    const CCourseSettings &settings = m_context.Settings();
    CPrompt &prompt = m_context.Prompt();
    if (IsCourseTreeEmpty()) {
        prompt.Information(CStringTable::Load(kNoScreenToPublish));
        return CFailure(CStringTable::Load(kNoScreenToPublish));
    }
    m_context.SetTarget(plan.target);
    m_context.ClearErrors();
    m_context.GetCourseTree()->NumberPublishIds(document.PopupScreens(), document.GlossaryScreens());

    CProgress &progress = m_context.GetContext().Progress();
    if (plan.showsProgress) {
        progress.SetRange(0, 12);
        progress.SetText(PublishStepName(S::BuildTargetDirectoryAndSubDirectories));
    }
    const int tree = RunStep(S::BuildTargetDirectoryAndSubDirectories, 1);
    // A folder that may not be emptied (it holds the project, the program or the home folder) ends the publish
    // with the refusal the author has just read: nothing is written there and no second message follows.
    if (tree == COutputTree::kRefused)
        return CFailure(QStringLiteral("The folder %1 cannot be emptied for publishing.").arg(m_context.GetTargetFolder()));
    if (tree < 0) {
        if (plan.messageWhenDeclined)
            ReportStepFailure(S::BuildTargetDirectoryAndSubDirectories);
        return CFailure(StepFailureText(S::BuildTargetDirectoryAndSubDirectories));
    }
    bool succeeding = tree == 1;
    // The step that stopped the publish, in the words the author is shown.
    QString failedStep;
    if (!succeeding) {
        failedStep = StepFailureText(S::BuildTargetDirectoryAndSubDirectories);
        if (plan.messageWhenTreeFailed)
            ReportStepFailure(S::BuildTargetDirectoryAndSubDirectories);
    }

    const bool newWindow = settings.LmsOpensNewWindow == 1;
    for (const PlannedStep &planned : plan.steps) {
        if (plan.showsProgress) {
            progress.StepIt();
            if (planned.step != S::BuildOutline)
                progress.SetText(PublishStepName(planned.step));
        }
        bool runs = false;
        switch (planned.gate) {
        case Gate::WhileSucceeding: runs = succeeding; break;
        case Gate::Always: runs = true; break;
        case Gate::WhileSucceedingInPlace: runs = succeeding && !newWindow; break;
        case Gate::AlwaysInNewWindow: runs = newWindow; break;
        case Gate::WhileSucceedingZip: runs = succeeding && settings.CreateZip == 1; break;
        }
        if (!runs)
            continue;
        const int result = RunStep(planned.step, lessonMode);
        if (Info(planned.step).resultRead && result != 1 && succeeding) {
            ReportStepFailure(planned.step);
            failedStep = StepFailureText(planned.step);
            succeeding = false;
        }
    }

    // A screen that names a file the output lacks (a clip or picture missing from the project) is no
    // complete course: the author hears of every such file at once, and of no success.
    const QString &folder = m_context.GetTargetFolder();
    const QStringList missing = succeeding && !m_context.GetPreviewFlag()
        ? CorvNamedMediaCheck::MissingFiles(folder, m_context.GetProjectPrefix()) : QStringList();
    // Every failure the steps met, one a line; the system's last error when they said nothing.
    QString reasons = m_context.ErrorText();
    // Steps that went on past a failure (a media template the program folder lacks, a page they could not
    // write) leave a publish that otherwise succeeded: the author hears of each in one message.
    if (succeeding && !reasons.isEmpty())
        prompt.Error(reasons);
    if (reasons.isEmpty() && !succeeding)
        ::GetLastErrorText(reasons);
    if (!missing.isEmpty()) {
        const QString text = QStringLiteral("Publish has completed with missing files to:\n\n%1\n\nThe course's screens "
                                            "name these files, which the project lacks:\n\n%2")
                                 .arg(folder, missing.join(u'\n'));
        prompt.Warning(text);
        return CFailure(text);
    }
    if (succeeding) {
        if (plan.reportsCompletion)
            prompt.Information(CStringTable::Load(kPublishCompleted).arg(folder));
        return {};
    }
    if (plan.reportsFailure)
        prompt.Error(CStringTable::Load(kPublishFailed) + u'\n' + reasons);
    return CFailure(reasons.isEmpty() ? failedStep : failedStep + u'\n' + reasons);
}

void CCoursePublisher::ReportStepFailure(PublishStep step) { m_context.Prompt().Warning(StepFailureText(step)); }

int CCoursePublisher::RunStep(PublishStep step, int lessonMode)
{
    switch (step) {
    case S::BuildTargetDirectoryAndSubDirectories:
        return BuildTargetDirectoryAndSubDirectories(m_context.GetTargetFolder(), 1);
    case S::CopySourceFiles2Target: return CopySourceFiles2Target(lessonMode);
    case S::CreateKqConfigFile: return CreateKqConfigFile();
    case S::CreateIndexWebPage: return CreateIndexWebPage();
    case S::ProcessSourceFiles: ProcessSourceFiles(); return 1;
    case S::CreateKvxCss: return CreateKvxCss();
    case S::BuildPagesJS: return BuildPagesJS();
    case S::CreatePrefsJS: return CreatePrefsJS(lessonMode);
    case S::WriteInternationalisationVariables: return WriteInternationalisationVariables();
    case S::WriteGlossaryItems: return WriteGlossaryItems();
    case S::BuildContents: return BuildContents();
    case S::CreateConfigAsp: return CreateConfigAsp();
    case S::BuildOutline: BuildOutline(); return 1;
    case S::CreateManifestXML: return CreateManifestXML();
    case S::CreateMetadataManifestXML: return CreateMetadataManifestXML();
    case S::StripAutoOpenFiles: StripAutoOpenFiles(); return 1;
    case S::ZipPublishedFolder: return ZipPublishedFolder();
    }
    return 0;
}

// ---- The steps ----

int CCoursePublisher::BuildTargetDirectoryAndSubDirectories(const QString &folder, int confirm)
{
    return COutputTree(m_context).Build(folder, confirm);
}

bool CCoursePublisher::CopySourceFiles2Target(int lessonMode) { return COutputTree(m_context).CopySourceFiles(lessonMode); }

bool CCoursePublisher::CopyThemeButtons() { return COutputTree(m_context).CopyThemeButtons(); }

bool CCoursePublisher::CreateKqConfigFile() { return CServerConfigFiles(m_context).WritePhpConfig(); }

bool CCoursePublisher::CreateConfigAsp() { return CServerConfigFiles(m_context).WriteAspConfig(); }

bool CCoursePublisher::CreateIndexWebPage() { return CTemplatePages(m_context, *m_expander).WriteIndexPage(); }

void CCoursePublisher::ProcessSourceFiles() { CTemplatePages(m_context, *m_expander).WriteContentPages(); }

bool CCoursePublisher::CreateKvxCss() { return CTemplatePages(m_context, *m_expander).WriteStyleSheet(); }

bool CCoursePublisher::BuildPagesJS() { return CPagesScript(m_context).Write(); }

bool CCoursePublisher::CreatePrefsJS(int lessonMode) { return COptionsScript(m_context).Write(lessonMode); }

bool CCoursePublisher::ReadThemeLineColours(QString &lineColour, QString &shadowColour) const
{
    return COptionsScript(m_context).ReadThemeLineColours(lineColour, shadowColour);
}

QString CCoursePublisher::WriteFpsList() const { return COptionsScript(m_context).FpsList(); }

void CCoursePublisher::WriteCustomFeedback(CPublishFile *file) const
{
    COptionsScript(m_context).WriteCustomFeedback(file);
}

bool CCoursePublisher::WriteInternationalisationVariables() { return CInternationalScript(m_context).Write(); }

bool CCoursePublisher::WriteGlossaryItems() { return CGlossaryScript(m_context).Write(); }

bool CCoursePublisher::BuildContents()
{
    const bool screens = CScreenFiles(m_context).Write();
    return CLinkScripts(m_context).Write() && screens;
}

void CCoursePublisher::BuildOutline() { COutlinePage(m_context).Write(); }

bool CCoursePublisher::CreateManifestXML() { return CLmsPackage(m_context).WriteManifest(); }

bool CCoursePublisher::CreateMetadataManifestXML() { return CLmsPackage(m_context).WriteMetadata(); }

bool CCoursePublisher::StripAutoOpenFiles() { return CLmsPackage(m_context).StripAutoOpenFiles(); }

bool CCoursePublisher::ZipPublishedFolder() { return CPackageZip(m_context).Write(); }

ZipResult CCoursePublisher::AddFolderToZip(ZipHandle handle, const QString &folder, const QString &basePrefix)
{
    return CPackageZip::AddFolderToZip(handle, folder, basePrefix);
}

void CCoursePublisher::PublishLessonFolder(const QString &webFolder) { CLessonFolder(m_context).Publish(webFolder); }
