// JPEG 2000 files (jp2) and code streams (jpc) through OpenJPEG, its stream read from and written to a
// CxFile through user callbacks.
#include "image/JasPicture.h"

#include "image/xFile.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

struct StreamState
{
    CxFile *file;
    int64_t start; // where the picture begins in the file
};

OPJ_SIZE_T ReadCallback(void *buffer, OPJ_SIZE_T n, void *user)
{
    auto *state = static_cast<StreamState *>(user);
    const size_t got = state->file->Read(buffer, 1, n);
    return got == 0 ? OPJ_SIZE_T(-1) : got;
}

OPJ_SIZE_T WriteCallback(void *buffer, OPJ_SIZE_T n, void *user)
{
    auto *state = static_cast<StreamState *>(user);
    return state->file->Write(buffer, 1, n);
}

OPJ_OFF_T SkipCallback(OPJ_OFF_T n, void *user)
{
    auto *state = static_cast<StreamState *>(user);
    return state->file->Seek(n, SEEK_CUR) ? n : OPJ_OFF_T(-1);
}

OPJ_BOOL SeekCallback(OPJ_OFF_T n, void *user)
{
    auto *state = static_cast<StreamState *>(user);
    return state->file->Seek(state->start + n, SEEK_SET) ? OPJ_TRUE : OPJ_FALSE;
}

// The library's messages are not shown: the format class reports in its own words.
void Quiet(const char *, void *) {}

struct CodecDeleter
{
    void operator()(opj_codec_t *codec) const { opj_destroy_codec(codec); }
};
struct StreamDeleter
{
    void operator()(opj_stream_t *stream) const { opj_stream_destroy(stream); }
};
using Codec = std::unique_ptr<opj_codec_t, CodecDeleter>;
using Stream = std::unique_ptr<opj_stream_t, StreamDeleter>;

Codec MakeCodec(bool decoder, uint32_t memberId)
{
    const OPJ_CODEC_FORMAT format = memberId == ImageFormatJp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K;
    Codec codec(decoder ? opj_create_decompress(format) : opj_create_compress(format));
    if (codec) {
        opj_set_info_handler(codec.get(), Quiet, nullptr);
        opj_set_warning_handler(codec.get(), Quiet, nullptr);
        opj_set_error_handler(codec.get(), Quiet, nullptr);
    }
    return codec;
}

Stream MakeStream(StreamState &state, bool input)
{
    Stream stream(opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, input ? OPJ_TRUE : OPJ_FALSE));
    if (!stream)
        return stream;
    opj_stream_set_user_data(stream.get(), &state, nullptr);
    if (input) {
        const int64_t size = state.file->Size();
        opj_stream_set_user_data_length(stream.get(), OPJ_UINT64(std::max<int64_t>(0, size - state.start)));
        opj_stream_set_read_function(stream.get(), ReadCallback);
    } else {
        opj_stream_set_write_function(stream.get(), WriteCallback);
    }
    opj_stream_set_skip_function(stream.get(), SkipCallback);
    opj_stream_set_seek_function(stream.get(), SeekCallback);
    return stream;
}

JasColorSpace ColorSpaceOf(OPJ_COLOR_SPACE space)
{
    switch (space) {
    case OPJ_CLRSPC_SRGB: return JasColorSpace::Srgb;
    case OPJ_CLRSPC_GRAY: return JasColorSpace::Gray;
    case OPJ_CLRSPC_SYCC: return JasColorSpace::Sycc;
    case OPJ_CLRSPC_EYCC: return JasColorSpace::Eycc;
    case OPJ_CLRSPC_CMYK: return JasColorSpace::Cmyk;
    default: return JasColorSpace::Unknown;
    }
}

// Sizes and precisions come from the file: every component must be one the image can be made from.
bool ComponentsUsable(const opj_image_t &image, bool needSamples)
{
    if (image.numcomps == 0 || !image.comps)
        return false;
    uint64_t total = 0;
    for (OPJ_UINT32 i = 0; i < image.numcomps; ++i) {
        const opj_image_comp_t &c = image.comps[i];
        if (c.w == 0 || c.h == 0 || c.prec < 1 || c.prec > OPJ_UINT32(kJasMaxPrecision) || c.dx == 0 || c.dy == 0)
            return false;
        if (needSamples && !c.data)
            return false;
        total += uint64_t(c.w) * c.h;
        if (total > kJasMaxSamples)
            return false;
    }
    return true;
}

