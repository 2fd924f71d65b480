#pragma once

#include <QPoint>
#include <QRect>

// Where the image static draws its picture.
namespace CorvImageFit {

// A width x height picture fitted into a clientWidth x clientHeight area with its shape kept: as large as
// fits, centred on the other axis (halves rounded toward zero). Empty for a picture or an area without size.
QRect FitRect(int width, int height, int clientWidth, int clientHeight);

// The badge's top-left corner: 111 pixels left of the right edge and above the bottom edge.
constexpr int kBadgeOffset = 111;
QPoint BadgeTopLeft(int clientWidth, int clientHeight);

} // namespace CorvImageFit
