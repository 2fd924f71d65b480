#include "CodecTestSupport.h"
#include "support/TempTree.h"

#include "image/xImageJAS.h"

#include <QProcess>
#include <QStandardPaths>

#include <openjpeg.h>

#include <gtest/gtest.h>

using namespace codectest;

namespace {

// Runs one of the OpenJPEG command-line tools; an empty result when it is not installed or fails.
QByteArray RunOpenJpegTool(const char *tool, const TempTree &tree, const QString &input, const QString &output,
                           const QStringList &extra = {})
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return {};
    QStringList arguments{"-i", tree / input, "-o", tree / output};
    // Small test pictures cannot carry the encoder's default six resolution levels.
    if (QByteArray(tool) == "opj_compress")
        arguments << "-n" << "3";
    QProcess process;
    process.start(program, arguments + extra);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return TempTree::ReadAll(tree / output);
}

QByteArray ToBytes(const std::string &s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

// A raw pixel map of 16-bit samples (maximum 4095: 12 significant bits).
QByteArray Ppm12(int width, int height, const std::function<int(int, int, int)> &sample)
{
    QByteArray out = QByteArray("P6\n") + QByteArray::number(width) + ' ' + QByteArray::number(height) + "\n4095\n";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                const int v = sample(x, y, c);
                out.append(char(v >> 8));
                out.append(char(v & 0xFF));
            }
    return out;
}

// A code stream made directly with the library, for component layouts no tool writes: each component
// with its own size and precision, samples from f(component, x, y).
struct ComponentSpec
{
    uint32_t width, height, precision;
};

QByteArray MakeCodestream(const TempTree &tree, const std::vector<ComponentSpec> &specs,
                          const std::function<int(size_t, uint32_t, uint32_t)> &f, OPJ_CODEC_FORMAT format = OPJ_CODEC_J2K,
                          OPJ_COLOR_SPACE space = OPJ_CLRSPC_UNSPECIFIED)
{
    std::vector<opj_image_cmptparm_t> parameters(specs.size());
    uint32_t width = 0, height = 0;
    for (size_t i = 0; i < specs.size(); ++i) {
        parameters[i] = {};
        parameters[i].w = specs[i].width;
        parameters[i].h = specs[i].height;
        parameters[i].prec = specs[i].precision;
        // A smaller component covers the picture through sub-sampling.
        parameters[i].dx = specs[0].width / specs[i].width;
        parameters[i].dy = specs[0].height / specs[i].height;
        width = std::max(width, specs[i].width * parameters[i].dx);
        height = std::max(height, specs[i].height * parameters[i].dy);
    }
    opj_image_t *image = opj_image_create(OPJ_UINT32(specs.size()), parameters.data(), space);
    image->x1 = width;
    image->y1 = height;
    for (size_t i = 0; i < specs.size(); ++i)
        for (uint32_t y = 0; y < specs[i].height; ++y)
            for (uint32_t x = 0; x < specs[i].width; ++x)
                image->comps[i].data[y * specs[i].width + x] = f(i, x, y);
    opj_cparameters_t options;
    opj_set_default_encoder_parameters(&options);
    options.numresolution = 1;
    options.tcp_mct = 0;
    opj_codec_t *codec = opj_create_compress(format);
    opj_setup_encoder(codec, &options, image);
    const QString path = tree / (format == OPJ_CODEC_JP2 ? "made.jp2" : "made.j2k");
    opj_stream_t *stream = opj_stream_create_default_file_stream(path.toLocal8Bit().constData(), OPJ_FALSE);
    const bool ok = opj_start_compress(codec, image, stream) && opj_encode(codec, stream) && opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
    return ok ? TempTree::ReadAll(path) : QByteArray();
}

CxImage RgbCard(int width, int height)
{
    CxImage image;
    fromQImage(image, TestCard(width, height, false));
    return image;
}

CxImage GreyRamp(int width, int height)
{
    CxImage image(uint32_t(width), uint32_t(height), 8);
    for (int i = 0; i < 256; ++i)
        image.SetPaletteColor(uint8_t(i), uint8_t(i), uint8_t(i), uint8_t(i));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelIndex(x, y, uint8_t((x * 13 + y * 31) & 0xFF));
    return image;
}

} // namespace

