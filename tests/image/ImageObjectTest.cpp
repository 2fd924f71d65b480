#include "image/xImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

// Guards the depth mapping and row padding that every codec and the display adapter rely on.
TEST(ImageObject, CreateMapsDepthsAndPadsRows)
{
    struct Case { uint32_t width, bpp; uint16_t depth; uint32_t stride, colours; };
    const Case cases[] = {
        {10, 0, 1, 4, 2},   {10, 1, 1, 4, 2},   {10, 2, 4, 8, 16},  {10, 4, 4, 8, 16},
        {10, 5, 8, 12, 256}, {10, 8, 8, 12, 256}, {10, 16, 24, 32, 0}, {10, 32, 24, 32, 0},
        {33, 1, 1, 8, 2},
    };
    for (const Case &c : cases) {
        CxImage image;
        ASSERT_NE(image.Create(c.width, 1, c.bpp), nullptr) << c.bpp;
        EXPECT_EQ(image.GetBpp(), c.depth) << c.bpp;
        EXPECT_EQ(image.GetRowStride(), c.stride) << c.bpp;
        EXPECT_EQ(image.GetNumColors(), c.colours) << c.bpp;
        EXPECT_EQ(image.GetDibSize(), 40 + c.stride + 4 * c.colours) << c.bpp;
        EXPECT_EQ(image.GetRowPointer(0), static_cast<uint8_t *>(image.GetDibBlock()) + 40 + 4 * c.colours);
        EXPECT_EQ(image.GetRowPointer(1), nullptr);
    }
}

// Guards against rows left with heap contents: decoders that stop early must leave zero bytes behind.
TEST(ImageObject, CreateClearsPixelsAndPalette)
{
    CxImage dirty(64, 64, 24);
    std::memset(dirty.GetRowPointer(0), 0xAB, dirty.GetRowStride() * 64);
    dirty.Create(64, 64, 8);
    for (int32_t y = 0; y < 64; ++y) {
        const uint8_t *row = dirty.GetRowPointer(uint32_t(y));
        for (uint32_t i = 0; i < dirty.GetRowStride(); ++i)
            ASSERT_EQ(row[i], 0);
    }
    EXPECT_EQ(dirty.GetPaletteColor(200), (RGBQUAD{0, 0, 0, 0}));
}

// Guards the pixel block a large picture leaves for the next one of its size: it is handed out again
// (a run of photographs does not pay for fresh memory each time), but cleared, so no picture shows the
// pixels of the one before it; a picture that still holds its block does not lose it.
TEST(ImageObject, LargeBlockIsReusedOnlyCleared)
{
    const void *freed = nullptr;
    {
        CxImage photo(2000, 1000, 24);
        std::memset(photo.GetRowPointer(0), 0xCD, size_t(photo.GetRowStride()) * 1000);
        freed = photo.GetDibBlock();
    }
    CxImage next(2000, 1000, 24);
    EXPECT_EQ(next.GetDibBlock(), freed);
    for (uint32_t y = 0; y < 1000; y += 333) {
        const uint8_t *row = next.GetRowPointer(y);
        ASSERT_TRUE(std::all_of(row, row + next.GetRowStride(), [](uint8_t b) { return b == 0; })) << y;
    }
    CxImage other(2000, 1000, 24);
    EXPECT_NE(other.GetDibBlock(), next.GetDibBlock());
}

