// A course author's whole session through the program's own windows: a new project, a Word document and a
// presentation imported, the course-wide settings set on their pages, screens edited on the Edit window
// (a title, typed and formatted text, questions through their dialogs, a glossary link), the spelling
// checked, the project saved, closed and opened again, and the course published for every target. The
// published courses are then taken as a learner and an LMS meet them (check_author_session.js).
//
// Each step's window is pictured in the build folder ("author-session", or "author-session-xvfb" when the
// test runs on a virtual X display) for a person to look at.
#include "AppFixture.h"
#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "app/ViewSwitcher.h"
#include "app/ui/ChildDlgAssessment.h"
#include "app/ui/ChildDlgConstruction.h"
#include "app/ui/ChildDlgGeneral.h"
#include "app/ui/ChildDlgManagement.h"
#include "app/ui/ChildDlgThemes.h"
#include "app/ui/ImportSummaryView.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PropPageManagementLMS.h"
#include "app/ui/PropPageManagementWeb.h"
#include "app/ui/PublishFrmVw.h"
#include "app/ui/SettingsFrmVw.h"
#include "app/ui/controls/SpinEdit.h"
#include "dialogs/LinkDialogs.h"
#include "dialogs/ui/DlgAddLink.h"
#include "dialogs/ui/DlgGraphicFromLib.h"
#include "dialogs/ui/DlgQuestionFillBlanks.h"
#include "dialogs/ui/DlgQuestionMultipleChoice.h"
#include "dialogs/ui/DlgSpelling.h"
#include "document/CorvessaDoc.h"
#include "editor/ScreenCommands.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/PropertySheetView.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/ScrollViewEx.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentImage.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"
#include "platform/richtext/CharFormat.h"
#include "platform/richtext/RichText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <tuple>

namespace {

const QString kWordSource = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/word/fire-course-python-docx.docx");
const QString kGlossarySource = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/word/safety-python-docx.docx");
const QString kSlides = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/pptx/three slides.pptx");

// The pictures of the session's steps, numbered in order.
class StepPictures
{
public:
    StepPictures()
    {
        const bool onDisplay = QGuiApplication::platformName() != QLatin1String("offscreen");
        m_folder = QStringLiteral(CORV_BUILD_TEST_DIR) + (onDisplay ? "/author-session-xvfb" : "/author-session");
        QDir(m_folder).removeRecursively();
        QDir().mkpath(m_folder);
    }
    // The window as it stands now; a dialog open over it is pictured on its own as well.
    void Take(QWidget *window, const QString &step)
    {
        QApplication::processEvents();
        const QString name = QStringLiteral("%1-%2").arg(++m_count, 2, 10, QChar(u'0')).arg(step);
        EXPECT_TRUE(window->grab().save(m_folder + "/" + name + ".png")) << qPrintable(name);
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != window)
            modal->grab().save(m_folder + "/" + name + "-dialog.png");
    }
    const QString &Folder() const { return m_folder; }

private:
    QString m_folder;
    int m_count = 0;
};

void Press(QAbstractButton *button)
{
    button->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(button, Qt::Key_Space);
}

