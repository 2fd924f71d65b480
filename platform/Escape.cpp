#include "platform/Escape.h"

#include <algorithm>

namespace CorvEscape {

namespace {

// True when the unit at i is half of a well-formed surrogate pair.
bool IsPairedSurrogate(const QString &text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 < text.size() && text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i > 0 && text[i - 1].isHighSurrogate();
    return false;
}

bool IsUnpairedSurrogate(const QString &text, qsizetype i)
{
    return text[i].isSurrogate() && !IsPairedSurrogate(text, i);
}

// Characters XML 1.0 can hold: tab, line feed, carriage return, U+0020-U+D7FF, U+E000-U+FFFD and the
// planes above (as well-formed pairs).
bool IsXmlChar(const QString &text, qsizetype i)
{
    const char16_t u = text[i].unicode();
    if (u == 0x9 || u == 0xA || u == 0xD)
        return true;
    if (u < 0x20 || u == 0xFFFE || u == 0xFFFF)
        return false;
    return !IsUnpairedSurrogate(text, i);
}

void AppendUnicodeEscape(QString &out, char16_t u)
{
    out += QStringLiteral("\\u") + QStringLiteral("%1").arg(unsigned(u), 4, 16, QLatin1Char('0')).toUpper();
}

// "</script" (any case) at i.
bool StartsScriptEnd(const QString &text, qsizetype i)
{
    static const QString kEnd = QStringLiteral("</script");
    return text[i] == u'<' && QStringView(text).mid(i, kEnd.size()).compare(kEnd, Qt::CaseInsensitive) == 0;
}

// The escapes that keep any script literal whole whatever rule set built it: the separators a script
// reads as line ends, unpaired surrogates (which UTF-8 cannot carry) and the end of a script element.
// Appends the unit at i and returns true when it needed one.
bool AppendScriptGuard(QString &out, const QString &text, qsizetype i)
{
    const QChar c = text[i];
    if (c.unicode() == 0x2028 || c.unicode() == 0x2029 || IsUnpairedSurrogate(text, i)) {
        AppendUnicodeEscape(out, c.unicode());
        return true;
    }
    if (StartsScriptEnd(text, i)) {
        out += QStringLiteral("<\\");
        return true;
    }
    return false;
}

QString ScriptGuarded(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!AppendScriptGuard(out, text, i))
            out += text[i];
    return out;
}

QString XmlEscaped(const QString &text, bool attribute)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsXmlChar(text, i))
            continue;
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); continue;
        case u'<': out += QStringLiteral("&lt;"); continue;
        case u'>': out += QStringLiteral("&gt;"); continue;
        default: break;
        }
        if (attribute) {
            switch (c.unicode()) {
            case u'"': out += QStringLiteral("&quot;"); continue;
            case u'\'': out += QStringLiteral("&apos;"); continue;
            case u'\t': out += QStringLiteral("&#9;"); continue;
            case u'\n': out += QStringLiteral("&#10;"); continue;
            case u'\r': out += QStringLiteral("&#13;"); continue;
            default: break;
            }
        }
        out += c;
    }
    return out;
}

// Whether a unit may need an escape in a script literal: the quotes, backslash, line ends, the script line
// separators, surrogates and the "<" that may open "</script".
bool MayNeedScriptEscape(char16_t u)
{
    return u == u'\\' || u == u'"' || u == u'\'' || u == u'\n' || u == u'\r' || u == u'<' || u == 0x2028 || u == 0x2029
           || (u >= 0xD800 && u <= 0xDFFF);
}

// A script string literal between the quote characters, reading back exactly as the text.
QString QuotedScriptLiteral(const QString &text, QChar quote)
{
    // Most texts need no escape at all: they are given back as they are, without a copy.
    if (!text.isEmpty() && std::none_of(text.cbegin(), text.cend(), [](QChar c) { return MayNeedScriptEscape(c.unicode()); }))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == quote)
            out += u'\\';
        else if (c == u'\n') {
            out += QStringLiteral("\\n");
            continue;
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
            continue;
        } else if (AppendScriptGuard(out, text, i))
            continue;
        out += c;
    }
    return out;
}

} // namespace

QString ScriptLiteral(const QString &text) { return QuotedScriptLiteral(text, u'"'); }

QString ScriptSingleQuoted(const QString &text) { return QuotedScriptLiteral(text, u'\''); }

QString ScriptStringInAttribute(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); continue;
        case u'"': out += QStringLiteral("\\\""); continue;
        case u'\n': out += QStringLiteral("\\n"); continue;
        case u'\r': out += QStringLiteral("\\r"); continue;
        case u'&': out += QStringLiteral("&amp;"); continue;
        case u'<': out += QStringLiteral("&lt;"); continue;
        case u'>': out += QStringLiteral("&gt;"); continue;
        case u'\'': out += QStringLiteral("&#39;"); continue;
        default: break;
        }
        if (!AppendScriptGuard(out, text, i))
            out += c;
    }
    return out;
}

QString JsString(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': break;
        case u'\t': out += u' '; break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'"': out += QStringLiteral("\\\""); break;
        default: out += c; break;
        }
    }
    // Trimming comes before the guards, as the rule trims what its own escapes leave.
    return ScriptGuarded(out.trimmed());
}

QString HtmlText(const QString &text)
{
    // Most texts hold none of the three: they are given back as they are, without a copy.
    if (!text.isEmpty() && std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'&' || c == u'<' || c == u'>'; }))
        return text;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        default: out += c; break;
        }
    }
    return out;
}

QString HtmlAttribute(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : HtmlText(text)) {
        switch (c.unicode()) {
        case u'"': out += QStringLiteral("&quot;"); break;
        case u'\'': out += QStringLiteral("&#39;"); break;
        default: out += c; break;
        }
    }
    return out;
}

QString XmlText(const QString &text) { return XmlEscaped(text, false); }

QString XmlAttribute(const QString &text) { return XmlEscaped(text, true); }

QString XmlChars(const QString &text, qsizetype limit)
{
    QString out;
    out.reserve(text.size());
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size() && (limit < 0 || count < limit); ++i) {
        if (!IsXmlChar(text, i))
            continue;
        out += text[i];
        if (IsPairedSurrogate(text, i) && text[i].isHighSurrogate())
            out += text[++i];
        ++count;
    }
    return out;
}

QString XmlCData(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsXmlChar(text, i))
            continue;
        out += text[i];
        // Close the section between "]]" and ">" and open a new one, so the parser reads "]]>" as text.
        if (out.endsWith(QStringLiteral("]]>")))
            out.insert(out.size() - 1, QStringLiteral("]]><![CDATA["));
    }
    return out;
}

QString PhpLiteral(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'\'')
            out += u'\\';
        out += c;
    }
    return out;
}

QString PhpDoubleQuotedLiteral(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"' || c == u'$')
            out += u'\\';
        out += c;
    }
    return out;
}

QString AspLiteral(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"')
            out += QStringLiteral("\"\"");
        else if (c == u'\n')
            out += QStringLiteral("\" & vbLf & \"");
        else if (c == u'\r')
            out += QStringLiteral("\" & vbCr & \"");
        else if (c == u'%' && i + 1 < text.size() && text[i + 1] == u'>')
            out += QStringLiteral("%\" & \"");
        else
            out += c;
    }
    return out;
}

QString AspScriptLiteral(const QString &text)
{
    // The script escapes bring in neither "%" nor ">", so every "%>" left is one of the text's own.
    QString out = ScriptLiteral(text);
    out.replace(QStringLiteral("%>"), QStringLiteral("%\\u003E"));
    return out;
}

} // namespace CorvEscape
