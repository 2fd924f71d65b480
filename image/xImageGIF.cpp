#include "image/xImageGIF.h"

#include "image/GifInput.h"
#include "image/GifOutput.h"
#include "image/LittleEndian.h"
#include "image/xFile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr int kExtensionIntroducer = 0x21; // '!'
constexpr int kImageSeparator = 0x2C;      // ','
constexpr int kTrailer = 0x3B;             // ';'
constexpr int kGraphicControlLabel = 0xF9;
constexpr int kCommentLabel = 0xFE;
constexpr int kApplicationLabel = 0xFF;

struct GifScreen
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t background = 0;
};

struct GifFrameHeader
{
    uint32_t left, top, width, height;
    uint8_t packed;

    bool Interlaced() const { return packed & 0x40; }
    bool HasTable() const { return packed & 0x80; }
    uint32_t TableSize() const { return 2u << (packed & 7); }
    // Whether any of the frame lies on the screen; a frame that overhangs it is clipped to it.
    bool OnScreen(const GifScreen &screen) const
    {
        return width > 0 && height > 0 && left < screen.width && top < screen.height;
    }
    // The part on the screen (of a frame that is on it).
    GifFrameHeader Clipped(const GifScreen &screen) const
    {
        GifFrameHeader part = *this;
        part.width = std::min(width, screen.width - left);
        part.height = std::min(height, screen.height - top);
        return part;
    }
};

// The graphic-control record in force: it applies until the next one is read.
struct GifControl
{
    uint8_t flags = 0;
    uint16_t delay = 0;
    uint8_t transIndex = 0;

    bool Transparent() const { return flags & 1; }
    uint8_t Disposal() const { return uint8_t((flags >> 2) & 7); }
    int32_t TransIndex() const { return Transparent() ? transIndex : -1; }
};

struct GifPalette
{
    RgbColor entries[256] = {};
    uint32_t count = 0;
};

uint32_t DepthForColours(uint32_t colours)
{
    return colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
}

// Fills a row of a 1-, 4- or 8-bit image from one index per pixel.
void PackRow(uint8_t *row, const uint8_t *line, uint32_t length, uint32_t bpp)
{
    switch (bpp) {
    case 8:
        std::memcpy(row, line, length);
        break;
    case 4:
        for (uint32_t x = 0; x < length; ++x) {
            uint8_t &b = row[x >> 1];
            b = (x & 1) ? uint8_t((b & 0xF0) | (line[x] & 0x0F)) : uint8_t((b & 0x0F) | ((line[x] & 0x0F) << 4));
        }
        break;
    default:
        for (uint32_t x = 0; x < length; ++x) {
            const uint8_t mask = uint8_t(0x80 >> (x & 7));
            row[x >> 3] = (line[x] & 1) ? uint8_t(row[x >> 3] | mask) : uint8_t(row[x >> 3] & ~mask);
        }
        break;
    }
}

// Places expanded lines into a frame, top row first, following the four interlace passes when asked.
class RowPlacer
{
public:
    RowPlacer(CxImage &frame, bool interlaced)
        : m_frame(frame), m_height(uint32_t(frame.GetHeight())), m_interlaced(interlaced), m_step(interlaced ? 8 : 1)
    {
    }

    bool Store(const uint8_t *line, uint32_t length)
    {
        if (m_frame.GetEscape() > 0 || m_row >= m_height)
            return false;
        PackRow(m_frame.GetRowPointer(m_height - 1 - m_row), line, std::min<uint32_t>(length, uint32_t(m_frame.GetWidth())),
                m_frame.GetBpp());
        ++m_stored;
        m_row += m_step;
        // Passes: every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
        while (m_interlaced && m_row >= m_height && m_pass < 4) {
            ++m_pass;
            m_step = m_pass == 2 ? 8 : m_pass == 3 ? 4 : 2;
            m_row = m_step / 2;
        }
        return true;
    }
    uint32_t Stored() const { return m_stored; }

private:
    CxImage &m_frame;
    uint32_t m_height;
    uint32_t m_stored = 0;
    bool m_interlaced;
    uint32_t m_row = 0;
    uint32_t m_step;
    int m_pass = 1;
};

} // namespace

