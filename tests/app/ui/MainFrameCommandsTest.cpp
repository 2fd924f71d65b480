#include "AppFixture.h"
#include "WidgetDriving.h"

#include "app/AppFolders.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/ViewSwitcher.h"
#include "app/EditViewApi.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SettingsFrmVw.h"
#include "dialogs/ui/DlgAutoBackupSetting.h"
#include "dialogs/ui/DlgPublishSettings.h"
#include "dialogs/ui/DlgSpelling.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectBackups.h"
#include "document/ProjectFile.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/ScrollViewEx.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "platform/IniFile.h"
#include "platform/Prompt.h"
#include "spell/UserWordList.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace CorvCommand;
using CorvCommandTable::ClipboardAction;

namespace {

// An Edit view that accepts every command, reports the screen and selection it is given, and records what
// reaches it.
class CRecordingEditView : public CEditViewApi
{
public:
    QList<int> received;
    QList<ClipboardAction> clipboard;
    CCorvPage *page = nullptr;
    int selected = ct_textbox;

    CCorvPage *GetCurrentPage() const override { return page; }
    bool UpdateCommand(int, bool &checked) const override
    {
        checked = false;
        return true;
    }
    void OnCommand(int commandId) override { received.append(commandId); }
    void SetFontName(const QString &) override {}
    void SetFontSize(int) override {}
    const COutlineTree &GetTreeCtrl() const override { return tree; }
    int GetSelectedComponentType() const override { return selected; }
    bool CanAddScreenHere() const override { return true; }
    void OnClipboard(ClipboardAction action) override { clipboard.append(action); }
    COutlineTree tree;
};

void Activate(QWidget *window)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// The commands of the Insert and Tools menus and the others the frame hands to the Edit view.
QList<int> ForwardedMenuCommands()
{
    QList<int> ids = {EditFind, WindowPreview};
    bool inside = false;
    for (const CorvCommandTable::MenuLine &line : CorvCommandTable::MenuBar()) {
        if (line.depth == 0)
            inside = QString::fromLatin1(line.title) == "&Insert" || QString::fromLatin1(line.title) == "&Tools";
        else if (inside && line.id > 0 && !QList<int>{LanguageAmerican, LanguageCanadian, LanguageUk, SpellProject,
                                                   SpellCurrentScreen}.contains(line.id))
            ids.append(line.id);
    }
    return ids;
}

} // namespace

// Guards the menus against entries that never run: every command the frame hands to the Edit window runs
// from its menu entry once its rule allows it, and every key the menus show (the four Ctrl+Alt keys of the
// questions among them, which once were bound to nothing) runs its command.
TEST(MainFrameCommands, EveryMenuCommandRunsFromItsEntryAndItsKey)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    CRecordingEditView edit;
    CCorvPage question(1, "Question", "", "", 0, "1", pt_question, -1);
    CCorvPage remediation(2, "Remediation", "", "", 0, "2", pt_remediation, -1);
    edit.page = &question;
    app->Document()->SetImportPending(0);
    frame->SetEditView(&edit);
    app->OnViewEdit();
    Activate(frame);

    QList<int> ran;
    for (CCorvPage *page : {&question, &remediation}) {
        edit.page = page;
        frame->UpdateCommandStates();
        for (int id : ForwardedMenuCommands()) {
            QAction *action = frame->Action(id);
            ASSERT_TRUE(action) << id;
            if (!action->isEnabled())
                continue;
            action->trigger();
            if (!edit.received.isEmpty() && edit.received.last() == id)
                ran.append(id);
        }
    }
    for (int id : ForwardedMenuCommands())
        EXPECT_TRUE(ran.contains(id)) << id;

    edit.page = &question;
    frame->UpdateCommandStates();
    const struct {
        QKeySequence key;
        int command;
    } keys[] = {
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F1), InsertCompleteParagraph},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F4), InsertMultipleChoice},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F5), InsertTrueFalse},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F6), InsertPartIdentification},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F7), InsertFreeFormText},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F8), InsertFlashQuestion},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F9), InsertLikert},
        {QKeySequence(Qt::Key_F5), NewScreen},
        {QKeySequence(Qt::Key_F6), NewDocument},
        {QKeySequence(Qt::Key_F12), WindowPreview},
        {QKeySequence(Qt::CTRL | Qt::Key_F), EditFind},
    };
    for (const auto &k : keys) {
        edit.received.clear();
        QTest::keySequence(frame, k.key);
        EXPECT_EQ(edit.received, QList<int>{k.command}) << qPrintable(k.key.toString());
    }
    // F1 opens the help file; without one the author is told which file is missing.
    QTest::keySequence(frame, QKeySequence(Qt::Key_F1));
    ASSERT_FALSE(f.prompt.Texts().isEmpty());
    EXPECT_TRUE(f.prompt.Texts().last().contains("KVHelp.chm"));
    frame->SetEditView(nullptr);
}

