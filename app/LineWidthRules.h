#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// What the line-width popup decides without a window: its ten widths, where each item lies and which one a
// point is over.
namespace CorvLineWidth {

constexpr int kItemCount = 10;
constexpr int kItemHeight = 22;
constexpr int kInset = 3;
// The popup's size once laid out.
constexpr QSize kPopupSize(100, 225);

// "1 pt" .. "10 pt": item i stands for i + 1 points.
QString ItemText(int item);
// The item a client y falls on (toward zero), or -1 outside the ten.
int ItemAt(int y);
QRect ItemRect(int item, int clientWidth);
// The sample line of an item: from its left plus the text's width plus 10 to its right less 5, at its middle.
QRect SampleLine(int item, int clientWidth, int textWidth);
// The item a width in points starts on: width - 1, or -1 (none) for a width the list does not offer.
int ItemForWidth(int points);

} // namespace CorvLineWidth
