#include "model/PlaceholderTemplate.h"

#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/Escape.h"
#include "platform/PathUtil.h"

namespace {

const QString kOpen = QStringLiteral("<~");
const QString kClose = QStringLiteral("~>");

const CPlaceholderTemplate::Token *FindToken(const CPlaceholderTemplate::Tokens &tokens, QStringView name)
{
    for (const CPlaceholderTemplate::Token &token : tokens)
        if (name == QLatin1String(token.name))
            return &token;
    return nullptr;
}

} // namespace

QString CPlaceholderTemplate::PathOf(const CCorvContext &context, const QString &relative)
{
    QString folder;
    GetAppFolder(context, folder);
    return CorvPath::ResolveNoCase(CorvPath::Join({folder, QStringLiteral("source/PlaceHolderText"), relative}));
}

void CPlaceholderTemplate::Fill(QString &text, const Tokens &tokens)
{
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype open = text.indexOf(kOpen, from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(kClose, open + kOpen.size());
        if (close < 0) {
            out += QStringView(text).mid(from);
            break;
        }
        out += QStringView(text).mid(from, open - from);
        const QStringView name = QStringView(text).mid(open + kOpen.size(), close - open - kOpen.size());
        if (const Token *token = FindToken(tokens, name)) {
            out += token->value;
            from = close + kClose.size();
        } else {
            // Not one of ours: keep "<~" and look again right after it, so "<~x<~ev~>" still fills "<~ev~>".
            out += kOpen;
            from = open + kOpen.size();
        }
    }
    text = out;
}

CResult<QString> CPlaceholderTemplate::Expand(const CCorvContext &context, const QString &relative,
                                              const QString &errorFormat, const Tokens &tokens)
{
    const QString path = PathOf(context, relative);
    QString text;
    if (!ReadAnsiTextFile(path, text))
        return CFailure(errorFormat.arg(path));
    Fill(text, tokens);
    return text;
}

QString CPlaceholderTemplate::AttributeValue(const QString &text)
{
    return CorvEscape::ScriptLiteral(CorvEscape::HtmlAttribute(text));
}

QString CPlaceholderTemplate::ColourHex(uint32_t colour)
{
    const uint32_t red = colour & 0xFF;
    const uint32_t green = (colour >> 8) & 0xFF;
    const uint32_t blue = (colour >> 16) & 0xFF;
    return QStringLiteral("%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}
