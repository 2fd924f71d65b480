#pragma once

#include "model/ComponentBase.h"

#include <array>

// The question in which the student types the missing words into the blanks ("****") of a text. Slot i
// holds the accepted word or words of blank i ("big;large"); the slots are kept exactly as the author
// filled them, never packed.
class CComponentFillBlanks : public CComponentBase
{
public:
    static constexpr int kSlots = 10;
    using Words = std::array<QString, kSlots>;

    CComponentFillBlanks();
    explicit CComponentFillBlanks(CEditCanvas *parent);

    void SetInstruction(const QString &instruction);
    // With the author's edits in the window taken first.
    const QString &GetInstruction();
    void SetQuestionText(const QString &text);
    const QString &GetQuestionText() const { return m_questionText; }
    void SetWords(const Words &words);
    const Words &GetWords() const { return m_words; }
    void SetCorrectFeedback(const QString &text) { m_correctFeedback = text; }
    const QString &GetCorrectFeedback() const { return m_correctFeedback; }
    void SetWrongFeedback(const QString &text) { m_wrongFeedback = text; }
    const QString &GetWrongFeedback() const { return m_wrongFeedback; }

    // The course's question font; not stored (the project loader sets it after reading).
    void SetFont(const QString &face, int points);
    const QString &GetFontFace() const { return m_fontFace; }
    int GetFontSize() const { return m_fontSize; }

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 1014, 500};

private:
    void ShowInWindow();

    QString m_fontFace;
    int m_fontSize = 0;
    QString m_instruction;
    QString m_questionText;
    Words m_words;
    QString m_correctFeedback;
    QString m_wrongFeedback;
};
