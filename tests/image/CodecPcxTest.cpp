#include "CodecTestSupport.h"
#include "CodecFixtures.h"

#include "image/xImagePCX.h"

#include <gtest/gtest.h>

using namespace codectest;

namespace {

struct Pcx
{
    int manufacturer = 10, encoding = 1;
    int bits = 8, planes = 1;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int bytesPerLine = 2;
    std::string colourMap = std::string(48, '\0');
};

std::string Header(const Pcx &p)
{
    std::string h = Bytes({p.manufacturer, 5, p.encoding, p.bits}) + Le16(p.xMin) + Le16(p.yMin) + Le16(p.xMax) +
                    Le16(p.yMax) + Le16(72) + Le16(300) + p.colourMap;
    h += Bytes({0, p.planes}) + Le16(p.bytesPerLine) + Le16(1);
    h.resize(128, '\0');
    return h;
}

// Plain run-length data: bytes below 0xC0 alone, the others behind a count of 1.
std::string Runs(const std::string &raw)
{
    std::string out;
    for (unsigned char c : raw)
        out += c < 0xC0 ? std::string(1, char(c)) : Bytes({0xC1, c});
    return out;
}

std::string ColourMap(int entries)
{
    std::string map;
    for (int i = 0; i < 16; ++i)
        map += i < entries ? Bytes({i * 16, 255 - i * 16, i * 5}) : Bytes({0, 0, 0});
    return map;
}

} // namespace

// Guards every plane layout the reader takes: colour planes with and without alpha, 1-bit planes
// combined into indices, packed pixels of 1, 2, 4 and 8 bits, and the palette each one uses.
TEST(CodecPcx, PlaneLayouts)
{
    std::string palette256 = "\x0C";
    for (int i = 0; i < 256; ++i)
        palette256 += Bytes({i, 0, 255 - i});

    struct Case
    {
        const char *name;
        Pcx header;
        std::string data; // before run-length coding
        std::string trailer;
        int bpp;
        std::vector<RGBQUAD> topRow;
        std::vector<int> alpha;
    };
    const auto make = [](int bits, int planes, int width, int bpl, std::string map = std::string(48, '\0')) {
        Pcx p;
        p.bits = bits;
        p.planes = planes;
        p.xMax = width - 1;
        p.bytesPerLine = bpl;
        p.colourMap = map;
        return p;
    };
    const Case cases[] = {
        {"3 x 8 bits", make(8, 3, 2, 2), Bytes({10, 20, 30, 40, 50, 60}), "", 24, {Rgb(10, 30, 50), Rgb(20, 40, 60)}, {}},
        {"4 x 8 bits", make(8, 4, 2, 2), Bytes({10, 20, 30, 40, 50, 60, 128, 255}), "", 24,
         {Rgb(10, 30, 50), Rgb(20, 40, 60)}, {128, 255}},
        // Indices 5, 10, 15: plane i carries bit i.
        {"4 x 1 bit", make(1, 4, 3, 2, ColourMap(16)), Bytes({0xA0, 0, 0x60, 0, 0xA0, 0, 0x60, 0}), "", 4,
         {Rgb(80, 175, 25), Rgb(160, 95, 50), Rgb(240, 15, 75)}, {}},
        {"2 x 1 bit", make(1, 2, 2, 2, ColourMap(4)), Bytes({0x80, 0, 0xC0, 0}), "", 4,
         {Rgb(48, 207, 15), Rgb(32, 223, 10)}, {}},
        {"1 x 8 bits", make(8, 1, 3, 4), Bytes({0, 7, 200, 0}), palette256, 8, {Rgb(0, 0, 255), Rgb(7, 0, 248), Rgb(200, 0, 55)}, {}},
        {"1 x 4 bits", make(4, 1, 3, 2, ColourMap(16)), Bytes({0x1F, 0x20}), "", 4,
         {Rgb(16, 239, 5), Rgb(240, 15, 75), Rgb(32, 223, 10)}, {}},
        {"1 x 2 bits", make(2, 1, 3, 2, ColourMap(4)), Bytes({0x1C, 0}), "", 4,
         {Rgb(0, 255, 0), Rgb(16, 239, 5), Rgb(48, 207, 15)}, {}},
        {"1 x 1 bit", make(1, 1, 10, 2, ColourMap(16)), Bytes({0x81, 0x40}), "", 1,
         {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0),
          Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(255, 255, 255)}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, File(Header(c.header) + Runs(c.data) + c.trailer), ImageFormatPcx))
            << image.GetErrorText();
        EXPECT_EQ(image.GetBpp(), c.bpp);
        EXPECT_EQ(image.GetHorizontalDpi(), 72);
        EXPECT_EQ(image.GetVerticalDpi(), 300);
        for (size_t x = 0; x < c.topRow.size(); ++x)
            EXPECT_EQ(TopDown(image, int(x), 0), c.topRow[x]) << "x " << x;
        EXPECT_EQ(image.AlphaIsValid(), !c.alpha.empty());
        for (size_t x = 0; x < c.alpha.size(); ++x)
            EXPECT_EQ(image.AlphaGet(int(x), 0), c.alpha[x]);
    }
}

