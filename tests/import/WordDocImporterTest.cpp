// The Word importer: labels, the paragraph-style states, glossary collection, text flow, final screens and
// damaged documents.
#include "DocxFixture.h"
#include "document/FactoryFixture.h"

#include "import/DocxReader.h"
#include "import/HeadlessImportHost.h"
#include "import/ImportGlossary.h"
#include "import/WordDocImporter.h"
#include "import/WordDocumentReader.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentType.h"
#include "model/Topic.h"
#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include "model/ComponentCompleteParagraph.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <map>

namespace {

using Para = std::pair<QString, QString>; // style, text

std::unique_ptr<CWordDocument> Make(const std::vector<Para> &paras)
{
    auto doc = std::make_unique<CWordDocument>();
    int position = 0;
    for (const auto &[style, text] : paras) {
        CWordDocument::Paragraph p;
        p.styleName = style;
        p.text = text + u'\r';
        p.start = position;
        p.end = position += int(p.text.size());
        CWordDocument::Run run;
        run.text = text;
        p.runs.push_back(run);
        doc->paragraphs.push_back(p);
    }
    return doc;
}

QString BoxText(const CCorvPage *screen)
{
    for (const auto &c : screen->GetComponentList())
        if (c->GetType() == ct_textbox)
            return static_cast<CComponentTextbox *>(c.get())->GetRichText().GetText();
    return {};
}

class WordImportTest : public FactoryFixture
{
protected:
    void SetUp() override
    {
        FactoryFixture::SetUp();
        doc->MutableSettings().TemplateType = 13; // text-only screens: no graphics library needed
        doc->MutableSettings().CreateFinalFeedbackScreen = 0;
        host = std::make_unique<CHeadlessImportHost>(*doc);
    }

    // Imports the documents (by file name, from the fake store) as topics of a menu-based course.
    bool Import(const std::vector<QString> &files, bool flags = true, const QString &first = "1")
    {
        importer = std::make_unique<CWordDocImporter>(*doc, nullptr, *host);
        importer->SetDocumentLoader([this](const QString &path) -> CResult<std::unique_ptr<CWordDocument>> {
            const auto it = store.find(QFileInfo(path).fileName());
            if (it == store.end())
                return CFailure(path + " is damaged");
            return Make(it->second);
        });
        topics.clear();
        std::vector<const CTopic *> list;
        for (const QString &file : files) {
            const QString path = file.isEmpty() ? QString() : tree.Write(file, "x");
            topics.push_back(std::make_unique<CTopic>("", "Topic " + file, "", path, "FALSE"));
            list.push_back(topics.back().get());
        }
        const CStatus status = importer->ConvertDocuments(list, flags, flags, first);
        lastError = status.Error();
        return status.Ok();
    }

    std::vector<const CCorvPage *> Main() const
    {
        std::vector<const CCorvPage *> out;
        for (const auto &s : doc->MainScreens())
            out.push_back(s.get());
        return out;
    }

    std::map<QString, std::vector<Para>> store;
    std::vector<std::unique_ptr<CTopic>> topics;
    std::unique_ptr<CHeadlessImportHost> host;
    QString lastError;   // the message of the last failed run
    std::unique_ptr<CWordDocImporter> importer;
};

} // namespace

