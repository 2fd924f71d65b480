#include "CodecTestSupport.h"

#include "image/xImageJPG.h"
#include "image/xJpegExif.h"

#include <gtest/gtest.h>

#include <QFile>

#include <climits>
#include <cmath>
#include <cstring>

using namespace codectest;

namespace {

std::string Rational(uint32_t num, uint32_t den) { return Le32(num) + Le32(den); }

struct ExifEntry
{
    int tag;
    int format;
    uint32_t count;
    std::string value; // raw bytes, little-endian
};

// A little-endian TIFF block whose directories are chained one after another through their next
// links, with values of more than 4 bytes in a data area after them.
std::string TiffBlock(const std::vector<std::vector<ExifEntry>> &directories)
{
    uint32_t dataAt = 8;
    for (const auto &dir : directories)
        dataAt += 2 + 12 * uint32_t(dir.size()) + 4;
    std::string dirs, data;
    uint32_t at = 8;
    for (size_t d = 0; d < directories.size(); ++d) {
        const auto &dir = directories[d];
        dirs += Le16(int(dir.size()));
        for (const ExifEntry &e : dir) {
            dirs += Le16(e.tag) + Le16(e.format) + Le32(e.count);
            if (e.value.size() <= 4) {
                dirs += e.value + std::string(4 - e.value.size(), '\0');
            } else {
                dirs += Le32(dataAt + uint32_t(data.size()));
                data += e.value;
            }
        }
        at += 2 + 12 * uint32_t(dir.size()) + 4;
        dirs += Le32(d + 1 < directories.size() ? at : 0);
    }
    return std::string("II\x2A\0", 4) + Le32(8) + dirs + data;
}

QByteArray Segment(int marker, const std::string &payload)
{
    const size_t length = payload.size() + 2;
    std::string out{char(0xFF), char(marker), char(length >> 8), char(length & 0xFF)};
    out += payload;
    return QByteArray(out.data(), qsizetype(out.size()));
}

QByteArray ExifSegment(const std::vector<std::vector<ExifEntry>> &directories)
{
    return Segment(0xE1, std::string("Exif\0\0", 6) + TiffBlock(directories));
}

std::vector<ExifEntry> Resolution(uint32_t dpi, int unit)
{
    return {{282, 5, 1, Rational(dpi, 1)}, {283, 5, 1, Rational(dpi, 1)}, {296, 3, 1, Le16(unit)}};
}

// Puts segments right after the start-of-image marker.
QByteArray WithSegments(const QByteArray &jpeg, const QByteArray &segments)
{
    return jpeg.left(2) + segments + jpeg.mid(2);
}

// Smooth gradients: lossy coding keeps them close, so pixel comparisons can be tight.
QImage SmoothCard(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / (width - 1), y * 255 / (height - 1), 255 - (x + y) * 255 / (width + height)));
    return image;
}

CxImage Card(int width, int height)
{
    CxImage image;
    fromQImage(image, SmoothCard(width, height));
    return image;
}

// An 8 x 8 baseline JPEG of any number of components, each a flat block in a scan of its own: the
// library's writer refuses more than four components, so the markers are put together by hand.
QByteArray FlatJpeg(int components)
{
    auto segment = [](int marker, const std::string &payload) {
        const size_t length = payload.size() + 2;
        return std::string{char(0xFF), char(marker), char(length >> 8), char(length & 0xFF)} + payload;
    };
    std::string out = Bytes({0xFF, 0xD8});
    out += segment(0xDB, std::string(1, '\0') + std::string(64, '\1'));
    std::string frame = Bytes({8, 0, 8, 0, 8, components});
    for (int c = 1; c <= components; ++c)
        frame += Bytes({c, 0x11, 0});
    out += segment(0xC0, frame);
    // One code of one bit in each table: DC difference category 0, AC end of block.
    const std::string oneCode = Bytes({1}) + std::string(15, '\0') + Bytes({0});
    out += segment(0xC4, Bytes({0x00}) + oneCode + Bytes({0x10}) + oneCode);
    for (int c = 1; c <= components; ++c) {
        out += segment(0xDA, Bytes({1, c, 0x00, 0, 63, 0}));
        out += Bytes({0x3F}); // the two codes, padded with ones
    }
    out += Bytes({0xFF, 0xD9});
    return QByteArray(out.data(), qsizetype(out.size()));
}

