#include "image/GifOutput.h"

#include "image/xFile.h"
#include "image/xImage.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>

GifPixelSource::GifPixelSource(const CxImage &image)
    : m_image(image), m_bpp(image.GetBpp()), m_width(uint32_t(image.GetWidth())),
      m_rowsLeft(uint32_t(image.GetHeight())), m_x(m_width)
{
}

void GifPixelSource::NextRow()
{
    --m_rowsLeft;
    m_row = m_image.GetRowPointer(m_rowsLeft); // rows are stored bottom-up
    m_x = 0;
}

void GifCodeWriter::FlushBlock()
{
    if (m_fill == 0)
        return;
    const uint8_t size = uint8_t(m_fill);
    if (m_file->Write(&size, 1, 1) != 1 || m_file->Write(m_block, 1, m_fill) != m_fill)
        m_failed = true;
    m_fill = 0;
}

bool GifCodeWriter::Finish()
{
    if (m_bits > 0)
        Byte(uint8_t(m_accumulator));
    m_accumulator = 0;
    m_bits = 0;
    FlushBlock();
    const uint8_t terminator = 0;
    if (m_file->Write(&terminator, 1, 1) != 1)
        m_failed = true;
    return !m_failed;
}

namespace {

constexpr int kMaxBits = 12;
constexpr uint32_t kMaxCodes = 1u << kMaxBits;
constexpr int kHashSize = 5003; // a prime a little above the table size

// Code widths as a decoder follows them: a code goes out at the current width; then the width grows
// once the next free code no longer fits in it (staying at 12 bits), and returns to the start after a
// clear code.
class GrowingCodes
{
public:
    GrowingCodes(GifCodeWriter &out, int minCodeSize)
        : m_out(out), m_initialWidth(minCodeSize + 1), m_clear(1u << minCodeSize), m_first(m_clear + 2)
    {
        Restart();
    }

    uint32_t EndCode() const { return m_clear + 1; }
    uint32_t NextFree() const { return m_next; }

    void Emit(uint32_t code)
    {
        m_out.Put(code, m_width);
        if (m_clearPending) {
            Restart();
        } else if (m_next > m_maxCode) {
            ++m_width;
            m_maxCode = m_width == kMaxBits ? kMaxCodes : (1u << m_width) - 1;
        }
    }
    void Clear()
    {
        m_next = m_first;
        m_clearPending = true;
        Emit(m_clear);
    }
    // Takes the next free code for a new string; when the table is full a clear code goes out instead
    // and false is returned.
    bool Advance()
    {
        if (m_next < kMaxCodes) {
            ++m_next;
            return true;
        }
        Clear();
        return false;
    }

private:
    void Restart()
    {
        m_width = m_initialWidth;
        m_maxCode = (1u << m_width) - 1;
        m_next = m_first;
        m_clearPending = false;
    }

