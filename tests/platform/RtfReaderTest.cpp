#include "platform/richtext/RichText.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray Fixture(const char *name)
{
    QFile file(QStringLiteral(CORV_FIXTURES "/rtf/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QString Paragraph(const CRichText &doc, int p)
{
    return doc.GetTextRange(doc.ParagraphStart(p), doc.ParagraphEnd(p));
}

} // namespace

// Guards loading what the original editor stored: code page bytes, Unicode escapes with their fallbacks,
// hidden link markers, colours, raised text, bullets and numbering.
TEST(RtfReaderTest, RichEditStyleFixtureParsesToTheExpectedRuns)
{
    CRichText doc;
    const QByteArray fixture = Fixture("richedit.rtf");
    doc.SetRtfBytes(fixture);
    EXPECT_EQ(doc.GetRtf(), QString::fromLatin1(fixture)); // unchanged: written back as it came
    ASSERT_EQ(doc.GetParagraphCount(), 5);
    EXPECT_EQ(Paragraph(doc, 0), QString::fromUtf8("Café bold and red."));
    EXPECT_EQ(Paragraph(doc, 1), "First [0002#link#0002] item");
    EXPECT_EQ(Paragraph(doc, 2), "Second item");
    EXPECT_EQ(Paragraph(doc, 3), "Numbered");
    EXPECT_EQ(Paragraph(doc, 4), QString::fromUtf8("δ€ end"));

    struct Run
    {
        int start;
        int end;
        uint32_t mask;
        uint32_t effects;
    };
    const Run runs[] = {
        {0, 5, CFM_BOLD | CFM_HIDDEN | CFM_COLOR, CFE_AUTOCOLOR},
        {5, 9, CFM_BOLD, CFE_BOLD},
        {9, 14, CFM_BOLD | CFM_COLOR, CFE_AUTOCOLOR},
        {14, 17, CFM_BOLD | CFM_COLOR, 0},
        {25, 31, CFM_HIDDEN, CFE_HIDDEN},
        {31, 35, CFM_HIDDEN, 0},
        {35, 41, CFM_HIDDEN, CFE_HIDDEN},
    };
    for (const Run &r : runs) {
        SCOPED_TRACE(doc.GetTextRange(r.start, r.end).toStdString());
        const CCharFormat f = doc.GetCharFormat(r.start, r.end);
        EXPECT_EQ(f.mask & r.mask, r.mask);
        EXPECT_EQ(f.effects & r.mask & ~CFM_COLOR, r.effects & r.mask & ~CFM_COLOR);
        if (r.mask & CFM_COLOR) {
            EXPECT_EQ(f.Has(CFE_AUTOCOLOR), (r.effects & CFE_AUTOCOLOR) != 0);
        }
    }
    EXPECT_EQ(doc.GetCharFormatAt(14).colour, 0x0000FFu);
    EXPECT_EQ(doc.GetCharFormatAt(0).face, "Arial");
    EXPECT_EQ(doc.GetCharFormatAt(0).height, 240);

    const CParaFormat bullet = doc.GetParaFormatAt(doc.ParagraphStart(1));
    EXPECT_EQ(bullet.numbering, PFN_BULLET);
    EXPECT_EQ(bullet.startIndent, 0);
    EXPECT_EQ(bullet.offset, 200);
    EXPECT_EQ(doc.GetParaFormatAt(doc.ParagraphStart(2)).numbering, PFN_BULLET);
    const CParaFormat number = doc.GetParaFormatAt(doc.ParagraphStart(3));
    EXPECT_EQ(number.numbering, PFN_ARABIC);
    EXPECT_EQ(number.numberingStyle, PFNS_PERIOD);
    EXPECT_EQ(number.numberingStart, 1);
    EXPECT_EQ(number.alignment, PFA_CENTER);
    EXPECT_EQ(doc.GetCharFormatAt(doc.ParagraphStart(3)).offset, 40);
    EXPECT_EQ(doc.GetParaFormatAt(doc.ParagraphStart(4)).alignment, PFA_RIGHT);
    EXPECT_EQ(doc.GetParaFormatAt(doc.ParagraphStart(4)).numbering, 0);
}

// Guards reading RTF that a word processor wrote: style sheets, information, list tables, fields,
// bookmarks and pictures are skipped without losing a character of the text.
TEST(RtfReaderTest, WordProcessorFixtureKeepsAllText)
{
    CRichText doc;
    doc.SetRtfBytes(Fixture("wordprocessor.rtf"));
    ASSERT_EQ(doc.GetParagraphCount(), 5);
    EXPECT_EQ(Paragraph(doc, 0), QString::fromUtf8("Plain opening with “quotes” and café."));
    EXPECT_EQ(Paragraph(doc, 1), "Blue bold orange italic a link end.");
    EXPECT_EQ(Paragraph(doc, 2), "List item one");
    EXPECT_EQ(Paragraph(doc, 3), QString::fromUtf8("αβγ ال"));
    EXPECT_EQ(Paragraph(doc, 4), "Last line\vsecond half\ttabbed");

    const int p1 = doc.ParagraphStart(1);
    const CCharFormat blue = doc.GetCharFormat(p1, p1 + 9);
    EXPECT_TRUE(blue.Has(CFE_BOLD));
    EXPECT_EQ(blue.colour, 0xFF0000u);
    EXPECT_EQ(blue.face, "Liberation Sans");
    EXPECT_EQ(doc.GetCharFormatAt(p1 + 10).colour, 0x0066FFu);
    EXPECT_TRUE(doc.GetCharFormatAt(p1 + 10).Has(CFE_ITALIC));
    EXPECT_TRUE(doc.GetCharFormatAt(p1 + 25).Has(CFE_UNDERLINE));
    const CParaFormat list = doc.GetParaFormatAt(doc.ParagraphStart(2));
    EXPECT_EQ(list.startIndent, 360);
    EXPECT_EQ(list.offset, 360);
}

// Guards the reader against input it cannot trust: it never fails, and keeps what text it can.
TEST(RtfReaderTest, DamagedAndPlainInputIsReadSafely)
{
    struct Case
    {
        const char *name;
        QByteArray rtf;
        QString text;
    };
    const Case cases[] = {
        {"plain text", "Just text\r\nand more", "Just text\rand more"},
        {"unclosed groups", "{\\rtf1 open {\\b bold", "open bold"},
        {"extra closing braces", "{\\rtf1 a}}} b", "a"},
        {"truncated escape", "{\\rtf1 x\\'", "x"},
        {"bad hex", "{\\rtf1 x\\'zz y}", "xzz y"},
        {"unicode skip 2", "{\\rtf1\\uc2 a\\u946\\'e2\\'e2b}", QString::fromUtf8("aβb")},
        {"unicode skip 0", "{\\rtf1\\uc0 \\u946 b}", QString::fromUtf8("βb")},
        {"fallback stops at group end", "{\\rtf1 {\\u946}x}", QString::fromUtf8("βx")},
        {"negative unicode", "{\\rtf1 \\u-3913?}", QString(QChar(0xF0B7))},
        {"unknown ignorable", "{\\rtf1 {\\*\\unknown skipped}kept}", "kept"},
        {"unknown word", "{\\rtf1 \\frobnicate5 kept}", "kept"},
        {"binary data", "{\\rtf1 a{\\pict\\bin4 }}}}}b}", "ab"},
        {"huge numbers", "{\\rtf1 \\fs999999999999\\up-99999999999 \\li99999999999 x}", "x"},
        {"empty", "", ""},
        {"escaped braces", "{\\rtf1 \\{\\}\\\\}", "{}\\"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CRichText doc;
        doc.SetRtfBytes(c.rtf);
        EXPECT_EQ(doc.GetText(), c.text);
        CRichText copy;
        copy.SetRtf(doc.GetRtf());
        EXPECT_EQ(copy.GetText(), c.text);
    }

    // Parameters far out of range are bounded, not wrapped round.
    CRichText huge;
    huge.SetRtfBytes("{\\rtf1 \\fs2147483647\\up2147483647 x}");
    EXPECT_EQ(huge.GetCharFormatAt(0).height, 32760);
    EXPECT_EQ(huge.GetCharFormatAt(0).offset, 32760);

    QByteArray deep = QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "}";
    CRichText doc;
    doc.SetRtfBytes(deep);
    EXPECT_TRUE(doc.GetTextLength() <= 4);
}
