#include "AppFixture.h"
#include "CourseQueries.h"
#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "app/ui/MainFrame.h"
#include "dialogs/ui/DlgAddScreen.h"
#include "dialogs/ui/DlgQuestionFillBlanks.h"
#include "dialogs/ui/DlgQuestionMultipleChoice.h"
#include "dialogs/ui/DlgRemediation.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "editor/ScreenCommands.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/PropertySheetView.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

void Type(QWidget *box, const QString &text) { TypeInto(box, text); }

} // namespace

// Guards the author's path through the Edit window's commands: a content screen from the template dialog, a
// multiple-choice question (its validation message first, then OK), a fill-in-the-blanks question and a
// remediation dropped on the outline with its dialog; the saved project reopens with all of them.
TEST(ScreenCommandsUi, AuthorAddsScreensQuestionsAndRemediation)
{
    AppFixture f;
    const QString path = f.WriteProject("courses/Safety.kvx", {{"1", "Welcome", pt_document}});
    auto app = f.Start({"corvessa", path});
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    view->resize(900, 600);
    QApplication::processEvents();
    CMainFrame *frame = app->MainFrame();
    CCorvessaDoc &doc = *app->Document();
    ASSERT_TRUE(view->GetCurrentPage());

    // New screen: text only.
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
    CCorvPage *text = ScreenTitled(doc, CScreenCommands::kNewScreenTitle);
    ASSERT_TRUE(text);
    ASSERT_EQ(text->GetComponentList().size(), 1u);
    EXPECT_EQ(text->GetComponentList().front()->GetType(), ct_textbox);
    EXPECT_EQ(view->GetCurrentPage(), text);

    // Multiple choice: OK with an empty stem is refused with its message, then the filled question goes in.
    answered = false;
    AnswerNextDialog<CDlgQuestionMultipleChoice>(
        [&f](CDlgQuestionMultipleChoice *d) {
            ClickOk(d);
            EXPECT_TRUE(d->isVisible());
            EXPECT_TRUE(f.prompt.Texts().contains("Question stem can not be empty."));
            Type(d->StemBox(), "Which number is prime?");
            Type(d->OptionBox(0), "4");
            Type(d->OptionBox(1), "7");
            QTest::mouseClick(d->CorrectBox(1), Qt::LeftButton);
            ClickOk(d);
        },
        &answered);
    frame->Action(CorvCommand::InsertMultipleChoice)->trigger();
    ASSERT_TRUE(answered);
    CCorvPage *choice = ScreenTitled(doc, "Multiple Choice");
    ASSERT_TRUE(QuestionOn<CComponentMultipleChoice>(choice));
    EXPECT_EQ(view->GetCurrentPage(), choice);

    // Edit question: the dialog opens with the question's values; OK keeps the author's change.
    answered = false;
    AnswerNextDialog<CDlgQuestionMultipleChoice>(
        [](CDlgQuestionMultipleChoice *d) {
            EXPECT_EQ(d->StemBox()->toPlainText(), "Which number is prime?");
            EXPECT_TRUE(d->CorrectBox(1)->isChecked());
            d->StemBox()->moveCursor(QTextCursor::End);
            Type(d->StemBox(), " (one)");
            ClickOk(d);
        },
        &answered);
    frame->Action(CorvCommand::EditQuestion)->trigger();
    ASSERT_TRUE(answered);
    EXPECT_EQ(QuestionOn<CComponentMultipleChoice>(choice)->GetQuestionText(), "Which number is prime? (one)");

    // Fill in the blanks after it.
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
    ASSERT_TRUE(QuestionOn<CComponentFillBlanks>(ScreenTitled(doc, "Fill in Blanks")));

    // A remediation dropped after the last question, counting the multiple-choice question.
    view->Navigator()->setCurrentIndex(1);
    CDragDropTreeCtrl *tree = view->Tree();
    const QList<QTreeWidgetItem *> rows = tree->findItems("Fill in Blanks", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(rows.size(), 1);
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
    QMimeData mime;
    mime.setData(QString::fromLatin1(CDragDropTreeCtrl::kNewMime), "remediation");
    const QPoint point = tree->visualItemRect(rows.first()).center();
    QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &enter);
    QDragMoveEvent move(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &move);
    ASSERT_TRUE(move.isAccepted());
    QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &drop);
    ASSERT_TRUE(answered);
    ASSERT_TRUE(ScreenTitled(doc, "Remediation"));
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(CProjectFile::Save(doc, path));
    CCorvContext context;
    context.prompt = &f.prompt;
    CCorvessaDoc reread(context);
    ASSERT_TRUE(CProjectFile::Open(reread, path));
    QStringList order;
    for (const auto &s : reread.MainScreens())
        order << s->GetLabel() + " " + s->GetTitle();
    EXPECT_EQ(order.join(", "),
              "1 Welcome, 2 Click to change the label, 3 Multiple Choice, 4 Fill in Blanks, 5 Remediation");
    auto *mc = QuestionOn<CComponentMultipleChoice>(ScreenTitled(reread, "Multiple Choice"));
    ASSERT_TRUE(mc);
    EXPECT_EQ(mc->GetQuestionText(), "Which number is prime? (one)");
    EXPECT_EQ(mc->GetOptions()[1], "7");
    EXPECT_EQ(mc->GetCorrectFlags()[0], 0);
    EXPECT_EQ(mc->GetCorrectFlags()[1], 1);
    auto *blanks = QuestionOn<CComponentFillBlanks>(ScreenTitled(reread, "Fill in Blanks"));
    ASSERT_TRUE(blanks);
    EXPECT_EQ(blanks->GetQuestionText(), "Fire exits are marked in ****.");
    EXPECT_EQ(blanks->GetWords()[0], "green");
    std::vector<CComponentBase *> found;
    ScreenTitled(reread, "Remediation")->GetComponentsOfType(ct_remediation, found);
    ASSERT_EQ(found.size(), 1u);
    auto *remediation = dynamic_cast<CComponentRemediation *>(found.front());
    ASSERT_TRUE(remediation);
    std::vector<int> counted;
    remediation->GetQuestionPageIds(reread, counted);
    EXPECT_EQ(counted, std::vector<int>{ScreenTitled(reread, "Multiple Choice")->GetId()});
    EXPECT_EQ(remediation->GetValues().m_passMark, 80);
}

