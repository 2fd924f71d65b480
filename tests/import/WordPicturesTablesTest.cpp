// The Word importer's pictures, tables and questions: pictures read out of the package with their
// positions and sizes, copied as JPEG files and placed on the screens whose text holds them; tables in
// place of a placeholder or on a screen of their own, with their cells' formats; multiple-choice questions
// from the question styles and complete-the-paragraph questions made every n screens.
#include "DocxFixture.h"
#include "WordMediaFixture.h"
#include "document/FactoryFixture.h"

#include "image/qt/ImageQt.h"
#include "image/qt/MetafilePlayer.h"
#include "image/xImage.h"
#include "image/xMemFile.h"
#include "import/DocumentPicture.h"
#include "import/HeadlessImportHost.h"
#include "import/WordDocImporter.h"
#include "import/WordDocumentReader.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentImage.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentTable.h"
#include "model/ComponentType.h"
#include "model/GlobalHelpers.h"
#include "model/RichTextLinks.h"
#include "model/Topic.h"
#include "platform/richtext/CharFormat.h"
#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdlib>
#include <cstring>

namespace {

using namespace WordMediaFixture;

class WordPicturesTest : public FactoryFixture
{
protected:
    void SetUp() override
    {
        FactoryFixture::SetUp();
        RegisterMetafilePlayer();
        context.appDataFolder = tree.MakeFolder(QStringLiteral("appdata"));
        doc->MutableSettings().TemplateType = 13;
        doc->MutableSettings().CreateFinalFeedbackScreen = 0;
        doc->MutableSettings().AutoGenerateGraphics = 0;
        host = std::make_unique<CHeadlessImportHost>(*doc);
    }

    CStatus Import(const QStringList &paths)
    {
        importer = std::make_unique<CWordDocImporter>(*doc, nullptr, *host);
        topics.clear();
        std::vector<const CTopic *> list;
        for (const QString &path : paths) {
            topics.push_back(std::make_unique<CTopic>("", "Topic", "", path, "FALSE"));
            list.push_back(topics.back().get());
        }
        return importer->ConvertDocuments(list, false, false, "1");
    }

    template <typename T>
    static std::vector<T *> Components(const CCorvPage &screen, int type)
    {
        std::vector<T *> out;
        for (const auto &c : screen.GetComponentList())
            if (c->GetType() == type)
                out.push_back(dynamic_cast<T *>(c.get()));
        return out;
    }

    std::vector<CCorvPage *> Main() const
    {
        std::vector<CCorvPage *> out;
        for (const auto &s : doc->MainScreens())
            out.push_back(s.get());
        return out;
    }

    QString PictureFolder(const QString &base) const { return context.appDataFolder + "/tmp/" + base; }

    std::unique_ptr<CHeadlessImportHost> host;
    std::unique_ptr<CWordDocImporter> importer;
    std::vector<std::unique_ptr<CTopic>> topics;
};

} // namespace

