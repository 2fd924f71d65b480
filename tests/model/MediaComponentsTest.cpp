#include "CommittingCanvas.h"
#include "support/TempTree.h"

#include "model/ComponentAudio.h"
#include "model/ComponentFactory.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentMedia.h"
#include "model/ComponentVideo.h"
#include "model/CorvPage.h"
#include "model/PictureSaveSession.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

const QByteArray kClip("media bytes");

// A program folder with templates that show every token they are filled with, and a project beside it.
struct Fixture {
    Fixture()
    {
        context.programFolder = tree / QStringLiteral("program");
        context.prompt = &prompt;
        for (const char *folder : {"Course/Sounds", "Course/Movies", "Course/Questions", "Course/Images/Resized",
                                   "Course/Images/MM", "elsewhere"})
            tree.MakeFolder(QString::fromLatin1(folder));
    }
    void Template(const QString &relative, const QByteArray &text) const
    {
        tree.Write(QStringLiteral("program/source/PlaceHolderText/") + relative, text);
    }
    QString Clip(const QString &name) const { return tree.Write(QStringLiteral("elsewhere/") + name, kClip); }
    QString Project(const QString &relative) const { return tree / (QStringLiteral("Course/") + relative); }
    // Stores the component as the project file Course.kvx would, giving back its record.
    QByteArray Save(CComponentBase &c)
    {
        CArchive ar;
        ar.SetFilePath(tree / QStringLiteral("Course.kvx"));
        ar.SetContext(&context);
        c.SerializeComponent(ar);
        return ar.GetBuffer();
    }
    std::unique_ptr<CComponentBase> Load(const QByteArray &record)
    {
        CArchive ar(record);
        ar.SetFilePath(tree / QStringLiteral("Course.kvx"));
        ar.SetContext(&context);
        auto c = CComponentFactory::LoadComponent(ar, {ProjectSchema::kCurrent});
        EXPECT_TRUE(ar.AtEnd());
        return c;
    }

    TempTree tree;
    CRecordingPrompt prompt;
    CCorvContext context;
};

// The name the record ends with.
QString StoredName(const QByteArray &record)
{
    const qsizetype at = record.lastIndexOf(QByteArray("\xFF\xFE\xFF", 3));
    CArchive ar(record.mid(at));
    return ar.ReadString();
}

QByteArray Playlist(const char *entry)
{
    return QByteArray("\xEF\xBB\xBF<ASX version = \"3.0\">\n    <Entry>\n   <Ref href = \"") + entry +
           "\" />\n    </Entry>\n</ASX>\n";
}

const QByteArray kVideoTokens = "<~src~>|<~loop~>|<~loop2~>|<~uimode~>|<~controller~>|<~controller2~>|<~autostart~>"
                                "<~autostart2~>|<~left~>,<~top~>,<~width~>,<~height~>|<~bgColour~>|<~ver~>|<~vars~>|"
                                "<~wmode~>|<~toolbar~><~scrollbar~><~navpanes~>";

} // namespace

