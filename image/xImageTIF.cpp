#include "image/xImageTIF.h"

#include "image/xFile.h"

#include <tiffio.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

// A libtiff client over a CxFile. Offsets are relative to where the TIFF starts in the file, so a TIFF
// that is not at the file's start reads as well. The library's messages stay here instead of going to
// the terminal.
struct TiffClient
{
    CxFile *file = nullptr;
    int64_t base = 0;
    TIFF *tif = nullptr;

    ~TiffClient()
    {
        if (tif)
            TIFFClose(tif);
    }
};

namespace {

constexpr char kOpenError[] = "Error encountered while opening TIFF file";
constexpr char kCorrupted[] = "Corrupted TIFF file!";
constexpr char kNoMemory[] = "CxImageTIF can't allocate memory";
constexpr char kSaveError[] = "Error saving TIFF file";

tmsize_t ReadProc(thandle_t handle, void *buffer, tmsize_t size)
{
    auto *client = static_cast<TiffClient *>(handle);
    return size <= 0 ? 0 : tmsize_t(client->file->Read(buffer, 1, size_t(size)));
}

tmsize_t WriteProc(thandle_t handle, void *buffer, tmsize_t size)
{
    auto *client = static_cast<TiffClient *>(handle);
    return size <= 0 ? 0 : tmsize_t(client->file->Write(buffer, 1, size_t(size)));
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence)
{
    auto *client = static_cast<TiffClient *>(handle);
    constexpr toff_t kFailed = toff_t(-1);
    if (offset == kFailed)
        return kFailed;
    if (whence == SEEK_SET) {
        if (offset > toff_t(std::numeric_limits<int64_t>::max() - client->base) ||
            !client->file->Seek(client->base + int64_t(offset), SEEK_SET))
            return kFailed;
        return offset;
    }
    if (!client->file->Seek(int64_t(offset), whence))
        return kFailed;
    const int64_t at = client->file->Tell() - client->base;
    return at < 0 ? kFailed : toff_t(at);
}

int CloseProc(thandle_t)
{
    return 0; // the file belongs to the caller
}

toff_t SizeProc(thandle_t handle)
{
    auto *client = static_cast<TiffClient *>(handle);
    const int64_t size = client->file->Size() - client->base;
    return size < 0 ? 0 : toff_t(size);
}

int MapProc(thandle_t, void **, toff_t *)
{
    return 0;
}

void UnmapProc(thandle_t, void *, toff_t)
{
}

int QuietHandler(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

bool OpenTiffOnFile(TiffClient &client, CxFile *file, const char *mode)
{
    client.file = file;
    client.base = std::max<int64_t>(file->Tell(), 0);
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    if (!options)
        return false;
    TIFFOpenOptionsSetErrorHandlerExtR(options, QuietHandler, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, QuietHandler, nullptr);
    // No single buffer of the library may outgrow the largest picture.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(CxImage::kMaxMemory));
    client.tif = TIFFClientOpenExt("TIFF IMAGE", mode, &client, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                   MapProc, UnmapProc, options);
    TIFFOpenOptionsFree(options);
    return client.tif != nullptr;
}

// A resolution or position as an int, whatever the float held.
int32_t ToInt(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int32_t(std::clamp(v, double(std::numeric_limits<int32_t>::min()), double(std::numeric_limits<int32_t>::max())));
}

// Sample i of a row, samples of `bits` bits packed most significant bit first; 16-, 24- and 32-bit
// samples are whole words in host order, as the library delivers them.
uint32_t Sample(const uint8_t *row, size_t i, uint32_t bits)
{
    switch (bits) {
    case 8:
        return row[i];
    case 16: {
        uint16_t v;
        std::memcpy(&v, row + 2 * i, 2);
        return v;
    }
    case 24: {
        const uint8_t *p = row + 3 * i;
        if constexpr (std::endian::native == std::endian::little)
            return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
        else
            return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | uint32_t(p[2]);
    }
    case 32: {
        uint32_t v;
        std::memcpy(&v, row + 4 * i, 4);
        return v;
    }
    default: {
        const uint64_t bit = uint64_t(i) * bits;
        const uint8_t *p = row + bit / 8;
        const uint32_t skip = uint32_t(bit % 8);
        const uint32_t bytes = (skip + bits + 7) / 8;
        uint64_t acc = 0;
        for (uint32_t k = 0; k < bytes; ++k)
            acc = (acc << 8) | p[k];
        return uint32_t((acc >> (bytes * 8 - skip - bits)) & ((uint64_t(1) << bits) - 1));
    }
    }
}

// A sample as one byte: narrow samples keep their value (they are indices or small levels), wider ones
// keep their 8 most significant bits.
uint8_t Narrow(uint32_t value, uint32_t bits)
{
    return bits <= 8 ? uint8_t(value) : uint8_t(value >> (bits - 8));
}

// One CIELab pixel (L 0-255, a and b signed) as red, green and blue under the D65 white point.
RGBQUAD LabToRgb(uint8_t lightness, int8_t a, int8_t b)
{
    const double p = (lightness / 2.55 + 16) / 116;
    const double x = std::pow(p + a * 0.002, 3) * 0.95047;
    const double y = p * p * p;
    const double z = std::pow(p - b * 0.005, 3) * 1.0883;
    const double linear[3] = {3.240479 * x - 1.53715 * y - 0.498535 * z, -0.969256 * x + 1.875992 * y + 0.041556 * z,
                              0.055648 * x - 0.204043 * y + 1.057311 * z};
    uint8_t out[3];
    for (int k = 0; k < 3; ++k) {
        const double c = linear[k];
        const double shaped = c > 0.00304 ? 1.055 * std::pow(c, 0.41667) - 0.055 : 12.92 * c;
        out[k] = uint8_t(std::clamp(int(shaped * 255), 0, 255));
    }
    return RGBQUAD{out[2], out[1], out[0], 0};
}

bool IsRgbaPath(uint16_t photometric)
{
    switch (photometric) {
    case PHOTOMETRIC_RGB:
    case PHOTOMETRIC_SEPARATED:
    case PHOTOMETRIC_YCBCR:
    case PHOTOMETRIC_LOGL:
    case PHOTOMETRIC_LOGLUV:
        return true;
    default:
        return false;
    }
}

} // namespace

CxImageTIF::CxImageTIF() : CxImage(ImageFormatTif)
{
}

CxImageTIF::~CxImageTIF() = default;

bool CxImageTIF::Decode(CxFile *file)
{
    if (!file)
        return false;
    TiffClient client;
    if (!OpenTiffOnFile(client, file, "r")) {
        SetErrorText(kOpenError);
        return false;
    }
    TIFF *tif = client.tif;
    m_info.frameCount = int32_t(std::min<tdir_t>(TIFFNumberOfDirectories(tif), INT32_MAX));
    const int32_t page = GetFrameIndex();
    if (page < 0 || page >= m_info.frameCount || !TIFFSetDirectory(tif, tdir_t(page))) {
        SetErrorText("Error: page not present in TIFF file");
        return false;
    }

    uint32_t width = 0, height = 0;
    uint16_t samples = 1, bits = 1, photometric = 0, planar = PLANARCONFIG_CONTIG, compression = COMPRESSION_NONE;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);

