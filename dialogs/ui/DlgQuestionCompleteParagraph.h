#pragma once

#include "dialogs/ui/DlgBlankQuestion.h"

// "Complete the paragraph": the learner drags the given words into the gaps of the paragraph.
class CDlgQuestionCompleteParagraph : public CDlgBlankQuestion
{
public:
    explicit CDlgQuestionCompleteParagraph(QWidget *parent = nullptr)
        : CDlgBlankQuestion(QStringLiteral("Complete the paragraph"), QStringLiteral("DlgQuestionCompleteParagraph"),
                            CBlankQuestionValues::CompleteParagraph(), QString(), parent)
    {
    }
};
