#include "image/xImageJPG.h"

#include "image/GlueIo.h"
#include "image/jpeg_glue.h"
#include "image/xFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The JPEG codec-option bits.
enum JpegOption : uint32_t {
    ENCODE_BASELINE = 0x1,
    ENCODE_ARITHMETIC = 0x2,
    ENCODE_GRAYSCALE = 0x4,
    ENCODE_OPTIMIZE = 0x8,
    ENCODE_PROGRESSIVE = 0x10,
    ENCODE_SMOOTHING = 0x40,
    DECODE_GRAYSCALE = 0x80,
    DECODE_QUANTIZE = 0x100,
    DECODE_DITHER = 0x200,
    DECODE_ONEPASS = 0x400,
    DECODE_NOSMOOTH = 0x800,
    ENCODE_SUBSAMPLE_422 = 0x1000,
    ENCODE_SUBSAMPLE_444 = 0x2000,
};

// The library's own working memory (coefficient buffers of progressive files) is capped so that a
// hostile header cannot make it reserve gigabytes before a single row is decoded.
constexpr size_t kMaxLibraryMemory = size_t(512) << 20;

struct DecoderDeleter
{
    void operator()(CorvJpegDecoder *d) const { corv_jpeg_decoder_free(d); }
};
struct EncoderDeleter
{
    void operator()(CorvJpegEncoder *e) const { corv_jpeg_encoder_free(e); }
};

int32_t ClampDpi(double dpi)
{
    if (!(dpi > 0))
        return 0;
    return dpi >= double(INT32_MAX) ? INT32_MAX : int32_t(dpi);
}

} // namespace

CxImageJPG::CxImageJPG() : CxImage(ImageFormatJpg)
{
    std::memset(&m_exifinfo, 0, sizeof m_exifinfo);
}

CxImageJPG::~CxImageJPG() = default;

bool CxImageJPG::Decode(CxFile *file)
{
    if (!file)
        return false;

    m_exif = std::make_unique<CxJpegExif>(&m_exifinfo);
    const int64_t position = file->Tell();
    m_exif->ReadSections(file, CxJpegExif::ReadExif);
    file->Seek(position, SEEK_SET);
    const bool isExif = m_exifinfo.IsExif;

    CorvGlueIo io = GlueIoFor(file);
    std::unique_ptr<CorvJpegDecoder, DecoderDeleter> decoder(corv_jpeg_decoder_new(&io));
    if (!decoder) {
        SetErrorText(io.error);
        return false;
    }

    const uint32_t option = GetCodecOption(ImageFormatJpg);
    CorvJpegDecodeOptions options{};
    options.grayscale = (option & DECODE_GRAYSCALE) != 0;
    options.quantize = (option & DECODE_QUANTIZE) != 0;
    options.colors = GetJpegQuality();
    options.ditherSet = (option & DECODE_DITHER) != 0;
    options.ditherMode = m_nDither;
    options.onePass = (option & DECODE_ONEPASS) != 0;
    options.noFancyUpsampling = (option & DECODE_NOSMOOTH) != 0;
    options.scaleDenom = GetJpegScale();
    options.maxMemory = kMaxLibraryMemory;
    options.blueFirst = 1; // the image's own byte order: saves swapping every row afterwards

    CorvJpegFrame frame;
    if (!corv_jpeg_read_header(decoder.get(), &options, &frame)) {
        SetErrorText(io.error);
        return false;
    }

    if (GetEscape() == -1) {
        m_header.biWidth = int32_t(frame.width);
        m_header.biHeight = int32_t(frame.height);
        m_info.formatId = ImageFormatJpg;
        return true;
    }

    // The image is made before the library sets up its own buffers, so an oversized picture is refused
    // by the image's limit before anything large is allocated.
    if (!Create(frame.width, frame.height, 8 * uint32_t(frame.components), ImageFormatJpg))
        return false;
    if (!corv_jpeg_start_decompress(decoder.get(), &frame)) {
        SetErrorText(io.error);
        return false;
    }
    // The library delivers every row, even of a file cut short.
    PrefaultPixels();

    SetResolution(isExif, frame);

    if (frame.quantized) {
        RgbColor triples[256];
        for (int i = 0; i < frame.colors; ++i)
            triples[i] = RgbColor{frame.colormap[i][0], frame.colormap[i][1], frame.colormap[i][2]};
        SetPalette(triples, uint32_t(frame.colors));
    } else if (frame.components == 1) {
        SetGrayPalette();
    }

    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const size_t delivered = size_t(width) * size_t(frame.components);
    for (int32_t y = 0; y < height; ++y) {
        if (GetEscape()) {
            SetErrorText("Cancelled");
            return false;
        }
        uint8_t *target = GetRowPointer(uint32_t(height - 1 - y));
        if ((frame.components == 1 || frame.components == 3) && delivered <= GetRowStride()) {
            // Rows that already have the image's layout go straight into it.
            if (!corv_jpeg_read_row_into(decoder.get(), target)) {
                SetErrorText(io.error);
                return false;
            }
            if (frame.components == 3 && !frame.quantized && !frame.blueFirst)
                SwapRedBlueInRow(target, GetRowStride());
            continue;
        }
        const unsigned char *source = nullptr;
        if (!corv_jpeg_read_row(decoder.get(), &source)) {
            SetErrorText(io.error);
            return false;
        }
        if (frame.components == 4 && !frame.quantized) {
            // Stored CMYK comes inverted: each channel is scaled by K.
            for (int32_t x = 0; x < width; ++x, source += 4, target += 3) {
                const unsigned k = source[3];
                target[0] = uint8_t(k * source[2] / 255);
                target[1] = uint8_t(k * source[1] / 255);
                target[2] = uint8_t(k * source[0] / 255);
            }
            continue;
        }
        std::memcpy(target, source, std::min<size_t>(delivered, GetRowStride()));
    }

    if (!corv_jpeg_finish_decompress(decoder.get())) {
        SetErrorText(io.error);
        return false;
    }
    return true;
}

