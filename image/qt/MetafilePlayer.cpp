#include "image/qt/MetafilePlayer.h"

#include "image/qt/MetafileCanvas.h"
#include "image/qt/MetafileRecords.h"
#include "image/xImageWMF.h"

#include <cstring>

namespace {

// Windows-1252 where it differs from Latin-1; 0 marks the unused places.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

constexpr uint8_t kSymbolCharset = 2;

QImage TargetImage(const CxImage &target)
{
    QImage image(target.GetWidth(), target.GetHeight(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t *row = target.GetRowPointer(uint32_t(image.height() - 1 - y));
        QRgb *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x, row += 3)
            out[x] = qRgb(row[2], row[1], row[0]);
    }
    return image;
}

void CopyBack(const QImage &image, CxImage &target)
{
    for (int y = 0; y < image.height(); ++y) {
        uint8_t *row = target.GetRowPointer(uint32_t(image.height() - 1 - y));
        const QRgb *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, row += 3) {
            row[0] = uint8_t(qBlue(in[x]));
            row[1] = uint8_t(qGreen(in[x]));
            row[2] = uint8_t(qRed(in[x]));
        }
    }
}

double Extent(int32_t from, int32_t to)
{
    return double(int64_t(to) - int64_t(from));
}

} // namespace

QString DecodeAnsiText(std::span<const uint8_t> bytes, uint8_t charset)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (uint8_t c : bytes) {
        if (c >= 0x80 && c < 0xA0 && charset != kSymbolCharset && kCp1252High[c - 0x80])
            text.append(QChar(kCp1252High[c - 0x80]));
        else
            text.append(QChar(char16_t(c)));
    }
    return text;
}

bool PlayMetafile(const MetafilePicture &picture, CxImage &target, char *error)
{
    if (!target.IsValid() || target.GetBpp() != 24)
        return false;
    QImage image = TargetImage(target);
    const double width = image.width(), height = image.height();
    std::string problem;
    bool played = false;
    {
        if (!picture.enhanced) {
            // The placeable header's box is the picture; the records' window maps onto the whole target.
            MetafileCanvas canvas(image, QTransform(), QSizeF(96 / 25.4, 96 / 25.4));
            DcState &dc = canvas.dc;
            dc.mapMode = MapAnisotropic;
            dc.windowOrg = QPointF(picture.bounds.left, picture.bounds.top);
            dc.windowExt = QSizeF(Extent(picture.bounds.left, picture.bounds.right),
                                  Extent(picture.bounds.top, picture.bounds.bottom));
            dc.viewportExt = QSizeF(width, height);
            played = PlayWmfRecords(canvas, picture, problem);
        } else {
            // The frame (hundredths of a millimetre) in the reference device's pixels maps onto the target.
            const double mmX = picture.deviceMillimetres[0], mmY = picture.deviceMillimetres[1];
            const double pxX = picture.devicePixels[0], pxY = picture.devicePixels[1];
            const bool device = mmX > 0 && mmY > 0 && pxX > 0 && pxY > 0;
            QRectF frame;
            if (device)
                frame = QRectF(QPointF(picture.frame.left * pxX / (mmX * 100), picture.frame.top * pxY / (mmY * 100)),
                               QPointF(picture.frame.right * pxX / (mmX * 100), picture.frame.bottom * pxY / (mmY * 100)));
            if (frame.width() <= 0 || frame.height() <= 0)
                frame = QRectF(QPointF(picture.bounds.left, picture.bounds.top),
                               QPointF(picture.bounds.right, picture.bounds.bottom));
            if (frame.width() <= 0 || frame.height() <= 0)
                frame = QRectF(0, 0, width, height);
            const QTransform toTarget = QTransform::fromTranslate(-frame.left(), -frame.top()) *
                                        QTransform::fromScale(width / frame.width(), height / frame.height());
            MetafileCanvas canvas(image, toTarget, device ? QSizeF(pxX / mmX, pxY / mmY) : QSizeF(96 / 25.4, 96 / 25.4));
            played = PlayEmfRecords(canvas, picture, problem);
        }
    }
    if (!played) {
        std::strncpy(error, problem.c_str(), 255);
        error[255] = '\0';
        return false;
    }
    CopyBack(image, target);
    return true;
}

void RegisterMetafilePlayer()
{
    SetMetafilePlayer(PlayMetafile);
}
