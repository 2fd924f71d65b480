#pragma once

#include "platform/Rect.h"

#include <QString>

#include <array>

// Where the boxes of the question windows on the canvas lie, from the window's client width W and height H:
// the windows place their read-only fields there, and the screen pictures draw the same boxes there (with
// the few differences the thumbnails have). Divisions are integer divisions unless said otherwise; a
// layout unit that would turn negative in a very small window is 0.
namespace QuestionLayouts {

// Complete the paragraph: unit c = trunc((H - 40) / 7.5), half = c / 2, u = W / 56, d = 11u.
struct CompleteParagraph {
    int c = 0, half = 0, u = 0, d = 0;
    CRect question;
    // Words 1 to 5 in the first row, 6 to 10 in the second.
    std::array<CRect, 10> words;
    CRect paragraph;
};
CompleteParagraph LayoutCompleteParagraph(int W, int H);

// Fill in the blanks: unit u = (H - 100) / 14; answers 1 to 5 on the left, 6 to 10 on the right.
struct FillBlanks {
    int u = 0;
    CRect instruction;
    CRect question;
    std::array<CRect, 10> answers;
};
FillBlanks LayoutFillBlanks(int W, int H);

// Match the pairs: unit u = (H - 140) / 15; five rows of a text and a 40 x 40 picture on each side.
struct MatchPairs {
    static constexpr int kPictureSide = 40;
    int u = 0;
    CRect question;
    CRect zoom;
    std::array<CRect, 5> leftTexts, leftPictures, rightTexts, rightPictures;
};
MatchPairs LayoutMatchPairs(int W, int H);
// The zoom box's caption on the window and in the screen pictures.
inline const char *const kZoomCaption = "Zoom images on rollover";
inline const char *const kZoomThumbnailCaption = "Zoom images on roll over";

// Multiple choice and true/false: unit c = H / 14, y0 = H / 28. The options in use sit at the bottom; the
// stem grows by one and a half units for every option missing.
struct MultipleChoice {
    int c = 0, y0 = 0;
    // How many options are shown.
    int shown = 0;
    // Shown in true/false style only.
    bool instructionShown = false;
    CRect instruction;
    CRect stem;
    std::array<CRect, 5> checks;
    std::array<CRect, 5> options;
};
// The number of options in use: from the last backwards, options are trimmed of surrounding blanks in
// place until one is not empty; its number (1 to 5), or 0 when all are empty.
int CountOptions(std::array<QString, 5> &options);
MultipleChoice LayoutMultipleChoice(int W, int H, int shown, bool trueFalse);
// The screen pictures' stem box: one and a half units below the top, ending where the window's ends.
CRect MultipleChoiceThumbnailStem(int W, int H, int shown);

// Slider question: unit u = (H - 140) / 15, cx = W / 2; the pictures have the slider pictures' sizes.
struct Likert {
    static constexpr int kLength = 344;
    static constexpr int kThickness = 30;
    int u = 0, cx = 0;
    CRect question;
    CRect horizontal;
    CRect vertical;
};
Likert LayoutLikert(int W, int H);
// The labels, 8 pixels a character: under the horizontal slider's ends, or right of the vertical one's.
struct LikertLabels {
    CRect start;
    CRect end;
};
LikertLabels LikertLabelRects(int W, int H, bool horizontal, int startLength, int endLength);
// The screen pictures: the question box 30 pixels narrower; the vertical picture one unit lower.
struct LikertThumbnail {
    CRect question;
    CRect picture;
};
LikertThumbnail LayoutLikertThumbnail(int W, int H, bool horizontal);

// Part identification: unit u = H / 15; the 750 x 300 picture window centred under the question.
struct PartIdentification {
    int u = 0;
    CRect question;
    CRect picture;
};
PartIdentification LayoutPartIdentification(int W, int H);
// The screen pictures: the picture area centred vertically between the question and the bottom.
PartIdentification LayoutPartIdentificationThumbnail(int W, int H);

} // namespace QuestionLayouts
