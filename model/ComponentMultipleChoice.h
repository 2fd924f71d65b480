#pragma once

#include "model/ComponentQuestion.h"

#include <array>

// What a multiple-choice question keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SMultipleChoiceValues {
    static constexpr int kOptions = 5;
    using Options = std::array<QString, kOptions>;
    using CorrectFlags = std::array<int, kOptions>;

    // Read and written directly by the editor and the publisher.
    int m_singleAnswer = 0;
    int m_trueFalse = 0;
    QString m_stem;
    QString m_instruction;
    Options m_options;
    CorrectFlags m_correct{};
};

// The question with a stem and up to five options (A to E), any of which may be correct; with its
// true/false style it is the true-or-false question, which shows an instruction above the stem. The
// single-answer flag makes the options behave like radio buttons when only one of them is correct.
class CComponentMultipleChoice : public CComponentQuestion, private SMultipleChoiceValues
{
public:
    using SMultipleChoiceValues::kOptions;
    using Options = SMultipleChoiceValues::Options;
    using CorrectFlags = SMultipleChoiceValues::CorrectFlags;

    explicit CComponentMultipleChoice(CEditCanvas *parent = nullptr);

    using Values = SMultipleChoiceValues;
    using SMultipleChoiceValues::m_singleAnswer;
    using SMultipleChoiceValues::m_trueFalse;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetQuestionText(const QString &stem);
    const QString &GetQuestionText() const { return m_stem; }
    // Set only through the question dialogs; the window never hands it back.
    void SetInstruction(const QString &instruction);
    const QString &GetInstruction() const { return m_instruction; }
    // All five, empty ones included (never packed).
    void SetOptions(const Options &options, const CorrectFlags &correct);
    // The callers may trim the option texts in place.
    Options &GetOptions() { return m_options; }
    const Options &GetOptions() const { return m_options; }
    const CorrectFlags &GetCorrectFlags() const { return m_correct; }
    // Sets the style and always makes the question single-answer: a true-or-false question has one answer,
    // and the screen factory sets the flag again afterwards for the others.
    void SetTrueFalse(int trueFalse);

    // Takes the stem, options and correct flags from the window, never the instruction.
    void ExchangeData(bool save) override;
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 1014, 500};
    // The single-answer flag came after this schema, the true/false style and instruction after the next.
    static constexpr int kSingleAnswerGate = ProjectSchema::kMultipleChoiceSingleAnswer;
    static constexpr int kTrueFalseGate = ProjectSchema::kMultipleChoiceTrueFalse;
};
