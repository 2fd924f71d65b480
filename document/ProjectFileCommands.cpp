#include "document/ProjectFileCommands.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "document/DocumentObserver.h"
#include "document/ProjectBackups.h"
#include "document/ProjectFileUi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr int kIdsBackupFailed = 40105;
constexpr int kIdsCannotWriteBackupSettings = 40106;
const QString kProjectExtension = QStringLiteral(".kvx");

// The wait cursor for the rest of a save.
class WaitCursor
{
public:
    explicit WaitCursor(CProjectFileUi &ui) : m_ui(ui) { m_ui.SetWaitCursor(true); }
    ~WaitCursor() { m_ui.SetWaitCursor(false); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    CProjectFileUi &m_ui;
};

} // namespace

CProjectFileCommands::CProjectFileCommands(CCorvessaDoc &doc, CProjectFileUi &ui) : m_doc(doc), m_ui(ui) {}

QString CProjectFileCommands::ProposedName(const QString &title)
{
    const qsizetype cut = title.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
    return (cut < 0 ? title : title.left(cut)) + kProjectExtension;
}

QString CProjectFileCommands::WithProjectExtension(const QString &path)
{
    return path.endsWith(kProjectExtension, Qt::CaseInsensitive) ? path : path + kProjectExtension;
}

bool CProjectFileCommands::OnFileOpenProject()
{
    const QString path = m_ui.AskOpenProjectPath();
    if (path.isEmpty())
        return false;
    if (const CStatus opened = CProjectFile::Open(m_doc, path); !opened) {
        m_doc.Prompt().Error(opened.Error());
        return false;
    }
    m_ui.AddToRecentFiles(path);
    m_doc.NotifyObservers([&](CDocumentObserver &observer) { observer.AfterOpenCommand(m_doc); });
    return true;
}

bool CProjectFileCommands::OnFileSaveProjectAs() { return DoSaveProject(QString(), true); }

void CProjectFileCommands::OnAutoBackupSettings()
{
    CAutoBackupSetting settings = m_doc.AutoBackupSettings;
    if (!m_ui.EditAutoBackupSettings(settings))
        return;
    const QString path = CAutoBackupSetting::DefaultPath(m_doc.GetContext());
    if (!settings.Confirm(path))
        m_doc.Prompt().Error(CStringTable::Load(kIdsCannotWriteBackupSettings).arg(path));
    m_doc.AutoBackupSettings = settings;
}

bool CProjectFileCommands::SaveProject()
{
    const QString path = m_doc.GetPathName();
    const QFileInfo file(path);
    // The owner's write permission stands for the file's read-only mark, whoever runs the program.
    const bool readOnly = !file.permissions().testFlag(QFileDevice::WriteOwner) || !file.isWritable();
    if (path.isEmpty() || !file.exists() || readOnly)
        return DoSaveProject(QString(), true);
    return DoSaveProject(path, true);
}

bool CProjectFileCommands::DoSaveProject(const QString &path, bool replace)
{
    QString target = path;
    if (path.isEmpty()) {
        QString proposal = m_doc.GetPathName();
        if (proposal.isEmpty() && replace)
            proposal = ProposedName(m_doc.GetTitle());
        target = m_ui.AskSaveProjectPath(proposal);
        if (target.isEmpty())
            return false;
        target = WithProjectExtension(target);
    }
    WaitCursor wait(m_ui);
    // The backup holds the project as it is before this save; without it nothing is written. The oldest
    // backups go only once the save has worked. A save that fails keeps its backup: the components may
    // have copied their media over the project folder's before the file could not be written, and the
    // backup is then the one copy of the folder as it was.
    const bool backUp = !path.isEmpty() && m_doc.AutoBackupSettings.BackupOnSave == 1;
    const CProjectBackups backups(m_doc.AutoBackupSettings, [this](SaveStep step) { return m_doc.SaveFault(step); });
    CProjectBackups::Backup backup;
    QString reason;
    if (backUp && !backups.MakeBackup(target, &backup, &reason)) {
        m_doc.Prompt().Error(
            CStringTable::Load(kIdsBackupFailed).arg(CProjectBackups::BackupsFolderOf(target), reason));
        return false;
    }
    // The file is replaced only once the new one is complete, so a failed save leaves nothing to delete.
    const QString previousPath = m_doc.GetPathName();
    if (const CStatus saved = CProjectFile::Save(m_doc, target); !saved) {
        m_doc.Prompt().Error(saved.Error());
        return false;
    }
    if (backUp && !backup.folder.isEmpty())
        backups.PruneBackups(backup.backupsFolder, backup.projectName, backup.folder);
    if (replace)
        m_ui.AddToRecentFiles(target);
    else
        m_doc.SetPathName(previousPath);
    return true;
}
