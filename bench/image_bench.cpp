// Times the picture work the application does most against references doing the same work: CxImage::Resample
// on the sizes met most (a camera picture fitted to the screen, which takes the area path; a component
// picture enlarged with Lanczos, cubic and bilinear filters) against Pillow's resize with the same filter
// (its BOX filter for area reduction) and against QImage::scaled where Qt's smooth scaling does the same work
// (averaging when it reduces, bilinear when it enlarges); JPEG decoding and encoding of a 4000 x 3000
// photograph against libjpeg-turbo's own calls; and the simple writers against Pillow's and ImageMagick's
// writers of the same format (Qt's PPM writer for PNM). Every figure is the best of several runs of that one
// case, the sides taking turns; ratios are ours over the fastest like-for-like reference. Prints figures;
// never passes or fails.
//
// The references that are not part of the build come from Debian: apt-get install python3-pil imagemagick.
// A missing one is reported and left out.
#include "image/qt/ImageQt.h"
#include "image/xImage.h"
#include "image/xImageGIF.h"
#include "image/xMemFile.h"

#include <tiffio.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <functional>
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

// ---- References in other processes ----

constexpr int kRounds = 3;       // turns of each side
constexpr int kRunsPerRound = 5; // runs a side makes in its turn, its best kept

// Debian's Python, which has Pillow when python3-pil is installed.
QString Python() { return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3"); }

// Times Pillow in its own process on the picture in `path`: "resize W H FILTER" or "save FORMAT"; the best of
// the runs in ms, negative when Pillow is not there.
const char *const kPillowScript = R"(
import io, sys, time
from PIL import Image
op, path, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
im = Image.open(path)
im.load()
best = float('inf')
for _ in range(runs):
    t = time.perf_counter()
    if op == 'resize':
        im.resize((int(sys.argv[4]), int(sys.argv[5])), getattr(Image.Resampling, sys.argv[6]))
    else:
        im.save(io.BytesIO(), sys.argv[4])
    best = min(best, time.perf_counter() - t)
print(best * 1000)
)";

double RunForNumber(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    bool ok = false;
    const double value = QString::fromLatin1(process.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? value : -1;
}

double Pillow(const QStringList &operation, const QString &path)
{
    QStringList arguments{QStringLiteral("-c"), QLatin1String(kPillowScript), operation.first(), path,
                          QString::number(kRunsPerRound)};
    arguments += operation.mid(1);
    return RunForNumber(Python(), arguments);
}

// ImageMagick's time to write the picture in `path` as FORMAT, in ms: its own benchmark of reading and
// writing, less the same reading written nowhere. One thread, so that it does the same work as ours.
double MagickIterationMs(const QString &path, const QString &output)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MAGICK_THREAD_LIMIT"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("convert-im6.q16"),
                  {QStringLiteral("-bench"), QString::number(kRunsPerRound), path, output});
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    // "Performance[1]: 5i 10.221ips ..." for each thread count tried; the fastest iterations per second.
    double best = 0;
    static const QRegularExpression ips(QStringLiteral("([0-9.]+)ips"));
    const QString text = QString::fromLatin1(process.readAllStandardOutput() + process.readAllStandardError());
    for (auto it = ips.globalMatch(text); it.hasNext();)
        best = std::max(best, it.next().captured(1).toDouble());
    return best > 0 ? 1000.0 / best : -1;
}

double Magick(const QString &format, const QString &path)
{
    const double both = MagickIterationMs(path, format + QStringLiteral(":") + path + QStringLiteral(".out"));
    const double readOnly = MagickIterationMs(path, QStringLiteral("null:"));
    QFile::remove(path + QStringLiteral(".out"));
    return both < 0 || readOnly < 0 ? -1 : std::max(0.0, both - readOnly);
}

// The picture as a PPM (PGM for grey) file in the folder, for the references in other processes.
QString WriteNetpbm(const QTemporaryDir &dir, const QImage &image, const char *name)
{
    const bool grey = image.format() == QImage::Format_Grayscale8;
    const QString path = dir.filePath(QLatin1String(name) + (grey ? QStringLiteral(".pgm") : QStringLiteral(".ppm")));
    image.save(path, grey ? "PGM" : "PPM");
    return path;
}

struct Reference
{
    const char *name;
    double ms; // negative: not available
};

// One row: ours, each reference, and ours over the fastest reference that ran.
void PrintRows(const char *name, double ours, const std::vector<Reference> &references)
{
    std::printf("%-44s ours %8.2f ms", name, ours);
    double fastest = std::numeric_limits<double>::max();
    for (const Reference &r : references) {
        if (r.ms < 0) {
            std::printf("   %s n/a", r.name);
            continue;
        }
        std::printf("   %s %8.2f ms", r.name, r.ms);
        fastest = std::min(fastest, r.ms);
    }
    if (fastest < std::numeric_limits<double>::max())
        std::printf("   ratio %5.2f", ours / fastest);
    std::printf("\n");
}

// Turns of ours (best of kRunsPerRound) and of each reference in another process; the best of each.
template <class Ours>
std::vector<double> TakingTurns(Ours &&ours, const std::vector<std::function<double()>> &others, double &oursBest)
{
    std::vector<double> best(others.size(), -1);
    oursBest = std::numeric_limits<double>::max();
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < kRunsPerRound; ++i)
            oursBest = std::min(oursBest, Ms(ours));
        for (size_t k = 0; k < others.size(); ++k) {
            const double ms = others[k]();
            if (ms >= 0)
                best[k] = best[k] < 0 ? ms : std::min(best[k], ms);
        }
    }
    return best;
}

