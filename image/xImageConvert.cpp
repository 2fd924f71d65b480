#include "image/xImage.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const char kTargetDeeper[] = "DecreaseBpp: target BPP greater than source BPP";

uint8_t ClampChannel(int32_t v)
{
    return uint8_t(std::clamp(v, 0, 255));
}

} // namespace

bool CxImage::GrayScale()
{
    if (!m_dib)
        return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const bool indexed = GetBpp() <= 8;

    // Grey level of every palette entry: pixels become their entry's level under the grey ramp.
    uint8_t level[256] = {};
    int32_t transIndex = m_info.transIndex;
    if (indexed) {
        const RGBQUAD *palette = GetPalette();
        for (uint32_t i = 0; i < GetNumColors(); ++i)
            level[i] = GrayLevel(palette[i]);
        transIndex = m_info.transIndex >= 0 ? level[m_info.transIndex & 0xFF] : -1;

        if (GetBpp() == 8) {
            for (int32_t y = 0; y < height; ++y) {
                uint8_t *row = GetRowPointer(uint32_t(y));
                for (int32_t x = 0; x < width; ++x)
                    row[x] = level[row[x]];
            }
            SetGrayPalette();
            m_info.transIndex = transIndex;
            return true;
        }
    } else if (m_info.transIndex >= 0) {
        // A transparent 24-bit picture keeps its transparent colour as the grey level of that colour.
        transIndex = GrayLevel(m_info.transColor);
    }

    CxImage grey;
    grey.CopyAttributes(*this);
    if (!grey.Create(uint32_t(width), uint32_t(height), 8, GetFormatId()))
        return false;
    grey.SetGrayPalette();
    grey.SelectionCopy(*this);
    grey.AlphaCopy(*this);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t *dst = grey.GetRowPointer(uint32_t(y));
        if (indexed) {
            for (int32_t x = 0; x < width; ++x)
                dst[x] = level[BlindGetPixelIndex(x, y)];
            continue;
        }
        const uint8_t *src = GetRowPointer(uint32_t(y));
        for (int32_t x = 0; x < width; ++x, src += 3)
            dst[x] = uint8_t((306 * src[2] + 601 * src[1] + 117 * src[0]) >> 10);
    }
    grey.m_info.transIndex = transIndex;
    return TakeOver(grey, true);
}

bool CxImage::Negative()
{
    if (!m_dib)
        return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const RECT box = m_info.selectionBox;
    const int32_t left = std::max(box.left, 0);
    const int32_t right = std::min(box.right, width);
    const int32_t bottom = std::max(box.bottom, 0);
    const int32_t top = std::min(box.top, height);

    auto invertBytes = [&](int bytesPerPixel) {
        if (!m_selection) {
            for (uint32_t i = 0; i < m_header.biSizeImage; ++i)
                m_info.pixels[i] = uint8_t(255 - m_info.pixels[i]);
            return;
        }
        for (int32_t y = bottom; y < top; ++y) {
            uint8_t *row = GetRowPointer(uint32_t(y));
            for (int32_t x = left; x < right; ++x) {
                if (!SelectionIsInside(x, y))
                    continue;
                for (int b = 0; b < bytesPerPixel; ++b)
                    row[x * bytesPerPixel + b] = uint8_t(255 - row[x * bytesPerPixel + b]);
            }
        }
    };

    if (GetBpp() > 8) {
        invertBytes(3);
        RGBQUAD &t = m_info.transColor;
        t.rgbBlue = uint8_t(255 - t.rgbBlue);
        t.rgbGreen = uint8_t(255 - t.rgbGreen);
        t.rgbRed = uint8_t(255 - t.rgbRed);
        return true;
    }
    if (!IsGrayScale()) {
        RGBQUAD *palette = GetPalette();
        for (uint32_t i = 0; i < GetNumColors(); ++i) {
            palette[i].rgbBlue = uint8_t(255 - palette[i].rgbBlue);
            palette[i].rgbGreen = uint8_t(255 - palette[i].rgbGreen);
            palette[i].rgbRed = uint8_t(255 - palette[i].rgbRed);
        }
        InvalidateNearestCache();
        return true;
    }
    // A grey palette is the identity ramp, so inverting the values inverts the picture. Only 8-bit images
    // have a full ramp; smaller ones invert by index through the mask.
    if (GetBpp() == 8) {
        invertBytes(1);
        return true;
    }
    const uint8_t top_index = uint8_t(GetNumColors() - 1);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            if (m_selection && !(y >= bottom && y < top && x >= left && x < right && SelectionIsInside(x, y)))
                continue;
            BlindSetPixelIndex(x, y, uint8_t(top_index - BlindGetPixelIndex(x, y)));
        }
    }
    return true;
}

bool CxImage::Flip(bool flipSelection, bool flipAlpha)
{
    if (!m_dib)
        return false;
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(m_info.rowStride);
    } catch (...) {
        return false;
    }
    const uint32_t height = uint32_t(GetHeight());
    for (uint32_t k = 0; k < height / 2; ++k) {
        uint8_t *a = GetRowPointer(k);
        uint8_t *b = GetRowPointer(height - 1 - k);
        std::memcpy(buffer.data(), a, m_info.rowStride);
        std::memcpy(a, b, m_info.rowStride);
        std::memcpy(b, buffer.data(), m_info.rowStride);
    }
    if (flipSelection)
        SelectionFlip();
    if (flipAlpha)
        AlphaFlip();
    return true;
}

