// Hyperlinks of imported paragraphs kept as links of the text boxes they flow into.
#include "DocxFixture.h"
#include "document/FactoryFixture.h"

#include "import/HeadlessImportHost.h"
#include "import/ImportedLinks.h"
#include "import/WordDocImporter.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentType.h"
#include "model/RichTextLinks.h"
#include "model/Topic.h"
#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

using Piece = std::pair<QString, QString>; // text, address ("" outside links)

CWordDocument::Paragraph Paragraph(const std::vector<Piece> &pieces, const QString &style = "Normal")
{
    CWordDocument::Paragraph p;
    p.styleName = style;
    for (const auto &[text, address] : pieces) {
        CWordDocument::Run run;
        run.text = text;
        run.link = address;
        p.runs.push_back(run);
        p.text += text;
    }
    p.text += u'\r';
    return p;
}

std::vector<const CComponentTextbox *> Boxes(const CCorvessaDoc &doc)
{
    std::vector<const CComponentTextbox *> boxes;
    for (const auto &screen : doc.MainScreens())
        for (const auto &c : screen->GetComponentList())
            if (c->GetType() == ct_textbox)
                boxes.push_back(static_cast<const CComponentTextbox *>(c.get()));
    return boxes;
}

// The text a learner sees: hidden characters left out.
QString Visible(const CRichText &text)
{
    QString out;
    for (int i = 0; i < text.GetTextLength(); ++i)
        if (!text.GetCharFormatAt(i).Has(CFE_HIDDEN))
            out += text.GetText()[i];
    return out;
}

class ImportedLinksTest : public FactoryFixture
{
protected:
    void SetUp() override
    {
        FactoryFixture::SetUp();
        doc->MutableSettings().TemplateType = 13;
        doc->MutableSettings().CreateFinalFeedbackScreen = 0;
        host = std::make_unique<CHeadlessImportHost>(*doc);
    }

    bool Import(std::vector<CWordDocument::Paragraph> paragraphs)
    {
        int position = 0;
        for (auto &p : paragraphs) {
            p.start = position;
            p.end = position += int(p.text.size());
        }
        importer = std::make_unique<CWordDocImporter>(*doc, nullptr, *host);
        importer->SetDocumentLoader([paragraphs](const QString &) -> CResult<std::unique_ptr<CWordDocument>> {
            auto d = std::make_unique<CWordDocument>();
            d->paragraphs = paragraphs;
            return d;
        });
        topic = std::make_unique<CTopic>("", "Topic", "", tree.Write("links.docx", "x"), "FALSE");
        return importer->ConvertDocuments({topic.get()}, false, false, "1").Ok();
    }

    // Every link of every box: its record agrees with the text between its markers, and no mark of the
    // flow is left behind.
    QStringList CheckedLinks()
    {
        QStringList found;
        for (const CComponentTextbox *box : Boxes(*doc)) {
            const CRichText &text = box->GetRichText();
            for (QChar c : text.GetText())
                EXPECT_FALSE(CImportedLinks::IsMark(c)) << text.GetText().toStdString();
            for (const auto &link : box->GetContent().GetLinks()) {
                const QString open = CURLLink::OpeningMarker(link->GetNumber());
                const QString close = CURLLink::ClosingMarker(link->GetNumber());
                const int at = int(text.GetText().indexOf(open));
                const int end = int(text.GetText().indexOf(close));
                EXPECT_GE(at, 0);
                EXPECT_GT(end, at);
                EXPECT_EQ(text.GetTextRange(at + 6, end), link->GetText());
                EXPECT_TRUE(text.GetCharFormatAt(at).Has(CFE_HIDDEN));
                EXPECT_TRUE(text.GetCharFormatAt(end).Has(CFE_HIDDEN));
                EXPECT_TRUE(text.GetCharFormatAt(at + 6).Has(CFE_LINK));
                EXPECT_EQ(link->IsScreenLink(), 0);
                found << link->GetText() + u'>' + link->GetUrl();
            }
        }
        return found;
    }

    std::unique_ptr<CHeadlessImportHost> host;
    std::unique_ptr<CWordDocImporter> importer;
    std::unique_ptr<CTopic> topic;
};

} // namespace

// Guards: a script or a bookmark of the document turned into a link a learner can click.
TEST(ImportedLinks, OnlyAddressesABrowserMayOpenAreKept)
{
    const std::pair<const char *, bool> cases[] = {
        {"https://example.org/safety", true}, {"http://a.example/", true},  {"mailto:help@example.org", true},
        {"ftp://files.example/x", true},      {"javascript:alert(1)", false}, {"#_Toc1", false},
        {"other.docx", false},                {"file:///etc/passwd", false}, {"", false},
        {"vbscript:x", false},                {"http://", false},
    };
    for (const auto &[address, kept] : cases)
        EXPECT_EQ(CImportedLinks::IsKeptAddress(address), kept) << address;
}

