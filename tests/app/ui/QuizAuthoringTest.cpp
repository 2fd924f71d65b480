#include "AppFixture.h"
#include "CourseQueries.h"
#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishFrmVw.h"
#include "dialogs/ui/DlgAddScreen.h"
#include "dialogs/ui/DlgQuestionFillBlanks.h"
#include "dialogs/ui/DlgQuestionMultipleChoice.h"
#include "dialogs/ui/DlgRemediation.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "editor/ScreenCommands.h"
#include "editor/ui/DragDropListCtrl.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/PropertySheetView.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentLink.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTopicButton.h"
#include "model/ComponentType.h"
#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

void Type(QWidget *box, const QString &text) { TypeInto(box, text); }

template <class Kind>
std::vector<Kind *> ComponentsOf(const CCorvPage *screen)
{
    std::vector<Kind *> found;
    if (screen)
        for (const auto &c : screen->GetComponentList())
            if (auto *k = dynamic_cast<Kind *>(c.get()))
                found.push_back(k);
    return found;
}

// Everything the build lays out beside the programs (the run-time, themes, templates), the programs left out.
void CopyProgramData(const AppFixture &f)
{
    const QDir built(QStringLiteral(CORV_BUILT_PROGRAM_FOLDER));
    for (const QFileInfo &entry : built.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString target = f.ProgramFolder() + u'/' + entry.fileName();
        if ((entry.isFile() && entry.isExecutable()) || (entry.isFile() && QFileInfo::exists(target)))
            continue;
        ASSERT_EQ(QProcess::execute("cp", {"-R", entry.absoluteFilePath(), target}), 0) << qPrintable(target);
    }
}

// Drops a new item of the outline page's kind ("remediation", ...) on the outline row titled so.
void DropOnOutline(CEditFrmVw *view, const QString &title, const QByteArray &kind)
{
    view->Navigator()->setCurrentIndex(1);
    CDragDropTreeCtrl *tree = view->Tree();
    const QList<QTreeWidgetItem *> rows = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(rows.size(), 1);
    QMimeData mime;
    mime.setData(QString::fromLatin1(CDragDropTreeCtrl::kNewMime), kind);
    const QPoint point = tree->visualItemRect(rows.first()).center();
    QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &enter);
    QDragMoveEvent move(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &move);
    ASSERT_TRUE(move.isAccepted());
    QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &drop);
}

} // namespace

