#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

CRichText Document(const QString &text)
{
    CRichText doc;
    doc.ReplaceAll(text);
    doc.SetSel(0, 0);
    return doc;
}

} // namespace

// Guards the position rules every link marker depends on: hidden characters count, a paragraph end is one
// character, whatever line ends the text was given with.
TEST(RichTextTest, PositionsCountHiddenCharactersAndOneCharacterPerParagraphEnd)
{
    CRichText doc = Document("Go [0002#here#0002] now\r\nNext\nLast");
    doc.HideRange(3, 9);
    doc.HideRange(13, 19);
    EXPECT_EQ(doc.GetTextLength(), 33);
    EXPECT_EQ(doc.GetParagraphCount(), 3);
    EXPECT_EQ(doc.GetTextRange(9, 13), "here");
    EXPECT_EQ(doc.GetTextRange(23, 29), "\rNext\r");
    EXPECT_EQ(doc.ParagraphFromChar(24), 1);
    EXPECT_EQ(doc.ParagraphStart(2), 29);
    EXPECT_EQ(doc.ParagraphEnd(0), 23);
    EXPECT_TRUE(doc.GetCharFormatAt(3).Has(CFE_HIDDEN));
    EXPECT_FALSE(doc.GetCharFormatAt(9).Has(CFE_HIDDEN));
}

// Guards the toggle rule: a mixed selection is switched on, a uniform one inverted, for every effect.
TEST(RichTextTest, CharacterTogglesSwitchMixedOnAndInvertUniform)
{
    struct Case
    {
        const char *name;
        std::function<void(CRichText &)> toggle;
        uint32_t mask;
        uint32_t effect;
    };
    const Case cases[] = {
        {"bold", [](CRichText &d) { d.ToggleBold(); }, CFM_BOLD, CFE_BOLD},
        {"italic", [](CRichText &d) { d.ToggleItalic(); }, CFM_ITALIC, CFE_ITALIC},
        {"underline", [](CRichText &d) { d.ToggleUnderline(); }, CFM_UNDERLINE, CFE_UNDERLINE},
        {"strikeout", [](CRichText &d) { d.ToggleStrikeout(); }, CFM_STRIKEOUT, CFE_STRIKEOUT},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CRichText doc = Document("partly formatted");
        doc.SetSel(0, 6);
        c.toggle(doc);
        doc.SetSel(3, 16); // "tly formatted": mixed
        EXPECT_FALSE(doc.GetSelectionCharFormat().mask & c.mask);
        c.toggle(doc);
        CCharFormat f = doc.GetSelectionCharFormat();
        EXPECT_TRUE((f.mask & c.mask) && f.Has(c.effect));
        c.toggle(doc);
        f = doc.GetSelectionCharFormat();
        EXPECT_TRUE((f.mask & c.mask) && !f.Has(c.effect));
        EXPECT_TRUE(doc.GetCharFormatAt(0).Has(c.effect)); // outside the selection: untouched
    }
}

TEST(RichTextTest, ColourFaceAndSizeApplyToTheSelectionOnly)
{
    CRichText doc = Document("one two");
    doc.SetSel(4, 7);
    doc.SetSelectionColour(0x0000FF);
    doc.SetSelectionFace("Liberation Serif");
    doc.SetSelectionPointSize(18);
    const CCharFormat f = doc.GetSelectionCharFormat();
    EXPECT_EQ(f.colour, 0x0000FFu);
    EXPECT_FALSE(f.Has(CFE_AUTOCOLOR));
    EXPECT_EQ(f.face, "Liberation Serif");
    EXPECT_EQ(f.height, 360);
    EXPECT_TRUE(doc.GetCharFormatAt(0).Has(CFE_AUTOCOLOR));
    const CCharFormat whole = doc.GetCharFormat(0, 7);
    EXPECT_EQ(whole.mask & (CFM_COLOR | CFM_FACE | CFM_SIZE), 0u);
    EXPECT_EQ(whole.mask & CFM_BOLD, CFM_BOLD);
}

