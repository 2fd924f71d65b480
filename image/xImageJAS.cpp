#include "image/xImageJAS.h"

#include "image/JasPicture.h"
#include "image/xFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr size_t kMaxComponents = 64;

JasReadResult ReadMember(uint32_t memberId, CxFile *file, bool headerOnly, JasPicture &picture)
{
    switch (memberId) {
    case ImageFormatJp2:
    case ImageFormatJpc: return ReadJpeg2000(file, memberId, headerOnly, kMaxComponents, picture);
    case ImageFormatPgx: return ReadPgx(file, headerOnly, picture);
    case ImageFormatPnm: return ReadPnm(file, headerOnly, picture);
    case ImageFormatRas: return ReadRas(file, headerOnly, picture);
    default: return JasReadResult::Failed;
    }
}

// A sample as a value of `bits` bits: deep samples are shifted down by the picture's shift, shallow ones
// stretched up, so that a 5-bit channel's top is as bright as an 8-bit one's.
int32_t ToDepth(int32_t value, int precision, int shift, int bits)
{
    const int32_t top = (int32_t(1) << bits) - 1;
    if (precision > 8)
        value >>= shift;
    else if (precision < bits)
        value = int32_t(int64_t(std::clamp(value, 0, (1 << precision) - 1)) * top / ((1 << precision) - 1));
    return std::clamp(value, 0, top);
}

int32_t Clamp(float value, int32_t top)
{
    return std::clamp(int32_t(std::floor(value + 0.5f)), 0, top);
}

// Luma and two chroma components (sYCC or e-YCC, the chroma possibly sub-sampled) become red, green
// and blue at the size of the luma component.
bool ConvertToRgb(JasPicture &picture)
{
    const JasComponent y = picture.components[0];
    const JasComponent cb = picture.components[1];
    const JasComponent cr = picture.components[2];
    const bool extended = picture.colorSpace == JasColorSpace::Eycc;
    JasPicture rgb;
    rgb.colorSpace = JasColorSpace::Srgb;
    int32_t *planes[3];
    for (int32_t *&plane : planes) {
        plane = rgb.AddPlane(y.width, y.height, y.precision);
        if (!plane)
            return false;
    }
    const int32_t top = (int32_t(1) << y.precision) - 1;
    const float half = float(int32_t(1) << (y.precision - 1));
    auto chroma = [&](const JasComponent &c, uint32_t x, uint32_t row) {
        const uint32_t cx = std::min<uint32_t>(uint32_t(uint64_t(x) * y.dx / c.dx), c.width - 1);
        const uint32_t cy = std::min<uint32_t>(uint32_t(uint64_t(row) * y.dy / c.dy), c.height - 1);
        return float(c.Unsigned(cx, cy)) - half;
    };
    for (uint32_t row = 0; row < y.height; ++row) {
        for (uint32_t x = 0; x < y.width; ++x) {
            const float l = float(y.Unsigned(x, row));
            const float b = chroma(cb, x, row);
            const float r = chroma(cr, x, row);
            const size_t at = size_t(row) * y.width + x;
            if (extended) {
                planes[0][at] = Clamp(l - 0.0000368f * b + 1.40199f * r, top);
                planes[1][at] = Clamp(1.0003f * l - 0.344125f * b - 0.7141128f * r, top);
                planes[2][at] = Clamp(0.999823f * l + 1.77204f * b - 0.000008f * r, top);
            } else {
                planes[0][at] = Clamp(l + 1.402f * r, top);
                planes[1][at] = Clamp(l - 0.344f * b - 0.714f * r, top);
                planes[2][at] = Clamp(l + 1.772f * b, top);
            }
        }
    }
    for (size_t i = 3; i < picture.components.size(); ++i)
        rgb.components.push_back(picture.components[i]);
    rgb.planes.insert(rgb.planes.end(), std::make_move_iterator(picture.planes.begin()),
                      std::make_move_iterator(picture.planes.end()));
    rgb.library = picture.library;
    picture = std::move(rgb);
    return true;
}

bool SameShape(const JasComponent &a, const JasComponent &b)
{
    return a.width == b.width && a.height == b.height && a.precision == b.precision;
}

bool SameSize(const JasComponent &a, const JasComponent &b)
{
    return a.width == b.width && a.height == b.height;
}

