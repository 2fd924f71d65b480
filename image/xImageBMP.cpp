#include "image/xImageBMP.h"

#include "image/LittleEndian.h"
#include "image/xFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

enum BmpCompression : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

constexpr uint16_t kBmpType = 0x4D42; // "BM"
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kOs2HeaderSize = 64;

uint64_t RowStride(int64_t width, uint32_t bitCount)
{
    return ((uint64_t(width) * bitCount + 31) / 32) * 4;
}

int32_t DpiFromMetres(int32_t pelsPerMetre)
{
    return int32_t(std::floor(double(pelsPerMetre) * 254.0 / 10000.0 + 0.5));
}

// One channel of a bit-field pixel as 8 bits: the field is moved down to bit 0 and its top bits placed
// at the top of the byte, so 5- and 6-bit fields give the classic << 3 and << 2. Any mask is safe,
// however odd: shifts stay within 0 to 31.
struct BitField
{
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit BitField(uint32_t m) : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            bits = std::popcount(m);
        }
    }

    uint8_t Extract(uint32_t pixel) const
    {
        if (!mask)
            return 0;
        const uint32_t v = (pixel & mask) >> shift;
        return bits <= 8 ? uint8_t(v << (8 - bits)) : uint8_t(v >> (bits - 8));
    }
};

} // namespace

bool CxImageBMP::ReadBitmapInfo(CxFile *file, BITMAPINFOHEADER *info)
{
    uint8_t raw[kInfoHeaderSize];
    if (!file || file->Read(raw, 4, 1) != 1)
        return false;
    const uint32_t size = Le32(raw);
    std::memset(info, 0, sizeof *info);

    if (size == kCoreHeaderSize) {
        if (file->Read(raw + 4, 8, 1) != 1)
            return false;
        info->biSize = kInfoHeaderSize;
        info->biWidth = Le16(raw + 4);
        info->biHeight = int16_t(Le16(raw + 6));
        info->biPlanes = Le16(raw + 8);
        info->biBitCount = Le16(raw + 10);
        info->biCompression = BI_RGB;
    } else if (size >= kInfoHeaderSize) {
        if (file->Read(raw + 4, kInfoHeaderSize - 4, 1) != 1)
            return false;
        info->biSize = size;
        info->biWidth = int32_t(Le32(raw + 4));
        info->biHeight = int32_t(Le32(raw + 8));
        info->biPlanes = Le16(raw + 12);
        info->biBitCount = Le16(raw + 14);
        info->biCompression = Le32(raw + 16);
        info->biSizeImage = Le32(raw + 20);
        info->biXPelsPerMeter = int32_t(Le32(raw + 24));
        info->biYPelsPerMeter = int32_t(Le32(raw + 28));
        info->biClrUsed = Le32(raw + 32);
        info->biClrImportant = Le32(raw + 36);

        if (size == kOs2HeaderSize) {
            if (!file->Seek(24, SEEK_CUR))
                return false;
        } else if (size > kInfoHeaderSize) {
            // V4, V5 and their kin: only plain, self-consistent headers are taken.
            const uint64_t height = uint64_t(std::abs(int64_t(info->biHeight)));
            const uint64_t stride = RowStride(info->biWidth, info->biBitCount);
            if ((stride && height > uint64_t(info->biSizeImage) / stride) || info->biPlanes != 1 ||
                info->biClrUsed != 0)
                return false;
            // Bit-field masks sit at bytes 40-51 of these headers: the pixel reader takes them from here.
            if (info->biCompression == BI_RGB && !file->Seek(int64_t(size) - kInfoHeaderSize, SEEK_CUR))
                return false;
        }
        info->biSize = kInfoHeaderSize;
    } else {
        return false;
    }

    // Sizes are checked here, before anything is allocated for them.
    switch (info->biBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
    }
    if (info->biWidth <= 0 || info->biHeight == 0 || info->biHeight == INT32_MIN)
        return false;
    if (info->biBitCount <= 8 && info->biClrUsed > 256)
        return false;

    const uint64_t stride = RowStride(info->biWidth, info->biBitCount);
    if (info->biSizeImage == 0)
        info->biSizeImage = uint32_t(std::min<uint64_t>(stride * uint64_t(std::abs(int64_t(info->biHeight))), UINT32_MAX));
    if (info->biClrUsed == 0 && info->biBitCount <= 8)
        info->biClrUsed = 1u << info->biBitCount;
    return true;
}

