#include "CodecTestSupport.h"
#include "CodecFixtures.h"

#include "image/xImageTIF.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <tiffio.h>

#include <bit>
#include <functional>

using namespace codectest;

namespace {

// One page as libtiff itself writes it: the fixtures do not depend on our encoder.
struct Page
{
    uint32_t width = 2, height = 2;
    uint16_t samples = 1, bits = 8, photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t compression = COMPRESSION_NONE;
    uint32_t rowsPerStrip = 0;        // 0: the whole picture in one strip
    uint32_t tileWidth = 0, tileLength = 0;
    std::vector<uint8_t> data;        // rows top-down, each as libtiff's scan line
    std::function<void(TIFF *)> tags; // anything else
};

QByteArray WriteTiff(const std::vector<Page> &pages)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("fixture.tif");
    TIFF *tif = TIFFOpen(path.toLocal8Bit().constData(), "w");
    if (!tif)
        return {};
    for (const Page &p : pages) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, p.width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, p.height);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, p.samples);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, p.bits);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, p.photometric);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, p.compression);
        if (p.tags)
            p.tags(tif);
        if (p.tileWidth) {
            TIFFSetField(tif, TIFFTAG_TILEWIDTH, p.tileWidth);
            TIFFSetField(tif, TIFFTAG_TILELENGTH, p.tileLength);
            const tmsize_t tileSize = TIFFTileSize(tif);
            const size_t line = (size_t(p.width) * p.bits * p.samples + 7) / 8;
            const size_t tileRow = size_t(TIFFTileRowSize(tif));
            std::vector<uint8_t> tile(static_cast<size_t>(tileSize));
            for (uint32_t y = 0; y < p.height; y += p.tileLength)
                for (uint32_t x = 0; x < p.width; x += p.tileWidth) {
                    std::fill(tile.begin(), tile.end(), 0);
                    const size_t column = size_t(x) * p.bits * p.samples / 8;
                    for (uint32_t r = 0; r < p.tileLength && y + r < p.height; ++r)
                        std::memcpy(tile.data() + r * tileRow, p.data.data() + (y + r) * line + column,
                                    std::min(tileRow, line - column));
                    TIFFWriteTile(tif, tile.data(), x, y, 0, 0);
                }
        } else {
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, p.rowsPerStrip ? p.rowsPerStrip : p.height);
            const size_t line = size_t(TIFFScanlineSize(tif));
            std::vector<uint8_t> row(line);
            for (uint32_t y = 0; y < p.height; ++y) {
                std::memcpy(row.data(), p.data.data() + y * line, line);
                TIFFWriteScanline(tif, row.data(), y, 0);
            }
        }
        TIFFWriteDirectory(tif);
    }
    TIFFClose(tif);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// What libtiff's own tiffinfo says about a file.
QString TiffInfo(const QByteArray &bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("written.tif");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    file.close();
    QProcess tool;
    tool.start("tiffinfo", {path});
    tool.waitForFinished();
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

CxImage GreyRamp(int width, int height)
{
    CxImage image(uint32_t(width), uint32_t(height), 8);
    image.SetGrayPalette();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelIndex(x, y, uint8_t((x * 37 + y * 11) & 0xFF));
    return image;
}

} // namespace

// Guards paging: the frame index picks the directory, the frame count is the number of pages (even when
// the request fails), and a page past the end fails with its text.
TEST(CodecTif, FrameIndexPicksThePage)
{
    std::vector<Page> pages;
    for (uint32_t i = 0; i < 3; ++i) {
        Page p;
        p.width = 3 + i;
        p.height = 1;
        p.data.assign(p.width, uint8_t(40 * (i + 1)));
        pages.push_back(p);
    }
    const QByteArray file = WriteTiff(pages);
    for (int i = 0; i < 3; ++i) {
        CxImage image;
        image.SetFrame(i);
        ASSERT_TRUE(DecodeFrom(image, file, ImageFormatTif)) << image.GetErrorText();
        EXPECT_EQ(image.GetWidth(), 3 + i);
        EXPECT_EQ(image.GetPixelIndex(0, 0), 40 * (i + 1));
        EXPECT_EQ(image.GetFrameCount(), 3);
    }
    CxImage past;
    past.SetFrame(3);
    EXPECT_FALSE(DecodeFrom(past, file, ImageFormatTif));
    EXPECT_STREQ(past.GetErrorText(), "Error: page not present in TIFF file");
    EXPECT_EQ(past.GetFrameCount(), 3);

    CxImage sizeOnly;
    sizeOnly.SetEscape(-1);
    sizeOnly.SetFrame(2);
    ASSERT_TRUE(DecodeFrom(sizeOnly, file, ImageFormatTif));
    EXPECT_EQ(sizeOnly.GetWidth(), 5);
    EXPECT_STREQ(sizeOnly.GetErrorText(), "output dimensions returned");
}