// Guards: hyperlinks dropped from imported text, or kept with records that do not match their markers
// (the publisher then links the wrong words), in the plain and the formatted flow alike.
TEST_F(ImportedLinksTest, HyperlinksBecomeLinksOfTheTextBox)
{
    for (const int formatted : {0, 1}) {
        SCOPED_TRACE(formatted);
        SetUp();
        doc->MutableSettings().UseSourceDocumentFonts = formatted;
        ASSERT_TRUE(Import({Paragraph({{"Read the ", ""}, {"safety ", "https://example.org/safety"},
                                       {"rules", "https://example.org/safety"}, {" and ", ""},
                                       {"this", "javascript:alert(1)"}, {" then ", ""},
                                       {"write", "mailto:help@example.org"}, {".", ""}}),
                            Paragraph({{"Second ", ""}, {"link", "http://a.example/"}})}));
        EXPECT_EQ(CheckedLinks(), QStringList({"safety rules>https://example.org/safety",
                                               "write>mailto:help@example.org", "link>http://a.example/"}));
        const auto boxes = Boxes(*doc);
        ASSERT_FALSE(boxes.empty());
        EXPECT_TRUE(Visible(boxes[0]->GetRichText()).startsWith("Read the safety rules and this then write.\r"
                                                                "Second link"))
            << Visible(boxes[0]->GetRichText()).toStdString();
        EXPECT_EQ(doc->MainScreens()[0]->GetTitle(), "Read the safety...");
    }
}

// Guards: a link cut by the flow's split leaving marks or broken records behind, or a link in a question or
// glossary paragraph leaking into their plain texts.
TEST_F(ImportedLinksTest, LinksSurviveSplitsAcrossBoxesAndScreens)
{
    std::vector<CWordDocument::Paragraph> paragraphs;
    std::vector<Piece> pieces;
    for (int i = 0; i < 150; ++i) {
        pieces.push_back({QString("Sentence %1 points to ").arg(i), ""});
        pieces.push_back({QString("page number %1").arg(i), QString("https://example.org/%1").arg(i)});
        pieces.push_back({". ", ""});
    }
    paragraphs.push_back(Paragraph(pieces));
    paragraphs.push_back(Paragraph({{"Helmet", "https://example.org/h"}}, "kv_glossary"));
    paragraphs.push_back(Paragraph({{"A ", ""}, {"hard hat", "https://example.org/hat"}}, "kv_description"));
    ASSERT_TRUE(Import(paragraphs));
    ASSERT_GT(doc->MainScreens().size(), 1u);
    const QStringList links = CheckedLinks();
    for (int i = 0; i < 150; ++i) {
        // Whole or cut in two by a split, each link keeps its own address.
        const QString address = QString("https://example.org/%1").arg(i);
        const auto pieces = links.filter(QRegularExpression(u'>' + QRegularExpression::escape(address) + u'$'));
        ASSERT_FALSE(pieces.isEmpty()) << i;
        QString joined;
        for (const QString &p : pieces)
            joined += p.section(u'>', 0, 0) + u' ';
        EXPECT_EQ(joined.simplified(), QString("page number %1").arg(i));
    }
    ASSERT_EQ(importer->GetGlossary().size(), 1u);
    EXPECT_EQ(importer->GetGlossary()[0].term, "Helmet\n");
    EXPECT_EQ(importer->GetGlossary()[0].text, "A hard hat\n");
}

// Guards: a .docx hyperlink read from its relationship not reaching the text box.
TEST_F(ImportedLinksTest, DocxHyperlinkReachesTheTextBox)
{
    const QString path = tree / "link.docx";
    ASSERT_TRUE(DocxFixture::Write(path, "<w:p><w:r><w:t xml:space=\"preserve\">See </w:t></w:r>"
                                         "<w:hyperlink r:id=\"rId9\"><w:r><w:t>the rules</w:t></w:r></w:hyperlink></w:p>"));
    importer = std::make_unique<CWordDocImporter>(*doc, nullptr, *host);
    CTopic t("", "T", "", path, "FALSE");
    ASSERT_TRUE(importer->ConvertDocuments({&t}, false, false, "1"));
    EXPECT_EQ(CheckedLinks(), QStringList({"the rules>https://example.org/safety"}));
}

// Guards symbol-font characters (U+F020 to U+F0FF, kept where no table maps them) taken for the flow's link
// marks: they were dropped from the text, or cut a link short, in both flows.
TEST_F(ImportedLinksTest, SymbolFontCharactersAreNoMarks)
{
    const QString symbols = QString(QChar(0xF021)) + QChar(0xF0FE);
    for (const int formatted : {0, 1}) {
        SCOPED_TRACE(formatted);
        SetUp();
        doc->MutableSettings().UseSourceDocumentFonts = formatted;
        ASSERT_TRUE(Import({Paragraph({{"Tick " + symbols + " then ", ""}, {"go " + symbols, "https://example.org/go"}})}));
        EXPECT_EQ(CheckedLinks(), QStringList({"go " + symbols + ">https://example.org/go"}));
        const auto boxes = Boxes(*doc);
        ASSERT_FALSE(boxes.empty());
        EXPECT_TRUE(Visible(boxes[0]->GetRichText()).startsWith("Tick " + symbols + " then go " + symbols))
            << Visible(boxes[0]->GetRichText()).toStdString();
    }
}