// Guards the audio markup: the template and the MIME type chosen by the clip's extension, a ".wma" clip
// played through its ".wax" playlist, and the seven tokens.
TEST(Audio, PublishTemplateByExtension)
{
    Fixture f;
    f.Template(QStringLiteral("Media/audio.txt"),
               "audio:<~num~>|<~src~>|<~type~>|<~autostart~>|<~autostart2~>|<~loop~>|<~loop2~>");
    f.Template(QStringLiteral("Media/audio_realplayer.txt"), "real:<~num~>|<~src~>|<~type~>|<~autostart2~>");
    struct Case {
        const char *path;
        const char *expected;
    } cases[] = {
        {"/clips/Song.MP3", "audio:3|Song.MP3|audio/mpeg|0|false|1|true"},
        {"/clips/talk.wma", "audio:3|talk.wax|audio/x-ms-wax|0|false|1|true"},
        {"/clips/voice.take2.WMA", "audio:3|voice.take2.wax|audio/x-ms-wax|0|false|1|true"},
        {"/clips/intro.rm", "real:3|intro.rm|audio/x-pn-realaudio-plugin|false"},
        {"/clips/Jingle.RA", "real:3|Jingle.RA|audio/x-pn-realaudio-plugin|false"},
        {"/clips/beep.ogg", "audio:3|beep.ogg|audio/basic|0|false|1|true"},
        {"/clips/a.au", "audio:3|a.au|audio/basic|0|false|1|true"},
        {"/clips/b.AIF", "audio:3|b.AIF|audio/x-aiff|0|false|1|true"},
        {"/clips/c.mid", "audio:3|c.mid|audio/mid|0|false|1|true"},
        {"/clips/d.wav", "audio:3|d.wav|audio/x-wav|0|false|1|true"},
        {"C:\\clips\\it's.mp3", "audio:3|it&#39;s.mp3|audio/mpeg|0|false|1|true"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        CComponentAudio audio;
        audio.SetFilePath(QString::fromUtf8(c.path));
        audio.m_autoStart = 0;
        audio.m_loop = 1;
        const CResult<QString> out = audio.BuildPublishHtml(f.context, 3);
        ASSERT_TRUE(out) << out.Error().toStdString();
        EXPECT_EQ(*out, QString::fromUtf8(c.expected));
    }

    // Without a clip there is no markup, and nothing failed.
    CComponentAudio silent;
    const CResult<QString> none = silent.BuildPublishHtml(f.context, 1);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->isEmpty());

    QFile::remove(f.tree / QStringLiteral("program/source/PlaceHolderText/Media/audio.txt"));
    CComponentAudio audio;
    audio.SetFilePath(QStringLiteral("/clips/Song.mp3"));
    const CResult<QString> missing = audio.BuildPublishHtml(f.context, 1);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.Error(), QStringLiteral("FATAL Error:\nCould not open file\n") + f.tree.Path() +
                                   QStringLiteral("/program/source/PlaceHolderText/Media/audio.txt"));
    EXPECT_TRUE(f.prompt.Texts().isEmpty());
}

// Guards the Play/Stop pair on save: the clip is copied once, both buttons name the copy, the playlist
// names the clip as it was copied, and a Stop button alone copies nothing.
TEST(Audio, ButtonPairSharesOneCopy)
{
    Fixture f;
    const QString clip = f.Clip(QStringLiteral("Talk B.WMA"));
    CCorvPage page(1, {}, {}, {}, 0, QStringLiteral("1"), 2, -1);
    auto play = std::make_unique<CComponentAudio>();
    play->SetPlayButton(1);
    play->SetFilePath(clip);
    auto stop = std::make_unique<CComponentAudio>();
    stop->SetPlayButton(0);
    stop->SetFilePath(clip);
    CComponentAudio *playRaw = play.get();
    CComponentAudio *stopRaw = stop.get();
    ASSERT_TRUE(page.AddComponent(std::move(stop)));
    ASSERT_TRUE(page.AddComponent(std::move(play)));
    EXPECT_EQ(playRaw->FindPartnerButton(), stopRaw);
    EXPECT_EQ(stopRaw->FindPartnerButton(), playRaw);

    // The Stop button comes first on this screen: it names the copy its partner makes.
    const QByteArray stopRecord = f.Save(*stopRaw);
    EXPECT_FALSE(QFile::exists(f.Project(QStringLiteral("Sounds/talkb.wma"))));
    const QByteArray playRecord = f.Save(*playRaw);
    EXPECT_EQ(TempTree::ReadAll(f.Project(QStringLiteral("Sounds/talkb.wma"))), kClip);
    EXPECT_EQ(TempTree::ReadAll(f.Project(QStringLiteral("Sounds/talkb.wax"))), Playlist("talkb.wma"));
    EXPECT_EQ(StoredName(stopRecord), QStringLiteral("talkb.wma"));
    EXPECT_EQ(StoredName(playRecord), QStringLiteral("talkb.wma"));
    EXPECT_EQ(stopRaw->GetFilePath(), f.Project(QStringLiteral("Sounds/talkb.wma")));
    EXPECT_EQ(playRaw->GetFilePath(), f.Project(QStringLiteral("Sounds/talkb.wma")));
    EXPECT_TRUE(f.prompt.Texts().isEmpty());

    CComponentAudio lone;
    lone.SetPlayButton(0);
    lone.SetFilePath(f.Clip(QStringLiteral("other.wma")));
    f.Save(lone);
    EXPECT_FALSE(QFile::exists(f.Project(QStringLiteral("Sounds/other.wma"))));
    EXPECT_FALSE(QFile::exists(f.Project(QStringLiteral("Sounds/other.wax"))));
}