// Guards the conversions of the row path: resolution units, min-is-white, 16-bit grey brought to full
// contrast on one scale for all rows, 4-bit, 2-bit and 16-bit colour maps, grey with alpha, and CIELab.
TEST(CodecTif, RowConversions)
{
    Page cm;
    cm.data = {0, 0, 0, 0};
    cm.tags = [](TIFF *tif) {
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_CENTIMETER);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 118.0);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 40.0);
    };
    CxImage centimetres;
    ASSERT_TRUE(DecodeFrom(centimetres, WriteTiff({cm}), ImageFormatTif));
    EXPECT_EQ(centimetres.GetHorizontalDpi(), 300);
    EXPECT_EQ(centimetres.GetVerticalDpi(), 102);
    Page absurd = cm;
    absurd.tags = [](TIFF *tif) {
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 1e9);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, -5.0);
    };
    CxImage damaged;
    ASSERT_TRUE(DecodeFrom(damaged, WriteTiff({absurd}), ImageFormatTif));
    EXPECT_EQ(damaged.GetHorizontalDpi(), 1000000);
    EXPECT_EQ(damaged.GetVerticalDpi(), 96);

    Page white;
    white.width = 8;
    white.height = 1;
    white.bits = 1;
    white.photometric = PHOTOMETRIC_MINISWHITE;
    white.data = {0x0F};
    CxImage minIsWhite;
    ASSERT_TRUE(DecodeFrom(minIsWhite, WriteTiff({white}), ImageFormatTif));
    EXPECT_EQ(minIsWhite.GetBpp(), 1);
    EXPECT_EQ(minIsWhite.GetPaletteColor(0), (RGBQUAD{255, 255, 255, 0}));
    EXPECT_EQ(minIsWhite.GetPixelColor(0, 0, false).rgbRed, 255);
    EXPECT_EQ(minIsWhite.GetPixelColor(7, 0, false).rgbRed, 0);

    // Three rows of 16-bit grey whose largest values are 4095, 1000 and 0.
    Page deep;
    deep.width = 3;
    deep.height = 3;
    deep.bits = 16;
    const uint16_t samples[9] = {4095, 2048, 16, 1000, 500, 0, 0, 0, 0};
    deep.data.resize(sizeof samples);
    std::memcpy(deep.data.data(), samples, sizeof samples);
    CxImage sixteen;
    ASSERT_TRUE(DecodeFrom(sixteen, WriteTiff({deep}), ImageFormatTif));
    EXPECT_EQ(sixteen.GetBpp(), 8);
    EXPECT_EQ(TopDown(sixteen, 0, 0).rgbRed, 255);
    EXPECT_EQ(TopDown(sixteen, 1, 0).rgbRed, 128);
    EXPECT_EQ(TopDown(sixteen, 2, 0).rgbRed, 1);
    EXPECT_EQ(TopDown(sixteen, 0, 1).rgbRed, 1000 >> 4);
    EXPECT_EQ(TopDown(sixteen, 1, 1).rgbRed, 500 >> 4);

    const auto colourMap = [](int entries, bool wide) {
        return [entries, wide](TIFF *tif) {
            std::vector<uint16_t> r(static_cast<size_t>(entries)), g(r), b(r);
            for (int i = 0; i < entries; ++i) {
                r[size_t(i)] = uint16_t(wide ? i * 4369 : i * 17);
                g[size_t(i)] = uint16_t(wide ? 65535 - i * 4369 : 255 - i * 17);
                b[size_t(i)] = wide ? 65535 : 255;
            }
            TIFFSetField(tif, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
        };
    };
    Page four;
    four.width = 2;
    four.height = 1;
    four.bits = 4;
    four.photometric = PHOTOMETRIC_PALETTE;
    four.data = {0x3F};
    four.tags = colourMap(16, true);
    CxImage paletted;
    ASSERT_TRUE(DecodeFrom(paletted, WriteTiff({four}), ImageFormatTif));
    EXPECT_EQ(paletted.GetBpp(), 4);
    EXPECT_EQ(paletted.GetPixelColor(0, 0, false), (RGBQUAD{255, 204, 51, 0}));
    EXPECT_EQ(paletted.GetPixelColor(1, 0, false), (RGBQUAD{255, 0, 255, 0}));

    Page two = four;
    two.bits = 2;
    two.data = {0x6C};
    two.width = 4;
    two.tags = colourMap(4, false);
    CxImage twoBits;
    ASSERT_TRUE(DecodeFrom(twoBits, WriteTiff({two}), ImageFormatTif));
    EXPECT_EQ(twoBits.GetBpp(), 8);
    EXPECT_EQ(twoBits.GetPixelColor(1, 0, false), (RGBQUAD{255, 221, 34, 0}));
    EXPECT_EQ(twoBits.GetPixelColor(2, 0, false), (RGBQUAD{255, 204, 51, 0}));

    Page greyAlpha;
    greyAlpha.width = 2;
    greyAlpha.height = 1;
    greyAlpha.samples = 2;
    greyAlpha.data = {10, 200, 90, 30};
    greyAlpha.tags = [](TIFF *tif) {
        const uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    };
    CxImage withAlpha;
    ASSERT_TRUE(DecodeFrom(withAlpha, WriteTiff({greyAlpha}), ImageFormatTif));
    EXPECT_EQ(withAlpha.GetPixelIndex(1, 0), 90);
    EXPECT_EQ(withAlpha.AlphaGet(0, 0), 200);
    EXPECT_EQ(withAlpha.AlphaGet(1, 0), 30);

    Page lab;
    lab.width = 2;
    lab.height = 1;
    lab.samples = 3;
    lab.photometric = PHOTOMETRIC_CIELAB;
    lab.data = {255, 0, 0, 0, 0, 0};
    CxImage cielab;
    ASSERT_TRUE(DecodeFrom(cielab, WriteTiff({lab}), ImageFormatTif));
    EXPECT_EQ(cielab.GetBpp(), 24);
    EXPECT_EQ(cielab.GetPixelColor(0, 0, false), (RGBQUAD{254, 254, 255, 0}));
    EXPECT_LE(cielab.GetPixelColor(1, 0, false).rgbRed, 8);
}

