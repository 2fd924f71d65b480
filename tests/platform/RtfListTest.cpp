#include "RtfTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A list table as Word writes it: list 10 has a bullet level and a lower-letter level "a)", list 20 an
// arabic level "3." that starts at 3 and a level "3.1." that shows two numbers, list 30 a level of numbers
// with leading zeros.
const QByteArray kHead =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\r\n"
    "{\\*\\listtable\r\n"
    "{\\list\\listtemplateid1\\listhybrid{\\listlevel\\levelnfc23\\levelnfcn23\\levelstartat1{\\leveltext"
    "\\leveltemplateid5\\'01\\u-3913 ?;}{\\levelnumbers;}\\f1\\fi-360\\li720}{\\listlevel\\levelnfc4\\levelstartat1"
    "{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}\\fi-360\\li1440}{\\listname ;}\\listid10}\r\n"
    "{\\list\\listtemplateid2{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}"
    "\\fi-360\\li720}{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}"
    "\\fi-360\\li1080}\\listid20}\r\n"
    "{\\list{\\listlevel\\levelnfc22{\\leveltext\\'02\\'00.;}}\\listid30}}\r\n"
    "{\\*\\listoverridetable{\\listoverride\\listid10\\listoverridecount0\\ls1}{\\listoverride\\listid20"
    "\\listoverridecount0\\ls2}{\\listoverride\\listid30\\listoverridecount0{\\lfolevel\\listoverridestartat"
    "{\\listlevel\\levelnfc0\\levelstartat7{\\leveltext\\'02\\'00.;}}}\\ls3}}\r\n";

// What one paragraph must read as: its text, and its numbering, numbering style, start and indents.
struct Para
{
    const char *text;
    int numbering = 0;
    int style = 0;
    int start = 0;
    int startIndent = 0;
    int offset = 0;
};

void ExpectParagraphs(const CRichText &doc, const std::vector<Para> &expected)
{
    ASSERT_EQ(doc.GetParagraphCount(), int(expected.size())) << doc.GetText().toStdString();
    for (int p = 0; p < doc.GetParagraphCount(); ++p) {
        SCOPED_TRACE(p);
        const Para &e = expected[size_t(p)];
        const CParaFormat &f = ParagraphFormat(doc, p);
        EXPECT_EQ(ParagraphText(doc, p), QString::fromUtf8(e.text));
        EXPECT_EQ(f.numbering, e.numbering);
        if (e.numbering > PFN_BULLET) {
            EXPECT_EQ(f.numberingStyle, e.style);
            EXPECT_EQ(f.numberingStart, e.start);
        }
        EXPECT_EQ(f.startIndent, e.startIndent);
        EXPECT_EQ(f.offset, e.offset);
    }
}

} // namespace

// Guards Word lists: their bullets and numbers were lost, leaving indented paragraphs. A level the rich
// text can show becomes its bullet or numbering (style and start kept, numbers going on where the list goes
// on); a level it cannot show keeps the list text Word wrote for it.
TEST(RtfListTest, WordListsKeepTheirMarkers)
{
    struct Case
    {
        const char *name;
        QByteArray body;
        std::vector<Para> paragraphs;
    };
    const Case cases[] = {
        {"bullets",
         "\\pard\\ls1\\fi-360\\li720{\\listtext\\f1\\'b7\\tab}One\\par{\\listtext\\f1\\'b7\\tab}Two\\par}",
         {{"One", PFN_BULLET, 0, 0, 360, 360}, {"Two", PFN_BULLET, 0, 0, 360, 360}}},
        {"numbers from 3, indents of the level",
         "\\pard\\ls2{\\listtext 3.\\tab}A\\par{\\listtext 4.\\tab}B\\par}",
         {{"A", PFN_ARABIC, PFNS_PERIOD, 3, 360, 360}, {"B", PFN_ARABIC, PFNS_PERIOD, 3, 360, 360}}},
        {"second level letters",
         "\\pard\\ls1\\ilvl1\\fi-360\\li1440{\\listtext a)\\tab}Sub\\par}",
         {{"Sub", PFN_LCLETTER, PFNS_PAREN, 1, 1080, 360}}},
        {"numbering goes on after a plain paragraph",
         "\\pard\\ls2{\\listtext 3.\\tab}A\\par\\pard Note\\par\\pard\\ls2{\\listtext 4.\\tab}B\\par}",
         {{"A", PFN_ARABIC, PFNS_PERIOD, 3, 360, 360}, {"Note"}, {"B", PFN_ARABIC, PFNS_PERIOD, 4, 360, 360}}},
        {"a lower level starts again after a higher one",
         "\\pard\\ls1\\ilvl1 x\\par y\\par\\pard\\ls1 z\\par\\pard\\ls1\\ilvl1 w\\par}",
         {{"x", PFN_LCLETTER, PFNS_PAREN, 1, 1080, 360},
          {"y", PFN_LCLETTER, PFNS_PAREN, 1, 1080, 360},
          {"z", PFN_BULLET, 0, 0, 360, 360},
          {"w", PFN_LCLETTER, PFNS_PAREN, 1, 1080, 360}}},
        {"two numbers in one marker keep the list text",
         "\\pard\\ls2\\ilvl1\\fi-360\\li1080{\\listtext 3.1.\\tab}Deep\\par}", {{"3.1.\tDeep", 0, 0, 0, 720, 360}}},
        {"number format the rich text lacks keeps the list text",
         "\\pard\\ls3\\fi-360\\li720{\\listtext 01.\\tab}Zero\\par}", {{"01.\tZero", 0, 0, 0, 360, 360}}},
        {"list text written before the paragraph's properties",
         "{\\listtext\\f1\\'b7\\tab}\\pard\\ls1\\fi-360\\li720 Early\\par}", {{"Early", PFN_BULLET, 0, 0, 360, 360}}},
        {"list without a table keeps the list text", "\\pard\\ls9{\\listtext *\\tab}Orphan\\par}",
         {{"*\tOrphan"}}},
        {"last paragraph without a paragraph end", "\\pard\\ls2{\\listtext 3.\\tab}A\\par{\\listtext 4.\\tab}B}",
         {{"A", PFN_ARABIC, PFNS_PERIOD, 3, 360, 360}, {"B", PFN_ARABIC, PFNS_PERIOD, 3, 360, 360}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray rtf = kHead + c.body;
        const CRichText doc = ReadRtfBytes(rtf);
        ExpectParagraphs(doc, c.paragraphs);
        EXPECT_EQ(doc.GetRtf(), QString::fromLatin1(rtf)); // untouched: stored as it came

        // Written afresh, the markers survive our own writer and reader.
        CRichText copy;
        copy.SetRtf(RewrittenRtf(doc));
        ExpectParagraphs(copy, c.paragraphs);
    }
}

// Guards the list text's own formats: where the rich text cannot show the marker, the list text keeps the
// font it was written in, and the paragraph's text keeps its own.
TEST(RtfListTest, KeptListTextKeepsItsFormat)
{
    const CRichText doc = ReadRtfBytes(kHead + "\\pard\\ls3{\\listtext\\b 01.\\tab}\\f1 Zero\\par}");
    ASSERT_EQ(doc.GetText(), "01.\tZero");
    EXPECT_TRUE(doc.GetCharFormatAt(0).Has(CFE_BOLD));
    EXPECT_EQ(doc.GetCharFormatAt(0).face, "Arial");
    EXPECT_FALSE(doc.GetCharFormatAt(4).Has(CFE_BOLD));
    EXPECT_EQ(doc.GetCharFormatAt(4).face, "Symbol");
}