    if (GetEscape() == -1) {
        m_header.biWidth = int32_t(std::min<uint32_t>(width, INT32_MAX));
        m_header.biHeight = int32_t(std::min<uint32_t>(height, INT32_MAX));
        m_info.formatId = ImageFormatTif;
        SetErrorText("output dimensions returned");
        return true;
    }

    uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    float value = 0;
    // Resolutions beyond any device are damage: they would overflow the pixels-per-metre field.
    auto dpi = [unit](float v) { return std::min(ToInt(unit == RESUNIT_CENTIMETER ? v * 2.54 + 0.5 : v), 1000000); };
    if (TIFFGetField(tif, TIFFTAG_XRESOLUTION, &value))
        SetHorizontalDpi(dpi(value));
    if (TIFFGetField(tif, TIFFTAG_YRESOLUTION, &value))
        SetVerticalDpi(dpi(value));
    int32_t x = 0, y = 0;
    if (TIFFGetField(tif, TIFFTAG_XPOSITION, &value))
        x = ToInt(value);
    if (TIFFGetField(tif, TIFFTAG_YPOSITION, &value))
        y = ToInt(value);
    SetFrameOffset(x, y);
    m_info.transIndex = -1;

    // Colour models the library converts itself; palette, grey and CIELab rows are converted here. Planes
    // stored apart are left to the library too.
    const bool rgba = IsRgbaPath(photometric) || (planar == PLANARCONFIG_SEPARATE && samples > 1);
    const bool bigPalette = !rgba && photometric == PHOTOMETRIC_PALETTE && bits > 8 && samples == 1;
    const bool lab = !rgba && samples >= 3;
    uint32_t bpp = 8;
    if (rgba || bigPalette || lab)
        bpp = 24;
    else if (bits == 1 && photometric <= PHOTOMETRIC_PALETTE)
        bpp = 1;
    else if (bits == 4)
        bpp = 4;
    if (!rgba && (bits == 0 || bits > 32)) {
        SetErrorText(kCorrupted);
        return false;
    }
    // Floating-point grey is brought from 0 to 1 onto the grey levels, signed grey from its least to its
    // largest value; other layouts of such samples would decode to noise, so they are refused.
    uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    // Log-luminance pictures store signed or floating-point samples whichever way they were written; the
    // library turns every such form into 8-bit colour on the RGBA path.
    if (photometric == PHOTOMETRIC_LOGL || photometric == PHOTOMETRIC_LOGLUV)
        sampleFormat = SAMPLEFORMAT_UINT;
    const bool greyRows = !rgba && !lab && !bigPalette && photometric != PHOTOMETRIC_PALETTE;
    if (sampleFormat == SAMPLEFORMAT_IEEEFP && !(greyRows && bits == 32)) {
        SetErrorText("Floating-point TIFF samples are supported for 32-bit grey only");
        return false;
    }
    if (sampleFormat == SAMPLEFORMAT_INT && !(greyRows && (bits == 8 || bits == 16 || bits == 32))) {
        SetErrorText("Signed TIFF samples are supported for 8-, 16- and 32-bit grey only");
        return false;
    }
    if (sampleFormat != SAMPLEFORMAT_UINT && sampleFormat != SAMPLEFORMAT_INT && sampleFormat != SAMPLEFORMAT_IEEEFP &&
        sampleFormat != SAMPLEFORMAT_VOID) {
        SetErrorText("Complex TIFF samples are not supported");
        return false;
    }
    if (bigPalette && bits > 24) {
        SetErrorText("Too big palette to handle");
        return false;
    }
    if (GetEscape()) {
        SetErrorText("Cancelled");
        return false;
    }
    if (!Create(width, height, bpp, ImageFormatTif)) {
        SetErrorText("CxImageTIF can't create image");
        return false;
    }
    if ((samples == 4 || (samples == 2 && bits >= 8)) && !AlphaCreate()) {
        SetErrorText(kNoMemory);
        return false;
    }
    SetCodecOption(compression, ImageFormatTif);

