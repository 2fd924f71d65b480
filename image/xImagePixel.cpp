#include "image/xImage.h"

#include <cstdlib>
#include <cstring>

uint8_t CxImage::GetPixelIndex(int32_t x, int32_t y) const
{
    if (!m_dib || !IsIndexed())
        return 0;
    if (!ContainsPoint(x, y)) {
        if (m_info.transIndex >= 0)
            return uint8_t(m_info.transIndex);
        return BlindGetPixelIndex(0, 0);
    }
    return BlindGetPixelIndex(x, y);
}

uint8_t CxImage::BlindGetPixelIndex(int32_t x, int32_t y) const
{
    const uint8_t *row = m_info.pixels + size_t(y) * m_info.rowStride;
    switch (GetBpp()) {
    case 8: return row[x];
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : uint8_t(row[x >> 1] >> 4);
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default: return 0;
    }
}

void CxImage::SetPixelIndex(int32_t x, int32_t y, uint8_t index)
{
    if (!m_dib || !IsIndexed() || !ContainsPoint(x, y))
        return;
    BlindSetPixelIndex(x, y, index);
}

void CxImage::BlindSetPixelIndex(int32_t x, int32_t y, uint8_t index)
{
    uint8_t *row = m_info.pixels + size_t(y) * m_info.rowStride;
    switch (GetBpp()) {
    case 8:
        row[x] = index;
        break;
    case 4: {
        uint8_t &b = row[x >> 1];
        if (x & 1)
            b = uint8_t((b & 0xF0) | (index & 0x0F));
        else
            b = uint8_t((b & 0x0F) | ((index & 0x0F) << 4));
        break;
    }
    case 1: {
        const uint8_t mask = uint8_t(0x80 >> (x & 7));
        uint8_t &b = row[x >> 3];
        b = (index & 1) ? uint8_t(b | mask) : uint8_t(b & ~mask);
        break;
    }
    default:
        break;
    }
}

RGBQUAD CxImage::GetPixelColor(int32_t x, int32_t y, bool withAlpha) const
{
    if (!m_dib || !ContainsPoint(x, y)) {
        if (m_info.transIndex >= 0) {
            if (GetBpp() < 24)
                return GetPaletteColor(uint8_t(m_info.transIndex));
            return m_info.transColor;
        }
        if (m_dib)
            return GetPixelColor(0, 0, true);
        return m_info.transColor;
    }
    RGBQUAD c;
    if (IsIndexed()) {
        c = GetPaletteColor(BlindGetPixelIndex(x, y));
    } else {
        const uint8_t *p = m_info.pixels + size_t(y) * m_info.rowStride + size_t(x) * 3;
        c = RGBQUAD{p[0], p[1], p[2], m_info.transColor.rgbReserved};
    }
    if (withAlpha && m_alpha)
        c.rgbReserved = BlindAlphaGet(x, y);
    return c;
}

RGBQUAD CxImage::BlindGetPixelColor(int32_t x, int32_t y, bool withAlpha) const
{
    RGBQUAD c;
    if (IsIndexed()) {
        c = GetPalette()[BlindGetPixelIndex(x, y)];
    } else {
        const uint8_t *p = m_info.pixels + size_t(y) * m_info.rowStride + size_t(x) * 3;
        c = RGBQUAD{p[0], p[1], p[2], 0};
    }
    if (withAlpha && m_alpha)
        c.rgbReserved = BlindAlphaGet(x, y);
    return c;
}

void CxImage::SetPixelColor(int32_t x, int32_t y, RGBQUAD colour, bool setAlpha)
{
    if (!m_dib || !ContainsPoint(x, y))
        return;
    BlindSetPixelColor(x, y, colour, setAlpha);
}

void CxImage::SetPixelColor(int32_t x, int32_t y, COLORREF colour)
{
    SetPixelColor(x, y, RgbToRgbQuad(colour), false);
}

void CxImage::BlindSetPixelColor(int32_t x, int32_t y, RGBQUAD colour, bool setAlpha)
{
    if (IsIndexed()) {
        BlindSetPixelIndex(x, y, GetNearestIndex(colour));
    } else {
        uint8_t *p = m_info.pixels + size_t(y) * m_info.rowStride + size_t(x) * 3;
        p[0] = colour.rgbBlue;
        p[1] = colour.rgbGreen;
        p[2] = colour.rgbRed;
    }
    if (setAlpha)
        AlphaSetPixel(x, y, colour.rgbReserved);
}

uint8_t *CxImage::GetPixelPointer(int32_t x, int32_t y) const
{
    if (!m_dib || IsIndexed() || !ContainsPoint(x, y))
        return nullptr;
    return m_info.pixels + size_t(y) * m_info.rowStride + size_t(x) * 3;
}

void CxImage::DrawLine(int32_t x1, int32_t x2, int32_t y1, int32_t y2, RGBQUAD colour, bool setAlpha)
{
    if (!m_dib)
        return;
    const int64_t dx = std::llabs(int64_t(x2) - x1);
    const int64_t dy = std::llabs(int64_t(y2) - y1);
    const int32_t stepX = x2 >= x1 ? 1 : -1;
    const int32_t stepY = y2 >= y1 ? 1 : -1;
    int64_t x = x1;
    int64_t y = y1;
    const bool alongX = dx >= dy;
    const int64_t major = alongX ? dx : dy;
    const int64_t minor = alongX ? dy : dx;
    int64_t numerator = major / 2;
    for (int64_t i = 0; i <= major; ++i) {
        if (x >= 0 && y >= 0 && x < GetWidth() && y < GetHeight())
            SetPixelColor(int32_t(x), int32_t(y), colour, setAlpha);
        numerator += minor;
        if (alongX) {
            x += stepX;
            if (numerator >= major) {
                numerator -= major;
                y += stepY;
            }
        } else {
            y += stepY;
            if (numerator >= major) {
                numerator -= major;
                x += stepX;
            }
        }
    }
}

void CxImage::DrawLine(int32_t x1, int32_t x2, int32_t y1, int32_t y2, COLORREF colour)
{
    DrawLine(x1, x2, y1, y2, RgbToRgbQuad(colour), false);
}

void CxImage::Clear(uint8_t value)
{
    if (!m_dib)
        return;
    if (GetBpp() == 1 && value)
        value = 255;
    else if (GetBpp() == 4)
        value = uint8_t((value & 15) * 17);
    std::memset(m_info.pixels, value, m_header.biSizeImage);
}
