#include "CodecTestSupport.h"
#include "CodecFixtures.h"

#include "image/xImageSKA.h"
#include "image/xImageWBMP.h"

#include <gtest/gtest.h>

using namespace codectest;

namespace {

std::string SkaHeader(int width, int height, int exponent = 3, uint32_t constant = 0x01000000)
{
    return Le16(width) + Le16(height) + Bytes({exponent}) + Le32(constant);
}

std::string SkaPalette()
{
    std::string palette;
    for (int i = 0; i < 256; ++i)
        palette += Bytes({i, 255 - i, i / 2});
    return palette;
}

} // namespace

// Guards the wireless bitmap reader: multi-byte sizes, rows top-down with bit 1 white, and refusals of
// other types, absurd sizes, overlong integers and missing rows, each with its text.
TEST(CodecWbmp, ReadsTypeZeroAndRefusesTheRest)
{
    // 10 x 2: row 0 = 1000000001, row 1 = 0100000000; width 10 in one byte, height 2.
    const std::string good = Bytes({0, 0, 10, 2, 0x80, 0x40, 0x40, 0x00});
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, File(good), ImageFormatWbmp)) << image.GetErrorText();
    EXPECT_EQ(image.GetBpp(), 1);
    EXPECT_EQ(TopDown(image, 0, 0).rgbRed, 255);
    EXPECT_EQ(TopDown(image, 1, 0).rgbRed, 0);
    EXPECT_EQ(TopDown(image, 9, 0).rgbRed, 255);
    EXPECT_EQ(TopDown(image, 1, 1).rgbRed, 255);

    const struct { const char *name; std::string file; const char *text; } cases[] = {
        {"empty", "", "Not a WBMP"},
        {"ends in the header", Bytes({0, 0, 0x87}), "Not a WBMP"},
        {"type 1", Bytes({1, 0, 10, 2, 0x80, 0x40, 0x40, 0x00}), "Unsupported WBMP type"},
        {"width 0", Bytes({0, 0, 0, 2}), "Corrupted WBMP"},
        {"width above 65535", Bytes({0, 0, 0x84, 0x80, 0x80, 0x00, 1}), "Corrupted WBMP"},
        {"overlong integer", Bytes({0, 0, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01, 1, 0}), "Not a WBMP"},
        {"rows missing", Bytes({0, 0, 10, 2, 0x80, 0x40}), "Corrupted WBMP"},
    };
    for (const auto &c : cases) {
        CxImage failed;
        EXPECT_FALSE(DecodeFrom(failed, File(c.file), ImageFormatWbmp)) << c.name;
        EXPECT_STREQ(failed.GetErrorText(), c.text) << c.name;
    }
}

// Guards the writer: multi-byte sizes (1000 is 0x87 0x68), only 1-bit pictures, pictures whose entry 0
// is white written so that they look the same, and files that Qt reads as we do (and the other way).
TEST(CodecWbmp, WritesWhatQtReads)
{
    CxImage wide(1000, 3, 1);
    wide.SetGrayPalette();
    wide.SetPixelIndex(999, 2, 1);
    bool ok = false;
    const QByteArray file = EncodeTo(wide, ImageFormatWbmp, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(file.left(6), File(Bytes({0, 0, 0x87, 0x68, 3})) + QByteArray(1, '\0'));
    EXPECT_EQ(MaxDifference(QtRead(file, "wbmp"), toQImage(wide)), 0);

    CxImage inverted(13, 4, 1);
    inverted.SetPaletteColor(0, 255, 255, 255);
    inverted.SetPaletteColor(1, 0, 0, 0);
    inverted.SetPixelIndex(3, 1, 1);
    const QByteArray invertedFile = EncodeTo(inverted, ImageFormatWbmp, &ok);
    ASSERT_TRUE(ok);
    CxImage back;
    ASSERT_TRUE(DecodeFrom(back, invertedFile, ImageFormatWbmp));
    EXPECT_EQ(MaxDifference(toQImage(back), toQImage(inverted)), 0);
    EXPECT_EQ(MaxDifference(QtRead(invertedFile, "wbmp"), toQImage(inverted)), 0);

    QImage mono(21, 5, QImage::Format_Mono);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    mono.fill(0);
    mono.setPixel(20, 4, 1);
    mono.setPixel(0, 0, 1);
    CxImage fromQt;
    ASSERT_TRUE(DecodeFrom(fromQt, QtWrite(mono, "wbmp"), ImageFormatWbmp));
    EXPECT_EQ(MaxDifference(toQImage(fromQt), mono), 0);

    CxImage eight = PaletteImage(4, 4, 8);
    EncodeTo(eight, ImageFormatWbmp, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(eight.GetErrorText(), "Can't save this image as WBMP");
}

// Guards the SKA reader: unpadded rows of any width (3 here) read into padded rows, top row first, and
// the header checks that make a file an SKA file.
TEST(CodecSka, ReadsUnpaddedRows)
{
    const std::string pixels = Bytes({1, 2, 3, 4, 5, 6});
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, File(SkaHeader(3, 2) + SkaPalette() + pixels), ImageFormatSka));
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_EQ(image.GetPixelIndex(0, 1), 1);
    EXPECT_EQ(image.GetPixelIndex(2, 1), 3);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 4);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 6);
    EXPECT_EQ(TopDown(image, 1, 0), (RGBQUAD{1, 253, 2, 0}));

    const struct { const char *name; std::string file; } refused[] = {
        {"exponent 2", SkaHeader(3, 2, 2) + SkaPalette() + pixels},
        {"other constant", SkaHeader(3, 2, 3, 0x02000000) + SkaPalette() + pixels},
        {"width 32768", SkaHeader(32768, 2) + SkaPalette() + pixels},
        {"height 0", SkaHeader(3, 0) + SkaPalette()},
        {"palette cut", SkaHeader(3, 2) + SkaPalette().substr(0, 700)},
        {"pixels cut", SkaHeader(3, 2) + SkaPalette() + pixels.substr(0, 5)},
    };
    for (const auto &r : refused) {
        CxImage failed;
        EXPECT_FALSE(DecodeFrom(failed, File(r.file), ImageFormatSka)) << r.name;
    }
}

// Guards the SKA writer: an 8-bit picture round trips; a 4-bit one is written as its 8-bit form and keeps
// its own depth; deeper pictures are refused.
TEST(CodecSka, WritesEightBitForm)
{
    CxImage eight = PaletteImage(5, 3, 8, 11);
    bool ok = false;
    const QByteArray file = EncodeTo(eight, ImageFormatSka, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(file.size(), 9 + 768 + 15);
    CxImage back;
    ASSERT_TRUE(DecodeFrom(back, file, ImageFormatSka));
    EXPECT_EQ(MaxDifference(toQImage(back), toQImage(eight)), 0);

    CxImage four = PaletteImage(7, 2, 4);
    const QByteArray fourFile = EncodeTo(four, ImageFormatSka, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(four.GetBpp(), 4);
    ASSERT_EQ(fourFile.size(), 9 + 768 + 14);
    EXPECT_EQ(uint8_t(fourFile[9 + 768 + 1]), four.GetPixelIndex(1, 1));
    CxImage fourBack;
    ASSERT_TRUE(DecodeFrom(fourBack, fourFile, ImageFormatSka));
    EXPECT_EQ(fourBack.GetBpp(), 8);
    EXPECT_EQ(MaxDifference(toQImage(fourBack), toQImage(four)), 0);

    CxImage colour(2, 2, 24);
    EncodeTo(colour, ImageFormatSka, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(colour.GetErrorText(), "SKA Images must be 8 bit or less");
}
