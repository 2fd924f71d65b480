#pragma once

#include "publish/ZipWriter.h"

#include <QByteArray>

struct z_stream_s;

#include <cstdint>
#include <cstddef>
#include <ctime>
#include <memory>
#include <vector>

// What the headers of one entry say about it.
struct ZipEntryInfo
{
    uint16_t flags = 0;      // general-purpose flags of the central header
    uint16_t localFlags = 0; // those of the local header
    uint16_t method = 0;     // 8 deflate, 0 stored
    uint32_t dosStamp = 0;   // date in the high half, time in the low half
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t externalAttributes = 0;
    uint32_t localHeaderOffset = 0;
    uint32_t modificationTime = 0; // the "UT" times, seconds since 1970 (UTC)
    uint32_t accessTime = 0;
    uint32_t creationTime = 0;
    QByteArray name;
};

// What the writer learns of a source before reading it: the attribute bits of the central header, the
// size when known (-1 otherwise) and the times.
struct ZipSourceInfo
{
    // Windows attribute bits as the archive stores them.
    enum : uint32_t {
        ReadOnly = 0x01, Hidden = 0x02, System = 0x04, Directory = 0x10, Archive = 0x20,
    };
    uint32_t externalAttributes = 0;
    int64_t declaredSize = -1;
    int64_t accessTime = 0;
    int64_t modificationTime = 0;
    int64_t creationTime = 0;
    uint32_t dosStamp = 0;

    // A file or folder on disk: attribute bits from its mode (read-only when the owner may not write;
    // archive set for files, as a new file has it), a Unix type and owner read/write in the high half, the
    // times clamped to 1970-2037 keeping the time of day, and the DOS stamp of the modification time in
    // UTC.
    static ZipSourceInfo FromDisk(bool directory, bool ownerWritable, int64_t size, int64_t accessTime,
                                  int64_t modificationTime, int64_t creationTime);
    // A block of memory, a pipe or a folder entry: the current moment, the DOS stamp in local time.
    static ZipSourceInfo Now(uint32_t attributes, int64_t declaredSize);
};

// Seconds since 1970 (UTC) as a "UT" time: before 1970 the first of January 1970 and after 2037 the last
// of December 2037, each keeping the time of day.
uint32_t ClampZipTime(int64_t seconds);
// A broken-down time as a DOS stamp, within the years 1980 to 2107.
uint32_t DosStamp(const std::tm &time);

// An entry read and packed before its turn, for AddPacked: its stored name, what opening the source gave,
// the source's information and the packed data with its check value and sizes.
struct ZipPackedEntry
{
    int level = 0;
    ZipResult nameResult = ZipOk; // the name cannot be stored
    QByteArray name;              // normalised: "/" separated, a folder's ending in "/"
    bool utf8Name = false;
    bool folder = false;
    ZipResult openResult = ZipOk; // the source could not be opened or is too large
    ZipResult dataResult = ZipOk; // the source could not be read or packed whole
    bool tooLarge = false;        // left unread for being larger than the packer would hold
    ZipSourceInfo info;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t uncompressedSize = 0;
    std::vector<uint8_t> data;
};

// One archive being written: the target, the byte count from which every offset follows, the first
// failure (after which adds are refused) and the entries for the central directory.
class ZipArchiveWriter
{
public:
    // level: the deflate level of every compressed entry, 1 to 9.
    explicit ZipArchiveWriter(int level = kZipDefaultLevel);
    ~ZipArchiveWriter();
    ZipArchiveWriter(const ZipArchiveWriter &) = delete;
    ZipArchiveWriter &operator=(const ZipArchiveWriter &) = delete;

    ZipResult Create(const ZipTarget &target);
    // name: the stored bytes, "/" separated; utf8Name sets the language-encoding flag.
    ZipResult Add(QByteArray name, bool utf8Name, const ZipSource &source);
    // Adds an entry packed by Pack, with the result Add would have given; ZipBadArgs for another level.
    ZipResult AddPacked(const ZipPackedEntry &packed);
    // What packing keeps from one entry to the next: a compressor and the buffers it reads and writes.
    struct PackState
    {
        z_stream_s *compressor = nullptr;
        std::vector<uint8_t> input;
        std::vector<uint8_t> transfer;
        PackState() = default;
        PackState(const PackState &) = delete;
        PackState &operator=(const PackState &) = delete;
        ~PackState();
    };
    // Reads and packs a source for an archive of the entry's level, away from any archive. A source of a
    // known size above largest is left unread, the entry marked tooLarge.
    static void Pack(ZipPackedEntry &packed, const ZipSource &source, PackState &state,
                     std::size_t largest = SIZE_MAX);
    ZipResult Close();
    int Level() const { return m_level; }

private:
    struct Source;

    bool InUse() const;
    static ZipResult OpenSource(const ZipSource &source, Source &out);
    // The name as stored; ZipBadArgs when it cannot be.
    static ZipResult NormaliseName(QByteArray &name, bool folder);
    ZipEntryInfo NewEntry(const QByteArray &name, bool utf8Name, bool folder, const ZipSourceInfo &info) const;
    void SetLevelFlags(ZipEntryInfo &entry) const;
    ZipResult Store(Source &source, ZipEntryInfo &entry);
    ZipResult Deflate(Source &source, ZipEntryInfo &entry);
    ZipResult FinishEntry(ZipEntryInfo &entry, uint32_t declaredStoredSize);

    bool Write(const void *data, std::size_t size);
    // Writes the bytes still held for a file target; false (the archive failed) when they could not be.
    bool Flush();
    bool WriteOut(const uint8_t *data, std::size_t size);
    bool Write(const std::vector<uint8_t> &bytes) { return Write(bytes.data(), bytes.size()); }
    bool Patch(uint64_t position, const std::vector<uint8_t> &bytes);
    void Fail(ZipResult result);
    uint32_t Offset() const { return uint32_t(m_archiveOffset + m_bytesWritten); }

    static std::vector<uint8_t> LocalHeader(const ZipEntryInfo &entry);
    static std::vector<uint8_t> CentralHeader(const ZipEntryInfo &entry);

    int m_fd = -1;
    bool m_seekable = false;
    uint64_t m_archiveOffset = 0;
    uint64_t m_bytesWritten = 0;
    ZipResult m_firstError = ZipOk;
    uint8_t *m_memory = nullptr;
    std::size_t m_memorySize = 0;
    std::vector<uint8_t> m_ownMemory;
    // A file the writer created itself is written in large blocks: the bytes of the last records wait
    // here (they count in m_bytesWritten) until the block is full, the archive is closed or a header
    // among them is patched.
    bool m_buffered = false;
    std::vector<uint8_t> m_pending;
    bool m_centralWritten = false;
    std::vector<ZipEntryInfo> m_entries;
    std::vector<uint8_t> m_transfer;
    std::unique_ptr<z_stream_s> m_deflate;
    std::vector<uint8_t> m_input;
    int m_level;
};
