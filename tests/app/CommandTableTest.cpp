#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "model/ComponentType.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QString>

using namespace CorvCommand;
using namespace CorvCommandTable;

namespace {

bool Enabled(int id, const CUiState &s)
{
    const Command *c = Find(id);
    EXPECT_NE(c, nullptr) << id;
    return c && IsEnabled(*c, s);
}

bool Checked(int id, const CUiState &s) { return IsChecked(*Find(id), s); }

CUiState EditOn(int screenType = 2, int selected = -1)
{
    CUiState s;
    s.currentViewIndex = 2;
    s.hasCurrentScreen = true;
    s.screenType = screenType;
    s.selectedType = selected;
    return s;
}

// The commands of the Insert and Tools menus, sub-menus included.
QList<int> InsertAndToolsCommands()
{
    QList<int> ids;
    int menu = 0;
    for (const MenuLine &line : MenuBar()) {
        if (line.depth == 0)
            menu = QString::fromLatin1(line.title) == "&Insert" ? 1 : QString::fromLatin1(line.title) == "&Tools" ? 2 : 0;
        else if (menu && line.id > 0)
            ids.append(line.id);
    }
    return ids;
}

} // namespace

// Guards the menus against a missing or doubled entry: every command of the menu bar has a text, a status
// tip and a tool tip, none appears twice, and the menus are the seven of the program in their order.
TEST(CommandTable, MenuBarIsComplete)
{
    QSet<int> seen;
    QStringList titles;
    int entries = 0;
    for (const MenuLine &line : MenuBar()) {
        if (line.depth == 0) {
            titles.append(QString::fromLatin1(line.title));
            continue;
        }
        if (line.id <= 0)
            continue;
        ++entries;
        const Command *c = Find(line.id);
        ASSERT_NE(c, nullptr) << line.id;
        ASSERT_NE(c->text, nullptr) << line.id;
        const QString tip = QString::fromLatin1(c->tip);
        EXPECT_TRUE(tip.indexOf(u'\n') > 0 && !tip.endsWith(u'\n')) << line.id;
        EXPECT_FALSE(seen.contains(line.id)) << line.id;
        seen.insert(line.id);
    }
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Insert", "&Tools", "&Windows", "&Help"}));
    EXPECT_EQ(entries, 76);
    EXPECT_EQ(QString::fromLatin1(Find(EditRemediation)->text), "&Edit remeditation...");
}

