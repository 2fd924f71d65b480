#include "image/xImageTGA.h"

#include "image/BufferedInput.h"
#include "image/BytesLeft.h"
#include "image/LittleEndian.h"
#include "image/xFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 18;
constexpr char kCorrupted[] = "corrupted TGA";
constexpr char kBadHeader[] = "bad TGA header";

struct TgaHeader
{
    uint8_t idLength, mapType, imageType;
    uint16_t mapFirst, mapLength;
    uint8_t mapEntrySize;
    uint16_t xOrigin, yOrigin, width, height;
    uint8_t depth, descriptor;

    bool RunLength() const { return imageType >= 9; }
    bool Grey() const { return imageType == 3 || imageType == 11; }
    // Grey pixels of two bytes: the level, then the alpha.
    bool GreyWithAlpha() const { return Grey() && depth == 16; }
    bool Mapped() const { return imageType == 1 || imageType == 9; }
    bool RightToLeft() const { return descriptor & 0x10; }
    bool TopDown() const { return descriptor & 0x20; }
};

TgaHeader ParseHeader(const uint8_t *p)
{
    return TgaHeader{p[0], p[1], p[2], Le16(p + 3), Le16(p + 5), p[7], Le16(p + 8), Le16(p + 10),
                     Le16(p + 12), Le16(p + 14), p[16], p[17]};
}

// A 15- or 16-bit pixel (x rrrrr ggggg bbbbb) with each channel scaled by 8.
RGBQUAD From16(uint16_t p)
{
    return RGBQUAD{uint8_t((p & 0x1F) << 3), uint8_t((p >> 2) & 0xF8), uint8_t((p >> 7) & 0xF8), 0};
}

// A colour-map entry of 15, 16, 24 or 32 bits, stored blue first; the fourth byte of a 32-bit entry is
// its alpha.
RGBQUAD MapEntry(const uint8_t *p, uint32_t bytes)
{
    if (bytes == 2)
        return From16(Le16(p));
    return RGBQUAD{p[0], p[1], p[2], bytes == 4 ? p[3] : uint8_t(0)};
}

// Pixels in file order, from plain rows or from run-length packets that may run on into the next row.
class TgaPixels
{
public:
    TgaPixels(CxFile *file, uint32_t bytesPerPixel, bool runLength)
        : m_input(file), m_bytes(bytesPerPixel), m_runLength(runLength)
    {
    }

    // The next n pixels, m_bytes each; false when the data ends first.
    bool Row(uint8_t *out, uint32_t n)
    {
        if (!m_runLength)
            return m_input.Read(out, size_t(n) * m_bytes);
        while (n > 0) {
            if (m_left == 0) {
                const int packet = m_input.Get();
                if (packet < 0)
                    return false;
                m_left = uint32_t(packet & 0x7F) + 1;
                m_repeat = packet & 0x80;
                if (m_repeat && !m_input.Read(m_value, m_bytes))
                    return false;
            }
            const uint32_t k = std::min(m_left, n);
            if (m_repeat) {
                for (uint32_t i = 0; i < k; ++i)
                    std::memcpy(out + size_t(i) * m_bytes, m_value, m_bytes);
            } else if (!m_input.Read(out, size_t(k) * m_bytes)) {
                return false;
            }
            out += size_t(k) * m_bytes;
            m_left -= k;
            n -= k;
        }
        return true;
    }

private:
    BufferedInput m_input;
    uint32_t m_bytes;
    bool m_runLength;
    uint32_t m_left = 0;   // pixels still owed by the current packet
    bool m_repeat = false;
    uint8_t m_value[4] = {};
};

} // namespace

