#include "CodecTestSupport.h"
#include "CodecFixtures.h"

#include "image/xImageMNG.h"

#include <zlib.h>

#include <gtest/gtest.h>

using namespace codectest;

namespace {

std::string Be32(uint32_t v)
{
    std::string out;
    Append32(out, v);
    return out;
}

// One RGB picture of width x height in a single colour: IHDR, IDAT, IEND.
std::string SolidPng(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b)
{
    std::string ihdr = Be32(width) + Be32(height) + Bytes({8, 2, 0, 0, 0});
    std::string raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw += '\0';
        for (uint32_t x = 0; x < width; ++x)
            raw += Bytes({r, g, b});
    }
    return Chunk("IHDR", ihdr) + Chunk("IDAT", ZlibStored(raw)) + Chunk("IEND", {});
}

// An animation of solid frames, each shown for 10 ticks; extra chunks go after MHDR.
QByteArray Animation(const std::vector<RGBQUAD> &frames, const std::string &extra = {})
{
    std::string out = "\x8aMNG\r\n\x1a\n";
    out += Chunk("MHDR", Be32(4) + Be32(3) + Be32(100) + Be32(0) + Be32(0) + Be32(0) + Be32(1));
    out += extra;
    // Framing mode 1, no name, a delay change for all later frames: 10 ticks.
    out += Chunk("FRAM", Bytes({1, 0, 2, 0, 0, 0}) + Be32(10));
    for (const RGBQUAD &c : frames)
        out += SolidPng(4, 3, c.rgbRed, c.rgbGreen, c.rgbBlue);
    out += Chunk("MEND", {});
    return QByteArray(out.data(), qsizetype(out.size()));
}

// The chunks of an MNG (after its 8-byte signature), as type names.
std::vector<std::string> ChunkTypes(const QByteArray &mng)
{
    std::vector<std::string> types;
    qsizetype at = 8;
    while (at + 12 <= mng.size()) {
        const auto *p = reinterpret_cast<const uint8_t *>(mng.constData() + at);
        const uint32_t length = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
        types.emplace_back(reinterpret_cast<const char *>(p + 4), 4);
        at += 12 + qsizetype(length);
    }
    return types;
}

} // namespace

// Guards the encoder's layout: a real MNG (signature, header and end chunks around one picture), whose
// single IDAT inflates to rows of a filter byte and red, green, blue (16 bytes for width 5); and the
// decoder reads it back with the same pixels.
TEST(CodecMng, SavesOneRgbFrame)
{
    CxImage card;
    fromQImage(card, TestCard(5, 3, false));
    bool ok = false;
    const QByteArray mng = EncodeTo(card, ImageFormatMng, &ok);
    ASSERT_TRUE(ok) << card.GetErrorText();
    ASSERT_EQ(mng.left(8), QByteArray("\x8aMNG\r\n\x1a\n"));
    EXPECT_EQ(ChunkTypes(mng), (std::vector<std::string>{"MHDR", "DEFI", "IHDR", "IDAT", "IEND", "MEND"}));

    const std::string idat = FindChunk(mng, "IDAT");
    std::vector<uint8_t> rows(64);
    uLongf size = uLongf(rows.size());
    ASSERT_EQ(uncompress(rows.data(), &size, reinterpret_cast<const Bytef *>(idat.data()), uLong(idat.size())), Z_OK);
    ASSERT_EQ(size, 3u * 16);
    const QImage qt = TestCard(5, 3, false);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(rows[size_t(y) * 16], 0) << "filter byte";
        EXPECT_EQ(rows[size_t(y) * 16 + 1 + 3 * 4], qRed(qt.pixel(4, y))) << "red first, top row first";
        EXPECT_EQ(rows[size_t(y) * 16 + 3 + 3 * 4], qBlue(qt.pixel(4, y)));
    }

    CxImage back;
    ASSERT_TRUE(DecodeFrom(back, mng, ImageFormatNone)) << back.GetErrorText();
    EXPECT_EQ(back.GetFormatId(), ImageFormatMng);
    EXPECT_EQ(back.GetBpp(), 24);
    EXPECT_TRUE(back.AlphaIsValid());
    EXPECT_FALSE(back.IsTransparent()) << "no background chunk, no transparent colour";
    EXPECT_EQ(MaxDifference(toQImage(back).convertToFormat(QImage::Format_RGB32), qt), 0);

    CxImage palette = PaletteImage(3, 3, 8);
    EncodeTo(palette, ImageFormatMng, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(palette.GetErrorText(), "MNG encoder can save only RGB images");
}

// Guards the frame selection: an animation reports its frame count, each index shows the picture
// reached after that many more display steps, an index past the end fails with the frame count still
// reported, and the size-only request answers without pixels.
TEST(CodecMng, AnimationFrames)
{
    const std::vector<RGBQUAD> colours = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
    const QByteArray mng = Animation(colours);
    for (int32_t frame = 0; frame < 3; ++frame) {
        CxImage image;
        image.SetFrame(frame);
        ASSERT_TRUE(DecodeFrom(image, mng, ImageFormatMng)) << frame << image.GetErrorText();
        EXPECT_EQ(image.GetFrameCount(), 3);
        const RGBQUAD c = image.GetPixelColor(1, 1, false);
        EXPECT_EQ(c, colours[size_t(frame)]) << frame;
    }

    CxImage past;
    past.SetFrame(3);
    EXPECT_FALSE(DecodeFrom(past, mng, ImageFormatMng));
    EXPECT_STREQ(past.GetErrorText(), "Error: frame not present in MNG file");
    EXPECT_EQ(past.GetFrameCount(), 3);

    CxImage size;
    size.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(size, mng, ImageFormatMng));
    EXPECT_EQ(size.GetWidth(), 4);
    EXPECT_EQ(size.GetHeight(), 3);
    EXPECT_FALSE(size.IsValid());
}

