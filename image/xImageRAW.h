#pragma once

#include "image/xImage.h"

// Camera-raw files developed through LibRaw into 24-bit pictures. The codec option's two low bits choose
// the demosaicing: 0 bilinear, 1 VNG, 2 PPG, 3 AHD. There is no encoder.
class CxImageRAW : public CxImage
{
public:
    CxImageRAW() : CxImage(ImageFormatRaw) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);
};
