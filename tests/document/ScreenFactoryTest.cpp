#include "document/ProjectFile.h"
#include "FactoryFixture.h"

#include "document/ContentScreenFactory.h"
#include "document/NewComponents.h"
#include "document/ScreenFactory.h"
#include "document/WordTable.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentImage.h"
#include "model/ComponentLikert.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/GlobalHelpers.h"

#include <functional>

namespace {

constexpr CRect kContent{36, 32, 972, 520};

class FakeDialog : public CComponentFreeFormText::Dialog
{
public:
    explicit FakeDialog(bool ok) : m_ok(ok) {}
    bool Edit(CComponentFreeFormText::DialogValues &values) override
    {
        seenCorrect = values.m_correctFeedback;
        values.m_keywords[0] = QStringLiteral("wing");
        return m_ok;
    }
    QString seenCorrect;

private:
    bool m_ok;
};

// A table as the document reader gives it: rows of cells, each row as long as it is.
class FakeWordTable : public CWordTable
{
public:
    FakeWordTable(int columns, std::vector<std::vector<QString>> rows) : m_columns(columns), m_rows(std::move(rows)) {}
    int RowCount() const override { return int(m_rows.size()); }
    int ColumnCount() const override { return m_columns; }
    int CellCount(int row) const override { return int(m_rows[size_t(row)].size()); }
    QString CellText(int row, int cell) const override { return m_rows[size_t(row)][size_t(cell)]; }

private:
    int m_columns;
    std::vector<std::vector<QString>> m_rows;
};

struct Expected {
    int type;
    CRect bounds;
};

enum class List { main, popups, glossary };

List ListOf(const CCorvessaDoc &doc, const CCorvPage *screen)
{
    if (doc.ContainsScreen(screen, true))
        return List::popups;
    if (doc.IsGlossaryScreen(screen))
        return List::glossary;
    EXPECT_TRUE(doc.ContainsScreen(screen, false));
    return List::main;
}

QString PlainText(CComponentBase *component)
{
    return static_cast<CComponentTextbox *>(component)->GetRichText().GetText();
}

class ScreenFactoryTest : public FactoryFixture
{
protected:
    CScreenFactory Factory() { return CScreenFactory(*doc); }
};

} // namespace

