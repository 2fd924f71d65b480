#include "CodecTestSupport.h"

#include "image/xImagePNG.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

using namespace codectest;

namespace {

CxImage FromQt(const QImage &source)
{
    CxImage image;
    fromQImage(image, source);
    return image;
}

// An Adam7 PNG of byte-aligned pixels (bytesPerPixel each) from its full rows: the seven passes'
// reduced images one after another, each row with its filter byte.
QByteArray InterlacedPng(uint32_t width, uint32_t height, int bitDepth, int colorType, int bytesPerPixel,
                         const std::vector<std::string> &rows, const std::string &extra)
{
    static const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                     {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::string raw;
    for (const auto &p : passes) {
        for (uint32_t y = uint32_t(p[1]); y < height; y += uint32_t(p[3])) {
            std::string line;
            for (uint32_t x = uint32_t(p[0]); x < width; x += uint32_t(p[2]))
                line += rows[y].substr(size_t(x) * size_t(bytesPerPixel), size_t(bytesPerPixel));
            if (!line.empty())
                raw += '\0' + line;
        }
    }
    std::string ihdr;
    Append32(ihdr, width);
    Append32(ihdr, height);
    ihdr += Bytes({bitDepth, colorType, 0, 0, 1});
    const std::string out = "\x89PNG\r\n\x1a\n" + Chunk("IHDR", ihdr) + extra + Chunk("IDAT", ZlibStored(raw)) +
                            Chunk("IEND", {});
    return QByteArray(out.data(), qsizetype(out.size()));
}

} // namespace

// Guards the interlace flag round trip: a picture loaded interlaced must be saved interlaced, and both
// our file and Qt's reading of it must carry the same pixels.
TEST(CodecPng, InterlacedLoadsAndSavesInterlaced)
{
    CxImage card = FromQt(TestCard(23, 17, false));
    card.SetCodecOption(1, ImageFormatPng);
    bool ok = false;
    const QByteArray first = EncodeTo(card, ImageFormatPng, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(FindChunk(first, "IHDR")[12], 1) << "interlace method byte";
    EXPECT_EQ(MaxDifference(QtRead(first, "png"), toQImage(card)), 0);

    CxImage loaded;
    ASSERT_TRUE(DecodeFrom(loaded, first, ImageFormatPng)) << loaded.GetErrorText();
    EXPECT_EQ(loaded.GetCodecOption(ImageFormatPng), 1u);
    EXPECT_EQ(MaxDifference(toQImage(loaded), toQImage(card)), 0);
    const QByteArray second = EncodeTo(loaded, ImageFormatPng, &ok);
    EXPECT_EQ(FindChunk(second, "IHDR")[12], 1);

    // Interlaced with alpha takes the refill path for the alpha plane too.
    CxImage alphaCard(9, 11, 24);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 9; ++x)
            alphaCard.SetPixelColor(x, y, RGBQUAD{uint8_t(x * 20), uint8_t(y * 20), 90, 0});
    alphaCard.AlphaCreate();
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 9; ++x)
            alphaCard.AlphaSetPixel(x, y, uint8_t(x * 25 + y));
    alphaCard.SetCodecOption(1, ImageFormatPng);
    const QByteArray third = EncodeTo(alphaCard, ImageFormatPng, &ok);
    ASSERT_TRUE(ok);
    CxImage back;
    ASSERT_TRUE(DecodeFrom(back, third, ImageFormatPng));
    EXPECT_EQ(MaxDifference(toQImage(back), toQImage(alphaCard)), 0);
    EXPECT_EQ(MaxDifference(QtRead(third, "png"), toQImage(alphaCard)), 0);
}

