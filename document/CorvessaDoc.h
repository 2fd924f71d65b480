#pragma once

#include "document/CourseSettings.h"
#include "platform/SaveFaults.h"
#include "model/AutoBackupSetting.h"
#include "model/ScreenLookup.h"
#include "platform/CorvContext.h"
#include "platform/Result.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CPrompt;
class CCorvPage;
class CEditCanvas;
class CDocumentObserver;
class CLoadedProfile;
class CRichText;
class CTopic;

// The one document of the program: the course settings (one value, replaced as a whole by the Settings
// window), the topic list of the Import window, the glossary source documents and the three screen lists,
// which own every screen. It tells its observers (the views) when its content changes; it has no window of
// its own. The project file is read and written by CProjectFile through this interface.
class CCorvessaDoc : public CScreenLookup
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
    // Binds the document to the file; the title becomes the file's name without its extension.
    void SetPathName(const QString &path);
    // What the window's caption shows and a first save proposes: "Untitled" until the document has a file.
    const QString &GetTitle() const { return m_title; }
    void SetTitle(const QString &title) { m_title = title; }
    // Whether the project holds changes that are not in its file. Observers hear of every change of it.
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);
    void AddObserver(CDocumentObserver *observer);
    void RemoveObserver(CDocumentObserver *observer);
    void UpdateAllViews();
    // Calls each view registered now (one that registers meanwhile is not called).
    void NotifyObservers(const std::function<void(CDocumentObserver &)> &call);

    // A new project: the built-in defaults (the constructed ones keep their values), then the per-user
    // stores; counters and pointers reset; topics, glossary documents and screens removed. The new project
    // holds nothing of the author's yet, so it is unmodified. It cannot fail.
    CStatus OnNewDocument();

    // ---- The course settings ----
    const CCourseSettings &Settings() const { return m_settings; }
    // The settings changed in place by the document's own operations (import, reading a project, the
    // factories), which mark the document themselves when they are done.
    CCourseSettings &MutableSettings() { return m_settings; }
    // Replaces the settings as a whole, as the Settings window applies its copy: when they differ from the
    // document's, the project becomes modified and the views are updated. True when they differed.
    bool ApplySettings(const CCourseSettings &settings);
    // The built-in defaults of a new project followed by the per-user stores (what a load starts from, so
    // that what an older file lacks does not come from the course open before).
    void ResetToNewProjectSettings();

    // The Edit canvas that components read from a project get their windows on (not owned); none by
    // default, so a load without the Edit window makes components without windows.
    void SetEditCanvas(CEditCanvas *canvas) { m_canvas = canvas; }
    CEditCanvas *GetEditCanvas() const { return m_canvas; }

    // Applies the per-user stores after the built-in defaults, for new projects and before a project is
    // read. None until the settings stores install theirs.
    // By default kvx.ini and setting.bin of the context's per-user folder (none when it has no folder).
    void SetUserStoresHook(std::function<void(CCorvessaDoc &)> hook) { m_userStores = std::move(hook); }
    // setting.bin: a failure with the reason when the file cannot be written, or opened for reading.
    CStatus SaveDefaultSettingsFile(const QString &path) const;
    CStatus LoadDefaultSettingsFile(const QString &path);
    // Failure injection for the steps of a save that touch the author's files; none by default.
    void SetSaveFaultHook(SaveFaultHook hook) { m_saveFaults = std::move(hook); }
    // True when the step is to fail.
    bool SaveFault(SaveStep step) const { return m_saveFaults && m_saveFaults(step); }
    const SaveFaultHook &GetSaveFaultHook() const { return m_saveFaults; }
    void SetClock(Clock clock);
    int64_t Now() const { return m_clock(); }

    // ---- Counters ----
    int GetFileSchema() const { return m_fileSchema; }
    void SetFileSchema(int schema) { m_fileSchema = schema; }
    // 1 while the second, widened pass of a project load reads the old main list.
    int GetLoadRetry() const { return m_loadRetry; }
    void SetLoadRetry(int retry) { m_loadRetry = retry; }
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
    const TopicList &Topics() const { return m_topics; }
    void AddTopic(std::unique_ptr<CTopic> topic);
    const QStringList &GlossaryDocuments() const { return m_glossaryDocuments; }
    void SetGlossaryDocuments(QStringList documents) { m_glossaryDocuments = std::move(documents); }
    void AddGlossaryDocument(const QString &document) { m_glossaryDocuments.append(document); }
    const ScreenList &MainScreens() const { return m_mainScreens; }
    const ScreenList &PopupScreens() const { return m_popupScreens; }
    const ScreenList &GlossaryScreens() const { return m_glossaryScreens; }
    // The folder screens the importers and the outline look for. Not owning: screens of the lists above,
    // or null; removing a screen from its list forgets it here.
    CCorvPage *GetFinalPerformanceFolder() const { return m_finalPerformanceFolder; }
    void SetFinalPerformanceFolder(CCorvPage *folder) { m_finalPerformanceFolder = folder; }
    CCorvPage *GetPopupsFolder() const { return m_popupsFolder; }
    void SetPopupsFolder(CCorvPage *folder) { m_popupsFolder = folder; }
    CCorvPage *GetGlossaryFolder() const { return m_glossaryFolder; }
    void SetGlossaryFolder(CCorvPage *folder) { m_glossaryFolder = folder; }
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

    // ---- Keeping the screen lists ----
    // Puts the screen into the popups list (popup set), else the glossary list (glossary set), else the main
    // list: right after `after` when that screen is in the chosen list, otherwise at its end. Returns the
    // screen, now owned by the list.
    CCorvPage *AddScreen(std::unique_ptr<CCorvPage> screen, CCorvPage *after = nullptr, bool popup = false,
                         bool glossary = false);
    // Takes the screen off the canvas and, when it is in the main (popups, glossary) list, out of it. With
    // deleteScreen it is deleted, otherwise handed back to the caller; null when it was not in the list or
    // was deleted. The screen leaves the canvas even when it is not in the list.
    std::unique_ptr<CCorvPage> RemoveScreen(CCorvPage *screen, bool deleteScreen);
    std::unique_ptr<CCorvPage> RemovePopupScreen(CCorvPage *screen, bool deleteScreen);
    std::unique_ptr<CCorvPage> RemoveGlossaryScreen(CCorvPage *screen, bool deleteScreen);
    // Deletes, without asking, the link components whose target screen is no longer in the main list: on
    // the screen given, or on every screen of the main list.
    void CheckLinks(CCorvPage *screen = nullptr);
    // Hands a glossary item to the Edit window when it is there; false when no view took it.
    bool AddGlossaryItem(const QString &term, const QString &definition);

    // ---- Rich text and placeholder pictures ----
    // Reads the RTF file into the text. False for an empty path, no text, or a file that cannot be read
    // (the text is then left as it was).
    static bool LoadRtfIntoRichEdit(const QString &path, CRichText *text);
    // The content layouts' placeholder picture of a size preset: "tmp_small.png" for 0, "tmp_large.png"
    // for 2, "tmp_medium.png" for any other, in the program folder.
    QString GetPlaceholderImagePath(int sizePreset) const;

    // ---- International profile ----
    CLoadedProfile *GetInternationalProfile() const { return m_internationalProfile.get(); }
    void SetInternationalProfile(std::unique_ptr<CLoadedProfile> profile);
    void FreeInternationalProfile();
    // Frees the profile and points InternationalProfileFilename at the program folder's default profile.
    void ResetInternationalProfile();

    // The project's media folder: the project file's path without its extension.
    static QString ProjectFolderOf(const QString &projectPath);

    // What one reading pass leaves in the document, kept aside while another pass reads: swapping takes it
    // out (the document gets the content given) and swapping again puts it back.
    struct Content
    {
        CCourseSettings settings;
        TopicList topics;
        QStringList glossaryDocuments;
        ScreenList main, popups, glossary;
        CCorvPage *finalPerformance = nullptr, *popupsFolder = nullptr, *glossaryFolder = nullptr;
        int fileSchema = 0, nextScreenNumber = 0, nextTextBoxNumber = 0, importPending = 0;
    };
    void SwapContent(Content &content);
    // Moves the next screen number past every screen's number: a file without screen numbers, or a
    // damaged one, can leave it at a number a screen has.
    void RaiseNextScreenNumber();

private:
    const CCorvContext &m_context;
    CEditCanvas *m_canvas = nullptr;
    CCourseSettings m_settings;

    void ForgetFolderPointersInto(const ScreenList &list);
    std::unique_ptr<CCorvPage> RemoveFrom(ScreenList &list, CCorvPage *screen, bool deleteScreen);

    TopicList m_topics;
    QStringList m_glossaryDocuments;
    ScreenList m_mainScreens;
    ScreenList m_popupScreens;
    ScreenList m_glossaryScreens;
    CCorvPage *m_finalPerformanceFolder = nullptr;
    CCorvPage *m_popupsFolder = nullptr;
    CCorvPage *m_glossaryFolder = nullptr;

    QString m_pathName;
    QString m_title;
    bool m_modified = false;
    std::vector<CDocumentObserver *> m_observers;
    std::function<void(CCorvessaDoc &)> m_userStores;
    SaveFaultHook m_saveFaults;
    Clock m_clock;

    int m_fileSchema = 0;
    int m_loadRetry = 0;
    int m_nextScreenNumber = 0;
    int m_nextTextBoxNumber = 1;
    int m_importPending = 1;
    int m_topicButtonPictureCounter = 0;

    std::unique_ptr<CLoadedProfile> m_internationalProfile;
};