// Guards the keys the Question menu shows (Ctrl+Shift first: an X server keeps Ctrl+Alt+F1-F9 for itself): each one is bound to the very command whose entry shows it, and
// no key is bound to two commands.
TEST(CommandTable, EveryShownKeyIsBoundOnce)
{
    const struct {
        int id;
        const char *keys;
    } cases[] = {
        {InsertCompleteParagraph, "Ctrl+Shift+F1; Ctrl+Alt+F1"}, {InsertTrueFalse, "Ctrl+Shift+F5; Ctrl+Alt+F5"},
        {InsertPartIdentification, "Ctrl+Shift+F6; Ctrl+Alt+F6"}, {InsertFreeFormText, "Ctrl+Shift+F7; Ctrl+Alt+F7"},
        {InsertFlashQuestion, "Ctrl+Shift+F8; Ctrl+Alt+F8"}, {InsertLikert, "Ctrl+Shift+F9; Ctrl+Alt+F9"}, {NewScreen, "F5"}, {NewDocument, "F6"},
        {WindowPreview, "F12"}, {AppHelp, "F1"}, {EditPaste, "Ctrl+V; Shift+Ins"}, {EditUndo, "Ctrl+Z; Alt+Backspace"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QString::fromLatin1(Find(c.id)->keys), QString::fromLatin1(c.keys)) << c.id;
    QSet<QString> keys;
    for (const Command &c : Commands())
        for (const QString &key : QString::fromLatin1(c.keys).split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
            EXPECT_FALSE(keys.contains(key)) << key.toStdString();
            keys.insert(key);
        }
}

// Guards the Settings view: every editing command of the Insert and Tools menus is greyed there, except the
// three languages and the four commands whose rules do not look at the visible view.
TEST(CommandTable, SettingsViewGreysInsertAndTools)
{
    CUiState s = EditOn(8, ct_textbox);
    s.currentViewIndex = 0;
    s.canAddScreenHere = true;
    const QList<int> ownRules = {LanguageAmerican, LanguageCanadian, LanguageUk, AddFinalPerformanceScreens,
                                 AddPopupsOnlyFolder, AddGlossaryFolder, EditRemediation};
    for (int id : InsertAndToolsCommands())
        EXPECT_EQ(Enabled(id, s), ownRules.contains(id)) << id;
}

// Guards each rule on the states that separate it from its neighbours: screen types, selections, the
// folders of the outline and the import pending.
TEST(CommandTable, RulesFollowTheState)
{
    const auto with = [](CUiState s, auto change) {
        change(s);
        return s;
    };
    const struct {
        const char *name;
        int id;
        CUiState state;
        bool enabled;
    } cases[] = {
        {"table link button", AddLink, EditOn(2, ct_table), true},
        {"table link menu", ToolsAddLink, EditOn(2, ct_table), false},
        {"image link menu", ToolsAddLink, EditOn(2, ct_image), true},
        {"link on a container", AddLink, EditOn(1, ct_textbox), false},
        {"question on a container", InsertLikert, EditOn(1), true},
        {"question on a popup", InsertTrueFalse, EditOn(7), false},
        {"question without a screen", InsertTrueFalse, with(EditOn(), [](CUiState &s) { s.hasCurrentScreen = false; }),
         false},
        {"media without a screen", MediaAudio, with(EditOn(7), [](CUiState &s) { s.hasCurrentScreen = false; }), true},
        {"media on a glossary screen", MediaAudio, EditOn(9), false},
        {"flash video on a popups screen", MediaFlashVideo, EditOn(7), true},
        {"flash video on a remediation", MediaFlashVideo, EditOn(8), false},
        {"remediation", EditRemediation, EditOn(8), true},
        {"remediation elsewhere", EditRemediation, EditOn(2), false},
        {"edit question", EditQuestion, EditOn(3), true},
        {"edit question on a content screen", EditQuestion, EditOn(2), false},
        {"new document", NewDocument, EditOn(), true},
        {"new document while importing", NewDocument, with(EditOn(), [](CUiState &s) { s.importPending = 1; }), false},
        {"new screen not here", NewScreen, EditOn(), false},
        {"new screen here", NewScreen, with(EditOn(), [](CUiState &s) { s.canAddScreenHere = true; }), true},
        {"final performance", AddFinalPerformanceScreens, EditOn(), true},
        {"final performance with assessment", AddFinalPerformanceScreens,
         with(EditOn(), [](CUiState &s) { s.hasAssessmentPages = true; }), false},
        {"popups folder twice", AddPopupsOnlyFolder, with(EditOn(), [](CUiState &s) { s.hasPopupsOnlyFolder = true; }),
         false},
        {"bold on a table", Bold, EditOn(2, ct_table), true},
        {"bold on an image", Bold, EditOn(2, ct_image), false},
        {"fill colour of a line", FillColour, EditOn(2, ct_line), false},
        {"line colour of a line", LineColour, EditOn(2, ct_line), true},
        {"paste with nothing held", EditPaste, EditOn(2, ct_image), false},
        {"paste a held component", EditPaste, with(EditOn(2, ct_image), [](CUiState &s) { s.holdsCopiedComponent = true; }),
         true},
        {"undo that cannot", EditUndo, EditOn(2, ct_textbox), false},
        {"undo in an HTML editor", EditUndo,
         with(EditOn(2, ct_html_editor), [](CUiState &s) { s.selectionCanUndo = true; }), true},
        {"copy an audio", EditCopy, EditOn(2, ct_audio), true},
        {"copy a rectangle", EditCopy, EditOn(2, ct_rectangle), false},
        {"copy in the Settings view", EditCopy, with(EditOn(2, ct_textbox), [](CUiState &s) { s.currentViewIndex = 0; }),
         false},
        {"preferences anywhere", PublishSettings, CUiState{}, true},
        {"find outside Edit", EditFind, CUiState{}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Enabled(c.id, c.state), c.enabled) << c.name;
}

// Guards the ticks: the publishing preferences and the language follow the document, the background and
// grid ticks show only in the Edit view, the sorter only for 1.
TEST(CommandTable, TicksFollowTheSettings)
{
    CUiState s;
    s.dictionaryLanguage = LanguageCanadian;
    s.previewUsingHtm = 2;
    s.showBackground = 1;
    s.showSorter = 2;
    EXPECT_TRUE(Checked(LanguageCanadian, s));
    EXPECT_FALSE(Checked(LanguageUk, s));
    EXPECT_TRUE(Checked(PreviewUsingHtm, s));
    EXPECT_FALSE(Checked(PublishImagesAtStandardResolution, s));
    EXPECT_FALSE(Checked(ViewBackground, s));
    EXPECT_FALSE(Checked(ViewSorter, s));
    s.currentViewIndex = 2;
    s.showSorter = 1;
    EXPECT_TRUE(Checked(ViewBackground, s));
    EXPECT_TRUE(Checked(ViewSorter, s));
}

// Guards the clipboard commands by selection: text goes into a text box even when a component is held, an
// HTML editor copies its text but is cut whole, and nothing at all happens while another view is visible
// (a component still selected in the hidden Edit window must not be cut or pasted into).
TEST(CommandTable, ClipboardDispatchBySelection)
{
    using A = ClipboardAction;
    CUiState held = EditOn(2, ct_textbox);
    held.holdsCopiedComponent = true;
    CUiState hidden = held;
    hidden.currentViewIndex = 0;
    CUiState noScreen = held;
    noScreen.hasCurrentScreen = false;
    CUiState htmlHeld = EditOn(2, ct_html_editor);
    htmlHeld.holdsCopiedComponent = true;
    CUiState nothingHeld = EditOn(2, -1);
    nothingHeld.holdsCopiedComponent = true;
    const struct {
        const char *name;
        int id;
        CUiState state;
        A action;
    } cases[] = {
        {"paste into a text box", EditPaste, held, A::pasteText},
        {"paste into a hidden text box", EditPaste, hidden, A::none},
        {"cut a hidden component", EditCut, hidden, A::none},
        {"copy without a screen", EditCopy, noScreen, A::none},
        {"copy HTML text", EditCopy, EditOn(2, ct_html_editor), A::copySelectedText},
        {"cut HTML editor", EditCut, EditOn(2, ct_html_editor), A::cutComponent},
        {"paste HTML text", EditPaste, EditOn(2, ct_html_editor), A::pasteText},
        {"paste a component over HTML", EditPaste, htmlHeld, A::pasteComponent},
        {"paste a component on nothing", EditPaste, nothingHeld, A::pasteComponent},
        {"paste nothing held", EditPaste, EditOn(2, ct_video), A::none},
        {"copy a video", EditCopy, EditOn(2, ct_video), A::copyComponent},
        {"cut a table", EditCut, EditOn(2, ct_table), A::none},
        {"undo a text box", EditUndo, EditOn(2, ct_textbox), A::undoText},
        {"undo an HTML editor", EditUndo, EditOn(2, ct_html_editor), A::undoHtml},
        {"undo an image", EditUndo, EditOn(2, ct_image), A::none},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Dispatch(c.id, c.state), c.action) << c.name;
}