// Guards: pictures lost or read in the wrong order, at the wrong character position or size; tables measured
// wrongly or their merged cells shifting the text of the cells after them.
TEST(DocxPictures, PicturesAndTablesAsTheReaderGivesThem)
{
    TempTree tree;
    const QString path = tree / "read.docx";
    const QByteArray body = Para("", TextRun("Exit") + Drawing("rId20", 40, 30)) + Para("", TextRun("Helmet") + Drawing("rId21", 20, 10, true))
                            + Para("", Drawing("rId22", 50, 25) + TextRun("Sign"))
                            + "<w:p><w:r><w:pict><v:shape xmlns:v=\"urn:schemas-microsoft-com:vml\" style=\"width:30pt;height:15pt\">"
                              "<v:imagedata r:id=\"rId20\"/></v:shape></w:pict></w:r></w:p>"
                            + Table({1440, 1440, 1440},
                                    {{Para("", TextRun("a")), Para("", TextRun("b")), Para("", TextRun("c"))},
                                     {Para("", TextRun("one")) + Para("", TextRun("two")), Para("", TextRun("x")), Para("", TextRun("y"))},
                                     {"<w:tcPr><w:gridSpan w:val=\"2\"/></w:tcPr>" + Para("", TextRun("wide")), Para("", TextRun("z"))}},
                                    {400, 0, 0});
    ASSERT_TRUE(WriteDocx(path, body, {{"rId20", "one.png", Solid(40, 30, qRgb(255, 0, 0), ImageFormatPng)},
                                       {"rId21", "two.jpg", Solid(20, 10, qRgb(0, 255, 0), ImageFormatJpg)},
                                       {"rId22", "three.emf", BlueEmf(50, 25)}}));
    const auto read = CWordDocumentReader::Read(path);
    ASSERT_TRUE(read) << read.Error().toStdString();
    const CWordDocument &d = *read.Value();

    ASSERT_EQ(d.pictures.size(), 4u);
    // Inline pictures in document order, then the floating one.
    EXPECT_EQ(d.pictures[0].name, "word/media/one.png");
    EXPECT_EQ(d.pictures[1].name, "word/media/three.emf");
    EXPECT_EQ(d.pictures[2].name, "word/media/one.png");
    EXPECT_EQ(d.pictures[3].name, "word/media/two.jpg");
    EXPECT_TRUE(d.pictures[3].floating);
    EXPECT_EQ(d.pictures[0].position, d.paragraphs[0].start + 4);
    EXPECT_EQ(d.paragraphs[0].text[4], QChar(1));
    EXPECT_EQ(d.pictures[1].position, d.paragraphs[2].start);
    EXPECT_EQ(d.pictures[3].position, d.paragraphs[1].start + 6);
    EXPECT_EQ(std::make_pair(d.pictures[0].width, d.pictures[0].height), std::make_pair(40, 30));
    EXPECT_EQ(std::make_pair(d.pictures[2].width, d.pictures[2].height), std::make_pair(40, 20));   // 30 x 15 pt
    EXPECT_FALSE(d.pictures[1].bytes.isEmpty());

    ASSERT_EQ(d.tables.size(), 1u);
    const CWordDocument::Table &t = d.tables[0];
    EXPECT_EQ(t.rows, 3);
    EXPECT_EQ(t.columns, 3);
    EXPECT_EQ(t.widthPoints, 216);
    // 20 pt given; two lines of 11 pt type; one line.
    EXPECT_EQ(t.heightPoints, 20 + 2 * 13 + 13);
    EXPECT_EQ(t.cellTexts[1][0], "one\rtwo\r\a");
    ASSERT_EQ(t.cellTexts[2].size(), 3u);
    EXPECT_EQ(t.cellTexts[2][0], "wide\r\a");
    EXPECT_EQ(t.cellTexts[2][2], "z\r\a");
    const auto &z = d.paragraphs[size_t(t.firstParagraph + t.paragraphCount - 1)];
    EXPECT_EQ(std::make_pair(z.cellRow, z.cellColumn), std::make_pair(2, 2));
}

// Guards: a document's file name used unchecked as a folder name, so the picture folder could be the shared
// temporary folder or the settings folder above it, which the importer empties.
TEST(DocxPictures, BaseNamesStayInsideThePictureFolder)
{
    const std::pair<QString, QString> cases[] = {
        {"/a/b/Safety rules.docx", "Safetyrules"}, {"/a/<b>&c.docx", "bc"}, {"/a/...docx", "document"},
        {"/a/.docx", "document"}, {"/a/report", "report"}, {"/a/v1.2.docx", "v1.2"},
    };
    for (const auto &[path, base] : cases)
        EXPECT_EQ(CDocumentPicture::BaseName(path), base) << path.toStdString();
}

