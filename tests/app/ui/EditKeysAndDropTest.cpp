#include "AppFixture.h"

#include "app/CommandIds.h"
#include "app/ui/ImportSummaryView.h"
#include "app/ui/MainFrame.h"
#include "dialogs/ui/DlgImportNewDocument.h"
#include "document/CorvessaDoc.h"
#include "document/SingleScreenArchive.h"
#include "editor/ScreenCommands.h"
#include "editor/ui/DragDropListCtrl.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentAudio.h"
#include "model/ComponentImage.h"
#include "model/ComponentType.h"
#include "model/ComponentVideo.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QDropEvent>
#include <QImage>
#include <QLineEdit>
#include <QCheckBox>
#include <QPushButton>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

struct Window {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CEditFrmVw *view = nullptr;
    CCorvessaDoc *doc = nullptr;

    explicit Window(const QList<std::tuple<QString, QString, int>> &screens)
    {
        const QString path = f.WriteProject("courses/Keys.kvx", screens);
        app = f.Start({"corvessa", path});
        view = app->EditView();
        doc = app->Document();
        app->OnViewEdit();
        view->resize(900, 600);
        QApplication::processEvents();
        QApplication::setActiveWindow(view->window());
    }
    int Screens() const { return int(doc->MainScreens().size()); }
    QString Picture(const QString &name) const
    {
        const QString path = f.tree.Write("drop/" + name, QByteArray());
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::blue);
        image.save(path, "PNG");
        return path;
    }
};

// Watches for the next modal dialog while the returned watch lives, answers it and notes that it came. A
// watch that is let go stops looking, so a later test's dialog is never answered by it.
struct DialogWatch {
    bool came = false;
};
using Watch = std::shared_ptr<DialogWatch>;

Watch WatchNextDialog(std::function<void(QDialog *)> answer)
{
    auto watch = std::make_shared<DialogWatch>();
    std::weak_ptr<DialogWatch> weak = watch;
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer, weak, tries, poll] {
        const Watch alive = weak.lock();
        if (!alive)
            return;
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            alive->came = true;
            answer(dialog);
            return;
        }
        if (++*tries < 150)
            QTimer::singleShot(20, *poll);
    };
    QTimer::singleShot(0, *poll);
    return watch;
}

Watch RejectNextDialog()
{
    return WatchNextDialog([](QDialog *dialog) { dialog->reject(); });
}

// Drags the files over the widget's point and drops them; whether the drag was accepted.
bool DropOn(QWidget *target, const QStringList &paths, const QPoint &point)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

template <class Kind>
std::vector<Kind *> ComponentsOf(const CCorvPage *screen)
{
    std::vector<Kind *> found;
    for (const auto &c : screen->GetComponentList())
        if (auto *k = dynamic_cast<Kind *>(c.get()))
            found.push_back(k);
    return found;
}

} // namespace

