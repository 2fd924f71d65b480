#pragma once

#include "image/xImage.h"

// PCX pictures: read with up to 4 planes (1, 2, 4 or 8 bits per pixel in one plane, 1-bit planes
// combined into indices, 3 or 4 planes of 8 bits as colour with alpha); written as version 5 with
// run-length coding: 8-bit pictures with the 256-colour palette at the end, colour pictures as 3 or 4
// planes, 1- and 4-bit pictures as 1-bit planes.
class CxImagePCX : public CxImage
{
public:
    CxImagePCX() : CxImage(ImageFormatPcx) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);
};