    if (rgba)
        return DecodeRgba(client, samples);
    return DecodeRows(client);
}

bool CxImageTIF::DecodeRgba(TiffClient &client, uint16_t samples)
{
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    std::unique_ptr<uint32_t[]> raster(new (std::nothrow) uint32_t[size_t(width) * height]);
    if (!raster) {
        SetErrorText("No space for raster buffer");
        return false;
    }
    if (!TIFFReadRGBAImage(client.tif, width, height, raster.get(), 1)) {
        SetErrorText(kCorrupted);
        return false;
    }
    // The library hands colours back multiplied by their alpha, whatever the file held: the picture keeps
    // them divided out again, as its alpha plane expects.
    const bool alpha = samples == 4 && AlphaIsValid();
    for (uint32_t row = 0; row < height; ++row) {
        if (GetEscape()) {
            SetErrorText("Cancelled");
            return false;
        }
        const uint32_t *src = raster.get() + size_t(row) * width; // the library's rows run bottom-up
        uint8_t *dst = GetRowPointer(row);
        if (!alpha) {
            for (uint32_t col = 0; col < width; ++col) {
                const uint32_t p = src[col];
                dst[3 * col] = uint8_t(TIFFGetB(p));
                dst[3 * col + 1] = uint8_t(TIFFGetG(p));
                dst[3 * col + 2] = uint8_t(TIFFGetR(p));
            }
            continue;
        }
        uint8_t *alphaRow = AlphaGetPointer(0, int32_t(row));
        for (uint32_t col = 0; col < width; ++col) {
            const uint32_t p = src[col];
            uint32_t r = TIFFGetR(p), g = TIFFGetG(p), b = TIFFGetB(p);
            const uint32_t a = TIFFGetA(p);
            if (a > 0 && a < 255) {
                r = std::min<uint32_t>(255, (r * 255 + a / 2) / a);
                g = std::min<uint32_t>(255, (g * 255 + a / 2) / a);
                b = std::min<uint32_t>(255, (b * 255 + a / 2) / a);
            }
            dst[3 * col] = uint8_t(b);
            dst[3 * col + 1] = uint8_t(g);
            dst[3 * col + 2] = uint8_t(r);
            alphaRow[col] = uint8_t(a);
        }
    }
    return true;
}

