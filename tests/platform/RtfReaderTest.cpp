#include "RtfTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray Fixture(const char *name)
{
    QFile file(QStringLiteral(CORV_FIXTURES "/rtf/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

} // namespace

// Guards loading what the rich-edit control stored: code page bytes, Unicode escapes with their fallbacks,
// hidden link markers, colours, raised text, bullets and numbering.
TEST(RtfReaderTest, RichEditStyleFixtureParsesToTheExpectedRuns)
{
    CRichText doc;
    const QByteArray fixture = Fixture("richedit.rtf");
    doc.SetRtfBytes(fixture);
    EXPECT_EQ(doc.GetRtf(), QString::fromLatin1(fixture)); // unchanged: written back as it came
    ASSERT_EQ(doc.GetParagraphCount(), 5);
    EXPECT_EQ(ParagraphText(doc, 0), QString::fromUtf8("Café bold and red."));
    EXPECT_EQ(ParagraphText(doc, 1), "First [0002#link#0002] item");
    EXPECT_EQ(ParagraphText(doc, 2), "Second item");
    EXPECT_EQ(ParagraphText(doc, 3), "Numbered");
    EXPECT_EQ(ParagraphText(doc, 4), QString::fromUtf8("δ€ end"));

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
    EXPECT_EQ(ParagraphText(doc, 0), QString::fromUtf8("Plain opening with “quotes” and café."));
    EXPECT_EQ(ParagraphText(doc, 1), "Blue bold orange italic a link end.");
    EXPECT_EQ(ParagraphText(doc, 2), "List item one");
    EXPECT_EQ(ParagraphText(doc, 3), QString::fromUtf8("αβγ ال"));
    EXPECT_EQ(ParagraphText(doc, 4), "Last line\vsecond half\ttabbed");

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
    const RtfTextCase cases[] = {
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
    for (const RtfTextCase &c : cases) {
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

// Guards the end of the document: editors that save with a NUL after the closing brace gained an extra
// paragraph that was then stored as \'00. Whatever follows the document's closing brace is not read.
TEST(RtfReaderTest, ReadingStopsAtTheBraceThatClosesTheDocument)
{
    const RtfParagraphCase cases[] = {
        {"NUL after the document", QByteArray("{\\rtf1 a\\par\r\n}\r\n") + '\0', {"a"}},
        {"second document", "{\\rtf1 one}{\\rtf1 two}", {"one"}},
        {"junk after it", "{\\rtf1 one}\r\nand more text\\par", {"one"}},
        {"blank before it", "  \r\n{\\rtf1 one}", {"one"}},
        {"inner groups closed", "{\\rtf1 {\\b one}{two}\\par three}x", {"one" "two", "three"}},
    };
    for (const RtfParagraphCase &c : cases) {
        SCOPED_TRACE(c.name);
        const CRichText doc = ReadRtfBytes(c.rtf);
        EXPECT_EQ(ParagraphTexts(doc), c.paragraphs);
        EXPECT_EQ(doc.GetRtf(), QString::fromLatin1(c.rtf)); // untouched: stored as it came
        EXPECT_FALSE(RewrittenRtf(doc).contains("\\'00"));
    }
}

// Guards decoding by font character set: a Latin font (set 0) in a Japanese document is Windows-1252, not
// the document's code page, and the Mac and KOI8 code pages are decoded by the names iconv knows.
TEST(RtfReaderTest, BytesAreDecodedThroughTheCodePageOfTheirFont)
{
    const QByteArray fonts = "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset128 Gothic;}"
                             "{\\f2\\fnil\\fcharset1 Default;}{\\f3\\fnil\\fcharset77 Mac;}"
                             "{\\f4\\fnil\\fcharset78 Osaka;}{\\f5\\fnil\\fcharset89 MacCyr;}"
                             "{\\f6\\fnil\\fcharset254 Terminal;}}";
    const RtfTextCase cases[] = {
        {"Latin font in a Japanese document", "{\\rtf1\\ansi\\ansicpg932\\deff0" + fonts + "\\f0 \\'93a\\'94 \\'a1}",
         QString::fromUtf8("“a” ¡")},
        {"default font is the Latin one", "{\\rtf1\\ansi\\ansicpg932\\deff0" + fonts + "\\'93a\\'94}",
         QString::fromUtf8("“a”")},
        {"Japanese font", "{\\rtf1\\ansi\\ansicpg1252\\deff0" + fonts + "\\f1 \\'82\\'a0}", QString::fromUtf8("あ")},
        {"set 1 is the document's", "{\\rtf1\\ansi\\ansicpg932\\deff0" + fonts + "\\f2 \\'82\\'a0}",
         QString::fromUtf8("あ")},
        {"Mac Roman font", "{\\rtf1\\ansi\\deff0" + fonts + "\\f3 \\'d2\\'8e\\'d3\\'a5}", QString::fromUtf8("“é”•")},
        {"Mac Japanese font", "{\\rtf1\\ansi\\deff0" + fonts + "\\f4 \\'82\\'a0}", QString::fromUtf8("あ")},
        {"Mac Cyrillic font", "{\\rtf1\\ansi\\deff0" + fonts + "\\f5 \\'80\\'8f}", QString::fromUtf8("АП")},
        {"PC 437 font", "{\\rtf1\\ansi\\deff0" + fonts + "\\f6 \\'82\\'b0}", QString::fromUtf8("é░")},
        {"\\mac document", "{\\rtf1\\mac \\'d2\\'8e\\'d3}", QString::fromUtf8("“é”")},
        {"code page 10000", "{\\rtf1\\ansi\\ansicpg10000 \\'a5}", QString::fromUtf8("•")},
        {"code page 10001", "{\\rtf1\\ansi\\ansicpg10001 \\'82\\'a0~}", QString::fromUtf8("あ~")},
        {"code page 20866", "{\\rtf1\\ansi\\ansicpg20866 \\'f0\\'d2\\'c9}", QString::fromUtf8("При")},
        {"code page 20936", "{\\rtf1\\ansi\\ansicpg20936 \\'b0\\'a1}", QString::fromUtf8("啊")},
        {"code page 1361", "{\\rtf1\\ansi\\ansicpg1361 \\'88\\'61}", QString::fromUtf8("가")},
    };
    for (const RtfTextCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRtfBytes(c.rtf).GetText(), c.text);
    }
}

// Guards double-byte characters whose trail byte is written as a plain character or an escaped symbol:
// "\'81[" was split into two characters.
TEST(RtfReaderTest, ALeadByteWaitsForItsTrailByteInWhateverForm)
{
    const RtfTextCase cases[] = {
        {"932, plain trail", "{\\rtf1\\ansi\\ansicpg932 \\'81[}", QString::fromUtf8("ー")},
        {"932, escaped backslash", "{\\rtf1\\ansi\\ansicpg932 \\'95\\\\x}", QString::fromUtf8("表x")},
        {"932, trail after a line end", "{\\rtf1\\ansi\\ansicpg932 \\'81\r\n[}", QString::fromUtf8("ー")},
        {"932, whole pair then ASCII", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0[}", QString::fromUtf8("あ[")},
        {"936, plain trail", "{\\rtf1\\ansi\\ansicpg936 \\'81@a}", QString::fromUtf8("丂a")},
        {"949, plain trail", "{\\rtf1\\ansi\\ansicpg949 \\'81A}", QString::fromUtf8("갂")},
        {"950, plain trail", "{\\rtf1\\ansi\\ansicpg950 \\'a4@}", QString::fromUtf8("一")},
        {"1252 has no lead bytes", "{\\rtf1\\ansi\\ansicpg1252 \\'81[}", QString::fromUtf8("\u0081[")},
        {"cut off by a group", "{\\rtf1\\ansi\\ansicpg932 {\\'81}[}", QString::fromUtf8("\u0081[")},
    };
    for (const RtfTextCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRtfBytes(c.rtf).GetText(), c.text);
        EXPECT_EQ(ReadRtfString(c.rtf).GetText(), c.text);
    }
}

// Guards section ends: Word writes \sect in place of the last \par of a section, and a nested table's row
// end ends a paragraph as an outer row's does. The plain-paragraph stand-in written for readers without
// nested tables is not shown beside the nested cells.
TEST(RtfReaderTest, SectionAndNestedRowEndsEndAParagraph)
{
    const RtfParagraphCase cases[] = {
        {"section end", "{\\rtf1 one\\sect \\sectd two\\par three}", {"one", "two", "three"}},
        {"last section", "{\\rtf1 one\\par two\\sect }", {"one", "two"}},
        {"nested row", "{\\rtf1 \\pard\\intbl\\itap2 n1\\nestcell n2\\nestcell{\\*\\nesttableprops\\trowd\\cellx99"
                       "\\nestrow}{\\nonesttables n1 n2\\par}\\itap1 o\\cell\\row}",
         {"n1\tn2\t", "o\t"}},
    };
    for (const RtfParagraphCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParagraphTexts(ReadRtfBytes(c.rtf)), c.paragraphs);
    }
}

// Guards the depth limit: groups nested past it kept changing the formats of the group at the limit, so
// bold or italic leaked into the text after them, and their destinations (picture data, font names, the
// tags of HTML mail) were read as text. Past the limit formats are ignored, text is kept, a destination
// group is passed over to its closing brace, and the state is the same when they close.
TEST(RtfReaderTest, GroupsPastTheDepthLimitKeepTextButChangeNoFormat)
{
    const auto nest = [](int depth, const QByteArray &inner) {
        return QByteArray(depth, '{') + inner + QByteArray(depth, '}');
    };
    struct Case
    {
        const char *name;
        QByteArray body;
        QString text;
        QString bold; // one letter per character of text: b bold, - not
        QString italic;
    };
    const Case cases[] = {
        {"format inside the limit", nest(500, "\\b x") + "y", "xy", "b-", "--"},
        {"format past the limit", nest(600, "\\b x") + "y", "xy", "--", "--"},
        {"deep group inside a bold one", nest(500, "\\b x" + nest(100, "\\i\\b0 y") + "z") + "w", "xyzw", "bbb-",
         "----"},
        {"destinations past the limit", nest(600, "{\\*\\unknown a}{\\fonttbl b}{\\info c}") + "d", "d", "-", "-"},
        {"picture data past the limit", nest(600, "a{\\pict\\wmetafile8\\picw10 0102abcd{\\b ef}}b") + "c", "abc",
         "---", "---"},
        {"destination word after text", nest(600, "a{b\\pntxta c{d}e}f") + "g", "abfg", "----", "----"},
        {"escaped brace and binary data in it", nest(600, "{\\*\\htmltag84 \\}<td>{\\bin3 }}}x}}y") + "z", "yz",
         "--", "--"},
        {"ignorable mark after a word", nest(600, "{\\b\\*\\unknown a}b") + "c", "abc", "---", "---"},
        {"text words past the limit", nest(600, "a\\tab\\u946 ?\\line b") + "c", QString::fromUtf8("a\tβ\vbc"),
         "------", "------"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CRichText doc = ReadRtfBytes("{\\rtf1 " + c.body + "}");
        ASSERT_EQ(doc.GetText(), c.text);
        for (int i = 0; i < doc.GetTextLength(); ++i) {
            EXPECT_EQ(doc.GetCharFormatAt(i).Has(CFE_BOLD), c.bold[i] == u'b') << "character " << i;
            EXPECT_EQ(doc.GetCharFormatAt(i).Has(CFE_ITALIC), c.italic[i] == u'b') << "character " << i;
        }
    }
    // A paragraph end past the limit still ends the paragraph.
    EXPECT_EQ(ParagraphTexts(ReadRtfBytes("{\\rtf1 " + nest(600, "a\\par b") + "}")), QStringList({"a", "b"}));

    // An HTML mail nested 2,700 deep: every level opens with the tag of an element, so only the words are
    // text; the skipped groups close where they should and the text after the nesting is read.
    QByteArray mail = "{\\rtf1\\ansi\\fromhtml1 {\\fonttbl{\\f0 Arial;}}";
    for (int level = 0; level < 2700; ++level)
        mail += "{\\*\\htmltag64 <div class=\"x\">}{\\htmlrtf {\\fonttbl{\\f1 Times;}}}w" +
                QByteArray::number(level % 10) + " {";
    mail += "{\\*\\htmltag0 <img src=\"a.png\">}{\\pict 89504e47}end";
    mail += QByteArray(2700, '}') + " after}";
    const QString text = ReadRtfBytes(mail).GetText();
    EXPECT_EQ(text.count(u'w'), 2700);
    EXPECT_FALSE(text.contains(u'<'));
    EXPECT_FALSE(text.contains(QLatin1String("Times")));
    EXPECT_FALSE(text.contains(QLatin1String("89504e47")));
    EXPECT_TRUE(text.endsWith(QLatin1String("end after")));
}

// Guards \upr: it holds one text twice, in the code page and then as Unicode in \*\ud, and the code-page
// copy was read, with "?" for every character the code page lacks. The Unicode copy is read where there
// is one; without it the code-page copy stands.
TEST(RtfReaderTest, UnicodeCopyOfAnUprGroupIsRead)
{
    const RtfTextCase cases[] = {
        {"Unicode copy", "{\\rtf1 {\\upr{Caf? ??}{\\*\\ud{Caf\\u233? \\u945?\\u946?}}}x}", QString::fromUtf8("Café αβx")},
        {"blanks between the copies", "{\\rtf1 {\\upr\r\n{a?}\r\n{\\*\\ud{a\\u946?}}}}", QString::fromUtf8("aβ")},
        {"no Unicode copy", "{\\rtf1 {\\upr{Caf\\'e9}}x}", QString::fromUtf8("Caféx")},
        {"another group follows", "{\\rtf1 {\\upr{a}{\\*\\udx b}c}}", "ac"},
        {"braces in the copy", "{\\rtf1 {\\upr{\\{a\\}{\\b b}}{\\*\\ud{c}}}}", "c"},
        {"copy never closed", "{\\rtf1 {\\upr{a{\\*\\ud{b}}", "ab"}, // damaged: all of it is read
    };
    for (const RtfTextCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRtfBytes(c.rtf).GetText(), c.text);
        EXPECT_EQ(ReadRtfString(c.rtf).GetText(), c.text);
    }
    // A font name given twice takes the Unicode one.
    const CRichText font = ReadRtfBytes("{\\rtf1{\\fonttbl{\\upr{\\f1 Caf?;}{\\*\\ud{\\f1 Caf\\u233?;}}}}\\f1 x}");
    EXPECT_EQ(font.GetCharFormatAt(0).face, QString::fromUtf8("Café"));
}

// Guards \u pairs: a character outside the Basic Multilingual Plane is written as two \u escapes, and a
// half without its other half was kept, then written back as a lone surrogate that no reader can show.
// A half alone is read as U+FFFD.
TEST(RtfReaderTest, UnpairedSurrogatesReadAsTheReplacementCharacter)
{
    const QString face = QString::fromUtf8("\U0001F600");
    const QString bad(1, QChar::ReplacementCharacter);
    const RtfTextCase cases[] = {
        {"pair", "{\\rtf1 a\\u-10179?\\u-8704?b}", "a" + face + "b"},
        {"pair with two-byte fallbacks", "{\\rtf1\\uc2 \\u55357\\'3f\\'3f\\u56832\\'3f\\'3fb}", face + "b"},
        {"high half alone", "{\\rtf1 a\\u-10179?b}", "a" + bad + "b"},
        {"low half alone", "{\\rtf1 a\\u-8704?b}", "a" + bad + "b"},
        {"two high halves", "{\\rtf1 \\u-10179?\\u-10179?\\u-8704?}", bad + face},
        {"high half at the end", "{\\rtf1 a\\u-10179?}", "a" + bad},
        {"high half at a group end", "{\\rtf1 {\\u-10179?}\\u-8704?}", bad + bad},
        {"high half before a code-page byte", "{\\rtf1 \\u-10179?\\'e9}", bad + QString::fromUtf8("é")},
        {"high half before a paragraph end", "{\\rtf1 \\u-10179?\\par b}", bad + "\rb"},
    };
    for (const RtfTextCase &c : cases) {
        SCOPED_TRACE(c.name);
        const CRichText doc = ReadRtfBytes(c.rtf);
        EXPECT_EQ(doc.GetText(), c.text);
        // Written afresh and read again, nothing changes.
        CRichText copy;
        copy.SetRtf(RewrittenRtf(doc));
        EXPECT_EQ(copy.GetText(), c.text);
    }
}

// Guards \* in the middle of a group: it used to make the whole group ignorable and lose its text. Only as
// the group's first word does it mark the group; elsewhere the unknown word after it is skipped.
TEST(RtfReaderTest, IgnorableMarkCountsOnlyAtTheStartOfAGroup)
{
    const RtfTextCase cases[] = {
        {"at the start", "{\\rtf1 {\\*\\unknown gone}kept}", "kept"},
        {"after a word", "{\\rtf1 {\\b\\*\\unknown kept}too}", "kepttoo"},
        {"after text", "{\\rtf1 {a \\*\\unknown b}c}", "a bc"},
        {"known destination at the start", "{\\rtf1 {\\*\\fldinst HYPERLINK x}y}", "y"},
        {"after a line end", "{\\rtf1 {\r\n\\*\\unknown gone}kept}", "kept"},
        {"nested table properties are text", "{\\rtf1 a{\\*\\nesttableprops\\trowd b}c}", "abc"},
    };
    for (const RtfTextCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRtfBytes(c.rtf).GetText(), c.text);
    }
    // The text after a mid-group mark keeps the group's format.
    EXPECT_TRUE(ReadRtfBytes("{\\rtf1 {\\b\\*\\unknown x}}").GetCharFormatAt(0).Has(CFE_BOLD));
    // Bullets written with the ignorable \pn stay bullets.
    EXPECT_EQ(ParagraphFormat(ReadRtfBytes("{\\rtf1 {\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}x}"), 0).numbering, PFN_BULLET);
}

// Guards the smaller character words: \super and \sub were ignored, and \plain gave 10 points where RTF's
// default size is 12.
TEST(RtfReaderTest, RaisedLoweredAndPlainText)
{
    const CRichText doc = ReadRtfBytes("{\\rtf1\\deff1{\\fonttbl{\\f0 Times;}{\\f1 Arial;}}{\\colortbl;\\red255\\green0"
                                       "\\blue0;}\\f0\\fs40\\b\\cf1 a\\super b\\nosupersub c\\sub d\\up0 e\\plain f}");
    ASSERT_EQ(doc.GetText(), "abcdef");
    struct Expected
    {
        int offset;
        int height;
        const char *face;
        bool bold;
        bool autoColour;
    };
    const Expected expected[] = {
        {0, 400, "Times", true, false}, {60, 400, "Times", true, false}, {0, 400, "Times", true, false},
        {-60, 400, "Times", true, false}, {0, 400, "Times", true, false}, {0, 240, "Arial", false, true},
    };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const CCharFormat &f = doc.GetCharFormatAt(i);
        EXPECT_EQ(f.offset, expected[i].offset);
        EXPECT_EQ(f.height, expected[i].height);
        EXPECT_EQ(f.face, expected[i].face);
        EXPECT_EQ(f.Has(CFE_BOLD), expected[i].bold);
        EXPECT_EQ(f.Has(CFE_AUTOCOLOR), expected[i].autoColour);
    }
}
