#pragma once

#include "image/xImage.h"

// MNG animations and JNG pictures through libmng. The decoder keeps the requested frame (see
// SetFrame) and reports how many frames the file shows; the encoder writes one RGB frame.
class CxImageMNG : public CxImage
{
public:
    CxImageMNG() : CxImage(ImageFormatMng) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);
};
