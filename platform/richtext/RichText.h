#pragma once

#include "platform/Rect.h"
#include "platform/richtext/CharFormat.h"
#include "platform/richtext/ParaFormat.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

class CRichTextLayout;
class CRtfReader;
class QPainter;

// Flags of FindText, with the rich-edit values.
constexpr uint32_t FR_DOWN = 0x1;
constexpr uint32_t FR_WHOLEWORD = 0x2;
constexpr uint32_t FR_MATCHCASE = 0x4;

// The rich text of a text box, a table cell or a question: paragraphs of formatted characters, a selection,
// and the operations the screens, the importers and the publisher call on it.
//
// Positions count characters as the rich-edit control does: UTF-16 code units, hidden characters (the
// link markers) like any other, and one character ("\r") for each paragraph end. The text never ends
// with the document's own final paragraph mark, so an empty document has length 0.
//
// Display lines are those of a layout at the size given by SetLayoutSize (pixels at 96 dpi); the overflow
// operations count the lines that do not fit that height.
class CRichText
{
public:
    CRichText();
    CRichText(const CRichText &other);
    CRichText &operator=(const CRichText &other);
    CRichText(CRichText &&other) noexcept;
    CRichText &operator=(CRichText &&other) noexcept;
    ~CRichText();

    static constexpr QChar kParagraphEnd = u'\r';
    static constexpr QChar kLineBreak = u'\v'; // a line break inside a paragraph

    // Text and positions.
    int GetTextLength() const { return int(m_text.size()); }
    bool IsEmpty() const { return m_text.isEmpty(); }
    const QString &GetText() const { return m_text; }
    QString GetTextRange(int start, int end) const;
    int GetParagraphCount() const { return int(m_paras.size()); }
    int ParagraphFromChar(int pos) const;
    int ParagraphStart(int paragraph) const;
    // End of the paragraph's text: the position of its paragraph end, or the text length for the last.
    int ParagraphEnd(int paragraph) const;

    // Selection. SetSel(0, -1) selects everything; a negative start removes the selection (caret at the end).
    void SetSel(int start, int end);
    void GetSel(int &start, int &end) const;
    QString GetSelText() const;
    QString GetSelectedText() const { return GetSelText(); }

    // Replaces the selection without undo; the caret ends after the new text. "\r\n", "\n" and "\r" in
    // plain text become paragraph ends; new text takes the insertion format.
    void ReplaceSel(const QString &text);
    void ReplaceSel(const CRichText &fragment);
    void Clear(); // deletes the selection
    // The selection as a rich-text fragment (formats and hidden characters kept); Cut also deletes it.
    CRichText Copy() const;
    CRichText Cut();
    CRichText GetFragment(int start, int end) const;

    // Character formats. Reading a range reports the first character's format with the mask bits of the
    // attributes that are uniform over the range; an empty range reports the insertion format.
    CCharFormat GetCharFormat(int start, int end) const;
    CCharFormat GetSelectionCharFormat() const;
    const CCharFormat &GetCharFormatAt(int pos) const;
    void SetCharFormat(int start, int end, const CCharFormat &change);
    // On an empty selection this sets the format that the next inserted text takes.
    void SetSelectionCharFormat(const CCharFormat &change);
    CCharFormat GetDefaultCharFormat() const;
    // The format of text typed into an empty document (and of text with no neighbour to inherit from).
    void SetDefaultCharFormat(const CCharFormat &change);

    // Paragraph formats of the paragraphs the selection touches: read reports the first one's format with
    // the mask bits of the fields uniform over them.
    CParaFormat GetParaFormat() const;
    const CParaFormat &GetParaFormatAt(int pos) const;
    void SetParaFormat(const CParaFormat &change);

    // Find: with FR_DOWN the first match inside [start, end) (end -1: to the end of the text); without
    // FR_DOWN the last match that ends at or before start and begins at or after end (end -1: 0). "\n"
    // and "\r\n" in the searched string stand for a paragraph end. Returns the match position or -1;
    // *matchEnd receives the position after the match.
    int FindText(uint32_t flags, int start, int end, const QString &what, int *matchEnd = nullptr) const;

    // Layout size in pixels; a width of 0 or less means no wrapping, a height of 0 or less no limit.
    void SetLayoutSize(int width, int height);
    int GetLayoutWidth() const { return m_width; }
    int GetLayoutHeight() const { return m_height; }
    int GetLineCount() const;
    int LineIndex(int line) const;  // first character of the display line; -1 beyond the last
    int LineFromChar(int pos) const;
    int LineLength(int line) const; // characters of the line, its paragraph end not counted
    QString GetLine(int line) const; // the line's characters, hidden ones and its paragraph end included
    int GetFirstVisibleLine() const { return m_firstVisibleLine; }
    // Scrolls by whole lines, as far as the height allows (the last line may reach the top no further
    // than needed to show the last page).
    void LineScroll(int lines);
    const CRichTextLayout &Layout() const;

    // Whole-text and selection operations.
    void ClearAll();
    void ReplaceAll(const QString &text);
    CRichText CutAll();
    void ScrollToTop();
    void HideRange(int start, int end);
    void RemoveLinkStyle(int start, int end);
    bool IsLastParagraphBulleted();
    bool IsParagraphNumbered() const;

    // Appending at the end; the appended text is left selected.
    int AppendText(const QString &text, int flag);
    int AppendHeading(const QString &text, const QString &face, int points);
    int AppendBulletedLine();

