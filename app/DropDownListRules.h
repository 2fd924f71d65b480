#pragma once

#include <QRect>
#include <QString>

// What the drop-down list decides without a window: the words of its check cells, where a browse cell's
// edit and button go, and the file filter of its browse button.
namespace CorvDropDownList {

// The words a check cell holds.
inline const QString kTrue = QStringLiteral("true");
inline const QString kFalse = QStringLiteral("false");

// A check cell is ticked when it reads "true" in any case.
bool IsTicked(const QString &text);
// A click turns "true" (any case) into "false" and anything else into "true".
QString ToggledText(const QString &text);
QString CheckText(bool ticked);

// A browse cell's edit leaves this much of the cell's right for the button.
constexpr int kBrowseNarrowing = 12;
// The edit of a browse cell: the cell less its right 12 pixels.
QRect BrowseEditRect(const QRect &cell);
// The button of a browse cell: the cell's rightmost scroll-bar width (the whole cell when it is narrower),
// less one pixel on each side.
QRect BrowseButtonRect(const QRect &cell, int scrollBarWidth);
// A multi-line row's editor is three rows high.
QRect MultiLineEditRect(const QRect &cell);

// The browse button's file filter as the string table holds it ("text|patterns|...|") and as a file
// dialog takes it: each text kept as it is, followed by its patterns in brackets.
// String 61456, the filter of the browse button.
QString BrowseFilterText();
QString DialogFilter(const QString &pipeFilter);

} // namespace CorvDropDownList
