#include "platform/SafeFileWriter.h"

#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QStringList Listing(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot); }

} // namespace

// Guards against a write that fails half-way replacing the author's file: whichever step fails, the old
// file keeps its bytes, no temporary file is left beside it and the reason is given.
TEST(SafeFileWriter, AFailedStepLeavesTheOldFileAndNoTemporary)
{
    for (const SaveStep step : {SaveStep::tempFile, SaveStep::flush, SaveStep::rename}) {
        TempTree tree;
        const QString path = tree.Write("course.txt", "old");
        const CStatus written =
            CSafeFileWriter::WriteFile(path, "new content", [step](SaveStep at) { return at == step; });
        EXPECT_FALSE(written.Ok()) << int(step);
        EXPECT_FALSE(written.Error().isEmpty()) << int(step);
        EXPECT_EQ(TempTree::ReadAll(path), QByteArray("old")) << int(step);
        EXPECT_EQ(Listing(tree.Path()), QStringList{"course.txt"}) << int(step);
    }
}

// Guards the plain path: new bytes replace the old, the old file's permissions stay, and a link keeps
// pointing at the file it named (the file behind it is the one replaced).
TEST(SafeFileWriter, ReplacesTheFileBehindALinkKeepingItsPermissions)
{
    TempTree tree;
    const QString real = tree.Write("real.txt", "old");
    QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner);
    const QString link = tree / "link.txt";
    ASSERT_TRUE(QFile::link(real, link));

    ASSERT_TRUE(CSafeFileWriter::WriteFile(link, "new").Ok());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TempTree::ReadAll(real), QByteArray("new"));
    // Owner, group and other bits (the "user" bits are the running user's view of them).
    EXPECT_EQ(QFile::permissions(real) & 0x7777 & ~0x0700, QFile::ReadOwner | QFile::WriteOwner);

    const QString fresh = tree / "fresh.txt";
    ASSERT_TRUE(CSafeFileWriter::WriteFile(fresh, "").Ok());
    EXPECT_TRUE(QFileInfo(fresh).isFile());
}

// Guards the streaming use (media copies): a writer given up, or dropped without a commit, leaves nothing;
// a folder that does not exist fails at the open with a reason.
TEST(SafeFileWriter, CancelAndMissingFolderLeaveNothing)
{
    TempTree tree;
    {
        CSafeFileWriter writer(tree / "clip.mp4");
        ASSERT_TRUE(writer.Open());
        ASSERT_TRUE(writer.Write("part", 4));
    }
    {
        CSafeFileWriter writer(tree / "clip2.mp4");
        ASSERT_TRUE(writer.Open());
        writer.Cancel();
        EXPECT_FALSE(writer.Commit().Ok());
    }
    EXPECT_TRUE(Listing(tree.Path()).isEmpty());

    CSafeFileWriter missing(tree / "no/such/folder/a.txt");
    EXPECT_FALSE(missing.Open());
    EXPECT_FALSE(missing.ErrorText().isEmpty());
}

// Guards the new name against a power loss: after the rename the folder that holds the name is forced to
// the disk too. A folder that cannot be forced is reported, with the new bytes already in place (the caller
// must not take back what the file now names).
TEST(SafeFileWriter, TheFolderIsForcedToTheDiskAfterTheRename)
{
    TempTree tree;
    const QString path = tree.Write("course.txt", "old");
    QList<SaveStep> asked;
    ASSERT_TRUE(CSafeFileWriter::WriteFile(path, "new", [&asked](SaveStep at) {
                    asked.append(at);
                    return false;
                }).Ok());
    EXPECT_EQ(asked, (QList<SaveStep>{SaveStep::tempFile, SaveStep::flush, SaveStep::rename, SaveStep::folderSync}));

    bool replaced = false;
    const CStatus written = CSafeFileWriter::WriteFile(
        path, "newer", [](SaveStep at) { return at == SaveStep::folderSync; }, &replaced);
    EXPECT_FALSE(written.Ok());
    EXPECT_TRUE(written.Error().contains(path)) << qPrintable(written.Error());
    EXPECT_TRUE(replaced);
    EXPECT_EQ(TempTree::ReadAll(path), QByteArray("newer"));
    EXPECT_EQ(Listing(tree.Path()), QStringList{"course.txt"});
}
