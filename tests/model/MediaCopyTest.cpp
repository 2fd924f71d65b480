#include "support/TempTree.h"

#include "model/ComponentAudio.h"
#include "model/MediaCopy.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QByteArray kClip("RIFF clip bytes");

QByteArray Playlist(const char *entry)
{
    return QByteArray("\xEF\xBB\xBF") + "<ASX version = \"3.0\">\n" + "    <Entry>\n" + "   <Ref href = \"" + entry +
           "\" />\n" + "    </Entry>\n" + "</ASX>\n";
}

} // namespace

// Guards against losing every media file on a case-sensitive file system: only the file name is
// lower-cased, the project's folders keep their spelling.
TEST(MediaCopy, AudioIsCopiedUnderItsSafeLowerCaseName)
{
    TempTree tree;
    const QString clip = tree.Write(QStringLiteral("elsewhere/Intro & Theme.MP3"), kClip);
    tree.MakeFolder(QStringLiteral("Course/Sounds"));
    const QString project = tree / QStringLiteral("Course.kvx");

    CComponentAudio audio;
    audio.SetPlayButton(1);
    audio.SetFilePath(clip);
    CArchive ar;
    ar.SetFilePath(project);
    audio.SerializeComponent(ar);

    const QString copy = tree / QStringLiteral("Course/Sounds/introtheme.mp3");
    EXPECT_EQ(TempTree::ReadAll(copy), kClip);
    EXPECT_EQ(audio.GetFilePath(), copy);
    CArchive in(ar.GetBuffer());
    in.ReadInt();
    in.ReadRect();
    for (int i = 0; i < 4; ++i)
        in.ReadInt();
    EXPECT_EQ(in.ReadString(), QStringLiteral("introtheme.mp3"));
}

TEST(MediaCopy, FileAlreadyInTheMediaFolderKeepsItsName)
{
    TempTree tree;
    // A project copied from Windows: the folder and the file in their own case.
    const QString clip = tree.Write(QStringLiteral("Course/sounds/Voice.MP3"), kClip);
    const auto result = CMediaCopy::CopyOnSave(clip, tree / QStringLiteral("Course.kvx"), false, CMediaCopy::sounds,
                                               CMediaCopy::audioPlaylist);
    EXPECT_FALSE(result.copied);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.path, clip);
    EXPECT_EQ(result.storedName, QStringLiteral("Voice.MP3"));
    EXPECT_FALSE(QFile::exists(tree / QStringLiteral("Course/sounds/voice.mp3")));
}

// Guards the playlists the published course refers to: named from the copied clip's safe name.
TEST(MediaCopy, WindowsMediaPlaylists)
{
    TempTree tree;
    tree.MakeFolder(QStringLiteral("Course/Movies"));
    tree.MakeFolder(QStringLiteral("Course/Sounds"));
    const QString project = tree / QStringLiteral("Course.kvx");

    const QString video = tree.Write(QStringLiteral("in/Clip A.WMV"), kClip);
    auto v = CMediaCopy::CopyOnSave(video, project, false, CMediaCopy::movies, CMediaCopy::videoPlaylist);
    EXPECT_TRUE(v.copied);
    EXPECT_EQ(v.storedName, QStringLiteral("clipa.wmv"));
    EXPECT_EQ(TempTree::ReadAll(tree / QStringLiteral("Course/Movies/clipa.wvx")), Playlist("clipa.wmv"));

    const QString talk = tree.Write(QStringLiteral("in/Talk B.WMA"), kClip);
    auto a = CMediaCopy::CopyOnSave(talk, project, false, CMediaCopy::sounds, CMediaCopy::audioPlaylist);
    EXPECT_EQ(a.storedName, QStringLiteral("talkb.wma"));
    EXPECT_EQ(TempTree::ReadAll(tree / QStringLiteral("Course/Sounds/talkb.wax")), Playlist("talkb.wma"));

    // Other clips get none; a .wma under the video kind gets none either.
    const QString mp3 = tree.Write(QStringLiteral("in/song.mp3"), kClip);
    CMediaCopy::CopyOnSave(mp3, project, false, CMediaCopy::sounds, CMediaCopy::audioPlaylist);
    CMediaCopy::CopyOnSave(talk, project, false, CMediaCopy::movies, CMediaCopy::videoPlaylist);
    EXPECT_FALSE(QFile::exists(tree / QStringLiteral("Course/Sounds/song.wax")));
    EXPECT_FALSE(QFile::exists(tree / QStringLiteral("Course/Movies/talkb.wvx")));

    // A clip already in the folder keeps its name; its playlist is named as the publisher names it (the
    // stored name with the playlist extension) and names the file as it lies there.
    const QString placed = tree.Write(QStringLiteral("Course/Movies/Intro.WMV"), kClip);
    auto p = CMediaCopy::CopyOnSave(placed, project, false, CMediaCopy::movies, CMediaCopy::videoPlaylist);
    EXPECT_FALSE(p.copied);
    EXPECT_EQ(p.storedName, QStringLiteral("Intro.WMV"));
    EXPECT_EQ(TempTree::ReadAll(tree / QStringLiteral("Course/Movies/Intro.wvx")), Playlist("Intro.WMV"));
}