bool CxImageTIF::DecodeRows(TiffClient &client)
{
    TIFF *tif = client.tif;
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    uint16_t samples = 1, bits = 1, photometric = 0, orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
    const bool bigPalette = GetBpp() == 24 && samples == 1;
    const uint32_t d = std::min<uint32_t>(bits, 8);
    uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    const bool floating = sampleFormat == SAMPLEFORMAT_IEEEFP;
    const bool signedSamples = sampleFormat == SAMPLEFORMAT_INT;

    // The palette: black and white, a grey ramp, or the file's colour map.
    std::vector<RGBQUAD> table;
    try {
        table.resize(bigPalette ? size_t(1) << bits : 256);
    } catch (...) {
        SetErrorText("Unable to allocate TIFF palette");
        return false;
    }
    const uint32_t entries = 1u << d;
    if (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK) {
        // Level i of n from black to white, rounded; min-is-white counts from white.
        for (uint32_t i = 0; i < entries; ++i) {
            const uint32_t k = photometric == PHOTOMETRIC_MINISWHITE ? entries - 1 - i : i;
            const uint8_t level = uint8_t((k * 255 + (entries - 1) / 2) / (entries - 1));
            table[i] = RGBQUAD{level, level, level, 0};
        }
    } else if (photometric == PHOTOMETRIC_PALETTE) {
        uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
        if (TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue)) {
            const size_t count = bigPalette ? table.size() : entries;
            bool wide = bigPalette;
            for (size_t i = 0; i < count && !wide; ++i)
                wide = red[i] > 255 || green[i] > 255 || blue[i] > 255;
            auto level = [wide](uint16_t v) { return uint8_t(wide ? uint32_t(v) * 255 / 65535 : v); };
            for (size_t i = 0; i < count; ++i)
                table[i] = RGBQUAD{level(blue[i]), level(green[i]), level(red[i]), 0};
        }
    }
    if (!bigPalette)
        SetPalette(table.data(), entries);

    // Rows are gathered a strip (or a band of tiles) at a time into one buffer of whole rows.
    const uint64_t lineBytes = (uint64_t(width) * bits * samples + 7) / 8;
    const bool tiled = TIFFIsTiled(tif);
    uint32_t band = height;
    uint32_t tileWidth = 0;
    if (tiled) {
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &band);
    } else {
        TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &band);
    }
    band = std::clamp<uint32_t>(band, 1, height);
    const tmsize_t libraryBytes = tiled ? TIFFTileSize(tif) : TIFFStripSize(tif);
    const uint64_t bandBytes = lineBytes * band;
    if ((tiled && (tileWidth == 0 || libraryBytes <= 0)) || bandBytes > CxImage::kMaxMemory * 2) {
        SetErrorText(kCorrupted);
        return false;
    }
    std::vector<uint8_t> buffer, tile;
    try {
        buffer.resize(tiled ? size_t(bandBytes) : std::max<size_t>(size_t(bandBytes), size_t(std::max<tmsize_t>(libraryBytes, 0))));
        if (tiled)
            tile.resize(size_t(libraryBytes));
    } catch (...) {
        SetErrorText(kNoMemory);
        return false;
    }

    // 16-bit grey rows are first scaled each by its own highest set bit, then all brought to one scale.
    const bool adaptive = bits == 16 && samples == 1 && !bigPalette && !floating;
    // Floating-point and signed rows are turned into unsigned samples first: floats into bytes (so the
    // rows below see 8-bit samples), signed values moved up by half their range.
    const uint32_t rowBits = floating ? 8 : bits;
    std::vector<uint8_t> converted(floating || signedSamples ? size_t(lineBytes) : 0);
    std::vector<uint8_t> shifts(adaptive ? height : 0, 8);
    const uint64_t tileRowBytes = tiled ? uint64_t(TIFFTileRowSize(tif)) : 0;

    for (uint32_t top = 0; top < height; top += band) {
        if (GetEscape()) {
            SetErrorText("Cancelled");
            return false;
        }
        const uint32_t rows = std::min(band, height - top);
        if (tiled) {
            std::fill(buffer.begin(), buffer.end(), 0);
            for (uint32_t left = 0; left < width; left += tileWidth) {
                if (TIFFReadTile(tif, tile.data(), left, top, 0, 0) < 0) {
                    SetErrorText("Corrupted tiled TIFF file!");
                    return false;
                }
                // The last tile of a row band is cut at the right edge, the last band at the bottom.
                const uint64_t column = uint64_t(left) * bits * samples / 8;
                const size_t bytes = size_t(std::min(tileRowBytes, lineBytes - std::min(column, lineBytes)));
                for (uint32_t r = 0; r < rows && uint64_t(r + 1) * tileRowBytes <= tile.size(); ++r)
                    std::memcpy(buffer.data() + r * lineBytes + column, tile.data() + r * tileRowBytes, bytes);
            }
        } else {
            const tmsize_t got =
                TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, top, 0), buffer.data(), tmsize_t(buffer.size()));
            if (got < 0)
                break; // a damaged strip ends the picture: the rows read so far stay, the rest stay blank
            // A strip shorter than its rows leaves them blank, not holding the previous strip.
            std::fill(buffer.begin() + std::min<size_t>(size_t(got), buffer.size()), buffer.end(), 0);
        }

        for (uint32_t r = 0; r < rows; ++r) {
            const uint8_t *src = buffer.data() + r * lineBytes;
            if (floating || signedSamples) {
                const size_t count = size_t(width) * samples;
                for (size_t i = 0; i < count; ++i) {
                    if (floating) {
                        float v;
                        std::memcpy(&v, src + 4 * i, 4);
                        converted[i] = uint8_t(std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
                    } else if (bits == 8) {
                        converted[i] = uint8_t(src[i] ^ 0x80);
                    } else if (bits == 16) {
                        const uint16_t v = uint16_t(Sample(src, i, 16) ^ 0x8000u);
                        std::memcpy(converted.data() + 2 * i, &v, 2);
                    } else {
                        const uint32_t v = Sample(src, i, 32) ^ 0x80000000u;
                        std::memcpy(converted.data() + 4 * i, &v, 4);
                    }
                }
                src = converted.data();
            }
            const uint32_t fileRow = top + r;
            const int32_t row = int32_t(height - 1 - fileRow);
            uint8_t *dst = GetRowPointer(uint32_t(row));
            if (samples == 1) {
                if (bigPalette) {
                    for (uint32_t col = 0; col < width; ++col) {
                        const RGBQUAD c = table[Sample(src, col, rowBits)];
                        dst[3 * col] = c.rgbBlue;
                        dst[3 * col + 1] = c.rgbGreen;
                        dst[3 * col + 2] = c.rgbRed;
                    }
                } else if (adaptive) {
                    uint32_t top8 = 0;
                    for (uint32_t col = 0; col < width; ++col)
                        top8 = std::max(top8, Sample(src, col, 16) >> 8);
                    const int shift = top8 == 0 ? 8 : std::countl_zero(uint8_t(top8));
                    shifts[size_t(fileRow)] = uint8_t(shift);
                    for (uint32_t col = 0; col < width; ++col)
                        dst[col] = uint8_t(Sample(src, col, 16) >> (8 - shift));
                } else if (rowBits == GetBpp()) {
                    std::memcpy(dst, src, size_t(std::min<uint64_t>(lineBytes, GetRowStride())));
                } else {
                    for (uint32_t col = 0; col < width; ++col)
                        dst[col] = Narrow(Sample(src, col, rowBits), rowBits);
                }
            } else if (samples == 2) {
                uint8_t *alpha = AlphaGetPointer(0, row);
                for (uint32_t col = 0; col < width; ++col) {
                    BlindSetPixelIndex(int32_t(col), row, Narrow(Sample(src, 2 * size_t(col), rowBits), rowBits));
                    if (alpha)
                        alpha[col] = Narrow(Sample(src, 2 * size_t(col) + 1, rowBits), rowBits);
                }
            } else {
                uint8_t *alpha = AlphaGetPointer(0, row);
                for (uint32_t col = 0; col < width; ++col) {
                    const size_t i = size_t(col) * samples;
                    const RGBQUAD c = LabToRgb(Narrow(Sample(src, i, bits), bits), int8_t(Narrow(Sample(src, i + 1, bits), bits)),
                                               int8_t(Narrow(Sample(src, i + 2, bits), bits)));
                    dst[3 * col] = c.rgbBlue;
                    dst[3 * col + 1] = c.rgbGreen;
                    dst[3 * col + 2] = c.rgbRed;
                    if (alpha && samples >= 4)
                        alpha[col] = Narrow(Sample(src, i + 3, bits), bits);
                }
            }
        }
    }

    if (adaptive) {
        const uint8_t least = *std::min_element(shifts.begin(), shifts.end());
        for (uint32_t fileRow = 0; fileRow < height; ++fileRow) {
            const int extra = shifts[fileRow] - least;
            if (extra <= 0)
                continue;
            uint8_t *dst = GetRowPointer(height - 1 - fileRow);
            for (uint32_t col = 0; col < width; ++col)
                dst[col] = uint8_t(dst[col] >> extra);
        }
    }

    // The rows are in stored order; turn them to how the file says they are seen.
    switch (orientation) {
    case ORIENTATION_TOPRIGHT: Mirror(); break;
    case ORIENTATION_BOTRIGHT: Flip(); Mirror(); break;
    case ORIENTATION_BOTLEFT: Flip(); break;
    case ORIENTATION_LEFTTOP: RotateRight(); Mirror(); break;
    case ORIENTATION_RIGHTTOP: RotateRight(); break;
    case ORIENTATION_RIGHTBOT: RotateLeft(); Mirror(); break;
    case ORIENTATION_LEFTBOT: RotateLeft(); break;
    default: break;
    }
    return true;
}