// Guards resolution and depth handling of the header chunks: no pHYs is 96 dpi, pHYs in metres is
// converted, 16-bit samples keep their high byte and 2-bit grey is widened to four levels.
TEST(CodecPng, ResolutionAndDepths)
{
    CxImage card(4, 2, 24);
    card.SetHorizontalDpi(300);
    card.SetVerticalDpi(150);
    QByteArray bytes = EncodeTo(card, ImageFormatPng);
    CxImage loaded;
    ASSERT_TRUE(DecodeFrom(loaded, bytes, ImageFormatPng));
    EXPECT_EQ(loaded.GetHorizontalDpi(), 300);
    EXPECT_EQ(loaded.GetVerticalDpi(), 150);

    CxImage plain;
    plain.SetHorizontalDpi(200);
    ASSERT_TRUE(DecodeFrom(plain, DropChunk(bytes, "pHYs"), ImageFormatPng));
    EXPECT_EQ(plain.GetHorizontalDpi(), 96);

    // 16-bit grey: samples 0x1234 and 0xABCD.
    CxImage grey16;
    ASSERT_TRUE(DecodeFrom(grey16, MakePng(2, 1, 16, 0, {Bytes({0x12, 0x34, 0xAB, 0xCD})}), ImageFormatPng))
        << grey16.GetErrorText();
    EXPECT_EQ(grey16.GetBpp(), 8);
    EXPECT_EQ(grey16.GetPixelIndex(0, 0), 0x12);
    EXPECT_EQ(grey16.GetPixelIndex(1, 0), 0xAB);
    EXPECT_TRUE(grey16.IsGrayScale());

    // 16-bit RGB keeps the high bytes in blue, green, red order.
    CxImage rgb16;
    ASSERT_TRUE(DecodeFrom(rgb16, MakePng(1, 1, 16, 2, {Bytes({0x10, 0, 0x20, 0, 0x30, 0})}), ImageFormatPng));
    const RGBQUAD c = rgb16.GetPixelColor(0, 0, false);
    EXPECT_EQ(c.rgbRed, 0x10);
    EXPECT_EQ(c.rgbGreen, 0x20);
    EXPECT_EQ(c.rgbBlue, 0x30);

    // 2-bit grey, levels 0 1 2 3 across one row.
    CxImage grey2;
    ASSERT_TRUE(DecodeFrom(grey2, MakePng(4, 1, 2, 0, {Bytes({0x1B})}), ImageFormatPng));
    EXPECT_EQ(grey2.GetBpp(), 4);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(grey2.GetPixelIndex(x, 0), x);
        EXPECT_EQ(grey2.GetPaletteColor(uint8_t(x)).rgbRed, x * 85);
    }
}

// Guards the transparency chunks on reading: several tRNS entries give per-entry palette alpha and
// the flag; one entry marks index 0; a grey tRNS gives the index; an RGB tRNS gives the colour.
TEST(CodecPng, TransparencyChunksOnReading)
{
    const std::string plte = Chunk("PLTE", Bytes({255, 0, 0, 0, 255, 0, 0, 0, 255}));
    CxImage several;
    ASSERT_TRUE(DecodeFrom(several, MakePng(3, 1, 8, 3, {Bytes({0, 1, 2})}, plte + Chunk("tRNS", Bytes({0, 128}))),
                           ImageFormatPng));
    EXPECT_EQ(several.GetPaletteColor(0).rgbReserved, 0);
    EXPECT_EQ(several.GetPaletteColor(1).rgbReserved, 128);
    EXPECT_EQ(several.GetPaletteColor(2).rgbReserved, 255);
    EXPECT_TRUE(several.AlphaPaletteIsValid());
    EXPECT_EQ(several.GetClrImportant(), 3u);

    CxImage single;
    ASSERT_TRUE(DecodeFrom(single, MakePng(3, 1, 8, 3, {Bytes({0, 1, 2})}, plte + Chunk("tRNS", Bytes({0}))),
                           ImageFormatPng));
    EXPECT_EQ(single.GetTransIndex(), 0);

    CxImage grey;
    ASSERT_TRUE(DecodeFrom(grey, MakePng(2, 1, 8, 0, {Bytes({7, 9})}, Chunk("tRNS", Bytes({0, 9}))), ImageFormatPng));
    EXPECT_EQ(grey.GetTransIndex(), 9);

    CxImage rgb;
    ASSERT_TRUE(DecodeFrom(rgb, MakePng(1, 1, 8, 2, {Bytes({1, 2, 3})}, Chunk("tRNS", Bytes({0, 10, 0, 20, 0, 30}))),
                           ImageFormatPng));
    EXPECT_EQ(rgb.GetTransIndex(), 0);
    const RGBQUAD tc = rgb.GetTransColor();
    EXPECT_EQ(tc.rgbRed, 10);
    EXPECT_EQ(tc.rgbGreen, 20);
    EXPECT_EQ(tc.rgbBlue, 30);
}

