#include "platform/Archive.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Makes room for count more bytes at the end of a storing archive's buffer; where they go. The buffer
// grows by half its size at a time, so writing a project costs time in proportion to its size however it
// is written: a value at a time or a string at a time.
char *Grow(QByteArray &data, qint64 count)
{
    const qsizetype size = data.size();
    const qsizetype wanted = size + qsizetype(count);
    if (wanted > data.capacity())
        data.reserve(std::max(wanted, size + size / 2 + 256));
    data.resize(wanted);
    return data.data() + size;
}

} // namespace

CArchive::CArchive(QByteArray data) : m_mode(load), m_data(std::move(data)) {}

CArchive::CArchive() : m_mode(store) {}

CorvPath::CNoCaseResolver &CArchive::Paths() const
{
    if (m_paths)
        return *m_paths;
    // A store writes files while it runs: what it finds on disk is looked up afresh every time.
    if (!m_ownPaths || IsStoring())
        m_ownPaths = std::make_unique<CorvPath::CNoCaseResolver>();
    return *m_ownPaths;
}

void CArchive::RequireLoading() const
{
    if (m_mode != load)
        throw CArchiveException(CArchiveException::generic, QStringLiteral("The archive is not open for reading."));
}

void CArchive::RequireStoring() const
{
    if (m_mode != store)
        throw CArchiveException(CArchiveException::generic, QStringLiteral("The archive is not open for writing."));
}

void CArchive::Need(qint64 count) const
{
    RequireLoading();
    if (count < 0 || count > BytesLeft())
        throw CArchiveException(CArchiveException::endOfFile,
                                QStringLiteral("Unexpected end of file while reading %1.")
                                    .arg(m_filePath.isEmpty() ? QStringLiteral("the archive") : m_filePath));
}

void CArchive::ThrowBadCount(qint64 count) const
{
    throw CArchiveException(CArchiveException::badCount,
                            QStringLiteral("The file %1 is damaged: a length of %2 at byte %3 is impossible.")
                                .arg(m_filePath.isEmpty() ? QStringLiteral("being read") : m_filePath)
                                .arg(count)
                                .arg(m_pos));
}

void CArchive::Read(void *dest, qint64 count)
{
    Need(count);
    if (count > 0)
        std::memcpy(dest, m_data.constData() + m_pos, size_t(count));
    m_pos += count;
}

QByteArray CArchive::ReadBytes(qint64 count)
{
    Need(count);
    QByteArray out = m_data.mid(m_pos, count);
    m_pos += count;
    return out;
}

uint8_t CArchive::ReadByte()
{
    Need(1);
    // Through constData: the bytes are often shared with whoever read the file, and a writable access would
    // copy all of them.
    return uint8_t(m_data.constData()[m_pos++]);
}