namespace {

// Samples of `bits` bits as libtiff's scan line holds them: packed from the most significant bit, or whole
// words in host order at 16, 24 and 32 bits.
std::vector<uint8_t> PackSamples(const std::vector<uint32_t> &values, int bits)
{
    std::vector<uint8_t> out;
    if (bits == 16 || bits == 24 || bits == 32) {
        for (uint32_t v : values) {
            uint8_t word[4];
            std::memcpy(word, &v, 4); // the test runs on a little-endian host, as the reader's words are
            out.insert(out.end(), word, word + bits / 8);
        }
        return out;
    }
    out.assign((values.size() * size_t(bits) + 7) / 8, 0);
    for (size_t i = 0; i < values.size(); ++i)
        for (int b = 0; b < bits; ++b)
            if ((values[i] >> (bits - 1 - b)) & 1) {
                const size_t bit = i * size_t(bits) + size_t(b);
                out[bit / 8] |= uint8_t(0x80 >> (bit % 8));
            }
    return out;
}

} // namespace

// Guards grey at the depths between the byte sizes, both ways round: min-is-black and min-is-white at 3,
// 5, 6, 7, 10, 12, 14 and 24 bits give the level of each sample (the top of its range white, or black when
// min-is-white), where 24-bit samples were read with their bytes reversed and the small depths' ramps
// stopped short of white.
TEST(CodecTif, GreyAtEveryDepthBothWaysRound)
{
    static_assert(std::endian::native == std::endian::little, "the packed fixtures assume a little-endian host");
    for (int bits : {3, 5, 6, 7, 10, 12, 14, 24}) {
        for (uint16_t photometric : {PHOTOMETRIC_MINISBLACK, PHOTOMETRIC_MINISWHITE}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, photometric " << photometric);
            const uint32_t top = (uint32_t(1) << bits) - 1;
            // Values whose bytes differ, so that a reversed word shows.
            const std::vector<uint32_t> values = {0, top, uint32_t(0x123456 & top), uint32_t(0xC08041 & top)};
            Page page;
            page.width = 4;
            page.height = 1;
            page.bits = uint16_t(bits);
            page.photometric = photometric;
            page.data = PackSamples(values, bits);
            CxImage image;
            ASSERT_TRUE(DecodeFrom(image, WriteTiff({page}), ImageFormatTif)) << image.GetErrorText();
            for (int x = 0; x < 4; ++x) {
                const double level = double(values[size_t(x)]) * 255.0 / top;
                const double expected = photometric == PHOTOMETRIC_MINISWHITE ? 255.0 - level : level;
                EXPECT_NEAR(image.GetPixelColor(x, 0, false).rgbRed, expected, 1.0) << "x " << x;
            }
        }
    }
}

