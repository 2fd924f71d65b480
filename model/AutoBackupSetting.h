#pragma once

#include <QString>

class CCorvContext;

// The auto-backup settings the document keeps, read from and written to "dovar.txt" in the per-user
// application-data folder as three decimals "%d\n%d\n%d": back up on save, limit the backups, how many.
// The settings dialog shows and edits these values.
class CAutoBackupSetting
{
public:
    int BackupOnSave = 1;
    int LimitBackups = 1;
    int BackupLimit = 5;

    static constexpr int kMinimumBackupLimit = 5;

    // The values from the file; each value that is missing or not a number keeps its default. Nothing
    // changes when the file does not exist.
    void Load(const QString &path);
    // What OK does: the limit raised to the minimum, then the three values written. False when the file
    // cannot be written.
    bool Confirm(const QString &path);

    // "dovar.txt" in the application-data folder of the context.
    static QString DefaultPath(const CCorvContext &context);
};
