// Runs every decoder of the format table over arbitrary bytes, as detection does for pictures inside
// imported documents and library files. Seed with the fixtures:
//     ./image_fuzz -max_total_time=600 corpus/ ../tests/fixtures/
// Each successful decode is then pushed through the operations that walk every pixel.
#include "image/xImage.h"
#include "image/xMemFile.h"

#include <cstddef>
#include <cstdint>

namespace {

// Formats also read on their own: detection stops at the first decoder that takes the bytes, and these
// must meet every input all the same.
constexpr uint32_t kDirectFormats[] = {
    ImageFormatGif, ImageFormatTif, ImageFormatTga, ImageFormatPcx, ImageFormatWbmp, ImageFormatSka,
};

void Exercise(CxImage &image)
{
    if (image.GetWidth() <= 512 && image.GetHeight() <= 512) {
        CxImage copy(image);
        copy.Resample(17, 13, InterpolationLanczos, EdgeRepeat);
        image.IncreaseBpp(24);
        image.DecreaseBpp(8, true);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        CxMemFile file(const_cast<uint8_t *>(data), size);
        CxImage image;
        if (image.Decode(&file, ImageFormatNone))
            Exercise(image);
    }
    for (uint32_t format : kDirectFormats) {
        CxMemFile file(const_cast<uint8_t *>(data), size);
        CxImage image;
        // Later frames and pages, and keeping every frame, take other paths through the multi-frame
        // decoders.
        const uint8_t last = size > 0 ? data[size - 1] : 0;
        image.SetFrame(last % 3);
        image.SetLoadAllFrames(last & 4);
        image.Decode(&file, format);
    }
    return 0;
}
