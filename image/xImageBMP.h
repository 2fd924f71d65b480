#pragma once

#include "image/xImage.h"

// Bitmap files: files with the "BM" header or bare DIBs; core, 40-byte, 64-byte, V2 to V5 info
// headers; 1, 4, 8, 16, 24 and 32 bits; RLE4, RLE8 and bit-field pixels, with an alpha field where the
// header names one. Written uncompressed.
class CxImageBMP : public CxImage
{
public:
    CxImageBMP() : CxImage(ImageFormatBmp) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);

    // The channel masks that headers longer than 40 bytes carry in their bytes 40 to 55.
    struct HeaderMasks
    {
        uint32_t red = 0, green = 0, blue = 0, alpha = 0;
        bool colour = false; // the header holds the red, green and blue masks
    };

    // Reads and normalises the info header at the file's position and leaves the file after it.
    static bool ReadBitmapInfo(CxFile *file, BITMAPINFOHEADER *info, HeaderMasks *masks = nullptr);

protected:
    // Fills the 24-bit pixel rows from 16- or 32-bit pixels, from the last pixel backwards, so that the
    // source may be the pixel block itself. A non-zero alpha mask fills the alpha plane too.
    void ConvertBitfields(const uint8_t *source, uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                          uint16_t bitCount, uint32_t alphaMask = 0);

private:
    // The masks the pixels use: the header's, the 12 bytes after a 40-byte header, or the defaults.
    struct PixelMasks
    {
        uint32_t red, green, blue, alpha;
    };

    bool DecodePixels(CxFile *file, const BITMAPINFOHEADER &bih, const PixelMasks &masks);
    void ExpandRle(CxFile *file, bool rle4);
};
