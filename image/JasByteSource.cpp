#include "image/JasByteSource.h"

#include "image/xFile.h"

#include <algorithm>

int JasByteSource::Get()
{
    if (m_peeked != -2) {
        const int c = m_peeked;
        m_peeked = -2;
        return c;
    }
    return m_file->GetC();
}

int JasByteSource::Peek()
{
    if (m_peeked == -2)
        m_peeked = m_file->GetC();
    return m_peeked;
}

bool JasByteSource::SkipSpace(bool comments)
{
    for (;;) {
        const int c = Peek();
        if (c < 0)
            return false;
        if (comments && c == '#') {
            while (Peek() >= 0 && Peek() != '\n' && Peek() != '\r')
                Get();
            continue;
        }
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\v' && c != '\f')
            return true;
        Get();
    }
}

bool JasByteSource::ReadNumber(uint32_t &value, bool comments)
{
    if (!SkipSpace(comments))
        return false;
    uint32_t v = 0;
    int digits = 0;
    while (Peek() >= '0' && Peek() <= '9') {
        if (++digits > 9)
            return false;
        v = v * 10 + uint32_t(Get() - '0');
    }
    value = v;
    return digits > 0;
}

uint64_t JasByteSource::Remaining()
{
    const int64_t size = m_file->Size();
    const int64_t at = m_file->Tell();
    if (size < 0 || at < 0 || at > size)
        return 0;
    return uint64_t(size - at) + (m_peeked >= 0 ? 1 : 0);
}

bool JasByteSource::ReadBlock(std::vector<uint8_t> &out, uint64_t n)
{
    if (n > Remaining())
        return false;
    ReadAvailable(out, n);
    return out.size() == n;
}

void JasByteSource::ReadAvailable(std::vector<uint8_t> &out, uint64_t n)
{
    n = std::min(n, Remaining());
    out.resize(size_t(n));
    size_t at = 0;
    if (n > 0 && m_peeked >= 0) {
        out[at++] = uint8_t(Get());
    }
    if (at < out.size())
        out.resize(at + m_file->Read(out.data() + at, 1, out.size() - at));
}