// Guards: pictures not copied or placed on the wrong screen, the document's own pictures replaced by the
// placeholder, a table that fits dropped or given a screen of its own, its cell formats lost, the question
// styles not making a question, and every fifth screen not being a complete-the-paragraph question.
TEST_F(WordPicturesTest, PicturesTablesAndQuestionsBecomeComponents)
{
    doc->MutableSettings().IncludeSourceDocGraphics = 1;
    doc->MutableSettings().ForceNewPage = 1;
    doc->MutableSettings().UseSrcWordHeadings = 1;
    doc->MutableSettings().AutoCreateDragDropQuest = 1;
    doc->MutableSettings().DragDropQuestInterval = 5;
    doc->MutableSettings().DragDropQuestWordCount = 3;
    const QString path = tree / "course.docx";
    ASSERT_TRUE(WriteSafetyCourse(path, 1));

    const CStatus status = Import({path});
    ASSERT_TRUE(status) << status.Error().toStdString();
    EXPECT_TRUE(importer->GetLeftOut().empty()) << importer->GetLeftOut()[0].reason.toStdString();
    const auto screens = Main();
    ASSERT_EQ(screens.size(), 6u);

    // The three pictures, each on the screen of its text, as JPEG files of the size the document shows.
    const QString folder = PictureFolder("course");
    const QRgb colours[] = {qRgb(0, 160, 0), qRgb(250, 200, 0), qRgb(0, 0, 255)};
    const QSize sizes[] = {{40, 30}, {60, 40}, {50, 50}};
    for (int i = 0; i < 3; ++i) {
        const auto images = Components<CComponentImage>(*screens[size_t(i)], ct_image);
        ASSERT_EQ(images.size(), 1u) << i;
        const QString file = folder + QStringLiteral("/course_src_%1.jpg").arg(i + 1);
        EXPECT_EQ(images[0]->GetImageFile(), file);
        EXPECT_TRUE(images[0]->GetAltText().isEmpty());
        const QImage saved(file);
        ASSERT_FALSE(saved.isNull()) << file.toStdString();
        EXPECT_EQ(saved.size(), sizes[i]);
        const QColor centre = saved.pixelColor(saved.width() / 2, saved.height() / 2);
        EXPECT_LT(std::abs(centre.red() - qRed(colours[i])) + std::abs(centre.green() - qGreen(colours[i]))
                      + std::abs(centre.blue() - qBlue(colours[i])), 40) << i;
        EXPECT_EQ(images[0]->GetBounds().Width(), sizes[i].width());
    }
    EXPECT_TRUE(importer->GetDocumentPictures().empty());

    // The table fits beside the text: it takes the placeholder's place, its cells keep their formats.
    EXPECT_TRUE(Components<CComponentImage>(*screens[3], ct_image).empty());
    const auto tables = Components<CComponentTable>(*screens[3], ct_table);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0]->GetRowCount(), 3);
    EXPECT_EQ(tables[0]->GetColumnCount(), 4);
    for (int c = 0; c < 4; ++c) {
        CRichText &cell = tables[0]->GetCell(2, c)->GetRichText();
        EXPECT_EQ(cell.GetText(), QStringLiteral("R2C%1 plain").arg(c));
        const CCharFormat &first = cell.GetCharFormatAt(1);
        const CCharFormat &last = cell.GetCharFormatAt(cell.GetTextLength() - 1);
        EXPECT_EQ(first.Has(CFE_BOLD), c == 0);
        EXPECT_EQ(first.Has(CFE_ITALIC), c == 1);
        EXPECT_EQ(!first.Has(CFE_AUTOCOLOR) && first.colour == 0x0000FF, c == 2);
        EXPECT_FALSE(last.Has(CFE_BOLD) || last.Has(CFE_ITALIC));
    }

    // The question styles.
    const auto choices = Components<CComponentMultipleChoice>(*screens[4], ct_multiple_choice);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(screens[4]->GetTitle(), "Multiple Choice");
    EXPECT_EQ(choices[0]->GetQuestionText(), "Which sign colour gives an order?");
    EXPECT_EQ(choices[0]->GetOptions()[1], "Blue");
    EXPECT_EQ(choices[0]->GetCorrectFlags()[1], 1);
    EXPECT_EQ(choices[0]->GetCorrectFlags()[0], 0);

    // The fifth content screen is a generated question holding the text that followed, three words blanked.
    const auto paragraphs = Components<CComponentCompleteParagraph>(*screens[5], ct_complete_paragraph);
    ASSERT_EQ(paragraphs.size(), 1u);
    const QString question = paragraphs[0]->GetQuestionText();
    // The blanked words are picked at random: every word is either the document's own or a blank in its place.
    const QStringList source = QStringLiteral("Fire doors close by themselves when the alarm sounds and must never be "
                                              "wedged open. Escape routes are kept clear of boxes, trolleys and "
                                              "cables at every hour of the day.")
                                   .split(' ');
    const QStringList words = question.simplified().split(' ');
    ASSERT_EQ(words.size(), source.size()) << question.toStdString();
    for (qsizetype i = 0; i < words.size(); ++i)
        EXPECT_TRUE(words[i] == source[i] || words[i].startsWith(CComponentCompleteParagraph::kBlank))
            << words[i].toStdString() << " in place of " << source[i].toStdString();
    EXPECT_EQ(question.count(CComponentCompleteParagraph::kBlank), 3) << question.toStdString();
    EXPECT_EQ(paragraphs[0]->GetInstruction(),
              "Click and drag these words to the correct location to complete the paragraph below.");
}

