#pragma once

#include "image/xImage.h"
#include "image/xJpegExif.h"

#include <memory>

// JPEG files through libjpeg. Every decode first reads the marker sections, so that the resolution of
// an EXIF block wins over the JFIF header's. The codec-option slot is a bit set (the table in the .cpp).
class CxImageJPG : public CxImage
{
public:
    CxImageJPG();
    ~CxImageJPG() override;

    bool Decode(CxFile *file);
    bool Encode(CxFile *file);

    const ExifFields &GetExifInfo() const { return m_exifinfo; }
    // The reader of the last decode, or null.
    CxJpegExif *GetExif() const { return m_exif.get(); }

private:
    void SetResolution(bool isExif, const struct CorvJpegFrame &frame);

    std::unique_ptr<CxJpegExif> m_exif;
    ExifFields m_exifinfo;
    int m_nSmoothing = 0;
    int m_nDither = 0;
};
