#include "AppFixture.h"

#include "app/CommandIds.h"
#include "app/ViewSwitcher.h"
#include "editor/ui/EditFrmVw.h"
#include "app/EditViewApi.h"
#include "app/ui/FontComboBox.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishFrmVw.h"
#include "document/CorvessaDoc.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <functional>

#include <gtest/gtest.h>

using namespace CorvCommand;

namespace {

// An Edit view that carries out the commands it is told to, and records what reaches it.
class CFakeEditView : public CEditViewApi
{
public:
    QList<int> enabled;
    QList<int> received;
    QList<CorvCommandTable::ClipboardAction> clipboard;
    QStringList fonts;
    CCorvPage *page = nullptr;
    int selected = -1;

    CCorvPage *GetCurrentPage() const override { return page; }
    int GetSelectedComponentType() const override { return selected; }
    void OnClipboard(CorvCommandTable::ClipboardAction action) override { clipboard.append(action); }
    bool UpdateCommand(int commandId, bool &checked) const override
    {
        checked = false;
        return enabled.contains(commandId);
    }
    void OnCommand(int commandId) override { received.append(commandId); }
    void SetFontName(const QString &face) override { fonts.append("name " + face); }
    void SetFontSize(int points) override { fonts.append(QStringLiteral("size %1").arg(points)); }
    const COutlineTree &GetTreeCtrl() const override { return tree; }
    COutlineTree tree;
};

QMenu *MenuNamed(CMainFrame *frame, const QString &title)
{
    for (QAction *action : frame->menuBar()->actions())
        if (action->menu() && action->text() == title)
            return action->menu();
    return nullptr;
}

void Activate(CMainFrame *frame)
{
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
}

} // namespace

// Guards the keys and commands of the four views: Ctrl+1 to Ctrl+4 show them, the commands of the visible
// view are greyed, the aliases of the mode bar work too, and the Edit window's bars come and go with it.
TEST(ViewSwitching, KeysShowTheViewsAndGreyTheVisibleOne)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    Activate(frame);
    for (int view : {ImportViewIndex, EditViewIndex, PublishViewIndex, SettingsViewIndex, EditViewIndex}) {
        QTest::keyClick(frame, Qt::Key(Qt::Key_1 + view), Qt::ControlModifier);
        ASSERT_EQ(app->CurrentViewIndex(), view);
        EXPECT_TRUE(app->MainView(view)->isVisible()) << view;
        for (int other = 0; other < kMainViewCount; ++other) {
            EXPECT_EQ(frame->Action(ModeSettings + other)->isEnabled(), other != view) << view << other;
            EXPECT_EQ(frame->Action(WindowSettings + other)->isEnabled(), other != view) << view << other;
        }
        EXPECT_EQ(frame->EditBar()->isHidden(), view != EditViewIndex) << view;
        EXPECT_EQ(frame->FormattingBar()->isHidden(), view != EditViewIndex) << view;
    }
    EXPECT_TRUE(app->OnCommand(AliasSettings));
    EXPECT_EQ(app->CurrentViewIndex(), SettingsViewIndex);
    EXPECT_TRUE(app->OnCommand(32773));
    EXPECT_EQ(app->CurrentViewIndex(), EditViewIndex);
    frame->Action(ModePublish)->trigger();
    EXPECT_EQ(app->CurrentViewIndex(), PublishViewIndex);
    QWidget *publish = app->PublishView();
    EXPECT_EQ(app->SwitchView(PublishViewIndex), publish);
    EXPECT_EQ(app->SwitchView(9), publish);
}

// Guards the Publish menu: from the Edit window it shows the Publish window and starts the publish there
// (an untitled project first asks where to save), and the Edit window's bars stay as they were.
TEST(ViewSwitching, PublishMenuFromTheEditWindow)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    app->OnViewEdit();
    ASSERT_FALSE(frame->EditBar()->isHidden());
    frame->Action(PublishStandaloneMenu)->trigger();
    EXPECT_EQ(app->CurrentViewIndex(), PublishViewIndex);
    EXPECT_FALSE(frame->EditBar()->isHidden());
    EXPECT_FALSE(frame->FormattingBar()->isHidden());
    ASSERT_EQ(f.dialogs.asked.size(), 1);
    EXPECT_TRUE(f.dialogs.asked[0].startsWith("save|"));
    app->OnViewSettings();
    EXPECT_TRUE(frame->EditBar()->isHidden());
}

