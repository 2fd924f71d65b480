#include "publish/OutputCopier.h"

#include "model/GlobalHelpers.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"
#include "publish/OutputFolder.h"
#include "publish/PublishThreads.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Below this many files a folder is copied by one thread.
constexpr std::size_t kSharedFrom = 64;

bool IsPlainFile(const fs::path &path)
{
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(path, ec));
}

} // namespace

bool COutputCopier::Fail(const QString &text)
{
    if (m_errorText.isEmpty())
        m_errorText = text;
    return false;
}

bool COutputCopier::CopyFile(const QString &source, const QString &relativeDestination)
{
    const fs::path from = CorvFs::ToFsPath(source);
    if (!IsPlainFile(from))
        return true;

    const QString destination = CorvOutputFolder::Resolve(m_outputFolder, relativeDestination);
    if (destination.isEmpty() || !CorvOutputFolder::StaysInside(m_outputFolder, CorvPath::FolderOf(destination)))
        return Fail(QStringLiteral("The file %1 lies outside the output folder %2.").arg(relativeDestination, m_outputFolder));
    const fs::path to = CorvFs::ToFsPath(destination);
    std::error_code ec;
    const fs::file_status existing = fs::symlink_status(to, ec);
    if (fs::is_symlink(existing)) {
        // A link of that name is replaced, never written through.
        if (!fs::remove(to, ec))
            return Fail(QStringLiteral("The link %1 cannot be replaced.").arg(destination));
    } else if (fs::is_directory(existing)) {
        return Fail(QStringLiteral("A folder is in the way of the file %1.").arg(destination));
    }

    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) || ec) {
        // A source that cannot be read is passed over, as the run-time copy always did: the copy opens it
        // before the destination, so what was there stays.
        QFile in(CorvPath::ToSlashes(source));
        if (!in.open(QIODevice::ReadOnly))
            return true;
        // Nothing half-written stays behind.
        std::error_code ignored;
        fs::remove(to, ignored);
        return Fail(QString::fromLocal8Bit(ec.message()) + u'\n' + destination);
    }
    return true;
}

bool COutputCopier::CopyFolderFilesLowerCase(const QString &sourceFolder, const QString &relativeDestination,
                                             bool dropUnsafe)
{
    const fs::path folder = CorvFs::ToFsPath(sourceFolder);
    std::error_code ec;
    if (sourceFolder.isEmpty() || !fs::is_directory(fs::symlink_status(folder, ec)))
        return true;
    // In name order, so that two names that differ only in case always end the same way.
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // The kind the listing gave: a link is never taken for a file.
        std::error_code kind;
        if (!it->is_symlink(kind) && !kind && it->is_regular_file(kind) && !kind)
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());

    std::vector<std::pair<QString, QString>> copies;
    for (const fs::path &file : files) {
        const QString lower = CorvFs::NameOf(file).toLower();
        if (dropUnsafe) {
            QString safe = lower;
            RemoveUnsafeChars(safe);
            if (safe != lower)
                continue;
        }
        copies.emplace_back(CorvFs::FromFsPath(file),
                            relativeDestination.isEmpty() ? lower : CorvPath::Join(relativeDestination, lower));
    }
    // Names that differ only in case meet in one destination, where the last copy in name order wins: only
    // copies into destinations of their own are shared out among threads.
    std::vector<QString> destinations;
    destinations.reserve(copies.size());
    for (const auto &copy : copies)
        destinations.push_back(copy.second);
    std::sort(destinations.begin(), destinations.end());
    const bool distinct = std::adjacent_find(destinations.begin(), destinations.end()) == destinations.end();

    // The first failure in name order is the one kept, as when one copier copies them all.
    std::mutex mutex;
    std::size_t firstFailed = copies.size();
    QString firstText;
    CorvPublishThreads::ForEach(copies.size(), distinct ? kSharedFrom : copies.size() + 1, [&](std::size_t i, int) {
        COutputCopier one(m_outputFolder);
        if (one.CopyFile(copies[i].first, copies[i].second))
            return;
        const std::lock_guard lock(mutex);
        if (i < firstFailed) {
            firstFailed = i;
            firstText = one.GetErrorText();
        }
    });
    if (firstFailed == copies.size())
        return true;
    return Fail(firstText);
}
