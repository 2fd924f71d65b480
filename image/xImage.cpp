#include "image/xImage.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <mutex>
#include <utility>

#include <sys/mman.h>

namespace {

// Pixel blocks from this size up are worth the calls below.
constexpr size_t kLargeBlock = size_t(4) << 20;
constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
constexpr uintptr_t kPage = 4096;

// A camera picture is 36 MB of rows. Touched page by page, fresh memory costs one fault per 4 KiB, and
// those faults took twice as long as decoding the JPEG itself. Large blocks are therefore asked for in
// huge pages where the system offers them. A hint only: a system without them (or a sanitizer's
// allocator) gives the same pixels, more slowly.
void AdviseHugePages(void *block, size_t size)
{
#ifdef MADV_HUGEPAGE
    if (size < kLargeBlock)
        return;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(block) + size) & ~(kHugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)block;
    (void)size;
#endif
}

// The pixel block of the last large picture freed, kept for the next picture of the same size. Even in
// huge pages, fresh memory costs the system work on the first write to each page (under a hypervisor
// that shadows page tables, a trap per page): for a camera picture that was a fifth of the time of
// decoding it. Pictures of one size come in runs (the photographs of one camera prepared one after the
// other), so one block is enough, and a block is kept only up to the size of a 20-megapixel picture so
// that what lies idle stays small.
class CSpareBlock
{
public:
    static constexpr size_t kLargest = size_t(64) << 20;

    // A cleared block of exactly `size` bytes, or null when none is kept.
    void *Take(size_t size)
    {
        void *block = nullptr;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_block || m_size != size)
                return nullptr;
            block = std::exchange(m_block, nullptr);
        }
        std::memset(block, 0, size);
        return block;
    }

    // Keeps a large block in place of the one kept before; frees what it does not keep.
    void Give(void *block, size_t size)
    {
        if (size < kLargeBlock || size > kLargest) {
            std::free(block);
            return;
        }
        void *previous = nullptr;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            previous = std::exchange(m_block, block);
            m_size = size;
        }
        std::free(previous);
    }

private:
    std::mutex m_mutex;
    void *m_block = nullptr;
    size_t m_size = 0;
};

CSpareBlock &SpareBlock()
{
    // Never destroyed: pictures held in static objects may still be freed after it would have been.
    static CSpareBlock *const spare = new CSpareBlock;
    return *spare;
}

} // namespace

CxImage::CxImage(uint32_t formatId)
{
    ResetMembers(formatId);
}

CxImage::CxImage(uint32_t width, uint32_t height, uint32_t bpp, uint32_t formatId)
{
    ResetMembers(formatId);
    Create(width, height, bpp, formatId);
}

CxImage::CxImage(const CxImage &source, bool copyPixels, bool copySelection, bool copyAlpha)
{
    ResetMembers(source.GetFormatId());
    CopyFrom(source, copyPixels, copySelection, copyAlpha);
}

CxImage &CxImage::operator=(const CxImage &source)
{
    if (this != &source)
        CopyFrom(source);
    return *this;
}

CxImage::~CxImage()
{
    DestroyFrames();
    Destroy();
}

void CxImage::ResetMembers(uint32_t formatId)
{
    m_dib = nullptr;
    m_dibSize = 0;
    m_selection = nullptr;
    m_alpha = nullptr;
    m_layers = nullptr;
    m_frames = nullptr;
    m_header = BITMAPINFOHEADER{};
    m_info = CxImageInfo{};
    m_info.formatId = formatId;
    m_info.jpegQuality = 90.0f;
    m_info.alphaMax = 255;
    m_info.transIndex = -1;
    m_info.enabled = true;
    SetHorizontalDpi(96);
    SetVerticalDpi(96);
    m_info.littleEndianHost = std::endian::native == std::endian::little;
}

void CxImage::SetErrorText(const char *text)
{
    if (!text)
        text = "";
    std::strncpy(m_info.lastError, text, sizeof(m_info.lastError) - 1);
    m_info.lastError[sizeof(m_info.lastError) - 1] = '\0';
}

