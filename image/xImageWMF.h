#pragma once

#include "image/xImage.h"

#include <vector>

// Windows metafiles: placeable WMF files and enhanced metafiles (EMF), read only. This class reads and
// checks the headers, works out the picture's size and leaves the drawing of the records to a metafile
// player registered with SetMetafilePlayer (the player needs a painter, which this library does not
// have). Without a player the format is not supported.

// What a player is given: the records and what the headers say about their coordinates.
struct MetafilePicture
{
    bool enhanced = false;
    // Placeable WMF: the bounding box in the file's logical units and how many of them make an inch.
    // EMF: the bounds in device pixels of the reference device.
    RECT bounds{};
    int32_t unitsPerInch = 0;
    // EMF only: the picture frame in hundredths of a millimetre, and the reference device's size in
    // pixels and in millimetres.
    RECT frame{};
    int32_t devicePixels[2] = {};
    int32_t deviceMillimetres[2] = {};
    // Placeable WMF: the standard metafile (its 18-byte header and the records). EMF: the whole
    // metafile, its header record first.
    std::vector<uint8_t> records;
};

// Draws the picture onto a 24-bit target of width x height already filled with the window colour; the
// whole picture frame maps onto the target. Returns false with a text in error (256 bytes) when the
// records are damaged; what was drawn before stays.
using MetafilePlayer = bool (*)(const MetafilePicture &picture, CxImage &target, char *error);

// Installs the player (null removes it).
void SetMetafilePlayer(MetafilePlayer player);
MetafilePlayer GetMetafilePlayer();

class CxImageWMF : public CxImage
{
public:
    CxImageWMF() : CxImage(ImageFormatWmf) {}

    // forcedWidth, forcedHeight: 0 keeps the picture's natural size.
    bool Decode(CxFile *file, int32_t forcedWidth = 0, int32_t forcedHeight = 0);
    bool Encode(CxFile *file);

    // Each reads its header at the file's position and the records after it; false when the file is not
    // of that kind.
    static bool ReadPlaceableMetafile(CxFile *file, MetafilePicture &picture);
    static bool ReadEnhancedMetafile(CxFile *file, MetafilePicture &picture);
    // Keeps a canvas within 4,000 x 4,000 pixels, keeping its proportions.
    static void LimitMetafileSize(int32_t &width, int32_t &height);

    // The screen these pictures are measured for.
    static constexpr int32_t kScreenDpi = 96;
    static constexpr int32_t kMaxSide = 4000;
};
