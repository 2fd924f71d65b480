#include "app/ui/controls/PlacePopup.h"

#include "app/PopupPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void PlacePopup(QWidget *popup, const QPoint &topLeft, const QWidget *parent)
{
    popup->move(topLeft);
    popup->show();
    const QScreen *screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame's size is known once the window is shown.
    const QRect placed = CorvPopupPlacement::Clamp(QRect(topLeft, popup->frameGeometry().size()), screen->geometry(),
                                                   parent ? parent->height() : 0);
    if (placed.topLeft() != topLeft)
        popup->move(placed.topLeft());
}
