#include "AppFixture.h"

#include "app/ui/controls/ColorSelectButton.h"
#include "dialogs/ui/MediaDialogs.h"
#include "dialogs/ui/NarrationRecorder.h"
#include "platform/RecordingPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Each media dialog as the author sees it, kept in the build folder for a person to look at.
void Shot(QWidget &dialog, const QString &name)
{
    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR "/offscreen-shots");
    QDir().mkpath(folder);
    dialog.grab().save(folder + QStringLiteral("/media-%1.png").arg(name));
}

void Type(QWidget *box, const QString &text)
{
    box->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->selectAll();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(box))
        spin->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void Click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2)); }

QPushButton *Button(QDialog &dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.findChild<QDialogButtonBox *>()->button(which);
}
void PressOk(QDialog &dialog) { Click(Button(dialog, QDialogButtonBox::Ok)); }
void PressCancel(QDialog &dialog) { Click(Button(dialog, QDialogButtonBox::Cancel)); }

template <class Dialog>
void Open(Dialog &dialog, CRecordingPrompt &prompt, CScriptedDialogs *files = nullptr)
{
    dialog.prompt = &prompt;
    dialog.fileDialogs = files;
    dialog.ShowValues();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
}

QCheckBox *Box(QWidget &dialog, const char *name) { return dialog.findChild<QCheckBox *>(QString::fromLatin1(name)); }

} // namespace

// Guards the Flash dialog: a version outside 6 to 10 comes back as 8, 6 and 10 as typed; a background of 0
// shows white but stays 0 until the author picks a colour; Cancel keeps everything.
TEST(MediaDialogs, FlashVersionAndBackground)
{
    CRecordingPrompt prompt;
    for (const auto &[typed, expected] : {std::pair{"5", 8}, {"11", 8}, {"6", 6}, {"10", 10}}) {
        DlgAddFlash dialog;
        dialog.values.backgroundColour = 0;
        Open(dialog, prompt);
        EXPECT_EQ(dialog.BackgroundButton()->GetColor(), 0xFFFFFFu);
        Type(dialog.VersionBox(), QString::fromLatin1(typed));
        Type(dialog.FileBox(), "/course/intro.swf");
        PressOk(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.values.version, expected) << typed;
        EXPECT_EQ(dialog.values.backgroundColour, 0u);
        EXPECT_EQ(dialog.values.file, "/course/intro.swf");
        EXPECT_EQ(dialog.values.windowMode, "window");
    }

    DlgAddFlash dialog;
    dialog.values.caption = "Edit Flash";
    dialog.values.backgroundColour = 0;
    dialog.values.windowMode = "opaque";
    Open(dialog, prompt);
    Shot(dialog, "flash");
    EXPECT_EQ(dialog.windowTitle(), "Edit Flash");
    EXPECT_EQ(dialog.WindowModeList()->currentText(), "opaque");
    dialog.BackgroundButton()->SetChooser([](uint32_t, QWidget *) { return std::optional<uint32_t>(0x203040); });
    Click(dialog.BackgroundButton());
    Click(Box(dialog, "Loop"));
    const SAddFlashValues before = dialog.values;
    PressCancel(dialog);
    EXPECT_EQ(dialog.values, before);
    dialog.ShowValues();
    dialog.show();
    Click(dialog.BackgroundButton());
    PressOk(dialog);
    EXPECT_EQ(dialog.values.backgroundColour, 0x203040u);
    EXPECT_TRUE(prompt.Texts().isEmpty());
}

// Guards the Flash video dialog: version 7 -> 9, volumes outside 0 to 100 -> 60 and the limits kept; a colour
// picked unticks "Use default colors", and ticking it again before OK brings back all four defaults.
TEST(MediaDialogs, FlashVideoCorrectionsAndColours)
{
    CRecordingPrompt prompt;
    const struct {
        const char *version, *volume;
        int versionOut, volumeOut;
    } cases[] = {{"7", "101", 9, 60}, {"15", "-1", 15, 60}, {"8", "0", 8, 0}, {"9", "100", 9, 100}};
    for (const auto &c : cases) {
        CDlgFlashVideo dialog;
        Open(dialog, prompt);
        Type(dialog.VersionBox(), QString::fromLatin1(c.version));
        Type(dialog.VolumeBox(), QString::fromLatin1(c.volume));
        PressOk(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.values.version, c.versionOut) << c.version;
        EXPECT_EQ(dialog.values.volume, c.volumeOut) << c.volume;
    }

    CDlgFlashVideo dialog;
    Open(dialog, prompt);
    Shot(dialog, "flash-video");
    EXPECT_TRUE(dialog.DefaultColoursBox()->isChecked());
    dialog.ColourButton(0)->SetChooser([](uint32_t, QWidget *) { return std::optional<uint32_t>(0x0000FF); });
    Click(dialog.ColourButton(0));
    EXPECT_FALSE(dialog.DefaultColoursBox()->isChecked());
    EXPECT_EQ(dialog.ColourButton(0)->GetColor(), 0x0000FFu);
    // A cancelled colour dialog unticks it too.
    dialog.ColourButton(1)->SetChooser([](uint32_t, QWidget *) { return std::optional<uint32_t>(); });
    Click(dialog.DefaultColoursBox());
    Click(dialog.ColourButton(1));
    EXPECT_FALSE(dialog.DefaultColoursBox()->isChecked());
    PressOk(dialog);
    EXPECT_EQ(dialog.values.progressColour, 0x0000FFu);
    EXPECT_EQ(dialog.values.useDefaultColours, 0);

    dialog.ShowValues();
    dialog.show();
    Click(dialog.ColourButton(0));
    Click(dialog.DefaultColoursBox());
    PressOk(dialog);
    EXPECT_EQ(dialog.values.useDefaultColours, 1);
    EXPECT_EQ(dialog.values.progressColour, 0xFF6600u);
    EXPECT_EQ(dialog.values.progressShadowColour, 0xFBBB91u);
    EXPECT_EQ(dialog.values.volumeBarColour, 0xFF6600u);
    EXPECT_EQ(dialog.values.backgroundColour, 0xEFEFEFu);
}

