#include "app/PopupPlacement.h"

namespace CorvPopupPlacement {

QRect Clamp(QRect popup, const QRect &screen, int parentHeight)
{
    if (popup.right() > screen.right())
        popup.moveLeft(popup.left() - (popup.right() - screen.right()));
    if (popup.left() < screen.left())
        popup.moveLeft(screen.left());
    if (popup.bottom() > screen.bottom())
        popup.moveTop(popup.top() - popup.height() - parentHeight);
    return popup;
}

} // namespace CorvPopupPlacement
