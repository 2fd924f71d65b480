#pragma once

#include "dialogs/DialogCheck.h"

#include <QString>

#include <array>

// What the multiple-choice dialog edits: the stem (with the instruction), options A to E, a correct flag
// for each, the single-answer flag (options behave like radio buttons) and the two feedback texts.
struct CMultipleChoiceValues {
    static constexpr int kOptions = 5;
    // Controls the checks move the focus to.
    static constexpr int kStemBox = 1209;

    QString stem;
    std::array<QString, kOptions> options;
    std::array<int, kOptions> correct{};
    int singleAnswer = 0;
    QString correctFeedback;
    QString wrongFeedback;

    // The stem must hold text, one option at least must hold text, and one option with text must be
    // marked correct: a mark on an empty option would publish a question nobody can answer right.
    CDialogCheck Check() const;

    bool operator==(const CMultipleChoiceValues &) const = default;
};

// What the true/false dialog edits: the instruction, the statement, the two options and which of them is
// correct (exactly one, as its two radio buttons keep it), and the two feedback texts.
struct CTrueFalseValues {
    static constexpr int kInstructionBox = 1242;
    static constexpr int kStatementBox = 1326;

    QString instruction = QStringLiteral("Mark the following statement as True or False");
    QString statement;
    QString optionA = QStringLiteral("TRUE");
    QString optionB = QStringLiteral("FALSE");
    int optionACorrect = 0;
    int optionBCorrect = 1;
    QString correctFeedback;
    QString wrongFeedback;

    // Marks option A (a) or B (b) correct and the other not, as a click on its radio button does.
    void MarkCorrect(bool a);
    // The statement must hold text (the focus goes to the statement box), one option must hold text, and
    // the option marked correct must hold text.
    CDialogCheck Check() const;

    bool operator==(const CTrueFalseValues &) const = default;
};
