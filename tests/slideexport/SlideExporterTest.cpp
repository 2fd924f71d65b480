#include "import/PPTXML2KVPage.h"
#include "import/SAXXMLReader.h"
#include "platform/ooxml/OoxmlPackage.h"
#include "platform/ooxml/OoxmlXml.h"
#include "platform/ooxml/PptxPresentation.h"
#include "slideexport/SlideExporter.h"
#include "slideexport/SubstitutionTable.h"
#include "support/TempTree.h"
#include "support/ZipFixture.h"

#include <QFile>
#include <QImage>

#include <map>

#include <gtest/gtest.h>

#include <libxml/tree.h>

namespace {

const QString kDeck = QStringLiteral(CORV_FIXTURES "/pptx/ten slides.pptx");

using X = COoxmlXml;

std::string S(const QString &s)
{
    return s.toStdString();
}

struct Exported
{
    TempTree tree;
    QByteArray bytes;
    std::unique_ptr<COoxmlXml> xml;
    std::vector<xmlNodePtr> pages;
};

std::unique_ptr<Exported> Export(const CSubstitutionTable &table = {})
{
    auto out = std::make_unique<Exported>();
    CSlideExporter exporter(table);
    QString error;
    EXPECT_TRUE(exporter.ExportSlatewright(kDeck, out->tree.Path(), &error)) << S(error);
    EXPECT_TRUE(exporter.Warnings().isEmpty());
    out->bytes = TempTree::ReadAll(CSlideExporter::OutputPath(out->tree.Path()));
    out->xml = COoxmlXml::Parse(out->bytes, &error);
    EXPECT_TRUE(out->xml) << S(error);
    if (out->xml)
        out->pages = X::Children(out->xml->Root(), nullptr, "page");
    return out;
}

// The texts of an object's fragments, joined.
QString ObjectText(xmlNodePtr object)
{
    QString text;
    for (xmlNodePtr f : X::Children(object, nullptr, "fragment"))
        text += X::Text(X::Child(f, nullptr, "text"));
    return text;
}

} // namespace

// Guards the shape of the exported document: one page per slide, one object per shape, titles inheriting
// their position from the master through a layout that gives none, two-column placeholders placed by their
// layout, notes after the objects of their slide.
TEST(SlideExporter, ExportsEverySlideAndShapeInOrder)
{
    const auto out = Export();
    ASSERT_EQ(out->pages.size(), 10u);
    EXPECT_TRUE(out->bytes.startsWith("<?xml version=\"1.0\"?>\r\n<doc>\r\n<page>\r\n\t<object>\r\n<rect>"));
    EXPECT_TRUE(out->bytes.endsWith("</page>\r\n</doc>\r\n"));
    const int objectCounts[] = {2, 2, 2, 3, 3, 4, 3, 2, 2, 1};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(int(X::Children(out->pages[size_t(i)], nullptr, "object").size()), objectCounts[i]) << i;

    const auto twoColumns = X::Children(out->pages[3], nullptr, "object");
    struct Case { int object; const char *left, *top, *width, *height, *text; };
    const Case cases[] = {
        {0, "36", "21", "648", "90", "Two columns"},
        {1, "36", "126", "318", "356", "Left side\nMore on the left"},
        {2, "366", "126", "318", "356", "Right side"},
    };
    for (const Case &c : cases) {
        const xmlNodePtr rect = X::Child(twoColumns[size_t(c.object)], nullptr, "rect");
        EXPECT_EQ(X::Text(X::Child(rect, nullptr, "left")), c.left);
        EXPECT_EQ(X::Text(X::Child(rect, nullptr, "top")), c.top);
        EXPECT_EQ(X::Text(X::Child(rect, nullptr, "width")), c.width);
        EXPECT_EQ(X::Text(X::Child(rect, nullptr, "height")), c.height);
        EXPECT_EQ(ObjectText(twoColumns[size_t(c.object)]), c.text);
    }
    EXPECT_EQ(X::Text(X::Child(out->pages[3], nullptr, "note")), "Compare both sides.\nThen move on.");
    EXPECT_EQ(X::LocalName(X::Children(out->pages[3], nullptr, nullptr).back()), "note");
    // The notes page's slide image and an empty notes page give nothing.
    EXPECT_FALSE(X::Child(out->pages[1], nullptr, "note"));
}

