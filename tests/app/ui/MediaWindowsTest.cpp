#include "AppFixture.h"

#include "app/CommandIds.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishFrmVw.h"
#include "dialogs/ui/DlgAddFlashQuestion.h"
#include "dialogs/ui/DlgAddLink.h"
#include "dialogs/ui/MediaDialogs.h"
#include "document/CorvessaDoc.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/MediaCommandsUi.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentAudio.h"
#include "model/ComponentFactory.h"
#include "model/ComponentFilledShape.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLink.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

const QString kShots = QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots");

void Shot(QWidget *widget, const QString &name)
{
    QDir().mkpath(kShots);
    widget->grab().save(kShots + "/" + name + ".png");
}

// Answers the next modal dialog of the kind as the author would, once it is open (a picture of it is kept);
// a dialog that does not come within a few seconds, or one of another kind, is rejected so the test fails
// instead of hanging.
template <class Dialog>
void AnswerNextDialog(const QString &shot, std::function<void(Dialog *)> answer, bool *answered)
{
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [shot, answer, answered, tries, poll] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = dynamic_cast<Dialog *>(modal)) {
            *answered = true;
            Shot(dialog, shot);
            answer(dialog);
            return;
        }
        if (modal || ++*tries > 250) {
            if (auto *other = qobject_cast<QDialog *>(modal))
                other->reject();
            return;
        }
        QTimer::singleShot(20, *poll);
    };
    QTimer::singleShot(0, *poll);
}

void ClickOk(QDialog *dialog)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    ASSERT_TRUE(buttons);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// A half-second 440 Hz tone as a 16-bit mono WAV file.
QByteArray Tone()
{
    const int rate = 8000;
    QByteArray samples;
    for (int i = 0; i < rate / 2; ++i) {
        const qint16 s = qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
        samples.append(char(s & 0xFF)).append(char((s >> 8) & 0xFF));
    }
    QByteArray wav("RIFF");
    auto u32 = [&wav](quint32 v) { for (int i = 0; i < 4; ++i) wav.append(char((v >> (8 * i)) & 0xFF)); };
    auto u16 = [&wav](quint16 v) { wav.append(char(v & 0xFF)).append(char(v >> 8)); };
    u32(36 + quint32(samples.size()));
    wav.append("WAVEfmt ");
    u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
    wav.append("data");
    u32(quint32(samples.size()));
    return wav + samples;
}

// The Edit window of a started application over a course with a document screen and a menu screen.
struct MediaApp {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CEditFrmVw *view = nullptr;
    QString path;

    explicit MediaApp(bool programData = false)
    {
        if (programData)
            f.CopyBuiltProgramData();
        path = f.WriteProject("courses/Media.kvx", {{"1", "Sounds and movies", pt_document},
                                                    {"2", "Topics", pt_folder},
                                                    {"2_1", "Drills", pt_document}},
                              "Media");
        app = f.Start({"corvessa", path});
        view = app->EditView();
        app->OnViewEdit();
        view->resize(1300, 800);
        QApplication::processEvents();
    }

    CCorvessaDoc &Doc() const { return *app->Document(); }
    CScrollViewEx &Canvas() const { return *view->Canvas(); }
    CCorvPage &Screen(int index) const { return *Doc().MainScreens()[size_t(index)]; }
    void Show(int index)
    {
        view->MakeCurrentScreen(&Screen(index));
        QApplication::processEvents();
    }

    // A media command from the main window's menu, its dialog answered.
    template <class Dialog>
    void Menu(int command, const QString &shot, std::function<void(Dialog *)> answer)
    {
        bool answered = false;
        AnswerNextDialog<Dialog>(shot, answer, &answered);
        QAction *action = app->MainFrame()->Action(command);
        ASSERT_TRUE(action);
        action->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(answered) << "the dialog of command " << command << " did not open";
    }

