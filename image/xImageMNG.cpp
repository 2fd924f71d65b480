#include "image/xImageMNG.h"

#include "image/xFile.h"

// The shared library is built with reading, writing, display and chunk access; its header offers them
// all only to programs that say they use it.
#include <cstdio> // the library's JPEG header needs FILE
#define MNG_USE_SO
#include <libmng.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// The library allocates its own buffers for every object a file defines: each allocation and their
// sum are bounded, so a file that declares a vast object fails instead of exhausting memory. Some of
// its error paths do not give back their row buffers, so every block it still holds when its handle is
// gone is freed here.
constexpr size_t kMaxLibraryMemory = size_t(1) << 30;
// An animation can loop without end; counting stops here.
constexpr int32_t kMaxFrames = 10000;

class LibraryMemory
{
public:
    LibraryMemory() : m_outer(t_current) { t_current = this; }
    ~LibraryMemory()
    {
        for (const auto &block : m_live)
            std::free(block.first);
        t_current = m_outer;
    }
    LibraryMemory(const LibraryMemory &) = delete;
    LibraryMemory &operator=(const LibraryMemory &) = delete;

    static mng_ptr MNG_DECL Allocate(mng_size_t length)
    {
        LibraryMemory *self = t_current;
        if (!self || length > kMaxLibraryMemory - self->m_used)
            return nullptr;
        void *p = std::calloc(1, length);
        if (!p)
            return nullptr;
        try {
            self->m_live.emplace(p, length);
        } catch (const std::bad_alloc &) {
            std::free(p);
            return nullptr;
        }
        self->m_used += length;
        return p;
    }

    static void MNG_DECL Free(mng_ptr p, mng_size_t)
    {
        LibraryMemory *self = t_current;
        if (!p || !self)
            return;
        const auto block = self->m_live.find(p);
        if (block == self->m_live.end())
            return;
        self->m_used -= block->second;
        self->m_live.erase(block);
        std::free(p);
    }

private:
    static thread_local LibraryMemory *t_current;
    LibraryMemory *m_outer;
    size_t m_used = 0;
    std::unordered_map<void *, size_t> m_live;
};

thread_local LibraryMemory *LibraryMemory::t_current = nullptr;

// What the callbacks share with the decoder and the encoder.
struct MngStream
{
    CxFile *file = nullptr;
    std::vector<uint8_t> image; // 24-bit rows, bottom row first, padded to 4 bytes
    std::vector<uint8_t> alpha; // width x height, bottom row first
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t rowStride = 0;
    uint32_t lastDelay = 0;
    bool refreshed = false;   // the library showed something during the last display step
    bool failed = false;      // the library reported an error
    std::string error;        // its text, when it had one
};

// The longest side of a canvas, as for PNG pictures.
constexpr uint32_t kMaxSide = 32768;

MngStream &StreamOf(mng_handle handle)
{
    return *static_cast<MngStream *>(mng_get_userdata(handle));
}

mng_bool MNG_DECL OpenStream(mng_handle)
{
    return MNG_TRUE;
}

mng_bool MNG_DECL ReadData(mng_handle handle, mng_ptr buffer, mng_uint32 length, mng_uint32p read)
{
    *read = mng_uint32(StreamOf(handle).file->Read(buffer, 1, length));
    return MNG_TRUE;
}

mng_bool MNG_DECL WriteData(mng_handle handle, mng_ptr buffer, mng_uint32 length, mng_uint32p written)
{
    *written = mng_uint32(StreamOf(handle).file->Write(buffer, 1, length));
    return *written == length ? MNG_TRUE : MNG_FALSE;
}

// Only recorded here: the handle is still in use by the library and is cleaned up once it returns.
mng_bool MNG_DECL RecordError(mng_handle handle, mng_int32, mng_int8, mng_chunkid, mng_uint32, mng_int32, mng_int32,
                              mng_pchar text)
{
    MngStream &stream = StreamOf(handle);
    stream.failed = true;
    if (text && stream.error.empty())
        stream.error = text;
    return MNG_TRUE;
}

