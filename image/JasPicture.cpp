#include "image/JasPicture.h"

#include <cstring>
#include <new>

int32_t *JasPicture::AddPlane(uint32_t width, uint32_t height, int precision, bool isSigned)
{
    uint64_t total = uint64_t(width) * height;
    for (const JasComponent &c : components)
        total += uint64_t(c.width) * c.height;
    if (width == 0 || height == 0 || total > kJasMaxSamples)
        return nullptr;
    try {
        planes.emplace_back(size_t(width) * height, 0);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
    JasComponent component;
    component.width = width;
    component.height = height;
    component.precision = precision;
    component.isSigned = isSigned;
    component.samples = planes.back().data();
    components.push_back(component);
    return planes.back().data();
}

void JasPicture::DescribeComponents(size_t count, uint32_t width, uint32_t height, int precision, bool isSigned)
{
    JasComponent component;
    component.width = width;
    component.height = height;
    component.precision = precision;
    component.isSigned = isSigned;
    components.assign(count, component);
}

uint32_t RecogniseJasMember(const uint8_t *head, size_t size)
{
    static const uint8_t jp2[] = {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
    static const uint8_t jpc[] = {0xFF, 0x4F, 0xFF, 0x51};
    static const uint8_t ras[] = {0x59, 0xA6, 0x6A, 0x95};
    if (size >= sizeof jp2 && std::memcmp(head, jp2, sizeof jp2) == 0)
        return ImageFormatJp2;
    if (size >= sizeof jpc && std::memcmp(head, jpc, sizeof jpc) == 0)
        return ImageFormatJpc;
    if (size >= sizeof ras && std::memcmp(head, ras, sizeof ras) == 0)
        return ImageFormatRas;
    if (size >= 3 && head[0] == 'P' && head[1] == 'G' &&
        (head[2] == ' ' || head[2] == '\t' || head[2] == '\n' || head[2] == '\r'))
        return ImageFormatPgx;
    if (size >= 3 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6' &&
        (head[2] == ' ' || head[2] == '\t' || head[2] == '\n' || head[2] == '\r' || head[2] == '#'))
        return ImageFormatPnm;
    return ImageFormatNone;
}
