#pragma once

#include "model/OutlineTree.h"
#include "platform/Result.h"
#include "publish/PublishContext.h"
#include "publish/ZipWriter.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class CCorvessaDoc;
class CPublishFile;
class CCharacterSubstitutions;
class CTemplateExpander;
class InternationalProfileFromXML;

// The named steps of a publish, in the order the drivers run them.
enum class PublishStep {
    BuildTargetDirectoryAndSubDirectories,
    CopySourceFiles2Target,
    CreateKqConfigFile,
    CreateIndexWebPage,
    ProcessSourceFiles,
    CreateKvxCss,
    BuildPagesJS,
    CreatePrefsJS,
    WriteInternationalisationVariables,
    WriteGlossaryItems,
    BuildContents,
    CreateConfigAsp,
    BuildOutline,
    CreateManifestXML,
    CreateMetadataManifestXML,
    StripAutoOpenFiles,
    ZipPublishedFolder,
};

// The step's name as messages and the progress window show it.
QString PublishStepName(PublishStep step);

// Publishes the open course for one target. The publish context holds what every step reads (the course,
// seen as const: publishing never changes it) and the failures the steps met; each step is a class of its
// own, and this class runs them. A driver runs its target's steps in a fixed order under one success flag,
// tells the author the outcome through the document's context (messages, progress) and gives it back.
// Built for one publish and dropped afterwards; the wait cursor is the caller's.
class CCoursePublisher
{
public:
    // The folder loses any trailing separator; the prefix is lower-cased. courseTree may be null (then
    // there is nothing to publish); it must outlive the publisher.
    CCoursePublisher(const CCorvessaDoc &document, const QString &targetFolder, const QString &projectPrefix,
                     const COutlineTree *courseTree);
    virtual ~CCoursePublisher();
    CCoursePublisher(const CCoursePublisher &) = delete;
    CCoursePublisher &operator=(const CCoursePublisher &) = delete;

    // The substitutions for published screen texts (none when not given); not owned.
    void SetSpecialCharacters(const CCharacterSubstitutions *substitutions) { m_context.SetSpecialCharacters(substitutions); }

    // The target kind (PublishTarget) and the preview flag the steps read. The drivers set the target
    // themselves; the screen preview sets both, and so does a caller that runs single steps.
    void SetTarget(int target) { m_context.SetTarget(target); }
    void SetPreviewFlag(int previewFlag) { m_context.SetPreviewFlag(previewFlag); }
    int GetPreviewFlag() const { return m_context.GetPreviewFlag(); }

    // ---- Drivers: each reports to the author itself, and fails with every failure it met ----
    CStatus PublishStandalone();
    CStatus PublishLanDatabase();
    // lessonMode 1: the first half of a lesson-folder publish. The caller shows the completion message.
    CStatus PublishWebDatabaseAsp(int lessonMode);
    CStatus PublishWebDatabasePhp();
    CStatus PublishLms();
    // The lesson-folder mode of the LMS target: copies the content of the web course just published into
    // the lesson folder beside the output folder, named by the course's lesson folder name.
    void PublishLessonFolder(const QString &webFolder);

    // ---- Steps: true (1) on success ----
    // Asks before emptying an existing folder when confirm is set: -1 declined, 0 failed, 1 done.
    int BuildTargetDirectoryAndSubDirectories(const QString &folder, int confirm);
    bool CopySourceFiles2Target(int lessonMode);
    bool CreateKqConfigFile();
    bool CreateIndexWebPage();
    void ProcessSourceFiles();
    bool CreateKvxCss();
    bool BuildPagesJS();
    bool CreatePrefsJS(int lessonMode);
    bool WriteInternationalisationVariables();
    bool WriteGlossaryItems();
    bool BuildContents();
    bool CreateConfigAsp();
    // content/outline.htm and the outline's pictures; a file that cannot be written ends it quietly.
    void BuildOutline();
    bool CreateManifestXML();
    bool CreateMetadataManifestXML();
    bool StripAutoOpenFiles();
    // Packs the output folder into "<folder>.zip" beside it, replacing an older package. False, leaving no
    // package, when any file could not be packed.
    bool ZipPublishedFolder();
    // Adds every regular file below the folder (links and special files left out), names relative to
    // basePrefix, in name order; the first failure, the walk going on past files that cannot be read.
    static ZipResult AddFolderToZip(ZipHandle handle, const QString &folder, const QString &basePrefix);

    // The last part of the run-time copy: the theme's pictures and its navigation buttons, chosen by the
    // button labels. A theme that is not installed (or whose name is not a plain folder name) gives way to
    // "Classical", which the rest of the publish then uses. False only when a picture could not be written.
    bool CopyThemeButtons();

    // ---- Options script ----
    // The line and shadow colours of the match-the-pairs question from the theme's style sheet, "#0000ff"
    // and "#808080" where it names none. False when the style sheet cannot be read.
    bool ReadThemeLineColours(QString &lineColour, QString &shadowColour) const;
    // The publish ids of the final performance screens in main-list order, quoted and joined by ",".
    QString WriteFpsList() const;
    // The feedback of every question that differs from the course's defaults: one line per component of
    // each question screen. Nothing without a file.
    void WriteCustomFeedback(CPublishFile *file) const;

    // ---- International texts ----
    const InternationalProfileFromXML *GetInternationalProfile() const { return m_context.GetInternationalProfile(); }
    QString GetProfileText(const QString &baseVariable, const QString &variable) const
    {
        return m_context.GetProfileText(baseVariable, variable);
    }
    void ApplyProfileTokens(QString &line) const { m_context.ApplyProfileTokens(line); }
    const std::map<QString, QString> &GetProfileTokens() const { return m_context.GetProfileTokens(); }

    // ---- Helpers of the steps ----
    bool IsCourseTreeEmpty() const { return m_context.IsCourseTreeEmpty(); }
    bool HasMenuScreen(const COutlineTree::Item *start = nullptr) const { return m_context.HasMenuScreen(start); }
    void ApplyTextSubstitutions(QString &text) const { m_context.ApplyTextSubstitutions(text); }

    // What every step reads, and the failures they met.
    CPublishContext &Context() { return m_context; }
    const CPublishContext &Context() const { return m_context; }
    const CCorvessaDoc &GetDocument() const { return m_context.GetDocument(); }
    const QString &GetTargetFolder() const { return m_context.GetTargetFolder(); }
    const QString &GetProjectPrefix() const { return m_context.GetProjectPrefix(); }
    const COutlineTree *GetCourseTree() const { return m_context.GetCourseTree(); }
    int GetTarget() const { return m_context.GetTarget(); }
    // The system's texts of the failures of the steps so far, one a line ("" when none).
    QString GetLastErrorText() const { return m_context.ErrorText(); }

protected:
    // Runs one step for a driver and gives its result (the tree step's -1, 0 or 1; 1 or 0 for the
    // others, 1 for the steps without a result).
    virtual int RunStep(PublishStep step, int lessonMode);

private:
    struct DriverPlan;
    CStatus RunDriver(const DriverPlan &plan, int lessonMode);
    void ReportStepFailure(PublishStep step);

    CPublishContext m_context;
    // Reads the templates; its triggers live as long as the publish.
    std::unique_ptr<CTemplateExpander> m_expander;
};
