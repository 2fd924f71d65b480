#include "image/xImage.h"

#include "image/ResampleKernels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int32_t CellOf(float v)
{
    const int32_t i = int32_t(v);
    return v < 0.0f ? i - 1 : i;
}

} // namespace

bool CxImage::Resample(int32_t newWidth, int32_t newHeight, int32_t mode, int32_t edge, CxImage *destination,
                       bool disableAveraging)
{
    if (newWidth <= 0 || newHeight <= 0 || !m_dib)
        return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    if (newWidth == width && newHeight == height) {
        if (destination && destination != this)
            destination->CopyFrom(*this, true, true, true);
        return true;
    }

    const float xScale = float(width) / float(newWidth);
    const float yScale = float(height) / float(newHeight);

    CxImage target;
    target.CopyAttributes(*this);
    target.Create(uint32_t(newWidth), uint32_t(newHeight), GetBpp(), GetFormatId());
    if (!target.IsValid()) {
        SetErrorText(target.GetErrorText());
        return false;
    }
    target.SetPalette(GetPalette(), GetNumColors());
    if (m_alpha)
        target.AlphaCreate();

    bool alphaWritten = false;
    const bool pointSampling = (xScale <= 1.0f && yScale <= 1.0f) || disableAveraging;
    if (pointSampling && mode == InterpolationLanczos && !IsIndexed()) {
        alphaWritten = ResampleLanczos(target, xScale, yScale, edge);
    } else if (pointSampling) {
        alphaWritten = !IsIndexed();
        for (int32_t dY = 0; dY < newHeight; ++dY) {
            m_info.progress = int32_t(100LL * dY / newHeight);
            if (m_info.escape)
                break;
            const float sY = (float(dY) + 0.5f) * yScale - 0.5f;
            uint8_t *row = target.GetRowPointer(uint32_t(dY));
            uint8_t *alphaRow = target.m_alpha ? target.m_alpha + size_t(dY) * size_t(newWidth) : nullptr;
            for (int32_t dX = 0; dX < newWidth; ++dX) {
                const float sX = (float(dX) + 0.5f) * xScale - 0.5f;
                const RGBQUAD c = SampleInterpolated(sX, sY, mode, edge, nullptr);
                if (IsIndexed()) {
                    target.BlindSetPixelColor(dX, dY, c, true);
                } else {
                    row[3 * dX] = c.rgbBlue;
                    row[3 * dX + 1] = c.rgbGreen;
                    row[3 * dX + 2] = c.rgbRed;
                    if (alphaRow)
                        alphaRow[dX] = c.rgbReserved;
                }
            }
        }
    } else {
        for (int32_t dY = 0; dY < newHeight; ++dY) {
            m_info.progress = int32_t(100LL * dY / newHeight);
            if (m_info.escape)
                break;
            const float sY = (float(dY) + 0.5f) * yScale - 0.5f;
            for (int32_t dX = 0; dX < newWidth; ++dX) {
                const float sX = (float(dX) + 0.5f) * xScale - 0.5f;
                target.BlindSetPixelColor(dX, dY, SampleArea(sX, sY, xScale, yScale, mode, edge, nullptr), true);
            }
        }
    }

    // Averaged or palette results take their alpha from the nearest source pixel.
    if (m_alpha && !alphaWritten && target.m_alpha) {
        for (int32_t y = 0; y < newHeight; ++y) {
            const int32_t sy = std::min(int32_t(float(y) * yScale), height - 1);
            for (int32_t x = 0; x < newWidth; ++x) {
                const int32_t sx = std::min(int32_t(float(x) * xScale), width - 1);
                target.m_alpha[size_t(y) * size_t(newWidth) + size_t(x)] = BlindAlphaGet(sx, sy);
            }
        }
    }
    return (destination ? destination : this)->TakeOver(target, true);
}

// Lanczos enlarging is the costly case: every sample needs 24 kernel values. A destination column always
// samples at the same source x and a row at the same y, so the weights are computed once per column and
// per row, with exactly the arguments a single sample would use.
bool CxImage::ResampleLanczos(CxImage &target, float xScale, float yScale, int32_t edge)
{
    const int32_t newWidth = target.GetWidth();
    const int32_t newHeight = target.GetHeight();
    std::vector<int32_t> columnCell(static_cast<size_t>(newWidth));
    std::vector<float> columnWeights(static_cast<size_t>(newWidth) * 12);
    for (int32_t dX = 0; dX < newWidth; ++dX) {
        const float sX = (float(dX) + 0.5f) * xScale - 0.5f;
        const int32_t xi = CellOf(sX);
        columnCell[size_t(dX)] = xi;
        for (int i = 0; i < 12; ++i)
            columnWeights[size_t(dX) * 12 + size_t(i)] = LanczosKernel(float(xi - 5 + i) - sX, 6.0f);
    }
    for (int32_t dY = 0; dY < newHeight; ++dY) {
        m_info.progress = int32_t(100LL * dY / newHeight);
        if (m_info.escape)
            break;
        const float sY = (float(dY) + 0.5f) * yScale - 0.5f;
        const int32_t yi = CellOf(sY);
        float ky[12];
        for (int i = 0; i < 12; ++i)
            ky[i] = LanczosKernel(float(yi - 5 + i) - sY, 6.0f);
        uint8_t *row = target.GetRowPointer(uint32_t(dY));
        uint8_t *alphaRow = target.m_alpha ? target.m_alpha + size_t(dY) * size_t(newWidth) : nullptr;
        for (int32_t dX = 0; dX < newWidth; ++dX) {
            const RGBQUAD c =
                LanczosWindow(columnCell[size_t(dX)], yi, &columnWeights[size_t(dX) * 12], ky, edge, nullptr);
            row[3 * dX] = c.rgbBlue;
            row[3 * dX + 1] = c.rgbGreen;
            row[3 * dX + 2] = c.rgbRed;
            if (alphaRow)
                alphaRow[dX] = c.rgbReserved;
        }
    }
    return true;
}
