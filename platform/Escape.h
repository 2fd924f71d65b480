#pragma once

#include <QString>

// The one place where text becomes part of generated JavaScript, HTML, XML, PHP or ASP. Each function
// names the literal or attribute the text goes into; ordinary text (no quotes, backslashes, line breaks
// or markup characters) comes out unchanged. Text outside the Basic Multilingual Plane passes through as
// its surrogate pair.
namespace CorvEscape {

// Inside a double-quoted script string literal, reading back exactly as the text: every backslash
// doubled, every quotation mark preceded by a backslash, line feed and carriage return as \n and \r, the
// line and paragraph separators and unpaired surrogates as \uXXXX, and "</script" as "<\/script" so that
// the literal can also stand inside a page's script element.
QString ScriptLiteral(const QString &text);

// The published course's own rule for script strings: line feed as \n, carriage return dropped, tab as
// one blank, backslash doubled, quotation mark preceded by a backslash, then white space trimmed from both
// ends. The same guards as ScriptLiteral keep the literal whole.
QString JsString(const QString &text);

// A double-quoted script string that stands inside a single-quoted HTML attribute, as the argument of an
// event handler (onclick='f("...")'): the script string's own escapes (backslash, quotation mark, line
// feed and carriage return), then "&", "<", ">" and "'" as entities, so that the attribute reads back as
// the script and the script as the text. A literal built from it that goes into a script string of its own
// still needs ScriptLiteral around it.
QString ScriptStringInAttribute(const QString &text);

// Inside a single-quoted script string literal ('...'), reading back exactly as the text: backslash and
// apostrophe preceded by a backslash, line breaks and the guards as in ScriptLiteral.
QString ScriptSingleQuoted(const QString &text);

// Element content of an HTML page: "&", "<" and ">" as entities.
QString HtmlText(const QString &text);
// A double- or single-quoted HTML attribute value: "&", "<", ">", '"' and "'" as entities.
QString HtmlAttribute(const QString &text);

// Character data of an XML element: "&", "<" and ">" as entities; characters that XML 1.0 cannot hold
// (controls other than tab, line feed and carriage return, unpaired surrogates, U+FFFE, U+FFFF) dropped.
QString XmlText(const QString &text);
// A double-quoted XML attribute value: as XmlText, plus '"' and "'" as entities and tab, line feed and
// carriage return as character references, so that attribute normalisation keeps them.
QString XmlAttribute(const QString &text);
// The inside of a <![CDATA[ ... ]]> section: every "]]>" split across two sections ("]]]]><![CDATA[>"), so
// that the parsed text is the text itself; characters that XML cannot hold dropped as in XmlText.
QString XmlCData(const QString &text);
// The characters of a text that XML 1.0 can hold, the others dropped as in XmlText; with a limit, at most
// that many characters as a schema counts them (a pair of surrogates is one), never cutting a pair.
QString XmlChars(const QString &text, qsizetype limit = -1);

// Inside a single-quoted PHP string: backslash and apostrophe preceded by a backslash.
QString PhpLiteral(const QString &text);
// Inside a double-quoted PHP string: backslash, quotation mark and dollar sign preceded by a backslash, so
// that nothing in the text is read as an escape or a variable.
QString PhpDoubleQuotedLiteral(const QString &text);
// Inside a double-quoted VBScript string of an ASP page: quotation marks doubled; line feeds and carriage
// returns, which a VBScript literal cannot hold, joined in as " & vbLf & " and " & vbCr & "; and "%>",
// which would end the script block, as "%" & ">".
QString AspLiteral(const QString &text);
// Inside a double-quoted JScript string of an ASP page: as ScriptLiteral, and "%>", which would end the
// script block, with its ">" as \u003E.
QString AspScriptLiteral(const QString &text);

} // namespace CorvEscape
