#include "model/ComponentQuestion.h"

#include "model/ComponentWindow.h"
#include "platform/Archive.h"

void CComponentQuestion::SetFont(const QString &face, int points)
{
    m_fontFace = face;
    m_fontSize = points;
    ShowInWindow();
}

void CComponentQuestion::ShowInWindow()
{
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentQuestion::SetQuestionValues(const SQuestionValues &values)
{
    static_cast<SQuestionValues &>(*this) = values;
    ShowInWindow();
}

void CComponentQuestion::SerializeBlankTexts(CArchive &ar, QString &instruction, QString &text, Words &words)
{
    if (ar.IsStoring()) {
        for (const QString *field : {&instruction, &text})
            ar.WriteString(*field);
        for (const QString &word : words)
            ar.WriteString(word);
        for (const QString *field : {&m_correctFeedback, &m_wrongFeedback})
            ar.WriteString(*field);
        return;
    }
    for (QString *field : {&instruction, &text})
        *field = ar.ReadString();
    for (QString &word : words)
        word = ar.ReadString();
    for (QString *field : {&m_correctFeedback, &m_wrongFeedback})
        *field = ar.ReadString();
}