// Guards the binding to the JPEG 2000 library both ways: a code stream and a jp2 file written by the
// independent encoder load with the member's id, three equal components as 24 bits and one as 8-bit
// grey, pixel for pixel (lossless); and what we write, the independent decoder reads back.
TEST(CodecJas, Jpeg2000FromTheReferenceTools)
{
    TempTree tree;
    const QImage card = TestCard(21, 13, false);
    tree.Write("card.ppm", QtWrite(card, "ppm"));
    const QImage grey = card.convertToFormat(QImage::Format_Grayscale8);
    tree.Write("grey.pgm", QtWrite(grey, "pgm"));

    const QByteArray j2k = RunOpenJpegTool("opj_compress", tree, "card.ppm", "card.j2k");
    const QByteArray jp2 = RunOpenJpegTool("opj_compress", tree, "card.ppm", "card.jp2");
    const QByteArray greyJ2k = RunOpenJpegTool("opj_compress", tree, "grey.pgm", "grey.j2k");
    if (j2k.isEmpty() || jp2.isEmpty() || greyJ2k.isEmpty())
        GTEST_SKIP() << "opj_compress is not installed";

    CxImage stream;
    ASSERT_TRUE(DecodeFrom(stream, j2k, ImageFormatNone)) << stream.GetErrorText();
    EXPECT_EQ(stream.GetFormatId(), ImageFormatJpc);
    EXPECT_EQ(stream.GetBpp(), 24);
    EXPECT_EQ(MaxDifference(toQImage(stream), card), 0);

    CxImage file;
    ASSERT_TRUE(DecodeFrom(file, jp2, ImageFormatJp2)) << file.GetErrorText();
    EXPECT_EQ(file.GetFormatId(), ImageFormatJp2);
    EXPECT_EQ(MaxDifference(toQImage(file), card), 0);

    CxImage one;
    ASSERT_TRUE(DecodeFrom(one, greyJ2k, ImageFormatNone)) << one.GetErrorText();
    EXPECT_EQ(one.GetBpp(), 8);
    EXPECT_TRUE(one.IsGrayScale());
    EXPECT_EQ(one.GetFormatId(), ImageFormatJpc) << "the member found, also for a grey picture";
    EXPECT_EQ(MaxDifference(toQImage(one), grey), 0);

    // Our encoder at quality 100 is lossless; the reference decoder reads both members.
    CxImage ours = RgbCard(21, 13);
    ours.SetJpegQuality(100);
    for (const uint32_t id : {ImageFormatJp2, ImageFormatJpc}) {
        bool ok = false;
        const QByteArray written = EncodeTo(ours, id, &ok);
        ASSERT_TRUE(ok) << ours.GetErrorText();
        tree.Write(id == ImageFormatJp2 ? "ours.jp2" : "ours.j2k", written);
        const QByteArray decoded = RunOpenJpegTool("opj_decompress", tree, id == ImageFormatJp2 ? "ours.jp2" : "ours.j2k",
                                                   id == ImageFormatJp2 ? "ours2.ppm" : "ours1.ppm");
        EXPECT_EQ(MaxDifference(QtRead(decoded, "ppm"), card), 0) << id;
        CxImage back;
        ASSERT_TRUE(DecodeFrom(back, written, ImageFormatNone));
        EXPECT_EQ(back.GetFormatId(), id);
    }
}

// Guards the precision rules: samples of more than 8 bits are shifted down to 8 (12 bits: by 4), and the
// size-only request answers from the header with the member's id.
TEST(CodecJas, DeepSamplesAreShiftedAndSizeOnlyReadsTheHeader)
{
    TempTree tree;
    auto sample = [](int x, int y, int c) { return (x * 311 + y * 97 + c * 1013) % 4096; };
    tree.Write("deep.ppm", Ppm12(6, 5, sample));
    const QByteArray j2k = RunOpenJpegTool("opj_compress", tree, "deep.ppm", "deep.j2k");
    if (j2k.isEmpty())
        GTEST_SKIP() << "opj_compress is not installed";

    CxImage image;
    ASSERT_TRUE(DecodeFrom(image, j2k, ImageFormatNone)) << image.GetErrorText();
    ASSERT_EQ(image.GetBpp(), 24);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const RGBQUAD c = image.GetPixelColor(x, 4 - y);
            ASSERT_EQ(c.rgbRed, sample(x, y, 0) >> 4);
            ASSERT_EQ(c.rgbGreen, sample(x, y, 1) >> 4);
            ASSERT_EQ(c.rgbBlue, sample(x, y, 2) >> 4);
        }

    CxImage size;
    size.SetEscape(-1);
    ASSERT_TRUE(DecodeFrom(size, j2k, ImageFormatNone));
    EXPECT_FALSE(size.IsValid());
    EXPECT_EQ(size.GetWidth(), 6);
    EXPECT_EQ(size.GetHeight(), 5);
    EXPECT_EQ(size.GetFormatId(), ImageFormatJpc);
    EXPECT_STREQ(size.GetErrorText(), "output dimensions returned");
}

