#include "ScriptedSpellUi.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "platform/CorvContext.h"
#include "platform/Prompt.h"
#include "platform/richtext/RichText.h"
#include "spell/SpellCheckCommand.h"
#include "spell/UserWordList.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

using Action = CSpellUi::Action;

CCharFormat Format(uint32_t effects = 0)
{
    CCharFormat f;
    f.mask = CFM_ALL;
    f.effects = effects;
    f.face = "Arial";
    f.height = 240;
    return f;
}

// The Edit window as the check sees it: the current screen, and a log of the screens made current.
struct FakeEditor : CSpellEditorHooks {
    CCorvPage *current = nullptr;
    QList<CCorvPage *> visited;
    CCorvPage *CurrentScreen() const override { return current; }
    void MakeCurrent(CCorvPage *screen) override
    {
        current = screen;
        visited.append(screen);
    }
};

// A small course with known misspellings: screen 1 a text box ("teh" inside a bold run, a link whose
// hidden markers sit around correct text), screen 2 nothing to check, screen 3 a table cell ("wrod") and a
// completion question ("qestion"); a popup and a glossary screen hold misspellings the check must not see.
struct Course {
    TempTree tree;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    CCorvPage *screens[3]{};
    CRichText *box = nullptr;
    CRichText *cell = nullptr;
    CRichText *question = nullptr;

    Course()
    {
        context.appDataFolder = tree / "user";
        context.prompt = &CPrompt::Plain();
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->MutableSettings().DictionaryLanguage = 32958;
        CCorvPage *after = nullptr;
        for (int i = 0; i < 3; ++i)
            after = screens[i] = doc->AddScreen(Page(i + 1), after, false, false);
        auto textbox = std::make_unique<CComponentTextbox>();
        box = &textbox->GetRichText();
        box->AppendRaw("Read ", Format());
        box->AppendRaw("teh bold", Format(CFE_BOLD));
        box->AppendRaw(" words ", Format());
        box->AppendRaw("[0001#", Format(CFE_HIDDEN));
        box->AppendRaw("here", Format(CFE_LINK | CFE_UNDERLINE));
        box->AppendRaw("#0001]", Format(CFE_HIDDEN));
        box->AppendRaw(" now.", Format());
        screens[0]->AddComponent(std::move(textbox));

        CComponentTable::Settings grid;
        grid.rows = 1;
        grid.columns = 2;
        auto table = std::make_unique<CComponentTable>(nullptr, grid);
        cell = &table->GetCell(0, 1)->GetRichText();
        cell->AppendRaw("one wrod", Format());
        screens[2]->AddComponent(std::move(table));
        auto paragraph = std::make_unique<CComponentCompleteParagraph>();
        question = paragraph->GetEditorText();
        question->AppendRaw("Answer the qestion", Format());
        screens[2]->AddComponent(std::move(paragraph));

        auto popup = Page(10, 0);
        auto glossary = Page(11, 0);
        for (auto *page : {popup.get(), glossary.get()}) {
            auto hidden = std::make_unique<CComponentTextbox>();
            hidden->GetRichText().AppendRaw("mispeled", Format());
            page->AddComponent(std::move(hidden));
        }
        doc->AddScreen(std::move(popup), nullptr, true, false);
        doc->AddScreen(std::move(glossary), nullptr, false, true);
        doc->SetModifiedFlag(false);
    }

    static std::unique_ptr<CCorvPage> Page(int id, int type = 2)
    {
        return std::make_unique<CCorvPage>(id, "Screen", "", "", 0, QString::number(id), type, -1);
    }
};

} // namespace

// Guards the whole-course check: it finds exactly the misspellings of the main screens' text boxes, table
// cells and questions, in screen order, shows each screen that has text before its words are asked, and
// never reaches the popup or glossary screens.
TEST(SpellCheckCommand, ProjectFindsExactlyTheMisspellings)
{
    Course course;
    FakeEditor editor;
    ScriptedSpellUi ui;
    CSpellCheckCommand command(*course.doc, &editor, ui);
    command.OnToolsSpellCheckProject();
    EXPECT_EQ(ui.asked, QStringList({"teh", "wrod", "qestion"}));
    EXPECT_EQ(ui.contexts.first(), "Read teh bold words here now.");
    EXPECT_EQ(editor.visited, QList<CCorvPage *>({course.screens[0], course.screens[2]}));
    EXPECT_EQ(ui.told, QStringList({"Spell checking is done"}));
    EXPECT_FALSE(course.doc->IsModified());
}

