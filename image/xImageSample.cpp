#include "image/ResampleKernels.h"
#include "image/SampleRect.h"
#include "image/xImage.h"

#include <cmath>

namespace {

const RGBQUAD kDefaultReplacement{255, 255, 255, 0};

bool UsesFixedEdge(int32_t edge)
{
    return edge == EdgeReplacement || edge == EdgeBackground || edge == EdgeTransparent;
}

// A sampler's window spans from `before` cells below the sample's cell (xi, yi) to `after` cells above
// it. When no pixel of it lies in the picture, an edge mode that moves points moves the sample and its
// cell is taken again; true means the edge colour stands for the whole sample instead.
bool WindowMissesPicture(const CxImage &image, float &x, float &y, int32_t &xi, int32_t &yi, int32_t before,
                         int32_t after, int32_t edge)
{
    if (xi + after >= 0 && xi - before < image.GetWidth() && yi + after >= 0 && yi - before < image.GetHeight())
        return false;
    if (UsesFixedEdge(edge) || !image.IsValid())
        return true;
    image.ApplyEdgeMode(x, y, edge);
    xi = CellOf(x);
    yi = CellOf(y);
    return false;
}

} // namespace

RGBQUAD CxImage::GetEdgePixelColor(int32_t x, int32_t y, int32_t edge, const RGBQUAD *replacement) const
{
    if (m_dib && ContainsPoint(x, y))
        return BlindGetPixelColor(x, y, true);
    RGBQUAD c = replacement ? *replacement : kDefaultReplacement;
    if (!m_dib)
        return c;
    switch (edge) {
    case EdgeTransparent:
        if (m_alpha) {
            c.rgbReserved = 0;
            return c;
        }
        return IsTransparent() ? GetTransColor() : c;
    case EdgeBackground:
        return IsTransparent() ? GetTransColor() : c;
    case EdgeWrap:
    case EdgeRepeat:
    case EdgeMirror:
        ApplyEdgeMode(x, y, edge);
        return BlindGetPixelColor(x, y, true);
    default:
        return c;
    }
}

namespace {

int32_t EdgeInt(int64_t v, int64_t size, int32_t edge)
{
    if (v >= 0 && v < size)
        return int32_t(v);
    switch (edge) {
    case EdgeWrap: {
        int64_t r = v % size;
        return int32_t(r < 0 ? r + size : r);
    }
    case EdgeRepeat:
        return int32_t(v < 0 ? 0 : size - 1);
    case EdgeMirror:
        if (v < 0)
            return int32_t((-v) % size);
        return int32_t(size - (v % size) - 1);
    default:
        return int32_t(v);
    }
}

float EdgeFloat(float v, float size, int32_t edge)
{
    if (v >= 0.0f && v < size)
        return v;
    switch (edge) {
    case EdgeWrap: {
        const float r = std::fmod(v, size);
        return r < 0.0f ? r + size : r;
    }
    case EdgeRepeat:
        return v < 0.0f ? 0.0f : size - 1.0f;
    case EdgeMirror:
        if (v < 0.0f)
            return std::fmod(-v, size);
        return size - std::fmod(v, size) - 1.0f;
    default:
        return v;
    }
}

} // namespace

void CxImage::ApplyEdgeMode(int32_t &x, int32_t &y, int32_t edge) const
{
    if (!m_dib || ContainsPoint(x, y))
        return;
    x = EdgeInt(x, GetWidth(), edge);
    y = EdgeInt(y, GetHeight(), edge);
}

void CxImage::ApplyEdgeMode(float &x, float &y, int32_t edge) const
{
    if (!m_dib)
        return;
    const float w = float(GetWidth());
    const float h = float(GetHeight());
    if (x >= 0.0f && x < w && y >= 0.0f && y < h)
        return;
    x = EdgeFloat(x, w, edge);
    y = EdgeFloat(y, h, edge);
}

RGBQUAD CxImage::SampleInterpolated(float x, float y, int32_t mode, int32_t edge, const RGBQUAD *replacement)
{
    x = Bounded(x);
    y = Bounded(y);
    if (mode == InterpolationNearest)
        return GetEdgePixelColor(int32_t(x + 0.5f), int32_t(y + 0.5f), edge, replacement);
    if (mode == InterpolationLanczos)
        return SampleLanczos(x, y, edge, replacement);
    if (KernelForMode(mode))
        return SampleKernel4(x, y, mode, edge, replacement);
    return SampleBilinear(x, y, edge, replacement);
}