// Guards the default screens every factory makes: page type, menu kind, list, and the kinds and rectangles
// of their components in drawing order.
TEST_F(ScreenFactoryTest, EveryFactoryBuildsItsDefaultComponents)
{
    Picture(QStringLiteral("program/Themes/Harbour/kv_text.png"), 300, 40);
    const CComponentQuestion::Words words{};
    const CComponentMatchPairs::Slots pairSlots{};
    struct Row {
        const char *name;
        std::function<CCorvPage *(CScreenFactory &)> make;
        int pageType;
        int menuKind;
        List list;
        std::vector<Expected> components;
    };
    FakeDialog ok(true);
    const FakeWordTable table(2, {{QStringLiteral("a"), QStringLiteral("b")}});
    const QString t = QStringLiteral("T"), l = QStringLiteral("1"), e;
    const std::vector<Row> rows = {
        {"main menu", [&](CScreenFactory &f) { return f.AddMainMenuScreen(t, l, nullptr); }, pt_folder, 1, List::main,
         {{ct_image, {36, 32, 336, 72}}}},
        {"container", [&](CScreenFactory &f) { return f.AddContainerScreen(t, e, e, 0, l, nullptr); }, pt_container, 0,
         List::main, {}},
        {"remediation",
         [&](CScreenFactory &f) { return f.AddRemediationScreen(t, l, nullptr, {3, 4}, 5, -1, 80); }, pt_remediation,
         0, List::main, {{ct_remediation, {}}}},
        {"popups folder", [&](CScreenFactory &f) { return f.AddPopupsFolder(t, l, nullptr); }, pt_popups_only, 0,
         List::popups, {}},
        {"glossary folder", [&](CScreenFactory &f) { return f.AddGlossaryFolder(t, l, nullptr); }, pt_glossary, 0,
         List::glossary, {}},
        {"complete paragraph",
         [&](CScreenFactory &f) { return f.AddCompleteParagraphScreen(t, l, nullptr, e, e, words, e, e); },
         pt_question, 0, List::main, {{ct_complete_paragraph, kContent}}},
        {"free form", [&](CScreenFactory &f) { return f.AddFreeFormTextScreen(nullptr, l, ok); }, pt_question, 0,
         List::main, {{ct_free_form_text, kContent}}},
        {"fill blanks", [&](CScreenFactory &f) { return f.AddFillBlanksScreen(t, l, nullptr, e, e, words, e, e); },
         pt_question, 0, List::main, {{ct_fill_blanks, kContent}}},
        {"match pairs",
         [&](CScreenFactory &f) {
             return f.AddMatchPairsScreen(t, l, nullptr, e, pairSlots, pairSlots, pairSlots, pairSlots, e, e, 0);
         },
         pt_question, 0, List::main, {{ct_match_pairs, kContent}}},
        {"multiple choice",
         [&](CScreenFactory &f) { return f.AddMultipleChoiceScreen(t, l, nullptr, e, {}, {}, e, e, 0, 0, e); },
         pt_question, 0, List::main, {{ct_multiple_choice, kContent}}},
        {"part identification",
         [&](CScreenFactory &f) {
             return f.AddPartIdentificationScreen(t, l, nullptr, e, e, {}, e, e, 1, 1, 0, 0xFF00);
         },
         pt_question, 0, List::main, {{ct_part_identification, kContent}}},
        {"flash question",
         [&](CScreenFactory &f) { return f.AddFlashQuestionScreen(t, l, nullptr, e, 0, 8, e, 0xFFFFFF, e); },
         pt_question, 0, List::main, {{ct_flash_question, kContent}}},
        {"flash question, full screen",
         [&](CScreenFactory &f) { return f.AddFlashQuestionScreen(t, l, nullptr, e, 1, 8, e, 0xFFFFFF, e); },
         pt_question, 0, List::main, {{ct_flash_question, {0, 0, 1008, 560}}}},
        // The slider keeps the rectangle it is made with, reaching past the screen's right edge.
        {"likert", [&](CScreenFactory &f) { return f.AddLikertScreen(t, l, nullptr, {}); }, pt_question, 0,
         List::main, {{ct_likert, {10, 10, 1014, 500}}}},
        {"slide picture", [&](CScreenFactory &f) { return f.AddSlideImageScreen(t, l, nullptr); }, pt_document, 0,
         List::main, {{ct_image, {130, 0, 877, 560}}}},
        {"text", [&](CScreenFactory &f) { return f.AddTextScreen(t, l, nullptr, 1); }, pt_document, 0, List::main,
         {{ct_textbox, kContent}}},
        {"blank", [&](CScreenFactory &f) { return f.AddBlankScreen(t, l, nullptr); }, pt_document, 0, List::main,
         {}},
        {"word table", [&](CScreenFactory &f) { return f.AddWordTableScreen(t, l, table); }, pt_document, 0,
         List::main, {{ct_table, kContent}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        CScreenFactory factory = Factory();
        const int id = doc->GetNextScreenNumber();
        CCorvPage *screen = row.make(factory);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->GetId(), id);
        EXPECT_EQ(doc->GetNextScreenNumber(), id + 1);
        EXPECT_EQ(screen->GetPageType(), row.pageType);
        EXPECT_EQ(screen->GetMenuKind(), row.menuKind);
        EXPECT_EQ(ListOf(*doc, screen), row.list);
        EXPECT_EQ(screen->GetThumbnailIndex(), -1);
        ASSERT_EQ(screen->GetComponentCount(), int(row.components.size()));
        for (int i = 0; i < screen->GetComponentCount(); ++i) {
            EXPECT_EQ(screen->GetComponent(i)->GetType(), row.components[size_t(i)].type) << i;
            EXPECT_EQ(screen->GetComponent(i)->GetBounds(), row.components[size_t(i)].bounds) << i;
        }
    }
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));
}

