#include "model/ComponentMultipleChoice.h"

#include "model/ComponentWindow.h"
#include "platform/Archive.h"

CComponentMultipleChoice::CComponentMultipleChoice(CEditCanvas *parent)
    : CComponentQuestion(ct_multiple_choice, parent, kDefaultBounds)
{
}

void CComponentMultipleChoice::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ShowInWindow();
}

void CComponentMultipleChoice::SetQuestionText(const QString &stem)
{
    m_stem = stem;
    ShowInWindow();
}

void CComponentMultipleChoice::SetInstruction(const QString &instruction)
{
    m_instruction = instruction;
    ShowInWindow();
}

void CComponentMultipleChoice::SetOptions(const Options &options, const CorrectFlags &correct)
{
    m_options = options;
    m_correct = correct;
    ShowInWindow();
}

void CComponentMultipleChoice::SetTrueFalse(int trueFalse)
{
    m_trueFalse = trueFalse;
    m_singleAnswer = 1;
}

void CComponentMultipleChoice::ExchangeData(bool save)
{
    // The instruction is set only through the question dialogs: what the window holds of it is not taken.
    const QString instruction = m_instruction;
    CComponentBase::ExchangeData(save);
    m_instruction = instruction;
}

std::unique_ptr<CComponentBase> CComponentMultipleChoice::Clone(bool keepPosition) const
{
    auto copy = CloneKind<CComponentMultipleChoice>(keepPosition);
    // The font goes last: the copy's true/false style decides which of its texts take it.
    CopyQuestionFields(*copy);
    return copy;
}

void CComponentMultipleChoice::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteString(m_stem);
        for (const QString &option : m_options)
            ar.WriteString(option);
        for (int flag : m_correct)
            ar.WriteInt(flag);
        ar.WriteString(m_correctFeedback);
        ar.WriteString(m_wrongFeedback);
        ar.WriteInt(m_singleAnswer);
        ar.WriteInt(m_trueFalse);
        ar.WriteString(m_instruction);
        return;
    }
    LoadBounds(ar);
    m_stem = ar.ReadString();
    for (QString &option : m_options)
        option = ar.ReadString();
    for (int &flag : m_correct)
        flag = ar.ReadInt();
    m_correctFeedback = ar.ReadString();
    m_wrongFeedback = ar.ReadString();
    if (IsSchemaAbove(kSingleAnswerGate))
        m_singleAnswer = ar.ReadInt();
    if (IsSchemaAbove(kTrueFalseGate)) {
        m_trueFalse = ar.ReadInt();
        m_instruction = ar.ReadString();
    }
    ExchangeData(false);
}
