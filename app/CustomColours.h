#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The custom colours of the colour dialog: sixteen COLORREF slots, white until the author defines them,
// shared by every colour dialog of the session so a colour mixed for one control is offered to the next.
class CCustomColours
{
public:
    static constexpr int kCount = 16;

    CCustomColours() { m_colours.fill(0xFFFFFF); }

    // The one set of the running program.
    static CCustomColours &Shared();

    uint32_t Get(int slot) const { return InRange(slot) ? m_colours[std::size_t(slot)] : 0xFFFFFF; }
    // Slots outside 0..15 are ignored; the top byte of a colour is dropped.
    void Set(int slot, uint32_t colour)
    {
        if (InRange(slot))
            m_colours[std::size_t(slot)] = colour & 0xFFFFFF;
    }

private:
    static bool InRange(int slot) { return slot >= 0 && slot < kCount; }

    std::array<uint32_t, kCount> m_colours;
};
