// PNM: the portable bitmap (P1, P4), grey map (P2, P5) and pixel map (P3, P6) files, plain (decimal
// text) or raw (binary), with '#' comments in the header.
#include "image/JasByteSource.h"
#include "image/JasPicture.h"

#include "image/xFile.h"

#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct PnmHeader
{
    int kind = 0; // 1 to 6
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t maxValue = 1;
    bool bitmap() const { return kind == 1 || kind == 4; }
    bool plain() const { return kind <= 3; }
    uint32_t channels() const { return (kind == 3 || kind == 6) ? 3 : 1; }
};

bool ReadHeader(JasByteSource &source, PnmHeader &header)
{
    if (source.Get() != 'P')
        return false;
    const int kind = source.Get();
    if (kind < '1' || kind > '6')
        return false;
    header.kind = kind - '0';
    if (!source.ReadNumber(header.width, true) || !source.ReadNumber(header.height, true))
        return false;
    if (!header.bitmap() && !source.ReadNumber(header.maxValue, true))
        return false;
    if (header.width == 0 || header.height == 0 || header.maxValue == 0 || header.maxValue > 65535 ||
        uint64_t(header.width) * header.height * header.channels() > kJasMaxSamples)
        return false;
    // Raw samples start after exactly one white-space byte.
    if (!header.plain()) {
        const int c = source.Get();
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

// Samples are stretched to the full range of their precision, so a grey map of maximum 100 shows as
// bright as one of maximum 255.
int32_t Stretch(uint32_t v, uint32_t maxValue, int precision)
{
    const uint32_t top = (uint32_t(1) << precision) - 1;
    if (v >= maxValue)
        return int32_t(top);
    return int32_t((uint64_t(v) * top + maxValue / 2) / maxValue);
}

bool ReadPlain(JasByteSource &source, const PnmHeader &header, std::vector<int32_t *> &planes, int precision)
{
    const size_t count = size_t(header.width) * header.height;
    for (size_t i = 0; i < count; ++i) {
        for (size_t c = 0; c < planes.size(); ++c) {
            uint32_t v = 0;
            if (header.bitmap()) {
                // Bitmap digits may follow one another without white space.
                if (!source.SkipSpace(true))
                    return false;
                const int digit = source.Get();
                if (digit != '0' && digit != '1')
                    return false;
                v = digit == '1' ? 0 : 1; // 1 is black
            } else {
                if (!source.ReadNumber(v, true))
                    return false;
                v = uint32_t(Stretch(v, header.maxValue, precision));
            }
            planes[c][i] = int32_t(v);
        }
    }
    return true;
}

bool ReadRaw(JasByteSource &source, const PnmHeader &header, std::vector<int32_t *> &planes, int precision)
{
    std::vector<uint8_t> raw;
    if (header.bitmap()) {
        const size_t rowBytes = (size_t(header.width) + 7) / 8;
        if (!source.ReadBlock(raw, uint64_t(rowBytes) * header.height))
            return false;
        for (uint32_t y = 0; y < header.height; ++y)
            for (uint32_t x = 0; x < header.width; ++x)
                planes[0][size_t(y) * header.width + x] = ((raw[y * rowBytes + x / 8] >> (7 - x % 8)) & 1) ? 0 : 1;
        return true;
    }
    const size_t bytes = header.maxValue > 255 ? 2 : 1;
    const size_t count = size_t(header.width) * header.height * planes.size();
    if (!source.ReadBlock(raw, uint64_t(count) * bytes))
        return false;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t v = bytes == 2 ? (uint32_t(raw[2 * i]) << 8) | raw[2 * i + 1] : raw[i];
        planes[i % planes.size()][i / planes.size()] = Stretch(v, header.maxValue, precision);
    }
    return true;
}

} // namespace

JasReadResult ReadPnm(CxFile *file, bool headerOnly, JasPicture &picture)
{
    JasByteSource source(file);
    PnmHeader header;
    if (!ReadHeader(source, header))
        return JasReadResult::Failed;
    const int precision = header.bitmap() ? 1 : std::bit_width(header.maxValue);
    picture.colorSpace = header.channels() == 3 ? JasColorSpace::Srgb : JasColorSpace::Gray;
    if (headerOnly) {
        picture.DescribeComponents(header.channels(), header.width, header.height, precision);
        return JasReadResult::Ok;
    }
    std::vector<int32_t *> planes;
    for (uint32_t c = 0; c < header.channels(); ++c) {
        int32_t *plane = picture.AddPlane(header.width, header.height, precision);
        if (!plane)
            return JasReadResult::Failed;
        planes.push_back(plane);
    }
    const bool ok = header.plain() ? ReadPlain(source, header, planes, precision)
                                   : ReadRaw(source, header, planes, precision);
    return ok ? JasReadResult::Ok : JasReadResult::Failed;
}

bool WritePnm(CxFile *file, const JasRows &rows)
{
    const size_t channels = rows.grey ? 1 : 3;
    const std::string header = std::string(rows.grey ? "P5" : "P6") + "\n" + std::to_string(rows.width) + " " +
                               std::to_string(rows.height) + "\n255\n";
    const size_t rowBytes = size_t(rows.width) * channels;
    std::vector<uint8_t> out(header.size() + rowBytes * rows.height);
    std::memcpy(out.data(), header.data(), header.size());
    uint8_t *at = out.data() + header.size();
    for (uint32_t y = 0; y < rows.height; ++y, at += rowBytes) {
        const uint8_t *src = rows.row(y);
        if (rows.grey) {
            std::memcpy(at, src, rowBytes);
            continue;
        }
        // Blue, green, red to red, green, blue.
        for (size_t x = 0; x < rowBytes; x += 3) {
            at[x] = src[x + 2];
            at[x + 1] = src[x + 1];
            at[x + 2] = src[x];
        }
    }
    return file->Write(out.data(), 1, out.size()) == out.size();
}
