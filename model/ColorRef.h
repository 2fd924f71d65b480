#pragma once

#include <QColor>

#include <cstdint>

// Colours are kept as the stored COLORREF value, 0x00BBGGRR.
inline QColor ColorFromColorRef(uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

inline uint32_t ColorRefFromColor(const QColor &color)
{
    return uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16);
}