void TypeLine(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

QTreeWidgetItem *OutlineRow(QTreeWidget *tree, const QString &title)
{
    for (QTreeWidgetItem *row : tree->findItems(title, Qt::MatchStartsWith | Qt::MatchRecursive))
        return row;
    return nullptr;
}

// The screen whose title is or begins with the text (imported screens add their first words).
CCorvPage *ScreenTitled(const CCorvessaDoc &doc, const QString &title)
{
    for (const auto &s : doc.MainScreens())
        if (s->GetTitle().startsWith(title))
            return s.get();
    return nullptr;
}

template <class Kind>
std::vector<Kind *> ComponentsOf(const CCorvessaDoc &doc, int type)
{
    std::vector<Kind *> found;
    for (const auto &s : doc.MainScreens())
        for (const auto &c : s->GetComponentList())
            if (c->GetType() == type)
                found.push_back(dynamic_cast<Kind *>(c.get()));
    return found;
}

QStringList Outline(const CCorvessaDoc &doc)
{
    QStringList rows;
    for (const auto &s : doc.MainScreens())
        rows << s->GetLabel() + " " + s->GetTitle();
    return rows;
}

// The program with its real data (themes, run-time, graphics library, the slide exporter), over a fresh
// per-user folder, its window shown and active.
struct Session {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    StepPictures pictures;
    QStringList opened;

    Session()
    {
        f.CopyBuiltProgramData(true, {QStringLiteral("slatewright22")});
        app = f.Start();
        app->MainFrame()->resize(1280, 860);
        app->MainFrame()->show();
        app->MainFrame()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(app->MainFrame()));
        app->PublishView()->Controller().SetOpeners([this](const QString &path) { opened << "open " + path; },
                                                   [this](const QString &path) { opened << "browse " + path; });
    }
    CMainFrame *Frame() const { return app->MainFrame(); }
    CCorvessaDoc &Doc() const { return *app->Document(); }
    CEditFrmVw *Edit() const { return app->EditView(); }
    void Run(int command)
    {
        Frame()->UpdateCommandStates();
        QAction *action = Frame()->Action(command);
        ASSERT_TRUE(action) << command;
        ASSERT_TRUE(action->isEnabled()) << command;
        action->trigger();
    }
    void Shot(const QString &step) { pictures.Take(Frame(), step); }
    template <class Page>
    Page *SettingsPage(int category)
    {
        app->OnViewSettings();
        QTreeWidget *tree = app->SettingsView()->CategoryTree();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(tree->topLevelItem(category)).center());
        return dynamic_cast<Page *>(app->SettingsView()->Page(category));
    }
    void MakeCurrent(const QString &title)
    {
        app->OnViewEdit();
        CDragDropTreeCtrl *tree = Edit()->Tree();
        Edit()->Navigator()->setCurrentIndex(1);
        QTreeWidgetItem *row = OutlineRow(tree, title);
        ASSERT_TRUE(row) << qPrintable(title);
        tree->scrollToItem(row);
        tree->setCurrentItem(row);
        QApplication::processEvents();
        ASSERT_TRUE(Edit()->GetCurrentPage());
        ASSERT_TRUE(Edit()->GetCurrentPage()->GetTitle().startsWith(title));
    }
    // The text box of the current screen holding the words, selected on the canvas for editing.
    CWndTextbox *EditBoxHolding(const QString &words)
    {
        CCorvPage *screen = Edit()->GetCurrentPage();
        for (const auto &c : screen->GetComponentList()) {
            auto *box = dynamic_cast<CComponentTextbox *>(c.get());
            if (!box || !box->GetRichText().GetText().contains(words))
                continue;
            auto *window = dynamic_cast<CWndTextbox *>(box->GetComponentWindow());
            if (!window)
                return nullptr;
            Edit()->Canvas()->SelectComponent(box);
            QApplication::processEvents();
            return window;
        }
        return nullptr;
    }
    QString Published(const QString &kind) const { return f.tree / ("courses/Fire Safety Published files/" + kind); }
    QStringList Problems() const
    {
        return f.prompt.Texts().filter(
            QRegularExpression("^Fail|could not|cannot|missing|error", QRegularExpression::CaseInsensitiveOption));
    }
    void Publish(CPublishFrmVw::Kind kind, const QString &step)
    {
        f.prompt.Clear();
        app->OnViewPublish();
        QTest::mouseClick(app->PublishView()->Button(kind), Qt::LeftButton);
        EXPECT_EQ(Problems(), QStringList()) << qPrintable(step);
        Shot(step);
    }
};

} // namespace

