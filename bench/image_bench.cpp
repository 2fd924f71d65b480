// Times the picture work the application does most against a reference doing the same work in the same
// process: CxImage::Resample on the sizes met most (a camera picture fitted to the screen, which takes
// the area path; a large component picture enlarged with Lanczos) against QImage::scaled with smooth
// transformation, and JPEG decoding and encoding of a 4000 x 3000 photograph against libjpeg-turbo's own
// calls. Every figure is the best of several runs of that one case, the two sides taking turns; no
// figure is derived from another. Prints figures; never passes or fails.
#include "image/qt/ImageQt.h"
#include "image/xImage.h"
#include "image/xImageGIF.h"
#include "image/xMemFile.h"

#include <tiffio.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kRuns = 11;
// JPEG figures move with whatever else the machine does; more turns give each side its quiet moments.
constexpr int kJpegRuns = 21;

CxImage Picture(int width, int height)
{
    CxImage image(uint32_t(width), uint32_t(height), 24);
    for (int y = 0; y < height; ++y) {
        uint8_t *row = image.GetRowPointer(uint32_t(y));
        for (int x = 0; x < width; ++x) {
            row[3 * x] = uint8_t(x * 3 + y);
            row[3 * x + 1] = uint8_t((x ^ y) * 5);
            row[3 * x + 2] = uint8_t(y * 7 - x);
        }
    }
    return image;
}

