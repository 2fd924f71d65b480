#pragma once

#include "image/xImage.h"

// Truevision TGA: colour-mapped, true-colour and grey pictures, plain or run-length coded (types 1-3 and
// 9-11), 8, 15, 16, 24 and 32 bits, any corner as origin. Written uncompressed and bottom-up: 8-bit
// pictures as type 1 with their palette, colour pictures as type 2 (32 bits when there is an alpha plane).
class CxImageTGA : public CxImage
{
public:
    CxImageTGA() : CxImage(ImageFormatTga) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);
};
