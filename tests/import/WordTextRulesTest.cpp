// The text rules the importers share: paragraph cleanup, word counts, sentences.
#include "import/WordTextRules.h"

#include <gtest/gtest.h>

// Guards: control characters of the word processor (cell marks, inline objects, line breaks) reaching a
// text box, or a paragraph text that does not end in "\n".
TEST(WordTextRules, CleanupTable)
{
    struct Case { QString in; bool chr21; QString out; };
    const Case cases[] = {
        {"Body text\r", true, "Body text\n"},
        {"Cell\r\a", true, "Cell"},
        {QString("a") + QChar(11) + "b\r", true, "a\nb\n"},
        {QString("x") + QChar(1) + "\r", true, "x"},
        {QString("in") + QChar(1) + "line\r", true, "inline\n"},
        {QString("n") + QChar(21) + "\r", true, "n\n"},
        {QString("n") + QChar(21) + "\r", false, QString("n") + QChar(21) + "\n"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(WordTextRules::CleanParagraphText(c.in, c.chr21), c.out) << c.in.toStdString();
}

// Guards: reading times computed from a word count that misses punctuation or the paragraph mark.
TEST(WordTextRules, WordsAndSentences)
{
    EXPECT_EQ(WordTextRules::CountWords("Hello, world.\r"), 5);
    EXPECT_EQ(WordTextRules::CountWords("don't stop-gap\r"), 3);
    EXPECT_EQ(WordTextRules::CountWords("\r"), 1);
    const QStringList s = WordTextRules::SplitSentences("One two. Three? \"Four!\" Five 3.5 six");
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[0], "One two. ");
    EXPECT_EQ(s[2], "\"Four!\" ");
    EXPECT_EQ(s[3], "Five 3.5 six");
}