// Guards the transparent-index swap: the file's entry 0 must be the transparent colour with tRNS 0,
// the pixels must follow it, and the image itself must come back unchanged.
TEST(CodecPng, TransparentIndexIsWrittenAsEntryZero)
{
    CxImage image = PaletteImage(8, 4, 8);
    image.SetTransIndex(5);
    const RGBQUAD entry5 = image.GetPaletteColor(5);
    const RGBQUAD entry0 = image.GetPaletteColor(0);
    const QImage before = toQImage(image);

    bool ok = false;
    const QByteArray bytes = EncodeTo(image, ImageFormatPng, &ok);
    ASSERT_TRUE(ok) << image.GetErrorText();
    const std::string plte = FindChunk(bytes, "PLTE");
    ASSERT_GE(plte.size(), 18u);
    EXPECT_EQ(uint8_t(plte[0]), entry5.rgbRed);
    EXPECT_EQ(uint8_t(plte[1]), entry5.rgbGreen);
    EXPECT_EQ(uint8_t(plte[2]), entry5.rgbBlue);
    EXPECT_EQ(uint8_t(plte[15]), entry0.rgbRed);
    EXPECT_EQ(FindChunk(bytes, "tRNS"), Bytes({0}));

    EXPECT_EQ(image.GetPaletteColor(5), entry5);
    EXPECT_EQ(image.GetPaletteColor(0), entry0);
    EXPECT_EQ(image.GetTransIndex(), 5);
    EXPECT_EQ(MaxDifference(toQImage(image), before), 0);

    // Qt sees the pixels of entry 5 as transparent and every other pixel as before.
    const QImage qt = QtRead(bytes, "png").convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            const QRgb p = qt.pixel(x, 3 - y);
            if (image.GetPixelIndex(x, y) == 5) {
                EXPECT_EQ(qAlpha(p), 0);
            } else {
                const RGBQUAD c = image.GetPixelColor(x, y, false);
                EXPECT_EQ(p, qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue));
            }
        }
    }
}

