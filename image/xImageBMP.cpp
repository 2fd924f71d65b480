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
constexpr uint32_t kColourMasksHeaderSize = 52; // the 40 bytes and the red, green and blue masks
constexpr uint32_t kAlphaMaskHeaderSize = 56;   // and the alpha mask (V3, V4 and V5 headers)
constexpr uint32_t kOs2HeaderSize = 64;
constexpr int64_t kMasksAfterHeader = 12;

uint64_t RowStride(int64_t width, uint32_t bitCount)
{
    return ((uint64_t(width) * bitCount + 31) / 32) * 4;
}

int32_t DpiFromMetres(int32_t pelsPerMetre)
{
    return int32_t(std::floor(double(pelsPerMetre) * 254.0 / 10000.0 + 0.5));
}

// One channel of a bit-field pixel as 8 bits. Colours move the field down to bit 0 and place its top
// bits at the top of the byte, so 5- and 6-bit fields give the classic << 3 and << 2. Alpha is spread
// over the whole range instead: a set 1-bit alpha is opaque, not half transparent. Any mask is safe,
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

    uint8_t ExtractFullRange(uint32_t pixel) const
    {
        if (!mask)
            return 0;
        const uint64_t v = (pixel & mask) >> shift;
        const uint64_t max = mask >> shift;
        return uint8_t((v * 255 + max / 2) / max);
    }
};

// The text of a compression the depth cannot have, or null.
const char *CompressionError(const BITMAPINFOHEADER &bih)
{
    switch (bih.biBitCount) {
    case 32:
        return bih.biCompression == BI_RGB || bih.biCompression == BI_BITFIELDS ? nullptr : "unknown compression";
    case 24:
        return bih.biCompression == BI_RGB ? nullptr : "unknown compression";
    case 16:
        return nullptr;
    default:
        return bih.biCompression <= BI_RLE4 ? nullptr : "compression type not supported";
    }
}

} // namespace