// Guards against a single speaker icon being taken for one button of a pair.
TEST(Audio, SingleIconHasNoPartner)
{
    CCorvPage page(1, {}, {}, {}, 0, QStringLiteral("1"), 2, -1);
    auto icon = std::make_unique<CComponentAudio>();
    icon->SetPlayButton(1);
    icon->m_buttonControls = 0;
    icon->SetFilePath(QStringLiteral("/m/a.mp3"));
    auto other = std::make_unique<CComponentAudio>();
    other->SetFilePath(QStringLiteral("/m/A.MP3"));
    CComponentAudio *iconRaw = icon.get();
    CComponentAudio *otherRaw = other.get();
    page.AddComponent(std::move(icon));
    page.AddComponent(std::move(other));
    EXPECT_EQ(iconRaw->FindPartnerButton(), nullptr);
    EXPECT_EQ(otherRaw->FindPartnerButton(), iconRaw);
    CComponentAudio offScreen;
    EXPECT_EQ(offScreen.FindPartnerButton(), nullptr);
}

// Guards the video markup: the template each extension chooses, a ".wmv" movie played through its
// playlist with its own loop and interface texts, RealPlayer controls, safe source names and colours.
TEST(Video, PublishTemplateByExtension)
{
    Fixture f;
    for (const char *name : {"video_avi", "video_mpeg", "video_mov", "video_wvx", "video_realplayer", "pdf", "animgif",
                             "flash"})
        f.Template(QStringLiteral("Media/%1.txt").arg(QLatin1String(name)), QByteArray(name) + ':' + kVideoTokens);
    struct Case {
        const char *path;
        std::function<void(CComponentVideo &)> set;
        const char *expected;
    } cases[] = {
        {"/v/clip.WMV", [](CComponentVideo &v) { v.m_loop = 1; },
         "video_wvx:clip.wvx|10000|true|none|false|false|falsefalse|10,20,320,240|FFFFFF|8||window|000"},
        {"/v/clip.wmv", [](CComponentVideo &v) { v.m_controller = 1; },
         "video_wvx:clip.wvx|1|false|full|true|true|falsefalse|10,20,320,240|FFFFFF|8||window|000"},
        {"/v/lecture.rm", [](CComponentVideo &v) { v.m_controller = 1; },
         "video_realplayer:lecture.rm|false|false|<~uimode~>|imageWindow,ControlPanel,StatusBar|true|falsefalse|"
         "10,20,320,240|FFFFFF|8||window|000"},
        {"/v/talk.RV", [](CComponentVideo &) {},
         "video_realplayer:talk.RV|false|false|<~uimode~>|imageWindow|false|falsefalse|10,20,320,240|FFFFFF|8||window|000"},
        {"/v/My Movie.avi",
         [](CComponentVideo &v) {
             v.m_autoStart = 1;
             v.SetBackgroundColor(0x00FF8000);
         },
         "video_avi:MyMovie.avi|false|false|<~uimode~>|false|false|truetrue|10,20,320,240|0080FF|8||window|000"},
        {"/v/a.mpg", [](CComponentVideo &) {},
         "video_mpeg:a.mpg|false|false|<~uimode~>|false|false|falsefalse|10,20,320,240|FFFFFF|8||window|000"},
        {"/v/b.MPEG", [](CComponentVideo &) {},
         "video_mpeg:b.MPEG|false|false|<~uimode~>|false|false|falsefalse|10,20,320,240|FFFFFF|8||window|000"},
        {"/v/c.mov", [](CComponentVideo &v) { v.m_loop = 2; },
         "video_mov:c.mov|false|false|<~uimode~>|false|false|falsefalse|10,20,320,240|FFFFFF|8||window|000"},
        {"/v/doc.PDF",
         [](CComponentVideo &v) {
             v.m_toolbar = 1;
             v.m_navPanes = 1;
         },
         "pdf:doc.PDF|false|false|<~uimode~>|false|false|falsefalse|10,20,320,240|FFFFFF|8||window|101"},
        {"/v/anim.gif", [](CComponentVideo &) {},
         "animgif:anim.gif|false|false|<~uimode~>|false|false|falsefalse|10,20,320,240|FFFFFF|8||window|000"},
        {"/v/f.swf",
         [](CComponentVideo &v) {
             v.SetFlashVars(QStringLiteral("a=1&b='x'"));
             v.SetFlashVersion(10);
             v.m_windowMode = QStringLiteral("transparent");
         },
         "flash:f.swf|false|false|<~uimode~>|false|false|falsefalse|10,20,320,240|FFFFFF|10|a=1&amp;b=&#39;x&#39;|"
         "transparent|000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        CComponentVideo video(nullptr);
        video.SetBounds(CRect(10, 20, 330, 260), false);
        video.SetFilePath(QString::fromUtf8(c.path));
        c.set(video);
        const CResult<QString> out = video.BuildPublishHtml(f.context);
        ASSERT_TRUE(out) << out.Error().toStdString();
        EXPECT_EQ(*out, QString::fromUtf8(c.expected));
    }

    CComponentVideo unknown(nullptr);
    unknown.SetFilePath(QStringLiteral("/v/clip.mkv"));
    const CResult<QString> unknownMarkup = unknown.BuildPublishHtml(f.context);
    EXPECT_FALSE(unknownMarkup);
    EXPECT_EQ(unknownMarkup.Error(),
              QStringLiteral("FATAL Error:\nCComponentMedia don't know how to generate file type\n/v/clip.mkv"));
    QFile::remove(f.tree / QStringLiteral("program/source/PlaceHolderText/Media/video_mov.txt"));
    CComponentVideo missing(nullptr);
    missing.SetFilePath(QStringLiteral("/v/c.mov"));
    const CResult<QString> missingMarkup = missing.BuildPublishHtml(f.context);
    EXPECT_FALSE(missingMarkup);
    EXPECT_EQ(missingMarkup.Error(), QStringLiteral("FATAL Error:\nCComponentMedia: Could not open file\n") +
                                         f.tree.Path() + QStringLiteral("/program/source/PlaceHolderText/Media/video_mov.txt"));
    EXPECT_TRUE(f.prompt.Texts().isEmpty());
}

// Guards the movie's copy on save: a safe lower-case name in Movies, and the playlist of a ".wmv" movie
// named after that copy and naming it.
TEST(Video, SaveCopiesTheMovieWithItsPlaylist)
{
    Fixture f;
    CComponentVideo video(nullptr);
    video.SetFilePath(f.Clip(QStringLiteral("Clip A.WMV")));
    const QByteArray record = f.Save(video);
    EXPECT_EQ(StoredName(record), QStringLiteral("clipa.wmv"));
    EXPECT_EQ(TempTree::ReadAll(f.Project(QStringLiteral("Movies/clipa.wmv"))), kClip);
    EXPECT_EQ(TempTree::ReadAll(f.Project(QStringLiteral("Movies/clipa.wvx"))), Playlist("clipa.wmv"));
    auto loaded = f.Load(record);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(dynamic_cast<CComponentVideo &>(*loaded).GetFilePath(), f.Project(QStringLiteral("Movies/clipa.wmv")));
    EXPECT_EQ(f.Save(*loaded), record);
}

// Guards the Flash question: its file goes into Questions under a safe name, and its markup names the
// file as it then is, with its own template and message.
TEST(FlashQuestion, SaveAndPublish)
{
    Fixture f;
    f.Template(QStringLiteral("question_flash.txt"),
               "fq:<~src~>|<~left~>,<~top~>,<~width~>,<~height~>|<~bgColour~>|<~ver~>|<~vars~>|<~wmode~>|<~loop~>");
    CComponentFlashQuestion quiz;
    quiz.SetBounds(CRect(36, 32, 536, 432), false);
    quiz.SetFilePath(f.Clip(QStringLiteral("My Quiz.swf")));
    quiz.SetBackgroundColor(0x0000FF);
    EXPECT_EQ(quiz.BuildPublishHtml(f.context).ValueOr({}), QStringLiteral("fq:My Quiz.swf|36,32,500,400|FF0000|8|||<~loop~>"));

    const QByteArray record = f.Save(quiz);
    EXPECT_EQ(StoredName(record), QStringLiteral("myquiz.swf"));
    EXPECT_EQ(TempTree::ReadAll(f.Project(QStringLiteral("Questions/myquiz.swf"))), kClip);
    EXPECT_FALSE(QFile::exists(f.Project(QStringLiteral("Movies/myquiz.swf"))));
    EXPECT_EQ(quiz.BuildPublishHtml(f.context).ValueOr({}), QStringLiteral("fq:myquiz.swf|36,32,500,400|FF0000|8|||<~loop~>"));

    QFile::remove(f.tree / QStringLiteral("program/source/PlaceHolderText/question_flash.txt"));
    const CResult<QString> missing = quiz.BuildPublishHtml(f.context);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.Error(), QStringLiteral("FATAL Error: CComponentFlashQuestion: Could not open file\n") +
                                   f.tree.Path() + QStringLiteral("/program/source/PlaceHolderText/question_flash.txt"));
}