// One decode: the file's screen, its tables and the frames composed so far.
class GifDecoder
{
public:
    GifDecoder(CxImageGIF &gif, CxFile *file) : m_gif(gif), m_input(file) {}
    bool Run();

private:
    enum class Step { Next, Done, Failed, Cancelled };

    bool ReadTable(uint32_t count, GifPalette &palette);
    bool ReadExtension(GifControl &control, bool apply);
    bool ReadFrameHeader(GifFrameHeader &frame);
    void SkipFrameData(const GifFrameHeader &frame);
    int32_t CountFrames();
    Step DecodeFrame();
    bool ExpandFrame(CxImage &frame, const GifFrameHeader &header);
    static bool ClipFrame(CxImage &frame, const GifFrameHeader &part);
    bool ComposeTrueColour(const CxImage &frame, const GifFrameHeader &header);
    bool Compose(const CxImage &frame, const GifFrameHeader &header);
    bool KeepFrame();
    bool Finish();

    CxImageGIF &m_gif;
    BufferedInput m_input;
    GifScreen m_screen;
    GifPalette m_global;
    bool m_hasGlobal = false;
    GifControl m_control;
    GifLzwExpander m_lzw;

    int32_t m_frameCount = 0;
    int32_t m_requested = 0;
    int32_t m_frameNo = 0; // frames met so far that lie on the screen
    int m_trueColourVotes = 0;
    bool m_trueColour = false;

    CxImage m_composed;   // the picture as shown after the latest frame
    CxImage m_previous;   // the picture from before a frame that is disposed of by restoring it
    uint8_t m_previousDisposal = 0;
    GifFrameHeader m_previousArea{};
    int32_t m_firstTransIndex = -1;
    bool m_composedAny = false;
    RGBQUAD m_lastTransColour{};
};

bool GifDecoder::ReadTable(uint32_t count, GifPalette &palette)
{
    uint8_t raw[256 * 3];
    if (!m_input.Read(raw, size_t(count) * 3))
        return false;
    for (uint32_t i = 0; i < count; ++i)
        palette.entries[i] = RgbColor{raw[i * 3], raw[i * 3 + 1], raw[i * 3 + 2]};
    palette.count = count;
    return true;
}

// The pre-pass reads extensions too (with apply off): a damaged extension must end both scans at the same
// place, or the frames counted would not be the frames found.
bool GifDecoder::ReadExtension(GifControl &control, bool apply)
{
    const int label = m_input.Get();
    if (label < 0)
        return false;
    uint8_t data[256];
    switch (label) {
    case kGraphicControlLabel: {
        if (m_input.Get() != 4 || !m_input.Read(data, 4))
            return false;
        if (apply) {
            control.flags = data[0];
            control.delay = Le16(data + 1);
            control.transIndex = data[3];
        }
        break;
    }
    case kCommentLabel: {
        const int size = m_input.Get();
        if (size < 0 || !m_input.Read(data, size_t(size)))
            return false;
        if (apply) {
            data[size] = 0;
            m_gif.SetComment(reinterpret_cast<const char *>(data));
        }
        break;
    }
    case kApplicationLabel: {
        if (m_input.Get() != 11 || !m_input.Read(data, 11))
            return false;
        const int size = m_input.Get();
        if (size < 0)
            return false;
        if (size == 0)
            return true; // that was the terminator
        if (!m_input.Read(data, size_t(size)))
            return false;
        if (apply && size > 2)
            m_gif.SetLoopCount(data[1] + 256 * data[2]);
        break;
    }
    default:
        break;
    }
    for (;;) {
        const int size = m_input.Get();
        if (size < 0)
            return false;
        if (size == 0)
            return true;
        m_input.Skip(size_t(size));
    }
}

bool GifDecoder::ReadFrameHeader(GifFrameHeader &frame)
{
    uint8_t raw[9];
    if (!m_input.Read(raw, 9))
        return false;
    frame = GifFrameHeader{Le16(raw), Le16(raw + 2), Le16(raw + 4), Le16(raw + 6), raw[8]};
    return true;
}

void GifDecoder::SkipFrameData(const GifFrameHeader &frame)
{
    if (frame.HasTable())
        m_input.Skip(size_t(frame.TableSize()) * 3);
    m_input.Get(); // minimum code size
    GifSubBlocks data(m_input);
    data.SkipRest();
}

