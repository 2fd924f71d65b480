#include "platform/CorvContext.h"
#include "publish/OutputFolder.h"
#include "publish/PublishFile.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

// Guards the form of every published file: UTF-8, the byte-order mark only where asked for, each "\n" one
// LF, text beyond the Basic Multilingual Plane as its four bytes.
TEST(PublishFile, WritesUtf8WithOrWithoutMark)
{
    TempTree tmp;
    const QString out = tmp.MakeFolder("out/content");
    const QString text = QString::fromUtf8("a\nb \xC3\xA9 \xF0\x9F\x98\x80\n");
    const QByteArray utf8 = text.toUtf8();

    CPublishFile file;
    ASSERT_TRUE(file.Open(tmp / "out", "content/page.htm", CPublishFile::NoByteOrderMark));
    EXPECT_TRUE(file.WriteString(text.left(2)));
    EXPECT_TRUE(file.WriteString(text.mid(2)));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(TempTree::ReadAll(out + "/page.htm"), utf8);

    EXPECT_TRUE(CPublishFile::WriteFile(tmp / "out", "content\\style.css", text, CPublishFile::WithByteOrderMark));
    EXPECT_EQ(TempTree::ReadAll(out + "/style.css"), "\xEF\xBB\xBF" + utf8);
    // A file with the mark and no text still starts with it; a replaced file loses its old bytes.
    EXPECT_TRUE(CPublishFile::WriteFile(tmp / "out", "content/style.css", "", CPublishFile::WithByteOrderMark));
    EXPECT_EQ(TempTree::ReadAll(out + "/style.css"), "\xEF\xBB\xBF");
}

// Tries every way out of an output folder and expects each refused.
static void ExpectNothingWrittenOutside()
{
    TempTree tmp;
    const QString out = tmp.MakeFolder("out");
    tmp.MakeFolder("outside");
    tmp.Write("outside/victim.txt", "mine");
    ASSERT_EQ(symlink(QFile::encodeName(tmp / "outside").constData(), QFile::encodeName(out + "/linked").constData()), 0);
    ASSERT_EQ(symlink(QFile::encodeName(tmp / "outside/victim.txt").constData(),
                      QFile::encodeName(out + "/victim.txt").constData()), 0);

    const QString refused[] = {"../outside/victim.txt", "a/../../outside/victim.txt", tmp / "outside/victim.txt",
                               "linked/victim.txt", "linked/new.txt", "victim.txt", ""};
    for (const QString &relative : refused) {
        CPublishFile file;
        EXPECT_FALSE(file.Open(out, relative, CPublishFile::NoByteOrderMark)) << relative.toStdString();
        EXPECT_FALSE(file.WriteString("overwritten"));
        EXPECT_FALSE(file.Close());
        EXPECT_FALSE(file.GetErrorText().isEmpty());
    }
    EXPECT_EQ(TempTree::ReadAll(tmp / "outside/victim.txt"), "mine");
    EXPECT_FALSE(QFileInfo::exists(tmp / "outside/new.txt"));

    QString reason;
    EXPECT_FALSE(CPublishFile::WriteFile(out, "content/outline.htm", "x", CPublishFile::WithByteOrderMark, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out + "/content"));

    // Names that only look like climbing are fine.
    EXPECT_TRUE(CPublishFile::WriteFile(out, "..name..txt", "x", CPublishFile::NoByteOrderMark));
}

// Guards that nothing is written outside the output folder: not by a relative path that climbs out, an
// absolute one, or a link inside the folder that leads out; and that a missing folder is a failure with
// the system's reason, never a file made somewhere else; with and without the folder checks of a publish.
TEST(PublishFile, StaysInsideTheOutputFolder)
{
    ExpectNothingWrittenOutside();
    // The same with the folder checks a publish keeps for its run.
    const CorvOutputFolder::FolderCheckScope scope;
    ExpectNothingWrittenOutside();
}