mng_bool MNG_DECL ProcessHeader(mng_handle handle, mng_uint32 width, mng_uint32 height)
{
    MngStream &stream = StreamOf(handle);
    const uint64_t rowStride = ((uint64_t(width) * 24 + 31) / 32) * 4;
    // One canvas per stream: frames already kept were measured against the first header. The library
    // paints the whole canvas pixel by pixel before it reads a frame, so a canvas of a few bytes' header
    // and millions of pixels on one side would keep the author waiting for nothing: sides are held to
    // what the PNG reader takes.
    if (width > kMaxSide || height > kMaxSide) {
        stream.error = "MNG canvas too large";
        return MNG_FALSE;
    }
    if (stream.width != 0 || width == 0 || height == 0 || rowStride * height > CxImage::kMaxMemory)
        return MNG_FALSE;
    stream.width = width;
    stream.height = height;
    stream.rowStride = uint32_t(rowStride);
    try {
        stream.image.assign(size_t(rowStride) * height, 0);
        stream.alpha.assign(size_t(width) * height, 0);
    } catch (const std::bad_alloc &) {
        return MNG_FALSE;
    }
    mng_set_canvasstyle(handle, MNG_CANVAS_RGB8_A8);
    return MNG_TRUE;
}

mng_ptr MNG_DECL CanvasLine(mng_handle handle, mng_uint32 line)
{
    MngStream &stream = StreamOf(handle);
    if (line >= stream.height)
        return nullptr;
    return stream.image.data() + size_t(stream.height - 1 - line) * stream.rowStride;
}

mng_ptr MNG_DECL AlphaLine(mng_handle handle, mng_uint32 line)
{
    MngStream &stream = StreamOf(handle);
    if (line >= stream.height)
        return nullptr;
    return stream.alpha.data() + size_t(stream.height - 1 - line) * stream.width;
}

mng_bool MNG_DECL Refresh(mng_handle handle, mng_uint32, mng_uint32, mng_uint32, mng_uint32)
{
    StreamOf(handle).refreshed = true;
    return MNG_TRUE;
}

mng_uint32 MNG_DECL TickCount(mng_handle)
{
    using namespace std::chrono;
    return mng_uint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

mng_bool MNG_DECL SetTimer(mng_handle handle, mng_uint32 delay)
{
    StreamOf(handle).lastDelay = delay;
    return MNG_TRUE;
}

struct HandleCloser
{
    void operator()(mng_handle handle) const
    {
        mng_cleanup(&handle);
    }
};
using Handle = std::unique_ptr<std::remove_pointer_t<mng_handle>, HandleCloser>;

Handle Initialise(MngStream &stream)
{
    Handle handle(mng_initialize(&stream, LibraryMemory::Allocate, LibraryMemory::Free, MNG_NULL));
    if (!handle)
        return handle;
    mng_setcb_errorproc(handle.get(), RecordError);
    mng_setcb_openstream(handle.get(), OpenStream);
    mng_setcb_closestream(handle.get(), OpenStream);
    return handle;
}

} // namespace

