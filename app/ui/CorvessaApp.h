#pragma once

#include "app/ImagesXmlIndex.h"
#include "app/RecentFileList.h"
#include "app/Registry.h"
#include "app/StartupSequence.h"
#include "app/ViewSwitcher.h"
#include "document/DocumentObserver.h"
#include "import/GraphicsLibrary.h"
#include "platform/CorvContext.h"
#include "publish/CharacterSubstitutions.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <array>
#include <memory>

class CCorvessaDoc;
class CDlgXMLLoading;
class CEditFrmVw;
class CFileDialogs;
class CImportSummaryView;
class CMainFrame;
class CProjectFileCommands;
class CMessageBoxPrompt;
class CDlgProgress;
class CPublishFrmVw;
class CSettingsFrmVw;
class QWidget;

// Where the application finds its folders and files and whom it asks; empty fields take the installed
// program's own places. Tests fill them with fixtures.
struct CAppOptions
{
    // The command line, the program's name first.
    QStringList arguments;
    // The program folder (the program-folder data lies in it); the running program's folder when empty.
    QString programFolder;
    // The per-user configuration folder that Zerandt/Corvessa<major> goes in; the desktop's when empty.
    QString appDataBase;
    // The registry stand-ins: the machine's (default: registry.ini in the program folder) and the user's
    // (default: Zerandt/registry.ini in the per-user configuration folder).
    QString machineRegistryFile;
    QString userRegistryFile;
    // Whom messages and file choices go to; message boxes and the desktop's dialogs when null.
    CPrompt *prompt = nullptr;
    CFileDialogs *fileDialogs = nullptr;
    // The process id that names the temporary folder; the running process's when 0.
    qint64 processId = 0;
};

// The one application object: it starts the program, holds what every window reaches through it (the
// document, the main frame, the four main views and the visible one, the graphics library, its root and
// the excluded words, the special characters, the version text), carries out the application's commands
// (the views, New, Open, Save, Save As, the recent projects, the Publish menu, About) and cleans up at exit.
// It watches the document's modified state, which the main window's title shows.
class CCorvessaApp : public QObject, public CStartupHost, public CMainViewHost, public CDocumentObserver
{
    Q_OBJECT
public:
    explicit CCorvessaApp(CAppOptions options = {});
    ~CCorvessaApp() override;

    // Starts the program; Running when the main window is up.
    CStartupSequence::Result InitInstance();
    // Removes the temporary folder of the process. Runs at every end, also after a failed start.
    int ExitInstance();

    // ---- What the windows reach ----
    const CCorvContext &Context() const { return m_context; }
    CCorvessaDoc *Document() const { return m_document.get(); }
    CMainFrame *MainFrame() const { return m_frame.get(); }
    // Index 0 Settings, 1 Import, 2 Edit, 3 Publish; null before start-up made them.
    QWidget *MainView(int index) const { return m_views[size_t(index)]; }
    QWidget *CurrentView() const;
    int CurrentViewIndex() const { return m_switcher.CurrentViewIndex(); }
    CSettingsFrmVw *SettingsView() const { return m_settingsView; }
    CImportSummaryView *ImportView() const { return m_importView; }
    CEditFrmVw *EditView() const { return m_editView; }
    CPublishFrmVw *PublishView() const { return m_publishView; }
    const CImagesXmlIndex &GraphicsLibrary() const { return m_library; }
    // The search over the loaded index that the importers and topic buttons choose pictures with.
    CGraphicsLibrary &LibrarySearch() { return m_librarySearch; }
    const QStringList &ExcludedWords() const { return m_sequence.ExcludedWords(); }
    const CCharacterSubstitutions &SpecialCharacters() const { return m_specialCharacters; }
    const QString &GraphicsLibraryRoot() const { return m_context.graphicsLibraryRoot; }
    const QString &VersionText() const { return m_context.versionText; }
    const QString &VersionMajor() const { return m_context.majorVersionText; }
    QString TempFolder() const;
    const CRecentFileList &RecentFiles() const { return m_recentFiles; }
    CFileRegistry &Registry() { return m_registry; }
    // The file and folder pickers: the desktop's, or the test's.
    CFileDialogs &FileDialogs() const;
    // The folder chosen last in the publish settings this run; the project's folder until one is chosen.
    QString LastPublishFolder;

