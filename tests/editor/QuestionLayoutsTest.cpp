#include "editor/QuestionLayouts.h"

#include <gtest/gtest.h>

namespace L = QuestionLayouts;

TEST(QuestionLayouts, CompleteParagraphOnAFullScreen)
{
    const L::CompleteParagraph l = L::LayoutCompleteParagraph(1008, 500);
    EXPECT_EQ(l.c, 61);
    EXPECT_EQ(l.half, 30);
    EXPECT_EQ(l.u, 18);
    EXPECT_EQ(l.d, 198);
    EXPECT_EQ(l.question, CRect(10, 30, 998, 91));
    EXPECT_EQ(l.paragraph, CRect(10, 223, 998, 467));
    EXPECT_EQ(l.words[0], CRect(18, 122, 198, 142));
    EXPECT_EQ(l.words[4], CRect(18 + 4 * 198, 122, 990, 142));
    EXPECT_EQ(l.words[5], CRect(18, 172, 198, 192));
}

TEST(QuestionLayouts, OtherWindowsOnAFullScreen)
{
    const L::FillBlanks f = L::LayoutFillBlanks(1008, 500);
    EXPECT_EQ(f.u, 28);
    EXPECT_EQ(f.instruction, CRect(10, 28, 998, 84));
    EXPECT_EQ(f.question, CRect(10, 112, 998, 224));
    EXPECT_EQ(f.answers[0], CRect(10, 252, 494, 272));
    EXPECT_EQ(f.answers[9], CRect(514, 252 + 4 * 48, 998, 272 + 4 * 48));

    const L::MatchPairs m = L::LayoutMatchPairs(1008, 500);
    EXPECT_EQ(m.u, 24);
    EXPECT_EQ(m.question, CRect(10, 24, 998, 120));
    EXPECT_EQ(m.zoom, CRect(758, 134, 998, 168));
    // a = 126 + 252, b = 1008 - 252 - 126; rows 64 apart from 8u.
    EXPECT_EQ(m.leftTexts[1], CRect(10, 256, 378, 296));
    EXPECT_EQ(m.leftPictures[0], CRect(403, 187, 443, 237));
    EXPECT_EQ(m.rightPictures[0], CRect(565, 187, 605, 237));
    EXPECT_EQ(m.rightTexts[4], CRect(640, 448, 998, 488));

    const L::PartIdentification p = L::LayoutPartIdentification(1004, 490);
    EXPECT_EQ(p.question, CRect(10, 32, 994, 96));
    EXPECT_EQ(p.picture, CRect(127, 128, 877, 428));
    const L::PartIdentification t = L::LayoutPartIdentificationThumbnail(1004, 490);
    EXPECT_EQ(t.question, p.question);
    // Centred between the question's bottom (3u = 96) and the bottom: (96 + 490) / 2 - 150.
    EXPECT_EQ(t.picture, CRect(127, 143, 877, 443));
}

TEST(QuestionLayouts, MultipleChoiceOptionsSitAtTheBottom)
{
    const int H = 560, W = 1000;
    const L::MultipleChoice five = L::LayoutMultipleChoice(W, H, 5, false);
    EXPECT_EQ(five.c, 40);
    EXPECT_EQ(five.y0, 20);
    EXPECT_EQ(five.stem, CRect(10, 20, 990, 220));
    EXPECT_EQ(five.options[0], CRect(30, 240, 990, 280));
    EXPECT_EQ(five.checks[0], CRect(10, 253, 24, 267));
    EXPECT_EQ(five.options[4], CRect(30, 480, 990, 520));
    EXPECT_FALSE(five.instructionShown);

    // Two options: the stem 4.5 units taller, the two options where the last two were.
    const L::MultipleChoice two = L::LayoutMultipleChoice(W, H, 2, false);
    EXPECT_EQ(two.shown, 2);
    EXPECT_EQ(two.stem.Height() - five.stem.Height(), 180);
    EXPECT_EQ(two.options[0], five.options[3]);
    EXPECT_EQ(two.options[1], five.options[4]);
    EXPECT_EQ(two.checks[1], five.checks[4]);

    const L::MultipleChoice none = L::LayoutMultipleChoice(W, H, 0, false);
    EXPECT_EQ(none.stem.Height() - five.stem.Height(), 300);

    // True/false style: the instruction above, the stem two units lower with the same bottom.
    const L::MultipleChoice tf = L::LayoutMultipleChoice(W, H, 2, true);
    EXPECT_TRUE(tf.instructionShown);
    EXPECT_EQ(tf.instruction, CRect(10, 20, 990, 80));
    EXPECT_EQ(tf.stem.top, two.stem.top + 80);
    EXPECT_EQ(tf.stem.bottom, two.stem.bottom);

    // The screen pictures start the stem one and a half units down.
    EXPECT_EQ(L::MultipleChoiceThumbnailStem(W, H, 2), CRect(10, 80, 990, 400));
}

