#pragma once

#include "model/ComponentBase.h"

#include <array>

// What the questions share (complete the paragraph, fill in the blanks, multiple choice, match the pairs,
// part identification): the course's question font, which is not stored (the project loader sets it after
// reading), and the feedback texts for a right and a wrong answer.
class CComponentQuestion : public CComponentBase
{
public:
    static constexpr int kSlots = 10;
    using Words = std::array<QString, kSlots>;

    void SetFont(const QString &face, int points);
    const QString &GetFontFace() const { return m_fontFace; }
    int GetFontSize() const { return m_fontSize; }
    void SetCorrectFeedback(const QString &text) { m_correctFeedback = text; }
    const QString &GetCorrectFeedback() const { return m_correctFeedback; }
    void SetWrongFeedback(const QString &text) { m_wrongFeedback = text; }
    const QString &GetWrongFeedback() const { return m_wrongFeedback; }

protected:
    using CComponentBase::CComponentBase;

    void ShowInWindow();
    // Font and feedback into a copy.
    void CopyQuestionFields(CComponentQuestion &copy) const;
    // The record of the blank questions after its head: instruction, text, the ten word slots and the two
    // feedback texts, in both directions.
    void SerializeBlankTexts(CArchive &ar, QString &instruction, QString &text, Words &words);

    QString m_fontFace;
    int m_fontSize = 0;
    QString m_correctFeedback;
    QString m_wrongFeedback;
};