// Guards the formats read through the inheritance chain: the title's face from the theme's major font and its
// colour from the colour map, the body's levels with their own sizes, bullets from the master, and the
// whole-shape words.
TEST(SlideExporter, FormatsComeThroughLayoutMasterAndTheme)
{
    const auto out = Export();
    const auto bullets = X::Children(out->pages[1], nullptr, "object");
    const xmlNodePtr title = X::Child(bullets[0], nullptr, "fragment");
    EXPECT_EQ(X::Text(X::Child(title, nullptr, "font-name")), "Liberation Serif");
    EXPECT_EQ(X::Text(X::Child(title, nullptr, "font-size")), "44");
    EXPECT_EQ(X::Text(X::Child(title, nullptr, "font-color")), QString::number(0x1F + 0x49 * 256 + 0x7D * 65536));
    EXPECT_EQ(X::Text(X::Child(title, nullptr, "alignment")), "AlignCenter");
    EXPECT_EQ(X::Text(X::Child(title, nullptr, "format")), "Title");
    const auto body = X::Children(bullets[1], nullptr, "fragment");
    ASSERT_EQ(body.size(), 3u); // level 1, level 2 (two paragraphs), level 1
    const char *sizes[] = {"32", "28", "32"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(X::Text(X::Child(body[i], nullptr, "font-size")), sizes[i]);
        EXPECT_EQ(X::Text(X::Child(body[i], nullptr, "font-name")), "Liberation Sans");
        EXPECT_EQ(X::Text(X::Child(body[i], nullptr, "paragraph-format")), "bulletunnumbered");
        EXPECT_EQ(X::Text(X::Child(body[i], nullptr, "line-count")), "4");
    }
    EXPECT_EQ(X::Text(X::Child(body[1], nullptr, "text")), "Bend the knees\nKeep the back straight\n");
    const xmlNodePtr subtitle = X::Child(X::Children(out->pages[0], nullptr, "object")[1], nullptr, "fragment");
    EXPECT_EQ(X::Text(X::Child(subtitle, nullptr, "format")), "Subtitle");
    EXPECT_EQ(X::Text(X::Child(subtitle, nullptr, "paragraph-format")), "none");
    const xmlNodePtr numbered = X::Child(X::Children(out->pages[8], nullptr, "object")[1], nullptr, "fragment");
    EXPECT_EQ(X::Text(X::Child(numbered, nullptr, "paragraph-format")), "bulletnumbered");
}

// Guards the run splitting: "one two" with only "two" bold gives two fragments, the blank going with the
// first; sizes are rounded half to even (10.5 -> 10, 11.5 -> 12); an explicit colour and alignment are kept.
TEST(SlideExporter, SplitsTextIntoRunsOfEqualFormat)
{
    const auto out = Export();
    const auto objects = X::Children(out->pages[4], nullptr, "object");
    const auto words = X::Children(objects[1], nullptr, "fragment");
    ASSERT_EQ(words.size(), 2u);
    struct Case { size_t fragment; const char *text, *bold, *normal; };
    for (const Case &c : {Case{0, "one ", "False", "True"}, Case{1, "two", "True", "False"}}) {
        EXPECT_EQ(X::Text(X::Child(words[c.fragment], nullptr, "text")), c.text);
        EXPECT_EQ(X::Text(X::Child(words[c.fragment], nullptr, "font-is-bold")), c.bold);
        EXPECT_EQ(X::Text(X::Child(words[c.fragment], nullptr, "font-is-normal")), c.normal);
    }
    const auto sized = X::Children(objects[2], nullptr, "fragment");
    ASSERT_EQ(sized.size(), 2u);
    EXPECT_EQ(X::Text(X::Child(sized[0], nullptr, "font-size")), "10");
    EXPECT_EQ(X::Text(X::Child(sized[1], nullptr, "font-size")), "12");
    EXPECT_EQ(X::Text(X::Child(sized[1], nullptr, "font-color")), "255");
    EXPECT_EQ(X::Text(X::Child(sized[1], nullptr, "alignment")), "AlignRight");
}

