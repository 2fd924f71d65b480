#pragma once

#include "image/qt/MetafilePlayer.h"
#include "image/xImage.h"
#include "image/xImageWMF.h"
#include "model/ComponentBase.h"
#include "model/ComponentFactory.h"
#include "model/PictureSaveSession.h"
#include "platform/Archive.h"
#include "support/TempTree.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// Pictures written by the tests themselves: a plain colour, or a picture whose every pixel tells where it
// is, in the formats the components read.
namespace PictureTest {

inline CxImage Plain(int width, int height, RGBQUAD colour)
{
    CxImage image(uint32_t(width), uint32_t(height), 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelColor(x, y, colour);
    return image;
}

inline CxImage Grey(int width, int height, uint8_t level)
{
    return Plain(width, height, RGBQUAD{level, level, level, 0});
}

// A picture that differs from pixel to pixel, so resampling and re-encoding show.
inline CxImage Pattern(int width, int height)
{
    CxImage image(uint32_t(width), uint32_t(height), 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelColor(x, y, RGBQUAD{uint8_t(x * 7), uint8_t(y * 5), uint8_t((x + y) * 3), 0});
    return image;
}

// An 8-bit grey mask: opaque in the left half, clear in the right.
inline CxImage HalfMask(int width, int height)
{
    CxImage mask(uint32_t(width), uint32_t(height), 8);
    mask.SetGrayPalette();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask.SetPixelIndex(x, y, x < width / 2 ? 255 : 0);
    return mask;
}

inline QString Write(const TempTree &tree, const QString &relative, CxImage image, int format)
{
    const QString path = tree / relative;
    tree.MakeFolder(relative.left(relative.lastIndexOf(u'/') + 1));
    image.Save(std::filesystem::path(QFile::encodeName(path).toStdString()), uint32_t(format));
    return path;
}

// A metafile of the image library's fixtures (96 x 48 pixels: shapes on a white ground) laid into the tree.
inline QString WriteMetafile(const TempTree &tree, const QString &relative)
{
    return tree.Write(relative, TempTree::ReadAll(QStringLiteral(CORV_FIXTURES "/image/codecs/shapes.wmf")));
}

// Metafiles load while one of these lives, as they do in the application, which registers the player
// at start-up.
struct MetafilesPlayed {
    MetafilesPlayed() { RegisterMetafilePlayer(); }
    ~MetafilesPlayed() { SetMetafilePlayer(nullptr); }
    MetafilesPlayed(const MetafilesPlayed &) = delete;
    MetafilesPlayed &operator=(const MetafilesPlayed &) = delete;
};

inline CxImage Read(const QString &path)
{
    CxImage image;
    image.Load(std::filesystem::path(QFile::encodeName(path).toStdString()), ImageFormatNone);
    return image;
}

inline bool IsJpegFile(const QString &path)
{
    return TempTree::ReadAll(path).startsWith("\xFF\xD8");
}

inline bool IsPngFile(const QString &path)
{
    return TempTree::ReadAll(path).startsWith("\x89PNG");
}

inline uint8_t RedAt(const CxImage &image, int x, int y)
{
    return image.GetPixelColor(x, y, false).rgbRed;
}

// The record of the component as the archive at archivePath stores it, through the session when one is
// given (the pictures are written beside that archive).
inline QByteArray StoreFor(CComponentBase &component, const QString &archivePath,
                           CPictureSaveSession *session = nullptr, const CCorvContext *context = nullptr)
{
    CArchive ar;
    ar.SetFilePath(archivePath);
    ar.SetContext(context);
    if (session)
        session->StoreComponent(component, ar);
    else
        component.SerializeComponent(ar);
    return ar.GetBuffer();
}

// The component the record gives when read from the archive at archivePath.
template <class Kind>
std::unique_ptr<Kind> LoadFor(const QByteArray &record, const QString &archivePath, bool standAlone = false,
                              int schema = 10000047)
{
    CArchive ar(record);
    ar.SetFilePath(archivePath);
    CComponentFactory::LoadOptions options{schema};
    options.standAlone = standAlone;
    std::unique_ptr<CComponentBase> component = CComponentFactory::LoadComponent(ar, options);
    if (!ar.AtEnd() || !dynamic_cast<Kind *>(component.get()))
        return nullptr;
    return std::unique_ptr<Kind>(static_cast<Kind *>(component.release()));
}

// The first string after the record's head (the picture's name for images).
inline QString FirstString(const QByteArray &record)
{
    CArchive ar(record);
    ar.ReadInt();
    ar.ReadRect();
    return ar.ReadString();
}

} // namespace PictureTest
