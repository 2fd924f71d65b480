#include "AppFixture.h"
#include "CourseQueries.h"
#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishFrmVw.h"
#include "dialogs/ui/DlgAddFlashQuestion.h"
#include "dialogs/ui/DlgFreeFormText.h"
#include "dialogs/ui/DlgLikertQuestion.h"
#include "dialogs/ui/DlgQuestionMatchPairs.h"
#include "dialogs/ui/DlgQuestionPartsIdentification.h"
#include "dialogs/ui/PartTargetsView.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "editor/ScreenCommands.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/QuestionWindows.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentPartIdentification.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Replaces what the box holds by the text, typed.
void Type(QWidget *box, const QString &text)
{
    box->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->selectAll();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

QString WritePng(const QString &path, int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

// A linear quiz to put questions in: a welcome folder with one screen, and the final performance screens
// "Well done" and "Not yet" of an assessment whose pass mark is 50 %.
QString WriteQuiz(AppFixture &f, const QString &relative)
{
    CCorvContext context;
    context.prompt = &f.prompt;
    CCorvessaDoc doc(context);
    doc.OnNewDocument();
    doc.ClearMainScreens();
    const auto screen = [&doc](int id, const QString &label, int type, const QString &title) {
        return doc.AddScreen(std::make_unique<CCorvPage>(id, title, "", "", 0, label, type, -1));
    };
    screen(1, "1", pt_folder, "Welcome");
    screen(2, "1_1", pt_document, "Start");
    screen(3, "2", pt_asmt_folder, "Final Performance Screens");
    screen(4, "2_1", pt_asmt_document, "Well done");
    screen(5, "2_2", pt_asmt_document, "Not yet");
    CCourseSettings &s = doc.MutableSettings();
    s.MenuBasedCourse = 0;
    s.LastAssessmentTopic = 1;
    s.SetPercentagePassMark = 1;
    s.PercentagePassMark = 50;
    s.WarnInteractTooLow = 0;
    const QString path = f.tree / relative;
    f.tree.MakeFolder(QFileInfo(path).path().mid(f.tree.Path().size() + 1));
    EXPECT_TRUE(CProjectFile::Save(doc, path)) << qPrintable(f.prompt.Texts().join(" | "));
    return path;
}

void Shot(QWidget *widget, const QString &name)
{
    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    widget->grab().save(folder + QStringLiteral("/question-course-%1.png").arg(name));
}

// The Edit window of a started application over the quiz, able to publish (the program folder holds the
// built run-time, themes and templates).
struct QuizApp {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CCorvessaDoc *doc = nullptr;
    CEditFrmVw *view = nullptr;
    QString project;

    QuizApp()
    {
        const QDir built(QStringLiteral(CORV_BUILT_PROGRAM_FOLDER));
        for (const QFileInfo &entry : built.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
            const QString target = f.ProgramFolder() + u'/' + entry.fileName();
            if ((entry.isFile() && entry.isExecutable()) || (entry.isFile() && QFileInfo::exists(target)))
                continue;
            EXPECT_EQ(QProcess::execute("cp", {"-R", entry.absoluteFilePath(), target}), 0) << qPrintable(target);
        }
        project = WriteQuiz(f, "p/Birds.kvx");
        app = f.Start({"corvessa", project});
        doc = app->Document();
        view = app->EditView();
        app->OnViewEdit();
        view->resize(1300, 800);
        app->PublishView()->Controller().SetOpeners([](const QString &) {}, [](const QString &) {});
        QApplication::processEvents();
        f.prompt.Clear();
        f.prompt.SetFallback(CPrompt::yes);
    }

    void Command(int command) { app->MainFrame()->OnCommand(command); }
    // The question's window on the canvas, with its screen the current one.
    QWidget *WindowOn(CCorvPage *screen)
    {
        view->MakeCurrentScreen(screen);
        QApplication::processEvents();
        CComponentBase *question = CScreenCommands::FindQuestionComponent(*screen);
        return question ? dynamic_cast<QWidget *>(question->GetComponentWindow()) : nullptr;
    }
    // A double click on the question's window, as the author opens its dialog from the canvas; returns once
    // the dialog has been answered (or after a second without it).
    void DoubleClick(CCorvPage *screen, const bool &answered, QPoint at = QPoint(40, 8))
    {
        QWidget *window = WindowOn(screen);
        ASSERT_NE(window, nullptr);
        QTest::mouseDClick(window, Qt::LeftButton, {}, at);
        // The dialog opens from the event loop, once the click is over; the caller checks that it came.
        static_cast<void>(QTest::qWaitFor([&answered] { return answered; }, 1000));
    }
    QStringList Failures() const
    {
        return f.prompt.Texts().filter(
            QRegularExpression("^Fail|could not|cannot|missing", QRegularExpression::CaseInsensitiveOption));
    }
};

} // namespace

// Guards the author's whole path for the newer question kinds: match pairs, part identification,
// free-form text, the slider and the Flash question are written through their dialogs, shown in their
// windows on the canvas, edited again from there (a double click) or with Edit question, saved and
// reopened with the edits; then the published quiz, taken in headless Chromium, scores 100 % answered
// right and 0 % answered wrong.
TEST(QuestionCourse, AuthorWritesEditsSavesAndPublishesTheQuestions)
{
    QuizApp a;
    CCorvessaDoc &doc = *a.doc;
    a.view->MakeCurrentScreen(ScreenTitled(doc, "Start"));
    const QString engine = WritePng(a.f.tree / "engine.png", 300, 200, QColor(120, 120, 130));
    const QString gull = WritePng(a.f.tree / "gull.png", 80, 60, QColor(230, 230, 230));
    const QString movie = a.f.tree.Write("quiz.swf", "FWS");

    bool answered = false;
    AnswerNextDialog<CDlgQuestionMatchPairs>(
        [&](CDlgQuestionMatchPairs *d) {
            Type(d->QuestionBox(), "Match each bird to its food.");
            const char *left[] = {"Gull", "Puffin", "Heron"};
            const char *right[] = {"Chips", "Sand eels", "Frogs"};
            for (int i = 0; i < 3; ++i) {
                Type(d->SideBox(i), left[i]);
                Type(d->SideBox(5 + i), right[i]);
            }
            d->fileDialogs = &a.f.dialogs;
            a.f.dialogs.answers = {gull};
            QTest::mouseClick(d->AddButton(0), Qt::LeftButton);
            ClickOk(d);
        },
        &answered);
    a.Command(CorvCommand::InsertMatchPairs);
    ASSERT_TRUE(answered);
    CCorvPage *pairsScreen = a.view->GetCurrentPage();
    ASSERT_TRUE(QuestionOn<CComponentMatchPairs>(pairsScreen));

    answered = false;
    AnswerNextDialog<CDlgQuestionPartsIdentification>(
        [&](CDlgQuestionPartsIdentification *d) {
            Type(d->QuestionBox(), "Find the engine's two valves.");
            d->fileDialogs = &a.f.dialogs;
            a.f.dialogs.answers = {engine};
            QTest::mouseClick(d->BrowseButton(), Qt::LeftButton);
            d->TargetsList()->setCurrentIndex(1);
            d->ToMatchList()->setCurrentIndex(0);
            ClickOk(d);
        },
        &answered);
    a.Command(CorvCommand::InsertPartIdentification);
    ASSERT_TRUE(answered);
    CCorvPage *partsScreen = a.view->GetCurrentPage();
    auto *parts = QuestionOn<CComponentPartIdentification>(partsScreen);
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->GetTargetCount(), 2);
    // The default squares over the centred 300 x 200 picture: 10 and 50 pixels in from its corner.
    EXPECT_EQ(parts->GetTargetRectOnImage(0), CRect(10, 10, 40, 40));
    EXPECT_EQ(parts->GetTargetRectOnImage(1), CRect(50, 10, 80, 40));

    answered = false;
    AnswerNextDialog<CDlgFreeFormText>(
        [&](CDlgFreeFormText *d) {
            Type(d->InstructionBox(), "How does a gull feed its chicks?");
            Type(d->KeywordBox(0), "beak");
            Type(d->KeywordBox(1), "regurgitates;brings up");
            d->NumberToMatchList()->setCurrentIndex(2);
            ClickOk(d);
        },
        &answered);
    a.Command(CorvCommand::InsertFreeFormText);
    ASSERT_TRUE(answered);
    CCorvPage *wordsScreen = a.view->GetCurrentPage();
    ASSERT_TRUE(QuestionOn<CComponentFreeFormText>(wordsScreen));

    answered = false;
    AnswerNextDialog<CDlgLikertQuestion>(
        [&](CDlgLikertQuestion *d) {
            Type(d->QuestionBox(), "How many eggs does a guillemot lay in ten years?");
            Type(d->StartBox(), "0");
            Type(d->EndBox(), "10");
            Type(d->CorrectValueBox(), "7");
            Type(d->StartLabelBox(), "None");
            Type(d->EndLabelBox(), "Ten");
            ClickOk(d);
        },
        &answered);
    a.Command(CorvCommand::InsertLikert);
    ASSERT_TRUE(answered);
    CCorvPage *sliderScreen = a.view->GetCurrentPage();
    ASSERT_TRUE(QuestionOn<CComponentLikert>(sliderScreen));

    answered = false;
    AnswerNextDialog<DlgAddFlashQuestion>(
        [&](DlgAddFlashQuestion *d) {
            Type(d->FileBox(), movie);
            ClickOk(d);
        },
        &answered);
    a.Command(CorvCommand::InsertFlashQuestion);
    ASSERT_TRUE(answered);
    CCorvPage *flashScreen = a.view->GetCurrentPage();
    ASSERT_TRUE(QuestionOn<CComponentFlashQuestion>(flashScreen));
    EXPECT_EQ(a.Failures(), QStringList());

    // The windows on the canvas show what the dialogs wrote.
    QWidget *pairsWindow = a.WindowOn(pairsScreen);
    ASSERT_TRUE(dynamic_cast<CWndMatchPairs *>(pairsWindow));
    Shot(pairsWindow, "match-pairs");
    auto *partsWindow = dynamic_cast<CWndPartIdentification *>(a.WindowOn(partsScreen));
    ASSERT_TRUE(partsWindow);
    EXPECT_EQ(partsWindow->PictureWindow()->PartCount(), 2);
    EXPECT_EQ(partsWindow->PictureWindow()->PictureRect(), CRect(225, 0, 525, 200));
    Shot(partsWindow, "part-identification");
    QWidget *sliderWindow = a.WindowOn(sliderScreen);
    ASSERT_TRUE(dynamic_cast<CWndLikert *>(sliderWindow));
    Shot(sliderWindow, "slider");
    Shot(a.view->Canvas(), "canvas-slider");

    // Edited again: from the canvas with a double click, or with Edit question.
    answered = false;
    AnswerNextDialog<CDlgQuestionMatchPairs>(
        [](CDlgQuestionMatchPairs *d) {
            EXPECT_EQ(d->SideBox(1)->text(), "Puffin");
            Type(d->QuestionBox(), "Match each sea bird to its food.");
            ClickOk(d);
        },
        &answered);
    a.DoubleClick(pairsScreen, answered);
    EXPECT_TRUE(answered) << "a double click on the match-pairs window opens its dialog";
    answered = false;
    AnswerNextDialog<CDlgQuestionPartsIdentification>(
        [](CDlgQuestionPartsIdentification *d) {
            EXPECT_EQ(d->PictureArea()->GetPartRect(1), CRect(275, 10, 305, 40));
            Type(d->QuestionBox(), "Find both valves of the engine.");
            ClickOk(d);
        },
        &answered);
    a.DoubleClick(partsScreen, answered);
    EXPECT_TRUE(answered) << "a double click beside the part picture opens its dialog";
    answered = false;
    AnswerNextDialog<CDlgLikertQuestion>(
        [](CDlgLikertQuestion *d) {
            EXPECT_EQ(d->CorrectValueBox()->text(), "7");
            Type(d->EndLabelBox(), "Ten eggs");
            ClickOk(d);
        },
        &answered);
    a.DoubleClick(sliderScreen, answered, QPoint(40, 300));
    EXPECT_TRUE(answered) << "a double click on the slider window opens its dialog";
    answered = false;
    AnswerNextDialog<CDlgFreeFormText>(
        [](CDlgFreeFormText *d) {
            EXPECT_EQ(d->KeywordBox(0)->text(), "beak");
            Type(d->InstructionBox(), "How does a gull feed its young?");
            ClickOk(d);
        },
        &answered);
    a.view->MakeCurrentScreen(wordsScreen);
    a.Command(CorvCommand::EditQuestion);
    EXPECT_TRUE(answered);
    answered = false;
    AnswerNextDialog<DlgAddFlashQuestion>(
        [](DlgAddFlashQuestion *d) {
            Type(d->FlashVarsBox(), "level=2");
            ClickOk(d);
        },
        &answered);
    a.view->MakeCurrentScreen(flashScreen);
    a.Command(CorvCommand::EditQuestion);
    EXPECT_TRUE(answered);

    // Saved and read back: every edit is there.
    ASSERT_TRUE(CProjectFile::Save(doc, a.project)) << qPrintable(a.f.prompt.Texts().join(" | "));
    {
        CCorvContext context;
        context.prompt = &a.f.prompt;
        CCorvessaDoc reread(context);
        ASSERT_TRUE(CProjectFile::Open(reread, a.project));
        auto *p = QuestionOn<CComponentMatchPairs>(ScreenTitled(reread, pairsScreen->GetTitle()));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->GetQuestionText(), "Match each sea bird to its food.");
        EXPECT_EQ(p->GetRightTexts()[1], "Sand eels");
        EXPECT_FALSE(p->GetLeftImages()[0].isEmpty());
        auto *t = QuestionOn<CComponentPartIdentification>(ScreenTitled(reread, partsScreen->GetTitle()));
        ASSERT_TRUE(t);
        EXPECT_EQ(t->GetQuestionText(), "Find both valves of the engine.");
        EXPECT_EQ(t->GetTargetCount(), 2);
        EXPECT_EQ(t->GetTargetRectOnImage(1), CRect(50, 10, 80, 40));
        auto *w = QuestionOn<CComponentFreeFormText>(ScreenTitled(reread, wordsScreen->GetTitle()));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->GetValues().m_instruction, "How does a gull feed its young?");
        EXPECT_EQ(w->GetValues().m_keywords[1], "regurgitates;brings up");
        auto *s = QuestionOn<CComponentLikert>(ScreenTitled(reread, sliderScreen->GetTitle()));
        ASSERT_TRUE(s);
        EXPECT_EQ(s->GetEndLabel(), "Ten eggs");
        EXPECT_EQ(s->GetCorrectValue(), 7.0f);
        auto *m = QuestionOn<CComponentFlashQuestion>(ScreenTitled(reread, flashScreen->GetTitle()));
        ASSERT_TRUE(m);
        EXPECT_EQ(m->GetFlashVars(), "level=2");
    }

    // Published, and taken in the browser right and wrong.
    a.f.prompt.Clear();
    a.app->OnViewPublish();
    QTest::mouseClick(a.app->PublishView()->Button(CPublishFrmVw::Standalone), Qt::LeftButton);
    ASSERT_EQ(a.Failures(), QStringList());
    const QString course = a.f.tree / "p/Birds Published files/Standalone";
    ASSERT_TRUE(QFileInfo::exists(course + "/content/ind.htm"));
    if (QStandardPaths::findExecutable("node").isEmpty())
        GTEST_SKIP() << "node is not installed";
    const char *answers = R"({
        "pairs": {"right": {"pairs": [0, 1, 2]}, "wrong": {"pairs": [1, 0, 2]}},
        "parts": {"right": {"marks": [[25, 25], [65, 25]]}, "wrong": {"marks": [[25, 25], [250, 150]]}},
        "words": {"right": {"write": "It brings up food and the chick pecks its BEAK."},
                  "wrong": {"write": "It brings fish in its beaks."}},
        "slider": {"right": {"keys": ["End", "ArrowLeft", "ArrowLeft", "ArrowLeft"]}, "wrong": {"keys": ["End"]}}
    })";
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("NODE_PATH",
                       QDir::cleanPath(QStringLiteral(CORV_BUILT_PROGRAM_FOLDER "/../runtime-node/node_modules")));
    check.setProcessEnvironment(environment);
    check.start("node", {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_question_course.js"), course,
                         QString::fromLatin1(answers), QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots")});
    ASSERT_TRUE(check.waitForFinished(240000));
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitCode() == 77)
        GTEST_SKIP() << qPrintable(output);
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(output);
}
