#pragma once

#include <QString>
#include <QStringList>

// What the whole program shares and the original reached through the application object: the program
// folder, the per-user application-data folder, the version texts, the graphics-library root. The
// application fills it at start-up; tests fill it with fixtures. Later parts of the program add members
// here rather than reaching for a global application object.
class CCorvContext
{
public:
    static CCorvContext &Instance();

    // Folder of the running program; the program-folder data lies beside it.
    QString programFolder;
    // Zerandt/Corvessa<major> under the per-user configuration folder.
    QString appDataFolder;
    // The major version as text ("4"), used in per-user folder names.
    QString majorVersionText;
    // The full version text ("4.009").
    QString versionText;
    // Graphics-library root, ending in "/".
    QString graphicsLibraryRoot;
    // The open document's RightToLeft setting (0 or 1): the direction new text boxes take.
    int rightToLeft = 0;

    // Fills the program folder, the major version and the per-user folder from the running program and the
    // standard locations. The version text (GetExeVersionString) and the graphics-library root are set by
    // the application, which knows them.
    void InitFromEnvironment();
    // The per-user folder for a major version, under the XDG configuration folder.
    static QString DefaultAppDataFolder(const QString &majorVersion);
};
