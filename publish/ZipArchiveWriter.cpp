#include "publish/ZipArchiveWriter.h"

#include "image/LittleEndian.h"

#include <QFile>

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kDescriptorSignature = 0x08074B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint16_t kVersionMadeBy = 0x0B17;
constexpr uint16_t kVersionNeeded = 20;
constexpr uint16_t kFlagDescriptor = 0x0008;
constexpr uint16_t kFlagMaximumCompression = 0x0002;
constexpr uint16_t kFlagFastCompression = 0x0004;
constexpr uint16_t kFlagUtf8Name = 0x0800;
constexpr uint16_t kLocalExtraLength = 17;
constexpr uint16_t kCentralExtraLength = 9;
constexpr uint32_t kMemoryOrPipeAttributes = 0x80000000;
constexpr uint32_t kFolderEntryAttributes = 0x41C00010;
constexpr uint64_t kLargest32 = 0xFFFFFFFFu;
constexpr std::size_t kMaxEntries = 0xFFFF;
constexpr std::size_t kTransferSize = 16 * 1024;
constexpr std::size_t kDeflateInputSize = 64 * 1024;
constexpr std::size_t kFileBlockSize = 256 * 1024;
constexpr int64_t kSecondsPerDay = 86400;
// 2037-12-31 00:00:00 UTC, the last day a "UT" time may fall on.
constexpr int64_t kLastUtDay = 2145830400;

void PutUtExtra(std::vector<uint8_t> &out, uint16_t dataLength, std::initializer_list<uint32_t> times)
{
    out.push_back('U');
    out.push_back('T');
    Put16(out, dataLength);
    out.push_back(0x07); // modification, access and creation times present in the local field
    for (uint32_t t : times)
        Put32(out, t);
}

// The fields both headers have, from the version needed to the extra field's length.
void PutSharedFields(std::vector<uint8_t> &out, const ZipEntryInfo &entry, uint16_t flags, uint16_t extraLength)
{
    Put16(out, kVersionNeeded);
    Put16(out, flags);
    Put16(out, entry.method);
    Put32(out, entry.dosStamp);
    Put32(out, entry.crc);
    Put32(out, entry.compressedSize);
    Put32(out, entry.uncompressedSize);
    Put16(out, uint32_t(entry.name.size()));
    Put16(out, extraLength);
}

bool IsStoredName(const QByteArray &name) { return IsStoredSuffix(QString::fromLatin1(name)); }

// The birth time where the file system keeps one, else the modification time.
int64_t CreationTime(int fd, int64_t modificationTime)
{
    struct statx stx {};
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME))
        return stx.stx_btime.tv_sec;
    return modificationTime;
}

// Reads the source to its end, passing every block to sink (false: it could not take the block) with the
// check value summed; the data sizes come back in entry.
template <class Reader, class Sink>
ZipResult StoreFrom(Reader &source, std::vector<uint8_t> &transfer, ZipEntryInfo &entry, Sink &&sink)
{
    uLong crc = crc32(0, nullptr, 0);
    uint64_t total = 0;
    for (;;) {
        const ssize_t n = source.Read(transfer.data(), transfer.size());
        if (n < 0)
            return ZipWriteFailed;
        if (n == 0)
            break;
        total += uint64_t(n);
        if (total > kLargest32)
            return ZipWriteFailed;
        crc = crc32(crc, transfer.data(), uInt(n));
        if (!sink(transfer.data(), std::size_t(n)))
            return ZipMisSize;
    }
    entry.crc = uint32_t(crc);
    entry.compressedSize = entry.uncompressedSize = uint32_t(total);
    return ZipOk;
}

