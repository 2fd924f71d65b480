#pragma once

// Reading side of the GIF codec: the data sub-blocks of an image and the LZW expander that turns them
// into rows of palette indices.

#include "image/BufferedInput.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The data sub-blocks of one extension or image: a size byte, that many bytes, until a size of 0.
class GifSubBlocks
{
public:
    explicit GifSubBlocks(BufferedInput &input) : m_input(input) {}

    // Next data byte, or -1 once the terminator or the end of the file is reached.
    int Get()
    {
        if (m_left == 0 && !NextBlock())
            return -1;
        const int b = m_input.Get();
        if (b < 0) {
            m_ended = true;
            return -1;
        }
        --m_left;
        return b;
    }
    // Passes over what is left, terminator included.
    void SkipRest();

private:
    bool NextBlock();

    BufferedInput &m_input;
    int m_left = 0;
    bool m_ended = false;
};

// Expands one image's LZW data. Every completed line of `width` indices goes to the row sink, which
// returns false when it takes no more rows; a partly filled last line is handed over too.
class GifLzwExpander
{
public:
    enum Status { Complete, RowsFull, BadCodeSize, Stopped };
    using RowSink = std::function<bool(const uint8_t *line, uint32_t length)>;

    // codeSize: the minimum code size byte that precedes the data (2 to 9 are accepted).
    Status Expand(GifSubBlocks &data, int codeSize, uint32_t width, const RowSink &sink);

private:
    static constexpr int kMaxBits = 12;
    static constexpr int kTableSize = 1 << kMaxBits;
    // A string is never longer than the table: prefixes always name an earlier entry.
    static constexpr int kStackSize = 4094;

    uint16_t m_prefix[kTableSize];
    uint8_t m_suffix[kTableSize];
    uint8_t m_stack[kTableSize];
    std::vector<uint8_t> m_line;
};