bool CxImageBMP::ReadBitmapInfo(CxFile *file, BITMAPINFOHEADER *info, HeaderMasks *masks)
{
    uint8_t raw[kAlphaMaskHeaderSize];
    if (!file || file->Read(raw, 4, 1) != 1)
        return false;
    const uint32_t size = Le32(raw);
    std::memset(info, 0, sizeof *info);
    HeaderMasks found;

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
            if (!file->Seek(int64_t(kOs2HeaderSize - kInfoHeaderSize), SEEK_CUR))
                return false;
        } else if (size > kInfoHeaderSize) {
            // V2 to V5 headers and their kin: the masks sit in bytes 40 to 55, the rest (colour space,
            // gamma, profile) is not used. Their image size and colour count mean what they mean in a
            // 40-byte header, and any compression may follow.
            const uint32_t known = std::min(size, kAlphaMaskHeaderSize);
            if (file->Read(raw + kInfoHeaderSize, known - kInfoHeaderSize, 1) != 1)
                return false;
            if (size >= kColourMasksHeaderSize) {
                found.red = Le32(raw + 40);
                found.green = Le32(raw + 44);
                found.blue = Le32(raw + 48);
                found.colour = true;
            }
            if (size >= kAlphaMaskHeaderSize)
                found.alpha = Le32(raw + 52);
            if (size > known && !file->Seek(int64_t(size) - known, SEEK_CUR))
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
    if (info->biPlanes != 1)
        return false;
    if (info->biWidth <= 0 || info->biHeight == 0 || info->biHeight == INT32_MIN)
        return false;
    if (info->biBitCount <= 8 && info->biClrUsed > 256)
        return false;

    const uint64_t stride = RowStride(info->biWidth, info->biBitCount);
    if (info->biSizeImage == 0)
        info->biSizeImage = uint32_t(std::min<uint64_t>(stride * uint64_t(std::abs(int64_t(info->biHeight))), UINT32_MAX));
    if (info->biClrUsed == 0 && info->biBitCount <= 8)
        info->biClrUsed = 1u << info->biBitCount;
    if (masks)
        *masks = found;
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
    HeaderMasks headerMasks;
    const int64_t headerAt = file->Tell();
    if (!ReadBitmapInfo(file, &bih, &headerMasks)) {
        SetErrorText("Error reading BMP info");
        return false;
    }
    const int64_t headerEnd = file->Tell();
    const bool coreHeader = headerEnd - headerAt == int64_t(kCoreHeaderSize);
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

    if (const char *error = CompressionError(bih)) {
        SetErrorText(error);
        return false;
    }

    // Where the masks, the palette and the pixels lie, and whether the file holds them, is settled
    // before anything is allocated: a few bytes must not claim a picture of many megabytes, and a cut
    // file must not come out as a complete picture with invented rows. Run-length data has no size to
    // check; it keeps what it decoded when it ends early.
    const bool bitfields = bih.biCompression == BI_BITFIELDS;
    const bool masksFollow = bitfields && !headerMasks.colour;
    const bool runLength = bih.biBitCount <= 8 && (bih.biCompression == BI_RLE8 || bih.biCompression == BI_RLE4);
    const int64_t paletteAt = headerEnd + (masksFollow ? kMasksAfterHeader : 0);
    const uint64_t paletteEntries = bih.biClrUsed;
    const int64_t paletteBytes = int64_t(std::min<uint64_t>(paletteEntries * (coreHeader ? 3 : 4), INT32_MAX));
    const int64_t bitsAt = bitsOffset ? start + bitsOffset : paletteAt + paletteBytes;
    const int64_t fileSize = file->Size();
    const uint64_t pixelBytes = RowStride(bih.biWidth, bih.biBitCount) * uint64_t(bih.biHeight - 1) +
                                (uint64_t(bih.biWidth) * bih.biBitCount + 7) / 8;
    const uint64_t bytesThere = uint64_t(std::max<int64_t>(fileSize - bitsAt, 0));
    const bool paletteMissing = bih.biBitCount <= 8 && paletteAt + paletteBytes > fileSize;
    const bool masksMissing = masksFollow && paletteAt > fileSize;
    const bool pixelsMissing = runLength ? bytesThere == 0 : bytesThere < pixelBytes;
    if (paletteMissing || masksMissing || pixelsMissing) {
        SetErrorText("Error reading BMP pixels");
        return false;
    }

    PixelMasks masks = bih.biBitCount == 16 ? PixelMasks{0x7C00, 0x03E0, 0x001F, 0}
                                            : PixelMasks{0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    if (bih.biBitCount == 32 && bih.biCompression == BI_RGB)
        masks.alpha = 0xFF000000; // the fourth byte, when any pixel sets it
    if (bitfields && headerMasks.colour) {
        masks = PixelMasks{headerMasks.red, headerMasks.green, headerMasks.blue, headerMasks.alpha};
    } else if (masksFollow) {
        uint8_t raw[kMasksAfterHeader];
        if (file->Read(raw, sizeof raw, 1) != 1) {
            SetErrorText("Error reading BMP pixels");
            return false;
        }
        masks = PixelMasks{Le32(raw), Le32(raw + 4), Le32(raw + 8), 0};
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
        if (!file->Seek(paletteAt, SEEK_SET) || file->Read(raw, entrySize, count) != count) {
            SetErrorText("Error reading BMP pixels");
            return false;
        }
        RGBQUAD entries[256] = {};
        for (uint32_t i = 0; i < count; ++i)
            entries[i] = RGBQUAD{raw[i * entrySize], raw[i * entrySize + 1], raw[i * entrySize + 2], 0};
        SetPalette(entries, std::min(count, GetNumColors()));
        if (GetEscape()) {
            SetErrorText("Cancelled");
            return false;
        }
    }

    if (!file->Seek(bitsAt, SEEK_SET)) {
        SetErrorText("Error reading BMP pixels");
        return false;
    }
    if (!runLength)
        PrefaultPixels(); // the file holds every row: all of them are about to be written
    if (!DecodePixels(file, bih, masks))
        return false;

    if (topDown)
        Flip();
    return true;
}

bool CxImageBMP::DecodePixels(CxFile *file, const BITMAPINFOHEADER &bih, const PixelMasks &masks)
{
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const size_t rows = size_t(GetRowStride()) * size_t(height);

    switch (bih.biBitCount) {
    case 32: {
        const size_t size = size_t(width) * size_t(height) * 4;
        std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]());
        if (!buffer) {
            SetErrorText("can't allocate memory");
            return false;
        }
        file->Read(buffer.get(), 1, size);
        ConvertBitfields(buffer.get(), masks.red, masks.green, masks.blue, 32, masks.alpha);
        return true;
    }
    case 24:
        file->Read(GetRowPointer(0), 1, rows);
        return true;
    case 16:
        // 16-bit rows are no wider than the 24-bit rows they become: they are read into the block
        // and widened in place.
        file->Read(GetRowPointer(0), 1, size_t(height) * ((size_t(width) + 1) / 2) * 4);
        ConvertBitfields(GetRowPointer(0), masks.red, masks.green, masks.blue, 16, masks.alpha);
        return true;
    default:
        if (bih.biCompression == BI_RGB)
            file->Read(GetRowPointer(0), 1, rows);
        else
            ExpandRle(file, bih.biCompression == BI_RLE4);
        return true;
    }
}

