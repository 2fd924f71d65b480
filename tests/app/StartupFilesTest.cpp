#include "app/AppFolders.h"
#include "app/CommandLineInfo.h"
#include "app/StartupFiles.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using Pairs = QList<QPair<QString, QString>>;

// Guards the substitutions of published text as the file gives them: the key ends at the first tab, a tab in
// the replacement stays, a line without a tab gives the empty key, and every line is kept in order (the map
// they go into lets a later key win).
TEST(StartupFiles, SpecialCharactersLines)
{
    EXPECT_EQ(CorvStartupFiles::ParseSpecialCharacters("a\tb\na\tc\nabc\n\u2019\t&#8217;\tx\n\t\n"),
              (Pairs{{"a", "b"}, {"a", "c"}, {"", "abc"}, {"\u2019", "&#8217;\tx"}, {"", ""}}));
    EXPECT_TRUE(CorvStartupFiles::ParseSpecialCharacters("").isEmpty());

    TempTree tree;
    // The file is in the legacy code page with CR LF line ends: 0x92 is the right single quote.
    const QString path = tree.Write("specialChars.txt", "\x92\t&#8217;\r\n\xA9\t&#169;\r\n");
    EXPECT_EQ(CorvStartupFiles::ReadSpecialCharacters(path), (Pairs{{"\u2019", "&#8217;"}, {"\u00a9", "&#169;"}}));
    EXPECT_TRUE(CorvStartupFiles::ReadSpecialCharacters(tree / "missing.txt").isEmpty());
}

// Guards the words the library never takes as keywords: lower case, trimmed, in file order, empty lines
// kept as empty words; a file that cannot be read fails with the system's reason.
TEST(StartupFiles, ExclusionList)
{
    TempTree tree;
    QStringList words;
    ASSERT_TRUE(CorvStartupFiles::ReadExclusionList(tree.Write("exclusionList.txt", " Word \r\nTHE\r\n\r\n\t\xC9t\xE9\r\nand"),
                                                    words));
    EXPECT_EQ(words, (QStringList{"word", "the", "", "\u00e9t\u00e9", "and"}));

    QStringList none;
    QString why;
    EXPECT_FALSE(CorvStartupFiles::ReadExclusionList(tree / "missing.txt", none, &why));
    EXPECT_TRUE(none.isEmpty());
    EXPECT_FALSE(why.isEmpty());
}

// Guards the per-user folder names built from the version text.
TEST(AppFolders, NamesFollowTheMajorVersion)
{
    struct Case { QString version, major; };
    for (const Case &c : {Case{"4.009", "4"}, Case{"3.0", "3"}, Case{"12", "12"}, Case{"", ""}})
        EXPECT_EQ(CorvAppFolders::VersionMajorOf(c.version), c.major) << qPrintable(c.version);
    EXPECT_EQ(CorvAppFolders::AppDataFolderOf("/home/a/.config", "4"), "/home/a/.config/Zerandt/Corvessa4");
    EXPECT_EQ(CorvAppFolders::TempFolderOf("/home/a/.config/Zerandt/Corvessa4", 815),
              "/home/a/.config/Zerandt/Corvessa4/temp815");
    EXPECT_EQ(CorvAppFolders::KvxIniPathOf("/c/Zerandt/Corvessa3"), "/c/Zerandt/Corvessa3/kvx.ini");
}

// Guards the clean-up at exit: the process's own temporary folder goes with everything in it, a link in it
// goes as a link (what it points at stays), and nothing outside the per-user folder is ever touched.
TEST(AppFolders, TempFolderRemovalStaysInItsFolder)
{
    TempTree tree;
    const QString appData = tree.MakeFolder("config/Zerandt/Corvessa4");
    const QString outside = tree.Write("precious/keep.txt", "mine");
    const QString temp = appData + "/temp77";
    tree.Write("config/Zerandt/Corvessa4/temp77/sub/kvb.cmd", "x");
    const QString readOnly = tree.Write("config/Zerandt/Corvessa4/temp77/ro.txt", "x");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    ASSERT_TRUE(QFile::link(tree / "precious", temp + "/link"));

    EXPECT_TRUE(CorvAppFolders::RemoveTempFolder(appData, temp));
    EXPECT_FALSE(QFileInfo::exists(temp));
    EXPECT_TRUE(QFileInfo::exists(outside));

    // Refused: anything but temp<digits> directly inside the per-user folder.
    const QString elsewhere = tree.MakeFolder("elsewhere/temp5");
    const QString badName = tree.MakeFolder("config/Zerandt/Corvessa4/templates");
    const QString deeper = tree.MakeFolder("config/Zerandt/Corvessa4/x/temp6");
    EXPECT_FALSE(CorvAppFolders::RemoveTempFolder(appData, elsewhere));
    EXPECT_FALSE(CorvAppFolders::RemoveTempFolder(appData, badName));
    EXPECT_FALSE(CorvAppFolders::RemoveTempFolder(appData, deeper));
    EXPECT_FALSE(CorvAppFolders::RemoveTempFolder(appData, appData + "/temp6/../../.."));
    EXPECT_FALSE(CorvAppFolders::RemoveTempFolder("", "/temp5"));
    EXPECT_FALSE(CorvAppFolders::RemoveTempFolder("/", "/temp5"));
    for (const QString &kept : {elsewhere, badName, deeper})
        EXPECT_TRUE(QFileInfo::exists(kept)) << qPrintable(kept);

    // A link standing where the temporary folder should be is removed, its target kept.
    ASSERT_TRUE(QFile::link(tree / "precious", appData + "/temp9"));
    EXPECT_TRUE(CorvAppFolders::RemoveTempFolder(appData, appData + "/temp9"));
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_TRUE(CorvAppFolders::RemoveTempFolder(appData, appData + "/temp10")); // not there: nothing to do
}

// Guards the command line: the automation switches in any spelling, toolkit options passed over, and a
// path that starts with "/" read as a file, not as a switch.
TEST(CommandLine, SwitchesAndTheFileToOpen)
{
    struct Case { QStringList arguments; bool automation; QString file; };
    const Case cases[] = {
        {{"corvessa"}, false, ""},
        {{"corvessa", "/Embedding"}, true, ""},
        {{"corvessa", "-automation"}, true, ""},
        {{"corvessa", "/AUTOMATION", "/home/a/x.kvx"}, true, "/home/a/x.kvx"},
        {{"corvessa", "/home/a/Demo.kvx"}, false, "/home/a/Demo.kvx"},
        {{"corvessa", "-style", "Demo.kvx", "Other.kvx"}, false, "Demo.kvx"},
        {{"corvessa", "--reverse", "/Embeddingx"}, false, "/Embeddingx"},
    };
    for (const Case &c : cases) {
        const CCommandLineInfo info = CCommandLineInfo::Parse(c.arguments);
        EXPECT_EQ(info.automation, c.automation) << qPrintable(c.arguments.join(' '));
        EXPECT_EQ(info.fileName, c.file) << qPrintable(c.arguments.join(' '));
    }
}
