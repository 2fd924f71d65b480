#pragma once

#include "platform/Rect.h"

#include <utility>

// The arithmetic of the part picture window: where the picture is laid out in the window, how a target
// given over the picture is placed, how a target is kept inside the picture, which scroll bars the picture
// needs and where a scroll step leads. The window (CPartTargetsView) and the part-identification question
// window on the canvas draw and scroll by these rules alone.
namespace PartPictureGeometry {

// The frame the window is made over: the picture is reduced into it when scaling is allowed.
constexpr int kFrameWidth = 750;
constexpr int kFrameHeight = 300;
constexpr int kMaxParts = 10;
// One scroll line, in pixels.
constexpr int kLine = 6;
// Differences of two pixels or less do not earn a scroll bar.
constexpr int kBarSlack = 2;

// Target i before any is set: a 30 x 30 square at x 10 + 40i, y 10.
CRect DefaultPart(int index);

struct Layout {
    // Where the picture is drawn, in window coordinates, unscrolled.
    CRect image;
    // The picture was reduced to fit.
    bool scaled = false;
};

// The layout of a width x height picture in a clientWidth x clientHeight window: at its natural size,
// centred along the top when it fits, from the top-left corner when it does not (with scroll bars); or,
// when scaling is allowed and the picture reaches the window's width or height, reduced by
// min(750 / width, 300 / height) (single precision, sizes truncated) and centred along the top. Without a
// picture (a size of 0) the image is the whole window.
Layout LayoutImage(int width, int height, int clientWidth, int clientHeight, bool scalingAllowed);

// A target given relative to the picture, placed in the window: with scaling allowed it is moved (not
// resized) by the image's top-left corner times a factor s, the smaller of the image's width and height
// ratios to the natural size when the natural width is the greater and the picture is shown reduced, the
// larger otherwise; without scaling it is returned unchanged. Before a picture is laid out (no natural
// size) s is 1.
CRect MapPartRect(const CRect &rect, const CRect &image, int naturalWidth, int naturalHeight, bool scaled,
                  bool scalingAllowed);

// A target kept inside the bounds (the image): cut to the image's width and height (left and top kept),
// then shifted back inside. A target already inside is returned unchanged.
CRect ClampPart(CRect part, const CRect &bounds);

// Which bars a picture of width x height needs in a window whose full client area (no bar shown) is
// fullWidth x fullHeight: {horizontal, vertical}. A bar is needed when the picture passes the extent by
// more than the slack; when only one is, it takes its thickness from the other extent, which may then need
// its bar too.
std::pair<bool, bool> BarsNeeded(int width, int height, int fullWidth, int fullHeight, int barThickness);

enum class Scroll { LineBack, LineForward, PageBack, PageForward, Thumb, Start, End, Other };

// The position a scroll step leads to: lines of 6 pixels, pages of the given size, kept within 0 and
// limit - 1 (limit being the bar's scroll limit, one past its last position); Thumb takes thumbPosition.
int ScrollPosition(Scroll action, int position, int page, int limit, int thumbPosition = 0);

} // namespace PartPictureGeometry
