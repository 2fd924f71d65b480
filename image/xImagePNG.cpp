#include "image/xImagePNG.h"

#include "image/GlueIo.h"
#include "image/png_glue.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kColorMaskColor = 2;
constexpr int kColorMaskAlpha = 4;
constexpr int kColorTypeGray = 0;
constexpr int kColorTypeRgb = 2;
constexpr int kColorTypePalette = 3;

struct ReaderDeleter
{
    void operator()(CorvPngReader *r) const { corv_png_reader_free(r); }
};
struct WriterDeleter
{
    void operator()(CorvPngWriter *w) const { corv_png_writer_free(w); }
};

// Channels by colour type; 0 for a type the format does not have.
int ChannelsOf(int colorType)
{
    switch (colorType) {
    case 0:
    case 3: return 1;
    case 4: return 2;
    case 2: return 3;
    case 6: return 4;
    default: return 0;
    }
}

int32_t DpiFromMetres(uint32_t pelsPerMetre)
{
    return int32_t(std::floor(double(pelsPerMetre) * 254.0 / 10000.0 + 0.5));
}

} // namespace

bool CxImagePNG::Decode(CxFile *file)
{
    if (!file)
        return false;
    CorvGlueIo io = GlueIoFor(file);
    std::unique_ptr<CorvPngReader, ReaderDeleter> reader(corv_png_reader_new(&io));
    if (!reader) {
        SetErrorText(io.error);
        return false;
    }
    CorvPngHeader header;
    if (!corv_png_read_info(reader.get(), &header)) {
        SetErrorText(io.error);
        return false;
    }

    if (GetEscape() == -1) {
        m_header.biWidth = int32_t(header.width);
        m_header.biHeight = int32_t(header.height);
        m_info.formatId = ImageFormatPng;
        return true;
    }

    const int fileChannels = ChannelsOf(header.colorType);
    if (!fileChannels) {
        SetErrorText("unknown PNG color type");
        return false;
    }
    const int pixelDepth = header.bitDepth * fileChannels;
    // A 16-bit transparent colour names one exact value: held at 8 bits it would take every value with
    // the same high byte along. Those files get an alpha plane from a comparison at full depth.
    const bool exactTrans = header.bitDepth == 16 && header.transCount > 0 &&
                            (header.colorType == kColorTypeGray || header.colorType == kColorTypeRgb);
    const int channels = exactTrans ? fileChannels + 1 : fileChannels;
    const uint32_t bpp = channels == 1 ? uint32_t(std::min(pixelDepth, 8)) : channels == 2 ? 8u : 24u;
    if (header.width > uint32_t(INT32_MAX) || header.height > uint32_t(INT32_MAX) ||
        !Create(header.width, header.height, bpp, ImageFormatPng))
        return false;

    if (header.hasPhys && header.physUnit == 0) {
        SetHorizontalDpi(int32_t(std::min<uint32_t>(header.physX, INT32_MAX)));
        SetVerticalDpi(int32_t(std::min<uint32_t>(header.physY, INT32_MAX)));
    } else if (header.hasPhys && header.physUnit == 1) {
        SetHorizontalDpi(DpiFromMetres(header.physX));
        SetVerticalDpi(DpiFromMetres(header.physY));
    } else {
        SetHorizontalDpi(0);
        SetVerticalDpi(0);
    }

    if (header.paletteCount > 0) {
        RgbColor triples[256];
        for (int i = 0; i < header.paletteCount; ++i)
            triples[i] = RgbColor{header.palette[i][0], header.palette[i][1], header.palette[i][2]};
        SetPalette(triples, uint32_t(header.paletteCount));
        SetClrImportant(uint32_t(header.paletteCount));
    } else if (pixelDepth == 2) {
        // Two-bit grey is held at four bits: its four levels take the first four entries.
        for (uint8_t i = 0; i < 4; ++i)
            SetPaletteColor(i, uint8_t(i * 85), uint8_t(i * 85), uint8_t(i * 85));
    } else {
        SetGrayPalette();
    }

    if (!exactTrans)
        SetTransparency(header);

    if ((channels == 2 || channels == 4) && !AlphaCreate()) {
        SetErrorText("can't allocate memory");
        return false;
    }
    if (GetEscape()) {
        SetErrorText("Cancelled");
        return false;
    }
    if (!ReadRows(reader.get(), header, channels, io.error))
        return false;
    if (!corv_png_read_end(reader.get())) {
        SetErrorText(io.error);
        return false;
    }
    return true;
}

