#include "CodecTestSupport.h"

#include "image/xImageBMP.h"

#include <gtest/gtest.h>

using namespace codectest;

namespace {

struct Dib
{
    uint32_t headerSize = 40;
    int32_t width = 1, height = 1;
    int bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    std::string afterHeader; // masks or palette
    std::string pixels;
};

std::string InfoHeader(const Dib &d)
{
    std::string h = Le32(d.headerSize) + Le32(uint32_t(d.width)) + Le32(uint32_t(d.height)) + Le16(1) +
                    Le16(d.bitCount) + Le32(d.compression) + Le32(d.sizeImage) + Le32(3780) + Le32(11811) +
                    Le32(d.colorsUsed) + Le32(0);
    h.resize(std::max<size_t>(h.size(), d.headerSize), '\0');
    return h;
}

// A bitmap file, its bits right after header, masks and palette.
QByteArray BmpFile(const Dib &d, bool withFileHeader = true)
{
    const std::string dib = InfoHeader(d) + d.afterHeader;
    std::string out;
    if (withFileHeader)
        out = "BM" + Le32(uint32_t(14 + dib.size() + d.pixels.size())) + Le32(0) + Le32(uint32_t(14 + dib.size()));
    out += dib + d.pixels;
    return QByteArray(out.data(), qsizetype(out.size()));
}

std::string GreyPalette(int entries)
{
    std::string p;
    for (int i = 0; i < entries; ++i)
        p += Bytes({i, i, i, 0});
    return p;
}

RGBQUAD Rgb(int r, int g, int b)
{
    return RGBQUAD{uint8_t(b), uint8_t(g), uint8_t(r), 0};
}

} // namespace

// Guards the header variants: a bare DIB, core headers with 3-byte palettes, top-down rows, and the
// resolution taken from pixels per metre.
TEST(CodecBmp, HeaderVariants)
{
    CxImage source = PaletteImage(7, 3, 8, 3);
    bool ok = false;
    const QByteArray file = EncodeTo(source, ImageFormatBmp, &ok);
    ASSERT_TRUE(ok);
    CxImage bare;
    ASSERT_TRUE(DecodeFrom(bare, file.mid(14), ImageFormatBmp)) << bare.GetErrorText();
    EXPECT_EQ(MaxDifference(toQImage(bare), toQImage(source)), 0);

    // Core header: 12 bytes, 16-bit fields, 3-byte palette entries.
    const std::string core = Le32(12) + Le16(2) + Le16(1) + Le16(1) + Le16(1) + Bytes({0, 0, 255, 0, 255, 0}) +
                             Bytes({0x40, 0, 0, 0});
    CxImage coreImage;
    ASSERT_TRUE(DecodeFrom(coreImage, QByteArray(core.data(), qsizetype(core.size())), ImageFormatBmp));
    EXPECT_EQ(coreImage.GetPixelColor(0, 0, false), Rgb(255, 0, 0));
    EXPECT_EQ(coreImage.GetPixelColor(1, 0, false), Rgb(0, 255, 0));

    Dib topDown;
    topDown.width = 1;
    topDown.height = -2;
    topDown.pixels = Bytes({1, 2, 3, 0, 4, 5, 6, 0}); // top row first
    CxImage upright;
    ASSERT_TRUE(DecodeFrom(upright, BmpFile(topDown), ImageFormatBmp));
    EXPECT_EQ(upright.GetHeight(), 2);
    EXPECT_EQ(upright.GetPixelColor(0, 1, false), Rgb(3, 2, 1));
    EXPECT_EQ(upright.GetPixelColor(0, 0, false), Rgb(6, 5, 4));
    EXPECT_EQ(upright.GetHorizontalDpi(), 96);
    EXPECT_EQ(upright.GetVerticalDpi(), 300);

    CxImage sizeOnly;
    sizeOnly.SetEscape(-1);
    EXPECT_TRUE(DecodeFrom(sizeOnly, BmpFile(topDown), ImageFormatBmp));
    EXPECT_EQ(sizeOnly.GetHeight(), 2);
    EXPECT_STREQ(sizeOnly.GetErrorText(), "output dimensions returned");
}

