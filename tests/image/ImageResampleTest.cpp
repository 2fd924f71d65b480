#include "image/ResampleKernels.h"
#include "image/xImage.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

CxImage Gradient(int32_t width, int32_t height)
{
    CxImage image(uint32_t(width), uint32_t(height), 24);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            image.SetPixelColor(x, y, RGBQUAD{uint8_t(x * 2), uint8_t(y * 2), uint8_t((x * 7 + y * 13) & 0xFF), 0});
    return image;
}

// The pattern of the reference model in tests/image/model/ResampleModel.cpp.
CxImage GoldenSource()
{
    CxImage image(7, 5, 24);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            image.SetPixelColor(x, y, RGBQUAD{uint8_t(((x + y) % 2) * 255), uint8_t((x * x * 13 + y * 29 + 50) % 256),
                                              uint8_t((x * 37 + y * 71) % 256), 0});
    return image;
}

QByteArray Rows(const CxImage &image)
{
    QByteArray out;
    for (int32_t y = 0; y < image.GetHeight(); ++y)
        out.append(reinterpret_cast<const char *>(image.GetRowPointer(uint32_t(y))), image.GetWidth() * 3);
    return out;
}

} // namespace

// Guards the kernels' constants against a slip in any one of them.
TEST(ResampleKernels, ValuesAtKnownPoints)
{
    struct Case { const char *name; float value, expected; };
    const Case cases[] = {
        {"bspline 0", CubicBSplineKernel(0.0f), 0.6666667f},
        {"bspline 1", CubicBSplineKernel(1.0f), 0.1666667f},
        {"bspline 2.5", CubicBSplineKernel(2.5f), 0.0f},
        {"cubic 0", CubicKernel(0.0f), 1.0f},
        {"cubic 1.5", CubicKernel(-1.5f), -0.125f},
        {"general cubic 0.5", GeneralCubicKernel(0.5f, -0.5f), 0.5625f},
        {"general cubic 1.5", GeneralCubicKernel(1.5f, -0.5f), -0.0625f},
        {"lanczos 0", LanczosKernel(0.0f, 6.0f), 1.0f},
        {"lanczos 0.5", LanczosKernel(0.5f, 6.0f), 0.6293724f},
        {"lanczos 6.5", LanczosKernel(6.5f, 6.0f), 0.0f},
        {"box -0.5", BoxKernel(-0.5f), 1.0f},
        {"box 0.5", BoxKernel(0.5f), 0.0f},
        {"hermite 0.5", HermiteKernel(0.5f), 0.5f},
        {"hermite 1", HermiteKernel(1.0f), 0.0f},
        {"hamming 0.5", HammingKernel(0.5f), 0.54f},
        {"sinc 0.5", SincKernel(0.5f), 0.6366198f},
        {"blackman 2", BlackmanKernel(2.0f), 1.0f},
        {"bessel 0", BesselKernel(0.0f), 0.7853982f},
        {"bessel 1", BesselKernel(1.0f), 0.1423077f},
        {"J1 10", BesselJ1(10.0f), 0.0434727f},
        {"J1 -10", BesselJ1(-10.0f), -0.0434727f},
        {"gaussian 0", GaussianKernel(0.0f), 0.7978846f},
        {"gaussian 1", GaussianKernel(1.0f), 0.1079819f},
        {"quadratic 0", QuadraticKernel(0.0f), 0.75f},
        {"quadratic -1", QuadraticKernel(-1.0f), 0.125f},
        {"quadratic 1.6", QuadraticKernel(1.6f), 0.0f},
        {"mitchell 0", MitchellKernel(0.0f), 0.8888889f},
        {"mitchell 1", MitchellKernel(1.0f), 0.0555556f},
        {"catmull-rom 1.5", CatmullRomKernel(1.5f), -0.0625f},
        {"hanning 0.5", HanningKernel(0.5f), 0.3183099f},
        {"power 0.5", PowerKernel(-0.5f, 2.0f), 0.75f},
        {"power 1.5", PowerKernel(1.5f, 2.0f), 0.0f},
    };
    for (const Case &c : cases)
        EXPECT_NEAR(c.value, c.expected, 2e-6f) << c.name;
    EXPECT_EQ(KernelForMode(6), nullptr);
    EXPECT_EQ(KernelForMode(2), nullptr);
    EXPECT_NE(KernelForMode(18), nullptr);
}