bool CxImageBMP::Decode(CxFile *file)
{
    if (!file)
        return false;
    const int64_t start = file->Tell();

    uint8_t fileHeader[14];
    if (file->Read(fileHeader, sizeof fileHeader, 1) != 1) {
        SetErrorText("Not a BMP");
        return false;
    }
    int64_t bitsOffset = Le32(fileHeader + 10);
    if (Le16(fileHeader) != kBmpType) {
        // A bare DIB: the info header comes first and the bits follow the palette.
        bitsOffset = 0;
        if (!file->Seek(start, SEEK_SET)) {
            SetErrorText("Not a BMP");
            return false;
        }
    }

    BITMAPINFOHEADER bih;
    const int64_t headerAt = file->Tell();
    if (!ReadBitmapInfo(file, &bih)) {
        SetErrorText("Error reading BMP info");
        return false;
    }
    const bool coreHeader = file->Tell() - headerAt == int64_t(kCoreHeaderSize);
    const bool topDown = bih.biHeight < 0;
    if (topDown)
        bih.biHeight = -bih.biHeight;

    if (GetEscape() == -1) {
        m_header.biWidth = bih.biWidth;
        m_header.biHeight = bih.biHeight;
        m_info.formatId = ImageFormatBmp;
        SetErrorText("output dimensions returned");
        return true;
    }

    if (!Create(uint32_t(bih.biWidth), uint32_t(bih.biHeight), bih.biBitCount, ImageFormatBmp))
        return false;
    SetHorizontalDpi(DpiFromMetres(bih.biXPelsPerMeter));
    SetVerticalDpi(DpiFromMetres(bih.biYPelsPerMeter));
    if (GetEscape()) {
        SetErrorText("Cancelled");
        return false;
    }

    if (GetPalette()) {
        // The file may list more entries than the picture's depth can use (ReadBitmapInfo caps it at
        // 256); they are read past and only what fits is kept.
        const uint32_t count = bih.biClrUsed ? bih.biClrUsed : GetNumColors();
        const size_t entrySize = coreHeader ? 3 : 4;
        uint8_t raw[256 * 4] = {};
        file->Read(raw, entrySize, count);
        RGBQUAD entries[256] = {};
        for (uint32_t i = 0; i < count; ++i)
            entries[i] = RGBQUAD{raw[i * entrySize], raw[i * entrySize + 1], raw[i * entrySize + 2], 0};
        SetPalette(entries, std::min(count, GetNumColors()));
        if (GetEscape()) {
            SetErrorText("Cancelled");
            return false;
        }
    }

    if (!DecodePixels(file, bih, bitsOffset ? start + bitsOffset : -1))
        return false;

    if (topDown)
        Flip();
    return true;
}

