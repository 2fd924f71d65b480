#include "app/FontSettingsRules.h"
#include "document/CourseSettings.h"

#include <gtest/gtest.h>

using namespace CorvFontSettings;

// Guards the Fonts page's reset: the course name resets to 24 points (not the new project's 36), the
// glossary to Arial bold with its size left alone, every style to black, the first family list and size
// index 3, and the import check is cleared.
TEST(FontSettingsRules, ResetStyleTable)
{
    CCourseSettings settings;
    settings.FontSizePoints = {"1", "2", "3", "77"};
    settings.FontColor = {5, 5, 5, 5};
    settings.FontSize = {9, 9, 9, 9};
    settings.UseSourceDocumentFonts = 1;
    for (int style = 0; style < kStyleCount; ++style)
        ResetStyle(settings, style);
    EXPECT_EQ(settings.FontSizePoints, (CCourseSettings::Slots4Text{"12", "24", "10", "77"}));
    EXPECT_EQ(settings.FontWeight, (CCourseSettings::Slots4Text{"normal", "bold", "bold", "bold"}));
    EXPECT_EQ(settings.FontName, (CCourseSettings::Slots4Text{"Arial", "Arial", "Arial", "Arial"}));
    for (int style = 0; style < kStyleCount; ++style) {
        EXPECT_EQ(settings.FontColor[size_t(style)], 0u);
        EXPECT_EQ(settings.FontSize[size_t(style)], 3);
        EXPECT_EQ(settings.FontFamily[size_t(style)], "Arial, Helvetica, sans-serif");
    }
    EXPECT_EQ(settings.UseSourceDocumentFonts, 0);
    ResetStyle(settings, 4); // no such style: nothing is written out of range
}

// Guards the sample: the four weight words in any case, anything else (a theme's "600") normal; the size is
// the leading digits, 0 without any, and a damaged huge number does not overflow.
TEST(FontSettingsRules, SampleWeightAndSize)
{
    const std::pair<QString, int> weights[] = {{"lighter", 100}, {"Normal", 400}, {"BOLD", 700},
                                               {"bolder", 900},  {"600", 400},    {"", 400}};
    for (const auto &[word, value] : weights)
        EXPECT_EQ(WeightValue(word), value) << qPrintable(word);
    const std::pair<QString, int> sizes[] = {{"12", 12}, {"120px", 120}, {"pt", 0}, {"", 0}, {"99999999999", 100000}};
    for (const auto &[text, value] : sizes)
        EXPECT_EQ(LeadingPoints(text), value) << qPrintable(text);
    EXPECT_EQ(FamilyEntries().value(1), "\"Times New Roman\", Times, serif");
    EXPECT_EQ(WeightEntries(), (QStringList{"lighter", "normal", "bold", "bolder"}));
}

// Guards which controls each tab shows: colour only on main body and course name, weight everywhere but the
// glossary, the import check on main body only.
TEST(FontSettingsRules, ControlsPerStyle)
{
    EXPECT_EQ(TabText(MainBody), "Main body");
    EXPECT_EQ(TabText(Glossary), "Glossary");
    EXPECT_TRUE(ShowsColour(CourseName));
    EXPECT_FALSE(ShowsColour(Outline));
    EXPECT_FALSE(ShowsWeight(Glossary));
    EXPECT_TRUE(ShowsWeight(Outline));
    EXPECT_TRUE(ShowsImportCheck(MainBody));
    EXPECT_FALSE(ShowsImportCheck(CourseName));
}