void *CxImage::Create(uint32_t width, uint32_t height, uint32_t bpp, uint32_t formatId)
{
    if (!Destroy())
        return nullptr;
    if (width == 0 || height == 0) {
        SetErrorText("CxImage::Create : width and height must be greater than zero");
        return nullptr;
    }
    if (bpp <= 1)
        bpp = 1;
    else if (bpp <= 4)
        bpp = 4;
    else if (bpp <= 8)
        bpp = 8;
    else
        bpp = 24;

    // Sizes in 64 bits: a 32-bit product can wrap to a small block that a decoder then overruns. The
    // padded rows are what is allocated, so they are what the limit applies to.
    const uint64_t stride = ((uint64_t(width) * bpp + 31) / 32) * 4;
    const uint64_t imageSize = stride * height;
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu || imageSize > kMaxMemory) {
        SetErrorText("CXIMAGE_MAX_MEMORY exceeded");
        return nullptr;
    }

    const uint32_t entries = bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_header.biWidth = int32_t(width);
    m_header.biHeight = int32_t(height);
    m_header.biPlanes = 1;
    m_header.biBitCount = uint16_t(bpp);
    m_header.biCompression = 0;
    m_header.biSizeImage = uint32_t(imageSize);
    m_header.biClrUsed = entries;

    // Palette and rows start zeroed: a decoder that stops early must not leave heap contents in the picture.
    const size_t blockSize = sizeof(BITMAPINFOHEADER) + imageSize + 4 * entries;
    m_dib = static_cast<uint8_t *>(SpareBlock().Take(blockSize));
    if (!m_dib) {
        m_dib = static_cast<uint8_t *>(std::calloc(1, blockSize));
        if (!m_dib) {
            m_header = BITMAPINFOHEADER{};
            SetErrorText("CxImage::Create can't allocate memory");
            return nullptr;
        }
        AdviseHugePages(m_dib, blockSize);
    }
    m_dibSize = blockSize;
    m_info.rowStride = uint32_t(stride);
    m_info.formatId = formatId;
    std::memcpy(m_dib, &m_header, sizeof(BITMAPINFOHEADER));
    m_info.pixels = m_dib + m_header.biSize + 4 * entries;
    m_info.lastColorValid = false;
    return m_dib;
}

void CxImage::PrefaultPixels()
{
#ifdef MADV_POPULATE_WRITE
    const size_t size = size_t(m_info.rowStride) * size_t(uint32_t(GetHeight()));
    if (!m_dib || m_info.aliasOwner || size < kLargeBlock)
        return;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(m_info.pixels) + kPage - 1) & ~(kPage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(m_info.pixels) + size) & ~(kPage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
}

bool CxImage::Destroy()
{
    if (m_info.aliasOwner)
        return false;
    if (m_layers) {
        for (int32_t i = 0; i < m_info.layerCount; ++i)
            delete m_layers[i];
        delete[] m_layers;
        m_layers = nullptr;
    }
    m_info.layerCount = 0;
    std::free(m_selection);
    m_selection = nullptr;
    std::free(m_alpha);
    m_alpha = nullptr;
    if (m_dib)
        SpareBlock().Give(m_dib, m_dibSize);
    m_dib = nullptr;
    m_dibSize = 0;
    m_info.pixels = nullptr;
    return true;
}

bool CxImage::DestroyFrames()
{
    if (m_info.aliasOwner)
        return false;
    if (m_frames) {
        for (int32_t i = 0; i < m_info.frameCount; ++i)
            delete m_frames[i];
        delete[] m_frames;
        m_frames = nullptr;
    }
    m_info.frameCount = 0;
    return true;
}

uint8_t *CxImage::PlaneCopy(const uint8_t *plane) const
{
    if (!plane)
        return nullptr;
    uint8_t *copy = static_cast<uint8_t *>(std::malloc(PlaneSize()));
    if (copy)
        std::memcpy(copy, plane, PlaneSize());
    return copy;
}

void CxImage::CopyFrom(const CxImage &source, bool copyPixels, bool copySelection, bool copyAlpha)
{
    if (&source == this)
        return;
    // A copy owns what it holds. A copy that borrowed the source's buffers, as an alias does, would
    // outlive them as soon as the image that owns them goes; the encoders that want to borrow call
    // MakeAlias themselves. Copying into an alias ends its borrowing: the owner keeps its buffers.
    if (m_info.aliasOwner)
        ResetMembers(GetFormatId()); // lets go of the borrowed buffers, freeing nothing
    // Frames and layers are not copied; a copy holds only the picture itself.
    DestroyFrames();
    Destroy();
    m_info = source.m_info;
    m_info.aliasOwner = nullptr;
    m_info.parent = nullptr;
    m_info.pixels = nullptr;
    m_info.frameCount = 0;
    m_info.layerCount = 0;
    m_header = source.m_header;
    if (!source.m_dib)
        return;
    if (!Create(uint32_t(source.GetWidth()), uint32_t(source.GetHeight()), source.GetBpp(), source.GetFormatId()))
        return;
    if (copyPixels) {
        std::memcpy(m_dib, source.m_dib, GetDibSize());
        std::memcpy(&m_header, m_dib, sizeof(BITMAPINFOHEADER));
    } else {
        SetPalette(source.GetPalette(), source.GetNumColors());
    }
    if (copySelection && source.m_selection)
        m_selection = PlaneCopy(source.m_selection);
    if (copyAlpha && source.m_alpha)
        m_alpha = PlaneCopy(source.m_alpha);
}

