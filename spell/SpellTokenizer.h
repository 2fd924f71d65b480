#pragma once

#include <QString>

#include <vector>

// Finds the words of a text for the spelling check: runs of letters with apostrophes inside them. The
// hidden link markers "[0001#" and "#0001]" are text of the document but no words, and a run that holds
// a digit is a code or a number rather than a word: neither is ever reported.
namespace CorvSpellTokenizer {

struct Word {
    int start = 0;
    int length = 0;
    int End() const { return start + length; }
};

// The first word that starts at or after `from`; length 0 when there is none.
Word NextWord(const QString &text, int from);
// Every word of the text in order.
std::vector<Word> Words(const QString &text);
// The length of a link marker at pos ("[dddd#" or "#dddd]"), or 0.
int MarkerAt(const QString &text, int pos);

} // namespace CorvSpellTokenizer
