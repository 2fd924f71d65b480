#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// What the importers read of a word-processing document, as the word processor's object model shows it:
// paragraphs in document order (those inside tables included) with their text, style name, alignment,
// indent, list kind and character positions in one story, the runs of each paragraph with their formats,
// the top-level tables with the paragraphs they span, and the pictures with the positions they stand at.
// The .docx and plain-text readers fill it; tests build it directly.
class CWordDocument
{
public:
    // Word's paragraph alignment numbers.
    enum Alignment { alignLeft = 0, alignCenter = 1, alignRight = 2, alignJustify = 3 };
    // Word's list kinds: none, bullets, anything above 0 else is numbered.
    enum ListType { listNone = 0, listNumberOnly = 1, listBullet = 2, listSimpleNumbering = 3 };
    // Baseline of a run.
    enum VerticalPosition { baseline = 0, raised = 1, lowered = 2 };

    static constexpr uint32_t autoColour = 0xFFFFFFFFu;

    struct Run
    {
        QString text;                 // as in the paragraph's text: chr(11) line break, chr(12) page break
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        uint32_t colour = autoColour; // COLORREF (red + 256 green + 65536 blue) or autoColour
        QString face;                 // empty: the paragraph style's
        double points = 0;            // 0: the paragraph style's
        int vertical = baseline;
        QString link;                 // the address of a hyperlink around the run
    };

    struct Paragraph
    {
        // Ends in "\r"; a paragraph that ends a table cell ends in "\r\a" (chr(13) chr(7)). chr(11) is a
        // manual line break, chr(12) a page break, chr(1) an inline picture.
        QString text;
        QString styleName;            // as the word processor shows it ("Heading 1", "Normal", "stem")
        int alignment = alignLeft;
        double leftIndent = 0;        // points
        int listType = listNone;
        int listLevel = 0;
        int start = 0;                // character positions; end - start == text length
        int end = 0;
        int wordCount = 0;            // counted as the word processor counts words
        int table = -1;               // index of the top-level table holding it; -1 outside tables
        int cellRow = -1;             // the row and grid column of its cell in that table
        int cellColumn = -1;
        std::vector<Run> runs;
    };

    struct Table
    {
        int start = 0;                // character position of its first paragraph
        int firstParagraph = 0;       // index into paragraphs
        int paragraphCount = 0;
        int rows = 0;
        int columns = 0;
        // [row][grid column], each ending in "\r\a"; a cell spanning columns holds its text in the first
        // and leaves the others empty.
        std::vector<std::vector<QString>> cellTexts;
        // Size in points: the grid's column widths summed, and the rows' heights summed (a row without a
        // height of its own counts its tallest cell's lines at the document's line height).
        int widthPoints = 0;
        int heightPoints = 0;
    };

    // A picture of the document: its media as stored in the package, the character position of the
    // chr(1) that stands for it, and the size it is shown at in pixels at 96 dpi (0 when not given).
    struct Picture
    {
        int position = 0;
        QString name;                 // the media part ("word/media/image1.png")
        QByteArray bytes;
        int width = 0;
        int height = 0;
        bool floating = false;        // anchored beside the text rather than standing in a line
    };

    std::vector<Paragraph> paragraphs;
    std::vector<Table> tables;
    // Inline pictures in document order, then floating ones from the last to the first.
    std::vector<Picture> pictures;
};
