#pragma once

#include "model/OutlineTree.h"
#include "publish/ZipWriter.h"

#include <QString>

#include <map>
#include <memory>

class CCorvPage;
class CCorvessaDoc;
class CGenerateTriggerBase;
class CPublishFile;
class CSpecialCharacters;

// Where a publish goes; stored as these numbers.
enum PublishTarget {
    PublishTargetPreview = 0,
    PublishTargetLan = 1,
    PublishTargetWeb = 2,
    PublishTargetLms = 3,
    PublishTargetStandalone = 4,
};

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

// Publishes the open course for one target: the document, the output folder, the prefix that names the
// per-course files and the outline that orders the screens, shared by every step. A driver runs its
// target's steps in a fixed order under one success flag and tells the author the outcome through the
// document's context (messages, progress). Built for one publish and dropped afterwards; the wait cursor
// is the caller's.
class CCoursePublisher
{
public:
    // The folder loses any trailing separator; the prefix is lower-cased. courseTree may be null (then
    // there is nothing to publish); it must outlive the publisher.
    CCoursePublisher(CCorvessaDoc &document, const QString &targetFolder, const QString &projectPrefix,
                     const COutlineTree *courseTree);
    virtual ~CCoursePublisher();
    CCoursePublisher(const CCoursePublisher &) = delete;
    CCoursePublisher &operator=(const CCoursePublisher &) = delete;

    // The substitutions for published screen texts (none when not given); not owned.
    void SetSpecialCharacters(const CSpecialCharacters *substitutions) { m_specialCharacters = substitutions; }

    // ---- Drivers: each reports to the author itself ----
    void PublishStandalone();
    void PublishLanDatabase();
    // lessonMode 1: the first half of a lesson-folder publish. True when every step succeeded; the caller
    // shows the completion message.
    bool PublishWebDatabaseAsp(int lessonMode);
    void PublishWebDatabasePhp();
    void PublishLms();

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

    // ---- Helpers of the steps ----
    bool IsCourseTreeEmpty() const;
    bool HasMenuScreen(const COutlineTree::Item *start = nullptr) const;
    void ApplyTextSubstitutions(QString &text) const;

    CCorvessaDoc &GetDocument() const { return m_document; }
    const QString &GetTargetFolder() const { return m_targetFolder; }
    const QString &GetProjectPrefix() const { return m_projectPrefix; }
    const COutlineTree *GetCourseTree() const { return m_courseTree; }
    int GetTarget() const { return m_target; }
    // The system's text of the last file failure of a step ("" when none).
    const QString &GetLastErrorText() const { return m_lastErrorText; }

protected:
    // Runs one step for a driver and gives its result (the tree step's -1, 0 or 1; 1 or 0 for the
    // others, 1 for the steps without a result).
    virtual int RunStep(PublishStep step, int lessonMode);
    // Remembers why a file of a step failed, for the final message.
    void NoteFileError(const CPublishFile &file);
    // The page of the course outline.
    QString CourseOutlineText();

private:
    struct DriverPlan;
    bool RunDriver(const DriverPlan &plan, int lessonMode);
    void ReportStepFailure(PublishStep step);

    CCorvessaDoc &m_document;
    QString m_targetFolder;
    QString m_projectPrefix;
    const COutlineTree *m_courseTree;
    const CSpecialCharacters *m_specialCharacters = nullptr;

    // Walk state of the pages script.
    CCorvPage *m_triggerScreen = nullptr;
    int m_blockIndex = 0;
    int m_entryIndex = 0;
    int m_remediationNumber = 0;
    // Per-screen counters of the screen scripts.
    int m_screenCounter = 0;
    int m_audioNumber = 0;

    int m_target = PublishTargetPreview;
    int m_previewFlag = 0;
    // Template triggers by lower-case key, and the international tokens by token, both ordered.
    std::map<QString, std::unique_ptr<CGenerateTriggerBase>> m_triggers;
    QString m_pagesText;
    std::map<QString, QString> m_tokens;

    QString m_lastErrorText;
};
