#pragma once

// Bounded little-endian reads of one metafile record and the entry points of the two record players.

#include <QString>

#include <cstdint>
#include <span>
#include <string>

class MetafileCanvas;
struct MetafilePicture;

class RecordBytes
{
public:
    explicit RecordBytes(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    size_t Size() const { return m_bytes.size(); }
    bool Has(size_t offset, size_t length) const { return offset <= m_bytes.size() && length <= m_bytes.size() - offset; }
    // Out-of-range reads give 0 and mark the record as damaged.
    uint16_t U16(size_t offset)
    {
        if (!Has(offset, 2))
            return Fail();
        return uint16_t(m_bytes[offset] | (m_bytes[offset + 1] << 8));
    }
    int16_t S16(size_t offset) { return int16_t(U16(offset)); }
    uint32_t U32(size_t offset)
    {
        if (!Has(offset, 4))
            return Fail();
        return uint32_t(m_bytes[offset]) | (uint32_t(m_bytes[offset + 1]) << 8) |
               (uint32_t(m_bytes[offset + 2]) << 16) | (uint32_t(m_bytes[offset + 3]) << 24);
    }
    int32_t S32(size_t offset) { return int32_t(U32(offset)); }
    float F32(size_t offset);
    // length bytes from offset, or an empty span (and damaged) when they are not all there.
    std::span<const uint8_t> Slice(size_t offset, size_t length)
    {
        if (!Has(offset, length)) {
            Fail();
            return {};
        }
        return m_bytes.subspan(offset, length);
    }
    bool Damaged() const { return m_damaged; }

private:
    uint16_t Fail()
    {
        m_damaged = true;
        return 0;
    }

    std::span<const uint8_t> m_bytes;
    bool m_damaged = false;
};

// Text of 8-bit characters in a font's character set (Windows code pages; symbol fonts as Latin-1).
QString DecodeAnsiText(std::span<const uint8_t> bytes, uint8_t charset);

// Each plays every record onto the canvas; false with a text when a record is damaged.
bool PlayWmfRecords(MetafileCanvas &canvas, const MetafilePicture &picture, std::string &error);
bool PlayEmfRecords(MetafileCanvas &canvas, const MetafilePicture &picture, std::string &error);
