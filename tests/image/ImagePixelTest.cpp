#include "image/ImageRowCursor.h"
#include "image/xImage.h"

#include <gtest/gtest.h>

#include <cstring>

// Guards the bit and nibble packing that every codec writes and the display adapter reads.
TEST(ImagePixels, IndexPackingPerDepth)
{
    CxImage one(10, 2, 1);
    one.SetPixelIndex(0, 1, 1);
    one.SetPixelIndex(9, 1, 1);
    EXPECT_EQ(one.GetRowPointer(1)[0], 0x80);
    EXPECT_EQ(one.GetRowPointer(1)[1], 0x40);
    one.SetPixelIndex(0, 1, 0);
    EXPECT_EQ(one.GetRowPointer(1)[0], 0x00);

    CxImage four(3, 1, 4);
    four.SetPixelIndex(0, 0, 0xA);
    four.SetPixelIndex(1, 0, 0x15); // only the low nibble counts
    four.SetPixelIndex(2, 0, 0x3);
    EXPECT_EQ(four.GetRowPointer(0)[0], 0xA5);
    EXPECT_EQ(four.GetRowPointer(0)[1], 0x30);
    EXPECT_EQ(four.GetPixelIndex(1, 0), 5);

    CxImage rgb(2, 2, 24);
    rgb.SetPixelColor(1, 1, RGB(10, 20, 30));
    const uint8_t *p = rgb.GetPixelPointer(1, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(four.GetPixelPointer(0, 0), nullptr);
    EXPECT_EQ(rgb.GetPixelIndex(1, 1), 0);
}

// Guards the out-of-image rules that the samplers and codecs depend on.
TEST(ImagePixels, OutsideReads)
{
    CxImage rgb(3, 3, 24);
    rgb.SetPixelColor(0, 0, RGBQUAD{1, 2, 3, 0});
    EXPECT_EQ(rgb.GetPixelColor(-1, 5), (RGBQUAD{1, 2, 3, 0}));
    rgb.SetTransIndex(0);
    rgb.SetTransColor(RGBQUAD{9, 8, 7, 99});
    EXPECT_EQ(rgb.GetPixelColor(3, 0), (RGBQUAD{9, 8, 7, 0}));

    CxImage pal(3, 3, 8);
    pal.SetPaletteColor(4, 40, 41, 42);
    pal.SetPaletteColor(6, 60, 61, 62);
    pal.SetPixelIndex(0, 0, 6);
    EXPECT_EQ(pal.GetPixelIndex(7, 7), 6);
    pal.SetTransIndex(4);
    EXPECT_EQ(pal.GetPixelIndex(7, 7), 4);
    EXPECT_EQ(pal.GetPixelColor(-1, 0).rgbRed, 40);

    pal.AlphaCreate();
    pal.AlphaSetPixel(0, 0, 77);
    EXPECT_EQ(pal.GetPixelColor(0, 0, true).rgbReserved, 77);
    EXPECT_EQ(pal.GetPixelColor(0, 0, false).rgbReserved, 0);
    pal.SetPixelColor(1, 1, RGBQUAD{62, 61, 60, 33}, true);
    EXPECT_EQ(pal.GetPixelIndex(1, 1), 6);
    EXPECT_EQ(pal.AlphaGet(1, 1), 33);
    EXPECT_EQ(pal.AlphaGet(3, 3), 0);
    EXPECT_EQ(pal.AlphaGetPointer(3, 3), nullptr);

    CxImage empty;
    EXPECT_EQ(empty.GetPixelIndex(0, 0), 0);
    empty.SetPixelColor(0, 0, RGB(1, 2, 3)); // ignored, no crash
}

// Guards the standard palette that metafile pictures are reduced to before they are saved.
TEST(ImagePalette, StandardPalettes)
{
    CxImage eight(1, 1, 8);
    eight.SetStdPalette();
    uint32_t sum = 0;
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD c = eight.GetPaletteColor(uint8_t(i));
        sum = sum * 31 + (uint32_t(c.rgbRed) << 16 | uint32_t(c.rgbGreen) << 8 | c.rgbBlue);
        EXPECT_EQ(c.rgbReserved, 0);
    }
    EXPECT_EQ(sum, 0x3722863Du);
    struct Spot { uint8_t index, r, g, b; };
    const Spot spots[] = {{0, 0, 0, 0},          {8, 0xC0, 0xDC, 0xC0}, {40, 0xFE, 0, 0},
                          {226, 0xF2, 0xF2, 0xF2}, {245, 0x0E, 0x0E, 0x0E}, {249, 0xFF, 0, 0},
                          {255, 0xFF, 0xFF, 0xFF}};
    for (const Spot &s : spots) {
        uint8_t r, g, b;
        ASSERT_TRUE(eight.GetPaletteColor(s.index, &r, &g, &b));
        EXPECT_EQ(r, s.r) << int(s.index);
        EXPECT_EQ(g, s.g) << int(s.index);
        EXPECT_EQ(b, s.b) << int(s.index);
    }

    CxImage four(1, 1, 4);
    four.SetStdPalette();
    EXPECT_EQ(four.GetPaletteColor(7), (RGBQUAD{0xC0, 0xC0, 0xC0, 0}));
    EXPECT_EQ(four.GetPaletteColor(9), (RGBQUAD{0, 0, 0xFF, 0}));
    uint8_t r;
    EXPECT_FALSE(four.GetPaletteColor(16, &r, &r, &r)); // beyond the entries
    EXPECT_EQ(four.GetPaletteColor(16), (RGBQUAD{0, 0, 0, 0}));
}