// Guards samples that are not unsigned integers: 32-bit floating-point grey from 0 to 1 (out-of-range and
// NaN values clamped), and signed 8- and 16-bit grey from least to largest; colour in those forms is
// refused with a message instead of decoding to noise.
TEST(CodecTif, FloatingPointAndSignedSamples)
{
    const auto format = [](uint16_t f) { return [f](TIFF *tif) { TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, f); }; };
    const float floats[5] = {0.0f, 1.0f, 0.5f, 2.0f, -1.0f};
    const int8_t bytes[5] = {-128, 127, 0, -1, 64};
    const int16_t words[5] = {-32768, 32767, 0, -256, 16384};
    const struct { const char *name; uint16_t bits; const void *data; size_t size; uint8_t expected[5]; } cases[] = {
        {"float", 32, floats, sizeof floats, {0, 255, 128, 255, 0}},
        {"signed 8", 8, bytes, sizeof bytes, {0, 255, 128, 127, 192}},
        {"signed 16", 16, words, sizeof words, {0, 255, 128, 127, 192}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page page;
        page.width = 5;
        page.height = 1;
        page.bits = c.bits;
        page.data.assign(static_cast<const uint8_t *>(c.data), static_cast<const uint8_t *>(c.data) + c.size);
        page.tags = format(c.bits == 32 ? SAMPLEFORMAT_IEEEFP : SAMPLEFORMAT_INT);
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, WriteTiff({page}), ImageFormatTif)) << image.GetErrorText();
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.GetPixelColor(x, 0, false).rgbRed, c.expected[x]) << "x " << x;
    }

    const struct { const char *name; uint16_t sampleFormat; const char *text; } refused[] = {
        {"float colour", SAMPLEFORMAT_IEEEFP, "Floating-point TIFF samples are supported for 32-bit grey only"},
        {"signed colour", SAMPLEFORMAT_INT, "Signed TIFF samples are supported for 8-, 16- and 32-bit grey only"},
    };
    for (const auto &r : refused) {
        SCOPED_TRACE(r.name);
        Page colour;
        colour.width = 1;
        colour.height = 1;
        colour.samples = 3;
        colour.bits = r.sampleFormat == SAMPLEFORMAT_IEEEFP ? 32 : 8;
        colour.photometric = PHOTOMETRIC_RGB;
        colour.data.assign(size_t(colour.bits / 8) * 3, 0);
        colour.tags = format(r.sampleFormat);
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, WriteTiff({colour}), ImageFormatTif));
        EXPECT_STREQ(image.GetErrorText(), r.text);
    }
}

