#include "dialogs/BlankQuestionValues.h"

#include "platform/StringTable.h"

CBlankQuestionValues CBlankQuestionValues::CompleteParagraph()
{
    CBlankQuestionValues v;
    v.instruction = CStringTable::Load(35010);
    return v;
}

CBlankQuestionValues CBlankQuestionValues::FillBlanks()
{
    CBlankQuestionValues v;
    v.instruction = CStringTable::Load(35011);
    return v;
}

int CBlankQuestionValues::CountBlanks(const QString &text)
{
    int count = 0;
    for (qsizetype at = text.indexOf(kBlank); at >= 0; at = text.indexOf(kBlank, at + 1))
        ++count;
    return count;
}

int CBlankQuestionValues::CountWords() const
{
    int count = 0;
    for (const QString &word : words)
        if (!word.trimmed().isEmpty())
            ++count;
    return count;
}

CDialogCheck CBlankQuestionValues::Check() const
{
    const int blanks = CountBlanks(questionText);
    const int filled = CountWords();
    if (blanks != filled)
        return CDialogCheck::Fail(kCountMismatch);
    if (blanks == 0)
        return CDialogCheck::Fail(kNoBlank);
    return {};
}