TEST(ImagePalette, GreyPalettesAndTheGreyTest)
{
    CxImage four(1, 1, 4);
    four.SetGrayPalette();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(four.GetPaletteColor(uint8_t(i)).rgbGreen, 17 * i);
    EXPECT_FALSE(four.IsGrayScale());
    CxImage one(1, 1, 1);
    one.SetGrayPalette();
    EXPECT_EQ(one.GetPaletteColor(1).rgbRed, 255);
    EXPECT_FALSE(one.IsGrayScale()); // black and white is not the identity ramp
    CxImage eight(1, 1, 8);
    eight.SetGrayPalette();
    EXPECT_TRUE(eight.IsGrayScale());
    EXPECT_FALSE(CxImage(1, 1, 24).IsGrayScale());
}

// Guards the nearest-colour search: tie order, exact matches, the cache, and the important count that
// file headers may set above the palette size.
TEST(ImagePalette, NearestIndex)
{
    CxImage image(1, 1, 8);
    image.SetPaletteColor(3, 10, 0, 0);
    image.SetPaletteColor(4, 30, 0, 0);
    image.SetClrImportant(5);
    EXPECT_EQ(image.GetNearestIndex(RGBQUAD{0, 0, 20, 0}), 3); // tie: the lower index
    image.SetPaletteColor(0, 1, 1, 1);
    EXPECT_EQ(image.GetNearestIndex(RGBQUAD{0, 0, 30, 0}), 4);
    image.SetPaletteColor(1, 30, 0, 0); // same colour earlier: the cache must not hide it
    EXPECT_EQ(image.GetNearestIndex(RGBQUAD{0, 0, 30, 0}), 1);
    image.SetPaletteColor(2, 200, 0, 0);
    image.SetClrImportant(2);
    EXPECT_EQ(image.GetNearestIndex(RGBQUAD{0, 0, 200, 0}), 1); // entries past the count are not searched

    CxImage one(1, 1, 1);
    one.SetStdPalette();
    one.SetClrImportant(256);
    EXPECT_EQ(one.GetClrImportant(), 2u);
    EXPECT_EQ(one.GetNearestIndex(RGBQUAD{250, 250, 250, 0}), 1);
    CxImage eight(1, 1, 8);
    eight.SetStdPalette();
    reinterpret_cast<BITMAPINFOHEADER *>(eight.GetDibBlock())->biClrImportant = 100000;
    EXPECT_EQ(eight.GetNearestIndex(RGBQUAD{0, 0, 255, 0}), 249);
}

