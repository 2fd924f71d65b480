#include "publish/ScriptTextRules.h"

#include "platform/Escape.h"

#include <QRegularExpression>


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

} // namespace CorvScriptText
