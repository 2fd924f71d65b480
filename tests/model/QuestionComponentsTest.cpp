#include "CommittingCanvas.h"

#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFactory.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMultipleChoice.h"
#include "platform/Archive.h"
#include "platform/RandomSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

QByteArray Store(CComponentBase &c)
{
    CArchive ar;
    c.SerializeComponent(ar);
    return ar.GetBuffer();
}

template <class Kind>
std::unique_ptr<Kind> Reload(CComponentBase &c)
{
    CArchive ar(Store(c));
    auto loaded = CComponentFactory::LoadComponent(ar, {ProjectSchema::kCurrent});
    EXPECT_TRUE(ar.AtEnd());
    return std::unique_ptr<Kind>(dynamic_cast<Kind *>(loaded.release()));
}

using Words = CComponentCompleteParagraph::Words;

Words Slots(std::initializer_list<const char *> words)
{
    Words wordSlots;
    size_t i = 0;
    for (const char *w : words)
        wordSlots[i++] = QString::fromUtf8(w);
    return wordSlots;
}

int Blanks(const QString &text)
{
    return int(text.count(CComponentCompleteParagraph::kBlank));
}

} // namespace

// Guards the word choice of imported paragraph questions: longest words first, a drawn word spent with
// its case variants, never two neighbours of the list of distinct words, blanks only over whole words,
// slots in the order of the blanks, and no more than ten.
TEST(CompleteParagraph, PickMissingWordsFollowsItsRules)
{
    struct Case {
        const char *name;
        const char *text;
        int count;
        std::initializer_list<int> draws;
        const char *expectedText;
        std::initializer_list<const char *> expectedWords;
    } cases[] = {
        // [The cat sat the mat on] by length; "The" spends "the" too, "cat" is rejected as its neighbour.
        {"first draw", "The cat sat on the mat", 2, {0, 0, 0}, "**** cat **** on the mat", {"The", "sat"}},
        // "mat" first; "the" is its neighbour and goes with "The", leaving [cat sat]: the third draw takes
        // index 1 of two. The slots follow the blanks, not the order of choosing.
        {"case variants spent", "The cat sat on the mat", 2, {4, 3, 1}, "The cat **** on the ****", {"sat", "mat"}},
        {"no words but tokens with other characters", "don't A4 word! tab\there ok", 3, {}, "don't A4 word! tab\there ****",
         {"ok"}},
        // "category's" is no word, and "cat" is blanked where it stands alone, never inside it.
        {"whole words only", "The category's cat sat", 1, {1}, "The category's **** sat", {"cat"}},
        {"count zero", "The cat sat", 0, {}, "The cat sat", {}},
        {"nothing to choose", "1, 2; 3?", 4, {}, "1, 2; 3?", {}},
        {"neighbours run out", "ab cd", 2, {0, 0}, "**** cd", {"ab"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CComponentCompleteParagraph q;
        q.SetQuestionText(QString::fromUtf8(c.text));
        CScriptedRandom random(c.draws);
        EXPECT_EQ(q.PickMissingWords(c.count, random), 1);
        EXPECT_EQ(q.GetQuestionText(), QString::fromUtf8(c.expectedText));
        EXPECT_EQ(q.GetMissingWords(), Slots(c.expectedWords));
        EXPECT_EQ(q.GetWordsChosen(), 1);
    }
}

// Guards against a second import pass blanking the words of an already finished question, and against a
// count above the ten slots writing past them.
TEST(CompleteParagraph, PickMissingWordsOnceAndAtMostTen)
{
    QStringList words;
    for (const char *w : {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel", "india", "juliet",
                          "kilo", "lima", "mike", "november", "oscar", "papa", "quebec", "romeo", "sierra", "tango",
                          "uniform", "victor", "whiskey", "xray", "yankee", "zulu"})
        words.append(QString::fromLatin1(w) + QStringLiteral(" and so"));
    CComponentCompleteParagraph q;
    q.SetQuestionText(words.join(u' '));
    CSeededRandom random(7);
    ASSERT_EQ(q.PickMissingWords(25, random), 1);
    const QString text = q.GetQuestionText();
    const Words wordSlots = q.GetMissingWords();
    const int filled =
        int(std::count_if(wordSlots.begin(), wordSlots.end(), [](const QString &w) { return !w.isEmpty(); }));
    EXPECT_EQ(filled, 10);
    EXPECT_EQ(Blanks(text), 10);

    EXPECT_EQ(q.PickMissingWords(3, random), 0);
    EXPECT_EQ(q.GetQuestionText(), text);
    EXPECT_EQ(q.GetMissingWords(), wordSlots);
}

// Guards the packing of the word slots (the published answer counts the filled slots from the front) and
// the answer list built from them.
TEST(CompleteParagraph, WordsArePackedAndIndexed)
{
    CComponentCompleteParagraph q;
    Words sparse;
    sparse[1] = QStringLiteral("one");
    sparse[4] = QStringLiteral("four");
    sparse[9] = QStringLiteral("nine");
    q.SetMissingWords(sparse);
    EXPECT_EQ(q.GetMissingWords(), Slots({"one", "four", "nine"}));
    QStringList answers{QStringLiteral("stale")};
    q.GetAnswerIndexList(answers);
    EXPECT_EQ(answers, (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}));

    auto loaded = Reload<CComponentCompleteParagraph>(q);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetMissingWords(), Slots({"one", "four", "nine"}));
}

