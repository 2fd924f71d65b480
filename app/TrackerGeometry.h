#pragma once

#include <QPoint>
#include <QRect>

// The geometry of the canvas trackers: the two ends of a line and the corners of a picture kept at its shape.
namespace CorvTrackerGeometry {

// What a point hits on a line: its first or second end's handle, the line itself, or nothing.
enum LinePart { LineMiss = -1, FirstEnd = 0, SecondEnd = 1, WholeLine = 2 };
constexpr int kHandleHalf = 3;
constexpr int kLineSlop = 4;

// The 6 x 6 handle square around an end point (from -3 inclusive to +3 exclusive).
QRect EndHandle(const QPoint &end);
// Distance from a point to the segment, truncated; to the first end when the ends (almost) coincide.
int DistanceToSegment(const QPoint &first, const QPoint &second, const QPoint &point);
LinePart HitTest(const QPoint &first, const QPoint &second, const QPoint &point);

// The handles of a rectangle tracker, numbered as it numbers them: the corners first, then the sides.
enum Handle {
    TopLeft = 0, TopRight = 1, BottomRight = 2, BottomLeft = 3, Top = 4, Right = 5, Bottom = 6, Left = 7,
    Middle = 8, NoHandle = -1
};
// The rectangle a handle dragged by delta gives: corners and sides move their edges, the middle moves the
// whole rectangle; edges dragged past each other swap, so the result is never negative.
QRect ResizeByHandle(const QRect &original, int handle, const QPoint &delta);
// The 7 x 7 square of a handle of a rectangle, centred on its corner or on the middle of its side.
QRect HandleRect(const QRect &rect, int handle);
// The handle under a point among those the mask offers, Middle inside the rectangle, else NoHandle.
int RectHitTest(const QRect &rect, unsigned mask, const QPoint &point);
// The handles a tracker offers: the four corners while it keeps a shape, else all eight.
unsigned HandleMask(bool keepRatio);
// A corner dragged to proposed, the width kept and the height made width / ratio (rounded up) against the
// fixed corner. Unchanged when ratio is not above 0, the handle is no corner, or the shape already matches.
QRect AdjustForAspect(int handle, const QRect &proposed, double ratio);

} // namespace CorvTrackerGeometry
