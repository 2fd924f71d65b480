// PGX: "PG", the byte order ("ML" most significant byte first, "LM" least first), an optional sign,
// the precision, the width and the height as decimal numbers, then the samples of one grey component,
// 1, 2 or 4 bytes each by precision, top row first.
#include "image/JasByteSource.h"
#include "image/JasPicture.h"

#include "image/xFile.h"

#include <string>

namespace {

int BytesPerSample(int precision)
{
    return precision <= 8 ? 1 : precision <= 16 ? 2 : 4;
}

bool ReadOrder(JasByteSource &source, bool &bigEndian)
{
    if (!source.SkipSpace(false))
        return false;
    const int a = source.Get();
    const int b = source.Get();
    if (a == 'M' && b == 'L')
        bigEndian = true;
    else if (a == 'L' && b == 'M')
        bigEndian = false;
    else
        return false;
    return true;
}

} // namespace

JasReadResult ReadPgx(CxFile *file, bool headerOnly, JasPicture &picture)
{
    JasByteSource source(file);
    if (source.Get() != 'P' || source.Get() != 'G')
        return JasReadResult::Failed;
    bool bigEndian = true;
    if (!ReadOrder(source, bigEndian) || !source.SkipSpace(false))
        return JasReadResult::Failed;
    bool isSigned = false;
    if (source.Peek() == '+' || source.Peek() == '-')
        isSigned = source.Get() == '-';
    uint32_t precision = 0, width = 0, height = 0;
    if (!source.ReadNumber(precision, false) || !source.ReadNumber(width, false) ||
        !source.ReadNumber(height, false))
        return JasReadResult::Failed;
    if (precision < 1 || precision > uint32_t(kJasMaxPrecision) || width == 0 || height == 0 ||
        uint64_t(width) * height > kJasMaxSamples)
        return JasReadResult::Failed;
    // One white-space byte ends the header.
    const int end = source.Get();
    if (end != '\n' && end != '\r' && end != ' ' && end != '\t')
        return JasReadResult::Failed;
    if (end == '\r' && source.Peek() == '\n')
        source.Get();

    if (headerOnly) {
        picture.DescribeComponents(1, width, height, int(precision), isSigned);
        picture.colorSpace = JasColorSpace::Gray;
        return JasReadResult::Ok;
    }

    const int bytes = BytesPerSample(int(precision));
    std::vector<uint8_t> raw;
    if (!source.ReadBlock(raw, uint64_t(width) * height * uint64_t(bytes)))
        return JasReadResult::Failed;
    int32_t *samples = picture.AddPlane(width, height, int(precision), isSigned);
    if (!samples)
        return JasReadResult::Failed;
    picture.colorSpace = JasColorSpace::Gray;
    const uint32_t mask = precision == 32 ? 0xFFFFFFFFu : (uint32_t(1) << precision) - 1;
    const size_t count = size_t(width) * height;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t *p = raw.data() + i * size_t(bytes);
        uint32_t v = 0;
        for (int k = 0; k < bytes; ++k)
            v = bigEndian ? (v << 8) | p[k] : v | (uint32_t(p[k]) << (8 * k));
        v &= mask;
        int32_t value = int32_t(v);
        if (isSigned && (v >> (precision - 1)) & 1)
            value = int32_t(int64_t(v) - (int64_t(1) << precision));
        samples[i] = value;
    }
    return JasReadResult::Ok;
}

bool WritePgx(CxFile *file, const JasPicture &picture)
{
    if (picture.components.size() != 1)
        return false;
    const JasComponent &c = picture.components[0];
    const std::string header = "PG ML + 8 " + std::to_string(c.width) + " " + std::to_string(c.height) + "\n";
    std::vector<uint8_t> out(header.begin(), header.end());
    const size_t count = size_t(c.width) * c.height;
    out.reserve(out.size() + count);
    for (size_t i = 0; i < count; ++i)
        out.push_back(uint8_t(c.samples[i]));
    return file->Write(out.data(), 1, out.size()) == out.size();
}