void Describe(const opj_image_t &image, bool withSamples, JasPicture &picture)
{
    picture.colorSpace = ColorSpaceOf(image.color_space);
    picture.components.clear();
    for (OPJ_UINT32 i = 0; i < image.numcomps; ++i) {
        const opj_image_comp_t &c = image.comps[i];
        JasComponent component;
        component.width = c.w;
        component.height = c.h;
        component.dx = c.dx;
        component.dy = c.dy;
        component.precision = int(c.prec);
        component.isSigned = c.sgnd != 0;
        component.samples = withSamples ? c.data : nullptr;
        picture.components.push_back(component);
    }
}

} // namespace

JasReadResult ReadJpeg2000(CxFile *file, uint32_t memberId, bool headerOnly, size_t maxComponents,
                           JasPicture &picture)
{
    StreamState state{file, file->Tell()};
    Codec codec = MakeCodec(true, memberId);
    Stream stream = MakeStream(state, true);
    if (!codec || !stream)
        return JasReadResult::Failed;
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    if (!opj_setup_decoder(codec.get(), &parameters))
        return JasReadResult::Failed;

    opj_image_t *raw = nullptr;
    const bool headerRead = opj_read_header(stream.get(), codec.get(), &raw);
    std::shared_ptr<opj_image_t> image(raw, [](opj_image_t *p) { opj_image_destroy(p); });
    if (!headerRead || !image || !ComponentsUsable(*image, false))
        return JasReadResult::Failed;
    if (headerOnly) {
        Describe(*image, false, picture);
        return JasReadResult::Ok;
    }
    if (image->numcomps > maxComponents)
        return JasReadResult::TooManyComponents;
    if (!opj_decode(codec.get(), stream.get(), image.get()) || !opj_end_decompress(codec.get(), stream.get()))
        return JasReadResult::Failed;
    // A palette or channel definitions may have changed the components after the header.
    if (image->numcomps > maxComponents)
        return JasReadResult::TooManyComponents;
    if (!ComponentsUsable(*image, true))
        return JasReadResult::Failed;
    Describe(*image, true, picture);
    picture.library = image;
    return JasReadResult::Ok;
}

bool WriteJpeg2000(CxFile *file, uint32_t memberId, const JasPicture &picture, double rate)
{
    const size_t count = picture.components.size();
    if (count != 1 && count != 3)
        return false;
    const uint32_t width = picture.components[0].width;
    const uint32_t height = picture.components[0].height;

    opj_image_cmptparm_t parameters[3] = {};
    for (size_t i = 0; i < count; ++i) {
        parameters[i].dx = parameters[i].dy = 1;
        parameters[i].w = width;
        parameters[i].h = height;
        parameters[i].prec = 8;
        parameters[i].sgnd = 0;
    }
    std::unique_ptr<opj_image_t, void (*)(opj_image_t *)> image(
        opj_image_create(OPJ_UINT32(count), parameters, count == 3 ? OPJ_CLRSPC_SRGB : OPJ_CLRSPC_GRAY),
        opj_image_destroy);
    if (!image)
        return false;
    image->x0 = image->y0 = 0;
    image->x1 = width;
    image->y1 = height;
    for (size_t i = 0; i < count; ++i)
        std::copy_n(picture.components[i].samples, size_t(width) * height, image->comps[i].data);

    opj_cparameters_t options;
    opj_set_default_encoder_parameters(&options);
    options.tcp_numlayers = 1;
    options.cp_disto_alloc = 1;
    // A rate is a fraction of the raw size; the library takes the compression ratio. A ratio of 1 or less
    // asks for every bit.
    rate = std::clamp(rate, 0.001, 1.0);
    options.tcp_rates[0] = rate >= 1.0 ? 0.0f : float(1.0 / rate);
    // Small pictures cannot carry the default number of resolution levels.
    while (options.numresolution > 1 && (uint32_t(1) << (options.numresolution - 1)) > std::min(width, height))
        --options.numresolution;

    StreamState state{file, file->Tell()};
    Codec codec = MakeCodec(false, memberId);
    Stream stream = MakeStream(state, false);
    if (!codec || !stream || !opj_setup_encoder(codec.get(), &options, image.get()))
        return false;
    return opj_start_compress(codec.get(), image.get(), stream.get()) && opj_encode(codec.get(), stream.get()) &&
           opj_end_compress(codec.get(), stream.get());
}