void CxImageJPG::SetResolution(bool isExif, const CorvJpegFrame &frame)
{
    switch (frame.densityUnit) {
    case 0:
        // Only an aspect ratio: keep the horizontal resolution and shape the vertical one.
        if (frame.densityX > 0 && frame.densityY > 0)
            SetVerticalDpi(int32_t(int64_t(GetHorizontalDpi()) * frame.densityY / frame.densityX));
        break;
    case 2:
        SetHorizontalDpi(int32_t(std::floor(frame.densityX * 2.54 + 0.5)));
        SetVerticalDpi(int32_t(std::floor(frame.densityY * 2.54 + 0.5)));
        break;
    default:
        SetHorizontalDpi(frame.densityX);
        SetVerticalDpi(frame.densityY);
        break;
    }
    // EXIF wins where it states a resolution; an EXIF block without one leaves the JFIF header's.
    if (!isExif || m_exifinfo.ResolutionUnit == 0)
        return;
    if (m_exifinfo.Xresolution != 0)
        SetHorizontalDpi(ClampDpi(double(m_exifinfo.Xresolution / m_exifinfo.ResolutionUnit)));
    if (m_exifinfo.Yresolution != 0)
        SetVerticalDpi(ClampDpi(double(m_exifinfo.Yresolution / m_exifinfo.ResolutionUnit)));
}

bool CxImageJPG::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    const bool gray = IsGrayScale();
    if (GetPalette() && !gray) {
        SetErrorText("JPEG can save only RGB or GreyScale images");
        return false;
    }

    const int64_t position = file->Tell();
    CorvGlueIo io = GlueIoFor(file);
    std::unique_ptr<CorvJpegEncoder, EncoderDeleter> encoder(corv_jpeg_encoder_new(&io));
    if (!encoder) {
        SetErrorText(io.error);
        return false;
    }

    const uint32_t option = GetCodecOption(ImageFormatJpg);
    CorvJpegEncodeSpec spec{};
    spec.width = uint32_t(GetWidth());
    spec.height = uint32_t(GetHeight());
    spec.components = gray ? 1 : 3;
    spec.quality = GetJpegQuality();
    spec.forceBaseline = (option & ENCODE_BASELINE) != 0;
    spec.arithmetic = (option & ENCODE_ARITHMETIC) != 0;
    spec.grayscaleSpace = (option & ENCODE_GRAYSCALE) != 0;
    spec.optimize = (option & ENCODE_OPTIMIZE) != 0;
    spec.progressive = (option & ENCODE_PROGRESSIVE) != 0;
    spec.smoothingSet = (option & ENCODE_SMOOTHING) != 0;
    spec.smoothing = m_nSmoothing;
    spec.hSampling0 = 2;
    spec.vSampling0 = 2;
    if (option & ENCODE_SUBSAMPLE_422)
        spec.vSampling0 = 1;
    if (option & ENCODE_SUBSAMPLE_444)
        spec.hSampling0 = spec.vSampling0 = 1;
    spec.densityX = uint16_t(std::clamp<int32_t>(GetHorizontalDpi(), 0, 65535));
    spec.densityY = uint16_t(std::clamp<int32_t>(GetVerticalDpi(), 0, 65535));

    spec.blueFirst = 1; // the image's own byte order: its rows go to the library as they are
    int blueFirst = 0;
    if (!corv_jpeg_start_compress(encoder.get(), &spec, &blueFirst)) {
        SetErrorText(io.error);
        return false;
    }

    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    std::vector<uint8_t> buffer(std::max<size_t>(GetRowStride(), size_t(width)) + 8, 0);
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t row = uint32_t(height - 1 - y);
        const uint8_t *source = buffer.data();
        if (GetBpp() < 8) {
            // The library takes a byte per grey sample; packed 1- and 4-bit rows are spread out first.
            for (int32_t x = 0; x < width; ++x)
                buffer[size_t(x)] = GetPaletteColor(BlindGetPixelIndex(x, int32_t(row))).rgbBlue;
        } else if (GetPalette() || blueFirst) {
            source = GetRowPointer(row);
        } else {
            std::memcpy(buffer.data(), GetRowPointer(row), GetRowStride());
            SwapRedBlueInRow(buffer.data(), GetRowStride());
        }
        if (!corv_jpeg_write_row(encoder.get(), source)) {
            SetErrorText(io.error);
            return false;
        }
    }
    if (!corv_jpeg_finish_compress(encoder.get())) {
        SetErrorText(io.error);
        return false;
    }
    encoder.reset();

    if (m_exif && m_exifinfo.IsExif) {
        // Put the EXIF block of the decoded file back into the one just written.
        m_exif->KeepExifOnly();
        file->Seek(position, SEEK_SET);
        m_exif->ReadSections(file, CxJpegExif::ReadImage);
        file->Seek(position, SEEK_SET);
        m_exif->WriteJpeg(file);
    }
    return true;
}