// Guards a replacement: the word changes in the model's text with the format of its first letter, the
// link markers and the other runs stay as they were, the RTF of the box reads back with the same runs, and
// the course is marked modified.
TEST(SpellCheckCommand, ChangeKeepsFormattingAndLinkMarkers)
{
    Course course;
    FakeEditor editor;
    ScriptedSpellUi ui;
    ui.script = {{Action::change, "the"}};
    CSpellCheckCommand(*course.doc, &editor, ui).OnToolsSpellCheckProject();
    const CRichText &box = *course.box;
    EXPECT_EQ(box.GetText(), "Read the bold words [0001#here#0001] now.");
    const auto runsOf = [](const CRichText &text) {
        QStringList runs;
        for (int i = 0; i < text.GetTextLength(); ++i) {
            const CCharFormat &f = text.GetCharFormatAt(i);
            runs.append(QStringLiteral("%1:%2:%3").arg(f.effects & ~CFE_LINK).arg(f.face).arg(f.height));
        }
        return runs;
    };
    EXPECT_TRUE(box.GetCharFormatAt(5).Has(CFE_BOLD));
    EXPECT_TRUE(box.GetCharFormatAt(7).Has(CFE_BOLD));
    EXPECT_FALSE(box.GetCharFormatAt(4).Has(CFE_BOLD));
    for (int i = 20; i < 26; ++i)
        EXPECT_TRUE(box.GetCharFormatAt(i).Has(CFE_HIDDEN)) << i;
    CRichText reread;
    reread.SetRtf(box.GetRtf());
    EXPECT_EQ(reread.GetText(), box.GetText());
    EXPECT_EQ(runsOf(reread), runsOf(box));
    EXPECT_TRUE(course.doc->IsModified());
    EXPECT_EQ(course.screens[0]->GetModified(), 1);
    // The selection is collapsed after each text.
    int start = 0, end = 0;
    box.GetSel(start, end);
    EXPECT_EQ(start, end);
}

// Guards cancel: it ends the whole run at once (the later screen is never made current nor its words asked),
// the screen of the cancel stays current, and the closing message still comes, once.
TEST(SpellCheckCommand, CancelEndsTheRun)
{
    Course course;
    FakeEditor editor;
    ScriptedSpellUi ui;
    ui.script = {{Action::cancel, {}}};
    CSpellCheckCommand(*course.doc, &editor, ui).OnToolsSpellCheckProject();
    EXPECT_EQ(ui.asked, QStringList({"teh"}));
    EXPECT_EQ(editor.visited, QList<CCorvPage *>({course.screens[0]}));
    EXPECT_EQ(editor.current, course.screens[0]);
    EXPECT_EQ(ui.told, QStringList({"Spell checking is done"}));
}

// Guards the author's word list: a word added is not reported again, in this run or in the next one, and
// the list lies in the per-user folder; "Ignore all" holds for the rest of the run only.
TEST(SpellCheckCommand, AddedWordIsNotReportedAgain)
{
    Course course;
    course.cell->ReplaceAll("wrod and wrod again");
    FakeEditor editor;
    ScriptedSpellUi ui;
    ui.script = {{Action::ignoreAll, {}}, {Action::add, {}}};
    CSpellCheckCommand(*course.doc, &editor, ui).OnToolsSpellCheckProject();
    EXPECT_EQ(ui.asked, QStringList({"teh", "wrod", "qestion"}));
    CUserWordList saved(CUserWordList::PathIn(course.context.appDataFolder));
    saved.Load();
    EXPECT_EQ(saved.Words(), QStringList({"wrod"}));
    ScriptedSpellUi second;
    CSpellCheckCommand(*course.doc, &editor, second).OnToolsSpellCheckProject();
    EXPECT_EQ(second.asked, QStringList({"teh", "qestion"}));
}

// Guards the current-screen command and the failures: only the current screen is checked and it stays
// current; no current screen, no text components, a missing Edit window or a missing dictionary each end
// with their own message and change nothing.
TEST(SpellCheckCommand, CurrentScreenAndFailures)
{
    Course course;
    FakeEditor editor;
    editor.current = course.screens[2];
    ScriptedSpellUi ui;
    CSpellCheckCommand(*course.doc, &editor, ui).OnToolsSpellCheckThisPage();
    EXPECT_EQ(ui.asked, QStringList({"wrod", "qestion"}));
    EXPECT_TRUE(editor.visited.isEmpty());

    const struct {
        const char *name;
        bool withEditor;
        CCorvPage *current;
        bool thisPage;
        bool dictionaries;
        QStringList told;
    } cases[] = {
        {"no current screen", true, nullptr, true, true, {"Spell checking is done"}},
        {"screen without text", true, course.screens[1], true, true, {"Spell checking is done"}},
        {"no edit window", false, nullptr, false, true,
         {"CCorvessaDoc::OnToolsSpellCheckProject Fail to get pointer to CEditFrmVw"}},
        {"no edit window here", false, nullptr, true, true,
         {"CCorvessaDoc::OnToolsSpellCheckThisPage Fail to get pointer to CEditFrmVw"}},
        {"no dictionary", true, course.screens[0], false, false, {"Fail to create spell checker"}},
    };
    for (const auto &c : cases) {
        FakeEditor e;
        e.current = c.current;
        ScriptedSpellUi u;
        TempTree empty;
        CSpellCheckCommand command(*course.doc, c.withEditor ? &e : nullptr, u,
                                   c.dictionaries ? QString() : empty.Path());
        if (c.thisPage)
            command.OnToolsSpellCheckThisPage();
        else
            command.OnToolsSpellCheckProject();
        EXPECT_TRUE(u.asked.isEmpty()) << c.name;
        EXPECT_EQ(u.told, c.told) << c.name;
        EXPECT_EQ(e.current, c.current) << c.name;
    }
    EXPECT_EQ(course.box->GetText(), "Read teh bold words [0001#here#0001] now.");
    EXPECT_FALSE(course.doc->IsModified());
}
