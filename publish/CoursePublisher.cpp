#include "publish/CoursePublisher.h"

#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "publish/GenerateTriggerBase.h"
#include "publish/NamedMediaCheck.h"
#include "publish/OutputCopier.h"
#include "publish/OutputFolder.h"
#include "publish/ProgramData.h"
#include "publish/PublishFile.h"
#include "publish/CharacterSubstitutions.h"
#include "publish/TemplateTriggers.h"

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

QString WithoutTrailingSeparators(QString folder)
{
    while (folder.size() > 1 && CorvPath::IsSeparator(folder.back()))
        folder.chop(1);
    return folder;
}

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

CCoursePublisher::CCoursePublisher(CCorvessaDoc &document, const QString &targetFolder, const QString &projectPrefix,
                                   const COutlineTree *courseTree)
    : m_document(document),
      m_targetFolder(WithoutTrailingSeparators(targetFolder)),
      m_projectPrefix(projectPrefix.toLower()),
      m_courseTree(courseTree)
{
    for (auto &[key, trigger] : MakeTemplateTriggers(document))
        m_triggers.emplace(key, std::move(trigger));
    BuildProfileTokenMap();
}

CCoursePublisher::~CCoursePublisher() = default;

void CCoursePublisher::PublishStandalone()
{
    static const DriverPlan plan{PublishTargetStandalone, kStandaloneSteps, true, false, true, true, true};
    RunDriver(plan, 0);
}

void CCoursePublisher::PublishLanDatabase()
{
    static const DriverPlan plan{PublishTargetLan, kStandaloneSteps, false, true, true, false, false};
    RunDriver(plan, 0);
}

bool CCoursePublisher::PublishWebDatabaseAsp(int lessonMode)
{
    static const DriverPlan plan{PublishTargetWeb, kAspSteps, false, true, false, false, false};
    return RunDriver(plan, lessonMode);
}

void CCoursePublisher::PublishWebDatabasePhp()
{
    static const DriverPlan plan{PublishTargetWeb, kPhpSteps, true, false, true, false, false};
    RunDriver(plan, 0);
}

void CCoursePublisher::PublishLms()
{
    static const DriverPlan plan{PublishTargetLms, kLmsSteps, false, true, true, false, false};
    RunDriver(plan, 0);
}

bool CCoursePublisher::RunDriver(const DriverPlan &plan, int lessonMode)
{
    // Each folder of the output is checked for links once, not again for every file written into it.
    const CorvOutputFolder::FolderCheckScope folderChecks;
    CPrompt &prompt = m_document.Prompt();
    if (IsCourseTreeEmpty()) {
        prompt.Information(CStringTable::Load(kNoScreenToPublish));
        return false;
    }
    m_target = plan.target;
    m_lastErrorText.clear();
    m_courseTree->NumberPublishIds(m_document.PopupScreens(), m_document.GlossaryScreens());

    CProgress &progress = m_document.GetContext().Progress();
    if (plan.showsProgress) {
        progress.SetRange(0, 12);
        progress.SetText(PublishStepName(S::BuildTargetDirectoryAndSubDirectories));
    }
    const int tree = RunStep(S::BuildTargetDirectoryAndSubDirectories, 1);
    if (tree < 0) {
        if (plan.messageWhenDeclined)
            ReportStepFailure(S::BuildTargetDirectoryAndSubDirectories);
        return false;
    }
    bool succeeding = tree == 1;
    if (!succeeding && plan.messageWhenTreeFailed)
        ReportStepFailure(S::BuildTargetDirectoryAndSubDirectories);

    const bool newWindow = m_document.Settings().LmsOpensNewWindow == 1;
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
        case Gate::WhileSucceedingZip: runs = succeeding && m_document.Settings().CreateZip == 1; break;
        }
        if (!runs)
            continue;
        const int result = RunStep(planned.step, lessonMode);
        if (Info(planned.step).resultRead && result != 1 && succeeding) {
            ReportStepFailure(planned.step);
            succeeding = false;
        }
    }

    // A screen that names a file the output lacks (a clip or picture missing from the project) is no
    // complete course: the author hears of every such file at once, and of no success.
    const QStringList missing = succeeding && !m_previewFlag
        ? CorvNamedMediaCheck::MissingFiles(m_targetFolder, m_projectPrefix) : QStringList();
    if (!missing.isEmpty()) {
        prompt.Warning(QStringLiteral("Publish has completed with missing files to:\n\n%1\n\nThe course's screens "
                                      "name these files, which the project lacks:\n\n%2")
                           .arg(m_targetFolder, missing.join(u'\n')));
    } else if (succeeding) {
        if (plan.reportsCompletion)
            prompt.Information(CStringTable::Load(kPublishCompleted).arg(m_targetFolder));
    } else if (plan.reportsFailure) {
        QString reason = m_lastErrorText;
        if (reason.isEmpty())
            ::GetLastErrorText(reason);
        prompt.Error(CStringTable::Load(kPublishFailed) + u'\n' + reason);
    }
    return succeeding;
}

void CCoursePublisher::ReportStepFailure(PublishStep step)
{
    m_document.Prompt().Warning(QStringLiteral("Fail while publishing.\nError occurs at %1.").arg(PublishStepName(step)));
}

int CCoursePublisher::RunStep(PublishStep step, int lessonMode)
{
    switch (step) {
    case S::BuildTargetDirectoryAndSubDirectories: return BuildTargetDirectoryAndSubDirectories(m_targetFolder, 1);
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

void CCoursePublisher::NoteFileError(const CPublishFile &file)
{
    if (!file.GetErrorText().isEmpty())
        m_lastErrorText = file.GetErrorText();
}

void CCoursePublisher::BuildOutline()
{
    CPublishFile file;
    if (!file.Open(m_targetFolder, QStringLiteral("content/outline.htm"), CPublishFile::WithByteOrderMark)
        || !file.WriteString(CourseOutlineText()) || !file.Close()) {
        NoteFileError(file);
        return;
    }
    COutputCopier(m_targetFolder)
        .CopyFolderFilesLowerCase(CorvProgramData::Resolve(ProgramFolder(), CorvProgramData::kTreePictures),
                                  QStringLiteral("content/scripts/pics/tree"), false);
}

bool CCoursePublisher::IsCourseTreeEmpty() const { return !m_courseTree || m_courseTree->GetCount() == 0; }

bool CCoursePublisher::HasMenuScreen(const COutlineTree::Item *start) const
{
    return m_courseTree && m_courseTree->HasMenuScreen(start);
}

void CCoursePublisher::ApplyTextSubstitutions(QString &text) const
{
    if (m_specialCharacters)
        m_specialCharacters->Apply(text);
}
