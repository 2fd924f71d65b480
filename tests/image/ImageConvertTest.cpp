#include "image/xImage.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void ExpectSamePixels(const CxImage &a, const CxImage &b)
{
    ASSERT_EQ(a.GetWidth(), b.GetWidth());
    ASSERT_EQ(a.GetHeight(), b.GetHeight());
    ASSERT_EQ(a.GetBpp(), b.GetBpp());
    for (int32_t y = 0; y < a.GetHeight(); ++y)
        for (int32_t x = 0; x < a.GetWidth(); ++x) {
            ASSERT_EQ(a.GetPixelColor(x, y), b.GetPixelColor(x, y)) << x << "," << y;
            if (a.SelectionIsValid()) {
                ASSERT_EQ(*a.SelectionGetPointer(x, y), *b.SelectionGetPointer(x, y));
            }
        }
}

CxImage Pattern(uint32_t bpp, int32_t width = 70, int32_t height = 67)
{
    CxImage image(uint32_t(width), uint32_t(height), bpp);
    if (bpp <= 8)
        image.SetStdPalette();
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            if (bpp <= 8)
                image.SetPixelIndex(x, y, uint8_t(x * 7 + y * 3));
            else
                image.SetPixelColor(x, y, RGBQUAD{uint8_t(x), uint8_t(y), uint8_t(x ^ y), 0});
        }
    return image;
}

} // namespace

TEST(ImageConvert, GrayScaleLevelsAndRamp)
{
    CxImage rgb(4, 1, 24);
    rgb.SetPixelColor(0, 0, RGB(255, 0, 0));
    rgb.SetPixelColor(1, 0, RGB(0, 255, 0));
    rgb.SetPixelColor(2, 0, RGB(0, 0, 255));
    rgb.SetPixelColor(3, 0, RGB(255, 255, 255));
    rgb.AlphaCreate();
    rgb.AlphaSetPixel(3, 0, 9);
    ASSERT_TRUE(rgb.GrayScale());
    EXPECT_EQ(rgb.GetBpp(), 8);
    EXPECT_TRUE(rgb.IsGrayScale());
    const uint8_t expected[4] = {76, 149, 29, 255};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(rgb.GetPixelIndex(x, 0), expected[x]);
    EXPECT_EQ(rgb.AlphaGet(3, 0), 9);

    CxImage pal(2, 1, 8);
    pal.SetPaletteColor(5, 255, 0, 0);
    pal.SetPixelIndex(0, 0, 5);
    pal.SetTransIndex(5);
    ASSERT_TRUE(pal.GrayScale());
    EXPECT_EQ(pal.GetTransIndex(), 76);
    EXPECT_EQ(pal.GetPixelIndex(0, 0), 76);
    EXPECT_TRUE(pal.IsGrayScale());

    CxImage four(3, 1, 4);
    four.SetStdPalette();
    four.SetPixelIndex(1, 0, 12); // blue
    ASSERT_TRUE(four.GrayScale());
    EXPECT_EQ(four.GetBpp(), 8);
    EXPECT_EQ(four.GetPixelIndex(1, 0), 29);
    EXPECT_FALSE(CxImage().GrayScale());
}

TEST(ImageConvert, NegativeHonoursPaletteAndSelection)
{
    CxImage rgb(3, 1, 24);
    rgb.SetPixelColor(0, 0, RGB(10, 20, 30));
    rgb.SetTransColor(RGBQUAD{0, 0, 255, 0});
    ASSERT_TRUE(rgb.Negative());
    EXPECT_EQ(rgb.GetPixelColor(0, 0), (RGBQUAD{225, 235, 245, 0}));
    EXPECT_EQ(rgb.GetTransColor(), (RGBQUAD{255, 255, 0, 0}));

    CxImage selected(3, 1, 24);
    selected.SelectionCreate();
    selected.SelectionSet(1, 0, 255);
    ASSERT_TRUE(selected.Negative());
    EXPECT_EQ(selected.GetPixelColor(0, 0).rgbRed, 0);
    EXPECT_EQ(selected.GetPixelColor(1, 0).rgbRed, 255);

    CxImage pal(1, 1, 8);
    pal.SetPaletteColor(0, 10, 0, 0);
    ASSERT_TRUE(pal.Negative());
    EXPECT_EQ(pal.GetPaletteColor(0).rgbRed, 245);

    CxImage grey(2, 1, 8);
    grey.SetGrayPalette();
    grey.SetPixelIndex(0, 0, 200);
    ASSERT_TRUE(grey.Negative());
    EXPECT_EQ(grey.GetPixelIndex(0, 0), 55);
}

