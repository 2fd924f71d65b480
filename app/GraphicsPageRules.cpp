#include "app/GraphicsPageRules.h"

#include <QRegularExpression>

namespace CorvGraphicsPage {

int SizeRadio(int32_t graphicSize) { return graphicSize == 0 || graphicSize == 2 || graphicSize == 3 ? graphicSize : 1; }

int32_t KenBurnsInterval(const QString &text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*([+-]?\\d+)"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.hasMatch())
        return 1;
    bool ok = false;
    const qlonglong value = match.captured(1).toLongLong(&ok);
    if (!ok)
        return match.captured(1).startsWith(u'-') ? 1 : INT32_MAX;
    return value < 1 ? 1 : value > INT32_MAX ? INT32_MAX : int32_t(value);
}

int KenBurnsEntry(int32_t interval) { return interval >= 1 && interval <= kKenBurnsEntries ? interval - 1 : -1; }

} // namespace CorvGraphicsPage
