// The .docx reader: styles as the word processor names them, lists, indents, runs, links, tables and
// damaged packages.
#include "DocxFixture.h"

#include "import/DocxReader.h"
#include "import/WordDocumentReader.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>


namespace {

std::unique_ptr<CWordDocument> ReadBody(const TempTree &tree, const QByteArray &body, QString *error = nullptr)
{
    const QString path = tree / "doc.docx";
    EXPECT_TRUE(DocxFixture::Write(path, body));
    auto read = CWordDocumentReader::Read(path);
    if (error)
        *error = read.Error();
    return read ? std::move(read).Value() : nullptr;
}

} // namespace

// Guards: built-in styles reported by their stored lower-case names (so "Heading 1" is never met), custom
// styles renamed, or list kinds and indents not resolved through styles and numbering.
TEST(DocxReader, ParagraphsStylesListsAndIndents)
{
    using namespace DocxFixture;
    TempTree tree;
    const QByteArray body =
        P("Heading1", "Safety") + P("", "Body text.") + P("fakeheading", "not a heading")
        + P("ListBullet", "first bullet")
        + P("", "numbered", "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"2\"/></w:numPr>")
        + P("", "centred", "<w:jc w:val=\"center\"/><w:ind w:left=\"380\"/>")
        + P("stem", "Which?") + P("Heading2", "Sub");
    auto doc = ReadBody(tree, body);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->paragraphs.size(), 8u);
    struct Expect { const char *style; int list; int alignment; double indent; };
    const Expect expected[] = {
        {"Heading 1", 0, 0, 0}, {"Normal", 0, 0, 0}, {"heading 9x", 0, 0, 0}, {"List Bullet", 2, 0, 36},
        {"Normal", 3, 0, 18}, {"Normal", 0, 1, 19}, {"stem", 0, 0, 0}, {"Heading 2", 0, 0, 0},
    };
    int position = 0;
    for (size_t i = 0; i < 8; ++i) {
        const auto &p = doc->paragraphs[i];
        EXPECT_EQ(p.styleName, expected[i].style) << i;
        EXPECT_EQ(p.listType, expected[i].list) << i;
        EXPECT_EQ(p.alignment, expected[i].alignment) << i;
        EXPECT_DOUBLE_EQ(p.leftIndent, expected[i].indent) << i;
        EXPECT_TRUE(p.text.endsWith(u'\r'));
        EXPECT_EQ(p.start, position);
        EXPECT_EQ(p.end - p.start, p.text.size());
        position = p.end;
    }
    EXPECT_EQ(doc->paragraphs[1].text, "Body text.\r");
    EXPECT_EQ(doc->paragraphs[1].wordCount, 4);
    // Heading 2 is based on Heading 1: bold inherited, its own size.
    ASSERT_FALSE(doc->paragraphs[7].runs.empty());
    EXPECT_TRUE(doc->paragraphs[7].runs[0].bold);
    EXPECT_DOUBLE_EQ(doc->paragraphs[7].runs[0].points, 14);
    EXPECT_EQ(doc->paragraphs[7].runs[0].face, "Calibri");
}

