// Sun raster files: a 32-byte header of big-endian words (magic, width, height, depth, data length,
// type, colour-map type, colour-map length), the colour map, then rows padded to 16 bits. Types: old
// and standard (blue, green, red), byte-encoded (run-length) and RGB (red, green, blue).
#include "image/JasByteSource.h"
#include "image/JasPicture.h"

#include "image/xFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kMagic = 0x59A66A95;
enum RasType : uint32_t { TypeOld = 0, TypeStandard = 1, TypeEncoded = 2, TypeRgb = 3 };
enum RasMap : uint32_t { MapNone = 0, MapRgb = 1, MapRaw = 2 };
constexpr uint8_t kRunEscape = 0x80;

uint32_t Be32(const uint8_t *p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void PutBe32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

struct RasHeader
{
    uint32_t width, height, depth, length, type, mapType, mapLength;
    uint64_t rowBytes() const { return ((uint64_t(width) * depth + 15) / 16) * 2; }
};

// The run-length coding: 0x80 0 is a single 0x80, 0x80 n v is n + 1 copies of v, any other byte itself.
bool Unpack(JasByteSource &source, std::vector<uint8_t> &out, uint64_t size)
{
    out.clear();
    out.reserve(size_t(std::min<uint64_t>(size, source.Remaining() * 128)));
    while (out.size() < size) {
        const int c = source.Get();
        if (c < 0)
            return false;
        if (c != kRunEscape) {
            out.push_back(uint8_t(c));
            continue;
        }
        const int n = source.Get();
        if (n < 0)
            return false;
        if (n == 0) {
            out.push_back(kRunEscape);
            continue;
        }
        const int v = source.Get();
        if (v < 0 || out.size() + size_t(n) + 1 > size)
            return false;
        out.insert(out.end(), size_t(n) + 1, uint8_t(v));
    }
    return true;
}

bool ReadHeader(JasByteSource &source, RasHeader &h)
{
    std::vector<uint8_t> raw;
    if (!source.ReadBlock(raw, 32) || Be32(raw.data()) != kMagic)
        return false;
    h = RasHeader{Be32(&raw[4]), Be32(&raw[8]), Be32(&raw[12]), Be32(&raw[16]),
                  Be32(&raw[20]), Be32(&raw[24]), Be32(&raw[28])};
    const bool depthOk = h.depth == 1 || h.depth == 8 || h.depth == 24 || h.depth == 32;
    return depthOk && h.width > 0 && h.height > 0 && h.type <= TypeRgb && h.mapType <= MapRaw &&
           uint64_t(h.width) * h.height * 3 <= kJasMaxSamples && !(h.mapType == MapRgb && h.mapLength > 768);
}

} // namespace

JasReadResult ReadRas(CxFile *file, bool headerOnly, JasPicture &picture)
{
    JasByteSource source(file);
    RasHeader h;
    if (!ReadHeader(source, h))
        return JasReadResult::Failed;
    std::vector<uint8_t> map;
    if (h.mapType != MapNone && h.mapLength && !source.ReadBlock(map, h.mapLength))
        return JasReadResult::Failed;
    // A colour map turns indices into red, green, blue; without one, 8 bits are grey levels.
    const uint32_t mapEntries = h.mapType == MapRgb ? h.mapLength / 3 : 0;
    const bool colour = h.depth > 8 || mapEntries > 0;
    const uint32_t channels = colour ? 3 : 1;
    const int precision = (h.depth == 1 && !colour) ? 1 : 8;
    picture.colorSpace = colour ? JasColorSpace::Srgb : JasColorSpace::Gray;
    if (headerOnly) {
        picture.DescribeComponents(channels, h.width, h.height, precision);
        return JasReadResult::Ok;
    }

    const uint64_t rowBytes = h.rowBytes();
    std::vector<uint8_t> data;
    const bool read = h.type == TypeEncoded ? Unpack(source, data, rowBytes * h.height)
                                            : source.ReadBlock(data, rowBytes * h.height);
    if (!read)
        return JasReadResult::Failed;
    int32_t *planes[3] = {};
    for (uint32_t c = 0; c < channels; ++c) {
        planes[c] = picture.AddPlane(h.width, h.height, precision);
        if (!planes[c])
            return JasReadResult::Failed;
    }
    const bool rgbOrder = h.type == TypeRgb;
    for (uint32_t y = 0; y < h.height; ++y) {
        const uint8_t *row = data.data() + y * rowBytes;
        for (uint32_t x = 0; x < h.width; ++x) {
            const size_t at = size_t(y) * h.width + x;
            if (h.depth >= 24) {
                const uint8_t *p = row + size_t(x) * (h.depth / 8) + (h.depth == 32 ? 1 : 0);
                planes[0][at] = rgbOrder ? p[0] : p[2];
                planes[1][at] = p[1];
                planes[2][at] = rgbOrder ? p[2] : p[0];
                continue;
            }
            const uint32_t index = h.depth == 8 ? row[x] : (row[x / 8] >> (7 - x % 8)) & 1;
            if (!colour) {
                planes[0][at] = h.depth == 1 ? int32_t(index ^ 1) : int32_t(index); // a set bit is black
                continue;
            }
            for (uint32_t c = 0; c < 3; ++c)
                planes[c][at] = index < mapEntries ? map[c * mapEntries + index] : 0;
        }
    }
    return JasReadResult::Ok;
}

bool WriteRas(CxFile *file, const JasRows &rows)
{
    RasHeader h{rows.width, rows.height, rows.grey ? 8u : 24u, 0, TypeStandard, MapNone, 0};
    const uint64_t rowBytes = h.rowBytes();
    h.length = uint32_t(rowBytes * h.height);
    std::vector<uint8_t> out;
    for (uint32_t v : {kMagic, h.width, h.height, h.depth, h.length, h.type, h.mapType, h.mapLength})
        PutBe32(out, v);
    const size_t headerSize = out.size();
    // Standard rows are blue, green, red (or grey levels) as the image holds them, padded to 16 bits.
    out.resize(headerSize + size_t(h.length), 0);
    const size_t used = size_t(h.width) * (rows.grey ? 1 : 3);
    for (uint32_t y = 0; y < h.height; ++y)
        std::memcpy(out.data() + headerSize + size_t(y) * rowBytes, rows.row(y), used);
    return file->Write(out.data(), 1, out.size()) == out.size();
}
