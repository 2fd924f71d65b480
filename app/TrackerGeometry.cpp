#include "app/TrackerGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace CorvTrackerGeometry {

QRect EndHandle(const QPoint &end)
{
    return QRect(end.x() - kHandleHalf, end.y() - kHandleHalf, 2 * kHandleHalf, 2 * kHandleHalf);
}

int DistanceToSegment(const QPoint &first, const QPoint &second, const QPoint &point)
{
    const qint64 dx = second.x() - first.x();
    const qint64 dy = second.y() - first.y();
    const qint64 lengthSquared = dx * dx + dy * dy;
    double t = 0;
    if (lengthSquared > 2) {
        t = double((point.y() - first.y()) * dy + (point.x() - first.x()) * dx) / double(lengthSquared);
        t = std::clamp(t, 0.0, 1.0);
    }
    const double nearestX = first.x() + t * double(dx);
    const double nearestY = first.y() + t * double(dy);
    return int(std::hypot(point.x() - nearestX, point.y() - nearestY));
}

LinePart HitTest(const QPoint &first, const QPoint &second, const QPoint &point)
{
    if (EndHandle(first).contains(point))
        return FirstEnd;
    if (EndHandle(second).contains(point))
        return SecondEnd;
    return DistanceToSegment(first, second, point) < kLineSlop ? WholeLine : LineMiss;
}

QRect ResizeByHandle(const QRect &original, int handle, const QPoint &delta)
{
    if (handle == Middle)
        return original.translated(delta);
    int left = original.left();
    int top = original.top();
    int right = original.left() + original.width();
    int bottom = original.top() + original.height();
    const bool moveLeft = handle == TopLeft || handle == BottomLeft || handle == Left;
    const bool moveRight = handle == TopRight || handle == BottomRight || handle == Right;
    const bool moveTop = handle == TopLeft || handle == TopRight || handle == Top;
    const bool moveBottom = handle == BottomLeft || handle == BottomRight || handle == Bottom;
    if (moveLeft)
        left += delta.x();
    if (moveRight)
        right += delta.x();
    if (moveTop)
        top += delta.y();
    if (moveBottom)
        bottom += delta.y();
    return QRect(std::min(left, right), std::min(top, bottom), std::abs(right - left), std::abs(bottom - top));
}

QRect HandleRect(const QRect &rect, int handle)
{
    constexpr int size = 7;
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    const int midX = rect.left() + rect.width() / 2;
    const int midY = rect.top() + rect.height() / 2;
    QPoint centre;
    switch (handle) {
    case TopLeft: centre = {rect.left(), rect.top()}; break;
    case TopRight: centre = {right, rect.top()}; break;
    case BottomRight: centre = {right, bottom}; break;
    case BottomLeft: centre = {rect.left(), bottom}; break;
    case Top: centre = {midX, rect.top()}; break;
    case Right: centre = {right, midY}; break;
    case Bottom: centre = {midX, bottom}; break;
    case Left: centre = {rect.left(), midY}; break;
    default: return {};
    }
    return QRect(centre.x() - size / 2, centre.y() - size / 2, size, size);
}

int RectHitTest(const QRect &rect, unsigned mask, const QPoint &point)
{
    for (int handle = TopLeft; handle <= Left; ++handle)
        if ((mask & (1u << handle)) && HandleRect(rect, handle).contains(point))
            return handle;
    return rect.contains(point) ? Middle : NoHandle;
}

unsigned HandleMask(bool keepRatio) { return keepRatio ? 0x0Fu : 0xFFu; }

QRect AdjustForAspect(int handle, const QRect &proposed, double ratio)
{
    if (ratio <= 0 || handle < TopLeft || handle > BottomLeft)
        return proposed;
    // Edges as the tracker holds them: right and bottom one past the last pixel.
    const int left = proposed.left();
    const int top = proposed.top();
    const int right = proposed.left() + proposed.width();
    const int bottom = proposed.top() + proposed.height();
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 0 || h <= 0)
        return proposed;
    const double proportion = w > h ? double(w) / h : double(h) / w;
    if (std::abs(proportion - ratio) <= 0.00001)
        return proposed;
    const int d = int(std::ceil(w / ratio));
    switch (handle) {
    case TopLeft:
        return QRect(QPoint(std::abs(right - w), std::abs(bottom - d)), QPoint(right - 1, bottom - 1));
    case TopRight:
        return QRect(QPoint(left, std::abs(bottom - d)), QPoint(left + w - 1, bottom - 1));
    case BottomRight:
        return QRect(left, top, w, d);
    default:
        return QRect(QPoint(std::abs(right - w), top), QPoint(right - 1, top + d - 1));
    }
}

} // namespace CorvTrackerGeometry
