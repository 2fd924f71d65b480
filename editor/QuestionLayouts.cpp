#include "editor/QuestionLayouts.h"

#include <algorithm>

namespace QuestionLayouts {

namespace {

int Unit(int value) { return std::max(0, value); }

} // namespace

CompleteParagraph LayoutCompleteParagraph(int W, int H)
{
    CompleteParagraph l;
    l.c = Unit(int(double(H - 40) / 7.5));
    l.half = l.c / 2;
    l.u = Unit(W / 56);
    l.d = 11 * l.u;
    const int c = l.c, half = l.half, u = l.u, d = l.d;
    l.question = CRect(10, half, W - 10, half + c);
    for (int i = 0; i < 5; ++i) {
        l.words[size_t(i)] = CRect(u + i * d, 2 * c, (i + 1) * d, 2 * c + 20);
        l.words[size_t(i + 5)] = CRect(u + i * d, half + 2 * c + 20, (i + 1) * d, half + 2 * c + 40);
    }
    l.paragraph = CRect(10, 3 * c + 40, W - 10, 7 * c + 40);
    return l;
}

FillBlanks LayoutFillBlanks(int W, int H)
{
    FillBlanks l;
    l.u = Unit((H - 100) / 14);
    const int u = l.u;
    l.instruction = CRect(10, u, W - 10, 3 * u);
    l.question = CRect(10, 4 * u, W - 10, 8 * u);
    for (int i = 0; i < 5; ++i) {
        const int t = 9 * u + i * (u + 20);
        l.answers[size_t(i)] = CRect(10, t, W / 2 - 10, t + 20);
        l.answers[size_t(i + 5)] = CRect(W / 2 + 10, t, W - 10, t + 20);
    }
    return l;
}

MatchPairs LayoutMatchPairs(int W, int H)
{
    MatchPairs l;
    l.u = Unit((H - 140) / 15);
    const int u = l.u;
    const int p = u + 40;
    const int a = W / 8 + W / 4;
    const int b = W - W / 4 - W / 8;
    l.question = CRect(10, u, W - 10, 5 * u);
    l.zoom = CRect(W - 250, u + 110, W - 10, 7 * u);
    for (size_t i = 0; i < 5; ++i) {
        const int t = 8 * u + int(i) * p;
        l.leftTexts[i] = CRect(10, t, a, t + 40);
        l.leftPictures[i] = CRect(a + 25, t - 5, a + 65, t + 45);
        l.rightTexts[i] = CRect(b + 10, t, W - 10, t + 40);
        l.rightPictures[i] = CRect(b - 65, t - 5, b - 25, t + 45);
    }
    return l;
}

int CountOptions(std::array<QString, 5> &options)
{
    for (int i = int(options.size()) - 1; i >= 0; --i) {
        QString &option = options[size_t(i)];
        option = option.trimmed();
        if (!option.isEmpty())
            return i + 1;
    }
    return 0;
}

MultipleChoice LayoutMultipleChoice(int W, int H, int shown, bool trueFalse)
{
    MultipleChoice l;
    l.c = H / 14;
    l.y0 = H / 28;
    l.shown = std::clamp(shown, 0, 5);
    const int c = l.c, y0 = l.y0, n = l.shown;
    const int e = trueFalse ? 2 * c : 0;
    l.instructionShown = trueFalse;
    l.instruction = CRect(10, y0, W - 10, int(1.5 * c + y0));
    l.stem = CRect(10, y0 + e, W - 10, int(1.5 * c * (5 - n) + y0 + 5 * c));
    for (int i = 0; i < n; ++i) {
        const int t = int(i * 1.5 * c + 6 * c + 1.5 * c * (5 - n));
        l.checks[size_t(i)] = CRect(10, t + y0 - 7, 24, t + y0 + 7);
        l.options[size_t(i)] = CRect(30, t, W - 10, t + c);
    }
    return l;
}

CRect MultipleChoiceThumbnailStem(int W, int H, int shown)
{
    const int c = H / 14;
    const int y0 = H / 28;
    const int n = std::clamp(shown, 0, 5);
    return CRect(10, y0 + int(1.5 * c), W - 10, int(y0 + 5 * c + 1.5 * c * (5 - n)));
}

Likert LayoutLikert(int W, int H)
{
    Likert l;
    l.u = Unit((H - 140) / 15);
    l.cx = W / 2;
    const int u = l.u, cx = l.cx;
    l.question = CRect(10, u, W - 10, 4 * u);
    l.horizontal = CRect(cx - Likert::kLength / 2, 9 * u, cx + Likert::kLength / 2, 9 * u + Likert::kThickness);
    l.vertical = CRect(cx - Likert::kThickness / 2, 5 * u, cx + Likert::kThickness / 2, 5 * u + Likert::kLength);
    return l;
}

LikertLabels LikertLabelRects(int W, int H, bool horizontal, int startLength, int endLength)
{
    const Likert l = LayoutLikert(W, H);
    const int u = l.u, cx = l.cx;
    LikertLabels labels;
    if (horizontal) {
        const int bw = Likert::kLength, bh = Likert::kThickness;
        const int top = 9 * u + bh + 10, bottom = 9 * u + bh + 40;
        labels.start = CRect(cx - bw / 2, top, cx + 8 * startLength + 8, bottom);
        labels.end = CRect(cx + bw / 2, top, cx + bw / 2 + 8 * endLength + 10, bottom);
    } else {
        const int bw = Likert::kThickness, bh = Likert::kLength;
        const int left = cx + bw / 2 + 10;
        labels.end = CRect(left, 5 * u, left + 8 * endLength + 8, 5 * u + 17);
        labels.start = CRect(left, 5 * u + bh - 17, left + 8 * startLength + 13, 5 * u + bh);
    }
    return labels;
}

LikertThumbnail LayoutLikertThumbnail(int W, int H, bool horizontal)
{
    const Likert l = LayoutLikert(W, H);
    LikertThumbnail t;
    t.question = CRect(10, l.u, W - 40, 4 * l.u);
    if (horizontal)
        t.picture = l.horizontal;
    else
        t.picture = CRect(l.cx - Likert::kThickness / 2, 6 * l.u, l.cx + Likert::kThickness / 2, 6 * l.u + Likert::kLength);
    return t;
}

PartIdentification LayoutPartIdentification(int W, int H)
{
    PartIdentification l;
    l.u = Unit(H / 15);
    const int u = l.u, cx = W / 2;
    l.question = CRect(10, u, W - 10, 3 * u);
    l.picture = CRect(cx - 375, 4 * u, cx + 375, 4 * u + 300);
    return l;
}

PartIdentification LayoutPartIdentificationThumbnail(int W, int H)
{
    PartIdentification l;
    l.u = Unit(H / 15);
    const int u = l.u;
    l.question = CRect(10, u, W - 10, 3 * u);
    const int top = (3 * u + H) / 2 - 150;
    l.picture = CRect(W / 2 - 375, top, W / 2 + 375, top + 300);
    return l;
}

} // namespace QuestionLayouts