// Guards: run formats lost, a hyperlink's address dropped, breaks and pictures not shown as the word
// processor's control characters, deleted text or field codes read as text.
TEST(DocxReader, RunsBreaksLinksAndFields)
{
    TempTree tree;
    const QByteArray body =
        "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>Bold</w:t></w:r>"
        "<w:r><w:rPr><w:i/><w:u w:val=\"single\"/><w:color w:val=\"FF0000\"/><w:vertAlign w:val=\"superscript\"/></w:rPr><w:t> it</w:t></w:r>"
        "<w:r><w:rPr><w:rStyle w:val=\"Strong\"/><w:strike/><w:vanish/></w:rPr><w:t>s</w:t></w:r>"
        "<w:r><w:br/><w:t>x</w:t><w:tab/><w:drawing/></w:r>"
        "<w:del><w:r><w:delText>gone</w:delText></w:r></w:del>"
        "<w:hyperlink r:id=\"rId9\"><w:r><w:t>site</w:t></w:r></w:hyperlink>"
        "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> HYPERLINK \"http://a.example/\" </w:instrText></w:r>"
        "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>field</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r>"
        "</w:p><w:p><w:r><w:br w:type=\"page\"/><w:t>Next page</w:t></w:r></w:p>";
    auto doc = ReadBody(tree, body);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->paragraphs.size(), 2u);
    const auto &p = doc->paragraphs[0];
    EXPECT_EQ(p.text, QString("Bold its") + QChar(11) + "x\t" + QChar(1) + "sitefield\r");
    ASSERT_EQ(p.runs.size(), 6u);
    EXPECT_TRUE(p.runs[0].bold);
    EXPECT_FALSE(p.runs[0].italic);
    EXPECT_TRUE(p.runs[1].italic && p.runs[1].underline);
    EXPECT_EQ(p.runs[1].colour, 0x0000FFu);
    EXPECT_EQ(p.runs[1].vertical, CWordDocument::raised);
    EXPECT_TRUE(p.runs[2].bold && p.runs[2].strike && p.runs[2].hidden);
    EXPECT_EQ(p.runs[4].link, "https://example.org/safety");
    EXPECT_EQ(p.runs[5].link, "http://a.example/");
    EXPECT_TRUE(doc->paragraphs[1].text.startsWith(QChar(12)));
}

// Guards: a table whose paragraph count differs from what the paragraph walk meets, so the importer
// skips the wrong paragraphs.
TEST(DocxReader, TablesCountTheirParagraphs)
{
    using namespace DocxFixture;
    TempTree tree;
    const QByteArray cell1 = "<w:tc>" + P("", "a1") + P("", "a2") + "</w:tc>";
    const QByteArray cell2 = "<w:tc>" + P("", "b") + "</w:tc>";
    const QByteArray body = P("", "before") + "<w:tbl><w:tblGrid><w:gridCol/><w:gridCol/></w:tblGrid><w:tr>" + cell1
                            + cell2 + "</w:tr></w:tbl>" + P("", "after");
    auto doc = ReadBody(tree, body);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->paragraphs.size(), 5u);
    ASSERT_EQ(doc->tables.size(), 1u);
    const auto &t = doc->tables[0];
    EXPECT_EQ(t.paragraphCount, 3);
    EXPECT_EQ(t.start, doc->paragraphs[1].start);
    EXPECT_EQ(t.rows, 1);
    EXPECT_EQ(t.columns, 2);
    EXPECT_EQ(t.cellTexts[0][0], "a1\ra2\r\a");
    EXPECT_EQ(doc->paragraphs[2].text, "a2\r\a");
    EXPECT_EQ(doc->paragraphs[1].text, "a1\r");
    EXPECT_EQ(doc->paragraphs[4].table, -1);
}

