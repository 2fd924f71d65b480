// Times CxImage::Resample on the picture sizes the application meets most (a camera picture fitted to the
// screen, which takes the area path; a large component picture enlarged with Lanczos) against
// QImage::scaled with smooth transformation on the same pixels. Prints figures; never passes or fails.
#include "image/qt/ImageQt.h"
#include "image/xImage.h"

#include "image/xImageGIF.h"
#include "image/xMemFile.h"

#include <tiffio.h>

#include <QBuffer>
#include <QImageReader>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <vector>

#include <chrono>
#include <cstdio>

namespace {

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

template <class F>
double Seconds(int repeats, F &&work)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i)
        work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeats;
}

void Compare(const char *name, int width, int height, int newWidth, int newHeight, int mode, int repeats)
{
    const CxImage source = Picture(width, height);
    const QImage qsource = toQImage(source);
    const double ours = Seconds(repeats, [&] {
        CxImage image(source);
        image.Resample(newWidth, newHeight, mode, EdgeRepeat);
    });
    const double copyOnly = Seconds(repeats, [&] { CxImage image(source); });
    const double qt = Seconds(repeats, [&] {
        QImage scaled = qsource.scaled(newWidth, newHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        (void)scaled;
    });
    const double resample = ours - copyOnly;
    std::printf("%-44s ours %8.2f ms   QImage::scaled %8.2f ms   ratio %6.2f\n", name, resample * 1000.0,
                qt * 1000.0, resample / qt);
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

// Seconds of one run of a command-line tool, process start included.
double ToolSeconds(const QString &program, const QStringList &arguments, int repeats)
{
    return Seconds(repeats, [&] { QProcess::execute(program, arguments); });
}

void CompareJpeg(int repeats)
{
    QTemporaryDir dir;
    CxImage photo = Photo(4000, 3000);
    photo.SetJpegQuality(90);

    CxMemFile encoded;
    encoded.Open();
    photo.Encode(&encoded, ImageFormatJpg);
    const QByteArray jpeg(reinterpret_cast<const char *>(encoded.GetBuffer(false)), qsizetype(encoded.Size()));
    const QString jpegPath = dir.filePath(QStringLiteral("photo.jpg"));
    {
        QFile out(jpegPath);
        out.open(QIODevice::WriteOnly);
        out.write(jpeg);
    }
    // The same pixels for cjpeg, as a binary PPM (top row first, red first).
    const QString ppmPath = dir.filePath(QStringLiteral("photo.ppm"));
    {
        QFile out(ppmPath);
        out.open(QIODevice::WriteOnly);
        out.write("P6\n4000 3000\n255\n");
        std::vector<char> line(4000 * 3);
        for (int y = 2999; y >= 0; --y) {
            const uint8_t *row = photo.GetRowPointer(uint32_t(y));
            for (int x = 0; x < 4000; ++x) {
                line[size_t(3 * x)] = char(row[3 * x + 2]);
                line[size_t(3 * x + 1)] = char(row[3 * x + 1]);
                line[size_t(3 * x + 2)] = char(row[3 * x]);
            }
            out.write(line.data(), qint64(line.size()));
        }
    }

    const double decode = Seconds(repeats, [&] {
        std::vector<uint8_t> bytes(jpeg.begin(), jpeg.end());
        CxMemFile file(bytes.data(), bytes.size());
        CxImage image;
        image.Decode(&file, ImageFormatJpg);
    });
    const double encode = Seconds(repeats, [&] {
        CxMemFile file;
        file.Open();
        photo.Encode(&file, ImageFormatJpg);
    });
    const QString null = QStringLiteral("/dev/null");
    const double djpeg = ToolSeconds(QStringLiteral("djpeg"), {QStringLiteral("-outfile"), null, jpegPath}, repeats);
    const double cjpeg = ToolSeconds(QStringLiteral("cjpeg"),
                                     {QStringLiteral("-quality"), QStringLiteral("90"), QStringLiteral("-outfile"), null, ppmPath},
                                     repeats);
    std::printf("JPEG 4000x3000 (%lld bytes, quality 90)\n", static_cast<long long>(jpeg.size()));
    std::printf("%-44s ours %8.2f ms   djpeg %8.2f ms            ratio %6.2f\n", "  decode", decode * 1000.0,
                djpeg * 1000.0, decode / djpeg);
    std::printf("%-44s ours %8.2f ms   cjpeg %8.2f ms            ratio %6.2f\n", "  encode", encode * 1000.0,
                cjpeg * 1000.0, encode / cjpeg);
    std::printf("  (the tools' times include starting the process and reading and writing their files)\n");
}

// Decode speed of our GIF and TIFF readers against Qt's readers of the same files, best of several runs
// each: a photo-like picture reduced to 256 colours, a 24-frame animation read to its last frame, and
// colour and grey TIFF files as libtiff's LZW writes them.
template <class F>
double BestSeconds(int repeats, F &&work)
{
    double best = 1e30;
    for (int i = 0; i < repeats; ++i)
        best = std::min(best, Seconds(1, work));
    return best;
}

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
    const double ours = BestSeconds(repeats, [&] {
        std::vector<uint8_t> copy(bytes.begin(), bytes.end());
        CxMemFile file(copy.data(), copy.size());
        CxImage image;
        image.SetFrame(frame);
        image.Decode(&file, formatId);
    });
    const double qt = BestSeconds(repeats, [&] {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, qtFormat);
        for (int i = 0; i <= frame; ++i)
            (void)reader.read();
    });
    std::printf("%-44s ours %8.2f ms   QImageReader %8.2f ms     ratio %6.2f   (%lld bytes)\n", name, ours * 1000.0,
                qt * 1000.0, ours / qt, static_cast<long long>(bytes.size()));
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

} // namespace

int main()
{
    Compare("4000x3000 -> 1008x560 (area path, mode 6)", 4000, 3000, 1008, 560, InterpolationLanczos, 3);
    Compare("500x333 -> 1008x672 (Lanczos, mode 6)", 500, 333, 1008, 672, InterpolationLanczos, 3);
    Compare("2000x1500 -> 400x300 (area path, mode 6)", 2000, 1500, 400, 300, InterpolationLanczos, 3);
    Compare("500x333 -> 1008x672 (cubic, mode 5)", 500, 333, 1008, 672, InterpolationBicubic2, 3);
    Compare("500x333 -> 1008x672 (bilinear, mode 2)", 500, 333, 1008, 672, InterpolationBilinear, 3);
    CompareJpeg(3);
    CompareGifTiff(5);
    return 0;
}
