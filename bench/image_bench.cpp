// Times CxImage::Resample on the picture sizes the application meets most (a camera picture fitted to the
// screen, which takes the area path; a large component picture enlarged with Lanczos) against
// QImage::scaled with smooth transformation on the same pixels. Prints figures; never passes or fails.
#include "image/qt/ImageQt.h"
#include "image/xImage.h"

#include <QImage>

#include <chrono>
#include <cstdio>

namespace {

CxImage Picture(int width, int height)
{
    CxImage image(uint32_t(width), uint32_t(height), 24);
    for (int y = 0; y < height; ++y) {
        uint8_t *row = image.GetRowPointer(uint32_t(y));
        for (int x = 0; x < width; ++x) {
            row[3 * x] = uint8_t(x * 3 + y);
            row[3 * x + 1] = uint8_t((x ^ y) * 5);
            row[3 * x + 2] = uint8_t(y * 7 - x);
        }
    }
    return image;
}

template <class F>
double Seconds(int repeats, F &&work)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i)
        work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeats;
}

void Compare(const char *name, int width, int height, int newWidth, int newHeight, int mode, int repeats)
{
    const CxImage source = Picture(width, height);
    const QImage qsource = toQImage(source);
    const double ours = Seconds(repeats, [&] {
        CxImage image(source);
        image.Resample(newWidth, newHeight, mode, EdgeRepeat);
    });
    const double copyOnly = Seconds(repeats, [&] { CxImage image(source); });
    const double qt = Seconds(repeats, [&] {
        QImage scaled = qsource.scaled(newWidth, newHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        (void)scaled;
    });
    const double resample = ours - copyOnly;
    std::printf("%-44s ours %8.2f ms   QImage::scaled %8.2f ms   ratio %6.2f\n", name, resample * 1000.0,
                qt * 1000.0, resample / qt);
}

} // namespace

int main()
{
    Compare("4000x3000 -> 1008x560 (area path, mode 6)", 4000, 3000, 1008, 560, InterpolationLanczos, 3);
    Compare("500x333 -> 1008x672 (Lanczos, mode 6)", 500, 333, 1008, 672, InterpolationLanczos, 3);
    Compare("2000x1500 -> 400x300 (area path, mode 6)", 2000, 1500, 400, 300, InterpolationLanczos, 3);
    Compare("500x333 -> 1008x672 (cubic, mode 5)", 500, 333, 1008, 672, InterpolationBicubic2, 3);
    Compare("500x333 -> 1008x672 (bilinear, mode 2)", 500, 333, 1008, 672, InterpolationBilinear, 3);
    return 0;
}
