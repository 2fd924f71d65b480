#include "platform/Escape.h"

namespace CorvEscape {

QString ScriptLiteral(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    return out;
}

QString ScriptHtmlAttribute(const QString &text)
{
    QString plain = text;
    plain.remove(u'\r');
    plain.remove(u'\n');
    plain.replace(u'\'', QLatin1String("&#39;"));
    return ScriptLiteral(plain);
}

} // namespace CorvEscape
