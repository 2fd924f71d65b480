#include "publish/RunToHtmlSpan.h"

#include "platform/richtext/FontFallback.h"

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

QString Decoration(const CCharFormat &format)
{
    const bool underline = format.Has(CFE_UNDERLINE);
    const bool strikeout = format.Has(CFE_STRIKEOUT);
    if (underline && strikeout)
        return QStringLiteral("text-decoration:line-through underline;");
    if (underline)
        return QStringLiteral("text-decoration:underline;");
    if (strikeout)
        return QStringLiteral("text-decoration:line-through;");
    return QString();
}

QString StyledSpan(const CCharFormat &format, bool inLink)
{
    QString span = QStringLiteral("<span style='font-size: %1pt; font-family:%2; ")
                       .arg(QString::number(format.height / 20), CPlaceholderTemplate::AttributeValue(FontFallback::CssFamilies(format.face)));
    // Inside a link the link style of the course gives the colour.
    if (!inLink)
        span += QStringLiteral("color: %1; ").arg(HtmlColour(ShownColour(format)));
    if (format.Has(CFE_BOLD))
        span += QStringLiteral("font-weight:bold; ");
    if (format.Has(CFE_ITALIC))
        span += QStringLiteral("font-style:italic; ");
    if (format.offset > 0)
        span += QStringLiteral("vertical-align:super; ");
    else if (format.offset < 0)
        span += QStringLiteral("vertical-align:sub; ");
    return span + Decoration(format) + QStringLiteral("'>");
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

QString HtmlColour(uint32_t colour) { return u'#' + CPlaceholderTemplate::ColourHex(colour); }

void RunToHtmlSpan(QString &out, const QString &text, const CCharFormat &format, const CRunLink &link,
                   const CBodyFont &body, const CCorvessaDoc &document)
{
    if (text.isEmpty())
        return;
    const QString anchor = Anchor(link, document);
    out += anchor;
    const RunKind kind = Classify(format, body);
    if (kind == RunKind::Heading)
        out += QStringLiteral("<span style='font-size:1.2em; font-weight:bold;'>");
    else if (kind == RunKind::Styled)
        out += StyledSpan(format, link.isLink != 0);
    out += CorvEscape::ScriptLiteral(text);
    if (kind != RunKind::Plain)
        out += QStringLiteral("</span>");
    // Only an anchor that was opened is closed: a link to a screen that is gone leaves no stray "</a>".
    if (!anchor.isEmpty())
        out += QStringLiteral("</a>");
}
