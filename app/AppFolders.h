#pragma once

#include <QString>

// The per-user folders of the program: the application-data folder named after the major version, and the
// temporary folder of one running process inside it.
namespace CorvAppFolders {

// The version text before its first "." ("4.009" gives "4"); the whole text when it has none.
QString VersionMajorOf(const QString &versionText);
// base + "/Zerandt/Corvessa" + the major version.
QString AppDataFolderOf(const QString &base, const QString &versionMajor);
// The temporary folder of the process: "temp" and the process id, inside the application-data folder.
QString TempFolderOf(const QString &appDataFolder, qint64 processId);
// kvx.ini in the application-data folder.
QString KvxIniPathOf(const QString &appDataFolder);

// Deletes the temporary folder with everything in it. Only a folder named "temp" and digits that lies
// directly in the application-data folder is touched, and links inside it are removed as links, never
// followed; anything else is refused (false). A folder that is not there counts as removed.
bool RemoveTempFolder(const QString &appDataFolder, const QString &tempFolder);

} // namespace CorvAppFolders
