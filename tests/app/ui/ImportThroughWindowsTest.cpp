// Importing as an author does it through the two windows that import: the Import window's one-time import,
// then further Word documents and presentations from the Edit window's "New Document..." (F6), the progress
// window and its Cancel, the slide program's wait box and its Cancel, and the project saved afterwards.
#include "AppFixture.h"
#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "app/ViewSwitcher.h"
#include "app/ui/ImportSummaryView.h"
#include "app/ui/MainFrame.h"
#include "dialogs/ui/DlgImportNewDocument.h"
#include "dialogs/ui/DlgLongWait.h"
#include "document/CorvessaDoc.h"
#include "editor/ui/EditFrmVw.h"
#include "model/ComponentImage.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/Topic.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kSafety = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/word/safety-libreoffice.docx");
const QString kFire = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/word/fire-course-python-docx.docx");
const QString kDeck = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/pptx/three slides.pptx");

// Runs answer on each window that found returns, polling while the returned handle lives; a handle let go
// stops polling, so a later step is never answered by an earlier watch.
using Finder = std::function<QWidget *()>;
struct Watch {
    int answered = 0;
};
std::shared_ptr<Watch> WatchFor(Finder found, std::function<void(QWidget *)> answer, int times = 1)
{
    auto watch = std::make_shared<Watch>();
    std::weak_ptr<Watch> weak = watch;
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [found, answer, weak, poll, times] {
        const std::shared_ptr<Watch> alive = weak.lock();
        if (!alive || alive->answered >= times)
            return;
        if (QWidget *w = found()) {
            ++alive->answered;
            answer(w);
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
    return watch;
}

QWidget *ModalImportDialog()
{
    return qobject_cast<CDlgImportNewDocument *>(QApplication::activeModalWidget());
}

template <typename T>
T *VisibleTopLevel()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

bool ProgressWindowShown() { return VisibleTopLevel<QProgressDialog>() != nullptr; }

struct Author {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CCorvessaDoc *doc = nullptr;
    QString project;

    Author()
    {
        f.CopyBuiltProgramData(false, {"slatewright22", "pictoslate"});
        app = f.Start();
        doc = app->Document();
        doc->MutableSettings().TemplateType = 13;   // text screens: no graphics library needed
        doc->MutableSettings().CreateFinalFeedbackScreen = 0;
        app->MainFrame()->resize(1100, 800);
        app->MainFrame()->show();
        QApplication::setActiveWindow(app->MainFrame());
        project = f.tree / "courses/Imported.kvx";
        QDir().mkpath(f.tree / "courses");
    }

    // The Import window's one-time import of a linear course from its source path.
    void ImportLinear(const QString &source)
    {
        app->SwitchView(ImportViewIndex);
        CImportSummaryView *view = app->ImportView();
        view->LinearRadio()->click();
        view->SourcePath()->setFocus();
        view->SourcePath()->selectAll();
        QTest::keyClicks(view->SourcePath(), source);
        f.prompt.Script({CPrompt::yes});
        QTest::mouseClick(view->ImportButton(), Qt::LeftButton);
    }

    // "New Document..." (F6) in the Edit window with the document's path typed into the dialog and OK pressed; before runs while
    // the dialog is open (to set a further watch). Whether the dialog came.
    bool NewDocument(const QString &path, std::function<void()> before = {})
    {
        app->OnViewEdit();
        QApplication::setActiveWindow(app->MainFrame());
        auto dialog = WatchFor(ModalImportDialog, [path, before](QWidget *w) {
            auto *d = static_cast<CDlgImportNewDocument *>(w);
            d->PathBox()->setText(path);
            if (before)
                before();
            QTest::mouseClick(d->OkButton(), Qt::LeftButton);
        });
        f.prompt.Clear();
        // The menu command that F6 is the key of.
        QAction *command = app->MainFrame()->Action(CorvCommand::NewDocument);
        EXPECT_EQ(command->shortcut(), QKeySequence(Qt::Key_F6));
        EXPECT_TRUE(command->isEnabled());
        command->trigger();
        return dialog->answered == 1;
    }

    QStringList Outline() const
    {
        QStringList out;
        for (const auto &s : doc->MainScreens())
            out << s->GetLabel() + " " + s->GetTitle();
        return out;
    }

    void SaveAndReopen()
    {
        f.dialogs.answers = {project};
        ASSERT_TRUE(app->OnFileSave()) << qPrintable(f.prompt.Texts().join(" | "));
        ASSERT_TRUE(app->OpenDocumentFile(project)) << qPrintable(f.prompt.Texts().join(" | "));
        doc = app->Document();
    }
};

} // namespace

// Guards the Edit window's imports after the one-time import: a presentation refused there ("Presentations
// cannot be imported here"), a second import leaving its progress window up, a stale Cancel ending every later
// import with "completed" and no screens, and a cancelled import reported as completed. Each import's screens
// stay in place through a save and reopen.
TEST(ImportThroughWindows, WordThenPresentationThenWordThenCancelled)
{
    Author a;
    a.ImportLinear(kSafety);
    ASSERT_EQ(a.doc->GetImportPending(), 0) << qPrintable(a.f.prompt.Texts().join(" | "));
    const QStringList afterWord = a.Outline();
    ASSERT_FALSE(afterWord.isEmpty());
    EXPECT_FALSE(ProgressWindowShown());

    // The slides go after the current screen (the last one), the last of them current at the end.
    a.app->EditView()->MakeCurrentScreen(a.doc->MainScreens().back().get());
    ASSERT_TRUE(a.NewDocument(kDeck));
    ASSERT_EQ(a.f.prompt.Texts(), QStringList{"Import document(s) completed"});
    QStringList afterSlides = a.Outline();
    // Three slides, and the notes of one of them on a screen of its own.
    const int slides = int(afterSlides.size() - afterWord.size());
    ASSERT_EQ(slides, 4) << qPrintable(afterWord.join(", ") + " => " + afterSlides.join(", "));
    for (int i = 1; i <= slides; ++i)
        EXPECT_TRUE(afterSlides[afterWord.size() + i - 1].endsWith(QStringLiteral("Slide %1").arg(i)))
            << qPrintable(afterSlides.join(", "));
    EXPECT_EQ(a.app->EditView()->GetCurrentPage(), a.doc->MainScreens().back().get());
    EXPECT_FALSE(ProgressWindowShown());

    ASSERT_TRUE(a.NewDocument(kFire));
    ASSERT_EQ(a.f.prompt.Texts(), QStringList{"Import document(s) completed"});
    const QStringList afterSecondWord = a.Outline();
    EXPECT_GT(afterSecondWord.size(), afterSlides.size());
    EXPECT_FALSE(ProgressWindowShown()) << "no progress window is left over the main window";

    // Cancel pressed in the progress window as soon as it shows.
    std::shared_ptr<Watch> cancel;
    ASSERT_TRUE(a.NewDocument(kSafety, [&cancel] {
        cancel = WatchFor([] { return static_cast<QWidget *>(VisibleTopLevel<QProgressDialog>()); },
                          [](QWidget *w) {
                              if (auto *b = w->findChild<QPushButton *>())
                                  QTest::mouseClick(b, Qt::LeftButton);
                          });
    }));
    ASSERT_TRUE(cancel && cancel->answered == 1) << "the import showed its progress window";
    ASSERT_EQ(a.f.prompt.Texts().size(), 1);
    EXPECT_TRUE(a.f.prompt.Texts()[0].startsWith("Import document(s) cancelled")) << qPrintable(a.f.prompt.Texts()[0]);
    EXPECT_EQ(a.Outline(), afterSecondWord);
    EXPECT_FALSE(ProgressWindowShown());

    // The next import is not stopped by the earlier Cancel.
    ASSERT_TRUE(a.NewDocument(kFire));
    EXPECT_EQ(a.f.prompt.Texts(), QStringList{"Import document(s) completed"});
    const QStringList last = a.Outline();
    EXPECT_GT(last.size(), afterSecondWord.size());

    a.SaveAndReopen();
    EXPECT_EQ(a.Outline(), last);
    int slidePictures = 0;
    for (const auto &s : a.doc->MainScreens())
        slidePictures += s->GetTitle().startsWith("Slide ") ? 1 : 0;
    EXPECT_EQ(slidePictures, slides);
}

// Guards the slide program's wait box: it was never shown, so a long export could not be stopped. It shows the
// presentation being parsed, and its Cancel ends the slide program and leaves the course as it was.
TEST(ImportThroughWindows, WaitBoxOfTheSlideProgramCancels)
{
    Author a;
    // A slide program that takes its time.
    const QString slow = a.f.tree.Write("bin/pictoslate", "#!/bin/sh\nexec sleep 60\n");
    QFile::setPermissions(slow, QFile::permissions(slow) | QFile::ExeOwner);
    a.doc->MutableSettings().ImportPowerpointAsImages = 1;
    a.ImportLinear(kSafety);
    const QStringList before = a.Outline();
    a.app->EditView()->MakeCurrentScreen(a.doc->MainScreens().back().get());

    QString waitText;
    std::shared_ptr<Watch> box;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(a.NewDocument(kDeck, [&] {
        box = WatchFor([] { return static_cast<QWidget *>(VisibleTopLevel<CDlgLongWait>()); },
                       [&waitText](QWidget *w) {
                           auto *wait = static_cast<CDlgLongWait *>(w);
                           waitText = wait->findChild<QLabel *>()->text();
                           QTest::mouseClick(wait->CancelButton(), Qt::LeftButton);
                       });
    }));
    ASSERT_TRUE(box && box->answered == 1) << "the wait box showed";
    EXPECT_LT(clock.elapsed(), 30000) << "Cancel ended the slide program";
    EXPECT_TRUE(waitText.startsWith("Powerpoint file \"" + kDeck + "\" is being parsed.")) << qPrintable(waitText);
    ASSERT_EQ(a.f.prompt.Texts().size(), 1);
    EXPECT_TRUE(a.f.prompt.Texts()[0].startsWith("Import document(s) cancelled")) << qPrintable(a.f.prompt.Texts()[0]);
    EXPECT_EQ(a.Outline(), before);
    EXPECT_EQ(VisibleTopLevel<CDlgLongWait>(), nullptr);
}

// Guards the once-only import used up by a run that imported nothing: a linear course whose source is not a
// Word document is told so, the Import window stays open for another try, and the saved project keeps the
// import pending. The topic table's Assessable column shows its tick boxes without words.
TEST(ImportThroughWindows, NothingImportedKeepsTheImportWindowOpen)
{
    Author a;
    const QString odt = a.f.tree.Write("notes.odt", "not a Word document");
    a.ImportLinear(odt);
    ASSERT_EQ(a.f.prompt.Texts().size(), 2);   // the once-only question, then the outcome
    EXPECT_TRUE(a.f.prompt.Texts()[1].startsWith("Nothing was imported")) << qPrintable(a.f.prompt.Texts()[1]);
    EXPECT_TRUE(a.f.prompt.Texts()[1].contains("notes.odt")) << qPrintable(a.f.prompt.Texts()[1]);
    CImportSummaryView *view = a.app->ImportView();
    a.app->SwitchView(ImportViewIndex);
    EXPECT_TRUE(view->ImportButton()->isEnabled());
    EXPECT_TRUE(view->SourcePath()->isEnabled());
    EXPECT_TRUE(view->MenuRadio()->isEnabled());
    EXPECT_TRUE(a.doc->MainScreens().empty());

    view->MenuRadio()->click();
    QTableWidget *topics = view->TopicTable();
    for (int r = 0; r < topics->rowCount(); ++r)
        EXPECT_TRUE(topics->item(r, 4)->text().isEmpty()) << "row " << r;
    QTest::mouseClick(topics->viewport(), Qt::LeftButton, {}, topics->visualItemRect(topics->item(0, 4)).center());
    topics->item(0, 4)->setCheckState(Qt::Checked);
    EXPECT_TRUE(topics->item(0, 4)->text().isEmpty());
    EXPECT_EQ(a.doc->Topics()[0]->GetAssessable(), "true");

    a.SaveAndReopen();
    EXPECT_EQ(a.doc->GetImportPending(), 1);
    EXPECT_TRUE(a.app->ImportView()->ImportButton()->isEnabled());
}