// Guards the general media dialog's required file: an empty OK says so and stays open; Browse fills the field
// and OK closes; a path typed by hand counts, and a preset path the author cleared does not.
TEST(MediaDialogs, ImportMediaRequiresAFile)
{
    CRecordingPrompt prompt;
    CScriptedDialogs files;
    {
        CDlgImportMedia dialog(ComponentCommands::MediaAudio, nullptr, &prompt);
        Open(dialog, prompt, &files);
        Shot(dialog, "import-audio");
        EXPECT_EQ(dialog.ControllerBox()->text(), "Display button controls");
        PressOk(dialog);
        EXPECT_EQ(prompt.Texts(), QStringList{"You need to select a media file."});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.FileBox()->hasFocus());
        files.answers = QStringList{"/sounds/gulls.mp3"};
        Click(dialog.BrowseButton());
        ASSERT_EQ(files.asked.size(), 1);
        EXPECT_TRUE(files.asked[0].endsWith("*.wav *.wma )")) << files.asked[0].toStdString();
        Click(dialog.ControllerBox());
        PressOk(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.values.file, "/sounds/gulls.mp3");
        EXPECT_EQ(dialog.values.displayController, 1);
    }
    prompt.Clear();
    {
        CDlgImportMedia dialog(ComponentCommands::MediaVideo, nullptr, &prompt);
        Open(dialog, prompt, &files);
        Type(dialog.FileBox(), "/movies/tide.mov");
        PressOk(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.values.file, "/movies/tide.mov");
        EXPECT_TRUE(prompt.Texts().isEmpty());
    }
    {
        CDlgImportMedia dialog(ComponentCommands::MediaVideo, nullptr, &prompt);
        dialog.values.caption = "Edit media";
        dialog.values.file = "/movies/tide.mov";
        Open(dialog, prompt, &files);
        EXPECT_EQ(dialog.windowTitle(), "Edit media");
        Type(dialog.FileBox(), "   ");
        PressOk(dialog);
        EXPECT_EQ(prompt.Texts(), QStringList{"You need to select a media file."});
        EXPECT_TRUE(dialog.isVisible());
        PressCancel(dialog);
        EXPECT_EQ(dialog.values.file, "/movies/tide.mov");
    }
}

// Guards what each kind shows: no option boxes for animated GIF and PDF (their values untouched), a window
// mode list in place of the controller for Flash.
TEST(MediaDialogs, ImportMediaKindsShowTheirControls)
{
    CRecordingPrompt prompt;
    for (int kind : {ComponentCommands::MediaAnimatedGif, ComponentCommands::MediaAcrobat}) {
        CDlgImportMedia dialog(kind, nullptr, &prompt);
        dialog.values.file = "/media/a.gif";
        dialog.values.autoStart = 1;
        dialog.values.loop = 0;
        dialog.values.displayController = 1;
        Open(dialog, prompt);
        if (kind == ComponentCommands::MediaAnimatedGif)
            Shot(dialog, "import-gif");
        EXPECT_FALSE(dialog.AutoStartBox()->isVisible());
        EXPECT_FALSE(dialog.LoopBox()->isVisible());
        EXPECT_FALSE(dialog.ControllerBox()->isVisible());
        PressOk(dialog);
        EXPECT_EQ(dialog.values.autoStart, 1);
        EXPECT_EQ(dialog.values.loop, 0);
        EXPECT_EQ(dialog.values.displayController, 1);
    }
    CDlgImportMedia flash(ComponentCommands::MediaFlash, nullptr, &prompt);
    flash.values.file = "/media/f.swf";
    Open(flash, prompt);
    Shot(flash, "import-flash");
    EXPECT_FALSE(flash.ControllerBox()->isVisible());
    EXPECT_TRUE(flash.WindowModeList()->isVisible());
    flash.WindowModeList()->setCurrentIndex(2);
    PressOk(flash);
    EXPECT_EQ(flash.values.windowMode, "transparent");
    EXPECT_TRUE(prompt.Texts().isEmpty());
}

