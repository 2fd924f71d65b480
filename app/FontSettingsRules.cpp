#include "app/FontSettingsRules.h"

#include "document/CourseSettings.h"
#include "platform/StringTable.h"

#include <array>

namespace CorvFontSettings {

namespace {

struct StyleReset {
    const char *points; // nullptr: the size is left as it is
    const char *weight;
};

// Every style resets its face to "Arial", its colour to black and its families to the first list.
constexpr std::array<StyleReset, kStyleCount> kResets = {{
    {"12", "normal"},
    {"24", "bold"},
    {"10", "bold"},
    {nullptr, "bold"},
}};

struct WeightWord {
    const char *word;
    int value;
};
constexpr WeightWord kWeights[] = {{"lighter", 100}, {"normal", 400}, {"bold", 700}, {"bolder", 900}};

bool ValidStyle(int style) { return style >= 0 && style < kStyleCount; }

} // namespace

QString TabText(int style)
{
    static const char *const texts[] = {"Main body", "Course name", "Outline", "Glossary"};
    return ValidStyle(style) ? QString::fromLatin1(texts[style]) : QString();
}

QStringList WeightEntries()
{
    QStringList entries;
    for (const WeightWord &weight : kWeights)
        entries.append(QString::fromLatin1(weight.word));
    return entries;
}

QStringList FamilyEntries()
{
    QStringList entries;
    for (int id = 10540; id <= 10543; ++id)
        entries.append(CStringTable::Load(id));
    return entries;
}

void ResetStyle(CCourseSettings &settings, int style)
{
    if (!ValidStyle(style))
        return;
    const StyleReset &reset = kResets[size_t(style)];
    settings.FontName[size_t(style)] = CStringTable::Load(10560);
    if (reset.points)
        settings.FontSizePoints[size_t(style)] = QString::fromLatin1(reset.points);
    settings.FontWeight[size_t(style)] = QString::fromLatin1(reset.weight);
    settings.FontColor[size_t(style)] = 0;
    settings.FontFamily[size_t(style)] = CStringTable::Load(10561);
    settings.FontSize[size_t(style)] = 3;
    settings.UseSourceDocumentFonts = 0;
}

int WeightValue(const QString &weight)
{
    for (const WeightWord &word : kWeights)
        if (weight.compare(QLatin1String(word.word), Qt::CaseInsensitive) == 0)
            return word.value;
    return 400;
}

int LeadingPoints(const QString &points)
{
    int value = 0;
    for (const QChar c : points) {
        if (!c.isDigit() || c.unicode() > '9')
            break;
        value = value * 10 + (c.unicode() - '0');
        if (value > 100000) // a damaged setting must not overflow; no font is that large
            return 100000;
    }
    return value;
}

bool ShowsWeight(int style) { return style != Glossary; }
bool ShowsColour(int style) { return style == MainBody || style == CourseName; }
bool ShowsImportCheck(int style) { return style == MainBody; }
bool ShowsThemeNote(int style) { return style == MainBody || style == CourseName; }

} // namespace CorvFontSettings