// Guards the two Edit-window bars against the View menu: opening it elsewhere shows the author's wish and
// keeps it, so the bars come back in the Edit window; turning one off there keeps it off until turned on.
TEST(MainFrame, ViewMenuKeepsTheBarsTheAuthorWants)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    QMenu *view = MenuNamed(frame, "&View");
    ASSERT_TRUE(view);
    emit view->aboutToShow();
    EXPECT_TRUE(frame->Action(ViewFormattingBar)->isChecked());
    EXPECT_TRUE(frame->Action(ViewEditBar)->isChecked());
    app->OnViewEdit();
    EXPECT_FALSE(frame->EditBar()->isHidden());
    EXPECT_FALSE(frame->FormattingBar()->isHidden());

    frame->Action(ViewEditBar)->trigger();
    EXPECT_TRUE(frame->EditBar()->isHidden());
    app->OnViewSettings();
    emit view->aboutToShow();
    EXPECT_FALSE(frame->Action(ViewEditBar)->isChecked());
    app->OnViewEdit();
    EXPECT_TRUE(frame->EditBar()->isHidden());
    EXPECT_FALSE(frame->FormattingBar()->isHidden());
    frame->Action(ViewEditBar)->trigger();
    EXPECT_FALSE(frame->EditBar()->isHidden());

    frame->Action(ViewStandardBar)->trigger();
    EXPECT_TRUE(frame->StandardBar()->isHidden());
    frame->Action(ViewTabBar)->trigger();
    EXPECT_TRUE(frame->ModeBar()->isHidden());
}

// Guards the font boxes: the sizes, what the selected text's font selects, and that only the author's own
// choice in a box reaches the Edit view.
TEST(MainFrame, FontBoxesFollowTheSelectedText)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    QComboBox *size = frame->FontSizeCombo();
    ASSERT_EQ(size->count(), 99);
    EXPECT_EQ(size->itemText(0), "2");
    EXPECT_EQ(size->itemText(98), "100");
    EXPECT_EQ(size->currentText(), "12");
    CFontComboBox *name = frame->FontNameCombo();
    name->SetSelectedName("Arial");
    name->FillFonts({"Verdana", "Arial Black", "Arial"});
    EXPECT_EQ(name->currentText(), "Arial");

    CFakeEditView edit;
    CCorvPage page(1, "Screen", "", "", 0, "1", pt_document, -1);
    edit.page = &page;
    edit.selected = ct_textbox;
    edit.enabled = {FontName, FontSize};
    frame->SetEditView(&edit);
    struct Case { QString face; int points; QString expectFace, expectSize; };
    const Case cases[] = {{"verdana", 101, "Verdana", "12"}, {"Courier", 2, "Verdana", "2"},
                          {"Arial", 1, "Arial", "10"},      {"Arial B", 14, "Arial Black", "14"}};
    for (const Case &c : cases) {
        frame->SelectFontInToolbar(c.face, c.points);
        EXPECT_EQ(name->currentText(), c.expectFace) << qPrintable(c.face);
        EXPECT_EQ(size->currentText(), c.expectSize) << c.points;
    }
    EXPECT_TRUE(edit.fonts.isEmpty());

    ASSERT_TRUE(name->isEnabled());
    QTest::keyClick(name, Qt::Key_Up);
    QTest::keyClick(size, Qt::Key_Down);
    EXPECT_EQ(edit.fonts, (QStringList{"name Arial", "size 15"}));
    frame->SetEditView(app->EditView());
    EXPECT_FALSE(name->isEnabled());
    EXPECT_FALSE(size->isEnabled());
}

// Guards the editing commands: they go to the Edit view whichever view is visible, with their state taken
// from their rule and from the Edit view; the clipboard keys reach the Edit view's selection only while it
// is the visible view.
TEST(MainFrame, EditingCommandsGoToTheEditView)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    for (int command : {EditCopy, Bold, AddScreenMenu, PreviewScreen, EditFind})
        EXPECT_FALSE(frame->Action(command)->isEnabled()) << command;

    CFakeEditView edit;
    CCorvPage page(1, "Screen", "", "", 0, "1", pt_document, -1);
    edit.page = &page;
    edit.selected = ct_textbox;
    edit.enabled = {Bold};
    frame->SetEditView(&edit);
    EXPECT_TRUE(frame->Action(Bold)->isEnabled());
    EXPECT_FALSE(frame->Action(Italic)->isEnabled());
    Activate(frame);
    ASSERT_EQ(app->CurrentViewIndex(), SettingsViewIndex);
    QTest::keyClick(frame, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(edit.clipboard.isEmpty());
    frame->Action(Bold)->trigger();
    EXPECT_FALSE(frame->OnCommand(Italic));
    EXPECT_EQ(edit.received, (QList<int>{Bold}));
    app->OnViewEdit();
    Activate(frame);
    QTest::keyClick(frame, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(edit.clipboard, (QList<CorvCommandTable::ClipboardAction>{CorvCommandTable::ClipboardAction::copyComponent}));
    frame->SetEditView(app->EditView());

    frame->ShowItemPosition(12, 345);
    frame->ShowItemSize(640, 48);
    EXPECT_EQ(frame->PositionPane()->text(), "12, 345");
    EXPECT_EQ(frame->SizePane()->text(), "640, 48");
    frame->ShowItemPosition(0, 0);
    EXPECT_EQ(frame->PositionPane()->text(), "0, 0");
}

namespace {

// Every entry of the menu bar's menus, sub-menus included, each menu brought up to date as it opens.
QList<QAction *> MenuEntries(CMainFrame *frame)
{
    QList<QAction *> entries;
    std::function<void(QMenu *)> walk = [&](QMenu *menu) {
        emit menu->aboutToShow();
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            entries.append(action);
            if (action->menu())
                walk(action->menu());
        }
    };
    for (QAction *top : frame->menuBar()->actions()) {
        EXPECT_FALSE(top->text().isEmpty());
        if (top->menu())
            walk(top->menu());
    }
    return entries;
}

} // namespace