// Guards against forgetting where the file really is when it could not be copied: the next save retries.
TEST(MediaCopy, FailedCopyIsReportedAndKeepsTheOriginalPath)
{
    TempTree tree;
    const QString missing = tree / QStringLiteral("in/gone.mp3");
    const auto result = CMediaCopy::CopyOnSave(missing, tree / QStringLiteral("Course.kvx"), false,
                                               CMediaCopy::sounds, CMediaCopy::noPlaylist);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.path, missing);
    EXPECT_EQ(result.storedName, QStringLiteral("gone.mp3"));
    ASSERT_FALSE(result.Status().Ok());
    EXPECT_EQ(result.Status().Error(), QStringLiteral("Failed to copy file from %1\nto %2")
                                           .arg(missing, tree / QStringLiteral("Course/Sounds/gone.mp3")));
}

// Guards the Play/Stop pair: the clip is copied once, and both records name the same file.
TEST(MediaCopy, StopButtonNamesThePlayButtonsCopy)
{
    CRecordingPrompt prompt;
    CCorvContext context;
    context.prompt = &prompt;
    TempTree tree;
    tree.MakeFolder(QStringLiteral("Course/Sounds"));
    const QString clip = tree.Write(QStringLiteral("in/Song.MP3"), kClip);
    CComponentAudio play, stop;
    play.SetPlayButton(1);
    play.SetFilePath(clip);
    stop.SetFilePath(clip);
    CArchive ar;
    ar.SetFilePath(tree / QStringLiteral("Course.kvx"));
    ar.SetContext(&context);
    stop.SerializeComponent(ar);
    EXPECT_FALSE(QFile::exists(tree / QStringLiteral("Course/Sounds/song.mp3")));
    play.SerializeComponent(ar);
    EXPECT_TRUE(QFile::exists(tree / QStringLiteral("Course/Sounds/song.mp3")));
    EXPECT_EQ(stop.GetFilePath(), play.GetFilePath());
    EXPECT_TRUE(prompt.Texts().isEmpty());
}