// Guards the folder checks kept for a publish: a folder once found inside is not resolved again, yet a
// link made in it later, a folder that did not exist when first met and is then made a link, and a
// link in place of a file are each still caught; and the checks end with their scope.
TEST(PublishFile, KeptFolderChecksStillCatchLinks)
{
    TempTree tmp;
    const QString out = tmp.MakeFolder("out/content");
    const QString root = tmp / "out";
    tmp.MakeFolder("outside");
    tmp.Write("outside/file.htm", "theirs");
    const auto link = [&](const QString &target, const QString &at) {
        return symlink(QFile::encodeName(target).constData(), QFile::encodeName(at).constData()) == 0;
    };
    {
        const CorvOutputFolder::FolderCheckScope scope;
        EXPECT_TRUE(CorvOutputFolder::StaysInside(root, out + "/page.htm"));
        ASSERT_TRUE(link(tmp / "outside", out + "/later"));
        ASSERT_TRUE(link(tmp / "outside/file.htm", out + "/file.htm"));
        EXPECT_FALSE(CorvOutputFolder::StaysInside(root, out + "/later"));
        EXPECT_FALSE(CorvOutputFolder::StaysInside(root, out + "/later/page.htm"));
        EXPECT_FALSE(CorvOutputFolder::StaysInside(root, out + "/file.htm"));
        EXPECT_FALSE(CPublishFile::WriteFile(root, "content/file.htm", "x", CPublishFile::NoByteOrderMark));
        EXPECT_EQ(TempTree::ReadAll(tmp / "outside/file.htm"), "theirs");
        EXPECT_TRUE(CorvOutputFolder::StaysInside(root, out + "/page.htm"));

        // Not there when first met, then made a link that leads out.
        EXPECT_TRUE(CorvOutputFolder::StaysInside(root, root + "/media/clip.mp4"));
        ASSERT_TRUE(link(tmp / "outside", root + "/media"));
        EXPECT_FALSE(CorvOutputFolder::StaysInside(root, root + "/media/clip.mp4"));
        EXPECT_FALSE(CPublishFile::WriteFile(root, "media/clip.mp4", "x", CPublishFile::NoByteOrderMark));

        // A scope inside a scope changes nothing and ends nothing.
        { const CorvOutputFolder::FolderCheckScope inner; }
        EXPECT_FALSE(CorvOutputFolder::StaysInside(root, out + "/later/page.htm"));
    }
    // A folder found inside while the scope lived is judged afresh once it is gone.
    ASSERT_TRUE(QDir(out).removeRecursively());
    ASSERT_TRUE(link(tmp / "outside", out));
    EXPECT_FALSE(CorvOutputFolder::StaysInside(root, out + "/page.htm"));
    EXPECT_FALSE(QFileInfo::exists(tmp / "outside/clip.mp4"));
}

// Guards that a write the disk refuses fails the file (and so the step), however late the failure
// surfaces.
TEST(PublishFile, FailedWriteIsReported)
{
    TempTree tmp;
    const QString out = tmp.MakeFolder("out");
    // A file size limit makes the kernel refuse the bytes beyond it, as a full disk would.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    CPublishFile file;
    const bool opened = file.Open(out, "big.js", CPublishFile::NoByteOrderMark);
    const bool written = file.WriteString(QString(100000, u'x'));
    const bool closed = file.Close();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(written && closed);
    EXPECT_FALSE(file.GetErrorText().isEmpty());
}

// Guards the folders a publish may empty: never a root, the home folder, one that holds the project or
// the program's own folders, nor the project's media folder or anything inside it; a usual output folder,
// and the preview folder inside the per-user folder, may be.
TEST(PublishFile, FoldersThatMayBeWiped)
{
    TempTree tmp;
    CCorvContext context;
    context.programFolder = tmp.MakeFolder("install/bin") + "/";
    context.appDataFolder = tmp.MakeFolder("config/Zerandt/Corvessa4") + "/";
    const QString project = tmp.Write("Courses/Demo.kvx", "project");
    tmp.MakeFolder("Courses/Demo/Images");
    tmp.MakeFolder("Courses/Demo Published files/Standalone");

    struct Case { QString folder; bool mayWipe; };
    const QList<Case> cases = {
        {"/", false},
        {QDir::homePath(), false},
        {QDir::homePath() + "/", false},
        {"", false},
        {"   ", false},
        {tmp / "Courses", false},
        {tmp / "Courses/Demo", false},
        {tmp / "Courses/Demo/Images", false},
        {tmp / "Courses/Demo/Images/../Images", false},
        {tmp / "install", false},
        {tmp / "install/bin", false},
        {tmp / "config", false},
        {tmp / "Courses/Demo Published files/Standalone", true},
        {tmp / "Courses/Demo Published files/Standalone/", true},
        {tmp / "Courses/Demo Published files/New", true},
        {tmp / "config/Zerandt/Corvessa4/preview", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CorvOutputFolder::MayWipe(c.folder, project, context), c.mayWipe) << c.folder.toStdString();

    // A link to the project's folder is the project's folder.
    ASSERT_EQ(symlink(QFile::encodeName(tmp / "Courses").constData(), QFile::encodeName(tmp / "alias").constData()), 0);
    EXPECT_FALSE(CorvOutputFolder::MayWipe(tmp / "alias", project, context));
    EXPECT_TRUE(CorvOutputFolder::MayWipe(tmp / "Courses/Demo Published files", QString(), CCorvContext()));
}