// Guards the keys of the Edit window: each of Ctrl+Alt+F1..F9 asks its own question dialog once, Ctrl+F10
// makes one new screen, Ctrl+C and Ctrl+V in the thumbnails copy and paste the screen, Ctrl+F opens the
// search, F5 the new-screen dialog, F6 the document import, F12 previews the current screen.
TEST(EditKeys, EveryKeyReachesItsCommand)
{
    Window w({{"1", "Welcome", pt_document}, {"2", "Exits", pt_document}});
    CScreenCommands::Dialogs &dialogs = w.view->ScreenDialogs();
    QStringList asked;
    dialogs.blankQuestion = [&](CBlankQuestionValues &, bool paragraph) {
        asked << (paragraph ? "paragraph" : "blanks");
        return false;
    };
    dialogs.matchPairs = [&](CMatchPairsValues &) { return asked << "pairs", false; };
    dialogs.multipleChoice = [&](CMultipleChoiceValues &) { return asked << "choice", false; };
    dialogs.trueFalse = [&](CTrueFalseValues &) { return asked << "truefalse", false; };
    dialogs.partIdentification = [&](CPartIdentificationValues &) { return asked << "parts", false; };
    dialogs.freeFormText = [&](CComponentFreeFormText::DialogValues &) { return asked << "freeform", false; };
    dialogs.flashQuestion = [&](CFlashQuestionValues &) { return asked << "flash", false; };
    dialogs.likert = [&](CLikertValues &) { return asked << "likert", false; };
    dialogs.addScreen = [&](int &) { return asked << "newscreen", false; };

    QWidget *canvas = w.view->Canvas()->Page();
    canvas->setFocus();
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(canvas, Qt::Key(Qt::Key_F1 + i), Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(asked, QStringList({"paragraph", "blanks", "pairs", "choice", "truefalse", "parts", "freeform", "flash",
                                  "likert"}));
    EXPECT_EQ(w.Screens(), 2) << "no key made a template screen";

    // Ctrl+Alt+F7 held down and repeating still asks once; OK then makes one question screen.
    asked.clear();
    dialogs.freeFormText = [&](CComponentFreeFormText::DialogValues &) { return asked << "freeform", true; };
    QTest::keyPress(canvas, Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyRelease(canvas, Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(asked, QStringList{"freeform"});
    EXPECT_EQ(w.Screens(), 3);

    QTest::keyClick(canvas, Qt::Key_F10, Qt::ControlModifier);
    EXPECT_EQ(w.Screens(), 4);

    asked.clear();
    QTest::keyClick(canvas, Qt::Key_F5);
    EXPECT_EQ(asked, QStringList{"newscreen"});

    // Copy and paste of a whole screen from the thumbnails.
    CDragDropListCtrl *thumbs = w.view->ThumbnailList();
    w.view->MakeCurrentScreen(w.doc->MainScreens().front().get());
    thumbs->setFocus();
    QTest::keyClick(thumbs, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(thumbs, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(w.Screens(), 5);
    EXPECT_EQ(w.view->GetCurrentPage()->GetTitle(), "Welcome");
    EXPECT_NE(w.view->GetCurrentPage(), w.doc->MainScreens().front().get());

    Watch watch = RejectNextDialog();
    QTest::keyClick(thumbs, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(watch->came) << "Ctrl+F opens the search";

    // F6 waits for the course's first import; after it, it opens the import of a further document.
    ASSERT_EQ(w.doc->GetImportPending(), 1);
    QApplication::setActiveWindow(w.view->window());
    watch = RejectNextDialog();
    QTest::keyClick(thumbs, Qt::Key_F6);
    // A dialog the key opened would have come before the click returned, as it does below; the command's
    // state is what keeps it shut.
    EXPECT_FALSE(w.app->MainFrame()->Action(CorvCommand::NewDocument)->isEnabled());
    EXPECT_FALSE(watch->came);
    w.doc->SetImportPending(0);
    w.app->MainFrame()->UpdateCommandStates();
    watch = RejectNextDialog();
    QTest::keyClick(thumbs, Qt::Key_F6);
    EXPECT_TRUE(watch->came) << "F6 opens the document import";
    watch.reset();

    QApplication::setActiveWindow(w.view->window());
    QObject::disconnect(w.view, &CEditFrmVw::PreviewRequested, nullptr, nullptr);
    QSignalSpy preview(w.view, &CEditFrmVw::PreviewRequested);
    QTest::keyClick(thumbs, Qt::Key_F12);
    EXPECT_EQ(preview.count(), 1);
    EXPECT_EQ(w.Screens(), 5);
}

// Guards the refusal of new screens in a menu course: Ctrl+F1 with the main menu current shows the message
// and makes nothing, while Ctrl+B there shows nothing.
TEST(EditKeys, MenuCourseRefusesNewScreensOnTheMainMenu)
{
    Window w({{"1", "Main menu", pt_folder}, {"1_1", "Topic", pt_container}});
    w.doc->MutableSettings().MenuBasedCourse = 1;
    w.view->MakeCurrentScreen(w.doc->MainScreens().front().get());
    w.f.prompt.Clear();
    QWidget *canvas = w.view->Canvas()->Page();
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(w.f.prompt.Texts().isEmpty());
    // No question on a menu screen: Ctrl+Alt+F7 is not taken for Ctrl+F7 either.
    int asked = 0;
    w.view->ScreenDialogs().freeFormText = [&](CComponentFreeFormText::DialogValues &) { return ++asked, false; };
    QTest::keyClick(canvas, Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(w.f.prompt.Texts().isEmpty());
    QTest::keyClick(canvas, Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(w.f.prompt.Texts(), QStringList{CScreenCommands::kNoScreenHereMessage});
    EXPECT_EQ(w.Screens(), 2);
}

// Guards dropping files from the desktop on the canvas: pictures 50 pixels apart named by their files, an MP3
// as a sound icon, a Word document counted with its message; an unsupported file alone is refused.
TEST(EditDrop, CanvasTakesPicturesAndMediaAndRefusesOtherFiles)
{
    Window w({{"1", "Welcome", pt_document}});
    CCorvPage *screen = w.view->GetCurrentPage();
    ASSERT_TRUE(screen);
    const int before = screen->GetComponentCount();
    w.f.prompt.Clear();
    QWidget *viewport = w.view->Canvas()->viewport();

    EXPECT_FALSE(DropOn(viewport, {w.f.tree.Write("drop/readme.txt", "text")}, {200, 150}));
    EXPECT_EQ(screen->GetComponentCount(), before);

    w.doc->SetModifiedFlag(false);
    const QStringList files{w.Picture("one.png"), w.Picture("two.png"), w.f.tree.Write("drop/talk.mp3", "ID3"),
                            w.f.tree.Write("drop/plan.docx", "PK")};
    ASSERT_TRUE(DropOn(viewport, files, {200, 150}));
    const auto images = ComponentsOf<CComponentImage>(screen);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->GetAltText(), "one.png");
    EXPECT_EQ(images[1]->GetAltText(), "two.png");
    EXPECT_EQ(images[1]->GetBounds().left - images[0]->GetBounds().left, 50);
    const auto sounds = ComponentsOf<CComponentAudio>(screen);
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0]->GetBounds().Width(), 74);
    EXPECT_EQ(sounds[0]->GetBounds().Height(), 71);
    EXPECT_EQ(w.f.prompt.Texts(), QStringList{"Drag contains 1 documents"});
    EXPECT_TRUE(w.doc->IsModified());

    // Scrolled down, a drop lands where it is seen on the screen.
    w.view->resize(600, 300);
    QApplication::processEvents();
    w.view->Canvas()->verticalScrollBar()->setValue(100);
    const QPoint at(30, 40);
    const QPoint onPage = w.view->Canvas()->Page()->mapFrom(viewport, at);
    ASSERT_TRUE(DropOn(viewport, {w.f.tree.Write("drop/MOVIE.SWF", "FWS")}, at));
    const auto videos = ComponentsOf<CComponentVideo>(screen);
    ASSERT_EQ(videos.size(), 1u);
    EXPECT_EQ(videos[0]->GetBounds().top, std::min(onPage.y(), 560 - 390));
    EXPECT_EQ(videos[0]->GetBounds().left, onPage.x());
}

// Guards a drop on the outline of an empty course: a blank screen "1" is made for the picture.
TEST(EditDrop, OutlineDropOnEmptyCourseMakesTheFirstScreen)
{
    Window w({});
    ASSERT_EQ(w.Screens(), 0);
    CDragDropTreeCtrl *tree = w.view->Tree();
    ASSERT_TRUE(DropOn(tree->viewport(), {w.Picture("logo.png")}, {20, 20}));
    ASSERT_EQ(w.Screens(), 1);
    CCorvPage *screen = w.doc->MainScreens().front().get();
    EXPECT_EQ(screen->GetLabel(), "1");
    EXPECT_EQ(ComponentsOf<CComponentImage>(screen).size(), 1u);
}

namespace {

// Fills the import dialog when it opens and presses OK (another dialog is rejected).
Watch AnswerImport(std::function<void(CDlgImportNewDocument *)> fill)
{
    return WatchNextDialog([fill](QDialog *dialog) {
        if (auto *import = dynamic_cast<CDlgImportNewDocument *>(dialog)) {
            fill(import);
            QTest::mouseClick(import->OkButton(), Qt::LeftButton);
        } else {
            dialog->reject();
        }
    });
}

const QString kSafetyDocument = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/word/safety-python-docx.docx");

} // namespace

// Guards importing a further document from the Edit window: into the glossary only (no topic, no outline
// change but the glossary, its count in the message), then after the current screen of a linear course, with
// the completion message and positional labels.
TEST(EditImport, FurtherDocumentGoesAfterTheCurrentScreenOrIntoTheGlossary)
{
    Window w({{"1", "Welcome", pt_document}, {"2", "Exits", pt_document}});
    w.doc->SetImportPending(0);
    w.view->MakeCurrentScreen(w.doc->MainScreens().front().get());
    w.f.prompt.Clear();

    Watch watch = AnswerImport(
        [](CDlgImportNewDocument *d) {
            d->PathBox()->setText(kSafetyDocument);
            d->GlossaryBox()->setChecked(true);
        });
    w.view->OnCommand(CorvCommand::NewDocument);
    ASSERT_TRUE(watch->came);
    EXPECT_EQ(w.f.prompt.Texts(), QStringList{"Import Glossary document(s) completed - 1 glossary items created."});
    EXPECT_EQ(w.Screens(), 2);
    EXPECT_TRUE(w.doc->Topics().empty());
    EXPECT_FALSE(w.doc->GlossaryScreens().empty());

    w.f.prompt.Clear();
    w.doc->MutableSettings().TemplateType = 13; // text screens: no graphics library needed
    w.doc->MutableSettings().CreateFinalFeedbackScreen = 0;
    w.view->MakeCurrentScreen(w.doc->MainScreens().front().get());
    watch = AnswerImport([](CDlgImportNewDocument *d) { d->PathBox()->setText(kSafetyDocument); });
    w.view->OnCommand(CorvCommand::NewDocument);
    ASSERT_TRUE(watch->came);
    ASSERT_EQ(w.f.prompt.Texts().size(), 1);
    EXPECT_TRUE(w.f.prompt.Texts().front().startsWith("Import document(s)")) << w.f.prompt.Texts().front().toStdString();
    ASSERT_GT(w.Screens(), 2);
    QStringList order;
    for (const auto &s : w.doc->MainScreens())
        order << s->GetLabel() + " " + s->GetTitle();
    EXPECT_EQ(order.front(), "1 Welcome") << order.join(", ").toStdString();
    EXPECT_EQ(order.back(), QString::number(w.Screens()) + " Exits") << order.join(", ").toStdString();
    EXPECT_TRUE(w.doc->Topics().empty());
    EXPECT_TRUE(w.doc->IsModified());

    // A document that cannot be read is named in the message, not passed over.
    const int screens = w.Screens();
    w.f.prompt.Clear();
    const QString missing = w.f.tree / "missing.docx";
    watch = AnswerImport([missing](CDlgImportNewDocument *d) { d->PathBox()->setText(missing); });
    w.view->OnCommand(CorvCommand::NewDocument);
    ASSERT_TRUE(watch->came);
    ASSERT_EQ(w.f.prompt.Texts().size(), 1);
    EXPECT_TRUE(w.f.prompt.Texts().front().contains("These were not imported:"))
        << w.f.prompt.Texts().front().toStdString();
    EXPECT_EQ(w.Screens(), screens);
}

// Guards "Create a new topic" in a menu course: the document's screens go under the main menu after the
// topics already there, a topic record numbered with the topic count before the import joins the project, and
// the Import window shows it.
TEST(EditImport, NewTopicGoesUnderTheMainMenu)
{
    Window w({{"1", "Main menu", pt_folder}, {"1_1", "Hazards", pt_container}, {"1_1_1", "Slips", pt_document}});
    w.doc->SetImportPending(0);
    w.doc->MutableSettings().MenuBasedCourse = 1;
    w.doc->MutableSettings().TemplateType = 13;
    w.doc->MutableSettings().CreateFinalFeedbackScreen = 0;
    w.doc->MainScreens().front()->SetMenuKind(apt_multi_topic_menu);
    w.view->Controller().OnUpdate();
    w.view->MakeCurrentScreen(w.doc->MainScreens().back().get());
    const size_t topicsBefore = w.doc->Topics().size();
    w.f.prompt.Clear();

    Watch watch = AnswerImport(
        [](CDlgImportNewDocument *d) {
            d->PathBox()->setText(kSafetyDocument);
            d->CreateTopicBox()->setChecked(true);
            d->TitleBox()->setText("Fire");
        });
    w.view->OnCommand(CorvCommand::NewDocument);
    ASSERT_TRUE(watch->came);
    ASSERT_EQ(w.f.prompt.Texts().size(), 1);
    EXPECT_TRUE(w.f.prompt.Texts().front().startsWith("Import document(s)")) << w.f.prompt.Texts().front().toStdString();

    ASSERT_EQ(w.doc->Topics().size(), topicsBefore + 1);
    const CTopic &topic = *w.doc->Topics().back();
    EXPECT_EQ(topic.GetNumber(), QString::number(topicsBefore));
    EXPECT_EQ(topic.GetName(), "Fire");
    EXPECT_EQ(topic.GetSourceDocument(), kSafetyDocument);
    bool shown = false;
    QTableWidget *table = w.app->ImportView()->TopicTable();
    for (int r = 0; r < table->rowCount(); ++r)
        shown = shown || (table->item(r, 1) && table->item(r, 1)->text() == "Fire");
    EXPECT_TRUE(shown) << "the Import window shows the new topic";

    // Every screen but the main menu lies below it, the old topic first.
    QStringList order;
    for (const auto &s : w.doc->MainScreens())
        order << s->GetLabel() + " " + s->GetTitle();
    ASSERT_GE(order.size(), 4) << order.join(", ").toStdString();
    EXPECT_EQ(order.mid(0, 3), QStringList({"1 Main menu", "1_1 Hazards", "1_1_1 Slips"})) << order.join(", ").toStdString();
    for (const QString &entry : order.mid(3))
        EXPECT_TRUE(entry.startsWith("1_2")) << order.join(", ").toStdString();
}

// Guards saving the current screen as a single-screen archive: the file gets the ".kvl" extension when typed
// without one, and reads back as the same screen.
TEST(EditLibraryFile, CurrentScreenSavedAsArchive)
{
    Window w({{"1", "Welcome", pt_document}, {"2", "Exits", pt_document}});
    w.view->MakeCurrentScreen(w.doc->MainScreens().back().get());
    w.f.dialogs.answers = {w.f.tree / "saved/exits"};
    w.view->OnCommand(CorvCommand::SaveScreenToLibraryFile);
    ASSERT_EQ(w.f.dialogs.asked.size(), 1);
    EXPECT_TRUE(w.f.dialogs.asked.front().endsWith("|Library Files (*.kvl)")) << w.f.dialogs.asked.front().toStdString();
    const QString path = w.f.tree / "saved/exits.kvl";
    ASSERT_TRUE(QFileInfo::exists(path));
    CCorvPage *read = CSingleScreenArchive::LoadScreenArchive(*w.doc, path, nullptr);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetTitle(), "Exits");

    // Cancelled: nothing written.
    w.f.dialogs.answers = {QString()};
    w.view->OnCommand(CorvCommand::SaveScreenToLibraryFile);
    EXPECT_EQ(QDir(w.f.tree / "saved").entryList({"*.kvl"}), QStringList{"exits.kvl"});
}
