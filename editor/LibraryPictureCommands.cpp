#include "editor/LibraryPictureCommands.h"

#include "model/ComponentImage.h"
#include "model/GlobalHelpers.h"

namespace LibraryPictureCommands {

CRect ReplacedBounds(const CRect &old, int sizeClass, int naturalWidth, int naturalHeight)
{
    const int boxWidth = GetPictureWidthForSize(sizeClass);
    const int boxHeight = GetPictureHeightForSize(sizeClass);
    const int boxLeft = (old.left + old.right) / 2 - boxWidth / 2;
    const int boxTop = (old.top + old.bottom) / 2 - boxHeight / 2;
    int width = 0, height = 0;
    double scale = 1.0;
    FitSizeInBox(boxWidth, boxHeight, naturalWidth, naturalHeight, width, height, scale);
    const int cx = (boxLeft + boxLeft + boxWidth) / 2;
    const int cy = (boxTop + boxTop + boxHeight) / 2;
    CRect bounds(cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2);
    if (bounds.left < 0)
        bounds.OffsetRect(5 - bounds.left, 0);
    if (bounds.top < 0)
        bounds.OffsetRect(0, 5 - bounds.top);
    if (bounds.right > kScreenWidth)
        bounds.OffsetRect(kScreenWidth - 5 - bounds.right, 0);
    if (bounds.bottom > kScreenHeight)
        bounds.OffsetRect(0, kScreenHeight - 5 - bounds.bottom);
    return bounds;
}

void ReplacePicture(CComponentImage &image, const QString &path, const QString &altText, int sizeClass, int border,
                    int borderStyle, int naturalWidth, int naturalHeight, const CCorvContext &context)
{
    const CRect old = image.GetBounds();
    image.SetJpegBorder(border);
    image.SetBevelled(borderStyle);
    image.SetImageFile(path, context);
    image.SetAltText(altText);
    image.SetBounds(ReplacedBounds(old, sizeClass, naturalWidth, naturalHeight), true);
}

} // namespace LibraryPictureCommands