// Guards the paragraph's editor: what an importer or the author writes into it is what the question
// stores, while a paragraph nobody edited is stored exactly as it was read.
TEST(CompleteParagraph, ParagraphEditorFeedsTheRecord)
{
    CComponentCompleteParagraph q;
    q.SetInstruction(QStringLiteral("Drag the words"));
    q.SetQuestionText(QStringLiteral("Line one\nLine two"));
    q.SetFont(QStringLiteral("Arial"), 12);
    auto untouched = Reload<CComponentCompleteParagraph>(q);
    ASSERT_TRUE(untouched);
    EXPECT_EQ(untouched->GetQuestionText(), QStringLiteral("Line one\nLine two"));
    EXPECT_EQ(Store(*untouched), Store(q));
    // The font belongs to the course, not to the record.
    EXPECT_TRUE(untouched->GetFontFace().isEmpty());

    CRichText *editor = q.GetEditorText();
    ASSERT_NE(editor, nullptr);
    editor->SetSel(editor->GetTextLength(), editor->GetTextLength());
    editor->ReplaceSel(QStringLiteral("\nLine three"));
    EXPECT_EQ(q.GetQuestionText(), QStringLiteral("Line one\r\nLine two\r\nLine three"));
    auto edited = Reload<CComponentCompleteParagraph>(q);
    EXPECT_EQ(edited->GetQuestionText(), QStringLiteral("Line one\r\nLine two\r\nLine three"));
    EXPECT_EQ(edited->GetInstruction(), QStringLiteral("Drag the words"));
}

// Guards the copy/paste of a question: every text and the font travel, the words-chosen state does not.
TEST(CompleteParagraph, CloneCopiesTextsNotTheChoice)
{
    FakeCanvas canvas;
    CComponentCompleteParagraph q(&canvas);
    q.SetBounds(CRect(500, 300, 900, 500), true);
    q.SetFont(QStringLiteral("Verdana"), 14);
    q.SetInstruction(QStringLiteral("Fill"));
    q.SetQuestionText(QStringLiteral("A big dog"));
    q.SetCorrectFeedback(QStringLiteral("Yes"));
    CScriptedRandom random({0});
    q.PickMissingWords(1, random);
    auto copy = q.Clone(false);
    auto &c = dynamic_cast<CComponentCompleteParagraph &>(*copy);
    EXPECT_EQ(c.GetBounds(), CRect(36, 32, 436, 232));
    EXPECT_EQ(c.GetFontFace(), QStringLiteral("Verdana"));
    EXPECT_EQ(c.GetFontSize(), 14);
    EXPECT_EQ(c.GetQuestionText(), QStringLiteral("A **** dog"));
    EXPECT_EQ(c.GetMissingWords(), Slots({"big"}));
    EXPECT_EQ(c.GetCorrectFeedback(), QStringLiteral("Yes"));
    EXPECT_EQ(c.GetWordsChosen(), 0);
}