// Guards log-luminance pictures (LogL and LogLuv, as HDR tools write them): their samples are signed or
// floating-point whichever data format they were written in, and they used to be refused for it; the
// library's RGBA path turns every form into 8-bit colour (grey as the square root of the luminance).
TEST(CodecTif, LogLuminancePicturesReadThroughTheRgbaPath)
{
    const auto logTags = [](int dataFormat) {
        return [dataFormat](TIFF *tif) { TIFFSetField(tif, TIFFTAG_SGILOGDATAFMT, dataFormat); };
    };
    const auto bytesOf = [](const auto &values) {
        const auto *p = reinterpret_cast<const uint8_t *>(values.data());
        return std::vector<uint8_t>(p, p + values.size() * sizeof(values[0]));
    };
    // Black, a quarter of full luminance (grey 128), full luminance (white).
    const std::vector<float> luminance = {0.0f, 0.25f, 1.0f};
    // L = 256 (log2 Y + 64) as stored with the 16-bit data format.
    const std::vector<int16_t> logWords = {0, 15872, 16384};
    // D65 grey of a quarter luminance, and the XYZ of full red. The library's conversion to RGB has a white
    // a little bluer than D65: its grey shows a little less red, its red a little less than full.
    const std::vector<float> xyz = {0.2376f, 0.25f, 0.2723f, 0.4124f, 0.2126f, 0.0193f, 0.0f, 0.0f, 0.0f};
    struct Case { const char *name; uint16_t photometric, compression, samples, bits; int dataFormat;
                  std::vector<uint8_t> data; std::vector<RGBQUAD> expected; };
    const std::vector<RGBQUAD> greys = {Rgb(0, 0, 0), Rgb(128, 128, 128), Rgb(255, 255, 255)};
    const std::vector<Case> cases = {
        {"LogL from floats", PHOTOMETRIC_LOGL, COMPRESSION_SGILOG, 1, 32, SGILOGDATAFMT_FLOAT, bytesOf(luminance), greys},
        {"LogL from signed words", PHOTOMETRIC_LOGL, COMPRESSION_SGILOG, 1, 16, SGILOGDATAFMT_16BIT, bytesOf(logWords),
         greys},
        {"LogLuv 32", PHOTOMETRIC_LOGLUV, COMPRESSION_SGILOG, 3, 32, SGILOGDATAFMT_FLOAT, bytesOf(xyz),
         {Rgb(117, 128, 128), Rgb(233, 0, 0), Rgb(0, 0, 0)}},
        {"LogLuv 24", PHOTOMETRIC_LOGLUV, COMPRESSION_SGILOG24, 3, 32, SGILOGDATAFMT_FLOAT, bytesOf(xyz),
         {Rgb(117, 128, 128), Rgb(233, 0, 0), Rgb(0, 0, 0)}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Page page;
        page.width = 3;
        page.height = 1;
        page.samples = c.samples;
        page.bits = c.bits;
        page.photometric = c.photometric;
        page.compression = c.compression;
        page.data = c.data;
        page.tags = logTags(c.dataFormat);
        const QByteArray file = WriteTiff({page});
        ASSERT_FALSE(file.isEmpty());
        for (const uint32_t format : {uint32_t(ImageFormatTif), uint32_t(ImageFormatNone)}) {
            CxImage image;
            ASSERT_TRUE(DecodeFrom(image, file, format)) << image.GetErrorText();
            ASSERT_EQ(image.GetWidth(), 3);
            for (int x = 0; x < 3; ++x) {
                const RGBQUAD got = image.GetPixelColor(x, 0, false);
                const RGBQUAD &want = c.expected[size_t(x)];
                // The log encodings keep about 0.3 % of the luminance: a step or two of the 8-bit result.
                EXPECT_NEAR(got.rgbRed, want.rgbRed, 8) << "x " << x;
                EXPECT_NEAR(got.rgbGreen, want.rgbGreen, 8) << "x " << x;
                EXPECT_NEAR(got.rgbBlue, want.rgbBlue, 8) << "x " << x;
            }
        }
    }
}

// Guards the orientation tag: each of the eight stored orders turns into the picture as seen. Orientation
// 6 stores the picture turned a quarter to the left, so it is turned back to the right.
TEST(CodecTif, OrientationTurnsToTheSeenPicture)
{
    const uint32_t width = 3, height = 2;
    auto stored = [](uint32_t r, uint32_t c) { return uint8_t(20 * (r * 3 + c + 1)); };
    for (uint16_t orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(testing::Message() << "orientation " << orientation);
        Page p;
        p.width = width;
        p.height = height;
        for (uint32_t r = 0; r < height; ++r)
            for (uint32_t c = 0; c < width; ++c)
                p.data.push_back(stored(r, c));
        p.tags = [orientation](TIFF *tif) { TIFFSetField(tif, TIFFTAG_ORIENTATION, orientation); };
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, WriteTiff({p}), ImageFormatTif));
        const bool turned = orientation >= 5;
        ASSERT_EQ(image.GetWidth(), int(turned ? height : width));
        for (uint32_t r = 0; r < height; ++r) {
            for (uint32_t c = 0; c < width; ++c) {
                // Where stored row r, column c is seen, as the tag defines it.
                uint32_t x = c, y = r;
                switch (orientation) {
                case 2: x = width - 1 - c; break;
                case 3: x = width - 1 - c; y = height - 1 - r; break;
                case 4: y = height - 1 - r; break;
                case 5: x = r; y = c; break;
                case 6: x = height - 1 - r; y = c; break;
                case 7: x = height - 1 - r; y = width - 1 - c; break;
                case 8: x = r; y = width - 1 - c; break;
                default: break;
                }
                EXPECT_EQ(TopDown(image, int(x), int(y)).rgbRed, stored(r, c)) << "stored " << r << "," << c;
            }
        }
    }
}

