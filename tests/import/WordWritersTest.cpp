// One document as two word processors write it: python-docx and LibreOffice import alike.
#include "document/FactoryFixture.h"

#include "import/HeadlessImportHost.h"
#include "import/WordDocImporter.h"
#include "import/WordDocumentReader.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentType.h"
#include "model/RichTextLinks.h"
#include "model/Topic.h"
#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

namespace {

// What an import made: each screen's label, title and boxes (text with its links), and the glossary.
struct Outcome
{
    QStringList outline;
    QStringList glossary;
};

class WordWritersTest : public FactoryFixture
{
protected:
    Outcome ImportFixture(const QString &name, bool formatted)
    {
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
        doc->FontName[0] = QStringLiteral("Verdana");
        doc->FontSizePoints[0] = QStringLiteral("14");
        doc->TemplateType = 13;
        doc->CreateFinalFeedbackScreen = 0;
        doc->ForceNewPage = doc->UseSrcWordHeadings = 1;
        doc->UseSourceDocumentFonts = formatted;
        CHeadlessImportHost host(*doc);
        CWordDocImporter importer(*doc, nullptr, host);
        CTopic topic("", "Safety", "", QStringLiteral(CORV_FIXTURES "/word/") + name, "FALSE");
        EXPECT_TRUE(importer.ConvertDocuments({&topic}, true, true, "1"));
        EXPECT_TRUE(importer.GetNotImported().empty());
        Outcome out;
        for (const auto &screen : doc->MainScreenList) {
            QString line = screen->GetLabel() + u' ' + screen->GetTitle();
            for (const auto &c : screen->GetComponentList()) {
                if (c->GetType() != ct_textbox)
                    continue;
                const auto *box = static_cast<const CComponentTextbox *>(c.get());
                const CRichText &text = box->GetRichText();
                line += u'|' + text.GetText();
                for (int i = 0; i < text.GetTextLength(); ++i)
                    if (text.GetCharFormatAt(i).Has(CFE_BOLD) && !text.GetCharFormatAt(i).Has(CFE_HIDDEN))
                        line += u'*';
                for (int p = 0; p < text.GetParagraphCount(); ++p)
                    line += QString::number(text.GetParaFormatAt(text.ParagraphStart(p)).numbering);
                for (const auto &link : box->GetContent().GetLinks())
                    line += u'<' + link->GetText() + u'>' + link->GetUrl();
            }
            out.outline << line;
        }
        for (const auto &g : importer.GetGlossary())
            out.glossary << g.term + u'=' + g.text;
        return out;
    }
};

} // namespace

// Guards: a document read differently by the writer that made it (LibreOffice's style ids, capitalised
// built-in names, its own numbering and hyperlink parts), so the same text imports to another outline.
TEST_F(WordWritersTest, PythonDocxAndLibreOfficeImportAlike)
{
    for (const bool formatted : {false, true}) {
        SCOPED_TRACE(formatted);
        const Outcome python = ImportFixture("safety-python-docx.docx", formatted);
        const Outcome libre = ImportFixture("safety-libreoffice.docx", formatted);
        EXPECT_EQ(python.outline.join(u'\n').toStdString(), libre.outline.join(u'\n').toStdString());
        EXPECT_EQ(python.glossary, libre.glossary);
        EXPECT_EQ(python.glossary, QStringList({"Helmet\n=A hard hat worn on site.\n"}));
        ASSERT_GE(python.outline.size(), 5);
        EXPECT_TRUE(python.outline.join(u'\n').contains("<safety rules>https://example.org/safety"))
            << python.outline.join(u'\n').toStdString();
    }
}

// Guards: the two writers' paragraphs differing in style names, list kinds, runs or link addresses.
TEST_F(WordWritersTest, BothWritersReadToTheSameParagraphs)
{
    const auto python = CWordDocumentReader::Read(QStringLiteral(CORV_FIXTURES "/word/safety-python-docx.docx"));
    ASSERT_TRUE(python) << python.Error().toStdString();
    const auto libre = CWordDocumentReader::Read(QStringLiteral(CORV_FIXTURES "/word/safety-libreoffice.docx"));
    ASSERT_TRUE(libre) << libre.Error().toStdString();
    const auto describe = [](const CWordDocument &d) {
        QStringList out;
        for (const auto &p : d.paragraphs) {
            QString line = p.styleName + u'|' + p.text + u'|' + QString::number(p.listType > 0)
                           + QString::number(p.listType == CWordDocument::listBullet);
            for (const auto &r : p.runs)
                if (r.bold || r.italic || !r.link.isEmpty())
                    line += u'[' + r.text + u' ' + QString::number(r.bold) + QString::number(r.italic) + u' ' + r.link + u']';
            out << line;
        }
        return out;
    };
    EXPECT_EQ(describe(*python.Value()).join(u'\n').toStdString(), describe(*libre.Value()).join(u'\n').toStdString());
}
