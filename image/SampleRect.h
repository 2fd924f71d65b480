#pragma once

#include "image/SamplePoint.h"

#include <algorithm>

// An axis-aligned rectangle of the area sampler, from its bottom-left to its top-right corner.
struct SampleRect
{
    SamplePoint bottomLeft;
    SamplePoint topRight;

    float Width() const { return topRight.x - bottomLeft.x; }
    float Height() const { return topRight.y - bottomLeft.y; }
    float Surface() const { return Width() * Height(); }
    SamplePoint Centre() const
    {
        return SamplePoint{(topRight.x + bottomLeft.x) / 2.0f, (topRight.y + bottomLeft.y) / 2.0f};
    }
    // The common part; (0, 0, 0, 0) when the rectangles do not overlap.
    SampleRect Intersection(const SampleRect &other) const
    {
        SampleRect r{{std::max(bottomLeft.x, other.bottomLeft.x), std::max(bottomLeft.y, other.bottomLeft.y)},
                     {std::min(topRight.x, other.topRight.x), std::min(topRight.y, other.topRight.y)}};
        if (r.topRight.x < r.bottomLeft.x || r.topRight.y < r.bottomLeft.y)
            return SampleRect{};
        return r;
    }
};