// ---- encoding

namespace {

// The grey ramp of a depth: entry i holds i x 255 / (2^bits - 1) in every channel.
bool IsGreyRamp(const CxImage &image)
{
    const uint32_t n = image.GetNumColors();
    if (n < 2)
        return false;
    for (uint32_t i = 0; i < n; ++i) {
        const RGBQUAD c = image.GetPaletteColor(uint8_t(i));
        const uint32_t level = i * 255 / (n - 1);
        if (c.rgbRed != level || c.rgbGreen != level || c.rgbBlue != level)
            return false;
    }
    return true;
}

// Whether a compression can carry pages of this layout: fax codes only take 1-bit pages, JPEG only
// 8-bit grey or colour samples; a code the library cannot write takes none.
bool CompressionFits(uint32_t compression, uint16_t bits, uint16_t photometric)
{
    if (compression == 0 || compression > 0xFFFF || compression == COMPRESSION_OJPEG ||
        !TIFFIsCODECConfigured(uint16_t(compression)))
        return false;
    switch (compression) {
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
    case COMPRESSION_CCITTRLEW:
        return bits == 1;
    case COMPRESSION_JPEG:
        return bits == 8 && photometric != PHOTOMETRIC_PALETTE;
    default:
        return true;
    }
}

} // namespace

