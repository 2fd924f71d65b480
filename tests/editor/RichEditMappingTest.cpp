#include "editor/RichEditMapping.h"
#include "editor/TableGrid.h"
#include "platform/richtext/RichText.h"

#include <QFont>

#include <gtest/gtest.h>

namespace {

// "Go " + link 2 around "here" + " now": the markers stand at [3, 9) and [13, 19).
CRichText LinkedText()
{
    CRichText text;
    text.ReplaceAll(QStringLiteral("Go [0002#here#0002] now"));
    text.HideRange(3, 9);
    text.HideRange(13, 19);
    CCharFormat link;
    link.mask = CFM_LINK;
    link.effects = CFE_LINK;
    text.SetCharFormat(9, 13, link);
    text.SetSel(0, 0);
    return text;
}

QString TextAfterDeleting(CRichText text, int start, int end)
{
    for (const auto &[a, b] : CRichEditMapping(text).DeletableRanges(start, end)) {
        text.SetSel(a, b);
        text.Clear();
    }
    return text.GetText();
}

} // namespace

// Guards the view of a text with a link: the author must see no marker character, and every view position
// must map back to where the document has it.
TEST(RichEditMapping, HiddenMarkersTakeNoPlaceInTheView)
{
    const CRichText text = LinkedText();
    const CRichEditMapping map(text);
    EXPECT_EQ(map.VisibleText(), QStringLiteral("Go here now"));
    EXPECT_EQ(map.ViewFromDoc(3), 3);
    EXPECT_EQ(map.ViewFromDoc(9), 3);
    EXPECT_EQ(map.ViewFromDoc(19), 7);
    EXPECT_EQ(map.DocBeforeHidden(3), 3);
    EXPECT_EQ(map.DocAfterHidden(3), 9);
    EXPECT_EQ(map.DocBeforeHidden(7), 13);
    EXPECT_EQ(map.DocAfterHidden(7), 19);
    // A whole link selected in the view is selected with its markers.
    EXPECT_EQ(map.DocRange(3, 7), std::make_pair(3, 19));
    // A new link takes the words selected, never a marker: "now" can be linked, "Go here" cannot.
    EXPECT_EQ(map.LinkableRange(8, 11), std::make_optional(std::make_pair(20, 23)));
    EXPECT_EQ(map.LinkableRange(0, 7), std::nullopt);
    EXPECT_EQ(map.LinkableRange(4, 4), std::nullopt);
}

// Guards typed text against splitting a marker or joining the wrong link: typed at either end of a link's
// words it goes outside the link, typed among them it goes inside and takes the link effect.
TEST(RichEditMapping, TypedTextGoesOutsideTheLinkAtItsEnds)
{
    const CRichText text = LinkedText();
    const CRichEditMapping map(text);
    struct Case {
        int view;
        int expected;
        bool insideLink;
    };
    const Case cases[] = {{3, 3, false}, {5, 11, true}, {7, 19, false}, {0, 0, false}, {11, 23, false}};
    for (const Case &c : cases) {
        EXPECT_EQ(map.InsertionPoint(c.view), c.expected) << c.view;
        EXPECT_EQ(map.IsInsideLink(map.InsertionPoint(c.view)), c.insideLink) << c.view;
        const CCharFormat typed = map.TypingFormat(c.expected, text.GetCharFormat(c.expected, c.expected));
        EXPECT_FALSE(typed.Has(CFE_HIDDEN)) << c.view;
        EXPECT_EQ(typed.Has(CFE_LINK), c.insideLink) << c.view;
    }
    // Between a closing and an opening marker: after the first link, before the second.
    CRichText two;
    two.ReplaceAll(QStringLiteral("[0002#a#0002][0003#b#0003]"));
    two.HideRange(0, 6);
    two.HideRange(7, 19);
    two.HideRange(20, 26);
    EXPECT_EQ(CRichEditMapping(two).InsertionPoint(1), 13);
}

