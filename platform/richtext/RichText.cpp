#include "platform/richtext/RichText.h"

#include "platform/richtext/RichTextLayout.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <QPainter>

#include <algorithm>

namespace {

// The strings that end a sentence, in the order they are tried: the first that occurs before the hidden
// part at all decides, and the overflow starts just after its last occurrence. A closing quotation after
// a period stays with its sentence; a period wins over a line break; a question mark or semicolon counts
// only where neither precedes the hidden part.
const QString kSentenceEnds[] = {
    QStringLiteral(".\u201D"), QStringLiteral(".\""), QStringLiteral("."),
    QStringLiteral("\n"),      QStringLiteral("?"),   QStringLiteral(";"),
};

QString NormaliseLineEnds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    text.replace(u'\n', u'\r');
    return text;
}

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

CCharFormat InitialDefaultFormat()
{
    CCharFormat f;
    f.mask = CFM_ALL;
    f.effects = CFE_AUTOCOLOR;
    f.height = 200;
    f.face = QStringLiteral("Arial");
    return f;
}

} // namespace

CRichText::CRichText() : m_defaultFormat(InitialDefaultFormat()) { m_paras.emplace_back(); }

CRichText::CRichText(const CRichText &other)
    : m_text(other.m_text), m_charFormats(other.m_charFormats), m_formats(other.m_formats),
      m_formatIndex(other.m_formatIndex), m_paras(other.m_paras), m_defaultFormat(other.m_defaultFormat),
      m_insertFormat(other.m_insertFormat), m_selStart(other.m_selStart), m_selEnd(other.m_selEnd),
      m_rightToLeft(other.m_rightToLeft), m_width(other.m_width), m_height(other.m_height),
      m_firstVisibleLine(other.m_firstVisibleLine), m_rtfSource(other.m_rtfSource)
{
}

