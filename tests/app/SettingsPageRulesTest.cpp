#include "app/BackgroundPageRules.h"
#include "app/ConstructionPageRules.h"
#include "app/GraphicsPageRules.h"
#include "app/LomMetadata.h"
#include "app/TemplateTable.h"
#include "document/CourseSettings.h"

#include <gtest/gtest.h>

// Guards the LOM lists as the author sees them: eleven languages starting "de", "en"; SCORM 2004 entries
// marked in words rather than with "*", at the indexes the metadata file reads back.
TEST(LomMetadata, ListEntries)
{
    const QStringList languages = CorvLom::LanguageEntries();
    ASSERT_EQ(languages.size(), 11);
    EXPECT_EQ(languages.mid(0, 2), (QStringList{"de", "en"}));
    EXPECT_EQ(languages.last(), "nl");
    EXPECT_EQ(CorvLom::StatusEntries(), (QStringList{"Draft", "Final", "Revised", "Unavailable"}));
    const QStringList purposes = CorvLom::PurposeEntries();
    ASSERT_EQ(purposes.size(), 9);
    EXPECT_EQ(purposes[1], "Competency (SCORM 2004)");
    const QStringList types = CorvLom::ResourceTypeEntries();
    ASSERT_EQ(types.size(), 15);
    EXPECT_EQ(types[14], "Lecture (SCORM 2004)");
    EXPECT_EQ(types[0], "Exercise");
    for (const QStringList &list : {purposes, types})
        EXPECT_FALSE(list.join("").contains(u'*'));
}

// Guards the length rule of Keywords and Rights: typing stops at 1000 characters, while a longer text from a
// project may still be shortened (and is never cut by merely being shown).
TEST(LomMetadata, LongTextLimit)
{
    const QString full(1000, u'k'), over(1500, u'k');
    EXPECT_TRUE(CorvLom::AcceptTypedText(QString(999, u'k'), full));
    EXPECT_FALSE(CorvLom::AcceptTypedText(full, full + u'x'));
    EXPECT_FALSE(CorvLom::AcceptTypedText(QString(), QString(1001, u'p')));
    EXPECT_TRUE(CorvLom::AcceptTypedText(over, over.left(1499)));
    EXPECT_TRUE(CorvLom::AcceptTypedText(over, over));
    EXPECT_FALSE(CorvLom::AcceptTypedText(over, over + u'x'));
}

// Guards the template table: fourteen entries with their exact texts (two blanks before " - Ctrl+"), a
// description each, a preview of the stated size, and nothing at all outside the list (a damaged project).
TEST(TemplateTable, EntriesAndPreviews)
{
    EXPECT_EQ(CorvTemplates::ListText(0), "Graphic top left  - Ctrl+F1");
    EXPECT_EQ(CorvTemplates::ListText(10), "Random from 1 to 10");
    EXPECT_EQ(CorvTemplates::ListText(13), "Text only  - Ctrl+F11");
    EXPECT_TRUE(CorvTemplates::Description(10).startsWith("The system randomly selects templates from all"));
    for (int i = 0; i < CorvTemplates::kCount; ++i) {
        EXPECT_FALSE(CorvTemplates::ListText(i).isEmpty()) << i;
        EXPECT_FALSE(CorvTemplates::Description(i).isEmpty()) << i;
        const QImage preview = CorvTemplates::Preview(i);
        EXPECT_EQ(preview.size(), QSize(181, 135)) << i;
        // Something is drawn: not a blank picture.
        QImage blank(preview.size(), preview.format());
        blank.fill(Qt::white);
        EXPECT_NE(preview, blank) << i;
    }
    for (int bad : {-1, 14, 99}) {
        EXPECT_TRUE(CorvTemplates::ListText(bad).isEmpty());
        EXPECT_TRUE(CorvTemplates::Preview(bad).isNull());
    }
}