// Guards the frame's own toggles: the language goes to the course and ticks its one entry, the view toggles
// flip their flags (Background and Grid tick only in the Edit window), and the two publishing preferences
// flip without marking the project modified, their ticks following the setting of each new project.
TEST(MainFrameCommands, TogglesAndPublishingPreferences)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    CCorvessaDoc *doc = app->Document();
    frame->Action(LanguageCanadian)->trigger();
    EXPECT_EQ(doc->Settings().DictionaryLanguage, LanguageCanadian);
    EXPECT_TRUE(frame->Action(LanguageCanadian)->isChecked());
    EXPECT_FALSE(frame->Action(LanguageUk)->isChecked());
    doc->SetModifiedFlag(false);

    const int before = doc->Settings().PreviewUsingHTM;
    frame->Action(PreviewUsingHtm)->trigger();
    EXPECT_EQ(doc->Settings().PreviewUsingHTM, before ? 0 : 1);
    EXPECT_EQ(frame->Action(PreviewUsingHtm)->isChecked(), doc->Settings().PreviewUsingHTM != 0);
    frame->Action(PreviewUsingHtm)->trigger();
    EXPECT_EQ(doc->Settings().PreviewUsingHTM, before);
    frame->Action(PublishImagesAtStandardResolution)->trigger();
    EXPECT_EQ(doc->Settings().PublishImagesAtStandardResolution, 1);
    EXPECT_FALSE(doc->IsModified());
    app->OnFileNew();
    emit frame->Menu("&Preferences")->aboutToShow();
    EXPECT_EQ(frame->Action(PublishImagesAtStandardResolution)->isChecked(), doc->Settings().PublishImagesAtStandardResolution != 0);

    EXPECT_FALSE(frame->Action(ViewGrid)->isEnabled());
    app->OnViewEdit();
    frame->UpdateCommandStates();
    // The sorter shows from the start, and is ticked so.
    EXPECT_EQ(frame->ShowSorter, 1);
    EXPECT_TRUE(frame->Action(ViewSorter)->isChecked());
    frame->Action(ViewGrid)->trigger();
    frame->Action(ViewSorter)->trigger();
    frame->Action(ViewSorter)->trigger();
    EXPECT_EQ(frame->ShowGrid, 1);
    EXPECT_EQ(frame->ShowSorter, 1);
    EXPECT_TRUE(frame->Action(ViewGrid)->isChecked());
    app->OnViewSettings();
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->Action(ViewGrid)->isChecked());
    EXPECT_TRUE(frame->Action(ViewSorter)->isChecked());
}