bool CxImageBMP::DecodePixels(CxFile *file, const BITMAPINFOHEADER &bih, int64_t bitsAt)
{
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    auto seekBits = [&] {
        if (bitsAt >= 0)
            file->Seek(bitsAt, SEEK_SET);
    };
    auto readMasks = [&](uint32_t &r, uint32_t &g, uint32_t &b) {
        uint8_t raw[12] = {};
        if (bih.biCompression == BI_BITFIELDS && file->Read(raw, 12, 1) == 1) {
            r = Le32(raw);
            g = Le32(raw + 4);
            b = Le32(raw + 8);
        }
    };

    switch (bih.biBitCount) {
    case 32: {
        uint32_t r = 0x00FF0000, g = 0x0000FF00, b = 0x000000FF;
        readMasks(r, g, b);
        if (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS) {
            SetErrorText("unknown compression");
            return false;
        }
        seekBits();
        const size_t size = size_t(width) * size_t(height) * 4;
        std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]());
        if (!buffer) {
            SetErrorText("can't allocate memory");
            return false;
        }
        file->Read(buffer.get(), 1, size);
        if (bih.biCompression == BI_RGB && AlphaCreate()) {
            uint8_t *alpha = AlphaGetPointer();
            bool anyAlpha = false;
            for (size_t i = 0; i < size / 4; ++i) {
                alpha[i] = buffer[4 * i + 3];
                anyAlpha = anyAlpha || alpha[i];
            }
            // Most 32-bit writers leave the fourth byte 0: that means opaque, not invisible.
            if (!anyAlpha)
                AlphaInvert();
        }
        ConvertBitfields(buffer.get(), r, g, b, 32);
        return true;
    }
    case 24:
        if (bih.biCompression != BI_RGB) {
            SetErrorText("unknown compression");
            return false;
        }
        seekBits();
        file->Read(GetRowPointer(0), 1, size_t(GetRowStride()) * size_t(height));
        return true;
    case 16: {
        uint32_t r = 0x7C00, g = 0x03E0, b = 0x001F;
        readMasks(r, g, b);
        seekBits();
        // 16-bit rows are no wider than the 24-bit rows they become: they are read into the block
        // and widened in place.
        file->Read(GetRowPointer(0), 1, size_t(height) * ((size_t(width) + 1) / 2) * 4);
        ConvertBitfields(GetRowPointer(0), r, g, b, 16);
        return true;
    }
    default:
        seekBits();
        switch (bih.biCompression) {
        case BI_RGB:
            file->Read(GetRowPointer(0), 1, size_t(GetRowStride()) * size_t(height));
            return true;
        case BI_RLE8:
        case BI_RLE4:
            ExpandRle(file, bih.biCompression == BI_RLE4);
            return true;
        default:
            SetErrorText("compression type not supported");
            return false;
        }
    }
}

void CxImageBMP::ExpandRle(CxFile *file, bool rle4)
{
    const uint32_t stride = GetRowStride();
    const uint32_t height = uint32_t(GetHeight());
    uint32_t row = 0;
    uint64_t column = 0;    // in bytes
    bool lowNibble = false; // RLE4: the next pixel goes into the low half of the byte

    // Every write goes through here: nothing lands outside the pixel block.
    auto put = [&](uint8_t value) {
        if (row < height && column < stride) {
            uint8_t &target = GetRowPointer(row)[column];
            if (!rle4)
                target = value;
            else if (lowNibble)
                target = uint8_t((target & 0xF0) | (value & 0x0F));
            else
                target = uint8_t((target & 0x0F) | (value << 4));
        }
        if (!rle4) {
            ++column;
        } else {
            if (lowNibble)
                ++column;
            lowNibble = !lowNibble;
        }
    };
    auto rowFull = [&] { return column >= stride; };

    for (;;) {
        const int count = file->GetC();
        const int value = file->GetC();
        if (count < 0 || value < 0)
            return;
        if (count > 0) {
            // An encoded run, cut at the end of the row.
            for (int i = 0; i < count && !rowFull(); ++i)
                put(rle4 ? uint8_t((i & 1) ? value & 0x0F : value >> 4) : uint8_t(value));
            continue;
        }
        switch (value) {
        case 0: // end of line
            if (row < height)
                ++row;
            column = 0;
            lowNibble = false;
            break;
        case 1: // end of bitmap
            return;
        case 2: { // delta
            const int dx = file->GetC();
            const int dy = file->GetC();
            if (dx < 0 || dy < 0)
                return;
            column += rle4 ? uint64_t(dx / 2) : uint64_t(dx);
            row += uint32_t(dy);
            if (row > height)
                row = height;
            break;
        }
        default: { // literal pixels, padded to a 16-bit boundary of the input
            const int bytes = rle4 ? (value + 1) / 2 : value;
            uint8_t literal[256];
            if (file->Read(literal, 1, size_t(bytes)) != size_t(bytes))
                return;
            for (int i = 0; i < value; ++i) {
                if (rle4)
                    put(uint8_t((i & 1) ? literal[i / 2] & 0x0F : literal[i / 2] >> 4));
                else
                    put(literal[i]);
            }
            if (bytes & 1)
                file->GetC();
            break;
        }
        }
    }
}

