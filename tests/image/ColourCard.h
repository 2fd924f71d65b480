#pragma once
// A 24-bit test picture for the codec tests, with an alpha plane when asked: the colours of the test card
// and a ramp of alpha levels that differs in every pixel, so that channel, row or plane mix-ups show.

#include "CodecTestSupport.h"

namespace codectest {

inline CxImage ColourCard(int width, int height, bool withAlpha)
{
    CxImage image;
    fromQImage(image, TestCard(width, height, false));
    if (withAlpha && image.AlphaCreate()) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.AlphaSetPixel(x, y, uint8_t((x * 7 + y * 13) & 0xFF));
    }
    return image;
}

} // namespace codectest