// Guards: a picture the image library cannot read ending the import or leaving a broken picture behind, and
// a second document of the same name deleting the first one's pictures while they are in use.
TEST_F(WordPicturesTest, UnreadablePicturesAreLeftOutAndSameNamesKeepTheirPictures)
{
    doc->MutableSettings().IncludeSourceDocGraphics = 1;
    const QByteArray body = Para("", TextRun("Broken picture here.") + Drawing("rId20", 40, 30))
                            + Para("", TextRun("Good picture here.") + Drawing("rId21", 30, 30));
    const QString first = tree.MakeFolder("a") + "/intro.docx";
    const QString second = tree.MakeFolder("b") + "/intro.docx";
    ASSERT_TRUE(WriteDocx(first, body, {{"rId20", "bad.png", QByteArray("this is no picture at all")},
                                        {"rId21", "good.png", Solid(30, 30, qRgb(9, 9, 9), ImageFormatPng)}}));
    ASSERT_TRUE(WriteDocx(second, Para("", TextRun("Another.") + Drawing("rId21", 30, 30)),
                          {{"rId21", "good.png", Solid(30, 30, qRgb(9, 9, 9), ImageFormatPng)}}));

    const CStatus status = Import({first, second});
    ASSERT_TRUE(status) << status.Error().toStdString();
    ASSERT_EQ(importer->GetLeftOut().size(), 1u);
    EXPECT_EQ(importer->GetLeftOut()[0].path, first);
    EXPECT_TRUE(importer->GetLeftOut()[0].reason.startsWith("Picture 1 of the document (bad.png) cannot be read"))
        << importer->GetLeftOut()[0].reason.toStdString();
    // Numbered across the run; the first document's picture is still there after the second was read.
    const QString folder = PictureFolder("intro");
    EXPECT_TRUE(QFileInfo::exists(folder + "/intro_src_1.jpg"));
    EXPECT_TRUE(QFileInfo::exists(folder + "/intro_src_2.jpg"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/intro_src_3.jpg"));
    ASSERT_EQ(Main().size(), 2u);
    const auto images = Components<CComponentImage>(*Main()[0], ct_image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->GetImageFile(), folder + "/intro_src_1.jpg");
}

// Guards: a table too large for the placeholder squeezed into it, the text after a table screen running on
// in the previous screen's box, or end-of-cell marks and paragraph breaks of cells mangled.
TEST_F(WordPicturesTest, TablesThatDoNotFitGetAScreenOfTheirOwn)
{
    doc->MutableSettings().TemplateType = 9;
    const QByteArray body = Para("", TextRun("Before the table."))
                            + Table({30000, 2000}, {{Para("", TextRun("Total")), Para("", TextRun("a")) + Para("", TextRun("b"))}})
                            + Para("", TextRun("After the table."));
    const QString path = tree / "wide.docx";
    ASSERT_TRUE(WriteDocx(path, body, {}));
    tree.Write("library/Photo_Objects/image_JPG/x.jpg", Solid(4, 4, qRgb(1, 2, 3), ImageFormatJpg));
    const CStatus status = Import({path});
    ASSERT_TRUE(status) << status.Error().toStdString();
    const auto screens = Main();
    ASSERT_EQ(screens.size(), 3u);
    EXPECT_EQ(screens[1]->GetTitle(), "Untitled table");
    const auto tables = Components<CComponentTable>(*screens[1], ct_table);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0]->GetCell(0, 0)->GetRichText().GetText(), "Total");
    EXPECT_EQ(tables[0]->GetCell(0, 1)->GetRichText().GetText(), "a\rb");
    EXPECT_EQ(Components<CComponentImage>(*screens[0], ct_image).size(), 1u);   // the placeholder stays
    EXPECT_TRUE(Components<CComponentTable>(*screens[0], ct_table).empty());
}

