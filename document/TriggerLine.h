#pragma once

#include <QString>

// The ":::" lines of the theme style sheets and page templates: ":::<key> ... default: <value>". Read by the
// publisher, which expands them, and by the Themes page, which takes the theme's fonts from them.
namespace CorvTriggerLine {

inline const QString kMark = QStringLiteral(":::");

inline bool IsTokenSeparator(QChar c) { return c == u'\n' || c == u'\r' || c == u' ' || c == u'\t'; }

// The line's key: its first token after the mark, lower-cased.
inline QString Key(const QString &line)
{
    qsizetype start = kMark.size();
    while (start < line.size() && IsTokenSeparator(line[start]))
        ++start;
    qsizetype end = start;
    while (end < line.size() && !IsTokenSeparator(line[end]))
        ++end;
    return line.mid(start, end - start).toLower();
}

// What follows "default:" on the line, trimmed; empty without one.
inline QString Default(const QString &line)
{
    static const QString kDefault = QStringLiteral("default:");
    const qsizetype at = line.indexOf(kDefault);
    return at < 0 ? QString() : line.mid(at + kDefault.size()).trimmed();
}

} // namespace CorvTriggerLine
