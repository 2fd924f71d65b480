#pragma once

#include "model/URLLink.h"
#include "platform/Result.h"
#include "platform/richtext/RichText.h"

#include <QString>

#include <memory>
#include <vector>


class CArchive;
class CMarkedText;
class CScreenLookup;

// Rich text with the hyperlinks written into it: the text of a text box or of one table cell, and the
// ordered link records that belong to it.
//
// A link's visible text stands between the hidden markers "[%04d#" and "#%04d]" of its number and carries
// the link effect. The markers are how a record finds its text again after the author has edited around
// it, and the publisher asks for a link's target by the number it reads from them, so records and markers
// are kept in step here: numbering and wrapping new links, re-reading records from their markers after a
// load, and dropping records whose markers were lost before a store.
//
// Every marker counts six characters, so numbers stay within 0 to 9999. A marker is only taken for one
// when all six of its characters are hidden: the author may type text that looks like a marker.
class CRichTextLinks
{
public:
    using LinkList = std::vector<std::unique_ptr<CURLLink>>;

    static constexpr int kMarkerLength = 6;
    static constexpr int kMaxLinkNumber = 9999;
    // More links than markers can number cannot come from a real file.
    static constexpr int kMaxLinkCount = kMaxLinkNumber + 1;

    CRichTextLinks() = default;
    CRichTextLinks(const CRichTextLinks &other);
    CRichTextLinks &operator=(const CRichTextLinks &other);
    CRichTextLinks(CRichTextLinks &&) noexcept = default;
    CRichTextLinks &operator=(CRichTextLinks &&) noexcept = default;
    ~CRichTextLinks() = default;

    CRichText &GetRichText() { return m_text; }
    const CRichText &GetRichText() const { return m_text; }

    // The records in list order (owned).
    const LinkList &GetLinks() const { return m_links; }
    int GetLinkCount() const { return int(m_links.size()); }
    // The first record with that number; null when none has it.
    CURLLink *FindLink(int number) const;
    // Appends a record as read from a file (numbered later by MarkPendingLinks).
    void AppendLink(std::unique_ptr<CURLLink> link);
    void RemoveAllLinks() { m_links.clear(); }

    // The number the last numbering left for the next link (informational: AddLink numbers from the list).
    int GetNextLinkNumber() const { return m_nextLinkNumber; }
    void SetNextLinkNumber(int number) { m_nextLinkNumber = number; }

    // The publisher's questions, by link number, with the defaults for a number no record has.
    int IsScreenLink(int number) const;
    int IsScriptLink(int number) const;
    int IsPopupLink(int number) const;
    int GetLinkPopupHeight(int number) const; // 100 without a record
    int GetLinkPopupWidth(int number) const;  // 250 without a record
    // A screen link: the publish id of its target screen, "" when the screen is gone; otherwise the address
    // or script; "" without a record.
    QString GetLinkTarget(int number, const CScreenLookup *document) const;

    // The number AddLink gives the next link: 2 when there are no records, else the larger of the record
    // count and the highest number, plus one. Pending records (-1) never raise it.
    int NewLinkNumber() const;

    // Makes the text standing at position a link: the text is replaced by opening marker, text and closing
    // marker, both markers hidden, and the visible text is left selected (the link effect is the caller's,
    // see ToggleLinkEffect). The record keeps the position of its opening marker until it is next re-read.
    // Refused, nothing changed, with the message for the author, when the text does not stand there or when
    // every link number is taken even after renumbering the links compactly.
    CStatus AddLink(const QString &text, int position, int screenLink, int targetScreen, const QString &address,
                    int popup, int script, int fullSize, int popupHeight, int popupWidth);
    // Inverts the link effect of the selection when it is uniform, sets it when it is mixed.
    void ToggleLinkEffect();

    // Deletes the record of that number when its text equals text without regard to case: 1, else 0.
    int RemoveLink(const QString &text, int number);
    // Deletes the record of that number whatever its text: 1, else 0.
    int DeleteLink(int number);
    // Unlinks the link around the selection: both markers deleted, the link effect cleared, the record
    // removed (with compareText only when its text matches the visible text). False, and nothing changed,
    // when the selection is not inside a link whose two markers are where they belong.
    bool DeleteLinkAtCaret(bool compareText = true);

    // Writes a record into the text (isNew) or reads it back from its markers. New: the record's text is
    // looked for at its position (the first occurrence for -1) and wrapped in its markers: 12, the
    // characters inserted; 0 when the text does not stand there. Known: text and position refreshed from
    // what stands between the markers, a lost closing marker put back after as many characters as the
    // text has: 0; -1 when the opening marker is not in the text.
    int MarkLink(CURLLink *link, bool isNew);
    // After a load: pending records (-1) are numbered from 0 in list order, counting every record marked
    // so far, their positions moved by the markers inserted before them, and marked; known records are
    // re-read. Records that cannot be marked are deleted, and with dropAddressless every record without an
    // address or script too (their markers are taken out of the text). The next link number becomes the
    // count of records kept plus one.
    void MarkPendingLinks(bool dropAddressless = false);
    // Before a store: records whose markers are lost, out of order or empty are deleted (with any marker
    // of theirs left behind), the others re-read from their markers, so that the records written match
    // the markers of the text written with them.
    void RepairLinks();

    // Link records as text boxes and table cells store them: eleven fields, the later ones behind their
    // schema gates; a full-size popup is written as 560 x 1008.
    static void StoreLinkRecord(CArchive &ar, const CURLLink &link);
    static std::unique_ptr<CURLLink> LoadLinkRecord(CArchive &ar, int fileSchema);
    // The link count, then the records.
    void StoreLinks(CArchive &ar) const;
    void LoadLinks(CArchive &ar, int fileSchema);

private:
    // Gives the records the numbers 0, 1, ... in list order, markers included; false when some record's
    // markers cannot be found (nothing renumbered then).
    bool RenumberCompactly();
    void DeleteRecords(std::vector<const CURLLink *> doomed);
    int MarkLink(CMarkedText &marked, CURLLink *link, bool isNew);
    // Puts back, in one pass over the text, the lost closing markers of known records, as MarkLink would one
    // at a time; the records so mended are returned (they are not re-read). Nothing is done, and nothing
    // returned, when the records or their places could make the two ways differ.
    std::vector<const CURLLink *> RestoreClosingMarkers();
    // Takes whatever markers of a record are left out of the text and clears the link effect they bound.
    void UnwrapLink(CMarkedText &marked, const CURLLink &link);

    CRichText m_text;
    LinkList m_links;
    int m_nextLinkNumber = 0;
};
