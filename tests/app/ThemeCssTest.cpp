#include "app/ThemeCss.h"
#include "app/ThemeFolders.h"
#include "document/CourseSettings.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

using namespace CorvThemeCss;

namespace {

CCourseSettings Applied(const QString &css, const CCourseSettings &start = {})
{
    CCourseSettings settings = start;
    ApplyThemeFonts(ParseDirectives(css), settings);
    return settings;
}

} // namespace

// Guards the size arithmetic: a percentage of 12 (body) or 36 (title) points rounds up, "px" and "pt" are
// stripped from the body size, and the title keeps its "pt" (the style sheet writes it back as given).
TEST(ThemeCss, FontSizes)
{
    struct Case {
        const char *line;
        size_t slot;
        const char *points;
    };
    const Case cases[] = {
        {"::: bodyfontsize default: 75%", 0, "9"},   {"::: bodyfontsize default: 80%", 0, "10"},
        {"::: bodyfontsize default: 100%", 0, "12"}, {"::: titlefontsize default: 100%", 1, "36"},
        {"::: titlefontsize default: 50%", 1, "18"}, {"::: bodyfontsize default: 12px", 0, "12"},
        {"::: bodyfontsize default: 10pt", 0, "10"}, {"::: titlefontsize default: 24pt", 1, "24pt"},
        {"::: titlefontsize default: 26px", 1, "26"}, {"::: bodyfontsize", 0, ""},
    };
    for (const Case &c : cases) {
        CCourseSettings start;
        start.FontSizePoints = {"old", "old", "old", "old"};
        const CCourseSettings settings = Applied(QString::fromLatin1(c.line), start);
        EXPECT_EQ(settings.FontSizePoints[c.slot], QString::fromLatin1(c.points)) << c.line;
        EXPECT_EQ(settings.FontSizePoints[1 - c.slot], "old") << c.line;
    }
}

// Guards families, weights, key case and order: a list gives its first family (quotes kept) as the face and
// the whole list as the family; a single family sets the face only; capitals in the key work; a later line
// wins; lines not starting with the mark, and unknown keys, change nothing.
TEST(ThemeCss, FamiliesWeightsAndOrder)
{
    CCourseSettings start;
    start.FontFamily = {"f0", "f1", "f2", "f3"};
    start.FontName = {"n0", "n1", "n2", "n3"};
    const CCourseSettings settings = Applied(
        "body { color: red }\n"
        "::: bodyfontfamily default: 'Trebuchet MS', Arial, sans-serif\r\n"
        ":::\ttitlefontfamily default:  Georgia \n"
        "::: BODYFONTWEIGHT default: bold\n"
        " ::: titlefontweight default: lighter\n"
        "::: titlefontweight default: normal\n"
        "::: titlefontweight default: 600\n"
        "::: backgroundimage default: url(pics/bg.jpg)\n",
        start);
    EXPECT_EQ(settings.FontName[0], "'Trebuchet MS'");
    EXPECT_EQ(settings.FontFamily[0], "'Trebuchet MS', Arial, sans-serif");
    EXPECT_EQ(settings.FontName[1], "Georgia");
    EXPECT_EQ(settings.FontFamily[1], "f1");
    EXPECT_EQ(settings.FontWeight[0], "bold");
    EXPECT_EQ(settings.FontWeight[1], "600");
    EXPECT_EQ(settings.FontName[2], "n2");
}

// Guards the colours: "#RRGGBB" becomes red + green x 256 + blue x 65536; a short form, a name or a
// broken hex value keeps the colour (no read past a short value).
TEST(ThemeCss, Colours)
{
    struct Case {
        const char *value;
        uint32_t expected;
    };
    const Case cases[] = {{"#FF8000", 0x0080FF}, {"#2e2620", 0x20262E}, {"#F80", 7}, {"red", 7},
                          {"#GG0000", 7},       {"#FF80001", 7},       {"", 7},     {"#+FFFFF", 7}};
    for (const Case &c : cases) {
        CCourseSettings start;
        start.FontColor = {7, 7, 7, 7};
        const CCourseSettings settings = Applied(QStringLiteral("::: bodyfontcolor default: %1\n"
                                                                "::: titlefontcolor default: %1")
                                                     .arg(QString::fromLatin1(c.value)),
                                                 start);
        EXPECT_EQ(settings.FontColor[0], c.expected) << c.value;
        EXPECT_EQ(settings.FontColor[1], c.expected) << c.value;
    }
}

// Guards the directive list itself: key lower-cased, value after the first "default:", an empty key has no
// value.
TEST(ThemeCss, ParseDirectives)
{
    EXPECT_EQ(ParseDirectives(":::  Key default: a default: b\n:::\n::: default: x\nnot ::: this"),
              (QList<Directive>{{"key", "a default: b"}, {"", ""}, {"default:", "x"}}));
}

// Guards the theme list and the choice a stored name makes: folders only, sorted without regard to case;
// an exact name beats a longer one that begins with it ("Blue" must not show "Blue Sky"); a prefix is
// searched from the second entry round; a missing theme or a name with a path in it selects nothing.
TEST(ThemeFolders, ListAndFind)
{
    TempTree tree;
    for (const char *name : {"Classical", "Blue Sky", "blue"})
        tree.MakeFolder(QStringLiteral("bin/Themes/") + QString::fromLatin1(name));
    tree.Write("bin/Themes/stray.css", "x");
    const QString folder = CorvThemeFolders::ThemesFolder(tree / "bin");
    const QStringList themes = CorvThemeFolders::ListThemes(folder);
    ASSERT_EQ(themes, (QStringList{"blue", "Blue Sky", "Classical"}));

    struct Case {
        const char *stored;
        int row;
    };
    const Case cases[] = {{"Blue", 0}, {"blue sky", 1}, {"Blue S", 1}, {"cl", 2}, {"Gone", -1},
                          {"../Classical", -1}, {"Classical/..", -1}, {"b", 1}};
    for (const Case &c : cases)
        EXPECT_EQ(CorvThemeFolders::FindTheme(themes, QString::fromLatin1(c.stored)), c.row) << c.stored;
    EXPECT_EQ(CorvThemeFolders::FindTheme({}, "Blue"), -1);
    EXPECT_TRUE(CorvThemeFolders::ListThemes(tree / "none").isEmpty());
}

// Guards the theme's files: names inside are found without regard to case, the description is read in the
// legacy code page, and a theme name that would leave the folder reads nothing.
TEST(ThemeFolders, FilesFoundWithoutCase)
{
    TempTree tree;
    tree.Write("bin/themes/Harbour/HARBOUR.CSS", "::: bodyfontweight default: bold\n");
    tree.Write("bin/themes/Harbour/Description.TXT", "Caf\xe9 blue");
    tree.Write("bin/themes/secret.txt", "no");
    const QString folder = CorvThemeFolders::ThemesFolder(tree / "bin");
    EXPECT_TRUE(CorvThemeFolders::StyleSheetPath(folder, "Harbour").endsWith("Harbour/HARBOUR.CSS"));
    EXPECT_EQ(CorvThemeFolders::ReadDescription(folder, "Harbour"), QStringLiteral("Caf\u00e9 blue"));
    EXPECT_EQ(CorvThemeFolders::ReadDescription(folder, "Meadow"), QString());
    EXPECT_EQ(CorvThemeFolders::ThemeFile(folder, "..", "secret.txt"), QString());
}
