#pragma once

#include "model/ComponentQuestion.h"

// What a fill-in-the-blanks question keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SFillBlanksValues {
    QString m_instruction;
    QString m_questionText;
    SQuestionValues::Words m_words;
};

// The question in which the student types the missing words into the blanks ("****") of a text. Slot i
// holds the accepted word or words of blank i ("big;large"); the slots are kept exactly as the author
// filled them, never packed.
class CComponentFillBlanks : public CComponentQuestion, private SFillBlanksValues
{
public:
    explicit CComponentFillBlanks(CEditCanvas *parent = nullptr);

    using Values = SFillBlanksValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

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
};
