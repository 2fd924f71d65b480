#pragma once

#include <QString>

#include <vector>

class CRichText;

// Where the hidden link markers stand in a rich text: found in one pass over it, then kept in step with
// every change made through this object, so that finding the markers of thousands of links never searches
// the text again. A marker is "[nnnn#" (opening) or "#nnnn]" (closing) with four decimal digits, all six
// characters hidden. Changes made to the text other than through this object are not seen: it lives for
// one operation over the text's links.
class CMarkedText
{
public:
    explicit CMarkedText(CRichText &text);

    // The first opening or closing marker of the number at or after from; -1 when there is none.
    int FindOpening(int number, int from) const { return First(true, number, from); }
    int FindClosing(int number, int from) const { return First(false, number, from); }

    // Replaces [start, end) of the text by `with`.
    void Replace(int start, int end, const QString &with);
    // Hides [start, end) of the text.
    void Hide(int start, int end);

private:
    int First(bool opening, int number, int from) const;
    // Adds the markers that start in [from, to).
    void Scan(int from, int to);
    // [start, end) changed (or, when empty, text went in at start) and what followed it moved by shift:
    // the markers that overlapped the change are forgotten (the caller scans there again), the later ones
    // move.
    void Forget(int start, int end, int shift);
    std::vector<int> &PlacesOf(bool opening, int number);

    CRichText &m_text;
    // Every marker known has an id: its position, number and kind.
    std::vector<int> m_position;
    std::vector<int> m_number;
    std::vector<bool> m_opening;
    // The ids of the markers in the text, in the order of their positions.
    std::vector<int> m_order;
    // By number, the ids of its opening and of its closing markers in the order of their positions; only as
    // long as the highest number seen.
    std::vector<std::vector<int>> m_openingIds;
    std::vector<std::vector<int>> m_closingIds;
};
