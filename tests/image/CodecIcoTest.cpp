#include "CodecTestSupport.h"

#include "image/xImageICO.h"

#include <gtest/gtest.h>

using namespace codectest;

namespace {

// A one-picture icon file around picture bytes (a DIB or a PNG stream).
QByteArray IconFile(int widthByte, int heightByte, int bitCount, const std::string &picture)
{
    std::string out = Le16(0) + Le16(1) + Le16(1);
    out += Bytes({widthByte, heightByte, 0, 0}) + Le16(1) + Le16(bitCount) + Le32(uint32_t(picture.size())) + Le32(22);
    out += picture;
    return QByteArray(out.data(), qsizetype(out.size()));
}

std::string IconDib(int width, int height, int bitCount, uint32_t colorsUsed, const std::string &palette,
                    const std::string &pixels, const std::string &mask)
{
    return Le32(40) + Le32(uint32_t(width)) + Le32(uint32_t(2 * height)) + Le16(1) + Le16(bitCount) + Le32(0) +
           Le32(uint32_t(pixels.size())) + Le32(0) + Le32(0) + Le32(colorsUsed) + Le32(0) + palette + pixels + mask;
}

std::string Palette16()
{
    std::string p;
    for (int i = 0; i < 16; ++i)
        p += Bytes({i * 16, 255 - i * 16, i * 8, 0});
    return p;
}

std::string ToString(const QByteArray &bytes)
{
    return std::string(bytes.constData(), size_t(bytes.size()));
}

} // namespace

// Guards PNG entries: a 256-pixel PNG picture loads as ICO, size-only mode reads the PNG's size, and a
// 256-pixel DIB entry (the same directory bytes) is not mistaken for PNG.
TEST(CodecIco, PngAndLargeDibEntries)
{
    CxImage card;
    fromQImage(card, TestCard(256, 256, true));
    const QByteArray png = EncodeTo(card, ImageFormatPng);
    const QByteArray icon = IconFile(0, 0, 32, ToString(png));

    CxImage loaded;
    ASSERT_TRUE(DecodeFrom(loaded, icon, ImageFormatNone)) << loaded.GetErrorText();
    EXPECT_EQ(loaded.GetFormatId(), uint32_t(ImageFormatIco));
    EXPECT_EQ(loaded.GetFrameCount(), 1);
    EXPECT_EQ(MaxDifference(toQImage(loaded), toQImage(card)), 0);

    CxImage sizeOnly;
    sizeOnly.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(sizeOnly, icon, ImageFormatIco));
    EXPECT_EQ(sizeOnly.GetWidth(), 256);
    EXPECT_FALSE(sizeOnly.IsValid());

    // A 256 x 256 8-bit DIB: pixel index = x, mask clear.
    std::string pixels;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            pixels += char(x);
    std::string palette;
    for (int i = 0; i < 256; ++i)
        palette += Bytes({i, 0, 255 - i, 0});
    CxImage dib;
    ASSERT_TRUE(DecodeFrom(dib, IconFile(0, 0, 8, IconDib(256, 256, 8, 0, palette, pixels, std::string(256 * 32, '\0'))),
                           ImageFormatIco))
        << dib.GetErrorText();
    EXPECT_EQ(dib.GetWidth(), 256);
    EXPECT_EQ(dib.GetPixelIndex(200, 10), 200);
}

// Guards the AND-mask rules: an all-set mask inverts the picture with index 0 transparent; a 4-bit
// icon gets its highest unused index as transparent, with the masked pixels set to it.
TEST(CodecIco, AndMaskRules)
{
    // 2 x 2, 4 bits: indices 1 2 / 3 4, rows padded to 4 bytes; the mask rows likewise.
    const std::string pixels = Bytes({0x12, 0, 0, 0, 0x34, 0, 0, 0});
    CxImage inverted;
    ASSERT_TRUE(DecodeFrom(inverted,
                           IconFile(2, 2, 4, IconDib(2, 2, 4, 0, Palette16(), pixels, Bytes({0xFF, 0xFF, 0xFF, 0xFF,
                                                                                              0xFF, 0xFF, 0xFF, 0xFF}))),
                           ImageFormatIco));
    EXPECT_EQ(inverted.GetTransIndex(), 0);
    const RGBQUAD entry1 = inverted.GetPaletteColor(inverted.GetPixelIndex(0, 0));
    EXPECT_EQ(entry1.rgbBlue, 255 - 16);
    EXPECT_EQ(entry1.rgbGreen, 255 - (255 - 16));

    // Mask: pixel (0, 0) and (1, 1) masked.
    CxImage masked;
    ASSERT_TRUE(DecodeFrom(masked,
                           IconFile(2, 2, 4, IconDib(2, 2, 4, 0, Palette16(), pixels, Bytes({0x80, 0, 0, 0, 0x40, 0, 0, 0}))),
                           ImageFormatIco));
    EXPECT_EQ(masked.GetTransIndex(), 15);
    EXPECT_EQ(masked.GetPixelIndex(0, 0), 15);
    EXPECT_EQ(masked.GetPixelIndex(1, 0), 2);
    EXPECT_EQ(masked.GetPixelIndex(0, 1), 3);
    EXPECT_EQ(masked.GetPixelIndex(1, 1), 15);
    EXPECT_FALSE(masked.AlphaIsValid());

}