// Counts the frames that lie on the screen, with the block scan of the decode itself, and returns to
// where it started. The image data is passed over by its sub-blocks.
int32_t GifDecoder::CountFrames()
{
    const int64_t start = m_input.Tell();
    GifControl scratch;
    int32_t count = 0;
    bool previousWasZero = true;
    for (;;) {
        const int c = m_input.Get();
        if (c < 0)
            break;
        if (!previousWasZero && c != 0)
            continue;
        if (c == kExtensionIntroducer) {
            if (!ReadExtension(scratch, false))
                break;
        } else if (c == kImageSeparator) {
            GifFrameHeader frame;
            if (!ReadFrameHeader(frame))
                break;
            if (m_screen.width == 0 && m_screen.height == 0) {
                m_screen.width = frame.width;
                m_screen.height = frame.height;
            }
            if (frame.OnScreen(m_screen))
                ++count;
            SkipFrameData(frame);
            previousWasZero = true;
        } else if (c == kTrailer) {
            break;
        } else {
            previousWasZero = c == 0;
        }
    }
    m_input.Seek(start);
    return count;
}

bool GifDecoder::Run()
{
    uint8_t head[13];
    if (!m_input.Read(head, sizeof head) || std::memcmp(head, "GIF8", 4) != 0)
        return false;
    m_screen.width = Le16(head + 6);
    m_screen.height = Le16(head + 8);
    m_screen.background = head[11];
    if (m_gif.GetEscape() == -1) {
        m_gif.m_header.biWidth = int32_t(m_screen.width);
        m_gif.m_header.biHeight = int32_t(m_screen.height);
        m_gif.m_info.formatId = ImageFormatGif;
        return true;
    }
    m_hasGlobal = head[10] & 0x80;
    if (m_hasGlobal && !ReadTable(2u << (head[10] & 7), m_global))
        return false;
    m_trueColourVotes = m_hasGlobal ? 0 : 1;

    m_frameCount = CountFrames();
    m_gif.m_info.frameCount = m_frameCount;
    m_requested = m_gif.GetFrameIndex();
    if (m_requested < 0 || m_requested >= m_frameCount)
        return false;
    if (m_frameCount == 1)
        m_trueColourVotes = 0;

    bool previousWasZero = true;
    bool done = false;
    while (!done) {
        if (m_gif.GetEscape() > 0)
            return false;
        const int c = m_input.Get();
        if (c < 0)
            break;
        if (!previousWasZero && c != 0)
            continue;
        switch (c) {
        case kExtensionIntroducer:
            done = !ReadExtension(m_control, true);
            break;
        case kImageSeparator:
            switch (DecodeFrame()) {
            case Step::Next: break;
            case Step::Done: done = true; break;
            case Step::Failed: done = true; break;
            case Step::Cancelled: return false;
            }
            previousWasZero = true;
            break;
        case kTrailer:
            done = true;
            break;
        default:
            previousWasZero = c == 0;
            break;
        }
    }
    m_input.Sync();
    // A file that ends or breaks before its first frame holds no picture, whatever came before.
    if (!m_composedAny)
        return false;
    return Finish();
}

GifDecoder::Step GifDecoder::DecodeFrame()
{
    GifFrameHeader whole;
    if (!ReadFrameHeader(whole))
        return Step::Failed;
    if (!whole.OnScreen(m_screen)) {
        SkipFrameData(whole);
        return Step::Next;
    }
    // The frame is read whole and what overhangs the screen is cut off.
    const GifFrameHeader header = whole.Clipped(m_screen);
    if (m_frameNo == 0) {
        // A file without a global table whose first frame does not cover the screen carries a
        // full-colour picture as frames with their own tables. Either side counts: a picture split into
        // tiles that span its whole width (or height) is still such a picture.
        if (header.width != m_screen.width || header.height != m_screen.height)
            ++m_trueColourVotes;
        m_trueColour = m_trueColourVotes == 2;
        if (m_trueColour)
            m_requested = m_frameCount - 1;
    }

    GifPalette local;
    if (header.HasTable() && !ReadTable(header.TableSize(), local))
        return Step::Failed;
    const GifPalette *table = header.HasTable() ? &local : m_hasGlobal ? &m_global : nullptr;

    // Without any table the indices are kept whole and shown as greys.
    const uint32_t bpp = table ? DepthForColours(table->count) : 8;
    CxImage frame;
    if (!frame.Create(whole.width, whole.height, bpp, ImageFormatGif))
        return Step::Failed;
    if (table) {
        GifPalette padded = *table;
        uint32_t entries = table->count;
        if (m_control.Transparent()) {
            for (uint32_t i = table->count; i < 256; ++i)
                padded.entries[i] = RgbColor{255, 255, 255};
            entries = 256;
        }
        frame.SetPalette(padded.entries, entries);
    } else {
        frame.SetGrayPalette();
    }

    if (!ExpandFrame(frame, whole))
        return m_gif.GetEscape() > 0 ? Step::Cancelled : Step::Failed;
    if (m_gif.GetEscape() > 0)
        return Step::Cancelled;
    if ((header.width != whole.width || header.height != whole.height) && !ClipFrame(frame, header))
        return Step::Failed;

    const bool composed = m_trueColour ? ComposeTrueColour(frame, header) : Compose(frame, header);
    if (!composed)
        return Step::Failed;
    m_composedAny = true;
    m_gif.SetFrameDelay(m_control.delay);
    m_gif.SetFrameDisposal(m_control.Disposal());
    ++m_frameNo;
    return m_frameNo > m_requested ? Step::Done : Step::Next;
}