// Cyan, magenta, yellow and black of equal size become 8-bit red, green and blue: each channel is 255
// times its ink's absence times black's absence, cut to a whole number. Components after the fourth
// (alpha) stay.
bool ConvertCmykToRgb(JasPicture &picture)
{
    const JasComponent *cmyk = picture.components.data();
    JasPicture rgb;
    rgb.colorSpace = JasColorSpace::Srgb;
    int32_t *planes[3];
    for (int32_t *&plane : planes) {
        plane = rgb.AddPlane(cmyk[0].width, cmyk[0].height, 8);
        if (!plane)
            return false;
    }
    float scale[4];
    for (int c = 0; c < 4; ++c)
        scale[c] = 1.0f / float((int64_t(1) << cmyk[c].precision) - 1);
    for (uint32_t y = 0; y < cmyk[0].height; ++y)
        for (uint32_t x = 0; x < cmyk[0].width; ++x) {
            float part[4];
            for (int c = 0; c < 4; ++c)
                part[c] = 1.0f - float(std::clamp<int64_t>(cmyk[c].Unsigned(x, y), 0, (int64_t(1) << cmyk[c].precision) - 1)) * scale[c];
            const size_t at = size_t(y) * cmyk[0].width + x;
            for (int c = 0; c < 3; ++c)
                planes[c][at] = std::clamp(int32_t(255.0f * part[c] * part[3]), 0, 255);
        }
    for (size_t i = 4; i < picture.components.size(); ++i)
        rgb.components.push_back(picture.components[i]);
    rgb.planes.insert(rgb.planes.end(), std::make_move_iterator(picture.planes.begin()),
                      std::make_move_iterator(picture.planes.end()));
    rgb.library = picture.library;
    picture = std::move(rgb);
    return true;
}

} // namespace

bool CxImageJAS::Decode(CxFile *file, uint32_t)
{
    if (!file) {
        SetErrorText("error: cannot open standard input");
        return false;
    }
    uint8_t head[12] = {};
    const int64_t start = file->Tell();
    const size_t got = file->Read(head, 1, sizeof head);
    file->Seek(start, SEEK_SET);
    const uint32_t memberId = RecogniseJasMember(head, got);
    if (memberId == ImageFormatNone) {
        SetErrorText("error: unknowm format");
        return false;
    }

    const bool sizeOnly = GetEscape() == -1;
    JasPicture picture;
    const JasReadResult result = ReadMember(memberId, file, sizeOnly, picture);
    if (result == JasReadResult::TooManyComponents) {
        SetErrorText("error: too many components");
        return false;
    }
    if (result != JasReadResult::Ok || picture.components.empty()) {
        SetErrorText("error: cannot load image data");
        return false;
    }
    const JasComponent &first = picture.components[0];
    if (sizeOnly) {
        m_header.biWidth = int32_t(std::min<uint32_t>(first.width, INT32_MAX));
        m_header.biHeight = int32_t(std::min<uint32_t>(first.height, INT32_MAX));
        m_info.formatId = memberId;
        SetErrorText("output dimensions returned");
        return true;
    }
    if (picture.components.size() > kMaxComponents) {
        SetErrorText("error: too many components");
        return false;
    }
    auto &all = picture.components;
    // Three components whose second is sub-sampled are luma and chroma, whatever the file says.
    if (all.size() == 3 && picture.colorSpace != JasColorSpace::Eycc && all[0].dx == all[0].dy && all[1].dx != 1)
        picture.colorSpace = JasColorSpace::Sycc;
    const bool ycc = picture.colorSpace == JasColorSpace::Sycc || picture.colorSpace == JasColorSpace::Eycc;
    if (all.size() >= 3 && ycc && !ConvertToRgb(picture)) {
        SetErrorText("cannot convert to sRGB");
        return false;
    }
    if (all.size() >= 4 && picture.colorSpace == JasColorSpace::Cmyk && SameSize(all[0], all[1]) &&
        SameSize(all[0], all[2]) && SameSize(all[0], all[3]) && !ConvertCmykToRgb(picture)) {
        SetErrorText("cannot convert to sRGB");
        return false;
    }
    const int shift = std::max(0, picture.components[0].precision - 8);
    const auto &c = picture.components;
    // Grey with alpha, colour, colour with alpha; anything else is a set of separate grey pictures.
    const bool equal = std::all_of(c.begin(), c.end(), [&](const JasComponent &k) { return SameShape(c[0], k); });
    if (equal && (c.size() == 2 || c.size() == 3 || c.size() == 4))
        return DecodeRgb(picture, memberId, shift);
    return DecodeFrame(picture, memberId, shift);
}

