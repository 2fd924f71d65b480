#include "model/GlobalHelpers.h"

#include "image/xImage.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"

#include <QFile>
#include <QFileInfo>

namespace {

struct ExtensionFormat {
    const char16_t *extension;
    int formatId;
};

constexpr ExtensionFormat kExtensionFormats[] = {
    {u"bmp", 1}, {u"gif", 2}, {u"jpg", 3}, {u"jpeg", 3}, {u"png", 4}, {u"wmf", 10},
};

struct PictureSize {
    int width;
    int height;
};

// Graphic-size setting: 0 small, 1 (and anything unknown) medium, 2 large.
PictureSize PresetFor(int graphicSize)
{
    switch (graphicSize) {
    case 0: return {300, 200};
    case 2: return {500, 333};
    default: return {400, 266};
    }
}

// The library's picture folders, in the order they are searched.
constexpr const char16_t *kLibraryFolders[] = {
    u"Vector/", u"Stock Photo - color/", u"Stock Photo - b&w/", u"Photo_Objects/image_JPG/",
};
constexpr char16_t kPhotoObjectFolder[] = u"Photo_Objects/image_JPG";

} // namespace

int GetImageFormatFromExt(const QString &path)
{
    if (path.isEmpty())
        return 0;
    QString extension;
    GetFileExtension(path, extension);
    for (const ExtensionFormat &entry : kExtensionFormats)
        if (extension.compare(QStringView(entry.extension), Qt::CaseInsensitive) == 0)
            return entry.formatId;
    return 0;
}

int FitSizeInBox(int boxWidth, int boxHeight, int width, int height, int &outWidth, int &outHeight,
                 double &scale, int force)
{
    scale = 1.0;
    if (boxWidth <= 0 || boxHeight <= 0 || width <= 0 || height <= 0) {
        outWidth = outHeight = 0;
        return 0;
    }
    // Ratios in single precision, as pictures have always been placed: the sizes stored in projects
    // depend on it.
    const float ratioWidth = float(boxWidth) / float(width);
    const float ratioHeight = float(boxHeight) / float(height);
    if (width > boxWidth || height > boxHeight || force == 1) {
        const float factor = ratioWidth < ratioHeight ? ratioWidth : ratioHeight;
        outWidth = int(float(width) * factor);
        outHeight = int(float(height) * factor);
        scale = factor;
    } else {
        outWidth = width;
        outHeight = height;
    }
    return 1;
}

int GetPictureWidthForSize(int graphicSize) { return PresetFor(graphicSize).width; }

int GetPictureHeightForSize(int graphicSize) { return PresetFor(graphicSize).height; }

int FindLibraryImage(const CCorvContext &context, const QString &fileName, QString &path)
{
    const QString name = fileName; // path may be fileName itself
    path.clear();
    const QString &root = context.graphicsLibraryRoot;
    // A name from a picture list never leaves the library's folders.
    if (root.isEmpty() || !CorvPath::IsSafeBareName(name))
        return 0;
    for (const char16_t *folder : kLibraryFolders) {
        // Libraries copied from Windows spell their folders and files every way.
        const QString found = CorvPath::ResolveNoCase(CorvPath::Join(root, QString::fromUtf16(folder) + name));
        if (QFileInfo::exists(found)) {
            path = found;
            return 1;
        }
    }
    return 0;
}

bool IsLibraryPhotoObject(const CCorvContext &context, const QString &path)
{
    const QString &root = context.graphicsLibraryRoot;
    if (root.isEmpty())
        return false;
    const QString folder = CorvPath::FolderOf(CorvPath::ToSlashes(path));
    const QString photoObjects = CorvPath::Join(root, QString::fromUtf16(kPhotoObjectFolder));
    // The folder as the system spells it, or as it is spelt on disk when a library copied from Windows
    // spells it otherwise (FindLibraryImage returns that spelling).
    return folder == photoObjects || folder == CorvPath::ResolveNoCase(photoObjects);
}

void GetImageFileSize(int &width, int &height, const QString &path)
{
    width = height = 0;
    if (path.isEmpty())
        return;
    const QString onDisk = CorvPath::ResolveNoCase(path);
    CxImage image;
    if (!image.Load(std::filesystem::path(QFile::encodeName(onDisk).toStdString()),
                    uint32_t(GetImageFormatFromExt(onDisk))))
        return;
    width = image.GetWidth();
    height = image.GetHeight();
}
