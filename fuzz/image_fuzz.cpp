// Runs every decoder of the format table over arbitrary bytes, as detection does for pictures inside
// imported documents and library files; metafiles are played too (on the offscreen platform, so that
// their text is drawn). Seed with the fixtures:
//     ./image_fuzz -max_total_time=600 corpus/ ../tests/fixtures/
// Each successful decode is then pushed through the operations that walk every pixel, and saved as PNG:
// every picture that loads must be one that can be saved.
#include "image/qt/MetafilePlayer.h"
#include "image/xImage.h"
#include "image/xMemFile.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The font configuration Qt loads for metafile text is a cache that lives until the process ends; it is
// not a leak of any one input.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    RegisterMetafilePlayer();
    return 0;
}

namespace {

void MustSaveAsPng(CxImage &image)
{
    CxMemFile file;
    file.Open();
    if (!image.Encode(&file, ImageFormatPng))
        __builtin_trap();
}

} // namespace

namespace {

// Formats also read on their own: detection stops at the first decoder that takes the bytes, and these
// must meet every input all the same.
constexpr uint32_t kDirectFormats[] = {
    ImageFormatGif, ImageFormatTif, ImageFormatMng, ImageFormatTga, ImageFormatPcx,
    ImageFormatWbmp, ImageFormatWmf, ImageFormatJp2, ImageFormatSka,
};

// Detection meets the camera-raw decoder last, after every other has refused the bytes. Raw files built
// on TIFF (DNG and most camera formats) are taken by the TIFF decoder before that: those inputs are
// read as raw files on their own too.
bool TiffHeader(const uint8_t *data, size_t size)
{
    return size >= 4 && ((data[0] == 'I' && data[1] == 'I' && data[2] == 42 && data[3] == 0) ||
                         (data[0] == 'M' && data[1] == 'M' && data[2] == 0 && data[3] == 42));
}

void Exercise(CxImage &image)
{
    if (image.GetWidth() <= 512 && image.GetHeight() <= 512) {
        MustSaveAsPng(image);
        CxImage copy(image);
        copy.Resample(17, 13, InterpolationLanczos, EdgeRepeat);
        image.IncreaseBpp(24);
        image.DecreaseBpp(8, true);
        MustSaveAsPng(image);
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
    if (TiffHeader(data, size)) {
        CxMemFile file(const_cast<uint8_t *>(data), size);
        CxImage image;
        image.Decode(&file, ImageFormatRaw);
    }
    return 0;
}
