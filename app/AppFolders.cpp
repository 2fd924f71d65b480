#include "app/AppFolders.h"

#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"

#include <QRegularExpression>

#include <filesystem>

namespace fs = std::filesystem;

namespace CorvAppFolders {

QString VersionMajorOf(const QString &versionText)
{
    const qsizetype dot = versionText.indexOf(u'.');
    return dot < 0 ? versionText : versionText.left(dot);
}

QString AppDataFolderOf(const QString &base, const QString &versionMajor)
{
    return CorvPath::Join(base, QStringLiteral("Zerandt/Corvessa") + versionMajor);
}

QString TempFolderOf(const QString &appDataFolder, qint64 processId)
{
    return CorvPath::Join(appDataFolder, QStringLiteral("temp") + QString::number(processId));
}

QString KvxIniPathOf(const QString &appDataFolder) { return CorvPath::Join(appDataFolder, QStringLiteral("kvx.ini")); }

bool RemoveTempFolder(const QString &appDataFolder, const QString &tempFolder)
{
    static const QRegularExpression tempName(QStringLiteral("^temp[0-9]+$"));
    if (appDataFolder.isEmpty() || tempFolder.isEmpty())
        return false;
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(CorvFs::ToFsPath(appDataFolder), ec);
    if (ec || CorvFs::IsProtectedFolder(base))
        return false;
    const fs::path temp = CorvFs::ToFsPath(tempFolder).lexically_normal();
    fs::path name = temp.filename();
    fs::path parent = temp.parent_path();
    if (name.empty()) { // a trailing separator
        name = parent.filename();
        parent = parent.parent_path();
    }
    if (!tempName.match(CorvFs::NameOf(name)).hasMatch())
        return false;
    // The parent is compared after its links are resolved; the temporary folder itself is not resolved,
    // so a link put in its place is removed as a link.
    if (fs::weakly_canonical(parent, ec) != base || ec)
        return false;
    const fs::path target = base / name;
    const fs::file_status status = fs::symlink_status(target, ec);
    if (!fs::exists(status))
        return true;
    if (fs::is_symlink(status))
        return fs::remove(target, ec) && !ec;
    fs::remove_all(target, ec);
    return !ec && !fs::exists(fs::symlink_status(target, ec));
}

} // namespace CorvAppFolders