// Guards: screens of a document with pictures keeping an empty placeholder beside squeezed text when no
// picture of the document belongs to them, or a document without pictures switching the run to pictures.
TEST_F(WordPicturesTest, ScreensWithoutADocumentPictureGiveTheTextTheWholeScreen)
{
    doc->MutableSettings().IncludeSourceDocGraphics = 1;
    const QByteArray sentence = "Every visitor signs in at the gate, wears the badge and follows the marked paths. ";
    QByteArray body;
    for (int i = 0; i < 12; ++i)
        body += Para("", TextRun(sentence.repeated(4)));
    const QString plain = tree / "plain.docx";
    ASSERT_TRUE(WriteDocx(plain, body, {}));
    const QString pictured = tree / "pictured.docx";
    ASSERT_TRUE(WriteDocx(pictured, Para("", TextRun("The gate.") + Drawing("rId20", 40, 30)) + body,
                          {{"rId20", "gate.png", Solid(40, 30, qRgb(200, 0, 0), ImageFormatPng)}}));

    ASSERT_TRUE(Import({plain}));
    for (CCorvPage *screen : Main())
        EXPECT_TRUE(Components<CComponentImage>(*screen, ct_image).empty()) << screen->GetTitle().toStdString();

    doc->ClearMainScreens();
    ASSERT_TRUE(Import({pictured}));
    const auto screens = Main();
    ASSERT_GE(screens.size(), 2u);
    // The picture is on the screen that holds its paragraph, beside the text.
    const auto images = Components<CComponentImage>(*screens[0], ct_image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_TRUE(images[0]->GetImageFile().endsWith("/pictured_src_1.jpg"));
    // The next screen's text overflowed with no picture of the document in its range.
    EXPECT_TRUE(Components<CComponentImage>(*screens[1], ct_image).empty());
    std::vector<CComponentBase *> boxes;
    ASSERT_EQ(screens[1]->GetComponentsOfType(ct_textbox, boxes), 1);
    EXPECT_EQ(boxes[0]->GetBounds(), CRect(36, 32, 972, 520));
}

// Guards the document's own picture landing on the topic's Objectives screen: a picture left over at the end of
// the topic (after a table) is the document's; the Objectives screen takes a library picture or none.
TEST_F(WordPicturesTest, ObjectivesScreenNeverTakesTheDocumentsPicture)
{
    doc->MutableSettings().IncludeSourceDocGraphics = 1;
    doc->MutableSettings().CreateObjectivePages = 1;
    doc->MutableSettings().AutoGenerateGraphics = 1;
    const QString path = tree / "end.docx";
    const QByteArray body = Para("", TextRun("The checks of the week."))
                            + Table({2000, 2000}, {{Para("", TextRun("Day")), Para("", TextRun("Check"))}})
                            + Para("", Drawing("rId20", 40, 30));
    ASSERT_TRUE(WriteDocx(path, body, {{"rId20", "last.png", Solid(40, 30, qRgb(0, 160, 0), ImageFormatPng)}}));
    importer = std::make_unique<CWordDocImporter>(*doc, nullptr, *host);
    const CTopic topic("", "Checks", "", path, "FALSE");
    ASSERT_TRUE(importer->ConvertDocuments({&topic}, true, true, "1"));
    const CCorvPage *objectives = nullptr;
    for (CCorvPage *s : Main())
        if (s->GetTitle() == "Objectives")
            objectives = s;
    ASSERT_TRUE(objectives);
    for (CComponentImage *image : Components<CComponentImage>(*objectives, ct_image))
        EXPECT_FALSE(image->GetImageFile().startsWith(PictureFolder("end"))) << image->GetImageFile().toStdString();
}

// Guards the table component's limit of 10,000 cells: a larger Word table lost its remaining rows without
// a word (480 rows of 63 columns arrived as 158). It goes on over further table screens, every row kept.
TEST_F(WordPicturesTest, TablesBeyondOneComponentGoOnOverScreens)
{
    constexpr int rows = 400, columns = 50;   // 20,000 cells: two table screens of 200 rows
    QByteArray table = "<w:tbl><w:tblGrid>" + QByteArray("<w:gridCol w:w=\"100\"/>").repeated(columns) + "</w:tblGrid>";
    for (int r = 0; r < rows; ++r) {
        table += "<w:tr>";
        for (int c = 0; c < columns; ++c)
            table += "<w:tc><w:p><w:r><w:t>" + QByteArray::number(r) + "." + QByteArray::number(c) + "</w:t></w:r></w:p></w:tc>";
        table += "</w:tr>";
    }
    table += "</w:tbl>";
    const QString path = tree / "big.docx";
    ASSERT_TRUE(WriteDocx(path, Para("", TextRun("Before.")) + table + Para("", TextRun("After.")), {}));
    ASSERT_TRUE(Import({path}));
    EXPECT_TRUE(importer->GetLeftOut().empty());
    ASSERT_TRUE(importer->GetNotImported().empty()) << importer->GetNotImported()[0].reason.toStdString();
    const auto screens = Main();
    ASSERT_EQ(screens.size(), 4u);
    const char *labels[] = {"1", "2", "3", "4"};
    int row = 0;
    for (int s = 1; s <= 2; ++s) {
        EXPECT_EQ(screens[size_t(s)]->GetTitle(), "Untitled table");
        EXPECT_EQ(screens[size_t(s)]->GetLabel(), labels[s]);
        const auto tables = Components<CComponentTable>(*screens[size_t(s)], ct_table);
        ASSERT_EQ(tables.size(), 1u);
        ASSERT_EQ(tables[0]->GetRowCount(), 200);
        ASSERT_EQ(tables[0]->GetColumnCount(), columns);
        for (int r = 0; r < 200; r += 37, row += 37) {
            const int documentRow = (s - 1) * 200 + r;
            EXPECT_EQ(tables[0]->GetCell(r, 0)->GetRichText().GetText(), QStringLiteral("%1.0").arg(documentRow));
            EXPECT_EQ(tables[0]->GetCell(r, columns - 1)->GetRichText().GetText(),
                      QStringLiteral("%1.%2").arg(documentRow).arg(columns - 1));
        }
    }
    EXPECT_EQ(Components<CComponentTable>(*screens[2], ct_table)[0]->GetCell(199, 49)->GetRichText().GetText(), "399.49");
    std::vector<CComponentBase *> boxes;
    ASSERT_EQ(screens[3]->GetComponentsOfType(ct_textbox, boxes), 1);
    EXPECT_TRUE(boxes[0]->GetEditorText()->GetText().startsWith("After."));
}

// Guards columns beyond the table component's 1,000: they cannot be shown and are named in the report
// instead of vanishing.
TEST_F(WordPicturesTest, ColumnsBeyondTheLimitAreReported)
{
    constexpr int columns = 1003;
    QByteArray row = "<w:tr>";
    for (int c = 0; c < columns; ++c)
        row += "<w:tc><w:p><w:r><w:t>c" + QByteArray::number(c) + "</w:t></w:r></w:p></w:tc>";
    const QByteArray table = "<w:tbl><w:tblGrid>" + QByteArray("<w:gridCol w:w=\"10\"/>").repeated(columns) + "</w:tblGrid>"
                             + row + "</w:tr></w:tbl>";
    const QString path = tree / "wide.docx";
    ASSERT_TRUE(WriteDocx(path, table, {}));
    ASSERT_TRUE(Import({path}));
    ASSERT_EQ(importer->GetLeftOut().size(), 1u);
    EXPECT_EQ(importer->GetLeftOut()[0].reason,
              "Columns 1001 to 1003 of a table of \"wide.docx\" were left out: a table holds at most 1000 columns.");
    const auto tables = Components<CComponentTable>(*Main()[0], ct_table);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0]->GetColumnCount(), 1000);
    EXPECT_EQ(tables[0]->GetCell(0, 999)->GetRichText().GetText(), "c999");
}

