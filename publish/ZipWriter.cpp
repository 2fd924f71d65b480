#include "publish/ZipWriter.h"

#include "publish/ZipArchiveWriter.h"

#include <algorithm>
#include <memory>

// What a handle stands for: only writers are ever made.
struct ZipHandleRecord
{
    enum Kind : uint32_t { Reader = 1, Writer = 2 };
    uint32_t kind = Writer;
    std::unique_ptr<ZipArchiveWriter> writer;
};

ZipTarget ZipTarget::FromHandle(int fd)
{
    ZipTarget t;
    t.kind = Handle;
    t.fd = fd;
    return t;
}

ZipTarget ZipTarget::FromFileName(const QString &fileName)
{
    ZipTarget t;
    t.kind = FileName;
    t.fileName = fileName;
    return t;
}

ZipTarget ZipTarget::FromMemory(void *buffer, std::size_t length)
{
    ZipTarget t;
    t.kind = Memory;
    t.buffer = buffer;
    t.length = length;
    return t;
}

ZipSource ZipSource::FromHandle(int fd, std::size_t length)
{
    ZipSource s;
    s.kind = Handle;
    s.fd = fd;
    s.length = length;
    return s;
}

ZipSource ZipSource::FromFileName(const QString &fileName)
{
    ZipSource s;
    s.kind = FileName;
    s.fileName = fileName;
    return s;
}

ZipSource ZipSource::FromMemory(const void *data, std::size_t length)
{
    ZipSource s;
    s.kind = Memory;
    s.data = data;
    s.length = length;
    return s;
}

ZipSource ZipSource::FolderEntry()
{
    ZipSource s;
    s.kind = Folder;
    return s;
}

ZipHandle CreateZipArchive(const ZipTarget &target, int level)
{
    auto handle = std::make_unique<ZipHandleRecord>();
    handle->writer = std::make_unique<ZipArchiveWriter>(level);
    if (handle->writer->Create(target) != ZipOk)
        return nullptr;
    return handle.release();
}

namespace {

// The stored form of an entry name: ASCII names as they are; others as UTF-8, flagged as such. An
// unpaired surrogate cannot be converted.
bool EncodeEntryName(const QString &name, QByteArray &out, bool &utf8)
{
    utf8 = false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.unicode() >= 0x80)
            utf8 = true;
        if (c.isHighSurrogate() && (i + 1 == name.size() || !name[i + 1].isLowSurrogate()))
            return false;
        if (c.isLowSurrogate() && (i == 0 || !name[i - 1].isHighSurrogate()))
            return false;
    }
    out = utf8 ? name.toUtf8() : name.toLatin1();
    return true;
}

} // namespace

ZipResult AddZipEntry(ZipHandle handle, const QString &entryName, const ZipSource &source)
{
    if (!handle)
        return ZipBadArgs;
    if (handle->kind != ZipHandleRecord::Writer)
        return ZipWrongMode;
    QByteArray name;
    bool utf8 = false;
    if (!EncodeEntryName(entryName, name, utf8))
        return ZipBadArgs;
    return handle->writer->Add(name, utf8, source);
}

struct ZipEntryPacker::State : ZipArchiveWriter::PackState
{
};

ZipEntryPacker::ZipEntryPacker(int level) : m_state(std::make_unique<State>()), m_level(std::clamp(level, 1, 9)) {}

ZipEntryPacker::~ZipEntryPacker() = default;

std::unique_ptr<ZipPackedEntry> ZipEntryPacker::Pack(const QString &entryName, const ZipSource &source,
                                                     std::size_t largest)
{
    auto packed = std::make_unique<ZipPackedEntry>();
    packed->level = m_level;
    if (!EncodeEntryName(entryName, packed->name, packed->utf8Name)) {
        packed->nameResult = ZipBadArgs;
        return packed;
    }
    ZipArchiveWriter::Pack(*packed, source, *m_state, largest);
    return packed;
}

ZipResult AddPackedZipEntry(ZipHandle handle, const ZipPackedEntry &entry)
{
    if (!handle)
        return ZipBadArgs;
    if (handle->kind != ZipHandleRecord::Writer)
        return ZipWrongMode;
    return handle->writer->AddPacked(entry);
}

int ZipArchiveLevel(ZipHandle handle) { return handle && handle->writer ? handle->writer->Level() : 0; }

ZipResult CloseZipArchive(ZipHandle handle)
{
    if (!handle)
        return ZipBadArgs;
    if (handle->kind != ZipHandleRecord::Writer)
        return ZipWrongMode;
    const ZipResult result = handle->writer->Close();
    delete handle;
    return result;
}

bool IsStoredSuffix(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    static const QString kStored[] = {".Z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};
    const QStringView suffix = QStringView(name).mid(dot);
    for (const QString &s : kStored)
        if (suffix.compare(s, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
