#include "publish/OutputCopier.h"
#include "support/TempTree.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t ModeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

// Guards one copy into the output: what is read (only a regular file of its own), what is replaced (a
// file, a link, never through the link), what fails (a folder in the way, the source itself, which stays
// whole) and the permissions the copy takes (the source's, whatever the creation mask).
TEST(OutputCopier, CopiesOnlyPlainFilesAndReplacesSafely)
{
    TempTree tmp;
    const QString out = tmp.MakeFolder("Out");
    const QString plain = tmp.Write("src/plain.js", "plain");
    ASSERT_EQ(::chmod(QFile::encodeName(plain).constData(), 0640), 0);
    const QString victim = tmp.Write("victim.txt", "keep me");
    ASSERT_TRUE(QFile::link(victim, tmp / "src/link.js"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tmp / "src/pipe.js").constData(), 0600), 0);
    tmp.MakeFolder("src/folder.js");
    tmp.Write("Out/old.js", "old text that is longer");
    ASSERT_TRUE(QFile::link(victim, out + "/linked.js"));
    tmp.MakeFolder("Out/blocked.js");

    const struct
    {
        const char *source;
        const char *destination;
        bool succeeds;
        const char *result; // the destination's bytes afterwards; null: it is not there
    } cases[] = {
        {"src/plain.js", "new.js", true, "plain"},
        {"src/plain.js", "old.js", true, "plain"},
        {"src/plain.js", "linked.js", true, "plain"},
        {"src/link.js", "fromlink.js", true, nullptr},
        {"src/pipe.js", "frompipe.js", true, nullptr},
        {"src/folder.js", "fromfolder.js", true, nullptr},
        {"src/missing.js", "frommissing.js", true, nullptr},
        {"src/plain.js", "blocked.js", false, nullptr},
        {"src/plain.js", "../escape.js", false, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination);
        COutputCopier copier(out);
        EXPECT_EQ(copier.CopyFile(tmp / c.source, c.destination), c.succeeds);
        EXPECT_EQ(copier.Failed(), !c.succeeds);
        const QString target = out + u'/' + QString::fromLatin1(c.destination);
        if (c.result) {
            EXPECT_FALSE(QFileInfo(target).isSymLink());
            EXPECT_EQ(TempTree::ReadAll(target), QByteArray(c.result));
            EXPECT_EQ(ModeOf(target), mode_t(0640));
        } else if (c.succeeds) {
            EXPECT_FALSE(QFileInfo::exists(target));
        }
    }
    EXPECT_EQ(TempTree::ReadAll(victim), "keep me");
    EXPECT_TRUE(QFileInfo(out + "/blocked.js").isDir());

    // Copying a file onto itself fails and leaves it whole.
    COutputCopier self(tmp.Path());
    EXPECT_FALSE(self.CopyFile(plain, "src/plain.js"));
    EXPECT_EQ(TempTree::ReadAll(plain), "plain");
}

// Guards a folder copied on several threads: every file arrives under its lower-cased name with its bytes,
// the first failure in name order is the one kept, and names that differ only in case end as one copying
// them in name order leaves them (the last wins).
TEST(OutputCopier, LargeFolderCopiesLikeOneCopier)
{
    TempTree tmp;
    const QString out = tmp.MakeFolder("Out");
    tmp.MakeFolder("Out/pics");
    for (int i = 0; i < 200; ++i)
        tmp.Write(QStringLiteral("src/Picture%1.PNG").arg(i, 3, 10, QChar(u'0')), QByteArray::number(i * 7919));
    // Folders in the way of two copies: the earlier in name order names the failure.
    tmp.MakeFolder("Out/pics/picture150.png");
    tmp.MakeFolder("Out/pics/picture020.png");

    COutputCopier copier(out);
    EXPECT_FALSE(copier.CopyFolderFilesLowerCase(tmp / "src", "pics", false));
    EXPECT_TRUE(copier.GetErrorText().contains("picture020.png")) << copier.GetErrorText().toStdString();
    for (int i : {0, 19, 21, 149, 151, 199})
        EXPECT_EQ(TempTree::ReadAll(out + QStringLiteral("/pics/picture%1.png").arg(i, 3, 10, QChar(u'0'))),
                  QByteArray::number(i * 7919))
            << i;

    // Names that meet in one destination.
    for (int i = 0; i < 100; ++i)
        tmp.Write(QStringLiteral("mixed/f%1.js").arg(i), "lower");
    tmp.Write("mixed/F7.js", "upper");
    tmp.MakeFolder("Out/m");
    COutputCopier mixed(out);
    EXPECT_TRUE(mixed.CopyFolderFilesLowerCase(tmp / "mixed", "m", false));
    // "F7.js" sorts before "f7.js", which is copied last.
    EXPECT_EQ(TempTree::ReadAll(out + "/m/f7.js"), "lower");
}
