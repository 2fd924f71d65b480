#include "dialogs/ElementPlacement.h"

#include <algorithm>

void CElementPlacement::Clamp()
{
    top = std::clamp(top, 0, kCanvasHeight - 1);
    left = std::clamp(left, 0, kCanvasWidth - 1);
    width = std::clamp(width, 1, kCanvasWidth);
    height = std::clamp(height, 1, kCanvasHeight);
    if (top + height > kCanvasHeight)
        height = kCanvasHeight - top;
    if (left + width > kCanvasWidth)
        width = kCanvasWidth - left;
}