    // ---- Views ----
    // Shows the main view of the index and returns the view visible before (null before start-up).
    QWidget *SwitchView(int index);
    void OnViewSettings() { OnViewCommand(SettingsViewIndex); }
    void OnViewImport() { OnViewCommand(ImportViewIndex); }
    void OnViewEdit() { OnViewCommand(EditViewIndex); }
    void OnViewPublish() { OnViewCommand(PublishViewIndex); }
    bool IsViewCommandEnabled(int index) const { return m_switcher.IsViewCommandEnabled(index); }

    // ---- Commands ----
    // The application's commands (views, file, publish menu, About). False when it has no such command.
    bool OnCommand(int commandId);
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OpenRecentFile(int index);
    // Opens the project; on success it joins the recent projects.
    bool OpenDocumentFile(const QString &path);
    // Saves to the project's file, or asks for one when it has none or cannot be written there.
    bool SaveProject();
    // When the project has unsaved changes, asks whether to save them: false when the author cancels or the
    // save fails, so whatever was about to replace the project does not happen.
    bool SaveModified();
    void OnAppAbout();
    // The Preferences menu's per-user settings: the graphics library's folder (kvx.ini [Library]), the
    // current settings as every new project's and their reset, the auto-backup options (dovar.txt).
    void OnSetGraphicsLibraryLocation();
    void OnSaveSettingsAsDefault();
    void OnResetSettings();
    void OnAutoBackupSettings();
    // The main window is about to close: false keeps it open.
    bool OnFrameClose();

    // ---- CStartupHost ----
    bool CreateFrameAndDocument() override;
    void ShowMainWindow() override;
    void ShowLoadingWindow() override;
    void CloseLoadingWindow() override;
    QStringList *UsedLibraryPictures() override;
    void SetSpecialCharacters(const QList<QPair<QString, QString>> &substitutions) override;
    void CreateMainViews() override;
    void UpdateBarVisibility() override;
    bool ProcessCommandLine(const CCommandLineInfo &commandLine) override;
    void FocusCategoryTree() override;

    // ---- CMainViewHost ----
    void HideView(int index) override;
    void RefreshSettingsPages() override;
    void ShowAndActivateView(int index) override;

    // ---- CDocumentObserver ----
    void OnModifiedChanged(CCorvessaDoc &document) override;

private:
    void OnViewCommand(int index);
    void OnPublishMenu(int commandId);
    void AddRecentFile(const QString &path);
    void UpdateTitle();
    void SaveWindowState();
    bool RestoreWindowState();
    QString DialogFolder() const;
    class FileUi;
    friend class FileUi;

    CAppOptions m_options;
    CCorvContext m_context;
    std::unique_ptr<CMessageBoxPrompt> m_messageBoxes;
    std::unique_ptr<CDlgProgress> m_progress;
    CFileRegistry m_registry;
    CImagesXmlIndex m_library;
    CGraphicsLibrary m_librarySearch;
    CCharacterSubstitutions m_specialCharacters;
    CViewSwitcher m_switcher;
    CStartupSequence m_sequence;
    CRecentFileList m_recentFiles;
    std::unique_ptr<CCorvessaDoc> m_document;
    std::unique_ptr<FileUi> m_fileUi;
    std::unique_ptr<CProjectFileCommands> m_fileCommands;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CDlgXMLLoading> m_loadingWindow;
    std::array<QWidget *, kMainViewCount> m_views{};
    CSettingsFrmVw *m_settingsView = nullptr;
    CImportSummaryView *m_importView = nullptr;
    CEditFrmVw *m_editView = nullptr;
    CPublishFrmVw *m_publishView = nullptr;
};
