#include "image/ResampleKernels.h"
#include "image/xImage.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

CxImage Gradient(int32_t width, int32_t height)
{
    CxImage image(uint32_t(width), uint32_t(height), 24);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            image.SetPixelColor(x, y, RGBQUAD{uint8_t(x * 2), uint8_t(y * 2), uint8_t((x * 7 + y * 13) & 0xFF), 0});
    return image;
}

// A small picture with sharp changes in every channel.
CxImage Pattern()
{
    CxImage image(7, 5, 24);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            image.SetPixelColor(x, y, RGBQUAD{uint8_t(((x + y) % 2) * 255), uint8_t((x * x * 13 + y * 29 + 50) % 256),
                                              uint8_t((x * 37 + y * 71) % 256), 0});
    return image;
}

// The kernels as the sampling rules define them, in double precision, for the slow direct sums below.
double Tent(double t) { return std::max(0.0, 1.0 - std::fabs(t)); }
double CubicHalf(double t)
{
    const double a = -0.5, u = std::fabs(t);
    if (u < 1)
        return (a + 2) * u * u * u - (a + 3) * u * u + 1;
    if (u < 2)
        return a * u * u * u - 5 * a * u * u + 8 * a * u - 4 * a;
    return 0;
}
double Lanczos6(double t)
{
    if (std::fabs(t) > 6)
        return 0;
    if (t == 0)
        return 1;
    const double pt = std::numbers::pi * t;
    return std::sin(pt) / pt * (std::sin(pt / 6) / (pt / 6));
}

// One channel of the source at (x, y), the point moved to the nearest edge pixel (edge mode 5).
int Channel(const CxImage &image, int x, int y, int channel)
{
    const RGBQUAD c = image.GetPixelColor(std::clamp(x, 0, int(image.GetWidth()) - 1),
                                          std::clamp(y, 0, int(image.GetHeight()) - 1));
    return channel == 0 ? c.rgbBlue : channel == 1 ? c.rgbGreen : c.rgbRed;
}

int ClampTruncate(double v) { return int(std::clamp(v, 0.0, 255.0)); }

// Point sampling straight from the definition: the kernel's weight for every source pixel near (x, y),
// whatever window an implementation reads.
int DirectPointSample(const CxImage &image, double x, double y, double (*kernel)(double), int channel)
{
    double sum = 0;
    for (int py = int(std::floor(y)) - 7; py <= int(std::floor(y)) + 8; ++py)
        for (int px = int(std::floor(x)) - 7; px <= int(std::floor(x)) + 8; ++px)
            sum += kernel(px - x) * kernel(py - y) * Channel(image, px, py, channel);
    return ClampTruncate(sum);
}

// Area averaging straight from the definition: every source pixel weighted by how much of its unit square
// the w x h area around (x, y) covers.
int DirectAreaSample(const CxImage &image, double x, double y, double w, double h, int channel)
{
    const auto overlap = [](double a0, double a1, double b0, double b1) {
        return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
    };
    double sum = 0;
    for (int py = int(std::floor(y - h)); py <= int(std::ceil(y + h)); ++py)
        for (int px = int(std::floor(x - w)); px <= int(std::ceil(x + w)); ++px)
            sum += overlap(px - 0.5, px + 0.5, x - w / 2, x + w / 2) * overlap(py - 0.5, py + 0.5, y - h / 2, y + h / 2) *
                   Channel(image, px, py, channel);
    return ClampTruncate(sum / (w * h));
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

// Guards the resampling of the modes the application uses (bilinear, cubic with a = -0.5, Lanczos, and area
// averaging when shrinking) against the slow direct sums of their definitions. Single precision may move a
// value across a whole number, so one step either way is allowed, two for bilinear, whose weights inside
// the picture are whole 256ths; a wrong window, position or weight is off by far more.
TEST(Resample, MatchesTheDirectSumsOfTheDefinitions)
{
    const struct Case {
        int mode;
        double (*kernel)(double);
        int width, height;
        int tolerance;
    } cases[] = {
        {InterpolationBilinear, &Tent, 13, 9, 2},
        {InterpolationBicubic2, &CubicHalf, 13, 9, 1},
        {InterpolationLanczos, &Lanczos6, 13, 9, 1},
        {InterpolationLanczos, nullptr, 3, 2, 1},   // shrinking: area averaging, whatever the mode
        {InterpolationBilinear, nullptr, 5, 4, 1},
    };
    const CxImage source = Pattern();
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " to " << c.width << "x" << c.height);
        CxImage image = Pattern();
        ASSERT_TRUE(image.Resample(c.width, c.height, c.mode, EdgeRepeat));
        const double xScale = 7.0 / c.width, yScale = 5.0 / c.height;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const double sX = (x + 0.5) * xScale - 0.5, sY = (y + 0.5) * yScale - 0.5;
                const RGBQUAD got = image.GetPixelColor(x, y);
                const int channels[3] = {got.rgbBlue, got.rgbGreen, got.rgbRed};
                for (int channel = 0; channel < 3; ++channel) {
                    const int expected = c.kernel ? DirectPointSample(source, sX, sY, c.kernel, channel)
                                                  : DirectAreaSample(source, sX, sY, xScale, yScale, channel);
                    ASSERT_NEAR(channels[channel], expected, c.tolerance) << x << "," << y << " channel " << channel;
                }
            }
    }
}