void CxImageBMP::ConvertBitfields(const uint8_t *source, uint32_t redMask, uint32_t greenMask,
                                  uint32_t blueMask, uint16_t bitCount)
{
    const BitField red(redMask), green(greenMask), blue(blueMask);
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const size_t sourceStride = bitCount == 16 ? ((size_t(width) + 1) / 2) * 4 : size_t(width) * 4;
    const size_t sourceStep = bitCount == 16 ? 2 : 4;

    for (int32_t y = height - 1; y >= 0; --y) {
        const uint8_t *src = source + size_t(y) * sourceStride;
        uint8_t *dst = GetRowPointer(uint32_t(y));
        for (int32_t x = width - 1; x >= 0; --x) {
            const uint8_t *p = src + size_t(x) * sourceStep;
            const uint32_t pixel = sourceStep == 2 ? Le16(p) : Le32(p);
            uint8_t *q = dst + size_t(x) * 3;
            q[0] = blue.Extract(pixel);
            q[1] = green.Extract(pixel);
            q[2] = red.Extract(pixel);
        }
    }
}

bool CxImageBMP::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;

    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const bool asRgba = !GetPalette() && AlphaIsValid();
    BITMAPINFOHEADER header = m_header;
    header.biSize = kInfoHeaderSize;
    const uint32_t paletteBytes = GetPaletteSize();
    if (asRgba) {
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        header.biSizeImage = uint32_t(RowStride(width, 32) * uint32_t(height));
    }
    const uint32_t fileSize = 14 + kInfoHeaderSize + paletteBytes + header.biSizeImage;

    std::vector<uint8_t> out;
    out.reserve(14 + kInfoHeaderSize);
    Put16(out, kBmpType);
    Put32(out, fileSize);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, 14 + kInfoHeaderSize + paletteBytes);
    Put32(out, header.biSize);
    Put32(out, uint32_t(header.biWidth));
    Put32(out, uint32_t(header.biHeight));
    Put16(out, header.biPlanes);
    Put16(out, header.biBitCount);
    Put32(out, header.biCompression);
    Put32(out, header.biSizeImage);
    Put32(out, uint32_t(header.biXPelsPerMeter));
    Put32(out, uint32_t(header.biYPelsPerMeter));
    Put32(out, header.biClrUsed);
    Put32(out, header.biClrImportant);
    if (file->Write(out.data(), 1, out.size()) != out.size())
        return false;

    if (!asRgba) {
        const size_t rest = paletteBytes + size_t(GetRowStride()) * size_t(height);
        return file->Write(m_dib + sizeof(BITMAPINFOHEADER), 1, rest) == rest;
    }
    std::vector<uint8_t> row(size_t(width) * 4);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *pixels = GetRowPointer(uint32_t(y));
        const uint8_t *alpha = AlphaGetPointer(0, y);
        for (int32_t x = 0; x < width; ++x) {
            row[size_t(x) * 4] = pixels[x * 3];
            row[size_t(x) * 4 + 1] = pixels[x * 3 + 1];
            row[size_t(x) * 4 + 2] = pixels[x * 3 + 2];
            row[size_t(x) * 4 + 3] = alpha[x];
        }
        if (file->Write(row.data(), 1, row.size()) != row.size())
            return false;
    }
    return true;
}