// Guards the two alpha rules of the encoder: a transparent colour clears alpha in the image itself,
// and a colour palette with an alpha plane, which a palette PNG cannot carry, is saved in true colour
// with alpha instead of failing.
TEST(CodecPng, AlphaPlaneRulesOnWriting)
{
    CxImage image(3, 1, 24);
    image.SetPixelColor(0, 0, RGBQUAD{10, 20, 30, 0});
    image.SetPixelColor(1, 0, RGBQUAD{40, 50, 60, 0});
    image.SetPixelColor(2, 0, RGBQUAD{10, 20, 30, 0});
    image.AlphaCreate();
    image.SetTransColor(RGBQUAD{10, 20, 30, 0});
    image.SetTransIndex(0);
    bool ok = false;
    EncodeTo(image, ImageFormatPng, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(image.AlphaGet(0, 0), 0);
    EXPECT_EQ(image.AlphaGet(1, 0), 255);
    EXPECT_EQ(image.AlphaGet(2, 0), 0);

    CxImage palette = PaletteImage(4, 4, 8);
    palette.AlphaCreate();
    palette.AlphaSetPixel(1, 2, 90);
    palette.SetTransIndex(palette.GetPixelIndex(3, 3));
    const QByteArray bytes = EncodeTo(palette, ImageFormatPng, &ok);
    ASSERT_TRUE(ok) << palette.GetErrorText();
    EXPECT_EQ(FindChunk(bytes, "IHDR")[9], 6) << "colour type RGBA";
    const QImage qt = QtRead(bytes, "png");
    EXPECT_EQ(MaxDifference(qt, toQImage(palette)), 0);
    EXPECT_EQ(qAlpha(qt.pixel(1, 1)), 90);
    EXPECT_EQ(qAlpha(qt.pixel(3, 0)), 0);
}

// Guards pictures whose indices run past their palette: they load, and they save (in true colour, as
// they are shown) instead of failing in the library; so does a transparent index past the palette.
TEST(CodecPng, IndicesPastThePaletteStillSave)
{
    const std::string plte = Chunk("PLTE", Bytes({255, 0, 0, 0, 0, 255}));
    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, MakePng(3, 1, 8, 3, {Bytes({0, 1, 7})}, plte), ImageFormatPng)) << image.GetErrorText();
    bool ok = false;
    const QByteArray bytes = EncodeTo(image, ImageFormatPng, &ok);
    ASSERT_TRUE(ok) << image.GetErrorText();
    EXPECT_EQ(MaxDifference(QtRead(bytes, "png"), toQImage(image)), 0);
    CxImage back;
    ASSERT_TRUE(DecodeFrom(back, bytes, ImageFormatPng));
    EXPECT_EQ(back.GetPixelColor(1, 0, false), (RGBQUAD{255, 0, 0, 0}));

    // A transparent index set past the two entries written names no pixel: it saves, all opaque. One
    // within them still saves as the transparent entry.
    CxImage indexed;
    ASSERT_TRUE(DecodeFrom(indexed, MakePng(3, 1, 8, 3, {Bytes({0, 1, 0})}, plte), ImageFormatPng));
    for (const auto &[transIndex, alphas] : {std::pair{5, std::vector<int>{255, 255, 255}},
                                             std::pair{1, std::vector<int>{255, 0, 255}}}) {
        SCOPED_TRACE(transIndex);
        indexed.SetTransIndex(transIndex);
        const QByteArray saved = EncodeTo(indexed, ImageFormatPng, &ok);
        ASSERT_TRUE(ok) << indexed.GetErrorText();
        const QImage qt = QtRead(saved, "png");
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(qAlpha(qt.pixel(x, 0)), alphas[size_t(x)]) << x;
        EXPECT_EQ(MaxDifference(qt, toQImage(indexed)), 0);
    }
}

// Guards what we write against an independent reader: every variant must come back from Qt's PNG
// reader with the same pixels and alpha.
TEST(CodecPng, QtReadsEveryVariantWeWrite)
{
    struct Variant
    {
        const char *name;
        CxImage image;
    };
    std::vector<Variant> variants;
    variants.push_back({"1-bit palette", PaletteImage(13, 5, 1)});
    variants.push_back({"4-bit palette", PaletteImage(13, 5, 4)});
    variants.push_back({"8-bit palette", PaletteImage(13, 5, 8)});
    CxImage grey = PaletteImage(13, 5, 8);
    grey.SetGrayPalette();
    variants.push_back({"8-bit grey", grey});
    CxImage greyAlpha = grey;
    greyAlpha.AlphaCreate();
    greyAlpha.AlphaSetPixel(3, 2, 0);
    greyAlpha.AlphaSetPixel(4, 2, 77);
    variants.push_back({"8-bit grey with alpha", greyAlpha});
    variants.push_back({"24-bit", FromQt(TestCard(13, 5, false))});
    CxImage rgba = FromQt(TestCard(13, 5, false));
    rgba.AlphaCreate();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            rgba.AlphaSetPixel(x, y, uint8_t(x * 19 + y * 3));
    variants.push_back({"24-bit with alpha", rgba});
    // Palette alpha is carried by images read from PNGs with several tRNS entries.
    std::string plte, trns;
    for (int i = 0; i < 16; ++i) {
        plte += Bytes({i * 16, 255 - i * 8, 40});
        trns += char(i * 17);
    }
    std::vector<std::string> rows;
    for (int y = 0; y < 5; ++y)
        rows.push_back(Bytes({0x01 + y, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD}));
    CxImage paletteAlpha;
    ASSERT_TRUE(DecodeFrom(paletteAlpha, MakePng(13, 5, 4, 3, rows, Chunk("PLTE", plte) + Chunk("tRNS", trns)),
                           ImageFormatPng));
    variants.push_back({"4-bit palette with palette alpha", paletteAlpha});

    for (Variant &v : variants) {
        SCOPED_TRACE(v.name);
        bool ok = false;
        const QByteArray bytes = EncodeTo(v.image, ImageFormatPng, &ok);
        ASSERT_TRUE(ok) << v.image.GetErrorText();
        EXPECT_EQ(MaxDifference(QtRead(bytes, "png"), toQImage(v.image)), 0);
        CxImage back;
        ASSERT_TRUE(DecodeFrom(back, bytes, ImageFormatPng));
        EXPECT_EQ(back.GetBpp(), v.image.GetBpp());
    }
}

