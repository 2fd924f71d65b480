#include "model/ComponentFillBlanks.h"

#include "model/ComponentWindow.h"
#include "platform/Archive.h"

CComponentFillBlanks::CComponentFillBlanks() : CComponentQuestion(ct_fill_blanks)
{
    m_bounds = kDefaultBounds;
}

CComponentFillBlanks::CComponentFillBlanks(CEditCanvas *parent) : CComponentQuestion(ct_fill_blanks)
{
    m_bounds = kDefaultBounds;
    CreateComponentWindow(parent);
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
    auto copy = std::make_unique<CComponentFillBlanks>(m_parent);
    CopyQuestionFields(*copy);
    copy->m_instruction = m_instruction;
    copy->m_questionText = m_questionText;
    copy->m_words = m_words;
    copy->SetBounds(ClonedBounds(keepPosition), true);
    copy->ExchangeData(false);
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
