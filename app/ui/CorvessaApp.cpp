#include "app/ui/CorvessaApp.h"

#include "app/AppFolders.h"
#include "app/CommandIds.h"
#include "app/ui/AboutDlg.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/ScrollViewEx.h"
#include "platform/ui/FileDialogs.h"
#include "app/ui/ImportSummaryView.h"
#include "app/ui/MainFrame.h"
#include "platform/ui/MessageBoxPrompt.h"
#include "app/ui/DlgProgress.h"
#include "app/ui/PublishFrmVw.h"
#include "app/ui/SettingsFrmVw.h"
#include "app/ui/XmlLoadingWindow.h"
#include "platform/ui/FolderDialog.h"
#include "app/LibraryLocation.h"
#include "dialogs/ui/DlgAutoBackupSetting.h"
#include "document/UserSettingsStore.h"
#include "platform/IniFile.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "document/ProjectFileCommands.h"
#include "document/ProjectFileUi.h"
#include "image/qt/MetafilePlayer.h"
#include "model/GlobalHelpers.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTreeWidget>

using namespace CorvCommand;

namespace {

const QString kFileFilter = QStringLiteral("Corvessa File (*.kvx)");
const QString kUntitled = QStringLiteral("Untitled");

// The options with every empty place filled in.
CAppOptions Completed(CAppOptions options)
{
    if (options.programFolder.isEmpty())
        options.programFolder = QCoreApplication::applicationDirPath();
    if (options.appDataBase.isEmpty())
        options.appDataBase = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (options.machineRegistryFile.isEmpty())
        options.machineRegistryFile = CorvPath::Join(options.programFolder, QStringLiteral("registry.ini"));
    if (options.userRegistryFile.isEmpty())
        options.userRegistryFile = CorvPath::Join(options.appDataBase, QStringLiteral("Zerandt/registry.ini"));
    if (options.processId == 0)
        options.processId = QCoreApplication::applicationPid();
    return options;
}

const QString &WindowSection()
{
    static const QString section = CorvRegistryKeys::kProductKey + QStringLiteral("\\Window");
    return section;
}

} // namespace

// The project file commands' dialogs: the desktop's (or the test's) file dialogs, the recent projects and
// the wait cursor of the application.
class CCorvessaApp::FileUi : public CProjectFileUi
{
public:
    explicit FileUi(CCorvessaApp &app) : m_app(app) {}

