#include "document/ProjectBackups.h"

#include "model/GlobalHelpers.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The project's media folder, name and parent folder, from its path.
struct ProjectParts
{
    QString mediaFolder; // the path up to its last "."
    QString fileName;    // the project file's name
    QString name;        // the media folder's last component
    QString parent;      // the folder holding both
};

ProjectParts PartsOf(const QString &projectPath)
{
    ProjectParts p;
    const QString path = CorvPath::ToSlashes(projectPath);
    const qsizetype dot = path.lastIndexOf(u'.');
    p.mediaFolder = dot > path.lastIndexOf(u'/') ? path.left(dot) : path;
    p.fileName = CorvPath::FileName(path);
    p.name = CorvPath::FileName(p.mediaFolder);
    p.parent = CorvPath::FolderOf(p.mediaFolder);
    return p;
}

struct Found
{
    fs::path path;
    QString stamp;
    fs::file_time_type modified;
};

} // namespace

CProjectBackups::CProjectBackups(const CAutoBackupSetting &settings, SaveFaultHook faults)
    : m_settings(settings), m_faults(std::move(faults))
{
}

bool CProjectBackups::FormatBackupTimestamp(const QString &path, QString &stamp)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QDateTime local = info.lastModified().toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    stamp = QString::asprintf("%d%02d%02d-%02d%02d%02d", d.year(), d.month(), d.day(), t.hour(), t.minute(),
                              t.second());
    return true;
}

bool CProjectBackups::IsBackupName(const QString &folderName, const QString &projectName)
{
    static const QRegularExpression stamp(QStringLiteral("^\\d{8}-\\d{6}$"));
    const QString prefix = projectName + u' ';
    return folderName.size() == prefix.size() + 15 && folderName.startsWith(prefix)
           && stamp.match(folderName.mid(prefix.size())).hasMatch();
}

QString CProjectBackups::BackupsFolderOf(const QString &projectPath)
{
    const ProjectParts p = PartsOf(projectPath);
    return CorvPath::Join(p.parent, p.name + QStringLiteral(" Backups"));
}

bool CProjectBackups::MakeBackup(const QString &projectPath, Backup *made, QString *errorText) const
{
    const ProjectParts p = PartsOf(projectPath);
    Backup backup;
    backup.backupsFolder = BackupsFolderOf(projectPath);
    backup.projectName = p.name;
    QString stamp;
    if (!FormatBackupTimestamp(projectPath, stamp)) {
        if (made)
            *made = backup;
        return true; // no file, nothing to keep
    }
    backup.folder = CorvPath::Join(backup.backupsFolder, p.name + u' ' + stamp);
    std::error_code ec;
    const bool backupsExisted = fs::exists(CorvFs::ToFsPath(backup.backupsFolder), ec);
    // Two saves of a file with the same modification time share one backup: the later copy overwrites.
    backup.created = !fs::exists(CorvFs::ToFsPath(backup.folder), ec);

    const auto fail = [&](const QString &reason) {
        Discard(backup);
        std::error_code ignored;
        if (!backupsExisted)
            fs::remove(CorvFs::ToFsPath(backup.backupsFolder), ignored); // only when empty
        if (errorText)
            *errorText = reason;
        return false;
    };
    if (!fs::create_directories(CorvFs::ToFsPath(backup.folder), ec) && ec)
        return fail(QString::fromLocal8Bit(ec.message()));
    const QString media = CorvPath::ResolveNoCase(p.mediaFolder);
    // The system's reason (a full disk, a file too large) is named, as for a folder that cannot be made.
    QString reason;
    const bool copied = !QFileInfo(media).isDir()
                        || (!(m_faults && m_faults(SaveStep::backupFolder))
                            && XCopyFolder(media, CorvPath::Join(backup.folder, p.name), &reason));
    if (!copied) {
        const QString text = QStringLiteral("The project folder %1 could not be copied.").arg(media);
        return fail(reason.isEmpty() ? text : text + u' ' + reason);
    }
    if (m_faults && m_faults(SaveStep::backupFile))
        return fail(QStringLiteral("The project file could not be copied."));
    fs::copy_file(CorvFs::ToFsPath(projectPath), CorvFs::ToFsPath(CorvPath::Join(backup.folder, p.fileName)),
                  fs::copy_options::overwrite_existing, ec);
    if (ec)
        return fail(QString::fromLocal8Bit(ec.message()));
    if (made)
        *made = backup;
    return true;
}

void CProjectBackups::Discard(const Backup &made)
{
    // Only a folder of the backups' own naming that this save made is removed.
    if (!made.created || made.folder.isEmpty() || !IsBackupName(CorvPath::FileName(made.folder), made.projectName))
        return;
    std::error_code ignored;
    fs::remove_all(CorvFs::ToFsPath(made.folder), ignored);
}

void CProjectBackups::PruneBackups(const QString &backupsFolder, const QString &projectName, const QString &keep) const
{
    if (m_settings.LimitBackups != 1)
        return;
    const int limit = std::max(m_settings.BackupLimit, CAutoBackupSetting::kMinimumBackupLimit);
    std::error_code ec;
    std::vector<Found> found;
    for (fs::directory_iterator it(CorvFs::ToFsPath(backupsFolder), ec), end; !ec && it != end; it.increment(ec)) {
        const QString name = CorvFs::NameOf(it->path());
        std::error_code st;
        if (it->is_symlink(st) || !it->is_directory(st) || !IsBackupName(name, projectName))
            continue;
        found.push_back({it->path(), name.right(15), it->last_write_time(st)});
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.modified < b.modified;
    });
    const fs::path kept = keep.isEmpty() ? fs::path() : CorvFs::ToFsPath(keep);
    size_t remaining = found.size();
    for (const Found &b : found) {
        if (remaining <= size_t(limit))
            break;
        if (!kept.empty() && fs::equivalent(b.path, kept, ec))
            continue;
        fs::remove_all(b.path, ec);
        if (ec)
            return;
        --remaining;
    }
}
