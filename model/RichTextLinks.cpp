#include "model/RichTextLinks.h"

#include "model/CorvPage.h"
#include "model/MarkedText.h"
#include "model/ProjectSchema.h"
#include "model/ScreenLookup.h"
#include "platform/Archive.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int kMarker = CRichTextLinks::kMarkerLength;

bool IsUniform(const CRichText &text, int start, int end, uint32_t mask, uint32_t effect)
{
    if (start < 0 || end > text.GetTextLength() || start >= end)
        return false;
    const CCharFormat format = text.GetCharFormat(start, end);
    return (format.mask & mask) != 0 && format.Has(effect);
}

bool IsHidden(const CRichText &text, int start, int end)
{
    return IsUniform(text, start, end, CFM_HIDDEN, CFE_HIDDEN);
}

// Sets or clears one effect over [start, end), clamped to the text.
void SetEffect(CRichText &text, int start, int end, uint32_t mask, uint32_t effect, bool on)
{
    start = std::clamp(start, 0, text.GetTextLength());
    end = std::clamp(end, start, text.GetTextLength());
    if (start == end)
        return;
    CCharFormat change;
    change.mask = mask;
    change.SetEffect(effect, on);
    text.SetCharFormat(start, end, change);
}

void SetLinkEffect(CRichText &text, int start, int end, bool on)
{
    SetEffect(text, start, end, CFM_LINK, CFE_LINK, on);
}

void Replace(CRichText &text, int start, int end, const QString &with)
{
    text.SetSel(start, end);
    text.ReplaceSel(with);
}

// The last hidden marker that ends at or before `before`; -1 when there is none.
int FindMarkerBackward(const CRichText &text, const QString &marker, int before)
{
    while (before >= kMarker) {
        const int found = text.FindText(0, before, -1, marker);
        if (found < 0)
            return -1;
        if (IsHidden(text, found, found + kMarker))
            return found;
        before = found + kMarker - 1;
    }
    return -1;
}

// Replaces [start, end), which holds the link's visible text, by the text between the markers of the number,
// both markers hidden.
void WrapInMarkers(CMarkedText &marked, int start, int end, const QString &visible, int number)
{
    marked.Replace(start, end, CURLLink::OpeningMarker(number) + visible + CURLLink::ClosingMarker(number));
    marked.Hide(end + kMarker, end + 2 * kMarker);
    marked.Hide(start, start + kMarker);
}

// Takes the record's text and position from what stands between its markers, which marks that text a link.
void ReadBetweenMarkers(CRichText &text, CURLLink &link, int open, int close)
{
    SetLinkEffect(text, open + kMarker, close, true);
    link.SetText(text.GetTextRange(open + kMarker, close));
    link.SetPosition(open + kMarker);
}

// The number of a closing marker's text "#nnnn]"; -1 when it is not one.
int ClosingMarkerNumber(const QString &marker)
{
    if (marker.size() != kMarker || !marker.startsWith(u'#') || !marker.endsWith(u']'))
        return -1;
    bool ok = false;
    const int number = marker.mid(1, 4).toInt(&ok);
    return ok && number >= 0 ? number : -1;
}

} // namespace

CRichTextLinks::CRichTextLinks(const CRichTextLinks &other)
    : m_text(other.m_text), m_nextLinkNumber(other.m_nextLinkNumber)
{
    m_links.reserve(other.m_links.size());
    for (const auto &link : other.m_links)
        m_links.push_back(std::make_unique<CURLLink>(*link));
}

