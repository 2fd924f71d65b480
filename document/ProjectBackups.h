#pragma once

#include "platform/SaveFaults.h"
#include "model/AutoBackupSetting.h"

#include <QString>
#include <QStringList>

// Time-stamped backups of a project, made before it is saved over under its own name. For the project
// <parent>/<name>.kvx with its media folder <parent>/<name>, a backup is the folder
// "<parent>/<name> Backups/<name> <stamp>" holding a copy of the media folder as "<name>" and a copy of the
// project file; the stamp is the project file's modification time in local time, "YYYYMMDD-HHMMSS". Every
// copy and deletion is done on the file system directly, never through a shell.
class CProjectBackups
{
public:
    explicit CProjectBackups(const CAutoBackupSetting &settings, SaveFaultHook faults = {});

    // The stamp of the file's modification time; false, with stamp unchanged, when the file's status
    // cannot be read.
    static bool FormatBackupTimestamp(const QString &path, QString &stamp);
    // Whether a folder name is one of the project's backups: exactly "<name> " followed by 8 digits, "-"
    // and 6 digits.
    static bool IsBackupName(const QString &folderName, const QString &projectName);
    // "<parent>/<name> Backups" of a project path.
    static QString BackupsFolderOf(const QString &projectPath);

    // A backup as a save made it.
    struct Backup
    {
        QString backupsFolder;
        QString folder;      // empty when there was no project file to back up
        QString projectName;
        bool created = false; // the folder is new (not one of the same stamp made before)
    };

    // Backs the project up as it is on disk. A project file that does not exist has nothing to back up
    // (true, nothing made). When a copy fails the new backup is removed again and errorText tells why.
    // Pruning is left to the caller, once the save it guards has worked.
    bool MakeBackup(const QString &projectPath, Backup *made = nullptr, QString *errorText = nullptr) const;
    // With limiting on, removes the oldest backups of the project (by stamp, then modification time) until
    // no more than the limit remain, never the one named keep. Other entries of the folder are never touched,
    // and a backup that cannot be removed stops the pruning.
    void PruneBackups(const QString &backupsFolder, const QString &projectName, const QString &keep = {}) const;

private:
    // Removes a backup whose copies failed, so the backups stay as they were.
    static void Discard(const Backup &made);

    CAutoBackupSetting m_settings;
    SaveFaultHook m_faults;
};