bool GifDecoder::ExpandFrame(CxImage &frame, const GifFrameHeader &header)
{
    const int codeSize = m_input.Get();
    GifSubBlocks data(m_input);
    RowPlacer placer(frame, header.Interlaced());
    const GifLzwExpander::Status status =
        m_lzw.Expand(data, codeSize, header.width,
                     [&placer](const uint8_t *line, uint32_t length) { return placer.Store(line, length); });
    // The next block starts after this image's data, however its codes ended: the sub-blocks say where.
    data.SkipRest();
    // A frame of which not one pixel arrived is not a picture: the file ended or broke before it.
    return status != GifLzwExpander::BadCodeSize && placer.Stored() > 0;
}

// Keeps the top-left part.width x part.height pixels of the frame, with its palette.
bool GifDecoder::ClipFrame(CxImage &frame, const GifFrameHeader &part)
{
    CxImage clipped;
    if (!clipped.Create(part.width, part.height, frame.GetBpp(), ImageFormatGif))
        return false;
    clipped.SetPalette(frame.GetPalette(), frame.GetNumColors());
    const int32_t drop = frame.GetHeight() - int32_t(part.height); // bottom rows, first in memory
    for (int32_t y = 0; y < int32_t(part.height); ++y)
        for (int32_t x = 0; x < int32_t(part.width); ++x)
            clipped.BlindSetPixelIndex(x, y, frame.BlindGetPixelIndex(x, y + drop));
    frame.TakeOver(clipped, false);
    return frame.IsValid();
}

bool GifDecoder::ComposeTrueColour(const CxImage &frame, const GifFrameHeader &header)
{
    if (!m_composed.IsValid()) {
        m_composed.CopyAttributes(m_gif);
        if (!m_composed.Create(m_screen.width, m_screen.height, 24, ImageFormatGif))
            return false;
    }
    const int32_t baseRow = int32_t(m_screen.height - header.top - header.height);
    for (int32_t y = 0; y < frame.GetHeight(); ++y)
        for (int32_t x = 0; x < frame.GetWidth(); ++x)
            m_composed.BlindSetPixelColor(int32_t(header.left) + x, baseRow + y, frame.BlindGetPixelColor(x, y, false));
    if (m_control.Transparent())
        m_lastTransColour = frame.GetPaletteColor(m_control.transIndex);
    return true;
}

