#include "LinkTestSupport.h"

#include "model/MarkedText.h"

#include <gtest/gtest.h>

#include <random>

using namespace LinkTest;

namespace {

// What a fresh pass over the text finds, for every number of the test's range.
void ExpectSameAsAFreshScan(CRichText &text, const CMarkedText &kept, int numbers)
{
    const CMarkedText fresh(text);
    for (int number = 0; number < numbers; ++number)
        for (int from : {0, 7, text.GetTextLength() / 2}) {
            ASSERT_EQ(kept.FindOpening(number, from), fresh.FindOpening(number, from)) << number << " from " << from;
            ASSERT_EQ(kept.FindClosing(number, from), fresh.FindClosing(number, from)) << number << " from " << from;
        }
}

} // namespace

// Guards the marker index against drifting from the text it follows: after any mix of insertions, deletions
// and hiding through it (markers cut in two, joined from pieces, moved by edits before them), it finds what
// a fresh pass over the text finds.
TEST(MarkedText, StaysInStepWithTheTextThroughEdits)
{
    std::mt19937 random(20240611);
    constexpr int kNumbers = 4;
    const QString pieces[] = {QStringLiteral("[000"), QStringLiteral("1#"), QStringLiteral("#0002]"),
                              QStringLiteral("[0003#"), QStringLiteral("word "), QStringLiteral("#000"),
                              QStringLiteral("0]"), QStringLiteral("\r")};
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        CRichText text;
        QString plain;
        for (int i = 0; i < 30; ++i)
            plain += pieces[random() % std::size(pieces)];
        text.ReplaceAll(plain);
        text.HideRange(0, text.GetTextLength() * 3 / 4);
        CMarkedText marked(text);
        ExpectSameAsAFreshScan(text, marked, kNumbers);
        for (int step = 0; step < 40; ++step) {
            const int length = text.GetTextLength();
            const int start = length ? int(random() % uint32_t(length + 1)) : 0;
            const int end = std::min(length, start + int(random() % 8));
            switch (random() % 3) {
            case 0:
                marked.Replace(start, end, pieces[random() % std::size(pieces)]);
                break;
            case 1:
                marked.Replace(start, end, QString());
                break;
            default:
                marked.Hide(start, end);
                break;
            }
            ExpectSameAsAFreshScan(text, marked, kNumbers);
        }
    }
}