bool CxImage::Mirror(bool mirrorSelection, bool mirrorAlpha)
{
    if (!m_dib)
        return false;
    auto mirrored = std::make_unique<CxImage>(*this, false, true, true);
    if (!mirrored->IsValid())
        return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *src = GetRowPointer(uint32_t(y));
        uint8_t *dst = mirrored->GetRowPointer(uint32_t(y));
        switch (GetBpp()) {
        case 24:
            for (int32_t x = 0; x < width; ++x)
                std::memcpy(dst + 3 * (width - 1 - x), src + 3 * x, 3);
            break;
        case 8:
            for (int32_t x = 0; x < width; ++x)
                dst[width - 1 - x] = src[x];
            break;
        default:
            for (int32_t x = 0; x < width; ++x)
                mirrored->BlindSetPixelIndex(width - 1 - x, y, BlindGetPixelIndex(x, y));
            break;
        }
    }
    if (mirrorSelection)
        mirrored->SelectionMirror();
    if (mirrorAlpha)
        mirrored->AlphaMirror();
    return TakeOver(*mirrored, true);
}

bool CxImage::DecreaseBpp(uint32_t bits, bool errorDiffusion, const RGBQUAD *palette, uint32_t importantCount)
{
    if (!m_dib)
        return false;
    if (bits > GetBpp()) {
        SetErrorText(kTargetDeeper);
        return false;
    }
    if (bits == GetBpp()) {
        if (importantCount == 0)
            return true;
        if (m_header.biClrImportant != 0 && m_header.biClrImportant < importantCount)
            return true;
    }

    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    CxImage target;
    target.CopyAttributes(*this);
    target.Create(uint32_t(width), uint32_t(height), bits, GetFormatId());
    if (importantCount != 0)
        target.SetClrImportant(importantCount);
    if (!target.IsValid()) {
        SetErrorText(target.GetErrorText());
        return false;
    }
    target.SelectionCopy(*this);
    target.AlphaCopy(*this);
    if (palette) {
        // A count from the caller may exceed the target palette: copy no more entries than it holds.
        const uint32_t entries = target.GetNumColors();
        target.SetPalette(palette, std::min(importantCount ? importantCount : entries, entries));
    } else {
        target.SetStdPalette();
    }

    for (int32_t y = 0; y < height; ++y) {
        if (m_info.escape)
            break;
        m_info.progress = int32_t(100LL * y / height);
        for (int32_t x = 0; x < width; ++x) {
            if (!errorDiffusion) {
                target.BlindSetPixelColor(x, y, BlindGetPixelColor(x, y, true), false);
                continue;
            }
            const RGBQUAD c = BlindGetPixelColor(x, y, true);
            target.BlindSetPixelColor(x, y, c, false);
            const RGBQUAD held = target.BlindGetPixelColor(x, y, false);
            const int32_t er = int32_t(c.rgbRed) - held.rgbRed;
            const int32_t eg = int32_t(c.rgbGreen) - held.rgbGreen;
            const int32_t eb = int32_t(c.rgbBlue) - held.rgbBlue;
            // Row y + 1 is the row above in the picture and has not been visited yet.
            static const struct { int dx, dy, weight; } kSpread[] = {{1, 0, 7}, {-1, 1, 2}, {0, 1, 4}, {1, 1, 1}};
            for (const auto &s : kSpread) {
                const int32_t nx = x + s.dx;
                const int32_t ny = y + s.dy;
                if (!ContainsPoint(nx, ny))
                    continue;
                RGBQUAD n = BlindGetPixelColor(nx, ny, false);
                n.rgbRed = ClampChannel(n.rgbRed + er * s.weight / 16);
                n.rgbGreen = ClampChannel(n.rgbGreen + eg * s.weight / 16);
                n.rgbBlue = ClampChannel(n.rgbBlue + eb * s.weight / 16);
                BlindSetPixelColor(nx, ny, n, false);
            }
        }
    }
    return TakeOver(target, true);
}

bool CxImage::IncreaseBpp(uint32_t bits)
{
    if (!m_dib)
        return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    if (bits == 4 || bits == 8) {
        if (GetBpp() == bits)
            return true;
        if (GetBpp() > bits)
            return false;
        CxImage target;
        target.CopyAttributes(*this);
        if (!target.Create(uint32_t(width), uint32_t(height), bits, GetFormatId())) {
            SetErrorText(target.GetErrorText());
            return false;
        }
        target.SetPalette(GetPalette(), GetNumColors());
        target.SelectionCopy(*this);
        target.AlphaCopy(*this);
        for (int32_t y = 0; y < height && !m_info.escape; ++y) {
            for (int32_t x = 0; x < width; ++x)
                target.BlindSetPixelIndex(x, y, BlindGetPixelIndex(x, y));
        }
        return TakeOver(target, true);
    }
    if (bits != 24)
        return false;
    if (GetBpp() == 24)
        return true;
    CxImage target;
    target.CopyAttributes(*this);
    if (!target.Create(uint32_t(width), uint32_t(height), 24, GetFormatId())) {
        SetErrorText(target.GetErrorText());
        return false;
    }
    if (m_info.transIndex >= 0)
        target.SetTransColor(GetPaletteColor(uint8_t(m_info.transIndex)));
    target.SelectionCopy(*this);
    target.AlphaCopy(*this);
    if (AlphaPaletteIsValid() && !AlphaIsValid())
        target.AlphaCreate();
    for (int32_t y = 0; y < height && !m_info.escape; ++y) {
        for (int32_t x = 0; x < width; ++x)
            target.BlindSetPixelColor(x, y, BlindGetPixelColor(x, y, true), true);
    }
    return TakeOver(target, true);
}