TEST(QuestionLayouts, TrailingBlankOptionsAreTrimmedAndNotCounted)
{
    struct Case {
        const char *name;
        std::array<QString, 5> options;
        int count;
    } cases[] = {
        {"first two filled", {"Red", "Blue", "", "", ""}, 2},
        {"spaces at the end count empty", {"Red", "Blue", "   ", " ", ""}, 2},
        {"a gap before the last one counts", {"Red", "", "", "", "Green"}, 5},
        {"all empty", {"", " ", "", "  ", ""}, 0},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(L::CountOptions(c.options), c.count);
    }
    std::array<QString, 5> padded{" Red ", "  Blue ", "  ", "", ""};
    EXPECT_EQ(L::CountOptions(padded), 2);
    // Trimmed back to the last one in use; those before it are left as they are.
    EXPECT_EQ(padded[1], "Blue");
    EXPECT_EQ(padded[2], "");
    EXPECT_EQ(padded[0], " Red ");
}

TEST(QuestionLayouts, SliderPicturesAndLabels)
{
    const L::Likert l = L::LayoutLikert(1004, 490);
    EXPECT_EQ(l.u, 23);
    EXPECT_EQ(l.question, CRect(10, 23, 994, 92));
    EXPECT_EQ(l.horizontal, CRect(330, 207, 674, 237));
    EXPECT_EQ(l.vertical, CRect(487, 115, 517, 459));

    // The thumbnail's box is 30 pixels narrower and its vertical picture one unit lower.
    const L::LikertThumbnail vertical = L::LayoutLikertThumbnail(1004, 490, false);
    EXPECT_EQ(vertical.question, CRect(10, 23, 964, 92));
    EXPECT_EQ(vertical.picture, CRect(487, 138, 517, 482));
    EXPECT_EQ(L::LayoutLikertThumbnail(1004, 490, true).picture, l.horizontal);

    // Labels of 8 pixels a character: under the horizontal slider's ends, right of the vertical one.
    const L::LikertLabels across = L::LikertLabelRects(1004, 490, true, 3, 4);
    EXPECT_EQ(across.start, CRect(330, 247, 502 + 32, 277));
    EXPECT_EQ(across.end, CRect(674, 247, 674 + 42, 277));
    const L::LikertLabels up = L::LikertLabelRects(1004, 490, false, 3, 4);
    EXPECT_EQ(up.end, CRect(527, 115, 527 + 40, 132));
    EXPECT_EQ(up.start, CRect(527, 442, 527 + 37, 459));
}

TEST(QuestionLayouts, TinyWindowsKeepUnitsAtZero)
{
    // (H - 100) / 14 and the like would turn negative; boxes then collapse instead of turning inside out.
    EXPECT_EQ(L::LayoutFillBlanks(200, 50).u, 0);
    EXPECT_EQ(L::LayoutMatchPairs(200, 50).u, 0);
    EXPECT_EQ(L::LayoutLikert(200, 50).u, 0);
    const L::CompleteParagraph p = L::LayoutCompleteParagraph(200, 20);
    EXPECT_EQ(p.c, 0);
    EXPECT_GE(p.paragraph.Height(), 0);
    for (const CRect &r : L::LayoutFillBlanks(200, 50).answers)
        EXPECT_GE(r.Height(), 0);
}
