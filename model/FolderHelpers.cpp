#include "model/GlobalHelpers.h"

#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"
#include "platform/ProcessRunner.h"

#include <algorithm>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The entries of a folder, read before any of them is changed.
std::vector<fs::directory_entry> EntriesOf(const fs::path &dir, std::error_code &ec)
{
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    return entries;
}

// A folder of its own, not a link to one: only these are searched or emptied recursively, so a link can
// neither loop nor lead a deletion outside the tree.
bool IsRealFolder(const fs::directory_entry &entry)
{
    std::error_code ec;
    return entry.is_directory(ec) && !entry.is_symlink(ec);
}

CStatus CreateOneFolder(const QString &folder)
{
    std::error_code ec;
    const fs::path dir = CorvFs::ToFsPath(folder);
    if (fs::is_directory(dir, ec))
        return {};
    if (fs::exists(dir, ec)) {
        // A file in the folder's place: nothing could be written into it.
        return CFailure(QString::fromLocal8Bit(std::make_error_code(std::errc::not_a_directory).message()) + u'\n'
                        + folder);
    }
    if (fs::create_directory(dir, ec))
        return {};
    std::error_code again;
    if (fs::is_directory(dir, again))
        return {}; // made meanwhile by someone else
    return CFailure(QString::fromLocal8Bit(ec.message()) + u'\n' + folder);
}

// The first failure's system text goes into reason (when given and still empty).
bool CopyTree(const fs::path &source, const fs::path &target, QString *reason)
{
    std::error_code ec;
    const auto failed = [&] {
        if (reason && reason->isEmpty() && ec)
            *reason = QString::fromLocal8Bit(ec.message());
        return false;
    };
    bool ok = true;
    if (!fs::is_directory(target, ec) && !fs::create_directories(target, ec))
        return failed();
    const auto entries = EntriesOf(source, ec);
    if (ec)
        return failed();
    for (const fs::directory_entry &entry : entries) {
        const fs::path to = target / entry.path().filename();
        if (IsRealFolder(entry)) {
            ok = CopyTree(entry.path(), to, reason) && ok;
        } else if (entry.is_directory(ec)) {
            continue; // a link to a folder: never followed
        } else if (!fs::copy_file(entry.path(), to, fs::copy_options::overwrite_existing, ec) || ec) {
            ok = failed(); // go on with the rest, as the copy always did
        }
    }
    return ok;
}

} // namespace

CStatus CreateFolderPath(const QString &path)
{
    if (path.size() < 4)
        return {};
    const QString slashed = CorvPath::ToSlashes(path);
    // Every folder on the way, then the whole path.
    for (qsizetype i = 1; i < slashed.size(); ++i) {
        if (slashed[i] != u'/' || slashed[i - 1] == u'/')
            continue;
        if (CStatus made = CreateOneFolder(slashed.left(i)); !made)
            return made;
    }
    QString whole = slashed;
    while (whole.size() > 1 && whole.endsWith(u'/'))
        whole.chop(1);
    return CreateOneFolder(whole);
}

int CountFolderFiles(const QString &folder, bool recurse)
{
    if (folder.isEmpty())
        return 0;
    std::error_code ec;
    int count = 0;
    for (const fs::directory_entry &entry : EntriesOf(CorvFs::ToFsPath(folder), ec)) {
        if (IsRealFolder(entry)) {
            if (recurse)
                count += CountFolderFiles(CorvFs::FromFsPath(entry.path()), true);
        } else if (!entry.is_directory(ec)) {
            ++count;
        }
    }
    return count;
}