TEST(ImageConvert, FlipAndMirror)
{
    CxImage image = Pattern(24, 5, 3);
    const CxImage before(image);
    image.AlphaCreate();
    image.AlphaSetPixel(1, 0, 3);
    ASSERT_TRUE(image.Flip());
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(image.GetPixelColor(x, 1, false), before.GetPixelColor(x, 1)); // the middle row stays
        EXPECT_EQ(image.GetPixelColor(x, 0, false), before.GetPixelColor(x, 2));
    }
    EXPECT_EQ(image.AlphaGet(1, 2), 3);

    for (uint32_t bpp : {1u, 4u, 8u, 24u}) {
        CxImage m = Pattern(bpp, 13, 4);
        const CxImage original(m);
        ASSERT_TRUE(m.Mirror());
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(m.GetPixelColor(x, y), original.GetPixelColor(12 - x, y)) << bpp;
    }
}

// Guards the quarter turns: a left then a right turn is the identity for every depth and plane.
TEST(ImageConvert, RotationsRoundTrip)
{
    for (uint32_t bpp : {1u, 4u, 8u, 24u}) {
        CxImage image = Pattern(bpp);
        image.AlphaCreate();
        image.SelectionCreate();
        for (int i = 0; i < 70; ++i) {
            image.AlphaSetPixel(i, i % 67, uint8_t(i));
            image.SelectionSet(i % 9, i % 67, 200);
        }
        const CxImage original(image);
        CxImage turned;
        ASSERT_TRUE(image.RotateLeft(&turned));
        ASSERT_EQ(turned.GetWidth(), 67);
        ASSERT_EQ(turned.GetHeight(), 70);
        // A left turn: destination (x, y) is source (y, newWidth - 1 - x).
        EXPECT_EQ(turned.GetPixelColor(3, 5), original.GetPixelColor(5, 66 - 3)) << bpp;
        EXPECT_EQ(turned.AlphaGet(66 - 10, 10), 10);
        ASSERT_TRUE(turned.RotateRight());
        ExpectSamePixels(turned, original);
        for (int i = 0; i < 70; ++i)
            EXPECT_EQ(turned.AlphaGet(i, i % 67), uint8_t(i));
        const RECT box = turned.GetSelectionBox();
        const RECT was = original.GetSelectionBox();
        EXPECT_EQ(box.left, was.left);
        EXPECT_EQ(box.right, was.right);
        EXPECT_EQ(box.top, was.top);
        EXPECT_EQ(box.bottom, was.bottom);
    }
}

TEST(ImageConvert, DecreaseBppRules)
{
    CxImage eight(2, 2, 8);
    const void *block = eight.GetDibBlock();
    EXPECT_TRUE(eight.DecreaseBpp(8, false, nullptr, 0));
    EXPECT_EQ(eight.GetDibBlock(), block);

    CxImage four(2, 2, 4);
    EXPECT_FALSE(four.DecreaseBpp(8, false));
    EXPECT_STREQ(four.GetErrorText(), "DecreaseBpp: target BPP greater than source BPP");

    // An exact match ends the search: pure red is entry 249, not the near-red entry 40.
    CxImage rgb(2, 1, 24);
    rgb.SetPixelColor(0, 0, RGB(255, 0, 0));
    rgb.SetPixelColor(1, 0, RGB(0xF2, 0xF2, 0xF3));
    rgb.AlphaCreate();
    rgb.AlphaSetPixel(1, 0, 4);
    ASSERT_TRUE(rgb.DecreaseBpp(8, false, nullptr, 256));
    EXPECT_EQ(rgb.GetBpp(), 8);
    EXPECT_EQ(rgb.GetPixelIndex(0, 0), 249);
    EXPECT_EQ(rgb.GetPixelIndex(1, 0), 226);
    EXPECT_EQ(rgb.AlphaGet(1, 0), 4);

    // A caller's important count above the palette size copies only the entries that exist.
    RGBQUAD given[4] = {{0, 0, 0, 0}, {255, 255, 255, 0}, {1, 2, 3, 0}, {4, 5, 6, 0}};
    CxImage small(2, 1, 24);
    small.SetPixelColor(1, 0, RGB(250, 250, 250));
    ASSERT_TRUE(small.DecreaseBpp(1, false, given, 200));
    EXPECT_EQ(small.GetBpp(), 1);
    EXPECT_EQ(small.GetPixelIndex(1, 0), 1);
}

