#include "image/xImage.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <vector>

// ---- transparency

void CxImage::SetTransIndex(int32_t index)
{
    // Signed comparison: -1 switches transparency off, everything past the palette becomes 0.
    if (index < int32_t(m_header.biClrUsed))
        m_info.transIndex = index;
    else
        m_info.transIndex = 0;
}

void CxImage::SetTransColor(RGBQUAD colour)
{
    colour.rgbReserved = 0;
    m_info.transColor = colour;
}

RGBQUAD CxImage::GetTransColor() const
{
    if (GetBpp() < 24 && m_info.transIndex >= 0)
        return GetPaletteColor(uint8_t(m_info.transIndex));
    return m_info.transColor;
}

// ---- alpha plane

bool CxImage::AlphaCreate()
{
    if (!m_alpha && m_dib) {
        m_alpha = static_cast<uint8_t *>(std::malloc(PlaneSize()));
        if (m_alpha)
            std::memset(m_alpha, 255, PlaneSize());
    }
    return m_alpha != nullptr;
}

void CxImage::AlphaDelete()
{
    std::free(m_alpha);
    m_alpha = nullptr;
}

void CxImage::AlphaSet(uint8_t level)
{
    if (m_alpha)
        std::memset(m_alpha, level, PlaneSize());
}

void CxImage::AlphaInvert()
{
    if (!m_alpha)
        return;
    const size_t n = PlaneSize();
    for (size_t i = 0; i < n; ++i)
        m_alpha[i] = uint8_t(255 - m_alpha[i]);
}

bool CxImage::AlphaCopy(const CxImage &source)
{
    if (!source.m_alpha || source.GetWidth() != GetWidth() || source.GetHeight() != GetHeight())
        return false;
    if (!AlphaCreate())
        return false;
    std::memcpy(m_alpha, source.m_alpha, PlaneSize());
    m_info.alphaMax = source.m_info.alphaMax;
    return true;
}

bool CxImage::AlphaSetFromImage(const CxImage &source)
{
    if (!source.IsGrayScale() || source.GetWidth() != GetWidth() || source.GetHeight() != GetHeight())
        return false;
    // Grey levels are read as bytes: only an 8-bit mask has one byte per pixel.
    if (source.GetBpp() != 8 || !source.m_info.pixels)
        return false;
    if (!AlphaCreate())
        return false;
    const size_t width = size_t(GetWidth());
    for (int32_t y = 0; y < GetHeight(); ++y)
        std::memcpy(m_alpha + size_t(y) * width, source.GetRowPointer(uint32_t(y)), width);
    return true;
}

void CxImage::AlphaSetPixel(int32_t x, int32_t y, uint8_t level)
{
    if (m_alpha && ContainsPoint(x, y))
        m_alpha[size_t(y) * size_t(GetWidth()) + size_t(x)] = level;
}

uint8_t CxImage::AlphaGet(int32_t x, int32_t y) const
{
    if (!m_alpha || !ContainsPoint(x, y))
        return 0;
    return m_alpha[size_t(y) * size_t(GetWidth()) + size_t(x)];
}

uint8_t *CxImage::AlphaGetPointer(int32_t x, int32_t y) const
{
    if (!m_alpha || !ContainsPoint(x, y))
        return nullptr;
    return m_alpha + size_t(y) * size_t(GetWidth()) + size_t(x);
}

uint8_t CxImage::BlindAlphaGet(int32_t x, int32_t y) const
{
    assert(m_alpha && ContainsPoint(x, y));
    return m_alpha[size_t(y) * size_t(GetWidth()) + size_t(x)];
}

namespace {

bool FlipRows(uint8_t *plane, size_t width, size_t height)
{
    std::vector<uint8_t> row;
    try {
        row.resize(width);
    } catch (...) {
        return false;
    }
    for (size_t top = 0, bottom = height ? height - 1 : 0; top < bottom; ++top, --bottom) {
        std::memcpy(row.data(), plane + top * width, width);
        std::memcpy(plane + top * width, plane + bottom * width, width);
        std::memcpy(plane + bottom * width, row.data(), width);
    }
    return true;
}

void MirrorRows(uint8_t *plane, size_t width, size_t height)
{
    for (size_t y = 0; y < height; ++y)
        std::reverse(plane + y * width, plane + (y + 1) * width);
}

} // namespace

bool CxImage::AlphaFlip()
{
    if (!m_alpha)
        return false;
    return FlipRows(m_alpha, size_t(GetWidth()), size_t(GetHeight()));
}

bool CxImage::AlphaMirror()
{
    if (!m_alpha)
        return false;
    MirrorRows(m_alpha, size_t(GetWidth()), size_t(GetHeight()));
    return true;
}

// ---- selection mask

bool CxImage::SelectionCreate()
{
    SelectionDelete();
    if (!m_dib)
        return false;
    m_selection = static_cast<uint8_t *>(std::calloc(1, PlaneSize()));
    return m_selection != nullptr;
}

void CxImage::SelectionDelete()
{
    std::free(m_selection);
    m_selection = nullptr;
    m_info.selectionBox = RECT{GetWidth(), 0, 0, GetHeight()};
}

bool CxImage::SelectionCopy(const CxImage &source)
{
    if (!source.m_selection || source.GetWidth() != GetWidth() || source.GetHeight() != GetHeight())
        return false;
    if (!m_selection) {
        m_selection = static_cast<uint8_t *>(std::malloc(PlaneSize()));
        if (!m_selection)
            return false;
    }
    std::memcpy(m_selection, source.m_selection, PlaneSize());
    m_info.selectionBox = source.m_info.selectionBox;
    return true;
}

void CxImage::SelectionSet(int32_t x, int32_t y, uint8_t level)
{
    if (!m_selection || !ContainsPoint(x, y))
        return;
    m_selection[size_t(y) * size_t(GetWidth()) + size_t(x)] = level;
    // The box encloses every selected pixel (top and right exclusive).
    if (level) {
        RECT &box = m_info.selectionBox;
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::min(box.bottom, y);
        box.top = std::max(box.top, y + 1);
    }
}

uint8_t *CxImage::SelectionGetPointer(int32_t x, int32_t y) const
{
    if (!m_selection || !ContainsPoint(x, y))
        return nullptr;
    return m_selection + size_t(y) * size_t(GetWidth()) + size_t(x);
}

uint8_t CxImage::SelectionGet(int32_t x, int32_t y) const
{
    assert(m_selection && ContainsPoint(x, y));
    return m_selection[size_t(y) * size_t(GetWidth()) + size_t(x)];
}

bool CxImage::SelectionIsInside(int32_t x, int32_t y) const
{
    if (!m_selection)
        return true;
    return SelectionGet(x, y) != 0;
}

bool CxImage::SelectionFlip()
{
    if (!m_selection)
        return false;
    if (!FlipRows(m_selection, size_t(GetWidth()), size_t(GetHeight())))
        return false;
    RECT &box = m_info.selectionBox;
    const int32_t top = box.top;
    box.top = GetHeight() - box.bottom;
    box.bottom = GetHeight() - top;
    return true;
}

bool CxImage::SelectionMirror()
{
    if (!m_selection)
        return false;
    MirrorRows(m_selection, size_t(GetWidth()), size_t(GetHeight()));
    RECT &box = m_info.selectionBox;
    const int32_t right = box.right;
    box.right = GetWidth() - box.left;
    box.left = GetWidth() - right;
    return true;
}
