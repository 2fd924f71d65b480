#pragma once

#include <cstdint>

// Paragraph format masks and values with the numbers the rich-edit interface gives them.
constexpr uint32_t PFM_STARTINDENT = 0x00000001;
constexpr uint32_t PFM_OFFSET = 0x00000004;
constexpr uint32_t PFM_ALIGNMENT = 0x00000008;
constexpr uint32_t PFM_NUMBERING = 0x00000020;
constexpr uint32_t PFM_NUMBERINGSTYLE = 0x00002000;
constexpr uint32_t PFM_NUMBERINGSTART = 0x00008000;
constexpr uint32_t PFM_OFFSETINDENT = 0x80000000; // start indent is a change, not a value
constexpr uint32_t PFM_ALL = PFM_STARTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_NUMBERING |
                             PFM_NUMBERINGSTYLE | PFM_NUMBERINGSTART;

constexpr int PFA_LEFT = 1;
constexpr int PFA_RIGHT = 2;
constexpr int PFA_CENTER = 3;
constexpr int PFA_JUSTIFY = 4;

constexpr int PFN_BULLET = 1;
constexpr int PFN_ARABIC = 2;
constexpr int PFN_LCLETTER = 3;
constexpr int PFN_UCLETTER = 4;
constexpr int PFN_LCROMAN = 5;
constexpr int PFN_UCROMAN = 6;

constexpr int PFNS_PAREN = 0x000;    // "1)"
constexpr int PFNS_PARENS = 0x100;   // "(1)"
constexpr int PFNS_PERIOD = 0x200;   // "1."
constexpr int PFNS_PLAIN = 0x300;    // "1"
constexpr int PFNS_NONUMBER = 0x400; // a list paragraph without a number or bullet of its own

// One paragraph format. The start indent is where the first line begins; the offset is where the
// following lines (and the text after a bullet) begin relative to it. All in twips.
struct CParaFormat
{
    uint32_t mask = 0;
    int alignment = PFA_LEFT;
    int startIndent = 0;
    int offset = 0;
    int numbering = 0;
    int numberingStyle = PFNS_PAREN;
    int numberingStart = 0;

    // Copies the fields that `change` carries in its mask; PFM_OFFSETINDENT moves the start indent by the
    // change's start indent instead of setting it, and the start indent never goes below 0.
    void Apply(const CParaFormat &change);
    // Clears the mask bits of the fields in which `other` differs.
    void NarrowMask(const CParaFormat &other);
    bool SameValues(const CParaFormat &other) const;
};
