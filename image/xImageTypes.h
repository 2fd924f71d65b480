#pragma once

// The plain structures of the bitmap file format that the image classes keep in memory and in files,
// laid out exactly as in those files so that pixel blocks and file headers can be copied byte for byte.

#include <cstdint>

struct RGBQUAD
{
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved; // alpha where an operation says so
};
static_assert(sizeof(RGBQUAD) == 4);

struct BITMAPINFOHEADER
{
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RECT
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Red in the low byte, then green, blue and a zero byte.
using COLORREF = uint32_t;

// Red, green and blue byte triples, as palettes are given by some file formats.
struct RgbColor
{
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

inline constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}

// Exchanges red and blue and clears the fourth byte.
inline constexpr RGBQUAD RgbToRgbQuad(COLORREF c)
{
    return RGBQUAD{uint8_t((c >> 16) & 0xFF), uint8_t((c >> 8) & 0xFF), uint8_t(c & 0xFF), 0};
}

inline constexpr COLORREF RgbQuadToRgb(RGBQUAD c)
{
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

inline constexpr bool operator==(RGBQUAD a, RGBQUAD b)
{
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed &&
           a.rgbReserved == b.rgbReserved;
}

// The numbers every load, save and format class uses.
enum ImageFormatId : uint32_t {
    ImageFormatNone = 0, // on decoding: detect the format
    ImageFormatBmp = 1,
    ImageFormatGif = 2,
    ImageFormatJpg = 3,
    ImageFormatPng = 4,
    ImageFormatIco = 5,
    ImageFormatTif = 6,
    ImageFormatTga = 7,
    ImageFormatPcx = 8,
    ImageFormatWbmp = 9,
    ImageFormatWmf = 10,
    ImageFormatJp2 = 11,
    ImageFormatJpc = 12,
    ImageFormatPgx = 13,
    ImageFormatPnm = 14,
    ImageFormatRas = 15,
    ImageFormatUnsupported = 16, // setting it stores 0
    ImageFormatMng = 17,
    ImageFormatSka = 18,
    ImageFormatRaw = 19,
};

inline constexpr int kImageCodecSlots = 19;

enum InterpolationMode : int32_t {
    InterpolationNearest = 1,
    InterpolationBilinear = 2,
    InterpolationBSpline = 3,
    InterpolationBicubic = 4,
    InterpolationBicubic2 = 5,
    InterpolationLanczos = 6,
    InterpolationBox = 7,
    InterpolationHermite = 8,
    InterpolationHamming = 9,
    InterpolationSinc = 10,
    InterpolationBlackman = 11,
    InterpolationBessel = 12,
    InterpolationGaussian = 13,
    InterpolationQuadratic = 14,
    InterpolationMitchell = 15,
    InterpolationCatmullRom = 16,
    InterpolationHanning = 17,
    InterpolationPower = 18,
};

enum EdgeMode : int32_t {
    EdgeReplacement = 1,
    EdgeBackground = 2,
    EdgeTransparent = 3,
    EdgeWrap = 4,
    EdgeRepeat = 5,
    EdgeMirror = 6,
};