void CxImagePNG::SetTransparency(const CorvPngHeader &header)
{
    if (!header.transCount)
        return;
    switch (header.colorType) {
    case kColorTypePalette:
        // One entry of alpha 0 is the transparent index; any other alpha is kept as it is stored.
        if (header.transCount == 1 && header.transAlpha[0] == 0) {
            SetTransIndex(0);
        } else if (RGBQUAD *palette = GetPalette()) {
            for (uint32_t i = 0; i < GetNumColors(); ++i)
                palette[i].rgbReserved = i < uint32_t(header.transCount) ? header.transAlpha[i] : 255;
            m_info.alphaPaletteEnabled = true;
        }
        break;
    case kColorTypeGray:
        // A grey value the depth cannot hold matches no pixel: PNG readers ignore it.
        if (header.transGray < (1u << header.bitDepth))
            SetTransIndex(int32_t(header.transGray));
        break;
    case kColorTypeRgb:
        if (header.transRed > 255 || header.transGreen > 255 || header.transBlue > 255)
            break;
        SetTransColor(RGBQUAD{uint8_t(header.transBlue), uint8_t(header.transGreen), uint8_t(header.transRed), 0});
        SetTransIndex(0);
        break;
    default:
        break;
    }
}

bool CxImagePNG::ReadRows(CorvPngReader *reader, const CorvPngHeader &header, int channels, const char *libraryError)
{
    int passes = 1;
    size_t rowBytes = 0;
    const bool transToAlpha = channels != ChannelsOf(header.colorType);
    if (!corv_png_read_prepare(reader, (header.colorType & kColorMaskColor) ? 1 : 0, transToAlpha ? 1 : 0, &passes,
                               &rowBytes)) {
        SetErrorText(libraryError);
        return false;
    }
    SetCodecOption(passes == 7 ? 1 : 0, ImageFormatPng);

    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const size_t sample = header.bitDepth == 16 ? 2 : 1;
    const size_t step = size_t(channels) * sample;
    const bool hasAlpha = channels == 2 || channels == 4;
    const size_t rowCopy = header.bitDepth == 16 ? size_t(width) * size_t(channels) : rowBytes;
    std::vector<uint8_t> buffer(rowBytes + 8, 0);
    std::vector<uint8_t> widened;
    uint8_t *row = buffer.data();

    for (int pass = 0; pass < passes; ++pass) {
        for (int32_t y = 0; y < height; ++y) {
            if (GetEscape()) {
                SetErrorText("Cancelled");
                return false;
            }
            const uint32_t imageRow = uint32_t(height - 1 - y);
            uint8_t *pixels = GetRowPointer(imageRow);
            uint8_t *alpha = hasAlpha ? AlphaGetPointer(0, int32_t(imageRow)) : nullptr;

            if (pass > 0) {
                // Adam7 passes fill in only their own pixels: put back what earlier passes delivered.
                if (hasAlpha) {
                    for (int32_t x = 0; x < width; ++x) {
                        uint8_t *p = row + size_t(x) * step;
                        if (channels == 2) {
                            p[0] = pixels[x];
                        } else {
                            p[0] = pixels[3 * x];
                            p[sample] = pixels[3 * x + 1];
                            p[2 * sample] = pixels[3 * x + 2];
                        }
                        p[(size_t(channels) - 1) * sample] = alpha[x];
                    }
                } else if (sample == 2) {
                    for (size_t i = 0; i < rowCopy; ++i)
                        row[2 * i] = pixels[i];
                } else {
                    std::memcpy(row, pixels, std::min<size_t>(GetRowStride(), rowBytes));
                }
            }

            if (!corv_png_read_row(reader, row)) {
                SetErrorText(libraryError);
                return false;
            }

            if (hasAlpha) {
                for (int32_t x = 0; x < width; ++x) {
                    const uint8_t *p = row + size_t(x) * step;
                    if (channels == 2) {
                        pixels[x] = p[0];
                    } else {
                        pixels[3 * x] = p[0];
                        pixels[3 * x + 1] = p[sample];
                        pixels[3 * x + 2] = p[2 * sample];
                    }
                    alpha[x] = p[(size_t(channels) - 1) * sample];
                }
                continue;
            }
            if (sample == 2) {
                for (size_t i = 0; i < rowCopy; ++i)
                    row[i] = row[2 * i];
            }
            std::memcpy(pixels, row, std::min<size_t>(GetRowStride(), rowCopy));

            if (header.pixelDepth == 2 && pass == passes - 1) {
                widened.assign(pixels, pixels + GetRowStride());
                for (int32_t x = 0; x < width; ++x) {
                    const uint8_t v = uint8_t((widened[size_t(x) / 4] >> (6 - 2 * (x % 4))) & 3);
                    uint8_t &target = pixels[x / 2];
                    target = (x & 1) ? uint8_t((target & 0xF0) | v) : uint8_t((target & 0x0F) | (v << 4));
                }
            }
        }
    }
    return true;
}

