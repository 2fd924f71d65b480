#pragma once

#include "platform/ProcessRunner.h"

#include <QByteArray>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>

#include <zlib.h>

#include <cstdint>

// An independent reading of a ZIP archive's records, byte by byte, for checking what the writer wrote.
namespace ZipRecords {

inline uint16_t U16(const QByteArray &b, qsizetype at)
{
    return uint16_t(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8));
}

inline uint32_t U32(const QByteArray &b, qsizetype at) { return U16(b, at) | (uint32_t(U16(b, at + 2)) << 16); }

struct Local {
    uint16_t versionNeeded, flags, method;
    uint32_t dosStamp, crc, compressedSize, uncompressedSize;
    QByteArray name, extra;
    qsizetype dataOffset;
    bool hasDescriptor;
    uint32_t descriptorCrc, descriptorCompressed, descriptorUncompressed;
};

struct Central {
    uint16_t madeBy, versionNeeded, flags, method;
    uint32_t dosStamp, crc, compressedSize, uncompressedSize;
    uint16_t commentLength, diskStart, internalAttributes;
    uint32_t externalAttributes, localOffset;
    QByteArray name, extra;
};

struct Archive {
    QString error; // empty when every record was read
    uint16_t entriesOnDisk = 0, totalEntries = 0;
    uint32_t centralSize = 0, centralOffset = 0;
    QList<Central> central;
    QList<Local> local;
};

inline Archive Read(const QByteArray &b)
{
    Archive a;
    const qsizetype end = b.size() - 22;
    if (end < 0 || U32(b, end) != 0x06054B50) {
        a.error = "no end record at the end";
        return a;
    }
    a.entriesOnDisk = U16(b, end + 8);
    a.totalEntries = U16(b, end + 10);
    a.centralSize = U32(b, end + 12);
    a.centralOffset = U32(b, end + 16);
    if (U16(b, end + 4) || U16(b, end + 6) || U16(b, end + 20)) {
        a.error = "disk numbers or comment set";
        return a;
    }
    qsizetype at = a.centralOffset;
    for (int i = 0; i < a.totalEntries; ++i) {
        if (at + 46 > end || U32(b, at) != 0x02014B50) {
            a.error = QStringLiteral("central header %1 missing").arg(i);
            return a;
        }
        Central c{U16(b, at + 4),  U16(b, at + 6),  U16(b, at + 8),  U16(b, at + 10), U32(b, at + 12), U32(b, at + 16),
                  U32(b, at + 20), U32(b, at + 24), U16(b, at + 32), U16(b, at + 34), U16(b, at + 36), U32(b, at + 38),
                  U32(b, at + 42), {},              {}};
        const uint16_t nameLength = U16(b, at + 28);
        const uint16_t extraLength = U16(b, at + 30);
        c.name = b.mid(at + 46, nameLength);
        c.extra = b.mid(at + 46 + nameLength, extraLength);
        at += 46 + nameLength + extraLength + c.commentLength;
        a.central.append(c);

        const qsizetype l = c.localOffset;
        if (l + 30 > b.size() || U32(b, l) != 0x04034B50) {
            a.error = QStringLiteral("local header %1 missing").arg(i);
            return a;
        }
        Local h{U16(b, l + 4), U16(b, l + 6), U16(b, l + 8), U32(b, l + 10), U32(b, l + 14), U32(b, l + 18),
                U32(b, l + 22), {}, {}, 0, false, 0, 0, 0};
        const uint16_t localName = U16(b, l + 26);
        const uint16_t localExtra = U16(b, l + 28);
        h.name = b.mid(l + 30, localName);
        h.extra = b.mid(l + 30 + localName, localExtra);
        h.dataOffset = l + 30 + localName + localExtra;
        const qsizetype after = h.dataOffset + c.compressedSize;
        if (after + 16 <= b.size() && U32(b, after) == 0x08074B50) {
            h.hasDescriptor = true;
            h.descriptorCrc = U32(b, after + 4);
            h.descriptorCompressed = U32(b, after + 8);
            h.descriptorUncompressed = U32(b, after + 12);
        }
        a.local.append(h);
    }
    if (at != a.centralOffset + qsizetype(a.centralSize) || at != end)
        a.error = "central directory size does not match";
    return a;
}

// The entry's data as stored (still compressed when deflated).
inline QByteArray Data(const QByteArray &b, const Archive &a, int i)
{
    return b.mid(a.local[i].dataOffset, a.central[i].compressedSize);
}

// Raw deflate data inflated; empty with ok false when it is not valid.
inline QByteArray Inflate(const QByteArray &raw, bool *ok)
{
    z_stream zs{};
    *ok = inflateInit2(&zs, -15) == Z_OK;
    QByteArray out;
    char buffer[16384];
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw.constData()));
    zs.avail_in = uInt(raw.size());
    int z = Z_OK;
    while (*ok && z != Z_STREAM_END) {
        zs.next_out = reinterpret_cast<Bytef *>(buffer);
        zs.avail_out = sizeof buffer;
        z = inflate(&zs, Z_NO_FLUSH);
        if (z != Z_OK && z != Z_STREAM_END)
            *ok = false;
        out.append(buffer, qsizetype(sizeof buffer - zs.avail_out));
    }
    inflateEnd(&zs);
    return out;
}

// Raw deflate data of the given level, as zlib makes it with a 32 KiB window.
inline QByteArray RawDeflate(const QByteArray &data, int level)
{
    z_stream zs{};
    if (deflateInit2(&zs, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&zs, uLong(data.size()))), Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    zs.avail_in = uInt(data.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(out.size());
    const int z = deflate(&zs, Z_FINISH);
    out.truncate(qsizetype(zs.total_out));
    deflateEnd(&zs);
    return z == Z_STREAM_END ? out : QByteArray();
}

inline uint32_t Crc(const QByteArray &data)
{
    return uint32_t(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
}

// An outside program's verdict: exit status and output.
inline CProcessResult Tool(const QString &program, const QStringList &arguments)
{
    return CProcessRunner::Run(program, arguments, 60000);
}

// Python's zipfile module reading the archive back: one line per entry, its name and the SHA-256 of its
// data, in the order of the central directory.
inline CProcessResult PythonListing(const QString &archive)
{
    // Debian's interpreter where it is installed, else the first on the path.
    const QString python = QFileInfo("/usr/bin/python3").isExecutable() ? "/usr/bin/python3" : "python3";
    return Tool(python, {"-c",
                            "import hashlib, sys, zipfile\n"
                            "with zipfile.ZipFile(sys.argv[1]) as z:\n"
                            "    assert z.testzip() is None\n"
                            "    for i in z.infolist():\n"
                            "        print(i.filename, hashlib.sha256(z.read(i)).hexdigest())\n",
                            archive});
}

} // namespace ZipRecords
