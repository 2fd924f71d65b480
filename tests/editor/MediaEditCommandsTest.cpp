#include "CanvasFixture.h"
#include "model/FakeCanvas.h"

#include "editor/CanvasComponentPainter.h"
#include "editor/ComponentPainter.h"
#include "editor/MediaEditCommands.h"
#include "model/ComponentAudio.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentLink.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"

#include <QPainter>

namespace {

using namespace MediaEditCommands;
namespace CP = ComponentPainter;

class MediaEditCommandsTest : public CanvasFixture
{
protected:
    // A sound on the screen, made on the fake canvas so that its removal is seen there.
    CComponentAudio &AddAudio(CCorvPage &screen, const CRect &bounds, const QString &file, int controls, int play)
    {
        auto audio = std::make_unique<CComponentAudio>(&canvas);
        SAudioValues v = audio->GetValues();
        v.m_filePath = file;
        v.m_buttonControls = controls;
        v.m_playButton = play;
        v.m_autoStart = 1;
        v.m_loop = 0;
        audio->SetValues(v);
        audio->SetBounds(bounds, true);
        CComponentAudio &raw = *audio;
        EXPECT_TRUE(screen.AddComponent(std::move(audio)).Ok());
        return raw;
    }
    static std::vector<CComponentAudio *> Audios(const CCorvPage &screen)
    {
        std::vector<CComponentAudio *> out;
        for (const auto &c : screen.GetComponentList())
            if (auto *a = dynamic_cast<CComponentAudio *>(c.get()))
                out.push_back(a);
        return out;
    }