// Guards the Flash video player's markup: its number from its place, the inverted middle-button flag,
// colours as RRGGBB and the placeholder still.
TEST(FlashVideo, PublishTemplate)
{
    Fixture f;
    f.Template(QStringLiteral("Media/flv.txt"),
               "<~num~>|<~left~>,<~top~>,<~width~>,<~height~>|<~flv~>|<~image~>|<~bgcolor~>|<~barColor~>|"
               "<~barShadowColor~>|<~soundBarColor~>|<~ver~>|<~volume~>|<~autoStart~>|<~playSounds~>|"
               "<~allowFullScreen~>|<~disableMiddleButton~>|<~autoHide~>");
    CComponentFlashVideo player;
    player.SetBounds(CRect(100, 50, 420, 290), false);
    player.SetFilePath(QStringLiteral("/v/Talk.flv"));
    player.m_autoStart = 2;
    player.m_middleButton = 1;
    player.m_autoHide = 0;
    QString out = player.BuildPublishHtml(f.context).ValueOr({});
    EXPECT_EQ(out, QStringLiteral("3276900|100,50,320,240|Talk.flv|x.gif|FFFFFF|0066FF|91BBFB|0066FF|8|60|true|true|"
                                  "true|false|false"));
    player.m_middleButton = 0;
    player.m_stillImagePath = QStringLiteral("/v/still.png");
    out = player.BuildPublishHtml(f.context).ValueOr({});
    EXPECT_TRUE(out.contains(QStringLiteral("|still.png|")));
    EXPECT_TRUE(out.endsWith(QStringLiteral("|true|false")));
}