// Guards: labels that collide or skip when screens are numbered as siblings.
TEST(WordImportRules, LabelsTitlesIndentsAndKinds)
{
    for (const auto &[in, out] : std::vector<std::pair<QString, QString>>{{"", "1"}, {"7", "8"}, {"1_2", "1_3"}, {"1_9", "1_10"}}) {
        QString label = in;
        CWordDocImporter::AdvanceLabel(label);
        EXPECT_EQ(label, out);
    }
    const std::pair<QString, QString> titles[] = {
        {"Introduction to safety procedures", "Introduction to..."},
        {"Understanding electrical hazards", "Understanding electrical..."},
        {"Hi", "Hi..."},
        {"  \n\rLine one\r\nLine two is long", "Line one Line two..."},
        {"", "..."},
    };
    for (const auto &[text, title] : titles)
        EXPECT_EQ(CWordDocImporter::TitleFromText(text), title) << text.toStdString();
    const std::pair<double, int> indents[] = {{0, 0}, {17.9, 1}, {18, 1}, {19, 2}, {36, 2}, {37, 3}, {54, 3}};
    for (const auto &[points, steps] : indents)
        EXPECT_EQ(CWordDocImporter::IndentSteps(points), steps) << points;
    const std::pair<QString, int> kinds[] = {{"report.DOC", 1}, {"a.docx", 1}, {"t.txt", 1}, {"r.rtf", 1},
                                             {"s.pptx", 2}, {"s.PPT", 2}, {"notes.odt", 0}};
    for (const auto &[name, kind] : kinds)
        EXPECT_EQ(CWordDocImporter::FileKind(name), kind) << name.toStdString();
}

// Guards: topic and content labels out of step with the outline's numbering.
TEST_F(WordImportTest, LabelsOfTopicsAndScreens)
{
    store["a.docx"] = {{"Normal", "One."}, {"Heading 1", "Two"}, {"Normal", "Three."}};
    store["b.docx"] = {{"Normal", "Four."}};
    doc->MutableSettings().ForceNewPage = doc->MutableSettings().UseSrcWordHeadings = 1;
    ASSERT_TRUE(Import({"a.docx", "b.docx"}));
    EXPECT_EQ(host->AddedLabels(), QStringList({"1", "1_1", "1_1_1", "1_1_2", "1_2", "1_2_1"}));
    EXPECT_EQ(Main()[0]->GetTitle(), "Main Menu");
    EXPECT_EQ(Main()[1]->GetMenuKind(), 2);
    EXPECT_EQ(host->MenuLayouts(), 1);
    EXPECT_TRUE(doc->GetPopupsFolder());
}

// Guards: the heading and page-break switches starting screens they should not, or page breaks left in
// the text.
TEST_F(WordImportTest, HeadingsAndPageBreaksStartScreensOnlyWhenAsked)
{
    const QString pageBreak = QString(QChar(12)) + "Broken";
    store["a.docx"] = {{"Normal", "One."}, {"Heading 2", "Head"}, {"heading 1", "lower"}, {"Normal", pageBreak}};
    struct Case { int force, headings, breaks; int screens; };
    for (const Case &c : {Case{0, 1, 1, 1}, Case{1, 1, 0, 2}, Case{1, 0, 1, 2}, Case{1, 1, 1, 3}}) {
        doc->OnNewDocument();
        doc->MutableSettings().TemplateType = 13;
        doc->MutableSettings().CreateFinalFeedbackScreen = 0;
        host = std::make_unique<CHeadlessImportHost>(*doc);
        doc->MutableSettings().ForceNewPage = c.force;
        doc->MutableSettings().UseSrcWordHeadings = c.headings;
        doc->MutableSettings().UseSrcPageBreaks = c.breaks;
        ASSERT_TRUE(Import({"a.docx"}, false));
        EXPECT_EQ(int(Main().size()), c.screens) << c.force << c.headings << c.breaks;
        QString all;
        for (const CCorvPage *s : Main())
            all += BoxText(s);
        EXPECT_FALSE(all.contains(QChar(12)));
        EXPECT_TRUE(all.contains("Broken"));
    }
}

