#include "CodecTestSupport.h"
#include "CodecFixtures.h"

#include "image/xImageGIF.h"

#include <gtest/gtest.h>

#include <functional>

using namespace codectest;

namespace {

// ---- GIF files built by hand, independent of our encoder

// Codes packed least-significant bit first, with the width a decoder follows: it grows once the next
// free slot reaches 2^width, and returns after a clear code. A code of -1 stands for the largest code of
// the width at that point.
std::string PackCodes(const std::vector<int> &codes, int codeSize)
{
    const int clear = 1 << codeSize;
    int width = codeSize + 1;
    int slot = clear + 2;
    bool literalNext = true;
    uint32_t acc = 0;
    int bits = 0;
    std::string data;
    for (int code : codes) {
        if (code < 0)
            code = (1 << width) - 1;
        acc |= uint32_t(code) << bits;
        bits += width;
        while (bits >= 8) {
            data.push_back(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
        if (code == clear) {
            width = codeSize + 1;
            slot = clear + 2;
            literalNext = true;
        } else if (literalNext) {
            literalNext = false;
        } else if (slot < 4096) {
            ++slot;
            if (slot == (1 << width) && width < 12)
                ++width;
        }
    }
    if (bits > 0)
        data.push_back(char(acc & 0xFF));
    std::string out = Bytes({codeSize});
    for (size_t at = 0; at < data.size(); at += 255) {
        const std::string chunk = data.substr(at, 255);
        out += char(chunk.size()) + chunk;
    }
    return out + Bytes({0});
}

// Every pixel as a plain code, a clear code before the table would widen the codes.
std::string LiteralData(const std::vector<int> &pixels, int codeSize)
{
    const int clear = 1 << codeSize;
    std::vector<int> codes = {clear};
    int since = 0;
    for (int p : pixels) {
        if (since == clear - 2) {
            codes.push_back(clear);
            since = 0;
        }
        codes.push_back(p);
        ++since;
    }
    codes.push_back(clear + 1);
    return PackCodes(codes, codeSize);
}

std::string Table(const std::vector<RgbColor> &colours)
{
    std::string out;
    for (const RgbColor &c : colours)
        out += Bytes({c.r, c.g, c.b});
    return out;
}

int TableBits(size_t entries)
{
    int bits = 0;
    while ((2u << bits) < entries)
        ++bits;
    return bits;
}

std::string Screen(int width, int height, const std::vector<RgbColor> &global, const char *version = "89a")
{
    std::string out = std::string("GIF") + version + Le16(width) + Le16(height);
    out += char(global.empty() ? 0 : 0x80 | TableBits(global.size()));
    out += Bytes({0, 0});
    return out + Table(global);
}

std::string Control(int disposal, int transIndex = -1, int delay = 0)
{
    return Bytes({0x21, 0xF9, 4, (transIndex >= 0 ? 1 : 0) | (disposal << 2)}) + Le16(delay) +
           Bytes({transIndex >= 0 ? transIndex : 0, 0});
}

struct Frame
{
    Frame(int l = 0, int t = 0, int w = 1, int h = 1, std::vector<int> r = {}, std::vector<RgbColor> table = {})
        : left(l), top(t), width(w), height(h), rows(std::move(r)), local(std::move(table))
    {
    }
    int left, top, width, height;
    std::vector<int> rows; // top row first
    std::vector<RgbColor> local;
    bool interlaced = false;
    int codeSize = 2;
};

std::string ImageBlock(const Frame &f, const std::string &data = {})
{
    std::string out = Bytes({0x2C}) + Le16(f.left) + Le16(f.top) + Le16(f.width) + Le16(f.height);
    out += char((f.local.empty() ? 0 : 0x80 | TableBits(f.local.size())) | (f.interlaced ? 0x40 : 0));
    out += Table(f.local);
    if (!data.empty())
        return out + data;
    std::vector<int> order;
    if (!f.interlaced) {
        order = f.rows;
    } else {
        const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
        for (const auto &pass : passes)
            for (int y = pass[0]; y < f.height; y += pass[1])
                order.insert(order.end(), f.rows.begin() + y * f.width, f.rows.begin() + (y + 1) * f.width);
    }
    return out + LiteralData(order, f.codeSize);
}

int Word(const uint8_t *p)
{
    return p[0] | (p[1] << 8);
}

const std::vector<RgbColor> kFour = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

// The picture's indices, top row first.
std::vector<int> Indices(const CxImage &image)
{
    std::vector<int> out;
    for (int y = image.GetHeight() - 1; y >= 0; --y)
        for (int x = 0; x < image.GetWidth(); ++x)
            out.push_back(image.GetPixelIndex(x, y));
    return out;
}

// A palette picture with long runs, short runs and noise, so that every coder meets its table limits.
CxImage Busy(int width, int height, uint32_t bpp)
{
    CxImage image = PaletteImage(width, height, bpp);
    const uint32_t colours = image.GetNumColors();
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            uint32_t index = (y % 5 == 0) ? 1 : (y % 3 == 0) ? uint32_t(x / 7) : (seed >> 16);
            image.SetPixelIndex(x, y, uint8_t(index % colours));
        }
    return image;
}

// Offsets of the image descriptors of a file written by us, and whether each has a local table.
std::vector<std::pair<int, bool>> Descriptors(const QByteArray &gif)
{
    std::vector<std::pair<int, bool>> out;
    const auto *p = reinterpret_cast<const uint8_t *>(gif.constData());
    qsizetype at = 13 + ((p[10] & 0x80) ? 3 * (2 << (p[10] & 7)) : 0);
    while (at < gif.size()) {
        if (p[at] == 0x21) {
            at += 2;
            while (at < gif.size() && p[at] != 0)
                at += 1 + p[at];
            ++at;
        } else if (p[at] == 0x2C) {
            const bool local = p[at + 9] & 0x80;
            out.push_back({int(at), local});
            at += 10 + (local ? 3 * (2 << (p[at + 9] & 7)) : 0) + 1;
            while (at < gif.size() && p[at] != 0)
                at += 1 + p[at];
            ++at;
        } else {
            break;
        }
    }
    return out;
}

} // namespace

// Guards the three coders at every depth against both our reader and Qt's: a width mistake at a table
// boundary or a run the decoder's table does not hold shows up as wrong pixels in one of them.
TEST(CodecGif, EveryCoderAndDepthRoundTrips)
{
    for (uint32_t coder : {0u, 1u, 2u}) {
        for (uint32_t bpp : {1u, 4u, 8u}) {
            for (auto [w, h] : {std::pair{1, 1}, std::pair{37, 23}, std::pair{301, 97}}) {
                SCOPED_TRACE(testing::Message() << "coder " << coder << ", " << bpp << " bits, " << w << "x" << h);
                CxImage source = Busy(w, h, bpp);
                source.SetCodecOption(coder, ImageFormatGif);
                bool ok = false;
                const QByteArray file = EncodeTo(source, ImageFormatGif, &ok);
                ASSERT_TRUE(ok) << source.GetErrorText();

                CxImage back;
                ASSERT_TRUE(DecodeFrom(back, file, ImageFormatGif));
                EXPECT_EQ(back.GetBpp(), bpp);
                EXPECT_EQ(Indices(back), Indices(source));
                EXPECT_EQ(MaxDifference(toQImage(back), toQImage(source)), 0);
                EXPECT_EQ(MaxDifference(QtRead(file, "gif"), toQImage(source)), 0);
            }
        }
    }
}

// Guards the run-length coder on the runs that drive its state machine: runs longer than a table can
// hold, runs that fill the code space, and alternations that force clear codes.
TEST(CodecGif, RunLengthCoderOnLongRuns)
{
    struct Case { const char *name; int width, height; std::function<int(int, int)> pixel; };
    const Case cases[] = {
        {"one colour", 640, 480, [](int, int) { return 3; }},
        {"two halves", 700, 300, [](int x, int) { return x < 350 ? 1 : 2; }},
        {"growing runs", 1000, 60, [](int x, int y) { return ((x + y * 1000) / (1 + (x + y * 1000) / 997)) % 5; }},
        {"stripes", 257, 129, [](int x, int y) { return (x / 3 + y) % 2 ? 200 : 17; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CxImage source = PaletteImage(c.width, c.height, 8);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                source.SetPixelIndex(x, c.height - 1 - y, uint8_t(c.pixel(x, y)));
        source.SetCodecOption(CxImageGIF::CoderRunLength, ImageFormatGif);
        bool ok = false;
        const QByteArray file = EncodeTo(source, ImageFormatGif, &ok);
        ASSERT_TRUE(ok);
        CxImage back;
        ASSERT_TRUE(DecodeFrom(back, file, ImageFormatGif));
        EXPECT_EQ(Indices(back), Indices(source));
        EXPECT_EQ(MaxDifference(QtRead(file, "gif"), toQImage(source)), 0);
    }
}

// Guards the blocks of a written file: the screen's packed byte per depth, no local table on a single
// picture, the comment only when there is one.
TEST(CodecGif, WrittenBlocks)
{
    const struct { uint32_t bpp; uint8_t packed; } cases[] = {{8, 0xF7}, {4, 0xB3}, {1, 0x80}};
    for (const auto &c : cases) {
        CxImage image = PaletteImage(5, 3, c.bpp);
        const QByteArray file = EncodeTo(image, ImageFormatGif);
        ASSERT_GT(file.size(), 13);
        EXPECT_EQ(file.left(6), QByteArray("GIF89a"));
        EXPECT_EQ(uint8_t(file[10]), c.packed) << c.bpp << " bits";
        const auto blocks = Descriptors(file);
        ASSERT_EQ(blocks.size(), 1u);
        EXPECT_FALSE(blocks[0].second);
        EXPECT_EQ(file.indexOf(QByteArray("\x21\xFE", 2)), -1);
    }

    CxImageGIF gif;
    gif.Create(2, 2, 1);
    gif.SetComment("made here");
    CxMemFile out;
    out.Open();
    ASSERT_TRUE(gif.Encode(&out));
    const QByteArray bytes(reinterpret_cast<const char *>(out.GetBuffer(false)), qsizetype(out.Size()));
    EXPECT_NE(bytes.indexOf(QByteArray("\x21\xFE\x09made here\x00", 13)), -1);
    EXPECT_EQ(bytes.right(1), QByteArray(";"));
}

// Guards the reader's signature test and the logical screen: 87a loads, GIF9 does not, a 0 x 0 screen
// takes the first frame's size, and the size-only request reads no pixels.
TEST(CodecGif, SignatureAndScreen)
{
    Frame f;
    f.width = 2;
    f.height = 1;
    f.rows = {1, 2};
    const std::string body = ImageBlock(f) + ";";

    CxImage old;
    ASSERT_TRUE(DecodeFrom(old, File(Screen(2, 1, kFour, "87a") + body), ImageFormatGif));
    EXPECT_EQ(TopDown(old, 1, 0), Rgb(0, 255, 0));

    std::string nine = Screen(2, 1, kFour) + body;
    nine[3] = '9';
    CxImage rejected;
    EXPECT_FALSE(DecodeFrom(rejected, File(nine), ImageFormatGif));

    CxImage zero;
    ASSERT_TRUE(DecodeFrom(zero, File(Screen(0, 0, kFour) + body), ImageFormatGif));
    EXPECT_EQ(zero.GetWidth(), 2);
    EXPECT_EQ(zero.GetHeight(), 1);

    CxImage sizeOnly;
    sizeOnly.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(sizeOnly, File(Screen(40, 30, kFour) + body), ImageFormatGif));
    EXPECT_EQ(sizeOnly.GetWidth(), 40);
    EXPECT_FALSE(sizeOnly.IsValid());
}

// Guards the interlace passes: rows 0, 8, 16 ... then 4, 12 ... then 2, 6 ... then the odd rows.
TEST(CodecGif, InterlacedRowsLandInOrder)
{
    Frame f;
    f.width = 1;
    f.height = 11;
    f.interlaced = true;
    f.codeSize = 4;
    for (int y = 0; y < 11; ++y)
        f.rows.push_back(y);
    std::vector<RgbColor> greys;
    for (int i = 0; i < 16; ++i)
        greys.push_back(RgbColor{uint8_t(i * 10), uint8_t(i * 10), uint8_t(i * 10)});
    const QByteArray file = File(Screen(1, 11, greys) + ImageBlock(f) + ";");
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, file, ImageFormatGif));
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(TopDown(image, 0, y).rgbRed, y * 10) << "row " << y;
    EXPECT_EQ(MaxDifference(QtRead(file, "gif"), toQImage(image)), 0);
}

