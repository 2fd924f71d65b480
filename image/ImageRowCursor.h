#pragma once

#include <cstdint>

class CxImage;

// Walks the pixel rows of an image for the codecs. Rows lie bottom-up in memory, so codecs that write
// from the top of the picture start at ToTopRow and step with PreviousRow.
class ImageRowCursor
{
public:
    explicit ImageRowCursor(CxImage *image);

    // Moves to row y when it lies inside the picture and returns the row address.
    uint8_t *SetRow(int32_t y);
    uint8_t *ToTopRow();
    bool PreviousRow();
    // Copies min(n, stride) bytes into the current row; a negative n means one whole stride.
    void WriteRow(const uint8_t *buffer, int32_t n);
    void ReadRow(uint8_t *buffer, int32_t n) const;
    uint8_t *Row() const { return m_row; }

    int32_t x = 0;
    int32_t y = 0;
    int32_t stepX = 0;
    int32_t stepY = 0;

private:
    uint8_t *m_row;
    CxImage *m_image;
};
