#include "image/ResampleKernels.h"

#include <cmath>

namespace {

float Cube(float v)
{
    return v * v * v;
}

} // namespace

float CubicBSplineKernel(float t)
{
    if (t > 2.0f)
        return 0.0f;
    const float a = t + 2.0f > 0.0f ? Cube(t + 2.0f) : 0.0f;
    const float b = t + 1.0f > 0.0f ? Cube(t + 1.0f) : 0.0f;
    const float c = t > 0.0f ? Cube(t) : 0.0f;
    const float d = t - 1.0f > 0.0f ? Cube(t - 1.0f) : 0.0f;
    return (a - 4.0f * b + 6.0f * c - 4.0f * d) * 0.16666667f;
}

float CubicKernel(float t)
{
    const float u = std::fabs(t);
    if (u < 1.0f)
        return 1.0f - 2.0f * u * u + u * u * u;
    if (u < 2.0f)
        return 4.0f - 8.0f * u + 5.0f * u * u - u * u * u;
    return 0.0f;
}

float GeneralCubicKernel(float t, float a)
{
    const float u = std::fabs(t);
    if (u < 1.0f)
        return (a + 2.0f) * u * u * u - (a + 3.0f) * u * u + 1.0f;
    if (u < 2.0f)
        return a * u * u * u - 5.0f * a * u * u + 8.0f * a * u - 4.0f * a;
    return 0.0f;
}

float LanczosKernel(float t, float r)
{
    if (std::fabs(t) > r)
        return 0.0f;
    if (t == 0.0f)
        return 1.0f;
    const float pt = kPi * t;
    const float ptr = pt / r;
    return (std::sin(pt) / pt) * (std::sin(ptr) / ptr);
}

float BoxKernel(float t)
{
    return (t >= -0.5f && t < 0.5f) ? 1.0f : 0.0f;
}

float HermiteKernel(float t)
{
    if (t < -1.0f || t >= 1.0f)
        return 0.0f;
    const float u = std::fabs(t);
    return 2.0f * u * u * u - 3.0f * u * u + 1.0f;
}

float HammingKernel(float t)
{
    if (t < -1.0f || t >= 1.0f)
        return 0.0f;
    const float u = std::fabs(t);
    return 0.92f * (2.0f * u * u * u - 3.0f * u * u) + 1.0f;
}

float SincKernel(float t)
{
    if (t == 0.0f)
        return 1.0f;
    const float pt = kPi * t;
    return std::sin(pt) / pt;
}

float BlackmanKernel(float t)
{
    return 0.42f + 0.5f * std::cos(kPi * t) + 0.08f * std::cos(2.0f * kPi * t);
}

float BesselKernel(float t)
{
    if (t == 0.0f)
        return 0.7853982f;
    return BesselJ1(kPi * t) / (2.0f * t);
}

float GaussianKernel(float t)
{
    return std::exp(-2.0f * t * t) * 0.7978846f;
}

float QuadraticKernel(float t)
{
    if (t < -1.5f)
        return 0.0f;
    if (t < -0.5f)
        return 0.5f * (t + 1.5f) * (t + 1.5f);
    if (t < 0.5f)
        return 0.75f - t * t;
    if (t < 1.5f)
        return 0.5f * (t - 1.5f) * (t - 1.5f);
    return 0.0f;
}

float MitchellKernel(float t)
{
    const float u = std::fabs(t);
    if (u < 1.0f)
        return (7.0f / 6.0f) * u * u * u - 2.0f * u * u + 8.0f / 9.0f;
    if (u < 2.0f)
        return -(7.0f / 18.0f) * u * u * u + 2.0f * u * u - (10.0f / 3.0f) * u + 16.0f / 9.0f;
    return 0.0f;
}

float CatmullRomKernel(float t)
{
    const float u = std::fabs(t);
    if (u < 1.0f)
        return 0.5f * (3.0f * u * u * u - 5.0f * u * u + 2.0f);
    if (u < 2.0f)
        return 0.5f * (-u * u * u + 5.0f * u * u - 8.0f * u + 4.0f);
    return 0.0f;
}

float HanningKernel(float t)
{
    if (std::fabs(t) > 1.0f)
        return 0.0f;
    if (t == 0.0f)
        return 1.0f;
    const float pt = kPi * t;
    return (0.5f + 0.5f * std::cos(pt)) * std::sin(pt) / pt;
}

float PowerKernel(float t, float a)
{
    if (std::fabs(t) > 1.0f)
        return 0.0f;
    return 1.0f - std::fabs(std::pow(t, a));
}

float BesselJ1(float x)
{
    if (x == 0.0f)
        return 0.0f;
    // J1 is odd; the library evaluates it for non-negative arguments.
    const double v = std::cyl_bessel_j(1.0, double(std::fabs(x)));
    return float(x < 0.0f ? -v : v);
}

namespace {

float Bicubic2Kernel(float t)
{
    return GeneralCubicKernel(t, -0.5f);
}

float SquareKernel(float t)
{
    return PowerKernel(t, 2.0f);
}

// Indexed by interpolation mode; null where the mode is not a 4 x 4 kernel.
const KernelFunction kKernels[19] = {
    nullptr,            // 0
    nullptr,            // 1 nearest
    nullptr,            // 2 bilinear
    CubicBSplineKernel, // 3
    CubicKernel,        // 4
    Bicubic2Kernel,     // 5
    nullptr,            // 6 Lanczos, 12 x 12
    BoxKernel,          // 7
    HermiteKernel,      // 8
    HammingKernel,      // 9
    SincKernel,         // 10
    BlackmanKernel,     // 11
    BesselKernel,       // 12
    GaussianKernel,     // 13
    QuadraticKernel,    // 14
    MitchellKernel,     // 15
    CatmullRomKernel,   // 16
    HanningKernel,      // 17
    SquareKernel,       // 18
};

} // namespace

KernelFunction KernelForMode(int32_t mode)
{
    if (mode < 0 || mode > 18)
        return nullptr;
    return kKernels[mode];
}
