#include "platform/ProcessRunner.h"
#include "platform/ooxml/OoxmlPackage.h"
#include "platform/ooxml/OoxmlXml.h"
#include "support/TempTree.h"
#include "support/ZipFixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <libxml/tree.h>

namespace {

const QByteArray kRootRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"ppt/presentation.xml\"/></Relationships>";

const QByteArray kPresRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide\""
    " Target=\"slides/slide1.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\""
    " Target=\"media/my%20image.png\"/>"
    "<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "hyperlink\" Target=\"http://example.com/a\" TargetMode=\"External\"/></Relationships>";

QString MakePackage(const TempTree &tree, bool store = false)
{
    const QString path = tree / "deck.pptx";
    WriteZip(path,
             {{"[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
              {"_rels/.rels", kRootRels},
              {"ppt/presentation.xml", "<p:presentation xmlns:p=\"http://schemas.openxmlformats.org/"
                                       "presentationml/2006/main\"><p:sldIdLst/></p:presentation>"},
              {"ppt/_rels/presentation.xml.rels", kPresRels},
              {"ppt/slides/slide1.xml", QByteArray(5000, ' ') + "<x/>"}},
             store);
    return path;
}

} // namespace

// Guards the way parts are found: the main part from the package relationships, relative targets resolved
// against their part's folder, "%20" decoded, external targets left alone.
TEST(OoxmlPackage, ResolvesTheMainPartAndRelationships)
{
    TempTree tree;
    QString error;
    const auto package = COoxmlPackage::Open(MakePackage(tree), &error);
    ASSERT_TRUE(package) << error.toStdString();
    EXPECT_EQ(package->MainPartName(), "ppt/presentation.xml");
    const auto rels = package->Relationships("ppt/presentation.xml");
    ASSERT_EQ(rels.size(), 3u);
    EXPECT_EQ(rels[0].target, "ppt/slides/slide1.xml");
    EXPECT_EQ(rels[1].target, "ppt/media/my image.png");
    EXPECT_TRUE(rels[2].external);
    EXPECT_EQ(rels[2].target, "http://example.com/a");
    EXPECT_EQ(package->FindRelationship(rels, "slide")->id, "rId2");
    EXPECT_EQ(COoxmlPackage::FindById(rels, "rId3")->target, "ppt/media/my image.png");
    EXPECT_TRUE(package->Relationships("ppt/slides/slide1.xml").empty());

    QByteArray bytes;
    ASSERT_TRUE(package->ReadPart("ppt/slides/slide1.xml", &bytes, &error));
    EXPECT_EQ(bytes.size(), 5004);
    EXPECT_FALSE(package->ReadPart("ppt/slides/slide9.xml", &bytes, &error));
    EXPECT_TRUE(error.contains("slide9.xml")) << error.toStdString();
}

// Guards targets that climb out of the package: ".." past the root stays inside it.
TEST(OoxmlPackage, ResolveTargetTable)
{
    struct Case { const char *from, *target, *expected; };
    const Case cases[] = {
        {"ppt/slides/slide1.xml", "../media/image1.png", "ppt/media/image1.png"},
        {"ppt/slides/slide1.xml", "/ppt/media/a.png", "ppt/media/a.png"},
        {"ppt/slides/slide1.xml", "../../../../etc/passwd", "etc/passwd"},
        {"", "word/document.xml", "word/document.xml"},
        {"word/document.xml", "media\\a.png", "word/media/a.png"},
        {"word/document.xml", "./styles.xml", "word/styles.xml"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(COoxmlPackage::ResolveTarget(c.from, c.target), QString(c.expected)) << c.target;
}

// Guards damaged files: a missing file, a non-ZIP (an old binary document renamed), a truncated archive and
// an empty file each end in a message rather than a crash or an empty package taken for a real one.
TEST(OoxmlPackage, DamagedFilesGiveAMessage)
{
    TempTree tree;
    const QString good = MakePackage(tree);
    const QByteArray bytes = TempTree::ReadAll(good);
    const QString truncated = tree.Write("truncated.pptx", bytes.left(bytes.size() / 2));
    const QString binary = tree.Write("old.pptx", QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(600, '\0'));
    const QString empty = tree.Write("empty.pptx", QByteArray());
    for (const QString &path : {tree / "missing.pptx", truncated, binary, empty}) {
        QString error;
        EXPECT_FALSE(COoxmlPackage::Open(path, &error)) << path.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
}

// Guards a part whose bytes were damaged after its directory entry was written: the read fails (CRC or
// inflate error) instead of handing on garbage.
TEST(OoxmlPackage, DamagedPartDataFailsToRead)
{
    TempTree tree;
    const QString path = MakePackage(tree, true);
    QByteArray bytes = TempTree::ReadAll(path);
    const qsizetype at = bytes.indexOf("<x/>");
    ASSERT_GT(at, 0);
    bytes[at + 1] = 'y';
    tree.Write("deck.pptx", bytes);
    QString error;
    const auto package = COoxmlPackage::Open(path, &error);
    ASSERT_TRUE(package) << error.toStdString();
    QByteArray part;
    EXPECT_FALSE(package->ReadPart("ppt/slides/slide1.xml", &part, &error));
}

// Guards ZIP bombs: sizes and ratios are checked from the directory before anything is inflated.
TEST(OoxmlPackage, LimitsAreCheckedBeforeReading)
{
    TempTree tree;
    const QString bomb = tree / "bomb.pptx";
    WriteZip(bomb, {{"ppt/slides/slide1.xml", QByteArray(8 << 20, 'a')}});
    QString error;
    EXPECT_FALSE(COoxmlPackage::Open(bomb, &error));
    EXPECT_TRUE(error.contains("compressed")) << error.toStdString();

    COoxmlPackage::Limits small;
    small.maxPartSize = 1000;
    EXPECT_FALSE(COoxmlPackage::Open(MakePackage(tree), small, &error));
    EXPECT_TRUE(error.contains("too large")) << error.toStdString();
    small = {};
    small.maxEntries = 2;
    EXPECT_FALSE(COoxmlPackage::Open(MakePackage(tree), small, &error));
}

// Guards the XML parser's safety: a document type (the way in for entity bombs and external entities) is
// refused, ill-formed XML gives a message with its line, and namespaces are matched by URI, not by prefix.
TEST(OoxmlXml, ParsesSafely)
{
    QString error;
    const QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\">"
                            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
                            "<x>&c;</x>";
    EXPECT_FALSE(COoxmlXml::Parse(bomb, &error));
    EXPECT_TRUE(error.contains("document type")) << error.toStdString();
    const QByteArray external = "<!DOCTYPE x SYSTEM \"http://example.com/x.dtd\"><x/>";
    EXPECT_FALSE(COoxmlXml::Parse(external, &error));
    EXPECT_FALSE(COoxmlXml::Parse("<x><y></x>", &error));
    EXPECT_TRUE(error.contains("line")) << error.toStdString();
    EXPECT_FALSE(COoxmlXml::Parse("", &error));

    const auto xml = COoxmlXml::Parse("<q:x xmlns:q=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                                      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                                      "<q:p n=\"7\" r:embed=\"rId1\">é<q:r>b</q:r></q:p><other:p xmlns:other=\"u\"/></q:x>",
                                      &error);
    ASSERT_TRUE(xml) << error.toStdString();
    EXPECT_EQ(COoxmlXml::Children(xml->Root(), OoxmlNs::kDrawing, "p").size(), 1u);
    EXPECT_EQ(COoxmlXml::Children(xml->Root(), nullptr, "p").size(), 2u);
    const xmlNodePtr p = COoxmlXml::Child(xml->Root(), OoxmlNs::kDrawing, "p");
    EXPECT_EQ(COoxmlXml::IntAttr(p, "n", 0), 7);
    EXPECT_EQ(COoxmlXml::IntAttr(p, "m", -1), -1);
    EXPECT_EQ(COoxmlXml::Attr(p, "embed", OoxmlNs::kRelationships), "rId1");
    EXPECT_EQ(COoxmlXml::Attr(p, "embed"), "");
    EXPECT_EQ(COoxmlXml::Text(p), QString::fromUtf8("éb"));
    EXPECT_EQ(COoxmlXml::Text(COoxmlXml::Path(xml->Root(), OoxmlNs::kDrawing, {"p", "r"})), "b");
}

// Guards packages whose local headers differ from the directory in fields that do not matter (the version
// a writer needs, the time): unzip finds no fault and every part decompresses, yet the package was refused
// as "inconsistent (the file may be truncated)".
TEST(OoxmlPackage, LocalHeadersDifferingFromTheDirectoryStillOpen)
{
    TempTree tree;
    const QString path = MakePackage(tree, true);
    QByteArray bytes = TempTree::ReadAll(path);
    int headers = 0;
    for (qsizetype at = bytes.indexOf("PK\x03\x04"); at >= 0; at = bytes.indexOf("PK\x03\x04", at + 4), ++headers) {
        bytes[at + 4] = char(0x3f);                    // version needed to extract
        bytes[at + 10] = char(bytes[at + 10] ^ 0x5a);  // time of the last change
    }
    ASSERT_EQ(headers, 5);
    tree.Write("deck.pptx", bytes);
    const CProcessResult unzip = CProcessRunner::Run("unzip", {"-tq", path}, 30000);
    EXPECT_EQ(unzip.exitCode, 0) << unzip.standardOutput.toStdString();

    QString error;
    const auto package = COoxmlPackage::Open(path, &error);
    ASSERT_TRUE(package) << error.toStdString();
    EXPECT_EQ(package->MainPartName(), "ppt/presentation.xml");
    QByteArray part;
    EXPECT_TRUE(package->ReadPart("ppt/slides/slide1.xml", &part, &error)) << error.toStdString();
    EXPECT_EQ(part.size(), 5004);
}

// Guards parts libzip cannot decompress: a package whose relationships are compressed with LZMA was called
// "not a presentation: it has no main part"; the author is told what is wrong with the part instead.
TEST(OoxmlPackage, UnsupportedCompressionIsNamed)
{
    TempTree tree;
    const QString path = MakePackage(tree, true);
    QByteArray bytes = TempTree::ReadAll(path);
    // The compression method of "_rels/.rels" (stored) becomes LZMA (14), in its local header and the directory.
    const qsizetype local = bytes.indexOf("PK\x03\x04");
    ASSERT_GE(local, 0);
    const qsizetype central = bytes.indexOf("PK\x01\x02");
    ASSERT_GT(central, 0);
    qsizetype rels = local;
    while (rels >= 0 && bytes.mid(rels + 30, 11) != "_rels/.rels")
        rels = bytes.indexOf("PK\x03\x04", rels + 4);
    qsizetype relsEntry = central;
    while (relsEntry >= 0 && bytes.mid(relsEntry + 46, 11) != "_rels/.rels")
        relsEntry = bytes.indexOf("PK\x01\x02", relsEntry + 4);
    ASSERT_GE(rels, 0);
    ASSERT_GE(relsEntry, 0);
    bytes[rels + 8] = char(14);
    bytes[relsEntry + 10] = char(14);
    tree.Write("deck.pptx", bytes);

    QString error;
    const auto package = COoxmlPackage::Open(path, &error);
    ASSERT_TRUE(package) << error.toStdString();
    QString reason;
    EXPECT_TRUE(package->MainPartName(&reason).isEmpty());
    EXPECT_TRUE(reason.contains("compressed with LZMA, a method that is not supported")) << reason.toStdString();
    EXPECT_TRUE(reason.contains("_rels/.rels")) << reason.toStdString();
    QByteArray part;
    EXPECT_TRUE(package->ReadPart("ppt/slides/slide1.xml", &part, &error)) << error.toStdString();
}

// Guards libxml2's own words reaching the author ("Excessive depth in document: 256 use XML_PARSE_HUGE
// option"), and Strict namespaces being taken for foreign ones.
TEST(OoxmlXml, LimitsInTheAuthorsWordsAndStrictNamespacesAsTransitional)
{
    QString error;
    EXPECT_FALSE(COoxmlXml::Parse(QByteArray("<a>").repeated(400) + QByteArray("</a>").repeated(400), &error));
    EXPECT_EQ(error, "its elements are nested too deeply to be read");

    const auto xml = COoxmlXml::Parse("<w:document xmlns:w=\"http://purl.oclc.org/ooxml/wordprocessingml/main\" "
                                      "xmlns:r=\"http://purl.oclc.org/ooxml/officeDocument/relationships\" "
                                      "xmlns:x=\"http://purl.oclc.org/ooxml/wordprocessingml/mainly\">"
                                      "<w:body r:id=\"rId1\"/><x:body/></w:document>",
                                      &error);
    ASSERT_TRUE(xml) << error.toStdString();
    EXPECT_TRUE(COoxmlXml::Is(xml->Root(), OoxmlNs::kWord, "document"));
    const xmlNodePtr body = COoxmlXml::Child(xml->Root(), OoxmlNs::kWord, "body");
    EXPECT_EQ(COoxmlXml::Attr(body, "id", OoxmlNs::kRelationships), "rId1");
    EXPECT_EQ(COoxmlXml::Children(xml->Root(), OoxmlNs::kWord, "body").size(), 1u);
    EXPECT_EQ(OoxmlStrict::Transitional("http://purl.oclc.org/ooxml/officeDocument/relationships/image"),
              "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image");
    EXPECT_EQ(OoxmlStrict::Transitional("http://example.org/x"), "http://example.org/x");
}
