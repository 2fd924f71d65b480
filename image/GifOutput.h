#pragma once

// Writing side of the GIF codec: the pixels of a palette image in file order, the codes packed into
// data sub-blocks, and the three coders that make the codes.

#include <cstddef>
#include <cstdint>

class CxFile;
class CxImage;

// Palette indices of an image from the top row down, left to right.
class GifPixelSource
{
public:
    explicit GifPixelSource(const CxImage &image);
    // Next index, or -1 after the last pixel.
    int Next()
    {
        if (m_x == m_width) {
            if (m_rowsLeft == 0)
                return -1;
            NextRow();
        }
        const uint32_t x = m_x++;
        switch (m_bpp) {
        case 8: return m_row[x];
        case 4: return (x & 1) ? (m_row[x >> 1] & 0x0F) : (m_row[x >> 1] >> 4);
        default: return (m_row[x >> 3] >> (7 - (x & 7))) & 1;
        }
    }

private:
    void NextRow();

    const CxImage &m_image;
    uint32_t m_bpp;
    uint32_t m_width;
    uint32_t m_rowsLeft;
    uint32_t m_x;
    const uint8_t *m_row = nullptr;
};

// Codes packed least-significant bit first, handed out in sub-blocks of a fixed size.
class GifCodeWriter
{
public:
    GifCodeWriter(CxFile *file, size_t blockSize) : m_file(file), m_blockSize(blockSize) {}
    void Put(uint32_t code, int width)
    {
        m_accumulator |= code << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            Byte(uint8_t(m_accumulator));
            m_accumulator >>= 8;
            m_bits -= 8;
        }
    }
    // Writes what is left and the block terminator; false when any write failed.
    bool Finish();

private:
    void Byte(uint8_t b)
    {
        m_block[m_fill++] = b;
        if (m_fill >= m_blockSize)
            FlushBlock();
    }
    void FlushBlock();

    CxFile *m_file;
    size_t m_blockSize;
    uint32_t m_accumulator = 0;
    int m_bits = 0;
    uint8_t m_block[256] = {};
    size_t m_fill = 0;
    bool m_failed = false;
};

// The image data of one frame: the minimum code size byte, the codes in sub-blocks and the terminator.
// coder: 0 LZW, 1 uncompressed codes, 2 run-length codes (anything else: LZW). False when a write failed.
bool GifWriteImageData(CxFile *file, GifPixelSource &pixels, int minCodeSize, uint32_t coder);