    FakeCanvas canvas;
};

// Guards the sound's controls switch: on makes a Play button and a Stop button of its size directly to its
// right with the same clip settings; editing the pair updates both; off removes the Stop button (also from
// the canvas it was shown on) and leaves a speaker with the loop just chosen.
TEST_F(MediaEditCommandsTest, AudioControlsOnEditAndOff)
{
    CCorvPage &screen = AddScreen();
    CComponentAudio &audio = AddAudio(screen, CRect(100, 40, 174, 111), QStringLiteral("C:\\snd\\bell.wav"), 0, 0);
    screen.ShowOnCanvas(canvas);
    screen.SetModified(0);
    EXPECT_EQ(CP::AudioBitmap(audio.m_buttonControls, audio.GetPlayButton()), CP::kAudioSpeaker);

    SUpdateAudioValues values = AudioPreset(audio);
    EXPECT_EQ(values, (SUpdateAudioValues{QStringLiteral("C:\\snd\\bell.wav"), 1, 0, 0}));
    values.buttonControls = 1;
    values.loop = 1;
    values.autoStart = 0;
    ApplyAudio(audio, values, prompt);
    auto audios = Audios(screen);
    ASSERT_EQ(audios.size(), 2u);
    CComponentAudio *stop = audios[1];
    EXPECT_EQ(audio.GetPlayButton(), 1);
    EXPECT_EQ(stop->GetPlayButton(), 0);
    EXPECT_EQ(stop->GetBounds(), CRect(174, 40, 248, 111));
    for (CComponentAudio *a : audios) {
        EXPECT_EQ(a->m_buttonControls, 1);
        EXPECT_EQ(a->m_loop, 1);
        EXPECT_EQ(a->m_autoStart, 0);
        EXPECT_EQ(a->GetFilePath(), QStringLiteral("C:\\snd\\bell.wav"));
    }
    EXPECT_EQ(CP::AudioBitmap(audio.m_buttonControls, audio.GetPlayButton()), CP::kAudioPlay);
    EXPECT_EQ(CP::AudioBitmap(stop->m_buttonControls, stop->GetPlayButton()), CP::kAudioStop);
    EXPECT_EQ(screen.GetModified(), 1);
    EXPECT_EQ(canvas.displayed.size(), 2u) << "the screen is shown again with its new button";

    // Editing the Play button with the controls left on: both take the new file and settings.
    values = AudioPreset(audio);
    values.file = QStringLiteral("C:\\snd\\gong.wav");
    values.autoStart = 1;
    ApplyAudio(audio, values, prompt);
    for (CComponentAudio *a : Audios(screen)) {
        EXPECT_EQ(a->GetFilePath(), QStringLiteral("C:\\snd\\gong.wav"));
        EXPECT_EQ(a->m_autoStart, 1);
    }

    // Off: the Stop button goes, from the screen and from the canvas.
    values.buttonControls = 0;
    values.loop = 0;
    ApplyAudio(audio, values, prompt);
    ASSERT_EQ(Audios(screen).size(), 1u);
    EXPECT_EQ(canvas.displayed, std::vector<CComponentBase *>{&audio});
    EXPECT_EQ(audio.m_buttonControls, 0);
    EXPECT_EQ(audio.GetPlayButton(), 0);
    EXPECT_EQ(audio.m_loop, 0);
    EXPECT_EQ(CP::AudioBitmap(audio.m_buttonControls, audio.GetPlayButton()), CP::kAudioSpeaker);
    EXPECT_TRUE(prompt.Texts().isEmpty());
}

// Guards the Stop button made at the screen's right edge (kept on the screen) and one the screen refuses
// because it already has a Stop button for that clip (told, not added, the Play button still made).
TEST_F(MediaEditCommandsTest, AudioStopButtonAtTheEdgeOrRefused)
{
    CCorvPage &screen = AddScreen();
    CComponentAudio &edge = AddAudio(screen, CRect(930, 10, 1004, 81), QStringLiteral("a.mp3"), 0, 0);
    SUpdateAudioValues values = AudioPreset(edge);
    values.buttonControls = 1;
    ApplyAudio(edge, values, prompt);
    ASSERT_EQ(Audios(screen).size(), 2u);
    EXPECT_EQ(Audios(screen)[1]->GetBounds(), CRect(934, 10, 1008, 81));

    CCorvPage &other = AddScreen(pt_document, QStringLiteral("2"));
    AddAudio(other, CRect(300, 10, 374, 81), QStringLiteral("b.mp3"), 1, 0); // a Stop button already there
    CComponentAudio &single = AddAudio(other, CRect(10, 10, 84, 81), QStringLiteral("B.MP3"), 0, 1);
    values = AudioPreset(single);
    values.buttonControls = 1;
    ApplyAudio(single, values, prompt);
    EXPECT_EQ(other.GetComponentCount(), 2);
    EXPECT_EQ(single.GetPlayButton(), 1);
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_TRUE(prompt.Texts().first().contains(QStringLiteral("There is already audio file")));
}

// Guards the choice of dialog by the file's extension and the component's kind.
TEST_F(MediaEditCommandsTest, VideoDialogByExtension)
{
    using ComponentCommands::MediaAnimatedGif;
    using ComponentCommands::MediaVideo;
    struct Row {
        const char *file;
        int type;
        VideoDialog dialog;
        int kind;
        const char *caption;
    } rows[] = {
        {"C:\\m\\clip.MOV", ct_video, VideoDialog::ImportMedia, MediaVideo, "Edit media"},
        {"clip.mov", ct_flash_video, VideoDialog::FlashVideo, -1, "Edit Flash Video"},
        {"clip.flv", ct_video, VideoDialog::FlashVideo, -1, "Edit Flash Video"},
        {"clip.mp4", ct_flash_video, VideoDialog::ImportMedia, MediaVideo, "Edit media"},
        {"x.rm", ct_video, VideoDialog::ImportMedia, MediaVideo, "Edit media"},
        {"doc.Pdf", ct_video, VideoDialog::Pdf, -1, "Edit PDF"},
        {"anim.gif", ct_video, VideoDialog::ImportMedia, MediaAnimatedGif, "Edit media"},
        {"q.swf", ct_flash_question, VideoDialog::FlashQuestion, -1, "Edit Flash Question"},
        {"movie.SWF", ct_video, VideoDialog::Flash, -1, "Edit Flash"},
        {"notes.txt", ct_video, VideoDialog::ImportMedia, -1, "Edit media"},
        {"", ct_video, VideoDialog::ImportMedia, -1, "Edit media"},
    };
    for (const Row &row : rows) {
        const SVideoDialogChoice choice = ChooseVideoDialog(QString::fromLatin1(row.file), row.type);
        EXPECT_EQ(choice.dialog, row.dialog) << row.file;
        EXPECT_EQ(choice.mediaKind, row.kind) << row.file;
        EXPECT_EQ(choice.caption, QString::fromLatin1(row.caption)) << row.file;
    }
}

// Guards the two OK rules: a movie without a controller starts by itself (not a Flash file), and a Flash
// question asked to use the whole screen fills it, while a later edit with the box unticked keeps its size.
TEST_F(MediaEditCommandsTest, AutoStartAndFullScreenRules)
{
    CComponentVideo video(nullptr);
    SVideoValues v = video.GetValues();
    v.m_filePath = QStringLiteral("clip.mov");
    v.m_controller = 1;
    video.SetValues(v);
    SImportMediaValues media = ImportMediaPreset(video, SImportMediaValues{});
    EXPECT_EQ(media.caption, QStringLiteral("Edit media"));
    EXPECT_EQ(media.file, QStringLiteral("clip.mov"));
    EXPECT_EQ(media.displayController, 1);
    media.displayController = 0;
    media.autoStart = 0;
    ApplyImportMedia(video, media);
    EXPECT_EQ(video.m_autoStart, 1);
    EXPECT_EQ(video.m_controller, 0);
    media.file = QStringLiteral("anim.swf");
    ApplyImportMedia(video, media);
    EXPECT_EQ(video.m_autoStart, 0) << "a Flash file keeps what the dialog said";

    CComponentFlashQuestion question;
    question.SetBounds(CRect(50, 50, 450, 350), true);
    v = question.GetValues();
    v.m_filePath = QStringLiteral("q.swf");
    v.m_flashVars = QStringLiteral("a=1");
    question.SetValues(v);
    CFlashQuestionValues fq = FlashQuestionPreset(question);
    EXPECT_EQ(fq.fullScreen, 0);
    EXPECT_EQ(fq.flashVars, QStringLiteral("a=1"));
    EXPECT_EQ(fq.title, QStringLiteral("Edit Flash Question"));
    fq.fullScreen = 1;
    fq.version = 9;
    ApplyFlashQuestion(question, fq);
    EXPECT_EQ(question.GetBounds(), CRect(0, 0, 1008, 560));
    EXPECT_EQ(question.GetFlashVersion(), 9);
    question.SetBounds(CRect(20, 20, 320, 220), true);
    fq = FlashQuestionPreset(question);
    EXPECT_EQ(fq.fullScreen, 0) << "the box always starts unticked";
    ApplyFlashQuestion(question, fq);
    EXPECT_EQ(question.GetBounds(), CRect(20, 20, 320, 220));
}

// Guards that every other dialog is preset from the component and writes every value back.
TEST_F(MediaEditCommandsTest, DialogsRoundTripTheirValues)
{
    CComponentVideo flash(nullptr);
    SAddFlashValues f = FlashPreset(flash);
    EXPECT_EQ(f.caption, QStringLiteral("Edit Flash"));
    f.file = QStringLiteral("m.swf");
    f.flashVars = QStringLiteral("x=2");
    f.backgroundColour = 0x112233;
    f.version = 10;
    f.windowMode = QStringLiteral("transparent");
    f.loop = 1;
    ApplyFlash(flash, f);
    SAddFlashValues again = FlashPreset(flash);
    EXPECT_EQ(again, f);

    CComponentVideo pdf(nullptr);
    SAddPdfValues p = PdfPreset(pdf);
    EXPECT_EQ(p.caption, QStringLiteral("Edit PDF"));
    p.file = QStringLiteral("d.pdf");
    p.showToolbar = 1;
    p.showNavPanes = 0;
    p.showScrollbar = 1;
    ApplyPdf(pdf, p);
    EXPECT_EQ(PdfPreset(pdf), p);

    CComponentFlashVideo player;
    SFlashVideoDialogValues fv = FlashVideoPreset(player);
    EXPECT_EQ(fv.caption, QStringLiteral("Edit Flash Video"));
    fv.videoFile = QStringLiteral("v.flv");
    fv.imageFile = QStringLiteral("still.jpg");
    fv.volume = 30;
    fv.version = 11;
    fv.autoStart = 1;
    ApplyFlashVideo(player, fv);
    EXPECT_EQ(FlashVideoPreset(player), fv);
    EXPECT_EQ(player.GetFlashVersion(), 11);

    CComponentYouTube youtube;
    SYouTubeDialogValues y = YouTubePreset(youtube);
    EXPECT_EQ(y.caption, QStringLiteral("Edit YouTube"));
    EXPECT_EQ(y.okEnabledAtStart, 1);
    y.embedCode = QStringLiteral("<iframe src=\"v\"></iframe>");
    ApplyYouTube(youtube, y);
    EXPECT_EQ(youtube.m_embedCode, y.embedCode);
}

// Guards the link's new text: the link takes it and its size, and the screen is marked.
TEST_F(MediaEditCommandsTest, LinkTextReplacedAndResized)
{
    CCorvPage &screen = AddScreen();
    auto made = std::make_unique<CComponentLink>(&canvas);
    made->SetBounds(CRect(40, 30, 0, 0), true);
    made->SetText(QStringLiteral("Next"));
    CComponentLink &link = *made;
    ASSERT_TRUE(screen.AddComponent(std::move(made)).Ok());
    screen.ShowOnCanvas(canvas); // the link measures its caption in its window
    screen.SetModified(0);
    EXPECT_FALSE(ReplaceLinkText(link, QStringLiteral("Next")));
    EXPECT_EQ(screen.GetModified(), 0);
    EXPECT_TRUE(ReplaceLinkText(link, QStringLiteral("Go to the drills")));
    EXPECT_EQ(link.GetText(), QStringLiteral("Go to the drills"));
    EXPECT_EQ(link.GetBounds(), CRect(40, 30, 40 + 8 * 16, 46));
    EXPECT_EQ(screen.GetModified(), 1);
}

// Guards the topic button's picture replacement: not for a button showing a screen's thumbnail, nothing
// for an empty path or a name the library does not hold, and a file that is not a picture is told while the
// button keeps the picture it has.
TEST_F(MediaEditCommandsTest, TopicPictureReplacement)
{
    CCorvPage &screen = AddScreen(pt_folder);
    auto *small = static_cast<CComponentSmallTopic *>(Add(screen, ct_small_topic, CRect(10, 10, 300, 52)));
    const QString red = Picture(QStringLiteral("red.png"), 40, 20, Qt::red, Qt::red);
    EXPECT_FALSE(ReplaceTopicPicture(*small, QString(), context, prompt));
    ASSERT_TRUE(ReplaceTopicPicture(*small, red, context, prompt));
    EXPECT_EQ(small->GetPicture().GetWidth(), 40);
    EXPECT_EQ(small->GetDisplaySize(), QSize(38, 19));

    const QString broken = tree.Write(QStringLiteral("broken.png"), QByteArray("not a picture"));
    auto *large = static_cast<CComponentLargeTopic *>(Add(screen, ct_large_topic, CRect(10, 60, 260, 260)));
    ASSERT_TRUE(ReplaceTopicPicture(*large, red, context, prompt));
    EXPECT_FALSE(ReplaceTopicPicture(*large, broken, context, prompt));
    EXPECT_TRUE(large->GetPicture().IsValid()) << "the picture it had stays";
    EXPECT_EQ(large->GetPicturePath(), red);
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_FALSE(ReplaceTopicPictureFromLibrary(*large, QStringLiteral("nowhere.jpg"), context, prompt));

    CTopicPictureSource source{context, nullptr, {}};
    large->SetThumbnailIndex(3, source);
    EXPECT_FALSE(CanReplaceTopicPicture(*large));
    EXPECT_FALSE(ReplaceTopicPicture(*large, red, context, prompt));
    EXPECT_TRUE(CanReplaceTopicPicture(*small));
}

// Guards the pictures the windows and the screen's pictures choose, and their sizes.
TEST(ComponentPainter, PicturesBySettingsAndExtension)
{
    EXPECT_EQ(CP::AudioBitmap(1, 1), CP::kAudioPlay);
    EXPECT_EQ(CP::AudioBitmap(1, 0), CP::kAudioStop);
    EXPECT_EQ(CP::AudioBitmap(0, 1), CP::kAudioSpeaker);
    EXPECT_EQ(CP::AudioBitmap(2, 1), CP::kAudioSpeaker);
    struct Row {
        const char *file;
        int type;
        int window;
        int picture;
    } rows[] = {
        {"a.GIF", ct_video, CP::kVideoGif, CP::kVideoGif},
        {"a.pdf", ct_flash_video, CP::kVideoPdf, CP::kVideoPdf},
        {"a.swf", ct_flash_question, CP::kVideoFlash, CP::kVideoFlash},
        {"a.flv", ct_flash_video, CP::kFlashVideo, CP::kVideoMovie},
        {"a.flv", ct_video, CP::kVideoMovie, CP::kVideoMovie},
        {"noext", ct_video, CP::kVideoMovie, CP::kVideoMovie},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(CP::VideoBitmap(QString::fromLatin1(row.file), row.type, CP::Look::Window), row.window) << row.file;
        EXPECT_EQ(CP::VideoBitmap(QString::fromLatin1(row.file), row.type, CP::Look::Picture), row.picture) << row.file;
    }
    const std::pair<int, QSize> sizes[] = {
        {CP::kAudioPlay, {74, 46}}, {CP::kAudioStop, {74, 46}},  {CP::kAudioSpeaker, {50, 50}},
        {CP::kVideoGif, {48, 48}},  {CP::kVideoPdf, {48, 48}},   {CP::kVideoFlash, {48, 48}},
        {CP::kVideoMovie, {48, 48}}, {CP::kFlashVideo, {26, 35}}, {CP::kYouTube, {50, 50}},
    };
    for (const auto &[id, size] : sizes) {
        EXPECT_EQ(CP::BitmapImage(id).size(), size) << id;
        EXPECT_FALSE(CP::BitmapImage(id).isNull()) << id;
    }
    EXPECT_TRUE(CP::BitmapImage(1).isNull());

    EXPECT_EQ(CP::CaptionFileName(QStringLiteral("C:\\media\\my <clip> & more.mp3")), QStringLiteral("myclipmore.mp3"));
    EXPECT_EQ(CP::CaptionFileName(QStringLiteral("/home/a/Movies/b c.mov")), QStringLiteral("bc.mov"));
    EXPECT_EQ(CP::CaptionFileName(QString()), QString());
}

// Guards the small topic button's picture placement, including a picture without width or height.
TEST(ComponentPainter, TopicPicturePlacement)
{
    EXPECT_EQ(CP::SmallTopicPictureRect(QSize(100, 50)), QRect(1, 11, 38, 19));
    EXPECT_EQ(CP::SmallTopicPictureRect(QSize(50, 100)), QRect(11, 1, 19, 38));
    EXPECT_EQ(CP::SmallTopicPictureRect(QSize(30, 30)), QRect(1, 1, 38, 38));
    EXPECT_TRUE(CP::SmallTopicPictureRect(QSize(0, 40)).isEmpty());
    EXPECT_TRUE(CP::SmallTopicPictureRect(QSize(40, 0)).isEmpty());
    EXPECT_EQ(CP::FittedPictureRect(QSize(400, 145), CP::kLargePictureBox), QRect(1, 37, 200, 72));
    EXPECT_EQ(CP::FittedPictureRect(QSize(100, 50), CP::kLargePictureBox), QRect(51, 48, 100, 50));
    EXPECT_TRUE(CP::FittedPictureRect(QSize(0, 0), CP::kLargePictureBox).isEmpty());
    EXPECT_EQ(CP::LargeTopicTitleRect(QRect(0, 0, 250, 200), 1), QRect(QPoint(25, 149), QPoint(224, 195)));
    EXPECT_EQ(CP::LargeTopicTitleRect(QRect(0, 0, 250, 200), 0), QRect(QPoint(25, 4), QPoint(224, 195)));
}

// Guards what the screen's pictures show: a filled ellipse with its border off has no outline of another
// colour, a small topic button leaves its picture's place empty, and a Flash video shows the movie
// picture with no caption below.
TEST_F(MediaEditCommandsTest, ScreenPicturesOfShapesTopicsAndVideos)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CComponentEllipse ellipse;
        ellipse.SetBounds(CRect(10, 10, 110, 110), true);
        ellipse.SetFilled(1);
        ellipse.SetFillColor(0x0000FF); // red
        ellipse.SetOutlineColor(0xFF0000); // blue
        ellipse.SetLineWidth(4);
        ellipse.SetOutlined(0);
        CanvasComponentPainter::Paint(painter, ellipse);
    }
    for (const QPoint p : {QPoint(12, 60), QPoint(60, 12), QPoint(60, 60)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::red)) << p.x() << "," << p.y();

    CCorvPage &screen = AddScreen(pt_folder);
    auto *small = static_cast<CComponentSmallTopic *>(Add(screen, ct_small_topic, CRect(0, 120, 290, 162)));
    ASSERT_TRUE(ReplaceTopicPicture(*small, Picture(QStringLiteral("b.png"), 40, 40, Qt::blue, Qt::blue), context, prompt));
    {
        QPainter painter(&image);
        CanvasComponentPainter::Paint(painter, *small);
    }
    for (int y = 123; y < 158; y += 5)
        for (int x = 3; x < 40; x += 5)
            ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;

    CComponentFlashVideo player;
    player.SetBounds(CRect(0, 0, 100, 100), true);
    player.SetFilePath(QStringLiteral("clip.flv"));
    QImage shown(100, 100, QImage::Format_ARGB32_Premultiplied);
    QImage expected(100, 100, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&shown);
        CanvasComponentPainter::Paint(painter, player);
        QPainter reference(&expected);
        reference.fillRect(expected.rect(), CP::ButtonFace());
        reference.drawImage(QPoint(26, 26), CP::BitmapImage(CP::kVideoMovie));
    }
    EXPECT_EQ(shown.pixelColor(50, 50), expected.pixelColor(50, 50));
    EXPECT_EQ(shown.pixelColor(40, 30), expected.pixelColor(40, 30));
}

} // namespace
