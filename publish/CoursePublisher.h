#pragma once

#include "model/OutlineTree.h"
#include "publish/ZipWriter.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class CComponentRemediation;
class CCorvPage;
class CCorvessaDoc;
class CGenerateTriggerBase;
class COutputCopier;
class CPublishFile;
class CCharacterSubstitutions;
class InternationalProfileFromXML;

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
    void SetSpecialCharacters(const CCharacterSubstitutions *substitutions) { m_specialCharacters = substitutions; }

    // The target kind (PublishTarget) and the preview flag the steps read. The drivers set the target
    // themselves; the screen preview sets both, and so does a caller that runs single steps.
    void SetTarget(int target) { m_target = target; }
    void SetPreviewFlag(int previewFlag) { m_previewFlag = previewFlag; }
    int GetPreviewFlag() const { return m_previewFlag; }

    // ---- Drivers: each reports to the author itself ----
    void PublishStandalone();
    void PublishLanDatabase();
    // lessonMode 1: the first half of a lesson-folder publish. True when every step succeeded; the caller
    // shows the completion message.
    bool PublishWebDatabaseAsp(int lessonMode);
    void PublishWebDatabasePhp();
    void PublishLms();
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
    // "Classical", which the document's Theme then names. False only when a picture could not be written.
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
    // The profile the publish takes its texts from: the document's, or, while the document has none
    // loaded, the one its profile path names (null when that cannot be read either).
    const InternationalProfileFromXML *GetInternationalProfile() const { return m_profile; }
    // The text (line breaks as backslash and "n") of the first item whose base variable and variable are
    // the given ones, compared without regard to case; "" when there is none.
    QString GetProfileText(const QString &baseVariable, const QString &variable) const;
    // Replaces the profile's tokens in one line of a template.
    void ApplyProfileTokens(QString &line) const;
    const std::map<QString, QString> &GetProfileTokens() const { return m_tokens; }

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

    // ---- Pages script ----
    // The two forms of the walk over the outline that writes the arrays of screen ids.
    enum class PagesForm { Menu, Plain };
    void WritePagesArray(CPublishFile &file, PagesForm form);
    void WalkPagesLevel(CPublishFile &file, const COutlineTree::Item *item, QStringList &ids, PagesForm form);
    // The group an item with children heads: started from the item, filled from its children, written.
    struct PagesGroup;
    bool StartPagesGroup(const COutlineTree::Item *item, CCorvPage *lastContent, PagesGroup &group, PagesForm form);
    const COutlineTree::Item *CollectPagesGroup(const COutlineTree::Item *child, PagesGroup &group, PagesForm form);
    void WritePagesGroup(CPublishFile &file, const PagesGroup &group);
    // The next block of entries begins below a menu.
    void StartPagesBlock()
    {
        ++m_blockIndex;
        m_entryIndex = 0;
    }
    // Appends the ids of the item and its following siblings, remediation screens left out.
    void CollectSiblingIds(const COutlineTree::Item *item, QStringList &ids) const;
    // One filled remediation instance into out, numbered and placed at the entry being written.
    void WriteRemediationInstance(const CComponentRemediation &remediation, const CCorvPage *start, QString &out);
    void WriteRemUtility(CPublishFile &file) const;
    void WriteRemCleanup(CPublishFile &file) const;
    // The scrambled correct answers of the questions, one line each.
    void WriteAnswerEntries(CPublishFile &file) const;

private:
    struct DriverPlan;
    bool RunDriver(const DriverPlan &plan, int lessonMode);
    void ReportStepFailure(PublishStep step);

    // How a template is read and written.
    struct TemplateJob {
        QString templatePath;       // full path in the program folder
        QString output;             // relative to the target folder
        bool ansi = false;          // read in the legacy code page; else each byte as the character of its code
        bool byteOrderMark = false; // the output starts with EF BB BF
        bool tokens = true;         // international tokens applied
        bool triggers = true;       // ":::" lines are trigger lines
    };
    enum class ExpandResult { Done, TemplateUnreadable, OutputFailed };
    ExpandResult ExpandTemplate(const TemplateJob &job);
    void BuildProfileTokenMap();
    // The output-tree folders of the current target, in the order they are made.
    QStringList OutputTreeFolders() const;
    void CopyProjectFolders(COutputCopier &copier);
    // The background picture to copy: the file the setting names, else the project's own copy of it; "" when
    // there is none.
    QString BackgroundPictureSource() const;
    QString ProgramFolder() const;

    CCorvessaDoc &m_document;
    QString m_targetFolder;
    QString m_projectPrefix;
    const COutlineTree *m_courseTree;
    const CCharacterSubstitutions *m_specialCharacters = nullptr;

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
    // A profile read from the document's profile path while the document holds none.
    std::unique_ptr<InternationalProfileFromXML> m_ownProfile;
    const InternationalProfileFromXML *m_profile = nullptr;

    QString m_lastErrorText;
};