    GifCodeWriter &m_out;
    int m_initialWidth;
    uint32_t m_clear;
    uint32_t m_first;
    int m_width = 0;
    uint32_t m_maxCode = 0;
    uint32_t m_next = 0;
    bool m_clearPending = false;
};

// Greedy longest-match strings, found in an open-addressed hash of (pixel, prefix code) keys.
void WriteLzw(GifCodeWriter &out, GifPixelSource &pixels, int minCodeSize)
{
    struct Tables
    {
        int32_t key[kHashSize];
        uint16_t code[kHashSize];
    };
    std::unique_ptr<Tables> tables(new Tables);
    std::memset(tables->key, 0xFF, sizeof tables->key);

    GrowingCodes codes(out, minCodeSize);
    codes.Clear();
    int prefix = pixels.Next();
    if (prefix < 0) {
        codes.Emit(codes.EndCode());
        return;
    }
    for (int c = pixels.Next(); c >= 0; c = pixels.Next()) {
        const int32_t key = (int32_t(c) << kMaxBits) + prefix;
        int i = (c << 4) ^ prefix;
        bool found = tables->key[i] == key;
        if (!found && tables->key[i] >= 0) {
            const int step = i == 0 ? 1 : kHashSize - i;
            do {
                i -= step;
                if (i < 0)
                    i += kHashSize;
                found = tables->key[i] == key;
            } while (!found && tables->key[i] >= 0);
        }
        if (found) {
            prefix = tables->code[i];
            continue;
        }
        codes.Emit(uint32_t(prefix));
        prefix = c;
        const uint32_t next = codes.NextFree();
        if (codes.Advance()) {
            tables->code[i] = uint16_t(next);
            tables->key[i] = key;
        } else {
            std::memset(tables->key, 0xFF, sizeof tables->key);
        }
    }
    codes.Emit(uint32_t(prefix));
    codes.Emit(codes.EndCode());
}

// Every pixel its own code; the decoder's table fills up all the same and is cleared when full.
void WriteUncompressed(GifCodeWriter &out, GifPixelSource &pixels, int minCodeSize)
{
    GrowingCodes codes(out, minCodeSize);
    codes.Clear();
    for (int c = pixels.Next(); c >= 0; c = pixels.Next()) {
        codes.Emit(uint32_t(c));
        codes.Advance();
    }
    codes.Emit(codes.EndCode());
}

// Codes that stand for runs of one pixel value. The coder keeps no string table of its own: it follows
// the table a decoder builds from its codes, in which, right after a clear, code base + k - 2 names a run
// of k pixels of the value that followed the clear.
class RunLengthCoder
{
public:
    RunLengthCoder(GifCodeWriter &out, int minCodeSize)
        : m_out(out), m_initialWidth(minCodeSize + 1), m_clear(1u << minCodeSize), m_end(m_clear + 1),
          m_base(m_clear + 2), m_bumpStart((1u << (m_initialWidth - 1)) - 1),
          m_clearStart(m_initialWidth <= 3 ? 9 : m_bumpStart - 1), m_maxCodes(4093 - (1u << (m_initialWidth - 1)))
    {
        Reset();
    }

    void Run(GifPixelSource &pixels)
    {
        WriteClear();
        for (int c = pixels.Next(); c >= 0; c = pixels.Next()) {
            if (m_runLength > 0 && uint32_t(c) != m_runPixel)
                Flush();
            if (m_runLength > 0) {
                ++m_runLength;
            } else {
                m_runPixel = uint32_t(c);
                m_runLength = 1;
            }
        }
        if (m_runLength > 0)
            Flush();
        m_out.Put(m_end, m_width);
    }

private:
    void Reset()
    {
        m_width = m_initialWidth;
        m_count = 0;
        m_bump = m_bumpStart;
        m_clearPoint = m_clearStart;
        m_tableLength = 0;
        m_justCleared = true;
    }
    void WriteClear()
    {
        m_out.Put(m_clear, m_width);
        Reset();
    }
    void Emit(uint32_t code)
    {
        m_justCleared = false;
        m_out.Put(code, m_width);
        ++m_count;
        if (m_count >= m_bump) {
            ++m_width;
            m_bump += 1u << (m_width - 1);
        }
        if (m_count >= m_clearPoint)
            WriteClear();
    }
    void RestoreClearPoint()
    {
        m_clearPoint = m_clearStart;
        if (m_count >= m_clearPoint)
            WriteClear();
    }

    // Codes needed for a run of n after a clear: runs of 1, 2, 3 ... pixels, each code one longer.
    uint64_t TriangleCount(uint64_t n) const
    {
        const uint64_t perRepeat = uint64_t(m_maxCodes) * (m_maxCodes + 1) / 2;
        uint64_t cost = 0;
        cost += (n / perRepeat) * m_maxCodes;
        n %= perRepeat;
        if (n > 0) {
            uint64_t k = uint64_t(std::sqrt(double(n)));
            while (k > 0 && k * (k + 1) >= 2 * n)
                --k;
            while (k * (k + 1) < 2 * n)
                ++k;
            cost += k;
        }
        return cost;
    }

