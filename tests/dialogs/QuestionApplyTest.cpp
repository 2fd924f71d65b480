#include "document/FactoryFixture.h"

#include "dialogs/QuestionDialogApply.h"
#include "document/ProjectFile.h"
#include "document/ScreenFactory.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/GlobalHelpers.h"

using namespace QuestionDialogApply;

namespace {

template <class Kind>
Kind *QuestionOf(const CCorvPage *screen)
{
    if (!screen)
        return nullptr;
    for (const auto &component : screen->GetComponentList())
        if (auto *question = dynamic_cast<Kind *>(component.get()))
            return question;
    return nullptr;
}

// The values of every question kind as an author fills them in the dialogs.
struct Course {
    CBlankQuestionValues paragraph = CBlankQuestionValues::CompleteParagraph();
    CBlankQuestionValues blanks = CBlankQuestionValues::FillBlanks();
    CMultipleChoiceValues choice;
    CTrueFalseValues trueFalse;
    CMatchPairsValues pairs = CMatchPairsValues::Defaults();
    CPartIdentificationValues parts;
    CLikertValues slider;
    CFlashQuestionValues flash;

    Course(const QString &picture, const QString &movie)
    {
        paragraph.questionText = "Gulls **** on cliffs and **** fish.";
        paragraph.words[0] = "nest";
        paragraph.words[1] = "eat";
        paragraph.correctFeedback = "Right.";
        paragraph.wrongFeedback = "Wrong.";
        blanks.questionText = "A young gull is a ****. It **** fish.";
        // Words in boxes 2 and 7 and one typed with spaces: kept as typed, in their boxes.
        blanks.words[1] = " chick;fledgling ";
        blanks.words[6] = "eats";
        choice.stem = "Which birds nest on cliffs?";
        choice.options = {"Gulls", "Owls", "Puffins", "", ""};
        choice.correct = {1, 0, 1, 0, 0};
        choice.singleAnswer = 0;
        choice.correctFeedback = "Yes.";
        trueFalse.statement = "Gulls can swim.";
        trueFalse.MarkCorrect(true);
        pairs.leftTexts = {"Gull", "", "Owl"};
        pairs.rightTexts = {"Sea", "", "Wood"};
        pairs.leftImages[1] = picture;
        pairs.rightTexts[1] = "Picture";
        pairs.zoom = 0;
        parts.questionText = "Find the beak.";
        parts.imageFile = picture;
        parts.targets = CPartIdentificationValues::DefaultTargets();
        parts.targets[1] = CRect(100, 50, 140, 90);
        parts.targetCount = 2;
        parts.targetsToMatch = 0;
        parts.highlightColor = 0x0000FF;
        slider.questionText = "How many eggs?";
        slider.useNumbers = 0;
        slider.words = "one;two;three";
        slider.correctValue = 2;
        slider.markers = 3;
        flash.swfFile = movie;
        flash.version = 9;
        flash.windowMode = "opaque";
        flash.flashVars = "a=1";
        flash.backgroundColor = 0x112233;
    }
};

class QuestionApplyTest : public FactoryFixture
{
};

} // namespace

// Guards the new-question step and the edit step together: every kind made from dialog values comes back
// into the dialog values unchanged, also after the project is saved and opened again; and values applied
// to an existing question replace its old ones.
TEST_F(QuestionApplyTest, EveryKindMadeSavedReopenedAndLoadedBack)
{
    const QString picture = Picture("pictures/gull.png", 300, 200);
    const Course course(picture, tree.Write("media/quiz.swf", QByteArrayLiteral("FWS\x09")));
    CScreenFactory f(*doc);
    CCorvPage *s1 = AddCompleteParagraph(f, course.paragraph, "1", nullptr);
    CCorvPage *s2 = AddFillBlanks(f, course.blanks, "2", s1);
    CCorvPage *s3 = AddMultipleChoice(f, course.choice, "3", s2);
    CCorvPage *s4 = AddTrueFalse(f, course.trueFalse, "4", s3);
    CCorvPage *s5 = AddMatchPairs(f, course.pairs, "5", s4);
    CCorvPage *s6 = AddPartIdentification(f, course.parts, "6", s5);
    CCorvPage *s7 = AddLikert(f, course.slider, "7", s6);
    CCorvPage *s8 = AddFlashQuestion(f, course.flash, "8", s7);
    ASSERT_TRUE(s8);
    EXPECT_EQ(s1->GetTitle(), "Complete Paragraph");
    EXPECT_EQ(s4->GetTitle(), "True False");
    EXPECT_EQ(s7->GetTitle(), "Likert question");
    for (const CCorvPage *s : {s1, s2, s3, s4, s5, s6, s7, s8})
        EXPECT_EQ(s->GetPageType(), pt_question);

    const auto check = [&](const CCorvessaDoc &d) {
        const auto &list = d.MainScreens();
        ASSERT_EQ(list.size(), 8u);
        CBlankQuestionValues paragraph, blanks;
        Load(*QuestionOf<CComponentCompleteParagraph>(list[0].get()), paragraph);
        EXPECT_EQ(paragraph, course.paragraph);
        Load(*QuestionOf<CComponentFillBlanks>(list[1].get()), blanks);
        EXPECT_EQ(blanks, course.blanks);
        CMultipleChoiceValues choice;
        Load(*QuestionOf<CComponentMultipleChoice>(list[2].get()), choice);
        EXPECT_EQ(choice, course.choice);
        CTrueFalseValues trueFalse;
        auto *tf = QuestionOf<CComponentMultipleChoice>(list[3].get());
        EXPECT_EQ(tf->m_trueFalse, 1);
        Load(*tf, trueFalse);
        EXPECT_EQ(trueFalse, course.trueFalse);
        CMatchPairsValues pairs;
        Load(*QuestionOf<CComponentMatchPairs>(list[4].get()), pairs);
        EXPECT_EQ(pairs, course.pairs);
        CPartIdentificationValues parts;
        Load(*QuestionOf<CComponentPartIdentification>(list[5].get()), parts);
        EXPECT_EQ(parts.targetsToMatch, 2) << "All resolves to the target count";
        EXPECT_EQ(parts.targets[1], course.parts.targets[1]);
        EXPECT_EQ(std::tie(parts.questionText, parts.targetCount, parts.highlightColor, parts.reduceToFit),
                  std::tie(course.parts.questionText, course.parts.targetCount, course.parts.highlightColor,
                           course.parts.reduceToFit));
        CLikertValues slider;
        Load(*QuestionOf<CComponentLikert>(list[6].get()), slider);
        EXPECT_EQ(slider, course.slider);
        CFlashQuestionValues flash;
        Load(*QuestionOf<CComponentFlashQuestion>(list[7].get()), flash);
        EXPECT_EQ(flash.version, 9);
        EXPECT_EQ(flash.windowMode, "opaque");
        EXPECT_EQ(flash.flashVars, "a=1");
        EXPECT_EQ(flash.backgroundColor, 0x112233u);
    };
    check(*doc);
    const QString path = tree / QStringLiteral("course/Birds.kvx");
    ASSERT_TRUE(CProjectFile::Save(*doc, path));
    CCorvessaDoc reread(context);
    ASSERT_TRUE(CProjectFile::Open(reread, path));
    check(reread);
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));
}