// Deflates the source to its end with a compressor just set up or reset, passing the packed blocks to sink.
template <class Reader, class Sink>
ZipResult DeflateFrom(z_stream &zs, Reader &source, std::vector<uint8_t> &input, std::vector<uint8_t> &transfer,
                      ZipEntryInfo &entry, Sink &&sink)
{
    uLong crc = crc32(0, nullptr, 0);
    uint64_t read = 0;
    uint64_t written = 0;
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        const ssize_t n = source.Read(input.data(), input.size());
        read += uint64_t(std::max<ssize_t>(n, 0));
        if (n < 0 || read > kLargest32)
            return ZipWriteFailed;
        crc = crc32(crc, input.data(), uInt(n));
        zs.next_in = input.data();
        zs.avail_in = uInt(n);
        flush = n == 0 ? Z_FINISH : Z_NO_FLUSH;
        // Until the compressor leaves room in the output: then it has taken all the input (and, finishing,
        // written the end of the stream).
        do {
            zs.next_out = transfer.data();
            zs.avail_out = uInt(transfer.size());
            if (deflate(&zs, flush) == Z_STREAM_ERROR)
                return ZipDeflateFailed;
            const std::size_t produced = transfer.size() - zs.avail_out;
            if (produced && !sink(transfer.data(), produced))
                return ZipWriteFailed;
            written += produced;
        } while (zs.avail_out == 0);
    }
    entry.crc = uint32_t(crc);
    entry.compressedSize = uint32_t(written);
    entry.uncompressedSize = uint32_t(read);
    return ZipOk;
}