TEST(ImagePalette, SettersAndSwaps)
{
    CxImage image(2, 1, 8);
    const uint8_t reds[3] = {1, 2, 3};
    image.SetPalette(3, reds);
    EXPECT_EQ(image.GetPaletteColor(2), (RGBQUAD{3, 3, 3, 0}));
    const RgbColor triples[2] = {{5, 6, 7}, {8, 9, 10}};
    image.SetPalette(triples, 2);
    EXPECT_EQ(image.GetPaletteColor(1), (RGBQUAD{10, 9, 8, 0}));
    RGBQUAD many[300] = {};
    many[255] = RGBQUAD{1, 1, 1, 1};
    image.SetPalette(many, 300);
    EXPECT_TRUE(image.AlphaPaletteIsValid());

    image.SetPaletteColor(1, 10, 20, 30);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelIndex(1, 0, 2);
    image.SwapIndex(1, 2);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 2);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 1);
    EXPECT_EQ(image.GetPaletteColor(2).rgbRed, 10);
    image.SwapRedBlue();
    EXPECT_EQ(image.GetPaletteColor(2).rgbRed, 30);

    CxImage rgb(2, 1, 24);
    rgb.SetPixelColor(1, 0, RGB(1, 2, 3));
    rgb.SwapRedBlue();
    EXPECT_EQ(rgb.GetPixelColor(1, 0).rgbRed, 3);

    RGBQUAD sorted[3] = {{0, 0, 255, 0}, {0, 0, 0, 0}, {255, 255, 255, 0}};
    std::qsort(sorted, 3, sizeof(RGBQUAD), CxImage::CompareColors);
    EXPECT_EQ(sorted[0].rgbRed, 0);
    EXPECT_EQ(sorted[1].rgbRed, 255);
    EXPECT_EQ(sorted[2].rgbBlue, 255);
}

TEST(ImagePixels, ClearAndLines)
{
    struct Case { uint32_t bpp; uint8_t value, byte; };
    const Case cases[] = {{1, 1, 0xFF}, {1, 0, 0x00}, {4, 3, 0x33}, {4, 0x13, 0x33}, {8, 7, 7}, {24, 9, 9}};
    for (const Case &c : cases) {
        CxImage image(5, 2, c.bpp);
        image.Clear(c.value);
        EXPECT_EQ(image.GetRowPointer(1)[0], c.byte) << c.bpp;
        EXPECT_EQ(image.GetRowPointer(1)[image.GetRowStride() - 1], c.byte) << c.bpp;
    }

    CxImage canvas(5, 3, 24);
    canvas.DrawLine(0, 3, 0, 1, RGB(255, 0, 0));
    int set = 0;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            set += canvas.GetPixelColor(x, y).rgbRed == 255;
    EXPECT_EQ(set, 4);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 1}, {3, 1}})
        EXPECT_EQ(canvas.GetPixelColor(x, y).rgbRed, 255) << x << "," << y;

    CxImage steep(3, 5, 24);
    steep.DrawLine(2, 2, 6, -3, RGBQUAD{0, 200, 0, 9}); // partly outside: the inside points only
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(steep.GetPixelColor(2, y).rgbGreen, 200);
}

TEST(ImageTransparency, IndexAndColourRules)
{
    CxImage eight(1, 1, 8);
    eight.SetTransIndex(300);
    EXPECT_EQ(eight.GetTransIndex(), 0);
    eight.SetTransIndex(-1);
    EXPECT_FALSE(eight.IsTransparent());
    eight.SetPaletteColor(12, 1, 2, 3, 4);
    eight.SetTransIndex(12);
    EXPECT_EQ(eight.GetTransColor(), (RGBQUAD{3, 2, 1, 4}));

    CxImage rgb(1, 1, 24);
    rgb.SetTransIndex(-5);
    EXPECT_EQ(rgb.GetTransIndex(), -5);
    rgb.SetTransIndex(7);
    EXPECT_EQ(rgb.GetTransIndex(), 0);
    rgb.SetTransColor(RGBQUAD{1, 2, 3, 4});
    EXPECT_EQ(rgb.GetTransColor(), (RGBQUAD{1, 2, 3, 0}));
}

