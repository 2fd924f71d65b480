// Runs every decoder of the format table over arbitrary bytes, as detection does for pictures inside
// imported documents and library files. Seed with the fixtures:
//     ./image_fuzz -max_total_time=600 corpus/ ../tests/fixtures/
// Each successful decode is then pushed through the operations that walk every pixel, and saved as PNG:
// every picture that loads must be one that can be saved.
#include "image/xImage.h"
#include "image/xMemFile.h"

#include <cstddef>
#include <cstdint>

namespace {

void MustSaveAsPng(CxImage &image)
{
    CxMemFile file;
    file.Open();
    if (!image.Encode(&file, ImageFormatPng))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CxMemFile file(const_cast<uint8_t *>(data), size);
    CxImage image;
    if (!image.Decode(&file, ImageFormatNone))
        return 0;
    if (image.GetWidth() <= 512 && image.GetHeight() <= 512) {
        MustSaveAsPng(image);
        CxImage copy(image);
        copy.Resample(17, 13, InterpolationLanczos, EdgeRepeat);
        image.IncreaseBpp(24);
        image.DecreaseBpp(8, true);
        MustSaveAsPng(image);
    }
    return 0;
}