// Guards the exact formats the importers rely on, and that appending never reformats what was there.
TEST(RichTextTest, AppendFormatsTouchOnlyTheAppendedRun)
{
    CRichText doc = Document("Old");
    doc.SetSel(0, 3);
    doc.ToggleBold();
    EXPECT_EQ(doc.AppendText(" new", 1), 1);
    int start = 0, end = 0;
    doc.GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 7);
    CCharFormat run = doc.GetSelectionCharFormat();
    EXPECT_EQ(run.height, 240);
    EXPECT_EQ(run.offset, 20);
    EXPECT_FALSE(run.Has(CFE_BOLD));
    const CCharFormat old = doc.GetCharFormat(0, 3);
    EXPECT_TRUE(old.Has(CFE_BOLD));
    EXPECT_EQ(old.height, 200);
    EXPECT_EQ(old.offset, 0);

    EXPECT_EQ(doc.AppendText(" plain", 0), 0);
    EXPECT_EQ(doc.GetSelectionCharFormat().height, 240); // inherits, nothing applied

    doc.AppendHeading("\nTitle", "Liberation Serif", 14);
    run = doc.GetSelectionCharFormat();
    EXPECT_TRUE(run.Has(CFE_BOLD));
    EXPECT_EQ(run.face, "Liberation Serif");
    EXPECT_EQ(run.height, 280);
    EXPECT_EQ(run.offset, 200);

    EXPECT_FALSE(doc.IsLastParagraphBulleted());
    doc.AppendBulletedLine();
    EXPECT_TRUE(doc.IsLastParagraphBulleted());
    EXPECT_EQ(doc.GetParaFormatAt(doc.GetTextLength()).offset, 10);
    EXPECT_EQ(doc.GetParaFormatAt(0).numbering, 0);
    EXPECT_EQ(doc.GetText(), "Old new plain\rTitle\r");
}

// Guards the bullet and numbering cycles, including the "no number" style a second Numbering leaves.
TEST(RichTextTest, ParagraphTogglesFollowTheBulletAndNumberingCycles)
{
    CRichText doc = Document("one\ntwo\nthree");
    doc.SetSel(0, 5); // first two paragraphs
    doc.ToggleBullet();
    CParaFormat f = doc.GetParaFormat();
    EXPECT_EQ(f.numbering, PFN_BULLET);
    EXPECT_EQ(f.numberingStyle, PFNS_PLAIN);
    EXPECT_EQ(f.numberingStart, 1);
    EXPECT_EQ(f.offset, 10);
    EXPECT_TRUE(doc.IsParagraphNumbered());
    EXPECT_EQ(doc.GetParaFormatAt(9).numbering, 0);
    doc.ToggleBullet();
    EXPECT_EQ(doc.GetParaFormat().numbering, 0);

    doc.ToggleNumbering();
    f = doc.GetParaFormat();
    EXPECT_EQ(f.numbering, PFN_ARABIC);
    EXPECT_EQ(f.numberingStyle, PFNS_PERIOD);
    EXPECT_EQ(f.numberingStart, 1);
    doc.ToggleNumbering();
    f = doc.GetParaFormat();
    EXPECT_EQ(f.numbering, 0);
    EXPECT_EQ(f.numberingStyle, PFNS_NONUMBER);
    doc.ToggleNumbering();
    f = doc.GetParaFormat();
    EXPECT_EQ(f.numbering, PFN_ARABIC);
    EXPECT_EQ(f.numberingStyle, PFNS_PERIOD);

    // A numbered list paragraph without its own number gets its number back.
    CParaFormat noNumber;
    noNumber.mask = PFM_NUMBERINGSTYLE;
    noNumber.numberingStyle = PFNS_NONUMBER;
    doc.SetParaFormat(noNumber);
    doc.ToggleNumbering();
    f = doc.GetParaFormat();
    EXPECT_EQ(f.numbering, PFN_ARABIC);
    EXPECT_EQ(f.numberingStyle, PFNS_PERIOD);
}

