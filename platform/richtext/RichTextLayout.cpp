#include "platform/richtext/RichTextLayout.h"

#include "platform/richtext/FontFallback.h"

#include "platform/richtext/RichText.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>

#include <algorithm>
#include <map>

namespace {

constexpr double kNoWrapWidth = 1.0e7;
constexpr double kDefaultTabTwips = 720; // the rich-edit control's tab stops: every half inch

// Ascent and descent of one character format in pixels, its raise included.
struct Extent
{
    double ascent = 0;
    double descent = 0;
};

class ExtentCache
{
public:
    explicit ExtentCache(const std::vector<CCharFormat> &formats) : m_formats(formats) {}

    Extent For(int formatIndex)
    {
        auto it = m_extents.find(formatIndex);
        if (it != m_extents.end())
            return it->second;
        const CCharFormat &f = m_formats[size_t(formatIndex)];
        return m_extents[formatIndex] = Measure(f);
    }

    static Extent Measure(const CCharFormat &f)
    {
        const QFontMetricsF metrics(CRichTextLayout::FontFor(f), CRichTextLayout::Device());
        const double raise = f.offset / CRichTextLayout::kTwipsPerPixel;
        return {metrics.ascent() + std::max(raise, 0.0), metrics.descent() + std::max(-raise, 0.0)};
    }

private:
    const std::vector<CCharFormat> &m_formats;
    std::map<int, Extent> m_extents;
};

} // namespace

QPaintDevice *CRichTextLayout::Device()
{
    // 96 dots per inch: 3780 dots per metre is what QImage reports back as 96.
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

QFont CRichTextLayout::FontFor(const CCharFormat &format)
{
    QFont font;
    FontFallback::Apply(font, format.face);
    font.setPointSizeF(std::max(1, format.height) / 20.0);
    font.setBold(format.Has(CFE_BOLD));
    font.setItalic(format.Has(CFE_ITALIC));
    font.setUnderline(format.Has(CFE_UNDERLINE));
    font.setStrikeOut(format.Has(CFE_STRIKEOUT));
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFont(font, Device());
}

CRichTextLayout::CRichTextLayout(const CRichText &text, int width)
{
    double top = 0;
    for (int p = 0; p < text.GetParagraphCount(); ++p)
        LayParagraph(text, p, width, top);
}

void CRichTextLayout::LayParagraph(const CRichText &text, int paragraph, int width, double &top)
{
    const int start = text.ParagraphStart(paragraph);
    const int end = text.ParagraphEnd(paragraph);
    const int next = end < text.GetTextLength() ? end + 1 : end;
    const CParaFormat &para = text.m_paras[size_t(paragraph)];
    ExtentCache extents(text.m_formats);

    // The visible characters and where each stands in the document; hidden ones take no room.
    QString visible;
    std::vector<int> positions;
    QList<QTextLayout::FormatRange> ranges;
    for (int i = start; i < end; ++i) {
        const int index = text.m_charFormats[size_t(i)];
        const CCharFormat &f = text.m_formats[size_t(index)];
        if (f.Has(CFE_HIDDEN))
            continue;
        const QChar c = text.m_text[i];
        visible += c == CRichText::kLineBreak ? QChar(QChar::LineSeparator) : c;
        positions.push_back(i);
        if (!ranges.isEmpty() && ranges.back().start + ranges.back().length == visible.size() - 1 &&
            text.m_charFormats[size_t(positions[size_t(ranges.back().start)])] == index) {
            ++ranges.back().length;
        } else {
            QTextLayout::FormatRange range;
            range.start = int(visible.size()) - 1;
            range.length = 1;
            range.format.setFont(FontFor(f));
            ranges.push_back(range);
        }
    }

    // The empty line's height is that of its paragraph end, or of the text's insertion format.
    auto emptyExtent = [&] {
        if (end < text.GetTextLength())
            return extents.For(text.m_charFormats[size_t(end)]);
        if (end > 0)
            return extents.For(text.m_charFormats[size_t(end) - 1]);
        return ExtentCache::Measure(text.GetCharFormat(0, 0));
    };

    if (visible.isEmpty()) {
        const Extent e = emptyExtent();
        m_lines.push_back({start, end, next, paragraph, top, e.ascent + e.descent});
        top += e.ascent + e.descent;
        return;
    }

    const double numberRoom = para.numbering != 0 ? QFontMetricsF(ranges.front().format.font(), Device())
                                                        .horizontalAdvance(QStringLiteral("\u2022 "))
                                                  : 0.0;
    const double firstIndent = para.startIndent / kTwipsPerPixel + numberRoom +
                               (para.numbering != 0 ? std::max(para.offset, 0) / kTwipsPerPixel : 0.0);
    const double restIndent = (para.startIndent + para.offset) / kTwipsPerPixel + numberRoom;

    QTextLayout layout(visible, ranges.front().format.font(), Device());
    layout.setFormats(ranges);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(kDefaultTabTwips / kTwipsPerPixel);
    layout.setTextOption(option);
    layout.beginLayout();
    int lineStart = start;
    for (bool first = true;; first = false) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        const double indent = std::max(0.0, first ? firstIndent : restIndent);
        line.setLineWidth(width > 0 ? std::max(1.0, width - indent) : kNoWrapWidth);
        const int from = line.textStart();
        const int to = from + line.textLength();
        Extent e;
        for (int v = from; v < to; ++v) {
            const Extent c = extents.For(text.m_charFormats[size_t(positions[size_t(v)])]);
            e.ascent = std::max(e.ascent, c.ascent);
            e.descent = std::max(e.descent, c.descent);
        }
        const bool last = to >= visible.size();
        const int lineEnd = last ? end : positions[size_t(to) - 1] + 1;
        m_lines.push_back({lineStart, lineEnd, last ? next : lineEnd, paragraph, top, e.ascent + e.descent});
        top += e.ascent + e.descent;
        lineStart = lineEnd;
    }
    layout.endLayout();
}

int CRichTextLayout::LineFromChar(int pos) const
{
    if (m_lines.empty())
        return 0;
    auto it = std::upper_bound(m_lines.begin(), m_lines.end(), pos,
                               [](int p, const CRichTextLine &line) { return p < line.start; });
    return std::max(0, int(it - m_lines.begin()) - 1);
}

double CRichTextLayout::GetHeight() const
{
    return m_lines.empty() ? 0.0 : m_lines.back().top + m_lines.back().height;
}

int CRichTextLayout::CountHiddenLines(int height) const
{
    const int count = GetLineCount();
    if (count <= 1)
        return 0;
    const double bottom = GetHeight();
    int first = 0;
    while (first < count - 1 && bottom - m_lines[size_t(first)].top > height + 1e-6)
        ++first;
    return first;
}