// Guards the player's still on save: the picture is written in its own format into Images, at the
// player's size into Images/Resized, and into Images/MM when it is a PNG; a still that cannot be read
// writes nothing and is tried again at the next save.
TEST(FlashVideo, SaveWritesTheStill)
{
    Fixture f;
    QImage still(40, 30, QImage::Format_RGB32);
    still.fill(QColor(10, 120, 200));
    ASSERT_TRUE(still.save(f.tree / QStringLiteral("elsewhere/Still.GIF"), "PNG"));
    ASSERT_TRUE(still.save(f.tree / QStringLiteral("elsewhere/shot.jpeg"), "JPEG"));

    CComponentFlashVideo player;
    player.SetBounds(CRect(100, 50, 420, 290), false);
    player.SetFilePath(f.Clip(QStringLiteral("Talk.flv")));
    player.m_stillImagePath = f.tree / QStringLiteral("elsewhere/Still.GIF");
    QByteArray record = f.Save(player);
    EXPECT_EQ(TempTree::ReadAll(f.Project(QStringLiteral("Movies/talk.flv"))), kClip);
    EXPECT_EQ(player.m_stillImagePath, f.Project(QStringLiteral("Images/Still.png")));
    EXPECT_EQ(QImage(f.Project(QStringLiteral("Images/Still.png")), "PNG").size(), QSize(40, 30));
    EXPECT_EQ(QImage(f.Project(QStringLiteral("Images/Resized/Still.png")), "PNG").size(), QSize(320, 240));
    EXPECT_EQ(QImage(f.Project(QStringLiteral("Images/MM/Still.png")), "PNG").size(), QSize(320, 240));
    auto loaded = f.Load(record);
    ASSERT_TRUE(loaded);
    auto &back = dynamic_cast<CComponentFlashVideo &>(*loaded);
    EXPECT_EQ(back.m_stillImagePath, f.Project(QStringLiteral("Images/Still.png")));
    EXPECT_EQ(back.GetFilePath(), f.Project(QStringLiteral("Movies/talk.flv")));
    EXPECT_EQ(f.Save(back), record);

    player.m_stillImagePath = f.tree / QStringLiteral("elsewhere/shot.jpeg");
    record = f.Save(player);
    EXPECT_EQ(QImage(f.Project(QStringLiteral("Images/shot.jpg")), "JPEG").size(), QSize(40, 30));
    EXPECT_EQ(QImage(f.Project(QStringLiteral("Images/Resized/shot.jpg")), "JPEG").size(), QSize(320, 240));
    EXPECT_FALSE(QFile::exists(f.Project(QStringLiteral("Images/MM/shot.jpg"))));

    const QString broken = f.tree.Write(QStringLiteral("elsewhere/broken.png"), "not a picture");
    player.m_stillImagePath = broken;
    record = f.Save(player);
    EXPECT_EQ(dynamic_cast<CComponentFlashVideo &>(*f.Load(record)).m_stillImagePath,
              f.Project(QStringLiteral("Images/broken.png")));
    EXPECT_EQ(player.m_stillImagePath, broken);
    EXPECT_FALSE(QFile::exists(f.Project(QStringLiteral("Images/broken.png"))));

    player.m_stillImagePath.clear();
    EXPECT_EQ(dynamic_cast<CComponentFlashVideo &>(*f.Load(f.Save(player))).m_stillImagePath, QString());
    EXPECT_TRUE(f.prompt.Texts().isEmpty());
}