// Guards pictures and other shapes: pictures are numbered over the whole presentation and written as PNG at
// the paths the XML names; a line and a group become warnings with their type numbers.
TEST(SlideExporter, PicturesAndOtherShapes)
{
    const auto out = Export();
    struct Case { size_t page, object; int number; QSize size; };
    const Case cases[] = {{2, 1, 0, {48, 36}}, {6, 1, 1, {40, 30}}, {6, 2, 2, {40, 30}}};
    for (const Case &c : cases) {
        const xmlNodePtr object = X::Children(out->pages[c.page], nullptr, "object")[c.object];
        EXPECT_EQ(X::Text(X::Child(object, nullptr, "type")), "Picture");
        const QString path = ObjectText(object);
        EXPECT_EQ(path, out->tree.Path() + "/ten slides.pptx_picture" + QString::number(c.number) + ".png");
        QImage image;
        EXPECT_TRUE(image.load(path, "PNG")) << S(path);
        EXPECT_EQ(image.size(), c.size);
    }
    const auto shapes = X::Children(out->pages[5], nullptr, "object");
    EXPECT_EQ(X::Text(X::Child(shapes[1], nullptr, "warning")), "unhandled shape type 9");
    EXPECT_EQ(X::Text(X::Child(shapes[2], nullptr, "warning")), "unhandled shape type 6");
    EXPECT_EQ(X::Text(X::Child(X::Child(shapes[2], nullptr, "rect"), nullptr, "left")), "72");
    EXPECT_FALSE(X::Child(shapes[1], nullptr, "type"));
    EXPECT_EQ(ObjectText(shapes[3]), "Round");
}

// Guards text that would break the document: "]]>" in a text or a note, "<" and "&", a soft line break
// (a character XML cannot hold) and characters outside ASCII all come back from a parser unchanged, the
// soft break as a carriage return (which the parser's end-of-line handling reads as a line feed).
TEST(SlideExporter, AnyTextKeepsTheDocumentWellFormed)
{
    const auto out = Export();
    const auto objects = X::Children(out->pages[7], nullptr, "object");
    EXPECT_EQ(ObjectText(objects[0]), QString::fromUtf8("Café – it’s open"));
    EXPECT_EQ(ObjectText(objects[1]), "line one\nline two ]]> & <tag>");
    EXPECT_EQ(X::Text(X::Child(out->pages[7], nullptr, "note")), QString::fromUtf8("Say “welcome” ]]> twice."));
}

// Guards the substitution table: pairs applied in order to texts and notes, numbers as legacy code page
// characters, an item of ";" changing nothing.
TEST(SlideExporter, SubstitutionsApplyToTextsAndNotes)
{
    CSubstitutionTable table;
    QString error;
    ASSERT_TRUE(table.Parse("11;13, ;\r\n146;39,\"e;E\"", &error)) << S(error);
    const auto out = Export(table);
    EXPECT_EQ(ObjectText(X::Children(out->pages[7], nullptr, "object")[0]), QString::fromUtf8("Café – it's opEn"));
    EXPECT_EQ(X::Text(X::Child(out->pages[7], nullptr, "note")), QString::fromUtf8("Say “wElcomE” ]]> twicE."));
}

// Guards the file format of the table: items split at commas and line ends, quoted items holding commas,
// leading blanks skipped, numeric sides as code page characters, a several-character find side.
TEST(SubstitutionTable, ParsesItemsAsTheFieldReaderDoes)
{
    struct Case { const char *file, *text, *expected; };
    const Case cases[] = {
        {"11;13", "a\x0b" "b", "a\rb"},
        {";", "abc", "abc"},
        {"146;39", "it\xe2\x80\x99s", "it's"},
        {"  a;b,\r\nc;d", "abcd", "bbdd"},
        {"\",;x\"", "a,b", "axb"},
        {"ab;c", "xaz", "xbcz"},
        {"a;b,b;c", "a", "c"},
        {"", "same", "same"},
    };
    for (const Case &c : cases) {
        CSubstitutionTable table;
        QString error;
        ASSERT_TRUE(table.Parse(c.file, &error)) << c.file << S(error);
        EXPECT_EQ(table.Apply(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected)) << c.file;
    }
    CSubstitutionTable table;
    QString error;
    ASSERT_TRUE(table.Parse("a;b", &error));
    EXPECT_FALSE(table.Parse("a;b,nothing", &error));
    EXPECT_TRUE(error.contains("nothing")) << S(error);
    EXPECT_EQ(table.Apply("a"), "b"); // a failed read leaves the table as it was
}

