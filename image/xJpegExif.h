#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class CxFile;

// What the marker-section reader learns of a JPEG: the start-of-frame numbers, the comment and the
// EXIF tags the image library cares about.
struct ExifFields
{
    char Version[5];
    char CameraMake[32];
    char CameraModel[40];
    char DateTime[20];
    int Height, Width;
    int Orientation;
    int IsColor;
    int Process;
    int FlashUsed;
    float FocalLength;
    float ExposureTime;
    float ApertureFNumber;
    float Distance;
    float CCDWidth;
    float ExposureBias;
    int Whitebalance;
    int MeteringMode;
    int ExposureProgram;
    int ISOequivalent;
    int CompressionLevel;
    float FocalplaneXRes;
    float FocalplaneYRes;
    float FocalplaneUnits;
    float Xresolution;
    float Yresolution;
    float ResolutionUnit;
    float Brightness;
    char Comments[1000];
    const uint8_t *ThumbnailPointer; // inside the reader's EXIF section, valid while the reader lives
    unsigned ThumbnailSize;
    bool IsExif;
};

// Reads and writes the marker sections of a JPEG file ahead of its compressed data, and parses the
// EXIF block among them. Every offset inside the EXIF data is checked in 64-bit arithmetic before it
// is followed: EXIF blocks come from cameras, editors and whatever else wrote the file.
class CxJpegExif
{
public:
    enum ReadMode { ReadExif = 1, ReadImage = 2 };
    static constexpr int MaxSections = 20;
    static constexpr int PseudoImageMarker = 0x123; // the compressed data after start of scan

    explicit CxJpegExif(ExifFields *info = nullptr);
    ~CxJpegExif();
    CxJpegExif(const CxJpegExif &) = delete;
    CxJpegExif &operator=(const CxJpegExif &) = delete;

    bool ReadSections(CxFile *file, int readMode);
    void KeepExifOnly();
    bool WriteJpeg(CxFile *file);

    // The APP1 payload after its two length bytes, starting "Exif\0\0".
    bool ParseExifBlock(const uint8_t *data, size_t length);

    const ExifFields &GetInfo() const { return *m_info; }
    const char *GetErrorText() const { return m_lastError; }
    int GetSectionCount() const { return m_sectionsRead; }
    int GetSectionType(int index) const { return m_sections[index].type; }

private:
    struct Section
    {
        std::unique_ptr<uint8_t[]> data; // starts with the big-endian section length
        int type = 0;
        size_t size = 0;
    };

    bool ProcessExifDir(uint64_t dirOffset, int nestingLevel, bool thumbnailDir);
    bool ProcessSubDir(const uint8_t *valuePtr, int nestingLevel);
    void ProcessTag(int tag, int format, const uint8_t *valuePtr, uint64_t byteCount, bool thumbnailDir);
    void ProcessComment(const uint8_t *data, size_t length);
    double ConvertAnyFormat(const uint8_t *valuePtr, int format) const;
    int Get16u(const uint8_t *p) const;
    int32_t Get32s(const uint8_t *p) const;
    uint32_t Get32u(const uint8_t *p) const;
    void SetError(const char *text);
    void DropLastSection();

    std::unique_ptr<ExifFields> m_ownInfo;
    ExifFields *m_info;
    char m_lastError[256];
    bool m_motorolaOrder = false;
    int m_exifImageWidth = 0;
    Section m_sections[MaxSections];
    int m_sectionsRead = 0;

    // The EXIF data of the block being parsed: offsets count from its byte-order mark.
    const uint8_t *m_offsetBase = nullptr;
    uint64_t m_exifLength = 0;
    uint64_t m_thumbnailOffset = 0;
    uint64_t m_thumbnailLength = 0;
    int m_directoriesLeft = 0; // how many more directories the block may have
};