// Guards the frame rules: components that do not make one colour picture are grey frames, each read
// at its own size (a smaller component must not be read with the first one's width), a frame index
// past the last fails, and more than 64 components are refused.
TEST(CodecJas, ComponentsAsFrames)
{
    TempTree tree;
    const QByteArray two = MakeCodestream(tree, {{8, 6, 8}, {4, 3, 8}},
                                          [](size_t c, uint32_t x, uint32_t y) { return int(c * 100 + y * 10 + x); });
    ASSERT_FALSE(two.isEmpty());
    CxImage first;
    ASSERT_TRUE(DecodeFrom(first, two, ImageFormatNone)) << first.GetErrorText();
    EXPECT_EQ(first.GetWidth(), 8);
    EXPECT_EQ(first.GetFrameCount(), 2);
    EXPECT_EQ(first.GetPixelIndex(7, 0), 57) << "top row first: file row 5, column 7";

    CxImage second;
    second.SetFrame(1);
    ASSERT_TRUE(DecodeFrom(second, two, ImageFormatNone));
    EXPECT_EQ(second.GetWidth(), 4);
    EXPECT_EQ(second.GetHeight(), 3);
    EXPECT_EQ(second.GetPixelIndex(3, 2), 103);

    CxImage missing;
    missing.SetFrame(2);
    EXPECT_FALSE(DecodeFrom(missing, two, ImageFormatJpc));
    EXPECT_STREQ(missing.GetErrorText(), "wrong frame!");

    std::vector<ComponentSpec> many(65, ComponentSpec{2, 2, 8});
    const QByteArray crowd = MakeCodestream(tree, many, [](size_t, uint32_t, uint32_t) { return 1; });
    ASSERT_FALSE(crowd.isEmpty());
    CxImage refused;
    EXPECT_FALSE(DecodeFrom(refused, crowd, ImageFormatJpc));
    EXPECT_STREQ(refused.GetErrorText(), "error: too many components");
}

// Guards the component layouts that make one picture, each against what the reference decoder shows:
// grey with alpha, colour with alpha, luma with 4:2:0 chroma, and CMYK (a jp2 file whose colour box says
// so), where each used to load as a grey frame of its first component. Rounding of the colour
// conversions may differ by one.
TEST(CodecJas, AlphaYccAndCmykAsTheReferenceDecoderShows)
{
    if (QStandardPaths::findExecutable("opj_decompress").isEmpty())
        GTEST_SKIP() << "opj_decompress is not installed";
    TempTree tree;
    const auto wave = [](size_t c, uint32_t x, uint32_t y) { return int((c * 71 + x * 37 + y * 23) % 256); };
    const struct {
        const char *name;
        std::vector<ComponentSpec> specs;
        OPJ_CODEC_FORMAT format;
        OPJ_COLOR_SPACE space;
        uint32_t bpp;
        bool alpha;
    } cases[] = {
        {"grey with alpha", {{9, 7, 8}, {9, 7, 8}}, OPJ_CODEC_J2K, OPJ_CLRSPC_UNSPECIFIED, 8, true},
        {"colour with alpha", {{9, 7, 8}, {9, 7, 8}, {9, 7, 8}, {9, 7, 8}}, OPJ_CODEC_J2K, OPJ_CLRSPC_UNSPECIFIED, 24, true},
        {"4:2:0 luma and chroma", {{10, 8, 8}, {5, 4, 8}, {5, 4, 8}}, OPJ_CODEC_J2K, OPJ_CLRSPC_UNSPECIFIED, 24, false},
        {"CMYK", {{9, 7, 8}, {9, 7, 8}, {9, 7, 8}, {9, 7, 8}}, OPJ_CODEC_JP2, OPJ_CLRSPC_CMYK, 24, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray file = MakeCodestream(tree, c.specs, wave, c.format, c.space);
        ASSERT_FALSE(file.isEmpty());
        if (c.space == OPJ_CLRSPC_CMYK) {
            // The library writes no enumerated colour space for CMYK: the colour box is given it (12).
            const qsizetype colr = file.indexOf("colr");
            ASSERT_GT(colr, 0);
            file[colr + 7] = 0;
            file[colr + 8] = 0;
            file[colr + 9] = 0;
            file[colr + 10] = 12;
        }
        const QString name = c.format == OPJ_CODEC_JP2 ? "case.jp2" : "case.j2k";
        tree.Write(name, file);
        const QImage reference = QImage::fromData(RunOpenJpegTool("opj_decompress", tree, name, "case.png"));
        ASSERT_FALSE(reference.isNull());

        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, file, ImageFormatNone)) << image.GetErrorText();
        EXPECT_EQ(image.GetBpp(), c.bpp);
        EXPECT_LE(image.GetFrameCount(), 1) << "one picture, not its components as frames";
        EXPECT_EQ(image.AlphaIsValid(), c.alpha);
        EXPECT_EQ(reference.hasAlphaChannel(), c.alpha);
        EXPECT_LE(MaxDifference(toQImage(image), reference), 1);
    }
}

