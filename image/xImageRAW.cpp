#include "image/xImageRAW.h"

#include "image/xFile.h"

#include <libraw/libraw.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

// The decoder's file access, over the CxFile from where the picture starts.
class CxFileDatastream : public LibRaw_abstract_datastream
{
public:
    explicit CxFileDatastream(CxFile *file) : m_file(file), m_start(file->Tell()) {}

    int valid() override { return m_file != nullptr; }
    int read(void *buffer, size_t size, size_t count) override
    {
        return int(m_file->Read(buffer, size, count));
    }
    int seek(INT64 offset, int origin) override
    {
        if (origin == SEEK_SET)
            offset += m_start;
        return m_file->Seek(offset, origin) ? 0 : -1;
    }
    INT64 tell() override { return m_file->Tell() - m_start; }
    INT64 size() override { return m_file->Size() - m_start; }
    int get_char() override { return m_file->GetC(); }
    char *gets(char *buffer, int n) override { return m_file->GetS(buffer, n); }
    int eof() override { return m_file->Eof() ? 1 : 0; }
    void *make_jas_stream() override { return nullptr; }

    // The decoder reads single numbers of text headers: an integer or a float after white space.
    int scanf_one(const char *format, void *output) override
    {
        char text[64];
        int n = 0;
        int c = m_file->GetC();
        while (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            c = m_file->GetC();
        while (c >= 0 && n < int(sizeof text) - 1 && c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != 0) {
            text[n++] = char(c);
            c = m_file->GetC();
        }
        text[n] = '\0';
        if (n == 0)
            return -1;
        char *end = nullptr;
        if (std::strcmp(format, "%d") == 0) {
            *static_cast<int *>(output) = int(std::strtol(text, &end, 10));
        } else if (std::strcmp(format, "%f") == 0) {
            *static_cast<float *>(output) = std::strtof(text, &end);
        } else {
            return 0;
        }
        return end != text ? 1 : 0;
    }

private:
    CxFile *m_file;
    int64_t m_start;
};

// The decoder's own complaints go into the image's error text, never to the console.
void QuietData(void *, const char *, const int) {}
void QuietMemory(void *, const char *, const char *) {}

// Decoding budget: the raw samples and the working image (four 16-bit values a pixel) of a file are
// bounded before anything is unpacked.
constexpr uint64_t kMaxRawSamples = uint64_t(1) << 28;

struct ProcessedImage
{
    void operator()(libraw_processed_image_t *image) const { LibRaw::dcraw_clear_mem(image); }
};

} // namespace

bool CxImageRAW::Decode(CxFile *file)
{
    if (!file)
        return false;
    std::unique_ptr<LibRaw> raw(new (std::nothrow) LibRaw(LIBRAW_OPTIONS_NONE));
    if (!raw) {
        SetErrorText("CxImageRAW: unknown option");
        return false;
    }
    raw->set_dataerror_handler(QuietData, nullptr);
    raw->set_memerror_handler(QuietMemory, nullptr);
    raw->imgdata.params.user_qual = int(GetCodecOption(ImageFormatRaw) & 3);

    CxFileDatastream stream(file);
    int result = raw->open_datastream(&stream);
    if (result != LIBRAW_SUCCESS) {
        // A file the decoder recognised but cannot develop names its camera.
        if (result == LIBRAW_FILE_UNSUPPORTED)
            SetErrorText(raw->imgdata.idata.make[0] ? "CxImageRAW: missing raw decoder" : "CxImageRAW: not a raw image");
        else
            SetErrorText(libraw_strerror(result));
        return false;
    }
    const libraw_image_sizes_t &sizes = raw->imgdata.sizes;
    const bool transposed = (sizes.flip & 4) != 0;
    const uint32_t width = transposed ? sizes.height : sizes.width;
    const uint32_t height = transposed ? sizes.width : sizes.height;
    if (width == 0 || height == 0 || uint64_t(sizes.raw_width) * sizes.raw_height > kMaxRawSamples ||
        uint64_t(sizes.iwidth) * sizes.iheight > kMaxRawSamples / 2) {
        SetErrorText("CxImageRAW: not a raw image");
        return false;
    }
    if (GetEscape() == -1) {
        m_header.biWidth = int32_t(width);
        m_header.biHeight = int32_t(height);
        m_info.formatId = ImageFormatRaw;
        SetErrorText("output dimensions returned");
        return true;
    }

    result = raw->unpack();
    if (result == LIBRAW_SUCCESS)
        result = raw->dcraw_process();
    std::unique_ptr<libraw_processed_image_t, ProcessedImage> developed;
    if (result == LIBRAW_SUCCESS)
        developed.reset(raw->dcraw_make_mem_image(&result));
    if (result != LIBRAW_SUCCESS || !developed) {
        SetErrorText(libraw_strerror(result));
        return false;
    }
    const libraw_processed_image_t &out = *developed;
    if (out.type != LIBRAW_IMAGE_BITMAP || out.bits != 8 || (out.colors != 3 && out.colors != 1) ||
        uint64_t(out.width) * out.height * out.colors > out.data_size) {
        SetErrorText("CxImageRAW: not a raw image");
        return false;
    }
    if (!Create(out.width, out.height, 24, ImageFormatRaw))
        return false;
    for (uint32_t y = 0; y < out.height; ++y) {
        const uint8_t *source = out.data + size_t(y) * out.width * out.colors;
        uint8_t *row = GetRowPointer(out.height - 1 - y);
        for (uint32_t x = 0; x < out.width; ++x, source += out.colors, row += 3) {
            row[0] = source[out.colors == 3 ? 2 : 0];
            row[1] = source[out.colors == 3 ? 1 : 0];
            row[2] = source[0];
        }
    }
    return true;
}

bool CxImageRAW::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    SetErrorText("Save RAW not supported");
    return false;
}
