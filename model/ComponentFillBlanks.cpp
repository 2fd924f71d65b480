#include "model/ComponentFillBlanks.h"

#include "model/ComponentWindow.h"
#include "platform/Archive.h"

CComponentFillBlanks::CComponentFillBlanks(CEditCanvas *parent)
    : CComponentQuestion(ct_fill_blanks, parent, kDefaultBounds)
{
}

void CComponentFillBlanks::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ShowInWindow();
}

void CComponentFillBlanks::SetInstruction(const QString &instruction)
{
    m_instruction = instruction;
    ShowInWindow();
}

const QString &CComponentFillBlanks::GetInstruction()
{
    if (m_window)
        m_window->UpdateComponent();
    return m_instruction;
}

void CComponentFillBlanks::SetQuestionText(const QString &text)
{
    m_questionText = text;
    ShowInWindow();
}

void CComponentFillBlanks::SetWords(const Words &words)
{
    m_words = words;
    ShowInWindow();
}

std::unique_ptr<CComponentBase> CComponentFillBlanks::Clone(bool keepPosition) const
{
    auto copy = CloneKind<CComponentFillBlanks>(keepPosition);
    CopyQuestionFields(*copy);
    return copy;
}

void CComponentFillBlanks::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        SerializeBlankTexts(ar, m_instruction, m_questionText, m_words);
        return;
    }
    LoadBounds(ar);
    SerializeBlankTexts(ar, m_instruction, m_questionText, m_words);
    ExchangeData(false);
}