// Guards the main menu's title picture: sized from the theme's file, or the fixed box when it cannot be read,
// and the screen made either way.
TEST_F(ScreenFactoryTest, MainMenuTitlePictureTakesItsSizeFromTheThemeFile)
{
    CScreenFactory factory = Factory();
    CCorvPage *without = factory.AddMainMenuScreen(QStringLiteral("Main Menu"), QStringLiteral("1"), nullptr);
    ASSERT_EQ(without->GetComponentCount(), 1);
    EXPECT_EQ(without->GetComponent(0)->GetBounds(), CRect(36, 32, 210, 58));

    const QString title = Picture(QStringLiteral("program/Themes/Harbour/kv_text.png"), 300, 40);
    CCorvPage *with = factory.AddMainMenuScreen(QStringLiteral("Main Menu"), QStringLiteral("1"), nullptr);
    auto *image = static_cast<CComponentImage *>(with->GetComponent(0));
    EXPECT_EQ(image->GetBounds(), CRect(36, 32, 336, 72));
    EXPECT_EQ(image->GetImageFile(), title);
    EXPECT_TRUE(with->IsMultiTopicMenu());

    // A theme name from a damaged file cannot lead the picture out of the Themes folder.
    doc->MutableSettings().Theme = QStringLiteral("../../elsewhere");
    CCorvPage *unsafe = factory.AddMainMenuScreen(QStringLiteral("Main Menu"), QStringLiteral("1"), nullptr);
    EXPECT_FALSE(static_cast<CComponentImage *>(unsafe->GetComponent(0))->GetImageFile().contains(u".."));
}

// Guards the after rule: the popups list after the popups folder, the glossary list after the glossary folder,
// else the main list; right after the screen when it is in that list, else at its end.
TEST_F(ScreenFactoryTest, ScreensGoRightAfterTheGivenScreenInTheListItChooses)
{
    CScreenFactory f = Factory();
    const QString t = QStringLiteral("Untitled"), e;
    CCorvPage *first = f.AddBlankScreen(t, QStringLiteral("1"), nullptr);
    CCorvPage *last = f.AddBlankScreen(t, QStringLiteral("2"), nullptr);
    CCorvPage *popups = f.AddPopupsFolder(QStringLiteral("Popups Only"), QStringLiteral("1000"), nullptr);
    CCorvPage *popup = f.AddTextScreen(t, QStringLiteral("P1"), popups, 0);
    CCorvPage *glossary = f.AddGlossaryFolder(QStringLiteral("Glossary"), QStringLiteral("9000"), nullptr);

    CCorvPage *inPopups = f.AddContainerScreen(t, e, e, 0, QStringLiteral("P2"), popups);
    CCorvPage *inGlossary = f.AddContainerScreen(t, e, e, 0, QStringLiteral("G1"), glossary);
    CCorvPage *appended = f.AddContainerScreen(t, e, e, 0, QStringLiteral("3"), nullptr);
    CCorvPage *between = f.AddContainerScreen(t, e, e, 0, QStringLiteral("1_1"), first);
    // A text screen after a popup screen (not the folder) goes to the main list, at its end.
    CCorvPage *notInList = f.AddTextScreen(t, QStringLiteral("4"), popup, 0);

    EXPECT_EQ(Screens(doc->PopupScreens()), (std::vector<CCorvPage *>{popups, inPopups, popup}));
    EXPECT_EQ(Screens(doc->GlossaryScreens()), (std::vector<CCorvPage *>{glossary, inGlossary}));
    EXPECT_EQ(Screens(doc->MainScreens()), (std::vector<CCorvPage *>{first, between, last, appended, notInList}));
    EXPECT_EQ(doc->GetPopupsFolder(), popups);
    EXPECT_EQ(doc->GetGlossaryFolder(), glossary);
}