    // The entries of the component's context menu with their enabled state; the command's entry is chosen
    // (its dialog answered) when it is enabled.
    template <class Dialog>
    QMap<int, bool> FromMenu(CComponentBase *c, int command, const QString &shot, std::function<void(Dialog *)> answer)
    {
        QMap<int, bool> entries;
        auto *window = dynamic_cast<CMediaComponentWindow *>(c->GetComponentWindow());
        EXPECT_TRUE(window) << "component of type " << c->GetType() << " has no window of its kind";
        if (!window)
            return entries;
        std::unique_ptr<QMenu> menu = window->BuildContextMenu();
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            entries[action->data().toInt()] = action->isEnabled();
            if (action->data().toInt() == command)
                chosen = action;
        }
        if (chosen && chosen->isEnabled()) {
            // No picture name: the command opens no dialog of its own.
            bool answered = shot.isEmpty();
            if (!answered)
                AnswerNextDialog<Dialog>(shot, answer, &answered);
            chosen->trigger();
            EXPECT_TRUE(answered) << "the dialog of command " << command << " did not open";
        }
        menu.reset();
        QApplication::processEvents();
        return entries;
    }

    template <class Kind>
    std::vector<Kind *> All(const CCorvPage &screen, int type) const
    {
        std::vector<Kind *> out;
        for (const auto &c : screen.GetComponentList())
            if (c->GetType() == type)
                out.push_back(static_cast<Kind *>(c.get()));
        return out;
    }

    void SaveAndReopen()
    {
        ASSERT_TRUE(app->OnFileSave()) << qPrintable(f.prompt.Texts().join(" | "));
        ASSERT_TRUE(app->OpenDocumentFile(path)) << qPrintable(f.prompt.Texts().join(" | "));
        view = app->EditView();
        QApplication::processEvents();
    }
};

} // namespace