RGBQUAD CxImage::SampleBilinear(float x, float y, int32_t edge, const RGBQUAD *replacement)
{
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    int32_t xi = CellOf(x);
    int32_t yi = CellOf(y);
    if (WindowMissesPicture(*this, x, y, xi, yi, 0, 1, edge))
        return GetEdgePixelColor(-999, -999, edge, replacement);

    if (m_dib && xi >= 0 && xi + 1 < width && yi >= 0 && yi + 1 < height && !IsIndexed()) {
        // 8.8 fixed point when the whole window is inside a picture without palette.
        const int32_t w1 = int32_t((x - float(xi)) * 256.0f);
        const int32_t w2 = int32_t((y - float(yi)) * 256.0f);
        const int32_t wd = (w1 * w2) >> 8;
        const int32_t wb = w1 - wd;
        const int32_t wc = w2 - wd;
        const int32_t wa = 256 - w1 - wc;
        const uint8_t *p0 = m_info.pixels + size_t(yi) * m_info.rowStride + size_t(xi) * 3;
        const uint8_t *p1 = p0 + m_info.rowStride;
        RGBQUAD c;
        c.rgbBlue = uint8_t((wa * p0[0] + wb * p0[3] + wc * p1[0] + wd * p1[3]) >> 8);
        c.rgbGreen = uint8_t((wa * p0[1] + wb * p0[4] + wc * p1[1] + wd * p1[4]) >> 8);
        c.rgbRed = uint8_t((wa * p0[2] + wb * p0[5] + wc * p1[2] + wd * p1[5]) >> 8);
        if (m_alpha) {
            const uint8_t *a0 = m_alpha + size_t(yi) * size_t(width) + size_t(xi);
            const uint8_t *a1 = a0 + width;
            c.rgbReserved = uint8_t((wa * a0[0] + wb * a0[1] + wc * a1[0] + wd * a1[1]) >> 8);
        } else {
            c.rgbReserved = 0;
        }
        return c;
    }

    const float t1 = x - float(xi);
    const float t2 = y - float(yi);
    const float w[4] = {(1 - t1) * (1 - t2), t1 * (1 - t2), (1 - t1) * t2, t1 * t2};
    const RGBQUAD p[4] = {
        GetEdgePixelColor(xi, yi, edge, replacement),
        GetEdgePixelColor(xi + 1, yi, edge, replacement),
        GetEdgePixelColor(xi, yi + 1, edge, replacement),
        GetEdgePixelColor(xi + 1, yi + 1, edge, replacement),
    };
    float r = 0, g = 0, b = 0, a = 0;
    for (int i = 0; i < 4; ++i)
        AccumulateWeighted(p[i], w[i], r, g, b, a);
    return RGBQUAD{ClampWeighted(b), ClampWeighted(g), ClampWeighted(r), m_alpha ? ClampWeighted(a) : uint8_t(0)};
}

RGBQUAD CxImage::SampleKernel4(float x, float y, int32_t mode, int32_t edge, const RGBQUAD *replacement)
{
    const KernelFunction kernel = KernelForMode(mode);
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    int32_t xi = CellOf(x);
    int32_t yi = CellOf(y);
    if (WindowMissesPicture(*this, x, y, xi, yi, 1, 2, edge))
        return GetEdgePixelColor(-999, -999, edge, replacement);
    float kx[4], ky[4];
    for (int i = 0; i < 4; ++i) {
        kx[i] = kernel(float(xi + i - 1) - x);
        ky[i] = kernel(float(yi + i - 1) - y);
    }
    const bool direct = m_dib && xi >= 1 && xi + 2 < width && yi >= 1 && yi + 2 < height && !IsIndexed();
    // Separable: each window row summed with the horizontal weights, then the row sums with the vertical
    // weights, in that order, which is the order the whole-picture pass keeps.
    float r = 0, g = 0, b = 0, a = 0;
    for (int j = 0; j < 4; ++j) {
        const int32_t py = yi + j - 1;
        float hr = 0, hg = 0, hb = 0, ha = 0;
        for (int i = 0; i < 4; ++i) {
            const int32_t px = xi + i - 1;
            RGBQUAD c;
            if (direct) {
                const uint8_t *p = m_info.pixels + size_t(py) * m_info.rowStride + size_t(px) * 3;
                c = RGBQUAD{p[0], p[1], p[2], m_alpha ? m_alpha[size_t(py) * size_t(width) + size_t(px)] : uint8_t(0)};
            } else {
                c = GetEdgePixelColor(px, py, edge, replacement);
            }
            AccumulateWeighted(c, kx[i], hr, hg, hb, ha);
        }
        r += hr * ky[j];
        g += hg * ky[j];
        b += hb * ky[j];
        a += ha * ky[j];
    }
    return RGBQUAD{ClampWeighted(b), ClampWeighted(g), ClampWeighted(r), m_alpha ? ClampWeighted(a) : uint8_t(0)};
}

RGBQUAD CxImage::SampleLanczos(float x, float y, int32_t edge, const RGBQUAD *replacement)
{
    int32_t xi = CellOf(x);
    int32_t yi = CellOf(y);
    if (WindowMissesPicture(*this, x, y, xi, yi, 5, 6, edge))
        return GetEdgePixelColor(-999, -999, edge, replacement);
    float kx[12], ky[12];
    for (int i = 0; i < 12; ++i) {
        kx[i] = LanczosKernel(float(xi - 5 + i) - x, 6.0f);
        ky[i] = LanczosKernel(float(yi - 5 + i) - y, 6.0f);
    }
    return LanczosWindow(xi, yi, kx, ky, edge, replacement);
}

