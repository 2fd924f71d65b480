// The shared frame of the event-by-event XML readers: element stack, text collection, attributes, failures
// and the parser's safety.
#include "import/SAXContentHandlerImpl.h"
#include "import/SAXReadingRoutine.h"
#include "import/SAXXMLReader.h"
#include "platform/RecordingPrompt.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>


#include <memory>
#include <vector>

namespace {

struct Item : XMLElementHolder
{
    QString depth;
    QString name;
    QString text;
};

struct Library
{
    std::vector<std::unique_ptr<Item>> items;
    QString title;
};

// A reader of a small library vocabulary, written the way the real readers are.
class LibraryHandler : public SAXContentHandlerImpl
{
public:
    enum { other, library, item, name, title };

    void startElement(const QString &localName, const SAXAttributes &attributes) override
    {
        m_collecting = false;
        if (NameIs(localName, u"library")) {
            result = std::make_unique<Library>();
            PushElement(library);
        } else if (NameIs(localName, u"libraryitem") && result) {
            auto record = std::make_unique<Item>();
            record->depth = GetAttributeValue(attributes, QStringLiteral("depth"), QStringLiteral("0"));
            current = record.get();
            result->items.push_back(std::move(record));
            PushElement(item, current);
            m_collecting = true;   // the item's own text, up to its first child
            textOfItem = std::make_unique<SimpleElementFromXML>();
            m_elements.back().ownedHolder.reset();
            m_elements.back().holder = textOfItem.get();
        } else if (NameIs(localName, u"name") || NameIs(localName, u"title")) {
            PushTextElement(NameIs(localName, u"name") ? name : title);
        } else {
            PushElement(other);
        }
    }

    void endElement(const QString &localName) override
    {
        ElementEntry top = PopElement();
        auto *text = dynamic_cast<SimpleElementFromXML *>(top.holder);
        if (NameIs(localName, u"name") && current && text)
            current->name = text->GetText();
        else if (NameIs(localName, u"title") && result && text && top.kind == title)
            result->title = text->GetText();
        else if (NameIs(localName, u"libraryitem") && current && textOfItem) {
            current->text = textOfItem->GetText();
            current = nullptr;
        }
    }

    std::unique_ptr<Library> result;
    Item *current = nullptr;
    std::unique_ptr<SimpleElementFromXML> textOfItem;
};

std::unique_ptr<Library> Parse(const QByteArray &xml)
{
    LibraryHandler handler;
    SAXXMLReader reader(handler);
    if (!reader.parseMemory(xml))
        return nullptr;
    return std::move(handler.result);
}

} // namespace

// Guards: attribute names compared without regard to case, or element names compared exactly.
TEST(SAXFrame, ElementNamesIgnoreCaseAttributeNamesDoNot)
{
    auto lib = Parse("<LIBRARY><LIBRARYITEM Depth=\"3\"/><libraryItem depth=\"2\"/><libraryitem/></LIBRARY>");
    ASSERT_TRUE(lib);
    ASSERT_EQ(lib->items.size(), 3u);
    EXPECT_EQ(lib->items[0]->depth, "0");
    EXPECT_EQ(lib->items[1]->depth, "2");
    EXPECT_EQ(lib->items[2]->depth, "0");
}

// Guards: text split over several callbacks kept only in its last piece, or line ends converted twice.
TEST(SAXFrame, TextInPiecesIsCollectedWholeWithWindowsLineEnds)
{
    QByteArray big(600 * 1024, 'x');   // crosses the reader's feeding chunks
    QByteArray xml = "<library><libraryitem><name>" + big + "</name></libraryitem>"
                     "<libraryitem><name>a &amp; <![CDATA[<b>]]>\nline two\r\nline three</name></libraryitem></library>";
    auto lib = Parse(xml);
    ASSERT_TRUE(lib);
    ASSERT_EQ(lib->items.size(), 2u);
    EXPECT_EQ(lib->items[0]->name.size(), big.size());
    const QString second = lib->items[1]->name;
    EXPECT_EQ(second, "a & <b>\r\nline two\r\nline three");
    EXPECT_EQ(second.count("\r\n"), 2);
    EXPECT_FALSE(second.contains("\r\r"));
}

