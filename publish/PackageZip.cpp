#include "publish/PackageZip.h"

#include "platform/FileSystemUtil.h"
#include "publish/PublishContext.h"
#include "publish/ZipWriter.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The add refused every later entry: the walk can stop.
bool ArchiveStopped(ZipResult result) { return result == ZipFailedBefore || result == ZipEnded; }

ZipResult AddFolderEntries(ZipHandle handle, const fs::path &folder, const QString &basePrefix)
{
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    if (ec)
        return ZipNoFile;
    // The same package for the same folder on every run.
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry &a, const fs::directory_entry &b) { return a.path().filename() < b.path().filename(); });

    ZipResult first = ZipOk;
    for (const fs::directory_entry &entry : entries) {
        // A link could lead out of the folder or round in a circle; pipes and devices are no course files.
        const fs::file_status status = entry.symlink_status(ec);
        ZipResult result = ZipOk;
        if (ec) {
            result = ZipNoFile;
        } else if (fs::is_directory(status)) {
            result = AddFolderEntries(handle, entry.path(), basePrefix);
        } else if (fs::is_regular_file(status)) {
            QString name = CorvFs::FromFsPath(entry.path());
            if (name.startsWith(basePrefix))
                name.remove(0, basePrefix.size());
            result = AddZipEntry(handle, name, ZipSource::FromFileName(CorvFs::FromFsPath(entry.path())));
        }
        if (result != ZipOk && first == ZipOk)
            first = result;
        if (ArchiveStopped(result))
            break;
    }
    return first;
}

} // namespace

ZipResult CPackageZip::AddFolderToZip(ZipHandle handle, const QString &folder, const QString &basePrefix)
{
    return AddFolderEntries(handle, CorvFs::ToFsPath(folder), basePrefix);
}

namespace {
constexpr int kPackageLevel = 6;
}

bool CPackageZip::Write()
{
    const QString &targetFolder = m_context.GetTargetFolder();
    if (targetFolder.trimmed().isEmpty())
        return false;
    const QString package = targetFolder + QStringLiteral(".zip");
    // An older package goes first; a folder of that name is never removed (the package then fails).
    const QFileInfo old(package);
    if ((old.isSymLink() || old.isFile()) && !QFile::remove(package))
        return false;
    // The zip program's default level: a package of a large course packs in about two thirds of the time
    // level 8 takes, for a few tenths of a percent in size.
    ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(package), kPackageLevel);
    if (!zip)
        return false;
    const ZipResult added = AddFolderToZip(zip, targetFolder, targetFolder + u'/');
    const ZipResult closed = CloseZipArchive(zip);
    if (added != ZipOk || closed != ZipOk) {
        // A package that lacks files must not be taken for the course.
        QFile::remove(package);
        return false;
    }
    return true;
}