template <class Work>
double Ms(Work &&work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Best
{
    double ours = std::numeric_limits<double>::max();
    double theirs = std::numeric_limits<double>::max();
};

// The fastest of `runs` runs of each side, the two taking turns so that both meet the same machine.
template <class Ours, class Theirs>
Best SideBySide(int runs, Ours &&ours, Theirs &&theirs)
{
    Best best;
    for (int i = 0; i < runs; ++i) {
        best.ours = std::min(best.ours, Ms(ours));
        best.theirs = std::min(best.theirs, Ms(theirs));
    }
    return best;
}

void PrintRow(const char *name, double ours, const char *reference, double theirs)
{
    std::printf("%-44s ours %8.2f ms   %-22s %8.2f ms   ratio %5.2f\n", name, ours, reference, theirs, ours / theirs);
}

void CompareResample(const char *name, int width, int height, int newWidth, int newHeight, int mode)
{
    CxImage source = Picture(width, height);
    const QImage qsource = toQImage(source);
    // The source stays as it is; the result goes into a fresh image, as QImage::scaled makes one.
    const Best best = SideBySide(
        kRuns,
        [&] {
            CxImage target;
            source.Resample(newWidth, newHeight, mode, EdgeRepeat, &target);
        },
        [&] {
            QImage scaled = qsource.scaled(newWidth, newHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            (void)scaled;
        });
    PrintRow(name, best.ours, "QImage::scaled", best.theirs);
}

// A 4000 x 3000 stand-in for a camera picture: smooth gradients with fine grain, which is what makes
// JPEG work hard (flat or random pictures are both unrealistically easy or hard).
CxImage Photo(int width, int height)
{
    CxImage image(uint32_t(width), uint32_t(height), 24);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        uint8_t *row = image.GetRowPointer(uint32_t(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 28) - 8;
            const double fx = double(x) / width, fy = double(y) / height;
            row[3 * x] = uint8_t(std::clamp(int(128 + 100 * std::sin(fx * 7 + fy * 3)) + grain, 0, 255));
            row[3 * x + 1] = uint8_t(std::clamp(int(120 + 90 * std::cos(fx * 5 - fy * 4)) + grain, 0, 255));
            row[3 * x + 2] = uint8_t(std::clamp(int(110 + 80 * std::sin(fx * fy * 20)) + grain, 0, 255));
        }
    }
    return image;
}

// libjpeg-turbo on its own: the bytes straight from memory, blue-green-red rows several at a call, into
// rows of `stride` bytes from `out` on. Into a buffer that exists before the clock starts, this is the
// fastest way the library decodes a picture here.
void LibraryDecode(const std::vector<uint8_t> &jpeg, uint8_t *out, size_t stride)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[16];
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(16, cinfo.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = out + size_t(first + i) * stride;
        jpeg_read_scanlines(&cinfo, rows, count);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

// The same for encoding: red-green-blue rows from a ready buffer into memory, quality 90, the library's
// default 4:2:0 sampling (what the application writes).
void LibraryEncode(const std::vector<uint8_t> &rgb, int width, int height)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char *bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &bytes, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t stride = size_t(width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[16];
        const JDIMENSION first = cinfo.next_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(16, cinfo.image_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = const_cast<unsigned char *>(rgb.data()) + size_t(first + i) * stride;
        jpeg_write_scanlines(&cinfo, rows, count);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::free(bytes);
}

void CompareJpeg()
{
    const int width = 4000, height = 3000;
    CxImage photo = Photo(width, height);
    photo.SetJpegQuality(90);

    CxMemFile encoded;
    encoded.Open();
    photo.Encode(&encoded, ImageFormatJpg);
    const uint8_t *begin = encoded.GetBuffer(false);
    const std::vector<uint8_t> jpeg(begin, begin + encoded.Size());

    std::vector<uint8_t> decoded(size_t(width) * size_t(height) * 3, 0);
    // Ours makes a new picture every time, as every load does.
    const Best decode = SideBySide(
        kJpegRuns,
        [&] {
            CxMemFile file(const_cast<uint8_t *>(jpeg.data()), jpeg.size());
            CxImage image;
            image.Decode(&file, ImageFormatJpg);
        },
        [&] { LibraryDecode(jpeg, decoded.data(), size_t(width) * 3); });

    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = photo.GetRowPointer(uint32_t(height - 1 - y));
        uint8_t *line = rgb.data() + size_t(y) * size_t(width) * 3;
        for (int x = 0; x < width; ++x) {
            line[3 * x] = row[3 * x + 2];
            line[3 * x + 1] = row[3 * x + 1];
            line[3 * x + 2] = row[3 * x];
        }
    }
    const Best encode = SideBySide(
        kJpegRuns,
        [&] {
            CxMemFile file;
            file.Open();
            photo.Encode(&file, ImageFormatJpg);
        },
        [&] { LibraryEncode(rgb, width, height); });

    std::printf("JPEG %dx%d (%zu bytes, quality 90), best of %d runs each, taking turns\n", width, height,
                jpeg.size(), kJpegRuns);
    PrintRow("  decode", decode.ours, "libjpeg-turbo", decode.theirs);
    PrintRow("  encode", encode.ours, "libjpeg-turbo", encode.theirs);
    std::printf("  (libjpeg-turbo works from and into buffers that exist before the clock starts; ours makes a\n"
                "   new picture for every decode, on the pixel block the picture before it left, and reads\n"
                "   through the image's file interface)\n");
}

// Decode speed of our GIF and TIFF readers against Qt's readers of the same files, best of several runs
// each: a photo-like picture reduced to 256 colours, a 24-frame animation read to its last frame, and
// colour and grey TIFF files as libtiff's LZW writes them.
QByteArray EncodeBytes(CxImage &image, uint32_t formatId)
{
    CxMemFile file;
    file.Open();
    image.Encode(&file, formatId);
    return QByteArray(reinterpret_cast<const char *>(file.GetBuffer(false)), qsizetype(file.Size()));
}

void CompareDecode(const char *name, const QByteArray &bytes, uint32_t formatId, const char *qtFormat, int frame,
                   int repeats)
{
    const Best best = SideBySide(
        repeats,
        [&] {
            std::vector<uint8_t> copy(bytes.begin(), bytes.end());
            CxMemFile file(copy.data(), copy.size());
            CxImage image;
            image.SetFrame(frame);
            image.Decode(&file, formatId);
        },
        [&] {
            QByteArray copy = bytes;
            QBuffer buffer(&copy);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, qtFormat);
            for (int i = 0; i <= frame; ++i)
                (void)reader.read();
        });
    PrintRow(name, best.ours, "QImageReader", best.theirs);
}

void CompareGifTiff(int repeats)
{
    CxImage photo = Photo(1600, 1200);
    CxImage colour(photo);
    colour.SetCodecOption(COMPRESSION_LZW, ImageFormatTif);
    CompareDecode("TIFF 1600x1200 RGB, LZW", EncodeBytes(colour, ImageFormatTif), ImageFormatTif, "tiff", 0, repeats);
    CxImage grey(photo);
    grey.GrayScale();
    CompareDecode("TIFF 1600x1200 grey, LZW + predictor", EncodeBytes(grey, ImageFormatTif), ImageFormatTif, "tiff", 0,
                  repeats);

    CxImage paletted(photo);
    paletted.DecreaseBpp(8, true);
    CompareDecode("GIF 1600x1200, 256 colours", EncodeBytes(paletted, ImageFormatGif), ImageFormatGif, "gif", 0,
                  repeats);

    // 24 frames of 400 x 300 that move a bright block over a dithered picture.
    CxImage base(Photo(400, 300));
    base.DecreaseBpp(8, true);
    std::vector<CxImage> frames(24, base);
    std::vector<CxImage *> list;
    for (int i = 0; i < 24; ++i) {
        for (int y = 100; y < 160; ++y)
            for (int x = 0; x < 60; ++x)
                frames[size_t(i)].SetPixelIndex(x + i * 14, y, 255);
        frames[size_t(i)].SetFrameDelay(4);
        list.push_back(&frames[size_t(i)]);
    }
    CxImageGIF writer;
    CxMemFile file;
    file.Open();
    writer.WriteAnimation(&file, list.data(), int32_t(list.size()), false, false);
    const QByteArray animation(reinterpret_cast<const char *>(file.GetBuffer(false)), qsizetype(file.Size()));
    CompareDecode("GIF 400x300, 24 frames, to the last", animation, ImageFormatGif, "gif", 23, repeats);
}

// Writing the simple formats: PNM, Sun raster and PCX of a 2000 x 1500 photograph (colour, then grey)
// against Qt writing the same picture as PPM (PGM for grey), the plainest writer there is.
void CompareEncode(const char *name, CxImage &image, uint32_t formatId, const QImage &qt, const char *qtFormat)
{
    const Best best = SideBySide(
        kRuns,
        [&] {
            CxMemFile file;
            file.Open();
            image.Encode(&file, formatId);
        },
        [&] {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            qt.save(&buffer, qtFormat);
        });
    PrintRow(name, best.ours, qtFormat[1] == 'p' ? "QImage::save ppm" : "QImage::save pgm", best.theirs);
}

void CompareSimpleWriters()
{
    CxImage colour = Photo(2000, 1500);
    const QImage qtColour = toQImage(colour).convertToFormat(QImage::Format_RGB888);
    CxImage grey(colour);
    grey.GrayScale();
    const QImage qtGrey = toQImage(grey).convertToFormat(QImage::Format_Grayscale8);
    std::printf("Writing 2000x1500, best of %d runs each, taking turns\n", kRuns);
    CompareEncode("  PNM colour", colour, ImageFormatPnm, qtColour, "ppm");
    CompareEncode("  Sun raster colour", colour, ImageFormatRas, qtColour, "ppm");
    CompareEncode("  PCX colour", colour, ImageFormatPcx, qtColour, "ppm");
    CompareEncode("  PNM grey", grey, ImageFormatPnm, qtGrey, "pgm");
    CompareEncode("  Sun raster grey", grey, ImageFormatRas, qtGrey, "pgm");
    CompareEncode("  PCX grey", grey, ImageFormatPcx, qtGrey, "pgm");
}

} // namespace

// With an argument, only that part: resample, jpeg, decode or write.
int main(int argc, char **argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    const auto runs = [&](const char *part) { return only.empty() || only == part; };
    if (runs("resample")) {
        std::printf("Resampling, best of %d runs each, taking turns\n", kRuns);
        CompareResample("4000x3000 -> 1008x560 (area path, mode 6)", 4000, 3000, 1008, 560, InterpolationLanczos);
        CompareResample("500x333 -> 1008x672 (Lanczos, mode 6)", 500, 333, 1008, 672, InterpolationLanczos);
        CompareResample("2000x1500 -> 400x300 (area path, mode 6)", 2000, 1500, 400, 300, InterpolationLanczos);
        CompareResample("500x333 -> 1008x672 (cubic, mode 5)", 500, 333, 1008, 672, InterpolationBicubic2);
        CompareResample("500x333 -> 1008x672 (bilinear, mode 2)", 500, 333, 1008, 672, InterpolationBilinear);
    }
    if (runs("jpeg"))
        CompareJpeg();
    if (runs("decode"))
        CompareGifTiff(5);
    if (runs("write"))
        CompareSimpleWriters();
    return 0;
}
