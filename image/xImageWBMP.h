#pragma once

#include "image/xImage.h"

// Wireless bitmaps of type 0: 1 bit per pixel, rows top-down, bit 1 white. Only 1-bit pictures are written.
class CxImageWBMP : public CxImage
{
public:
    CxImageWBMP() : CxImage(ImageFormatWbmp) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);
};