// Guards exact values worked out by hand, where no rounding can hide a slip.
TEST(Resample, HandComputedSamples)
{
    // A 2 x 1 row of 0 and 200 doubled by bilinear sampling: positions -0.25, 0.25, 0.75, 1.25; the edge
    // repeats the end pixels.
    CxImage row(2, 1, 24);
    row.SetPixelColor(0, 0, RGBQUAD{0, 0, 0, 0});
    row.SetPixelColor(1, 0, RGBQUAD{0, 0, 200, 0});
    ASSERT_TRUE(row.Resample(4, 1, InterpolationBilinear, EdgeRepeat));
    const int doubled[4] = {0, 50, 150, 200};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(row.GetPixelColor(x, 0).rgbRed, doubled[x]) << x;

    // Cubic convolution (a = -0.5) halfway up a step 0, 0, 100, 100: weights -1/16, 9/16, 9/16, -1/16.
    CxImage step(4, 1, 24);
    for (int x = 0; x < 4; ++x)
        step.SetPixelColor(x, 0, RGBQUAD{0, 0, uint8_t(x < 2 ? 0 : 100), 0});
    EXPECT_EQ(step.SampleInterpolated(1.5f, 0.0f, InterpolationBicubic2, EdgeRepeat).rgbRed, 50);
    // A quarter of the way: K(-1.25), K(-0.25), K(0.75), K(1.75) = -0.0703125, 0.8671875, 0.2265625,
    // -0.0234375, so 100 x (0.2265625 - 0.0234375) = 20.3125.
    EXPECT_EQ(step.SampleInterpolated(1.25f, 0.0f, InterpolationBicubic2, EdgeRepeat).rgbRed, 20);

    // A 3 x 1 row shrunk to one pixel: the mean of the three.
    CxImage three(3, 1, 24);
    for (int x = 0; x < 3; ++x)
        three.SetPixelColor(x, 0, RGBQUAD{0, 0, uint8_t(30 * (x + 1)), 0});
    ASSERT_TRUE(three.Resample(1, 1, InterpolationBicubic2, EdgeRepeat));
    EXPECT_EQ(three.GetPixelColor(0, 0).rgbRed, 60);
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

namespace {

// A picture of pseudo-random colours, the same for the same seed.
CxImage Noisy(int width, int height, uint32_t seed)
{
    CxImage image(uint32_t(width), uint32_t(height), 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.SetPixelColor(x, y, RGBQUAD{uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8), 0});
        }
    return image;
}

// The picture with an alpha plane that changes along both axes.
CxImage WithAlphaRamp(const CxImage &picture)
{
    CxImage image(picture);
    image.AlphaCreate();
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            image.AlphaSetPixel(x, y, uint8_t(x * 11 + y * 5));
    return image;
}

} // namespace

