#include "image/xImagePCX.h"

#include "image/BufferedInput.h"
#include "image/BytesLeft.h"
#include "image/LittleEndian.h"
#include "image/xFile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 128;
constexpr uint8_t kManufacturer = 10;
constexpr uint8_t kPaletteMarker = 12;
constexpr int kMaxRun = 63;
// Coded rows gather in a block of about this size before they are written.
constexpr size_t kBlockBytes = 256 * 1024;
constexpr char kCorrupted[] = "corrupted PCX";

// The 16-entry colour map of the header, red, green, blue.
constexpr size_t kColourMapAt = 16;

enum class Layout {
    Colour,   // 3 or 4 planes of 8 bits: red, green, blue (, alpha)
    Packed,   // one plane of 1, 2, 4 or 8 bits per pixel
    BitPlanes // 2 to 4 planes of 1 bit, plane i giving bit i of the index
};

// Run-length expansion into whole scan lines; a run may continue on the next line.
class RunReader
{
public:
    RunReader(CxFile *file, uint64_t total) : m_input(file), m_missing(total) {}

    // Fills line with n bytes; false (with the reason) when the data is damaged or ends early.
    bool Line(uint8_t *line, size_t n, const char **error)
    {
        size_t filled = 0;
        while (filled < n) {
            if (m_runLeft > 0) {
                const size_t k = std::min<size_t>(m_runLeft, n - filled);
                std::memset(line + filled, m_runValue, k);
                m_runLeft -= k;
                filled += k;
                continue;
            }
            const int c = m_input.Get();
            if (c < 0) {
                *error = kCorrupted;
                return false;
            }
            if (c < 0xC0) {
                line[filled++] = uint8_t(c);
                --m_missing;
                continue;
            }
            const int value = m_input.Get();
            if (value < 0) {
                *error = kCorrupted;
                return false;
            }
            const uint64_t count = uint64_t(c & 0x3F);
            if (count > m_missing) {
                *error = "repeat count spans end of image";
                return false;
            }
            m_missing -= count;
            m_runLeft = count;
            m_runValue = uint8_t(value);
        }
        return true;
    }
    BufferedInput &Input() { return m_input; }

private:
    BufferedInput m_input;
    uint64_t m_missing;
    uint64_t m_runLeft = 0;
    uint8_t m_runValue = 0;
};

