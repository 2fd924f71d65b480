#include "image/xImageSKA.h"

#include "image/BytesLeft.h"
#include "image/LittleEndian.h"
#include "image/xFile.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 9;
constexpr uint32_t kConstant = 0x01000000;
constexpr uint32_t kLimit = 32768; // width and height stay below it
constexpr size_t kPaletteBytes = 256 * 3;

} // namespace

bool CxImageSKA::Decode(CxFile *file)
{
    if (!file)
        return false;
    uint8_t h[kHeaderSize];
    if (file->Read(h, kHeaderSize, 1) != 1)
        return false;
    const uint32_t width = Le16(h);
    const uint32_t height = Le16(h + 2);
    if (Le32(h + 5) != kConstant || h[4] != 3 || width >= kLimit || height >= kLimit || width == 0 || height == 0)
        return false;
    if (GetEscape() == -1) {
        m_header.biWidth = int32_t(width);
        m_header.biHeight = int32_t(height);
        m_info.formatId = ImageFormatSka;
        return true;
    }
    // A file without its whole palette and every pixel is not taken for a picture.
    if (BytesLeft(file) < kPaletteBytes + uint64_t(width) * height)
        return false;
    if (!Create(width, height, 8, ImageFormatSka))
        return false;
    RgbColor palette[256];
    if (file->Read(palette, 1, kPaletteBytes) != kPaletteBytes)
        return false;
    SetPalette(palette, 256);
    for (uint32_t y = 0; y < height; ++y) {
        if (file->Read(GetRowPointer(height - 1 - y), 1, width) != width)
            return false;
    }
    return true;
}

bool CxImageSKA::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    if (GetBpp() > 8) {
        SetErrorText("SKA Images must be 8 bit or less");
        return false;
    }
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    // The reader refuses these sizes: writing them would make a file that never loads again.
    if (width >= kLimit || height >= kLimit) {
        SetErrorText("SKA Images must be smaller than 32768 pixels");
        return false;
    }
    std::vector<uint8_t> out;
    out.reserve(kHeaderSize + kPaletteBytes + size_t(width) * height);
    Put16(out, width);
    Put16(out, height);
    out.push_back(3);
    Put32(out, kConstant);
    // Pictures of fewer bits are written as their 8-bit form: the same indices, the palette padded with
    // black. The picture itself keeps its depth.
    for (uint32_t i = 0; i < 256; ++i) {
        const RGBQUAD c = GetPaletteColor(uint8_t(i));
        out.insert(out.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    }
    for (uint32_t y = 0; y < height; ++y) {
        const int32_t row = int32_t(height - 1 - y);
        if (GetBpp() == 8) {
            const uint8_t *src = GetRowPointer(uint32_t(row));
            out.insert(out.end(), src, src + width);
        } else {
            for (uint32_t x = 0; x < width; ++x)
                out.push_back(BlindGetPixelIndex(int32_t(x), row));
        }
    }
    return file->Write(out.data(), 1, out.size()) == out.size();
}