bool GifDecoder::Compose(const CxImage &frame, const GifFrameHeader &header)
{
    // What the frame is drawn on follows how the previous frame is disposed of: its area cleared (2),
    // the picture from before it (3), or the picture as it stands.
    CxImage background;
    if (m_frameNo == 0) {
        background.CopyAttributes(m_gif);
        if (!background.Create(m_screen.width, m_screen.height, frame.GetBpp(), ImageFormatGif))
            return false;
        // A new picture starts at index 0: only another index needs the rows written.
        if (m_control.transIndex != 0)
            background.Clear(m_control.transIndex);
        m_firstTransIndex = m_control.TransIndex();
    } else if (m_previousDisposal == 3 && m_previous.IsValid()) {
        background.TakeOver(m_previous, false);
    } else {
        background.TakeOver(m_composed, false);
        if (m_previousDisposal == 2) {
            // Without a transparent colour the screen's background colour is what the frame leaves.
            const uint8_t fill = m_firstTransIndex >= 0 ? uint8_t(m_firstTransIndex) : m_screen.background;
            const GifFrameHeader &area = m_previousArea;
            const int32_t baseRow = int32_t(m_screen.height - area.top - area.height);
            for (uint32_t y = 0; y < area.height; ++y)
                for (uint32_t x = 0; x < area.width; ++x)
                    background.BlindSetPixelIndex(int32_t(area.left + x), baseRow + int32_t(y), fill);
        }
    }
    if (!background.IsValid())
        return false;
    // A frame deeper than the picture so far widens it rather than losing the high bits of its indices.
    if (frame.GetBpp() > background.GetBpp() && !background.IncreaseBpp(frame.GetBpp()))
        return false;
    if (m_control.Disposal() == 3) {
        m_previous.CopyFrom(background);
        if (!m_previous.IsValid())
            return false;
    }

    const int32_t trans = m_control.TransIndex();
    const int32_t baseRow = int32_t(m_screen.height - header.top - header.height);
    const bool bytes = frame.GetBpp() == 8 && background.GetBpp() == 8;
    for (int32_t y = 0; y < frame.GetHeight(); ++y) {
        if (bytes) {
            // The common case, a byte per pixel on both sides, row by row.
            const uint8_t *src = frame.GetRowPointer(uint32_t(y));
            uint8_t *dst = background.GetRowPointer(uint32_t(baseRow + y)) + header.left;
            if (trans < 0) {
                std::memcpy(dst, src, header.width);
            } else {
                for (uint32_t x = 0; x < header.width; ++x)
                    if (src[x] != trans)
                        dst[x] = src[x];
            }
            continue;
        }
        for (int32_t x = 0; x < frame.GetWidth(); ++x) {
            const uint8_t index = frame.BlindGetPixelIndex(x, y);
            if (index != trans)
                background.BlindSetPixelIndex(int32_t(header.left) + x, baseRow + y, index);
        }
    }
    background.SetPalette(frame.GetPalette(), frame.GetNumColors());
    // An index past the palette marks no pixel: it must not make entry 0 transparent instead.
    background.SetTransIndex(m_firstTransIndex < int32_t(background.GetNumColors()) ? m_firstTransIndex : -1);
    m_composed.TakeOver(background, false);

    if (!KeepFrame())
        return false;
    m_previousDisposal = m_control.Disposal();
    m_previousArea = header;
    return true;
}

// With LoadAllFrames every composed frame is kept in the image's frame list at its index.
bool GifDecoder::KeepFrame()
{
    if (!m_gif.GetLoadAllFrames())
        return true;
    if (m_frameNo == 0) {
        m_gif.DestroyFrames();
        m_gif.m_frames = new (std::nothrow) CxImage *[size_t(m_frameCount)]();
        if (!m_gif.m_frames)
            return false;
        m_gif.m_info.frameCount = m_frameCount;
    }
    if (!m_gif.m_frames || m_frameNo >= m_frameCount)
        return true;
    CxImage *copy = new (std::nothrow) CxImage(m_composed);
    if (!copy)
        return false;
    copy->SetLoadAllFrames(false);
    delete m_gif.m_frames[m_frameNo];
    m_gif.m_frames[m_frameNo] = copy;
    return true;
}

bool GifDecoder::Finish()
{
    if (m_trueColour && m_control.Transparent()) {
        m_composed.SetTransColor(m_lastTransColour);
        m_composed.SetTransIndex(0);
    }
    const uint32_t delay = m_gif.GetFrameDelay();
    const uint8_t disposal = m_gif.GetFrameDisposal();
    const int32_t frameCount = m_gif.m_info.frameCount;
    if (!m_gif.TakeOver(m_composed, false))
        return false;
    m_gif.m_info.frameCount = frameCount;
    m_gif.SetFrameDelay(delay);
    m_gif.SetFrameDisposal(disposal);
    m_gif.SetFrameOffset(0, 0);
    m_gif.m_info.formatId = ImageFormatGif;
    return true;
}

void CxImageGIF::SetComment(const char *text)
{
    std::strncpy(m_comment, text ? text : "", sizeof m_comment - 1);
    m_comment[sizeof m_comment - 1] = '\0';
}