// Guards the sound, movie and embedded-video windows as an author uses them: each is added through its menu
// command and dialog, edited through its window's menu ("Edit media" with controls switched on makes the
// Stop button beside the Play one, "Edit media" without a controller makes the movie start by itself, a
// Flash video opens "Edit Flash Video", an embedded video "Edit YouTube" with OK enabled), and the saved
// course reopens with every change.
TEST(MediaWindows, AuthorAddsAndEditsMediaThatReopensTheSame)
{
    MediaApp a;
    const QString tone = a.f.tree.Write("media/bell tone.wav", Tone());
    const QString movie = a.f.tree.Write("media/clip.mov", QByteArray(64, '\0'));
    a.Show(0);
    CCorvPage &screen = a.Screen(0);

    a.Menu<CDlgImportMedia>(CorvCommand::MediaAudio, "dialog-add-audio", [&](CDlgImportMedia *d) {
        d->FileBox()->setText(tone);
        d->ControllerBox()->setChecked(false);
        ClickOk(d);
    });
    auto audios = a.All<CComponentAudio>(screen, ct_audio);
    ASSERT_EQ(audios.size(), 1u);
    CComponentAudio *speaker = audios[0];
    EXPECT_EQ(speaker->m_buttonControls, 0);
    Shot(dynamic_cast<QWidget *>(speaker->GetComponentWindow()), "window-audio-speaker");

    a.FromMenu<CDlgUpdateAudio>(speaker, MediaCommandsUi::EditAudio, "dialog-edit-audio", [&](CDlgUpdateAudio *d) {
        EXPECT_EQ(d->windowTitle(), "Edit media");
        EXPECT_EQ(d->FileBox()->text(), tone);
        EXPECT_FALSE(d->ButtonControlsBox()->isChecked());
        d->ButtonControlsBox()->setChecked(true);
        ClickOk(d);
    });
    audios = a.All<CComponentAudio>(screen, ct_audio);
    ASSERT_EQ(audios.size(), 2u);
    EXPECT_EQ(audios[0]->GetPlayButton(), 1);
    EXPECT_EQ(audios[1]->GetPlayButton(), 0);
    EXPECT_EQ(audios[1]->GetBounds().left, audios[0]->GetBounds().right);
    EXPECT_TRUE(a.Doc().IsModified());
    Shot(dynamic_cast<QWidget *>(audios[0]->GetComponentWindow()), "window-audio-play");
    Shot(dynamic_cast<QWidget *>(audios[1]->GetComponentWindow()), "window-audio-stop");

    a.Menu<CDlgImportMedia>(CorvCommand::MediaVideo, "dialog-add-video", [&](CDlgImportMedia *d) {
        d->FileBox()->setText(movie);
        d->ControllerBox()->setChecked(true);
        d->AutoStartBox()->setChecked(false);
        ClickOk(d);
    });
    auto videos = a.All<CComponentVideo>(screen, ct_video);
    ASSERT_EQ(videos.size(), 1u);
    EXPECT_EQ(videos[0]->m_autoStart, 0);
    a.FromMenu<CDlgImportMedia>(videos[0], MediaCommandsUi::EditVideo, "dialog-edit-video", [&](CDlgImportMedia *d) {
        EXPECT_EQ(d->windowTitle(), "Edit media");
        EXPECT_EQ(d->FileBox()->text(), movie);
        EXPECT_TRUE(d->ControllerBox()->isChecked());
        d->ControllerBox()->setChecked(false);
        ClickOk(d);
    });
    EXPECT_EQ(videos[0]->m_autoStart, 1) << "a movie without a controller starts by itself";
    Shot(dynamic_cast<QWidget *>(videos[0]->GetComponentWindow()), "window-video");

    a.Menu<CDlgFlashVideo>(CorvCommand::MediaFlashVideo, "dialog-add-flash-video", [&](CDlgFlashVideo *d) {
        d->VideoBox()->setText(QStringLiteral("/media/intro.mov"));
        ClickOk(d);
    });
    auto players = a.All<CComponentFlashVideo>(screen, ct_flash_video);
    ASSERT_EQ(players.size(), 1u);
    a.FromMenu<CDlgFlashVideo>(players[0], MediaCommandsUi::EditVideo, "dialog-edit-flash-video", [&](CDlgFlashVideo *d) {
        EXPECT_EQ(d->windowTitle(), "Edit Flash Video");
        EXPECT_EQ(d->VideoBox()->text(), "/media/intro.mov");
        d->VolumeBox()->setValue(25);
        ClickOk(d);
    });
    EXPECT_EQ(players[0]->m_volume, 25);
    Shot(dynamic_cast<QWidget *>(players[0]->GetComponentWindow()), "window-flash-video");

    a.Menu<DlgAddYouTube>(CorvCommand::MediaYouTube, "dialog-add-youtube", [&](DlgAddYouTube *d) {
        d->EmbedBox()->setPlainText(QStringLiteral("<iframe src=\"https://example.invalid/a\"></iframe>"));
        ClickOk(d);
    });
    auto embedded = a.All<CComponentYouTube>(screen, ct_youtube);
    ASSERT_EQ(embedded.size(), 1u);
    a.FromMenu<DlgAddYouTube>(embedded[0], MediaCommandsUi::EditVideo, "dialog-edit-youtube", [&](DlgAddYouTube *d) {
        EXPECT_EQ(d->windowTitle(), "Edit YouTube");
        EXPECT_TRUE(d->OkButton()->isEnabled());
        d->EmbedBox()->setPlainText(QStringLiteral("<iframe src=\"https://example.invalid/b\"></iframe>"));
        ClickOk(d);
    });
    Shot(dynamic_cast<QWidget *>(embedded[0]->GetComponentWindow()), "window-youtube");

    // The movie kinds by extension: a Flash question, a PDF document and a Flash movie each open their
    // own dialog; the question asked to use the whole screen fills it.
    const struct {
        int type;
        const char *file;
        const char *shot;
    } others[] = {{ct_flash_question, "/m/quiz.swf", "window-flash-question"},
                  {ct_video, "/m/manual.pdf", "window-pdf"},
                  {ct_video, "/m/intro.swf", "window-flash"},
                  {ct_video, "/m/spinner.gif", "window-animated-gif"}};
    std::vector<CComponentVideo *> made;
    for (const auto &other : others) {
        auto c = CComponentFactory::CreateComponent(other.type, a.Doc().GetEditCanvas());
        auto *video = static_cast<CComponentVideo *>(c.get());
        video->SetFilePath(QString::fromLatin1(other.file));
        video->SetBounds(CRect(450, 20, 650, 220), true);
        ASSERT_TRUE(screen.AddComponent(std::move(c)).Ok());
        made.push_back(video);
    }
    screen.ShowOnCanvas(a.Canvas());
    QApplication::processEvents();
    for (size_t i = 0; i < made.size(); ++i)
        Shot(dynamic_cast<QWidget *>(made[i]->GetComponentWindow()), QString::fromLatin1(others[i].shot));
    a.FromMenu<DlgAddFlashQuestion>(made[0], MediaCommandsUi::EditVideo, "dialog-edit-flash-question",
                                    [](DlgAddFlashQuestion *d) {
                                        EXPECT_EQ(d->windowTitle(), "Edit Flash Question");
                                        EXPECT_EQ(d->FileBox()->text(), "/m/quiz.swf");
                                        EXPECT_FALSE(d->FullScreenBox()->isChecked());
                                        d->FullScreenBox()->setChecked(true);
                                        ClickOk(d);
                                    });
    EXPECT_EQ(made[0]->GetBounds(), CRect(0, 0, 1008, 560));
    a.FromMenu<DlgAddPDF>(made[1], MediaCommandsUi::EditVideo, "dialog-edit-pdf", [](DlgAddPDF *d) {
        EXPECT_EQ(d->windowTitle(), "Edit PDF");
        d->FileBox()->setText(QStringLiteral("/m/handbook.pdf"));
        ClickOk(d);
    });
    EXPECT_EQ(made[1]->GetFilePath(), "/m/handbook.pdf");
    a.FromMenu<DlgAddFlash>(made[2], MediaCommandsUi::EditVideo, "dialog-edit-flash", [](DlgAddFlash *d) {
        EXPECT_EQ(d->windowTitle(), "Edit Flash");
        d->VersionBox()->setValue(10);
        ClickOk(d);
    });
    EXPECT_EQ(made[2]->GetFlashVersion(), 10);
    a.FromMenu<CDlgImportMedia>(made[3], MediaCommandsUi::EditVideo, "dialog-edit-animated-gif",
                                [](CDlgImportMedia *d) {
                                    EXPECT_EQ(d->windowTitle(), "Edit media");
                                    EXPECT_FALSE(d->AutoStartBox()->isVisible());
                                    d->reject();
                                });

    // Cancel changes nothing.
    a.FromMenu<CDlgUpdateAudio>(audios[1], MediaCommandsUi::EditAudio, "dialog-edit-audio-cancelled",
                                [](CDlgUpdateAudio *d) {
                                    d->ButtonControlsBox()->setChecked(false);
                                    d->reject();
                                });
    EXPECT_EQ(a.All<CComponentAudio>(screen, ct_audio).size(), 2u);
    Shot(&a.Canvas(), "canvas-media");

    a.SaveAndReopen();
    CCorvPage &reopened = a.Screen(0);
    audios = a.All<CComponentAudio>(reopened, ct_audio);
    ASSERT_EQ(audios.size(), 2u);
    for (CComponentAudio *audio : audios) {
        EXPECT_EQ(audio->m_buttonControls, 1);
        // The project keeps its own copy, named without the unsafe characters.
        EXPECT_TRUE(audio->GetFilePath().endsWith("/Sounds/belltone.wav")) << qPrintable(audio->GetFilePath());
    }
    EXPECT_NE(audios[0]->GetPlayButton(), audios[1]->GetPlayButton());
    QMap<QString, CComponentVideo *> byExtension;
    for (CComponentVideo *video : a.All<CComponentVideo>(reopened, ct_video))
        byExtension[QFileInfo(video->GetFilePath()).suffix()] = video;
    ASSERT_EQ(byExtension.keys(), QStringList({"gif", "mov", "pdf", "swf"}));
    EXPECT_EQ(byExtension["mov"]->m_autoStart, 1);
    EXPECT_EQ(byExtension["mov"]->m_controller, 0);
    EXPECT_TRUE(byExtension["pdf"]->GetFilePath().endsWith("handbook.pdf"));
    EXPECT_EQ(byExtension["swf"]->GetFlashVersion(), 10);
    ASSERT_EQ(a.All<CComponentVideo>(reopened, ct_flash_question).size(), 1u);
    EXPECT_EQ(a.All<CComponentVideo>(reopened, ct_flash_question)[0]->GetBounds(), CRect(0, 0, 1008, 560));
    ASSERT_EQ(a.All<CComponentFlashVideo>(reopened, ct_flash_video).size(), 1u);
    EXPECT_EQ(a.All<CComponentFlashVideo>(reopened, ct_flash_video)[0]->m_volume, 25);
    ASSERT_EQ(a.All<CComponentYouTube>(reopened, ct_youtube).size(), 1u);
    EXPECT_TRUE(a.All<CComponentYouTube>(reopened, ct_youtube)[0]->m_embedCode.contains("/b\""));
}

