#include "CodecTestSupport.h"

#include "image/xImageBMP.h"

#include <gtest/gtest.h>

using namespace codectest;

namespace {

struct Dib
{
    uint32_t headerSize = 40;
    int32_t width = 1, height = 1;
    int planes = 1;
    int bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    std::string headerMasks; // bytes 40 onwards of a longer header: red, green, blue, alpha
    std::string afterHeader; // masks or palette
    std::string pixels;
};

std::string InfoHeader(const Dib &d)
{
    std::string h = Le32(d.headerSize) + Le32(uint32_t(d.width)) + Le32(uint32_t(d.height)) + Le16(d.planes) +
                    Le16(d.bitCount) + Le32(d.compression) + Le32(d.sizeImage) + Le32(3780) + Le32(11811) +
                    Le32(d.colorsUsed) + Le32(0) + d.headerMasks;
    h.resize(d.headerSize, '\0');
    return h;
}

std::string Masks(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
{
    return Le32(red) + Le32(green) + Le32(blue) + Le32(alpha);
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

// Guards the header checks that protect the heap: palette counts beyond what a byte can index, negative
// widths and dimensions whose product overflows.
TEST(CodecBmp, HostileHeadersAreRefused)
{
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
        {"1000 palette entries", manyColours, "Error reading BMP info"},
        {"negative width", negativeWidth, "Error reading BMP info"},
        {"2 bits per pixel", oddDepth, "Error reading BMP info"},
        {"65536 x 65536 in a few bytes", huge, "Error reading BMP pixels"},
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

// Guards the V4 and V5 headers that paint programs and other writers produce: an image size of 0, a
// colour count below 2^bits and run-length data must load, and load as Qt reads them.
TEST(CodecBmp, LongHeadersAsWritersUseThem)
{
    Dib bitfields; // 32-bit V5 bit fields, image size 0
    bitfields.headerSize = 124;
    bitfields.width = 3;
    bitfields.height = 2;
    bitfields.bitCount = 32;
    bitfields.compression = 3;
    bitfields.headerMasks = Masks(0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    bitfields.pixels = Bytes({1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0});

    Dib colours; // 8-bit V4 with 252 colours
    colours.headerSize = 108;
    colours.width = 5;
    colours.height = 2;
    colours.bitCount = 8;
    colours.colorsUsed = 252;
    for (int i = 0; i < 252; ++i)
        colours.afterHeader += Bytes({i, 255 - i, (i * 7) & 0xFF, 0});
    colours.pixels = Bytes({0, 50, 100, 150, 251, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0});

    Dib runLength; // 8-bit V5 RLE8
    runLength.headerSize = 124;
    runLength.width = 4;
    runLength.height = 2;
    runLength.bitCount = 8;
    runLength.compression = 1;
    runLength.afterHeader = GreyPalette(256);
    runLength.pixels = Bytes({4, 9, 0, 0, 1, 200, 0, 3, 7, 8, 6, 0, 0, 1});

    for (const auto &[name, dib] : {std::pair{"32-bit bit fields, image size 0", bitfields},
                                    std::pair{"8-bit, 252 colours", colours}, std::pair{"RLE8", runLength}}) {
        SCOPED_TRACE(name);
        const QByteArray file = BmpFile(dib);
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, file, ImageFormatBmp)) << image.GetErrorText();
        EXPECT_EQ(image.GetWidth(), dib.width);
        const QImage qt = QtRead(file, "bmp");
        ASSERT_FALSE(qt.isNull());
        EXPECT_EQ(MaxDifference(toQImage(image), qt), 0);
    }
}

// Guards the alpha field of bit-field pixels: 16- and 32-bit files that name an alpha mask keep their
// transparency, in any channel order and width; a 1-bit alpha that is set is opaque. A mask whose bits
// are all 0 in every pixel means an opaque picture, as for 32-bit files without masks.
TEST(CodecBmp, BitFieldAlpha)
{
    struct Case
    {
        const char *name;
        int bitCount;
        std::string masks;
        std::string pixels; // two pixels
        RGBQUAD colour0;
        int alpha0, alpha1;
    } cases[] = {
        {"A1R5G5B5", 16, Masks(0x7C00, 0x03E0, 0x001F, 0x8000), Le16(0x8000 | 0x7C00) + Le16(0x001F), Rgb(248, 0, 0),
         255, 0},
        {"A4R4G4B4", 16, Masks(0x0F00, 0x00F0, 0x000F, 0xF000), Le16(0xF0F0) + Le16(0x8000), Rgb(0, 240, 0), 255, 136},
        {"R10G10B10A2", 32, Masks(0xFFC00000, 0x003FF000, 0x00000FFC, 0x00000003),
         Le32(0xFFC00000 | 3) + Le32(1), Rgb(255, 0, 0), 255, 85},
        {"R6G5B5A16, alpha wider than a byte", 32, Masks(0xFC000000, 0x03E00000, 0x001F0000, 0x0000FFFF),
         Le32(0x03E00000 | 0xFFFF) + Le32(0x8000), Rgb(0, 248, 0), 255, 128},
        {"A8B8G8R8", 32, Masks(0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000), Le32(0x40302010) + Le32(0x00000000),
         Rgb(0x10, 0x20, 0x30), 0x40, 0},
        {"R8G8B8A8", 32, Masks(0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF), Le32(0x102030C0) + Le32(0x00000001),
         Rgb(0x10, 0x20, 0x30), 0xC0, 1},
        {"alpha mask, alpha bits all 0", 32, Masks(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000),
         Le32(0x00112233) + Le32(0x00445566), Rgb(0x11, 0x22, 0x33), 255, 255},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Dib d;
        d.headerSize = 124;
        d.width = 2;
        d.bitCount = c.bitCount;
        d.compression = 3;
        d.headerMasks = c.masks;
        d.pixels = c.pixels;
        const QByteArray file = BmpFile(d);
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, file, ImageFormatBmp)) << image.GetErrorText();
        ASSERT_TRUE(image.AlphaIsValid());
        EXPECT_EQ(image.GetPixelColor(0, 0, false), c.colour0);
        EXPECT_EQ(image.AlphaGet(0, 0), c.alpha0);
        EXPECT_EQ(image.AlphaGet(1, 0), c.alpha1);
        // Qt reads 8-bit alpha fields as they are: there the two readers must agree pixel for pixel.
        if (c.masks.substr(12) == Le32(0xFF000000) && c.alpha0 != 255) {
            EXPECT_EQ(MaxDifference(toQImage(image), QtRead(file, "bmp")), 0);
        }
    }
}

// Guards the column of run-length 4-bit data after a delta: an odd delta lands on the low nibble,
// and every pixel after it stays where the file puts it.
TEST(CodecBmp, Rle4OddDeltaKeepsTheNibble)
{
    Dib d;
    d.width = 8;
    d.height = 1;
    d.bitCount = 4;
    d.compression = 2;
    d.afterHeader = GreyPalette(16);
    // Pixels 1 2 at columns 0 and 1, a delta of 1 to column 3, then 3 4 5 and end of bitmap.
    d.pixels = Bytes({2, 0x12, 0, 2, 1, 0, 3, 0x34, 0, 1});
    const QByteArray file = BmpFile(d);
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, file, ImageFormatBmp)) << image.GetErrorText();
    const int expected[8] = {1, 2, 0, 3, 4, 3, 0, 0};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(image.GetPixelIndex(x, 0), expected[x]) << x;
    // Qt agrees on every pixel the file writes (it shows the skipped ones as transparent).
    const QImage qt = QtRead(file, "bmp");
    ASSERT_FALSE(qt.isNull());
    for (int x : {0, 1, 3, 4, 5})
        EXPECT_EQ(qt.pixel(x, 0), toQImage(image).pixel(x, 0)) << x;
}

