#pragma once
// Small helpers of the tests of the GIF, PCX, TGA, WBMP, SKA and TIFF codecs.

#include "CodecTestSupport.h"

#include <string>

namespace codectest {

inline QByteArray File(const std::string &bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

inline RGBQUAD Rgb(int r, int g, int b)
{
    return RGBQUAD{uint8_t(b), uint8_t(g), uint8_t(r), 0};
}

// Colour of column x, row y counted from the top (the image's rows count from the bottom).
inline RGBQUAD TopDown(const CxImage &image, int x, int y)
{
    return image.GetPixelColor(x, image.GetHeight() - 1 - y, false);
}

// A 24-bit test picture with an alpha plane when asked: the colours of the test card and a ramp of alpha
// levels that differs in every pixel, so that channel, row or plane mix-ups show.
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
