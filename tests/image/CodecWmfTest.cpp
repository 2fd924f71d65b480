#include "CodecTestSupport.h"
#include "support/TempTree.h"

#include "image/qt/MetafilePlayer.h"
#include "image/xImageWMF.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace codectest;

namespace {

// ---- Windows metafiles written record by record

std::string Words(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += Le16(v);
    return out;
}

std::string ColourWords(int r, int g, int b)
{
    return Le32(uint32_t(r | (g << 8) | (b << 16)));
}

struct Wmf
{
    std::string records;
    int objects = 8;

    Wmf &Add(uint16_t function, const std::string &params)
    {
        records += Le32(uint32_t(3 + params.size() / 2)) + Le16(function) + params;
        return *this;
    }
    Wmf &Add(uint16_t function, std::initializer_list<int> params) { return Add(function, Words(params)); }

    // Solid brush, then selected; the pen is made empty so that shapes show their fill alone.
    Wmf &FillWith(int r, int g, int b)
    {
        Add(0x02FC, Words({0}) + ColourWords(r, g, b) + Words({0})); // CREATEBRUSHINDIRECT
        Add(0x012D, {0});                                             // SELECTOBJECT
        Add(0x01F0, {0});                                             // DELETEOBJECT (the selection stays)
        Add(0x02FA, Words({5, 0, 0}) + ColourWords(0, 0, 0));          // CREATEPENINDIRECT, PS_NULL
        Add(0x012D, {0});
        return Add(0x01F0, {0});
    }

    std::string Standard() const
    {
        const std::string body = records + Le32(3) + Le16(0); // EOF
        const uint32_t words = uint32_t((18 + body.size()) / 2);
        return Words({1, 9, 0x0300}) + Le32(words) + Words({objects}) + Le32(64) + Words({0}) + body;
    }

    QByteArray Placeable(int left, int top, int right, int bottom, int inch, int checksumFlip = 0) const
    {
        std::string head = Le32(0x9AC6CDD7) + Words({0, left, top, right, bottom, inch}) + Le32(0);
        uint16_t sum = 0;
        for (size_t i = 0; i < head.size(); i += 2)
            sum ^= uint16_t(uint8_t(head[i]) | (uint8_t(head[i + 1]) << 8));
        head += Le16(sum ^ checksumFlip);
        const std::string all = head + Standard();
        return QByteArray(all.data(), qsizetype(all.size()));
    }
};

// A bottom-up 24-bit DIB of the given pixels (top row first in the argument).
std::string Dib24(int width, int height, const std::vector<QRgb> &topDown)
{
    std::string out = Le32(40) + Le32(uint32_t(width)) + Le32(uint32_t(height)) + Le16(1) + Le16(24) + Le32(0) +
                      Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
    const int stride = (width * 3 + 3) & ~3;
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const QRgb p = topDown[size_t(y * width + x)];
            row += Bytes({qBlue(p), qGreen(p), qRed(p)});
        }
        row.resize(size_t(stride), '\0');
        out += row;
    }
    return out;
}

// ---- enhanced metafiles

struct Emf
{
    std::string records;
    int count = 1;

    Emf &Add(uint32_t type, const std::string &fields)
    {
        records += Le32(type) + Le32(uint32_t(8 + fields.size())) + fields;
        ++count;
        return *this;
    }
    static std::string Ints(std::initializer_list<int> values)
    {
        std::string out;
        for (int v : values)
            out += Le32(uint32_t(v));
        return out;
    }
    static std::string Floats(std::initializer_list<float> values)
    {
        std::string out;
        for (float v : values) {
            uint32_t bits;
            std::memcpy(&bits, &v, 4);
            out += Le32(bits);
        }
        return out;
    }
    Emf &FillWith(int r, int g, int b)
    {
        Add(39, Ints({1, 0, r | (g << 8) | (b << 16), 0})); // CREATEBRUSHINDIRECT
        Add(37, Ints({1}));                                 // SELECTOBJECT
        return Add(37, Ints({int(0x80000008)}));            // SELECTOBJECT NULL_PEN
    }