// Guards the number layout of rect values: shortest text of the single-precision value, "." as separator.
TEST(SlideExporter, NumbersAreShortestDecimals)
{
    struct Case { double value; const char *text; };
    const Case cases[] = {{36, "36"}, {122.375, "122.375"}, {0, "0"}, {-12.5, "-12.5"}, {0.1, "0.1"},
                          {1000000, "1000000"}, {7.2 / 3, "2.4"}};
    for (const Case &c : cases)
        EXPECT_EQ(CSlideExporter::Number(c.value), c.text) << c.value;
}

// Guards damaged input: no presentation, a truncated one, an old binary file renamed, a package without
// slides, and a folder that cannot be written each end in a message and write nothing.
TEST(SlideExporter, DamagedInputFailsWithAMessage)
{
    TempTree tree;
    const QByteArray deck = TempTree::ReadAll(kDeck);
    const QString cases[] = {
        tree / "missing.pptx",
        tree.Write("truncated.pptx", deck.left(deck.size() / 2)),
        tree.Write("old.pptx", QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(2000, '\0')),
        tree.Write("text.pptx", "not a presentation"),
    };
    for (const QString &path : cases) {
        const QString out = tree.MakeFolder("out-" + QFileInfo(path).baseName());
        CSubstitutionTable table;
        CSlideExporter exporter(table);
        QString error;
        EXPECT_FALSE(exporter.ExportSlatewright(path, out, &error)) << S(path);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFile::exists(CSlideExporter::OutputPath(out)));
    }
    CSubstitutionTable table;
    CSlideExporter exporter(table);
    QString error;
    EXPECT_FALSE(exporter.ExportSlatewright(kDeck, tree / "no/such/folder", &error));
    EXPECT_EQ(error, "Couldn't create the file: " + tree / "no/such/folder" + "/slides.export.xml\r\nPlease try again.");
}

