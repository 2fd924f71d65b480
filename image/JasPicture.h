#pragma once

// A picture of the JPEG 2000 family as its readers deliver it and its writers take it: a list of
// components, each a plane of integer samples with its own size and precision, top row first. The
// format class turns components into pixels; the member codecs (JPEG 2000 file and code stream, PGX,
// PNM, Sun raster) only move samples between files and this structure.

#include "image/xImage.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CxFile;

enum class JasColorSpace { Unknown, Srgb, Gray, Sycc, Eycc, Cmyk };

struct JasComponent
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t dx = 1; // sub-sampling against the picture's grid
    uint32_t dy = 1;
    int precision = 8;
    bool isSigned = false;
    const int32_t *samples = nullptr; // width x height, null when only the header was read

    // The sample as an unsigned value of the component's precision.
    int32_t Unsigned(uint32_t x, uint32_t y) const
    {
        const int64_t v = samples[size_t(y) * width + x];
        const int64_t u = isSigned ? v + (int64_t(1) << (precision - 1)) : v;
        return int32_t(std::clamp<int64_t>(u, INT32_MIN, INT32_MAX));
    }
};

struct JasPicture
{
    JasColorSpace colorSpace = JasColorSpace::Unknown;
    std::vector<JasComponent> components;
    // Samples of the members our own code reads and writes; a library keeps its own alive in `library`.
    std::vector<std::vector<int32_t>> planes;
    std::shared_ptr<void> library;

    // Describes count components of one size and precision, without samples (a header-only read).
    void DescribeComponents(size_t count, uint32_t width, uint32_t height, int precision, bool isSigned = false);
    // Adds a component whose samples live in planes; null when the plane cannot be allocated.
    int32_t *AddPlane(uint32_t width, uint32_t height, int precision, bool isSigned = false);
};

// The most samples a picture may hold (all components together): four bytes each, so 1 GiB. The image
// made from them is held to its own, smaller limit.
inline constexpr uint64_t kJasMaxSamples = CxImage::kMaxMemory;
// Precisions the family's samples may have.
inline constexpr int kJasMaxPrecision = 16;

enum class JasReadResult { Ok, Failed, TooManyComponents };

// The family member that a file's first bytes announce (11 jp2, 12 jpc, 13 pgx, 14 pnm, 15 ras), or 0.
uint32_t RecogniseJasMember(const uint8_t *head, size_t size);

// Readers: from the file's current position. With headerOnly only sizes and precisions are filled.
// maxComponents bounds a full read before any sample is decoded.
JasReadResult ReadJpeg2000(CxFile *file, uint32_t memberId, bool headerOnly, size_t maxComponents,
                           JasPicture &picture);
JasReadResult ReadPgx(CxFile *file, bool headerOnly, JasPicture &picture);
JasReadResult ReadPnm(CxFile *file, bool headerOnly, JasPicture &picture);
JasReadResult ReadRas(CxFile *file, bool headerOnly, JasPicture &picture);

// Writers: the picture holds one grey or three red, green, blue components of equal size, 8 bits each.
// rate is the compressed size as a fraction of the raw size (JPEG 2000 only).
bool WriteJpeg2000(CxFile *file, uint32_t memberId, const JasPicture &picture, double rate);
bool WritePgx(CxFile *file, const JasPicture &picture);

// A picture's rows as an image holds them, for the writers that copy whole rows: 8-bit grey levels, or
// blue, green and red bytes. row(y) gives row y from the top (valid until the next call).
struct JasRows
{
    uint32_t width = 0;
    uint32_t height = 0;
    bool grey = false;
    std::function<const uint8_t *(uint32_t y)> row;
};
bool WritePnm(CxFile *file, const JasRows &rows);
bool WriteRas(CxFile *file, const JasRows &rows);
