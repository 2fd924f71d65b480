#pragma once

// The interpolation kernels of the resampler. t is the signed distance in pixels between a source pixel
// centre and the sample position. Weights are used as computed: no kernel is normalised.

#include "image/xImageTypes.h"

inline constexpr float kPi = 3.1415927f;

float CubicBSplineKernel(float t);
float CubicKernel(float t);
float GeneralCubicKernel(float t, float a);
float LanczosKernel(float t, float r);
float BoxKernel(float t);
float HermiteKernel(float t);
float HammingKernel(float t);
float SincKernel(float t);
float BlackmanKernel(float t);
float BesselKernel(float t);
float GaussianKernel(float t);
float QuadraticKernel(float t);
float MitchellKernel(float t);
float CatmullRomKernel(float t);
float HanningKernel(float t);
float PowerKernel(float t, float a);
float BesselJ1(float x);

// The kernel of a 4 x 4 interpolation mode (3 to 5 and 7 to 18), or null for the other modes.
using KernelFunction = float (*)(float);
KernelFunction KernelForMode(int32_t mode);

// Truncation toward zero, one less for negative positions (so a negative whole number gives one less
// than its floor): the cell whose window a sample position uses.
inline int32_t CellOf(float v)
{
    const int32_t i = int32_t(v);
    return v < 0.0f ? i - 1 : i;
}

// Keeps positions far outside any picture within integer range; edge handling takes it from there.
inline float Bounded(float v)
{
    if (!(v > -1e8f))
        return -1e8f;
    if (!(v < 1e8f))
        return 1e8f;
    return v;
}

// A weighted sum as a channel value: clamped to 0..255, then truncated.
inline uint8_t ClampWeighted(float v)
{
    if (v <= 0.0f)
        return 0;
    if (v >= 255.0f)
        return 255;
    return uint8_t(v);
}

// Adds red, green, blue and alpha of a colour times the weight.
inline void AccumulateWeighted(RGBQUAD c, float weight, float &r, float &g, float &b, float &a)
{
    r += c.rgbRed * weight;
    g += c.rgbGreen * weight;
    b += c.rgbBlue * weight;
    a += c.rgbReserved * weight;
}
