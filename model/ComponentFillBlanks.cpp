#include "model/ComponentFillBlanks.h"

#include "model/ComponentWindow.h"
#include "platform/Archive.h"

CComponentFillBlanks::CComponentFillBlanks() : CComponentBase(ct_fill_blanks)
{
    m_bounds = kDefaultBounds;
}

CComponentFillBlanks::CComponentFillBlanks(CEditCanvas *parent) : CComponentBase(ct_fill_blanks)
{
    m_bounds = kDefaultBounds;
    CreateComponentWindow(parent);
}

void CComponentFillBlanks::ShowInWindow()
{
    if (m_window)
        m_window->UpdateFromComponent();
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

void CComponentFillBlanks::SetFont(const QString &face, int points)
{
    m_fontFace = face;
    m_fontSize = points;
    ShowInWindow();
}

std::unique_ptr<CComponentBase> CComponentFillBlanks::Clone(bool keepPosition) const
{
    auto copy = std::make_unique<CComponentFillBlanks>(m_parent);
    copy->SetFont(m_fontFace, m_fontSize);
    copy->m_instruction = m_instruction;
    copy->m_questionText = m_questionText;
    copy->m_words = m_words;
    copy->m_correctFeedback = m_correctFeedback;
    copy->m_wrongFeedback = m_wrongFeedback;
    copy->SetBounds(ClonedBounds(keepPosition), true);
    copy->ExchangeData(false);
    return copy;
}

void CComponentFillBlanks::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteString(m_instruction);
        ar.WriteString(m_questionText);
        for (const QString &word : m_words)
            ar.WriteString(word);
        ar.WriteString(m_correctFeedback);
        ar.WriteString(m_wrongFeedback);
        return;
    }
    LoadBounds(ar);
    m_instruction = ar.ReadString();
    m_questionText = ar.ReadString();
    for (QString &word : m_words)
        word = ar.ReadString();
    m_correctFeedback = ar.ReadString();
    m_wrongFeedback = ar.ReadString();
    ExchangeData(false);
}
