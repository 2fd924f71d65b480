#include "import/PPTXML2KVPage.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<DocumentFromXML> Read(const QByteArray &xml)
{
    auto doc = PPTXML2KVPage::ReadMemory(xml);
    EXPECT_TRUE(doc) << doc.Error().toStdString();
    return doc ? std::move(*doc) : nullptr;
}

} // namespace

// Guards the order of note pages: a note becomes a page right after its slide's page, and the document's
// page count counts notes only (no page-count element).
TEST(SlideXmlReader, NotesBecomePagesAfterTheirSlide)
{
    const auto doc = Read("<?xml version=\"1.0\"?>\r\n<doc>\r\n<page>\r\n\t<object>\r\n<rect><left>1</left><top>2</top>"
                          "<width>3</width><height>4</height></rect>\r\n<type>Text</type>\r\n<fragment>\r\n"
                          "<text><![CDATA[slide one]]></text>\r\n</fragment>\r\n\t</object>\r\n"
                          "<note><![CDATA[a\nb]]></note>\r\n</page>\r\n<page>\r\n\t<object>\r\n<type>Text</type>\r\n"
                          "<fragment><text>slide two</text></fragment>\t</object>\r\n</page>\r\n</doc>\r\n");
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->pages.size(), 3u);
    EXPECT_EQ(doc->pageCount, 1);
    EXPECT_EQ(doc->pages[0]->objects[0]->fragments[0]->text, "slide one");
    const ObjectFromXML &note = *doc->pages[1]->objects[0];
    EXPECT_EQ(note.type, "Text");
    EXPECT_EQ(note.rect.left, 36);
    EXPECT_EQ(note.rect.bottom, 520);
    EXPECT_EQ(note.fragments[0]->text, "a\r\nb"); // a line feed becomes CR LF once
    EXPECT_EQ(note.fragments[0]->fontName, "Arial");
    EXPECT_EQ(doc->pages[2]->objects[0]->fragments[0]->text, "slide two");

    // A note without text makes no page: it would only become an empty screen.
    const auto blank = Read("<doc><page><object><type>Text</type><fragment><text>x</text></fragment></object>"
                            "<note><![CDATA[ \r\n ]]></note><note/></page></doc>");
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->pages.size(), 1u);
    EXPECT_EQ(blank->pageCount, 0);
}

// Guards the fragment defaults and the one font record: a fragment without text keeps "<no text>", one
// without font elements inherits the previous fragment's font, flags read TRUE unless "false" in any case.
TEST(SlideXmlReader, FontRecordAndDefaults)
{
    const auto doc = Read("<doc><page><object><fragment><font-name>Georgia</font-name><font-size>20</font-size>"
                          "<font-color>255</font-color><font-is-bold>1</font-is-bold><font-is-italic>FALSE</font-is-italic>"
                          "<font-is-normal>False</font-is-normal><font-is-underline></font-is-underline>"
                          "<text>x</text></fragment><fragment></fragment></object></page></doc>");
    ASSERT_TRUE(doc);
    const auto &fragments = doc->pages[0]->objects[0]->fragments;
    ASSERT_EQ(fragments.size(), 2u);
    for (const auto &f : fragments) {
        EXPECT_EQ(f->fontName, "Georgia");
        EXPECT_EQ(f->fontSize, 20);
        EXPECT_EQ(f->fontColor, 255);
        EXPECT_TRUE(f->fontIsBold);
        EXPECT_FALSE(f->fontIsItalic);
        EXPECT_FALSE(f->fontIsNormal);
        EXPECT_TRUE(f->fontIsUnderline);
    }
    EXPECT_EQ(fragments[1]->text, "<no text>");
    EXPECT_EQ(fragments[1]->alignment, "AlignLeft");
    EXPECT_EQ(fragments[1]->paragraphFormat, "Normal");
    EXPECT_EQ(fragments[1]->format, "Body");

    struct Case { const char *text; bool flag; };
    for (const Case &c : {Case{"False", false}, Case{"false", false}, Case{"FALSE", false}, Case{"True", true},
                          Case{"1", true}, Case{"", true}, Case{"no", true}})
        EXPECT_EQ(PPTXML2KVPage::Flag(c.text), c.flag) << c.text;
}