// Guards what a damaged or hostile bitmap may cost: a few bytes that claim a huge picture are refused
// before anything is allocated, pixel data cut short is refused instead of being invented, planes other
// than 1 are refused; run-length data that ends early and a file that only lacks the last row's padding
// still load.
TEST(CodecBmp, MissingDataIsRefused)
{
    Dib claim; // 57 bytes claiming 3,158,064 x 48 at 4 bits: 75 MB of pixels
    claim.width = 3158064;
    claim.height = 48;
    claim.bitCount = 4;
    claim.colorsUsed = 1;
    claim.afterHeader = Bytes({0, 0, 0});
    const QByteArray tiny = BmpFile(claim);
    ASSERT_EQ(tiny.size(), 57);

    Dib rows; // 24 bits, 4 x 3, one row short
    rows.width = 4;
    rows.height = 3;
    rows.pixels = std::string(24, '\x40');

    Dib palette; // 8 bits whose palette stops after 10 entries
    palette.bitCount = 8;
    palette.width = 4;
    palette.afterHeader = GreyPalette(10);

    Dib planes;
    planes.planes = 2;
    planes.pixels = std::string(4, '\0');

    struct Case
    {
        const char *name;
        QByteArray file;
        const char *text;
    } cases[] = {
        {"57 bytes claiming 75 MB", tiny, "Error reading BMP pixels"},
        {"a row short", BmpFile(rows), "Error reading BMP pixels"},
        {"a cut palette", BmpFile(palette), "Error reading BMP pixels"},
        {"a bare DIB cut in its pixels", BmpFile(rows, false), "Error reading BMP pixels"},
        {"two planes", BmpFile(planes), "Error reading BMP info"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, c.file, ImageFormatBmp));
        EXPECT_STREQ(image.GetErrorText(), c.text);
        EXPECT_FALSE(image.IsValid());
    }

    // Run-length data that stops early keeps what it decoded: the first row, and nothing invented after it.
    Dib cut;
    cut.width = 4;
    cut.height = 3;
    cut.bitCount = 8;
    cut.compression = 1;
    cut.afterHeader = GreyPalette(256);
    cut.pixels = Bytes({4, 7, 0, 0, 3}); // a row of sevens, a row end, then half a run
    CxImage partial;
    ASSERT_TRUE(DecodeFrom(partial, BmpFile(cut), ImageFormatBmp)) << partial.GetErrorText();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(partial.GetPixelIndex(x, y), y == 0 ? 7 : 0) << x << "," << y;

    rows.width = 5;
    rows.pixels = std::string(3 * 16 - 1, '\x40'); // the last row's padding byte left out
    CxImage unpadded;
    ASSERT_TRUE(DecodeFrom(unpadded, BmpFile(rows), ImageFormatBmp)) << unpadded.GetErrorText();
    EXPECT_EQ(unpadded.GetPixelColor(4, 2, false), Rgb(0x40, 0x40, 0x40));
}