// Guards the edit step: the dialog's values replace the question's; editing a true/false question empties
// options C to E even when they held text; the Flash question takes the whole screen only when asked.
TEST_F(QuestionApplyTest, EditingReplacesTheQuestion)
{
    CScreenFactory f(*doc);
    CTrueFalseValues tf;
    tf.statement = "Owls sleep by day.";
    CCorvPage *screen = AddTrueFalse(f, tf, "1", nullptr);
    auto *question = QuestionOf<CComponentMultipleChoice>(screen);
    CComponentMultipleChoice::Values stale = question->GetValues();
    stale.m_options[3] = "left over";
    stale.m_correct[4] = 1;
    question->SetValues(stale);
    CTrueFalseValues edited;
    Load(*question, edited);
    edited.statement = "Owls hunt by night.";
    edited.MarkCorrect(true);
    Apply(edited, *question);
    EXPECT_EQ(question->GetQuestionText(), "Owls hunt by night.");
    EXPECT_EQ(question->GetOptions()[3], "");
    EXPECT_EQ(question->GetCorrectFlags(), (CComponentMultipleChoice::CorrectFlags{1, 0, 0, 0, 0}));
    EXPECT_EQ(question->m_trueFalse, 1);

    CMultipleChoiceValues choice;
    choice.stem = "Pick";
    choice.options = {"a", "b", "c", "d", "e"};
    choice.correct = {0, 0, 0, 0, 1};
    choice.singleAnswer = 1;
    auto *mc = QuestionOf<CComponentMultipleChoice>(AddMultipleChoice(f, choice, "2", screen));
    CMultipleChoiceValues loaded;
    Load(*mc, loaded);
    loaded.options[4] = "";
    loaded.correct = {1, 0, 0, 0, 0};
    Apply(loaded, *mc);
    CMultipleChoiceValues again;
    Load(*mc, again);
    EXPECT_EQ(again, loaded);

    CFlashQuestionValues flash;
    auto *movie = QuestionOf<CComponentFlashQuestion>(AddFlashQuestion(f, flash, "3", nullptr));
    const CRect before = movie->GetBounds();
    CFlashQuestionValues edit;
    Load(*movie, edit);
    EXPECT_EQ(edit.fullScreen, 0);
    Apply(edit, *movie);
    EXPECT_EQ(movie->GetBounds(), before);
    edit.fullScreen = 1;
    Apply(edit, *movie);
    EXPECT_EQ(movie->GetBounds(), CRect(0, 0, 1008, 560));
}

// Guards the free-form question made through its dialog run: the preset values become the question's
// (its id stays its own), and a cancelled dialog makes no screen.
TEST_F(QuestionApplyTest, FreeFormThroughItsDialog)
{
    CScreenFactory f(*doc);
    CComponentFreeFormText::DialogValues values;
    values.m_instruction = "Describe a gull.";
    values.m_keywords[0] = "white";
    values.m_numberToMatch = 1;
    values.m_questionId = "ZZ";
    CPresetFreeFormDialog cancel(values, false);
    EXPECT_EQ(f.AddFreeFormTextScreen(nullptr, "1", cancel), nullptr);
    EXPECT_TRUE(doc->MainScreens().empty());
    CPresetFreeFormDialog ok(values);
    CCorvPage *screen = f.AddFreeFormTextScreen(nullptr, "1", ok);
    auto *question = QuestionOf<CComponentFreeFormText>(screen);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->m_instruction, "Describe a gull.");
    EXPECT_EQ(question->m_keywords[0], "white");
    EXPECT_NE(question->m_questionId, "ZZ");
}
