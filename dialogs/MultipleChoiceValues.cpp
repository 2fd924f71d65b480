#include "dialogs/MultipleChoiceValues.h"

#include "platform/StringTable.h"

namespace {

// Trailing white space does not count as text.
bool HasText(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return end > 0;
}

} // namespace

CDialogCheck CMultipleChoiceValues::Check() const
{
    if (!HasText(stem))
        return CDialogCheck::Fail(CStringTable::Load(35050), kStemBox);
    bool anyOption = false;
    bool anyCorrect = false;
    for (int i = 0; i < kOptions; ++i) {
        const bool text = HasText(options[size_t(i)]);
        anyOption = anyOption || text;
        anyCorrect = anyCorrect || (text && correct[size_t(i)] != 0);
    }
    if (!anyOption)
        return CDialogCheck::Fail(CStringTable::Load(35051));
    if (!anyCorrect)
        return CDialogCheck::Fail(CStringTable::Load(35052));
    return {};
}

void CTrueFalseValues::MarkCorrect(bool a)
{
    optionACorrect = a ? 1 : 0;
    optionBCorrect = a ? 0 : 1;
}

CDialogCheck CTrueFalseValues::Check() const
{
    if (!HasText(statement))
        return CDialogCheck::Fail(CStringTable::Load(35050), kStatementBox);
    if (!HasText(optionA) && !HasText(optionB))
        return CDialogCheck::Fail(CStringTable::Load(35051));
    if (!(optionACorrect && HasText(optionA)) && !(optionBCorrect && HasText(optionB)))
        return CDialogCheck::Fail(CStringTable::Load(35052));
    return {};
}
