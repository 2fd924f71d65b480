#include "document/PicturePreparation.h"

#include "image/xImage.h"
#include "image/xImageTypes.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "platform/PathUtil.h"

#include <QFileInfo>

namespace {

constexpr int kLogoHeight = 50;
constexpr int kLogoWidth = 400;

QString ResizedFolder(const QString &projectFolder)
{
    // A project copied from Windows may spell its folders in another case.
    return CorvPath::ResolveNoCase(CorvPath::Join(projectFolder, QStringLiteral("Images/Resized")));
}

bool IsSameFile(const QString &a, const QString &b)
{
    return CorvPath::SamePathNoCase(CorvPath::ResolveNoCase(CorvPath::ToSlashes(a)), CorvPath::ResolveNoCase(b));
}

// Writes the logo to target, shrunk when it is taller than the bar it sits in. A picture that does not
// decode, or cannot be encoded again, is copied as it is.
bool WriteShrunkLogo(const QString &logoPath, const QString &target)
{
    const int format = GetImageFormatFromExt(logoPath);
    CxImage picture;
    if (!PictureFiles::Load(picture, logoPath, format))
        return PictureFiles::CopyFile(logoPath, target);
    if (picture.GetHeight() > kLogoHeight) {
        int width = 0, height = 0;
        double scale = 1.0;
        FitSizeInBox(kLogoWidth, kLogoHeight, picture.GetWidth(), picture.GetHeight(), width, height, scale);
        picture.Resample(width, height, InterpolationBicubic2, EdgeRepeat);
    }
    return PictureFiles::Save(picture, target, format) || PictureFiles::CopyFile(logoPath, target);
}

} // namespace

QString PreparedPictureName(const QString &picturePath)
{
    QString name = CorvPath::FileName(picturePath);
    RemoveUnsafeChars(name);
    return CorvPath::SafeBareName(name);
}

QString PrepareLogoPicture(const QString &projectFolder, const QString &logoPath)
{
    const QString name = PreparedPictureName(logoPath);
    if (logoPath.isEmpty() || name.isEmpty())
        return QString();
    const QString folder = ResizedFolder(projectFolder);
    const QString target = CorvPath::Join(folder, name);
    // Shrinking the copy again would only lose quality (a JPEG is encoded anew each time).
    if (!IsSameFile(logoPath, target) && !WriteShrunkLogo(logoPath, target))
        return QString();
    if (!QFileInfo::exists(target))
        return QString();
    if (GetImageFormatFromExt(name) != int(ImageFormatPng))
        return target;
    const QString png8 = CorvPath::Join({folder, QStringLiteral("png8"), name});
    return PictureFiles::CopyFile(target, png8) ? png8 : target;
}

bool CopyResizedLogo(const QString &outputFolder, const QString &logoPath)
{
    const QString name = PreparedPictureName(logoPath);
    if (logoPath.isEmpty() || name.isEmpty())
        return false;
    return WriteShrunkLogo(logoPath, CorvPath::Join({outputFolder, QStringLiteral("images"), name}));
}

QString PrepareBackgroundPicture(const QString &projectFolder, const QString &backgroundPath)
{
    const QString name = PreparedPictureName(backgroundPath);
    if (backgroundPath.isEmpty() || name.isEmpty())
        return backgroundPath;
    const QString target = CorvPath::Join(ResizedFolder(projectFolder), name);
    if (IsSameFile(backgroundPath, target))
        return target;
    return PictureFiles::CopyFile(backgroundPath, target) ? target : backgroundPath;
}
