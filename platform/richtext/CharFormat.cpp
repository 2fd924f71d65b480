#include "platform/richtext/CharFormat.h"

namespace {

// Mask bit and effect bit of the on/off attributes.
struct EffectBit
{
    uint32_t mask;
    uint32_t effect;
};

constexpr EffectBit kEffectBits[] = {
    {CFM_BOLD, CFE_BOLD},           {CFM_ITALIC, CFE_ITALIC}, {CFM_UNDERLINE, CFE_UNDERLINE},
    {CFM_STRIKEOUT, CFE_STRIKEOUT}, {CFM_LINK, CFE_LINK},     {CFM_HIDDEN, CFE_HIDDEN},
};

bool SameColour(const CCharFormat &a, const CCharFormat &b)
{
    if (a.Has(CFE_AUTOCOLOR) != b.Has(CFE_AUTOCOLOR))
        return false;
    return a.Has(CFE_AUTOCOLOR) || a.colour == b.colour;
}

} // namespace

void CCharFormat::Apply(const CCharFormat &change)
{
    for (const EffectBit &bit : kEffectBits)
        if (change.mask & bit.mask)
            SetEffect(bit.effect, change.Has(bit.effect));
    if (change.mask & CFM_COLOR) {
        colour = change.colour;
        SetEffect(CFE_AUTOCOLOR, change.Has(CFE_AUTOCOLOR));
    }
    if (change.mask & CFM_FACE)
        face = change.face;
    if (change.mask & CFM_SIZE)
        height = change.height;
    if (change.mask & CFM_OFFSET)
        offset = change.offset;
}

void CCharFormat::NarrowMask(const CCharFormat &other)
{
    for (const EffectBit &bit : kEffectBits)
        if (Has(bit.effect) != other.Has(bit.effect))
            mask &= ~bit.mask;
    if (!SameColour(*this, other))
        mask &= ~CFM_COLOR;
    if (face.compare(other.face, Qt::CaseInsensitive) != 0)
        mask &= ~CFM_FACE;
    if (height != other.height)
        mask &= ~CFM_SIZE;
    if (offset != other.offset)
        mask &= ~CFM_OFFSET;
}

bool CCharFormat::SameValues(const CCharFormat &other) const
{
    return SameInRtf(other) && Has(CFE_LINK) == other.Has(CFE_LINK);
}

bool CCharFormat::SameInRtf(const CCharFormat &other) const
{
    const uint32_t written = effects & ~CFE_LINK & ~CFE_AUTOCOLOR;
    const uint32_t otherWritten = other.effects & ~CFE_LINK & ~CFE_AUTOCOLOR;
    return written == otherWritten && SameColour(*this, other) && height == other.height &&
           offset == other.offset && face == other.face;
}
