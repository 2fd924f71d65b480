#include "image/xImageWMF.h"

#include "image/LittleEndian.h"
#include "image/xFile.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kStandardHeaderSize = 18;
constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEmfSignature = 0x464D4520;
constexpr size_t kEnhancedHeaderSize = 88;
constexpr int32_t kMaxUnitsPerInch = 2540;
constexpr int32_t kWindowColour = 0xFFFFFF; // the window colour of the screen these pictures are made for

MetafilePlayer g_player = nullptr;

int32_t LeS32(const uint8_t *p)
{
    return int32_t(Le32(p));
}

// Reads up to n bytes from the file's position; the vector holds what was there.
bool ReadUpTo(CxFile *file, std::vector<uint8_t> &out, uint64_t n)
{
    const int64_t size = file->Size();
    const int64_t at = file->Tell();
    if (size < 0 || at < 0 || at > size)
        return false;
    n = std::min<uint64_t>(n, uint64_t(size - at));
    try {
        out.resize(size_t(n));
    } catch (const std::bad_alloc &) {
        return false;
    }
    out.resize(file->Read(out.data(), 1, out.size()));
    return true;
}

int32_t Span(int32_t from, int32_t to)
{
    return int32_t(std::min<int64_t>(std::abs(int64_t(to) - from), INT32_MAX));
}

} // namespace

void SetMetafilePlayer(MetafilePlayer player)
{
    g_player = player;
}

MetafilePlayer GetMetafilePlayer()
{
    return g_player;
}

bool CxImageWMF::ReadPlaceableMetafile(CxFile *file, MetafilePicture &picture)
{
    uint8_t head[kPlaceableSize + kStandardHeaderSize];
    if (file->Read(head, 1, sizeof head) != sizeof head || Le32(head) != kPlaceableKey)
        return false;
    uint16_t sum = 0;
    for (size_t i = 0; i < 10; ++i)
        sum ^= Le16(head + 2 * i);
    const int32_t inch = Le16(head + 14);
    if (sum != Le16(head + 20) || inch < 1 || inch > kMaxUnitsPerInch)
        return false;
    const uint8_t *standard = head + kPlaceableSize;
    const uint16_t type = Le16(standard);
    const uint64_t bytes = uint64_t(Le32(standard + 6)) * 2;
    const int64_t fileSize = file->Size();
    if ((type != 1 && type != 2) || Le16(standard + 2) != 9 || fileSize < 0 || bytes > uint64_t(fileSize) ||
        bytes < kStandardHeaderSize)
        return false;

    picture.enhanced = false;
    picture.bounds = RECT{int16_t(Le16(head + 6)), int16_t(Le16(head + 8)), int16_t(Le16(head + 10)),
                          int16_t(Le16(head + 12))};
    picture.unitsPerInch = inch;
    std::vector<uint8_t> rest;
    if (!ReadUpTo(file, rest, bytes - kStandardHeaderSize))
        return false;
    picture.records.assign(standard, standard + kStandardHeaderSize);
    picture.records.insert(picture.records.end(), rest.begin(), rest.end());
    return true;
}

bool CxImageWMF::ReadEnhancedMetafile(CxFile *file, MetafilePicture &picture)
{
    const int64_t start = file->Tell();
    uint8_t head[kEnhancedHeaderSize];
    if (file->Read(head, 1, sizeof head) != sizeof head || Le32(head) != kEmrHeader ||
        Le32(head + 40) != kEmfSignature)
        return false;
    const uint32_t headerSize = Le32(head + 4);
    const uint32_t total = Le32(head + 48);
    if (headerSize < kEnhancedHeaderSize || headerSize > total || !file->Seek(start, SEEK_SET))
        return false;
    picture.enhanced = true;
    picture.bounds = RECT{LeS32(head + 8), LeS32(head + 12), LeS32(head + 16), LeS32(head + 20)};
    picture.frame = RECT{LeS32(head + 24), LeS32(head + 28), LeS32(head + 32), LeS32(head + 36)};
    picture.devicePixels[0] = LeS32(head + 72);
    picture.devicePixels[1] = LeS32(head + 76);
    picture.deviceMillimetres[0] = LeS32(head + 80);
    picture.deviceMillimetres[1] = LeS32(head + 84);
    return ReadUpTo(file, picture.records, total) && picture.records.size() >= headerSize;
}

void CxImageWMF::LimitMetafileSize(int32_t &width, int32_t &height)
{
    if (width > kMaxSide) {
        height = int32_t(std::max<int64_t>(1, int64_t(height) * kMaxSide / width));
        width = kMaxSide;
    }
    if (height > kMaxSide) {
        width = int32_t(std::max<int64_t>(1, int64_t(width) * kMaxSide / height));
        height = kMaxSide;
    }
}

bool CxImageWMF::Decode(CxFile *file, int32_t forcedWidth, int32_t forcedHeight)
{
    if (!file)
        return false;
    const MetafilePlayer player = g_player;
    if (!player) {
        SetErrorText("Decode: Unknown or wrong format");
        return false;
    }
    const int64_t start = file->Tell();
    MetafilePicture picture;
    int32_t width = 0;
    int32_t height = 0;
    if (ReadPlaceableMetafile(file, picture)) {
        const int64_t inch = picture.unitsPerInch;
        width = int32_t((int64_t(Span(picture.bounds.left, picture.bounds.right)) * kScreenDpi + inch / 2) / inch);
        height = int32_t((int64_t(Span(picture.bounds.top, picture.bounds.bottom)) * kScreenDpi + inch / 2) / inch);
    } else if (file->Seek(start, SEEK_SET) && ReadEnhancedMetafile(file, picture)) {
        const RECT &b = picture.bounds;
        if (b.right >= b.left && b.bottom >= b.top) {
            width = Span(b.left, b.right);
            height = Span(b.top, b.bottom);
        } else {
            // Bounds left unset by the program that wrote the file: the frame says how large it is.
            const RECT &f = picture.frame;
            width = int32_t(int64_t(Span(f.left, f.right)) * kScreenDpi / 2540);
            height = int32_t(int64_t(Span(f.top, f.bottom)) * kScreenDpi / 2540);
        }
    } else {
        SetErrorText("corrupted WMF");
        return false;
    }

    if (GetEscape() == -1) {
        m_header.biWidth = width;
        m_header.biHeight = height;
        m_info.formatId = ImageFormatWmf;
        SetErrorText("output dimensions returned");
        return true;
    }
    if (width <= 0 || height <= 0) {
        SetErrorText("empty WMF");
        return false;
    }
    if (forcedWidth > 0)
        width = forcedWidth;
    if (forcedHeight > 0)
        height = forcedHeight;
    LimitMetafileSize(width, height);

    if (!Create(uint32_t(width), uint32_t(height), 24, ImageFormatWmf))
        return false;
    const RGBQUAD window = RgbToRgbQuad(kWindowColour);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t *row = GetRowPointer(uint32_t(y));
        for (int32_t x = 0; x < width; ++x, row += 3) {
            row[0] = window.rgbBlue;
            row[1] = window.rgbGreen;
            row[2] = window.rgbRed;
        }
    }
    char error[256] = {};
    if (!player(picture, *this, error)) {
        SetErrorText(error[0] ? error : "corrupted WMF");
        Destroy();
        return false;
    }
    if (GetEscape()) {
        SetErrorText("Cancelled");
        Destroy();
        return false;
    }
    return true;
}

bool CxImageWMF::Encode(CxFile *)
{
    SetErrorText("Save WMF not supported");
    return false;
}
