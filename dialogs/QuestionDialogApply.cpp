#include "dialogs/QuestionDialogApply.h"

#include "dialogs/ComponentBindings.h"
#include "document/ScreenFactory.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"

#include <algorithm>

namespace QuestionDialogApply {

namespace {

constexpr CRect kFullScreen{0, 0, 1008, 560};

template <class Question, class Values>
void LoadFeedback(const Question &question, Values &values)
{
    values.correctFeedback = question.GetCorrectFeedback();
    values.wrongFeedback = question.GetWrongFeedback();
}

template <class Values>
void ApplyFeedback(const Values &values, CComponentQuestion &question)
{
    question.SetCorrectFeedback(values.correctFeedback);
    question.SetWrongFeedback(values.wrongFeedback);
}

CComponentQuestion::Words ToWords(const std::array<QString, CBlankQuestionValues::kWords> &words)
{
    CComponentQuestion::Words out;
    std::copy(words.begin(), words.end(), out.begin());
    return out;
}

} // namespace

// ---- Complete the paragraph ----

void Load(CComponentCompleteParagraph &question, CBlankQuestionValues &values)
{
    question.ExchangeData(true);
    values.instruction = question.GetInstruction();
    values.questionText = question.GetQuestionText();
    std::copy(question.GetMissingWords().begin(), question.GetMissingWords().end(), values.words.begin());
    LoadFeedback(question, values);
}

void Apply(const CBlankQuestionValues &values, CComponentCompleteParagraph &question)
{
    question.SetInstruction(values.instruction);
    question.SetQuestionText(values.questionText);
    question.SetMissingWords(ToWords(values.words));
    ApplyFeedback(values, question);
    question.ExchangeData(false);
}

CCorvPage *AddCompleteParagraph(CScreenFactory &factory, const CBlankQuestionValues &values, const QString &label,
                                CCorvPage *after)
{
    return factory.AddCompleteParagraphScreen(kCompleteParagraphTitle, label, after, values.instruction,
                                              values.questionText, ToWords(values.words), values.correctFeedback,
                                              values.wrongFeedback);
}

// ---- Fill in the blanks ----

void Load(CComponentFillBlanks &question, CBlankQuestionValues &values)
{
    question.ExchangeData(true);
    values.instruction = question.GetInstruction();
    values.questionText = question.GetQuestionText();
    std::copy(question.GetWords().begin(), question.GetWords().end(), values.words.begin());
    LoadFeedback(question, values);
}

void Apply(const CBlankQuestionValues &values, CComponentFillBlanks &question)
{
    question.SetInstruction(values.instruction);
    question.SetQuestionText(values.questionText);
    question.SetWords(ToWords(values.words));
    ApplyFeedback(values, question);
    question.ExchangeData(false);
}

CCorvPage *AddFillBlanks(CScreenFactory &factory, const CBlankQuestionValues &values, const QString &label,
                         CCorvPage *after)
{
    return factory.AddFillBlanksScreen(kFillBlanksTitle, label, after, values.instruction, values.questionText,
                                       ToWords(values.words), values.correctFeedback, values.wrongFeedback);
}

// ---- Multiple choice ----

void Load(CComponentMultipleChoice &question, CMultipleChoiceValues &values)
{
    question.ExchangeData(true);
    const CComponentMultipleChoice::Values &v = question.GetValues();
    ComponentBindings::MultipleChoice().Load(v, values);
    values.singleAnswer = v.m_singleAnswer;
    LoadFeedback(question, values);
}

void Apply(const CMultipleChoiceValues &values, CComponentMultipleChoice &question)
{
    CComponentMultipleChoice::Values v = question.GetValues();
    ComponentBindings::MultipleChoice().Store(values, v);
    v.m_singleAnswer = values.singleAnswer ? 1 : 0;
    question.SetValues(v);
    ApplyFeedback(values, question);
    question.ExchangeData(false);
}

CCorvPage *AddMultipleChoice(CScreenFactory &factory, const CMultipleChoiceValues &values, const QString &label,
                             CCorvPage *after)
{
    CComponentMultipleChoice::Options options;
    CComponentMultipleChoice::CorrectFlags correct{};
    std::copy(values.options.begin(), values.options.end(), options.begin());
    std::copy(values.correct.begin(), values.correct.end(), correct.begin());
    return factory.AddMultipleChoiceScreen(kMultipleChoiceTitle, label, after, values.stem, options, correct,
                                           values.correctFeedback, values.wrongFeedback, values.singleAnswer, 0,
                                           QString());
}

// ---- True or false ----

void Load(CComponentMultipleChoice &question, CTrueFalseValues &values)
{
    question.ExchangeData(true);
    const CComponentMultipleChoice::Values &v = question.GetValues();
    values.instruction = v.m_instruction;
    values.statement = v.m_stem;
    values.optionA = v.m_options[0];
    values.optionB = v.m_options[1];
    values.optionACorrect = v.m_correct[0] ? 1 : 0;
    values.optionBCorrect = v.m_correct[1] ? 1 : 0;
    LoadFeedback(question, values);
}

void Apply(const CTrueFalseValues &values, CComponentMultipleChoice &question)
{
    CComponentMultipleChoice::Values v = question.GetValues();
    v.m_instruction = values.instruction;
    v.m_stem = values.statement;
    v.m_options = {values.optionA, values.optionB, QString(), QString(), QString()};
    v.m_correct = {values.optionACorrect ? 1 : 0, values.optionBCorrect ? 1 : 0, 0, 0, 0};
    v.m_singleAnswer = 0;
    v.m_trueFalse = 1;
    question.SetValues(v);
    ApplyFeedback(values, question);
    question.ExchangeData(false);
}

CCorvPage *AddTrueFalse(CScreenFactory &factory, const CTrueFalseValues &values, const QString &label,
                        CCorvPage *after)
{
    const CComponentMultipleChoice::Options options{values.optionA, values.optionB, QString(), QString(), QString()};
    const CComponentMultipleChoice::CorrectFlags correct{values.optionACorrect ? 1 : 0, values.optionBCorrect ? 1 : 0,
                                                         0, 0, 0};
    return factory.AddMultipleChoiceScreen(kTrueFalseTitle, label, after, values.statement, options, correct,
                                           values.correctFeedback, values.wrongFeedback, 0, 1, values.instruction);
}

// ---- Match the pairs ----

void Load(CComponentMatchPairs &question, CMatchPairsValues &values)
{
    question.ExchangeData(true);
    values.questionText = question.GetQuestionText();
    values.leftTexts = question.GetLeftTexts();
    values.rightTexts = question.GetRightTexts();
    values.leftImages = question.GetLeftImages();
    values.rightImages = question.GetRightImages();
    values.zoom = question.GetZoomImages();
    LoadFeedback(question, values);
}

void Apply(const CMatchPairsValues &values, CComponentMatchPairs &question)
{
    question.SetQuestionText(values.questionText);
    question.SetLeftTexts(values.leftTexts);
    question.SetRightTexts(values.rightTexts);
    question.SetLeftImages(values.leftImages);
    question.SetRightImages(values.rightImages);
    question.SetZoomImages(values.zoom);
    ApplyFeedback(values, question);
    question.ExchangeData(false);
}

CCorvPage *AddMatchPairs(CScreenFactory &factory, const CMatchPairsValues &values, const QString &label,
                         CCorvPage *after)
{
    return factory.AddMatchPairsScreen(kMatchPairsTitle, label, after, values.questionText, values.leftTexts,
                                       values.leftImages, values.rightTexts, values.rightImages,
                                       values.correctFeedback, values.wrongFeedback, values.zoom);
}

// ---- Part identification ----

void Load(CComponentPartIdentification &question, CPartIdentificationValues &values)
{
    // The targets as the author left them in the question's window.
    question.ExchangeData(true);
    values.questionText = question.GetQuestionText();
    values.imageFile = question.GetImageFile();
    values.targetCount = std::clamp(question.GetTargetCount(), 1, CPartIdentificationValues::kMaxTargets);
    values.targetsToMatch = std::clamp(question.m_targetsToMatch, 0, CPartIdentificationValues::kMaxTargets);
    values.reduceToFit = question.m_reduceToFit;
    values.highlightColor = uint32_t(question.m_highlightColor);
    for (int i = 0; i < CPartIdentificationValues::kMaxTargets; ++i)
        values.targets[size_t(i)] = question.GetTargetRect(i);
    LoadFeedback(question, values);
}

void Apply(const CPartIdentificationValues &values, CComponentPartIdentification &question)
{
    question.SetQuestionText(values.questionText);
    question.m_reduceToFit = values.reduceToFit;
    question.m_highlightColor = int(values.highlightColor);
    if (values.imageFile != question.GetImageFile())
        question.SetImageFile(values.imageFile);
    for (int i = 0; i < CPartIdentificationValues::kMaxTargets; ++i) {
        const CRect &r = values.targets[size_t(i)];
        question.SetTargetRect(r.left, r.top, r.right, r.bottom, i);
    }
    question.SetTargetCount(values.targetCount);
    question.m_targetsToMatch = values.ResolvedTargetsToMatch();
    ApplyFeedback(values, question);
    question.ExchangeData(false);
}

CCorvPage *AddPartIdentification(CScreenFactory &factory, const CPartIdentificationValues &values,
                                 const QString &label, CCorvPage *after)
{
    CScreenFactory::TargetRects targets{};
    std::copy(values.targets.begin(), values.targets.end(), targets.begin());
    return factory.AddPartIdentificationScreen(kPartIdentificationTitle, label, after, values.questionText,
                                               values.imageFile, targets, values.correctFeedback,
                                               values.wrongFeedback, values.targetCount,
                                               values.ResolvedTargetsToMatch(), values.reduceToFit,
                                               values.highlightColor);
}

// ---- Slider ----

void Load(CComponentLikert &question, CLikertValues &values)
{
    question.ExchangeData(true);
    ComponentBindings::Likert().Load(question.GetValues(), values);
}

void Apply(const CLikertValues &values, CComponentLikert &question)
{
    CComponentLikert::Values v;
    ComponentBindings::Likert().Store(values, v);
    question.SetValues(v);
    question.ExchangeData(false);
}

CCorvPage *AddLikert(CScreenFactory &factory, const CLikertValues &values, const QString &label, CCorvPage *after)
{
    CScreenFactory::LikertValues v;
    ComponentBindings::NewLikert().Store(values, v);
    return factory.AddLikertScreen(kLikertTitle, label, after, v);
}

// ---- Flash question ----

void Load(CComponentFlashQuestion &question, CFlashQuestionValues &values)
{
    question.ExchangeData(true);
    ComponentBindings::FlashQuestion().Load(question.GetValues(), values);
    values.fullScreen = 0;
}

void Apply(const CFlashQuestionValues &values, CComponentFlashQuestion &question)
{
    SVideoValues v = question.GetValues();
    ComponentBindings::FlashQuestion().Store(values, v);
    question.SetValues(v);
    if (values.fullScreen)
        question.SetBounds(kFullScreen, true);
    question.ExchangeData(false);
}

CCorvPage *AddFlashQuestion(CScreenFactory &factory, const CFlashQuestionValues &values, const QString &label,
                            CCorvPage *after)
{
    return factory.AddFlashQuestionScreen(kFlashQuestionTitle, label, after, values.swfFile, values.fullScreen,
                                          values.version, values.windowMode, values.backgroundColor,
                                          values.flashVars);
}

// ---- Free-form text ----

bool CPresetFreeFormDialog::Edit(CComponentFreeFormText::DialogValues &values)
{
    if (!m_ok)
        return false;
    const QString id = values.m_questionId;
    values = m_values;
    values.m_questionId = id;
    return true;
}

} // namespace QuestionDialogApply