// Guards the reader's refusals, damaged data among them: a short scan line, bounds the wrong way
// round, runs past the end and a file that ends early all fail with their text instead of reading on.
TEST(CodecPcx, DamagedFilesFailWithTheirText)
{
    Pcx good;
    good.xMax = 1;
    good.yMax = 1;
    const std::string rows = Runs(Bytes({1, 2, 3, 4}));
    std::string palette = "\x0C" + std::string(768, '\x10');

    struct Case { const char *name; std::string file; const char *text; };
    std::vector<Case> cases;
    const auto with = [&](auto change, std::string data, std::string trailer, const char *text, const char *name) {
        Pcx p = good;
        change(p);
        cases.push_back({name, Header(p) + data + trailer, text});
    };
    cases.push_back({"short header", Header(good).substr(0, 100), "Can't read PCX image"});
    with([](Pcx &p) { p.manufacturer = 9; }, rows, palette, "Error: Not a PCX file", "manufacturer");
    with([](Pcx &p) { p.encoding = 0; }, rows, palette, "PCX file has unknown encoding scheme", "encoding");
    with([](Pcx &p) { p.planes = 5; }, rows, palette, "Can't handle image with more than 4 planes", "planes");
    with([](Pcx &p) { p.planes = 2; }, rows, palette, "PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel",
         "two planes of 8 bits");
    with([](Pcx &) {}, rows, "\x0B" + std::string(768, '\x10'), "bad color map signature", "marker");
    with([](Pcx &) {}, rows, "", "bad color map signature", "no palette");
    with([](Pcx &) {}, Runs(Bytes({1, 2, 3})), "", "corrupted PCX", "data ends early");
    with([](Pcx &) {}, Bytes({1, 2, 0xC3, 9}), palette, "repeat count spans end of image", "run past the end");
    with([](Pcx &p) { p.bytesPerLine = 1; }, rows, palette, "corrupted PCX", "scan line shorter than its pixels");
    with([](Pcx &p) { p.xMin = 5; p.xMax = 2; }, rows, palette, "corrupted PCX", "bounds the wrong way round");
    with([](Pcx &p) { p.xMax = 60000; p.yMax = 60000; p.bytesPerLine = 60002; }, rows, palette, "corrupted PCX",
         "huge picture in a tiny file");

    for (const Case &c : cases) {
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, File(c.file), ImageFormatPcx)) << c.name;
        EXPECT_STREQ(image.GetErrorText(), c.text) << c.name;
    }

    // A run may carry on into the next scan line.
    CxImage across;
    ASSERT_TRUE(DecodeFrom(across, File(Header(good) + Bytes({0xC3, 7, 8}) + palette), ImageFormatPcx));
    EXPECT_EQ(across.GetPixelIndex(0, 0), 7);
    EXPECT_EQ(across.GetPixelIndex(1, 0), 8);
}

// Guards the bytes we write: even scan lines (an extra 0 per 8-bit plane row of odd width), runs cut at
// 63, the palette behind its marker.
TEST(CodecPcx, WrittenBytes)
{
    CxImage image(3, 1, 8);
    image.SetPaletteColor(200, 1, 2, 3);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelIndex(1, 0, 1);
    image.SetPixelIndex(2, 0, 200);
    bool ok = false;
    const QByteArray file = EncodeTo(image, ImageFormatPcx, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(file.size(), 128 + 5 + 769);
    EXPECT_EQ(uint8_t(file[1]), 5);
    EXPECT_EQ(uint8_t(file[65]), 1);
    EXPECT_EQ(uint8_t(file[66]), 4) << "bytes per line rounded up to even";
    EXPECT_EQ(file.mid(128, 5), File(Bytes({0xC2, 1, 0xC1, 200, 0})));
    EXPECT_EQ(uint8_t(file[133]), 0x0C);
    EXPECT_EQ(file.mid(134 + 600, 3), File(Bytes({1, 2, 3})));

    CxImage colour(101, 1, 24);
    const QByteArray runs = EncodeTo(colour, ImageFormatPcx);
    // Each of the three planes: 63 + 38 zeros, then the pad byte.
    EXPECT_EQ(runs.mid(128, 5), File(Bytes({0xFF, 0, 0xE6, 0, 0})));
    EXPECT_EQ(runs.size(), 128 + 15);
}

// Guards the round trip at every depth, the inverted 1-bit rule included: a white-then-black picture
// is stored with black as 0 and comes back looking the same.
TEST(CodecPcx, RoundTripsKeepTheLook)
{
    CxImage inverted(9, 2, 1);
    inverted.SetPaletteColor(0, 255, 255, 255);
    inverted.SetPaletteColor(1, 0, 0, 0);
    inverted.SetPixelIndex(0, 0, 1);
    inverted.SetPixelIndex(8, 1, 1);
    const CxImage card = ColourCard(13, 7, true);
    const CxImage colour = ColourCard(13, 7, false);

    struct Case { const char *name; CxImage image; };
    Case cases[] = {{"1 bit inverted", inverted}, {"4 bits", PaletteImage(11, 5, 4)}, {"8 bits", PaletteImage(7, 3, 8, 5)},
                    {"24 bits", colour}, {"24 bits with alpha", card}};
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = false;
        const QByteArray file = EncodeTo(c.image, ImageFormatPcx, &ok);
        ASSERT_TRUE(ok);
        CxImage back;
        ASSERT_TRUE(DecodeFrom(back, file, ImageFormatPcx)) << back.GetErrorText();
        EXPECT_EQ(back.GetBpp(), c.image.GetBpp());
        EXPECT_EQ(MaxDifference(toQImage(back), toQImage(c.image)), 0);
    }
    const QByteArray file = EncodeTo(inverted, ImageFormatPcx);
    // Top row: eight white pixels (index 0) stored as 1 bits, then the black ninth (index 1) as a 0 bit.
    EXPECT_EQ(file.mid(128, 3), File(Bytes({0xC1, 0xFF, 0x00}))) << "top row, inverted";
}
