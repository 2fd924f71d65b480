#include "publish/ScriptTextRules.h"

#include "platform/Escape.h"

#include <QRegularExpression>

#include <climits>

namespace CorvScriptText {

QString Quoted(const QString &text) { return CorvEscape::ScriptLiteral(text); }

QString Escaped(const QString &text) { return CorvEscape::JsString(text); }

QString Title(const QString &text)
{
    QString title = text;
    title.remove(u'\\').remove(u'"').remove(u'\'');
    return Escaped(title);
}

QString CourseName(const QString &text)
{
    QString name = text;
    name.remove(QStringLiteral("\\\\")).remove(QStringLiteral("\\\""));
    return Quoted(name);
}

QString Mail(const QString &text)
{
    QString address = text;
    address.remove(u'"').remove(u'\'');
    return Quoted(address);
}

QString PlainNumber(const QString &text)
{
    static const QRegularExpression kNumber(QStringLiteral("^(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)$"));
    const QString trimmed = text.trimmed();
    return kNumber.match(trimmed).hasMatch() ? trimmed : QStringLiteral("0");
}

QString StringLiteral(const QString &text)
{
    if (text.size() >= 2) {
        const QChar quote = text.front();
        const QStringView inside = QStringView(text).mid(1, text.size() - 2);
        const bool wellFormed = (quote == u'"' || quote == u'\'') && text.back() == quote
                                && !inside.contains(quote) && !inside.contains(u'\\') && !inside.contains(u'\n')
                                && !inside.contains(u'\r') && !inside.contains(QChar(0x2028))
                                && !inside.contains(QChar(0x2029));
        if (wellFormed)
            return text;
    }
    return u'"' + Quoted(text) + u'"';
}

int LeadingInteger(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'
                               || text[i] == u'\v' || text[i] == u'\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return int(negative ? -value : value);
}

} // namespace CorvScriptText
