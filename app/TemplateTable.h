#pragma once

#include <QImage>
#include <QString>

// The screen templates the Templates page offers, in list order: ten fixed layouts, three random choices
// among them and the text-only layout. TemplateType stores the index.
namespace CorvTemplates {

constexpr int kCount = 14;
// The choice of a new course, and what a damaged project's index outside the list shows.
constexpr int kDefault = 10;

bool IsValid(int index);
// The list text ("Graphic top left  - Ctrl+F1", ...) and the description; "" outside the list.
QString ListText(int index);
QString Description(int index);
// The preview: where the pictures (grey, crossed) and the text boxes (lined) of the layout lie on a screen,
// 181 x 135 pixels; a random choice shows the layouts it picks from. Null outside the list.
QImage Preview(int index);

} // namespace CorvTemplates