// Guards against two players of one save overwriting each other's still: pictures from different files
// that map to one name get "_2" (in Images and its sizes alike), while the same still asked for again keeps
// its name.
TEST(FlashVideo, StillsOfOneSaveNeverShareAName)
{
    Fixture f;
    QImage red(20, 10, QImage::Format_RGB32), blue(20, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    f.tree.MakeFolder(QStringLiteral("elsewhere/other"));
    ASSERT_TRUE(red.save(f.tree / QStringLiteral("elsewhere/Still.png"), "PNG"));
    ASSERT_TRUE(blue.save(f.tree / QStringLiteral("elsewhere/other/Still.png"), "PNG"));

    CPictureSaveSession session;
    auto store = [&](CComponentFlashVideo &player) {
        CArchive ar;
        ar.SetFilePath(f.tree / QStringLiteral("Course.kvx"));
        ar.SetContext(&f.context);
        player.StoreRecord(ar, session);
        return ar.GetBuffer();
    };
    CComponentFlashVideo first, second, again;
    for (CComponentFlashVideo *player : {&first, &second, &again})
        player->SetBounds(CRect(0, 0, 40, 20), false);
    first.m_stillImagePath = f.tree / QStringLiteral("elsewhere/Still.png");
    second.m_stillImagePath = f.tree / QStringLiteral("elsewhere/other/Still.png");
    again.m_stillImagePath = first.m_stillImagePath;
    const QByteArray firstRecord = store(first);
    const QByteArray secondRecord = store(second);
    const QByteArray againRecord = store(again);

    EXPECT_EQ(first.m_stillImagePath, f.Project(QStringLiteral("Images/Still.png")));
    EXPECT_EQ(second.m_stillImagePath, f.Project(QStringLiteral("Images/Still_2.png")));
    EXPECT_EQ(again.m_stillImagePath, f.Project(QStringLiteral("Images/Still.png")));
    for (const char *folder : {"Images", "Images/Resized", "Images/MM"}) {
        SCOPED_TRACE(folder);
        const QString at = f.Project(QString::fromLatin1(folder));
        EXPECT_EQ(QImage(at + QStringLiteral("/Still.png")).pixelColor(5, 5), QColor(Qt::red));
        EXPECT_EQ(QImage(at + QStringLiteral("/Still_2.png")).pixelColor(5, 5), QColor(Qt::blue));
    }
    auto loaded = f.Load(secondRecord);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(dynamic_cast<CComponentFlashVideo &>(*loaded).m_stillImagePath,
              f.Project(QStringLiteral("Images/Still_2.png")));
    EXPECT_EQ(againRecord, firstRecord);
}

TEST(FlashVideo, StillImageNames)
{
    struct Case {
        const char *path;
        const char *name;
    } cases[] = {
        {"/p/Still.GIF", "Still.png"}, {"/p/shot.jpeg", "shot.jpg"}, {"C:\\p\\A & B.JPG", "A & B.jpg"},
        {"/p/v.1.bmp", "v.1.png"},     {"/p/noextension", "noextension.png"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CComponentFlashVideo::StillImageName(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
}

// Guards the media kind's record: the movie copied under its safe name with a playlist that names that
// copy, and the three values read back as they were written.
TEST(Media, SaveCloneAndRecord)
{
    Fixture f;
    CComponentMedia media;
    media.SetBounds(CRect(500, 300, 700, 450), false);
    media.SetFilePath(f.Clip(QStringLiteral("Intro Clip.WMV")));
    media.m_option1 = 4;
    media.m_option2 = 5;
    media.m_option3 = 6;
    const QByteArray record = f.Save(media);
    EXPECT_EQ(StoredName(record), QStringLiteral("introclip.wmv"));
    EXPECT_EQ(TempTree::ReadAll(f.Project(QStringLiteral("Movies/introclip.wmv"))), kClip);
    EXPECT_EQ(TempTree::ReadAll(f.Project(QStringLiteral("Movies/introclip.wvx"))), Playlist("introclip.wmv"));

    CComponentMedia back;
    CArchive in(record);
    in.SetFilePath(f.tree / QStringLiteral("Course.kvx"));
    EXPECT_EQ(in.ReadInt(), ct_media);
    back.SerializeComponent(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.m_option2, 5);
    EXPECT_EQ(back.GetFilePath(), f.Project(QStringLiteral("Movies/introclip.wmv")));

    auto copy = media.Clone(false);
    auto &c = dynamic_cast<CComponentMedia &>(*copy);
    EXPECT_EQ(c.GetBounds(), CRect(36, 32, 236, 182));
    EXPECT_EQ(c.GetFilePath(), media.GetFilePath());
    EXPECT_EQ(c.m_option3, 6);
}

// Guards against losing an HTML text's content: the model keeps the HTML it read, shows it in the window,
// and takes the author's edits back before the record is written.
TEST(HtmlText, ModelKeepsTheHtmlAndTakesEdits)
{
    CommittingCanvas canvas;
    CComponentHTMLEditor html(&canvas);
    html.SetBounds(CRect(36, 32, 520, 332), true);
    html.SetFileName(QStringLiteral("tb4.rtf"));
    html.SetHtml(QStringLiteral("<p>Click here to add text</p>"));
    html.Show();
    CommittingCanvas::OnCommit(html, [&html] { html.SetHtml(QStringLiteral("<p>Typed by the author</p>")); });
    CArchive out;
    html.SerializeComponent(out);

    CComponentHTMLEditor back(&canvas);
    back.Show();
    CArchive in(out.GetBuffer());
    in.ReadInt();
    const int shownBefore = FakeCanvas::WindowOf(back)->updates;
    back.SerializeComponent(in);
    EXPECT_EQ(back.GetHtml(), QStringLiteral("<p>Typed by the author</p>"));
    EXPECT_EQ(back.GetFileName(), QStringLiteral("tb4.rtf"));
    EXPECT_GT(FakeCanvas::WindowOf(back)->updates, shownBefore);
    EXPECT_EQ(FakeCanvas::WindowOf(back)->geometry, CRect(36, 32, 520, 332));
}