// Guards the link and topic-button windows: a new link text resizes the link and is kept; a topic button
// takes a picture from a file while its library entry is greyed without a library chooser, and both entries
// are greyed on a button showing its screen's thumbnail; shapes draw with their fill and border.
TEST(MediaWindows, LinkTextTopicPicturesAndShapes)
{
    MediaApp a;
    const QString picture = a.f.tree / "media/tree.png";
    QDir().mkpath(a.f.tree / "media");
    {
        QImage image(120, 60, QImage::Format_RGB32);
        image.fill(QColor(30, 140, 60));
        ASSERT_TRUE(image.save(picture, "PNG"));
    }
    MediaCommandsUi::GetPickers().pictureFile = [picture](QWidget *) { return picture; };
    a.Show(0);
    CCorvPage &screen = a.Screen(0);
    CEditCanvas *canvas = a.Doc().GetEditCanvas();
    ASSERT_TRUE(canvas);

    auto made = CComponentFactory::CreateComponent(ct_link, canvas);
    auto *link = static_cast<CComponentLink *>(made.get());
    link->SetBounds(CRect(40, 400, 40, 400), true);
    link->SetText(QStringLiteral("Drills"));
    ASSERT_TRUE(screen.AddComponent(std::move(made)).Ok());
    for (int type : {int(ct_rectangle), int(ct_ellipse)}) {
        auto shape = CComponentFactory::CreateComponent(type, canvas);
        shape->SetBounds(type == ct_rectangle ? CRect(500, 300, 650, 400) : CRect(700, 300, 850, 400), true);
        auto *filled = dynamic_cast<CComponentFilledShape *>(shape.get());
        ASSERT_TRUE(filled);
        filled->SetFilled(1);
        filled->SetFillColor(0x00CCFF);
        filled->SetOutlined(type == ct_rectangle);
        filled->SetLineWidth(3);
        ASSERT_TRUE(screen.AddComponent(std::move(shape)).Ok());
    }
    screen.ShowOnCanvas(a.Canvas());
    QApplication::processEvents();
    const int narrow = link->GetBounds().Width();
    a.FromMenu<CDlgUpdateLinkText>(link, MediaCommandsUi::ReplaceLinkText, "dialog-replace-link-text",
                                   [](CDlgUpdateLinkText *d) {
                                       EXPECT_EQ(d->TextEdit()->text(), "Drills");
                                       d->TextEdit()->setText(QStringLiteral("Go to the fire drills"));
                                       d->accept();
                                   });
    EXPECT_EQ(link->GetText(), "Go to the fire drills");
    EXPECT_GT(link->GetBounds().Width(), narrow);
    Shot(dynamic_cast<QWidget *>(link->GetComponentWindow()), "window-link");
    for (const auto &c : screen.GetComponentList())
        if (c->GetType() == ct_rectangle || c->GetType() == ct_ellipse)
            Shot(dynamic_cast<QWidget *>(c->GetComponentWindow()),
                 c->GetType() == ct_rectangle ? "window-rectangle" : "window-ellipse-no-border");

    a.Show(1);
    CCorvPage &menu = a.Screen(1);
    CComponentTopicButton *buttons[2] = {};
    const CRect bounds[2] = {CRect(20, 20, 270, 220), CRect(300, 20, 640, 62)};
    for (int i = 0; i < 2; ++i) {
        auto button = CComponentFactory::CreateComponent(i == 0 ? ct_large_topic : ct_small_topic, canvas);
        buttons[i] = static_cast<CComponentTopicButton *>(button.get());
        buttons[i]->SetBounds(bounds[i], true);
        // The first button stands for the folder's one screen; the second for nothing in the outline.
        buttons[i]->SetTitle(i == 0 ? QStringLiteral("Drills") : QStringLiteral("Extinguishers"));
        ASSERT_TRUE(menu.AddComponent(std::move(button)).Ok());
    }
    menu.ShowOnCanvas(a.Canvas());
    QApplication::processEvents();
    for (CComponentTopicButton *button : buttons) {
        const QMap<int, bool> entries = a.FromMenu<QDialog>(button, MediaCommandsUi::ReplaceTopicFromFile, "",
                                                            [](QDialog *d) { d->reject(); });
        EXPECT_TRUE(entries.value(MediaCommandsUi::ReplaceTopicFromFile));
        EXPECT_TRUE(entries.value(MediaCommandsUi::ReplaceTopicFromLibrary)) << "the library's picker";
        EXPECT_EQ(button->GetPicturePath(), picture);
        EXPECT_TRUE(button->GetPicture().IsValid());
    }
    Shot(dynamic_cast<QWidget *>(buttons[0]->GetComponentWindow()), "window-large-topic");
    Shot(dynamic_cast<QWidget *>(buttons[1]->GetComponentWindow()), "window-small-topic");

    // A button showing its screen's thumbnail has nothing of its own to replace.
    buttons[1]->SetThumbnailIndex(0, CTopicPictureSource{a.Doc().GetContext(), nullptr, {}});
    const QMap<int, bool> greyed = a.FromMenu<QDialog>(buttons[1], 0, "", [](QDialog *d) { d->reject(); });
    EXPECT_FALSE(greyed.value(MediaCommandsUi::ReplaceTopicFromFile, true));
    EXPECT_FALSE(greyed.value(MediaCommandsUi::ReplaceTopicFromLibrary, true));
    buttons[1]->SetThumbnailIndex(-1, CTopicPictureSource{a.Doc().GetContext(), nullptr, {}});
    MediaCommandsUi::GetPickers().pictureFile = {};

    a.SaveAndReopen();
    bool found = false;
    for (const auto &c : a.Screen(0).GetComponentList())
        if (c->GetType() == ct_link) {
            found = true;
            EXPECT_EQ(static_cast<CComponentLink &>(*c).GetText(), "Go to the fire drills");
        }
    EXPECT_TRUE(found);
    // Opened again, the menu follows the outline: one button for the folder's one screen, showing that
    // screen's picture; the button that stood for nothing goes.
    QStringList reopened;
    for (const auto &c : a.Screen(1).GetComponentList())
        if (auto *button = dynamic_cast<CComponentTopicButton *>(c.get()))
            reopened << button->GetTitle() + (button->GetThumbnailIndex() >= 0 ? " showing its screen" : "");
    EXPECT_EQ(reopened, QStringList{"Drills showing its screen"});
}