bool CxImageGIF::Decode(CxFile *file)
{
    if (!file)
        return false;
    std::unique_ptr<GifDecoder> decoder(new (std::nothrow) GifDecoder(*this, file));
    return decoder && decoder->Run();
}

// ---- encoding

namespace {

// Collects the small blocks of a file and remembers whether any write failed.
class GifBlockWriter
{
public:
    explicit GifBlockWriter(CxFile *file) : m_file(file) {}

    void Bytes(const std::vector<uint8_t> &bytes)
    {
        if (!bytes.empty() && m_file->Write(bytes.data(), 1, bytes.size()) != bytes.size())
            m_failed = true;
    }
    void Screen(uint32_t width, uint32_t height, const CxImage *palette)
    {
        std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
        Put16(out, width);
        Put16(out, height);
        const uint32_t bpp = palette ? palette->GetBpp() : 0;
        out.push_back(palette ? uint8_t(0x80 | ((bpp - 1) << 4) | (bpp - 1)) : uint8_t(0x11));
        out.push_back(0); // background index
        out.push_back(0); // aspect
        if (palette)
            AppendTable(out, *palette);
        Bytes(out);
    }
    void Control(const CxImage &image, uint8_t disposal)
    {
        const int32_t trans = image.GetTransIndex();
        std::vector<uint8_t> out = {0x21, 0xF9, 0x04, uint8_t((trans >= 0 ? 1 : 0) | ((disposal & 7) << 2))};
        Put16(out, image.GetFrameDelay() & 0xFFFF);
        out.push_back(uint8_t(trans));
        out.push_back(0);
        Bytes(out);
    }
    void Comment(const char *text)
    {
        const size_t length = std::min<size_t>(std::strlen(text), 255);
        if (length == 0)
            return;
        std::vector<uint8_t> out = {0x21, 0xFE, uint8_t(length)};
        out.insert(out.end(), text, text + length);
        out.push_back(0);
        Bytes(out);
    }
    void Looping(int32_t loopCount)
    {
        if (loopCount == 1)
            return;
        const uint32_t repeats = uint32_t(std::max(loopCount - 1, 0)) & 0xFFFF;
        Bytes({0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01,
               uint8_t(repeats), uint8_t(repeats >> 8), 0});
    }
    void Image(const CxImage &image, uint32_t left, uint32_t top, bool localTable, uint32_t coder)
    {
        const uint32_t bpp = image.GetBpp();
        std::vector<uint8_t> out = {0x2C};
        Put16(out, left);
        Put16(out, top);
        Put16(out, uint32_t(image.GetWidth()));
        Put16(out, uint32_t(image.GetHeight()));
        out.push_back(localTable ? uint8_t(0x80 | (bpp - 1)) : uint8_t(0));
        if (localTable)
            AppendTable(out, image);
        Bytes(out);
        GifPixelSource pixels(image);
        if (!m_failed && !GifWriteImageData(m_file, pixels, int(std::max<uint32_t>(bpp, 2)), coder))
            m_failed = true;
    }
    bool Trailer()
    {
        Bytes({0x3B});
        if (!m_file->Flush())
            m_failed = true;
        return !m_failed;
    }

private:
    static void AppendTable(std::vector<uint8_t> &out, const CxImage &image)
    {
        const uint32_t entries = 1u << image.GetBpp();
        for (uint32_t i = 0; i < entries; ++i) {
            const RGBQUAD c = image.GetPaletteColor(uint8_t(i));
            out.push_back(c.rgbRed);
            out.push_back(c.rgbGreen);
            out.push_back(c.rgbBlue);
        }
    }

    CxFile *m_file;
    bool m_failed = false;
};

constexpr char kWriteError[] = "Write Error in GIF file";
constexpr int32_t kTileWidth = 17;
constexpr int32_t kTileHeight = 15;

bool SamePalette(const CxImage &a, const CxImage &b)
{
    return a.GetNumColors() == b.GetNumColors() &&
           std::memcmp(a.GetPalette(), b.GetPalette(), a.GetPaletteSize()) == 0;
}

} // namespace