int DeleteFolderFiles(const QString &folder, bool recurse, bool removeFolder)
{
    const fs::path dir = CorvFs::ToFsPath(folder);
    if (folder.isEmpty() || CorvFs::IsProtectedFolder(dir))
        return 0;
    std::error_code ec;
    const auto entries = EntriesOf(dir, ec);
    if (ec && fs::exists(dir))
        return 0; // there, but it cannot be read: nothing was deleted
    // Files are made deletable first, as their read-only mark was always cleared: here it is the
    // folder's own write permission that a deletion needs (a project copied from read-only media lacks
    // it). A failure to change it shows in the deletion below.
    if (!entries.empty()) {
        const fs::perms perms = fs::status(dir, ec).permissions();
        if (!ec && (perms & fs::perms::owner_write) == fs::perms::none)
            fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add, ec);
        ec.clear();
    }
    for (const fs::directory_entry &entry : entries) {
        if (IsRealFolder(entry)) {
            if (recurse && !DeleteFolderFiles(CorvFs::FromFsPath(entry.path()), true, true))
                return 0;
            continue;
        }
        // A file or a link (never its target).
        if (!fs::remove(entry.path(), ec) || ec)
            return 0;
    }
    if (removeFolder && (!fs::remove(dir, ec) || ec))
        return 0;
    return 1;
}

void CopyFolderFilesLowerCase(const QString &sourceFolder, const QString &targetFolder, bool dropUnsafe)
{
    std::error_code ec;
    const fs::path target = CorvFs::ToFsPath(targetFolder);
    for (const fs::directory_entry &entry : EntriesOf(CorvFs::ToFsPath(sourceFolder), ec)) {
        if (entry.is_directory(ec))
            continue;
        const QString lower = CorvFs::NameOf(entry.path()).toLower();
        if (dropUnsafe) {
            // Such a file is left where it is: it may be the author's only copy.
            QString safe = lower;
            RemoveUnsafeChars(safe);
            if (safe != lower)
                continue;
        }
        fs::copy_file(entry.path(), target / CorvFs::ToFsPath(lower), fs::copy_options::overwrite_existing, ec);
    }
}

int XCopyFolder(const QString &source, const QString &target, QString *reason)
{
    std::error_code ec;
    const fs::path from = CorvFs::ToFsPath(source);
    const fs::path to = CorvFs::ToFsPath(target);
    if (source.isEmpty() || target.isEmpty() || !fs::is_directory(from, ec))
        return 0;
    // A target inside the source would copy itself for ever.
    const fs::path fullFrom = fs::weakly_canonical(fs::absolute(from), ec);
    const fs::path fullTo = fs::weakly_canonical(fs::absolute(to), ec);
    if (std::mismatch(fullFrom.begin(), fullFrom.end(), fullTo.begin(), fullTo.end()).first == fullFrom.end())
        return 0;
    return CopyTree(from, to, reason) ? 1 : 0;
}

int RunProcessHidden(const QString &program, const QStringList &arguments, int timeoutMs, CProcessResult *result)
{
    const CProcessResult run = CProcessRunner::Run(program, arguments, timeoutMs);
    if (result)
        *result = run;
    return run.started ? 1 : 0;
}

int DeleteFileViaBatch(const QString &path)
{
    if (path.isEmpty())
        return 0;
    const QString slashed = CorvPath::ToSlashes(path);
    const QString name = CorvPath::FileName(slashed);
    std::error_code ec;
    if (!CorvFs::HasWildcard(name)) {
        const fs::path file = CorvFs::ToFsPath(slashed);
        const fs::file_status st = fs::symlink_status(file, ec);
        if (!fs::exists(st))
            return 1;
        if (fs::is_directory(st))
            return 0;
        return fs::remove(file, ec) && !ec ? 1 : 0;
    }
    const QString folder = CorvPath::FolderOf(slashed);
    const fs::path dir = folder.isEmpty() ? fs::path(slashed.startsWith(u'/') ? "/" : ".") : CorvFs::ToFsPath(folder);
    int ok = 1;
    for (const fs::directory_entry &entry : EntriesOf(dir, ec)) {
        if (entry.is_directory(ec) || !CorvFs::MatchesWildcard(CorvFs::NameOf(entry.path()), name))
            continue;
        if (!fs::remove(entry.path(), ec) || ec)
            ok = 0;
    }
    return ok;
}

int RemoveFolderViaBatch(const QString &folder)
{
    const fs::path dir = CorvFs::ToFsPath(folder);
    if (folder.isEmpty() || CorvFs::IsProtectedFolder(dir))
        return 0;
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(dir, ec);
    if (!fs::exists(st))
        return 1;
    if (!fs::is_directory(st))
        return 0;
    fs::remove_all(dir, ec);
    return ec || fs::exists(fs::symlink_status(dir, ec)) ? 0 : 1;
}
