#pragma once

#include "model/ComponentQuestion.h"

// The question in which the student types the missing words into the blanks ("****") of a text. Slot i
// holds the accepted word or words of blank i ("big;large"); the slots are kept exactly as the author
// filled them, never packed.
class CComponentFillBlanks : public CComponentQuestion
{
public:
    CComponentFillBlanks();
    explicit CComponentFillBlanks(CEditCanvas *parent);

    void SetInstruction(const QString &instruction);
    // With the author's edits in the window taken first.
    const QString &GetInstruction();
    void SetQuestionText(const QString &text);
    const QString &GetQuestionText() const { return m_questionText; }
    void SetWords(const Words &words);
    const Words &GetWords() const { return m_words; }

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 1014, 500};

private:
    QString m_instruction;
    QString m_questionText;
    Words m_words;
};