// Index of pixel x in a packed scan line of 1, 2, 4 or 8 bits per pixel, most significant bits first.
uint8_t PackedIndex(const uint8_t *line, uint32_t x, uint32_t bits)
{
    switch (bits) {
    case 8: return line[x];
    case 4: return uint8_t((line[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F);
    case 2: return uint8_t((line[x >> 2] >> (6 - 2 * (x & 3))) & 0x03);
    default: return uint8_t((line[x >> 3] >> (7 - (x & 7))) & 0x01);
    }
}

// Runs of up to 63 equal bytes as a count byte and the value; a single byte below 0xC0 stands alone.
// Writes at most 2n bytes from out on and returns where it stopped.
uint8_t *PutRuns(uint8_t *out, const uint8_t *bytes, size_t n)
{
    size_t i = 0;
    while (i < n) {
        const uint8_t value = bytes[i];
        size_t run = 1;
        if (i + 1 < n && bytes[i + 1] == value) {
            const size_t limit = std::min(n - i, size_t(kMaxRun));
            for (run = 2; run < limit && bytes[i + run] == value;)
                ++run;
        }
        // The count byte is written always and kept only when needed: photographs make that choice
        // unforeseeable, and a branch on it would cost more than the store.
        *out = uint8_t(0xC0 | run);
        out += (run > 1 || value >= 0xC0) ? 1 : 0;
        *out++ = value;
        i += run;
    }
    return out;
}

} // namespace

bool CxImagePCX::Decode(CxFile *file)
{
    if (!file)
        return false;
    uint8_t h[kHeaderSize];
    if (file->Read(h, kHeaderSize, 1) != 1) {
        SetErrorText("Can't read PCX image");
        return false;
    }
    if (h[0] != kManufacturer) {
        SetErrorText("Error: Not a PCX file");
        return false;
    }
    if (h[2] != 1) {
        SetErrorText("PCX file has unknown encoding scheme");
        return false;
    }
    const uint32_t bits = h[3];
    const uint16_t xMin = Le16(h + 4), yMin = Le16(h + 6), xMax = Le16(h + 8), yMax = Le16(h + 10);
    // Bounds the wrong way round give no picture, not a huge one.
    if (xMax < xMin || yMax < yMin) {
        SetErrorText(kCorrupted);
        return false;
    }
    const uint32_t width = uint32_t(xMax - xMin) + 1;
    const uint32_t height = uint32_t(yMax - yMin) + 1;
    SetHorizontalDpi(Le16(h + 12));
    SetVerticalDpi(Le16(h + 14));
    const uint32_t planes = h[65];
    const uint32_t bytesPerLine = Le16(h + 66);

    if (GetEscape() == -1) {
        m_header.biWidth = int32_t(width);
        m_header.biHeight = int32_t(height);
        m_info.formatId = ImageFormatPcx;
        return true;
    }
    if (planes > 4) {
        SetErrorText("Can't handle image with more than 4 planes");
        return false;
    }

    Layout layout;
    uint32_t bpp;
    if (bits == 8 && (planes == 3 || planes == 4)) {
        layout = Layout::Colour;
        bpp = 24;
    } else if (planes == 1 && (bits == 1 || bits == 2 || bits == 4 || bits == 8)) {
        layout = Layout::Packed;
        bpp = bits;
    } else if (bits == 1 && planes >= 2) {
        // 2 or 3 planes give indices up to 7: they need 4 bits as much as 4 planes do.
        layout = Layout::BitPlanes;
        bpp = 4;
    } else {
        SetErrorText("PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel");
        return false;
    }
    // A scan line shorter than its pixels would make the unpacking read past it.
    if (uint64_t(bytesPerLine) * 8 < uint64_t(width) * bits) {
        SetErrorText(kCorrupted);
        return false;
    }
    const size_t lineBytes = size_t(bytesPerLine) * planes;
    const uint64_t total = uint64_t(lineBytes) * height;
    // Two bytes of data make at most 63: a file too short for the picture is damaged, and is found out
    // before the picture is allocated.
    if (BytesLeft(file) < total / 32) {
        SetErrorText(kCorrupted);
        return false;
    }

    if (!Create(width, height, bpp, ImageFormatPcx))
        return false;
    SetHorizontalDpi(Le16(h + 12));
    SetVerticalDpi(Le16(h + 14));
    if (GetEscape()) {
        SetErrorText("Cancelled");
        return false;
    }
    if (layout == Layout::Colour && planes == 4 && !AlphaCreate()) {
        SetErrorText("CxImage::Create can't allocate memory");
        return false;
    }

    RunReader runs(file, total);
    std::vector<uint8_t> line(lineBytes);
    const char *error = nullptr;
    for (uint32_t y = 0; y < height; ++y) {
        if (GetEscape()) {
            SetErrorText("Cancelled");
            return false;
        }
        if (!runs.Line(line.data(), lineBytes, &error)) {
            SetErrorText(error);
            return false;
        }
        const int32_t row = int32_t(height - 1 - y);
        uint8_t *dst = GetRowPointer(uint32_t(row));
        switch (layout) {
        case Layout::Colour: {
            const uint8_t *r = line.data(), *g = r + bytesPerLine, *b = g + bytesPerLine;
            for (uint32_t x = 0; x < width; ++x) {
                dst[3 * x] = b[x];
                dst[3 * x + 1] = g[x];
                dst[3 * x + 2] = r[x];
            }
            if (planes == 4)
                std::memcpy(AlphaGetPointer(0, row), b + bytesPerLine, width);
            break;
        }
        case Layout::Packed:
            if (bits == 8 || bits == 1)
                std::memcpy(dst, line.data(), (size_t(width) * bits + 7) / 8);
            else
                for (uint32_t x = 0; x < width; ++x)
                    BlindSetPixelIndex(int32_t(x), row, PackedIndex(line.data(), x, bits));
            break;
        case Layout::BitPlanes:
            for (uint32_t x = 0; x < width; ++x) {
                uint8_t index = 0;
                for (uint32_t p = 0; p < planes; ++p)
                    index |= uint8_t(PackedIndex(line.data() + size_t(p) * bytesPerLine, x, 1) << p);
                BlindSetPixelIndex(int32_t(x), row, index);
            }
            break;
        }
    }

    if (layout == Layout::Colour)
        return true;
    RgbColor palette[256];
    std::memcpy(palette, h + kColourMapAt, 16 * 3);
    if (bits == 8) {
        uint8_t raw[1 + 256 * 3];
        if (!runs.Input().Read(raw, sizeof raw) || raw[0] != kPaletteMarker) {
            SetErrorText("bad color map signature");
            return false;
        }
        std::memcpy(palette, raw + 1, 256 * 3);
    } else if (bits == 1 && planes == 1) {
        palette[0] = RgbColor{0, 0, 0};
        palette[1] = RgbColor{255, 255, 255};
    }
    SetPalette(palette, bits == 8 ? 256 : 16);
    return true;
}

bool CxImagePCX::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    const uint32_t bpp = GetBpp();
    const bool wide = bpp >= 8;
    const uint32_t planes = bpp == 8 ? 1 : bpp == 24 ? (AlphaIsValid() ? 4 : 3) : bpp == 4 ? 4 : 1;
    uint32_t bytesPerLine = wide ? width : (width + 7) / 8;
    bytesPerLine += bytesPerLine & 1;
    if (width > 65536 || height > 65536 || bytesPerLine > 0xFFFF) {
        SetErrorText("cannot write PCX header");
        return false;
    }

    uint8_t h[kHeaderSize] = {};
    h[0] = kManufacturer;
    h[1] = 5;
    h[2] = 1;
    h[3] = wide ? 8 : 1;
    std::vector<uint8_t> fields;
    Put16(fields, 0);
    Put16(fields, 0);
    Put16(fields, width - 1);
    Put16(fields, height - 1);
    Put16(fields, uint32_t(std::clamp(GetHorizontalDpi(), 0, 0xFFFF)));
    Put16(fields, uint32_t(std::clamp(GetVerticalDpi(), 0, 0xFFFF)));
    std::memcpy(h + 4, fields.data(), fields.size());
    if (!wide) {
        for (uint32_t i = 0; i < (planes == 1 ? 2u : 16u); ++i) {
            const RGBQUAD c = planes == 1 ? RGBQUAD{uint8_t(i * 255), uint8_t(i * 255), uint8_t(i * 255), 0}
                                          : GetPaletteColor(uint8_t(i));
            h[kColourMapAt + 3 * i] = c.rgbRed;
            h[kColourMapAt + 3 * i + 1] = c.rgbGreen;
            h[kColourMapAt + 3 * i + 2] = c.rgbBlue;
        }
    }
    h[65] = uint8_t(planes);
    h[66] = uint8_t(bytesPerLine);
    h[67] = uint8_t(bytesPerLine >> 8);
    h[68] = IsIndexed() ? 0 : 1;

    // 1-bit files read as black = 0: a picture whose entry 0 is the brighter one is written inverted.
    const bool invert = bpp == 1 && GrayLevel(GetPaletteColor(0)) > GrayLevel(GetPaletteColor(1));
    if (file->Write(h, 1, kHeaderSize) != kHeaderSize) {
        SetErrorText("cannot write PCX header");
        return false;
    }
    // Whole rows at a time into a block that holds several in the worst case (every byte coded as two, and
    // the pad byte of an odd width) and goes to the file when the next row might not fit: a block the size
    // of the whole picture costs more in fresh pages than the coding itself.
    const size_t rowWorst = planes * (2 * size_t(bytesPerLine) + 1);
    const size_t blockSize = std::max(rowWorst, kBlockBytes);
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[blockSize]);
    if (!block) {
        SetErrorText("cannot write PCX header");
        return false;
    }
    uint8_t *const begin = block.get();
    uint8_t *out = begin;
    const auto flush = [&] {
        const size_t n = size_t(out - begin);
        out = begin;
        return file->Write(begin, 1, n) == n;
    };
    std::vector<uint8_t> plane(size_t(bytesPerLine) + 1);
    std::vector<uint8_t> indices(wide ? 0 : width);
    for (uint32_t y = 0; y < height; ++y) {
        if (size_t(begin + blockSize - out) < rowWorst && !flush())
            return false;
        const int32_t row = int32_t(height - 1 - y);
        const uint8_t *src = GetRowPointer(uint32_t(row));
        if (wide) {
            for (uint32_t p = 0; p < planes; ++p) {
                const uint8_t *bytes = src;
                if (bpp != 8) {
                    if (p < 3) {
                        const uint8_t *channel = src + 2 - p;
                        for (uint32_t x = 0; x < width; ++x)
                            plane[x] = channel[3 * size_t(x)];
                        bytes = plane.data();
                    } else {
                        bytes = AlphaGetPointer(0, row);
                    }
                }
                out = PutRuns(out, bytes, width);
                if (width & 1)
                    *out++ = 0;
            }
        } else {
            for (uint32_t x = 0; x < width; ++x)
                indices[x] = uint8_t(BlindGetPixelIndex(int32_t(x), row) ^ (invert ? 1 : 0));
            for (uint32_t p = 0; p < planes; ++p) {
                std::fill(plane.begin(), plane.end(), 0);
                for (uint32_t x = 0; x < width; ++x)
                    if ((indices[x] >> p) & 1)
                        plane[x >> 3] |= uint8_t(0x80 >> (x & 7));
                out = PutRuns(out, plane.data(), bytesPerLine);
            }
        }
    }
    if (!flush())
        return false;
    if (bpp == 8) {
        std::vector<uint8_t> map{kPaletteMarker};
        for (uint32_t i = 0; i < 256; ++i) {
            const RGBQUAD c = GetPaletteColor(uint8_t(i));
            map.insert(map.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
        }
        return file->Write(map.data(), 1, map.size()) == map.size();
    }
    return true;
}