    // Bounds in pixels of a 96-dpi reference device; the frame says the same in hundredths of a mm.
    QByteArray File(int width, int height) const
    {
        const std::string eof = Le32(14) + Le32(20) + Ints({0, 16, 20});
        const uint32_t total = uint32_t(88 + records.size() + eof.size());
        const int frameRight = int(width * 2540.0 / 96 + 0.5), frameBottom = int(height * 2540.0 / 96 + 0.5);
        const std::string header = Le32(1) + Le32(88) + Ints({0, 0, width, height, 0, 0, frameRight, frameBottom}) +
                                   Le32(0x464D4520) + Le32(0x10000) + Le32(total) + Le32(uint32_t(count + 1)) +
                                   Le16(4) + Le16(0) + Ints({0, 0, 0, 960, 960, 254, 254});
        const std::string all = header + records + eof;
        return QByteArray(all.data(), qsizetype(all.size()));
    }
};

QRgb At(const CxImage &image, int x, int yFromTop)
{
    const RGBQUAD c = image.GetPixelColor(x, image.GetHeight() - 1 - yFromTop, false);
    return qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

int DarkPixels(const CxImage &image, QRect area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(At(image, x, y)) < 128;
    return dark;
}

class CodecWmf : public ::testing::Test
{
protected:
    void SetUp() override { RegisterMetafilePlayer(); }
    void TearDown() override { RegisterMetafilePlayer(); }
};

constexpr QRgb kWhite = 0xFFFFFFFF;

} // namespace

// Guards what clip art and documents draw, each on a picture of one inch by half an inch (1440 units
// to the inch), so 96 x 48 pixels: a filled rectangle, an ellipse, a polygon, a stretched bitmap, a
// thick polyline and text, each on the white window colour.
TEST_F(CodecWmf, ShapesTextAndBitmapsAtNaturalSize)
{
    struct Case
    {
        const char *name;
        Wmf wmf;
        std::vector<std::pair<QPoint, QRgb>> expected;
    };
    std::vector<Case> cases;
    {
        Wmf w;
        w.Add(0x020B, {0, 0}).Add(0x020C, {720, 1440}).FillWith(255, 0, 0).Add(0x041B, {720, 720, 0, 0});
        cases.push_back({"rectangle", w, {{{20, 24}, qRgb(255, 0, 0)}, {{70, 24}, kWhite}}});
    }
    {
        Wmf w;
        w.FillWith(0, 0, 255).Add(0x0418, {720, 1440, 0, 0});
        cases.push_back({"ellipse", w, {{{48, 24}, qRgb(0, 0, 255)}, {{2, 2}, kWhite}, {{93, 45}, kWhite}}});
    }
    {
        Wmf w;
        w.FillWith(0, 128, 0).Add(0x0324, {3, 0, 720, 720, 0, 1440, 720});
        cases.push_back({"polygon", w, {{{48, 40}, qRgb(0, 128, 0)}, {{5, 5}, kWhite}, {{90, 5}, kWhite}}});
    }
    {
        Wmf w;
        const std::string dib = Dib24(2, 1, {qRgb(255, 0, 0), qRgb(0, 0, 255)});
        // DIBSTRETCHBLT: rop, source height and width, source y and x, destination height, width, y, x.
        w.Add(0x0B41, Le32(0x00CC0020) + Words({1, 2, 0, 0, 720, 1440, 0, 0}) + dib);
        cases.push_back({"bitmap", w, {{{10, 24}, qRgb(255, 0, 0)}, {{85, 24}, qRgb(0, 0, 255)}}});
    }
    {
        Wmf w;
        w.Add(0x02FA, Words({0, 150, 0}) + ColourWords(0, 0, 0)).Add(0x012D, {0});
        w.Add(0x0325, {2, 0, 360, 1440, 360});
        cases.push_back({"polyline", w, {{{48, 24}, qRgb(0, 0, 0)}, {{48, 5}, kWhite}}});
    }
    for (Case &c : cases) {
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, c.wmf.Placeable(0, 0, 1440, 720, 1440), ImageFormatWmf)) << c.name << image.GetErrorText();
        EXPECT_EQ(image.GetWidth(), 96) << c.name;
        EXPECT_EQ(image.GetHeight(), 48) << c.name;
        EXPECT_EQ(image.GetBpp(), 24);
        EXPECT_EQ(image.GetFormatId(), ImageFormatWmf);
        for (const auto &[point, colour] : c.expected)
            EXPECT_EQ(At(image, point.x(), point.y()), colour) << c.name << " at " << point.x() << "," << point.y();
    }

    // Text: a 20-pixel font (300 units), "HI" near the top left, nothing elsewhere.
    Wmf text;
    text.Add(0x02FB, Words({-300, 0, 0, 0, 700}) + Bytes({0, 0, 0, 0, 0, 0, 0, 0}) + std::string("Arial\0", 6));
    text.Add(0x012D, {0}).Add(0x0102, {1}).Add(0x0521, Words({2}) + "HI" + Words({60, 60}));
    CxImage written;
    ASSERT_TRUE(DecodeFrom(written, text.Placeable(0, 0, 1440, 720, 1440), ImageFormatNone)) << written.GetErrorText();
    EXPECT_GT(DarkPixels(written, QRect(0, 0, 40, 30)), 20);
    EXPECT_EQ(DarkPixels(written, QRect(50, 0, 46, 48)), 0);
}