// Guards the surround of a picture whose frames leave part of the canvas uncovered (a ball bouncing on a
// canvas larger than its frames): it is transparent, as the library's alpha says, even when the file
// names an advisory background (BACK) colour; it used to come out opaque in that colour, black for most
// files. Only a mandatory background paints it, and then the picture is opaque all over. No colour is ever made
// transparent: a white picture on a white background stays white and opaque.
TEST(CodecMng, SurroundIsTransparentUnlessTheBackgroundIsMandatory)
{
    enum Back { none, advisory, mandatory };
    const struct { const char *name; Back back; RGBQUAD frame, background; } cases[] = {
        {"no background", none, Rgb(200, 40, 20), {}},
        {"advisory black", advisory, Rgb(200, 40, 20), Rgb(0, 0, 0)},
        {"mandatory colour", mandatory, Rgb(200, 40, 20), Rgb(0x12, 0x34, 0x56)},
        {"white picture on mandatory white", mandatory, Rgb(255, 255, 255), Rgb(255, 255, 255)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = "\x8aMNG\r\n\x1a\n";
        file += Chunk("MHDR", Be32(8) + Be32(6) + Be32(100) + Be32(0) + Be32(0) + Be32(0) + Be32(1));
        if (c.back != none)
            file += Chunk("BACK", Bytes({c.background.rgbRed, 0, c.background.rgbGreen, 0, c.background.rgbBlue, 0,
                                         c.back == mandatory ? 1 : 0}));
        // The frame's object placed at (2, 1) of the canvas.
        file += Chunk("DEFI", Bytes({0, 1, 0, 0}) + Be32(2) + Be32(1));
        file += SolidPng(4, 3, c.frame.rgbRed, c.frame.rgbGreen, c.frame.rgbBlue);
        file += Chunk("MEND", {});
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, QByteArray(file.data(), qsizetype(file.size())), ImageFormatNone))
            << image.GetErrorText();
        ASSERT_EQ(image.GetWidth(), 8);
        ASSERT_EQ(image.GetHeight(), 6);
        ASSERT_TRUE(image.AlphaIsValid());
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                // Rows count from the bottom: the frame covers rows 1-3 from the top, 2-4 from the bottom.
                const bool covered = x >= 2 && x < 6 && y >= 2 && y < 5;
                EXPECT_EQ(image.AlphaGet(x, y), covered || c.back == mandatory ? 255 : 0) << x << "," << y;
                if (covered || c.back == mandatory) {
                    EXPECT_EQ(image.GetPixelColor(x, y, false), covered ? c.frame : c.background) << x << "," << y;
                }
            }
    }
}

// Guards damaged files: a cut animation and a broken chunk fail with a text and no picture, never a
// crash (the library's error report must not free the handle it is still using).
TEST(CodecMng, DamagedFilesFail)
{
    const QByteArray mng = Animation({{1, 2, 3, 0}, {4, 5, 6, 0}});
    for (const qsizetype cut : {qsizetype(12), qsizetype(40), mng.size() / 2}) {
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, mng.left(cut), ImageFormatMng)) << cut;
        EXPECT_FALSE(image.IsValid());
        EXPECT_STRNE(image.GetErrorText(), "") << cut;
    }
    // An object far wider than the canvas: the library sets up rows for it and stops on the short data;
    // what it allocated is given back with the handle (a sanitizer build shows a leak otherwise).
    std::string wide = "\x8aMNG\r\n\x1a\n";
    wide += Chunk("MHDR", Be32(4) + Be32(3) + Be32(100) + Be32(0) + Be32(0) + Be32(0) + Be32(1));
    wide += Chunk("IHDR", Be32(0x03000004) + Be32(3) + Bytes({8, 2, 0, 0, 0}));
    wide += Chunk("IDAT", ZlibStored(std::string(64, '\0'))) + Chunk("IEND", {}) + Chunk("MEND", {});
    CxImage tooWide;
    EXPECT_FALSE(DecodeFrom(tooWide, QByteArray(wide.data(), qsizetype(wide.size())), ImageFormatMng));
    EXPECT_FALSE(tooWide.IsValid());

    // A canvas of millions of pixels on one side, declared in a few bytes, is refused at its header rather
    // than painted pixel by pixel before the frame data turns out missing.
    for (const auto &[w, h] : {std::pair<uint32_t, uint32_t>{4, 16777215}, {33554436, 1}}) {
        std::string tall = "\x8aMNG\r\n\x1a\n";
        tall += Chunk("MHDR", Be32(w) + Be32(h) + Be32(100) + Be32(0) + Be32(0) + Be32(0) + Be32(1));
        tall += Chunk("MEND", {});
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, QByteArray(tall.data(), qsizetype(tall.size())), ImageFormatMng));
        EXPECT_STREQ(image.GetErrorText(), "MNG canvas too large");
    }

    QByteArray broken = mng;
    broken[20] = char(broken[20] ^ 0x40); // inside MHDR: its CRC no longer matches
    CxImage image;
    EXPECT_FALSE(DecodeFrom(image, broken, ImageFormatMng));
}
