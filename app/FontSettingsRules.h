#pragma once

#include <QString>
#include <QStringList>

class CCourseSettings;

// What the Fonts page of the Settings window decides without a window: the reset values of the four text
// styles, the weight of a weight word, the size the sample uses and the entries of its boxes.
namespace CorvFontSettings {

// The text styles, which are also the slot index of every font setting.
enum FontPageType { MainBody = 0, CourseName = 1, Outline = 2, Glossary = 3 };
constexpr int kStyleCount = 4;

// The tab texts, in style order.
QString TabText(int style);
// "lighter", "normal", "bold", "bolder", the weight box's entries.
QStringList WeightEntries();
// The four fallback family lists, as a style sheet writes them.
QStringList FamilyEntries();

// Writes the page's reset values of one style into the settings (and clears UseSourceDocumentFonts); the
// size of the glossary style is left as it is. Does not touch the modified flag: the caller has none.
void ResetStyle(CCourseSettings &settings, int style);

// The weight the sample uses: 100, 400, 700, 900 for the four words (any case), 400 for anything else.
int WeightValue(const QString &weight);
// The point size the sample uses: the leading digits of the stored text, 0 when there are none.
int LeadingPoints(const QString &points);

// Which controls a style's tab shows.
bool ShowsWeight(int style);
bool ShowsColour(int style);
bool ShowsImportCheck(int style);
bool ShowsThemeNote(int style);

} // namespace CorvFontSettings
