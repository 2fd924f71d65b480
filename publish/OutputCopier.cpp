#include "publish/OutputCopier.h"

#include "model/GlobalHelpers.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"
#include "publish/OutputFolder.h"
#include "publish/PublishThreads.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <mutex>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Below this many files a folder is copied by one thread.
constexpr std::size_t kSharedFrom = 64;


} // namespace

bool COutputCopier::Fail(const QString &text)
{
    if (m_errorText.isEmpty())
        m_errorText = text;
    return false;
}

namespace {

// The system's text for an error number, as the copy names it.
QString ErrorText(int error) { return QString::fromLocal8Bit(std::generic_category().message(error)); }

// Copies every byte of in to out, up to the end of in; false with errno set when a read or write failed.
bool CopyBytes(int in, int out)
{
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::sendfile(out, in, &offset, 1 << 30);
        if (n > 0)
            continue;
        if (n == 0)
            return true;
        if (errno == EINTR)
            continue;
        if ((errno == EINVAL || errno == ENOSYS) && offset == 0)
            break; // no kernel copy between these two: read and write instead
        return false;
    }
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer.data() + done, std::size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                return false;
            done += w;
        }
    }
}

} // namespace

COutputCopier::Descriptor::~Descriptor()
{
    if (fd >= 0)
        ::close(fd);
}

bool COutputCopier::CopyFile(const QString &source, const QString &relativeDestination)
{
    // Only a regular file of its own is read: a link is not followed, and a missing or unreadable source,
    // a folder, a pipe or a device is passed over, as the run-time copy always did.
    const Descriptor in(::open(QFile::encodeName(CorvPath::ToSlashes(source)).constData(),
                               O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat from {};
    if (in.fd < 0 || ::fstat(in.fd, &from) != 0 || !S_ISREG(from.st_mode))
        return true;

    const QString destination = CorvOutputFolder::Resolve(m_outputFolder, relativeDestination);
    if (destination.isEmpty() || !CorvOutputFolder::FolderOfStaysInside(m_outputFolder, destination))
        return Fail(QStringLiteral("The file %1 lies outside the output folder %2.").arg(relativeDestination, m_outputFolder));
    const QByteArray to = QFile::encodeName(CorvPath::ToSlashes(destination));
    // Most destinations are new: made here, nothing (no link, no file) can be in their way.
    const int fresh = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, S_IWUSR);
    if (fresh >= 0)
        return WriteCopy(Descriptor(fresh), in.fd, from, to, destination);
    struct stat existing {};
    if (errno == EEXIST && ::lstat(to.constData(), &existing) == 0) {
        if (S_ISLNK(existing.st_mode)) {
            // A link of that name is replaced, never written through.
            if (::unlink(to.constData()) != 0)
                return Fail(QStringLiteral("The link %1 cannot be replaced.").arg(destination));
        } else if (S_ISDIR(existing.st_mode)) {
            return Fail(QStringLiteral("A folder is in the way of the file %1.").arg(destination));
        } else if (existing.st_dev == from.st_dev && existing.st_ino == from.st_ino) {
            // The source itself: it stays as it is.
            return Fail(ErrorText(EEXIST) + u'\n' + destination);
        } else if (!S_ISREG(existing.st_mode)) {
            ::unlink(to.constData());
            return Fail(ErrorText(ENOTSUP) + u'\n' + destination);
        }
    }

    Descriptor out(::open(to.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, S_IWUSR));
    if (out.fd < 0)
        return Fail(ErrorText(errno) + u'\n' + destination);
    return WriteCopy(std::move(out), in.fd, from, to, destination);
}

bool COutputCopier::WriteCopy(Descriptor out, int in, const struct stat &from, const QByteArray &to,
                              const QString &destination)
{
    // The copy takes the source's permissions, whatever the creation mask.
    bool copied = ::fchmod(out.fd, from.st_mode & 07777) == 0 && CopyBytes(in, out.fd);
    int error = copied ? 0 : errno;
    const int fd = out.fd;
    out.fd = -1;
    // A file system may report a failed write only when the file is closed.
    if (::close(fd) != 0 && copied) {
        copied = false;
        error = errno;
    }
    if (copied)
        return true;
    // Nothing half-written stays behind.
    ::unlink(to.constData());
    return Fail(ErrorText(error) + u'\n' + destination);
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