void CxImageTIF::CloseWriter()
{
    m_writer.reset();
    m_multiPage = false;
    m_pages = 0;
}

bool CxImageTIF::Encode(CxFile *file, bool append)
{
    if (!EncodeSafeCheck(file))
        return false;
    if (!m_writer) {
        m_writer = std::make_unique<TiffClient>();
        if (!OpenTiffOnFile(*m_writer, file, "a")) {
            CloseWriter();
            SetErrorText("initialization fail");
            return false;
        }
    }
    m_multiPage = append || m_pages > 0;
    ++m_pages;
    if (!WriteTiffPage(m_multiPage, m_pages, m_pages)) {
        CloseWriter();
        SetErrorText(kSaveError);
        return false;
    }
    if (append) {
        if (!TIFFWriteDirectory(m_writer->tif)) {
            CloseWriter();
            SetErrorText("Error saving TIFF directory");
            return false;
        }
        return true;
    }
    // The directory is written when the file is flushed: a failure there is a failed save.
    const bool flushed = TIFFFlush(m_writer->tif) == 1;
    CloseWriter();
    if (!flushed) {
        SetErrorText(kSaveError);
        return false;
    }
    return true;
}

bool CxImageTIF::WriteTiffPage(bool multiPage, int32_t page, int32_t pageCount)
{
    TIFF *tif = m_writer->tif;
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    const uint32_t bpp = GetBpp();
    const bool alpha = AlphaIsValid() && (bpp == 8 || bpp == 24);
    const uint16_t samples = bpp == 24 ? (alpha ? 4 : 3) : (alpha ? 2 : 1);
    const uint16_t bits = uint16_t(bpp == 24 ? 8 : bpp);

    uint16_t photometric = PHOTOMETRIC_RGB;
    if (bpp == 1) {
        // 1-bit pages are min-is-white: a picture whose entry 0 is the darker one has its two entries
        // exchanged and every bit inverted, which leaves it looking the same.
        photometric = PHOTOMETRIC_MINISWHITE;
        RGBQUAD *palette = GetPalette();
        if (GrayLevel(palette[0]) < GrayLevel(palette[1])) {
            std::swap(palette[0], palette[1]);
            for (uint32_t y = 0; y < height; ++y) {
                uint8_t *row = GetRowPointer(y);
                for (uint32_t i = 0; i < GetRowStride(); ++i)
                    row[i] = uint8_t(~row[i]);
            }
        }
    } else if (bpp <= 8) {
        photometric = IsGreyRamp(*this) ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_PALETTE;
    }

    uint32_t compression = GetCodecOption(ImageFormatTif);
    if (!CompressionFits(compression, bits, photometric))
        compression = bpp == 1 ? COMPRESSION_CCITTFAX4 : bpp <= 8 ? COMPRESSION_LZW : COMPRESSION_JPEG;
    if (compression == COMPRESSION_JPEG && !CompressionFits(compression, bits, photometric))
        compression = COMPRESSION_LZW;

    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples) && TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) &&
              TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(GetHorizontalDpi())) &&
              TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(GetVerticalDpi())) &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION, uint16_t(compression));
    if (alpha) {
        // Without this the extra sample is anonymous and readers drop it.
        const uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
        ok = ok && TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (multiPage) {
        char name[32];
        std::snprintf(name, sizeof name, "Page %d", page);
        ok = ok && TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE) &&
             TIFFSetField(tif, TIFFTAG_PAGENUMBER, uint16_t(page), uint16_t(pageCount)) &&
             TIFFSetField(tif, TIFFTAG_PAGENAME, name);
    } else {
        ok = ok && TIFFSetField(tif, TIFFTAG_SUBFILETYPE, 0);
    }
    if (photometric == PHOTOMETRIC_PALETTE) {
        uint16_t red[256] = {}, green[256] = {}, blue[256] = {};
        for (uint32_t i = 0; i < GetNumColors(); ++i) {
            const RGBQUAD c = GetPaletteColor(uint8_t(i));
            red[i] = uint16_t(c.rgbRed * 257);
            green[i] = uint16_t(c.rgbGreen * 257);
            blue[i] = uint16_t(c.rgbBlue * 257);
        }
        ok = ok && TIFFSetField(tif, TIFFTAG_COLORMAP, red, green, blue);
    }
    uint32_t rowsPerStrip = TIFFDefaultStripSize(tif, 0);
    if (compression == COMPRESSION_JPEG) {
        ok = ok && TIFFSetField(tif, TIFFTAG_JPEGQUALITY, int(GetJpegQuality()));
        rowsPerStrip = (rowsPerStrip + 7) / 8 * 8;
    } else if (compression == COMPRESSION_LZW && bits >= 8) {
        ok = ok && TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    }
    ok = ok && TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    if (!ok)
        return false;

    // The library may change the row it is given (predictors, byte order): it gets a copy each time.
    const size_t scanline = size_t(TIFFScanlineSize(tif));
    std::vector<uint8_t> line;
    try {
        line.resize(std::max<size_t>(scanline, size_t(width) * samples + GetRowStride()));
    } catch (...) {
        return false;
    }
    for (uint32_t y = 0; y < height; ++y) {
        const int32_t row = int32_t(height - 1 - y);
        const uint8_t *src = GetRowPointer(uint32_t(row));
        const uint8_t *alphaRow = alpha ? AlphaGetPointer(0, row) : nullptr;
        if (bpp == 24) {
            for (uint32_t x = 0; x < width; ++x) {
                uint8_t *out = line.data() + size_t(x) * samples;
                out[0] = src[3 * x + 2];
                out[1] = src[3 * x + 1];
                out[2] = src[3 * x];
                if (alphaRow)
                    out[3] = alphaRow[x];
            }
        } else if (alphaRow) {
            for (uint32_t x = 0; x < width; ++x) {
                line[2 * size_t(x)] = src[x];
                line[2 * size_t(x) + 1] = alphaRow[x];
            }
        } else {
            std::memcpy(line.data(), src, GetRowStride());
        }
        if (TIFFWriteScanline(tif, line.data(), y, 0) < 0)
            return false;
    }
    return true;
}