// Guards the report of a document's pictures: those no screen took (a screen has one picture place, and a
// picture in a table's text never meets one) were passed over in silence.
TEST_F(WordPicturesTest, PicturesNoScreenTookAreReported)
{
    doc->MutableSettings().IncludeSourceDocGraphics = 1;
    const QByteArray picture = Solid(20, 20, qRgb(0, 0, 200), ImageFormatPng);
    const QByteArray body = Para("", TextRun("Two pictures.") + Drawing("rId20", 20, 20) + Drawing("rId21", 20, 20))
                            + Table({30000}, {{Para("", TextRun("In a cell") + Drawing("rId22", 20, 20))}})
                            + Para("", TextRun("The end."));
    const QString path = tree / "pictures.docx";
    ASSERT_TRUE(WriteDocx(path, body, {{"rId20", "a.png", picture}, {"rId21", "b.png", picture}, {"rId22", "c.png", picture}}));
    ASSERT_TRUE(Import({path}));
    ASSERT_EQ(importer->GetLeftOut().size(), 1u);
    EXPECT_EQ(importer->GetLeftOut()[0].path, path);
    EXPECT_EQ(importer->GetLeftOut()[0].reason, "Pictures 2 and 3 of \"pictures.docx\" did not come in: no screen made "
                                                "from the text around them had a free picture place.");
}
