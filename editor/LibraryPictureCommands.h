#pragma once

#include "platform/Rect.h"

#include <QString>

class CComponentImage;
class CCorvContext;

// Putting a picture chosen from the graphics library into a picture component of the screen being edited.
namespace LibraryPictureCommands {

// The screen's size, inside which a replaced picture is pulled back with a 5-pixel margin.
constexpr int kScreenWidth = 1008;
constexpr int kScreenHeight = 560;

// Where a replaced picture goes: the box of the size class (0 small, 2 large, else medium) centred on the
// old bounds, the picture's natural size fitted into it without enlarging, centred on the box's centre
// (halves rounded toward zero); then, in this order, a left edge below 0 moves to 5, a top below 0 to 5, a
// right edge beyond 1008 to 1003 and a bottom beyond 560 to 555. A picture without a size has none.
CRect ReplacedBounds(const CRect &old, int sizeClass, int naturalWidth, int naturalHeight);

// Gives the picture the file at path, whose natural size is given: its JPEG border flag and style, the
// path, the alternative text, and bounds of ReplacedBounds for the size class. Marking the screen modified
// is the caller's part.
void ReplacePicture(CComponentImage &image, const QString &path, const QString &altText, int sizeClass, int border,
                    int borderStyle, int naturalWidth, int naturalHeight, const CCorvContext &context);

} // namespace LibraryPictureCommands
