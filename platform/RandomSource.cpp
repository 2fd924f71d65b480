#include "platform/RandomSource.h"

#include <chrono>

CSeededRandom::CSeededRandom()
    : m_state(uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^ 0x9E3779B97F4A7C15ull)
{
}

int CSeededRandom::Next()
{
    // SplitMix64: good enough spread for picking words and pictures, and the same on every platform.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return int(z & 0x7FFF);
}