// A raw deflate compressor (no zlib wrapper, a 32 KiB window) ready for a new entry: made on first use,
// reset after.
bool ReadyCompressor(z_stream *&zs, int level)
{
    if (zs)
        return deflateReset(zs) == Z_OK;
    auto made = std::make_unique<z_stream>();
    if (deflateInit2(made.get(), level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    zs = made.release();
    return true;
}

} // namespace

uint32_t ClampZipTime(int64_t seconds)
{
    int64_t timeOfDay = seconds % kSecondsPerDay;
    if (timeOfDay < 0)
        timeOfDay += kSecondsPerDay;
    if (seconds < 0)
        return uint32_t(timeOfDay);
    if (seconds >= kLastUtDay + kSecondsPerDay)
        return uint32_t(kLastUtDay + timeOfDay);
    return uint32_t(seconds);
}

uint32_t DosStamp(const std::tm &time)
{
    const int year = time.tm_year + 1900;
    if (year < 1980)
        return uint32_t((1 << 5) | 1) << 16; // 1980-01-01 00:00:00
    if (year > 2107)
        return (uint32_t((127 << 9) | (12 << 5) | 31) << 16) | uint32_t((23 << 11) | (59 << 5) | 29);
    const uint32_t date = uint32_t(((year - 1980) << 9) | ((time.tm_mon + 1) << 5) | time.tm_mday);
    const uint32_t clock = uint32_t((time.tm_hour << 11) | (time.tm_min << 5) | (time.tm_sec / 2));
    return (date << 16) | clock;
}

ZipSourceInfo ZipSourceInfo::FromDisk(bool directory, bool ownerWritable, int64_t size, int64_t accessTime,
                                      int64_t modificationTime, int64_t creationTime)
{
    ZipSourceInfo info;
    uint32_t bits = directory ? Directory : Archive;
    if (!ownerWritable)
        bits |= ReadOnly;
    // The high half is a Unix mode: the type, owner read, and owner write unless read-only.
    info.externalAttributes = bits | (directory ? 0x40000000u : 0x80000000u) | 0x01000000u
                              | (ownerWritable ? 0x00800000u : 0u);
    info.declaredSize = directory ? 0 : size;
    info.accessTime = ClampZipTime(accessTime);
    info.modificationTime = ClampZipTime(modificationTime);
    info.creationTime = ClampZipTime(creationTime);
    // The stamp comes from the file system's own time, without conversion to local time.
    const time_t mtime = time_t(modificationTime);
    std::tm utc {};
    gmtime_r(&mtime, &utc);
    info.dosStamp = DosStamp(utc);
    return info;
}

ZipSourceInfo ZipSourceInfo::Now(uint32_t attributes, int64_t declaredSize)
{
    ZipSourceInfo info;
    const time_t now = time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    info.externalAttributes = attributes;
    info.declaredSize = declaredSize;
    info.accessTime = info.modificationTime = info.creationTime = ClampZipTime(now);
    info.dosStamp = DosStamp(local);
    return info;
}

// The data of one entry while it is read.
struct ZipArchiveWriter::Source
{
    int fd = -1;
    bool owned = false;
    const uint8_t *memory = nullptr;
    std::size_t memoryLength = 0;
    std::size_t memoryPosition = 0;
    ZipSourceInfo info;

    Source() = default;
    Source(const Source &) = delete;
    Source &operator=(const Source &) = delete;
    ~Source()
    {
        if (owned && fd >= 0)
            ::close(fd);
    }

    // Bytes read into buffer, 0 at the end, -1 on a read error.
    ssize_t Read(uint8_t *buffer, std::size_t size)
    {
        if (memory) {
            const std::size_t n = std::min(size, memoryLength - memoryPosition);
            std::memcpy(buffer, memory + memoryPosition, n);
            memoryPosition += n;
            return ssize_t(n);
        }
        ssize_t n;
        do {
            n = ::read(fd, buffer, size);
        } while (n < 0 && errno == EINTR);
        return n;
    }
};

ZipArchiveWriter::ZipArchiveWriter(int level) : m_transfer(kTransferSize), m_level(std::clamp(level, 1, 9)) {}

ZipArchiveWriter::~ZipArchiveWriter()
{
    if (m_fd >= 0) {
        Flush();
        ::close(m_fd);
    }
    if (m_deflate)
        deflateEnd(m_deflate.get());
}

bool ZipArchiveWriter::InUse() const
{
    return m_fd >= 0 || m_memory || m_bytesWritten || m_firstError || m_centralWritten;
}

ZipResult ZipArchiveWriter::Create(const ZipTarget &target)
{
    if (InUse())
        return ZipNotInited;
    switch (target.kind) {
    case ZipTarget::Handle:
        m_fd = fcntl(target.fd, F_DUPFD_CLOEXEC, 0);
        if (m_fd < 0)
            return ZipNoDuplicate;
        break;
    case ZipTarget::FileName:
        if (target.fileName.isEmpty())
            return ZipNoFile;
        m_fd = ::open(QFile::encodeName(target.fileName).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0)
            return ZipNoFile;
        m_buffered = true;
        break;
    case ZipTarget::Memory:
        if (target.length == 0)
            return ZipMemSize;
        m_memory = static_cast<uint8_t *>(target.buffer);
        if (!m_memory) {
            try {
                m_ownMemory.resize(target.length);
            } catch (const std::bad_alloc &) {
                return ZipNoAlloc;
            }
            m_memory = m_ownMemory.data();
        }
        m_memorySize = target.length;
        m_seekable = true;
        return ZipOk;
    default:
        return ZipBadArgs;
    }
    // A disk file has its headers patched in place, from wherever the archive starts in it; anything
    // else (a pipe, a device) gets data descriptors.
    // An appending descriptor writes every patch at the end, so it is treated as one that cannot seek.
    struct stat st {};
    m_seekable = fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode) && !(fcntl(m_fd, F_GETFL) & O_APPEND);
    // Only a disk file of the writer's own is written in blocks: a caller's descriptor, or a device,
    // takes each record as it comes.
    m_buffered = m_buffered && m_seekable;
    if (m_buffered)
        m_pending.reserve(kFileBlockSize);
    if (m_seekable) {
        const off_t position = lseek(m_fd, 0, SEEK_CUR);
        m_archiveOffset = position > 0 ? uint64_t(position) : 0;
    }
    return ZipOk;
}

