#include "platform/IniFile.h"
#include "support/TempTree.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QByteArray kSample = "; per-user defaults\n"
                           "stray=before any section\n"
                           "[Settings]\n"
                           "UseCustomised=TRUE\n"
                           "  CourseName  =  Safety at work  \n"
                           "courseName=second of the same name\n"
                           "no equals sign here\n"
                           "; a comment=not a key\n"
                           "\n"
                           "[Library]\n"
                           "Image Root Path=/srv/library/\n";

} // namespace

// Guards the lookup rules of the per-user files: names without regard to case and blanks, values trimmed,
// the first of two equal keys, comments and stray lines never matching.
TEST(IniFile, ReadsAsThePrivateProfileRulesSay)
{
    TempTree tree;
    const CIniFile ini(tree.Write("kvx.ini", kSample));
    struct Case { QString section, key, expected; };
    const Case cases[] = {
        {"Settings", "UseCustomised", "TRUE"},
        {"SETTINGS", "usecustomised", "TRUE"},
        {" Settings ", " CourseName ", "Safety at work"},
        {"Library", "image root path", "/srv/library/"},
        {"Settings", "no equals sign here", "<absent>"},
        {"Settings", "; a comment", "<absent>"},
        {"Settings", "stray", "<absent>"},
        {"Missing", "UseCustomised", "<absent>"},
        {"Library", "CourseName", "<absent>"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<absent>"), c.expected) << qPrintable(c.section + "/" + c.key);
    EXPECT_EQ(ini.SectionNames(), QStringList({"Settings", "Library"}));
    EXPECT_EQ(ini.KeyNames("settings"), QStringList({"UseCustomised", "CourseName"}));
    EXPECT_TRUE(ini.HasSection("library"));
    EXPECT_FALSE(ini.HasKey("Library", "Nothing"));
}

// Guards the numbers of the integer settings: a missing key gives the default, text that does not start
// with a number gives 0, and the digits at the start count as the system reads them.
TEST(IniFile, ReadsNumbersAsTheSystemDoes)
{
    TempTree tree;
    const CIniFile ini(tree.Write("n.ini", "[N]\na=12\nb=-5\nc=+7\nd=  42  \ne=12abc\nf=abc\ng=\nh=99999999999\n"
                                          "i=-99999999999\nj=0x10\n"));
    struct Case { const char *key; int expected; };
    const Case cases[] = {{"a", 12}, {"b", -5}, {"c", 7}, {"d", 42}, {"e", 12}, {"f", 0}, {"g", 0},
                          {"h", INT_MAX}, {"i", INT_MIN}, {"j", 0}, {"missing", 33}};
    for (const Case &c : cases)
        EXPECT_EQ(ini.ReadInt("n", c.key, 33), c.expected) << c.key;
}

// Guards the 260-character buffer of the old profile functions: values come back whole, in every script,
// from files written with a byte-order mark or with CR LF line ends.
TEST(IniFile, ValuesComeBackWholeInAnyEncoding)
{
    TempTree tree;
    const QString longValue = QString(600, u'x') + QStringLiteral("ü€");
    CIniFile ini(tree / "long.ini");
    ASSERT_TRUE(ini.WriteString("Settings", "CourseName", longValue));
    EXPECT_EQ(CIniFile(ini.Path()).ReadString("Settings", "CourseName"), longValue);

    const QString text = QStringLiteral("[Settings]\r\nTheme=Hafen \u00e9t\u00e9\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    EXPECT_EQ(CIniFile(tree.Write("utf16.ini", utf16)).ReadString("settings", "theme"), QStringLiteral("Hafen \u00e9t\u00e9"));
    EXPECT_EQ(CIniFile(tree.Write("bom.ini", "\xEF\xBB\xBF[A]\r\nk=v\r\n")).ReadString("A", "k"), "v");
}

// Guards the author's other defaults when one key changes: the key is replaced on its own line, new keys
// go to the end of their section, new sections to the end of the file, and nothing else moves.
TEST(IniFile, WritesReplaceInPlaceAndKeepEverythingElse)
{
    TempTree tree;
    const QString path = tree.Write("kvx.ini", kSample);
    CIniFile ini(path);
    ASSERT_TRUE(ini.WriteString("settings", "COURSENAME", "Fire drill"));
    ASSERT_TRUE(ini.WriteString("Settings", "Theme", "Harbour"));
    ASSERT_TRUE(ini.WriteString("Library", "Image Root Path", "/data/lib/"));
    ASSERT_TRUE(ini.WriteInt("Window", "Width", -640));
    EXPECT_EQ(TempTree::ReadAll(path), QByteArray("; per-user defaults\n"
                                                  "stray=before any section\n"
                                                  "[Settings]\n"
                                                  "UseCustomised=TRUE\n"
                                                  "CourseName=Fire drill\n"
                                                  "courseName=second of the same name\n"
                                                  "Theme=Harbour\n"
                                                  "no equals sign here\n"
                                                  "; a comment=not a key\n"
                                                  "\n"
                                                  "[Library]\n"
                                                  "Image Root Path=/data/lib/\n"
                                                  "[Window]\n"
                                                  "Width=-640\n"));
    ASSERT_TRUE(ini.RemoveKey("Settings", "Theme"));
    EXPECT_FALSE(CIniFile(path).HasKey("Settings", "Theme"));
    EXPECT_TRUE(CIniFile(path).HasKey("Settings", "courseName"));
}

// Guards against a second writer's keys being lost: each object reads the file again once it changed, and
// CR LF files keep their line ends.
TEST(IniFile, TwoObjectsOnOneFileSeeEachOther)
{
    TempTree tree;
    const QString path = tree.Write("shared.ini", "[A]\r\nx=1\r\n");
    CIniFile first(path);
    CIniFile second(path);
    EXPECT_EQ(second.ReadString("A", "x"), "1");
    ASSERT_TRUE(first.WriteString("A", "y", "2"));
    ASSERT_TRUE(second.WriteString("A", "x", "3"));
    EXPECT_EQ(first.ReadString("A", "y"), "2");
    EXPECT_EQ(first.ReadString("A", "x"), "3");
    EXPECT_EQ(TempTree::ReadAll(path), QByteArray("[A]\r\nx=3\r\ny=2\r\n"));
    ASSERT_TRUE(second.AddSection("Software\\Zerandt\\Corvessa 4"));
    EXPECT_TRUE(first.HasSection("software\\zerandt\\corvessa 4"));
}

// Guards the file against values it cannot hold: a line break would start a key of its own (an author's
// text could set any other setting), and a missing folder is not created.
TEST(IniFile, RefusesWhatTheFileCannotHold)
{
    TempTree tree;
    const QString path = tree.Write("kvx.ini", "[Settings]\nTheme=Meadow\n");
    CIniFile ini(path);
    EXPECT_FALSE(ini.WriteString("Settings", "CourseName", "one\nUseCustomised=FALSE"));
    EXPECT_FALSE(ini.WriteString("Settings", "Bad\rKey", "x"));
    EXPECT_FALSE(ini.WriteString("Settings", "a=b", "x"));
    EXPECT_FALSE(ini.WriteString("Settings", "", "x"));
    EXPECT_FALSE(ini.WriteString("Sec]tion", "k", "x"));
    EXPECT_FALSE(ini.AddSection(""));
    EXPECT_EQ(TempTree::ReadAll(path), QByteArray("[Settings]\nTheme=Meadow\n"));

    CIniFile nowhere(tree / "missing/folder/kvx.ini");
    EXPECT_FALSE(nowhere.WriteString("Settings", "UseCustomised", "TRUE"));
    EXPECT_FALSE(QFileInfo::exists(tree / "missing"));
    EXPECT_EQ(nowhere.ReadString("Settings", "UseCustomised", "absent"), "absent");
}

// Guards a file that exists but cannot be read: it must not be replaced by one holding only the new key.
TEST(IniFile, AnUnreadableFileIsNotOverwritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    TempTree tree;
    const QString path = tree.Write("kvx.ini", "[Settings]\nTheme=Meadow\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    CIniFile ini(path);
    EXPECT_FALSE(ini.WriteString("Settings", "CourseName", "x"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(TempTree::ReadAll(path), QByteArray("[Settings]\nTheme=Meadow\n"));
}
