#include "CodecTestSupport.h"
#include "CodecFixtures.h"

#include "image/xImageTGA.h"

#include <gtest/gtest.h>

using namespace codectest;

namespace {

struct Tga
{
    int idLength = 0, mapType = 0, type = 2;
    int mapFirst = 0, mapLength = 0, mapEntrySize = 0;
    int width = 2, height = 2, depth = 24, descriptor = 0;
};

std::string Header(const Tga &t)
{
    return Bytes({t.idLength, t.mapType, t.type}) + Le16(t.mapFirst) + Le16(t.mapLength) + Bytes({t.mapEntrySize}) +
           Le16(0) + Le16(0) + Le16(t.width) + Le16(t.height) + Bytes({t.depth, t.descriptor});
}

// The colour of a pixel without its alpha (a palette entry carries the map's alpha beside its colour).
RGBQUAD Colour(const CxImage &image, int x, int y)
{
    RGBQUAD c = image.GetPixelColor(x, y, false);
    c.rgbReserved = 0;
    return c;
}

// Four pixels blue, green, red in file order: red, green, blue, white.
const std::string kQuad = Bytes({0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});

} // namespace

// Guards the origin bits: the same four file pixels land in the corners the descriptor names.
TEST(CodecTga, OriginBitsPlaceRows)
{
    const struct { const char *name; int descriptor; RGBQUAD topLeft, topRight, bottomLeft; } cases[] = {
        {"bottom-up", 0x00, Rgb(0, 0, 255), Rgb(255, 255, 255), Rgb(255, 0, 0)},
        {"top-down", 0x20, Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)},
        {"right-to-left", 0x10, Rgb(255, 255, 255), Rgb(0, 0, 255), Rgb(0, 255, 0)},
        {"top-down right-to-left", 0x30, Rgb(0, 255, 0), Rgb(255, 0, 0), Rgb(255, 255, 255)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Tga t;
        t.descriptor = c.descriptor;
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, File(Header(t) + kQuad), ImageFormatTga)) << image.GetErrorText();
        EXPECT_EQ(TopDown(image, 0, 0), c.topLeft);
        EXPECT_EQ(TopDown(image, 1, 0), c.topRight);
        EXPECT_EQ(TopDown(image, 0, 1), c.bottomLeft);
    }
}

// Guards run-length packets that run past the end of a row: they decode as packets split at the row
// end do, repeat and literal packets alike, with the alpha of 32-bit pixels.
TEST(CodecTga, PacketsCrossingRowsMatchSplitPackets)
{
    Tga t;
    t.type = 10;
    t.width = 3;
    t.height = 2;
    t.depth = 32;
    const std::string red = Bytes({0, 0, 255, 128}), blue = Bytes({255, 0, 0, 64}), green = Bytes({0, 255, 0, 255});
    const std::string crossing = Bytes({0x83}) + red + Bytes({0x01}) + blue + green;          // 4 red, then 2 raw
    const std::string split = Bytes({0x82}) + red + Bytes({0x80}) + red + Bytes({0x01}) + blue + green;
    const std::string rawCrossing = Bytes({0x03}) + red + blue + green + blue + Bytes({0x81}) + red; // 4 raw, 2 red
    CxImage a, b, c;
    ASSERT_TRUE(DecodeFrom(a, File(Header(t) + crossing), ImageFormatTga)) << a.GetErrorText();
    ASSERT_TRUE(DecodeFrom(b, File(Header(t) + split), ImageFormatTga));
    ASSERT_TRUE(DecodeFrom(c, File(Header(t) + rawCrossing), ImageFormatTga));
    EXPECT_EQ(MaxDifference(toQImage(a), toQImage(b)), 0);
    EXPECT_EQ(a.GetPixelColor(0, 1, false), Rgb(255, 0, 0)) << "the fourth red pixel opens the second row";
    EXPECT_EQ(a.GetPixelColor(2, 1, false), Rgb(0, 255, 0));
    EXPECT_EQ(a.AlphaGet(1, 1), 64);
    EXPECT_EQ(c.GetPixelColor(2, 0, false), Rgb(0, 255, 0));
    EXPECT_EQ(c.GetPixelColor(0, 1, false), Rgb(0, 0, 255));
    EXPECT_EQ(c.GetPixelColor(2, 1, false), Rgb(255, 0, 0));
}