// Guards reading what another writer produced: Qt's PNGs in its common formats load with its pixels.
TEST(CodecPng, WeReadWhatQtWrites)
{
    const QImage card = TestCard(21, 9, true);
    const QImage variants[] = {
        card,
        card.convertToFormat(QImage::Format_RGB32),
        card.convertToFormat(QImage::Format_Grayscale8),
        card.convertToFormat(QImage::Format_Grayscale16),
        card.convertToFormat(QImage::Format_Indexed8),
        card.convertToFormat(QImage::Format_Mono),
        card.convertToFormat(QImage::Format_RGBA64),
    };
    for (const QImage &source : variants) {
        SCOPED_TRACE(int(source.format()));
        const QByteArray bytes = QtWrite(source, "png");
        CxImage loaded;
        ASSERT_TRUE(DecodeFrom(loaded, bytes, ImageFormatNone)) << loaded.GetErrorText();
        EXPECT_EQ(loaded.GetFormatId(), uint32_t(ImageFormatPng));
        // Qt's own reading of its 16-bit files keeps 16 bits; ours keeps the high byte.
        EXPECT_LE(MaxDifference(toQImage(loaded), QtRead(bytes, "png")), 1);
    }
}

// Guards the transparency chunk at full precision: a 16-bit transparent value is
// compared at full depth (interlaced too), a grey value the depth cannot hold is ignored, and a single
// palette entry keeps the alpha it stores. Qt reads the same files alike.
TEST(CodecPng, TransparencyAsStored)
{
    // 16-bit grey, tRNS 0x00FF: only the pixel that is exactly 0x00FF is transparent.
    const std::string grey16 = Bytes({0x00, 0x00, 0x00, 0xFF, 0x00, 0xFE, 0x01, 0x00});
    // 16-bit RGB, tRNS (0x0102, 0x0304, 0x0506): the second pixel only differs in a low byte.
    const std::string rgb16 = Bytes({1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 7});
    // 9 x 9 grey, interlaced: the first row holds 0x00FF in every pass's columns, and 0x01FF beside it.
    std::vector<std::string> rows9(9, std::string(18, '\0'));
    for (int x = 0; x < 9; ++x)
        rows9[0].replace(size_t(2 * x), 2, x % 2 ? Bytes({0x01, 0xFF}) : Bytes({0x00, 0xFF}));
    struct Case
    {
        const char *name;
        QByteArray file;
        std::vector<int> alphas; // of the first row, left to right
        bool qtReadsIt = true;   // Qt's reading of 16-bit RGB with tRNS mixes up its samples
    } cases[] = {
        {"16-bit grey 0x00FF", MakePng(4, 1, 16, 0, {grey16}, Chunk("tRNS", Bytes({0x00, 0xFF}))), {255, 0, 255, 255}},
        {"16-bit RGB", MakePng(2, 1, 16, 2, {rgb16}, Chunk("tRNS", Bytes({1, 2, 3, 4, 5, 6}))), {0, 255}, false},
        {"16-bit grey, interlaced", InterlacedPng(9, 9, 16, 0, 2, rows9, Chunk("tRNS", Bytes({0x00, 0xFF}))),
         {0, 255, 0, 255, 0, 255, 0, 255, 0}},
        {"1-bit grey, tRNS 255", MakePng(8, 1, 1, 0, {Bytes({0x0F})}, Chunk("tRNS", Bytes({0, 255}))),
         {255, 255, 255, 255, 255, 255, 255, 255}},
        {"4-bit grey, tRNS 3", MakePng(2, 1, 4, 0, {Bytes({0x36})}, Chunk("tRNS", Bytes({0, 3}))), {0, 255}},
        {"one palette entry of alpha 128",
         MakePng(2, 1, 8, 3, {Bytes({0, 1})}, Chunk("PLTE", Bytes({255, 0, 0, 0, 255, 0})) + Chunk("tRNS", Bytes({128}))),
         {128, 255}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, c.file, ImageFormatPng)) << image.GetErrorText();
        const QImage shown = toQImage(image).convertToFormat(QImage::Format_ARGB32);
        for (size_t x = 0; x < c.alphas.size(); ++x)
            EXPECT_EQ(qAlpha(shown.pixel(int(x), 0)), c.alphas[x]) << x;
        if (c.qtReadsIt) {
            EXPECT_LE(MaxDifference(shown, QtRead(c.file, "png")), 1); // Qt keeps 16 bits, we the high byte
        }
        // What we save carries the same transparency.
        bool ok = false;
        const QByteArray saved = EncodeTo(image, ImageFormatPng, &ok);
        ASSERT_TRUE(ok) << image.GetErrorText();
        EXPECT_EQ(MaxDifference(QtRead(saved, "png"), shown), 0);
    }
}

