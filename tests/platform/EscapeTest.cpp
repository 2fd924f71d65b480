#include "platform/Escape.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

using Rule = std::function<QString(const QString &)>;

struct NamedRule {
    const char *name;
    Rule rule;
};

const NamedRule kRules[] = {
    {"ScriptLiteral", CorvEscape::ScriptLiteral}, {"JsString", CorvEscape::JsString},
    {"HtmlText", CorvEscape::HtmlText},           {"HtmlAttribute", CorvEscape::HtmlAttribute},
    {"XmlText", CorvEscape::XmlText},             {"XmlAttribute", CorvEscape::XmlAttribute},
    {"XmlCData", CorvEscape::XmlCData},           {"PhpLiteral", CorvEscape::PhpLiteral},
    {"AspLiteral", CorvEscape::AspLiteral},
    {"PhpDoubleQuotedLiteral", CorvEscape::PhpDoubleQuotedLiteral},
    {"AspScriptLiteral", CorvEscape::AspScriptLiteral},
    {"ScriptStringInAttribute", CorvEscape::ScriptStringInAttribute},
    {"ScriptSingleQuoted", CorvEscape::ScriptSingleQuoted},
};

// Text with a character of every plane the course texts meet: Latin, CJK, an emoji (a surrogate pair).
const QString kWorldText = QString::fromUtf8("Caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 ok 1.5");

// The literal read back by a strict reader: a script string with only these escapes is a JSON string.
QString ReadScriptLiteral(const QString &literal)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(("[\"" + literal + "\"]").toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("<not a literal: %1>").arg(error.errorString());
    return doc.array().at(0).toString();
}

struct XmlReadBack {
    bool parsed = false;
    QString attribute, text, cdata;
};

// The three XML forms put into one document and read back by libxml2.
XmlReadBack ReadXml(const QString &attribute, const QString &text, const QString &cdata)
{
    const QByteArray doc = ("<r a=\"" + attribute + "\"><t>" + text + "</t><c><![CDATA[" + cdata + "]]></c></r>").toUtf8();
    XmlReadBack out;
    xmlDocPtr parsed = xmlReadMemory(doc.constData(), int(doc.size()), "escape.xml", "UTF-8", XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!parsed)
        return out;
    out.parsed = true;
    xmlNodePtr root = xmlDocGetRootElement(parsed);
    auto take = [](xmlChar *s) {
        QString v = QString::fromUtf8(reinterpret_cast<const char *>(s));
        xmlFree(s);
        return v;
    };
    out.attribute = take(xmlGetProp(root, BAD_CAST "a"));
    out.text = take(xmlNodeGetContent(xmlFirstElementChild(root)));
    out.cdata = take(xmlNodeGetContent(xmlLastElementChild(root)));
    xmlFreeDoc(parsed);
    return out;
}

} // namespace

// Guards that escaping never changes ordinary text, whatever the target: published files of courses
// without special characters must stay byte for byte what they were.
TEST(Escape, OrdinaryTextUnchanged)
{
    const QString ordinary[] = {"", "Hello world", "Screen 1_2: intro, (part 3) 50% done!", kWorldText};
    for (const NamedRule &r : kRules)
        for (const QString &text : ordinary)
            EXPECT_EQ(r.rule(text), text) << r.name << ": " << text.toStdString();
}