// Guards the numbering: consecutive screens get consecutive ids, and a free-form question the author cancels
// leaves the lists as they were but still uses up its number.
TEST_F(ScreenFactoryTest, CancelledFreeFormQuestionUsesUpItsNumberOnly)
{
    doc->SetNextScreenNumber(20);
    doc->MutableSettings().FeedBackCorrect = QStringLiteral("Right!");
    CScreenFactory f = Factory();
    EXPECT_EQ(f.AddBlankScreen(QStringLiteral("A"), QStringLiteral("1"), nullptr)->GetId(), 20);
    EXPECT_EQ(f.AddBlankScreen(QStringLiteral("B"), QStringLiteral("2"), nullptr)->GetId(), 21);

    FakeDialog cancel(false);
    EXPECT_EQ(f.AddFreeFormTextScreen(nullptr, QStringLiteral("3"), cancel), nullptr);
    EXPECT_EQ(cancel.seenCorrect, QStringLiteral("Right!"));
    EXPECT_EQ(doc->MainScreens().size(), 2u);

    FakeDialog ok(true);
    CCorvPage *question = f.AddFreeFormTextScreen(nullptr, QStringLiteral("3"), ok);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->GetId(), 23);
    EXPECT_EQ(question->GetTitle(), QStringLiteral("Free form text question"));
    auto *freeForm = static_cast<CComponentFreeFormText *>(question->GetComponent(0));
    EXPECT_EQ(freeForm->m_keywords[0], QStringLiteral("wing"));
    EXPECT_EQ(freeForm->m_correctFeedback, QStringLiteral("Right!"));
}

// Guards the question factories' values: the course's question font and the arguments reach the component.
TEST_F(ScreenFactoryTest, QuestionsTakeTheCourseFontAndTheirValues)
{
    CScreenFactory f = Factory();
    CComponentQuestion::Words words{};
    words[0] = QStringLiteral("big;large");
    CCorvPage *screen = f.AddFillBlanksScreen(QStringLiteral("Fill in Blanks"), QStringLiteral("1"), nullptr,
                                              QStringLiteral("Type the words."), QStringLiteral("A **** gull"), words,
                                              QStringLiteral("Yes"), QStringLiteral("No"));
    auto *blanks = static_cast<CComponentFillBlanks *>(screen->GetComponent(0));
    EXPECT_EQ(blanks->GetFontFace(), QStringLiteral("Verdana"));
    EXPECT_EQ(blanks->GetFontSize(), 14);
    EXPECT_EQ(blanks->GetInstruction(), QStringLiteral("Type the words."));
    EXPECT_EQ(blanks->GetWords()[0], QStringLiteral("big;large"));
    EXPECT_EQ(blanks->GetWrongFeedback(), QStringLiteral("No"));

    CComponentFlashQuestion *flash = static_cast<CComponentFlashQuestion *>(
        f.AddFlashQuestionScreen(QStringLiteral("Flash question"), QStringLiteral("2"), nullptr,
                                 QStringLiteral("/media/quiz.swf"), 0, 9, QStringLiteral("transparent"), 0x00FF00,
                                 QStringLiteral("level=2"))
            ->GetComponent(0));
    EXPECT_EQ(flash->GetFilePath(), QStringLiteral("/media/quiz.swf"));
    EXPECT_EQ(flash->GetFlashVersion(), 9);
    EXPECT_EQ(flash->m_windowMode, QStringLiteral("transparent"));
    EXPECT_EQ(flash->GetBackgroundColor(), 0x00FF00u);
    EXPECT_EQ(flash->GetFlashVars(), QStringLiteral("level=2"));

    CScreenFactory::LikertValues likert;
    likert.questionText = QStringLiteral("How sure?");
    likert.endValue = 5.5f;
    likert.markers = 4;
    auto *slider = static_cast<CComponentLikert *>(
        f.AddLikertScreen(QStringLiteral("Likert question"), QStringLiteral("3"), nullptr, likert)->GetComponent(0));
    EXPECT_EQ(slider->GetQuestionText(), QStringLiteral("How sure?"));
    EXPECT_EQ(slider->GetEndValue(), 5.5f);
    EXPECT_EQ(slider->GetMarkers(), 4);

    auto *remediation = static_cast<CComponentRemediation *>(
        f.AddRemediationScreen(QStringLiteral("Remediation"), QStringLiteral("4"), nullptr, {7, 9}, 3, -1, 75)
            ->GetComponent(0));
    EXPECT_EQ(remediation->GetStoredQuestionPageIds(), (std::vector<int>{7, 9}));
    EXPECT_EQ(remediation->m_completionPageId, 3);
    EXPECT_EQ(remediation->m_reverseOutPageId, -1);
    EXPECT_EQ(remediation->m_passMark, 75);
}