    QString AskOpenProjectPath() override
    {
        return m_app.FileDialogs().GetOpenFileName(m_app.m_frame.get(), QStringLiteral("Open Project"),
                                                   m_app.DialogFolder(), kFileFilter);
    }
    QString AskSaveProjectPath(const QString &proposedPath) override
    {
        // A bare proposed name goes into the folder the dialogs start in.
        const QString proposal = proposedPath.isEmpty() || QFileInfo(proposedPath).isAbsolute()
                                     ? proposedPath
                                     : CorvPath::Join(m_app.DialogFolder(), proposedPath);
        return m_app.FileDialogs().GetSaveFileName(m_app.m_frame.get(), QStringLiteral("Save Project As"), proposal,
                                                   kFileFilter);
    }
    void AddToRecentFiles(const QString &path) override { m_app.AddRecentFile(path); }
    bool EditAutoBackupSettings(CAutoBackupSetting &settings) override
    {
        CDlgAutoBackupSetting dialog(m_app.m_frame.get());
        dialog.values = settings;
        if (dialog.exec() != QDialog::Accepted)
            return false;
        settings = dialog.values;
        // The file lies in the per-user folder, which a first run may not have made yet.
        if (const CStatus made = CreateFolderPath(m_app.m_context.appDataFolder); !made)
            m_app.m_context.Prompt().Error(made.Error());
        return true;
    }
    void SetWaitCursor(bool on) override
    {
        if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
            return;
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

private:
    CCorvessaApp &m_app;
};

CCorvessaApp::CCorvessaApp(CAppOptions options)
    : m_options(Completed(std::move(options))),
      m_registry(m_options.machineRegistryFile, m_options.userRegistryFile), m_library(m_context), m_switcher(*this),
      m_sequence(*this, m_registry, m_library, m_context, m_options.appDataBase)
{
    m_context.programFolder = m_options.programFolder;
    m_context.versionText = GetExeVersionString();
    if (m_options.prompt) {
        m_context.prompt = m_options.prompt;
    } else {
        m_messageBoxes = std::make_unique<CMessageBoxPrompt>();
        m_context.prompt = m_messageBoxes.get();
    }
}

CCorvessaApp::~CCorvessaApp()
{
    // The views leave the document's observers as the frame takes them down; the document goes last.
    m_loadingWindow.reset();
    m_frame.reset();
    if (m_document)
        m_document->RemoveObserver(this);
}

CStartupSequence::Result CCorvessaApp::InitInstance()
{
    const CCommandLineInfo commandLine = CCommandLineInfo::Parse(m_options.arguments);
    if (!commandLine.automation)
        RegisterMetafilePlayer();
    return m_sequence.Run(commandLine);
}

QString CCorvessaApp::TempFolder() const
{
    if (m_context.appDataFolder.isEmpty())
        return {};
    return CorvAppFolders::TempFolderOf(m_context.appDataFolder, m_options.processId);
}

int CCorvessaApp::ExitInstance()
{
    CorvAppFolders::RemoveTempFolder(m_context.appDataFolder, TempFolder());
    return 0;
}

QWidget *CCorvessaApp::CurrentView() const
{
    const int index = m_switcher.CurrentViewIndex();
    return index < 0 ? nullptr : m_views[size_t(index)];
}

CFileDialogs &CCorvessaApp::FileDialogs() const
{
    return m_options.fileDialogs ? *m_options.fileDialogs : CFileDialogs::Native();
}

// ---- Start-up ----

bool CCorvessaApp::CreateFrameAndDocument()
{
    m_document = std::make_unique<CCorvessaDoc>(m_context);
    m_document->AddObserver(this);
    m_fileUi = std::make_unique<FileUi>(*this);
    m_fileCommands = std::make_unique<CProjectFileCommands>(*m_document, *m_fileUi);
    if (!m_document->OnNewDocument())
        return false;
    m_frame = std::make_unique<CMainFrame>(*this);
    if (!m_frame->OnCreate())
        return false;
    if (m_messageBoxes)
        m_messageBoxes->SetParentWindow(m_frame.get());
    m_progress = std::make_unique<CDlgProgress>(m_frame.get());
    m_context.progress = m_progress.get();
    m_recentFiles.ReadList(m_registry.UserFile());
    m_frame->SetRecentFiles(m_recentFiles.Files());
    m_settingsView = new CSettingsFrmVw(*m_document);
    m_frame->AddMainView(m_settingsView);
    m_frame->ShowView(m_settingsView);
    UpdateTitle();
    return true;
}

void CCorvessaApp::ShowMainWindow()
{
    if (!RestoreWindowState()) {
        m_frame->resize(1120, 760);
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            m_frame->move(screen->availableGeometry().center() - m_frame->rect().center());
    }
    m_frame->show();
}

void CCorvessaApp::ShowLoadingWindow()
{
    m_loadingWindow = std::make_unique<CDlgXMLLoading>();
    m_loadingWindow->CreateAndShow();
}

void CCorvessaApp::CloseLoadingWindow() { m_loadingWindow.reset(); }

QStringList *CCorvessaApp::UsedLibraryPictures() { return m_document ? &m_document->UsedLibraryPictures : nullptr; }

void CCorvessaApp::SetSpecialCharacters(const QList<QPair<QString, QString>> &substitutions)
{
    m_specialCharacters.Clear();
    for (const auto &[key, value] : substitutions)
        m_specialCharacters.Set(key, value);
}

void CCorvessaApp::CreateMainViews()
{
    m_switcher.SetStarted();
    m_views[SettingsViewIndex] = m_settingsView;
    m_importView = new CImportSummaryView(*m_document);
    m_librarySearch.Attach(m_library.Document(), m_library.ExcludedWords(), m_library.UsedPictures());
    m_context.graphicsLibraryIndex = m_library.Document();
    m_importView->SetGraphicsLibrary(&m_librarySearch);
    m_importView->SetProgressWindow(m_progress.get());
    m_editView = new CEditFrmVw(*m_document);
    m_editView->SetGraphicsLibrary(&m_librarySearch);
    m_editView->SetFileDialogs(&FileDialogs());
    m_editView->SetProfile(&m_registry.UserFile(), CorvRegistryKeys::kProductKey);
    m_publishView = new CPublishFrmVw(*m_document, *m_editView, &m_specialCharacters, [this] { return SaveProject(); });
    m_publishView->SetProgressWindow(m_progress.get());
    m_publishView->Controller().SetTempFolder(TempFolder());
    m_views[ImportViewIndex] = m_importView;
    m_views[EditViewIndex] = m_editView;
    m_views[PublishViewIndex] = m_publishView;
    for (QWidget *view : {static_cast<QWidget *>(m_importView), static_cast<QWidget *>(m_editView),
                          static_cast<QWidget *>(m_publishView)})
        m_frame->AddMainView(view);
    m_frame->SetEditView(m_editView);
    connect(m_editView, &CEditFrmVw::CurrentPageChanged, m_frame.get(), &CMainFrame::UpdateCommandStates);
    connect(m_editView, &CEditFrmVw::PreviewRequested, m_publishView, &CPublishFrmVw::PreviewScreen);
    connect(m_editView, &CEditFrmVw::HelpRequested, m_frame.get(), &CMainFrame::ShowHelp);
    connect(m_editView->Canvas(), &CScrollViewEx::selectionFontChanged, m_frame.get(), &CMainFrame::SelectFontInToolbar);
    // A drawing tool draws one shape: its button comes up again once the shape is on the screen.
    connect(m_editView->Canvas(), &CScrollViewEx::drawingFinished, m_frame.get(), [this] {
        m_frame->LineToolArmed = m_frame->RectangleToolArmed = m_frame->CircleToolArmed = false;
        m_frame->UpdateCommandStates();
    });
    // The status bar's panes follow the selected component on the canvas.
    connect(m_editView->Canvas(), &CScrollViewEx::positionChanged, m_frame.get(), [this](int x, int y, int w, int h) {
        m_frame->ShowItemPosition(x, y);
        m_frame->ShowItemSize(w, h);
    });
}

void CCorvessaApp::UpdateBarVisibility()
{
    m_frame->UpdateEditBarVisibility();
    m_frame->UpdateFormattingBarVisibility();
}

bool CCorvessaApp::ProcessCommandLine(const CCommandLineInfo &commandLine)
{
    if (!commandLine.fileName.isEmpty())
        return OpenDocumentFile(QFileInfo(commandLine.fileName).absoluteFilePath());
    // The second new project of start-up fills the views; nothing of the author's is in it yet, so quitting
    // right away asks nothing.
    m_document->SetPathName({});
    if (!m_document->OnNewDocument())
        return false;
    m_document->SetModifiedFlag(false);
    UpdateTitle();
    m_frame->UpdateCommandStates();
    return true;
}

void CCorvessaApp::FocusCategoryTree()
{
    if (m_settingsView)
        m_settingsView->CategoryTree()->setFocus(Qt::OtherFocusReason);
}

// ---- Views ----

QWidget *CCorvessaApp::SwitchView(int index)
{
    const int previous = m_switcher.SwitchView(index);
    return previous < 0 ? nullptr : m_views[size_t(previous)];
}

void CCorvessaApp::HideView(int index)
{
    // The frame shows one main view at a time: showing the next one hides this one.
    if (QWidget *view = m_views[size_t(index)])
        view->clearFocus();
}

void CCorvessaApp::RefreshSettingsPages()
{
    if (m_settingsView) {
        m_settingsView->RefreshManagementPage();
        m_settingsView->RefreshButtonsPage();
    }
}

void CCorvessaApp::ShowAndActivateView(int index)
{
    if (m_frame && m_views[size_t(index)])
        m_frame->ShowView(m_views[size_t(index)]);
}

void CCorvessaApp::OnViewCommand(int index)
{
    SwitchView(index);
    if (!m_frame)
        return;
    m_frame->UpdateEditBarVisibility();
    m_frame->UpdateFormattingBarVisibility();
    m_frame->UpdateCommandStates();
}

void CCorvessaApp::OnPublishMenu(int commandId)
{
    static const QHash<int, int> buttons = {{PublishStandaloneMenu, PublishStandaloneButton},
                                            {PublishLanMenu, PublishLanButton},
                                            {PublishWebMenu, PublishWebButton},
                                            {PublishLmsMenu, PublishLmsButton}};
    // The bars stay as they were: only the view changes before the Publish window takes the command.
    SwitchView(PublishViewIndex);
    if (!m_frame)
        return;
    m_frame->UpdateCommandStates();
    m_frame->OnCommand(buttons.value(commandId));
}

bool CCorvessaApp::OnCommand(int commandId)
{
    const int view = CViewSwitcher::ViewIndexOfCommand(commandId);
    if (view >= 0) {
        OnViewCommand(view);
        return true;
    }
    switch (commandId) {
    case FileNew: OnFileNew(); return true;
    case FileOpen: OnFileOpen(); return true;
    case FileSave: OnFileSave(); return true;
    case FileSaveAs: OnFileSaveAs(); return true;
    case AppAbout: OnAppAbout(); return true;
    case GraphicsLibraryLocation: OnSetGraphicsLibraryLocation(); return true;
    case SaveSettingsAsDefault: OnSaveSettingsAsDefault(); return true;
    case ResetSettings: OnResetSettings(); return true;
    case AutoBackupSettings: OnAutoBackupSettings(); return true;
    case PublishStandaloneMenu:
    case PublishLanMenu:
    case PublishWebMenu:
    case PublishLmsMenu: OnPublishMenu(commandId); return true;
    case PublishStandaloneButton:
    case PublishLanButton:
    case PublishWebButton:
    case PublishLmsButton:
        // The Publish window's own buttons, while it is the visible view.
        return CurrentView() == m_publishView && m_publishView && m_publishView->OnCommand(commandId);
    default: return false;
    }
}

// ---- Preferences ----

void CCorvessaApp::OnSetGraphicsLibraryLocation()
{
    CPrompt &prompt = m_context.Prompt();
    if (const CStatus made = CreateFolderPath(m_context.appDataFolder); !made)
        prompt.Error(made.Error());
    CIniFile kvxIni(CorvAppFolders::KvxIniPathOf(m_context.appDataFolder));
    CFolderDialog picker(QStringLiteral("\nPlease select the location of the graphics library:"),
                         kvxIni.ReadString(QStringLiteral("Library"), QStringLiteral("Image Root Path")), m_frame.get(),
                         CFolderDialog::kBrowseFlags, &FileDialogs());
    if (picker.DoModal() != CFolderDialog::IDOK)
        return;
    QString folder = picker.GetFolderPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    if (!kvxIni.WriteString(QStringLiteral("Library"), QStringLiteral("Image Root Path"), folder)) {
        prompt.Error(QStringLiteral("The graphics library location could not be saved in %1.\n%2")
                         .arg(kvxIni.Path(), kvxIni.ErrorText()));
        return;
    }
    CorvLibraryLocation::GetGraphicsLibraryRoot(kvxIni, m_registry,
                                                CorvLibraryLocation::DefaultRoot(m_context.programFolder),
                                                m_context.graphicsLibraryRoot);
}

void CCorvessaApp::OnSaveSettingsAsDefault()
{
    CUserSettingsStore(m_context.appDataFolder).SaveAsDefault(m_document ? &m_document->Settings() : nullptr, m_context.Prompt());
}

void CCorvessaApp::OnResetSettings() { CUserSettingsStore(m_context.appDataFolder).Reset(); }

void CCorvessaApp::OnAutoBackupSettings()
{
    if (m_fileCommands)
        m_fileCommands->OnAutoBackupSettings();
}

// ---- Document commands ----

QString CCorvessaApp::DialogFolder() const
{
    const QString path = m_document ? m_document->GetPathName() : QString();
    if (!path.isEmpty())
        return QFileInfo(path).absolutePath();
    if (!m_recentFiles.Files().isEmpty())
        return QFileInfo(m_recentFiles.Files().first()).absolutePath();
    return QDir::homePath();
}

bool CCorvessaApp::SaveModified()
{
    if (!m_document || !m_document->IsModified())
        return true;
    const QString path = m_document->GetPathName();
    const QString name = path.isEmpty() ? kUntitled : QFileInfo(path).fileName();
    switch (m_context.Prompt().YesNoCancel(QStringLiteral("Save changes to %1?").arg(name))) {
    case CPrompt::yes: return SaveProject();
    case CPrompt::no: return true;
    default: return false;
    }
}

void CCorvessaApp::OnFileNew()
{
    const CDlgProgress::Scope progress(m_progress.get());
    if (!SaveModified())
        return;
    m_document->SetPathName({});
    m_document->OnNewDocument();
    UpdateTitle();
    m_frame->UpdateCommandStates();
}

void CCorvessaApp::OnFileOpen()
{
    const CDlgProgress::Scope progress(m_progress.get());
    if (!SaveModified())
        return;
    if (m_fileCommands->OnFileOpenProject()) {
        UpdateTitle();
        m_frame->UpdateCommandStates();
    }
}

bool CCorvessaApp::OpenDocumentFile(const QString &path)
{
    const CDlgProgress::Scope progress(m_progress.get());
    if (const CStatus opened = CProjectFile::Open(*m_document, path); !opened) {
        m_document->Prompt().Error(opened.Error());
        return false;
    }
    AddRecentFile(path);
    UpdateTitle();
    m_frame->UpdateCommandStates();
    return true;
}

void CCorvessaApp::OpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.Files().size() || !SaveModified())
        return;
    if (OpenDocumentFile(m_recentFiles.Files()[index]))
        return;
    // A project that cannot be opened any more leaves the list.
    m_recentFiles.Remove(index);
    m_recentFiles.WriteList(m_registry.UserFile());
    m_frame->SetRecentFiles(m_recentFiles.Files());
}

