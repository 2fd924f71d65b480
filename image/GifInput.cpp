#include "image/GifInput.h"

bool GifSubBlocks::NextBlock()
{
    while (m_left == 0) {
        if (m_ended)
            return false;
        const int size = m_input.Get();
        if (size <= 0) {
            m_ended = true;
            return false;
        }
        m_left = size;
    }
    return true;
}

void GifSubBlocks::SkipRest()
{
    if (m_ended)
        return;
    m_input.Skip(size_t(m_left));
    m_left = 0;
    for (;;) {
        const int size = m_input.Get();
        if (size <= 0)
            break;
        m_input.Skip(size_t(size));
    }
    m_ended = true;
}

GifLzwExpander::Status GifLzwExpander::Expand(GifSubBlocks &data, int codeSize, uint32_t width,
                                              const RowSink &sink)
{
    if (codeSize < 2 || codeSize > 9 || width == 0)
        return BadCodeSize;
    const int clear = 1 << codeSize;
    const int end = clear + 1;
    const int first = clear + 2;
    for (int i = 0; i < clear; ++i) {
        m_suffix[i] = uint8_t(i);
        m_prefix[i] = 0;
    }
    m_line.resize(size_t(width) + 1);
    uint32_t lineFill = 0;

    int codeWidth = codeSize + 1;
    int slot = first;
    int topSlot = 1 << codeWidth;
    uint32_t bits = 0;
    int bitCount = 0;
    int previous = 0;
    int firstChar = 0;
    bool literalNext = true; // the first code, and the first after a clear, is a plain pixel

    auto readCode = [&]() -> int {
        while (bitCount < codeWidth) {
            const int b = data.Get();
            if (b < 0)
                return -1;
            bits |= uint32_t(b) << bitCount;
            bitCount += 8;
        }
        const int code = int(bits & ((1u << codeWidth) - 1));
        bits >>= codeWidth;
        bitCount -= codeWidth;
        return code;
    };
    auto emit = [&](uint8_t index) {
        m_line[lineFill++] = index;
        if (lineFill < width)
            return true;
        lineFill = 0;
        return sink(m_line.data(), width);
    };

    for (;;) {
        int code = readCode();
        if (code < 0 || code == end)
            break;
        if (code == clear) {
            codeWidth = codeSize + 1;
            slot = first;
            topSlot = 1 << codeWidth;
            literalNext = true;
            continue;
        }
        if (literalNext) {
            // Nothing is in the table yet: a code naming an entry stands for pixel 0.
            if (code >= slot)
                code = 0;
            literalNext = false;
            previous = firstChar = code;
            if (!emit(uint8_t(code)))
                return RowsFull;
            continue;
        }

        int sp = 0;
        int current = code;
        // The code that will name this string from now on: a code beyond the next free slot is damage,
        // read as if it were that slot, so that every prefix names an earlier entry and no chain loops.
        int named = code;
        if (code >= slot) {
            m_stack[sp++] = uint8_t(firstChar);
            current = previous;
            named = slot;
        }
        while (current >= first) {
            if (sp >= kStackSize)
                return Complete; // cannot happen with an acyclic table; kept as the last guard
            m_stack[sp++] = m_suffix[current];
            current = m_prefix[current];
        }
        firstChar = current;
        m_stack[sp++] = uint8_t(current);

        if (slot < topSlot) {
            m_suffix[slot] = uint8_t(firstChar);
            m_prefix[slot] = uint16_t(previous);
            ++slot;
            if (slot >= topSlot && codeWidth < kMaxBits) {
                topSlot <<= 1;
                ++codeWidth;
            }
        }
        previous = named < slot ? named : slot - 1;

        while (sp > 0) {
            if (!emit(m_stack[--sp]))
                return RowsFull;
        }
    }
    if (lineFill > 0)
        sink(m_line.data(), lineFill);
    return Complete;
}