// Guards each rule set against the hostile texts authors do type: quotes, backslashes, line breaks, markup,
// the end of a script element and of a CDATA section.
TEST(Escape, HostileTextTable)
{
    struct Case {
        const char *rule;
        QString in, out;
    };
    const QString nul(QChar(0));
    const QList<Case> cases = {
        {"ScriptLiteral", R"(say "hi" \o/)", R"(say \"hi\" \\o/)"},
        {"ScriptLiteral", "a\r\nb", R"(a\r\nb)"},
        {"ScriptLiteral", "x</script><script>alert(1)", R"(x<\/script><script>alert(1))"},
        {"ScriptLiteral", "x</SCRIPT >", R"(x<\/SCRIPT >)"},
        {"ScriptLiteral", "</b>", "</b>"},
        {"ScriptLiteral", QString(QChar(0x2028)) + QChar(0x2029), R"(\u2028\u2029)"},
        {"ScriptLiteral", QString(QChar(0xD800)) + "x", R"(\uD800x)"},
        {"JsString", "\tabc\n", R"(abc\n)"},
        {"JsString", " a\tb\r\nc \"q\" \\ ", R"(a b\nc \"q\" \\)"},
        {"JsString", "</script>", R"(<\/script>)"},
        {"JsString", "end]]>", "end]]>"},
        {"HtmlText", "a < b && c > d", "a &lt; b &amp;&amp; c &gt; d"},
        {"HtmlText", "\"quoted\" 'x'", "\"quoted\" 'x'"},
        {"HtmlAttribute", R"(" onload="x' &)", "&quot; onload=&quot;x&#39; &amp;"},
        {"XmlText", "<a>&amp;</a>", "&lt;a&gt;&amp;amp;&lt;/a&gt;"},
        {"XmlText", "bell" + QString(QChar(7)) + nul + "\tok\n", "bell\tok\n"},
        {"XmlText", QString(QChar(0xDC00)) + QChar(0xFFFE) + "z", "z"},
        {"XmlAttribute", "\"a\" 'b'\t\n\r", "&quot;a&quot; &apos;b&apos;&#9;&#10;&#13;"},
        {"XmlCData", "a]]>b", "a]]]]><![CDATA[>b"},
        {"XmlCData", "<b>&</b>", "<b>&</b>"},
        {"PhpLiteral", R"(it's C:\dir\ ?> "x")", R"(it\'s C:\\dir\\ ?> "x")"},
        {"AspLiteral", "say \"hi\"", "say \"\"hi\"\""},
        {"AspLiteral", "a\r\nb", "a\" & vbCr & \"\" & vbLf & \"b"},
        {"AspLiteral", "50%> done", "50%\" & \"> done"},
        {"PhpDoubleQuotedLiteral", R"(pgsql:host=h;password="p$x\y")", R"(pgsql:host=h;password=\"p\$x\\y\")"},
        {"AspScriptLiteral", "C:\\db\\kvx.mdb;", R"(C:\\db\\kvx.mdb;)"},
        {"AspScriptLiteral", "say \"hi\"\n50%> done", R"(say \"hi\"\n50%\u003E done)"},
        {"ScriptStringInAttribute", R"(it's "x" \ a&b <c>)", R"(it&#39;s \"x\" \\ a&amp;b &lt;c&gt;)"},
        {"ScriptStringInAttribute", "a\r\nb</script>", R"(a\r\nb&lt;/script&gt;)"},
        {"ScriptSingleQuoted", R"(it's "x" \)", R"(it\'s "x" \\)"},
        {"ScriptSingleQuoted", "a\nb</script>", R"(a\nb<\/script>)"},
    };
    for (const Case &c : cases) {
        const auto it = std::find_if(std::begin(kRules), std::end(kRules),
                                     [&](const NamedRule &r) { return std::strcmp(r.name, c.rule) == 0; });
        ASSERT_NE(it, std::end(kRules)) << c.rule;
        EXPECT_EQ(it->rule(c.in), c.out) << c.rule << ": " << c.in.toStdString();
    }
}

// Guards that a script literal reads back as exactly the author's text, whatever it holds: a literal that
// lost a character or broke the script would show learners the wrong text or nothing.
TEST(Escape, ScriptLiteralReadsBack)
{
    const QString texts[] = {
        kWorldText,
        R"(quote " backslash \ slash / end)",
        "lines\nand\r\nbreaks\r",
        "close </script> and ]]> and <!-- comment",
        QString(QChar(0x2028)) + "sep" + QChar(0x2029),
        "tab\there",
    };
    for (const QString &text : texts)
        EXPECT_EQ(ReadScriptLiteral(CorvEscape::ScriptLiteral(text)), text) << text.toStdString();
    // The course's own rule keeps the text but for its documented changes (tabs, carriage returns, ends).
    EXPECT_EQ(ReadScriptLiteral(CorvEscape::JsString(" \ta\tb\r\n\"c\"\\ </script> ")), "a b\n\"c\"\\ </script>");
}

// Guards the XML rule sets with a real parser: attribute, text and CDATA all read back as the text
// (less the characters XML cannot hold), never as broken markup.
TEST(Escape, XmlReadsBack)
{
    const QString texts[] = {
        kWorldText,
        R"(<tag attr="v">&amp; 'single' "double"</tag>)",
        "end ]]> and ]]]]> again ]]",
        "tab\tline\nfeed",
        "control" + QString(QChar(1)) + QChar(0x1F) + "gone",
    };
    for (const QString &text : texts) {
        QString expected = text;
        expected.remove(QChar(1)).remove(QChar(0x1F));
        const XmlReadBack back = ReadXml(CorvEscape::XmlAttribute(text), CorvEscape::XmlText(text), CorvEscape::XmlCData(text));
        ASSERT_TRUE(back.parsed) << text.toStdString();
        EXPECT_EQ(back.attribute, expected);
        EXPECT_EQ(back.text, expected);
        EXPECT_EQ(back.cdata, expected);
    }
}