// Guards: an unknown element breaking the stack, its text leaking into a holder, or parent text after a
// child element being appended.
TEST(SAXFrame, UnknownElementsAndMixedContent)
{
    auto lib = Parse("<library><wrapper>ignored<libraryitem>head<name>N</name>tail</libraryitem></wrapper>"
                     "<title>T<b>bold</b>after</title></library>");
    ASSERT_TRUE(lib);
    ASSERT_EQ(lib->items.size(), 1u);
    EXPECT_EQ(lib->items[0]->name, "N");
    EXPECT_EQ(lib->items[0]->text, "head");
    EXPECT_EQ(lib->title, "T");
}

// Guards: a failed parse reported as success, more than one message, or a message from a silent routine.
TEST(SAXFrame, FailuresGiveOneMessageAndNoModel)
{
    TempTree tree;
    const QString bad = tree.Write("bad.xml", "<library><libraryitem></library>");
    const QString good = tree.Write("good.xml", "<library><libraryitem/></library>");
    struct Case { QString path; QString message; bool ok; int messages; };
    const Case cases[] = {
        {tree / "missing.xml", "Unable to read Library", false, 1},
        {bad, "Unable to read International Profile sundry text", false, 1},
        {bad, QString(), false, 0},
        {good, "Unable to read Library", true, 0},
    };
    for (const Case &c : cases) {
        CRecordingPrompt prompt;
        LibraryHandler handler;
        const bool ok = SAXReadFile(c.path, handler, &prompt, c.message);
        EXPECT_EQ(ok, c.ok) << c.path.toStdString();
        EXPECT_EQ(prompt.Entries().size(), c.messages) << c.path.toStdString();
        if (!c.message.isEmpty() && c.messages) {
            EXPECT_EQ(prompt.Texts().front(), c.message);
        }
    }
}

// Guards: the reader fetching external entities or DTDs (local files, the network), or expanding an
// entity bomb.
TEST(SAXFrame, NeverLoadsOrExpandsEntities)
{
    TempTree tree;
    const QString secret = tree.Write("secret.txt", "SECRET");
    const QString dtd = tree.Write("x.dtd", "<!ENTITY leak \"FROMDTD\">");
    const QByteArray local = "<?xml version=\"1.0\"?><!DOCTYPE library [<!ENTITY e SYSTEM \"file://"
                             + secret.toUtf8() + "\">]><library><libraryitem><name>a&e;b</name></libraryitem></library>";
    auto lib = Parse(local);
    if (lib) {
        ASSERT_EQ(lib->items.size(), 1u);
        EXPECT_FALSE(lib->items[0]->name.contains("SECRET"));
    }
    const QByteArray external = "<!DOCTYPE library SYSTEM \"file://" + dtd.toUtf8()
                                + "\"><library><libraryitem><name>x</name></libraryitem></library>";
    lib = Parse(external);
    ASSERT_TRUE(lib);
    EXPECT_EQ(lib->items[0]->name, "x");
    const QByteArray network = "<!DOCTYPE library SYSTEM \"http://192.0.2.1/x.dtd\"><library><title>t</title></library>";
    lib = Parse(network);
    ASSERT_TRUE(lib);
    EXPECT_EQ(lib->title, "t");

    QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE library [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        bomb += "<!ENTITY l" + QByteArray::number(i) + " \"" + QByteArray("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    bomb += "]><library><title>&l9;</title></library>";
    lib = Parse(bomb);
    if (lib) {
        EXPECT_LT(lib->title.size(), 1000);
    }
}

// Guards: a deeply nested or oversized input exhausting the stack or the memory.
TEST(SAXFrame, DeepNestingAndOversizedInputAreRefused)
{
    const QByteArray deep = QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000);
    LibraryHandler handler;
    SAXXMLReader reader(handler);
    EXPECT_FALSE(reader.parseMemory(deep));
    EXPECT_FALSE(reader.ErrorText().isEmpty());

    SAXXMLReader small(handler);
    small.SetMaxBytes(10);
    EXPECT_FALSE(small.parseMemory("<library><title>t</title></library>"));
}

// Guards: an exception thrown by a handler unwinding through the parser.
TEST(SAXFrame, HandlerExceptionStopsTheParseCleanly)
{
    struct Throwing : SAXContentHandlerImpl
    {
        void startElement(const QString &n, const SAXAttributes &a) override
        {
            if (NameIs(n, u"boom"))
                throw std::runtime_error("boom");
            SAXContentHandlerImpl::startElement(n, a);
        }
    } handler;
    SAXXMLReader reader(handler);
    EXPECT_FALSE(reader.parseMemory("<a><boom/></a>"));
    EXPECT_EQ(reader.ErrorText(), "boom");
}