// Guards: questions made at the wrong time, options lost, the paragraph after a stem dropped, or glossary
// paragraphs breaking the text flow.
TEST_F(WordImportTest, QuestionAndGlossaryStates)
{
    store["q.docx"] = {{"stem", "Which?"}, {"option", "o1"}, {"optionyes", "o2"}, {"Normal", "After."}};
    store["two.docx"] = {{"stem", "First?"}, {"stem", "Second?"}, {"option", "x"}};
    store["after.docx"] = {{"stem", "Q?"}, {"Normal", "Kept."}, {"option", "a"}, {"Normal", "Later."}};
    store["gloss.docx"] = {{"Normal", "Before."}, {"kv_glossary", "A"}, {"kv_description", "d1"},
                           {"kv_description", "d2"}, {"Normal", "After."}, {"kv_glossary", "B"}};
    ASSERT_TRUE(Import({"q.docx", "two.docx", "after.docx", "gloss.docx"}, false));
    std::vector<QString> kinds;
    for (const CCorvPage *s : Main()) {
        if (s->GetTitle() == "Multiple Choice") {
            const auto *mc = static_cast<const CComponentMultipleChoice *>(s->GetComponentList().back().get());
            kinds.push_back("MC:" + mc->GetQuestionText());
        } else {
            kinds.push_back(BoxText(s).trimmed().replace(u'\r', u'|'));
        }
    }
    const std::vector<QString> expected = {"MC:Which?", "After.", "MC:First?", "MC:Second?", "Kept.",
                                           "MC:Q?", "Later.", "Before.|After."};
    EXPECT_EQ(kinds, expected);
    const auto &g = importer->GetGlossary();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].term, "A\n");
    EXPECT_EQ(g[0].text, "d1\nd2\n");
    EXPECT_EQ(g[1].term, "B\n");
    EXPECT_EQ(g[1].text, "");
    ASSERT_EQ(doc->GlossaryScreens().size(), 3u); // the folder and two entries, in order
    EXPECT_EQ(doc->GlossaryScreens()[1]->GetTitle(), "A\n");
}

// Guards a generated complete-the-paragraph question left unfinished (no title, no blanks) when the paragraph
// after a stem opened it and the held multiple-choice question was then made.
TEST_F(WordImportTest, HeldQuestionFinishesTheGeneratedQuestionFirst)
{
    doc->MutableSettings().AutoCreateDragDropQuest = 1;
    doc->MutableSettings().DragDropQuestInterval = 2;
    doc->MutableSettings().DragDropQuestWordCount = 2;
    store["cp.docx"] = {{"Normal", "Introduction of the topic."},
                        {"stem", "Which?"},
                        {"Normal", "Ladders stand on level ground beside the scaffolding."},
                        {"option", "a"},
                        {"Normal", "Later."}};
    ASSERT_TRUE(Import({"cp.docx"}, false));
    const CComponentCompleteParagraph *question = nullptr;
    const CCorvPage *questionScreen = nullptr;
    for (const CCorvPage *s : Main())
        for (const auto &c : s->GetComponentList())
            if (c->GetType() == ct_complete_paragraph) {
                question = static_cast<const CComponentCompleteParagraph *>(c.get());
                questionScreen = s;
            }
    ASSERT_TRUE(question) << "a generated question is made";
    EXPECT_EQ(questionScreen->GetTitle(), "Complete Paragraph");
    auto *editable = const_cast<CComponentCompleteParagraph *>(question);
    EXPECT_EQ(editable->GetQuestionText().count(CComponentCompleteParagraph::kBlank), 2)
        << editable->GetQuestionText().toStdString();
    EXPECT_FALSE(question->GetMissingWords()[0].isEmpty());
}

// Guards: the options of a question shown in the wrong slots or with the wrong correct flags.
TEST_F(WordImportTest, MultipleChoiceOptionsAndFlags)
{
    store["q.docx"] = {{"stem", "Pick"}, {"option", "o1"}, {"optionyes", "o2"}};
    ASSERT_TRUE(Import({"q.docx"}, false));
    ASSERT_EQ(Main().size(), 1u);
    const CCorvPage *screen = Main()[0];
    const CComponentMultipleChoice *mc = nullptr;
    for (const auto &c : screen->GetComponentList())
        if (c->GetType() == ct_multiple_choice)
            mc = static_cast<const CComponentMultipleChoice *>(c.get());
    ASSERT_TRUE(mc);
    EXPECT_EQ(mc->GetOptions()[0], "o1");
    EXPECT_EQ(mc->GetOptions()[1], "o2");
    EXPECT_EQ(mc->GetCorrectFlags()[0], 0);
    EXPECT_EQ(mc->GetCorrectFlags()[1], 1);
}

