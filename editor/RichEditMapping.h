#pragma once

#include "platform/richtext/CharFormat.h"
#include "platform/richtext/RichText.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QFont;

// The author's view of a rich text. The text view shows the document without its hidden characters (the
// link markers), so a place in the view stands for a run of document positions: the positions before,
// inside and after the hidden characters there. This class maps between the two and decides where typed
// text goes and what a deletion may take, so that the author can neither see nor split a link's markers.
//
// Paragraph ends always count as shown, so the view has one block per paragraph of the document.
class CRichEditMapping
{
public:
    explicit CRichEditMapping(const CRichText &text);

    // The shown characters, paragraph ends as "\r".
    QString VisibleText() const;
    int VisibleLength() const { return m_shownBefore.back(); }

    // The view position of a document position: the shown characters before it.
    int ViewFromDoc(int pos) const;
    // The first and the last document position at a view position (before and after its hidden run).
    int DocBeforeHidden(int view) const;
    int DocAfterHidden(int view) const;
    // Where text typed at the view position goes: after the closing markers that end there (outside the
    // link that ends) and before any opening marker (outside the link that starts).
    int InsertionPoint(int view) const;
    // Whether text put in at the document position lies inside a link's shown text.
    bool IsInsideLink(int pos) const;
    // The document range the author selects with the view range [viewStart, viewEnd): the hidden runs at
    // both ends included, so that a link selected whole is selected with its markers.
    std::pair<int, int> DocRange(int viewStart, int viewEnd) const;
    // The document range of the words selected in the view, without the hidden characters at its ends, for
    // a new link; nothing when no word is selected or the selection holds part of a link's markers.
    std::optional<std::pair<int, int>> LinkableRange(int viewStart, int viewEnd) const;
    // The pieces of [start, end) that deleting it may take, last first: every shown character, hidden text
    // other than markers, and a marker only when its partner goes too. A link whose text is deleted keeps its
    // markers until the links are repaired before a store.
    std::vector<std::pair<int, int>> DeletableRanges(int start, int end) const;

    // Whether an opening or closing marker, six hidden characters, starts at pos.
    static bool IsMarkerAt(const CRichText &text, int pos, bool opening);
    static bool IsHidden(const CRichText &text, int pos);

    // The format of text typed at pos: `current` (the format the document would give it) taken from a
    // shown neighbour when it is hidden, never hidden, with the link effect exactly inside a link.
    CCharFormat TypingFormat(int pos, const CCharFormat &current) const;

private:
    int PartnerOf(int pos, bool opening, int from, int to) const;

    const CRichText &m_text;
    std::vector<int> m_shownBefore; // for each position 0..length, the shown characters before it
};

// Rich text as the author's clipboard carries it: a copy of a range without link markers and link effect
// (a pasted marker would give a second text the number of a link it has no record of).
namespace RichEditClipboard {
CRichText Fragment(const CRichText &text, int start, int end);
// Removes hidden markers and the link effect from pasted rich text.
void StripLinks(CRichText &fragment);
// Plain text with "\n" line ends.
QString PlainText(const CRichText &fragment);
} // namespace RichEditClipboard

// What the formatting bar shows for a selection's format: the face and the size in points when both are
// the same over the whole selection, nothing otherwise (the bar's boxes then stay as they are).
std::optional<std::pair<QString, int>> UniformFaceAndSize(const CCharFormat &format);


// The change the font dialog makes: face, size (points x 20 twips), colour, bold, italic, underline and
// strike-out, all as chosen.
CCharFormat FormatFromFontDialog(const QFont &font, uint32_t colour);
// The font the dialog opens with for a selection's format.
QFont FontForDialog(const CCharFormat &format);

// The greyed impression of text drawn into screen thumbnails: every character at an odd index, line ends
// included, becomes a space.
QString GreyedThumbnailText(const QString &joinedLines);