void CxImageBMP::ExpandRle(CxFile *file, bool rle4)
{
    const uint32_t height = uint32_t(GetHeight());
    // Columns count pixels, not bytes: a delta moves by pixels, and an odd one must leave RLE4 on the
    // other nibble. Runs stop at the end of the row's bytes.
    const uint64_t rowPixels = uint64_t(GetRowStride()) * (rle4 ? 2 : 1);
    uint32_t row = 0;
    uint64_t column = 0;

    // Every write goes through here: nothing lands outside the pixel block.
    auto put = [&](uint8_t value) {
        if (row < height && column < rowPixels) {
            uint8_t *line = GetRowPointer(row);
            if (!rle4) {
                line[column] = value;
            } else {
                uint8_t &target = line[column / 2];
                if (column & 1)
                    target = uint8_t((target & 0xF0) | (value & 0x0F));
                else
                    target = uint8_t((target & 0x0F) | (value << 4));
            }
        }
        ++column;
    };
    auto rowFull = [&] { return column >= rowPixels; };

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
            break;
        case 1: // end of bitmap
            return;
        case 2: { // delta
            const int dx = file->GetC();
            const int dy = file->GetC();
            if (dx < 0 || dy < 0)
                return;
            column += uint64_t(dx);
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
                                  uint32_t blueMask, uint16_t bitCount, uint32_t alphaMask)
{
    const BitField red(redMask), green(greenMask), blue(blueMask), alpha(alphaMask);
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const size_t sourceStride = bitCount == 16 ? ((size_t(width) + 1) / 2) * 4 : size_t(width) * 4;
    const size_t sourceStep = bitCount == 16 ? 2 : 4;
    uint8_t *alphaPlane = alphaMask && AlphaCreate() ? AlphaGetPointer() : nullptr;
    bool anyAlpha = false;

    for (int32_t y = height - 1; y >= 0; --y) {
        const uint8_t *src = source + size_t(y) * sourceStride;
        uint8_t *dst = GetRowPointer(uint32_t(y));
        uint8_t *alphaRow = alphaPlane ? alphaPlane + size_t(y) * size_t(width) : nullptr;
        for (int32_t x = width - 1; x >= 0; --x) {
            const uint8_t *p = src + size_t(x) * sourceStep;
            const uint32_t pixel = sourceStep == 2 ? Le16(p) : Le32(p);
            if (alphaRow) {
                alphaRow[x] = alpha.ExtractFullRange(pixel);
                anyAlpha = anyAlpha || alphaRow[x];
            }
            uint8_t *q = dst + size_t(x) * 3;
            q[0] = blue.Extract(pixel);
            q[1] = green.Extract(pixel);
            q[2] = red.Extract(pixel);
        }
    }
    // Most writers leave the alpha bits 0 whatever the header says: that means opaque, not invisible.
    if (alphaPlane && !anyAlpha)
        AlphaInvert();
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
