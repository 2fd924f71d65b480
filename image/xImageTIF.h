#pragma once

#include "image/xImage.h"

#include <memory>

struct TiffClient;

// TIFF through libtiff. Decoding reads the page given by the frame index: colour, YCbCr, CMYK and log
// files through the library's RGBA reader, palette, grey, grey-with-alpha and CIELab files strip by strip
// (or tile by tile) into 1-, 4-, 8- or 24-bit pictures. The codec option holds the compression code: the
// decoder stores the file's, the encoder uses it when the depth allows it, so a loaded TIFF is saved with
// its own compression.
class CxImageTIF : public CxImage
{
public:
    CxImageTIF();
    ~CxImageTIF() override;
    CxImageTIF(const CxImageTIF &) = delete;
    CxImageTIF &operator=(const CxImageTIF &) = delete;

    bool Decode(CxFile *file);
    // Writes the image as one page. With append the file stays open for further pages, each a later
    // Encode call on the same file; a call without append writes its page and closes the file.
    bool Encode(CxFile *file, bool append = false);

private:
    bool DecodeRgba(TiffClient &client, uint16_t samples);
    bool DecodeRows(TiffClient &client);
    bool WriteTiffPage(bool multiPage, int32_t page, int32_t pageCount);
    void CloseWriter();

    std::unique_ptr<TiffClient> m_writer; // the file being written, between appended pages
    bool m_multiPage = false;
    int32_t m_pages = 0;
};