// Guards the whole-picture passes against the single-sample functions they stand for: every destination
// pixel must equal SampleInterpolated (point sampling) or SampleArea (averaging) at its position, for
// every kernel family, the edge modes that read outside the picture, alpha planes and palettes.
TEST(Resample, EveryPixelEqualsItsSingleSample)
{
    const CxImage noisy = Noisy(23, 17, 7);
    const CxImage withAlpha = WithAlphaRamp(noisy);
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

// Guards the Lanczos row pass, which takes destination columns eight at a time: blocks whose windows
// start close together share one load a tap, blocks whose windows lie far apart (a slight shrink without
// averaging) go column by column, and a last block may be short. Every pixel must still equal its single
// sample, with and without an alpha plane.
TEST(Resample, LanczosRowBlocksEqualTheSingleSamples)
{
    const CxImage noisy = Noisy(120, 14, 11);
    const CxImage withAlpha = WithAlphaRamp(noisy);

    struct Size { int width, height; bool disableAveraging; };
    const Size sizes[] = {
        {109, 14, true}, // shrinking by 1.1: some blocks span eight entries, some more
        {97, 20, true},  // by 1.24: most blocks lie apart
        {257, 29, false}, {1, 30, true}, {121, 15, false}, {128, 16, false},
    };
    for (const CxImage *image : {&noisy, &withAlpha})
        for (const Size &size : sizes)
            for (int edge : {EdgeRepeat, EdgeMirror, EdgeBackground}) {
                SCOPED_TRACE(testing::Message() << (image->AlphaIsValid() ? "alpha " : "") << size.width << "x"
                                                << size.height << " edge " << edge);
                CxImage source(*image);
                CxImage result;
                ASSERT_TRUE(source.Resample(size.width, size.height, InterpolationLanczos, edge, &result,
                                            size.disableAveraging));
                const float xScale = float(source.GetWidth()) / float(size.width);
                const float yScale = float(source.GetHeight()) / float(size.height);
                for (int y = 0; y < size.height; ++y)
                    for (int x = 0; x < size.width; ++x) {
                        const RGBQUAD c = source.SampleInterpolated((float(x) + 0.5f) * xScale - 0.5f,
                                                                    (float(y) + 0.5f) * yScale - 0.5f,
                                                                    InterpolationLanczos, edge);
                        const RGBQUAD got = result.GetPixelColor(x, y, false);
                        ASSERT_EQ((RGBQUAD{got.rgbBlue, got.rgbGreen, got.rgbRed, 0}),
                                  (RGBQUAD{c.rgbBlue, c.rgbGreen, c.rgbRed, 0}))
                            << x << "," << y;
                        if (result.AlphaIsValid()) {
                            ASSERT_EQ(result.AlphaGet(x, y), c.rgbReserved) << x << "," << y;
                        }
                    }
            }
}

// Guards the whole-factor reductions, which add their pixels as integers: each pixel must still equal
// SampleArea at its position, for one factor on both axes, two different ones, and a picture with alpha.
TEST(Resample, WholeFactorReductionsEqualTheirAreaSamples)
{
    const CxImage noisy = Noisy(40, 30, 11);
    const CxImage sources[] = {noisy, WithAlphaRamp(noisy)};
    const struct { int width, height; } sizes[] = {{8, 6}, {20, 15}, {10, 10}, {40, 15}};
    for (const CxImage &original : sources)
        for (const auto &size : sizes) {
            SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
            CxImage source(original);
            CxImage result;
            ASSERT_TRUE(source.Resample(size.width, size.height, InterpolationLanczos, EdgeRepeat, &result));
            const float xScale = 40.0f / float(size.width), yScale = 30.0f / float(size.height);
            for (int y = 0; y < size.height; ++y)
                for (int x = 0; x < size.width; ++x) {
                    const float sX = (float(x) + 0.5f) * xScale - 0.5f, sY = (float(y) + 0.5f) * yScale - 0.5f;
                    RGBQUAD expected = source.SampleArea(sX, sY, xScale, yScale, InterpolationLanczos, EdgeRepeat);
                    RGBQUAD got = result.GetPixelColor(x, y, false);
                    expected.rgbReserved = got.rgbReserved = 0;
                    ASSERT_EQ(got, expected) << x << "," << y;
                }
        }
}