// Guards the fill-in-the-blanks slots against packing (slot i answers blank i) and alternatives against
// being split or trimmed.
TEST(FillBlanks, SlotsStayWhereTheAuthorPutThem)
{
    FakeCanvas canvas;
    CComponentFillBlanks q(&canvas);
    CComponentFillBlanks::Words words;
    words[2] = QStringLiteral("big;large");
    words[5] = QStringLiteral("red");
    q.SetWords(words);
    q.SetQuestionText(QStringLiteral("A **** and **** house"));
    q.SetBounds(CRect(100, 100, 600, 400), true);

    auto loaded = Reload<CComponentFillBlanks>(q);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetWords(), words);
    auto copy = q.Clone(false);
    EXPECT_EQ(dynamic_cast<CComponentFillBlanks &>(*copy).GetWords(), words);
    EXPECT_EQ(copy->GetBounds(), CRect(36, 32, 536, 332));
    EXPECT_EQ(copy->Clone(true)->GetBounds(), CRect(36, 32, 536, 332));
}

// Guards which getters take the author's edits from the window: the instruction does, the question text
// does not, and a store takes all of them.
TEST(FillBlanks, WindowEditsAreTakenWhereTheyCount)
{
    CommittingCanvas canvas;
    CComponentFillBlanks q(&canvas);
    q.Show();
    q.SetInstruction(QStringLiteral("Old"));
    q.SetQuestionText(QStringLiteral("Text ****"));
    CommittingCanvas::OnCommit(q, [&q] {
        q.SetInstruction(QStringLiteral("Typed"));
        CComponentFillBlanks::Words w;
        w[0] = QStringLiteral("answer");
        q.SetWords(w);
    });
    EXPECT_EQ(q.GetQuestionText(), QStringLiteral("Text ****"));
    EXPECT_EQ(FakeCanvas::WindowOf(q)->commits, 0);
    EXPECT_EQ(q.GetInstruction(), QStringLiteral("Typed"));
    q.SetInstruction(QStringLiteral("Old"));
    CArchive ar;
    q.SerializeComponent(ar);
    CComponentFillBlanks back;
    CArchive in(ar.GetBuffer());
    in.ReadInt();
    back.SerializeComponent(in);
    EXPECT_EQ(back.GetInstruction(), QStringLiteral("Typed"));
    EXPECT_EQ(back.GetWords()[0], QStringLiteral("answer"));
}

// Guards the true/false setter (a true-or-false question always has one answer) and the five option slots
// against packing.
TEST(MultipleChoice, TrueFalseAndOptions)
{
    CComponentMultipleChoice q;
    EXPECT_EQ(q.m_singleAnswer, 0);
    EXPECT_EQ(q.GetCorrectFlags(), (CComponentMultipleChoice::CorrectFlags{0, 0, 0, 0, 0}));
    q.SetTrueFalse(0);
    EXPECT_EQ(q.m_singleAnswer, 1);
    EXPECT_EQ(q.m_trueFalse, 0);
    q.SetTrueFalse(1);
    EXPECT_EQ(q.m_trueFalse, 1);

    const CComponentMultipleChoice::Options options{QStringLiteral("A"), QStringLiteral("B"), QString(),
                                                    QStringLiteral("D"), QString()};
    q.SetOptions(options, {0, 1, 0, 1, 0});
    q.SetInstruction(QStringLiteral("True or false?"));
    q.SetFont(QStringLiteral("Tahoma"), 11);
    auto loaded = Reload<CComponentMultipleChoice>(q);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetOptions(), options);
    EXPECT_EQ(loaded->GetCorrectFlags(), (CComponentMultipleChoice::CorrectFlags{0, 1, 0, 1, 0}));
    EXPECT_EQ(loaded->GetInstruction(), QStringLiteral("True or false?"));
    EXPECT_EQ(loaded->m_trueFalse, 1);
    EXPECT_EQ(loaded->m_singleAnswer, 1);

    auto copy = q.Clone(true);
    auto &c = dynamic_cast<CComponentMultipleChoice &>(*copy);
    EXPECT_EQ(c.GetInstruction(), QStringLiteral("True or false?"));
    EXPECT_EQ(c.GetFontFace(), QStringLiteral("Tahoma"));
    EXPECT_EQ(c.m_trueFalse, 1);
    EXPECT_EQ(c.GetOptions(), options);
}

