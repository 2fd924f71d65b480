#include "model/GlobalHelpers.h"

#include <algorithm>
#include <climits>

QString IntToString(int value) { return QString::number(value); }

int LeadingInteger(const QString &text)
{
    qsizetype i = 0;
    static const QString kBlanks = QStringLiteral(" \t\n\r\v\f");
    while (i < text.size() && kBlanks.contains(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), INT_MAX);
    return int(negative ? -value : value);
}

void StripTrailingSuffix(QString &string, const QString &suffix)
{
    if (suffix.isEmpty())
        return;
    while (string.endsWith(suffix))
        string.chop(suffix.size());
}

void SplitString(const QString &string, QStringList &list, const QString &separator)
{
    if (string.isEmpty())
        return;
    if (separator.isEmpty()) {
        list.append(string.trimmed());
        return;
    }
    qsizetype start = 0;
    for (qsizetype at; (at = string.indexOf(separator, start)) >= 0; start = at + separator.size())
        list.append(string.mid(start, at - start).trimmed());
    const QString rest = string.mid(start);
    if (!rest.isEmpty())
        list.append(rest.trimmed());
}

void RemoveUnsafeChars(QString &string)
{
    static const QString unsafe = QStringLiteral(" <>&");
    string.removeIf([](QChar c) { return unsafe.contains(c); });
}

int HasNoDigits(const QString &string)
{
    for (QChar c : string)
        if (c.isLetterOrNumber() && !c.isLetter())
            return 0;
    return 1;
}

int IsAllLetters(const QString &string)
{
    for (QChar c : string)
        if (!c.isLetter())
            return 0;
    return 1;
}
