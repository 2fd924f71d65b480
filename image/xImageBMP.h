#pragma once

#include "image/xImage.h"

// Bitmap files: files with the "BM" header or bare DIBs; core, 40-byte, 64-byte, V4 and V5 info
// headers; 1, 4, 8, 16, 24 and 32 bits; RLE4, RLE8 and bit-field pixels. Written uncompressed.
class CxImageBMP : public CxImage
{
public:
    CxImageBMP() : CxImage(ImageFormatBmp) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);

    // Reads and normalises the info header at the file's position.
    static bool ReadBitmapInfo(CxFile *file, BITMAPINFOHEADER *info);

protected:
    // Fills the 24-bit pixel rows from 16- or 32-bit pixels, from the last pixel backwards, so that the
    // source may be the pixel block itself.
    void ConvertBitfields(const uint8_t *source, uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                          uint16_t bitCount);

private:
    bool DecodePixels(CxFile *file, const BITMAPINFOHEADER &bih, int64_t bitsAt);
    void ExpandRle(CxFile *file, bool rle4);
};