// Guards the asymmetry of the multiple-choice window: a store takes the stem and the options the author
// typed there, but the instruction only ever comes from the question dialogs.
TEST(MultipleChoice, StoreTakesTheStemButNotTheInstructionFromTheWindow)
{
    CommittingCanvas canvas;
    CComponentMultipleChoice q(&canvas);
    q.Show();
    q.SetQuestionText(QStringLiteral("Old stem"));
    q.SetInstruction(QStringLiteral("From the dialog"));
    const CComponentMultipleChoice::Options typed{QStringLiteral("Yes"), QStringLiteral("No")};
    CommittingCanvas::OnCommit(q, [&q, &typed] {
        q.SetQuestionText(QStringLiteral("Typed stem"));
        q.SetOptions(typed, {1, 0, 0, 0, 0});
        q.SetInstruction(QStringLiteral("Typed instruction"));
    });
    auto loaded = Reload<CComponentMultipleChoice>(q);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetQuestionText(), QStringLiteral("Typed stem"));
    EXPECT_EQ(loaded->GetOptions(), typed);
    EXPECT_EQ(loaded->GetCorrectFlags()[0], 1);
    EXPECT_EQ(loaded->GetInstruction(), QStringLiteral("From the dialog"));
    EXPECT_EQ(q.GetInstruction(), QStringLiteral("From the dialog"));
}

// Guards the published word scale of a slider: "[]" on a number scale or without words, each word
// trimmed and written as a script string, so that a quotation mark in a word cannot break the screen's
// script.
TEST(Likert, WordsArray)
{
    struct Case {
        const char *words;
        int useNumbers;
        const char *expected;
        const char *wordsAfter;
    } cases[] = {
        {"Poor; Fair;Good", 0, R"(["Poor","Fair","Good"])", "Poor; Fair;Good"},
        {"Poor; Fair;Good", 1, "[]", "Poor; Fair;Good"},
        {"", 0, "[]", ""},
        {"  Only  ", 0, R"(["Only"])", "Only"},
        {R"(Say "hi";back\slash)", 0, R"(["Say \"hi\"","back\\slash"])", R"(Say "hi";back\slash)"},
        {";;a;;", 0, R"(["a"])", ";;a;;"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.words);
        CComponentLikert q;
        q.SetWords(QString::fromUtf8(c.words));
        q.SetUseNumbers(c.useNumbers);
        QString out = QStringLiteral("stale");
        q.BuildWordsJsArray(out);
        EXPECT_EQ(out, QString::fromUtf8(c.expected));
        EXPECT_EQ(q.GetWords(), QString::fromUtf8(c.wordsAfter));
    }
}

// Guards the defaults of a new slider question and its float fields, which must come back bit for bit.
TEST(Likert, DefaultsAndFloatsBitForBit)
{
    FakeCanvas canvas;
    CComponentLikert q(&canvas);
    EXPECT_EQ(q.GetBounds(), CRect(10, 10, 1014, 500));
    EXPECT_EQ(q.IsHorizontal(), 1);
    EXPECT_EQ(q.m_showFill, 1);
    EXPECT_EQ(q.m_showValue, 1);
    EXPECT_EQ(q.m_useNumbers, 1);
    EXPECT_EQ(q.GetSnap(), 1);
    EXPECT_EQ(q.GetEvaluate(), 1);
    EXPECT_EQ(q.GetStartValue(), 0.0f);
    EXPECT_EQ(q.GetEndValue(), 0.0f);
    EXPECT_EQ(q.GetCorrectValue(), 0.0f);
    EXPECT_EQ(q.GetTolerance(), 0.0f);
    EXPECT_EQ(q.GetDecimalPlaces(), 0);
    EXPECT_EQ(q.GetMarkers(), 10);

    uint32_t payload = 0x7FC12345;
    float nan;
    std::memcpy(&nan, &payload, sizeof nan);
    q.SetStartValue(0.1f);
    q.SetEndValue(-3.5f);
    q.SetCorrectValue(nan);
    q.SetTolerance(1e-30f);
    auto loaded = Reload<CComponentLikert>(q);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetStartValue(), 0.1f);
    EXPECT_EQ(loaded->GetEndValue(), -3.5f);
    EXPECT_EQ(loaded->GetTolerance(), 1e-30f);
    const float back = loaded->GetCorrectValue();
    uint32_t bits;
    std::memcpy(&bits, &back, sizeof bits);
    EXPECT_EQ(bits, payload);
}

// Guards against the last edit of a slider's question text being lost: the window's edits are taken
// before the record is written.
TEST(Likert, WindowEditIsStored)
{
    CommittingCanvas canvas;
    CComponentLikert q(&canvas);
    q.Show();
    q.SetQuestionText(QStringLiteral("Before"));
    CommittingCanvas::OnCommit(q, [&q] { q.SetQuestionText(QStringLiteral("Typed last")); });
    auto loaded = Reload<CComponentLikert>(q);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetQuestionText(), QStringLiteral("Typed last"));
}
