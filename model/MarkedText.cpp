#include "model/MarkedText.h"

#include "model/RichTextLinks.h"
#include "platform/richtext/RichText.h"

#include <algorithm>

namespace {

constexpr int kMarker = CRichTextLinks::kMarkerLength;

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

CMarkedText::CMarkedText(CRichText &text) : m_text(text)
{
    Scan(0, m_text.GetTextLength());
}

std::vector<int> &CMarkedText::PlacesOf(bool opening, int number)
{
    std::vector<std::vector<int>> &byNumber = opening ? m_openingIds : m_closingIds;
    if (size_t(number) >= byNumber.size())
        byNumber.resize(size_t(number) + 1);
    return byNumber[size_t(number)];
}

int CMarkedText::First(bool opening, int number, int from) const
{
    const std::vector<std::vector<int>> &byNumber = opening ? m_openingIds : m_closingIds;
    if (number < 0 || size_t(number) >= byNumber.size())
        return -1;
    const std::vector<int> &ids = byNumber[size_t(number)];
    const auto it = std::lower_bound(ids.begin(), ids.end(), from,
                                     [this](int id, int position) { return m_position[size_t(id)] < position; });
    return it == ids.end() ? -1 : m_position[size_t(*it)];
}

void CMarkedText::Scan(int from, int to)
{
    const QString &t = m_text.GetText();
    from = std::max(from, 0);
    to = std::min(to, m_text.GetTextLength() - kMarker + 1);
    for (int i = from; i < to; ++i) {
        const QChar first = t[i];
        const QChar last = t[i + kMarker - 1];
        const bool opening = first == u'[' && last == u'#';
        if (!opening && !(first == u'#' && last == u']'))
            continue;
        if (!IsDigit(t[i + 1]) || !IsDigit(t[i + 2]) || !IsDigit(t[i + 3]) || !IsDigit(t[i + 4]))
            continue;
        bool hidden = true;
        for (int k = 0; k < kMarker && hidden; ++k)
            hidden = m_text.GetCharFormatAt(i + k).Has(CFE_HIDDEN);
        if (!hidden)
            continue;

        const int id = int(m_position.size());
        const int number = t.mid(i + 1, 4).toInt();
        m_position.push_back(i);
        m_number.push_back(number);
        m_opening.push_back(opening);
        const auto byPosition = [this](int a, int position) { return m_position[size_t(a)] < position; };
        m_order.insert(std::lower_bound(m_order.begin(), m_order.end(), i, byPosition), id);
        std::vector<int> &ids = PlacesOf(opening, number);
        ids.insert(std::lower_bound(ids.begin(), ids.end(), i, byPosition), id);
    }
}

void CMarkedText::Forget(int start, int end, int shift)
{
    const auto byPosition = [this](int a, int position) { return m_position[size_t(a)] < position; };
    // A marker overlaps the change when it starts before the change's end (before the insertion point) and
    // ends after its start.
    const int overlapEnd = end > start ? end : start;
    const auto first = std::lower_bound(m_order.begin(), m_order.end(), start - kMarker + 1, byPosition);
    const auto last = std::lower_bound(first, m_order.end(), overlapEnd, byPosition);
    for (auto it = first; it != last; ++it) {
        std::vector<int> &ids = PlacesOf(m_opening[size_t(*it)], m_number[size_t(*it)]);
        ids.erase(std::find(ids.begin(), ids.end(), *it));
    }
    const auto after = m_order.erase(first, last);
    if (shift == 0)
        return;
    for (auto it = std::lower_bound(after, m_order.end(), end, byPosition); it != m_order.end(); ++it)
        m_position[size_t(*it)] += shift;
}

void CMarkedText::Replace(int start, int end, const QString &with)
{
    start = std::clamp(start, 0, m_text.GetTextLength());
    end = std::clamp(end, start, m_text.GetTextLength());
    const int kept = m_text.GetTextLength() - (end - start);
    m_text.SetSel(start, end);
    m_text.ReplaceSel(with);
    const int inserted = m_text.GetTextLength() - kept;
    Forget(start, end, inserted - (end - start));
    Scan(start - kMarker + 1, start + inserted);
}

void CMarkedText::Hide(int start, int end)
{
    start = std::clamp(start, 0, m_text.GetTextLength());
    end = std::clamp(end, start, m_text.GetTextLength());
    m_text.HideRange(start, end);
    Forget(start, end, 0);
    Scan(start - kMarker + 1, end);
}