// Guards the texts of bad input: unrecognised bytes, a damaged code stream, and encoder refusals.
TEST(CodecJas, Errors)
{
    CxImage unknown;
    EXPECT_FALSE(DecodeFrom(unknown, "definitely not a picture", ImageFormatJp2));
    EXPECT_STREQ(unknown.GetErrorText(), "error: unknowm format");

    CxImage card = RgbCard(16, 16);
    card.SetJpegQuality(100);
    const QByteArray whole = EncodeTo(card, ImageFormatJpc);
    CxImage cut;
    EXPECT_FALSE(DecodeFrom(cut, whole.left(40), ImageFormatJpc));
    EXPECT_STREQ(cut.GetErrorText(), "error: cannot load image data");

    bool ok = true;
    EncodeTo(card, ImageFormatPgx, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(card.GetErrorText(), "PGX can save only GrayScale images");

    CxImage colours = PaletteImage(4, 4, 8);
    EncodeTo(colours, ImageFormatJpc, &ok);
    EXPECT_FALSE(ok);
    EXPECT_STREQ(colours.GetErrorText(), "JasPer can save only RGB or GrayScale images");
}

// Guards our own PNM, Sun raster and PGX codecs: grey and colour pictures round trip; PNM output is
// read by Qt's reader and Qt's PNM files (bitmaps too, where 1 is black) by ours; our PGX is read by
// the reference encoder.
TEST(CodecJas, OwnMembersRoundTrip)
{
    const CxImage colour = RgbCard(7, 5);
    const CxImage grey = GreyRamp(7, 5);
    struct Case
    {
        uint32_t id;
        const CxImage *image;
    } cases[] = {{ImageFormatPnm, &colour}, {ImageFormatPnm, &grey}, {ImageFormatRas, &colour},
                 {ImageFormatRas, &grey}, {ImageFormatPgx, &grey}};
    for (const Case &c : cases) {
        CxImage source(*c.image);
        bool ok = false;
        const QByteArray bytes = EncodeTo(source, c.id, &ok);
        ASSERT_TRUE(ok) << c.id << source.GetErrorText();
        CxImage back;
        ASSERT_TRUE(DecodeFrom(back, bytes, ImageFormatNone)) << c.id << back.GetErrorText();
        EXPECT_EQ(back.GetFormatId(), c.id);
        EXPECT_EQ(back.GetBpp(), source.GetBpp()) << c.id;
        EXPECT_EQ(MaxDifference(toQImage(back), toQImage(source)), 0) << c.id;
        if (c.id == ImageFormatPnm) {
            EXPECT_EQ(MaxDifference(QtRead(bytes, nullptr), toQImage(source)), 0) << "Qt reads our PNM";
            // Whole rows at a time write what Qt's writer writes, byte for byte.
            EXPECT_EQ(bytes, QtWrite(toQImage(source), c.image == &grey ? "pgm" : "ppm"));
        }
    }

    const QImage card = TestCard(9, 4, false);
    for (const char *format : {"ppm", "pgm"}) {
        const QImage expected = QByteArray(format) == "pgm" ? card.convertToFormat(QImage::Format_Grayscale8) : card;
        CxImage image;
        ASSERT_TRUE(DecodeFrom(image, QtWrite(expected, format), ImageFormatNone)) << format;
        EXPECT_EQ(MaxDifference(toQImage(image), expected), 0) << format;
    }
    QImage mono(10, 3, QImage::Format_Mono);
    mono.fill(1);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    mono.setPixel(2, 1, 0);
    CxImage bitmap;
    ASSERT_TRUE(DecodeFrom(bitmap, QtWrite(mono, "pbm"), ImageFormatNone));
    EXPECT_EQ(bitmap.GetBpp(), 1);
    EXPECT_EQ(MaxDifference(toQImage(bitmap), mono), 0);

    TempTree tree;
    CxImage pgxSource(grey);
    tree.Write("ours.pgx", EncodeTo(pgxSource, ImageFormatPgx));
    const QByteArray j2k = RunOpenJpegTool("opj_compress", tree, "ours.pgx", "from-pgx.j2k");
    if (!j2k.isEmpty()) {
        CxImage viaReference;
        ASSERT_TRUE(DecodeFrom(viaReference, j2k, ImageFormatNone));
        EXPECT_EQ(MaxDifference(toQImage(viaReference), toQImage(grey)), 0);
    }
}

// Guards the readers' own rules on hand-made files: plain (text) PNM with comments, a grey map whose
// maximum is not 255 stretched to full range, big- and little-endian signed PGX, and Sun raster files
// with a colour map and with run-length coding.
TEST(CodecJas, HandMadeMemberFiles)
{
    CxImage plain;
    ASSERT_TRUE(DecodeFrom(plain, "P2\n# made by hand\n3 1\n100\n0 50 100\n", ImageFormatNone));
    EXPECT_EQ(plain.GetFormatId(), ImageFormatPnm);
    EXPECT_EQ(plain.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(plain.GetPixelIndex(1, 0), 128);
    EXPECT_EQ(plain.GetPixelIndex(2, 0), 255) << "the maximum is white, whatever the file's maximum";
    // Shallow colour samples (5 bits) reach full brightness too.
    CxImage shallow;
    ASSERT_TRUE(DecodeFrom(shallow, "P3 1 1 31 31 0 16", ImageFormatNone));
    EXPECT_EQ(shallow.GetPixelColor(0, 0).rgbRed, 255);
    EXPECT_EQ(shallow.GetPixelColor(0, 0).rgbBlue, 16 * 255 / 31);

    // Signed 8-bit samples -128 and 127 become 0 and 255.
    CxImage little;
    ASSERT_TRUE(DecodeFrom(little, ToBytes("PG LM -8 2 1\n") + ToBytes(Bytes({0x80, 0x7F})), ImageFormatNone))
        << little.GetErrorText();
    EXPECT_EQ(little.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(little.GetPixelIndex(1, 0), 255);
    // 10-bit big-endian samples: 1023 shifts to 255.
    CxImage big;
    ASSERT_TRUE(DecodeFrom(big, ToBytes("PG ML + 10 2 1\n") + ToBytes(Bytes({0x03, 0xFF, 0x00, 0x04})), ImageFormatPgx));
    EXPECT_EQ(big.GetPixelIndex(0, 0), 255);
    EXPECT_EQ(big.GetPixelIndex(1, 0), 1);

    auto be32 = [](uint32_t v) { return Bytes({int(v >> 24), int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)}); };
    auto rasHeader = [&](uint32_t w, uint32_t h, uint32_t depth, uint32_t type, uint32_t mapType, uint32_t mapLength) {
        return be32(0x59A66A95) + be32(w) + be32(h) + be32(depth) + be32(0) + be32(type) + be32(mapType) + be32(mapLength);
    };
    // 8 bits with a two-entry colour map (reds, greens, blues), rows padded to 16 bits.
    const std::string mapped = rasHeader(3, 1, 8, 1, 1, 6) + Bytes({10, 200, 20, 220, 30, 240}) + Bytes({1, 0, 1, 0});
    CxImage colourMap;
    ASSERT_TRUE(DecodeFrom(colourMap, ToBytes(mapped), ImageFormatNone)) << colourMap.GetErrorText();
    EXPECT_EQ(colourMap.GetFormatId(), ImageFormatRas);
    EXPECT_EQ(colourMap.GetPixelColor(0, 0).rgbRed, 200);
    EXPECT_EQ(colourMap.GetPixelColor(1, 0).rgbBlue, 30);
    // Run-length: 0x80 n v repeats v n + 1 times, 0x80 0 is a single 0x80.
    const std::string packed = rasHeader(6, 1, 8, 2, 0, 0) + Bytes({0x80, 3, 9, 0x80, 0, 7});
    CxImage runs;
    ASSERT_TRUE(DecodeFrom(runs, ToBytes(packed), ImageFormatNone)) << runs.GetErrorText();
    EXPECT_EQ(runs.GetPixelIndex(3, 0), 9);
    EXPECT_EQ(runs.GetPixelIndex(4, 0), 0x80);
    EXPECT_EQ(runs.GetPixelIndex(5, 0), 7);
    // A run that passes the end of the picture is damage, not an overrun.
    CxImage overrun;
    EXPECT_FALSE(DecodeFrom(overrun, ToBytes(rasHeader(2, 1, 8, 2, 0, 0) + Bytes({0x80, 9, 1})), ImageFormatRas));
    EXPECT_STREQ(overrun.GetErrorText(), "error: cannot load image data");
}