    void Flush()
    {
        const uint32_t p = m_runPixel;
        const uint64_t n = m_runLength;
        m_runLength = 0;
        if (n == 1)
            Emit(p);
        else if (m_justCleared)
            FlushFromClear(p, n);
        else if (m_tableLength < 2 || m_tablePixel != p)
            FlushClearOrRepeat(p, n);
        else
            FlushWithTable(p, n);
    }

    void FlushClearOrRepeat(uint32_t p, uint64_t n)
    {
        if (1 + TriangleCount(n) < n) {
            WriteClear();
            FlushFromClear(p, n);
            return;
        }
        for (; n > 0; --n)
            Emit(p);
    }

    void FlushWithTable(uint32_t p, uint64_t n)
    {
        uint64_t repeats = n / m_tableLength;
        uint64_t leftover = n % m_tableLength;
        uint64_t leftoverCodes = leftover ? 1 : 0;
        if (m_count + repeats + leftoverCodes > m_maxCodes) {
            repeats = m_maxCodes - m_count;
            leftover = n - repeats * m_tableLength;
            leftoverCodes = 1 + TriangleCount(leftover);
        }
        if (1 + TriangleCount(n) < repeats + leftoverCodes) {
            WriteClear();
            FlushFromClear(p, n);
            return;
        }
        m_clearPoint = m_maxCodes;
        for (; repeats > 0; --repeats)
            Emit(m_base + m_tableLength - 2);
        if (leftover) {
            if (m_justCleared)
                FlushFromClear(p, leftover);
            else if (leftover == 1)
                Emit(p);
            else
                Emit(m_base + uint32_t(leftover) - 2);
        }
        RestoreClearPoint();
    }

    void FlushFromClear(uint32_t p, uint64_t count)
    {
        m_clearPoint = m_maxCodes;
        m_tablePixel = p;
        uint64_t k = 1;
        while (count > 0) {
            if (k == 1) {
                m_tableLength = 1;
                Emit(p);
                --count;
            } else if (count >= k) {
                m_tableLength = uint32_t(k);
                Emit(m_base + uint32_t(k) - 2);
                count -= k;
            } else if (count == 1) {
                ++m_tableLength;
                Emit(p);
                count = 0;
            } else {
                ++m_tableLength;
                Emit(m_base + uint32_t(count) - 2);
                count = 0;
            }
            k = m_count == 0 ? 1 : k + 1;
        }
        RestoreClearPoint();
    }

    GifCodeWriter &m_out;
    const int m_initialWidth;
    const uint32_t m_clear;
    const uint32_t m_end;
    const uint32_t m_base;
    const uint32_t m_bumpStart;
    const uint32_t m_clearStart;
    const uint32_t m_maxCodes;

    int m_width = 0;
    uint32_t m_count = 0;
    uint32_t m_bump = 0;
    uint32_t m_clearPoint = 0;
    uint32_t m_tablePixel = 0;
    uint32_t m_tableLength = 0;
    bool m_justCleared = true;
    uint32_t m_runPixel = 0;
    uint64_t m_runLength = 0;
};

} // namespace

bool GifWriteImageData(CxFile *file, GifPixelSource &pixels, int minCodeSize, uint32_t coder)
{
    const uint8_t size = uint8_t(minCodeSize);
    if (file->Write(&size, 1, 1) != 1)
        return false;
    GifCodeWriter out(file, coder == 2 ? 255 : 254);
    switch (coder) {
    case 1:
        WriteUncompressed(out, pixels, minCodeSize);
        break;
    case 2: {
        RunLengthCoder rle(out, minCodeSize);
        rle.Run(pixels);
        break;
    }
    default:
        WriteLzw(out, pixels, minCodeSize);
        break;
    }
    return out.Finish();
}
