#include "editor/RichEditMapping.h"

#include <QFont>

#include <algorithm>

namespace {

constexpr int kMarker = 6;

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

bool CRichEditMapping::IsHidden(const CRichText &text, int pos)
{
    // A paragraph end is always shown: the view keeps one block for each paragraph.
    return text.GetText()[pos] != CRichText::kParagraphEnd && text.GetCharFormatAt(pos).Has(CFE_HIDDEN);
}

bool CRichEditMapping::IsMarkerAt(const CRichText &text, int pos, bool opening)
{
    if (pos < 0 || pos + kMarker > text.GetTextLength())
        return false;
    const QString &t = text.GetText();
    if (t[pos] != (opening ? u'[' : u'#') || t[pos + kMarker - 1] != (opening ? u'#' : u']'))
        return false;
    for (int k = 1; k <= 4; ++k)
        if (!IsDigit(t[pos + k]))
            return false;
    for (int k = 0; k < kMarker; ++k)
        if (!text.GetCharFormatAt(pos + k).Has(CFE_HIDDEN))
            return false;
    return true;
}

CRichEditMapping::CRichEditMapping(const CRichText &text) : m_text(text)
{
    const int length = text.GetTextLength();
    m_shownBefore.resize(size_t(length) + 1);
    int shown = 0;
    for (int i = 0; i < length; ++i) {
        m_shownBefore[size_t(i)] = shown;
        if (!IsHidden(text, i))
            ++shown;
    }
    m_shownBefore[size_t(length)] = shown;
}

QString CRichEditMapping::VisibleText() const
{
    QString out;
    out.reserve(VisibleLength());
    const QString &t = m_text.GetText();
    for (int i = 0; i < t.size(); ++i)
        if (!IsHidden(m_text, i))
            out += t[i];
    return out;
}

int CRichEditMapping::ViewFromDoc(int pos) const
{
    return m_shownBefore[size_t(std::clamp(pos, 0, m_text.GetTextLength()))];
}

int CRichEditMapping::DocBeforeHidden(int view) const
{
    view = std::clamp(view, 0, VisibleLength());
    return int(std::lower_bound(m_shownBefore.begin(), m_shownBefore.end(), view) - m_shownBefore.begin());
}

int CRichEditMapping::DocAfterHidden(int view) const
{
    view = std::clamp(view, 0, VisibleLength());
    return int(std::upper_bound(m_shownBefore.begin(), m_shownBefore.end(), view) - m_shownBefore.begin()) - 1;
}

int CRichEditMapping::InsertionPoint(int view) const
{
    const int end = DocAfterHidden(view);
    int pos = DocBeforeHidden(view);
    while (pos + kMarker <= end && IsMarkerAt(m_text, pos, false))
        pos += kMarker;
    return pos;
}

bool CRichEditMapping::IsInsideLink(int pos) const
{
    if (pos <= 0 || pos >= m_text.GetTextLength())
        return false;
    if (IsHidden(m_text, pos - 1) || IsHidden(m_text, pos))
        return false;
    return m_text.GetCharFormatAt(pos - 1).Has(CFE_LINK) && m_text.GetCharFormatAt(pos).Has(CFE_LINK);
}

std::pair<int, int> CRichEditMapping::DocRange(int viewStart, int viewEnd) const
{
    if (viewStart > viewEnd)
        std::swap(viewStart, viewEnd);
    if (viewStart == viewEnd) {
        const int at = InsertionPoint(viewStart);
        return {at, at};
    }
    return {DocBeforeHidden(viewStart), DocAfterHidden(viewEnd)};
}

std::optional<std::pair<int, int>> CRichEditMapping::LinkableRange(int viewStart, int viewEnd) const
{
    if (viewStart > viewEnd)
        std::swap(viewStart, viewEnd);
    const int start = DocAfterHidden(viewStart);
    const int end = DocBeforeHidden(viewEnd);
    if (viewStart == viewEnd || start >= end)
        return std::nullopt;
    for (int i = start; i < end; ++i)
        if (IsHidden(m_text, i))
            return std::nullopt;
    return std::make_pair(start, end);
}

// The position of the marker that pairs with the one at pos (same number, the other kind) inside [from, to);
// -1 when there is none.
int CRichEditMapping::PartnerOf(int pos, bool opening, int from, int to) const
{
    const QString number = m_text.GetText().mid(pos + 1, 4);
    const QString &t = m_text.GetText();
    for (int i = from; i + kMarker <= to; ++i)
        if (IsMarkerAt(m_text, i, !opening) && QStringView(t).mid(i + 1, 4) == number)
            return i;
    return -1;
}

std::vector<std::pair<int, int>> CRichEditMapping::DeletableRanges(int start, int end) const
{
    start = std::clamp(start, 0, m_text.GetTextLength());
    end = std::clamp(end, start, m_text.GetTextLength());
    std::vector<std::pair<int, int>> kept; // markers that stay, in order
    // A marker cut by the start of the range stays whole.
    for (int k = kMarker - 1; k >= 1; --k)
        if (IsMarkerAt(m_text, start - k, true) || IsMarkerAt(m_text, start - k, false))
            kept.emplace_back(start, start - k + kMarker);
    for (int i = kept.empty() ? start : kept.back().second; i < end; ++i) {
        if (!IsHidden(m_text, i))
            continue;
        for (const bool opening : {true, false}) {
            if (!IsMarkerAt(m_text, i, opening))
                continue;
            const bool partnerGoes = opening ? PartnerOf(i, true, i + kMarker, end) >= 0
                                             : PartnerOf(i, false, start, i) >= 0;
            if (!partnerGoes || i + kMarker > end)
                kept.emplace_back(i, i + kMarker);
            i += kMarker - 1;
            break;
        }
    }
    std::vector<std::pair<int, int>> ranges;
    int from = start;
    for (const auto &[a, b] : kept) {
        if (a > from)
            ranges.emplace_back(from, a);
        from = std::max(from, b);
    }
    if (end > from)
        ranges.emplace_back(from, end);
    std::reverse(ranges.begin(), ranges.end());
    return ranges;
}

CCharFormat CRichEditMapping::TypingFormat(int pos, const CCharFormat &current) const
{
    CCharFormat format = current;
    if (format.Has(CFE_HIDDEN)) {
        // Next to a marker: the shown neighbour in the same paragraph lends its format.
        const QString &t = m_text.GetText();
        int from = -1;
        for (int i = pos - 1; i >= 0 && t[i] != CRichText::kParagraphEnd && from < 0; --i)
            if (!IsHidden(m_text, i))
                from = i;
        for (int i = pos; from < 0 && i < m_text.GetTextLength() && t[i] != CRichText::kParagraphEnd; ++i)
            if (!IsHidden(m_text, i))
                from = i;
        const uint32_t mask = format.mask;
        format = from >= 0 ? m_text.GetCharFormatAt(from) : m_text.GetDefaultCharFormat();
        format.mask = mask;
    }
    format.SetEffect(CFE_HIDDEN, false);
    format.SetEffect(CFE_LINK, IsInsideLink(pos));
    return format;
}

namespace RichEditClipboard {

CRichText Fragment(const CRichText &text, int start, int end)
{
    CRichText fragment = text.GetFragment(start, end);
    StripLinks(fragment);
    return fragment;
}

void StripLinks(CRichText &fragment)
{
    for (int i = fragment.GetTextLength() - kMarker; i >= 0; --i) {
        if (CRichEditMapping::IsMarkerAt(fragment, i, true) || CRichEditMapping::IsMarkerAt(fragment, i, false)) {
            fragment.SetSel(i, i + kMarker);
            fragment.Clear();
        }
    }
    CCharFormat noLink;
    noLink.mask = CFM_LINK;
    fragment.SetCharFormat(0, fragment.GetTextLength(), noLink);
    fragment.SetSel(0, 0);
}

QString PlainText(const CRichText &fragment)
{
    QString out;
    const QString &t = fragment.GetText();
    for (int i = 0; i < t.size(); ++i) {
        if (CRichEditMapping::IsHidden(fragment, i))
            continue;
        out += t[i] == CRichText::kParagraphEnd || t[i] == CRichText::kLineBreak ? QChar(u'\n') : t[i];
    }
    return out;
}

} // namespace RichEditClipboard

std::optional<std::pair<QString, int>> UniformFaceAndSize(const CCharFormat &format)
{
    if ((format.mask & CFM_FACE) == 0 || (format.mask & CFM_SIZE) == 0)
        return std::nullopt;
    return std::make_pair(format.face, format.height / 20);
}

CCharFormat FormatFromFontDialog(const QFont &font, uint32_t colour)
{
    CCharFormat change;
    change.mask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    change.face = font.family();
    change.height = std::max(1, int(font.pointSizeF() + 0.5)) * 20;
    change.colour = colour;
    change.SetEffect(CFE_AUTOCOLOR, false);
    change.SetEffect(CFE_BOLD, font.bold());
    change.SetEffect(CFE_ITALIC, font.italic());
    change.SetEffect(CFE_UNDERLINE, font.underline());
    change.SetEffect(CFE_STRIKEOUT, font.strikeOut());
    return change;
}

QFont FontForDialog(const CCharFormat &format)
{
    QFont font(format.face.isEmpty() ? QStringLiteral("Arial") : format.face);
    font.setPointSize(std::max(1, format.height / 20));
    font.setBold(format.Has(CFE_BOLD));
    font.setItalic(format.Has(CFE_ITALIC));
    font.setUnderline(format.Has(CFE_UNDERLINE));
    font.setStrikeOut(format.Has(CFE_STRIKEOUT));
    return font;
}

QString GreyedThumbnailText(const QString &joinedLines)
{
    QString out = joinedLines;
    for (qsizetype i = 1; i < out.size(); i += 2)
        out[i] = u' ';
    return out;
}
