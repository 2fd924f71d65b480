#include "dialogs/MatchPairsValues.h"

#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "platform/CorvContext.h"
#include "platform/StringTable.h"

CMatchPairsValues CMatchPairsValues::Defaults()
{
    CMatchPairsValues v;
    v.questionText = CStringTable::Load(35012);
    return v;
}

bool CMatchPairsValues::LeftPresent(int pair) const
{
    return !leftTexts[size_t(pair)].trimmed().isEmpty() || !leftImages[size_t(pair)].isEmpty();
}

bool CMatchPairsValues::RightPresent(int pair) const
{
    return !rightTexts[size_t(pair)].trimmed().isEmpty() || !rightImages[size_t(pair)].isEmpty();
}

CDialogCheck CMatchPairsValues::Check() const
{
    bool any = false;
    for (int i = 0; i < kPairs; ++i)
        any = any || LeftPresent(i) || RightPresent(i);
    if (!any)
        return CDialogCheck::Fail(CStringTable::Load(35053));
    for (int i = 0; i < kPairs; ++i)
        if (LeftPresent(i) != RightPresent(i))
            return CDialogCheck::Fail(CStringTable::Load(35054));
    return {};
}

QImage CMatchPairsValues::MakeThumbnail(const CCorvContext &context, const QString &file)
{
    if (file.isEmpty())
        return {};
    CxImage picture;
    if (!PictureFiles::Load(picture, file, GetImageFormatFromExt(file)) || !picture.IsValid())
        return {};
    if (IsLibraryPhotoObject(context, file))
        PictureFiles::ApplyPhotoMask(picture, PictureFiles::PhotoMaskPath(context.graphicsLibraryRoot, file));
    int width = 0, height = 0;
    double scale = 1.0;
    if (!FitSizeInBox(kThumbnailSide, kThumbnailSide, int(picture.GetWidth()), int(picture.GetHeight()), width,
                      height, scale))
        return {};
    if (width != int(picture.GetWidth()) || height != int(picture.GetHeight())) {
        CxImage small;
        if (!picture.Resample(width, height, InterpolationLanczos, EdgeRepeat, &small))
            return {};
        return PictureFiles::ToDisplayImage(small);
    }
    return PictureFiles::ToDisplayImage(picture);
}

QImage CMatchPairsValues::BlankThumbnail()
{
    QImage blank(kThumbnailSide, kThumbnailSide, QImage::Format_RGB32);
    blank.fill(Qt::white);
    return blank;
}
