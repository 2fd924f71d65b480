#include "CodecTestSupport.h"

#include "image/qt/ImageQt.h"
#include "image/xImage.h"

#include <gtest/gtest.h>

#include <QTransform>

namespace {

QImage RgbPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 9, y * 11, (x * y) & 0xFF));
    return picture;
}

void ExpectSameRgb(const QImage &a, const QImage &b)
{
    ASSERT_EQ(a.size(), b.size());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
}

} // namespace

// Guards the display path: indices and colour tables survive both directions unchanged.
TEST(ImageQt, IndexedRoundTripKeepsIndicesAndPalette)
{
    QImage indexed(9, 4, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table.append(qRgb(i, 255 - i, (i * 7) & 0xFF));
    indexed.setColorTable(table);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            indexed.setPixel(x, y, uint(x * 29 + y * 3) & 0xFF);

    CxImage image;
    ASSERT_TRUE(fromQImage(image, indexed));
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_EQ(image.GetPixelIndex(8, 3), 8 * 29); // top row of the picture is the last row in memory
    EXPECT_EQ(image.GetPaletteColor(200), (RGBQUAD{uint8_t((200 * 7) & 0xFF), 55, 200, 0}));

    const QImage back = toQImage(image);
    EXPECT_EQ(back.format(), QImage::Format_Indexed8);
    EXPECT_EQ(back.colorTable(), table);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(back.pixelIndex(x, y), indexed.pixelIndex(x, y));

    QImage mono(11, 3, QImage::Format_MonoLSB);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(10, 0, 1);
    ASSERT_TRUE(fromQImage(image, mono));
    EXPECT_EQ(image.GetBpp(), 1);
    EXPECT_EQ(image.GetPixelIndex(10, 2), 1);
    const QImage monoBack = toQImage(image);
    EXPECT_EQ(monoBack.format(), QImage::Format_Mono);
    EXPECT_EQ(monoBack.pixelIndex(10, 0), 1);
    EXPECT_EQ(monoBack.pixelIndex(9, 0), 0);
}

TEST(ImageQt, TrueColourAndAlpha)
{
    QImage argb(5, 2, QImage::Format_ARGB32);
    argb.fill(qRgba(10, 20, 30, 40));
    CxImage image;
    ASSERT_TRUE(fromQImage(image, argb));
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_FALSE(image.AlphaIsValid());
    EXPECT_EQ(image.GetPixelColor(4, 1), (RGBQUAD{30, 20, 10, 0}));

    const QImage rgb = RgbPicture(7, 5);
    ASSERT_TRUE(fromQImage(image, rgb));
    ExpectSameRgb(toQImage(image), rgb);

    image.AlphaCreate();
    image.AlphaSetPixel(0, 0, 66);
    const QImage withAlpha = toQImage(image);
    EXPECT_EQ(withAlpha.format(), QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(withAlpha.pixel(0, 4)), 66);
    EXPECT_EQ(qRed(withAlpha.pixel(0, 4)), qRed(rgb.pixel(0, 4)));

    CxImage four(3, 1, 4);
    four.SetStdPalette();
    four.SetPixelIndex(2, 0, 9);
    const QImage fromFour = toQImage(four);
    EXPECT_EQ(fromFour.format(), QImage::Format_Indexed8);
    EXPECT_EQ(fromFour.colorCount(), 16);
    EXPECT_EQ(fromFour.pixel(2, 0), qRgb(255, 0, 0));

    EXPECT_TRUE(toQImage(CxImage()).isNull());
    EXPECT_FALSE(fromQImage(image, QImage()));
}

// Cross-checks the geometric conversions against Qt's own transforms of the same picture.
TEST(ImageQt, ConversionsAgreeWithQt)
{
    const QImage picture = RgbPicture(67, 45);
    CxImage image;
    ASSERT_TRUE(fromQImage(image, picture));

    CxImage flipped(image);
    ASSERT_TRUE(flipped.Flip());
    ExpectSameRgb(toQImage(flipped), picture.mirrored(false, true));

    CxImage mirrored(image);
    ASSERT_TRUE(mirrored.Mirror());
    ExpectSameRgb(toQImage(mirrored), picture.mirrored(true, false));

    CxImage right(image);
    ASSERT_TRUE(right.RotateRight());
    ExpectSameRgb(toQImage(right), picture.transformed(QTransform().rotate(90)));

    CxImage left(image);
    ASSERT_TRUE(left.RotateLeft());
    ExpectSameRgb(toQImage(left), picture.transformed(QTransform().rotate(-90)));

    CxImage negative(image);
    ASSERT_TRUE(negative.Negative());
    QImage inverted = picture;
    inverted.invertPixels();
    ExpectSameRgb(toQImage(negative), inverted);
}

// Guards transparency on the way to the screen: a transparent palette index, palette alpha read from a
// file, an alpha plane over a palette and a 24-bit transparent colour must all show as transparent, and
// a PNG read by us must show as Qt shows it.
TEST(ImageQt, TransparencyReachesTheScreen)
{
    using namespace codectest;
    CxImage indexed = PaletteImage(4, 2, 8);
    indexed.SetTransIndex(indexed.GetPixelIndex(2, 1));
    QImage shown = toQImage(indexed);
    EXPECT_EQ(shown.format(), QImage::Format_Indexed8);
    EXPECT_EQ(qAlpha(shown.pixel(2, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(1, 0)), 255);
    EXPECT_EQ(shown.pixelIndex(2, 0), indexed.GetPixelIndex(2, 1));

    indexed.AlphaCreate();
    indexed.AlphaSetPixel(0, 0, 70);
    shown = toQImage(indexed);
    EXPECT_EQ(qAlpha(shown.pixel(0, 1)), 70);
    EXPECT_EQ(qAlpha(shown.pixel(2, 0)), 0);

    CxImage rgb(3, 1, 24);
    rgb.SetPixelColor(1, 0, RGBQUAD{1, 2, 3, 0});
    rgb.SetTransColor(RGBQUAD{1, 2, 3, 0});
    rgb.SetTransIndex(0);
    shown = toQImage(rgb);
    EXPECT_EQ(qAlpha(shown.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 255);

    // Files with palette alpha, a one-entry tRNS and a transparent grey level.
    const std::string plte = Chunk("PLTE", Bytes({255, 0, 0, 0, 255, 0, 0, 0, 255}));
    const std::vector<std::string> rows = {Bytes({0, 1, 2}), Bytes({2, 1, 0})};
    for (const QByteArray &png : {MakePng(3, 2, 8, 3, rows, plte + Chunk("tRNS", Bytes({0, 90, 255}))),
                                  MakePng(3, 2, 8, 3, rows, plte + Chunk("tRNS", Bytes({0}))),
                                  MakePng(3, 2, 8, 0, rows, Chunk("tRNS", Bytes({0, 1})))}) {
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, png, ImageFormatPng)) << image.GetErrorText();
        EXPECT_EQ(MaxDifference(toQImage(image), QtRead(png, "png")), 0);
    }
}
