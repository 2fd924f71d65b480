#include "publish/RunToHtmlSpan.h"

#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/PlaceholderTemplate.h"
#include "platform/Escape.h"
#include "platform/richtext/RichText.h"
#include "publish/PublishText.h"

namespace {

// How a run is written: bare body text, the heading style of the course, or with its own format.
enum class RunKind { Plain, Heading, Styled };

RunKind Classify(const CCharFormat &format, const CBodyFont &body)
{
    const bool inBodyStyle = format.face.compare(body.face, Qt::CaseInsensitive) == 0 && ShownColour(format) == body.colour
                             && format.offset == 0 && !format.Has(CFE_ITALIC) && !format.Has(CFE_UNDERLINE)
                             && !format.Has(CFE_STRIKEOUT);
    const int points = format.height / 20;
    if (inBodyStyle && !format.Has(CFE_BOLD) && points == body.points)
        return RunKind::Plain;
    if (inBodyStyle && format.Has(CFE_BOLD) && points == body.points + 2)
        return RunKind::Heading;
    return RunKind::Styled;
}

QString ScreenLinkAnchor(const CRunLink &link, const CCorvessaDoc &document)
{
    if (link.target.isEmpty())
        return QString();
    // Glossary screens have publish ids "9000_n": their links open the term, not a screen.
    if (link.target.startsWith(QLatin1String("9000"))) {
        const CCorvPage *entry = document.FindGlossaryScreenByPublishId(link.target);
        if (!entry)
            return QString();
        // The term as the glossary list names it: line ends, which an imported term keeps, are not part of it.
        QString term = entry->GetTitle();
        term.remove(u'\r');
        term.remove(u'\n');
        term.remove(CRichText::kLineBreak);
        return QStringLiteral("<a href='#' class='glossaryLink' data-kvx-click='kvx.glossary(\\\"") +
               ContentsHandlerArgument(term) + QStringLiteral("\\\")'>");
    }
    if (link.isPopup)
        return QStringLiteral("<a href='#' data-kvx-click='kvx.popup(\\\"") + ContentsHandlerArgument(link.target) +
               QStringLiteral("\\\",%1,%2)'>").arg(link.popupWidth).arg(link.popupHeight);
    return QStringLiteral("<a href='#' data-kvx-click='kvx.gotoNewPage(\\\"") + ContentsHandlerArgument(link.target) +
           QStringLiteral("\\\")'>");
}

// The opening anchor of the run's link; "" when the run opens none.
QString Anchor(const CRunLink &link, const CCorvessaDoc &document)
{
    if (!link.isLink)
        return QString();
    if (link.isScreenLink)
        return ScreenLinkAnchor(link, document);
    if (link.isScript)
        return ScriptLinkAnchor(link.target);
    if (link.target.isEmpty())
        return QString();
    // "_blank;" names a window of that name; the run-time has always opened web links so.
    return QStringLiteral("<a href='") + CPlaceholderTemplate::AttributeValue(link.target) + QStringLiteral("' target='_blank;'>");
}

void AppendDecoration(QString &out, const CCharFormat &format)
{
    const bool underline = format.Has(CFE_UNDERLINE);
    const bool strikeout = format.Has(CFE_STRIKEOUT);
    if (underline && strikeout)
        out += QLatin1String("text-decoration:line-through underline;");
    else if (underline)
        out += QLatin1String("text-decoration:underline;");
    else if (strikeout)
        out += QLatin1String("text-decoration:line-through;");
}

// Appends "#RRGGBB" of a COLORREF (0x00BBGGRR).
void AppendHtmlColour(QString &out, uint32_t colour)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const char16_t text[7] = {u'#',
                              char16_t(kDigits[(colour >> 4) & 0xF]),
                              char16_t(kDigits[colour & 0xF]),
                              char16_t(kDigits[(colour >> 12) & 0xF]),
                              char16_t(kDigits[(colour >> 8) & 0xF]),
                              char16_t(kDigits[(colour >> 20) & 0xF]),
                              char16_t(kDigits[(colour >> 16) & 0xF])};
    out.append(reinterpret_cast<const QChar *>(text), 7);
}

void AppendStyledSpan(QString &out, const CCharFormat &format, bool inLink)
{
    out += QLatin1String("<span style='font-size: ");
    out += QString::number(format.height / 20);
    out += QLatin1String("pt; font-family:");
    // A text keeps to a few faces: the last one's value is kept, per thread, as screens are written on several.
    thread_local QString lastFace, lastValue;
    if (lastValue.isNull() || format.face != lastFace) {
        lastFace = format.face;
        lastValue = CPlaceholderTemplate::AttributeValue(format.face);
    }
    out += lastValue;
    out += QLatin1String("; ");
    // Inside a link the link style of the course gives the colour.
    if (!inLink) {
        out += QLatin1String("color: ");
        AppendHtmlColour(out, ShownColour(format));
        out += QLatin1String("; ");
    }
    if (format.Has(CFE_BOLD))
        out += QLatin1String("font-weight:bold; ");
    if (format.Has(CFE_ITALIC))
        out += QLatin1String("font-style:italic; ");
    if (format.offset > 0)
        out += QLatin1String("vertical-align:super; ");
    else if (format.offset < 0)
        out += QLatin1String("vertical-align:sub; ");
    AppendDecoration(out, format);
    out += QLatin1String("'>");
}

} // namespace

CBodyFont CBodyFont::FromDocument(const CCorvessaDoc &document)
{
    CBodyFont body;
    body.face = document.Settings().FontName[0];
    body.points = document.Settings().FontSizePoints[0].trimmed().toInt();
    body.colour = document.Settings().FontColor[0];
    return body;
}

uint32_t ShownColour(const CCharFormat &format)
{
    return (format.effects & CFE_AUTOCOLOR) ? 0 : (format.colour & 0xFFFFFF);
}

QString HtmlColour(uint32_t colour)
{
    QString out;
    out.reserve(7);
    AppendHtmlColour(out, colour);
    return out;
}

void RunToHtmlSpan(QString &out, const QString &text, const CCharFormat &format, const CRunLink &link,
                   const CBodyFont &body, const CCorvessaDoc &document)
{
    if (text.isEmpty())
        return;
    const QString anchor = link.isLink ? Anchor(link, document) : QString();
    out += anchor;
    const RunKind kind = Classify(format, body);
    if (kind == RunKind::Heading)
        out += QLatin1String("<span style='font-size:1.2em; font-weight:bold;'>");
    else if (kind == RunKind::Styled)
        AppendStyledSpan(out, format, link.isLink != 0);
    out += CorvEscape::ScriptLiteral(text);
    if (kind != RunKind::Plain)
        out += QLatin1String("</span>");
    // Only an anchor that was opened is closed: a link to a screen that is gone leaves no stray "</a>".
    if (!anchor.isEmpty())
        out += QStringLiteral("</a>");
}