bool CxImageTGA::Decode(CxFile *file)
{
    if (!file)
        return false;
    uint8_t raw[kHeaderSize];
    if (file->Read(raw, kHeaderSize, 1) != 1) {
        SetErrorText("Not a TGA");
        return false;
    }
    const TgaHeader h = ParseHeader(raw);
    switch (h.imageType) {
    case 1: case 2: case 3: case 9: case 10: case 11: break;
    default:
        SetErrorText("Unknown TGA image type");
        return false;
    }
    const bool depthKnown = h.depth == 8 || h.depth == 15 || h.depth == 16 || h.depth == 24 || h.depth == 32;
    // Indices are single bytes, grey levels a byte with or without an alpha byte: another depth would be
    // read as colours.
    const bool depthFits = (!h.Mapped() && !h.Grey()) || h.depth == 8 || h.GreyWithAlpha();
    const bool mapFits = h.mapType == 0 || h.mapEntrySize == 15 || h.mapEntrySize == 16 ||
                         h.mapEntrySize == 24 || h.mapEntrySize == 32;
    if (h.width == 0 || h.height == 0 || h.depth == 0 || h.mapLength > 256 || !depthKnown || !depthFits ||
        !mapFits) {
        SetErrorText(kBadHeader);
        return false;
    }
    if (GetEscape() == -1) {
        m_header.biWidth = h.width;
        m_header.biHeight = h.height;
        m_info.formatId = ImageFormatTga;
        return true;
    }

    const uint32_t bytesPerPixel = (h.depth + 7) / 8;
    const uint32_t mapBytes = h.mapType ? (h.mapEntrySize + 7) / 8 : 0;
    // Plain rows are all there, and packets hold at most 128 pixels: a shorter file cannot hold the
    // picture, and is refused before the picture is allocated.
    const uint64_t pixels = uint64_t(h.width) * h.height;
    const uint64_t least = h.RunLength() ? (pixels + 127) / 128 * (1 + bytesPerPixel) : pixels * bytesPerPixel;
    if (BytesLeft(file) < h.idLength + uint64_t(h.mapLength) * mapBytes + least) {
        SetErrorText(kCorrupted);
        return false;
    }

    if (!file->Seek(h.idLength, SEEK_CUR) || !Create(h.width, h.height, h.Grey() ? 8 : h.depth, ImageFormatTga)) {
        SetErrorText("TGA Create failed");
        return false;
    }
    if ((h.depth == 32 || h.GreyWithAlpha()) && !AlphaCreate()) {
        SetErrorText("TGA Create failed");
        return false;
    }
    if (GetEscape()) {
        SetErrorText("Cancelled");
        return false;
    }

    if (h.mapType != 0) {
        // Entries of 15 and 16 bits are two bytes, 32 bits four: the map is read at its own entry size.
        std::vector<uint8_t> map(size_t(h.mapLength) * mapBytes);
        if (file->Read(map.data(), 1, map.size()) != map.size()) {
            SetErrorText(kCorrupted);
            return false;
        }
        // Entry k of the map is the colour of index first + k; indices past 255 cannot occur.
        bool mapAlpha = false;
        for (uint32_t k = 0; k < h.mapLength && h.mapFirst + k < 256 && IsIndexed(); ++k) {
            const RGBQUAD entry = MapEntry(map.data() + size_t(k) * mapBytes, mapBytes);
            SetPaletteColor(uint8_t(h.mapFirst + k), entry);
            mapAlpha = mapAlpha || entry.rgbReserved != 0;
        }
        // A 32-bit map whose alpha bytes are all zero was written without alpha: it is shown opaque.
        m_info.alphaPaletteEnabled = mapAlpha && IsIndexed();
    }
    if (h.Grey())
        SetGrayPalette();

    TgaPixels source(file, bytesPerPixel, h.RunLength());
    std::vector<uint8_t> line(size_t(h.width) * bytesPerPixel);
    for (uint32_t fileRow = 0; fileRow < h.height; ++fileRow) {
        if (GetEscape()) {
            SetErrorText("Cancelled");
            return false;
        }
        if (!source.Row(line.data(), h.width)) {
            SetErrorText(kCorrupted);
            return false;
        }
        const int32_t row = int32_t(h.TopDown() ? h.height - 1 - fileRow : fileRow);
        uint8_t *dst = GetRowPointer(uint32_t(row));
        switch (bytesPerPixel) {
        case 1:
            std::memcpy(dst, line.data(), h.width);
            break;
        case 2:
            if (h.GreyWithAlpha()) {
                uint8_t *alpha = AlphaGetPointer(0, row);
                for (uint32_t x = 0; x < h.width; ++x) {
                    dst[x] = line[2 * x];
                    alpha[x] = line[2 * x + 1];
                }
                break;
            }
            for (uint32_t x = 0; x < h.width; ++x) {
                const RGBQUAD c = From16(Le16(line.data() + 2 * x));
                dst[3 * x] = c.rgbBlue;
                dst[3 * x + 1] = c.rgbGreen;
                dst[3 * x + 2] = c.rgbRed;
            }
            break;
        case 3:
            std::memcpy(dst, line.data(), size_t(h.width) * 3);
            break;
        default: {
            uint8_t *alpha = AlphaGetPointer(0, row);
            for (uint32_t x = 0; x < h.width; ++x) {
                std::memcpy(dst + 3 * x, line.data() + 4 * x, 3);
                alpha[x] = line[4 * x + 3];
            }
            break;
        }
        }
    }
    if (h.RightToLeft())
        Mirror();
    return true;
}

bool CxImageTGA::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    const uint32_t bpp = GetBpp();
    if (bpp < 8) {
        SetErrorText("Bit depth must be 8 or 24");
        return false;
    }
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    if (width > 0xFFFF || height > 0xFFFF) {
        SetErrorText("bad TGA header");
        return false;
    }
    const bool mapped = bpp == 8;
    const bool withAlpha = !mapped && AlphaIsValid();

    std::vector<uint8_t> out;
    out.push_back(0);                 // no image id
    out.push_back(mapped ? 1 : 0);    // colour-map type
    out.push_back(mapped ? 1 : 2);    // image type
    Put16(out, 0);                    // first colour-map entry
    Put16(out, mapped ? 256 : 0);     // colour-map length
    out.push_back(mapped ? 24 : 0);   // colour-map entry size
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, width);
    Put16(out, height);
    out.push_back(uint8_t(withAlpha ? 32 : bpp));
    out.push_back(0); // bottom-up, left to right
    if (mapped) {
        for (uint32_t i = 0; i < 256; ++i) {
            const RGBQUAD c = GetPaletteColor(uint8_t(i));
            out.insert(out.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed});
        }
    }
    if (file->Write(out.data(), 1, out.size()) != out.size())
        return false;

    const size_t rowBytes = size_t(width) * (withAlpha ? 4 : mapped ? 1 : 3);
    std::vector<uint8_t> row(rowBytes);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t *src = GetRowPointer(y);
        if (withAlpha) {
            const uint8_t *alpha = AlphaGetPointer(0, int32_t(y));
            for (uint32_t x = 0; x < width; ++x) {
                std::memcpy(&row[4 * size_t(x)], src + 3 * size_t(x), 3);
                row[4 * size_t(x) + 3] = alpha[x];
            }
        } else {
            std::memcpy(row.data(), src, rowBytes);
        }
        if (file->Write(row.data(), 1, rowBytes) != rowBytes)
            return false;
    }
    return true;
}