// Guards the alpha plane built from a grey mask: a mask that does not fit must change nothing.
TEST(ImageAlpha, PlaneOperations)
{
    CxImage image(3, 2, 24);
    EXPECT_FALSE(image.AlphaFlip());
    ASSERT_TRUE(image.AlphaCreate());
    EXPECT_EQ(image.AlphaGet(2, 1), 255);
    image.AlphaSetPixel(0, 0, 10);
    image.AlphaSetPixel(2, 0, 30);
    image.AlphaInvert();
    EXPECT_EQ(image.AlphaGet(0, 0), 245);
    image.AlphaInvert();
    EXPECT_TRUE(image.AlphaMirror());
    EXPECT_EQ(image.AlphaGet(0, 0), 30);
    EXPECT_TRUE(image.AlphaFlip());
    EXPECT_EQ(image.AlphaGet(0, 1), 30);

    CxImage wrongSize(3, 3, 8);
    wrongSize.SetGrayPalette();
    EXPECT_FALSE(image.AlphaSetFromImage(wrongSize));
    EXPECT_EQ(image.AlphaGet(0, 1), 30);

    CxImage notGrey(3, 2, 8);
    EXPECT_FALSE(image.AlphaSetFromImage(notGrey));

    CxImage mask(3, 2, 8);
    mask.SetGrayPalette();
    mask.SetPixelIndex(1, 0, 128);
    CxImage fresh(3, 2, 24);
    ASSERT_TRUE(fresh.AlphaSetFromImage(mask));
    EXPECT_EQ(fresh.AlphaGet(1, 0), 128);
    EXPECT_EQ(fresh.AlphaGet(0, 0), 0);

    // A 4-bit "grey" palette passes the grey test but has no byte per pixel to copy.
    CxImage nibbles(3, 2, 4);
    for (int i = 0; i < 16; ++i)
        nibbles.SetPaletteColor(uint8_t(i), uint8_t(i), uint8_t(i), uint8_t(i));
    EXPECT_FALSE(fresh.AlphaSetFromImage(nibbles));

    CxImage copy(3, 2, 8);
    EXPECT_TRUE(copy.AlphaCopy(fresh));
    EXPECT_EQ(copy.AlphaGet(1, 0), 128);
    EXPECT_FALSE(copy.AlphaCopy(wrongSize));
    copy.AlphaSet(5);
    EXPECT_EQ(copy.AlphaGet(2, 1), 5);
    copy.AlphaDelete();
    EXPECT_FALSE(copy.AlphaIsValid());
}

TEST(ImageSelection, MaskAndBox)
{
    CxImage image(4, 3, 24);
    ASSERT_TRUE(image.SelectionCreate());
    image.SelectionSet(1, 0, 255);
    image.SelectionSet(2, 1, 255);
    RECT box = image.GetSelectionBox();
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(box.bottom, 0);
    EXPECT_EQ(box.top, 2);
    EXPECT_TRUE(image.SelectionFlip());
    box = image.GetSelectionBox();
    EXPECT_EQ(box.bottom, 1);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(*image.SelectionGetPointer(1, 2), 255);
    EXPECT_TRUE(image.SelectionMirror());
    EXPECT_EQ(*image.SelectionGetPointer(2, 2), 255);
    EXPECT_EQ(image.GetSelectionBox().left, 1);
    EXPECT_EQ(image.GetSelectionBox().right, 3);

    CxImage other(4, 3, 8);
    EXPECT_TRUE(other.SelectionCopy(image));
    EXPECT_EQ(*other.SelectionGetPointer(2, 2), 255);
    other.SelectionDelete();
    EXPECT_FALSE(other.SelectionIsValid());
    EXPECT_EQ(other.GetSelectionBox().left, 4);
}

TEST(ImageRowCursor, WalksTopDown)
{
    CxImage image(3, 3, 8);
    ImageRowCursor cursor(&image);
    ASSERT_EQ(cursor.ToTopRow(), image.GetRowPointer(2));
    const uint8_t row[5] = {1, 2, 3, 4, 5};
    cursor.WriteRow(row, -1);
    EXPECT_EQ(image.GetPixelIndex(2, 2), 3);
    EXPECT_EQ(image.GetRowPointer(2)[3], 4); // a whole stride: 4 bytes
    EXPECT_TRUE(cursor.PreviousRow());
    EXPECT_TRUE(cursor.PreviousRow());
    EXPECT_EQ(cursor.Row(), image.GetRowPointer(0));
    EXPECT_FALSE(cursor.PreviousRow());
    EXPECT_EQ(cursor.Row(), image.GetRowPointer(0));
    cursor.WriteRow(row, 100); // at most one stride
    EXPECT_EQ(image.GetRowPointer(1)[0], 0);
    uint8_t back[2] = {};
    cursor.ReadRow(back, 2);
    EXPECT_EQ(back[1], 2);
    // Only rows inside the picture: the row at the height would address past the block.
    EXPECT_EQ(cursor.SetRow(3), image.GetRowPointer(0));
    EXPECT_EQ(cursor.SetRow(1), image.GetRowPointer(1));
}
