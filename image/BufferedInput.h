#pragma once

#include <cstddef>
#include <cstdint>

class CxFile;

// A file read ahead in blocks of 16,383 bytes, so that decoders that take their input a byte at a time
// cost one file call per block. Positions are absolute file positions.
class BufferedInput
{
public:
    explicit BufferedInput(CxFile *file);

    // Next byte, or -1 at the end of the data.
    int Get()
    {
        if (m_index == m_fill && !Fill())
            return -1;
        return m_buffer[m_index++];
    }
    // All n bytes, or false.
    bool Read(uint8_t *out, size_t n);
    void Skip(size_t n) { Seek(Tell() + int64_t(n)); }
    int64_t Tell() const { return m_bufferAt + int64_t(m_index); }
    void Seek(int64_t position);
    // Leaves the file itself at Tell().
    void Sync();

private:
    bool Fill();

    static constexpr size_t kBlock = 16383;
    CxFile *m_file;
    int64_t m_bufferAt; // file position of m_buffer[0]
    size_t m_fill = 0;
    size_t m_index = 0;
    uint8_t m_buffer[kBlock];
};