// Guards the size limit against 32-bit wrap: a wrapped product used to yield a tiny block.
TEST(ImageObject, CreateRefusesSizesAboveTheLimit)
{
    CxImage image;
    EXPECT_EQ(image.Create(0, 5, 24), nullptr);
    EXPECT_STREQ(image.GetErrorText(), "CxImage::Create : width and height must be greater than zero");
    EXPECT_FALSE(image.IsValid());

    struct Case { uint32_t width, height, bpp; bool accepted; };
    const Case cases[] = {
        {16384, 16384, 8, true},      // exactly 268,435,456 bytes
        {16388, 16384, 8, false},     // one row of padding-free bytes more
        {65536, 65536, 1, false},     // 512 MiB: wrapped past a 32-bit check
        {65536, 65537, 8, false},     // width x height x bpp wraps to a small number in 32 bits
        {0x80000000u, 1, 1, false},   // width beyond the header's signed field
        {1, 0x7FFFFFFFu, 24, false},  // padding counts: 4 bytes a row
    };
    for (const Case &c : cases) {
        CxImage big;
        const bool ok = big.Create(c.width, c.height, c.bpp) != nullptr;
        EXPECT_EQ(ok, c.accepted) << c.width << "x" << c.height;
        if (!c.accepted) {
            EXPECT_STREQ(big.GetErrorText(), "CXIMAGE_MAX_MEMORY exceeded");
        }
    }
}

TEST(ImageObject, FormatIdsAndCodecOptionSlots)
{
    CxImage image;
    EXPECT_FALSE(image.SetFormatId(16));
    EXPECT_EQ(image.GetFormatId(), 0u);
    EXPECT_TRUE(image.SetFormatId(19));
    EXPECT_EQ(image.GetFormatId(), 19u);
    EXPECT_FALSE(image.SetFormatId(42));
    EXPECT_EQ(image.GetFormatId(), 0u);

    EXPECT_EQ(CxImage::FormatSlotFromId(15), 15u);
    EXPECT_EQ(CxImage::FormatSlotFromId(16), 0u);
    EXPECT_EQ(CxImage::FormatSlotFromId(17), 16u);
    EXPECT_EQ(CxImage::FormatSlotFromId(19), 18u);
    EXPECT_EQ(CxImage::FormatSlotFromId(20), 0u);

    image.SetFormatId(ImageFormatPng);
    image.SetCodecOption(7, ImageFormatPng);
    image.SetCodecOption(3, ImageFormatRaw);
    EXPECT_EQ(image.GetCodecOption(16), 7u);
    EXPECT_EQ(image.GetCodecOption(42), 7u);
    EXPECT_EQ(image.GetCodecOption(ImageFormatRaw), 3u);
}

TEST(ImageObject, ResolutionAndDefaults)
{
    CxImage image;
    EXPECT_EQ(image.GetHorizontalDpi(), 96);
    EXPECT_EQ(image.GetJpegQuality(), 90);
    EXPECT_EQ(image.GetTransIndex(), -1);
    image.Create(4, 4, 24);
    image.SetHorizontalDpi(0);
    image.SetVerticalDpi(300);
    const auto *block = static_cast<const BITMAPINFOHEADER *>(image.GetDibBlock());
    EXPECT_EQ(image.GetHorizontalDpi(), 96);
    EXPECT_EQ(block->biXPelsPerMeter, 3780);
    EXPECT_EQ(image.GetVerticalDpi(), 300);
    EXPECT_EQ(block->biYPelsPerMeter, 11811);
}