// Guards the author's whole way from an empty course to a quiz a learner takes: a content screen, a
// multiple-choice question and a fill-in-the-blanks question made through the Edit window's menu commands
// and their dialogs, a remediation group dropped on the outline and edited through the menu; the saved
// project reopens with all of them, and the published course, answered right and wrong in headless
// Chromium, gives each answer the feedback the question was made with.
TEST(AuthoredCourse, QuizMadeThroughTheMenusAnswersInTheBrowser)
{
    AppFixture f;
    CopyProgramData(f);
    const QString path = f.WriteProject("p/Quiz.kvx", {{"1", "Welcome", pt_document}}, "Fire Safety");
    auto app = f.Start({"corvessa", path});
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    view->resize(900, 600);
    QApplication::processEvents();
    CMainFrame *frame = app->MainFrame();
    CCorvessaDoc *doc = app->Document();
    ASSERT_TRUE(view->GetCurrentPage());

    bool answered = false;
    AnswerNextDialog<CDlgAddScreen>(
        [](CDlgAddScreen *d) {
            const QList<QListWidgetItem *> rows = d->TemplateList()->findItems("Text only", Qt::MatchStartsWith);
            ASSERT_EQ(rows.size(), 1);
            d->TemplateList()->setCurrentItem(rows.first());
            ClickOk(d);
        },
        &answered);
    frame->Action(CorvCommand::NewScreen)->trigger();
    ASSERT_TRUE(answered);
    ASSERT_TRUE(ScreenTitled(*doc, CScreenCommands::kNewScreenTitle));

    answered = false;
    AnswerNextDialog<CDlgQuestionMultipleChoice>(
        [](CDlgQuestionMultipleChoice *d) {
            Type(d->StemBox(), "Which exit is the nearest?");
            Type(d->OptionBox(0), "The lift");
            Type(d->OptionBox(1), "The stairs by the door");
            QTest::mouseClick(d->CorrectBox(1), Qt::LeftButton);
            ClickOk(d);
        },
        &answered);
    frame->Action(CorvCommand::InsertMultipleChoice)->trigger();
    ASSERT_TRUE(answered);
    ASSERT_TRUE(QuestionOn<CComponentMultipleChoice>(ScreenTitled(*doc, "Multiple Choice")));

    answered = false;
    AnswerNextDialog<CDlgQuestionFillBlanks>(
        [](CDlgQuestionFillBlanks *d) {
            d->QuestionBox()->selectAll();
            Type(d->QuestionBox(), "Fire exits are marked in ****.");
            Type(d->WordBox(0), "green");
            ClickOk(d);
        },
        &answered);
    frame->Action(CorvCommand::InsertFillBlanks)->trigger();
    ASSERT_TRUE(answered);
    ASSERT_TRUE(QuestionOn<CComponentFillBlanks>(ScreenTitled(*doc, "Fill in Blanks")));

    // The remediation group comes from the outline page; its settings are changed again through the menu.
    answered = false;
    AnswerNextDialog<CDlgRemediation>(
        [](CDlgRemediation *d) {
            const int at = d->CandidateList()->findText("Multiple Choice", Qt::MatchEndsWith);
            ASSERT_GE(at, 0);
            d->CandidateList()->setCurrentIndex(at);
            QTest::mouseClick(d->AddButton(), Qt::LeftButton);
            QTest::mouseClick(d->OkButton(), Qt::LeftButton);
        },
        &answered);
    DropOnOutline(view, "Fill in Blanks", "remediation");
    ASSERT_TRUE(answered);
    CCorvPage *remediation = ScreenTitled(*doc, "Remediation");
    ASSERT_TRUE(remediation);
    view->MakeCurrentScreen(remediation);
    QAction *editRemediation = frame->Action(CorvCommand::EditRemediation);
    frame->UpdateCommandStates();
    ASSERT_TRUE(editRemediation->isEnabled());
    answered = false;
    AnswerNextDialog<CDlgRemediation>(
        [](CDlgRemediation *d) {
            d->PassMarkBox()->setValue(60);
            QTest::mouseClick(d->OkButton(), Qt::LeftButton);
        },
        &answered);
    editRemediation->trigger();
    ASSERT_TRUE(answered);

    ASSERT_TRUE(app->OnFileSave()) << qPrintable(f.prompt.Texts().join(" | "));
    ASSERT_TRUE(app->OpenDocumentFile(path)) << qPrintable(f.prompt.Texts().join(" | "));
    doc = app->Document();
    QStringList order;
    for (const auto &s : doc->MainScreens())
        order << s->GetLabel() + " " + s->GetTitle();
    EXPECT_EQ(order.join(", "),
              "1 Welcome, 2 Click to change the label, 3 Multiple Choice, 4 Fill in Blanks, 5 Remediation");
    auto *choice = QuestionOn<CComponentMultipleChoice>(ScreenTitled(*doc, "Multiple Choice"));
    auto *blanks = QuestionOn<CComponentFillBlanks>(ScreenTitled(*doc, "Fill in Blanks"));
    ASSERT_TRUE(choice && blanks);
    EXPECT_EQ(choice->GetQuestionText(), "Which exit is the nearest?");
    EXPECT_EQ(blanks->GetWords()[0], "green");
    const auto groups = ComponentsOf<CComponentRemediation>(ScreenTitled(*doc, "Remediation"));
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups.front()->GetValues().m_passMark, 60);
    std::vector<int> counted;
    groups.front()->GetQuestionPageIds(*doc, counted);
    EXPECT_EQ(counted, std::vector<int>{ScreenTitled(*doc, "Multiple Choice")->GetId()});

    doc->MutableSettings().WarnInteractTooLow = 0;
    app->PublishView()->Controller().SetOpeners([](const QString &) {}, [](const QString &) {});
    f.prompt.SetFallback(CPrompt::yes);
    f.prompt.Clear();
    app->OnViewPublish();
    QTest::mouseClick(app->PublishView()->Button(CPublishFrmVw::Standalone), Qt::LeftButton);
    EXPECT_EQ(f.prompt.Texts().filter(QRegularExpression("^Fail|could not|cannot|missing",
                                                         QRegularExpression::CaseInsensitiveOption)),
              QStringList());
    const QString course = f.tree / "p/Quiz Published files/Standalone";
    ASSERT_TRUE(QFileInfo::exists(course + "/content/ind.htm"));

    if (QStandardPaths::findExecutable("node").isEmpty())
        GTEST_SKIP() << "node is not installed";
    const auto question = [](const QString &find, const QJsonObject &right, const QJsonObject &wrong,
                             const auto &component) {
        return QJsonObject{{"find", find},
                           {"right", right},
                           {"wrong", wrong},
                           {"correct", component.GetCorrectFeedback()},
                           {"incorrect", component.GetWrongFeedback()}};
    };
    const QJsonArray questions{
        question("Which exit is the nearest?", {{"choose", QJsonArray{1}}}, {{"choose", QJsonArray{0}}}, *choice),
        question("Fire exits are marked in", {{"type", QJsonArray{"green"}}}, {{"type", QJsonArray{"red"}}}, *blanks)};
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("NODE_PATH", QDir::cleanPath(QStringLiteral(CORV_BUILT_PROGRAM_FOLDER "/../runtime-node/node_modules")));
    check.setProcessEnvironment(environment);
    check.start("node", {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_authored_quiz.js"), course,
                         QString::fromUtf8(QJsonDocument(questions).toJson(QJsonDocument::Compact)),
                         QStringLiteral(CORV_BUILD_TEST_DIR "/authored-quiz")});
    ASSERT_TRUE(check.waitForFinished(240000));
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitCode() == 77)
        GTEST_SKIP() << qPrintable(output);
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(output);
}

