#include "dialogs/MediaDialogValues.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/ComponentAudio.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"
#include "platform/StringTable.h"
#include "support/TempTree.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace ComponentCommands;

// Guards the silent corrections of OK: out-of-range versions and volumes fall back to their defaults and the
// limits themselves are kept.
TEST(MediaDialogValues, FlashVersionsOutsideTheirRangeFallBack)
{
    const struct {
        int in, out;
    } cases[] = {{5, 8}, {11, 8}, {6, 6}, {10, 10}, {-1, 8}};
    for (const auto &c : cases) {
        SAddFlashValues v;
        v.version = c.in;
        v.Correct();
        EXPECT_EQ(v.version, c.out) << c.in;
    }
}

TEST(MediaDialogValues, FlashVideoVersionAndVolumeFallBack)
{
    const struct {
        int version, volume, versionOut, volumeOut;
    } cases[] = {{7, 101, 9, 60}, {16, -1, 9, 60}, {8, 0, 8, 0}, {15, 100, 15, 100}, {9, 42, 9, 42}};
    for (const auto &c : cases) {
        SFlashVideoDialogValues v;
        v.version = c.version;
        v.volume = c.volume;
        v.Correct();
        EXPECT_EQ(v.version, c.versionOut) << c.version;
        EXPECT_EQ(v.volume, c.volumeOut) << c.volume;
    }
}

// Guards "Use default colors": ticked, every colour of the author's is replaced by the four defaults; unticked,
// they are kept; and the values survive the trip through a player component.
TEST(MediaDialogValues, FlashVideoDefaultColoursAreRestoredWhenTicked)
{
    SFlashVideoDialogValues v;
    v.progressColour = 0x112233;
    v.progressShadowColour = 0x445566;
    v.volumeBarColour = 0x778899;
    v.backgroundColour = 0x000001;
    v.useDefaultColours = 0;
    SFlashVideoDialogValues kept = v;
    kept.Correct();
    EXPECT_EQ(kept.progressColour, 0x112233u);
    EXPECT_EQ(kept.backgroundColour, 0x000001u);

    v.useDefaultColours = 1;
    v.Correct();
    EXPECT_EQ(v.progressColour, 0xFF6600u);
    EXPECT_EQ(v.progressShadowColour, 0xFBBB91u);
    EXPECT_EQ(v.volumeBarColour, 0xFF6600u);
    EXPECT_EQ(v.backgroundColour, 0xEFEFEFu);

    SFlashVideoDialogValues back;
    back.FromPlayer(kept.ToPlayer());
    EXPECT_EQ(back.progressShadowColour, kept.progressShadowColour);
    EXPECT_EQ(back.useDefaultColours, 0);
    const SMediaChoice choice = kept.ToChoice();
    EXPECT_EQ(choice.kind, MediaFlashVideo);
    ASSERT_TRUE(choice.flashVideoPlayer.has_value());
    EXPECT_EQ(choice.flashVideoPlayer->m_soundBarColour, 0x778899u);
}

// Guards the general media dialog's table of kinds, the unknown kind's message and the required file (a
// blank path counts as none; the same message for a PDF without a file).
TEST(MediaDialogValues, ImportMediaKindsAndTheRequiredFile)
{
    const struct {
        int kind;
        const char *prompt;
        int filter;
        bool options, windowMode;
    } cases[] = {
        {MediaAudio, "Select the audio file", 61451, true, false},
        {MediaVideo, "Select the video file", 61452, true, false},
        {MediaFlash, "Select the Flash file", 61453, true, true},
        {MediaAnimatedGif, "Select the Animated GIF file", 61454, false, false},
        {MediaAcrobat, "Select the PDF file", 61455, false, false},
        {MediaNarration, "Select the Record file", 61451, true, false},
    };
    CRecordingPrompt prompt;
    for (const auto &c : cases) {
        const SImportMediaValues v = SImportMediaValues::ForKind(c.kind, prompt);
        EXPECT_EQ(v.prompt, QString::fromUtf8(c.prompt));
        EXPECT_EQ(v.filterId, c.filter);
        EXPECT_FALSE(CStringTable::Load(v.filterId).isEmpty()) << c.filter;
        EXPECT_EQ(SImportMediaValues::ShowsOptions(c.kind), c.options);
        EXPECT_EQ(SImportMediaValues::ShowsWindowMode(c.kind), c.windowMode);
    }
    EXPECT_TRUE(prompt.Texts().isEmpty());
    EXPECT_EQ(SImportMediaValues::ControllerCaption(MediaAudio), "Display button controls");
    EXPECT_EQ(SImportMediaValues::ControllerCaption(MediaVideo), "Display Controller");

    const SImportMediaValues odd = SImportMediaValues::ForKind(33011, prompt);
    EXPECT_EQ(prompt.Texts(), QStringList{"ERROR:\nCDlgImportMedia::CDlgImportMedia::m_iMediaType was not seted"});
    EXPECT_TRUE(odd.prompt.isEmpty());
    EXPECT_EQ(odd.filterId, 0);

    for (const QString &file : {QString(), QStringLiteral("   ")}) {
        SImportMediaValues v;
        v.file = file;
        EXPECT_EQ(v.Check().message, "You need to select a media file.");
        SAddPdfValues pdf;
        pdf.file = file;
        EXPECT_EQ(pdf.Check().message, "You need to select a media file.");
    }
    SImportMediaValues v;
    v.file = QStringLiteral(" /media/clip.mp3 ");
    EXPECT_TRUE(v.Check().Passed());
    EXPECT_EQ(v.ToChoice().filePath, "/media/clip.mp3");
}

// Guards the embed code: trailing blanks are cut and nothing but blanks is refused with the system's text;
// blanks at the start and inside are the author's.
TEST(MediaDialogValues, YouTubeEmbedCodeMustNotBeBlank)
{
    const struct {
        const char *in;
        const char *out;
        bool passes;
    } cases[] = {
        {"   \n\t ", "", false},
        {"", "", false},
        {"<iframe src=x></iframe>  \r\n", "<iframe src=x></iframe>", true},
        {"  <b>a</b> <i>b</i>", "  <b>a</b> <i>b</i>", true},
    };
    for (const auto &c : cases) {
        SYouTubeDialogValues v;
        v.embedCode = QString::fromUtf8(c.in);
        v.Correct();
        EXPECT_EQ(v.embedCode, QString::fromUtf8(c.out));
        EXPECT_EQ(v.Check().Passed(), c.passes);
        if (!c.passes) {
            EXPECT_EQ(v.Check().message, "The embedded URL text cannot be empty");
        }
    }
    EXPECT_FALSE(SYouTubeDialogValues::OkEnabled(QString()));
    EXPECT_TRUE(SYouTubeDialogValues::OkEnabled(QStringLiteral(" ")));
}