// Guards the header checks and the record walk: a metafile without the placeable header, units per
// inch of 0 or above 2540 and a wrong checksum are no metafile; a record running past the end is
// damage; an unknown record is passed over; an empty box is "empty WMF"; saving is refused.
TEST_F(CodecWmf, HeaderChecksAndDamage)
{
    Wmf red;
    red.FillWith(255, 0, 0).Add(0x041B, {96, 96, 0, 0});
    struct Bad
    {
        const char *name;
        QByteArray bytes;
        const char *text;
    } bad[] = {
        {"no placeable header", QByteArray::fromStdString(red.Standard()), "corrupted WMF"},
        {"0 units per inch", red.Placeable(0, 0, 96, 96, 0), "corrupted WMF"},
        {"2541 units per inch", red.Placeable(0, 0, 96, 96, 2541), "corrupted WMF"},
        {"checksum", red.Placeable(0, 0, 96, 96, 96, 1), "corrupted WMF"},
        {"empty box", red.Placeable(10, 10, 10, 50, 96), "empty WMF"},
    };
    for (const Bad &b : bad) {
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, b.bytes, ImageFormatWmf)) << b.name;
        EXPECT_STREQ(image.GetErrorText(), b.text) << b.name;
        EXPECT_FALSE(image.IsValid()) << b.name;
    }

    Wmf overrun = red;
    overrun.records += Le32(4000) + Le16(0x041B) + Words({1, 2, 3, 4});
    CxImage damaged;
    EXPECT_FALSE(DecodeFrom(damaged, overrun.Placeable(0, 0, 96, 96, 96), ImageFormatWmf));
    EXPECT_STREQ(damaged.GetErrorText(), "corrupted WMF");

    Wmf unknown;
    unknown.Add(0x7777, {1, 2, 3}).FillWith(255, 0, 0).Add(0x041B, {96, 96, 0, 0});
    CxImage skipped;
    ASSERT_TRUE(DecodeFrom(skipped, unknown.Placeable(0, 0, 96, 96, 96), ImageFormatWmf)) << skipped.GetErrorText();
    EXPECT_EQ(At(skipped, 50, 50), qRgb(255, 0, 0));

    CxImage card(4, 4, 24);
    bool ok = true;
    EncodeTo(card, ImageFormatWmf, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(card.GetErrorText(), "Save WMF not supported");
}

// Guards the size rules: the size-only request, forced sizes, and the 4,000-pixel limit that keeps the
// proportions (8000 x 2000 renders at 4000 x 1000, still filled where the picture is).
TEST_F(CodecWmf, SizesAndTheCanvasLimit)
{
    Wmf red;
    red.FillWith(255, 0, 0).Add(0x041B, {2000, 4000, 0, 0});
    const QByteArray wide = red.Placeable(0, 0, 8000, 2000, 96);

    CxImage size;
    size.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(size, wide, ImageFormatWmf));
    EXPECT_EQ(size.GetWidth(), 8000);
    EXPECT_EQ(size.GetHeight(), 2000);
    EXPECT_STREQ(size.GetErrorText(), "output dimensions returned");

    CxImage limited;
    ASSERT_TRUE(DecodeFrom(limited, wide, ImageFormatWmf)) << limited.GetErrorText();
    EXPECT_EQ(limited.GetWidth(), 4000);
    EXPECT_EQ(limited.GetHeight(), 1000);
    EXPECT_EQ(At(limited, 1000, 500), qRgb(255, 0, 0));
    EXPECT_EQ(At(limited, 3000, 500), kWhite);

    int32_t w = 3000, h = 9000;
    CxImageWMF::LimitMetafileSize(w, h);
    EXPECT_EQ(w, 1333);
    EXPECT_EQ(h, 4000);

    std::vector<uint8_t> bytes(wide.begin(), wide.end());
    CxMemFile file(bytes.data(), bytes.size());
    CxImageWMF forced;
    ASSERT_TRUE(forced.Decode(&file, 40, 10));
    EXPECT_EQ(forced.GetWidth(), 40);
    EXPECT_EQ(forced.GetHeight(), 10);
}

