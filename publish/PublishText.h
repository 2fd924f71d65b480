#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class InternationalProfileItemFromXML;

// Small text operations the publish steps share.

// Cleans a project file's name (without its extension) into the prefix of the per-course files: "_"
// removed; "_" appended to a DOS device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, any case); then blanks,
// "\", ",", ".", "&" and the characters a Windows file name cannot hold (quotation marks, "<", ">", ":",
// "*", "?", "|", "/", controls) removed. The publisher lower-cases the result.
void SanitizeProjectPrefix(QString &prefix);

// The published course's rule for text in script strings (CorvEscape::JsString).
void EscapeJsString(const QString &source, QString &out);
QString EscapeJsString(const QString &source);

// 1 for a-z and A-Z, else 0.
int IsAsciiLetter(QChar c);

// Hides an answer or a connection text in a published script: for each UTF-16 unit i of the text, the sum
// text[i] + key[i mod key length] in decimal followed by "-". Empty for an empty text; none for a text
// that would need an empty key.
std::optional<QString> ScrambleString(const QString &text, const QString &key);

// A profile item's text as the published scripts and pages take it inside a double-quoted script string:
// backslashes doubled, quotation marks escaped, "]]>" as "] ]>" (never closing a CDATA section), line
// breaks (CR LF, as a profile file gives them) as backslash and "n"; then cut to the item's limit, never
// inside an escape or a surrogate pair. Pages keep a lone CR or LF of a text as it is; the scripts, in which
// it would end the string, take it as backslash and "n" too.
enum class ProfileLineEnds { PairsEscaped, AllEscaped };
QString ProfileScriptText(const InternationalProfileItemFromXML &item,
                          ProfileLineEnds lineEnds = ProfileLineEnds::PairsEscaped);

// A text that becomes the double-quoted script string argument of an onclick handler in a screen file's
// contents (onclick='f(\"...\")'): safe for that string, the attribute and the contents literal around it.
QString ContentsHandlerArgument(const QString &text);
// The opening anchor of a link that runs a script, in a screen file's contents: it names the key of the
// script's file (CLinkScripts), which the run-time loads and runs when the link is followed.
QString ScriptLinkAnchor(const QString &script);

// The texts each between quotation marks, joined by "," without blanks ("a","b"); "" for none. For publish
// ids and other texts that need no escaping.
QString QuotedIdList(const QStringList &ids);

// A number with the given decimals as "%.*f" writes it in the C locale (a negative count gives six). A value
// that is not finite, which only a damaged record holds, is written as 0 so that the script stays whole.
QString PrintfFixed(double value, int decimals);
