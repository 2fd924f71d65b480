#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

// A streaming writer of PKWARE ZIP archives: entries are raw-deflated at level 8 unless the archive is
// created with another level (or stored for names that are already archives), each source is read once, and the central directory is written at the close.
// No ZIP64: an archive that would pass 4 GiB or 65535 entries is refused. Every failure is a result code.

enum ZipResult : uint32_t {
    ZipOk = 0,
    ZipNoDuplicate = 0x100,    // the caller's target handle cannot be duplicated
    ZipNoFile = 0x200,         // target not created, source not opened or its information not read
    ZipNoAlloc = 0x300,        // memory for a memory target not allocated
    ZipWriteFailed = 0x400,    // a record or the entry data not written whole, or the archive too large
    ZipBadArgs = 0x10000,      // null handle, empty or unconvertible name, unknown kind, bad source
    ZipMemSize = 0x30000,      // memory target of size 0, or a write beyond its end
    ZipFailedBefore = 0x40000, // an earlier write of this archive failed
    ZipEnded = 0x50000,        // the central directory is already written
    ZipMisSize = 0x60000,      // fewer bytes written than read while storing
    ZipWrongMode = 0x80000,    // a handle of the other kind
    ZipNotInited = 0x1000000,  // create on a writer already in use
    ZipSeekFailed = 0x2000000, // a header could not be patched on a target that cannot seek
    ZipNoChange = 0x4000000,   // a stored entry's size differs from its header on a target that cannot seek
    ZipDeflateFailed = 0x5000000,
};

// What an archive is written to: an open file descriptor (written from its current position; a disk file
// has its headers patched in place, anything else gets data descriptors), a file created or replaced by
// name, or a block of memory (the writer's own when buffer is null).
struct ZipTarget
{
    enum Kind { Handle = 1, FileName = 2, Memory = 3 };
    int kind = 0;
    int fd = -1;
    QString fileName;
    void *buffer = nullptr;
    std::size_t length = 0;

    static ZipTarget FromHandle(int fd);
    static ZipTarget FromFileName(const QString &fileName);
    static ZipTarget FromMemory(void *buffer, std::size_t length);
};

// What an entry's data is read from: an open descriptor (length: its size when known, else 0), a file by
// name, a block of memory, or nothing for a folder entry.
struct ZipSource
{
    enum Kind { Handle = 1, FileName = 2, Memory = 3, Folder = 4 };
    int kind = 0;
    int fd = -1;
    QString fileName;
    const void *data = nullptr;
    std::size_t length = 0;

    static ZipSource FromHandle(int fd, std::size_t length = 0);
    static ZipSource FromFileName(const QString &fileName);
    static ZipSource FromMemory(const void *data, std::size_t length);
    static ZipSource FolderEntry();
};

struct ZipHandleRecord;
using ZipHandle = ZipHandleRecord *;

inline constexpr int kZipDefaultLevel = 8;

// Null when the target cannot be opened or is not valid. level: the deflate level of the entries, 1 to 9.
ZipHandle CreateZipArchive(const ZipTarget &target, int level = kZipDefaultLevel);
// Adds one entry. "\" in the name becomes "/"; a folder entry gets a trailing "/". Names of ASCII
// characters are stored as they are, others as UTF-8 with the language-encoding flag set.
ZipResult AddZipEntry(ZipHandle handle, const QString &entryName, const ZipSource &source);
// The deflate level the archive was created with; 0 for a null handle.
int ZipArchiveLevel(ZipHandle handle);
// Writes the central directory of the entries accepted so far and the end record, releases the target and
// frees the handle.
ZipResult CloseZipArchive(ZipHandle handle);

// Whether the name ends in a suffix of data that is compressed already (.Z .zip .zoo .arc .lzh .arj .gz
// .tgz, any case): such entries are stored.
bool IsStoredSuffix(const QString &name);

// ---- Entries packed away from the archive ----
// An entry's data can be read and deflated before its turn (on another thread, say) and added later: the
// archive comes out byte for byte as if the source had been added directly at that moment.

struct ZipPackedEntry;

// Packs sources for archives of one level. Each packer keeps its own compressor and buffers; one packer
// serves one thread at a time, and any number of packers may work at once.
class ZipEntryPacker
{
public:
    explicit ZipEntryPacker(int level = kZipDefaultLevel);
    ~ZipEntryPacker();
    ZipEntryPacker(const ZipEntryPacker &) = delete;
    ZipEntryPacker &operator=(const ZipEntryPacker &) = delete;

    // Reads and packs the source as AddZipEntry would; a failure is kept in the entry and given back when it
    // is added. A memory source is read during the call. A source of a known size above largest is not
    // read: the entry comes back marked tooLarge, for the caller to add the source directly.
    std::unique_ptr<ZipPackedEntry> Pack(const QString &entryName, const ZipSource &source,
                                         std::size_t largest = SIZE_MAX);

private:
    struct State;
    std::unique_ptr<State> m_state;
    int m_level;
};

// Adds a packed entry, with the result AddZipEntry would have given for its source. An entry packed at
// another level than the archive's is refused (ZipBadArgs).
ZipResult AddPackedZipEntry(ZipHandle handle, const ZipPackedEntry &entry);