RGBQUAD CxImage::LanczosWindow(int32_t xi, int32_t yi, const float *kx, const float *ky, int32_t edge,
                               const RGBQUAD *replacement) const
{
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const bool direct = m_dib && xi - 5 >= 0 && xi + 6 < width && yi - 5 >= 0 && yi + 6 < height && !IsIndexed();
    // Separable: each window row summed with the horizontal weights, then the row sums with the vertical
    // weights, in that order, which is the order the whole-picture pass keeps.
    float r = 0, g = 0, b = 0, a = 0;
    for (int j = 0; j < 12; ++j) {
        const int32_t py = yi - 5 + j;
        float hr = 0, hg = 0, hb = 0, ha = 0;
        if (direct) {
            const uint8_t *row = m_info.pixels + size_t(py) * m_info.rowStride;
            const uint8_t *alphaRow = m_alpha ? m_alpha + size_t(py) * size_t(width) : nullptr;
            for (int i = 0; i < 12; ++i) {
                const int32_t px = xi - 5 + i;
                const uint8_t *p = row + size_t(px) * 3;
                AccumulateWeighted(RGBQUAD{p[0], p[1], p[2], alphaRow ? alphaRow[px] : uint8_t(0)}, kx[i], hr, hg, hb,
                                   ha);
            }
        } else {
            for (int i = 0; i < 12; ++i)
                AccumulateWeighted(GetEdgePixelColor(xi - 5 + i, py, edge, replacement), kx[i], hr, hg, hb, ha);
        }
        r += hr * ky[j];
        g += hg * ky[j];
        b += hb * ky[j];
        a += ha * ky[j];
    }
    return RGBQUAD{ClampWeighted(b), ClampWeighted(g), ClampWeighted(r), m_alpha ? ClampWeighted(a) : uint8_t(0)};
}

RGBQUAD CxImage::SampleArea(float x, float y, float w, float h, int32_t mode, int32_t edge,
                            const RGBQUAD *replacement)
{
    if (w <= 1.0f && h <= 1.0f)
        return SampleInterpolated(x, y, mode, edge, replacement);
    x = Bounded(x);
    y = Bounded(y);
    const SampleRect area{{x - w / 2.0f, y - h / 2.0f}, {x + w / 2.0f, y + h / 2.0f}};
    const int32_t xi1 = int32_t(Bounded(area.bottomLeft.x + 0.5f));
    const int32_t yi1 = int32_t(Bounded(area.bottomLeft.y + 0.5f));
    const int32_t xi2 = int32_t(Bounded(area.topRight.x + 0.5f));
    const int32_t yi2 = int32_t(Bounded(area.topRight.y + 0.5f));
    auto unitSquare = [](int32_t px, int32_t py) {
        return SampleRect{{float(px) - 0.5f, float(py) - 0.5f}, {float(px) + 0.5f, float(py) + 0.5f}};
    };

    float r = 0, g = 0, b = 0, a = 0;
    if (w > 1.0f && h > 1.0f) {
        const SampleRect bl = area.Intersection(unitSquare(xi1, yi1));
        const SampleRect tr = area.Intersection(unitSquare(xi2, yi2));
        const float wBL = bl.Width(), hBL = bl.Height(), wTR = tr.Width(), hTR = tr.Height();
        auto add = [&](int32_t px, int32_t py, float weight) {
            AccumulateWeighted(GetEdgePixelColor(px, py, edge, replacement), weight, r, g, b, a);
        };
        add(xi1, yi1, wBL * hBL);
        add(xi2, yi1, wTR * hBL);
        add(xi1, yi2, wBL * hTR);
        add(xi2, yi2, wTR * hTR);
        for (int32_t px = xi1 + 1; px < xi2; ++px)
            add(px, yi1, hBL);
        for (int32_t px = xi1 + 1; px < xi2; ++px)
            add(px, yi2, hTR);
        for (int32_t py = yi1 + 1; py < yi2; ++py)
            add(xi1, py, wBL);
        for (int32_t py = yi1 + 1; py < yi2; ++py)
            add(xi2, py, wTR);
        for (int32_t py = yi1 + 1; py < yi2; ++py) {
            for (int32_t px = xi1 + 1; px < xi2; ++px)
                add(px, py, 1.0f);
        }
    } else {
        for (int32_t py = yi1; py <= yi2; ++py) {
            for (int32_t px = xi1; px <= xi2; ++px) {
                const SampleRect part = area.Intersection(unitSquare(px, py));
                const SamplePoint centre = part.Centre();
                AccumulateWeighted(SampleInterpolated(centre.x, centre.y, mode, edge, replacement), part.Surface(), r,
                                   g, b, a);
            }
        }
    }
    const float surface = area.Surface();
    return RGBQUAD{ClampWeighted(b / surface), ClampWeighted(g / surface), ClampWeighted(r / surface),
                   m_alpha ? ClampWeighted(a / surface) : uint8_t(0)};
}
