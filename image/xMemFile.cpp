#include "image/xMemFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {
constexpr size_t kMaxMemFile = size_t(std::numeric_limits<int64_t>::max()) - 0x10000;
}

CxMemFile::CxMemFile(uint8_t *buffer, size_t size)
    : m_buffer(buffer)
    , m_size(buffer ? size : 0)
    , m_freeOnClose(buffer == nullptr)
    , m_position(0)
    , m_capacity(buffer ? size : 0)
{
}

CxMemFile::~CxMemFile()
{
    Close();
}

bool CxMemFile::Open()
{
    if (m_buffer)
        return false;
    m_size = m_position = m_capacity = 0;
    m_buffer = static_cast<uint8_t *>(std::malloc(1));
    m_freeOnClose = true;
    return m_buffer != nullptr;
}

bool CxMemFile::Close()
{
    if (m_buffer && m_freeOnClose)
        std::free(m_buffer);
    m_buffer = nullptr;
    m_size = 0;
    return true;
}

uint8_t *CxMemFile::GetBuffer(bool detach)
{
    if (detach)
        m_freeOnClose = false;
    return m_buffer;
}

bool CxMemFile::Grow(size_t needed)
{
    if (needed > m_capacity) {
        if (needed > kMaxMemFile)
            return false;
        const size_t capacity = ((needed >> 16) + 1) << 16;
        uint8_t *grown;
        if (m_freeOnClose || !m_buffer) {
            grown = static_cast<uint8_t *>(std::realloc(m_buffer, capacity));
        } else {
            // A borrowed buffer is not ours to reallocate: move its contents into our own block.
            grown = static_cast<uint8_t *>(std::malloc(capacity));
            if (grown)
                std::memcpy(grown, m_buffer, m_size);
        }
        if (!grown)
            return false;
        m_buffer = grown;
        m_freeOnClose = true;
        m_capacity = capacity;
    }
    return m_buffer != nullptr;
}

bool CxMemFile::Reserve(size_t end)
{
    if (end > m_capacity && !Grow(end))
        return false;
    if (m_position > m_size)
        std::memset(m_buffer + m_size, 0, m_position - m_size);
    return true;
}

size_t CxMemFile::Read(void *buffer, size_t size, size_t count)
{
    if (!buffer || !m_buffer || m_position >= m_size || size == 0 || count == 0)
        return 0;
    const size_t available = m_size - m_position;
    size_t bytes;
    if (count > std::numeric_limits<size_t>::max() / size)
        bytes = available;
    else
        bytes = std::min(size * count, available);
    std::memcpy(buffer, m_buffer + m_position, bytes);
    m_position += bytes;
    return bytes / size;
}

size_t CxMemFile::Write(const void *buffer, size_t size, size_t count)
{
    if (!m_buffer || !buffer || size == 0 || count == 0)
        return 0;
    if (count > kMaxMemFile / size)
        return 0;
    const size_t bytes = size * count;
    if (bytes > kMaxMemFile - m_position)
        return 0;
    const size_t end = m_position + bytes;
    if (!Reserve(end))
        return 0;
    std::memcpy(m_buffer + m_position, buffer, bytes);
    m_position = end;
    if (m_position > m_size)
        m_size = m_position;
    return count;
}

bool CxMemFile::Seek(int64_t offset, int origin)
{
    if (!m_buffer)
        return false;
    int64_t base;
    switch (origin) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = int64_t(m_position); break;
    case SEEK_END: base = int64_t(m_size); break;
    default: return false;
    }
    int64_t target;
    if (__builtin_add_overflow(base, offset, &target))
        target = offset < 0 ? 0 : int64_t(kMaxMemFile);
    if (target < 0)
        target = 0;
    if (uint64_t(target) > kMaxMemFile)
        target = int64_t(kMaxMemFile);
    m_position = size_t(target);
    return true;
}

int64_t CxMemFile::Tell()
{
    if (!m_buffer)
        return -1;
    return int64_t(m_position);
}

int64_t CxMemFile::Size()
{
    if (!m_buffer)
        return -1;
    return int64_t(m_size);
}

bool CxMemFile::Flush()
{
    return m_buffer != nullptr;
}

bool CxMemFile::Eof()
{
    if (!m_buffer)
        return true;
    return m_position >= m_size;
}

int32_t CxMemFile::Error()
{
    if (!m_buffer)
        return -1;
    return m_position > m_size ? 1 : 0;
}

bool CxMemFile::PutC(uint8_t c)
{
    if (!m_buffer || m_position >= kMaxMemFile)
        return false;
    if (!Reserve(m_position + 1))
        return false;
    m_buffer[m_position++] = c;
    if (m_position > m_size)
        m_size = m_position;
    return true;
}

int32_t CxMemFile::GetC()
{
    if (Eof())
        return -1;
    return m_buffer[m_position++];
}

char *CxMemFile::GetS(char *buffer, int32_t n)
{
    if (!buffer || n <= 0)
        return nullptr;
    int32_t stored = 0;
    while (stored < n - 1) {
        const int32_t c = GetC();
        if (c == -1)
            return nullptr;
        buffer[stored++] = char(c);
        if (c == '\n')
            break;
    }
    buffer[stored] = '\0';
    return buffer;
}

int32_t CxMemFile::Scanf(const char *, void *)
{
    return 0;
}