uint16_t CArchive::ReadWord()
{
    Need(2);
    const auto *p = reinterpret_cast<const uint8_t *>(m_data.constData() + m_pos);
    m_pos += 2;
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t CArchive::ReadDWord()
{
    Need(4);
    const auto *p = reinterpret_cast<const uint8_t *>(m_data.constData() + m_pos);
    m_pos += 4;
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

int32_t CArchive::ReadInt() { return int32_t(ReadDWord()); }

int64_t CArchive::ReadInt64()
{
    const uint64_t lo = ReadDWord();
    const uint64_t hi = ReadDWord();
    return int64_t(lo | (hi << 32));
}

double CArchive::ReadDouble()
{
    const uint64_t bits = uint64_t(ReadInt64());
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

float CArchive::ReadFloat()
{
    const uint32_t bits = ReadDWord();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

bool CArchive::ReadFlag() { return ReadInt() != 0; }

uint32_t CArchive::ReadColor() { return ReadDWord(); }

CRect CArchive::ReadRect()
{
    CRect r;
    r.left = ReadInt();
    r.top = ReadInt();
    r.right = ReadInt();
    r.bottom = ReadInt();
    return r;
}

QString CArchive::ReadString()
{
    // Length prefix: a byte; 0xFF escapes to a word; 0xFFFE there marks UTF-16 and the length follows
    // anew; 0xFFFF escapes to a dword.
    bool unicode = false;
    uint32_t length = ReadByte();
    if (length == 0xFF) {
        length = ReadWord();
        if (length == 0xFFFE) {
            unicode = true;
            length = ReadByte();
            if (length == 0xFF)
                length = ReadWord();
        }
        if (length == 0xFFFF)
            length = ReadDWord();
    }

    const qint64 bytes = unicode ? qint64(length) * 2 : qint64(length);
    if (bytes > BytesLeft())
        ThrowBadCount(length);
    if (!unicode) {
        const char *p = m_data.constData() + m_pos;
        m_pos += bytes;
        // Plain ASCII, as rich text is stored, is the same in every Windows and ISO code page and in UTF-8:
        // widened straight from the buffer, without a copy of the bytes or a converter of its own.
        const int page = CCodePage::GetLegacyCodePage();
        const bool asciiSafe = (page >= 1250 && page <= 1258) || (page >= 28591 && page <= 28605) ||
                               page == CCodePage::kUtf8;
        if (asciiSafe && std::all_of(p, p + bytes, [](char c) { return uchar(c) < 0x80; }))
            return QString::fromLatin1(p, qsizetype(bytes));
        return CCodePage::ToUnicode(QByteArray::fromRawData(p, qsizetype(bytes)));
    }

    QString s(qsizetype(length), Qt::Uninitialized);
    const char *p = m_data.constData() + m_pos;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(s.data(), p, size_t(bytes));
    } else {
        auto *out = reinterpret_cast<char16_t *>(s.data());
        const auto *b = reinterpret_cast<const uint8_t *>(p);
        for (uint32_t i = 0; i < length; ++i)
            out[i] = char16_t(b[2 * i] | (b[2 * i + 1] << 8));
    }
    m_pos += bytes;
    return s;
}

uint32_t CArchive::ReadCount(uint32_t maxCount, uint32_t minBytesEach)
{
    uint32_t count = ReadWord();
    if (count == 0xFFFF)
        count = ReadDWord();
    if (count > maxCount || qint64(count) * minBytesEach > BytesLeft())
        ThrowBadCount(count);
    return count;
}

int32_t CArchive::ReadCheckedInt(int32_t maxValue, uint32_t minBytesEach)
{
    const int32_t v = ReadInt();
    if (v < 0 || v > maxValue || qint64(v) * minBytesEach > BytesLeft())
        ThrowBadCount(v);
    return v;
}

QStringList CArchive::ReadStringList(uint32_t maxCount)
{
    // Every string takes at least one byte (its length), which bounds the count by what is left.
    const uint32_t count = ReadCount(maxCount, 1);
    QStringList list;
    list.reserve(qsizetype(count));
    for (uint32_t i = 0; i < count; ++i)
        list.append(ReadString());
    return list;
}

void CArchive::Write(const void *src, qint64 count)
{
    RequireStoring();
    // A negative count would make the byte array measure the source as a C string.
    if (count < 0)
        throw CArchiveException(CArchiveException::writeFailed,
                                QStringLiteral("A negative length of %1 cannot be written.").arg(count));
    std::memcpy(Grow(m_data, count), src, size_t(count));
}



void CArchive::WriteByte(uint8_t v)
{
    Write(&v, 1);
}

void CArchive::WriteWord(uint16_t v)
{
    const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    Write(b, 2);
}

void CArchive::WriteDWord(uint32_t v)
{
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Write(b, 4);
}

void CArchive::WriteInt(int32_t v) { WriteDWord(uint32_t(v)); }

void CArchive::WriteInt64(int64_t v)
{
    WriteDWord(uint32_t(uint64_t(v)));
    WriteDWord(uint32_t(uint64_t(v) >> 32));
}

void CArchive::WriteDouble(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof v);
    WriteInt64(int64_t(bits));
}

void CArchive::WriteFloat(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof v);
    WriteDWord(bits);
}

void CArchive::WriteRect(const CRect &r)
{
    WriteInt(r.left);
    WriteInt(r.top);
    WriteInt(r.right);
    WriteInt(r.bottom);
}

void CArchive::WriteString(const QString &s)
{
    WriteByte(0xFF);
    WriteWord(0xFFFE);
    const auto length = uint32_t(s.size());
    if (length < 0xFF) {
        WriteByte(uint8_t(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteWord(uint16_t(length));
    } else {
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        WriteDWord(length);
    }
    const char16_t *units = reinterpret_cast<const char16_t *>(s.utf16());
    char *out = Grow(m_data, qint64(length) * 2);
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, units, size_t(length) * 2);
    } else {
        for (uint32_t i = 0; i < length; ++i) {
            out[2 * i] = char(units[i] & 0xFF);
            out[2 * i + 1] = char(units[i] >> 8);
        }
    }
}

void CArchive::WriteCount(uint32_t count)
{
    if (count < 0xFFFF) {
        WriteWord(uint16_t(count));
    } else {
        WriteWord(0xFFFF);
        WriteDWord(count);
    }
}

void CArchive::WriteStringList(const QStringList &list)
{
    WriteCount(uint32_t(list.size()));
    for (const QString &s : list)
        WriteString(s);
}
