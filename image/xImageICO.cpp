#include "image/xImageICO.h"

#include "image/LittleEndian.h"
#include "image/xFile.h"
#include "image/xImagePNG.h"
#include "image/xMemFile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr uint32_t kImageOffset = kHeaderSize + kEntrySize; // the one picture written follows the directory
constexpr uint32_t kInfoHeaderSize = 40;
const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct IconEntry
{
    uint8_t width, height, colorCount, reserved;
    uint16_t planes, bitCount;
    uint32_t bytesInRes, imageOffset;
};

IconEntry ParseEntry(const uint8_t *p)
{
    return IconEntry{p[0], p[1], p[2], p[3], Le16(p + 4), Le16(p + 6), Le32(p + 8), Le32(p + 12)};
}

// A directory byte of 0 stands for 256 pixels.
int32_t EntrySize(uint8_t b)
{
    return b ? b : 256;
}

bool MaskBit(const uint8_t *mask, uint32_t maskStride, int32_t x, int32_t y)
{
    return (mask[size_t(y) * maskStride + size_t(x) / 8] >> (7 - x % 8)) & 1;
}

bool SameColour(RGBQUAD a, RGBQUAD b)
{
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed;
}

} // namespace

bool CxImageICO::Decode(CxFile *file)
{
    if (!file)
        return false;
    const int64_t start = file->Tell();
    uint8_t head[kHeaderSize];
    if (file->Read(head, kHeaderSize, 1) != 1)
        return false;
    const uint16_t type = Le16(head + 2);
    const uint16_t count = Le16(head + 4);
    if (Le16(head) != 0 || (type != 1 && type != 2))
        return false;
    m_info.frameCount = count;

    std::vector<uint8_t> directory(size_t(count) * kEntrySize);
    if (count && file->Read(directory.data(), kEntrySize, count) != count)
        return false;
    const int32_t frame = m_info.frame;
    if (frame < 0 || frame >= int32_t(count))
        return false;
    const IconEntry entry = ParseEntry(directory.data() + size_t(frame) * kEntrySize);

    // The picture is a PNG stream when it says so itself: directory bytes of 0 also describe a
    // 256-pixel DIB.
    uint8_t signature[8] = {};
    if (!file->Seek(start + int64_t(entry.imageOffset), SEEK_SET))
        return false;
    const bool isPng = file->Read(signature, 1, 8) == 8 && std::memcmp(signature, kPngSignature, 8) == 0;
    file->Seek(start + int64_t(entry.imageOffset), SEEK_SET);

    if (isPng) {
        CxImagePNG png;
        png.CopyAttributes(*this);
        if (!png.Decode(file)) {
            SetErrorText(png.GetErrorText());
            return false;
        }
        TakeOver(png);
        m_info.frameCount = count;
        m_info.formatId = ImageFormatIco;
        return true;
    }

    return DecodeDib(file, entry.width, entry.height);
}