// Guards composition: a disposal-2 frame clears its own area before the next frame, a disposal-3
// frame is undone, transparent pixels leave what lies below.
TEST(CodecGif, DisposalComposesAtFrameTwo)
{
    // Screen 4 x 1, entry 0 transparent. Frame 0 fills it red; frame 1 puts green over x 1-2; frame 2
    // puts blue at x 3 (with a transparent pixel at x 2).
    Frame f0{0, 0, 4, 1, {1, 1, 1, 1}};
    Frame f1{1, 0, 2, 1, {2, 2}};
    Frame f2{2, 0, 2, 1, {0, 3}};
    const struct { int disposal; std::vector<RGBQUAD> expected; } cases[] = {
        {1, {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)}},
        {2, {Rgb(255, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 255)}},
        {3, {Rgb(255, 0, 0), Rgb(255, 0, 0), Rgb(255, 0, 0), Rgb(0, 0, 255)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "disposal " << c.disposal);
        const std::string file = Screen(4, 1, kFour) + Control(1, 0) + ImageBlock(f0) + Control(c.disposal, 0) +
                                 ImageBlock(f1) + Control(1, 0) + ImageBlock(f2) + ";";
        CxImage image;
        image.SetFrame(2);
        ASSERT_TRUE(DecodeFrom(image, File(file), ImageFormatGif));
        EXPECT_EQ(image.GetFrameCount(), 3);
        EXPECT_EQ(image.GetTransIndex(), 0);
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(TopDown(image, x, 0), c.expected[size_t(x)]) << "x " << x;

        // With LoadAllFrames every composed frame is kept.
        CxImage all;
        all.SetFrame(2);
        all.SetLoadAllFrames(true);
        ASSERT_TRUE(DecodeFrom(all, File(file), ImageFormatGif));
        ASSERT_NE(all.GetFrame(1), nullptr);
        EXPECT_EQ(TopDown(*all.GetFrame(1), 1, 0), Rgb(0, 255, 0));
        EXPECT_EQ(MaxDifference(toQImage(*all.GetFrame(2)), toQImage(image)), 0);
    }

    CxImage pastEnd;
    pastEnd.SetFrame(3);
    EXPECT_FALSE(DecodeFrom(pastEnd, File(Screen(4, 1, kFour) + ImageBlock(f0) + ";"), ImageFormatGif));
}

