#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The families a text face is shown in, one list for the canvas and the published course: the face as the
// author chose it (it is stored unchanged), then a family of the same measure that free systems carry, then
// the generic family of its kind. A machine without the face then shows the same substitute on the canvas
// and in the browser, so lines break alike.
namespace FontFallback {

// The list best first, its last entry the generic family ("sans-serif", "serif" or "monospace"); symbol
// faces have no generic.
QStringList Families(const QString &face);
// The list as a CSS font-family value: "Calibri, Carlito, sans-serif".
QString CssFamilies(const QString &face);
// The font's families and style hint set from the list.
void Apply(QFont &font, const QString &face);

} // namespace FontFallback