// Guards the 32-bit alpha rule: all-zero fourth bytes mean opaque, any non-zero byte makes them alpha.
TEST(CodecBmp, ThirtyTwoBitAlpha)
{
    Dib d;
    d.width = 2;
    d.bitCount = 32;
    d.pixels = Bytes({10, 20, 30, 0, 40, 50, 60, 0});
    CxImage opaque;
    ASSERT_TRUE(DecodeFrom(opaque, BmpFile(d), ImageFormatBmp));
    EXPECT_EQ(opaque.AlphaGet(0, 0), 255);
    EXPECT_EQ(opaque.AlphaGet(1, 0), 255);
    EXPECT_EQ(opaque.GetPixelColor(1, 0, false), Rgb(60, 50, 40));

    d.pixels = Bytes({10, 20, 30, 0, 40, 50, 60, 128});
    CxImage soft;
    ASSERT_TRUE(DecodeFrom(soft, BmpFile(d), ImageFormatBmp));
    EXPECT_EQ(soft.AlphaGet(0, 0), 0);
    EXPECT_EQ(soft.AlphaGet(1, 0), 128);

    // Written back, the alpha plane makes a 32-bit file again.
    bool ok = false;
    const QByteArray written = EncodeTo(soft, ImageFormatBmp, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(uint8_t(written[28]), 32);
    CxImage again;
    ASSERT_TRUE(DecodeFrom(again, written, ImageFormatBmp));
    EXPECT_EQ(again.AlphaGet(1, 0), 128);
}

// Guards bit-field pixels: masks from a V5 header, the 5-5-5 default, and odd masks that must give
// sensible values instead of undefined shifts.
TEST(CodecBmp, BitFields)
{
    struct Case
    {
        const char *name;
        uint32_t headerSize;
        int bitCount;
        uint32_t compression;
        std::string masks; // after the 40 header bytes, or inside a V5 header
        std::string pixel;
        RGBQUAD expected;
    } cases[] = {
        {"V5 5-6-5", 124, 16, 3, Le32(0xF800) + Le32(0x07E0) + Le32(0x001F), Le16(0xF800 | 0x0020 | 0x0001), Rgb(248, 4, 8)},
        {"default 5-5-5", 40, 16, 0, "", Le16(0x7C00 | 0x0020 | 0x001F), Rgb(248, 8, 248)},
        {"4-4-4", 40, 16, 3, Le32(0x0F00) + Le32(0x00F0) + Le32(0x000F), Le16(0x0F5A), Rgb(240, 80, 160)},
        {"no green mask", 40, 16, 3, Le32(0xF800) + Le32(0) + Le32(0x001F), Le16(0xFFFF), Rgb(248, 0, 248)},
        {"one-bit masks", 40, 16, 3, Le32(0x8000) + Le32(0x4000) + Le32(0x0001), Le16(0x8001), Rgb(128, 0, 128)},
        {"32-bit 10-10-10", 40, 32, 3, Le32(0x3FF00000) + Le32(0x000FFC00) + Le32(0x000003FF),
         Le32((0x3FFu << 20) | (0x200u << 10) | 0x004u), Rgb(255, 128, 1)},
        {"32-bit V5 masks", 124, 32, 3, Le32(0x0000FF00) + Le32(0x00FF0000) + Le32(0xFF000000),
         Le32(0x11223344), Rgb(0x33, 0x22, 0x11)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Dib d;
        d.headerSize = c.headerSize;
        d.bitCount = c.bitCount;
        d.compression = c.compression;
        d.sizeImage = 4;
        std::string pixel = c.pixel;
        pixel.resize(4, '\0');
        d.pixels = pixel;
        QByteArray file;
        if (c.headerSize == 124) {
            std::string header = InfoHeader(d);
            header.replace(40, c.masks.size(), c.masks);
            std::string out = "BM" + Le32(0) + Le32(0) + Le32(uint32_t(14 + header.size())) + header + d.pixels;
            file = QByteArray(out.data(), qsizetype(out.size()));
        } else {
            d.afterHeader = c.masks;
            file = BmpFile(d);
        }
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, file, ImageFormatBmp)) << image.GetErrorText();
        EXPECT_EQ(image.GetPixelColor(0, 0, false), c.expected);
    }
}

// Guards the header checks that protect the heap: a V5 header with a colour count, palette counts
// beyond what a byte can index, negative widths and dimensions whose product overflows.
TEST(CodecBmp, HostileHeadersAreRefused)
{
    Dib v5;
    v5.headerSize = 124;
    v5.bitCount = 8;
    v5.sizeImage = 4;
    v5.colorsUsed = 5;
    v5.afterHeader = GreyPalette(5);
    v5.pixels = std::string(4, '\1');

    Dib manyColours;
    manyColours.bitCount = 8;
    manyColours.colorsUsed = 1000;
    manyColours.afterHeader = GreyPalette(1000);
    manyColours.pixels = std::string(4, '\1');

    Dib negativeWidth;
    negativeWidth.width = -4;

    Dib huge;
    huge.width = 0x10000;
    huge.height = 0x10000;
    huge.bitCount = 8;

    Dib oddDepth;
    oddDepth.bitCount = 2;

    struct Case
    {
        const char *name;
        Dib dib;
        const char *text;
    } cases[] = {
        {"V5 with a colour count", v5, "Error reading BMP info"},
        {"1000 palette entries", manyColours, "Error reading BMP info"},
        {"negative width", negativeWidth, "Error reading BMP info"},
        {"2 bits per pixel", oddDepth, "Error reading BMP info"},
        {"65536 x 65536", huge, "CXIMAGE_MAX_MEMORY exceeded"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, BmpFile(c.dib), ImageFormatBmp));
        EXPECT_STREQ(image.GetErrorText(), c.text);
    }

    // More entries than the depth holds, but no more than 256: read past, the first ones kept.
    Dib wide;
    wide.bitCount = 1;
    wide.width = 8;
    wide.colorsUsed = 256;
    wide.afterHeader = Bytes({0, 0, 200, 0, 0, 200, 0, 0}) + GreyPalette(254);
    wide.pixels = Bytes({0x0F, 0, 0, 0});
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, BmpFile(wide, false), ImageFormatBmp)) << image.GetErrorText();
    EXPECT_EQ(image.GetNumColors(), 2u);
    EXPECT_EQ(image.GetPixelColor(0, 0, false), Rgb(200, 0, 0));
    EXPECT_EQ(image.GetPixelColor(7, 0, false), Rgb(0, 200, 0));
}