// Guards the YouTube dialog: adding starts with OK disabled until something is typed; blanks only are refused
// with the system's text; trailing blanks are cut; editing starts with OK enabled.
TEST(MediaDialogs, YouTubeEmbedCode)
{
    CRecordingPrompt prompt;
    DlgAddYouTube add;
    Open(add, prompt);
    Shot(add, "youtube");
    EXPECT_EQ(add.windowTitle(), "Add YouTube");
    EXPECT_FALSE(add.OkButton()->isEnabled());
    Type(add.EmbedBox(), "   ");
    EXPECT_TRUE(add.OkButton()->isEnabled());
    PressOk(add);
    EXPECT_EQ(prompt.Texts(), QStringList{"The embedded URL text cannot be empty"});
    EXPECT_TRUE(add.isVisible());
    Type(add.EmbedBox(), "<iframe src=\"v\"></iframe>  ");
    PressOk(add);
    EXPECT_EQ(add.result(), QDialog::Accepted);
    EXPECT_EQ(add.values.embedCode, "<iframe src=\"v\"></iframe>");

    DlgAddYouTube edit;
    edit.values.caption = "Edit YouTube";
    edit.values.embedCode = "<b>x</b>";
    edit.values.okEnabledAtStart = 1;
    Open(edit, prompt);
    EXPECT_TRUE(edit.OkButton()->isEnabled());
    Type(edit.EmbedBox(), "");
    EXPECT_FALSE(edit.OkButton()->isEnabled());
    PressCancel(edit);
    EXPECT_EQ(edit.values.embedCode, "<b>x</b>");
}

// Guards the PDF dialog's required file and its pane flags, and the two small "Edit media" dialogs taking
// what the author changed on OK and nothing on Cancel.
TEST(MediaDialogs, PdfAndEditMediaDialogs)
{
    CRecordingPrompt prompt;
    DlgAddPDF pdf;
    Open(pdf, prompt);
    Shot(pdf, "pdf");
    PressOk(pdf);
    EXPECT_EQ(prompt.Texts(), QStringList{"You need to select a media file."});
    EXPECT_TRUE(pdf.isVisible());
    Type(pdf.FileBox(), "/docs/guide.pdf");
    Click(Box(pdf, "Scrollbar"));
    PressOk(pdf);
    EXPECT_EQ(pdf.result(), QDialog::Accepted);
    EXPECT_EQ(pdf.values.file, "/docs/guide.pdf");
    EXPECT_EQ(pdf.values.showToolbar, 1);
    EXPECT_EQ(pdf.values.showScrollbar, 0);

    CDlgUpdateAudio audio;
    audio.values = {"/s/a.mp3", 1, 0, 1};
    Open(audio, prompt);
    Shot(audio, "edit-audio");
    EXPECT_EQ(audio.windowTitle(), "Edit media");
    Click(audio.ButtonControlsBox());
    PressCancel(audio);
    EXPECT_EQ(audio.values, (SUpdateAudioValues{"/s/a.mp3", 1, 0, 1}));
    audio.ShowValues();
    audio.show();
    Click(audio.ButtonControlsBox());
    Type(audio.FileBox(), "/s/b.wav");
    PressOk(audio);
    EXPECT_EQ(audio.values, (SUpdateAudioValues{"/s/b.wav", 1, 0, 0}));

    CDlgUpdateVideo video;
    video.values = {"/m/a.mov", 0, 0, 1};
    Open(video, prompt);
    Shot(video, "edit-video");
    Click(video.ControllerBox());
    PressOk(video);
    EXPECT_EQ(video.values, (SUpdateVideoValues{"/m/a.mov", 0, 1, 1}));
}

// Guards the running program's recorder where nothing can be recorded: the author is told why, nothing is
// recorded, and the recording window offers neither Record nor OK.
TEST(MediaDialogs, RecorderWithoutAudioInput)
{
    TempTree tree;
    CNarrationRecorderDialog window(tree / QStringLiteral("Recordings"));
    if (window.CanRecord())
        GTEST_SKIP() << "this machine has an audio input";
    window.show();
    Shot(window, "narration-recorder");
    EXPECT_FALSE(window.RecordButton()->isEnabled());
    EXPECT_FALSE(window.StopButton()->isEnabled());
    EXPECT_FALSE(window.OkButton()->isEnabled());
    window.hide();

    CRecordingPrompt prompt;
    std::unique_ptr<CRecorder> recorder = MakeWindowRecorder(prompt);
    int autoStart = 0, loop = 0, controller = 0;
    QString path;
    EXPECT_EQ(recorder->Run(autoStart, loop, controller, path), 0);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_EQ(prompt.Texts(), QStringList{window.Problem()});
    EXPECT_EQ(window.Problem(), CQtAudioRecorder::kNoInput);
}
