#pragma once

#include "image/xImage.h"

// PNG files through libpng. The codec-option slot says whether a picture was (and is to be) interlaced.
class CxImagePNG : public CxImage
{
public:
    CxImagePNG() : CxImage(ImageFormatPng) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);

private:
    // Reads every pass into the pixel rows and the alpha plane; libraryError is where the glue leaves
    // the library's message.
    bool ReadRows(struct CorvPngReader *reader, const struct CorvPngHeader &header, int channels,
                  const char *libraryError);
};
