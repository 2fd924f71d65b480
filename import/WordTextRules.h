#pragma once

#include <QString>
#include <QStringList>

// How the word processor counts words and splits sentences, for the reading-time line and the carrying of
// the last sentence to the next screen. Words: every run of letters and digits (with apostrophes and
// hyphens inside it) is one word, every other visible mark is one, and the paragraph mark counts as one,
// as the word processor's Words collection does.
namespace WordTextRules {

int CountWords(const QString &paragraphText);

// The sentences of a text, each with its trailing spaces; a sentence ends after ".", "!" or "?" (and any
// closing quotes or brackets) followed by a space or the end, or at a line end.
QStringList SplitSentences(const QString &text);

// The paragraph text cleaned for the importers in this order: chr(13)chr(7) removed, chr(21) removed (when
// removeChr21), chr(1)chr(13) removed, any other chr(1) removed, chr(11) and "\r" to "\n".
QString CleanParagraphText(const QString &text, bool removeChr21);

} // namespace WordTextRules
