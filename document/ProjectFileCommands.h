#pragma once

#include <QString>

class CCorvessaDoc;
class CProjectFileUi;

// The Open, Save, Save As and auto-backup commands of the document: which file is written, the project
// extension, and the backup before a project is saved over under its own name. The project's bytes and
// folder are the project file's (CProjectFile); the failures it gives back are shown here.
class CProjectFileCommands
{
public:
    CProjectFileCommands(CCorvessaDoc &doc, CProjectFileUi &ui);

    // "Open Project...": the chosen project is opened and added to the recent files. False when cancelled
    // or not opened.
    bool OnFileOpenProject();
    bool OnFileSaveProject() { return SaveProject(); }
    bool OnFileSaveProjectAs();
    // "Auto-backup settings...": on OK the settings are kept and written to the per-user folder.
    void OnAutoBackupSettings();

    // Saves under the current name when that file exists and may be written, otherwise asks for a name
    // as Save As does.
    bool SaveProject();
    // Saves to path, or (none given) to the name the author chooses in the save dialog, with ".kvx" added
    // when the name lacks it. Saving under a given path makes a backup first when backups on save are on;
    // a backup that cannot be made stops the save before anything is written. With replace the document
    // is bound to the file and the file joins the recent files.
    bool DoSaveProject(const QString &path, bool replace);

    // The name a first save proposes: the title up to the first blank, "#", "%", ";", "/" or "\", and ".kvx".
    static QString ProposedName(const QString &title);
    // The path with ".kvx" appended unless it ends so (without regard to case).
    static QString WithProjectExtension(const QString &path);

private:
    CCorvessaDoc &m_doc;
    CProjectFileUi &m_ui;
};