ZipResult ZipArchiveWriter::OpenSource(const ZipSource &source, Source &out)
{
    int fd = source.fd;
    switch (source.kind) {
    case ZipSource::FileName:
        fd = ::open(QFile::encodeName(source.fileName).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return ZipNoFile;
        out.fd = fd;
        out.owned = true;
        break;
    case ZipSource::Handle:
        if (fd < 0)
            return ZipBadArgs;
        out.fd = fd;
        break;
    case ZipSource::Memory:
        if (!source.data || source.length == 0)
            return ZipBadArgs;
        out.memory = static_cast<const uint8_t *>(source.data);
        out.memoryLength = source.length;
        out.info = ZipSourceInfo::Now(kMemoryOrPipeAttributes, int64_t(source.length));
        return ZipOk;
    case ZipSource::Folder:
        out.info = ZipSourceInfo::Now(kFolderEntryAttributes, 0);
        return ZipOk;
    default:
        return ZipBadArgs;
    }

    struct stat st {};
    if (fstat(fd, &st) != 0)
        return source.kind == ZipSource::FileName ? ZipNoFile : ZipBadArgs;
    if (S_ISREG(st.st_mode)) {
        out.info = ZipSourceInfo::FromDisk(false, st.st_mode & S_IWUSR, st.st_size, st.st_atim.tv_sec,
                                           st.st_mtim.tv_sec, CreationTime(fd, st.st_mtim.tv_sec));
        if (lseek(fd, 0, SEEK_SET) < 0)
            return ZipNoFile;
    } else if (S_ISDIR(st.st_mode)) {
        return source.kind == ZipSource::FileName ? ZipNoFile : ZipBadArgs;
    } else {
        out.info = ZipSourceInfo::Now(kMemoryOrPipeAttributes, source.length ? int64_t(source.length) : -1);
    }
    return ZipOk;
}

ZipResult ZipArchiveWriter::NormaliseName(QByteArray &name, bool folder)
{
    if (name.isEmpty())
        return ZipBadArgs;
    name.replace('\\', '/');
    if (folder && !name.endsWith('/'))
        name += '/';
    if (uint64_t(name.size()) > 0xFFFF)
        return ZipBadArgs;
    return ZipOk;
}

ZipEntryInfo ZipArchiveWriter::NewEntry(const QByteArray &name, bool utf8Name, bool folder,
                                        const ZipSourceInfo &info) const
{
    ZipEntryInfo entry;
    entry.name = name;
    entry.method = folder || IsStoredName(name) ? 0 : 8;
    entry.externalAttributes = info.externalAttributes;
    entry.dosStamp = info.dosStamp;
    entry.accessTime = uint32_t(info.accessTime);
    entry.modificationTime = uint32_t(info.modificationTime);
    entry.creationTime = uint32_t(info.creationTime);
    entry.flags = entry.localFlags = kFlagDescriptor | (utf8Name ? kFlagUtf8Name : 0);
    const uint32_t knownSize = info.declaredSize >= 0 ? uint32_t(info.declaredSize) : 0;
    entry.compressedSize = entry.method == 0 ? knownSize : 0;
    entry.uncompressedSize = knownSize;
    entry.localHeaderOffset = Offset();
    return entry;
}

void ZipArchiveWriter::SetLevelFlags(ZipEntryInfo &entry) const
{
    // The option bits say how hard the entry was packed: "maximum" for levels 8 and 9, "fast" for 1 and 2,
    // "normal" (none) between.
    if (entry.method == 8)
        entry.flags |= m_level >= 8 ? kFlagMaximumCompression : m_level <= 2 ? kFlagFastCompression : 0;
}

ZipResult ZipArchiveWriter::Add(QByteArray name, bool utf8Name, const ZipSource &source)
{
    if (m_firstError)
        return ZipFailedBefore;
    if (m_centralWritten)
        return ZipEnded;
    const bool folder = source.kind == ZipSource::Folder;
    if (const ZipResult r = NormaliseName(name, folder))
        return r;
    // Without ZIP64 the entry count of the end record has 16 bits.
    if (m_entries.size() >= kMaxEntries)
        return ZipWriteFailed;

    Source src;
    if (const ZipResult r = OpenSource(source, src))
        return r;
    if (src.info.declaredSize > int64_t(kLargest32))
        return ZipWriteFailed;

    ZipEntryInfo entry = NewEntry(name, utf8Name, folder, src.info);
    const uint32_t knownSize = entry.uncompressedSize;
    if (!Write(LocalHeader(entry)))
        return ZipWriteFailed;
    if (!folder) {
        const ZipResult r = entry.method == 8 ? Deflate(src, entry) : Store(src, entry);
        if (r)
            return m_firstError ? m_firstError : ZipWriteFailed;
    } else {
        entry.crc = 0;
        entry.compressedSize = entry.uncompressedSize = 0;
    }
    SetLevelFlags(entry);
    if (const ZipResult r = FinishEntry(entry, knownSize))
        return r;
    m_entries.push_back(entry);
    return ZipOk;
}

void ZipArchiveWriter::Pack(ZipPackedEntry &packed, const ZipSource &source, PackState &state, std::size_t largest)
{
    packed.folder = source.kind == ZipSource::Folder;
    packed.nameResult = NormaliseName(packed.name, packed.folder);
    if (packed.nameResult)
        return;
    Source src;
    packed.openResult = OpenSource(source, src);
    if (!packed.openResult && src.info.declaredSize > int64_t(kLargest32))
        packed.openResult = ZipWriteFailed;
    if (packed.openResult)
        return;
    if (src.info.declaredSize > 0 && uint64_t(src.info.declaredSize) > largest) {
        packed.tooLarge = true;
        return;
    }
    packed.info = src.info;
    packed.method = packed.folder || IsStoredName(packed.name) ? 0 : 8;
    if (packed.folder)
        return;
    packed.data.clear();
    if (src.info.declaredSize > 0)
        packed.data.reserve(std::size_t(src.info.declaredSize / (packed.method == 8 ? 2 : 1)) + 64);
    const auto append = [&](const uint8_t *data, std::size_t size) {
        packed.data.insert(packed.data.end(), data, data + size);
        return true;
    };
    if (state.transfer.empty())
        state.transfer.resize(kTransferSize);
    ZipEntryInfo sizes;
    if (packed.method == 0) {
        packed.dataResult = StoreFrom(src, state.transfer, sizes, append);
    } else if (!ReadyCompressor(state.compressor, packed.level)) {
        packed.dataResult = ZipDeflateFailed;
    } else {
        if (state.input.empty())
            state.input.resize(kDeflateInputSize);
        packed.dataResult = DeflateFrom(*state.compressor, src, state.input, state.transfer, sizes, append);
    }
    packed.crc = sizes.crc;
    packed.uncompressedSize = sizes.uncompressedSize;
}

ZipArchiveWriter::PackState::~PackState()
{
    if (!compressor)
        return;
    deflateEnd(compressor);
    delete compressor;
}

ZipResult ZipArchiveWriter::AddPacked(const ZipPackedEntry &packed)
{
    if (m_firstError)
        return ZipFailedBefore;
    if (m_centralWritten)
        return ZipEnded;
    // An entry left unread, or packed for another level, cannot stand for its source.
    if (packed.level != m_level || packed.tooLarge)
        return ZipBadArgs;
    if (packed.nameResult)
        return packed.nameResult;
    if (m_entries.size() >= kMaxEntries)
        return ZipWriteFailed;
    if (packed.openResult)
        return packed.openResult;

    ZipEntryInfo entry = NewEntry(packed.name, packed.utf8Name, packed.folder, packed.info);
    const uint32_t knownSize = entry.uncompressedSize;
    if (!packed.folder && !packed.dataResult) {
        entry.crc = packed.crc;
        entry.compressedSize = uint32_t(packed.data.size());
        entry.uncompressedSize = packed.uncompressedSize;
        SetLevelFlags(entry);
        if (m_seekable) {
            // The header as it would have been patched once the data was written: written once, final.
            if (!(entry.flags & 0x0001))
                entry.flags &= ~kFlagDescriptor;
            entry.localFlags = entry.flags;
            if (!Write(LocalHeader(entry)) || !Write(packed.data.data(), packed.data.size()))
                return m_firstError ? m_firstError : ZipWriteFailed;
            m_entries.push_back(entry);
            return ZipOk;
        }
    }
    ZipEntryInfo announced = entry;
    announced.crc = 0;
    announced.flags = announced.localFlags;
    if (!packed.folder) {
        announced.compressedSize = announced.method == 0 ? knownSize : 0;
        announced.uncompressedSize = knownSize;
    }
    if (!Write(LocalHeader(announced)))
        return ZipWriteFailed;
    if (!packed.folder) {
        if (packed.dataResult || !Write(packed.data.data(), packed.data.size()))
            return m_firstError ? m_firstError : ZipWriteFailed;
    } else {
        entry.crc = 0;
        entry.compressedSize = entry.uncompressedSize = 0;
    }
    if (const ZipResult r = FinishEntry(entry, knownSize))
        return r;
    m_entries.push_back(entry);
    return ZipOk;
}

ZipResult ZipArchiveWriter::Store(Source &source, ZipEntryInfo &entry)
{
    return StoreFrom(source, m_transfer, entry, [this](const uint8_t *data, std::size_t size) { return Write(data, size); });
}

ZipResult ZipArchiveWriter::Deflate(Source &source, ZipEntryInfo &entry)
{
    // One compressor for the whole archive, reset for each entry: setting one up costs more than packing
    // a small file.
    z_stream_s *zs = m_deflate.release();
    const bool ready = ReadyCompressor(zs, m_level);
    m_deflate.reset(zs);
    if (!ready)
        return ZipDeflateFailed;
    if (m_input.empty())
        m_input.resize(kDeflateInputSize);
    return DeflateFrom(*m_deflate, source, m_input, m_transfer, entry,
                       [this](const uint8_t *data, std::size_t size) { return Write(data, size); });
}

ZipResult ZipArchiveWriter::FinishEntry(ZipEntryInfo &entry, uint32_t declaredStoredSize)
{
    if (m_seekable) {
        if (!(entry.flags & 0x0001))
            entry.flags &= ~kFlagDescriptor;
        entry.localFlags = entry.flags;
        const uint64_t position = entry.localHeaderOffset - m_archiveOffset;
        if (!Patch(position, LocalHeader(entry)))
            return m_firstError == ZipSeekFailed ? ZipSeekFailed : ZipWriteFailed;
        return ZipOk;
    }
    // The local header already went out: a stored entry must have the size it announced there.
    if (entry.method == 0 && entry.compressedSize != declaredStoredSize)
        return ZipNoChange;
    std::vector<uint8_t> descriptor;
    Put32(descriptor, kDescriptorSignature);
    Put32(descriptor, entry.crc);
    Put32(descriptor, entry.compressedSize);
    Put32(descriptor, entry.uncompressedSize);
    if (!Write(descriptor))
        return ZipWriteFailed;
    entry.flags = entry.localFlags;
    return ZipOk;
}

ZipResult ZipArchiveWriter::Close()
{
    ZipResult result = ZipOk;
    if (!m_centralWritten) {
        const uint32_t centralOffset = Offset();
        uint64_t centralSize = 0;
        bool written = true;
        for (const ZipEntryInfo &entry : m_entries) {
            const std::vector<uint8_t> header = CentralHeader(entry);
            written = written && Write(header);
            centralSize += header.size();
        }
        if (written) {
            std::vector<uint8_t> end;
            Put32(end, kEndSignature);
            Put16(end, 0);
            Put16(end, 0);
            Put16(end, uint32_t(m_entries.size()));
            Put16(end, uint32_t(m_entries.size()));
            Put32(end, uint32_t(centralSize));
            Put32(end, centralOffset);
            Put16(end, 0);
            written = Write(end);
        }
        if (!written)
            result = ZipWriteFailed;
        m_centralWritten = true;
    }
    if (!Flush() && result == ZipOk)
        result = ZipWriteFailed;
    // A file system may report a failed write only when the file is closed.
    if (m_fd >= 0 && ::close(m_fd) != 0 && result == ZipOk)
        result = ZipWriteFailed;
    m_fd = -1;
    m_entries.clear();
    return result;
}

bool ZipArchiveWriter::Write(const void *data, std::size_t size)
{
    // Offsets and sizes have 32 bits: a larger archive is refused rather than written wrong.
    if (m_archiveOffset + m_bytesWritten + size > kLargest32) {
        Fail(ZipWriteFailed);
        return false;
    }
    if (m_memory) {
        if (m_bytesWritten + size > m_memorySize) {
            Fail(ZipMemSize);
            return false;
        }
        std::memcpy(m_memory + m_bytesWritten, data, size);
        m_bytesWritten += size;
        return true;
    }
    const auto *bytes = static_cast<const uint8_t *>(data);
    if (m_buffered) {
        if (m_pending.size() + size > kFileBlockSize && !Flush())
            return false;
        if (size < kFileBlockSize) {
            m_pending.insert(m_pending.end(), bytes, bytes + size);
            m_bytesWritten += size;
            return true;
        }
    }
    return WriteOut(bytes, size);
}

bool ZipArchiveWriter::WriteOut(const uint8_t *data, std::size_t size)
{
    const uint8_t *p = data;
    std::size_t left = size;
    while (left) {
        const ssize_t n = ::write(m_fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            Fail(ZipWriteFailed);
            return false;
        }
        // Counted as it goes, so that a partial write still leaves the later offsets right.
        m_bytesWritten += uint64_t(n);
        p += n;
        left -= std::size_t(n);
    }
    return true;
}

bool ZipArchiveWriter::Flush()
{
    if (m_pending.empty() || m_fd < 0)
        return true;
    // The held bytes are counted already: they are counted again as they go out.
    m_bytesWritten -= m_pending.size();
    const bool written = WriteOut(m_pending.data(), m_pending.size());
    m_pending.clear();
    return written;
}

bool ZipArchiveWriter::Patch(uint64_t position, const std::vector<uint8_t> &bytes)
{
    if (m_memory) {
        if (position + bytes.size() > m_memorySize) {
            Fail(ZipMemSize);
            return false;
        }
        std::memcpy(m_memory + position, bytes.data(), bytes.size());
        return true;
    }
    // A header among the held bytes is patched where it waits; one partly written goes out first.
    const uint64_t held = m_bytesWritten - m_pending.size();
    if (!m_pending.empty() && position >= held && position + bytes.size() <= m_bytesWritten) {
        std::memcpy(m_pending.data() + (position - held), bytes.data(), bytes.size());
        return true;
    }
    if (!m_pending.empty() && position + bytes.size() > held && !Flush())
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_fd, bytes.data() + done, bytes.size() - done, off_t(m_archiveOffset + position + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            Fail(n < 0 && errno == ESPIPE ? ZipSeekFailed : ZipWriteFailed);
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

void ZipArchiveWriter::Fail(ZipResult result)
{
    if (!m_firstError)
        m_firstError = result;
}

std::vector<uint8_t> ZipArchiveWriter::LocalHeader(const ZipEntryInfo &entry)
{
    std::vector<uint8_t> out;
    out.reserve(30 + entry.name.size() + kLocalExtraLength);
    Put32(out, kLocalSignature);
    PutSharedFields(out, entry, entry.localFlags, kLocalExtraLength);
    out.insert(out.end(), entry.name.begin(), entry.name.end());
    PutUtExtra(out, 13, {entry.modificationTime, entry.accessTime, entry.creationTime});
    return out;
}

std::vector<uint8_t> ZipArchiveWriter::CentralHeader(const ZipEntryInfo &entry)
{
    std::vector<uint8_t> out;
    out.reserve(46 + entry.name.size() + kCentralExtraLength);
    Put32(out, kCentralSignature);
    Put16(out, kVersionMadeBy);
    PutSharedFields(out, entry, entry.flags, kCentralExtraLength);
    Put16(out, 0); // comment length
    Put16(out, 0); // disk number start
    Put16(out, 0); // internal attributes
    Put32(out, entry.externalAttributes);
    Put32(out, entry.localHeaderOffset);
    out.insert(out.end(), entry.name.begin(), entry.name.end());
    PutUtExtra(out, 5, {entry.modificationTime});
    return out;
}
