#include "app/ImageFit.h"

namespace CorvImageFit {

QRect FitRect(int width, int height, int clientWidth, int clientHeight)
{
    if (width <= 0 || height <= 0 || clientWidth <= 0 || clientHeight <= 0)
        return {};
    // The scale is the smaller of the two ratios, so a picture less elongated than the area fills its
    // height rather than overflowing it; compared in 64 bits to stay exact.
    const qint64 byWidth = qint64(clientWidth) * height;
    const qint64 byHeight = qint64(clientHeight) * width;
    int drawnWidth = clientWidth;
    int drawnHeight = clientHeight;
    if (byWidth <= byHeight)
        drawnHeight = int(qint64(height) * clientWidth / width);
    else
        drawnWidth = int(qint64(width) * clientHeight / height);
    return QRect((clientWidth - drawnWidth) / 2, (clientHeight - drawnHeight) / 2, drawnWidth, drawnHeight);
}

QPoint BadgeTopLeft(int clientWidth, int clientHeight)
{
    return QPoint(clientWidth - kBadgeOffset, clientHeight - kBadgeOffset);
}

} // namespace CorvImageFit
