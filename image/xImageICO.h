#pragma once

#include "image/xImage.h"

// Icon and cursor files: one picture per directory entry, each a DIB with an AND mask or a PNG
// stream. Writes a single-picture icon, as PNG when the picture is too large for the directory's bytes.
class CxImageICO : public CxImage
{
public:
    CxImageICO() : CxImage(ImageFormatIco) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);

private:
    // The entry's sizes stand in only where the bitmap's header cannot be read (size-only mode).
    bool DecodeDib(CxFile *file, uint8_t entryWidth, uint8_t entryHeight);
    void ApplyAndMask(const uint8_t *mask, uint32_t maskStride);
    bool EncodePng(CxFile *file, const uint8_t *directoryHead, size_t headSize);
};