// Guards the enhanced-metafile path: the frame maps onto the picture, the world transform scales what
// follows, objects are found by their own index and stock objects by the stock flag; a record whose
// size is not a whole number of 32-bit words is damage.
TEST_F(CodecWmf, EnhancedMetafiles)
{
    Emf emf;
    emf.FillWith(0, 0, 255).Add(35, Emf::Floats({2, 0, 0, 2, 0, 0})).Add(43, Emf::Ints({0, 0, 25, 25}));
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, emf.File(100, 50), ImageFormatNone)) << image.GetErrorText();
    EXPECT_EQ(image.GetFormatId(), ImageFormatWmf);
    EXPECT_EQ(image.GetWidth(), 100);
    EXPECT_EQ(image.GetHeight(), 50);
    EXPECT_EQ(At(image, 45, 45), qRgb(0, 0, 255)) << "25 units at twice the scale reach 50 pixels";
    EXPECT_EQ(At(image, 60, 20), kWhite);

    Emf text;
    // EXTCREATEFONTINDIRECTW: index, height, width, escapement, orientation, weight, eight flag and
    // precision bytes, 32 UTF-16 characters of face name.
    text.Add(82, Emf::Ints({2, -20, 0, 0, 0, 700}) + std::string(8, '\0') + std::string("A\0r\0i\0a\0l\0", 10) +
                     std::string(54, '\0'));
    text.Add(37, Emf::Ints({2})).Add(18, Emf::Ints({1}));
    // EXTTEXTOUTW: bounds, graphics mode, scales, then the text record: reference point, 2 characters
    // at offset 76, no options, no rectangle, no advances.
    text.Add(84, Emf::Ints({0, 0, 0, 0, 1}) + Emf::Floats({1, 1}) + Emf::Ints({5, 5, 2, 76, 0, 0, 0, 0, 0, 0}) +
                     std::string("H\0I\0", 4));
    CxImage written;
    ASSERT_TRUE(DecodeFrom(written, text.File(100, 50), ImageFormatWmf)) << written.GetErrorText();
    EXPECT_GT(DarkPixels(written, QRect(0, 0, 40, 30)), 20);
    EXPECT_EQ(DarkPixels(written, QRect(50, 0, 50, 50)), 0);

    QByteArray damaged = emf.File(100, 50);
    damaged[88 + 4] = char(22); // the first record's size
    CxImage broken;
    EXPECT_FALSE(DecodeFrom(broken, damaged, ImageFormatWmf));
    EXPECT_STREQ(broken.GetErrorText(), "corrupted WMF");
}

// Guards the plug: without a player metafiles are an unsupported format (detection passes over them),
// with one they load; and the way the application uses them, reduced to 8 bits and saved as PNG.
TEST_F(CodecWmf, PlayerPlugAndApplicationUse)
{
    Wmf red;
    red.FillWith(255, 0, 0).Add(0x041B, {48, 48, 0, 0});
    const QByteArray wmf = red.Placeable(0, 0, 96, 48, 96);

    SetMetafilePlayer(nullptr);
    CxImage without;
    EXPECT_FALSE(DecodeFrom(without, wmf, ImageFormatWmf));
    EXPECT_STREQ(without.GetErrorText(), "Decode: Unknown or wrong format");
    RegisterMetafilePlayer();

    TempTree tree;
    const QString path = tree.Write("clip.wmf", wmf);
    CxImage image;
    ASSERT_TRUE(image.Load(path.toStdString(), ImageFormatWmf)) << image.GetErrorText();
    ASSERT_TRUE(image.DecreaseBpp(8, false));
    ASSERT_TRUE(image.Save((tree / "clip.png").toStdString(), ImageFormatPng));
    const QImage png(tree / "clip.png");
    ASSERT_EQ(png.size(), QSize(96, 48));
    EXPECT_EQ(png.pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(png.pixel(70, 20), kWhite);
}