// Guards the publish settings: Cancel changes none of the eight values and leaves the project unmodified;
// OK with a folder browsed for the LMS row copies it into the course and marks the project modified, and a
// row that keeps the default location cannot be browsed.
TEST(MainFrameCommands, PublishSettingsOkCopiesCancelKeeps)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    CCorvessaDoc *doc = app->Document();
    doc->MutableSettings().OutputFolder = {"/a", "/b", "/c", "/d"};
    doc->MutableSettings().UseDefaultOutputFolder = {1, 0, 0, 0};
    doc->SetModifiedFlag(false);
    {
        auto handler = OnModal<CDlgPublishSettings>([](CDlgPublishSettings *d) {
            d->FolderEdit(3)->setText("/changed");
            d->reject();
        });
        frame->Action(PublishSettings)->trigger();
    }
    EXPECT_EQ(doc->Settings().OutputFolder[3], "/d");
    EXPECT_FALSE(doc->IsModified());

    f.dialogs.answers = {f.tree / "lms"};
    bool lockedRow = false;
    {
        auto handler = OnModal<CDlgPublishSettings>([&](CDlgPublishSettings *d) {
            lockedRow = !d->BrowseButton(0)->isEnabled() && !d->FolderEdit(0)->isEnabled();
            QTest::mouseClick(d->BrowseButton(3), Qt::LeftButton);
            QTest::keyClick(d, Qt::Key_Return);
        });
        frame->Action(PublishSettings)->trigger();
    }
    EXPECT_TRUE(lockedRow);
    EXPECT_EQ(doc->Settings().OutputFolder, (CCourseSettings::Slots4Text{"/a", "/b", "/c", f.tree / "lms"}));
    EXPECT_EQ(doc->Settings().UseDefaultOutputFolder, (CCourseSettings::Slots4Int{1, 0, 0, 0}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(app->LastPublishFolder, f.tree / "lms");
    ASSERT_FALSE(f.dialogs.asked.isEmpty());
    EXPECT_EQ(f.dialogs.asked.last(), "folder|Select the folder into which the course will be published:|/d");
}

// Guards the per-user preferences: the graphics library's folder, the auto-backup choice and the current
// settings made the default all live in the per-user folder and hold after the program starts again.
TEST(MainFrameCommands, PreferencesSurviveARestart)
{
    AppFixture f;
    const QString library = f.tree.MakeFolder("library");
    f.tree.Write("library/Photo_Objects/image_JPG/a.jpg", "x");
    {
        auto app = f.Start();
        CMainFrame *frame = app->MainFrame();
        f.dialogs.answers = {library};
        frame->Action(GraphicsLibraryLocation)->trigger();
        EXPECT_EQ(app->GraphicsLibraryRoot(), library + "/");
        auto handler = OnModal<CDlgAutoBackupSetting>([](CDlgAutoBackupSetting *d) {
            QTest::mouseClick(d->LimitBox(), Qt::LeftButton);
            d->accept();
        });
        frame->Action(AutoBackupSettings)->trigger();
        EXPECT_EQ(app->Document()->AutoBackupSettings.LimitBackups, 0);
        app->Document()->MutableSettings().PublishImagesAtStandardResolution = 1;
        frame->Action(SaveSettingsAsDefault)->trigger();
        app->ExitInstance();
    }
    EXPECT_EQ(TempTree::ReadAll(f.AppData() + "/dovar.txt"), "1\n0\n5");
    auto again = f.Start();
    EXPECT_EQ(again->GraphicsLibraryRoot(), library + "/");
    EXPECT_EQ(again->Document()->AutoBackupSettings.LimitBackups, 0);
    EXPECT_EQ(again->Document()->Settings().PublishImagesAtStandardResolution, 1);
    again->MainFrame()->Action(ResetSettings)->trigger();
    again->OnFileNew();
    EXPECT_EQ(again->Document()->Settings().PublishImagesAtStandardResolution, 0);
}

// Guards the auto-backup dialog's effect: while backups are on a save over the project keeps a backup;
// once the author turns them off in the dialog, a save keeps none.
TEST(MainFrameCommands, AutoBackupChoiceChangesWhatASaveDoes)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    f.dialogs.answers = {f.tree / "course/Demo.kvx"};
    f.tree.MakeFolder("course");
    frame->Action(FileSaveAs)->trigger();
    const QString backups = CProjectBackups::BackupsFolderOf(f.tree / "course/Demo.kvx");
    const auto count = [&] { return QDir(backups).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(); };
    ASSERT_EQ(app->Document()->AutoBackupSettings.BackupOnSave, 1);
    frame->Action(FileSave)->trigger();
    const auto kept = count();
    EXPECT_GE(kept, 1);

    auto handler = OnModal<CDlgAutoBackupSetting>([](CDlgAutoBackupSetting *d) {
        QTest::mouseClick(d->BackupBox(), Qt::LeftButton);
        EXPECT_FALSE(d->LimitBox()->isEnabled());
        d->accept();
    });
    frame->Action(AutoBackupSettings)->trigger();
    EXPECT_EQ(app->Document()->AutoBackupSettings.BackupOnSave, 0);
    QTest::qWait(1100); // a backup of the next second would have a name of its own
    frame->Action(FileSave)->trigger();
    EXPECT_EQ(count(), kept);
}