CRichTextLinks &CRichTextLinks::operator=(const CRichTextLinks &other)
{
    if (this != &other) {
        CRichTextLinks copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CURLLink *CRichTextLinks::FindLink(int number) const
{
    for (const auto &link : m_links) {
        if (link->GetNumber() == number)
            return link.get();
    }
    return nullptr;
}

void CRichTextLinks::AppendLink(std::unique_ptr<CURLLink> link)
{
    m_links.push_back(std::move(link));
}

int CRichTextLinks::IsScreenLink(int number) const
{
    const CURLLink *link = FindLink(number);
    return link && link->IsScreenLink() ? 1 : 0;
}

int CRichTextLinks::IsScriptLink(int number) const
{
    const CURLLink *link = FindLink(number);
    return link && link->IsScript() ? 1 : 0;
}

int CRichTextLinks::IsPopupLink(int number) const
{
    const CURLLink *link = FindLink(number);
    return link ? link->GetPopup() : 0;
}

int CRichTextLinks::GetLinkPopupHeight(int number) const
{
    const CURLLink *link = FindLink(number);
    return link ? link->GetPopupHeight() : CURLLink().GetPopupHeight();
}

int CRichTextLinks::GetLinkPopupWidth(int number) const
{
    const CURLLink *link = FindLink(number);
    return link ? link->GetPopupWidth() : CURLLink().GetPopupWidth();
}

QString CRichTextLinks::GetLinkTarget(int number, const CScreenLookup *document) const
{
    const CURLLink *link = FindLink(number);
    if (!link)
        return QString();
    if (!link->IsScreenLink())
        return link->GetUrl();
    const CCorvPage *screen = document ? document->FindScreenByNumber(link->GetTargetScreen()) : nullptr;
    return screen ? screen->GetPublishId() : QString();
}

int CRichTextLinks::NewLinkNumber() const
{
    if (m_links.empty())
        return 2;
    int highest = 0;
    for (const auto &link : m_links)
        highest = std::max(highest, link->GetNumber());
    return std::max(int(m_links.size()), highest) + 1;
}

CStatus CRichTextLinks::AddLink(const QString &text, int position, int screenLink, int targetScreen,
                                const QString &address, int popup, int script, int fullSize, int popupHeight,
                                int popupWidth)
{
    const int end = position + int(text.size());
    const auto standsThere = [&] {
        return position >= 0 && !text.isEmpty() && end <= m_text.GetTextLength() &&
               m_text.GetTextRange(position, end) == text;
    };
    const auto notThere = [&] {
        return CFailure(QStringLiteral("The text \"%1\" is not where the link was to go; no link was made.").arg(text));
    };
    if (!standsThere())
        return notThere();

    int number = NewLinkNumber();
    if (number > kMaxLinkNumber) {
        // Numbers only ever grow, so a text that has seen many links runs out long before it holds that
        // many: close the gaps first.
        RepairLinks();
        if (!RenumberCompactly() || (number = NewLinkNumber()) > kMaxLinkNumber) {
            return CFailure(QStringLiteral("This text already holds as many links as it can take. "
                                           "Remove a link before adding another."));
        }
        // The repair may have taken broken markers out ahead of the text.
        if (!standsThere())
            return notThere();
    }

    auto link = std::make_unique<CURLLink>(text, -1, position, screenLink, targetScreen, address, popup, script,
                                           fullSize, popupHeight, popupWidth);
    CMarkedText marked(m_text);
    WrapInMarkers(marked, position, end, text, number);
    link->SetNumber(number);
    m_links.push_back(std::move(link));
    m_nextLinkNumber = number + 1;
    m_text.SetSel(position + kMarker, end + kMarker);
    return {};
}

void CRichTextLinks::ToggleLinkEffect()
{
    m_text.ToggleLinkEffect();
}

int CRichTextLinks::RemoveLink(const QString &text, int number)
{
    const CURLLink *link = FindLink(number);
    if (!link || link->GetText().compare(text, Qt::CaseInsensitive) != 0)
        return 0;
    DeleteRecords({link});
    return 1;
}

int CRichTextLinks::DeleteLink(int number)
{
    const CURLLink *link = FindLink(number);
    if (!link)
        return 0;
    DeleteRecords({link});
    return 1;
}

bool CRichTextLinks::DeleteLinkAtCaret(bool compareText)
{
    int start = 0;
    int end = 0;
    m_text.GetSel(start, end);

    // The closing marker after the selection bounds the link; its opening marker before the selection.
    for (int hash = m_text.FindText(FR_DOWN, end, -1, QStringLiteral("#")); hash >= 0;
         hash = m_text.FindText(FR_DOWN, hash + 1, -1, QStringLiteral("#"))) {
        if (!IsHidden(m_text, hash, hash + kMarker))
            continue;
        const int number = ClosingMarkerNumber(m_text.GetTextRange(hash, hash + kMarker));
        if (number < 0)
            continue;
        end = hash;
        const int opening = FindMarkerBackward(m_text, CURLLink::OpeningMarker(number), start);
        if (opening >= 0)
            start = opening + kMarker;
        break;
    }

    if (start >= end || !IsUniform(m_text, start, end, CFM_LINK, CFE_LINK))
        return false;
    // Both markers are checked before either is touched, so a failed unlink leaves the link whole.
    if (!IsHidden(m_text, end, end + kMarker) || !IsHidden(m_text, start - kMarker, start))
        return false;
    // A hidden run after the text that is not a closing marker (another link's opening marker) is left alone.
    const int number = ClosingMarkerNumber(m_text.GetTextRange(end, end + kMarker));
    if (number < 0 || !m_text.GetTextRange(start - kMarker, start).startsWith(u'['))
        return false;
    const QString visible = m_text.GetTextRange(start, end);

    Replace(m_text, end, end + kMarker, QString());
    Replace(m_text, start - kMarker, start, QString());
    if (compareText)
        RemoveLink(visible, number);
    else
        DeleteLink(number);
    SetLinkEffect(m_text, start - kMarker, end - kMarker, false);
    m_text.SetSel(start - kMarker, end - kMarker);
    return true;
}

int CRichTextLinks::MarkLink(CURLLink *link, bool isNew)
{
    CMarkedText marked(m_text);
    return MarkLink(marked, link, isNew);
}

int CRichTextLinks::MarkLink(CMarkedText &marked, CURLLink *link, bool isNew)
{
    if (!link)
        return 0;
    const int number = link->GetNumber();
    const QString &linkText = link->GetText();
    const int length = int(linkText.size());

    if (isNew) {
        int start = link->GetPosition();
        if (start == -1)
            start = m_text.FindText(FR_DOWN, 0, -1, linkText);
        // A stored position may be anything a damaged or stale record holds: checked before any sum.
        if (start < 0 || length == 0 || start > m_text.GetTextLength() - length)
            return 0;
        const int end = start + length;
        if (m_text.GetTextRange(start, end) != linkText)
            return 0;
        WrapInMarkers(marked, start, end, linkText, number);
        SetLinkEffect(m_text, start + kMarker, end + kMarker, true);
        m_text.SetSel(start + kMarker, end + kMarker);
        return 2 * kMarker;
    }

    const int start = marked.FindOpening(number, 0);
    if (start < 0)
        return -1;
    const int visibleStart = start + kMarker;
    const int close = marked.FindClosing(number, visibleStart);
    if (close < 0) {
        const int visibleEnd = std::min(visibleStart + length, m_text.GetTextLength());
        SetLinkEffect(m_text, visibleStart, visibleEnd, true);
        marked.Replace(visibleEnd, visibleEnd, CURLLink::ClosingMarker(number));
        SetLinkEffect(m_text, visibleEnd, visibleEnd + kMarker, false);
        marked.Hide(visibleEnd, visibleEnd + kMarker);
        return 0;
    }
    ReadBetweenMarkers(m_text, *link, start, close);
    return 0;
}

void CRichTextLinks::MarkPendingLinks(bool dropAddressless)
{
    if (m_links.empty()) {
        m_nextLinkNumber = 1;
        return;
    }
    std::vector<const CURLLink *> restored;
    if (!dropAddressless)
        restored = RestoreClosingMarkers();
    std::sort(restored.begin(), restored.end());
    CMarkedText marked(m_text);
    std::vector<const CURLLink *> doomed;
    int kept = 0;
    int shift = 0;
    for (const auto &link : m_links) {
        if (std::binary_search(restored.begin(), restored.end(), link.get())) {
            ++kept;
            continue;
        }
        if (dropAddressless && link->GetUrl().isEmpty()) {
            // A single screen taken into another course keeps only the links that lead outside it.
            UnwrapLink(marked, *link);
            doomed.push_back(link.get());
            continue;
        }
        const bool isNew = link->GetNumber() == -1;
        if (isNew) {
            link->SetNumber(kept);
            // A record without a position is looked for in the text; it stays without one. A position no
            // text can reach stays out of reach rather than wrapping round.
            if (link->GetPosition() != -1)
                link->SetPosition(int(std::min<qint64>(qint64(link->GetPosition()) + shift, INT_MAX)));
        }
        const int inserted = MarkLink(marked, link.get(), isNew);
        if (inserted < 0) {
            UnwrapLink(marked, *link);
            doomed.push_back(link.get());
            continue;
        }
        ++kept;
        shift += inserted;
    }
    DeleteRecords(doomed);
    m_nextLinkNumber = kept + 1;
}

std::vector<const CURLLink *> CRichTextLinks::RestoreClosingMarkers()
{
    // Only known records with numbers of their own: a pending record shifts the places of later ones, and
    // a marker put back for one number would be found by a second record of that number.
    std::vector<int> numbers;
    numbers.reserve(m_links.size());
    for (const auto &link : m_links) {
        if (link->GetNumber() < 0)
            return {};
        numbers.push_back(link->GetNumber());
    }
    std::sort(numbers.begin(), numbers.end());
    if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end())
        return {};

    struct Lost {
        int start, end, number;
        const CURLLink *link;
    };
    std::vector<Lost> lost;
    {
        const CMarkedText marked(m_text);
        for (const auto &link : m_links) {
            const int open = marked.FindOpening(link->GetNumber(), 0);
            if (open < 0 || marked.FindClosing(link->GetNumber(), open + kMarker) >= 0)
                continue;
            const int start = open + kMarker;
            const int end = start + int(link->GetText().size());
            // A text running past the end would be cut where the text ends as markers go in before it.
            if (end > m_text.GetTextLength())
                return {};
            lost.push_back({start, end, link->GetNumber(), link.get()});
        }
    }
    // One at a time is as quick for a few; the places must not overlap, or each insertion would move the
    // places of the others.
    if (lost.size() < 8)
        return {};
    std::sort(lost.begin(), lost.end(), [](const Lost &a, const Lost &b) { return a.start < b.start; });
    for (size_t i = 1; i < lost.size(); ++i)
        if (lost[i].start < lost[i - 1].end || lost[i].end <= lost[i - 1].end)
            return {};

    std::vector<CRichText::Insertion> insertions;
    std::vector<const CURLLink *> restored;
    insertions.reserve(lost.size());
    for (const Lost &l : lost) {
        SetLinkEffect(m_text, l.start, l.end, true);
        insertions.push_back({l.end, CURLLink::ClosingMarker(l.number)});
        restored.push_back(l.link);
    }
    CCharFormat marker;
    marker.mask = CFM_LINK | CFM_HIDDEN;
    marker.SetEffect(CFE_LINK, false);
    marker.SetEffect(CFE_HIDDEN, true);
    m_text.InsertEach(insertions, marker);
    return restored;
}

void CRichTextLinks::RepairLinks()
{
    if (m_links.empty())
        return;
    CMarkedText marked(m_text);
    std::vector<const CURLLink *> doomed;
    for (const auto &link : m_links) {
        const int number = link->GetNumber();
        const int length = int(link->GetText().size());
        int open = marked.FindOpening(number, 0);
        const int close = marked.FindClosing(number, 0);

        if (open < 0 || (close >= 0 && close < open)) {
            // The opening marker is gone (or stands after its closing marker): the link is broken.
            if (close >= 0) {
                marked.Replace(close, close + kMarker, QString());
                SetLinkEffect(m_text, close - length, close, false);
                if (open >= 0)
                    open -= kMarker;
            }
            if (open >= 0)
                marked.Replace(open, open + kMarker, QString());
            doomed.push_back(link.get());
        } else if (close < 0) {
            marked.Replace(open, open + kMarker, QString());
            doomed.push_back(link.get());
        } else if (close == open + kMarker) {
            // The author deleted the whole visible text.
            marked.Replace(open, close + kMarker, QString());
            doomed.push_back(link.get());
        } else {
            ReadBetweenMarkers(m_text, *link, open, close);
        }
    }
    DeleteRecords(doomed);

    // Deleting markers moved the text after them: read every surviving link again. Stale ranges are all
    // cleared first so that clearing one link's old place cannot take the effect off a link already read.
    for (const auto &link : m_links)
        SetLinkEffect(m_text, link->GetPosition(), link->GetPosition() + int(link->GetText().size()), false);
    for (const auto &link : m_links) {
        const int open = marked.FindOpening(link->GetNumber(), 0);
        if (open < 0)
            continue;
        const int close = marked.FindClosing(link->GetNumber(), open + kMarker);
        if (close < 0)
            continue;
        ReadBetweenMarkers(m_text, *link, open, close);
    }
}

bool CRichTextLinks::RenumberCompactly()
{
    struct Place {
        int open;
        int close;
    };
    std::vector<Place> places;
    {
        const CMarkedText marked(m_text);
        for (const auto &link : m_links) {
            const int open = marked.FindOpening(link->GetNumber(), 0);
            const int close = open < 0 ? -1 : marked.FindClosing(link->GetNumber(), open + kMarker);
            if (close < 0)
                return false;
            places.push_back({open, close});
        }
    }
    // All places are found before any marker changes, so a new number can never be mistaken for an old
    // one still to be rewritten; markers keep their length, so no place moves.
    for (size_t i = 0; i < m_links.size(); ++i) {
        const int number = int(i);
        Replace(m_text, places[i].open, places[i].open + kMarker, CURLLink::OpeningMarker(number));
        m_text.HideRange(places[i].open, places[i].open + kMarker);
        Replace(m_text, places[i].close, places[i].close + kMarker, CURLLink::ClosingMarker(number));
        m_text.HideRange(places[i].close, places[i].close + kMarker);
        m_links[i]->SetNumber(number);
    }
    m_nextLinkNumber = int(m_links.size()) + 1;
    return true;
}

void CRichTextLinks::DeleteRecords(std::vector<const CURLLink *> doomed)
{
    if (doomed.empty())
        return;
    std::sort(doomed.begin(), doomed.end());
    std::erase_if(m_links, [&](const std::unique_ptr<CURLLink> &link) {
        return std::binary_search(doomed.begin(), doomed.end(), link.get());
    });
}

void CRichTextLinks::UnwrapLink(CMarkedText &marked, const CURLLink &link)
{
    const int number = link.GetNumber();
    const int open = marked.FindOpening(number, 0);
    const int close = marked.FindClosing(number, open < 0 ? 0 : open + kMarker);
    if (close >= 0) {
        marked.Replace(close, close + kMarker, QString());
        SetLinkEffect(m_text, open < 0 ? close - int(link.GetText().size()) : open + kMarker, close, false);
    }
    if (open >= 0)
        marked.Replace(open, open + kMarker, QString());
}

void CRichTextLinks::StoreLinkRecord(CArchive &ar, const CURLLink &link)
{
    ar.WriteInt(link.GetNumber());
    ar.WriteString(link.GetText());
    ar.WriteInt(link.GetPosition());
    ar.WriteInt(link.IsScreenLink());
    ar.WriteInt(link.GetTargetScreen());
    ar.WriteString(link.GetUrl());
    ar.WriteInt(link.GetPopup());
    ar.WriteInt(link.IsScript());
    ar.WriteInt(link.GetFullSize());
    ar.WriteInt(link.GetPopupHeight());
    ar.WriteInt(link.GetPopupWidth());
}

std::unique_ptr<CURLLink> CRichTextLinks::LoadLinkRecord(CArchive &ar, int fileSchema)
{
    auto link = std::make_unique<CURLLink>();
    namespace PS = ProjectSchema;
    const int number = PS::Above(fileSchema, PS::kLinkNumber) ? ar.ReadInt() : -1;
    const QString text = ar.ReadString();
    const int position = PS::Above(fileSchema, PS::kLinkPosition) ? ar.ReadInt() : -1;
    const int screenLink = ar.ReadInt();
    const int targetScreen = ar.ReadInt();
    const QString address = ar.ReadString();
    const int popup = PS::Above(fileSchema, PS::kLinkPopup) ? ar.ReadInt() : 0;
    const int script = PS::Above(fileSchema, PS::kLinkScript) ? ar.ReadInt() : 0;
    int fullSize = 1;
    int popupHeight = 100;
    int popupWidth = 250;
    if (PS::Above(fileSchema, PS::kLinkPopupSize)) {
        fullSize = ar.ReadInt();
        popupHeight = ar.ReadInt();
        popupWidth = ar.ReadInt();
    }
    link->Set(text, number, position, screenLink, targetScreen, address, popup, script, fullSize, popupHeight,
              popupWidth);
    return link;
}

void CRichTextLinks::StoreLinks(CArchive &ar) const
{
    ar.WriteInt(int(m_links.size()));
    for (const auto &link : m_links)
        StoreLinkRecord(ar, *link);
}

void CRichTextLinks::LoadLinks(CArchive &ar, int fileSchema)
{
    // The smallest record of the oldest files: two empty strings and two ints.
    constexpr uint32_t kSmallestRecord = 1 + 1 + 4 + 4;
    const int count = ar.ReadCheckedInt(kMaxLinkCount, kSmallestRecord);
    for (int i = 0; i < count; ++i)
        m_links.push_back(LoadLinkRecord(ar, fileSchema));
}
