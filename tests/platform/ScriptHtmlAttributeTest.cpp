#include "platform/Escape.h"

#include <gtest/gtest.h>

// Guards the values put into a single-quoted attribute of the component markup, which is itself a
// double-quoted script string: ordinary text must come out unchanged, and nothing may end the attribute or
// the string early.
TEST(ScriptHtmlAttribute, Table)
{
    struct Case {
        const char16_t *text;
        const char16_t *escaped;
    } cases[] = {
        {u"clip.mp4", u"clip.mp4"},
        {u"a=1&b=2", u"a=1&b=2"},
        {u"Müller <draft>.avi", u"Müller <draft>.avi"},
        {u"it's", u"it&#39;s"},
        {u"say \"hi\"", u"say \\\"hi\\\""},
        {u"C:\\media\\x", u"C:\\\\media\\\\x"},
        {u"two\r\nlines\n", u"twolines"},
        {u"", u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CorvEscape::ScriptHtmlAttribute(QString::fromUtf16(c.text)), QString::fromUtf16(c.escaped))
            << QString::fromUtf16(c.text).toStdString();
}