// Guards the author's radio choice: kept for a multiple-choice question (it used to be overwritten with 1),
// while a true-or-false question always has one answer.
TEST_F(ScreenFactoryTest, MultipleChoiceKeepsTheRadioChoiceAndTrueFalseHasOneAnswer)
{
    struct Case {
        int singleAnswer, trueFalse, expected;
    };
    for (const Case c : {Case{0, 0, 0}, Case{1, 0, 1}, Case{0, 1, 1}, Case{1, 1, 1}}) {
        CCorvPage *screen = Factory().AddMultipleChoiceScreen(
            QStringLiteral("Multiple Choice"), QStringLiteral("1"), nullptr, QStringLiteral("Gulls are birds."),
            {QStringLiteral("True"), QStringLiteral("False")}, {1, 0, 0, 0, 0}, QString(), QString(),
            c.singleAnswer, c.trueFalse, QStringLiteral("True or false?"));
        auto *question = static_cast<CComponentMultipleChoice *>(screen->GetComponent(0));
        EXPECT_EQ(question->m_singleAnswer, c.expected) << c.singleAnswer << ' ' << c.trueFalse;
        EXPECT_EQ(question->m_trueFalse, c.trueFalse);
        EXPECT_EQ(question->GetInstruction(), QStringLiteral("True or false?"));
        EXPECT_EQ(question->GetOptions()[1], QStringLiteral("False"));
    }
}

// Guards the targets of a part-identification question: only the first target-count rectangles are set, and
// a count of 0 sets none.
TEST_F(ScreenFactoryTest, PartIdentificationSetsTheTargetsItCounts)
{
    CScreenFactory::TargetRects targets{};
    targets[0] = {10, 10, 40, 40};
    targets[1] = {50, 50, 90, 90};
    const QString picture = Picture(QStringLiteral("sources/gull.png"), 200, 100);
    for (const int count : {0, 1, 2}) {
        CCorvPage *screen = Factory().AddPartIdentificationScreen(
            QStringLiteral("Part Identification"), QStringLiteral("1"), nullptr, QStringLiteral("Find the beak."),
            picture, targets, QString(), QString(), count, 1, 1, 0x0000FF);
        auto *question = static_cast<CComponentPartIdentification *>(screen->GetComponent(0));
        EXPECT_EQ(question->GetTargetCount(), count);
        EXPECT_EQ(question->GetTargetRect(0), count >= 1 ? targets[0] : CRect()) << count;
        EXPECT_EQ(question->GetTargetRect(1), count >= 2 ? targets[1] : CRect()) << count;
        EXPECT_EQ(question->m_reduceToFit, 1);
        EXPECT_EQ(question->m_highlightColor, 0x0000FF);
        EXPECT_EQ(question->GetPictureWidth(), 200);
    }
}