// Guards: damaged or hostile files crashing the reader, hanging it, or being taken as empty documents.
TEST(DocxReader, DamagedInputEndsInAMessage)
{
    TempTree tree;
    const QString good = tree / "good.docx";
    ASSERT_TRUE(DocxFixture::Write(good, DocxFixture::P("", "text")));
    const QByteArray bytes = TempTree::ReadAll(good);
    const QString truncated = tree.Write("truncated.docx", bytes.left(bytes.size() / 2));
    const QString notZip = tree.Write("plain.docx", "just some text");
    const QString oldDoc = tree.Write("old.docx", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0'));
    const QString noDocument = tree / "nodoc.docx";
    ASSERT_TRUE(WriteZip(noDocument, {{"word/styles.xml", DocxFixture::Styles()}}));
    QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE w:document [<!ENTITY a \"aaaaaaaaaa\">";
    for (int i = 1; i < 10; ++i)
        bomb += "<!ENTITY " + QByteArray(1, char('a' + i)) + " \"" + QByteArray("&" + QByteArray(1, char('a' + i - 1)) + ";").repeated(10) + "\">";
    bomb += "]><w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body><w:p><w:r><w:t>&j;</w:t></w:r></w:p></w:body></w:document>";
    auto parts = DocxFixture::Parts({});
    parts[3].second = bomb;
    const QString bombPath = tree / "bomb.docx";
    ASSERT_TRUE(WriteZip(bombPath, parts));
    parts[3].second = DocxFixture::Document(QByteArray("<w:tbl><w:tr><w:tc>").repeated(3000));
    const QString deepPath = tree / "deep.docx";
    ASSERT_TRUE(WriteZip(deepPath, parts));

    for (const QString &path : {truncated, notZip, oldDoc, noDocument, bombPath, deepPath, tree / "missing.docx"}) {
        const auto read = CWordDocumentReader::Read(path);
        EXPECT_FALSE(read) << path.toStdString();
        const QString error = read.Error();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
    const QString error = CWordDocumentReader::Read(oldDoc).Error();
    EXPECT_TRUE(error.contains(".doc")) << error.toStdString();
}

namespace {

// What the importers see of a paragraph: its style, list kind and text with each run's link.
QStringList Walk(const CWordDocument &doc)
{
    QStringList out;
    for (const auto &p : doc.paragraphs) {
        QString line = p.styleName + "|" + QString::number(p.listType) + "|" + QString::number(p.table) + "|";
        for (const auto &run : p.runs)
            line += run.text + (run.link.isEmpty() ? QString() : "<" + run.link + ">");
        out << line;
    }
    return out;
}

} // namespace

// Guards Strict Office Open XML (namespaces and relationship types under purl.oclc.org), which the word
// processor writes on request: every such document was refused as "not a word-processing document".
TEST(DocxReader, StrictDocumentsReadAsTransitional)
{
    using namespace DocxFixture;
    TempTree tree;
    const QByteArray body = P("Heading1", "Safety") + P("ListBullet", "Look first")
                            + "<w:p><w:hyperlink r:id=\"rId9\"><w:r><w:t>site</w:t></w:r></w:hyperlink></w:p>"
                            + "<w:tbl><w:tblGrid><w:gridCol/></w:tblGrid><w:tr><w:tc>" + P("", "cell") + "</w:tc></w:tr></w:tbl>";
    const QString transitional = tree / "transitional.docx";
    const QString strict = tree / "strict.docx";
    ASSERT_TRUE(Write(transitional, body));
    ASSERT_TRUE(WriteZip(strict, ToStrict(Parts(body))));
    const auto expected = CWordDocumentReader::Read(transitional);
    const auto read = CWordDocumentReader::Read(strict);
    ASSERT_TRUE(expected) << expected.Error().toStdString();
    ASSERT_TRUE(read) << read.Error().toStdString();
    EXPECT_EQ(Walk(*read.Value()), Walk(*expected.Value()));
    EXPECT_EQ(Walk(*read.Value()), QStringList({"Heading 1|0|-1|Safety", "List Bullet|2|-1|Look first",
                                                "Normal|0|-1|site<https://example.org/safety>", "Normal|0|0|cell"}));
    EXPECT_EQ(read.Value()->tables.size(), 1u);
}

// Guards content controls and custom XML elements around table rows, cells and a cell's content: their
// text was lost without a word (tables arriving empty, or not at all).
TEST(DocxReader, ContentControlsAroundRowsCellsAndCellContentKeepTheirText)
{
    using namespace DocxFixture;
    TempTree tree;
    const QByteArray body =
        "<w:tbl><w:tblGrid><w:gridCol/><w:gridCol/></w:tblGrid>"
        "<w:sdt><w:sdtPr><w:alias w:val=\"rows\"/></w:sdtPr><w:sdtContent><w:tr><w:tc>" + P("", "r1c1")
        + "</w:tc><w:sdt><w:sdtContent><w:tc>" + P("", "r1c2") + "</w:tc></w:sdtContent></w:sdt></w:tr></w:sdtContent></w:sdt>"
        "<w:customXml w:element=\"row\"><w:tr><w:customXml w:element=\"cell\"><w:tc><w:sdt><w:sdtContent>" + P("", "r2c1")
        + "</w:sdtContent></w:sdt></w:tc></w:customXml><w:tc><w:customXml w:element=\"x\">" + P("", "r2c2a")
        + "</w:customXml>" + P("", "r2c2b") + "</w:tc></w:tr></w:customXml></w:tbl>"
        "<w:sdt><w:sdtContent><w:tbl><w:tblGrid><w:gridCol/></w:tblGrid><w:sdt><w:sdtContent><w:tr><w:tc>" + P("", "only")
        + "</w:tc></w:tr></w:sdtContent></w:sdt></w:tbl></w:sdtContent></w:sdt>";
    auto doc = ReadBody(tree, body);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->tables.size(), 2u);
    const auto &t = doc->tables[0];
    EXPECT_EQ(t.rows, 2);
    EXPECT_EQ(t.columns, 2);
    EXPECT_EQ(t.paragraphCount, 5);
    ASSERT_EQ(t.cellTexts.size(), 2u);
    EXPECT_EQ(t.cellTexts[0], std::vector<QString>({"r1c1\r\a", "r1c2\r\a"}));
    EXPECT_EQ(t.cellTexts[1], std::vector<QString>({"r2c1\r\a", "r2c2a\rr2c2b\r\a"}));
    struct Cell { const char *text; int row, column; };
    const Cell cells[] = {{"r1c1\r\a", 0, 0}, {"r1c2\r\a", 0, 1}, {"r2c1\r\a", 1, 0}, {"r2c2a\r", 1, 1}, {"r2c2b\r\a", 1, 1},
                          {"only\r\a", 0, 0}};
    ASSERT_EQ(doc->paragraphs.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(doc->paragraphs[i].text, cells[i].text) << i;
        EXPECT_EQ(doc->paragraphs[i].cellRow, cells[i].row) << i;
        EXPECT_EQ(doc->paragraphs[i].cellColumn, cells[i].column) << i;
    }
    EXPECT_EQ(doc->tables[1].cellTexts, std::vector<std::vector<QString>>({{"only\r\a"}}));
}

// Guards bidirectional embeddings (w:dir, w:bdo): their text was lost, headings of right-to-left documents
// arriving cut short.
TEST(DocxReader, BidirectionalEmbeddingsKeepTheirText)
{
    using namespace DocxFixture;
    TempTree tree;
    const QByteArray arabic = "\xd9\x85\xd8\xb1\xd8\xad\xd8\xa8\xd8\xa7";
    const QByteArray body =
        "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr><w:r><w:t xml:space=\"preserve\">1. </w:t></w:r>"
        "<w:dir w:val=\"rtl\"><w:r><w:t>" + arabic + "</w:t></w:r><w:bdo w:val=\"ltr\"><w:r><w:t xml:space=\"preserve\"> ABC</w:t></w:r>"
        "</w:bdo></w:dir></w:p>"
        "<w:p><w:hyperlink r:id=\"rId9\"><w:dir w:val=\"rtl\"><w:r><w:t>" + arabic + "</w:t></w:r></w:dir></w:hyperlink></w:p>"
        "<w:tbl><w:tblGrid><w:gridCol/></w:tblGrid><w:tr><w:tc><w:p><w:bdo w:val=\"rtl\"><w:r><w:t>" + arabic
        + "</w:t></w:r></w:bdo></w:p></w:tc></w:tr></w:tbl>";
    auto doc = ReadBody(tree, body);
    ASSERT_TRUE(doc);
    const QString word = QString::fromUtf8(arabic);
    ASSERT_EQ(doc->paragraphs.size(), 3u);
    EXPECT_EQ(doc->paragraphs[0].text, "1. " + word + " ABC\r");
    EXPECT_EQ(doc->paragraphs[1].text, word + "\r");
    ASSERT_EQ(doc->paragraphs[1].runs.size(), 1u);
    EXPECT_EQ(doc->paragraphs[1].runs[0].link, "https://example.org/safety");
    EXPECT_EQ(doc->paragraphs[2].text, word + "\r\a");
    EXPECT_EQ(doc->tables[0].cellTexts[0][0], word + "\r\a");
}

// Guards symbols: w:sym characters and the private-use characters of symbol fonts were dropped. The Symbol
// font and the Wingdings bullets are given as Unicode; a symbol of any other font is kept as it stands.
TEST(DocxReader, SymbolsKeepTheirCharacters)
{
    struct Case { QByteArray run; char16_t expected; };
    const Case cases[] = {
        {"<w:r><w:sym w:font=\"Symbol\" w:char=\"F0B7\"/></w:r>", 0x2022},
        {"<w:r><w:sym w:font=\"Symbol\" w:char=\"F061\"/></w:r>", 0x03B1},
        {"<w:r><w:sym w:font=\"Symbol\" w:char=\"B3\"/></w:r>", 0x2265},
        {"<w:r><w:sym w:font=\"Wingdings\" w:char=\"F0FC\"/></w:r>", 0x2714},
        {"<w:r><w:sym w:font=\"wingdings\" w:char=\"F0D8\"/></w:r>", 0x27A2},
        {"<w:r><w:sym w:font=\"Webdings\" w:char=\"F021\"/></w:r>", 0xF021},
        {"<w:r><w:sym w:font=\"Wingdings\" w:char=\"F021\"/></w:r>", 0xF021},
        {"<w:r><w:sym w:font=\"Arial\" w:char=\"0041\"/></w:r>", u'A'},
        {"<w:r><w:rPr><w:rFonts w:ascii=\"Symbol\" w:hAnsi=\"Symbol\"/></w:rPr><w:t>\xef\x82\xb7</w:t></w:r>", 0x2022},
        {"<w:r><w:rPr><w:rFonts w:ascii=\"Wingdings\" w:hAnsi=\"Wingdings\"/></w:rPr><w:t>\xef\x81\xb6</w:t></w:r>", 0x2756},
        {"<w:r><w:rPr><w:rFonts w:ascii=\"Marlett\"/></w:rPr><w:t>\xef\x81\xb6</w:t></w:r>", 0xF076},
    };
    for (const Case &c : cases) {
        TempTree tree;
        const QByteArray paragraph = "<w:p><w:r><w:t xml:space=\"preserve\">a </w:t></w:r>" + c.run + "</w:p>";
        const QByteArray cell = "<w:tbl><w:tblGrid><w:gridCol/></w:tblGrid><w:tr><w:tc><w:p>" + c.run + "</w:p></w:tc></w:tr></w:tbl>";
        auto doc = ReadBody(tree, paragraph + cell);
        ASSERT_TRUE(doc) << c.run.toStdString();
        ASSERT_EQ(doc->paragraphs.size(), 2u);
        const QString symbol(QChar(c.expected));
        EXPECT_EQ(doc->paragraphs[0].text, "a " + symbol + "\r") << c.run.toStdString();
        EXPECT_EQ(doc->paragraphs[1].text, symbol + "\r\a") << c.run.toStdString();
        EXPECT_EQ(doc->tables[0].cellTexts[0][0], symbol + "\r\a") << c.run.toStdString();
    }
}

// Guards: plain text files imported as one paragraph, or their line ends kept.
TEST(DocxReader, PlainTextIsOneParagraphPerLine)
{
    TempTree tree;
    const QString path = tree.Write("notes.txt", "First line\r\nSecond\n\nFourth\n");
    const auto read = CWordDocumentReader::Read(path);
    ASSERT_TRUE(read);
    const auto &doc = read.Value();
    ASSERT_EQ(doc->paragraphs.size(), 4u);
    EXPECT_EQ(doc->paragraphs[0].text, "First line\r");
    EXPECT_EQ(doc->paragraphs[2].text, "\r");
    EXPECT_EQ(doc->paragraphs[3].styleName, "Normal");
}
