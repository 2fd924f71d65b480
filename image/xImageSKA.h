#pragma once

#include "image/xImage.h"

// SKA pictures: a 9-byte header (width, height, the depth exponent 3 and the constant 0x01000000), a
// 768-byte red, green, blue palette and one index byte per pixel, rows top-down and unpadded. Pictures of
// fewer bits are written through an 8-bit copy.
class CxImageSKA : public CxImage
{
public:
    CxImageSKA() : CxImage(ImageFormatSka) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);
};
