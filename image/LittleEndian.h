#pragma once

// The little-endian fields of bitmap and icon files: read from bytes, appended to a byte vector.

#include <cstdint>
#include <vector>

inline uint16_t Le16(const uint8_t *p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

inline uint32_t Le32(const uint8_t *p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline void Put16(std::vector<uint8_t> &out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void Put32(std::vector<uint8_t> &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