// Guards 32-bit icons: their alpha channel is their transparency, so neither a mask bit nor an all-set
// mask may hide or invert anything; the mask counts only where every alpha byte is 0, as in icons from
// before alpha. Qt must show the same pictures.
TEST(CodecIco, ThirtyTwoBitIconsUseTheirAlpha)
{
    const std::string rgba = Bytes({10, 20, 30, 255, 40, 50, 60, 128, 70, 80, 90, 0, 1, 2, 3, 64});
    const std::string allSet = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    for (const std::string &mask : {Bytes({0, 0, 0, 0, 0x40, 0, 0, 0}), allSet}) {
        const QByteArray icon = IconFile(2, 2, 32, IconDib(2, 2, 32, 0, "", rgba, mask));
        CxImage soft;
        ASSERT_TRUE(DecodeFrom(soft, icon, ImageFormatIco));
        EXPECT_FALSE(soft.IsTransparent());
        const int alpha[2][2] = {{255, 128}, {0, 64}};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_EQ(soft.AlphaGet(x, y), alpha[y][x]) << x << "," << y;
        EXPECT_EQ(soft.GetPixelColor(0, 0, false), (RGBQUAD{10, 20, 30, 0}));
        EXPECT_EQ(MaxPremultipliedDifference(toQImage(soft), QtRead(icon, "ico")), 0);
    }

    // No alpha at all: the mask hides pixel (1, 1), and the picture is opaque elsewhere. (Qt takes the
    // zero bytes as alpha and shows nothing, unlike the systems such icons were made for.)
    const std::string noAlpha = Bytes({10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0, 1, 2, 3, 0});
    const QByteArray old = IconFile(2, 2, 32, IconDib(2, 2, 32, 0, "", noAlpha, Bytes({0, 0, 0, 0, 0x40, 0, 0, 0})));
    CxImage masked;
    ASSERT_TRUE(DecodeFrom(masked, old, ImageFormatIco));
    const QImage shown = toQImage(masked).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(shown.pixel(1, 0)), 0);  // image row 1 is the top row
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(shown.pixel(1, 1)), 255);
    EXPECT_EQ(qRed(shown.pixel(0, 1)), 30);
}

// Guards the size of a DIB entry: the bitmap's header decides it, not a directory entry whose height
// counts the mask rows too (or whose bytes are 0), in size-only mode as well.
TEST(CodecIco, BitmapHeaderDecidesTheSize)
{
    const std::string pixels = Bytes({0x12, 0, 0, 0, 0x34, 0, 0, 0});
    const std::string dib = IconDib(2, 2, 4, 0, Palette16(), pixels, std::string(8, '\0'));
    for (const auto &[widthByte, heightByte] : {std::pair{2, 4}, std::pair{0, 0}, std::pair{16, 16}}) {
        SCOPED_TRACE(heightByte);
        const QByteArray icon = IconFile(widthByte, heightByte, 4, dib);
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, icon, ImageFormatIco));
        EXPECT_EQ(image.GetWidth(), 2);
        EXPECT_EQ(image.GetHeight(), 2);
        EXPECT_EQ(image.GetPixelIndex(1, 1), 4);
        CxImage sizeOnly;
        sizeOnly.SetEscape(-1);
        ASSERT_TRUE(DecodeFrom(sizeOnly, icon, ImageFormatIco));
        EXPECT_EQ(sizeOnly.GetHeight(), 2);
    }
    // Qt refuses the disagreeing entry; the picture must be the one Qt reads from an entry that agrees.
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, IconFile(2, 4, 4, dib), ImageFormatIco));
    EXPECT_EQ(MaxDifference(toQImage(image), QtRead(IconFile(2, 2, 4, dib), "ico")), 0);
}