// Guards run-length expansion: runs cut at the row's end, deltas, literals with their padding, the
// end-of-bitmap code, and RLE4's nibble packing.
TEST(CodecBmp, RunLengthExpansion)
{
    Dib rle8;
    rle8.width = 4;
    rle8.height = 3;
    rle8.bitCount = 8;
    rle8.compression = 1;
    rle8.afterHeader = GreyPalette(256);
    // Row 0: a run of 10 sevens cut at the row; row 1: delta (1, 1) lands on row 2, column 1;
    // there a literal 3 bytes (padded) then end of bitmap.
    rle8.pixels = Bytes({10, 7, 0, 0, 0, 2, 1, 1, 0, 3, 9, 8, 6, 0, 0, 1});
    CxImage image8;
    ASSERT_TRUE(DecodeFrom(image8, BmpFile(rle8), ImageFormatBmp)) << image8.GetErrorText();
    const int expected8[3][4] = {{7, 7, 7, 7}, {0, 0, 0, 0}, {0, 9, 8, 6}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image8.GetPixelIndex(x, y), expected8[y][x]) << x << "," << y;

    Dib rle4 = rle8;
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.afterHeader = GreyPalette(16);
    // Row 0: 3 pixels alternating 1 and 2, then a literal of 3 nibbles 5 6 7 (padded), cut at 4 pixels;
    // row 1: a run of 9 cut at the row; then end of bitmap.
    rle4.pixels = Bytes({3, 0x12, 0, 3, 0x56, 0x70, 0, 0, 9, 0xAB, 0, 1});
    CxImage image4;
    ASSERT_TRUE(DecodeFrom(image4, BmpFile(rle4), ImageFormatBmp)) << image4.GetErrorText();
    const int expected4[2][4] = {{1, 2, 1, 5}, {10, 11, 10, 11}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image4.GetPixelIndex(x, y), expected4[y][x]) << x << "," << y;

    // A stream of deltas pointing far outside writes nothing and ends cleanly.
    rle8.pixels = Bytes({0, 2, 255, 255, 0, 2, 255, 255, 5, 1, 0, 0, 200, 3});
    CxImage far;
    EXPECT_TRUE(DecodeFrom(far, BmpFile(rle8), ImageFormatBmp));

    Dib other = rle8;
    other.compression = 4;
    CxImage unsupported;
    EXPECT_FALSE(DecodeFrom(unsupported, BmpFile(other), ImageFormatBmp));
    EXPECT_STREQ(unsupported.GetErrorText(), "compression type not supported");
}

// Guards both directions against Qt's BMP codec: what we write Qt reads with the same pixels, and
// what Qt writes we read.
TEST(CodecBmp, CrossCheckWithQt)
{
    std::vector<CxImage> ours = {PaletteImage(13, 5, 1, 3), PaletteImage(13, 5, 4, 3), PaletteImage(13, 5, 8, 3)};
    CxImage card;
    fromQImage(card, TestCard(13, 5, false));
    ours.push_back(card);
    CxImage soft = card;
    soft.AlphaCreate();
    for (int x = 0; x < 13; ++x)
        soft.AlphaSetPixel(x, 2, uint8_t(x * 20));
    ours.push_back(soft);
    for (CxImage &image : ours) {
        SCOPED_TRACE(image.GetBpp());
        bool ok = false;
        const QByteArray bytes = EncodeTo(image, ImageFormatBmp, &ok);
        ASSERT_TRUE(ok);
        const QImage qt = QtRead(bytes, "bmp");
        ASSERT_FALSE(qt.isNull());
        // Qt takes the fourth byte of a 40-byte-header 32-bit file as padding: it compares opaque.
        CxImage expected(image);
        if (!qt.hasAlphaChannel())
            expected.AlphaDelete();
        EXPECT_EQ(MaxDifference(qt, toQImage(expected)), 0);
    }

    const QImage source = TestCard(21, 9, true);
    for (const QImage &variant : {source, source.convertToFormat(QImage::Format_RGB32),
                                  source.convertToFormat(QImage::Format_Indexed8),
                                  source.convertToFormat(QImage::Format_Mono)}) {
        SCOPED_TRACE(int(variant.format()));
        const QByteArray bytes = QtWrite(variant, "bmp");
        CxImage loaded;
        ASSERT_TRUE(DecodeFrom(loaded, bytes, ImageFormatNone)) << loaded.GetErrorText();
        EXPECT_EQ(loaded.GetFormatId(), uint32_t(ImageFormatBmp));
        EXPECT_EQ(MaxDifference(toQImage(loaded), QtRead(bytes, "bmp")), 0);
    }
}