bool CxImageICO::DecodeDib(CxFile *file, uint8_t entryWidth, uint8_t entryHeight)
{
    // The bitmap's own header says how its rows are laid out: a directory entry that disagrees (a
    // height that counts the mask rows too, a byte of 0 for a small picture) must not reshape it.
    const int64_t dibAt = file->Tell();
    uint8_t raw[kInfoHeaderSize];
    const bool haveHeader = file->Read(raw, kInfoHeaderSize, 1) == 1;
    const int32_t width = haveHeader ? int32_t(Le32(raw + 4)) : 0;
    const int32_t height = haveHeader ? int32_t(Le32(raw + 8)) / 2 : 0;

    if (GetEscape() == -1) {
        const bool sane = width > 0 && height > 0;
        m_header.biWidth = sane ? width : EntrySize(entryWidth);
        m_header.biHeight = sane ? height : EntrySize(entryHeight);
        m_info.formatId = ImageFormatIco;
        return true;
    }
    if (!haveHeader || width <= 0 || height <= 0)
        return false;

    const uint16_t bitCount = Le16(raw + 14);
    const uint32_t colorsUsed = Le32(raw + 32);
    switch (bitCount) {
    case 1: case 4: case 8: case 24: case 32: break;
    default: return false;
    }
    // More palette entries than a byte can index cannot be right; fewer than the depth allows are read
    // as listed, and at most the picture's own palette is kept.
    if (colorsUsed > 256)
        return false;
    const uint32_t paletteCount = bitCount <= 8 ? (colorsUsed ? colorsUsed : 1u << bitCount) : 0;
    const uint64_t stride = ((uint64_t(width) * bitCount + 31) / 32) * 4;
    const uint64_t pixelBytes = bitCount == 32 ? uint64_t(width) * uint64_t(height) * 4 : stride * uint64_t(height);
    // The palette and the colour pixels must be there before anything is made for them; the mask
    // that follows them may be missing.
    const uint64_t available = uint64_t(std::max<int64_t>(file->Size() - dibAt, 0));
    if (available < kInfoHeaderSize + 4 * uint64_t(paletteCount) + pixelBytes)
        return false;
    if (!Create(uint32_t(width), uint32_t(height), bitCount, ImageFormatIco))
        return false;

    if (GetPalette()) {
        RGBQUAD entries[256] = {};
        file->Read(entries, 4, paletteCount);
        SetPalette(entries, std::min(paletteCount, GetNumColors()));
    }

    bool alphaFromPixels = false;
    if (bitCount != 32) {
        file->Read(GetRowPointer(0), GetRowStride(), uint32_t(height));
    } else {
        const size_t pixels = size_t(width) * size_t(height);
        std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[pixels * 4]());
        if (!buffer || !AlphaCreate())
            return false;
        file->Read(buffer.get(), 4, pixels);
        uint8_t *alpha = AlphaGetPointer();
        for (int32_t y = 0; y < height; ++y) {
            uint8_t *row = GetRowPointer(uint32_t(y));
            for (int32_t x = 0; x < width; ++x) {
                const uint8_t *p = buffer.get() + (size_t(y) * size_t(width) + size_t(x)) * 4;
                row[x * 3] = p[0];
                row[x * 3 + 1] = p[1];
                row[x * 3 + 2] = p[2];
                alpha[size_t(y) * size_t(width) + size_t(x)] = p[3];
                alphaFromPixels = alphaFromPixels || p[3];
            }
        }
        // Icons from before alpha leave the fourth byte 0 and let the mask decide.
        if (!alphaFromPixels)
            AlphaDelete();
    }
    // A 32-bit icon with alpha carries its transparency there; its mask is for programs that cannot
    // read alpha and must neither hide nor invert anything here.
    if (alphaFromPixels)
        return true;

    const uint32_t maskStride = ((uint32_t(width) + 31) / 32) * 4;
    std::vector<uint8_t> mask(size_t(maskStride) * size_t(height));
    if (file->Read(mask.data(), 1, mask.size()) != mask.size())
        return true; // no mask: the picture stands as read
    ApplyAndMask(mask.data(), maskStride);
    return true;
}

void CxImageICO::ApplyAndMask(const uint8_t *mask, uint32_t maskStride)
{
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const size_t maskSize = size_t(maskStride) * size_t(height);

    if (std::all_of(mask, mask + maskSize, [](uint8_t b) { return b == 0xFF; })) {
        SetTransIndex(0);
        Negative();
        return;
    }

    const bool createdHere = !AlphaIsValid();
    if (createdHere && !AlphaCreate())
        return;
    bool anyMasked = false, oneColour = true;
    RGBQUAD firstColour{};
    int32_t firstIndex = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            if (!MaskBit(mask, maskStride, x, y))
                continue;
            AlphaSetPixel(x, y, 0);
            const RGBQUAD colour = BlindGetPixelColor(x, y, false);
            if (!anyMasked) {
                firstColour = colour;
                firstIndex = GetPixelIndex(x, y);
                anyMasked = true;
            } else if (!SameColour(colour, firstColour)) {
                oneColour = false;
            }
        }
    }
    if (!anyMasked) {
        if (createdHere)
            AlphaDelete();
        return;
    }

    if (oneColour) {
        SetTransColor(firstColour);
        SetTransIndex(firstIndex);
        AlphaDelete();
    }
    if (GetBpp() <= 8) {
        std::vector<bool> used(GetNumColors(), false);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                used[BlindGetPixelIndex(x, y)] = true;
        for (int32_t i = int32_t(GetNumColors()) - 1; i >= 0; --i) {
            if (used[size_t(i)])
                continue;
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x)
                    if (MaskBit(mask, maskStride, x, y))
                        BlindSetPixelIndex(x, y, uint8_t(i));
            SetTransIndex(i);
            AlphaDelete();
            break;
        }
    }
}