// Guards: an empty topic list making a main menu, or a missing graphics library found only after screens
// were made.
TEST_F(WordImportTest, EmptyListAndMissingLibrary)
{
    EXPECT_TRUE(Import({}));
    EXPECT_TRUE(Main().empty());
    doc->MutableSettings().TemplateType = 0;
    EXPECT_FALSE(Import({}));
    EXPECT_FALSE(Import({"a.docx"}));
    EXPECT_TRUE(Main().empty());
    EXPECT_TRUE(lastError.startsWith("Failed to find images in the following path:\n\n"));
    EXPECT_TRUE(lastError.contains("Stock Photo - color"));
}

// Guards: one unreadable document ending the whole run, or missing files and other kinds reported.
TEST_F(WordImportTest, BadDocumentsAreSkippedAndReported)
{
    store["good.docx"] = {{"Normal", "Good."}};
    ASSERT_TRUE(Import({"broken.docx", "good.docx", "notes.odt", ""}));
    ASSERT_EQ(importer->GetNotImported().size(), 2u);
    EXPECT_TRUE(importer->GetNotImported()[0].path.endsWith("broken.docx"));
    EXPECT_TRUE(importer->GetNotImported()[1].reason.endsWith("notes.odt is neither a word-processing document nor a "
                                                              "presentation."));
    EXPECT_EQ(host->AddedLabels(), QStringList({"1", "1_1", "1_2", "1_2_1", "1_3", "1_4"}));
}

// Guards: a document of tens of megabytes read for minutes, or exhausting memory, instead of ending in a
// message that names it; and a refused document leaving screens, glossary entries or the modified mark behind.
TEST_F(WordImportTest, HugeDocumentsEndInAMessageAndLeaveTheProjectAlone)
{
    const QByteArray paragraph = DocxFixture::P("", "Keep the walkways clear and report every spill at once.");
    // 50 MB of one repeated letter: compressed beyond any real document.
    QByteArray repeated = DocxFixture::P("", QByteArray(50 << 20, 'a'));
    // 50 MB of ordinary paragraphs: it compresses only some 300 to 1, so the cap on the document part stops it.
    const qsizetype fiftyMegabytes = (qsizetype(50) << 20) / paragraph.size() + 1;
    static_assert(CDocxReader::kMaxDocumentPart < (qint64(50) << 20));
    const struct
    {
        QString name;
        QByteArray body;
        QString message;
    } cases[] = {
        {"fifty.docx", repeated, "is compressed beyond any real document"},
        {"paragraphs.docx", paragraph.repeated(fiftyMegabytes), "is too large to import"},
    };
    repeated.clear();
    const QStringList labelsBefore = host->AddedLabels();
    doc->SetModifiedFlag(false);
    for (const auto &c : cases) {
        auto parts = DocxFixture::Parts(c.body);
        const QString path = tree / c.name;
        ASSERT_TRUE(WriteZip(path, parts));
        parts.clear();
        CWordDocImporter reader(*doc, nullptr, *host);
        const CTopic topic("", "Huge", "", path, "FALSE");
        QElapsedTimer clock;
        clock.start();
        const CStatus status = reader.ConvertDocuments({&topic}, false, false, "1");
        std::printf("%s (%lld bytes on disk): refused after %lld ms\n", qPrintable(c.name),
                    static_cast<long long>(QFileInfo(path).size()), static_cast<long long>(clock.elapsed()));
        EXPECT_TRUE(status.Ok()) << status.Error().toStdString();
        ASSERT_EQ(reader.GetNotImported().size(), 1u) << c.name.toStdString();
        const QString message = reader.GetNotImported()[0].reason;
        EXPECT_TRUE(message.contains(path)) << message.toStdString();
        EXPECT_TRUE(message.contains(c.message)) << message.toStdString();
        EXPECT_TRUE(Main().empty());
        EXPECT_TRUE(doc->GlossaryScreens().empty());
        EXPECT_EQ(host->AddedLabels(), labelsBefore);
        EXPECT_FALSE(doc->IsModified());
        QFile::remove(path);
    }
}

