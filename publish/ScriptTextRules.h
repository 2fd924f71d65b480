#pragma once

#include <QString>

// How the options script puts course settings into its lines. Every rule yields text that keeps the line a
// valid script, whatever the author typed; for ordinary text (no quotation marks, backslashes, apostrophes
// or line breaks) each gives the text unchanged.
namespace CorvScriptText {

// The inside of a double-quoted script string that reads back as the text (backslashes doubled, quotation
// marks and line breaks escaped). Used for every setting written between quotation marks as it is.
QString Quoted(const QString &text);

// The course's script-string rule (EscapeJsString): line feeds as \n, carriage returns dropped, tabs as
// blanks, then trimmed.
QString Escaped(const QString &text);

// The window title: backslashes, quotation marks and apostrophes removed, then Escaped.
QString Title(const QString &text);

// The course name: pairs of backslashes and backslash-quotation-mark pairs removed, then Quoted.
QString CourseName(const QString &text);

// An e-mail address: quotation marks and apostrophes removed, then Quoted.
QString Mail(const QString &text);

// A setting written as a bare number: the text without surrounding blanks when it is a plain decimal
// number ("5", "2.5"), else "0".
QString PlainNumber(const QString &text);

// A setting that holds a script string with its own quotation marks ("\"suspend\""): the text as it
// stands when it is one well-formed string literal, else the text made into one.
QString StringLiteral(const QString &text);

// The number at the start of a text as a decimal reader takes it: blanks skipped, an optional sign, then
// digits (0 when there are none); held at the int range.
int LeadingInteger(const QString &text);

} // namespace CorvScriptText