// Guards packages that are whole ZIP files but damaged inside: a slide the presentation lists is missing, a
// slide part is an entity bomb, a slide part is not XML. Each ends in a message naming the problem.
TEST(SlideExporter, DamagedPartsFailWithAMessage)
{
    QString error;
    const auto deck = COoxmlPackage::Open(kDeck, &error);
    ASSERT_TRUE(deck) << S(error);
    std::vector<std::pair<QString, QByteArray>> parts;
    for (const QString &name : deck->PartNames()) {
        QByteArray bytes;
        ASSERT_TRUE(deck->ReadPart(name, &bytes, &error));
        parts.emplace_back(name, bytes);
    }
    const QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE p:sld [<!ENTITY a \"aaaaaaaaaa\">"
                            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><p:sld>&b;</p:sld>";
    struct Case { const char *part; QByteArray bytes; bool remove; const char *message; };
    const Case cases[] = {
        {"ppt/slides/slide3.xml", {}, true, "missing"},
        {"ppt/slides/slide2.xml", bomb, false, "document type"},
        {"ppt/slides/slide5.xml", "<p:sld><unclosed></p:sld>", false, "slide5.xml"},
        {"ppt/presentation.xml", "not xml", false, "presentation.xml"},
    };
    TempTree tree;
    for (const Case &c : cases) {
        std::vector<std::pair<QString, QByteArray>> changed;
        for (const auto &[name, bytes] : parts) {
            if (name != c.part)
                changed.emplace_back(name, bytes);
            else if (!c.remove)
                changed.emplace_back(name, c.bytes);
        }
        const QString path = tree / "damaged.pptx";
        ASSERT_TRUE(WriteZip(path, changed));
        EXPECT_FALSE(CPptxPresentation::Open(path, &error)) << c.part;
        EXPECT_TRUE(error.contains(c.message)) << S(error);
        CSubstitutionTable table;
        CSlideExporter exporter(table);
        EXPECT_FALSE(exporter.ExportSlatewright(path, tree.Path(), &error));
        EXPECT_FALSE(QFile::exists(CSlideExporter::OutputPath(tree.Path())));
    }
    // Notes that cannot be read leave the slides whole.
    std::vector<std::pair<QString, QByteArray>> changed = parts;
    for (auto &[name, bytes] : changed) {
        if (name == "ppt/notesSlides/notesSlide1.xml")
            bytes = "<broken";
    }
    ASSERT_TRUE(WriteZip(tree / "notes.pptx", changed));
    const auto presentation = CPptxPresentation::Open(tree / "notes.pptx", &error);
    ASSERT_TRUE(presentation) << S(error);
    EXPECT_EQ(presentation->Slides().size(), 10u);
    EXPECT_TRUE(presentation->Slides()[0].notesShapes.empty());
}

namespace {

using Parts = std::vector<std::pair<QString, QByteArray>>;

// The parts of a deck with some replaced (or added).
Parts Replaced(Parts parts, const std::map<QString, QByteArray> &replacements)
{
    std::map<QString, QByteArray> left = replacements;
    for (auto &[name, bytes] : parts) {
        if (auto it = left.find(name); it != left.end()) {
            bytes = it->second;
            left.erase(it);
        }
    }
    for (const auto &[name, bytes] : left)
        parts.emplace_back(name, bytes);
    return parts;
}

// The slide XML of a presentation written from the parts, or the exporter's message.
QString ExportParts(const TempTree &tree, const Parts &parts, QString *error, const QString &name = "deck.pptx",
                    bool store = false)
{
    const QString path = tree / name;
    EXPECT_TRUE(WriteZip(path, parts, store));
    CSubstitutionTable table;
    CSlideExporter exporter(table);
    const QString out = tree.MakeFolder(name + ".out");
    if (!exporter.ExportSlatewright(path, out, error))
        return {};
    return QString::fromUtf8(TempTree::ReadAll(CSlideExporter::OutputPath(out))).replace(out, "OUT").replace(name, "DECK");
}

QByteArray NotesSlide(const QByteArray &shapes)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><p:notes "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
           "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree>"
           "<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>"
           + shapes + "</p:spTree></p:cSld></p:notes>";
}

QByteArray NotesShape(int id, const QByteArray &placeholder, const QByteArray &text)
{
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + QByteArray::number(id) + "\" name=\"n\"/><p:cNvSpPr/><p:nvPr>" + placeholder
           + "</p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p><a:r><a:t>" + text + "</a:t></a:r></a:p></p:txBody></p:sp>";
}

const QString kThreeSlides = QStringLiteral(CORV_FIXTURES "/pptx/three slides.pptx");

} // namespace

// Guards Strict Office Open XML presentations: every one was refused as "not a presentation".
TEST(SlideExporter, StrictPresentationsExportAsTransitional)
{
    TempTree tree;
    const Parts parts = ReadZip(kThreeSlides);
    ASSERT_FALSE(parts.empty());
    QString error;
    const QString expected = ExportParts(tree, parts, &error);
    ASSERT_FALSE(expected.isEmpty()) << S(error);
    const QString strict = ExportParts(tree, ToStrict(parts), &error);
    ASSERT_FALSE(strict.isEmpty()) << S(error);
    EXPECT_EQ(strict, expected);
    EXPECT_TRUE(strict.contains("Safety at work"));
}