TEST(RichTextTest, AlignmentAndIndentCommands)
{
    CRichText doc = Document("one\ntwo");
    doc.SetSel(0, -1);
    doc.AlignCenter();
    EXPECT_EQ(doc.GetParaFormat().alignment, PFA_CENTER);
    doc.AlignJustify();
    EXPECT_EQ(doc.GetParaFormatAt(5).alignment, PFA_JUSTIFY);

    doc.SetSel(0, 0);
    CParaFormat offset;
    offset.mask = PFM_OFFSET;
    offset.offset = 120;
    doc.SetParaFormat(offset);
    doc.SetSel(0, -1);
    doc.IncreaseIndent();
    doc.IncreaseIndent();
    EXPECT_EQ(doc.GetParaFormat().startIndent, 720);
    EXPECT_EQ(doc.GetParaFormatAt(5).offset, 120); // the first paragraph's offset is given to all
    doc.DecreaseIndent();
    EXPECT_EQ(doc.GetParaFormat().startIndent, 360);
    doc.DecreaseIndent();
    doc.DecreaseIndent();
    EXPECT_EQ(doc.GetParaFormat().startIndent, 0);
    doc.IndentByZero();
    EXPECT_EQ(doc.GetParaFormat().mask & PFM_STARTINDENT, PFM_STARTINDENT);

    // Indent by zero keeps every start indent and gives all the first paragraph's offset.
    doc.SetSel(5, 5);
    doc.IncreaseIndent();
    offset.offset = 480;
    doc.SetParaFormat(offset);
    doc.SetSel(0, -1);
    doc.IndentByZero();
    EXPECT_EQ(doc.GetParaFormatAt(0).startIndent, 0);
    EXPECT_EQ(doc.GetParaFormatAt(5).startIndent, 360);
    EXPECT_EQ(doc.GetParaFormatAt(5).offset, 120);

    doc.SetRightToLeft(true);
    EXPECT_TRUE(doc.IsRightToLeft());
    EXPECT_EQ(doc.GetParaFormat().alignment, PFA_RIGHT);
    EXPECT_EQ(doc.GetSelText(), "one\rtwo");
    doc.SetRightToLeft(false);
    EXPECT_EQ(doc.GetParaFormat().alignment, PFA_LEFT);
}

// Guards the find the link markers and the sentence search use.
TEST(RichTextTest, FindForwardBackwardWholeWordAndCase)
{
    const CRichText doc = Document("The cat. Category cat\nCAT end");
    struct Case
    {
        uint32_t flags;
        int start;
        int end;
        const char *what;
        int expected;
    };
    const Case cases[] = {
        {FR_DOWN, 0, -1, "cat", 4},
        {FR_DOWN, 5, -1, "cat", 9},                     // inside "Category", case ignored
        {FR_DOWN | FR_WHOLEWORD, 5, -1, "cat", 18},
        {FR_DOWN | FR_MATCHCASE, 19, -1, "CAT", 22},
        {FR_DOWN, 0, 7, "cat", 4},
        {FR_DOWN, 0, 7, "cat.", -1},                    // would end beyond the range
        {0, 21, 0, "cat", 18},                          // backward: must end at or before 21
        {0, 20, 0, "cat", 9},
        {0, 20, 10, "cat", -1},                         // backward limit
        {0, -1, 0, "\n", 21},                           // "\n" stands for a paragraph end
        {FR_DOWN, 0, -1, "cat\r\ncat", 18},
        {FR_DOWN, 0, -1, "dog", -1},
        {FR_DOWN, 0, -1, "", -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.what) + " from " + std::to_string(c.start));
        EXPECT_EQ(doc.FindText(c.flags, c.start, c.end, QString::fromUtf8(c.what)), c.expected);
    }
    int matchEnd = 0;
    EXPECT_EQ(doc.FindText(FR_DOWN, 0, -1, "cat\ncat", &matchEnd), 18);
    EXPECT_EQ(matchEnd, 25);
}

