#include "image/qt/ImageQt.h"

#include <cstring>

namespace {

// Each entry with the alpha its pixels are shown with: the transparent index and palette alpha are
// part of the picture, not something the screen may leave out.
QList<QRgb> ColourTable(const CxImage &image)
{
    QList<QRgb> table;
    for (uint32_t i = 0; i < image.GetNumColors(); ++i) {
        const RGBQUAD c = image.GetPaletteColor(uint8_t(i));
        table.append(qRgba(c.rgbRed, c.rgbGreen, c.rgbBlue, image.GetShownPaletteAlpha(uint8_t(i))));
    }
    return table;
}

QImage WithAlpha(const CxImage &image)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    QImage out(width, height, QImage::Format_ARGB32);
    if (out.isNull())
        return out;
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(height - 1 - y));
        for (int x = 0; x < width; ++x) {
            const RGBQUAD c = image.BlindGetPixelColor(x, y, false);
            line[x] = qRgba(c.rgbRed, c.rgbGreen, c.rgbBlue, image.BlindGetShownAlpha(x, y));
        }
    }
    return out;
}

} // namespace

QImage toQImage(const CxImage &image)
{
    if (!image.IsValid())
        return QImage();
    // Indexed pictures carry their transparency in the colour table; the others need a pixel format
    // with alpha.
    if (image.AlphaIsValid() || (!image.IsIndexed() && image.HasTransparency()))
        return WithAlpha(image);

    const int width = image.GetWidth();
    const int height = image.GetHeight();
    QImage out;
    switch (image.GetBpp()) {
    case 1:
        out = QImage(width, height, QImage::Format_Mono);
        break;
    case 4:
    case 8:
        out = QImage(width, height, QImage::Format_Indexed8);
        break;
    default:
        out = QImage(width, height, QImage::Format_RGB888);
        break;
    }
    if (out.isNull())
        return out;
    if (image.IsIndexed())
        out.setColorTable(ColourTable(image));

    for (int y = 0; y < height; ++y) {
        const uint8_t *row = image.GetRowPointer(uint32_t(y));
        uchar *line = out.scanLine(height - 1 - y);
        switch (image.GetBpp()) {
        case 1:
            std::memcpy(line, row, size_t(width + 7) / 8);
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                line[x] = image.BlindGetPixelIndex(x, y);
            break;
        case 8:
            std::memcpy(line, row, size_t(width));
            break;
        default:
            for (int x = 0; x < width; ++x) {
                line[3 * x] = row[3 * x + 2];
                line[3 * x + 1] = row[3 * x + 1];
                line[3 * x + 2] = row[3 * x];
            }
            break;
        }
    }
    return out;
}

bool fromQImage(CxImage &image, const QImage &source)
{
    if (!image.Destroy() || source.isNull())
        return false;

    QImage picture = source;
    uint32_t bpp = 24;
    if (picture.format() == QImage::Format_Mono || picture.format() == QImage::Format_MonoLSB) {
        picture = picture.convertToFormat(QImage::Format_Mono);
        bpp = 1;
    } else if (picture.format() == QImage::Format_Indexed8) {
        bpp = 8;
    } else {
        picture = picture.convertToFormat(QImage::Format_RGB888);
    }
    if (picture.isNull())
        return false;

    const int width = picture.width();
    const int height = picture.height();
    if (!image.Create(uint32_t(width), uint32_t(height), bpp, ImageFormatNone))
        return false;
    if (bpp != 24) {
        const QList<QRgb> table = picture.colorTable();
        const int n = std::min<int>(table.size(), int(image.GetNumColors()));
        for (int i = 0; i < n; ++i)
            image.SetPaletteColor(uint8_t(i), uint8_t(qRed(table[i])), uint8_t(qGreen(table[i])),
                                  uint8_t(qBlue(table[i])), 0);
    }
    for (int y = 0; y < height; ++y) {
        uint8_t *row = image.GetRowPointer(uint32_t(height - 1 - y));
        const uchar *line = picture.constScanLine(y);
        if (bpp == 1) {
            std::memcpy(row, line, size_t(width + 7) / 8);
        } else if (bpp == 8) {
            std::memcpy(row, line, size_t(width));
        } else {
            for (int x = 0; x < width; ++x) {
                row[3 * x] = line[3 * x + 2];
                row[3 * x + 1] = line[3 * x + 1];
                row[3 * x + 2] = line[3 * x];
            }
        }
    }
    return true;
}
