#pragma once

#include "model/ComponentBase.h"

#include <array>

// What every question keeps: copied whole by Clone, and what the question dialogs exchange. Each kind keeps
// its own values beside these.
struct SQuestionValues {
    static constexpr int kSlots = 10;
    using Words = std::array<QString, kSlots>;

    QString m_fontFace;
    int m_fontSize = 0;
    QString m_correctFeedback;
    QString m_wrongFeedback;
};

// What the questions share (complete the paragraph, fill in the blanks, multiple choice, match the pairs,
// part identification): the course's question font, which is not stored (the project loader sets it after
// reading), and the feedback texts for a right and a wrong answer.
class CComponentQuestion : public CComponentBase, protected SQuestionValues
{
public:
    using SQuestionValues::kSlots;
    using Words = SQuestionValues::Words;

    const SQuestionValues &GetQuestionValues() const { return *this; }
    // Takes every question value and shows them in the window.
    void SetQuestionValues(const SQuestionValues &values);

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
    // The question values into a copy of the kind, shown in its window.
    void CopyQuestionFields(CComponentQuestion &copy) const { copy.SetQuestionValues(*this); }
    // The record of the blank questions after its head: instruction, text, the ten word slots and the two
    // feedback texts, in both directions.
    void SerializeBlankTexts(CArchive &ar, QString &instruction, QString &text, Words &words);
};