// Guards cut and paste of fragments: formats, hidden characters and paragraph formats travel with the text.
TEST(RichTextTest, FragmentsKeepFormatsHiddenTextAndParagraphs)
{
    CRichText doc = Document("keep [0002#link#0002] end\nbullet line\ntail");
    doc.HideRange(5, 11);
    doc.SetSel(11, 15);
    doc.ToggleLinkEffect();
    doc.ToggleItalic();
    doc.SetSel(27, 27);
    doc.ToggleBullet();

    doc.SetSel(5, 38);
    const CRichText fragment = doc.Cut();
    EXPECT_EQ(fragment.GetText(), "[0002#link#0002] end\rbullet line\r");
    EXPECT_EQ(doc.GetText(), "keep tail");
    EXPECT_TRUE(fragment.GetCharFormatAt(0).Has(CFE_HIDDEN));
    EXPECT_TRUE(fragment.GetCharFormatAt(6).Has(CFE_LINK));
    EXPECT_TRUE(fragment.GetCharFormatAt(6).Has(CFE_ITALIC));
    EXPECT_EQ(fragment.GetParaFormatAt(21).numbering, PFN_BULLET);

    CRichText target = Document("Start: ");
    target.SetSel(7, 7);
    target.ReplaceSel(fragment);
    EXPECT_EQ(target.GetText(), "Start: [0002#link#0002] end\rbullet line\r");
    EXPECT_TRUE(target.GetCharFormatAt(7).Has(CFE_HIDDEN));
    EXPECT_TRUE(target.GetCharFormatAt(13).Has(CFE_LINK));
    EXPECT_EQ(target.GetParaFormatAt(28).numbering, PFN_BULLET);
    EXPECT_EQ(target.GetParaFormatAt(target.GetTextLength()).numbering, 0);
    int start = 0, end = 0;
    target.GetSel(start, end);
    EXPECT_EQ(start, target.GetTextLength());

    // A link style partly present goes from the whole range.
    target.RemoveLinkStyle(10, 17);
    EXPECT_FALSE(target.GetCharFormat(10, 17).Has(CFE_LINK));
    EXPECT_TRUE(target.GetCharFormat(10, 17).mask & CFM_LINK);
}

TEST(RichTextTest, InsertionFormatAndDefaultFormat)
{
    CRichText doc;
    CCharFormat def;
    def.mask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD;
    def.face = "Liberation Sans";
    def.height = 280;
    def.colour = 0x123456;
    doc.SetDefaultCharFormat(def);
    doc.ReplaceSel("typed");
    EXPECT_EQ(doc.GetCharFormatAt(0).face, "Liberation Sans");
    EXPECT_EQ(doc.GetCharFormatAt(0).height, 280);
    EXPECT_EQ(doc.GetCharFormatAt(0).colour, 0x123456u);

    // A format set on an empty selection applies to what is typed there next.
    doc.SetSel(5, 5);
    doc.ToggleBold();
    doc.ReplaceSel("B");
    EXPECT_TRUE(doc.GetCharFormatAt(5).Has(CFE_BOLD));
    EXPECT_FALSE(doc.GetCharFormatAt(4).Has(CFE_BOLD));

    doc.ClearAll();
    EXPECT_TRUE(doc.IsEmpty());
    EXPECT_EQ(doc.GetParagraphCount(), 1);
    const CRichText cut = [&] {
        doc.ReplaceAll("a\nb");
        return doc.CutAll();
    }();
    EXPECT_EQ(cut.GetText(), "a\rb");
    EXPECT_TRUE(doc.IsEmpty());
}

// Guards pasting a document into itself: the text inserted must be the text before the paste, with a
// format for every character.
TEST(RichTextTest, ReplacingTheSelectionWithTheDocumentItselfDoublesIt)
{
    CRichText doc = Document("ab\ncd");
    doc.SetSel(0, 2);
    doc.ToggleBold();
    doc.SetSel(1, 4); // "b\rc": deleted before the insertion
    doc.ReplaceSel(doc);
    EXPECT_EQ(doc.GetText(), "aab\rcdd");
    EXPECT_EQ(doc.GetParagraphCount(), 2);
    const bool bold[] = {true, true, true, false, false, false, false};
    for (int i = 0; i < doc.GetTextLength(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(doc.GetCharFormatAt(i).Has(CFE_BOLD), bold[i]);
    }
}
