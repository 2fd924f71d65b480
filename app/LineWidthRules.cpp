#include "app/LineWidthRules.h"

namespace CorvLineWidth {

QString ItemText(int item) { return QStringLiteral("%1 pt").arg(item + 1); }

int ItemAt(int y)
{
    // Integer division rounds toward zero, so the three pixels above the first item still count as it.
    const int item = (y - kInset) / kItemHeight;
    return item >= 0 && item < kItemCount ? item : -1;
}

QRect ItemRect(int item, int clientWidth)
{
    return QRect(QPoint(kInset, kInset + kItemHeight * item), QPoint(clientWidth - kInset - 1, 24 + kItemHeight * item - 1));
}

QRect SampleLine(int item, int clientWidth, int textWidth)
{
    const QRect box = ItemRect(item, clientWidth);
    const int middle = box.top() + box.height() / 2;
    return QRect(QPoint(box.left() + textWidth + 10, middle), QPoint(box.right() + 1 - 5, middle));
}

int ItemForWidth(int points) { return points >= 1 && points <= kItemCount ? points - 1 : -1; }

} // namespace CorvLineWidth