// Guards the clipboard keys against the hidden Edit window: while the Settings window is visible, Ctrl+V
// pastes into the focused settings field and never into the text box still selected in the Edit window.
TEST(MainFrameCommands, ClipboardKeysStayWithTheVisibleView)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    CRecordingEditView edit;
    CCorvPage page(1, "Screen", "", "", 0, "1", pt_document, -1);
    edit.page = &page;
    frame->SetEditView(&edit);
    Activate(frame);
    // A text field of the visible window, as the settings pages have.
    auto *field = new QLineEdit(app->SettingsView());
    field->show();
    field->setFocus();
    field->clear();
    QGuiApplication::clipboard()->setText("pasted");
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "pasted");
    QTest::keyClick(frame, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(edit.clipboard.isEmpty());
    EXPECT_TRUE(edit.received.isEmpty());

    app->OnViewEdit();
    Activate(frame);
    QTest::keyClick(frame, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.clipboard, QList<ClipboardAction>{ClipboardAction::pasteText});
    frame->SetEditView(nullptr);
}

// Guards the spelling check as the author runs it: from the Tools menu over the course, through the
// Spelling dialog, a change keeps the word's bold run and the link markers, an added word goes to the
// author's list and is not asked again, and the check ends with its message.
TEST(MainFrameCommands, SpellCheckThroughTheDialog)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    CCorvessaDoc *doc = app->Document();
    doc->MutableSettings().DictionaryLanguage = LanguageAmerican;
    CCorvPage *first = doc->AddScreen(std::make_unique<CCorvPage>(1, "One", "", "", 0, "1", pt_document, -1), nullptr,
                                      false, false);
    CCorvPage *second = doc->AddScreen(std::make_unique<CCorvPage>(2, "Two", "", "", 0, "2", pt_document, -1), first,
                                       false, false);
    auto box = std::make_unique<CComponentTextbox>();
    CRichText &text = box->GetRichText();
    CCharFormat plain;
    plain.mask = CFM_ALL;
    plain.face = "Arial";
    plain.height = 240;
    CCharFormat bold = plain;
    bold.effects = CFE_BOLD;
    CCharFormat hidden = plain;
    hidden.effects = CFE_HIDDEN;
    text.AppendRaw("Read ", plain);
    text.AppendRaw("teh", bold);
    text.AppendRaw(" ", plain);
    text.AppendRaw("[0001#", hidden);
    text.AppendRaw("here", plain);
    text.AppendRaw("#0001]", hidden);
    first->AddComponent(std::move(box));
    CComponentTable::Settings grid;
    grid.rows = 1;
    grid.columns = 1;
    auto table = std::make_unique<CComponentTable>(nullptr, grid);
    table->GetCell(0, 0)->GetRichText().AppendRaw("wrod", plain);
    second->AddComponent(std::move(table));
    doc->UpdateAllViews();
    doc->SetModifiedFlag(false);
    app->OnViewEdit();

    QStringList asked;
    {
        auto handler = OnModal<CDlgSpelling>([&](CDlgSpelling *d) {
            asked.append(d->findChild<QLineEdit *>("NotInDictionary")->text());
            if (asked.size() == 1) {
                d->ChangeToEdit()->setText("the");
                QTest::mouseClick(d->Button(CSpellUi::Action::change), Qt::LeftButton);
            } else {
                QTest::mouseClick(d->Button(CSpellUi::Action::add), Qt::LeftButton);
            }
        });
        frame->UpdateCommandStates();
        frame->Action(SpellProject)->trigger();
    }
    EXPECT_EQ(asked, QStringList({"teh", "wrod"}));
    EXPECT_EQ(f.prompt.Texts().last(), "Spell checking is done");
    EXPECT_EQ(text.GetText(), "Read the [0001#here#0001]");
    EXPECT_TRUE(text.GetCharFormatAt(5).Has(CFE_BOLD));
    EXPECT_FALSE(text.GetCharFormatAt(9).Has(CFE_BOLD));
    EXPECT_TRUE(doc->IsModified());
    CUserWordList words(CUserWordList::PathIn(f.AppData()));
    words.Load();
    EXPECT_EQ(words.Words(), QStringList{"wrod"});

    asked.clear();
    {
        auto handler = OnModal<CDlgSpelling>([&](CDlgSpelling *d) {
            asked.append(d->findChild<QLineEdit *>("NotInDictionary")->text());
            QTest::mouseClick(d->Button(CSpellUi::Action::cancel), Qt::LeftButton);
        });
        frame->Action(SpellProject)->trigger();
    }
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(f.prompt.Texts().count("Spell checking is done"), 2);
}