// Guards the diffusion weights (7, 2, 4, 1 sixteenths) and their direction (row y + 1 is above).
TEST(ImageConvert, ErrorDiffusionByHand)
{
    // Rows from the bottom: row 0 = 60, 60; row 1 = 100, 60.
    CxImage grey(2, 2, 24);
    grey.Clear(60);
    grey.SetPixelColor(0, 1, RGB(100, 100, 100));
    ASSERT_TRUE(grey.DecreaseBpp(1, true));
    // (0,0): 60 -> black, e = 60: (1,0) += 26 -> 86, (0,1) += 15 -> 115, (1,1) += 3 -> 63.
    // (1,0): 86 -> black, e = 86: (0,1) += 10 -> 125, (1,1) += 21 -> 84.
    // (0,1): 125 -> black, e = 125: (1,1) += 54 -> 138.
    // (1,1): 138 -> white. With 7/3/5/1 weights (0,1) would turn white instead; diffusing downwards would
    // leave (1,1) black.
    EXPECT_EQ(grey.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(grey.GetPixelIndex(1, 0), 0);
    EXPECT_EQ(grey.GetPixelIndex(0, 1), 0);
    EXPECT_EQ(grey.GetPixelIndex(1, 1), 1);
}

TEST(ImageConvert, IncreaseBpp)
{
    CxImage four(3, 2, 4);
    four.SetStdPalette();
    four.SetPixelIndex(2, 1, 13);
    ASSERT_TRUE(four.IncreaseBpp(8));
    EXPECT_EQ(four.GetBpp(), 8);
    EXPECT_EQ(four.GetPixelIndex(2, 1), 13);
    EXPECT_EQ(four.GetPaletteColor(13), (RGBQUAD{0xFF, 0, 0xFF, 0}));
    for (int i = 16; i < 256; ++i)
        ASSERT_EQ(four.GetPaletteColor(uint8_t(i)), (RGBQUAD{0, 0, 0, 0}));
    EXPECT_FALSE(four.IncreaseBpp(4));
    EXPECT_TRUE(four.IncreaseBpp(8));
    EXPECT_FALSE(four.IncreaseBpp(16));

    CxImage pal(2, 1, 8);
    pal.SetPaletteColor(1, 10, 20, 30, 128);
    pal.SetPixelIndex(1, 0, 1);
    pal.SetTransIndex(1);
    ASSERT_TRUE(pal.IncreaseBpp(24));
    EXPECT_EQ(pal.GetBpp(), 24);
    ASSERT_TRUE(pal.AlphaIsValid());
    EXPECT_EQ(pal.AlphaGet(1, 0), 128);
    EXPECT_EQ(pal.AlphaGet(0, 0), 0);
    EXPECT_EQ(pal.GetPixelColor(1, 0, false), (RGBQUAD{30, 20, 10, 0}));
    EXPECT_EQ(pal.GetTransColor(), (RGBQUAD{30, 20, 10, 0}));
}

TEST(ImageConvert, ConversionsDropStaleFrames)
{
    CxImage image(4, 4, 24);
    CxImage withAlpha(image);
    EXPECT_TRUE(withAlpha.Mirror());
    EXPECT_EQ(withAlpha.GetFrameCount(), 0);
}