QByteArray OurJpeg(int dpi = 72, int size = 16)
{
    CxImage card = Card(size, size);
    card.SetHorizontalDpi(dpi);
    card.SetVerticalDpi(dpi);
    return EncodeTo(card, ImageFormatJpg);
}

} // namespace

// Guards the stored-CMYK conversion: the channels are stored inverted, so each one is scaled by K.
TEST(CodecJpeg, CmykLoadsAsScaledRgb)
{
    QFile file(QStringLiteral(CORV_FIXTURES "/image/codecs/cmyk_inverted.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, file.readAll(), ImageFormatJpg)) << image.GetErrorText();
    EXPECT_EQ(image.GetBpp(), 24);
    // Stored C, M, Y, K = 200, 100, 50, 128 on the left, 255, 255, 0, 255 on the right.
    const RGBQUAD left = image.GetPixelColor(2, 4, false);
    EXPECT_NEAR(left.rgbRed, 128 * 200 / 255, 2);
    EXPECT_NEAR(left.rgbGreen, 128 * 100 / 255, 2);
    EXPECT_NEAR(left.rgbBlue, 128 * 50 / 255, 2);
    const RGBQUAD right = image.GetPixelColor(13, 4, false);
    EXPECT_NEAR(right.rgbRed, 255, 2);
    EXPECT_NEAR(right.rgbGreen, 255, 2);
    EXPECT_NEAR(right.rgbBlue, 0, 2);
}

// Guards where the resolution comes from: EXIF over JFIF, EXIF units, JFIF units, the thumbnail
// directory that must not override the picture's own resolution, and a broken EXIF block that must
// spoil only the EXIF part.
TEST(CodecJpeg, ResolutionFromExifOrJfif)
{
    auto jfif = [](int unit, int x, int y) {
        QByteArray jpeg = OurJpeg();
        jpeg[13] = char(unit);
        jpeg[14] = char(x >> 8);
        jpeg[15] = char(x & 0xFF);
        jpeg[16] = char(y >> 8);
        jpeg[17] = char(y & 0xFF);
        return jpeg;
    };
    std::vector<std::vector<ExifEntry>> deepChain(6, Resolution(300, 2));
    struct Case
    {
        const char *name;
        QByteArray file;
        int xDpi, yDpi;
    } cases[] = {
        {"EXIF 300 per inch beats JFIF 72", WithSegments(OurJpeg(72), ExifSegment({Resolution(300, 2)})), 300, 300},
        {"EXIF 118 per centimetre", WithSegments(OurJpeg(72), ExifSegment({Resolution(118, 3)})), 299, 299},
        {"thumbnail directory at 72 leaves 300",
         WithSegments(OurJpeg(72), ExifSegment({Resolution(300, 2), Resolution(72, 2)})), 300, 300},
        {"JFIF per centimetre 28", jfif(2, 28, 28), 71, 71},
        {"JFIF per inch 150 x 75", jfif(1, 150, 75), 150, 75},
        {"JFIF aspect ratio only", jfif(0, 1, 2), 96, 192},
        {"six-deep directory chain falls back to JFIF", WithSegments(OurJpeg(72), ExifSegment(deepChain)), 72, 72},
        {"EXIF without a resolution leaves JFIF 72",
         WithSegments(OurJpeg(72), ExifSegment({{{271, 2, 4, "Abc"}, {274, 3, 1, Le16(1)}}})), 72, 72},
        {"EXIF unit without values leaves JFIF 150 x 75",
         WithSegments(jfif(1, 150, 75), ExifSegment({{{296, 3, 1, Le16(2)}}})), 150, 75},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CxImageJPG image;
        CxMemFile file(reinterpret_cast<uint8_t *>(const_cast<char *>(c.file.constData())), size_t(c.file.size()));
        ASSERT_TRUE(image.Decode(&file)) << image.GetErrorText();
        EXPECT_EQ(image.GetHorizontalDpi(), c.xDpi);
        EXPECT_EQ(image.GetVerticalDpi(), c.yDpi);
    }

    CxJpegExif reader;
    const std::string block = std::string("Exif\0\0", 6) + TiffBlock(deepChain);
    EXPECT_FALSE(reader.ParseExifBlock(reinterpret_cast<const uint8_t *>(block.data()), block.size()));
    EXPECT_STREQ(reader.GetErrorText(), "Maximum directory nesting exceeded (corrupt exif header)");
}

// Guards the EXIF reader's bounds: values pointing outside the block, a comment longer than its field,
// and the text tags that must never read past their own bytes.
TEST(CodecJpeg, ExifReaderStaysInsideItsData)
{
    auto parse = [](CxJpegExif &reader, const std::vector<std::vector<ExifEntry>> &dirs) {
        const std::string block = std::string("Exif\0\0", 6) + TiffBlock(dirs);
        return reader.ParseExifBlock(reinterpret_cast<const uint8_t *>(block.data()), block.size());
    };

    CxJpegExif outside;
    EXPECT_FALSE(parse(outside, {{{282, 5, 1, Rational(1, 1)}, {271, 2, 0x40000000, "x"}}}));
    EXPECT_STREQ(outside.GetErrorText(), "Illegal pointer offset value in EXIF.");

    CxJpegExif wrapping; // offset + count wraps in 32 bits
    std::string block = std::string("Exif\0\0", 6) + TiffBlock({{{271, 2, 16, std::string(16, 'a')}}});
    const size_t offsetField = 6 + 8 + 2 + 8;
    std::memcpy(&block[offsetField], "\xF8\xFF\xFF\xFF", 4);
    EXPECT_FALSE(wrapping.ParseExifBlock(reinterpret_cast<const uint8_t *>(block.data()), block.size()));

    CxJpegExif texts;
    ASSERT_TRUE(parse(texts, {{{271, 2, 4, "Abc"},
                               {272, 2, 60, std::string(60, 'M')},
                               {274, 3, 1, Le16(9)},
                               {37510, 7, 16, std::string("ASCII\0\0\0hi there  ", 18).substr(0, 16)},
                               {34855, 3, 1, Le16(2)}}}));
    EXPECT_STREQ(texts.GetInfo().CameraMake, "Abc");
    EXPECT_EQ(std::string(texts.GetInfo().CameraModel), std::string(39, 'M'));
    EXPECT_EQ(texts.GetInfo().Orientation, 0);
    EXPECT_STREQ(texts.GetErrorText(), "Undefined rotation value");
    EXPECT_STREQ(texts.GetInfo().Comments, "hi there");
    EXPECT_EQ(texts.GetInfo().ISOequivalent, 400);

    // A rational with no components owns no bytes: its value must not be taken from the entry after it
    // (here the next entry's tag and format read as the denominator 1), nor from past the block's end.
    CxJpegExif empty;
    ASSERT_TRUE(parse(empty, {{{282, 5, 0, Le32(300)}, {1, 0, 0, ""}}}));
    EXPECT_EQ(empty.GetInfo().Xresolution, 0.0f);
    CxJpegExif last;
    ASSERT_TRUE(parse(last, {{{283, 12, 0, Le32(0xFFFFFFFF)}}}));
    EXPECT_EQ(last.GetInfo().Yresolution, 0.0f);

    // Doubles beyond any int, or not numbers at all, are kept in range where a tag wants an int or a
    // count; a thumbnail whose offset and length add up past 2^64 is no thumbnail.
    auto asDouble = [](double v) {
        std::string bytes(8, '\0');
        std::memcpy(bytes.data(), &v, 8);
        return bytes;
    };
    CxJpegExif huge;
    ASSERT_TRUE(parse(huge, {{{34855, 12, 1, asDouble(1e300)},
                              {37383, 12, 1, asDouble(-1e300)},
                              {34850, 12, 1, asDouble(std::nan(""))},
                              {513, 12, 1, asDouble(9223372036854775808.0)},
                              {514, 12, 1, asDouble(9223372036854775808.0)}}}));
    EXPECT_EQ(huge.GetInfo().ISOequivalent, INT_MAX);
    EXPECT_EQ(huge.GetInfo().MeteringMode, INT_MIN);
    EXPECT_EQ(huge.GetInfo().ExposureProgram, 0);
    EXPECT_EQ(huge.GetInfo().ThumbnailPointer, nullptr);
    CxJpegExif lowIso;
    ASSERT_TRUE(parse(lowIso, {{{34855, 9, 1, Le32(uint32_t(-20000000))}}}));
    EXPECT_EQ(lowIso.GetInfo().ISOequivalent, INT_MIN);

    // Directories that link back to themselves: every entry of the second one names the second one as
    // a sub-directory. Followed down to the nesting limit that is 200^4 directories; the reader stops
    // after a bounded number of them instead of running for hours.
    CxJpegExif loop;
    const std::vector<ExifEntry> selfLinks(200, ExifEntry{34665, 4, 1, Le32(26)});
    EXPECT_FALSE(parse(loop, {{{34665, 4, 1, Le32(26)}}, selfLinks}));
    EXPECT_STREQ(loop.GetErrorText(), "Too many directories (corrupt exif header)");

    // A comment section of 1,200 characters keeps 999 and its terminator.
    CxImageJPG image;
    const QByteArray jpeg = WithSegments(OurJpeg(), Segment(0xFE, std::string(1200, 'c')));
    ASSERT_TRUE(DecodeFrom(image, jpeg, ImageFormatJpg));
    CxImageJPG direct;
    CxMemFile file(reinterpret_cast<uint8_t *>(const_cast<char *>(jpeg.constData())), size_t(jpeg.size()));
    ASSERT_TRUE(direct.Decode(&file));
    EXPECT_EQ(std::strlen(direct.GetExifInfo().Comments), 999u);
}

// Guards the marker-section reader's limit: more than twenty sections before the scan stop the section
// reader, not the decode, and EXIF met before that still counts.
TEST(CodecJpeg, ManySectionsStillLoad)
{
    QByteArray segments = ExifSegment({Resolution(300, 2)});
    for (int i = 0; i < 25; ++i)
        segments += Segment(0xE2, "icc chunk " + std::to_string(i));
    CxImageJPG image;
    const QByteArray jpeg = WithSegments(OurJpeg(72), segments);
    CxMemFile file(reinterpret_cast<uint8_t *>(const_cast<char *>(jpeg.constData())), size_t(jpeg.size()));
    ASSERT_TRUE(image.Decode(&file)) << image.GetErrorText();
    EXPECT_EQ(image.GetHorizontalDpi(), 300);
    EXPECT_STREQ(image.GetExif()->GetErrorText(), "Too many sections in jpg file");
}

// Guards damaged input: a file without its end marker or cut in the middle still loads, an empty one
// fails with the library's text, and garbage fails without a crash.
TEST(CodecJpeg, TruncatedAndEmptyFiles)
{
    const QByteArray jpeg = OurJpeg(72, 64);
    ASSERT_EQ(uint8_t(jpeg[jpeg.size() - 1]), 0xD9);
    const qsizetype scan = jpeg.indexOf(QByteArray("\xFF\xDA", 2));
    for (qsizetype keep : {jpeg.size() - 2, scan + (jpeg.size() - scan) / 2}) {
        CxImage image;
        EXPECT_TRUE(DecodeFrom(image, jpeg.left(keep), ImageFormatJpg)) << keep << image.GetErrorText();
        EXPECT_EQ(image.GetWidth(), 64);
    }
    CxImage empty;
    EXPECT_FALSE(DecodeFrom(empty, QByteArray(), ImageFormatJpg));
    EXPECT_NE(std::string(empty.GetErrorText()).find("Empty input file"), std::string::npos) << empty.GetErrorText();

    CxImage garbage;
    EXPECT_FALSE(DecodeFrom(garbage, QByteArray("\xFF\xD8\xFF\xC0\x00\x05garbage", 14), ImageFormatJpg));

    CxImage sizeOnly;
    sizeOnly.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(sizeOnly, jpeg, ImageFormatJpg));
    EXPECT_EQ(sizeOnly.GetHeight(), 64);
    EXPECT_FALSE(sizeOnly.IsValid());
}

// Guards what the encoder writes: grey-ramp images as one component, colour palettes refused, the
// JFIF header carrying the dpi, and 1- and 4-bit grey rows spread to a byte per sample.
TEST(CodecJpeg, EncoderRules)
{
    CxImage grey(8, 8, 8);
    grey.SetGrayPalette();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            grey.SetPixelIndex(x, y, uint8_t(x * 30));
    grey.SetHorizontalDpi(300);
    grey.SetVerticalDpi(200);
    bool ok = false;
    const QByteArray bytes = EncodeTo(grey, ImageFormatJpg, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(bytes.mid(2, 11), QByteArray("\xFF\xE0\x00\x10JFIF\x00\x01\x01", 11));
    EXPECT_EQ(bytes[13], 1);
    EXPECT_EQ(bytes.mid(14, 4), QByteArray("\x01\x2C\x00\xC8", 4));
    const QImage qt = QtRead(bytes, "jpeg");
    EXPECT_EQ(qt.format(), QImage::Format_Grayscale8);
    EXPECT_LE(MaxDifference(qt, toQImage(grey)), 3);

    CxImage colour(8, 8, 8);
    colour.SetPaletteColor(1, 255, 0, 0);
    EncodeTo(colour, ImageFormatJpg, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(colour.GetErrorText(), "JPEG can save only RGB or GreyScale images");

    CxImage grey4(9, 3, 4);
    grey4.SetGrayPalette(); // 0, 17, 34 ...: not a ramp of i, so refused
    EncodeTo(grey4, ImageFormatJpg, &ok);
    EXPECT_FALSE(ok);
    for (uint8_t i = 0; i < 16; ++i)
        grey4.SetPaletteColor(i, i, i, i);
    for (int x = 0; x < 9; ++x)
        grey4.SetPixelIndex(x, 1, uint8_t(x));
    const QByteArray packed = EncodeTo(grey4, ImageFormatJpg, &ok);
    ASSERT_TRUE(ok);
    EXPECT_LE(MaxDifference(QtRead(packed, "jpeg"), toQImage(grey4)), 4);
}

// Guards pictures of an unusual number of components: anything but grey, colour and CMYK is refused
// with the library's own text rather than decoded into noise. Qt refuses them too.
TEST(CodecJpeg, OnlyOneThreeOrFourComponents)
{
    for (int components : {2, 7}) {
        SCOPED_TRACE(components);
        const QByteArray jpeg = FlatJpeg(components);
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, jpeg, ImageFormatJpg));
        EXPECT_STREQ(image.GetErrorText(), "Unsupported color conversion request");
        EXPECT_FALSE(image.IsValid());
        EXPECT_TRUE(QtRead(jpeg, "jpeg").isNull());
        CxImage detected;
        EXPECT_FALSE(DecodeFrom(detected, jpeg, ImageFormatNone));
    }
    // The same file with three or one components loads.
    for (int components : {1, 3}) {
        CxImage image;
        EXPECT_TRUE(DecodeFrom(image, FlatJpeg(components), ImageFormatJpg)) << image.GetErrorText();
        EXPECT_EQ(image.GetWidth(), 8);
    }
}

// Guards both directions against Qt's JPEG codec: Qt reads what we write, we read what Qt writes,
// within what lossy coding allows.
TEST(CodecJpeg, CrossCheckWithQt)
{
    CxImage card = Card(64, 48);
    card.SetJpegQuality(95);
    bool ok = false;
    const QByteArray ours = EncodeTo(card, ImageFormatJpg, &ok);
    ASSERT_TRUE(ok);
    EXPECT_LE(MaxDifference(QtRead(ours, "jpeg"), toQImage(card)), 12);
    CxImage back;
    ASSERT_TRUE(DecodeFrom(back, ours, ImageFormatNone));
    EXPECT_EQ(back.GetFormatId(), uint32_t(ImageFormatJpg));
    EXPECT_LE(MaxDifference(toQImage(back), QtRead(ours, "jpeg")), 2);

    for (const QImage &source : {SmoothCard(50, 30), SmoothCard(50, 30).convertToFormat(QImage::Format_Grayscale8)}) {
        const QByteArray theirs = QtWrite(source, "jpeg", 90);
        CxImage loaded;
        ASSERT_TRUE(DecodeFrom(loaded, theirs, ImageFormatNone)) << loaded.GetErrorText();
        EXPECT_EQ(loaded.GetBpp(), source.format() == QImage::Format_Grayscale8 ? 8 : 24);
        EXPECT_LE(MaxDifference(toQImage(loaded), QtRead(theirs, "jpeg")), 2);
    }
}
