#pragma once

#include <QRect>

#include <algorithm>

// A rectangle as the stored records and the layout rules use it: right and bottom are exclusive, so the
// width is right - left. QRect counts right and bottom inclusively; convert only at the painting edge.
struct CRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    // The common part of a and b; false (and an empty rectangle) when they do not overlap.
    bool IntersectRect(const CRect &a, const CRect &b)
    {
        *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top),
                      std::min(a.right, b.right), std::min(a.bottom, b.bottom));
        if (IsRectEmpty()) { SetRectEmpty(); return false; }
        return true;
    }

    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    static CRect FromQRect(const QRect &r) { return CRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height()); }

    friend constexpr bool operator==(const CRect &, const CRect &) = default;
};