// Guards notes screens of nothing but the slide's number: a notes page holds the number, date, header and
// footer placeholders beside the notes body; only the body's text is a note, and an empty body none.
TEST(SlideExporter, OnlyTheNotesBodyBecomesANote)
{
    TempTree tree;
    const Parts parts = ReadZip(kThreeSlides);
    const QByteArray image = "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"i\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"sldImg\"/>"
                             "</p:nvPr></p:nvSpPr><p:spPr/></p:sp>";
    const QByteArray others = NotesShape(4, "<p:ph type=\"sldNum\" idx=\"5\"/>", "1") + NotesShape(5, "<p:ph type=\"dt\" idx=\"6\"/>", "12/11/2026")
                              + NotesShape(6, "<p:ph type=\"ftr\" idx=\"4\"/>", "Footer") + NotesShape(7, "<p:ph type=\"hdr\"/>", "Header");
    struct Case { QByteArray body; int notes; };
    const Case cases[] = {
        {NotesShape(3, "<p:ph type=\"body\" idx=\"1\"/>", "Say hello."), 1},
        {NotesShape(3, "<p:ph type=\"body\" idx=\"1\"/>", "  "), 0},
        {"", 0},
    };
    for (const Case &c : cases) {
        QString error;
        const QString xml = ExportParts(tree, Replaced(parts, {{"ppt/notesSlides/notesSlide1.xml", NotesSlide(image + others + c.body)}}), &error);
        ASSERT_FALSE(xml.isEmpty()) << S(error);
        EXPECT_EQ(xml.count("<note>"), c.notes) << S(xml);
        if (c.notes) {
            EXPECT_TRUE(xml.contains("<note><![CDATA[Say hello.]]></note>")) << S(xml);
        }
        for (const char *other : {"Footer", "Header", "12/11/2026", "<note>1</note>"})
            EXPECT_FALSE(xml.contains(other)) << other;
    }
}

// Guards slide parts beyond any real slide: a 50 MB slide part made the exporter end in std::bad_alloc; it is
// refused before it is read, as the word-processing side refuses its large parts. A slide just under the
// limit, of one format, exports as few fragments and reads back.
TEST(SlideExporter, SlidePartsHaveASizeLimit)
{
    TempTree tree;
    const Parts parts = ReadZip(kThreeSlides);
    const QByteArray head = "<?xml version=\"1.0\"?><p:sld xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                            "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree>"
                            "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"t\"/><p:cNvSpPr txBox=\"1\"/><p:nvPr/></p:nvSpPr>"
                            "<p:spPr/><p:txBody><a:bodyPr/><a:p>";
    const QByteArray tail = "</a:p></p:txBody></p:sp></p:spTree></p:cSld></p:sld>";
    QByteArray runs;
    const QByteArray run = "<a:r><a:t>Every visitor signs in at the gate and wears the badge. </a:t></a:r>";
    runs.reserve(int(CPptxPresentation::kMaxSlidePart));
    while (runs.size() + run.size() + head.size() + tail.size() < CPptxPresentation::kMaxSlidePart - 1024)
        runs += run;
    QString error;
    const QString xml = ExportParts(tree, Replaced(parts, {{"ppt/slides/slide1.xml", head + runs + tail}}), &error, "large.pptx", true);
    ASSERT_FALSE(xml.isEmpty()) << S(error);
    const auto document = PPTXML2KVPage::ReadMemory(xml.toUtf8());
    ASSERT_TRUE(document) << S(document.Error());
    ASSERT_FALSE((*document)->pages.empty());
    // Millions of characters of one format are one fragment, read back whole.
    ASSERT_EQ((*document)->pages[0]->objects[0]->fragments.size(), 1u);
    EXPECT_EQ((*document)->pages[0]->objects[0]->fragments[0]->text.size(),
              runs.size() / run.size() * (run.size() - 22));

    const QString huge = tree / "huge.pptx";
    ASSERT_TRUE(WriteZip(huge, Replaced(parts, {{"ppt/slides/slide1.xml", head + runs + runs + runs + tail}}), true));
    CSubstitutionTable table;
    CSlideExporter exporter(table);
    EXPECT_FALSE(exporter.ExportSlatewright(huge, tree.Path(), &error));
    EXPECT_EQ(error, "The file \"" + huge + "\" is too large to import: its part \"ppt/slides/slide1.xml\" holds more "
                                          "than 16 MB.");
    EXPECT_EQ(CSlideExporter::kMaxOutputBytes, SAXXMLReader::defaultMaxBytes);
}
