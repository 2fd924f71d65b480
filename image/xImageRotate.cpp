#include "image/xImage.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int32_t kTile = 64;
}

bool CxImage::RotateLeft(CxImage *destination)
{
    return QuarterTurn(destination, true);
}

bool CxImage::RotateRight(CxImage *destination)
{
    return QuarterTurn(destination, false);
}

// Destination pixel (x, y) takes source pixel (y, newWidth - 1 - x) for a left turn and
// (newHeight - 1 - y, x) for a right turn: the source column depends on y only and the source row on x
// only. Work goes in 64 x 64 destination tiles to keep reads local; a left turn walks the tiles column
// by column and reports progress by column, a right turn row by row.
bool CxImage::QuarterTurn(CxImage *destination, bool left)
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

    // sx = sxFirst + sxStep * y, sy = syFirst + syStep * x.
    const int32_t sxFirst = left ? 0 : newHeight - 1;
    const int32_t sxStep = left ? 1 : -1;
    const int32_t syFirst = left ? newWidth - 1 : 0;
    const int32_t syStep = left ? -1 : 1;
    const int32_t outerSize = left ? newWidth : newHeight;
    const int32_t innerSize = left ? newHeight : newWidth;
    const uint32_t bytes = GetBpp() == 24 ? 3 : 0;
    for (int32_t outer = 0; outer < outerSize; outer += kTile) {
        m_info.progress = int32_t(100LL * outer / outerSize);
        for (int32_t inner = 0; inner < innerSize; inner += kTile) {
            const int32_t tx = left ? outer : inner;
            const int32_t ty = left ? inner : outer;
            const int32_t xEnd = std::min(tx + kTile, newWidth);
            const int32_t yEnd = std::min(ty + kTile, newHeight);
            for (int32_t y = ty; y < yEnd; ++y) {
                const int32_t sx = sxFirst + sxStep * y;
                for (int32_t x = tx; x < xEnd; ++x) {
                    const int32_t sy = syFirst + syStep * x;
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
    turned.m_info.selectionBox = left ? RECT{newWidth - box.top, box.right, newWidth - box.bottom, box.left}
                                      : RECT{box.bottom, newHeight - box.left, box.top, newHeight - box.right};
    return (destination ? destination : this)->TakeOver(turned, true);
}