bool CxImageICO::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    if (GetBpp() <= 8 && !GetPalette())
        return false;

    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const uint32_t maskStride = ((uint32_t(width) + 31) / 32) * 4;
    const uint32_t maskSize = maskStride * uint32_t(height);
    const bool asRgba = !GetPalette() && AlphaIsValid();
    const uint16_t bitCount = asRgba ? 32 : GetBpp();
    const uint32_t imageSize = asRgba ? 4 * uint32_t(width) * uint32_t(height) : GetRowStride() * uint32_t(height);
    const uint32_t colors = GetNumColors();

    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);

    // Sizes the directory's bytes cannot hold are written as 0 and the picture as PNG.
    const bool asPng = width > 255 || height > 255;
    out.push_back(uint8_t(asPng ? 0 : width));
    out.push_back(uint8_t(asPng ? 0 : height));
    out.push_back(uint8_t(colors == 256 ? 0 : colors));
    out.push_back(0);
    Put16(out, 0);
    Put16(out, bitCount);
    if (asPng)
        return EncodePng(file, out.data(), out.size());
    Put32(out, kInfoHeaderSize + 4 * colors + imageSize + maskSize);
    Put32(out, kImageOffset);

    Put32(out, kInfoHeaderSize);
    Put32(out, uint32_t(width));
    Put32(out, 2 * uint32_t(height));
    Put16(out, 1);
    Put16(out, bitCount);
    Put32(out, 0);
    Put32(out, imageSize);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);

    const RGBQUAD *palette = GetPalette();
    for (uint32_t i = 0; i < colors; ++i) {
        const bool hidden = IsTransparent() && int32_t(i) == GetTransIndex();
        const RGBQUAD c = hidden ? RGBQUAD{0, 0, 0, 0} : palette[i];
        out.insert(out.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed, c.rgbReserved});
    }

    if (asRgba) {
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t *row = GetRowPointer(uint32_t(y));
            for (int32_t x = 0; x < width; ++x)
                out.insert(out.end(), {row[x * 3], row[x * 3 + 1], row[x * 3 + 2], AlphaGet(x, y)});
        }
    } else {
        const uint8_t *rows = GetRowPointer(0);
        out.insert(out.end(), rows, rows + size_t(GetRowStride()) * size_t(height));
    }

    std::unique_ptr<uint8_t[]> mask(new (std::nothrow) uint8_t[maskSize]());
    if (!mask)
        return false;
    const bool alphaPalette = AlphaPaletteIsValid();
    const RGBQUAD transColour = GetTransColor();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            bool masked = false;
            if (AlphaIsValid())
                masked = AlphaGet(x, y) == 0;
            if (!masked && alphaPalette)
                masked = GetPaletteColor(BlindGetPixelIndex(x, y)).rgbReserved == 0;
            if (!masked && IsTransparent())
                masked = SameColour(BlindGetPixelColor(x, y, false), transColour);
            if (masked)
                mask[size_t(y) * maskStride + size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        }
    }
    out.insert(out.end(), mask.get(), mask.get() + maskSize);
    return file->Write(out.data(), 1, out.size()) == out.size();
}

bool CxImageICO::EncodePng(CxFile *file, const uint8_t *directoryHead, size_t headSize)
{
    CxImagePNG png;
    png.MakeAlias(this);
    CxMemFile memory;
    memory.Open();
    if (!png.Encode(&memory)) {
        SetErrorText(png.GetErrorText());
        return false;
    }
    const size_t length = size_t(memory.Size());
    std::vector<uint8_t> out(directoryHead, directoryHead + headSize);
    Put32(out, uint32_t(length));
    Put32(out, kImageOffset);
    const uint8_t *bytes = memory.GetBuffer(false);
    out.insert(out.end(), bytes, bytes + length);
    return file->Write(out.data(), 1, out.size()) == out.size();
}
