#include "image/xImage.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int32_t kTile = 64;
}

// Quarter turns. Destination pixel (x, y) takes source pixel (y, newWidth - 1 - x) for a left turn and
// (newHeight - 1 - y, x) for a right turn; work goes in 64 x 64 destination tiles to keep reads local.
bool CxImage::RotateLeft(CxImage *destination)
{
    if (!m_dib)
        return false;
    const int32_t newWidth = GetHeight();
    const int32_t newHeight = GetWidth();
    CxImage turned;
    turned.CopyAttributes(*this);
    if (!turned.Create(uint32_t(newWidth), uint32_t(newHeight), GetBpp(), GetFormatId()))
        return false;
    turned.SetPalette(GetPalette(), GetNumColors());
    if (m_alpha && !turned.AlphaCreate())
        return false;
    if (m_selection && !turned.SelectionCreate())
        return false;

    const uint32_t bytes = GetBpp() == 24 ? 3 : 0;
    for (int32_t tx = 0; tx < newWidth; tx += kTile) {
        m_info.progress = int32_t(100LL * tx / newWidth);
        for (int32_t ty = 0; ty < newHeight; ty += kTile) {
            const int32_t xEnd = std::min(tx + kTile, newWidth);
            const int32_t yEnd = std::min(ty + kTile, newHeight);
            for (int32_t y = ty; y < yEnd; ++y) {
                for (int32_t x = tx; x < xEnd; ++x) {
                    const int32_t sx = y;
                    const int32_t sy = newWidth - 1 - x;
                    if (bytes)
                        std::memcpy(turned.m_info.pixels + size_t(y) * turned.m_info.rowStride + size_t(x) * 3,
                                    m_info.pixels + size_t(sy) * m_info.rowStride + size_t(sx) * 3, 3);
                    else
                        turned.BlindSetPixelIndex(x, y, BlindGetPixelIndex(sx, sy));
                    if (m_alpha)
                        turned.m_alpha[size_t(y) * size_t(newWidth) + size_t(x)] = BlindAlphaGet(sx, sy);
                    if (m_selection)
                        turned.m_selection[size_t(y) * size_t(newWidth) + size_t(x)] = SelectionGet(sx, sy);
                }
            }
        }
    }
    const RECT box = m_info.selectionBox;
    turned.m_info.selectionBox = RECT{newWidth - box.top, box.right, newWidth - box.bottom, box.left};
    return (destination ? destination : this)->TakeOver(turned, true);
}

bool CxImage::RotateRight(CxImage *destination)
{
    if (!m_dib)
        return false;
    const int32_t newWidth = GetHeight();
    const int32_t newHeight = GetWidth();
    CxImage turned;
    turned.CopyAttributes(*this);
    if (!turned.Create(uint32_t(newWidth), uint32_t(newHeight), GetBpp(), GetFormatId()))
        return false;
    turned.SetPalette(GetPalette(), GetNumColors());
    if (m_alpha && !turned.AlphaCreate())
        return false;
    if (m_selection && !turned.SelectionCreate())
        return false;

    const uint32_t bytes = GetBpp() == 24 ? 3 : 0;
    for (int32_t ty = 0; ty < newHeight; ty += kTile) {
        m_info.progress = int32_t(100LL * ty / newHeight);
        for (int32_t tx = 0; tx < newWidth; tx += kTile) {
            const int32_t xEnd = std::min(tx + kTile, newWidth);
            const int32_t yEnd = std::min(ty + kTile, newHeight);
            for (int32_t y = ty; y < yEnd; ++y) {
                for (int32_t x = tx; x < xEnd; ++x) {
                    const int32_t sx = newHeight - 1 - y;
                    const int32_t sy = x;
                    if (bytes)
                        std::memcpy(turned.m_info.pixels + size_t(y) * turned.m_info.rowStride + size_t(x) * 3,
                                    m_info.pixels + size_t(sy) * m_info.rowStride + size_t(sx) * 3, 3);
                    else
                        turned.BlindSetPixelIndex(x, y, BlindGetPixelIndex(sx, sy));
                    if (m_alpha)
                        turned.m_alpha[size_t(y) * size_t(newWidth) + size_t(x)] = BlindAlphaGet(sx, sy);
                    if (m_selection)
                        turned.m_selection[size_t(y) * size_t(newWidth) + size_t(x)] = SelectionGet(sx, sy);
                }
            }
        }
    }
    const RECT box = m_info.selectionBox;
    turned.m_info.selectionBox = RECT{box.bottom, newHeight - box.left, box.top, newHeight - box.right};
    return (destination ? destination : this)->TakeOver(turned, true);
}
