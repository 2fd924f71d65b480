#include "CodecTestSupport.h"
#include "support/TempTree.h"

#include "image/xImageRAW.h"

#include <tiffio.h>

#include <gtest/gtest.h>

using namespace codectest;

namespace {

// A tiny digital negative written with libtiff (the decoder takes no sensor smaller than 22 pixels a side): a width x height sensor behind a red-green / green-blue
// colour filter, 16-bit samples of a horizontal ramp, and the orientation tag (1 = as stored, 6 =
// turned a quarter clockwise, which develops with width and height exchanged).
QByteArray TinyDng(const TempTree &tree, uint32_t width, uint32_t height, uint16_t orientation)
{
    const QString path = tree / "tiny.dng";
    TIFF *tif = TIFFOpen(path.toLocal8Bit().constData(), "w");
    if (!tif)
        return {};
    const uint8_t dngVersion[4] = {1, 4, 0, 0};
    const uint16_t repeat[2] = {2, 2};
    const uint8_t pattern[4] = {0, 1, 1, 2};
    const float matrix[9] = {1.0f, 0, 0, 0, 1.0f, 0, 0, 0, 1.0f};
    TIFFSetField(tif, TIFFTAG_SUBFILETYPE, 0);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_CFA);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, orientation);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
    TIFFSetField(tif, TIFFTAG_MAKE, "Corvessa");
    TIFFSetField(tif, TIFFTAG_MODEL, "Test Sensor");
    TIFFSetField(tif, TIFFTAG_DNGVERSION, dngVersion);
    TIFFSetField(tif, TIFFTAG_UNIQUECAMERAMODEL, "Corvessa Test Sensor");
    TIFFSetField(tif, TIFFTAG_CFAREPEATPATTERNDIM, repeat);
    TIFFSetField(tif, TIFFTAG_CFAPATTERN, 4, pattern);
    TIFFSetField(tif, TIFFTAG_COLORMATRIX1, 9, matrix);
    std::vector<uint16_t> row(width);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x)
            row[x] = uint16_t(1000 + x * 3000);
        TIFFWriteScanline(tif, row.data(), y, 0);
    }
    TIFFClose(tif);
    return TempTree::ReadAll(path);
}

} // namespace

// Guards the camera-raw binding: a size-only request answers from the header, a full decode develops a
// 24-bit picture, a quarter-turned shot comes out with width and height exchanged (in both modes), and
// every demosaicing choice of the codec option develops the same sensor.
TEST(CodecRaw, DevelopsATinyNegative)
{
    TempTree tree;
    const QByteArray dng = TinyDng(tree, 32, 24, 1);
    ASSERT_FALSE(dng.isEmpty());

    CxImage size;
    size.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(size, dng, ImageFormatRaw)) << size.GetErrorText();
    EXPECT_EQ(size.GetWidth(), 32);
    EXPECT_EQ(size.GetHeight(), 24);
    EXPECT_EQ(size.GetFormatId(), ImageFormatRaw);
    EXPECT_STREQ(size.GetErrorText(), "output dimensions returned");

    for (uint32_t quality = 0; quality < 4; ++quality) {
        CxImage image;
        image.SetCodecOption(quality, ImageFormatRaw);
        ASSERT_TRUE(DecodeFrom(image, dng, ImageFormatRaw)) << quality << image.GetErrorText();
        EXPECT_EQ(image.GetBpp(), 24);
        EXPECT_EQ(image.GetWidth(), 32);
        EXPECT_EQ(image.GetHeight(), 24);
        // The ramp brightens to the right.
        const RGBQUAD left = image.GetPixelColor(2, 12), right = image.GetPixelColor(29, 12);
        EXPECT_LT(CxImage::GrayLevel(left), CxImage::GrayLevel(right)) << quality;
    }

    const QByteArray turned = TinyDng(tree, 32, 24, 6);
    CxImage portrait;
    ASSERT_TRUE(DecodeFrom(portrait, turned, ImageFormatRaw)) << portrait.GetErrorText();
    EXPECT_EQ(portrait.GetFormatId(), ImageFormatRaw);
    EXPECT_EQ(portrait.GetWidth(), 24);
    EXPECT_EQ(portrait.GetHeight(), 32);
    CxImage portraitSize;
    portraitSize.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(portraitSize, turned, ImageFormatRaw));
    EXPECT_EQ(portraitSize.GetWidth(), 24) << "the size-only answer matches the developed picture";
}

// Guards the failure texts: bytes that are no raw file, a cut negative, and saving.
TEST(CodecRaw, ErrorsAndNoEncoder)
{
    CxImage text;
    EXPECT_FALSE(DecodeFrom(text, QByteArray(300, 'x'), ImageFormatRaw));
    EXPECT_STREQ(text.GetErrorText(), "CxImageRAW: not a raw image");

    TempTree tree;
    const QByteArray dng = TinyDng(tree, 32, 24, 1);
    CxImage cut;
    EXPECT_FALSE(DecodeFrom(cut, dng.left(dng.size() / 3), ImageFormatRaw));
    EXPECT_FALSE(cut.IsValid());

    CxImage card(4, 4, 24);
    bool ok = true;
    EncodeTo(card, ImageFormatRaw, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(card.GetErrorText(), "Save RAW not supported");
}