// Guards the bar rule: showing a bar again clears its "Remove the space" value (space cannot be removed for
// a bar that shows); hiding keeps it; the other bar is untouched.
TEST(BackgroundPage, HideAndRemoveBars)
{
    CCourseSettings settings;
    settings.HideTopBar = settings.RemoveTopBarSpace = 1;
    settings.HideNavigationBar = settings.RemoveNavigationBarSpace = 1;
    CorvBackgroundPage::SetBarHidden(settings, CorvBackgroundPage::TopBar, false);
    EXPECT_EQ(settings.HideTopBar, 0);
    EXPECT_EQ(settings.RemoveTopBarSpace, 0);
    EXPECT_EQ(settings.RemoveNavigationBarSpace, 1);
    settings.RemoveTopBarSpace = 1;
    CorvBackgroundPage::SetBarHidden(settings, CorvBackgroundPage::TopBar, true);
    EXPECT_EQ(settings.RemoveTopBarSpace, 1);
    CorvBackgroundPage::SetBarHidden(settings, CorvBackgroundPage::NavigationBar, false);
    EXPECT_EQ(settings.RemoveNavigationBarSpace, 0);
}

// Guards the help text: the three parts joined as they are, beginning and ending as the author reads them.
TEST(BackgroundPage, HelpText)
{
    const QString help = CorvBackgroundPage::HelpText();
    EXPECT_TRUE(help.startsWith("Swapping the bars will put the Top bar at the bottom, and the\nNavigation bar"));
    EXPECT_TRUE(help.contains("still be evident.\n\nRemoving the space means"));
    EXPECT_TRUE(help.contains("will not be visible.\nIf you hide the Navigation bar"));
    EXPECT_TRUE(help.endsWith("Settings > Buttons > Next\n"));
}

// Guards the Construction page's number fields: the screen count takes whole numbers only; the outline
// fields take their leading digits (an emptied field stores 0, an overlong one does not wrap round); the
// spin stops at 0 and 10; an expiry earlier than now is refused.
TEST(ConstructionPage, Numbers)
{
    EXPECT_EQ(CorvConstructionPage::ParseInteger(" 12 "), 12);
    EXPECT_EQ(CorvConstructionPage::ParseInteger("-3"), -3);
    for (const char *bad : {"", "abc", "4x", "99999999999"})
        EXPECT_FALSE(CorvConstructionPage::ParseInteger(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(CorvConstructionPage::LeadingNumber(""), 0);
    EXPECT_EQ(CorvConstructionPage::LeadingNumber("300"), 300);
    EXPECT_EQ(CorvConstructionPage::LeadingNumber("12ab"), 12);
    EXPECT_EQ(CorvConstructionPage::LeadingNumber("99999999999"), INT32_MAX);
    EXPECT_EQ(CorvConstructionPage::SpinStep(10, 1), 10);
    EXPECT_EQ(CorvConstructionPage::SpinStep(12, 1), 10);
    EXPECT_EQ(CorvConstructionPage::SpinStep(0, -1), 0);
    EXPECT_EQ(CorvConstructionPage::SpinStep(4, 1), 5);
    EXPECT_TRUE(CorvConstructionPage::AcceptExpiry(1000, 1000));
    EXPECT_FALSE(CorvConstructionPage::AcceptExpiry(999, 1000));
}

// Guards the Graphics page's rules: any stored size but 0, 2 and 3 shows Medium; the Ken Burns interval is
// at least 1 (a typed 0 or negative would make the import's every-n-th count misbehave) and selects a list
// entry only within 1 to 12.
TEST(GraphicsPage, SizeAndInterval)
{
    EXPECT_EQ(CorvGraphicsPage::SizeRadio(0), 0);
    EXPECT_EQ(CorvGraphicsPage::SizeRadio(2), 2);
    EXPECT_EQ(CorvGraphicsPage::SizeRadio(3), 3);
    for (int other : {1, 7, -1})
        EXPECT_EQ(CorvGraphicsPage::SizeRadio(other), 1) << other;
    struct Case {
        const char *typed;
        int32_t interval;
    };
    const Case cases[] = {{"0", 1}, {"", 1}, {"x", 1}, {"-3", 1}, {"20", 20}, {"7 ", 7}, {"5a", 5}, {"99999999999", INT32_MAX}};
    for (const Case &c : cases)
        EXPECT_EQ(CorvGraphicsPage::KenBurnsInterval(QString::fromLatin1(c.typed)), c.interval) << c.typed;
    EXPECT_EQ(CorvGraphicsPage::KenBurnsEntry(3), 2);
    EXPECT_EQ(CorvGraphicsPage::KenBurnsEntry(20), -1);
    EXPECT_EQ(CorvGraphicsPage::KenBurnsEntry(0), -1);
}
