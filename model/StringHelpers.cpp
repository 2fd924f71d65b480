#include "model/GlobalHelpers.h"

QString IntToString(int value) { return QString::number(value); }

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
