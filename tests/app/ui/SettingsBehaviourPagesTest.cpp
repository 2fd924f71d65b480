#include "AppFixture.h"
#include "SettingsDriving.h"
#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "app/ui/ChildDlgAssessment.h"
#include "app/ui/ChildDlgButtons.h"
#include "app/ui/ChildDlgInteractivity.h"
#include "app/ui/ChildDlgManagement.h"
#include "app/ui/ChildDlgParagraphQuest.h"
#include "app/ui/ImportSummaryView.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishFrmVw.h"
#include "app/ui/PropPageManagementLAN.h"
#include "app/ui/PropPageManagementLMS.h"
#include "app/ui/PropPageManagementWeb.h"
#include "app/ui/SettingsFrmVw.h"
#include "dialogs/ui/DlgFeedBack.h"
#include "app/ui/controls/SpinEdit.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/ComponentMultipleChoice.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

using CorvButtonsRules::Back;
using CorvButtonsRules::Done;
using CorvButtonsRules::Next;
using CorvButtonsRules::Quit;

// Replaces what an edit holds by typing, as an author does: focus, select all, type.
void Type(QWidget *edit, const QString &text)
{
    // The focus moves only in the active window.
    if (QApplication::activeWindow() != edit->window()) {
        edit->window()->activateWindow();
        (void)QTest::qWaitForWindowActive(edit->window(), 1000);
    }
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

// Leaves the edit for the next control, as Tab does. Where the window system has not made the window active,
// the focus cannot move: the edit is then told that it lost the focus, as Tab would have told it.
void Leave(QWidget *edit)
{
    QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == edit || edit->isAncestorOf(focus))) {
        QTest::keyClick(focus, Qt::Key_Tab);
        ASSERT_FALSE(edit->hasFocus());
        return;
    }
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
}

void Click(QAbstractButton *button)
{
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << qPrintable(button->text());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// The same in a box that takes typing, where Home and End belong to the text: Up and Down to the entry.
void ChooseInEditable(QComboBox *box, const QString &text)
{
    box->setFocus(Qt::OtherFocusReason);
    const int target = box->findText(text, Qt::MatchFixedString);
    ASSERT_GE(target, 0) << qPrintable(text);
    while (box->currentIndex() < target)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > target)
        QTest::keyClick(box, Qt::Key_Up);
    ASSERT_EQ(box->currentText(), box->itemText(target));
}

QStringList Entries(const QComboBox *box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries.append(box->itemText(i));
    return entries;
}

bool Shown(const QWidget *widget, const QWidget *page) { return widget->isVisibleTo(page); }

// A saved project with the settings the function gives, and two popups-only screens that may serve as Help.
QString WriteCourse(AppFixture &f, const QString &relative, const std::function<void(CCorvessaDoc &)> &settings)
{
    CCorvContext context;
    context.prompt = &f.prompt;
    CCorvessaDoc doc(context);
    doc.OnNewDocument();
    doc.AddScreen(std::make_unique<CCorvPage>(1, "Welcome", "", "", 0, "1", pt_document, 0));
    doc.AddScreen(std::make_unique<CCorvPage>(50, "Help", "", "", 0, "P1", pt_document, 0), nullptr, true);
    doc.AddScreen(std::make_unique<CCorvPage>(51, "Tips", "", "", 0, "P2", pt_document, 0), nullptr, true);
    settings(doc);
    const QString path = f.tree / relative;
    f.tree.MakeFolder(QFileInfo(path).path().mid(f.tree.Path().size() + 1));
    EXPECT_TRUE(CProjectFile::Save(doc, path)) << qPrintable(f.prompt.Texts().join(" | "));
    return path;
}

// The application started (and a project opened, when one is given), its main window active so that the
// focus moves as the author moves it, and the messages of start-up forgotten.
struct PagesApp {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CCorvessaDoc *doc = nullptr;
    CSettingsFrmVw *view = nullptr;

    explicit PagesApp(const std::function<void(CCorvessaDoc &)> &settings = {})
    {
        const QString project = settings ? WriteCourse(f, "p/Fixture.kvx", settings) : QString();
        app = f.Start();
        if (!project.isEmpty()) {
            EXPECT_TRUE(app->OpenDocumentFile(project)) << qPrintable(f.prompt.Texts().join(" | "));
        }
        doc = app->Document();
        view = app->SettingsView();
        app->OnViewSettings();
        app->MainFrame()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(app->MainFrame()));
        f.prompt.Clear();
        f.prompt.SetFallback(CPrompt::ok);
    }

    template <class PageKind>
    PageKind *Show(int category)
    {
        ClickCategory(view, category);
        EXPECT_EQ(view->VisibleCategory(), category);
        return qobject_cast<PageKind *>(view->Page(category));
    }
    CChildDlgManagement *Management(int tab = 0)
    {
        auto *page = Show<CChildDlgManagement>(CSettingsFrmVw::Management);
        page->Sheet()->setCurrentIndex(tab);
        return page;
    }
    const CCourseSettings &S() const { return doc->Settings(); }
    QStringList Told() const { return f.prompt.Texts(); }
};

} // namespace

