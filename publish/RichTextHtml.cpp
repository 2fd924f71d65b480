#include "publish/RichTextHtml.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/RichTextLinks.h"
#include "platform/Escape.h"
#include "publish/PublishContext.h"
#include "publish/TableCellSizes.h"

namespace {

const QString kBreak = QStringLiteral("<br>");

// The alignment word of a paragraph alignment; null for a value that keeps the word before.
const char *AlignmentWord(int alignment)
{
    switch (alignment) {
    case PFA_LEFT: return "left";
    case PFA_CENTER: return "center";
    case PFA_RIGHT: return "right";
    case PFA_JUSTIFY: return "justify";
    default: return nullptr;
    }
}

constexpr uint32_t kRunEffects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_LINK | CFE_HIDDEN;

// Whether two characters belong to one run: the same effects, size, raise, colour and face.
bool SameRun(const CCharFormat &a, const CCharFormat &b)
{
    // Characters of one stored format (most of a text) need no comparing.
    if (&a == &b)
        return true;
    return (a.effects & kRunEffects) == (b.effects & kRunEffects) && a.height == b.height && a.offset == b.offset &&
           ShownColour(a) == ShownColour(b) && a.face == b.face;
}

// The link number of a link marker, "[nnnn#" opening and "#nnnn]" closing; -1 when the six characters are
// no marker.
int MarkerNumber(QStringView marker, bool &opening)
{
    if (marker.size() != CRichTextLinks::kMarkerLength)
        return -1;
    opening = marker.front() == u'[' && marker.back() == u'#';
    const bool closing = marker.front() == u'#' && marker.back() == u']';
    if (!opening && !closing)
        return -1;
    int number = 0;
    for (const QChar c : marker.mid(1, 4)) {
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

} // namespace

// Writes one text, line after line, keeping the paragraph, list and link state between lines.
class CRichTextHtml::Writer
{
public:
    Writer(const CRichTextHtml &owner, const CRichTextLinks &content, Mode mode)
        : m_owner(owner), m_document(owner.m_context.GetDocument()), m_content(content),
          m_text(content.GetRichText()), m_mode(mode)
    {
    }

    QString Write()
    {
        const QString &text = m_text.GetText();
        const int length = int(text.size());
        m_out.reserve(2 * length + 128);
        int start = 0;
        for (;;) {
            int end = start;
            while (end < length && text[end] != CRichText::kParagraphEnd && text[end] != CRichText::kLineBreak)
                ++end;
            if (end == length) {
                WriteLine(start, end);
                break;
            }
            WriteLine(start, end + 1);
            start = end + 1;
        }
        CloseParagraph();
        CloseList();
        return m_out;
    }

private:
    const CCharFormat &Format(int pos) const { return m_text.GetCharFormatAt(pos); }

    void WriteLine(int start, int end)
    {
        const CParaFormat &para = m_text.GetParaFormatAt(start);
        if (const char *word = AlignmentWord(para.alignment))
            m_alignWord = QLatin1String(word);
        const int indent = para.startIndent;
        if (para.numbering == PFN_BULLET || para.numbering == PFN_ARABIC) {
            WriteListLine(start, end, para);
        } else {
            const bool listEnded = CloseList();
            // After a list the text goes on in a paragraph of its own.
            if (m_firstLine || listEnded || m_alignWord != m_lineAlignWord || indent != m_lineIndent) {
                CloseParagraph();
                m_pendingTag = ParagraphTag(indent);
            }
            WriteRuns(start, end, false);
        }
        m_lineAlignWord = m_alignWord;
        m_lineIndent = indent;
        m_firstLine = false;
    }

    void WriteListLine(int start, int end, const CParaFormat &para)
    {
        OpenList(para.numbering);
        // A paragraph of the "no number" style goes on in the item before it.
        const bool ownItem = para.numberingStyle != PFNS_NONUMBER;
        const int paragraph = m_text.ParagraphFromChar(start);
        if (ownItem && start == m_text.ParagraphStart(paragraph)) {
            m_out += ItemTag(start, para);
            m_itemOpen = true;
        }
        // An empty item line shows its break alone, without the format of the break.
        if (VisibleText(start, end) == QString(CRichText::kParagraphEnd)) {
            ReadMarkers(start, end);
            m_out += kBreak;
        } else {
            WriteRuns(start, end, true);
        }
        const bool endsParagraph = end > start && m_text.GetText()[end - 1] == CRichText::kParagraphEnd;
        if (endsParagraph && ownItem && m_itemOpen) {
            m_out += QStringLiteral("</li>");
            m_itemOpen = false;
        }
    }

    // Runs of one line: cut where the format changes and around hidden text.
    void WriteRuns(int start, int end, bool listLine)
    {
        int runStart = start;
        // Characters of one stored format (most of a text) need no second look.
        const CCharFormat *runFormat = &Format(start);
        for (int i = start; i < end;) {
            const CCharFormat &format = Format(i);
            if (&format == runFormat && i > runStart) {
                ++i;
                continue;
            }
            if (format.Has(CFE_HIDDEN)) {
                WriteRun(runStart, i, listLine);
                int hiddenEnd = i;
                while (hiddenEnd < end && Format(hiddenEnd).Has(CFE_HIDDEN))
                    ++hiddenEnd;
                ReadMarkers(i, hiddenEnd);
                i = runStart = hiddenEnd;
                runFormat = &Format(runStart);
                continue;
            }
            if (i > runStart && !SameRun(Format(runStart), format)) {
                WriteRun(runStart, i, listLine);
                runStart = i;
            }
            runFormat = &format;
            ++i;
        }
        WriteRun(runStart, end, listLine);
    }

    void WriteRun(int start, int end, bool listLine)
    {
        if (start >= end)
            return;
        QString html = CorvEscape::HtmlText(m_text.GetTextRange(start, end));
        m_owner.m_context.ApplyTextSubstitutions(html);
        html.replace(CRichText::kParagraphEnd, kBreak);
        html.replace(CRichText::kLineBreak, kBreak);
        if (html.isEmpty())
            return;
        if (!listLine && !m_pendingTag.isEmpty()) {
            m_out += m_pendingTag;
            m_pendingTag.clear();
            m_paragraphOpen = true;
        }
        RunToHtmlSpan(m_out, html, Format(start), CurrentLink(), m_owner.m_body, m_document);
    }

    // Hidden text is never written; its link markers open and close the links of the text between them.
    void ReadMarkers(int start, int end)
    {
        const QString hidden = m_text.GetTextRange(start, end);
        const int length = CRichTextLinks::kMarkerLength;
        for (int k = 0; k + length <= hidden.size();) {
            bool opening = false;
            const int number = MarkerNumber(QStringView(hidden).mid(k, length), opening);
            if (number < 0) {
                ++k;
                continue;
            }
            m_linkNumber = opening ? number : -1;
            k += length;
        }
    }

    // The link the text stands in; none outside markers or for a number without a record.
    CRunLink CurrentLink() const
    {
        CRunLink link;
        const int n = m_linkNumber;
        if (n < 0 || !m_content.FindLink(n))
            return link;
        link.isLink = 1;
        link.isScreenLink = m_content.IsScreenLink(n);
        link.isScript = m_content.IsScriptLink(n);
        link.isPopup = m_content.IsPopupLink(n);
        link.target = m_content.GetLinkTarget(n, &m_document);
        link.popupHeight = m_content.GetLinkPopupHeight(n);
        link.popupWidth = m_content.GetLinkPopupWidth(n);
        return link;
    }

    QString VisibleText(int start, int end) const
    {
        QString visible;
        for (int i = start; i < end; ++i)
            if (!Format(i).Has(CFE_HIDDEN))
                visible += m_text.GetText()[i];
        return visible;
    }

    QString ParagraphTag(int indent) const
    {
        QString tag = QStringLiteral("<p style='text-align:");
        tag += m_alignWord;
        if (m_mode == Mode::Cell && indent < 1) {
            tag += QLatin1String(";'>");
            return tag;
        }
        tag += QLatin1String("; margin-left:");
        tag += QString::number(indent / 20);
        tag += QLatin1String("px;'>");
        return tag;
    }

    QString ItemTag(int lineStart, const CParaFormat &para) const
    {
        const QString lead = m_mode == Mode::Textbox ? QStringLiteral("    ") : QString();
        const QString colour = HtmlColour(ShownColour(Format(lineStart)));
        const int indent = para.startIndent;
        if (para.numbering == PFN_BULLET) {
            const int margin = indent / 20 + (m_owner.m_context.Settings().LeftAlignBulletedLists ? 18 : 0);
            return lead + QStringLiteral("<li style='color:%1; text-align:%2; margin-left:%3px;'>")
                              .arg(colour, m_alignWord)
                              .arg(margin);
        }
        const double margin = indent / 225.0 + (m_owner.m_context.Settings().LeftAlignNumberedLists ? 1.6 : 0.0);
        return lead + QStringLiteral("<li style='color:%1; text-align:%2; margin-left:%3em;'>")
                          .arg(colour, m_alignWord, QString::number(margin, 'f', 1));
    }

    void OpenList(int kind)
    {
        if (m_listKind == kind)
            return;
        // A list of the other kind right after a list closes that one first.
        if (!CloseList()) {
            CloseParagraph();
            m_pendingTag.clear();
        }
        m_out += kind == PFN_BULLET ? QStringLiteral("<ul>") : QStringLiteral("<ol>");
        m_listKind = kind;
    }

    // True when a list was open.
    bool CloseList()
    {
        if (m_listKind == 0)
            return false;
        if (m_itemOpen)
            m_out += QStringLiteral("</li>");
        m_itemOpen = false;
        m_out += m_listKind == PFN_BULLET ? QStringLiteral("</ul>") : QStringLiteral("</ol>");
        m_listKind = 0;
        return true;
    }

    void CloseParagraph()
    {
        if (m_paragraphOpen)
            m_out += QStringLiteral("</p>");
        m_paragraphOpen = false;
    }

    const CRichTextHtml &m_owner;
    const CCorvessaDoc &m_document;
    const CRichTextLinks &m_content;
    const CRichText &m_text;
    const Mode m_mode;

    QString m_out;
    QString m_alignWord = QStringLiteral("left");
    // Alignment and indent of the line before.
    QString m_lineAlignWord;
    int m_lineIndent = 0;
    bool m_firstLine = true;
    // The start tag of the paragraph that opens with its first text.
    QString m_pendingTag;
    bool m_paragraphOpen = false;
    int m_listKind = 0; // 0, or the numbering of the open list
    bool m_itemOpen = false;
    int m_linkNumber = -1;
};

CRichTextHtml::CRichTextHtml(const CPublishContext &context)
    : m_context(context), m_body(CBodyFont::FromDocument(context.GetDocument()))
{
}

QString CRichTextHtml::TextToHtml(const CRichTextLinks &content, Mode mode) const
{
    return Writer(*this, content, mode).Write();
}

QString CRichTextHtml::TextboxToHtml(const CComponentTextbox &textbox) const
{
    const CRect &bounds = textbox.GetBounds();
    QString out;
    out.reserve(512);
    out += QLatin1String("\"<div style='position:absolute; left:");
    out += QString::number(bounds.left);
    out += QLatin1String("px; top:");
    out += QString::number(bounds.top);
    out += QLatin1String("px; width:");
    out += QString::number(bounds.Width());
    out += QLatin1String("px; height:");
    out += QString::number(bounds.Height());
    out += QLatin1String("px; overflow:auto;");
    const bool rightToLeft = textbox.GetRightToLeft() != 0;
    if (rightToLeft != (m_context.Settings().RightToLeft != 0))
        out += QStringLiteral(" direction:%1; unicode-bidi:embed;").arg(rightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr"));
    out += QLatin1String("'>");
    out += TextToHtml(textbox.GetContent(), Mode::Textbox);
    out += QLatin1String("</div>\"");
    return out;
}

QString CRichTextHtml::TableToHtml(const CComponentTable &table, int number) const
{
    const auto &cells = table.GetCellList();
    if (cells.empty())
        return QString();
    // The summary reads back as the author typed it: its quotes become entities of the attribute.
    const QString summary = CorvEscape::ScriptLiteral(CorvEscape::HtmlAttribute(table.GetSummary()));
    // The table keeps the size the author gave it: a box of its bounds holds it, and a text longer than its
    // cells scrolls there instead of growing the table over what lies below it.
    const CRect &bounds = table.GetBounds();
    QString out = QStringLiteral("\"<div class='kvxTableBox' style='position:absolute; left:%1px; top:%2px; width:%3px; "
                                 "height:%4px; overflow:auto;'>")
                      .arg(bounds.left)
                      .arg(bounds.top)
                      .arg(bounds.Width())
                      .arg(bounds.Height());
    out += QStringLiteral("<table class='table%1' style='left:0px; top:0px;' summary='").arg(number) + summary + u'\'';
    if (table.GetOldStyleBorders())
        out += QStringLiteral(" border='1'");
    out += u'>';

    const std::vector<QSize> sizes = TableCellSizes(table);
    const int kind = table.GetHeaderKind();
    const int columns = table.GetColumnCount();
    for (int i = 0; i < table.GetRowCount(); ++i) {
        out += QLatin1String("<tr>");
        for (int j = 0; j < columns; ++j) {
            const size_t cell = size_t(i) * size_t(columns) + size_t(j);
            const QSize size = cell < sizes.size() ? sizes[cell] : QSize(0, 0);
            const bool rowHeader = (kind == CComponentTable::headerLeft || kind == CComponentTable::headerBoth) && j == 0;
            const bool columnHeader =
                !rowHeader && (kind == CComponentTable::headerTop || kind == CComponentTable::headerBoth) && i == 0;
            if (rowHeader || columnHeader) {
                out += rowHeader ? QLatin1String("<th scope='row'") : QLatin1String("<th scope='col'");
                out += QLatin1String(" style='box-sizing:border-box; width:");
            } else {
                out += QLatin1String("<td style='box-sizing:border-box; width:");
            }
            out += QString::number(size.width());
            out += QLatin1String("px; height:");
            out += QString::number(size.height());
            out += rowHeader || columnHeader ? QLatin1String("px; vertical-align: top;'>")
                                             : QLatin1String("px; vertical-align: top; '>");
            // A cell list shorter than the grid gives empty cells, never a read past its end.
            if (cell < cells.size())
                out += TextToHtml(cells[cell], Mode::Cell);
            out += rowHeader || columnHeader ? QLatin1String("</th>") : QLatin1String("</td>");
        }
        out += QLatin1String("</tr>");
    }
    return out + QStringLiteral("</table></div>\"");
}