bool CxImageMNG::Decode(CxFile *file)
{
    if (!file)
        return false;
    LibraryMemory memory; // outlives the handle
    MngStream stream;
    stream.file = file;
    bool ok = false;
    int32_t frames = 0;
    std::vector<uint8_t> picture; // the requested frame
    std::vector<uint8_t> alpha;
    {
        Handle handle = Initialise(stream);
        if (!handle) {
            SetErrorText("could not initialize libmng");
            return false;
        }
        mng_handle h = handle.get();
        mng_set_srgb(h, MNG_TRUE);
        mng_set_bgcolor(h, 0xFFFF, 0xFFFF, 0xFFFF);
        mng_set_usebkgd(h, MNG_TRUE);
        mng_set_storechunks(h, MNG_FALSE);
        mng_set_suspensionmode(h, MNG_FALSE);
        mng_setcb_readdata(h, ReadData);
        mng_setcb_processheader(h, ProcessHeader);
        mng_setcb_getcanvasline(h, CanvasLine);
        mng_setcb_getalphaline(h, AlphaLine);
        mng_setcb_refresh(h, Refresh);
        mng_setcb_gettickcount(h, TickCount);
        mng_setcb_settimer(h, SetTimer);

        stream.refreshed = false;
        mng_retcode result = mng_readdisplay(h);
        if ((result != MNG_NOERROR && result != MNG_NEEDTIMERWAIT) || stream.failed || stream.image.empty()) {
            SetErrorText(stream.error.empty() ? "Error in MNG file" : stream.error.c_str());
            return false;
        }
        if (GetEscape() == -1) {
            m_header.biWidth = int32_t(mng_get_imagewidth(h));
            m_header.biHeight = int32_t(mng_get_imageheight(h));
            m_info.formatId = ImageFormatMng;
            return true;
        }
        // Every display step that shows something is one frame; the requested one is kept as it is
        // shown, and the steps go on to the end of the file to count the rest.
        const int32_t wanted = GetFrame();
        for (;;) {
            if (stream.refreshed) {
                if (frames == wanted) {
                    picture = stream.image;
                    alpha = stream.alpha;
                }
                ++frames;
            }
            if (!mng_status_reading(h) || stream.failed || frames >= kMaxFrames)
                break;
            stream.refreshed = false;
            mng_display_resume(h);
        }
        frames = std::max(frames, 1);
        if (wanted == 0 && picture.empty()) {
            picture = stream.image;
            alpha = stream.alpha;
        }
        m_info.frameCount = frames;
        if (wanted < 0 || wanted >= frames || picture.empty()) {
            SetErrorText("Error: frame not present in MNG file");
            return false;
        }
        ok = !stream.failed;
    }
    if (!ok) {
        SetErrorText(stream.error.empty() ? "Error in MNG file" : stream.error.c_str());
        return false;
    }

    if (!Create(stream.width, stream.height, 24, ImageFormatMng)) {
        SetErrorText("CxImageMNG::Decode cannot create image");
        return false;
    }
    m_info.frameCount = frames;
    std::memcpy(GetRowPointer(0), picture.data(), std::min<size_t>(picture.size(), m_header.biSizeImage));
    SwapRedBlue();
    // The library's alpha says what the frames cover: a surround they leave uncovered is transparent, and a
    // mandatory background (BACK) is painted opaque by the library itself.
    if (AlphaCreate())
        std::memcpy(AlphaGetPointer(0, 0), alpha.data(), std::min(alpha.size(), size_t(stream.width) * stream.height));
    return true;
}

bool CxImageMNG::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    if (GetPalette()) {
        SetErrorText("MNG encoder can save only RGB images");
        return false;
    }
    const uint32_t width = uint32_t(GetWidth());
    const uint32_t height = uint32_t(GetHeight());
    // Rows from the top, each a filter byte 0 and red, green, blue.
    std::vector<uint8_t> raw;
    try {
        raw.resize((size_t(width) * 3 + 1) * height);
    } catch (const std::bad_alloc &) {
        SetErrorText("could not allocate memory for MNG");
        return false;
    }
    uint8_t *out = raw.data();
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t *row = GetRowPointer(height - 1 - y);
        *out++ = 0;
        for (uint32_t x = 0; x < width; ++x, row += 3) {
            *out++ = row[2];
            *out++ = row[1];
            *out++ = row[0];
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK) {
        SetErrorText("could not allocate memory for MNG");
        return false;
    }

    LibraryMemory memory; // outlives the handle
    MngStream stream;
    stream.file = file;
    Handle handle = Initialise(stream);
    if (!handle) {
        SetErrorText("could not initialize libmng");
        return false;
    }
    mng_handle h = handle.get();
    mng_setcb_writedata(h, WriteData);
    const bool written = mng_create(h) == MNG_NOERROR &&
                         mng_putchunk_mhdr(h, width, height, 1000, 0, 0, 0, 1) == MNG_NOERROR &&
                         mng_putchunk_defi(h, 0, 0, 0, MNG_TRUE, 0, 0, MNG_FALSE, 0, 0, 0, 0) == MNG_NOERROR &&
                         mng_putchunk_ihdr(h, width, height, 8, 2, 0, 0, 0) == MNG_NOERROR &&
                         mng_putchunk_idat(h, mng_uint32(packedSize), packed.data()) == MNG_NOERROR &&
                         mng_putchunk_iend(h) == MNG_NOERROR && mng_putchunk_mend(h) == MNG_NOERROR &&
                         mng_write(h) == MNG_NOERROR && !stream.failed;
    if (!written) {
        SetErrorText(stream.error.empty() ? "could not initialize libmng" : stream.error.c_str());
        return false;
    }
    return true;
}
