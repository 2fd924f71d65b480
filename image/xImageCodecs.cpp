#include "image/xImageCodecs.h"

#include "image/xImageBMP.h"
#include "image/xImageICO.h"
#include "image/xImageJPG.h"
#include "image/xImagePNG.h"

#include <vector>

namespace {

// One line per format class, in the order detection tries them: BMP, JPEG, ICO, PNG. A format class added
// later takes its place in that order (GIF after ICO; TIFF, MNG, TGA, PCX, WBMP, WMF, JPEG 2000, SKA and
// camera raw after PNG).
const std::vector<ImageCodec> &Table()
{
    static const std::vector<ImageCodec> table = {
        {ImageFormatBmp, ImageFormatBmp, false, CreateCodec<CxImageBMP>, DecodeAs<CxImageBMP>, EncodeAs<CxImageBMP>},
        {ImageFormatJpg, ImageFormatJpg, false, CreateCodec<CxImageJPG>, DecodeAs<CxImageJPG>, EncodeAs<CxImageJPG>},
        {ImageFormatIco, ImageFormatIco, true, CreateCodec<CxImageICO>, DecodeAs<CxImageICO>, EncodeAs<CxImageICO>},
        {ImageFormatPng, ImageFormatPng, false, CreateCodec<CxImagePNG>, DecodeAs<CxImagePNG>, EncodeAs<CxImagePNG>},
    };
    return table;
}

std::span<const ImageCodec> *g_override = nullptr;

} // namespace

std::span<const ImageCodec> ImageCodecs()
{
    if (g_override)
        return *g_override;
    return std::span<const ImageCodec>(Table());
}

const ImageCodec *FindImageCodec(uint32_t formatId)
{
    for (const ImageCodec &codec : ImageCodecs()) {
        if (formatId >= codec.firstId && formatId <= codec.lastId)
            return &codec;
    }
    return nullptr;
}

void SetImageCodecsForTesting(std::span<const ImageCodec> *table)
{
    g_override = table;
}