// Guards frames that overhang the logical screen: they are clipped to it, not dropped (Qt and other
// readers show them), at the right and bottom alike, and a later frame still composes over them; a frame
// that lies wholly off the screen is still passed over.
TEST(CodecGif, OverhangingFramesAreClipped)
{
    // Screen 3 x 2. Frame 0 (3 x 3 from the top left) overhangs at the bottom; frame 1 (3 x 2 at 1, 1)
    // at the right and the bottom; frame 2 lies right of the screen.
    Frame f0{0, 0, 3, 3, {1, 1, 1, 2, 2, 2, 3, 3, 3}};
    Frame f1{1, 1, 3, 2, {3, 0, 2, 1, 1, 1}};
    Frame f2{5, 0, 1, 1, {2}};
    const std::string file =
        Screen(3, 2, kFour) + ImageBlock(f0) + Control(1, -1) + ImageBlock(f1) + ImageBlock(f2) + ";";
    CxImage image;
    image.SetFrame(1);
    ASSERT_TRUE(DecodeFrom(image, File(file), ImageFormatGif)) << image.GetErrorText();
    EXPECT_EQ(image.GetFrameCount(), 2);
    ASSERT_EQ(image.GetWidth(), 3);
    ASSERT_EQ(image.GetHeight(), 2);
    const RGBQUAD expected[2][3] = {{Rgb(255, 0, 0), Rgb(255, 0, 0), Rgb(255, 0, 0)},
                                    {Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(0, 0, 0)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(TopDown(image, x, y), expected[y][x]) << x << "," << y;

    // The first frame alone against Qt's reader.
    const std::string single = Screen(3, 2, kFour) + ImageBlock(f0) + ";";
    CxImage first;
    ASSERT_TRUE(DecodeFrom(first, File(single), ImageFormatGif));
    const QImage qt = QtRead(File(single), "gif");
    ASSERT_FALSE(qt.isNull());
    EXPECT_EQ(MaxDifference(toQImage(first).convertToFormat(QImage::Format_RGB32), qt.convertToFormat(QImage::Format_RGB32)), 0);
}

// Guards the full-colour reading: no global table, several frames with their own tables, the first
// smaller than the screen, gives one 24-bit picture holding every frame. Our own 24-bit files are such
// files: 17 x 15 tiles with local tables.
TEST(CodecGif, TrueColourFrames)
{
    Frame a{0, 0, 2, 1, {0, 1}, {{10, 20, 30}, {40, 50, 60}}};
    Frame b{0, 1, 2, 1, {1, 0}, {{70, 80, 90}, {100, 110, 120}}};
    const std::string file = Screen(3, 2, {}) + ImageBlock(a) + ImageBlock(b) + ";";
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, File(file), ImageFormatGif));
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_EQ(TopDown(image, 1, 0), Rgb(40, 50, 60));
    EXPECT_EQ(TopDown(image, 0, 1), Rgb(100, 110, 120));

    for (auto [w, h] : {std::pair{40, 33}, std::pair{10, 100}, std::pair{17, 15}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        CxImage colour;
        ASSERT_TRUE(fromQImage(colour, TestCard(w, h, false)));
        bool ok = false;
        const QByteArray tiles = EncodeTo(colour, ImageFormatGif, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(uint8_t(tiles[10]), 0x11);
        const auto blocks = Descriptors(tiles);
        EXPECT_EQ(blocks.size(), size_t(((w + 16) / 17) * ((h + 14) / 15)));
        for (const auto &block : blocks)
            EXPECT_TRUE(block.second);
        const auto *p = reinterpret_cast<const uint8_t *>(tiles.constData());
        EXPECT_EQ(Word(p + blocks[0].first + 5), std::min(w, 17));
        EXPECT_EQ(Word(p + blocks[0].first + 7), std::min(h, 15));
        CxImage back;
        ASSERT_TRUE(DecodeFrom(back, tiles, ImageFormatGif));
        // A single tile is a plain one-frame file, read as its 8-bit tile.
        EXPECT_EQ(back.GetBpp(), blocks.size() > 1 ? 24 : 8);
        EXPECT_EQ(MaxDifference(toQImage(back), toQImage(colour)), 0);
    }
}

// Guards damaged data: a code beyond the next free slot is read as that slot and the next frame is still
// found; a frame that ends early keeps the rows it has.
TEST(CodecGif, DamagedCodesAndShortData)
{
    // Codes: clear, 1, then 7 while the next free slot is 6, then the end code.
    Frame bad{0, 0, 3, 1};
    Frame next{0, 0, 3, 1, {2, 2, 2}};
    const std::string file = Screen(3, 1, kFour) + ImageBlock(bad, PackCodes({4, 1, 7, 5}, 2)) + ImageBlock(next) + ";";
    CxImage first;
    ASSERT_TRUE(DecodeFrom(first, File(file), ImageFormatGif));
    EXPECT_EQ(first.GetFrameCount(), 2);
    EXPECT_EQ(TopDown(first, 0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(TopDown(first, 2, 0), Rgb(255, 0, 0));
    CxImage second;
    second.SetFrame(1);
    ASSERT_TRUE(DecodeFrom(second, File(file), ImageFormatGif));
    EXPECT_EQ(TopDown(second, 0, 0), Rgb(0, 255, 0));

    // Chains of damaged codes must never loop: every code beyond the table, over and over.
    std::vector<int> codes = {4, 3};
    codes.resize(3002, -1);
    CxImage noise;
    Frame wide{0, 0, 200, 200};
    EXPECT_TRUE(DecodeFrom(noise, File(Screen(200, 200, kFour) + ImageBlock(wide, PackCodes(codes, 2)) + ";"),
                           ImageFormatGif));
}

// Guards truncation at every point of a small animation: the decoder never reads past the data, fails
// while not one pixel of the first frame is there, and keeps what it composed otherwise.
TEST(CodecGif, TruncatedFilesNeverPassAsEmptyPictures)
{
    Frame f0{0, 0, 4, 2, {1, 1, 2, 2, 3, 3, 1, 1}};
    Frame f1{1, 0, 2, 2, {3, 3, 3, 3}};
    const std::string whole =
        Screen(4, 2, kFour) + Control(1, -1, 10) + ImageBlock(f0) + Control(1) + ImageBlock(f1) + ";";
    // The first data byte holds the clear code and the first pixel.
    const size_t firstPixel = Screen(4, 2, kFour).size() + Control(1).size() + 10 + 3;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(testing::Message() << "cut at " << cut);
        CxImage first;
        const bool ok = DecodeFrom(first, File(whole.substr(0, cut)), ImageFormatGif);
        EXPECT_EQ(ok, cut >= firstPixel);
        if (ok) {
            EXPECT_EQ(first.GetWidth(), 4);
            EXPECT_EQ(TopDown(first, 0, 0), Rgb(255, 0, 0));
        }
        CxImage last;
        last.SetFrame(1);
        if (DecodeFrom(last, File(whole.substr(0, cut)), ImageFormatGif)) {
            EXPECT_EQ(last.GetHeight(), 2);
        }
    }
}

// Guards the animation writer: its checks and texts, the looping extension by loop count, and frames
// that Qt reads back in order.
TEST(CodecGif, AnimationWriter)
{
    CxImage frames[3] = {PaletteImage(6, 4, 4), PaletteImage(6, 4, 4, 2), PaletteImage(6, 4, 4, 3)};
    CxImage *list[3] = {&frames[0], &frames[1], &frames[2]};
    for (CxImage &f : frames)
        f.SetFrameDelay(7);

    const struct { int32_t loops; int repeatAt; int repeat; } cases[] = {{1, -1, 0}, {0, 1, 0}, {3, 1, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "loop count " << c.loops);
        CxImageGIF gif;
        gif.SetLoopCount(c.loops);
        CxMemFile out;
        out.Open();
        ASSERT_TRUE(gif.WriteAnimation(&out, list, 3, false, false)) << gif.GetErrorText();
        const QByteArray bytes(reinterpret_cast<const char *>(out.GetBuffer(false)), qsizetype(out.Size()));
        const qsizetype at = bytes.indexOf("NETSCAPE2.0");
        if (c.repeatAt < 0) {
            EXPECT_EQ(at, -1);
        } else {
            ASSERT_NE(at, -1);
            EXPECT_EQ(Word(reinterpret_cast<const uint8_t *>(bytes.constData()) + at + 13), c.repeat);
        }
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        for (int i = 0; i < 3; ++i) {
            const QImage frame = reader.read();
            EXPECT_EQ(MaxDifference(frame, toQImage(frames[i])), 0) << "frame " << i;
        }
        CxImage loaded;
        ASSERT_TRUE(DecodeFrom(loaded, bytes, ImageFormatGif));
        EXPECT_EQ(loaded.GetFrameCount(), 3);
        EXPECT_EQ(loaded.GetFrameDelay(), 7u);
    }

    CxImage colour(2, 2, 24);
    CxImage empty;
    CxImage *withColour[2] = {&frames[0], &colour};
    CxImage *withEmpty[2] = {&frames[0], &empty};
    CxImage *withNull[2] = {&frames[0], nullptr};
    const struct { CxImage *const *images; int count; const char *text; } failures[] = {
        {nullptr, 2, "multipage GIF, no images!"},
        {list, 0, "multipage GIF, no images!"},
        {withNull, 2, "Bad image pointer"},
        {withEmpty, 2, "Empty image"},
        {withColour, 2, "CxImageGIF::Encode cannot create animated GIFs with a true color frame. Use DecreaseBpp before"},
    };
    for (const auto &f : failures) {
        CxImageGIF gif;
        CxMemFile out;
        out.Open();
        EXPECT_FALSE(gif.WriteAnimation(&out, f.images, f.count, false, false));
        EXPECT_STREQ(gif.GetErrorText(), f.text);
    }
    CxImageGIF gif;
    EXPECT_FALSE(gif.WriteAnimation(nullptr, list, 3, false, false));
    EXPECT_STREQ(gif.GetErrorText(), "invalid file pointer");
}

// Guards re-saving a loaded animation: frames whose palettes differ keep their own colours.
TEST(CodecGif, LoadedFramesSaveWithTheirColours)
{
    Frame a{0, 0, 2, 1, {0, 1}, {{255, 0, 0}, {0, 255, 0}}};
    Frame b{0, 0, 2, 1, {1, 0}, {{0, 0, 255}, {255, 255, 0}}};
    const std::string file = Screen(2, 1, {{9, 9, 9}, {8, 8, 8}}) + ImageBlock(a) + ImageBlock(b) + ";";
    CxImage all;
    all.SetFrame(1);
    all.SetLoadAllFrames(true);
    ASSERT_TRUE(DecodeFrom(all, File(file), ImageFormatGif));
    ASSERT_EQ(all.GetFrameCount(), 2);
    bool ok = false;
    const QByteArray saved = EncodeTo(all, ImageFormatGif, &ok);
    ASSERT_TRUE(ok);
    CxImage second;
    second.SetFrame(1);
    ASSERT_TRUE(DecodeFrom(second, saved, ImageFormatGif));
    EXPECT_EQ(TopDown(second, 0, 0), Rgb(255, 255, 0));
    EXPECT_EQ(TopDown(second, 1, 0), Rgb(0, 0, 255));
}