bool CxImage::TakeOver(CxImage &source, bool moveFrames)
{
    if (&source == this)
        return true;
    if (!Destroy())
        return false;
    const int32_t keptFrames = m_info.frameCount;
    m_header = source.m_header;
    m_info = source.m_info;
    m_info.aliasOwner = nullptr;
    m_dib = source.m_dib;
    m_dibSize = source.m_dibSize;
    m_selection = source.m_selection;
    m_alpha = source.m_alpha;
    m_layers = source.m_layers;
    source.m_dib = nullptr;
    source.m_dibSize = 0;
    source.m_selection = nullptr;
    source.m_alpha = nullptr;
    source.m_layers = nullptr;
    CxImage **sourceFrames = source.m_frames;
    const int32_t sourceFrameCount = source.m_info.frameCount;
    source.m_header = BITMAPINFOHEADER{};
    source.m_info = CxImageInfo{};
    source.m_info.transIndex = -1;
    if (moveFrames) {
        m_info.frameCount = keptFrames;
        DestroyFrames();
        m_frames = sourceFrames;
        m_info.frameCount = sourceFrameCount;
        source.m_frames = nullptr;
    } else {
        // The source keeps its frame images; this image keeps its own.
        source.m_info.frameCount = sourceFrameCount;
        m_info.frameCount = keptFrames;
    }
    return true;
}

void CxImage::MakeAlias(CxImage *source)
{
    if (!source || source == this)
        return;
    if (!m_info.aliasOwner) {
        DestroyFrames();
        Destroy();
    }
    m_header = source->m_header;
    m_info = source->m_info;
    m_dib = source->m_dib;
    m_dibSize = source->m_dibSize;
    m_selection = source->m_selection;
    m_alpha = source->m_alpha;
    m_layers = source->m_layers;
    m_frames = source->m_frames;
    m_info.aliasOwner = source;
}

void CxImage::CopyAttributes(const CxImage &source)
{
    if (m_dib)
        return;
    // The attributes only: this image borrows nothing and owns no frames or layers through the copy.
    const bool ownsPlanes = m_info.aliasOwner == nullptr;
    if (!ownsPlanes)
        return;
    const int32_t frameCount = m_info.frameCount;
    const int32_t layerCount = m_info.layerCount;
    m_info = source.m_info;
    m_info.aliasOwner = nullptr;
    m_info.parent = nullptr;
    m_info.pixels = nullptr;
    m_info.rowStride = 0;
    m_info.frameCount = frameCount;
    m_info.layerCount = layerCount;
}

bool CxImage::HasTransparency() const
{
    return m_alpha || IsTransparent() || (m_info.alphaPaletteEnabled && IsIndexed());
}

uint8_t CxImage::BlindGetShownAlpha(int32_t x, int32_t y) const
{
    const unsigned alpha = m_alpha ? BlindAlphaGet(x, y) : 255;
    if (IsIndexed())
        return uint8_t(alpha * GetShownPaletteAlpha(BlindGetPixelIndex(x, y)) / 255);
    if (m_info.transIndex >= 0) {
        const uint8_t *p = m_info.pixels + size_t(y) * m_info.rowStride + size_t(x) * 3;
        const RGBQUAD &t = m_info.transColor;
        if (p[0] == t.rgbBlue && p[1] == t.rgbGreen && p[2] == t.rgbRed)
            return 0;
    }
    return uint8_t(alpha);
}

uint8_t CxImage::GetShownPaletteAlpha(uint8_t index) const
{
    if (!IsIndexed() || index >= GetNumColors())
        return 255;
    if (int32_t(index) == m_info.transIndex)
        return 0;
    return m_info.alphaPaletteEnabled ? GetPalette()[index].rgbReserved : 255;
}

