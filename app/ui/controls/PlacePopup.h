#pragma once

class QPoint;
class QWidget;

// Shows a popup with its top-left corner at a screen point, then keeps its whole window (frame included) on
// that screen: pulled left at the right edge, opened above its parent at the bottom edge.
void PlacePopup(QWidget *popup, const QPoint &topLeft, const QWidget *parent);
