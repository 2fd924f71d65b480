#pragma once

#include <QRect>

// Where a popup opened under a tool button goes so that it stays on the screen: pulled left when it would
// pass the right edge, right when it starts left of it, and above its parent (up by its own height and the
// parent's) when it would pass the bottom edge.
namespace CorvPopupPlacement {

QRect Clamp(QRect popup, const QRect &screen, int parentHeight);

} // namespace CorvPopupPlacement