uint32_t CxImagePNG::WrittenPaletteCount() const
{
    const uint32_t count = GetClrImportant() ? GetClrImportant() : GetNumColors();
    return std::min(count, GetNumColors());
}

bool CxImagePNG::NeedsTrueColour() const
{
    if (!GetPalette() || IsGrayScale())
        return false;
    if (AlphaIsValid())
        return true;
    const uint32_t count = WrittenPaletteCount();
    if (count >= GetNumColors())
        return false;
    for (int32_t y = 0; y < GetHeight(); ++y)
        for (int32_t x = 0; x < GetWidth(); ++x)
            if (BlindGetPixelIndex(x, y) >= count)
                return true;
    return false;
}

bool CxImagePNG::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;

    CorvGlueIo io = GlueIoFor(file);
    std::unique_ptr<CorvPngWriter, WriterDeleter> writer(corv_png_writer_new(&io));
    if (!writer) {
        SetErrorText(io.error);
        return false;
    }

    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    // A colour palette cannot be written with an alpha plane beside it, nor with indices past the
    // entries written: such a picture is saved in true colour, as it is shown.
    const bool expand = NeedsTrueColour();
    const bool hasAlpha = expand ? HasTransparency() : AlphaIsValid();
    const bool gray = !expand && IsGrayScale();
    const bool palette = GetPalette() && !expand;
    int channels = GetBpp() > 8 || expand ? 3 : 1;
    int bitDepth = expand ? 8 : GetBpp() / channels;
    int colorType = palette ? (gray ? 0 : 3) : 2;
    if (hasAlpha) {
        colorType |= kColorMaskAlpha;
        channels += 1;
        bitDepth = 8;
    }

    CorvPngWriteSpec spec{};
    spec.width = uint32_t(width);
    spec.height = uint32_t(height);
    spec.bitDepth = bitDepth;
    spec.colorType = colorType;
    spec.interlaced = GetCodecOption(ImageFormatPng) == 1 ? 1 : 0;
    spec.hasBackground = 1;
    spec.bkRed = spec.bkGreen = spec.bkBlue = 255;
    spec.bkGray = uint16_t((1u << std::min(bitDepth, 8)) - 1);
    if (IsTransparent()) {
        const RGBQUAD tc = GetTransColor();
        spec.bkRed = tc.rgbRed;
        spec.bkGreen = tc.rgbGreen;
        spec.bkBlue = tc.rgbBlue;
        spec.bkGray = uint16_t(std::min<int32_t>(GetTransIndex(), int32_t(spec.bkGray)));
    }
    spec.physX = uint32_t(m_header.biXPelsPerMeter);
    spec.physY = uint32_t(m_header.biYPelsPerMeter);

    // A transparent palette entry goes first, so that a single tRNS entry covers it; the image is put
    // back as it was once the file is written, whatever happens on the way. An index past the entries
    // written is used by no pixel (pixels past them are saved in true colour): nothing is transparent.
    const int32_t transIndex = GetTransIndex();
    const bool paletteTrans =
        colorType == kColorTypePalette && transIndex >= 0 && uint32_t(transIndex) < WrittenPaletteCount();
    const bool swapped = paletteTrans && transIndex > 0;
    if (swapped)
        SwapIndex(0, uint8_t(transIndex));
    struct SwapBack
    {
        CxImagePNG *image;
        bool active;
        uint8_t index;
        ~SwapBack()
        {
            if (active)
                image->SwapIndex(0, index);
        }
    } swapBack{this, swapped, uint8_t(transIndex)};

    unsigned char trans[256];
    if (paletteTrans) {
        trans[0] = 0;
        spec.transCount = 1;
        spec.transAlpha = trans;
    } else if (transIndex >= 0 && colorType == kColorTypeGray) {
        spec.hasTransColor = 1;
        spec.transGray = uint16_t(transIndex);
    } else if (transIndex >= 0 && colorType == kColorTypeRgb) {
        const RGBQUAD tc = GetTransColor();
        spec.hasTransColor = 1;
        spec.transRed = tc.rgbRed;
        spec.transGreen = tc.rgbGreen;
        spec.transBlue = tc.rgbBlue;
    }

    unsigned char plte[256][3];
    if (const RGBQUAD *entries = palette ? GetPalette() : nullptr) {
        const uint32_t count = WrittenPaletteCount();
        for (uint32_t i = 0; i < count; ++i) {
            plte[i][0] = entries[i].rgbRed;
            plte[i][1] = entries[i].rgbGreen;
            plte[i][2] = entries[i].rgbBlue;
        }
        if (!gray)
            spec.paletteCount = int(count);
        spec.palette = plte;
        if (m_info.alphaPaletteEnabled && colorType == kColorTypePalette) {
            for (uint32_t i = 0; i < count; ++i)
                trans[i] = entries[i].rgbReserved;
            spec.transCount = int(count);
            spec.transAlpha = trans;
        }
    }

    if (GetBpp() == 24 && hasAlpha && IsTransparent()) {
        const RGBQUAD tc = GetTransColor();
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t *p = GetRowPointer(uint32_t(y));
            uint8_t *a = AlphaGetPointer(0, y);
            for (int32_t x = 0; x < width; ++x, p += 3) {
                if (p[0] == tc.rgbBlue && p[1] == tc.rgbGreen && p[2] == tc.rgbRed)
                    a[x] = 0;
            }
        }
    }

    int passes = 1;
    if (!corv_png_write_header(writer.get(), &spec, &passes)) {
        SetErrorText("Error saving PNG file");
        return false;
    }

    const size_t rowSize = std::max<size_t>(GetRowStride(), size_t(width) * size_t(channels) * size_t(bitDepth / 8));
    std::vector<uint8_t> buffer(rowSize + 8, 0);
    uint8_t *row = buffer.data();
    for (int pass = 0; pass < passes; ++pass) {
        for (int32_t y = 0; y < height; ++y) {
            const uint32_t imageRow = uint32_t(height - 1 - y);
            const uint8_t *pixels = GetRowPointer(imageRow);
            if (hasAlpha || expand) {
                const uint8_t *alpha = AlphaGetPointer(0, int32_t(imageRow));
                uint8_t *p = row;
                for (int32_t x = 0; x < width; ++x) {
                    const RGBQUAD c = BlindGetPixelColor(x, int32_t(imageRow), false);
                    if (channels == 2) {
                        *p++ = c.rgbBlue;
                    } else {
                        *p++ = c.rgbRed;
                        *p++ = c.rgbGreen;
                        *p++ = c.rgbBlue;
                    }
                    if (hasAlpha)
                        *p++ = expand ? BlindGetShownAlpha(x, int32_t(imageRow)) : alpha[x];
                }
            } else {
                std::memcpy(row, pixels, GetRowStride());
                if (!GetPalette())
                    SwapRedBlueInRow(row, GetRowStride());
            }
            if (!corv_png_write_row(writer.get(), row)) {
                SetErrorText("Error saving PNG file");
                return false;
            }
        }
    }
    if (!corv_png_write_end(writer.get())) {
        SetErrorText("Error saving PNG file");
        return false;
    }
    return true;
}
