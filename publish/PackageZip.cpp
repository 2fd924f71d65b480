#include "publish/PackageZip.h"

#include "platform/FileSystemUtil.h"
#include "publish/PublishContext.h"
#include "publish/PublishThreads.h"
#include "publish/ZipArchiveWriter.h"
#include "publish/ZipWriter.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The add refused every later entry: the walk can stop.
bool ArchiveStopped(ZipResult result) { return result == ZipFailedBefore || result == ZipEnded; }

// One step of the walk, in package order: a file to add, or a failure met where the walk stood.
struct WalkItem
{
    QString path;
    QString name;
    ZipResult failure = ZipOk;
};

// Files larger than this are not held in memory while they wait for their turn: the archive's thread
// packs them as it adds them.
constexpr std::size_t kLargestPacked = 4 * 1024 * 1024;

// Lists every regular file below the folder (links and special files left out) in name order, folder by
// folder as the walk goes down, with a failure item where a folder or an entry cannot be read.
void Walk(const fs::path &folder, const QString &basePrefix, std::vector<WalkItem> &items)
{
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    if (ec) {
        items.push_back({QString(), QString(), ZipNoFile});
        return;
    }
    // The same package for the same folder on every run.
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry &a, const fs::directory_entry &b) { return a.path().filename() < b.path().filename(); });
    for (const fs::directory_entry &entry : entries) {
        // A link could lead out of the folder or round in a circle; pipes and devices are no course files.
        // The kind is the one the listing gave, where the file system gives one.
        const bool link = entry.is_symlink(ec);
        const bool folder = !ec && !link && entry.is_directory(ec);
        const bool file = !ec && !link && !folder && entry.is_regular_file(ec);
        if (ec) {
            items.push_back({QString(), QString(), ZipNoFile});
        } else if (folder) {
            Walk(entry.path(), basePrefix, items);
        } else if (file) {
            WalkItem item;
            item.path = CorvFs::FromFsPath(entry.path());
            item.name = item.path;
            if (item.name.startsWith(basePrefix))
                item.name.remove(0, basePrefix.size());
            items.push_back(std::move(item));
        }
    }
}

// Packs the files of the walk ahead of their turn on a few threads (the caller's among them), while the
// caller adds them to the archive in the walk's order: the package is the one adding them one by one
// would give. At most a window of packed entries waits to be added.
class OrderedPacking
{
public:
    OrderedPacking(ZipHandle handle, const std::vector<WalkItem> &items) : m_handle(handle), m_items(items)
    {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (!items[i].failure)
                m_work.push_back(i);
        m_packed.resize(items.size());
    }

    ZipResult Run(int threads)
    {
        const int level = ZipArchiveLevel(m_handle);
        std::vector<std::thread> helpers;
        for (int t = 1; t < threads && std::size_t(t) < m_work.size(); ++t) {
            try {
                helpers.emplace_back([this, level] { Help(level); });
            } catch (const std::system_error &) {
                break; // fewer helpers, the same package
            }
        }
        ZipEntryPacker packer(level);
        ZipResult first = ZipOk;
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            const WalkItem &item = m_items[i];
            ZipResult result = item.failure;
            if (!item.failure) {
                const std::unique_ptr<ZipPackedEntry> packed = Await(i, packer);
                result = packed->tooLarge ? AddZipEntry(m_handle, item.name, ZipSource::FromFileName(item.path))
                                          : AddPackedZipEntry(m_handle, *packed);
            }
            if (result != ZipOk && first == ZipOk)
                first = result;
            {
                const std::lock_guard lock(m_mutex);
                m_added = i + 1;
                m_stopped = ArchiveStopped(result);
            }
            m_changed.notify_all();
            if (ArchiveStopped(result))
                break;
        }
        {
            const std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_changed.notify_all();
        for (std::thread &helper : helpers)
            helper.join();
        return first;
    }

private:
    // The next file to pack within the window; false when there is none now. Called under the lock.
    bool Claim(std::size_t &index)
    {
        if (m_stopped || m_nextWork >= m_work.size() || m_work[m_nextWork] >= m_added + kWindow)
            return false;
        index = m_work[m_nextWork++];
        return true;
    }

    void PackOne(std::size_t index, ZipEntryPacker &packer)
    {
        const WalkItem &item = m_items[index];
        std::unique_ptr<ZipPackedEntry> packed = packer.Pack(item.name, ZipSource::FromFileName(item.path), kLargestPacked);
        {
            const std::lock_guard lock(m_mutex);
            m_packed[index] = std::move(packed);
        }
        m_changed.notify_all();
    }

    void Help(int level)
    {
        ZipEntryPacker packer(level);
        std::unique_lock lock(m_mutex);
        for (;;) {
            std::size_t index = 0;
            bool claimed = false;
            m_changed.wait(lock, [&] { return m_stopped || m_nextWork >= m_work.size() || (claimed = Claim(index)); });
            if (!claimed)
                return;
            lock.unlock();
            PackOne(index, packer);
            lock.lock();
        }
    }

    // The packed entry of the file at index, packing others (or it) while it is not ready.
    std::unique_ptr<ZipPackedEntry> Await(std::size_t index, ZipEntryPacker &packer)
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (m_packed[index])
                return std::move(m_packed[index]);
            std::size_t other = 0;
            if (Claim(other)) {
                lock.unlock();
                PackOne(other, packer);
                lock.lock();
            } else {
                m_changed.wait(lock);
            }
        }
    }

    static constexpr std::size_t kWindow = 64;

    ZipHandle m_handle;
    const std::vector<WalkItem> &m_items;
    std::vector<std::size_t> m_work; // the items to pack, in order
    std::vector<std::unique_ptr<ZipPackedEntry>> m_packed;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_nextWork = 0; // the next of m_work to claim
    std::size_t m_added = 0;    // the items the archive has taken
    bool m_stopped = false;
};

} // namespace

ZipResult CPackageZip::AddFolderToZip(ZipHandle handle, const QString &folder, const QString &basePrefix)
{
    std::vector<WalkItem> items;
    Walk(CorvFs::ToFsPath(folder), basePrefix, items);
    return OrderedPacking(handle, items).Run(CorvPublishThreads::Count());
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
