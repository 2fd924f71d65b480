#pragma once

#include "dialogs/ui/DlgBlankQuestion.h"

// "Fill in the blanks": the learner types the missing words; a word box may list several accepted words.
class CDlgQuestionFillBlanks : public CDlgBlankQuestion
{
public:
    explicit CDlgQuestionFillBlanks(QWidget *parent = nullptr)
        : CDlgBlankQuestion(QStringLiteral("Fill in the blanks"), QStringLiteral("DlgQuestionFillBlanks"),
                            CBlankQuestionValues::FillBlanks(),
                            QStringLiteral("In an option, if there is more than one correct word, separate them "
                                           "with semi-colons."),
                            parent)
    {
    }
};
