#pragma once

#include <QString>

class CAutoBackupSetting;

// What the project file commands ask of the window side: the file dialogs, the recent-file list, the wait
// cursor and the auto-backup settings dialog. The program gives one that shows the desktop's dialogs;
// tests answer from a script.
class CProjectFileUi
{
public:
    virtual ~CProjectFileUi() = default;

    // The open dialog for project files (filter kProjectFilter, the file must exist); "" when cancelled.
    virtual QString AskOpenProjectPath() = 0;
    // The save dialog, proposing a name, asking before a file is replaced; "" when cancelled.
    virtual QString AskSaveProjectPath(const QString &proposedPath) = 0;
    virtual void AddToRecentFiles(const QString & /*path*/) {}
    virtual void SetWaitCursor(bool /*on*/) {}
    // Shows the settings modally; true when the author chose OK (the values are then the new ones).
    virtual bool EditAutoBackupSettings(CAutoBackupSetting & /*settings*/) { return false; }

    static constexpr char kProjectFilter[] = "Corvessa File (*.kvx)";
};