// Guards Cancel in every screen command: nothing is added and the project stays unmodified; and the
// question commands are greyed where no question may go.
TEST(ScreenCommandsUi, CancelChangesNothing)
{
    AppFixture f;
    const QString path = f.WriteProject("courses/Plain.kvx", {{"1", "Welcome", pt_document}});
    auto app = f.Start({"corvessa", path});
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    QApplication::processEvents();
    CCorvessaDoc &doc = *app->Document();
    doc.SetModifiedFlag(false);
    for (int command : {int(CorvCommand::NewScreen), int(CorvCommand::InsertMultipleChoice),
                        int(CorvCommand::InsertFillBlanks), int(CorvCommand::InsertTrueFalse),
                        int(CorvCommand::ToolsAddTable)}) {
        bool answered = false;
        AnswerNextDialog<QDialog>([](QDialog *d) { d->reject(); }, &answered);
        app->MainFrame()->OnCommand(command);
        EXPECT_TRUE(answered) << command;
        EXPECT_EQ(doc.MainScreens().size(), 1u) << command;
        EXPECT_TRUE(view->GetCurrentPage()->GetComponentList().empty()) << command;
        EXPECT_FALSE(doc.IsModified()) << command;
    }
}

// Guards the edit bar's two menus: the question menu lists the nine kinds on a content screen and does not
// open on a folder; the screen menu's "New Screen..." adds a screen through the template dialog.
TEST(ScreenCommandsUi, EditBarMenus)
{
    AppFixture f;
    const QString path = f.WriteProject("courses/Menus.kvx", {{"1", "Topic", pt_folder}, {"1_1", "Page", pt_document}});
    auto app = f.Start({"corvessa", path});
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    QApplication::processEvents();
    auto openMenu = [&](int command) -> QMenu * {
        view->OnCommand(command);
        for (QMenu *menu : view->findChildren<QMenu *>())
            if (menu->isVisible())
                return menu;
        return nullptr;
    };
    ASSERT_EQ(view->GetCurrentPage()->GetTitle(), "Topic");
    EXPECT_EQ(openMenu(CorvCommand::AddQuestionMenu), nullptr);

    view->MakeCurrentScreen(ScreenTitled(*app->Document(), "Page"));
    QMenu *questions = openMenu(CorvCommand::AddQuestionMenu);
    ASSERT_TRUE(questions);
    EXPECT_EQ(questions->actions().size(), 9);
    questions->close();

    QMenu *screens = openMenu(CorvCommand::AddScreenMenu);
    ASSERT_TRUE(screens);
    ASSERT_EQ(screens->actions().size(), 2);
    QAction *newScreen = screens->actions().first();
    EXPECT_TRUE(newScreen->isEnabled());
    bool answered = false;
    AnswerNextDialog<CDlgAddScreen>([](CDlgAddScreen *d) { ClickOk(d); }, &answered);
    screens->close();
    newScreen->trigger();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(ScreenTitled(*app->Document(), CScreenCommands::kNewScreenTitle));
}
