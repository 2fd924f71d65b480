#include "image/xImageCodecs.h"

#include "image/xImageBMP.h"
#include "image/xImageGIF.h"
#include "image/xImageICO.h"
#include "image/xImageJAS.h"
#include "image/xImageJPG.h"
#include "image/xImageMNG.h"
#include "image/xImagePCX.h"
#include "image/xImagePNG.h"
#include "image/xImageRAW.h"
#include "image/xImageSKA.h"
#include "image/xImageTGA.h"
#include "image/xImageTIF.h"
#include "image/xImageWBMP.h"
#include "image/xImageWMF.h"

#include <vector>

namespace {

// The JPEG 2000 family is one class for five ids: it is told which member is asked for.
bool DecodeJas(CxImage &codec, CxFile *file, uint32_t formatId)
{
    return static_cast<CxImageJAS &>(codec).Decode(file, formatId);
}

bool EncodeJas(CxImage &codec, CxFile *file, uint32_t formatId)
{
    return static_cast<CxImageJAS &>(codec).Encode(file, formatId);
}

// One line per format class, in the order detection tries them (the JPEG 2000 line covers its whole family,
// JP2 to RAS). The order is the table's alone: a format class added later takes its place in it here.
const std::vector<ImageCodec> &Table()
{
    static const std::vector<ImageCodec> table = {
        {ImageFormatBmp, ImageFormatBmp, false, CreateCodec<CxImageBMP>, DecodeAs<CxImageBMP>, EncodeAs<CxImageBMP>},
        {ImageFormatJpg, ImageFormatJpg, false, CreateCodec<CxImageJPG>, DecodeAs<CxImageJPG>, EncodeAs<CxImageJPG>},
        {ImageFormatIco, ImageFormatIco, true, CreateCodec<CxImageICO>, DecodeAs<CxImageICO>, EncodeAs<CxImageICO>},
        {ImageFormatGif, ImageFormatGif, true, CreateCodec<CxImageGIF>, DecodeAs<CxImageGIF>, EncodeAs<CxImageGIF>},
        {ImageFormatPng, ImageFormatPng, false, CreateCodec<CxImagePNG>, DecodeAs<CxImagePNG>, EncodeAs<CxImagePNG>},
        {ImageFormatTif, ImageFormatTif, true, CreateCodec<CxImageTIF>, DecodeAs<CxImageTIF>, EncodeAs<CxImageTIF>},
        {ImageFormatMng, ImageFormatMng, true, CreateCodec<CxImageMNG>, DecodeAs<CxImageMNG>, EncodeAs<CxImageMNG>},
        {ImageFormatTga, ImageFormatTga, false, CreateCodec<CxImageTGA>, DecodeAs<CxImageTGA>, EncodeAs<CxImageTGA>},
        {ImageFormatPcx, ImageFormatPcx, false, CreateCodec<CxImagePCX>, DecodeAs<CxImagePCX>, EncodeAs<CxImagePCX>},
        {ImageFormatWbmp, ImageFormatWbmp, false, CreateCodec<CxImageWBMP>, DecodeAs<CxImageWBMP>, EncodeAs<CxImageWBMP>},
        {ImageFormatWmf, ImageFormatWmf, false, CreateCodec<CxImageWMF>, DecodeAs<CxImageWMF>, EncodeAs<CxImageWMF>},
        {ImageFormatJp2, ImageFormatRas, false, CreateCodec<CxImageJAS>, DecodeJas, EncodeJas},
        {ImageFormatSka, ImageFormatSka, false, CreateCodec<CxImageSKA>, DecodeAs<CxImageSKA>, EncodeAs<CxImageSKA>},
        {ImageFormatRaw, ImageFormatRaw, false, CreateCodec<CxImageRAW>, DecodeAs<CxImageRAW>, EncodeAs<CxImageRAW>},
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