bool CxImageGIF::Encode(CxFile *file)
{
    if (!EncodeSafeCheck(file))
        return false;
    if (GetBpp() > 8)
        return WriteTrueColourTiles(file);
    if (GetFrameCount() > 1 && m_frames) {
        // Frames share the first frame's table; a frame whose colours differ brings its own, or its
        // indices would be shown in the wrong colours.
        bool differ = false;
        for (int32_t i = 1; i < GetFrameCount() && !differ; ++i)
            differ = m_frames[0] && m_frames[i] && m_frames[i]->IsIndexed() && !SamePalette(*m_frames[0], *m_frames[i]);
        return WriteAnimation(file, m_frames, GetFrameCount(), differ, false);
    }

    const uint32_t coder = GetCodecOption(ImageFormatGif);
    GifBlockWriter out(file);
    out.Screen(uint32_t(GetWidth()), uint32_t(GetHeight()), this);
    out.Control(*this, GetFrameDisposal());
    out.Comment(m_comment);
    // The picture is the whole screen: placed anywhere else it would not fit it and readers drop it.
    out.Image(*this, 0, 0, false, coder);
    if (!out.Trailer()) {
        SetErrorText(kWriteError);
        return false;
    }
    return true;
}

bool CxImageGIF::WriteTrueColourTiles(CxFile *file)
{
    const uint32_t coder = GetCodecOption(ImageFormatGif);
    GifBlockWriter out(file);
    out.Screen(uint32_t(GetWidth()), uint32_t(GetHeight()), nullptr);
    out.Comment(m_comment);

    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const bool transparent = IsTransparent();
    CxImage tile;
    for (int32_t top = 0; top < height; top += kTileHeight) {
        for (int32_t left = 0; left < width; left += kTileWidth) {
            const int32_t w = std::min(kTileWidth, width - left);
            const int32_t h = std::min(kTileHeight, height - top);
            if (!tile.Create(uint32_t(w), uint32_t(h), 8, ImageFormatGif)) {
                SetErrorText(tile.GetErrorText());
                return false;
            }
            if (transparent) {
                tile.SetPaletteColor(0, GetTransColor());
                tile.SetTransIndex(0);
            } else {
                tile.SetTransIndex(-1);
            }
            // Each pixel has an entry of its own: 1 + row x 17 + column.
            for (int32_t y = 0; y < h; ++y) {
                const int32_t imageRow = height - 1 - (top + y);
                for (int32_t x = 0; x < w; ++x) {
                    const uint8_t index = uint8_t(1 + y * kTileWidth + x);
                    tile.SetPaletteColor(index, BlindGetPixelColor(left + x, imageRow, false));
                    tile.BlindSetPixelIndex(x, h - 1 - y, index);
                }
            }
            out.Control(tile, 0);
            out.Image(tile, uint32_t(left), uint32_t(top), true, coder);
        }
    }
    if (!out.Trailer()) {
        SetErrorText(kWriteError);
        return false;
    }
    return true;
}

bool CxImageGIF::WriteAnimation(CxFile *file, CxImage *const *images, int32_t count, bool localPalettes,
                                bool localDisposal)
{
    if (!file) {
        SetErrorText("invalid file pointer");
        return false;
    }
    if (!images || count <= 0 || !images[0]) {
        SetErrorText("multipage GIF, no images!");
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (!images[i]) {
            SetErrorText("Bad image pointer");
            return false;
        }
        if (!images[i]->IsValid()) {
            SetErrorText("Empty image");
            return false;
        }
        if (!images[i]->IsIndexed()) {
            SetErrorText("CxImageGIF::Encode cannot create animated GIFs with a true color frame. Use DecreaseBpp before");
            return false;
        }
    }

    const uint32_t coder = GetCodecOption(ImageFormatGif);
    const CxImage &first = *images[0];
    GifBlockWriter out(file);
    out.Screen(uint32_t(first.GetWidth()), uint32_t(first.GetHeight()), &first);
    out.Looping(m_loopCount);
    for (int32_t i = 0; i < count; ++i) {
        const CxImage &image = *images[i];
        out.Control(image, localDisposal ? image.GetFrameDisposal() : GetFrameDisposal());
        if (i == 0)
            out.Comment(m_comment);
        out.Image(image, uint32_t(image.GetXOffset()), uint32_t(image.GetYOffset()), i > 0 && localPalettes, coder);
    }
    if (!out.Trailer()) {
        SetErrorText(kWriteError);
        return false;
    }
    return true;
}