// Guards the menus and bars against entries that say nothing: a bar that made a command's action first left
// its menu entry without text or keys. Every entry and button has its text and status tip, the standard
// keys stand beside their commands, and no key is given to two commands (such a key reaches neither).
TEST(MainFrame, EveryEntryHasItsTextTipAndKeys)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    QList<QAction *> entries = MenuEntries(frame);
    ASSERT_GE(entries.size(), 25);
    for (QToolBar *bar : {frame->ModeBar(), frame->StandardBar(), frame->FormattingBar(), frame->EditBar()})
        for (QAction *action : bar->actions())
            if (qobject_cast<QToolButton *>(bar->widgetForAction(action))) {
                entries.append(action);
                EXPECT_FALSE(action->toolTip().isEmpty()) << qPrintable(action->objectName());
            }
    for (const QAction *action : entries) {
        EXPECT_FALSE(action->text().isEmpty()) << qPrintable(action->objectName());
        EXPECT_FALSE(action->statusTip().isEmpty()) << qPrintable(action->objectName() + " " + action->text());
    }

    using K = QKeySequence;
    struct Case { int command; K key; };
    const Case keys[] = {{FileNew, K(Qt::CTRL | Qt::Key_N)},       {FileOpen, K(Qt::CTRL | Qt::Key_O)},
                         {FileSave, K(Qt::CTRL | Qt::Key_S)},      {FileSaveAs, K(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                         {AppExit, K(Qt::CTRL | Qt::Key_Q)},       {EditUndo, K(Qt::CTRL | Qt::Key_Z)},
                         {EditCut, K(Qt::CTRL | Qt::Key_X)},       {EditCopy, K(Qt::CTRL | Qt::Key_C)},
                         {EditPaste, K(Qt::CTRL | Qt::Key_V)},     {EditFind, K(Qt::CTRL | Qt::Key_F)},
                         {WindowSettings, K(Qt::CTRL | Qt::Key_1)}, {WindowPublish, K(Qt::CTRL | Qt::Key_4)}};
    for (const Case &c : keys) {
        QAction *action = frame->Action(c.command);
        ASSERT_TRUE(action) << c.command;
        EXPECT_TRUE(entries.contains(action)) << c.command;
        EXPECT_EQ(action->shortcut(), c.key) << c.command;
    }
    QHash<QKeySequence, QString> owners;
    for (const QAction *action : frame->findChildren<QAction *>())
        for (const QKeySequence &key : action->shortcuts()) {
            EXPECT_FALSE(owners.contains(key)) << qPrintable(key.toString() + " " + owners.value(key) + " " + action->text());
            owners.insert(key, action->text());
        }
}

// Guards what the menus offer at start-up in the Settings window: the file commands and the other three
// windows can be chosen, the visible window and the editing commands cannot.
TEST(MainFrame, EntriesEnabledAtStartUp)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    MenuEntries(frame);
    const struct { int command; bool enabled; } cases[] = {
        {FileNew, true},         {FileOpen, true},          {FileSave, true},      {FileSaveAs, true},
        {PublishLmsMenu, true},  {AppExit, true},           {EditUndo, false},     {EditCut, false},
        {EditCopy, false},       {EditPaste, false},        {EditFind, false},     {ViewStandardBar, true},
        {WindowSettings, false}, {WindowImport, true},      {WindowEdit, true},    {WindowPublish, true},
        {AppAbout, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(frame->Action(c.command)->isEnabled(), c.enabled) << c.command;
}

// Guards the standard keys, which once did nothing: Ctrl+O and Ctrl+S reach Open and Save (their dialogs
// are asked), Ctrl+N a new project (an unsaved change is asked for first).
TEST(MainFrame, StandardKeysRunTheirCommands)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    Activate(frame);
    QTest::keyClick(frame, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(f.dialogs.asked.size(), 1);
    EXPECT_TRUE(f.dialogs.asked[0].startsWith("open|")) << qPrintable(f.dialogs.asked[0]);
    QTest::keyClick(frame, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(f.dialogs.asked.size(), 2);
    EXPECT_TRUE(f.dialogs.asked[1].startsWith("save|")) << qPrintable(f.dialogs.asked[1]);

    CCorvessaDoc *doc = app->Document();
    doc->MutableSettings().CourseName = "Draft";
    doc->SetModifiedFlag();
    f.prompt.Script({CPrompt::no});
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(f.prompt.Texts(), QStringList{"Save changes to Untitled?"});
    EXPECT_TRUE(doc->Settings().CourseName.isEmpty());
    EXPECT_FALSE(doc->IsModified());
}
