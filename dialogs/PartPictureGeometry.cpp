#include "dialogs/PartPictureGeometry.h"

#include <algorithm>

namespace PartPictureGeometry {

CRect DefaultPart(int index) { return CRect(10 + 40 * index, 10, 40 + 40 * index, 40); }

Layout LayoutImage(int width, int height, int clientWidth, int clientHeight, bool scalingAllowed)
{
    Layout layout;
    if (width <= 0 || height <= 0) {
        layout.image = CRect(0, 0, clientWidth, clientHeight);
        return layout;
    }
    if (!scalingAllowed || (width < clientWidth && height < clientHeight)) {
        if (width <= clientWidth && height <= clientHeight) {
            const int left = clientWidth / 2 - width / 2;
            layout.image = CRect(left, 0, left + width, height);
        } else {
            layout.image = CRect(0, 0, width, height);
        }
        return layout;
    }
    int shownWidth = width;
    int shownHeight = height;
    if (width > clientWidth || height > clientHeight) {
        // Single precision and truncated: the stored targets of reduced pictures depend on these sizes.
        const float scale = std::min(float(kFrameWidth) / float(width), float(kFrameHeight) / float(height));
        shownWidth = int(float(width) * scale);
        shownHeight = int(float(height) * scale);
        layout.scaled = true;
    }
    const int left = clientWidth / 2 - shownWidth / 2;
    layout.image = CRect(left, 0, left + shownWidth, shownHeight);
    return layout;
}

CRect MapPartRect(const CRect &rect, const CRect &image, int naturalWidth, int naturalHeight, bool scaled,
                  bool scalingAllowed)
{
    if (!scalingAllowed)
        return rect;
    float s = 1.0f;
    if (naturalWidth > 0 && naturalHeight > 0) {
        const float sx = float(image.Width()) / float(naturalWidth);
        const float sy = float(image.Height()) / float(naturalHeight);
        s = (naturalWidth > naturalHeight && scaled) ? std::min(sx, sy) : std::max(sx, sy);
    }
    const int left = rect.left + int(float(image.left) * s);
    const int top = rect.top + int(float(image.top) * s);
    return CRect(left, top, left + rect.Width(), top + rect.Height());
}

CRect ClampPart(CRect part, const CRect &bounds)
{
    if (part.left >= bounds.left && part.top >= bounds.top && part.right <= bounds.right &&
        part.bottom <= bounds.bottom)
        return part;
    if (part.Width() > bounds.Width())
        part.right = part.left + bounds.Width();
    if (part.Height() > bounds.Height())
        part.bottom = part.top + bounds.Height();
    if (part.top < bounds.top)
        part.OffsetRect(0, bounds.top - part.top);
    if (part.bottom > bounds.bottom)
        part.OffsetRect(0, bounds.bottom - part.bottom);
    if (part.left < bounds.left)
        part.OffsetRect(bounds.left - part.left, 0);
    if (part.right > bounds.right)
        part.OffsetRect(bounds.right - part.right, 0);
    return part;
}

std::pair<bool, bool> BarsNeeded(int width, int height, int fullWidth, int fullHeight, int barThickness)
{
    bool horizontal = width - fullWidth > kBarSlack;
    bool vertical = height - fullHeight > kBarSlack;
    if (horizontal && !vertical)
        vertical = height - (fullHeight - barThickness) > kBarSlack;
    else if (vertical && !horizontal)
        horizontal = width - (fullWidth - barThickness) > kBarSlack;
    return {horizontal, vertical};
}

int ScrollPosition(Scroll action, int position, int page, int limit, int thumbPosition)
{
    const int last = std::max(0, limit - 1);
    switch (action) {
    case Scroll::LineBack: return std::max(0, position - kLine);
    case Scroll::LineForward: return std::min(last, position + kLine);
    case Scroll::PageBack: return std::max(0, position - page);
    case Scroll::PageForward: return std::min(last, position + page);
    case Scroll::Thumb: return thumbPosition;
    case Scroll::Start: return 0;
    case Scroll::End: return last;
    case Scroll::Other: break;
    }
    return position;
}

} // namespace PartPictureGeometry
