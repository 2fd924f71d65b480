#include "image/BufferedInput.h"

#include "image/xFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

BufferedInput::BufferedInput(CxFile *file) : m_file(file), m_bufferAt(file->Tell())
{
    if (m_bufferAt < 0)
        m_bufferAt = 0;
}

bool BufferedInput::Fill()
{
    m_bufferAt += int64_t(m_fill);
    m_index = 0;
    m_fill = m_file->Read(m_buffer, 1, kBlock);
    return m_fill > 0;
}

bool BufferedInput::Read(uint8_t *out, size_t n)
{
    while (n > 0) {
        if (m_index == m_fill && !Fill())
            return false;
        const size_t chunk = std::min(n, m_fill - m_index);
        std::memcpy(out, m_buffer + m_index, chunk);
        m_index += chunk;
        out += chunk;
        n -= chunk;
    }
    return true;
}

void BufferedInput::Seek(int64_t position)
{
    if (position >= m_bufferAt && position <= m_bufferAt + int64_t(m_fill)) {
        m_index = size_t(position - m_bufferAt);
        return;
    }
    m_file->Seek(position, SEEK_SET);
    m_bufferAt = position;
    m_fill = 0;
    m_index = 0;
}

void BufferedInput::Sync()
{
    m_file->Seek(Tell(), SEEK_SET);
}