// Guards tiles and strips: tiles cut at the right and bottom edges, several strips, and a strip that
// cannot be read ending the picture with the rows read so far kept and the rest blank.
TEST(CodecTif, TilesStripsAndBrokenStrips)
{
    Page tiled;
    tiled.width = 20;
    tiled.height = 18;
    tiled.tileWidth = 16;
    tiled.tileLength = 16;
    tiled.compression = COMPRESSION_LZW;
    for (uint32_t y = 0; y < 18; ++y)
        for (uint32_t x = 0; x < 20; ++x)
            tiled.data.push_back(uint8_t(x * 10 + y));
    CxImage tiles;
    ASSERT_TRUE(DecodeFrom(tiles, WriteTiff({tiled}), ImageFormatTif)) << tiles.GetErrorText();
    EXPECT_EQ(tiles.GetCodecOption(ImageFormatTif), uint32_t(COMPRESSION_LZW));
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(TopDown(tiles, x, y).rgbRed, x * 10 + y) << x << "," << y;

    Page strips = tiled;
    strips.tileWidth = strips.tileLength = 0;
    strips.rowsPerStrip = 5;
    CxImage striped;
    const QByteArray stripFile = WriteTiff({strips});
    ASSERT_TRUE(DecodeFrom(striped, stripFile, ImageFormatTif));
    EXPECT_EQ(MaxDifference(toQImage(striped), toQImage(tiles)), 0);

    // Point the third strip past the end of the file.
    QByteArray broken = stripFile;
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("s.tif"));
        f.open(QIODevice::WriteOnly);
        f.write(stripFile);
        f.close();
        TIFF *tif = TIFFOpen(f.fileName().toLocal8Bit().constData(), "r");
        ASSERT_NE(tif, nullptr);
        uint64_t *stripOffsets = nullptr;
        ASSERT_TRUE(TIFFGetField(tif, TIFFTAG_STRIPOFFSETS, &stripOffsets));
        const uint32_t third = uint32_t(stripOffsets[2]);
        TIFFClose(tif);
        const QByteArray needle(reinterpret_cast<const char *>(&third), 4);
        const qsizetype at = broken.lastIndexOf(needle);
        ASSERT_GT(at, 0);
        const uint32_t far = 0x7FFFFFF0;
        broken.replace(at, 4, QByteArray(reinterpret_cast<const char *>(&far), 4));
    }
    CxImage partial;
    ASSERT_TRUE(DecodeFrom(partial, broken, ImageFormatTif)) << partial.GetErrorText();
    EXPECT_EQ(TopDown(partial, 3, 9).rgbRed, 39) << "second strip kept";
    EXPECT_EQ(TopDown(partial, 3, 10).rgbRed, 0) << "third strip blank";
    EXPECT_EQ(TopDown(partial, 3, 17).rgbRed, 0) << "fourth strip blank";
}