// Guards what a new course shows on each page: the defaults of the document, the dependent controls
// unavailable where their switch is off, and the management sheet opening on its LAN tab with the other two
// already filled.
TEST(SettingsBehaviourPages, NewCourseShowsTheDefaults)
{
    PagesApp a;
    auto *m = a.Show<CChildDlgManagement>(CSettingsFrmVw::Management);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Sheet()->currentIndex(), 0);
    EXPECT_EQ(m->Sheet()->tabText(0), "LAN-based database");
    EXPECT_EQ(m->Sheet()->tabText(1), "Web-based database");
    EXPECT_EQ(m->Sheet()->tabText(2), "             LMS             ");
    EXPECT_FALSE(m->RecordDataCheck()->isChecked());
    EXPECT_FALSE(m->SignInCheck()->isChecked());
    EXPECT_FALSE(m->ResumeCheck()->isChecked() || m->ResumeCheck()->isEnabled());
    for (QCheckBox *field : {m->NameCheck(), m->IdCheck(), m->PasswordCheck()})
        EXPECT_TRUE(field->isChecked() && !field->isEnabled()) << qPrintable(field->text());
    EXPECT_EQ(m->NameLabelEdit()->text(), "Name");
    EXPECT_EQ(m->IdLabelEdit()->text(), "ID");
    EXPECT_EQ(m->PasswordLabelEdit()->text(), "Password");
    EXPECT_FALSE(m->NameLabelEdit()->isEnabled());
    EXPECT_FALSE(m->EmailCheck()->isChecked());
    EXPECT_EQ(m->EmailEdit()->text(), "Enter email address here");
    EXPECT_FALSE(m->EmailEdit()->isEnabled());

    CPropPageManagementLAN *lan = m->LanPage();
    EXPECT_EQ(lan->TableEdit()->text(), "Table1");
    EXPECT_EQ(lan->Table2Edit()->text(), "Table2");
    EXPECT_TRUE(lan->DsnRadio()->isChecked());
    EXPECT_EQ(lan->UidEdit()->text(), "Admin");
    EXPECT_EQ(lan->PasswordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(lan->DsnEdit()->isEnabled());
    EXPECT_FALSE(lan->ProviderEdit()->isEnabled() || lan->DataSourceEdit()->isEnabled() || lan->SundryEdit()->isEnabled());

    CPropPageManagementWeb *web = m->WebPage();
    EXPECT_TRUE(web->AspRadio()->isChecked());
    EXPECT_EQ(web->FirstRadio()->text(), "Data source name");
    EXPECT_TRUE(web->FirstRadio()->isChecked());
    EXPECT_EQ(web->TableEdit()->text(), "Table1");
    EXPECT_EQ(web->Table2Edit()->text(), "Table2");
    EXPECT_EQ(web->UidEdit()->text(), "Admin");
    EXPECT_FALSE(Shown(web->DbTypeBox(), web));
    EXPECT_EQ(web->AspPasswordEdit()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(web->PhpPasswordEdit()->echoMode(), QLineEdit::Password);

    CPropPageManagementLMS *lms = m->LmsPage();
    EXPECT_TRUE(lms->ScormRadio()->isChecked());
    EXPECT_TRUE(lms->Version12Radio()->isChecked());
    EXPECT_FALSE(lms->PackageCheck()->isChecked());
    EXPECT_EQ(lms->CompatibleBox()->currentText(), "Default");
    EXPECT_FALSE(Shown(lms->LessonFolderEdit(), lms));
    EXPECT_TRUE(Shown(lms->SetExitButton(), lms));

    auto *as = a.Show<CChildDlgAssessment>(CSettingsFrmVw::Assessment);
    EXPECT_FALSE(as->AssessmentCheck()->isChecked());
    for (QWidget *dependent : {static_cast<QWidget *>(as->ShowCorrectCheck()), static_cast<QWidget *>(as->FeedbackCheck()),
                               static_cast<QWidget *>(as->TimeLimitCheck()), static_cast<QWidget *>(as->PoolEdit()),
                               static_cast<QWidget *>(as->DisableBackCheck())})
        EXPECT_FALSE(dependent->isEnabled()) << qPrintable(dependent->accessibleName());
    EXPECT_TRUE(as->PassMarkCheck()->isChecked() && as->PassMarkCheck()->isEnabled());
    EXPECT_EQ(as->PassMarkEdit()->Text(), "80");
    EXPECT_TRUE(as->PassMarkEdit()->isEnabled());

    auto *b = a.Show<CChildDlgButtons>(CSettingsFrmVw::Buttons);
    for (auto button : {Next, Back, CorvButtonsRules::Menu, Quit})
        EXPECT_TRUE(b->ButtonCheck(button)->isChecked()) << button;
    EXPECT_TRUE(b->ProgressBarCheck()->isChecked());
    EXPECT_TRUE(b->GlossaryCheck()->isChecked());
    const char *labels[] = {"Next", "Back", "Menu", "Quit", "Done", "Play", "Stop"};
    for (int button = 0; button < CorvButtonsRules::kButtonCount; ++button)
        EXPECT_EQ(b->LabelBox(CorvButtonsRules::Button(button))->currentText(), labels[button]);
    EXPECT_FALSE(b->TimeBetweenScreensEdit()->isEnabled());
    EXPECT_TRUE(b->CheckmarkRadio()->isChecked());
    EXPECT_FALSE(b->DelayCheck()->isChecked());
    EXPECT_EQ(b->DelaySecondsEdit()->text(), "7");
    EXPECT_FALSE(b->DelaySecondsEdit()->isEnabled());
    EXPECT_EQ(Entries(b->HelpBox()), QStringList{"(clear selection)"});

    auto *i = a.Show<CChildDlgInteractivity>(CSettingsFrmVw::Interactivity);
    EXPECT_TRUE(i->ResponseRadio(0)->isChecked());
    EXPECT_EQ(i->ResponseRadio(0)->text(), "Show correct answer after question attempt");
    EXPECT_TRUE(i->FeedbackCheck()->isChecked() && i->DisableNextCheck()->isChecked() && i->EvaluateCheck()->isChecked());
    EXPECT_TRUE(i->OkProgressCheck()->isEnabled());
    EXPECT_FALSE(i->OkProgressCheck()->isChecked());
    EXPECT_FALSE(i->EvaluateProgressCheck()->isEnabled());

    auto *q = a.Show<CChildDlgParagraphQuest>(CSettingsFrmVw::Questions);
    EXPECT_EQ(q->IntervalEdit()->Text(), "10");
    EXPECT_EQ(q->WordCountEdit()->Text(), "6");
    EXPECT_FALSE(q->IntervalEdit()->isEnabled());
    EXPECT_FALSE(Shown(q->AutoProgressCheck(), q));
    EXPECT_EQ(std::tie(a.S().DragDropQuestInterval, a.S().DragDropQuestWordCount), std::make_tuple(10, 6));
    EXPECT_FALSE(a.doc->IsModified());
}

// Guards what a saved project shows on every page: its own values, not the page's, with the rules applied
// to them (automatic progress after OK without feedback is cleared; the delay is unavailable without Next).
TEST(SettingsBehaviourPages, FixtureProjectShowsItsValues)
{
    PagesApp a([](CCorvessaDoc &doc) {
        CCourseSettings &s = doc.MutableSettings();
        s.MenuBasedCourse = 1;
        s.RecordData = s.AllowResume = s.SignIn = 1;
        s.UseSignInID = 0;
        s.SignInName = "Learner";
        s.UseSendEmail = 1;
        s.EmailAddress = "tutor@example.org";
        s.UseLANDbDSN = 0;
        s.LANDbProvider = "Microsoft.Jet.OLEDB.4.0";
        s.LANDbPassword = "s3cret";
        s.LANDbTableName2 = "Scores";
        s.UseASP = 0;
        s.WebPHPDbType = "PostgreSQL 8";
        s.WebPHPDbType4Publish = "postgre8";
        s.WebPHPServer = "db.local";
        s.WebDbTableName2 = "Scores2";
        s.UseScorm = 0;
        s.UseOstrelle = 1;
        s.OstrelleLessonFolder = "lesson1";
        s.LastAssessmentTopic = s.ProvideFeedback = s.AutoProgressInAssessment = 1;
        s.SetTimeLimitPerQuestion = 1;
        s.TimeLimitType = 1;
        s.TimeLimitAllQuestions = 900;
        s.PercentagePassMark = 65;
        s.UseBtnNext = 0;
        s.DelayNextButton = 1;
        s.LblQuit = "Exit";
        s.McToggleType = 1;
        s.HelpScreen = 51;
        s.QuestResponse = 1;
        s.UseQuestFeedback = 0;
        s.AutoProgress = s.AutoProgressOnEvaluate = 1;
        s.AutoCreateDragDropQuest = 1;
        s.DragDropQuestInterval = 4;
        s.DragDropQuestWordCount = 8;
    });
    CChildDlgManagement *m = a.Management();
    EXPECT_TRUE(m->RecordDataCheck()->isChecked());
    EXPECT_TRUE(m->ResumeCheck()->isChecked() && m->ResumeCheck()->isEnabled());
    EXPECT_TRUE(m->NameLabelEdit()->isEnabled());
    EXPECT_EQ(m->NameLabelEdit()->text(), "Learner");
    EXPECT_FALSE(m->IdLabelEdit()->isEnabled());
    EXPECT_TRUE(m->IdCheck()->isEnabled());
    EXPECT_TRUE(m->EmailEdit()->isEnabled());
    EXPECT_EQ(m->EmailEdit()->text(), "tutor@example.org");
    EXPECT_TRUE(m->LanPage()->ConnectionRadio()->isChecked());
    EXPECT_TRUE(m->LanPage()->ProviderEdit()->isEnabled());
    EXPECT_FALSE(m->LanPage()->DsnEdit()->isEnabled());
    EXPECT_EQ(m->LanPage()->ProviderEdit()->text(), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(m->LanPage()->PasswordEdit()->text(), "s3cret");
    EXPECT_EQ(m->LanPage()->Table2Edit()->text(), "Scores");
    CPropPageManagementWeb *web = m->WebPage();
    EXPECT_TRUE(web->PhpRadio()->isChecked());
    EXPECT_TRUE(Shown(web->DbTypeBox(), web));
    EXPECT_EQ(web->DbTypeBox()->currentIndex(), 27);
    EXPECT_EQ(web->FirstRadio()->text(), "Standard parameters");
    EXPECT_EQ(web->SecondRadio()->text(), "Connection string (Windows web servers only)");
    EXPECT_FALSE(web->ConnectionStringEdit()->isEnabled());
    EXPECT_EQ(web->ServerEdit()->text(), "db.local");
    EXPECT_EQ(web->Table2Edit()->text(), "Scores2");
    CPropPageManagementLMS *lms = m->LmsPage();
    EXPECT_TRUE(lms->OstrelleRadio()->isChecked());
    EXPECT_TRUE(Shown(lms->LessonFolderEdit(), lms) && Shown(lms->OstrelleNote(), lms));
    EXPECT_EQ(lms->LessonFolderEdit()->text(), "lesson1");
    for (QWidget *scorm : {static_cast<QWidget *>(lms->SetExitButton()), static_cast<QWidget *>(lms->CompatibleBox()),
                           static_cast<QWidget *>(lms->MetadataNote()), static_cast<QWidget *>(lms->Version12Radio()),
                           static_cast<QWidget *>(lms->ScormNote())})
        EXPECT_FALSE(Shown(scorm, lms)) << qPrintable(scorm->accessibleName());

    auto *as = a.Show<CChildDlgAssessment>(CSettingsFrmVw::Assessment);
    EXPECT_TRUE(as->AssessmentCheck()->isChecked() && as->FeedbackCheck()->isChecked());
    EXPECT_TRUE(as->OkProgressCheck()->isChecked() && as->OkProgressCheck()->isEnabled());
    EXPECT_TRUE(as->AllQuestionsRadio()->isChecked());
    EXPECT_EQ(as->AllSecondsEdit()->Text(), "900");
    EXPECT_TRUE(as->AllSecondsEdit()->isEnabled());
    EXPECT_FALSE(as->EachSecondsEdit()->isEnabled());
    EXPECT_EQ(as->PassMarkEdit()->Text(), "65");
    EXPECT_EQ(a.S().AutoProgressInAssessment, 1);

    auto *b = a.Show<CChildDlgButtons>(CSettingsFrmVw::Buttons);
    EXPECT_FALSE(b->ButtonCheck(Next)->isChecked());
    EXPECT_TRUE(b->DelayCheck()->isChecked());
    EXPECT_FALSE(b->DelayCheck()->isEnabled() || b->DelaySecondsEdit()->isEnabled() || b->LastScreenCheck()->isEnabled());
    EXPECT_TRUE(b->TimeBetweenScreensEdit()->isEnabled());
    EXPECT_FALSE(b->LabelBox(Next)->isEnabled());
    EXPECT_EQ(b->LabelBox(Quit)->currentText(), "Exit");
    EXPECT_TRUE(b->LettersRadio()->isChecked());
    EXPECT_EQ(Entries(b->HelpBox()), (QStringList{"P1 : Help", "P2 : Tips", "(clear selection)"}));
    EXPECT_EQ(b->HelpBox()->currentText(), "P2 : Tips");

    auto *i = a.Show<CChildDlgInteractivity>(CSettingsFrmVw::Interactivity);
    EXPECT_TRUE(i->ResponseRadio(1)->isChecked());
    EXPECT_FALSE(i->OkProgressCheck()->isChecked() || i->OkProgressCheck()->isEnabled());
    EXPECT_TRUE(i->EvaluateProgressCheck()->isChecked() && i->EvaluateProgressCheck()->isEnabled());
    EXPECT_EQ(a.S().AutoProgress, 0);
    EXPECT_EQ(a.S().AutoProgressOnEvaluate, 1);

    auto *q = a.Show<CChildDlgParagraphQuest>(CSettingsFrmVw::Questions);
    EXPECT_TRUE(q->AutoCreateCheck()->isChecked());
    EXPECT_TRUE(q->IntervalEdit()->isEnabled());
    EXPECT_EQ(q->IntervalEdit()->Text(), "4");
    EXPECT_EQ(q->WordCountEdit()->Text(), "8");
}

// Guards the Management page's rules through its controls: Sign in opens the fields and the labels of the
// ticked ones only; in a linear course the assessment switch on the Assessment page takes resuming away at
// once (and the Import window shows the linear source as assessable), while a menu course keeps it.
TEST(SettingsBehaviourPages, ManagementSignInAndResume)
{
    PagesApp a;
    CChildDlgManagement *m = a.Management();
    Click(m->SignInCheck());
    EXPECT_EQ(a.S().SignIn, 1);
    EXPECT_TRUE(a.doc->IsModified());
    EXPECT_TRUE(m->NameCheck()->isEnabled() && m->SelfRegisterCheck()->isEnabled());
    Click(m->IdCheck());
    EXPECT_EQ(a.S().UseSignInID, 0);
    EXPECT_FALSE(m->IdLabelEdit()->isEnabled());
    EXPECT_TRUE(m->NameLabelEdit()->isEnabled() && m->PasswordLabelEdit()->isEnabled());
    Type(m->NameLabelEdit(), "Full name");
    EXPECT_EQ(a.S().SignInName, "Full name");
    Click(m->EmailCheck());
    EXPECT_TRUE(m->EmailEdit()->isEnabled());

    Click(m->RecordDataCheck());
    EXPECT_TRUE(m->ResumeCheck()->isEnabled());
    Click(m->ResumeCheck());
    EXPECT_EQ(a.S().AllowResume, 1);

    QCheckBox *assessable = nullptr;
    for (QCheckBox *box : a.app->ImportView()->findChildren<QCheckBox *>())
        if (box->text().remove(u'&') == "All questions are assessable")
            assessable = box;
    ASSERT_NE(assessable, nullptr);
    EXPECT_TRUE(assessable->isEnabled());
    auto *as = a.Show<CChildDlgAssessment>(CSettingsFrmVw::Assessment);
    Click(as->AssessmentCheck());
    EXPECT_EQ(std::tie(a.S().LastAssessmentTopic, a.S().LinearSourceAssessable), std::make_tuple(1, 1));
    EXPECT_EQ(a.S().AllowResume, 0);
    EXPECT_FALSE(m->ResumeCheck()->isChecked() || m->ResumeCheck()->isEnabled());
    // The Import window has shown the document again: the whole linear course is now the assessment.
    EXPECT_FALSE(assessable->isEnabled());

    // A menu course keeps resuming with its assessment.
    a.doc->MutableSettings().MenuBasedCourse = 1;
    m = a.Management();
    Click(m->RecordDataCheck());
    Click(m->RecordDataCheck());
    EXPECT_TRUE(m->ResumeCheck()->isEnabled());
}

// Guards the LAN tab: choosing the connection string swaps the fields (the DSN texts stay) and marks the
// project; every keystroke of a text is stored and marks it too, the second table name included, so that
// neither closing nor saving with the caret in a field loses it.
TEST(SettingsBehaviourPages, LanTabStoresEveryKeystroke)
{
    PagesApp a;
    CPropPageManagementLAN *lan = a.Management(0)->LanPage();
    Type(lan->DsnEdit(), "Results");
    EXPECT_EQ(a.S().LANDbDSN, "Results");
    EXPECT_TRUE(a.doc->IsModified());
    a.doc->SetModifiedFlag(false);
    Click(lan->ConnectionRadio());
    EXPECT_EQ(a.S().UseLANDbDSN, 0);
    EXPECT_TRUE(a.doc->IsModified());
    EXPECT_FALSE(lan->DsnEdit()->isEnabled() || lan->UidEdit()->isEnabled() || lan->PasswordEdit()->isEnabled());
    EXPECT_TRUE(lan->ProviderEdit()->isEnabled() && lan->SundryEdit()->isEnabled());
    EXPECT_EQ(a.S().LANDbDSN, "Results");
    a.doc->SetModifiedFlag(false);
    Type(lan->ProviderEdit(), "SQLOLEDB");
    EXPECT_EQ(a.S().LANDbProvider, "SQLOLEDB");
    EXPECT_TRUE(a.doc->IsModified());
    Type(lan->Table2Edit(), "Scores");
    EXPECT_EQ(a.S().LANDbTableName2, "Scores");
}

// Guards the web tab: texts are stored when their edit is left (or when the project is saved with the caret
// still in one), each technology keeps its own values, the second table is shared, and the database type is
// stored as chosen or resolved from what was typed, a change always marking the project.
TEST(SettingsBehaviourPages, WebTabCommitsWhenLeftAndKeepsBothTechnologies)
{
    PagesApp a;
    CPropPageManagementWeb *web = a.Management(1)->WebPage();
    Type(web->DsnEdit(), "CourseDb");
    EXPECT_EQ(a.S().WebASPDbDSN, "");
    EXPECT_FALSE(a.doc->IsModified());
    Leave(web->DsnEdit());
    EXPECT_EQ(a.S().WebASPDbDSN, "CourseDb");
    EXPECT_TRUE(a.doc->IsModified());
    Type(web->Table2Edit(), "Shared");
    Leave(web->Table2Edit());
    Click(web->SecondRadio());
    EXPECT_EQ(a.S().UseWebDbASPDSN, 0);
    EXPECT_TRUE(web->ProviderEdit()->isEnabled() && web->RelativePathCheck()->isEnabled());
    a.doc->SetModifiedFlag(false);
    Click(web->RelativePathCheck());
    EXPECT_EQ(a.S().UseWebASPDbRelativePath, 1);
    EXPECT_TRUE(a.doc->IsModified());

    Click(web->PhpRadio());
    EXPECT_EQ(a.S().UseASP, 0);
    EXPECT_TRUE(Shown(web->DbTypeBox(), web));
    EXPECT_TRUE(web->FirstRadio()->isChecked());
    EXPECT_FALSE(web->ConnectionStringEdit()->isEnabled());
    EXPECT_EQ(web->Table2Edit()->text(), "Shared");
    EXPECT_EQ(std::tie(a.S().WebPHPDbType, a.S().WebPHPDbType4Publish), std::make_tuple(QString(), QString()));

    a.doc->SetModifiedFlag(false);
    ChooseInEditable(web->DbTypeBox(), "PostgreSQL 8");
    EXPECT_EQ(std::tie(a.S().WebPHPDbType, a.S().WebPHPDbType4Publish), std::make_tuple(QString("PostgreSQL 8"), QString("postgre8")));
    EXPECT_TRUE(a.doc->IsModified());
    const std::tuple<QString, QString, QString, int> typed[] = {
        {"mysql", "mysql", "mysql", 14},
        {"sqlite3", "sqlite3", "sqlite3", -1},
    };
    for (const auto &[text, name, key, index] : typed) {
        Type(web->DbTypeBox()->lineEdit(), text);
        Leave(web->DbTypeBox());
        EXPECT_EQ(std::tie(a.S().WebPHPDbType, a.S().WebPHPDbType4Publish), std::tie(name, key)) << qPrintable(text);
        EXPECT_EQ(web->DbTypeBox()->currentIndex(), index) << qPrintable(text);
        EXPECT_EQ(web->DbTypeBox()->currentText(), text);
    }
    Type(web->ServerEdit(), "db.example.org");
    Leave(web->ServerEdit());
    EXPECT_EQ(a.S().WebPHPServer, "db.example.org");
    EXPECT_EQ(a.S().WebASPDbDSN, "CourseDb");

    // The caret still in the user id when the project is saved.
    Type(web->UserIdEdit(), "tutor");
    a.f.tree.MakeFolder("s");
    a.f.dialogs.answers = {a.f.tree / "s/Web.kvx"};
    a.app->MainFrame()->Action(CorvCommand::FileSaveAs)->trigger();
    EXPECT_EQ(a.S().WebPHPUserID, "tutor");
    EXPECT_FALSE(a.doc->IsModified());

    Click(web->AspRadio());
    EXPECT_EQ(web->DsnEdit()->text(), "CourseDb");
    EXPECT_EQ(web->SecondRadio()->text(), "Connection string - OLE DB Providers");
    EXPECT_TRUE(web->SecondRadio()->isChecked());
    EXPECT_FALSE(Shown(web->DbTypeBox(), web));
}

// Guards the LMS tab: Ostrelle shows only the lesson folder, typed in lower case and refused when it would
// leave its folder; "Set exit" asks with the list of the chosen version and stores that version's value,
// Cancel keeping it; every change marks the project.
TEST(SettingsBehaviourPages, LmsTabModesExitAndLessonFolder)
{
    PagesApp a;
    CPropPageManagementLMS *lms = a.Management(2)->LmsPage();
    Click(lms->OstrelleRadio());
    EXPECT_EQ(std::tie(a.S().UseScorm, a.S().UseOstrelle), std::make_tuple(0, 1));
    EXPECT_TRUE(a.doc->IsModified());
    EXPECT_FALSE(Shown(lms->SetExitButton(), lms) || Shown(lms->CompatibleBox(), lms) || Shown(lms->MetadataNote(), lms));
    EXPECT_TRUE(Shown(lms->LessonFolderLabel(), lms));
    EXPECT_EQ(lms->LessonFolderLabel()->text(), "Lesson folder name ");
    Type(lms->LessonFolderEdit(), "MyLesson");
    EXPECT_EQ(lms->LessonFolderEdit()->text(), "mylesson");
    Leave(lms->LessonFolderEdit());
    EXPECT_EQ(a.S().OstrelleLessonFolder, "mylesson");
    for (const QString bad : {"../x", "a/b", ".."}) {
        a.f.prompt.Clear();
        Type(lms->LessonFolderEdit(), bad);
        Leave(lms->LessonFolderEdit());
        EXPECT_EQ(a.S().OstrelleLessonFolder, "mylesson") << qPrintable(bad);
        EXPECT_EQ(lms->LessonFolderEdit()->text(), "mylesson");
        ASSERT_EQ(a.Told().size(), 1) << qPrintable(bad);
        EXPECT_TRUE(a.Told()[0].startsWith("The lesson folder name must be the name of one folder."));
    }

    Click(lms->ScormRadio());
    Click(lms->Version2004Radio());
    EXPECT_EQ(a.S().SCORM12, 0);
    // The exit dialog itself, answered as an author does.
    QString offered;
    QTimer::singleShot(0, [&offered] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto *list = dialog->findChild<QComboBox *>("ExitValues");
        offered = Entries(list).join(",");
        list->setCurrentIndex(list->findText("\"logout\""));
        dialog->accept();
    });
    Click(lms->SetExitButton());
    EXPECT_TRUE(offered.contains("\"normal\"")) << qPrintable(offered);
    EXPECT_EQ(a.S().ScormExit2004, "\"logout\"");
    EXPECT_EQ(a.S().ScormExit12, "\"suspend\"");
    lms->SetExitChooser([](int, const QString &, QWidget *) { return std::optional<QString>(); });
    Click(lms->SetExitButton());
    EXPECT_EQ(a.S().ScormExit2004, "\"logout\"");

    a.doc->SetModifiedFlag(false);
    ChooseByKeys(lms->CompatibleBox(), "SumTotal");
    EXPECT_EQ(a.S().LmsCompatibility, "SumTotal");
    EXPECT_TRUE(a.doc->IsModified());
    a.doc->SetModifiedFlag(false);
    Click(lms->NewWindowCheck());
    EXPECT_EQ(a.S().LmsOpensNewWindow, 1);
    EXPECT_TRUE(a.doc->IsModified());
}

// Guards the Assessment page: the feedback and Evaluate rules on the automatic-progress boxes, the time
// fields following their radio, the spin storing at once, a typed number beyond the spin's range stored
// when the field is left, and each message for a number the course could not use.
TEST(SettingsBehaviourPages, AssessmentRulesAndNumbers)
{
    PagesApp a;
    auto *as = a.Show<CChildDlgAssessment>(CSettingsFrmVw::Assessment);
    Click(as->AssessmentCheck());
    EXPECT_TRUE(as->EvaluateProgressCheck()->isEnabled());
    Click(as->EvaluateProgressCheck());
    EXPECT_EQ(a.S().AutoProgressOnEvaluateInAssessment, 1);
    Click(as->FeedbackCheck());
    EXPECT_FALSE(as->EvaluateProgressCheck()->isEnabled() || as->EvaluateProgressCheck()->isChecked());
    EXPECT_EQ(a.S().AutoProgressOnEvaluateInAssessment, 0);
    EXPECT_TRUE(as->OkProgressCheck()->isEnabled() && as->FeedbackButton()->isEnabled());
    Click(as->FeedbackCheck());
    Click(as->EvaluateProgressCheck());
    Click(as->EvaluateCheck());
    EXPECT_FALSE(as->EvaluateProgressCheck()->isEnabled() || as->EvaluateProgressCheck()->isChecked());
    EXPECT_EQ(a.S().AutoProgressOnEvaluateInAssessment, 0);

    Click(as->TimeLimitCheck());
    EXPECT_TRUE(as->EachSecondsEdit()->isEnabled());
    Click(as->AllQuestionsRadio());
    EXPECT_EQ(a.S().TimeLimitType, 1);
    EXPECT_TRUE(as->AllSecondsEdit()->isEnabled());
    EXPECT_FALSE(as->EachSecondsEdit()->isEnabled());

    as->PassMarkEdit()->setFocus();
    QTest::keyClick(as->PassMarkEdit(), Qt::Key_Up);
    EXPECT_EQ(a.S().PercentagePassMark, 81);
    EXPECT_EQ(as->PassMarkEdit()->Text(), "81");

    a.doc->SetModifiedFlag(false);
    Type(as->AllSecondsEdit(), "5000");
    EXPECT_TRUE(a.doc->IsModified());
    EXPECT_EQ(a.S().TimeLimitAllQuestions, 600);
    Leave(as->AllSecondsEdit());
    EXPECT_EQ(a.S().TimeLimitAllQuestions, 5000);
    EXPECT_TRUE(a.Told().isEmpty());

    struct Bad
    {
        CSpinEdit *edit;
        QString typed;
        int32_t CCourseSettings::*setting;
        int stored;
        QString shown;
        QString message;
    };
    const Bad bad[] = {
        {as->AllSecondsEdit(), "soon", &CCourseSettings::TimeLimitAllQuestions, 5000, "5000", "Please enter an integer."},
        {as->AllSecondsEdit(), "-30", &CCourseSettings::TimeLimitAllQuestions, 5000, "5000",
         "Please enter an integer of 0 or more."},
        {as->PassMarkEdit(), "150", &CCourseSettings::PercentagePassMark, 100, "100",
         "Please enter an integer between 0 and 100."},
        {as->PassMarkEdit(), "-1", &CCourseSettings::PercentagePassMark, 0, "0",
         "Please enter an integer between 0 and 100."},
    };
    for (const Bad &b : bad) {
        a.f.prompt.Clear();
        Type(b.edit, b.typed);
        Leave(b.edit);
        EXPECT_EQ(a.S().*b.setting, b.stored) << qPrintable(b.typed);
        EXPECT_EQ(b.edit->Text(), b.shown) << qPrintable(b.typed);
        EXPECT_EQ(a.Told(), QStringList{b.message}) << qPrintable(b.typed);
    }

}

// Guards the Buttons page: without Next the advance time applies and the Next options do not; the empty
// label is a label; the Help list offers every popups-only screen and "(clear selection)", which stores 0;
// the delay takes digits only; every change marks the project.
TEST(SettingsBehaviourPages, ButtonsPage)
{
    PagesApp a([](CCorvessaDoc &doc) { doc.MutableSettings().HelpScreen = 99; });
    auto *b = a.Show<CChildDlgButtons>(CSettingsFrmVw::Buttons);
    // The stored Help screen is gone: nothing is selected and the number stays.
    EXPECT_EQ(b->HelpBox()->currentIndex(), -1);
    EXPECT_EQ(a.S().HelpScreen, 99);
    Click(b->DelayCheck());
    EXPECT_EQ(a.S().DelayNextButton, 1);
    EXPECT_TRUE(a.doc->IsModified());
    EXPECT_TRUE(b->DelaySecondsEdit()->isEnabled());
    a.doc->SetModifiedFlag(false);
    Type(b->DelaySecondsEdit(), "1;x2");
    EXPECT_EQ(b->DelaySecondsEdit()->text(), "12");
    EXPECT_EQ(a.S().NextButtonDelay, "12");
    EXPECT_TRUE(a.doc->IsModified());

    Click(b->ButtonCheck(Next));
    EXPECT_EQ(a.S().UseBtnNext, 0);
    EXPECT_TRUE(b->TimeBetweenScreensEdit()->isEnabled());
    EXPECT_FALSE(b->LabelBox(Next)->isEnabled() || b->DelayCheck()->isEnabled() || b->DelaySecondsEdit()->isEnabled()
                 || b->LastScreenCheck()->isEnabled());
    a.f.prompt.Clear();
    Type(b->TimeBetweenScreensEdit(), "abc");
    Leave(b->TimeBetweenScreensEdit());
    EXPECT_EQ(a.Told(), QStringList{"Please enter an integer."});
    EXPECT_EQ(b->TimeBetweenScreensEdit()->Text(), "6");
    Type(b->TimeBetweenScreensEdit(), "12");
    Leave(b->TimeBetweenScreensEdit());
    EXPECT_EQ(a.S().TimeBetweenScreens, 12);

    ChooseByKeys(b->LabelBox(Quit), "");
    EXPECT_EQ(a.S().LblQuit, "");
    ChooseByKeys(b->LabelBox(Done), "Submit");
    EXPECT_EQ(a.S().LblDone, "Submit");

    EXPECT_EQ(Entries(b->HelpBox()), (QStringList{"P1 : Help", "P2 : Tips", "(clear selection)"}));
    a.doc->SetModifiedFlag(false);
    ChooseByKeys(b->HelpBox(), "P1 : Help");
    EXPECT_EQ(a.S().HelpScreen, 50);
    EXPECT_TRUE(a.doc->IsModified());
    ChooseByKeys(b->HelpBox(), "(clear selection)");
    EXPECT_EQ(a.S().HelpScreen, 0);
    a.doc->SetModifiedFlag(false);
    for (QCheckBox *box : {b->GlossaryCheck(), b->HideHelpCheck()}) {
        Click(box);
        EXPECT_TRUE(a.doc->IsModified()) << qPrintable(box->text());
        a.doc->SetModifiedFlag(false);
    }
    EXPECT_EQ(std::tie(a.S().ShowGlossary, a.S().HideHelpInAssessment), std::make_tuple(0, 0));
    EXPECT_FALSE(b->HideGlossaryCheck()->isEnabled());
}

// Guards the Interactivity and Questions pages: feedback decides which automatic progress is available; the
// missing words are stored as typed and brought within 2 to 10 when the field is left; the arrows stop at
// their ranges; the hidden mirror follows the Interactivity page.
TEST(SettingsBehaviourPages, InteractivityAndParagraphQuestions)
{
    PagesApp a;
    auto *i = a.Show<CChildDlgInteractivity>(CSettingsFrmVw::Interactivity);
    Click(i->OkProgressCheck());
    EXPECT_EQ(a.S().AutoProgress, 1);
    Click(i->FeedbackCheck());
    EXPECT_EQ(a.S().AutoProgress, 0);
    EXPECT_FALSE(i->OkProgressCheck()->isEnabled() || i->OkProgressCheck()->isChecked());
    EXPECT_TRUE(i->EvaluateProgressCheck()->isEnabled());
    Click(i->EvaluateProgressCheck());
    Click(i->EvaluateCheck());
    EXPECT_EQ(a.S().AutoProgressOnEvaluate, 0);
    EXPECT_FALSE(i->EvaluateProgressCheck()->isEnabled());
    Click(i->ResponseRadio(2));
    EXPECT_EQ(a.S().QuestResponse, 2);

    auto *q = a.Show<CChildDlgParagraphQuest>(CSettingsFrmVw::Questions);
    Click(q->AutoCreateCheck());
    EXPECT_TRUE(q->WordCountEdit()->isEnabled());
    Type(q->WordCountEdit(), "15");
    EXPECT_EQ(a.S().DragDropQuestWordCount, 15);
    Leave(q->WordCountEdit());
    EXPECT_EQ(a.S().DragDropQuestWordCount, 10);
    EXPECT_EQ(q->WordCountEdit()->Text(), "10");
    Type(q->WordCountEdit(), "1");
    Leave(q->WordCountEdit());
    EXPECT_EQ(a.S().DragDropQuestWordCount, 2);
    // Digits only: a letter is refused as it is typed.
    Type(q->WordCountEdit(), "x");
    EXPECT_EQ(q->WordCountEdit()->Text(), "2");
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(q->WordCountEdit(), Qt::Key_Down);
    EXPECT_EQ(a.S().DragDropQuestWordCount, 2);
    Type(q->IntervalEdit(), "99");
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(q->IntervalEdit(), Qt::Key_Up);
    EXPECT_EQ(a.S().DragDropQuestInterval, 100);
    Type(q->IntervalEdit(), "0");
    Leave(q->IntervalEdit());
    EXPECT_EQ(a.S().DragDropQuestInterval, 0);
    a.doc->MutableSettings().UseQuestFeedback = 1;
    a.doc->MutableSettings().AutoProgress = 1;
    a.view->RefreshFromDocument();
    EXPECT_TRUE(q->AutoProgressCheck()->isChecked());
}

// Guards the author's work: values set through every page are in the project after Save As, New and Open,
// and the pages show them again.
TEST(SettingsBehaviourPages, ValuesSurviveSaveAndReopen)
{
    PagesApp a;
    CChildDlgManagement *m = a.Management(0);
    Click(m->RecordDataCheck());
    Click(m->EmailCheck());
    Type(m->EmailEdit(), "lead@example.org");
    Click(m->LanPage()->ConnectionRadio());
    Type(m->LanPage()->ProviderEdit(), "SQLOLEDB");
    m = a.Management(1);
    Click(m->WebPage()->PhpRadio());
    ChooseInEditable(m->WebPage()->DbTypeBox(), "MySQL");
    Type(m->WebPage()->PhpPasswordEdit(), "pa55");
    Leave(m->WebPage()->PhpPasswordEdit());
    m = a.Management(2);
    Click(m->LmsPage()->OstrelleRadio());
    Type(m->LmsPage()->LessonFolderEdit(), "Unit3");
    auto *as = a.Show<CChildDlgAssessment>(CSettingsFrmVw::Assessment);
    Click(as->AssessmentCheck());
    Type(as->PassMarkEdit(), "70");
    Leave(as->PassMarkEdit());
    auto *b = a.Show<CChildDlgButtons>(CSettingsFrmVw::Buttons);
    ChooseByKeys(b->LabelBox(Quit), "Exit");
    Click(b->LettersRadio());
    auto *i = a.Show<CChildDlgInteractivity>(CSettingsFrmVw::Interactivity);
    Click(i->ResponseRadio(1));
    auto *q = a.Show<CChildDlgParagraphQuest>(CSettingsFrmVw::Questions);
    Click(q->AutoCreateCheck());
    Type(q->WordCountEdit(), "8");

    a.f.tree.MakeFolder("s");
    a.f.dialogs.answers = {a.f.tree / "s/Pages.kvx"};
    a.app->MainFrame()->Action(CorvCommand::FileSaveAs)->trigger();
    ASSERT_FALSE(a.doc->IsModified()) << qPrintable(a.Told().join(" | "));
    a.app->MainFrame()->Action(CorvCommand::FileNew)->trigger();
    EXPECT_EQ(a.S().PercentagePassMark, 80);
    EXPECT_FALSE(as->AssessmentCheck()->isChecked());
    a.f.dialogs.answers = {a.f.tree / "s/Pages.kvx"};
    a.app->MainFrame()->Action(CorvCommand::FileOpen)->trigger();

    const CCourseSettings &s = a.S();
    EXPECT_EQ(std::tie(s.RecordData, s.UseSendEmail, s.UseLANDbDSN, s.UseASP, s.UseOstrelle, s.LastAssessmentTopic),
              std::make_tuple(1, 1, 0, 0, 1, 1));
    EXPECT_EQ(s.EmailAddress, "lead@example.org");
    EXPECT_EQ(s.LANDbProvider, "SQLOLEDB");
    EXPECT_EQ(std::tie(s.WebPHPDbType, s.WebPHPDbType4Publish, s.WebPHPPassword),
              std::make_tuple(QString("MySQL"), QString("mysql"), QString("pa55")));
    EXPECT_EQ(s.OstrelleLessonFolder, "unit3");
    EXPECT_EQ(s.PercentagePassMark, 70);
    EXPECT_EQ(std::tie(s.LblQuit, s.McToggleType, s.QuestResponse, s.AutoCreateDragDropQuest, s.DragDropQuestWordCount),
              std::make_tuple(QString("Exit"), 1, 1, 1, 8));

    m = a.Management(2);
    EXPECT_EQ(m->EmailEdit()->text(), "lead@example.org");
    EXPECT_TRUE(m->LanPage()->ConnectionRadio()->isChecked());
    EXPECT_EQ(m->WebPage()->DbTypeBox()->currentText(), "MySQL");
    EXPECT_EQ(m->LmsPage()->LessonFolderEdit()->text(), "unit3");
    EXPECT_EQ(as->PassMarkEdit()->Text(), "70");
    EXPECT_TRUE(as->AssessmentCheck()->isChecked());
    EXPECT_EQ(b->LabelBox(Quit)->currentText(), "Exit");
    EXPECT_TRUE(i->ResponseRadio(1)->isChecked());
    EXPECT_EQ(q->WordCountEdit()->Text(), "8");
}

namespace {

// What a program printed and how it ended; status -1 when it could not be run.
// The pages' application over a saved project, with the program folder of the build (run-time, themes,
// templates) so that it can publish; what the Publish window would open is not opened.
struct PublishingPagesApp : PagesApp {
    explicit PublishingPagesApp(const std::function<void(CCorvessaDoc &)> &course) : PagesApp(course)
    {
        f.CopyBuiltProgramData();
        doc->MutableSettings().WarnInteractTooLow = 0;
        app->PublishView()->Controller().SetOpeners([](const QString &) {}, [](const QString &) {});
        f.prompt.SetFallback(CPrompt::yes);
    }
    void Publish(CPublishFrmVw::Kind kind)
    {
        f.prompt.Clear();
        app->OnViewPublish();
        QTest::mouseClick(app->PublishView()->Button(kind), Qt::LeftButton);
        app->OnViewSettings();
    }
    QString Published(const QString &path) const { return f.tree / ("p/Fixture Published files/" + path); }
    QStringList Failures() const
    {
        return Told().filter(QRegularExpression("^Fail|could not|cannot|missing", QRegularExpression::CaseInsensitiveOption));
    }
};

// Node's view of a published options script: the settings the run-time reads.
QJsonObject PrefsInNode(const QString &script)
{
    const ToolRun run = RunTool("node", {QStringLiteral(CORV_SOURCE_DIR "/tests/publish/scripts_check.js"), script});
    EXPECT_EQ(run.status, 0) << qPrintable(run.output);
    return QJsonDocument::fromJson(run.output.toUtf8()).object().value("kvxPrefs").toObject();
}

QString OnlyPrefsScript(const QString &folder)
{
    const QStringList scripts = QDir(folder + "/content/scripts").entryList({"*_prefs.js"}, QDir::Files);
    EXPECT_EQ(scripts.size(), 1) << qPrintable(folder);
    return scripts.isEmpty() ? QString() : folder + "/content/scripts/" + scripts.front();
}

} // namespace

// Guards the way from the pages to the published course: settings changed through the Management, its three
// tabs, the Assessment and the Buttons pages reach the LAN course's options script (read back by Node), the
// PHP configuration of the web course (PHP accepts it and reads the values back, a quote in the password
// included) and the LMS manifest (xmllint reads the SCORM edition and the vendor block).
TEST(SettingsBehaviourPages, ChangesReachThePublishedCourses)
{
    for (const char *tool : {"node", "php", "xmllint"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    PublishingPagesApp a([](CCorvessaDoc &) {});
    CChildDlgManagement *m = a.Management(0);
    Click(m->RecordDataCheck());
    Click(m->SignInCheck());
    Type(m->NameLabelEdit(), "Learner name");
    Type(m->LanPage()->TableEdit(), "LanResults");
    m = a.Management(1);
    CPropPageManagementWeb *web = m->WebPage();
    Click(web->PhpRadio());
    Type(web->DbTypeBox()->lineEdit(), "mysql");
    Leave(web->DbTypeBox());
    Type(web->ServerEdit(), "db.example.org");
    Leave(web->ServerEdit());
    Type(web->PhpPasswordEdit(), "pa'ss");
    Leave(web->PhpPasswordEdit());
    Type(web->TableEdit(), "WebResults");
    Leave(web->TableEdit());
    m = a.Management(2);
    CPropPageManagementLMS *lms = m->LmsPage();
    Click(lms->Version2004Radio());
    lms->SetExitChooser([](int scorm12, const QString &, QWidget *) {
        return scorm12 == 0 ? std::optional<QString>("\"logout\"") : std::nullopt;
    });
    Click(lms->SetExitButton());
    ChooseByKeys(lms->CompatibleBox(), "SumTotal");
    auto *as = a.Show<CChildDlgAssessment>(CSettingsFrmVw::Assessment);
    Click(as->AssessmentCheck());
    Type(as->PassMarkEdit(), "70");
    auto *b = a.Show<CChildDlgButtons>(CSettingsFrmVw::Buttons);
    Click(b->DelayCheck());
    Type(b->DelaySecondsEdit(), "5");

    for (auto kind : {CPublishFrmVw::Lan, CPublishFrmVw::Web, CPublishFrmVw::Lms}) {
        a.Publish(kind);
        EXPECT_EQ(a.Failures(), QStringList()) << kind;
    }
    EXPECT_EQ(a.S().WebPHPDbTableName, "WebResults");

    const QJsonObject lan = PrefsInNode(OnlyPrefsScript(a.Published("Lan-based database")));
    EXPECT_EQ(lan.value("table").toString(), "LanResults");
    EXPECT_EQ(lan.value("labelName").toString(), "Learner name");
    EXPECT_TRUE(lan.value("record").toBool() && lan.value("signin").toBool() && lan.value("assessment").toBool());
    EXPECT_EQ(lan.value("assessPassMark").toInt(), 70);
    EXPECT_EQ(lan.value("nextBtnDelay").toInt(), 5);

    const QString config = a.Published("Web-based database/content/include/kqconfig.php");
    const ToolRun lint = RunTool("php", {"-l", config});
    EXPECT_EQ(lint.status, 0) << qPrintable(lint.output);
    const ToolRun read = RunTool("php", {"-r", "include $argv[1]; echo json_encode([$kqDbType, $kqDbHost, $kqDbPassword, "
                                           "$kqTable1, $kqNameRequired]);",
                                     config});
    EXPECT_EQ(read.output, R"(["mysql","db.example.org","pa'ss","WebResults",true])") << qPrintable(config);

    const QString manifest = a.Published("LMS/imsmanifest.xml");
    EXPECT_EQ(RunTool("xmllint", {"--noout", manifest}).status, 0);
    EXPECT_EQ(RunTool("xmllint", {"--xpath", "string(//*[local-name()='schemaversion'])", manifest}).output,
              "2004 4th Edition");
    EXPECT_EQ(RunTool("xmllint", {"--xpath", "count(//*[local-name()='ItemDataExtra'])", manifest}).output, "1");
    const QJsonObject scorm = PrefsInNode(OnlyPrefsScript(a.Published("LMS")));
    EXPECT_EQ(scorm.value("cmiExit").toString(), "logout");
}

// Guards the assessment a learner takes: a quiz published after its pass mark and its time limit were typed
// into the Assessment page passes at 50 % with a pass mark of 40, and ends without a score when the time
// for all questions runs out, in headless Chromium.
TEST(SettingsBehaviourPages, AssessmentSetOnThePageHoldsInTheBrowser)
{
    if (QStandardPaths::findExecutable("node").isEmpty())
        GTEST_SKIP() << "node is not installed";
    PublishingPagesApp a([](CCorvessaDoc &doc) {
        CRecordingPrompt prompt;
        doc.ClearMainScreens();
        const auto screen = [&doc](int id, const QString &label, int type, const QString &title) {
            return doc.AddScreen(std::make_unique<CCorvPage>(id, title, "", "", 0, label, type, -1));
        };
        screen(1, "1", pt_folder, "Welcome");
        const char *stems[] = {"Which colour is the sky on a clear day?", "Which of these is a sea bird?"};
        const QStringList options[] = {{"Blue", "Green"}, {"Gull", "Robin"}};
        for (int k = 0; k < 2; ++k) {
            CCorvPage *question = screen(2 + k, QString("1_%1").arg(k + 1), pt_question, QString("Question %1").arg(k + 1));
            auto choice = std::make_unique<CComponentMultipleChoice>();
            choice->SetBounds(CRect(10, 10, 1000, 500), false);
            choice->SetQuestionText(stems[k]);
            choice->SetOptions({options[k][0], options[k][1], {}, {}, {}}, {1, 0, 0, 0, 0});
            choice->m_singleAnswer = 1;
            question->AddComponent(std::move(choice));
        }
        screen(4, "1_3", pt_document, "The end");
        screen(5, "2", pt_asmt_folder, "Final Performance Screens");
        screen(6, "2_1", pt_asmt_document, "Well done");
        screen(7, "2_2", pt_asmt_document, "Not yet");
        doc.MutableSettings().MenuBasedCourse = 0;
    });
    auto *as = a.Show<CChildDlgAssessment>(CSettingsFrmVw::Assessment);
    Click(as->AssessmentCheck());
    Type(as->PassMarkEdit(), "40");
    Leave(as->PassMarkEdit());
    Click(as->TimeLimitCheck());
    Click(as->AllQuestionsRadio());
    Type(as->AllSecondsEdit(), "2");
    Leave(as->AllSecondsEdit());
    Click(as->RandomQuestionsCheck());
    EXPECT_EQ(std::tie(a.S().PercentagePassMark, a.S().TimeLimitAllQuestions, a.S().TimeLimitType),
              std::make_tuple(40, 2, 1));

    a.Publish(CPublishFrmVw::Standalone);
    ASSERT_EQ(a.Failures(), QStringList());
    const QString course = a.Published("Standalone");
    ASSERT_TRUE(QFileInfo::exists(course + "/content/ind.htm"));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("NODE_PATH", QDir::cleanPath(QStringLiteral(CORV_BUILT_PROGRAM_FOLDER "/../runtime-node/node_modules")));
    const ToolRun run = RunTool("node",
                            {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_assessment_course.js"), course, "40", "2",
                             QStringLiteral(CORV_BUILD_TEST_DIR "/settings-pages")},
                            environment);
    if (run.status == 77)
        GTEST_SKIP() << qPrintable(run.output);
    EXPECT_EQ(run.status, 0) << qPrintable(run.output);
}

// Guards the default feedback of both pages: each button opens the one "Default feedback" dialog with the
// labels of the string table and the page's own pair of texts; OK stores what was typed and marks the
// project, Cancel keeps the texts.
TEST(SettingsBehaviourPages, FeedbackButtonsEditTheirDefaultTexts)
{
    PagesApp a([](CCorvessaDoc &doc) {
        doc.MutableSettings().FeedBackCorrect = "Well done.";
        doc.MutableSettings().AssmntFeedBackWrong = "Try again.";
        doc.MutableSettings().UseQuestFeedback = 1;
        doc.MutableSettings().ProvideFeedback = 1;
        doc.MutableSettings().LastAssessmentTopic = doc.MutableSettings().LinearSourceAssessable = 1;
    });
    struct Case {
        int category;
        QString CCourseSettings::*correct;
        QString CCourseSettings::*wrong;
    };
    const Case cases[] = {
        {CSettingsFrmVw::Interactivity, &CCourseSettings::FeedBackCorrect, &CCourseSettings::FeedBackWrong},
        {CSettingsFrmVw::Assessment, &CCourseSettings::AssmntFeedBackCorrect, &CCourseSettings::AssmntFeedBackWrong},
    };
    for (const Case &c : cases) {
        QPushButton *button = nullptr;
        if (c.category == CSettingsFrmVw::Interactivity)
            button = a.Show<CChildDlgInteractivity>(c.category)->FeedbackButton();
        else
            button = a.Show<CChildDlgAssessment>(c.category)->FeedbackButton();
        const QString correctBefore = a.S().*c.correct;
        const QString wrongBefore = a.S().*c.wrong;
        a.doc->SetModifiedFlag(false);
        bool shown = false;
        EXPECT_TRUE(WhileOpen<CDlgFeedBack>([&] { Click(button); }, [&](CDlgFeedBack &dialog) {
            shown = dialog.CorrectBox()->toPlainText() == correctBefore
                    && dialog.WrongBox()->toPlainText() == wrongBefore;
            QStringList labels;
            for (const QLabel *label : dialog.findChildren<QLabel *>())
                labels << label->text();
            EXPECT_TRUE(labels.contains("Correct answer feedback") && labels.contains("Wrong answer feedback"))
                << qPrintable(labels.join(" | "));
            EXPECT_EQ(dialog.windowTitle(), "Default feedback");
            dialog.reject();
        }));
        EXPECT_TRUE(shown) << c.category;
        EXPECT_EQ(a.S().*c.correct, correctBefore);
        EXPECT_FALSE(a.doc->IsModified());

        EXPECT_TRUE(WhileOpen<CDlgFeedBack>([&] { Click(button); }, [&](CDlgFeedBack &dialog) {
            dialog.CorrectBox()->selectAll();
            TypeInto(dialog.CorrectBox(), "Right.");
            dialog.WrongBox()->selectAll();
            TypeInto(dialog.WrongBox(), "Not quite.");
            ClickOk(&dialog);
        }));
        EXPECT_EQ(std::tie(a.S().*c.correct, a.S().*c.wrong),
                  std::make_tuple(QString("Right."), QString("Not quite.")))
            << c.category;
        EXPECT_TRUE(a.doc->IsModified());
    }
}
