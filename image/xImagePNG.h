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
    // Palette entries a PLTE chunk holds: the important-colour count, or the whole palette.
    uint32_t WrittenPaletteCount() const;
    // True for a colour palette picture that a palette PNG cannot carry: one with an alpha plane, or
    // with pixels whose index lies past the entries written.
    bool NeedsTrueColour() const;
    // The tRNS chunk of a file of at most 8 bits per sample, as a transparent index or colour or as
    // palette alpha.
    void SetTransparency(const struct CorvPngHeader &header);
    // Reads every pass into the pixel rows and the alpha plane; libraryError is where the glue leaves
    // the library's message.
    bool ReadRows(struct CorvPngReader *reader, const struct CorvPngHeader &header, int channels,
                  const char *libraryError);
};
