#include "editor/FindReplace.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cstring>

namespace {

// The Edit window as the search sees it: a current screen, and the screens it was asked to show.
class FakeEditWindow : public CFindReplaceHost
{
public:
    CCorvPage *current = nullptr;
    std::vector<CCorvPage *> shown;
    int textChanges = 0;

    CCorvPage *CurrentScreen() const override { return current; }
    void ShowScreen(CCorvPage *screen) override
    {
        current = screen;
        shown.push_back(screen);
    }
    void TextChanged(CComponentBase &, CRichText &) override { ++textChanges; }
};

struct Course {
    CCorvessaDoc doc{CCorvContext::Empty(), [] { return int64_t(0); }};

    CCorvPage *AddScreen(int id)
    {
        return doc.AddScreen(std::make_unique<CCorvPage>(id, QStringLiteral("Screen %1").arg(id), "", "", 0,
                                                         QString::number(id), 2, -1));
    }
    // A text box holding the text; ranges listed in hidden are hidden, as a link's markers are.
    CRichText &AddTextBox(CCorvPage *screen, const QString &text, std::vector<std::pair<int, int>> hidden = {})
    {
        auto box = std::make_unique<CComponentTextbox>();
        CRichText &rich = box->GetRichText();
        rich.ReplaceAll(text);
        for (const auto &[start, end] : hidden)
            rich.HideRange(start, end);
        EXPECT_TRUE(screen->AddComponent(std::move(box)).Ok());
        return rich;
    }
    CComponentTable *AddTable(CCorvPage *screen, const QString &cellText)
    {
        auto table = std::make_unique<CComponentTable>();
        table->SetRowCount(1);
        table->SetColumnCount(2);
        table->GetCell(0, 1)->GetRichText().ReplaceAll(cellText);
        CComponentTable *raw = table.get();
        EXPECT_TRUE(screen->AddComponent(std::move(table)).Ok());
        return raw;
    }
};

} // namespace

// Matching is by whole words, with or without case, and never lands on a link's hidden marker.
TEST(FindReplace, FindsWholeWordsOnly)
{
    struct Case {
        const char *text;
        const char *what;
        bool matchCase;
        int expectedStart; // -1: the search reaches the end without a match
    };
    const Case cases[] = {
        {"a catalog and a cat", "cat", false, 16},
        {"Cat and cat", "cat", true, 8},
        {"Cat and cat", "cat", false, 0},
        {"catalog only", "cat", false, -1},
        // "[0002#" holds the word 0002 between two non-word characters: it is hidden, so it is passed over.
        {"see [0002#here#0002] 0002", "0002", false, 21},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Course course;
        CCorvPage *screen = course.AddScreen(1);
        const QString text = QString::fromLatin1(c.text);
        std::vector<std::pair<int, int>> hidden;
        if (text.contains('['))
            hidden = {{4, 10}, {14, 20}};
        CRichText &rich = course.AddTextBox(screen, text, hidden);
        FakeEditWindow window;
        window.current = screen;
        CRecordingPrompt prompt; // "No" to going on from the beginning
        CFindReplace search(course.doc, window, prompt);
        search.findWhat = QString::fromLatin1(c.what);
        search.matchCase = c.matchCase;
        const CFindReplace::Outcome outcome = search.Find();
        if (c.expectedStart < 0) {
            EXPECT_EQ(outcome, CFindReplace::Outcome::Closed);
            ASSERT_EQ(prompt.Entries().size(), 1);
            EXPECT_EQ(prompt.Entries()[0].text,
                      "No more matches were found.\nContinue the search from the beginning of this page?");
            continue;
        }
        ASSERT_EQ(outcome, CFindReplace::Outcome::Found);
        int start = 0;
        int end = 0;
        rich.GetSel(start, end);
        EXPECT_EQ(start, c.expectedStart);
        EXPECT_EQ(end - start, int(strlen(c.what)));
    }
}