// Guards saving what the icon reader makes: a palette icon whose masked pixels keep an alpha plane
// (every index is in use, in several colours) must save as PNG, and come back as it is shown.
TEST(CodecIco, PaletteIconWithAlphaSavesAsPng)
{
    // 4 x 4 at 4 bits using all 16 indices; the mask hides pixels of indices 0 and 5.
    const std::string pixels = Bytes({0x01, 0x23, 0, 0, 0x45, 0x67, 0, 0, 0x89, 0xAB, 0, 0, 0xCD, 0xEF, 0, 0});
    const std::string mask = Bytes({0x80, 0, 0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    CxImage icon;
    ASSERT_TRUE(DecodeFrom(icon, IconFile(4, 4, 4, IconDib(4, 4, 4, 0, Palette16(), pixels, mask)), ImageFormatIco));
    ASSERT_EQ(icon.GetBpp(), 4);
    ASSERT_TRUE(icon.AlphaIsValid());

    bool ok = false;
    const QByteArray png = EncodeTo(icon, ImageFormatPng, &ok);
    ASSERT_TRUE(ok) << icon.GetErrorText();
    EXPECT_EQ(MaxDifference(QtRead(png, "png"), toQImage(icon)), 0);
    CxImage back;
    ASSERT_TRUE(DecodeFrom(back, png, ImageFormatPng));
    EXPECT_EQ(MaxDifference(toQImage(back), toQImage(icon)), 0);
}

// Guards the directory and palette checks that protect the heap, and directories without the picture.
TEST(CodecIco, HostileFilesAreRefused)
{
    const std::string pixels = Bytes({0x12, 0, 0, 0, 0x34, 0, 0, 0});
    std::string bigPalette;
    for (int i = 0; i < 1000; ++i)
        bigPalette += Bytes({1, 2, 3, 0});
    CxImage many;
    EXPECT_FALSE(DecodeFrom(many, IconFile(2, 2, 4, IconDib(2, 2, 4, 1000, bigPalette, pixels, std::string(8, '\0'))),
                            ImageFormatIco));

    const QByteArray icon = IconFile(2, 2, 4, IconDib(2, 2, 4, 0, Palette16(), pixels, std::string(8, '\0')));
    CxImage whole;
    ASSERT_TRUE(DecodeFrom(whole, icon, ImageFormatIco));
    std::string noEntries = Le16(0) + Le16(1) + Le16(0);
    CxImage empty;
    EXPECT_FALSE(DecodeFrom(empty, QByteArray(noEntries.data(), 6), ImageFormatIco));
    for (const QByteArray &cut : {icon.left(4), icon.left(12), icon.left(30)}) {
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, cut, ImageFormatIco)) << cut.size();
    }
}

// Guards the encoder: large pictures go into a PNG entry with directory bytes 0, small ones into a DIB
// whose AND mask marks the transparent pixels.
TEST(CodecIco, EncoderEntries)
{
    CxImage wide;
    fromQImage(wide, TestCard(300, 20, false));
    bool ok = false;
    const QByteArray large = EncodeTo(wide, ImageFormatIco, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(large[6], 0);
    EXPECT_EQ(large[7], 0);
    EXPECT_EQ(large.mid(22, 8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    CxImage back;
    ASSERT_TRUE(DecodeFrom(back, large, ImageFormatIco));
    EXPECT_EQ(back.GetWidth(), 300);
    EXPECT_EQ(MaxDifference(toQImage(back), toQImage(wide)), 0);

    CxImage palette(5, 3, 8);
    for (uint8_t i = 0; i < 8; ++i)
        palette.SetPaletteColor(i, uint8_t(i * 30), 100, uint8_t(200 - i * 20));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            palette.SetPixelIndex(x, y, uint8_t((x + y) % 8));
    palette.SetTransIndex(2);
    const QByteArray small = EncodeTo(palette, ImageFormatIco, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(small[6], 5);
    EXPECT_EQ(small[7], 3);
    CxImage reread;
    ASSERT_TRUE(DecodeFrom(reread, small, ImageFormatIco));
    EXPECT_TRUE(reread.IsTransparent());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(reread.GetPixelIndex(x, y) == reread.GetTransIndex(), (x + y) % 8 == 2) << x << "," << y;
}

// Guards both directions against Qt's ICO codec: what we write Qt reads with the same pixels and
// transparency, and what Qt writes we read.
TEST(CodecIco, CrossCheckWithQt)
{
    CxImage rgba;
    fromQImage(rgba, TestCard(24, 16, false));
    rgba.AlphaCreate();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            rgba.AlphaSetPixel(x, y, uint8_t(x * 10 + y));
    CxImage opaque;
    fromQImage(opaque, TestCard(17, 9, false));
    CxImage indexed(16, 16, 4);
    for (uint8_t i = 0; i < 16; ++i)
        indexed.SetPaletteColor(i, uint8_t(i * 16), uint8_t(255 - i * 16), 77);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            indexed.SetPixelIndex(x, y, uint8_t((x * y) % 16));

    for (CxImage *image : {&rgba, &opaque, &indexed}) {
        SCOPED_TRACE(image->GetBpp());
        bool ok = false;
        const QByteArray bytes = EncodeTo(*image, ImageFormatIco, &ok);
        ASSERT_TRUE(ok);
        const QImage qt = QtRead(bytes, "ico");
        ASSERT_FALSE(qt.isNull());
        EXPECT_EQ(MaxPremultipliedDifference(qt, toQImage(*image)), 0);
    }

    for (const QImage &source : {TestCard(32, 32, true), TestCard(16, 16, false)}) {
        const QByteArray bytes = QtWrite(source, "ico");
        CxImage loaded;
        ASSERT_TRUE(DecodeFrom(loaded, bytes, ImageFormatNone)) << loaded.GetErrorText();
        EXPECT_EQ(loaded.GetFormatId(), uint32_t(ImageFormatIco));
        EXPECT_EQ(MaxPremultipliedDifference(toQImage(loaded), QtRead(bytes, "ico")), 0);
    }
}
