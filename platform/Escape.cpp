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

} // namespace CorvEscape
