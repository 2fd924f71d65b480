#include "publish/PublishText.h"

#include "document/InternationalProfileFromXML.h"
#include "model/GlobalHelpers.h"
#include "model/PlaceholderTemplate.h"
#include "platform/Escape.h"
#include "publish/LinkScripts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

namespace {

// The names DOS reserves for devices, tested in this order.
const char *const kDeviceNames[] = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9",
};

// Removed after the device test: what the system always removed, then what only a Linux file name can
// hold, since the prefix goes into file names, script strings and page attributes as it is.
bool IsRemovedFromPrefix(QChar c)
{
    static const QString kRemoved = QStringLiteral(" \\,.&\"<>:*?|/");
    return kRemoved.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F;
}

} // namespace

void SanitizeProjectPrefix(QString &prefix)
{
    prefix.remove(u'_');
    for (const char *device : kDeviceNames) {
        if (prefix.compare(QLatin1String(device), Qt::CaseInsensitive) == 0) {
            prefix += u'_';
            break;
        }
    }
    prefix.removeIf(IsRemovedFromPrefix);
}

void EscapeJsString(const QString &source, QString &out) { out = CorvEscape::JsString(source); }

QString EscapeJsString(const QString &source) { return CorvEscape::JsString(source); }

int IsAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ? 1 : 0;
}

std::optional<QString> ScrambleString(const QString &text, const QString &key)
{
    if (key.isEmpty() && !text.isEmpty())
        return std::nullopt;
    return EncodeAnswerText(text, key);
}

QString ProfileScriptText(const InternationalProfileItemFromXML &item, ProfileLineEnds lineEnds)
{
    // Backslashes are doubled in the text as read, before its line breaks become escapes of their own.
    QString value = item.text;
    value.replace(u'\\', QStringLiteral("\\\\"));
    value.replace(u'"', QStringLiteral("\\\""));
    value.replace(QStringLiteral("]]>"), QStringLiteral("] ]>"));
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    if (lineEnds == ProfileLineEnds::AllEscaped) {
        value.replace(u'\r', QStringLiteral("\\n"));
        value.replace(u'\n', QStringLiteral("\\n"));
    }
    if (item.limit <= 0 || value.size() <= item.limit)
        return value;
    // Cut to the limit, but never inside an escape ("\"" or "\\") or a surrogate pair: half of one would
    // leave a string that does not end, or a character that is not one.
    qsizetype cut = 0;
    while (cut < item.limit) {
        qsizetype width = 1;
        if (value[cut] == u'\\' || value[cut].isHighSurrogate())
            width = 2;
        if (cut + width > item.limit)
            break;
        cut += width;
    }
    return value.left(cut);
}

QString ContentsHandlerArgument(const QString &text)
{
    return CorvEscape::ScriptLiteral(CorvEscape::ScriptStringInAttribute(text));
}

QString ScriptLinkAnchor(const QString &script)
{
    // The script itself stands in a file of its own that the run-time loads (CLinkScripts): no page runs
    // script from its own text.
    return QStringLiteral("<a href='#' data-kvx-script='") + CLinkScripts::Key(script) + QStringLiteral("'>");
}

QString PrintfFixed(double value, int decimals)
{
    if (decimals < 0)
        decimals = 6;
    decimals = std::min(decimals, 30);
    // to_chars rounds as printf does in the C locale (half to even on the exact binary value). A float has at
    // most 39 digits before the point; a double may have 309, so the buffer holds both with the decimals.
    char text[384];
    const auto result = std::to_chars(std::begin(text), std::end(text), std::isfinite(value) ? value : 0.0,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(text, int(result.ptr - text));
}

QString QuotedIdList(const QStringList &ids)
{
    return ids.isEmpty() ? QString() : u'"' + ids.join(QStringLiteral("\",\"")) + u'"';
}