// Golden vectors from the float reference model: bilinear, cubic (a = -0.5), Lanczos and the area path,
// the modes the application uses.
TEST(Resample, MatchesTheReferenceModel)
{
    struct Case { int mode, width, height; const char *file; };
    const Case cases[] = {
        {InterpolationBilinear, 13, 9, "resample_7x5_mode2_13x9.bgr"},
        {InterpolationBicubic2, 13, 9, "resample_7x5_mode5_13x9.bgr"},
        {InterpolationLanczos, 13, 9, "resample_7x5_mode6_13x9.bgr"},
        {InterpolationLanczos, 3, 2, "resample_7x5_area_3x2.bgr"},
    };
    for (const Case &c : cases) {
        QFile file(QStringLiteral(CORV_FIXTURES "/image/") + QString::fromLatin1(c.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
        CxImage image = GoldenSource();
        ASSERT_TRUE(image.Resample(c.width, c.height, c.mode, EdgeRepeat));
        ASSERT_EQ(image.GetWidth(), c.width);
        const QByteArray golden = file.readAll();
        EXPECT_EQ(Rows(image).toHex(' '), golden.toHex(' ')) << c.file;

        // Single samples agree with whole-picture resampling (which keeps its weights per column and row).
        if (c.width < 7)
            continue;
        CxImage source = GoldenSource();
        const float xScale = 7.0f / float(c.width);
        const float yScale = 5.0f / float(c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const RGBQUAD s = source.SampleInterpolated((float(x) + 0.5f) * xScale - 0.5f,
                                                            (float(y) + 0.5f) * yScale - 0.5f, c.mode, EdgeRepeat);
                const int at = 3 * (y * c.width + x);
                ASSERT_EQ(s.rgbBlue, uint8_t(golden[at])) << c.file << " " << x << "," << y;
                ASSERT_EQ(s.rgbRed, uint8_t(golden[at + 2])) << c.file << " " << x << "," << y;
            }
    }
}

TEST(Resample, SizeRulesAndDestination)
{
    CxImage image = Gradient(10, 6);
    const void *block = image.GetDibBlock();
    EXPECT_TRUE(image.Resample(10, 6, 6, 5));
    EXPECT_EQ(image.GetDibBlock(), block);
    CxImage copy;
    EXPECT_TRUE(image.Resample(10, 6, 6, 5, &copy));
    EXPECT_EQ(Rows(copy), Rows(image));
    EXPECT_FALSE(image.Resample(0, 6, 6, 5));
    EXPECT_FALSE(image.Resample(5, -1, 6, 5));
    EXPECT_FALSE(CxImage().Resample(5, 5, 6, 5));
    CxImage half;
    ASSERT_TRUE(image.Resample(5, 3, 2, 5, &half));
    EXPECT_EQ(image.GetWidth(), 10); // the source stays when a destination is given
    EXPECT_EQ(half.GetWidth(), 5);
    CxImage tooBig = Gradient(4, 4);
    EXPECT_FALSE(tooBig.Resample(70000, 70000, 2, 5));
    EXPECT_STREQ(tooBig.GetErrorText(), "CXIMAGE_MAX_MEMORY exceeded");
    EXPECT_EQ(tooBig.GetWidth(), 4);
}

// Guards the area path: halving gives the plain mean of each 2 x 2 block whatever the mode.
TEST(Resample, HalvingAveragesBlocks)
{
    const CxImage source = Gradient(100, 100);
    for (int mode : {1, 2, 5, 6}) {
        CxImage image(source);
        ASSERT_TRUE(image.Resample(50, 50, mode, EdgeRepeat));
        for (int y = 0; y < 50; y += 7)
            for (int x = 0; x < 50; x += 7) {
                int sum = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                        sum += source.GetPixelColor(2 * x + dx, 2 * y + dy).rgbRed;
                ASSERT_NEAR(image.GetPixelColor(x, y).rgbRed, sum / 4, 1) << mode << " " << x << "," << y;
                ASSERT_EQ(image.GetPixelColor(x, y).rgbBlue, 4 * x + 1) << mode;
            }
    }
}

TEST(Resample, EnlargingRepeatsTheEdgeAndMixedScalesAverage)
{
    const CxImage source = Gradient(100, 100);
    CxImage wide(source);
    ASSERT_TRUE(wide.Resample(200, 100, InterpolationBilinear, EdgeRepeat));
    for (int y = 0; y < 100; y += 9)
        EXPECT_EQ(wide.GetPixelColor(0, y), source.GetPixelColor(0, y));

    // 100 x 50 to 200 x 25: one scale below one, the other above. Rows are constant, so each destination
    // row is the mean of two source rows; point sampling would pick one of them.
    CxImage rows(100, 50, 24);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            rows.SetPixelColor(x, y, RGBQUAD{0, 0, uint8_t(y * 5), 0});
    ASSERT_TRUE(rows.Resample(200, 25, InterpolationNearest, EdgeRepeat));
    for (int y = 0; y < 25; ++y)
        EXPECT_EQ(rows.GetPixelColor(77, y).rgbRed, (10 * y + 10 * y + 5) / 2) << y;

    CxImage point(100, 50, 24);
    point.SetPixelColor(0, 1, RGB(200, 0, 0));
    ASSERT_TRUE(point.Resample(200, 25, InterpolationNearest, EdgeRepeat, nullptr, true));
    EXPECT_EQ(point.GetPixelColor(0, 0).rgbRed, 200);
}

TEST(Resample, PalettesAndAlpha)
{
    CxImage one(40, 40, 1);
    one.SetPaletteColor(0, 0, 0, 0);
    one.SetPaletteColor(1, 255, 255, 255);
    for (int y = 0; y < 40; ++y)
        for (int x = 20; x < 40; ++x)
            one.SetPixelIndex(x, y, 1);
    ASSERT_TRUE(one.Resample(30, 30, InterpolationLanczos, EdgeRepeat));
    EXPECT_EQ(one.GetBpp(), 1);
    EXPECT_EQ(one.GetPixelIndex(2, 5), 0);
    EXPECT_EQ(one.GetPixelIndex(27, 5), 1);

    CxImage alpha = Gradient(8, 8);
    alpha.AlphaCreate();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            alpha.AlphaSetPixel(x, y, uint8_t(x * 10 + y));
    ASSERT_TRUE(alpha.Resample(4, 4, InterpolationBilinear, EdgeRepeat));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(alpha.AlphaGet(x, y), uint8_t(2 * x * 10 + 2 * y)); // nearest, not averaged

    CxImage enlarged = Gradient(4, 4);
    enlarged.AlphaCreate();
    enlarged.AlphaSet(100);
    ASSERT_TRUE(enlarged.Resample(8, 8, InterpolationBicubic2, EdgeRepeat));
    EXPECT_TRUE(enlarged.AlphaIsValid());
}

TEST(Resample, EscapeStopsButStillReplaces)
{
    CxImage image = Gradient(20, 20);
    image.SetEscape(1);
    EXPECT_TRUE(image.Resample(40, 40, 2, 5));
    EXPECT_EQ(image.GetWidth(), 40);
}

TEST(Sampling, PointsAndEdges)
{
    CxImage image = Gradient(10, 8);
    EXPECT_EQ(image.SampleInterpolated(3.0f, 4.0f, InterpolationBilinear, EdgeRepeat), image.GetPixelColor(3, 4));
    const RGBQUAD red{0, 0, 255, 255};
    EXPECT_EQ(image.SampleInterpolated(-0.7f, 2.0f, InterpolationNearest, EdgeReplacement, &red),
              image.GetPixelColor(0, 2));
    EXPECT_EQ(image.SampleInterpolated(-1.7f, 2.0f, InterpolationNearest, EdgeReplacement, &red), red);
    EXPECT_EQ(image.SampleInterpolated(-1.7f, 2.0f, InterpolationNearest, EdgeReplacement),
              (RGBQUAD{255, 255, 255, 0}));
    EXPECT_EQ(image.SampleInterpolated(-50.0f, 2.0f, InterpolationLanczos, EdgeReplacement, &red), red);
    EXPECT_EQ(image.SampleInterpolated(1e30f, -1e30f, InterpolationBicubic2, EdgeWrap).rgbReserved, 0);

    struct Case { int x, y, edge, ex, ey; };
    const Case cases[] = {
        {-2, 0, EdgeMirror, 2, 0}, {11, 0, EdgeMirror, 8, 0}, {-1, 0, EdgeMirror, 1, 0}, {10, 0, EdgeMirror, 9, 0},
        {-1, -1, EdgeWrap, 9, 7},  {23, 17, EdgeWrap, 3, 1},  {-5, 30, EdgeRepeat, 0, 7}, {4, 3, EdgeMirror, 4, 3},
    };
    for (const Case &c : cases) {
        int x = c.x, y = c.y;
        image.ApplyEdgeMode(x, y, c.edge);
        EXPECT_EQ(x, c.ex) << c.x << "," << c.y << " edge " << c.edge;
        EXPECT_EQ(y, c.ey) << c.x << "," << c.y << " edge " << c.edge;
        EXPECT_EQ(image.GetEdgePixelColor(c.x, c.y, c.edge), image.GetPixelColor(c.ex, c.ey));
    }
    float fx = -2.5f, fy = 8.5f;
    image.ApplyEdgeMode(fx, fy, EdgeWrap);
    EXPECT_FLOAT_EQ(fx, 7.5f);
    EXPECT_FLOAT_EQ(fy, 0.5f);

    image.AlphaCreate();
    EXPECT_EQ(image.GetEdgePixelColor(-1, 0, EdgeTransparent, &red), (RGBQUAD{0, 0, 255, 0}));
    CxImage pal(3, 3, 8);
    pal.SetPaletteColor(7, 1, 2, 3, 0);
    EXPECT_EQ(pal.GetEdgePixelColor(-1, 0, EdgeBackground, &red), red);
    pal.SetTransIndex(7);
    EXPECT_EQ(pal.GetEdgePixelColor(-1, 0, EdgeBackground, &red), (RGBQUAD{3, 2, 1, 0}));
    EXPECT_EQ(pal.GetEdgePixelColor(-1, 0, EdgeTransparent, &red), (RGBQUAD{3, 2, 1, 0}));
    EXPECT_EQ(pal.GetEdgePixelColor(-1, 0, 99, &red), red);
}

// Guards the whole-picture passes against the single-sample functions they stand for: every destination
// pixel must equal SampleInterpolated (point sampling) or SampleArea (averaging) at its position, for
// every kernel family, the edge modes that read outside the picture, alpha planes and palettes.
TEST(Resample, EveryPixelEqualsItsSingleSample)
{
    CxImage noisy(23, 17, 24);
    uint32_t seed = 7;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x) {
            seed = seed * 1664525u + 1013904223u;
            noisy.SetPixelColor(x, y, RGBQUAD{uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8), 0});
        }
    CxImage withAlpha(noisy);
    withAlpha.AlphaCreate();
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x)
            withAlpha.AlphaSetPixel(x, y, uint8_t(x * 11 + y * 5));
    CxImage palette(noisy);
    palette.DecreaseBpp(8, false);
    palette.SetTransIndex(3);

    struct Source { const char *name; const CxImage *image; };
    const Source sources[] = {{"24-bit", &noisy}, {"alpha", &withAlpha}, {"palette", &palette}};
    struct Size { int width, height; bool disableAveraging; };
    const Size sizes[] = {{41, 30, false}, {23, 40, false}, {9, 7, false}, {11, 8, false},
                          {40, 9, false},  {10, 5, true},   {46, 34, false}};
    const int modes[] = {InterpolationNearest, InterpolationBilinear, InterpolationBSpline, InterpolationBicubic2,
                         InterpolationLanczos, InterpolationGaussian, InterpolationPower, 42};
    const int edges[] = {EdgeReplacement, EdgeBackground, EdgeTransparent, EdgeWrap, EdgeRepeat, EdgeMirror};

    for (const Source &s : sources)
        for (const Size &size : sizes)
            for (int mode : modes)
                for (int edge : edges) {
                    SCOPED_TRACE(testing::Message() << s.name << " " << size.width << "x" << size.height
                                                    << " mode " << mode << " edge " << edge);
                    CxImage source(*s.image);
                    CxImage result;
                    ASSERT_TRUE(source.Resample(size.width, size.height, mode, edge, &result, size.disableAveraging));
                    const float xScale = float(source.GetWidth()) / float(size.width);
                    const float yScale = float(source.GetHeight()) / float(size.height);
                    const bool area = !size.disableAveraging && (xScale > 1.0f || yScale > 1.0f);
                    // Palette results hold the nearest entry of the sample; this image finds it the same way.
                    CxImage expected(result, false);
                    for (int y = 0; y < size.height; ++y)
                        for (int x = 0; x < size.width; ++x) {
                            const float sX = (float(x) + 0.5f) * xScale - 0.5f;
                            const float sY = (float(y) + 0.5f) * yScale - 0.5f;
                            const RGBQUAD c = area ? source.SampleArea(sX, sY, xScale, yScale, mode, edge)
                                                   : source.SampleInterpolated(sX, sY, mode, edge);
                            expected.SetPixelColor(x, y, c, false);
                            ASSERT_EQ(result.GetPixelColor(x, y, false), expected.GetPixelColor(x, y, false))
                                << x << "," << y;
                            if (result.AlphaIsValid() && !area && !result.IsIndexed()) {
                                ASSERT_EQ(result.AlphaGet(x, y), c.rgbReserved) << x << "," << y;
                            }
                        }
                }
}