bool CCorvessaApp::OnFileSave() { return SaveProject(); }

bool CCorvessaApp::SaveProject()
{
    const CDlgProgress::Scope progress(m_progress.get());
    const bool saved = m_fileCommands->SaveProject();
    UpdateTitle();
    return saved;
}

bool CCorvessaApp::OnFileSaveAs()
{
    const CDlgProgress::Scope progress(m_progress.get());
    const bool saved = m_fileCommands->OnFileSaveProjectAs();
    UpdateTitle();
    return saved;
}

void CCorvessaApp::AddRecentFile(const QString &path)
{
    m_recentFiles.Add(QFileInfo(path).absoluteFilePath());
    m_recentFiles.WriteList(m_registry.UserFile());
    if (m_frame)
        m_frame->SetRecentFiles(m_recentFiles.Files());
}

void CCorvessaApp::UpdateTitle()
{
    if (!m_frame || !m_document)
        return;
    const QString path = m_document->GetPathName();
    const QString name = path.isEmpty() ? kUntitled : QFileInfo(path).completeBaseName();
    // "[*]" is where the window shows its modified mark; a "[*]" of the file's own name stays text.
    m_frame->setWindowTitle(QStringLiteral("%1[*] - Corvessa").arg(QString(name).replace(QLatin1String("[*]"), QLatin1String("[*][*]"))));
    m_frame->setWindowModified(m_document->IsModified());
}