// Replace All works on text boxes only, counts what it did, marks the project modified and says how many.
TEST(FindReplace, ReplaceAllCountsAndLeavesTablesAlone)
{
    struct Case {
        const char *text;
        const char *what;
        const char *with;
        const char *after;
        int count;
    };
    const Case cases[] = {
        {"a cat", "cat", "cat cat", "a cat cat", 1},
        {"longword longword", "longword", "w", "w w", 2},
        {"nothing here", "cat", "dog", "nothing here", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Course course;
        CCorvPage *screen = course.AddScreen(1);
        CRichText &rich = course.AddTextBox(screen, QString::fromLatin1(c.text));
        CComponentTable *table = course.AddTable(screen, QString::fromLatin1(c.text));
        FakeEditWindow window;
        window.current = screen;
        CRecordingPrompt prompt;
        CFindReplace search(course.doc, window, prompt);
        search.findWhat = QString::fromLatin1(c.what);
        search.replaceWith = QString::fromLatin1(c.with);
        EXPECT_EQ(search.ReplaceAll(), c.count);
        EXPECT_EQ(rich.GetText(), QString::fromLatin1(c.after));
        EXPECT_EQ(table->GetCell(0, 1)->GetRichText().GetText(), QString::fromLatin1(c.text));
        ASSERT_EQ(prompt.Entries().size(), 1);
        EXPECT_EQ(prompt.Entries()[0].text, QStringLiteral("%1 replacements were made.").arg(c.count));
        EXPECT_EQ(course.doc.IsModified(), c.count > 0);
        EXPECT_EQ(screen->GetModified(), c.count > 0 ? 1 : 0);
    }
}

// A replacement keeps the marker of a link that holds the same word, so the link survives.
TEST(FindReplace, ReplaceAllNeverTouchesLinkMarkers)
{
    Course course;
    CCorvPage *screen = course.AddScreen(1);
    CRichText &rich = course.AddTextBox(screen, "[0002#0002#0002] and 0002", {{0, 6}, {10, 16}});
    FakeEditWindow window;
    window.current = screen;
    CRecordingPrompt prompt;
    CFindReplace search(course.doc, window, prompt);
    search.findWhat = "0002";
    search.replaceWith = "two";
    EXPECT_EQ(search.ReplaceAll(), 2);
    EXPECT_EQ(rich.GetText(), "[0002#two#0002] and two");
}

// Find walks the whole project screen by screen, showing each screen with text, skipping screens without,
// finding text in table cells too; at the end the author may start again or stop.
TEST(FindReplace, WholeProjectFindShowsEachScreenWithText)
{
    Course course;
    CCorvPage *first = course.AddScreen(1);
    course.AddTextBox(first, "the fox");
    course.AddScreen(2); // no text at all
    CCorvPage *third = course.AddScreen(3);
    CComponentTable *table = course.AddTable(third, "a fox in a cell");
    FakeEditWindow window;
    CRecordingPrompt prompt;
    prompt.Script({CPrompt::yes, CPrompt::no});
    CFindReplace search(course.doc, window, prompt);
    search.findWhat = "fox";
    search.wholeProject = true;

    EXPECT_EQ(search.Find(), CFindReplace::Outcome::Found);
    EXPECT_EQ(window.current, first);
    EXPECT_EQ(search.Find(), CFindReplace::Outcome::Found);
    EXPECT_EQ(window.current, third);
    EXPECT_EQ(search.CurrentText(), &table->GetCell(0, 1)->GetRichText());
    EXPECT_EQ(search.Find(), CFindReplace::Outcome::Found); // Yes: from the beginning again
    EXPECT_EQ(window.current, first);
    EXPECT_EQ(search.Find(), CFindReplace::Outcome::Found);
    EXPECT_EQ(window.current, third);
    EXPECT_EQ(search.Find(), CFindReplace::Outcome::Closed); // No: the dialog closes
    const std::vector<CCorvPage *> expected{first, third, first, third};
    EXPECT_EQ(window.shown, expected);
    ASSERT_EQ(prompt.Entries().size(), 2);
    EXPECT_EQ(prompt.Entries()[0].text,
              "No more matches were found.\nContinue the search from the beginning of this project?");
}

// Nothing to search ends with a message in either mode, rather than a search of no text; Replace before any
// Find does nothing.
TEST(FindReplace, NoTextAnywhereIsToldAndReplaceNeedsAMatch)
{
    for (const bool wholeProject : {false, true}) {
        SCOPED_TRACE(wholeProject);
        Course course;
        CCorvPage *screen = course.AddScreen(1);
        FakeEditWindow window;
        window.current = screen;
        CRecordingPrompt prompt;
        prompt.SetFallback(CPrompt::yes);
        CFindReplace search(course.doc, window, prompt);
        search.findWhat = "fox";
        search.wholeProject = wholeProject;
        search.Replace();
        EXPECT_EQ(search.ReplacementCount(), 0);
        EXPECT_EQ(search.Find(), CFindReplace::Outcome::NoText);
        ASSERT_FALSE(prompt.Entries().isEmpty());
        EXPECT_EQ(prompt.Entries().back().text, "There is no TextBox in this page");
        EXPECT_FALSE(course.doc.IsModified());
    }
}

// Replace changes only the selected match, then Find goes on after it.
TEST(FindReplace, ReplaceTheFoundMatchThenGoOn)
{
    Course course;
    CCorvPage *screen = course.AddScreen(1);
    CRichText &rich = course.AddTextBox(screen, "one cat, two cat");
    FakeEditWindow window;
    window.current = screen;
    CRecordingPrompt prompt;
    CFindReplace search(course.doc, window, prompt);
    search.findWhat = "cat";
    search.replaceWith = "dog";
    ASSERT_EQ(search.Find(), CFindReplace::Outcome::Found);
    search.Replace();
    EXPECT_EQ(rich.GetText(), "one dog, two cat");
    ASSERT_EQ(search.Find(), CFindReplace::Outcome::Found);
    EXPECT_EQ(rich.GetSelText(), "cat");
    int start = 0;
    int end = 0;
    rich.GetSel(start, end);
    EXPECT_EQ(start, 13);
    EXPECT_EQ(window.textChanges, 1);
    EXPECT_TRUE(course.doc.IsModified());
}

// A replacement takes the format of the word it replaces and leaves the formats around it as they were; the
// count of Replace All is the count of whole words in the plain text.
TEST(FindReplace, ReplaceKeepsFormatsAndCountsWholeWords)
{
    Course course;
    CCorvPage *screen = course.AddScreen(1);
    CRichText &rich = course.AddTextBox(screen, "a cat, a Cat; cats and cat.");
    CCharFormat bold;
    bold.mask = CFM_BOLD;
    bold.SetEffect(CFE_BOLD, true);
    rich.SetCharFormat(2, 5, bold); // the first "cat"
    FakeEditWindow window;
    window.current = screen;
    CRecordingPrompt prompt;
    CFindReplace search(course.doc, window, prompt);
    search.findWhat = "cat";
    search.replaceWith = "dog";

    const QString plain = rich.GetText();
    const int wholeWords = int(plain.count(QRegularExpression(QStringLiteral("\\bcat\\b"),
                                                               QRegularExpression::CaseInsensitiveOption)));
    EXPECT_EQ(search.ReplaceAll(), wholeWords);
    EXPECT_EQ(rich.GetText(), "a dog, a dog; cats and dog.");
    EXPECT_TRUE(rich.GetCharFormatAt(2).Has(CFE_BOLD));
    EXPECT_TRUE(rich.GetCharFormatAt(4).Has(CFE_BOLD));
    EXPECT_FALSE(rich.GetCharFormatAt(0).Has(CFE_BOLD));
    EXPECT_FALSE(rich.GetCharFormatAt(5).Has(CFE_BOLD));
    EXPECT_FALSE(rich.GetCharFormatAt(9).Has(CFE_BOLD));
}
