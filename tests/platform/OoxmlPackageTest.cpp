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
