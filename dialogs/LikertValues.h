#pragma once

#include "dialogs/DialogCheck.h"

#include <QString>

// What the slider question's dialog edits: the question, the slider's look, a scale of numbers (start to
// end) or of words (";" separated, numbered from 1), how the value is shown, the correct value with its
// tolerance, the markers and the two feedback texts.
struct CLikertValues {
    static constexpr int kDefaultDecimals = 10;
    static constexpr int kDefaultMarkers = 10;

    QString questionText;
    int horizontal = 1;
    int showFill = 1;
    int showValue = 1;
    // 1: numbers from start to end; 0: the words.
    int useNumbers = 1;
    double startValue = 0;
    double endValue = 10;
    QString startLabel = QStringLiteral("Start");
    QString endLabel = QStringLiteral("End");
    // 1: whole numbers (snap to position); 0: the exact value.
    int snap = 1;
    int evaluate = 1;
    double correctValue = 5;
    int decimalPlaces = kDefaultDecimals;
    QString correctFeedback;
    QString wrongFeedback;
    QString words;
    double tolerance = 0;
    int markers = kDefaultMarkers;

    // The words of a words text: one more than its ";" unless it ends with one ("a;b;c" and "a;b;c;" hold
    // three).
    static int CountWords(const QString &words);
    // Numbers: start and end must differ and the correct value must lie from start to end. Words: there must
    // be words and the correct value (its whole part) must name one. Run whether or not the answer is
    // evaluated.
    CDialogCheck Check() const;
    // What OK corrects without a word: decimal places outside 1 to 10 (numbers without snapping) and markers
    // outside 2 to 64 other than 0 become 10.
    void Correct();

    // Which boxes the author may change: start, end and the snap choice with numbers, the words box with
    // words, decimal places and tolerance without snapping.
    bool NumbersEnabled() const { return useNumbers != 0; }
    bool WordsEnabled() const { return useNumbers == 0; }
    bool ExactValueEnabled() const { return snap == 0; }

    bool operator==(const CLikertValues &) const = default;
};
