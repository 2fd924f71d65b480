#pragma once

#include "platform/richtext/CharFormat.h"

#include <QFont>

#include <vector>

class CRichText;
class QPaintDevice;

// One display line: [start, end) are its characters without the paragraph end; next is where the
// following line starts (after the paragraph end for the last line of a paragraph).
struct CRichTextLine
{
    int start = 0;
    int end = 0;
    int next = 0;
    int paragraph = 0;
    double top = 0;    // pixels
    double height = 0; // pixels
};

// The display lines of a document at a width, laid out by Qt's text layout with the document's fonts
// at 96 dots per inch, so line breaks and heights do not depend on the screen. Hidden characters take
// no room; raised and lowered text makes its line taller by its offset, as the rich-edit control does.
class CRichTextLayout
{
public:
    CRichTextLayout(const CRichText &text, int width);

    int GetLineCount() const { return int(m_lines.size()); }
    const CRichTextLine &GetLine(int line) const { return m_lines[size_t(line)]; }
    int LineFromChar(int pos) const;
    double GetHeight() const;
    // The number of lines that stay hidden when the text is scrolled as far down as a box of that height
    // allows: the smallest k for which lines k to the last fit, and never more than the lines but one.
    int CountHiddenLines(int height) const;

    static QFont FontFor(const CCharFormat &format);
    // The 96-dpi device that every measurement uses.
    static QPaintDevice *Device();
    static constexpr double kTwipsPerPixel = 15.0;

private:
    void LayParagraph(const CRichText &text, int paragraph, int width, double &top);

    std::vector<CRichTextLine> m_lines;
};