CRichText &CRichText::operator=(const CRichText &other)
{
    if (this != &other) {
        CRichText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CRichText::CRichText(CRichText &&other) noexcept = default;
CRichText &CRichText::operator=(CRichText &&other) noexcept = default;
CRichText::~CRichText() = default;

// ---------------------------------------------------------------------------------------------------------
// Storage

int CRichText::InternFormat(const CCharFormat &format)
{
    CCharFormat f = format;
    f.mask = CFM_ALL;
    if (f.Has(CFE_AUTOCOLOR))
        f.colour = 0;
    auto key = std::make_tuple(f.effects, f.height, f.offset, f.colour, f.face);
    auto it = m_formatIndex.find(key);
    if (it != m_formatIndex.end())
        return it->second;
    m_formats.push_back(f);
    const int index = int(m_formats.size()) - 1;
    m_formatIndex.emplace(std::move(key), index);
    return index;
}

// Drops formats no character uses any more, so that long editing does not grow the table without end.
void CRichText::CompactFormats()
{
    if (m_formats.size() < 512 || m_formats.size() < 2 * size_t(m_text.size()))
        return;
    std::vector<CCharFormat> old;
    old.swap(m_formats);
    m_formatIndex.clear();
    m_charFormats = InternFormats(old, m_charFormats.begin(), m_charFormats.end());
}

std::vector<int> CRichText::InternFormats(const std::vector<CCharFormat> &formats,
                                          std::vector<int>::const_iterator first,
                                          std::vector<int>::const_iterator last)
{
    std::vector<int> out;
    out.reserve(size_t(last - first));
    std::vector<int> remap(formats.size(), -1);
    for (; first != last; ++first) {
        int &to = remap[size_t(*first)];
        if (to < 0)
            to = InternFormat(formats[size_t(*first)]);
        out.push_back(to);
    }
    return out;
}

void CRichText::RebuildParagraphStarts() const
{
    if (!m_paraStarts.empty())
        return;
    m_paraStarts.reserve(m_paras.size());
    m_paraStarts.push_back(0);
    for (int i = 0; i < m_text.size(); ++i)
        if (m_text[i] == kParagraphEnd)
            m_paraStarts.push_back(i + 1);
}

int CRichText::ParagraphFromChar(int pos) const
{
    RebuildParagraphStarts();
    pos = std::clamp(pos, 0, GetTextLength());
    auto it = std::upper_bound(m_paraStarts.begin(), m_paraStarts.end(), pos);
    return int(it - m_paraStarts.begin()) - 1;
}

int CRichText::ParagraphStart(int paragraph) const
{
    RebuildParagraphStarts();
    if (paragraph < 0 || paragraph >= int(m_paraStarts.size()))
        return -1;
    return m_paraStarts[size_t(paragraph)];
}

int CRichText::ParagraphEnd(int paragraph) const
{
    RebuildParagraphStarts();
    if (paragraph < 0 || paragraph >= int(m_paraStarts.size()))
        return -1;
    if (paragraph + 1 < int(m_paraStarts.size()))
        return m_paraStarts[size_t(paragraph) + 1] - 1;
    return GetTextLength();
}

void CRichText::ContentChanged()
{
    m_rtfSource.clear();
    m_layout.reset();
    m_paraStarts.clear();
}

CCharFormat CRichText::InsertionFormat(int pos) const
{
    if (m_insertFormat)
        return *m_insertFormat;
    const int length = GetTextLength();
    if (length == 0)
        return m_defaultFormat;
    // Text typed at the start of a paragraph takes the format of what follows it; elsewhere the format
    // of the character before it.
    if (pos > 0 && m_text[pos - 1] != kParagraphEnd)
        return m_formats[size_t(m_charFormats[size_t(pos) - 1])];
    if (pos < length)
        return m_formats[size_t(m_charFormats[size_t(pos)])];
    return m_formats[size_t(m_charFormats[size_t(pos) - 1])];
}

// Inserts characters at pos. Each paragraph end among them closes a paragraph that takes the matching
// format of fragmentParas (or, for plain text, the format of the paragraph it splits); the text after the
// last one joins the rest of the split paragraph, which keeps its format.
void CRichText::InsertAt(int pos, const QString &text, const std::vector<int> &formats,
                         const std::vector<CParaFormat> &fragmentParas)
{
    if (text.isEmpty())
        return;
    const int paragraph = ParagraphFromChar(pos);
    const CParaFormat split = m_paras[size_t(paragraph)];
    const int ends = int(text.count(kParagraphEnd));
    std::vector<CParaFormat> added;
    added.reserve(size_t(ends));
    for (int i = 0; i < ends; ++i)
        added.push_back(i < int(fragmentParas.size()) ? fragmentParas[size_t(i)] : split);
    if (ends > 0) {
        m_paras[size_t(paragraph)] = added.front();
        std::vector<CParaFormat> rest(added.begin() + 1, added.end());
        rest.push_back(split);
        m_paras.insert(m_paras.begin() + paragraph + 1, rest.begin(), rest.end());
    }
    m_text.insert(pos, text);
    m_charFormats.insert(m_charFormats.begin() + pos, formats.begin(), formats.end());
    ContentChanged();
}

// Deletes [start, end). When whole paragraphs go, the paragraph that remains keeps the format of the one
// whose text survives at the join: the first one's, unless the deletion began at its start.
void CRichText::DeleteRange(int start, int end)
{
    start = std::clamp(start, 0, GetTextLength());
    end = std::clamp(end, start, GetTextLength());
    if (start == end)
        return;
    const int first = ParagraphFromChar(start);
    const int last = ParagraphFromChar(end);
    if (last > first) {
        const CParaFormat kept = start == ParagraphStart(first) ? m_paras[size_t(last)] : m_paras[size_t(first)];
        m_paras.erase(m_paras.begin() + first + 1, m_paras.begin() + last + 1);
        m_paras[size_t(first)] = kept;
    }
    m_text.remove(start, end - start);
    m_charFormats.erase(m_charFormats.begin() + start, m_charFormats.begin() + end);
    ContentChanged();
    CompactFormats();
}

void CRichText::InsertEach(const std::vector<Insertion> &insertions, const CCharFormat &change)
{
    if (insertions.empty())
        return;
    // Each text's format is the one it would take if it went in alone: the texts go between characters
    // that are all still there, as the positions rise strictly.
    std::vector<int> formats;
    formats.reserve(insertions.size());
    qsizetype added = 0;
    for (const Insertion &insertion : insertions) {
        CCharFormat f = InsertionFormat(std::clamp(insertion.at, 0, GetTextLength()));
        f.Apply(change);
        formats.push_back(InternFormat(f));
        added += insertion.text.size();
    }
    QString text;
    text.reserve(m_text.size() + added);
    std::vector<int> charFormats;
    charFormats.reserve(m_charFormats.size() + size_t(added));
    int from = 0;
    for (size_t i = 0; i < insertions.size(); ++i) {
        const int at = std::clamp(insertions[i].at, from, GetTextLength());
        text.append(QStringView(m_text).mid(from, at - from));
        charFormats.insert(charFormats.end(), m_charFormats.begin() + from, m_charFormats.begin() + at);
        text.append(insertions[i].text);
        charFormats.insert(charFormats.end(), size_t(insertions[i].text.size()), formats[i]);
        from = at;
    }
    text.append(QStringView(m_text).mid(from));
    charFormats.insert(charFormats.end(), m_charFormats.begin() + from, m_charFormats.end());
    m_text = std::move(text);
    m_charFormats = std::move(charFormats);
    m_insertFormat.reset();
    m_selStart = m_selEnd = 0;
    ContentChanged();
}

void CRichText::AppendRaw(QStringView text, const CCharFormat &format)
{
    if (text.isEmpty())
        return;
    const int index = InternFormat(format);
    const int ends = int(text.count(kParagraphEnd));
    for (int i = 0; i < ends; ++i)
        m_paras.push_back(m_paras.back());
    m_text.append(text);
    m_charFormats.insert(m_charFormats.end(), size_t(text.size()), index);
    ContentChanged();
}

void CRichText::SetParagraphFormatRaw(int paragraph, const CParaFormat &format)
{
    if (paragraph < 0 || paragraph >= int(m_paras.size()))
        return;
    m_paras[size_t(paragraph)] = format;
    m_paras[size_t(paragraph)].mask = 0;
    m_layout.reset();
}

// ---------------------------------------------------------------------------------------------------------
// Text, selection, replacing

QString CRichText::GetTextRange(int start, int end) const
{
    start = std::clamp(start, 0, GetTextLength());
    end = end < 0 ? GetTextLength() : std::clamp(end, start, GetTextLength());
    return m_text.mid(start, end - start);
}

void CRichText::ClampSelection()
{
    m_selStart = std::clamp(m_selStart, 0, GetTextLength());
    m_selEnd = std::clamp(m_selEnd, m_selStart, GetTextLength());
}

void CRichText::SetSel(int start, int end)
{
    m_insertFormat.reset();
    if (start < 0) {
        m_selStart = m_selEnd;
        ClampSelection();
        m_selStart = m_selEnd;
        return;
    }
    if (end < 0)
        end = GetTextLength();
    if (start > end)
        std::swap(start, end);
    m_selStart = start;
    m_selEnd = end;
    ClampSelection();
}

void CRichText::GetSel(int &start, int &end) const
{
    start = m_selStart;
    end = m_selEnd;
}

QString CRichText::GetSelText() const { return GetTextRange(m_selStart, m_selEnd); }

void CRichText::ReplaceSel(const QString &text)
{
    ClampSelection();
    const QString normalised = NormaliseLineEnds(text);
    const CCharFormat format =
        m_selStart < m_selEnd ? m_formats[size_t(m_charFormats[size_t(m_selStart)])] : InsertionFormat(m_selStart);
    const int index = InternFormat(format);
    const int start = m_selStart;
    DeleteRange(m_selStart, m_selEnd);
    InsertAt(start, normalised, std::vector<int>(size_t(normalised.size()), index), {});
    m_insertFormat.reset();
    m_selStart = m_selEnd = start + int(normalised.size());
}

void CRichText::ReplaceSel(const CRichText &fragment)
{
    if (&fragment == this) {
        // Inserting the document into itself: the deletion below would change the text being inserted.
        const CRichText copy(fragment);
        ReplaceSel(copy);
        return;
    }
    ClampSelection();
    const std::vector<int> formats =
        InternFormats(fragment.m_formats, fragment.m_charFormats.begin(), fragment.m_charFormats.end());
    const int start = m_selStart;
    DeleteRange(m_selStart, m_selEnd);
    InsertAt(start, fragment.m_text, formats, fragment.m_paras);
    m_insertFormat.reset();
    m_selStart = m_selEnd = start + fragment.GetTextLength();
}

void CRichText::Clear()
{
    ClampSelection();
    DeleteRange(m_selStart, m_selEnd);
    m_insertFormat.reset();
    m_selEnd = m_selStart;
}

CRichText CRichText::GetFragment(int start, int end) const
{
    start = std::clamp(start, 0, GetTextLength());
    end = end < 0 ? GetTextLength() : std::clamp(end, start, GetTextLength());
    CRichText fragment;
    fragment.m_defaultFormat = m_defaultFormat;
    if (start == end) {
        fragment.m_paras.front() = m_paras[size_t(ParagraphFromChar(start))];
        return fragment;
    }
    fragment.m_text = m_text.mid(start, end - start);
    fragment.m_charFormats =
        fragment.InternFormats(m_formats, m_charFormats.begin() + start, m_charFormats.begin() + end);
    const int first = ParagraphFromChar(start);
    fragment.m_paras.assign(m_paras.begin() + first,
                            m_paras.begin() + first + fragment.m_text.count(kParagraphEnd) + 1);
    fragment.m_selEnd = fragment.GetTextLength();
    return fragment;
}

CRichText CRichText::Copy() const { return GetFragment(m_selStart, m_selEnd); }

CRichText CRichText::Cut()
{
    CRichText fragment = Copy();
    Clear();
    return fragment;
}

// ---------------------------------------------------------------------------------------------------------
// Formats

const CCharFormat &CRichText::GetCharFormatAt(int pos) const
{
    if (pos < 0 || pos >= GetTextLength())
        return m_defaultFormat;
    return m_formats[size_t(m_charFormats[size_t(pos)])];
}

CCharFormat CRichText::GetCharFormat(int start, int end) const
{
    start = std::clamp(start, 0, GetTextLength());
    end = std::clamp(end, start, GetTextLength());
    if (start == end) {
        CCharFormat f = InsertionFormat(start);
        f.mask = CFM_ALL;
        return f;
    }
    CCharFormat result = m_formats[size_t(m_charFormats[size_t(start)])];
    result.mask = CFM_ALL;
    int last = m_charFormats[size_t(start)];
    for (int i = start + 1; i < end && result.mask != 0; ++i) {
        const int index = m_charFormats[size_t(i)];
        if (index != last)
            result.NarrowMask(m_formats[size_t(index)]);
        last = index;
    }
    return result;
}

CCharFormat CRichText::GetSelectionCharFormat() const { return GetCharFormat(m_selStart, m_selEnd); }

void CRichText::SetCharFormat(int start, int end, const CCharFormat &change)
{
    start = std::clamp(start, 0, GetTextLength());
    end = std::clamp(end, start, GetTextLength());
    bool changed = false;
    bool rtfChanged = false;
    std::vector<int> converted(m_formats.size(), -1);
    for (int i = start; i < end; ++i) {
        const int from = m_charFormats[size_t(i)];
        if (converted[size_t(from)] < 0) {
            CCharFormat f = m_formats[size_t(from)];
            f.Apply(change);
            converted[size_t(from)] = InternFormat(f); // may grow m_formats, not `converted`
        }
        const int to = converted[size_t(from)];
        if (to != from) {
            changed = true;
            if (!m_formats[size_t(from)].SameInRtf(m_formats[size_t(to)]))
                rtfChanged = true;
            m_charFormats[size_t(i)] = to;
        }
    }
    if (changed)
        m_layout.reset();
    if (rtfChanged)
        m_rtfSource.clear();
}

void CRichText::SetSelectionCharFormat(const CCharFormat &change)
{
    ClampSelection();
    if (m_selStart == m_selEnd) {
        CCharFormat f = InsertionFormat(m_selStart);
        f.Apply(change);
        m_insertFormat = f;
        return;
    }
    SetCharFormat(m_selStart, m_selEnd, change);
}

CCharFormat CRichText::GetDefaultCharFormat() const
{
    CCharFormat f = m_defaultFormat;
    f.mask = CFM_ALL;
    return f;
}

void CRichText::SetDefaultCharFormat(const CCharFormat &change)
{
    m_defaultFormat.Apply(change);
    m_defaultFormat.mask = CFM_ALL;
    if (IsEmpty())
        m_layout.reset();
}

CParaFormat CRichText::GetParaFormat() const
{
    const int first = ParagraphFromChar(m_selStart);
    const int last = m_selEnd > m_selStart ? ParagraphFromChar(m_selEnd - 1) : first;
    CParaFormat result = m_paras[size_t(first)];
    result.mask = PFM_ALL;
    for (int p = first + 1; p <= last; ++p)
        result.NarrowMask(m_paras[size_t(p)]);
    return result;
}

const CParaFormat &CRichText::GetParaFormatAt(int pos) const { return m_paras[size_t(ParagraphFromChar(pos))]; }

void CRichText::SetParaFormat(const CParaFormat &change)
{
    ClampSelection();
    const int first = ParagraphFromChar(m_selStart);
    const int last = m_selEnd > m_selStart ? ParagraphFromChar(m_selEnd - 1) : first;
    bool changed = false;
    for (int p = first; p <= last; ++p) {
        CParaFormat f = m_paras[size_t(p)];
        f.Apply(change);
        f.mask = 0;
        if (!f.SameValues(m_paras[size_t(p)])) {
            m_paras[size_t(p)] = f;
            changed = true;
        }
    }
    if (changed) {
        m_layout.reset();
        m_rtfSource.clear();
    }
}

// ---------------------------------------------------------------------------------------------------------
// Find

int CRichText::FindText(uint32_t flags, int start, int end, const QString &what, int *matchEnd) const
{
    const QString pattern = NormaliseLineEnds(what);
    const int n = int(pattern.size());
    const int length = GetTextLength();
    if (n == 0)
        return -1;
    const Qt::CaseSensitivity cs = (flags & FR_MATCHCASE) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    auto wholeWord = [&](int at) {
        if (!(flags & FR_WHOLEWORD))
            return true;
        const bool before = at > 0 && IsWordChar(m_text[at - 1]);
        const bool after = at + n < length && IsWordChar(m_text[at + n]);
        return !before && !after;
    };
    auto found = [&](int at) {
        if (matchEnd)
            *matchEnd = at + n;
        return at;
    };
    if (flags & FR_DOWN) {
        const int from = std::clamp(start, 0, length);
        const int to = end < 0 ? length : std::clamp(end, 0, length);
        for (int at = int(m_text.indexOf(pattern, from, cs)); at >= 0 && at + n <= to;
             at = int(m_text.indexOf(pattern, at + 1, cs)))
            if (wholeWord(at))
                return found(at);
        return -1;
    }
    const int from = start < 0 ? length : std::clamp(start, 0, length);
    const int limit = end < 0 ? 0 : std::clamp(end, 0, length);
    if (from - n < 0)
        return -1;
    for (int at = int(m_text.lastIndexOf(pattern, from - n, cs)); at >= limit;
         at = at > 0 ? int(m_text.lastIndexOf(pattern, at - 1, cs)) : -1)
        if (wholeWord(at))
            return found(at);
    return -1;
}

// ---------------------------------------------------------------------------------------------------------
// Lines and scrolling

void CRichText::SetLayoutSize(int width, int height)
{
    if (width != m_width)
        m_layout.reset();
    m_width = width;
    m_height = height;
    m_firstVisibleLine = 0;
}

const CRichTextLayout &CRichText::Layout() const
{
    if (!m_layout)
        m_layout = std::make_unique<CRichTextLayout>(*this, m_width);
    return *m_layout;
}

int CRichText::GetLineCount() const { return Layout().GetLineCount(); }

int CRichText::LineIndex(int line) const
{
    if (line < 0)
        line = Layout().LineFromChar(m_selEnd);
    if (line >= GetLineCount())
        return -1;
    return Layout().GetLine(line).start;
}

int CRichText::LineFromChar(int pos) const { return Layout().LineFromChar(pos < 0 ? m_selEnd : pos); }

int CRichText::LineLength(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return 0;
    const CRichTextLine &l = Layout().GetLine(line);
    return l.end - l.start;
}

QString CRichText::GetLine(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return {};
    const CRichTextLine &l = Layout().GetLine(line);
    return GetTextRange(l.start, l.next);
}

int CRichText::HiddenLineCount() const { return m_height > 0 ? Layout().CountHiddenLines(m_height) : 0; }

void CRichText::LineScroll(int lines)
{
    m_firstVisibleLine = std::clamp(m_firstVisibleLine + lines, 0, HiddenLineCount());
}

// ---------------------------------------------------------------------------------------------------------
// Whole-text operations

void CRichText::ClearAll()
{
    SetSel(0, -1);
    Clear();
}

void CRichText::ReplaceAll(const QString &text)
{
    SetSel(0, -1);
    ReplaceSel(text);
}

CRichText CRichText::CutAll()
{
    SetSel(0, -1);
    return Cut();
}

void CRichText::ScrollToTop()
{
    if (m_firstVisibleLine > 0)
        LineScroll(-m_firstVisibleLine);
}

void CRichText::HideRange(int start, int end)
{
    SetSel(start, end);
    CCharFormat change;
    change.mask = CFM_HIDDEN;
    change.effects = CFE_HIDDEN;
    SetSelectionCharFormat(change);
}

// The link effect goes from the whole range, also where only part of it was a link.
void CRichText::RemoveLinkStyle(int start, int end)
{
    SetSel(start, end);
    CCharFormat change;
    change.mask = CFM_LINK;
    SetSelectionCharFormat(change);
}

bool CRichText::IsLastParagraphBulleted()
{
    if (GetLineCount() == 0)
        return false;
    return m_paras.back().numbering == PFN_BULLET;
}

bool CRichText::IsParagraphNumbered() const { return GetParaFormat().numbering != 0; }

// ---------------------------------------------------------------------------------------------------------
// Appending

void CRichText::AppendSelected(const QString &text)
{
    const int end = GetTextLength();
    SetSel(end, end);
    ReplaceSel(text);
    SetSel(end, GetTextLength());
}

int CRichText::AppendText(const QString &text, int flag)
{
    AppendSelected(text);
    if (flag != 1)
        return 0;
    CCharFormat change;
    change.mask = CFM_SIZE | CFM_OFFSET | CFM_BOLD;
    change.height = 240;
    change.offset = 20;
    SetSelectionCharFormat(change);
    return 1;
}

int CRichText::AppendHeading(const QString &text, const QString &face, int points)
{
    AppendSelected(text);
    CCharFormat change;
    change.mask = CFM_SIZE | CFM_FACE | CFM_OFFSET | CFM_BOLD;
    change.effects = CFE_BOLD;
    change.face = face;
    change.height = points * 20;
    change.offset = 200;
    SetSelectionCharFormat(change);
    return 1;
}

int CRichText::AppendBulletedLine()
{
    AppendSelected(QStringLiteral("\n"));
    CParaFormat &last = m_paras.back();
    last.numbering = PFN_BULLET;
    last.offset = 10;
    m_layout.reset();
    m_rtfSource.clear();
    return 1;
}

// ---------------------------------------------------------------------------------------------------------
// Paragraph and character commands

void CRichText::ToggleBullet()
{
    const CParaFormat current = GetParaFormat();
    CParaFormat change;
    change.offset = 10;
    if (current.numbering == PFN_BULLET) {
        change.mask = PFM_NUMBERING | PFM_OFFSET;
        change.numbering = 0;
    } else {
        change.mask = PFM_NUMBERING | PFM_NUMBERINGSTYLE | PFM_NUMBERINGSTART | PFM_OFFSET;
        change.numbering = PFN_BULLET;
        change.numberingStyle = PFNS_PLAIN;
        change.numberingStart = 1;
    }
    SetParaFormat(change);
}

void CRichText::ToggleNumbering()
{
    const CParaFormat current = GetParaFormat();
    CParaFormat change;
    if (current.numbering != PFN_ARABIC) {
        change.mask = PFM_NUMBERING | PFM_NUMBERINGSTYLE | PFM_NUMBERINGSTART | PFM_OFFSET;
        change.numbering = PFN_ARABIC;
        change.numberingStyle = PFNS_PERIOD;
        change.numberingStart = 1;
        change.offset = 10;
    } else if (current.numberingStyle == PFNS_NONUMBER) {
        change.mask = PFM_NUMBERINGSTYLE;
        change.numberingStyle = PFNS_PERIOD;
    } else {
        change.mask = PFM_NUMBERING | PFM_NUMBERINGSTYLE | PFM_OFFSET;
        change.numbering = 0;
        change.numberingStyle = PFNS_NONUMBER;
        change.offset = 10;
    }
    SetParaFormat(change);
}

void CRichText::SetAlignment(int alignment)
{
    CParaFormat change;
    change.mask = PFM_ALIGNMENT;
    change.alignment = alignment;
    SetParaFormat(change);
}

// The first selected paragraph's offset is given to every selected paragraph along with the indent change.
void CRichText::ChangeIndent(int change, uint32_t extraMask)
{
    const CParaFormat current = GetParaFormat();
    CParaFormat f;
    f.mask = PFM_OFFSETINDENT | PFM_OFFSET | extraMask;
    f.startIndent = change;
    f.offset = current.offset;
    SetParaFormat(f);
}

// Uniform: inverted; mixed: switched on.
void CRichText::ToggleEffect(uint32_t mask, uint32_t effect)
{
    const CCharFormat current = GetSelectionCharFormat();
    CCharFormat change;
    change.mask = mask;
    change.SetEffect(effect, (current.mask & mask) ? !current.Has(effect) : true);
    SetSelectionCharFormat(change);
}

void CRichText::SetSelectionColour(uint32_t colour)
{
    CCharFormat change;
    change.mask = CFM_COLOR;
    change.colour = colour;
    SetSelectionCharFormat(change);
}

void CRichText::SetSelectionFace(const QString &face)
{
    CCharFormat change;
    change.mask = CFM_FACE;
    change.face = face;
    SetSelectionCharFormat(change);
}

void CRichText::SetSelectionPointSize(int points)
{
    CCharFormat change;
    change.mask = CFM_SIZE;
    change.height = points * 20;
    SetSelectionCharFormat(change);
}

void CRichText::SetRightToLeft(bool rightToLeft)
{
    m_rightToLeft = rightToLeft;
    SetSel(0, -1);
    if (rightToLeft)
        AlignRight();
    else
        AlignLeft();
}

// ---------------------------------------------------------------------------------------------------------
// Overflow

// Scrolled as far down as the height allows: the first visible line is the count of hidden ones.
int CRichText::CountHiddenLines()
{
    m_firstVisibleLine = HiddenLineCount();
    return m_firstVisibleLine;
}

bool CRichText::IsOverflowing() { return CountHiddenLines() > 0; }

int CRichText::LastSentenceEnd()
{
    const int hidden = CountHiddenLines();
    const int start = hidden > 0 ? LineIndex(GetLineCount() - hidden) : GetTextLength();
    for (const QString &end : kSentenceEnds) {
        int matchEnd = 0;
        if (FindText(0, start, 0, end, &matchEnd) >= 0)
            return matchEnd;
    }
    return start;
}

CRichText CRichText::GetOverflowAfterLastSentence()
{
    SetSel(LastSentenceEnd(), -1);
    return Copy();
}

CRichText CRichText::CutOverflowAfterLastSentence()
{
    int start = LastSentenceEnd();
    while (start < GetTextLength() && (m_text[start] == u' ' || m_text[start] == u'\r' || m_text[start] == u'\n'))
        ++start;
    SetSel(start, -1);
    return Cut();
}

void CRichText::DeleteOverflowAfterLastSentence()
{
    if (CountHiddenLines() <= 0)
        return;
    SetSel(LastSentenceEnd(), -1);
    ReplaceSel(QString());
}

QString CRichText::GetTrailingHeadingText(const QString &face, int points)
{
    const int lines = GetLineCount();
    int top = -1;
    for (int line = lines - 1; line >= 0; --line) {
        const int start = LineIndex(line);
        const int next = line + 1 < lines ? LineIndex(line + 1) : GetTextLength();
        SetSel(start, next);
        // Paragraph ends and line breaks are white space too.
        QString text = GetTextRange(start, next);
        while (!text.isEmpty() && text.back().isSpace())
            text.chop(1);
        if (text.isEmpty())
            continue;
        const CCharFormat f = GetCharFormat(start, start + int(text.size()));
        const bool heading = (f.mask & CFM_BOLD) && f.Has(CFE_BOLD) && (f.mask & CFM_SIZE) &&
                             f.height == points * 20 && (f.mask & CFM_FACE) &&
                             f.face.compare(face, Qt::CaseInsensitive) == 0;
        if (!heading)
            break;
        top = start;
    }
    if (top < 0)
        return {};
    SetSel(top, -1);
    return GetSelText();
}

// ---------------------------------------------------------------------------------------------------------
// RTF and drawing

QString CRichText::GetRtf() const
{
    if (m_rtfSource.isEmpty())
        m_rtfSource = CRtfWriter::Write(*this);
    return m_rtfSource;
}

void CRichText::SetRtf(const QString &rtf)
{
    CRichText read;
    read.m_defaultFormat = m_defaultFormat;
    CRtfReader::Read(rtf, read);
    TakeContent(read);
}

void CRichText::SetRtfBytes(const QByteArray &rtf)
{
    CRichText read;
    read.m_defaultFormat = m_defaultFormat;
    CRtfReader::ReadBytes(rtf, read);
    TakeContent(read);
}

// Takes over the text, formats and cached RTF that the reader built; size, direction and default format stay.
void CRichText::TakeContent(CRichText &read)
{
    m_text = std::move(read.m_text);
    m_charFormats = std::move(read.m_charFormats);
    m_formats = std::move(read.m_formats);
    m_formatIndex = std::move(read.m_formatIndex);
    m_paras = std::move(read.m_paras);
    ContentChanged();
    m_rtfSource = read.m_rtfSource;
    m_insertFormat.reset();
    m_selStart = m_selEnd = 0;
    m_firstVisibleLine = 0;
}

QString CRichText::GetDrawText() const
{
    QString out;
    const CRichTextLayout &layout = Layout();
    for (int line = 0; line < layout.GetLineCount(); ++line) {
        const CRichTextLine &l = layout.GetLine(line);
        for (int i = l.start; i < l.end; ++i)
            if (!GetCharFormatAt(i).Has(CFE_HIDDEN) && m_text[i] != kLineBreak)
                out += m_text[i];
        out += u'\n';
    }
    return out;
}

void CRichText::DrawToDC(QPainter &painter, const CRect &rect) const
{
    painter.save();
    painter.setFont(CRichTextLayout::FontFor(m_defaultFormat));
    painter.drawText(rect.ToQRect(), Qt::AlignLeft | Qt::AlignTop, GetDrawText());
    painter.restore();
}
