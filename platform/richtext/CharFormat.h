#pragma once

#include <QString>

#include <cstdint>

// Character format masks and effects with the values the rich-edit interface gives them. A mask bit says
// which attribute a format carries: when setting, which attributes to change; when reading a range, which
// attributes are the same over the whole range.
constexpr uint32_t CFM_BOLD = 0x00000001;
constexpr uint32_t CFM_ITALIC = 0x00000002;
constexpr uint32_t CFM_UNDERLINE = 0x00000004;
constexpr uint32_t CFM_STRIKEOUT = 0x00000008;
constexpr uint32_t CFM_LINK = 0x00000020;
constexpr uint32_t CFM_HIDDEN = 0x00000100;
constexpr uint32_t CFM_OFFSET = 0x10000000;
constexpr uint32_t CFM_FACE = 0x20000000;
constexpr uint32_t CFM_COLOR = 0x40000000;
constexpr uint32_t CFM_SIZE = 0x80000000;
constexpr uint32_t CFM_ALL = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_LINK | CFM_HIDDEN |
                             CFM_OFFSET | CFM_FACE | CFM_COLOR | CFM_SIZE;

constexpr uint32_t CFE_BOLD = 0x00000001;
constexpr uint32_t CFE_ITALIC = 0x00000002;
constexpr uint32_t CFE_UNDERLINE = 0x00000004;
constexpr uint32_t CFE_STRIKEOUT = 0x00000008;
constexpr uint32_t CFE_LINK = 0x00000020;
constexpr uint32_t CFE_HIDDEN = 0x00000100;
constexpr uint32_t CFE_AUTOCOLOR = 0x40000000; // governed by CFM_COLOR

// One character format: face, size and raise in twips, COLORREF colour (0x00BBGGRR) and effects.
struct CCharFormat
{
    uint32_t mask = 0;
    uint32_t effects = 0;
    int height = 0;      // twips
    int offset = 0;      // twips, positive raises the text
    uint32_t colour = 0; // COLORREF; meaningless while CFE_AUTOCOLOR is set
    QString face;

    bool Has(uint32_t effect) const { return (effects & effect) != 0; }
    void SetEffect(uint32_t effect, bool on) { effects = on ? (effects | effect) : (effects & ~effect); }

    // Copies the attributes that `change` carries in its mask onto this format.
    void Apply(const CCharFormat &change);
    // Clears the mask bits of the attributes in which `other` differs from this format.
    void NarrowMask(const CCharFormat &other);
    // Attribute values equal (the mask is not compared).
    bool SameValues(const CCharFormat &other) const;
    // Equal in everything the RTF text carries (the link effect is not written to RTF).
    bool SameInRtf(const CCharFormat &other) const;
};