// Guards the writer's choices against libtiff's own reading of the file: min-is-white 1-bit pages (the
// picture swapped and inverted but looking the same), JPEG strips in multiples of 8 rows for colour,
// LZW with the horizontal predictor for grey, the colour map, and the compression a loaded file had.
TEST(CodecTif, WrittenTagsAsTiffinfoReadsThem)
{
    CxImage bilevel(9, 3, 1);
    bilevel.SetPaletteColor(0, 0, 0, 0);
    bilevel.SetPaletteColor(1, 255, 255, 255);
    bilevel.SetPixelIndex(2, 1, 1);
    const QImage before = toQImage(bilevel);
    bool ok = false;
    const QByteArray bilevelFile = EncodeTo(bilevel, ImageFormatTif, &ok);
    ASSERT_TRUE(ok) << bilevel.GetErrorText();
    EXPECT_EQ(bilevel.GetPaletteColor(0).rgbRed, 255) << "entries exchanged";
    EXPECT_EQ(bilevel.GetPixelIndex(2, 1), 0) << "bits inverted";
    EXPECT_EQ(MaxDifference(toQImage(bilevel), before), 0);
    QString info = TiffInfo(bilevelFile);
    EXPECT_TRUE(info.contains("Photometric Interpretation: min-is-white")) << info.toStdString();
    EXPECT_TRUE(info.contains("Compression Scheme: CCITT Group 4")) << info.toStdString();
    CxImage bilevelBack;
    ASSERT_TRUE(DecodeFrom(bilevelBack, bilevelFile, ImageFormatTif));
    EXPECT_EQ(MaxDifference(toQImage(bilevelBack), before), 0);
    EXPECT_EQ(MaxDifference(QtRead(bilevelFile, "tiff"), before), 0);

    CxImage colour = ColourCard(40, 30, false);
    const QByteArray jpegFile = EncodeTo(colour, ImageFormatTif, &ok);
    ASSERT_TRUE(ok) << colour.GetErrorText();
    info = TiffInfo(jpegFile);
    EXPECT_TRUE(info.contains("Compression Scheme: JPEG")) << info.toStdString();
    const qsizetype rowsAt = info.indexOf("Rows/Strip: ");
    ASSERT_NE(rowsAt, -1);
    EXPECT_EQ(info.mid(rowsAt + 12).section('\n', 0, 0).toInt() % 8, 0);
    CxImage jpegBack;
    ASSERT_TRUE(DecodeFrom(jpegBack, jpegFile, ImageFormatTif));
    EXPECT_LE(MaxDifference(toQImage(jpegBack), toQImage(colour)), 40);
    EXPECT_EQ(jpegBack.GetCodecOption(ImageFormatTif), uint32_t(COMPRESSION_JPEG));

    CxImage grey = GreyRamp(17, 5);
    const QByteArray greyFile = EncodeTo(grey, ImageFormatTif, &ok);
    ASSERT_TRUE(ok);
    info = TiffInfo(greyFile);
    EXPECT_TRUE(info.contains("Compression Scheme: LZW")) << info.toStdString();
    EXPECT_TRUE(info.contains("Predictor: horizontal differencing")) << info.toStdString();
    EXPECT_TRUE(info.contains("Photometric Interpretation: min-is-black")) << info.toStdString();
    EXPECT_TRUE(info.contains("Resolution: 96, 96 pixels/inch")) << info.toStdString();
    EXPECT_EQ(MaxDifference(QtRead(greyFile, "tiff"), toQImage(grey)), 0);
    CxImage greyBack;
    ASSERT_TRUE(DecodeFrom(greyBack, greyFile, ImageFormatTif));
    EXPECT_EQ(MaxDifference(toQImage(greyBack), toQImage(grey)), 0);
    EXPECT_EQ(greyBack.GetCodecOption(ImageFormatTif), uint32_t(COMPRESSION_LZW));

    CxImage palette = PaletteImage(11, 4, 8, 3);
    const QByteArray paletteFile = EncodeTo(palette, ImageFormatTif, &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(TiffInfo(paletteFile).contains("Photometric Interpretation: palette color"));
    EXPECT_EQ(MaxDifference(QtRead(paletteFile, "tiff"), toQImage(palette)), 0);

    // A colour picture loaded from an LZW file is saved as LZW again (and keeps its alpha exactly).
    CxImage card = ColourCard(23, 9, true);
    card.SetCodecOption(COMPRESSION_LZW, ImageFormatTif);
    const QByteArray lzwFile = EncodeTo(card, ImageFormatTif, &ok);
    ASSERT_TRUE(ok);
    CxImage lzwBack;
    ASSERT_TRUE(DecodeFrom(lzwBack, lzwFile, ImageFormatTif));
    EXPECT_EQ(lzwBack.GetCodecOption(ImageFormatTif), uint32_t(COMPRESSION_LZW));
    // Colours come back through premultiplied values: what is shown is the same.
    EXPECT_LE(MaxPremultipliedDifference(toQImage(lzwBack), toQImage(card)), 1);
    const QByteArray again = EncodeTo(lzwBack, ImageFormatTif, &ok);
    info = TiffInfo(again);
    EXPECT_TRUE(info.contains("Compression Scheme: LZW")) << info.toStdString();
    EXPECT_TRUE(info.contains("Extra Samples: 1<unassoc-alpha>")) << info.toStdString();
    EXPECT_LE(MaxPremultipliedDifference(QtRead(again, "tiff"), toQImage(card)), 1);

    // A fax compression asked of a colour page falls back to what the depth allows.
    CxImage faxColour = ColourCard(5, 5, false);
    faxColour.SetCodecOption(COMPRESSION_CCITTFAX4, ImageFormatTif);
    EncodeTo(faxColour, ImageFormatTif, &ok);
    EXPECT_TRUE(ok) << faxColour.GetErrorText();
}

// Guards multi-page writing: pages appended one call at a time carry the page tags, and libtiff and our
// reader see every page.
TEST(CodecTif, AppendedPages)
{
    CxImage pages[3] = {GreyRamp(5, 4), PaletteImage(6, 2, 8), GreyRamp(7, 3)};
    CxMemFile out;
    out.Open();
    CxImageTIF writer;
    for (int i = 0; i < 3; ++i) {
        writer.MakeAlias(&pages[i]);
        ASSERT_TRUE(writer.Encode(&out, i < 2)) << writer.GetErrorText();
    }
    const QByteArray file(reinterpret_cast<const char *>(out.GetBuffer(false)), qsizetype(out.Size()));
    const QString info = TiffInfo(file);
    EXPECT_EQ(info.count("TIFF Directory at offset"), 3) << info.toStdString();
    EXPECT_TRUE(info.contains("Page Number: 2-2")) << info.toStdString();
    EXPECT_TRUE(info.contains("PageName: Page 3")) << info.toStdString();
    EXPECT_TRUE(info.contains("Subfile Type: multi-page document")) << info.toStdString();
    for (int i = 0; i < 3; ++i) {
        CxImage page;
        page.SetFrame(i);
        ASSERT_TRUE(DecodeFrom(page, file, ImageFormatTif));
        EXPECT_EQ(page.GetFrameCount(), 3);
        EXPECT_EQ(MaxDifference(toQImage(page), toQImage(pages[i])), 0) << "page " << i;
    }
}

// Guards files that Qt writes: read as Qt reads them.
TEST(CodecTif, ReadsQtFiles)
{
    const QImage card = TestCard(31, 13, true);
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, QtWrite(card, "tiff"), ImageFormatTif)) << image.GetErrorText();
    EXPECT_LE(MaxPremultipliedDifference(toQImage(image), card), 1);
    QImage indexed = TestCard(31, 13, false).convertToFormat(QImage::Format_Indexed8);
    CxImage fromIndexed;
    ASSERT_TRUE(DecodeFrom(fromIndexed, QtWrite(indexed, "tiff"), ImageFormatTif));
    EXPECT_EQ(MaxDifference(toQImage(fromIndexed), indexed), 0);
}

// Guards damaged files: never a crash, always a text.
TEST(CodecTif, DamagedFilesFail)
{
    Page p;
    p.width = 30;
    p.height = 30;
    p.data.assign(900, 7);
    p.compression = COMPRESSION_LZW;
    const QByteArray whole = WriteTiff({p});
    for (qsizetype cut : {qsizetype(0), qsizetype(4), qsizetype(8), whole.size() / 2, whole.size() - 10}) {
        CxImage image;
        if (!DecodeFrom(image, whole.left(cut), ImageFormatTif)) {
            EXPECT_STRNE(image.GetErrorText(), "") << "cut at " << cut;
        }
    }
    CxImage notTiff;
    EXPECT_FALSE(DecodeFrom(notTiff, QByteArray("II*\0garbage", 11), ImageFormatTif));
    EXPECT_STREQ(notTiff.GetErrorText(), "Error encountered while opening TIFF file");
}