// Guards what the author sees after a spelling Change on the screen on show: the text box's window on the
// canvas holds the changed word at once, without being clicked into.
TEST(MainFrameCommands, ASpellingChangeShowsOnTheCanvasAtOnce)
{
    AppFixture f;
    CCorvContext context;
    context.prompt = &f.prompt;
    CCorvessaDoc saved(context);
    saved.OnNewDocument();
    saved.MutableSettings().DictionaryLanguage = LanguageAmerican;
    auto page = std::make_unique<CCorvPage>(1, "One", "", "", 0, "1", pt_document, 0);
    auto box = std::make_unique<CComponentTextbox>(nullptr);
    box->GetRichText().ReplaceAll("Read teh notice");
    box->SetBounds(CRect(20, 20, 420, 120), false);
    ASSERT_TRUE(page->AddComponent(std::move(box)).Ok());
    saved.AddScreen(std::move(page));
    f.tree.MakeFolder("p");
    const QString path = f.tree / "p/Spell.kvx";
    ASSERT_TRUE(CProjectFile::Save(saved, path));

    auto app = f.Start({"corvessa", path});
    app->OnViewEdit();
    CEditFrmVw *view = app->EditView();
    CCorvPage *shown = view->GetCurrentPage();
    ASSERT_TRUE(shown);
    ASSERT_EQ(view->Canvas()->GetCurrentScreen(), shown);
    auto *window = dynamic_cast<CWndTextbox *>(shown->GetComponent(0)->GetComponentWindow());
    ASSERT_TRUE(window);
    ASSERT_EQ(window->Editor()->toPlainText(), "Read teh notice");
    {
        auto handler = OnModal<CDlgSpelling>([&](CDlgSpelling *d) {
            d->ChangeToEdit()->setText("the");
            QTest::mouseClick(d->Button(CSpellUi::Action::change), Qt::LeftButton);
        });
        app->MainFrame()->UpdateCommandStates();
        app->MainFrame()->Action(SpellProject)->trigger();
    }
    EXPECT_EQ(f.prompt.Texts().last(), "Spell checking is done");
    EXPECT_EQ(view->Canvas()->GetCurrentScreen(), shown);
    window = dynamic_cast<CWndTextbox *>(shown->GetComponent(0)->GetComponentWindow());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Editor()->toPlainText(), "Read the notice");
    EXPECT_TRUE(window->isVisible());
}