// Guards buffer ownership: copies are deep, aliases never free, a take-over empties its source.
TEST(ImageObject, CopyAliasAndTakeOver)
{
    CxImage owner(5, 3, 8);
    owner.SetPaletteColor(9, 1, 2, 3);
    owner.SetPixelIndex(4, 2, 9);
    owner.AlphaCreate();
    owner.AlphaSetPixel(4, 2, 17);

    CxImage copy(owner);
    EXPECT_NE(copy.GetDibBlock(), owner.GetDibBlock());
    EXPECT_EQ(copy.GetPixelIndex(4, 2), 9);
    EXPECT_EQ(copy.AlphaGet(4, 2), 17);
    CxImage noAlpha(owner, true, true, false);
    EXPECT_FALSE(noAlpha.AlphaIsValid());
    CxImage noPixels(owner, false, false, false);
    EXPECT_EQ(noPixels.GetPixelIndex(4, 2), 0);
    EXPECT_EQ(noPixels.GetPaletteColor(9).rgbRed, 1);

    {
        CxImage alias;
        alias.MakeAlias(&owner);
        EXPECT_EQ(alias.GetDibBlock(), owner.GetDibBlock());
        EXPECT_FALSE(alias.Destroy());
        EXPECT_EQ(alias.Create(2, 2, 8), nullptr);
    }
    EXPECT_EQ(owner.GetPixelIndex(4, 2), 9); // the alias went away without freeing

    CxImage target(2, 2, 24);
    EXPECT_TRUE(target.TakeOver(owner));
    EXPECT_EQ(owner.GetWidth(), 0);
    EXPECT_FALSE(owner.IsValid());
    EXPECT_FALSE(owner.AlphaIsValid());
    EXPECT_EQ(target.GetWidth(), 5);
    EXPECT_EQ(target.GetPixelIndex(4, 2), 9);
    EXPECT_EQ(target.AlphaGet(4, 2), 17);
}

// Guards against an alias outliving the buffers it borrows: a copy of an alias owns its own pixels and
// planes, so it stays whole after the owner goes; copying into an alias replaces its picture and leaves
// the owner's alone.
TEST(ImageObject, CopiesOfAnAliasOwnTheirPixels)
{
    auto owner = std::make_unique<CxImage>(4, 2, 24);
    owner->SetPixelColor(3, 1, RGBQUAD{7, 8, 9, 0});
    owner->AlphaCreate();
    owner->AlphaSetPixel(3, 1, 33);
    CxImage alias;
    alias.MakeAlias(owner.get());

    CxImage copy(alias);
    CxImage assigned;
    assigned = alias;
    for (CxImage *image : {&copy, &assigned}) {
        EXPECT_NE(image->GetDibBlock(), owner->GetDibBlock());
        EXPECT_NE(image->AlphaGetPointer(), owner->AlphaGetPointer());
        EXPECT_TRUE(image->Destroy()) << "a copy owns what it holds";
    }
    copy = alias;
    owner.reset();
    EXPECT_EQ(copy.GetPixelColor(3, 1, false), (RGBQUAD{7, 8, 9, 0}));
    EXPECT_EQ(copy.AlphaGet(3, 1), 33);

    CxImage second(2, 2, 8);
    second.SetPaletteColor(1, 50, 60, 70);
    second.SetPixelIndex(1, 1, 1);
    CxImage other(3, 3, 24);
    other.SetPixelColor(0, 0, RGBQUAD{1, 1, 1, 0});
    CxImage borrowing;
    borrowing.MakeAlias(&other);
    borrowing = second;
    EXPECT_EQ(borrowing.GetWidth(), 2);
    EXPECT_EQ(borrowing.GetPixelIndex(1, 1), 1);
    EXPECT_TRUE(borrowing.Destroy()) << "no longer an alias";
    EXPECT_EQ(other.GetWidth(), 3);
    EXPECT_EQ(other.GetPixelColor(0, 0, false), (RGBQUAD{1, 1, 1, 0}));
}

TEST(ImageObject, CopyAttributesOnlyWhileEmpty)
{
    CxImage source(3, 3, 24);
    source.SetJpegQuality(40);
    source.SetEscape(-1);
    CxImage empty;
    empty.CopyAttributes(source);
    EXPECT_EQ(empty.GetJpegQuality(), 40);
    EXPECT_EQ(empty.GetEscape(), -1);
    EXPECT_FALSE(empty.IsValid());

    CxImage full(2, 2, 8);
    full.CopyAttributes(source);
    EXPECT_EQ(full.GetJpegQuality(), 90);
}

TEST(ImageObject, ByteOrderHelpersOnThisHost)
{
    CxImage image;
    EXPECT_EQ(image.SwapWordToHost(0x1234), 0x1234);
    EXPECT_EQ(image.SwapDwordToHost(0x12345678u), 0x12345678u);
}
