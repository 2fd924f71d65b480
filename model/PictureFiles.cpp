#include "model/PictureFiles.h"

#include "image/qt/ImageQt.h"
#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "platform/Archive.h"
#include "platform/PathUtil.h"
#include "platform/SafeFileWriter.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

std::filesystem::path NativePath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

RGBQUAD Darker(RGBQUAD c, int percent)
{
    c.rgbRed = uint8_t(c.rgbRed - c.rgbRed * percent / 100);
    c.rgbGreen = uint8_t(c.rgbGreen - c.rgbGreen * percent / 100);
    c.rgbBlue = uint8_t(c.rgbBlue - c.rgbBlue * percent / 100);
    return c;
}

RGBQUAD Lighter(RGBQUAD c, int percent)
{
    c.rgbRed = uint8_t(std::min(255, c.rgbRed + c.rgbRed * percent / 100));
    c.rgbGreen = uint8_t(std::min(255, c.rgbGreen + c.rgbGreen * percent / 100));
    c.rgbBlue = uint8_t(std::min(255, c.rgbBlue + c.rgbBlue * percent / 100));
    return c;
}

// The bands of a bevelled frame, in the order they are drawn: each changes the pixels it covers, so the
// corner diagonals get the row band's change and then the column band's.
struct Band {
    bool row;      // a row band (else a column band)
    bool far;      // the top row / the right column (rows count from the bottom)
    bool lighter;
    int percent;
};
constexpr Band kBevelBands[] = {
    {true, false, false, 30},  // bottom
    {true, true, true, 30},    // top
    {false, false, true, 40},  // left
    {false, true, false, 40},  // right
};

void ChangePixel(CxImage &picture, int x, int y, const Band &band)
{
    const RGBQUAD c = picture.GetPixelColor(x, y, true);
    picture.SetPixelColor(x, y, band.lighter ? Lighter(c, band.percent) : Darker(c, band.percent));
}

} // namespace

namespace PictureFiles {

bool Load(CxImage &image, const QString &path, int format)
{
    if (path.isEmpty())
        return false;
    const QString onDisk = CorvPath::ResolveNoCase(CorvPath::ToSlashes(path));
    CxImage loaded;
    if (!loaded.Load(NativePath(onDisk), uint32_t(format)) || !loaded.IsValid())
        return false;
    image.TakeOver(loaded);
    return true;
}

bool Save(CxImage &image, const QString &path, int format)
{
    if (!image.IsValid() || path.isEmpty())
        return false;
    const QString folder = CorvPath::FolderOf(path);
    if (!folder.isEmpty() && !QDir().mkpath(folder))
        return false;
    return image.Save(NativePath(path), uint32_t(format));
}

bool CopyFile(const QString &from, const QString &to)
{
    QFile in(CorvPath::ResolveNoCase(CorvPath::ToSlashes(from)));
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    const QString folder = CorvPath::FolderOf(to);
    if (in.error() != QFile::NoError || (!folder.isEmpty() && !QDir().mkpath(folder)))
        return false;
    return CSafeFileWriter::WriteFile(to, bytes).Ok();
}

void ReportFailedCopy(const CArchive &ar, const QString &from, const QString &)
{
    ar.NoteFailedCopy(from);
}

QString MediaFolder(const QString &archivePath, bool standAlone, CMediaCopy::SubFolder sub)
{
    return CorvPath::ResolveNoCase(
        CorvPath::Join(CMediaCopy::BaseFolder(archivePath, standAlone), CMediaCopy::SubFolderName(sub)));
}

QString PhotoMaskPath(const QString &libraryRoot, const QString &picturePath)
{
    QString name;
    GetFileNameFromPath(picturePath, name, false);
    if (libraryRoot.isEmpty() || name.isEmpty())
        return {};
    return CorvPath::Join(libraryRoot, QStringLiteral("Photo_Objects/mask/") + name + QStringLiteral(".png"));
}

bool ApplyPhotoMask(CxImage &picture, const QString &maskPath)
{
    CxImage mask;
    if (!Load(mask, maskPath, ImageFormatPng))
        return false;
    // Alpha is taken byte for byte from an 8-bit grey picture.
    if (!mask.IsGrayScale() || mask.GetBpp() != 8)
        mask.GrayScale();
    return picture.AlphaSetFromImage(mask);
}

int FrameWidth(int width, int height)
{
    return 2 * std::max(width, height) / 100;
}

void DrawFrame(CxImage &picture, int bevelled)
{
    if (!picture.IsValid())
        return;
    const int w = picture.GetWidth();
    const int h = picture.GetHeight();
    const int n = FrameWidth(w, h);
    if (!bevelled) {
        const RGBQUAD black{0, 0, 0, 0};
        for (int k = 0; k < n; ++k) {
            for (int x = 0; x < w; ++x) {
                picture.SetPixelColor(x, k, black);
                picture.SetPixelColor(x, h - 1 - k, black);
            }
            for (int y = 0; y < h; ++y) {
                picture.SetPixelColor(k, y, black);
                picture.SetPixelColor(w - 1 - k, y, black);
            }
        }
        return;
    }
    for (const Band &band : kBevelBands) {
        for (int k = 0; k < n; ++k) {
            if (band.row) {
                const int y = band.far ? h - 1 - k : k;
                for (int x = k; x <= w - 1 - k; ++x)
                    ChangePixel(picture, x, y, band);
            } else {
                const int x = band.far ? w - 1 - k : k;
                for (int y = k; y <= h - 1 - k; ++y)
                    ChangePixel(picture, x, y, band);
            }
        }
    }
}

void MakeWhiteTransparent(CxImage &picture)
{
    if (!picture.IsValid() || picture.IsTransparent())
        return;
    picture.SetTransIndex(0);
    picture.SetTransColor(RGBQUAD{255, 255, 255, 0});
}

QImage ToDisplayImage(const CxImage &picture)
{
    QImage image = toQImage(picture);
    if (image.isNull() || !picture.IsTransparent() || picture.AlphaIsValid())
        return image;
    if (picture.IsIndexed()) {
        QList<QRgb> table = image.colorTable();
        const int index = picture.GetTransIndex();
        if (index < table.size())
            table[index] &= 0x00FFFFFF;
        image.setColorTable(table);
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    const RGBQUAD t = picture.GetTransColor();
    const QRgb transparent = qRgb(t.rgbRed, t.rgbGreen, t.rgbBlue);
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == transparent)
                line[x] = 0;
    }
    return image;
}

QString SafeName(const QString &name)
{
    QString safe = name;
    RemoveUnsafeChars(safe);
    return CorvPath::SafeBareName(safe);
}

} // namespace PictureFiles
