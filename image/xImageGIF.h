#pragma once

#include "image/xImage.h"

#include <cstdint>

// GIF 87a and 89a, read and written with our own LZW coder.
//
// Decoding gives the requested frame composed onto the logical screen (disposal methods 2 and 3
// honoured), or, for files that carry a full-colour picture as many small frames with their own tables,
// one 24-bit picture holding all frames. With LoadAllFrames every composed frame is also kept in the frame
// list. The codec option chooses the encoder's coder: 0 LZW, 1 uncompressed codes, 2 run-length codes.
// Pictures above 8 bits are written as 17 x 15 tiles, each with its own colour table.
class CxImageGIF : public CxImage
{
public:
    enum Coder : uint32_t { CoderLzw = 0, CoderUncompressed = 1, CoderRunLength = 2 };

    CxImageGIF() : CxImage(ImageFormatGif) {}

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);
    // Several palette images as one animation. The first image's palette is the global table; the others
    // carry a local table only with localPalettes. Without localDisposal every frame gets this object's
    // disposal method.
    bool WriteAnimation(CxFile *file, CxImage *const *images, int32_t count, bool localPalettes,
                        bool localDisposal);

    int32_t GetLoopCount() const { return m_loopCount; }
    void SetLoopCount(int32_t count) { m_loopCount = count; }
    const char *GetComment() const { return m_comment; }
    // Kept to 255 characters.
    void SetComment(const char *text);

private:
    friend class GifDecoder;

    bool WriteTrueColourTiles(CxFile *file);

    int32_t m_loopCount = 0;
    char m_comment[256] = {};
};