// qtAlike: Qt's smooth scaling does the same work (area averaging on reduction, bilinear on enlarging).
void CompareResample(const char *name, int width, int height, int newWidth, int newHeight, int mode,
                     const char *pillowFilter, bool qtAlike)
{
    CxImage source = Picture(width, height);
    const QImage qsource = toQImage(source).convertToFormat(QImage::Format_RGB888);
    QTemporaryDir dir;
    const QString path = WriteNetpbm(dir, qsource, "source");
    std::vector<std::function<double()>> others = {[&] {
        return Pillow({QStringLiteral("resize"), QString::number(newWidth), QString::number(newHeight),
                       QLatin1String(pillowFilter)},
                      path);
    }};
    double ours = 0;
    // The source stays as it is; the result goes into a fresh image, as the references make one.
    const std::vector<double> theirs = TakingTurns(
        [&] {
            CxImage target;
            source.Resample(newWidth, newHeight, mode, EdgeRepeat, &target);
        },
        others, ours);
    const std::string pillowName = std::string("Pillow ") + pillowFilter;
    std::vector<Reference> references = {{pillowName.c_str(), theirs[0]}};
    double qt = -1;
    if (qtAlike) {
        const QImage qsource32 = toQImage(source);
        qt = SideBySide(kRuns, [] {}, [&] {
                 QImage scaled = qsource32.scaled(newWidth, newHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                 (void)scaled;
             }).theirs;
        references.push_back({"QImage::scaled", qt});
    }
    PrintRows(name, ours, references);
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
// Each writer beside the references that write the same format: Qt and Pillow for PNM, Pillow and
// ImageMagick for PCX, ImageMagick for Sun raster.
void CompareEncode(const char *name, CxImage &image, uint32_t formatId, const QImage &qt, const char *qtFormat)
{
    QTemporaryDir dir;
    const QString path = WriteNetpbm(dir, qt, "picture");
    std::vector<std::function<double()>> others;
    std::vector<std::string> names;
    const auto pillow = [&](const char *format) {
        names.push_back(std::string("Pillow ") + format);
        others.push_back([&path, format] { return Pillow({QStringLiteral("save"), QLatin1String(format)}, path); });
    };
    const auto magick = [&](const char *format) {
        names.push_back(std::string("ImageMagick ") + format);
        others.push_back([&path, format] { return Magick(QLatin1String(format), path); });
    };
    if (formatId == ImageFormatPnm) {
        pillow("PPM");
    } else if (formatId == ImageFormatPcx) {
        pillow("PCX");
        magick("PCX");
    } else {
        magick("SUN");
    }
    double ours = 0;
    const std::vector<double> theirs = TakingTurns(
        [&] {
            CxMemFile file;
            file.Open();
            image.Encode(&file, formatId);
        },
        others, ours);
    std::vector<Reference> references;
    for (size_t k = 0; k < others.size(); ++k)
        references.push_back({names[k].c_str(), theirs[k]});
    double qtMs = -1;
    if (formatId == ImageFormatPnm) {
        qtMs = SideBySide(kRuns, [] {}, [&] {
                   QByteArray bytes;
                   QBuffer buffer(&bytes);
                   buffer.open(QIODevice::WriteOnly);
                   qt.save(&buffer, qtFormat);
               }).theirs;
        references.push_back({qtFormat[1] == 'p' ? "QImage::save ppm" : "QImage::save pgm", qtMs});
    }
    PrintRows(name, ours, references);
}

void CompareSimpleWriters()
{
    CxImage colour = Photo(2000, 1500);
    const QImage qtColour = toQImage(colour).convertToFormat(QImage::Format_RGB888);
    CxImage grey(colour);
    grey.GrayScale();
    const QImage qtGrey = toQImage(grey).convertToFormat(QImage::Format_Grayscale8);
    std::printf("Writing 2000x1500, best of %d turns of %d runs each\n", kRounds, kRunsPerRound);
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
        std::printf("Resampling, best of %d turns of %d runs each\n", kRounds, kRunsPerRound);
        CompareResample("4000x3000 -> 1008x560 (area path, mode 6)", 4000, 3000, 1008, 560, InterpolationLanczos,
                        "BOX", true);
        CompareResample("500x333 -> 1008x672 (Lanczos, mode 6)", 500, 333, 1008, 672, InterpolationLanczos, "LANCZOS",
                        false);
        CompareResample("2000x1500 -> 400x300 (area path, mode 6)", 2000, 1500, 400, 300, InterpolationLanczos, "BOX",
                        true);
        CompareResample("2000x1500 -> 600x450 (area path, mode 6)", 2000, 1500, 600, 450, InterpolationLanczos, "BOX",
                        true);
        CompareResample("500x333 -> 1008x672 (cubic, mode 5)", 500, 333, 1008, 672, InterpolationBicubic2, "BICUBIC",
                        false);
        CompareResample("500x333 -> 1008x672 (bilinear, mode 2)", 500, 333, 1008, 672, InterpolationBilinear,
                        "BILINEAR", true);
    }
    if (runs("jpeg"))
        CompareJpeg();
    if (runs("decode"))
        CompareGifTiff(5);
    if (runs("write"))
        CompareSimpleWriters();
    return 0;
}
