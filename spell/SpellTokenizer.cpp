#include "spell/SpellTokenizer.h"

#include <algorithm>

namespace CorvSpellTokenizer {

namespace {

constexpr int kMarkerLength = 6;
constexpr int kMarkerDigits = 4;

bool IsApostrophe(QChar c) { return c == u'\'' || c == QChar(0x2019); }

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c.isMark(); }

bool DigitsAt(const QString &text, int pos)
{
    for (int i = 0; i < kMarkerDigits; ++i)
        if (!text[pos + i].isDigit())
            return false;
    return true;
}

} // namespace

int MarkerAt(const QString &text, int pos)
{
    if (pos < 0 || pos + kMarkerLength > text.size())
        return 0;
    if (text[pos] == u'[' && text[pos + kMarkerLength - 1] == u'#' && DigitsAt(text, pos + 1))
        return kMarkerLength;
    if (text[pos] == u'#' && text[pos + kMarkerLength - 1] == u']' && DigitsAt(text, pos + 1))
        return kMarkerLength;
    return 0;
}

Word NextWord(const QString &text, int from)
{
    const int size = int(text.size());
    int pos = std::max(from, 0);
    while (pos < size) {
        if (const int marker = MarkerAt(text, pos)) {
            pos += marker;
            continue;
        }
        if (!IsWordChar(text[pos])) {
            ++pos;
            continue;
        }
        // A run of letters and digits, with single apostrophes between letters; it stops at a marker.
        const int start = pos;
        bool digit = false;
        while (pos < size && !MarkerAt(text, pos)) {
            if (IsWordChar(text[pos])) {
                digit = digit || text[pos].isDigit();
                ++pos;
            } else if (IsApostrophe(text[pos]) && pos + 1 < size && text[pos + 1].isLetter() && pos > start) {
                ++pos;
            } else {
                break;
            }
        }
        if (!digit)
            return {start, pos - start};
    }
    return {size, 0};
}

std::vector<Word> Words(const QString &text)
{
    std::vector<Word> words;
    for (Word w = NextWord(text, 0); w.length > 0; w = NextWord(text, w.End()))
        words.push_back(w);
    return words;
}

} // namespace CorvSpellTokenizer
