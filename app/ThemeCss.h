#pragma once

#include <QList>
#include <QString>

#include <cstdint>

class CCourseSettings;

// The default fonts a theme's style sheet declares in its ":::" directive lines, and how they land in the
// main-body (slot 0) and course-name (slot 1) font settings when the author chooses the theme.
namespace CorvThemeCss {

struct Directive
{
    QString key;   // lower-cased
    QString value; // after the first "default:", trimmed; empty without one
    bool operator==(const Directive &) const = default;
};

// The directive lines of a style sheet in file order: lines starting with ":::", the key being the first
// token after the mark (separated by line ends, blanks and tabs).
QList<Directive> ParseDirectives(const QString &text);

// "#RRGGBB" as red + green x 256 + blue x 65536; false for any other form ("#F80", "red"), which keeps the
// colour the course had.
bool ParseHexColour(const QString &value, uint32_t &colour);

// Applies the font directives in order (a later line for the same key wins); other keys are ignored.
void ApplyThemeFonts(const QList<Directive> &directives, CCourseSettings &settings);

} // namespace CorvThemeCss
