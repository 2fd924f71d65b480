#pragma once

#include "dialogs/BlankQuestionValues.h"
#include "dialogs/FlashQuestionValues.h"
#include "dialogs/LikertValues.h"
#include "dialogs/MatchPairsValues.h"
#include "dialogs/MultipleChoiceValues.h"
#include "dialogs/PartIdentificationValues.h"
#include "model/ComponentFreeFormText.h"

#include <QString>

class CComponentCompleteParagraph;
class CComponentFillBlanks;
class CComponentFlashQuestion;
class CComponentLikert;
class CComponentMatchPairs;
class CComponentMultipleChoice;
class CComponentPartIdentification;
class CCorvPage;
class CScreenFactory;

// Between the question dialogs and the question components: Load fills a dialog's values from the question
// being edited, Apply puts the values of an OK'd dialog back into it (and into its window), and Add makes a
// new question screen of the kind with the screen title the Edit window gives that kind, right after
// `after`, through the document's screen factory. The caller presets the feedback of a new question,
// places the screen in the outline and marks what changed.
namespace QuestionDialogApply {

inline const QString kCompleteParagraphTitle = QStringLiteral("Complete Paragraph");
inline const QString kFillBlanksTitle = QStringLiteral("Fill in Blanks");
inline const QString kMatchPairsTitle = QStringLiteral("Match Pairs");
inline const QString kMultipleChoiceTitle = QStringLiteral("Multiple Choice");
inline const QString kTrueFalseTitle = QStringLiteral("True False");
inline const QString kPartIdentificationTitle = QStringLiteral("Part Identification");
inline const QString kFlashQuestionTitle = QStringLiteral("Flash question");
inline const QString kLikertTitle = QStringLiteral("Likert question");

// Complete the paragraph: the words go to the blanks in the order of their boxes (empty boxes skipped).
void Load(CComponentCompleteParagraph &question, CBlankQuestionValues &values);
void Apply(const CBlankQuestionValues &values, CComponentCompleteParagraph &question);
CCorvPage *AddCompleteParagraph(CScreenFactory &factory, const CBlankQuestionValues &values, const QString &label,
                                CCorvPage *after);

// Fill in the blanks: the ten boxes are kept as they are.
void Load(CComponentFillBlanks &question, CBlankQuestionValues &values);
void Apply(const CBlankQuestionValues &values, CComponentFillBlanks &question);
CCorvPage *AddFillBlanks(CScreenFactory &factory, const CBlankQuestionValues &values, const QString &label,
                         CCorvPage *after);

// Multiple choice (a question without the true/false style).
void Load(CComponentMultipleChoice &question, CMultipleChoiceValues &values);
void Apply(const CMultipleChoiceValues &values, CComponentMultipleChoice &question);
CCorvPage *AddMultipleChoice(CScreenFactory &factory, const CMultipleChoiceValues &values, const QString &label,
                             CCorvPage *after);

// True or false: a multiple-choice question of the true/false style whose options A and B are the two
// choices; options C to E stay empty and not correct.
void Load(CComponentMultipleChoice &question, CTrueFalseValues &values);
void Apply(const CTrueFalseValues &values, CComponentMultipleChoice &question);
CCorvPage *AddTrueFalse(CScreenFactory &factory, const CTrueFalseValues &values, const QString &label,
                        CCorvPage *after);

void Load(CComponentMatchPairs &question, CMatchPairsValues &values);
void Apply(const CMatchPairsValues &values, CComponentMatchPairs &question);
CCorvPage *AddMatchPairs(CScreenFactory &factory, const CMatchPairsValues &values, const QString &label,
                         CCorvPage *after);

// Part identification: the targets as the question keeps them (picture area coordinates); the number to
// match as the OK'd dialog resolved it.
void Load(CComponentPartIdentification &question, CPartIdentificationValues &values);
void Apply(const CPartIdentificationValues &values, CComponentPartIdentification &question);
CCorvPage *AddPartIdentification(CScreenFactory &factory, const CPartIdentificationValues &values,
                                 const QString &label, CCorvPage *after);

void Load(CComponentLikert &question, CLikertValues &values);
void Apply(const CLikertValues &values, CComponentLikert &question);
CCorvPage *AddLikert(CScreenFactory &factory, const CLikertValues &values, const QString &label, CCorvPage *after);

// The Flash question: editing opens with "use all available screen space" cleared; ticked at OK, the
// question takes the whole screen.
void Load(CComponentFlashQuestion &question, CFlashQuestionValues &values);
void Apply(const CFlashQuestionValues &values, CComponentFlashQuestion &question);
CCorvPage *AddFlashQuestion(CScreenFactory &factory, const CFlashQuestionValues &values, const QString &label,
                            CCorvPage *after);

// The free-form question keeps its own dialog run (CComponentFreeFormText::EditProperties); this dialog
// answers it with values given beforehand, for callers that have the values already.
class CPresetFreeFormDialog : public CComponentFreeFormText::Dialog
{
public:
    explicit CPresetFreeFormDialog(const CComponentFreeFormText::DialogValues &values, bool ok = true)
        : m_values(values), m_ok(ok)
    {
    }
    bool Edit(CComponentFreeFormText::DialogValues &values) override;

private:
    CComponentFreeFormText::DialogValues m_values;
    bool m_ok;
};

} // namespace QuestionDialogApply