TEST(MediaCopy, BaseFolders)
{
    struct Case {
        const char *archive;
        bool standAlone;
        const char *base;
    } cases[] = {
        {"/p/Course.kvx", false, "/p/Course"},
        {"/p/Course.kvx", true, "/p"},
        {"/p/lib/screen.kvl", true, "/p/lib"},
        {"/p/v1.2/Course", false, "/p/v1.2/Course"},
        {"C:\\work\\Course.kvx", false, "C:/work/Course"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CMediaCopy::BaseFolder(QString::fromLatin1(c.archive), c.standAlone), QString::fromLatin1(c.base))
            << c.archive;
}

// Guards against a crafted file making a later save write outside the media folder.
TEST(MediaCopy, StoredNamesCannotLeaveTheMediaFolder)
{
    struct Case {
        const char *stored;
        const char *path;
    } cases[] = {
        {"song.mp3", "/p/Course/Sounds/song.mp3"},
        {"..\\..\\etc\\passwd", "/p/Course/Sounds/passwd"},
        {"/etc/passwd", "/p/Course/Sounds/passwd"},
        {"..", ""},
        {".", ""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CMediaCopy::PathFromStoredName(QStringLiteral("/p/Course.kvx"), false, CMediaCopy::sounds,
                                                 QString::fromLatin1(c.stored)),
                  QString::fromLatin1(c.path))
            << c.stored;
    EXPECT_EQ(CMediaCopy::PathFromStoredName(QStringLiteral("/p/lib/one.kvl"), true, CMediaCopy::movies,
                                             QStringLiteral("clip.wmv")),
              QStringLiteral("/p/lib/Movies/clip.wmv"));
}

// A component read from a single-screen archive finds its media beside the archive, one from a project
// in the project's folder.
TEST(MediaCopy, LoadedAudioResolvesAgainstItsArchive)
{
    CArchive out;
    out.WriteInt(ct_audio);
    out.WriteRect(CRect(10, 10, 84, 81));
    for (int v : {1, 1, 1, 0})
        out.WriteInt(v);
    out.WriteString(QStringLiteral("song.mp3"));
    for (bool standAlone : {false, true}) {
        CComponentAudio audio;
        audio.SetStandAlone(standAlone);
        CArchive in(out.GetBuffer());
        in.SetFilePath(QStringLiteral("/p/Course.kvx"));
        in.ReadInt();
        audio.SerializeComponent(in);
        EXPECT_EQ(audio.GetFilePath(), standAlone ? QStringLiteral("/p/Sounds/song.mp3")
                                                  : QStringLiteral("/p/Course/Sounds/song.mp3"));
    }
}

// Guards saving one component to its own file (preview): its clip is copied beside that file, but the
// component keeps pointing at the clip of its project; without the folder to copy into, the save fails and
// writes nothing.
TEST(MediaCopy, SavingOneComponentLeavesItAsItIsAndFailsWithoutItsMedia)
{
    CRecordingPrompt prompt;
    CCorvContext context;
    context.prompt = &prompt;
    TempTree tree;
    const QString clip = tree.Write(QStringLiteral("Course/Sounds/song.mp3"), kClip);
    CComponentAudio audio;
    audio.SetPlayButton(1);
    audio.SetFilePath(clip);
    audio.SetStandAlone(1);

    const QString missingFolder = tree / QStringLiteral("preview/one.rec");
    tree.MakeFolder(QStringLiteral("preview"));
    const CStatus failed = audio.SaveToFile(missingFolder, context);
    ASSERT_FALSE(failed.Ok());
    EXPECT_TRUE(failed.Error().contains(clip));
    EXPECT_FALSE(QFile::exists(missingFolder));
    EXPECT_TRUE(prompt.Texts().isEmpty());
    EXPECT_EQ(audio.GetFilePath(), clip);

    tree.MakeFolder(QStringLiteral("preview/Sounds"));
    EXPECT_TRUE(audio.SaveToFile(missingFolder, context).Ok());
    EXPECT_EQ(TempTree::ReadAll(tree / QStringLiteral("preview/Sounds/song.mp3")), kClip);
    EXPECT_EQ(audio.GetFilePath(), clip);
    EXPECT_EQ(audio.IsStandAlone(), 1);
    CArchive in(TempTree::ReadAll(missingFolder));
    in.ReadInt();
    in.ReadRect();
    for (int i = 0; i < 4; ++i)
        in.ReadInt();
    EXPECT_EQ(in.ReadString(), QStringLiteral("song.mp3"));
}