// Guards the numbers and names: leading integers ("122.375" -> 122), the rectangle from left/top/width/height,
// element names in any letter case, optional count elements, and children of unknown elements still counted.
TEST(SlideXmlReader, NumbersNamesAndRectangles)
{
    struct Case { const char *text; long value; };
    for (const Case &c : {Case{"122.375", 122}, Case{"  -7x", -7}, Case{"+3", 3}, Case{"abc", 0}, Case{"", 0},
                          Case{"122,375", 122}, Case{"99999999999999999999", 2147483647}})
        EXPECT_EQ(PPTXML2KVPage::LeadingInteger(c.text), c.value) << c.text;

    const auto doc = Read("<DOC><Page-Count>7</Page-Count><PAGE><object-count>1</object-count><Object>"
                          "<RECT><left>122.375</left><top>20</top><width>100</width><height>50</height></RECT>"
                          "<Type>Picture</Type><wrapper><Fragment><Font-Size>9</Font-Size><TEXT>p.png</TEXT>"
                          "</Fragment></wrapper><Line-Count>3</Line-Count></Object></PAGE></DOC>");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->pageCount, 7);
    ASSERT_EQ(doc->pages.size(), 1u);
    EXPECT_EQ(doc->pages[0]->objectCount, 1);
    const ObjectFromXML &object = *doc->pages[0]->objects[0];
    EXPECT_EQ(object.rect.left, 122);
    EXPECT_EQ(object.rect.top, 20);
    EXPECT_EQ(object.rect.right, 222);
    EXPECT_EQ(object.rect.bottom, 70);
    EXPECT_EQ(object.type, "Picture");
    EXPECT_EQ(object.lineCount, 3);
    ASSERT_EQ(object.fragments.size(), 1u);
    EXPECT_EQ(object.fragments[0]->fontSize, 9);
    EXPECT_EQ(object.fragments[0]->text, "p.png");
}

// Guards malformed files: elements outside the record they belong to are ignored instead of reaching a record
// that does not exist, and a file that is not well-formed gives no document at all.
TEST(SlideXmlReader, MalformedInputNeverCrashes)
{
    const QByteArray cases[] = {
        "<page><object><rect/><type>Text</type><line-count>2</line-count><fragment><text>t</text></fragment>"
        "</object><note>n</note><page-count>3</page-count></page>",
        "<doc><object><rect><left>1</left></rect><type>Text</type></object><object-count>2</object-count>"
        "<fragment><alignment>x</alignment><text>y</text></fragment><line-count>4</line-count></doc>",
        "<doc><page><fragment><format>Title</format></fragment><type>Text</type></page></doc>",
        "<x><doc/><doc><page/></doc></x>",
    };
    for (const QByteArray &xml : cases) {
        const auto doc = PPTXML2KVPage::ReadMemory(xml);
        if (doc) {
            ASSERT_TRUE(*doc);
            for (const auto &page : (*doc)->pages)
                EXPECT_TRUE(page);
        } else {
            EXPECT_FALSE(doc.Error().isEmpty());
        }
    }
    for (const auto &failed : {PPTXML2KVPage::ReadMemory("<doc><page></doc>"),
                                PPTXML2KVPage::ReadMemory("<doc><page><text>\xff\xfe</text></page></doc>"),
                                PPTXML2KVPage::ReadMemory("<slides><page/></slides>"),
                                PPTXML2KVPage::ReadFile("/no/such/slides.export.xml")}) {
        EXPECT_FALSE(failed);
        EXPECT_FALSE(failed.Error().isEmpty());
    }
}

// Guards the slide XML the exporter writes for a slide of long text: libxml2 stopped at 10 MB in one text
// ("Huge input lookup"). Texts of any length are read; a document type, which no slide XML has and through
// which entity bombs come, is refused.
TEST(SlideXmlReader, LongTextsReadAndDocumentTypesAreRefused)
{
    const QByteArray text = QByteArray("The gate opens at seven. ").repeated(480000);   // 12 MB
    const auto doc = Read("<doc><page><object><type>Text</type><fragment><text><![CDATA[" + text
                          + "]]></text></fragment></object><note>" + text + "</note></page></doc>");
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->pages.size(), 2u);
    EXPECT_EQ(doc->pages[0]->objects[0]->fragments[0]->text.size(), text.size());
    EXPECT_EQ(doc->pages[1]->objects[0]->fragments[0]->text.size(), text.size());

    const auto bomb = PPTXML2KVPage::ReadMemory("<?xml version=\"1.0\"?><!DOCTYPE doc [<!ENTITY a \"aaaaaaaaaa\">"
                                                "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><doc><page><object>"
                                                "<type>Text</type><fragment><text>&b;</text></fragment></object></page></doc>");
    ASSERT_FALSE(bomb);
    EXPECT_TRUE(bomb.Error().contains("document type")) << bomb.Error().toStdString();
}