// Guards the markers against deletions: a marker goes only with its partner, so a link is either kept whole
// or removed whole, never left with one marker.
TEST(RichEditMapping, DeletionsTakeMarkersOnlyInPairs)
{
    const CRichText text = LinkedText();
    struct Case {
        const char *what;
        int start, end;
        const char *expected;
    };
    const Case cases[] = {
        {"the link's words only", 9, 13, "Go [0002##0002] now"},
        {"the whole link", 3, 19, "Go  now"},
        {"from inside the link to the end", 11, 23, "Go [0002#he#0002]"},
        {"from the start into the link", 0, 11, "[0002#re#0002] now"},
        {"everything", 0, 23, ""},
        {"plain text", 19, 23, "Go [0002#here#0002]"},
        {"a range starting inside a marker", 5, 12, "Go [0002#e#0002] now"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TextAfterDeleting(text, c.start, c.end), QString::fromLatin1(c.expected)) << c.what;
}

// Guards the author's clipboard: copied text must not carry a link's markers or effect, or a paste would
// make a second text with a number no record of that text has.
TEST(RichEditMapping, ClipboardLeavesLinksBehind)
{
    const CRichText text = LinkedText();
    const CRichText fragment = RichEditClipboard::Fragment(text, 0, text.GetTextLength());
    EXPECT_EQ(fragment.GetText(), QStringLiteral("Go here now"));
    EXPECT_FALSE(fragment.GetCharFormat(0, fragment.GetTextLength()).Has(CFE_LINK));
    EXPECT_EQ(RichEditClipboard::PlainText(text), QStringLiteral("Go here now"));
    CRichText paragraphs;
    paragraphs.ReplaceAll(QStringLiteral("one\rtwo"));
    EXPECT_EQ(RichEditClipboard::PlainText(paragraphs), QStringLiteral("one\ntwo"));
    // Text that only looks like a marker is the author's own and stays.
    CRichText typed;
    typed.ReplaceAll(QStringLiteral("[0002# is text"));
    EXPECT_EQ(RichEditClipboard::Fragment(typed, 0, typed.GetTextLength()).GetText(), typed.GetText());
}

// Guards the formatting bar: it shows a face and size only when the whole selection has both.
TEST(RichEditMapping, FormattingBarGetsUniformFaceAndSizeOnly)
{
    CCharFormat f;
    f.face = QStringLiteral("Verdana");
    f.height = 280;
    f.mask = CFM_FACE | CFM_SIZE;
    ASSERT_TRUE(UniformFaceAndSize(f).has_value());
    EXPECT_EQ(*UniformFaceAndSize(f), std::make_pair(QStringLiteral("Verdana"), 14));
    f.mask = CFM_SIZE;
    EXPECT_FALSE(UniformFaceAndSize(f).has_value());
    f.mask = CFM_FACE;
    EXPECT_FALSE(UniformFaceAndSize(f).has_value());
}

// Guards the font dialog's change: every choice the dialog offers is applied, bold and italic included.
TEST(RichEditMapping, FontDialogChoicesAreAllApplied)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(18);
    font.setBold(true);
    font.setItalic(true);
    font.setStrikeOut(true);
    const CCharFormat change = FormatFromFontDialog(font, 0x0000FF);
    EXPECT_EQ(change.face, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(change.height, 360);
    EXPECT_EQ(change.colour, 0x0000FFu);
    EXPECT_TRUE(change.Has(CFE_BOLD) && change.Has(CFE_ITALIC) && change.Has(CFE_STRIKEOUT));
    EXPECT_FALSE(change.Has(CFE_UNDERLINE) || change.Has(CFE_AUTOCOLOR));
    EXPECT_EQ(change.mask & (CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT),
              CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT);
}

// Guards the thumbnail's greyed text: odd indices, line ends included, become spaces.
TEST(RichEditMapping, ThumbnailTextIsGreyed)
{
    EXPECT_EQ(GreyedThumbnailText(QStringLiteral("abc\n")), QStringLiteral("a c "));
    EXPECT_EQ(GreyedThumbnailText(QStringLiteral("abcd\n")), QStringLiteral("a c \n"));
    EXPECT_EQ(GreyedThumbnailText(QStringLiteral("a\n")), QStringLiteral("a "));
    EXPECT_EQ(GreyedThumbnailText(QString()), QString());
}

// Guards the table grid against the places the publisher gives the cells: a 2 x 3 table in a 500 x 300
// window puts its bars at 158, 316 and 140 and numbers its cells 1 to 6 row by row.
TEST(TableGrid, NewGridAndCellIds)
{
    const CTableGrid grid(500, 300, 2, 3, {});
    EXPECT_EQ(grid.GetColumnWidth(), 163);
    EXPECT_EQ(grid.GetRowHeight(), 145);
    EXPECT_EQ(grid.GetColumnBars(), (std::vector<int>{158, 316}));
    EXPECT_EQ(grid.GetRowBars(), (std::vector<int>{140}));
    EXPECT_EQ(CTableGrid::CellId(0, 0, 3), 1);
    EXPECT_EQ(CTableGrid::CellId(1, 2, 3), 6);
    // The first row's bars repeated for the second row, then the row bar.
    EXPECT_EQ(grid.SplitterPositions(), (std::vector<int>{158, 316, 158, 316, 140}));
    EXPECT_TRUE(CTableGrid(300, 200, 1, 1, {}).SplitterPositions().empty());
    EXPECT_EQ(CTableGrid(300, 200, 1, 1, {}).CellRect(0), QRect(5, 5, 285, 185));
    // Zero rows or columns (a damaged record) show as one, without dividing by zero.
    EXPECT_EQ(CTableGrid(300, 200, 0, 0, {}).GetColumnWidth(), 290);
}

// Guards stored positions and dragged bars: positions pair from the end, a later row's column bars follow
// the first row's, and no pane gets smaller than 30 pixels.
TEST(TableGrid, StoredPositionsAndDraggedBars)
{
    CTableGrid grid(300, 200, 2, 2, {120, 40, 90});
    EXPECT_EQ(grid.GetColumnBars(), std::vector<int>{120});
    EXPECT_EQ(grid.GetRowBars(), std::vector<int>{90});
    EXPECT_EQ(grid.CellRect(1).left(), grid.CellRect(3).left());
    grid.MoveColumnBar(1, 5);
    EXPECT_EQ(grid.GetColumnBars(), std::vector<int>{30});
    grid.MoveColumnBar(1, 1000);
    EXPECT_EQ(grid.GetColumnBars(), std::vector<int>{288 - 3 - 30});
    grid.MoveRowBar(1, 100);
    const CTableGrid reread(300, 200, 2, 2, grid.SplitterPositions());
    EXPECT_EQ(reread.GetColumnBars(), grid.GetColumnBars());
    EXPECT_EQ(reread.GetRowBars(), std::vector<int>{100});
}

// Guards the header colouring: each header kind colours its own row and column.
TEST(TableGrid, HeaderBackgrounds)
{
    const uint32_t t = 1, h = 2, keep = 3;
    struct Case {
        int kind;
        uint32_t corner, top, left, body;
    };
    const Case cases[] = {{0, t, t, t, t}, {1, h, t, h, t}, {2, h, h, t, t}, {3, h, h, h, t}, {7, keep, keep, keep, keep}};
    for (const Case &c : cases) {
        EXPECT_EQ(CTableGrid::CellBackground(c.kind, 0, 0, t, h, keep), c.corner) << c.kind;
        EXPECT_EQ(CTableGrid::CellBackground(c.kind, 0, 1, t, h, keep), c.top) << c.kind;
        EXPECT_EQ(CTableGrid::CellBackground(c.kind, 1, 0, t, h, keep), c.left) << c.kind;
        EXPECT_EQ(CTableGrid::CellBackground(c.kind, 1, 1, t, h, keep), c.body) << c.kind;
    }
}
