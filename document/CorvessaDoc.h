#pragma once

#include "document/CourseSettings.h"
#include "model/AutoBackupSetting.h"
#include "model/ScreenLookup.h"
#include "platform/CorvContext.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CArchive;
class CPrompt;
class CCorvPage;
class CEditCanvas;
class CDocumentObserver;
class CLoadedProfile;
class CTopic;

// The one document of the program: the course settings (inherited as plain public members), the topic list
// of the Import window, the glossary source documents and the three screen lists, which own every screen.
// It reads and writes the project file and tells its observers (the views) when its content changes; it
// has no window of its own.
class CCorvessaDoc : public CCourseSettings, public CScreenLookup
{
public:
    using ScreenList = std::vector<std::unique_ptr<CCorvPage>>;
    using TopicList = std::vector<std::unique_ptr<CTopic>>;
    using Clock = std::function<int64_t()>;

    // The settings marked as set once per document object get their values here, the others from
    // OnNewDocument. clock gives "now" in seconds since 1970 (the expiry date's default); the system
    // clock when none is given.
    // The context (program folder, per-user folder, prompt and progress sinks) must outlive the document.
    explicit CCorvessaDoc(const CCorvContext &context, Clock clock = {});
    ~CCorvessaDoc() override;
    CCorvessaDoc(const CCorvessaDoc &) = delete;
    CCorvessaDoc &operator=(const CCorvessaDoc &) = delete;

    // ---- The framework's part: path, modified flag, views ----
    const CCorvContext &GetContext() const { return m_context; }
    CPrompt &Prompt() const { return m_context.Prompt(); }
    const QString &GetPathName() const { return m_pathName; }
    void SetPathName(const QString &path) { m_pathName = path; }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    void AddObserver(CDocumentObserver *observer);
    void RemoveObserver(CDocumentObserver *observer);
    void UpdateAllViews();

    // A new project: the built-in defaults (the constructed ones keep their values), then the per-user
    // stores; counters and pointers reset; topics, glossary documents and screens removed. The first call
    // on a document object leaves it unmodified, later ones mark it modified.
    bool OnNewDocument();
    // Opens a project file. Only ".kvx" files are read (the extension compared without regard to case);
    // any other file, or one that cannot be opened, is refused with a message and changes nothing. A
    // read project counts as modified.
    bool OnOpenDocument(const QString &path);
    // Writes the project file (replacing it only once it is complete) and binds the document to it. The
    // project folder and its media sub-folders are made first, so components can copy their media there.
    bool OnSaveDocument(const QString &path);

    // Stores or loads the project archive. A load first resets the settings to a new project's, so that
    // what an older file lacks does not come from the course open before. After a read error in the
    // file's layout (an early end, an impossible count) it reads the file again with the widened gates of
    // old files; a component it cannot read is no layout error and keeps the first pass. When the file
    // cannot be read whole the pass that read further is kept and the author is told.
    void Serialize(CArchive &ar);

    // The Edit canvas that components read from a project get their windows on (not owned); none by
    // default, so a load without the Edit window makes components without windows.
    void SetEditCanvas(CEditCanvas *canvas) { m_canvas = canvas; }
    CEditCanvas *GetEditCanvas() const { return m_canvas; }

    // Applies the per-user stores after the built-in defaults, for new projects and before a project is
    // read. None until the settings stores install theirs.
    void SetUserStoresHook(std::function<void(CCorvessaDoc &)> hook) { m_userStores = std::move(hook); }
    void SetClock(Clock clock);
    int64_t Now() const { return m_clock(); }