// Guards the author's whole path: what one window leaves for the next (an import the Edit window shows, a
// setting the publisher writes, an edit the saved project keeps) and the published courses working as the
// learner and the LMS take them.
TEST(AuthorSession, FromANewProjectToEveryPublishedCourse)
{
    Session s;
    s.f.prompt.SetFallback(CPrompt::yes);
    s.Shot("started");

    // A new project.
    s.Run(CorvCommand::FileNew);
    CCorvessaDoc *doc = &s.Doc();
    EXPECT_TRUE(doc->MainScreens().empty());
    doc->MutableSettings().TemplateType = 13; // text screens: the session's pictures come from the author

    // Screens begin at the document's headings.
    auto *construction = s.SettingsPage<CChildDlgConstruction>(CSettingsFrmVw::Construction);
    ASSERT_TRUE(construction);
    if (!construction->NewScreen()->isChecked())
        Press(construction->NewScreen());
    if (!construction->Headings()->isChecked())
        Press(construction->Headings());
    EXPECT_EQ(std::tie(doc->Settings().ForceNewPage, doc->Settings().UseSrcWordHeadings), std::make_tuple(1, 1));
    s.Shot("settings-construction");

    // The Import window: a menu course of two topics (the Word document, the presentation) and a glossary.
    s.app->SwitchView(ImportViewIndex);
    CImportSummaryView *import = s.app->ImportView();
    Press(import->MenuRadio());
    TypeIntoCell(import->TopicTable(), 0, 1, "Fire safety");
    TypeIntoCell(import->TopicTable(), 0, 3, kWordSource);
    TypeIntoCell(import->TopicTable(), 1, 1, "Slides");
    TypeIntoCell(import->TopicTable(), 1, 3, kSlides);
    TypeIntoCell(import->GlossaryTable(), 0, 1, kGlossarySource);
    s.Shot("import-window");
    s.f.prompt.Clear();
    Press(import->ImportButton());
    ASSERT_FALSE(s.f.prompt.Texts().isEmpty());
    EXPECT_TRUE(s.f.prompt.Texts().last().startsWith("Import document(s) and Glossary completed"))
        << qPrintable(s.f.prompt.Texts().join(" | "));
    s.Shot("imported");
    // The import's progress window is gone with the import: nothing stays over the main window.
    for (QWidget *top : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QProgressDialog *>(top) && top->isVisible()) << "a progress window stays open";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QStringList imported = Outline(*doc);
    ASSERT_EQ(doc->Topics().size(), 2u) << qPrintable(imported.join(", "));
    EXPECT_EQ(ComponentsOf<CComponentTable>(*doc, ct_table).size(), 1u) << qPrintable(imported.join(", "));
    EXPECT_GE(ComponentsOf<CComponentImage>(*doc, ct_image).size(), 2u) << "the Word picture and the slide's";
    for (const QString &title : QStringList{"Before a fire", "Extinguishers", "Slide 1", "Slide 2", "Slide 3"})
        EXPECT_TRUE(ScreenTitled(*doc, title)) << qPrintable(title) << " in " << qPrintable(imported.join(", "));
    EXPECT_FALSE(doc->GlossaryScreens().empty());

    // A slide's text typed into at once: the box the slide importer made gets its window and its editor as
    // any other does, and shows the white box and black frame of every text box.
    const auto frameAndFill = [](CComponentTextbox *box) {
        auto *window = dynamic_cast<QWidget *>(box->GetComponentWindow());
        if (!window)
            return false;
        const QImage look = window->grab().toImage();
        return look.pixelColor(0, look.height() / 2) == QColor(Qt::black) &&
               look.pixelColor(look.width() - 3, look.height() - 3) == QColor(Qt::white);
    };
    s.MakeCurrent("Slide 1");
    CComponentTextbox *slideBox = nullptr;
    for (const auto &c : s.Edit()->GetCurrentPage()->GetComponentList())
        if (auto *b = dynamic_cast<CComponentTextbox *>(c.get()); b && !slideBox)
            slideBox = b;
    ASSERT_TRUE(slideBox) << "the slide's text box";
    EXPECT_TRUE(frameAndFill(slideBox));
    auto *slideWindow = dynamic_cast<CWndTextbox *>(slideBox->GetComponentWindow());
    ASSERT_TRUE(slideWindow);
    QTest::mouseClick(slideWindow, Qt::LeftButton, {}, QPoint(slideWindow->width() / 2, slideWindow->height() / 2));
    ASSERT_EQ(s.Edit()->Canvas()->GetSelectedComponent(), slideBox);
    CRichEditCtrlEx *slideEditor = slideWindow->Editor();
    ASSERT_TRUE(slideEditor->isVisible() && slideEditor->isEnabled());
    QTest::mouseClick(slideEditor->viewport(), Qt::LeftButton, {}, QPoint(8, 8));
    QTest::keyClick(slideEditor, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(slideEditor, "Checked: ");
    ASSERT_TRUE(slideBox->GetRichText().GetText().startsWith("Checked: ")) << qPrintable(slideBox->GetRichText().GetText());
    s.Shot("slide-text-typed");
    s.Edit()->Canvas()->SelectComponent(nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(frameAndFill(slideBox));

    // The Settings window: theme, course title, the LMS edition, the web server's pages and the pass mark.
    auto *themes = s.SettingsPage<CChildDlgThemes>(CSettingsFrmVw::Themes);
    ASSERT_TRUE(themes);
    const QList<QListWidgetItem *> harbour = themes->List()->findItems("Harbour", Qt::MatchFixedString);
    ASSERT_EQ(harbour.size(), 1);
    QTest::mouseClick(themes->List()->viewport(), Qt::LeftButton, {},
                      themes->List()->visualItemRect(harbour.first()).center());
    EXPECT_EQ(doc->Settings().Theme.toLower(), "harbour");
    s.Shot("settings-theme");
    auto *general = s.SettingsPage<CChildDlgGeneral>(CSettingsFrmVw::General);
    TypeLine(general->Edit(CChildDlgGeneral::Name), "Fire Safety at Work");
    EXPECT_EQ(doc->Settings().CourseName, "Fire Safety at Work");
    s.Shot("settings-course-title");
    auto *management = s.SettingsPage<CChildDlgManagement>(CSettingsFrmVw::Management);
    // Learners' results are recorded; they sign in with a name and a password and may register themselves.
    for (QCheckBox *box : {management->RecordDataCheck(), management->SignInCheck(), management->SelfRegisterCheck(),
                           management->NameCheck(), management->PasswordCheck()}) {
        ASSERT_TRUE(box->isEnabled()) << qPrintable(box->text());
        if (!box->isChecked())
            Press(box);
    }
    if (management->IdCheck()->isChecked())
        Press(management->IdCheck());
    EXPECT_EQ(std::tie(doc->Settings().RecordData, doc->Settings().SignIn, doc->Settings().MaySelfRegister,
                       doc->Settings().UseSignInName, doc->Settings().UseSignInID, doc->Settings().UseSignInPassword),
              std::make_tuple(1, 1, 1, 1, 0, 1));
    s.Shot("settings-management");
    management->Sheet()->setCurrentWidget(management->LmsPage());
    Press(management->LmsPage()->ScormRadio());
    Press(management->LmsPage()->Version12Radio());
    if (!management->LmsPage()->PackageCheck()->isChecked())
        Press(management->LmsPage()->PackageCheck());
    if (management->LmsPage()->NewWindowCheck()->isChecked())
        Press(management->LmsPage()->NewWindowCheck());
    EXPECT_EQ(std::tie(doc->Settings().UseScorm, doc->Settings().SCORM12, doc->Settings().CreateZip,
                       doc->Settings().LmsOpensNewWindow),
              std::make_tuple(1, 1, 1, 0));
    s.Shot("settings-lms");
    management->Sheet()->setCurrentWidget(management->WebPage());
    Press(management->WebPage()->PhpRadio());
    s.Shot("settings-web");
    auto *assessment = s.SettingsPage<CChildDlgAssessment>(CSettingsFrmVw::Assessment);
    if (!assessment->AssessmentCheck()->isChecked())
        Press(assessment->AssessmentCheck());
    if (!assessment->PassMarkCheck()->isChecked())
        Press(assessment->PassMarkCheck());
    ASSERT_TRUE(assessment->PassMarkEdit()->isEnabled());
    s.Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.Frame()));
    assessment->PassMarkEdit()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(assessment->PassMarkEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(assessment->PassMarkEdit(), "60");
    QTest::keyClick(assessment->PassMarkEdit(), Qt::Key_Return);
    EXPECT_EQ(doc->Settings().PercentagePassMark, 60);
    s.Shot("settings-assessment");

    // The Edit window: a screen retitled in the outline.
    s.MakeCurrent("Before a fire");
    {
        CDragDropTreeCtrl *tree = s.Edit()->Tree();
        QTreeWidgetItem *row = OutlineRow(tree, "Before a fire");
        tree->editItem(row);
        auto *editor = tree->viewport()->findChild<QLineEdit *>();
        ASSERT_TRUE(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "Before a fire starts");
        QTest::keyClick(editor, Qt::Key_Return);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::sendPostedEvents();
    }
    ASSERT_TRUE(ScreenTitled(*doc, "Before a fire starts")) << qPrintable(Outline(*doc).join(", "));
    s.Shot("screen-retitled");

    // Text typed into a text box and a word of it made bold with the formatting command.
    s.MakeCurrent("Extinguishers");
    CWndTextbox *box = s.EditBoxHolding("Each kind of fire");
    ASSERT_TRUE(box) << "the imported text box";
    CRichEditCtrlEx *editor = box->Editor();
    ASSERT_TRUE(editor->isEnabled());
    editor->setFocus(Qt::OtherFocusReason);
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, " Ask for a helmet and an extinguishr.");
    box->UpdateComponent();
    auto *boxComponent = dynamic_cast<CComponentTextbox *>(s.Edit()->Canvas()->GetSelectedComponent());
    ASSERT_TRUE(boxComponent);
    const QString typed = boxComponent->GetRichText().GetText();
    ASSERT_TRUE(typed.contains("Ask for a helmet and an extinguishr.")) << qPrintable(typed);
    const int ask = int(typed.indexOf("Ask"));
    editor->SetDocSelection(ask, ask + 3);
    s.Run(CorvCommand::Bold);
    box->UpdateComponent();
    EXPECT_TRUE(boxComponent->GetRichText().GetCharFormatAt(ask + 1).Has(CFE_BOLD));
    EXPECT_FALSE(boxComponent->GetRichText().GetCharFormatAt(ask - 2).Has(CFE_BOLD));
    s.Shot("text-typed-and-bold");

    // A picture from the graphics library on the assembly point's screen, found by a keyword.
    bool answered = false;
    s.MakeCurrent("The assembly point");
    const size_t picturesBefore = ComponentsOf<CComponentImage>(*doc, ct_image).size();
    answered = false;
    AnswerNextDialog<CDlgInsertGraphicFromLib>(
        [&s](CDlgInsertGraphicFromLib *d) {
            TypeInto(d->KeywordBox(0), "meadow");
            QTest::keyClick(d->KeywordBox(0), Qt::Key_Return);
            ASSERT_GE(d->ResultList()->count(), 1);
            QListWidget *list = d->ResultList();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
            s.pictures.Take(d, "library-picture-dialog");
            QTest::mouseClick(d->ConfirmButton(), Qt::LeftButton);
        },
        &answered);
    s.Run(CorvCommand::AddGraphicFromLibrary);
    ASSERT_TRUE(answered);
    ASSERT_EQ(ComponentsOf<CComponentImage>(*doc, ct_image).size(), picturesBefore + 1);
    s.Shot("library-picture");

    // "helmet" linked to the glossary's item through the Add link dialog.
    s.MakeCurrent("Extinguishers");
    box = s.EditBoxHolding("Each kind of fire");
    ASSERT_TRUE(box);
    editor = box->Editor();
    const int helmet = int(boxComponent->GetRichText().GetText().indexOf("helmet"));
    editor->SetDocSelection(helmet, helmet + 6);
    answered = false;
    AnswerNextDialog<CDlgAddLink>(
        [&s](CDlgAddLink *d) {
            d->ShowCombo()->setCurrentIndex(CAddLinkValues::ShowGlossary);
            emit d->ShowCombo()->activated(CAddLinkValues::ShowGlossary);
            const int at = d->ScreenCombo()->findText("Helmet", Qt::MatchContains);
            ASSERT_GE(at, 0);
            d->ScreenCombo()->setCurrentIndex(at);
            s.pictures.Take(d, "glossary-link-dialog");
            QTest::mouseClick(d->OkButton(), Qt::LeftButton);
        },
        &answered);
    s.Run(CorvCommand::AddLink);
    ASSERT_TRUE(answered);
    ASSERT_EQ(boxComponent->GetLinkCount(), 1);
    EXPECT_TRUE(boxComponent->GetRichText().GetText().contains("#helmet#")) << qPrintable(boxComponent->GetRichText().GetText());
    s.Shot("glossary-link");

    // A multiple-choice and a fill-in-the-blanks question through their dialogs, after the screen.
    answered = false;
    AnswerNextDialog<CDlgQuestionMultipleChoice>(
        [&s](CDlgQuestionMultipleChoice *d) {
            TypeInto(d->StemBox(), "Which extinguisher is for electrical fires?");
            TypeInto(d->OptionBox(0), "Water");
            TypeInto(d->OptionBox(1), "Carbon dioxide");
            TypeInto(d->OptionBox(2), "A wet towel");
            QTest::mouseClick(d->CorrectBox(1), Qt::LeftButton);
            s.pictures.Take(d, "multiple-choice-dialog");
            ClickOk(d);
        },
        &answered);
    s.Run(CorvCommand::InsertMultipleChoice);
    ASSERT_TRUE(answered);
    ASSERT_TRUE(ScreenTitled(*doc, "Multiple Choice"));
    s.Shot("multiple-choice");
    answered = false;
    AnswerNextDialog<CDlgQuestionFillBlanks>(
        [&s](CDlgQuestionFillBlanks *d) {
            d->QuestionBox()->selectAll();
            TypeInto(d->QuestionBox(), "Fire exits are marked in ****.");
            TypeInto(d->WordBox(0), "green");
            s.pictures.Take(d, "fill-in-the-blanks-dialog");
            ClickOk(d);
        },
        &answered);
    s.Run(CorvCommand::InsertFillBlanks);
    ASSERT_TRUE(answered);
    ASSERT_TRUE(ScreenTitled(*doc, "Fill in Blanks"));
    s.Shot("fill-in-the-blanks");

    // The spelling of the whole course: the misspelt word is changed, whatever else is asked is ignored.
    QStringList asked;
    {
        auto answer = std::make_shared<std::function<void()>>();
        QTimer timer;
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto *d = qobject_cast<CDlgSpelling *>(QApplication::activeModalWidget());
            if (!d || !d->isVisible() || d->property("handled").toBool())
                return;
            d->setProperty("handled", true);
            const QString word = d->findChild<QLineEdit *>("NotInDictionary")->text();
            asked << word;
            if (word == "extinguishr") {
                s.pictures.Take(d, "spelling-dialog");
                d->ChangeToEdit()->setText("extinguisher");
                QTest::mouseClick(d->Button(CSpellUi::Action::change), Qt::LeftButton);
            } else {
                QTest::mouseClick(d->Button(CSpellUi::Action::ignoreAll), Qt::LeftButton);
            }
            d->setProperty("handled", false);
        });
        timer.start();
        s.f.prompt.Clear();
        s.Run(CorvCommand::SpellProject);
    }
    EXPECT_TRUE(asked.contains("extinguishr")) << qPrintable(asked.join(", "));
    EXPECT_TRUE(s.f.prompt.Texts().contains("Spell checking is done")) << qPrintable(s.f.prompt.Texts().join(" | "));
    EXPECT_TRUE(boxComponent->GetRichText().GetText().contains("an extinguisher."));
    s.Shot("spelling-checked");

    // Saved under a name, closed (a new project) and opened again: everything made above is there.
    s.f.tree.MakeFolder("courses");
    const QString project = s.f.tree / "courses/Fire Safety.kvx";
    s.f.dialogs.answers = {project};
    s.Run(CorvCommand::FileSaveAs);
    ASSERT_FALSE(doc->IsModified()) << qPrintable(s.f.prompt.Texts().join(" | "));
    const QStringList saved = Outline(*doc);
    s.Run(CorvCommand::FileNew);
    EXPECT_TRUE(s.Doc().MainScreens().empty());
    s.f.dialogs.answers = {project};
    s.Run(CorvCommand::FileOpen);
    doc = &s.Doc();
    ASSERT_EQ(doc->GetPathName(), project);
    EXPECT_EQ(Outline(*doc), saved);
    EXPECT_EQ(doc->Settings().CourseName, "Fire Safety at Work");
    EXPECT_EQ(doc->Settings().PercentagePassMark, 60);
    EXPECT_EQ(doc->Settings().Theme.toLower(), "harbour");
    auto *reopenedBox = [&]() -> CComponentTextbox * {
        for (auto *b : ComponentsOf<CComponentTextbox>(*doc, ct_textbox))
            if (b->GetRichText().GetText().contains("Ask for a"))
                return b;
        return nullptr;
    }();
    ASSERT_TRUE(reopenedBox);
    EXPECT_EQ(reopenedBox->GetLinkCount(), 1);
    EXPECT_TRUE(reopenedBox->GetRichText().GetText().contains("an extinguisher."));
    const int askAgain = int(reopenedBox->GetRichText().GetText().indexOf("Ask"));
    EXPECT_TRUE(reopenedBox->GetRichText().GetCharFormatAt(askAgain + 1).Has(CFE_BOLD));
    s.MakeCurrent("Slide 1");
    CComponentTextbox *reopenedSlideBox = nullptr;
    for (const auto &c : s.Edit()->GetCurrentPage()->GetComponentList())
        if (auto *b = dynamic_cast<CComponentTextbox *>(c.get()); b && b->GetRichText().GetText().startsWith("Checked: "))
            reopenedSlideBox = b;
    ASSERT_TRUE(reopenedSlideBox) << "the slide's typed text";
    EXPECT_TRUE(frameAndFill(reopenedSlideBox));
    bool meadow = false;
    QStringList pictures;
    for (auto *image : ComponentsOf<CComponentImage>(*doc, ct_image)) {
        pictures << image->GetImageFile() + " " + image->GetAltText();
        meadow = meadow || (image->GetImageFile().contains("meadow") && image->GetAltText() == "meadow");
    }
    EXPECT_TRUE(meadow) << "the library's picture with its alt text: " << qPrintable(pictures.join(", "));
    auto choices = ComponentsOf<CComponentMultipleChoice>(*doc, ct_multiple_choice);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0]->GetCorrectFlags()[1], 1);
    auto blanks = ComponentsOf<CComponentFillBlanks>(*doc, ct_fill_blanks);
    ASSERT_EQ(blanks.size(), 1u);
    EXPECT_EQ(blanks[0]->GetWords()[0], "green");
    s.Shot("reopened");

    // Published for every target; SCORM 1.2 kept aside before the 2004 package takes the LMS folder.
    doc->MutableSettings().WarnInteractTooLow = 0;
    s.Publish(CPublishFrmVw::Standalone, "published-standalone");
    s.Publish(CPublishFrmVw::Web, "published-web");
    s.Publish(CPublishFrmVw::Lms, "published-scorm12");
    const QString scorm12 = s.f.tree / "scorm12";
    ASSERT_EQ(QProcess::execute("cp", {"-R", s.Published("LMS"), scorm12}), 0);
    ASSERT_EQ(QProcess::execute("cp", {s.Published("LMS.zip"), scorm12 + ".zip"}), 0);
    auto *lms = s.SettingsPage<CChildDlgManagement>(CSettingsFrmVw::Management)->LmsPage();
    Press(lms->Version2004Radio());
    EXPECT_EQ(s.Doc().Settings().SCORM12, 0);
    s.Publish(CPublishFrmVw::Lms, "published-scorm2004");
    for (const QString &file : QStringList{s.Published("Standalone") + "/index.htm", s.Published("Web-based database") + "/content/ind.htm",
                                scorm12 + "/imsmanifest.xml", s.Published("LMS") + "/imsmanifest.xml"})
        EXPECT_TRUE(QFileInfo::exists(file)) << qPrintable(file);

    // The courses as the learner and the LMS take them.
    if (QStandardPaths::findExecutable("node").isEmpty())
        GTEST_SKIP() << "node is not installed";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("NODE_PATH", QDir::cleanPath(QStringLiteral(CORV_BUILT_PROGRAM_FOLDER "/../runtime-node/node_modules")));
    const QJsonObject answers{
        {"Which extinguisher is for electrical fires?", QJsonObject{{"right", QJsonObject{{"choose", QJsonArray{1}}}},
                                                                    {"wrong", QJsonObject{{"choose", QJsonArray{0}}}}}},
        {"Fire exits are marked in", QJsonObject{{"right", QJsonObject{{"type", QJsonArray{"green"}}}},
                                                 {"wrong", QJsonObject{{"type", QJsonArray{"red"}}}}}}};
    const ToolRun run = RunTool(
        "node",
        {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_author_session.js"), s.Published("Standalone"),
         s.Published("Web-based database"), scorm12, s.Published("LMS"), "60",
         QString::fromUtf8(QJsonDocument(answers).toJson(QJsonDocument::Compact)), s.pictures.Folder()},
        environment, 300000);
    if (run.status == 77)
        GTEST_SKIP() << qPrintable(run.output);
    EXPECT_EQ(run.status, 0) << qPrintable(run.output);

    // Both packages pass the package checker.
    for (const auto &[zip, folder] : {std::pair{scorm12 + ".zip", scorm12}, std::pair{s.Published("LMS.zip"), s.Published("LMS")}}) {
        const ToolRun check = RunTool("python3", {QStringLiteral(CORV_SOURCE_DIR "/tests/publish/scorm_check.py"), zip,
                                                  "--same-files-as", folder});
        EXPECT_EQ(check.status, 0) << qPrintable(zip) << ": " << qPrintable(check.output);
    }
}