// Guards the published screen's sound and movie: added and edited through the dialogs (the sound left
// without buttons or auto-start, so the browser shows its controls; the movie with its controller), saved
// and published, both elements load their files in headless Chromium.
TEST(MediaWindows, PublishedSoundAndMovieLoadInTheBrowser)
{
    MediaApp a(true);
    const QString script = QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_published_media.py");
    const QString movie = a.f.tree / "media/clip.mov";
    {
        QProcess make;
        make.setProcessChannelMode(QProcess::MergedChannels);
        make.start("python3", {script, "make-video", movie});
        ASSERT_TRUE(make.waitForFinished(120000));
        const QString output = QString::fromUtf8(make.readAll());
        if (make.exitCode() == 77)
            GTEST_SKIP() << qPrintable(output);
        ASSERT_EQ(make.exitCode(), 0) << qPrintable(output);
    }
    const QString tone = a.f.tree.Write("media/tone.wav", Tone());
    a.Show(0);
    CCorvPage &screen = a.Screen(0);
    a.Menu<CDlgImportMedia>(CorvCommand::MediaAudio, "dialog-add-audio-published", [&](CDlgImportMedia *d) {
        d->FileBox()->setText(tone);
        ClickOk(d);
    });
    auto audios = a.All<CComponentAudio>(screen, ct_audio);
    ASSERT_EQ(audios.size(), 1u);
    a.FromMenu<CDlgUpdateAudio>(audios[0], MediaCommandsUi::EditAudio, "dialog-edit-audio-published",
                                [](CDlgUpdateAudio *d) {
                                    auto *autoStart = d->findChild<QCheckBox *>("AutoStart");
                                    ASSERT_TRUE(autoStart);
                                    autoStart->setChecked(false);
                                    ClickOk(d);
                                });
    a.Menu<CDlgImportMedia>(CorvCommand::MediaVideo, "dialog-add-video-published", [&](CDlgImportMedia *d) {
        d->FileBox()->setText(movie);
        d->ControllerBox()->setChecked(true);
        ClickOk(d);
    });
    // Beside the sound, so that the picture shows both.
    auto videos = a.All<CComponentVideo>(screen, ct_video);
    ASSERT_EQ(videos.size(), 1u);
    videos[0]->SetBounds(CRect(320, 10, 640, 250), true);
    a.SaveAndReopen();
    a.Doc().MutableSettings().WarnInteractTooLow = 0;
    a.Doc().MutableSettings().LmsOpensNewWindow = 0;
    a.f.prompt.SetFallback(CPrompt::yes);
    a.f.prompt.Clear();
    a.app->OnViewPublish();
    QTest::mouseClick(a.app->PublishView()->Button(CPublishFrmVw::Standalone), Qt::LeftButton);
    const QString standalone = a.f.tree / "courses/Media Published files/Standalone";
    ASSERT_TRUE(QFileInfo::exists(standalone + "/content/ind.htm")) << qPrintable(a.f.prompt.Texts().join(" | "));

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start("python3", {script, "check", standalone, QStringLiteral(CORV_BUILD_TEST_DIR "/published-courses/media.png")});
    ASSERT_TRUE(check.waitForFinished(120000));
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitCode() == 77)
        GTEST_SKIP() << qPrintable(output);
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(output);
}