    // ---- Counters ----
    int GetFileSchema() const { return m_fileSchema; }
    void SetFileSchema(int schema) { m_fileSchema = schema; }
    int GetLoadRetry() const { return m_loadRetry; }
    int GetNextScreenNumber() const { return m_nextScreenNumber; }
    void SetNextScreenNumber(int number) { m_nextScreenNumber = number; }
    // The number for a new screen; the counter moves on.
    int TakeNextScreenNumber() { return m_nextScreenNumber++; }
    int GetNextTextBoxNumber() const { return m_nextTextBoxNumber; }
    void SetNextTextBoxNumber(int number) { m_nextTextBoxNumber = number; }
    int TakeNextTextBoxNumber() { return m_nextTextBoxNumber++; }
    int GetImportPending() const { return m_importPending; }
    void SetImportPending(int pending) { m_importPending = pending ? 1 : 0; }
    int TakeTopicButtonPictureNumber() { return m_topicButtonPictureCounter++; }
    void ResetTopicButtonPictureCounter() { m_topicButtonPictureCounter = 0; }

    // The auto-backup options the save command follows.
    CAutoBackupSetting AutoBackupSettings;

    // ---- Lists ----
    TopicList Topics;
    QStringList GlossaryDocuments;
    ScreenList MainScreenList;
    ScreenList PopupScreenList;
    ScreenList GlossaryScreenList;
    // Not owning: screens of the lists above, or null.
    CCorvPage *FinalPerformanceFolder = nullptr;
    CCorvPage *PopupsFolder = nullptr;
    CCorvPage *GlossaryFolder = nullptr;
    // Graphics-library file names already placed in a course (compared with regard to case); kept for the
    // life of the document object, across projects.
    QStringList UsedLibraryPictures;

    // ---- Lookups ----
    CCorvPage *FindScreenByNumber(int number) const override;
    CCorvPage *FindMainScreenByNumber(int number) const override;
    CCorvPage *FindMainScreenByLabel(const QString &label) const;
    // The popups list for labels starting with "P" and for "1000", the glossary list for "G" and "9000",
    // else the main list.
    CCorvPage *FindScreenByLabel(const QString &label) const;
    CCorvPage *FindGlossaryScreenByPublishId(const QString &publishId) const;
    bool HasGlossaryScreen(const QString &publishId) const;
    // Whether the screen object is in the popups list (popups true) or in the main list.
    bool ContainsScreen(const CCorvPage *screen, bool popups) const;
    bool IsGlossaryScreen(const CCorvPage *screen) const;

    void ClearTopics();
    void ClearGlossaryDocuments();
    void ClearMainScreens();
    void ClearPopupScreens();
    void ClearGlossaryScreens();

    // ---- International profile ----
    CLoadedProfile *GetInternationalProfile() const { return m_internationalProfile.get(); }
    void SetInternationalProfile(std::unique_ptr<CLoadedProfile> profile);
    void FreeInternationalProfile();
    // Frees the profile and points InternationalProfileFilename at the program folder's default profile.
    void ResetInternationalProfile();

    // The project's media folder: the project file's path without its extension.
    static QString ProjectFolderOf(const QString &projectPath);

private:
    const CCorvContext &m_context;
    CEditCanvas *m_canvas = nullptr;
    friend class CProjectArchive;

    // What one reading pass leaves in the document, kept aside while another pass reads: swapping takes it
    // out (the document gets the state given) and swapping again puts it back.
    struct LoadState
    {
        CCourseSettings settings;
        TopicList topics;
        QStringList glossaryDocuments;
        ScreenList main, popups, glossary;
        CCorvPage *finalPerformance = nullptr, *popupsFolder = nullptr, *glossaryFolder = nullptr;
        int fileSchema = 0, nextScreenNumber = 0, nextTextBoxNumber = 0, importPending = 0;
    };
    void SwapLoadState(LoadState &state);

    void ResetToNewProjectSettings();
    void ForgetFolderPointersInto(const ScreenList &list);
    void LoadFrom(const QByteArray &bytes, const QString &path);

    QString m_pathName;
    bool m_modified = false;
    bool m_firstNewDocument = true;
    std::vector<CDocumentObserver *> m_observers;
    std::function<void(CCorvessaDoc &)> m_userStores;
    Clock m_clock;

    int m_fileSchema = 0;
    int m_loadRetry = 0;
    int m_nextScreenNumber = 0;
    int m_nextTextBoxNumber = 1;
    int m_importPending = 1;
    int m_topicButtonPictureCounter = 0;

    std::unique_ptr<CLoadedProfile> m_internationalProfile;
};
