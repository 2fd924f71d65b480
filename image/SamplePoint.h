#pragma once

// A position in pixel units, pixel centres at whole numbers.
struct SamplePoint
{
    float x = 0.0f;
    float y = 0.0f;
};
