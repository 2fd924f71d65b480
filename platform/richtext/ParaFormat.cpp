#include "platform/richtext/ParaFormat.h"

#include <algorithm>

void CParaFormat::Apply(const CParaFormat &change)
{
    if (change.mask & PFM_OFFSETINDENT)
        startIndent = std::max(0, startIndent + change.startIndent);
    else if (change.mask & PFM_STARTINDENT)
        startIndent = std::max(0, change.startIndent);
    if (change.mask & PFM_OFFSET)
        offset = change.offset;
    if (change.mask & PFM_ALIGNMENT)
        alignment = change.alignment;
    if (change.mask & PFM_NUMBERING)
        numbering = change.numbering;
    if (change.mask & PFM_NUMBERINGSTYLE)
        numberingStyle = change.numberingStyle;
    if (change.mask & PFM_NUMBERINGSTART)
        numberingStart = change.numberingStart;
}

void CParaFormat::NarrowMask(const CParaFormat &other)
{
    if (startIndent != other.startIndent)
        mask &= ~PFM_STARTINDENT;
    if (offset != other.offset)
        mask &= ~PFM_OFFSET;
    if (alignment != other.alignment)
        mask &= ~PFM_ALIGNMENT;
    if (numbering != other.numbering)
        mask &= ~PFM_NUMBERING;
    if (numberingStyle != other.numberingStyle)
        mask &= ~PFM_NUMBERINGSTYLE;
    if (numberingStart != other.numberingStart)
        mask &= ~PFM_NUMBERINGSTART;
}

bool CParaFormat::SameValues(const CParaFormat &other) const
{
    return alignment == other.alignment && startIndent == other.startIndent && offset == other.offset &&
           numbering == other.numbering && numberingStyle == other.numberingStyle &&
           numberingStart == other.numberingStart;
}