// Components of one size: grey and alpha (two), red, green and blue (three), and alpha after them (four).
bool CxImageJAS::DecodeRgb(const JasPicture &picture, uint32_t memberId, int shift)
{
    const JasComponent *c = picture.components.data();
    const size_t count = picture.components.size();
    const bool grey = count == 2;
    if (!Create(c[0].width, c[0].height, grey ? 8 : 24, memberId))
        return false;
    if (grey)
        SetGrayPalette();
    const JasComponent *alpha = count == 2 || count == 4 ? &c[count - 1] : nullptr;
    if (alpha && !AlphaCreate())
        return false;
    for (uint32_t y = 0; y < c[0].height; ++y) {
        const int32_t rowIndex = int32_t(c[0].height - 1 - y);
        uint8_t *row = GetRowPointer(uint32_t(rowIndex));
        uint8_t *alphaRow = alpha ? AlphaGetPointer(0, rowIndex) : nullptr;
        for (uint32_t x = 0; x < c[0].width; ++x) {
            if (grey) {
                row[x] = uint8_t(ToDepth(c[0].Unsigned(x, y), c[0].precision, shift, 8));
            } else {
                row[3 * x] = uint8_t(ToDepth(c[2].Unsigned(x, y), c[2].precision, shift, 8));
                row[3 * x + 1] = uint8_t(ToDepth(c[1].Unsigned(x, y), c[1].precision, shift, 8));
                row[3 * x + 2] = uint8_t(ToDepth(c[0].Unsigned(x, y), c[0].precision, shift, 8));
            }
            if (alphaRow)
                alphaRow[x] = uint8_t(ToDepth(alpha->Unsigned(x, y), alpha->precision, shift, 8));
        }
    }
    return true;
}

// Components that do not make one colour picture are frames of grey pictures, each at its own size;
// the image holds the requested one.
bool CxImageJAS::DecodeFrame(const JasPicture &picture, uint32_t memberId, int shift)
{
    const int32_t count = int32_t(picture.components.size());
    const int32_t wanted = GetFrame();
    if (wanted < 0 || wanted >= count) {
        SetErrorText("wrong frame!");
        return false;
    }
    const JasComponent &c = picture.components[size_t(wanted)];
    if (!Create(c.width, c.height, uint32_t(std::min(c.precision, 8)), memberId))
        return false;
    m_info.frameCount = count;
    SetGrayPalette();
    for (uint32_t y = 0; y < c.height; ++y) {
        const int32_t row = int32_t(c.height - 1 - y);
        uint8_t *bytes = GetRowPointer(uint32_t(row));
        for (uint32_t x = 0; x < c.width; ++x) {
            const uint8_t index = uint8_t(ToDepth(c.Unsigned(x, y), c.precision, shift, GetBpp()));
            if (GetBpp() == 8)
                bytes[x] = index;
            else
                BlindSetPixelIndex(int32_t(x), row, index);
        }
    }
    return true;
}

bool CxImageJAS::Encode(CxFile *file, uint32_t formatId)
{
    if (!EncodeSafeCheck(file))
        return false;
    if (IsIndexed() && !IsGrayScale()) {
        SetErrorText("JasPer can save only RGB or GrayScale images");
        return false;
    }
    if (formatId == ImageFormatPgx && !IsIndexed()) {
        SetErrorText("PGX can save only GrayScale images");
        return false;
    }
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    const bool grey = IsIndexed();
    if (formatId == ImageFormatPnm || formatId == ImageFormatRas) {
        // Whole rows straight from the image; grey rows of fewer than 8 bits are unpacked first.
        std::vector<uint8_t> unpacked(grey && GetBpp() < 8 ? width : 0);
        JasRows rows;
        rows.width = width;
        rows.height = height;
        rows.grey = grey;
        rows.row = [&](uint32_t y) -> const uint8_t * {
            const int32_t row = int32_t(height - 1 - y);
            if (unpacked.empty())
                return GetRowPointer(uint32_t(row));
            for (uint32_t x = 0; x < width; ++x)
                unpacked[x] = BlindGetPixelIndex(int32_t(x), row);
            return unpacked.data();
        };
        if (!(formatId == ImageFormatPnm ? WritePnm(file, rows) : WriteRas(file, rows))) {
            SetErrorText("error: cannot encode image");
            return false;
        }
        return true;
    }
    JasPicture picture;
    picture.colorSpace = grey ? JasColorSpace::Gray : JasColorSpace::Srgb;
    int32_t *planes[3] = {};
    for (int c = 0; c < (grey ? 1 : 3); ++c) {
        planes[c] = picture.AddPlane(width, height, 8);
        if (!planes[c]) {
            SetErrorText("error : can't allocate memory");
            return false;
        }
    }
    for (uint32_t y = 0; y < height; ++y) {
        const int32_t row = int32_t(height - 1 - y);
        const uint8_t *bytes = GetRowPointer(uint32_t(row));
        for (uint32_t x = 0; x < width; ++x) {
            const size_t at = size_t(y) * width + x;
            if (grey) {
                planes[0][at] = BlindGetPixelIndex(int32_t(x), row);
            } else {
                planes[0][at] = bytes[3 * x + 2];
                planes[1][at] = bytes[3 * x + 1];
                planes[2][at] = bytes[3 * x];
            }
        }
    }

    bool written = false;
    switch (formatId) {
    case ImageFormatJp2:
    case ImageFormatJpc: written = WriteJpeg2000(file, formatId, picture, GetJpegQuality() / 100.0); break;
    case ImageFormatPgx: written = WritePgx(file, picture); break;
    default: break;
    }
    if (!written) {
        SetErrorText("error: cannot encode image");
        return false;
    }
    return true;
}