    // Paragraph commands on the selected paragraphs.
    void ToggleBullet();
    void ToggleNumbering();
    void AlignLeft() { SetAlignment(PFA_LEFT); }
    void AlignCenter() { SetAlignment(PFA_CENTER); }
    void AlignRight() { SetAlignment(PFA_RIGHT); }
    void AlignJustify() { SetAlignment(PFA_JUSTIFY); }
    void IndentByZero() { ChangeIndent(0, PFM_STARTINDENT); }
    void IncreaseIndent() { ChangeIndent(360, 0); }
    void DecreaseIndent() { ChangeIndent(-360, 0); }

    // Character commands on the selection.
    void ToggleBold() { ToggleEffect(CFM_BOLD, CFE_BOLD); }
    void ToggleItalic() { ToggleEffect(CFM_ITALIC, CFE_ITALIC); }
    void ToggleUnderline() { ToggleEffect(CFM_UNDERLINE, CFE_UNDERLINE); }
    void ToggleStrikeout() { ToggleEffect(CFM_STRIKEOUT, CFE_STRIKEOUT); }
    void ToggleLinkEffect() { ToggleEffect(CFM_LINK, CFE_LINK); }
    void SetSelectionColour(uint32_t colour);
    void SetSelectionFace(const QString &face);
    void SetSelectionPointSize(int points);

    // Right to left: the flag is recorded, and the whole text is selected and aligned right (or left).
    void SetRightToLeft(bool rightToLeft);
    bool IsRightToLeft() const { return m_rightToLeft; }

    // Overflow: the display lines below the layout height.
    int CountHiddenLines();
    bool IsOverflowing();
    // The text after the last complete sentence before the first hidden line, left selected.
    CRichText GetOverflowAfterLastSentence();
    // The same with leading spaces and line ends skipped, taken out of this document.
    CRichText CutOverflowAfterLastSentence();
    void DeleteOverflowAfterLastSentence();
    // The trailing bold heading lines of the face and size, left selected; "" when the last non-empty
    // line is not such a heading.
    QString GetTrailingHeadingText(const QString &face, int points);

    // RTF. GetRtf gives back the very RTF last read until the content changes. SetRtf reads an archive
    // string (characters above 0x7F are taken as themselves); SetRtfBytes reads a file's bytes (bytes
    // above 0x7F go through the declared code page). Text that is not RTF is read as plain text.
    QString GetRtf() const;
    void SetRtf(const QString &rtf);
    void SetRtfBytes(const QByteArray &rtf);

    // Plain text of every display line, each followed by "\n" (hidden characters left out), drawn into
    // the rectangle with the default format's font, top left, explicit line breaks only.
    QString GetDrawText() const;
    void DrawToDC(QPainter &painter, const CRect &rect) const;

    // Building blocks of the RTF reader: append characters with a format, and set a paragraph's format
    // without touching the cached RTF.
    void AppendRaw(QStringView text, const CCharFormat &format);
    void AppendRaw(const QString &text, const CCharFormat &format) { AppendRaw(QStringView(text), format); }
    void SetParagraphFormatRaw(int paragraph, const CParaFormat &format);
    void SetRtfSource(const QString &rtf) { m_rtfSource = rtf; }

    // One insertion of InsertEach: the text goes in at `at` (a position in the text as it stands) with the
    // format that text typed there would take, changed by `change`.
    struct Insertion {
        int at;
        QString text;
    };
    // Makes every insertion in one pass over the text, so that thousands of them cost as much as one.
    // Positions must rise strictly; the texts hold no paragraph ends. The selection is left at the start.
    void InsertEach(const std::vector<Insertion> &insertions, const CCharFormat &change);

private:
    friend class CRichTextLayout;

    int InternFormat(const CCharFormat &format);
    // This document's format indices for characters whose indices point into another format table.
    std::vector<int> InternFormats(const std::vector<CCharFormat> &formats, std::vector<int>::const_iterator first,
                                   std::vector<int>::const_iterator last);
    CCharFormat InsertionFormat(int pos) const;
    void InsertAt(int pos, const QString &text, const std::vector<int> &formats,
                  const std::vector<CParaFormat> &fragmentParas);
    void DeleteRange(int start, int end);
    void ContentChanged();
    void RebuildParagraphStarts() const;
    void ClampSelection();
    void AppendSelected(const QString &text);
    void SetAlignment(int alignment);
    void ChangeIndent(int change, uint32_t extraMask);
    void ToggleEffect(uint32_t mask, uint32_t effect);
    int HiddenLineCount() const;
    int LastSentenceEnd();
    void CompactFormats();
    void TakeContent(CRichText &read);

    QString m_text;
    std::vector<int> m_charFormats;   // per character, an index into m_formats
    std::vector<CCharFormat> m_formats;
    std::map<std::tuple<uint32_t, int, int, uint32_t, QString>, int> m_formatIndex;
    std::vector<CParaFormat> m_paras; // one per paragraph: the count of paragraph ends + 1
    CCharFormat m_defaultFormat;
    std::optional<CCharFormat> m_insertFormat;
    int m_selStart = 0;
    int m_selEnd = 0;
    bool m_rightToLeft = false;
    int m_width = 0;
    int m_height = 0;
    int m_firstVisibleLine = 0;
    mutable QString m_rtfSource;                 // empty: write afresh
    mutable std::vector<int> m_paraStarts;       // empty: rebuild
    mutable std::unique_ptr<CRichTextLayout> m_layout; // null: lay out again
};