// Guards: final performance screens made twice or with the wrong labels.
TEST_F(WordImportTest, FinalPerformanceScreens)
{
    store["a.docx"] = {{"Normal", "Text."}};
    doc->MutableSettings().CreateFinalFeedbackScreen = doc->MutableSettings().SetPercentagePassMark = 1;
    ASSERT_TRUE(Import({"a.docx"}));
    QStringList labels, titles;
    for (const CCorvPage *s : Main()) {
        labels << s->GetLabel();
        titles << s->GetTitle();
    }
    EXPECT_EQ(labels.mid(3), QStringList({"1_1_2", "1_1_2_1", "1_1_2_1_1", "1_1_2_2", "1_1_2_2_1"}));
    EXPECT_EQ(titles.mid(3), QStringList({"Final Performance Screens", "Pass", "Message", "Fail", "Message"}));
    const size_t before = Main().size();
    ASSERT_TRUE(Import({"a.docx"}));
    EXPECT_EQ(Main().size(), before + 3); // the second run adds its own screens, no second final folder
}

// Guards: text lost or duplicated when a long paragraph overflows, or an endless run of new screens for
// a sentence that fits no box.
TEST_F(WordImportTest, OverflowSplitsWithoutLosingText)
{
    QString longText;
    for (int i = 0; i < 120; ++i)
        longText += QString("Sentence number %1 tells the learner something useful. ").arg(i);
    const QString endless = QString(3000, u'x');
    store["long.docx"] = {{"Normal", longText.trimmed()}, {"Normal", endless}};
    ASSERT_TRUE(Import({"long.docx"}, false));
    ASSERT_GT(Main().size(), 2u);
    ASSERT_LT(Main().size(), 60u);
    QString all;
    for (const CCorvPage *s : Main())
        all += BoxText(s) + u' ';
    for (int i = 0; i < 120; ++i)
        EXPECT_EQ(all.count(QString("Sentence number %1 tells").arg(i)), 1) << i;
    // Each later screen starts with a whole sentence.
    EXPECT_TRUE(BoxText(Main()[1]).startsWith("Sentence number"));
    EXPECT_EQ(all.count(u'x'), 3000);
}

// Guards: the formatted flow losing the document's own run formats and list kinds.
TEST_F(WordImportTest, FormattedFlowKeepsRunsAndLists)
{
    TempTree files;
    const QString path = files / "fmt.docx";
    const QByteArray body =
        "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>Bold</w:t></w:r><w:r><w:rPr><w:i/></w:rPr><w:t xml:space=\"preserve\"> and italic</w:t></w:r></w:p>"
        + DocxFixture::P("ListBullet", "bullet item")
        + DocxFixture::P("", "numbered", "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"2\"/></w:numPr>");
    ASSERT_TRUE(DocxFixture::Write(path, body));
    doc->MutableSettings().UseSourceDocumentFonts = 1;
    importer = std::make_unique<CWordDocImporter>(*doc, nullptr, *host);
    CTopic topic("", "T", "", path, "FALSE");
    ASSERT_TRUE(importer->ConvertDocuments({&topic}, false, false, "1"));
    ASSERT_EQ(Main().size(), 1u);
    const CRichText *text = nullptr;
    for (const auto &c : Main()[0]->GetComponentList())
        if (c->GetType() == ct_textbox)
            text = &static_cast<CComponentTextbox *>(c.get())->GetRichText();
    ASSERT_TRUE(text);
    const QString all = text->GetText();
    const int bold = int(all.indexOf("Bold"));
    const int italic = int(all.indexOf("italic"));
    const int bullet = int(all.indexOf("bullet item"));
    const int numbered = int(all.indexOf("numbered"));
    ASSERT_GE(bold, 0);
    ASSERT_GE(numbered, 0);
    EXPECT_TRUE(text->GetCharFormatAt(bold).Has(CFE_BOLD));
    EXPECT_FALSE(text->GetCharFormatAt(bold).Has(CFE_ITALIC));
    EXPECT_TRUE(text->GetCharFormatAt(italic).Has(CFE_ITALIC));
    EXPECT_FALSE(text->GetCharFormatAt(italic).Has(CFE_BOLD));
    EXPECT_EQ(text->GetParaFormatAt(bullet).numbering, PFN_BULLET);
    EXPECT_NE(text->GetParaFormatAt(numbered).numbering, 0);
    EXPECT_NE(text->GetParaFormatAt(numbered).numbering, PFN_BULLET);
    EXPECT_EQ(text->GetParaFormatAt(bold).numbering, 0);
}

