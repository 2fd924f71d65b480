#include "publish/PublishText.h"
#include "publish/CharacterSubstitutions.h"

#include <gtest/gtest.h>

namespace {

QString Sanitized(QString prefix)
{
    SanitizeProjectPrefix(prefix);
    return prefix;
}

// The scrambled form read back with its key, as the course run-time does.
QString Descramble(const QString &scrambled, const QString &key)
{
    QString text;
    const QStringList numbers = scrambled.split(u'-', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < numbers.size(); ++i)
        text += QChar(char16_t(numbers[i].toInt() - key[i % key.size()].unicode()));
    return text;
}

} // namespace

// Guards the prefix that names the per-course files: device names of DOS stay usable, and nothing that
// could break a file name, a script string or a page attribute gets through, while names Windows allows
// come out as they always did.
TEST(PublishText, SanitizeProjectPrefix)
{
    struct Case { QString in, out; };
    const QList<Case> cases = {
        {"My_Course", "MyCourse"},
        {"con", "con_"},
        {"C_ON", "CON_"},
        {"co n", "con"},
        {"Sales, Q1 & Q2.final", "SalesQ1Q2final"},
        {"nul", "nul_"},
        {"Aux", "Aux_"},
        {"prn.", "prn"},
        {"COM10", "COM10"},
        {"console", "console"},
        {"a\\b", "ab"},
        {"say \"hi\" <b>:*?|", "sayhib"},
        {"tab\tnew\nline", "tabnewline"},
        {QString::fromUtf8("Caf\xC3\xA9 \xF0\x9F\x98\x80"), QString::fromUtf8("Caf\xC3\xA9\xF0\x9F\x98\x80")},
        {"___", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Sanitized(c.in), c.out) << c.in.toStdString();
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(Sanitized(QStringLiteral("com%1").arg(n)), QStringLiteral("com%1_").arg(n));
        EXPECT_EQ(Sanitized(QStringLiteral("LpT%1").arg(n)), QStringLiteral("LpT%1_").arg(n));
    }
}

// Guards the course's script-string rule as the publish steps call it, both forms.
TEST(PublishText, EscapeJsStringAndLetters)
{
    QString out = "old";
    EscapeJsString("\tabc\n", out);
    EXPECT_EQ(out, "abc\\n");
    EXPECT_EQ(EscapeJsString(" \"a\\b\" "), "\\\"a\\\\b\\\"");
    EXPECT_EQ(EscapeJsString("x\r\ny"), "x\\ny");

    for (char16_t c = 0; c < 0x180; ++c) {
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        EXPECT_EQ(IsAsciiLetter(QChar(c)), letter ? 1 : 0) << int(c);
    }
}

// Guards the scrambled answers and connection text: each UTF-16 unit plus its key unit with no wrap-around,
// the key repeating or cut, characters beyond the Basic Multilingual Plane as two numbers, and the form read
// back with its key. An empty key has no result instead of a division by zero.
TEST(PublishText, ScrambleString)
{
    struct Case { QString text, key, out; };
    const QList<Case> cases = {
        {"abc", "x", "217-218-219-"},
        {"ab", "xyz", "217-219-"},
        {"abcd", "xy", "217-219-219-221-"},
        {QString(QChar(0xFFFF)), QString(QChar(0xFFFF)), "131070-"},
        {QString::fromUtf8("\xF0\x9F\x98\x80"), "a", "55454-56929-"},
        {"", "key", ""},
        {"", "", ""},
    };
    for (const Case &c : cases) {
        const std::optional<QString> scrambled = ScrambleString(c.text, c.key);
        ASSERT_TRUE(scrambled) << c.text.toStdString();
        EXPECT_EQ(*scrambled, c.out) << c.text.toStdString();
    }
    EXPECT_FALSE(ScrambleString("secret", ""));

    const QString answer = QString::fromUtf8("Ol\xC3\xA9 \"quoted\" \xF0\x9F\x98\x80 \\ end");
    EXPECT_EQ(Descramble(*ScrambleString(answer, "3_2q"), "3_2q"), answer);
}

// Guards the substitutions applied to published screen texts: texts without a key stay as they are, an
// empty key replaces nothing (and does not hang), a later line replaces a key's value in place, and a value
// holding a later key is replaced again, the same way on every run.
TEST(PublishText, SpecialCharacters)
{
    CCharacterSubstitutions map;
    QString text = "untouched";
    map.Apply(text);
    EXPECT_EQ(text, "untouched");

    map.Set("(c)", QString(QChar(0xA9)));
    map.Set("", "never");
    map.Set("--", "-(c)-");
    map.Set("(c)", "[C]");
    EXPECT_EQ(map.Count(), 3);
    text = "a -- b (c) plain";
    map.Apply(text);
    EXPECT_EQ(text, "a -(c)- b [C] plain");

    CCharacterSubstitutions chain;
    chain.Set("--", "-(c)-");
    chain.Set("(c)", "[C]");
    text = "a -- b";
    chain.Apply(text);
    EXPECT_EQ(text, "a -[C]- b");
    text = "no keys here";
    chain.Apply(text);
    EXPECT_EQ(text, "no keys here");

    // A copy given a key of its own leaves the keys of the table it was copied from as they were, and the other way round.
    CCharacterSubstitutions copy = chain;
    copy.Set("k", "K");
    chain.Set("x", "X");
    text = "k x --";
    chain.Apply(text);
    EXPECT_EQ(text, "k X -[C]-");
    text = "k x --";
    copy.Apply(text);
    EXPECT_EQ(text, "K x -[C]-");
    copy.Clear();
    text = "k x --";
    copy.Apply(text);
    EXPECT_EQ(text, "k x --");
}