void CCorvessaApp::OnModifiedChanged(CCorvessaDoc &) { UpdateTitle(); }

void CCorvessaApp::OnAppAbout()
{
    CAboutDlg about(m_context.versionText, m_frame.get());
    about.exec();
}

bool CCorvessaApp::OnFrameClose()
{
    if (!SaveModified())
        return false;
    SaveWindowState();
    return true;
}

// ---- Window state ----

void CCorvessaApp::SaveWindowState()
{
    CIniFile &profile = m_registry.UserFile();
    profile.WriteString(WindowSection(), QStringLiteral("Geometry"), QString::fromLatin1(m_frame->saveGeometry().toBase64()));
    profile.WriteString(WindowSection(), QStringLiteral("State"), QString::fromLatin1(m_frame->saveState().toBase64()));
}

bool CCorvessaApp::RestoreWindowState()
{
    const CIniFile &profile = m_registry.UserFile();
    const QByteArray geometry = QByteArray::fromBase64(profile.ReadString(WindowSection(), QStringLiteral("Geometry")).toLatin1());
    const QByteArray state = QByteArray::fromBase64(profile.ReadString(WindowSection(), QStringLiteral("State")).toLatin1());
    if (!state.isEmpty())
        m_frame->restoreState(state);
    return !geometry.isEmpty() && m_frame->restoreGeometry(geometry);
}