// Guards the pixel and colour-map depths: 15/16-bit pixels scaled by 8, grey files on a grey palette,
// and colour maps read at their own entry size (15, 16, 24 or 32 bits).
TEST(CodecTga, DepthsAndColourMaps)
{
    Tga sixteen;
    sixteen.width = 3;
    sixteen.height = 1;
    sixteen.depth = 16;
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, File(Header(sixteen) + Le16(0x7C00) + Le16(0x03E0) + Le16(0x801F)), ImageFormatTga));
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_EQ(image.GetPixelColor(0, 0, false), Rgb(248, 0, 0));
    EXPECT_EQ(image.GetPixelColor(1, 0, false), Rgb(0, 248, 0));
    EXPECT_EQ(image.GetPixelColor(2, 0, false), Rgb(0, 0, 248));

    Tga grey;
    grey.type = 11;
    grey.width = 3;
    grey.height = 1;
    grey.depth = 8;
    CxImage greyImage;
    ASSERT_TRUE(DecodeFrom(greyImage, File(Header(grey) + Bytes({0x82, 77})), ImageFormatTga));
    EXPECT_EQ(greyImage.GetPixelColor(2, 0, false), Rgb(77, 77, 77));

    const struct { int entrySize; std::string entry; } maps[] = {
        {15, Le16(0x7C00)}, {16, Le16(0xFC00)}, {24, Bytes({0, 0, 248})}, {32, Bytes({0, 0, 248, 255})}};
    for (const auto &m : maps) {
        SCOPED_TRACE(testing::Message() << m.entrySize << "-bit colour map");
        Tga mapped;
        mapped.mapType = 1;
        mapped.type = 1;
        mapped.mapLength = 2;
        mapped.mapEntrySize = m.entrySize;
        mapped.width = 2;
        mapped.height = 1;
        mapped.depth = 8;
        const std::string black = std::string(m.entry.size(), '\0');
        CxImage indexed;
        ASSERT_TRUE(DecodeFrom(indexed, File(Header(mapped) + black + m.entry + Bytes({1, 0})), ImageFormatTga));
        EXPECT_EQ(indexed.GetBpp(), 8);
        EXPECT_EQ(Colour(indexed, 0, 0), Rgb(248, 0, 0));
        EXPECT_EQ(Colour(indexed, 1, 0), Rgb(0, 0, 0));
    }
}

// Guards the colour map's first-entry index (index i is entry i minus the first, not entry i), the alpha of
// 32-bit map entries (kept, unless every entry's alpha is zero: a map written without alpha), and grey with
// alpha (16-bit grey, plain and run-length).
TEST(CodecTga, MapOffsetMapAlphaAndGreyWithAlpha)
{
    Tga mapped;
    mapped.mapType = 1;
    mapped.type = 1;
    mapped.mapFirst = 10;
    mapped.mapLength = 2;
    mapped.mapEntrySize = 24;
    mapped.width = 2;
    mapped.height = 1;
    mapped.depth = 8;
    // Entry 0 (index 10) red, entry 1 (index 11) green; pixels 11 and 10.
    CxImage offset;
    ASSERT_TRUE(DecodeFrom(offset, File(Header(mapped) + Bytes({0, 0, 255, 0, 255, 0, 11, 10})), ImageFormatTga))
        << offset.GetErrorText();
    EXPECT_EQ(offset.GetPixelColor(0, 0, false), Rgb(0, 255, 0));
    EXPECT_EQ(offset.GetPixelColor(1, 0, false), Rgb(255, 0, 0));
    EXPECT_FALSE(offset.HasTransparency());

    const struct { const char *name; int alpha0, alpha1; uint8_t shown0, shown1; } alphas[] = {
        {"map with alpha", 64, 255, 64, 255},
        {"map with empty alpha bytes", 0, 0, 255, 255},
    };
    for (const auto &a : alphas) {
        SCOPED_TRACE(a.name);
        Tga t = mapped;
        t.mapEntrySize = 32;
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, File(Header(t) + Bytes({0, 0, 255, a.alpha0, 0, 255, 0, a.alpha1, 10, 11})),
                               ImageFormatTga));
        EXPECT_EQ(Colour(image, 0, 0), Rgb(255, 0, 0));
        EXPECT_EQ(Colour(image, 1, 0), Rgb(0, 255, 0));
        EXPECT_EQ(image.BlindGetShownAlpha(0, 0), a.shown0);
        EXPECT_EQ(image.BlindGetShownAlpha(1, 0), a.shown1);
    }

    // Grey 200 at alpha 100, then grey 30 at alpha 255, three times: plain rows and a repeat packet with a
    // literal packet.
    const struct { const char *name; int type; std::string pixels; } greys[] = {
        {"plain", 3, Bytes({200, 100, 30, 255, 30, 255})},
        {"run-length", 11, Bytes({0x00, 200, 100, 0x81, 30, 255})},
    };
    for (const auto &g : greys) {
        SCOPED_TRACE(g.name);
        Tga t;
        t.type = g.type;
        t.width = 3;
        t.height = 1;
        t.depth = 16;
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, File(Header(t) + g.pixels), ImageFormatTga)) << image.GetErrorText();
        EXPECT_EQ(image.GetBpp(), 8);
        ASSERT_TRUE(image.AlphaIsValid());
        const RGBQUAD expected[] = {Rgb(200, 200, 200), Rgb(30, 30, 30), Rgb(30, 30, 30)};
        const uint8_t alpha[] = {100, 255, 255};
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(image.GetPixelColor(x, 0, false), expected[x]) << x;
            EXPECT_EQ(image.AlphaGet(x, 0), alpha[x]) << x;
        }
    }
}

