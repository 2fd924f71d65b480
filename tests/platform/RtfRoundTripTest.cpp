#include "platform/CodePage.h"
#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

namespace {

// Every character's format (the link effect apart: the links are marked again from their markers after
// loading) and every paragraph's format must come back.
void ExpectSameContent(const CRichText &expected, const CRichText &actual)
{
    ASSERT_EQ(actual.GetText(), expected.GetText());
    for (int i = 0; i < expected.GetTextLength(); ++i) {
        const CCharFormat &e = expected.GetCharFormatAt(i);
        const CCharFormat &a = actual.GetCharFormatAt(i);
        ASSERT_TRUE(e.SameInRtf(a)) << "character " << i << ": face " << a.face.toStdString() << " size "
                                    << a.height << " effects " << std::hex << a.effects << " colour "
                                    << a.colour;
    }
    ASSERT_EQ(actual.GetParagraphCount(), expected.GetParagraphCount());
    for (int p = 0; p < expected.GetParagraphCount(); ++p) {
        const CParaFormat &e = expected.GetParaFormatAt(expected.ParagraphStart(p));
        const CParaFormat &a = actual.GetParaFormatAt(actual.ParagraphStart(p));
        EXPECT_EQ(a.alignment, e.alignment) << "paragraph " << p;
        EXPECT_EQ(a.startIndent, e.startIndent) << "paragraph " << p;
        EXPECT_EQ(a.offset, e.offset) << "paragraph " << p;
        EXPECT_EQ(a.numbering, e.numbering) << "paragraph " << p;
        if (e.numbering == PFN_ARABIC || e.numberingStyle == PFNS_NONUMBER) {
            EXPECT_EQ(a.numberingStyle, e.numberingStyle) << "paragraph " << p;
        }
        if (e.numbering != 0) {
            EXPECT_EQ(a.numberingStart, e.numberingStart) << "paragraph " << p;
        }
    }
}

CRichText ReadBack(const CRichText &doc)
{
    CRichText copy;
    copy.SetRtf(doc.GetRtf());
    return copy;
}

bool IsSevenBit(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// A document using every format the system stores.
CRichText Formatted()
{
    CRichText doc;
    doc.AppendHeading("Heading {with} back\\slash\n", "Liberation Serif", 16);
    doc.AppendText("Body with a ", 1);
    doc.AppendText("[0002#", 0);
    doc.HideRange(doc.GetTextLength() - 6, doc.GetTextLength());
    doc.AppendText("link", 0);
    doc.SetSelectionCharFormat([] {
        CCharFormat f;
        f.mask = CFM_HIDDEN | CFM_LINK | CFM_UNDERLINE;
        f.effects = CFE_LINK | CFE_UNDERLINE;
        return f;
    }());
    doc.AppendText("#0002]", 0);
    doc.SetSelectionCharFormat([] {
        CCharFormat f;
        f.mask = CFM_HIDDEN | CFM_LINK | CFM_UNDERLINE;
        f.effects = CFE_HIDDEN;
        return f;
    }());
    doc.AppendText(" italic", 0);
    doc.ToggleItalic();
    doc.AppendText(" struck", 0);
    doc.ToggleItalic();
    doc.ToggleStrikeout();
    doc.AppendText(" red", 0);
    doc.ToggleStrikeout();
    doc.SetSelectionColour(0x0000FF);
    doc.AppendText(" lowered\tTab", 0);
    doc.SetSelectionCharFormat([] {
        CCharFormat f;
        f.mask = CFM_OFFSET | CFM_COLOR | CFM_FACE | CFM_SIZE;
        f.effects = CFE_AUTOCOLOR;
        f.offset = -40;
        f.face = "Liberation Mono";
        f.height = 180;
        return f;
    }());
    doc.AppendText("\nCentred and indented", 0);
    doc.AlignCenter();
    doc.IncreaseIndent();
    doc.AppendText("\nBullet one\nBullet two", 0);
    doc.SetSel(doc.GetTextLength() - 11, doc.GetTextLength());
    doc.AlignLeft();
    doc.DecreaseIndent();
    doc.ToggleBullet();
    doc.AppendText("\nNumber one\nNumber two\nUnnumbered", 0);
    doc.SetSel(doc.GetTextLength() - 32, doc.GetTextLength());
    doc.ToggleBullet();
    doc.ToggleNumbering();
    doc.SetSel(doc.GetTextLength(), doc.GetTextLength());
    CParaFormat noNumber;
    noNumber.mask = PFM_NUMBERINGSTYLE;
    noNumber.numberingStyle = PFNS_NONUMBER;
    doc.SetParaFormat(noNumber);
    doc.AppendText("\nRight\vwith a line break\n", 0);
    doc.AlignRight();
    doc.AppendText("Justified", 0);
    doc.AlignJustify();
    return doc;
}

} // namespace

// Guards the store and load of every text box and cell: what is written is read back whole.
TEST(RtfRoundTripTest, FormatsParagraphsAndHiddenMarkersSurvive)
{
    const CRichText doc = Formatted();
    ASSERT_EQ(doc.GetParaFormatAt(doc.GetTextLength() - 1).alignment, PFA_JUSTIFY);
    const QString rtf = doc.GetRtf();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_TRUE(IsSevenBit(rtf));
    const CRichText copy = ReadBack(doc);
    ExpectSameContent(doc, copy);
}

// Guards the mended stream: characters above 0x7F used to be cut to one byte. Texts longer than one
// 4 KiB stream chunk are included.
TEST(RtfRoundTripTest, NonLatinAndLongTextsSurvive)
{
    const QString texts[] = {
        QString::fromUtf8("Καλημέρα κόσμε, ελληνικά"),
        QString::fromUtf8("中文字符和日本語のテキスト"),
        QString::fromUtf8("שלום עולם ومرحبا بالعالم"),
        QString::fromUtf8("Café €5 — “quoted” ‘single’ ñ ß \U0001F600"),
        QString("Long line of plain text number %1. ").repeated(200).arg(7),
    };
    for (const QString &text : texts) {
        SCOPED_TRACE(text.left(30).toStdString());
        CRichText doc;
        doc.ReplaceAll(text + "\n" + text);
        doc.SetSel(3, 9);
        doc.ToggleBold();
        const QString rtf = doc.GetRtf();
        EXPECT_TRUE(IsSevenBit(rtf));
        ExpectSameContent(doc, ReadBack(doc));
    }
    CRichText big;
    big.ReplaceAll(texts[4].repeated(3));
    EXPECT_GT(big.GetRtf().size(), 16 * 1024);
    ExpectSameContent(big, ReadBack(big));
}

// Guards "an untouched project saves to the same bytes": the RTF read is written back as it came until the
// content changes; selecting and marking links (not stored in RTF) do not count as changes.
TEST(RtfRoundTripTest, UnchangedDocumentWritesBackTheRtfItWasReadFrom)
{
    const QString original = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\r\n\\pard\\f0\\fs20 Some [0002#text#0002]\\par\r\n}";
    CRichText doc;
    doc.SetRtf(original);
    EXPECT_EQ(doc.GetText(), "Some [0002#text#0002]");
    doc.SetSel(11, 15);
    doc.ToggleLinkEffect();
    doc.SetLayoutSize(100, 50);
    doc.CountHiddenLines();
    EXPECT_EQ(doc.GetRtf(), original);

    doc.SetSel(0, 4);
    doc.ToggleBold();
    const QString changed = doc.GetRtf();
    EXPECT_NE(changed, original);
    CRichText copy;
    copy.SetRtf(changed);
    EXPECT_TRUE(copy.GetCharFormatAt(0).Has(CFE_BOLD));
    EXPECT_EQ(copy.GetRtf(), changed);
}

// Guards the mended stream-in: an archive string holding characters above 0x7F keeps them.
TEST(RtfRoundTripTest, CharactersAboveAsciiInTheRtfStringAreKept)
{
    CRichText doc;
    doc.SetRtf(QString::fromUtf8("{\\rtf1\\ansi Caf\u00e9 \u03b1\u03b2 \\'e9\\par}"));
    EXPECT_EQ(doc.GetText(), QString::fromUtf8("Café αβ é"));

    // Bytes from a file go through the code page the RTF declares.
    doc.SetRtfBytes(QByteArray("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8\xe2\xe5\xf2\\par}"));
    EXPECT_EQ(doc.GetText(), QString::fromUtf8("Привет"));
}

// Guards the delimiter after a numbering group: a list paragraph without a number of its own and without
// alignment or indent words once gained a leading space.
TEST(RtfRoundTripTest, ListParagraphWithoutItsOwnNumberKeepsItsText)
{
    CRichText doc;
    doc.ReplaceAll("one\ntwo");
    doc.SetSel(5, 5);
    CParaFormat continued;
    continued.mask = PFM_NUMBERING | PFM_NUMBERINGSTYLE;
    continued.numbering = PFN_ARABIC;
    continued.numberingStyle = PFNS_NONUMBER;
    doc.SetParaFormat(continued);
    ExpectSameContent(doc, ReadBack(doc));
}

// Guards the escape of every character above 0x7F: \uN and then its byte in the legacy code page, or "?"
// where that page has none; a character outside the Basic Multilingual Plane is two \u escapes.
TEST(RtfRoundTripTest, CharactersAboveAsciiAreWrittenWithTheirLegacyByte)
{
    struct Case
    {
        int codePage;
        const char *text;
        const char *escaped;
    };
    const Case cases[] = {
        {1252, "é€", "\\u233\\'e9\\u8364\\'80"},
        {1252, "Жé", "\\u1046?\\u233\\'e9"},
        {1251, "ЖжЖ", "\\u1046\\'c6\\u1078\\'e6\\u1046\\'c6"},
        {1251, "é", "\\u233?"},
        {932, "あア", "\\u12354?\\u12450?"},
        {1252, "\U0001F600", "\\u-10179?\\u-8704?"},
        {1252, "\x01", "\\'01"},
    };
    const int saved = CCodePage::GetLegacyCodePage();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.escaped);
        CCodePage::SetLegacyCodePage(c.codePage);
        CRichText doc;
        doc.ReplaceAll(QString::fromUtf8(c.text));
        const QString rtf = doc.GetRtf();
        EXPECT_TRUE(rtf.contains(QLatin1String(c.escaped))) << rtf.toStdString();
        EXPECT_EQ(ReadBack(doc).GetText(), QString::fromUtf8(c.text));
    }
    CCodePage::SetLegacyCodePage(saved);
}
