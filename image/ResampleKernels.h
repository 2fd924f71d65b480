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

// Adds red, green, blue and alpha of a colour times the weight.
inline void AccumulateWeighted(RGBQUAD c, float weight, float &r, float &g, float &b, float &a)
{
    r += c.rgbRed * weight;
    g += c.rgbGreen * weight;
    b += c.rgbBlue * weight;
    a += c.rgbReserved * weight;
}