// Guards hostile input: a damaged stream fails with a text instead of crashing, and size-only mode
// gives the size without pixels.
TEST(CodecPng, DamagedFilesFailCleanly)
{
    const QByteArray good = MakePng(4, 4, 8, 2, std::vector<std::string>(4, std::string(12, '\x40')));
    for (qsizetype cut : {qsizetype(8), qsizetype(20), qsizetype(40), good.size() - 13}) {
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, good.left(cut), ImageFormatPng)) << cut;
        EXPECT_STRNE(image.GetErrorText(), "");
    }
    CxImage sizeOnly;
    sizeOnly.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(sizeOnly, good, ImageFormatPng));
    EXPECT_EQ(sizeOnly.GetWidth(), 4);
    EXPECT_FALSE(sizeOnly.IsValid());
}

// Guards the library's memory on a hostile file: 49 bytes whose text chunk claims 2 GiB once made the
// library reserve and clear all of it before finding the file short. The peak memory of the process
// must not grow by anything like that.
TEST(CodecPng, HugeChunkCostsNoMemory)
{
    auto peakKiB = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return long(usage.ru_maxrss);
    };
    for (const char *type : {"tEXt", "zTXt", "iCCP", "pCAL"}) {
        SCOPED_TRACE(type);
        std::string ihdr;
        Append32(ihdr, 1);
        Append32(ihdr, 1);
        ihdr += Bytes({8, 0, 0, 0, 0});
        std::string file = "\x89PNG\r\n\x1a\n" + Chunk("IHDR", ihdr);
        Append32(file, 0x7FFFFFF0u);
        file += std::string(type, 4) + std::string(8, 'a');
        ASSERT_EQ(file.size(), 49u);
        const long before = peakKiB();
        CxImage image;
        EXPECT_FALSE(DecodeFrom(image, QByteArray(file.data(), qsizetype(file.size())), ImageFormatPng));
        EXPECT_STRNE(image.GetErrorText(), "");
        EXPECT_LT(peakKiB() - before, 64L * 1024);
    }
}
