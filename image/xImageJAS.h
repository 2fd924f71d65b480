#pragma once

#include "image/xImage.h"

struct JasPicture;

// The JPEG 2000 family: JPEG 2000 files (id 11) and code streams (12) through OpenJPEG, and PGX (13),
// PNM (14) and Sun raster (15) through our own small codecs. The decoder recognises the member from the
// file's first bytes and stamps the image with its id.
class CxImageJAS : public CxImage
{
public:
    CxImageJAS() : CxImage(ImageFormatNone) {}

    // formatId is the member the caller expects (0 during detection); the file's own bytes decide.
    bool Decode(CxFile *file, uint32_t formatId);
    bool Encode(CxFile *file, uint32_t formatId);

private:
    bool DecodeRgb(const JasPicture &picture, uint32_t memberId, int shift);
    bool DecodeFrame(const JasPicture &picture, uint32_t memberId, int shift);
};
