#pragma once

#include "dialogs/DialogCheck.h"

#include <QString>

#include <array>

// What the complete-the-paragraph and fill-in-the-blanks dialogs edit: the instruction, the question text
// with a "****" for each blank, ten word boxes (a fill-in-the-blanks box may list several accepted words
// separated by ";", kept as typed) and the two feedback texts.
struct CBlankQuestionValues {
    static constexpr int kWords = 10;
    static inline const QString kBlank = QStringLiteral("****");
    static inline const QString kCountMismatch =
        QStringLiteral("The number of blank words does not match to the number of words.");
    static inline const QString kNoBlank = QStringLiteral("You must enter at least one blank word.");

    QString instruction;
    QString questionText;
    std::array<QString, kWords> words;
    QString correctFeedback;
    QString wrongFeedback;

    // The defaults of each dialog: only the instruction differs.
    static CBlankQuestionValues CompleteParagraph();
    static CBlankQuestionValues FillBlanks();

    // The blanks of a text, overlapping runs counted: "*****" holds two, eight asterisks five.
    static int CountBlanks(const QString &text);
    // The word boxes that hold more than blanks, wherever they stand.
    int CountWords() const;
    // The blank count must equal the word count, and must not be 0.
    CDialogCheck Check() const;

    bool operator==(const CBlankQuestionValues &) const = default;
};