uint8_t *CxImage::GetRowPointer(uint32_t row) const
{
    if (!m_dib || row >= uint32_t(GetHeight()))
        return nullptr;
    return m_info.pixels + size_t(row) * m_info.rowStride;
}

uint32_t CxImage::GetDibSize() const
{
    return m_header.biSize + m_header.biSizeImage + GetPaletteSize();
}

bool CxImage::ContainsPoint(int32_t x, int32_t y) const
{
    return x >= 0 && y >= 0 && x < GetWidth() && y < GetHeight();
}

bool CxImage::SetFormatId(uint32_t id)
{
    if (id >= ImageFormatBmp && id <= ImageFormatRaw && id != ImageFormatUnsupported) {
        m_info.formatId = id;
        return true;
    }
    m_info.formatId = ImageFormatNone;
    return false;
}

namespace {
int32_t PixelsPerMetre(int32_t dpi)
{
    return int32_t(std::floor(double(dpi) * 10000.0 / 254.0 + 0.5));
}
} // namespace

void CxImage::SetHorizontalDpi(int32_t dpi)
{
    if (dpi <= 0)
        dpi = 96;
    m_info.xDpi = dpi;
    m_header.biXPelsPerMeter = PixelsPerMetre(dpi);
    if (m_dib)
        reinterpret_cast<BITMAPINFOHEADER *>(m_dib)->biXPelsPerMeter = m_header.biXPelsPerMeter;
}

void CxImage::SetVerticalDpi(int32_t dpi)
{
    if (dpi <= 0)
        dpi = 96;
    m_info.yDpi = dpi;
    m_header.biYPelsPerMeter = PixelsPerMetre(dpi);
    if (m_dib)
        reinterpret_cast<BITMAPINFOHEADER *>(m_dib)->biYPelsPerMeter = m_header.biYPelsPerMeter;
}

uint8_t CxImage::GetJpegQuality() const
{
    return uint8_t(m_info.jpegQuality + 0.5f);
}

void CxImage::SetJpegQuality(float quality)
{
    m_info.jpegQuality = quality < 0.0f ? 0.0f : quality > 100.0f ? 100.0f : quality;
}

uint32_t CxImage::FormatSlotFromId(uint32_t id)
{
    if (id <= ImageFormatRas)
        return id;
    if (id >= ImageFormatMng && id <= ImageFormatRaw)
        return id - 1;
    return 0;
}

uint32_t CxImage::GetCodecOption(uint32_t formatId) const
{
    uint32_t slot = FormatSlotFromId(formatId);
    if (slot == 0)
        slot = FormatSlotFromId(GetFormatId());
    return m_info.codecOptions[slot];
}

bool CxImage::SetCodecOption(uint32_t option, uint32_t formatId)
{
    uint32_t slot = FormatSlotFromId(formatId);
    if (slot == 0)
        slot = FormatSlotFromId(GetFormatId());
    m_info.codecOptions[slot] = option;
    return true;
}

CxImage *CxImage::GetFrame(int32_t index) const
{
    if (!m_frames || index < 0 || index >= m_info.frameCount)
        return nullptr;
    return m_frames[index];
}

uint16_t CxImage::SwapWordToHost(uint16_t value) const
{
    return m_info.littleEndianHost ? value : uint16_t((value >> 8) | (value << 8));
}

uint32_t CxImage::SwapDwordToHost(uint32_t value) const
{
    return m_info.littleEndianHost ? value : __builtin_bswap32(value);
}

void CxImage::SwapHeaderToHost(BITMAPINFOHEADER &h) const
{
    h.biSize = SwapDwordToHost(h.biSize);
    h.biWidth = int32_t(SwapDwordToHost(uint32_t(h.biWidth)));
    h.biHeight = int32_t(SwapDwordToHost(uint32_t(h.biHeight)));
    h.biPlanes = SwapWordToHost(h.biPlanes);
    h.biBitCount = SwapWordToHost(h.biBitCount);
    h.biCompression = SwapDwordToHost(h.biCompression);
    h.biSizeImage = SwapDwordToHost(h.biSizeImage);
    h.biXPelsPerMeter = int32_t(SwapDwordToHost(uint32_t(h.biXPelsPerMeter)));
    h.biYPelsPerMeter = int32_t(SwapDwordToHost(uint32_t(h.biYPelsPerMeter)));
    h.biClrUsed = SwapDwordToHost(h.biClrUsed);
    h.biClrImportant = SwapDwordToHost(h.biClrImportant);
}