// Guards: glossary documents read by suffixes they do not have, terms dropped or handed over without a
// description.
TEST_F(WordImportTest, GlossaryDocuments)
{
    TempTree files;
    const QByteArray body = DocxFixture::P("kvdescription", "orphan") + DocxFixture::P("kvglossary", "Term")
                            + DocxFixture::P("kvdescription", "a") + DocxFixture::P("kvdescription", "b")
                            + DocxFixture::P("kvglossary", "A") + DocxFixture::P("kvglossary", "B")
                            + DocxFixture::P("kvdescription", "x") + DocxFixture::P("kvglossary", "Last");
    ASSERT_TRUE(DocxFixture::Write(files / "Terms.DOCX", body));
    files.Write("terms.rtf", "{\\rtf1 x}");
    CImportGlossary glossary(*host);
    EXPECT_EQ(glossary.ImportGlossaryFromWord({}), 0);
    const int count = glossary.ImportGlossaryFromWord({"", files / "terms.rtf", files / "missing.docx", files / "Terms.DOCX"});
    EXPECT_EQ(count, 3);
    QStringList titles;
    for (const auto &s : doc->GlossaryScreens())
        titles << s->GetTitle();
    EXPECT_EQ(titles, QStringList({"Glossary", "No Glossary Item Name", "Term\n", "B\n"}));
    EXPECT_EQ(BoxText(doc->GlossaryScreens()[2].get()).trimmed(), "a\rb");
}

// Guards: a document written by another program (python-docx, its own styles.xml and numbering) read with
// the wrong style names, list kinds or glossary styles.
TEST_F(WordImportTest, DocumentWrittenByPythonDocx)
{
    const QString path = QStringLiteral(CORV_FIXTURES "/word/safety-python-docx.docx");
    const auto read = CWordDocumentReader::Read(path);
    ASSERT_TRUE(read) << read.Error().toStdString();
    QStringList styles;
    for (const auto &p : read.Value()->paragraphs)
        styles << p.styleName;
    EXPECT_EQ(styles, QStringList({"Heading 1", "Normal", "Heading 2", "List Bullet", "List Bullet", "List Number",
                                   "Heading 3", "Normal", "kv_glossary", "kv_description"}));
    EXPECT_EQ(read.Value()->paragraphs[3].listType, CWordDocument::listBullet);
    EXPECT_GT(read.Value()->paragraphs[5].listType, 0);
    EXPECT_NE(read.Value()->paragraphs[5].listType, CWordDocument::listBullet);

    doc->MutableSettings().ForceNewPage = doc->MutableSettings().UseSrcWordHeadings = 1;
    importer = std::make_unique<CWordDocImporter>(*doc, nullptr, *host);
    CTopic topic("", "Safety", "", path, "FALSE");
    ASSERT_TRUE(importer->ConvertDocuments({&topic}, true, true, "1"));
    EXPECT_EQ(host->AddedLabels().mid(0, 5), QStringList({"1", "1_1", "1_1_1", "1_1_2", "1_1_3"}));
    EXPECT_TRUE(BoxText(Main()[2]).contains("Bold rule"));
    EXPECT_TRUE(BoxText(Main()[4]).contains(QString::fromUtf8("Sécurité avant tout.")));
    ASSERT_EQ(importer->GetGlossary().size(), 1u);
    EXPECT_EQ(importer->GetGlossary()[0].term, "Helmet\n");
}
