#pragma once
// Helpers shared by the codec tests: in-memory encode and decode, Qt's own readers and writers as the
// independent check, and a byte-level PNG builder for variants no writer at hand produces.

#include "image/qt/ImageQt.h"
#include "image/xImage.h"
#include "image/xMemFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace codectest {

// ---- bytes of hand-built files

inline std::string Le16(int v)
{
    return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)};
}

inline std::string Le32(uint32_t v)
{
    return Le16(int(v & 0xFFFF)) + Le16(int(v >> 16));
}

inline std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(char(v));
    return out;
}

// ---- encoding, decoding and comparing

inline QByteArray EncodeTo(CxImage &image, uint32_t formatId, bool *ok = nullptr)
{
    CxMemFile file;
    file.Open();
    const bool done = image.Encode(&file, formatId);
    if (ok)
        *ok = done;
    const int64_t size = file.Size();
    return QByteArray(reinterpret_cast<const char *>(file.GetBuffer(false)), qsizetype(size));
}

inline bool DecodeFrom(CxImage &image, const QByteArray &bytes, uint32_t formatId)
{
    std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    CxMemFile file(copy.empty() ? nullptr : copy.data(), copy.size());
    if (copy.empty())
        file.Open();
    return image.Decode(&file, formatId);
}

inline QImage QtRead(const QByteArray &bytes, const char *format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read();
}

inline QByteArray QtWrite(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

// Largest difference of any channel (alpha included) between two pictures of the same size; -1 when the
// sizes differ. Fully transparent pixels compare by alpha only.
inline int MaxDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            worst = std::max(worst, std::abs(qAlpha(p[col]) - qAlpha(q[col])));
            if (qAlpha(p[col]) == 0 && qAlpha(q[col]) == 0)
                continue;
            worst = std::max({worst, std::abs(qRed(p[col]) - qRed(q[col])),
                              std::abs(qGreen(p[col]) - qGreen(q[col])), std::abs(qBlue(p[col]) - qBlue(q[col]))});
        }
    }
    return worst;
}

// The same in premultiplied terms, for readers that premultiply (Qt's ICO reader does): colour
// precision lost at low alpha is not a difference in what is shown.
inline int MaxPremultipliedDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            worst = std::max({worst, std::abs(qAlpha(p[col]) - qAlpha(q[col])), std::abs(qRed(p[col]) - qRed(q[col])),
                              std::abs(qGreen(p[col]) - qGreen(q[col])), std::abs(qBlue(p[col]) - qBlue(q[col]))});
    }
    return worst;
}

// A palette image with distinct colours in every entry, pixel (x, y) holding index
// (x * columnStep + y) % colours.
inline CxImage PaletteImage(int width, int height, uint32_t bpp, int columnStep = 1)
{
    CxImage image(uint32_t(width), uint32_t(height), bpp);
    const uint32_t colours = image.GetNumColors();
    for (uint32_t i = 0; i < colours; ++i)
        image.SetPaletteColor(uint8_t(i), uint8_t(i * 40 + 10), uint8_t(255 - i * 30), uint8_t(i * 90));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelIndex(x, y, uint8_t(uint32_t(x * columnStep + y) % colours));
    return image;
}

// A colourful test card with a soft alpha ramp, so that channel or row mix-ups show.
inline QImage TestCard(int width, int height, bool withAlpha)
{
    QImage image(width, height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba((x * 255) / std::max(1, width - 1), (y * 255) / std::max(1, height - 1),
                                       ((x + y) * 37) & 0xFF, withAlpha ? (x * 7 + y * 13) & 0xFF : 255));
    return image;
}

// ---- PNG bytes built by hand

inline void Append32(std::string &out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(char((v >> shift) & 0xFF));
}

inline uint32_t Crc32(const std::string &data)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

// A zlib stream of stored (uncompressed) blocks: enough for a reader, and no compressor needed.
inline std::string ZlibStored(const std::string &raw)
{
    std::string out = "\x78\x01";
    size_t at = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        out += char(at + n == raw.size() ? 1 : 0);
        out += char(n & 0xFF);
        out += char(n >> 8);
        out += char(~n & 0xFF);
        out += char((~n >> 8) & 0xFF);
        out += raw.substr(at, n);
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Append32(out, (b << 16) | a);
    return out;
}

inline std::string Chunk(const char *type, const std::string &data)
{
    std::string out;
    Append32(out, uint32_t(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    Append32(out, Crc32(body));
    return out;
}

// rows: each row's packed samples without the filter byte. extra: chunks placed between IHDR and IDAT.
inline QByteArray MakePng(uint32_t width, uint32_t height, int bitDepth, int colorType,
                          const std::vector<std::string> &rows, const std::string &extra = {})
{
    std::string ihdr;
    Append32(ihdr, width);
    Append32(ihdr, height);
    ihdr += char(bitDepth);
    ihdr += char(colorType);
    ihdr += std::string(3, '\0');
    std::string raw;
    for (const std::string &row : rows)
        raw += '\0' + row;
    const std::string packed = ZlibStored(raw);
    std::string out = "\x89PNG\r\n\x1a\n";
    out += Chunk("IHDR", ihdr) + extra + Chunk("IDAT", packed) + Chunk("IEND", {});
    return QByteArray(out.data(), qsizetype(out.size()));
}

// The data of the first chunk of a type, or an empty string.
inline std::string FindChunk(const QByteArray &png, const char *type)
{
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const auto *p = reinterpret_cast<const uint8_t *>(png.constData() + at);
        const uint32_t length = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
        if (std::memcmp(p + 4, type, 4) == 0)
            return std::string(reinterpret_cast<const char *>(p + 8), length);
        at += 12 + qsizetype(length);
    }
    return {};
}

inline QByteArray DropChunk(const QByteArray &png, const char *type)
{
    QByteArray out = png.left(8);
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const auto *p = reinterpret_cast<const uint8_t *>(png.constData() + at);
        const uint32_t length = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
        if (std::memcmp(p + 4, type, 4) != 0)
            out += png.mid(at, 12 + qsizetype(length));
        at += 12 + qsizetype(length);
    }
    return out;
}

} // namespace codectest
