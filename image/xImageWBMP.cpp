#include "image/xImageWBMP.h"

#include "image/BytesLeft.h"
#include "image/xFile.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t kMaxSide = 65535;

// A multi-byte integer: 7 bits a byte, most significant group first, bit 7 set on every byte but the
// last. At most four bytes may carry bit 7, so the value never outgrows 35 bits.
bool ReadMultiByte(CxFile *file, uint64_t &value)
{
    value = 0;
    for (int i = 0; i < 5; ++i) {
        const int32_t b = file->GetC();
        if (b < 0)
            return false;
        value = (value << 7) | uint64_t(b & 0x7F);
        if (!(b & 0x80))
            return true;
    }
    return false;
}

void PutMultiByte(std::vector<uint8_t> &out, uint32_t value)
{
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value);
    while (n > 1)
        out.push_back(uint8_t(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

} // namespace

bool CxImageWBMP::Decode(CxFile *file)
{
    if (!file)
        return false;
    uint64_t type = 0, fixedHeader = 0, width = 0, height = 0;
    if (!ReadMultiByte(file, type) || !ReadMultiByte(file, fixedHeader) || !ReadMultiByte(file, width) ||
        !ReadMultiByte(file, height)) {
        SetErrorText("Not a WBMP");
        return false;
    }
    if (type != 0) {
        SetErrorText("Unsupported WBMP type");
        return false;
    }
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        SetErrorText("Corrupted WBMP");
        return false;
    }
    if (GetEscape() == -1) {
        m_header.biWidth = int32_t(width);
        m_header.biHeight = int32_t(height);
        m_info.formatId = ImageFormatWbmp;
        return true;
    }
    // The format has no signature: only a file that holds every row is taken for one.
    const size_t rowBytes = size_t((width + 7) / 8);
    if (BytesLeft(file) < uint64_t(rowBytes) * height) {
        SetErrorText("Corrupted WBMP");
        return false;
    }
    if (!Create(uint32_t(width), uint32_t(height), 1, ImageFormatWbmp)) {
        SetErrorText("WBMP Create failed");
        return false;
    }
    SetGrayPalette();
    for (uint32_t y = 0; y < height; ++y) {
        if (file->Read(GetRowPointer(uint32_t(height) - 1 - y), 1, rowBytes) != rowBytes) {
            SetErrorText("Corrupted WBMP");
            return false;
        }
    }
    return true;
}

bool CxImageWBMP::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    if (GetBpp() != 1) {
        SetErrorText("Can't save this image as WBMP");
        return false;
    }
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    std::vector<uint8_t> out = {0, 0};
    PutMultiByte(out, width);
    PutMultiByte(out, height);
    if (file->Write(out.data(), 1, out.size()) != out.size())
        return false;
    // Bit 1 is white in the file: a picture whose entry 0 is the brighter one is written inverted, or it
    // would come back as its negative.
    const bool invert = GrayLevel(GetPaletteColor(0)) > GrayLevel(GetPaletteColor(1));
    const size_t rowBytes = (size_t(width) + 7) / 8;
    std::vector<uint8_t> row(rowBytes);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t *src = GetRowPointer(height - 1 - y);
        for (size_t i = 0; i < rowBytes; ++i)
            row[i] = invert ? uint8_t(~src[i]) : src[i];
        if (width % 8)
            row[rowBytes - 1] &= uint8_t(0xFF << (8 - width % 8));
        if (file->Write(row.data(), 1, rowBytes) != rowBytes)
            return false;
    }
    return true;
}