// Guards the screens that follow the outline in the running Edit window: the menu shown when a course
// opens has a button per topic on the canvas (not a blank canvas), and a new screen made through the menu
// in a plain folder gives that folder a link to each of its screens, saved with the project.
TEST(AuthoredCourse, MenuButtonsAndSectionLinksInTheEditWindow)
{
    AppFixture f;
    const QString path = f.tree / "p/Menu.kvx";
    {
        CCorvContext context;
        context.prompt = &f.prompt;
        CCorvessaDoc doc(context);
        doc.OnNewDocument();
        int number = 1;
        const auto add = [&](const QString &label, const QString &title, int type) {
            return doc.AddScreen(std::make_unique<CCorvPage>(number++, title, "", "", 0, label, type, 0));
        };
        add("1", "Main menu", pt_folder)->SetMenuKind(apt_multi_topic_menu);
        add("1_1", "Safety", pt_container);
        add("1_1_1", "Exits", pt_document);
        add("1_2", "Tools", pt_folder);
        add("1_2_1", "Ladders", pt_document);
        add("1_2_2", "Gloves", pt_document);
        add("1_3", "Review", pt_container);
        add("1_3_1", "Summary", pt_document);
        doc.MutableSettings().MenuBasedCourse = 1;
        f.tree.MakeFolder("p");
        ASSERT_TRUE(CProjectFile::Save(doc, path)) << qPrintable(f.prompt.Texts().join(" | "));
    }
    auto app = f.Start({"corvessa", path});
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    view->resize(900, 600);
    QApplication::processEvents();
    CCorvessaDoc *doc = app->Document();
    CCorvPage *menu = ScreenTitled(*doc, "Main menu");
    ASSERT_EQ(view->GetCurrentPage(), menu);

    const auto buttons = ComponentsOf<CComponentTopicButton>(menu);
    QStringList titles;
    for (const CComponentTopicButton *button : buttons) {
        titles << button->GetTitle();
        auto *window = dynamic_cast<QWidget *>(button->GetComponentWindow());
        ASSERT_TRUE(window);
        EXPECT_TRUE(window->isVisible()) << qPrintable(button->GetTitle());
    }
    EXPECT_EQ(titles, QStringList({"Safety", "Tools", "Review"}));
    EXPECT_EQ(buttons.front()->GetBounds().left, 158);
    EXPECT_EQ(buttons.front()->GetBounds().top, 130);
    QDir().mkpath(QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots"));
    view->Canvas()->GrabScreen().save(QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots/menu-buttons.png"));

    // The Import window's list option turns the boxes into rows at once.
    app->OnViewImport();
    QCheckBox *asList = nullptr;
    for (QCheckBox *box : app->MainFrame()->findChildren<QCheckBox *>())
        if (box->text() == "Always &display menu items in a list")
            asList = box;
    ASSERT_TRUE(asList && asList->isEnabled());
    QTest::mouseClick(asList, Qt::LeftButton);
    ASSERT_EQ(doc->Settings().MainMenuOnlyListMenu, 1);
    const auto rows = ComponentsOf<CComponentTopicButton>(menu);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.front()->GetType(), ct_small_topic);
    EXPECT_EQ(rows.front()->GetBounds().left, 230);
    app->OnViewEdit();

    // A new screen after "Ladders" in the plain folder "Tools".
    view->MakeCurrentScreen(ScreenTitled(*doc, "Ladders"));
    bool answered = false;
    AnswerNextDialog<CDlgAddScreen>([](CDlgAddScreen *d) { ClickOk(d); }, &answered);
    app->MainFrame()->Action(CorvCommand::NewScreen)->trigger();
    ASSERT_TRUE(answered);
    QStringList captions;
    for (const CComponentLink *link : ComponentsOf<CComponentLink>(ScreenTitled(*doc, "Tools"))) {
        captions << link->GetText();
        EXPECT_EQ(link->GetBounds().bottom - link->GetBounds().top > 0, true) << qPrintable(link->GetText());
    }
    EXPECT_EQ(captions, QStringList({"Link: Ladders", "Link: " + CScreenCommands::kNewScreenTitle, "Link: Gloves"}));
    const auto links = ComponentsOf<CComponentLink>(ScreenTitled(*doc, "Tools"));
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0]->GetBounds().left, 20);
    EXPECT_EQ(links[0]->GetBounds().top, 530);
    EXPECT_EQ(links[1]->GetBounds().left, links[0]->GetBounds().right + 20);

    ASSERT_TRUE(app->OnFileSave()) << qPrintable(f.prompt.Texts().join(" | "));
    CCorvContext context;
    context.prompt = &f.prompt;
    CCorvessaDoc reread(context);
    ASSERT_TRUE(CProjectFile::Open(reread, path));
    const auto kept = ComponentsOf<CComponentLink>(ScreenTitled(reread, "Tools"));
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[2]->GetTargetLabel(), "1_2_3");
    EXPECT_EQ(kept[2]->GetTargetPage(reread), ScreenTitled(reread, "Gloves"));
    EXPECT_EQ(ComponentsOf<CComponentTopicButton>(ScreenTitled(reread, "Main menu")).size(), 3u);
}

// Guards the Edit window between a project's screens going and the views being told (a project read over
// the one being edited): the window names no current screen and the canvas lets go of the one it showed,
// instead of the command states and the canvas reading deleted screens.
TEST(AuthoredCourse, ScreensGoneBeforeTheUpdateAreNotReported)
{
    AppFixture f;
    const QString path = f.WriteProject("p/Gone.kvx", {{"1", "Welcome", pt_document}, {"2", "Exits", pt_document}});
    auto app = f.Start({"corvessa", path});
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    QApplication::processEvents();
    ASSERT_TRUE(view->GetCurrentPage());
    ASSERT_TRUE(view->Canvas()->GetCurrentScreen());

    app->Document()->ClearMainScreens();
    EXPECT_EQ(view->GetCurrentPage(), nullptr);
    view->Canvas()->SelectComponent(nullptr);
    EXPECT_EQ(view->Canvas()->GetCurrentScreen(), nullptr);
    app->MainFrame()->UpdateCommandStates();
    EXPECT_FALSE(app->MainFrame()->Action(CorvCommand::EditQuestion)->isEnabled());
}