// Guards the header checks and damaged data: each case fails with its text.
TEST(CodecTga, DamagedFilesFailWithTheirText)
{
    const auto with = [](auto change) {
        Tga t;
        change(t);
        return Header(t);
    };
    const struct { const char *name; std::string file; const char *text; } cases[] = {
        {"short header", Header(Tga()).substr(0, 10), "Not a TGA"},
        {"type 4", with([](Tga &t) { t.type = 4; }) + kQuad, "Unknown TGA image type"},
        {"width 0", with([](Tga &t) { t.width = 0; }) + kQuad, "bad TGA header"},
        {"depth 12", with([](Tga &t) { t.depth = 12; }) + kQuad, "bad TGA header"},
        {"map of 300", with([](Tga &t) { t.mapType = 1; t.mapLength = 300; t.mapEntrySize = 24; }) + kQuad, "bad TGA header"},
        {"map entries of 8 bits", with([](Tga &t) { t.mapType = 1; t.mapLength = 2; t.mapEntrySize = 8; }) + kQuad,
         "bad TGA header"},
        {"16-bit indices", with([](Tga &t) { t.type = 1; t.depth = 16; }) + kQuad, "bad TGA header"},
        {"rows cut short", with([](Tga &) {}) + kQuad.substr(0, 7), "corrupted TGA"},
        {"packets cut short", with([](Tga &t) { t.type = 10; }) + Bytes({0x81, 1, 2, 3, 0x01}), "corrupted TGA"},
        {"huge picture in a tiny file", with([](Tga &t) { t.width = 65535; t.height = 65535; }) + kQuad,
         "corrupted TGA"},
    };
    for (const auto &c : cases) {
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, File(c.file), ImageFormatTga)) << c.name;
        EXPECT_STREQ(image.GetErrorText(), c.text) << c.name;
    }
}

// Guards the writer: the header fields per depth (32 bits and descriptor 0 for colour with alpha),
// bottom-up rows, and files that Qt's reader and ours read back alike.
TEST(CodecTga, WrittenFilesReadBack)
{
    const CxImage card = ColourCard(19, 7, true);
    const CxImage colour = ColourCard(19, 7, false);
    // Qt reads no colour-mapped TGA: the 8-bit file is checked by our reader only.
    const struct { const char *name; CxImage image; int type, depth, mapLength; bool qtReads; } cases[] = {
        {"8 bits", PaletteImage(9, 5, 8, 7), 1, 8, 256, false},
        {"24 bits", colour, 2, 24, 0, true},
        {"24 bits with alpha", card, 2, 32, 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CxImage source = c.image;
        bool ok = false;
        const QByteArray file = EncodeTo(source, ImageFormatTga, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(uint8_t(file[2]), c.type);
        EXPECT_EQ(uint8_t(file[5]) | (uint8_t(file[6]) << 8), c.mapLength);
        EXPECT_EQ(uint8_t(file[16]), c.depth);
        EXPECT_EQ(uint8_t(file[17]), 0);
        CxImage back;
        ASSERT_TRUE(DecodeFrom(back, file, ImageFormatTga));
        EXPECT_EQ(MaxDifference(toQImage(back), toQImage(source)), 0);
        if (!c.qtReads)
            continue;
        // Qt reads only files that end in the version 2 footer, and takes a descriptor without alpha
        // bits as opaque: the footer is added here, and the colours compared.
        QImage qt = QtRead(file + QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18), "tga");
        ASSERT_FALSE(qt.isNull());
        EXPECT_EQ(MaxDifference(qt.convertToFormat(QImage::Format_RGB32),
                                toQImage(source).convertToFormat(QImage::Format_RGB32)), 0);
    }

    CxImage fourBits = PaletteImage(3, 3, 4);
    bool ok = true;
    EncodeTo(fourBits, ImageFormatTga, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(fourBits.GetErrorText(), "Bit depth must be 8 or 24");
}