// Guards the Word table screen: the grid and font of the table, Word's end-of-cell marks removed, and cells
// beyond the table's columns dropped.
TEST_F(ScreenFactoryTest, WordTableBecomesATableInTheMainFont)
{
    const QString endOfCell = QStringLiteral("\r\a");
    const FakeWordTable word(2, {
                                    {QStringLiteral("word") + endOfCell, QStringLiteral("two\rlines") + endOfCell},
                                    {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("extra")},
                                    {QStringLiteral("c")},
                                });
    doc->SetNextTextBoxNumber(4);
    CCorvPage *after = Factory().AddBlankScreen(QStringLiteral("A"), QStringLiteral("1"), nullptr);
    Factory().AddBlankScreen(QStringLiteral("B"), QStringLiteral("2"), nullptr);
    CCorvPage *screen = Factory().AddWordTableScreen(QStringLiteral("Table"), QStringLiteral("3"), word);
    EXPECT_EQ(doc->MainScreens().back().get(), screen);
    (void)after;

    auto *table = static_cast<CComponentTable *>(screen->GetComponent(0));
    EXPECT_EQ(table->GetRowCount(), 3);
    EXPECT_EQ(table->GetColumnCount(), 2);
    EXPECT_EQ(table->GetFileName(), QStringLiteral("t4"));
    EXPECT_EQ(table->GetDefaultFontFace(), QStringLiteral("Verdana"));
    EXPECT_EQ(table->GetDefaultFontSize(), 14);
    EXPECT_EQ(table->GetDefaultFontColour(), 0x00332211u);
    const CComponentTable::Settings settings = table->GetSettings();
    EXPECT_EQ(settings.cellPadding, 5);
    EXPECT_EQ(settings.oldStyleBorders, 1);
    EXPECT_EQ(settings.tableBorder, 1);
    EXPECT_EQ(settings.headerKind, 0);

    const auto cell = [&](int r, int c) { return table->GetCell(r, c)->GetRichText().GetText(); };
    EXPECT_EQ(cell(0, 0), QStringLiteral("word"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("two\rlines"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("b"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("c"));
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_EQ(table->GetCell(1, 2), nullptr);
}

// Guards text boxes made by the factories: the course's main font and direction, "tb%d.rtf" from the
// counter, and the default text only when asked for.
TEST_F(ScreenFactoryTest, TextScreensNumberTheirBoxesAndAddTheDefaultText)
{
    doc->SetNextTextBoxNumber(3);
    doc->MutableSettings().RightToLeft = 1;
    CCorvPage *filled = Factory().AddTextScreen(QStringLiteral("A"), QStringLiteral("1"), nullptr, 1);
    CCorvPage *empty = Factory().AddTextScreen(QStringLiteral("B"), QStringLiteral("2"), nullptr, 0);
    auto *box = static_cast<CComponentTextbox *>(filled->GetComponent(0));
    EXPECT_EQ(box->GetFileName(), QStringLiteral("tb3.rtf"));
    EXPECT_EQ(box->GetRichText().GetText(), QStringLiteral("Click and add text."));
    EXPECT_EQ(box->GetDefaultFontFace(), QStringLiteral("Verdana"));
    EXPECT_EQ(box->GetDefaultFontSize(), 14);
    EXPECT_EQ(box->GetDefaultFontColour(), 0x00332211u);
    EXPECT_EQ(box->GetRightToLeft(), 1);
    EXPECT_EQ(static_cast<CComponentTextbox *>(empty->GetComponent(0))->GetFileName(), QStringLiteral("tb4.rtf"));
    EXPECT_EQ(PlainText(empty->GetComponent(0)), QString());
    EXPECT_EQ(doc->GetNextTextBoxNumber(), 5);
}

// Guards pasting a copy of a screen: clones in place and in drawing order, each text file named anew from the
// counter, the screen's own fields reset as a new screen's.
TEST_F(ScreenFactoryTest, DuplicateGivesTheCopiesFileNamesOfTheirOwn)
{
    CScreenFactory f = Factory();
    CCorvPage *source = f.AddContainerScreen(QStringLiteral("Birds"), QStringLiteral("Banner"),
                                             QStringLiteral("/docs/birds.docx"), 1, QStringLiteral("2"), nullptr);
    source->SetMenuKind(apt_topic);
    f.Place(*source, CNewComponents::TextBox(*doc, 1), {40, 40, 200, 100});
    f.Place(*source, CNewComponents::Table(*doc, CNewComponents::DefaultTableSettings(2, 2)), {40, 120, 400, 300});
    f.Place(*source, CNewComponents::TextBox(*doc, 0), {500, 40, 900, 100});
    static_cast<CComponentTextbox *>(source->GetComponent(2))->GetRichText().AppendText(QStringLiteral("Terns"), 0);
    auto html = std::make_unique<CComponentHTMLEditor>();
    html->SetFileName(QStringLiteral("tb9.rtf"));
    f.Place(*source, std::move(html), {500, 120, 900, 300});

    EXPECT_EQ(f.DuplicateScreen(nullptr, QStringLiteral("3"), source), nullptr);
    doc->SetNextTextBoxNumber(12);
    CCorvPage *copy = f.DuplicateScreen(source, QStringLiteral("3"), source);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Screens(doc->MainScreens()), (std::vector<CCorvPage *>{source, copy}));
    EXPECT_EQ(copy->GetTitle(), QStringLiteral("Birds"));
    EXPECT_EQ(copy->GetBanner(), QStringLiteral("Banner"));
    EXPECT_EQ(copy->GetSourceDocument(), QString());
    EXPECT_EQ(copy->GetAssessable(), 0);
    EXPECT_EQ(copy->GetLabel(), QStringLiteral("3"));
    EXPECT_EQ(copy->GetPageType(), pt_container);
    EXPECT_EQ(copy->GetMenuKind(), apt_normal);
    ASSERT_EQ(copy->GetComponentCount(), 4);
    EXPECT_EQ(static_cast<CComponentTextbox *>(copy->GetComponent(0))->GetFileName(), QStringLiteral("tb12.rtf"));
    EXPECT_EQ(static_cast<CComponentTable *>(copy->GetComponent(1))->GetFileName(), QStringLiteral("t13"));
    EXPECT_EQ(static_cast<CComponentTextbox *>(copy->GetComponent(2))->GetFileName(), QStringLiteral("tb14.rtf"));
    // An HTML text's name names no file: the copy keeps it and takes no number.
    EXPECT_EQ(static_cast<CComponentHTMLEditor *>(copy->GetComponent(3))->GetFileName(), QStringLiteral("tb9.rtf"));
    EXPECT_EQ(doc->GetNextTextBoxNumber(), 15);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(copy->GetComponent(i), source->GetComponent(i));
        EXPECT_EQ(copy->GetComponent(i)->GetBounds(), source->GetComponent(i)->GetBounds()) << i;
    }
    EXPECT_EQ(PlainText(copy->GetComponent(2)), QStringLiteral("Terns"));
    // The source keeps its names.
    EXPECT_EQ(static_cast<CComponentTextbox *>(source->GetComponent(0))->GetFileName(), QStringLiteral("tb1.rtf"));
}

// Guards the screens as a course keeps them: a course made of every factory's screens saves, opens with the
// same screens in the same lists, and saves again to the same bytes.
TEST_F(ScreenFactoryTest, CourseOfEveryFactorySavesAndReopensIdentically)
{
    Picture(QStringLiteral("program/Themes/Harbour/kv_text.png"), 300, 40);
    Picture(QStringLiteral("library/Vector/000803_1063_4359_vuvv.wmf"), 1, 1); // not a metafile: no picture
    Picture(QStringLiteral("library/Stock Photo - color/030419_1883_5046_xsls.jpg"), 1000, 500);
    CScreenFactory f = Factory();
    CContentScreenFactory content(*doc);
    const QString t = QStringLiteral("Screen"), e;
    CCorvPage *menu = f.AddMainMenuScreen(QStringLiteral("Main Menu"), QStringLiteral("1"), nullptr);
    CCorvPage *topic = f.AddContainerScreen(QStringLiteral("Untitled"), e, e, 0, QStringLiteral("1_1"), menu);
    for (int layout = 0; layout < CContentScreenFactory::kTemplateCount; ++layout)
        content.AddContentScreenTemplate(layout, t, QStringLiteral("1_1_%1").arg(layout), topic, layout % 3, 1);
    f.AddCompleteParagraphScreen(t, QStringLiteral("1_2"), nullptr, QStringLiteral("Complete it."),
                                 QStringLiteral("Gulls **** on cliffs."), {QStringLiteral("nest")}, e, e);
    FakeDialog ok(true);
    f.AddFreeFormTextScreen(nullptr, QStringLiteral("1_3"), ok);
    f.AddFillBlanksScreen(t, QStringLiteral("1_4"), nullptr, e, QStringLiteral("A **** gull"), {}, e, e);
    f.AddMatchPairsScreen(t, QStringLiteral("1_5"), nullptr, QStringLiteral("Match."), {QStringLiteral("Gull")}, {},
                          {QStringLiteral("Egg")}, {}, e, e, 1);
    f.AddMultipleChoiceScreen(t, QStringLiteral("1_6"), nullptr, QStringLiteral("Gulls fly."),
                              {QStringLiteral("True"), QStringLiteral("False")}, {1, 0, 0, 0, 0}, e, e, 0, 1, e);
    f.AddPartIdentificationScreen(t, QStringLiteral("1_7"), nullptr, QStringLiteral("Find it."), e, {}, e, e, 0, 0, 0,
                                  0xFF00);
    f.AddFlashQuestionScreen(t, QStringLiteral("1_8"), nullptr, e, 1, 8, e, 0xFFFFFF, e);
    f.AddLikertScreen(t, QStringLiteral("1_9"), nullptr, {});
    f.AddSlideImageScreen(t, QStringLiteral("1_10"), nullptr);
    f.AddTextScreen(t, QStringLiteral("1_11"), nullptr, 1);
    f.AddBlankScreen(t, QStringLiteral("1_12"), nullptr);
    f.AddWordTableScreen(t, QStringLiteral("1_13"), FakeWordTable(2, {{QStringLiteral("a"), QStringLiteral("b")}}));
    f.DuplicateScreen(doc->MainScreens()[3].get(), QStringLiteral("1_14"), nullptr);
    CCorvPage *final = content.AddFinalPerformanceFolder(QStringLiteral("Final Performance Screens"),
                                                         QStringLiteral("2"), nullptr);
    CCorvPage *completed = content.AddCompletedScreen(QStringLiteral("Completed"), QStringLiteral("2_1"), final);
    content.AddMessageScreen(QStringLiteral("Message"), QStringLiteral("2_1_1"), completed);
    doc->MutableSettings().UseColorPhotos = 1;
    content.AddPassScreen(QStringLiteral("Pass"), QStringLiteral("2_2"), nullptr);
    content.AddFailScreen(QStringLiteral("Fail"), QStringLiteral("2_3"), nullptr);
    f.AddRemediationScreen(QStringLiteral("Remediation"), QStringLiteral("3"), nullptr, {menu->GetId()}, -1, -1, 50);
    CCorvPage *popups = f.AddPopupsFolder(QStringLiteral("Popups Only"), QStringLiteral("1000"), nullptr);
    content.AddContentScreenTemplate(2, t, QStringLiteral("P1"), popups, 1, 1);
    CCorvPage *glossary = f.AddGlossaryFolder(QStringLiteral("Glossary"), QStringLiteral("9000"), nullptr);
    f.AddTextScreen(QStringLiteral("Gull"), QStringLiteral("G1"), glossary, 1);

    const QString path = tree / QStringLiteral("course/Birds.kvx");
    ASSERT_TRUE(CProjectFile::Save(*doc, path));
    const QByteArray first = TempTree::ReadAll(path);
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));

    CCorvessaDoc reread(context);
    ASSERT_TRUE(CProjectFile::Open(reread, path));
    const auto same = [](const CCorvessaDoc::ScreenList &a, const CCorvessaDoc::ScreenList &b) {
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i]->GetId(), b[i]->GetId());
            EXPECT_EQ(a[i]->GetLabel(), b[i]->GetLabel());
            EXPECT_EQ(a[i]->GetPageType(), b[i]->GetPageType());
            ASSERT_EQ(a[i]->GetComponentCount(), b[i]->GetComponentCount()) << qPrintable(a[i]->GetLabel());
            for (int c = 0; c < a[i]->GetComponentCount(); ++c) {
                EXPECT_EQ(a[i]->GetComponent(c)->GetType(), b[i]->GetComponent(c)->GetType());
                EXPECT_EQ(a[i]->GetComponent(c)->GetBounds(), b[i]->GetComponent(c)->GetBounds());
            }
        }
    };
    same(doc->MainScreens(), reread.MainScreens());
    same(doc->PopupScreens(), reread.PopupScreens());
    same(doc->GlossaryScreens(), reread.GlossaryScreens());
    EXPECT_EQ(reread.GetNextScreenNumber(), doc->GetNextScreenNumber());
    EXPECT_EQ(reread.GetNextTextBoxNumber(), doc->GetNextTextBoxNumber());
    ASSERT_TRUE(CProjectFile::Save(reread, path));
    EXPECT_EQ(TempTree::ReadAll(path), first);
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));
}
