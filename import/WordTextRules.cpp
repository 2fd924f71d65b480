#include "import/WordTextRules.h"

namespace WordTextRules {

namespace {

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.category() == QChar::Mark_NonSpacing;
}

bool IsJoiner(QChar c)
{
    return c == u'\'' || c == u'-' || c == QChar(0x2019);
}

} // namespace

int CountWords(const QString &text)
{
    int words = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (IsWordChar(c)) {
            ++words;
            while (i < n && (IsWordChar(text[i]) || (IsJoiner(text[i]) && i + 1 < n && IsWordChar(text[i + 1]))))
                ++i;
            continue;
        }
        if (c == u'\r') {
            ++words;   // the paragraph mark
        } else if (!c.isSpace() && c.unicode() >= 0x20) {
            ++words;   // a punctuation mark or symbol counts on its own
        }
        ++i;
    }
    return words;
}

QStringList SplitSentences(const QString &text)
{
    QStringList sentences;
    QString current;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        current += c;
        bool end = false;
        if (c == u'\n' || c == u'\r') {
            end = true;
        } else if (c == u'.' || c == u'!' || c == u'?') {
            qsizetype j = i + 1;
            while (j < n && QStringView(u"\"')]\u201D\u2019").contains(text[j]))
                current += text[j++];
            i = j - 1;
            end = j >= n || text[j].isSpace();
        }
        if (end) {
            while (i + 1 < n && text[i + 1] == u' ')
                current += text[++i];
            sentences << current;
            current.clear();
        }
    }
    if (!current.isEmpty())
        sentences << current;
    return sentences;
}

QString CleanParagraphText(const QString &text, bool removeChr21)
{
    QString t = text;
    t.remove(QStringLiteral("\r\a"));
    if (removeChr21)
        t.remove(QChar(21));
    t.remove(QStringLiteral("\x01\r"));
    t.remove(QChar(1));
    t.replace(QChar(11), u'\n');
    t.replace(u'\r', u'\n');
    return t;
}

} // namespace WordTextRules
